// The classic theme drawing into a 32-bit DIB: button faces by state (the
// dithered checked face), embossed disabled images, popup rows, gutters,
// check marks and separators, borders, grippers and the bar fill. Sizes
// follow the text height of the font the theme actually selected.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPClassicPaintManager.h"
#include "CVZPControlButton.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
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
const COLORREF kPaper = RGB(1, 2, 3);   // canvas colour no system colour has

// A bar window of the given class that exists only to be drawn for.
template <class TBar>
TBar* CreateBarWindow(int nPosition, const CRect& rect)
{
    TBar* pBar = new TBar;
    pBar->m_barPosition = nPosition;
    pBar->CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, rect, NULL, 0);
    return pBar;
}

class ClassicThemeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(0);
        m_pTheme = DYNAMIC_DOWNCAST_THEME();
        ASSERT_NE(nullptr, m_pTheme);
        m_pBar = CreateBarWindow<CVZPToolBar>(vzpBarTop, CRect(0, 0, 300, 30));
        m_pPopup = CreateBarWindow<CVZPPopupBar>(vzpBarPopup, CRect(0, 0, 200, 200));
        m_pPopup->m_barType = vzpBarTypePopup;
        CVZPImageManager* pImages = new CVZPImageManager;
        CVZPImageManagerIconHandle handle;
        handle.AttachIcon(CreateSolidIcon(RGB(0, 0, 255)));
        ASSERT_TRUE(pImages->SetIcon(handle, kImageId));
        m_pImages = pImages;
        m_pBar->m_pImageManager = pImages;
        pImages->InternalAddRef();
        m_pPopup->m_pImageManager = pImages;
        m_pDC = CDC::FromHandle(m_canvas.Dc());
    }
    void TearDown() override
    {
        m_pBar->InternalRelease();
        m_pPopup->InternalRelease();
    }

    static CVZPClassicPaintManager* DYNAMIC_DOWNCAST_THEME()
    {
        CVZPCommandBarPaintManager* pTheme = VZPPaintManager();
        return pTheme != NULL && pTheme->GetThemeType() == 0 ? static_cast<CVZPClassicPaintManager*>(pTheme) : NULL;
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

    COLORREF Sys(int nIndex) const { return m_pTheme->GetColor(nIndex); }

    CVZPClassicPaintManager* m_pTheme = NULL;
    CVZPToolBar* m_pBar = NULL;
    CVZPPopupBar* m_pPopup = NULL;
    CVZPImageManager* m_pImages = NULL;
    CDibCanvas m_canvas{320, 240, kPaper};
    CDC* m_pDC = NULL;
};

