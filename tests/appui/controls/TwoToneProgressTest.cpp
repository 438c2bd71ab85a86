// The two-tone progress bar: the filled part for a range and position, when
// it repaints, its caption and text buffer, and the bitmap progress bar's
// tiles. Painted into a DIB canvas through PaintTo.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include "CBitmapProgressCtrl.h"
#include "CTwoToneProgressCtrl.h"
#include "ControlsTestSupport.h"

#include <TestSupport.h>

using namespace appui_test;
using tesmir::test::CDibCanvas;

namespace {

// Progress controls give themselves a static edge when they are created
// (WS_EX_STATICEDGE in WM_NCCREATE), so a window rect is not the client the
// bar paints: size the client itself.
void SetClientSize(CWnd& wnd, int cx, int cy)
{
    CRect rectWindow;
    CRect rectClient;
    wnd.GetWindowRect(&rectWindow);
    wnd.GetClientRect(&rectClient);
    wnd.SetWindowPos(NULL, 0, 0, cx + rectWindow.Width() - rectClient.Width(),
                     cy + rectWindow.Height() - rectClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const COLORREF kBar = RGB(0, 0, 144);
const COLORREF kSentinel = RGB(1, 2, 3);

// The bar's parent: answers WM_GETFONT with the font the bar draws in.
class CFontHost : public CWnd
{
public:
    HFONT m_hFont = NULL;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETFONT)
            return (LRESULT)m_hFont;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Counts the paints the bar receives.
class CCountingBar : public CTwoToneProgressCtrl
{
public:
    int m_nPaints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            m_nPaints++;
        return CTwoToneProgressCtrl::WindowProc(message, wParam, lParam);
    }
};

class TwoToneProgressTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_font.CreateFont(18, 0, 0, 0, 700, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, _T("Arial")));
        m_host.m_hFont = (HFONT)m_font.GetSafeHandle();
        ASSERT_TRUE(m_host.Create(NULL, _T("host"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), m_pCanvas, 100));
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 34), &m_host, 300));
        SetClientSize(m_bar, 200, 24);
        m_crWindow = ::GetSysColor(COLOR_WINDOW);
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_host.DestroyWindow();
    }

    // The bar painted into a canvas of its client size.
    void Render(CDibCanvas& canvas, CTwoToneProgressCtrl& bar)
    {
        canvas.Fill(kSentinel);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        bar.PaintTo(*pDC);
    }

    // Columns whose top and bottom rows are the bar colour.
    static int FilledColumns(const CDibCanvas& canvas)
    {
        int n = 0;
        for (int x = 0; x < canvas.Width(); x++)
            n += canvas.Pixel(x, 0) == kBar && canvas.Pixel(x, canvas.Height() - 1) == kBar;
        return n;
    }

    // What the bar should show: the filled part, the rest in the window
    // colour, and the text centred, in the window colour over the bar and in
    // the bar colour elsewhere.
    void DrawExpected(CDibCanvas& canvas, int nFilled, LPCTSTR lpszText)
    {
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        int cx = canvas.Width();
        int cy = canvas.Height();
        pDC->FillSolidRect(0, 0, nFilled, cy, kBar);
        pDC->FillSolidRect(nFilled, 0, cx - nFilled, cy, m_crWindow);
        int nSaved = pDC->SaveDC();
        pDC->SelectObject(&m_font);
        pDC->SetBkMode(TRANSPARENT);
        CSize size = pDC->GetTextExtent(lpszText, lstrlen(lpszText));
        for (int nPart = 0; nPart < 2; nPart++)
        {
            pDC->SaveDC();
            if (nPart == 0)
                pDC->IntersectClipRect(0, 0, nFilled, cy);
            else
                pDC->IntersectClipRect(nFilled, 0, cx, cy);
            pDC->SetTextColor(nPart == 0 ? m_crWindow : kBar);
            pDC->TextOut((cx - size.cx) / 2, (cy - size.cy) / 2, lpszText, lstrlen(lpszText));
            pDC->RestoreDC(-1);
        }
        pDC->RestoreDC(nSaved);
    }

    static int CountDifferences(const CDibCanvas& a, const CDibCanvas& b)
    {
        int n = 0;
        for (int y = 0; y < a.Height(); y++)
            for (int x = 0; x < a.Width(); x++)
                n += a.Pixel(x, y) != b.Pixel(x, y);
        return n;
    }

    CFont m_font;
    CFontHost m_host;
    CCountingBar m_bar;
    COLORREF m_crWindow = 0;
};

