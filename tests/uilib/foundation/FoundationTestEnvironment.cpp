// The global environment: an application with registry key "VZTest" (its key
// deleted before and after the run), the foundation's start-up initialisers,
// and a hidden main frame, so that profile paths and
// AfxGetThread()->GetMainWnd() exist as they do in the program.
#include <gtest/gtest.h>

#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPMouseHookManager.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "VZPFoundation.h"

#include <shlwapi.h>
#include <stdlib.h>

namespace vzfoundation_test {

namespace {

const wchar_t kRegistryKey[] = L"VZTest";
const wchar_t kRegistryPath[] = L"Software\\VZTest";

CFrameWnd* g_pMainFrame = NULL;

class CFoundationEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kRegistryPath);
        m_pApp = new CWinApp(L"FoundationTests");
        m_pApp->SetRegistryKey(kRegistryKey);
        VZPFoundationRegisterStartup();
        AfxRunStartupInitializers();
        g_pMainFrame = new CFrameWnd;
        ASSERT_TRUE(g_pMainFrame->Create(NULL, L"Foundation tests"));
        m_pApp->m_pMainWnd = g_pMainFrame;
    }

    void TearDown() override
    {
        if (g_pMainFrame != NULL && ::IsWindow(g_pMainFrame->GetSafeHwnd()))
            g_pMainFrame->DestroyWindow();   // the frame deletes itself
        g_pMainFrame = NULL;
        m_pApp->m_pMainWnd = NULL;
        AfxRunShutdownTerminators();
        delete m_pApp;
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kRegistryPath);
    }

private:
    CWinApp* m_pApp = NULL;
};

testing::Environment* const g_pEnvironment = testing::AddGlobalTestEnvironment(new CFoundationEnvironment);

}  // namespace

CFrameWnd* MainFrame()
{
    return g_pMainFrame;
}


bool PlaceCursor(POINT ptScreen)
{
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < 10000)
    {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        const DWORD dwPlaced = ::GetTickCount();
        bool bMovedAway = false;
        tesmir::test::PumpUntil(
            [&] {
                POINT pt;
                ::GetCursorPos(&pt);
                bMovedAway = pt.x != ptScreen.x || pt.y != ptScreen.y;
                return bMovedAway || ::GetTickCount() - dwPlaced >= 250;
            },
            2000);
        if (!bMovedAway)
            return true;
    }
    return false;
}

namespace {

HWND g_hMenuSeen = NULL;
std::function<void(HWND)> g_onMenuShown;

// The visible popup bar this thread tracks (context menus of the library's
// controls are command-bar popups), NULL when none.
HWND FindTrackedPopupBar()
{
    CVZPMouseHookManager* pMouseManager = CVZPMouseHookManager::FindThreadManager();
    for (int i = 0; pMouseManager != NULL && i < pMouseManager->GetTrackedCount(); i++)
    {
        HWND hWnd = pMouseManager->GetTrackedAt(i)->GetSafeHwnd();
        if (hWnd != NULL && ::IsWindowVisible(hWnd))
            return hWnd;
    }
    return NULL;
}

void CALLBACK EndMenuWhenShown(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hMenu = ::FindWindowW(L"#32768", NULL);
    if (hMenu != NULL && ::IsWindowVisible(hMenu))
    {
        g_hMenuSeen = hMenu;
        ::KillTimer(NULL, nIDEvent);
        if (g_onMenuShown)
            g_onMenuShown(hMenu);
        ::EndMenu();
        return;
    }
    if (HWND hPopup = FindTrackedPopupBar())
    {
        g_hMenuSeen = hPopup;
        ::KillTimer(NULL, nIDEvent);
        if (g_onMenuShown)
            g_onMenuShown(hPopup);
        CVZPCommandBars::ClosePopups();
    }
}

}  // namespace

bool RunMenuEndedByTimer(const std::function<void()>& show, const std::function<void(HWND)>& onShown)
{
    g_hMenuSeen = NULL;
    g_onMenuShown = onShown;
    // The menu loop dispatches the timer; a menu that never opened leaves
    // it with nothing to end.
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuWhenShown);
    show();
    ::KillTimer(NULL, nTimer);
    g_onMenuShown = nullptr;
    return g_hMenuSeen != NULL;
}

}  // namespace vzfoundation_test
