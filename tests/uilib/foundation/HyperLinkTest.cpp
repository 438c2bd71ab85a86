// The library's hyperlink static: hover colour and hand cursor only over the
// text as aligned, opening targets and reporting failures, and the tooltip.
#include <gtest/gtest.h>

#include "CVZHyperLink.h"
#include "FoundationTestSupport.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"

using tesmir::test::CCapture;
using tesmir::test::CMessageBoxAnswer;
using tesmir::test::PaintNow;
using tesmir::test::PumpUntil;
using vzfoundation_test::ScreenshotPath;

namespace hyperlink_test {

const wchar_t kMissingFile[] = L"Z:\\no\\such\\folder\\missing-file.xyz";

class CTestLink : public CVZHyperLink
{
public:
    BOOL ClickForTest() { return OnClicked(); }
};

// A visible topmost popup for the links.
class CLinkHost : public CFrameWnd
{
public:
    CLinkHost()
    {
        VERIFY(CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                           (HBRUSH)(COLOR_3DFACE + 1)),
                        L"link test", WS_POPUP | WS_VISIBLE, CRect(60, 60, 460, 260), NULL, 0));
        ::SetForegroundWindow(m_hWnd);
    }
};

CString LoadLibraryString(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

}  // namespace hyperlink_test

using namespace hyperlink_test;

TEST(HyperLink, HoverAndHandOnlyOverTheAlignedText)
{
    CLinkHost host;
    for (DWORD dwAlign : { (DWORD)SS_LEFT, (DWORD)SS_CENTER, (DWORD)SS_RIGHT })
    {
        SCOPED_TRACE(testing::Message() << "alignment " << dwAlign);
        CTestLink link;
        ASSERT_TRUE(link.Create(L"Open it", WS_CHILD | WS_VISIBLE | dwAlign, CRect(10, 10, 310, 40), &host, 100));
        link.SetURL(kMissingFile);
        HFONT hFont = (HFONT)link.SendMessage(WM_GETFONT);
        const CSize sizeText = tesmir::test::TextSize(hFont, L"Open it");
        CRect rc;
        link.GetWindowRect(&rc);
        const int nTextLeft = dwAlign == SS_LEFT     ? rc.left
                              : dwAlign == SS_CENTER ? rc.left + (rc.Width() - sizeText.cx) / 2
                                                     : rc.right - sizeText.cx;
        const int y = rc.top + 5;

        ASSERT_TRUE(vzfoundation_test::PlaceCursor(CPoint(nTextLeft + sizeText.cx / 2, y)));
        ASSERT_TRUE(PumpUntil([&] { return link.IsHover(); }, 5000));
        EXPECT_TRUE(PumpUntil([&] { return ::GetCursor() == link.GetLinkCursor(); }, 2000));
        PaintNow(&host);
        {
            CCapture capture(&link);
            const CRect rcClient(0, 0, capture.Width(), capture.Height());
            EXPECT_GT(capture.Canvas().Count(rcClient, link.GetHoverColor()), 5);
            if (dwAlign == SS_CENTER)
                capture.Canvas().SaveBmp(ScreenshotPath(L"hyperlink-hover.bmp"));
        }

        // In the window but beside the text: no hover, no hand.
        const int xOff = dwAlign == SS_RIGHT ? rc.left + 5 : rc.right - 5;
        ASSERT_TRUE(vzfoundation_test::PlaceCursor(CPoint(xOff, y)));
        ASSERT_TRUE(PumpUntil([&] { return !link.IsHover(); }, 5000));
        EXPECT_TRUE(PumpUntil([&] { return ::GetCursor() != link.GetLinkCursor(); }, 2000));
        PaintNow(&host);
        CCapture capture(&link);
        EXPECT_EQ(capture.Canvas().Count(CRect(0, 0, capture.Width(), capture.Height()), link.GetHoverColor()), 0);
        EXPECT_GT(capture.Canvas().Count(CRect(0, 0, capture.Width(), capture.Height()), link.GetLinkColor()), 5);
        link.DestroyWindow();
    }
}

