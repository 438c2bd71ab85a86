// Canvas scrolling on a bare window: bars, ranges, positions and the pixels
// that ScrollWindow moves. The window paints a pattern of document
// coordinates into the invalid part only, so a scroll that failed to move
// the pixels leaves the wrong colours behind.
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "html/HtmlCanvas.h"

namespace {

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

const int kClientWidth = 300;
const int kClientHeight = 200;

// The colour of a document point: a different colour every 8 pixels.
COLORREF PatternAt(int x, int y)
{
    return RGB((x / 8) * 37 % 256, (y / 8) * 53 % 256, ((x / 8) + (y / 8)) % 2 ? 200 : 40);
}

std::vector<POINT>* g_pScrolls = nullptr;

LRESULT CALLBACK BareCanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = HtmlCanvasWndProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        int hPos = (int)SendMessageW(hwnd, WM_HTML_GETHPOS, 0, 0);
        int vPos = (int)SendMessageW(hwnd, WM_HTML_GETVPOS, 0, 0);
        // Cells of 8 pixels aligned to the document.
        for (int y = ps.rcPaint.top - (ps.rcPaint.top + vPos) % 8; y < ps.rcPaint.bottom; y += 8)
            for (int x = ps.rcPaint.left - (ps.rcPaint.left + hPos) % 8; x < ps.rcPaint.right; x += 8) {
                HBRUSH brush = CreateSolidBrush(PatternAt(x + hPos, y + vPos));
                RECT cell = {x, y, x + 8, y + 8};
                FillRect(dc, &cell, brush);
                DeleteObject(brush);
            }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_HTML_SCROLLING:
        if (g_pScrolls)
            g_pScrolls->push_back(POINT{(int)wParam, (int)lParam});
        return result;
    case WM_ERASEBKGND:
        return 1;
    default:
        if (message >= WM_USER || message == WM_HSCROLL || message == WM_VSCROLL || message == WM_SIZE)
            return result;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

class HtmlCanvas : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = BareCanvasProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TesmirBareHtmlCanvas";
        RegisterClassW(&wc);
        RECT rc = {0, 0, kClientWidth, kClientHeight};
        AdjustWindowRect(&rc, WS_POPUP | WS_BORDER, FALSE);
        m_hwnd = CreateWindowW(L"TesmirBareHtmlCanvas", L"canvas", WS_POPUP | WS_BORDER | WS_VISIBLE, 40, 40,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(m_hwnd != nullptr);
        g_pScrolls = &m_scrolls;
        Settle();
    }

    void TearDown() override
    {
        g_pScrolls = nullptr;
        DestroyWindow(m_hwnd);
        HtmlCanvasWndProc(nullptr, 0, 0, 0);
    }

    void Settle()
    {
        UpdateWindow(m_hwnd);
        PumpUntil([] { return false; }, 50);
    }

    void SetDocument(int width, int height)
    {
        SendMessageW(m_hwnd, WM_HTML_SETDOCSIZE, (WPARAM)width, (LPARAM)height);
        Settle();
    }

    bool HasBar(DWORD style) const { return (GetWindowLongW(m_hwnd, GWL_STYLE) & style) != 0; }
    int HPos() const { return (int)SendMessageW(m_hwnd, WM_HTML_GETHPOS, 0, 0); }
    int VPos() const { return (int)SendMessageW(m_hwnd, WM_HTML_GETVPOS, 0, 0); }
    int HRange() const { return (int)SendMessageW(m_hwnd, WM_HTML_GETHRANGE, 0, 0); }
    int VRange() const { return (int)SendMessageW(m_hwnd, WM_HTML_GETVRANGE, 0, 0); }

    SIZE Client() const
    {
        RECT rc;
        GetClientRect(m_hwnd, &rc);
        return SIZE{rc.right, rc.bottom};
    }

    // Every 8th pixel of the client area shows the document at the
    // current positions; returns the number of wrong pixels.
    int WrongPixels(const wchar_t* screenshot = nullptr)
    {
        Settle();
        SIZE client = Client();
        CDibCanvas shot(client.cx, client.cy);
        tesmir::test::CaptureWindow(m_hwnd, shot);
        if (screenshot)
            shot.SaveBmp(tesmir::test::BuildPath(screenshot));
        int wrong = 0;
        for (int y = 3; y < client.cy; y += 8)
            for (int x = 3; x < client.cx; x += 8)
                wrong += shot.Pixel(x, y) != PatternAt(x + HPos(), y + VPos());
        return wrong;
    }

    HWND m_hwnd = nullptr;
    std::vector<POINT> m_scrolls;
};

