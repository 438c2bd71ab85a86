// GDI wrappers: the exact pixels of FillSolidRect and Draw3dRect, the
// halftone brush, handle ownership and the live-object counts.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

namespace {

// A 16x16 memory DC with a 24-bit bitmap, cleared to white.
class CMemoryCanvas
{
public:
    CMemoryCanvas()
    {
        CClientDC screen(NULL);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, 16, 16);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    }
    ~CMemoryCanvas() { m_dc.SelectObject(m_pOld); }
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld;
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kTL = RGB(255, 0, 0);
const COLORREF kBR = RGB(0, 0, 255);

TEST(Gdi, FillSolidRectLeavesTheBackgroundColourSet)
{
    CMemoryCanvas canvas;
    canvas.m_dc.SetBkColor(RGB(1, 1, 1));
    canvas.m_dc.FillSolidRect(CRect(2, 2, 5, 4), RGB(0, 255, 0));
    EXPECT_EQ(RGB(0, 255, 0), canvas.m_dc.GetBkColor());
    EXPECT_EQ(RGB(0, 255, 0), canvas.m_dc.GetPixel(2, 2));
    EXPECT_EQ(RGB(0, 255, 0), canvas.m_dc.GetPixel(4, 3));
    EXPECT_EQ(kWhite, canvas.m_dc.GetPixel(5, 3));
    EXPECT_EQ(kWhite, canvas.m_dc.GetPixel(4, 4));
}

TEST(Gdi, Draw3dRectIsFourStripsWithTheCornersOfTheBottomRightColour)
{
    CMemoryCanvas canvas;
    canvas.m_dc.Draw3dRect(2, 3, 6, 5, kTL, kBR);   // covers x 2..7, y 3..7
    struct Pixel
    {
        int x, y;
        COLORREF clr;
    };
    const Pixel pixels[] = {
        { 2, 3, kTL },  { 6, 3, kTL },  { 7, 3, kBR },     // top strip ends before the right edge
        { 2, 6, kTL },  { 2, 7, kBR },                     // left strip ends before the bottom
        { 7, 7, kBR },  { 7, 5, kBR },  { 4, 7, kBR },
        { 4, 5, kWhite }, { 1, 3, kWhite }, { 8, 3, kWhite }, { 2, 8, kWhite }, { 2, 2, kWhite },
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(p.clr, canvas.m_dc.GetPixel(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(kBR, canvas.m_dc.GetBkColor());
}

TEST(Gdi, HalftoneBrushAlternatesPixels)
{
    CMemoryCanvas canvas;
    canvas.m_dc.SetTextColor(RGB(0, 0, 0));
    canvas.m_dc.SetBkColor(kWhite);
    CBrush* pBrush = CDC::GetHalftoneBrush();
    ASSERT_NE((HGDIOBJ)NULL, pBrush->GetSafeHandle());
    EXPECT_EQ(pBrush, CDC::GetHalftoneBrush());
    canvas.m_dc.FillRect(CRect(0, 0, 8, 8), pBrush);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            EXPECT_NE(canvas.m_dc.GetPixel(x, y), canvas.m_dc.GetPixel(x + 1, y)) << x << "," << y;
    EXPECT_EQ(canvas.m_dc.GetPixel(0, 0), canvas.m_dc.GetPixel(1, 1));
}

TEST(Gdi, LiveCountsFollowOwnership)
{
    AFX_GDI_COUNTS before = AfxGetGdiCounts();
    {
        CPen pen(PS_SOLID, 1, kTL);
        CBrush brush(kBR);
        CFont font;
        LOGFONT lf = {};
        lf.lfHeight = -12;
        lstrcpy(lf.lfFaceName, _T("Tahoma"));
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
        AFX_GDI_COUNTS during = AfxGetGdiCounts();
        EXPECT_EQ(before.nObjects + 3, during.nObjects);
        EXPECT_EQ(before.nDCs + 1, during.nDCs);

        // Attach/Detach moves ownership; a detached handle is not counted.
        HGDIOBJ hBrush = brush.Detach();
        EXPECT_EQ(before.nObjects + 2, AfxGetGdiCounts().nObjects);
        CBrush other;
        other.Attach(hBrush);
        EXPECT_EQ(&other, CGdiObject::FromHandle(hBrush));   // the owner is found from the handle
    }
    AFX_GDI_COUNTS after = AfxGetGdiCounts();
    EXPECT_EQ(before.nObjects, after.nObjects);
    EXPECT_EQ(before.nDCs, after.nDCs);
}

TEST(Gdi, SelectionReturnsThePreviousObjectAndToleratesAnEmptyFont)
{
    CMemoryCanvas canvas;
    CPen pen(PS_SOLID, 1, kTL);
    CPen* pOld = canvas.m_dc.SelectObject(&pen);
    ASSERT_NE((CPen*)NULL, pOld);
    EXPECT_EQ(&pen, canvas.m_dc.SelectObject(pOld));   // the permanent wrapper comes back
    CFont empty;
    EXPECT_EQ(NULL, canvas.m_dc.SelectObject(&empty));

    // Temporary wrappers of foreign handles live until the temp maps unlock.
    HGDIOBJ hStock = ::GetStockObject(BLACK_BRUSH);
    CGdiObject* pTemp = CGdiObject::FromHandle(hStock);
    EXPECT_EQ(pTemp, CGdiObject::FromHandle(hStock));
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    CGdiObject* pAgain = CGdiObject::FromHandle(hStock);
    EXPECT_EQ(hStock, pAgain->m_hObject);
}

}  // namespace

namespace {

TEST(Gdi, StockAndForeignHandlesAreNotCounted)
{
    AFX_GDI_COUNTS before = AfxGetGdiCounts();
    {
        CBrush stock;
        stock.CreateStockObject(WHITE_BRUSH);
        stock.DeleteObject();   // a stock object wrapper never owned a count
        CDC dc;   // a context made elsewhere and handed over
        dc.Attach(::CreateCompatibleDC(NULL));
        dc.DeleteDC();
    }
    AFX_GDI_COUNTS after = AfxGetGdiCounts();
    EXPECT_EQ(before.nObjects, after.nObjects);
    EXPECT_EQ(before.nDCs, after.nDCs);
}

}  // namespace

TEST(Gdi, LiveImageListsFollowOwnership)
{
    const LONG nBefore = AfxGetGdiCounts().nImageLists;
    {
        CImageList list;
        ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1));
        EXPECT_EQ(nBefore + 1, AfxGetGdiCounts().nImageLists);
        // A temporary wrapper of the same handle owns nothing.
        HIMAGELIST hCopy = ImageList_Duplicate(list.GetSafeHandle());
        ASSERT_NE(nullptr, CImageList::FromHandle(hCopy));
        EXPECT_EQ(nBefore + 1, AfxGetGdiCounts().nImageLists);
        CImageList::DeleteTempMap();
        ImageList_Destroy(hCopy);

        HIMAGELIST hDetached = list.Detach();
        EXPECT_EQ(nBefore, AfxGetGdiCounts().nImageLists);
        ASSERT_TRUE(list.Attach(hDetached));
        EXPECT_EQ(nBefore + 1, AfxGetGdiCounts().nImageLists);
        ASSERT_TRUE(list.DeleteImageList());
        EXPECT_EQ(nBefore, AfxGetGdiCounts().nImageLists);
        ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24, 0, 1));
    }
    EXPECT_EQ(nBefore, AfxGetGdiCounts().nImageLists);
}
