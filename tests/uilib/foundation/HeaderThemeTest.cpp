// Header themes drawn through DrawHeader on DIB canvases over real header
// windows: the classic 3-D lines, the sort arrow and the room it takes,
// pressed items, clipped titles, the shaded layout, and a header without a
// theme.
#include <gtest/gtest.h>

#include "CVZHeaderCtrl.h"
#include "CVZHeaderCtrlThemeClassic.h"
#include "CVZHeaderCtrlThemeFactory.h"
#include "CVZHeaderCtrlThemeFlat.h"
#include "CVZHeaderCtrlThemeShaded.h"
#include "CVZThemeManagerStyleFactory.h"
#include "CVZThemeManagerStyleHost.h"
#include "FoundationTestRes.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"

#include <algorithm>
#include <memory>
#include <stdlib.h>

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;
using vzfoundation_test::ScreenshotPath;

namespace {

const int kHeaderWidth = 320;
const int kHeaderHeight = 24;

// A header whose pressed item the test chooses.
class CTestHeader : public CVZHeaderCtrl
{
public:
    BOOL IsItemPressed(int nItem) override { return nItem == m_nPressed; }
    int m_nPressed = -1;
};

// A borderless popup holding one header at its top left.
class CHeaderScene
{
public:
    explicit CHeaderScene(CTestHeader& header, int nHeight = kHeaderHeight) : m_header(header)
    {
        const CString strClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        EXPECT_TRUE(m_parent.CreateEx(0, strClass, L"header scene", WS_POPUP | WS_VISIBLE,
                                      CRect(60, 60, 60 + kHeaderWidth, 60 + 80), NULL, 0));
        EXPECT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ, CRect(0, 0, kHeaderWidth, nHeight),
                                  &m_parent, 1));
        header.InitFont(FALSE);
    }
    ~CHeaderScene()
    {
        m_header.DestroyWindow();
        m_parent.DestroyWindow();
    }

    void AddItem(LPCWSTR pszText, int nWidth, int nFormat = HDF_LEFT)
    {
        HDITEMW item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<LPWSTR>(pszText);
        item.cxy = nWidth;
        item.fmt = nFormat | HDF_STRING;
        m_header.InsertItem(m_header.GetItemCount(), &item);
    }

    // The header drawn by its theme onto a canvas of its client size.
    void Draw(CDibCanvas& canvas)
    {
        CVZHeaderCtrlThemeClassic* pTheme = m_header.GetHeaderTheme();
        ASSERT_NE(pTheme, nullptr);
        pTheme->DrawHeader(CDC::FromHandle(canvas.Dc()), &m_header);
    }

    // Text size in the header's font.
    CSize TextSize(LPCWSTR pszText)
    {
        CClientDC dc(&m_header);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), (HGDIOBJ)m_header.SendMessage(WM_GETFONT));
        CSize size;
        ::GetTextExtentPoint32W(dc.GetSafeHdc(), pszText, lstrlenW(pszText), &size);
        ::SelectObject(dc.GetSafeHdc(), hOld);
        return size;
    }

private:
    CWnd m_parent;
    CTestHeader& m_header;
};

int ChannelDistance(COLORREF a, COLORREF b)
{
    return std::max({abs(GetRValue(a) - GetRValue(b)), abs(GetGValue(a) - GetGValue(b)),
                     abs(GetBValue(a) - GetBValue(b))});
}

// The bounding box of the pixels in rc that satisfy the test (empty if none).
template <class TTest>
CRect BoxWhere(const CDibCanvas& canvas, const CRect& rc, TTest test)
{
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (test(canvas.Pixel(x, y)))
            {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.left == INT_MAX)
        box.SetRectEmpty();
    return box;
}

// Pixels that differ from the background: text, lines, images.
CRect InkBox(const CDibCanvas& canvas, const CRect& rc, COLORREF clrBack, int nTolerance = 24)
{
    return BoxWhere(canvas, rc, [&](COLORREF clr) { return ChannelDistance(clr, clrBack) > nTolerance; });
}

