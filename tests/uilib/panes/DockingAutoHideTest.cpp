// Auto-hidden panes in a real frame: the strip a hidden pane's panel takes,
// the sliding window driven by direct timer calls (out in eight steps, back
// after six idle polls unless the site vetoes), a relayout closing it, clicks
// on the strip, and clearing the layout while a window is shown, with freed
// memory poisoned so that a late use of it would not go unnoticed.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "CVZPDockingPaneAutoHidePanel.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabPaintManager.h"
#include "DockingFrameFixture.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"

namespace {

// While set, every block freed through operator delete is overwritten first.
bool g_bPoisonFreed = false;

}  // namespace

void operator delete(void* p) noexcept
{
    if (p != NULL && g_bPoisonFreed)
        std::memset(p, 0xDD, _msize(p));
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    ::operator delete(p);
}

namespace vzpanes_test {

namespace {

using tesmir::test::PlaceCursorByInput;
using tesmir::test::PumpUntil;

class AutoHide : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = CDockingTestFrame::Build();
        ASSERT_NE(nullptr, m_pFrame);
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->Destroy();
        PumpUntil([] { return false; }, 50);
    }

    // A pane docked at the left and then hidden.
    CVZPDockingPane* Hidden(int nID, LPCWSTR pszTitle, int cx = 150)
    {
        CVZPDockingPane* pPane = m_pFrame->NewPane(nID, pszTitle, cx, 120);
        m_pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
        m_pFrame->LayoutNow();
        m_pFrame->m_manager.SendToAutoHide(pPane);
        m_pFrame->LayoutNow();
        return pPane;
    }
    CVZPDockingPaneAutoHidePanel* Panel(int nSide)
    {
        return static_cast<CVZPDockingPaneAutoHidePanel*>(m_pFrame->Layout()->m_pAutoHidePanels[nSide]);
    }
    // The pointer and the focus away from the sliding window and the strip.
    void LookAway()
    {
        ASSERT_TRUE(PlaceCursorByInput(::GetSystemMetrics(SM_CXSCREEN) - 3, ::GetSystemMetrics(SM_CYSCREEN) - 3));
        m_pFrame->m_wndView.SetFocus();
    }

    CDockingTestFrame* m_pFrame = NULL;
};

}  // namespace

TEST_F(AutoHide, HidingADockedPaneMakesAStripWithOneGroup)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = Hidden(1, L"Hidden\nTab");
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    EXPECT_EQ(vzpPaneDockLeft, pPanel->GetSide());
    EXPECT_TRUE(pPane->IsAutoHidden());
    EXPECT_EQ(pPanel, pPane->GetParentContainer()->GetParentContainer());
    EXPECT_FALSE(::IsWindowVisible(f.TabbedOf(pPane)->GetSafeHwnd()));

    CVZPTabAppearanceSet* pAppearance = f.m_manager.GetPaintManager()->GetAutoHideTabPaintManager()->GetAppearanceSet();
    const CRect rcMargin = pAppearance->GetHeaderMargin();
    const int nThickness = pAppearance->m_nTabHeight + rcMargin.top + rcMargin.bottom;
    EXPECT_EQ(nThickness, pPanel->GetStripThickness());
    ASSERT_TRUE(::IsWindow(pPanel->GetSafeHwnd()));
    CRect rcStrip, rcView;
    pPanel->GetWindowRect(&rcStrip);
    f.ScreenToClient(&rcStrip);
    EXPECT_EQ(CRect(0, 0, nThickness, 480), rcStrip);
    f.m_wndView.GetWindowRect(&rcView);
    f.ScreenToClient(&rcView);
    EXPECT_EQ(nThickness, rcView.left) << "the view starts beside the strip";
    ASSERT_EQ(1, pPanel->GetGroupCount());
    EXPECT_EQ(1, pPanel->GetGroup(0)->GetItemCount());
    EXPECT_EQ(CString(L"Tab"), pPanel->GetGroup(0)->GetItem(0)->m_strCaption);
    EXPECT_EQ(3, pPanel->GetGroup(0)->GetPosition()) << "tabs of a left strip face right";
}

