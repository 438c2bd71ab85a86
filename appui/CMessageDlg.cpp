#include "CMessageDlg.h"

#include "CRichMessageBox.h"
#include "CYesNoDlg.h"
#include "appuires.h"
#include "msg/MessageSink.h"

const wchar_t kMessageBoxCaption[] = L"Tesmir for VHD";

MessageBoxParams MessageDialogParams()
{
    MessageBoxParams params;
    params.asDialog.nSeparator = 0;
    params.asDialog.nSeparatorAlign = 2;
    params.asDialog.lpszSeparatorText = NULL;
    params.asDialog.nEffect = 12;
    params.asDialog.crStart = params.asDialog.crMiddle = params.asDialog.crEnd = RGB(242, 242, 242);
    return params;
}

UINT MessageKindIcon(int nKind)
{
    switch (nKind)
    {
    case MessageKindInformation:
        return MB_ICONINFORMATION;
    case MessageKindError:
        return MB_ICONERROR;
    case MessageKindQuestion:
        return MB_ICONQUESTION;
    default:
        return 0;
    }
}

namespace {

int PresentInDialogs(const wchar_t* text, int kind, int isQuestion)
{
    if (isQuestion)
    {
        CYesNoDlg dlg;
        dlg.m_strText = text != NULL ? text : L"";
        dlg.m_nKind = kind;
        return (int)dlg.ShowBox();
    }
    CMessageDlg dlg;
    dlg.m_strText = text != NULL ? text : L"";
    dlg.m_nKind = kind;
    return (int)dlg.ShowBox();
}

}  // namespace

void InstallMessageDialogs()
{
    SetMessagePresenter(&PresentInDialogs);
}

// ---------------------------------------------------------------------------
// CMessageSkin

CMessageSkin::CMessageSkin()
    : m_hBitmap((HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_MESSAGE_SKIN), IMAGE_BITMAP, 0,
                                      0, LR_CREATEDIBSECTION))
{
}

CMessageSkin::~CMessageSkin()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

BOOL CMessageSkin::Draw(CDC* pDC) const
{
    if (m_hBitmap == NULL)
        return FALSE;
    HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (hMemDC == NULL)
        return FALSE;
    BITMAP bm = {};
    ::GetObject(m_hBitmap, sizeof(bm), &bm);
    HGDIOBJ hOld = ::SelectObject(hMemDC, m_hBitmap);
    ::BitBlt(pDC->GetSafeHdc(), 0, 0, bm.bmWidth, bm.bmHeight, hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    return TRUE;
}

// ---------------------------------------------------------------------------
// CMessageDlg

BEGIN_MESSAGE_MAP(CMessageDlg, CDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CMessageDlg::CMessageDlg(CWnd* pParent)
    : CDialog(IDD_MESSAGE_DLG, pParent), m_strText(g_strMessageText), m_nKind(g_nMessageKind)
{
}

INT_PTR CMessageDlg::DoModal()
{
    return ShowMessageBox();
}

INT_PTR CMessageDlg::ShowBox()
{
    const UINT nIcon = MessageKindIcon(m_nKind);
    if (nIcon == 0)
        return CDialog::DoModal();
    const MessageBoxParams params = MessageDialogParams();
    return RichMessageBox(NULL, m_strText.c_str(), kMessageBoxCaption, MB_OK | nIcon, &params) == IDOK ? 1 : 2;
}

void CMessageDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MESSAGE_ICON, m_icon);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDC_MESSAGE_TEXT, m_text);
}

BOOL CMessageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_text.SetWindowText(m_strText.c_str());
    return TRUE;
}

BOOL CMessageDlg::OnEraseBkgnd(CDC* pDC)
{
    return m_skin.Draw(pDC) ? TRUE : CDialog::OnEraseBkgnd(pDC);
}