TEST_F(TwoToneProgressTest, PositionFillsItsShareOfTheBar)
{
    const struct
    {
        int nLower;
        int nUpper;
        int nPos;
        int nWidth;
        int nFilled;
    } cases[] = {
        { 0, 100, 50, 200, 100 },
        { 0, 100, 150, 200, 200 },   // past the end: the whole bar
        { 5, 5, 5, 200, 0 },         // empty range: nothing, and no fault
        { 0, 100, 0, 200, 0 },
        { 10, 20, 15, 200, 100 },
        { -50, 50, 0, 200, 100 },
        { 0, 100, 33, 150, 49 },     // truncated
        { 0, 100, -10, 200, 0 },     // before the start
        { 0, 2000000000, 1000000000, 200, 100 },   // no overflow on the way
    };
    for (const auto& c : cases)
    {
        SetClientSize(m_bar, c.nWidth, 24);
        m_bar.SendMessage(PBM_SETRANGE32, (WPARAM)c.nLower, (LPARAM)c.nUpper);
        m_bar.SendMessage(PBM_SETPOS, (WPARAM)c.nPos);
        PaintNow(m_pCanvas);
        CDibCanvas canvas(c.nWidth, 24);
        Render(canvas, m_bar);
        if (c.nUpper <= c.nLower)
        {
            EXPECT_EQ(c.nWidth * 24, canvas.Count(CRect(0, 0, c.nWidth, 24), kSentinel)) << "empty range draws nothing";
            continue;
        }
        EXPECT_EQ(c.nFilled, FilledColumns(canvas)) << c.nLower << ".." << c.nUpper << " at " << c.nPos;
        if (c.nPos >= c.nLower && c.nPos <= c.nUpper)
        {
            EXPECT_EQ(c.nFilled, m_bar.FilledLength(c.nWidth)) << c.nPos;
        }
        EXPECT_EQ(0, canvas.Count(CRect(0, 0, c.nWidth, 24), kSentinel)) << "the whole client is painted";
    }
}

TEST_F(TwoToneProgressTest, RepaintsOnlyWhenTheFilledPartChanges)
{
    m_bar.SendMessage(PBM_SETRANGE32, 0, 100);
    m_bar.SendMessage(PBM_SETPOS, 10);
    PaintNow(m_pCanvas);
    int nPaints = m_bar.m_nPaints;
    m_bar.SendMessage(PBM_SETPOS, 50);
    EXPECT_EQ(nPaints + 1, m_bar.m_nPaints) << "a new position paints at once";
    m_bar.SendMessage(PBM_SETPOS, 50);
    EXPECT_EQ(nPaints + 1, m_bar.m_nPaints) << "the same position does not";
    m_bar.SendMessage(PBM_SETPOS, 51);
    EXPECT_EQ(nPaints + 2, m_bar.m_nPaints) << "one step is two pixels on 200";
    // A resize forces the next position change to paint.
    m_bar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 24));
    m_bar.SendMessage(PBM_SETPOS, 51);
    EXPECT_EQ(nPaints + 3, m_bar.m_nPaints);
}

