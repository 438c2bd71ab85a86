// The library's status bar on a real status control: how spare width goes to
// stretch panes and how far the last pane reaches, text updates that are
// skipped or deferred, the window-text messages, and its look with and
// without the paint manager.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPStatusBar.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::CDibCanvas;
using tesmir::test::ScreenshotPath;

namespace {

const UINT kIdFirst = 0xE760;
const UINT kIdSecond = 0xE761;

// A popup window (no frame, so nothing lays the bar out but the test) that
// hosts the bars.
class StatusBarTest : public ::testing::Test
{
protected:
    void CreateHost(DWORD dwExtraStyle = 0)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_host.CreateEx(0, lpszClass, L"Status bar test", WS_POPUP | WS_VISIBLE | dwExtraStyle,
                                    CRect(60, 60, 660, 260), NULL, 0));
        ASSERT_TRUE(m_bar.Create(&m_host));
    }
    void TearDown() override
    {
        if (m_bar.m_hWnd != NULL)
            m_bar.DestroyWindow();
        if (m_host.m_hWnd != NULL)
            m_host.DestroyWindow();
    }
    // Three panes: two stretch panes of widths 10 and 14 and a fixed one of
    // width 40.
    void ThreePanes()
    {
        ASSERT_TRUE(m_bar.SetIndicators(NULL, 3));
        m_bar.SetPaneInfo(0, 0, SBPS_STRETCH, 10);
        m_bar.SetPaneInfo(1, kIdFirst, SBPS_STRETCH, 14);
        m_bar.SetPaneInfo(2, kIdSecond, SBPS_NORMAL, 40);
    }
    std::vector<int> Parts()
    {
        int rights[16] = {};
        int n = (int)m_bar.SendMessage(SB_GETPARTS, 16, (LPARAM)rights);
        return std::vector<int>(rights, rights + n);
    }
    void Borders(int borders[3]) { m_bar.SendMessage(SB_GETBORDERS, 0, (LPARAM)borders); }

    CWnd m_host;
    CVZPStatusBar m_bar;
};

}  // namespace

TEST_F(StatusBarTest, StretchPanesShareTheSpareWidthAndTheLastPaneReachesPastItsWidth)
{
    const struct
    {
        const char* name;
        DWORD dwHostStyle;   // a sizing border gives the bar its size grip
    } cases[] = {
        {"no grip", 0},
        {"size grip", WS_THICKFRAME},
    };
    for (const auto& c : cases)
    {
        CreateHost(c.dwHostStyle);
        ThreePanes();
        const BOOL bGrip = (m_bar.GetStyle() & SBARS_SIZEGRIP) != 0;
        EXPECT_EQ(c.dwHostStyle != 0, bGrip != FALSE) << c.name;
        EXPECT_EQ(20, m_bar.GetMinHeight()) << c.name;
        int borders[3];
        Borders(borders);
        // A bar width that leaves 101 pixels to the two stretch panes.
        const int nPanes = (10 + borders[2] + 6) + (14 + borders[2] + 6) + (40 + borders[2] + 6);
        int cx = 101 - borders[2] + nPanes;
        if (bGrip)
            cx += 2 * ::GetSystemMetrics(SM_CXBORDER) + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
        m_bar.MoveWindow(0, 150, cx, 24);

        std::vector<int> rights = Parts();
        ASSERT_EQ(3u, rights.size()) << c.name;
        EXPECT_EQ(borders[0] + 10 + 6 + 50, rights[0]) << c.name;
        EXPECT_EQ(rights[0] + borders[2] + 14 + 6 + 51, rights[1]) << c.name;
        EXPECT_EQ(rights[1] + borders[2] + 40 + 6, rights[2]) << c.name;

        // The last pane is not a stretch pane: it ends 3 edges after its width.
        CRect rcLast;
        m_bar.GetItemRect(2, rcLast);
        EXPECT_EQ(rcLast.left + 40 + 3 * ::GetSystemMetrics(SM_CXEDGE), rcLast.right) << c.name;
        // A stretch pane last reaches the client's edge, short of the grip.
        m_bar.GetPane(2)->m_bVisible = FALSE;
        m_bar.UpdateAllPanes(TRUE, FALSE);
        EXPECT_EQ(2u, Parts().size()) << c.name;
        CRect rcClient;
        m_bar.GetClientRect(rcClient);
        m_bar.GetItemRect(1, rcLast);
        EXPECT_EQ(rcClient.right - (bGrip ? ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE) : 0),
                  rcLast.right)
            << c.name;
        // A hidden or missing pane has no rectangle.
        m_bar.GetItemRect(2, rcLast);
        EXPECT_EQ(1, m_bar.GetPane(1)->m_nPart) << c.name;
        m_bar.GetItemRect(7, rcLast);
        EXPECT_TRUE(rcLast.IsRectEmpty()) << c.name;
        TearDown();
    }
}

