// The docking paint manager's drawing: caption button layout and the click
// and hover of a caption button, splitter styles by their pixels, and
// screenshots of a frame with docked panes.
#include <gtest/gtest.h>

#include "CVZPDockingPanePaintManager.h"
#include "DockingFrameFixture.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

namespace {

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

// An owner that shows every button but one id.
class CButtonOwner : public CVZPDockingPaneBase
{
public:
    explicit CButtonOwner(int nHidden = 0) : CVZPDockingPaneBase(vzpPaneTypeClient, NULL), m_nHidden(nHidden) {}
    BOOL IsCaptionButtonVisible(CVZPDockingPaneCaptionButton* pButton) override { return pButton->m_nID != m_nHidden; }
    int m_nHidden;
};

// A popup window for the click loops.
class CClickWnd : public CWnd
{
public:
    BOOL Create()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"Click", WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 200), NULL,
                        0);
    }
};

}  // namespace

TEST(DockingPaint, ThreeCaptionButtonsEndTheTextFortyEightPixelsBeforeTheEdge)
{
    CVZPDockingPaneManager manager;
    CButtonOwner owner;
    for (int nID : { VZP_IDS_DOCKINGPANE_CLOSE, VZP_IDS_DOCKINGPANE_MAXIMIZE, VZP_IDS_DOCKINGPANE_AUTOHIDE })
        owner.m_arrCaptionButtons.Add(new CVZPDockingPaneCaptionButton(&owner, nID));
    CDibCanvas canvas(200, 40);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    CRect rcArea(0, 0, 200, 21);
    manager.GetPaintManager()->DrawCaptionButtons(pDC, &owner.m_arrCaptionButtons, &rcArea, 0, 14, 2, FALSE);
    EXPECT_EQ(200 - 48, rcArea.right);
    EXPECT_EQ(CRect(186, 3, 200, 17), owner.m_arrCaptionButtons[0]->m_rc);
    EXPECT_EQ(CRect(170, 3, 184, 17), owner.m_arrCaptionButtons[1]->m_rc);

    // A hidden button takes no slot; a vertical caption stacks upward.
    owner.m_nHidden = VZP_IDS_DOCKINGPANE_MAXIMIZE;
    CRect rcVertical(0, 0, 21, 200);
    manager.GetPaintManager()->DrawCaptionButtons(pDC, &owner.m_arrCaptionButtons, &rcVertical, 0, 14, 2, TRUE);
    EXPECT_TRUE(owner.m_arrCaptionButtons[1]->m_rc.IsRectEmpty());
    EXPECT_EQ(CRect(3, 186, 17, 200), owner.m_arrCaptionButtons[0]->m_rc);
    EXPECT_EQ(CRect(3, 170, 17, 184), owner.m_arrCaptionButtons[2]->m_rc);
    EXPECT_EQ(200 - 32, rcVertical.bottom);
}