TEST_F(AutoHide, RevealingShowsTheWindowAndTheToggleDocksThePaneBack)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Back and forth");
    f.m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    f.LayoutNow();
    CVZPDockingPaneTabbedContainer* pHolder = f.TabbedOf(pPane);
    f.m_manager.SendToAutoHide(pPane);
    f.LayoutNow();
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);

    f.m_manager.RevealPane(pPane, FALSE);
    ASSERT_NE(nullptr, pPanel->GetCurrentWindow());
    EXPECT_EQ(f.TabbedOf(pPane), pPanel->GetCurrentWindow()->m_pContainer);
    CVZPDockingPaneAutoHideWnd* pShown = pPanel->GetCurrentWindow();
    f.m_manager.RevealPane(pPane, FALSE);
    EXPECT_EQ(pShown, pPanel->GetCurrentWindow()) << "already shown: the same window";

    f.m_notes.clear();
    f.m_manager.SwitchDockedFloating(pPane);
    EXPECT_EQ(pHolder, f.TabbedOf(pPane)) << "docked back into its docking holder";
    EXPECT_FALSE(pPane->IsAutoHidden());
    EXPECT_EQ(1, f.CountActions(actionDocking));
    EXPECT_EQ(1, f.CountActions(actionDocked));
    EXPECT_EQ(nullptr, pPanel->GetCurrentWindow()) << "the panel let its window go";
    f.LayoutNow();
    EXPECT_EQ(nullptr, pPanel->GetSafeHwnd()) << "an empty panel has no window";
    EXPECT_TRUE(::IsWindowVisible(pHolder->GetSafeHwnd()));
    CRect rcView;
    f.m_wndView.GetWindowRect(&rcView);
    f.ScreenToClient(&rcView);
    EXPECT_LT(0, rcView.left) << "the docked pane takes its room again";
}

TEST_F(AutoHide, HoveringATabShowsItsPaneWithoutActivation)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = Hidden(1, L"Hovered");
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    ASSERT_EQ(1, pPanel->GetGroupCount());
    ASSERT_TRUE(tesmir::test::BringToFront(f.GetSafeHwnd()));
    f.m_wndView.SetFocus();
    CPoint ptTab = pPanel->GetGroup(0)->GetItem(0)->m_rcItem.CenterPoint();
    pPanel->ClientToScreen(&ptTab);
    // From beside the strip onto the tab: a real move, then the hover time.
    ASSERT_TRUE(PlaceCursorByInput(ptTab.x + 200, ptTab.y));
    ASSERT_TRUE(PlaceCursorByInput(ptTab.x, ptTab.y));
    ASSERT_TRUE(PumpUntil([&] { return pPanel->GetCurrentWindow() != NULL; }, 5000));
    EXPECT_EQ(f.TabbedOf(pPane), pPanel->GetCurrentWindow()->m_pContainer);
    EXPECT_FALSE(pPane->HasFocus()) << "hovering does not activate";
    EXPECT_EQ(f.m_wndView.GetSafeHwnd(), ::GetFocus());
}

