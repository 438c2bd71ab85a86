// An edit box control on a command bar, shown through a CVZPEdit window.
#pragma once

#include "CVZPControl.h"

class CVZPControlEdit : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlEdit)
public:
    CVZPControlEdit();
    ~CVZPControlEdit() override;
};
