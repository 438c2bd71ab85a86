// Tab strips painted into a 32-bit DIB: per appearance type and position a
// selected and a hot tab, with the edge and opening-line pixels each shape
// specifies; the classic state button's checkerboard; the visual-style
// colour set without visual styles; GDI objects given back; and a
// screenshot of every shape and colour set under the build folder.
#include <gtest/gtest.h>

#include <functional>

#include "CVZPColorManager.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabColorSet.h"
#include "PanesTestSupport.h"
#include "TabTestStrip.h"
#include "MfcTestSupport.h"

using tesmir::test::CDibCanvas;
using vzpanes_test::CTestStrip;

namespace {

COLORREF Sys(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// A strip of three tabs at a position: tab 1 selected, tab 2 hot.
void SetUpStrip(CTestStrip& strip, int nAppearance, int nPosition, int nColorType = 0)
{
    CVZPTabPaintManager* pPaint = strip.m_pPaintManager;
    pPaint->SelectAppearance(nAppearance);
    if (nColorType != 0)
        pPaint->SelectColorSet(nColorType);
    pPaint->SetTabPosition(nPosition);
    pPaint->m_bHotTracking = TRUE;
    pPaint->RefreshMetrics();
    BOOL bSide = nPosition == vzpTabPositionLeft || nPosition == vzpTabPositionRight;
    strip.m_rcStrip.SetRect(0, 0, bSide ? 160 : 300, bSide ? 240 : 110);
    strip.Add(L"First", 1);
    strip.Add(L"Selected");
    strip.Add(L"Hot", 2);
    strip.SetSelectedItem(strip.GetItem(1));
    strip.m_pHot = strip.GetItem(2);
    strip.Reposition();
}

// A point given for tabs on top, in the tab's frame (u along the strip, v
// across from the outer edge), on the tab's real position.
CPoint FromTop(const CRect& rc, int nPosition, int u, int v)
{
    switch (nPosition)
    {
    case vzpTabPositionBottom:
        return CPoint(u, rc.top + rc.bottom - 1 - v);
    case vzpTabPositionLeft:
        return CPoint(v, u);
    case vzpTabPositionRight:
        return CPoint(rc.left + rc.right - 1 - v, u);
    default:
        return CPoint(u, v);
    }
}

// The tab rectangle in the frame of tabs on top.
CRect TopFrame(const CRect& rc, int nPosition)
{
    BOOL bSide = nPosition == vzpTabPositionLeft || nPosition == vzpTabPositionRight;
    return bSide ? CRect(rc.top, rc.left, rc.bottom, rc.right) : rc;
}

struct Probe
{
    const char* pszWhat;
    CPoint pt;
    COLORREF clr;
    bool bEqual;   // false: the pixel must differ from clr
};

typedef std::function<std::vector<Probe>(CTestStrip&, int nPosition)> ProbeMaker;

std::vector<Probe> PropertyPageProbes(CTestStrip& s, int nPosition, BOOL bSelectedOnly)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    COLORREF clrFill = c->m_clrSelectedFace;
    CRect r = s.GetItem(1)->m_rcItem;
    CRect r0 = s.GetItem(0)->m_rcItem;
    CRect rh = s.GetItem(2)->m_rcItem;
    switch (nPosition)
    {
    case vzpTabPositionTop:
        r.InflateRect(2, 2, 2, 0);
        return { { "opening line", CPoint(r.left + 1, r.bottom - 1), clrFill, true },
                   { "light left edge", CPoint(r.left, r.top + 3), c->m_clr3DLight, true },
                   { "dark right edge", CPoint(r.right - 1, r.top + 3), c->m_clr3DDarkShadow, true },
                   { "hot tab's light top", CPoint(rh.left + 5, rh.top), c->m_clr3DLight, true },
                   { "other tab's light edge", CPoint(r0.left, r0.top + 3), c->m_clr3DLight, !bSelectedOnly } };
    case vzpTabPositionLeft:
        r.InflateRect(2, 2, 0, 2);
        return { { "opening line", CPoint(r.right - 1, r.top + 2), clrFill, true },
                   { "light top edge", CPoint(r.left + 3, r.top), c->m_clr3DLight, true },
                   { "dark bottom edge", CPoint(r.left + 4, r.bottom - 1), c->m_clr3DDarkShadow, true },
                   { "other tab's light edge", CPoint(r0.left + 3, r0.top), c->m_clr3DLight, !bSelectedOnly } };
    case vzpTabPositionBottom:
        r.InflateRect(2, 2, 2, 2);
        return { { "light left edge", CPoint(r.left, r.top + 2), c->m_clr3DLight, true },
                   { "dark bottom edge", CPoint(r.left + 3, r.bottom), c->m_clr3DDarkShadow, true },
                   { "dark right edge", CPoint(r.right - 1, r.top + 2), c->m_clr3DDarkShadow, true },
                   { "opening line", CPoint(r.left + 4, r.top + 1), clrFill, true } };
    default:
        r.InflateRect(2, 2, 2, 2);
        return { { "light top edge", CPoint(r.left + 2, r.top), c->m_clr3DLight, true },
                   { "dark right edge", CPoint(r.right, r.top + 3), c->m_clr3DDarkShadow, true },
                   { "opening line", CPoint(r.left + 1, r.top + 4), clrFill, true } };
    }
}

std::vector<Probe> FlatProbes(CTestStrip& s, int nPosition)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    CRect f = TopFrame(s.GetItem(1)->m_rcItem, nPosition);
    int u = (f.left + f.right) / 2;
    return { { "outer outline", FromTop(s.GetItem(1)->m_rcItem, nPosition, u, f.top), c->m_clrBorder, true },
             { "selected fill", FromTop(s.GetItem(1)->m_rcItem, nPosition, f.left + 2, f.bottom - 2),
               c->m_clrSelectedFace, true } };
}

