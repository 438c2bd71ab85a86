// The task panel window in a test frame: layout and scrolling, expanding
// and its animation, hosted windows, the mouse and keyboard, the scroll
// buttons of the single-group modes, drag and drop, and accessibility.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "CVZPTaskPanelPaintManager.h"
#include "MfcTestSupport.h"
#include "TaskPanelFixture.h"
#include "TestSupport.h"

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;
using vzpanes_test::AddItem;
using vzpanes_test::CTaskPanelFrame;

namespace {

CRect Margins(CVZPTaskPanel& panel)
{
    return panel.GetPaintManager()->GetPanelMargins(&panel);
}

void ResizeClient(CVZPTaskPanel& panel, int cx, int cy)
{
    panel.SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Real pointer input at a client point of the panel.
// The screen point the last move went to: button input carries it too, so a
// late motion event of the display cannot move a press elsewhere.
CPoint g_ptCursor;

void SendMouse(std::initializer_list<DWORD> flags)
{
    tesmir::test::SendMouseButtons(g_ptCursor, flags);
}

bool MoveCursorTo(CWnd& wnd, CPoint ptClient)
{
    g_ptCursor = ptClient;
    wnd.ClientToScreen(&g_ptCursor);
    return tesmir::test::SendMouseInput(g_ptCursor);
}

bool Activate(CWnd& wnd)
{
    return tesmir::test::BringToFront(wnd.GetSafeHwnd());
}

LPARAM PointParam(CPoint pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

}  // namespace

TEST(TaskPanelWindow, ContentHeightAndTheScrollBar)
{
    CTaskPanelFrame empty(CSize(200, 300), FALSE);
    CRect rcMargins = Margins(empty.m_panel);
    EXPECT_EQ(rcMargins.top + rcMargins.bottom, empty.m_panel.GetContentHeight());
    EXPECT_FALSE(empty.m_panel.IsScrollBarShown());
    EXPECT_FALSE(empty.m_panel.GetStyle() & WS_VSCROLL);

    CTaskPanelFrame frame;
    int nContent = frame.m_panel.GetContentHeight();
    ASSERT_GT(nContent, 100);
    // A client exactly as tall as the content shows no scroll bar; one pixel
    // less does.
    CRect rcWindow, rcClient;
    frame.m_panel.GetWindowRect(&rcWindow);
    frame.m_panel.GetClientRect(&rcClient);
    int nFrame = rcWindow.Height() - rcClient.Height();
    ResizeClient(frame.m_panel, 260, nContent + nFrame);
    frame.Settle();
    EXPECT_EQ(nContent, frame.m_panel.GetContentHeight());
    EXPECT_FALSE(frame.m_panel.IsScrollBarShown());
    ResizeClient(frame.m_panel, 260, nContent + nFrame - 1);
    frame.Settle();
    EXPECT_TRUE(frame.m_panel.IsScrollBarShown());
    EXPECT_TRUE(frame.m_panel.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(1, frame.m_panel.GetScrollMax());
}

TEST(TaskPanelWindow, VerticalScrollCommands)
{
    CTaskPanelFrame frame(CSize(260, 120));
    CVZPTaskPanel& panel = frame.m_panel;
    ASSERT_TRUE(panel.IsScrollBarShown());
    CRect rcClient;
    panel.GetClientRect(&rcClient);
    int nLimit = panel.GetContentHeight() - rcClient.Height();
    ASSERT_EQ(nLimit, panel.GetScrollMax());
    struct Case
    {
        int nFrom;
        UINT nCode;
        int nExpected;
    } cases[] = {
        { 3, SB_LINEUP, 0 },
        { 10, SB_LINEUP, 4 },
        { 10, SB_LINEDOWN, 16 },
        { nLimit - 2, SB_LINEDOWN, nLimit },
        { nLimit - 5, SB_PAGEDOWN, nLimit },
        { 5, SB_PAGEDOWN, 5 + rcClient.Height() },
        { 30, SB_PAGEUP, 0 },
        { 30, SB_TOP, 0 },
        { 3, SB_BOTTOM, nLimit },
    };
    for (const Case& c : cases)
    {
        panel.ScrollPanelTo(c.nFrom);
        ASSERT_EQ(c.nFrom, panel.GetScrollPos());
        panel.SendMessage(WM_VSCROLL, MAKEWPARAM(c.nCode, 0), 0);
        EXPECT_EQ(c.nExpected, panel.GetScrollPos()) << c.nFrom << " " << c.nCode;
    }
    // The wheel moves 10 pixels, within the range.
    panel.ScrollPanelTo(5);
    panel.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50));
    EXPECT_EQ(0, panel.GetScrollPos());
    panel.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(50, 50));
    EXPECT_EQ(10, panel.GetScrollPos());
}

