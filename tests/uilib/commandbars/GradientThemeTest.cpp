// The gradient themes (types 2 and 4) printed into a 32-bit DIB through
// WM_PRINT and drawn directly: the orange state gradients only for type 2
// with a colour scheme, the scheme colour sets, the knob image, borders,
// grippers, expand buttons, docked-toolbar and dock-bar fills, separators, and
// a white test theme over type 4 as the program derives its own.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPClassicPaintManager.h"
#include "CVZPColorManager.h"
#include "CVZPCommandBars.h"
#include "CVZPControlButton.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPGradientPaintManager.h"
#include "CVZPPopupBar.h"
#include "CVZPSchemeGradientPaintManager.h"
#include "CVZPToolBar.h"
#include "VZPColorIndex.h"

#include <TestSupport.h>

using namespace vzcommandbars_test;
using tesmir::test::CDibCanvas;

namespace {

const COLORREF kPaper = RGB(1, 2, 3);
const COLORREF kWhite = RGB(255, 255, 255);

bool IsOrange(COLORREF clr)
{
    return GetRValue(clr) >= 254 && GetGValue(clr) >= 140 && GetBValue(clr) <= 210;
}

int Diff(COLORREF a, COLORREF b)
{
    return std::max({abs(GetRValue(a) - GetRValue(b)), abs(GetGValue(a) - GetGValue(b)),
                     abs(GetBValue(a) - GetBValue(b))});
}

class GradientThemeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"gradient", WS_POPUP | WS_VISIBLE,
                                      CRect(0, 0, 700, 200), NULL, 0));
    }
    void TearDown() override
    {
        for (CVZPCommandBar* pBar : m_bars)
            pBar->InternalRelease();
        m_parent.DestroyWindow();
        // Back to the scheme the prefix gives.
        CVZPColorManager* pColors = GetColorManager();
        pColors->m_bNoVisualStyle = FALSE;
        pColors->SetColorScheme(4);
        pColors->RefreshColors();
        CVZPCommandBarPaintManager::SetTheme(0);
    }

    static CVZPGradientPaintManager* Install(int nTheme, int nScheme = 4, BOOL bNoVisualStyle = FALSE)
    {
        CVZPColorManager* pColors = GetColorManager();
        pColors->SetColorScheme(nScheme);
        pColors->m_bNoVisualStyle = bNoVisualStyle;
        pColors->RefreshColors();
        CVZPCommandBarPaintManager::SetTheme(nTheme);
        return dynamic_cast<CVZPGradientPaintManager*>(VZPPaintManager());
    }

    // A toolbar child of the parent at the rectangle, docked at the position.
    CVZPToolBar* NewToolBar(CWnd* pParent, int nPosition, const CRect& rect)
    {
        CVZPToolBar* pBar = new CVZPToolBar;
        pBar->m_barPosition = nPosition;
        pBar->CreateEx(0, AfxRegisterWndClass(0), NULL, WS_CHILD | WS_VISIBLE, rect, pParent, 0);
        m_bars.push_back(pBar);
        return pBar;
    }
    CVZPControl* AddButton(CVZPCommandBar* pBar, const CRect& rc, const CRect& rcRow, BOOL bGroup = FALSE)
    {
        CVZPControl* pControl = new CVZPControlButton;
        pBar->GetControls()->AddControl(pControl);
        pControl->SetRect(rc);
        pControl->m_rcRow = rcRow;
        pControl->m_bBeginGroup = bGroup;
        return pControl;
    }

    static void Print(CWnd* pWnd, CDibCanvas& canvas)
    {
        pWnd->SendMessage(WM_PRINT, WPARAM(canvas.Dc()), PRF_CLIENT);
    }

    CWnd m_parent;
    std::vector<CVZPCommandBar*> m_bars;
};

