#include "CPaneSplitter.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CPaneSplitter, CStatic)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const TCHAR kVertSection[] = _T("splt\\init_v");
const TCHAR kHorzSection[] = _T("splt\\init_h");
const TCHAR kVertEntry[] = _T("VertSplitPos");
const TCHAR kHorzEntry[] = _T("HorizSplitPos");

void MovePane(CWnd* pPane, const CRect& rect)
{
    if (pPane != NULL && pPane->GetSafeHwnd() != NULL)
        pPane->MoveWindow(&rect);
}

}  // namespace

CPaneSplitter::CPaneSplitter()
    : m_pParent(NULL), m_nBarWidth(1), m_nID(0), m_nLeftWidth(0), m_nBottomHeight(0), m_bSecondPaneOnly(FALSE)
{
}

CPaneSplitter::~CPaneSplitter() = default;

int CPaneSplitter::DefaultVertSplitPos(UINT nID)
{
    // The recovery step's inner splitter holds the wide result list.
    return nID == 164 ? 850 : 200;
}

BOOL CPaneSplitter::Create(DWORD dwStyle, CWnd* pParentWnd, CWnd* pFirstPane, CWnd* pSecondPane, UINT nID,
                           const RECT& rect, int nFirstMinimum, int nSecondMinimum)
{
    m_pParent = pParentWnd;
    m_nID = nID;
    if (!CStatic::Create(NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;

    // The panes keep their notify window: common controls remember the
    // parent they were created in, and the views rely on that.
    for (CWnd* pPane : { pFirstPane, pSecondPane })
    {
        if (pPane != NULL && pPane->GetSafeHwnd() != NULL)
        {
            pPane->SetParent(this);
            pPane->SetOwner(pParentWnd);
        }
    }
    for (SplitAxis* pAxis : { &m_vert, &m_horz })
    {
        pAxis->nFirstMinimum = nFirstMinimum;
        pAxis->nSecondMinimum = nSecondMinimum;
    }
    if (dwStyle & PSS_VERTICAL)
    {
        m_vert.bEnabled = TRUE;
        m_vert.pFirst = pFirstPane;
        m_vert.pSecond = pSecondPane;
        InitVertical();
    }
    if (dwStyle & PSS_HORIZONTAL)
    {
        m_horz.bEnabled = TRUE;
        m_horz.pFirst = pFirstPane;
        m_horz.pSecond = pSecondPane;
        InitHorizontal();
    }
    return TRUE;
}

BOOL CPaneSplitter::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= SS_NOTIFY;   // statics see the mouse only with it
    return CStatic::PreCreateWindow(cs);
}

CString CPaneSplitter::SectionName(LPCTSTR lpszPrefix) const
{
    CString strSection;
    strSection.Format(_T("%s%u"), lpszPrefix, m_nID);
    return strSection;
}

void CPaneSplitter::InitVertical()
{
    int nPos = DefaultVertSplitPos(m_nID);
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        nPos = (int)pApp->GetProfileInt(SectionName(kVertSection), kVertEntry, nPos);
    // The stored position is the left pane's right edge; it is not clamped
    // here, the first WM_SIZE does that.
    PlaceVertical(nPos + m_nBarWidth / 2);
    m_nLeftWidth = m_vert.rectFirst.Width();
}

void CPaneSplitter::InitHorizontal()
{
    int nHeight = 2 * m_horz.nSecondMinimum;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        nHeight = (int)pApp->GetProfileInt(SectionName(kHorzSection), kHorzEntry, nHeight);
    CRect rectClient;
    GetClientRect(&rectClient);
    PlaceHorizontal(rectClient.bottom - m_nBarWidth / 2 - nHeight);
    m_nBottomHeight = m_horz.rectSecond.Height();
}

void CPaneSplitter::PlaceVertical(int x)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    m_vert.rectBar.SetRect(x - m_nBarWidth, rectClient.top, x + m_nBarWidth, rectClient.bottom);
    m_vert.rectFirst.SetRect(rectClient.left, rectClient.top, x - m_nBarWidth / 2, rectClient.bottom);
    m_vert.rectSecond.SetRect(m_vert.rectFirst.right + m_nBarWidth, rectClient.top, rectClient.right,
                              rectClient.bottom);
    MovePane(m_vert.pFirst, m_vert.rectFirst);
    MovePane(m_vert.pSecond, m_vert.rectSecond);
}

