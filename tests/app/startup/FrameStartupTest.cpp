// The program started in the test process: one maximised frame titled
// "Tesmir for VHD" with its status bar, its minimum tracking size, the
// status pane that follows the client height, the start page and the four
// hidden step views; a screenshot of the frame is kept.
#include <gtest/gtest.h>

#include <afxext.h>

#include "CEx_StyleView.h"
#include "CFileSystemView.h"
#include "CFirstView_HDD.h"
#include "CSecondView_HDD.h"
#include "CThirdView_HDD.h"
#include "CVZPCommandBars.h"
#include "CVZPControl.h"
#include "CVZPControls.h"
#include "CVZPToolBar.h"
#include "LinkOpener.h"
#include "StartupTestSupport.h"
#include "TestSupport.h"
#include "resource.h"
#include "state/EngineState.h"

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

namespace {

class FrameStartup : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = StartedFrame();
        ASSERT_NE(nullptr, m_pFrame);
        App().SwitchView(WizardStartPage);
    }

    CMainFrame* m_pFrame = nullptr;
};

TEST_F(FrameStartup, OneMaximisedFrameTitledWithTheProductName)
{
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
    EXPECT_TRUE(m_pFrame->IsZoomed());
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_EQ(CString(L"Tesmir for VHD"), title);
    EXPECT_EQ(m_pFrame, AfxGetMainWnd());
    // The document's name never joins the title.
    EXPECT_EQ(0u, m_pFrame->GetStyle() & FWS_ADDTOTITLE);
}

TEST_F(FrameStartup, StatusBarCarriesTheOwnerDrawnSupportLink)
{
    CMainStatusBar& bar = m_pFrame->m_wndStatusBar;
    ASSERT_TRUE(bar.GetSafeHwnd() != NULL);
    EXPECT_EQ((UINT)AFX_IDW_STATUS_BAR, (UINT)bar.GetDlgCtrlID());
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(5, (int)bar.SendMessage(SB_GETPARTS, 0, 0));
    const LRESULT length = bar.SendMessage(SB_GETTEXTLENGTH, 1, 0);
    EXPECT_EQ(SBT_OWNERDRAW, HIWORD(length) & SBT_OWNERDRAW);

    // The link is drawn in its blue inside pane 1.
    m_pFrame->UpdateWindow();
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect pane;
    bar.SendMessage(SB_GETRECT, 1, (LPARAM)&pane);
    CRect rc;
    bar.GetClientRect(&rc);
    CDibCanvas canvas(rc.Width(), rc.Height());
    tesmir::test::CaptureWindow(bar.m_hWnd, canvas);
    EXPECT_GT(canvas.Count(pane, CMainStatusBar::kLinkColor), 10);
    CRect pane0;
    bar.SendMessage(SB_GETRECT, 0, (LPARAM)&pane0);
    EXPECT_EQ(0, canvas.Count(pane0, CMainStatusBar::kLinkColor));
}

TEST_F(FrameStartup, MinimumTrackingSizeIs875By690)
{
    MINMAXINFO info = {};
    m_pFrame->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(875, info.ptMinTrackSize.x);
    EXPECT_EQ(690, info.ptMinTrackSize.y);
}

// The first pane is half the client height plus 270 pixels, whatever the
// width.
TEST_F(FrameStartup, FirstStatusPaneFollowsTheClientHeight)
{
    m_pFrame->ShowWindow(SW_RESTORE);
    const SIZE sizes[] = {{900, 700}, {900, 500}, {1100, 400}, {700, 800}};
    for (const SIZE& size : sizes) {
        m_pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        CRect client;
        m_pFrame->GetClientRect(&client);
        UINT nID = 0, nStyle = 0;
        int cxWidth = 0;
        m_pFrame->m_wndStatusBar.GetPaneInfo(0, nID, nStyle, cxWidth);
        EXPECT_EQ(client.Height() / 2 + 270, cxWidth) << size.cx << " x " << size.cy;
        m_pFrame->m_wndStatusBar.GetPaneInfo(1, nID, nStyle, cxWidth);
        EXPECT_EQ(101u, nID);
        EXPECT_NE(0u, nStyle & SBPS_STRETCH);
    }
    m_pFrame->ShowWindow(SW_MAXIMIZE);
}

