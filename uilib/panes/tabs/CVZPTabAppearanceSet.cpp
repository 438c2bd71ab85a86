#include "CVZPTabAppearanceSet.h"

#include <limits.h>

#include <algorithm>
#include <initializer_list>

#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "CVZPGradientPaintManager.h"
#include "CVZPTabColorSet.h"
#include "CVZPTabManager.h"
#include "CVZPTabPaintManager.h"
#include "VZPSelectors.h"
#include "VZPPaneMetrics.h"

namespace {

const COLORREF kNone = COLORREF(-1);

// A solid rectangle (x, y, cx by cy); nothing for colour -1.
void Line(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr)
{
    if (clr != kNone && cx > 0 && cy > 0)
        pDC->FillSolidRect(x, y, cx, cy, clr);
}

}  // namespace

CVZPTabAppearanceSet::CVZPTabAppearanceSet()
    : m_rcHeaderMargin(0, 0, 0, 0), m_nRowSpacing(-2), m_nTabHeight(0), m_pPaintManager(NULL),
      m_bOverlapToSelection(FALSE)
{
}

CVZPTabAppearanceSet::~CVZPTabAppearanceSet()
{
}

void CVZPTabAppearanceSet::RefreshMetrics()
{
    // Before the paint manager has made its fonts the DC's own font is
    // measured (selecting a font without a handle selects nothing).
    CFont fntNone;
    int cy = VZPMeasureSpaceHeight(m_pPaintManager != NULL ? &m_pPaintManager->m_fntNormal : &fntNone);
    m_nTabHeight = std::max(18, cy + 3);
}

CVZPTabColorSet* CVZPTabAppearanceSet::GetColorSet() const
{
    return m_pPaintManager->GetColorSet();
}

int CVZPTabAppearanceSet::GetPosition() const
{
    return m_pPaintManager != NULL ? m_pPaintManager->GetTabPosition() : vzpTabPositionTop;
}

int CVZPTabAppearanceSet::GetStripKind() const
{
    return m_pPaintManager != NULL ? m_pPaintManager->m_nStripKind : 0;
}

BOOL CVZPTabAppearanceSet::IsSelected(CVZPTabManagerItem* pItem) const
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    return pStrip != NULL && pStrip->GetSelectedItem() == pItem;
}

BOOL CVZPTabAppearanceSet::IsHot(CVZPTabManagerItem* pItem) const
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    return pStrip != NULL && pStrip->GetHotItem() == pItem;
}

void CVZPTabAppearanceSet::DrawContent(CDC* pDC, CVZPTabManagerItem* pItem, CRect rc)
{
    m_pPaintManager->DrawTabContent(pDC, pItem, rc, TRUE);
}

CRect CVZPTabAppearanceSet::GetHeaderRect(CRect rcControl, CVZPTabManager* pStrip)
{
    int nRows = pStrip != NULL ? std::max(1, pStrip->m_pRows->GetCount()) : 1;
    int nThickness = nRows * GetTabRowHeight(pStrip) + (nRows - 1) * m_nRowSpacing;
    if (pStrip != NULL && m_pPaintManager->GetLayoutStyle() == vzpTabLayoutRotated)
    {
        for (int i = 0; i < pStrip->GetItemCount(); i++)
            nThickness = std::max(nThickness, pStrip->GetItem(i)->m_nLength);
    }
    CRect M = GetHeaderMargin();
    nThickness += M.top + M.bottom;
    CRect rc = rcControl;
    switch (GetPosition())
    {
    case vzpTabPositionTop:
        rc.bottom = rc.top + nThickness;
        break;
    case vzpTabPositionLeft:
        rc.right = rc.left + nThickness;
        break;
    case vzpTabPositionBottom:
        rc.top = rc.bottom - nThickness;
        break;
    default:
        rc.left = rc.right - nThickness;
        break;
    }
    return rc;
}

CRect CVZPTabAppearanceSet::GetClientRect(CRect rcControl, CVZPTabManager* pStrip)
{
    CRect rcHeader = GetHeaderRect(rcControl, pStrip);
    CRect rc = rcControl;
    switch (GetPosition())
    {
    case vzpTabPositionTop:
        rc.top = rcHeader.bottom - 1;
        break;
    case vzpTabPositionLeft:
        rc.left = rcHeader.right - 1;
        break;
    case vzpTabPositionBottom:
        rc.bottom = rcHeader.top + 1;
        break;
    default:
        rc.right = rcHeader.left + 1;
        break;
    }
    return rc;
}

CRect CVZPTabAppearanceSet::GetHeaderMargin()
{
    return m_rcHeaderMargin;
}

CRect CVZPTabAppearanceSet::GetClientMargin()
{
    return m_pPaintManager != NULL ? m_pPaintManager->m_rcClientMargin : CRect(0, 0, 0, 0);
}

int CVZPTabAppearanceSet::GetTabLength(CDC* pDC, CVZPTabManagerItem* pItem)
{
    return m_pPaintManager->DrawTabContent(pDC, pItem, CRect(0, 0, 0, 0), FALSE);
}

