// A button control: executes its command.
#pragma once

#include "CVZPControl.h"

class CVZPControlButton : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlButton)
public:
    CVZPControlButton();
    ~CVZPControlButton() override;
};
