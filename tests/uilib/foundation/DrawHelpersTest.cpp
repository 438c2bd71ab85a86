// The free helpers, rectangles, monitor work areas and the splitter tracker.
#include <gtest/gtest.h>

#include "CVZPColorManager.h"
#include "CVZPMonitorApi.h"
#include "CVZPResizeTracker.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "VZPDrawHelpers.h"
#include "VZPRects.h"

#include <string>

using tesmir::test::CDibCanvas;
using tesmir::test::Utf8;

namespace {

class CCanvasDC : public CDC
{
public:
    explicit CCanvasDC(CDibCanvas& canvas) { Attach(canvas.Dc()); }
    ~CCanvasDC() override { Detach(); }
};

int CALLBACK FirstFaceProc(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    if (pLogFont->lfFaceName[0] == L'@')
        return 1;   // vertical variants share the face
    *reinterpret_cast<std::wstring*>(lParam) = pLogFont->lfFaceName;
    return 0;
}

// A hidden top-level window of the framework's default class.
struct CTestWindow : CWnd
{
    explicit CTestWindow(DWORD dwExStyle = 0, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        CreateEx(dwExStyle, AfxRegisterWndClass(0), L"helpers", dwStyle, 200, 150, 400, 300, NULL, NULL);
    }
    ~CTestWindow() override
    {
        if (::IsWindow(m_hWnd))
            DestroyWindow();
    }
};

}  // namespace

TEST(DrawHelpers, AmpersandStrippers)
{
    struct Case
    {
        const wchar_t* text;
        const wchar_t* mnemonic;   // StripMnemonicAmpersands
        const wchar_t* single;     // StripSingleAmpersands
    };
    const Case cases[] = {
        { L"&File", L"File", L"File" },
        { L"a&&b", L"a&b", L"a&&b" },
        { L"end&", L"end", L"end&" },
        { L"&&", L"&", L"&&" },
        { L"Save &As&&Close", L"Save As&Close", L"Save As&&Close" },
        { L"", L"", L"" },
    };
    for (const Case& c : cases)
    {
        CString strMnemonic(c.text);
        StripMnemonicAmpersands(strMnemonic);
        EXPECT_STREQ(c.mnemonic, strMnemonic) << Utf8(c.text);
        CString strSingle(c.text);
        StripSingleAmpersands(strSingle);
        EXPECT_STREQ(c.single, strSingle) << Utf8(c.text);
    }
}

TEST(DrawHelpers, CheckerPatternAlternatesFaceAndHighlight)
{
    const COLORREF clrFace = GetColorManager()->GetColor(COLOR_BTNFACE);
    const COLORREF clrLight = GetColorManager()->GetColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(clrFace, clrLight);
    CDibCanvas canvas(20, 20, RGB(1, 2, 3));
    CCanvasDC dc(canvas);
    const COLORREF clrText = dc.SetTextColor(RGB(9, 9, 9));
    DrawCheckerPattern(&dc, CRect(2, 2, 18, 18));
    EXPECT_EQ(RGB(9, 9, 9), dc.GetTextColor());
    dc.SetTextColor(clrText);
    EXPECT_EQ(16 * 16 / 2, canvas.Count(CRect(2, 2, 18, 18), clrFace));
    EXPECT_EQ(16 * 16 / 2, canvas.Count(CRect(2, 2, 18, 18), clrLight));
    for (int y = 2; y < 18; y++)
        for (int x = 2; x < 17; x++)
            ASSERT_NE(canvas.Pixel(x, y), canvas.Pixel(x + 1, y)) << x << "," << y;
    for (int x = 2; x < 18; x++)
        ASSERT_NE(canvas.Pixel(x, 2), canvas.Pixel(x, 3)) << x;
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(1, 1));
}

TEST(DrawHelpers, FilledTriangle)
{
    CDibCanvas canvas(40, 40, RGB(255, 255, 255));
    CCanvasDC dc(canvas);
    const HGDIOBJ hPen = ::GetCurrentObject(dc, OBJ_PEN);
    DrawFilledTriangle(&dc, CPoint(10, 10), CPoint(30, 10), CPoint(20, 20), RGB(200, 0, 0));
    EXPECT_EQ(hPen, ::GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(10, 10));   // vertex, drawn by the pen
    EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(20, 13));   // inside
    EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(20, 20));   // lower vertex
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20, 22));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(12, 18));
}