int CVZPTabAppearanceSet::GetTabRowHeight(CVZPTabManager* pStrip)
{
    if (m_pPaintManager == NULL)
        return m_nTabHeight;
    const CRect& rcMargin = m_pPaintManager->m_rcButtonMargin;
    int h = m_nTabHeight + rcMargin.top + rcMargin.bottom;
    if (pStrip != NULL)
    {
        CSize szMin;
        pStrip->GetItemMetrics(NULL, &szMin, NULL);
        h = std::max(h, int(szMin.cy));
    }
    if (m_pPaintManager->m_bShowIcons)
    {
        CSize szIcon = m_pPaintManager->m_szIcon;
        if (pStrip != NULL)
            pStrip->DrawItemIcon(NULL, CPoint(0, 0), NULL, FALSE, &szIcon);
        h = std::max(h, int(std::max(szIcon.cx, szIcon.cy) + rcMargin.top + rcMargin.bottom + 4));
    }
    return h;
}

void CVZPTabAppearanceSet::DrawTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    m_pPaintManager->DrawTabStripDefault(pStrip, pDC, rc);
}

// Header and client frame; the sets with a frame of their own replace it.
CRect CVZPTabAppearanceSet::FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    CRect rcHeader = GetHeaderRect(rc, pStrip);
    GetColorSet()->FillHeader(pDC, rcHeader, pStrip);
    if (GetStripKind() == 0)
        GetColorSet()->FillClientFrame(pDC, GetClientRect(rc, pStrip), pStrip);
    return rcHeader;
}

void CVZPTabAppearanceSet::LayoutTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    m_pPaintManager->LayoutTabStripDefault(pStrip, pDC, rc);
}

void CVZPTabAppearanceSet::AdjustClientRect(CVZPTabManager* pStrip, RECT* pRect)
{
    int nPosition = GetPosition();
    CVZPTabPaintManager::DeflateRectByPosition(pRect, m_pPaintManager->m_rcControlMargin, nPosition);
    *pRect = GetClientRect(*pRect, pStrip);
    CVZPTabPaintManager::DeflateRectByPosition(pRect, GetClientMargin(), nPosition);
    switch (GetStripKind())
    {
    case 0:
        CVZPTabPaintManager::DeflateRectByPosition(pRect, 2, 2, 2, 2, nPosition);
        break;
    case 1:
        CVZPTabPaintManager::DeflateRectByPosition(pRect, 0, 2, 0, 0, nPosition);
        break;
    default:
        break;
    }
}

void CVZPTabAppearanceSet::DrawTab(CDC* /*pDC*/, CVZPTabManagerItem* /*pItem*/)
{
}

void CVZPTabAppearanceSet::DrawMdiClientBorder(CDC* pDC, RECT* pRect, int nMode)
{
    CVZPTabColorSet* pColors = GetColorSet();
    CRect rc(*pRect);
    if (!m_pPaintManager->m_bStaticFrame)
    {
        if (nMode == 1)
            ::InflateRect(pRect, 2, 2);
        else if (nMode == 2 || nMode == 3)
            pDC->FillSolidRect(rc, pColors->m_grcHeader.GetStartColor());
        return;
    }
    switch (nMode)
    {
    case 0:
        pDC->Draw3dRect(1, 0, rc.Width() - 2, rc.Height() - 1, GetColorManager()->GetColor(COLOR_BTNFACE),
                        GetColorManager()->GetColor(COLOR_BTNFACE));
        pDC->Draw3dRect(0, 0, rc.Width(), rc.Height(), pColors->m_clrBorder, pColors->m_clrBorder);
        break;
    case 1:
        pRect->top -= 1;
        break;
    case 2:
        pDC->FillSolidRect(rc, pColors->m_clrFace);
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pColors->m_clrBorder);
        break;
    case 3:
        pDC->FillSolidRect(rc, pColors->m_clrFace);
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pColors->m_clrBorder);
        break;
    default:
        break;
    }
}

void CVZPTabAppearanceSet::DrawEdgeByPosition(CDC* pDC, CRect rc, int nPosition, COLORREF c1, COLORREF c2)
{
    switch (nPosition)
    {
    case vzpTabPositionTop:
        if (c1 != kNone)
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, c1);
        break;
    case vzpTabPositionLeft:
        if (c1 != kNone)
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), c1);
        break;
    case vzpTabPositionBottom:
        if (c2 != kNone)
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, c2);
        break;
    default:
        if (c2 != kNone)
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), c2);
        break;
    }
}

int CVZPTabAppearanceSet::GetSupportedColorTypes()
{
    return 31;
}

int CVZPTabAppearanceSet::GetDefaultColorType()
{
    return 1;
}

CVZPTabAppearancePropertyPage::CVZPTabAppearancePropertyPage()
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CVZPTabAppearanceFlat::CVZPTabAppearanceFlat()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

CVZPTabAppearanceRounded::CVZPTabAppearanceRounded() : m_bCornerSmoothing(TRUE), m_bRoundedRectangle(FALSE)
{
}

CVZPTabAppearanceFlatSelected::CVZPTabAppearanceFlatSelected()
{
    m_rcHeaderMargin.SetRect(4, 2, 4, 0);
}

CVZPTabAppearanceSlanted::CVZPTabAppearanceSlanted() : m_bHotOutline(FALSE)
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CRect CVZPTabAppearanceSlanted::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nTabHeight;
    return rc;
}

CVZPTabAppearanceSlantedBoth::CVZPTabAppearanceSlantedBoth()
{
    m_bOverlapToSelection = TRUE;
}