TEST(TaskPanelWindow, CollapseAnimatesByTheRemainingDistanceThenNotifies)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    CVZPTaskPanelGroup* pGroup = frame.Group(2);
    // A body of exactly 95 pixels: no inner margins and one fixed item.
    pGroup->m_rcInnerMargins.SetRect(0, 0, 0, 0);
    pGroup->GetItems()->ClearItems(FALSE);
    CVZPTaskPanelGroupItem* pItem = AddItem(pGroup, vzpTaskItemText, L"tall");
    pItem->m_rcMargins.SetRect(0, 0, 0, 0);
    pItem->m_szItem = CSize(50, 95);
    frame.Settle();
    ASSERT_EQ(95, pGroup->GetBodyRect().Height());
    ASSERT_FALSE(panel.IsScrollBarShown());

    int nBottom = pGroup->m_rcCurrent.bottom;
    pGroup->SetExpanded(FALSE);
    EXPECT_NE(0u, panel.m_nAnimationTimer);
    panel.KillTimer(VZP_TASKPANEL_TIMER_ANIMATION);   // ticks are driven below
    std::vector<int> moves;
    for (int i = 0; i < 10; i++)
    {
        EXPECT_EQ(0, frame.m_owner.Count(vzpTaskPanelAnimationDone)) << i;
        panel.OnAnimationTimer();
        moves.push_back(nBottom - pGroup->m_rcCurrent.bottom);
        nBottom = pGroup->m_rcCurrent.bottom;
    }
    EXPECT_EQ((std::vector<int>{ 9, 9, 9, 9, 9, 10, 10, 10, 10, 10 }), moves);
    EXPECT_EQ(pGroup->m_rcTarget, pGroup->m_rcCurrent);
    EXPECT_EQ((std::vector<int>{ vzpTaskPanelGroupExpanding, vzpTaskPanelAnimationDone }), frame.m_owner.Codes());
    EXPECT_EQ(LPARAM(pGroup), frame.m_owner.m_calls.back().lParam);
    panel.OnAnimationTimer();   // nothing moves: the timer goes
    EXPECT_EQ(0u, panel.m_nAnimationTimer);
}

TEST(TaskPanelWindow, VetoAndAnimationOff)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    CVZPTaskPanelGroup* pGroup = frame.Group(0);
    CRect rcBefore = pGroup->m_rcCurrent;
    frame.m_owner.m_answers[vzpTaskPanelGroupExpanding] = -1;
    pGroup->SetExpanded(FALSE);
    EXPECT_TRUE(panel.IsGroupExpanded(pGroup));
    EXPECT_FALSE(pGroup->IsExpanding());
    EXPECT_EQ(rcBefore, pGroup->m_rcCurrent);
    EXPECT_EQ(0u, panel.m_nAnimationTimer);
    EXPECT_FALSE(::KillTimer(panel.GetSafeHwnd(), VZP_TASKPANEL_TIMER_ANIMATION));
    ASSERT_EQ(1u, frame.m_owner.m_calls.size());
    EXPECT_FALSE(frame.m_owner.m_calls[0].bExpanding);

    frame.m_owner.m_answers.clear();
    frame.m_owner.m_calls.clear();
    panel.SetAnimationMode(vzpTaskPanelAnimationOff);
    pGroup->SetExpanded(FALSE);
    EXPECT_FALSE(panel.IsGroupExpanded(pGroup));
    EXPECT_EQ(pGroup->m_rcTarget, pGroup->m_rcCurrent);
    EXPECT_EQ(pGroup->m_nCaptionHeight, pGroup->m_rcCurrent.Height());
    EXPECT_EQ((std::vector<int>{ vzpTaskPanelGroupExpanding, vzpTaskPanelAnimationDone }), frame.m_owner.Codes());
    EXPECT_EQ(0u, panel.m_nAnimationTimer);
}

