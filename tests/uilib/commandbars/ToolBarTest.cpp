// Toolbars on real frames: the application-like frame with its menu bar and
// "Standard" toolbar, toolbar resources, the docked layout with its expand
// button, visibility, the expand popup and the "&Add or Remove Buttons" list,
// and clicks on toolbars and dock bars.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPImageManager.h"
#include "CVZPMenuBar.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"
#include "CVZPReBar.h"
#include "CVZPToolBar.h"
#include "CVZPTooltipService.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

#include <afxpriv.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::CMessageBoxAnswer;
using tesmir::test::PumpUntil;

namespace {

// The screen rectangle of a window.
CRect ScreenRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// The frame's client rectangle on the screen.
CRect ClientScreenRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    pWnd->ClientToScreen(&rc);
    return rc;
}

// The tooltip text the bar gives for a client point, empty when none.
CString TooltipAt(CVZPCommandBar* pBar, CPoint point, INT_PTR* pnHit = NULL)
{
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    INT_PTR nHit = pBar->OnToolHitTest(point, &ti);
    if (pnHit != NULL)
        *pnHit = nHit;
    CString strText = ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKW ? ti.lpszText : L"";
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKW)
        free(ti.lpszText);
    return strText;
}

// The controls of a bar that are not its own special ones (temporary).
std::vector<CVZPControl*> UserControls(CVZPCommandBar* pBar)
{
    std::vector<CVZPControl*> controls;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (!pBar->GetControl(i)->IsTemporary())
            controls.push_back(pBar->GetControl(i));
    return controls;
}

// An application-like frame, visible and wide enough for the whole toolbar.
class AppLikeFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
        m_pFrame = new CAppLikeFrame;
        m_pFrame->m_bHandleCustomize = HandleCustomize();
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pFrame->MoveWindow(20, 20, 760, 420);
        m_pFrame->RecalcLayout();
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pMenuBar = m_pFrame->m_pMenuBar;
        m_pBar = m_pFrame->m_pStandardBar;
    }
    void TearDown() override { DestroyFrame(m_pFrame); }
    virtual BOOL HandleCustomize() const { return FALSE; }

    void IdlePass()
    {
        CWinApp* pApp = AfxGetApp();
        CWnd* pOldMain = pApp->m_pMainWnd;
        pApp->m_pMainWnd = m_pFrame;
        pApp->OnIdle(0);
        pApp->OnIdle(1);
        pApp->m_pMainWnd = pOldMain;
        PumpUntil([] { return false; }, 50);
    }

    CAppLikeFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPCommandBar* m_pMenuBar = NULL;
    CVZPToolBar* m_pBar = NULL;
};

class AppLikeCustomizeFrameTest : public AppLikeFrameTest
{
protected:
    BOOL HandleCustomize() const override { return TRUE; }
};

}  // namespace

// ---------------------------------------------------------------------------
// The application-like frame

