// The colour manager's derivation against values worked out by hand from its
// rules, with the system colours fixed to a table and visual styles off; the
// weighted colour space; scheme detection; the throttled refresh.
#include <gtest/gtest.h>

#include "CVZPColorManager.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "VZPColorSpace.h"
#include "VZPDrawHelpers.h"

#include <string>

namespace {

// System colours 1 to 27 of a light scheme: face 240, window white,
// highlight (51,153,255), shadow 160, grey text 109.
COLORREF g_sysColors[28] = {
    0,
    RGB(58, 110, 165), RGB(10, 36, 106), RGB(128, 128, 128), RGB(212, 208, 200), RGB(255, 255, 255),   // 1-5
    RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255), RGB(212, 208, 200),                   // 6-10
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(51, 153, 255), RGB(255, 255, 255), RGB(240, 240, 240),  // 11-15
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0), RGB(212, 208, 200), RGB(255, 255, 255),       // 16-20
    RGB(64, 64, 64), RGB(212, 208, 200), RGB(0, 0, 0), RGB(255, 255, 225), RGB(181, 181, 181),          // 21-25
    RGB(0, 0, 128), RGB(166, 202, 240),                                                                 // 26-27
};
int g_nSysColorReads = 0;

COLORREF TableSysColor(int nIndex)
{
    g_nSysColorReads++;
    return g_sysColors[nIndex];
}

// The scheme detection's view of the visual style.
BOOL g_bThemeActive = FALSE;
std::wstring g_strThemeFile, g_strThemeColor;

BOOL TableThemeNames(LPWSTR pszFile, int cchFile, LPWSTR pszColor, int cchColor)
{
    if (!g_bThemeActive)
        return FALSE;
    lstrcpynW(pszFile, g_strThemeFile.c_str(), cchFile);
    lstrcpynW(pszColor, g_strThemeColor.c_str(), cchColor);
    return TRUE;
}

std::string Rgb(COLORREF clr)
{
    return "RGB(" + std::to_string(GetRValue(clr)) + "," + std::to_string(GetGValue(clr)) + "," +
           std::to_string(GetBValue(clr)) + ")";
}

// Every test starts from the table above and puts the manager back to the
// system's colours when it ends.
class ColorManager : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pColors = GetColorManager();
        m_saved = g_sysColors[COLOR_BTNFACE];
        m_pColors->SetSysColorSource(TableSysColor);
        m_pColors->RefreshColors();
    }
    void TearDown() override
    {
        g_sysColors[COLOR_BTNFACE] = m_saved;
        g_bThemeActive = FALSE;
        SetLowColorDisplayForTest(-1);
        m_pColors->m_bNoVisualStyle = FALSE;
        m_pColors->SetColorScheme(4);
        m_pColors->SetThemeNameSource(NULL);
        m_pColors->SetSysColorSource(NULL);
        m_pColors->RefreshColors();
    }
    CVZPColorManager* m_pColors = NULL;
    COLORREF m_saved = 0;
};

struct Expected
{
    int nIndex;
    COLORREF clr;
    const char* rule;
};

}  // namespace