TEST_F(StatusBarTest, PaneTextReachesTheControlOnlyWhenItChangedOrWaited)
{
    CreateHost();
    ThreePanes();
    m_bar.MoveWindow(0, 150, 500, 24);
    std::vector<WPARAM> sent;
    tesmir::test::CSentMessageHook hook([&](const CWPSTRUCT& cwp) {
        if (cwp.hwnd == m_bar.m_hWnd && cwp.message == SB_SETTEXT)
            sent.push_back(cwp.wParam);
    });

    EXPECT_TRUE(m_bar.SetPaneText(1, L"Ready"));
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(1u, sent[0] & 0xFF);
    wchar_t text[32] = {};
    m_bar.SendMessage(SB_GETTEXTW, 1, (LPARAM)text);
    EXPECT_STREQ(L"Ready", text);

    // The same text again, nothing pending: no message.
    EXPECT_TRUE(m_bar.SetPaneText(1, L"Ready"));
    EXPECT_EQ(1u, sent.size());
    // Deferred: kept, not sent; the same text then still goes out.
    EXPECT_TRUE(m_bar.SetPaneText(1, L"Later", FALSE));
    EXPECT_EQ(1u, sent.size());
    EXPECT_TRUE(m_bar.SetPaneText(1, L"Later"));
    EXPECT_EQ(2u, sent.size());
    // A disabled pane's text is kept but not shown.
    m_bar.GetPane(1)->m_nStyle |= SBPS_DISABLED;
    EXPECT_TRUE(m_bar.SetPaneText(1, L"Hidden"));
    EXPECT_EQ(0, LOWORD(m_bar.SendMessage(SB_GETTEXTLENGTHW, 1)));
    EXPECT_EQ(CString(L"Hidden"), m_bar.GetPane(1)->GetText());
    // The part number goes in the message: pane 2 is part 1 while pane 1 is hidden.
    m_bar.GetPane(1)->m_bVisible = FALSE;
    EXPECT_FALSE(m_bar.SetPaneText(1, L"Invisible"));
    m_bar.UpdateAllPanes(TRUE, FALSE);
    sent.clear();
    EXPECT_TRUE(m_bar.SetPaneText(2, L"NUM"));
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(1u, sent[0] & 0xFF);
    EXPECT_FALSE(m_bar.SetPaneText(3, L"none"));
}

