// CScrollView: a view over a larger logical area, scrolled by its scroll bars.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = { 0, 0 };

CScrollView::CScrollView()
    : m_nMapMode(MM_TEXT), m_totalLog(0, 0), m_totalDev(0, 0), m_pageDev(0, 0), m_lineDev(0, 0), m_bCenter(FALSE),
      m_bInsideUpdate(FALSE)
{
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    // Logical units to device units through a DC in that map mode.
    CWindowDC dc(NULL);
    dc.SetMapMode(m_nMapMode);
    m_totalDev = m_totalLog;
    dc.LPtoDP((LPPOINT)&m_totalDev);
    m_pageDev = sizePage;
    dc.LPtoDP((LPPOINT)&m_pageDev);
    m_lineDev = sizeLine;
    dc.LPtoDP((LPPOINT)&m_lineDev);
    if (m_totalDev.cy < 0)
        m_totalDev.cy = -m_totalDev.cy;
    if (m_pageDev.cy < 0)
        m_pageDev.cy = -m_pageDev.cy;
    if (m_lineDev.cy < 0)
        m_lineDev.cy = -m_lineDev.cy;
    // Defaults: a tenth of the total per page, a tenth of a page per line.
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd != NULL)
    {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    m_nMapMode = MM_ANISOTROPIC;
    m_totalLog = sizeTotal;
    m_totalDev = CSize(0, 0);
    if (m_hWnd != NULL)
    {
        ShowScrollBar(SB_BOTH, FALSE);
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    if (m_nMapMode == MM_ANISOTROPIC)
        return CPoint(0, 0);
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT)
    {
        CWindowDC dc(NULL);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode != MM_TEXT)
    {
        CWindowDC dc(NULL);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&pt);
        if (pt.y < 0)
            pt.y = -pt.y;
    }
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int xOrig = GetScrollPos(SB_HORZ);
    SetScrollPos(SB_HORZ, ptDev.x);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, ptDev.y);
    ScrollWindow(xOrig - GetScrollPos(SB_HORZ), yOrig - GetScrollPos(SB_VERT));
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_nMapMode == MM_ANISOTROPIC)
        return;
    m_bInsideUpdate = TRUE;
    CRect rectClient;
    GetClientRect(rectClient);
    for (int nBar = SB_HORZ; nBar <= SB_VERT; nBar++)
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_PAGE | SIF_RANGE;
        info.nMin = 0;
        info.nMax = (nBar == SB_HORZ ? m_totalDev.cx : m_totalDev.cy) - 1;
        info.nPage = (UINT)(nBar == SB_HORZ ? rectClient.Width() : rectClient.Height());
        if (info.nMax < 0)
            info.nMax = 0;
        ::SetScrollInfo(m_hWnd, nBar, &info, TRUE);
    }
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode == MM_ANISOTROPIC)
    {
        CRect rect;
        GetClientRect(rect);
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog);
        pDC->SetViewportExt(rect.Size());
    }
    else
    {
        pDC->SetMapMode(m_nMapMode);
        CPoint ptVpOrg = -GetDeviceScrollPosition();
        pDC->SetViewportOrg(ptVpOrg);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    // Low byte: horizontal code, high byte: vertical code (0xFF: none).
    CSize sizeScroll(0, 0);
    for (int nBar = SB_HORZ; nBar <= SB_VERT; nBar++)
    {
        UINT nCode = nBar == SB_HORZ ? LOBYTE(nScrollCode) : HIBYTE(nScrollCode);
        if (nCode == 0xFF)
            continue;
        int nOrig = GetScrollPos(nBar);
        int nLine = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
        int nPage = nBar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
        int nNew = nOrig;
        switch (nCode)
        {
        case SB_TOP: nNew = 0; break;
        case SB_BOTTOM: nNew = INT_MAX; break;
        case SB_LINEUP: nNew -= nLine; break;
        case SB_LINEDOWN: nNew += nLine; break;
        case SB_PAGEUP: nNew -= nPage; break;
        case SB_PAGEDOWN: nNew += nPage; break;
        case SB_THUMBTRACK: nNew = (int)nPos; break;
        default: break;
        }
        (nBar == SB_HORZ ? sizeScroll.cx : sizeScroll.cy) = nNew - nOrig;
    }
    return OnScrollBy(sizeScroll, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    int x = GetScrollPos(SB_HORZ) + sizeScroll.cx;
    int y = GetScrollPos(SB_VERT) + sizeScroll.cy;
    int xMax = GetScrollLimit(SB_HORZ);
    int yMax = GetScrollLimit(SB_VERT);
    x = x < 0 ? 0 : (x > xMax ? xMax : x);
    y = y < 0 ? 0 : (y > yMax ? yMax : y);
    if (x == GetScrollPos(SB_HORZ) && y == GetScrollPos(SB_VERT))
        return FALSE;
    if (bDoScroll)
        ScrollToDevicePosition(CPoint(x, y));
    return TRUE;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && pScrollBar->m_hWnd != NULL)
        return CView::OnHScroll(nSBCode, nPos, pScrollBar);
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && pScrollBar->m_hWnd != NULL)
        return CView::OnVScroll(nSBCode, nPos, pScrollBar);
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)pt;
    int nLines = -zDelta / WHEEL_DELTA * 3;
    return OnScrollBy(CSize(0, nLines * (m_lineDev.cy > 0 ? m_lineDev.cy : 1)), TRUE);
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush)
{
    CRect rect;
    GetClientRect(rect);
    if (m_totalDev.cx < rect.right)
        pDC->FillRect(CRect(m_totalDev.cx, 0, rect.right, rect.bottom), pBrush);
    if (m_totalDev.cy < rect.bottom)
        pDC->FillRect(CRect(0, m_totalDev.cy, rect.right, rect.bottom), pBrush);
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    CSize sizeNeeded = m_totalDev;
    if (bShrinkOnly && sizeNeeded.cx >= rectClient.Width() && sizeNeeded.cy >= rectClient.Height())
        return;
    CRect rectFrame;
    pFrame->GetWindowRect(rectFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width() + sizeNeeded.cx - rectClient.Width(),
                         rectFrame.Height() + sizeNeeded.cy - rectClient.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
