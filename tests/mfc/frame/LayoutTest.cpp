// The layout protocol of frames: WM_SIZEPARENT passes, the leftover pane,
// delayed layout at idle, delayed show and hide of bars, the message line.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MfcFrameTestsRes.h"
#include "TestSupport.h"

#include <vector>

using namespace mfcframe_test;

namespace {

// A frame with a top test bar, a left test bar, a status bar and a pane.
struct LayoutFixture : public ::testing::Test
{
    CFrameWnd* m_pFrame = NULL;
    CTestBar m_barTop{ 20 };
    CTestBar m_barLeft{ 30 };
    CStatusBar m_status;
    CWnd m_pane;

    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, _T("layout"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310)));
        ASSERT_TRUE(m_pane.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), m_pFrame, AFX_IDW_PANE_FIRST));
        ASSERT_TRUE(m_barTop.Create(m_pFrame, CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(m_barLeft.Create(m_pFrame, CBRS_LEFT, AFX_IDW_CONTROLBAR_FIRST + 40));
        static const UINT indicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS };
        ASSERT_TRUE(m_status.Create(m_pFrame));
        ASSERT_TRUE(m_status.SetIndicators(indicators, 2));
    }

    void TearDown() override
    {
        if (m_pFrame != NULL && m_pFrame->m_hWnd != NULL)
            m_pFrame->DestroyWindow();   // deletes the frame
    }
};

TEST_F(LayoutFixture, BarsTakeTheirStripsAndThePaneGetsTheRest)
{
    m_pFrame->RecalcLayout();
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    int cyStatus = m_status.CalcFixedLayout(TRUE, TRUE).cy;
    ASSERT_GT(cyStatus, 0);

    // In z-order the pane comes first, then the bars in creation order.
    EXPECT_EQ(CRect(0, 0, rectClient.right, 20), ChildRect(&m_barTop));
    EXPECT_EQ(CRect(0, 20, 30, rectClient.bottom), ChildRect(&m_barLeft));
    // The status bar's strip comes off what the left bar left.
    EXPECT_EQ(CRect(30, rectClient.bottom - cyStatus, rectClient.right, rectClient.bottom), ChildRect(&m_status));
    EXPECT_EQ(CRect(30, 20, rectClient.right, rectClient.bottom - cyStatus), ChildRect(&m_pane));
}

TEST_F(LayoutFixture, QueryPassSendsNullDeferralAndMovesNothing)
{
    m_pFrame->RecalcLayout();
    CRect rectBarBefore = ChildRect(&m_barTop);
    int nLayoutBefore = m_barTop.m_nLayoutPasses;

    CRect rectClient(0, 0, 200, 100);
    CRect rectLeft;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectLeft, &rectClient);
    int cyStatus = m_status.CalcFixedLayout(TRUE, TRUE).cy;
    EXPECT_EQ(CRect(30, 20, 200, 100 - cyStatus), rectLeft);
    EXPECT_EQ(1, m_barTop.m_nQueryPasses);
    EXPECT_EQ(nLayoutBefore, m_barTop.m_nLayoutPasses);
    EXPECT_EQ(rectBarBefore, ChildRect(&m_barTop));

    // Without stretching the query answers the bars' total size: the top
    // bar is 50 x 20, the left bar 30 x 50 beside it, the status bar adds
    // its height below.
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectLeft, &rectClient, FALSE);
    EXPECT_EQ(CRect(0, 0, 50 + 30, 50 + cyStatus), rectLeft);
}

TEST_F(LayoutFixture, HiddenBarsAreAskedButTakeNoSpace)
{
    m_barLeft.ShowWindow(SW_HIDE);
    int nBefore = m_barLeft.m_nLayoutPasses;
    m_pFrame->RecalcLayout();
    EXPECT_EQ(nBefore + 1, m_barLeft.m_nLayoutPasses);
    EXPECT_EQ(0, ChildRect(&m_pane).left);
}

TEST_F(LayoutFixture, DelayedLayoutRunsOnceAtIdleAndRecalcLayoutCancelsIt)
{
    CScopedApp app;
    app.m_pMainWnd = m_pFrame;
    m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    app.OnIdle(0);   // settles anything pending from creation
    int nBefore = m_barTop.m_nLayoutPasses;

    m_pFrame->DelayRecalcLayout();
    m_pFrame->DelayRecalcLayout(FALSE);
    EXPECT_EQ((UINT)(CFrameWnd::idleLayout | CFrameWnd::idleNotify), m_pFrame->m_nIdleFlags);
    EXPECT_EQ(nBefore, m_barTop.m_nLayoutPasses);
    app.OnIdle(0);
    EXPECT_EQ(nBefore + 1, m_barTop.m_nLayoutPasses);
    EXPECT_EQ(0u, m_pFrame->m_nIdleFlags);

    // An explicit layout clears the pending one.
    m_pFrame->DelayRecalcLayout();
    m_pFrame->RecalcLayout();
    EXPECT_EQ(0u, m_pFrame->m_nIdleFlags);
    EXPECT_EQ(nBefore + 2, m_barTop.m_nLayoutPasses);
    app.OnIdle(0);
    EXPECT_EQ(nBefore + 2, m_barTop.m_nLayoutPasses);
    app.m_pMainWnd = NULL;
}