CRect ColorBox(const CDibCanvas& canvas, const CRect& rc, COLORREF clrWanted)
{
    return BoxWhere(canvas, rc, [&](COLORREF clr) { return clr == clrWanted; });
}

void KeepScreenshot(const CDibCanvas& canvas, const wchar_t* pszName)
{
    canvas.SaveBmp(ScreenshotPath(pszName));
}

}  // namespace

TEST(HeaderTheme, FactoryMakesEachStyle)
{
    CVZHeaderCtrlThemeFactory factory;
    struct Case
    {
        int nStyle;
        const char* name;
    };
    for (const Case& c : {Case{0, "classic"}, Case{1, "flat"}, Case{2, "shaded"}, Case{7, "classic"}})
    {
        std::unique_ptr<CVZThemeManagerStyle> pTheme(factory.CreateTheme(c.nStyle));
        ASSERT_NE(pTheme, nullptr);
        EXPECT_EQ(pTheme->m_nStyle, c.nStyle);
        const bool bFlat = dynamic_cast<CVZHeaderCtrlThemeFlat*>(pTheme.get()) != nullptr;
        const bool bShaded = dynamic_cast<CVZHeaderCtrlThemeShaded*>(pTheme.get()) != nullptr;
        EXPECT_EQ(bFlat, c.nStyle == 1) << c.name;
        EXPECT_EQ(bShaded, c.nStyle == 2) << c.name;
    }

    // The first GetTheme of a shared factory: the manager's style 0.
    CVZThemeManagerStyleHost host(RUNTIME_CLASS(CVZHeaderCtrlThemeFactory));
    CVZThemeManagerStyle* pTheme = host.GetTheme();
    ASSERT_NE(pTheme, nullptr);
    EXPECT_EQ(pTheme->m_nStyle, 0);
    EXPECT_NE(dynamic_cast<CVZHeaderCtrlThemeClassic*>(pTheme), nullptr);
    EXPECT_EQ(dynamic_cast<CVZHeaderCtrlThemeFlat*>(pTheme), nullptr);
}

TEST(HeaderTheme, ClassicDrawsRaisedThreeDLines)
{
    CTestHeader header;
    CHeaderScene scene(header);
    scene.AddItem(L"", 100);
    CVZHeaderCtrlThemeClassic* pTheme = header.GetHeaderTheme();
    ASSERT_NE(pTheme, nullptr);
    EXPECT_EQ(pTheme->m_nStyle, 0);
    EXPECT_FALSE(pTheme->m_bUseVisualStyle) << "no ShowSortArrow call yet";
    EXPECT_FALSE(pTheme->UseHeaderVisualStyle(&header)) << "comctl32 below 6";

    CDibCanvas canvas(kHeaderWidth, kHeaderHeight, RGB(0, 255, 0));
    scene.Draw(canvas);
    KeepScreenshot(canvas, L"header_classic.bmp");
    const int h = kHeaderHeight;
    const int yMid = h / 2;
    // The header's edges: highlight and dark shadow outside, face and shadow
    // inside.
    EXPECT_EQ(canvas.Pixel(200, 0), pTheme->m_clrHighlight);
    EXPECT_EQ(canvas.Pixel(0, yMid), pTheme->m_clrHighlight);
    EXPECT_EQ(canvas.Pixel(200, h - 1), pTheme->m_clrDarkShadow);
    EXPECT_EQ(canvas.Pixel(200, 1), pTheme->m_clrFace);
    EXPECT_EQ(canvas.Pixel(1, yMid), pTheme->m_clrFace);
    EXPECT_EQ(canvas.Pixel(200, h - 2), pTheme->m_clrShadow);
    EXPECT_EQ(canvas.Pixel(200, yMid), pTheme->m_clrFace);
    // The item's right edge: shadow, dark shadow, then the next item's
    // highlight.
    EXPECT_EQ(canvas.Pixel(97, yMid), pTheme->m_clrFace);
    EXPECT_EQ(canvas.Pixel(98, yMid), pTheme->m_clrShadow);
    EXPECT_EQ(canvas.Pixel(99, yMid), pTheme->m_clrDarkShadow);
    EXPECT_EQ(canvas.Pixel(100, yMid), pTheme->m_clrHighlight);
    EXPECT_EQ(canvas.Pixel(99, 0), pTheme->m_clrDarkShadow);
    EXPECT_EQ(canvas.Pixel(98, 1), pTheme->m_clrShadow);
}

