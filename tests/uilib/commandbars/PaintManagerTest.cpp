// The paint manager base: the theme switch, fonts from the menu font, the
// colour table, fonts that outlive a theme switch, and the shared glyphs.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPClassicPaintManager.h"
#include "CVZPColorManager.h"
#include "CVZPFlatPaintManager.h"
#include "CVZPGradientPaintManager.h"
#include "CVZPNativePaintManager.h"
#include "CVZPSchemeGradientPaintManager.h"

#include <TestSupport.h>

using namespace vzcommandbars_test;
using tesmir::test::CDibCanvas;

namespace {

TEST(PaintManagerSwitch, SetThemeInstallsTheThemeOfTheNumberAndKeepsTheNumber)
{
    const struct
    {
        int nTheme;
        int nThemeType;   // what the theme answers
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {7, 0}, {-1, 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nTheme);
        CVZPCommandBarPaintManager::SetTheme(c.nTheme);
        CVZPCommandBarPaintManager* pPaintManager = VZPPaintManager();
        ASSERT_NE(nullptr, pPaintManager);
        EXPECT_EQ(c.nTheme, pPaintManager->m_nThemeType);
        EXPECT_EQ(c.nThemeType, pPaintManager->GetThemeType());
        EXPECT_NE(nullptr, pPaintManager->m_fontRegular.GetSafeHandle());   // metrics refreshed
    }
    CVZPCommandBarPaintManager::SetTheme(7);
    EXPECT_NE(nullptr, dynamic_cast<CVZPClassicPaintManager*>(VZPPaintManager()));
    EXPECT_FALSE(VZPPaintManager()->IsFlatStyle());
    CVZPCommandBarPaintManager::SetTheme(3);
    EXPECT_NE(nullptr, dynamic_cast<CVZPClassicPaintManager*>(VZPPaintManager()));   // native falls back to classic
    CVZPCommandBarPaintManager::SetTheme(4);
    EXPECT_NE(nullptr, dynamic_cast<CVZPGradientPaintManager*>(VZPPaintManager()));
    EXPECT_TRUE(VZPPaintManager()->IsFlatStyle());
}

TEST(PaintManagerSwitch, CustomThemeIsRefreshedOnceAndReplacesTheOldOne)
{
    CVZPCommandBarPaintManager::SetTheme(0);
    CVZPCommandBarPaintManager* pOld = VZPPaintManager();
    pOld->InternalAddRef();   // watch its release
    ASSERT_EQ(2, pOld->m_dwRef);

    CTestPaintManager* pTheme = new CTestPaintManager;
    CVZPCommandBarPaintManager::SetCustomTheme(pTheme);
    EXPECT_EQ(pTheme, VZPPaintManager());
    EXPECT_EQ(5, pTheme->m_nThemeType);
    EXPECT_EQ(1, pTheme->m_nRefreshes);
    EXPECT_EQ(1, pOld->m_dwRef);
    pOld->InternalRelease();
}

// The menu font height the metrics seam reports.
LONG g_lfMenuHeight = 0;

void MenuFontOfHeight(NONCLIENTMETRICSW* pMetrics)
{
    pMetrics->lfMenuFont.lfHeight = g_lfMenuHeight;
}

TEST(PaintManagerFonts, SmallMenuFontsAreRaisedToElevenPixels)
{
    CTestPaintManager* pTheme = InstallTestTheme();
    const struct
    {
        LONG lfMenu;
        LONG lfExpected;
    } cases[] = {{-8, -11}, {-1, -11}, {-10, -11}, {-11, -11}, {-12, -12}, {8, 8}, {14, 14}};
    CVZPCommandBarPaintManager::SetMetricsSourceForTest(&MenuFontOfHeight);
    for (const auto& c : cases)
    {
        g_lfMenuHeight = c.lfMenu;
        pTheme->RefreshMetrics();
        LOGFONT lf;
        ASSERT_TRUE(pTheme->m_fontRegular.GetLogFont(&lf));
        EXPECT_EQ(c.lfExpected, lf.lfHeight) << c.lfMenu;
        ASSERT_TRUE(pTheme->m_fontRegularBold.GetLogFont(&lf));
        EXPECT_EQ(c.lfExpected, lf.lfHeight) << c.lfMenu;
        EXPECT_EQ(FW_BOLD, lf.lfWeight);
        ASSERT_TRUE(pTheme->m_fontVert.GetLogFont(&lf));
        EXPECT_EQ(2700, lf.lfEscapement);
        EXPECT_EQ(900, lf.lfOrientation);
    }
    CVZPCommandBarPaintManager::SetMetricsSourceForTest(NULL);
    pTheme->RefreshMetrics();

    // The text height is " " in the regular font plus 6.
    CDibCanvas canvas(10, 10);
    HGDIOBJ hOld = ::SelectObject(canvas.Dc(), pTheme->m_fontRegular.GetSafeHandle());
    SIZE size;
    ::GetTextExtentPoint32W(canvas.Dc(), L" ", 1, &size);
    ::SelectObject(canvas.Dc(), hOld);
    EXPECT_EQ(size.cy + 6, pTheme->m_nTextHeight);

    // A NULL font keeps the fonts and stores only the flag.
    HGDIOBJ hRegular = pTheme->m_fontRegular.GetSafeHandle();
    pTheme->SetCommandBarsFontIndirect(NULL, FALSE);
    EXPECT_FALSE(pTheme->m_bUseStandardFont);
    EXPECT_EQ(hRegular, pTheme->m_fontRegular.GetSafeHandle());
}

TEST(PaintManagerColors, OverridesLiteralsAndStandardColours)
{
    CTestPaintManager* pTheme = InstallTestTheme();
    CVZPColorManager* pColors = GetColorManager();
    for (int i = 0; i < 62; i++)
        EXPECT_EQ(pColors->GetColor(i), pTheme->GetColor(i)) << i;
    EXPECT_EQ((COLORREF)62, pTheme->GetColor(62));
    EXPECT_EQ(RGB(10, 20, 30), pTheme->GetColor(RGB(10, 20, 30)));

    const COLORREF clrStandard = pTheme->GetColor(30);
    pTheme->SetColorOverride(30, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pTheme->GetColor(30));
    const int indexes[] = {30, 31};
    const COLORREF colors[] = {RGB(4, 5, 6), RGB(7, 8, 9)};
    pTheme->SetColors(2, indexes, colors);
    EXPECT_EQ(RGB(1, 2, 3), pTheme->GetColor(30));   // the override stays
    EXPECT_EQ(RGB(7, 8, 9), pTheme->GetColor(31));
    pTheme->SetColorOverride(30, (COLORREF)-1);
    EXPECT_EQ(RGB(4, 5, 6), pTheme->GetColor(30));
    pTheme->RefreshMetrics();
    EXPECT_EQ(clrStandard, pTheme->GetColor(30));

    // After the base refresh: shadow black, status text and the face gradient.
    EXPECT_EQ(0u, pTheme->m_clrShadowFactor);
    EXPECT_EQ(pTheme->GetColor(COLOR_BTNTEXT), pTheme->m_clrStatusTextColor);
    EXPECT_EQ(pTheme->GetColor(COLOR_BTNFACE), pTheme->m_grcFace.GetStartColor());
    EXPECT_EQ(pTheme->GetColor(COLOR_BTNSHADOW), pTheme->m_grcFace.GetEndColor());
    // The selector: 0 to 3 are schemes themselves.
    pTheme->m_nColorScheme = 2;
    EXPECT_EQ(2, pTheme->GetColorScheme());
}

TEST(PaintManagerFonts, WindowsKeepLiveFontsAcrossThemeSwitches)
{
    // A clean start: no theme and no retired fonts.
    CVZPCommandBarPaintManager::TerminateThemes();
    const LONG nStart = AfxGetGdiCounts().nObjects;

    CVZPCommandBarPaintManager::SetTheme(0);
    CWnd label;
    ASSERT_TRUE(label.CreateEx(0, L"STATIC", L"Label", WS_POPUP, 0, 0, 100, 20, NULL, NULL));
    HFONT hFont = (HFONT)VZPPaintManager()->m_fontRegular.GetSafeHandle();
    label.SendMessage(WM_SETFONT, (WPARAM)hFont, FALSE);

    CVZPCommandBarPaintManager::SetTheme(2);
    HFONT hAfterSwitch = (HFONT)label.SendMessage(WM_GETFONT);
    LOGFONT lf;
    EXPECT_EQ(hFont, hAfterSwitch);
    EXPECT_EQ((int)sizeof(lf), ::GetObjectW(hAfterSwitch, sizeof(lf), &lf));

    // A settings change makes new fonts; the old ones stay alive too.
    HFONT hSecond = (HFONT)VZPPaintManager()->m_fontRegular.GetSafeHandle();
    VZPPaintManager()->RefreshMetrics();
    EXPECT_EQ((int)sizeof(lf), ::GetObjectW(hSecond, sizeof(lf), &lf));
    label.DestroyWindow();

    CVZPCommandBarPaintManager::TerminateThemes();
    EXPECT_EQ(nullptr, VZPPaintManager());
    EXPECT_EQ(nStart, AfxGetGdiCounts().nObjects);
}

// Pixels of colour clr in the canvas.
int CountColor(const CDibCanvas& canvas, COLORREF clr)
{
    return canvas.Count(CRect(0, 0, canvas.Width(), canvas.Height()), clr);
}

TEST(PaintManagerGlyphs, CheckMarkDropDownAndGripper)
{
    CTestPaintManager* pTheme = InstallTestTheme();
    const COLORREF clrMark = RGB(200, 0, 0);
    CDibCanvas canvas(20, 20);
    pTheme->DrawCheckMark(CDC::FromHandle(canvas.Dc()), CRect(0, 0, 20, 20), clrMark, FALSE);
    // Two strokes from (6, 9) over (8, 11) to (13, 6).
    EXPECT_EQ(clrMark, canvas.Pixel(6, 9));
    EXPECT_EQ(clrMark, canvas.Pixel(8, 11));
    EXPECT_EQ(clrMark, canvas.Pixel(8, 12));
    const int nThin = CountColor(canvas, clrMark);
    canvas.Fill(RGB(255, 255, 255));
    pTheme->SetBoldCheckMark(TRUE);
    pTheme->DrawCheckMark(CDC::FromHandle(canvas.Dc()), CRect(0, 0, 20, 20), clrMark, FALSE);
    EXPECT_EQ(clrMark, canvas.Pixel(8, 13));   // one pixel lower
    EXPECT_GT(CountColor(canvas, clrMark), nThin);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_checkmark.bmp"));
    pTheme->SetBoldCheckMark(FALSE);

    // The drop-down glyph: f = 20 / 2 - 4 = 6 below the top at cy - 3.
    canvas.Fill(RGB(255, 255, 255));
    pTheme->DrawDropDownGlyph(CDC::FromHandle(canvas.Dc()), CRect(0, 0, 20, 20), clrMark);
    EXPECT_EQ(clrMark, canvas.Pixel(10, 7));
    EXPECT_EQ(clrMark, canvas.Pixel(10, 12));
    EXPECT_NE(clrMark, canvas.Pixel(10, 5));

    // The size grip: three pairs of shadow lines and three highlight lines.
    CDibCanvas grip(16, 16, RGB(0, 128, 0));
    pTheme->DrawStatusBarGripper(CDC::FromHandle(grip.Dc()), CRect(0, 0, 16, 16));
    EXPECT_EQ(pTheme->GetColor(COLOR_BTNSHADOW), grip.Pixel(13, 14));
    EXPECT_EQ(pTheme->GetColor(COLOR_BTNHIGHLIGHT), grip.Pixel(11, 14));
    EXPECT_EQ(RGB(0, 128, 0), grip.Pixel(2, 2));
    grip.SaveBmp(ScreenshotPath(L"commandbars_size_grip.bmp"));
}

}  // namespace
