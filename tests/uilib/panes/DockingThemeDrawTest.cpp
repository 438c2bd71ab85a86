// The docking themes' drawing: for every theme a tabbed container and a
// floating frame drawn into a DIB, checked by the caption band's pixels and
// the caption buttons' slots; theme 5's tabs on top; themes 3 and 8 drawing
// through the visual style when it is on and falling back when it is off.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <algorithm>
#include <vector>

#include "CVZPDockingPaneMiniWnd.h"
#include "CVZPDockingPaneThemes.h"
#include "CVZPTabPaintManager.h"
#include "DockingFrameFixture.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

CVZPDockingPaneMiniWnd* FrameOf(CVZPDockingPane* pPane);
void LayOutFrames(CVZPDockingPaneLayout* pLayout);

namespace {

using tesmir::test::CDibCanvas;

const COLORREF kUntouched = RGB(255, 0, 255);

struct ButtonSlots
{
    int nSize;
    int nGap;
};

// The visible buttons' rectangles, right to left as they are laid out.
std::vector<CRect> VisibleSlots(CVZPDockingPaneCaptionButtons& buttons)
{
    std::vector<CRect> slots;
    for (INT_PTR i = 0; i < buttons.GetSize(); i++)
    {
        if (buttons[i]->IsVisible())
            slots.push_back(buttons[i]->m_rc);
    }
    return slots;
}

void ExpectSlots(const std::vector<CRect>& slots, ButtonSlots expected, size_t nCount)
{
    ASSERT_EQ(nCount, slots.size());
    for (size_t i = 0; i < slots.size(); i++)
    {
        EXPECT_EQ(expected.nSize, slots[i].Width()) << i;
        EXPECT_EQ(expected.nSize, slots[i].Height()) << i;
        if (i > 0)
        {
            EXPECT_EQ(expected.nGap, slots[i - 1].left - slots[i].right) << i;
        }
    }
}

// A frame with theme n: a tabbed container of two panes (the first with a
// menu button) and a floating frame, both drawn into canvases.
struct ThemeScene
{
    explicit ThemeScene(int nTheme)
    {
        pFrame = CDockingTestFrame::Build();
        if (pFrame == NULL)
            return;
        CDockingTestFrame& f = *pFrame;
        f.m_manager.m_bThemedFloatingFrames = TRUE;
        f.m_manager.SelectTheme(nTheme);
        pOne = f.NewPane(1, L"Caption text", 200, 120);
        pOne->SetOptions(vzpPaneHasMenuButton);
        pTwo = f.NewPane(2, L"Second");
        f.m_manager.DockPaneAtSide(pOne, vzpPaneDockLeft);
        f.m_manager.AttachPaneTo(pTwo, pOne);
        f.TabbedOf(pOne)->SelectPane(pOne, FALSE, TRUE);
        pFloating = f.NewPane(3, L"Floating");
        f.m_manager.FloatPaneAt(pFloating, CRect(300, 200, 520, 360));
        f.LayoutNow();
        LayOutFrames(f.Layout());
    }
    ~ThemeScene()
    {
        if (pFrame != NULL)
            pFrame->Destroy();
    }

    CDockingTestFrame* pFrame = NULL;
    CVZPDockingPane* pOne = NULL;
    CVZPDockingPane* pTwo = NULL;
    CVZPDockingPane* pFloating = NULL;
};

}  // namespace

TEST(DockingThemeDrawing, EveryThemeDrawsItsCaptionBandAndButtonSlots)
{
    // Size and gap of the caption buttons per theme (visual styles off).
    const ButtonSlots slots[10] = { { 12, 2 }, { 14, 2 }, { 16, 0 }, { 14, 2 }, { 14, 2 },
                                    { 16, 0 }, { 14, 2 }, { 16, 0 }, { 16, 2 }, { 14, 2 } };
    for (int nTheme = 0; nTheme < 10; nTheme++)
    {
        SCOPED_TRACE(testing::Message() << "theme " << nTheme);
        ThemeScene scene(nTheme);
        ASSERT_NE(nullptr, scene.pFrame);
        CDockingTestFrame& f = *scene.pFrame;
        CVZPDockingPanePaintManager* pPaint = f.m_manager.GetPaintManager();
        CVZPDockingPaneTabbedContainer* pTabbed = f.TabbedOf(scene.pOne);
        ASSERT_TRUE(pTabbed->HasCaption());
        const int nCaption = pPaint->GetCaptionHeight();

        CDibCanvas canvas(220, 200, kUntouched);
        pPaint->DrawPane(CDC::FromHandle(canvas.Dc()), pTabbed, CRect(0, 0, 220, 200));
        // Close, Auto Hide and Menu show in a docked caption.
        ExpectSlots(VisibleSlots(pTabbed->m_arrCaptionButtons), slots[nTheme], 3);
        // The buttons sit in the caption band, which is drawn under the title.
        for (const CRect& rc : VisibleSlots(pTabbed->m_arrCaptionButtons))
            EXPECT_LE(rc.bottom, nCaption + 6);
        // The band and its title differ from the pane's face.
        int nDiffering = 0;
        for (int y = 1; y < nCaption + 3; y++)
        {
            for (int x = 4; x < 110; x++)
                nDiffering += canvas.Pixel(x, y) != pPaint->GetColor(COLOR_BTNFACE) ? 1 : 0;
        }
        EXPECT_GT(nDiffering, 30) << "the caption's band or title is drawn";

        // The themed floating frame: caption band and its own buttons.
        CVZPDockingPaneMiniWnd* pMini = FrameOf(scene.pFloating);
        ASSERT_NE(nullptr, pMini);
        CDibCanvas frameCanvas(220, 160, kUntouched);
        pPaint->DrawFloatingFrame(CDC::FromHandle(frameCanvas.Dc()), pMini, CRect(0, 0, 220, 160));
        EXPECT_NE(kUntouched, frameCanvas.Pixel(0, 0)) << "the frame's border";
        EXPECT_NE(kUntouched, frameCanvas.Pixel(100, 3 + nCaption / 2)) << "the caption band";
        // Close and roll-up show; Menu needs the option.
        ExpectSlots(VisibleSlots(pMini->m_arrCaptionButtons), slots[nTheme], 2);
        EXPECT_EQ(nTheme == 5 ? 0 : 2, pPaint->GetPanelTabPaintManager()->GetTabPosition())
            << "only theme 5 puts the panel tabs on top";
    }
}

