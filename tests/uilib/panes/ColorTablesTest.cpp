// The colour tables of the tab colour sets, the docking themes and the task
// panel themes under each forced colour scheme (0 to 3), with the colour
// manager's no-visual-style flag off and on; and, in the run with the Light
// visual style on, the themed branches.
#include <gtest/gtest.h>

#include "CVZPColorManager.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneThemes.h"
#include "CVZPTabColorSet.h"
#include "CVZPTabPaintManager.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelThemes.h"
#include "PanesTestSupport.h"

using vzpanes_test::CForcedColorScheme;

namespace {

COLORREF Sys(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// Per channel (a x w + b x (255 - w)) / 255, as the task panel themes blend.
COLORREF Blend255(COLORREF a, COLORREF b, int w)
{
    return RGB((GetRValue(a) * w + GetRValue(b) * (255 - w)) / 255, (GetGValue(a) * w + GetGValue(b) * (255 - w)) / 255,
               (GetBValue(a) * w + GetBValue(b) * (255 - w)) / 255);
}

struct Configuration
{
    int nScheme;
    BOOL bNoVisualStyle;
};

std::vector<Configuration> AllConfigurations()
{
    std::vector<Configuration> configs;
    for (int nScheme = 0; nScheme <= 3; nScheme++)
        for (BOOL bNoVisualStyle : { FALSE, TRUE })
            configs.push_back({ nScheme, bNoVisualStyle });
    return configs;
}

std::string Describe(const Configuration& c)
{
    return "scheme " + std::to_string(c.nScheme) + (c.bNoVisualStyle ? ", no visual style" : "");
}

// Every colour member of a tab colour set, for comparing two sets.
std::vector<COLORREF> TabSetColors(const CVZPTabColorSet& s)
{
    return { s.m_grcHeader.GetStartColor(), s.m_grcHeader.GetEndColor(), s.m_clrBorder, s.m_clrFace,
             s.m_clrHighlightEdge, s.m_clrSelectedFace, s.m_clrNormalFace, s.m_clrNormalText, s.m_clrInactiveText,
             s.m_clrSelectedText, s.m_clrHotText, s.m_clrDisabledText, s.m_grcButton.GetStartColor(),
             s.m_grcButtonFrame.GetStartColor(), s.m_clr3DLight, s.m_clr3DShadow, s.m_clr3DDarkShadow,
             s.m_clrOutline, s.m_clrSelectedOutline, s.m_clrInnerLine, s.m_clrInnerLine2,
             s.m_clrSheetSelOuterNear, s.m_clrSheetNormOuterFar, s.m_clrSheetSelInnerNear };
}

}  // namespace

TEST(ColorTables, TabColorSetsFourAndSixteen)
{
    struct SchemeRow
    {
        COLORREF clrBorder, clrHeaderStart, clrHeaderEnd, clrNormalFace, clrHotFace;
    };
    const SchemeRow rows[3] = {
        { RGB(59, 97, 156), RGB(196, 218, 250), RGB(252, 253, 254), RGB(162, 192, 246), RGB(255, 240, 201) },
        { RGB(96, 128, 88), RGB(242, 241, 228), RGB(252, 254, 254), RGB(208, 222, 170), RGB(255, 240, 199) },
        { RGB(124, 124, 148), RGB(243, 243, 247), RGB(252, 254, 254), RGB(217, 217, 230), RGB(255, 238, 194) },
    };
    for (const Configuration& c : AllConfigurations())
    {
        SCOPED_TRACE(Describe(c));
        CForcedColorScheme forced(c.nScheme, c.bNoVisualStyle);
        CVZPTabPaintManager tabs;
        auto* pScheme = dynamic_cast<CVZPTabColorSetScheme*>(tabs.SelectColorSet(4));
        ASSERT_NE(nullptr, pScheme);
        const BOOL bLuna = !c.bNoVisualStyle && c.nScheme != 0;
        EXPECT_EQ(bLuna, pScheme->m_bSchemeColors);
        if (bLuna)
        {
            const SchemeRow& r = rows[c.nScheme - 1];
            EXPECT_EQ(r.clrBorder, pScheme->m_clrBorder.GetColor());
            EXPECT_EQ(r.clrBorder, pScheme->m_clrSelectedOutline.GetColor());
            EXPECT_EQ(r.clrHeaderStart, pScheme->m_grcHeader.GetStartColor());
            EXPECT_EQ(r.clrHeaderEnd, pScheme->m_grcHeader.GetEndColor());
            EXPECT_EQ(r.clrNormalFace, pScheme->m_clrNormalFace.GetColor());
            EXPECT_EQ(r.clrHotFace, pScheme->m_clrHotFace.GetColor());
            EXPECT_EQ(RGB(255, 194, 115), pScheme->m_clrSelectedFace.GetColor());
            EXPECT_EQ(RGB(255, 255, 255), pScheme->m_clrInnerLine2.GetColor());
        }
        else
        {
            EXPECT_EQ(Sys(COLOR_BTNSHADOW), pScheme->m_clrBorder.GetColor());
            EXPECT_EQ(Sys(VZPCOLOR_HIGHLIGHT_CHECKED), pScheme->m_clrSelectedFace.GetColor());
            EXPECT_EQ(Sys(COLOR_BTNFACE), pScheme->m_grcHeader.GetStartColor());
            EXPECT_EQ(CVZPColorManager::BlendColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 205),
                      pScheme->m_grcHeader.GetEndColor());
        }
        // The sheet edges follow the border; the inner ones are off.
        EXPECT_EQ(pScheme->m_clrBorder.GetColor(), pScheme->m_clrSheetNormOuterFar.GetColor());
        EXPECT_EQ(COLORREF(-1), pScheme->m_clrSheetSelInnerNear.GetColor());
        std::vector<COLORREF> scheme4 = TabSetColors(*pScheme);

        auto* pSoft = dynamic_cast<CVZPTabColorSetSoftScheme*>(tabs.SelectColorSet(16));
        ASSERT_NE(nullptr, pSoft);
        if (!c.bNoVisualStyle)
        {
            EXPECT_EQ(scheme4, TabSetColors(*pSoft));
            EXPECT_FALSE(pSoft->m_bSoftFill);
        }
        else
        {
            EXPECT_EQ(RGB(255, 255, 255), pSoft->m_clrSelectedFace.GetColor());
            EXPECT_EQ(Sys(VZPCOLOR_CONTROL_BORDER), pSoft->m_clrBorder.GetColor());
            EXPECT_EQ(Sys(VZPCOLOR_CONTROL_BORDER), pSoft->m_clrSelectedOutline.GetColor());
            EXPECT_EQ(c.nScheme != 0, pSoft->m_bSoftFill);
            if (c.nScheme == 1 || c.nScheme == 2)
            {
                EXPECT_EQ(RGB(228, 226, 213), pSoft->m_grcHeader.GetStartColor());
            }
            if (c.nScheme == 3)
            {
                EXPECT_EQ(RGB(245, 245, 248), pSoft->m_clrNormalFace.GetColor());
                EXPECT_EQ(RGB(238, 238, 238), pSoft->m_grcHeader.GetEndColor());
            }
        }
    }
}

