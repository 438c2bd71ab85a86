// CWnd operations: geometry, relations, modal loop, tool tips, control
// updates and bar layout.
#include "wndstate.h"

#include <afxcmn.h>

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        std::swap(lpRect->left, lpRect->right);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        std::swap(lpRect->left, lpRect->right);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd == NULL)
        return 0;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
    {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != NULL ? CWnd::FromHandle(m_hWndOwner) : GetParent();
}

HWND AFXAPI AfxGetParentOwner(HWND hWnd)
{
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

HWND AfxGetTopLevelParent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    HWND hWndT;
    while ((hWndT = AfxGetParentOwner(hWnd)) != NULL)
        hWnd = hWndT;
    return hWnd;
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    return CWnd::FromHandle(AfxGetTopLevelParent(m_hWnd));
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != NULL)
        hWndOwner = hWndT;
    return CWnd::FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    return CWnd::FromHandle(AfxGetParentOwner(m_hWnd));
}

// Frames are CWnd objects whose IsFrameWnd() answers TRUE; CFrameWnd derives
// from CWnd alone, so the pointer is the same object.
static CFrameWnd* AsFrame(CWnd* pWnd)
{
    return reinterpret_cast<CFrameWnd*>(pWnd);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    for (CWnd* pParent = GetParent(); pParent != NULL; pParent = pParent->GetParent())
    {
        if (pParent->IsFrameWnd())
            return AsFrame(pParent);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pFrameWnd = IsFrameWnd() ? const_cast<CWnd*>(this) : reinterpret_cast<CWnd*>(GetParentFrame());
    if (pFrameWnd != NULL)
    {
        CWnd* pTemp;
        while ((pTemp = reinterpret_cast<CWnd*>(pFrameWnd->GetParentFrame())) != NULL)
            pFrameWnd = pTemp;
    }
    return AsFrame(pFrameWnd);
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == NULL)
    {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain->GetSafeHwnd();
    }
    // The top-level window that owns hWnd.
    while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    if (pWndTop != NULL)
        *pWndTop = hWndTop;
    if (hWnd != NULL && pParent == NULL)
    {
        HWND hWndPopup = ::GetLastActivePopup(hWnd);
        if (hWndPopup != NULL)
            hWnd = hWndPopup;
    }
    return CWnd::FromHandle(hWnd);
}

CWnd* PASCAL CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    HWND hWndChild = ::GetDlgItem(hWnd, nID);
    if (hWndChild != NULL)
    {
        if (::GetTopWindow(hWndChild) != NULL)
        {
            // The child has children of its own: prefer a deeper match.
            CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
            if (pWnd != NULL)
                return pWnd;
        }
        if (!bOnlyPerm)
            return CWnd::FromHandle(hWndChild);
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (pWnd != NULL)
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
        if (pWnd != NULL)
            return pWnd;
    }
    return NULL;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

BOOL CWnd::IsTopParentActive() const
{
    CWnd* pWndTop = GetTopLevelParent();
    if (pWndTop == NULL)
        return FALSE;
    HWND hWndActive = ::GetForegroundWindow();
    return hWndActive != NULL && hWndActive == ::GetLastActivePopup(pWndTop->m_hWnd);
}

void CWnd::ActivateTopParent()
{
    CWnd* pTopLevel = GetTopLevelParent();
    if (pTopLevel == NULL)
        return;
    HWND hWndActive = ::GetActiveWindow();
    if (hWndActive == NULL || (hWndActive != m_hWnd && !::IsChild(hWndActive, m_hWnd)))
        pTopLevel->SetActiveWindow();
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == NULL)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    RECT rcArea;
    RECT rcCenter;
    if (!(dwStyle & WS_CHILD))
    {
        // Centre on the owner when it is visible and not minimised, else on
        // the work area of its monitor.
        if (hWndCenter != NULL && (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
            hWndCenter = NULL;
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfo(hMonitor, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter != NULL)
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    else
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (LPPOINT)&rcCenter, 2);
    }
    int cx = rcDlg.right - rcDlg.left;
    int cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return ::MessageBox(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_STYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar)
{
    int nMin = 0, nMax = 0;
    ::GetScrollRange(m_hWnd, nBar, &nMin, &nMax);
    SCROLLINFO info;
    if (GetScrollInfo(nBar, &info, SIF_PAGE))
        nMax -= (int)(info.nPage > 1 ? info.nPage - 1 : 0);
    return nMax;
}

// ---------------------------------------------------------------------------
// Modal loop

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    HWND hWndSelf = m_hWnd;
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);

    CWinThread* pThread = AfxGetThread();
    MSG* pMsg = pThread != NULL ? &pThread->m_msgCur : &AfxGetThreadState()->m_msgCur;
    for (;;)
    {
        // Idle: show the window, tell the parent, let the window update itself.
        while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessage(hWndSelf, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!AfxPumpMessage())
            {
                // WM_QUIT: leave the loop and let the outer loop see it too.
                AfxPostQuitMessage((int)pMsg->wParam);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!::IsWindow(hWndSelf) || !ContinueModal())
                goto ExitModal;
            if (AfxIsIdleMessage(pMsg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);   // wake the loop
    }
}

