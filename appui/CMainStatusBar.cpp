#include "CMainStatusBar.h"

#include "LinkOpener.h"
#include "appuires.h"

BEGIN_MESSAGE_MAP(CMainStatusBar, CStatusBar)
    ON_WM_DRAWITEM()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

const int kLinkPaneIndex = 1;
const int kLinkIndent = 2;   // the text starts this far into the pane
const int kLinkHitIndent = 4;   // clicks count from this far into the pane

}  // namespace

CMainStatusBar::CMainStatusBar() : m_nLinkWidth(0), m_nLinkHeight(0) {}

CMainStatusBar::~CMainStatusBar() = default;

void CMainStatusBar::LayoutPanes(int nWidth)
{
    SetPaneInfo(0, 0, 0, nWidth / 2 + 270);
    SetPaneInfo(kLinkPaneIndex, IDS_CONTACT_SUPPORT, SBPS_STRETCH, 0);
}

void CMainStatusBar::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CStatusBar::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CMainStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->itemID != kLinkPaneIndex)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    int nSaved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(kLinkColor);
    pDC->SetBkColor(RGB(255, 255, 255));
    const RECT& rect = lpDrawItemStruct->rcItem;
    int nLength = lstrlen(LinkText());
    pDC->TextOut(rect.left + kLinkIndent, rect.top, LinkText(), nLength);
    CSize size = pDC->GetTextExtent(LinkText(), nLength);
    m_nLinkWidth = size.cx;
    m_nLinkHeight = size.cy;
    pDC->RestoreDC(nSaved);
}

CRect CMainStatusBar::GetLinkHitRect() const
{
    CRect rect;
    ::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)CommandToIndex(IDS_CONTACT_SUPPORT), (LPARAM)&rect);
    rect.left += kLinkHitIndent;
    rect.right = rect.left + m_nLinkWidth;
    return rect;
}

void CMainStatusBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    // Before the first drawing the link has no width, so nothing is hit.
    if (GetLinkHitRect().PtInRect(point))
        ShellOpenLinkTarget(SupportAddress(), SW_SHOWNORMAL);
    CStatusBar::OnLButtonUp(nFlags, point);
}

CString CMainStatusBar::SupportAddress()
{
    CString strAddress;
    strAddress.LoadString(IDS_SUPPORT_ADDRESS);
    return strAddress;
}
