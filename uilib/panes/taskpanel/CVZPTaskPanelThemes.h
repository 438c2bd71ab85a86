// The twelve ready-made looks of the task panel, by number; the paint
// manager itself is theme 0 and theme 2 is the default.
#pragma once

#include "CVZPTaskPanelPaintManager.h"

// Theme 1: caption colours of the visual style's scheme, "Tahoma" captions.
class CVZPTaskPanelTheme1 : public CVZPTaskPanelPaintManager
{
public:
    CVZPTaskPanelTheme1();
    void RefreshMetrics() override;
};

// Theme 2: the explorer-bar look.
class CVZPTaskPanelTheme2 : public CVZPTaskPanelPaintManager
{
public:
    CVZPTaskPanelTheme2();
    void RefreshMetrics() override;

    BOOL m_bSchemeLook;
};

// Theme 3: groups framed together, captions without background.
class CVZPTaskPanelTheme3 : public CVZPTaskPanelPaintManager
{
public:
    CVZPTaskPanelTheme3();
    void RefreshMetrics() override;
    // The base fill, then one rounded frame around all groups.
    void FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel) override;
    void FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc) override;
    // Captions without a background that wrap and grow (text height + 5).
    int DrawGroupCaption(CDC* pDC, CVZPTaskPanelGroup* pGroup, BOOL bDraw) override;

    BOOL m_bGroupFrame;
    BOOL m_bCaptionUnderline;
};

// Theme 4: underlined captions on the menu face.
class CVZPTaskPanelTheme4 : public CVZPTaskPanelTheme3
{
public:
    CVZPTaskPanelTheme4();
    void RefreshMetrics() override;
};

// Theme 5: theme 4 in the scheme's colours.
class CVZPTaskPanelTheme5 : public CVZPTaskPanelTheme4
{
public:
    CVZPTaskPanelTheme5();
    void RefreshMetrics() override;
};

// Theme 6: theme 3 with the explorer-bar colours and buttons.
class CVZPTaskPanelTheme6 : public CVZPTaskPanelTheme3
{
public:
    CVZPTaskPanelTheme6();
    void RefreshMetrics() override;
    CRect DrawExpandButton(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc) override;

    BOOL m_bSchemeLook;
};

// Theme 7: captions drawn as 3-D buttons.
class CVZPTaskPanelTheme7 : public CVZPTaskPanelTheme3
{
public:
    CVZPTaskPanelTheme7();
    void RefreshMetrics() override;
    // Captions drawn as buttons or bars by DrawCaptionBackground.
    int DrawGroupCaption(CDC* pDC, CVZPTaskPanelGroup* pGroup, BOOL bDraw) override;
    // Fills the caption's background; returns its content rectangle.
    virtual CRect DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc);
};

// Theme 8: caption bars with a plus/minus box.
class CVZPTaskPanelTheme8 : public CVZPTaskPanelTheme7
{
public:
    CVZPTaskPanelTheme8();
    void RefreshMetrics() override;
    void FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel) override;
    void FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc) override;
    // A caption bar with a plus/minus box at its left.
    CRect DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc) override;
};

// Theme 9: a dark panel with embossed disabled text.
class CVZPTaskPanelTheme9 : public CVZPTaskPanelTheme7
{
public:
    CVZPTaskPanelTheme9();
    void RefreshMetrics() override;
};

// Theme 10: theme 9 on the bar face.
class CVZPTaskPanelTheme10 : public CVZPTaskPanelTheme9
{
public:
    CVZPTaskPanelTheme10();
    void RefreshMetrics() override;
};

// Theme 11: gradient caption buttons.
class CVZPTaskPanelTheme11 : public CVZPTaskPanelTheme10
{
public:
    CVZPTaskPanelTheme11();
    void RefreshMetrics() override;
    CRect DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc) override;

    CVZPGradientColor m_grcCaptionHot;
    CVZPGradientColor m_grcCaptionPressed;
};

// Theme 12: centred captions over a gradient panel.
class CVZPTaskPanelTheme12 : public CVZPTaskPanelTheme11
{
public:
    CVZPTaskPanelTheme12();
    void RefreshMetrics() override;
    void FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel) override;
    void FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc) override;
    CRect DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc) override;
};

// The theme of a number: 0 the paint manager itself, 1 to 12 the themes; any
// other number gives theme 2.
CVZPTaskPanelPaintManager* CreateTaskPanelTheme(int nTheme);