std::vector<Probe> RoundedProbes(CTestStrip& s, int nPosition)
{
    std::vector<Probe> probes = FlatProbes(s, nPosition);
    CRect f = TopFrame(s.GetItem(1)->m_rcItem, nPosition);
    probes.push_back({ "corner left out", FromTop(s.GetItem(1)->m_rcItem, nPosition, f.left, f.top),
                       s.m_pPaintManager->GetColorSet()->m_clrBorder, false });
    return probes;
}

std::vector<Probe> FlatSelectedProbes(CTestStrip& s, int nPosition)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    CRect r = s.GetItem(1)->m_rcItem;
    CRect f = TopFrame(r, nPosition);
    CRect rh = s.GetItem(2)->m_rcItem;
    CRect fh = TopFrame(rh, nPosition);
    COLORREF clrOuter = nPosition == vzpTabPositionTop || nPosition == vzpTabPositionLeft
                            ? COLORREF(c->m_clrHighlightEdge)
                            : COLORREF(c->m_clrSelectedText);
    return { { "outer frame", FromTop(r, nPosition, (f.left + f.right) / 2, f.top), clrOuter, true },
             { "separator after the last tab", FromTop(rh, nPosition, fh.right, fh.top + 4), c->m_clrBorder,
               true } };
}

std::vector<Probe> SlantedProbes(CTestStrip& s, int nPosition)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    CRect r = s.GetItem(1)->m_rcItem;
    CRect f = TopFrame(r, nPosition);
    return { { "top outline", FromTop(r, nPosition, (f.left + f.right) / 2, f.top), c->m_clrSelectedOutline, true },
             { "inner top line", FromTop(r, nPosition, (f.left + f.right) / 2, f.top + 1), RGB(255, 255, 255),
               true } };
}

std::vector<Probe> SlantedBothProbes(CTestStrip& s, int nPosition)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    CRect r = s.GetItem(1)->m_rcItem;
    CRect f = TopFrame(r, nPosition);
    int v = f.bottom - 2 * (f.Height() / 2);
    return { { "top outline", FromTop(r, nPosition, (f.left + f.right) / 2, v), c->m_clrSelectedOutline, true } };
}

std::vector<Probe> StateButtonProbes(CTestStrip& s, int nPosition)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    CRect r = s.GetItem(1)->m_rcItem;
    CRect r0 = s.GetItem(0)->m_rcItem;
    BOOL bHorizontal = nPosition == vzpTabPositionTop || nPosition == vzpTabPositionBottom;
    CPoint ptEtch = bHorizontal ? CPoint(r0.right - 2, r0.top + 3) : CPoint(r0.left + 3, r0.bottom - 2);
    return { { "frame", r.TopLeft(), c->m_grcButtonFrame.GetStartColor(), true },
             { "fill", CPoint(r.left + 2, r.top + 2), c->m_grcButton.GetStartColor(), true },
             { "etched separator", ptEtch, Sys(COLOR_BTNSHADOW), true } };
}

