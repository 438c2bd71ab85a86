// The flat theme printed into a 32-bit DIB through WM_PRINT and drawn
// directly: popup rows with their gutter, highlight, check box and mark,
// separators and texts; the state table of its rectangles; grippers, tear-off
// grippers and bar fills. Every colour of the table is overridden with one of
// its own, so each pixel names the colour index it came from; sizes follow the
// text height of the font the theme actually selected.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPControlButton.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPFlatPaintManager.h"
#include "CVZPImageManager.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPImageManagerIconHandle.h"
#include "CVZPPopupBar.h"
#include "CVZPToolBar.h"

#include <TestSupport.h>

using namespace vzcommandbars_test;
using tesmir::test::CDibCanvas;

namespace {

const UINT kImageId = 600;
const COLORREF kPaper = RGB(1, 2, 3);
const COLORREF kImageColor = RGB(0, 0, 255);

// A colour of its own for every index of the table (none is black, white,
// the paper or the image colour).
COLORREF IndexColor(int nIndex)
{
    return RGB(20 + 3 * nIndex, 240 - 2 * nIndex, 60 + (nIndex * 37) % 150);
}

HICON CreateSolidIcon(COLORREF clr)
{
    CDibCanvas color(16, 16, clr);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hMask);
    ::PatBlt(hdc, 0, 0, 16, 16, BLACKNESS);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ICONINFO ii = {TRUE, 0, 0, hMask, color.Bitmap()};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    return hIcon;
}

template <class TBar>
TBar* CreateBar(int nPosition, const CRect& rect)
{
    TBar* pBar = new TBar;
    pBar->m_barPosition = nPosition;
    pBar->CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, rect, NULL, 0);
    return pBar;
}

class FlatThemeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(1);
        m_pTheme = dynamic_cast<CVZPFlatPaintManager*>(VZPPaintManager());
        ASSERT_NE(nullptr, m_pTheme);
        ASSERT_EQ(1, m_pTheme->GetThemeType());
        for (int i = 1; i < CVZPCommandBarPaintManager::kColorCount; i++)
            m_pTheme->SetColorOverride(i, IndexColor(i));
        m_pImages = new CVZPImageManager;
        CVZPImageManagerIconHandle handle;
        handle.AttachIcon(CreateSolidIcon(kImageColor));
        ASSERT_TRUE(m_pImages->SetIcon(handle, kImageId));
    }
    void TearDown() override
    {
        for (CVZPCommandBar* pBar : m_bars)
            pBar->InternalRelease();
        if (m_pImages != NULL)
            m_pImages->InternalRelease();
    }

    CVZPPopupBar* NewPopup(const CRect& rect)
    {
        CVZPPopupBar* pPopup = CreateBar<CVZPPopupBar>(vzpBarPopup, rect);
        pPopup->m_barType = vzpBarTypePopup;
        Adopt(pPopup);
        return pPopup;
    }
    CVZPToolBar* NewToolBar(int nPosition, const CRect& rect)
    {
        CVZPToolBar* pBar = CreateBar<CVZPToolBar>(nPosition, rect);
        Adopt(pBar);
        return pBar;
    }
    void Adopt(CVZPCommandBar* pBar)
    {
        m_pImages->InternalAddRef();
        pBar->m_pImageManager = m_pImages;
        m_bars.push_back(pBar);
    }

    CVZPControl* AddControl(CVZPCommandBar* pBar, int nType, LPCTSTR lpszCaption, UINT nId = 0)
    {
        CVZPControl* pControl = nType == vzpControlButton ? (CVZPControl*)new CVZPControlButton
                                                          : CVZPControlPopup::CreateControlPopup(nType);
        pControl->SetCaption(lpszCaption);
        pControl->SetId(nId);
        pBar->GetControls()->AddControl(pControl);
        return pControl;
    }

    static void Print(CWnd* pWnd, CDibCanvas& canvas)
    {
        pWnd->SendMessage(WM_PRINT, WPARAM(canvas.Dc()), PRF_CLIENT);
    }

    // The gutter column of popup rows with 16 x 16 icons.
    int Column() const { return std::max(m_pTheme->m_nTextHeight + 4, 20); }
    int Row() const { return std::max(m_pTheme->m_nTextHeight, 22); }

    CVZPFlatPaintManager* m_pTheme = NULL;
    CVZPImageManager* m_pImages = NULL;
    std::vector<CVZPCommandBar*> m_bars;
};

