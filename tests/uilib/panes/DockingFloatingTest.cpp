// Floating frames in a real frame: the docked/floating toggle and its
// notifications and vetoes, the frame's window style, title and system menu,
// its placement on the work area, roll-up driven by direct timer calls, and
// a layout with floating frames saved and loaded again.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <afxpriv.h>
#include <afxres.h>

#include "CVZPDockingPaneAutoHidePanel.h"
#include "CVZPDockingPaneMiniWnd.h"
#include "CVZPMonitorApi.h"
#include "CVZPPropExchangeArchive.h"
#include "CVZPPropExchangeRegistry.h"
#include "DockingFrameFixture.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

namespace {

using tesmir::test::PlaceCursorByInput;
using tesmir::test::PumpUntil;

class FloatingFrames : public testing::Test
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

    CVZPDockingPane* DockedPane(int nID, LPCWSTR pszTitle, DWORD dwOptions = 0)
    {
        CVZPDockingPane* pPane = m_pFrame->NewPane(nID, pszTitle);
        pPane->SetOptions(dwOptions);
        m_pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
        m_pFrame->LayoutNow();
        return pPane;
    }

    CDockingTestFrame* m_pFrame = NULL;
};

}  // namespace

// The floating frame a pane lives in, or NULL.
CVZPDockingPaneMiniWnd* FrameOf(CVZPDockingPane* pPane)
{
    CWnd* pHost = pPane->GetParentContainer() != NULL ? pPane->GetParentContainer()->GetHostWindow() : NULL;
    return pHost != NULL && pHost->IsKindOf(RUNTIME_CLASS(CVZPDockingPaneMiniWnd))
               ? static_cast<CVZPDockingPaneMiniWnd*>(pHost)
               : NULL;
}

// Runs the delayed layouts the idle pass would run for the floating frames.
void LayOutFrames(CVZPDockingPaneLayout* pLayout)
{
    for (POSITION pos = pLayout->GetObjects().GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pObject = pLayout->GetObjects().GetNext(pos);
        if (pObject->GetType() != vzpPaneTypeMiniWnd)
            continue;
        CVZPDockingPaneMiniWnd* pFrame = static_cast<CVZPDockingPaneMiniWnd*>(pObject);
        if (pFrame->GetSafeHwnd() != NULL)
            pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
}

TEST_F(FloatingFrames, TogglingFloatsIntoAFrameAndBackIntoTheDockingHolder)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = DockedPane(1, L"Solo");
    CVZPDockingPaneTabbedContainer* pHolder = f.TabbedOf(pPane);
    ASSERT_NE(nullptr, pHolder);
    f.m_notes.clear();

    f.m_manager.SwitchDockedFloating(pPane);
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    EXPECT_FALSE(pMini->m_bCreateFailed);
    EXPECT_EQ(0x80CC1100u, pMini->GetStyle() & ~DWORD(WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN))
        << std::hex << pMini->GetStyle();
    EXPECT_EQ(f.GetSafeHwnd(), ::GetWindow(pMini->GetSafeHwnd(), GW_OWNER));
    ASSERT_EQ(2u, f.Notes(vzpDockingPaneAction).size());
    EXPECT_EQ(actionFloating, f.Notes(vzpDockingPaneAction)[0].nAction);
    EXPECT_EQ(nullptr, f.Notes(vzpDockingPaneAction)[0].pTarget) << "no floating holder yet";
    EXPECT_EQ(actionFloated, f.Notes(vzpDockingPaneAction)[1].nAction);
    // The frame's first container has its parent: docking queries and drags
    // find it.
    CVZPDockingPaneTabbedContainer* pFloating = f.TabbedOf(pPane);
    ASSERT_NE(nullptr, pFloating);
    EXPECT_EQ(pMini->GetTopContainer(), pFloating->GetParentContainer());
    EXPECT_EQ(static_cast<CVZPDockingPaneBase*>(pMini), pMini->GetTopContainer()->GetParentContainer());
    LayOutFrames(f.Layout());
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_TRUE(::IsWindowVisible(pFloating->GetSafeHwnd()));
    EXPECT_EQ(pFloating, f.Layout()->FindRecord(pPane)->pFloatingHolder);
    EXPECT_EQ(pHolder, f.Layout()->FindRecord(pPane)->pDockingHolder);

    // The system menu: no minimise, maximise or restore; Close reads "&Hide".
    CMenu* pMenu = pMini->GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(UINT(-1), pMenu->GetMenuState(SC_MINIMIZE, MF_BYCOMMAND));
    EXPECT_EQ(UINT(-1), pMenu->GetMenuState(SC_MAXIMIZE, MF_BYCOMMAND));
    EXPECT_EQ(UINT(-1), pMenu->GetMenuState(SC_RESTORE, MF_BYCOMMAND));
    CString strClose;
    pMenu->GetMenuString(SC_CLOSE, strClose, MF_BYCOMMAND);
    EXPECT_EQ(CString(L"&Hide"), strClose);
    EXPECT_EQ(0u, pMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED));

    f.m_notes.clear();
    f.m_manager.SwitchDockedFloating(pPane);
    EXPECT_EQ(pHolder, f.TabbedOf(pPane)) << "back in its docking holder";
    EXPECT_EQ(nullptr, FrameOf(pPane));
    ASSERT_EQ(2u, f.Notes(vzpDockingPaneAction).size());
    EXPECT_EQ(actionDocking, f.Notes(vzpDockingPaneAction)[0].nAction);
    EXPECT_EQ(static_cast<CVZPDockingPaneBase*>(pHolder), f.Notes(vzpDockingPaneAction)[0].pTarget);
    EXPECT_EQ(actionDocked, f.Notes(vzpDockingPaneAction)[1].nAction);
    LayOutFrames(f.Layout());
    f.LayoutNow();
    EXPECT_FALSE(pMini->IsWindowVisible()) << "the emptied frame hides";
    EXPECT_TRUE(::IsWindowVisible(pHolder->GetSafeHwnd()));

    // And out again into the same floating holder.
    f.m_manager.SwitchDockedFloating(pPane);
    EXPECT_EQ(pFloating, f.TabbedOf(pPane));
    LayOutFrames(f.Layout());
    EXPECT_TRUE(pMini->IsWindowVisible());
}

