#include "CVZPMouseHookManager.h"

#include "CVZPCommandBar.h"
#include "VZPDrawHelpers.h"

namespace {

THREAD_LOCAL(CVZPMouseHookManager, g_threadMouseManager)

const UINT_PTR kMouseLeaveTimer = 113341;
const UINT kMouseLeaveInterval = 50;

BOOL IsMoveMessage(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

// Installs a module state for the life of the object.
class CModuleStateScope
{
public:
    explicit CModuleStateScope(AFX_MODULE_STATE* pState) : m_pOld(AfxSetModuleState(pState)) {}
    ~CModuleStateScope() { AfxSetModuleState(m_pOld); }
    CModuleStateScope(const CModuleStateScope&) = delete;
    CModuleStateScope& operator=(const CModuleStateScope&) = delete;

private:
    AFX_MODULE_STATE* m_pOld;
};

}  // namespace

POINT CVZPMouseHookManager::m_ptLastMouse = {0, 0};

CVZPMouseHookManager* AFX_CDECL CVZPMouseHookManager::GetThreadManager()
{
    return g_threadMouseManager.GetData();
}

CVZPMouseHookManager* AFX_CDECL CVZPMouseHookManager::FindThreadManager()
{
    return g_threadMouseManager.GetDataNA();
}

CVZPMouseHookManager::CVZPMouseHookManager()
    : m_nDragCount(0), m_pHotBar(NULL), m_bModalTracking(FALSE), m_bFullMenus(FALSE), m_bEatNextButtonUp(FALSE),
      m_nLockCount(0), m_pModuleState(NULL), m_hHook(NULL), m_hWndLeave(NULL)
{
    m_hHook = ::SetWindowsHookExW(WH_MOUSE, &MouseProc, NULL, ::GetCurrentThreadId());
}

CVZPMouseHookManager::~CVZPMouseHookManager()
{
    if (m_hHook != NULL)
        ::UnhookWindowsHookEx(m_hHook);
    if (m_hWndLeave != NULL && ::IsWindow(m_hWndLeave))
        ::KillTimer(m_hWndLeave, kMouseLeaveTimer);
}

// ---------------------------------------------------------------------------
// Tracked popups

void CVZPMouseHookManager::AddTrackedPopup(CVZPCommandBar* pBar)
{
    m_pModuleState = AfxGetModuleState();
    if (m_arrTracked.GetSize() == 0 && m_pHotBar != NULL && m_pHotBar != pBar)
        m_pHotBar->SetHotControl(-1);
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        if (m_arrTracked[i] == pBar)
            return;
    m_arrTracked.Add(pBar);
}

void CVZPMouseHookManager::RemoveTrackedPopup(CVZPCommandBar* pBar)
{
    INT_PTR nBefore = m_arrTracked.GetSize();
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        if (m_arrTracked[i] == pBar)
        {
            m_arrTracked.RemoveAt(i);
            break;
        }
    if (m_arrTracked.GetSize() == 0 && nBefore > 0)
    {
        m_bModalTracking = FALSE;
        m_bEatNextButtonUp = FALSE;
        POINT pt;
        if (::GetCursorPos(&pt))
            ::SetCursorPos(pt.x, pt.y);
    }
}

void CVZPMouseHookManager::EndTracking(CVZPCommandBar* pBar)
{
    pBar->SetTrackingMode(0, TRUE, FALSE);
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        if (m_arrTracked[i] == pBar)
        {
            RemoveTrackedPopup(pBar);
            break;
        }
}

void CVZPMouseHookManager::CloseTrackedPopups()
{
    while (m_arrTracked.GetSize() > 0)
        EndTracking(m_arrTracked[0]);
}

void CVZPMouseHookManager::CloseUnlockedPopups()
{
    if (m_arrTracked.GetSize() == 0 || m_arrTracked[0]->m_nLockTracking <= 0)
        return;
    // Ending one bar's tracking may end others; walk a copy and skip what
    // has gone meanwhile.
    CArray<CVZPCommandBar*, CVZPCommandBar*> arrBars;
    arrBars.Copy(m_arrTracked);
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CVZPCommandBar* pBar = arrBars[i];
        BOOL bTracked = FALSE;
        for (INT_PTR j = 0; j < m_arrTracked.GetSize() && !bTracked; j++)
            bTracked = m_arrTracked[j] == pBar;
        if (bTracked && pBar->m_nLockTracking == 0)
            EndTracking(pBar);
    }
}

void CVZPMouseHookManager::LockTrackedPopups(BOOL bLock)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        m_arrTracked[i]->m_nLockTracking += bLock ? 1 : -1;
}

BOOL CVZPMouseHookManager::IsInputBlocked(CVZPCommandBar* pBar) const
{
    if (m_arrTracked.GetSize() == 0)
        return FALSE;
    if (pBar == NULL || pBar->m_nLockTracking > 0)
        return TRUE;
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        if (m_arrTracked[i] == pBar)
            return FALSE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Trusted windows

void CVZPMouseHookManager::AddTrustedWindow(HWND hWnd)
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++)
        if (m_arrTrusted[i] == hWnd)
            return;
    m_arrTrusted.Add(hWnd);
}