TEST_F(FlatThemeTest, PopupRowsShowGutterHighlightCheckBoxAndTexts)
{
    const int W = 260;
    const int G = Column();
    const int nRow = Row();
    struct Item
    {
        int nType;
        const wchar_t* caption;
        int nSelected;
        BOOL bChecked;
        BOOL bEnabled;
        BOOL bExpanded;
        BOOL bGroup;
        UINT nId;
    } items[] = {
        {vzpControlButton, L"&Open", 0, FALSE, TRUE, FALSE, FALSE, kImageId},
        {vzpControlButton, L"Hot", 1, FALSE, TRUE, FALSE, FALSE, 0},
        {vzpControlButton, L"Checked", 0, TRUE, TRUE, FALSE, FALSE, 0},
        {vzpControlButton, L"Expanded", 0, FALSE, TRUE, TRUE, FALSE, 0},
        {vzpControlButton, L"Disabled", 0, FALSE, FALSE, FALSE, FALSE, 0},
        {vzpControlPopup, L"Submenu", 0, FALSE, TRUE, FALSE, TRUE, 0},
    };
    const int H = 2 + (int)_countof(items) * nRow + 3 + 2;
    CVZPPopupBar* pPopup = NewPopup(CRect(0, 0, W, H));
    std::vector<CVZPControl*> rows;
    int y = 2;
    for (const Item& item : items)
    {
        if (item.bGroup)
            y += 3;
        CVZPControl* pControl = AddControl(pPopup, item.nType, item.caption, item.nId);
        pControl->SetRect(CRect(2, y, W - 2, y + nRow));
        pControl->m_bSelected = item.nSelected;
        pControl->SetChecked(item.bChecked);
        pControl->SetEnabled(item.bEnabled);
        pControl->m_bExpanded = item.bExpanded;
        pControl->m_bBeginGroup = item.bGroup;
        rows.push_back(pControl);
        y += nRow;
    }
    rows[0]->m_strShortcutText = L"Ctrl+O";

    ASSERT_EQ(G + 1, m_pTheme->GetPopupGutterWidth(pPopup));
    CDibCanvas canvas(W + 20, H + 20, kPaper);
    Print(pPopup, canvas);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_flat_popup.bmp"));

    // Frame, gutter, face.
    EXPECT_EQ(IndexColor(43), canvas.Pixel(0, 0));
    EXPECT_EQ(IndexColor(43), canvas.Pixel(W - 1, H - 1));
    EXPECT_EQ(kPaper, canvas.Pixel(W, H));
    const CRect rcOpen = rows[0]->GetRect();
    EXPECT_EQ(IndexColor(30), canvas.Pixel(1, rcOpen.top + 1));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(G + 1, rcOpen.top + 1));
    EXPECT_EQ(IndexColor(41), canvas.Pixel(G + 2, rcOpen.top + 1));
    EXPECT_EQ(IndexColor(41), canvas.Pixel(W - 3, rcOpen.top + 1));
    // The image (faded while the row is at rest) centred in the gutter
    // column, the texts in the row colour.
    const COLORREF clrFaded = canvas.Pixel(2 + G / 2, rcOpen.CenterPoint().y);
    EXPECT_EQ(255, GetBValue(clrFaded));
    EXPECT_LT(GetRValue(clrFaded), 128);
    EXPECT_GT(canvas.Count(CRect(G + 8, rcOpen.top, W / 2, rcOpen.bottom), IndexColor(44)), 10);
    EXPECT_GT(canvas.Count(CRect(W / 2, rcOpen.top, W - 21, rcOpen.bottom), IndexColor(44)), 10);

    // The hot row: highlight frame and fill over the whole row.
    const CRect rcHot = rows[1]->GetRect();
    EXPECT_EQ(IndexColor(32), canvas.Pixel(rcHot.left, rcHot.top));
    EXPECT_EQ(IndexColor(32), canvas.Pixel(rcHot.right - 1, rcHot.bottom - 1));
    EXPECT_EQ(IndexColor(31), canvas.Pixel(rcHot.left + 1, rcHot.top + 1));
    EXPECT_EQ(IndexColor(31), canvas.Pixel(rcHot.right - 3, rcHot.top + 2));
    EXPECT_GT(canvas.Count(rcHot, IndexColor(45)), 10);

    // The checked row: a 20 x 20 check box centred in the first column,
    // framed and filled by the checked state, with a black mark.
    const CRect rcChecked = rows[2]->GetRect();
    const CRect rcBox(CPoint(rcChecked.left + (G - 20) / 2, rcChecked.top + (nRow - 20) / 2), CSize(20, 20));
    EXPECT_EQ(IndexColor(50), canvas.Pixel(rcBox.left, rcBox.top));
    EXPECT_EQ(IndexColor(50), canvas.Pixel(rcBox.right - 1, rcBox.bottom - 1));
    EXPECT_EQ(IndexColor(36), canvas.Pixel(rcBox.left + 1, rcBox.top + 1));
    EXPECT_GE(canvas.Count(rcBox, RGB(0, 0, 0)), 8);

    // The expanded row's gutter in the shaded colour.
    const CRect rcExpanded = rows[3]->GetRect();
    EXPECT_EQ(IndexColor(42), canvas.Pixel(1, rcExpanded.top + 1));
    EXPECT_EQ(IndexColor(42), canvas.Pixel(G + 1, rcExpanded.bottom - 1));
    EXPECT_EQ(IndexColor(41), canvas.Pixel(G + 2, rcExpanded.top + 1));

    // The disabled caption in the disabled text colour, not embossed.
    const CRect rcDisabled = rows[4]->GetRect();
    EXPECT_GT(canvas.Count(rcDisabled, IndexColor(35)), 10);
    EXPECT_EQ(0, canvas.Count(rcDisabled, IndexColor(COLOR_BTNHIGHLIGHT)));

    // The separator before the submenu: from the gutter width + 9 to the
    // client's right edge less one, two pixels above the row.
    const CRect rcSub = rows[5]->GetRect();
    const int ySep = rcSub.top - 2;
    EXPECT_NE(IndexColor(39), canvas.Pixel(G + 9, ySep));
    EXPECT_EQ(IndexColor(39), canvas.Pixel(G + 10, ySep));
    EXPECT_EQ(IndexColor(39), canvas.Pixel(W - 3, ySep));
    // Its arrow at right - 11 .. right - 8 in the text colour.
    EXPECT_EQ(IndexColor(44), canvas.Pixel(rcSub.right - 10, rcSub.CenterPoint().y));
    EXPECT_EQ(IndexColor(41), canvas.Pixel(rcSub.right - 6, rcSub.CenterPoint().y));
}