std::vector<Probe> TrapezoidProbes(CTestStrip& s, int nPosition)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    CRect r = s.GetItem(1)->m_rcItem;
    CRect f = TopFrame(r, nPosition);
    int B = f.bottom - 1, h = B - f.top;
    int L = f.left - h / 4, R = f.right - h / 4, e = h / 2;
    return { { "outer near edge", FromTop(r, nPosition, (L + e + R) / 2, f.top), c->m_clrSheetSelOuterNear, true },
             { "opening line", FromTop(r, nPosition, (L + R) / 2, B), c->m_clrSelectedFace, true } };
}

std::vector<Probe> StackedProbes(CTestStrip& s, int /*nPosition*/)
{
    CVZPTabColorSet* c = s.m_pPaintManager->GetColorSet();
    CRect r = s.GetItem(1)->m_rcItem;
    return { { "raised edge", r.TopLeft(), c->m_clrHighlightEdge, true },
             { "lower edge", CPoint(r.left + 3, r.bottom - 1), c->m_clrBorder, true },
             { "gripper dot", CPoint(r.right - 7, r.top + 4), Sys(VZPCOLOR_GRIPPER), true } };
}

ProbeMaker ProbesFor(int nAppearance)
{
    switch (nAppearance)
    {
    case 0:
        return [](CTestStrip& s, int p) { return PropertyPageProbes(s, p, FALSE); };
    case 1:
        return [](CTestStrip& s, int p) { return PropertyPageProbes(s, p, TRUE); };
    case 2:
        return RoundedProbes;
    case 3:
        return SlantedProbes;
    case 4:
        return StateButtonProbes;
    case 5:
        return FlatSelectedProbes;
    case 6:
        return FlatProbes;
    case 7:
        return TrapezoidProbes;
    case 8:
        return StackedProbes;
    default:
        return SlantedBothProbes;
    }
}

std::string Hex(COLORREF clr)
{
    char sz[16];
    sprintf(sz, "%06lX", static_cast<unsigned long>(clr));
    return sz;
}

void CheckProbes(const CDibCanvas& canvas, const std::vector<Probe>& probes)
{
    for (const Probe& p : probes)
    {
        COLORREF clr = canvas.Pixel(p.pt.x, p.pt.y);
        if (p.bEqual)
            EXPECT_EQ(Hex(p.clr), Hex(clr)) << p.pszWhat << " at " << p.pt.x << "," << p.pt.y;
        else
            EXPECT_NE(Hex(p.clr), Hex(clr)) << p.pszWhat << " at " << p.pt.x << "," << p.pt.y;
    }
}

const char* const kPositions[4] = { "top", "left", "bottom", "right" };

}  // namespace

TEST(TabPaint, EveryAppearanceAtEveryPosition)
{
    for (int nAppearance = 0; nAppearance <= 9; nAppearance++)
        for (int nPosition = 0; nPosition < 4; nPosition++)
        {
            SCOPED_TRACE("appearance " + std::to_string(nAppearance) + ", " + kPositions[nPosition]);
            CTestStrip strip;
            SetUpStrip(strip, nAppearance, nPosition);
            CDibCanvas canvas(strip.m_rcStrip.Width(), strip.m_rcStrip.Height(), RGB(1, 2, 3));
            AFX_GDI_COUNTS before = AfxGetGdiCounts();
            strip.Paint(CDC::FromHandle(canvas.Dc()));
            AFX_GDI_COUNTS after = AfxGetGdiCounts();
            EXPECT_EQ(before.nObjects, after.nObjects);
            EXPECT_EQ(before.nDCs, after.nDCs);
            if (nAppearance == 8 && nPosition != vzpTabPositionTop)
                continue;   // the stack ignores the position
            CheckProbes(canvas, ProbesFor(nAppearance)(strip, nPosition));
        }
}

