#include "CYesNoDlg.h"

#include "msg/MessageSink.h"

CYesNoDlg::CYesNoDlg(CWnd* pParent) : m_pParent(pParent) {}

INT_PTR CYesNoDlg::DoModal() { return ShowQuestionBox(); }
