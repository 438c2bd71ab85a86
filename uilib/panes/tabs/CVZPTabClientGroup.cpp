#include "CVZPTabClientGroup.h"

#include "CVZPDoubleBufferDC.h"
#include "CVZPTabClientWnd.h"

BEGIN_MESSAGE_MAP(CVZPTabClientGroup, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CVZPTabClientGroup::CVZPTabClientGroup(CVZPTabClientWnd* pClient)
    : m_pClient(pClient), m_dShare(0.0), m_rcSplitter(0, 0, 0, 0), m_bReordering(FALSE)
{
}

CVZPTabClientGroup::~CVZPTabClientGroup()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

CVZPTabManagerItem* CVZPTabClientGroup::FindItemByHandle(HWND hWnd) const
{
    for (int i = 0; i < GetItemCount(); i++)
        if (GetItem(i)->GetHandle() == hWnd)
            return GetItem(i);
    return NULL;
}

HWND CVZPTabClientGroup::GetStripHwnd() const
{
    return m_hWnd != NULL ? m_hWnd : m_pClient->GetSafeHwnd();
}

CVZPTabPaintManager* CVZPTabClientGroup::GetPaintManager() const
{
    return m_pClient->GetPaintManager();
}

void CVZPTabClientGroup::Reposition()
{
    // Inside the client's layout the strips are laid out at its end.
    if (m_pClient->IsInLayout() || m_pClient->m_bMoving || m_pClient->GetSafeHwnd() == NULL)
        return;
    CClientDC dc(CWnd::FromHandle(GetStripHwnd()));
    GetPaintManager()->LayoutTabStrip(this, &dc, m_rcControl);
    RedrawControl();
}

void CVZPTabClientGroup::RedrawControl()
{
    HWND hWnd = GetStripHwnd();
    if (hWnd != NULL)
        ::InvalidateRect(hWnd, m_hWnd != NULL ? NULL : &m_rcControl, FALSE);
}

BOOL CVZPTabClientGroup::DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon)
{
    if (pItem == NULL || pItem->GetHandle() == NULL)
        return FALSE;
    HICON hIcon = (HICON)::SendMessageW(pItem->GetHandle(), WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrW(pItem->GetHandle(), GCLP_HICONSM);
    if (hIcon == NULL)
        return FALSE;
    *pszIcon = CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    if (bDraw && pDC != NULL)
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, pszIcon->cx, pszIcon->cy, 0, NULL, DI_NORMAL);
    return TRUE;
}

void CVZPTabClientGroup::OnItemClick(CVZPTabManagerItem* pItem)
{
    HWND hWndChild = pItem->GetHandle();
    if (hWndChild == NULL || m_pClient->GetSafeHwnd() == NULL)
        return;
    if (m_pClient->GetActiveChild() == hWndChild)
        SetSelectedItem(pItem);
    else
        m_pClient->SendMessage(WM_MDIACTIVATE, (WPARAM)hWndChild, 0);
}

void CVZPTabClientGroup::ReorderItem(HWND hWnd, int x, int y, CVZPTabManagerItem* pItem)
{
    m_bReordering = TRUE;
    CVZPTabManager::ReorderItem(hWnd, x, y, pItem);
    m_bReordering = FALSE;
    // The loop ended by activating the tab, while the layout left the
    // selection alone.
    if (CVZPTabManagerItem* pActive = FindItemByHandle(m_pClient->GetActiveChild()))
        SetSelectedItem(pActive);
}

void CVZPTabClientGroup::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // The MDI client lies over the group's client area and paints itself.
    CRect rcClientWnd;
    m_pClient->GetWindowRect(&rcClientWnd);
    ScreenToClient(&rcClientWnd);
    dc.ExcludeClipRect(&rcClientWnd);
    CVZPDoubleBufferDC dcBuffer(dc.GetSafeHdc(), rc);
    GetPaintManager()->DrawTabStrip(this, &dcBuffer, m_rcControl);
}

BOOL CVZPTabClientGroup::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZPTabClientGroup::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    m_pClient->m_bMouseDown = TRUE;
    m_pClient->m_bClientMouseDown = TRUE;
    PerformClick(m_hWnd, point.x, point.y, FALSE);
}

void CVZPTabClientGroup::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CVZPTabClientGroup::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    PerformMouseMove(m_hWnd, point.x, point.y);
}

void CVZPTabClientGroup::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
}

LRESULT CVZPTabClientGroup::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    PerformMouseMove(m_hWnd, -1, -1);
    return 0;
}