TEST(TabPaint, ClassicStateButtonIsACheckerboardInASunkenFrame)
{
    CTestStrip strip;
    SetUpStrip(strip, 4, vzpTabPositionTop, 1);
    CDibCanvas canvas(300, 110);
    strip.Paint(CDC::FromHandle(canvas.Dc()));
    CRect r = strip.GetItem(1)->m_rcItem;
    COLORREF a = canvas.Pixel(r.left + 2, r.top + 2), b = canvas.Pixel(r.left + 3, r.top + 2);
    COLORREF c = canvas.Pixel(r.left + 2, r.top + 3);
    EXPECT_NE(a, b);
    EXPECT_EQ(b, c);
    EXPECT_TRUE((a == Sys(COLOR_BTNFACE) && b == Sys(COLOR_BTNHIGHLIGHT)) ||
                (a == Sys(COLOR_BTNHIGHLIGHT) && b == Sys(COLOR_BTNFACE)));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.Pixel(r.left, r.top + 3));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.Pixel(r.right - 1, r.top + 3));
}

TEST(TabPaint, VisualStyleColorsWithoutVisualStylesPaintAsClassic)
{
    for (int nPosition = 0; nPosition < 4; nPosition++)
    {
        SCOPED_TRACE(kPositions[nPosition]);
        CTestStrip classic, themed;
        SetUpStrip(classic, 0, nPosition, 1);
        SetUpStrip(themed, 0, nPosition, 8);
        ASSERT_FALSE(themed.m_pPaintManager->GetColorSet()->IsThemed());
        CDibCanvas a(classic.m_rcStrip.Width(), classic.m_rcStrip.Height());
        CDibCanvas b(classic.m_rcStrip.Width(), classic.m_rcStrip.Height());
        classic.Paint(CDC::FromHandle(a.Dc()));
        themed.Paint(CDC::FromHandle(b.Dc()));
        for (const Probe& p : PropertyPageProbes(classic, nPosition, FALSE))
            EXPECT_EQ(Hex(a.Pixel(p.pt.x, p.pt.y)), Hex(b.Pixel(p.pt.x, p.pt.y))) << p.pszWhat;
        CPoint ptHeader(classic.m_rcHeader.right - 2, classic.m_rcHeader.top + 1);
        EXPECT_EQ(a.Pixel(ptHeader.x, ptHeader.y), b.Pixel(ptHeader.x, ptHeader.y));
    }
}

TEST(TabPaint, ItemColoursFillTheTabs)
{
    CTestStrip strip;
    SetUpStrip(strip, 0, vzpTabPositionTop);
    strip.m_pPaintManager->m_bItemColors = TRUE;
    CDibCanvas canvas(300, 110);
    strip.Paint(CDC::FromHandle(canvas.Dc()));
    CRect r0 = strip.GetItem(0)->m_rcItem;
    EXPECT_EQ(Hex(strip.GetItem(0)->GetColor()), Hex(canvas.Pixel(r0.left + 2, r0.bottom - 3)));
    EXPECT_EQ(Hex(RGB(138, 168, 228)), Hex(strip.GetItem(0)->GetColor()));
}

TEST(TabPaint, NavigateButtonsAndAStripWindow)
{
    CTestStrip strip;
    strip.m_pPaintManager->SetTabPosition(vzpTabPositionTop);
    ASSERT_TRUE(strip.CreateWnd(CSize(220, 90)));
    for (int i = 0; i < 8; i++)
        strip.Add(L"Document", i % 2 + 1);
    strip.FindNavigateButton(vzpTabNavigateClose)->m_nDisplayMode = vzpTabNavigateAlways;
    strip.SetSelectedItem(strip.GetItem(1));
    tesmir::test::PaintNow(&strip.m_wnd);
    tesmir::test::CCapture capture(&strip.m_wnd);
    capture.Canvas().SaveBmp(vzpanes_test::ScreenshotPath(L"tabs-window-buttons.bmp"));
    // The enabled forward button's glyph is filled in the text colour, the
    // disabled back button's is hollow.
    CVZPTabManagerNavigateButton* pBack = strip.FindNavigateButton(vzpTabNavigateBack);
    CVZPTabManagerNavigateButton* pForward = strip.FindNavigateButton(vzpTabNavigateForward);
    ASSERT_FALSE(pForward->m_rcButton.IsRectEmpty());
    ASSERT_FALSE(pBack->m_bEnabled);
    CPoint cf((pForward->m_rcButton.left + pForward->m_rcButton.right) / 2,
              (pForward->m_rcButton.top + pForward->m_rcButton.bottom) / 2);
    EXPECT_EQ(Hex(Sys(COLOR_BTNTEXT)), Hex(capture.Pixel(cf.x - 1, cf.y - 1)));
    CPoint cb((pBack->m_rcButton.left + pBack->m_rcButton.right) / 2,
              (pBack->m_rcButton.top + pBack->m_rcButton.bottom) / 2);
    EXPECT_NE(Hex(Sys(COLOR_BTNTEXT)), Hex(capture.Pixel(cb.x + 1, cb.y - 1)));
    EXPECT_EQ(Hex(Sys(COLOR_BTNTEXT)), Hex(capture.Pixel(cb.x + 2, cb.y - 1)));
    // Tabs are clipped off before the buttons.
    EXPECT_LE(strip.m_rcHeader.right, pBack->m_rcButton.left);
}