TEST_F(StatusBarTest, WindowTextIsTheMessagePanesText)
{
    CreateHost();
    ThreePanes();
    m_bar.MoveWindow(0, 150, 500, 24);
    EXPECT_EQ(0, (int)m_bar.SendMessage(WM_SETTEXT, 0, (LPARAM)L"0123456789"));
    EXPECT_EQ(CString(L"0123456789"), m_bar.GetPane(0)->GetText());
    EXPECT_EQ(10, (int)m_bar.SendMessage(WM_GETTEXTLENGTH));

    const struct
    {
        WPARAM cch;
        LRESULT lExpected;
        const wchar_t* pszExpected;
    } cases[] = {
        {5, 5, L"0123"},
        {11, 11, L"0123456789"},
        {64, 11, L"0123456789"},
        {1, 1, L""},
    };
    for (const auto& c : cases)
    {
        wchar_t buffer[65];
        wmemset(buffer, L'#', 65);
        EXPECT_EQ(c.lExpected, m_bar.SendMessage(WM_GETTEXT, c.cch, (LPARAM)buffer)) << c.cch;
        EXPECT_STREQ(c.pszExpected, buffer) << c.cch;
        EXPECT_EQ(L'#', buffer[c.cch]) << c.cch;
    }
    wchar_t untouched[4] = L"xyz";
    EXPECT_EQ(0, m_bar.SendMessage(WM_GETTEXT, 0, (LPARAM)untouched));
    EXPECT_STREQ(L"xyz", untouched);

    // Without a message pane the text is empty and WM_SETTEXT fails.
    m_bar.SetPaneInfo(0, kIdFirst + 5, SBPS_STRETCH, 10);
    EXPECT_EQ(-1, (int)m_bar.SendMessage(WM_SETTEXT, 0, (LPARAM)L"x"));
    EXPECT_EQ(1, (int)m_bar.SendMessage(WM_GETTEXT, 4, (LPARAM)untouched));
    EXPECT_STREQ(L"", untouched);
    EXPECT_EQ(0, (int)m_bar.SendMessage(WM_GETTEXTLENGTH));
    // The bar is all client area to the mouse.
    CRect rcWindow;
    m_bar.GetWindowRect(rcWindow);
    EXPECT_EQ(HTCLIENT, (int)m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + 3, rcWindow.top + 3)));
}

TEST_F(StatusBarTest, UnthemedItPaintsAsTheSystemControlThemedThroughThePaintManager)
{
    CreateHost();
    ThreePanes();
    m_bar.MoveWindow(0, 10, 400, 24);
    m_bar.SetPaneText(0, L"Message");
    m_bar.SetPaneText(1, L"Stretch");
    m_bar.SetPaneText(2, L"NUM");
    CRect rcClient;
    m_bar.GetClientRect(rcClient);

    // The system control with the same font, parts, texts and client size.
    CWnd plain;
    CRect rcBarInHost;
    m_bar.GetWindowRect(rcBarInHost);
    m_host.ScreenToClient(rcBarInHost);
    ASSERT_TRUE(plain.Create(STATUSCLASSNAMEW, NULL,
                             WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE,
                             CRect(0, 100, rcClient.Width(), 100 + rcClient.Height()), &m_host, 0xE7F0));
    plain.SendMessage(WM_SETFONT, (WPARAM)m_bar.GetFont()->GetSafeHandle());
    plain.SendMessage(SB_SETMINHEIGHT, 20);
    std::vector<int> rights = Parts();
    plain.SendMessage(SB_SETPARTS, rights.size(), (LPARAM)rights.data());
    plain.MoveWindow(0, 100, rcClient.Width(), rcClient.Height());
    for (int i = 0; i < (int)rights.size(); i++)
    {
        wchar_t text[32] = {};
        LRESULT lInfo = m_bar.SendMessage(SB_GETTEXTW, i, (LPARAM)text);
        plain.SendMessage(SB_SETTEXTW, (WPARAM)i | HIWORD(lInfo), (LPARAM)text);
    }
    ASSERT_TRUE(BringToFront(&m_host));
    m_host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);

    CDibCanvas shotBar(rcClient.Width(), rcClient.Height());
    CDibCanvas shotPlain(rcClient.Width(), rcClient.Height());
    tesmir::test::CaptureWindow(m_bar.m_hWnd, shotBar);
    tesmir::test::CaptureWindow(plain.m_hWnd, shotPlain);
    shotBar.SaveBmp(ScreenshotPath(L"commandbars_statusbar_plain.bmp"));
    int nDifferent = 0;
    int nDark = 0;
    for (int y = 0; y < rcClient.Height(); y++)
    {
        for (int x = 0; x < rcClient.Width(); x++)
        {
            nDifferent += shotBar.Pixel(x, y) != shotPlain.Pixel(x, y) ? 1 : 0;
            nDark += GetRValue(shotBar.Pixel(x, y)) < 100 ? 1 : 0;
        }
    }
    EXPECT_EQ(0, nDifferent);
    EXPECT_GT(nDark, 20);   // the texts are there
    plain.DestroyWindow();

    // Themed: the paint manager fills the bar and draws the panes' own
    // colours; a disabled pane's text is not drawn unless asked for.
    const COLORREF kBack = RGB(0, 128, 255);
    const COLORREF kText = RGB(200, 0, 0);
    m_bar.SetDrawThemed(TRUE);
    ASSERT_NE(nullptr, m_bar.GetPaintManager());
    m_bar.GetPane(1)->m_clrBackground = kBack;
    m_bar.GetPane(2)->m_clrText = kText;
    m_bar.GetPane(2)->m_nAlignment = 2;
    m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CDibCanvas shotThemed(rcClient.Width(), rcClient.Height());
    tesmir::test::CaptureWindow(m_bar.m_hWnd, shotThemed);
    shotThemed.SaveBmp(ScreenshotPath(L"commandbars_statusbar_themed.bmp"));
    CRect rcStretch, rcLast;
    m_bar.GetItemRect(1, rcStretch);
    m_bar.GetItemRect(2, rcLast);
    CRect rcInside(rcStretch);
    rcInside.DeflateRect(1, 1);
    EXPECT_GT(shotThemed.Count(rcInside, kBack), rcInside.Width() * rcInside.Height() / 2);
    EXPECT_EQ(shotThemed.Count(rcStretch, kBack), shotThemed.Count(rcInside, kBack));   // borders kept
    const int nTextPixels = shotThemed.Count(rcLast, kText);
    EXPECT_GT(nTextPixels, 0);
    // Right alignment: the text sits in the right part of the pane.
    CRect rcLeftHalf(rcLast.left, rcLast.top, rcLast.left + 6, rcLast.bottom);
    EXPECT_EQ(0, shotThemed.Count(rcLeftHalf, kText));

    // (inside the pane's borders, which may share the grey of disabled text)
    CRect rcLastInside(rcLast);
    rcLastInside.DeflateRect(2, 2);
    const COLORREF kGrey = m_bar.GetPaintManager()->GetColor(COLOR_GRAYTEXT);
    m_bar.GetPane(2)->m_nStyle |= SBPS_DISABLED;
    m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    tesmir::test::CaptureWindow(m_bar.m_hWnd, shotThemed);
    EXPECT_EQ(0, shotThemed.Count(rcLast, kText));
    EXPECT_EQ(0, shotThemed.Count(rcLastInside, kGrey));
    m_bar.SetDrawDisabledText(TRUE);
    m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    tesmir::test::CaptureWindow(m_bar.m_hWnd, shotThemed);
    shotThemed.SaveBmp(ScreenshotPath(L"commandbars_statusbar_disabled.bmp"));
    EXPECT_GT(shotThemed.Count(rcLastInside, kGrey), 0);
    EXPECT_EQ(0, shotThemed.Count(rcLast, kText));
}

