// The tab manager's model on the test strip: insertion, deletion,
// selection, keys, scrolling, clicks and the navigate buttons; and its
// modal loops (reorder drag, navigate-button click), driven by messages
// posted to the capturing window before the loop starts.
#include <gtest/gtest.h>

#include "CVZPTabAppearanceSet.h"
#include "TabTestStrip.h"
#include "TestSupport.h"

using vzpanes_test::CTestStrip;

namespace {

LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

CPoint Centre(CVZPTabManagerItem* pItem)
{
    return pItem->m_rcItem.CenterPoint();
}

// Removes what a loop left in the queue (messages after the one that ended
// it), so that the next test starts clean.
void DrainQueue()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;
        ::DispatchMessageW(&msg);
    }
}

std::vector<CString> Captions(const CTestStrip& strip)
{
    std::vector<CString> v;
    for (int i = 0; i < strip.GetItemCount(); i++)
        v.push_back(strip.GetItem(i)->m_strCaption);
    return v;
}

}  // namespace

TEST(TabManagerModel, InsertionAppendsAndTheNinthColourWraps)
{
    CTestStrip strip;
    strip.Add(L"a");
    strip.Add(L"b");
    CVZPTabManagerItem* pEnd = strip.InsertItem(-1);
    CVZPTabManagerItem* pPast = strip.InsertItem(17);
    CVZPTabManagerItem* pFront = strip.InsertItem(0);
    ASSERT_EQ(5, strip.GetItemCount());
    EXPECT_EQ(pFront, strip.GetItem(0));
    EXPECT_EQ(pEnd, strip.GetItem(3));
    EXPECT_EQ(pPast, strip.GetItem(4));
    for (int i = 0; i < strip.GetItemCount(); i++)
        EXPECT_EQ(i, strip.GetItem(i)->GetIndex());

    for (int i = 0; i < 4; i++)
        strip.Add(L"more");
    // Nine insertions through one paint manager: 0 .. 7, then 0 again.
    EXPECT_EQ(COLORREF(0x1000004), pFront->m_clrItem);
    EXPECT_EQ(COLORREF(0x1000000), strip.GetItem(8)->m_clrItem);
    EXPECT_EQ(COLORREF(0x1000000), strip.GetItem(1)->m_clrItem);
    // Colour indexes resolve through the table; other values are raw.
    strip.GetItem(1)->m_clrItem = 0x1000003;
    EXPECT_EQ(RGB(240, 158, 159), strip.GetItem(1)->GetColor());
    strip.GetItem(1)->m_clrItem = 0x1000008;
    EXPECT_EQ(COLORREF(0x1000008), strip.GetItem(1)->GetColor());
}

TEST(TabManagerModel, DeletionSelectsANeighbourAndClearsTheHotTab)
{
    CTestStrip strip;
    strip.Add(L"a");
    strip.Add(L"b");
    CVZPTabManagerItem* pLast = strip.Add(L"c");
    strip.SetSelectedItem(pLast);
    EXPECT_FALSE(strip.DeleteItem(3));
    EXPECT_FALSE(strip.DeleteItem(-1));
    ASSERT_TRUE(strip.DeleteItem(2));
    EXPECT_EQ(strip.GetItem(1), strip.GetSelectedItem());

    // The hot tab goes with its item.
    strip.m_pHot = strip.GetItem(0);
    ASSERT_TRUE(strip.DeleteItem(0));
    EXPECT_EQ(nullptr, strip.GetHotItem());
    EXPECT_EQ(strip.GetItem(0), strip.GetSelectedItem());

    ASSERT_TRUE(strip.DeleteItem(0));
    EXPECT_EQ(nullptr, strip.GetSelectedItem());
    EXPECT_EQ(0, strip.GetItemCount());
}

TEST(TabManagerModel, ReferencesKeepAMovedItemAlive)
{
    CTestStrip strip;
    CVZPTabManagerItem* pItem = strip.Add(L"kept");
    pItem->InternalAddRef();
    ASSERT_TRUE(strip.DeleteItem(0));
    EXPECT_EQ(1, pItem->m_dwRef);
    CTestStrip other;
    other.InsertItem(-1, pItem);
    EXPECT_EQ(&other, pItem->GetTabManager());
    EXPECT_EQ(L"kept", pItem->GetCaption());
}

