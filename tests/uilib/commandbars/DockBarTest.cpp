// The dock bars of the test frame with test bars of fixed sizes: the row a
// dropped bar joins, pushing, shrinking and wrapping within a row, stretched
// and line-filling bars, removal, the frame's measuring and placing passes,
// printing with the children, the context menu, and the manager's dock
// target under a point.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPCommandBarTracker.h"
#include "CVZPCommandBars.h"
#include "CVZPDockBar.h"
#include "CVZPToolBar.h"

#include <TestSupport.h>
#include <afxpriv.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::CDibCanvas;

namespace {

const int kClientWidth = 400;
const int kClientHeight = 300;
// The bars' own layout bit for hiding what does not fit.
const DWORD kModeHideOverflow = 0x80;

// A toolbar whose docked layout is given: it is m_nFull long along its dock
// bar (the whole length when stretched; with hide-overflow it shrinks to the
// length offered, down to m_nNarrow) and m_nThick across, or the thickness
// of its line when that is larger. It records every layout asked of it and
// paints itself in one colour.
class CDockTestBar : public CVZPToolBar
{
public:
    struct Layout
    {
        int nLength;
        DWORD dwMode;
        int nMinimum;
    };

    CDockTestBar(int nFull, int nThick, int nNarrow, DWORD dwExtraFlags, COLORREF color)
        : m_nFull(nFull), m_nThick(nThick), m_nNarrow(nNarrow), m_color(color)
    {
        SetFlags(0x1F | dwExtraFlags);
    }

    CSize CalcDockingLayout(int nLength, DWORD dwMode, int nMinimum) override
    {
        m_layouts.push_back({nLength, dwMode, nMinimum});
        int nAlong = m_nFull;
        if (dwMode & LM_STRETCH)
            nAlong = nLength;
        else if (dwMode & kModeHideOverflow)
            nAlong = std::max(m_nNarrow, std::min(m_nFull, nLength));
        const int nAcross = std::max(m_nThick, nMinimum);
        return (dwMode & LM_HORZDOCK) ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
    }
    BOOL IsVisible() const override { return m_bShown; }
    void DrawCommandBar(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(rc, m_color);
    }

    int m_nFull, m_nThick, m_nNarrow;
    COLORREF m_color;
    BOOL m_bShown = TRUE;
    std::vector<Layout> m_layouts;
};

// A manager that records the context menus asked of it.
class CContextMenuBars : public CVZPCommandBars
{
public:
    void ContextMenu(CVZPToolBar* pToolBar, int x, int y) override
    {
        m_menus.push_back(std::make_pair(pToolBar, CPoint(x, y)));
    }
    std::vector<std::pair<CVZPToolBar*, CPoint>> m_menus;
};

class DockBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        m_pCommandBars = m_pFrame->GetCommandBars();
        ASSERT_NE(nullptr, m_pCommandBars);
        // A client area of a known size, so that rows have a known length.
        CRect rc(0, 0, kClientWidth, kClientHeight);
        ::AdjustWindowRectEx(&rc, m_pFrame->GetStyle(), FALSE, m_pFrame->GetExStyle());
        m_pFrame->SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect rcClient;
        m_pFrame->GetClientRect(&rcClient);
        ASSERT_EQ(CSize(kClientWidth, kClientHeight), rcClient.Size());
        m_pTop = m_pCommandBars->GetDockBar(0);
        m_pLeft = m_pCommandBars->GetDockBar(2);
    }
    void TearDown() override
    {
        for (CDockTestBar* pBar : m_bars)
        {
            if (CVZPDockBar* pDockBar = pBar->GetDockBar())
                pDockBar->RemoveCommandBar(pBar);
            pBar->InternalRelease();
        }
        DestroyFrame(m_pFrame);
    }

    // A test bar with a window on the frame (away from the dock bars).
    CDockTestBar* MakeBar(int nFull, int nThick = 22, int nNarrow = 0, DWORD dwExtraFlags = 0,
                          COLORREF color = RGB(200, 40, 40))
    {
        CDockTestBar* pBar = new CDockTestBar(nFull, nThick, nNarrow, dwExtraFlags, color);
        pBar->SetCommandBars(m_pCommandBars);
        EXPECT_TRUE(CreateBarWindow(pBar, m_pFrame, CRect(150, 150, 160, 160)));
        m_bars.push_back(pBar);
        return pBar;
    }
    // Drops the bar with its window at rect, given in the dock bar's client
    // coordinates, as the drag tracker hands it over (screen coordinates).
    void Drop(CVZPDockBar* pDockBar, CVZPToolBar* pBar, CRect rect)
    {
        pDockBar->ClientToScreen(&rect);
        pDockBar->DockCommandBar(pBar, &rect);
    }
    void Layout() { m_pFrame->RecalcLayout(); }
    // The bar's window in its dock bar's client coordinates.
    static CRect BarRect(CVZPToolBar* pBar)
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        ::MapWindowPoints(NULL, ::GetParent(pBar->m_hWnd), (LPPOINT)&rect, 2);
        return rect;
    }
    static CRect WindowRectInFrame(CWnd* pWnd, CWnd* pFrame)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        pFrame->ScreenToClient(&rect);
        return rect;
    }
    // The dock bar's rows as the bars' names, "|" between rows.
    std::wstring Rows(CVZPDockBar* pDockBar, const std::map<CVZPToolBar*, wchar_t>& names) const
    {
        std::wstring text;
        EXPECT_EQ(nullptr, pDockBar->GetEntry(0));
        EXPECT_EQ(nullptr, pDockBar->GetEntry(pDockBar->GetEntryCount() - 1));
        for (int i = 1; i < pDockBar->GetEntryCount(); i++)
        {
            CVZPToolBar* pBar = pDockBar->GetEntry(i);
            auto it = names.find(pBar);
            text += pBar == NULL ? L'|' : it != names.end() ? it->second : L'?';
        }
        return text;
    }

    CTestFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPDockBar* m_pTop = NULL;
    CVZPDockBar* m_pLeft = NULL;
    std::vector<CDockTestBar*> m_bars;
};