TEST_F(FloatingFrames, RefusedFloatingAndVetoesLeaveThePaneWhereItWas)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pFixed = DockedPane(1, L"Fixed", vzpPaneNoFloatable);
    CVZPDockingPaneTabbedContainer* pHolder = f.TabbedOf(pFixed);
    f.m_notes.clear();
    f.m_manager.SwitchDockedFloating(pFixed);
    EXPECT_EQ(pHolder, f.TabbedOf(pFixed));
    EXPECT_TRUE(f.Notes().empty()) << "option 0x04: nothing is sent";

    CVZPDockingPane* pPane = DockedPane(2, L"Vetoed");
    CVZPDockingPaneTabbedContainer* pDocked = f.TabbedOf(pPane);
    f.m_vetoes = { actionFloating };
    f.m_notes.clear();
    f.m_manager.SwitchDockedFloating(pPane);
    EXPECT_EQ(pDocked, f.TabbedOf(pPane));
    EXPECT_EQ(0, f.CountActions(actionFloated));

    f.m_vetoes.clear();
    f.m_manager.SwitchDockedFloating(pPane);
    CVZPDockingPaneTabbedContainer* pFloating = f.TabbedOf(pPane);
    ASSERT_NE(nullptr, FrameOf(pPane));
    f.m_vetoes = { actionDocking };
    f.m_notes.clear();
    f.m_manager.SwitchDockedFloating(pPane);
    EXPECT_EQ(pFloating, f.TabbedOf(pPane)) << "a docking veto keeps it floating";
    EXPECT_EQ(0, f.CountActions(actionDocked));
}