CRect CVZPTabAppearanceSlantedBoth::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nTabHeight / 2;
    return rc;
}

CVZPTabAppearanceStateButtons::CVZPTabAppearanceStateButtons()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 2);
    m_nRowSpacing = 0;
}

CVZPTabAppearanceTrapezoid::CVZPTabAppearanceTrapezoid()
{
    m_rcHeaderMargin.SetRect(2, 3, 2, 0);
}

CRect CVZPTabAppearanceTrapezoid::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nTabHeight / 2;
    rc.right += m_nTabHeight / 2;
    return rc;
}

CVZPTabAppearanceStacked::CVZPTabAppearanceStacked()
{
}

// --- type 8 ---------------------------------------------------------------

CRect CVZPTabAppearanceStacked::GetHeaderRect(CRect /*rcControl*/, CVZPTabManager* /*pStrip*/)
{
    return CRect(0, 0, 0, 0);
}

void CVZPTabAppearanceStacked::LayoutTabStrip(CVZPTabManager* pStrip, CDC* /*pDC*/, CRect rc)
{
    int nCount = pStrip->GetItemCount();
    if (nCount == 0)
        return;
    CVZPTabPaintManager::DeflateRectByPosition(&rc, m_pPaintManager->m_rcControlMargin, GetPosition());
    int h = GetTabRowHeight(pStrip);
    int nLeft = GetStripKind() == 2 ? rc.left : rc.left + 1;
    int y = rc.top + 1;
    CVZPTabManagerItem* pSelected = pStrip->GetSelectedItem();
    for (int i = 0; i < nCount; i++)
    {
        CVZPTabManagerItem* pItem = pStrip->GetItem(i);
        pItem->m_rcItem.SetRect(nLeft, y, rc.right, y + h);
        pItem->m_nLength = h;
        y += h;
        if (pItem == pSelected)
        {
            // The tabs after the selected one stack at the bottom; its page
            // lies between.
            int nTarget = std::max(int(rc.bottom) - (nCount - i - 1) * h, y + h);
            int nBelow = std::min(nTarget, int(rc.bottom) - 1);
            if (nBelow >= y)
                y = nBelow;
        }
    }
}

CRect CVZPTabAppearanceStacked::GetClientRect(CRect rcControl, CVZPTabManager* pStrip)
{
    int nCount = pStrip != NULL ? pStrip->GetItemCount() : 0;
    CVZPTabManagerItem* pSelected = pStrip != NULL ? pStrip->GetSelectedItem() : NULL;
    int i = pSelected != NULL ? pSelected->GetIndex() : -1;
    int h = GetTabRowHeight(pStrip);
    BOOL bKind2 = GetStripKind() == 2;
    CRect rc = rcControl;
    rc.top = rcControl.top + h * (i + 1) + 1;
    rc.bottom = std::max(int(rcControl.bottom) - h * (nCount - i - 1), int(rc.top) + h);
    if (i == nCount - 1 && !bKind2)
        rc.bottom--;
    if (!bKind2)
        rc.DeflateRect(1, 0);
    return rc;
}

void CVZPTabAppearanceStacked::AdjustClientRect(CVZPTabManager* pStrip, RECT* pRect)
{
    int nPosition = GetPosition();
    CVZPTabPaintManager::DeflateRectByPosition(pRect, m_pPaintManager->m_rcControlMargin, nPosition);
    *pRect = GetClientRect(*pRect, pStrip);
    CVZPTabPaintManager::DeflateRectByPosition(pRect, GetClientMargin(), nPosition);
}

void CVZPTabAppearanceStacked::DrawTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    CVZPTabColorSet* pColors = GetColorSet();
    pDC->FillSolidRect(rc, pColors->m_clrFace);
    CVZPTabPaintManager::DeflateRectByPosition(&rc, m_pPaintManager->m_rcControlMargin, GetPosition());
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rc);
    if (GetStripKind() == 2)
    {
        if (pStrip->GetItemCount() > 0)
            Line(pDC, rc.left, rc.top, rc.Width(), 1, pColors->m_clrBorder);
    }
    else
    {
        pDC->Draw3dRect(rc, pColors->m_clrBorder, pColors->m_clrBorder);
    }
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    for (int i = pStrip->GetItemCount() - 1; i >= 0; i--)
    {
        CVZPTabManagerItem* pItem = pStrip->GetItem(i);
        CRect rcMeet;
        if (!pItem->m_rcItem.IsRectEmpty() && rcMeet.IntersectRect(pItem->m_rcItem, rc))
            DrawTab(pDC, pItem);
    }
    pDC->SetBkMode(nOldMode);
    pDC->RestoreDC(nSaved);
}

void CVZPTabAppearanceStacked::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabColorSet* pColors = GetColorSet();
    CRect rc = pItem->m_rcItem;
    pColors->FillTab(pDC, rc, pItem);
    pDC->Draw3dRect(rc, pColors->m_clrHighlightEdge, pColors->m_clrBorder);
    COLORREF clrGripper = GetColorManager()->GetColor(VZPCOLOR_GRIPPER);
    for (int y = rc.top + 4; y < rc.bottom - 3; y += 2)
        pDC->FillSolidRect(rc.right - 7, y, 3, 1, clrGripper);
    DrawContent(pDC, pItem, CRect(rc.left, rc.top, rc.right - 7, rc.bottom));
}

