// Placeholder that lists the manager's toolbars as toggle buttons, checked
// while their bar shows; a toggle shows or hides its bar.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlToolbars : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlToolbars)
public:
    CVZPControlToolbars();
    ~CVZPControlToolbars() override;

    void OnCalcDynamicSize(DWORD dwMode) override;
    BOOL IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint point, DROPEFFECT& dropEffect) override;

    // One toggle button per closeable toolbar that offers itself in the
    // context menu, inserted from nIndex with the command id; with
    // bAddCustomize, "Customize" ends the popup when the site handles it.
    static void AFX_CDECL CreateToolbarMenu(CVZPCommandBar* pPopup, int nIndex, UINT nId, BOOL bAddCustomize);
};
