#include "CMainFrame.h"

#include <shellapi.h>

#include "CEx_StyleView.h"
#include "CFirstView_HDD.h"
#include "CProgressDlg.h"
#include "CResultListCtrl.h"
#include "CThirdView_HDD.h"
#include "CSplitView.h"
#include "CMainFramePaintManager.h"
#include "CVZPAcceleratorManager.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPToolBar.h"
#include "CRecoveryWizardApp.h"
#include "CVZPImageManager.h"
#include "LinkOpener.h"
#include "WizardMessages.h"
#include "WizardSteps.h"
#include "appuires.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "resource.h"

const wchar_t kProductPageUrl[] = L"https://www.tesmir.com/vhd/";

IMPLEMENT_DYNCREATE(CMainFrame, CVZPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CVZPFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SYSCOMMAND()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_WIZARD_RESET_TO_START, OnResetToStart)
    ON_COMMAND(ID_RECOVERY_OPEN, OnOpen)
    ON_UPDATE_COMMAND_UI(ID_RECOVERY_OPEN, OnUpdateOpen)
END_MESSAGE_MAP()

namespace {

// The status bar's panes: the message pane, the support link and the three
// key indicators.
const UINT kIndicators[] = {0, IDS_CONTACT_SUPPORT, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// The toolbar's commands and their 32 x 32 icons, in toolbar order.
const UINT kToolbarCommands[] = {ID_RECOVERY_OPEN, ID_RECOVER_SELECTED, ID_SAVE_SNAPSHOT, ID_LOAD_SNAPSHOT,
                                 ID_FIND_FILES,    ID_SETTINGS,         ID_HELP};
const UINT kToolbarIcons[] = {IDI_TOOL_OPEN, IDI_TOOL_RECOVER,  IDI_TOOL_SAVE_SNAPSHOT, IDI_TOOL_LOAD_SNAPSHOT,
                              IDI_TOOL_FIND, IDI_TOOL_SETTINGS, IDI_TOOL_HELP};
static_assert(sizeof kToolbarCommands == sizeof kToolbarIcons, "one icon per toolbar command");

// The id of the one pane the frame looks for; none is ever made.
const int kUnusedPaneId = 4001;
const int kMinTrackWidth = 875;
const int kMinTrackHeight = 690;

void SetRegistryDword(HKEY hRoot, LPCWSTR lpszKey, LPCWSTR lpszValue, DWORD dwData)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(hRoot, lpszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(hKey, lpszValue, 0, REG_DWORD, (const BYTE*)&dwData, sizeof dwData);
    ::RegCloseKey(hKey);
}

}  // namespace

CMainFrame::CMainFrame()
    : m_pVirtualDisk(NULL), m_hLinkCursor(NULL), m_nSelectedRow(-1), m_pPreviewView(NULL), m_pScanView(NULL),
      m_pDrivePanel(NULL), m_pScanPanel(NULL), m_bDriveStep(TRUE), m_bScanStep(FALSE), m_bResultsStep(FALSE),
      m_bExtensiveResultsStep(FALSE), m_bPartitionSelectable(TRUE), m_bPreviewOk(FALSE), m_bPreviewSupported(FALSE),
      m_bNoFileSelected(TRUE), m_hSnapshotProgress(NULL), m_pSnapshotProgressDlg(NULL), m_bRecoveryEnabled(TRUE), m_bSnapshotLoadEnabled(FALSE), m_pStandardBar(NULL),
      m_bOpenEnabled(TRUE),
      m_mapSpare(10)
{
    m_mapSpare.InitHashTable(17);
    m_hLinkCursor = ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(IDC_HOVER_HAND), RT_GROUP_CURSOR),
                                 MAKEINTRESOURCE(IDC_HOVER_HAND));
}

CMainFrame::~CMainFrame()
{
    // The views are gone by now: only the dialog itself is left to free.
    if (m_pSnapshotProgressDlg) {
        if (m_pSnapshotProgressDlg->GetSafeHwnd())
            m_pSnapshotProgressDlg->DestroyWindow();
        delete m_pSnapshotProgressDlg;
    }
    if (m_hLinkCursor != NULL)
        ::DestroyCursor(m_hLinkCursor);
    if (m_pVirtualDisk && GetSectorReaderDisk() == m_pVirtualDisk)
        SetSectorReaderDisk(NULL);
    delete m_pVirtualDisk;
}

