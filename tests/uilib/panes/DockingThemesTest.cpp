// The docking themes as SelectTheme builds them: the class of each number,
// the caption and strip settings of its constructor, the caption fonts and
// the metrics measured with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <typeinfo>

#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneThemes.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabPaintManager.h"
#include "PanesTestSupport.h"
#include "VZPPaneMetrics.h"
#include "VZPDrawHelpers.h"

namespace {

struct StripSettings
{
    int nAppearance, nColor, nPosition, nLayout, nKind;
    BOOL bHot;
};

struct ThemeCase
{
    int nNumber;
    const std::type_info& type;
    int nSpacing;
    RECT rcMargins;
    StripSettings panel, autoHide;
};

// Theme 8 chooses its strips from the visual style: this table has the
// classic choice of the main run.
const ThemeCase kThemes[] = {
    { -1, typeid(CVZPDockingPaneTheme0), 5, { 0, 2, 0, 1 }, { 0, 1, 2, 1, 1, 0 }, { 0, 1, 0, 3, 2, 0 } },
    { 0, typeid(CVZPDockingPaneTheme0), 5, { 0, 2, 0, 1 }, { 0, 1, 2, 1, 1, 0 }, { 0, 1, 0, 3, 2, 0 } },
    { 1, typeid(CVZPDockingPaneTheme1), 5, { 0, 2, 0, 1 }, { 5, 2, 2, 1, 1, 0 }, { 6, 2, 0, 3, 2, 0 } },
    { 2, typeid(CVZPDockingPaneTheme2), 7, { 0, 2, 0, 1 }, { 2, 4, 2, 1, 1, 1 }, { 2, 4, 0, 3, 2, 1 } },
    { 3, typeid(CVZPDockingPaneTheme3), 7, { 0, 2, 0, 1 }, { 0, 8, 2, 1, 1, 1 }, { 0, 8, 0, 3, 2, 1 } },
    { 4, typeid(CVZPDockingPaneTheme4), 5, { 0, 2, 0, 1 }, { 0, 1, 2, 1, 1, 0 }, { 0, 1, 0, 3, 2, 0 } },
    { 5, typeid(CVZPDockingPaneTheme5), 2, { 0, 2, 0, 1 }, { 8, 1, 0, 1, 1, 0 }, { 6, 2, 0, 3, 2, 0 } },
    // Themes 6 and 9 attach their own colour sets after the appearance's
    // default type was recorded.
    { 6, typeid(CVZPDockingPaneTheme6), 5, { 0, 0, 0, 0 }, { 2, 1, 2, 1, 2, 0 }, { 2, 1, 0, 0, 2, 0 } },
    { 7, typeid(CVZPDockingPaneTheme7), 3, { 0, 2, 0, 1 }, { 2, 4, 2, 1, 1, 1 }, { 2, 4, 0, 3, 2, 1 } },
    { 8, typeid(CVZPDockingPaneTheme8), 9, { 0, 0, 0, 0 }, { 5, 2, 2, 1, 1, 0 }, { 6, 2, 0, 3, 2, 0 } },
    { 9, typeid(CVZPDockingPaneTheme9), 5, { 0, 0, 0, 0 }, { 9, 1, 2, 1, 1, 0 }, { 9, 1, 0, 0, 2, 0 } },
    { 42, typeid(CVZPDockingPaneTheme0), 5, { 0, 2, 0, 1 }, { 0, 1, 2, 1, 1, 0 }, { 0, 1, 0, 3, 2, 0 } },
};

void ExpectStrip(const StripSettings& expected, CVZPTabPaintManager* pTabs, const char* pszStrip)
{
    SCOPED_TRACE(pszStrip);
    ASSERT_NE(nullptr, pTabs);
    EXPECT_EQ(expected.nAppearance, pTabs->GetAppearanceType());
    EXPECT_EQ(expected.nColor, pTabs->GetColorType());
    EXPECT_EQ(expected.nPosition, pTabs->GetTabPosition());
    EXPECT_EQ(expected.nLayout, pTabs->GetLayoutStyle());
    EXPECT_EQ(expected.nKind, pTabs->m_nStripKind);
    EXPECT_EQ(expected.bHot, pTabs->m_bHotTracking);
}

LONG FontHeight(CFont& font)
{
    LOGFONT lf = {};
    font.GetLogFont(&lf);
    return lf.lfHeight;
}

}  // namespace

