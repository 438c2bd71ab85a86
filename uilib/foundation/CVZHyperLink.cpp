#include "CVZHyperLink.h"

#include "CVZMemDC.h"
#include "CVZPColorManager.h"
#include "CVZPResourceLoader.h"
#include "uilibres.h"

#include <shellapi.h>

namespace {

const UINT kHoverTimer = 1;
const UINT kHoverTimerPeriod = 10;

// The string id of a ShellExecute error code; 0 for an unknown code.
UINT ShellErrorStringId(int nError)
{
    static const struct { int nCode; UINT nID; } s_map[] = {
        { 0, 9037 },  { 2, 9038 },  { 3, 9039 },  { 5, 9040 },  { 8, 9041 },  { 11, 9042 }, { 26, 9043 },
        { 27, 9044 }, { 28, 9045 }, { 29, 9046 }, { 30, 9047 }, { 31, 9048 }, { 32, 9049 },
    };
    for (const auto& entry : s_map)
        if (entry.nCode == nError)
            return entry.nID;
    return 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CVZHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CVZHyperLink, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_CREATE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCHITTEST()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CVZHyperLink::CVZHyperLink()
    : m_bOpenOnClick(TRUE),
      m_bInitOnSubclass(TRUE),
      m_bUnderline(TRUE),
      m_bHover(FALSE),
      m_bVisited(FALSE),
      m_bTooltips(TRUE),
      m_hLinkCursor(::LoadCursor(NULL, IDC_HAND)),
      m_clrLink(RGB(0, 0, 255)),
      m_clrHover(RGB(255, 0, 0)),
      m_clrVisited(RGB(128, 0, 128)),
      m_clrBack(COLORREF(-1))
{
    if (m_hLinkCursor == NULL)
        m_hLinkCursor = GetResourceLoader()->LoadCursor(VZP_IDC_HAND);
}

CVZHyperLink::~CVZHyperLink()
{
    if (::IsWindow(m_toolTip.m_hWnd))
        m_toolTip.DestroyWindow();
}

void CVZHyperLink::Redraw()
{
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CVZHyperLink::SetURL(CString strURL)
{
    m_strURL = strURL;
    if (m_strTipText.IsEmpty())
        m_strTipText = strURL;
    if (m_strTipText.IsEmpty())
        return;
    if (::IsWindow(m_toolTip.m_hWnd))
    {
        m_toolTip.UpdateTipText(m_strURL, this);
        return;
    }
    if (!::IsWindow(m_hWnd))
        return;   // the tooltip needs the control's window
    m_toolTip.Create(this);
    m_toolTip.AddTool(this, m_strTipText);
    m_toolTip.Activate(m_bTooltips);
}

void CVZHyperLink::SetLinkColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover)
{
    m_clrLink = clrLink;
    m_clrVisited = clrVisited;
    m_clrHover = clrHover;
    Redraw();
}

void CVZHyperLink::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    Redraw();
}

void CVZHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
    UpdateFont();
}

void CVZHyperLink::SetBackColor(COLORREF clr)
{
    m_clrBack = clr;
    Redraw();
}

COLORREF CVZHyperLink::GetBackColor() const
{
    return m_clrBack == COLORREF(-1) ? GetColorManager()->GetColor(COLOR_3DFACE) : m_clrBack;
}

BOOL CVZHyperLink::GotoURL(LPCTSTR lpszURL, int nShowCmd, LPCTSTR lpszParameters, LPCTSTR lpszDirectory)
{
    const int nResult = (int)(INT_PTR)::ShellExecuteW(NULL, L"open", lpszURL != NULL ? lpszURL : (LPCTSTR)m_strURL,
                                                      lpszParameters, lpszDirectory, nShowCmd);
    if (nResult > 32)
        return TRUE;
    ReportError(nResult);
    return FALSE;
}

BOOL CVZHyperLink::IsTextStatic() const
{
    return (GetStyle() & 0xFF) < 3;
}

