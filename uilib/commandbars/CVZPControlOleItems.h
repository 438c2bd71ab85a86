// Placeholder that lists the verbs of the selected OLE item of the active
// view's document as a submenu where it stands.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlOleItems : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlOleItems)
public:
    CVZPControlOleItems();
    ~CVZPControlOleItems() override;

    void OnCalcDynamicSize(DWORD dwMode) override;
    BOOL IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint point, DROPEFFECT& dropEffect) override;
};