TEST_F(DockBarTest, EmptyDockBarsTakeNoRoomAndKeepTheirEntriesBracketed)
{
    Layout();
    for (int i = 0; i < 4; i++)
    {
        CVZPDockBar* pDockBar = m_pCommandBars->GetDockBar(i);
        CRect rect = WindowRectInFrame(pDockBar, m_pFrame);
        EXPECT_EQ(0, pDockBar->IsHorizontal() ? rect.Height() : rect.Width()) << i;
        EXPECT_EQ(1, pDockBar->GetEntryCount());
        EXPECT_EQ(0, pDockBar->GetRowCount());
    }
    // The top dock bar spans the frame, the left one the height left over.
    EXPECT_EQ(CRect(0, 0, kClientWidth, 0), WindowRectInFrame(m_pTop, m_pFrame));
    EXPECT_EQ(CRect(0, 0, 0, kClientHeight), WindowRectInFrame(m_pLeft, m_pFrame));
    EXPECT_EQ(WS_CLIPSIBLINGS, m_pTop->GetStyle() & WS_CLIPSIBLINGS);
}

// Each drop lands in the row whose band holds the dropped rectangle's centre
// and keeps the place it was dropped at.
TEST_F(DockBarTest, DropsChooseTheirRowsByTheCentre)
{
    CDockTestBar* a = MakeBar(100);
    CDockTestBar* b = MakeBar(100);
    CDockTestBar* c = MakeBar(100);
    CDockTestBar* d = MakeBar(100);
    CDockTestBar* e = MakeBar(100);
    const std::map<CVZPToolBar*, wchar_t> names = {{a, L'A'}, {b, L'B'}, {c, L'C'}, {d, L'D'}, {e, L'E'}};
    const struct
    {
        const char* what;
        CDockTestBar* pBar;
        CRect rcDrop;
        const wchar_t* rows;
        CRect rcExpected;   // the dropped bar's place after the layout
        int nThickness;     // of the dock bar
    } drops[] = {
        {"first bar, empty dock bar", a, CRect(20, 0, 120, 22), L"A|", CRect(20, 0, 120, 22), 22},
        {"centre on the row joins it", b, CRect(200, 5, 300, 27), L"BA|", CRect(200, 0, 300, 22), 22},
        {"centre below all rows", c, CRect(50, 20, 150, 42), L"BA|C|", CRect(50, 22, 150, 44), 44},
        // Centre 22: exactly the first row's lower edge.
        {"centre on a row's lower edge", d, CRect(10, 11, 110, 33), L"BA|D|C|", CRect(10, 22, 110, 44), 66},
        {"centre above everything", e, CRect(300, -30, 400, -8), L"E|BA|D|C|", CRect(300, 0, 400, 22), 88},
        // Back into the first row from the last one: the old row goes.
        {"moving within the dock bar", c, CRect(120, -6, 220, 16), L"CE|BA|D|", CRect(120, 0, 220, 22), 66},
    };
    for (const auto& drop : drops)
    {
        SCOPED_TRACE(drop.what);
        Drop(m_pTop, drop.pBar, drop.rcDrop);
        Layout();
        EXPECT_EQ(drop.rows, Rows(m_pTop, names));
        EXPECT_EQ(drop.rcExpected, BarRect(drop.pBar));
        EXPECT_EQ(m_pTop, drop.pBar->GetDockBar());
        EXPECT_EQ(m_pTop->m_hWnd, ::GetParent(drop.pBar->m_hWnd));
        EXPECT_EQ(drop.rcDrop, drop.pBar->m_pTracker->m_rcDocked);
        EXPECT_EQ(drop.nThickness, WindowRectInFrame(m_pTop, m_pFrame).Height());
    }
    EXPECT_EQ(CRect(20, 22, 120, 44), BarRect(a));   // the second row now

    // Dropping a bar at the place its window has changes nothing.
    CRect rcWindow;
    a->GetWindowRect(&rcWindow);
    m_pTop->DockCommandBar(a, &rcWindow);
    EXPECT_EQ(L"CE|BA|D|", Rows(m_pTop, names));
    EXPECT_EQ(CRect(20, 0, 120, 22), a->m_pTracker->m_rcDocked);
    m_pTop->DockCommandBar(a, NULL);
    EXPECT_EQ(L"CE|BA|D|", Rows(m_pTop, names));

    // Into the left dock bar: out of the top one, and its row with it.
    Drop(m_pLeft, d, CRect(0, 40, 22, 140));
    Layout();
    EXPECT_EQ(L"CE|BA|", Rows(m_pTop, names));
    EXPECT_EQ(L"D|", Rows(m_pLeft, names));
    EXPECT_EQ(m_pLeft, d->GetDockBar());
    EXPECT_EQ(m_pLeft->m_hWnd, ::GetParent(d->m_hWnd));
    EXPECT_EQ(44, WindowRectInFrame(m_pTop, m_pFrame).Height());
    EXPECT_EQ(CRect(0, 44, 22, kClientHeight), WindowRectInFrame(m_pLeft, m_pFrame));
    EXPECT_EQ(2, d->m_pTracker->m_nDockIndex);
    EXPECT_EQ(0, a->m_pTracker->m_nDockIndex);

    // Appending without a place: a new last row and no remembered place.
    m_pTop->DockCommandBar(d, NULL);
    Layout();
    EXPECT_EQ(L"CE|BA|D|", Rows(m_pTop, names));
    EXPECT_EQ(L"", Rows(m_pLeft, names));
    EXPECT_TRUE(d->m_pTracker->m_rcDocked.IsRectEmpty());
    EXPECT_EQ(CRect(0, 44, 100, 66), BarRect(d));
}