TEST_F(GradientThemeTest, OrangeStateGradientsOnlyForTypeTwoWithAScheme)
{
    struct Case
    {
        int nTheme;
        int nScheme;
        BOOL bNoVisualStyle;
        bool bOrange;
    } cases[] = {
        {2, 0, FALSE, false}, {2, 1, FALSE, true},  {2, 2, FALSE, true},  {2, 3, FALSE, true},
        {2, 1, TRUE, false},  {4, 0, FALSE, false}, {4, 1, FALSE, false}, {4, 2, FALSE, false},
        {4, 3, FALSE, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "theme " << c.nTheme << " scheme " << c.nScheme << " no style "
                                        << c.bNoVisualStyle);
        CVZPGradientPaintManager* pTheme = Install(c.nTheme, c.nScheme, c.bNoVisualStyle);
        ASSERT_NE(nullptr, pTheme);
        EXPECT_EQ(c.bOrange ? TRUE : FALSE, pTheme->m_bSchemeColors);
        CDibCanvas canvas(40, 40, kPaper);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        // A hot toolbar button: vertical gradient from light to dark orange
        // framed in colour 32, or the flat rectangle.
        pTheme->DrawRectangle(pDC, CRect(5, 5, 30, 30), TRUE, FALSE, TRUE, FALSE, FALSE, TRUE, vzpBarTop);
        const COLORREF top = canvas.Pixel(15, 6);
        const COLORREF bottom = canvas.Pixel(15, 28);
        EXPECT_EQ(pTheme->GetColor(VZPCOLOR_HIGHLIGHT_BORDER), canvas.Pixel(5, 5));
        if (c.bOrange)
        {
            EXPECT_TRUE(IsOrange(top)) << std::hex << top;
            EXPECT_TRUE(IsOrange(bottom)) << std::hex << bottom;
            EXPECT_LE(Diff(top, RGB(255, 242, 200)), 6) << std::hex << top;
            EXPECT_LE(Diff(bottom, RGB(255, 212, 151)), 6) << std::hex << bottom;
        }
        else
        {
            EXPECT_EQ(pTheme->GetColor(VZPCOLOR_HIGHLIGHT), top);
            EXPECT_EQ(top, bottom);
        }
        // A checked button: the checked gradient, or the flat checked colours.
        canvas.Fill(kPaper);
        pTheme->DrawRectangle(pDC, CRect(5, 5, 30, 30), FALSE, FALSE, TRUE, TRUE, FALSE, TRUE, vzpBarTop);
        EXPECT_EQ(pTheme->GetColor(VZPCOLOR_HIGHLIGHT_PUSHED_BORDER), canvas.Pixel(5, 5));
        if (c.bOrange)
        {
            EXPECT_LE(Diff(canvas.Pixel(15, 6), RGB(255, 213, 140)), 6);
        }
        else
        {
            EXPECT_EQ(pTheme->GetColor(VZPCOLOR_HIGHLIGHT_CHECKED), canvas.Pixel(15, 6));
        }
        // Popup rows never get the state gradients.
        canvas.Fill(kPaper);
        pTheme->DrawRectangle(pDC, CRect(5, 5, 30, 30), TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, vzpBarPopup);
        EXPECT_EQ(pTheme->GetColor(VZPCOLOR_HIGHLIGHT), canvas.Pixel(15, 6));
        EXPECT_EQ(pTheme->GetColor(VZPCOLOR_HIGHLIGHT), canvas.Pixel(15, 28));
    }
}