// ---------------------------------------------------------------------------
// Tool tips for child windows

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        CancelToolTips();
    }
    return bOld;
}

BOOL CWnd::EnableTrackingToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TRACKINGTOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TRACKINGTOOLTIPS;
    else
        m_nFlags &= ~WF_TRACKINGTOOLTIPS;
    return bOld;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    if (pTI != NULL)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        // A tip over anything but a button stays put below the control
        // instead of following the cursor.
        if ((::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0)
            pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
    }
    return (INT_PTR)AfxGetDlgCtrlIDSafe(hWndChild);
}

void PASCAL CWnd::CancelToolTips(BOOL bKeys)
{
    (void)bKeys;
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    CToolTipCtrl* pToolTip = pState->m_pToolTip;
    if (pToolTip != NULL && pToolTip->m_hWnd != NULL)
        pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    pState->m_pLastHit = NULL;
    pState->m_nLastHit = -1;
}

// The tool-tip owner a message belongs to: the first window, from the
// message's window up through its parents, that shows tips for its children.
static CWnd* ToolTipOwnerOf(HWND hWnd)
{
    for (; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && (pWnd->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)))
            return pWnd;
        if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;   // the parent of a top-level window is its owner
    }
    return NULL;
}

static bool IsToolTipHitTestMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
           message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

static bool IsToolTipCancelMessage(UINT message)
{
    switch (message)
    {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return message >= WM_KEYFIRST && message <= WM_KEYLAST;
    }
}

static bool IsMouseButtonHeld()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

// The thread's tip control, owned by pOwner: made on first use, and made
// anew when the window that asks for it has another owner.
static CToolTipCtrl* ToolTipFor(_AFX_THREAD_STATE* pState, CWnd* pOwner)
{
    CToolTipCtrl* pToolTip = pState->m_pToolTip;
    if (pToolTip != NULL && pToolTip->m_hWnd != NULL &&
        (!::IsWindow(pToolTip->m_hWnd) || ::GetWindow(pToolTip->m_hWnd, GW_OWNER) != pOwner->GetSafeHwnd()))
    {
        pToolTip->DestroyWindow();
    }
    if (pToolTip != NULL && pToolTip->m_hWnd != NULL)
        return pToolTip;
    if (pToolTip == NULL)
        pToolTip = pState->m_pToolTip = new CToolTipCtrl;
    // The old control went with its tools.
    pState->m_pLastInfoOwner = NULL;
    pState->m_pLastHit = NULL;
    pState->m_nLastHit = -1;
    if (!pToolTip->Create(pOwner, TTS_ALWAYSTIP))
        return NULL;
    pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    return pToolTip;
}