// On screen: the frame's client area starts below the top dock bar's rows
// and right of the left dock bar's, and each bar paints at its place.
TEST_F(DockBarTest, FrameShowsItsDockedBarsAlongItsEdges)
{
    CDockTestBar* pMenu = MakeBar(100, 20, 0, 0x40, RGB(90, 90, 160));
    CDockTestBar* a = MakeBar(120, 24, 0, 0, RGB(200, 40, 40));
    CDockTestBar* b = MakeBar(90, 24, 0, 0, RGB(40, 160, 40));
    CDockTestBar* c = MakeBar(150, 24, 0, 0, RGB(220, 160, 0));
    m_pTop->DockCommandBar(pMenu, NULL);
    Layout();
    Drop(m_pTop, a, CRect(0, 20, 120, 44));
    Layout();
    Drop(m_pTop, b, CRect(200, 20, 290, 44));
    Drop(m_pLeft, c, CRect(0, 30, 24, 180));
    Layout();
    m_pFrame->ShowWindow(SW_SHOWNA);
    m_pFrame->UpdateWindow();
    ASSERT_TRUE(tesmir::test::PumpUntil([&] { return ::IsWindowVisible(m_pFrame->m_hWnd) != FALSE; }));

    CDibCanvas canvas(kClientWidth, kClientHeight);
    const COLORREF kMagenta = RGB(255, 0, 255);
    canvas.Fill(kMagenta);
    ASSERT_TRUE(tesmir::test::PumpUntil([&] {
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        tesmir::test::CaptureWindow(m_pFrame->m_hWnd, canvas);
        return canvas.Pixel(150, 10) == RGB(90, 90, 160);
    }));
    canvas.SaveBmp(ScreenshotPath(L"commandbars_dockbar_frame.bmp"));
    EXPECT_EQ(CRect(0, 0, kClientWidth, 44), WindowRectInFrame(m_pTop, m_pFrame));
    EXPECT_EQ(CRect(0, 44, 24, kClientHeight), WindowRectInFrame(m_pLeft, m_pFrame));
    const struct
    {
        CPoint pt;
        COLORREF color;
    } pixels[] = {
        {CPoint(0, 0), RGB(90, 90, 160)},      {CPoint(kClientWidth - 1, 19), RGB(90, 90, 160)},
        {CPoint(0, 20), RGB(200, 40, 40)},     {CPoint(119, 43), RGB(200, 40, 40)},
        {CPoint(200, 20), RGB(40, 160, 40)},   {CPoint(289, 43), RGB(40, 160, 40)},
        {CPoint(0, 44 + 30), RGB(220, 160, 0)}, {CPoint(23, 44 + 179), RGB(220, 160, 0)},
    };
    for (const auto& pixel : pixels)
        EXPECT_EQ(pixel.color, canvas.Pixel(pixel.pt.x, pixel.pt.y)) << pixel.pt.x << "," << pixel.pt.y;
    // Between the bars the dock bar's own fill shows.
    const COLORREF gap = canvas.Pixel(150, 30);
    EXPECT_NE(RGB(200, 40, 40), gap);
    EXPECT_NE(RGB(40, 160, 40), gap);
    EXPECT_NE(kMagenta, gap);
    EXPECT_EQ(gap, canvas.Pixel(10, 44 + 10));
}

