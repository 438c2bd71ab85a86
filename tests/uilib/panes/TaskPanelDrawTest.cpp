// Drawing of the task panel on a DIB (expand buttons, the caption start
// fraction, a fading body, theme 8's plus/minus box) and screenshots of the
// panel in every theme, kept under the build folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CVZPColorManager.h"
#include "CVZPTaskPanelThemes.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"
#include "TaskPanelFixture.h"
#include "TestSupport.h"

using tesmir::test::CDibCanvas;
using vzpanes_test::CTaskPanelFrame;

namespace {

bool Near(COLORREF a, COLORREF b, int nTolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// A caption of the given width at the top left of a DIB.
void PlaceCaption(CVZPTaskPanelGroup* pGroup, int cx, int cyCaption)
{
    pGroup->m_nCaptionHeight = cyCaption;
    pGroup->m_rcCurrent.SetRect(0, 0, cx, cyCaption);
    pGroup->m_rcTarget = pGroup->m_rcCurrent;
}

// A body face whose row y has the green value y - top.
class CRowsPaintManager : public CVZPTaskPanelPaintManager
{
public:
    void FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* /*pGroup*/, CRect rc) override
    {
        for (int y = rc.top; y < rc.bottom; y++)
            pDC->FillSolidRect(rc.left, y, rc.Width(), 1, RGB(0, y - rc.top, 0));
    }
};

}  // namespace

TEST(TaskPanelDraw, ExpandButtonNeedsACaptionWiderThanTwentyFivePixels)
{
    CVZPTaskPanel panel;
    panel.ChoosePaintTheme(0);
    CVZPTaskPanelPaintManager* pPM = panel.GetPaintManager();
    ASSERT_EQ(2, pPM->m_nExpandButtonStyle);
    pPM->m_csNormal.clrCaptionText = RGB(255, 0, 0);
    CVZPTaskPanelGroup* pGroup = panel.AddGroup(L"");
    for (int cx : { 25, 26 })
    {
        CDibCanvas canvas(60, 30);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        PlaceCaption(pGroup, cx, 25);
        CRect rc(0, 0, cx, 25);
        CRect rcRest = pPM->DrawExpandButton(pDC, pGroup, rc);
        int nRed = canvas.Count(CRect(0, 0, 60, 30), RGB(255, 0, 0));
        if (cx == 25)
        {
            EXPECT_EQ(rc, rcRest);
            EXPECT_EQ(0, nRed);
            EXPECT_EQ(0, pPM->GetExpandButtonWidth(pGroup, rc));
        }
        else
        {
            EXPECT_EQ(CRect(0, 0, cx - 23, 25), rcRest);
            EXPECT_GT(nRed, 8);   // two chevrons
            EXPECT_EQ(23, pPM->GetExpandButtonWidth(pGroup, rc));
        }
    }
    pGroup->m_bExpandable = FALSE;
    EXPECT_EQ(0, pPM->GetExpandButtonWidth(pGroup, CRect(0, 0, 100, 25)));
}

TEST(TaskPanelDraw, CaptionStartFractionLeavesTheLeftPartSolid)
{
    CVZPTaskPanel panel;
    panel.ChoosePaintTheme(0);
    CVZPTaskPanelPaintManager* pPM = panel.GetPaintManager();
    pPM->m_csNormal.grcCaption.SetStandardValue(RGB(255, 0, 0), RGB(0, 0, 255));
    pPM->m_csNormal.dCaptionGradientStart = 0.5;
    CVZPTaskPanelGroup* pGroup = panel.AddGroup(L"");
    pGroup->m_bExpandable = FALSE;
    PlaceCaption(pGroup, 100, 25);
    CDibCanvas canvas(100, 25);
    pPM->DrawGroupCaption(CDC::FromHandle(canvas.Dc()), pGroup, TRUE);
    for (int x : { 0, 20, 49 })
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(x, 12)) << x;
    EXPECT_TRUE(Near(RGB(0, 0, 255), canvas.Pixel(99, 12), 8));
    COLORREF clrMiddle = canvas.Pixel(75, 12);
    EXPECT_TRUE(Near(RGB(128, 0, 128), clrMiddle, 16)) << std::hex << clrMiddle;
}

TEST(TaskPanelDraw, CollapsingBodyShowsItsBottomFaded)
{
    CRowsPaintManager pm;
    pm.RefreshMetrics();
    ASSERT_NE(nullptr, pm.m_pfnAlphaBlend);
    CVZPTaskPanelGroup* pGroup = new CVZPTaskPanelGroup;
    pGroup->m_nCaptionHeight = 10;
    pGroup->m_nExpandedBodyHeight = 100;
    pGroup->m_bExpanding = TRUE;
    pGroup->m_rcCurrent.SetRect(0, 0, 50, 50);   // 40 of the 100 body pixels
    pGroup->m_rcTarget.SetRect(0, 0, 50, 10);
    CDibCanvas canvas(60, 60);
    pm.DrawGroupBody(CDC::FromHandle(canvas.Dc()), pGroup);
    for (int k : { 0, 17, 39 })
    {
        int g = ((60 + k) * 102 + 255 * 153) / 255;
        COLORREF clr = canvas.Pixel(25, 10 + k);
        EXPECT_TRUE(Near(RGB(153, g, 153), clr, 2)) << k << " " << std::hex << clr;
    }
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(25, 50));   // below the body: untouched
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(25, 5));    // the caption is not the body's

    // At rest the body is copied as it is.
    pGroup->m_bExpanding = FALSE;
    pm.DrawGroupBody(CDC::FromHandle(canvas.Dc()), pGroup);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(25, 10));
    EXPECT_EQ(RGB(0, 39, 0), canvas.Pixel(25, 49));
    pGroup->InternalRelease();
}