TEST_F(AppLikeFrameTest, CarriesTheMenuBarAboveTheStandardToolbar)
{
    ASSERT_NE(nullptr, m_pMenuBar);
    ASSERT_NE(nullptr, m_pBar);
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));

    // Idle passes and resizing never bring the native menu back.
    IdlePass();
    m_pFrame->MoveWindow(20, 20, 720, 400);
    IdlePass();
    m_pFrame->MoveWindow(20, 20, 760, 420);
    IdlePass();
    m_pFrame->RecalcLayout();
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));

    // The toolbar as the application sets it up.
    EXPECT_EQ((UINT)IDR_APP_TOOLBAR, m_pBar->GetBarID());
    EXPECT_EQ(0x20u, m_pBar->GetFlags());
    EXPECT_EQ(0u, m_pBar->GetBarStyle() & CBRS_GRIPPER);
    EXPECT_EQ(CSize(32, 32), m_pBar->GetIconSize());
    EXPECT_EQ(CSize(39, 39), m_pBar->GetButtonSize());
    EXPECT_TRUE(m_pBar->IsTextBelowIcons());
    const std::vector<CVZPControl*> buttons = UserControls(m_pBar);
    const UINT ids[] = {32818, 32777, 32811, 32781, 32785, 32787, 57670};
    ASSERT_EQ(7u, buttons.size());
    CVZPCommandBarPaintManager* pPaintManager = m_pCommandBars->GetPaintManager();
    CClientDC dc(m_pBar);
    CFont* pOldFont = dc.SelectObject(pPaintManager->GetCommandBarFont(m_pBar));
    for (size_t i = 0; i < buttons.size(); i++)
    {
        CVZPControl* pButton = buttons[i];
        EXPECT_EQ(ids[i], pButton->GetID());
        EXPECT_EQ(vzpControlButton, pButton->GetType());
        EXPECT_EQ(0u, pButton->GetHideFlags()) << i;
        // A separator stands between neighbours.
        EXPECT_EQ(i > 0, pButton->GetBeginGroup() != FALSE) << i;
        const CSize szCaption = pPaintManager->DrawControlText(&dc, pButton->GetCaption(), CRect(0, 0, 0, 0), FALSE,
                                                              FALSE, FALSE, FALSE, FALSE, TRUE);
        EXPECT_EQ(39 + szCaption.cy, pButton->GetRect().Height()) << i;
        EXPECT_GE(pButton->GetRect().Width(), 39) << i;
        // The images came from the toolbar's bitmap.
        EXPECT_NE(nullptr, m_pCommandBars->GetImageManager()->GetImage(ids[i], 32)) << i;
    }
    dc.SelectObject(pOldFont);

    // The menu bar: stretched over the whole width, its expand button at the
    // right end.
    EXPECT_EQ(0x41u, m_pMenuBar->GetFlags());
    EXPECT_EQ(0u, m_pMenuBar->GetBarStyle() & CBRS_GRIPPER);
    CVZPControl* pExpand = m_pMenuBar->GetControls()->FindControl(CVZPToolBar::idExpandButton);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_EQ(0u, pExpand->GetHideFlags());
    CRect rcMenuClient;
    m_pMenuBar->GetClientRect(&rcMenuClient);
    EXPECT_LE(pExpand->GetRect().right, rcMenuClient.right);
    EXPECT_GT(pExpand->GetRect().left, rcMenuClient.right - 20);
    EXPECT_EQ(4, (int)UserControls(m_pMenuBar).size());

    // Row 0 is the menu bar over the full width, row 1 the toolbar.
    const CRect rcClient = ClientScreenRect(m_pFrame);
    const CRect rcMenu = ScreenRect(m_pMenuBar);
    const CRect rcBar = ScreenRect(m_pBar);
    EXPECT_EQ(rcClient.top, rcMenu.top);
    EXPECT_EQ(rcClient.left, rcMenu.left);
    EXPECT_EQ(rcClient.Width(), rcMenu.Width());
    EXPECT_EQ(rcMenu.bottom, rcBar.top);
    EXPECT_EQ(rcClient.left, rcBar.left);
    EXPECT_EQ(buttons[0]->GetRect().Height(), rcBar.Height() - 4);
    CVZPDockBar* pTop = m_pCommandBars->GetDockBar(0);
    ASSERT_EQ(2, pTop->GetRowCount());
    ASSERT_EQ(5, pTop->GetEntryCount());
    EXPECT_EQ(m_pMenuBar, pTop->GetEntry(1));
    EXPECT_EQ(nullptr, pTop->GetEntry(2));
    EXPECT_EQ(m_pBar, pTop->GetEntry(3));
    EXPECT_EQ(pTop, m_pBar->GetDockBar());
    const CRect rcTop = ScreenRect(pTop);
    EXPECT_EQ(rcClient.top, rcTop.top);
    EXPECT_EQ(rcClient.Width(), rcTop.Width());
    EXPECT_EQ(rcMenu.Height() + rcBar.Height(), rcTop.Height());
    for (int i = 1; i < 4; i++)
    {
        CRect rcDock = ScreenRect(m_pCommandBars->GetDockBar(i));
        EXPECT_EQ(0, i == 1 ? rcDock.Height() : rcDock.Width()) << i;
    }

    // The tooltip of Open.
    const CPoint ptOpen = buttons[0]->GetRect().CenterPoint();
    INT_PTR nHit = 0;
    EXPECT_EQ(CString(L"Open"), TooltipAt(m_pBar, ptOpen, &nHit));
    EXPECT_EQ(32818, (int)nHit);

    tesmir::test::PaintNow(m_pFrame);
    tesmir::test::CDibCanvas canvas(rcClient.Width(), rcMenu.Height() + rcBar.Height() + 10);
    tesmir::test::CaptureWindow(m_pFrame->m_hWnd, canvas);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_app_frame.bmp"));
}

TEST_F(AppLikeFrameTest, TooltipsFollowTheOptionsAndTheBarsState)
{
    const std::vector<CVZPControl*> buttons = UserControls(m_pBar);
    ASSERT_FALSE(buttons.empty());
    const CPoint ptOpen = buttons[0]->GetRect().CenterPoint();
    CVZPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();

    // No control under the point, screen tips off, the bar tracking for an
    // open popup: no tip.
    INT_PTR nHit = 0;
    EXPECT_TRUE(TooltipAt(m_pBar, CPoint(-5, -5), &nHit).IsEmpty());
    EXPECT_EQ(-1, (int)nHit);
    pOptions->bToolBarScreenTips = FALSE;
    EXPECT_TRUE(TooltipAt(m_pBar, ptOpen, &nHit).IsEmpty());
    EXPECT_EQ(-1, (int)nHit);
    pOptions->bToolBarScreenTips = TRUE;
    m_pBar->m_bTracking = 2;
    EXPECT_EQ(-1, (TooltipAt(m_pBar, ptOpen, &nHit), (int)nHit));
    m_pBar->m_bTracking = 0;

    // With shortcut tips on, a control's shortcut text joins its tip.
    pOptions->bToolBarAccelTips = TRUE;
    buttons[0]->SetShortcutText(L"Ctrl+O");
    EXPECT_EQ(CString(L"Open (Ctrl+O)"), TooltipAt(m_pBar, ptOpen));
    pOptions->bToolBarAccelTips = FALSE;
    EXPECT_EQ(CString(L"Open"), TooltipAt(m_pBar, ptOpen));
}