TEST(DockingThemes, EachNumberBuildsItsThemeWithItsSettings)
{
    CVZPDockingPaneManager manager;
    for (const ThemeCase& t : kThemes)
    {
        SCOPED_TRACE(testing::Message() << "theme " << t.nNumber);
        manager.SelectTheme(t.nNumber);
        CVZPDockingPanePaintManager* pTheme = manager.GetPaintManager();
        ASSERT_NE(nullptr, pTheme);
        EXPECT_EQ(t.type, typeid(*pTheme));
        EXPECT_EQ(t.nNumber, pTheme->m_nTheme);
        EXPECT_EQ(t.nSpacing, pTheme->m_nCaptionSpacing);
        EXPECT_EQ(CRect(t.rcMargins), pTheme->m_rcCaptionMargin);
        ExpectStrip(t.panel, pTheme->GetPanelTabPaintManager(), "panel strips");
        ExpectStrip(t.autoHide, pTheme->GetAutoHideTabPaintManager(), "auto-hide strips");

        // Caption height from the caption font actually created, tab strip
        // height from the panel strips' font.
        EXPECT_EQ(std::max(VZPMeasureSpaceHeight(&pTheme->m_fntCaption), 13) + t.nSpacing,
                  pTheme->GetCaptionHeight());
        EXPECT_EQ(std::max(VZPMeasureSpaceHeight(&pTheme->GetPanelTabPaintManager()->m_fntNormal) + 10, 24),
                  pTheme->GetTabStripHeight());
    }
}

TEST(DockingThemes, StickerStyleTurnsToTheSecondSetWithThemeNineOnly)
{
    CVZPDockingPaneManager manager;
    for (int nTheme : { 0, 1, 2, 3, 4, 5, 6, 7, 8, 42, -1 })
    {
        manager.SelectTheme(nTheme);
        EXPECT_EQ(0, manager.GetStickerStyle()) << "theme " << nTheme;
    }
    manager.SelectTheme(9);
    EXPECT_EQ(1, manager.GetStickerStyle());
    manager.SelectTheme(0);
    EXPECT_EQ(1, manager.GetStickerStyle());
}

TEST(DockingThemes, ThemesSixAndNineKeepTheirOwnTabSets)
{
    CVZPDockingPaneManager manager;
    manager.SelectTheme(6);
    CVZPDockingPanePaintManager* pTheme = manager.GetPaintManager();
    auto* pPanelColors = dynamic_cast<CVZPDockingTabColorSetTheme6*>(pTheme->GetPanelTabPaintManager()->GetColorSet());
    auto* pAutoColors = dynamic_cast<CVZPDockingTabColorSetTheme6*>(pTheme->GetAutoHideTabPaintManager()->GetColorSet());
    ASSERT_NE(nullptr, pPanelColors);
    ASSERT_NE(nullptr, pAutoColors);
    EXPECT_TRUE(pPanelColors->m_bWhiteSelected);
    EXPECT_FALSE(pAutoColors->m_bWhiteSelected);
    EXPECT_EQ(RGB(255, 255, 255), pPanelColors->m_clrSelectedFace.GetColor());
    EXPECT_TRUE(pTheme->GetPanelTabPaintManager()->m_bClassicColors);
    auto* pRounded = dynamic_cast<CVZPTabAppearanceRounded*>(pTheme->GetPanelTabPaintManager()->GetAppearanceSet());
    ASSERT_NE(nullptr, pRounded);
    EXPECT_FALSE(pRounded->m_bCornerSmoothing);
    EXPECT_EQ(DWORD(vzpSplitterGradient), pTheme->m_dwSplitterStyle);
    EXPECT_EQ(0, pTheme->m_nColorScheme);

    manager.SelectTheme(9);
    pTheme = manager.GetPaintManager();
    struct
    {
        CVZPTabPaintManager* pTabs;
        BOOL bRoundedRectangle, bWhiteSelected;
    } strips[] = { { pTheme->GetPanelTabPaintManager(), TRUE, TRUE }, { pTheme->GetAutoHideTabPaintManager(), FALSE, FALSE } };
    for (const auto& strip : strips)
    {
        auto* pColors = dynamic_cast<CVZPDockingTabColorSetTheme9*>(strip.pTabs->GetColorSet());
        auto* pSet = dynamic_cast<CVZPTabAppearanceRounded*>(strip.pTabs->GetAppearanceSet());
        ASSERT_NE(nullptr, pColors);
        ASSERT_NE(nullptr, pSet);
        EXPECT_EQ(strip.bWhiteSelected, pColors->m_bWhiteSelected);
        EXPECT_TRUE(pColors->m_bFillOnlySelected);
        EXPECT_FALSE(pSet->m_bCornerSmoothing);
        EXPECT_EQ(strip.bRoundedRectangle, pSet->m_bRoundedRectangle);
        EXPECT_EQ(CRect(2, 2, 4, 0), pSet->m_rcHeaderMargin);
    }
    EXPECT_EQ(1, pTheme->GetPanelTabPaintManager()->m_rcClientMargin.top);
}

