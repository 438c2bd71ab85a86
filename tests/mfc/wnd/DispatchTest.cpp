// Message dispatch: each map entry cracks its message into the handler's
// arguments and returns the handler's result; Default() and self-destruction.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxpriv.h>

#include "WndTestSupport.h"

#include <string>
#include <vector>

using namespace mfcwnd_test;

namespace {

const UINT WM_APP_PRIVATE = WM_APP + 7;
UINT g_nRegisteredMsg = ::RegisterWindowMessage(_T("MfcWndTests.Registered"));

// Records the last handler reached and the arguments it received.
class CProbeWnd : public CWnd
{
public:
    std::string m_handler;
    UINT m_n1 = 0, m_n2 = 0, m_n3 = 0;
    int m_cx = 0, m_cy = 0;
    CPoint m_pt;
    CWnd* m_pWnd = NULL;
    CDC* m_pDC = NULL;
    short m_zDelta = 0;
    LPARAM m_lParam = 0;
    WPARAM m_wParam = 0;
    BOOL m_bCreateFails = FALSE;
    int m_nCreateCalls = 0;

    std::vector<std::string> m_log;
    void Reached(const char* name)
    {
        m_handler = name;
        m_log.push_back(name);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        m_nCreateCalls++;
        if (m_bCreateFails)
            return -1;
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Reached("OnSize"); m_n1 = nType; m_cx = cx; m_cy = cy; }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { Reached("OnLButtonDown"); m_n1 = nFlags; m_pt = point; }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Reached("OnMouseMove"); m_n1 = nFlags; m_pt = point; }
    afx_msg void OnTimer(UINT nIDEvent) { Reached("OnTimer"); m_n1 = nIDEvent; }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Reached("OnKeyDown"); m_n1 = nChar; m_n2 = nRepCnt; m_n3 = nFlags; }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        Reached("OnSetCursor"); m_pWnd = pWnd; m_n1 = nHitTest; m_n2 = message;
        return TRUE;
    }
    afx_msg void OnSetFocus(CWnd* pOldWnd) { Reached("OnSetFocus"); m_pWnd = pOldWnd; }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) { Reached("OnContextMenu"); m_pWnd = pWnd; m_pt = pos; }
    afx_msg UINT OnNcHitTest(CPoint point) { Reached("OnNcHitTest"); m_pt = point; return HTCAPTION; }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Reached("OnMouseWheel"); m_n1 = nFlags; m_zDelta = zDelta; m_pt = pt;
        return TRUE;
    }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Reached("OnShowWindow"); m_n1 = bShow; m_n2 = nStatus; Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { Reached("OnEraseBkgnd"); m_pDC = pDC; return 7; }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { Reached("OnGetMinMaxInfo"); m_lParam = (LPARAM)lpMMI; }
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Reached("OnVScroll"); m_n1 = nSBCode; m_n2 = nPos; m_pWnd = (CWnd*)pScrollBar;
    }
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
    {
        Reached("OnMouseActivate"); m_pWnd = pDesktopWnd; m_n1 = nHitTest; m_n2 = message;
        return MA_NOACTIVATE;
    }
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        Reached("OnActivate"); m_n1 = nState; m_pWnd = pWndOther; m_n2 = bMinimized;
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Reached("OnSysCommand"); m_n1 = nID; m_lParam = lParam; }
    afx_msg void OnCaptureChanged(CWnd* pWnd) { Reached("OnCaptureChanged"); m_pWnd = pWnd; }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) { Reached("OnPrivate"); m_wParam = wParam; m_lParam = lParam; return 0x1234; }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { Reached("OnRegistered"); m_wParam = wParam; return 77; }
    afx_msg void OnKickIdle() { Reached("OnKickIdle"); }
    afx_msg LRESULT OnSetText(WPARAM, LPARAM) { Reached("OnSetText"); return Default(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEWHEEL()
    ON_WM_SHOWWINDOW()
    ON_WM_ERASEBKGND()
    ON_WM_GETMINMAXINFO()
    ON_WM_VSCROLL()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATE()
    ON_WM_SYSCOMMAND()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_APP_PRIVATE, OnPrivate)
    ON_REGISTERED_MESSAGE(g_nRegisteredMsg, OnRegistered)
    ON_MESSAGE_VOID(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class DispatchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(m_wnd));
        // A second window whose handle travels in wParam/lParam.
        ASSERT_TRUE(CreateTopLevel(m_other, _T("other")));
    }
    CProbeWnd m_wnd;
    CProbeWnd m_other;
};