TEST(TabManagerModel, SetCaptionRepositionsOnlyForANewText)
{
    CTestStrip strip;
    CVZPTabManagerItem* pItem = strip.Add(L"Name");
    int nBefore = strip.m_nRepositions;
    pItem->SetCaption(L"Name");
    EXPECT_EQ(nBefore, strip.m_nRepositions);
    pItem->SetCaption(L"name");
    EXPECT_EQ(nBefore + 1, strip.m_nRepositions);
}

TEST(TabManagerModel, Keys)
{
    struct Case
    {
        const char* pszName;
        int nPosition;
        BOOL bRtl;
        int nSelected;
        UINT nKey;
        BOOL bResult;
        int nExpected;   // index selected afterwards, -1 none
    };
    // Tabs 0 and 1 are disabled, 4 is hidden.
    const Case cases[] = {
        { "up on a horizontal strip", vzpTabPositionTop, FALSE, 2, VK_UP, TRUE, 2 },
        { "down on a horizontal strip", vzpTabPositionBottom, FALSE, 2, VK_DOWN, TRUE, 2 },
        { "left on a vertical strip", vzpTabPositionLeft, FALSE, 3, VK_LEFT, TRUE, 3 },
        { "right", vzpTabPositionTop, FALSE, 2, VK_RIGHT, TRUE, 3 },
        { "right skips the hidden tab", vzpTabPositionTop, FALSE, 3, VK_RIGHT, TRUE, 5 },
        { "right on the last", vzpTabPositionTop, FALSE, 5, VK_RIGHT, TRUE, 5 },
        { "left stops at disabled tabs", vzpTabPositionTop, FALSE, 2, VK_LEFT, TRUE, 2 },
        { "left right-to-left", vzpTabPositionTop, TRUE, 2, VK_LEFT, TRUE, 3 },
        { "right right-to-left", vzpTabPositionTop, TRUE, 3, VK_RIGHT, TRUE, 2 },
        { "down on a vertical strip", vzpTabPositionRight, FALSE, 2, VK_DOWN, TRUE, 3 },
        { "home skips disabled tabs", vzpTabPositionTop, FALSE, 5, VK_HOME, TRUE, 2 },
        { "end", vzpTabPositionLeft, FALSE, 2, VK_END, TRUE, 5 },
        { "another key", vzpTabPositionTop, FALSE, 2, VK_SPACE, FALSE, 2 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CTestStrip strip;
        ASSERT_TRUE(strip.CreateWnd(CSize(400, 200), c.bRtl ? WS_EX_LAYOUTRTL : 0));
        strip.m_pPaintManager->SetTabPosition(c.nPosition);
        for (int i = 0; i < 6; i++)
            strip.Add(L"tab");
        strip.GetItem(0)->m_bEnabled = FALSE;
        strip.GetItem(1)->m_bEnabled = FALSE;
        strip.GetItem(4)->m_bVisible = FALSE;
        strip.SetSelectedItem(strip.GetItem(c.nSelected));
        EXPECT_EQ(c.bResult, strip.OnKeyDown(strip.GetSafeHwnd(), c.nKey));
        EXPECT_EQ(strip.GetItem(c.nExpected), strip.GetSelectedItem());
    }

    CTestStrip empty;
    EXPECT_FALSE(empty.OnKeyDown(NULL, VK_HOME));
}

TEST(TabManagerModel, ScrollOffsetIsNeverPositive)
{
    CTestStrip strip;
    strip.SetScrollOffset(15);
    EXPECT_EQ(0, strip.GetScrollOffset());
    int nBefore = strip.m_nRepositions;
    strip.SetScrollOffset(0);
    EXPECT_EQ(nBefore, strip.m_nRepositions);
}

TEST(TabManagerModel, ClicksHitTestsAndTheCloseButton)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.CreateWnd(CSize(400, 120)));
    strip.SetAllowReorder(FALSE);
    CVZPTabManagerItem* pFirst = strip.Add(L"First");
    CVZPTabManagerItem* pDisabled = strip.Add(L"Disabled");
    pDisabled->m_bEnabled = FALSE;
    strip.Reposition();
    HWND hWnd = strip.GetSafeHwnd();

    CPoint pt = Centre(pDisabled);
    EXPECT_EQ(nullptr, strip.HitTest(pt.x, pt.y));
    EXPECT_FALSE(strip.PerformClick(hWnd, pt.x, pt.y, FALSE));
    EXPECT_EQ(nullptr, strip.GetSelectedItem());
    pt = Centre(pFirst);
    EXPECT_FALSE(strip.PerformClick(hWnd, pt.x, pt.y, TRUE));
    EXPECT_TRUE(strip.PerformClick(hWnd, pt.x, pt.y, FALSE));
    EXPECT_EQ(pFirst, strip.GetSelectedItem());
    EXPECT_EQ(nullptr, strip.HitTest(pt.x, strip.m_rcHeader.bottom + 5));

    // The automatic close button shows only for a closable selected tab.
    CVZPTabManagerNavigateButton* pClose = strip.FindNavigateButton(vzpTabNavigateClose);
    ASSERT_NE(nullptr, pClose);
    pClose->m_nDisplayMode = vzpTabNavigateAutomatic;
    strip.Reposition();
    EXPECT_FALSE(pClose->m_rcButton.IsRectEmpty());
    pFirst->m_bClosable = FALSE;
    strip.Reposition();
    EXPECT_TRUE(pClose->m_rcButton.IsRectEmpty());
    EXPECT_EQ(nullptr, strip.FindNavigateButton(7));
}