TEST_F(ColorManager, DerivedColoursFromTheSystemTable)
{
    // W = 5 (255,255,255), F = 15 (240,240,240), S = 16 (160,160,160),
    // H = 13 (51,153,255), G = 17 (109,109,109). blend(a, b, w) rounds
    // (a*w + b*(D-w) + D/2) / D with D = 100, or 1000 for w >= 100.
    // Brightness of a grey g is g * 1.72885; the threshold against a colour
    // of brightness L is (2 - min(L, 220) / 220) * T.
    const Expected expected[] = {
        { 22, RGB(255, 255, 255), "F + 15 per channel, capped" },
        { 30, RGB(242, 242, 242), "blend(W, F, 165); 4 from F, within the pull threshold 35" },
        { 31, RGB(192, 221, 252), "blend(H, W, 30) = (194,224,255) lies 46 from 30, below 50: pushed away along its line to 50" },
        { 32, RGB(51, 153, 255), "H, 200 from 30: kept" },
        { 33, RGB(153, 204, 255), "blend(H, W, 50)" },
        { 34, RGB(144, 165, 189), "31 * 0.75, truncated" },
        { 35, RGB(169, 169, 169), "blend(G, W, 70) = 153 is 173 from 41 (253), above 145: pulled to 145 (253 - 145/1.72885)" },
        { 36, RGB(228, 238, 248), "30*50/100 + W*40/100 + H*10/100 per channel" },
        { 37, RGB(51, 153, 255), "H, far from 33: kept" },
        { 38, RGB(184, 184, 184), "blend(S, W, 75)" },
        { 39, RGB(189, 189, 189), "blend(S, W, 70)" },
        { 40, RGB(170, 170, 170), "blend(S, W, 90)" },
        { 41, RGB(253, 253, 253), "blend(F, W, 143)" },
        { 42, RGB(232, 232, 232), "blend(F, S, 90)" },
        { 43, RGB(128, 128, 128), "blend(46 = black, S, 20)" },
        { 44, RGB(0, 0, 0), "8, window text" },
        { 45, RGB(0, 0, 0), "7, menu text" },
        { 46, RGB(0, 0, 0), "18, button text" },
        { 47, RGB(93, 93, 93), "14 = white lies 110 from 33, below 180: pushed towards black to 180" },
        { 48, RGB(255, 255, 255), "F * (240 + 15) / 240" },
        { 49, RGB(117, 117, 117), "S * (160 - 43) / 160" },
        { 50, RGB(51, 153, 255), "H" },
        { 51, RGB(240, 240, 240), "F" },
        { 52, RGB(160, 160, 160), "S" },
        { 53, RGB(242, 242, 242), "= 30" },
        { 54, RGB(160, 160, 160), "S (no scheme)" },
        { 55, RGB(240, 240, 240), "F" },
        { 56, RGB(240, 240, 240), "F" },
        { 57, RGB(160, 160, 160), "S (themes off)" },
        { 58, RGB(170, 170, 170), "= 40" },
        { 59, RGB(0, 0, 0), "black" },
        { 60, RGB(170, 170, 170), "= 40" },
    };
    for (const Expected& e : expected)
        EXPECT_EQ(Rgb(e.clr), Rgb(m_pColors->GetColor(e.nIndex))) << "index " << e.nIndex << ": " << e.rule;

    struct Gradient
    {
        COLORREF clrStart, clrEnd;
        const char* rule;
    };
    const Gradient gradients[10] = {
        { RGB(160, 160, 160), RGB(160, 160, 160), "S to S" },
        { RGB(240, 240, 240), RGB(252, 252, 252), "F to blend(F, W, 215)" },
        { RGB(240, 240, 240), RGB(160, 160, 160), "F to S" },
        { RGB(252, 252, 252), RGB(240, 240, 240), "blend(F, W, 205) to F" },
        { RGB(253, 253, 253), RGB(241, 241, 241), "blend(F, W, 145) to blend(F, W, 93)" },
        { RGB(249, 249, 249), RGB(236, 236, 236), "blend(F, W, 40) to blend(F, S, 95)" },
        { RGB(253, 253, 253), RGB(249, 249, 249), "blend(F, W, 165) to blend(F, W, 42)" },
        { RGB(255, 213, 140), RGB(255, 173, 85), "fixed" },
        { RGB(254, 142, 75), RGB(255, 207, 139), "fixed" },
        { RGB(255, 242, 200), RGB(255, 212, 151), "fixed" },
    };
    for (int i = 0; i < 10; i++)
    {
        const CVZPGradientColor& g = m_pColors->m_gradients[i];
        EXPECT_EQ(Rgb(gradients[i].clrStart), Rgb(g.GetStartColor())) << "gradient " << i << ": " << gradients[i].rule;
        EXPECT_EQ(Rgb(gradients[i].clrEnd), Rgb(g.GetEndColor())) << "gradient " << i << ": " << gradients[i].rule;
        EXPECT_EQ(0.5f, g.m_fGradientFactor) << "gradient " << i;
    }
}

TEST_F(ColorManager, IndexesOutsideTheTable)
{
    EXPECT_EQ(COLORREF(62), m_pColors->GetColor(62));
    EXPECT_EQ(COLORREF(-1), m_pColors->GetColor(-1));
    EXPECT_EQ(RGB(1, 2, 3), m_pColors->GetColor(RGB(1, 2, 3)));
    EXPECT_EQ(0u, m_pColors->GetColor(0));
    EXPECT_EQ(0u, m_pColors->GetColor(28));
    EXPECT_EQ(0u, m_pColors->GetColor(29));
    EXPECT_EQ(0u, m_pColors->GetColor(61));
    EXPECT_EQ(g_sysColors[COLOR_HIGHLIGHT], m_pColors->GetColor(COLOR_HIGHLIGHT));
}

TEST_F(ColorManager, BlackFaceGivesFixedLightFaceAndDarkShadow)
{
    g_sysColors[COLOR_BTNFACE] = RGB(0, 0, 0);
    m_pColors->RefreshColors();
    EXPECT_EQ(Rgb(RGB(35, 35, 35)), Rgb(m_pColors->GetColor(VZPCOLOR_LIGHT_FACE)));
    EXPECT_EQ(Rgb(RGB(127, 127, 127)), Rgb(m_pColors->GetColor(VZPCOLOR_DARK_SHADOW)));
}

