// The custom control: a child window of the site, found by its control id
// when the bar model is loaded, hosted on a toolbar inside the control's
// margins, shown and hidden with the control, and its stand-ins in a
// vertical dock.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPControlCustom.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPPropExchangeArchive.h"
#include "VZPCommandBarsState.h"

#include <TestSupport.h>

#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::PumpUntil;

namespace {

const UINT kWindowId = 4321;

class CustomControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pBar = m_pCommandBars->AddToolBar(L"Hosting", vzpBarTop);
        m_pBar->SetFlags(0x0F);
        m_pBar->GetControls()->AddControl(new CSizedControl, 5000);
        ASSERT_TRUE(m_window.Create(L"BUTTON", L"Hosted", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 10),
                                    m_pFrame, kWindowId));
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(BringToFront(m_pFrame));
    }
    void TearDown() override { DestroyFrame(m_pFrame); }

    // A custom control saved with the margins, size, options and id, and
    // loaded again as the bars load it, added to the test bar.
    CVZPControlCustom* LoadCustom(int nControlId, int nVerticalOptions, UINT nCommand = 1000)
    {
        CVZPControlCustom source;
        source.SetId(nCommand);
        source.SetCaption(L"Custom");
        source.m_rcBorders = CRect(2, 3, 2, 3);
        source.m_szControl = CSize(100, 20);
        source.m_verticalOptions = nVerticalOptions;
        source.m_nControlId = nControlId;
        VZPCommandBarsStateOptions options = {FALSE, TRUE, FALSE, m_pCommandBars};
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            CVZPPropExchangeArchive px(ar);
            px.m_pExtraData = &options;
            source.DoPropExchange(&px);
        }
        file.SeekToBegin();
        CVZPControlCustom* pCustom = new CVZPControlCustom;
        {
            CArchive ar(&file, CArchive::load);
            CVZPPropExchangeArchive px(ar);
            px.m_pExtraData = &options;
            pCustom->DoPropExchange(&px);
        }
        m_pBar->GetControls()->AddControl(pCustom, -1, NULL, 0);
        m_pFrame->RecalcLayout();
        return pCustom;
    }
    CRect WindowInBar() const
    {
        CRect rc;
        m_window.GetWindowRect(&rc);
        m_pBar->ScreenToClient(&rc);
        return rc;
    }
    void DockLeft()
    {
        m_pCommandBars->DockCommandBar(m_pBar, NULL, m_pCommandBars->GetDockBar(vzpBarLeft));
        m_pFrame->RecalcLayout();
    }

    CTestFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPToolBar* m_pBar = NULL;
    CWnd m_window;
};

}  // namespace

// Loaded with the id of the site's child, the control measures the window
// with its margins and holds it inside them; hide flags hide the window.
TEST_F(CustomControlTest, TheLoadedWindowSitsInsideTheMargins)
{
    CVZPControlCustom* pCustom = LoadCustom(kWindowId, CVZPControlCustom::verticalHide);
    ASSERT_EQ(m_window.m_hWnd, pCustom->GetControlWindow());
    EXPECT_EQ(vzpControlButton, pCustom->GetType());
    EXPECT_EQ(CSize(104, 26), pCustom->GetRect().Size());
    EXPECT_EQ(m_pBar->m_hWnd, ::GetParent(m_window.m_hWnd));
    const CRect rcExpected(pCustom->GetRect().TopLeft() + CPoint(2, 3), CSize(100, 20));
    EXPECT_EQ(rcExpected, WindowInBar());
    EXPECT_TRUE(m_window.IsWindowVisible());

    for (DWORD dwFlag : {0x1u, 0x2u, 0x4u, 0x8u, 0x10u, 0x20u, 0x40u})
    {
        pCustom->SetHideFlags(dwFlag);
        EXPECT_FALSE(m_window.IsWindowVisible()) << dwFlag;
        pCustom->SetHideFlags(0);
        EXPECT_TRUE(m_window.IsWindowVisible()) << dwFlag;
    }
    pCustom->SetEnabled(FALSE);
    EXPECT_FALSE(m_window.IsWindowEnabled());
    pCustom->SetEnabled(TRUE);
    EXPECT_TRUE(m_window.IsWindowEnabled());

    // Without a window of the id the control stays a plain button.
    CVZPControlCustom* pPlain = LoadCustom(9999, CVZPControlCustom::verticalHide, 1001);
    EXPECT_EQ(nullptr, pPlain->GetControlWindow());
    EXPECT_NE(CSize(104, 26), pPlain->GetRect().Size());
    EXPECT_TRUE(pPlain->IsVisible());
}

// Docked vertically: option 0 hides the control, 1 keeps the window, 2
// hides the window and lets the control act as a button.
TEST_F(CustomControlTest, VerticalDockOptions)
{
    CVZPControlCustom* pCustom = LoadCustom(kWindowId, CVZPControlCustom::verticalHide);
    DockLeft();
    EXPECT_NE(0u, pCustom->GetHideFlags() & CVZPControl::hideDockingVert);
    EXPECT_FALSE(m_window.IsWindowVisible());
    m_pCommandBars->DockCommandBar(m_pBar, NULL, m_pCommandBars->GetDockBar(vzpBarTop));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(0u, pCustom->GetHideFlags());
    EXPECT_TRUE(m_window.IsWindowVisible());

    pCustom->m_verticalOptions = CVZPControlCustom::verticalKeep;
    DockLeft();
    EXPECT_EQ(0u, pCustom->GetHideFlags());
    EXPECT_TRUE(m_window.IsWindowVisible());

    pCustom->m_verticalOptions = CVZPControlCustom::verticalButton;
    m_pBar->OnRecalcLayout();
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(pCustom->IsVisible());
    EXPECT_FALSE(m_window.IsWindowVisible());
    EXPECT_NE(CSize(104, 26), pCustom->GetRect().Size());
    const int nCommands = m_pFrame->m_nCommands;
    CPoint pt = pCustom->GetRect().CenterPoint();
    m_pBar->ClientToScreen(&pt);
    ASSERT_TRUE(SendMouseSteps({{pt + CPoint(0, 5), 0}, {pt, 0}, {pt, MOUSEEVENTF_LEFTDOWN}, {pt, MOUSEEVENTF_LEFTUP}}));
    EXPECT_TRUE(PumpUntil([&] { return m_pFrame->m_nCommands > nCommands; }, 2000));
}
