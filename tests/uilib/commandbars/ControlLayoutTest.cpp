// The row layout of a bar's controls: wrapping at group starts, hiding what
// does not fit, far alignment, stretching and the floating shapes, measured
// on controls of fixed sizes with the fixed-metric test theme (separators
// 6 x 6), on a bar without a window.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPControls.h"
#include "CVZPToolBar.h"

#include <TestSupport.h>

#include <vector>

using namespace vzcommandbars_test;

namespace {

struct ItemShape
{
    int cx;
    int cy;
    BOOL bBeginGroup;
    DWORD dwFlags;
};

class ControlLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallTestTheme();
        m_pBar = (CVZPToolBar*)RUNTIME_CLASS(CVZPToolBar)->CreateObject();
        m_pBar->m_barPosition = vzpBarTop;
        m_pDC = CDC::FromHandle(m_canvas.Dc());
    }
    void TearDown() override { m_pBar->InternalRelease(); }

    void Fill(const std::vector<ItemShape>& shapes)
    {
        m_pBar->GetControls()->RemoveAll();
        for (const ItemShape& shape : shapes)
        {
            CSizedControl* pControl = new CSizedControl;
            pControl->m_sz = CSize(shape.cx, shape.cy);
            pControl->SetBeginGroup(shape.bBeginGroup);
            pControl->SetFlags(shape.dwFlags);
            m_pBar->GetControls()->AddControl(pControl);
        }
    }
    CSize Layout(int nLength, DWORD dwMode)
    {
        return m_pBar->GetControls()->CalcDynamicSize(m_pDC, nLength, dwMode | LM_COMMIT, m_rcBorder);
    }
    CRect Rect(int nIndex) { return m_pBar->GetControls()->GetAt(nIndex)->GetRect(); }
    DWORD Hide(int nIndex) { return m_pBar->GetControls()->GetAt(nIndex)->GetHideFlags(); }

    tesmir::test::CDibCanvas m_canvas{8, 8};
    CDC* m_pDC = NULL;
    CVZPToolBar* m_pBar = NULL;
    CRect m_rcBorder{2, 3, 4, 5};
};

