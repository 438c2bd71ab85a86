#include "CProgressDlg.h"

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PROGRESSDLG_SETPOS, OnSetPos)
END_MESSAGE_MAP()

namespace {

const COLORREF kAccent = RGB(29, 117, 189);
const COLORREF kBackground = RGB(242, 242, 242);

}  // namespace

CProgressDlg::CProgressDlg(UINT nCaptionID)
    : m_nCaptionID(nCaptionID != 0 ? nCaptionID : IDS_PROGRESS_CAPTION),
      m_nLower(0),
      m_nUpper(100),
      m_nStep(10),
      m_hWndOwnerDisabled(NULL)
{
    m_bitmapSkin.LoadBitmap(IDB_PROGRESS_SKIN);
}

CProgressDlg::~CProgressDlg()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CProgressDlg::Create(CWnd* pParent)
{
    AfxInitCommonControls();
    CWnd* pOwner = CWnd::GetSafeOwner(pParent);
    HWND hWndOwner = pOwner->GetSafeHwnd();
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        m_hWndOwnerDisabled = hWndOwner;
    }
    if (!CDialog::Create(IDD, pOwner))
    {
        if (m_hWndOwnerDisabled != NULL)
            ::EnableWindow(m_hWndOwnerDisabled, TRUE);
        m_hWndOwnerDisabled = NULL;
        return FALSE;
    }
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CProgressDlg::DestroyWindow()
{
    // Enabled before the dialog goes, so that activation returns to it.
    if (m_hWndOwnerDisabled != NULL)
    {
        if (::IsWindow(m_hWndOwnerDisabled))
            ::EnableWindow(m_hWndOwnerDisabled, TRUE);
        m_hWndOwnerDisabled = NULL;
    }
    return CDialog::DestroyWindow();
}

void CProgressDlg::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    if (m_progress.m_hWnd != NULL)
        m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

void CProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_STATUS, m_staticStatus);
    DDX_Control(pDX, IDC_PROGRESS_PERCENT, m_staticPercent);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_progress);
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_fontText.CreateFont(16, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, _T("Arial"));
    m_staticStatus.SetFont(&m_fontText);
    m_staticPercent.SetFont(&m_fontText);

    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(m_nLower, m_nUpper));
    m_progress.SendMessage(PBM_SETSTEP, (WPARAM)m_nStep, 0);
    m_progress.SendMessage(PBM_SETPOS, (WPARAM)m_nLower, 0);

    m_fontBar.CreateFont(18, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, _T("Arial"));
    m_progress.SetFont(&m_fontBar);
    m_brushBar.CreateSolidBrush(kAccent);
    m_progress.m_pBarBrush = &m_brushBar;
    m_progress.SetTextFormat(_T("%d%%"), TPS_SHOWPERCENT);
    m_progress.m_crBackground = kBackground;
    m_progress.m_crTextOnBar = RGB(255, 255, 255);
    m_progress.m_crTextOnBackground = kAccent;

    CString strCaption;
    strCaption.LoadString(m_nCaptionID);
    SetWindowText(strCaption);
    return TRUE;
}

// Esc, Enter and the close box only hide the dialog. EndDialog would enable
// the owner while the caller's work still runs.
void CProgressDlg::OnOK()
{
    ShowWindow(SW_HIDE);
}

void CProgressDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

// Dispatches what is waiting in this thread's queue. A quit request is put
// back for the thread's own loop.
void CProgressDlg::PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (m_hWnd == NULL || !IsDialogMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

LRESULT CProgressDlg::OnSetPos(WPARAM wParam, LPARAM)
{
    PumpMessages();
    if (m_hWnd == NULL || m_progress.m_hWnd == NULL)
        return 0;   // the dialog went away while messages were dispatched
    LRESULT lPrevious = m_progress.SendMessage(PBM_SETPOS, wParam, 0);

    int nPercent = 0;
    if (m_nUpper != m_nLower)
        nPercent = (int)(((long long)(int)wParam - m_nLower) * 100 / (m_nUpper - m_nLower));
    if (nPercent != 100)
        nPercent %= 100;
    CString strPercent;
    strPercent.Format(_T("%d%c"), nPercent, _T('%'));
    CString strOld;
    m_staticPercent.GetWindowText(strOld);
    if (strOld != strPercent)
        m_staticPercent.SetWindowText(strPercent);
    return lPrevious;
}

BOOL CProgressDlg::OnEraseBkgnd(CDC* pDC)
{
    BITMAP bm = {};
    CDC dcMem;
    if (m_bitmapSkin.GetSafeHandle() == NULL || m_bitmapSkin.GetBitmap(&bm) == 0 || !dcMem.CreateCompatibleDC(pDC))
        return CDialog::OnEraseBkgnd(pDC);
    HGDIOBJ hOld = dcMem.SelectObject(m_bitmapSkin.GetSafeHandle());
    pDC->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(hOld);
    // Where the dialog is larger than its skin, the skin's background goes on.
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.right > bm.bmWidth)
        pDC->FillSolidRect(bm.bmWidth, 0, rectClient.right - bm.bmWidth, rectClient.bottom, kBackground);
    if (rectClient.bottom > bm.bmHeight)
        pDC->FillSolidRect(0, bm.bmHeight, bm.bmWidth, rectClient.bottom - bm.bmHeight, kBackground);
    return TRUE;
}

void CProgressDlg::OnPaint()
{
    // The skin is drawn by the erase; painting only validates.
    CPaintDC dc(this);
}