TEST_F(FloatingFrames, ARectangleLeftOfTheWorkAreaIsMovedOntoIt)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Away");
    const CRect rcWork = GetWorkAreaForRect(CRect(0, 0, 10, 10));
    const CRect rcAway(rcWork.left - 400, rcWork.top + 100, rcWork.left - 200, rcWork.top + 250);
    f.m_manager.FloatPaneAt(pPane, rcAway);
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    CRect rcWindow;
    pMini->GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWork.left, rcWindow.left) << "the frame's left edge goes onto the work area's";
    EXPECT_EQ(rcAway.Width(), rcWindow.Width());
    EXPECT_EQ(rcAway.top, rcWindow.top) << "vertically inside already";

    // Below and right of it the same, by the far edges.
    CVZPDockingPane* pOther = f.NewPane(2, L"Far");
    const CRect rcFar(rcWork.right + 50, rcWork.bottom + 60, rcWork.right + 250, rcWork.bottom + 160);
    f.m_manager.FloatPaneAt(pOther, rcFar);
    ASSERT_NE(nullptr, FrameOf(pOther));
    FrameOf(pOther)->GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWork.right, rcWindow.right);
    EXPECT_EQ(rcWork.bottom, rcWindow.bottom);
}

TEST_F(FloatingFrames, TheTitleFollowsOneContainerAndTwoShowTheFloatingCaption)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_strFloatingCaption = L"Several panes";
    CVZPDockingPane* pOne = f.NewPane(1, L"First\nTab 1");
    CVZPDockingPane* pTwo = f.NewPane(2, L"Second");
    f.m_manager.FloatPaneAt(pOne, CRect(100, 100, 400, 300));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pOne);
    ASSERT_NE(nullptr, pMini);
    CString strTitle;
    pMini->GetWindowText(strTitle);
    EXPECT_EQ(CString(L"First"), strTitle);
    EXPECT_FALSE(f.TabbedOf(pOne)->HasCaption()) << "one container draws no caption";
    EXPECT_EQ(pOne, pMini->GetSinglePane());

    // A second container beside the first in the same frame.
    f.m_manager.DockPaneAtSide(pTwo, vzpPaneDockRight, f.TabbedOf(pOne));
    ASSERT_EQ(pMini, FrameOf(pTwo));
    LayOutFrames(f.Layout());
    pMini->GetWindowText(strTitle);
    EXPECT_EQ(CString(L"Several panes"), strTitle);
    EXPECT_TRUE(f.TabbedOf(pOne)->HasCaption());
    EXPECT_TRUE(f.TabbedOf(pTwo)->HasCaption());
    EXPECT_EQ(nullptr, pMini->GetSinglePane());

    // Back to one: the title follows the remaining pane again.
    f.m_manager.ClosePane(pOne);
    pMini->GetWindowText(strTitle);
    EXPECT_EQ(CString(L"Second"), strTitle);
}

TEST_F(FloatingFrames, PanesThatCannotCloseDisableTheSystemClose)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bThemedFloatingFrames = TRUE;
    CVZPDockingPane* pPane = f.NewPane(1, L"Kept");
    pPane->SetOptions(vzpPaneNoCloseable);
    f.m_manager.FloatPaneAt(pPane, CRect(100, 100, 400, 300));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    CMenu* pMenu = pMini->GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_NE(0u, pMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_DISABLED);
    EXPECT_FALSE(pMini->m_bCloseEnabled);
    EXPECT_FALSE(pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_CLOSE)->IsVisible());
    EXPECT_TRUE(pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_AUTOHIDE)->IsVisible());
    EXPECT_FALSE(pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_MENU)->IsVisible());

    // WM_CLOSE closes only what may close, and keeps the frame object.
    CVZPDockingPane* pOther = f.NewPane(2, L"Closable");
    f.m_manager.AttachPaneTo(pOther, pPane);
    pMini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(pPane->IsClosed());
    EXPECT_TRUE(pOther->IsClosed());
    EXPECT_EQ(1, f.CountActions(actionClosing));
    EXPECT_EQ(1, f.CountActions(actionClosed));
    EXPECT_TRUE(::IsWindow(pMini->GetSafeHwnd()));
}