// --- drawing helpers --------------------------------------------------------

namespace {

// Maps a figure given for tabs on top onto the tab's real position: mirror
// top to bottom for the bottom, transpose for the left, transpose and mirror
// for the right. Figures are given in the tab's frame: u along the strip, v
// across it (outer edge at the frame's top).
class CTabFrame
{
public:
    CTabFrame(const CRect& rc, int nPosition) : m_rc(rc), m_nPosition(nPosition)
    {
        BOOL bSide = nPosition == vzpTabPositionLeft || nPosition == vzpTabPositionRight;
        m_rcFrame = bSide ? CRect(rc.top, rc.left, rc.bottom, rc.right) : rc;
    }
    // The tab rectangle in the frame.
    const CRect& Rect() const { return m_rcFrame; }
    CPoint Map(int u, int v) const
    {
        switch (m_nPosition)
        {
        case vzpTabPositionBottom:
            return CPoint(u, m_rc.top + m_rc.bottom - 1 - v);
        case vzpTabPositionLeft:
            return CPoint(v, u);
        case vzpTabPositionRight:
            return CPoint(m_rc.left + m_rc.right - 1 - v, u);
        default:
            return CPoint(u, v);
        }
    }
    CPoint Map(const CPoint& pt) const { return Map(pt.x, pt.y); }
    CPoint MapOffset(int du, int dv) const
    {
        switch (m_nPosition)
        {
        case vzpTabPositionBottom:
            return CPoint(du, -dv);
        case vzpTabPositionLeft:
            return CPoint(dv, du);
        case vzpTabPositionRight:
            return CPoint(-dv, du);
        default:
            return CPoint(du, dv);
        }
    }
    // A polyline of frame points in one colour (skipped for -1).
    void Polyline(CDC* pDC, const CArray<CPoint, CPoint>& pts, COLORREF clr) const
    {
        if (clr == kNone || pts.GetSize() < 2)
            return;
        CArray<CPoint, CPoint> mapped;
        for (INT_PTR i = 0; i < pts.GetSize(); i++)
            mapped.Add(Map(pts[i]));
        CVZPPenSelector pen(pDC->GetSafeHdc(), clr);
        pDC->Polyline(mapped.GetData(), int(mapped.GetSize()));
    }
    // A rectangle of frame coordinates mapped to the real position.
    void Line(CDC* pDC, int u, int v, int cu, int cv, COLORREF clr) const
    {
        if (clr == kNone || cu <= 0 || cv <= 0)
            return;
        CPoint a = Map(u, v), b = Map(u + cu - 1, v + cv - 1);
        CRect rc(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
        pDC->FillSolidRect(rc, clr);
    }
    // Fills the polygon of frame points through the colour set's FillTab;
    // returns the fill colour.
    COLORREF FillBody(CDC* pDC, const CArray<CPoint, CPoint>& pts, CVZPTabColorSet* pColors,
                      CVZPTabManagerItem* pItem) const
    {
        CArray<CPoint, CPoint> mapped;
        CRect rcBox(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        CPoint ptOrigin = pDC->GetViewportOrg();
        for (INT_PTR i = 0; i < pts.GetSize(); i++)
        {
            CPoint pt = Map(pts[i]);
            rcBox.left = std::min(rcBox.left, pt.x);
            rcBox.top = std::min(rcBox.top, pt.y);
            rcBox.right = std::max(rcBox.right, pt.x + 1);
            rcBox.bottom = std::max(rcBox.bottom, pt.y + 1);
            mapped.Add(pt + ptOrigin);
        }
        CRgn rgn;
        rgn.CreatePolygonRgn(mapped.GetData(), int(mapped.GetSize()), ALTERNATE);
        int nSaved = pDC->SaveDC();
        pDC->SelectClipRgn(&rgn, RGN_AND);
        COLORREF clr = pColors->FillTab(pDC, rcBox, pItem);
        pDC->RestoreDC(nSaved);
        return clr;
    }

private:
    CRect m_rc;
    CRect m_rcFrame;
    int m_nPosition;
};

void AddPoints(CArray<CPoint, CPoint>& arr, std::initializer_list<CPoint> pts)
{
    for (const CPoint& pt : pts)
        arr.Add(pt);
}

}  // namespace

// --- type 0 ---------------------------------------------------------------

CRect CVZPTabAppearancePropertyPage::GetClientMargin()
{
    CRect rc = CVZPTabAppearanceSet::GetClientMargin();
    if (GetColorSet()->IsThemed() && GetStripKind() == 0)
    {
        rc.right += 2;
        int nPosition = GetPosition();
        if (nPosition == vzpTabPositionTop || nPosition == vzpTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

CRect CVZPTabAppearancePropertyPage::FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    CVZPTabColorSet* pColors = GetColorSet();
    int nPosition = GetPosition();
    CRect rcHeader = GetHeaderRect(rc, pStrip);
    CVZPTabPaintManager::InflateRectByPosition(&rcHeader, 0, 0, 0, 1, nPosition);
    pColors->FillHeader(pDC, rcHeader, pStrip);

    CRect rcClient = GetClientRect(rc, pStrip);
    COLORREF clrLight = pColors->m_clr3DLight, clrShadow = pColors->m_clr3DShadow;
    COLORREF clrDark = pColors->m_clr3DDarkShadow;
    int nKind = GetStripKind();
    if (nKind == 0)
    {
        pColors->FillClientFrame(pDC, rcClient, pStrip);
        if (clrLight != kNone && clrDark != kNone)
            pDC->Draw3dRect(rcClient, clrLight, clrDark);
        if (clrShadow != kNone)
        {
            Line(pDC, rcClient.left + 1, rcClient.bottom - 2, rcClient.Width() - 2, 1, clrShadow);
            Line(pDC, rcClient.right - 2, rcClient.top + 1, 1, rcClient.Height() - 2, clrShadow);
        }
    }
    else if (nKind == 1)
    {
        switch (nPosition)
        {
        case vzpTabPositionTop:
            Line(pDC, rcClient.left, rcClient.top, rcClient.Width(), 1, clrLight);
            break;
        case vzpTabPositionLeft:
            Line(pDC, rcClient.left, rcClient.top, 1, rcClient.Height(), clrLight);
            break;
        case vzpTabPositionBottom:
            Line(pDC, rcClient.left, rcClient.bottom - 1, rcClient.Width(), 1, clrDark);
            Line(pDC, rcClient.left, rcClient.bottom - 2, rcClient.Width(), 1, clrShadow);
            break;
        default:
            Line(pDC, rcClient.right - 1, rcClient.top, 1, rcClient.Height(), clrDark);
            Line(pDC, rcClient.right - 2, rcClient.top, 1, rcClient.Height(), clrShadow);
            break;
        }
    }
    return rcHeader;
}

void CVZPTabAppearancePropertyPage::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabColorSet* pColors = GetColorSet();
    COLORREF c3 = pColors->m_clr3DLight, cS = pColors->m_clr3DShadow, cD = pColors->m_clr3DDarkShadow;
    BOOL bSelected = IsSelected(pItem);
    BOOL bOpen = bSelected && pItem->m_nRow == 0;
    CRect rc = pItem->m_rcItem;
    CRect rcContent;
    switch (GetPosition())
    {
    case vzpTabPositionTop:
    {
        if (bSelected)
            rc.InflateRect(2, 2, 2, 0);
        int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
        COLORREF clrFill = pColors->FillTab(pDC, CRect(L + 1, T + 1, R - 1, B - 1), pItem);
        if (c3 != kNone)
        {
            Line(pDC, L, T + 2, 1, B - T - 2, c3);
            Line(pDC, L + 1, T + 1, 1, 1, c3);
            Line(pDC, L + 2, T, R - L - 4, 1, c3);
        }
        if (cD != kNone)
        {
            Line(pDC, R - 2, T + 1, 1, 1, cD);
            Line(pDC, R - 1, T + 2, 1, B - T - 3, cD);
        }
        Line(pDC, R - 2, T + 2, 1, B - T - 3, cS);
        if (bOpen)
            Line(pDC, L + 1, B - 1, R - L - 3, 1, clrFill);
        rcContent = rc;
        break;
    }
    case vzpTabPositionLeft:
    {
        if (bSelected)
            rc.InflateRect(2, 2, 0, 2);
        int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
        COLORREF clrFill = pColors->FillTab(pDC, CRect(L + 1, T + 1, R - 1, B - 1), pItem);
        if (c3 != kNone)
        {
            Line(pDC, L + 2, T, R - L - 2, 1, c3);
            Line(pDC, L + 1, T + 1, 1, 1, c3);
            Line(pDC, L, T + 2, 1, B - T - 4, c3);
        }
        Line(pDC, L + 1, B - 2, R - L - 2, 1, cS);
        if (cD != kNone)
        {
            Line(pDC, L + 2, B - 1, R - L - 3, 1, cD);
            Line(pDC, L + 2, B - 2, 1, 1, cD);
        }
        Line(pDC, L + 2, B - 1, 1, 1, cS);
        if (bOpen)
            Line(pDC, R - 1, T + 1, 1, B - T - 3, clrFill);
        rcContent = rc;
        break;
    }
    case vzpTabPositionBottom:
    {
        if (bSelected)
            rc.InflateRect(2, 2, 2, 2);
        int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
        COLORREF clrFill = pColors->FillTab(pDC, CRect(L + 1, T + 1, R - 1, B - 1), pItem);
        if (c3 != kNone)
        {
            Line(pDC, L, T + 1, 1, B - T - 2, c3);
            Line(pDC, L + 1, B - 1, 1, 1, c3);
        }
        Line(pDC, L + 2, B - 1, R - L - 4, 1, cS);
        if (cD != kNone)
        {
            Line(pDC, L + 2, B, R - L - 4, 1, cD);
            Line(pDC, R - 2, B - 1, 1, 1, cD);
            Line(pDC, R - 1, T, 1, B - T - 1, cD);
        }
        Line(pDC, R - 2, T, 1, B - T - 1, cS);
        rcContent = rc;
        if (bOpen)
        {
            Line(pDC, L + 1, T + 1, R - L - 1, 1, clrFill);
            rcContent.bottom += 2;
        }
        break;
    }
    default:
    {
        if (bSelected)
            rc.InflateRect(2, 2, 2, 2);
        int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
        COLORREF clrFill = pColors->FillTab(pDC, CRect(L + 1, T + 1, R - 1, B - 1), pItem);
        if (c3 != kNone)
        {
            Line(pDC, L + 1, T, R - L - 2, 1, c3);
            Line(pDC, R - 1, T + 1, 1, 1, c3);
        }
        Line(pDC, R - 1, T + 2, 1, B - T - 4, cS);
        if (cD != kNone)
        {
            Line(pDC, R, T + 2, 1, B - T - 4, cD);
            Line(pDC, R - 1, B - 2, 1, 1, cD);
        }
        Line(pDC, L + 1, B - 2, R - L - 2, 1, cS);
        Line(pDC, L + 1, B - 1, R - L - 2, 1, cD);
        rcContent = rc;
        if (bOpen)
        {
            Line(pDC, L + 1, T + 1, 1, B - T - 1, clrFill);
            rcContent.right += 2;
        }
        break;
    }
    }
    DrawContent(pDC, pItem, rcContent);
}

// --- type 1 ---------------------------------------------------------------

void CVZPTabAppearancePropertyPageSelected::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    if (IsSelected(pItem) || IsHot(pItem))
        CVZPTabAppearancePropertyPage::DrawTab(pDC, pItem);
    else
        DrawContent(pDC, pItem, pItem->m_rcItem);
}

// --- types 6, 5 and 2 -----------------------------------------------------

void CVZPTabAppearanceFlat::GetFrameColors(COLORREF* pc1, COLORREF* pc2)
{
    *pc1 = GetColorSet()->m_clrBorder;
    *pc2 = GetColorSet()->m_clrBorder;
}

CRect CVZPTabAppearanceFlat::FillFlatBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc, BOOL bFillClientOnEdge)
{
    CVZPTabColorSet* pColors = GetColorSet();
    CRect rcHeader = GetHeaderRect(rc, pStrip);
    pColors->FillHeader(pDC, rcHeader, pStrip);
    CRect rcClient = GetClientRect(rc, pStrip);
    COLORREF c1, c2;
    GetFrameColors(&c1, &c2);
    int nKind = GetStripKind();
    if (nKind == 0)
    {
        pColors->FillClientFrame(pDC, rcClient, pStrip);
        pDC->Draw3dRect(rcClient, c1, c2);
    }
    else if (nKind == 1)
    {
        if (bFillClientOnEdge)
            pColors->FillClientFrame(pDC, rcClient, pStrip);
        DrawEdgeByPosition(pDC, rcClient, GetPosition(), c1, c2);
    }
    return rcHeader;
}

CRect CVZPTabAppearanceFlat::FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    return FillFlatBackground(pStrip, pDC, rc, TRUE);
}

