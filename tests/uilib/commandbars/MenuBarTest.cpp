// The menu bar on real frames: loading takes the frame's native menu, the
// menu key (F10, Alt alone) and access keys (Alt+letter) with real input,
// the system-command images it files, and its drop-downs opened, moved,
// run and closed by real mouse and keys.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPMenuBar.h"

#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"

#include <TestSupport.h>

#include <afxpriv.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

using namespace vzcommandbars_test;

namespace {

// Dispatches this thread's messages, offering each to the frame's
// pre-translation first (as the application's message loop does), until
// pred() holds or the time is up.
bool PumpThroughFrame(CFrameWnd* pFrame, const std::function<bool()>& pred, DWORD timeoutMs = 3000)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        {
            const BOOL bFrameWindow = msg.hwnd == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, msg.hwnd);
            if (bFrameWindow && pFrame->PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (pred())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return pred();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

// A visible frame in front with the access-key menu in its menu bar, whose
// titles open test popups.
class MenuBarKeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, m_pCommandBars->AddMenuBar(L"Menu Bar", IDR_ACCEL_MENU));
        ASSERT_NE(nullptr, m_pMenuBar);
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(BringToFront(m_pFrame));
    }
    void TearDown() override
    {
        CVZPCommandBars::ClosePopups();
        DestroyFrame(m_pFrame);
    }

    // Presses the keys, then lets the frame handle what they made.
    void Press(std::initializer_list<WORD> keys)
    {
        tesmir::test::PressKeys(keys);
        PumpThroughFrame(m_pFrame, [] { return false; }, 300);
    }
    void EndTracking()
    {
        CVZPCommandBars::ClosePopups();
        m_pMenuBar->SetTrackingMode(0, TRUE, FALSE);
        PumpThroughFrame(m_pFrame, [] { return false; }, 50);
    }
    int PopupsOf(int nIndex) const
    {
        CTestPopupBar* pPopup = DYNAMIC_DOWNCAST(CTestPopupBar, m_pMenuBar->GetControl(nIndex)->GetCommandBar());
        return pPopup != NULL ? pPopup->m_nPopups : -1;
    }

    CTestPopupBarScope m_popups;
    CTestFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPMenuBar* m_pMenuBar = NULL;
};

}  // namespace

TEST(MenuBarLoad, TakesTheFramesNativeMenuAndFilesTheSystemCommandImages)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_MENU, WS_OVERLAPPEDWINDOW));
    HMENU hNative = ::GetMenu(pFrame->m_hWnd);
    ASSERT_NE(nullptr, hNative);
    CVZPMenuBar* pMenuBar =
        DYNAMIC_DOWNCAST(CVZPMenuBar, pFrame->GetCommandBars()->AddMenuBar(L"Menu Bar", IDR_APP_MENU));
    ASSERT_NE(nullptr, pMenuBar);
    EXPECT_EQ(nullptr, ::GetMenu(pFrame->m_hWnd));
    EXPECT_EQ(hNative, pMenuBar->GetFrameMenu());
    EXPECT_EQ((UINT)IDR_APP_MENU, pMenuBar->GetCurrentMenuId());
    EXPECT_EQ(vzpBarTypeMenuBar, pMenuBar->GetType());
    EXPECT_EQ(1u, pMenuBar->GetBarID());
    int nTitles = 0;
    for (int i = 0; i < pMenuBar->GetControlCount(); i++)
        nTitles += pMenuBar->GetControl(i)->IsTemporary() ? 0 : 1;
    ASSERT_EQ(4, nTitles);
    EXPECT_EQ(CString(L"Recovery"), pMenuBar->GetControl(0)->GetCaption());
    EXPECT_EQ(vzpControlPopup, pMenuBar->GetControl(0)->GetType());

    // An idle pass and a layout leave the frame without its native menu.
    pFrame->OnUpdateFrameMenu(NULL);
    pFrame->RecalcLayout();
    EXPECT_EQ(nullptr, ::GetMenu(pFrame->m_hWnd));

    CVZPImageManager* pImages = pFrame->GetCommandBars()->GetImageManager();
    for (UINT nCommand : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        EXPECT_NE(nullptr, pImages->GetImage(nCommand, 16)) << std::hex << nCommand;

    // The bar owns the native menu from now on and destroys it with itself.
    DestroyFrame(pFrame);
    EXPECT_FALSE(::IsMenu(hNative));
}