TEST_F(FlatThemeTest, DoubleGripperShowsTheCheckMarkBesideTheImage)
{
    const int G = Column();
    const int nRow = Row();
    for (BOOL bDouble : {FALSE, TRUE})
    {
        SCOPED_TRACE(bDouble);
        CVZPPopupBar* pPopup = NewPopup(CRect(0, 0, 200, nRow + 6));
        pPopup->m_bDoubleGripper = bDouble;
        EXPECT_EQ((bDouble ? 2 * G : G) + 1, m_pTheme->GetPopupGutterWidth(pPopup));
        CVZPControl* pItem = AddControl(pPopup, vzpControlButton, L"Bold", kImageId);
        pItem->SetRect(CRect(2, 2, 198, 2 + nRow));
        pItem->SetChecked(TRUE);
        // Measured: the text, the gutter area and 40.
        CDibCanvas canvas(220, nRow + 20, kPaper);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        {
            CRect rcText(0, 0, 0, 0);
            CFont* pOld = pDC->SelectObject(&m_pTheme->m_fontRegular);
            pDC->DrawText(L"Bold", rcText, DT_CALCRECT | DT_SINGLELINE);
            pDC->SelectObject(pOld);
            EXPECT_EQ(CSize(rcText.Width() + (bDouble ? 2 * G : G) + 40, nRow), m_pTheme->DrawControl(pDC, pItem, FALSE));
        }
        Print(pPopup, canvas);
        canvas.SaveBmp(ScreenshotPath(bDouble ? L"commandbars_flat_double_gripper.bmp"
                                              : L"commandbars_flat_checked_image.bmp"));
        const CRect rcFirst(2, 2, 2 + G, 2 + nRow);
        const CRect rcSecond(2 + G, 2, 2 + 2 * G, 2 + nRow);
        if (bDouble)
        {
            EXPECT_GE(canvas.Count(rcFirst, RGB(0, 0, 0)), 8);
            EXPECT_EQ(0, canvas.Count(rcFirst, kImageColor));
            EXPECT_EQ(256, canvas.Count(rcSecond, kImageColor));
        }
        else
        {
            // The checked image replaces the mark.
            EXPECT_EQ(0, canvas.Count(rcFirst, RGB(0, 0, 0)));
            EXPECT_EQ(256, canvas.Count(rcFirst, kImageColor));
        }
    }
}

