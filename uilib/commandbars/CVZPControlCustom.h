// A control that hosts an arbitrary child window on a command bar.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlCustom : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlCustom)
public:
    CVZPControlCustom();
    ~CVZPControlCustom() override;
};