TEST_F(GradientThemeTest, SchemeColourSetsReplaceTheDefaults)
{
    // Type 2 takes its scheme table, then greys 58, 60 and 35.
    CVZPGradientPaintManager* pTheme = Install(2, 1);
    ASSERT_NE(nullptr, pTheme);
    EXPECT_EQ(RGB(0, 45, 150), pTheme->GetColor(VZPCOLOR_POPUP_FRAME));
    EXPECT_EQ(RGB(0, 0, 128), pTheme->GetColor(VZPCOLOR_HIGHLIGHT_BORDER));
    EXPECT_EQ(RGB(141, 141, 141), pTheme->GetColor(58));
    EXPECT_EQ(RGB(141, 141, 141), pTheme->GetColor(VZPCOLOR_DISABLED_TEXT));
    EXPECT_EQ(RGB(158, 190, 245), pTheme->m_grcDockBar.GetStartColor());
    EXPECT_EQ(0.75f, pTheme->m_grcToolBar.m_fGradientFactor);
    EXPECT_EQ(RGB(59, 97, 156), pTheme->m_clrToolbarLine.GetColor());

    // Type 4 follows the colour manager's scheme with its own sets.
    pTheme = Install(4, 3);
    ASSERT_NE(nullptr, pTheme);
    EXPECT_EQ(4, pTheme->GetThemeType());
    EXPECT_FALSE(pTheme->m_bSchemeColors);
    EXPECT_TRUE(pTheme->m_bSingleSeparators);
    EXPECT_EQ(RGB(219, 218, 228), pTheme->GetColor(VZPCOLOR_TOOLBAR_FACE));
    EXPECT_EQ(RGB(75, 75, 111), pTheme->GetColor(VZPCOLOR_HIGHLIGHT_PUSHED_BORDER));
    EXPECT_EQ(RGB(215, 215, 229), pTheme->m_grcDockBar.GetStartColor());
    EXPECT_EQ(RGB(243, 243, 247), pTheme->m_grcDockBar.GetEndColor());
    pTheme = Install(4, 1);
    EXPECT_EQ(RGB(250, 249, 245), pTheme->m_grcKnob.GetStartColor());
    EXPECT_EQ(RGB(192, 192, 168), pTheme->m_grcKnob.GetEndColor());
    EXPECT_EQ(0.75f, pTheme->m_grcKnob.m_fGradientFactor);

    // Without a scheme: the blends of the system colours.
    pTheme = Install(2, 0);
    const COLORREF clrFace = pTheme->GetColor(COLOR_BTNFACE);
    EXPECT_EQ(clrFace, pTheme->m_grcDockBar.GetStartColor());
    EXPECT_EQ(CVZPColorManager::BlendColors(clrFace, pTheme->GetColor(COLOR_WINDOW), 205),
              pTheme->m_grcDockBar.GetEndColor());
    EXPECT_EQ(pTheme->GetColor(VZPCOLOR_TOOLBAR_FACE), pTheme->m_clrToolbarLine.GetColor());
    EXPECT_EQ(GetColorManager()->m_gradients[1].GetEndColor(), pTheme->GetColor(55));
}

TEST_F(GradientThemeTest, KnobPixelsRunFromTheEndColourToTheMask)
{
    for (int nScheme : {0, 1})
    {
        SCOPED_TRACE(nScheme);
        CVZPGradientPaintManager* pTheme = Install(2, nScheme);
        ASSERT_NE(nullptr, pTheme);
        ASSERT_NE(nullptr, pTheme->m_ilKnob.GetSafeHandle());
        EXPECT_EQ(1, ImageList_GetImageCount(pTheme->m_ilKnob.GetSafeHandle()));
        const COLORREF S = pTheme->m_grcKnob.GetStartColor();
        const COLORREF E = pTheme->m_grcKnob.GetEndColor();
        if (nScheme == 1)
        {
            EXPECT_EQ(RGB(227, 239, 254), S);
            EXPECT_EQ(RGB(129, 169, 226), E);
        }
        CDibCanvas canvas(20, 20, kPaper);
        pTheme->m_ilKnob.Draw(CDC::FromHandle(canvas.Dc()), 0, CPoint(2, 2), ILD_NORMAL);
        canvas.SaveBmp(ScreenshotPath(nScheme == 0 ? L"commandbars_gradient_knob.bmp"
                                                   : L"commandbars_gradient_knob_blue.bmp"));
        auto expected = [&](int v) {
            auto ch = [v](int e, int s) { return e - v * (e - s) / 255; };
            return RGB(ch(GetRValue(E), GetRValue(S)), ch(GetGValue(E), GetGValue(S)), ch(GetBValue(E), GetBValue(S)));
        };
        int nChecked = 0;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
            {
                const int v = CVZPGradientPaintManager::s_knobIntensity[y][x];
                const COLORREF want = v == 255 ? kPaper : expected(v);
                EXPECT_EQ(want, canvas.Pixel(2 + x, 2 + y)) << x << "," << y << " v " << v;
                nChecked += canvas.Pixel(2 + x, 2 + y) == want;
            }
        EXPECT_EQ(256, nChecked);
        EXPECT_EQ(E, canvas.Pixel(2 + 13, 2 + 12));   // intensity 0
        EXPECT_EQ(kPaper, canvas.Pixel(2, 2));         // intensity 255: the mask
    }
}

