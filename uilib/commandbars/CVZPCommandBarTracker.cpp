#include "CVZPCommandBarTracker.h"

#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPDockBar.h"
#include "CVZPMonitorApi.h"
#include "CVZPMouseHookManager.h"
#include "CVZPToolBar.h"

#include <afxpriv.h>

#include <algorithm>

namespace {

// The flags-word bit that lets a bar dock at each dock bar position.
const DWORD kDockFlags[4] = {0x01, 0x02, 0x04, 0x08};
const DWORD kFloatFlag = 0x10;

void MarkLayoutChanged(CVZPToolBar* pBar)
{
    if (CVZPCommandBars* pCommandBars = pBar->GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
}

}  // namespace

CVZPCommandBarTracker::CVZPCommandBarTracker(CVZPToolBar* pBar)
    : m_pBar(pBar), m_nMode(0), m_nDockIndex(0), m_rcDocked(0, 0, 0, 0), m_ptFloating(0, 0), m_rcDrag(0, 0, 0, 0),
      m_rcFloat(0, 0, 0, 0)
{
    m_ptLast.x = m_ptLast.y = 0;
}

CVZPCommandBarTracker::~CVZPCommandBarTracker()
{
}

void CVZPCommandBarTracker::StartMove(int x, int y)
{
    m_nMode = 1;
    const int nDockIndex = m_nDockIndex;
    const CRect rcDocked = m_rcDocked;
    const BOOL bWasFloating = m_pBar->GetPosition() == vzpBarFloating;

    CRect rc;
    m_pBar->GetWindowRect(&rc);
    MoveRectToContainPoint(&rc, x, y);
    m_rcDrag = m_rcFloat = rc;
    m_ptLast.x = x;
    m_ptLast.y = y;
    ::SetCursor(::LoadCursorW(NULL, IDC_SIZEALL));

    // The managers' keyboard handling and tooltips stand aside meanwhile.
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    pMouseManager->m_nDragCount++;
    TrackLoop();
    pMouseManager->m_nDragCount--;

    if (m_pBar->GetPosition() != vzpBarFloating)
        return;
    m_ptFloating = m_rcFloat.TopLeft();
    if (!bWasFloating)
    {
        // A double-click takes the bar back to where it was pulled out.
        m_nDockIndex = nDockIndex;
        m_rcDocked = rcDocked;
    }
}

void CVZPCommandBarTracker::StartResize(UINT nHitCode, int x, int y)
{
    m_nMode = (int)nHitCode;
    m_ptLast.x = x;
    m_ptLast.y = y;
    m_pBar->GetWindowRect(&m_rcFloat);
    TrackLoop();
    if (m_pBar->GetSafeHwnd() == NULL)
        return;
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    if (m_pBar->GetPosition() == vzpBarFloating)
        m_ptFloating = rc.TopLeft();
    m_pBar->SetMRUWidth(rc.Width());
}

void CVZPCommandBarTracker::TrackLoop()
{
    if (::GetCapture() != NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    const HWND hWnd = m_pBar->GetSafeHwnd();
    ::SetCapture(hWnd);
    CVZPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    BOOL bQuit = FALSE;
    while (!bQuit && ::GetCapture() == hWnd)
    {
        MSG msg;
        // What was uncovered is painted before the bar moves on. A filtered
        // peek still hands out a pending quit request (Wine does so).
        while (::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE) && msg.message == WM_PAINT)
        {
            if (!::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
                break;
            if (msg.message == WM_QUIT)
            {
                bQuit = TRUE;
                break;
            }
            ::DispatchMessageW(&msg);
        }
        if (bQuit || !::GetMessageW(&msg, NULL, 0, 0))
        {
            // The application's own loop ends when the drag is over.
            AfxPostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN)
        {
            if (msg.wParam == VK_ESCAPE)
                break;   // what was moved stays
        }
        else if (msg.message == WM_MOUSEMOVE && (msg.pt.x != m_ptLast.x || msg.pt.y != m_ptLast.y))
        {
            if (m_nMode == 1)
                OnMove(msg.pt.x, msg.pt.y);
            else if (m_pBar->IsDialogBar())
                OnResizeDialogBar(msg.pt.x, msg.pt.y);
            else
                OnResizeToolBar(msg.pt.x, msg.pt.y);
        }
        else
            ::DispatchMessageW(&msg);
        if (pCommandBars != NULL)
            pCommandBars->ApplyDelayedLayout();
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    MarkLayoutChanged(m_pBar);
}

void CVZPCommandBarTracker::OnMove(int x, int y)
{
    const CPoint ptOffset(x - m_ptLast.x, y - m_ptLast.y);
    m_rcDrag.OffsetRect(ptOffset);
    m_rcFloat.OffsetRect(ptOffset);
    m_ptLast.x = x;
    m_ptLast.y = y;
    CVZPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == NULL)
        return;
    const DWORD dwFlags = m_pBar->GetFlags();

    CVZPDockBar* pOldDock = m_pBar->GetDockBar();
    CVZPDockBar* pDock = pCommandBars->CanDock(CPoint(x, y), pOldDock);
    const int nPosition = pDock != NULL ? pDock->GetPosition() : -1;
    if (nPosition >= 0 && nPosition < 4 && (dwFlags & kDockFlags[nPosition]) != 0)
    {
        const BOOL bWasFloating = m_pBar->GetPosition() == vzpBarFloating;
        pCommandBars->DockCommandBar(m_pBar, &m_rcDrag, pDock);
        if (pDock != pOldDock || bWasFloating)
        {
            pCommandBars->RecalcFrameLayout(FALSE);
            m_pBar->GetWindowRect(&m_rcDrag);
        }
        return;
    }
    if ((dwFlags & kFloatFlag) == 0)
        return;
    if (m_pBar->GetPosition() != vzpBarFloating)
    {
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return;
        const CSize sz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_rcFloat = CRect(m_rcFloat.TopLeft(), sz);
        MoveRectToContainPoint(&m_rcFloat, x, y);
    }
    m_pBar->SetWindowPos(NULL, m_rcFloat.left, m_rcFloat.top, m_rcFloat.Width(), m_rcFloat.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVZPCommandBarTracker::OnResizeToolBar(int x, int y)
{
    const int dx = x - m_ptLast.x;
    const int dy = y - m_ptLast.y;
    m_ptLast.x = x;
    m_ptLast.y = y;
    CRect& rc = m_rcFloat;
    CSize sz;
    switch (m_nMode)
    {
    case HTLEFT:
    case HTRIGHT:
        if (m_nMode == HTLEFT)
            rc.left += dx;
        else
            rc.right += dx;
        sz = m_pBar->CalcDynamicLayout(std::max(0, (int)rc.Width()), LM_HORZ | LM_COMMIT);
        break;
    default:
        if (m_nMode == HTTOP)
            rc.top += dy;
        else
            rc.bottom += dy;
        sz = m_pBar->CalcDynamicLayout(std::max(0, (int)rc.Height()), LM_LENGTHY | LM_HORZ | LM_COMMIT);
        break;
    }

    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (sz == rcWindow.Size())
        return;
    switch (m_nMode)
    {
    case HTLEFT:
        rcWindow.left = rcWindow.right - sz.cx;
        rcWindow.bottom = rcWindow.top + sz.cy;
        break;
    case HTTOP:
        rcWindow.top = rcWindow.bottom - sz.cy;
        rcWindow.right = rcWindow.left + sz.cx;
        break;
    default:
        rcWindow.right = rcWindow.left + sz.cx;
        rcWindow.bottom = rcWindow.top + sz.cy;
        break;
    }
    // A bar never leaves its monitor's work area entirely.
    CRect rcMeet;
    if (rcMeet.IntersectRect(rcWindow, GetWorkAreaForWindow(m_pBar)))
    {
        m_pBar->SetWindowPos(NULL, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
        m_pBar->Invalidate();
    }
}

void CVZPCommandBarTracker::OnResizeDialogBar(int x, int y)
{
    const int dx = x - m_ptLast.x;
    const int dy = y - m_ptLast.y;
    m_ptLast.x = x;
    m_ptLast.y = y;
    CRect& rc = m_rcFloat;
    if (m_nMode == HTLEFT || m_nMode == HTTOPLEFT || m_nMode == HTBOTTOMLEFT)
        rc.left += dx;
    if (m_nMode == HTRIGHT || m_nMode == HTTOPRIGHT || m_nMode == HTBOTTOMRIGHT)
        rc.right += dx;
    if (m_nMode == HTTOP || m_nMode == HTTOPLEFT || m_nMode == HTTOPRIGHT)
        rc.top += dy;
    if (m_nMode == HTBOTTOM || m_nMode == HTBOTTOMLEFT || m_nMode == HTBOTTOMRIGHT)
        rc.bottom += dy;
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    CRect rcMeet;
    if (rc.Size() != rcWindow.Size() && rcMeet.IntersectRect(rc, GetWorkAreaForWindow(m_pBar)))
    {
        m_pBar->ResizeDialogBar(rc, (UINT)m_nMode);
        m_pBar->Invalidate();
    }
}

BOOL CVZPCommandBarTracker::ToggleDocking()
{
    CVZPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == NULL)
        return FALSE;
    const DWORD dwFlags = m_pBar->GetFlags();
    if (m_pBar->GetPosition() == vzpBarFloating)
    {
        if ((dwFlags & 0x0F) == 0)
            return FALSE;
        CVZPDockBar* pDock = pCommandBars->GetDockBar(m_nDockIndex);
        if (pDock == NULL || pDock->GetSafeHwnd() == NULL)
            return FALSE;
        CRect rc = m_rcDocked;
        pDock->ClientToScreen(&rc);
        pCommandBars->DockCommandBar(m_pBar, &rc, pDock);
        pCommandBars->RecalcFrameLayout(FALSE);
    }
    else
    {
        if ((dwFlags & kFloatFlag) == 0 || !pCommandBars->GetCommandBarsOptions()->bDblClickFloat)
            return FALSE;
        CPoint pt = m_ptFloating;
        if (pt.x <= 0 || pt.y <= 0)
        {
            pt = m_rcDocked.TopLeft();
            if (CWnd* pParent = m_pBar->GetParent())
                pParent->ClientToScreen(&pt);
        }
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return FALSE;
        const CSize sz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_pBar->SetWindowPos(NULL, pt.x, pt.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MarkLayoutChanged(m_pBar);
    return TRUE;
}