TEST_F(ClassicThemeTest, ButtonFacesFollowTheStateTable)
{
    // A checked button away from the mouse: a dithered face of face and
    // highlight pixels inside a sunken frame; hovered: a plain sunken
    // button; hot: raised; pressed by execution: sunken; disabled: nothing
    // unless checked.
    struct Case
    {
        const wchar_t* name;
        BOOL bEnabled;
        int nSelected;
        int nPressed;
        BOOL bChecked;
        int nTopLeft;    // frame colour index, -1 none
        bool bDithered;
    } cases[] = {
        {L"checked", TRUE, 0, 0, TRUE, COLOR_BTNSHADOW, true},
        {L"checked hot", TRUE, 1, 0, TRUE, COLOR_BTNSHADOW, false},
        {L"hot", TRUE, 1, 0, FALSE, COLOR_BTNHIGHLIGHT, false},
        {L"held outside", TRUE, 0, 1, FALSE, COLOR_BTNHIGHLIGHT, false},
        {L"held", TRUE, 1, 1, FALSE, COLOR_BTNSHADOW, false},
        {L"executed", TRUE, 0, 2, FALSE, COLOR_BTNSHADOW, false},
        {L"normal", TRUE, 0, 0, FALSE, -1, false},
        {L"disabled", FALSE, 1, 0, FALSE, -1, false},
        {L"disabled checked", FALSE, 0, 0, TRUE, COLOR_BTNSHADOW, false},
        {L"disabled keyboard", FALSE, 2, 0, FALSE, COLOR_BTNSHADOW, false},
    };
    int x = 4;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(tesmir::test::Utf8(c.name));
        CVZPControl* pControl = AddControl(m_pBar, vzpControlButton, L"");
        pControl->SetRect(CRect(x, 4, x + 23, 27));
        pControl->SetEnabled(c.bEnabled);
        pControl->m_bSelected = c.nSelected;
        pControl->SetPressed(c.nPressed);
        pControl->SetChecked(c.bChecked);
        m_pTheme->DrawControl(m_pDC, pControl, TRUE);
        if (c.nTopLeft == -1)
        {
            EXPECT_EQ(kPaper, m_canvas.Pixel(x, 4));
            EXPECT_EQ(kPaper, m_canvas.Pixel(x + 22, 26));
        }
        else
        {
            const int nBottomRight = c.nTopLeft == COLOR_BTNSHADOW ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
            EXPECT_EQ(Sys(c.nTopLeft), m_canvas.Pixel(x, 4));
            EXPECT_EQ(Sys(c.nTopLeft), m_canvas.Pixel(x + 10, 4));
            EXPECT_EQ(Sys(nBottomRight), m_canvas.Pixel(x + 22, 26));
            EXPECT_EQ(Sys(nBottomRight), m_canvas.Pixel(x + 10, 26));
        }
        // Inside the frame: alternating pixels, or the canvas left alone.
        const COLORREF a = m_canvas.Pixel(x + 10, 15);
        const COLORREF b = m_canvas.Pixel(x + 11, 15);
        const COLORREF c2 = m_canvas.Pixel(x + 11, 16);
        if (c.bDithered)
        {
            EXPECT_NE(a, b);
            EXPECT_EQ(a, c2);
            EXPECT_TRUE((a == Sys(COLOR_BTNFACE) && b == Sys(COLOR_BTNHIGHLIGHT)) ||
                        (a == Sys(COLOR_BTNHIGHLIGHT) && b == Sys(COLOR_BTNFACE)));
        }
        else
        {
            EXPECT_EQ(kPaper, a);
            EXPECT_EQ(kPaper, b);
        }
        x += 30;
    }
    m_canvas.SaveBmp(ScreenshotPath(L"commandbars_classic_buttons.bmp"));
}

// The faces reach a toolbar printed through WM_PRINT: its checked button is
// dithered inside a sunken frame until the mouse is over it, then it is a
// plain sunken button on the bar's face.
TEST_F(ClassicThemeTest, PrintedToolbarShowsTheCheckedFaceUntilHovered)
{
    CVZPControl* pControl = AddControl(m_pBar, vzpControlButton, L"");
    pControl->SetRect(CRect(40, 4, 63, 27));
    pControl->SetChecked(TRUE);
    for (int nSelected : {0, 1})
    {
        SCOPED_TRACE(nSelected);
        pControl->m_bSelected = nSelected;
        CDibCanvas canvas(300, 30, kPaper);
        EXPECT_EQ(1, m_pBar->SendMessage(WM_PRINT, (WPARAM)canvas.Dc(), PRF_CLIENT));
        if (nSelected == 0)
            canvas.SaveBmp(ScreenshotPath(L"commandbars_classic_printed_checked.bmp"));
        EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.Pixel(40, 4));
        EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.Pixel(50, 4));
        EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.Pixel(62, 26));
        EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.Pixel(50, 26));
        const COLORREF a = canvas.Pixel(50, 15);
        const COLORREF b = canvas.Pixel(51, 15);
        if (nSelected == 0)
        {
            EXPECT_EQ(a, canvas.Pixel(51, 16));
            EXPECT_TRUE((a == Sys(COLOR_BTNFACE) && b == Sys(COLOR_BTNHIGHLIGHT)) ||
                        (a == Sys(COLOR_BTNHIGHLIGHT) && b == Sys(COLOR_BTNFACE)));
        }
        else
        {
            EXPECT_EQ(Sys(COLOR_BTNFACE), a);
            EXPECT_EQ(Sys(COLOR_BTNFACE), b);
        }
    }
}

