// Tabbed containers with three panes in a frame: the tab strip, the caption
// buttons, removing panes, help hit testing, reordering tabs and the
// maximise group.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <afxpriv.h>

#include "CVZPDockingPanePaintManager.h"
#include "DockingFrameFixture.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

namespace {

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

class TabbedContainer : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = CDockingTestFrame::Build();
        ASSERT_NE(nullptr, m_pFrame);
        for (int i = 0; i < 3; i++)
        {
            static const wchar_t* s_titles[] = { L"Output\nOut", L"Tasks", L"Search" };
            m_pPanes[i] = m_pFrame->NewPane(10 + i, s_titles[i], 300, 200);
        }
        m_pFrame->m_manager.DockPaneAtSide(m_pPanes[0], vzpPaneDockLeft);
        m_pFrame->m_manager.AttachPaneTo(m_pPanes[1], m_pPanes[0]);
        m_pFrame->m_manager.AttachPaneTo(m_pPanes[2], m_pPanes[0]);
        m_pFrame->LayoutNow();
        m_pTabbed = m_pFrame->TabbedOf(m_pPanes[0]);
        ASSERT_NE(nullptr, m_pTabbed);
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->Destroy();
    }
    LPARAM TabPoint(int nTab)
    {
        CPoint pt = m_pTabbed->GetItem(nTab)->m_rcItem.CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }

    CDockingTestFrame* m_pFrame = NULL;
    CVZPDockingPane* m_pPanes[3] = {};
    CVZPDockingPaneTabbedContainer* m_pTabbed = NULL;
};

}  // namespace

TEST_F(TabbedContainer, TabsFollowThePanesWithTheirCaptionsAndColours)
{
    ASSERT_EQ(3, m_pTabbed->GetItemCount());
    EXPECT_TRUE(m_pTabbed->IsTabStripShown());
    EXPECT_EQ(CString(L"Out"), m_pTabbed->GetItem(0)->m_strCaption) << "the text after the line feed";
    EXPECT_EQ(CString(L"Output"), m_pTabbed->GetItem(0)->m_strTooltip);
    EXPECT_EQ(COLORREF(0x1000000 + 10 % 8), m_pTabbed->GetItem(0)->m_clrItem);
    EXPECT_EQ(m_pPanes[2], m_pTabbed->GetSelected()) << "the last attached pane is selected";
    EXPECT_EQ(m_pTabbed->GetItem(2), m_pTabbed->GetSelectedItem());
    EXPECT_TRUE(::IsWindowVisible(m_pPanes[2]->GetChildWindow()));
    EXPECT_FALSE(::IsWindowVisible(m_pPanes[0]->GetChildWindow()));

    // The panes' windows fill the client area above the strip.
    CRect rcChild;
    ::GetWindowRect(m_pPanes[2]->GetChildWindow(), &rcChild);
    m_pTabbed->ScreenToClient(&rcChild);
    CVZPDockingPanePaintManager* pPaint = m_pFrame->m_manager.GetPaintManager();
    const int nCaption = pPaint->GetCaptionHeight() + 3;
    EXPECT_EQ(nCaption, rcChild.top);
    EXPECT_EQ(300, rcChild.Width());
    EXPECT_LE(rcChild.bottom, m_pTabbed->GetItem(0)->m_rcItem.top);
    EXPECT_EQ(-2, m_pTabbed->HitTest(CPoint(20, nCaption / 2)));
    EXPECT_EQ(1, m_pTabbed->HitTest(m_pTabbed->GetItem(1)->m_rcItem.CenterPoint()));
    EXPECT_EQ(-1, m_pTabbed->HitTest(CPoint(20, nCaption + 20)));
}

TEST_F(TabbedContainer, OnePaneShowsNoStripUnlessAskedTo)
{
    m_pFrame->m_manager.ClosePane(m_pPanes[0]);
    m_pFrame->m_manager.ClosePane(m_pPanes[1]);
    m_pFrame->LayoutNow();
    ASSERT_EQ(1, m_pTabbed->GetItemCount());
    EXPECT_FALSE(m_pTabbed->IsTabStripShown());
    m_pFrame->m_manager.GetPaintManager()->m_bShowTabsForOnePane = TRUE;
    EXPECT_TRUE(m_pTabbed->IsTabStripShown());
    m_pFrame->m_manager.GetPaintManager()->m_bShowTabsForOnePane = FALSE;
}