void CPaneSplitter::PlaceHorizontal(int y)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    m_horz.rectBar.SetRect(0, y - m_nBarWidth, rectClient.right, y + m_nBarWidth);
    m_horz.rectSecond.SetRect(rectClient.left, y + m_nBarWidth / 2, rectClient.right, rectClient.bottom);
    m_horz.rectFirst.SetRect(rectClient.left, rectClient.top, rectClient.right, m_horz.rectSecond.top - m_nBarWidth);
    MovePane(m_horz.pFirst, m_horz.rectFirst);
    MovePane(m_horz.pSecond, m_horz.rectSecond);
}

void CPaneSplitter::Place(SplitAxis& axis, int nPos)
{
    if (&axis == &m_vert)
        PlaceVertical(nPos);
    else
        PlaceHorizontal(nPos);
}

int CPaneSplitter::Clamp(const SplitAxis& axis, int nPos) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    BOOL bVert = &axis == &m_vert;
    // The first pane's minimum wins when both cannot be met.
    nPos = std::min(nPos, (int)(bVert ? rectClient.right : rectClient.bottom) - axis.nSecondMinimum);
    return std::max(nPos, (int)(bVert ? rectClient.left : rectClient.top) + axis.nFirstMinimum);
}

int CPaneSplitter::AxisPos(const SplitAxis& axis, CPoint point) const
{
    return &axis == &m_vert ? point.x : point.y;
}

void CPaneSplitter::StoreSplit(const SplitAxis& axis)
{
    if (&axis == &m_vert)
        m_nLeftWidth = m_vert.rectFirst.Width();
    else
        m_nBottomHeight = m_horz.rectSecond.Height();
}

LPCTSTR CPaneSplitter::SizingCursor(const SplitAxis& axis) const
{
    return &axis == &m_vert ? IDC_SIZEWE : IDC_SIZENS;
}

void CPaneSplitter::ShowSecondPaneOnly()
{
    if (!m_vert.bEnabled || m_vert.pSecond == NULL || m_bSecondPaneOnly)
        return;
    m_bSecondPaneOnly = TRUE;
    m_vert.rectBar.SetRectEmpty();
    if (m_vert.pFirst != NULL && m_vert.pFirst->GetSafeHwnd() != NULL)
        m_vert.pFirst->ShowWindow(SW_HIDE);
    CRect rectClient;
    GetClientRect(&rectClient);
    MovePane(m_vert.pSecond, rectClient);
}

void CPaneSplitter::RestorePanes()
{
    if (!m_vert.bEnabled || !m_bSecondPaneOnly)
        return;
    m_bSecondPaneOnly = FALSE;
    // The left pane's rectangle kept its last layout while it was hidden.
    PlaceVertical(Clamp(m_vert, m_nLeftWidth + m_nBarWidth / 2));
    if (m_vert.pFirst != NULL && m_vert.pFirst->GetSafeHwnd() != NULL)
        m_vert.pFirst->ShowWindow(SW_SHOW);
}

void CPaneSplitter::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    if (m_vert.bEnabled)
    {
        if (m_bSecondPaneOnly)
            MovePane(m_vert.pSecond, CRect(0, 0, cx, cy));
        else
            PlaceVertical(Clamp(m_vert, m_nLeftWidth + m_nBarWidth / 2));
    }
    if (m_horz.bEnabled)
        PlaceHorizontal(Clamp(m_horz, cy - m_nBarWidth / 2 - m_nBottomHeight));
}

void CPaneSplitter::DrawTracker(const SplitAxis& axis)
{
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return;
    CWindowDC dc(m_pParent);
    CBrush brush;
    brush.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    CBrush* pOldBrush = dc.SelectObject(&brush);
    const CRect& rect = axis.rectTracker;
    if (&axis == &m_vert)
        dc.PatBlt(rect.left + axis.rectBar.left + m_nBarWidth, rect.top, m_nBarWidth, rect.Height(), PATINVERT);
    else
        dc.PatBlt(rect.left, rect.top + axis.rectBar.top + m_nBarWidth / 2, rect.Width(), m_nBarWidth, PATINVERT);
    dc.SelectObject(pOldBrush);
}