TEST(HeaderTheme, SortArrowSitsTenPixelsRightOfTheText)
{
    CTestHeader header;
    CHeaderScene scene(header);
    scene.AddItem(L"Name", 200);
    scene.AddItem(L"Size", 100);
    CVZHeaderCtrlThemeClassic* pTheme = header.GetHeaderTheme();
    ASSERT_NE(pTheme, nullptr);
    const CSize szText = scene.TextSize(L"Name");
    const int xArrow = 6 + szText.cx + 10;
    const int yText = (kHeaderHeight - szText.cy) / 2;

    for (BOOL bAscending : {TRUE, FALSE})
    {
        header.SetSortImage(0, bAscending);
        CDibCanvas canvas(kHeaderWidth, kHeaderHeight, RGB(0, 255, 0));
        scene.Draw(canvas);
        KeepScreenshot(canvas, bAscending ? L"header_sort_ascending.bmp" : L"header_sort_descending.bmp");

        // Everything between the text and the item's right lines is the arrow.
        const CRect box = InkBox(canvas, CRect(6 + szText.cx + 1, 2, 200 - 3, kHeaderHeight - 2), pTheme->m_clrFace, 0);
        const int y = (szText.cy - 7) / 2 + yText - 1;
        // The base runs from x to x + 8; the descending arrow's last line
        // ends short of its corner (lines exclude their end point).
        const int nBase = bAscending ? 9 : 8;
        EXPECT_EQ(box, CRect(xArrow, y, xArrow + nBase, y + 8)) << "ascending " << bAscending;
        // Upward: the tip on top; downward: the base on top.
        const int yTip = bAscending ? y : y + 7;
        const int yBase = bAscending ? y + 7 : y;
        EXPECT_NE(canvas.Pixel(xArrow + 4, yTip), pTheme->m_clrFace);
        EXPECT_EQ(canvas.Pixel(xArrow, yTip), pTheme->m_clrFace);
        for (int x = xArrow; x < xArrow + nBase; x++)
            EXPECT_NE(canvas.Pixel(x, yBase), pTheme->m_clrFace) << x;
    }
    // The other column has no arrow.
    CDibCanvas canvas(kHeaderWidth, kHeaderHeight, RGB(0, 255, 0));
    scene.Draw(canvas);
    const CSize szSize = scene.TextSize(L"Size");
    EXPECT_TRUE(InkBox(canvas, CRect(200 + 6 + szSize.cx + 1, 2, 300 - 3, kHeaderHeight - 2), pTheme->m_clrFace, 0)
                    .IsRectEmpty());
}

TEST(HeaderTheme, SortColumnReservesRoomForTheArrow)
{
    CTestHeader header;
    CHeaderScene scene(header);
    scene.AddItem(L"Right", 200, HDF_RIGHT);
    CVZHeaderCtrlThemeClassic* pTheme = header.GetHeaderTheme();
    ASSERT_NE(pTheme, nullptr);
    const CRect rcText(6, 2, 200 - 6, kHeaderHeight - 2);

    CDibCanvas plain(kHeaderWidth, kHeaderHeight);
    scene.Draw(plain);
    const CRect boxPlain = InkBox(plain, rcText, pTheme->m_clrFace);
    header.SetSortImage(0, TRUE);
    CDibCanvas sorted(kHeaderWidth, kHeaderHeight);
    scene.Draw(sorted);
    KeepScreenshot(sorted, L"header_sort_right_aligned.bmp");
    // The arrow's box lies right of the text; the text itself moved 28
    // pixels to the left.
    const CRect boxSorted = InkBox(sorted, CRect(6, 2, 200 - 6 - 28, kHeaderHeight - 2), pTheme->m_clrFace);
    ASSERT_FALSE(boxPlain.IsRectEmpty());
    EXPECT_EQ(boxSorted.right, boxPlain.right - 28);
    EXPECT_EQ(boxSorted.left, boxPlain.left - 28);
    EXPECT_LE(boxPlain.right, 200 - 6);
}

