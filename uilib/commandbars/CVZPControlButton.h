// A button control: executes its command.
#pragma once

#include "CVZPControl.h"

class CVZPControlButton : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlButton)
public:
    CVZPControlButton();
    ~CVZPControlButton() override;

    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    void DoPropExchange(CVZPPropExchange* pPX) override;
};
