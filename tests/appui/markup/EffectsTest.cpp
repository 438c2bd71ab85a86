// Fills, borders, lines and image drawing of the draw effects, rendered into
// DIB canvases and compared with values computed from the effects' formulas.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <TestSupport.h>

#include "MarkupTestsRes.h"
#include "Screenshots.h"
#include "markup/CImageEffects.h"
#include "markup/CPaletteDib.h"

using tesmir::test::CDibCanvas;

namespace {

int Channel(COLORREF c, int i)
{
    return (int)((c >> (8 * i)) & 0xFF);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    for (int i = 0; i < 3; ++i)
        if (abs(Channel(a, i) - Channel(b, i)) > tolerance)
            return false;
    return true;
}

// A w x h 32-bit bitmap of one pixel value (0xAARRGGBB) everywhere.
HBITMAP SolidDib(int w, int h, DWORD pixel)
{
    DWORD* bits = NULL;
    HBITMAP hDib = CImageEffects::CreateDib32(w, h, &bits);
    for (int i = 0; hDib != NULL && i < w * h; ++i)
        bits[i] = pixel;
    return hDib;
}

DWORD DibPixel(HBITMAP hDib, int x, int y)
{
    DIBSECTION ds;
    GetObjectW(hDib, sizeof(ds), &ds);
    GdiFlush();
    return ((DWORD*)ds.dsBm.bmBits)[y * ds.dsBm.bmWidth + x];
}

}  // namespace

TEST(ImageEffectsFill, GradientBandsFollowTheLength)
{
    const struct
    {
        int length;
        int bands;
        int bandWidth;
    } cases[] = {{32, 32, 1}, {128, 64, 2}};
    const COLORREF start = RGB(0, 0, 0), end = RGB(255, 128, 64);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.length);
        CDibCanvas canvas(c.length, 4, RGB(1, 2, 3));
        CImageEffects effects;
        RECT rc = {0, 0, c.length, 4};
        effects.FillEffect(canvas.Dc(), 1, rc, start, RGB(9, 9, 9), end, 0, 0);
        int drawn = 0;
        for (int k = 0; k < 64; ++k)
        {
            const int from = (k * c.length) >> 6, to = ((k + 1) * c.length) >> 6;
            if (to <= from)
                continue;
            ++drawn;
            EXPECT_EQ(c.bandWidth, to - from);
            const COLORREF expected = RGB((Channel(start, 0) * 64 + k * (Channel(end, 0) - Channel(start, 0))) >> 6,
                                          (Channel(start, 1) * 64 + k * (Channel(end, 1) - Channel(start, 1))) >> 6,
                                          (Channel(start, 2) * 64 + k * (Channel(end, 2) - Channel(start, 2))) >> 6);
            for (int x = from; x < to; ++x)
                EXPECT_EQ(expected, canvas.Pixel(x, 2)) << "column " << x;
        }
        EXPECT_EQ(c.bands, drawn);
    }
}

TEST(ImageEffectsFill, VerticalBumpAtGranularityZero)
{
    CDibCanvas canvas(100, 3);
    CImageEffects effects;
    const COLORREF c1 = RGB(250, 250, 250), c2 = RGB(120, 120, 120), c3 = RGB(10, 20, 30);
    srand(1);
    RECT rc = {0, 0, 100, 3};
    effects.FillEffect(canvas.Dc(), 12, rc, c1, c2, c3, 0, 0);
    const BYTE* bits = effects.PatternBitmap().GetBits();
    ASSERT_NE(nullptr, bits);
    // Palette entry per column of the bottom row (noise is 0 except for the
    // one value of rand that gives 1).
    EXPECT_NEAR(247, bits[1], 1);
    EXPECT_NEAR(9, bits[99], 1);
    EXPECT_LE(bits[0], 1);
    // Entry 0 is colour 3; entry 255 colour 1.
    EXPECT_TRUE(Near(c3, canvas.Pixel(0, 1), 2)) << std::hex << canvas.Pixel(0, 1);
}

TEST(ImageEffectsFill, DoubleBorderAndDoubleLineLieTwoPixelsApart)
{
    CDibCanvas canvas(120, 80);
    CImageEffects effects;
    const COLORREF red = RGB(255, 0, 0);
    RECT rc = {10, 10, 60, 60};
    effects.DrawRectBorder(canvas.Dc(), rc, red, red, 6, 1);
    EXPECT_EQ(red, canvas.Pixel(10, 30));
    EXPECT_NE(red, canvas.Pixel(11, 30));
    EXPECT_EQ(red, canvas.Pixel(12, 30));
    EXPECT_EQ(red, canvas.Pixel(30, 10));
    EXPECT_EQ(red, canvas.Pixel(30, 12));
    effects.DrawLine(canvas.Dc(), 0, 70, 100, 70, red, 6, 1);
    EXPECT_EQ(red, canvas.Pixel(50, 70));
    EXPECT_NE(red, canvas.Pixel(50, 71));
    EXPECT_EQ(red, canvas.Pixel(50, 72));
}

