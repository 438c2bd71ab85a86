// The command-bar window with its controls on a test frame: menus loaded into
// bars, keyboard navigation and access keys, hover and status texts, the
// idle update, clicks with real input, and the customise drop target.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPControlButton.h"
#include "CVZPControlLabel.h"
#include "CVZPControlOleItems.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPMenuBar.h"
#include "CVZPPopupBar.h"
#include "CVZPToolBar.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

#include <afxpriv.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::CSentMessageHook;
using tesmir::test::PumpUntil;

namespace {

int g_nBeeps = 0;
void CountBeep(UINT)
{
    g_nBeeps++;
}

// A frame that answers the update of 3001 by disabling it, handles 3002,
// and may hand its own controls to menus being loaded.
class CUpdateFrame : public CTestFrame
{
public:
    int m_nReplaced = 0;
    LRESULT m_lNotifyAnswer = 0;
    std::vector<std::pair<UINT, UINT>> m_log;   // (message, id) of notifications and commands

protected:
    afx_msg void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnCommand3002() {}
    afx_msg void OnLogCommand(UINT nID) { m_log.push_back(std::make_pair((UINT)WM_COMMAND, nID)); }
    afx_msg LRESULT OnCreateControl(WPARAM, LPARAM lParam)
    {
        VZPCREATECONTROLSTRUCT* pCreate = (VZPCREATECONTROLSTRUCT*)lParam;
        if (pCreate->nId != 2003 && pCreate->strCaption != L"&Sub")
            return 0;
        pCreate->pControl = new CVZPControlLabel;
        m_nReplaced++;
        return 1;
    }
    afx_msg void OnControlNotify(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.push_back(std::make_pair((UINT)WM_VZP_CONTROLNOTIFY, nID));
        EXPECT_EQ(100u, pNMHDR->code);
        *pResult = m_lNotifyAnswer;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateFrame, CTestFrame)
    ON_COMMAND(3002, OnCommand3002)
    ON_COMMAND_RANGE(3010, 3099, OnLogCommand)
    ON_UPDATE_COMMAND_UI(3001, OnUpdateDisable)
    ON_MESSAGE(WM_VZP_CREATECONTROL, OnCreateControl)
    ON_NOTIFY_RANGE(100, 3010, 3099, OnControlNotify)
END_MESSAGE_MAP()

class CommandBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallTestTheme();
        m_pFrame = new CUpdateFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        g_nBeeps = 0;
        CVZPCommandBar::SetBeepForTest(CountBeep);
    }
    void TearDown() override
    {
        CVZPCommandBar::SetBeepForTest(NULL);
        CVZPCommandBars::ClosePopups();
        for (CVZPCommandBar* pBar : m_bars)
            pBar->InternalRelease();
        DestroyFrame(m_pFrame);
    }

    // A bar of the class with a window on the frame, given to the frame's
    // manager.
    template <class T> T* MakeBar(int nPosition, CRect rect = CRect(0, 0, 400, 30), DWORD dwExStyle = 0)
    {
        T* pBar = new T;
        pBar->SetCommandBars(m_pFrame->GetCommandBars());
        pBar->m_barPosition = nPosition;
        CreateBarWindow(pBar, m_pFrame, rect, dwExStyle);
        m_bars.push_back(pBar);
        return pBar;
    }
    // A button (or popup of the type) with caption, id and rectangle.
    CVZPControl* AddControl(CVZPCommandBar* pBar, int nType, LPCTSTR lpszCaption, UINT nId, CRect rect)
    {
        CVZPControl* pControl = nType == vzpControlButton ? (CVZPControl*)new CVZPControlButton
                                                          : CVZPControlPopup::CreateControlPopup(nType);
        if (nType != vzpControlButton)
        {
            CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
            ((CVZPControlPopup*)pControl)->SetCommandBar(pPopup);
            pPopup->InternalRelease();
        }
        pControl->SetCaption(lpszCaption);
        pControl->SetId(nId);
        pBar->GetControls()->AddControl(pControl);
        pControl->SetRect(rect);
        return pControl;
    }

    CUpdateFrame* m_pFrame = NULL;
    std::vector<CVZPCommandBar*> m_bars;
    CTestPopupBarScope m_popupScope;
};

// ---------------------------------------------------------------------------
// Menus

