// Docked panes in a real frame: the tree the docking commands build, the
// frame's layout pass giving the view the client rectangle, the site's
// notifications and vetoes, activation and right-to-left sites.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <afxpriv.h>

#include "CVZPDockingPanePaintManager.h"
#include "DockingFrameFixture.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

namespace {

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

class DockingFrame : public testing::Test
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
    }

    CRect ViewRect()
    {
        CRect rc;
        m_pFrame->m_wndView.GetWindowRect(&rc);
        m_pFrame->ScreenToClient(&rc);
        return rc;
    }

    CDockingTestFrame* m_pFrame = NULL;
};

// Children of a splitter in order.
std::vector<CVZPDockingPaneBase*> Children(CVZPDockingPaneSplitterContainer* pSplitter)
{
    std::vector<CVZPDockingPaneBase*> children;
    for (POSITION pos = pSplitter->m_lstChildren.GetHeadPosition(); pos != NULL;)
        children.push_back(pSplitter->m_lstChildren.GetNext(pos));
    return children;
}

}  // namespace

TEST_F(DockingFrame, DockingAtTheSidesBuildsTheTreeAndTheViewGetsTheRest)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPaneSplitterContainer* pFirstTop = f.Top();
    ASSERT_NE(nullptr, pFirstTop);
    EXPECT_EQ(pFirstTop, f.Client()->GetParentContainer()) << "the first child has its parent";

    CVZPDockingPane* pLeft = f.NewPane(1, L"Left", 150, 100);
    CVZPDockingPane* pTop = f.NewPane(2, L"Top", 100, 90);
    CVZPDockingPane* pRight = f.NewPane(3, L"Right", 120, 100);
    CVZPDockingPane* pBelow = f.NewPane(4, L"Below client", 100, 80);

    f.m_manager.DockPaneAtSide(pLeft, vzpPaneDockLeft);
    ASSERT_EQ(pFirstTop, f.Top()) << "same direction: inserted at the start";
    ASSERT_EQ(2u, Children(f.Top()).size());
    EXPECT_EQ(f.TabbedOf(pLeft), Children(f.Top())[0]);

    f.m_manager.DockPaneAtSide(pTop, vzpPaneDockTop);
    CVZPDockingPaneSplitterContainer* pVertical = f.Top();
    ASSERT_NE(pFirstTop, pVertical);
    EXPECT_FALSE(pVertical->IsHorizontal());
    ASSERT_EQ(2u, Children(pVertical).size());
    EXPECT_EQ(f.TabbedOf(pTop), Children(pVertical)[0]);
    EXPECT_EQ(pFirstTop, Children(pVertical)[1]);
    EXPECT_EQ(pVertical, pFirstTop->GetParentContainer()) << "the wrapped top container has its parent";

    // Side 0 of a vertical top: a new horizontal top with the object first.
    f.m_manager.DockPaneAtSide(pRight, vzpPaneDockRight);
    CVZPDockingPaneSplitterContainer* pOuter = f.Top();
    EXPECT_TRUE(pOuter->IsHorizontal());
    ASSERT_EQ(2u, Children(pOuter).size());
    EXPECT_EQ(pVertical, Children(pOuter)[0]);
    EXPECT_EQ(f.TabbedOf(pRight), Children(pOuter)[1]);

    // Beside the client placeholder: its parent splitter takes a new column.
    f.m_manager.DockPaneAtSide(pBelow, vzpPaneDockBottom, f.Client());
    CVZPDockingPaneSplitterContainer* pColumn = f.AsSplitter(f.Client()->GetParentContainer());
    ASSERT_NE(nullptr, pColumn);
    EXPECT_FALSE(pColumn->IsHorizontal());
    ASSERT_EQ(2u, Children(pColumn).size());
    EXPECT_EQ(f.Client(), Children(pColumn)[0]);
    EXPECT_EQ(f.TabbedOf(pBelow), Children(pColumn)[1]);
    EXPECT_EQ(pFirstTop, pColumn->GetParentContainer());
    EXPECT_EQ(vzpPaneDockBottom, f.m_manager.GetPaneSide(f.TabbedOf(pBelow)));
    EXPECT_EQ(vzpPaneDockLeft, f.m_manager.GetPaneSide(f.TabbedOf(pLeft)));
    EXPECT_EQ(vzpPaneDockTop, f.m_manager.GetPaneSide(f.TabbedOf(pTop)));
    EXPECT_EQ(vzpPaneDockRight, f.m_manager.GetPaneSide(f.TabbedOf(pRight)));

    f.m_notes.clear();
    f.LayoutNow();
    EXPECT_TRUE(f.m_manager.m_bLaidOut);

    // 640 x 480: the right column keeps 120, the top row 90, the left 150,
    // the pane below the client 80; gaps of 4 between neighbours.
    CRect rcClient;
    f.GetClientRect(&rcClient);
    EXPECT_EQ(CRect(640 - 120, 0, 640, 480), f.TabbedOf(pRight)->GetPaneRect());
    EXPECT_EQ(CRect(0, 0, 640 - 124, 90), f.TabbedOf(pTop)->GetPaneRect());
    EXPECT_EQ(CRect(0, 94, 150, 480), f.TabbedOf(pLeft)->GetPaneRect());
    EXPECT_EQ(CRect(154, 480 - 80, 640 - 124, 480), f.TabbedOf(pBelow)->GetPaneRect());
    const CRect rcView(154, 94, 640 - 124, 480 - 84);
    EXPECT_EQ(rcView, f.Client()->GetPaneRect());
    EXPECT_EQ(rcView, ViewRect());

    // Each selected pane was about to be shown, and its window is in place.
    std::vector<DockingNote> shown = f.Notes(vzpDockingPaneShowWindow);
    for (CVZPDockingPane* pPane : { pLeft, pTop, pRight, pBelow })
    {
        bool bSeen = false;
        for (const DockingNote& note : shown)
            bSeen = bSeen || note.lParam == LPARAM(pPane);
        EXPECT_TRUE(bSeen) << pPane->GetID();
        EXPECT_TRUE(::IsWindowVisible(pPane->GetChildWindow())) << pPane->GetID();
        EXPECT_EQ(f.TabbedOf(pPane)->GetSafeHwnd(), ::GetParent(pPane->GetChildWindow()));
    }
    EXPECT_EQ(pLeft, f.m_manager.FindPane(1));
    EXPECT_EQ(nullptr, f.m_manager.FindPane(4001));
    VZPDockingPaneRecord* pRecord = f.Layout()->FindRecord(pBelow);
    ASSERT_NE(nullptr, pRecord);
    EXPECT_EQ(f.TabbedOf(pBelow), pRecord->pDockingHolder);
    EXPECT_EQ(f.TabbedOf(pBelow), pRecord->pLastHolder);

    // Splitter bars sit in the gaps.
    ASSERT_EQ(1, int(pOuter->m_lstBars.GetCount()));
    CRect rcBar;
    pOuter->m_lstBars.GetHead()->GetWindowRect(&rcBar);
    f.ScreenToClient(&rcBar);
    EXPECT_EQ(CRect(640 - 124, 0, 640 - 120, 480), rcBar);
}

