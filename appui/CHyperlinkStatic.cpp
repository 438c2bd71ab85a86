#include "CHyperlinkStatic.h"

#include "LinkOpener.h"

#include <windowsx.h>

IMPLEMENT_DYNAMIC(CHyperlinkStatic, CStatic)

BEGIN_MESSAGE_MAP(CHyperlinkStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

namespace {

const UINT_PTR kToolId = 1;
const UINT kHoverInterval = 100;   // ms between checks that the mouse is still over the link
const int kLinkFontHeight = 15;

HFONT StartFont(CWnd* pWnd)
{
    HFONT hFont = (HFONT)pWnd->SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(ANSI_VAR_FONT);
    return hFont;
}

}  // namespace

CHyperlinkStatic::CHyperlinkStatic()
    : m_crLink(RGB(0, 0, 238)),
      m_crVisited(RGB(85, 26, 139)),
      m_crHover(RGB(255, 0, 0)),
      m_bAutoSize(TRUE),
      m_bHover(FALSE),
      m_bVisited(FALSE),
      m_nUnderline(underlineHover),
      m_hCursor(NULL)
{
}

CHyperlinkStatic::~CHyperlinkStatic()
{
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.DestroyWindow();
    if (m_hCursor != NULL)
        ::DestroyIcon((HICON)m_hCursor);
}

CString CHyperlinkStatic::ErrorText(INT_PTR nResult)
{
    static const struct
    {
        INT_PTR nResult;
        LPCTSTR lpszText;
    } texts[] = {
        { 0, _T("The operating system is out\nof memory or resources.") },
        { 2, _T("The specified file was not found.") },
        { 3, _T("The specified path was not found.") },
        { 5, _T("The operating system denied\naccess to the specified file.") },
        { 8, _T("There was not enough memory to complete the operation.") },
        { 11, _T("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).") },
        { 26, _T("A sharing violation occurred. ") },
        { 27, _T("The filename association is\nincomplete or invalid.") },
        { 28, _T("The DDE transaction could not\nbe completed because the request timed out.") },
        { 29, _T("The DDE transaction failed.") },
        { 30, _T("The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.") },
        { 31, _T("There is no application associated\nwith the given filename extension.") },
        { 32, _T("The specified dynamic-link library was not found.") },
    };
    for (const auto& t : texts)
    {
        if (t.nResult == nResult)
            return t.lpszText;
    }
    CString strText;
    strText.Format(_T("Unknown Error (%d) occurred."), (int)nResult);
    return strText;
}

void CHyperlinkStatic::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CString strText;
    GetWindowText(strText);
    if (m_strURL.IsEmpty())
        m_strURL = strText;
    if (strText.IsEmpty())
        SetWindowText(m_strURL);

    LOGFONT lf = {};
    ::GetObject(StartFont(this), sizeof(lf), &lf);
    lstrcpyn(lf.lfFaceName, _T("Arial"), LF_FACESIZE);
    lf.lfWeight = FW_NORMAL;
    lf.lfHeight = kLinkFontHeight;
    lf.lfUnderline = FALSE;
    m_fontPlain.DeleteObject();
    m_fontPlain.CreateFontIndirect(&lf);
    lf.lfUnderline = TRUE;
    m_fontUnderline.DeleteObject();
    m_fontUnderline.CreateFontIndirect(&lf);
    SendMessage(WM_SETFONT, (WPARAM)CurrentFont().GetSafeHandle(), FALSE);

    FitToText();
    LoadHandCursor();

    if (m_toolTip.GetSafeHwnd() == NULL && m_toolTip.Create(this))
    {
        CRect rect;
        GetClientRect(&rect);
        m_toolTip.AddTool(this, m_strURL, &rect, kToolId);
    }
    CStatic::PreSubclassWindow();
}

