// The command-bars manager in its frame: creation from the class name, dock
// bars, the Customize probe, the frame layout, the bar list and the command
// sets, and the classes created by name.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPAcceleratorManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlButton.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlComboBoxList.h"
#include "CVZPControlCustom.h"
#include "CVZPControlEdit.h"
#include "CVZPControlLabel.h"
#include "CVZPControlOleItems.h"
#include "CVZPControlPopup.h"
#include "CVZPControlRecentFileList.h"
#include "CVZPControlSelector.h"
#include "CVZPControlToolbars.h"
#include "CVZPControlWindowList.h"
#include "CVZPControlWorkspaceActions.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPEdit.h"
#include "CVZPMenuBar.h"
#include "CVZPPopupBar.h"
#include "CVZPPopupToolBar.h"
#include "CVZPToolBar.h"
#include "CVZPTooltipService.h"
#include "CommandBarsTestRes.h"

#include <TestSupport.h>
#include <afxpriv.h>

using namespace vzcommandbars_test;

namespace {

class ManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        m_pCommandBars = m_pFrame->GetCommandBars();
        ASSERT_NE(nullptr, m_pCommandBars);
    }
    void TearDown() override { DestroyFrame(m_pFrame); }

    CTestFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
};

TEST_F(ManagerTest, IsCreatedFromItsClassNameWithFourDockBars)
{
    EXPECT_TRUE(m_pCommandBars->IsKindOf(RUNTIME_CLASS(CVZPCommandBars)));
    EXPECT_EQ(m_pFrame, m_pCommandBars->GetSite());

    const struct
    {
        UINT nID;
        DWORD dwBarStyle;
    } expected[4] = {{59419, 0x2800}, {59422, 0x8200}, {59420, 0x1400}, {59421, 0x4100}};
    for (int i = 0; i < 4; i++)
    {
        SCOPED_TRACE(i);
        CVZPDockBar* pDockBar = m_pCommandBars->GetDockBar(i);
        ASSERT_NE(nullptr, pDockBar);
        ASSERT_TRUE(::IsWindow(pDockBar->GetSafeHwnd()));
        EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(pDockBar->m_hWnd));
        EXPECT_EQ((int)expected[i].nID, ::GetDlgCtrlID(pDockBar->m_hWnd));
        EXPECT_EQ(0x56000000u | expected[i].dwBarStyle, (DWORD)::GetWindowLongW(pDockBar->m_hWnd, GWL_STYLE));
        EXPECT_EQ(i, pDockBar->GetPosition());
    }
    EXPECT_EQ(nullptr, m_pCommandBars->GetDockBar(4));

    // An empty dock bar takes no room: the frame's whole client area stays
    // free for its view.
    m_pFrame->RecalcLayout();
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CRect rcFree;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcFree);
    EXPECT_EQ(rcClient, rcFree);
}

TEST(ManagerLifetime, TheFrameReleasesItsReference)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    CVZPToolBar* pBar = pCommandBars->AddToolBar(L"Standard", vzpBarTop);
    ASSERT_NE(nullptr, pBar);
    pCommandBars->InternalAddRef();
    pBar->InternalAddRef();
    DestroyFrame(pFrame);
    EXPECT_EQ(1, pCommandBars->m_dwRef);
    EXPECT_EQ(nullptr, pCommandBars->GetDockBar(0)->GetSafeHwnd());   // went with the frame
    pCommandBars->InternalRelease();   // releases its bars
    EXPECT_EQ(1, pBar->m_dwRef);
    pBar->InternalRelease();
}

TEST_F(ManagerTest, SiteHandlesCustomizeOnlyWhenItsCommandMapHas35001)
{
    EXPECT_FALSE(m_pCommandBars->IsCustomizeAvail());

    CCustomizeFrame* pFrame = new CCustomizeFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    EXPECT_TRUE(pFrame->GetCommandBars()->IsCustomizeAvail());
    EXPECT_EQ(0, pFrame->m_nCustomize);   // probed, not run
    DestroyFrame(pFrame);
}