TEST_F(CommandBarTest, LoadMenuMakesPopupsWithGroupsAndStates)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_APP_MENU));
    m_pFrame->m_nIdleFlags = 0;
    ASSERT_TRUE(pBar->LoadMenu(&menu));
    EXPECT_EQ((UINT)(CFrameWnd::idleNotify | CFrameWnd::idleLayout), m_pFrame->m_nIdleFlags & 12);

    struct Title
    {
        const wchar_t* caption;
        std::vector<UINT> ids;
        std::vector<int> groups;
    };
    const Title titles[] = {
        {L"Recovery", {32818, 32777, 32811, 32781, 32809}, {2, 4}},
        {L"View", {32782, 59410, 59411}, {}},
        {L"Tools", {32785, 32786, 32787, 32788}, {3}},
        {L"Help", {57670, 57664}, {}},
    };
    CVZPControls* pControls = pBar->GetControls();
    ASSERT_EQ(4, pControls->GetCount());
    for (int i = 0; i < 4; i++)
    {
        CVZPControlPopup* pTitle = DYNAMIC_DOWNCAST(CVZPControlPopup, pControls->GetAt(i));
        ASSERT_TRUE(pTitle != NULL);
        EXPECT_STREQ(titles[i].caption, pTitle->GetCaption());
        EXPECT_EQ(0xFFFFFFFFu, pTitle->GetID());
        CVZPCommandBar* pPopup = pTitle->GetCommandBar();
        ASSERT_TRUE(pPopup != NULL && pPopup->IsKindOf(RUNTIME_CLASS(CTestPopupBar)));
        EXPECT_STREQ(titles[i].caption, pPopup->GetTitle());
        CVZPControls* pItems = pPopup->GetControls();
        ASSERT_EQ((int)titles[i].ids.size(), pItems->GetCount());
        for (int j = 0; j < pItems->GetCount(); j++)
        {
            CVZPControl* pItem = pItems->GetAt(j);
            EXPECT_EQ(titles[i].ids[j], pItem->GetID());
            EXPECT_TRUE(pItem->IsKindOf(RUNTIME_CLASS(CVZPControlButton)));
            const bool bGroup = std::find(titles[i].groups.begin(), titles[i].groups.end(), j) != titles[i].groups.end();
            EXPECT_EQ(bGroup, pItem->GetBeginGroup() != FALSE) << titles[i].ids[j];
        }
    }
    // The item's prompt: description before the newline, tooltip after it.
    CVZPControl* pOpen = pControls->GetAt(0)->GetCommandBar()->GetControls()->GetAt(0);
    EXPECT_STREQ(L"&Open", pOpen->GetCaption());
    EXPECT_STREQ(L"Open", pOpen->GetTooltip());
    EXPECT_STREQ(L"Open ", pOpen->GetDescription());
}

TEST_F(CommandBarTest, SpecialMenuItemsAndControlsTheSiteSupplies)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SPECIAL_MENU));
    const int nLive = CTestPopupBar::s_nLive;
    ASSERT_TRUE(pBar->LoadMenu(&menu));
    CVZPControls* pControls = pBar->GetControls();
    // 65280 makes nothing; "&Sub" and 2003 come from the site.
    ASSERT_EQ(6, pControls->GetCount());
    EXPECT_TRUE(pControls->GetAt(0)->IsKindOf(RUNTIME_CLASS(CVZPControlOleItems)));
    EXPECT_EQ(RUNTIME_CLASS(CVZPControlButton), pControls->GetAt(1)->GetRuntimeClass());
    EXPECT_EQ(57872u, pControls->GetAt(1)->GetID());
    EXPECT_EQ(1, pControls->GetAt(2)->GetChecked());
    EXPECT_TRUE(pControls->GetAt(2)->GetEnabled());
    EXPECT_FALSE(pControls->GetAt(3)->GetEnabled());
    EXPECT_EQ(RUNTIME_CLASS(CVZPControlLabel), pControls->GetAt(4)->GetRuntimeClass());
    EXPECT_EQ(2003u, pControls->GetAt(4)->GetID());
    EXPECT_EQ(RUNTIME_CLASS(CVZPControlLabel), pControls->GetAt(5)->GetRuntimeClass());
    EXPECT_EQ(2, m_pFrame->m_nReplaced);
    EXPECT_EQ(nLive, CTestPopupBar::s_nLive);   // no popup bar for the supplied control
}

// Menus with submenus release every popup bar with the last bar (the control
// holds the only reference on its popup bar).
TEST_F(CommandBarTest, MenuBarsLeaveNoPopupBarsBehind)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_APP_MENU));
    const int nLive = CTestPopupBar::s_nLive;
    for (int i = 0; i < 100; i++)
    {
        CVZPToolBar* pBar = (CVZPToolBar*)RUNTIME_CLASS(CVZPToolBar)->CreateObject();
        pBar->SetCommandBars(m_pFrame->GetCommandBars());
        ASSERT_TRUE(pBar->LoadMenu(&menu));
        ASSERT_EQ(nLive + 4, CTestPopupBar::s_nLive);
        CVZPControls* pCopy = pBar->GetControls()->Duplicate(TRUE);
        pCopy->InternalRelease();
        pBar->InternalRelease();
    }
    EXPECT_EQ(nLive, CTestPopupBar::s_nLive);
}

