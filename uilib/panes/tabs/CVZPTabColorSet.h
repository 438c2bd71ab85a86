// The colour sets of tab strips: every colour a strip draws with, by tab
// state, and the fills of tabs, header, client frame and navigate buttons.
// A tab paint manager owns exactly one, made by SelectColorSet from a type:
// 1 classic, 2 light face, 4 scheme, 8 visual style, 16 soft scheme.
#pragma once

#include <afxwin.h>

#include "CVZPGradientColor.h"
#include "CVZPVisualStyle.h"

class CVZPTabManager;
class CVZPTabManagerItem;
class CVZPTabManagerNavigateButton;
class CVZPTabPaintManager;

class CVZPTabColorSet
{
public:
    CVZPTabColorSet();
    virtual ~CVZPTabColorSet();
    CVZPTabColorSet(const CVZPTabColorSet&) = delete;
    CVZPTabColorSet& operator=(const CVZPTabColorSet&) = delete;

    // Standard values of every member from the colour manager.
    virtual void RefreshMetrics();
    virtual void SetTabTextColor(CDC* pDC, CVZPTabManagerItem* pItem);
    virtual void FillHeader(CDC* pDC, CRect rc, CVZPTabManager* pStrip);
    virtual COLORREF FillClientFrame(CDC* pDC, CRect rc, CVZPTabManager* pStrip);
    virtual void FillStateButton(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem);
    virtual COLORREF FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem);
    virtual void PrepareClientClip(CDC* pDC, CRect rc, CVZPTabManager* pStrip);
    virtual void FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect) = 0;
    virtual COLORREF GetTabFillColor(CVZPTabManagerItem* pItem);
    virtual BOOL IsThemed();

    CVZPGradientColor m_grcHeader;
    CVZPGradientColor m_grcHeader2;
    CVZPOverridableColor m_clrBorder;
    CVZPOverridableColor m_clrFace;
    CVZPOverridableColor m_clrHighlightEdge;
    CVZPOverridableColor m_clrSelectedFace;
    CVZPOverridableColor m_clrNormalFace;
    CVZPOverridableColor m_clrNormalText;
    CVZPOverridableColor m_clrInactiveText;
    CVZPOverridableColor m_clrSelectedText;
    CVZPOverridableColor m_clrHotText;
    CVZPOverridableColor m_clrDisabledText;
    CVZPGradientColor m_grcButton;
    CVZPGradientColor m_grcButtonFrame;
    CVZPOverridableColor m_clr3DLight;
    CVZPOverridableColor m_clr3DShadow;
    CVZPOverridableColor m_clr3DDarkShadow;
    CVZPOverridableColor m_clrOutline;
    CVZPOverridableColor m_clrSelectedOutline;
    CVZPOverridableColor m_clrInnerLine;
    CVZPOverridableColor m_clrInnerLine2;
    // Sheet tabs (appearance type 7): the selected group, then the normal one.
    CVZPOverridableColor m_clrSheetSelOuterNear;
    CVZPOverridableColor m_clrSheetSelOuterFar;
    CVZPOverridableColor m_clrSheetSelInnerNear;
    CVZPOverridableColor m_clrSheetSelInnerFar;
    CVZPOverridableColor m_clrSheetNormOuterNear;
    CVZPOverridableColor m_clrSheetNormOuterFar;
    CVZPOverridableColor m_clrSheetNormInnerNear;
    CVZPOverridableColor m_clrSheetNormInnerFar;
    CVZPTabPaintManager* m_pPaintManager;

    // A gradient across the strip, c1 at the outer edge and c2 toward the
    // client (exchanged by the reverse-gradient option); c1 = -2 fills the
    // dithered face/highlight pattern.
    void FillGradientByPosition(CDC* pDC, CRect rc, COLORREF c1, COLORREF c2, int nPosition);

protected:
    // The strip position of the paint manager (top before attaching).
    int GetPosition() const;
    BOOL IsItemColors() const;
    // Sunken while pressed (the rectangle then moves by one pixel), raised
    // while hot; the glyph in COLOR_BTNTEXT.
    void DrawDefaultNavigateFace(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect);
    // The paint manager's appearance type (-1 before the set is attached).
    int GetAppearanceType() const;
    // The paint manager's IsLunaDisabled (FALSE before the set is attached).
    BOOL IsLunaDisabled() const;
};

// Type 1: a dithered selected state button in a sunken frame.
class CVZPTabColorSetClassic : public CVZPTabColorSet
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect) override;
};

// Type 2: a light-face header.
class CVZPTabColorSetLightFace : public CVZPTabColorSet
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect) override;
};

// Type 4: the fixed colours of the visual style's colour scheme, or the
// library's highlight colours without one.
class CVZPTabColorSetScheme : public CVZPTabColorSet
{
public:
    CVZPTabColorSetScheme();
    void RefreshMetrics() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect) override;

    CVZPOverridableColor m_clrHotFace;
    CVZPOverridableColor m_clrButtonBorder;
    BOOL m_bSchemeColors;   // a colour scheme chose the colours

protected:
    // The whole of this set's own RefreshMetrics, for the soft set.
    void RefreshSchemeColors();
};

// Type 16: white selected tabs; as type 4 while Luna is enabled.
class CVZPTabColorSetSoftScheme : public CVZPTabColorSetScheme
{
public:
    CVZPTabColorSetSoftScheme();
    void RefreshMetrics() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem) override;

    BOOL m_bSoftFill;
};

// Type 8: the visual style's "TAB" and "TOOLBAR" parts; type 1 where they
// are not themed.
class CVZPTabColorSetThemed : public CVZPTabColorSetClassic
{
public:
    ~CVZPTabColorSetThemed() override;
    void RefreshMetrics() override;
    BOOL IsThemed() override;
    COLORREF FillClientFrame(CDC* pDC, CRect rc, CVZPTabManager* pStrip) override;
    void FillStateButton(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem) override;
    COLORREF FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem) override;
    void PrepareClientClip(CDC* pDC, CRect rc, CVZPTabManager* pStrip) override;
    void FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect) override;

    // Draws part 1 of "TAB" for a strip at a side or the bottom: drawn
    // upright into a bitmap, mirrored or transposed, and put in place with
    // DrawStateW.
    void DrawRotatedTabPart(CDC* pDC, CRect rc, int nState, int nPosition);

    CVZPVisualStyle m_themeTab;
    CVZPVisualStyle m_themeToolbar;
};

// A new colour set of the type; any other type gives type 1.
CVZPTabColorSet* CreateTabColorSet(int nType);