TEST_F(FlatThemeTest, RectanglesAndTextColoursFollowTheStateTable)
{
    struct Case
    {
        const wchar_t* name;
        BOOL bEnabled;
        int nSelected;
        int nPressed;
        BOOL bChecked;
        BOOL bPopuped;
        int nPosition;
        int nBorder;   // -1: nothing drawn
        int nFill;     // -1: nothing drawn
        int nText;     // DrawControlRectangle's text colour
    } cases[] = {
        {L"disabled keyboard on popup", FALSE, 2, 0, FALSE, FALSE, vzpBarPopup, 32, 41, 60},
        {L"disabled keyboard checked", FALSE, 2, 0, TRUE, FALSE, vzpBarTop, 32, 33, 60},
        {L"disabled keyboard", FALSE, 2, 0, FALSE, FALSE, vzpBarTop, 32, 31, 60},
        {L"disabled checked", FALSE, 0, 0, TRUE, FALSE, vzpBarTop, 58, 36, 60},
        {L"disabled checked on popup", FALSE, 0, 0, TRUE, FALSE, vzpBarPopup, 58, -1, 60},
        {L"disabled", FALSE, 1, 0, FALSE, FALSE, vzpBarTop, -1, -1, 60},
        {L"popup open", TRUE, 1, 0, FALSE, TRUE, vzpBarTop, 43, 30, 46},
        {L"checked", TRUE, 0, 0, TRUE, FALSE, vzpBarTop, 50, 36, 45},
        {L"checked hot", TRUE, 1, 0, TRUE, FALSE, vzpBarTop, 37, 33, 47},
        {L"executed", TRUE, 0, 2, FALSE, FALSE, vzpBarTop, 50, 33, 47},
        {L"held", TRUE, 1, 1, FALSE, FALSE, vzpBarTop, 50, 33, 47},
        {L"hot", TRUE, 1, 0, FALSE, FALSE, vzpBarTop, 32, 31, 45},
        {L"held outside", TRUE, 0, 1, FALSE, FALSE, vzpBarTop, 32, 31, 45},
        {L"normal", TRUE, 0, 0, FALSE, FALSE, vzpBarTop, -1, -1, 46},
        {L"normal on popup", TRUE, 0, 0, FALSE, FALSE, vzpBarPopup, -1, -1, 44},
    };
    CDibCanvas canvas(40, 40, kPaper);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(tesmir::test::Utf8(c.name));
        canvas.Fill(kPaper);
        m_pTheme->DrawControlRectangle(pDC, CRect(5, 5, 30, 30), c.bEnabled, c.nSelected, c.nPressed, c.bChecked,
                                       c.bPopuped, c.nPosition);
        EXPECT_EQ(c.nBorder == -1 ? kPaper : IndexColor(c.nBorder), canvas.Pixel(5, 5));
        EXPECT_EQ(c.nBorder == -1 ? kPaper : IndexColor(c.nBorder), canvas.Pixel(29, 29));
        EXPECT_EQ(c.nFill == -1 ? kPaper : IndexColor(c.nFill), canvas.Pixel(17, 17));
        EXPECT_EQ(kPaper, canvas.Pixel(4, 4));
        EXPECT_EQ(IndexColor(c.nText), pDC->GetTextColor());
        EXPECT_EQ(TRANSPARENT, pDC->GetBkMode());
    }
}

