// Notification reflection: a control's WM_NOTIFY, WM_COMMAND, WM_CTLCOLOR*
// and owner-draw messages reach the control first, through any CWnd parent
// (here a CStatic nested in a top-level window).
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include "TestSupport.h"
#include "WndTestSupport.h"

#include <string>
#include <vector>

using namespace mfcwnd_test;

namespace {

std::vector<std::string> g_calls;

// The list's own handlers. The _EX ones let the parent see the notification
// when m_bPassOn is set.
class CReflectingList : public CListCtrl
{
public:
    BOOL m_bPassOn = FALSE;
protected:
    afx_msg void OnClick(NMHDR*, LRESULT* pResult)
    {
        g_calls.push_back("list:NM_CLICK");
        *pResult = 55;
    }
    afx_msg BOOL OnDblClk(NMHDR*, LRESULT* pResult)
    {
        g_calls.push_back("list:NM_DBLCLK");
        *pResult = 66;
        return !m_bPassOn;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClk)
END_MESSAGE_MAP()

class CReflectingButton : public CButton
{
public:
    BOOL m_bPassOn = FALSE;
    HBRUSH m_hbr = NULL;
    UINT m_nCtlColor = 99;
    int m_nDrawItem = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { m_nDrawItem++; }
protected:
    afx_msg BOOL OnClicked()
    {
        g_calls.push_back("button:BN_CLICKED");
        return !m_bPassOn;
    }
    afx_msg void OnSetFocusNotify() { g_calls.push_back("button:BN_SETFOCUS"); }
    afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        m_nCtlColor = nCtlColor;
        return m_hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_CONTROL_REFLECT(BN_SETFOCUS, OnSetFocusNotify)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A static used as a container (like a splitter pane); it has handlers of
// its own for what the children let through.
class CContainerStatic : public CStatic
{
public:
    HBRUSH m_hbrParent = NULL;
protected:
    afx_msg void OnListDblClk(NMHDR*, LRESULT*) { g_calls.push_back("parent:NM_DBLCLK"); }
    afx_msg void OnListClick(NMHDR*, LRESULT*) { g_calls.push_back("parent:NM_CLICK"); }
    afx_msg void OnButtonClicked() { g_calls.push_back("parent:BN_CLICKED"); }
    afx_msg void OnButtonFocus() { g_calls.push_back("parent:BN_SETFOCUS"); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        // The base class reflects to the control and returns its brush, or
        // the default one; this parent uses its own when it has one.
        HBRUSH hbr = CStatic::OnCtlColor(pDC, pWnd, nCtlColor);
        g_calls.push_back("parent:OnCtlColor");
        return m_hbrParent != NULL ? m_hbrParent : hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CContainerStatic, CStatic)
    ON_NOTIFY(NM_DBLCLK, 10, OnListDblClk)
    ON_NOTIFY(NM_CLICK, 10, OnListClick)
    ON_BN_CLICKED(11, OnButtonClicked)
    ON_CONTROL(BN_SETFOCUS, 11, OnButtonFocus)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_calls.clear();
        ASSERT_TRUE(CreateTopLevel(m_top));
        ASSERT_TRUE(m_container.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 180), &m_top, 1));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &m_container, 10));
        ASSERT_TRUE(m_button.Create(_T("b"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 110, 80, 130), &m_container, 11));
    }

    LRESULT SendNotify(UINT code)
    {
        NMHDR nmhdr = { m_list.m_hWnd, 10, code };
        return m_container.SendMessage(WM_NOTIFY, 10, (LPARAM)&nmhdr);
    }

    CWnd m_top;
    CContainerStatic m_container;
    CReflectingList m_list;
    CReflectingButton m_button;
};

TEST_F(ReflectionTest, NotifyReachesTheControlThroughANestedParent)
{
    // ON_NOTIFY_REFLECT handles it; the parent's own entry is not reached.
    EXPECT_EQ(55, SendNotify(NM_CLICK));
    EXPECT_EQ((std::vector<std::string>{ "list:NM_CLICK" }), g_calls);

    // ON_NOTIFY_REFLECT_EX: the handler's result decides.
    g_calls.clear();
    EXPECT_EQ(66, SendNotify(NM_DBLCLK));
    EXPECT_EQ((std::vector<std::string>{ "list:NM_DBLCLK" }), g_calls);

    g_calls.clear();
    m_list.m_bPassOn = TRUE;
    SendNotify(NM_DBLCLK);
    EXPECT_EQ((std::vector<std::string>{ "list:NM_DBLCLK", "parent:NM_DBLCLK" }), g_calls);
}

