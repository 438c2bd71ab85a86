#include "CVZPToolTipWnd.h"

#include "CVZPColorManager.h"
#include "CVZPTooltipService.h"
#include "VZPDrawHelpers.h"

namespace {

// The process-wide mouse hook and the one tip window it serves.
HHOOK g_hMouseHook = NULL;
CVZPToolTipWnd* g_pHookUser = NULL;

const UINT_PTR kDelayTimerId = 1;
const int kCursorOffsetY = 21;         // the tip's top below the cursor
const DWORD kStyleFaceTopLeft = 0x1000; // top-left edge in the 3-D face colour
const DWORD kStyleNoShadow = 0x2000;

BOOL IsRelayedMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// A tool's text from a TOOLINFO or a TTN_GETDISPINFO answer: a string
// resource when hinst is set and the pointer is an id.
CString TextFromToolPointer(LPCWSTR pszText, HINSTANCE hinst)
{
    CString str;
    if (pszText == NULL || pszText == LPSTR_TEXTCALLBACKW)
        return str;
    if (IS_INTRESOURCE(pszText))
    {
        if (hinst != NULL)
        {
            WCHAR szBuffer[1024] = L"";
            ::LoadStringW(hinst, (UINT)(UINT_PTR)pszText, szBuffer, _countof(szBuffer));
            str = szBuffer;
        }
        return str;
    }
    return CString(pszText);
}

void SetToolText(CVZPTipTool& tool, const TOOLINFOW* pTI)
{
    tool.bCallback = pTI->lpszText == LPSTR_TEXTCALLBACKW;
    tool.strText = TextFromToolPointer(pTI->lpszText, pTI->hinst);
}

}  // namespace

CVZPToolTipWnd::CVZPToolTipWnd(CVZPTooltipService* pService)
    : m_bActive(FALSE), m_pService(pService), m_nTimer(0), m_dwLastChange(0), m_nInitialDelay(500),
      m_nQuickSwitch(200)
{
    // The structure's XP size, whatever the headers' version macros say.
    static_assert(sizeof(NONCLIENTMETRICSW) >= 500, "NONCLIENTMETRICSW too small");
    NONCLIENTMETRICSW ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = 500;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &ncm, 0))
        m_font.CreateFontIndirect(&ncm.lfStatusFont);
    else
        m_font.Attach(::GetStockObject(DEFAULT_GUI_FONT));
}

CVZPToolTipWnd::~CVZPToolTipWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    RemoveMouseHook();
    RemoveAllTools();
}

BEGIN_MESSAGE_MAP(CVZPToolTipWnd, CWnd)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(TTM_ADDTOOLW, OnAddTool)
    ON_MESSAGE(TTM_DELTOOLW, OnDelTool)
    ON_MESSAGE(TTM_UPDATETIPTEXTW, OnUpdateTipText)
    ON_MESSAGE(TTM_SETTITLEW, OnSetTitle)
    ON_MESSAGE(TTM_ACTIVATE, OnActivateTip)
    ON_MESSAGE(TTM_RELAYEVENT, OnRelayEvent)
    ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
END_MESSAGE_MAP()

BOOL CVZPToolTipWnd::Create(CWnd* pOwner, DWORD dwStyle)
{
    UINT nClassStyle = CS_SAVEBITS | CS_OWNDC;
    const DWORD dwComCtl = m_pService != NULL ? m_pService->GetComCtlVersion() : 0;
    if (dwComCtl >= 0x60000 && (dwStyle & kStyleNoShadow) == 0)
        nClassStyle |= CS_DROPSHADOW;
    LPCTSTR pszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(WS_EX_TOOLWINDOW, pszClass, NULL, dwStyle | WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pOwner->GetSafeHwnd(), NULL);
}

// ---------------------------------------------------------------------------
// Tools

INT_PTR CVZPToolTipWnd::FindTool(HWND hwnd, UINT_PTR uId) const
{
    for (INT_PTR i = 0; i < m_tools.GetSize(); ++i)
        if (m_tools[i]->hwnd == hwnd && m_tools[i]->uId == uId)
            return i;
    return -1;
}

void CVZPToolTipWnd::RemoveAllTools()
{
    for (INT_PTR i = 0; i < m_tools.GetSize(); ++i)
        delete m_tools[i];
    m_tools.RemoveAll();
}