TEST(TaskPanelWindow, GroupGeometry)
{
    CTaskPanelFrame frame;
    CVZPTaskPanelGroup* pGroup = frame.Group(2);
    CVZPTaskPanelPaintManager* pPM = frame.m_panel.GetPaintManager();

    // Extra height shared by weight: 10 over three weight-1 items.
    pGroup->GetItems()->ClearItems(FALSE);
    for (int i = 0; i < 3; i++)
        AddItem(pGroup, vzpTaskItemText, L"auto")->m_bAutoHeight = TRUE;
    for (int i = 0; i < 3; i++)
        pGroup->GetItem(i)->m_rcItem.SetRect(0, i * 20, 50, i * 20 + 20);
    pGroup->DistributeExtraHeight(10);
    EXPECT_EQ(CRect(0, 0, 50, 23), pGroup->GetItem(0)->m_rcItem);
    EXPECT_EQ(CRect(0, 23, 50, 46), pGroup->GetItem(1)->m_rcItem);
    EXPECT_EQ(CRect(0, 46, 50, 70), pGroup->GetItem(2)->m_rcItem);

    // A grid narrower than one cell keeps one column.
    pGroup->m_nLayout = 1;
    CClientDC dc(&frame.m_panel);
    pGroup->LayoutItems(&dc, CRect(0, 0, 10, 100));
    EXPECT_EQ(1, pGroup->m_nItemsPerRow);
    CRect rcPad = pPM->m_rcGridCellPadding;
    int cxCell = rcPad.left + rcPad.right + 16;
    pGroup->LayoutItems(&dc, CRect(0, 0, 300, 100));
    CRect rcInner = pPM->GetGroupInnerMargins(pGroup), rcOuter = pPM->GetGroupOuterMargins(pGroup);
    EXPECT_EQ((300 - rcInner.left - rcInner.right - rcOuter.left - rcOuter.right) / cxCell,
              pGroup->m_nItemsPerRow);
    EXPECT_EQ(pGroup->GetItem(0)->m_rcItem.top, pGroup->GetItem(1)->m_rcItem.top);

    // A group with no visible item has a body of its inner margins.
    pGroup->m_nLayout = 0;
    for (int i = 0; i < 3; i++)
        pGroup->GetItem(i)->m_bVisible = FALSE;
    pGroup->LayoutItems(&dc, CRect(0, 0, 300, 100));
    EXPECT_EQ(rcInner.top + rcInner.bottom, pGroup->m_nExpandedBodyHeight);
}

TEST(TaskPanelWindow, HostedWindowHidesWhileItsGroupAnimates)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    CVZPTaskPanelGroupItem* pHosted = frame.Item(1, 1);
    ASSERT_TRUE(frame.m_edit.IsWindowVisible());
    CRect rcEdit;
    frame.m_edit.GetWindowRect(&rcEdit);
    panel.ScreenToClient(&rcEdit);
    EXPECT_EQ(pHosted->GetRectOnPanel().TopLeft(), rcEdit.TopLeft());
    EXPECT_EQ(22, rcEdit.Height());

    frame.Group(1)->SetExpanded(FALSE);
    panel.KillTimer(VZP_TASKPANEL_TIMER_ANIMATION);
    panel.OnAnimationTimer();
    EXPECT_FALSE(frame.m_edit.IsWindowVisible());
    EXPECT_NE(nullptr, pHosted->m_bmpCached.GetSafeHandle());

    frame.Group(1)->SetExpanded(TRUE);
    panel.KillTimer(VZP_TASKPANEL_TIMER_ANIMATION);
    for (int i = 0; i < 11; i++)
        panel.OnAnimationTimer();
    EXPECT_TRUE(frame.m_edit.IsWindowVisible());
    EXPECT_EQ(nullptr, pHosted->m_bmpCached.GetSafeHandle());
    CRect rcAfter;
    frame.m_edit.GetWindowRect(&rcAfter);
    panel.ScreenToClient(&rcAfter);
    EXPECT_EQ(rcEdit, rcAfter);
}

namespace {

// A window that paints a known colour when printed.
class CPrintedWnd : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PRINT && (lParam & PRF_CLIENT))
        {
            CRect rc;
            GetClientRect(&rc);
            ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(200, 30, 40));
            ::ExtTextOutW(reinterpret_cast<HDC>(wParam), 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(TaskPanelWindow, SnapshotOfAHostedWindowIsItsPrintedFace)
{
    CTaskPanelFrame frame;
    CPrintedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 30, 20),
                             &frame.m_panel, 300));
    CBitmap bmp;
    frame.Item(0, 0)->CaptureControlImage(&wnd, &bmp);
    ASSERT_NE(nullptr, bmp.GetSafeHandle());
    BITMAP bm = {};
    bmp.GetBitmap(&bm);
    EXPECT_EQ(30, bm.bmWidth);
    EXPECT_EQ(20, bm.bmHeight);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* pOld = dc.SelectObject(&bmp);
    EXPECT_EQ(RGB(200, 30, 40), dc.GetPixel(15, 10));
    dc.SelectObject(pOld);
    wnd.DestroyWindow();
}

