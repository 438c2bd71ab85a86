// The pane splitter on a host window with two child panes: its first split,
// drags with the mouse and Esc, the profile it keeps, the second-pane-only
// state, and where an adopted tree view sends its notifications.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include "CPaneSplitter.h"
#include "ControlsTestSupport.h"

#include <shlwapi.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace appui_test;

namespace {

const TCHAR kCompany[] = _T("Tesmir Appui Tests");
const TCHAR kCompanyKey[] = _T("Software\\Tesmir Appui Tests");
const TCHAR kAppName[] = _T("Splitter");
const DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | PSS_VERTICAL;

// The splitters' parent: records the notifications that reach it.
class CHostWnd : public CWnd
{
public:
    std::vector<UINT> m_notifyCodes;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        m_notifyCodes.push_back(((NMHDR*)lParam)->code);
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

// An application object for the profile, whose registry key the test owns.
class CProfileApp : public CWinApp
{
public:
    CProfileApp() : CWinApp(kAppName) {}
};

// The profile value a splitter wrote, read straight from the registry.
bool ReadStoredPos(LPCTSTR lpszSection, LPCTSTR lpszEntry, DWORD& dwValue)
{
    CString strKey;
    strKey.Format(_T("%s\\%s\\%s"), kCompanyKey, kAppName, lpszSection);
    HKEY hKey = NULL;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD cb = sizeof(dwValue);
    DWORD dwType = 0;
    LONG lResult = ::RegQueryValueEx(hKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &cb);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD;
}

// Dispatches messages the way the application's loop does, through
// PreTranslateMessage, until pred() holds or two seconds pass.
bool PumpThroughPreTranslate(const std::function<bool()>& pred)
{
    DWORD dwStart = ::GetTickCount();
    while (!pred())
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!CWnd::WalkPreTranslateTree(NULL, &msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        if (::GetTickCount() - dwStart > 2000)
            return pred();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

class PaneSplitterTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        ::SHDeleteKey(HKEY_CURRENT_USER, kCompanyKey);
        m_app.SetRegistryKey(kCompany);
        ASSERT_TRUE(m_host.Create(NULL, _T("host"), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 400, 250),
                                  m_pCanvas, 100));
    }
    void TearDown() override
    {
        for (CPaneSplitter* pSplitter : m_splitters)
        {
            if (pSplitter->GetSafeHwnd() != NULL)
                pSplitter->DestroyWindow();
            delete pSplitter;
        }
        for (CWnd* pPane : m_panes)
        {
            if (pPane->GetSafeHwnd() != NULL)
                pPane->DestroyWindow();
            delete pPane;
        }
        m_host.DestroyWindow();
        ::SHDeleteKey(HKEY_CURRENT_USER, kCompanyKey);
    }

    CWnd* NewPane()
    {
        CStatic* pPane = new CStatic;
        m_panes.push_back(pPane);
        EXPECT_TRUE(pPane->Create(_T("pane"), WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), &m_host));
        return pPane;
    }

    // A splitter of width cx in the host, with two new panes.
    CPaneSplitter* NewSplitter(UINT nID, int cx, int nFirstMinimum, int nSecondMinimum)
    {
        CPaneSplitter* pSplitter = new CPaneSplitter;
        m_splitters.push_back(pSplitter);
        m_pFirst = NewPane();
        m_pSecond = NewPane();
        EXPECT_TRUE(pSplitter->Create(kStyle, &m_host, m_pFirst, m_pSecond, nID, CRect(0, 0, cx, 200), nFirstMinimum,
                                      nSecondMinimum));
        return pSplitter;
    }

    // A pane's place in the splitter's client area.
    CRect PaneRect(CPaneSplitter* pSplitter, CWnd* pPane)
    {
        CRect rect;
        pPane->GetWindowRect(&rect);
        pSplitter->ScreenToClient(&rect);
        return rect;
    }
    int LeftWidth(CPaneSplitter* pSplitter) { return PaneRect(pSplitter, m_pFirst).right; }