void CVZPMouseHookManager::RemoveTrustedWindow(HWND hWnd)
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++)
        if (m_arrTrusted[i] == hWnd)
        {
            m_arrTrusted.RemoveAt(i);
            return;
        }
}

BOOL CVZPMouseHookManager::IsInTrustedWindow(POINT pt) const
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++)
    {
        HWND hWnd = m_arrTrusted[i];
        RECT rc;
        if (::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, pt))
            return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// The hook

LRESULT CALLBACK CVZPMouseHookManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CVZPMouseHookManager* pManager = FindThreadManager();
    if (pManager == NULL || nCode != HC_ACTION)
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);

    const UINT nMessage = (UINT)wParam;
    const POINT pt = ((MOUSEHOOKSTRUCT*)lParam)->pt;
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        pManager->m_bEatNextButtonUp = FALSE;
    else if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && pManager->m_bEatNextButtonUp)
    {
        pManager->m_bEatNextButtonUp = FALSE;
        return 1;
    }

    const BOOL bTracking = pManager->m_arrTracked.GetSize() > 0;
    if (bTracking && IsMoveMessage(nMessage) && pt.x == m_ptLastMouse.x && pt.y == m_ptLastMouse.y)
        return 1;
    m_ptLastMouse = pt;

    if (bTracking)
    {
        CModuleStateScope state(pManager->m_pModuleState);
        pManager->ProcessMouseMessage(nMessage, pt);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

void CVZPMouseHookManager::ProcessMouseMessage(UINT nMessage, POINT pt)
{
    HWND hWndUnder = ::WindowFromPoint(pt);
    for (INT_PTR i = m_arrTracked.GetSize() - 1; i >= 0; i--)
    {
        CVZPCommandBar* pBar = m_arrTracked[i];
        if (pBar->GetSafeHwnd() == NULL)
            continue;
        const int nHit = pBar->IsPointInBar(pt);
        if (nHit == -2)
            continue;
        if (nHit == 1 || (hWndUnder != NULL && ::IsChild(pBar->m_hWnd, hWndUnder)))
        {
            if (pBar->m_nLockTracking > 0 && !IsMoveMessage(nMessage) && !m_bEatNextButtonUp)
            {
                CloseUnlockedPopups();
                m_ptLastMouse.x = m_ptLastMouse.y = 0;
            }
            return;
        }
    }

    if (IsInTrustedWindow(pt))
        return;

    switch (nMessage)
    {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    {
        CArray<CVZPCommandBar*, CVZPCommandBar*> arrBars;
        arrBars.Copy(m_arrTracked);
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        {
            CVZPCommandBar* pBar = arrBars[i];
            BOOL bTracked = FALSE;
            for (INT_PTR j = 0; j < m_arrTracked.GetSize() && !bTracked; j++)
                bTracked = m_arrTracked[j] == pBar;
            if (!bTracked || pBar->m_nLockTracking > 0 || pBar->GetSafeHwnd() == NULL)
                continue;
            POINT ptClient = pt;
            ::ScreenToClient(pBar->m_hWnd, &ptClient);
            ::SendMessageW(pBar->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        CloseTrackedPopups();
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        if (m_nDragCount <= 0)
            CloseTrackedPopups();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Mouse leave

void CVZPMouseHookManager::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == GetMouseLeaveWindow())
        return;
    HWND hWndOld = m_hWndLeave;
    m_hWndLeave = hWnd;
    if (hWndOld != NULL && ::IsWindow(hWndOld))
    {
        ::KillTimer(hWndOld, kMouseLeaveTimer);
        ::SendMessageW(hWndOld, WM_MOUSELEAVE, 0, 0);
    }
    if (hWnd != NULL)
        ::SetTimer(hWnd, kMouseLeaveTimer, kMouseLeaveInterval, &MouseLeaveTimerProc);
}

HWND CVZPMouseHookManager::GetMouseLeaveWindow()
{
    if (m_hWndLeave != NULL && !::IsWindow(m_hWndLeave))
        m_hWndLeave = NULL;
    return m_hWndLeave;
}

void CALLBACK CVZPMouseHookManager::MouseLeaveTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime)
{
    (void)nMsg;
    (void)dwTime;
    CVZPMouseHookManager* pManager = FindThreadManager();
    if (pManager == NULL || hWnd != pManager->m_hWndLeave)
    {
        // A timer left behind by a manager that watches another window now.
        ::KillTimer(hWnd, nIDEvent);
        return;
    }
    pManager->OnMouseLeaveTimer(hWnd);
}

void CVZPMouseHookManager::OnMouseLeaveTimer(HWND hWnd)
{
    if (!::IsWindow(hWnd))
    {
        ::KillTimer(hWnd, kMouseLeaveTimer);
        m_hWndLeave = NULL;
        return;
    }
    POINT pt;
    RECT rc;
    ::GetCursorPos(&pt);
    ::GetWindowRect(hWnd, &rc);
    if (::PtInRect(&rc, pt) &&
        (::GetParent(hWnd) == NULL || (::GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP) != 0 || IsTopParentActive(hWnd)))
        return;
    ::KillTimer(hWnd, kMouseLeaveTimer);
    m_hWndLeave = NULL;
    ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}