CVirtualDisk* CMainFrame::EnsureVirtualDisk()
{
    if (!m_pVirtualDisk) {
        m_pVirtualDisk = new CVirtualDisk;
        SetSectorReaderDisk(m_pVirtualDisk);
    }
    return m_pVirtualDisk;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    HICON hIcon = ::LoadIcon(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON),
                             MAKEINTRESOURCE(IDR_MAINFRAME));
    cs.lpszClass = AfxRegisterWndClass(0, NULL, NULL, hIcon);
    cs.lpszName = _T("Tesmir for VHD");
    // The document's name never joins the title.
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CVZPFrameWnd::OnCreate(lpCreateStruct) == -1) {
        AfxMessageBox(_T("OnCreate failed"));
        return -1;
    }
    m_strTitle = _T("Tesmir for VHD");
    if (!CreateStatusBar())
        return -1;
    if (!CreateCommandBars())
        return -1;
    ClearSplitViewTexts();
    EnsureVirtualDisk();
    m_paneManager.ClosePane(m_paneManager.FindPane(kUnusedPaneId));
    WriteOfficeViewingFlags();
    ShowWindow(SW_MAXIMIZE);
    return 0;
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, _countof(kIndicators)))
        return FALSE;
    m_wndStatusBar.SendMessage(SB_SETTEXT, 1 | SBT_OWNERDRAW, (LPARAM)CMainStatusBar::LinkText());
    return TRUE;
}

BOOL CMainFrame::CreateCommandBars()
{
    CVZPCommandBarPaintManager::SetTheme(0);
    // The program's own look over the scheme gradient theme: white bars and
    // the header logo on the dock bar.
    CVZPCommandBarPaintManager::SetCustomTheme(new CMainFramePaintManager);
    m_pCommandBars = DYNAMIC_DOWNCAST(CVZPCommandBars, RUNTIME_CLASS(CVZPCommandBars)->CreateObject());
    if (m_pCommandBars == NULL)
        return FALSE;
    m_pCommandBars->SetSite(this);
    m_pCommandBars->CreateDockBars();
    m_pCommandBars->GetCommandBarsOptions()->animationType = 3;

    CVZPCommandBar* pMenuBar = m_pCommandBars->AddMenuBar(_T("Menu Bar"), IDR_MAINFRAME);
    if (pMenuBar == NULL)
        return FALSE;
    if (CVZPToolBar* pMenuToolBar = DYNAMIC_DOWNCAST(CVZPToolBar, pMenuBar))
        pMenuToolBar->SetFlags(0x41);
    pMenuBar->SetBarStyle(pMenuBar->GetBarStyle() & ~CBRS_GRIPPER);

    m_pStandardBar = m_pCommandBars->AddToolBar(_T("Standard"));
    if (m_pStandardBar == NULL)
        return FALSE;
    m_pStandardBar->ModifyFlags(0, 0x1F);
    // A fixed bar: no close button, no bar list on a right click, no
    // overflow chevron; laid out at the next frame layout.
    m_pStandardBar->SetCloseable(FALSE);
    m_pStandardBar->m_bContextMenuPresent = FALSE;
    m_pStandardBar->ShowExpandButton(FALSE);
    m_pStandardBar->m_dwState |= CVZPCommandBar::stateLayoutPending;
    m_pStandardBar->SetBarStyle(m_pStandardBar->GetBarStyle() & ~CBRS_GRIPPER);
    if (!m_pStandardBar->LoadToolBar(IDR_STANDARD_TOOLBAR, TRUE))
        return FALSE;
    CreateToolbarIcons();
    m_pStandardBar->SetShowTextBelowIcons(1);

    const UINT hidden[] = {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW};
    m_pCommandBars->HideCommands(hidden, _countof(hidden));
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    // The resources hold no accelerator table 128: the frame has no keyboard
    // shortcuts of its own.
    m_pCommandBars->GetAcceleratorManager()->LoadAcceleratorResource(IDR_MAINFRAME);
    m_pCommandBars->LoadOptions(_T("CommandBars"));
    m_pCommandBars->LoadBarState(_T("CommandBars"));
    m_pCommandBars->GetAcceleratorManager()->LoadAccelerators(_T("CommandBars"));
    return TRUE;
}

