// Controls measured and drawn on toolbars by the paint manager base, with the
// fixed-metric test theme and texts measured in the font actually selected;
// the bars' own buttons; the popup animations.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPControlButton.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPImageManagerIconHandle.h"
#include "CVZPMenuBar.h"
#include "CVZPPopupBar.h"
#include "CVZPToolBar.h"

#include <TestSupport.h>

using namespace vzcommandbars_test;
using tesmir::test::CDibCanvas;

namespace {

const UINT kImageId = 500;

class ControlDrawingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pTheme = InstallTestTheme();
        m_pBar = (CVZPToolBar*)RUNTIME_CLASS(CVZPToolBar)->CreateObject();
        m_pBar->m_barPosition = vzpBarTop;
        CVZPImageManager* pImages = new CVZPImageManager;
        CVZPImageManagerIconHandle handle;
        handle.AttachIcon(CreateSolidIcon(RGB(0, 0, 255)));
        ASSERT_TRUE(pImages->SetIcon(handle, kImageId));
        m_pBar->m_pImageManager = pImages;
        m_pDC = CDC::FromHandle(m_canvas.Dc());
    }
    void TearDown() override { m_pBar->InternalRelease(); }

    CVZPControl* AddControl(int nType, LPCTSTR lpszCaption, UINT nId = 0)
    {
        CVZPControl* pControl =
            nType == vzpControlButton ? (CVZPControl*)new CVZPControlButton : CVZPControlPopup::CreateControlPopup(nType);
        pControl->SetCaption(lpszCaption);
        pControl->SetId(nId);
        m_pBar->GetControls()->AddControl(pControl);
        return pControl;
    }

    // A text's extent in the font the theme selects for the bar.
    CSize TextExtent(LPCTSTR lpszText)
    {
        CFont* pOld = m_pDC->SelectObject(&m_pTheme->m_fontRegular);
        CSize size = m_pDC->GetTextExtent(lpszText, lstrlen(lpszText));
        m_pDC->SelectObject(pOld);
        return size;
    }

    CSize Measure(CVZPControl* pControl) { return m_pTheme->DrawControl(m_pDC, pControl, FALSE); }

    CTestPaintManager* m_pTheme = NULL;
    CVZPToolBar* m_pBar = NULL;
    CDibCanvas m_canvas{300, 120};
    CDC* m_pDC = NULL;
};

TEST_F(ControlDrawingTest, ToolbarControlsMeasureByTheirKind)
{
    const CSize szOpen = TextExtent(L"Open");
    const CSize szFile = TextExtent(L"File");

    // A button without an image takes 23 x 23 as its button size.
    CSize size = Measure(AddControl(vzpControlButton, L"Open"));
    EXPECT_EQ(szOpen.cx + 7, size.cx);
    EXPECT_EQ(szOpen.cy + 6 > 23 ? szOpen.cy + 6 : 23, size.cy);
    EXPECT_GE(size.cy, 23);

    // A split button adds its arrow's 11.
    CSize szSplit = Measure(AddControl(vzpControlSplitButtonPopup, L"Open"));
    EXPECT_EQ(size.cx + 11, szSplit.cx);
    EXPECT_EQ(size.cy, szSplit.cy);

    // A popup without image: caption + 6 each way, with the arrow's 10.
    size = Measure(AddControl(vzpControlPopup, L"&File"));
    EXPECT_EQ(szFile.cx + 10 + 6, size.cx);
    EXPECT_EQ(szFile.cy + 6, size.cy);

    // With an image and no caption a button is its button size.
    CVZPControl* pIcon = AddControl(vzpControlButton, L"", kImageId);
    EXPECT_EQ(CSize(23, 23), Measure(pIcon));
    // Image and caption (style 3): the caption starts after the image.
    CVZPControl* pBoth = AddControl(vzpControlButton, L"Open", kImageId);
    pBoth->SetStyle(3);
    size = Measure(pBoth);
    EXPECT_EQ(szOpen.cx + 23 + 3, size.cx);

    // A control type without a measure.
    CVZPControl* pPlain = new CVZPControl;
    m_pBar->GetControls()->AddControl(pPlain);
    EXPECT_EQ(CSize(0, 0), Measure(pPlain));
}

