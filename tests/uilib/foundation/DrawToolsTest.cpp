// Gradients, off-screen buffers, scoped selectors and the small drawing
// records, checked pixel by pixel on DIB canvases.
#include <gtest/gtest.h>

#include "CVZMemDC.h"
#include "CVZPCompatibleDC.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPDrawTools.h"
#include "CVZPTransparentBitmap.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

#include <algorithm>
#include <stdlib.h>
#include <string.h>

using tesmir::test::CDibCanvas;
using vzfoundation_test::ScreenshotPath;

namespace {

// A framework DC over a canvas for the length of a test.
class CCanvasDC : public CDC
{
public:
    explicit CCanvasDC(CDibCanvas& canvas) { Attach(canvas.Dc()); }
    ~CCanvasDC() override { Detach(); }
};

int MaxChannelDifference(COLORREF a, COLORREF b)
{
    const int r = abs(int(GetRValue(a)) - int(GetRValue(b)));
    const int g = abs(int(GetGValue(a)) - int(GetGValue(b)));
    const int bl = abs(int(GetBValue(a)) - int(GetBValue(b)));
    return std::max(r, std::max(g, bl));
}

// Runs a check once through msimg32's GradientFill and once line by line.
template <class TCheck>
void ThroughBothPaths(TCheck check)
{
    for (BOOL bLineByLine : { FALSE, TRUE })
    {
        CVZPDrawTools::ForceLineByLineForTest(bLineByLine);
        check(bLineByLine ? "line by line" : "msimg32");
    }
    CVZPDrawTools::ForceLineByLineForTest(FALSE);
}

const COLORREF kUntouched = RGB(1, 2, 3);

}  // namespace

TEST(DrawTools, BlackToWhiteGradientRisesAcrossTheArea)
{
    ThroughBothPaths([](const char* path) {
        for (BOOL bHorz : { TRUE, FALSE })
        {
            CDibCanvas canvas(bHorz ? 256 : 8, bHorz ? 8 : 256, kUntouched);
            CCanvasDC dc(canvas);
            const CRect rect(0, 0, canvas.Width(), canvas.Height());
            CVZPDrawTools::GradientFill(&dc, rect, RGB(0, 0, 0), RGB(255, 255, 255), bHorz);
            auto pixel = [&](int i) { return bHorz ? canvas.Pixel(i, 4) : canvas.Pixel(4, i); };
            EXPECT_EQ(RGB(0, 0, 0), pixel(0)) << path;
            EXPECT_LE(MaxChannelDifference(RGB(255, 255, 255), pixel(255)), 2) << path;
            for (int i = 1; i < 256; i++)
                ASSERT_GE(GetGValue(pixel(i)), GetGValue(pixel(i - 1))) << path << " at " << i;
            EXPECT_EQ(0, canvas.Count(rect, kUntouched)) << path;
            if (bHorz)
                canvas.SaveBmp(ScreenshotPath(strcmp(path, "msimg32") == 0 ? L"gradient-msimg32.bmp"
                                                                             : L"gradient-line-by-line.bmp"));
        }
    });
}

TEST(DrawTools, EqualColoursAndLowColourFillSolid)
{
    CDibCanvas canvas(40, 20, kUntouched);
    CCanvasDC dc(canvas);
    const CRect rect(5, 5, 35, 15);
    CVZPDrawTools::GradientFill(&dc, rect, RGB(10, 200, 30), RGB(10, 200, 30), TRUE);
    EXPECT_EQ(30 * 10, canvas.Count(rect, RGB(10, 200, 30)));
    EXPECT_EQ(40 * 20 - 30 * 10, canvas.Count(CRect(0, 0, 40, 20), kUntouched));

    SetLowColorDisplayForTest(1);
    CVZPDrawTools::GradientFill(&dc, rect, RGB(200, 0, 0), RGB(0, 0, 200), TRUE);
    SetLowColorDisplayForTest(-1);
    EXPECT_EQ(30 * 10, canvas.Count(rect, RGB(200, 0, 0)));

    // Nothing for an empty or missing rectangle.
    CVZPDrawTools::GradientFill(&dc, CRect(10, 10, 10, 20), RGB(0, 0, 0), RGB(255, 255, 255), TRUE);
    CVZPDrawTools::GradientFill(&dc, NULL, RGB(0, 0, 0), RGB(255, 255, 255), TRUE);
    EXPECT_EQ(30 * 10, canvas.Count(rect, RGB(200, 0, 0)));
}