// Points come from the signed 16-bit halves of lParam.
TEST_F(DispatchTest, MouseMessagesCrackSignedPoints)
{
    struct Case
    {
        UINT msg;
        WPARAM wParam;
        int x, y;
        const char* handler;
    };
    const Case cases[] = {
        { WM_LBUTTONDOWN, MK_LBUTTON, 10, 20, "OnLButtonDown" },
        { WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, -5, -300, "OnLButtonDown" },
        { WM_MOUSEMOVE, 0, 32767, -32768, "OnMouseMove" },
        { WM_MOUSEMOVE, MK_CONTROL, -1, 0, "OnMouseMove" },
    };
    for (const Case& c : cases)
    {
        m_wnd.m_handler.clear();
        LRESULT lResult = m_wnd.SendMessage(c.msg, c.wParam, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(c.handler, m_wnd.m_handler);
        EXPECT_EQ(c.wParam, m_wnd.m_n1);
        EXPECT_EQ(c.x, m_wnd.m_pt.x) << c.handler;
        EXPECT_EQ(c.y, m_wnd.m_pt.y) << c.handler;
        EXPECT_EQ(0, lResult);
    }
}

// Each entry's arguments and the result the sender sees.
TEST_F(DispatchTest, WindowMessagesCrackArgumentsAndReturnResults)
{
    HWND hOther = m_other.m_hWnd;

    EXPECT_EQ(0, m_wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480)));
    EXPECT_EQ("OnSize", m_wnd.m_handler);
    EXPECT_EQ((UINT)SIZE_MAXIMIZED, m_wnd.m_n1);
    EXPECT_EQ(640, m_wnd.m_cx);
    EXPECT_EQ(480, m_wnd.m_cy);

    m_wnd.SendMessage(WM_TIMER, 42, 0);
    EXPECT_EQ("OnTimer", m_wnd.m_handler);
    EXPECT_EQ(42u, m_wnd.m_n1);

    m_wnd.SendMessage(WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0x4001));
    EXPECT_EQ("OnKeyDown", m_wnd.m_handler);
    EXPECT_EQ((UINT)VK_F5, m_wnd.m_n1);
    EXPECT_EQ(3u, m_wnd.m_n2);
    EXPECT_EQ(0x4001u, m_wnd.m_n3);

    // CWnd* from the handle in wParam: the permanent object.
    EXPECT_EQ(TRUE, m_wnd.SendMessage(WM_SETCURSOR, (WPARAM)hOther, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ("OnSetCursor", m_wnd.m_handler);
    EXPECT_EQ(&m_other, m_wnd.m_pWnd);
    EXPECT_EQ((UINT)HTCLIENT, m_wnd.m_n1);
    EXPECT_EQ((UINT)WM_MOUSEMOVE, m_wnd.m_n2);

    m_wnd.SendMessage(WM_SETFOCUS, (WPARAM)hOther, 0);
    EXPECT_EQ("OnSetFocus", m_wnd.m_handler);
    EXPECT_EQ(&m_other, m_wnd.m_pWnd);

    m_wnd.SendMessage(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(NULL, m_wnd.m_pWnd);

    // A foreign handle gives a temporary object for it.
    HWND hDesktop = ::GetDesktopWindow();
    m_wnd.SendMessage(WM_CONTEXTMENU, (WPARAM)hDesktop, MAKELPARAM(-1, -1));
    EXPECT_EQ("OnContextMenu", m_wnd.m_handler);
    ASSERT_NE((CWnd*)NULL, m_wnd.m_pWnd);
    EXPECT_EQ(hDesktop, m_wnd.m_pWnd->m_hWnd);
    EXPECT_EQ(CPoint(-1, -1), m_wnd.m_pt);

    EXPECT_EQ(HTCAPTION, m_wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(100, 65000)));
    EXPECT_EQ(CPoint(100, -536), m_wnd.m_pt);

    EXPECT_EQ(TRUE, m_wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, (WORD)(short)-240), MAKELPARAM(5, 6)));
    EXPECT_EQ("OnMouseWheel", m_wnd.m_handler);
    EXPECT_EQ((UINT)MK_SHIFT, m_wnd.m_n1);
    EXPECT_EQ(-240, m_wnd.m_zDelta);
    EXPECT_EQ(CPoint(5, 6), m_wnd.m_pt);

    // The DC handle arrives as a CDC for it.
    HDC hdc = ::GetDC(m_wnd.m_hWnd);
    EXPECT_EQ(7, m_wnd.SendMessage(WM_ERASEBKGND, (WPARAM)hdc, 0));
    ASSERT_NE((CDC*)NULL, m_wnd.m_pDC);
    EXPECT_EQ(hdc, m_wnd.m_pDC->m_hDC);
    ::ReleaseDC(m_wnd.m_hWnd, hdc);

    MINMAXINFO mmi = {};
    m_wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    EXPECT_EQ((LPARAM)&mmi, m_wnd.m_lParam);

    // Scroll position from the signed high word; bar from the handle.
    m_wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1234), (LPARAM)hOther);
    EXPECT_EQ("OnVScroll", m_wnd.m_handler);
    EXPECT_EQ((UINT)SB_THUMBTRACK, m_wnd.m_n1);
    EXPECT_EQ(1234u, m_wnd.m_n2);
    EXPECT_EQ(&m_other, m_wnd.m_pWnd);

    EXPECT_EQ(MA_NOACTIVATE, m_wnd.SendMessage(WM_MOUSEACTIVATE, (WPARAM)hOther, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    EXPECT_EQ(&m_other, m_wnd.m_pWnd);
    EXPECT_EQ((UINT)WM_LBUTTONDOWN, m_wnd.m_n2);

    m_wnd.SendMessage(WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), (LPARAM)hOther);
    EXPECT_EQ("OnActivate", m_wnd.m_handler);
    EXPECT_EQ((UINT)WA_CLICKACTIVE, m_wnd.m_n1);
    EXPECT_EQ(&m_other, m_wnd.m_pWnd);
    EXPECT_EQ(1u, m_wnd.m_n2);

    m_wnd.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0x20);
    EXPECT_EQ("OnSysCommand", m_wnd.m_handler);
    EXPECT_EQ((UINT)SC_KEYMENU, m_wnd.m_n1);
    EXPECT_EQ(0x20, m_wnd.m_lParam);

    // WM_CAPTURECHANGED carries the window in lParam.
    m_wnd.SendMessage(WM_CAPTURECHANGED, 0, (LPARAM)hOther);
    EXPECT_EQ("OnCaptureChanged", m_wnd.m_handler);
    EXPECT_EQ(&m_other, m_wnd.m_pWnd);

    EXPECT_EQ(0x1234, m_wnd.SendMessage(WM_APP_PRIVATE, 5, 6));
    EXPECT_EQ("OnPrivate", m_wnd.m_handler);
    EXPECT_EQ(5u, m_wnd.m_wParam);
    EXPECT_EQ(6, m_wnd.m_lParam);

    EXPECT_EQ(77, m_wnd.SendMessage(g_nRegisteredMsg, 9, 0));
    EXPECT_EQ("OnRegistered", m_wnd.m_handler);
    EXPECT_EQ(9u, m_wnd.m_wParam);

    EXPECT_EQ(0, m_wnd.SendMessage(WM_KICKIDLE, 0, 0));
    EXPECT_EQ("OnKickIdle", m_wnd.m_handler);
}