TEST_F(AppLikeFrameTest, PrintPreviewHidesTheBarsAndShowsThemAgain)
{
    m_pFrame->OnSetPreviewMode(TRUE, NULL);
    EXPECT_FALSE(m_pBar->IsVisible());
    EXPECT_FALSE(m_pBar->IsWindowVisible());
    EXPECT_FALSE(m_pMenuBar->IsWindowVisible());
    m_pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_TRUE(m_pBar->IsVisible());
    EXPECT_TRUE(m_pBar->IsWindowVisible());
    EXPECT_TRUE(m_pMenuBar->IsWindowVisible());

    // A bar hidden before the preview stays hidden after it.
    m_pBar->SetVisible(FALSE);
    m_pFrame->OnSetPreviewMode(TRUE, NULL);
    m_pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_FALSE(m_pBar->IsVisible());
    EXPECT_FALSE(m_pBar->IsWindowVisible());
}

// ---------------------------------------------------------------------------
// Toolbar resources

TEST(ToolBarResource, FillsTheBarAndKeepsItsDefaultControls)
{
    const struct
    {
        UINT nID;
        BOOL bLoaded;
        std::vector<UINT> ids;
        std::vector<BOOL> groups;
    } cases[] = {
        {IDR_TEST_TOOLBAR, TRUE, {1000, 1001}, {FALSE, FALSE}},
        {IDR_EMPTY_TOOLBAR, TRUE, {}, {}},
        // Separators in a row give one group mark; a trailing one none.
        {IDR_GROUPS_TOOLBAR, TRUE, {1000, 1001}, {TRUE, TRUE}},
        {4321, FALSE, {}, {}},
    };
    for (const auto& c : cases)
    {
        CVZPToolBar* pBar = (CVZPToolBar*)RUNTIME_CLASS(CVZPToolBar)->CreateObject();
        pBar->GetControls()->Add(vzpControlButton, 77);   // replaced by the load
        EXPECT_EQ(c.bLoaded, pBar->LoadToolBar(c.nID, FALSE)) << c.nID;
        EXPECT_EQ(c.nID, pBar->GetBarID());
        ASSERT_EQ(c.ids.size(), (size_t)pBar->GetControlCount()) << c.nID;
        for (size_t i = 0; i < c.ids.size(); i++)
        {
            EXPECT_EQ(c.ids[i], pBar->GetControl((int)i)->GetID()) << c.nID;
            EXPECT_EQ(c.groups[i], pBar->GetControl((int)i)->GetBeginGroup()) << c.nID << " " << i;
        }
        // Loaded bars keep what they loaded as their defaults.
        CVZPControls* pDefault = pBar->GetControls()->GetDefaultControls();
        EXPECT_EQ(c.bLoaded, pDefault != NULL) << c.nID;
        if (pDefault != NULL)
        {
            EXPECT_EQ((int)c.ids.size(), pDefault->GetCount());
        }
        // 16-pixel images keep the standard sizes.
        EXPECT_EQ(CSize(23, 23), pBar->GetButtonSize());
        pBar->InternalRelease();
    }
}

TEST(ToolBarResource, ASiteMayHandItsOwnControls)
{
    class CSupplyingFrame : public CTestFrame
    {
    public:
        std::vector<UINT> m_created;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            VZPCREATECONTROLSTRUCT* pCreate = (VZPCREATECONTROLSTRUCT*)lParam;
            if (message == WM_VZP_CREATECONTROL && pCreate->nId == 1001)
            {
                EXPECT_TRUE(pCreate->bToolBar);
                EXPECT_EQ(CString(L"Standard"), pCreate->strCaption);
                pCreate->controlType = vzpControlPopup;
                return 1;
            }
            if (message == WM_VZP_CONTROLCREATED)
                m_created.push_back(pCreate->pControl != NULL ? pCreate->pControl->GetID() : 0);
            return CTestFrame::WindowProc(message, wParam, lParam);
        }
    };
    CSupplyingFrame* pFrame = new CSupplyingFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CVZPToolBar* pBar = pFrame->GetCommandBars()->AddToolBar(L"Standard");
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pBar->LoadToolBar(IDR_TEST_TOOLBAR, FALSE));
    ASSERT_EQ(2, pBar->GetControlCount());
    EXPECT_EQ(vzpControlButton, pBar->GetControl(0)->GetType());
    EXPECT_EQ(vzpControlPopup, pBar->GetControl(1)->GetType());
    EXPECT_EQ(1001u, pBar->GetControl(1)->GetIconId());
    // A popup made by the collection keeps id 0 and shows the command's image.
    EXPECT_EQ((std::vector<UINT>{1000, 0}), pFrame->m_created);
    DestroyFrame(pFrame);
}

// ---------------------------------------------------------------------------
// Docked layout and the expand button