TEST(TaskPanelWindow, KeyboardOrder)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    CVZPTaskPanelItem* g0 = frame.Group(0);
    CVZPTaskPanelItem* g1 = frame.Group(1);
    CVZPTaskPanelItem* g2 = frame.Group(2);
    CVZPTaskPanelItem* open = frame.Item(0, 0);
    CVZPTaskPanelItem* save = frame.Item(0, 1);
    CVZPTaskPanelItem* home = frame.Item(1, 0);
    CVZPTaskPanelItem* two = frame.Item(2, 1);
    struct Case
    {
        CVZPTaskPanelItem* pFrom;
        int nDirection;
        BOOL bTab;
        CVZPTaskPanelItem* pExpected;
    } cases[] = {
        { NULL, 1, TRUE, g0 },      { NULL, -1, TRUE, two },   { g0, 1, FALSE, open },  { open, 1, FALSE, save },
        { save, 1, FALSE, g1 },     // the text item and the hosted window are skipped
        { open, 1, TRUE, g1 },      { save, -1, TRUE, g0 },    { save, -1, FALSE, open }, { g1, -1, FALSE, save },
        { home, 1, FALSE, g2 },     { two, 1, FALSE, NULL },   { g2, 1, FALSE, frame.Item(2, 0) },   { g0, -1, FALSE, NULL },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++)
    {
        const Case& c = cases[i];
        EXPECT_EQ(c.pExpected, panel.NextKeyboardItem(c.pFrom, c.nDirection, c.bTab, FALSE)) << "case " << i;
    }

    // Items of a collapsed group are passed over.
    panel.SetAnimationMode(vzpTaskPanelAnimationOff);
    frame.Group(1)->SetExpanded(FALSE);
    EXPECT_EQ(g2, panel.NextKeyboardItem(g1, 1, FALSE, FALSE));

    // The keys, as messages to the focused panel.
    panel.SetFocus();
    panel.ChangeFocusedItem(g0, TRUE);
    panel.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(open, panel.GetFocusedItem());
    panel.SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(open, panel.GetFocusedItem());   // the last item, a text, takes no focus
    panel.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(save, panel.GetFocusedItem());
    panel.SendMessage(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(open, panel.GetFocusedItem());
    panel.SendMessage(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(g1, panel.GetFocusedItem());
    EXPECT_TRUE(panel.HasFocusCue());
    EXPECT_EQ(UINT(0x83), UINT(panel.SendMessage(WM_GETDLGCODE)));

    // Mode 1: Ctrl+Down opens the next group.
    frame.m_owner.m_calls.clear();
    panel.SetMode(vzpTaskPanelModeSingleGroupList);
    panel.SetGroupExpanded(frame.Group(0), TRUE);
    EXPECT_EQ(frame.Group(0), panel.GetActiveGroup());
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    panel.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_EQ(frame.Group(1), panel.GetActiveGroup());
    EXPECT_EQ(g1, panel.GetFocusedItem());
    EXPECT_TRUE(panel.IsGroupExpanded(frame.Group(1)));
    EXPECT_FALSE(panel.IsGroupExpanded(frame.Group(0)));
}

TEST(TaskPanelWindow, ClicksAndDoubleClicksWithRealInput)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    ASSERT_TRUE(Activate(frame.m_owner));
    CVZPTaskPanelItem* pOpen = frame.Item(0, 0);
    ASSERT_TRUE(MoveCursorTo(panel, frame.Middle(pOpen)));
    ASSERT_TRUE(PumpUntil([&] { return panel.GetHotItem() == pOpen; }));

    // A click, then a double click: 1, then 1, 8, 1.
    SendMouse({MOUSEEVENTF_LEFTDOWN});
    SendMouse({MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] { return frame.m_owner.Count(vzpTaskPanelClick) == 1; }));
    frame.m_owner.m_calls.clear();
    const auto twoClicks = {DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP), DWORD(MOUSEEVENTF_LEFTDOWN),
                            DWORD(MOUSEEVENTF_LEFTUP)};
    // Past the double-click time the next pair starts afresh: down, up,
    // then a double click and up.
    DWORD dwStart = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - dwStart > ::GetDoubleClickTime() + 50; }, 3000);
    SendMouse(twoClicks);
    ASSERT_TRUE(PumpUntil([&] { return frame.m_owner.Count(vzpTaskPanelClick) == 2; }));
    EXPECT_EQ((std::vector<int>{ vzpTaskPanelClick, vzpTaskPanelDblClick, vzpTaskPanelClick }),
              frame.m_owner.Codes());
    EXPECT_EQ(LPARAM(pOpen), frame.m_owner.m_calls.back().lParam);

    // A double click on a caption toggles the group twice, with no code 8.
    panel.SetAnimationMode(vzpTaskPanelAnimationOff);
    CVZPTaskPanelGroup* pGroup = frame.Group(2);
    ASSERT_TRUE(MoveCursorTo(panel, frame.Middle(pGroup)));
    ASSERT_TRUE(PumpUntil([&] { return panel.GetHotItem() == pGroup; }));
    frame.m_owner.m_calls.clear();
    dwStart = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - dwStart > ::GetDoubleClickTime() + 50; }, 3000);
    SendMouse(twoClicks);
    ASSERT_TRUE(PumpUntil([&] { return frame.m_owner.Count(vzpTaskPanelGroupExpanding) == 2; }));
    EXPECT_EQ(0, frame.m_owner.Count(vzpTaskPanelDblClick));
    EXPECT_TRUE(panel.IsGroupExpanded(pGroup));

    // Pressed on an item and released elsewhere: nothing.
    ASSERT_TRUE(MoveCursorTo(panel, frame.Middle(pOpen)));
    ASSERT_TRUE(PumpUntil([&] { return panel.GetHotItem() == pOpen; }));
    frame.m_owner.m_calls.clear();
    SendMouse({MOUSEEVENTF_LEFTDOWN});
    ASSERT_TRUE(PumpUntil([&] { return panel.GetPressedItem() == pOpen; }));
    ASSERT_TRUE(MoveCursorTo(panel, frame.Middle(frame.Item(2, 1))));
    SendMouse({MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] { return panel.GetPressedItem() == NULL; }));
    EXPECT_EQ(std::vector<int>(), frame.m_owner.Codes());
}