TEST_F(ClassicThemeTest, DisabledImagesAreEmbossedUnlessDisabledIconsAreUsed)
{
    CVZPImageManagerIcon* pImage = m_pImages->GetImage(kImageId, 16);
    ASSERT_NE(nullptr, pImage);
    m_pTheme->DrawImage(m_pDC, CPoint(10, 10), CSize(16, 16), pImage, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
    // A shadow copy at the point over a highlight copy one pixel right and down.
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(10, 10));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(25, 25));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), m_canvas.Pixel(26, 26));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), m_canvas.Pixel(11, 26));
    EXPECT_EQ(kPaper, m_canvas.Pixel(9, 9));

    // Enabled and hot-pushed: the image itself, one pixel in.
    m_pTheme->DrawImage(m_pDC, CPoint(40, 10), CSize(16, 16), pImage, TRUE, TRUE, TRUE, FALSE, FALSE, TRUE);
    EXPECT_EQ(kPaper, m_canvas.Pixel(40, 10));
    EXPECT_EQ(RGB(0, 0, 255), m_canvas.Pixel(41, 11));

    // With the disabled-icons option the generated grey image is drawn.
    m_pTheme->m_bUseDisabledIcons = TRUE;
    m_pTheme->DrawImage(m_pDC, CPoint(70, 10), CSize(16, 16), pImage, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
    const COLORREF clr = m_canvas.Pixel(75, 15);
    EXPECT_NE(Sys(COLOR_BTNSHADOW), clr);
    EXPECT_EQ(GetRValue(clr), GetBValue(clr));
    EXPECT_EQ(kPaper, m_canvas.Pixel(86, 26));
    m_pTheme->m_bUseDisabledIcons = FALSE;
}

TEST_F(ClassicThemeTest, PopupRowsAndGuttersFollowTheTextHeightAndIconSize)
{
    const int T = m_pTheme->m_nTextHeight;
    ASSERT_GT(T, 6);
    CVZPControl* pItem = AddControl(m_pPopup, vzpControlButton, L"Open");
    CRect rcText(0, 0, 0, 0);
    m_pDC->SelectObject(&m_pTheme->m_fontRegular);
    m_pDC->DrawText(L"Open", rcText, DT_CALCRECT | DT_SINGLELINE);
    for (int nIcon : {8, 16, 32})
    {
        SCOPED_TRACE(nIcon);
        m_pPopup->SetIconSize(CSize(nIcon, nIcon));
        const int G = T > nIcon + 4 ? T : nIcon + 4;
        for (BOOL bDouble : {FALSE, TRUE})
        {
            m_pPopup->m_bDoubleGripper = bDouble;
            const CSize size = m_pTheme->DrawControl(m_pDC, pItem, FALSE);
            EXPECT_EQ(G, size.cy);
            EXPECT_EQ(rcText.Width() + (bDouble ? 2 * G : G) + 40, size.cx);
        }
    }
    m_pPopup->m_bDoubleGripper = FALSE;
    m_pPopup->SetIconSize(CSize(16, 16));

    // A shortcut adds its width.
    pItem->m_strShortcutText = L"Ctrl+O";
    CRect rcShortcut(0, 0, 0, 0);
    m_pDC->DrawText(L"Ctrl+O", rcShortcut, DT_CALCRECT | DT_SINGLELINE);
    const int G = T > 20 ? T : 20;
    EXPECT_EQ(rcText.Width() + rcShortcut.Width() + G + 40, m_pTheme->DrawControl(m_pDC, pItem, FALSE).cx);
}