// Rows in a vertical dock bar run top to bottom and follow each other to the
// right; the centre's x chooses the row.
TEST_F(DockBarTest, LeftDockBarChoosesRowsByTheCentresX)
{
    CDockTestBar* a = MakeBar(100, 24);
    CDockTestBar* b = MakeBar(80, 24);
    CDockTestBar* c = MakeBar(60, 24);
    const std::map<CVZPToolBar*, wchar_t> names = {{a, L'A'}, {b, L'B'}, {c, L'C'}};
    const struct
    {
        CDockTestBar* pBar;
        CRect rcDrop;
        const wchar_t* rows;
        CRect rcExpected;
    } drops[] = {
        {a, CRect(-10, 30, 14, 130), L"A|", CRect(0, 30, 24, 130)},
        {b, CRect(12, 200, 36, 280), L"A|B|", CRect(24, 200, 48, 280)},   // centre x 24: A's right edge
        {c, CRect(0, 150, 24, 210), L"CA|B|", CRect(0, 150, 24, 210)},
    };
    for (const auto& drop : drops)
    {
        Drop(m_pLeft, drop.pBar, drop.rcDrop);
        Layout();
        EXPECT_EQ(drop.rows, Rows(m_pLeft, names));
        EXPECT_EQ(drop.rcExpected, BarRect(drop.pBar));
    }
    EXPECT_EQ(CRect(0, 0, 48, kClientHeight), WindowRectInFrame(m_pLeft, m_pFrame));
    // Every layout of a vertical dock bar is a vertical one.
    for (const auto& layout : a->m_layouts)
        EXPECT_EQ((DWORD)LM_VERTDOCK, layout.dwMode & (LM_VERTDOCK | LM_HORZDOCK | LM_HORZ));
}

// Bars of one row that overlap: the one listed earlier in the row (the one
// dropped last) keeps its place, the other is pushed right, or back left at
// the far end; nothing starts before the dock bar.
TEST_F(DockBarTest, OverlappingBarsArePushedAside)
{
    const struct
    {
        const char* what;
        int nFirst, nSecond;            // drop places of two 100-long bars, in order
        int nFirstAfter, nSecondAfter;
    } cases[] = {
        {"second overlaps the first's right part", 100, 150, 50, 150},
        {"second overlaps the first's left part", 100, 50, 150, 50},
        {"second beyond the far end", 250, 330, 200, 300},
        {"second before the start", 0, -40, 100, 0},
        {"apart", 0, 200, 0, 200},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.what);
        CDockTestBar* pFirst = MakeBar(100);
        CDockTestBar* pSecond = MakeBar(100);
        Drop(m_pTop, pFirst, CRect(test.nFirst, 0, test.nFirst + 100, 22));
        Layout();
        Drop(m_pTop, pSecond, CRect(test.nSecond, 0, test.nSecond + 100, 22));
        Layout();
        EXPECT_EQ(1, m_pTop->GetRowCount());
        EXPECT_EQ(CRect(test.nFirstAfter, 0, test.nFirstAfter + 100, 22), BarRect(pFirst));
        EXPECT_EQ(CRect(test.nSecondAfter, 0, test.nSecondAfter + 100, 22), BarRect(pSecond));
        m_pTop->RemoveCommandBar(pFirst);
        m_pTop->RemoveCommandBar(pSecond);
    }
}

