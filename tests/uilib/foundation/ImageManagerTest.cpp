// Command images: the icon variants, drawing, the stored form, and the image
// manager's strips, toolbars, scaling, custom ids and clipboard.
#include <gtest/gtest.h>

#include "CVZPImageManager.h"
#include "CVZPPropExchangeArchive.h"
#include "FoundationTestRes.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "VZPAlphaBitmap.h"
#include "uilibres.h"

#include <afxole.h>

#include <functional>
#include <vector>

using tesmir::test::CDibCanvas;

namespace {

// BGRA as stored in a 32-bit DIB.
struct Bgra
{
    BYTE b, g, r, a;
    bool operator==(const Bgra& o) const { return b == o.b && g == o.g && r == o.r && a == o.a; }
};

// A 32-bit top-down DIB section whose pixels come from the function.
HBITMAP MakeAlphaBitmap(int cx, int cy, const std::function<Bgra(int x, int y)>& pixel)
{
    BITMAPINFOHEADER header = {};
    header.biWidth = cx;
    header.biHeight = -cy;
    BYTE* pBits = NULL;
    HBITMAP hBitmap = VZPCreateDib32(header, &pBits);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            reinterpret_cast<Bgra*>(pBits)[y * cx + x] = pixel(x, y);
    return hBitmap;
}

// The pixels of any bitmap, read as 32-bit top-down rows.
std::vector<Bgra> PixelsOf(HBITMAP hBitmap)
{
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<Bgra> pixels((size_t)bm.bmWidth * bm.bmHeight);
    HDC hDC = ::GetDC(NULL);
    ::GetDIBits(hDC, hBitmap, 0, (UINT)bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    return pixels;
}

// An opaque icon of one colour, its colour bitmap made at the given depth
// (0: the screen's).
HICON MakeIcon(int cx, int cy, COLORREF clr, int nBits = 0)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColour;
    if (nBits == 0)
    {
        hColour = ::CreateCompatibleBitmap(hScreen, cx, cy);
    }
    else
    {
        std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
        BITMAPINFO* pInfo = reinterpret_cast<BITMAPINFO*>(info.data());
        pInfo->bmiHeader = { sizeof(BITMAPINFOHEADER), cx, cy, 1, (WORD)nBits, BI_RGB, 0, 0, 0, 0, 0 };
        for (int i = 0; i < 256; i++)
            pInfo->bmiColors[i] = { (BYTE)i, (BYTE)(255 - i), (BYTE)(i / 2), 0 };
        void* pBits = NULL;
        hColour = ::CreateDIBSection(hScreen, pInfo, DIB_RGB_COLORS, &pBits, NULL, 0);
    }
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColour);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    RECT rc = { 0, 0, cx, cy };
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    std::vector<BYTE> zeros(((cx + 15) / 16) * 2 * cy, 0);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, zeros.data());   // all opaque
    ICONINFO ii = { TRUE, 0, 0, hMask, hColour };
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}

// The icon's colour pixels (alpha ignored) and mask.
std::vector<Bgra> IconPixels(HICON hIcon)
{
    ICONINFO ii = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &ii))
        return {};
    std::vector<Bgra> pixels = PixelsOf(ii.hbmColor);
    std::vector<Bgra> mask = PixelsOf(ii.hbmMask);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i].a = mask[i].r;
    ::DeleteObject(ii.hbmColor);
    ::DeleteObject(ii.hbmMask);
    return pixels;
}

std::vector<Bgra> HandlePixels(const CVZPImageManagerIconHandle& handle)
{
    return handle.IsAlpha() ? PixelsOf(handle.GetBitmap()) : IconPixels(handle.GetIcon());
}

// A free-standing icon (no set) holding a normal image.
CVZPImageManagerIcon* NewIcon(const CVZPImageManagerIconHandle& handle)
{
    CVZPImageManagerIcon* pIcon = new CVZPImageManagerIcon(1, 16, 15, (CVZPImageManagerIconSet*)NULL);
    pIcon->SetIcon(handle);
    return pIcon;
}