TEST(MenuBarLoad, ReadsMenuItemTexts)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_APP_MENU));
    CString strText;
    EXPECT_EQ(8, CVZPMenuBar::GetMenuItemText(&menu, 0, strText, MF_BYPOSITION));
    EXPECT_EQ(CString(L"Recovery"), strText);
    EXPECT_EQ(0, CVZPMenuBar::GetMenuItemText(&menu, 17, strText, MF_BYPOSITION));
    EXPECT_TRUE(strText.IsEmpty());
    menu.DestroyMenu();
}

TEST_F(MenuBarKeysTest, TheMenuKeyPutsTheBarIntoKeyboardTracking)
{
    const struct
    {
        const char* name;
        std::initializer_list<WORD> keys;
    } cases[] = {
        {"F10", {VK_F10}},
        {"Alt alone", {VK_MENU}},
    };
    for (const auto& c : cases)
    {
        Press(c.keys);
        EXPECT_TRUE(PumpThroughFrame(m_pFrame, [&] { return m_pMenuBar->IsTrackingMode() != FALSE; })) << c.name;
        EXPECT_EQ(0, m_pMenuBar->GetHotIndex()) << c.name;
        EXPECT_EQ(-1, m_pMenuBar->GetPopupedIndex()) << c.name;
        EXPECT_EQ(0, PopupsOf(0)) << c.name;
        EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
        EndTracking();
    }

    LRESULT lResult = 1;
    WPARAM wParam = SC_KEYMENU;
    LPARAM lParam = 0;

    // Shift+F10 is the context-menu key: with Shift held the bar leaves the
    // menu key alone. (The thread's key state says Shift is down; real input
    // would let the system track the window menu instead.)
    BYTE keys[256];
    ASSERT_TRUE(::GetKeyboardState(keys));
    const BYTE shiftBefore = keys[VK_SHIFT];
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_EQ(0, m_pMenuBar->OnHookMessage(m_pFrame->m_hWnd, WM_SYSCOMMAND, wParam, lParam, lResult));
    keys[VK_SHIFT] = shiftBefore;
    ::SetKeyboardState(keys);
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());

    // A hidden menu bar leaves the key to the system.
    m_pMenuBar->SetVisible(FALSE);
    EXPECT_EQ(0, m_pMenuBar->OnHookMessage(m_pFrame->m_hWnd, WM_SYSCOMMAND, wParam, lParam, lResult));
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
    m_pMenuBar->SetVisible(TRUE);
    // A menu key with a mnemonic is not the bar's either.
    lParam = 'x';
    EXPECT_EQ(0, m_pMenuBar->OnHookMessage(m_pFrame->m_hWnd, WM_SYSCOMMAND, wParam, lParam, lResult));
    lParam = 0;
    EXPECT_EQ(1, m_pMenuBar->OnHookMessage(m_pFrame->m_hWnd, WM_SYSCOMMAND, wParam, lParam, lResult));
    EXPECT_EQ(0, (int)lResult);
    EXPECT_TRUE(m_pMenuBar->IsTrackingMode());
}

TEST_F(MenuBarKeysTest, AltLetterOpensTheTitleOfItsAccessKey)
{
    const struct
    {
        WORD key;
        int nHot;        // hot title, -1 none
        BOOL bOpened;    // its popup opened
    } cases[] = {
        {'F', 1, TRUE},          // "&File", though "Format" starts with F
        {'W', 4, TRUE},          // "Window" by its first letter
        {'E', 2, FALSE},         // "&Edit" and "&Extra": the first is only selected
        {VK_NUMPAD1, -1, FALSE}, // a keypad digit never opens a title
    };
    for (const auto& c : cases)
    {
        int popupsBefore[5];
        for (int i = 0; i < 5; i++)
            popupsBefore[i] = PopupsOf(i);
        Press({VK_MENU, c.key});
        if (c.nHot < 0)
        {
            EXPECT_FALSE(m_pMenuBar->IsTrackingMode() && m_pMenuBar->GetHotIndex() > 0) << c.key;
            for (int i = 0; i < 5; i++)
                EXPECT_EQ(popupsBefore[i], PopupsOf(i)) << c.key;
        }
        else
        {
            EXPECT_TRUE(m_pMenuBar->IsTrackingMode()) << c.key;
            EXPECT_EQ(c.nHot, m_pMenuBar->GetHotIndex()) << c.key;
            EXPECT_EQ(popupsBefore[c.nHot] + (c.bOpened ? 1 : 0), PopupsOf(c.nHot)) << c.key;
        }
        EndTracking();
    }

    // With access keys switched off nothing is handled.
    m_pCommandBars->GetCommandBarsOptions()->keyboardCuesUse = 2;
    EXPECT_FALSE(m_pCommandBars->OnFrameAccel('F'));
    m_pCommandBars->GetCommandBarsOptions()->keyboardCuesUse = 1;
    EXPECT_TRUE(m_pCommandBars->OnFrameAccel('F'));
}