BOOL CVZHyperLink::IsCursorOverText() const
{
    if (!IsTextStatic())
        return TRUE;
    CString strText;
    GetWindowText(strText);
    CSize sizeText(0, 0);
    {
        CClientDC dc(NULL);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
        sizeText = dc.GetTextExtent(strText);
        ::SelectObject(dc.m_hDC, hOld);
    }
    CRect rc;
    GetWindowRect(&rc);
    const int nSpare = rc.Width() - sizeText.cx;
    switch (GetStyle() & 3)
    {
    case SS_CENTER:
        rc.DeflateRect(nSpare / 2, 0);
        break;
    case SS_RIGHT:
        rc.left = rc.right - sizeText.cx;
        break;
    default:
        rc.right = rc.left + sizeText.cx;
        break;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    return rc.PtInRect(pt);
}

void CVZHyperLink::ReportError(int nError)
{
    CString strMessage;
    const UINT nID = ShellErrorStringId(nError);
    if (nID != 0)
        GetResourceLoader()->LoadString(&strMessage, nID);
    else
    {
        CString strFormat;
        GetResourceLoader()->LoadString(&strFormat, VZP_IDS_SHELL_UNKNOWN_ERROR);
        strMessage.Format(strFormat, nError);
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
}

void CVZHyperLink::InitControl()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (IsTextStatic() && m_strURL.IsEmpty())
    {
        CString strText;
        GetWindowText(strText);
        SetURL(strText);
    }
    ModifyStyle(0, SS_NOTIFY);
    UpdateFont();
}

BOOL CVZHyperLink::UpdateFont()
{
    if (!MakeLinkFont(m_fontLink, m_bUnderline))
        return FALSE;
    if (::IsWindow(m_hWnd))
    {
        SendMessage(WM_SETFONT, (WPARAM)m_fontLink.GetSafeHandle(), FALSE);
        Redraw();
    }
    return TRUE;
}

BOOL CVZHyperLink::MakeLinkFont(CFont& font, BOOL bUnderline)
{
    LOGFONTW lf = {};
    HFONT hCurrent = ::IsWindow(m_hWnd) ? (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0) : NULL;
    if (hCurrent == NULL || ::GetObjectW(hCurrent, sizeof(lf), &lf) == 0)
    {
        NONCLIENTMETRICSW ncm = {};
        ncm.cbSize = 500;
        static_assert(sizeof(NONCLIENTMETRICSW) >= 500, "the metrics record holds 500 bytes");
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &ncm, 0);
        lf = ncm.lfStatusFont;
    }
    lf.lfUnderline = (BYTE)(bUnderline ? TRUE : FALSE);
    // The window may still use the old link font: give it the new one
    // before the old handle goes.
    CFont fontNew;
    if (!fontNew.CreateFontIndirect(&lf))
        return FALSE;
    if (hCurrent == (HFONT)font.GetSafeHandle() && ::IsWindow(m_hWnd))
        ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)fontNew.GetSafeHandle(), FALSE);
    font.DeleteObject();
    font.Attach(fontNew.Detach());
    return TRUE;
}

BOOL CVZHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (::IsWindow(m_toolTip.m_hWnd) && m_bTooltips)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CVZHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bInitOnSubclass)
        InitControl();
}

BOOL CVZHyperLink::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CStatic::PreCreateWindow(cs))
        return FALSE;
    m_bInitOnSubclass = FALSE;
    return TRUE;
}

BOOL CVZHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor != NULL && IsCursorOverText())
    {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

int CVZHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    InitControl();
    return 0;
}

HBRUSH CVZHyperLink::CtlColor(CDC* pDC, UINT nCtlColor)
{
    (void)nCtlColor;
    if (!IsTextStatic())
        return NULL;
    pDC->SetTextColor(m_bHover ? m_clrHover : m_bVisited ? m_clrVisited : m_clrLink);
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CVZHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    if (IsTextStatic() && IsCursorOverText())
        SetTimer(kHoverTimer, kHoverTimerPeriod, NULL);
    Default();
}

void CVZHyperLink::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == kHoverTimer && IsTextStatic())
    {
        // Off the text, the hover ends (and with it the timer); a cursor
        // that left before the first tick never shows the hover colour.
        if (IsCursorOverText())
            m_bHover = TRUE;
        else
        {
            KillTimer(kHoverTimer);
            m_bHover = FALSE;
        }
        Redraw();
    }
    Default();
}

void CVZHyperLink::OnPaint()
{
    if (GetExStyle() & WS_EX_TRANSPARENT)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZMemDC memDC(&dc, rcClient, CVZPGradientColor(GetBackColor()));
    DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

void CVZHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    Redraw();
}

UINT CVZHyperLink::OnNcHitTest(CPoint point)
{
    (void)point;
    return HTCLIENT;
}

BOOL CVZHyperLink::OnClicked()
{
    if (IsCursorOverText())
    {
        if (m_bOpenOnClick)
            m_bVisited = GotoURL(NULL, SW_SHOW);
        else
            m_bVisited = TRUE;
    }
    if (::IsWindow(m_toolTip.m_hWnd) && m_bTooltips)
        m_toolTip.Pop();
    return !IsTextStatic();
}
