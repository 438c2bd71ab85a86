// The tool-tip filter of EnableToolTips windows: what the hit test gets, who
// frees its text, when tools are added, when tips show and hide, and who
// owns the tip control.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include "InputTestSupport.h"
#include "TestSupport.h"

#include <algorithm>
#include <map>
#include <vector>

using namespace mfcinput_test;

namespace {

using tesmir::test::CFreeCounter;

// Records TTM_ADDTOOL and TTM_DELTOOL reaching any tip control of this thread.
class CToolMessageLog
{
public:
    CToolMessageLog()
        : m_hook([this](const CWPSTRUCT& msg) {
              if (msg.message == TTM_ADDTOOL || msg.message == TTM_DELTOOL)
                  m_messages.push_back(msg.message);
          })
    {
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (UINT m : m_messages)
            n += m == message;
        return n;
    }
    std::vector<UINT> m_messages;

private:
    tesmir::test::CSentMessageHook m_hook;
};

// A child window with one tool at kTool that hands out calloc'd text.
const CRect kTool(10, 10, 110, 60);

class CTipChild : public CWnd
{
public:
    mutable std::vector<TOOLINFO> m_seen;   // as the hit test received it
    mutable std::vector<CPoint> m_points;   // where each hit test looked
    mutable std::vector<void*> m_texts;
    CFreeCounter* m_pFrees = NULL;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        m_seen.push_back(*pTI);
        m_points.push_back(point);
        if (!kTool.PtInRect(point))
            return -1;
        pTI->hwnd = m_hWnd;
        pTI->uId = 1;
        pTI->rect = kTool;
        wchar_t* pszText = (wchar_t*)calloc(16, sizeof(wchar_t));
        wcscpy(pszText, L"tool one");
        pTI->lpszText = pszText;
        m_texts.push_back(pszText);
        if (m_pFrees != NULL)
            m_pFrees->Track(pszText);
        return 1;
    }
};

class ToolTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreatePopup(m_host, CRect(100, 100, 420, 320), _T("tip host")));
        CRect rcClient;
        m_host.GetClientRect(&rcClient);
        ASSERT_TRUE(m_child.Create(NULL, _T("tips"), WS_CHILD | WS_VISIBLE, rcClient, &m_host, 1));
        m_child.EnableToolTips(TRUE);
        m_child.m_pFrees = &m_frees;
        ASSERT_TRUE(BringToForeground(m_host.m_hWnd));
    }
    void TearDown() override
    {
        m_child.EnableToolTips(FALSE);
        m_host.DestroyWindow();
        // A clean start for the next test: the tip control went with its owner.
        PumpFrameworkUntil([] { return true; });
    }
    // Moves the pointer to child client point (x, y) and waits for a hit
    // test there. Other mouse moves may come too: the system adds its own
    // (under X, a late one at the pointer's previous place is common).
    void MoveOverChild(int x, int y)
    {
        CPoint pt(x, y);
        m_child.ClientToScreen(&pt);
        size_t nBefore = m_child.m_points.size();
        MoveCursorTo(pt.x, pt.y);
        ASSERT_TRUE(PumpFrameworkUntil([&] {
            const std::vector<CPoint>& points = m_child.m_points;
            return std::find(points.begin() + (ptrdiff_t)nBefore, points.end(), CPoint(x, y)) != points.end();
        })) << "no hit test at " << x << "," << y;
    }
    HWND Tip() const
    {
        CToolTipCtrl* pTip = AfxGetThreadState()->m_pToolTip;
        return pTip != NULL ? pTip->m_hWnd : NULL;
    }

    CFreeCounter m_frees;
    CWnd m_host;
    CTipChild m_child;
};

