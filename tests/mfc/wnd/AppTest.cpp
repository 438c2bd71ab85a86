// The application object: start-up initialisers, idle processing, tool-tip
// hit testing of child windows.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxpriv.h>
#include <afxadv.h>

#include "WndTestSupport.h"

#include <string>
#include <vector>

using namespace mfcwnd_test;

namespace {

std::vector<std::string> g_order;

void AFXAPI InitA() { g_order.push_back("initA"); }
void AFXAPI InitB() { g_order.push_back("initB"); }
void AFXAPI InitC() { g_order.push_back("initC"); }
void AFXAPI TermA() { g_order.push_back("termA"); }
void AFXAPI TermC() { g_order.push_back("termC"); }

TEST(Startup, InitialisersRunOnceByOrderAndCleanUpsInReverse)
{
    AfxAddStartupInitializer(30, InitC, TermC);
    AfxAddStartupInitializer(10, InitA, TermA);
    AfxAddStartupInitializer(20, InitB);
    AfxRunStartupInitializers();
    AfxRunStartupInitializers();   // only once
    EXPECT_EQ((std::vector<std::string>{ "initA", "initB", "initC" }), g_order);
    g_order.clear();
    AfxRunShutdownTerminators();
    EXPECT_EQ((std::vector<std::string>{ "termC", "termA" }), g_order);
}

TEST(Startup, ApplicationNameComesFromTheStringTable)
{
    CScopedApp app(NULL);
    EXPECT_STREQ(_T("MfcWndTests"), app.m_pszAppName);
    EXPECT_STREQ(_T("MfcWndTests"), AfxGetAppName());
    EXPECT_EQ(&app, AfxGetApp());
    EXPECT_EQ(&app, AfxGetThread());
}

// Counts the idle updates it receives and notes its name in g_order.
class CIdleWnd : public CWnd
{
public:
    explicit CIdleWnd(const char* pszName) : m_pszName(pszName) {}
    int m_nIdleUpdates = 0;
protected:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        if (wParam)
        {
            m_nIdleUpdates++;
            g_order.push_back(m_pszName);
        }
        return 0;
    }
    const char* m_pszName;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

TEST(Idle, UpdatesTheMainWindowItsDescendantsAndRegisteredFrames)
{
    CScopedApp app(_T("IdleTest"));
    CIdleWnd frame("frame"), child("child"), grandchild("grandchild"), floating("floating"),
        hiddenFloating("hidden");
    ASSERT_TRUE(CreateTopLevel(frame));
    ASSERT_TRUE(child.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
    ASSERT_TRUE(grandchild.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), &child, 2));
    ASSERT_TRUE(CreateTopLevel(floating));
    ASSERT_TRUE(CreateTopLevel(hiddenFloating));
    // A child that is not a framework object is skipped.
    ::CreateWindowEx(0, _T("STATIC"), NULL, WS_CHILD, 0, 0, 5, 5, frame.m_hWnd, (HMENU)3, NULL, NULL);
    AfxAddIdleUpdateWnd(&floating);
    AfxAddIdleUpdateWnd(&hiddenFloating);
    app.m_pMainWnd = &frame;
    frame.ShowWindow(SW_SHOWNA);
    floating.ShowWindow(SW_SHOWNA);

    g_order.clear();
    EXPECT_TRUE(app.OnIdle(0));    // more idle work follows
    // The main window, its descendants (hidden ones too), then the other
    // registered frames that are visible.
    EXPECT_EQ((std::vector<std::string>{ "frame", "child", "grandchild", "floating" }), g_order);

    // The second pass frees temporary objects and ends idle work.
    CWnd* pTemp = CWnd::FromHandle(::GetDesktopWindow());
    EXPECT_EQ(pTemp, CWnd::FromHandle(::GetDesktopWindow()));
    EXPECT_FALSE(app.OnIdle(1));
    EXPECT_EQ(1, frame.m_nIdleUpdates);

    frame.ShowWindow(SW_HIDE);
    floating.ShowWindow(SW_HIDE);
    app.m_pMainWnd = NULL;
}

TEST(ToolTips, DefaultHitTestFindsTheChildWindow)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 30), &parent, 77));
    TOOLINFO ti = {};
    EXPECT_EQ(77, parent.OnToolHitTest(CPoint(20, 20), &ti));
    EXPECT_EQ(parent.m_hWnd, ti.hwnd);
    EXPECT_EQ((UINT_PTR)child.m_hWnd, ti.uId);
    EXPECT_NE(0u, ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText);
    EXPECT_EQ(-1, parent.OnToolHitTest(CPoint(100, 100), &ti));

    EXPECT_FALSE(parent.EnableToolTips(TRUE));
    EXPECT_NE(0u, parent.m_nFlags & WF_TOOLTIPS);
    EXPECT_TRUE(parent.EnableToolTips(FALSE));
}

}  // namespace

namespace {

TEST(WindowClasses, RegisteredClassNamesAreSharedAndWindowsSubclassed)
{
    LPCTSTR lpsz = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    CString strFirst = lpsz;   // the buffer is reused by the next call
    EXPECT_STREQ((LPCTSTR)strFirst, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW)));
    CString strOther = AfxRegisterWndClass(CS_HREDRAW);
    EXPECT_STRNE((LPCTSTR)strFirst, (LPCTSTR)strOther);

    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, strFirst, _T("x"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ((LONG_PTR)AfxGetAfxWndProc(), ::GetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC));
    TCHAR szClass[128] = {};
    ::GetClassName(wnd.m_hWnd, szClass, 128);
    EXPECT_STREQ((LPCTSTR)strFirst, szClass);
}

TEST(RecentFiles, UpdateMenuListsTheFiles)
{
    CScopedApp app(_T("MruMenu"));
    CRecentFileList mru(0, _T("Recent File List"), _T("File%d"), 4);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, _T("Recent File"));
    menu.AppendMenu(MF_STRING, ID_APP_EXIT, _T("E&xit"));

    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = 0;
    state.m_nID = ID_FILE_MRU_FILE1;
    mru.UpdateMenu(&state);   // empty: the original item, disabled
    EXPECT_NE(0u, menu.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    mru.Add(_T("C:\\a&b\\one.xwqz"));
    mru.Add(_T("C:\\two.xwqz"));
    state.m_nIndex = 0;
    state.m_nID = ID_FILE_MRU_FILE1;
    mru.UpdateMenu(&state);
    ASSERT_EQ(3u, menu.GetMenuItemCount());
    CString str;
    menu.GetMenuString(0, str, MF_BYPOSITION);
    EXPECT_STREQ(_T("&1 C:\\two.xwqz"), (LPCTSTR)str);
    menu.GetMenuString(1, str, MF_BYPOSITION);
    EXPECT_STREQ(_T("&2 C:\\a&&b\\one.xwqz"), (LPCTSTR)str);
    EXPECT_EQ((UINT)(ID_FILE_MRU_FILE1 + 1), menu.GetMenuItemID(1));
    EXPECT_EQ((UINT)ID_APP_EXIT, menu.GetMenuItemID(2));
}

}  // namespace
