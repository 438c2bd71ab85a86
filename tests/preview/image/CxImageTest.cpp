// The image layer over the pictures tests/preview/fixtures/gen-images.sh
// writes: every format code and extension gives the right size and validity,
// the decoded pixels sit where the picture has them, variants of one picture
// decode alike, and damaged or mismatched files are refused.
#include "image/CxImage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using tesmir::test::BuildPath;
using tesmir::test::CDibCanvas;
using tesmir::test::ReadWholeFile;

namespace {

std::wstring ImagePath(const std::wstring& name) { return BuildPath((L"preview-images\\" + name).c_str()); }

std::string Narrow(const std::wstring& s) { return tesmir::test::Utf8(s); }

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

struct SizeCase
{
    const wchar_t* name;
    int type;
    DWORD width;
    DWORD height;
};

// Every extension of the picture view in each fixture size, by the code the
// document gives it.
TEST(CxImage, EveryFormatGivesItsSize)
{
    const struct
    {
        const wchar_t* ext;
        int type;
    } formats[] = {{L"png", 4}, {L"jpg", 3}, {L"jpeg", 3}, {L"bmp", 1}, {L"tif", 6}, {L"tiff", 6},
                   {L"gif", 2}, {L"tga", 7}, {L"pcx", 8}, {L"ppm", 14}, {L"pgm", 14}, {L"pnm", 14}};
    const SizeCase sizes[] = {{L"q300x400", 0, 300, 400}, {L"q200x200", 0, 200, 200},
                              {L"q160x120", 0, 160, 120}, {L"q400x300", 0, 400, 300}};
    for (const auto& size : sizes)
        for (const auto& format : formats) {
            std::wstring name = std::wstring(size.name) + L"." + format.ext;
            CxImage image(ImagePath(name).c_str(), format.type);
            SCOPED_TRACE(Narrow(name));
            EXPECT_TRUE(image.IsValid());
            EXPECT_EQ(size.width, image.GetWidth());
            EXPECT_EQ(size.height, image.GetHeight());
            EXPECT_EQ(format.type, image.GetType());
        }
}

TEST(CxImage, VariantsAndOwnFormatsGiveTheirSize)
{
    const SizeCase cases[] = {
        {L"pcx8.pcx", 8, 160, 120},       {L"pcx24.pcx", 8, 160, 120},     {L"tga8gray.tga", 7, 160, 120},
        {L"tga8map.tga", 7, 160, 120},    {L"tga24.tga", 7, 160, 120},     {L"tga32.tga", 7, 160, 120},
        {L"tga24rle.tga", 7, 160, 120},   {L"tga32rle.tga", 7, 160, 120},  {L"tga8rle.tga", 7, 160, 120},
        {L"tga-topleft.tga", 7, 2, 2},    {L"p1.pnm", 14, 160, 120},       {L"p2.pgm", 14, 160, 120},
        {L"p3.ppm", 14, 160, 120},        {L"p4.pnm", 14, 160, 120},       {L"p5.pgm", 14, 160, 120},
        {L"p5x16.pgm", 14, 160, 120},     {L"p6.ppm", 14, 160, 120},       {L"p6x16.ppm", 14, 160, 120},
        {L"icon16.ico", 5, 16, 16},       {L"bars.wbmp", 9, 16, 8},        {L"rect.emf", 10, 100, 50},
        {L"a.png", 4, 400, 300},
    };
    for (const auto& c : cases) {
        CxImage image(ImagePath(c.name).c_str(), c.type);
        SCOPED_TRACE(Narrow(c.name));
        EXPECT_TRUE(image.IsValid());
        EXPECT_EQ(c.width, image.GetWidth());
        EXPECT_EQ(c.height, image.GetHeight());
    }
}

// Files no decoder here reads, files whose content is not their code's
// format, and damaged headers: invalid, size 0, and no crash.
TEST(CxImage, UnreadableFilesAreInvalid)
{
    const struct
    {
        const wchar_t* name;
        int type;
    } cases[] = {
        // JPEG 2000, PGX and Sun raster have no decoder.
        {L"q300x400.jp2", 11}, {L"q200x200.jp2", 11}, {L"q.j2k", 11}, {L"q.j2c", 12}, {L"q.jpc", 12},
        {L"q.pgx", 13}, {L"q160x120.ras", 15},
        // Empty, missing, misnamed.
        {L"empty.png", 4}, {L"missing.png", 4}, {L"png-named.bmp", 1}, {L"tiff-named.tga", 7},
        {L"q200x200.png", 3}, {L"q200x200.jpg", 4}, {L"q200x200.gif", 6}, {L"q200x200.bmp", 8},
        {L"q200x200.png", 0}, {L"q200x200.png", 16},
        // Damaged PCX.
        {L"pcx-huge.pcx", 8}, {L"pcx-cut.pcx", 8}, {L"pcx-nopalette.pcx", 8}, {L"pcx-badbpl.pcx", 8},
        {L"pcx-runend.pcx", 8}, {L"pcx-badmagic.pcx", 8}, {L"pcx-header-only.pcx", 8},
        // Damaged anymaps.
        {L"pnm-huge.ppm", 14}, {L"pnm-overflow.ppm", 14}, {L"pnm-cut.ppm", 14}, {L"pnm-cut16.pgm", 14},
        {L"pnm-textcut.ppm", 14}, {L"pnm-maxval0.pgm", 14}, {L"pnm-badsample.pgm", 14},
        {L"pnm-nodims.pnm", 14}, {L"pnm-zerowidth.pgm", 14}, {L"pnm-p7.pnm", 14},
        // Damaged Targa.
        {L"tga-huge.tga", 7}, {L"tga-hugerle.tga", 7}, {L"tga-cut.tga", 7}, {L"tga-rlecut.tga", 7},
        {L"tga-mapindex.tga", 7}, {L"tga-maplong.tga", 7}, {L"tga-idlong.tga", 7}, {L"tga-badtype.tga", 7},
        {L"tga-baddepth.tga", 7},
        // Damaged WBMP and metafile.
        {L"wbmp-cut.wbmp", 9}, {L"wbmp-huge.wbmp", 9}, {L"emf-cut.emf", 10},
    };
    for (const auto& c : cases) {
        CxImage image(ImagePath(c.name).c_str(), c.type);
        SCOPED_TRACE(Narrow(c.name) + " as " + std::to_string(c.type));
        EXPECT_FALSE(image.IsValid());
        EXPECT_EQ(0u, image.GetWidth());
        EXPECT_EQ(0u, image.GetHeight());
        CDibCanvas canvas(8, 8);
        EXPECT_EQ(0, image.Stretch(canvas.Dc(), 0, 0, 8, 8, SRCCOPY));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(4, 4));
    }
}