// Default() passes the current message on to the window's default procedure.
TEST_F(DispatchTest, DefaultProcessesTheCurrentMessage)
{
    m_wnd.SetWindowText(_T("new title"));
    EXPECT_EQ("OnSetText", m_wnd.m_handler);
    CString str;
    m_wnd.GetWindowText(str);
    EXPECT_STREQ(_T("new title"), (LPCTSTR)str);

    // A handler that calls Default() leaves the system's own processing in place.
    m_wnd.m_log.clear();
    m_wnd.ShowWindow(SW_SHOWNA);
    ASSERT_FALSE(m_wnd.m_log.empty());
    EXPECT_EQ("OnShowWindow", m_wnd.m_log[0]);
    EXPECT_TRUE(m_wnd.IsWindowVisible());
    m_wnd.ShowWindow(SW_HIDE);
    EXPECT_FALSE(m_wnd.IsWindowVisible());
}

TEST(DispatchCreation, CreateFailsWhenOnCreateReturnsMinusOne)
{
    CProbeWnd wnd;
    wnd.m_bCreateFails = TRUE;
    EXPECT_FALSE(CreateTopLevel(wnd));
    EXPECT_EQ(1, wnd.m_nCreateCalls);
    EXPECT_EQ(NULL, wnd.m_hWnd);
}