TEST_F(AutoHide, TimerCallsSlideTheWindowOutAndBack)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = Hidden(1, L"Sliding", 180);
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    LookAway();
    f.m_notes.clear();
    pPanel->ShowAutoHideWindow(pPane, FALSE);
    CVZPDockingPaneAutoHideWnd* pWnd = pPanel->GetCurrentWindow();
    ASSERT_NE(nullptr, pWnd);
    EXPECT_EQ(1, f.CountActions(actionExpanding));
    const int nWidth = pWnd->m_rcFull.Width();
    EXPECT_EQ(180 + 4, nWidth) << "the docking width and the resize edge";
    CRect rc;
    for (int nStep = 0; nStep < 8; nStep++)
    {
        pWnd->GetWindowRect(&rc);
        EXPECT_EQ(nWidth * (nStep + 1) / 8, rc.Width()) << nStep;
        EXPECT_EQ(nStep, pWnd->m_nStep);
        EXPECT_EQ(0, f.CountActions(actionExpanded));
        pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerSlideOut);
    }
    EXPECT_EQ(7, pWnd->m_nStep);
    EXPECT_EQ(1, f.CountActions(actionExpanded));
    // The container slides with the window and leaves the resize edge free.
    CRect rcContainer;
    f.TabbedOf(pPane)->GetWindowRect(&rcContainer);
    pWnd->GetWindowRect(&rc);
    EXPECT_EQ(rc.right - 4, rcContainer.right);
    EXPECT_TRUE(::IsWindowVisible(f.TabbedOf(pPane)->GetSafeHwnd()));

    // Six idle polls ask to collapse; a veto keeps the window out.
    f.m_vetoes = { actionCollapsing };
    for (int i = 0; i < 6; i++)
        pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerPoll);
    EXPECT_EQ(1, f.CountActions(actionCollapsing));
    EXPECT_FALSE(pWnd->m_bClosing);
    EXPECT_EQ(6, pWnd->m_nLeaveCountdown);
    f.m_vetoes.clear();
    for (int i = 0; i < 5; i++)
        pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerPoll);
    EXPECT_FALSE(pWnd->m_bClosing) << "five more polls are not enough";
    pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerPoll);
    EXPECT_TRUE(pWnd->m_bClosing);
    EXPECT_EQ(2, f.CountActions(actionCollapsing));

    const HWND hWnd = pWnd->GetSafeHwnd();
    for (int nStep = 6; nStep >= 0; nStep--)
    {
        pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerSlideIn);
        pWnd->GetWindowRect(&rc);
        EXPECT_EQ(nWidth * (nStep + 1) / 8, rc.Width()) << nStep;
    }
    EXPECT_EQ(0, f.CountActions(actionCollapsed));
    pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerSlideIn);
    EXPECT_EQ(1, f.CountActions(actionCollapsed));
    EXPECT_EQ(nullptr, pPanel->GetCurrentWindow());
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    EXPECT_FALSE(::IsWindowVisible(f.TabbedOf(pPane)->GetSafeHwnd()));
    EXPECT_EQ(f.GetSafeHwnd(), ::GetParent(f.TabbedOf(pPane)->GetSafeHwnd())) << "back on the site";
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd); })) << "the window closes and deletes itself";
}

TEST_F(AutoHide, AFrameRelayoutClosesTheWindowAtOnce)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = Hidden(1, L"Shown");
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    pPanel->ShowAutoHideWindow(pPane, FALSE);
    ASSERT_NE(nullptr, pPanel->GetCurrentWindow());
    const HWND hWnd = pPanel->GetCurrentWindow()->GetSafeHwnd();
    f.m_notes.clear();
    f.LayoutNow();
    EXPECT_EQ(nullptr, pPanel->GetCurrentWindow());
    EXPECT_EQ(1, f.CountActions(actionCollapsing));
    EXPECT_EQ(1, f.CountActions(actionCollapsed));
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd); }));
}

TEST_F(AutoHide, ClicksOnTheStripShowTabsAndGapsDoNothing)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pFirst = Hidden(1, L"First");
    CVZPDockingPane* pSecond = Hidden(2, L"Second");
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    ASSERT_EQ(2, pPanel->GetGroupCount()) << "two containers, two groups";
    const CRect rcFirstTab = pPanel->GetGroup(0)->GetItem(0)->m_rcItem;
    const CRect rcSecondTab = pPanel->GetGroup(1)->GetItem(0)->m_rcItem;
    EXPECT_GE(rcSecondTab.top - rcFirstTab.bottom, 8) << "groups keep a gap";
    CRect rcClient;
    pPanel->GetClientRect(&rcClient);

    f.m_notes.clear();
    const CPoint ptGap(rcClient.CenterPoint().x, (rcFirstTab.bottom + rcSecondTab.top) / 2);
    const CPoint ptEnd(rcClient.CenterPoint().x, rcClient.bottom - 2);
    for (const CPoint& pt : { ptGap, ptEnd })
    {
        EXPECT_EQ(nullptr, pPanel->GetPaneAt(pt));
        pPanel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pPanel->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        EXPECT_EQ(nullptr, pPanel->GetCurrentWindow());
    }
    EXPECT_TRUE(f.Notes().empty());

    // A tab shows its pane, activated.
    const CPoint ptSecond = rcSecondTab.CenterPoint();
    EXPECT_EQ(pSecond, pPanel->GetPaneAt(ptSecond));
    pPanel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptSecond.x, ptSecond.y));
    ASSERT_NE(nullptr, pPanel->GetCurrentWindow());
    EXPECT_EQ(f.TabbedOf(pSecond), pPanel->GetCurrentWindow()->m_pContainer);
    EXPECT_TRUE(pSecond->HasFocus());
    // The first tab replaces it at once.
    const CPoint ptFirst = rcFirstTab.CenterPoint();
    pPanel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFirst.x, ptFirst.y));
    ASSERT_NE(nullptr, pPanel->GetCurrentWindow());
    EXPECT_EQ(f.TabbedOf(pFirst), pPanel->GetCurrentWindow()->m_pContainer);
    // A right press tells the site.
    pPanel->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(ptSecond.x, ptSecond.y));
    ASSERT_EQ(1u, f.Notes(vzpDockingPaneRClick).size());
    EXPECT_EQ(LPARAM(static_cast<CVZPDockingPaneBase*>(pSecond)), f.Notes(vzpDockingPaneRClick)[0].lParam);
}