// ---------------------------------------------------------------------------
// Keys

struct KeyStep
{
    UINT nKey;
    int nHot;       // hot control afterwards
    int nAnswer;    // OnHookKeyDown's answer
    int nBeeps;     // beeps so far
};

void RunKeys(CVZPCommandBar* pBar, const std::vector<KeyStep>& steps)
{
    for (size_t i = 0; i < steps.size(); i++)
    {
        SCOPED_TRACE(testing::Message() << "step " << i << " key " << steps[i].nKey);
        EXPECT_EQ(steps[i].nAnswer, pBar->OnHookKeyDown(steps[i].nKey, 0));
        EXPECT_EQ(steps[i].nHot, pBar->GetHotIndex());
        EXPECT_EQ(steps[i].nBeeps, g_nBeeps);
    }
}

TEST_F(CommandBarTest, KeysOnAHorizontalBar)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop);
    AddControl(pBar, vzpControlButton, L"&Alpha", 3010, CRect(0, 0, 40, 20));
    AddControl(pBar, vzpControlButton, L"Beta", 3011, CRect(40, 0, 80, 20))->SetFlags(CVZPControl::flagSkipNavigate);
    AddControl(pBar, vzpControlButton, L"&Charlie", 3012, CRect(80, 0, 120, 20));
    AddControl(pBar, vzpControlButton, L"Delta", 3013, CRect(120, 0, 160, 20))->SetHideFlags(CVZPControl::hideCustomize);
    AddControl(pBar, vzpControlButton, L"&Echo", 3014, CRect(160, 0, 200, 20))->SetHideFlags(CVZPControl::hideScroll);
    pBar->SetTrackingMode(1, FALSE, TRUE);
    RunKeys(pBar, {{VK_HOME, 0, 1, 0},
                   {VK_RIGHT, 2, 1, 0},
                   {VK_RIGHT, 4, 1, 0},
                   {VK_RIGHT, 0, 1, 0},
                   {VK_LEFT, 4, 1, 0},
                   {VK_END, 4, 1, 0},
                   {VK_UP, 4, 0, 0},     // nothing to collapse
                   {VK_F5, 4, 1, 0},     // no character: no beep
                   {VK_SHIFT, 4, 1, 0},
                   {VK_CONTROL, 4, 1, 0},
                   {'Z', 4, 1, 1}});     // no control has it
    EXPECT_TRUE(m_pFrame->m_log.empty());

    // A unique '&' letter executes its button (and ends the tracking).
    RunKeys(pBar, {{'C', -1, 1, 1}});
    ASSERT_EQ(2u, m_pFrame->m_log.size());
    EXPECT_EQ(std::make_pair((UINT)WM_COMMAND, 3012u), m_pFrame->m_log[1]);
    EXPECT_FALSE(pBar->IsTrackingMode());
}

TEST_F(CommandBarTest, TwoEqualAccessKeysOnlySelect)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop);
    AddControl(pBar, vzpControlButton, L"&Save", 3010, CRect(0, 0, 40, 20));
    AddControl(pBar, vzpControlButton, L"Open", 3011, CRect(40, 0, 80, 20));
    AddControl(pBar, vzpControlButton, L"&Send", 3012, CRect(80, 0, 120, 20));
    AddControl(pBar, vzpControlButton, L"Once", 3013, CRect(120, 0, 160, 20));
    pBar->SetTrackingMode(1, FALSE, TRUE);
    RunKeys(pBar, {{'S', 0, 1, 0}, {'S', 2, 1, 0}, {'S', 0, 1, 0}, {'O', 1, 1, 0}, {'O', 3, 1, 0}});
    EXPECT_TRUE(m_pFrame->m_log.empty());
    BOOL bAmbiguous = TRUE;
    EXPECT_EQ(-1, pBar->FindMnemonicControl('Q', &bAmbiguous));
    EXPECT_FALSE(bAmbiguous);
}