TEST_F(FlatThemeTest, HotImagesRiseOverTheirShadow)
{
    CVZPImageManagerIcon* pImage = m_pImages->GetImage(kImageId, 16);
    ASSERT_NE(nullptr, pImage);
    CDibCanvas canvas(80, 40, kPaper);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    // Hot: the image one pixel up and left, its shadow one down and right.
    m_pTheme->DrawImage(pDC, CPoint(10, 10), CSize(16, 16), pImage, TRUE, FALSE, TRUE, FALSE, FALSE, TRUE);
    EXPECT_EQ(kImageColor, canvas.Pixel(9, 9));
    EXPECT_NE(kPaper, canvas.Pixel(26, 26));
    EXPECT_NE(kImageColor, canvas.Pixel(26, 26));
    // Pressed: the image at the point.
    m_pTheme->DrawImage(pDC, CPoint(40, 10), CSize(16, 16), pImage, TRUE, TRUE, TRUE, FALSE, FALSE, TRUE);
    EXPECT_EQ(kPaper, canvas.Pixel(39, 9));
    EXPECT_EQ(kImageColor, canvas.Pixel(40, 10));
    EXPECT_EQ(kImageColor, canvas.Pixel(55, 25));
    EXPECT_EQ(kPaper, canvas.Pixel(56, 26));
    canvas.SaveBmp(ScreenshotPath(L"commandbars_flat_images.bmp"));
}

TEST_F(FlatThemeTest, SizesOfSeparatorsGrippersAndExclusions)
{
    CVZPPopupBar* pPopup = NewPopup(CRect(0, 0, 100, 100));
    CVZPToolBar* pBar = NewToolBar(vzpBarTop, CRect(0, 0, 200, 30));
    CVZPControl* pButton = AddControl(pBar, vzpControlButton, L"");
    CVZPControl* pItem = AddControl(pPopup, vzpControlButton, L"");
    CDibCanvas canvas(10, 10, kPaper);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    EXPECT_EQ(CSize(3, 3), m_pTheme->DrawCommandBarSeparator(pDC, pPopup, pItem, FALSE));
    EXPECT_EQ(CSize(6, 6), m_pTheme->DrawCommandBarSeparator(pDC, pBar, pButton, FALSE));
    EXPECT_EQ(CSize(6, 0), m_pTheme->DrawCommandBarGripper(pDC, pBar, FALSE));
    pBar->m_barPosition = vzpBarRight;
    EXPECT_EQ(CSize(0, 8), m_pTheme->DrawCommandBarGripper(pDC, pBar, FALSE));
    pBar->m_barPosition = vzpBarTop;
    const int nTextHeight = m_pTheme->m_nTextHeight;
    for (int T : {12, 18, 19, 24})
    {
        m_pTheme->m_nTextHeight = T;
        EXPECT_EQ(CSize(6, std::max(22, T + 4)), m_pTheme->DrawCommandBarGripperEx(pDC, pBar, FALSE)) << T;
    }
    m_pTheme->m_nTextHeight = nTextHeight;
    EXPECT_EQ(CSize(0, 9), m_pTheme->DrawTearOffGripper(pDC, CRect(0, 0, 100, 9), FALSE, FALSE));

    struct Exclusion
    {
        CVZPControl* pControl;
        BOOL bHorizontal;
        CRect expected;
    } exclusions[] = {
        {pItem, TRUE, CRect(9, 10, 31, 30)},
        {pButton, TRUE, CRect(11, 10, 29, 30)},
        {pButton, FALSE, CRect(10, 11, 30, 29)},
    };
    for (const Exclusion& e : exclusions)
    {
        CRect rc(10, 10, 30, 30);
        m_pTheme->AdjustExcludeRect(rc, e.pControl, e.bHorizontal);
        EXPECT_EQ(e.expected, rc);
    }
}