TEST(DockingThemeDrawing, ThemeFivePutsThePanelTabsOnTop)
{
    for (int nTheme : { 5, 1 })
    {
        ThemeScene scene(nTheme);
        ASSERT_NE(nullptr, scene.pFrame);
        CVZPDockingPaneTabbedContainer* pTabbed = scene.pFrame->TabbedOf(scene.pOne);
        ASSERT_TRUE(pTabbed->IsTabStripShown());
        const CRect rcPane = pTabbed->GetPaneRect();
        const CRect rcTab = pTabbed->GetItem(0)->m_rcItem;
        if (nTheme == 5)
        {
            EXPECT_LT(rcTab.top, rcPane.Height() / 2) << "the tabs lie at the top, below the caption";
        }
        else
        {
            EXPECT_GT(rcTab.top, rcPane.Height() / 2) << "the tabs lie at the bottom";
        }
    }
}

TEST(DockingThemeDrawing, VisualStyleThemesFallBackWithoutTheStyle)
{
    // The main run has visual styles off: theme 3 draws as theme 1 with
    // theme 4's buttons, theme 8 draws theme 4's buttons.
    for (int nTheme : { 3, 8 })
    {
        ThemeScene scene(nTheme);
        ASSERT_NE(nullptr, scene.pFrame);
        CVZPDockingPanePaintManager* pPaint = scene.pFrame->m_manager.GetPaintManager();
        if (nTheme == 3)
        {
            EXPECT_FALSE(static_cast<CVZPDockingPaneTheme3*>(pPaint)->m_themeWindow.IsAppThemed());
        }
        else
        {
            EXPECT_FALSE(static_cast<CVZPDockingPaneTheme8*>(pPaint)->m_themeToolbar.IsAppThemed());
        }
        CVZPDockingPaneTabbedContainer* pTabbed = scene.pFrame->TabbedOf(scene.pOne);
        CDibCanvas canvas(220, 200, kUntouched);
        pPaint->DrawPane(CDC::FromHandle(canvas.Dc()), pTabbed, CRect(0, 0, 220, 200));
        ExpectSlots(VisibleSlots(pTabbed->m_arrCaptionButtons), nTheme == 3 ? ButtonSlots{ 14, 2 } : ButtonSlots{ 16, 2 },
                    3);
    }
}

TEST(ThemedRunDockingThemeDrawing, VisualStyleThemesDrawThroughTheStyle)
{
    ThemeScene scene(3);
    ASSERT_NE(nullptr, scene.pFrame);
    CVZPDockingPaneTheme3* pTheme3 = static_cast<CVZPDockingPaneTheme3*>(scene.pFrame->m_manager.GetPaintManager());
    ASSERT_TRUE(pTheme3->m_themeWindow.IsAppThemed()) << "the themed prefix has its visual style on";
    CVZPDockingPaneTabbedContainer* pTabbed = scene.pFrame->TabbedOf(scene.pOne);
    CDibCanvas canvas(220, 200, kUntouched);
    pTheme3->DrawPane(CDC::FromHandle(canvas.Dc()), pTabbed, CRect(0, 0, 220, 200));
    ExpectSlots(VisibleSlots(pTabbed->m_arrCaptionButtons), ButtonSlots{ 16, 3 }, 3);
    EXPECT_NE(kUntouched, canvas.Pixel(100, pTheme3->GetCaptionHeight() / 2)) << "the style's small caption";
    EXPECT_TRUE(canvas.SaveBmp(tesmir::test::ScreenshotPath(L"docking_theme3_visual_style.bmp")));

    ThemeScene scene8(8);
    ASSERT_NE(nullptr, scene8.pFrame);
    CVZPDockingPaneTheme8* pTheme8 = static_cast<CVZPDockingPaneTheme8*>(scene8.pFrame->m_manager.GetPaintManager());
    EXPECT_TRUE(pTheme8->m_themeToolbar.IsAppThemed());
    EXPECT_TRUE(pTheme8->m_themeRebar.IsAppThemed());
}

