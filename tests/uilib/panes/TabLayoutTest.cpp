// Tab layout on the test strip: shrinking, the layout styles, scrolling
// limits, multi-row order, the stacked set, header thickness, tab heights
// and shortened captions. Lengths are taken from text measured in the font
// the paint manager selected.
#include <gtest/gtest.h>

#include "CVZPTabAppearanceSet.h"
#include "TabTestStrip.h"
#include "TestSupport.h"
#include "VZPSelectors.h"

using tesmir::test::CDibCanvas;
using vzpanes_test::CTestStrip;

namespace {

// Width of a caption as the tab measures it.
int CaptionWidth(CFont* pFont, LPCWSTR psz)
{
    CWindowDC dc(NULL);
    CVZPFontSelector font(&dc, pFont);
    CRect rc(0, 0, 0, 0);
    dc.DrawText(psz, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    return rc.Width();
}

int SpaceHeight(CFont* pFont)
{
    CWindowDC dc(NULL);
    CVZPFontSelector font(&dc, pFont);
    CSize sz;
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), L" ", 1, &sz);
    return sz.cy;
}

}  // namespace

TEST(TabLayout, ShrinkTabsTakesFromTheLongestFirst)
{
    CTestStrip strip;
    for (int i = 0; i < 3; i++)
        strip.Add(L"x");
    strip.GetItem(0)->m_nLength = 50;
    strip.GetItem(1)->m_nLength = 50;
    strip.GetItem(2)->m_nLength = 30;
    strip.m_pPaintManager->ShrinkTabs(&strip, 100);
    EXPECT_EQ(35, strip.GetItem(0)->m_nLength);
    EXPECT_EQ(35, strip.GetItem(1)->m_nLength);
    EXPECT_EQ(30, strip.GetItem(2)->m_nLength);

    // Everything equal in the end: integer shares.
    strip.GetItem(0)->m_nLength = 40;
    strip.GetItem(1)->m_nLength = 35;
    strip.GetItem(2)->m_nLength = 35;
    strip.m_pPaintManager->ShrinkTabs(&strip, 100);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(33, strip.GetItem(i)->m_nLength) << i;

    CTestStrip single;
    single.m_pPaintManager->SetLayoutStyle(vzpTabLayoutShrinkToFit);
    ASSERT_TRUE(single.CreateWnd(CSize(120, 60)));
    CVZPTabManagerItem* pLong = single.Add(L"A caption far too long for this narrow strip");
    CRect M = single.m_pPaintManager->GetAppearanceSet()->GetHeaderMargin();
    EXPECT_EQ(120 - M.left - M.right, pLong->m_nLength);
    EXPECT_LT(pLong->m_nLength, pLong->m_nNaturalLength);
}

TEST(TabLayout, CompressedStyleShowsOnlyTheSelectedCaption)
{
    CTestStrip strip;
    strip.m_pPaintManager->SetLayoutStyle(vzpTabLayoutCompressed);
    ASSERT_TRUE(strip.CreateWnd(CSize(500, 80)));
    CVZPTabManagerItem* pShort = strip.Add(L"Short", 1);
    CVZPTabManagerItem* pLong = strip.Add(L"A much longer caption", 2);
    strip.SetSelectedItem(pShort);
    CFont* pFont = &strip.m_pPaintManager->m_fntNormal;
    // The selected tab: the widest caption of the strip, 12, its icon.
    EXPECT_EQ(CaptionWidth(pFont, L"A much longer caption") + 12 + 16, pShort->m_nLength);
    // The others: icon plus 8.
    EXPECT_EQ(12 + 8, pLong->m_nLength);

    // Fixed width, with button margins and the limits.
    strip.m_pPaintManager->SetLayoutStyle(vzpTabLayoutFixedWidth);
    strip.m_pPaintManager->m_rcButtonMargin.SetRect(3, 0, 4, 0);
    strip.m_szMax.cx = 60;
    strip.Reposition();
    EXPECT_EQ(60, pShort->m_nLength);
    strip.m_szMax.cx = 0;
    strip.m_szMin.cx = 90;
    strip.Reposition();
    EXPECT_EQ(90, pShort->m_nLength);
    strip.m_szMin.cx = 0;
    strip.Reposition();
    EXPECT_EQ(70 + 7, pShort->m_nLength);
}