TEST(ImageEffectsFill, EveryEffectOnAnEmptyRectangleDrawsNothing)
{
    CDibCanvas canvas(20, 20, RGB(7, 8, 9));
    CImageEffects effects;
    const RECT empties[] = {{5, 5, 5, 15}, {5, 5, 15, 5}, {10, 10, 5, 5}};
    for (const RECT& rc : empties)
        for (int effect = -1; effect <= 16; ++effect)
            effects.FillEffect(canvas.Dc(), effect, rc, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), 5, 0);
    const RECT all = {0, 0, 20, 20};
    EXPECT_EQ(400, canvas.Count(all, RGB(7, 8, 9)));
}

TEST(ImageEffectsFill, PatternsWithDegenerateSizesEndWithoutFault)
{
    CImageEffects effects;
    srand(1);
    RECT thin = {0, 0, 50, 1};
    EXPECT_TRUE(effects.FillPattern(thin, 14, 3, 0, RGB(255, 255, 255), RGB(128, 128, 128), 0));
    RECT wide = {0, 0, 40000, 2};
    EXPECT_TRUE(effects.FillPattern(wide, 15, 0, 0, RGB(255, 255, 255), RGB(128, 128, 128), 0));
    RECT tall = {0, 0, 1, 40000};
    EXPECT_TRUE(effects.FillPattern(tall, 15, 2, 0, RGB(255, 255, 255), RGB(128, 128, 128), 0));
    for (int effect = 7; effect <= 15; ++effect)
    {
        RECT one = {0, 0, 1, 1};
        EXPECT_TRUE(effects.FillPattern(one, effect, 0, 0, 0, 0, 0)) << effect;
    }
}

TEST(PaletteDib, SetPixelStaysInsideLowDepthBlocks)
{
    const struct
    {
        int bits;
        int width;
        int stride;
    } cases[] = {{1, 9, 4}, {4, 9, 8}, {1, 1, 4}, {8, 3, 4}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bits);
        CPaletteDib dib;
        ASSERT_NE(nullptr, dib.Create(c.width, 3, c.bits));
        EXPECT_EQ(c.stride, dib.GetStride());
        for (int y = -1; y <= 3; ++y)
            for (int x = -1; x <= c.width; ++x)
                dib.SetPixel(x, y, 0xFF);
        // Every pixel of the image is set; the padding at the end of each
        // row is untouched.
        const BYTE* bits = dib.GetBits();
        const int usedBits = c.width * c.bits;
        for (int row = 0; row < 3; ++row)
            for (int bit = 0; bit < c.stride * 8; ++bit)
            {
                const int set = (bits[row * c.stride + bit / 8] >> (7 - bit % 8)) & 1;
                EXPECT_EQ(bit < usedBits ? 1 : 0, set) << "row " << row << " bit " << bit;
            }
    }
    // y = 0 is the top row: the last row of the bottom-up block.
    CPaletteDib dib;
    dib.Create(4, 2, 8);
    dib.SetPixel(1, 0, 7);
    EXPECT_EQ(7, dib.GetBits()[4 + 1]);
    // A 24-bit block has no colour table and ignores palette and pixels.
    CPaletteDib deep;
    deep.Create(2, 2, 24);
    deep.SetPixel(0, 0, 5);
    EXPECT_EQ(0, deep.GetBits()[0]);
}

TEST(ImageEffectsImage, ColourTransformsOfOnePixel)
{
    const struct
    {
        DWORD pixel;
        int flags;
        DWORD expected;
    } cases[] = {
        {0x00FF0000, ImageEffectGrey, 0x004C4C4C},
        {0x00C86400, ImageEffectDarken, 0x00964B00},
        {0x00C86400, ImageEffectLighten, 0x00FA7D00},
        {0x00DC6400, ImageEffectLighten, 0x00FF7D00},
        {0x00102030, ImageEffectInvert, 0x00EFDFCF},
        {0x00102030, ImageEffectFill, 0x00010203},
    };
    CImageEffects effects;
    for (const auto& c : cases)
    {
        HBITMAP hSource = SolidDib(1, 1, c.pixel);
        HBITMAP hResult = effects.TransformBitmap(hSource, 1, 1, c.flags, FALSE, 0, RGB(1, 2, 3));
        ASSERT_NE(nullptr, hResult);
        EXPECT_EQ(c.expected, DibPixel(hResult, 0, 0) & 0x00FFFFFF) << std::hex << c.pixel << " " << c.flags;
        DeleteObject(hResult);
        DeleteObject(hSource);
    }
}

TEST(ImageEffectsImage, MaskedBitmapShowsTheBackground)
{
    HBITMAP hBitmap = (HBITMAP)LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDB_TEST_MASKED), IMAGE_BITMAP,
                                          0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(nullptr, hBitmap);
    CDibCanvas canvas(40, 20, RGB(0, 160, 0));
    CImageEffects effects;
    // Drawn at twice its size: the left half is magenta, the mask colour.
    effects.DrawBitmap(canvas.Dc(), 4, 2, 16, 16, hBitmap, TRUE, RGB(255, 0, 255), 0, FALSE, 0, 0, 7, 7, 0);
    EXPECT_EQ(RGB(0, 160, 0), canvas.Pixel(6, 8));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(16, 8));
    const RECT all = {0, 0, 40, 20};
    EXPECT_EQ(0, canvas.Count(all, RGB(255, 0, 255)));
    appui_test::SaveScreenshot(canvas, L"markup_masked_bitmap");
    DeleteObject(hBitmap);
}

