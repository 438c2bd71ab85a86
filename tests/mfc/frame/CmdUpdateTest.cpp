// Idle update of user-interface items: CCmdUI::DoUpdate's rules, tool bar
// buttons enabled by handlers and by the no-handler rule.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MfcFrameTestsRes.h"

using namespace mfcframe_test;

namespace {

// A target with an update handler that disables ID_TEST_UPDATE and a
// command handler for ID_TEST_HANDLED; it counts what ran.
class CUpdateTarget : public CFrameWnd
{
public:
    int m_nUpdates = 0;
    int m_nCommands = 0;
    afx_msg void OnUpdateTest(CCmdUI* pCmdUI) { m_nUpdates++; pCmdUI->Enable(FALSE); }
    afx_msg void OnHandled() { m_nCommands++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_TEST_UPDATE, OnUpdateTest)
    ON_COMMAND(ID_TEST_HANDLED, OnHandled)
    ON_UPDATE_COMMAND_UI_RANGE(0xFFFF, 0xFFFF, OnUpdateTest)
    ON_COMMAND(0xFFFF, OnHandled)
END_MESSAGE_MAP()

// Records what DoUpdate asks of the item.
class CRecordingCmdUI : public CCmdUI
{
public:
    int m_nEnables = 0;
    BOOL m_bLastEnable = -1;
    void Enable(BOOL bOn) override { m_nEnables++; m_bLastEnable = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetText(LPCTSTR) override {}
};

TEST(CmdUIDoUpdate, Rules)
{
    CUpdateTarget target;
    struct Case
    {
        UINT nID;
        BOOL bDisableIfNoHandler;
        int nEnables;        // Enable calls expected
        BOOL bEnabled;       // the last one's value
        int nUpdates;        // update handlers run
    };
    const Case cases[] = {
        { ID_TEST_UPDATE, TRUE, 1, FALSE, 1 },     // the handler decides; no probe after it
        { ID_TEST_HANDLED, TRUE, 1, TRUE, 0 },     // no update handler, a command handler: enabled
        { ID_TEST_UNHANDLED, TRUE, 1, FALSE, 0 },  // no handler at all: disabled
        { ID_TEST_UNHANDLED, FALSE, 0, -1, 0 },    // ...unless asked not to
        { 0, TRUE, 0, -1, 0 },                     // id 0 is no command
        { 0xFFFF, TRUE, 0, -1, 0 },                // nor is a menu title
        { 0x0001FFFF, TRUE, 0, -1, 0 },            // nor any id whose low word is 0xFFFF
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "id " << c.nID << " disable " << c.bDisableIfNoHandler);
        target.m_nUpdates = 0;
        CRecordingCmdUI state;
        state.m_nID = c.nID;
        state.DoUpdate(&target, c.bDisableIfNoHandler);
        EXPECT_EQ(c.nEnables, state.m_nEnables);
        EXPECT_EQ(c.bEnabled, state.m_bLastEnable);
        EXPECT_EQ(c.nUpdates, target.m_nUpdates);
    }
    // Probing ran no command handler.
    EXPECT_EQ(0, target.m_nCommands);
}

TEST(CmdUIIdle, ToolBarButtonsFollowTheFrameHandlers)
{
    CScopedApp app;
    CUpdateTarget* pFrame = new CUpdateTarget;
    ASSERT_TRUE(pFrame->Create(NULL, _T("update"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310)));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    static const UINT buttons[] = { ID_TEST_UPDATE, ID_SEPARATOR, ID_TEST_HANDLED, ID_TEST_UNHANDLED };
    ASSERT_TRUE(bar.SetButtons(buttons, 4));
    EXPECT_EQ(2, bar.CommandToIndex(ID_TEST_HANDLED));
    CToolBarCtrl& ctrl = bar.GetToolBarCtrl();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_TEST_UPDATE));
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_TEST_UNHANDLED));

    // One idle pass of the thread reaches the bar through the frame.
    app.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    app.OnIdle(0);
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_TEST_UPDATE));
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_TEST_HANDLED));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_TEST_UNHANDLED));
    EXPECT_EQ(0, pFrame->m_nCommands);

    // A click routes the command to the frame.
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_HANDLED, BN_CLICKED), (LPARAM)bar.m_hWnd);
    EXPECT_EQ(1, pFrame->m_nCommands);

    // With the rule off, a button without handler stays as it is.
    bar.SetButtonStyle(3, TBBS_BUTTON);
    bar.SendMessage(WM_IDLEUPDATECMDUI, FALSE);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_TEST_UNHANDLED));
    app.m_pMainWnd = NULL;
    pFrame->DestroyWindow();
}

TEST(CmdUIMenu, PopupUpdateUsesTheFrameAndSkipsTitles)
{
    CUpdateTarget* pFrame = new CUpdateTarget;
    ASSERT_TRUE(pFrame->Create(NULL, _T("menu"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310)));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_TEST_UPDATE, _T("update"));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_TEST_HANDLED, _T("handled"));
    menu.AppendMenu(MF_STRING, ID_TEST_UNHANDLED, _T("unhandled"));
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(3, MF_BYPOSITION) & MF_GRAYED);
    pFrame->DestroyWindow();
}

}  // namespace