TEST_F(CommandBarTest, KeysOnAVerticalBarAMenuBarAndARightToLeftBar)
{
    // A popup-like vertical bar: Down and Up step, Right opens, Left closes.
    CTestPopupBar* pPopup = MakeBar<CTestPopupBar>(vzpBarPopup, CRect(0, 40, 100, 120));
    AddControl(pPopup, vzpControlButton, L"One", 3010, CRect(0, 0, 100, 20));
    CVZPControl* pSub = AddControl(pPopup, vzpControlPopup, L"&Sub", 0, CRect(0, 20, 100, 40));
    AddControl(pPopup, vzpControlButton, L"Two", 3011, CRect(0, 40, 100, 60));
    CTestPopupBar* pSubBar = (CTestPopupBar*)pSub->GetCommandBar();
    pPopup->SetTrackingMode(1, FALSE, TRUE);
    RunKeys(pPopup, {{VK_DOWN, 0, 1, 0}, {VK_DOWN, 1, 1, 0}, {VK_RIGHT, 1, 1, 0}});
    EXPECT_EQ(1, pSubBar->m_nPopups);
    EXPECT_TRUE(pSubBar->m_bSelectFirst);
    EXPECT_EQ(1, pPopup->GetPopupedIndex());
    RunKeys(pPopup, {{VK_LEFT, 1, 1, 0}, {VK_UP, 0, 1, 0}, {VK_UP, 2, 1, 0}});
    EXPECT_EQ(-1, pPopup->GetPopupedIndex());
    EXPECT_FALSE(pSubBar->IsTrackingMode());

    // A menu bar: Up on a title with a popup opens it.
    CVZPMenuBar* pMenuBar = MakeBar<CVZPMenuBar>(vzpBarTop, CRect(0, 0, 200, 20));
    CVZPControl* pFile = AddControl(pMenuBar, vzpControlPopup, L"&File", 0, CRect(0, 0, 50, 20));
    AddControl(pMenuBar, vzpControlPopup, L"&Edit", 0, CRect(50, 0, 100, 20));
    pMenuBar->SetTrackingMode(1, TRUE, TRUE);
    EXPECT_EQ(0, pMenuBar->GetHotIndex());
    RunKeys(pMenuBar, {{VK_UP, 0, 1, 0}});
    EXPECT_EQ(0, pMenuBar->GetPopupedIndex());
    EXPECT_EQ(1, ((CTestPopupBar*)pFile->GetCommandBar())->m_nPopups);
    // Moving on while a menu is open moves the open menu.
    RunKeys(pMenuBar, {{VK_RIGHT, 1, 1, 0}});
    EXPECT_EQ(1, pMenuBar->GetPopupedIndex());
    pMenuBar->SetTrackingMode(0);

    // Right to left: Left moves on, Right moves back.
    CVZPToolBar* pRTL = MakeBar<CVZPToolBar>(vzpBarTop, CRect(0, 130, 200, 150), WS_EX_LAYOUTRTL);
    AddControl(pRTL, vzpControlButton, L"A", 3010, CRect(0, 0, 40, 20));
    AddControl(pRTL, vzpControlButton, L"B", 3011, CRect(40, 0, 80, 20));
    AddControl(pRTL, vzpControlButton, L"C", 3012, CRect(80, 0, 120, 20));
    pRTL->SetTrackingMode(1, TRUE, TRUE);
    RunKeys(pRTL, {{VK_LEFT, 1, 1, 0}, {VK_LEFT, 2, 1, 0}, {VK_RIGHT, 1, 1, 0}});
}

// A floating bar of two rows: Up and Down move to the control nearest below
// or above.
TEST_F(CommandBarTest, KeysMoveBetweenTheRowsOfAFloatingBar)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarFloating, CRect(0, 0, 120, 40));
    for (int i = 0; i < 6; i++)
    {
        CRect rect((i % 3) * 30, (i / 3) * 20, (i % 3) * 30 + 30, (i / 3) * 20 + 20);
        CVZPControl* pControl = AddControl(pBar, vzpControlButton, L"X", 3010 + i, rect);
        pControl->m_rcRow.SetRect(0, rect.top, 90, rect.bottom);
    }
    pBar->SetTrackingMode(1, FALSE, TRUE);
    pBar->SetHotControl(1, TRUE);
    RunKeys(pBar, {{VK_DOWN, 4, 1, 0}, {VK_UP, 1, 1, 0}, {VK_RIGHT, 2, 1, 0}, {VK_DOWN, 5, 1, 0}});
}