struct IconRelease
{
    void operator()(CVZPImageManagerIcon* p) const { p->InternalRelease(); }
};
typedef std::unique_ptr<CVZPImageManagerIcon, IconRelease> IconPtr;

COLORREF CentreColour(CVZPImageManagerIcon* pIcon)
{
    CDibCanvas canvas(40, 40);
    CDC dc;
    dc.Attach(canvas.Dc());
    pIcon->Draw(&dc, CPoint(0, 0), pIcon->GetIcon());
    dc.Detach();
    return canvas.Pixel(pIcon->m_nWidth / 2, pIcon->m_nHeight / 2);
}

}  // namespace

TEST(ImageManagerIcon, GeneratedVariantsOfAlphaImages)
{
    CVZPImageManagerIconHandle source(MakeAlphaBitmap(4, 1, [](int x, int) {
        const Bgra pixels[] = { { 0, 0, 0, 200 }, { 100, 100, 100, 50 }, { 128, 128, 128, 255 }, { 255, 255, 255, 9 } };
        return pixels[x];
    }));
    IconPtr pIcon(NewIcon(source));
    ::DeleteObject(source.GetBitmap());
    ASSERT_TRUE(pIcon->IsAlpha());

    std::vector<Bgra> faded = HandlePixels(pIcon->GetFadedIcon());
    ASSERT_EQ(faded.size(), 4u);
    EXPECT_EQ(faded[0], (Bgra{ 76, 76, 76, 200 }));
    EXPECT_EQ(faded[1], (Bgra{ 146, 146, 146, 50 }));

    std::vector<Bgra> disabled = HandlePixels(pIcon->GetDisabledIcon());
    EXPECT_EQ(disabled[0], (Bgra{ 0, 0, 0, 200 }));
    EXPECT_EQ(disabled[2], (Bgra{ 180, 180, 180, 255 }));
    EXPECT_EQ(disabled[3], (Bgra{ 255, 255, 255, 9 }));

    IconPtr pTinted(NewIcon(pIcon->GetIcon()));
    pTinted->CreateDisabledIcon(RGB(250, 240, 230), RGB(10, 20, 30));
    std::vector<Bgra> tinted = HandlePixels(pTinted->GetDisabledIcon(FALSE));
    EXPECT_EQ(tinted[0], (Bgra{ 30, 20, 10, 200 }));    // black to the dark colour
    EXPECT_EQ(tinted[3], (Bgra{ 230, 240, 250, 9 }));   // white to the light colour

    // Only a normal image: the checked image is the normal one; an alpha
    // image has no scaled copy.
    EXPECT_EQ(&pIcon->GetCheckedIcon(), &pIcon->GetIcon());
    EXPECT_EQ(pIcon->CreateScaledCopy(32), nullptr);
}

TEST(ImageManagerIcon, DrawScalesAndDrawMonoPaintsTheShape)
{
    CVZPImageManagerIconHandle handle;
    handle.AttachIcon(MakeIcon(16, 15, RGB(255, 0, 0)));
    IconPtr pIcon(NewIcon(handle));
    ASSERT_EQ(pIcon->m_nWidth, 16);
    ASSERT_EQ(pIcon->m_nHeight, 15);
    CDibCanvas canvas(80, 60);
    CDC dc;
    dc.Attach(canvas.Dc());
    pIcon->Draw(&dc, CPoint(5, 5), pIcon->GetIcon(), 32, 0);
    pIcon->DrawMono(&dc, CPoint(50, 5), pIcon->GetIcon(), RGB(0, 0, 255));
    dc.Detach();
    canvas.SaveBmp(vzfoundation_test::ScreenshotPath(L"image_icon_draw.bmp"));
    EXPECT_EQ(canvas.Count(CRect(5, 5, 37, 35), RGB(255, 0, 0)), 32 * 30);
    EXPECT_EQ(canvas.Pixel(37, 20), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(20, 35), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Count(CRect(50, 5, 66, 20), RGB(0, 0, 255)), 16 * 15);
}