LRESULT CVZPToolTipWnd::OnAddTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pTI = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pTI == NULL || pTI->cbSize < TTTOOLINFOW_V1_SIZE)
        return FALSE;
    CVZPTipTool* pTool = new CVZPTipTool;
    SetToolText(*pTool, pTI);
    pTool->uFlags = pTI->uFlags;
    pTool->rect = pTI->rect;
    pTool->hinst = pTI->hinst;
    pTool->hwnd = pTI->hwnd;
    pTool->uId = pTI->uId;
    m_tools.Add(pTool);
    return TRUE;
}

LRESULT CVZPToolTipWnd::OnDelTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pTI = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pTI == NULL)
        return 0;
    const INT_PTR nIndex = FindTool(pTI->hwnd, pTI->uId);
    if (nIndex < 0)
        return 0;
    CVZPTipTool* pTool = m_tools[nIndex];
    if (m_shown.IsSameTool(*pTool))
        ShowTool(NULL);
    if (m_clicked.IsSameTool(*pTool))
        m_clicked.Clear();
    if (m_pending.IsSameTool(*pTool))
    {
        StopTimer();
        m_pending.Clear();
    }
    m_tools.RemoveAt(nIndex);
    delete pTool;
    return 0;
}

LRESULT CVZPToolTipWnd::OnUpdateTipText(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pTI = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pTI == NULL)
        return 0;
    const INT_PTR nIndex = FindTool(pTI->hwnd, pTI->uId);
    if (nIndex >= 0)
        SetToolText(*m_tools[nIndex], pTI);
    return 0;
}

LRESULT CVZPToolTipWnd::OnSetTitle(WPARAM, LPARAM lParam)
{
    m_strTitle = StripPrefixes(lParam != 0 ? CString(reinterpret_cast<LPCWSTR>(lParam)) : CString());
    return TRUE;
}

LRESULT CVZPToolTipWnd::OnActivateTip(WPARAM wParam, LPARAM)
{
    m_bActive = wParam != 0;
    if (!m_bActive)
    {
        StopTimer();
        m_pending.Clear();
        ShowTool(NULL);
    }
    return 0;
}

LRESULT CVZPToolTipWnd::OnRelayEvent(WPARAM, LPARAM lParam)
{
    RelayEvent(reinterpret_cast<const MSG*>(lParam));
    return 0;
}

LRESULT CVZPToolTipWnd::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    const POINT* pPoint = reinterpret_cast<const POINT*>(lParam);
    return pPoint != NULL ? (LRESULT)VZPTipWindowFromPoint(*pPoint) : 0;
}

const CVZPTipTool* CVZPToolTipWnd::ToolUnderCursor() const
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        return NULL;
    const HWND hAtCursor = VZPTipWindowFromPoint(pt);
    for (INT_PTR i = 0; i < m_tools.GetSize(); ++i)
    {
        const CVZPTipTool* pTool = m_tools[i];
        RECT rc;
        if (pTool->uFlags & TTF_IDISHWND)
        {
            const HWND hTool = reinterpret_cast<HWND>(pTool->uId);
            if (!::IsWindow(hTool) || !::GetWindowRect(hTool, &rc))
                continue;
        }
        else
        {
            if (!::IsWindow(pTool->hwnd) || pTool->hwnd != hAtCursor)
                continue;
            rc = pTool->rect;
            ::MapWindowPoints(pTool->hwnd, NULL, reinterpret_cast<LPPOINT>(&rc), 2);
        }
        if (::PtInRect(&rc, pt))
            return pTool;
    }
    return NULL;
}

void CVZPToolTipWnd::RelayEvent(const MSG* pMsg)
{
    if (!m_bActive || pMsg == NULL || !IsRelayedMouseMessage(pMsg->message))
        return;
    const CVZPTipTool* pTool = NULL;
    if (pMsg->message == WM_LBUTTONDOWN)
    {
        // A click hides the tool's tip until the cursor reaches another tool.
        if (const CVZPTipTool* pClicked = ToolUnderCursor())
            m_clicked = *pClicked;
    }
    else if (!VZPIsMouseButtonHeld())
    {
        pTool = ToolUnderCursor();
        if (pTool != NULL && pTool->IsSameTool(m_clicked))
            pTool = NULL;
    }

    if (m_nTimer != 0 && (pTool == NULL || !m_pending.IsSameTool(*pTool)))
    {
        StopTimer();
        m_pending.Clear();
    }
    if (pTool == NULL)
    {
        ShowTool(NULL);
        return;
    }
    if (m_shown.IsSameTool(*pTool))
        return;
    if (::GetTickCount() - m_dwLastChange >= m_nQuickSwitch)
    {
        if (m_nTimer == 0)
        {
            m_pending = *pTool;
            m_nTimer = SetTimer(kDelayTimerId, m_nInitialDelay);
        }
        return;
    }
    ShowTool(pTool);   // moving quickly from tool to tool
}