TEST_F(GradientThemeTest, BordersGrippersAndExpandButtonSizes)
{
    CVZPToolBar* pBar = NewToolBar(&m_parent, vzpBarTop, CRect(0, 0, 200, 30));
    CVZPControl* pControl = AddButton(pBar, CRect(10, 3, 33, 26), CRect(4, 3, 196, 26));
    CDibCanvas canvas(10, 10, kPaper);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    for (int nTheme : {2, 4})
    {
        SCOPED_TRACE(nTheme);
        CVZPGradientPaintManager* pTheme = Install(nTheme);
        ASSERT_NE(nullptr, pTheme);
        struct Border
        {
            int nPosition;
            CRect expected;
        } borders[] = {{vzpBarTop, CRect(4, 2, 2, 2)},
                       {vzpBarBottom, CRect(4, 2, 2, 2)},
                       {vzpBarLeft, CRect(2, 2, 2, 2)},
                       {vzpBarFloating, CRect(2, 2, 2, 2)}};
        for (const Border& b : borders)
        {
            pBar->m_barPosition = b.nPosition;
            EXPECT_EQ(b.expected, pTheme->GetCommandBarBorders(pBar)) << b.nPosition;
        }
        pBar->m_barPosition = vzpBarTop;
        EXPECT_EQ(CSize(6, 0), pTheme->DrawCommandBarGripper(pDC, pBar, FALSE));
        pBar->m_barPosition = vzpBarLeft;
        EXPECT_EQ(CSize(0, 9), pTheme->DrawCommandBarGripper(pDC, pBar, FALSE));
        pBar->m_barPosition = vzpBarFloating;
        EXPECT_EQ(CSize(6, 0), pTheme->DrawCommandBarSeparator(pDC, pBar, pControl, FALSE));
        pBar->m_barPosition = vzpBarTop;
        EXPECT_EQ(CSize(6, 6), pTheme->DrawCommandBarSeparator(pDC, pBar, pControl, FALSE));
        EXPECT_EQ(CSize(8, std::max(25, pTheme->m_nTextHeight + 6)), pTheme->DrawCommandBarGripperEx(pDC, pBar, FALSE));
        EXPECT_EQ(CSize(0, 9), pTheme->DrawTearOffGripper(pDC, CRect(0, 0, 100, 9), FALSE, FALSE));
        // The popup expand button is 18 high here.
        EXPECT_EQ(CSize(0, 18), pTheme->DrawSpecialControl(pDC, 1, pControl, pBar, FALSE, NULL));
        // The toolbar expand button takes a 12-pixel strip at the far end.
        CSize szBar(200, 30);
        EXPECT_EQ(CSize(0, 0), pTheme->DrawSpecialControl(pDC, 0, pControl, pBar, FALSE, &szBar));
        EXPECT_EQ(CRect(188, 1, 200, 30), pControl->GetRect());
        pBar->m_barPosition = vzpBarRight;
        szBar = CSize(30, 200);
        pTheme->DrawSpecialControl(pDC, 0, pControl, pBar, FALSE, &szBar);
        EXPECT_EQ(CRect(0, 188, 30, 200), pControl->GetRect());
        pBar->m_barPosition = vzpBarTop;
    }
    CVZPCommandBarPaintManager::SetTheme(0);
    EXPECT_EQ(CSize(0, 12), VZPPaintManager()->DrawSpecialControl(pDC, 1, pControl, pBar, FALSE, NULL));
}