// A row too short for its bars: bars that hide their overflow shrink, down
// to their narrowest shape; when that is not enough the last bar goes to a
// line of its own and the dock bar grows by it. Bars that cannot shrink need
// the whole length.
TEST_F(DockBarTest, ShortRowsShrinkAndWrap)
{
    const struct
    {
        const char* what;
        int nNarrow;                 // 0: the bars do not hide their overflow
        int nBars;                   // 250 long, dropped at 0, 200 and 300
        CRect rcExpected[3];
        int nThickness;
    } cases[] = {
        {"all shrink, two to their narrowest", 120, 3,
         {CRect(0, 0, 160, 22), CRect(160, 0, 280, 22), CRect(280, 0, 400, 22)}, 22},
        {"two shrink, the last wraps", 150, 3,
         {CRect(0, 0, 200, 22), CRect(200, 0, 400, 22), CRect(150, 22, 400, 44)}, 44},
        {"bars that cannot shrink wrap", 0, 2, {CRect(0, 0, 250, 22), CRect(150, 22, 400, 44)}, 44},
    };
    const int drops[] = {0, 200, 300};
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.what);
        std::vector<CDockTestBar*> bars;
        for (int i = 0; i < test.nBars; i++)
        {
            bars.push_back(MakeBar(250, 22, test.nNarrow, test.nNarrow != 0 ? 0x20 : 0));
            Drop(m_pTop, bars.back(), CRect(drops[i], 0, drops[i] + 250, 22));
            Layout();
        }
        EXPECT_EQ(1, m_pTop->GetRowCount());
        for (int i = 0; i < test.nBars; i++)
            EXPECT_EQ(test.rcExpected[i], BarRect(bars[i])) << i;
        EXPECT_EQ(test.nThickness, WindowRectInFrame(m_pTop, m_pFrame).Height());
        // The narrowest shape is asked for with length 1, and the final
        // layouts are committed.
        if (test.nNarrow != 0)
        {
            const auto& layouts = bars[0]->m_layouts;
            EXPECT_TRUE(std::any_of(layouts.begin(), layouts.end(), [](const CDockTestBar::Layout& layout) {
                return layout.nLength == 1 && (layout.dwMode & kModeHideOverflow) != 0;
            }));
        }
        EXPECT_TRUE((bars[0]->m_layouts.back().dwMode & LM_COMMIT) != 0);
        for (CDockTestBar* pBar : bars)
            m_pTop->RemoveCommandBar(pBar);
    }
}

// Bars of one line get its thickness across: the committed layout is asked
// with the line's thickness as its minimum.
TEST_F(DockBarTest, BarsOfALineShareItsThickness)
{
    CDockTestBar* pThin = MakeBar(100, 22);
    CDockTestBar* pThick = MakeBar(100, 30);
    Drop(m_pTop, pThin, CRect(0, 0, 100, 22));
    Layout();
    Drop(m_pTop, pThick, CRect(150, 0, 250, 30));
    Layout();
    EXPECT_EQ(1, m_pTop->GetRowCount());
    EXPECT_EQ(CRect(0, 0, 100, 30), BarRect(pThin));
    EXPECT_EQ(CRect(150, 0, 250, 30), BarRect(pThick));
    const CDockTestBar::Layout& last = pThin->m_layouts.back();
    EXPECT_EQ((DWORD)(LM_HORZ | LM_HORZDOCK | LM_COMMIT), last.dwMode);
    EXPECT_EQ(30, last.nMinimum);
    EXPECT_EQ(100, last.nLength);
    EXPECT_EQ(30, WindowRectInFrame(m_pTop, m_pFrame).Height());
}

// A stretched bar (the menu bar) has a row of its own over the whole length;
// a bar that fills its line takes the room between its neighbours.
TEST_F(DockBarTest, StretchedBarsOwnTheirRowsAndFillingBarsTakeTheFreeRoom)
{
    CDockTestBar* a = MakeBar(100);
    CDockTestBar* pMenu = MakeBar(100, 20, 0, 0x40);
    CDockTestBar* b = MakeBar(100);
    CDockTestBar* pFill = MakeBar(50, 22, 0, 0x100000);
    const std::map<CVZPToolBar*, wchar_t> names = {{a, L'A'}, {pMenu, L'M'}, {b, L'B'}, {pFill, L'F'}};
    Drop(m_pTop, a, CRect(0, 0, 100, 22));
    Layout();
    Drop(m_pTop, pMenu, CRect(150, 0, 250, 20));   // centre on A's row
    EXPECT_EQ(L"M|A|", Rows(m_pTop, names));
    Layout();
    Drop(m_pTop, b, CRect(300, 20, 400, 42));      // centre on A's row
    Drop(m_pTop, pFill, CRect(180, 20, 230, 42));
    EXPECT_EQ(L"M|FBA|", Rows(m_pTop, names));
    Layout();
    EXPECT_EQ(CRect(0, 0, kClientWidth, 20), BarRect(pMenu));
    EXPECT_EQ((DWORD)(LM_HORZ | LM_HORZDOCK | LM_STRETCH | LM_COMMIT), pMenu->m_layouts.back().dwMode);
    EXPECT_EQ(CRect(0, 20, 100, 42), BarRect(a));
    EXPECT_EQ(CRect(100, 20, 300, 42), BarRect(pFill));
    EXPECT_EQ(CRect(300, 20, 400, 42), BarRect(b));
    EXPECT_EQ((DWORD)(LM_HORZ | LM_HORZDOCK | LM_STRETCH | LM_COMMIT), pFill->m_layouts.back().dwMode);
    EXPECT_EQ(42, WindowRectInFrame(m_pTop, m_pFrame).Height());
}