TEST_F(FrameStartup, StartPageCarriesFirstPaneIdAndStepViewsExistHidden)
{
    CWnd* pFirst = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(App().m_pViews[WizardStartPage]->m_hWnd, pFirst->m_hWnd);
    EXPECT_TRUE(pFirst->IsWindowVisible());
    EXPECT_EQ(App().m_pViews[WizardStartPage], m_pFrame->GetActiveView());
    EXPECT_TRUE(App().m_pViews[WizardStartPage]->IsKindOf(RUNTIME_CLASS(CEx_StyleView)));
    const CRuntimeClass* classes[] = {RUNTIME_CLASS(CFirstView_HDD), RUNTIME_CLASS(CSecondView_HDD),
                                      RUNTIME_CLASS(CFileSystemView), RUNTIME_CLASS(CThirdView_HDD)};
    for (int index = WizardDriveStep; index < WizardViewCount; ++index) {
        CView* pView = App().m_pViews[index];
        ASSERT_NE(nullptr, pView);
        EXPECT_TRUE(pView->IsKindOf(classes[index - 1]));
        EXPECT_EQ(m_pFrame, pView->GetParent());
        EXPECT_FALSE(pView->IsWindowVisible());
        EXPECT_NE(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
        EXPECT_EQ(m_pFrame->GetActiveDocument(), pView->GetDocument());
    }
    // The start page fills the client area above the status bar.
    CRect client, view, bar;
    m_pFrame->GetClientRect(&client);
    pFirst->GetWindowRect(&view);
    m_pFrame->ScreenToClient(&view);
    m_pFrame->m_wndStatusBar.GetWindowRect(&bar);
    m_pFrame->ScreenToClient(&bar);
    EXPECT_EQ(client.Width(), view.Width());
    EXPECT_EQ(bar.top, view.bottom);
}

// The frame carries the command bars' menu bar (the four menu titles) and
// the "Standard" toolbar with its seven buttons and captions below the
// icons; the native menu is taken off the frame.
TEST_F(FrameStartup, MenuBarAndStandardToolbarReplaceTheNativeMenu)
{
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
    CVZPCommandBars* pBars = m_pFrame->GetCommandBars();
    ASSERT_NE(nullptr, pBars);
    CVZPCommandBar* pMenuBar = pBars->GetMenuBar();
    ASSERT_NE(nullptr, pMenuBar);
    std::vector<std::wstring> titles;
    for (int i = 0; i < pMenuBar->GetControls()->GetCount(); i++) {
        CVZPControl* pControl = pMenuBar->GetControls()->GetAt(i);
        if (pControl->GetType() == vzpControlPopup)
            titles.push_back((LPCTSTR)pControl->GetCaption());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Recovery", L"View", L"Tools", L"Help"}), titles);

    CVZPToolBar* pStandard = m_pFrame->m_pStandardBar;
    ASSERT_NE(nullptr, pStandard);
    EXPECT_TRUE(pStandard->IsVisible());
    EXPECT_TRUE(pStandard->IsTextBelowIcons());
    const UINT ids[] = {ID_RECOVERY_OPEN, ID_RECOVER_SELECTED, ID_SAVE_SNAPSHOT, ID_LOAD_SNAPSHOT,
                        ID_FIND_FILES, ID_SETTINGS, ID_HELP};
    std::vector<UINT> shown;
    for (int i = 0; i < pStandard->GetControls()->GetCount(); i++) {
        CVZPControl* pControl = pStandard->GetControls()->GetAt(i);
        if (pControl->GetID() != 0 && pControl->GetType() == vzpControlButton)
            shown.push_back(pControl->GetID());
    }
    EXPECT_EQ(std::vector<UINT>(std::begin(ids), std::end(ids)), shown);

    // The maximised frame has room for every button: none is left to the
    // overflow chevron, and each lies inside the bar's window.
    CRect rcBar;
    pStandard->GetClientRect(&rcBar);
    for (int i = 0; i < pStandard->GetControls()->GetCount(); i++) {
        CVZPControl* pControl = pStandard->GetControls()->GetAt(i);
        if (pControl->GetID() == 0 || pControl->GetType() != vzpControlButton)
            continue;
        EXPECT_EQ(0u, pControl->GetHideFlags()) << "button " << pControl->GetID();
        CRect rc = pControl->GetRect();
        EXPECT_TRUE(rcBar.PtInRect(rc.TopLeft()) && rc.right <= rcBar.right) << "button " << pControl->GetID();
    }
}

TEST_F(FrameStartup, FrameStateStartsAsTheWizardExpects)
{
    EXPECT_TRUE(m_pFrame->m_bDriveStep);
    EXPECT_FALSE(m_pFrame->m_bScanStep);
    EXPECT_FALSE(m_pFrame->m_bResultsStep);
    EXPECT_FALSE(m_pFrame->m_bExtensiveResultsStep);
    EXPECT_TRUE(m_pFrame->m_bOpenEnabled);
    EXPECT_FALSE(m_pFrame->m_bSnapshotLoadEnabled);
    EXPECT_EQ(-1, m_pFrame->m_nSelectedRow);
    EXPECT_TRUE(m_pFrame->HasVirtualDisk());
    EXPECT_TRUE(m_pFrame->m_hLinkCursor != NULL);
    EXPECT_EQ(7, m_pFrame->m_imlToolbarIcons.GetImageCount());
    EXPECT_NE(nullptr, m_pFrame->GetCommandBars());
    EXPECT_NE(nullptr, m_pFrame->m_pStandardBar);
    // The split view's side: the flags by index and the views by index.
    EXPECT_TRUE(m_pFrame->IsWizardStepSet(IWizardFrame::StepDrive));
    EXPECT_FALSE(m_pFrame->IsWizardStepSet(IWizardFrame::StepResults));
    EXPECT_FALSE(m_pFrame->IsWizardStepSet(IWizardFrame::StepResultsShown));
    for (int index = 0; index < WizardViewCount; ++index)
        EXPECT_EQ(App().m_pViews[index], m_pFrame->GetWizardView(index));
    EXPECT_EQ(nullptr, m_pFrame->GetWizardView(WizardViewCount));
    // The program's folder ends with a backslash and holds the program.
    std::wstring folder = g_szProgramFolder;
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(L'\\', folder.back());
    wchar_t module[MAX_PATH];
    ::GetModuleFileNameW(NULL, module, MAX_PATH);
    EXPECT_EQ(0, _wcsnicmp(module, folder.c_str(), folder.size()));
}

// The hand cursor over the header's link area; a click on the logo opens
// the product page through the link opener (recorded, nothing opens).
TEST_F(FrameStartup, HeaderLogoOpensTheProductPage)
{
    static std::vector<std::wstring> opened;
    opened.clear();
    LinkOpenerCalls calls = {};
    calls.pfnShellExecute = [](LPCWSTR target, int) -> INT_PTR {
        opened.push_back(target);
        return 33;
    };
    LinkOpenerCalls old = SetLinkOpenerCalls(calls);
    CRect client;
    m_pFrame->GetClientRect(&client);
    struct Case
    {
        POINT at;
        UINT message;
        size_t opens;
        bool hand;
    };
    const Case cases[] = {
        {{client.right - 100, 40}, WM_LBUTTONDOWN, 1, false},
        {{client.right - 300, 40}, WM_LBUTTONDOWN, 0, false},
        {{client.right - 100, 80}, WM_LBUTTONDOWN, 0, false},
        {{client.right - 300, 30}, WM_MOUSEMOVE, 0, true},
        {{client.right - 390, 30}, WM_MOUSEMOVE, 0, false},
    };
    for (const Case& c : cases) {
        opened.clear();
        ::SetCursor(NULL);
        CPoint screen = c.at;
        m_pFrame->ClientToScreen(&screen);
        MSG msg = {m_pFrame->m_hWnd, c.message, 0, MAKELPARAM(c.at.x, c.at.y), 0, screen};
        m_pFrame->PreTranslateMessage(&msg);
        EXPECT_EQ(c.opens, opened.size()) << c.at.x << "," << c.at.y;
        if (c.opens && !opened.empty()) {
            EXPECT_EQ(std::wstring(kProductPageUrl), opened[0]);
        }
        if (c.hand) {
            EXPECT_EQ(m_pFrame->m_hLinkCursor, ::GetCursor());
        }
    }
    SetLinkOpenerCalls(old);
}

// The step views neither initialise nor delete the engine's Stop lock.
TEST(StepViews, ConstructAndDestroyLeaveTheScanLockUsable)
{
    for (int round = 0; round < 2; ++round) {
        delete new CFirstView_HDD;
        delete new CSecondView_HDD;
    }
    ASSERT_TRUE(::TryEnterCriticalSection(&g_ScanLock));
    ::LeaveCriticalSection(&g_ScanLock);
}

// A GDI copy of what the screen shows of the frame, for a person to look
// at.
TEST_F(FrameStartup, ScreenshotOfTheFrameIsKept)
{
    m_pFrame->ShowWindow(SW_MAXIMIZE);
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 300);
    CRect rc;
    m_pFrame->GetWindowRect(&rc);
    CDibCanvas canvas(rc.Width(), rc.Height());
    tesmir::test::CaptureWindow(m_pFrame->m_hWnd, canvas, true);
    const std::wstring folder = tesmir::test::BuildPath(L"screenshots");
    ::CreateDirectoryW(folder.c_str(), NULL);
    EXPECT_TRUE(canvas.SaveBmp(folder + L"\\startup-frame.bmp"));
    // The start page's mode buttons sit in the middle of the frame: the
    // pixel there is the one of the button's own bitmap (Extensive Scan,
    // the middle one; its hover bitmap while the pointer is over it).
    CEx_StyleView* pStart = DYNAMIC_DOWNCAST(CEx_StyleView, App().m_pViews[WizardStartPage]);
    ASSERT_NE(nullptr, pStart);
    CPoint centre(rc.left + rc.Width() / 2, rc.top + rc.Height() / 2);
    CRect button;
    pStart->m_extensiveScan.GetWindowRect(&button);
    ASSERT_TRUE(button.PtInRect(centre)) << centre.x << "," << centre.y;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(pStart->m_extensiveScan.IsHover() ? IDB_MODE_EXTENSIVE_HOVER : IDB_MODE_EXTENSIVE));
    CDibCanvas expected(button.Width(), button.Height());
    CDC memDC;
    memDC.CreateCompatibleDC(NULL);
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    ::BitBlt(expected.Dc(), 0, 0, button.Width(), button.Height(), memDC.GetSafeHdc(), 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
    EXPECT_EQ(expected.Pixel(centre.x - button.left, centre.y - button.top),
              canvas.Pixel(rc.Width() / 2, rc.Height() / 2))
        << rc.left << "," << rc.top << " " << rc.Width() << " x " << rc.Height() << " zoomed " << m_pFrame->IsZoomed()
        << " visible " << m_pFrame->IsWindowVisible();
}

}  // namespace
