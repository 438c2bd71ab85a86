// The PSD decoder over small documents in every colour mode, raw and
// PackBits, and crafted ones that must be refused without reading past
// their buffers.
#include <gtest/gtest.h>

#include <string>

#include "database/CPsdDecoder.h"

namespace {

std::wstring Document(const wchar_t* name)
{
    return std::wstring(TESMIR_DB_FIXTURES) + L"/" + name + L".psd";
}

// The bitmap's top-left pixel and its header.
struct Decoded
{
    int result = 99;
    bool bitmap = false;
    COLORREF pixel = CLR_INVALID;
    LONG ppmX = 0;
    LONG ppmY = 0;
};

Decoded Decode(const wchar_t* name)
{
    CPsdDecoder decoder;
    Decoded d;
    d.result = decoder.Load(Document(name).c_str());
    HBITMAP bitmap = decoder.GetBitmap();
    d.bitmap = bitmap != NULL;
    if (bitmap) {
        DIBSECTION ds = {};
        GetObject(bitmap, sizeof(ds), &ds);
        d.ppmX = ds.dsBmih.biXPelsPerMeter;
        d.ppmY = ds.dsBmih.biYPelsPerMeter;
        const BYTE* top = (const BYTE*)ds.dsBm.bmBits + (size_t)(ds.dsBm.bmHeight - 1) * ds.dsBm.bmWidthBytes;
        d.pixel = RGB(top[2], top[1], top[0]);
    }
    return d;
}

TEST(PsdDecoder, ResultsAndPixelsByDocument)
{
    struct Case { const wchar_t* name; int result; bool bitmap; COLORREF pixel; };
    const Case cases[] = {
        {L"rgb_raw", 0, true, RGB(200, 100, 50)},
        {L"rgba_raw", 0, false, 0},                  // raw RGB needs exactly three channels
        {L"rgba_rle", 0, true, RGB(200, 100, 50)},   // the fourth channel is ignored
        {L"grey", 0, true, RGB(77, 77, 77)},
        {L"indexed", 0, true, RGB(10, 245, 9)},
        {L"indexed_no_count", 0, true, RGB(255, 255, 255)},
        {L"cmyk_white", 0, true, RGB(253, 253, 253)},
        {L"cmyk_black", 0, true, RGB(0, 0, 0)},
        {L"grey16", 0, true, RGB(0x80, 0x80, 0x80)},
        {L"grey16_rle", 0, true, RGB(0x40, 0x40, 0x40)},
        {L"packbits128", 0, true, RGB(33, 33, 33)},
        {L"thumb_short", 0, true, RGB(5, 5, 5)},     // a short block is skipped as a whole
        {L"display_two", 0, true, RGB(6, 6, 6)},     // so is a longer one
        {L"version2", -2, false, 0},
        {L"not_psd", -2, false, 0},
        {L"no_such_document", -1, false, 0},
        {L"zip", -10, false, 0},
        {L"zip_predict", -11, false, 0},
        {L"huge", -6, false, 0},
        {L"channels0", -6, false, 0},
        {L"channels_neg", -6, false, 0},
        {L"cmyk3", -6, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        Decoded d = Decode(c.name);
        EXPECT_EQ(c.result, d.result);
        EXPECT_EQ(c.bitmap, d.bitmap);
        if (c.bitmap && d.bitmap) {
            EXPECT_EQ(c.pixel, d.pixel);
        }
    }
}

TEST(PsdDecoder, LabWhiteIsNearWhite)
{
    Decoded d = Decode(L"lab");
    ASSERT_EQ(0, d.result);
    ASSERT_TRUE(d.bitmap);
    EXPECT_GE(GetRValue(d.pixel), 240);
    EXPECT_GE(GetGValue(d.pixel), 240);
    EXPECT_GE(GetBValue(d.pixel), 240);
}

TEST(PsdDecoder, ResolutionGivesPixelsPerMetre)
{
    Decoded d = Decode(L"dpi300");
    ASSERT_TRUE(d.bitmap);
    EXPECT_EQ(11811, d.ppmX);
    EXPECT_EQ(11811, d.ppmY);
    Decoded plain = Decode(L"grey");
    ASSERT_TRUE(plain.bitmap);
    EXPECT_EQ(3780, plain.ppmX);
}

TEST(PsdDecoder, DetachedBitmapOutlivesTheDecoder)
{
    HBITMAP bitmap;
    {
        CPsdDecoder decoder;
        ASSERT_EQ(0, decoder.Load(Document(L"rgb_raw").c_str()));
        bitmap = decoder.DetachBitmap();
        EXPECT_EQ(4, (int)decoder.m_nWidth);
        EXPECT_EQ(2, (int)decoder.m_nHeight);
    }
    BITMAP bm = {};
    EXPECT_EQ((int)sizeof(bm), GetObject(bitmap, sizeof(bm), &bm));
    EXPECT_EQ(4, bm.bmWidth);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(PsdDecoder, DocumentOfAnotherProgramDecodes)
{
    if (GetFileAttributesW(Document(L"converted").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no converted document (ImageMagick missing)";
    Decoded d = Decode(L"converted");
    EXPECT_EQ(0, d.result);
    ASSERT_TRUE(d.bitmap);
    EXPECT_EQ(RGB(200, 100, 50), d.pixel);
}

}  // namespace