// Every prefix of a good file of our own decoders' formats is refused (or,
// for the few that still hold the whole picture, read), never read past.
TEST(CxImage, CutShortFilesNeverReadPastTheirData)
{
    const struct
    {
        const wchar_t* name;
        int type;
    } cases[] = {{L"pcx8.pcx", 8}, {L"pcx24.pcx", 8}, {L"tga24rle.tga", 7}, {L"tga8map.tga", 7},
                 {L"tga32.tga", 7}, {L"p2.pgm", 14}, {L"p4.pnm", 14}, {L"p6x16.ppm", 14},
                 {L"bars.wbmp", 9}, {L"rect.emf", 10}};
    for (const auto& c : cases) {
        std::string bytes = ReadWholeFile(ImagePath(c.name));
        ASSERT_FALSE(bytes.empty()) << Narrow(c.name);
        // Each cut gets a buffer of exactly its length, so a read past it
        // touches memory that is not the file's.
        size_t step = bytes.size() > 4000 ? bytes.size() / 997 : 1;
        int valid = 0;
        for (size_t len = 0; len < bytes.size(); len += step) {
            std::vector<BYTE> cut(bytes.begin(), bytes.begin() + len);
            CDibImage image;
            if (CxImage::Decode(c.type, cut.empty() ? nullptr : cut.data(), cut.size(), image))
                ++valid;
        }
        SCOPED_TRACE(Narrow(c.name));
        // Only the anymaps' text form could end early and still be whole;
        // none of these does.
        EXPECT_EQ(0, valid);
        CDibImage whole;
        EXPECT_TRUE(CxImage::Decode(c.type, reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), whole));
    }
}