TEST(ColorTables, DockingThemesTwoSixSevenNine)
{
    struct Theme2Row
    {
        COLORREF clrInactiveStart, clrInactiveEnd, clrFace, clrGripper, clrToolbarFace;
    };
    const Theme2Row theme2[3] = {
        { RGB(221, 236, 254), RGB(129, 169, 226), RGB(216, 231, 252), RGB(39, 65, 118), RGB(158, 190, 245) },
        { RGB(244, 247, 222), RGB(183, 198, 145), RGB(226, 231, 191), RGB(81, 94, 51), RGB(217, 217, 167) },
        { RGB(249, 249, 255), RGB(156, 155, 183), RGB(223, 223, 234), RGB(84, 84, 117), RGB(215, 215, 229) },
    };
    for (const Configuration& c : AllConfigurations())
    {
        SCOPED_TRACE(Describe(c));
        CForcedColorScheme forced(c.nScheme, c.bNoVisualStyle);
        CVZPDockingPaneManager manager;

        manager.SelectTheme(2);
        auto* p2 = dynamic_cast<CVZPDockingPaneTheme2*>(manager.GetPaintManager());
        ASSERT_NE(nullptr, p2);
        const BOOL bLuna = !c.bNoVisualStyle && c.nScheme != 0;
        EXPECT_EQ(bLuna, p2->m_bLunaColors);
        if (bLuna)
        {
            const Theme2Row& r = theme2[c.nScheme - 1];
            EXPECT_EQ(r.clrInactiveStart, p2->m_grcInactiveCaption.GetStartColor());
            EXPECT_EQ(r.clrInactiveEnd, p2->m_grcInactiveCaption.GetEndColor());
            EXPECT_EQ(r.clrFace, p2->m_clrFace.GetColor());
            EXPECT_EQ(r.clrGripper, p2->GetColor(VZPCOLOR_GRIPPER));
            EXPECT_EQ(r.clrToolbarFace, p2->GetColor(VZPCOLOR_TOOLBAR_FACE));
            EXPECT_EQ(RGB(255, 192, 111), p2->GetColor(VZPCOLOR_HIGHLIGHT_CHECKED));
            EXPECT_EQ(RGB(0, 0, 0), p2->GetColor(VZPCOLOR_PUSHED_TEXT));
            // The grip took the gripper colour before the table was replaced.
            EXPECT_EQ(Sys(VZPCOLOR_GRIPPER), p2->m_clrGrip.GetColor());
            EXPECT_EQ(RGB(255, 213, 140), p2->m_grcActiveCaption.GetStartColor());
            EXPECT_EQ(RGB(255, 166, 76), p2->m_grcActiveCaption.GetEndColor());
            EXPECT_EQ(GetColorManager()->m_gradients[1].GetStartColor(), p2->m_grcSplitter.GetStartColor());
        }
        else
        {
            EXPECT_EQ(CVZPColorManager::BlendColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 205),
                      p2->m_grcInactiveCaption.GetStartColor());
            EXPECT_EQ(Sys(VZPCOLOR_HIGHLIGHT_CHECKED), p2->m_grcActiveCaption.GetStartColor());
            EXPECT_EQ(Sys(COLOR_BTNFACE), p2->m_clrFace.GetColor());
        }

        manager.SelectTheme(7);
        auto* p7 = dynamic_cast<CVZPDockingPaneTheme7*>(manager.GetPaintManager());
        ASSERT_NE(nullptr, p7);
        if (bLuna)
        {
            EXPECT_EQ(GetColorManager()->m_gradients[0].GetStartColor(), p7->m_grcInactiveCaption.GetStartColor());
            EXPECT_EQ(RGB(255, 255, 255), p7->m_clrInactiveCaptionText.GetColor());
        }
        else
        {
            EXPECT_EQ(Sys(COLOR_BTNSHADOW), p7->m_grcInactiveCaption.GetEndColor());
        }
        LOGFONT lf = {};
        p7->m_fntCaption.GetLogFont(&lf);
        EXPECT_EQ(20, lf.lfHeight);
        EXPECT_EQ(FW_BOLD, lf.lfWeight);

        // Themes 6 and 9 follow the current scheme whatever the flag says.
        manager.SelectTheme(6);
        auto* p6 = dynamic_cast<CVZPDockingPaneTheme6*>(manager.GetPaintManager());
        ASSERT_NE(nullptr, p6);
        switch (c.nScheme)
        {
        case 1:
        case 2:
            EXPECT_EQ(RGB(229, 229, 215), p6->m_grcSplitter.GetStartColor());
            EXPECT_EQ(RGB(238, 239, 229), p6->m_grcInactiveCaption.GetEndColor());
            EXPECT_EQ(RGB(0, 0, 0), p6->m_clrInactiveCaptionText.GetColor());
            break;
        case 3:
            EXPECT_EQ(RGB(243, 243, 247), p6->m_grcSplitter.GetEndColor());
            EXPECT_EQ(RGB(224, 224, 235), p6->m_grcInactiveCaption.GetStartColor());
            EXPECT_EQ(RGB(160, 158, 186), p6->m_grcActiveCaption.GetStartColor());
            break;
        default:
            EXPECT_EQ(Sys(COLOR_INACTIVECAPTIONTEXT), p6->m_clrInactiveCaptionText.GetColor());
            EXPECT_EQ(Sys(COLOR_ACTIVECAPTION), p6->m_grcActiveCaption.GetStartColor());
            break;
        }
        auto* pTabs6 = dynamic_cast<CVZPDockingTabColorSetTheme6*>(p6->GetPanelTabPaintManager()->GetColorSet());
        ASSERT_NE(nullptr, pTabs6);
        EXPECT_EQ(c.nScheme != 0, pTabs6->m_bLunaFill);
        EXPECT_EQ(pTabs6->m_grcHeader.GetEndColor(), pTabs6->m_grcHeader2.GetEndColor());
        if (c.nScheme == 3)
        {
            EXPECT_EQ(RGB(145, 155, 156), pTabs6->m_clrOutline.GetColor());
        }

        manager.SelectTheme(9);
        auto* p9 = dynamic_cast<CVZPDockingPaneTheme9*>(manager.GetPaintManager());
        ASSERT_NE(nullptr, p9);
        const COLORREF active9[4][2] = { { Sys(COLOR_ACTIVECAPTION), Sys(COLOR_ACTIVECAPTION) },
                                         { RGB(59, 128, 237), RGB(49, 106, 197) },
                                         { RGB(182, 195, 146), RGB(145, 160, 117) },
                                         { RGB(211, 212, 221), RGB(166, 165, 191) } };
        EXPECT_EQ(active9[c.nScheme][0], p9->m_grcActiveCaption.GetStartColor());
        EXPECT_EQ(active9[c.nScheme][1], p9->m_grcActiveCaption.GetEndColor());
        EXPECT_EQ(c.nScheme == 3 ? RGB(145, 155, 156) : Sys(COLOR_BTNSHADOW), p9->m_clrFrame);
        auto* pTabs9 = dynamic_cast<CVZPDockingTabColorSetTheme9*>(p9->GetAutoHideTabPaintManager()->GetColorSet());
        ASSERT_NE(nullptr, pTabs9);
        EXPECT_FALSE(pTabs9->m_bLunaFill);
        if (c.nScheme != 0)
        {
            EXPECT_EQ(RGB(113, 111, 100), pTabs9->m_clrNormalText.GetColor());
            EXPECT_EQ(RGB(113, 111, 100), pTabs9->m_clrSelectedText.GetColor());
        }
    }
}