// A control made hot by the mouse gets its hover 300 ms later; one chosen by
// the keyboard never does. The keyboard's moves raise focus events.
TEST_F(CommandBarTest, HoverTimerAndFocusEvents)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop);
    CSizedControl* pFirst = new CSizedControl;
    CSizedControl* pSecond = new CSizedControl;
    pBar->GetControls()->AddControl(pFirst);
    pBar->GetControls()->AddControl(pSecond);
    pFirst->SetRect(CRect(0, 0, 30, 20));
    pSecond->SetRect(CRect(30, 0, 60, 20));

    const DWORD dwStart = ::GetTickCount();
    pBar->SetHotControl(0, FALSE);
    EXPECT_TRUE(PumpUntil([&] { return pFirst->m_nHovers == 1; }, 3000));
    EXPECT_GE(::GetTickCount() - dwStart, 250u);
    pBar->SetHotControl(1, TRUE);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(0, pSecond->m_nHovers);

    static std::vector<std::pair<LONG, LONG>> s_events;
    static HWND s_hBar;
    s_events.clear();
    s_hBar = pBar->GetSafeHwnd();
    struct Hook
    {
        static void CALLBACK Proc(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
        {
            if (dwEvent == EVENT_OBJECT_FOCUS && hWnd == s_hBar)
                s_events.push_back(std::make_pair(idObject, idChild));
        }
    };
    HWINEVENTHOOK hHook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, ::GetModuleHandleW(NULL),
                                            Hook::Proc, ::GetCurrentProcessId(), ::GetCurrentThreadId(),
                                            WINEVENT_INCONTEXT);
    ASSERT_TRUE(hHook != NULL);
    pBar->SetTrackingMode(1, FALSE, TRUE);
    pBar->OnHookKeyDown(VK_LEFT, 0);
    pBar->OnHookKeyDown(VK_LEFT, 0);
    ::UnhookWinEvent(hHook);
    ASSERT_EQ(2u, s_events.size());
    EXPECT_EQ(std::make_pair((LONG)OBJID_MENU, 1L), s_events[0]);
    EXPECT_EQ(std::make_pair((LONG)OBJID_MENU, 2L), s_events[1]);
}

// ---------------------------------------------------------------------------
// Idle update and status texts

TEST_F(CommandBarTest, IdleUpdateThroughTheFramework)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop);
    CVZPControl* pChecked = AddControl(pBar, vzpControlButton, L"Checked", 3001, CRect(0, 0, 40, 20));
    CVZPControl* pHandled = AddControl(pBar, vzpControlButton, L"Handled", 3002, CRect(40, 0, 80, 20));
    CVZPControl* pUnhandled = AddControl(pBar, vzpControlButton, L"Unhandled", 3003, CRect(80, 0, 120, 20));
    CVZPControl* pTitle = AddControl(pBar, vzpControlPopup, L"Title", 0, CRect(120, 0, 160, 20));
    pTitle->SetId(0xFFFFFFFF);
    CVZPControl* pFixed = AddControl(pBar, vzpControlButton, L"Fixed", 3003, CRect(160, 0, 200, 20));
    pFixed->SetFlags(CVZPControl::flagNoUpdate);
    pChecked->SetChecked(1);

    CWinApp* pApp = AfxGetApp();
    CWnd* pOldMain = pApp->m_pMainWnd;
    pApp->m_pMainWnd = m_pFrame;
    auto reset = [&] {
        for (CVZPControl* p : {pChecked, pHandled, pUnhandled, pTitle, pFixed})
            p->SetEnabled(TRUE);
        pChecked->SetChecked(1);
    };
    pApp->OnIdle(0);
    EXPECT_FALSE(pChecked->GetEnabled());
    EXPECT_EQ(0, pChecked->GetChecked());
    EXPECT_TRUE(pHandled->GetEnabled());
    EXPECT_FALSE(pUnhandled->GetEnabled());
    EXPECT_TRUE(pTitle->GetEnabled());
    EXPECT_TRUE(pFixed->GetEnabled());

    // A root tracked without notifications is left alone.
    reset();
    pBar->m_bNoNotify = TRUE;
    pApp->OnIdle(0);
    EXPECT_TRUE(pChecked->GetEnabled());
    EXPECT_TRUE(pUnhandled->GetEnabled());
    pBar->m_bNoNotify = FALSE;

    // While customising, commands without handlers stay enabled.
    reset();
    m_pFrame->GetCommandBars()->SetCustomizeMode(TRUE);
    pApp->OnIdle(0);
    EXPECT_TRUE(pUnhandled->GetEnabled());
    m_pFrame->GetCommandBars()->SetCustomizeMode(FALSE);
    pApp->m_pMainWnd = pOldMain;
}