TEST_F(FloatingFrames, RollUpByTimersShrinksInEightStepsAndHoverRollsOut)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bThemedFloatingFrames = TRUE;
    CVZPDockingPane* pPane = DockedPane(1, L"Rolling");
    f.m_manager.SwitchDockedFloating(pPane);
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    LayOutFrames(f.Layout());
    const int nCaption = f.m_manager.GetPaintManager()->GetCaptionHeight();
    // The pointer and the focus elsewhere.
    ASSERT_TRUE(PlaceCursorByInput(::GetSystemMetrics(SM_CXSCREEN) - 3, ::GetSystemMetrics(SM_CYSCREEN) - 3));
    f.m_wndView.SetFocus();
    CRect rcWindow;
    pMini->GetWindowRect(&rcWindow);
    const int nFull = rcWindow.Height();

    pMini->ToggleRollUp();
    EXPECT_TRUE(pMini->m_bRollUpMode);
    EXPECT_EQ(2u, pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_AUTOHIDE)->m_dwGlyphState);
    for (int i = 0; i < 5; i++)
        pMini->OnTimer(CVZPDockingPaneMiniWnd::TimerLeave);
    EXPECT_FALSE(pMini->m_bRolling) << "five polls are not enough";
    pMini->OnTimer(CVZPDockingPaneMiniWnd::TimerLeave);
    EXPECT_TRUE(pMini->m_bRolling);

    std::vector<int> heights;
    for (int i = 0; i < 8; i++)
    {
        pMini->OnTimer(CVZPDockingPaneMiniWnd::TimerRoll);
        pMini->GetWindowRect(&rcWindow);
        heights.push_back(rcWindow.Height());
    }
    EXPECT_FALSE(pMini->m_bRolling) << "eight steps";
    EXPECT_EQ(0, pMini->m_nStep) << "the roll ends at step 0";
    EXPECT_EQ(nCaption + 8, heights.back());
    EXPECT_EQ(std::max(7 * nFull / 8, nCaption + 8), heights[0]);
    for (size_t i = 1; i < heights.size(); i++)
        EXPECT_LE(heights[i], heights[i - 1]);

    // Hovering the rolled-up frame rolls it out at once.
    pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rcWindow.left + 5, rcWindow.top + 3));
    pMini->GetWindowRect(&rcWindow);
    EXPECT_EQ(nFull, rcWindow.Height());
    EXPECT_TRUE(pMini->m_bExpandedNow);
    EXPECT_EQ(8, pMini->m_nLeaveCountdown);

    // A caption double-click in roll-up mode only leaves the mode.
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rcWindow.left + 5, rcWindow.top + 3));
    EXPECT_FALSE(pMini->m_bRollUpMode);
    EXPECT_EQ(pMini, FrameOf(pPane)) << "still floating";
    pMini->GetWindowRect(&rcWindow);
    EXPECT_EQ(nFull, rcWindow.Height());

    // Without roll-up mode a caption double-click docks the panes.
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rcWindow.left + 5, rcWindow.top + 3));
    EXPECT_EQ(nullptr, FrameOf(pPane));
}

TEST_F(FloatingFrames, ATurnOfThemeReappliesTheFrameStyle)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Styled");
    f.m_manager.FloatPaneAt(pPane, CRect(100, 100, 400, 300));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    EXPECT_NE(0u, pMini->GetStyle() & WS_BORDER);
    f.m_manager.m_bThemedFloatingFrames = TRUE;
    f.m_manager.SelectTheme(2);
    EXPECT_EQ(0u, pMini->GetStyle() & WS_BORDER) << "themed frames draw their own border";
    // A themed frame's client area starts below its own caption.
    CRect rcWindow, rcClient;
    pMini->GetWindowRect(&rcWindow);
    pMini->GetClientRect(&rcClient);
    pMini->ClientToScreen(&rcClient);
    EXPECT_GE(rcClient.top - rcWindow.top, f.m_manager.GetPaintManager()->GetCaptionHeight() + 1);
    const LRESULT nHit =
        pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + rcWindow.Width() / 2, rcWindow.top + 6));
    EXPECT_EQ(HTCAPTION, nHit);
    f.m_manager.m_bThemedFloatingFrames = FALSE;
    f.m_manager.SelectTheme(0);
    EXPECT_NE(0u, pMini->GetStyle() & WS_BORDER);
}

