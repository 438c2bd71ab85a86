// Dragging, floating, docking and sizing toolbars with real input: the
// application-like frame's menu bar moves between rows of the top dock bar
// and its toolbar stays put; a test toolbar that may dock anywhere and float
// leaves the dock bars, comes back, toggles on double-click and is sized by
// its edges within the work area; the loop's end conditions.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPCommandBarTracker.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPMonitorApi.h"
#include "CVZPToolBar.h"

#include <TestSupport.h>

#include <functional>
#include <memory>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::PumpUntil;

namespace {

// Input sent from a thread timer while a modal loop runs: one step per tick
// (30 ms), so the loop sees every move on its own instead of one merged
// move. A step answers false to be tried again at the next tick. Past its
// deadline the script releases the button, which ends any drag.
class CTimedInput
{
public:
    using Step = std::function<bool()>;

    explicit CTimedInput(std::vector<Step> steps) : m_steps(std::move(steps)), m_dwStart(::GetTickCount())
    {
        s_pActive = this;
        m_nTimer = ::SetTimer(NULL, 0, 30, &TimerProc);
    }
    ~CTimedInput()
    {
        Stop();
        s_pActive = NULL;
    }
    CTimedInput(const CTimedInput&) = delete;
    CTimedInput& operator=(const CTimedInput&) = delete;

    bool Finished() const { return m_nNext >= m_steps.size(); }
    size_t Reached() const { return m_nNext; }

    // One absolute pointer event at the screen point with the button flags.
    static Step Mouse(CPoint pt, DWORD dwFlags = 0)
    {
        return [pt, dwFlags] {
            Send(pt, dwFlags);
            return true;
        };
    }
    static Step Key(WORD wKey)
    {
        return [wKey] {
            tesmir::test::PressKeys({wKey});
            return true;
        };
    }
    // Waits until the condition holds.
    static Step Until(std::function<bool()> pred) { return pred; }
    // Moves to the point until the condition holds. Wine may queue a move
    // at an earlier pointer place after a window changed under the pointer,
    // and merges it with the queued real move, which is then lost: every
    // tick without the condition moves again, by turns one pixel lower.
    static Step MoveUntil(CPoint pt, std::function<bool()> pred)
    {
        auto nTries = std::make_shared<int>(0);
        return [pt, pred, nTries] {
            if (*nTries > 0 && pred())
                return true;
            Send(pt + CPoint(0, (*nTries)++ % 2), 0);
            return false;
        };
    }
    static void Send(CPoint pt, DWORD dwFlags)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
        ::SendInput(1, &input, sizeof(INPUT));
    }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CTimedInput* pInput = s_pActive;
        if (pInput == NULL || pInput->m_bBusy)
            return;
        pInput->m_bBusy = true;
        if (::GetTickCount() - pInput->m_dwStart > 10000)
        {
            pInput->Stop();
            CPoint pt;
            ::GetCursorPos(&pt);
            Send(pt, MOUSEEVENTF_LEFTUP);
        }
        else if (!pInput->Finished() && pInput->m_steps[pInput->m_nNext]())
        {
            pInput->m_nNext++;
            if (pInput->Finished())
                pInput->Stop();
        }
        pInput->m_bBusy = false;
    }
    void Stop()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        m_nTimer = 0;
    }

    static CTimedInput* s_pActive;
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    DWORD m_dwStart;
    UINT_PTR m_nTimer = 0;
    bool m_bBusy = false;
};

CTimedInput* CTimedInput::s_pActive = NULL;

// Runs the script from a first press at the point: pumps until the script
// is done and the button is up again.
bool RunDrag(CPoint ptPress, std::vector<CTimedInput::Step> steps)
{
    // The pointer comes from elsewhere, so the press finds it moved.
    tesmir::test::PlaceCursorByInput(ptPress.x + 30, ptPress.y + 30);
    tesmir::test::PlaceCursorByInput(ptPress.x, ptPress.y);
    steps.insert(steps.begin(), CTimedInput::Mouse(ptPress, MOUSEEVENTF_LEFTDOWN));
    CTimedInput input(std::move(steps));
    const bool bDone = PumpUntil([&] { return input.Finished(); }, 12000);
    PumpUntil([] { return ::GetCapture() == NULL; }, 2000);
    PumpUntil([] { return false; }, 60);
    return bDone;
}

