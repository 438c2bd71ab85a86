// A combo box control on a command bar; its popup is its drop-down list.
#pragma once

#include "CVZPControlPopup.h"

class CVZPControlComboBox : public CVZPControlPopup
{
    DECLARE_SERIAL(CVZPControlComboBox)
public:
    CVZPControlComboBox();
    ~CVZPControlComboBox() override;

    void DoPropExchange(CVZPPropExchange* pPX) override;
    void Copy(CVZPControl* pControl, BOOL bRecursive = FALSE) override;

    // What the saved model keeps of a combo box.
    BOOL m_bDropDown = TRUE;
    int m_nWidth = 0;
    DWORD m_dwComboStyle = 0;
    CString m_strEditHint;
    DWORD m_dwShellAutoCompleteFlags = 0;
    BOOL m_bAutoComplete = FALSE;
    int m_nEditIconId = 0;
    int m_nDropDownItemCount = 12;
};
