// WM_MOUSEHOVER and WM_MOUSELEAVE reach their map entries after real moves.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "InputTestSupport.h"

#include <vector>

using namespace mfcinput_test;

namespace {

class CTrackingWnd : public CWnd
{
public:
    std::vector<UINT> m_events;
    CPoint m_ptHover;
    UINT m_nHoverFlags = 0;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        if (!m_bTracking)
        {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1};
            m_bTracking = ::TrackMouseEvent(&tme);
        }
        CWnd::OnMouseMove(nFlags, point);
    }
    afx_msg void OnMouseHover(UINT nFlags, CPoint point)
    {
        m_events.push_back(WM_MOUSEHOVER);
        m_nHoverFlags = nFlags;
        m_ptHover = point;
    }
    afx_msg void OnMouseLeave()
    {
        m_events.push_back(WM_MOUSELEAVE);
        m_bTracking = FALSE;
        CWnd::OnMouseLeave();
    }
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bTracking = FALSE;
};

BEGIN_MESSAGE_MAP(CTrackingWnd, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

TEST(MouseTracking, HoverThenLeaveReachTheirHandlers)
{
    CTrackingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd, CRect(100, 100, 400, 300), _T("tracking")));
    ASSERT_TRUE(BringToForeground(wnd.m_hWnd));

    CPoint pt(50, 40);
    wnd.ClientToScreen(&pt);
    // From off the window straight onto the point, each move waited for: the
    // only moves the window sees are at the point, so every hover is there.
    // (A late motion event of the display may take the pointer away and
    // back once: a leave and a second hover then follow the first.)
    ASSERT_TRUE(PlaceCursorByInput(20, 20));
    wnd.m_events.clear();
    ASSERT_TRUE(PlaceCursorByInput(pt.x, pt.y));
    ASSERT_TRUE(PumpFrameworkUntil([&] { return !wnd.m_events.empty(); }));
    EXPECT_EQ(UINT(WM_MOUSEHOVER), wnd.m_events.front());
    EXPECT_EQ(CPoint(50, 40), wnd.m_ptHover);
    EXPECT_EQ(0u, wnd.m_nHoverFlags);

    MoveCursorTo(20, 20);   // off the window
    ASSERT_TRUE(PumpFrameworkUntil([&] { return wnd.m_events.back() == WM_MOUSELEAVE; }));
    wnd.DestroyWindow();
}

}  // namespace
