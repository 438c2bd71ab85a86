// The MDI tab client on a real MDI frame with three children: one tab per
// child, the workspace commands and their enable table, moving tabs between
// groups, activation when a child closes, painting, and the splitter and tab
// presses driven by real input.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <afxpriv.h>

#include <functional>
#include <vector>

#include "CVZPCommandBars.h"
#include "CVZPControl.h"
#include "CVZPControls.h"
#include "CVZPGlobalUIData.h"
#include "CVZPPopupBar.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabClientWnd.h"
#include "CVZPTabColorSet.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"
#include "TabTestStrip.h"

namespace vzpanes_test {

namespace {

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

// An MDI frame that runs a test's action at its next layout: what happens
// in the middle of a splitter drag (a quit request, a lost capture) happens
// there, while the drag's own loop runs.
class CMdiTestFrame : public CMDIFrameWnd
{
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        m_nRecalcs++;
        if (m_onNextRecalc)
        {
            std::function<void()> action = m_onNextRecalc;
            m_onNextRecalc = nullptr;
            action();
        }
        CMDIFrameWnd::RecalcLayout(bNotify);
    }

    int m_nRecalcs = 0;
    std::function<void()> m_onNextRecalc;
};

// Ends a capture loop still running after some seconds: input that never
// reaches a loop fails the test instead of hanging it. (The loops dispatch
// timer messages, and each ends when its window loses the capture.)
class CLoopWatchdog
{
public:
    CLoopWatchdog()
    {
        s_bFired = false;
        m_nTimer = ::SetTimer(NULL, 0, 6000, &CLoopWatchdog::OnTimer);
    }
    ~CLoopWatchdog() { ::KillTimer(NULL, m_nTimer); }
    CLoopWatchdog(const CLoopWatchdog&) = delete;
    CLoopWatchdog& operator=(const CLoopWatchdog&) = delete;

    static bool s_bFired;

private:
    static void CALLBACK OnTimer(HWND /*hWnd*/, UINT /*nMsg*/, UINT_PTR /*nId*/, DWORD /*dwTime*/)
    {
        if (::GetCapture() == NULL)
            return;
        s_bFired = true;
        ::ReleaseCapture();
    }
    UINT_PTR m_nTimer;
};

bool CLoopWatchdog::s_bFired = false;

// Keeps a splitter drag going with real input from a timer (the drag's loop
// dispatches timer messages): while the window holds the capture and the
// drag has not reached its goal, the pointer moves to the end point again
// (by way of a point beside it across the drag, so that each time is a
// move: the display may merge or drop single moves); once it has, the
// button is released when bRelease is set.
class CDragDriver
{
public:
    CDragDriver(HWND hWnd, CPoint ptEnd, BOOL bAcrossIsY, std::function<bool()> reached, BOOL bRelease)
        : m_bReleased(FALSE), m_hWnd(hWnd), m_ptEnd(ptEnd), m_szBeside(bAcrossIsY ? CSize(0, 1) : CSize(1, 0)),
          m_reached(reached), m_bRelease(bRelease)
    {
        s_pDriver = this;
        m_nTimer = ::SetTimer(NULL, 0, 100, &CDragDriver::OnTimer);
    }
    ~CDragDriver()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pDriver = NULL;
    }
    CDragDriver(const CDragDriver&) = delete;
    CDragDriver& operator=(const CDragDriver&) = delete;

    BOOL m_bReleased;

private:
    static void CALLBACK OnTimer(HWND /*hWnd*/, UINT /*nMsg*/, UINT_PTR /*nId*/, DWORD /*dwTime*/)
    {
        CDragDriver* pThis = s_pDriver;
        if (pThis == NULL || ::GetCapture() != pThis->m_hWnd)
            return;
        if (!pThis->m_reached())
        {
            CPoint ptBeside = pThis->m_ptEnd + pThis->m_szBeside;
            tesmir::test::MoveCursorTo(ptBeside.x, ptBeside.y);
            tesmir::test::MoveCursorTo(pThis->m_ptEnd.x, pThis->m_ptEnd.y);
        }
        else if (pThis->m_bRelease)
        {
            tesmir::test::SendMouseButtons(pThis->m_ptEnd, { MOUSEEVENTF_LEFTUP });
            pThis->m_bReleased = TRUE;
        }
    }

    static CDragDriver* s_pDriver;
    HWND m_hWnd;
    CPoint m_ptEnd;
    CSize m_szBeside;
    std::function<bool()> m_reached;
    BOOL m_bRelease;
    UINT_PTR m_nTimer;
};

CDragDriver* CDragDriver::s_pDriver = NULL;

// Records the enable state a command update gives.
class CRecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_nEnabled = bOn ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
    int m_nEnabled = -1;
};

