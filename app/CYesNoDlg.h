// The question box: g_strMessageText with g_nMessageKind and the buttons Yes
// and No. Plain for now; its skinned look comes later.
#pragma once

#include <afxwin.h>

class CYesNoDlg
{
public:
    explicit CYesNoDlg(CWnd* pParent = NULL);
    // Returns 1 for Yes, 2 for anything else.
    INT_PTR DoModal();

private:
    CWnd* m_pParent;
};