TEST(TaskPanelWindow, DragStartsBeyondFourPixels)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    CVZPTaskPanelGroupItem* pItem = frame.Item(0, 0);
    CPoint pt = frame.Middle(pItem);
    frame.m_owner.m_answers[vzpTaskPanelStartDrag] = -1;   // no real drag loop

    // With the default flags nothing is dragged.
    panel.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt));
    panel.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(pt + CSize(10, 0)));
    EXPECT_EQ(0, frame.m_owner.Count(vzpTaskPanelStartDrag));
    panel.SendMessage(WM_LBUTTONUP, 0, PointParam(pt));

    pItem->m_nAllowDrag = 0x40;
    struct Case
    {
        CSize move;
        int nStarts;
    } cases[] = { { CSize(4, 0), 0 }, { CSize(2, -2), 0 }, { CSize(5, 0), 1 }, { CSize(-3, 2), 1 } };
    for (const Case& c : cases)
    {
        frame.m_owner.m_calls.clear();
        panel.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt));
        ASSERT_EQ(pItem, panel.GetPressedItem());
        panel.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(pt + c.move));
        EXPECT_EQ(c.nStarts, frame.m_owner.Count(vzpTaskPanelStartDrag)) << c.move.cx << "," << c.move.cy;
        panel.SendMessage(WM_LBUTTONUP, 0, PointParam(pt + c.move));
    }
}

TEST(TaskPanelWindow, ReleasingAnItemClearsEveryReferenceToIt)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    panel.SetDragDropOptions(0x40, TRUE);   // a dangling pressed item would be dragged
    frame.m_owner.m_answers[vzpTaskPanelStartDrag] = -1;
    CVZPTaskPanelGroupItem* pItem = frame.Item(0, 0);
    CPoint pt = frame.Middle(pItem);
    // The item goes while it is pressed, dragged and the drop target.
    panel.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt));
    ASSERT_EQ(pItem, panel.GetPressedItem());
    panel.m_pDraggedItem = pItem;
    panel.m_pDropTargetItem = pItem;
    pItem->Remove();
    EXPECT_EQ(nullptr, panel.GetPressedItem());
    EXPECT_EQ(nullptr, panel.GetDraggedItem());
    EXPECT_EQ(nullptr, panel.GetDropTargetItem());
    EXPECT_EQ(nullptr, panel.GetFocusedItem());
    panel.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(pt + CSize(20, 0)));
    panel.SendMessage(WM_LBUTTONUP, 0, PointParam(pt));
    EXPECT_EQ(0, frame.m_owner.Count(vzpTaskPanelStartDrag));
}