TEST(HeaderTheme, PressedItemMovesTextAndImageOnePixel)
{
    CTestHeader header;
    CHeaderScene scene(header);
    scene.AddItem(L"Image", 150);
    CVZHeaderCtrlThemeClassic* pTheme = header.GetHeaderTheme();
    ASSERT_NE(pTheme, nullptr);
    ASSERT_TRUE(pTheme->SetItemBitmap(0, IDR_TEST_TOOLBAR, FALSE, RGB(192, 192, 192), &header));

    CDibCanvas normal(kHeaderWidth, kHeaderHeight);
    scene.Draw(normal);
    header.m_nPressed = 0;
    CDibCanvas pressed(kHeaderWidth, kHeaderHeight);
    scene.Draw(pressed);
    header.m_nPressed = -1;
    KeepScreenshot(normal, L"header_image.bmp");
    KeepScreenshot(pressed, L"header_image_pressed.bmp");

    // The image: red at 2..12, blue at 18..28 of a 32-pixel strip.
    const CRect rcRedNormal = ColorBox(normal, CRect(0, 0, 150, kHeaderHeight), RGB(255, 0, 0));
    const int xImage = 6;
    const int yImage = (kHeaderHeight - 15) / 2;
    EXPECT_EQ(rcRedNormal, CRect(xImage + 2, yImage + 2, xImage + 13, yImage + 13));
    // Inside the item's edges everything moved by (1, 1).
    int nDifferent = 0;
    for (int y = 3; y < kHeaderHeight - 4; y++)
        for (int x = 3; x < 150 - 4; x++)
            if (normal.Pixel(x, y) != pressed.Pixel(x + 1, y + 1))
                nDifferent++;
    EXPECT_EQ(nDifferent, 0);
    // Text follows the image.
    const CRect rcText = InkBox(normal, CRect(xImage + 32, 2, 150 - 6, kHeaderHeight - 2), pTheme->m_clrFace);
    EXPECT_FALSE(rcText.IsRectEmpty());
    EXPECT_GE(rcText.left, xImage + 32 + 6);

    EXPECT_FALSE(pTheme->SetItemBitmap(0, 0, TRUE, 0, &header)) << "removal answers FALSE";
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    header.GetItem(0, &item);
    EXPECT_EQ(item.fmt & HDF_BITMAP, 0);
    EXPECT_FALSE(pTheme->SetItemBitmap(0, 9999, FALSE, 0, &header)) << "no such bitmap";
}

TEST(HeaderTheme, CentredTitleWiderThanItsItemEndsInAnEllipsis)
{
    CTestHeader header;
    CHeaderScene scene(header);
    const wchar_t kTitle[] = L"A title far wider than its column";
    scene.AddItem(kTitle, 90, HDF_CENTER);
    scene.AddItem(L"Next", 100);
    CVZHeaderCtrlThemeClassic* pTheme = header.GetHeaderTheme();
    ASSERT_NE(pTheme, nullptr);
    ASSERT_GT(scene.TextSize(kTitle).cx, 90);

    CDibCanvas canvas(kHeaderWidth, kHeaderHeight);
    scene.Draw(canvas);
    KeepScreenshot(canvas, L"header_ellipsis.bmp");
    const CSize szText = scene.TextSize(kTitle);
    const int yText = (kHeaderHeight - szText.cy) / 2;
    const CRect rcItemInside(2, 2, 90 - 3, kHeaderHeight - 2);
    const CRect box = InkBox(canvas, rcItemInside, pTheme->m_clrFace);
    ASSERT_FALSE(box.IsRectEmpty());
    EXPECT_GE(box.left, 6);
    EXPECT_LE(box.right, 90 - 6);
    // The ellipsis: the last dots' columns hold ink only near the baseline.
    const int nDots = scene.TextSize(L"...").cx;
    const CRect rcDotsUpper(box.right - nDots + 2, yText, box.right, yText + szText.cy / 2);
    EXPECT_TRUE(InkBox(canvas, rcDotsUpper, pTheme->m_clrFace).IsRectEmpty());
    EXPECT_FALSE(InkBox(canvas, CRect(box.right - nDots + 2, yText + szText.cy / 2, box.right, yText + szText.cy),
                        pTheme->m_clrFace)
                     .IsRectEmpty());
}