// The quadrants gen-images.sh draws: red top left, lime top right, blue
// bottom left, white bottom right.
void ExpectQuadrants(const CDibImage& image, int tolerance)
{
    DWORD w = image.GetWidth(), h = image.GetHeight();
    ASSERT_GE(w, 2u);
    EXPECT_TRUE(Near(RGB(255, 0, 0), image.GetPixel(w / 4, h / 4), tolerance)) << std::hex << image.GetPixel(w / 4, h / 4);
    EXPECT_TRUE(Near(RGB(0, 255, 0), image.GetPixel(3 * w / 4, h / 4), tolerance));
    EXPECT_TRUE(Near(RGB(0, 0, 255), image.GetPixel(w / 4, 3 * h / 4), tolerance));
    EXPECT_TRUE(Near(RGB(255, 255, 255), image.GetPixel(3 * w / 4, 3 * h / 4), tolerance));
    // The corners too: nothing is mirrored or shifted by a row.
    EXPECT_TRUE(Near(RGB(255, 0, 0), image.GetPixel(0, 0), tolerance));
    EXPECT_TRUE(Near(RGB(255, 255, 255), image.GetPixel(w - 1, h - 1), tolerance));
    EXPECT_TRUE(Near(RGB(0, 255, 0), image.GetPixel(w - 1, 0), tolerance));
    EXPECT_TRUE(Near(RGB(0, 0, 255), image.GetPixel(0, h - 1), tolerance));
}

TEST(CxImage, ColourPicturesKeepTheirQuadrants)
{
    const struct
    {
        const wchar_t* name;
        int type;
        int tolerance;
    } cases[] = {
        {L"q300x400.png", 4, 0},  {L"q300x400.bmp", 1, 0},  {L"q300x400.gif", 2, 0},  {L"q300x400.tif", 6, 0},
        {L"q300x400.jpg", 3, 48}, {L"q300x400.tga", 7, 0},  {L"q300x400.pcx", 8, 0},  {L"q300x400.ppm", 14, 0},
        {L"q400x300.pnm", 14, 0}, {L"q160x120.tiff", 6, 0}, {L"q160x120.jpeg", 3, 48},
        {L"pcx8.pcx", 8, 0},      {L"pcx24.pcx", 8, 0},     {L"tga8map.tga", 7, 0},   {L"tga24.tga", 7, 0},
        {L"tga32.tga", 7, 0},     {L"tga24rle.tga", 7, 0},  {L"tga32rle.tga", 7, 0},  {L"p3.ppm", 14, 0},
        {L"p6.ppm", 14, 0},       {L"p6x16.ppm", 14, 0},    {L"tga-topleft.tga", 7, 0},
    };
    for (const auto& c : cases) {
        CxImage image(ImagePath(c.name).c_str(), c.type);
        SCOPED_TRACE(Narrow(c.name));
        ASSERT_TRUE(image.IsValid());
        ExpectQuadrants(image.GetDib(), c.tolerance);
    }
}