void CMainFrame::CreateToolbarIcons()
{
    if (!m_imlToolbarIcons.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 0))
        return;
    for (UINT nIcon : kToolbarIcons) {
        HICON hIcon = (HICON)::LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(nIcon), RT_GROUP_ICON),
                                         MAKEINTRESOURCE(nIcon), IMAGE_ICON, 32, 32, 0);
        m_imlToolbarIcons.Add(hIcon);
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
    }
    m_imlToolbarIcons.SetBkColor(RGB(255, 255, 255));
    GetImageManager()->SetIcons(&m_imlToolbarIcons, kToolbarCommands, _countof(kToolbarCommands), CSize(32, 32),
                                vzpImageNormal);
}

void CMainFrame::WriteOfficeViewingFlags()
{
    SetRegistryDword(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Excel.Sheet.8", L"EditFlags", 0x00010000);
    SetRegistryDword(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Excel.Sheet.8", L"BrowserFlags", 0);
    SetRegistryDword(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Excel.Sheet.12", L"BrowserFlags", 0);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    // The first pane follows the client height, not the width.
    if (IsWindowVisible() && m_wndStatusBar.GetSafeHwnd() != NULL)
        m_wndStatusBar.LayoutPanes(cy);
    CVZPFrameWnd::OnSize(nType, cx, cy);
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    // OnCreate left the frame maximised; the program's first show command
    // (normally SW_SHOWNORMAL) would restore it to the default size.
    if (IsZoomed() && (nCmdShow == -1 || nCmdShow == SW_SHOWNORMAL || nCmdShow == SW_SHOWDEFAULT))
        nCmdShow = SW_SHOWMAXIMIZED;
    CVZPFrameWnd::ActivateFrame(nCmdShow);
}

void CMainFrame::OnSysCommand(UINT nID, LPARAM lParam) { CVZPFrameWnd::OnSysCommand(nID, lParam); }

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = kMinTrackWidth;
    lpMMI->ptMinTrackSize.y = kMinTrackHeight;
}

CRect CMainFrame::LinkCursorRect() const
{
    CRect rc;
    GetClientRect(&rc);
    return CRect(rc.right - 380, 20, rc.right - 5, 70);
}

CRect CMainFrame::LogoRect() const
{
    CRect rc;
    GetClientRect(&rc);
    return CRect(rc.right - 245, 25, rc.right - 5, 60);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN) {
        // Where the cursor was when the message came.
        CPoint point = pMsg->pt;
        ScreenToClient(&point);
        if (pMsg->message == WM_MOUSEMOVE && LinkCursorRect().PtInRect(point))
            ::SetCursor(m_hLinkCursor);
        else if (pMsg->message == WM_LBUTTONDOWN && LogoRect().PtInRect(point))
            ShellOpenLinkTarget(kProductPageUrl, SW_SHOWMAXIMIZED);
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::RestorePlacementAndShow(int nUnused)
{
    (void)nUnused;
    m_wndPlacement.RestoreWindowPos(this);
    ShowWindow(SW_SHOW);
}

void CMainFrame::OnOpen()
{
    if (CEx_StyleView* pStart = DYNAMIC_DOWNCAST(CEx_StyleView, GetWizardApp()->m_pViews[WizardStartPage]))
        pStart->OnSelectImage();
}

void CMainFrame::OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bOpenEnabled); }

LRESULT CMainFrame::OnResetToStart(WPARAM, LPARAM)
{
    GetWizardApp()->ResetToStartPage();
    return 0;
}

void CMainFrame::DriveStepBack()
{
    if (CFirstView_HDD* pDrive = static_cast<CFirstView_HDD*>(GetWizardApp()->m_pViews[WizardDriveStep]))
        pDrive->OnBack();
}

void CMainFrame::SetStepFlag(int index)
{
    BOOL* flags[] = {&m_bDriveStep, &m_bScanStep, &m_bResultsStep, &m_bExtensiveResultsStep};
    if (index >= 0 && index < (int)_countof(flags))
        *flags[index] = TRUE;
}

void CMainFrame::ResetStepFlags()
{
    m_bDriveStep = TRUE;
    m_bScanStep = FALSE;
    m_bResultsStep = FALSE;
    m_bExtensiveResultsStep = FALSE;
}

std::wstring CMainFrame::LogicalDriveName(unsigned partitionIndex)
{
    return LogicalDriveNameAt(m_logicalDrives, partitionIndex);
}

BOOL CMainFrame::IsWizardStepSet(int nStep) const
{
    switch (nStep) {
    case StepDrive:
        return m_bDriveStep;
    case StepScan:
        return m_bScanStep;
    case StepResults:
        return m_bResultsStep;
    case StepExtensiveResults:
        return m_bExtensiveResultsStep;
    case StepResultsShown: {
        CRecoveryWizardApp* pApp = GetWizardApp();
        return pApp != NULL && pApp->CurrentViewIndex() == WizardRecoveryStep;
    }
    }
    return FALSE;
}

CView* CMainFrame::GetWizardView(int nIndex) const
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp != NULL && nIndex >= 0 && nIndex < WizardViewCount ? pApp->m_pViews[nIndex] : NULL;
}