TEST(DispatchCreation, ChildGetsAttachedBeforeItsFirstMessage)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CProbeWnd child;
    ASSERT_TRUE(child.Create(NULL, _T("child"), WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 123));
    EXPECT_EQ(1, child.m_nCreateCalls);   // WM_CREATE reached the object
    EXPECT_EQ(&child, CWnd::FromHandlePermanent(child.m_hWnd));
    EXPECT_EQ(&child, parent.GetDlgItem(123));
    EXPECT_EQ(123, child.GetDlgCtrlID());
    EXPECT_EQ(&parent, child.GetParent());
    EXPECT_EQ(1, ::SendMessage(child.m_hWnd, WM_QUERYAFXWNDPROC, 0, 0));
}

// ---------------------------------------------------------------------------
// Handlers that destroy and delete their own object

class CSelfDeletingWnd : public CWnd
{
public:
    static int s_nDeleted;
    ~CSelfDeletingWnd() override { s_nDeleted++; }
protected:
    void PostNcDestroy() override { delete this; }
    afx_msg void OnTimer(UINT) { DestroyWindow(); }
    afx_msg void OnClose() { DestroyWindow(); }
    afx_msg void OnDeleteCommand() { DestroyWindow(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { DestroyWindow(); }
    DECLARE_MESSAGE_MAP()
};
int CSelfDeletingWnd::s_nDeleted = 0;

BEGIN_MESSAGE_MAP(CSelfDeletingWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_LBUTTONUP()
    ON_COMMAND(100, OnDeleteCommand)
END_MESSAGE_MAP()

TEST(SelfDestruction, HandlerMayDeleteItsOwnObject)
{
    struct Case
    {
        UINT msg;
        WPARAM wParam;
    };
    const Case cases[] = { { WM_TIMER, 1 }, { WM_CLOSE, 0 }, { WM_COMMAND, 100 }, { WM_LBUTTONUP, 0 } };
    for (const Case& c : cases)
    {
        int nBefore = CSelfDeletingWnd::s_nDeleted;
        CSelfDeletingWnd* pWnd = new CSelfDeletingWnd;
        ASSERT_TRUE(CreateTopLevel(*pWnd));
        HWND hWnd = pWnd->m_hWnd;
        ::SendMessage(hWnd, c.msg, c.wParam, 0);
        EXPECT_FALSE(::IsWindow(hWnd)) << c.msg;
        EXPECT_EQ(nBefore + 1, CSelfDeletingWnd::s_nDeleted) << c.msg;
        EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    }
}

// A member window (not deleted) destroyed in its own handler, which then
// asks for default processing.
class CDestroyThenDefaultWnd : public CWnd
{
public:
    LRESULT m_lDefault = -1;
protected:
    afx_msg void OnRButtonDown(UINT, CPoint)
    {
        DestroyWindow();
        m_lDefault = Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDestroyThenDefaultWnd, CWnd)
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

TEST(SelfDestruction, DefaultAfterDestroyIsHarmless)
{
    CDestroyThenDefaultWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    HWND hWnd = wnd.m_hWnd;
    ::SendMessage(hWnd, WM_RBUTTONDOWN, 0, 0);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(0, wnd.m_lDefault);
}

// Subclassing an existing window and giving it back.
TEST(Subclassing, SubclassRoutesAndUnsubclassRestores)
{
    HWND hWnd = ::CreateWindowEx(0, _T("STATIC"), _T("plain"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                                 ::GetModuleHandle(NULL), NULL);
    ASSERT_NE((HWND)NULL, hWnd);
    WNDPROC pfnOriginal = (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC);
    {
        CProbeWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
        ::SendMessage(hWnd, WM_TIMER, 3, 0);
        EXPECT_EQ("OnTimer", wnd.m_handler);
        // The control's own procedure still handles what the map does not.
        ::SetWindowText(hWnd, _T("changed"));
        TCHAR sz[32] = {};
        ::GetWindowText(hWnd, sz, 32);
        EXPECT_STREQ(_T("changed"), sz);
        EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    }
    EXPECT_TRUE(::IsWindow(hWnd));   // given back, not destroyed
    EXPECT_EQ((LONG_PTR)pfnOriginal, ::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    ::DestroyWindow(hWnd);
}

// An exception escaping a handler does not cross the window procedure.
class CThrowingWnd : public CWnd
{
protected:
    afx_msg void OnTimer(UINT) { AfxThrowResourceException(); }
    afx_msg int OnCreate(LPCREATESTRUCT) { return m_bThrowOnCreate ? (AfxThrowResourceException(), 0) : 0; }
    DECLARE_MESSAGE_MAP()
public:
    BOOL m_bThrowOnCreate = FALSE;
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(Exceptions, EscapingExceptionIsReportedAndCreationFails)
{
    CScopedApp app(_T("ExceptionTest"));
    CMessageBoxAnswer answer(IDOK);
    CThrowingWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_EQ(0, ::SendMessage(wnd.m_hWnd, WM_TIMER, 1, 0));
    EXPECT_EQ(1u, answer.m_texts.size());

    CThrowingWnd failing;
    failing.m_bThrowOnCreate = TRUE;
    EXPECT_FALSE(CreateTopLevel(failing));
}

}  // namespace

namespace {

// One object used for two windows of different classes, one after the other.
TEST(Subclassing, ReusedObjectTakesTheNewWindowsProcedure)
{
    CProbeWnd wnd;
    HWND hEdit = ::CreateWindowEx(0, _T("EDIT"), _T("e"), WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(wnd.SubclassWindow(hEdit));
    ::DestroyWindow(hEdit);
    EXPECT_EQ(NULL, wnd.m_hWnd);

    HWND hStatic = ::CreateWindowEx(0, _T("STATIC"), _T("s"), WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(wnd.SubclassWindow(hStatic));
    // A static ignores EM_SETLIMITTEXT-like edit messages: the edit's procedure
    // would answer EM_GETLIMITTEXT with a limit.
    EXPECT_EQ(0, ::SendMessage(hStatic, EM_GETLIMITTEXT, 0, 0));
    wnd.SetWindowText(_T("still a static"));
    CString str;
    wnd.GetWindowText(str);
    EXPECT_STREQ(_T("still a static"), (LPCTSTR)str);
    wnd.DestroyWindow();
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------
// The current message across nested sends, and WM_QUIT inside a modal loop

const UINT WM_APP_INNER = WM_APP + 21;

// The WM_SETTEXT handler sends a message to another window, then looks at the
// current message and lets Default() process it: the title changes only if
// Default() still sees WM_SETTEXT.
class CNestingWnd : public CWnd
{
public:
    CWnd* m_pInnerTarget = NULL;
    MSG m_seenAfterInner = {};
    MSG m_seenInInner = {};
    LRESULT m_lDefault = -1;
    static MSG Current() { return *GetCurrentMessage(); }

protected:
    afx_msg LRESULT OnOuter(WPARAM, LPARAM)
    {
        m_pInnerTarget->SendMessage(WM_APP_INNER, 3, 4);
        m_seenAfterInner = *GetCurrentMessage();
        m_lDefault = Default();
        return m_lDefault;
    }
    afx_msg LRESULT OnInner(WPARAM, LPARAM)
    {
        m_seenInInner = *GetCurrentMessage();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingWnd, CWnd)
    ON_MESSAGE(WM_SETTEXT, OnOuter)
    ON_MESSAGE(WM_APP_INNER, OnInner)
END_MESSAGE_MAP()

TEST(CurrentMessage, NestedSendRestoresTheOuterMessage)
{
    CNestingWnd outer, inner;
    ASSERT_TRUE(CreateTopLevel(outer, _T("outer")));
    ASSERT_TRUE(CreateTopLevel(inner, _T("inner")));
    outer.m_pInnerTarget = &inner;
    LPCTSTR lpszTitle = _T("after nesting");
    const MSG before = CNestingWnd::Current();
    EXPECT_EQ(TRUE, outer.SendMessage(WM_SETTEXT, 0, (LPARAM)lpszTitle));

    EXPECT_EQ(inner.m_hWnd, inner.m_seenInInner.hwnd);
    EXPECT_EQ(WM_APP_INNER, inner.m_seenInInner.message);
    EXPECT_EQ(3u, inner.m_seenInInner.wParam);
    EXPECT_EQ(4, inner.m_seenInInner.lParam);

    EXPECT_EQ(outer.m_hWnd, outer.m_seenAfterInner.hwnd);
    EXPECT_EQ((UINT)WM_SETTEXT, outer.m_seenAfterInner.message);
    EXPECT_EQ(0u, outer.m_seenAfterInner.wParam);
    EXPECT_EQ((LPARAM)lpszTitle, outer.m_seenAfterInner.lParam);
    CString strTitle;
    outer.GetWindowText(strTitle);
    EXPECT_STREQ(lpszTitle, (LPCTSTR)strTitle);

    // The message before the send is current again once it is over.
    const MSG after = CNestingWnd::Current();
    EXPECT_EQ(before.hwnd, after.hwnd);
    EXPECT_EQ(before.message, after.message);
    EXPECT_EQ(before.lParam, after.lParam);
    inner.DestroyWindow();
    outer.DestroyWindow();
}

// A modal loop that meets WM_QUIT ends and posts it again for the loop
// outside, with its exit code.
TEST(ModalLoop, QuitEndsTheLoopAndIsPostedAgain)
{
    CScopedApp app(_T("ModalQuitTest"));
    CWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, _T("modal")));
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
    }
    ::PostQuitMessage(42);
    EXPECT_EQ(-1, wnd.RunModalLoop(MLF_NOIDLEMSG | MLF_NOKICKIDLE));
    EXPECT_FALSE(wnd.m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL));
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(42u, msg.wParam);
    wnd.DestroyWindow();
}

}  // namespace