TEST(TabManagerModel, TooltipsFollowTheMode)
{
    CTestStrip strip;
    CVZPTabManagerItem* pItem = strip.Add(L"Caption");
    pItem->m_strTooltip = L"Tip";
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    // Mode 2: only a truncated tab.
    EXPECT_EQ(-1, strip.GetItemToolTip(NULL, pItem, &ti));
    pItem->m_nLength = pItem->m_nNaturalLength - 1;
    EXPECT_EQ(0, strip.GetItemToolTip(NULL, pItem, &ti));
    EXPECT_STREQ(L"Tip", ti.lpszText);
    free(ti.lpszText);
    ti.lpszText = NULL;
    strip.m_pPaintManager->m_nTooltipMode = 0;
    EXPECT_EQ(-1, strip.GetItemToolTip(NULL, pItem, &ti));
    EXPECT_EQ(-1, strip.GetItemToolTip(NULL, NULL, &ti));
}

// --- modal loops ----------------------------------------------------------

class TabManagerLoops : public testing::Test
{
protected:
    void SetUp() override
    {
        DrainQueue();
        ASSERT_TRUE(m_strip.CreateWnd(CSize(400, 120)));
        for (LPCWSTR psz : { L"Alpha", L"Beta", L"Gamma", L"Delta" })
            m_strip.Add(psz);
        m_strip.SetSelectedItem(m_strip.GetItem(0));
        m_hWnd = m_strip.GetSafeHwnd();
    }
    void TearDown() override
    {
        EXPECT_EQ(nullptr, ::GetCapture());
        DrainQueue();
    }
    void Post(UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        ::PostMessageW(m_hWnd, nMsg, wParam, lParam);
    }
    // A move over the middle of the tab now at index i.
    void PostMoveOver(int i)
    {
        CPoint pt = Centre(m_strip.GetItem(i));
        Post(WM_MOUSEMOVE, 0, Point(pt.x, pt.y));
    }

    CTestStrip m_strip;
    HWND m_hWnd = NULL;
};

TEST_F(TabManagerLoops, ReorderSwapsOverOtherSlotsAndEndsOnButtonUp)
{
    CVZPTabManagerItem* pAlpha = m_strip.GetItem(0);
    CPoint pt = Centre(pAlpha);
    // Over its own slot: nothing; then over slot 2 (Gamma), twice: the
    // second time it is its own slot.
    Post(WM_MOUSEMOVE, 0, Point(pt.x + 1, pt.y));
    PostMoveOver(2);
    PostMoveOver(2);
    Post(WM_LBUTTONUP, 0, Point(pt.x, pt.y));
    PostMoveOver(3);   // after the loop: not seen by it
    ASSERT_TRUE(m_strip.PerformClick(m_hWnd, pt.x, pt.y, FALSE));
    std::vector<CString> expected = { L"Gamma", L"Beta", L"Alpha", L"Delta" };
    EXPECT_EQ(expected, Captions(m_strip));
    EXPECT_EQ(pAlpha, m_strip.GetSelectedItem());
}