TEST(ImageManagerIcon, StoredFormRoundTrips)
{
    struct Case
    {
        const char* name;
        int nColourBits;   // of the icons' colour bitmaps; 0 the screen's
    };
    for (const Case& c : { Case{ "screen depth", 0 }, Case{ "8-bit colour bitmaps", 8 } })
    {
        SCOPED_TRACE(c.name);
        CVZPImageManagerIconHandle normal, disabled, hot, checked;
        normal.AttachIcon(MakeIcon(16, 15, RGB(200, 0, 0), c.nColourBits));
        disabled.AttachIcon(MakeIcon(16, 15, RGB(0, 200, 0), c.nColourBits));
        hot.AttachIcon(MakeIcon(16, 15, RGB(0, 0, 200), c.nColourBits));
        checked.AttachBitmap(MakeAlphaBitmap(16, 15, [](int x, int y) {
            return Bgra{ (BYTE)(x * 16), (BYTE)(y * 16), 7, (BYTE)(x * y) };
        }));
        IconPtr pIcon(NewIcon(normal));
        pIcon->SetDisabledIcon(disabled);
        pIcon->SetHotIcon(hot);
        pIcon->SetCheckedIcon(checked);

        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            pIcon->Serialize(ar);
            ar.Close();
        }
        // Height, schema, then eight blocks of 2 + 52 + 2 + 16 x 15 x 4 bytes
        // but the checked image's empty mask block.
        EXPECT_EQ(file.GetLength(), 8u + 7 * (2 + 52 + 2 + 16 * 15 * 4) + 2);
        file.SeekToBegin();
        IconPtr pLoaded(new CVZPImageManagerIcon(1, 16, 0, (CVZPImageManagerIconSet*)NULL));
        {
            CArchive ar(&file, CArchive::load);
            pLoaded->Serialize(ar);
        }
        EXPECT_EQ(pLoaded->m_nHeight, 15);
        EXPECT_EQ(HandlePixels(pLoaded->GetIcon()), HandlePixels(pIcon->GetIcon()));
        EXPECT_EQ(HandlePixels(pLoaded->GetDisabledIcon(FALSE)), HandlePixels(pIcon->GetDisabledIcon(FALSE)));
        EXPECT_EQ(HandlePixels(pLoaded->GetHotIcon()), HandlePixels(pIcon->GetHotIcon()));
        ASSERT_TRUE(pLoaded->GetCheckedIcon().IsAlpha());
        EXPECT_EQ(HandlePixels(pLoaded->GetCheckedIcon()), HandlePixels(pIcon->GetCheckedIcon()));
    }
}

TEST(ImageManagerIcon, IconResourcesByGroupEntry)
{
    CVZPImageManagerIconHandle small, large, missing;
    ASSERT_TRUE(small.LoadIconResource(IDI_TEST_ICON, 16, 16, TRUE));
    EXPECT_FALSE(small.IsAlpha());
    EXPECT_EQ(small.GetExtent(), CSize(16, 16));
    ASSERT_TRUE(large.LoadIconResource(IDI_TEST_ICON, 32, 32, TRUE));
    ASSERT_TRUE(large.IsAlpha());   // the 32-bit entry
    EXPECT_EQ(large.GetExtent(), CSize(32, 32));
    EXPECT_FALSE(missing.LoadIconResource(IDI_TEST_ICON, 48, 48, TRUE));
}