TEST_F(CommandBarTest, HighlightedControlsPutTheirDescriptionOnTheStatusBar)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop);
    CVZPControl* pControl = AddControl(pBar, vzpControlButton, L"Open", 0, CRect(0, 0, 40, 20));
    pControl->SetPrompt(L"Open an image\nOpen");
    std::vector<std::pair<UINT, std::wstring>> messages;
    HWND hFrame = m_pFrame->GetSafeHwnd();
    CSentMessageHook hook([&](const CWPSTRUCT& cwp) {
        if (cwp.hwnd != hFrame)
            return;
        if (cwp.message == WM_SETMESSAGESTRING && cwp.lParam != 0)
            messages.push_back(std::make_pair(cwp.message, std::wstring((LPCWSTR)cwp.lParam)));
        else if (cwp.message == WM_POPMESSAGESTRING)
            messages.push_back(std::make_pair(cwp.message, std::to_wstring(cwp.wParam)));
    });
    pBar->SetHotControl(0, TRUE);
    pBar->SetHotControl(-1, FALSE);
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ(std::make_pair((UINT)WM_SETMESSAGESTRING, std::wstring(L"Open an image")), messages[0]);
    EXPECT_EQ(std::make_pair((UINT)WM_POPMESSAGESTRING, std::wstring(L"57345")), messages[1]);
}

// ---------------------------------------------------------------------------
// Clicks with real input

class CommandBarClickTest : public CommandBarTest
{
protected:
    void SetUp() override
    {
        CommandBarTest::SetUp();
        ASSERT_TRUE(BringToFront(m_pFrame));
        m_pBar = MakeBar<CVZPToolBar>(vzpBarTop, CRect(0, 0, 300, 30));
    }
    CPoint ScreenPoint(int x, int y)
    {
        CPoint point(x, y);
        m_pBar->ClientToScreen(&point);
        return point;
    }

    CVZPToolBar* m_pBar = NULL;
};

