#include "CVZPTabAppearanceSet.h"

#include <algorithm>

#include "CVZPTabPaintManager.h"
#include "VZPPaneMetrics.h"

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

// Header, client and tab geometry belong to the strips' layout; a set
// without a strip answers empty rectangles.
CRect CVZPTabAppearanceSet::GetHeaderRect(CRect /*rcControl*/, CVZPTabManager* /*pStrip*/)
{
    return CRect(0, 0, 0, 0);
}

CRect CVZPTabAppearanceSet::GetClientRect(CRect rcControl, CVZPTabManager* /*pStrip*/)
{
    return rcControl;
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
    return m_pPaintManager != NULL ? m_pPaintManager->DrawTabContent(pDC, pItem, CRect(0, 0, 0, 0), FALSE) : 0;
}

int CVZPTabAppearanceSet::GetTabRowHeight(CVZPTabManager* /*pStrip*/)
{
    return m_nTabHeight;
}

void CVZPTabAppearanceSet::DrawTabStrip(CVZPTabManager* /*pStrip*/, CDC* /*pDC*/, CRect /*rc*/)
{
}

CRect CVZPTabAppearanceSet::FillStripBackground(CVZPTabManager* /*pStrip*/, CDC* /*pDC*/, CRect /*rc*/)
{
    return CRect(0, 0, 0, 0);
}

void CVZPTabAppearanceSet::LayoutTabStrip(CVZPTabManager* /*pStrip*/, CDC* /*pDC*/, CRect /*rc*/)
{
}

void CVZPTabAppearanceSet::AdjustClientRect(CVZPTabManager* /*pStrip*/, RECT* /*pRect*/)
{
}

void CVZPTabAppearanceSet::DrawTab(CDC* /*pDC*/, CVZPTabManagerItem* /*pItem*/)
{
}

void CVZPTabAppearanceSet::DrawMdiClientBorder(CDC* /*pDC*/, RECT* /*pRect*/, int /*nMode*/)
{
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

CRect CVZPTabAppearanceStacked::GetHeaderRect(CRect /*rcControl*/, CVZPTabManager* /*pStrip*/)
{
    return CRect(0, 0, 0, 0);
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
