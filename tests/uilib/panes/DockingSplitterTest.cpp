// Splitter containers: the sharing of lengths, the bars between visible
// children, and dragging a bar live (by posted messages) or as an outline
// (by real input).
#include <gtest/gtest.h>

#include "DockingFrameFixture.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

namespace {

using tesmir::test::PumpUntil;

// Panes on a layout that is never adopted, for the arithmetic.
class SplitterLengths : public testing::Test
{
protected:
    void SetUp() override { m_pLayout = m_manager.MakeLayout(); }
    void TearDown() override { m_pLayout->InternalRelease(); }

    CVZPDockingPane* Pane(int cx, int nMin = 0, int nMax = 32000)
    {
        CVZPDockingPane* pPane =
            static_cast<CVZPDockingPane*>(m_manager.CreatePaneObject(vzpPaneTypeDockingPane, m_pLayout));
        pPane->m_nDockingCX = cx;
        pPane->m_szMinTrack.cx = nMin;
        pPane->m_szMaxTrack.cx = nMax;
        return pPane;
    }
    // The widths the list gets in a row of that width.
    std::vector<int> Widths(CVZPDockingPaneBaseList& list, int nWidth)
    {
        std::vector<int> widths;
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        {
            CRect rc = CVZPDockingPaneSplitterContainer::ComputeRectAmong(TRUE, list, CRect(0, 0, nWidth, 50),
                                                                          list.GetNext(pos));
            widths.push_back(rc.Width());
        }
        return widths;
    }

    CVZPDockingPaneManager m_manager;
    CVZPDockingPaneLayout* m_pLayout = NULL;
};

}  // namespace

TEST_F(SplitterLengths, WeightsShareTheRoomAndTheLastChildRunsToTheEdge)
{
    CVZPDockingPaneBaseList list;
    list.AddTail(Pane(100));
    list.AddTail(Pane(100));
    list.AddTail(Pane(200));
    int nTotal = 0, nAvailable = 0;
    CVZPDockingPaneSplitterContainer::ShareLengths(&m_manager, list, CRect(0, 0, 420, 50), TRUE, FALSE, &nTotal,
                                                   &nAvailable);
    EXPECT_EQ(400, nTotal);
    EXPECT_EQ(412, nAvailable);
    EXPECT_EQ((std::vector<int>{ 103, 103, 206 }), Widths(list, 420));
}

TEST_F(SplitterLengths, TheChildHoldingTheClientTakesWhatIsLeft)
{
    CVZPDockingPaneBaseList list;
    list.AddTail(Pane(100));
    list.AddTail(m_pLayout->GetClient());
    list.AddTail(Pane(60));
    EXPECT_EQ((std::vector<int>{ 100, 420 - 8 - 160, 60 }), Widths(list, 420));
}

TEST_F(SplitterLengths, LimitsFixLengthsAndAnOverflowShrinksTheLastFixedChild)
{
    struct Case
    {
        const char* pszName;
        int cx1, min1, max1, cx2, min2, max2;
        std::vector<int> widths;
    };
    const Case cases[] = {
        { "minimums within the room", 100, 250, 32000, 100, 100, 32000, { 297, 119 } },
        // 300 and 200 in 416: the second is fixed at 200 and shrinks by
        // the overflow of 84; the last child still runs to the edge.
        { "minimums beyond the room", 100, 300, 32000, 100, 200, 32000, { 300, 116 } },
        { "a maximum below the share", 100, 0, 80, 100, 0, 32000, { 80, 336 } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CVZPDockingPaneBaseList list;
        list.AddTail(Pane(c.cx1, c.min1, c.max1));
        list.AddTail(Pane(c.cx2, c.min2, c.max2));
        EXPECT_EQ(c.widths, Widths(list, 420));
    }
}

namespace {

class SplitterDrag : public testing::Test
{
protected:
    void SetUp() override { Build(0); }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->Destroy();
        MSG msg;
        while (::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        {
        }
    }

    void Build(DWORD dwExStyle)
    {
        if (m_pFrame != NULL)
            m_pFrame->Destroy();
        m_pFrame = CDockingTestFrame::Build(CSize(640, 480), dwExStyle);
        ASSERT_NE(nullptr, m_pFrame);
        m_pLeft = m_pFrame->NewPane(1, L"Left", 200, 100);
        m_pLeft->m_szMinTrack.cx = 50;
        m_pFrame->m_manager.DockPaneAtSide(m_pLeft, vzpPaneDockLeft);
        m_pFrame->LayoutNow();
        ASSERT_EQ(1, int(m_pFrame->Top()->m_lstBars.GetCount()));
        m_pBar = m_pFrame->Top()->m_lstBars.GetHead();
    }
    int LeftWidth() { return m_pFrame->TabbedOf(m_pLeft)->GetPaneRect().Width(); }
    // The bar's own client point that lies at frame client x.
    LPARAM BarPoint(int xFrame)
    {
        CPoint pt(xFrame, 100);
        m_pFrame->MapWindowPoints(m_pBar, &pt, 1);
        return MAKELPARAM(pt.x, pt.y);
    }

    CDockingTestFrame* m_pFrame = NULL;
    CVZPDockingPane* m_pLeft = NULL;
    CVZPDockingPaneSplitterWnd* m_pBar = NULL;
};

}  // namespace

TEST_F(SplitterDrag, ALiveDragLandsWhereTheBarIsReleased)
{
    m_pFrame->m_manager.m_bOutlineSplitterDrag = FALSE;
    ASSERT_EQ(200, LeftWidth());
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(100));
    m_pBar->PostMessage(WM_LBUTTONUP, 0, BarPoint(100));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, BarPoint(200));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(100, m_pLeft->GetParentContainer()->m_nDockingCX);
    EXPECT_EQ(100, LeftWidth()) << "the live pass laid the frame out at once";
    CRect rcBar;
    m_pBar->GetWindowRect(&rcBar);
    m_pFrame->ScreenToClient(&rcBar);
    EXPECT_EQ(100, rcBar.left);
}