TEST_F(ControlDrawingTest, TextBelowIconsMeasuresTheWiderOfButtonAndCaption)
{
    m_pBar->SetShowTextBelowIcons(1);
    for (LPCTSTR lpszCaption : {L"A", L"Open the file here"})
    {
        SCOPED_TRACE(tesmir::test::Utf8(lpszCaption));
        CVZPControl* pControl = AddControl(vzpControlButton, lpszCaption, kImageId);
        const CSize szText = TextExtent(lpszCaption);
        int cx = szText.cx + 10 > 23 ? szText.cx + 10 : 23;
        const int cy = 23 + szText.cy;
        if (cx < cy)
            cx = cy;
        EXPECT_EQ(CSize(cx, cy), Measure(pControl));
    }
    // Without an image the caption stays beside it.
    CVZPControl* pText = AddControl(vzpControlButton, L"Open");
    EXPECT_EQ(TextExtent(L"Open").cx + 7, Measure(pText).cx);
}

TEST_F(ControlDrawingTest, VerticalBarsSwapTheTextExtent)
{
    m_pBar->m_barPosition = vzpBarLeft;
    const CSize szText = TextExtent(L"Open");
    CSize size = Measure(AddControl(vzpControlButton, L"Open"));
    // The vertical font's extent (the same face turned) is measured along the bar.
    EXPECT_GE(size.cx, 23);
    EXPECT_GT(size.cy, size.cx);
    (void)szText;
}

TEST_F(ControlDrawingTest, ExpandButtonsOfBarsAndPopups)
{
    CVZPControl* pControl = AddControl(vzpControlButton, L"");
    EXPECT_EQ(CSize(0, 12), m_pTheme->DrawSpecialControl(m_pDC, 1, pControl, m_pBar, FALSE, NULL));

    CSize szBar(200, 30);
    m_pTheme->DrawSpecialControl(m_pDC, 0, pControl, m_pBar, FALSE, &szBar);
    EXPECT_EQ(CRect(200 - 13, 2, 200 - 2, 30 - 2), pControl->GetRect());
    m_pBar->m_barPosition = vzpBarRight;
    szBar = CSize(30, 200);
    m_pTheme->DrawSpecialControl(m_pDC, 0, pControl, m_pBar, FALSE, &szBar);
    EXPECT_EQ(CRect(2, 200 - 13, 30 - 2, 200 - 2), pControl->GetRect());

    // Drawn: the horizontal glyph with the chevrons of hidden controls.
    m_pBar->m_barPosition = vzpBarTop;
    pControl->SetRect(CRect(100, 20, 113, 46));
    BOOL bHidden = TRUE;
    m_pDC->SetTextColor(RGB(0, 0, 0));
    m_pTheme->DrawSpecialControl(m_pDC, 0, pControl, m_pBar, TRUE, &bHidden);
    EXPECT_EQ(RGB(0, 0, 0), m_canvas.Pixel(106, 46 - 7));   // the triangle
    EXPECT_EQ(RGB(0, 0, 0), m_canvas.Pixel(102, 24));       // the first chevron
    EXPECT_EQ(RGB(0, 0, 0), m_canvas.Pixel(106, 24));       // the second, four to the right
}

