// The menu bar on real frames: loading takes the frame's native menu, the
// menu key (F10, Alt alone) and access keys (Alt+letter) with real input,
// and the system-command images it files.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPMenuBar.h"

#include <TestSupport.h>

#include <functional>

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

    // A hidden menu bar leaves the key to the system.
    m_pMenuBar->SetVisible(FALSE);
    LRESULT lResult = 1;
    WPARAM wParam = SC_KEYMENU;
    LPARAM lParam = 0;
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