TEST(TabLayout, CaptionWidthAndScrollLimit)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.CreateWnd(CSize(400, 80)));
    CVZPTabManagerItem* pA = strip.Add(L"One");
    CVZPTabManagerItem* pB = strip.Add(L"Two", 1);
    CFont* pFont = &strip.m_pPaintManager->m_fntNormal;
    EXPECT_EQ(CaptionWidth(pFont, L"One") + 12, pA->m_nLength);
    EXPECT_EQ(CaptionWidth(pFont, L"Two") + 12 + 16, pB->m_nLength);
    CRect M = strip.m_pPaintManager->GetAppearanceSet()->GetHeaderMargin();
    EXPECT_EQ(M.left, pA->m_rcItem.left);
    EXPECT_EQ(pA->m_rcItem.right, pB->m_rcItem.left);

    // A scroll offset of -100 with tabs that fit becomes 0.
    strip.m_nScrollOffset = -100;
    strip.Reposition();
    EXPECT_EQ(0, strip.GetScrollOffset());
    EXPECT_EQ(M.left, pA->m_rcItem.left);
}

TEST(TabLayout, SelectingAHiddenTabScrollsItIntoView)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.CreateWnd(CSize(200, 80)));
    for (int i = 0; i < 10; i++)
        strip.Add(L"Tab caption");
    CVZPTabManagerItem* pLast = strip.GetItem(9);
    strip.SetSelectedItem(pLast);
    EXPECT_LT(strip.GetScrollOffset(), 0);
    EXPECT_LE(pLast->m_rcItem.right, strip.m_rcHeader.right);
    strip.SetSelectedItem(strip.GetItem(0));
    EXPECT_GE(strip.GetItem(0)->m_rcItem.left, strip.m_rcHeader.left);
    EXPECT_LE(strip.GetScrollOffset(), 0);
}

TEST(TabLayout, MultiRowMovesTheSelectedRowNextToTheClient)
{
    for (BOOL bKeepOrder : { FALSE, TRUE })
    {
        SCOPED_TRACE(bKeepOrder ? "keep row order" : "selected row moves");
        CTestStrip strip;
        strip.m_pPaintManager->SetLayoutStyle(vzpTabLayoutMultiRow);
        strip.m_pPaintManager->m_bKeepRowOrder = bKeepOrder;
        ASSERT_TRUE(strip.CreateWnd(CSize(220, 150)));
        for (int i = 0; i < 8; i++)
            strip.Add(L"Tab caption");
        CVZPTabManagerItem* pLast = strip.GetItem(7);
        strip.SetSelectedItem(pLast);
        int nRows = strip.m_pRows->GetCount();
        ASSERT_GE(nRows, 2);
        int nLowest = 0;
        for (int i = 0; i < 8; i++)
            nLowest = std::max(nLowest, int(strip.GetItem(i)->m_rcItem.top));
        if (bKeepOrder)
        {
            EXPECT_EQ(nRows - 1, pLast->m_nRow);
            EXPECT_LT(pLast->m_rcItem.top, nLowest);
        }
        else
        {
            EXPECT_EQ(0, pLast->m_nRow);
            EXPECT_EQ(nLowest, pLast->m_rcItem.top);
        }
        // Balanced rows fill the width.
        CRect M = strip.m_pPaintManager->GetAppearanceSet()->GetHeaderMargin();
        for (int r = 0; r < nRows; r++)
        {
            const VZPTabRow& row = (*strip.m_pRows)[r];
            EXPECT_EQ(M.left, strip.GetItem(row.nFirst)->m_rcItem.left);
            EXPECT_EQ(strip.GetItem((*strip.m_pRows)[0].nLast)->m_rcItem.right,
                      strip.GetItem(row.nLast)->m_rcItem.right);
        }
        EXPECT_TRUE(strip.FindNavigateButton(vzpTabNavigateForward)->m_rcButton.IsRectEmpty());
    }
}

TEST(TabLayout, StackedSetPutsThePageUnderTheSelectedTab)
{
    CTestStrip strip;
    strip.m_pPaintManager->SelectAppearance(8);
    strip.m_pPaintManager->RefreshMetrics();
    ASSERT_TRUE(strip.CreateWnd(CSize(300, 200)));
    ASSERT_EQ(20, strip.m_pPaintManager->GetAppearanceSet()->GetTabRowHeight(&strip));
    for (int i = 0; i < 5; i++)
        strip.Add(L"Bar");
    strip.SetSelectedItem(strip.GetItem(1));
    const int tops[5] = { 1, 21, 140, 160, 180 };
    for (int i = 0; i < 5; i++)
    {
        EXPECT_EQ(tops[i], strip.GetItem(i)->m_rcItem.top) << i;
        EXPECT_EQ(20, strip.GetItem(i)->m_rcItem.Height()) << i;
        EXPECT_EQ(1, strip.GetItem(i)->m_rcItem.left) << i;
    }
    EXPECT_EQ(CRect(1, 41, 299, 140), strip.m_rcClient);
}

