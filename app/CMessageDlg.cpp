#include "CMessageDlg.h"

#include "msg/MessageSink.h"

CMessageDlg::CMessageDlg(CWnd* pParent) : m_pParent(pParent) {}

INT_PTR CMessageDlg::DoModal() { return ShowMessageBox(); }