TEST(ToolBarLayout, TheExpandButtonShowsOnlyWhenControlsOverflow)
{
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
    CVZPToolBar* pBar = pCommandBars->AddToolBar(L"Standard");
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(pBar->LoadToolBar(IDR_APP_TOOLBAR, TRUE));
    pBar->SetFlags(0x20);
    const DWORD dwMode = LM_HORZ | LM_HORZDOCK | LM_COMMIT | VZP_LM_HIDEWRAP;

    // Everything fits: no expand button.
    CSize szWide = pBar->CalcDockingLayout(2000, dwMode);
    CVZPControl* pExpand = pBar->GetControls()->FindControl(CVZPToolBar::idExpandButton);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_NE(0u, pExpand->GetHideFlags());
    EXPECT_EQ(7, pBar->GetControls()->GetVisibleCount(FALSE));

    // Too narrow: the far controls hide and the button takes 11 pixels.
    CSize szNarrow = pBar->CalcDockingLayout(150, dwMode);
    EXPECT_LE(szNarrow.cx, 150);
    EXPECT_EQ(0u, pExpand->GetHideFlags());
    EXPECT_TRUE(((CVZPToolBarExpandButton*)pExpand)->HasHiddenControls());
    int nHidden = 0;
    for (CVZPControl* pControl : UserControls(pBar))
        if (pControl->GetHideFlags() == CVZPControl::hideWrap)
            nHidden++;
    EXPECT_GT(nHidden, 0);
    EXPECT_LT(nHidden, 7);
    EXPECT_GE(pExpand->GetRect().left, szNarrow.cx - CVZPToolBar::kExpandButtonRoom - 4);

    // Always shown when the option says so, even when all fits.
    pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = TRUE;
    CSize szAlways = pBar->CalcDockingLayout(2000, dwMode);
    EXPECT_EQ(0u, pExpand->GetHideFlags());
    EXPECT_EQ(szWide.cx + CVZPToolBar::kExpandButtonRoom, szAlways.cx);

    // A bar without the button never gets one.
    pBar->ShowExpandButton(FALSE);
    EXPECT_EQ(szWide.cx, pBar->CalcDockingLayout(2000, dwMode).cx);
    DestroyFrame(pFrame);
}

TEST(ToolBarLayout, AFloatingBarCarriesItsCloseAndExpandButtons)
{
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPToolBar* pBar = pFrame->GetCommandBars()->AddToolBar(L"Floating", vzpBarFloating);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(vzpBarFloating, pBar->GetPosition());
    EXPECT_EQ(nullptr, pBar->GetDockBar());
    EXPECT_NE(0u, pBar->GetStyle() & WS_POPUP);
    EXPECT_EQ(pFrame->m_hWnd, ::GetWindow(pBar->m_hWnd, GW_OWNER));
    ASSERT_TRUE(pBar->LoadToolBar(IDR_TEST_TOOLBAR, FALSE));
    pBar->OnRecalcLayout();
    CVZPControl* pClose = pBar->GetControls()->FindControl(CVZPToolBar::idCloseButton);
    CVZPControl* pExpand = pBar->GetControls()->FindControl(CVZPToolBar::idExpandButton);
    ASSERT_NE(nullptr, pClose);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_EQ(0u, pClose->GetHideFlags());
    EXPECT_EQ(0u, pExpand->GetHideFlags());
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.right - 3, pClose->GetRect().right);
    EXPECT_EQ(pClose->GetRect().left, pExpand->GetRect().right);
    EXPECT_EQ(3, pClose->GetRect().top);

    // The bar's edges answer as resize borders.
    CRect rcWindow;
    pBar->GetWindowRect(&rcWindow);
    EXPECT_EQ(HTTOP, (int)pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + 1, rcWindow.top + 1)));
    EXPECT_EQ(HTRIGHT, (int)pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.right - 1, rcWindow.CenterPoint().y)));

    // Docking it again makes it a child.
    EXPECT_TRUE(pBar->SetPosition(vzpBarTop));
    EXPECT_NE(0u, pBar->GetStyle() & WS_CHILD);
    EXPECT_EQ(0u, pBar->GetStyle() & WS_POPUP);
    EXPECT_EQ(pFrame->GetCommandBars()->GetDockBar(0), pBar->GetDockBar());
    EXPECT_FALSE(pBar->SetPosition(9));
    DestroyFrame(pFrame);
}

// ---------------------------------------------------------------------------
// Visibility

TEST(ToolBarVisibility, TheSiteHearsOfItAndTornOffBarsGoAway)
{
    class CVisibilityFrame : public CTestFrame
    {
    public:
        std::vector<std::pair<CVZPToolBar*, BOOL>> m_changes;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_VZP_TOOLBARVISIBLECHANGED)
                m_changes.push_back(std::make_pair((CVZPToolBar*)wParam, (BOOL)lParam));
            return CTestFrame::WindowProc(message, wParam, lParam);
        }
    };
    CVisibilityFrame* pFrame = new CVisibilityFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    CVZPToolBar* pBar = pCommandBars->AddToolBar(L"Standard");
    ASSERT_NE(nullptr, pBar);
    const int nLayouts = pFrame->m_nLayouts;
    EXPECT_FALSE(pBar->SetVisible(TRUE));   // unchanged
    EXPECT_TRUE(pBar->SetVisible(FALSE));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_GT(pFrame->m_nLayouts, nLayouts);
    pCommandBars->ToggleVisible(0);
    EXPECT_TRUE(pBar->IsVisible());
    EXPECT_TRUE(pBar->IsWindowVisible());
    ASSERT_EQ(2u, pFrame->m_changes.size());
    EXPECT_EQ(std::make_pair(pBar, FALSE), pFrame->m_changes[0]);
    EXPECT_EQ(std::make_pair(pBar, TRUE), pFrame->m_changes[1]);
    EXPECT_EQ(1, pCommandBars->GetCount());   // a built-in bar stays

    // A torn-off bar that hides leaves the manager and is released.
    CVZPToolBar* pTorn = pCommandBars->AddCustomBar(L"Torn", 500, TRUE);
    ASSERT_NE(nullptr, pTorn);
    EXPECT_TRUE(pTorn->IsTearOff());
    EXPECT_FALSE(pTorn->IsBuiltIn());
    pTorn->InternalAddRef();
    EXPECT_TRUE(pTorn->SetVisible(FALSE));
    EXPECT_EQ(-1, pCommandBars->FindIndex(pTorn));
    EXPECT_EQ(1, pTorn->m_dwRef);
    pTorn->InternalRelease();
    EXPECT_EQ(1, pCommandBars->GetCount());
    DestroyFrame(pFrame);
}