TEST_F(HtmlCanvas, BarsAppearOnlyWhenTheDocumentDoesNotFit)
{
    const int vBar = GetSystemMetrics(SM_CXVSCROLL);
    const int hBar = GetSystemMetrics(SM_CYHSCROLL);
    const struct
    {
        int width, height;
        bool hBar, vBar;
        int hRange, vRange;
    } cases[] = {
        {kClientWidth, kClientHeight, false, false, 0, 0},
        {kClientWidth - 50, kClientHeight - 50, false, false, 0, 0},
        // One pixel wider: the bar takes height, so the second bar follows.
        {kClientWidth + 1, kClientHeight, true, true, 1 + vBar, hBar},
        // One pixel taller: the vertical bar takes width, so the second
        // pass adds the horizontal bar.
        {kClientWidth, kClientHeight + 1, true, true, vBar, 1 + hBar},
        {kClientWidth - vBar, kClientHeight + 100, false, true, 0, 100},
        {kClientWidth + 100, kClientHeight - hBar, true, false, 100, 0},
        {kClientWidth, kClientHeight, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        SetDocument(c.width, c.height);
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(c.hBar, HasBar(WS_HSCROLL));
        EXPECT_EQ(c.vBar, HasBar(WS_VSCROLL));
        EXPECT_EQ(c.hRange, HRange());
        EXPECT_EQ(c.vRange, VRange());
        SIZE client = Client();
        EXPECT_EQ(kClientWidth - (c.vBar ? vBar : 0), client.cx);
        EXPECT_EQ(kClientHeight - (c.hBar ? hBar : 0), client.cy);
    }
}

TEST_F(HtmlCanvas, ScrollingMovesThePixels)
{
    SetDocument(kClientWidth * 3, kClientHeight * 4);
    EXPECT_EQ(0, WrongPixels());
    const int vRange = VRange();

    SendMessageW(m_hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(10, VPos());
    SendMessageW(m_hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(10 + Client().cy, VPos());
    SendMessageW(m_hwnd, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(10, HPos());
    EXPECT_EQ(0, WrongPixels(L"html_canvas_scrolled.bmp"));
    ASSERT_FALSE(m_scrolls.empty());
    EXPECT_EQ(-10, m_scrolls.back().x);
    // The window with both bars: they are drawn beside the client area, in
    // the system's face colours rather than the document's pattern.
    {
        RECT wr;
        GetWindowRect(m_hwnd, &wr);
        CDibCanvas whole(wr.right - wr.left, wr.bottom - wr.top);
        tesmir::test::CaptureWindow(m_hwnd, whole, true);
        whole.SaveBmp(tesmir::test::BuildPath(L"html_canvas_window.bmp"));
        POINT origin = {0, 0};
        ClientToScreen(m_hwnd, &origin);
        const int barX = origin.x - wr.left + Client().cx + GetSystemMetrics(SM_CXVSCROLL) / 2;
        int face = 0;
        for (int y = origin.y - wr.top; y < origin.y - wr.top + Client().cy; ++y) {
            COLORREF c = whole.Pixel(barX, y);
            face += c == GetSysColor(COLOR_BTNFACE) || c == GetSysColor(COLOR_SCROLLBAR) ||
                    c == GetSysColor(COLOR_BTNHIGHLIGHT);
        }
        EXPECT_GT(face, Client().cy / 2);
    }

    SendMessageW(m_hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(Client().cy - 20, VPos());
    SendMessageW(m_hwnd, WM_VSCROLL, SB_PAGEUP, 0);
    SendMessageW(m_hwnd, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(0, VPos());

    // The thumb runs 0..100 with the page size in percent.
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(m_hwnd, SB_VERT, &si);
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(100, si.nMax);
    EXPECT_EQ((UINT)(Client().cy * 100 / (kClientHeight * 4)), si.nPage);
    const int vMax = 100 - (int)si.nPage;
    SendMessageW(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
    EXPECT_EQ(30 * vRange / vMax, VPos());
    GetScrollInfo(m_hwnd, SB_VERT, &si);
    EXPECT_EQ(VPos() * vMax / vRange + 1, si.nPos);
    SendMessageW(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
    EXPECT_EQ(vRange, VPos());
    EXPECT_EQ(0, WrongPixels());

    // A scroll bar control's message (lParam set) and SB_ENDSCROLL are not ours.
    SendMessageW(m_hwnd, WM_VSCROLL, SB_LINEUP, (LPARAM)m_hwnd);
    SendMessageW(m_hwnd, WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(vRange, VPos());
}

TEST_F(HtmlCanvas, SetPositionClampsAndReports)
{
    SetDocument(kClientWidth * 2, kClientHeight * 2);
    SendMessageW(m_hwnd, WM_HTML_SETHPOS, 0, 50);
    EXPECT_EQ(50, HPos());
    SendMessageW(m_hwnd, WM_HTML_SETHPOS, 0, -5);
    EXPECT_EQ(0, HPos());
    SendMessageW(m_hwnd, WM_HTML_SETVPOS, 0, 1000000);
    EXPECT_EQ(VRange(), VPos());
    EXPECT_EQ(0, WrongPixels());

    EXPECT_EQ(VRange(), (int)SendMessageW(m_hwnd, WM_HTML_GETVPOS, 0, 0));
    int stored = -1;
    EXPECT_EQ(VRange(), (int)SendMessageW(m_hwnd, WM_HTML_GETVPOS, 0, (LPARAM)&stored));
    EXPECT_EQ(VRange(), stored);
    SendMessageW(m_hwnd, WM_HTML_SETHPOS, 0, 7);
    EXPECT_EQ(7, (int)SendMessageW(m_hwnd, WM_HTML_GETHPOS, 0, (LPARAM)&stored));
    EXPECT_EQ(7, stored);
}

TEST_F(HtmlCanvas, ShrinkingTheDocumentBringsThePositionBack)
{
    SetDocument(kClientWidth * 3, kClientHeight * 3);
    SendMessageW(m_hwnd, WM_HTML_SETVPOS, 0, 300);
    SendMessageW(m_hwnd, WM_HTML_SETHPOS, 0, 250);
    EXPECT_EQ(0, WrongPixels());
    m_scrolls.clear();

    const int hBar = GetSystemMetrics(SM_CYHSCROLL);
    SetDocument(kClientWidth * 3, kClientHeight + 100);
    EXPECT_EQ(100 + hBar, VRange());
    EXPECT_EQ(VRange(), VPos());
    ASSERT_EQ(1u, m_scrolls.size());
    EXPECT_EQ(0, m_scrolls[0].x);
    EXPECT_EQ(300 - VRange(), m_scrolls[0].y);
    EXPECT_EQ(0, WrongPixels());

    // Below the visible size: both positions return to 0 and the bars go.
    SetDocument(100, 100);
    EXPECT_EQ(0, HPos());
    EXPECT_EQ(0, VPos());
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_EQ(0, WrongPixels());

    // Without a range, setting a position does nothing.
    SendMessageW(m_hwnd, WM_HTML_SETVPOS, 0, 40);
    EXPECT_EQ(0, VPos());
}

TEST_F(HtmlCanvas, PageSizesAreClamped)
{
    SetDocument(kClientWidth * 2, kClientHeight * 2);
    const struct
    {
        int percent, page, result;
    } cases[] = {{0, 1, 99}, {-7, 1, 99}, {120, 99, 1}, {50, 50, 50}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, SetScrollPageSize(m_hwnd, SB_HORZ, c.percent));
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_PAGE;
        GetScrollInfo(m_hwnd, SB_HORZ, &si);
        EXPECT_EQ((UINT)c.page, si.nPage) << c.percent;
    }
    // A document a thousand times wider than the view still gets a 1 % thumb.
    SetDocument(kClientWidth * 1000, kClientHeight);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE;
    GetScrollInfo(m_hwnd, SB_HORZ, &si);
    EXPECT_EQ(1u, si.nPage);
}

TEST_F(HtmlCanvas, ThumbOnAWindowThatWasNeverSizedStaysPut)
{
    // A window the procedure has never seen: its record starts empty.
    HWND fresh = CreateWindowW(L"TesmirBareHtmlCanvas", L"fresh", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(fresh != nullptr);
    for (int code : {SB_THUMBTRACK, SB_THUMBPOSITION}) {
        SendMessageW(fresh, WM_VSCROLL, MAKEWPARAM(code, 50), 0);
        SendMessageW(fresh, WM_HSCROLL, MAKEWPARAM(code, 50), 0);
    }
    EXPECT_EQ(0, (int)SendMessageW(fresh, WM_HTML_GETVPOS, 0, 0));
    EXPECT_EQ(0, (int)SendMessageW(fresh, WM_HTML_GETHPOS, 0, 0));
    DestroyWindow(fresh);

    // An axis without a range on a sized window.
    SetDocument(kClientWidth * 2, 10);
    SendMessageW(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 60), 0);
    EXPECT_EQ(0, VPos());
}

TEST_F(HtmlCanvas, DragPansThePage)
{
    SetDocument(kClientWidth * 2, kClientHeight * 2);
    SendMessageW(m_hwnd, WM_HTML_SETHPOS, 0, 100);
    SendMessageW(m_hwnd, WM_HTML_SETVPOS, 0, 100);
    SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    ASSERT_EQ(m_hwnd, GetCapture());
    SendMessageW(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 30));
    EXPECT_EQ(70, HPos());
    EXPECT_EQ(120, VPos());
    SendMessageW(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 30));
    EXPECT_EQ(0, HPos());
    SendMessageW(m_hwnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 30));
    EXPECT_NE(m_hwnd, GetCapture());
    SendMessageW(m_hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(0, HPos());
    EXPECT_EQ(120, VPos());
    EXPECT_EQ(0, WrongPixels());
}

}  // namespace