TEST_F(LayoutFixture, RecalcLayoutFromInsideALayoutDoesNotRecurse)
{
    m_barTop.m_pReenter = m_pFrame;
    int nBefore = m_barTop.m_nLayoutPasses;
    m_pFrame->RecalcLayout();
    EXPECT_EQ(nBefore + 1, m_barTop.m_nLayoutPasses);
    EXPECT_FALSE(m_pFrame->m_bInRecalcLayout);
    m_barTop.m_pReenter = NULL;
}

TEST_F(LayoutFixture, DelayedHideIsAssumedByQueriesAndDoneByTheNextLayout)
{
    m_pFrame->RecalcLayout();
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_TOOLBAR), &m_barTop);
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_STATUS_BAR), &m_status);

    m_pFrame->ShowControlBar(&m_barTop, FALSE, TRUE);
    EXPECT_TRUE((m_barTop.GetStyle() & WS_VISIBLE) != 0);
    EXPECT_FALSE(m_barTop.IsVisible());
    CRect rectLeft;
    CRect rectClient(0, 0, 200, 100);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectLeft, &rectClient);
    EXPECT_EQ(0, rectLeft.top);
    EXPECT_TRUE((m_barTop.GetStyle() & WS_VISIBLE) != 0);   // a query changes nothing

    m_pFrame->RecalcLayout();
    EXPECT_FALSE((m_barTop.GetStyle() & WS_VISIBLE) != 0);
    EXPECT_EQ(0, ChildRect(&m_pane).top);

    // Showing at once lays out at once.
    m_pFrame->ShowControlBar(&m_barTop, TRUE, FALSE);
    EXPECT_TRUE((m_barTop.GetStyle() & WS_VISIBLE) != 0);
    EXPECT_EQ(20, ChildRect(&m_pane).top);
}

TEST_F(LayoutFixture, MessageLineIsPaneZeroOfTheStatusBar)
{
    // The frame posts the idle prompt when it is created.
    EXPECT_TRUE(tesmir::test::PumpUntil([&] { return m_status.GetPaneText(0) == _T("Ready"); }, 5000));

    m_pFrame->SetMessageText(_T("working"));
    EXPECT_EQ(CString(_T("working")), m_status.GetPaneText(0));
    CString strText;
    m_status.GetWindowText(strText);
    EXPECT_EQ(CString(_T("working")), strText);

    // A command id shows its prompt, the part before the newline.
    m_pFrame->SetMessageText(ID_TEST_PROMPT);
    EXPECT_EQ(CString(_T("Runs the test command")), m_status.GetPaneText(0));
    EXPECT_EQ((UINT)ID_TEST_PROMPT, m_pFrame->m_nIDLastMessage);

    // While a menu shows a prompt, pop requests are ignored.
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_PROMPT, MF_STRING), 0);
    m_pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(CString(_T("Runs the test command")), m_status.GetPaneText(0));
    // Closing the menu brings the idle prompt back.
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(CString(_T("Ready")), m_status.GetPaneText(0));
}

TEST(StatusBar, IndicatorsNeedTheirStrings)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("status"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310)));
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    static const UINT bad[] = { ID_SEPARATOR, IDS_MISSING_STRING };
    EXPECT_FALSE(bar.SetIndicators(bad, 2));
    static const UINT good[] = { ID_SEPARATOR, ID_INDICATOR_NUM, ID_INDICATOR_CAPS };
    ASSERT_TRUE(bar.SetIndicators(good, 3));
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(ID_INDICATOR_NUM));
    EXPECT_EQ((UINT)ID_INDICATOR_CAPS, bar.GetItemID(2));
    EXPECT_TRUE(bar.GetPaneStyle(0) & SBPS_STRETCH);

    // Pane information and owner-drawn text reach the control.
    bar.SetPaneInfo(1, ID_INDICATOR_NUM, SBPS_NORMAL, 40);
    UINT nID = 0, nStyle = 0;
    int cx = 0;
    bar.GetPaneInfo(1, nID, nStyle, cx);
    EXPECT_EQ((UINT)ID_INDICATOR_NUM, nID);
    EXPECT_EQ(40, cx);
    ASSERT_TRUE(bar.SetPaneText(1, _T("x")));
    TCHAR szText[16] = {};
    bar.SendMessage(SB_GETTEXT, 1, (LPARAM)szText);
    EXPECT_STREQ(_T("x"), szText);
    // A disabled pane shows nothing but keeps its text.
    bar.SetPaneStyle(1, SBPS_DISABLED);
    szText[0] = 'z';
    bar.SendMessage(SB_GETTEXT, 1, (LPARAM)szText);
    EXPECT_STREQ(_T(""), szText);
    EXPECT_EQ(CString(_T("x")), bar.GetPaneText(1));
    pFrame->DestroyWindow();
}