// ---------------------------------------------------------------------------
// The expand popup and "&Add or Remove Buttons"

TEST_F(AppLikeFrameTest, TheMenuBarsExpandPopupOffersADisabledMenuBarEntry)
{
    CVZPToolBar* pMenuBar = (CVZPToolBar*)m_pMenuBar;
    CVZPPopupBar* pPopup = pMenuBar->CreateExpandPopup(FALSE);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_FALSE(pPopup->IsCustomizable());
    // Nothing overflows: only the "&Add or Remove Buttons" entry.
    ASSERT_EQ(1, pPopup->GetControlCount());
    CVZPControl* pAddRemove = pPopup->GetControl(0);
    EXPECT_EQ(CString(L"&Add or Remove Buttons"), pAddRemove->GetCaption());
    EXPECT_EQ(vzpControlPopup, pAddRemove->GetType());
    CVZPCommandBar* pList = pAddRemove->GetCommandBar();
    ASSERT_NE(nullptr, pList);
    ASSERT_EQ(1, pList->GetControlCount());
    CVZPControl* pEntry = pList->GetControl(0);
    EXPECT_EQ(CString(L"Menu Bar"), pEntry->GetCaption());
    EXPECT_FALSE(pEntry->GetEnabled());
    ASSERT_NE(nullptr, pEntry->GetCommandBar());
    EXPECT_EQ(0, pEntry->GetCommandBar()->GetControlCount());
    pPopup->InternalRelease();
}

TEST_F(AppLikeCustomizeFrameTest, TheAddRemoveListTogglesAndResetsTheControls)
{
    ASSERT_TRUE(m_pCommandBars->IsCustomizeAvail());
    m_pBar->ShowExpandButton(TRUE);
    CVZPPopupBar* pPopup = m_pBar->CreateExpandPopup(FALSE);
    ASSERT_NE(nullptr, pPopup);
    ASSERT_GE(pPopup->GetControlCount(), 1);
    CVZPControl* pAddRemove = pPopup->GetControl(pPopup->GetControlCount() - 1);
    CVZPCommandBar* pAddRemoveBar = pAddRemove->GetCommandBar();
    ASSERT_NE(nullptr, pAddRemoveBar);
    // The bar's entry, then "&Customize..." after a separator.
    ASSERT_EQ(2, pAddRemoveBar->GetControlCount());
    CVZPControl* pEntry = pAddRemoveBar->GetControl(0);
    CVZPControl* pCustomize = pAddRemoveBar->GetControl(1);
    EXPECT_EQ(CString(L"Standard"), pEntry->GetCaption());
    EXPECT_TRUE(pEntry->GetEnabled());
    EXPECT_EQ((UINT)VZP_ID_CUSTOMIZE, pCustomize->GetID());
    EXPECT_EQ(CString(L"&Customize..."), pCustomize->GetCaption());
    EXPECT_TRUE(pCustomize->GetBeginGroup());

    // One check button per control, then Reset.
    CVZPPopupBar* pList = DYNAMIC_DOWNCAST(CVZPPopupBar, pEntry->GetCommandBar());
    ASSERT_NE(nullptr, pList);
    EXPECT_TRUE(pList->m_bDoubleGripper);
    ASSERT_EQ(8, pList->GetControlCount());
    const std::vector<CVZPControl*> buttons = UserControls(m_pBar);
    for (int i = 0; i < 7; i++)
    {
        CVZPControl* pItem = pList->GetControl(i);
        EXPECT_EQ(buttons[i]->GetCaption(), pItem->GetCaption()) << i;
        EXPECT_EQ(buttons[i]->GetID(), pItem->GetIconId()) << i;
        EXPECT_TRUE(pItem->GetEnabled()) << i;
        EXPECT_EQ(1, pItem->GetChecked()) << i;
    }
    CVZPControl* pReset = pList->GetControl(7);
    EXPECT_EQ(CString(L"Reset"), pReset->GetCaption());
    EXPECT_TRUE(pReset->GetBeginGroup());

    // Unchecking hides the control for the user and lays the bar out again.
    const CRect rcSecond = buttons[2]->GetRect();
    pList->GetControl(1)->OnExecute();
    EXPECT_EQ((DWORD)CVZPControl::hideCustomize, buttons[1]->GetHideFlags());
    EXPECT_EQ(0, pList->GetControl(1)->GetChecked());
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->bDirtyState);
    EXPECT_LT(buttons[2]->GetRect().left, rcSecond.left);
    pList->GetControl(1)->OnExecute();
    EXPECT_EQ(0u, buttons[1]->GetHideFlags());
    EXPECT_EQ(rcSecond, buttons[2]->GetRect());
    pList->GetControl(1)->OnExecute();
    pPopup->InternalRelease();

    // Reset asks first; Cancel keeps the change, OK restores the defaults.
    {
        CMessageBoxAnswer answer(IDCANCEL);
        m_pBar->ResetCustomization();
        ASSERT_EQ(1u, answer.m_texts.size());
        EXPECT_EQ(std::wstring(L"Are you sure you want to reset the changes made to the 'Standard' toolbar?"),
                  answer.m_texts[0]);
        EXPECT_EQ((UINT)(MB_OKCANCEL | MB_ICONWARNING), answer.m_types[0] & (MB_TYPEMASK | MB_ICONMASK));
        EXPECT_EQ((DWORD)CVZPControl::hideCustomize, buttons[1]->GetHideFlags());
    }
    {
        CMessageBoxAnswer answer(IDOK);
        m_pBar->ResetCustomization();
        EXPECT_EQ(1u, answer.m_texts.size());
    }
    const std::vector<CVZPControl*> restored = UserControls(m_pBar);
    ASSERT_EQ(7u, restored.size());
    for (CVZPControl* pControl : restored)
        EXPECT_EQ(0u, pControl->GetHideFlags() & CVZPControl::hideCustomize);
}