void CVZPTabAppearanceFlat::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabColorSet* pColors = GetColorSet();
    int nPosition = GetPosition();
    CRect rc = pItem->m_rcItem;
    if (pItem->GetTabManager()->IsHorizontalPosition())
        rc.right++;
    else
        rc.bottom++;
    if (IsSelected(pItem))
        CVZPTabPaintManager::InflateRectByPosition(&rc, 0, 0, 0, 1, nPosition);
    pColors->FillTab(pDC, rc, pItem);
    pDC->Draw3dRect(rc, pColors->m_clrBorder, pColors->m_clrBorder);
    DrawContent(pDC, pItem, pItem->m_rcItem);
}

void CVZPTabAppearanceFlatSelected::GetFrameColors(COLORREF* pc1, COLORREF* pc2)
{
    *pc1 = GetColorSet()->m_clrHighlightEdge;
    *pc2 = GetColorSet()->m_clrSelectedText;
}

CRect CVZPTabAppearanceFlatSelected::FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    return FillFlatBackground(pStrip, pDC, rc, FALSE);
}

void CVZPTabAppearanceFlatSelected::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabColorSet* pColors = GetColorSet();
    CRect rc = pItem->m_rcItem;
    if (IsSelected(pItem))
    {
        pColors->FillTab(pDC, rc, pItem);
        CRect rcFrame = rc;
        CVZPTabPaintManager::InflateRectByPosition(&rcFrame, 0, 0, 0, 1, GetPosition());
        pDC->Draw3dRect(rcFrame, pColors->m_clrHighlightEdge, pColors->m_clrSelectedText);
    }
    else if (pItem->GetTabManager()->IsHorizontalPosition())
    {
        Line(pDC, rc.right, rc.top + 2, 1, rc.Height() - 4, pColors->m_clrBorder);
    }
    else
    {
        Line(pDC, rc.left + 2, rc.bottom, rc.Width() - 4, 1, pColors->m_clrBorder);
    }
    DrawContent(pDC, pItem, pItem->m_rcItem);
}