TEST_F(ManagerTest, DelayedLayoutRunsOnceAtTheNextIdlePass)
{
    m_pFrame->m_nIdleFlags = 0;
    m_pFrame->m_nLayouts = 0;
    m_pCommandBars->RecalcFrameLayout(TRUE);
    EXPECT_EQ(0, m_pFrame->m_nLayouts);
    EXPECT_NE(0u, m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);

    // The idle pass the framework runs.
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(1, m_pFrame->m_nLayouts);
    EXPECT_EQ(0u, m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(1, m_pFrame->m_nLayouts);

    m_pCommandBars->RecalcFrameLayout(FALSE);
    EXPECT_EQ(2, m_pFrame->m_nLayouts);

    // ApplyDelayedLayout lays out only what is pending.
    m_pCommandBars->ApplyDelayedLayout();
    EXPECT_EQ(2, m_pFrame->m_nLayouts);
    m_pCommandBars->RecalcFrameLayout(TRUE);
    m_pCommandBars->ApplyDelayedLayout();
    EXPECT_EQ(3, m_pFrame->m_nLayouts);
    EXPECT_EQ(0u, m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
}

TEST_F(ManagerTest, NothingIsLaidOutUnderTheLayoutLock)
{
    m_pFrame->m_nIdleFlags = 0;
    m_pFrame->m_nLayouts = 0;
    m_pCommandBars->LockLayout(TRUE);
    m_pCommandBars->RecalcFrameLayout(FALSE);
    m_pCommandBars->RecalcFrameLayout(TRUE);
    EXPECT_EQ(0, m_pFrame->m_nLayouts);
    EXPECT_EQ(0u, m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    m_pCommandBars->LockLayout(FALSE);
    m_pCommandBars->UpdateCommandBars();   // takes and drops the lock, then lays out
    EXPECT_EQ(1, m_pFrame->m_nLayouts);
    EXPECT_FALSE(m_pCommandBars->IsLayoutLocked());
}

// A site that is not a frame, recording its WM_SIZE messages.
class CSizeSite : public CWnd
{
public:
    int m_nSizes = 0;
    CSize m_szLast;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        (void)nType;
        m_nSizes++;
        m_szLast = CSize(cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSizeSite, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

TEST(ManagerSite, ASiteThatIsNoFrameGetsWmSizeSentOrPosted)
{
    CSizeSite site;
    ASSERT_TRUE(site.CreateEx(0, AfxRegisterWndClass(0), L"site", WS_OVERLAPPED, 10, 10, 300, 200, NULL, NULL));
    site.m_nSizes = 0;
    CRect rcClient;
    site.GetClientRect(&rcClient);

    CVZPCommandBars* pCommandBars = (CVZPCommandBars*)RUNTIME_CLASS(CVZPCommandBars)->CreateObject();
    pCommandBars->SetSite(&site);
    pCommandBars->RecalcFrameLayout(FALSE);
    EXPECT_EQ(1, site.m_nSizes);
    EXPECT_EQ(rcClient.Size(), site.m_szLast);

    pCommandBars->RecalcFrameLayout(TRUE);
    EXPECT_EQ(1, site.m_nSizes);   // posted
    EXPECT_TRUE(tesmir::test::PumpUntil([&] { return site.m_nSizes == 2; }));
    EXPECT_EQ(rcClient.Size(), site.m_szLast);

    pCommandBars->InternalRelease();
    site.DestroyWindow();
}

TEST_F(ManagerTest, BarListAccessorsCheckTheirIndexes)
{
    EXPECT_EQ(0, m_pCommandBars->GetCount());
    EXPECT_EQ(nullptr, m_pCommandBars->GetAt(-1));
    EXPECT_EQ(nullptr, m_pCommandBars->GetAt(0));
    EXPECT_EQ(nullptr, m_pCommandBars->GetToolBar(0));
    EXPECT_EQ(-1, m_pCommandBars->GetNextVisible(0, 1));

    CVZPToolBar* pFirst = m_pCommandBars->AddToolBar(L"First", vzpBarTop);
    CVZPToolBar* pSecond = m_pCommandBars->AddToolBar(L"Second", vzpBarBottom);
    CVZPCommandBar* pMenuBar = m_pCommandBars->AddMenuBar(L"Menu Bar", IDR_TEST_MENU);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    ASSERT_NE(nullptr, pMenuBar);
    EXPECT_EQ(3, m_pCommandBars->GetCount());
    EXPECT_EQ(pFirst, m_pCommandBars->GetAt(0));
    EXPECT_EQ(pMenuBar, m_pCommandBars->GetAt(2));
    EXPECT_EQ(nullptr, m_pCommandBars->GetAt(3));
    EXPECT_EQ(pMenuBar, m_pCommandBars->GetMenuBar());
    EXPECT_EQ(pMenuBar, m_pCommandBars->GetToolBar(1));   // the menu bar's id
    EXPECT_EQ(1, m_pCommandBars->FindIndex(pSecond));
    EXPECT_EQ(vzpBarTop, pFirst->GetPosition());
    EXPECT_EQ(vzpBarBottom, pSecond->GetPosition());
    EXPECT_EQ(0x3Fu, pFirst->GetFlags());
    EXPECT_EQ(0x5Fu, pMenuBar->GetFlags());
    EXPECT_EQ(m_pCommandBars->GetDockBar(1), pSecond->GetDockBar());
    EXPECT_EQ(m_pCommandBars->GetDockBar(0)->m_hWnd, ::GetParent(pFirst->m_hWnd));

    // A menu that does not exist: no bar, the list unchanged.
    EXPECT_EQ(nullptr, m_pCommandBars->AddMenuBar(L"Missing", 4321));
    EXPECT_EQ(3, m_pCommandBars->GetCount());

    // GetNextVisible walks in both directions, wraps once and skips hidden bars.
    const struct
    {
        int nIndex, nStep, nExpected;
    } walks[] = {{0, 1, 1}, {2, 1, 0}, {0, -1, 2}, {-1, 1, 0}, {-1, -1, 2}};
    for (const auto& walk : walks)
        EXPECT_EQ(walk.nExpected, m_pCommandBars->GetNextVisible(walk.nIndex, walk.nStep))
            << walk.nIndex << " step " << walk.nStep;
    pSecond->SetVisible(FALSE);
    EXPECT_EQ(2, m_pCommandBars->GetNextVisible(0, 1));
    m_pCommandBars->ToggleVisible(1);
    EXPECT_TRUE(pSecond->IsVisible());
    pFirst->SetVisible(FALSE);
    pSecond->SetVisible(FALSE);
    ((CVZPToolBar*)pMenuBar)->SetVisible(FALSE);
    EXPECT_EQ(0, m_pCommandBars->GetNextVisible(0, 1));   // comes back to itself
    EXPECT_EQ(-1, m_pCommandBars->GetNextVisible(-1, 1));

    // Remove takes the bar out of its dock bar and the list; a stranger
    // changes nothing.
    CVZPToolBar* pStranger = (CVZPToolBar*)RUNTIME_CLASS(CVZPToolBar)->CreateObject();
    m_pCommandBars->Remove(pStranger);
    EXPECT_EQ(3, m_pCommandBars->GetCount());
    pStranger->InternalRelease();
    m_pCommandBars->Remove(pSecond);
    EXPECT_EQ(2, m_pCommandBars->GetCount());
    EXPECT_EQ(pMenuBar, m_pCommandBars->GetAt(1));
    m_pCommandBars->Remove((CVZPToolBar*)pMenuBar);
    EXPECT_EQ(nullptr, m_pCommandBars->GetMenuBar());
}

TEST_F(ManagerTest, HiddenCommandsStayHiddenUntilUsed)
{
    const UINT hidden[] = {57607, 57609};
    m_pCommandBars->HideCommands(hidden, 2);
    EXPECT_TRUE(m_pCommandBars->IsCommandHidden(57607));
    EXPECT_TRUE(m_pCommandBars->IsCommandHidden(57609));
    EXPECT_FALSE(m_pCommandBars->IsCommandHidden(57600));

    m_pCommandBars->SetCommandUsed(57600);   // not hidden: not recorded
    m_pCommandBars->SetCommandUsed(57607);
    EXPECT_FALSE(m_pCommandBars->IsCommandHidden(57607));
    BOOL bValue;
    EXPECT_FALSE(m_pCommandBars->GetCommandBarsOptions()->m_mapUsedCommands.Lookup(57600, bValue));
    m_pCommandBars->ResetUsageData();
    EXPECT_TRUE(m_pCommandBars->IsCommandHidden(57607));

    // A popup counts as hidden when every command under it is.
    CVZPControlPopup* pPopup = CVZPControlPopup::CreateControlPopup(vzpControlPopup);
    CVZPPopupBar* pBar = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
    pPopup->SetCommandBar(pBar);
    pBar->InternalRelease();
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pPopup));   // no controls
    for (UINT nID : hidden)
    {
        CVZPControlButton* pButton = new CVZPControlButton;
        pButton->SetId(nID);
        pBar->GetControls()->AddControl(pButton);
    }
    EXPECT_TRUE(m_pCommandBars->IsControlHidden(pPopup));
    m_pCommandBars->SetCommandUsed(57609);
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pPopup));
    m_pCommandBars->ResetUsageData();
    m_pCommandBars->GetCommandBarsOptions()->bAutoHideUnusedPopups = FALSE;
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pPopup));
    pPopup->InternalRelease();
}