TEST_F(AppLikeCustomizeFrameTest, AControlMissingFromTheBarComesBackHiddenInTheList)
{
    // A default control removed from the bar is listed again, unchecked.
    m_pBar->GetControls()->RemoveAt(3);
    ASSERT_EQ(6u, UserControls(m_pBar).size());
    CVZPPopupBar* pList = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
    m_pBar->BuildCustomizePopup(pList);
    ASSERT_EQ(8, pList->GetControlCount());
    EXPECT_EQ(32781u, pList->GetControl(3)->GetIconId());
    EXPECT_EQ(0, pList->GetControl(3)->GetChecked());
    const std::vector<CVZPControl*> controls = UserControls(m_pBar);
    ASSERT_EQ(7u, controls.size());
    EXPECT_EQ(32781u, controls[3]->GetID());
    EXPECT_EQ((DWORD)CVZPControl::hideCustomize, controls[3]->GetHideFlags());
    pList->InternalRelease();
}

// ---------------------------------------------------------------------------
// Rebar bands with real toolbars

TEST(ReBar, TakesALoadedToolbarAsABandWithItsBarId)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPReBar* pReBar = new CVZPReBar;
    ASSERT_TRUE(pReBar->Create(pFrame));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    CVZPToolBar* pBar = pCommandBars->AddToolBar(L"Standard");
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(pBar->LoadToolBar(IDR_TEST_TOOLBAR, FALSE));
    EXPECT_TRUE(pCommandBars->AddBarToReBar(pBar));
    ASSERT_EQ(0, pReBar->FindBand(pBar));
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = 80;
    rbbi.fMask = RBBIM_ID | RBBIM_CHILD;
    pReBar->SendMessage(RB_GETBANDINFOW, 0, (LPARAM)&rbbi);
    EXPECT_EQ((UINT)IDR_TEST_TOOLBAR, rbbi.wID);
    EXPECT_EQ(pBar->m_hWnd, rbbi.hwndChild);
    EXPECT_TRUE(pCommandBars->RemoveBarFromReBar(pBar));
    EXPECT_EQ(-1, pReBar->FindBand(pBar));
    DestroyFrame(pFrame);
    delete pReBar;
}

// ---------------------------------------------------------------------------
// Real input on toolbars and dock bars

namespace {

// The popup the thread tracks last, NULL when none.
CVZPPopupBar* TrackedPopup()
{
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    for (int i = pMouseManager->GetTrackedCount() - 1; i >= 0; i--)
        if (CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pMouseManager->GetTrackedAt(i)))
            return pPopup;
    return NULL;
}

void ClickAt(CPoint pt, DWORD dwDown = MOUSEEVENTF_LEFTDOWN, DWORD dwUp = MOUSEEVENTF_LEFTUP)
{
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    tesmir::test::SendMouseButtons(pt, {dwDown, dwUp});
}

CPoint ScreenCentre(CWnd* pWnd, CRect rc)
{
    pWnd->ClientToScreen(&rc);
    return rc.CenterPoint();
}

}  // namespace

