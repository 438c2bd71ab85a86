// The main status bar on a test frame: the pane layout, the owner-drawn
// support link reached through the frame's reflection, and its click.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxext.h>

#include "CMainStatusBar.h"
#include "LinkOpener.h"
#include "ControlsTestSupport.h"
#include "Screenshots.h"
#include "appuires.h"

#include <TestSupport.h>

#include <string>
#include <vector>

using namespace appui_test;
using tesmir::test::CDibCanvas;

namespace {

const UINT kIndicators[] = { 0, IDS_CONTACT_SUPPORT, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };

// Frames route commands and idle updates through the application object.
class CStatusApp : public CWinApp
{
public:
    CStatusApp() : CWinApp(_T("Status Bar Tests")) {}
};

class MainStatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // As the main frame sets its bar up; the frame is shown by the tests.
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, _T("status"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 1010, 210)));
        ASSERT_TRUE(m_status.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_status.SetIndicators(kIndicators, 5));
        m_status.SendMessage(SB_SETTEXT, 1 | SBT_OWNERDRAW, (LPARAM)_T("Contact Support"));
        m_pFrame->RecalcLayout();
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        m_status.LayoutPanes(rect.Width());
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && m_pFrame->m_hWnd != NULL)
            m_pFrame->DestroyWindow();   // deletes the frame
    }

    CRect PaneRect(int nIndex)
    {
        CRect rect;
        m_status.GetItemRect(nIndex, &rect);
        return rect;
    }

    // "Contact Support" in the bar's font.
    CSize LinkExtent()
    {
        CClientDC dc(&m_status);
        HGDIOBJ hFont = (HGDIOBJ)m_status.SendMessage(WM_GETFONT);
        HGDIOBJ hOld = hFont != NULL ? dc.SelectObject(hFont) : NULL;
        CSize size = dc.GetTextExtent(CMainStatusBar::LinkText());
        if (hOld != NULL)
            dc.SelectObject(hOld);
        return size;
    }

    void Show()
    {
        m_pFrame->ShowWindow(SW_SHOW);
        PaintNow(m_pFrame);
    }

    CStatusApp m_app;
    CFrameWnd* m_pFrame = NULL;
    CMainStatusBar m_status;
    int m_nPreviousPane0 = 0;
};

TEST_F(MainStatusBarTest, MessagePaneTakesHalfTheWidthPlus270)
{
    const int widths[] = { 1000, 800, 1000 };
    int nPrevious = 0;
    for (int nWidth : widths)
    {
        m_status.LayoutPanes(nWidth);
        UINT nID = 99;
        UINT nStyle = 99;
        int cx = 0;
        m_status.GetPaneInfo(0, nID, nStyle, cx);
        EXPECT_EQ(0u, nID);
        EXPECT_EQ(0u, nStyle);
        EXPECT_EQ(nWidth / 2 + 270, cx);
        m_status.GetPaneInfo(1, nID, nStyle, cx);
        EXPECT_EQ((UINT)IDS_CONTACT_SUPPORT, nID);
        EXPECT_EQ((UINT)SBPS_STRETCH, nStyle);
        EXPECT_EQ(0, cx);

        // On screen: the link pane starts where the message pane ends and
        // stretches up to the key indicators.
        CRect rect0 = PaneRect(0);
        CRect rect1 = PaneRect(1);
        CRect rect2 = PaneRect(2);
        if (nPrevious != 0)
        {
            EXPECT_EQ((nWidth - nPrevious) / 2, rect0.Width() - m_nPreviousPane0) << nWidth;
        }
        EXPECT_LE(rect0.right, rect1.left);
        EXPECT_GE(rect0.right + 4, rect1.left);
        EXPECT_LE(rect1.right, rect2.left);
        EXPECT_GE(rect1.right + 4, rect2.left);
        EXPECT_GT(rect1.Width(), 40);
        nPrevious = nWidth;
        m_nPreviousPane0 = rect0.Width();
    }
}