TEST_F(CommandBarClickTest, PressAndReleaseExecutesOnceInside)
{
    CVZPControl* pButton = AddControl(m_pBar, vzpControlButton, L"Go", 3020, CRect(10, 5, 60, 25));
    AddControl(m_pBar, vzpControlButton, L"Zero", 0, CRect(100, 5, 150, 25));
    using Log = std::vector<std::pair<UINT, UINT>>;
    const Log executed = {{WM_VZP_CONTROLNOTIFY, 3020}, {WM_COMMAND, 3020}};
    struct Case
    {
        const char* name;
        std::vector<CPoint> path;   // press at the first point, moves, release at the last
        LRESULT lNotifyAnswer;
        Log log;
    };
    const Case cases[] = {
        {"inside", {{20, 10}, {30, 12}}, 0, executed},
        {"answered notification", {{20, 10}, {20, 10}}, 1, {{WM_VZP_CONTROLNOTIFY, 3020}}},
        {"released outside", {{20, 10}, {200, 10}}, 0, {}},
        {"slid back inside", {{20, 10}, {200, 10}, {40, 15}}, 0, executed},
        {"id 0", {{120, 10}, {120, 10}}, 0, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_pFrame->m_log.clear();
        m_pFrame->m_lNotifyAnswer = c.lNotifyAnswer;
        std::vector<std::pair<CPoint, DWORD>> steps;
        steps.push_back(std::make_pair(ScreenPoint(c.path[0].x, c.path[0].y), (DWORD)MOUSEEVENTF_LEFTDOWN));
        for (size_t i = 1; i < c.path.size(); i++)
            steps.push_back(std::make_pair(ScreenPoint(c.path[i].x, c.path[i].y), (DWORD)0));
        steps.push_back(std::make_pair(ScreenPoint(c.path.back().x, c.path.back().y), (DWORD)MOUSEEVENTF_LEFTUP));
        ASSERT_TRUE(SendMouseSteps(steps));
        EXPECT_TRUE(PumpUntil([&] { return ::GetCapture() == NULL && !::GetAsyncKeyState(VK_LBUTTON); }));
        PumpUntil([&] { return m_pFrame->m_log.size() >= c.log.size() && pButton->GetPressed() != 1; }, 2000);
        EXPECT_EQ(c.log, m_pFrame->m_log);
        EXPECT_NE(1, pButton->GetPressed());
    }
}

TEST_F(CommandBarClickTest, SplitButtonExecutesLeftOfItsArrowAndOpensOnIt)
{
    CVZPControl* pSplit = AddControl(m_pBar, vzpControlSplitButtonPopup, L"Split", 3020, CRect(10, 5, 70, 25));
    CTestPopupBar* pPopup = (CTestPopupBar*)pSplit->GetCommandBar();
    ASSERT_TRUE(SendMouseSteps({{ScreenPoint(58, 10), MOUSEEVENTF_LEFTDOWN}, {ScreenPoint(58, 10), MOUSEEVENTF_LEFTUP}}));
    EXPECT_TRUE(PumpUntil([&] { return m_pFrame->m_log.size() == 2; }));
    EXPECT_EQ(0, pPopup->m_nPopups);

    ASSERT_TRUE(SendMouseSteps({{ScreenPoint(60, 10), MOUSEEVENTF_LEFTDOWN}, {ScreenPoint(60, 10), MOUSEEVENTF_LEFTUP}}));
    EXPECT_TRUE(PumpUntil([&] { return pPopup->m_nPopups == 1; }));
    EXPECT_EQ(2u, m_pFrame->m_log.size());
    EXPECT_EQ(0, m_pBar->GetPopupedIndex());
}

// A quit request posted while a press is tracked ends the press without
// executing and stays queued for the loop outside.
TEST_F(CommandBarClickTest, QuitDuringAPressEndsItAndStaysQueued)
{
    CVZPControl* pButton = AddControl(m_pBar, vzpControlButton, L"Go", 3020, CRect(10, 5, 60, 25));
    static bool s_bPosted;
    s_bPosted = false;
    struct Quit
    {
        static void CALLBACK Proc(HWND, UINT, UINT_PTR nID, DWORD)
        {
            ::KillTimer(NULL, nID);
            s_bPosted = true;
            ::PostQuitMessage(7);
        }
    };
    ::SetTimer(NULL, 0, 300, Quit::Proc);
    ASSERT_TRUE(SendMouseSteps({{ScreenPoint(20, 10), MOUSEEVENTF_LEFTDOWN}}));
    // The press is tracked when the timer posts the quit request; the outer
    // loop sees WM_QUIT afterwards.
    bool bQuit = false;
    UINT_PTR nExit = 0;
    int nPressedAtQuit = -1;
    const DWORD dwStart = ::GetTickCount();
    while (!bQuit && ::GetTickCount() - dwStart < 5000)
    {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                bQuit = true;
                nExit = msg.wParam;
                nPressedAtQuit = pButton->GetPressed();
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!bQuit)
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    EXPECT_TRUE(s_bPosted);
    EXPECT_TRUE(bQuit);
    EXPECT_EQ(7u, nExit);
    EXPECT_EQ(0, nPressedAtQuit);
    ASSERT_TRUE(SendMouseInput(ScreenPoint(20, 10), MOUSEEVENTF_LEFTUP));
    PumpUntil([] { return !::GetAsyncKeyState(VK_LBUTTON); });
    EXPECT_TRUE(m_pFrame->m_log.empty());
}

TEST_F(CommandBarTest, AControlOfAPopupTrackedForAResultOnlyWritesTheResult)
{
    CTestPopupBar* pPopup = MakeBar<CTestPopupBar>(vzpBarPopup, CRect(0, 40, 100, 120));
    CVZPControl* pItem = AddControl(pPopup, vzpControlButton, L"Item", 3020, CRect(0, 0, 100, 20));
    UINT nResult = 0;
    pPopup->m_pReturnCmd = &nResult;
    pPopup->SetTrackingMode(1, FALSE, FALSE);
    pItem->OnLButtonUp(CPoint(10, 10));
    EXPECT_EQ(3020u, nResult);
    EXPECT_TRUE(m_pFrame->m_log.empty());
    EXPECT_FALSE(pPopup->IsTrackingMode());
}

// ---------------------------------------------------------------------------
// Customisation

// Dragging the edge of a resizable control gives it the new width, never
// below its minimum.
TEST_F(CommandBarClickTest, CustomizeResizeByTheEdge)
{
    CSizedControl* pControl = new CSizedControl;
    pControl->m_bResizable = TRUE;
    pControl->m_nMinWidth = 40;
    pControl->m_sz = CSize(80, 20);
    m_pBar->GetControls()->AddControl(pControl);
    pControl->SetRect(CRect(10, 5, 90, 25));
    CVZPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    pCommandBars->SetCustomizeMode(TRUE);
    pCommandBars->SetDragControl(pControl);

    // The second press is far from the first, so that it is no double click.
    struct Case
    {
        int xFrom;
        int xTo;
        int nWidth;
    };
    for (const Case& c : {Case{88, 120, 110}, Case{11, 80, 40}})
    {
        pControl->SetRect(CRect(10, 5, 90, 25));
        pCommandBars->SetDragControl(pControl);
        const int nSet = pControl->m_nWidthSet;
        ASSERT_TRUE(SendMouseSteps({{ScreenPoint(c.xFrom, 10), MOUSEEVENTF_LEFTDOWN},
                                    {ScreenPoint(c.xTo, 12), 0},
                                    {ScreenPoint(c.xTo, 12), MOUSEEVENTF_LEFTUP}}));
        EXPECT_TRUE(PumpUntil([&] { return pControl->m_nWidthSet == nSet + 1; }));
        EXPECT_EQ(c.nWidth, pControl->m_sz.cx);
    }
    pCommandBars->SetCustomizeMode(FALSE);

    // The resize cursor is the library's own (hot spot on its bar), not the
    // system's fallback.
    HCURSOR hCursor = CVZPControl::GetResizeCursor();
    ASSERT_TRUE(hCursor != NULL);
    EXPECT_NE(::LoadCursorW(NULL, IDC_SIZEWE), hCursor);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hCursor, &info));
    EXPECT_EQ(16u, info.xHotspot);
    EXPECT_EQ(16u, info.yHotspot);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
}