TEST_F(TabbedContainer, CaptionButtonsShowByTheSelectedPanesOptions)
{
    struct Case
    {
        DWORD dwOptions;
        BOOL bClose, bAutoHide, bMenu;
    };
    const Case cases[] = {
        { 0x00, TRUE, TRUE, FALSE },  { 0x01, FALSE, TRUE, FALSE }, { 0x02, TRUE, FALSE, FALSE },
        { 0x10, TRUE, TRUE, TRUE },   { 0x13, FALSE, FALSE, TRUE },
    };
    CVZPDockingPane* pSelected = m_pTabbed->GetSelected();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "options " << c.dwOptions);
        pSelected->SetOptions(c.dwOptions);
        EXPECT_EQ(c.bClose, m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_CLOSE)->IsVisible());
        EXPECT_EQ(c.bAutoHide, m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_AUTOHIDE)->IsVisible());
        EXPECT_EQ(c.bMenu, m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_MENU)->IsVisible());
        EXPECT_FALSE(m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_MAXIMIZE)->IsVisible());
        EXPECT_FALSE(m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_RESTORE)->IsVisible());
    }
    // The manager's default options count as the pane's own.
    pSelected->SetOptions(0);
    m_pFrame->m_manager.m_dwDefaultPaneOptions = 0x01;
    EXPECT_FALSE(m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_CLOSE)->IsVisible());
    m_pFrame->m_manager.m_dwDefaultPaneOptions = 0;
    // No caption at all with option 0x08.
    pSelected->SetOptions(0x08);
    EXPECT_FALSE(m_pTabbed->HasCaption());
    pSelected->SetOptions(0);
}

TEST_F(TabbedContainer, RemovingTheSelectedPaneSelectsTheLastAndTheLastPaneTakesTheWindow)
{
    m_pTabbed->SelectPane(m_pPanes[0], FALSE, TRUE);
    m_pFrame->m_manager.ClosePane(m_pPanes[0]);
    EXPECT_EQ(m_pPanes[2], m_pTabbed->GetSelected());
    m_pFrame->m_manager.ClosePane(m_pPanes[2]);
    EXPECT_EQ(m_pPanes[1], m_pTabbed->GetSelected());
    HWND hWnd = m_pTabbed->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hWnd));
    m_pFrame->m_manager.ClosePane(m_pPanes[1]);
    EXPECT_EQ(nullptr, m_pTabbed->GetSelected());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(m_pTabbed->IsEmpty());
    m_pFrame->LayoutNow();
    CRect rcView;
    m_pFrame->m_wndView.GetWindowRect(&rcView);
    EXPECT_EQ(640, rcView.Width()) << "the empty container takes no room";
}

TEST_F(TabbedContainer, HelpHitTestAnswersThePaneId)
{
    m_pPanes[2]->m_nHelpID = 0;
    LRESULT lHelp = m_pTabbed->SendMessage(WM_HELPHITTEST, 0, TabPoint(2));
    EXPECT_EQ(LRESULT(0x2000C), lHelp) << "id 12, help id 0";
    m_pPanes[0]->m_nHelpID = 77;
    EXPECT_EQ(LRESULT(0x20000 + 77), m_pTabbed->SendMessage(WM_HELPHITTEST, 0, TabPoint(0)));
    // Off the tabs: the selected pane.
    EXPECT_EQ(LRESULT(0x2000C), m_pTabbed->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 40)));
}

TEST_F(TabbedContainer, DraggingATabOverItsNeighbourSwapsThem)
{
    m_pFrame->m_notes.clear();
    m_pTabbed->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, TabPoint(1));
    m_pTabbed->PostMessage(WM_LBUTTONUP, 0, TabPoint(1));
    m_pTabbed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(2));
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == NULL; }, 2000));
    std::vector<CVZPDockingPane*> order;
    for (POSITION pos = m_pTabbed->GetPanes().GetHeadPosition(); pos != NULL;)
        order.push_back(m_pTabbed->GetPanes().GetNext(pos));
    EXPECT_EQ((std::vector<CVZPDockingPane*>{ m_pPanes[0], m_pPanes[2], m_pPanes[1] }), order);
    EXPECT_EQ(m_pPanes[2], m_pTabbed->GetPaneAt(1)) << "tabs follow the panes";
    EXPECT_EQ(m_pPanes[2], m_pTabbed->GetSelected());
    EXPECT_EQ(0, m_pFrame->CountActions(actionDetachingTab));
}