void CVZPToolTipWnd::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == kDelayTimerId)
    {
        const CVZPTipTool pending = m_pending;
        StopTimer();
        m_pending.Clear();
        const CVZPTipTool* pTool = ToolUnderCursor();
        if (!pending.IsEmpty() && pTool != NULL && pTool->IsSameTool(pending))
            ShowTool(pTool);
    }
    CWnd::OnTimer(nIDEvent);
}

void CVZPToolTipWnd::StopTimer()
{
    if (m_nTimer != 0)
    {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
}

void CVZPToolTipWnd::ShowTool(const CVZPTipTool* pTool)
{
    CVZPTipTool tool;
    if (pTool != NULL)
        tool = *pTool;
    if (tool.IsSameTool(m_shown))
        return;
    CSize size(0, 0);
    if (!tool.IsEmpty())
    {
        tool.strText = ResolveText(tool);
        size = CalcTipSize(tool);
        if (size.cx <= 0 || size.cy <= 0)
            tool.Clear();
    }
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!tool.IsEmpty())
    {
        POINT pt = {0, 0};
        ::GetCursorPos(&pt);
        SetWindowPos(&wndTop, pt.x, pt.y + kCursorOffsetY, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
        Invalidate();
        InstallMouseHook();
        m_clicked.Clear();
    }
    else
    {
        RemoveMouseHook();
        StopTimer();
        m_pending.Clear();
    }
    m_shown = tool;
    m_dwLastChange = ::GetTickCount();
}

CString CVZPToolTipWnd::StripPrefixes(const CString& str) const
{
    CString strResult = str;
    if (m_hWnd == NULL || (GetStyle() & TTS_NOPREFIX) == 0)
        StripMnemonicAmpersands(strResult);
    return strResult;
}

CString CVZPToolTipWnd::ResolveText(const CVZPTipTool& tool)
{
    if (!tool.bCallback)
        return StripPrefixes(tool.strText);
    NMTTDISPINFOW info;
    memset(&info, 0, sizeof(info));
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = tool.uId;
    info.hdr.code = TTN_GETDISPINFOW;
    info.lpszText = info.szText;
    info.hinst = tool.hinst;
    info.uFlags = tool.uFlags;
    HWND hNotify = ::GetWindow(m_hWnd, GW_OWNER);
    if (hNotify == NULL)
        hNotify = ::GetParent(m_hWnd);
    if (hNotify != NULL)
        ::SendMessageW(hNotify, WM_NOTIFY, (WPARAM)tool.uId, (LPARAM)&info);
    info.szText[_countof(info.szText) - 1] = L'\0';
    return StripPrefixes(TextFromToolPointer(info.lpszText, info.hinst));
}

// ---------------------------------------------------------------------------
// Mouse hook: follows the cursor while a tip shows, so the tip hides when the
// cursor leaves for a window that does not relay its mouse messages.

CVZPToolTipWnd* CVZPToolTipWnd::GetMouseHookUser()
{
    return g_pHookUser;
}

void CVZPToolTipWnd::InstallMouseHook()
{
    if (g_hMouseHook != NULL || g_pHookUser != NULL)
        return;
    g_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, &CVZPToolTipWnd::MouseHookProc, NULL, ::GetCurrentThreadId());
    if (g_hMouseHook != NULL)
        g_pHookUser = this;
}

void CVZPToolTipWnd::RemoveMouseHook()
{
    if (g_pHookUser != this)
        return;
    ::UnhookWindowsHookEx(g_hMouseHook);
    g_hMouseHook = NULL;
    g_pHookUser = NULL;
}