TEST_F(TwoToneProgressTest, AnswersTheProgressMessages)
{
    EXPECT_EQ(60000, m_bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(20, 60000)));
    PBRANGE range = {};
    EXPECT_EQ(20, m_bar.SendMessage(PBM_GETRANGE, TRUE, (LPARAM)&range));
    EXPECT_EQ(20, range.iLow);
    EXPECT_EQ(60000, range.iHigh);
    EXPECT_EQ(60000, m_bar.SendMessage(PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(200, m_bar.SendMessage(PBM_SETRANGE32, 100, 200));
    EXPECT_EQ(0, m_bar.SendMessage(PBM_SETPOS, 120));
    EXPECT_EQ(120, m_bar.SendMessage(PBM_GETPOS));
    EXPECT_EQ(120, m_bar.SendMessage(PBM_DELTAPOS, 5));
    EXPECT_EQ(1, m_bar.SendMessage(PBM_SETSTEP, 30));
    EXPECT_EQ(125, m_bar.SendMessage(PBM_STEPIT));
    EXPECT_EQ(155, m_bar.SendMessage(PBM_STEPIT));
    EXPECT_EQ(185, m_bar.SendMessage(PBM_GETPOS)) << "no wrap-around, no clamping";
    EXPECT_EQ((LRESULT)CLR_DEFAULT, m_bar.SendMessage(PBM_SETBARCOLOR, 0, RGB(1, 1, 1)));
    EXPECT_EQ((LRESULT)RGB(1, 1, 1), m_bar.SendMessage(PBM_SETBARCOLOR, 0, RGB(2, 2, 2)));
    EXPECT_EQ((LRESULT)CLR_DEFAULT, m_bar.SendMessage(PBM_SETBKCOLOR, 0, RGB(250, 250, 250)));
    EXPECT_EQ((LRESULT)CLR_DEFAULT, m_bar.SendMessage(WM_PROGRESS_SETTEXTCOLOR, 0, RGB(9, 9, 9)));
    EXPECT_EQ((LRESULT)RGB(9, 9, 9), m_bar.SendMessage(WM_PROGRESS_SETTEXTCOLOR, 0, CLR_DEFAULT));

    // The bar colour is kept but not used; the background colour is.
    m_bar.SendMessage(PBM_SETPOS, 150);
    CDibCanvas canvas(200, 24);
    Render(canvas, m_bar);
    EXPECT_EQ(100, FilledColumns(canvas));
    EXPECT_EQ(RGB(250, 250, 250), canvas.Pixel(199, 0));
}

TEST_F(TwoToneProgressTest, CaptionReplacesThePercentageAndFlipsColourAtTheBarsEnd)
{
    m_bar.SendMessage(PBM_SETRANGE32, 0, 100);
    m_bar.SendMessage(PBM_SETPOS, 50);
    CDibCanvas actual(200, 24);
    CDibCanvas expected(200, 24);

    Render(actual, m_bar);
    DrawExpected(expected, 100, _T("50%"));
    EXPECT_EQ(0, CountDifferences(actual, expected)) << "50%";

    m_bar.SetWindowText(_T("Saving files"));
    Render(actual, m_bar);
    DrawExpected(expected, 100, _T("Saving files"));
    EXPECT_EQ(0, CountDifferences(actual, expected)) << "caption";

    // The caption straddles the bar's end: window-coloured text on the bar,
    // bar-coloured text after it, and nothing of either beyond the text.
    CDC* pDC = CDC::FromHandle(expected.Dc());
    HGDIOBJ hOld = pDC->SelectObject(m_font.GetSafeHandle());
    CSize size = pDC->GetTextExtent(_T("Saving files"));
    pDC->SelectObject(hOld);
    int xText = (200 - size.cx) / 2;
    ASSERT_LT(xText, 100);
    ASSERT_GT(xText + size.cx, 100);
    EXPECT_GT(actual.Count(CRect(xText, 0, 100, 24), m_crWindow), 0);
    EXPECT_GT(actual.Count(CRect(100, 0, xText + size.cx, 24), kBar), 0);
    EXPECT_EQ(0, actual.Count(CRect(0, 0, xText, 24), m_crWindow));
    EXPECT_EQ(0, actual.Count(CRect(xText + size.cx + 1, 0, 200, 24), kBar));

    // An empty caption brings the percentage back; 150 reads "150%".
    m_bar.SetWindowText(_T(""));
    m_bar.SendMessage(PBM_SETPOS, 150);
    Render(actual, m_bar);
    DrawExpected(expected, 200, _T("150%"));
    EXPECT_EQ(0, CountDifferences(actual, expected)) << "150%";

    // Without text only the two parts show.
    m_bar.SendMessage(WM_PROGRESS_SHOWTEXT, FALSE);
    m_bar.SendMessage(PBM_SETPOS, 50);
    Render(actual, m_bar);
    EXPECT_EQ(100 * 24, actual.Count(CRect(0, 0, 200, 24), kBar));
    EXPECT_EQ(100 * 24, actual.Count(CRect(0, 0, 200, 24), m_crWindow));
}

TEST_F(TwoToneProgressTest, GetTextAlwaysEndsTheBufferWithANul)
{
    m_bar.SetWindowText(_T("Saving"));
    const struct
    {
        int nBuffer;
        LPCTSTR lpszExpected;
    } cases[] = { { 7, _T("Saving") }, { 6, _T("Savin") }, { 2, _T("S") }, { 1, _T("") } };
    for (const auto& c : cases)
    {
        TCHAR szBuffer[16];
        for (TCHAR& ch : szBuffer)
            ch = 'x';
        LRESULT n = m_bar.SendMessage(WM_GETTEXT, (WPARAM)c.nBuffer, (LPARAM)szBuffer);
        EXPECT_EQ(lstrlen(c.lpszExpected), n) << c.nBuffer;
        EXPECT_STREQ(c.lpszExpected, szBuffer) << c.nBuffer;
        EXPECT_EQ('x', szBuffer[c.nBuffer]) << "nothing written past the buffer";
    }
    TCHAR ch = 'x';
    EXPECT_EQ(0, m_bar.SendMessage(WM_GETTEXT, 0, (LPARAM)&ch));
    EXPECT_EQ('x', ch);
}

TEST_F(TwoToneProgressTest, VerticalBarFillsFromTheBottomWithoutText)
{
    CTwoToneProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | PBS_VERTICAL, CRect(220, 10, 244, 110), &m_host, 301));
    SetClientSize(bar, 24, 100);
    bar.SendMessage(PBM_SETPOS, 50);
    CDibCanvas canvas(24, 100);
    Render(canvas, bar);
    EXPECT_EQ(24 * 50, canvas.Count(CRect(0, 50, 24, 100), kBar));
    EXPECT_EQ(24 * 50, canvas.Count(CRect(0, 0, 24, 50), m_crWindow));
    bar.DestroyWindow();
}