TEST_F(DockBarTest, RemovingTheOnlyBarOfARowRemovesTheRow)
{
    CDockTestBar* a = MakeBar(100);
    CDockTestBar* b = MakeBar(100);
    CDockTestBar* c = MakeBar(100);
    const std::map<CVZPToolBar*, wchar_t> names = {{a, L'A'}, {b, L'B'}, {c, L'C'}};
    Drop(m_pTop, a, CRect(0, 0, 100, 22));
    Layout();
    Drop(m_pTop, b, CRect(0, 22, 100, 44));
    Layout();
    Drop(m_pTop, c, CRect(200, 22, 300, 44));
    Layout();
    EXPECT_EQ(L"A|CB|", Rows(m_pTop, names));
    EXPECT_EQ(1, m_pTop->FindBar(a));
    EXPECT_EQ(-1, m_pTop->FindBar(a, 1));

    m_pTop->RemoveCommandBar(a);
    EXPECT_EQ(L"CB|", Rows(m_pTop, names));
    EXPECT_EQ(nullptr, a->GetDockBar());
    EXPECT_EQ(-1, m_pTop->FindBar(a));
    Layout();
    EXPECT_EQ(CRect(0, 0, 100, 22), BarRect(b));
    EXPECT_EQ(22, WindowRectInFrame(m_pTop, m_pFrame).Height());

    m_pTop->RemoveCommandBar(b);
    EXPECT_EQ(L"C|", Rows(m_pTop, names));
    m_pTop->RemoveCommandBar(c);
    EXPECT_EQ(1, m_pTop->GetEntryCount());
    // A bar that is not here changes nothing.
    m_pTop->RemoveCommandBar(c);
    EXPECT_EQ(1, m_pTop->GetEntryCount());
    Layout();
    EXPECT_EQ(0, WindowRectInFrame(m_pTop, m_pFrame).Height());
}

// Hidden bars take no room and do not widen the band of their row; the row's
// visible bars come out in the order of their windows.
TEST_F(DockBarTest, HiddenBarsAreLeftOutOfRowsAndTheirBands)
{
    CDockTestBar* a = MakeBar(100);
    CDockTestBar* b = MakeBar(100, 40);
    CDockTestBar* c = MakeBar(100);
    Drop(m_pTop, a, CRect(200, 0, 300, 22));
    Layout();
    Drop(m_pTop, b, CRect(0, 0, 100, 40));
    Drop(m_pTop, c, CRect(100, 0, 200, 22));
    Layout();
    CArray<CVZPToolBar*, CVZPToolBar*> row;
    m_pTop->GetVisibleBarsInRow(m_pTop->FindBar(a), row);
    ASSERT_EQ(3, row.GetSize());
    EXPECT_EQ(b, row[0]);
    EXPECT_EQ(c, row[1]);
    EXPECT_EQ(a, row[2]);
    EXPECT_EQ(40, WindowRectInFrame(m_pTop, m_pFrame).Height());

    b->m_bShown = FALSE;
    b->ShowWindow(SW_HIDE);
    row.RemoveAll();
    m_pTop->GetVisibleBarsInRow(m_pTop->FindBar(c), row);
    ASSERT_EQ(2, row.GetSize());
    EXPECT_EQ(c, row[0]);
    Layout();
    EXPECT_EQ(22, WindowRectInFrame(m_pTop, m_pFrame).Height());
    // Centre 30: below the row now that the thick bar is hidden.
    CDockTestBar* d = MakeBar(100);
    Drop(m_pTop, d, CRect(0, 19, 100, 41));
    EXPECT_EQ(2, m_pTop->GetRowCount());

    for (CDockTestBar* pBar : {a, c, d})
    {
        pBar->m_bShown = FALSE;
        pBar->ShowWindow(SW_HIDE);
    }
    Layout();
    EXPECT_EQ(0, WindowRectInFrame(m_pTop, m_pFrame).Height());
}