namespace {

// Reads the panel's scroll-button period when dispatched inside the loop.
class CDelayProbe : public CWnd
{
public:
    CVZPTaskPanel* m_pPanel = NULL;
    std::vector<UINT> m_delays;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP)
        {
            m_delays.push_back(m_pPanel->m_nScrollButtonDelay);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(TaskPanelWindow, ScrollButtonRepeatsAfterHalfASecondThenEveryFiftyMilliseconds)
{
    CTaskPanelFrame frame(CSize(260, 300));
    CVZPTaskPanel& panel = frame.m_panel;
    CVZPTaskPanelGroup* pGroup = frame.Group(2);
    for (int i = 0; i < 30; i++)
        AddItem(pGroup, vzpTaskItemLink, L"more");
    panel.SetMode(vzpTaskPanelModeSingleGroupList);
    panel.SetItemLayout(2);
    panel.SetGroupExpanded(pGroup, TRUE);
    frame.Settle();
    CVZPTaskPanelScrollButton* pDown = panel.GetScrollButton(0);
    ASSERT_EQ(pGroup, pDown->m_pGroup);
    ASSERT_TRUE(pDown->m_bEnabled);
    ASSERT_EQ(0, pGroup->GetFirstVisibleIndex());

    CDelayProbe probe;
    probe.m_pPanel = &panel;
    probe.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0);
    panel.SetCapture();
    HWND hPanel = panel.GetSafeHwnd();
    probe.PostMessage(WM_APP);
    ::PostMessageW(hPanel, WM_TIMER, VZP_TASKPANEL_TIMER_SCROLLBUTTON, 0);
    probe.PostMessage(WM_APP);
    ::PostMessageW(hPanel, WM_TIMER, VZP_TASKPANEL_TIMER_SCROLLBUTTON, 0);
    probe.PostMessage(WM_APP);
    ::PostMessageW(hPanel, WM_KEYDOWN, VK_ESCAPE, 0);
    panel.TrackScrollButton(pDown);
    EXPECT_EQ((std::vector<UINT>{ 500, 50, 50 }), probe.m_delays);
    EXPECT_EQ(3, pGroup->GetFirstVisibleIndex());
    EXPECT_FALSE(pDown->m_bPressed);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(::KillTimer(hPanel, VZP_TASKPANEL_TIMER_SCROLLBUTTON));

    // WM_QUIT ends the loop and is posted again.
    panel.SetCapture();
    ::PostQuitMessage(7);
    panel.TrackScrollButton(pDown);
    EXPECT_EQ(4, pGroup->GetFirstVisibleIndex());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_FALSE(::KillTimer(hPanel, VZP_TASKPANEL_TIMER_SCROLLBUTTON));
    probe.DestroyWindow();

    // Up scrolls back; the wheel moves three rows at most.
    panel.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(1, pGroup->GetFirstVisibleIndex());
}

TEST(TaskPanelWindow, DragOverAndDropWithDirectCalls)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    CVZPTaskPanelGroupItem* pSource = frame.Item(0, 0);
    pSource->m_strDragText = L"dragged";
    UINT nFormat = VZPGetTaskPanelClipboardFormat();

