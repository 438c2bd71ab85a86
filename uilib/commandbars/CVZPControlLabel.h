// A control that shows only its caption; never selected.
#pragma once

#include "CVZPControl.h"

class CVZPControlLabel : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlLabel)
public:
    CVZPControlLabel();
    ~CVZPControlLabel() override;

    int GetSelected() const override { return 0; }
    BOOL IsLabel() const override { return TRUE; }
};
