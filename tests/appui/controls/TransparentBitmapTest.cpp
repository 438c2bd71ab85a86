// The transparent bitmap drawn into a DIB canvas, and window regions cut
// from bitmaps by their key colour.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "BitmapToRegion.h"
#include "CTransparentBitmap.h"
#include "Screenshots.h"

#include <TestSupport.h>

#include <functional>

using namespace appui_test;
using tesmir::test::CDibCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// A screen-compatible bitmap of cx x cy whose pixels come from colorAt.
HBITMAP MakeBitmap(int cx, int cy, const std::function<COLORREF(int, int)>& colorAt)
{
    CDibCanvas source(cx, cy);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            source.SetPixel(x, y, colorAt(x, y));
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    ::ReleaseDC(NULL, hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    ::BitBlt(hdc, 0, 0, cx, cy, source.Dc(), 0, 0, SRCCOPY);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return hBitmap;
}

// The target's own pattern.
COLORREF Backdrop(int x, int y)
{
    return (x + y) % 2 ? RGB(10, 120, 30) : RGB(200, 180, 20);
}

void PaintBackdrop(CDibCanvas& canvas)
{
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            canvas.SetPixel(x, y, Backdrop(x, y));
}

TEST(TransparentBitmapTest, WhitePixelsLeaveTheTargetAlone)
{
    // A 20 x 10 image: white where x + y is a multiple of 3, else colours.
    auto image = [](int x, int y) {
        if ((x + y) % 3 == 0)
            return kWhite;
        return x < 10 ? RGB(220, 0, 0) : RGB(0, 0, 230);
    };
    CTransparentBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(MakeBitmap(20, 10, image)));
    EXPECT_EQ(20, bitmap.GetWidth());
    EXPECT_EQ(10, bitmap.GetHeight());

    CDibCanvas canvas(40, 30);
    PaintBackdrop(canvas);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    pDC->SetTextColor(RGB(1, 2, 3));
    pDC->SetBkColor(RGB(4, 5, 6));
    bitmap.Draw(pDC, 7, 9, kWhite);
    SaveScreenshot(canvas, L"transparent_bitmap");
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 40; x++)
        {
            bool bInside = x >= 7 && x < 27 && y >= 9 && y < 19;
            COLORREF crExpected = Backdrop(x, y);
            if (bInside && image(x - 7, y - 9) != kWhite)
                crExpected = image(x - 7, y - 9);
            ASSERT_EQ(crExpected, canvas.Pixel(x, y)) << x << "," << y;
        }
    // The target's colours are put back.
    EXPECT_EQ(RGB(1, 2, 3), pDC->GetTextColor());
    EXPECT_EQ(RGB(4, 5, 6), pDC->GetBkColor());
}

TEST(TransparentBitmapTest, WithoutTheColourItIsAPlainCopy)
{
    auto image = [](int x, int y) { return RGB(x * 12, y * 20, 100); };
    CTransparentBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(MakeBitmap(20, 10, image)));
    CDibCanvas drawn(30, 20);
    CDibCanvas copied(30, 20);
    PaintBackdrop(drawn);
    PaintBackdrop(copied);
    bitmap.Draw(CDC::FromHandle(drawn.Dc()), 5, 5, kWhite);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = dc.SelectObject(bitmap.GetSafeHandle());
    ::BitBlt(copied.Dc(), 5, 5, 20, 10, dc.m_hDC, 0, 0, SRCCOPY);
    dc.SelectObject(hOld);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 30; x++)
            ASSERT_EQ(copied.Pixel(x, y), drawn.Pixel(x, y)) << x << "," << y;

    // A white image drawn with white left out changes nothing.
    CTransparentBitmap white;
    ASSERT_TRUE(white.Attach(MakeBitmap(20, 10, [](int, int) { return kWhite; })));
    CDibCanvas canvas(30, 20);
    PaintBackdrop(canvas);
    white.Draw(CDC::FromHandle(canvas.Dc()), 5, 5);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 30; x++)
            ASSERT_EQ(Backdrop(x, y), canvas.Pixel(x, y));
}

TEST(BitmapToRegionTest, RegionIsEveryPixelButTheKeyColour)
{
    const struct
    {
        int cx;
        int cy;
        std::function<COLORREF(int, int)> colorAt;
    } cases[] = {
        // Green corners and a green column, as skins cut rounded windows.
        { 12, 8,
          [](int x, int y) {
              bool bCorner = (x < 2 || x > 9) && (y < 2 || y > 5);
              return bCorner || x == 6 ? kGreen : RGB(x * 20, 40, 90);
          } },
        // Nearly green is not green.
        { 5, 3, [](int x, int) { return x == 2 ? RGB(0, 254, 0) : kGreen; } },
        // A checkerboard: far more runs than one batch of rectangles.
        { 300, 300, [](int x, int y) { return (x + y) % 2 ? kGreen : kWhite; } },
    };
    for (const auto& c : cases)
    {
        HBITMAP hBitmap = MakeBitmap(c.cx, c.cy, c.colorAt);
        HRGN hRgn = BitmapToRegion(NULL, hBitmap, kGreen, 0);
        ASSERT_NE((HRGN)NULL, hRgn);
        for (int y = -1; y <= c.cy; y++)
            for (int x = -1; x <= c.cx; x++)
            {
                bool bInside = x >= 0 && y >= 0 && x < c.cx && y < c.cy && c.colorAt(x, y) != kGreen;
                ASSERT_EQ(bInside, ::PtInRegion(hRgn, x, y) != FALSE) << c.cx << ": " << x << "," << y;
            }
        ::DeleteObject(hRgn);
        ::DeleteObject(hBitmap);
    }
}

TEST(BitmapToRegionTest, AllKeyColourIsAnEmptyRegion)
{
    HBITMAP hBitmap = MakeBitmap(6, 4, [](int, int) { return kGreen; });
    HRGN hRgn = BitmapToRegion(NULL, hBitmap, kGreen, 0);
    ASSERT_NE((HRGN)NULL, hRgn);
    RECT rect = {};
    EXPECT_EQ(NULLREGION, ::GetRgnBox(hRgn, &rect));
    ::DeleteObject(hRgn);
    ::DeleteObject(hBitmap);
    EXPECT_EQ((HRGN)NULL, BitmapToRegion(NULL, NULL, kGreen, 0));
}

TEST(BitmapToRegionTest, ShapesAWindow)
{
    // The region applied to a real window: the window shows only its
    // non-green pixels.
    HBITMAP hBitmap = MakeBitmap(60, 40, [](int x, int y) { return x < 20 && y < 20 ? kGreen : kWhite; });
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("shaped"), WS_POPUP | WS_VISIBLE, 50, 50, 60, 40, NULL,
                             NULL));
    HRGN hRgn = BitmapToRegion(wnd.m_hWnd, hBitmap, kGreen, 0);
    ASSERT_NE((HRGN)NULL, hRgn);
    ASSERT_TRUE(::SetWindowRgn(wnd.m_hWnd, hRgn, TRUE));   // the window owns it now
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, ::GetWindowRgn(wnd.m_hWnd, hCopy));
    EXPECT_FALSE(::PtInRegion(hCopy, 5, 5));
    EXPECT_TRUE(::PtInRegion(hCopy, 30, 5));
    EXPECT_TRUE(::PtInRegion(hCopy, 5, 30));
    ::DeleteObject(hCopy);
    wnd.DestroyWindow();
    ::DeleteObject(hBitmap);
}

}  // namespace