TEST(BitmapProgressTest, TilesTheFilledShareOfTheRange)
{
    CCanvasWnd* pCanvas = SharedCanvas();
    ASSERT_NE(nullptr, pCanvas);
    // A 4 x 4 tile: its first column red, the rest blue.
    CDibCanvas tile(4, 4, RGB(0, 0, 255));
    for (int y = 0; y < 4; y++)
        tile.SetPixel(0, y, RGB(255, 0, 0));
    CBitmap bmTile;
    CClientDC dcScreen(NULL);
    ASSERT_TRUE(bmTile.CreateCompatibleBitmap(&dcScreen, 4, 4));
    {
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        HGDIOBJ hOld = dc.SelectObject(bmTile.GetSafeHandle());
        ::BitBlt(dc.m_hDC, 0, 0, 4, 4, tile.Dc(), 0, 0, SRCCOPY);
        dc.SelectObject(hOld);
    }

    CBitmapProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 50, 112, 70), pCanvas, 302));
    SetClientSize(bar, 102, 20);
    bar.SetBitmap((HBITMAP)bmTile.GetSafeHandle());
    const struct
    {
        int nLower;
        int nUpper;
        int nPos;
        int nRight;   // right edge of the tiles; the bar starts at 1
    } cases[] = {
        { 0, 100, 50, 51 },
        { 200, 300, 250, 51 },   // a lower bound above 0
        { 0, 100, 100, 101 },
        { 0, 100, 150, 101 },    // past the end: the control keeps its position in range
        { 0, 100, 0, 1 },
    };
    for (const auto& c : cases)
    {
        bar.SetRange32(c.nLower, c.nUpper);
        bar.SetPos(c.nPos);
        CDibCanvas canvas(102, 20, kSentinel);
        bar.PaintTo(*CDC::FromHandle(canvas.Dc()));
        int nWidth = c.nRight - 1;
        EXPECT_EQ(nWidth * 18, canvas.Count(CRect(1, 1, c.nRight, 19), RGB(0, 0, 255)) +
                                   canvas.Count(CRect(1, 1, c.nRight, 19), RGB(255, 0, 0)))
            << c.nLower << ".." << c.nUpper << " at " << c.nPos;
        if (nWidth > 0)
        {
            EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 1));
        }
        EXPECT_EQ(kSentinel, canvas.Pixel(c.nRight, 5)) << "nothing after the tiles at " << c.nPos;
    }
    bar.DestroyWindow();
}

}  // namespace