// On a frame too narrow for it, an overflowing toolbar hides its far
// buttons; a click on its expand button lists them above "&Add or Remove
// Buttons".
TEST(ToolBarInput, TheExpandButtonListsWhatDoesNotFit)
{
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    pFrame->GetCommandBars()->GetCommandBarsOptions()->animationType = 5;
    pFrame->MoveWindow(40, 40, 200, 240);
    CVZPToolBar* pBar = pFrame->GetCommandBars()->AddToolBar(L"Standard");
    ASSERT_NE(nullptr, pBar);
    ASSERT_NE(0u, pBar->GetFlags() & 0x20);
    ASSERT_TRUE(pBar->LoadToolBar(IDR_APP_TOOLBAR, TRUE));
    pFrame->RecalcLayout();
    ASSERT_TRUE(BringToFront(pFrame));

    std::vector<UINT> hidden;
    for (CVZPControl* pControl : UserControls(pBar))
        if (pControl->GetHideFlags() == CVZPControl::hideWrap)
            hidden.push_back(pControl->GetID());
    ASSERT_FALSE(hidden.empty());
    ASSERT_LT(hidden.size(), 7u);
    CVZPControl* pExpand = pBar->GetControls()->FindControl(CVZPToolBar::idExpandButton);
    ASSERT_NE(nullptr, pExpand);
    ASSERT_EQ(0u, pExpand->GetHideFlags());

    ClickAt(ScreenCentre(pBar, pExpand->GetRect()));
    ASSERT_TRUE(PumpUntil([] { return TrackedPopup() != NULL && TrackedPopup()->IsWindowVisible(); }));
    CVZPPopupBar* pPopup = TrackedPopup();
    ASSERT_EQ((int)hidden.size() + 1, pPopup->GetControlCount());
    for (size_t i = 0; i < hidden.size(); i++)
    {
        EXPECT_EQ(hidden[i], (UINT)pPopup->GetControl((int)i)->GetID()) << i;
        EXPECT_EQ(0u, pPopup->GetControl((int)i)->GetHideFlags()) << i;
    }
    EXPECT_EQ(CString(L"&Add or Remove Buttons"), pPopup->GetControl((int)hidden.size())->GetCaption());
    {
        CRect rc;
        pPopup->GetWindowRect(&rc);
        tesmir::test::CDibCanvas canvas(rc.Width(), rc.Height());
        tesmir::test::CaptureWindow(pPopup->m_hWnd, canvas);
        canvas.SaveBmp(ScreenshotPath(L"commandbars_toolbar_expand_popup.bmp"));
    }
    CVZPCommandBars::ClosePopups();
    PumpUntil([] { return !::GetAsyncKeyState(VK_LBUTTON); }, 1000);
    DestroyFrame(pFrame);
}

// A right click on a toolbar or on the free part of a dock bar asks the
// site to fill the bars' context menu; with nothing filled in, no popup
// opens.
TEST_F(AppLikeFrameTest, ARightClickAsksTheSiteForTheBarsContextMenu)
{
    ASSERT_TRUE(BringToFront(m_pFrame));
    const std::vector<CVZPControl*> buttons = UserControls(m_pBar);
    ASSERT_FALSE(buttons.empty());
    CRect rcBar;
    m_pBar->GetWindowRect(&rcBar);
    CVZPDockBar* pTop = m_pCommandBars->GetDockBar(0);
    CRect rcTop;
    pTop->GetWindowRect(&rcTop);
    ASSERT_GT(rcTop.right - rcBar.right, 40) << "the dock bar has room beside the toolbar";
    const struct
    {
        const char* name;
        CPoint pt;
    } cases[] = {
        {"button", ScreenCentre(m_pBar, buttons[0]->GetRect())},
        {"dock bar", CPoint(rcBar.right + 20, rcBar.CenterPoint().y)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const size_t nBefore = m_pFrame->IdsOf(WM_VZP_TOOLBARCONTEXTMENU).size();
        ClickAt(c.pt, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        EXPECT_TRUE(PumpUntil([&] { return m_pFrame->IdsOf(WM_VZP_TOOLBARCONTEXTMENU).size() == nBefore + 1; }));
        PumpUntil([] { return false; }, 100);
        EXPECT_EQ(nullptr, TrackedPopup());
        EXPECT_FALSE(m_pBar->IsTrackingMode());
        EXPECT_TRUE(m_pFrame->IdsOf(WM_COMMAND).empty());
    }
}

// A torn-off bar closed by its own close button goes away for good, and
// only after the mouse handlers that ran the button have returned.
namespace {

class CCloseWatchToolBar : public CVZPToolBar
{
    DECLARE_DYNCREATE(CCloseWatchToolBar)
public:
    ~CCloseWatchToolBar() override { s_bDestroyed = TRUE; }

    static BOOL s_bDestroyed;
    static int s_nHandlersEndedDestroyed;   // a mouse handler returned into a destroyed bar
    static int s_nHandlers;

protected:
    // Only statics are touched after the base handler: the test must not
    // itself use a bar the handler may have destroyed.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        CVZPToolBar::OnLButtonDown(nFlags, point);
        Ended();
    }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point)
    {
        CVZPToolBar::OnLButtonUp(nFlags, point);
        Ended();
    }
    static void Ended()
    {
        s_nHandlers++;
        if (s_bDestroyed)
            s_nHandlersEndedDestroyed++;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CCloseWatchToolBar, CVZPToolBar)
BEGIN_MESSAGE_MAP(CCloseWatchToolBar, CVZPToolBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

BOOL CCloseWatchToolBar::s_bDestroyed = FALSE;
int CCloseWatchToolBar::s_nHandlersEndedDestroyed = 0;
int CCloseWatchToolBar::s_nHandlers = 0;

}  // namespace

TEST(ToolBarInput, ATornOffBarClosedByItsOwnButtonOutlivesTheClick)
{
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    CRuntimeClass* pOldClass = CVZPCommandBars::m_pToolBarClass;
    CVZPCommandBars::m_pToolBarClass = RUNTIME_CLASS(CCloseWatchToolBar);
    CVZPToolBar* pBar = pCommandBars->AddCustomBar(L"Torn", 880, TRUE);
    CVZPCommandBars::m_pToolBarClass = pOldClass;
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CCloseWatchToolBar)));
    CCloseWatchToolBar::s_bDestroyed = FALSE;
    CCloseWatchToolBar::s_nHandlers = 0;
    CCloseWatchToolBar::s_nHandlersEndedDestroyed = 0;
    pBar->GetControls()->Add(vzpControlButton, 1000);
    pBar->GetControls()->Add(vzpControlButton, 1001);
    pBar->MoveWindow(500, 300, 10, 10);
    pBar->OnRecalcLayout();
    ASSERT_TRUE(BringToFront(pFrame));
    CVZPControl* pClose = pBar->GetControls()->FindControl(CVZPToolBar::idCloseButton);
    ASSERT_NE(nullptr, pClose);
    ASSERT_EQ(0u, pClose->GetHideFlags());

    ClickAt(ScreenCentre(pBar, pClose->GetRect()));
    EXPECT_TRUE(PumpUntil([&] { return pCommandBars->GetToolBar(880) == NULL && CCloseWatchToolBar::s_bDestroyed; }));
    PumpUntil([] { return !::GetAsyncKeyState(VK_LBUTTON); }, 1000);
    EXPECT_GT(CCloseWatchToolBar::s_nHandlers, 0);
    EXPECT_EQ(0, CCloseWatchToolBar::s_nHandlersEndedDestroyed);
    DestroyFrame(pFrame);
}