TEST_F(FlatThemeTest, TearOffGripperDashesNeedRoom)
{
    struct Case
    {
        int nWidth;
        BOOL bSelected;
        int nLine;            // dash colour index
        std::vector<int> ys;  // rows of dashes
        int nHalf;            // dashes from centre - half to centre + half
    } cases[] = {
        {20, FALSE, 38, {}, 0},
        {40, FALSE, 38, {3, 5, 7}, 10},
        {100, FALSE, 38, {3, 5, 7}, 16},
        {100, TRUE, 45, {4, 6}, 16},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nWidth);
        CDibCanvas canvas(c.nWidth + 10, 12, kPaper);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        m_pTheme->DrawTearOffGripper(pDC, CRect(0, 0, c.nWidth, 9), c.bSelected, TRUE);
        const CRect rcAll(0, 0, c.nWidth + 10, 12);
        EXPECT_EQ(IndexColor(41), canvas.Pixel(1, 1));
        EXPECT_EQ(IndexColor(c.bSelected ? 32 : 30), canvas.Pixel(2, 2));
        if (c.ys.empty())
        {
            EXPECT_EQ(0, canvas.Count(rcAll, IndexColor(c.nLine)));
        }
        const int nCenter = CRect(2, 2, c.nWidth, 8).CenterPoint().x;
        for (int y : c.ys)
        {
            EXPECT_EQ(IndexColor(c.nLine), canvas.Pixel(nCenter - c.nHalf, y)) << y;
            EXPECT_EQ(IndexColor(c.nLine), canvas.Pixel(nCenter + c.nHalf - 1, y)) << y;
            EXPECT_NE(IndexColor(c.nLine), canvas.Pixel(nCenter + c.nHalf, y)) << y;
        }
    }
}

TEST_F(FlatThemeTest, DockedToolbarsHaveRoundCornersAndFloatingBarsADoubleFrame)
{
    CVZPToolBar* pBar = NewToolBar(vzpBarTop, CRect(0, 0, 200, 30));
    pBar->SetBarStyle(CBRS_GRIPPER);
    CDibCanvas canvas(220, 60, kPaper);
    Print(pBar, canvas);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_flat_toolbar.bmp"));
    EXPECT_EQ(IndexColor(COLOR_BTNFACE), canvas.Pixel(0, 0));
    EXPECT_EQ(IndexColor(COLOR_BTNFACE), canvas.Pixel(1, 1));
    EXPECT_EQ(IndexColor(COLOR_BTNFACE), canvas.Pixel(198, 28));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(2, 1));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(100, 15));
    // Gripper dashes at x = 3 to 5, every other row from 5.
    EXPECT_EQ(IndexColor(38), canvas.Pixel(3, 5));
    EXPECT_EQ(IndexColor(38), canvas.Pixel(5, 7));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(6, 5));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(4, 6));

    CVZPToolBar* pFloating = NewToolBar(vzpBarFloating, CRect(0, 0, 120, 50));
    canvas.Fill(kPaper);
    Print(pFloating, canvas);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_flat_floating.bmp"));
    for (CPoint pt : {CPoint(0, 0), CPoint(1, 1), CPoint(2, 2), CPoint(117, 47), CPoint(118, 48), CPoint(119, 49)})
        EXPECT_EQ(IndexColor(43), canvas.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(IndexColor(30), canvas.Pixel(3, 2));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(60, 25));
}

}  // namespace