TEST(TaskPanelDraw, ThemeEightPlusMinusBox)
{
    CVZPTaskPanelTheme8 pm;
    pm.RefreshMetrics();
    pm.m_csNormal.grcCaption.SetStandardValue(RGB(10, 200, 10), RGB(10, 100, 10));
    CVZPTaskPanelGroup* pGroup = new CVZPTaskPanelGroup;   // no panel: collapsed
    CDibCanvas canvas(200, 24);
    CRect rcContent = pm.DrawCaptionBackground(CDC::FromHandle(canvas.Dc()), pGroup, CRect(0, 0, 200, 24));
    EXPECT_EQ(CRect(19, 0, 200, 22), rcContent);
    CVZPColorManager* pColors = GetColorManager();
    COLORREF clrStart = pm.m_csNormal.grcCaption.GetStartColor(), clrShadow = pColors->GetColor(COLOR_BTNSHADOW);
    COLORREF clrFace = pColors->GetColor(COLOR_BTNFACE), clrWhite = RGB(255, 255, 255), clrBlack = RGB(0, 0, 0);
    const int m = 12;
    struct Pixel
    {
        int x, y;
        COLORREF clr;
    } pixels[] = {
        { 6, m - 6, clrStart },  { 14, m + 2, clrStart }, { 7, m - 6, clrShadow }, { 13, m + 2, clrShadow },
        { 6, m - 5, clrShadow }, { 14, m + 1, clrShadow }, { 7, m - 5, clrWhite }, { 13, m - 3, clrWhite },
        { 7, m - 1, clrWhite },  { 12, m - 1, clrFace },   { 8, m - 2, clrBlack }, { 12, m - 2, clrBlack },
        { 7, m - 2, clrWhite },  { 10, m - 4, clrBlack },  { 10, m, clrBlack },    { 10, m + 1, clrFace },
        { 13, m, clrFace },      { 0, 23, clrStart },
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(p.clr, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
    pGroup->InternalRelease();
}

TEST(TaskPanelDraw, EveryThemeDrawsThePanel)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    panel.SetFocus();
    panel.ChangeFocusedItem(frame.Item(0, 1), TRUE);
    frame.Item(2, 1)->m_bEnabled = FALSE;
    for (int nTheme = 0; nTheme <= 12; nTheme++)
    {
        panel.ChoosePaintTheme(nTheme);
        frame.Settle();
        tesmir::test::PaintNow(&panel);
        tesmir::test::CCapture capture(&panel);
        CString strName;
        strName.Format(L"taskpanel_theme_%02d.bmp", nTheme);
        capture.Canvas().SaveBmp(tesmir::test::BuildPath(strName));

        // The caption text of the first group is drawn where its text
        // rectangle was recorded, in a font of the measured height.
        CVZPTaskPanelGroup* pGroup = frame.Group(0);
        CRect rcText = pGroup->m_rcText;
        ASSERT_FALSE(rcText.IsRectEmpty()) << nTheme;
        CRect rcCaption = pGroup->GetRectOnPanel();
        EXPECT_GE(rcCaption.Height(), tesmir::test::LineHeight(panel.GetPaintManager()->m_fntCaption) - 2) << nTheme;
        // Something other than the caption's background shows in the text.
        COLORREF clrBack = capture.Pixel(rcText.right - 1 < rcCaption.right ? rcText.right - 1 : rcCaption.right - 1,
                                         rcCaption.top + 1);
        int nOther = 0;
        for (int x = rcText.left; x < rcText.right; x++)
            for (int y = rcText.top; y < rcText.bottom; y++)
                nOther += capture.Pixel(x, y) != clrBack ? 1 : 0;
        EXPECT_GT(nOther, 10) << nTheme;
    }
    // Theme 2 in the blue scheme: the ordinary caption is white over its
    // left half (behind the text) and shades to its end colour.
    {
        vzpanes_test::CForcedColorScheme scheme(1, FALSE);
        panel.ChoosePaintTheme(2);
        frame.Settle();
        tesmir::test::PaintNow(&panel);
        tesmir::test::CCapture capture(&panel);
        capture.Canvas().SaveBmp(tesmir::test::BuildPath(L"taskpanel_theme_02_blue.bmp"));
        CRect rcCaption = frame.Group(1)->GetRectOnPanel();
        EXPECT_EQ(RGB(255, 255, 255), capture.Pixel(rcCaption.left + 3, rcCaption.top + 1));
        EXPECT_TRUE(Near(RGB(198, 211, 247), capture.Pixel(rcCaption.right - 2, rcCaption.top + 3), 6));
        panel.ChoosePaintTheme(8);
        frame.Settle();
        tesmir::test::PaintNow(&panel);
        tesmir::test::CCapture capture8(&panel);
        capture8.Canvas().SaveBmp(tesmir::test::BuildPath(L"taskpanel_theme_08_blue.bmp"));
    }
    // Theme 0 fills the margins with the window colour.
    panel.ChoosePaintTheme(0);
    frame.Settle();
    tesmir::test::PaintNow(&panel);
    tesmir::test::CCapture capture(&panel);
    EXPECT_EQ(panel.GetPaintManager()->m_grcPanelBackground.GetStartColor(), capture.Pixel(2, 2));
}