void CPaneSplitter::BeginDrag(SplitAxis& axis, CPoint point)
{
    // The tracker covers the client area, in the coordinates of the parent's
    // window DC it is drawn on.
    GetClientRect(&axis.rectTracker);
    ClientToScreen(&axis.rectTracker);
    CRect rectParent;
    m_pParent->GetWindowRect(&rectParent);
    axis.rectTracker.OffsetRect(-rectParent.left, -rectParent.top);
    axis.nDragStart = axis.nLastPos = AxisPos(axis, point);
    axis.bDragging = TRUE;
    DrawTracker(axis);
    SetCapture();
    axis.hWndPrevFocus = ::GetFocus();
    SetFocus();
    ::SetCursor(::LoadCursor(NULL, SizingCursor(axis)));
    axis.bCapturing = TRUE;
}

void CPaneSplitter::DragTo(SplitAxis& axis, CPoint point)
{
    DrawTracker(axis);
    int nPos = Clamp(axis, AxisPos(axis, point));
    if (&axis == &m_vert)
        axis.rectTracker.OffsetRect(nPos - axis.nLastPos, 0);
    else
        axis.rectTracker.OffsetRect(0, nPos - axis.nLastPos);
    DrawTracker(axis);
    axis.nLastPos = nPos;
}

void CPaneSplitter::EndDrag(SplitAxis& axis, CPoint point)
{
    int nPos = Clamp(axis, AxisPos(axis, point));
    DrawTracker(axis);
    axis.bDragging = FALSE;
    Place(axis, nPos);
    StoreSplit(axis);
    axis.bCapturing = FALSE;
    // The splitter keeps the focus.
    ReleaseCapture();
}

void CPaneSplitter::CancelDrag(SplitAxis& axis)
{
    DrawTracker(axis);
    axis.bDragging = FALSE;
    axis.bCapturing = FALSE;
    ReleaseCapture();
    if (axis.hWndPrevFocus != NULL && ::IsWindow(axis.hWndPrevFocus))
        ::SetFocus(axis.hWndPrevFocus);
}

void CPaneSplitter::OnLButtonDown(UINT nFlags, CPoint point)
{
    CClientDC dc(this);
    dc.DPtoLP(&point);
    for (SplitAxis* pAxis : { &m_vert, &m_horz })
    {
        if (pAxis->bEnabled && pAxis->rectBar.PtInRect(point))
        {
            BeginDrag(*pAxis, point);
            return;
        }
    }
    CStatic::OnLButtonDown(nFlags, point);
}

void CPaneSplitter::OnMouseMove(UINT nFlags, CPoint point)
{
    for (SplitAxis* pAxis : { &m_vert, &m_horz })
    {
        if (!pAxis->bEnabled)
            continue;
        if (pAxis->rectBar.PtInRect(point))
            ::SetCursor(::LoadCursor(NULL, SizingCursor(*pAxis)));
        if (pAxis->bDragging)
            DragTo(*pAxis, point);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CPaneSplitter::OnLButtonUp(UINT nFlags, CPoint point)
{
    for (SplitAxis* pAxis : { &m_vert, &m_horz })
    {
        if (pAxis->bDragging && pAxis->bCapturing)
            EndDrag(*pAxis, point);
    }
    CStatic::OnLButtonUp(nFlags, point);
}

BOOL CPaneSplitter::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && IsDragging())
    {
        for (SplitAxis* pAxis : { &m_vert, &m_horz })
        {
            if (pAxis->bDragging)
                CancelDrag(*pAxis);
        }
        return TRUE;
    }
    return CStatic::PreTranslateMessage(pMsg);
}

void CPaneSplitter::OnDestroy()
{
    CStatic::OnDestroy();
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    // The left pane's rectangle is untouched while only the second pane
    // shows, so that state still stores the last split.
    if (!m_vert.rectFirst.IsRectEmpty())
        pApp->WriteProfileInt(SectionName(kVertSection), kVertEntry, m_vert.rectFirst.right);
    if (!m_horz.rectSecond.IsRectEmpty())
        pApp->WriteProfileInt(SectionName(kHorzSection), kHorzEntry, m_horz.rectSecond.Height());
}