void CHyperlinkStatic::FitToText()
{
    if (!m_bAutoSize || m_hWnd == NULL)
        return;
    CWnd* pParent = GetParent();
    CRect rectWindow;
    CRect rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    if (pParent != NULL)
        pParent->ScreenToClient(&rectWindow);

    CString strText;
    GetWindowText(strText);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_fontUnderline);
    CSize size = dc.GetTextExtent(strText);
    dc.SelectObject(pOld);

    DWORD dwStyle = GetStyle();
    int nHeight = size.cy + (rectWindow.Height() - rectClient.Height());
    if (dwStyle & SS_CENTERIMAGE)
    {
        int nTop = rectWindow.top + (rectWindow.Height() - nHeight) / 2;
        rectWindow.top = nTop;
    }
    rectWindow.bottom = rectWindow.top + nHeight;
    int nWidth = size.cx + (rectWindow.Width() - rectClient.Width());
    switch (dwStyle & SS_TYPEMASK)
    {
    case SS_CENTER:
        rectWindow.left += (rectWindow.Width() - nWidth) / 2;
        break;
    case SS_RIGHT:
        rectWindow.left = rectWindow.right - nWidth;
        break;
    default:
        break;
    }
    rectWindow.right = rectWindow.left + nWidth;
    SetWindowPos(NULL, rectWindow.left, rectWindow.top, rectWindow.Width(), rectWindow.Height(), SWP_NOZORDER);
}

void CHyperlinkStatic::LoadHandCursor()
{
    if (m_hCursor != NULL)
        return;
    TCHAR szPath[MAX_PATH] = {};
    UINT nLength = ::GetWindowsDirectory(szPath, MAX_PATH);
    if (nLength == 0 || nLength + 14 >= MAX_PATH)
        return;
    lstrcat(szPath, _T("\\winhlp32.exe"));
    HMODULE hModule = ::LoadLibraryEx(szPath, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == NULL)
        return;
    HCURSOR hHand = ::LoadCursor(hModule, MAKEINTRESOURCE(106));
    if (hHand != NULL)
        m_hCursor = (HCURSOR)::CopyIcon((HICON)hHand);
    ::FreeLibrary(hModule);
}

void CHyperlinkStatic::SetURL(LPCTSTR lpszURL)
{
    m_strURL = lpszURL != NULL ? lpszURL : _T("");
    if (m_hWnd == NULL)
        return;
    FitToText();
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.UpdateTipText(m_strURL, this, kToolId);
}

void CHyperlinkStatic::SetUnderline(int nMode)
{
    if (nMode == m_nUnderline)
        return;
    m_nUnderline = nMode;
    if (m_hWnd != NULL)
    {
        SendMessage(WM_SETFONT, (WPARAM)CurrentFont().GetSafeHandle(), FALSE);
        Invalidate();
    }
}

void CHyperlinkStatic::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    if (m_hWnd != NULL)
        Invalidate();
}

BOOL CHyperlinkStatic::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CHyperlinkStatic::DestroyWindow()
{
    if (m_hWnd != NULL)
        KillTimer(kHoverTimer);
    return CStatic::DestroyWindow();
}

HBRUSH CHyperlinkStatic::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_bHover ? m_crHover : (m_bVisited ? m_crVisited : m_crLink));
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

BOOL CHyperlinkStatic::OnEraseBkgnd(CDC* pDC)
{
    pDC->SetBkMode(TRANSPARENT);
    return TRUE;
}

BOOL CHyperlinkStatic::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor != NULL)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CHyperlinkStatic::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHover)
    {
        m_bHover = TRUE;
        if (m_nUnderline == underlineHover)
            SendMessage(WM_SETFONT, (WPARAM)m_fontUnderline.GetSafeHandle(), FALSE);
        Invalidate();
        SetTimer(kHoverTimer, kHoverInterval, NULL);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CHyperlinkStatic::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimer)
    {
        DWORD dwPos = ::GetMessagePos();
        CPoint point(GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos));
        ScreenToClient(&point);
        CRect rect;
        GetClientRect(&rect);
        if (!rect.PtInRect(point))
        {
            m_bHover = FALSE;
            KillTimer(kHoverTimer);
            if (m_nUnderline != underlineAlways)
                SendMessage(WM_SETFONT, (WPARAM)m_fontPlain.GetSafeHandle(), FALSE);
            rect.bottom += 10;
            InvalidateRect(&rect, TRUE);
        }
    }
    CStatic::OnTimer(nIDEvent);
}

void CHyperlinkStatic::OnClicked()
{
    m_bHover = FALSE;
    INT_PTR nResult = OpenLinkTarget(m_strURL, SW_SHOW);
    if (nResult > 32)
    {
        SetVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(_T("Unable to open hyperlink:\n\n") + ErrorText(nResult), MB_ICONEXCLAMATION);
}