void CVZPTabAppearanceRounded::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabColorSet* pColors = GetColorSet();
    int nPosition = GetPosition();
    CVZPTabManager* pStrip = pItem->GetTabManager();
    BOOL bSelected = IsSelected(pItem);
    COLORREF clrBorder = pColors->m_clrBorder;

    CRect rc = pItem->m_rcItem;
    if (pStrip->IsHorizontalPosition())
        rc.right++;
    else
        rc.bottom++;
    CRect rcFill = rc;
    CVZPTabPaintManager::DeflateRectByPosition(&rcFill, 1, 1, 1, 0, nPosition);
    pColors->FillTab(pDC, rcFill, pItem);
    if (bSelected)
        CVZPTabPaintManager::InflateRectByPosition(&rc, 0, 0, 0, 1, nPosition);
    CRect rcCorners = rc;
    if (!bSelected)
        CVZPTabPaintManager::InflateRectByPosition(&rcCorners, 0, 0, 0, 1, nPosition);

    if (m_bCornerSmoothing && !m_bRoundedRectangle)
    {
        int nSaved = pDC->SaveDC();
        CVZPGradientPaintManager::ExcludeCornerPixels(pDC, rcCorners.left, rcCorners.top, rcCorners.right,
                                                      rcCorners.bottom);
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
        pDC->RestoreDC(nSaved);

        // Soften the two outer corners: each pixel takes the average of
        // itself and a neighbour.
        CTabFrame frame(rcCorners, nPosition);
        const CRect& f = frame.Rect();
        const int L = f.left, T = f.top, R = f.right;
        const int pairs[10][4] = {
            { L, T + 1, 0, -1 },     { L + 1, T, -1, 0 },     { R - 2, T, 1, 0 },      { R - 1, T + 1, 0, -1 },
            { L + 1, T + 1, -1, 0 }, { R - 2, T + 1, 1, 0 },  { L + 2, T + 1, -1, 0 }, { L + 1, T + 2, 0, -1 },
            { R - 3, T + 1, 1, 0 },  { R - 2, T + 2, 0, -1 },
        };
        POINT pts[20];
        for (int i = 0; i < 10; i++)
        {
            pts[2 * i] = frame.Map(pairs[i][0], pairs[i][1]);
            pts[2 * i + 1] = frame.MapOffset(pairs[i][2], pairs[i][3]);
        }
        CVZPDrawTools::AveragePixels(pDC, pts, 20);
    }
    else if (!m_bRoundedRectangle || bSelected)
    {
        CVZPPenSelector pen(pDC->GetSafeHdc(), clrBorder);
        CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
        pDC->RoundRect(rc, CPoint(5, 5));
        pDC->SelectObject(pOldBrush);
    }
    else if (pItem->GetIndex() < pStrip->GetItemCount() - 1)
    {
        if (pStrip->IsHorizontalPosition())
            Line(pDC, rc.right - 1, rc.top + 3, 1, rc.Height() - 6, clrBorder);
        else
            Line(pDC, rc.left + 3, rc.bottom - 1, rc.Width() - 6, 1, clrBorder);
    }
    DrawContent(pDC, pItem, pItem->m_rcItem);
}