TEST(TabLayout, HeaderThicknessAndTabHeight)
{
    CTestStrip strip;
    CVZPTabPaintManager* pPaint = strip.m_pPaintManager;
    CVZPTabAppearanceSet* pSet = pPaint->GetAppearanceSet();
    int cy = SpaceHeight(&pPaint->m_fntNormal);
    EXPECT_EQ(std::max(18, cy + 3), pSet->m_nTabHeight);

    LOGFONT lf = CTestStrip::TestLogFont();
    lf.lfHeight = -26;
    pPaint->ApplyLogFont(&lf, FALSE);
    pPaint->RefreshMetrics();
    int cyLarge = SpaceHeight(&pPaint->m_fntNormal);
    ASSERT_GT(cyLarge + 3, 18);
    EXPECT_EQ(cyLarge + 3, pSet->m_nTabHeight);

    // Two rows of 18 with spacing -2: 34, plus the margins across.
    lf = CTestStrip::TestLogFont();
    pPaint->ApplyLogFont(&lf, FALSE);
    pPaint->RefreshMetrics();
    ASSERT_EQ(18, pSet->m_nTabHeight) << "the test font is taller than expected";
    pPaint->m_bShowIcons = FALSE;
    strip.m_pRows->SetSize(2);
    CRect M = pSet->GetHeaderMargin();
    CRect rcHeader = pSet->GetHeaderRect(CRect(0, 0, 300, 200), &strip);
    EXPECT_EQ(34 + M.top + M.bottom, rcHeader.Height());
    pPaint->SetTabPosition(vzpTabPositionRight);
    rcHeader = pSet->GetHeaderRect(CRect(0, 0, 300, 200), &strip);
    EXPECT_EQ(CRect(300 - 34 - M.top - M.bottom, 0, 300, 200), rcHeader);

    // Icons raise the row to the icon plus 4.
    pPaint->m_bShowIcons = TRUE;
    pPaint->m_szIcon = CSize(24, 24);
    EXPECT_EQ(28, pSet->GetTabRowHeight(&strip));
}

TEST(TabLayout, ShortenedCaptions)
{
    CTestStrip strip;
    CVZPTabPaintManager* pPaint = strip.m_pPaintManager;
    CFont* pFont = &pPaint->m_fntNormal;
    CDibCanvas shown(200, 20), expected(200, 20);
    CVZPFontSelector fontShown(CDC::FromHandle(shown.Dc()), pFont);
    CVZPFontSelector fontExpected(CDC::FromHandle(expected.Dc()), pFont);
    CDC* pShown = CDC::FromHandle(shown.Dc());
    CDC* pExpected = CDC::FromHandle(expected.Dc());
    auto width = [&](const CString& s) {
        CSize sz;
        ::GetTextExtentPoint32W(shown.Dc(), s, s.GetLength(), &sz);
        return int(sz.cx);
    };
    auto sameRendering = [&]() {
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 200; x++)
                if (shown.Pixel(x, y) != expected.Pixel(x, y))
                    return false;
        return true;
    };

    // "abcdefgh" in a rect that holds "ab...gh" but not more.
    const CString strText(L"abcdefgh");
    int nRect = width(L"ab...gh") + 1;
    ASSERT_LT(nRect, width(L"abc...gh"));
    ASSERT_LT(nRect, width(L"ab...fgh"));
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    CRect rc(0, 0, nRect, 20);
    pPaint->DrawCaptionEllipsis(pShown, strText, rc, nFormat);
    pExpected->DrawText(L"ab...gh", -1, &rc, nFormat);
    EXPECT_TRUE(sameRendering());

    // Wide enough: unchanged; narrower than "...": only the dots.
    shown.Fill(RGB(255, 255, 255));
    expected.Fill(RGB(255, 255, 255));
    CRect rcWide(0, 0, 200, 20);
    pPaint->DrawCaptionEllipsis(pShown, strText, rcWide, nFormat);
    pExpected->DrawText(strText, -1, &rcWide, nFormat);
    EXPECT_TRUE(sameRendering());
    EXPECT_EQ(width(L"abcdefgh"), CVZPTabPaintManager::MeasureCaption(pShown, L"abc&defgh", 0));

    // A path: the system's path ellipsis.
    shown.Fill(RGB(255, 255, 255));
    expected.Fill(RGB(255, 255, 255));
    const CString strPath(L"C:\\Folder\\Subfolder\\Report.txt");
    CRect rcPath(0, 0, width(L"C:\\...\\Report.txt") + 2, 20);
    pPaint->DrawCaptionEllipsis(pShown, strPath, rcPath, nFormat);
    pExpected->DrawText(strPath, -1, &rcPath, nFormat | DT_PATH_ELLIPSIS);
    EXPECT_TRUE(sameRendering());
}
