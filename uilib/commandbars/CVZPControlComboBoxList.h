// The drop-down list of a combo box control: a popup bar over a list box.
#pragma once

#include "CVZPPopupBar.h"

class CVZPControlComboBoxList : public CVZPPopupBar
{
    DECLARE_DYNCREATE(CVZPControlComboBoxList)
public:
    CVZPControlComboBoxList();
    ~CVZPControlComboBoxList() override;
};
