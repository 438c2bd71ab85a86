// A grid selector that draws its own cells.
#pragma once

#include "CVZPControl.h"

class CVZPControlSelector : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlSelector)
public:
    CVZPControlSelector();
    ~CVZPControlSelector() override;
};