TEST_F(ReflectionTest, CommandReachesTheControlFirst)
{
    WPARAM wClicked = MAKEWPARAM(11, BN_CLICKED);
    EXPECT_EQ(1, m_container.SendMessage(WM_COMMAND, wClicked, (LPARAM)m_button.m_hWnd));   // handled
    EXPECT_EQ((std::vector<std::string>{ "button:BN_CLICKED" }), g_calls);

    g_calls.clear();
    m_button.m_bPassOn = TRUE;
    m_container.SendMessage(WM_COMMAND, wClicked, (LPARAM)m_button.m_hWnd);
    EXPECT_EQ((std::vector<std::string>{ "button:BN_CLICKED", "parent:BN_CLICKED" }), g_calls);

    // ON_CONTROL_REFLECT always keeps the notification.
    g_calls.clear();
    m_container.SendMessage(WM_COMMAND, MAKEWPARAM(11, BN_SETFOCUS), (LPARAM)m_button.m_hWnd);
    EXPECT_EQ((std::vector<std::string>{ "button:BN_SETFOCUS" }), g_calls);

    // A real click goes the same way.
    g_calls.clear();
    m_button.SendMessage(BM_CLICK);
    EXPECT_EQ((std::vector<std::string>{ "button:BN_CLICKED", "parent:BN_CLICKED" }), g_calls);
}

TEST_F(ReflectionTest, CtlColorReflectsAndNullLeavesItToTheParent)
{
    CBrush brushChild(RGB(1, 2, 3));
    CBrush brushParent(RGB(4, 5, 6));
    HDC hdc = ::GetDC(m_button.m_hWnd);

    // The parent's handler runs, and its base returns the control's brush.
    m_button.m_hbr = brushChild;
    LRESULT lResult = m_container.SendMessage(WM_CTLCOLORBTN, (WPARAM)hdc, (LPARAM)m_button.m_hWnd);
    EXPECT_EQ((LRESULT)(HBRUSH)brushChild, lResult);
    EXPECT_EQ((UINT)CTLCOLOR_BTN, m_button.m_nCtlColor);
    EXPECT_EQ((std::vector<std::string>{ "parent:OnCtlColor" }), g_calls);

    // NULL from the control: the default processing gives a brush, not NULL.
    m_button.m_hbr = NULL;
    lResult = m_container.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)m_button.m_hWnd);
    EXPECT_EQ((UINT)CTLCOLOR_STATIC, m_button.m_nCtlColor);
    EXPECT_NE(0, lResult);
    EXPECT_NE((LRESULT)(HBRUSH)brushChild, lResult);

    m_container.m_hbrParent = brushParent;
    lResult = m_container.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hdc, (LPARAM)m_button.m_hWnd);
    EXPECT_EQ((UINT)CTLCOLOR_EDIT, m_button.m_nCtlColor);
    EXPECT_EQ((LRESULT)(HBRUSH)brushParent, lResult);
    ::ReleaseDC(m_button.m_hWnd, hdc);
}

TEST_F(ReflectionTest, OwnerDrawReachesTheButton)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 11;
    dis.hwndItem = m_button.m_hWnd;
    dis.hDC = ::GetDC(m_button.m_hWnd);
    EXPECT_EQ(TRUE, m_container.SendMessage(WM_DRAWITEM, 11, (LPARAM)&dis));
    EXPECT_EQ(1, m_button.m_nDrawItem);
    ::ReleaseDC(m_button.m_hWnd, dis.hDC);

    // An owner-drawn button paints through its parent's WM_DRAWITEM.
    m_button.SetButtonStyle(BS_OWNERDRAW, FALSE);
    HDC hdc = ::GetDC(m_button.m_hWnd);
    m_button.SendMessage(WM_PRINTCLIENT, (WPARAM)hdc, PRF_CLIENT);
    ::ReleaseDC(m_button.m_hWnd, hdc);
    EXPECT_TRUE(tesmir::test::PumpUntil([&] { return m_button.m_nDrawItem > 1; }, 5000));
}

// A control that is not a framework object is left to the parent.
TEST_F(ReflectionTest, ForeignControlIsNotReflected)
{
    HWND hPlain = ::CreateWindowEx(0, _T("BUTTON"), _T("x"), WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10,
                                   m_container.m_hWnd, (HMENU)11, NULL, NULL);
    m_container.SendMessage(WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), (LPARAM)hPlain);
    EXPECT_EQ((std::vector<std::string>{ "parent:BN_CLICKED" }), g_calls);
    ::DestroyWindow(hPlain);
}

}  // namespace
