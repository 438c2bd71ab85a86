#include "CVZPControlComboBox.h"

IMPLEMENT_SERIAL(CVZPControlComboBox, CVZPControlPopup, VERSIONABLE_SCHEMA | 0x10)

CVZPControlComboBox::CVZPControlComboBox()
{
    m_controlType = vzpControlComboBox;
}

CVZPControlComboBox::~CVZPControlComboBox()
{
}
