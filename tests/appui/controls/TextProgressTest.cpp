// The text progress bar: what it paints for a position, its colour and text
// messages, and the moving block.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CTextProgressCtrl.h"
#include "ControlsTestSupport.h"

using namespace appui_test;

namespace {

const COLORREF kAccent = RGB(29, 117, 189);
const COLORREF kGrey = RGB(242, 242, 242);
const COLORREF kWhite = RGB(255, 255, 255);

class TextProgressTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_font.CreateFont(18, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, _T("Arial")));
        m_brush.CreateSolidBrush(kAccent);
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 34), m_pCanvas, 300));
        m_bar.SetFont(&m_font);
        m_bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    }

    // The look of the progress dialog's bar.
    void StyleLikeTheDialog()
    {
        m_bar.m_pBarBrush = &m_brush;
        m_bar.m_crBackground = kGrey;
        m_bar.m_crTextOnBar = kWhite;
        m_bar.m_crTextOnBackground = kAccent;
        m_bar.SetTextFormat(_T("%d%%"), TPS_SHOWPERCENT);
    }

    // What the bar should show: background, bar up to nFilled, and the text
    // centred on the bar, in white over the bar and blue over the rest.
    void DrawExpected(CDC& dc, int cx, int cy, int nFilled, LPCTSTR lpszText)
    {
        dc.FillSolidRect(0, 0, cx, cy, kGrey);
        dc.FillSolidRect(0, 0, nFilled, cy, kAccent);
        HGDIOBJ hOld = dc.SelectObject(m_font.m_hObject);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
        int nHeight = dc.GetTextExtent(lpszText, lstrlen(lpszText)).cy;
        for (int nPart = 0; nPart < 2; nPart++)
        {
            dc.SaveDC();
            if (nPart == 0)
                dc.IntersectClipRect(0, 0, nFilled, cy);
            else
                dc.IntersectClipRect(nFilled, 0, cx, cy);
            dc.SetTextColor(nPart == 0 ? kWhite : kAccent);
            dc.TextOut(cx / 2, cy / 2 + nHeight / 2, lpszText, lstrlen(lpszText));
            dc.RestoreDC(-1);
        }
        dc.SelectObject(hOld);
    }

    // Number of pixels where the bar's capture differs from a reference.
    int CountDifferences(const CCapture& actual, const CCapture& expected)
    {
        int n = 0;
        for (int y = 0; y < actual.Height(); y++)
            for (int x = 0; x < actual.Width(); x++)
                if (actual.Pixel(x, y) != expected.Pixel(x, y))
                    n++;
        return n;
    }

    CFont m_font;
    CBrush m_brush;
    CTextProgressCtrl m_bar;
};

TEST_F(TextProgressTest, PositionIsShownAsBarAndPercentage)
{
    StyleLikeTheDialog();
    const struct
    {
        int nPos;
        LPCTSTR lpszText;
    } cases[] = {
        { 45, _T("45%") }, { 0, _T("0%") }, { 100, _T("100%") }, { 7, _T("7%") },
        // A step of one repaints the text in the middle, not only the bar's end.
        { 10, _T("10%") }, { 11, _T("11%") },
    };
    for (const auto& c : cases)
    {
        m_bar.SendMessage(PBM_SETPOS, (WPARAM)c.nPos, 0);
        PaintNow(m_pCanvas);
        CCapture actual(&m_bar);
        CCapture expected(&m_bar);
        DrawExpected(expected.m_dc, actual.Width(), actual.Height(), actual.Width() * c.nPos / 100, c.lpszText);
        EXPECT_EQ(0, CountDifferences(actual, expected)) << c.nPos;
    }

    // At 45 the text crosses the bar's end: white left of it, blue right.
    m_bar.SendMessage(PBM_SETPOS, 45, 0);
    PaintNow(m_pCanvas);
    CCapture capture(&m_bar);
    int nEnd = capture.Width() * 45 / 100;
    CSize sizeText = TextSize(m_font, _T("45%"));
    ASSERT_LT(capture.Width() / 2 - sizeText.cx / 2, nEnd);
    ASSERT_GT(capture.Width() / 2 + sizeText.cx / 2, nEnd);
    int nWhiteLeft = 0, nWhiteRight = 0, nBlueRight = 0;
    for (int y = 0; y < capture.Height(); y++)
    {
        for (int x = 0; x < capture.Width(); x++)
        {
            COLORREF cr = capture.Pixel(x, y);
            if (x < nEnd)
                nWhiteLeft += cr == kWhite;
            else
            {
                nWhiteRight += cr == kWhite;
                nBlueRight += cr == kAccent;
            }
        }
    }
    EXPECT_GT(nWhiteLeft, 0);
    EXPECT_EQ(0, nWhiteRight);
    EXPECT_GT(nBlueRight, 0);
}