TEST_F(MainStatusBarTest, LinkIsPaintedInPaneOneThroughTheFramesReflection)
{
    EXPECT_EQ(CSize(0, 0), m_status.GetLinkSize()) << "not drawn yet";
    Show();
    CSize sizeLink = LinkExtent();
    EXPECT_EQ(sizeLink, m_status.GetLinkSize());
    CRect rectPane = PaneRect(1);
    CCapture capture(&m_status);
    SaveScreenshot(capture.Canvas(), L"main_status_bar");
    int nInside = 0;
    int nOutside = 0;
    for (int y = 0; y < capture.Height(); y++)
        for (int x = 0; x < capture.Width(); x++)
        {
            if (capture.Pixel(x, y) != CMainStatusBar::kLinkColor)
                continue;
            if (x >= rectPane.left + 2 && x < rectPane.left + 2 + sizeLink.cx && y >= rectPane.top &&
                y < rectPane.bottom)
                nInside++;
            else
                nOutside++;
        }
    EXPECT_GT(nInside, 0);
    EXPECT_EQ(0, nOutside);

    // A resize lays the panes out again and the pane stays owner-drawn.
    m_status.LayoutPanes(800);
    PaintNow(m_pFrame);
    m_status.RedrawWindow();
    CCapture again(&m_status);
    CRect rectNow = PaneRect(1);
    int nAgain = 0;
    for (int y = rectNow.top; y < rectNow.bottom; y++)
        for (int x = rectNow.left; x < rectNow.right; x++)
            nAgain += again.Pixel(x, y) == CMainStatusBar::kLinkColor;
    EXPECT_GT(nAgain, 0);
}

TEST_F(MainStatusBarTest, DrawItemDrawsOnlyPaneOne)
{
    CDibCanvas canvas(300, 30);
    DRAWITEMSTRUCT dis = {};
    dis.hDC = canvas.Dc();
    dis.rcItem = CRect(10, 4, 290, 26);
    dis.itemID = 0;
    m_status.DrawItem(&dis);
    EXPECT_EQ(300 * 30, canvas.Count(CRect(0, 0, 300, 30), RGB(255, 255, 255)));
    dis.itemID = 1;
    m_status.DrawItem(&dis);
    SIZE size = {};
    ::GetTextExtentPoint32(canvas.Dc(), CMainStatusBar::LinkText(), lstrlen(CMainStatusBar::LinkText()), &size);
    EXPECT_EQ(CSize(size), m_status.GetLinkSize());
    int nLink = canvas.Count(CRect(12, 4, 12 + size.cx, 4 + size.cy), CMainStatusBar::kLinkColor);
    EXPECT_GT(nLink, 0);
    EXPECT_EQ(nLink, canvas.Count(CRect(0, 0, 300, 30), CMainStatusBar::kLinkColor));
}

// Records what the status bar hands to the link opener's shell call.
std::vector<std::wstring> g_openedTargets;
std::vector<int> g_openedShows;

INT_PTR RecordShellOpen(LPCWSTR lpszTarget, int nShowCmd)
{
    g_openedTargets.push_back(lpszTarget);
    g_openedShows.push_back(nShowCmd);
    return 42;
}

TEST_F(MainStatusBarTest, ReleaseOverTheLinkOpensTheSupportPage)
{
    g_openedTargets.clear();
    g_openedShows.clear();
    LinkOpenerCalls previous = SetLinkOpenerCalls(LinkOpenerCalls{ RecordShellOpen, NULL });
    auto release = [&](int x, int y) { m_status.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); };

    // Before the first paint the link has no width: nothing opens.
    CRect rectPane = PaneRect(1);
    int y = rectPane.CenterPoint().y;
    release(rectPane.left + 6, y);
    EXPECT_TRUE(g_openedTargets.empty());

    Show();
    CSize sizeLink = LinkExtent();
    release(rectPane.left + 6, y);
    release(rectPane.left + 4 + sizeLink.cx - 1, y);
    // Right of the text, and left of where clicks count.
    release(rectPane.left + 4 + sizeLink.cx + 2, y);
    release(rectPane.left + 2, y);
    SetLinkOpenerCalls(previous);

    ASSERT_EQ(2u, g_openedTargets.size());
    for (size_t i = 0; i < g_openedTargets.size(); i++)
    {
        EXPECT_EQ(std::wstring(L"https://www.example.com/support"), g_openedTargets[i]);
        EXPECT_EQ(SW_SHOWNORMAL, g_openedShows[i]);
    }
}

}  // namespace