TEST_F(FloatingFrames, TheIdlePassLaysOutAFloatingFrame)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pOne = f.NewPane(1, L"One");
    CVZPDockingPane* pTwo = f.NewPane(2, L"Two");
    f.m_manager.FloatPaneAt(pOne, CRect(100, 100, 420, 300));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pOne);
    ASSERT_NE(nullptr, pMini);
    AfxGetApp()->OnIdle(0);
    EXPECT_EQ(0u, pMini->m_nIdleFlags & CFrameWnd::idleLayout);
    f.m_manager.DockPaneAtSide(pTwo, vzpPaneDockRight, f.TabbedOf(pOne));
    ASSERT_NE(0u, pMini->m_nIdleFlags & CFrameWnd::idleLayout) << "docking asks the frame for a delayed layout";
    EXPECT_TRUE(f.TabbedOf(pTwo)->GetPaneRect().IsRectEmpty());
    AfxGetApp()->OnIdle(0);
    EXPECT_EQ(0u, pMini->m_nIdleFlags & CFrameWnd::idleLayout);
    const CRect rcOne = f.TabbedOf(pOne)->GetPaneRect();
    const CRect rcTwo = f.TabbedOf(pTwo)->GetPaneRect();
    EXPECT_FALSE(rcTwo.IsRectEmpty()) << "the frame was laid out by the idle pass";
    EXPECT_LT(rcOne.right, rcTwo.left + 1);
}

TEST_F(FloatingFrames, ThemedCaptionButtonsRollUpAndCloseByRealInput)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bThemedFloatingFrames = TRUE;
    CVZPDockingPane* pPane = f.NewPane(1, L"Buttons");
    f.m_manager.FloatPaneAt(pPane, CRect(200, 150, 460, 360));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    LayOutFrames(f.Layout());
    ASSERT_TRUE(tesmir::test::BringToFront(pMini->GetSafeHwnd()));
    pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    CVZPDockingPaneCaptionButton* pClose = pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_CLOSE);
    CVZPDockingPaneCaptionButton* pRoll = pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_AUTOHIDE);
    ASSERT_FALSE(pClose->m_rc.IsRectEmpty()) << "the caption was painted with its buttons";
    ASSERT_FALSE(pRoll->m_rc.IsRectEmpty());
    CRect rcWindow;
    pMini->GetWindowRect(&rcWindow);
    // The caption band answers as a caption.
    EXPECT_EQ(HTCAPTION, pMini->SendMessage(WM_NCHITTEST, 0,
                                            MAKELPARAM(rcWindow.left + 40, rcWindow.top + pRoll->m_rc.CenterPoint().y)));

    const CPoint ptRoll = rcWindow.TopLeft() + pRoll->m_rc.CenterPoint();
    ASSERT_TRUE(tesmir::test::SendMouseSteps({ { ptRoll, 0 }, { ptRoll, MOUSEEVENTF_LEFTDOWN }, { ptRoll, MOUSEEVENTF_LEFTUP } }));
    ASSERT_TRUE(PumpUntil([&] { return pMini->m_bRollUpMode; })) << "the roll-up button enters roll-up mode";
    EXPECT_EQ(2u, pRoll->m_dwGlyphState);

    f.m_notes.clear();
    pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    pMini->GetWindowRect(&rcWindow);
    const CPoint ptClose = rcWindow.TopLeft() + pClose->m_rc.CenterPoint();
    ASSERT_TRUE(tesmir::test::SendMouseSteps(
        { { CPoint(ptClose.x - 40, ptClose.y), 0 }, { ptClose, 0 }, { ptClose, MOUSEEVENTF_LEFTDOWN }, { ptClose, MOUSEEVENTF_LEFTUP } }));
    ASSERT_TRUE(PumpUntil([&] { return pPane->IsClosed(); })) << "the Close button closes the pane";
    EXPECT_EQ(1, f.CountActions(actionClosing));
    EXPECT_EQ(1, f.CountActions(actionClosed));
}