TEST_F(ToolTipTest, HitTestGetsTheShortFormAndEveryTextIsFreedOnce)
{
    // Start off the tool, with the window active; whether the tool is added
    // when the log begins follows from the last hit test.
    MoveOverChild(200, 150);
    CToolMessageLog log;
    const size_t nFirst = m_child.m_points.size();
    const bool bOnAtStart = kTool.PtInRect(m_child.m_points.back()) != FALSE;
    MoveOverChild(20, 20);
    MoveOverChild(30, 25);
    MoveOverChild(40, 30);
    MoveOverChild(200, 150);   // off the tool
    MoveOverChild(50, 30);

    for (const TOOLINFO& ti : m_child.m_seen)
    {
        EXPECT_EQ(40u, ti.cbSize);
        EXPECT_EQ(0u, ti.uFlags);
        EXPECT_EQ(NULL, ti.hwnd);
        EXPECT_EQ(NULL, ti.lpszText);
    }
    // One text per hit test on the tool, at least one for each move there.
    size_t nOnTool = 0;
    for (const CPoint& point : m_child.m_points)
        nOnTool += kTool.PtInRect(point) ? 1 : 0;
    ASSERT_EQ(nOnTool, m_child.m_texts.size());
    EXPECT_LE(4u, m_child.m_texts.size());
    for (void* p : m_child.m_texts)
        EXPECT_EQ(1, m_frees.m_frees[p]) << p;

    // The tool is added when a hit test first finds the pointer on it and
    // removed when one finds it off; hit tests on the same tool add nothing.
    // The expected messages follow the hit tests the filter made.
    std::vector<UINT> expected;
    bool bOn = bOnAtStart;
    int nOnToolLogged = 0;
    for (size_t i = nFirst; i < m_child.m_points.size(); i++)
    {
        bool bHit = kTool.PtInRect(m_child.m_points[i]) != FALSE;
        if (bHit != bOn)
            expected.push_back(bHit ? TTM_ADDTOOL : TTM_DELTOOL);
        bOn = bHit;
        nOnToolLogged += bHit ? 1 : 0;
    }
    EXPECT_EQ(expected, log.m_messages);
    EXPECT_LE(2, log.Count(TTM_ADDTOOL));   // onto the tool, off, and back
    EXPECT_LE(1, log.Count(TTM_DELTOOL));
    EXPECT_LT(log.Count(TTM_ADDTOOL), nOnToolLogged);
    // The tip control belongs to the child's parent.
    ASSERT_NE((HWND)NULL, Tip());
    EXPECT_EQ(m_host.m_hWnd, ::GetWindow(Tip(), GW_OWNER));
}

TEST_F(ToolTipTest, NoToolWhileTheTopLevelWindowIsInactive)
{
    CWnd other;
    ASSERT_TRUE(CreatePopup(other, CRect(500, 100, 700, 250), _T("other")));
    ASSERT_TRUE(BringToForeground(other.m_hWnd));
    CToolMessageLog log;
    MoveOverChild(20, 20);
    MoveOverChild(30, 20);
    EXPECT_EQ(0, log.Count(TTM_ADDTOOL));
    EXPECT_TRUE(Tip() == NULL || !::IsWindowVisible(Tip()));
    for (void* p : m_child.m_texts)
        EXPECT_EQ(1, m_frees.m_frees[p]) << p;   // freed even when not shown
    other.DestroyWindow();
}

TEST_F(ToolTipTest, KeyDownHidesAShownTip)
{
    m_child.SetFocus();
    MoveOverChild(20, 20);
    MoveOverChild(22, 21);
    ASSERT_TRUE(PumpFrameworkUntil([&] { return Tip() != NULL && ::IsWindowVisible(Tip()); }));
    PressKeys({VK_SHIFT});
    EXPECT_TRUE(PumpFrameworkUntil([&] { return !::IsWindowVisible(Tip()); }));
}

TEST(ToolTipDefault, NonButtonChildToolsAreCentredBelowTheControl)
{
    CWnd host;
    ASSERT_TRUE(CreatePopup(host, CRect(100, 100, 400, 300)));
    CButton button;
    CEdit edit;
    ASSERT_TRUE(button.Create(_T("b"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 80, 40), &host, 11));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 60, 80, 90), &host, 12));
    struct
    {
        CPoint point;
        INT_PTR nHit;
        UINT uFlags;
    } cases[] = {
        {CPoint(20, 20), 11, TTF_IDISHWND},
        {CPoint(20, 70), 12, TTF_IDISHWND | TTF_NOTBUTTON | TTF_CENTERTIP},
        {CPoint(200, 150), -1, 0},
    };
    for (const auto& c : cases)
    {
        TOOLINFO ti = {};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        EXPECT_EQ(c.nHit, host.OnToolHitTest(c.point, &ti));
        EXPECT_EQ(c.uFlags, ti.uFlags) << c.nHit;
    }
    host.DestroyWindow();
}

}  // namespace