TEST(DrawHelpers, LowColourDisplaySeam)
{
    // Xvfb runs at 24 bits (32 for Wine).
    EXPECT_FALSE(IsLowColorDisplay(NULL));
    SetLowColorDisplayForTest(1);
    EXPECT_TRUE(IsLowColorDisplay(NULL));
    SetLowColorDisplayForTest(0);
    EXPECT_FALSE(IsLowColorDisplay(NULL));
    SetLowColorDisplayForTest(-1);
}

TEST(DrawHelpers, FontExistsForAnEnumeratedFace)
{
    std::wstring strFace;
    HDC hDC = ::GetDC(NULL);
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(hDC, &lf, FirstFaceProc, reinterpret_cast<LPARAM>(&strFace), 0);
    ::ReleaseDC(NULL, hDC);
    ASSERT_FALSE(strFace.empty());
    EXPECT_TRUE(FontExists(strFace.c_str())) << Utf8(strFace);
    CString strUpper(strFace.c_str());
    strUpper.MakeUpper();
    EXPECT_TRUE(FontExists(strUpper)) << Utf8(strFace);
    EXPECT_FALSE(FontExists(L"No Such Face Zq7"));
    EXPECT_FALSE(FontExists(L""));

    // The face chosen for the user interface is one of the three the rule
    // names, and one that exists.
    LOGFONTW lfStock = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfStock), &lfStock);
    for (BOOL bPreferTahoma : { FALSE, TRUE })
    {
        const CString strChosen = ChooseUiFontFace(bPreferTahoma);
        EXPECT_TRUE(strChosen == lfStock.lfFaceName || strChosen == L"Arial" ||
                    (bPreferTahoma && strChosen == L"Tahoma"))
            << Utf8(std::wstring(strChosen));
        if (!FontExists(L"Arial"))
        {
            EXPECT_STREQ(lfStock.lfFaceName, strChosen);
        }
    }
}

TEST(DrawHelpers, MirrorArrowKeysOnlyForRightToLeftWindows)
{
    CTestWindow ltr;
    CTestWindow rtl(WS_EX_LAYOUTRTL);
    ASSERT_TRUE(::IsWindow(rtl.m_hWnd));
    UINT nKey = VK_LEFT;
    MirrorArrowKeyForRtl(&ltr, &nKey);
    EXPECT_EQ(UINT(VK_LEFT), nKey);
    MirrorArrowKeyForRtl(&rtl, &nKey);
    EXPECT_EQ(UINT(VK_RIGHT), nKey);
    MirrorArrowKeyForRtl(&rtl, &nKey);
    EXPECT_EQ(UINT(VK_LEFT), nKey);
    nKey = VK_UP;
    MirrorArrowKeyForRtl(&rtl, &nKey);
    EXPECT_EQ(UINT(VK_UP), nKey);
    MirrorArrowKeyForRtl(NULL, &nKey);
    EXPECT_EQ(UINT(VK_UP), nKey);
}

TEST(DrawHelpers, RectanglesFromWindows)
{
    CTestWindow wnd;
    CRect rcWindow, rcClient;
    ::GetWindowRect(wnd.m_hWnd, rcWindow);
    ::GetClientRect(wnd.m_hWnd, rcClient);
    EXPECT_TRUE(CVZPWindowAreaRect(&wnd).EqualRect(rcWindow));
    EXPECT_TRUE(CVZPWindowAreaRect(wnd.m_hWnd).EqualRect(rcWindow));
    EXPECT_TRUE(CVZPClientAreaRect(&wnd).EqualRect(rcClient));
    EXPECT_TRUE(CVZPWindowAreaRect(static_cast<const CWnd*>(NULL)).IsRectEmpty());
    EXPECT_TRUE(CVZPClientAreaRect(NULL).IsRectEmpty());
    EXPECT_TRUE(CVZPBlankRect().IsRectEmpty());
    const RECT rc = { 1, 2, 3, 4 };
    EXPECT_TRUE(ConstructRectCopy(rc).EqualRect(&rc));

    ASSERT_TRUE(::SetCursorPos(rcWindow.left + 50, rcWindow.top + 60));
    CPoint pt(rcWindow.left + 50, rcWindow.top + 60);
    ::ScreenToClient(wnd.m_hWnd, &pt);
    EXPECT_EQ(pt, CVZPClientCursorPos(&wnd));

    HWND hWnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_TRUE(CVZPWindowAreaRect(hWnd).IsRectEmpty());
}