TEST_F(FloatingFrames, TheMenuButtonAndACaptionRightClickAskTheSiteForThePaneMenu)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bThemedFloatingFrames = TRUE;
    CVZPDockingPane* pPane = f.NewPane(1, L"With menu");
    pPane->SetOptions(vzpPaneHasMenuButton);
    f.m_manager.FloatPaneAt(pPane, CRect(200, 150, 460, 360));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    LayOutFrames(f.Layout());
    pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    CVZPDockingPaneCaptionButton* pMenu = pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_MENU);
    ASSERT_TRUE(pMenu->IsVisible());
    ASSERT_FALSE(pMenu->m_rc.IsRectEmpty());
    CRect rcWindow;
    pMini->GetWindowRect(&rcWindow);

    // The Menu button: the record carries the button's screen corner.
    f.m_notes.clear();
    const CPoint ptMenu = rcWindow.TopLeft() + pMenu->m_rc.CenterPoint();
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptMenu.x, ptMenu.y));
    std::vector<DockingNote> notes = f.Notes(vzpDockingPaneMenu);
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(pPane, notes[0].menu.pPane);
    EXPECT_EQ(rcWindow.left + pMenu->m_rc.left, notes[0].menu.x);
    EXPECT_EQ(rcWindow.top + pMenu->m_rc.bottom, notes[0].menu.y);
    EXPECT_FALSE(pMenu->m_bPressed);

    // A right press on the caption: the cursor point and an empty rectangle;
    // a nonzero answer means the site showed its menu.
    f.m_notes.clear();
    f.m_nMenuAnswer = 1;
    const CPoint ptCaption(rcWindow.left + 30, rcWindow.top + pMenu->m_rc.CenterPoint().y);
    pMini->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    notes = f.Notes(vzpDockingPaneMenu);
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(pPane, notes[0].menu.pPane);
    EXPECT_EQ(ptCaption.x, notes[0].menu.x);
    EXPECT_EQ(ptCaption.y, notes[0].menu.y);
    EXPECT_TRUE(CRect(notes[0].menu.rcButton).IsRectNull());
    EXPECT_TRUE(pPane->HasFocus()) << "the pane takes the focus first";
    f.m_nMenuAnswer = 0;
}

TEST_F(FloatingFrames, ThemedCaptionButtonsGiveTheirTooltips)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Tips");
    f.m_manager.FloatPaneAt(pPane, CRect(200, 150, 460, 360));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, pMini->OnToolHitTest(CPoint(10, 10), &ti)) << "unthemed frames have no tips";
    f.m_manager.m_bThemedFloatingFrames = TRUE;
    f.m_manager.SelectTheme(0);
    LayOutFrames(f.Layout());
    pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    CVZPDockingPaneCaptionButton* pClose = pMini->FindCaptionButton(VZP_IDS_DOCKINGPANE_CLOSE);
    ASSERT_FALSE(pClose->m_rc.IsRectEmpty());
    // The button's rectangle in client coordinates (it lies above them).
    CRect rcWindow, rcClient;
    pMini->GetWindowRect(&rcWindow);
    pMini->GetClientRect(&rcClient);
    pMini->ClientToScreen(&rcClient);
    CPoint pt = pClose->m_rc.CenterPoint();
    pt.Offset(rcWindow.left - rcClient.left, rcWindow.top - rcClient.top);
    EXPECT_LT(pt.y, 0);
    ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(VZP_IDS_DOCKINGPANE_CLOSE, pMini->OnToolHitTest(pt, &ti));
    EXPECT_EQ(pMini->GetSafeHwnd(), ti.hwnd);
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_EQ(CString(L"Close"), CString(ti.lpszText));
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
        ::free(ti.lpszText);
    ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, pMini->OnToolHitTest(CPoint(20, 20), &ti)) << "the client area has no tip";
}

