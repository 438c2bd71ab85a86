// Placeholder that lists the verbs of the selected OLE item.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlOleItems : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlOleItems)
public:
    CVZPControlOleItems();
    ~CVZPControlOleItems() override;
};