TEST_F(DockingFrame, DockingAtTheLeftOfAVerticalTopPutsTheObjectFirst)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.DockPaneAtSide(f.NewPane(1, L"Top"), vzpPaneDockTop);
    CVZPDockingPaneSplitterContainer* pOldTop = f.Top();
    ASSERT_FALSE(pOldTop->IsHorizontal());
    CVZPDockingPane* pLeft = f.NewPane(2, L"Left");
    f.m_manager.DockPaneAtSide(pLeft, vzpPaneDockLeft);
    ASSERT_NE(pOldTop, f.Top());
    EXPECT_TRUE(f.Top()->IsHorizontal());
    std::vector<CVZPDockingPaneBase*> children = Children(f.Top());
    ASSERT_EQ(2u, children.size());
    EXPECT_EQ(f.TabbedOf(pLeft), children[0]);
    EXPECT_EQ(pOldTop, children[1]);
}

TEST_F(DockingFrame, AQueryPassMovesNothing)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Left", 200, 100);
    f.m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    f.LayoutNow();
    CRect rcBefore;
    ::GetWindowRect(pPane->GetChildWindow(), &rcBefore);
    const CRect rcPaneBefore = pPane->GetPaneRect();

    AFX_SIZEPARENTPARAMS params = {};
    params.rect = CRect(0, 0, 300, 200);
    f.m_manager.SendMessage(WM_SIZEPARENT, 0, LPARAM(&params));
    CRect rcAfter;
    ::GetWindowRect(pPane->GetChildWindow(), &rcAfter);
    EXPECT_EQ(rcBefore, rcAfter);
    EXPECT_EQ(rcPaneBefore, pPane->GetPaneRect()) << "a pane changes only its host in a query";
    EXPECT_EQ(CRect(204, 0, 300, 200), CRect(params.rect)) << "the view's share is still reported";
}