TEST_F(ClassicThemeTest, PopupItemsDrawTheirHighlightCheckMarkArrowAndSeparator)
{
    m_pPopup->SetWindowPos(NULL, 0, 0, 200, 200, SWP_NOZORDER | SWP_NOMOVE);
    const int T = m_pTheme->m_nTextHeight;
    const int G = T > 20 ? T : 20;
    const int nRow = G;
    m_pTheme->FillCommandBarEntry(m_pDC, m_pPopup);
    struct Item
    {
        int nType;
        const wchar_t* caption;
        int nSelected;
        BOOL bChecked;
        BOOL bEnabled;
        BOOL bGroup;
        UINT nId;
    } items[] = {
        {vzpControlButton, L"&Open", 0, FALSE, TRUE, FALSE, kImageId},
        {vzpControlButton, L"Checked", 0, TRUE, TRUE, FALSE, 0},
        {vzpControlButton, L"Selected", 1, FALSE, TRUE, FALSE, 0},
        {vzpControlPopup, L"Submenu", 1, FALSE, TRUE, TRUE, 0},
        {vzpControlButton, L"Disabled", 0, FALSE, FALSE, FALSE, 0},
    };
    int y = 3;
    std::vector<CVZPControl*> controls;
    for (const Item& item : items)
    {
        if (item.bGroup)
            y += 8;
        CVZPControl* pControl = AddControl(m_pPopup, item.nType, item.caption, item.nId);
        pControl->SetRect(CRect(3, y, 197, y + nRow));
        pControl->m_bSelected = item.nSelected;
        pControl->SetChecked(item.bChecked);
        pControl->SetEnabled(item.bEnabled);
        pControl->m_bBeginGroup = item.bGroup;
        controls.push_back(pControl);
        y += nRow;
    }
    controls[0]->m_strShortcutText = L"Ctrl+O";
    for (CVZPControl* pControl : controls)
    {
        m_pTheme->DrawControl(m_pDC, pControl, TRUE);
        if (pControl->m_bBeginGroup)
            m_pTheme->DrawCommandBarSeparator(m_pDC, m_pPopup, pControl, TRUE);
    }
    m_canvas.SaveBmp(ScreenshotPath(L"commandbars_classic_popup.bmp"));

    // The popup's own edges: a light and a dark outer line, then raised.
    EXPECT_EQ(Sys(COLOR_BTNFACE), m_canvas.Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), m_canvas.Pixel(199, 199));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), m_canvas.Pixel(1, 1));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(198, 198));

    // The selected rows are highlighted from the gutter's edge when they
    // have no image, in the highlight colour.
    const CRect rcSelected = controls[2]->GetRect();
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), m_canvas.Pixel(rcSelected.left + 1, rcSelected.top + 1));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), m_canvas.Pixel(rcSelected.right - 2, rcSelected.bottom - 2));
    const CRect rcSub = controls[3]->GetRect();
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), m_canvas.Pixel(rcSub.right - 30, rcSub.top + 1));
    // Its arrow in the highlight text colour.
    EXPECT_EQ(Sys(COLOR_HIGHLIGHTTEXT), m_canvas.Pixel(rcSub.right - 10, rcSub.CenterPoint().y));

    // The checked row without an image: a dithered cell and a check mark in
    // the text colour at the centre of the first gutter column.
    const CRect rcChecked = controls[1]->GetRect();
    const int cx = rcChecked.left + G / 2;
    const int cy = rcChecked.top + nRow / 2;
    int nMark = 0;
    for (int dy = -4; dy <= 4; dy++)
        for (int dx = -4; dx <= 4; dx++)
            nMark += m_canvas.Pixel(cx + dx, cy + dy) == Sys(COLOR_BTNTEXT);
    EXPECT_GE(nMark, 8);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(rcChecked.left, rcChecked.top));

    // The separator before the submenu: a two-pixel groove leaving 14
    // pixels at both ends.
    const int yGroove = rcSub.top - 5;
    EXPECT_EQ(Sys(COLOR_BTNFACE), m_canvas.Pixel(13, yGroove));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(14, yGroove));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(100, yGroove));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), m_canvas.Pixel(100, yGroove + 1));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), m_canvas.Pixel(200 - 15, yGroove + 1));
    EXPECT_EQ(Sys(COLOR_BTNFACE), m_canvas.Pixel(200 - 14, yGroove));

    // The disabled caption is embossed: highlight pixels one to the right
    // and below the grey text.
    const CRect rcDisabled = controls[4]->GetRect();
    int nGrey = 0, nLight = 0;
    for (int yy = rcDisabled.top; yy < rcDisabled.bottom; yy++)
        for (int xx = rcDisabled.left + G; xx < rcDisabled.left + G + 60; xx++)
        {
            nGrey += m_canvas.Pixel(xx, yy) == Sys(COLOR_GRAYTEXT);
            nLight += m_canvas.Pixel(xx, yy) == Sys(COLOR_BTNHIGHLIGHT);
        }
    EXPECT_GT(nGrey, 10);
    EXPECT_GT(nLight, 10);
}