TEST(HyperLink, CursorGoneBeforeTheFirstTickNeverHovers)
{
    CLinkHost host;
    CTestLink link;
    ASSERT_TRUE(link.Create(L"Quick", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 310, 40), &host, 100));
    CRect rc;
    link.GetWindowRect(&rc);
    ASSERT_TRUE(vzfoundation_test::PlaceCursor(CPoint(rc.left + 3, rc.top + 5)));
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 5));   // starts the timer
    // Off the text before any tick.
    ASSERT_TRUE(vzfoundation_test::PlaceCursor(CPoint(rc.right - 3, rc.top + 5)));
    link.SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(link.IsHover());
    EXPECT_FALSE(::KillTimer(link.m_hWnd, 1));   // the tick stopped it
}

TEST(HyperLink, FailedOpenShowsTheShellErrorAndStaysUnvisited)
{
    CLinkHost host;
    CTestLink link;
    // No URL given: the link opens its own window text.
    ASSERT_TRUE(link.Create(kMissingFile, WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 390, 40), &host, 100));
    EXPECT_EQ(link.GetURL(), CString(kMissingFile));
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    CRect rc;
    link.GetWindowRect(&rc);
    ASSERT_TRUE(vzfoundation_test::PlaceCursor(CPoint(rc.left + 3, rc.top + 5)));
    {
        CMessageBoxAnswer answer(IDOK);
        EXPECT_FALSE(link.ClickForTest());   // a text link's click still reaches the parent
        ASSERT_EQ(answer.m_texts.size(), 1u);
        EXPECT_EQ(CString(answer.m_texts[0].c_str()), LoadLibraryString(9038));
        EXPECT_TRUE(answer.m_types[0] & MB_ICONEXCLAMATION);
    }
    EXPECT_FALSE(link.GetVisited());

    // Error texts by code, the unknown one formatted.
    {
        CMessageBoxAnswer answer(IDOK);
        link.ReportError(31);
        link.ReportError(77);
        ASSERT_EQ(answer.m_texts.size(), 2u);
        EXPECT_EQ(CString(answer.m_texts[0].c_str()), LoadLibraryString(9048));
        EXPECT_EQ(CString(answer.m_texts[1].c_str()), L"An unknown error number 77 occured.");
    }

    // Without opening on click, a click only marks the link visited.
    link.SetOpenOnClick(FALSE);
    link.ClickForTest();
    EXPECT_TRUE(link.GetVisited());
}

TEST(HyperLink, FirstUrlCreatesTheTooltip)
{
    CLinkHost host;
    CTestLink link;
    ASSERT_TRUE(link.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 310, 40), &host, 100));
    EXPECT_EQ(link.GetToolTip().m_hWnd, (HWND)NULL);
    link.SetURL(L"");
    EXPECT_EQ(link.GetToolTip().m_hWnd, (HWND)NULL);
    link.SetURL(L"first.txt");
    ASSERT_TRUE(::IsWindow(link.GetToolTip().m_hWnd));
    CString strTip;
    link.GetToolTip().GetText(strTip, &link);
    EXPECT_EQ(strTip, L"first.txt");
    link.SetURL(L"second.txt");
    link.GetToolTip().GetText(strTip, &link);
    EXPECT_EQ(strTip, L"second.txt");
}

TEST(HyperLink, IconStaticIsAlwaysUnderTheCursorAndHandlesItsClick)
{
    CLinkHost host;
    CTestLink link;
    ASSERT_TRUE(link.Create(L"", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(10, 10, 42, 42), &host, 100));
    link.SetOpenOnClick(FALSE);
    ASSERT_TRUE(vzfoundation_test::PlaceCursor(CPoint(0, 0)));
    EXPECT_FALSE(link.IsTextStatic());
    EXPECT_TRUE(link.IsCursorOverText());
    EXPECT_TRUE(link.ClickForTest());
    EXPECT_TRUE(link.GetVisited());
    EXPECT_EQ(link.SendMessage(WM_NCHITTEST, 0, 0), (LRESULT)HTCLIENT);
}