TEST(HeaderTheme, ShadedHeaderIsTenPixelsTallerThanItsFont)
{
    CTestHeader header;
    CHeaderScene scene(header);
    scene.AddItem(L"Shaded", 120);
    header.SetTheme(new CVZHeaderCtrlThemeShaded);
    CVZHeaderCtrlThemeClassic* pTheme = header.GetHeaderTheme();
    ASSERT_NE(dynamic_cast<CVZHeaderCtrlThemeShaded*>(pTheme), nullptr);

    TEXTMETRICW tm = {};
    {
        CClientDC dc(&header);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), (HGDIOBJ)header.SendMessage(WM_GETFONT));
        ::GetTextMetricsW(dc.GetSafeHdc(), &tm);
        ::SelectObject(dc.GetSafeHdc(), hOld);
    }
    CRect rcLayout(5, 7, 205, 100);
    WINDOWPOS pos = {};
    HDLAYOUT layout = {&rcLayout, &pos};
    ASSERT_TRUE(header.Layout(&layout));
    EXPECT_EQ(pos.cy, tm.tmHeight + 10);
    EXPECT_EQ(pos.cx, 200);
    EXPECT_EQ(pos.x, 5);
    EXPECT_EQ(pos.y, 7);
    EXPECT_EQ(rcLayout.top, 7 + tm.tmHeight + 10);
    // OnThemeChanged laid the window out the same way.
    CRect rcWindow;
    header.GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWindow.Height(), tm.tmHeight + 10);

    CDibCanvas canvas(kHeaderWidth, tm.tmHeight + 10);
    scene.Draw(canvas);
    KeepScreenshot(canvas, L"header_shaded.bmp");
    EXPECT_EQ(canvas.Pixel(200, 0), pTheme->m_clrHighlight);
    EXPECT_NE(canvas.Pixel(200, tm.tmHeight + 10 - 3), pTheme->m_clrFace) << "the shaded bottom lines";
}

namespace header_theme_test {

// A factory class the manager cannot create by name.
class CNoFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNAMIC(CNoFactory)
};
IMPLEMENT_DYNAMIC(CNoFactory, CVZThemeManagerStyleFactory)

}  // namespace header_theme_test

using header_theme_test::CNoFactory;

TEST(HeaderTheme, AHeaderWithoutThemePaintsByDefault)
{
    CTestHeader header;
    header.SetFactoryClass(RUNTIME_CLASS(CNoFactory));
    CHeaderScene scene(header);
    scene.AddItem(L"Plain", 120);
    EXPECT_EQ(header.GetHeaderTheme(), nullptr);
    header.ShowSortArrow(TRUE);   // nothing to do without a theme
    header.SetSortImage(0, TRUE);
    header.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);

    CDibCanvas canvas(kHeaderWidth, kHeaderHeight, RGB(0, 255, 0));
    tesmir::test::CaptureWindow(header.GetSafeHwnd(), canvas);
    KeepScreenshot(canvas, L"header_no_theme.bmp");
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(canvas.Count(CRect(0, 0, kHeaderWidth, kHeaderHeight), clrFace), kHeaderWidth * kHeaderHeight / 2);
    EXPECT_FALSE(InkBox(canvas, CRect(4, 3, 100, kHeaderHeight - 3), clrFace).IsRectEmpty()) << "its title";
}