TEST_F(ManagerTest, CustomizeModeSelectsNoControlAndTellsTheSite)
{
    m_pFrame->m_nSelChanged = 0;
    CVZPControlButton* pButton = new CVZPControlButton;
    m_pCommandBars->SetDragControl(pButton);
    EXPECT_EQ(pButton, m_pCommandBars->GetDragControl());
    EXPECT_EQ(2, pButton->m_dwRef);   // the manager's reference
    EXPECT_EQ(1, m_pFrame->m_nSelChanged);
    m_pCommandBars->SetDragControl(pButton);   // no change, no message
    EXPECT_EQ(1, m_pFrame->m_nSelChanged);
    m_pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_TRUE(m_pCommandBars->IsCustomizeMode());
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->bDirtyState);
    EXPECT_EQ(nullptr, m_pCommandBars->GetDragControl());
    EXPECT_EQ(1, pButton->m_dwRef);
    EXPECT_EQ(2, m_pFrame->m_nSelChanged);
    m_pCommandBars->SetCustomizeMode(FALSE);
    pButton->InternalRelease();
}

TEST_F(ManagerTest, PreviewModeDisablesShortcutsAndHidesToolbars)
{
    CVZPToolBar* pBar = m_pCommandBars->AddToolBar(L"Standard", vzpBarTop);
    ASSERT_NE(nullptr, pBar);
    m_pFrame->OnSetPreviewMode(TRUE, NULL);
    EXPECT_EQ(1, m_pCommandBars->GetAcceleratorManager()->GetDisableCount());
    EXPECT_FALSE(pBar->IsVisible());
    m_pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_EQ(0, m_pCommandBars->GetAcceleratorManager()->GetDisableCount());
    EXPECT_TRUE(pBar->IsVisible());
}