TEST_F(AutoHide, DraggingTheEdgeLiveResizesTheWindowAndKeepsTheWidth)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bOutlineSplitterDrag = FALSE;
    CVZPDockingPane* pPane = Hidden(1, L"Resized", 150);
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    pPanel->ShowAutoHideWindow(pPane, FALSE);
    CVZPDockingPaneAutoHideWnd* pWnd = pPanel->GetCurrentWindow();
    ASSERT_NE(nullptr, pWnd);
    for (int i = 0; i < 8; i++)
        pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerSlideOut);
    CRect rcBefore;
    pWnd->GetWindowRect(&rcBefore);
    EXPECT_EQ(154, rcBefore.Width());
    ASSERT_TRUE(tesmir::test::BringToFront(f.GetSafeHwnd()));
    // A press on the 4-pixel edge, 60 pixels to the right, release.
    const CPoint ptEdge(rcBefore.right - 2, rcBefore.top + 50);
    ASSERT_TRUE(tesmir::test::SendMouseSteps({ { ptEdge, 0 },
                                               { ptEdge, MOUSEEVENTF_LEFTDOWN },
                                               { CPoint(ptEdge.x + 30, ptEdge.y + 3), 0 },
                                               { CPoint(ptEdge.x + 60, ptEdge.y + 5), 0 },
                                               { CPoint(ptEdge.x + 60, ptEdge.y + 5), MOUSEEVENTF_LEFTUP } }));
    ASSERT_TRUE(PumpUntil([&] {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc.Width() == 214 && ::GetCapture() == NULL;
    }));
    CRect rcAfter;
    pWnd->GetWindowRect(&rcAfter);
    EXPECT_EQ(rcBefore.left, rcAfter.left) << "the panel's edge stays";
    EXPECT_EQ(210, pPane->m_nDockingCX) << "the new width without the edge is the pane's";
    EXPECT_EQ(rcAfter.Width(), pWnd->m_rcFull.Width());
}

TEST_F(AutoHide, AnOutlineEdgeDragAppliesTheReleasedPosition)
{
    CDockingTestFrame& f = *m_pFrame;
    ASSERT_TRUE(f.m_manager.m_bOutlineSplitterDrag);
    CVZPDockingPane* pPane = Hidden(1, L"Outlined", 150);
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    pPanel->ShowAutoHideWindow(pPane, FALSE);
    CVZPDockingPaneAutoHideWnd* pWnd = pPanel->GetCurrentWindow();
    ASSERT_NE(nullptr, pWnd);
    for (int i = 0; i < 8; i++)
        pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerSlideOut);
    CRect rcBefore;
    pWnd->GetWindowRect(&rcBefore);
    ASSERT_TRUE(tesmir::test::BringToFront(f.GetSafeHwnd()));
    const CPoint ptEdge(rcBefore.right - 2, rcBefore.top + 50);
    ASSERT_TRUE(tesmir::test::SendMouseSteps({ { ptEdge, 0 },
                                               { ptEdge, MOUSEEVENTF_LEFTDOWN },
                                               { CPoint(ptEdge.x + 20, ptEdge.y + 2), 0 },
                                               { CPoint(ptEdge.x + 40, ptEdge.y + 4), 0 },
                                               { CPoint(ptEdge.x + 40, ptEdge.y + 4), MOUSEEVENTF_LEFTUP } }));
    ASSERT_TRUE(PumpUntil([&] {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc.Width() == rcBefore.Width() + 40 && ::GetCapture() == NULL;
    }));
    EXPECT_EQ(150 + 40, pPane->m_nDockingCX);
}