// ---------------------------------------------------------------------------
// Drop-downs of the application-like frame's menu bar with real input

namespace {

// The application-like frame whose command map handles the commands of its
// menu, so that its drop-downs show them enabled.
class CHandlingAppFrame : public CAppLikeFrame
{
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        static const UINT kMenuCommands[] = {32818, 32777, 32811, 32781, 32809, 32782, 59410, 59411,
                                             32785, 32786, 32787, 32788, 57670, 57664};
        if (nCode == CN_COMMAND && std::find(std::begin(kMenuCommands), std::end(kMenuCommands), nID) !=
                                       std::end(kMenuCommands))
            return TRUE;
        return CAppLikeFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

class MenuBarInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
        m_pFrame = new CHandlingAppFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pFrame->MoveWindow(20, 20, 760, 420);
        m_pFrame->RecalcLayout();
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pOptions = m_pCommandBars->GetCommandBarsOptions();
        m_pOptions->bShowFullAfterDelay = FALSE;
        m_pMenuBar = m_pFrame->m_pMenuBar;
        ASSERT_TRUE(BringToFront(m_pFrame));
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(1200, 1000));
    }
    void TearDown() override
    {
        CVZPCommandBars::ClosePopups();
        DestroyFrame(m_pFrame);
    }

    bool Pump(const std::function<bool()>& pred, DWORD timeoutMs = 3000)
    {
        return PumpThroughFrame(m_pFrame, pred, timeoutMs);
    }
    void Press(std::initializer_list<WORD> keys)
    {
        tesmir::test::PressKeys(keys);
    }
    CRect TitleRect(int nIndex) const
    {
        CRect rc = m_pMenuBar->GetControl(nIndex)->GetRect();
        m_pMenuBar->ClientToScreen(&rc);
        return rc;
    }
    // The bottom-left corner of the title's exclusion rectangle on the screen.
    CPoint ExcludeCorner(int nIndex) const
    {
        CVZPControlPopup* pTitle = DYNAMIC_DOWNCAST(CVZPControlPopup, m_pMenuBar->GetControl(nIndex));
        CRect rc = pTitle->GetRect();
        pTitle->AdjustExcludeRect(rc);
        m_pMenuBar->ClientToScreen(&rc);
        return CPoint(rc.left, rc.bottom);
    }
    CVZPPopupBar* PopupOf(int nIndex) const
    {
        return DYNAMIC_DOWNCAST(CVZPPopupBar, m_pMenuBar->GetControl(nIndex)->GetCommandBar());
    }
    bool Shown(int nIndex) const
    {
        CVZPPopupBar* pPopup = PopupOf(nIndex);
        return pPopup != NULL && pPopup->GetSafeHwnd() != NULL && pPopup->IsWindowVisible();
    }
    int TrackedPopups() const
    {
        return CVZPCommandBars::GetThreadMouseManager()->GetTrackedCount();
    }
    CPoint ItemCentre(CVZPPopupBar* pPopup, CVZPControl* pControl) const
    {
        CRect rc = pControl->GetRect();
        pPopup->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    // Moves to the point and clicks there. The pointer comes from beside
    // the point: the display may ignore a move to where it was last.
    void ClickAt(CPoint pt)
    {
        tesmir::test::PlaceCursorByInput(pt.x + 3, pt.y + 2);
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
        tesmir::test::SendMouseButtons(pt, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
        Pump([] { return !::GetAsyncKeyState(VK_LBUTTON); }, 1000);
    }
    // The notifications and commands the frame received, in order.
    std::vector<std::pair<UINT, UINT>> Executions() const
    {
        std::vector<std::pair<UINT, UINT>> list;
        for (const CAppLikeFrame::Received& received : m_pFrame->m_received)
            if (received.message == WM_COMMAND || received.message == WM_VZP_CONTROLNOTIFY)
                list.push_back(std::make_pair(received.message, received.nId));
        return list;
    }

    CHandlingAppFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPCommandBarsOptions* m_pOptions = NULL;
    CVZPCommandBar* m_pMenuBar = NULL;
};

}  // namespace