TEST_F(ManagerTest, DockTargetCatchesPointsWithinTwentyPixels)
{
    // The dock bars are empty: zero thick, they catch a band 40 pixels wide.
    CVZPDockBar* pTop = m_pCommandBars->GetDockBar(0);
    CRect rc;
    pTop->GetWindowRect(&rc);
    ASSERT_EQ(0, rc.Height());
    const int x = rc.left + 5;
    EXPECT_EQ(pTop, m_pCommandBars->CanDock(CPoint(x, rc.top - 19)));
    EXPECT_EQ(nullptr, m_pCommandBars->CanDock(CPoint(x, rc.top - 20)));
    // The current dock bar is tested first and kept while it accepts.
    CVZPDockBar* pLeft = m_pCommandBars->GetDockBar(2);
    EXPECT_EQ(pLeft, m_pCommandBars->CanDock(CPoint(x, rc.top - 19), pLeft));
}

TEST(CommandBarsClasses, DynamicallyCreatableClassesAreCreatedByName)
{
    CRuntimeClass* classes[] = {
        RUNTIME_CLASS(CVZPCommandBars),         RUNTIME_CLASS(CVZPCommandBar),
        RUNTIME_CLASS(CVZPToolBar),             RUNTIME_CLASS(CVZPMenuBar),
        RUNTIME_CLASS(CVZPPopupBar),            RUNTIME_CLASS(CVZPControlComboBoxList),
        RUNTIME_CLASS(CVZPPopupToolBar),
        RUNTIME_CLASS(CVZPControls),            RUNTIME_CLASS(CVZPControl),
        RUNTIME_CLASS(CVZPControlButton),       RUNTIME_CLASS(CVZPControlPopup),
        RUNTIME_CLASS(CVZPControlComboBox),     RUNTIME_CLASS(CVZPControlEdit),
        RUNTIME_CLASS(CVZPControlCustom),       RUNTIME_CLASS(CVZPControlWindowList),
        RUNTIME_CLASS(CVZPControlToolbars),     RUNTIME_CLASS(CVZPControlOleItems),
        RUNTIME_CLASS(CVZPControlRecentFileList), RUNTIME_CLASS(CVZPControlWorkspaceActions),
        RUNTIME_CLASS(CVZPControlSelector),     RUNTIME_CLASS(CVZPControlLabel),
        RUNTIME_CLASS(CVZPEdit),
    };
    for (CRuntimeClass* pExpected : classes)
    {
        CString strName(pExpected->m_lpszClassName);
        SCOPED_TRACE(pExpected->m_lpszClassName);
        CRuntimeClass* pClass = CRuntimeClass::FromName(strName);
        ASSERT_EQ(pExpected, pClass);
        CObject* pObject = pClass->CreateObject();
        ASSERT_NE(nullptr, pObject);
        EXPECT_EQ(pExpected, pObject->GetRuntimeClass());
        if (CCmdTarget* pTarget = DYNAMIC_DOWNCAST(CCmdTarget, pObject))
            if (!pTarget->IsKindOf(RUNTIME_CLASS(CVZPEdit)))
            {
                pTarget->InternalRelease();
                continue;
            }
        delete pObject;
    }
    // The serialisable ones carry the versionable schema 16.
    EXPECT_EQ(VERSIONABLE_SCHEMA | 0x10, RUNTIME_CLASS(CVZPToolBar)->m_wSchema);
    EXPECT_EQ(VERSIONABLE_SCHEMA | 0x10, RUNTIME_CLASS(CVZPControlCustom)->m_wSchema);
    // The record the manager sends with WM_VZP_CREATECOMMANDBAR.
    static_assert(sizeof(VZPCREATEBARSTRUCT) == 28, "seven 32-bit fields");
    EXPECT_EQ(RUNTIME_CLASS(CVZPToolBar), CVZPCommandBars::m_pToolBarClass);
    EXPECT_EQ(RUNTIME_CLASS(CVZPMenuBar), CVZPCommandBars::m_pMenuBarClass);
    EXPECT_EQ(RUNTIME_CLASS(CVZPPopupBar), CVZPCommandBars::m_pPopupBarClass);
}