TEST_F(TabManagerLoops, ReorderEnds)
{
    struct Ending
    {
        const char* pszName;
        UINT nMsg;
        WPARAM wParam;
    };
    const Ending endings[] = {
        { "escape keeps the order reached", WM_KEYDOWN, VK_ESCAPE },
        { "right button", WM_RBUTTONDOWN, 0 },
        { "cancel mode", WM_CANCELMODE, 0 },
        { "loss of capture", WM_APP, 0 },
    };
    for (const Ending& e : endings)
    {
        SCOPED_TRACE(e.pszName);
        m_strip.DeleteAllItems();
        for (LPCWSTR psz : { L"Alpha", L"Beta", L"Gamma", L"Delta" })
            m_strip.Add(psz);
        CPoint pt = Centre(m_strip.GetItem(1));
        PostMoveOver(3);
        Post(WM_KEYDOWN, 'A', 0);   // other keys are swallowed
        Post(e.nMsg, e.wParam, 0);
        PostMoveOver(0);   // after the end (for a loss of capture: the one that sees it)
        Post(WM_LBUTTONUP, 0, 0);
        m_strip.ReorderItem(m_hWnd, pt.x, pt.y, m_strip.GetItem(1));
        std::vector<CString> expected = { L"Alpha", L"Delta", L"Gamma", L"Beta" };
        EXPECT_EQ(expected, Captions(m_strip));
        EXPECT_EQ(nullptr, ::GetCapture());
        DrainQueue();
    }
}

TEST_F(TabManagerLoops, QuitIsPostedAgainAndEndsEachLoop)
{
    CPoint pt = Centre(m_strip.GetItem(0));
    ::PostQuitMessage(7);
    m_strip.ReorderItem(m_hWnd, pt.x, pt.y, m_strip.GetItem(0));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_EQ(nullptr, ::GetCapture());

    // The scroll-forward button, made visible and enabled.
    for (int i = 0; i < 20; i++)
        m_strip.Add(L"Another tab");
    CVZPTabManagerNavigateButton* pForward = m_strip.FindNavigateButton(vzpTabNavigateForward);
    ASSERT_FALSE(pForward->m_rcButton.IsRectEmpty());
    CPoint ptButton = pForward->m_rcButton.CenterPoint();
    ::PostQuitMessage(9);
    m_strip.PerformClick(m_hWnd, ptButton.x, ptButton.y, TRUE);
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(9u, msg.wParam);
}

namespace {

// Each reading of the clock is 21 ms after the last: every pass of the
// click loop is one auto-repeat tick.
DWORD g_dwFakeTick = 0;
DWORD FakeTick()
{
    return g_dwFakeTick += 21;
}

struct CTickSeam
{
    CTickSeam() { CVZPTabManagerNavigateButton::SetTickSourceForTest(FakeTick); }
    ~CTickSeam() { CVZPTabManagerNavigateButton::SetTickSourceForTest(NULL); }
};

}  // namespace