TEST(DockingPaint, ACaptionButtonClickReportsAReleaseInsideOnly)
{
    CClickWnd wnd;
    ASSERT_TRUE(wnd.Create());
    CButtonOwner owner;
    CVZPDockingPaneCaptionButton button(&owner, VZP_IDS_DOCKINGPANE_CLOSE);
    button.SetRect(CRect(10, 10, 24, 24));

    struct Case
    {
        const char* pszName;
        std::vector<MSG> messages;
        BOOL bResult;
    };
    auto msg = [&wnd](UINT message, WPARAM wParam, int x, int y) {
        MSG m = {};
        m.hwnd = wnd.GetSafeHwnd();
        m.message = message;
        m.wParam = wParam;
        m.lParam = MAKELPARAM(x, y);
        return m;
    };
    const Case cases[] = {
        { "released inside", { msg(WM_MOUSEMOVE, MK_LBUTTON, 15, 15), msg(WM_LBUTTONUP, 0, 15, 15) }, TRUE },
        { "moved out and released", { msg(WM_MOUSEMOVE, MK_LBUTTON, 60, 60), msg(WM_LBUTTONUP, 0, 60, 60) }, FALSE },
        { "moved out and back", { msg(WM_MOUSEMOVE, MK_LBUTTON, 60, 60), msg(WM_MOUSEMOVE, MK_LBUTTON, 12, 12),
                                  msg(WM_LBUTTONUP, 0, 12, 12) }, TRUE },
        { "escape", { msg(WM_KEYDOWN, VK_ESCAPE, 0, 0), msg(WM_LBUTTONUP, 0, 15, 15) }, FALSE },
        { "right click", { msg(WM_RBUTTONDOWN, MK_RBUTTON, 15, 15), msg(WM_LBUTTONUP, 0, 15, 15) }, FALSE },
        { "other keys are ignored", { msg(WM_KEYDOWN, 'A', 0, 0), msg(WM_LBUTTONUP, 0, 15, 15) }, TRUE },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        for (const MSG& m : c.messages)
            ::PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
        EXPECT_EQ(c.bResult, button.Click(&wnd, 15, 15, TRUE));
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_FALSE(button.m_bPressed);
        // Input left over from a case that ended early.
        MSG m;
        while (::PeekMessageW(&m, wnd.GetSafeHwnd(), WM_KEYFIRST, WM_MOUSELAST, PM_REMOVE))
        {
        }
    }

    // A quit request ends the loop with FALSE and is posted again.
    ::PostQuitMessage(5);
    EXPECT_FALSE(button.Click(&wnd, 15, 15, TRUE));
    MSG m;
    ASSERT_TRUE(::PeekMessageW(&m, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5, int(m.wParam));

    // No loop while another window holds the capture.
    CClickWnd other;
    ASSERT_TRUE(other.Create());
    other.SetCapture();
    EXPECT_FALSE(button.Click(&wnd, 15, 15, TRUE));
    ::ReleaseCapture();
    other.DestroyWindow();
    wnd.DestroyWindow();
}

TEST(DockingPaint, HoverSetsAndClearsTheHotButton)
{
    CButtonOwner owner;
    CVZPDockingPaneCaptionButton button(&owner, VZP_IDS_DOCKINGPANE_CLOSE);
    button.SetRect(CRect(10, 10, 24, 24));
    EXPECT_TRUE(button.OnMouseMove(12, 12));
    EXPECT_TRUE(button.m_bHot);
    EXPECT_FALSE(button.OnMouseMove(13, 13));
    EXPECT_FALSE(button.OnMouseMove(-1, -1));
    EXPECT_FALSE(button.m_bHot);
}

TEST(DockingPaint, SplitterStylesByTheirPixels)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(640, 480));
    ASSERT_NE(nullptr, pFrame);
    CVZPDockingPane* pPane = pFrame->NewPane(1, L"Left", 200, 100);
    pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    pFrame->LayoutNow();
    ASSERT_EQ(1, int(pFrame->Top()->m_lstBars.GetCount()));
    CVZPDockingPaneSplitterWnd* pBar = pFrame->Top()->m_lstBars.GetHead();
    ASSERT_FALSE(pBar->IsBarHorizontal());
    CRect rcBar;
    pBar->GetClientRect(&rcBar);
    ASSERT_EQ(CSize(4, 480), rcBar.Size());

    CVZPDockingPanePaintManager* pPaint = pFrame->m_manager.GetPaintManager();
    const COLORREF clrFace = RGB(200, 200, 200), clrGrip = RGB(10, 120, 10);
    pPaint->m_clrFace = clrFace;
    pPaint->m_clrGrip = clrGrip;
    const COLORREF c20 = pPaint->GetColor(20), c52 = pPaint->GetColor(52), c18 = pPaint->GetColor(18);
    const COLORREF c21 = pPaint->GetColor(21), c5 = pPaint->GetColor(5);
    auto draw = [&](DWORD dwStyle, CDibCanvas& canvas) {
        pPaint->m_dwSplitterStyle = dwStyle;
        pPaint->DrawSplitter(CDC::FromHandle(canvas.Dc()), pBar);
    };

    {
        CDibCanvas canvas(4, 480, RGB(255, 0, 255));
        draw(0, canvas);
        EXPECT_EQ(4 * 480, canvas.Count(CRect(0, 0, 4, 480), clrFace));
    }
    {
        SCOPED_TRACE("raised");
        CDibCanvas canvas(4, 480, RGB(255, 0, 255));
        draw(vzpSplitterRaised, canvas);
        EXPECT_EQ(c20, canvas.Pixel(0, 100));
        EXPECT_EQ(clrFace, canvas.Pixel(1, 100));
        EXPECT_EQ(c52, canvas.Pixel(2, 100));
        EXPECT_EQ(c18, canvas.Pixel(3, 100));
    }
    {
        SCOPED_TRACE("sunken band");
        CDibCanvas canvas(4, 480, RGB(255, 0, 255));
        draw(vzpSplitterSunkenBand, canvas);
        EXPECT_EQ(c21, canvas.Pixel(0, 100));
        EXPECT_EQ(c5, canvas.Pixel(1, 100)) << "a band of 4 / 2 - 1 pixels";
        EXPECT_EQ(clrFace, canvas.Pixel(2, 100));
        EXPECT_EQ(c21, canvas.Pixel(3, 100));
    }
    {
        SCOPED_TRACE("gradient across the frame");
        pPaint->m_grcSplitter.SetStandardValue(RGB(0, 0, 0), RGB(240, 240, 240));
        CDibCanvas canvas(4, 480, RGB(255, 0, 255));
        draw(vzpSplitterGradient, canvas);
        const int nSpan = std::max(640, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
        const int nExpected = 240 * 200 / nSpan;
        EXPECT_NEAR(nExpected, GetRValue(canvas.Pixel(0, 100)), 4) << "the bar sits 200 pixels into the frame";
        EXPECT_GE(GetRValue(canvas.Pixel(3, 100)), GetRValue(canvas.Pixel(0, 100)));
    }
    {
        SCOPED_TRACE("grip lines");
        CDibCanvas canvas(4, 480, RGB(255, 0, 255));
        draw(vzpSplitterGripLines, canvas);
        EXPECT_EQ(clrGrip, canvas.Pixel(2, 240));
        EXPECT_EQ(clrGrip, canvas.Pixel(2, 250));
        EXPECT_EQ(clrFace, canvas.Pixel(2, 251));
        EXPECT_EQ(clrFace, canvas.Pixel(2, 239));
        EXPECT_EQ(clrFace, canvas.Pixel(3, 245));
    }
    {
        SCOPED_TRACE("grip dots");
        CDibCanvas canvas(4, 480, RGB(255, 0, 255));
        draw(vzpSplitterGripDots, canvas);
        // Half length 32 around the centre 240: the first dot at 211 - 2.
        EXPECT_EQ(c20, canvas.Pixel(2, 210));
        EXPECT_EQ(clrGrip, canvas.Pixel(0, 208));
        EXPECT_EQ(clrGrip, canvas.Pixel(1, 209)) << "the grip square is drawn over the light one";
        EXPECT_EQ(clrFace, canvas.Pixel(1, 200));
        EXPECT_EQ(clrFace, canvas.Pixel(1, 300));
        EXPECT_GT(canvas.Count(CRect(0, 200, 4, 280), clrGrip), 20);
    }
    pPaint->m_dwSplitterStyle = 0;
    pFrame->Destroy();
}