TEST(CommandBarsClasses, ManagerOwnsATooltipServiceWithoutPrefixes)
{
    CVZPCommandBars* pManager = (CVZPCommandBars*)RUNTIME_CLASS(CVZPCommandBars)->CreateObject();
    ASSERT_NE(nullptr, pManager);
    CVZPTooltipService* pService = pManager->GetToolTipContext();
    ASSERT_NE(nullptr, pService);
    EXPECT_EQ((DWORD)TTS_NOPREFIX, pService->GetToolTipStyle() & TTS_NOPREFIX);
    // The manager holds the only reference and gives it up when it goes.
    EXPECT_EQ(2u, (unsigned)pService->InternalAddRef());
    pManager->InternalRelease();
    EXPECT_EQ(0u, (unsigned)pService->InternalRelease());
}

TEST(CommandBarsThreads, HookManagersArePerThreadAndCachedByTheManager)
{
    CVZPMouseHookManager* pMouse = CVZPCommandBars::GetThreadMouseManager();
    EXPECT_EQ(pMouse, CVZPCommandBars::GetThreadMouseManager());
    EXPECT_NE(nullptr, CVZPCommandBars::GetThreadKeyboardManager());
    struct Result
    {
        CVZPMouseHookManager* pMouse;
    } other = {NULL};
    struct Thread
    {
        static DWORD WINAPI Run(LPVOID p)
        {
            ((Result*)p)->pMouse = CVZPCommandBars::GetThreadMouseManager();
            return 0;
        }
    };
    HANDLE hThread = ::CreateThread(NULL, 0, &Thread::Run, &other, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    ::WaitForSingleObject(hThread, 10000);
    ::CloseHandle(hThread);
    EXPECT_NE(nullptr, other.pMouse);
    EXPECT_NE(pMouse, other.pMouse);

    CVZPCommandBars* pCommandBars = (CVZPCommandBars*)RUNTIME_CLASS(CVZPCommandBars)->CreateObject();
    EXPECT_EQ(pMouse, pCommandBars->GetMouseManager());
    pCommandBars->InternalRelease();
}

}  // namespace