    COleDataSource* pData = new COleDataSource;
    ASSERT_TRUE(pSource->PutOnDataSource(pData, FALSE));
    COleDataObject data;
    data.Attach(static_cast<LPDATAOBJECT>(pData->GetInterface(&IID_IDataObject)), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(CLIPFORMAT(nFormat)));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));

    CPoint ptOther = frame.Middle(frame.Item(2, 0));
    CPoint ptOwn = frame.Middle(frame.Item(0, 1));
    // From outside without CF_TEXT: no target.
    EXPECT_EQ(DROPEFFECT_NONE, panel.DragOverPanel(&data, 0, ptOther));
    EXPECT_EQ(nullptr, panel.GetDropTargetItem());

    // Started here, by the flags.
    panel.m_pDraggedItem = pSource;
    struct Case
    {
        int nFlags;
        CPoint pt;
        DWORD dwKeys;
        DROPEFFECT expected;
    } cases[] = {
        { 0x20 | 0x40, ptOther, 0, DROPEFFECT_NONE }, { 0x40, ptOther, 0, DROPEFFECT_MOVE },
        { 0x20 | 0x40, ptOwn, 0, DROPEFFECT_MOVE },   { 0x44, ptOther, MK_CONTROL, DROPEFFECT_COPY },
        { 0x02 | 0x04, ptOther, 0, DROPEFFECT_NONE }, { 0x04, ptOther, 0, DROPEFFECT_COPY },
    };
    for (const Case& c : cases)
    {
        pSource->m_nAllowDrag = c.nFlags;
        EXPECT_EQ(c.expected, panel.DragOverPanel(&data, c.dwKeys, c.pt)) << std::hex << c.nFlags;
    }
    pSource->m_nAllowDrag = 0x40;

    // A line marks drops: the lower half of an item targets the next one,
    // and of the last item the last item itself.
    ASSERT_FALSE(panel.GetPaintManager()->m_bInvertDropMarks);
    CRect rcOne = frame.Item(2, 0)->GetRectOnPanel(), rcTwo = frame.Item(2, 1)->GetRectOnPanel();
    panel.DragOverPanel(&data, 0, CPoint(rcOne.CenterPoint().x, rcOne.top + 1));
    EXPECT_EQ(frame.Item(2, 0), panel.GetDropTargetItem());
    panel.DragOverPanel(&data, 0, CPoint(rcOne.CenterPoint().x, rcOne.bottom - 1));
    EXPECT_EQ(frame.Item(2, 1), panel.GetDropTargetItem());
    panel.DragOverPanel(&data, 0, CPoint(rcTwo.CenterPoint().x, rcTwo.bottom - 1));
    EXPECT_EQ(frame.Item(2, 1), panel.GetDropTargetItem());

    // The drop inserts before the target and reports the new item.
    EXPECT_TRUE(panel.DropOnPanel(&data, DROPEFFECT_MOVE, ptOther));
    ASSERT_EQ(3, frame.Group(2)->GetItemCount());
    CVZPTaskPanelGroupItem* pNew = frame.Item(2, 1);
    EXPECT_EQ(CString(L"Open"), pNew->m_strCaption);
    EXPECT_EQ(&panel, pNew->m_pPanel);
    EXPECT_EQ(frame.Group(2), pNew->GetGroup());
    EXPECT_EQ(pNew, panel.GetFocusedItem());
    EXPECT_EQ(LPARAM(pNew), frame.m_owner.m_calls.back().lParam);
    EXPECT_EQ(vzpTaskPanelDropped, int(frame.m_owner.m_calls.back().nCode));
    EXPECT_EQ(nullptr, panel.GetDropTargetItem());

    // With inverted marks the drop goes after the target.
    panel.ChoosePaintTheme(7);
    frame.Settle();
    ASSERT_TRUE(panel.GetPaintManager()->m_bInvertDropMarks);
    rcOne = frame.Item(2, 0)->GetRectOnPanel();
    panel.DragOverPanel(&data, 0, CPoint(rcOne.CenterPoint().x, rcOne.bottom - 1));
    ASSERT_EQ(frame.Item(2, 0), panel.GetDropTargetItem());
    EXPECT_TRUE(panel.DropOnPanel(&data, DROPEFFECT_COPY, ptOther));
    ASSERT_EQ(4, frame.Group(2)->GetItemCount());
    EXPECT_EQ(CString(L"Open"), frame.Item(2, 1)->m_strCaption);
    EXPECT_EQ(CString(L"One"), frame.Item(2, 0)->m_strCaption);

    // Over a collapsed group the hover timer opens it.
    panel.SetAnimationMode(vzpTaskPanelAnimationOff);
    frame.Group(1)->SetExpanded(FALSE);
    panel.DragOverPanel(&data, 0, frame.Middle(frame.Group(1)));
    EXPECT_EQ(frame.Group(1), panel.GetDropTargetItem());
    EXPECT_TRUE(panel.m_bHoverTimer);
    panel.OnHoverTimer();
    EXPECT_TRUE(panel.IsGroupExpanded(frame.Group(1)));
    EXPECT_FALSE(panel.m_bHoverTimer);
    panel.DragOverPanel(NULL, 0, CPoint(-1, -1));
    EXPECT_EQ(nullptr, panel.GetDropTargetItem());
    panel.m_pDraggedItem = NULL;
    data.Release();
    pData->InternalRelease();
}