TEST(ColorTables, TaskPanelThemesOneTwoFiveEightEleven)
{
    for (const Configuration& c : AllConfigurations())
    {
        SCOPED_TRACE(Describe(c));
        CForcedColorScheme forced(c.nScheme, c.bNoVisualStyle);
        CVZPTaskPanel panel;
        const COLORREF clrFace = Sys(COLOR_BTNFACE), clrWindow = Sys(COLOR_WINDOW);

        panel.ChoosePaintTheme(1);
        CVZPTaskPanelPaintManager* p = panel.GetPaintManager();
        const COLORREF theme1[4][3] = {
            { CVZPColorManager::BlendColors(clrFace, clrWindow, 50), CVZPColorManager::BlendColors(clrFace, clrWindow, 39),
              RGB(0, 0, 255) },
            { RGB(221, 236, 254), RGB(196, 219, 249), RGB(0, 61, 178) },
            { RGB(243, 242, 231), RGB(210, 223, 174), RGB(0, 61, 178) },
            { RGB(238, 238, 244), RGB(207, 207, 222), RGB(0, 61, 178) },
        };
        EXPECT_EQ(theme1[c.nScheme][0], p->m_grcPanelBackground.GetStartColor());
        EXPECT_EQ(theme1[c.nScheme][1], p->m_csNormal.grcCaption.GetStartColor());
        EXPECT_EQ(theme1[c.nScheme][2], p->m_csNormal.clrLinkHot.GetColor());
        EXPECT_EQ(theme1[c.nScheme][2], p->m_csSpecial.clrLink.GetColor());   // copied
        EXPECT_EQ(clrWindow, p->m_csNormal.clrBorder.GetColor());
        EXPECT_TRUE(p->m_bZeroCaptionWhenHidden);

        panel.ChoosePaintTheme(2);
        p = panel.GetPaintManager();
        EXPECT_TRUE(static_cast<CVZPTaskPanelTheme2*>(p)->m_bSchemeLook);   // explorer look is on
        EXPECT_EQ(1, p->m_nExpandButtonStyle);
        EXPECT_EQ(c.nScheme == 1 ? 0.5 : 0.0, p->m_csNormal.dCaptionGradientStart);
        if (c.nScheme == 0)
        {
            const COLORREF t = Blend255(clrFace, clrWindow, 24);
            EXPECT_EQ(Blend255(Sys(COLOR_INACTIVECAPTION), clrWindow, 128), p->m_grcPanelBackground.GetStartColor());
            EXPECT_EQ(Blend255(Sys(COLOR_ACTIVECAPTION), clrWindow, 192), p->m_grcPanelBackground.GetEndColor());
            EXPECT_EQ(Blend255(Sys(COLOR_ACTIVECAPTION), clrWindow, 92), p->m_csSpecial.grcCaption.GetEndColor());
            EXPECT_EQ(t, p->m_csSpecial.grcBody.GetEndColor());
            EXPECT_EQ(Blend255(t, Sys(COLOR_ACTIVECAPTION), 230), p->m_csNormal.grcBody.GetEndColor());
            EXPECT_EQ(Blend255(Sys(COLOR_HIGHLIGHT), Sys(COLOR_BTNTEXT), 192), p->m_csNormal.clrCaptionText.GetColor());
            EXPECT_EQ(Sys(COLOR_BTNTEXT), p->m_csNormal.clrLink.GetColor());
        }
        else
        {
            const COLORREF theme2[3][3] = {
                { RGB(123, 162, 231), RGB(198, 211, 247), RGB(33, 93, 198) },
                { RGB(204, 217, 173), RGB(224, 231, 184), RGB(86, 102, 45) },
                { RGB(196, 200, 212), RGB(214, 215, 224), RGB(63, 61, 61) },
            };
            EXPECT_EQ(theme2[c.nScheme - 1][0], p->m_grcPanelBackground.GetStartColor());
            EXPECT_EQ(theme2[c.nScheme - 1][1], p->m_csNormal.grcCaption.GetEndColor());
            EXPECT_EQ(theme2[c.nScheme - 1][2], p->m_csNormal.clrLink.GetColor());
            EXPECT_EQ(theme2[c.nScheme - 1][2], p->m_csSpecial.clrLink.GetColor());
            EXPECT_EQ(RGB(255, 238, 194), p->m_clrHighlightHot.GetColor());
        }
        EXPECT_EQ(clrWindow, p->m_csSpecial.clrBorder.GetColor());

        panel.ChoosePaintTheme(5);
        p = panel.GetPaintManager();
        const COLORREF theme5[4][2] = {
            { Sys(COLOR_BTNSHADOW), CVZPColorManager::BlendColors(clrFace, clrWindow, 50) },
            { RGB(123, 164, 224), RGB(221, 236, 254) },
            { RGB(188, 187, 177), RGB(243, 242, 231) },
            { RGB(161, 160, 187), RGB(238, 238, 244) },
        };
        EXPECT_EQ(theme5[c.nScheme][0], p->m_csNormal.grcCaption.GetStartColor());
        EXPECT_EQ(theme5[c.nScheme][1], p->m_grcPanelBackground.GetEndColor());
        EXPECT_EQ(theme5[c.nScheme][1], p->m_csSpecial.grcBody.GetStartColor());

        panel.ChoosePaintTheme(8);
        p = panel.GetPaintManager();
        const COLORREF theme8[4][2] = {
            { Sys(COLOR_BTNSHADOW), clrFace },
            { RGB(222, 220, 203), RGB(243, 241, 230) },
            { RGB(223, 228, 209), RGB(243, 241, 230) },
            { RGB(233, 232, 237), RGB(234, 233, 238) },
        };
        EXPECT_EQ(theme8[c.nScheme][0], p->m_csNormal.grcCaption.GetStartColor());
        EXPECT_EQ(theme8[c.nScheme][1], p->m_grcPanelBackground.GetStartColor());
        EXPECT_EQ(p->m_grcPanelBackground.GetEndColor(), p->m_csNormal.grcBody.GetEndColor());
        if (c.nScheme == 3)
        {
            EXPECT_EQ(RGB(254, 128, 50), p->m_clrHighlightPressed.GetColor());
        }

        panel.ChoosePaintTheme(11);
        auto* p11 = dynamic_cast<CVZPTaskPanelTheme11*>(panel.GetPaintManager());
        ASSERT_NE(nullptr, p11);
        const COLORREF back11[4] = { Sys(VZPCOLOR_TOOLBAR_FACE), RGB(216, 231, 252), RGB(226, 231, 191),
                                     RGB(223, 223, 234) };
        const int nRow = c.bNoVisualStyle ? 0 : c.nScheme;
        EXPECT_EQ(back11[nRow], p11->m_grcPanelBackground.GetStartColor());
        EXPECT_EQ(nRow != 0 ? RGB(232, 127, 8) : Sys(VZPCOLOR_HIGHLIGHT_PUSHED), p11->m_grcCaptionPressed.GetStartColor());
        EXPECT_EQ(nRow != 0 ? RGB(247, 192, 91) : Sys(VZPCOLOR_HIGHLIGHT), p11->m_grcCaptionHot.GetEndColor());
    }
}