TEST_F(ColorManager, LowColourKeepsTheClassicColumn)
{
    SetLowColorDisplayForTest(1);
    m_pColors->RefreshColors();
    // The index each of 30 to 60 takes its classic value from (0: black).
    const int kClassic[] = {
        15, 5, 13, 13, 16, 17, 5, 13, 16, 16,   // 30-39
        16, 5, 16, 16, 8, 7, 18, 14, 15, 18,    // 40-49
        13, 15, 16, 15, 16, 15, 15, 16, 17, 0,  // 50-59
        16,                                     // 60
    };
    for (int i = 30; i <= 60; i++)
        EXPECT_EQ(Rgb(g_sysColors[kClassic[i - 30]]), Rgb(m_pColors->GetColor(i))) << "index " << i;
    EXPECT_EQ(Rgb(g_sysColors[COLOR_3DLIGHT]), Rgb(m_pColors->GetColor(COLOR_3DLIGHT)));
}

TEST(ColorBlend, IntegerWeightsInPercentAndPerMille)
{
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    EXPECT_EQ(Rgb(RGB(77, 77, 77)), Rgb(CVZPColorManager::BlendColors(white, black, 30)));    // 30 %
    EXPECT_EQ(Rgb(RGB(26, 26, 26)), Rgb(CVZPColorManager::BlendColors(white, black, 100)));   // 10 %
    EXPECT_EQ(Rgb(RGB(42, 42, 42)), Rgb(CVZPColorManager::BlendColors(white, black, 165)));   // 16.5 %
    EXPECT_EQ(Rgb(RGB(0, 128, 255)), Rgb(CVZPColorManager::BlendColors(RGB(0, 0, 255), RGB(0, 255, 255), 50)));
}

TEST(ColorSpace, ThresholdsPushesAndPulls)
{
    // Threshold scaled to the reference's brightness: doubled against black,
    // unchanged from brightness 220 on; grey 100 has brightness 172.88, so
    // (2 - 172 * 0.0045454544) * 50 = 60.909.
    EXPECT_FLOAT_EQ(100.0f, ScaleContrastThreshold(RGB(0, 0, 0), 50.0));
    EXPECT_FLOAT_EQ(50.0f, ScaleContrastThreshold(RGB(255, 255, 255), 50.0));
    EXPECT_NEAR(60.909, ScaleContrastThreshold(RGB(100, 100, 100), 50.0), 0.001);

    // Grey 40 against black: 69.2 apart; scaled against black the threshold
    // is 80, unscaled 40.
    EXPECT_FALSE(IsColorDistanceAbove(RGB(0, 0, 0), RGB(40, 40, 40), TRUE, 40.0));
    EXPECT_TRUE(IsColorDistanceAbove(RGB(0, 0, 0), RGB(40, 40, 40), FALSE, 40.0));

    struct Case
    {
        COLORREF clrRef, clr;
        double dThreshold;
        bool bPush;
        COLORREF clrExpected;
        const char* work;
    };
    const Case cases[] = {
        { RGB(40, 40, 40), RGB(0, 0, 0), 50, true, RGB(89, 89, 89),
          "black is no brighter than grey 40 (69.15), which is below T' = 84.32: towards white; "
          "grey 40 + 84.32 / 1.72885 = 88.77" },
        { RGB(255, 255, 255), RGB(200, 200, 200), 100, true, RGB(197, 197, 197),
          "white (440.85) is above T' = 100: towards black; (440.85 - 100) / 1.72885 = 197.15" },
        { RGB(90, 90, 90), RGB(100, 100, 100), 60, true, RGB(135, 135, 135),
          "brighter than grey 90 (155.6 <= 442 - 77.73): towards white; 90 + 77.73 / 1.72885 = 134.96" },
        { RGB(255, 255, 255), RGB(0, 0, 0), 100, false, RGB(197, 197, 197),
          "black pulled to 100 from white: 255 - 100 / 1.72885 = 197.16" },
        { RGB(100, 100, 100), RGB(0, 0, 0), 50, false, RGB(65, 65, 65),
          "black pulled to T' = 60.909 from grey 100: 100 - 35.23 = 64.77" },
    };
    for (const Case& c : cases)
    {
        const COLORREF clr = c.bPush ? PushColorAway(c.clrRef, c.clr, c.dThreshold)
                                     : PullColorToward(c.clrRef, c.clr, c.dThreshold);
        EXPECT_EQ(Rgb(c.clrExpected), Rgb(clr)) << c.work;
    }
}

