// Command routing through OnCmdMsg: the encoding of notification codes,
// handler probing, update handlers and CCmdUI.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxpriv.h>

#include "MfcWndTestsRes.h"
#include "WndTestSupport.h"

#include <string>
#include <vector>

using namespace mfcwnd_test;

namespace {

class CTarget : public CCmdTarget
{
public:
    std::vector<std::string> m_calls;
    UINT m_nLastID = 0;
    BOOL m_bEnableCmd2 = FALSE;
    BOOL m_bContinue = FALSE;
protected:
    afx_msg void OnCmd1() { m_calls.push_back("OnCmd1"); }
    afx_msg void OnUpdateCmd1(CCmdUI* pCmdUI)
    {
        m_calls.push_back("OnUpdateCmd1");
        if (m_bContinue)
            pCmdUI->ContinueRouting();
    }
    afx_msg void OnUpdateCmd2(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnableCmd2); }
    afx_msg void OnRange(UINT nID) { m_calls.push_back("OnRange"); m_nLastID = nID; }
    afx_msg void OnNotifyCode(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_calls.push_back("OnNotifyCode");
        m_nLastID = (UINT)pNMHDR->idFrom;
        *pResult = 9;
    }
    afx_msg void OnReflectedUpdate(CCmdUI* pCmdUI) { m_calls.push_back("OnReflectedUpdate"); pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTarget, CCmdTarget)
    ON_COMMAND(ID_TEST_CMD1, OnCmd1)
    ON_UPDATE_COMMAND_UI(ID_TEST_CMD1, OnUpdateCmd1)
    ON_UPDATE_COMMAND_UI(ID_TEST_CMD2, OnUpdateCmd2)
    ON_COMMAND_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, OnRange)
    ON_NOTIFY(NM_RETURN, 77, OnNotifyCode)
    ON_UPDATE_COMMAND_UI_REFLECT(OnReflectedUpdate)
END_MESSAGE_MAP()

// A derived target whose map chains to the base map.
class CDerivedTarget : public CTarget
{
public:
    afx_msg void OnCmd2() { m_calls.push_back("OnCmd2"); }
protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CTarget)
    ON_COMMAND(ID_TEST_CMD2, OnCmd2)
END_MESSAGE_MAP()

TEST(OnCmdMsg, RoutesCommandsNotificationsAndRangesThroughTheMapChain)
{
    CDerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(ID_TEST_CMD1, CN_COMMAND, NULL, NULL));      // base map
    EXPECT_TRUE(target.OnCmdMsg(ID_TEST_CMD2, CN_COMMAND, NULL, NULL));      // derived map
    EXPECT_TRUE(target.OnCmdMsg(ID_TEST_RANGE_FIRST + 3, CN_COMMAND, NULL, NULL));
    EXPECT_EQ((UINT)(ID_TEST_RANGE_FIRST + 3), target.m_nLastID);
    EXPECT_FALSE(target.OnCmdMsg(ID_TEST_RANGE_LAST + 1, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(target.OnCmdMsg(ID_TEST_CMD1, BN_DOUBLECLICKED, NULL, NULL));   // other code
    EXPECT_EQ((std::vector<std::string>{ "OnCmd1", "OnCmd2", "OnRange" }), target.m_calls);

    // MAKELONG(code, WM_NOTIFY) with AFX_NOTIFY.
    NMHDR nmhdr = { NULL, 77, (UINT)NM_RETURN };
    LRESULT lResult = 0;
    AFX_NOTIFY notify = { &lResult, &nmhdr };
    EXPECT_TRUE(target.OnCmdMsg(77, MAKELONG(NM_RETURN, WM_NOTIFY), &notify, NULL));
    EXPECT_EQ(9, lResult);
    EXPECT_EQ(77u, target.m_nLastID);
    EXPECT_FALSE(target.OnCmdMsg(78, MAKELONG(NM_RETURN, WM_NOTIFY), &notify, NULL));

    // The reflected update code MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND) is 0xBD11FFFF.
    EXPECT_EQ(0xBD11FFFF, (DWORD)MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND));
    CCmdUI state;
    state.m_nID = 5;
    target.m_calls.clear();
    EXPECT_TRUE(target.OnCmdMsg(0, MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND), &state, NULL));
    EXPECT_EQ((std::vector<std::string>{ "OnReflectedUpdate" }), target.m_calls);
}

TEST(OnCmdMsg, HandlerInfoProbesWithoutCalling)
{
    CDerivedTarget target;
    AFX_CMDHANDLERINFO info = { NULL, NULL };
    EXPECT_TRUE(target.OnCmdMsg(ID_TEST_CMD2, CN_COMMAND, NULL, &info));
    EXPECT_EQ(&target, info.pTarget);
    EXPECT_TRUE(info.pmf != NULL);
    EXPECT_TRUE(target.m_calls.empty());
    EXPECT_FALSE(target.OnCmdMsg(4242, CN_COMMAND, NULL, &info));
}

