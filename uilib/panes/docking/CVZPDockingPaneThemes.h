// The docking themes: concrete docking paint managers, one per theme
// number. 0 is the default; 4 is flat; 1 uses the system's caption colours
// and is the base of 2 (and 7), 3 (visual style), 5, 6 (and 9); 8 uses the
// visual style's toolbar parts.
#pragma once

#include "CVZPDockingPanePaintManager.h"
#include "CVZPTabColorSet.h"
#include "CVZPVisualStyle.h"

// Theme 0.
class CVZPDockingPaneTheme0 : public CVZPDockingPanePaintManager
{
public:
    CVZPDockingPaneTheme0();

    void DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc) override;
    virtual void DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc, LPCWSTR pszText,
                                 BOOL bActive, BOOL bVertical);
    virtual void DrawButtonGlyph(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, CPoint pt, COLORREF clrGlyph);
    virtual COLORREF FillCaption(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical);
    virtual COLORREF DrawButtonFrame(CDC* pDC, CVZPDockingPaneCaptionButton* pButton);
};

// Theme 4: flat captions with grip bars.
class CVZPDockingPaneTheme4 : public CVZPDockingPaneTheme0
{
public:
    void DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc) override;
    void DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc, LPCWSTR pszText, BOOL bActive,
                         BOOL bVertical) override;
};

// Theme 1: caption gradients from the system's caption colours.
class CVZPDockingPaneTheme1 : public CVZPDockingPaneTheme4
{
public:
    CVZPDockingPaneTheme1();
    void RefreshMetrics() override;
    void DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc, LPCWSTR pszText, BOOL bActive,
                         BOOL bVertical) override;
    COLORREF FillCaption(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) override;

    BOOL m_bGradientCaptions;
    CVZPGradientColor m_grcInactiveCaption;
    CVZPGradientColor m_grcActiveCaption;
    CVZPOverridableColor m_clrInactiveCaptionText;
    CVZPOverridableColor m_clrActiveCaptionText;

protected:
    // Theme 1's own metrics on top of the base's.
    void RefreshCaptionColors();
};

// Theme 2: scheme colours, caption grip and rounded captions.
class CVZPDockingPaneTheme2 : public CVZPDockingPaneTheme1
{
public:
    CVZPDockingPaneTheme2();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc) override;
    void DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc, LPCWSTR pszText, BOOL bActive,
                         BOOL bVertical) override;
    COLORREF DrawButtonFrame(CDC* pDC, CVZPDockingPaneCaptionButton* pButton) override;

    BOOL m_bLunaColors;
    BOOL m_bCaptionGrip;
    BOOL m_bRoundedCaptions;
};

// Theme 7: theme 2 with a large caption font and no grip.
class CVZPDockingPaneTheme7 : public CVZPDockingPaneTheme2
{
public:
    CVZPDockingPaneTheme7();
    void RefreshMetrics() override;
};

// Theme 3: the visual style's window captions and explorer-bar buttons.
class CVZPDockingPaneTheme3 : public CVZPDockingPaneTheme1
{
public:
    CVZPDockingPaneTheme3();
    ~CVZPDockingPaneTheme3() override;
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc) override;
    void DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc, LPCWSTR pszText, BOOL bActive,
                         BOOL bVertical) override;

    CVZPVisualStyle m_themeWindow;
    CVZPVisualStyle m_themeExplorerBar;
};

// Theme 5: panel tabs on top, captions with lines.
class CVZPDockingPaneTheme5 : public CVZPDockingPaneTheme1
{
public:
    CVZPDockingPaneTheme5();
    void RefreshMetrics() override;
    void DrawPane(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void AdjustCaptionRect(CVZPDockingPaneTabbedContainer* pPane, RECT* pRect) override;
    void DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc) override;
    void DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc, LPCWSTR pszText, BOOL bActive,
                         BOOL bVertical) override;
};

// Theme 6: gradient splitters and tab headers that join across the frame.
class CVZPDockingPaneTheme6 : public CVZPDockingPaneTheme1
{
public:
    CVZPDockingPaneTheme6();
    void RefreshMetrics() override;
};

// Theme 9: theme 6 with rounded tabs and framed captions.
class CVZPDockingPaneTheme9 : public CVZPDockingPaneTheme6
{
public:
    CVZPDockingPaneTheme9();
    void RefreshMetrics() override;
    COLORREF FillCaption(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) override;

    COLORREF m_clrFrame;
};

// Theme 8: the visual style's rebar and toolbar parts.
class CVZPDockingPaneTheme8 : public CVZPDockingPaneTheme4
{
public:
    CVZPDockingPaneTheme8();
    ~CVZPDockingPaneTheme8() override;
    void RefreshMetrics() override;
    void DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc, LPCWSTR pszText, BOOL bActive,
                         BOOL bVertical) override;

    CVZPVisualStyle m_themeRebar;
    CVZPVisualStyle m_themeToolbar;
};

// Tab colours of theme 6: the scheme set refreshed from the plain set's
// values, with a white selected tab, Luna tints and fills limited to the
// selected tab on request.
class CVZPDockingTabColorSetTheme6 : public CVZPTabColorSetScheme
{
public:
    CVZPDockingTabColorSetTheme6(BOOL bWhiteSelected, BOOL bFillOnlySelected);
    void RefreshMetrics() override;
    void FillHeader(CDC* pDC, CRect rc, CVZPTabManager* pStrip) override;
    COLORREF FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem) override;

    BOOL m_bLunaFill;
    BOOL m_bFillOnlySelected;
    BOOL m_bWhiteSelected;
};

// Tab colours of theme 9: never tinted; grey text under a colour scheme.
class CVZPDockingTabColorSetTheme9 : public CVZPDockingTabColorSetTheme6
{
public:
    CVZPDockingTabColorSetTheme9(BOOL bWhiteSelected, BOOL bFillOnlySelected);
    void RefreshMetrics() override;
};

// The title of a caption in the caption font (the vertical one when
// vertical); with bMeasure the text's width is returned.
int VZPDrawCaptionTitle(CVZPDockingPanePaintManager* pPaint, CDC* pDC, LPCWSTR pszText, CRect rc, BOOL bVertical,
                        BOOL bMeasure);

// The theme of a number; any number outside 0 to 9 gives theme 0.
CVZPDockingPanePaintManager* CreateDockingPaneTheme(int nTheme);