TEST_F(ColorManager, SchemeDetection)
{
    m_pColors->SetThemeNameSource(TableThemeNames);
    struct Case
    {
        BOOL bActive;
        const wchar_t* file;
        const wchar_t* color;
        int nScheme;
    };
    const Case cases[] = {
        { TRUE, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", 1 },
        { TRUE, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"HomeStead", 2 },
        { TRUE, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Metallic", 3 },
        { TRUE, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Blue", 0 },
        { TRUE, L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", 1 },
        { TRUE, L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"Metallic", 0 },
        { TRUE, L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", 0 },
        { FALSE, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", 0 },
    };
    for (const Case& c : cases)
    {
        g_bThemeActive = c.bActive;
        g_strThemeFile = c.file;
        g_strThemeColor = c.color;
        m_pColors->RefreshColors();
        EXPECT_EQ(c.nScheme, m_pColors->GetDetectedColorScheme())
            << tesmir::test::Utf8(c.file) << " " << tesmir::test::Utf8(c.color);
        EXPECT_EQ(c.nScheme, QueryCurrentColorScheme());
    }
}

TEST_F(ColorManager, SchemeColoursFollowTheChosenScheme)
{
    // Olive, chosen: its colours and gradients; the standard table keeps the
    // derived values, but for the frame border.
    m_pColors->SetColorScheme(2);
    m_pColors->RefreshColors();
    EXPECT_EQ(2, m_pColors->GetCurrentColorScheme());
    EXPECT_EQ(Rgb(RGB(63, 93, 56)), Rgb(m_pColors->GetSchemeColor(VZPCOLOR_HIGHLIGHT_BORDER)));
    EXPECT_EQ(Rgb(RGB(51, 153, 255)), Rgb(m_pColors->GetColor(VZPCOLOR_HIGHLIGHT_BORDER)));
    EXPECT_EQ(Rgb(RGB(31, 34, 25)), Rgb(m_pColors->GetSchemeColor(59)));
    EXPECT_EQ(Rgb(m_pColors->GetColor(VZPCOLOR_DISABLED_TEXT)), Rgb(m_pColors->GetSchemeColor(VZPCOLOR_DISABLED_TEXT)));
    EXPECT_EQ(Rgb(RGB(96, 128, 88)), Rgb(m_pColors->GetColor(VZPCOLOR_FRAME_BORDER)));
    const CVZPGradientColor& g3 = m_pColors->m_gradients[3];
    EXPECT_EQ(Rgb(RGB(244, 247, 222)), Rgb(g3.GetStartColor()));
    EXPECT_EQ(Rgb(RGB(183, 198, 145)), Rgb(g3.GetEndColor()));
    EXPECT_EQ(0.3f, g3.m_fGradientFactor);

    // The no-visual-style flag: classic colours only.
    m_pColors->m_bNoVisualStyle = TRUE;
    m_pColors->RefreshColors();
    EXPECT_TRUE(IsVisualStyleDisabled());
    EXPECT_EQ(Rgb(m_pColors->GetColor(VZPCOLOR_HIGHLIGHT_BORDER)), Rgb(m_pColors->GetSchemeColor(VZPCOLOR_HIGHLIGHT_BORDER)));
    EXPECT_EQ(Rgb(RGB(160, 160, 160)), Rgb(m_pColors->GetColor(VZPCOLOR_FRAME_BORDER)));
    EXPECT_EQ(Rgb(RGB(252, 252, 252)), Rgb(m_pColors->m_gradients[3].GetStartColor()));
}

TEST_F(ColorManager, ThrottledRefreshComputesOnceWhileAMainWindowExists)
{
    CWinThread* pThread = AfxGetThread();
    ASSERT_NE(nullptr, pThread);
    ASSERT_NE(nullptr, pThread->GetMainWnd());
    const int kReadsPerRefresh = 27;

    // Without a main window nothing is recorded: every call computes. (The
    // first call waits until 500 ms have passed since any earlier refresh.)
    pThread->m_pMainWnd = NULL;
    g_nSysColorReads = 0;
    EXPECT_TRUE(tesmir::test::PumpUntil([] {
        RefreshColorsThrottled();
        return g_nSysColorReads > 0;
    }, 2000));
    g_nSysColorReads = 0;
    RefreshColorsThrottled();
    EXPECT_EQ(kReadsPerRefresh, g_nSysColorReads);

    // With one, the second call within 500 ms does nothing.
    pThread->m_pMainWnd = vzfoundation_test::MainFrame();
    g_nSysColorReads = 0;
    RefreshColorsThrottled();
    EXPECT_EQ(kReadsPerRefresh, g_nSysColorReads);
    RefreshColorsThrottled();
    EXPECT_EQ(kReadsPerRefresh, g_nSysColorReads);
}