TEST(DrawTools, GradientFactorSplitsTheAreaInTwoHalves)
{
    ThroughBothPaths([](const char* path) {
        CDibCanvas canvas(101, 6, kUntouched);
        CCanvasDC dc(canvas);
        CVZPGradientColor gradient;
        gradient.SetStandardValue(RGB(200, 0, 0), RGB(0, 0, 200), 0.75f);
        CVZPDrawTools::FillGradientColor(&dc, CRect(0, 0, 101, 6), &gradient, TRUE);
        // Split at right - width / 2 = 101 - 50.
        const COLORREF clrMiddle = CVZPDrawTools::BlendColors(RGB(200, 0, 0), RGB(0, 0, 200), 0.75f);
        EXPECT_EQ(RGB(150, 0, 50), clrMiddle);
        EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(0, 3)) << path;
        EXPECT_EQ(clrMiddle, canvas.Pixel(51, 3)) << path;
        EXPECT_LE(MaxChannelDifference(clrMiddle, canvas.Pixel(50, 3)), 4) << path;
        EXPECT_LE(MaxChannelDifference(RGB(0, 0, 200), canvas.Pixel(100, 3)), 4) << path;

        // The factor 0.5 is one plain gradient.
        gradient.SetStandardValue(RGB(200, 0, 0), RGB(0, 0, 200), 0.5f);
        CVZPDrawTools::FillGradientColor(&dc, CRect(0, 0, 101, 6), &gradient, TRUE);
        EXPECT_LE(MaxChannelDifference(RGB(100, 0, 100), canvas.Pixel(50, 3)), 2) << path;
    });
}

TEST(DrawTools, ClippedGradientDrawsOnlyInsideTheClip)
{
    ThroughBothPaths([](const char* path) {
        const CRect rect(50, 0, 150, 10);
        CDibCanvas whole(200, 10, kUntouched);
        CCanvasDC wholeDC(whole);
        CVZPDrawTools::GradientFill(&wholeDC, rect, RGB(0, 0, 0), RGB(200, 100, 250), TRUE);

        // A clip that ends exactly at the gradient's left edge overlaps by
        // the test's rule and still draws nothing.
        CDibCanvas canvas(200, 10, kUntouched);
        CCanvasDC dc(canvas);
        const CRect rcBefore(0, 0, 50, 10);
        CVZPDrawTools::GradientFillClipped(&dc, rect, RGB(0, 0, 0), RGB(200, 100, 250), TRUE, rcBefore);
        EXPECT_EQ(200 * 10, canvas.Count(CRect(0, 0, 200, 10), kUntouched)) << path;

        // The clipped part has the colours of the whole gradient there.
        const CRect rcClip(80, 2, 120, 8);
        CVZPDrawTools::GradientFillClipped(&dc, rect, RGB(0, 0, 0), RGB(200, 100, 250), TRUE, rcClip);
        EXPECT_EQ(200 * 10 - 40 * 6, canvas.Count(CRect(0, 0, 200, 10), kUntouched)) << path;
        for (int x = rcClip.left; x < rcClip.right; x++)
            ASSERT_LE(MaxChannelDifference(whole.Pixel(x, 5), canvas.Pixel(x, 5)), 3) << path << " at " << x;
    });
}

TEST(DrawTools, MemDCCopiesItsAreaToTheTarget)
{
    CDibCanvas canvas(100, 60, RGB(255, 255, 255));
    CCanvasDC dc(canvas);
    {
        CVZMemDC mem(&dc, CRect(20, 10, 60, 40), CVZPGradientColor(RGB(0, 128, 0)));
        ASSERT_TRUE(mem.IsValid());
        mem.SetPixel(0, 0, RGB(255, 0, 0));   // relative to the area
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20, 10));   // nothing shown before the copy
    }
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(20, 10));
    EXPECT_EQ(40 * 30 - 1, canvas.Count(CRect(20, 10, 60, 40), RGB(0, 128, 0)));
    EXPECT_EQ(100 * 60 - 40 * 30, canvas.Count(CRect(0, 0, 100, 60), RGB(255, 255, 255)));

    // An empty rectangle buffers the target's clip box.
    dc.IntersectClipRect(10, 5, 30, 25);
    {
        CVZMemDC mem(&dc, CRect(0, 0, 0, 0), CVZPGradientColor(RGB(0, 0, 255)));
        EXPECT_TRUE(mem.GetArea().EqualRect(CRect(10, 5, 30, 25)));
    }
    dc.SelectClipRgn(NULL);
    EXPECT_EQ(20 * 20, canvas.Count(CRect(10, 5, 30, 25), RGB(0, 0, 255)));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 10, 60), RGB(0, 0, 255)));
    canvas.SaveBmp(ScreenshotPath(L"memdc.bmp"));
}

TEST(DrawTools, DoubleBufferUsesTheTargetsCoordinates)
{
    CDibCanvas canvas(80, 50, RGB(255, 255, 255));
    {
        CVZPDoubleBufferDC buffer(canvas.Dc(), CRect(10, 10, 50, 30));
        buffer.FillSolidRect(CRect(0, 0, 80, 50), RGB(0, 0, 255));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 10));
    }
    EXPECT_EQ(40 * 20, canvas.Count(CRect(10, 10, 50, 30), RGB(0, 0, 255)));
    EXPECT_EQ(80 * 50 - 40 * 20, canvas.Count(CRect(0, 0, 80, 50), RGB(255, 255, 255)));
}

