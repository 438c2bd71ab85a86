// The appearance sets of tab strips: the header's thickness and place, the
// client rectangle, the tab height, margins, and the shape of each tab. A
// tab paint manager owns exactly one, made by SelectAppearance from a type
// (0 to 9).
#pragma once

#include <afxwin.h>

class CVZPTabManager;
class CVZPTabManagerItem;
class CVZPTabPaintManager;

class CVZPTabColorSet;

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

    // A one-pixel line on the client side of rc (skipped for colour -1):
    // top and left positions in c1, bottom and right in c2.
    static void DrawEdgeByPosition(CDC* pDC, CRect rc, int nPosition, COLORREF c1, COLORREF c2);

    CRect m_rcHeaderMargin;
    int m_nRowSpacing;
    int m_nTabHeight;
    CVZPTabPaintManager* m_pPaintManager;
    BOOL m_bOverlapToSelection;

protected:
    CVZPTabColorSet* GetColorSet() const;
    int GetPosition() const;
    int GetStripKind() const;
    BOOL IsSelected(CVZPTabManagerItem* pItem) const;
    BOOL IsHot(CVZPTabManagerItem* pItem) const;
    // The paint manager's DrawTabContent.
    void DrawContent(CDC* pDC, CVZPTabManagerItem* pItem, CRect rc);
};

// Type 0: 3-D property-page tabs.
class CVZPTabAppearancePropertyPage : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearancePropertyPage();
    int GetSupportedColorTypes() override { return 13; }
    CRect GetClientMargin() override;
    CRect FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc) override;
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;
};

// Type 1: as type 0, the 3-D shape only on the selected and the hot tab.
class CVZPTabAppearancePropertyPageSelected : public CVZPTabAppearancePropertyPage
{
public:
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;
};

// Type 6: flat outlined tabs.
class CVZPTabAppearanceFlat : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceFlat();
    int GetSupportedColorTypes() override { return 7; }
    int GetDefaultColorType() override { return 2; }
    CRect FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc) override;
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;

protected:
    // The two colours of the client frame.
    virtual void GetFrameColors(COLORREF* pc1, COLORREF* pc2);
    // Header, client frame and its outline; on docking-pane tabs the client
    // frame is filled only with bFillClientOnEdge.
    CRect FillFlatBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc, BOOL bFillClientOnEdge);
};

// Type 2: flat tabs with rounded corners.
class CVZPTabAppearanceRounded : public CVZPTabAppearanceFlat
{
public:
    CVZPTabAppearanceRounded();
    int GetDefaultColorType() override { return 1; }
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;

    BOOL m_bCornerSmoothing;
    BOOL m_bRoundedRectangle;
};

// Type 5: flat, only the selected tab framed.
class CVZPTabAppearanceFlatSelected : public CVZPTabAppearanceFlat
{
public:
    CVZPTabAppearanceFlatSelected();
    CRect FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc) override;
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;

protected:
    void GetFrameColors(COLORREF* pc1, COLORREF* pc2) override;
};

// Type 3: slanted tabs; the header's left margin grows by the tab height.
class CVZPTabAppearanceSlanted : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceSlanted();
    CRect GetHeaderMargin() override;
    int GetSupportedColorTypes() override { return 21; }
    int GetDefaultColorType() override { return 4; }
    CRect FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc) override;
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;

    BOOL m_bHotOutline;

protected:
    // The tab's figure for tabs on top, in the tab's own frame.
    struct Figure
    {
        CArray<CPoint, CPoint> body, outline, innerRight, innerTop;
        BOOL bOpening;
        CPoint ptOpening;
        int nOpeningLength;
    };
    virtual void GetFigure(const CRect& rc, Figure* pFigure);
};

// Type 9: tabs slanted on both sides, drawn overlapping toward the
// selection; the left margin grows by half the tab height.
class CVZPTabAppearanceSlantedBoth : public CVZPTabAppearanceSlanted
{
public:
    CVZPTabAppearanceSlantedBoth();
    CRect GetHeaderMargin() override;

protected:
    void GetFigure(const CRect& rc, Figure* pFigure) override;
};

// Type 4: each tab a state button.
class CVZPTabAppearanceStateButtons : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceStateButtons();
    int GetDefaultColorType() override { return 2; }
    CRect FillStripBackground(CVZPTabManager* pStrip, CDC* pDC, CRect rc) override;
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;
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
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;
};

// Type 8: a vertical stack of full-width bars.
class CVZPTabAppearanceStacked : public CVZPTabAppearanceSet
{
public:
    CVZPTabAppearanceStacked();
    CRect GetHeaderRect(CRect rcControl, CVZPTabManager* pStrip) override;
    CRect GetClientRect(CRect rcControl, CVZPTabManager* pStrip) override;
    int GetSupportedColorTypes() override { return 5; }
    void LayoutTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rc) override;
    void AdjustClientRect(CVZPTabManager* pStrip, RECT* pRect) override;
    void DrawTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rc) override;
    void DrawTab(CDC* pDC, CVZPTabManagerItem* pItem) override;
};

// A new appearance set of the type; any other type gives type 0.
CVZPTabAppearanceSet* CreateTabAppearanceSet(int nType);