TEST(ImageManager, ToolBarsAndStrips)
{
    CVZPImageManager manager;
    ASSERT_TRUE(manager.LoadToolBarIcons(IDR_TEST_TOOLBAR));
    ASSERT_NE(manager.GetImage(100, 16), nullptr);
    ASSERT_NE(manager.GetImage(101, 16), nullptr);
    EXPECT_EQ(manager.GetIconSet(0), nullptr);   // the separator
    EXPECT_EQ(CentreColour(manager.GetImage(100, 16)), RGB(255, 0, 0));
    EXPECT_EQ(CentreColour(manager.GetImage(101, 16)), RGB(0, 0, 255));
    EXPECT_EQ(manager.GetImage(100, 16)->m_nHeight, 15);

    // Only separators, a count longer than the ids, a missing resource.
    EXPECT_FALSE(manager.LoadToolBarIcons(IDR_TEST_SEPARATOR_TOOLBAR));
    EXPECT_FALSE(manager.LoadToolBarIcons(IDR_TEST_SHORT_TOOLBAR));
    EXPECT_FALSE(manager.LoadToolBarIcons(999));

    // The library's own toolbars.
    ASSERT_TRUE(manager.LoadToolBarIcons(VZP_IDR_HEADER_TOOLBAR));
    ASSERT_TRUE(manager.LoadToolBarIcons(VZP_IDR_EDIT_TOOLBAR));
    for (UINT nID : { 9158u, 9162u, 57643u, 57642u })
        EXPECT_NE(manager.GetImage(nID, 16), nullptr) << nID;

    // A 32-bit strip gives alpha images.
    const UINT ids[] = { 300, 301, 302 };
    ASSERT_TRUE(manager.SetIconsFromResource(IDB_TEST_ALPHA_STRIP, ids, 3));
    CVZPImageManagerIcon* pGreen = manager.GetImage(301, 16);
    ASSERT_NE(pGreen, nullptr);
    ASSERT_TRUE(pGreen->IsAlpha());
    std::vector<Bgra> pixels = HandlePixels(pGreen->GetIcon());
    ASSERT_EQ(pixels.size(), 256u);
    EXPECT_EQ(pixels[8 * 16 + 8], (Bgra{ 0, 0xC0, 0, 255 }));
    EXPECT_EQ(pixels[1 * 16 + 1], (Bgra{ 0, 0, 0, 0x80 }));
    EXPECT_EQ(pixels[0].a, 0);
}

TEST(ImageManager, ImageListsStatesAndScaling)
{
    CVZPImageManager manager;
    CImageList list;
    list.m_hImageList = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
    const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0) };
    for (COLORREF clr : colours)
    {
        HICON hIcon = MakeIcon(16, 16, clr);
        ImageList_ReplaceIcon(list.m_hImageList, -1, hIcon);
        ::DestroyIcon(hIcon);
    }
    const UINT ids[] = { 0, 200, 201, 202 };
    ASSERT_TRUE(manager.SetIcons(&list, ids, 4));
    for (int i = 0; i < 4; i++)
    {
        ASSERT_NE(manager.GetImage(ids[i], 16), nullptr) << i;
        EXPECT_EQ(CentreColour(manager.GetImage(ids[i], 16)), colours[i]) << i;
    }

    // A variant needs a normal image first.
    CVZPImageManagerIconHandle hot(ImageList_GetIcon(list.m_hImageList, 0, ILD_NORMAL));
    EXPECT_FALSE(manager.SetIcon(hot, 500, CSize(0, 0), vzpImageHot));
    EXPECT_EQ(manager.GetIconSet(500), nullptr);
    EXPECT_TRUE(manager.SetIcon(hot, 200, CSize(0, 0), vzpImageHot));
    ::DestroyIcon(hot.GetIcon());

    // Width 24 from width 16: one resampled copy until RefreshAll.
    CVZPImageManagerIcon* pScaled = manager.GetImage(201, 24);
    ASSERT_NE(pScaled, nullptr);
    EXPECT_EQ(pScaled->m_nWidth, 24);
    EXPECT_EQ(pScaled->m_nHeight, 24);
    EXPECT_EQ(pScaled->GetIcon().GetExtent(), CSize(24, 24));
    EXPECT_EQ(manager.GetImage(201, 24), pScaled);
    manager.RefreshAll();
    CVZPImageManagerIcon* pRescaled = manager.GetImage(201, 24);
    ASSERT_NE(pRescaled, nullptr);
    EXPECT_TRUE(pRescaled->m_bScaled);
    EXPECT_EQ(manager.GetIconSet(201)->m_mapIcons.GetCount(), 2);

    // An alpha image is not resampled.
    CVZPImageManagerIconHandle alpha(MakeAlphaBitmap(16, 16, [](int, int) { return Bgra{ 1, 2, 3, 4 }; }));
    ASSERT_TRUE(manager.SetIcon(alpha, 600));
    EXPECT_EQ(manager.GetImage(600, 24), manager.GetImage(600, 16));
    ::DeleteObject(alpha.GetBitmap());
}