// The main run has no visual style: the themed sets fall back.
TEST(ColorTables, ClassicRunFallsBackWithoutVisualStyle)
{
    CVZPTabPaintManager tabs;
    CVZPTabColorSet* pSet = tabs.SelectColorSet(8);
    EXPECT_FALSE(pSet->IsThemed());
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), pSet->m_clr3DLight.GetColor());

    CVZPDockingPaneManager manager;
    manager.SelectTheme(3);
    auto* p3 = dynamic_cast<CVZPDockingPaneTheme3*>(manager.GetPaintManager());
    ASSERT_NE(nullptr, p3);
    EXPECT_FALSE(p3->m_themeWindow.IsAppThemed());
    manager.SelectTheme(8);
    auto* p8 = dynamic_cast<CVZPDockingPaneTheme8*>(manager.GetPaintManager());
    ASSERT_NE(nullptr, p8);
    EXPECT_FALSE(p8->m_themeRebar.IsAppThemed());
    EXPECT_EQ(5, p8->GetPanelTabPaintManager()->GetAppearanceType());
}

// With the Light visual style on: "TAB", "TOOLBAR", "WINDOW" and "REBAR"
// are themed, "EXPLORERBAR" is not.
TEST(ThemedRunColorTables, ThemedBranches)
{
    CVZPTabPaintManager tabs;
    auto* pSet = dynamic_cast<CVZPTabColorSetThemed*>(tabs.SelectColorSet(8));
    ASSERT_NE(nullptr, pSet);
    EXPECT_TRUE(pSet->IsThemed());
    EXPECT_TRUE(pSet->m_themeToolbar.IsAppThemed());
    EXPECT_EQ(COLORREF(-1), pSet->m_clr3DLight.GetColor());
    EXPECT_EQ(COLORREF(-1), pSet->m_clr3DShadow.GetColor());
    EXPECT_EQ(COLORREF(-1), pSet->m_clr3DDarkShadow.GetColor());
    EXPECT_EQ(pSet->m_clrNormalText.GetColor(), pSet->m_clrHotText.GetColor());

    CVZPDockingPaneManager manager;
    manager.SelectTheme(3);
    auto* p3 = dynamic_cast<CVZPDockingPaneTheme3*>(manager.GetPaintManager());
    ASSERT_NE(nullptr, p3);
    EXPECT_TRUE(p3->m_themeWindow.IsAppThemed());
    EXPECT_FALSE(p3->m_themeExplorerBar.IsAppThemed());
    EXPECT_TRUE(p3->GetPanelTabPaintManager()->GetColorSet()->IsThemed());

    manager.SelectTheme(8);
    auto* p8 = dynamic_cast<CVZPDockingPaneTheme8*>(manager.GetPaintManager());
    ASSERT_NE(nullptr, p8);
    EXPECT_TRUE(p8->m_themeRebar.IsAppThemed());
    EXPECT_TRUE(p8->m_themeToolbar.IsAppThemed());
    for (CVZPTabPaintManager* pTabs : { p8->GetPanelTabPaintManager(), p8->GetAutoHideTabPaintManager() })
    {
        EXPECT_EQ(0, pTabs->GetAppearanceType());
        EXPECT_EQ(8, pTabs->GetColorType());
        EXPECT_TRUE(pTabs->m_bHotTracking);
    }
}