TEST(CmdUI, DoUpdateFollowsTheUpdateRules)
{
    CTarget target;
    // Update handler that continues routing reports no handling.
    CCmdUI state;
    state.m_nID = ID_TEST_CMD1;
    target.m_bContinue = TRUE;
    EXPECT_FALSE(state.DoUpdate(&target, FALSE));
    target.m_bContinue = FALSE;
    EXPECT_TRUE(state.DoUpdate(&target, FALSE));

    // Ids 0 and low word 0xFFFF are left alone (a menu title is not disabled).
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CCmdUI title;
    title.m_pMenu = &menu;
    title.m_nIndex = 0;
    title.m_nID = menu.GetMenuItemID(0);
    EXPECT_EQ(0xFFFFFFFFu, title.m_nID);
    EXPECT_TRUE(title.DoUpdate(&target, TRUE));
    EXPECT_EQ(0u, menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);

    // Without an update handler: enabled when a command handler exists.
    CMenu* pPopup = menu.GetSubMenu(0);
    CCmdUI item;
    item.m_pMenu = pPopup;
    item.m_nIndex = 1;
    item.m_nID = ID_TEST_CMD2;
    target.m_bEnableCmd2 = FALSE;
    item.DoUpdate(&target, TRUE);
    EXPECT_NE(0u, pPopup->GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);   // the handler disabled it
    target.m_bEnableCmd2 = TRUE;
    item.DoUpdate(&target, TRUE);
    EXPECT_EQ(0u, pPopup->GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);

    CDerivedTarget withHandler;
    CCmdUI probe;
    probe.m_pMenu = pPopup;
    probe.m_nIndex = 0;
    probe.m_nID = ID_TEST_RANGE_FIRST;   // a command handler, no update handler
    probe.DoUpdate(&withHandler, TRUE);
    EXPECT_EQ(0u, pPopup->GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    probe.m_nID = 4321;                  // neither
    probe.DoUpdate(&withHandler, TRUE);
    EXPECT_NE(0u, pPopup->GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
}

// A window whose commands arrive as WM_COMMAND from menus and buttons.
class CCommandWnd : public CWnd
{
public:
    std::vector<std::string> m_calls;
    BOOL m_bEnableCmd2 = FALSE;
protected:
    afx_msg void OnCmd1() { m_calls.push_back("OnCmd1"); }
    afx_msg void OnCmd2() { m_calls.push_back("OnCmd2"); }
    afx_msg void OnUpdateCmd2(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnableCmd2); }
    afx_msg void OnUpdateCmd1(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWnd, CWnd)
    ON_COMMAND(ID_TEST_CMD1, OnCmd1)
    ON_COMMAND(ID_TEST_CMD2, OnCmd2)
    ON_UPDATE_COMMAND_UI(ID_TEST_CMD1, OnUpdateCmd1)
    ON_UPDATE_COMMAND_UI(ID_TEST_CMD2, OnUpdateCmd2)
END_MESSAGE_MAP()

TEST(CommandWindow, DisabledMenuCommandIsIgnored)
{
    CCommandWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_EQ(1, wnd.SendMessage(WM_COMMAND, ID_TEST_CMD1, 0));
    wnd.SendMessage(WM_COMMAND, ID_TEST_CMD2, 0);   // its update handler disables it
    EXPECT_EQ((std::vector<std::string>{ "OnCmd1" }), wnd.m_calls);
    wnd.m_bEnableCmd2 = TRUE;
    wnd.SendMessage(WM_COMMAND, ID_TEST_CMD2, 0);
    EXPECT_EQ((std::vector<std::string>{ "OnCmd1", "OnCmd2" }), wnd.m_calls);
    EXPECT_EQ(0, wnd.SendMessage(WM_COMMAND, 4321, 0));   // nobody handles it
}

TEST(CommandWindow, UpdateDialogControlsAppliesTheRules)
{
    CCommandWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    CButton push, check, other;
    ASSERT_TRUE(push.Create(_T("p"), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &wnd, ID_TEST_CMD2));
    ASSERT_TRUE(check.Create(_T("c"), WS_CHILD | BS_CHECKBOX, CRect(0, 0, 10, 10), &wnd, ID_TEST_CMD1));
    ASSERT_TRUE(other.Create(_T("o"), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &wnd, 4321));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 0, 10, 10), &wnd, 4322));

    wnd.m_bEnableCmd2 = FALSE;
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_FALSE(push.IsWindowEnabled());   // disabled by its update handler
    EXPECT_EQ(1, check.GetCheck());         // checked by its update handler
    EXPECT_FALSE(other.IsWindowEnabled());  // a button without any handler
    EXPECT_TRUE(edit.IsWindowEnabled());    // not a button: left alone

    wnd.m_bEnableCmd2 = TRUE;
    wnd.UpdateDialogControls(&wnd, FALSE);
    EXPECT_TRUE(push.IsWindowEnabled());
}

TEST(RefCount, FinalReleaseDeletes)
{
    static int s_nDeleted = 0;
    struct CCounted : public CCmdTarget
    {
        ~CCounted() override { s_nDeleted++; }
    };
    CCounted* p = new CCounted;
    EXPECT_EQ(1, p->m_dwRef);
    EXPECT_EQ(2u, p->InternalAddRef());
    EXPECT_EQ(1u, p->InternalRelease());
    EXPECT_EQ(0, s_nDeleted);
    EXPECT_EQ(0u, p->InternalRelease());
    EXPECT_EQ(1, s_nDeleted);
}

}  // namespace