TEST_F(GradientThemeTest, DockedToolbarShowsDockBackgroundBodyGradientAndEdgeLine)
{
    for (int nTheme : {2, 4})
    {
        SCOPED_TRACE(nTheme);
        CVZPGradientPaintManager* pTheme = Install(nTheme, 1);
        ASSERT_NE(nullptr, pTheme);
        CVZPToolBar* pBar = NewToolBar(&m_parent, vzpBarTop, CRect(0, 0, 200, 30));
        pBar->SetBarStyle(CBRS_GRIPPER);
        AddButton(pBar, CRect(10, 3, 33, 26), CRect(4, 3, 196, 26));
        CVZPControl* pSecond = AddButton(pBar, CRect(40, 3, 63, 26), CRect(4, 3, 196, 26), TRUE);
        CDibCanvas canvas(220, 40, kPaper);
        Print(pBar, canvas);
        canvas.SaveBmp(ScreenshotPath(nTheme == 2 ? L"commandbars_gradient_toolbar.bmp"
                                                  : L"commandbars_scheme_gradient_toolbar.bmp"));
        // The dock bar's gradient shows in the left strip and the corners.
        const COLORREF clrDockStart = pTheme->m_grcDockBar.GetStartColor();
        EXPECT_LE(Diff(clrDockStart, canvas.Pixel(0, 15)), 2) << std::hex << canvas.Pixel(0, 15);
        EXPECT_LE(Diff(clrDockStart, canvas.Pixel(3, 1)), 2);
        EXPECT_EQ(kPaper, canvas.Pixel(200, 15));
        // The body: the bar-face gradient from its start colour down.
        EXPECT_LE(Diff(pTheme->m_grcToolBar.GetStartColor(), canvas.Pixel(100, 1)), 6);
        EXPECT_LE(Diff(pTheme->m_grcToolBar.GetEndColor(), canvas.Pixel(100, 27)), 12);
        // The line along the bottom from x = 5, width - 7 long.
        const COLORREF clrLine = pTheme->m_clrToolbarLine.GetColor();
        EXPECT_EQ(clrLine, canvas.Pixel(5, 29));
        EXPECT_EQ(clrLine, canvas.Pixel(197, 29));
        EXPECT_NE(clrLine, canvas.Pixel(198, 29));
        EXPECT_NE(clrLine, canvas.Pixel(4, 29));
        // Gripper squares from y = 5 every four rows.
        EXPECT_EQ(pTheme->GetColor(VZPCOLOR_GRIPPER), canvas.Pixel(5, 5));
        EXPECT_EQ(pTheme->GetColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(7, 7));
        // The separator before the second button, with its highlight line
        // only in type 2.
        const int x = pSecond->GetRect().left - 4;
        EXPECT_EQ(pTheme->GetColor(VZPCOLOR_SEPARATOR), canvas.Pixel(x, 15));
        if (nTheme == 2)
        {
            EXPECT_EQ(pTheme->GetColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(x + 1, 15));
        }
        else
        {
            EXPECT_NE(pTheme->GetColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(x + 1, 15));
        }
    }
}

TEST_F(GradientThemeTest, DockBarsFillWithTheGradientOrItsEndColour)
{
    CVZPGradientPaintManager* pTheme = Install(4, 3);
    ASSERT_NE(nullptr, pTheme);
    CVZPDockBar top(NULL);
    ASSERT_TRUE(top.Create(&m_parent, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP));
    top.MoveWindow(0, 0, 600, 30);
    CVZPDockBar right(NULL);
    ASSERT_TRUE(right.Create(&m_parent, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT));
    right.MoveWindow(600, 30, 30, 100);
    CDibCanvas canvas(700, 40, kPaper);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    pTheme->FillDockBar(pDC, &top);
    EXPECT_LE(Diff(RGB(215, 215, 229), canvas.Pixel(0, 10)), 1);
    EXPECT_NE(canvas.Pixel(0, 10), canvas.Pixel(599, 10));
    EXPECT_EQ(canvas.Pixel(0, 10), canvas.Pixel(0, 29));
    EXPECT_EQ(kPaper, canvas.Pixel(600, 10));
    EXPECT_EQ(kPaper, canvas.Pixel(10, 30));
    canvas.Fill(kPaper);
    pTheme->FillDockBar(pDC, &right);
    EXPECT_EQ(RGB(243, 243, 247), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(243, 243, 247), canvas.Pixel(29, 39));
    EXPECT_EQ(kPaper, canvas.Pixel(30, 0));
    top.DestroyWindow();
    right.DestroyWindow();
}

