#include "CVZPControlComboBox.h"

IMPLEMENT_SERIAL(CVZPControlComboBox, CVZPControlPopup, VERSIONABLE_SCHEMA | 0x10)

CVZPControlComboBox::CVZPControlComboBox()
{
    m_controlType = vzpControlComboBox;
}

CVZPControlComboBox::~CVZPControlComboBox()
{
}

void CVZPControlComboBox::Copy(CVZPControl* pControl, BOOL bRecursive)
{
    CVZPControlPopup::Copy(pControl, bRecursive);
    CVZPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CVZPControlComboBox, pControl);
    if (pCombo == NULL)
        return;
    m_bDropDown = pCombo->m_bDropDown;
    m_nWidth = pCombo->m_nWidth;
    m_dwComboStyle = pCombo->m_dwComboStyle;
    m_strEditHint = pCombo->m_strEditHint;
    m_dwShellAutoCompleteFlags = pCombo->m_dwShellAutoCompleteFlags;
    m_bAutoComplete = pCombo->m_bAutoComplete;
    m_nEditIconId = pCombo->m_nEditIconId;
    m_nDropDownItemCount = pCombo->m_nDropDownItemCount;
}