TEST(StatusBarPaneWnd, PaintsTheFaceAndRegistersItsClass)
{
    CWnd host;
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(host.CreateEx(0, lpszClass, L"", WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 200), NULL, 0));
    CVZPStatusBarPaneWnd pane;
    ASSERT_TRUE(pane.Create(L"Pane", &host, WS_CHILD | WS_VISIBLE, 77));
    EXPECT_EQ(CString(L"Pane"), pane.GetText());
    EXPECT_EQ(77, pane.GetDlgCtrlID());
    EXPECT_EQ((DWORD)(CS_DBLCLKS | CS_BYTEALIGNCLIENT), (DWORD)::GetClassLongW(pane.m_hWnd, GCL_STYLE));
    EXPECT_EQ(0, (int)::GetClassLongPtrW(pane.m_hWnd, GCLP_HBRBACKGROUND));
    pane.MoveWindow(10, 10, 50, 20);
    ASSERT_TRUE(BringToFront(&host));
    pane.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CDibCanvas shot(50, 20, RGB(1, 2, 3));
    tesmir::test::CaptureWindow(pane.m_hWnd, shot);
    EXPECT_EQ(50 * 20, shot.Count(CRect(0, 0, 50, 20), ::GetSysColor(COLOR_BTNFACE)));
    pane.DestroyWindow();
    host.DestroyWindow();
}