TEST_F(TextProgressTest, WithoutTextFormatOnlyBarAndBackgroundShow)
{
    StyleLikeTheDialog();
    m_bar.SetTextFormat(_T(""), TPS_SHOWPERCENT);
    EXPECT_EQ(0u, m_bar.GetStyle() & (TPS_SHOWPERCENT | TPS_SHOWPOSITION));
    EXPECT_EQ(0, m_bar.GetWindowTextLength());
    m_bar.SendMessage(PBM_SETPOS, 50, 0);
    PaintNow(m_pCanvas);
    CCapture actual(&m_bar);
    CCapture expected(&m_bar);
    expected.m_dc.FillSolidRect(0, 0, actual.Width(), actual.Height(), kGrey);
    expected.m_dc.FillSolidRect(0, 0, actual.Width() / 2, actual.Height(), kAccent);
    EXPECT_EQ(0, CountDifferences(actual, expected));

    // A format with position bits: the position through the format.
    m_bar.SetTextFormat(_T("step %d"), TPS_SHOWPOSITION);
    EXPECT_EQ((DWORD)TPS_SHOWPOSITION, m_bar.GetStyle() & (TPS_SHOWPERCENT | TPS_SHOWPOSITION));
    CString strFormat;
    m_bar.GetWindowText(strFormat);
    EXPECT_STREQ(_T("step %d"), (LPCTSTR)strFormat);
}

TEST_F(TextProgressTest, WindowTextThatIsNoIntegerFormatFallsBackToTheDefault)
{
    StyleLikeTheDialog();
    m_bar.SendMessage(PBM_SETPOS, 45, 0);
    // "%s" would read the value as a pointer.
    m_bar.SetWindowText(_T("%s%s%s"));
    PaintNow(m_pCanvas);
    CCapture actual(&m_bar);
    CCapture expected(&m_bar);
    DrawExpected(expected.m_dc, actual.Width(), actual.Height(), actual.Width() * 45 / 100, _T("45%"));
    EXPECT_EQ(0, CountDifferences(actual, expected));
}

TEST_F(TextProgressTest, EmptyRangeShowsOnlyTheBackground)
{
    StyleLikeTheDialog();
    m_bar.SendMessage(PBM_SETRANGE32, 5, 5);
    int nLower = -1, nUpper = -1;
    m_bar.GetRange(nLower, nUpper);
    if (nLower != nUpper)
        GTEST_SKIP() << "the common control refuses an empty range";
    PaintNow(m_pCanvas);
    CCapture capture(&m_bar);
    for (int y = 0; y < capture.Height(); y++)
        for (int x = 0; x < capture.Width(); x++)
            ASSERT_EQ(kGrey, capture.Pixel(x, y)) << x << "," << y;
}

TEST_F(TextProgressTest, ColourMessagesSetGradientAndBackground)
{
    m_bar.m_crTextOnBar = m_bar.m_crTextOnBackground = kWhite;
    m_bar.SetTextFormat(NULL, 0);
    // wParam 0: a one-colour gradient.
    EXPECT_EQ((LRESULT)CLR_DEFAULT, m_bar.SendMessage(PBM_SETBARCOLOR, 0, RGB(10, 200, 30)));
    ASSERT_EQ(2, m_bar.m_arrGradient.GetSize());
    EXPECT_EQ(RGB(10, 200, 30), m_bar.m_arrGradient[0]);
    EXPECT_EQ(RGB(10, 200, 30), m_bar.m_arrGradient[1]);
    EXPECT_EQ((LRESULT)CLR_DEFAULT, m_bar.SendMessage(PBM_SETBKCOLOR, 0, RGB(250, 250, 0)));
    EXPECT_EQ(RGB(250, 250, 0), m_bar.m_crBackground);
    m_bar.SendMessage(PBM_SETPOS, 60, 0);
    PaintNow(m_pCanvas);
    {
        CCapture capture(&m_bar);
        int nEnd = capture.Width() * 60 / 100;
        for (int x = 0; x < capture.Width(); x++)
            ASSERT_EQ(x < nEnd ? RGB(10, 200, 30) : RGB(250, 250, 0), capture.Pixel(x, capture.Height() / 2)) << x;
    }

    // Two colours: lParam at the start, wParam at the far end, the gradient
    // spread over the full length and cut at the position.
    m_bar.SendMessage(PBM_SETBARCOLOR, RGB(0, 0, 255), RGB(0, 0, 0));
    m_bar.SendMessage(PBM_SETPOS, 100, 0);
    PaintNow(m_pCanvas);
    CCapture full(&m_bar);
    int y = full.Height() / 2;
    EXPECT_EQ(RGB(0, 0, 0), full.Pixel(0, y));
    EXPECT_GE(GetBValue(full.Pixel(full.Width() - 1, y)), 250);
    for (int x = 1; x < full.Width(); x++)
        ASSERT_GE(GetBValue(full.Pixel(x, y)), GetBValue(full.Pixel(x - 1, y))) << x;
    m_bar.SendMessage(PBM_SETPOS, 50, 0);
    PaintNow(m_pCanvas);
    CCapture half(&m_bar);
    EXPECT_EQ(full.Pixel(half.Width() / 2 - 1, y), half.Pixel(half.Width() / 2 - 1, y));
    EXPECT_EQ(RGB(250, 250, 0), half.Pixel(half.Width() / 2 + 1, y));
}

