// The program's own command-bar look: white bars and control borders, no
// separators, and the header logo on the dock bar at width - 240, 28.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CMainFramePaintManager.h"
#include "CVZPCommandBar.h"
#include "CVZPDockBar.h"
#include "TestSupport.h"
#include "VZPColorIndex.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

class FramePaintManager : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"frame look", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      20, 20, 900, 300, NULL, NULL));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
    CMainFramePaintManager m_look;
};

TEST_F(FramePaintManager, WhiteBordersAndNoSeparators)
{
    EXPECT_EQ(4, m_look.GetThemeType());
    EXPECT_EQ(kWhite, m_look.GetColor(VZPCOLOR_CONTROL_BORDER));
    m_look.RefreshMetrics();
    EXPECT_EQ(kWhite, m_look.GetColor(VZPCOLOR_CONTROL_BORDER));
    tesmir::test::CDibCanvas canvas(40, 40, RGB(10, 20, 30));
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    EXPECT_EQ(CSize(0, 0), m_look.DrawCommandBarSeparator(pDC, NULL, NULL, TRUE));
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(20, 20));
}

TEST_F(FramePaintManager, ToolbarsAreFilledWhiteWithBlackText)
{
    CVZPCommandBar bar;
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 40), &m_parent,
                             1));
    ASSERT_EQ(vzpBarTypeNormal, bar.GetType());
    tesmir::test::CDibCanvas canvas(320, 60, RGB(10, 20, 30));
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    pDC->SetTextColor(RGB(200, 0, 0));
    m_look.FillCommandBarEntry(pDC, &bar);
    EXPECT_EQ(300 * 40, canvas.Count(CRect(0, 0, 300, 40), kWhite));
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(310, 50));
    EXPECT_EQ(RGB(0, 0, 0), pDC->GetTextColor());
    bar.DestroyWindow();
}

TEST_F(FramePaintManager, DockBarCarriesTheLogoNearItsRightEnd)
{
    const CTransparentBitmap& logo = m_look.GetLogo();
    ASSERT_NE(nullptr, logo.GetSafeHandle());
    const int cx = logo.GetWidth(), cy = logo.GetHeight();
    EXPECT_EQ(202, cx);
    EXPECT_EQ(51, cy);

    CVZPDockBar dock(NULL);
    ASSERT_TRUE(dock.Create(&m_parent, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP));
    dock.MoveWindow(0, 0, 800, 100);
    tesmir::test::CDibCanvas canvas(800, 100, RGB(10, 20, 30));
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    m_look.FillDockBar(pDC, &dock);
    if (HasFailure())
        return;
    const std::wstring folder = tesmir::test::BuildPath(L"screenshots");
    ::CreateDirectoryW(folder.c_str(), NULL);
    EXPECT_TRUE(canvas.SaveBmp(folder + L"\\frame-dock-bar-logo.bmp"));

    const CRect rcLogo(800 - 240, 28, 800 - 240 + cx, 28 + cy);
    // Everything outside the logo is white; inside, the logo's own colours
    // show and its white stays white.
    CRect rcAll(0, 0, 800, 100);
    EXPECT_EQ(rcAll.Width() * rcAll.Height() - rcLogo.Width() * rcLogo.Height(),
              canvas.Count(rcAll, kWhite) - canvas.Count(rcLogo, kWhite));
    const int logoWhite = canvas.Count(rcLogo, kWhite);
    EXPECT_GT(logoWhite, 0);
    EXPECT_LT(logoWhite, rcLogo.Width() * rcLogo.Height());
    EXPECT_EQ(0, canvas.Count(rcAll, RGB(10, 20, 30)));
    dock.DestroyWindow();
}

}  // namespace