// A docked row that overflows wraps before the nearest group start of the
// row, else before the overflowing control; the new row starts at the left
// margin without the group gap, below the separator when it begins a group.
TEST_F(ControlLayoutTest, DockedRowsWrapAtGroupStartsOrAtTheOverflowingControl)
{
    struct Case
    {
        const char* name;
        std::vector<ItemShape> items;
        int nLength;
        std::vector<CRect> rects;
    };
    const int l = 2, t = 3;
    const std::vector<Case> cases = {
        // 30 + 30 + (6 + 30) + 30 = 126; the fifth overflows 140 - 6: the row
        // breaks at the group start, the third control.
        {"group start",
         {{30, 20, 0, 0}, {30, 20, 0, 0}, {30, 20, 1, 0}, {30, 20, 0, 0}, {30, 20, 0, 0}},
         140,
         {{l, t, l + 30, t + 20}, {l + 30, t, l + 60, t + 20}, {l, t + 26, l + 30, t + 46},
          {l + 30, t + 26, l + 60, t + 46}, {l + 60, t + 26, l + 90, t + 46}}},
        // No group start in the row: the row breaks before the overflowing one.
        {"no group",
         {{30, 20, 0, 0}, {30, 20, 0, 0}, {30, 20, 0, 0}, {30, 20, 0, 0}},
         100 + 6,
         {{l, t, l + 30, t + 20}, {l + 30, t, l + 60, t + 20}, {l + 60, t, l + 90, t + 20}, {l, t + 20, l + 30, t + 40}}},
        // Within one row the group start gets the separator's width.
        {"fits",
         {{30, 20, 0, 0}, {30, 10, 1, 0}},
         200,
         {{l, t, l + 30, t + 20}, {l + 36, t + 5, l + 66, t + 15}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Fill(c.items);
        Layout(c.nLength, LM_HORZDOCK);
        for (size_t i = 0; i < c.rects.size(); i++)
            EXPECT_EQ(c.rects[i], Rect((int)i)) << "control " << i;
    }
}

// Mode 0x80 hides the overflowing control and all after it (hide flag 2);
// keyboard stepping skips them.
TEST_F(ControlLayoutTest, HideModeHidesTheRestAndKeyboardSkipsIt)
{
    Fill({{30, 20, 0, 0}, {30, 20, 0, 0}, {30, 20, 0, 0}, {30, 20, 1, 0}, {30, 20, 0, 0}});
    CSize size = Layout(100 + 6, LM_HORZDOCK | VZP_LM_HIDEWRAP);
    EXPECT_EQ(0u, Hide(2));
    EXPECT_EQ((DWORD)CVZPControl::hideWrap, Hide(3));
    EXPECT_EQ((DWORD)CVZPControl::hideWrap, Hide(4));
    EXPECT_EQ(CSize(106, 20 + 8), size);   // stretched to the length, one row
    CVZPControls* pControls = m_pBar->GetControls();
    EXPECT_EQ(0, pControls->GetNext(2, 1));
    EXPECT_EQ(2, pControls->GetNext(0, -1));
    EXPECT_EQ(3, pControls->GetVisibleCount(TRUE));
    EXPECT_EQ(5, pControls->GetVisibleCount(FALSE));

    // A longer bar shows them again.
    Layout(400, LM_HORZDOCK | VZP_LM_HIDEWRAP);
    EXPECT_EQ(0u, Hide(3));
    EXPECT_EQ(0u, Hide(4));
}

TEST_F(ControlLayoutTest, ABarWithoutVisibleControlsHasTheEmptySize)
{
    Fill({{30, 20, 0, 0}});
    m_pBar->GetControls()->GetAt(0)->SetHideFlags(CVZPControl::hideCustomize);
    EXPECT_EQ(CSize(2 + 4 + 23, 3 + 5 + 22), Layout(300, LM_HORZDOCK));
    Fill({});
    EXPECT_EQ(CSize(2 + 4 + 23, 3 + 5 + 22), Layout(300, 0));
    // The minimum raises the height of a docked bar.
    EXPECT_EQ(CSize(29, 40), m_pBar->GetControls()->CalcDynamicSize(m_pDC, 300, LM_HORZDOCK, m_rcBorder, 40));
}

// Flag 0x1 moves controls to the far end of the row; flag 0x20 controls share
// the free space (101 pixels between two: 50 and 51), moving what follows.
TEST_F(ControlLayoutTest, FarAlignmentAndStretching)
{
    Fill({{30, 20, 0, 0}, {30, 20, 0, CVZPControl::flagRightAlign}, {20, 20, 0, CVZPControl::flagRightAlign}});
    Layout(300, LM_HORZDOCK | LM_STRETCH);
    const int nEdge = 300 - 4;
    EXPECT_EQ(CRect(2, 3, 32, 23), Rect(0));
    EXPECT_EQ(CRect(nEdge - 50, 3, nEdge - 20, 23), Rect(1));
    EXPECT_EQ(CRect(nEdge - 20, 3, nEdge, 23), Rect(2));

    Fill({{30, 20, 0, CVZPControl::flagStretched}, {30, 20, 0, 0}, {30, 20, 0, CVZPControl::flagStretched},
          {10, 20, 0, 0}});
    Layout(2 + 100 + 101 + 4, LM_HORZDOCK | LM_STRETCH);
    EXPECT_EQ(CRect(2, 3, 2 + 30 + 50, 23), Rect(0));
    EXPECT_EQ(CRect(82, 3, 112, 23), Rect(1));
    EXPECT_EQ(CRect(112, 3, 112 + 30 + 51, 23), Rect(2));
    EXPECT_EQ(CRect(193, 3, 203, 23), Rect(3));
}

// A floating bar: mode 0x100 makes every group a row and then balances a
// shape that came out too tall; LM_LENGTHY finds the narrowest shape whose
// height fits.
TEST_F(ControlLayoutTest, FloatingShapesAreBalancedOrFitTheirHeight)
{
    std::vector<ItemShape> groups(6, ItemShape{20, 20, TRUE, 0});
    Fill(groups);
    m_pBar->SetMRUWidth(0);
    CSize size = Layout(0, VZP_LM_FLOATSHAPE);
    // Three rows of two: 20 + 6 + 20 wide, 3 x 20 + 2 x 6 high.
    EXPECT_EQ(CSize(46 + 6, 72 + 8), size);
    CVZPControls* pControls = m_pBar->GetControls();
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(i == 2 || i == 4, pControls->GetAt(i)->GetWrap()) << i;

    std::vector<ItemShape> plain(6, ItemShape{20, 20, FALSE, 0});
    Fill(plain);
    size = Layout(40 + 8, LM_LENGTHY);
    EXPECT_EQ(CSize(60 + 6, 40 + 8), size);
    EXPECT_TRUE(pControls->GetAt(3)->GetWrap());
    EXPECT_EQ(CRect(2, 23, 22, 43), Rect(3));
}

// A vertically docked bar stacks its controls downwards and wraps into new
// columns to the left.
TEST_F(ControlLayoutTest, VerticalBarsStackDownwards)
{
    Fill({{20, 30, 0, 0}, {20, 30, 0, 0}, {20, 30, 0, 0}});
    CSize size = Layout(60 + 8, LM_VERTDOCK);
    EXPECT_EQ(CSize(40 + 6, 60 + 8), size);
    EXPECT_EQ(CRect(22, 3, 42, 33), Rect(0));
    EXPECT_EQ(CRect(22, 33, 42, 63), Rect(1));
    EXPECT_EQ(CRect(2, 3, 22, 33), Rect(2));
}

// A theme without separators gives group starts no room in the placed row;
// the wrap must not charge them a gap either, or a bar committed at the size
// its measuring pass answered would hide its last control.
class CNoSeparatorTheme : public CTestPaintManager
{
public:
    CSize DrawCommandBarSeparator(CDC*, CVZPCommandBar*, CVZPControl*, BOOL) override { return CSize(0, 0); }
};

TEST_F(ControlLayoutTest, ABarCommittedAtItsMeasuredLengthHidesNothing)
{
    CVZPCommandBarPaintManager::SetCustomTheme(new CNoSeparatorTheme);
    Fill({{52, 52, 0, 0}, {52, 52, 1, 0}, {86, 52, 1, 0}, {90, 52, 1, 0}, {52, 52, 1, 0}});
    CSize measured = m_pBar->GetControls()->CalcDynamicSize(m_pDC, 1280, LM_HORZDOCK | VZP_LM_HIDEWRAP, m_rcBorder);
    EXPECT_EQ(2 + 332 + 4, measured.cx);
    Layout(measured.cx, LM_HORZDOCK | VZP_LM_HIDEWRAP);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(0u, Hide(i)) << "control " << i;
    EXPECT_EQ(CRect(2 + 280, 3, 2 + 332, 3 + 52), Rect(4));
}

}  // namespace
