// The message box every caller shows after writing g_strMessageText and
// g_nMessageKind: one OK button. Plain for now; its skinned look comes later.
#pragma once

#include <afxwin.h>

class CMessageDlg
{
public:
    explicit CMessageDlg(CWnd* pParent = NULL);
    // Returns 1 for OK, 2 when the box was closed otherwise.
    INT_PTR DoModal();

private:
    CWnd* m_pParent;
};