// A status bar whose pane 1 is drawn by the bar: it fills the pane and
// notes what each WM_DRAWITEM told it.
class COwnerDrawStatusBar : public CStatusBar
{
public:
    static constexpr COLORREF kPaneColor = RGB(200, 30, 140);
    std::vector<DRAWITEMSTRUCT> m_draws;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        m_draws.push_back(*lpDIS);
        ::SetBkColor(lpDIS->hDC, kPaneColor);
        ::ExtTextOut(lpDIS->hDC, 0, 0, ETO_OPAQUE, &lpDIS->rcItem, NULL, 0, NULL);
    }
};

// The pane stays owner-drawn through what a frame does to its bar afterwards:
// new pane widths and styles, text updates of other panes, idle updates.
TEST(StatusBar, OwnerDrawnPaneIsDrawnThroughDrawItem)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("owner-drawn pane"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 610, 210)));
    COwnerDrawStatusBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    // Pane 1's id has no update handler; the frame updates pane 2.
    static const UINT indicators[] = { ID_SEPARATOR, ID_TEST_PROMPT, ID_INDICATOR_CAPS };
    ASSERT_TRUE(bar.SetIndicators(indicators, 3));
    static const TCHAR kData[] = _T("owner data");
    bar.SendMessage(SB_SETTEXT, 1 | SBT_OWNERDRAW, (LPARAM)kData);
    EXPECT_TRUE(bar.GetPaneStyle(1) & SBPS_OWNERDRAW);

    bar.SetPaneInfo(0, ID_SEPARATOR, SBPS_NORMAL, 200);
    bar.SetPaneInfo(1, ID_TEST_PROMPT, SBPS_STRETCH, 0);
    bar.SetPaneText(0, _T("message"));
    bar.SetPaneStyle(2, SBPS_DISABLED);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(SBT_OWNERDRAW, HIWORD(bar.SendMessage(SB_GETTEXTLENGTH, 1)) & SBT_OWNERDRAW);
    EXPECT_EQ((LRESULT)kData, bar.SendMessage(SB_GETTEXT, 1, 0));

    pFrame->RecalcLayout();
    pFrame->ShowWindow(SW_SHOWNA);
    bar.m_draws.clear();
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(bar.m_draws.empty());
    // The control hands over the part inside its sunken edge: SB_GETRECT's
    // rectangle is the part with its edge.
    CRect rectPane;
    bar.GetItemRect(1, &rectPane);
    const CRect rectItem(bar.m_draws.front().rcItem);
    for (const DRAWITEMSTRUCT& dis : bar.m_draws)
    {
        EXPECT_EQ(1u, dis.itemID);
        EXPECT_EQ((ULONG_PTR)kData, dis.itemData);
        EXPECT_EQ(bar.m_hWnd, dis.hwndItem);
        EXPECT_EQ(rectItem, CRect(dis.rcItem));
    }
    EXPECT_FALSE(rectItem.IsRectEmpty());
    CRect rectInPane;
    rectInPane.IntersectRect(rectPane, rectItem);
    EXPECT_EQ(rectItem, rectInPane);
    // What the screen shows: the pane's drawn part in the bar's colour,
    // nothing else.
    CRect rectBar;
    bar.GetClientRect(&rectBar);
    tesmir::test::CDibCanvas canvas(rectBar.Width(), rectBar.Height());
    tesmir::test::CaptureWindow(bar.m_hWnd, canvas);
    EXPECT_EQ(rectItem.Width() * rectItem.Height(), canvas.Count(rectItem, COwnerDrawStatusBar::kPaneColor));
    EXPECT_EQ(rectItem.Width() * rectItem.Height(), canvas.Count(rectBar, COwnerDrawStatusBar::kPaneColor));

    // Plain text set through the control's message is the pane's text again.
    bar.SendMessage(SB_SETTEXT, 1, (LPARAM)_T("plain"));
    EXPECT_FALSE(bar.GetPaneStyle(1) & SBPS_OWNERDRAW);
    EXPECT_EQ(CString(_T("plain")), bar.GetPaneText(1));
    pFrame->DestroyWindow();
}

}  // namespace