TEST_F(DockingFrame, VetoedActionsLeaveTheTreeAndSendNoAfterCode)
{
    struct Case
    {
        const char* pszName;
        int nVetoed;
        int nAfter;
    };
    const Case cases[] = {
        { "Close button", actionClosing, actionClosed },
        { "Auto Hide button", actionAutoHiding, actionAutoHidden },
        { "tab drag-out", actionDetachingTab, -1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CDockingTestFrame* pFrame = CDockingTestFrame::Build();
        ASSERT_NE(nullptr, pFrame);
        CDockingTestFrame& f = *pFrame;
        CVZPDockingPane* pOne = f.NewPane(1, L"One", 220, 100);
        CVZPDockingPane* pTwo = f.NewPane(2, L"Two", 220, 100);
        f.m_manager.DockPaneAtSide(pOne, vzpPaneDockLeft);
        f.m_manager.AttachPaneTo(pTwo, pOne);
        f.LayoutNow();
        CVZPDockingPaneTabbedContainer* pTabbed = f.TabbedOf(pOne);
        ASSERT_NE(nullptr, pTabbed);
        ASSERT_EQ(pTabbed, f.TabbedOf(pTwo));
        f.m_vetoes.insert(c.nVetoed);
        f.m_notes.clear();

        if (c.nVetoed == actionDetachingTab)
        {
            // Press on the second tab and leave the strip by posted moves.
            ASSERT_TRUE(pTabbed->IsTabStripShown());
            CRect rcTab = pTabbed->GetItem(1)->m_rcItem;
            CRect rcClient;
            pTabbed->GetClientRect(&rcClient);
            pTabbed->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rcTab.CenterPoint().x, rcClient.Height() / 3));
            pTabbed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
            PumpUntil([&] { return f.CountActions(actionDetachingTab) > 0; }, 2000);
            EXPECT_EQ(pTabbed->GetSafeHwnd(), ::GetCapture()) << "the drag stays inside the strip";
            EXPECT_EQ(pTwo, pTabbed->m_pDraggedTab);
            pTabbed->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
        }
        else
        {
            // The theme draws no caption yet: lay the buttons out in the
            // caption as a theme would, then click with real input.
            CRect rcCaption = pTabbed->GetCaptionRect();
            ASSERT_FALSE(rcCaption.IsRectEmpty());
            CDibCanvas canvas(rcCaption.right, rcCaption.bottom);
            CDC* pDC = CDC::FromHandle(canvas.Dc());
            f.m_manager.GetPaintManager()->DrawCaptionButtons(pDC, &pTabbed->m_arrCaptionButtons, &rcCaption, 0, 14,
                                                              2, FALSE);
            CVZPDockingPaneCaptionButton* pButton = pTabbed->FindCaptionButton(
                c.nVetoed == actionClosing ? VZP_IDS_DOCKINGPANE_CLOSE : VZP_IDS_DOCKINGPANE_AUTOHIDE);
            ASSERT_TRUE(pButton->IsVisible());
            CPoint pt = pButton->m_rc.CenterPoint();
            pTabbed->ClientToScreen(&pt);
            ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
            tesmir::test::SendMouseButtons(pt, { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP });
            ASSERT_TRUE(PumpUntil([&] { return f.CountActions(c.nVetoed) > 0; }, 5000));
            PumpUntil([] { return ::GetCapture() == NULL; }, 2000);
        }
        // Every move off the tabs asks again while the drag stays.
        if (c.nVetoed == actionDetachingTab)
            EXPECT_GE(f.CountActions(c.nVetoed), 1);
        else
            EXPECT_EQ(1, f.CountActions(c.nVetoed));
        if (c.nAfter >= 0)
        {
            EXPECT_EQ(0, f.CountActions(c.nAfter));
        }
        EXPECT_EQ(pTabbed, f.TabbedOf(pOne));
        EXPECT_EQ(pTabbed, f.TabbedOf(pTwo));
        EXPECT_EQ(2, pTabbed->GetPaneCount());
        EXPECT_EQ(pTwo, pTabbed->GetSelected());
        EXPECT_EQ(pTabbed, f.Top()->m_lstChildren.GetHead());
        pFrame->Destroy();
    }
}