TEST_F(ControlDrawingTest, AmpersandsFollowTheKeyboardCues)
{
    m_pDC->SetBkMode(TRANSPARENT);
    CFont* pOld = m_pDC->SelectObject(&m_pTheme->m_fontRegular);
    auto render = [&](LPCTSTR lpszText, BOOL bCues, int y) {
        m_pTheme->DrawControlText(m_pDC, lpszText, CRect(4, y, 200, y + 20), FALSE, TRUE, FALSE, FALSE, FALSE, bCues);
    };
    auto reference = [&](LPCTSTR lpszText, int y) {
        CRect rc(4, y, 200, y + 20);
        m_pDC->DrawText(lpszText, -1, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    };
    auto same = [&](int y0, int y1) {
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 200; x++)
                if (m_canvas.Pixel(x, y0 + y) != m_canvas.Pixel(x, y1 + y))
                    return false;
        return true;
    };
    render(L"A&&B", TRUE, 0);    // one ampersand, no underline
    reference(L"A&B", 20);
    render(L"&File", FALSE, 40);  // no cues: no underline
    reference(L"File", 60);
    render(L"&File", TRUE, 80);   // cues: underlined
    m_pDC->SelectObject(pOld);
    m_canvas.SaveBmp(ScreenshotPath(L"commandbars_control_text.bmp"));
    EXPECT_TRUE(same(0, 20));
    EXPECT_TRUE(same(40, 60));
    EXPECT_FALSE(same(80, 60));

    // The override replaces the callers' choice.
    m_pTheme->SetKeyboardCuesOverride(0);
    m_canvas.Fill(RGB(255, 255, 255));
    m_pDC->SelectObject(&m_pTheme->m_fontRegular);
    render(L"&File", TRUE, 0);
    reference(L"File", 20);
    m_pDC->SelectObject(pOld);
    EXPECT_TRUE(same(0, 20));
    m_pTheme->SetKeyboardCuesOverride(-1);

    // An empty caption measures as one blank.
    const CSize szBlank = TextExtent(L" ");
    m_pDC->SelectObject(&m_pTheme->m_fontRegular);
    EXPECT_EQ(szBlank, m_pTheme->DrawControlText(m_pDC, L"", CRect(), FALSE, FALSE, FALSE, FALSE, FALSE, TRUE));
    m_pDC->SelectObject(pOld);
}

TEST_F(ControlDrawingTest, ToolbarControlsDrawFaceImageAndCaption)
{
    CVZPControl* pButton = AddControl(vzpControlButton, L"Open", kImageId);
    pButton->SetStyle(3);
    pButton->SetRect(CRect(10, 10, 90, 36));
    pButton->SetSelected(1);
    CVZPControl* pPopup = AddControl(vzpControlPopup, L"&File");
    pPopup->SetRect(CRect(100, 10, 160, 36));
    m_canvas.Fill(RGB(255, 255, 255));
    for (int i = 0; i < m_pBar->GetControls()->GetCount(); i++)
        m_pBar->GetControls()->GetAt(i)->Draw(m_pDC);
    m_canvas.SaveBmp(ScreenshotPath(L"commandbars_toolbar_controls.bmp"));

    EXPECT_EQ(CTestPaintManager::kFaceColor, m_canvas.Pixel(11, 11));   // selected face
    // The image at (left + 3, centre - 8), 16 x 16.
    EXPECT_EQ(CPoint(13, 23 - 8), m_pTheme->m_ptLastImage);
    EXPECT_EQ(CSize(16, 16), m_pTheme->m_szLastImage);
    EXPECT_EQ(CTestPaintManager::kImageColor, m_canvas.Pixel(20, 20));
    // Some caption pixels right of the image, none of the face left of it.
    EXPECT_GT(m_canvas.Count(CRect(33, 10, 90, 36), RGB(0, 0, 0)), 0);
    EXPECT_EQ(0, m_canvas.Count(CRect(100, 10, 160, 36), CTestPaintManager::kFaceColor));

    // The same controls on a bar docked at the left: image on top, the
    // caption written downwards below it, the popup's arrow pointing left.
    CDibCanvas vertical(60, 200);
    m_pBar->m_barPosition = vzpBarLeft;
    pButton->SetRect(CRect(10, 10, 36, 90));
    pPopup->SetRect(CRect(10, 100, 36, 170));
    for (int i = 0; i < m_pBar->GetControls()->GetCount(); i++)
        m_pBar->GetControls()->GetAt(i)->Draw(CDC::FromHandle(vertical.Dc()));
    vertical.SaveBmp(ScreenshotPath(L"commandbars_vertical_controls.bmp"));
    EXPECT_EQ(CPoint(23 - 8, 10 + 4), m_pTheme->m_ptLastImage);
    EXPECT_GT(vertical.Count(CRect(10, 33, 36, 90), RGB(0, 0, 0)), 0);
    EXPECT_GT(vertical.Count(CRect(10, 100, 36, 170), RGB(0, 0, 0)), 0);
}

class AnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pTheme = InstallTestTheme();
        m_pTheme->SetAnimationDuration(0);
        for (int y = 0; y < 40; y++)
            for (int x = 0; x < 60; x++)
                m_src.SetPixel(x, y, RGB(x * 4, y * 6, 100));
    }

    bool DestEqualsSource(const CRect& rc) const
    {
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                if (m_dest.Pixel(x, y) != m_src.Pixel(x, y))
                    return false;
        return true;
    }

    void Animate(int nType, int nSteps)
    {
        m_dest.Fill(RGB(255, 255, 255));
        m_pTheme->SetAnimationSteps(nSteps);
        m_pTheme->Animate(CDC::FromHandle(m_dest.Dc()), CDC::FromHandle(m_src.Dc()), CRect(0, 0, 60, 40), nType);
    }

    CTestPaintManager* m_pTheme = NULL;
    CDibCanvas m_src{60, 40};
    CDibCanvas m_dest{60, 40};
};

TEST_F(AnimationTest, UnfoldAndSlideEndWithTheSource)
{
    for (int nType : {2, 3})
    {
        SCOPED_TRACE(nType);
        Animate(nType, 5);
        EXPECT_TRUE(DestEqualsSource(CRect(0, 0, 60, 40)));
        Animate(nType, 0);
        EXPECT_EQ(60 * 40, m_dest.Count(CRect(0, 0, 60, 40), RGB(255, 255, 255)));
    }
    Animate(7, 5);   // no such animation
    EXPECT_EQ(60 * 40, m_dest.Count(CRect(0, 0, 60, 40), RGB(255, 255, 255)));
}

TEST_F(AnimationTest, FadeBlendsAndLeavesTheLastFrameToTheCaller)
{
    Animate(4, 1);
    EXPECT_EQ(60 * 40, m_dest.Count(CRect(0, 0, 60, 40), RGB(255, 255, 255)));

    Animate(4, 2);   // one frame at alpha 127
    const COLORREF src = m_src.Pixel(10, 10);
    const COLORREF out = m_dest.Pixel(10, 10);
    EXPECT_EQ((GetRValue(src) * 127 + 255 * 128) >> 8, GetRValue(out));
    EXPECT_EQ((GetBValue(src) * 127 + 255 * 128) >> 8, GetBValue(out));
    EXPECT_FALSE(DestEqualsSource(CRect(0, 0, 60, 40)));
}

TEST_F(AnimationTest, ExpandingGrowsTheRowsOfExpandedItems)
{
    // A popup of three rows of 20 pixels whose middle row was just expanded.
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(NULL);
    ASSERT_TRUE(pPopup->CreateEx(0, AfxRegisterWndClass(0), L"popup", WS_POPUP, 0, 0, 60, 60, NULL, NULL));
    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    ASSERT_EQ(CSize(60, 60), rcClient.Size());
    const COLORREF rows[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    CDibCanvas src(60, 60);
    for (int i = 0; i < 3; i++)
    {
        CVZPControlButton* pButton = new CVZPControlButton;
        pButton->SetRect(CRect(0, 20 * i, 60, 20 * i + 20));
        pButton->m_bExpanded = i == 1;
        pPopup->GetControls()->AddControl(pButton);
        ::FillRect(src.Dc(), CRect(0, 20 * i, 60, 20 * i + 20), CBrush(rows[i]));
    }
    CDibCanvas dest(60, 60);
    CDC* pDest = CDC::FromHandle(dest.Dc());
    CDC* pSrc = CDC::FromHandle(src.Dc());

    m_pTheme->SetAnimationSteps(0);
    EXPECT_EQ(0, m_pTheme->AnimateExpanding(pPopup, pDest, pSrc, TRUE));
    EXPECT_EQ(60 * 60, dest.Count(CRect(0, 0, 60, 60), RGB(255, 255, 255)));

    // Every band ends at its full height, from the top down or the bottom up.
    m_pTheme->SetAnimationSteps(2);
    for (BOOL bDown : {TRUE, FALSE})
    {
        SCOPED_TRACE(bDown);
        EXPECT_EQ(2, m_pTheme->AnimateExpanding(pPopup, pDest, pSrc, bDown));
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(60 * 20, dest.Count(CRect(0, 20 * i, 60, 20 * i + 20), rows[i]));   // the last frame
    }
    pPopup->InternalRelease();
}

}  // namespace