TEST(DrawHelpers, TopParentActiveFollowsTheForeground)
{
    CTestWindow top(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, L"child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
    ::SetForegroundWindow(top.m_hWnd);
    ASSERT_TRUE(tesmir::test::PumpUntil([&] { return ::GetForegroundWindow() == top.m_hWnd; }));
    EXPECT_TRUE(IsTopParentActive(child.m_hWnd));
    EXPECT_TRUE(IsTopParentActive(top.m_hWnd));

    CTestWindow other(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ::SetForegroundWindow(other.m_hWnd);
    ASSERT_TRUE(tesmir::test::PumpUntil([&] { return ::GetForegroundWindow() == other.m_hWnd; }));
    EXPECT_FALSE(IsTopParentActive(child.m_hWnd));
}

TEST(MonitorApi, WorkAreasWithAndWithoutTheMonitorFunctions)
{
    CRect rcPrimary;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcPrimary, 0));
    CTestWindow wnd;
    const CRect rcOnScreen(10, 10, 60, 60);
    for (BOOL bMissing : { FALSE, TRUE })
    {
        CVZPMonitorApi::SetMissingForTest(bMissing);
        EXPECT_TRUE(GetWorkAreaForRect(rcOnScreen).EqualRect(rcPrimary)) << bMissing;
        EXPECT_TRUE(GetWorkAreaForPoint(CPoint(20, 20)).EqualRect(rcPrimary)) << bMissing;
        EXPECT_TRUE(GetWorkAreaForWindow(&wnd).EqualRect(rcPrimary)) << bMissing;
        EXPECT_TRUE(GetWorkAreaForWindow(NULL).EqualRect(rcPrimary)) << bMissing;
        // Far off every monitor there is none: the primary work area serves.
        EXPECT_TRUE(GetWorkAreaForPoint(CPoint(-30000, -30000)).EqualRect(rcPrimary)) << bMissing;
    }
    CVZPMonitorApi::SetMissingForTest(FALSE);

    // With the functions the answer is the monitor's own rcWork.
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromPoint(CPoint(20, 20), MONITOR_DEFAULTTOPRIMARY), &info));
    EXPECT_TRUE(GetWorkAreaForPoint(CPoint(20, 20)).EqualRect(&info.rcWork));
}

TEST(MonitorApi, AnInjectedWorkAreaAnswersEveryRequestUntilRemoved)
{
    CRect rcPrimary;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcPrimary, 0));
    CTestWindow wnd;
    const CRect rcInjected(-800, 30, -100, 570);
    CVZPMonitorApi::SetWorkAreaForTest(&rcInjected);
    const CRect rcOnScreen(10, 10, 60, 60);
    EXPECT_EQ(rcInjected, GetWorkAreaForRect(rcOnScreen));
    EXPECT_EQ(rcInjected, GetWorkAreaForPoint(CPoint(20, 20)));
    EXPECT_EQ(rcInjected, GetWorkAreaForWindow(&wnd));
    CVZPMonitorApi::SetWorkAreaForTest(NULL);
    EXPECT_EQ(rcPrimary, GetWorkAreaForRect(rcOnScreen));
    EXPECT_EQ(rcPrimary, GetWorkAreaForWindow(NULL));
}

TEST(MonitorApi, MovingARectangleToContainAPointTakesTheLeastOffset)
{
    struct Case
    {
        CPoint pt;
        CRect rcExpected;
    };
    const CRect rc(100, 50, 200, 150);
    const Case cases[] = {
        { CPoint(150, 100), rc },                           // inside: no move
        { CPoint(100, 50), rc },                            // on the top-left corner
        { CPoint(200, 150), rc },                           // on the right and bottom edges
        { CPoint(40, 100), CRect(40, 50, 140, 150) },       // left: the left edge onto the point
        { CPoint(260, 100), CRect(160, 50, 260, 150) },     // right: the right edge onto the point
        { CPoint(150, 10), CRect(100, 10, 200, 110) },      // above
        { CPoint(150, 400), CRect(100, 300, 200, 400) },    // below
        { CPoint(-20, -30), CRect(-20, -30, 80, 70) },      // both axes at once
    };
    for (const Case& c : cases)
    {
        CRect rcMoved = rc;
        MoveRectToContainPoint(&rcMoved, c.pt.x, c.pt.y);
        EXPECT_EQ(c.rcExpected, rcMoved) << c.pt.x << "," << c.pt.y;
    }
    MoveRectToContainPoint(NULL, 1, 1);   // nothing to move
}