namespace {

const wchar_t kFloatingKey[] = L"Software\\Tesmir\\PanesFloatingTest";

}  // namespace

TEST(FloatingPersistence, DockedFloatingAndHiddenPanesRoundTripWithTheirRectanglesAndRollUp)
{
    for (int nBackEnd = 0; nBackEnd < 2; nBackEnd++)
    {
        SCOPED_TRACE(nBackEnd == 0 ? "registry" : "archive");
        CDockingTestFrame* pFrame = CDockingTestFrame::Build();
        ASSERT_NE(nullptr, pFrame);
        CDockingTestFrame& f = *pFrame;
        f.m_manager.m_bThemedFloatingFrames = TRUE;
        CVZPDockingPane* pDocked = f.NewPane(1, L"Docked", 160, 100);
        CVZPDockingPane* pFloat = f.NewPane(2, L"Floating");
        CVZPDockingPane* pRolled = f.NewPane(3, L"Rolled");
        CVZPDockingPane* pBeside = f.NewPane(4, L"Beside");
        CVZPDockingPane* pHidden = f.NewPane(5, L"Hidden", 170, 100);
        f.m_manager.DockPaneAtSide(pHidden, vzpPaneDockBottom);
        f.LayoutNow();
        f.m_manager.SendToAutoHide(pHidden);
        f.m_manager.DockPaneAtSide(pDocked, vzpPaneDockLeft);
        f.m_manager.FloatPaneAt(pFloat, CRect(300, 200, 520, 380));
        f.m_manager.DockPaneAtSide(pBeside, vzpPaneDockBottom, f.TabbedOf(pFloat));
        f.m_manager.FloatPaneAt(pRolled, CRect(600, 100, 760, 300));
        f.LayoutNow();
        LayOutFrames(f.Layout());
        FrameOf(pRolled)->ToggleRollUp();
        CRect rcFloat, rcRolled;
        FrameOf(pFloat)->GetWindowRect(&rcFloat);
        FrameOf(pRolled)->GetWindowRect(&rcRolled);

        HKEY hKey = NULL;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kFloatingKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL);
        ASSERT_NE(nullptr, hKey);
        CMemFile file;
        if (nBackEnd == 0)
        {
            CVZPPropExchangeRegistry px(FALSE, hKey, L"Layout");
            EXPECT_TRUE(f.Layout()->DoPropExchange(&px));
        }
        else
        {
            CArchive ar(&file, CArchive::store);
            f.Layout()->Serialize(ar);
        }
        CVZPDockingPaneLayout* pLoaded = f.m_manager.MakeLayout();
        if (nBackEnd == 0)
        {
            CVZPPropExchangeRegistry px(TRUE, hKey, L"Layout");
            ASSERT_TRUE(pLoaded->DoPropExchange(&px));
        }
        else
        {
            file.SeekToBegin();
            CArchive ar(&file, CArchive::load);
            CVZPPropExchangeArchive px(ar);
            ASSERT_TRUE(pLoaded->DoPropExchange(&px));
        }
        f.m_manager.AdoptLayout(pLoaded);
        f.LayoutNow();
        LayOutFrames(f.Layout());

        CVZPDockingPane* pLoadedDocked = f.m_manager.FindPane(1);
        CVZPDockingPane* pLoadedFloat = f.m_manager.FindPane(2);
        CVZPDockingPane* pLoadedRolled = f.m_manager.FindPane(3);
        CVZPDockingPane* pLoadedBeside = f.m_manager.FindPane(4);
        ASSERT_NE(nullptr, pLoadedDocked);
        ASSERT_NE(nullptr, pLoadedFloat);
        ASSERT_NE(nullptr, pLoadedRolled);
        ASSERT_NE(nullptr, pLoadedBeside);
        EXPECT_EQ(nullptr, FrameOf(pLoadedDocked));
        EXPECT_EQ(vzpPaneDockLeft, f.m_manager.GetPaneSide(pLoadedDocked));
        CVZPDockingPaneMiniWnd* pMini = FrameOf(pLoadedFloat);
        ASSERT_NE(nullptr, pMini);
        EXPECT_EQ(pMini, FrameOf(pLoadedBeside)) << "the pair shares its frame";
        CVZPDockingPaneSplitterContainer* pColumn = f.AsSplitter(f.TabbedOf(pLoadedFloat)->GetParentContainer());
        ASSERT_NE(nullptr, pColumn);
        EXPECT_FALSE(pColumn->IsHorizontal());
        EXPECT_EQ(pColumn, f.TabbedOf(pLoadedBeside)->GetParentContainer());
        EXPECT_TRUE(pMini->GetTopContainer()->ContainsPane(pColumn));
        EXPECT_TRUE(pMini->IsWindowVisible());
        CRect rc;
        pMini->GetWindowRect(&rc);
        EXPECT_EQ(rcFloat, rc);
        CVZPDockingPaneMiniWnd* pRolledMini = FrameOf(pLoadedRolled);
        ASSERT_NE(nullptr, pRolledMini);
        EXPECT_TRUE(pRolledMini->m_bRollUpMode);
        EXPECT_EQ(rcRolled.Height(), pRolledMini->m_nExpandedHeight);
        pRolledMini->GetWindowRect(&rc);
        EXPECT_EQ(rcRolled.TopLeft(), rc.TopLeft());
        EXPECT_EQ(f.m_manager.GetPaintManager()->GetCaptionHeight() + 8, rc.Height()) << "loaded rolled up";
        // The hidden pane is in the bottom panel, in a group of its own.
        CVZPDockingPane* pLoadedHidden = f.m_manager.FindPane(5);
        ASSERT_NE(nullptr, pLoadedHidden);
        EXPECT_TRUE(pLoadedHidden->IsAutoHidden());
        CVZPDockingPaneAutoHidePanel* pPanel =
            static_cast<CVZPDockingPaneAutoHidePanel*>(f.Layout()->m_pAutoHidePanels[vzpPaneDockBottom]);
        ASSERT_NE(nullptr, pPanel);
        EXPECT_EQ(vzpPaneDockBottom, pPanel->GetSide());
        EXPECT_EQ(pPanel, pLoadedHidden->GetParentContainer()->GetParentContainer());
        EXPECT_TRUE(::IsWindow(pPanel->GetSafeHwnd()));
        EXPECT_EQ(1, pPanel->GetGroupCount());
        EXPECT_FALSE(::IsWindowVisible(f.TabbedOf(pLoadedHidden)->GetSafeHwnd()));
        EXPECT_EQ(170, pLoadedHidden->m_nDockingCX);
        VZPDockingPaneRecord* pRecord = f.Layout()->FindRecord(pLoadedFloat);
        ASSERT_NE(nullptr, pRecord);
        EXPECT_EQ(f.TabbedOf(pLoadedFloat), pRecord->pFloatingHolder);

        ::RegCloseKey(hKey);
        AfxDelRegTreeHelper(HKEY_CURRENT_USER, kFloatingKey);
        pFrame->Destroy();
    }
}

TEST(FloatingPersistence, NormalisingDropsAFrameWithoutItsTopContainer)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build();
    ASSERT_NE(nullptr, pFrame);
    CDockingTestFrame& f = *pFrame;
    CVZPDockingPane* pPane = f.NewPane(1, L"Gone");
    f.m_manager.FloatPaneAt(pPane, CRect(100, 100, 300, 300));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    // The frame loses its content: the pane docks, the frame's splitter is
    // emptied and leaves the frame.
    f.m_manager.DockPaneAtSide(pPane, vzpPaneDockRight);
    pMini->RemoveChild(pMini->GetTopContainer());
    EXPECT_EQ(nullptr, pMini->GetTopContainer());
    f.Layout()->Normalize();
    EXPECT_EQ(nullptr, f.Layout()->GetObjects().Find(static_cast<CVZPDockingPaneBase*>(pMini)));
    pFrame->Destroy();
}

}  // namespace vzpanes_test