TEST_F(DockBarTest, LayoutModeFollowsDirectionStretchAndOverflow)
{
    const struct
    {
        BOOL bHorz;
        DWORD dwFlags;
        DWORD dwMode;
    } cases[] = {
        {TRUE, 0, LM_HORZ | LM_HORZDOCK},
        {FALSE, 0, LM_VERTDOCK},
        {TRUE, 0x40, LM_HORZ | LM_HORZDOCK | LM_STRETCH},
        {FALSE, 0x20, LM_VERTDOCK | kModeHideOverflow},
        {TRUE, 0x60 | 0x100000, LM_HORZ | LM_HORZDOCK | LM_STRETCH | kModeHideOverflow},
    };
    CDockTestBar* pBar = MakeBar(100);
    for (const auto& test : cases)
    {
        pBar->SetFlags(0x1F | test.dwFlags);
        EXPECT_EQ(test.dwMode, m_pTop->GetLayoutMode(test.bHorz, pBar)) << test.dwFlags;
    }
}

// A measuring pass of the frame (WM_SIZEPARENT without a deferred-positioning
// handle) reports the room the rows need and moves no window; a hidden dock
// bar neither takes room nor moves its bars.
TEST_F(DockBarTest, MeasuringPassMovesNoWindow)
{
    CDockTestBar* a = MakeBar(100);
    CDockTestBar* b = MakeBar(100);
    Drop(m_pTop, a, CRect(0, 0, 100, 22));
    Layout();
    Drop(m_pTop, b, CRect(50, 30, 150, 52));
    const CRect rcB = WindowRectInFrame(b, m_pFrame);
    const CRect rcA = WindowRectInFrame(a, m_pFrame);

    CRect rcLeft;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcLeft);
    EXPECT_EQ(44, rcLeft.top);
    EXPECT_EQ(22, WindowRectInFrame(m_pTop, m_pFrame).Height());
    EXPECT_EQ(rcA, WindowRectInFrame(a, m_pFrame));
    EXPECT_EQ(rcB, WindowRectInFrame(b, m_pFrame));

    Layout();
    EXPECT_EQ(44, WindowRectInFrame(m_pTop, m_pFrame).Height());
    EXPECT_EQ(CRect(50, 22, 150, 44), BarRect(b));

    // A hidden dock bar takes no room and lays none of its bars out.
    m_pTop->ShowWindow(SW_HIDE);
    Drop(m_pTop, b, CRect(250, 0, 350, 22));
    Layout();
    EXPECT_EQ(0, WindowRectInFrame(m_pLeft, m_pFrame).top);
    EXPECT_EQ(CRect(50, 22, 150, 44), BarRect(b));
}

// Printing with the children puts each visible bar at its place within the
// dock bar, relative to where the caller placed the dock bar in the DC.
TEST_F(DockBarTest, PrintsItselfAndItsVisibleBars)
{
    CDockTestBar* a = MakeBar(100, 22, 0, 0, RGB(200, 40, 40));
    CDockTestBar* b = MakeBar(120, 22, 0, 0, RGB(40, 160, 40));
    CDockTestBar* c = MakeBar(80, 22, 0, 0, RGB(40, 40, 200));
    Drop(m_pTop, a, CRect(10, 0, 110, 22));
    Layout();
    Drop(m_pTop, b, CRect(200, 0, 320, 22));
    Layout();
    Drop(m_pTop, c, CRect(30, 22, 110, 44));
    Layout();
    c->m_bShown = FALSE;
    c->ShowWindow(SW_HIDE);

    const COLORREF kPaper = RGB(255, 0, 255);
    CDibCanvas background(kClientWidth + 20, 60, kPaper);
    CDibCanvas canvas(kClientWidth + 20, 60, kPaper);
    ::SetViewportOrgEx(background.Dc(), 10, 5, NULL);
    ::SetViewportOrgEx(canvas.Dc(), 10, 5, NULL);
    EXPECT_EQ(1, m_pTop->SendMessage(WM_PRINT, (WPARAM)background.Dc(), PRF_CLIENT));
    EXPECT_EQ(1, m_pTop->SendMessage(WM_PRINT, (WPARAM)canvas.Dc(), PRF_CLIENT | PRF_CHILDREN));
    POINT ptOrigin;
    ::GetViewportOrgEx(canvas.Dc(), &ptOrigin);
    EXPECT_EQ(CPoint(10, 5), CPoint(ptOrigin));
    canvas.SaveBmp(ScreenshotPath(L"commandbars_dockbar_print.bmp"));

    // The dock bar's own fill covers its client area, the paper stays around.
    const COLORREF fill = background.Pixel(10 + 150, 5 + 30);
    EXPECT_NE(kPaper, fill);
    EXPECT_EQ(kPaper, background.Pixel(5, 2));
    EXPECT_EQ(kPaper, background.Pixel(10 + 150, 5 + 44));
    // The bars on it, the hidden one left out.
    EXPECT_EQ(100 * 22, canvas.Count(CRect(20, 5, 120, 27), RGB(200, 40, 40)));
    EXPECT_EQ(120 * 22, canvas.Count(CRect(210, 5, 330, 27), RGB(40, 160, 40)));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, canvas.Width(), canvas.Height()), RGB(40, 40, 200)));
    EXPECT_EQ(fill, canvas.Pixel(10 + 150, 5 + 10));
    EXPECT_EQ(fill, canvas.Pixel(10 + 50, 5 + 30));

    // Not a DC: answered, nothing drawn.
    EXPECT_EQ(1, m_pTop->SendMessage(WM_PRINT, 0, PRF_CLIENT | PRF_CHILDREN));
    EXPECT_EQ(1, m_pTop->SendMessage(WM_ERASEBKGND, (WPARAM)canvas.Dc(), 0));
}