TEST_F(CommandBarTest, CustomizeDropMarkersAndDrops)
{
    CVZPToolBar* pBar = MakeBar<CVZPToolBar>(vzpBarTop, CRect(0, 0, 300, 30));
    CVZPControl* pA = AddControl(pBar, vzpControlButton, L"A", 3010, CRect(10, 5, 50, 25));
    AddControl(pBar, vzpControlButton, L"B", 3011, CRect(50, 5, 90, 25));
    CVZPControl* pC = AddControl(pBar, vzpControlButton, L"C", 3012, CRect(96, 5, 136, 25));
    pC->SetBeginGroup(TRUE);
    struct Case
    {
        CPoint point;
        int nIndex;
        BOOL bAfter;
        CRect rcMarker;
    };
    const Case cases[] = {
        {{12, 10}, 0, FALSE, {10, 5, 16, 25}},
        {{45, 10}, 0, TRUE, {50, 5, 56, 25}},     // the next control follows closely
        {{80, 10}, 1, TRUE, {84, 5, 90, 25}},     // the next one begins a group
        {{100, 10}, 2, FALSE, {96, 5, 102, 25}},
        {{250, 10}, 2, TRUE, {130, 5, 136, 25}},  // the last one
    };
    for (const Case& c : cases)
    {
        int nIndex;
        BOOL bAfter;
        CRect rcMarker;
        BOOL bVert;
        pBar->CalcInsertPosition(c.point, nIndex, bAfter, rcMarker, bVert);
        EXPECT_EQ(c.nIndex, nIndex) << c.point.x;
        EXPECT_EQ(c.bAfter, bAfter) << c.point.x;
        EXPECT_EQ(c.rcMarker, rcMarker) << c.point.x;
        EXPECT_FALSE(bVert);
    }

    // Dropped on itself more than 4 pixels away: the group mark follows the
    // side; within 4 pixels nothing changes.
    CVZPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    pCommandBars->SetCustomizeMode(TRUE);
    CVZPControl* pB = pBar->GetControls()->GetAt(1);
    DROPEFFECT effect = DROPEFFECT_MOVE;
    pBar->OnCustomizeDrop(pB, &effect, CPoint(80, 10), CPoint(60, 10));
    EXPECT_EQ((DROPEFFECT)5, effect);
    EXPECT_TRUE(pB->GetBeginGroup());
    pBar->OnCustomizeDrop(pB, &effect, CPoint(56, 10), CPoint(60, 10));
    EXPECT_TRUE(pB->GetBeginGroup());
    pBar->OnCustomizeDrop(pB, &effect, CPoint(52, 10), CPoint(80, 10));
    EXPECT_FALSE(pB->GetBeginGroup());
    EXPECT_EQ(3, pBar->GetControls()->GetCount());

    // Elsewhere a copy goes in at the marker and becomes the selection; it
    // takes the group mark of the control it goes before.
    effect = DROPEFFECT_MOVE;
    pBar->OnCustomizeDrop(pA, &effect, CPoint(100, 10), CPoint(20, 10));
    ASSERT_EQ(4, pBar->GetControls()->GetCount());
    CVZPControl* pCopy = pBar->GetControls()->GetAt(2);
    EXPECT_NE(pA, pCopy);
    EXPECT_EQ(3010u, pCopy->GetID());
    EXPECT_TRUE(pCopy->GetBeginGroup());
    EXPECT_FALSE(pC->GetBeginGroup());
    EXPECT_EQ(pCopy, pCommandBars->GetDragControl());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_MOVE, effect);
    pCommandBars->SetCustomizeMode(FALSE);
}

}  // namespace