TEST_F(DockingFrame, TheCloseButtonClosesTheSelectedPaneWhenNotVetoed)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pOne = f.NewPane(1, L"One");
    CVZPDockingPane* pTwo = f.NewPane(2, L"Two");
    f.m_manager.DockPaneAtSide(pOne, vzpPaneDockLeft);
    f.m_manager.AttachPaneTo(pTwo, pOne);
    f.LayoutNow();
    CVZPDockingPaneTabbedContainer* pTabbed = f.TabbedOf(pOne);
    f.m_notes.clear();
    pTabbed->OnCaptionButtonClick(pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_CLOSE));
    EXPECT_TRUE(pTwo->IsClosed());
    EXPECT_FALSE(::IsWindowVisible(pTwo->GetChildWindow()));
    EXPECT_EQ(f.m_manager.GetSafeHwnd(), ::GetParent(pTwo->GetChildWindow())) << "parked under the manager";
    std::vector<DockingNote> notes = f.Notes();
    ASSERT_EQ(3u, notes.size());
    EXPECT_EQ(actionClosing, notes[0].nAction);
    EXPECT_EQ(vzpDockingPaneClosing, notes[1].nCode);
    EXPECT_EQ(actionClosed, notes[2].nAction);
    EXPECT_EQ(pTwo, notes[2].pPane);

    // Shown again where it was last.
    f.m_manager.RevealPane(pTwo, FALSE);
    EXPECT_EQ(pTabbed, f.TabbedOf(pTwo));
    EXPECT_EQ(pTwo, pTabbed->GetSelected());
}

TEST_F(DockingFrame, AnAnswerOfMinusOneToCodeThreeKeepsThePane)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Kept");
    f.m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    f.LayoutNow();
    f.m_nCloseAnswer = -1;
    f.m_manager.ClosePane(pPane);
    EXPECT_FALSE(pPane->IsClosed());
    EXPECT_EQ(1u, f.Notes(vzpDockingPaneClosing).size());
    f.m_nCloseAnswer = 0;
    f.m_manager.ClosePane(pPane);
    EXPECT_TRUE(pPane->IsClosed());
    f.m_notes.clear();
    f.m_manager.ClosePane(NULL);
    EXPECT_TRUE(f.m_notes.empty());
}