TEST(TaskPanelWindow, AccessibleTreeOfGroupsAndItems)
{
    CTaskPanelFrame frame;
    HRESULT hrCom = ::CoInitialize(NULL);
    IAccessible* pAcc = NULL;
    ASSERT_EQ(S_OK, CVZPAccessibleBase::CallAccessibleObjectFromWindow(frame.m_panel.GetSafeHwnd(), DWORD(OBJID_CLIENT),
                                                                       IID_IAccessible, reinterpret_cast<void**>(&pAcc)));
    ASSERT_NE(nullptr, pAcc);
    VARIANT varSelf = {};
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    VARIANT varRole = {};
    EXPECT_EQ(S_OK, pAcc->get_accRole(varSelf, &varRole));
    EXPECT_EQ(VT_I4, varRole.vt);
    EXPECT_EQ(ROLE_SYSTEM_OUTLINE, varRole.lVal);
    long nChildren = 0;
    EXPECT_EQ(S_OK, pAcc->get_accChildCount(&nChildren));
    EXPECT_EQ(3 + 3 + 2 + 2, nChildren);

    // Child 3 is the first group's second item.
    VARIANT varChild = {};
    varChild.vt = VT_I4;
    varChild.lVal = 3;
    IDispatch* pDisp = NULL;
    ASSERT_EQ(S_OK, pAcc->get_accChild(varChild, &pDisp));
    ASSERT_NE(nullptr, pDisp);
    IAccessible* pItemAcc = NULL;
    ASSERT_EQ(S_OK, pDisp->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pItemAcc)));
    VARIANT varItemRole = {};
    EXPECT_EQ(S_OK, pItemAcc->get_accRole(varSelf, &varItemRole));
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, varItemRole.lVal);
    BSTR bstrName = NULL;
    EXPECT_EQ(S_OK, pItemAcc->get_accName(varSelf, &bstrName));
    EXPECT_STREQ(L"Save", bstrName);
    ::SysFreeString(bstrName);
    VARIANT varState = {};
    EXPECT_EQ(S_OK, pItemAcc->get_accState(varSelf, &varState));
    EXPECT_TRUE(varState.lVal & STATE_SYSTEM_SELECTABLE);
    EXPECT_FALSE(varState.lVal & STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(E_INVALIDARG, pItemAcc->get_accName(varChild, &bstrName));
    pItemAcc->Release();
    pDisp->Release();
    varChild.lVal = 0;
    pDisp = NULL;
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accChild(varChild, &pDisp));
    varChild.lVal = 11;
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accChild(varChild, &pDisp));
    pAcc->Release();
    EXPECT_EQ(3, frame.m_panel.GetAccessibleChildId(frame.Item(0, 1)));
    EXPECT_EQ(5, frame.m_panel.GetAccessibleChildId(frame.Group(1)));
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
}

TEST(TaskPanelWindow, RenameCommitsOnEnterAndCancelsOnEscape)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    tesmir::test::PaintNow(&panel);   // records where the texts are
    CVZPTaskPanelGroupItem* pItem = frame.Item(0, 0);
    ASSERT_FALSE(pItem->m_rcText.IsRectEmpty());

    CVZPTaskPanelEditItem* pEdit = panel.RenameItem(pItem);
    ASSERT_NE(nullptr, pEdit);
    HWND hEdit = pEdit->GetSafeHwnd();
    EXPECT_EQ(UINT(DLGC_WANTALLKEYS), UINT(::SendMessageW(hEdit, WM_GETDLGCODE, 0, 0)));
    ::SetWindowTextW(hEdit, L"Opened");
    ::SendMessageW(hEdit, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(CString(L"Opened"), pItem->m_strCaption);
    EXPECT_EQ((std::vector<int>{ vzpTaskPanelEndLabelEdit }), frame.m_owner.Codes());
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hEdit); }));
    EXPECT_EQ(1, frame.m_owner.Count(vzpTaskPanelEndLabelEdit));

    // A nonzero answer keeps the caption; Esc sends nothing.
    frame.m_owner.m_answers[vzpTaskPanelEndLabelEdit] = 1;
    pEdit = panel.RenameItem(pItem);
    ASSERT_NE(nullptr, pEdit);
    hEdit = pEdit->GetSafeHwnd();
    ::SetWindowTextW(hEdit, L"Refused");
    ::SendMessageW(hEdit, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(CString(L"Opened"), pItem->m_strCaption);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hEdit); }));
    frame.m_owner.m_calls.clear();
    pEdit = panel.RenameItem(pItem);
    ASSERT_NE(nullptr, pEdit);
    hEdit = pEdit->GetSafeHwnd();
    ::SetWindowTextW(hEdit, L"Dropped");
    ::SendMessageW(hEdit, WM_CHAR, VK_ESCAPE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hEdit); }));
    EXPECT_EQ(std::vector<int>(), frame.m_owner.Codes());
    EXPECT_EQ(CString(L"Opened"), pItem->m_strCaption);
}

TEST(TaskPanelWindow, PrintDrawsThePanelAndItsChildren)
{
    CTaskPanelFrame frame;
    CVZPTaskPanel& panel = frame.m_panel;
    CRect rcClient;
    panel.GetClientRect(&rcClient);
    CDibCanvas canvas(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
    EXPECT_EQ(1, panel.SendMessage(WM_PRINT, WPARAM(canvas.Dc()), PRF_CLIENT | PRF_CHILDREN));
    EXPECT_EQ(panel.GetPaintManager()->m_grcPanelBackground.GetStartColor(), canvas.Pixel(1, 0));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, rcClient.Width(), rcClient.Height()), RGB(1, 2, 3)));
    EXPECT_EQ(1, panel.SendMessage(WM_PRINT, 0, PRF_CLIENT));
}