TEST_F(MenuBarInputTest, ClicksOpenAndCloseTheDropDownsAndHoverMovesThem)
{
    ClickAt(TitleRect(0).CenterPoint());
    ASSERT_TRUE(Pump([&] { return Shown(0); }));
    // The release of the opening click leaves the menu open and runs nothing.
    Pump([] { return false; }, 100);
    EXPECT_TRUE(Shown(0));
    EXPECT_TRUE(Executions().empty());
    // The drop-down hangs from the title's bottom-left corner, as the
    // theme widens the title for it (the classic theme by a pixel).
    CRect rcPopup;
    PopupOf(0)->GetWindowRect(&rcPopup);
    EXPECT_EQ(ExcludeCorner(0), rcPopup.TopLeft());
    EXPECT_LE(std::abs(rcPopup.left - TitleRect(0).left), 1);
    EXPECT_EQ(TitleRect(0).bottom, rcPopup.top);
    EXPECT_EQ(0, m_pMenuBar->GetPopupedIndex());

    // Hovering the next title moves the open menu there.
    const CPoint ptView = TitleRect(1).CenterPoint();
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(ptView.x, ptView.y));
    EXPECT_TRUE(Pump([&] { return Shown(1) && !Shown(0); }));
    EXPECT_EQ(1, m_pMenuBar->GetPopupedIndex());
    PopupOf(1)->GetWindowRect(&rcPopup);
    EXPECT_EQ(ExcludeCorner(1), rcPopup.TopLeft());

    // A second click on the open title closes it.
    ClickAt(ptView);
    EXPECT_TRUE(Pump([&] { return !Shown(1) && TrackedPopups() == 0; }));
    EXPECT_FALSE(Shown(0));
    EXPECT_TRUE(Executions().empty());
}

TEST_F(MenuBarInputTest, ClickingAnItemNotifiesThenRunsTheCommandAndDestroysThePopups)
{
    ClickAt(TitleRect(1).CenterPoint());
    ASSERT_TRUE(Pump([&] { return Shown(1); }));
    CVZPPopupBar* pView = PopupOf(1);
    CVZPControl* pIcons = pView->GetControl(0);
    ASSERT_EQ(32782, pIcons->GetID());
    ASSERT_TRUE(pIcons->GetEnabled());
    ClickAt(ItemCentre(pView, pIcons));
    EXPECT_TRUE(Pump([&] { return !Executions().empty() && pView->GetSafeHwnd() == NULL; }));
    const std::vector<std::pair<UINT, UINT>> expected = {{WM_VZP_CONTROLNOTIFY, 32782}, {WM_COMMAND, 32782}};
    EXPECT_EQ(expected, Executions());
    EXPECT_EQ(nullptr, pView->GetSafeHwnd());
    EXPECT_EQ(0, TrackedPopups());
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
}

