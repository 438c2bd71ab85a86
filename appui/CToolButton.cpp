#include "CToolButton.h"

IMPLEMENT_DYNAMIC(CToolButton, CBitmapPairButton)

BEGIN_MESSAGE_MAP(CToolButton, CBitmapPairButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

namespace {

const UINT_PTR kToolId = 1;

}  // namespace

CToolButton::CToolButton() : m_bHover(FALSE), m_bTracking(FALSE), m_bFirstMove(TRUE) {}

CToolButton::~CToolButton()
{
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.DestroyWindow();
}

void CToolButton::EnsureToolTip()
{
    if (m_toolTip.GetSafeHwnd() != NULL || m_hWnd == NULL)
        return;
    if (m_toolTip.Create(this))
        m_toolTip.Activate(FALSE);
}

void CToolButton::SetToolTipText(LPCTSTR lpszText, BOOL bActivate)
{
    if (lpszText == NULL)
        return;
    EnsureToolTip();
    if (m_toolTip.GetSafeHwnd() == NULL)
        return;
    if (m_toolTip.GetToolCount() == 0)
    {
        CRect rect;
        GetClientRect(&rect);
        m_toolTip.AddTool(this, lpszText, &rect, kToolId);
    }
    m_toolTip.UpdateTipText(lpszText, this, kToolId);
    m_toolTip.Activate(bActivate);
}

BOOL CToolButton::PreTranslateMessage(MSG* pMsg)
{
    EnsureToolTip();
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.RelayEvent(pMsg);
    return CBitmapPairButton::PreTranslateMessage(pMsg);
}

void CToolButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // A pressed button shows its normal image: the bitmaps hold no pressed
    // image beside it.
    DrawImage(lpDrawItemStruct, m_bHover && !(lpDrawItemStruct->itemState & ODS_SELECTED));
}

void CToolButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking)
        m_bTracking = TrackHoverAndLeave(this);
    CBitmapPairButton::OnMouseMove(nFlags, point);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (m_bFirstMove && ::WindowFromPoint(ptCursor) == m_hWnd && ::GetActiveWindow() != NULL)
        m_bFirstMove = FALSE;
}

void CToolButton::OnMouseHover(UINT, CPoint)
{
    m_bHover = TRUE;
    Invalidate(TRUE);
}

void CToolButton::OnMouseLeave()
{
    m_bTracking = FALSE;
    m_bHover = FALSE;
    m_bFirstMove = TRUE;
    Invalidate(TRUE);
}