TEST_F(ClassicThemeTest, SizesOfSeparatorsBordersAndGrippers)
{
    CVZPControl* pControl = AddControl(m_pBar, vzpControlButton, L"");
    EXPECT_EQ(CSize(8, 8), m_pTheme->DrawCommandBarSeparator(m_pDC, m_pPopup, pControl, FALSE));
    EXPECT_EQ(CSize(6, 6), m_pTheme->DrawCommandBarSeparator(m_pDC, m_pBar, pControl, FALSE));
    EXPECT_EQ(CRect(3, 3, 3, 3), m_pTheme->GetCommandBarBorders(m_pPopup));
    EXPECT_EQ(CRect(2, 2, 2, 2), m_pTheme->GetCommandBarBorders(m_pBar));

    // The alternative gripper is T + 4 high from a text height of 18 on.
    const int nTextHeight = m_pTheme->m_nTextHeight;
    for (int T : {12, 17, 18, 20, 24})
    {
        m_pTheme->m_nTextHeight = T;
        EXPECT_EQ(CSize(6, T >= 18 ? T + 4 : 22), m_pTheme->DrawCommandBarGripperEx(m_pDC, m_pBar, FALSE)) << T;
    }
    m_pTheme->m_nTextHeight = nTextHeight;

    EXPECT_EQ(CSize(6, 0), m_pTheme->DrawCommandBarGripper(m_pDC, m_pBar, FALSE));
    m_pBar->m_barPosition = vzpBarLeft;
    EXPECT_EQ(CSize(0, 8), m_pTheme->DrawCommandBarGripper(m_pDC, m_pBar, FALSE));
    m_pBar->m_barPosition = vzpBarTop;
    EXPECT_EQ(CSize(0, 8), m_pTheme->DrawTearOffGripper(m_pDC, CRect(0, 0, 100, 8), TRUE, FALSE));

    // Exclusion rectangles: popup items narrow, toolbar buttons grow across.
    CRect rc(10, 10, 30, 30);
    m_pTheme->AdjustExcludeRect(rc, pControl, TRUE);
    EXPECT_EQ(CRect(10, 9, 30, 31), rc);
    CVZPControl* pItem = AddControl(m_pPopup, vzpControlButton, L"");
    rc = CRect(10, 10, 30, 30);
    m_pTheme->AdjustExcludeRect(rc, pItem, TRUE);
    EXPECT_EQ(CRect(11, 10, 29, 30), rc);
}

TEST_F(ClassicThemeTest, ToolbarFillGripperAndFloatingCaption)
{
    m_pTheme->FillCommandBarEntry(m_pDC, m_pBar);
    m_pTheme->DrawCommandBarGripper(m_pDC, m_pBar, TRUE);
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), m_canvas.Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(299, 29));
    EXPECT_EQ(Sys(COLOR_BTNFACE), m_canvas.Pixel(150, 15));
    // The gripper: a raised bar from (3, 3) to (6, H - 3).
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), m_canvas.Pixel(3, 10));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), m_canvas.Pixel(5, 10));

    CDibCanvas floating(200, 60, kPaper);
    CDC* pDC = CDC::FromHandle(floating.Dc());
    m_pBar->SetWindowPos(NULL, 0, 0, 200, 60, SWP_NOZORDER | SWP_NOMOVE);
    m_pBar->m_barPosition = vzpBarFloating;
    m_pBar->SetTitle(L"Standard");
    const CSize szCaption = m_pTheme->DrawCommandBarGripper(pDC, m_pBar, FALSE);
    EXPECT_EQ(200 - 6, szCaption.cx);
    EXPECT_GE(szCaption.cy, 15);
    m_pTheme->FillCommandBarEntry(pDC, m_pBar);
    m_pTheme->DrawCommandBarGripper(pDC, m_pBar, TRUE);
    floating.SaveBmp(ScreenshotPath(L"commandbars_classic_floating.bmp"));
    EXPECT_EQ(Sys(COLOR_ACTIVECAPTION), floating.Pixel(190, 5));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), floating.Pixel(199, 59));
    m_pBar->m_barPosition = vzpBarTop;
}

}  // namespace