TEST_F(DockingFrame, ActivatingTwiceSendsOneActivation)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pP = f.NewPane(1, L"P");
    CVZPDockingPane* pQ = f.NewPane(2, L"Q");
    f.m_manager.SetPaneActive(TRUE, pP);
    f.m_manager.SetPaneActive(TRUE, pP);
    EXPECT_EQ(1, f.CountActions(actionActivated));
    EXPECT_EQ(0, f.CountActions(actionDeactivated));
    f.m_manager.SetPaneActive(FALSE, pQ);
    EXPECT_EQ(0, f.CountActions(actionDeactivated)) << "q is not the active pane";
    f.m_manager.SetPaneActive(TRUE, pQ);
    EXPECT_EQ(1, f.CountActions(actionDeactivated));
    EXPECT_EQ(2, f.CountActions(actionActivated));
    EXPECT_EQ(pQ, f.m_manager.m_pActivePane);
    f.m_manager.SetPaneActive(FALSE, pQ);
    EXPECT_EQ(nullptr, f.m_manager.m_pActivePane);
    EXPECT_EQ(2, f.CountActions(actionDeactivated));
}

TEST_F(DockingFrame, FocusInsideAContainerMakesItsPaneActive)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Focus");
    f.m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    f.LayoutNow();
    f.SetActiveWindow();
    ::SetFocus(pPane->GetChildWindow());
    f.m_manager.SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_TRUE(f.TabbedOf(pPane)->IsActive());
    EXPECT_EQ(pPane, f.m_manager.m_pActivePane);
    ::SetFocus(f.m_wndView.GetSafeHwnd());
    f.m_manager.SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_FALSE(f.TabbedOf(pPane)->IsActive());
    EXPECT_EQ(nullptr, f.m_manager.m_pActivePane);
    EXPECT_EQ(1, f.CountActions(actionActivated));
    EXPECT_EQ(1, f.CountActions(actionDeactivated));
}

TEST(DockingFrameMirrored, ARightToLeftSiteSwapsLeftAndRight)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(400, 300), WS_EX_LAYOUTRTL);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->m_manager.IsSiteMirrored());
    EXPECT_EQ(vzpPaneDockRight, pFrame->m_manager.MirrorSide(vzpPaneDockLeft));
    EXPECT_EQ(vzpPaneDockLeft, pFrame->m_manager.MirrorSide(vzpPaneDockRight));
    EXPECT_EQ(vzpPaneDockTop, pFrame->m_manager.MirrorSide(vzpPaneDockTop));
    EXPECT_EQ(vzpPaneDockBottom, pFrame->m_manager.MirrorSide(vzpPaneDockBottom));
    pFrame->Destroy();

    CDockingTestFrame* pPlain = CDockingTestFrame::Build(CSize(400, 300));
    EXPECT_EQ(vzpPaneDockLeft, pPlain->m_manager.MirrorSide(vzpPaneDockLeft));
    pPlain->Destroy();
}

TEST(DockingFrameDelayed, DockingAsksForADelayedLayoutThatTheIdlePassRuns)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build();
    ASSERT_NE(nullptr, pFrame);
    CVZPDockingPane* pPane = pFrame->NewPane(1, L"Later", 100, 100);
    pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    EXPECT_NE(0u, pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    EXPECT_NE(0u, pFrame->m_nIdleFlags & CFrameWnd::idleNotify);
    pFrame->RecalcLayout();
    EXPECT_EQ(0u, pFrame->m_nIdleFlags & (CFrameWnd::idleLayout | CFrameWnd::idleNotify));
    EXPECT_EQ(CRect(0, 0, 100, 480), pFrame->TabbedOf(pPane)->GetPaneRect());
    pFrame->Destroy();
}

