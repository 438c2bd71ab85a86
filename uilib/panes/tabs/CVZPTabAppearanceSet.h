// The appearance sets of tab strips: the header's thickness and place, the
// client rectangle, the tab height, margins, and the shape of each tab. A
// tab paint manager owns exactly one, made by SelectAppearance from a type
// (0 to 9).
#pragma once

#include <afxwin.h>

class CVZPTabManager;
class CVZPTabManagerItem;
class CVZPTabPaintManager;

class CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceSet();
    virtual ~CVZPTabAppearanceSet();
    CVZPTabAppearanceSet(const CVZPTabAppearanceSet&) = delete;
    CVZPTabAppearanceSet& operator=(const CVZPTabAppearanceSet&) = delete;

    // Tab height: max(18, cy + 3), cy the height of " " in the paint
    // manager's normal font on a desktop window DC.
    virtual void RefreshMetrics();
    virtual CRect GetHeaderRect(CRect rcControl, CVZPTabManager* pStrip);
    virtual CRect GetClientRect(CRect rcControl, CVZPTabManager* pStrip);
    virtual CRect GetHeaderMargin();
    virtual CRect GetClientMargin();
    virtual int GetTabLength(CDC* pDC, CVZPTabManagerItem* pItem);
    virtual int GetTabRowHeight(CVZPTabManager* pStrip);
    virtual void DrawTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rc);
    virtual CRect FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc);
    virtual void LayoutTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rc);
    virtual void AdjustClientRect(CVZPTabManager* pStrip, RECT* pRect);
    virtual void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem);
    virtual void DrawMdiClientBorder(CDC* pDC, RECT* pRect, int nMode);
    // Bit mask of the colour types this set works with.
    virtual int GetSupportedColorTypes();
    // The colour type selected together with this set.
    virtual int GetDefaultColorType();

    CRect m_rcHeaderMargin;
    int m_nRowSpacing;
    int m_nTabHeight;
    CVZPTabPaintManager* m_pPaintManager;
    BOOL m_bOverlapToSelection;
};

// Type 0: 3-D property-page tabs.
class CVZPTabAppearancePropertyPage : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearancePropertyPage();
    int GetSupportedColorTypes() override { return 13; }
};

// Type 1: as type 0, the 3-D shape only on the selected and the hot tab.
class CVZPTabAppearancePropertyPageSelected : public CVZPTabAppearancePropertyPage
{
};

// Type 6: flat outlined tabs.
class CVZPTabAppearanceFlat : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceFlat();
    int GetSupportedColorTypes() override { return 7; }
    int GetDefaultColorType() override { return 2; }
};

// Type 2: flat tabs with rounded corners.
class CVZPTabAppearanceRounded : public CVZPTabAppearanceFlat
{
public:
    CVZPTabAppearanceRounded();
    int GetDefaultColorType() override { return 1; }

    BOOL m_bCornerSmoothing;
    BOOL m_bRoundedRectangle;
};

// Type 5: flat, only the selected tab framed.
class CVZPTabAppearanceFlatSelected : public CVZPTabAppearanceFlat
{
public:
    CVZPTabAppearanceFlatSelected();
};

// Type 3: slanted tabs; the header's left margin grows by the tab height.
class CVZPTabAppearanceSlanted : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceSlanted();
    CRect GetHeaderMargin() override;
    int GetSupportedColorTypes() override { return 21; }
    int GetDefaultColorType() override { return 4; }

    BOOL m_bHotOutline;
};

// Type 9: tabs slanted on both sides, drawn overlapping toward the
// selection; the left margin grows by half the tab height.
class CVZPTabAppearanceSlantedBoth : public CVZPTabAppearanceSlanted
{
public:
    CVZPTabAppearanceSlantedBoth();
    CRect GetHeaderMargin() override;
};

// Type 4: each tab a state button.
class CVZPTabAppearanceStateButtons : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceStateButtons();
    int GetDefaultColorType() override { return 2; }
};

// Type 7: trapezoid sheet tabs; both side margins grow by half the tab
// height.
class CVZPTabAppearanceTrapezoid : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceTrapezoid();
    CRect GetHeaderMargin() override;
    int GetSupportedColorTypes() override { return 7; }
    int GetDefaultColorType() override { return 2; }
};

// Type 8: a vertical stack of full-width bars.
class CVZPTabAppearanceStacked : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceStacked();
    CRect GetHeaderRect(CRect rcControl, CVZPTabManager* pStrip) override;
    int GetSupportedColorTypes() override { return 5; }
};

// A new appearance set of the type; any other type gives type 0.
CVZPTabAppearanceSet* CreateTabAppearanceSet(int nType);
