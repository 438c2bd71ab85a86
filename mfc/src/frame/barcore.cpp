// CControlBar: the part of a frame's layout that takes a strip of its client
// area through WM_SIZEPARENT, with borders, delayed show/hide and idle update.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
END_MESSAGE_MAP()

// Gripper of a docked bar (left of a horizontal bar, above a vertical one)
static const int CX_GRIPPER = 3;
static const int CX_BORDER_GRIPPER = 2;

static inline LONG IntMin(LONG a, LONG b) { return a < b ? a : b; }
static inline LONG IntMax(LONG a, LONG b) { return a > b ? a : b; }

CControlBar::CControlBar()
    : m_cxLeftBorder(6), m_cxRightBorder(0), m_cyTopBorder(1), m_cyBottomBorder(1), m_cxDefaultGap(2),
      m_nMRUWidth(32767), m_pData(NULL), m_nCount(0), m_nStateFlags(0), m_dwStyle(0), m_dwDockStyle(0),
      m_pDockSite(NULL), m_pDockBar(NULL), m_pDockContext(NULL), m_bAutoDelete(FALSE)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = NULL;
    if (m_hWnd != NULL)
        DestroyWindow();
    free(m_pData);
    m_pData = NULL;
}

BOOL CControlBar::AllocElements(int nElements, int cbElement)
{
    free(m_pData);
    m_pData = NULL;
    m_nCount = 0;
    if (nElements > 0 && cbElement > 0)
    {
        m_pData = calloc((size_t)nElements, (size_t)cbElement);
        if (m_pData == NULL)
            return FALSE;
    }
    m_nCount = nElements;
    return TRUE;
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle != dwStyle)
    {
        DWORD dwOld = m_dwStyle;
        m_dwStyle = dwStyle;
        // Other borders change the non-client area.
        if (m_hWnd != NULL && ((dwOld ^ dwStyle) & (CBRS_BORDER_ANY | CBRS_GRIPPER)))
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        pFrame = m_pDockSite;
    return pFrame;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // Register with the frame that lays the bar out.
    CWnd* pParent = GetParent();
    CFrameWnd* pFrame = (pParent != NULL && pParent->IsFrameWnd()) ? (CFrameWnd*)pParent : GetParentFrame();
    if (pFrame != NULL)
    {
        m_pDockSite = pFrame;
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite != NULL)
    {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    {
        // Notifications of the bar's own controls that the bar does not
        // handle go to its owner (the frame).
        LRESULT lResult = 0;
        if (OnWndMsg(nMsg, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL && pOwner->m_hWnd != NULL)
            return pOwner->SendMessage(nMsg, wParam, lParam);
        return 0;
    }
    default:
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Size and layout

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    size.cx = (bStretch && bHorz ? 32767 : 0);
    size.cy = (bStretch && !bHorz ? 32767 : 0);
    return size;
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    (void)nLength;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    int cxBorder2 = ::GetSystemMetrics(SM_CXBORDER) * 2;
    int cyBorder2 = ::GetSystemMetrics(SM_CYBORDER) * 2;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += cxBorder2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += cyBorder2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cxBorder2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cyBorder2;
    BOOL bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (bGripper)
            rect.left += CX_BORDER_GRIPPER + CX_GRIPPER + CX_BORDER_GRIPPER;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (bGripper)
            rect.top += CX_BORDER_GRIPPER + CX_GRIPPER + CX_BORDER_GRIPPER;
    }
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    if (bShow && (GetStyle() & WS_VISIBLE) == 0)
        m_nStateFlags |= delayShow;
    else if (!bShow && (GetStyle() & WS_VISIBLE) != 0)
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    // The style the bar will have after a pending show or hide; a real layout
    // pass carries the change out, a query pass only assumes it.
    DWORD dwStyle = (GetStyle() & WS_VISIBLE) | (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOATING));
    if (m_nStateFlags & (delayHide | delayShow))
    {
        UINT swpFlags = 0;
        if (m_nStateFlags & delayHide)
        {
            if (lpLayout->hDWP != NULL)
                swpFlags = SWP_HIDEWINDOW;
            dwStyle &= ~WS_VISIBLE;
        }
        else
        {
            if (lpLayout->hDWP != NULL)
                swpFlags = SWP_SHOWWINDOW;
            dwStyle |= WS_VISIBLE;
        }
        if (swpFlags != 0)
        {
            m_nStateFlags &= ~(delayShow | delayHide);
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                                              swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return dwStyle;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if ((dwStyle & WS_VISIBLE) && (dwStyle & CBRS_ALIGN_ANY) != 0)
    {
        CRect rect(lpLayout->rect);
        CSize sizeAvail = rect.Size();
        DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
        if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
            dwMode |= LM_HORZ | LM_MRUWIDTH;
        else if (dwStyle & CBRS_ORIENT_HORZ)
            dwMode |= LM_HORZ | LM_HORZDOCK;
        else
            dwMode |= LM_VERTDOCK;
        CSize size = CalcDynamicLayout(-1, dwMode);
        size.cx = IntMin(size.cx, sizeAvail.cx);
        size.cy = IntMin(size.cy, sizeAvail.cy);
        if (dwStyle & CBRS_ORIENT_HORZ)
        {
            lpLayout->sizeTotal.cy += size.cy;
            lpLayout->sizeTotal.cx = IntMax(lpLayout->sizeTotal.cx, size.cx);
            if (dwStyle & CBRS_ALIGN_TOP)
            {
                lpLayout->rect.top += size.cy;
            }
            else if (dwStyle & CBRS_ALIGN_BOTTOM)
            {
                rect.top = rect.bottom - size.cy;
                lpLayout->rect.bottom -= size.cy;
            }
        }
        else if (dwStyle & CBRS_ORIENT_VERT)
        {
            lpLayout->sizeTotal.cx += size.cx;
            lpLayout->sizeTotal.cy = IntMax(lpLayout->sizeTotal.cy, size.cy);
            if (dwStyle & CBRS_ALIGN_LEFT)
            {
                lpLayout->rect.left += size.cx;
            }
            else if (dwStyle & CBRS_ALIGN_RIGHT)
            {
                rect.left = rect.right - size.cx;
                lpLayout->rect.right -= size.cx;
            }
        }
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        // Only a real layout pass moves the window.
        if (lpLayout->hDWP != NULL)
            AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Idle update

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // Carry out a pending show or hide.
    BOOL bVis = (GetStyle() & WS_VISIBLE) != 0;
    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && bVis)
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVis)
        swpFlags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (swpFlags != 0)
        SetWindowPos(NULL, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // A visible bar updates its items from the owner frame's handlers.
    if ((GetStyle() & WS_VISIBLE) && (m_pDockBar == NULL || (m_pDockBar->GetStyle() & WS_VISIBLE)))
    {
        CWnd* pOwner = GetOwner();
        CFrameWnd* pTarget = (pOwner != NULL && pOwner->IsFrameWnd()) ? (CFrameWnd*)pOwner : GetParentFrame();
        if (pTarget != NULL)
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
    }
    return 0;
}

LRESULT CControlBar::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    // The items are up to date before the bar is first seen.
    OnIdleUpdateCmdUI(TRUE, 0);
    return 0;
}

// ---------------------------------------------------------------------------
// Borders and painting

void CControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    // The borders live in the non-client area.
    CRect rect;
    rect.SetRectEmpty();
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ORIENT_ANY) == 0);
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
    if (lpncsp->rgrc[0].right < lpncsp->rgrc[0].left)
        lpncsp->rgrc[0].right = lpncsp->rgrc[0].left;
    if (lpncsp->rgrc[0].bottom < lpncsp->rgrc[0].top)
        lpncsp->rgrc[0].bottom = lpncsp->rgrc[0].top;
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CWnd::OnWindowPosChanging(lpWndPos);
    // A new size moves the borders: repaint them.
    if (!(lpWndPos->flags & SWP_NOSIZE))
        lpWndPos->flags |= SWP_FRAMECHANGED;
}

void CControlBar::OnNcPaint()
{
    EraseNonClient();
}

void CControlBar::EraseNonClient()
{
    CWindowDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    ScreenToClient(rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    DrawBorders(&dc, rectWindow);
    dc.IntersectClipRect(rectWindow);
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC);
    DrawGripper(&dc, rectWindow);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    int cx = ::GetSystemMetrics(SM_CXBORDER) * 2;
    int cy = ::GetSystemMetrics(SM_CYBORDER) * 2;
    // Each border is an etched line: shadow outside, highlight inside.
    if (dwStyle & CBRS_BORDER_TOP)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_BOTTOM)
    {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
    {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrShadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), clrHilite);
    }
    if (dwStyle & CBRS_BORDER_RIGHT)
    {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), clrShadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrHilite);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += cx;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += cy;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cx;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cy;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + CX_BORDER_GRIPPER, rect.top + m_cyTopBorder, CX_GRIPPER,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, clrHilite, clrShadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + CX_BORDER_GRIPPER,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, CX_GRIPPER, clrHilite, clrShadow);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::DoPaint(CDC* pDC)
{
    (void)pDC;
}
