// A combo box control on a command bar; its popup is its drop-down list.
#pragma once

#include "CVZPControlPopup.h"

class CVZPControlComboBox : public CVZPControlPopup
{
    DECLARE_SERIAL(CVZPControlComboBox)
public:
    CVZPControlComboBox();
    ~CVZPControlComboBox() override;
};