TEST(DockingThemes, InjectedCaptionFontTurnsOnlyTheVerticalFont)
{
    CVZPDockingPaneManager manager;
    CVZPDockingPanePaintManager* pTheme = manager.GetPaintManager();
    LOGFONT lf = {};
    lf.lfHeight = -8;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    pTheme->SetCaptionFont(&lf, FALSE);
    EXPECT_EQ(-8, FontHeight(pTheme->m_fntCaption));
    EXPECT_EQ(-11, FontHeight(pTheme->m_fntCaptionVertical));
    LOGFONT lfVertical = {};
    pTheme->m_fntCaptionVertical.GetLogFont(&lfVertical);
    EXPECT_EQ(2700, lfVertical.lfEscapement);
    EXPECT_EQ(900, lfVertical.lfOrientation);
    EXPECT_FALSE(pTheme->m_bSystemFont);
    EXPECT_EQ(std::max(VZPMeasureSpaceHeight(&pTheme->m_fntCaption), 13) + 5, pTheme->GetCaptionHeight());

    lf.lfHeight = -12;   // outside -10 to -1: kept
    pTheme->SetCaptionFont(&lf, FALSE);
    EXPECT_EQ(-12, FontHeight(pTheme->m_fntCaptionVertical));

    // A null font changes nothing but the flag.
    pTheme->SetCaptionFont(NULL, TRUE);
    EXPECT_TRUE(pTheme->m_bSystemFont);
    EXPECT_EQ(-12, FontHeight(pTheme->m_fntCaption));
}