TEST_F(TabbedContainer, ARightClickSelectsTheTabAndTellsTheSite)
{
    m_pFrame->m_notes.clear();
    m_pTabbed->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, TabPoint(0));
    EXPECT_EQ(m_pPanes[0], m_pTabbed->GetSelected());
    std::vector<DockingNote> notes = m_pFrame->Notes(vzpDockingPaneRClick);
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(LPARAM(static_cast<CVZPDockingPaneBase*>(m_pTabbed)), notes[0].lParam);
}

TEST_F(TabbedContainer, MaximisingOneSiblingLeavesTheOtherOnlyItsChrome)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bMaximizeButtons = TRUE;
    CVZPDockingPane* pOther = f.NewPane(20, L"Other", 200, 100);
    f.m_manager.DockPaneAtSide(pOther, vzpPaneDockRight, m_pPanes[0]);
    f.LayoutNow();
    CVZPDockingPaneTabbedContainer* pSibling = f.TabbedOf(pOther);
    ASSERT_EQ(m_pTabbed->GetParentContainer(), pSibling->GetParentContainer());
    // The client shares the row: the two tabbed containers are siblings.
    EXPECT_TRUE(m_pTabbed->CanMaximize());
    EXPECT_TRUE(m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_MAXIMIZE)->IsVisible());

    m_pTabbed->OnCaptionButtonClick(m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_MAXIMIZE));
    EXPECT_TRUE(m_pTabbed->IsMaximized());
    EXPECT_TRUE(m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_RESTORE)->IsVisible());
    EXPECT_TRUE(pSibling->IsOtherMaximized());
    MINMAXINFO mmi;
    pSibling->GetMinMaxInfo(&mmi);
    EXPECT_EQ(0, mmi.ptMaxTrackSize.x) << "one pane: no strip, and the caption takes no width";
    EXPECT_EQ(32000 + f.m_manager.GetPaintManager()->GetCaptionHeight() + 3, mmi.ptMaxTrackSize.y);
    CRect rcSibling = pSibling->GetPaneRect();
    EXPECT_EQ(0, rcSibling.Width());

    m_pTabbed->OnCaptionButtonClick(m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_RESTORE));
    EXPECT_FALSE(pSibling->IsOtherMaximized());
    EXPECT_EQ(200, pSibling->GetPaneRect().Width());
}

TEST_F(TabbedContainer, TheCaptionTurnsByTheManagersMode)
{
    struct Case
    {
        int nMode;
        BOOL bVertical;
    };
    // The container is docked at the left, 300 wide and 480 tall.
    const Case cases[] = { { 0, FALSE }, { 1, TRUE }, { 2, FALSE }, { 3, FALSE } };
    for (const Case& c : cases)
    {
        m_pFrame->m_manager.m_nVerticalCaptionMode = c.nMode;
        EXPECT_EQ(c.bVertical, m_pTabbed->IsCaptionVertical()) << c.nMode;
    }
    // Docked at the bottom and wider than tall: modes 2 and 3 turn it.
    CVZPDockingPane* pBottom = m_pFrame->NewPane(30, L"Bottom", 100, 80);
    m_pFrame->m_manager.DockPaneAtSide(pBottom, vzpPaneDockBottom);
    m_pFrame->LayoutNow();
    CVZPDockingPaneTabbedContainer* pWide = m_pFrame->TabbedOf(pBottom);
    for (int nMode : { 2, 3 })
    {
        m_pFrame->m_manager.m_nVerticalCaptionMode = nMode;
        EXPECT_TRUE(pWide->IsCaptionVertical()) << nMode;
    }
    // A vertical caption takes its room from the left.
    m_pFrame->m_manager.m_nVerticalCaptionMode = 1;
    CRect rc(0, 0, 100, 100);
    m_pFrame->m_manager.GetPaintManager()->AdjustCaptionRect(pWide, &rc);
    EXPECT_EQ(CRect(m_pFrame->m_manager.GetPaintManager()->GetCaptionHeight() + 3, 0, 100, 100), rc);
    m_pFrame->m_manager.m_nVerticalCaptionMode = 0;
}