    static void Mouse(CWnd* pWnd, UINT message, int x, int y)
    {
        pWnd->SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Drag(CPaneSplitter* pSplitter, int xFrom, int xTo)
    {
        Mouse(pSplitter, WM_LBUTTONDOWN, xFrom, 100);
        Mouse(pSplitter, WM_MOUSEMOVE, (xFrom + xTo) / 2, 100);
        Mouse(pSplitter, WM_MOUSEMOVE, xTo, 100);
        Mouse(pSplitter, WM_LBUTTONUP, xTo, 100);
    }

    CProfileApp m_app;
    CHostWnd m_host;
    std::vector<CPaneSplitter*> m_splitters;
    std::vector<CWnd*> m_panes;
    CWnd* m_pFirst = NULL;
    CWnd* m_pSecond = NULL;
};

TEST_F(PaneSplitterTest, FirstStartSplitsAtTheDefault)
{
    const struct
    {
        UINT nID;
        int nSplit;
    } cases[] = { { 157, 200 }, { 164, 850 }, { 200, 200 } };
    for (const auto& c : cases)
    {
        CPaneSplitter* pSplitter = NewSplitter(c.nID, 1000, 90, 110);
        EXPECT_EQ(c.nSplit, LeftWidth(pSplitter)) << c.nID;
        EXPECT_EQ(c.nSplit + 1, PaneRect(pSplitter, m_pSecond).left) << c.nID;
        EXPECT_EQ(1000, PaneRect(pSplitter, m_pSecond).right) << c.nID;
        EXPECT_EQ(200, PaneRect(pSplitter, m_pFirst).Height()) << c.nID;
        EXPECT_EQ(m_pCanvas->GetSafeHwnd(), ::GetParent(m_host.m_hWnd));
        EXPECT_EQ(pSplitter->m_hWnd, ::GetParent(m_pFirst->m_hWnd));
        EXPECT_EQ(pSplitter->m_hWnd, ::GetParent(m_pSecond->m_hWnd));
        EXPECT_TRUE(pSplitter->GetStyle() & SS_NOTIFY);
    }
}

TEST_F(PaneSplitterTest, DragMovesTheSplitWithinTheMinimums)
{
    CPaneSplitter* pSplitter = NewSplitter(157, 400, 50, 150);
    const struct
    {
        int xTo;
        int nExpected;
    } drags[] = {
        { 120, 120 },   // free
        { 390, 250 },   // the right pane keeps 150
        { 5, 50 },      // the left pane keeps 50
        { -40, 50 },    // beyond the splitter
        { 201, 201 },
    };
    for (const auto& d : drags)
    {
        int xFrom = LeftWidth(pSplitter);
        Drag(pSplitter, xFrom, d.xTo);
        EXPECT_FALSE(pSplitter->IsDragging());
        EXPECT_EQ(d.nExpected, LeftWidth(pSplitter)) << d.xTo;
        EXPECT_EQ(d.nExpected, pSplitter->GetLeftWidth()) << d.xTo;
        EXPECT_EQ(d.nExpected + 1, PaneRect(pSplitter, m_pSecond).left) << d.xTo;
        EXPECT_EQ(::GetCapture(), (HWND)NULL);
        // The splitter keeps the focus after a drag.
        EXPECT_EQ(pSplitter->m_hWnd, ::GetFocus());
    }

    // A press away from the bar starts no drag.
    Drag(pSplitter, 300, 100);
    EXPECT_EQ(201, LeftWidth(pSplitter));

    // Resizing keeps the left pane's width; too narrow for both minimums,
    // the left one wins.
    pSplitter->MoveWindow(0, 0, 500, 200);
    EXPECT_EQ(201, LeftWidth(pSplitter));
    EXPECT_EQ(500, PaneRect(pSplitter, m_pSecond).right);
    pSplitter->MoveWindow(0, 0, 150, 200);
    EXPECT_EQ(50, LeftWidth(pSplitter));
    EXPECT_EQ(51, PaneRect(pSplitter, m_pSecond).left);
}

TEST_F(PaneSplitterTest, EscDuringADragLeavesThePanes)
{
    CPaneSplitter* pSplitter = NewSplitter(157, 400, 50, 150);
    m_pSecond->SetFocus();
    HWND hWndFocus = ::GetFocus();
    Mouse(pSplitter, WM_LBUTTONDOWN, 200, 100);
    ASSERT_TRUE(pSplitter->IsDragging());
    EXPECT_EQ(pSplitter->m_hWnd, ::GetCapture());
    Mouse(pSplitter, WM_MOUSEMOVE, 120, 100);
    ASSERT_TRUE(::PostMessage(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0));
    EXPECT_TRUE(PumpThroughPreTranslate([&] { return !pSplitter->IsDragging(); }));
    EXPECT_EQ((HWND)NULL, ::GetCapture());
    EXPECT_EQ(hWndFocus, ::GetFocus());
    Mouse(pSplitter, WM_LBUTTONUP, 120, 100);
    EXPECT_EQ(200, LeftWidth(pSplitter));
    EXPECT_EQ(201, PaneRect(pSplitter, m_pSecond).left);
}

TEST_F(PaneSplitterTest, SplitIsKeptInTheProfile)
{
    CPaneSplitter* pSplitter = NewSplitter(157, 400, 50, 150);
    Drag(pSplitter, 200, 140);
    ASSERT_EQ(140, LeftWidth(pSplitter));
    pSplitter->DestroyWindow();
    DWORD dwStored = 0;
    ASSERT_TRUE(ReadStoredPos(_T("splt\\init_v157"), _T("VertSplitPos"), dwStored));
    EXPECT_EQ(140u, dwStored);
    // Each id has a key of its own under "splt".
    EXPECT_FALSE(ReadStoredPos(_T("splt\\init_v164"), _T("VertSplitPos"), dwStored));

    CPaneSplitter* pAgain = NewSplitter(157, 400, 50, 150);
    EXPECT_EQ(140, LeftWidth(pAgain));
    CPaneSplitter* pOther = NewSplitter(158, 400, 50, 150);
    EXPECT_EQ(200, LeftWidth(pOther));
}

TEST_F(PaneSplitterTest, SecondPaneOnlyAndBack)
{
    CPaneSplitter* pSplitter = NewSplitter(157, 400, 50, 150);
    Drag(pSplitter, 200, 170);
    for (int i = 0; i < 2; i++)
    {
        pSplitter->ShowSecondPaneOnly();
        EXPECT_TRUE(pSplitter->IsSecondPaneOnly());
        EXPECT_FALSE(m_pFirst->IsWindowVisible());
        EXPECT_EQ(CRect(0, 0, 400, 200), PaneRect(pSplitter, m_pSecond));
    }
    // No bar to drag, and a resize keeps the second pane filling the splitter.
    Drag(pSplitter, 170, 250);
    EXPECT_FALSE(pSplitter->IsDragging());
    pSplitter->MoveWindow(0, 0, 380, 200);
    EXPECT_EQ(CRect(0, 0, 380, 200), PaneRect(pSplitter, m_pSecond));

    pSplitter->RestorePanes();
    EXPECT_FALSE(pSplitter->IsSecondPaneOnly());
    EXPECT_TRUE(m_pFirst->IsWindowVisible());
    EXPECT_EQ(170, LeftWidth(pSplitter));
    EXPECT_EQ(171, PaneRect(pSplitter, m_pSecond).left);
    EXPECT_EQ(380, PaneRect(pSplitter, m_pSecond).right);
}

TEST_F(PaneSplitterTest, DestroyedWithTheSecondPaneOnlyStillStoresTheSplit)
{
    CPaneSplitter* pSplitter = NewSplitter(164, 1000, 90, 110);
    Drag(pSplitter, 850, 600);
    pSplitter->ShowSecondPaneOnly();
    pSplitter->DestroyWindow();
    DWORD dwStored = 0;
    ASSERT_TRUE(ReadStoredPos(_T("splt\\init_v164"), _T("VertSplitPos"), dwStored));
    EXPECT_EQ(600u, dwStored);
}

TEST_F(PaneSplitterTest, AdoptedTreeViewNotifiesTheOriginalParent)
{
    CTreeCtrl* pTree = new CTreeCtrl;
    m_panes.push_back(pTree);
    ASSERT_TRUE(pTree->Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 10, 10), &m_host, 101));
    m_pFirst = pTree;
    m_pSecond = NewPane();
    CPaneSplitter* pSplitter = new CPaneSplitter;
    m_splitters.push_back(pSplitter);
    ASSERT_TRUE(pSplitter->Create(kStyle, &m_host, pTree, m_pSecond, 157, CRect(0, 0, 400, 200), 50, 150));
    ASSERT_EQ(pSplitter->m_hWnd, ::GetParent(pTree->m_hWnd));

    HTREEITEM hFirst = pTree->InsertItem(_T("first"));
    HTREEITEM hSecond = pTree->InsertItem(_T("second"));
    ASSERT_TRUE(hFirst != NULL && hSecond != NULL);
    m_host.m_notifyCodes.clear();
    pTree->SelectItem(hSecond);
    EXPECT_NE(m_host.m_notifyCodes.end(),
              std::find(m_host.m_notifyCodes.begin(), m_host.m_notifyCodes.end(), (UINT)TVN_SELCHANGED));
}

}  // namespace