TEST_F(DockingFrame, TheDockRectangleIsWhereDockingWouldPutTheObject)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pLeft = f.NewPane(1, L"Left", 200, 100);
    f.m_manager.DockPaneAtSide(pLeft, vzpPaneDockLeft);
    f.LayoutNow();
    CVZPDockingPane* pNew = f.NewPane(2, L"New", 100, 100);
    CRect rcClient;
    f.GetClientRect(&rcClient);
    f.ClientToScreen(&rcClient);
    // Beside the left pane in the same row.
    CRect rcBeside = f.m_manager.ComputeDockRect(pNew, vzpPaneDockRight, pLeft);
    EXPECT_EQ(CRect(rcClient.left + 204, rcClient.top, rcClient.left + 304, rcClient.bottom), rcBeside);
    // Below the left pane: its own rectangle split by the docking heights
    // (100 and 100 of 476).
    CRect rcBelow = f.m_manager.ComputeDockRect(pNew, vzpPaneDockBottom, pLeft);
    EXPECT_EQ(CRect(rcClient.left, rcClient.top + 242, rcClient.left + 200, rcClient.bottom), rcBelow);
    f.m_manager.DockPaneAtSide(pNew, vzpPaneDockRight, pLeft);
    f.LayoutNow();
    EXPECT_EQ(rcBeside, f.TabbedOf(pNew)->GetScreenRect());
}

TEST_F(DockingFrame, SettingChangesReachTheManagerAndAskForALayout)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.DockPaneAtSide(f.NewPane(1, L"Pane"), vzpPaneDockLeft);
    f.LayoutNow();
    ASSERT_EQ(0u, f.m_nIdleFlags);
    f.SendMessage(WM_SETTINGCHANGE);
    EXPECT_NE(0u, f.m_nIdleFlags & CFrameWnd::idleLayout);
    f.LayoutNow();
    f.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_NE(0u, f.m_nIdleFlags & CFrameWnd::idleLayout);
}

TEST(DockingGlyphs, TheSharedGlyphsAreDrawnAroundTheCentre)
{
    CDibCanvas canvas(20, 20);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    const COLORREF clr = RGB(0, 0, 160);
    struct Case
    {
        int nID;
        DWORD dwState;
        std::vector<CPoint> set, clear;
    };
    // Centre (10, 10).
    const Case cases[] = {
        { VZP_IDS_DOCKINGPANE_CLOSE, 0, { { 6, 7 }, { 9, 10 }, { 13, 7 } }, { { 10, 6 }, { 14, 14 } } },
        { VZP_IDS_DOCKINGPANE_AUTOHIDE, 0, { { 7, 11 }, { 10, 14 }, { 8, 6 }, { 12, 8 } }, { { 10, 15 }, { 9, 8 } } },
        { VZP_IDS_DOCKINGPANE_AUTOHIDE, 2, { { 6, 10 }, { 9, 7 }, { 12, 12 } }, { { 10, 10 }, { 5, 9 } } },
        { VZP_IDS_DOCKINGPANE_MAXIMIZE, 0, { { 5, 5 }, { 13, 6 }, { 5, 13 }, { 13, 13 } }, { { 9, 9 }, { 14, 14 } } },
        { VZP_IDS_DOCKINGPANE_RESTORE, 0, { { 6, 8 }, { 8, 5 }, { 8, 7 }, { 13, 9 }, { 12, 10 } }, { { 8, 10 } } },
        { VZP_IDS_DOCKINGPANE_MENU, 0, { { 9, 11 }, { 10, 11 }, { 7, 9 } }, { { 10, 13 }, { 9, 7 } } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nID << " state " << c.dwState);
        canvas.Fill(RGB(255, 255, 255));
        CVZPDockingPanePaintManager::DrawCommonGlyph(pDC, c.nID, c.dwState, CPoint(10, 10), clr);
        for (const CPoint& pt : c.set)
            EXPECT_EQ(clr, canvas.Pixel(pt.x, pt.y)) << pt.x << ", " << pt.y;
        for (const CPoint& pt : c.clear)
            EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(pt.x, pt.y)) << pt.x << ", " << pt.y;
    }
}

}  // namespace vzpanes_test