TEST(DockingPaint, ScreenshotsOfDockedPanes)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(640, 420));
    ASSERT_NE(nullptr, pFrame);
    CDockingTestFrame& f = *pFrame;
    CVZPDockingPane* pOutput = f.NewPane(1, L"Output", 220, 100);
    CVZPDockingPane* pTasks = f.NewPane(2, L"Tasks", 220, 100);
    CVZPDockingPane* pSearch = f.NewPane(3, L"Search results\nSearch", 220, 100);
    CVZPDockingPane* pBelow = f.NewPane(4, L"Properties", 150, 120);
    f.m_manager.DockPaneAtSide(pOutput, vzpPaneDockLeft);
    f.m_manager.AttachPaneTo(pTasks, pOutput);
    f.m_manager.AttachPaneTo(pSearch, pOutput);
    f.m_manager.DockPaneAtSide(pBelow, vzpPaneDockBottom, f.Client());
    f.m_manager.GetPaintManager()->m_dwSplitterStyle = vzpSplitterRaised | vzpSplitterGripDots;
    f.LayoutNow();
    f.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    tesmir::test::PaintNow(&f);

    CDibCanvas canvas(640, 420);
    tesmir::test::CaptureWindow(f.GetSafeHwnd(), canvas);
    EXPECT_TRUE(canvas.SaveBmp(ScreenshotPath(L"docking_tabbed_and_split.bmp")));
    // The strip's selected tab and the background of the containers show.
    CVZPDockingPaneTabbedContainer* pTabbed = f.TabbedOf(pOutput);
    CRect rcStrip = pTabbed->GetItem(0)->m_rcItem;
    rcStrip.UnionRect(rcStrip, pTabbed->GetItem(2)->m_rcItem);
    EXPECT_GT(rcStrip.Width(), 60);
    // Theme 0 fills the caption strip (from 2 pixels below the top) with the
    // inactive caption colour and letters it; the face colour stays above.
    EXPECT_GT(canvas.Count(CRect(2, 4, 150, 14), ::GetSysColor(COLOR_INACTIVECAPTION)), 600);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.Pixel(100, 1));
    f.m_manager.GetPaintManager()->m_dwSplitterStyle = 0;
    pFrame->Destroy();
}

}  // namespace vzpanes_test