// Text a hit test handed over is the caller's to free: it was allocated with
// calloc, unless it is a callback marker or a resource id (hinst set).
static void FreeToolText(TOOLINFO& ti)
{
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK && ti.hinst == NULL)
        free(ti.lpszText);
    ti.lpszText = NULL;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT message = pMsg->message;
    bool bHitTest = IsToolTipHitTestMessage(message) && !IsMouseButtonHeld();
    if (!bHitTest && !IsToolTipCancelMessage(message))
        return;
    // Messages of a child that shows tips of its own are the child's.
    if (ToolTipOwnerOf(pMsg->hwnd) != this)
        return;
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (!bHitTest)
    {
        if ((m_nFlags & WF_TRACKINGTOOLTIPS) == 0)
            CancelToolTips(message >= WM_KEYFIRST && message <= WM_KEYLAST);
        return;
    }
    if (::GetCapture() != NULL && ::GetCapture() != m_hWnd)
        return;

    CWnd* pOwner = GetParentOwner();
    CToolTipCtrl* pToolTip = ToolTipFor(pState, pOwner != NULL ? pOwner : this);
    if (pToolTip == NULL)
        return;

    CPoint point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);
    // The short form, without lParam: an override that fills the long form
    // would write through a pointer nobody gave it.
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    INT_PTR nHit = OnToolHitTest(point, &ti);
    if (!(ti.uFlags & TTF_IDISHWND) && ti.hwnd == NULL)
        ti.hwnd = m_hWnd;
    // Tips show only while this window's top-level window is active,
    // unless the tool asks for them always.
    if (nHit != -1 && !(ti.uFlags & TTF_ALWAYSTIP) && !IsTopParentActive())
        nHit = -1;

    const TOOLINFO& last = pState->m_lastInfo;
    bool bSameTool = pState->m_pLastHit == this && pState->m_nLastHit == nHit &&
                     (nHit == -1 || (pState->m_pLastInfoOwner == this && last.hwnd == ti.hwnd &&
                                     last.uId == ti.uId && ::EqualRect(&last.rect, &ti.rect)));
    if (!bSameTool)
    {
        if (pState->m_pLastInfoOwner != NULL)
        {
            pToolTip->SendMessage(TTM_DELTOOL, 0, (LPARAM)&pState->m_lastInfo);
            pState->m_pLastInfoOwner = NULL;
        }
        if (nHit != -1)
        {
            TOOLINFO tiAdd = ti;
            tiAdd.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
            pToolTip->SendMessage(TTM_ADDTOOL, 0, (LPARAM)&tiAdd);
            pState->m_lastInfo = ti;
            pState->m_lastInfo.lpszText = NULL;
            pState->m_pLastInfoOwner = this;
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            ::SetWindowPos(pToolTip->m_hWnd, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
        else
        {
            pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        }
        pState->m_pLastHit = this;
        pState->m_nLastHit = nHit;
    }
    if (nHit != -1)
    {
        MSG msg = *pMsg;
        pToolTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }
    FreeToolText(ti);
}

// ---------------------------------------------------------------------------
// Update of child controls

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        wndTemp.m_hWnd = hWndChild;
        state.m_nID = AfxGetDlgCtrlIDSafe(hWndChild);
        state.m_pOther = &wndTemp;

        // An update handler in the control itself comes first.
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (pWnd != NULL &&
            pWnd->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
            continue;
        // Then one in this window.
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;

        // Without a handler, only command buttons are disabled; check boxes,
        // radio buttons, group boxes and other controls keep their state.
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable)
        {
            if ((::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0)
                bDisable = FALSE;
            else
            {
                UINT nStyle = (UINT)(::GetWindowLong(hWndChild, GWL_STYLE) & 0x0F);
                if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                    nStyle == BS_AUTORADIOBUTTON)
                    bDisable = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisable);
    }
    wndTemp.m_hWnd = NULL;
}

// ---------------------------------------------------------------------------
// Bar layout

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    if (lpLayout != NULL && lpLayout->hDWP == NULL)
        return;   // query pass
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    if (lpLayout != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    HWND hWndLeftOver = NULL;
    layout.bStretch = bStretch;
    layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    if (nFlags != reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);
    else
        layout.hDWP = NULL;

    // Every child in z-order, visible or not, takes its strip.
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = AfxGetDlgCtrlIDSafe(hWndChild);
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && pWnd != NULL)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nFlags == reposQuery)
    {
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else
        {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != NULL)
    {
        if (nFlags == reposExtra && lpRectParam != NULL)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
        pLeftOver->CalcWindowRect(&layout.rect);
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------------------
// Dialog initialisation data (list and combo box strings from the template)

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCE(240));
    HRSRC hResource = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hResource == NULL)
        return TRUE;   // no initialisation data is fine
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    if (hData == NULL)
        return FALSE;
    return ExecuteDlgInit(::LockResource(hData));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    if (lpResource == NULL)
        return TRUE;
    // Records: WORD control id, WORD message (16-bit ids), DWORD length, text.
    const BYTE* p = (const BYTE*)lpResource;
    for (int nGuard = 0; nGuard < 4096; nGuard++)
    {
        WORD nIDC = *(const WORD*)p;
        if (nIDC == 0)
            break;
        WORD nMsg = *(const WORD*)(p + 2);
        DWORD dwLen = *(const DWORD*)(p + 4);
        const char* pszText = (const char*)(p + 8);
        UINT nMessage = nMsg == 0x0401 ? LB_ADDSTRING : nMsg == 0x0403 ? CB_ADDSTRING : 0;
        if (nMessage != 0)
        {
            CString strText(pszText);
            ::SendDlgItemMessage(m_hWnd, nIDC, nMessage, 0, (LPARAM)(LPCTSTR)strText);
        }
        p += 8 + dwLen;
    }
    return TRUE;
}