TEST_F(TabManagerLoops, ScrollButtonStepsTwentyPixelsPerTickUntilItDisables)
{
    CTickSeam seam;
    for (int i = 0; i < 12; i++)
        m_strip.Add(L"Another tab");
    CVZPTabManagerNavigateButton* pBack = m_strip.FindNavigateButton(vzpTabNavigateBack);
    CVZPTabManagerNavigateButton* pForward = m_strip.FindNavigateButton(vzpTabNavigateForward);
    ASSERT_FALSE(pForward->m_rcButton.IsRectEmpty());
    ASSERT_TRUE(pForward->m_bEnabled);
    ASSERT_FALSE(pBack->m_bEnabled);

    // A disabled button does nothing.
    CPoint ptBack = pBack->m_rcButton.CenterPoint();
    Post(WM_LBUTTONUP, 0, Point(ptBack.x, ptBack.y));
    EXPECT_TRUE(m_strip.PerformClick(m_hWnd, ptBack.x, ptBack.y, FALSE));
    EXPECT_EQ(0, m_strip.GetScrollOffset());
    DrainQueue();

    // Held over the button for 3 passes: 3 steps of 20.
    CPoint pt = pForward->m_rcButton.CenterPoint();
    Post(WM_MOUSEMOVE, 0, Point(pt.x, pt.y));
    Post(WM_MOUSEMOVE, 0, Point(pt.x, pt.y));
    Post(WM_LBUTTONUP, 0, Point(pt.x, pt.y));
    m_strip.PerformClick(m_hWnd, pt.x, pt.y, TRUE);
    EXPECT_EQ(-60, m_strip.GetScrollOffset());
    EXPECT_FALSE(pForward->m_bPressed);
    EXPECT_TRUE(pBack->m_bEnabled);

    // Held long enough: it stops where the last tab has come into view.
    for (int i = 0; i < 200; i++)
        Post(WM_MOUSEMOVE, 0, Point(pt.x, pt.y));
    Post(WM_LBUTTONUP, 0, Point(pt.x, pt.y));
    m_strip.PerformClick(m_hWnd, pt.x, pt.y, TRUE);
    // The layout keeps the last tab at the end of the tabs area.
    EXPECT_FALSE(pForward->m_bEnabled);
    CVZPTabManagerItem* pLast = m_strip.GetItem(m_strip.GetItemCount() - 1);
    EXPECT_LE(pLast->m_rcItem.right, m_strip.m_rcHeader.right);
    EXPECT_GT(pLast->m_rcItem.right, m_strip.m_rcHeader.right - 20);
}

TEST_F(TabManagerLoops, CloseButtonActsOnAReleaseOverIt)
{
    CVZPTabManagerNavigateButton* pClose = m_strip.FindNavigateButton(vzpTabNavigateClose);
    pClose->m_nDisplayMode = vzpTabNavigateAlways;
    m_strip.Reposition();
    ASSERT_FALSE(pClose->m_rcButton.IsRectEmpty());
    CPoint pt = pClose->m_rcButton.CenterPoint();

    // Released away from the button: no click.
    Post(WM_MOUSEMOVE, 0, Point(pt.x, pt.y + 40));
    Post(WM_LBUTTONUP, 0, Point(pt.x, pt.y + 40));
    EXPECT_TRUE(m_strip.PerformClick(m_hWnd, pt.x, pt.y, TRUE));
    EXPECT_EQ(0, m_strip.m_nButtonClicks);

    Post(WM_LBUTTONUP, 0, Point(pt.x, pt.y));
    m_strip.PerformClick(m_hWnd, pt.x, pt.y, TRUE);
    EXPECT_EQ(1, m_strip.m_nButtonClicks);

    // Escape ends it without a click.
    Post(WM_KEYDOWN, VK_ESCAPE, 0);
    m_strip.PerformClick(m_hWnd, pt.x, pt.y, TRUE);
    EXPECT_EQ(1, m_strip.m_nButtonClicks);
}

TEST_F(TabManagerLoops, HoverKeepsAHotTabWhileHotTrackingIsOn)
{
    ::SetForegroundWindow(m_hWnd);
    ASSERT_TRUE(tesmir::test::PumpUntil([&] { return ::GetForegroundWindow() == m_hWnd; }));
    CPoint pt = Centre(m_strip.GetItem(1));
    m_strip.PerformMouseMove(m_hWnd, pt.x, pt.y);
    EXPECT_EQ(nullptr, m_strip.GetHotItem());
    m_strip.m_pPaintManager->m_bHotTracking = TRUE;
    m_strip.PerformMouseMove(m_hWnd, pt.x, pt.y);
    EXPECT_EQ(m_strip.GetItem(1), m_strip.GetHotItem());
    m_strip.PerformMouseMove(m_hWnd, -1, -1);
    EXPECT_EQ(nullptr, m_strip.GetHotItem());
}