TEST(ImageManager, CustomIdsAndClipboard)
{
    ASSERT_EQ(::OleInitialize(NULL), S_OK);
    CVZPImageManager manager;
    CVZPImageManagerIconHandle handle;
    handle.AttachIcon(MakeIcon(16, 15, RGB(10, 120, 230)));
    EXPECT_EQ(manager.AddCustomIcon(handle), 0x10AABu);
    EXPECT_EQ(manager.AddCustomIcon(handle), 0x10AACu);

    CWnd* pOwner = vzfoundation_test::MainFrame();
    auto putOnClipboard = [&](const std::vector<BYTE>& bytes) {
        ASSERT_TRUE(::OpenClipboard(pOwner->GetSafeHwnd()));
        ::EmptyClipboard();
        HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(::GlobalLock(hGlobal), bytes.data(), bytes.size());
        ::GlobalUnlock(hGlobal);
        ::SetClipboardData(VZPGetIconSetClipboardFormat(), hGlobal);
        ::CloseClipboard();
    };
    auto paste = [&]() {
        COleDataObject data;
        EXPECT_TRUE(data.AttachClipboard());
        return manager.PasteIconFromDataObject(&data);
    };

    ASSERT_TRUE(::OpenClipboard(pOwner->GetSafeHwnd()));
    ::EmptyClipboard();
    EXPECT_TRUE(manager.CopyIconToClipboard(0x10AAB));
    ::CloseClipboard();
    // What was copied, kept for the broken pastes below.
    std::vector<BYTE> copied;
    ASSERT_TRUE(::OpenClipboard(pOwner->GetSafeHwnd()));
    HGLOBAL hData = ::GetClipboardData(VZPGetIconSetClipboardFormat());
    ASSERT_NE(hData, (HGLOBAL)NULL);
    const BYTE* p = (const BYTE*)::GlobalLock(hData);
    copied.assign(p, p + ::GlobalSize(hData));
    ::GlobalUnlock(hData);
    ::CloseClipboard();

    UINT nPasted = paste();
    EXPECT_EQ(nPasted, 0x10AADu);
    ASSERT_NE(manager.GetImage(nPasted, 16), nullptr);
    EXPECT_EQ(HandlePixels(manager.GetImage(nPasted, 16)->GetIcon()),
              HandlePixels(manager.GetImage(0x10AAB, 16)->GetIcon()));

    // Garbage and a truncated copy give 0 and leave no set behind.
    putOnClipboard(std::vector<BYTE>{ 'g', 'a', 'r', 'b', 'a', 'g', 'e', '!', 0, 1, 2, 3 });
    EXPECT_EQ(paste(), 0u);
    EXPECT_EQ(manager.GetIconSet(0x10AAE), nullptr);
    putOnClipboard(std::vector<BYTE>(copied.begin(), copied.begin() + copied.size() / 2));
    EXPECT_EQ(paste(), 0u);
    EXPECT_EQ(manager.GetIconSet(0x10AAF), nullptr);
    // A header that claims an absurd size.
    std::vector<BYTE> huge = copied;
    for (size_t i = 0; i + 4 <= huge.size(); i++)
        if (huge[i] == 40 && huge[i + 1] == 0 && huge[i + 2] == 0 && huge[i + 3] == 0)
        {
            huge[i + 5] = 0xFF;   // the first block's width, far above any image
            huge[i + 6] = 0xFF;
            break;
        }
    putOnClipboard(huge);
    EXPECT_EQ(paste(), 0u);

    // A set loaded under an id above the custom ids moves them on.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CVZPPropExchangeArchive px(ar);
        manager.DoPropExchangeIconSet(0x10AAB, &px);
        ar.Close();
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        CVZPPropExchangeArchive px(ar);
        manager.DoPropExchangeIconSet(0x20000, &px);
    }
    EXPECT_NE(manager.GetIconSet(0x20000), nullptr);
    EXPECT_EQ(manager.AddCustomIcon(handle), 0x20001u);
    ::OleUninitialize();
}