class TabClient : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMdiTestFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Tab client", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 40, 660, 440)));
        m_pClient = new CVZPTabClientWnd;
        m_pClient->m_bWorkspaceMode = WorkspaceMode();
        LOGFONT lf = CTestStrip::TestLogFont();
        m_pClient->GetPaintManager()->ApplyLogFont(&lf, FALSE);
        m_pClient->GetPaintManager()->RefreshMetrics();
        ASSERT_TRUE(m_pClient->SubclassMDIClient(m_pFrame));
        for (int i = 0; i < 3; i++)
        {
            CMDIChildWnd* pChild = new CMDIChildWnd;
            CString strTitle;
            strTitle.Format(L"Child %d", i + 1);
            ASSERT_TRUE(pChild->Create(NULL, strTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                       CFrameWnd::rectDefault, m_pFrame));
            // As a document template does when it shows a new frame.
            pChild->ActivateFrame();
            m_hChildren[i] = pChild->GetSafeHwnd();
        }
        tesmir::test::PaintNow(m_pFrame);
    }

    void TearDown() override
    {
        EXPECT_FALSE(CLoopWatchdog::s_bFired) << "a capture loop waited for input that never came";
        if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        delete m_pClient;
    }

    virtual BOOL WorkspaceMode() const { return TRUE; }

    // The state the update handler gives the command.
    int UpdateState(UINT nID)
    {
        CRecordingCmdUI cmdUI;
        cmdUI.m_nID = nID;
        cmdUI.DoUpdate(m_pClient, FALSE);
        return cmdUI.m_nEnabled;
    }

    void Command(UINT nID) { m_pClient->SendMessage(WM_COMMAND, nID, 0); }

    void Activate(int nChild) { m_pClient->SendMessage(WM_MDIACTIVATE, (WPARAM)m_hChildren[nChild], 0); }

    HWND Active() const { return m_pClient->GetActiveChild(); }

    int GroupOf(int nChild) const
    {
        CVZPTabManagerItem* pItem = m_pClient->FindItem(m_hChildren[nChild]);
        return pItem != NULL ? m_pClient->GetGroupIndex(pItem->GetTabManager()) : -1;
    }

    // Brings the frame to the foreground, so that real input reaches it.
    void MakeForeground()
    {
        m_pFrame->SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd(); }));
    }

    CPoint ClientToScreenPoint(CPoint pt) const
    {
        ::ClientToScreen(m_pClient->GetSafeHwnd(), &pt);
        return pt;
    }

    void SaveScreenshot(const wchar_t* pszName)
    {
        tesmir::test::PaintNow(m_pFrame);
        CRect rc;
        m_pFrame->GetWindowRect(&rc);
        CDibCanvas canvas(rc.Width(), rc.Height());
        tesmir::test::CaptureWindow(m_pFrame->GetSafeHwnd(), canvas, true);
        canvas.SaveBmp(ScreenshotPath(pszName));
    }

    CLoopWatchdog m_watchdog;
    CMdiTestFrame* m_pFrame = NULL;
    CVZPTabClientWnd* m_pClient = NULL;
    HWND m_hChildren[3] = {};
};

// The same frame with the client outside workspace mode.
class TabClientWindowed : public TabClient
{
protected:
    BOOL WorkspaceMode() const override { return FALSE; }
};

}  // namespace