std::vector<UINT> DockOrder(CVZPDockBar* pDock)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pDock->GetEntryCount(); i++)
        if (pDock->GetEntry(i) != NULL)
            ids.push_back(pDock->GetEntry(i)->GetBarID());
    return ids;
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// A screen point of the bar's client area that no control covers, right of
// its controls.
CPoint EmptyPoint(CVZPToolBar* pBar)
{
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    // The middle row first, then the others from the top (a floating bar
    // whose buttons fill their row has its caption free).
    std::vector<int> rows = {rcClient.CenterPoint().y};
    for (int y = rcClient.top + 1; y < rcClient.bottom; y++)
        rows.push_back(y);
    for (int y : rows)
        for (int x = rcClient.right - 3; x > rcClient.left; x--)
        {
            const CPoint pt(x, y);
            CPoint ptScreen = pt;
            pBar->ClientToScreen(&ptScreen);
            // Not on a control, nor on a floating bar's sizing edge.
            if (pBar->GetControls()->HitTest(pt) == NULL &&
                pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)) == HTCLIENT)
                return ptScreen;
        }
    return CPoint(-1, -1);
}

class AppLikeTrackerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(0);
        m_pFrame = new CAppLikeFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pFrame->RecalcLayout();
        m_pCommandBars = m_pFrame->GetCommandBars();
        ASSERT_TRUE(BringToFront(m_pFrame));
        m_pDock = m_pCommandBars->GetDockBar(vzpBarTop);
        m_nToolBarId = m_pFrame->m_pStandardBar->GetBarID();
        ASSERT_EQ((std::vector<UINT>{1, m_nToolBarId}), DockOrder(m_pDock));
    }
    void TearDown() override { DestroyFrame(m_pFrame); }

    CAppLikeFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPDockBar* m_pDock = NULL;
    UINT m_nToolBarId = 0;
};

// The menu bar dragged by its empty area below the toolbar takes the row
// under it; Esc ends a drag where the bar is; the toolbar never moves.
TEST_F(AppLikeTrackerTest, TheMenuBarSwapsRowsAndTheToolbarStays)
{
    CVZPToolBar* pMenuBar = (CVZPToolBar*)m_pFrame->m_pMenuBar;
    CVZPToolBar* pToolBar = m_pFrame->m_pStandardBar;
    const CPoint ptPress = EmptyPoint(pMenuBar);
    ASSERT_NE(CPoint(-1, -1), ptPress);
    const CRect rcToolBar = WindowRect(pToolBar);
    const CPoint ptBelow(ptPress.x, rcToolBar.bottom + 4);
    m_pCommandBars->GetCommandBarsOptions()->bDirtyState = FALSE;
    EXPECT_TRUE(RunDrag(ptPress, {CTimedInput::Mouse(ptPress + CPoint(0, 4)), CTimedInput::MoveUntil(ptBelow, [&] { return DockOrder(m_pDock).front() == m_nToolBarId; }),
                                  CTimedInput::Mouse(ptBelow, MOUSEEVENTF_LEFTUP)}));
    EXPECT_EQ((std::vector<UINT>{m_nToolBarId, 1}), DockOrder(m_pDock));
    EXPECT_GT(WindowRect(pMenuBar).top, WindowRect(pToolBar).top);
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->bDirtyState);
    EXPECT_EQ(m_pDock, pMenuBar->GetDockBar());

    // Back up with Esc pressed on the way: the drag ends where the bar is
    // and the release afterwards moves nothing.
    const CPoint ptMenu = EmptyPoint(pMenuBar);
    const CPoint ptTop(ptMenu.x, WindowRect(pToolBar).top - 6);
    EXPECT_TRUE(RunDrag(ptMenu, {CTimedInput::Mouse(ptMenu + CPoint(0, -4)), CTimedInput::MoveUntil(ptTop, [&] { return DockOrder(m_pDock).front() == 1; }),
                                 CTimedInput::Key(VK_ESCAPE),
                                 CTimedInput::Until([] { return ::GetCapture() == NULL; }),
                                 CTimedInput::Mouse(ptTop + CPoint(0, 60)),
                                 CTimedInput::Mouse(ptTop + CPoint(0, 60), MOUSEEVENTF_LEFTUP)}));
    EXPECT_EQ((std::vector<UINT>{1, m_nToolBarId}), DockOrder(m_pDock));

    // The toolbar keeps none of the moving bits.
    const CRect rcBefore = WindowRect(pToolBar);
    const CPoint ptTool = EmptyPoint(pToolBar);
    ASSERT_NE(CPoint(-1, -1), ptTool);
    EXPECT_TRUE(RunDrag(ptTool, {CTimedInput::Mouse(ptTool + CPoint(0, 40)),
                                 CTimedInput::Mouse(ptTool + CPoint(0, 40), MOUSEEVENTF_LEFTUP)}));
    EXPECT_EQ(rcBefore, WindowRect(pToolBar));
    EXPECT_EQ((std::vector<UINT>{1, m_nToolBarId}), DockOrder(m_pDock));
}