TEST(TabPaint, Screenshots)
{
    // Every shape at every position, with its default colours.
    for (int nAppearance = 0; nAppearance <= 9; nAppearance++)
    {
        CDibCanvas canvas(620, 500, RGB(255, 255, 255));
        for (int nPosition = 0; nPosition < 4; nPosition++)
        {
            CTestStrip strip;
            SetUpStrip(strip, nAppearance, nPosition);
            CPoint ptAt = nPosition == vzpTabPositionTop      ? CPoint(0, 0)
                          : nPosition == vzpTabPositionBottom ? CPoint(0, 120)
                          : nPosition == vzpTabPositionLeft   ? CPoint(310, 0)
                                                              : CPoint(460, 0);
            ::SetViewportOrgEx(canvas.Dc(), ptAt.x, ptAt.y, NULL);
            strip.Paint(CDC::FromHandle(canvas.Dc()));
        }
        ::SetViewportOrgEx(canvas.Dc(), 0, 0, NULL);
        std::wstring name = L"tabs-appearance-" + std::to_wstring(nAppearance) + L".bmp";
        EXPECT_TRUE(canvas.SaveBmp(vzpanes_test::ScreenshotPath(name.c_str())));
    }
    // Every colour set on the property-page and state-button shapes, under
    // the blue scheme.
    vzpanes_test::CForcedColorScheme scheme(1, FALSE);
    for (int nColor : { 1, 2, 4, 8, 16 })
    {
        CDibCanvas canvas(620, 120, RGB(255, 255, 255));
        for (int nAppearance : { 0, 4 })
        {
            CTestStrip strip;
            SetUpStrip(strip, nAppearance, vzpTabPositionTop, nColor);
            ::SetViewportOrgEx(canvas.Dc(), nAppearance == 0 ? 0 : 310, 0, NULL);
            strip.Paint(CDC::FromHandle(canvas.Dc()));
        }
        ::SetViewportOrgEx(canvas.Dc(), 0, 0, NULL);
        std::wstring name = L"tabs-colors-" + std::to_wstring(nColor) + L".bmp";
        EXPECT_TRUE(canvas.SaveBmp(vzpanes_test::ScreenshotPath(name.c_str())));
    }
}

TEST(ThemedRunTabPaint, VisualStyleColorsDrawThemedParts)
{
    for (int nPosition = 0; nPosition < 4; nPosition++)
    {
        SCOPED_TRACE(kPositions[nPosition]);
        CTestStrip strip;
        SetUpStrip(strip, 0, nPosition, 8);
        ASSERT_TRUE(strip.m_pPaintManager->GetColorSet()->IsThemed());
        CDibCanvas canvas(strip.m_rcStrip.Width(), strip.m_rcStrip.Height(), RGB(1, 2, 3));
        AFX_GDI_COUNTS before = AfxGetGdiCounts();
        strip.Paint(CDC::FromHandle(canvas.Dc()));
        AFX_GDI_COUNTS after = AfxGetGdiCounts();
        EXPECT_EQ(before.nObjects, after.nObjects);
        // The selected tab is drawn by the theme: its middle is painted.
        CPoint pt = strip.GetItem(1)->m_rcItem.CenterPoint();
        EXPECT_NE(RGB(1, 2, 3), canvas.Pixel(pt.x, pt.y));
        std::wstring name = std::wstring(L"tabs-themed-") + std::to_wstring(nPosition) + L".bmp";
        canvas.SaveBmp(vzpanes_test::ScreenshotPath(name.c_str()));
    }
}
