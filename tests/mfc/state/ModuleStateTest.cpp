// Module state: installing another state on one thread, the empty library
// list, and resource lookup that probes the current resource module, then
// the executable.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxext.h>

#include "StateTestsRes.h"
#include "TestSupport.h"

#include <process.h>

#include <string>

namespace {

struct CSeen
{
    AFX_MODULE_STATE* pState = NULL;
    HINSTANCE hResource = NULL;
};

unsigned __stdcall SeeModuleState(void* pParam)
{
    CSeen* pSeen = (CSeen*)pParam;
    pSeen->pState = AfxGetModuleState();
    pSeen->hResource = AfxGetResourceHandle();
    return 0;
}

TEST(ModuleState, SetModuleStateSwapsTheCallingThreadsStateOnly)
{
    AFX_MODULE_STATE* pApp = AfxGetModuleState();
    ASSERT_EQ(AfxGetAppModuleState(), pApp);
    EXPECT_EQ(NULL, pApp->m_libraryList.GetHead());   // no extension libraries

    AFX_MODULE_STATE other = *pApp;
    other.m_hCurrentResourceHandle = (HINSTANCE)0x10000;
    EXPECT_EQ(pApp, AfxSetModuleState(&other));
    EXPECT_EQ(&other, AfxGetModuleState());
    EXPECT_EQ((HINSTANCE)0x10000, AfxGetResourceHandle());

    // Another thread still sees the executable's state.
    CSeen seen;
    HANDLE hThread = (HANDLE)_beginthreadex(NULL, 0, &SeeModuleState, &seen, 0, NULL);
    ASSERT_NE((HANDLE)NULL, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);
    EXPECT_EQ(pApp, seen.pState);
    EXPECT_EQ((HINSTANCE)::GetModuleHandleW(NULL), seen.hResource);

    EXPECT_EQ(&other, AfxSetModuleState(pApp));
    EXPECT_EQ(pApp, AfxGetModuleState());
    EXPECT_EQ((HINSTANCE)::GetModuleHandleW(NULL), AfxGetResourceHandle());
}

// The resource module next to the test program, loaded for one test and
// set as the current resource handle; both undone at the end.
class ResourceSwitchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szPath[MAX_PATH];
        DWORD cch = ::GetModuleFileNameW(NULL, szPath, MAX_PATH);
        std::wstring path(szPath, cch);
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"mfc_state_resources.dll";
        m_hModule = ::LoadLibraryW(path.c_str());
        ASSERT_NE((HMODULE)NULL, m_hModule) << tesmir::test::Utf8(path);
        m_hOldResource = AfxGetModuleState()->m_hCurrentResourceHandle;
        AfxSetResourceHandle(m_hModule);
    }
    void TearDown() override
    {
        AfxGetModuleState()->m_hCurrentResourceHandle = m_hOldResource;
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
    }
    static HINSTANCE Exe() { return (HINSTANCE)::GetModuleHandleW(NULL); }

    HMODULE m_hModule = NULL;
    HINSTANCE m_hOldResource = NULL;
};

TEST_F(ResourceSwitchTest, FindResourceHandleProbesTheResourceModuleThenTheExecutable)
{
    struct
    {
        UINT nID;
        LPCTSTR lpszType;
        bool bModule;   // expected: the resource module (else the executable)
    } cases[] = {
        {IDR_MODULE_MENU, RT_MENU, true},
        {IDR_MODULE_TOOLBAR, RT_TOOLBAR, true},
        {IDR_MODULE_TOOLBAR, RT_BITMAP, true},
        {IDR_SHARED_MENU, RT_MENU, true},   // the resource module comes first
        {IDR_EXE_MENU, RT_MENU, false},
        {IDR_NOWHERE, RT_MENU, true},       // nowhere: the current resource handle
        {IDR_MODULE_MENU, RT_DIALOG, true},
    };
    for (const auto& c : cases)
    {
        HINSTANCE hExpected = c.bModule ? (HINSTANCE)m_hModule : Exe();
        EXPECT_EQ(hExpected, AfxFindResourceHandle(MAKEINTRESOURCE(c.nID), c.lpszType)) << "resource " << c.nID;
    }
}

std::wstring FirstItemText(CMenu& menu)
{
    wchar_t szText[64] = {};
    menu.GetMenuString(0, szText, 64, MF_BYPOSITION);
    return szText;
}

TEST_F(ResourceSwitchTest, LoadMenuFindsMenusInEitherModule)
{
    CMenu module, exe, shared, missing;
    ASSERT_TRUE(module.LoadMenu(IDR_MODULE_MENU));
    EXPECT_EQ(L"From the module", FirstItemText(module));
    ASSERT_TRUE(exe.LoadMenu(IDR_EXE_MENU));
    EXPECT_EQ(L"From the executable", FirstItemText(exe));
    ASSERT_TRUE(shared.LoadMenu(IDR_SHARED_MENU));
    EXPECT_EQ(L"Module copy", FirstItemText(shared));
    EXPECT_FALSE(missing.LoadMenu(IDR_NOWHERE));

    // Without the resource module only the executable's menus are found.
    AfxSetResourceHandle(NULL);
    CMenu again, gone;
    ASSERT_TRUE(again.LoadMenu(IDR_SHARED_MENU));
    EXPECT_EQ(L"Executable copy", FirstItemText(again));
    EXPECT_FALSE(gone.LoadMenu(IDR_MODULE_MENU));
}

TEST_F(ResourceSwitchTest, LoadToolBarTakesButtonsAndImagesFromTheResourceModule)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("toolbar host"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    EXPECT_TRUE(bar.LoadToolBar(IDR_MODULE_TOOLBAR));
    EXPECT_EQ(2, bar.GetCount());
    EXPECT_EQ((UINT)ID_MODULE_CMD, bar.GetItemID(0));
    EXPECT_EQ((UINT)ID_MODULE_CMD2, bar.GetItemID(1));
    EXPECT_EQ((HINSTANCE)m_hModule, bar.m_hInstImageWell);

    // Without the resource module the toolbar is not found.
    AfxSetResourceHandle(NULL);
    EXPECT_FALSE(bar.LoadToolBar(IDR_MODULE_TOOLBAR));
    pFrame->DestroyWindow();
}

}  // namespace