TEST_F(AutoHide, AQuitRequestEndsALiveEdgeDragAndIsPostedAgain)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bOutlineSplitterDrag = FALSE;
    CVZPDockingPane* pPane = Hidden(1, L"Quit", 150);
    CVZPDockingPaneAutoHidePanel* pPanel = Panel(vzpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    pPanel->ShowAutoHideWindow(pPane, FALSE);
    CVZPDockingPaneAutoHideWnd* pWnd = pPanel->GetCurrentWindow();
    ASSERT_NE(nullptr, pWnd);
    for (int i = 0; i < 8; i++)
        pWnd->OnTimer(CVZPDockingPaneAutoHideWnd::TimerSlideOut);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    int nMin = 0, nMax = 0;
    ASSERT_TRUE(pWnd->GetResizeLimits(&nMin, &nMax)) << "the edge has room to move";
    ::PostQuitMessage(7);
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcClient.right - 2, 40));
    EXPECT_EQ(nullptr, ::GetCapture()) << "the loop ended";
    EXPECT_FALSE(pWnd->m_bResizing);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the request is posted again";
    EXPECT_EQ(7, int(msg.wParam));
    CRect rc;
    pWnd->GetWindowRect(&rc);
    EXPECT_EQ(154, rc.Width()) << "the size reached stays";
}

TEST(AutoHideClearing, ClearingTheLayoutWhileAWindowIsShownTouchesNoFreedObject)
{
    // Either the panel or the hidden containers go first.
    for (BOOL bPanelLast : { FALSE, TRUE })
    {
        SCOPED_TRACE(bPanelLast ? "panel deleted last" : "panel deleted first");
        CDockingTestFrame* pFrame = CDockingTestFrame::Build();
        ASSERT_NE(nullptr, pFrame);
        CDockingTestFrame& f = *pFrame;
        CVZPDockingPane* pPane = f.NewPane(1, L"Cleared");
        CVZPDockingPane* pOther = f.NewPane(2, L"Other");
        for (CVZPDockingPane* p : { pPane, pOther })
        {
            f.m_manager.DockPaneAtSide(p, vzpPaneDockLeft);
            f.LayoutNow();
            f.m_manager.SendToAutoHide(p);
            f.LayoutNow();
        }
        CVZPDockingPaneAutoHidePanel* pPanel =
            static_cast<CVZPDockingPaneAutoHidePanel*>(f.Layout()->m_pAutoHidePanels[vzpPaneDockLeft]);
        ASSERT_NE(nullptr, pPanel);
        pPanel->ShowAutoHideWindow(pPane, FALSE);
        CVZPDockingPaneAutoHideWnd* pWnd = pPanel->GetCurrentWindow();
        ASSERT_NE(nullptr, pWnd);
        const HWND hWnd = pWnd->GetSafeHwnd();
        // A window closing through its 50 ms timer is left behind too.
        f.m_manager.m_bAttaching = TRUE;
        pPanel->OnChildChanged(NULL);
        f.m_manager.m_bAttaching = FALSE;
        EXPECT_EQ(nullptr, pPanel->GetCurrentWindow());
        EXPECT_EQ(nullptr, pWnd->m_pPanel);
        pPanel->ShowAutoHideWindow(pPane, FALSE);
        CVZPDockingPaneAutoHideWnd* pShown = pPanel->GetCurrentWindow();
        ASSERT_NE(nullptr, pShown);
        const HWND hShown = pShown->GetSafeHwnd();
        CVZPDockingPaneBaseList& objects = f.Layout()->GetObjects();
        if (bPanelLast)
        {
            objects.RemoveAt(objects.Find(static_cast<CVZPDockingPaneBase*>(pPanel)));
            objects.AddTail(static_cast<CVZPDockingPaneBase*>(pPanel));
        }
        else
        {
            auto indexOf = [&](CVZPDockingPaneBase* pObject) {
                int i = 0;
                for (POSITION pos = objects.GetHeadPosition(); pos != NULL; i++)
                {
                    if (objects.GetNext(pos) == pObject)
                        return i;
                }
                return -1;
            };
            ASSERT_LT(indexOf(pPanel), indexOf(pPane->GetParentContainer())) << "the hidden copies come after the panel";
        }

        g_bPoisonFreed = true;
        f.Layout()->Clear();
        // The shown window forgot its panel and container before they went.
        EXPECT_EQ(nullptr, pShown->m_pPanel);
        EXPECT_EQ(nullptr, pShown->m_pContainer);
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd) && !::IsWindow(hShown); }));
        g_bPoisonFreed = false;
        f.LayoutNow();
        pFrame->Destroy();
    }
}

}  // namespace vzpanes_test