TEST_F(TextProgressTest, MovingBlockRunsPastTheEndAndTurns)
{
    m_bar.ModifyStyle(0, TPS_MOVINGBLOCK);
    m_bar.SendMessage(PBM_SETPOS, 0, 0);
    EXPECT_EQ(10, (int)m_bar.SendMessage(PBM_SETSTEP, 10, 0));   // the previous step
    EXPECT_EQ(10, m_bar.m_nStep);
    int nPrevious = 0;
    for (int k = 1; k <= 14; k++)
    {
        EXPECT_EQ(nPrevious, (int)m_bar.SendMessage(PBM_STEPIT, 0, 0)) << k;
        // The block's end climbs to 140; the control itself stops at 100.
        EXPECT_EQ(std::max(10 * k - 40, 0), m_bar.m_nBlockStart) << k;
        EXPECT_EQ(std::min(10 * k, 100), m_bar.GetPos()) << k;
        EXPECT_EQ(0u, m_bar.GetStyle() & TPS_REVERSE) << k;
        nPrevious = m_bar.GetPos();
    }
    m_bar.SendMessage(PBM_STEPIT, 0, 0);
    EXPECT_EQ(10, m_bar.GetPos());
    EXPECT_EQ(0, m_bar.m_nBlockStart);
    EXPECT_EQ((DWORD)TPS_REVERSE, m_bar.GetStyle() & TPS_REVERSE);

    // Absolute positions and deltas move the block too.
    m_bar.SendMessage(PBM_SETPOS, 70, 0);
    EXPECT_EQ(30, m_bar.m_nBlockStart);
    m_bar.SendMessage(PBM_DELTAPOS, (WPARAM)-20, 0);   // a delta counts by its size
    EXPECT_EQ(90, m_bar.GetPos());
    EXPECT_EQ(50, m_bar.m_nBlockStart);

    // The block is painted from its start to the position, from the right
    // while reversed.
    m_bar.m_pBarBrush = &m_brush;
    m_bar.m_crBackground = kGrey;
    PaintNow(m_pCanvas);
    CCapture capture(&m_bar);
    int y = capture.Height() / 2;
    int cx = capture.Width();
    EXPECT_EQ(kGrey, capture.Pixel(0, y));
    EXPECT_EQ(kAccent, capture.Pixel(cx - 1 - cx * 50 / 100, y));
    EXPECT_EQ(kAccent, capture.Pixel(cx - cx * 90 / 100, y));
    EXPECT_EQ(kGrey, capture.Pixel(cx - 1 - cx * 90 / 100, y));
    EXPECT_EQ(kGrey, capture.Pixel(cx - cx * 50 / 100, y));
}

TEST_F(TextProgressTest, StepsOutsideMovingBlockModeAreTheCommonControls)
{
    m_bar.SendMessage(PBM_SETPOS, 0, 0);
    m_bar.SendMessage(PBM_SETSTEP, 7, 0);
    EXPECT_EQ(7, m_bar.m_nStep);
    EXPECT_EQ(0, (int)m_bar.SendMessage(PBM_STEPIT, 0, 0));
    EXPECT_EQ(7, m_bar.GetPos());
    EXPECT_EQ(7, (int)m_bar.SendMessage(PBM_DELTAPOS, 5, 0));
    EXPECT_EQ(12, m_bar.GetPos());
    EXPECT_EQ(12, (int)m_bar.SendMessage(PBM_SETPOS, 150, 0));
    EXPECT_EQ(100, m_bar.GetPos());
    EXPECT_EQ(0, m_bar.m_nBlockStart);
}