TEST(DockingThemes, TabPaintManagerFontsAndMetrics)
{
    CVZPTabPaintManager tabs;
    LOGFONT lf = {};
    lf.lfHeight = -8;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    tabs.ApplyLogFont(&lf, FALSE);
    EXPECT_EQ(-8, FontHeight(tabs.m_fntNormal));
    EXPECT_EQ(-8, FontHeight(tabs.m_fntBold));
    EXPECT_EQ(-11, FontHeight(tabs.m_fntVertical));
    EXPECT_EQ(-11, FontHeight(tabs.m_fntVerticalBold));
    LOGFONT lfBold = {};
    tabs.m_fntVerticalBold.GetLogFont(&lfBold);
    EXPECT_EQ(FW_BOLD, lfBold.lfWeight);
    EXPECT_EQ(CString(ChooseUiFontFace(FALSE)), CString(lfBold.lfFaceName));

    // The appearance's tab height follows the fonts at the next refresh.
    tabs.GetAppearanceSet()->RefreshMetrics();
    EXPECT_EQ(std::max(18, VZPMeasureSpaceHeight(&tabs.m_fntNormal) + 3), tabs.GetAppearanceSet()->m_nTabHeight);

    // Any appearance type outside 0 to 9 gives type 0; any colour type
    // other than 1, 2, 4, 8, 16 gives type 1.
    tabs.SelectAppearance(12);
    EXPECT_EQ(typeid(CVZPTabAppearancePropertyPage), typeid(*tabs.GetAppearanceSet()));
    EXPECT_EQ(12, tabs.GetAppearanceType());
    tabs.SelectColorSet(5);
    EXPECT_EQ(typeid(CVZPTabColorSetClassic), typeid(*tabs.GetColorSet()));

    struct AppearanceCase
    {
        int nType;
        RECT rcMargin;
        int nRowSpacing, nDefaultColor, nSupported;
    };
    const AppearanceCase cases[] = {
        { 0, { 2, 3, 6, 0 }, -2, 1, 13 }, { 1, { 2, 3, 6, 0 }, -2, 1, 13 }, { 2, { 2, 2, 4, 0 }, -2, 1, 7 },
        { 3, { 2, 3, 6, 0 }, -2, 4, 21 }, { 4, { 2, 2, 4, 2 }, 0, 2, 31 },  { 5, { 4, 2, 4, 0 }, -2, 2, 7 },
        { 6, { 2, 2, 4, 0 }, -2, 2, 7 },  { 7, { 2, 3, 2, 0 }, -2, 2, 7 },  { 8, { 0, 0, 0, 0 }, -2, 1, 5 },
        { 9, { 2, 3, 6, 0 }, -2, 4, 21 },
    };
    for (const AppearanceCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "appearance " << c.nType);
        CVZPTabAppearanceSet* pSet = tabs.SelectAppearance(c.nType);
        EXPECT_EQ(CRect(c.rcMargin), pSet->m_rcHeaderMargin);
        EXPECT_EQ(c.nRowSpacing, pSet->m_nRowSpacing);
        EXPECT_EQ(c.nDefaultColor, pSet->GetDefaultColorType());
        EXPECT_EQ(c.nDefaultColor, tabs.GetColorType());
        EXPECT_EQ(c.nSupported, pSet->GetSupportedColorTypes());
        EXPECT_EQ(c.nType == 9, pSet->m_bOverlapToSelection);
    }
}

TEST(DockingThemes, RectHelpersRotateByPosition)
{
    struct Case
    {
        int nPosition;
        RECT rcExpected;
    };
    // Margins (1, 2, 3, 4) meant for tabs on top, inflated around 10..20.
    const Case cases[] = {
        { 0, { 9, 8, 23, 24 } }, { 1, { 8, 9, 24, 23 } }, { 2, { 9, 6, 23, 22 } }, { 3, { 6, 9, 22, 23 } },
    };
    for (const Case& c : cases)
    {
        CRect rc(10, 10, 20, 20);
        CVZPTabPaintManager::InflateRectByPosition(&rc, 1, 2, 3, 4, c.nPosition);
        EXPECT_EQ(CRect(c.rcExpected), rc) << "position " << c.nPosition;
        CVZPTabPaintManager::DeflateRectByPosition(&rc, 1, 2, 3, 4, c.nPosition);
        EXPECT_EQ(CRect(10, 10, 20, 20), rc);
    }

    CRect rc(0, 0, 100, 50);
    CVZPDockingPanePaintManager::DeflateRectOriented(&rc, 1, 2, 3, 4, FALSE);
    EXPECT_EQ(CRect(1, 2, 97, 46), rc);
    rc.SetRect(0, 0, 100, 50);
    CVZPDockingPanePaintManager::DeflateRectOriented(&rc, 1, 2, 3, 4, TRUE);
    EXPECT_EQ(CRect(2, 1, 96, 47), rc);
    EXPECT_EQ(100, CVZPDockingPanePaintManager::GetLengthOriented(CRect(0, 0, 100, 50), TRUE));
    EXPECT_EQ(50, CVZPDockingPanePaintManager::GetLengthOriented(CRect(0, 0, 100, 50), FALSE));

    EXPECT_EQ(RGB(138, 168, 228), CVZPTabPaintManager::GetAutoColor(0x1000000));
    EXPECT_EQ(RGB(216, 171, 192), CVZPTabPaintManager::GetAutoColor(0x1000007));
    CVZPDockingPaneManager manager;
    EXPECT_EQ(RGB(0, 255, 0), manager.GetPaintManager()->GetColor(RGB(0, 255, 0)));
}
