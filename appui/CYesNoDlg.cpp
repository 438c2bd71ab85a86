#include "CYesNoDlg.h"

#include "CRichMessageBox.h"
#include "appuires.h"
#include "msg/MessageSink.h"

BEGIN_MESSAGE_MAP(CYesNoDlg, CDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CYesNoDlg::CYesNoDlg(CWnd* pParent)
    : CDialog(IDD_YESNO_DLG, pParent), m_strText(g_strMessageText), m_nKind(g_nMessageKind)
{
}

INT_PTR CYesNoDlg::DoModal()
{
    return ShowQuestionBox();
}

INT_PTR CYesNoDlg::ShowBox()
{
    const UINT nIcon = MessageKindIcon(m_nKind);
    if (nIcon == 0)
        return CDialog::DoModal() == IDOK ? 1 : 2;
    const MessageBoxParams params = MessageDialogParams();
    return RichMessageBox(NULL, m_strText.c_str(), kMessageBoxCaption, MB_YESNO | nIcon, &params) == IDYES ? 1 : 2;
}

void CYesNoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MESSAGE_ICON, m_icon);
    DDX_Control(pDX, IDCANCEL, m_no);
    DDX_Control(pDX, IDOK, m_yes);
    DDX_Control(pDX, IDC_MESSAGE_TEXT, m_text);
}

BOOL CYesNoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_text.SetWindowText(m_strText.c_str());
    return TRUE;
}

void CYesNoDlg::OnOK()
{
    CDialog::OnOK();
}

void CYesNoDlg::OnCancel()
{
    CDialog::OnCancel();
}

BOOL CYesNoDlg::OnEraseBkgnd(CDC* pDC)
{
    return m_skin.Draw(pDC) ? TRUE : CDialog::OnEraseBkgnd(pDC);
}