// --- types 3 and 9 --------------------------------------------------------

CRect CVZPTabAppearanceSlanted::FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    CVZPTabColorSet* pColors = GetColorSet();
    CRect rcHeader = GetHeaderRect(rc, pStrip);
    pColors->FillHeader(pDC, rcHeader, pStrip);
    CRect rcClient = GetClientRect(rc, pStrip);
    COLORREF clrOutline = pColors->m_clrSelectedOutline;
    int nKind = GetStripKind();
    if (nKind == 0)
    {
        pColors->FillClientFrame(pDC, rcClient, pStrip);
        pDC->Draw3dRect(rcClient, clrOutline, clrOutline);
    }
    else if (nKind == 1)
    {
        DrawEdgeByPosition(pDC, rcClient, GetPosition(), clrOutline, clrOutline);
    }
    return rcHeader;
}

void CVZPTabAppearanceSlanted::GetFigure(const CRect& rc, Figure* p)
{
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, H = B - T;
    AddPoints(p->body, { { R - 1, B - 1 }, { R - 1, T + 2 }, { L + 4, T + 2 }, { L + 8 - H, B - 2 },
                         { L + 8 - H, B - 1 } });
    AddPoints(p->outline, { { R, B - 2 }, { R, T + 2 }, { R - 2, T }, { L + 7, T }, { L + 2, T + 2 },
                            { L + 6 - H, B - 2 }, { L + 4 - H, B - 2 } });
    AddPoints(p->innerRight, { { R - 1, B - 2 }, { R - 1, T + 2 }, { R - 3, T } });
    AddPoints(p->innerTop, { { R - 3, T + 1 }, { L + 6, T + 1 }, { L + 1, T + 4 }, { L + 6 - H, B - 1 } });
    p->bOpening = TRUE;
    p->ptOpening = CPoint(L + 5 - H, B - 1);
    p->nOpeningLength = R - L + H - 4;
}

void CVZPTabAppearanceSlantedBoth::GetFigure(const CRect& rc, Figure* p)
{
    const int L = rc.left, R = rc.right, B = rc.bottom, f = rc.Height() / 2;
    AddPoints(p->body, { { R + f - 4, B - 1 }, { R - 1, B + 5 - 2 * f }, { R - 5, B + 1 - 2 * f },
                         { R - 8, B - 2 * f }, { L + 8, B - 2 * f }, { L + 5, B + 1 - 2 * f },
                         { L + 2, B + 4 - 2 * f }, { L + 4 - f, B } });
    p->outline.Copy(p->body);
    AddPoints(p->innerRight, { { R + f - 5, B - 1 }, { R - 2, B + 5 - 2 * f }, { R - 5, B + 2 - 2 * f },
                               { R - 8, B + 1 - 2 * f } });
    AddPoints(p->innerTop, { { R - 7, B + 1 - 2 * f }, { L + 8, B + 1 - 2 * f }, { L + 5, B + 2 - 2 * f },
                             { L + 3, B + 4 - 2 * f }, { L + 5 - f, B } });
    p->bOpening = FALSE;
}