TEST_F(TabClient, OneTabPerChildInOneGroupWithTheActiveChildSelected)
{
    ASSERT_EQ(1, m_pClient->GetGroupCount());
    CVZPTabClientGroup* pGroup = m_pClient->GetGroup(0);
    ASSERT_EQ(3, pGroup->GetItemCount());
    for (int i = 0; i < 3; i++)
    {
        CVZPTabManagerItem* pItem = pGroup->GetItem(i);
        EXPECT_EQ(m_hChildren[i], pItem->GetHandle());
        CString strTitle;
        strTitle.Format(L"Child %d", i + 1);
        EXPECT_EQ(strTitle, pItem->GetCaption());
        // Workspace children show no frame of their own.
        EXPECT_EQ(0, ::GetWindowLongW(m_hChildren[i], GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
        CRect rc;
        ::GetWindowRect(m_hChildren[i], &rc);
        m_pClient->ScreenToClient(&rc);
        EXPECT_EQ(pGroup->m_rcClient, rc) << "child " << i;
    }
    EXPECT_EQ(m_hChildren[2], Active());
    EXPECT_EQ(pGroup->GetItem(2), pGroup->GetSelectedItem());
    EXPECT_TRUE(pGroup->m_rcSplitter.IsRectEmpty());
    CRect rcClient;
    m_pClient->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient, pGroup->m_rcControl);
    EXPECT_GT(pGroup->m_rcClient.top, rcClient.top) << "the tabs take the top";

    // A new title and a new activation reach the tabs.
    ::SetWindowTextW(m_hChildren[0], L"Renamed");
    Activate(0);
    EXPECT_EQ(CString(L"Renamed"), pGroup->GetItem(0)->GetCaption());
    EXPECT_EQ(pGroup->GetItem(0), pGroup->GetSelectedItem());
    EXPECT_TRUE(pGroup->IsActive());
    SaveScreenshot(L"tabclient_one_group.bmp");
}

TEST_F(TabClient, WorkspaceCommandsEnableTable)
{
    // One group of three tabs: only the two new-group commands.
    struct Row
    {
        UINT nID;
        int nOneGroup;
        int nNewStackedGroup;    // the moved tab, alone in the second of two stacked groups
        int nFirstStackedGroup;  // a tab of the first stacked group (two tabs)
    };
    const Row rows[] = {
        { VZP_ID_WORKSPACE_MOVE_PREVIOUS, 0, 1, 0 },
        { VZP_ID_WORKSPACE_MOVE_NEXT, 0, 0, 1 },
        { VZP_ID_WORKSPACE_NEW_HORIZONTAL, 1, 0, 1 },
        { VZP_ID_WORKSPACE_NEW_VERTICAL, 1, 0, 0 },
    };
    for (const Row& row : rows)
    {
        EXPECT_EQ(row.nOneGroup, UpdateState(row.nID)) << row.nID;
        EXPECT_EQ(row.nOneGroup, m_pClient->GetWorkspaceCommandState(row.nID) != 0) << row.nID;
    }

    Command(VZP_ID_WORKSPACE_NEW_HORIZONTAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    EXPECT_TRUE(m_pClient->m_bHorizontalGroups);
    EXPECT_EQ(1, GroupOf(2));
    EXPECT_EQ(m_hChildren[2], Active());
    for (const Row& row : rows)
        EXPECT_EQ(row.nNewStackedGroup, UpdateState(row.nID)) << row.nID;

    Activate(0);
    for (const Row& row : rows)
        EXPECT_EQ(row.nFirstStackedGroup, UpdateState(row.nID)) << row.nID;

    // The stacked groups lie one above the other with the splitter between.
    CVZPTabClientGroup* pFirst = m_pClient->GetGroup(0);
    CVZPTabClientGroup* pSecond = m_pClient->GetGroup(1);
    EXPECT_EQ(pFirst->m_rcControl.left, pSecond->m_rcControl.left);
    EXPECT_EQ(pFirst->m_rcControl.bottom, pFirst->m_rcSplitter.top);
    EXPECT_EQ(pFirst->m_rcSplitter.bottom, pSecond->m_rcControl.top);
    EXPECT_EQ(4, pFirst->m_rcSplitter.Height());
    SaveScreenshot(L"tabclient_stacked_groups.bmp");

    // Outside workspace mode nothing is enabled, and the registered message
    // answers what the state answers.
    UINT nStateMessage = ::RegisterWindowMessageW(VZP_TABCLIENT_COMMANDSTATE_MESSAGE);
    EXPECT_EQ(1, m_pClient->SendMessage(nStateMessage, VZP_ID_WORKSPACE_MOVE_NEXT, 0));
    EXPECT_EQ(0, m_pClient->SendMessage(nStateMessage, VZP_ID_WORKSPACE_NEW_VERTICAL, 0));
    m_pClient->m_bWorkspaceMode = FALSE;
    for (const Row& row : rows)
        EXPECT_EQ(0, UpdateState(row.nID)) << row.nID;
    m_pClient->m_bWorkspaceMode = TRUE;
}

TEST_F(TabClient, MovedTabKeepsItsColourAndTheLastTabLeavesNoEmptyGroup)
{
    CVZPTabManagerItem* pItem = m_pClient->FindItem(m_hChildren[2]);
    ASSERT_NE(nullptr, pItem);
    COLORREF clrBefore = pItem->m_clrItem;
    COLORREF clrOther = m_pClient->FindItem(m_hChildren[1])->m_clrItem;
    ASSERT_NE(clrBefore, clrOther);

    Command(VZP_ID_WORKSPACE_NEW_VERTICAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    EXPECT_FALSE(m_pClient->m_bHorizontalGroups);
    EXPECT_EQ(pItem, m_pClient->FindItem(m_hChildren[2])) << "the same tab moved";
    EXPECT_EQ(clrBefore, pItem->m_clrItem);
    EXPECT_EQ(m_pClient->GetGroup(1), pItem->GetTabManager());
    EXPECT_EQ(pItem, m_pClient->GetGroup(1)->GetSelectedItem());

    Activate(1);
    Command(VZP_ID_WORKSPACE_MOVE_NEXT);
    EXPECT_EQ(1, GroupOf(1));
    EXPECT_EQ(clrOther, m_pClient->FindItem(m_hChildren[1])->m_clrItem);
    EXPECT_EQ(m_pClient->FindItem(m_hChildren[1]), m_pClient->GetGroup(1)->GetSelectedItem());

    // Moving the first group's only tab away removes the group.
    Activate(0);
    Command(VZP_ID_WORKSPACE_MOVE_NEXT);
    ASSERT_EQ(1, m_pClient->GetGroupCount());
    EXPECT_EQ(3, m_pClient->GetGroup(0)->GetItemCount());
    CRect rcClient;
    m_pClient->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient, m_pClient->GetGroup(0)->m_rcControl);
    EXPECT_TRUE(m_pClient->GetGroup(0)->m_rcSplitter.IsRectEmpty());
}

TEST_F(TabClient, NewGroupTakesHalfTheOldExtentLessTheSplitter)
{
    CVZPTabClientGroup* pOld = m_pClient->GetGroup(0);
    int nWidth = pOld->m_rcControl.Width();
    Command(VZP_ID_WORKSPACE_NEW_VERTICAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    CVZPTabClientGroup* pNew = m_pClient->GetGroup(1);
    EXPECT_DOUBLE_EQ((nWidth - 4) * 0.5, pNew->m_dShare);
    EXPECT_DOUBLE_EQ(nWidth - pNew->m_dShare - 4, pOld->m_dShare);

    // Side by side, with the splitter between them, filling the client.
    EXPECT_EQ(pOld->m_rcControl.right, pOld->m_rcSplitter.left);
    EXPECT_EQ(4, pOld->m_rcSplitter.Width());
    EXPECT_EQ(pOld->m_rcSplitter.right, pNew->m_rcControl.left);
    EXPECT_EQ(nWidth, pOld->m_rcControl.Width() + 4 + pNew->m_rcControl.Width());
    EXPECT_LE(abs(pOld->m_rcControl.Width() - pNew->m_rcControl.Width()), 1);

    // Each group's selected child fills that group's client rect.
    for (int nChild : { 1, 2 })
    {
        CVZPTabClientGroup* pGroup = m_pClient->GetGroup(GroupOf(nChild));
        CRect rc;
        ::GetWindowRect(m_hChildren[nChild], &rc);
        m_pClient->ScreenToClient(&rc);
        EXPECT_EQ(pGroup->m_rcClient, rc) << "child " << nChild;
    }
}

TEST_F(TabClient, ClosingAGroupsLastTabActivatesTheTabBeforeIt)
{
    // Child 1 was active just before child 3, so the MDI client by itself
    // would activate child 1.
    Activate(0);
    Activate(2);
    ASSERT_EQ(m_hChildren[2], Active());
    m_pClient->SendMessage(WM_MDIDESTROY, (WPARAM)m_hChildren[2], 0);
    EXPECT_FALSE(::IsWindow(m_hChildren[2]));
    EXPECT_EQ(m_hChildren[1], Active());
    CVZPTabClientGroup* pGroup = m_pClient->GetGroup(0);
    ASSERT_EQ(2, pGroup->GetItemCount());
    EXPECT_EQ(m_hChildren[1], pGroup->GetSelectedItem()->GetHandle());

    // A tab with one after it hands over to that one.
    Activate(0);
    m_pClient->SendMessage(WM_MDIDESTROY, (WPARAM)m_hChildren[0], 0);
    EXPECT_EQ(m_hChildren[1], Active());
    EXPECT_EQ(1, pGroup->GetItemCount());
}

TEST_F(TabClient, KeepingActivationOnCloseLeavesTheChoiceToTheMDIClient)
{
    m_pClient->m_bKeepActivationOnClose = TRUE;
    Activate(0);
    Activate(2);
    m_pClient->SendMessage(WM_MDIDESTROY, (WPARAM)m_hChildren[2], 0);
    EXPECT_EQ(m_hChildren[0], Active());
    EXPECT_EQ(m_hChildren[0], m_pClient->GetGroup(0)->GetSelectedItem()->GetHandle());
}

TEST_F(TabClient, SplitterPaintsAndShowsItsCursor)
{
    Command(VZP_ID_WORKSPACE_NEW_VERTICAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    CRect rcSplitter = m_pClient->GetGroup(0)->m_rcSplitter;
    tesmir::test::PaintNow(m_pFrame);
    // A whole paint of the client, frame included, gives back what it took.
    AFX_GDI_COUNTS before = AfxGetGdiCounts();
    m_pClient->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    AFX_GDI_COUNTS after = AfxGetGdiCounts();
    EXPECT_EQ(before.nObjects, after.nObjects);
    EXPECT_EQ(before.nDCs, after.nDCs);
    tesmir::test::CCapture capture(m_pClient);
    // Without the static frame the splitter is filled with the header's
    // start colour.
    COLORREF clrSplitter = m_pClient->GetPaintManager()->GetColorSet()->m_grcHeader.GetStartColor();
    EXPECT_EQ(clrSplitter, capture.Pixel(rcSplitter.left, rcSplitter.CenterPoint().y));
    EXPECT_EQ(clrSplitter, capture.Pixel(rcSplitter.right - 1, rcSplitter.bottom - 1));
    SaveScreenshot(L"tabclient_side_by_side.bmp");

    MakeForeground();
    CPoint pt = ClientToScreenPoint(rcSplitter.CenterPoint());
    // Each try comes from beside the splitter: a move to where the pointer
    // already is brings no mouse message, so no cursor would be set. A move
    // a busy display server drops only costs a try.
    HCURSOR hSplit = GetGlobalUIData()->m_hcurSplitHorz;
    bool bShown = false;
    for (int nTry = 0; nTry < 3 && !bShown; nTry++)
    {
        MakeForeground();
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x - 20, pt.y));
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
        bShown = PumpUntil([&] { return ::GetCursor() == hSplit; }, 2000);
    }
    EXPECT_TRUE(bShown) << "window under the pointer " << ::WindowFromPoint(pt) << ", client "
                        << m_pClient->GetSafeHwnd() << ", foreground " << ::GetForegroundWindow()
                        << ", frame " << m_pFrame->GetSafeHwnd();
}

TEST_F(TabClient, SplitterDragIsLiveAndEndsOnRelease)
{
    Command(VZP_ID_WORKSPACE_NEW_VERTICAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    CVZPTabClientGroup* pFirst = m_pClient->GetGroup(0);
    CVZPTabClientGroup* pSecond = m_pClient->GetGroup(1);
    int nFirstWidth = pFirst->m_rcControl.Width();
    int nSecondWidth = pSecond->m_rcControl.Width();
    MakeForeground();

    CPoint pt = ClientToScreenPoint(pFirst->m_rcSplitter.CenterPoint());
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    int nRecalcs = m_pFrame->m_nRecalcs;
    CPoint ptEnd(pt.x + 50, pt.y + 10);
    tesmir::test::SendMouseButtons(pt, { MOUSEEVENTF_LEFTDOWN });
    tesmir::test::MoveCursorTo(pt.x + 30, pt.y);
    tesmir::test::MoveCursorTo(ptEnd.x, ptEnd.y);
    {
        // Released once the splitter has followed.
        CDragDriver driver(m_pClient->GetSafeHwnd(), ptEnd, !m_pClient->m_bHorizontalGroups,
                           [&] { return pFirst->m_rcControl.Width() == nFirstWidth + 50; }, TRUE);
        EXPECT_TRUE(PumpUntil([&] { return driver.m_bReleased && ::GetCapture() == NULL; }));
    }
    EXPECT_EQ(nFirstWidth + 50, pFirst->m_rcControl.Width());
    EXPECT_EQ(nSecondWidth - 50, pSecond->m_rcControl.Width());
    EXPECT_EQ(pFirst->m_rcControl.right, pFirst->m_rcSplitter.left);
    EXPECT_EQ(pFirst->m_rcSplitter.right, pSecond->m_rcControl.left);
    EXPECT_GT(m_pFrame->m_nRecalcs, nRecalcs);

    // Moves after the release change nothing.
    tesmir::test::MoveCursorTo(pt.x - 40, pt.y);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(nFirstWidth + 50, pFirst->m_rcControl.Width());
}

TEST_F(TabClient, SplitterDragPassesAQuitOnAndKeepsTheSizesReached)
{
    Command(VZP_ID_WORKSPACE_NEW_VERTICAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    CVZPTabClientGroup* pFirst = m_pClient->GetGroup(0);
    int nFirstWidth = pFirst->m_rcControl.Width();
    MakeForeground();

    CPoint pt = ClientToScreenPoint(pFirst->m_rcSplitter.CenterPoint());
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    // The first move's layout asks for a quit while the drag runs.
    m_pFrame->m_onNextRecalc = [] { ::PostQuitMessage(7); };
    CPoint ptEnd(pt.x - 20, pt.y);
    tesmir::test::SendMouseButtons(pt, { MOUSEEVENTF_LEFTDOWN });
    tesmir::test::MoveCursorTo(ptEnd.x, ptEnd.y);

    MSG msg = {};
    BOOL bQuit = FALSE;
    {
        CDragDriver driver(m_pClient->GetSafeHwnd(), ptEnd, !m_pClient->m_bHorizontalGroups,
                           [&] { return pFirst->m_rcControl.Width() != nFirstWidth; }, FALSE);
        DWORD dwStart = ::GetTickCount();
        while (!bQuit && ::GetTickCount() - dwStart < 10000)
        {
            if (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            {
                bQuit = msg.message == WM_QUIT;
                if (!bQuit)
                {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            }
            else
            {
                ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
            }
        }
    }
    tesmir::test::SendMouseButtons(ptEnd, { MOUSEEVENTF_LEFTUP });
    ASSERT_TRUE(bQuit) << "the quit request was lost";
    EXPECT_EQ(7, int(msg.wParam));
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(nFirstWidth - 20, pFirst->m_rcControl.Width());
    PumpUntil([] { return ::GetCapture() != NULL; }, 200);
    EXPECT_EQ(nFirstWidth - 20, pFirst->m_rcControl.Width());
}

TEST_F(TabClient, SplitterDragEndsWhenTheCaptureGoes)
{
    Command(VZP_ID_WORKSPACE_NEW_HORIZONTAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    CVZPTabClientGroup* pFirst = m_pClient->GetGroup(0);
    int nFirstHeight = pFirst->m_rcControl.Height();
    MakeForeground();

    CPoint pt = ClientToScreenPoint(pFirst->m_rcSplitter.CenterPoint());
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    // At the first move another window takes the capture: the drag ends
    // there, and later moves change nothing.
    HWND hWndFrame = m_pFrame->GetSafeHwnd();
    HWND hWndCaptureBefore = NULL;
    m_pFrame->m_onNextRecalc = [&] {
        hWndCaptureBefore = ::GetCapture();
        ::SetCapture(hWndFrame);
    };
    CPoint ptEnd(pt.x, pt.y + 25);
    tesmir::test::SendMouseButtons(pt, { MOUSEEVENTF_LEFTDOWN });
    tesmir::test::MoveCursorTo(ptEnd.x, ptEnd.y);
    {
        CDragDriver driver(m_pClient->GetSafeHwnd(), ptEnd, !m_pClient->m_bHorizontalGroups,
                           [&] { return pFirst->m_rcControl.Height() != nFirstHeight; }, FALSE);
        EXPECT_TRUE(PumpUntil([&] { return ::GetCapture() == hWndFrame; }));
    }
    tesmir::test::MoveCursorTo(pt.x, pt.y + 60);
    tesmir::test::SendMouseButtons(CPoint(pt.x, pt.y + 60), { MOUSEEVENTF_LEFTUP });
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(m_pClient->GetSafeHwnd(), hWndCaptureBefore);
    EXPECT_EQ(nFirstHeight + 25, pFirst->m_rcControl.Height());
    ::ReleaseCapture();
}

TEST_F(TabClient, PressOnATabActivatesItsChild)
{
    CVZPTabClientGroup* pGroup = m_pClient->GetGroup(0);
    ASSERT_EQ(m_hChildren[2], Active());
    MakeForeground();
    CPoint pt = ClientToScreenPoint(pGroup->GetItem(0)->m_rcItem.CenterPoint());
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    tesmir::test::SendMouseButtons(pt, { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP });
    EXPECT_TRUE(PumpUntil([&] { return Active() == m_hChildren[0]; }));
    EXPECT_TRUE(PumpUntil([] { return ::GetCapture() == NULL; }));
    EXPECT_EQ(pGroup->GetItem(0), pGroup->GetSelectedItem());
    EXPECT_EQ(m_hChildren[0], pGroup->GetItem(0)->GetHandle()) << "a press without a move reorders nothing";
}

TEST_F(TabClient, RefreshKeepsTheClientsPlaceAndAnswersTheRegisteredMessage)
{
    CRect rcBefore;
    m_pClient->GetWindowRect(&rcBefore);
    UINT nRefresh = ::RegisterWindowMessageW(VZP_TABCLIENT_REFRESH_MESSAGE);
    EXPECT_EQ(1, m_pClient->SendMessage(nRefresh, TRUE, 0));
    CRect rcAfter;
    m_pClient->GetWindowRect(&rcAfter);
    EXPECT_EQ(rcBefore, rcAfter);
    EXPECT_EQ(3, m_pClient->GetGroup(0)->GetItemCount());
    EXPECT_EQ(nullptr, m_pClient->GetCommandBars()) << "the frame has no command bars";
    EXPECT_TRUE(m_pClient->IsKindOf(RUNTIME_CLASS(CVZPTabClientWnd)));
    EXPECT_EQ(m_pClient, CWnd::FromHandlePermanent(m_pFrame->m_hWndMDIClient));
}

TEST_F(TabClient, MirroredSplitterFollowsThePointer)
{
    m_pClient->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    Command(VZP_ID_WORKSPACE_NEW_VERTICAL);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    CVZPTabClientGroup* pFirst = m_pClient->GetGroup(0);
    CVZPTabClientGroup* pSecond = m_pClient->GetGroup(1);
    int nFirstWidth = pFirst->m_rcControl.Width();
    int nSecondWidth = pSecond->m_rcControl.Width();
    MakeForeground();

    // Mirrored, the first group shows on the right: dragging the splitter
    // to the right gives it less room.
    CPoint pt = ClientToScreenPoint(pFirst->m_rcSplitter.CenterPoint());
    CPoint ptFirst = ClientToScreenPoint(pFirst->m_rcControl.CenterPoint());
    ASSERT_GT(ptFirst.x, pt.x);
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    CPoint ptEnd(pt.x + 30, pt.y);
    tesmir::test::SendMouseButtons(pt, { MOUSEEVENTF_LEFTDOWN });
    tesmir::test::MoveCursorTo(ptEnd.x, ptEnd.y);
    {
        CDragDriver driver(m_pClient->GetSafeHwnd(), ptEnd, !m_pClient->m_bHorizontalGroups,
                           [&] { return pFirst->m_rcControl.Width() == nFirstWidth - 30; }, TRUE);
        EXPECT_TRUE(PumpUntil([&] { return driver.m_bReleased && ::GetCapture() == NULL; }));
    }
    EXPECT_EQ(nFirstWidth - 30, pFirst->m_rcControl.Width());
    EXPECT_EQ(nSecondWidth + 30, pSecond->m_rcControl.Width());
}

TEST_F(TabClientWindowed, GroupWindowShowsTheTabsAboveAnOrdinaryClient)
{
    ASSERT_EQ(1, m_pClient->GetGroupCount());
    CVZPTabClientGroup* pGroup = m_pClient->GetGroup(0);
    ASSERT_NE(nullptr, pGroup->GetSafeHwnd());
    EXPECT_EQ(m_pFrame->GetSafeHwnd(), ::GetParent(pGroup->GetSafeHwnd()));
    EXPECT_EQ(3, pGroup->GetItemCount());
    EXPECT_NE(0, ::GetWindowLongW(m_hChildren[0], GWL_STYLE) & WS_CAPTION) << "children keep their frames";

    auto checkPlaces = [&] {
        // The group has the place the frame gives its client; the client
        // has the group's client area.
        // (The frame may set the client's border outside its own area.)
        CRect rcFrame;
        m_pFrame->GetClientRect(&rcFrame);
        CRect rcGroup;
        pGroup->GetWindowRect(&rcGroup);
        m_pFrame->ScreenToClient(&rcGroup);
        EXPECT_LE(abs(rcFrame.left - rcGroup.left), 2);
        EXPECT_LE(abs(rcFrame.top - rcGroup.top), 2);
        EXPECT_LE(abs(rcFrame.right - rcGroup.right), 2);
        EXPECT_LE(abs(rcFrame.bottom - rcGroup.bottom), 2);
        CRect rcExpected = pGroup->m_rcClient;
        pGroup->ClientToScreen(&rcExpected);
        CRect rcClientWnd;
        m_pClient->GetWindowRect(&rcClientWnd);
        EXPECT_EQ(rcExpected, rcClientWnd);
        EXPECT_GT(rcClientWnd.top, rcGroup.top);
    };
    checkPlaces();
    m_pFrame->SetWindowPos(NULL, 0, 0, 520, 360, SWP_NOMOVE | SWP_NOZORDER);
    checkPlaces();
    SaveScreenshot(L"tabclient_windowed.bmp");

    for (UINT nID = VZP_ID_WORKSPACE_MOVE_PREVIOUS; nID <= VZP_ID_WORKSPACE_NEW_VERTICAL; nID++)
        EXPECT_EQ(0, UpdateState(nID)) << nID;

    MakeForeground();
    CPoint pt = pGroup->GetItem(0)->m_rcItem.CenterPoint();
    pGroup->ClientToScreen(&pt);
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    tesmir::test::SendMouseButtons(pt, { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP });
    EXPECT_TRUE(PumpUntil([&] { return Active() == m_hChildren[0] && ::GetCapture() == NULL; }));
    EXPECT_EQ(pGroup->GetItem(0), pGroup->GetSelectedItem());

    // Without children the group goes and the client has its place back.
    CRect rcGroup;
    pGroup->GetWindowRect(&rcGroup);
    for (HWND hWnd : m_hChildren)
        m_pClient->SendMessage(WM_MDIDESTROY, (WPARAM)hWnd, 0);
    EXPECT_EQ(0, m_pClient->GetGroupCount());
    CRect rcClientWnd;
    m_pClient->GetWindowRect(&rcClientWnd);
    EXPECT_EQ(rcGroup, rcClientWnd);
}

namespace {

// A menu of the MDI frame with the workspace-actions placeholder between two
// ordinary commands, as an application's Window menu carries it.
class CWorkspaceActionsMenu
{
public:
    explicit CWorkspaceActionsMenu(CMDIFrameWnd* pFrame)
    {
        m_pCommandBars = DYNAMIC_DOWNCAST(CVZPCommandBars, RUNTIME_CLASS(CVZPCommandBars)->CreateObject());
        m_pCommandBars->SetSite(pFrame);
        m_pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
        CVZPControls* pControls = m_pPopup->GetControls();
        pControls->Add(vzpControlButton, kBefore);
        m_pPlaceholder = pControls->Add(vzpControlButton, kPlaceholder);
        m_pPlaceholder->SetBeginGroup(TRUE);
        pControls->Add(vzpControlButton, kAfter)->SetBeginGroup(TRUE);
    }
    ~CWorkspaceActionsMenu()
    {
        m_pPopup->InternalRelease();
        m_pCommandBars->InternalRelease();
    }

    // Expands the placeholder as the menu does before it is shown, and
    // gives the ids between the placeholder and the command after it.
    std::vector<UINT> Expand()
    {
        m_pPlaceholder->OnCalcDynamicSize(0);
        std::vector<UINT> ids;
        CVZPControls* pControls = m_pPopup->GetControls();
        for (int i = 0; i < pControls->GetCount(); i++)
            ids.push_back(pControls->GetAt(i)->GetID());
        EXPECT_LE(3u, ids.size());
        EXPECT_EQ(kBefore, ids.front());
        EXPECT_EQ(kPlaceholder, ids[1]);
        EXPECT_EQ(kAfter, ids.back());
        return std::vector<UINT>(ids.begin() + 2, ids.end() - 1);
    }

    CVZPControl* Item(int nIndex) const { return m_pPopup->GetControls()->GetAt(2 + nIndex); }

    static constexpr UINT kBefore = 57600, kPlaceholder = 35002, kAfter = 57601;
    CVZPCommandBars* m_pCommandBars;
    CVZPPopupBar* m_pPopup;
    CVZPControl* m_pPlaceholder;
};

const UINT kNewHorizontal = VZP_ID_WORKSPACE_NEW_HORIZONTAL, kNewVertical = VZP_ID_WORKSPACE_NEW_VERTICAL,
           kPrevious = VZP_ID_WORKSPACE_MOVE_PREVIOUS, kNext = VZP_ID_WORKSPACE_MOVE_NEXT;

}  // namespace

TEST_F(TabClient, WorkspaceActionsListTheCommandsTheClientEnables)
{
    CWorkspaceActionsMenu menu(m_pFrame);
    ASSERT_STREQ("CVZPControlWorkspaceActions", menu.m_pPlaceholder->GetRuntimeClass()->m_lpszClassName);

    // One group of three tabs: the two new-group commands, in that order.
    ASSERT_EQ(std::vector<UINT>({ kNewHorizontal, kNewVertical }), menu.Expand());
    EXPECT_NE(0u, menu.m_pPlaceholder->GetHideFlags() & CVZPControl::hideGenerated);
    // The first item takes the placeholder's group start; all are temporary.
    EXPECT_TRUE(menu.Item(0)->GetBeginGroup());
    EXPECT_FALSE(menu.Item(1)->GetBeginGroup());
    EXPECT_TRUE(menu.Item(0)->IsTemporary());
    EXPECT_TRUE(menu.Item(1)->IsTemporary());

    // The active child alone in a new lower group: only "previous".
    Command(kNewHorizontal);
    ASSERT_EQ(2, m_pClient->GetGroupCount());
    ASSERT_EQ(std::vector<UINT>({ kPrevious }), menu.Expand()) << "the earlier items are replaced";
    EXPECT_TRUE(menu.Item(0)->GetBeginGroup());

    // A child of the upper group, which holds two tabs: a further stacked
    // group, or the next group.
    Activate(0);
    EXPECT_EQ(std::vector<UINT>({ kNewHorizontal, kNext }), menu.Expand());

    // Outside workspace mode the client enables nothing: the placeholder
    // stays hidden and lists nothing.
    m_pClient->m_bWorkspaceMode = FALSE;
    EXPECT_EQ(std::vector<UINT>(), menu.Expand());
    EXPECT_NE(0u, menu.m_pPlaceholder->GetHideFlags() & CVZPControl::hideGenerated);
    m_pClient->m_bWorkspaceMode = TRUE;
}

TEST_F(TabClient, WorkspaceActionsNeedATabClient)
{
    CWorkspaceActionsMenu menu(m_pFrame);
    EXPECT_EQ(2u, menu.Expand().size());
    // An MDI client that is not a tab client: the earlier items go, and the
    // placeholder keeps the hide flags it had.
    m_pClient->UnsubclassMDIClient();
    menu.m_pPlaceholder->SetHideFlags(CVZPControl::hideCustomize);
    EXPECT_EQ(std::vector<UINT>(), menu.Expand());
    EXPECT_EQ(DWORD(CVZPControl::hideCustomize), menu.m_pPlaceholder->GetHideFlags());
}

}  // namespace vzpanes_test