void CMainFrame::ShowRecoveryStep()
{
    GetWizardApp()->SwitchView(WizardRecoveryStep);
    if (CThirdView_HDD* pView = RecoveryView())
        pView->ShowRootListing();
}

CThirdView_HDD* CMainFrame::RecoveryView() const
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? DYNAMIC_DOWNCAST(CThirdView_HDD, pApp->m_pViews[WizardRecoveryStep]) : NULL;
}

void CMainFrame::BeginProgress(const wchar_t* text)
{
    EndProgress();
    CProgressDlg* pDlg = new CProgressDlg;
    if (!pDlg->Create(this)) {
        delete pDlg;
        return;
    }
    pDlg->SetRange(0, 100);
    pDlg->m_staticStatus.SetWindowText(text ? text : L"");
    m_pSnapshotProgressDlg = pDlg;
    // One window for both: the loader's own steps and the tree builders'.
    m_hSnapshotProgress = pDlg->GetSafeHwnd();
    if (CThirdView_HDD* pView = RecoveryView())
        pView->m_tree.m_hSnapshotProgressWnd = m_hSnapshotProgress;
}

void CMainFrame::SetProgressText(const wchar_t* text)
{
    if (m_pSnapshotProgressDlg && m_pSnapshotProgressDlg->GetSafeHwnd())
        m_pSnapshotProgressDlg->m_staticStatus.SetWindowText(text ? text : L"");
}

void CMainFrame::SetProgress(int position)
{
    if (m_hSnapshotProgress && ::IsWindow(m_hSnapshotProgress))
        ::SendMessage(m_hSnapshotProgress, WM_PROGRESSDLG_SETPOS, (WPARAM)position, 0);
}

void CMainFrame::EndProgress()
{
    if (CThirdView_HDD* pView = RecoveryView())
        if (pView->m_tree.m_hSnapshotProgressWnd == m_hSnapshotProgress)
            pView->m_tree.m_hSnapshotProgressWnd = NULL;
    m_hSnapshotProgress = NULL;
    if (m_pSnapshotProgressDlg) {
        if (m_pSnapshotProgressDlg->GetSafeHwnd())
            m_pSnapshotProgressDlg->DestroyWindow();
        delete m_pSnapshotProgressDlg;
        m_pSnapshotProgressDlg = NULL;
    }
}

void CMainFrame::SetResultColumns(int scanMode)
{
    if (CThirdView_HDD* pView = RecoveryView())
        pView->SetResultColumns(scanMode);
}

void CMainFrame::ShowRecoveryButtons()
{
    if (CThirdView_HDD* pView = RecoveryView())
        pView->ShowRecoveryButtons();
}

void CMainFrame::HideBackButton()
{
    if (CThirdView_HDD* pView = RecoveryView())
        pView->HideBackButton();
}

void CMainFrame::BuildFatTree()
{
    if (CThirdView_HDD* pView = RecoveryView())
        pView->m_tree.BuildFatTree();
}

void CMainFrame::BuildNtfsTree()
{
    if (CThirdView_HDD* pView = RecoveryView())
        pView->m_tree.BuildNtfsTree();
}

void CMainFrame::BuildTraceTree()
{
    if (CThirdView_HDD* pView = RecoveryView())
        pView->m_tree.BuildTraceTree();
}

void CMainFrame::EnableRecovery(bool enable)
{
    m_bRecoveryEnabled = enable ? TRUE : FALSE;
    if (CThirdView_HDD* pView = RecoveryView())
        if (pView->m_recover.GetSafeHwnd())
            pView->m_recover.EnableWindow(m_bRecoveryEnabled);
}

void CMainFrame::FocusResultList()
{
    if (CThirdView_HDD* pView = RecoveryView())
        if (pView->m_pList && pView->m_pList->GetSafeHwnd())
            pView->m_pList->SetFocus();
}