TEST_F(GradientThemeTest, CornerPixelsCanBeExcludedFromDrawing)
{
    CDibCanvas canvas(30, 30, kPaper);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    const int nSaved = pDC->SaveDC();
    CVZPGradientPaintManager::ExcludeCornerPixels(pDC, 5, 5, 25, 20);
    pDC->FillSolidRect(CRect(0, 0, 30, 30), kWhite);
    pDC->RestoreDC(nSaved);
    for (CPoint pt : {CPoint(5, 5), CPoint(24, 5), CPoint(5, 19), CPoint(24, 19)})
        EXPECT_EQ(kPaper, canvas.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(30 * 30 - 4, canvas.Count(CRect(0, 0, 30, 30), kWhite));
}

TEST_F(GradientThemeTest, PopupGutterAndExpandButtonKnob)
{
    CVZPGradientPaintManager* pTheme = Install(4);
    ASSERT_NE(nullptr, pTheme);
    CVZPPopupBar* pPopup = new CVZPPopupBar;
    pPopup->m_barPosition = vzpBarPopup;
    pPopup->m_barType = vzpBarTypePopup;
    pPopup->CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, CRect(0, 0, 160, 60), NULL, 0);
    m_bars.push_back(pPopup);
    CVZPControl* pExpand = AddButton(pPopup, CRect(2, 38, 158, 56), CRect(2, 38, 158, 56));
    CDibCanvas canvas(180, 70, kPaper);
    Print(pPopup, canvas);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    pTheme->DrawSpecialControl(pDC, 1, pExpand, pPopup, TRUE, NULL);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_scheme_gradient_popup.bmp"));
    // Frame 43, face 41, a gutter with the bar-face gradient running across.
    const int nGutter = pTheme->GetPopupGutterWidth(pPopup);
    EXPECT_EQ(pTheme->GetColor(VZPCOLOR_POPUP_FRAME), canvas.Pixel(0, 0));
    EXPECT_LE(Diff(pTheme->m_grcToolBar.GetStartColor(), canvas.Pixel(1, 10)), 6);
    EXPECT_LE(Diff(pTheme->m_grcToolBar.GetEndColor(), canvas.Pixel(nGutter, 10)), 12);
    EXPECT_EQ(pTheme->GetColor(VZPCOLOR_MENU_FACE), canvas.Pixel(nGutter + 1, 10));
    // The knob at (centre - 7, top + 1): intensity 0 at (13, 12).
    const int cx = pExpand->GetRect().CenterPoint().x;
    EXPECT_EQ(pTheme->m_grcKnob.GetEndColor(), canvas.Pixel(cx - 7 + 13, 38 + 1 + 12));
}

TEST_F(GradientThemeTest, WhiteThemeOverTypeFourPrintsWhiteBarsWithoutSeparators)
{
    GetColorManager()->SetColorScheme(4);
    GetColorManager()->RefreshColors();
    CWhiteTestTheme* pTheme = new CWhiteTestTheme;
    CVZPCommandBarPaintManager::SetCustomTheme(pTheme);
    ASSERT_EQ(pTheme, VZPPaintManager());
    EXPECT_EQ(kWhite, pTheme->GetColor(VZPCOLOR_CONTROL_BORDER));

    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPToolBar* pBar = NewToolBar(pFrame, vzpBarTop, CRect(0, 0, 300, 30));
    // As the program's toolbar: without a gripper.
    pBar->SetBarStyle(pBar->GetBarStyle() & ~CBRS_GRIPPER);
    AddButton(pBar, CRect(10, 3, 33, 26), CRect(4, 3, 296, 26));
    AddButton(pBar, CRect(40, 3, 63, 26), CRect(4, 3, 296, 26), TRUE);
    CDibCanvas canvas(320, 40, kPaper);
    Print(pBar, canvas);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_white_theme_toolbar.bmp"));
    EXPECT_EQ(300 * 30, canvas.Count(CRect(0, 0, 300, 30), kWhite));

    CVZPDockBar* pDock = pFrame->GetCommandBars()->GetDockBar(vzpBarTop);
    ASSERT_NE(nullptr, pDock);
    CRect rcDock;
    pDock->GetClientRect(&rcDock);
    if (rcDock.IsRectEmpty())
        pDock->MoveWindow(0, 0, 300, 30);
    pDock->GetClientRect(&rcDock);
    CDibCanvas dock(rcDock.Width() + 10, rcDock.Height() + 10, kPaper);
    pTheme->FillDockBar(CDC::FromHandle(dock.Dc()), pDock);
    EXPECT_EQ(rcDock.Width() * rcDock.Height(), dock.Count(rcDock, kWhite));
    DestroyFrame(pFrame);
}

}  // namespace