// Grey forms of one picture decode to the same greys, whatever their coding.
TEST(CxImage, GreyFormsAgree)
{
    CxImage reference(ImagePath(L"p5.pgm").c_str(), 14);
    ASSERT_TRUE(reference.IsValid());
    const CDibImage& ref = reference.GetDib();
    // The quadrants' greys rise from blue through red and lime to white.
    auto grey = [&](DWORD x, DWORD y) { return GetRValue(ref.GetPixel(x, y)); };
    EXPECT_LT(grey(40, 90), grey(40, 30));
    EXPECT_LT(grey(40, 30), grey(120, 30));
    EXPECT_EQ(255, grey(120, 90));
    EXPECT_EQ(grey(40, 30), GetGValue(ref.GetPixel(40, 30)));

    const struct
    {
        const wchar_t* name;
        int type;
    } same[] = {{L"p2.pgm", 14}, {L"p5x16.pgm", 14}, {L"q160x120.pgm", 14}, {L"tga8gray.tga", 7}, {L"tga8rle.tga", 7}};
    for (const auto& s : same) {
        CxImage image(ImagePath(s.name).c_str(), s.type);
        SCOPED_TRACE(Narrow(s.name));
        ASSERT_TRUE(image.IsValid());
        int diffs = 0;
        for (DWORD y = 0; y < 120; ++y)
            for (DWORD x = 0; x < 160; ++x)
                diffs += image.GetDib().GetPixel(x, y) != ref.GetPixel(x, y);
        EXPECT_EQ(0, diffs);
    }

    // The bitmaps, text and binary, are one dithered picture.
    CxImage p1(ImagePath(L"p1.pnm").c_str(), 14), p4(ImagePath(L"p4.pnm").c_str(), 14);
    ASSERT_TRUE(p1.IsValid() && p4.IsValid());
    int diffs = 0, black = 0;
    for (DWORD y = 0; y < 120; ++y)
        for (DWORD x = 0; x < 160; ++x) {
            COLORREF c = p1.GetDib().GetPixel(x, y);
            diffs += c != p4.GetDib().GetPixel(x, y);
            black += c == RGB(0, 0, 0);
            EXPECT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255));
        }
    EXPECT_EQ(0, diffs);
    // The white quadrant stays white; the blue one is mostly black.
    EXPECT_EQ(RGB(255, 255, 255), p1.GetDib().GetPixel(120, 90));
    EXPECT_GT(black, 160 * 120 / 8);
}

TEST(CxImage, IconWbmpAndMetafilePixels)
{
    CxImage icon(ImagePath(L"icon16.ico").c_str(), 5);
    ASSERT_TRUE(icon.IsValid());
    EXPECT_EQ(RGB(255, 0, 0), icon.GetDib().GetPixel(8, 8));

    CxImage bars(ImagePath(L"bars.wbmp").c_str(), 9);
    ASSERT_TRUE(bars.IsValid());
    EXPECT_EQ(RGB(0, 0, 0), bars.GetDib().GetPixel(3, 2));
    EXPECT_EQ(RGB(255, 255, 255), bars.GetDib().GetPixel(12, 6));

    // A rectangle from 10,10 to 90,40 in black on the white ground.
    CxImage rect(ImagePath(L"rect.emf").c_str(), 10);
    ASSERT_TRUE(rect.IsValid());
    const CDibImage& dib = rect.GetDib();
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(4, 4));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(50, 25));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(10, 25));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(50, 10));
}

// Stretch draws the decoded picture scaled into the rectangle; Destroy
// leaves an invalid image that draws nothing.
TEST(CxImage, StretchDrawsIntoTheRectangleAndDestroyEmpties)
{
    CxImage image(ImagePath(L"q400x300.png").c_str(), 4);
    ASSERT_TRUE(image.IsValid());
    CDibCanvas canvas(300, 200, RGB(1, 2, 3));
    EXPECT_NE(0, image.Stretch(canvas.Dc(), 50, 22, 200, 150, SRCCOPY));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(49, 60));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(100, 21));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(250, 100));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(100, 172));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(50, 22));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(149, 96));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(150, 22));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(50, 171));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(249, 171));

    image.Destroy();
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(0u, image.GetWidth());
    canvas.Fill(RGB(1, 2, 3));
    EXPECT_EQ(0, image.Stretch(canvas.Dc(), 0, 0, 300, 200, SRCCOPY));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(100, 100));
}

// The cap: a picture whose pixels would pass it is refused before anything
// is allocated, one just inside it is made.
TEST(CxImage, DecodedSizeIsCapped)
{
    CDibImage image;
    EXPECT_FALSE(image.Allocate(65535, 65535));
    EXPECT_FALSE(image.Allocate(0, 10));
    EXPECT_FALSE(image.Allocate(65536, 1));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(image.Allocate(3, 2));
    EXPECT_EQ(12u, image.GetStride());
    EXPECT_EQ(RGB(255, 255, 255), image.GetPixel(2, 1));
}

} // namespace