// A move started while another window holds the capture does nothing; a
// quit request arriving during a drag ends it and stays queued.
TEST_F(AppLikeTrackerTest, CaptureElsewhereAndQuitRequests)
{
    CVZPToolBar* pMenuBar = (CVZPToolBar*)m_pFrame->m_pMenuBar;
    ASSERT_NE(nullptr, pMenuBar->m_pTracker);
    const CRect rcBefore = WindowRect(pMenuBar);
    m_pFrame->SetCapture();
    pMenuBar->m_pTracker->StartMove(rcBefore.right - 2, rcBefore.top + 2);
    EXPECT_EQ(m_pFrame->GetSafeHwnd(), ::GetCapture());
    EXPECT_EQ(rcBefore, WindowRect(pMenuBar));
    ::ReleaseCapture();

    const CPoint ptPress = EmptyPoint(pMenuBar);
    bool bCaptured = false;
    {
        tesmir::test::PlaceCursorByInput(ptPress.x, ptPress.y);
        CTimedInput input({CTimedInput::Mouse(ptPress, MOUSEEVENTF_LEFTDOWN),
                           CTimedInput::Until([&] { return (bCaptured = ::GetCapture() == pMenuBar->m_hWnd); }),
                           [] {
                               ::PostQuitMessage(7);
                               return true;
                           }});
        // The quit request must reach the outer loop: pump by hand.
        MSG msg;
        bool bQuit = false;
        const DWORD dwStart = ::GetTickCount();
        while (!bQuit && ::GetTickCount() - dwStart < 8000)
        {
            while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            {
                if (msg.message == WM_QUIT)
                {
                    bQuit = true;
                    EXPECT_EQ(7u, msg.wParam);
                    break;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (!bQuit)
                ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
        EXPECT_TRUE(bQuit);
    }
    EXPECT_TRUE(bCaptured);
    EXPECT_EQ(nullptr, ::GetCapture());
    CTimedInput::Send(ptPress, MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return false; }, 60);
}

// A toolbar that may dock on every side and float.
class FloatingTrackerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(0);
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pBar = m_pCommandBars->AddToolBar(L"Test", vzpBarTop);
        ASSERT_NE(nullptr, m_pBar);
        m_pBar->SetBarID(500);
        for (int i = 0; i < 6; i++)
            m_pBar->GetControls()->AddControl(new CSizedControl, 5000 + i);
        m_pBar->SetFlags(0x3F);
        ASSERT_NE(nullptr, m_pBar->m_pTracker);
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(BringToFront(m_pFrame));
    }
    void TearDown() override
    {
        CVZPMonitorApi::SetWorkAreaForTest(NULL);
        DestroyFrame(m_pFrame);
    }

    // Floats the bar with its top-left at the point.
    void Float(CPoint pt)
    {
        ASSERT_TRUE(m_pCommandBars->FloatCommandBar(m_pBar));
        const CSize sz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_pBar->SetWindowPos(NULL, pt.x, pt.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pCommandBars->RecalcFrameLayout(FALSE);
    }

    CTestFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPToolBar* m_pBar = NULL;
};

// Dragged out of every dock bar's band the bar floats at its remembered
// width; dragged back over the top dock bar it docks before the release.
TEST_F(FloatingTrackerTest, DraggedOutItFloatsAndBackItDocks)
{
    CVZPDockBar* pTop = m_pCommandBars->GetDockBar(vzpBarTop);
    ASSERT_EQ(pTop, m_pBar->GetDockBar());
    m_pBar->SetMRUWidth(80);
    const CPoint ptPress = EmptyPoint(m_pBar);
    ASSERT_NE(CPoint(-1, -1), ptPress);
    const CRect rcFrame = WindowRect(m_pFrame);
    const CPoint ptOut(rcFrame.right + 150, rcFrame.bottom + 100);
    CRect rcFloating;
    CSize szMRU;
    bool bFloated = false;
    EXPECT_TRUE(RunDrag(ptPress, {CTimedInput::Mouse(ptPress + CPoint(0, 30)), CTimedInput::MoveUntil(ptOut, [&] {
                                      if (m_pBar->GetPosition() != vzpBarFloating)
                                          return false;
                                      bFloated = true;
                                      rcFloating = WindowRect(m_pBar);
                                      szMRU = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
                                      return true;
                                  }),
                                  CTimedInput::MoveUntil(ptPress + CPoint(0, 2),
                                                         [&] { return m_pBar->GetDockBar() == pTop; }),
                                  CTimedInput::Mouse(ptPress + CPoint(0, 2), MOUSEEVENTF_LEFTUP)}));
    ASSERT_TRUE(bFloated);
    EXPECT_TRUE(rcFloating.PtInRect(ptOut));
    EXPECT_EQ(szMRU, rcFloating.Size());
    EXPECT_LT(szMRU.cx, 6 * 30);   // the six buttons wrapped into rows
    EXPECT_EQ(pTop, m_pBar->GetDockBar());
    EXPECT_EQ(vzpBarTop, m_pBar->GetPosition());

    // Floated once more and left floating: its place is remembered.
    const CPoint ptAgain = EmptyPoint(m_pBar);
    EXPECT_TRUE(RunDrag(ptAgain, {CTimedInput::Mouse(ptAgain + CPoint(0, 30)), CTimedInput::MoveUntil(ptOut, [&] { return m_pBar->GetPosition() == vzpBarFloating; }),
                                  CTimedInput::Mouse(ptOut, MOUSEEVENTF_LEFTUP)}));
    ASSERT_EQ(vzpBarFloating, m_pBar->GetPosition());
    EXPECT_EQ(WindowRect(m_pBar).TopLeft(), m_pBar->m_pTracker->m_ptFloating);
    EXPECT_EQ(0, m_pBar->m_pTracker->m_nDockIndex);
}

// Double-clicking docks a floating bar where it last docked (one that never
// did goes to the top-left of the top dock bar) and floats a docked one only
// with "DblClickFloat" on.
TEST_F(FloatingTrackerTest, DoubleClickTogglesDockingAsTheOptionsAllow)
{
    CVZPCommandBarTracker* pTracker = m_pBar->m_pTracker;
    CVZPDockBar* pTop = m_pCommandBars->GetDockBar(vzpBarTop);
    pTracker->m_rcDocked.SetRectEmpty();
    pTracker->m_nDockIndex = 0;
    Float(CPoint(500, 400));
    ASSERT_EQ(vzpBarFloating, m_pBar->GetPosition());

    // A real double-click on the floating bar's empty area.
    const CPoint pt = EmptyPoint(m_pBar);
    ASSERT_NE(CPoint(-1, -1), pt);
    tesmir::test::PlaceCursorByInput(pt.x + 20, pt.y + 20);
    tesmir::test::PlaceCursorByInput(pt.x, pt.y);
    // The first click runs (and ends) a move loop; the second arrives as a
    // double click.
    tesmir::test::SendMouseButtons(pt, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    PumpUntil([] { return ::GetCapture() == NULL && ::GetAsyncKeyState(VK_LBUTTON) >= 0; }, 2000);
    tesmir::test::SendMouseButtons(pt, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    EXPECT_TRUE(PumpUntil([&] { return m_pBar->GetDockBar() == pTop; }));
    EXPECT_EQ(vzpBarTop, m_pBar->GetPosition());
    ASSERT_FALSE(DockOrder(pTop).empty());
    EXPECT_EQ(500u, DockOrder(pTop).front());
    CRect rcInDock = WindowRect(m_pBar);
    pTop->ScreenToClient(&rcInDock);
    EXPECT_EQ(CPoint(0, 0), rcInDock.TopLeft());

    // Docked: "DblClickFloat" is off by default.
    CVZPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    ASSERT_FALSE(pOptions->bDblClickFloat);
    EXPECT_FALSE(pTracker->ToggleDocking());
    EXPECT_EQ(vzpBarTop, m_pBar->GetPosition());
    pOptions->bDblClickFloat = TRUE;
    pTracker->m_ptFloating = CPoint(520, 410);
    pOptions->bDirtyState = FALSE;
    EXPECT_TRUE(pTracker->ToggleDocking());
    EXPECT_EQ(vzpBarFloating, m_pBar->GetPosition());
    EXPECT_EQ(CPoint(520, 410), WindowRect(m_pBar).TopLeft());
    EXPECT_TRUE(pOptions->bDirtyState);

    // Without any docking bit a floating bar stays floating.
    m_pBar->SetFlags(0x10);
    EXPECT_FALSE(pTracker->ToggleDocking());
    EXPECT_EQ(vzpBarFloating, m_pBar->GetPosition());
}

// Sizing a floating bar by its right edge rewraps its rows; a size that
// would take it out of the work area is refused.
TEST_F(FloatingTrackerTest, TheRightEdgeRewrapsRowsWithinTheWorkArea)
{
    Float(CPoint(500, 400));
    m_pBar->SetMRUWidth(400);
    m_pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pBar->OnRecalcLayout();
    PumpUntil([] { return false; }, 50);
    const CRect rcWide = WindowRect(m_pBar);
    ASSERT_GT(rcWide.Width(), rcWide.Height());
    const CPoint ptEdge(rcWide.right - 1, rcWide.CenterPoint().y);
    ASSERT_EQ(HTRIGHT, (int)m_pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptEdge.x, ptEdge.y)));
    const CPoint ptNarrow(rcWide.left + rcWide.Width() / 3, ptEdge.y);
    EXPECT_TRUE(RunDrag(ptEdge, {CTimedInput::Mouse(ptEdge + CPoint(-5, 0)), CTimedInput::MoveUntil(ptNarrow, [&] { return WindowRect(m_pBar).Width() < rcWide.Width(); }),
                                 CTimedInput::Mouse(ptNarrow, MOUSEEVENTF_LEFTUP)}));
    const CRect rcNarrow = WindowRect(m_pBar);
    EXPECT_LT(rcNarrow.Width(), rcWide.Width());
    EXPECT_GT(rcNarrow.Height(), rcWide.Height());
    EXPECT_EQ(rcWide.TopLeft(), rcNarrow.TopLeft());
    EXPECT_EQ(rcNarrow.Width(), m_pBar->GetMRUWidth());
    EXPECT_EQ(rcNarrow.TopLeft(), m_pBar->m_pTracker->m_ptFloating);

    // A work area that only the bar's right part reaches: growing back from
    // the right edge is allowed (the bar still meets it), narrowing it out of
    // the area is not.
    const CRect rcArea(rcNarrow.right - 8, 0, 1280, 1024);
    CVZPMonitorApi::SetWorkAreaForTest(&rcArea);
    const CPoint ptEdge2(rcNarrow.right - 1, rcNarrow.CenterPoint().y);
    const CPoint ptLeft(rcNarrow.left + 10, ptEdge2.y);
    EXPECT_TRUE(RunDrag(ptEdge2, {CTimedInput::Mouse(ptEdge2 + CPoint(-3, 0)), CTimedInput::Mouse(ptLeft),
                                  CTimedInput::Mouse(ptLeft, MOUSEEVENTF_LEFTUP)}));
    CRect rcMeet;
    EXPECT_TRUE(rcMeet.IntersectRect(WindowRect(m_pBar), rcArea));
    EXPECT_GT(WindowRect(m_pBar).right, rcArea.left);
}

}  // namespace