TEST_F(MenuBarInputTest, KeysOpenMoveAndStepBack)
{
    Press({VK_F10});
    ASSERT_TRUE(Pump([&] { return m_pMenuBar->IsTrackingMode() != FALSE; }));
    EXPECT_EQ(0, m_pMenuBar->GetHotIndex());
    EXPECT_FALSE(Shown(0));
    Press({VK_DOWN});
    ASSERT_TRUE(Pump([&] { return Shown(0); }));
    EXPECT_EQ(0, PopupOf(0)->GetHotIndex()) << "opened from the keyboard, the first item is selected";
    Press({VK_RIGHT});
    EXPECT_TRUE(Pump([&] { return Shown(1) && !Shown(0); }));
    EXPECT_EQ(1, m_pMenuBar->GetHotIndex());
    // Esc closes the drop-down and keeps its title selected, a second Esc
    // leaves the bar.
    Press({VK_ESCAPE});
    EXPECT_TRUE(Pump([&] { return !Shown(1); }));
    EXPECT_TRUE(m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(1, m_pMenuBar->GetHotIndex());
    Press({VK_ESCAPE});
    EXPECT_TRUE(Pump([&] { return !m_pMenuBar->IsTrackingMode(); }));
    EXPECT_TRUE(Executions().empty());
}

TEST_F(MenuBarInputTest, LosingTheApplicationActivationClosesEverything)
{
    ClickAt(TitleRect(2).CenterPoint());
    ASSERT_TRUE(Pump([&] { return Shown(2); }));
    m_pFrame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(Pump([&] { return !Shown(2); }));
    EXPECT_EQ(0, TrackedPopups());
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(-1, m_pMenuBar->GetPopupedIndex());
}

// With full menus off a drop-down holding a hidden command shows the
// expand button; Down on its last command expands it, and the next
// drop-down of the same tracking opens expanded.
TEST_F(MenuBarInputTest, RarelyUsedCommandsWaitBehindTheExpandButton)
{
    ASSERT_FALSE(m_pOptions->bAlwaysShowFullMenus);
    m_pCommandBars->HideCommand(59411);   // View, "&Details"
    m_pCommandBars->HideCommand(32787);   // Tools, "&Settings"
    Press({VK_F10});
    ASSERT_TRUE(Pump([&] { return m_pMenuBar->IsTrackingMode() != FALSE; }));
    Press({VK_RIGHT});
    ASSERT_TRUE(Pump([&] { return m_pMenuBar->GetHotIndex() == 1; }));
    Press({VK_DOWN});
    ASSERT_TRUE(Pump([&] { return Shown(1); }));
    CVZPPopupBar* pView = PopupOf(1);
    EXPECT_TRUE(pView->HasHiddenControls());
    CVZPControl* pDetails = pView->GetControls()->FindControl(59411);
    ASSERT_NE(nullptr, pDetails);
    EXPECT_EQ((DWORD)CVZPControl::hideExpand, pDetails->GetHideFlags());
    CVZPControl* pExpand = pView->FindExpandButton();
    ASSERT_NE(nullptr, pExpand);
    EXPECT_EQ(0u, pExpand->GetHideFlags());
    EXPECT_EQ(0, pView->GetHotIndex());

    Press({VK_DOWN});
    ASSERT_TRUE(Pump([&] { return pView->GetHotIndex() == 1; }));
    EXPECT_FALSE(pView->IsExpanded());
    Press({VK_DOWN});   // on the last command: expands instead of wrapping
    ASSERT_TRUE(Pump([&] { return pView->IsExpanded() != FALSE; }));
    EXPECT_EQ(0u, pDetails->GetHideFlags());

    Press({VK_RIGHT});
    ASSERT_TRUE(Pump([&] { return Shown(2); }));
    CVZPPopupBar* pTools = PopupOf(2);
    EXPECT_TRUE(pTools->IsExpanded());
    EXPECT_FALSE(pTools->HasHiddenControls());
    EXPECT_EQ(0u, pTools->GetControls()->FindControl(32787)->GetHideFlags());
    Press({VK_ESCAPE});
    Press({VK_ESCAPE});
    EXPECT_TRUE(Pump([&] { return !m_pMenuBar->IsTrackingMode(); }));

    // A new tracking starts collapsed again.
    ClickAt(TitleRect(1).CenterPoint());
    ASSERT_TRUE(Pump([&] { return Shown(1); }));
    EXPECT_TRUE(pView->HasHiddenControls());
    EXPECT_EQ((DWORD)CVZPControl::hideExpand, pDetails->GetHideFlags());
}

// A title whose commands are all hidden counts as hidden until one of them
// runs; its drop-down, having nothing else to show, shows them all.
TEST_F(MenuBarInputTest, ATitleOfHiddenCommandsCountsAsHiddenUntilOneRuns)
{
    m_pCommandBars->HideCommand(57670);
    m_pCommandBars->HideCommand(57664);
    CVZPControl* pHelp = m_pMenuBar->GetControl(3);
    ASSERT_EQ(CString(L"Help"), pHelp->GetCaption());
    EXPECT_TRUE(m_pCommandBars->IsControlHidden(pHelp));
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(m_pMenuBar->GetControl(2)));

    ClickAt(TitleRect(3).CenterPoint());
    ASSERT_TRUE(Pump([&] { return Shown(3); }));
    CVZPPopupBar* pPopup = PopupOf(3);
    EXPECT_FALSE(pPopup->HasHiddenControls());
    CVZPControl* pAbout = pPopup->GetControls()->FindControl(57664);
    ASSERT_NE(nullptr, pAbout);
    ASSERT_EQ(0u, pAbout->GetHideFlags());
    ClickAt(ItemCentre(pPopup, pAbout));
    ASSERT_TRUE(Pump([&] { return !Executions().empty(); }));
    EXPECT_EQ((UINT)WM_COMMAND, Executions().back().first);
    EXPECT_EQ(57664u, Executions().back().second);
    EXPECT_FALSE(m_pCommandBars->IsCommandHidden(57664));
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pHelp));
    EXPECT_TRUE(m_pCommandBars->IsCommandHidden(57670));
}
