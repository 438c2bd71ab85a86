// An edit box control on a command bar, shown through a CVZPEdit window.
#pragma once

#include "CVZPControl.h"

class CVZPControlEdit : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlEdit)
public:
    CVZPControlEdit();
    ~CVZPControlEdit() override;

    void DoPropExchange(CVZPPropExchange* pPX) override;
    void Copy(CVZPControl* pControl, BOOL bRecursive = FALSE) override;

    // What the saved model keeps of an edit box.
    BOOL m_bLabel = FALSE;
    int m_nWidth = 0;
    BOOL m_bReadOnly = FALSE;
    CString m_strEditHint;
    DWORD m_dwShellAutoCompleteFlags = 0;
};