TEST(DrawTools, SelectorsPutThePreviousObjectsBack)
{
    CDibCanvas canvas(20, 20);
    HDC hDC = canvas.Dc();
    const HGDIOBJ hPen = ::GetCurrentObject(hDC, OBJ_PEN);
    const HGDIOBJ hBrush = ::GetCurrentObject(hDC, OBJ_BRUSH);
    const AFX_GDI_COUNTS before = AfxGetGdiCounts();
    {
        CVZPPenSelector pen(hDC, RGB(1, 2, 3));
        CVZPBrushSelector brush(hDC, RGB(4, 5, 6));
        EXPECT_EQ(RGB(1, 2, 3), pen.GetColor());
        EXPECT_NE(hPen, ::GetCurrentObject(hDC, OBJ_PEN));
        pen.SetColor(RGB(7, 8, 9));
        EXPECT_EQ(RGB(7, 8, 9), pen.GetColor());
        brush.SetColor(RGB(10, 11, 12));
        ::PatBlt(hDC, 0, 0, 4, 4, PATCOPY);
        EXPECT_EQ(RGB(10, 11, 12), canvas.Pixel(1, 1));
    }
    EXPECT_EQ(hPen, ::GetCurrentObject(hDC, OBJ_PEN));
    EXPECT_EQ(hBrush, ::GetCurrentObject(hDC, OBJ_BRUSH));
    EXPECT_EQ(before.nObjects, AfxGetGdiCounts().nObjects);

    CFont font;
    font.Attach(::GetStockObject(ANSI_FIXED_FONT));
    CDC* pDC = CDC::FromHandle(hDC);
    const HGDIOBJ hFont = ::GetCurrentObject(hDC, OBJ_FONT);
    {
        CVZPFontSelector select(pDC, &font);
        EXPECT_EQ(font.m_hObject, ::GetCurrentObject(hDC, OBJ_FONT));
    }
    EXPECT_EQ(hFont, ::GetCurrentObject(hDC, OBJ_FONT));
    font.Detach();
}

TEST(DrawTools, CompatibleDCAndTransparentBitmap)
{
    // A bitmap whose top-left pixel is magenta.
    CDibCanvas source(16, 16, RGB(0, 128, 0));
    source.SetPixel(0, 0, RGB(255, 0, 255));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(CDC::FromHandle(source.Dc()), 16, 16));
    {
        CVZPCompatibleDC dc(NULL, &bitmap);
        ::BitBlt(dc.GetSafeHdc(), 0, 0, 16, 16, source.Dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(RGB(255, 0, 255), dc.GetPixel(0, 0));
    }
    const CVZPTransparentBitmap transparent(bitmap);
    EXPECT_EQ(RGB(255, 0, 255), transparent.GetTransparentColor());
    HICON hIcon = transparent.ConvertToIcon();
    ASSERT_NE(nullptr, hIcon);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hIcon, &info));
    BITMAP bm = {};
    ::GetObject(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(16, bm.bmWidth);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(hIcon);

    EXPECT_EQ(COLORREF(-1), CVZPTransparentBitmap(NULL).GetTransparentColor());
    EXPECT_EQ(nullptr, CVZPTransparentBitmap(NULL).ConvertToIcon());
}

TEST(DrawTools, AveragePixelsSmoothsEachPoint)
{
    CDibCanvas canvas(10, 10, RGB(255, 255, 255));
    canvas.SetPixel(5, 5, RGB(100, 0, 200));
    canvas.SetPixel(6, 5, RGB(50, 101, 0));
    canvas.SetPixel(2, 2, RGB(10, 20, 30));
    canvas.SetPixel(2, 1, RGB(30, 40, 50));
    CCanvasDC dc(canvas);
    const POINT pairs[] = { { 5, 5 }, { 1, 0 }, { 2, 2 }, { 0, -1 } };
    CVZPDrawTools::AveragePixels(&dc, pairs, 4);
    EXPECT_EQ(RGB(75, 50, 100), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(50, 101, 0), canvas.Pixel(6, 5));
    EXPECT_EQ(RGB(20, 30, 40), canvas.Pixel(2, 2));
}

TEST(DrawTools, BlendColorsByFloatWeight)
{
    EXPECT_EQ(RGB(255, 0, 0), CVZPDrawTools::BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), 1.0f));
    EXPECT_EQ(RGB(0, 0, 255), CVZPDrawTools::BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), 0.0f));
    // trunc(255 * 0.3 + 0 * 0.7) = 76, trunc(255 * 0.7) = 178
    EXPECT_EQ(RGB(76, 0, 178), CVZPDrawTools::BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), 0.3f));
}