TEST_F(TabbedContainer, TheHeaderIsTheCaptionStripAndTheTabStrip)
{
    CVZPDockingPanePaintManager* pPaint = m_pFrame->m_manager.GetPaintManager();
    CRect rc = m_pTabbed->GetScreenRect();
    const int nCaption = pPaint->GetCaptionHeight() + 3;
    EXPECT_TRUE(m_pTabbed->IsPointInHeader(rc, CPoint(rc.left + 20, rc.top + nCaption - 1)));
    EXPECT_FALSE(m_pTabbed->IsPointInHeader(rc, CPoint(rc.left + 20, rc.top + nCaption + 1)));
    EXPECT_TRUE(m_pTabbed->IsPointInHeader(rc, CPoint(rc.left + 20, rc.bottom - pPaint->GetTabStripHeight())));
    EXPECT_FALSE(m_pTabbed->IsPointInHeader(rc, CPoint(rc.left + 20, rc.bottom - pPaint->GetTabStripHeight() - 1)));
}

TEST_F(TabbedContainer, ADragOverSelectsTheTabUnderItOnlyWhenAsked)
{
    CVZPTabPaintManager* pTabs = m_pTabbed->GetPaintManager();
    CVZPDockingPaneTabbedContainerDropTarget* pTarget = m_pTabbed->m_pDropTarget;
    ASSERT_NE(nullptr, pTarget);
    const CPoint pt = m_pTabbed->GetItem(0)->m_rcItem.CenterPoint();
    pTabs->m_bSelectOnDragOver = FALSE;
    EXPECT_EQ(DROPEFFECT(DROPEFFECT_NONE), pTarget->OnDragOver(m_pTabbed, NULL, 0, pt));
    EXPECT_EQ(m_pPanes[2], m_pTabbed->GetSelected());
    pTabs->m_bSelectOnDragOver = TRUE;
    EXPECT_EQ(DROPEFFECT(DROPEFFECT_NONE), pTarget->OnDragOver(m_pTabbed, NULL, 0, pt));
    EXPECT_EQ(m_pPanes[0], m_pTabbed->GetSelected());
    pTabs->m_bSelectOnDragOver = FALSE;
}

TEST_F(TabbedContainer, TheMenuButtonAsksTheSiteWithItsScreenRectangle)
{
    m_pPanes[2]->SetOptions(vzpPaneHasMenuButton);
    CRect rcCaption = m_pTabbed->GetCaptionRect();
    CDibCanvas canvas(rcCaption.right, rcCaption.bottom);
    m_pFrame->m_manager.GetPaintManager()->DrawCaptionButtons(CDC::FromHandle(canvas.Dc()),
                                                              &m_pTabbed->m_arrCaptionButtons, &rcCaption, 0, 14, 2,
                                                              FALSE);
    CVZPDockingPaneCaptionButton* pMenu = m_pTabbed->FindCaptionButton(VZP_IDS_DOCKINGPANE_MENU);
    ASSERT_FALSE(pMenu->m_rc.IsRectEmpty());
    m_pFrame->m_notes.clear();
    CPoint pt = pMenu->m_rc.CenterPoint();
    m_pTabbed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    std::vector<DockingNote> notes = m_pFrame->Notes(vzpDockingPaneMenu);
    ASSERT_EQ(1u, notes.size());
    EXPECT_FALSE(pMenu->m_bPressed);
    m_pPanes[2]->SetOptions(0);
}

TEST_F(TabbedContainer, StoringTheDockingSizeTakesTheSideIntoAccount)
{
    m_pTabbed->m_nDockingCX = 1;
    m_pTabbed->StoreDockingSize();
    EXPECT_EQ(300, m_pTabbed->m_nDockingCX) << "docked at the left: the width";
    for (CVZPDockingPane* pPane : m_pPanes)
        EXPECT_EQ(300, pPane->m_nDockingCX);
}

}  // namespace vzpanes_test