namespace {

TEST_F(GradientThemeTest, FloatingBarsPaintACaptionAndOneBandPerRow)
{
    CVZPGradientPaintManager* pTheme = Install(2, 1);
    ASSERT_NE(nullptr, pTheme);
    CVZPToolBar* pBar = new CVZPToolBar;
    pBar->m_barPosition = vzpBarFloating;
    pBar->CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, CRect(0, 0, 200, 90), NULL, 0);
    m_bars.push_back(pBar);
    pBar->ModifyFlags(0x3, 0);
    pBar->SetBarStyle(CBRS_GRIPPER);
    int nCaption;
    {
        CDibCanvas probe(4, 4);
        CDC* pDC = CDC::FromHandle(probe.Dc());
        CFont* pOld = pDC->SelectObject(&pTheme->m_fontSmCaption);
        const int h = pDC->GetTextExtent(L" ", 1).cy;
        pDC->SelectObject(pOld);
        nCaption = h < 15 ? 17 : h + 2;
    }
    const int yRow2 = nCaption + 30;
    AddButton(pBar, CRect(4, nCaption + 2, 27, nCaption + 25), CRect(2, nCaption, 198, yRow2));
    CVZPControl* pSecond = AddButton(pBar, CRect(4, yRow2 + 2, 27, yRow2 + 25), CRect(2, yRow2, 198, 88));
    pSecond->m_bWrap = TRUE;
    CDibCanvas canvas(220, 100, kPaper);
    Print(pBar, canvas);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_gradient_floating.bmp"));
    const COLORREF clrFrame = pTheme->GetColor(VZPCOLOR_POPUP_FRAME);
    for (CPoint pt : {CPoint(0, 0), CPoint(1, 1), CPoint(2, 2), CPoint(197, 87), CPoint(199, 89)})
        EXPECT_EQ(clrFrame, canvas.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    // The caption band in the floating caption colour.
    EXPECT_EQ(RGB(42, 102, 201), canvas.Pixel(150, 6));
    // Each row starts again at the bar-face gradient's start colour.
    const COLORREF clrStart = pTheme->m_grcToolBar.GetStartColor();
    EXPECT_LE(Diff(clrStart, canvas.Pixel(150, nCaption + 1)), 8);
    EXPECT_LE(Diff(clrStart, canvas.Pixel(150, yRow2)), 8);
    EXPECT_GT(Diff(canvas.Pixel(150, yRow2 - 1), canvas.Pixel(150, yRow2)), 20);
}

TEST_F(GradientThemeTest, StatusBarGripperWithoutVisualStyles)
{
    CVZPGradientPaintManager* pTheme = Install(4);
    ASSERT_NE(nullptr, pTheme);
    CDibCanvas canvas(30, 30, kPaper);
    pTheme->DrawStatusBarGripper(CDC::FromHandle(canvas.Dc()), CRect(5, 5, 25, 25));
    canvas.SaveBmp(ScreenshotPath(L"commandbars_gradient_status_gripper.bmp"));
    const COLORREF clrShadow = pTheme->GetColor(COLOR_BTNSHADOW);
    const COLORREF clrLight = pTheme->GetColor(COLOR_BTNHIGHLIGHT);
    // Three diagonal grooves, a dark stroke with a light one inside each.
    EXPECT_EQ(clrShadow, canvas.Pixel(5 + 17, 5 + 17));
    EXPECT_EQ(clrShadow, canvas.Pixel(5 + 19, 5 + 19));
    EXPECT_EQ(clrLight, canvas.Pixel(5 + 18, 5 + 18));
    EXPECT_EQ(clrShadow, canvas.Pixel(5 + 12, 5 + 17));
    EXPECT_EQ(clrLight, canvas.Pixel(5 + 13, 5 + 18));
    EXPECT_EQ(kPaper, canvas.Pixel(5 + 5, 5 + 5));
    pTheme->DrawStatusBarPaneBorder(CDC::FromHandle(canvas.Dc()), CRect(0, 0, 4, 4), FALSE);
    EXPECT_EQ(pTheme->m_clrPaneBorder.GetColor(), canvas.Pixel(0, 0));
    EXPECT_EQ(pTheme->m_clrPaneBorder.GetColor(), canvas.Pixel(3, 3));
}

}  // namespace
