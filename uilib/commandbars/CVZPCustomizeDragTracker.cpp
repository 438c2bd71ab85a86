#include "CVZPCustomizeDragTracker.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPControl.h"
#include "CVZPResourceLoader.h"
#include "uilibres.h"

CVZPCustomizeDragTracker::CVZPCustomizeDragTracker(CVZPCommandBars* pCommandBars)
    : m_hWndCapture(NULL), m_pControl(NULL), m_bMove(FALSE), m_bCopyOnly(FALSE), m_pTarget(NULL), m_pSheet(NULL),
      m_ptStart(0, 0), m_pCommandBars(pCommandBars)
{
    CVZPResourceLoader* pLoader = GetResourceLoader();
    m_hcurNoDrop = pLoader->LoadCursor(VZP_IDC_CUSTOMIZE_NODROP);
    m_hcurMove = pLoader->LoadCursor(VZP_IDC_CUSTOMIZE_MOVE);
    m_hcurCopy = pLoader->LoadCursor(VZP_IDC_CUSTOMIZE_COPY);
}

CVZPCustomizeDragTracker::~CVZPCustomizeDragTracker()
{
}

void CVZPCustomizeDragTracker::RegisterDropTarget(CVZPCommandBar* pBar)
{
    if (!IsRegistered(pBar))
        m_arrTargets.Add(pBar);
}

void CVZPCustomizeDragTracker::UnregisterDropTarget(CVZPCommandBar* pBar)
{
    for (INT_PTR i = 0; i < m_arrTargets.GetSize(); i++)
    {
        if (m_arrTargets[i] == pBar)
        {
            m_arrTargets.RemoveAt(i);
            break;
        }
    }
    // A bar that goes away during a drag is no longer its target.
    if (m_pTarget == pBar)
        m_pTarget = NULL;
}

BOOL CVZPCustomizeDragTracker::IsRegistered(CVZPCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrTargets.GetSize(); i++)
    {
        if (m_arrTargets[i] == pBar)
            return TRUE;
    }
    return FALSE;
}

DROPEFFECT CVZPCustomizeDragTracker::StartDrag(CVZPControl* pControl, BOOL bCopyOnly)
{
    CWnd* pCapture = m_pSheet != NULL ? m_pSheet : (m_pCommandBars != NULL ? m_pCommandBars->GetSite() : NULL);
    if (pCapture == NULL || pCapture->GetSafeHwnd() == NULL)
        return effectCancel;
    m_hWndCapture = pCapture->m_hWnd;
    ::SetCapture(m_hWndCapture);

    m_pControl = pControl;
    m_bMove = FALSE;
    m_pTarget = NULL;
    m_bCopyOnly = bCopyOnly;
    ::GetCursorPos(&m_ptStart);

    const DROPEFFECT dropEffect = TrackLoop();

    if (m_pTarget != NULL)
    {
        m_pTarget->OnCustomizeDragLeave();
        m_pTarget = NULL;
    }
    if (::GetCapture() == m_hWndCapture)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    m_pControl = NULL;
    m_hWndCapture = NULL;
    return dropEffect;
}

DROPEFFECT CVZPCustomizeDragTracker::TrackLoop()
{
    DROPEFFECT dropEffect = effectCancel;
    BOOL bFirstMove = TRUE;
    for (;;)
    {
        if (::GetCapture() != m_hWndCapture)
            break;
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE) && msg.message == WM_PAINT)
        {
            if (!::GetMessage(&msg, NULL, WM_PAINT, WM_PAINT))
                break;
            ::DispatchMessage(&msg);
        }
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage((int)msg.wParam);
            return effectCancel;
        }
        if (::GetCapture() != m_hWndCapture)
            return effectCancel;

        if (msg.message == WM_KEYDOWN)
        {
            if (msg.wParam == VK_ESCAPE)
                return effectCancel;
            if (msg.wParam == VK_CONTROL && m_bMove)
            {
                m_bMove = FALSE;
                UpdateCursor();
            }
        }
        else if (msg.message == WM_KEYUP)
        {
            if (msg.wParam == VK_CONTROL && !m_bMove)
            {
                m_bMove = TRUE;
                UpdateCursor();
            }
        }
        else if (msg.message == WM_MOUSEMOVE)
        {
            if (bFirstMove)
            {
                bFirstMove = FALSE;
                // The source's bar lets go of its open popup and hot control.
                CVZPCommandBar* pSourceBar = m_pControl != NULL ? m_pControl->GetParent() : NULL;
                if (pSourceBar != NULL && pSourceBar->GetSafeHwnd() != NULL)
                {
                    CPoint pt;
                    ::GetCursorPos(&pt);
                    pSourceBar->ScreenToClient(&pt);
                    DROPEFFECT unused = effectCancel;
                    m_pControl->OnCustomizeDragOver(m_pControl, pt, unused);
                }
            }
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            m_bMove = (msg.wParam & MK_CONTROL) == 0;
            TrackPoint(pt);
            dropEffect = effectNone;
            if ((msg.wParam & MK_LBUTTON) == 0)
                break;
        }
        else if (msg.message == WM_LBUTTONUP)
        {
            break;
        }
        else if (msg.message == WM_RBUTTONDOWN)
        {
            return effectCancel;
        }
        else
        {
            ::DispatchMessage(&msg);
        }
    }

    if (m_pTarget == NULL)
        return dropEffect;
    dropEffect = m_bMove ? effectMove : effectCopy;
    CPoint ptDrop;
    ::GetCursorPos(&ptDrop);
    CPoint ptStart = m_ptStart;
    CVZPCommandBar* pTarget = m_pTarget;
    m_pTarget = NULL;
    pTarget->ScreenToClient(&ptDrop);
    pTarget->ScreenToClient(&ptStart);
    pTarget->OnCustomizeDrop(m_pControl, &dropEffect, ptDrop, ptStart);
    return dropEffect;
}

void CVZPCustomizeDragTracker::TrackPoint(CPoint ptScreen)
{
    CVZPCommandBar* pFound = NULL;
    for (INT_PTR i = m_arrTargets.GetSize() - 1; i >= 0; i--)
    {
        CVZPCommandBar* pBar = (CVZPCommandBar*)m_arrTargets[i];
        if (pBar->GetSafeHwnd() == NULL || !pBar->IsVisible())
            continue;
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        if (rcBar.PtInRect(ptScreen))
        {
            pFound = pBar;
            break;
        }
    }
    if (pFound == NULL)
    {
        if (m_pTarget != NULL)
        {
            m_pTarget->OnCustomizeDragLeave();
            m_pTarget = NULL;
        }
    }
    else if (pFound == m_pTarget)
    {
        CPoint pt = ptScreen;
        pFound->ScreenToClient(&pt);
        pFound->OnCustomizeDragOver(m_pControl, pt);
    }
    else
    {
        if (m_pTarget != NULL)
        {
            m_pTarget->OnCustomizeDragLeave();
            m_pTarget = NULL;
        }
        CPoint pt = ptScreen;
        pFound->ScreenToClient(&pt);
        if (pFound->OnCustomizeDragEnter(m_pControl, pt) != 0)
            m_pTarget = pFound;
    }
    UpdateCursor();
}

void CVZPCustomizeDragTracker::UpdateCursor()
{
    if (m_pTarget == NULL)
        ::SetCursor(m_hcurNoDrop);
    else if (!m_bMove || m_bCopyOnly)
        ::SetCursor(m_hcurCopy);
    else
        ::SetCursor(m_hcurMove);
}