TEST_F(DockBarTest, RightButtonAsksTheManagerForTheContextMenu)
{
    CContextMenuBars* pCommandBars = new CContextMenuBars;
    CVZPDockBar* pDockBar = new CVZPDockBar(pCommandBars);
    ASSERT_TRUE(pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 4321));
    pDockBar->SetWindowPos(NULL, 0, 100, 200, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    pDockBar->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(15, 7));
    ASSERT_EQ(1u, pCommandBars->m_menus.size());
    CPoint pt(15, 7);
    pDockBar->ClientToScreen(&pt);
    EXPECT_EQ(nullptr, pCommandBars->m_menus[0].first);
    EXPECT_EQ(pt, pCommandBars->m_menus[0].second);
    delete pDockBar;
    pCommandBars->InternalRelease();
}

TEST_F(DockBarTest, PositionFollowsTheAlignmentAndBorderBits)
{
    const struct
    {
        DWORD dwStyle;
        int nPosition;
        BOOL bHorz;
    } cases[] = {
        {CBRS_ALIGN_TOP, 0, TRUE},      {CBRS_BORDER_BOTTOM, 0, FALSE}, {CBRS_ALIGN_BOTTOM, 1, TRUE},
        {CBRS_BORDER_TOP, 1, FALSE},    {CBRS_ALIGN_LEFT, 2, FALSE},    {CBRS_BORDER_RIGHT, 2, FALSE},
        {CBRS_ALIGN_RIGHT, 3, FALSE},   {0, 3, FALSE},
    };
    for (const auto& test : cases)
    {
        CVZPDockBar dockBar(m_pCommandBars);
        ASSERT_TRUE(dockBar.Create(m_pFrame, WS_CHILD | test.dwStyle, 4321));
        EXPECT_EQ(test.nPosition, dockBar.GetPosition()) << test.dwStyle;
        EXPECT_EQ(test.bHorz, dockBar.IsHorizontal()) << test.dwStyle;
        EXPECT_EQ(test.dwStyle, dockBar.GetBarStyle());
    }
}

// The manager's dock target: within 20 pixels of a dock bar's window, the
// current dock bar first, then in index order.
TEST_F(DockBarTest, DockTargetIsTestedAroundEachDockBar)
{
    CDockTestBar* a = MakeBar(100);
    Drop(m_pTop, a, CRect(0, 0, 100, 22));
    Layout();
    CRect rcTop;
    m_pTop->GetWindowRect(&rcTop);
    ASSERT_EQ(22, rcTop.Height());
    const int xMiddle = rcTop.left + 200;
    const struct
    {
        CPoint pt;
        CVZPDockBar* pCurrent;
        CVZPDockBar* pExpected;
    } cases[] = {
        {CPoint(xMiddle, rcTop.top + 10), NULL, m_pTop},
        {CPoint(xMiddle, rcTop.bottom + 19), NULL, m_pTop},
        {CPoint(xMiddle, rcTop.bottom + 20), NULL, NULL},
        {CPoint(xMiddle, rcTop.top - 20), NULL, NULL},
        {CPoint(rcTop.right + 19, rcTop.top), NULL, m_pTop},
        // Near both the top and the left dock bar.
        {CPoint(rcTop.left + 5, rcTop.bottom + 5), NULL, m_pTop},
        {CPoint(rcTop.left + 5, rcTop.bottom + 5), m_pLeft, m_pLeft},
        {CPoint(xMiddle, rcTop.bottom + 5), m_pLeft, m_pTop},
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.pExpected, m_pCommandBars->CanDock(test.pt, test.pCurrent))
            << test.pt.x << "," << test.pt.y;
}

}  // namespace