void CVZPTabAppearanceSlanted::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabColorSet* pColors = GetColorSet();
    BOOL bSelected = IsSelected(pItem);
    COLORREF clrOutline = bSelected ? pColors->m_clrSelectedOutline : pColors->m_clrOutline;
    COLORREF clrInner = pColors->m_clrInnerLine, clrInner2 = pColors->m_clrInnerLine2;
    if (bSelected)
        clrInner = clrInner2 = RGB(255, 255, 255);
    if (m_bHotOutline && IsHot(pItem))
        clrOutline = clrInner = clrInner2 = pColors->m_grcButtonFrame.GetEndColor();

    CTabFrame frame(pItem->m_rcItem, GetPosition());
    Figure fig;
    GetFigure(frame.Rect(), &fig);
    COLORREF clrFill = frame.FillBody(pDC, fig.body, pColors, pItem);
    frame.Polyline(pDC, fig.outline, clrOutline);
    frame.Polyline(pDC, fig.innerRight, clrInner);
    frame.Polyline(pDC, fig.innerTop, clrInner2);
    if (fig.bOpening && bSelected)
        frame.Line(pDC, fig.ptOpening.x, fig.ptOpening.y, fig.nOpeningLength, 1, clrFill);
    DrawContent(pDC, pItem, pItem->m_rcItem);
}

// --- type 4 ---------------------------------------------------------------

CRect CVZPTabAppearanceStateButtons::FillStripBackground(CVZPTabManager* pStrip, CDC* /*pDC*/, CRect rc)
{
    return GetHeaderRect(rc, pStrip);
}

void CVZPTabAppearanceStateButtons::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    GetColorSet()->FillStateButton(pDC, pItem->m_rcItem, pItem);
    DrawContent(pDC, pItem, pItem->m_rcItem);
}

// --- type 7 ---------------------------------------------------------------

void CVZPTabAppearanceTrapezoid::DrawTab(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabColorSet* pColors = GetColorSet();
    BOOL bSelected = IsSelected(pItem);
    CTabFrame frame(pItem->m_rcItem, GetPosition());
    CRect f = frame.Rect();
    f.bottom -= 1;
    int h = f.Height();
    f.OffsetRect(-h / 4, 0);
    int e = h / 2;
    const int L = f.left, T = f.top, R = f.right, B = f.bottom;

    CArray<CPoint, CPoint> body;
    AddPoints(body, { { L, B }, { L + e, T }, { R, T }, { R + e, B } });
    COLORREF clrFill = frame.FillBody(pDC, body, pColors, pItem);

    COLORREF clrOuterNear = bSelected ? pColors->m_clrSheetSelOuterNear : pColors->m_clrSheetNormOuterNear;
    COLORREF clrOuterFar = bSelected ? pColors->m_clrSheetSelOuterFar : pColors->m_clrSheetNormOuterFar;
    COLORREF clrInnerNear = bSelected ? pColors->m_clrSheetSelInnerNear : pColors->m_clrSheetNormInnerNear;
    COLORREF clrInnerFar = bSelected ? pColors->m_clrSheetSelInnerFar : pColors->m_clrSheetNormInnerFar;
    CArray<CPoint, CPoint> line;
    AddPoints(line, { { L, B - 1 }, { L + e, T }, { R, T } });
    frame.Polyline(pDC, line, clrOuterNear);
    line.RemoveAll();
    AddPoints(line, { { R, T }, { R + e, B } });
    frame.Polyline(pDC, line, clrOuterFar);
    line.RemoveAll();
    AddPoints(line, { { L + 1, B - 1 }, { L + e + 1, T } });
    frame.Polyline(pDC, line, clrInnerNear);
    line.RemoveAll();
    AddPoints(line, { { L + e, T + 1 }, { R, T + 1 } });
    frame.Polyline(pDC, line, clrInnerNear);
    line.RemoveAll();
    AddPoints(line, { { R - 1, T }, { R + e - 1, B } });
    frame.Polyline(pDC, line, clrInnerFar);
    if (bSelected)
        frame.Line(pDC, L, B, R + e - L, 1, clrFill);
    DrawContent(pDC, pItem, pItem->m_rcItem);
}

CVZPTabAppearanceSet* CreateTabAppearanceSet(int nType)
{
    switch (nType)
    {
    case 1:
        return new CVZPTabAppearancePropertyPageSelected;
    case 2:
        return new CVZPTabAppearanceRounded;
    case 3:
        return new CVZPTabAppearanceSlanted;
    case 4:
        return new CVZPTabAppearanceStateButtons;
    case 5:
        return new CVZPTabAppearanceFlatSelected;
    case 6:
        return new CVZPTabAppearanceFlat;
    case 7:
        return new CVZPTabAppearanceTrapezoid;
    case 8:
        return new CVZPTabAppearanceStacked;
    case 9:
        return new CVZPTabAppearanceSlantedBoth;
    default:
        return new CVZPTabAppearancePropertyPage;
    }
}