TEST(ImageEffectsImage, AlphaPixelBlendsToTheMidpoint)
{
    HBITMAP hBitmap = SolidDib(2, 2, 0x80FF0000);  // red at alpha 128
    CDibCanvas canvas(10, 10, RGB(0, 0, 255));
    CImageEffects effects;
    effects.DrawBitmap(canvas.Dc(), 3, 3, 2, 2, hBitmap, FALSE, RGB(255, 0, 255), 0, FALSE, 0, 0, 7, 7, 0);
    EXPECT_TRUE(effects.HasAlpha());
    EXPECT_TRUE(Near(RGB(128, 0, 127), canvas.Pixel(3, 3), 1)) << std::hex << canvas.Pixel(3, 3);
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(2, 2));
    DeleteObject(hBitmap);
}

TEST(ImageEffectsImage, HardShadowDarkensToAboutHalf)
{
    HBITMAP hBitmap = SolidDib(10, 10, 0x00000000 | 0x00204080);
    CDibCanvas canvas(30, 30, RGB(200, 200, 200));
    CImageEffects effects;
    effects.DrawBitmap(canvas.Dc(), 5, 5, 10, 10, hBitmap, FALSE, 0, ImageEffectHardShadow, TRUE, 4, 4, 7, 7,
                       RGB(128, 128, 128));
    // Beyond the image, inside its shadow: 200 x 128 / 255.
    EXPECT_TRUE(Near(RGB(100, 100, 100), canvas.Pixel(17, 17), 1)) << std::hex << canvas.Pixel(17, 17);
    EXPECT_EQ(RGB(200, 200, 200), canvas.Pixel(20, 20));
    EXPECT_EQ(RGB(0x20, 0x40, 0x80), canvas.Pixel(6, 6));
    DeleteObject(hBitmap);
}

TEST(ImageEffectsImage, StripFramesAndIcons)
{
    HBITMAP hStrip = (HBITMAP)LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDB_TEST_STRIP), IMAGE_BITMAP, 0,
                                         0, LR_DEFAULTCOLOR);
    ASSERT_NE(nullptr, hStrip);
    CDibCanvas canvas(60, 40);
    CImageEffects effects;
    const COLORREF frames[] = {RGB(255, 0, 0), RGB(0, 192, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    for (int i = 0; i < 4; ++i)
    {
        effects.DrawStripFrame(canvas.Dc(), i * 10, 0, 8, 8, hStrip, i, 8, 8, FALSE, 0, 0, FALSE, 0, 0, 7, 7, 0);
        EXPECT_EQ(frames[i], canvas.Pixel(i * 10 + 4, 4)) << i;
    }
    // A frame beyond the strip draws nothing.
    effects.DrawStripFrame(canvas.Dc(), 50, 0, 8, 8, hStrip, 4, 8, 8, FALSE, 0, 0, FALSE, 0, 0, 7, 7, 0);
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(54, 4));
    DeleteObject(hStrip);

    // The test icon loads at both sizes; drawn, its frame is black.
    for (int size : {16, 32})
    {
        HICON hIcon = (HICON)LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDI_TEST_ICON), IMAGE_ICON, size,
                                        size, LR_DEFAULTCOLOR);
        ASSERT_NE(nullptr, hIcon) << size;
        SIZE got;
        CImageEffects::GetIconSize(hIcon, got);
        EXPECT_EQ(size, got.cx);
        EXPECT_EQ(size, got.cy);
        CDibCanvas iconCanvas(40, 40);
        effects.DrawIcon(iconCanvas.Dc(), 2, 2, size, size, hIcon, 0, FALSE, 0, 0, 7, 7, 0);
        EXPECT_EQ(RGB(0, 0, 0), iconCanvas.Pixel(2, 2 + size / 2));
        EXPECT_EQ(RGB(200, 30, 30), iconCanvas.Pixel(2 + size / 2, 3));
        DestroyIcon(hIcon);
    }
    // A system icon carries alpha and is blended.
    HICON hSystem = LoadIconW(NULL, (LPCWSTR)IDI_ASTERISK);
    ASSERT_NE(nullptr, hSystem);
    CDibCanvas systemCanvas(40, 40);
    effects.DrawIcon(systemCanvas.Dc(), 0, 0, 32, 32, hSystem, 0, FALSE, 0, 0, 7, 7, 0);
    const RECT all = {0, 0, 40, 40};
    EXPECT_LT(systemCanvas.Count(all, RGB(255, 255, 255)), 40 * 40 - 100);
    appui_test::SaveScreenshot(systemCanvas, L"markup_system_icon");
}
