// Placeholder that lists the manager's toolbars as toggle buttons.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlToolbars : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlToolbars)
public:
    CVZPControlToolbars();
    ~CVZPControlToolbars() override;
};