namespace {

// A visible window to drag in; the bar and bounds are in screen
// coordinates, computed from its client origin.
class ResizeTracker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pWnd = new CTestWindow(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_TRUE(::IsWindow(m_pWnd->m_hWnd));
        m_ptOrigin = CPoint(0, 0);
        m_pWnd->ClientToScreen(&m_ptOrigin);
        // The test needs the client origin away from the screen origin.
        ASSERT_GT(m_ptOrigin.x, 50);
        ASSERT_GT(m_ptOrigin.y, 50);
    }
    void TearDown() override { delete m_pWnd; }

    void PostMove(int x, int y) { m_pWnd->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    CRect Screen(int l, int t, int r, int b) const
    {
        return CRect(m_ptOrigin.x + l, m_ptOrigin.y + t, m_ptOrigin.x + r, m_ptOrigin.y + b);
    }

    CTestWindow* m_pWnd = NULL;
    CPoint m_ptOrigin;
};

}  // namespace

TEST_F(ResizeTracker, MouseMovesAreClientPointsConvertedAndClamped)
{
    struct Case
    {
        BOOL bHorz;
        POINT moves[2];   // client coordinates of the capture window
        RECT expected;    // client coordinates of the final bar
    };
    // The bar starts at x 100 (or y 100); the drag starts 2 pixels into it;
    // the bounds are 20 to 250.
    const Case cases[] = {
        { TRUE, { { 150, 50 }, { 170, 60 } }, { 168, 0, 172, 200 } },
        { TRUE, { { 150, 50 }, { 290, 60 } }, { 250, 0, 254, 200 } },
        { TRUE, { { 150, 50 }, { -40, 60 } }, { 20, 0, 24, 200 } },
        { FALSE, { { 50, 130 }, { 60, 10 } }, { 0, 20, 300, 24 } },
    };
    for (const Case& c : cases)
    {
        CRect rcBar = c.bHorz ? Screen(100, 0, 104, 200) : Screen(0, 100, 300, 104);
        const CRect rcBounds = Screen(20, 20, 250, 250);
        const CPoint ptStart = c.bHorz ? CPoint(rcBar.left + 2, m_ptOrigin.y + 50)
                                       : CPoint(m_ptOrigin.x + 50, rcBar.top + 2);
        PostMove(c.moves[0].x, c.moves[0].y);
        PostMove(c.moves[1].x, c.moves[1].y);
        m_pWnd->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.moves[1].x, c.moves[1].y));
        CVZPResizeTracker tracker;
        EXPECT_TRUE(tracker.Track(m_pWnd, rcBounds, rcBar, ptStart, c.bHorz));
        const CRect rcExpected = Screen(c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);
        EXPECT_TRUE(rcBar.EqualRect(rcExpected))
            << "bar " << rcBar.left << "," << rcBar.top << " expected " << rcExpected.left << "," << rcExpected.top;
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(ResizeTracker, EscapeCancels)
{
    CRect rcBar = Screen(100, 0, 104, 200);
    PostMove(150, 50);
    m_pWnd->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    CVZPResizeTracker tracker(TRUE);
    EXPECT_FALSE(tracker.Track(m_pWnd, Screen(20, 0, 250, 200), rcBar, Screen(102, 50, 102, 50).TopLeft(), TRUE));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ResizeTracker, QuitDuringTheDragIsPostedAgain)
{
    CRect rcBar = Screen(100, 0, 104, 200);
    PostMove(150, 50);
    ::PostQuitMessage(7);
    CVZPResizeTracker tracker;
    EXPECT_FALSE(tracker.Track(m_pWnd, Screen(20, 0, 250, 200), rcBar, Screen(102, 50, 102, 50).TopLeft(), TRUE));
    EXPECT_TRUE(rcBar.EqualRect(Screen(148, 0, 152, 200)));
    EXPECT_EQ(nullptr, ::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}
