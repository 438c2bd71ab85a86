#include "CVZPResizeTracker.h"

#include <windowsx.h>

#include <algorithm>

CVZPResizeTracker::CVZPResizeTracker(BOOL bInvert) : m_pDC(NULL), m_bInvert(bInvert)
{
    m_rcExtra.SetRectEmpty();
}

void CVZPResizeTracker::DrawTrackRect(const CRect& rect)
{
    if (m_bInvert)
    {
        m_pDC->InvertRect(rect);
        return;
    }
    CBrush* pOldBrush = m_pDC->SelectObject(CDC::GetHalftoneBrush());
    m_pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    m_pDC->SelectObject(pOldBrush);
}

BOOL CVZPResizeTracker::Track(CWnd* pWnd, CRect rcBounds, CRect& rcBar, CPoint ptStart, BOOL bHorz)
{
    pWnd->SetCapture();
    HWND hDesktop = ::GetDesktopWindow();
    const BOOL bLocked = ::LockWindowUpdate(hDesktop);
    HDC hDC = ::GetDCEx(hDesktop, NULL, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    CDC dcDesktop;
    dcDesktop.Attach(hDC);
    m_pDC = &dcDesktop;

    const CPoint ptOffset = bHorz ? CPoint(rcBar.left - ptStart.x, 0) : CPoint(0, rcBar.top - ptStart.y);
    DrawTrackRect(rcBar);
    if (!m_rcExtra.IsRectEmpty())
        DrawTrackRect(m_rcExtra);

    BOOL bAccepted = FALSE;
    BOOL bQuit = FALSE;
    WPARAM nExitCode = 0;
    while (::GetCapture() == pWnd->GetSafeHwnd())
    {
        MSG msg;
        const BOOL bGot = ::GetMessage(&msg, NULL, 0, 0);
        if (bGot == 0 || bGot == -1)
        {
            bQuit = bGot == 0;
            nExitCode = msg.wParam;
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            // The point is in the client coordinates of the capture window.
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            pWnd->ClientToScreen(&pt);
            pt += ptOffset;
            pt.x = std::max(rcBounds.left, std::min(pt.x, rcBounds.right));
            pt.y = std::max(rcBounds.top, std::min(pt.y, rcBounds.bottom));
            const LONG nDelta = bHorz ? pt.x - rcBar.left : pt.y - rcBar.top;
            if (nDelta != 0)
            {
                DrawTrackRect(rcBar);
                rcBar.OffsetRect(bHorz ? nDelta : 0, bHorz ? 0 : nDelta);
                DrawTrackRect(rcBar);
            }
        }
        else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
        {
            break;
        }
        else if (msg.message == WM_LBUTTONUP)
        {
            bAccepted = TRUE;
            break;
        }
        else
        {
            ::DispatchMessage(&msg);
        }
    }

    if (!m_rcExtra.IsRectEmpty())
        DrawTrackRect(m_rcExtra);
    DrawTrackRect(rcBar);
    if (::GetCapture() == pWnd->GetSafeHwnd())
        ::ReleaseCapture();
    if (bLocked)
        ::LockWindowUpdate(NULL);
    m_pDC = NULL;
    ::ReleaseDC(hDesktop, dcDesktop.Detach());
    // The drag consumed the program's request to end; hand it back to the
    // message loop that owns it.
    if (bQuit)
        ::PostQuitMessage(int(nExitCode));
    return bAccepted;
}
