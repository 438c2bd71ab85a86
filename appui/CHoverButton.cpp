#include "CHoverButton.h"

#include "appuires.h"

int g_nHoverButtonIndex = 0;

IMPLEMENT_DYNAMIC(CHoverButton, CBitmapPairButton)

BEGIN_MESSAGE_MAP(CHoverButton, CBitmapPairButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

namespace {

HCURSOR LoadModuleCursor(UINT nID)
{
    LPCTSTR lpszName = MAKEINTRESOURCE(nID);
    return ::LoadCursor(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
}

void SetCursorIfAny(HCURSOR hCursor)
{
    if (hCursor != NULL)
        ::SetCursor(hCursor);
}

void InvalidateIfCreated(CWnd* pWnd)
{
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        pWnd->Invalidate(TRUE);
}

}  // namespace

CHoverButton::CHoverButton()
    : m_pCompanion(NULL),
      m_nIndex(0),
      m_bHover(FALSE),
      m_bTracking(FALSE),
      m_hCursor(LoadModuleCursor(IDC_HOVER_HAND)),
      m_hCursorPressed(LoadModuleCursor(IDC_HOVER_HAND_PRESSED))
{
}

CHoverButton::~CHoverButton() = default;

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawImage(lpDrawItemStruct, m_bHover);
}

void CHoverButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking)
        m_bTracking = TrackHoverAndLeave(this);
    CBitmapPairButton::OnMouseMove(nFlags, point);
    SetCursorIfAny(m_hCursor);
}

void CHoverButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCursorIfAny(m_hCursorPressed);
    CBitmapPairButton::OnLButtonDown(nFlags, point);
}

void CHoverButton::OnMouseHover(UINT, CPoint)
{
    m_bHover = TRUE;
    SetCursorIfAny(m_hCursor);
    g_nHoverButtonIndex = m_nIndex;
    InvalidateIfCreated(m_pCompanion);
    Invalidate(TRUE);
}

void CHoverButton::OnMouseLeave()
{
    m_bTracking = FALSE;
    g_nHoverButtonIndex = 0;
    InvalidateIfCreated(m_pCompanion);
    m_bHover = FALSE;
    Invalidate(TRUE);
}
