#include "CHotTracker.h"

#include <commctrl.h>

namespace {

void RequestLeave(CWnd* pWnd, DWORD dwFlags)
{
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = dwFlags;
    tme.hwndTrack = pWnd->GetSafeHwnd();
    ::_TrackMouseEvent(&tme);
}

}  // namespace

void CHotTracker::Changed()
{
    if (m_pOwner == NULL || m_pOwner->GetSafeHwnd() == NULL)
        return;
    if (m_nFlags & invalidateOwner)
        m_pOwner->InvalidateRect(NULL, FALSE);
    if (m_nFlags & recalcOwnerFrame)
        m_pOwner->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

BOOL CHotTracker::Enter(CWnd* pWnd)
{
    if (pWnd == NULL)
        pWnd = m_pOwner;
    if (pWnd == NULL)
        return FALSE;
    if (!m_bHot)
    {
        m_bHot = TRUE;
        m_pTracked = pWnd;
        Changed();
        RequestLeave(pWnd, TME_LEAVE);
        return TRUE;
    }
    if (pWnd != m_pTracked)
    {
        if (m_pTracked != NULL)
            RequestLeave(m_pTracked, TME_LEAVE | TME_CANCEL);
        m_pTracked = pWnd;
        RequestLeave(pWnd, TME_LEAVE);
    }
    return FALSE;
}

BOOL CHotTracker::Leave(CWnd* pWnd)
{
    if (!m_bHot || pWnd != m_pTracked)
        return FALSE;
    m_bHot = FALSE;
    m_pTracked = NULL;
    Changed();
    return TRUE;
}