TEST_F(SplitterDrag, EscapeKeepsTheSizesReached)
{
    m_pFrame->m_manager.m_bOutlineSplitterDrag = FALSE;
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(150));
    m_pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(300));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, BarPoint(200));
    EXPECT_EQ(150, LeftWidth());
    EXPECT_EQ(nullptr, ::GetCapture());
    // The move after the key belongs to no drag.
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(150, LeftWidth());
}

TEST_F(SplitterDrag, AQuitRequestEndsTheDragAndIsPostedAgain)
{
    m_pFrame->m_manager.m_bOutlineSplitterDrag = FALSE;
    // Nothing left to paint, so the move comes before the quit request.
    tesmir::test::PaintNow(m_pFrame);
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(120));
    ::PostQuitMessage(7);
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, BarPoint(200));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(120, LeftWidth()) << "sizes already applied stay";
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7, int(msg.wParam));
}

TEST_F(SplitterDrag, LockedSplittersIgnoreThePress)
{
    m_pFrame->m_manager.m_bOutlineSplitterDrag = FALSE;
    m_pFrame->m_manager.m_bLockSplitters = TRUE;
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, BarPoint(200));
    EXPECT_EQ(nullptr, ::GetCapture());
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(100));
    m_pBar->PostMessage(WM_LBUTTONUP, 0, BarPoint(100));
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(200, LeftWidth());
    EXPECT_EQ(200, m_pLeft->GetParentContainer()->m_nDockingCX);
}

TEST_F(SplitterDrag, TheBarStaysWithinTheNeighboursLimits)
{
    m_pFrame->m_manager.m_bOutlineSplitterDrag = FALSE;
    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(10));
    m_pBar->PostMessage(WM_LBUTTONUP, 0, BarPoint(10));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, BarPoint(200));
    EXPECT_EQ(50, LeftWidth()) << "the left pane's minimum width";
}

TEST_F(SplitterDrag, AnOutlineDragByRealInputAppliesTheReleasedPosition)
{
    ASSERT_TRUE(m_pFrame->m_manager.m_bOutlineSplitterDrag);
    CRect rcBar;
    m_pBar->GetWindowRect(&rcBar);
    const CPoint ptPress(rcBar.left + 2, rcBar.top + 100);
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(ptPress.x, ptPress.y));
    tesmir::test::SendMouseButtons(ptPress, { MOUSEEVENTF_LEFTDOWN });
    tesmir::test::MoveCursorTo(ptPress.x + 100, ptPress.y);
    tesmir::test::SendMouseButtons(CPoint(ptPress.x + 100, ptPress.y), { MOUSEEVENTF_LEFTUP });
    ASSERT_TRUE(PumpUntil([&] { return m_pLeft->GetParentContainer()->m_nDockingCX != 200; }, 5000));
    EXPECT_EQ(300, m_pLeft->GetParentContainer()->m_nDockingCX);
    m_pFrame->LayoutNow();
    EXPECT_EQ(300, LeftWidth());
}

TEST_F(SplitterDrag, TheRightToLeftApplyMirrorsTheShare)
{
    Build(WS_EX_LAYOUTRTL);
    CRect rcUnion;
    int nMin = 0, nMax = 0;
    ASSERT_TRUE(m_pBar->GetLimits(&rcUnion, &nMin, &nMax));
    EXPECT_EQ(640, rcUnion.Width());
    // The bar's leading edge 100 pixels from the union's left on the screen
    // leaves the before child (on the right) the rest.
    m_pBar->ApplyPosition(rcUnion, rcUnion.left + 100);
    EXPECT_EQ(640 - 100 - 4, m_pLeft->GetParentContainer()->m_nDockingCX);
    EXPECT_EQ(100, m_pFrame->Client()->m_nDockingCX);
}

TEST(SplitterVisibility, OneVisibleChildTakesTheWholeRectangleWithoutABar)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(400, 300));
    ASSERT_NE(nullptr, pFrame);
    pFrame->m_manager.m_bHideClient = TRUE;
    CVZPDockingPane* pPane = pFrame->NewPane(1, L"Alone", 120, 100);
    pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    pFrame->LayoutNow();
    EXPECT_EQ(CRect(0, 0, 400, 300), pFrame->TabbedOf(pPane)->GetPaneRect());
    EXPECT_EQ(0, int(pFrame->Top()->m_lstBars.GetCount()));
    CRect rcView;
    pFrame->m_wndView.GetWindowRect(&rcView);
    EXPECT_TRUE(rcView.IsRectEmpty()) << "a hidden client gives the view no room";
    pFrame->Destroy();
}

}  // namespace vzpanes_test