TEST(DockingThemeDrawing, ThemesSixAndNineFillOnlyTheTabsTheyMean)
{
    struct Case
    {
        int nTheme;
        BOOL bAutoHide;
        BOOL bSelectedFilled;
        BOOL bOtherFilled;
    };
    // Theme 9 fills only the selected docked tab, in white, and no auto-hide
    // tab; theme 6 fills every tab.
    const Case cases[] = { { 9, FALSE, TRUE, FALSE }, { 9, TRUE, FALSE, FALSE }, { 6, FALSE, TRUE, TRUE },
                           { 6, TRUE, TRUE, TRUE } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "theme " << c.nTheme << (c.bAutoHide ? " auto-hide" : " docked"));
        ThemeScene scene(c.nTheme);
        ASSERT_NE(nullptr, scene.pFrame);
        CVZPDockingPanePaintManager* pPaint = scene.pFrame->m_manager.GetPaintManager();
        CVZPTabColorSet* pColors =
            (c.bAutoHide ? pPaint->GetAutoHideTabPaintManager() : pPaint->GetPanelTabPaintManager())->GetColorSet();
        CVZPDockingPaneTabbedContainer* pTabbed = scene.pFrame->TabbedOf(scene.pOne);
        ASSERT_EQ(2, pTabbed->GetItemCount());
        CVZPTabManagerItem* pSelected = pTabbed->GetSelectedItem();
        CVZPTabManagerItem* pOther = pTabbed->GetItem(pSelected->GetIndex() == 0 ? 1 : 0);
        CDibCanvas canvas(60, 20, kUntouched);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        EXPECT_EQ(c.bSelectedFilled, pColors->FillTab(pDC, CRect(0, 0, 30, 20), pSelected) != COLORREF(-1));
        EXPECT_EQ(c.bOtherFilled, pColors->FillTab(pDC, CRect(30, 0, 60, 20), pOther) != COLORREF(-1));
        if (c.nTheme == 9 && !c.bAutoHide)
        {
            EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(15, 10)) << "the selected tab in white";
            EXPECT_EQ(kUntouched, canvas.Pixel(45, 10));
        }
    }
}

TEST(DockingThemeDrawing, ThemeSixHeadersShareOneGradientAcrossTheScreenWidth)
{
    ThemeScene scene(6);
    ASSERT_NE(nullptr, scene.pFrame);
    CVZPTabPaintManager* pTabs = scene.pFrame->m_manager.GetPaintManager()->GetPanelTabPaintManager();
    CVZPTabColorSet* pColors = pTabs->GetColorSet();
    pColors->m_grcHeader.SetStandardValue(RGB(0, 0, 0), RGB(255, 255, 255), 0.5f);
    const int nWidth = std::max(120, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    CDibCanvas canvas(120, 10, kUntouched);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    pColors->FillHeader(pDC, CRect(0, 0, 60, 10), scene.pFrame->TabbedOf(scene.pOne));
    pColors->FillHeader(pDC, CRect(60, 0, 120, 10), scene.pFrame->TabbedOf(scene.pOne));
    // Two headers side by side continue one gradient that spans at least
    // half the screen, so neither starts again from black.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 5));
    const int nAt60 = GetRValue(canvas.Pixel(60, 5));
    EXPECT_NEAR(60 * 255 / nWidth, nAt60, 3);
    EXPECT_LE(GetRValue(canvas.Pixel(59, 5)), nAt60);
}

TEST(DockingThemeDrawing, ScreenshotsOfEveryThemesCaption)
{
    CDibCanvas sheet(230 * 5, 2 * 380, RGB(255, 255, 255));
    for (int nTheme = 0; nTheme < 10; nTheme++)
    {
        ThemeScene scene(nTheme);
        ASSERT_NE(nullptr, scene.pFrame);
        CVZPDockingPanePaintManager* pPaint = scene.pFrame->m_manager.GetPaintManager();
        CDC* pDC = CDC::FromHandle(sheet.Dc());
        const CPoint ptOrigin((nTheme % 5) * 230, (nTheme / 5) * 380);
        const int nSaved = pDC->SaveDC();
        pDC->SetViewportOrg(ptOrigin);
        pPaint->DrawPane(pDC, scene.pFrame->TabbedOf(scene.pOne), CRect(0, 0, 220, 200));
        pDC->SetViewportOrg(ptOrigin.x, ptOrigin.y + 210);
        pPaint->DrawFloatingFrame(pDC, FrameOf(scene.pFloating), CRect(0, 0, 220, 160));
        pDC->RestoreDC(nSaved);
    }
    EXPECT_TRUE(sheet.SaveBmp(tesmir::test::ScreenshotPath(L"docking_themes_0_to_9.bmp")));
}

}  // namespace vzpanes_test