LRESULT CALLBACK CVZPToolTipWnd::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = g_hMouseHook;   // the relay below may remove the hook
    CVZPToolTipWnd* pUser = g_pHookUser;
    if (nCode == HC_ACTION && pUser != NULL && !pUser->m_shown.IsEmpty())
    {
        const MOUSEHOOKSTRUCT* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        const HWND hWnd = VZPTipWindowFromPoint(pHook->pt);
        if (hWnd != pUser->m_shown.hwnd)
        {
            POINT ptClient = pHook->pt;
            ::ScreenToClient(hWnd, &ptClient);
            MSG msg = {};
            msg.hwnd = hWnd;
            msg.message = WM_MOUSEMOVE;
            msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
            msg.time = ::GetMessageTime();
            msg.pt = pHook->pt;
            pUser->RelayEvent(&msg);
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Size and drawing

COLORREF CVZPToolTipWnd::GetBackColor() const
{
    return m_pService != NULL ? m_pService->GetTipBackColor() : GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CVZPToolTipWnd::GetTextColor() const
{
    return m_pService != NULL ? m_pService->GetTipTextColor() : GetColorManager()->GetColor(COLOR_INFOTEXT);
}

int CVZPToolTipWnd::GetMaxWidth() const
{
    return m_pService != NULL ? m_pService->GetMaxTipWidth() : ::GetSystemMetrics(SM_CXSCREEN) / 2;
}

CRect CVZPToolTipWnd::GetMargins() const
{
    return m_pService != NULL ? CRect(m_pService->GetMargins()) : CRect(0, 0, 0, 0);
}

CSize CVZPToolTipWnd::CalcTipSize(const CVZPTipTool& tool)
{
    if (tool.strText.IsEmpty())
        return CSize(0, 0);
    int nMaxWidth = GetMaxWidth();
    if (nMaxWidth <= 0)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&m_font);
    CRect rcText(0, 0, nMaxWidth, 0);
    dc.DrawText(tool.strText, rcText, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    CRect rcTitle(0, 0, 0, 0);
    if (!m_strTitle.IsEmpty())
        dc.DrawText(m_strTitle, rcTitle, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(pOldFont);
    int nHeight = rcText.Height();
    if (!m_strTitle.IsEmpty())
        nHeight += rcTitle.Height() + 8;
    const int nWidth = rcText.Width() > rcTitle.Width() ? rcText.Width() : rcTitle.Width();
    const CRect rcMargins = GetMargins();
    return CSize(nWidth + rcMargins.left + rcMargins.right + 6, nHeight + rcMargins.top + rcMargins.bottom + 6);
}

void CVZPToolTipWnd::DrawTipText(CDC* pDC, LPCTSTR pszText, const CRect& rect)
{
    const CRect rcMargins = GetMargins();
    CRect rc(rect.left + rcMargins.left + 3, rect.top + rcMargins.top + 3, rect.right - rcMargins.right - 3,
             rect.bottom - rcMargins.bottom - 3);
    if (!m_strTitle.IsEmpty())
    {
        CRect rcTitle(rc);
        rc.top += pDC->DrawText(m_strTitle, rcTitle, DT_SINGLELINE | DT_NOPREFIX) + 8;
        CRect rcLine(rc.left, rc.top - 4, rc.right, rc.top - 3);
        pDC->FillRect(&rcLine, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH)));
    }
    pDC->DrawText(pszText, -1, &rc, DT_WORDBREAK | DT_NOPREFIX);
}

void CVZPToolTipWnd::DrawTipBackground(CDC* pDC, LPCTSTR pszText, const CRect& rect)
{
    (void)pszText;
    pDC->FillSolidRect(&rect, GetBackColor());
    const COLORREF clrTopLeft =
        (GetStyle() & kStyleFaceTopLeft) != 0 ? GetColorManager()->GetColor(COLOR_BTNFACE) : RGB(0, 0, 0);
    pDC->Draw3dRect(&rect, clrTopLeft, RGB(0, 0, 0));
}

void CVZPToolTipWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawTipBackground(&dc, m_shown.strText, rc);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = dc.SetTextColor(GetTextColor());
    CFont* pOldFont = dc.SelectObject(&m_font);
    DrawTipText(&dc, m_shown.strText, rc);
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOldText);
    dc.SetBkMode(nOldMode);
}

// ---------------------------------------------------------------------------
// Window messages

void CVZPToolTipWnd::OnDestroy()
{
    // A tip window can go while it shows a tool (style change, new owner,
    // the service's end); the hook must not outlive its user.
    StopTimer();
    RemoveMouseHook();
    CWnd::OnDestroy();
}

void CVZPToolTipWnd::OnMouseMove(UINT, CPoint)
{
    ShowTool(NULL);
}

UINT CVZPToolTipWnd::OnNcHitTest(CPoint)
{
    return (UINT)HTTRANSPARENT;
}

int CVZPToolTipWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}