TEST_F(TextProgressTest, VerticalBarFillsFromTheBottom)
{
    m_bar.DestroyWindow();
    ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | PBS_VERTICAL, CRect(10, 10, 34, 110), m_pCanvas, 301));
    m_bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    m_bar.m_pBarBrush = &m_brush;
    m_bar.m_crBackground = kGrey;
    m_bar.m_rectMargins.SetRect(2, 3, 2, 3);
    m_bar.SendMessage(PBM_SETPOS, 25, 0);
    PaintNow(m_pCanvas);
    CCapture capture(&m_bar);
    int x = capture.Width() / 2;
    int nInner = capture.Height() - 6;
    int nTop = capture.Height() - 3 - nInner * 25 / 100;   // first filled row
    EXPECT_EQ(kGrey, capture.Pixel(x, nTop - 1));
    EXPECT_EQ(kAccent, capture.Pixel(x, nTop));
    EXPECT_EQ(kAccent, capture.Pixel(x, capture.Height() - 4));
    EXPECT_EQ(kGrey, capture.Pixel(x, capture.Height() - 3));   // the margin
    EXPECT_EQ(kGrey, capture.Pixel(1, capture.Height() - 5));
}

TEST_F(TextProgressTest, TiedTextShowsOnlyWhereItFitsOnTheBar)
{
    StyleLikeTheDialog();
    m_bar.ModifyStyle(0, TPS_TIEDTEXT);
    CRect rect;
    m_bar.GetClientRect(&rect);
    CSize sizeText = TextSize(m_font, _T("10%"));
    // 10 % of the bar is narrower than its text: no text at all.
    ASSERT_LT(rect.Width() * 10 / 100, sizeText.cx);
    m_bar.SendMessage(PBM_SETPOS, 10, 0);
    PaintNow(m_pCanvas);
    {
        CCapture capture(&m_bar);
        for (int y = 0; y < capture.Height(); y++)
            for (int x = 0; x < capture.Width(); x++)
                ASSERT_EQ(x < capture.Width() / 10 ? kAccent : kGrey, capture.Pixel(x, y)) << x << "," << y;
    }
    // At 60 % the text is centred on the filled part, in the bar's text colour.
    m_bar.SendMessage(PBM_SETPOS, 60, 0);
    PaintNow(m_pCanvas);
    CCapture capture(&m_bar);
    int nEnd = capture.Width() * 60 / 100;
    int nLeft = capture.Width(), nRight = -1;
    for (int y = 0; y < capture.Height(); y++)
        for (int x = 0; x < capture.Width(); x++)
            if (capture.Pixel(x, y) == kWhite)
            {
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
            }
    ASSERT_GE(nRight, 0) << "no text";
    EXPECT_LT(nRight, nEnd);
    EXPECT_LE(abs((nLeft + nRight) / 2 - nEnd / 2), 2) << nLeft << ".." << nRight;
}

TEST_F(TextProgressTest, StretchedGradientSpansTheFilledPart)
{
    m_bar.SetTextFormat(NULL, 0);
    m_bar.SendMessage(PBM_SETBKCOLOR, 0, kGrey);
    m_bar.SendMessage(PBM_SETBARCOLOR, RGB(0, 250, 0), RGB(0, 0, 0));
    m_bar.SendMessage(PBM_SETPOS, 50, 0);
    for (DWORD dwStretch : {0ul, (unsigned long)TPS_STRETCHGRADIENT})
    {
        m_bar.ModifyStyle(TPS_STRETCHGRADIENT, dwStretch);
        m_bar.Invalidate();
        PaintNow(m_pCanvas);
        CCapture capture(&m_bar);
        int y = capture.Height() / 2;
        int nLast = capture.Width() / 2 - 1;
        int nGreen = GetGValue(capture.Pixel(nLast, y));
        if (dwStretch != 0)
            EXPECT_GE(nGreen, 240);   // the end colour at the bar's end
        else
            EXPECT_LE(abs(nGreen - 125), 5);   // half way through the colours
        EXPECT_EQ(kGrey, capture.Pixel(nLast + 1, y));
    }
}

}  // namespace