// ---------------------------------------------------------------------------
// Icon sizes from the options

TEST(ToolBarIconSize, FollowsTheBarTheOptionsAndLargeIcons)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    CVZPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    CVZPToolBar* pBar = pCommandBars->AddToolBar(L"Standard");
    ASSERT_NE(nullptr, pBar);
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(pCommandBars);
    const struct
    {
        const char* name;
        CSize szOwnIcons, szOwnButtons, szOptionIcons, szLargeIcons;
        BOOL bLarge;
        CSize szIcon, szButton;
    } cases[] = {
        {"defaults", {0, 0}, {0, 0}, {0, 0}, {0, 0}, FALSE, {16, 16}, {23, 23}},
        {"the option's size", {0, 0}, {0, 0}, {24, 24}, {0, 0}, FALSE, {24, 24}, {31, 31}},
        {"the bar's own size first", {20, 20}, {0, 0}, {24, 24}, {0, 0}, FALSE, {20, 20}, {27, 27}},
        {"large: twice the size", {0, 0}, {0, 0}, {0, 0}, {0, 0}, TRUE, {32, 32}, {39, 39}},
        {"large: the option's large size", {0, 0}, {0, 0}, {24, 24}, {40, 40}, TRUE, {40, 40}, {47, 47}},
        {"large, own button size", {0, 0}, {30, 30}, {0, 0}, {0, 0}, TRUE, {16, 16}, {30, 30}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        pBar->SetIconSize(c.szOwnIcons);
        pBar->SetButtonSize(c.szOwnButtons);
        pOptions->szIcons = c.szOptionIcons;
        pOptions->szLargeIcons = c.szLargeIcons;
        pOptions->bLargeIcons = c.bLarge;
        EXPECT_EQ(c.szIcon, pBar->GetIconSize());
        EXPECT_EQ(c.szButton, pBar->GetButtonSize());
        // Menus keep their own option.
        EXPECT_EQ(CSize(16, 16), pPopup->GetIconSize());
    }
    pOptions->szPopupIcons = CSize(20, 20);
    EXPECT_EQ(CSize(20, 20), pPopup->GetIconSize());
    pOptions->szPopupIcons = CSize(16, 16);

    // Switching large icons on and updating the bars lays the buttons out
    // at the new size.
    pBar->SetIconSize(CSize(0, 0));
    pBar->SetButtonSize(CSize(0, 0));
    pOptions->bLargeIcons = FALSE;
    ASSERT_TRUE(pBar->LoadToolBar(IDR_TEST_TOOLBAR, FALSE));
    pCommandBars->UpdateCommandBars();
    const int nSmall = pBar->GetControl(0)->GetRect().Height();
    pOptions->bLargeIcons = TRUE;
    pCommandBars->UpdateCommandBars();
    EXPECT_EQ(nSmall + 16, pBar->GetControl(0)->GetRect().Height());
    pOptions->bLargeIcons = FALSE;
    pPopup->InternalRelease();
    DestroyFrame(pFrame);

    // Without a manager: the own size or 16 x 16.
    CVZPToolBar* pLoose = (CVZPToolBar*)RUNTIME_CLASS(CVZPToolBar)->CreateObject();
    EXPECT_EQ(CSize(16, 16), pLoose->GetIconSize());
    pLoose->SetIconSize(CSize(32, 32));
    EXPECT_EQ(CSize(39, 39), pLoose->GetButtonSize());
    pLoose->InternalRelease();
}