namespace {

TEST_F(FlatThemeTest, ComboBoxDropButtonFollowsTheAverageCharacterWidth)
{
    CVZPToolBar* pBar = NewToolBar(vzpBarTop, CRect(0, 0, 200, 34));
    CVZPControlComboBox* pCombo = new CVZPControlComboBox;
    pBar->GetControls()->AddControl(pCombo, 1500);
    pCombo->SetRect(CRect(10, 4, 150, 28));
    pCombo->m_bSelected = 1;
    for (int nWidth : {4, 12})
    {
        SCOPED_TRACE(nWidth);
        LOGFONT lf = {};
        lf.lfHeight = -12;
        lf.lfWidth = nWidth;
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
        m_pTheme->m_fontIcon.DeleteObject();
        ASSERT_TRUE(m_pTheme->m_fontIcon.CreateFontIndirect(&lf));
        CDibCanvas canvas(200, 34, kPaper);
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        TEXTMETRIC tm;
        {
            CFont* pOld = pDC->SelectObject(&m_pTheme->m_fontIcon);
            pDC->GetTextMetrics(&tm);
            pDC->SelectObject(pOld);
        }
        const int nButton = std::max(2 * (int)tm.tmAveCharWidth + 4, 15);
        if (nWidth == 4 && tm.tmAveCharWidth == 4)
        {
            EXPECT_EQ(15, nButton);
        }
        m_pTheme->DrawControl(pDC, pCombo, TRUE);
        canvas.SaveBmp(ScreenshotPath(nWidth == 4 ? L"commandbars_flat_combo_narrow.bmp"
                                                  : L"commandbars_flat_combo_wide.bmp"));
        // The selected box is framed in 32 and white inside; its drop-down
        // part is framed again and filled in the hot colour.
        const int xDrop = 150 - nButton;
        EXPECT_EQ(IndexColor(32), canvas.Pixel(10, 15));
        EXPECT_EQ(IndexColor(COLOR_WINDOW), canvas.Pixel(xDrop - 1, 15));
        EXPECT_EQ(IndexColor(32), canvas.Pixel(xDrop, 15));
        EXPECT_EQ(IndexColor(31), canvas.Pixel(xDrop + 1, 6));
        EXPECT_EQ(IndexColor(32), canvas.Pixel(149, 15));
        // The glyph in the selected text colour.
        EXPECT_GT(canvas.Count(CRect(xDrop, 4, 150, 28), IndexColor(45)), 3);
    }
}

TEST_F(FlatThemeTest, CustomiseListRowsShowGutterHighlightAndArrow)
{
    CVZPPopupBar* pPopup = NewPopup(CRect(0, 0, 100, 100));
    CVZPControl* pPopupControl = AddControl(pPopup, vzpControlPopup, L"Submenu");
    const int G = Column();
    const int nRow = Row();
    EXPECT_EQ(CSize(G, nRow), m_pTheme->DrawListBoxControl(NULL, pPopupControl, CRect(), FALSE, FALSE, NULL));
    CDibCanvas canvas(220, nRow * 2, kPaper);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    const CRect rcPlain(0, 0, 200, nRow);
    const CRect rcSelected(0, nRow, 200, 2 * nRow);
    m_pTheme->DrawListBoxControl(pDC, pPopupControl, rcPlain, FALSE, TRUE, NULL);
    m_pTheme->DrawListBoxControl(pDC, pPopupControl, rcSelected, TRUE, TRUE, NULL);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_flat_list_rows.bmp"));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(0, 2));
    EXPECT_EQ(IndexColor(30), canvas.Pixel(G, 2));
    EXPECT_EQ(IndexColor(41), canvas.Pixel(G + 1, 2));
    EXPECT_EQ(IndexColor(44), canvas.Pixel(200 - 9, nRow / 2));
    EXPECT_EQ(IndexColor(32), canvas.Pixel(0, nRow));
    EXPECT_EQ(IndexColor(31), canvas.Pixel(G + 4, nRow + 2));
    EXPECT_EQ(IndexColor(45), canvas.Pixel(200 - 9, nRow + nRow / 2));
    EXPECT_EQ(kPaper, canvas.Pixel(205, 2));
}

}  // namespace
