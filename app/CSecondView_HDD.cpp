#include "CSecondView_HDD.h"

#include "BitmapDrawing.h"
#include "CDiskEnumerator.h"
#include "CExtensiveScanWizardShell.h"
#include "CFileSystemForm.h"
#include "CFileSystemView.h"
#include "CFileTypesDlg.h"
#include "CFirstDisplay.h"
#include "CFirstView_HDD.h"
#include "CFolderTreeCtrl.h"
#include "CMainFrame.h"
#include "CQuickScanWizardShell.h"
#include "CRecoveryWizardApp.h"
#include "CScanStepPanelHost.h"
#include "CSecondDisplay.h"
#include "CThirdView_HDD.h"
#include "WizardSteps.h"
#include "extensive/ExtensiveLists.h"
#include "fat/ScanPanelHost.h"
#include "image/VirtualDisk.h"
#include "msg/MessageSink.h"
#include "trace/FileTraceSearch.h"
#include "resource.h"
#include "state/EngineState.h"

CString g_ModeText;

namespace {

const wchar_t kSelectThenScan[] =
    L"Please select the partition that you want to recover \r\nfrom the left panel and click [Scan].";
const wchar_t kSelectThenNext[] =
    L"Please select the partition that you want to recover \r\nfrom the left panel and click [Next].";
const wchar_t kNoFileSystem[] = L"Tesmir for VHD was unable to identify a file system in the selected sector range.";
const wchar_t kPartitionHint[] = L"Please select a partition from the left panel and press [Scan] to continue with "
                                 L"recovery.";

CMainFrame* WizardFrame()
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? pApp->GetMainFrame() : NULL;
}

CView* StepView(int index)
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? pApp->m_pViews[index] : NULL;
}

// The recovery step's result tree.
CFolderTreeCtrl* ResultTree()
{
    CThirdView_HDD* pView = DYNAMIC_DOWNCAST(CThirdView_HDD, StepView(WizardRecoveryStep));
    return pView && pView->m_tree.GetSafeHwnd() ? &pView->m_tree : NULL;
}

// The recovery step's Recover, Back and Home, once results are on show.
void ShowRecoveryButtons()
{
    if (CThirdView_HDD* pView = DYNAMIC_DOWNCAST(CThirdView_HDD, StepView(WizardRecoveryStep)))
        pView->ShowRecoveryButtons();
}

// The recovery step lists the results' root folder.
void ListResultsRoot()
{
    if (CThirdView_HDD* pView = DYNAMIC_DOWNCAST(CThirdView_HDD, StepView(WizardRecoveryStep)))
        pView->ShowRootListing();
}

// A sector number typed in an edit: decimal digits only (blanks around them
// allowed), at most 32 bits; no sign, however the text was put there.
BOOL ReadSectorText(CWnd& edit, uint32_t& sector)
{
    CString text;
    edit.GetWindowText(text);
    text.Trim();
    if (text.IsEmpty())
        return FALSE;
    uint64_t value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t ch = text[i];
        if (ch < L'0' || ch > L'9')
            return FALSE;
        value = value * 10 + (uint64_t)(ch - L'0');
        if (value > 0xFFFFFFFFu)
            return FALSE;
    }
    sector = (uint32_t)value;
    return TRUE;
}

CFileSystemView* FileSystemStep() { return DYNAMIC_DOWNCAST(CFileSystemView, StepView(WizardFileSystemStep)); }

void ShowChild(CView* pView, int nId, BOOL bShow)
{
    HWND hChild = pView && pView->GetSafeHwnd() ? ::GetDlgItem(pView->m_hWnd, nId) : NULL;
    if (!hChild)
        return;
    ::EnableWindow(hChild, bShow);
    ::ShowWindow(hChild, bShow ? SW_SHOW : SW_HIDE);
}

}  // namespace

IMPLEMENT_DYNCREATE(CSecondView_HDD, CView)

BEGIN_MESSAGE_MAP(CSecondView_HDD, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR()
    ON_WM_SHOWWINDOW()
    ON_COMMAND(IdScan, OnScan)
    ON_COMMAND(IdBack, OnBack)
    ON_COMMAND(IdStop, OnStop)
    ON_COMMAND(IdHome, OnHome)
END_MESSAGE_MAP()

CSecondView_HDD::CSecondView_HDD()
    : m_pPanel(NULL), m_nHighlight(HighlightTree), m_bWaitCursor(FALSE), m_nLeftBannerWidth(0), m_nRightBannerLeft(0)
{
    LOGFONT lf = {};
    lf.lfHeight = 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    m_modeFont.CreateFontIndirect(&lf);
    m_starter.m_onFinished = [this](CScanStarter::Job job) { OnScanFinished(job); };
}

CSecondView_HDD::~CSecondView_HDD()
{
    if (m_pHost && &ScanPanelHost() == m_pHost.get())
        SetScanPanelHost(NULL);
    if (CMainFrame* pFrame = WizardFrame())
        if (pFrame->m_pScanView == this)
            pFrame->m_pScanView = NULL;
}

BOOL CSecondView_HDD::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

int CSecondView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD treeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    if (!m_tree.Create(treeStyle, CRect(0, 0, 600, 300), this, IdTree))
        return -1;
    CRect rc;
    GetClientRect(&rc);
    m_pPanel = new CSecondDisplay;
    m_pPanel->m_bAutoDelete = TRUE;
    if (!m_pPanel->CView::Create(NULL, NULL, WS_CHILD, rc, this, AFX_IDW_PANE_FIRST + 1, NULL)) {
        m_pPanel = NULL;
        return -1;
    }
    m_pPanel->OnInitialUpdate();
    m_pPanel->ShowWindow(SW_SHOW);
    m_splitter.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | PSS_VERTICAL, this, &m_tree, m_pPanel, IdSplitter, rc,
                      90, 110);
    m_tree.InitImages();

    const StepButton buttons[] = {
        {&m_scan, IdScan, IDB_SCAN, IDB_SCAN_HOVER, L"Scan"},
        {&m_back, IdBack, IDB_BACK, IDB_BACK_HOVER, L"Back"},
        {&m_stop, IdStop, IDB_STOP, IDB_STOP_HOVER, L"Stop"},
        {&m_home, IdHome, IDB_HOME, IDB_HOME_HOVER, L"Home"},
    };
    CreateStepButtons(this, buttons, _countof(buttons));
    ShowButton(m_stop, FALSE);
    m_bWaitCursor = FALSE;
    if (CMainFrame* pFrame = WizardFrame())
        pFrame->m_pScanView = this;
    SendMessage(WM_SIZE, 0, 0);
    return 0;
}

void CSecondView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect rc;
    GetClientRect(&rc);
    if (m_scan.GetSafeHwnd())
        m_scan.MoveWindow(rc.right - 129, rc.bottom - 32, 74, 26);
    if (m_stop.GetSafeHwnd())
        m_stop.MoveWindow(rc.right - 129, rc.bottom - 32, 74, 26);
    if (m_back.GetSafeHwnd())
        m_back.MoveWindow(rc.right - 213, rc.bottom - 32, 74, 26);
    if (m_home.GetSafeHwnd())
        m_home.MoveWindow(0, 0, 0, 0);
    if (m_splitter.GetSafeHwnd())
        m_splitter.MoveWindow(rc.left, rc.top, rc.Width(), rc.Height() > 50 ? rc.Height() - 50 : 0);
}

void CSecondView_HDD::OnDraw(CDC* pDC)
{
    UINT banner = g_ScanMode == ScanModeExtensive ? IDB_BANNER_EXTENSIVE : IDB_BANNER_SCAN;
    if (g_ScanStop == 0 && g_ScanBusy != 0)
        banner = IDB_BANNER_SCAN_BUSY;
    else if (g_SourceType == SourceLogicalVolume)
        banner = IDB_BANNER_LOGICAL;
    DrawStepSkin(pDC, this, banner, m_modeFont, g_ModeText, m_nLeftBannerWidth, m_nRightBannerLeft);
}

HBRUSH CSecondView_HDD::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && pWnd && pWnd->GetDlgCtrlID() == CSecondDisplay::IdText)
        pDC->SetTextColor(RGB(0, 0, 0));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

BOOL CSecondView_HDD::IsWaitCursorShown() const
{
    return m_bWaitCursor || (m_pQuickShell && m_pQuickShell->m_bBuildingTree && m_starter.RunningJob() != CScanStarter::JobNone);
}

BOOL CSecondView_HDD::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsWaitCursorShown()) {
        ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        return TRUE;
    }
    return CView::OnSetCursor(pWnd, nHitTest, message);
}

void CSecondView_HDD::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CView::OnShowWindow(bShow, nStatus);
    // Shown with no scan running (from the drive step, or back from a later
    // step): a partition click chooses again.
    if (bShow && m_starter.RunningJob() == CScanStarter::JobNone)
        if (CMainFrame* pFrame = WizardFrame())
            pFrame->m_bPartitionSelectable = TRUE;
}

void CSecondView_HDD::ShowButton(CWnd& button, BOOL bShow)
{
    if (!button.GetSafeHwnd())
        return;
    button.EnableWindow(bShow);
    button.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CSecondView_HDD::ShowPartitionTree()
{
    m_tree.ShowWindow(SW_SHOW);
    if (m_splitter.GetSafeHwnd())
        m_splitter.RestorePanes();
}

void CSecondView_HDD::EnterRunningState()
{
    m_pPanel->ShowProgress();
    ShowButton(m_stop, TRUE);
    ShowButton(m_scan, FALSE);
    ShowButton(m_back, FALSE);
    m_pPanel->ShowProgressToggle(TRUE);
    m_pPanel->ShowStatusText();
    ShowButton(m_home, FALSE);
    if (CMainFrame* pFrame = WizardFrame()) {
        pFrame->m_bPartitionSelectable = FALSE;
        if (pFrame->m_pScanView)
            pFrame->m_pScanView->m_tree.EnableWindow(FALSE);
    }
}

void CSecondView_HDD::RestoreIdle()
{
    ShowButton(m_stop, FALSE);
    ShowButton(m_scan, TRUE);
    ShowButton(m_back, TRUE);
    m_home.EnableWindow(TRUE);
    m_home.ShowWindow(SW_SHOW);
    m_tree.EnableWindow(TRUE);
    if (CMainFrame* pFrame = WizardFrame())
        pFrame->m_bPartitionSelectable = TRUE;
    if (m_pPanel) {
        m_pPanel->SetStatusText(L"");
        m_pPanel->SetProgress(0);
        m_pPanel->HideProgress();
        m_pPanel->HideStatusText();
        m_pPanel->ShowProgressToggle(FALSE);
    }
    Invalidate();
}

void CSecondView_HDD::WorkerNotStarted()
{
    RestoreIdle();
    if (g_ScanMode == ScanModeExtensive)
        m_pPanel->ShowRangeInputs();
    ShowMessage(L"Unable to start the scan.", MessageKindError);
}

BOOL CSecondView_HDD::ReadExtensiveRange()
{
    uint32_t start = 0;
    if (!ReadSectorText(m_pPanel->m_startSector, start)) {
        ShowMessage(L"Start sector value is not valid, It should be a positive number", MessageKindError);
        return FALSE;
    }
    VolumeParams.startSector = start;
    uint64_t end = 0;
    if (VolumeParams.endSector == 0 && g_ImageType == 1) {
        // A VHDX the device table gave no size: the range runs to the
        // image's last sector, whatever the end edit holds.
        end = RangeEndSector(start, 0);
    } else {
        uint32_t typed = 0;
        if (!ReadSectorText(m_pPanel->m_endSector, typed)) {
            ShowMessage(L"End sector value is not valid, It should be a positive number", MessageKindError);
            return FALSE;
        }
        end = typed;
        // The range never runs past the disk's last sector.
        const uint64_t total = SelectedDiskSectors();
        if (total && end > total - 1)
            end = total - 1;
    }
    VolumeParams.endSector = (uint32_t)end;
    if (end <= start) {
        ShowMessage(L"End sector should be bigger than start sector", MessageKindError);
        return FALSE;
    }
    // Both ends are searched.
    VolumeParams.sectorCount = (uint32_t)(end - start + 1);
    return TRUE;
}

void CSecondView_HDD::OnScan()
{
    CMainFrame* pFrame = WizardFrame();
    if (!pFrame || !m_pPanel || m_starter.RunningJob() != CScanStarter::JobNone)
        return;
    switch (g_ScanMode) {
    case ScanModeExtensive: {
        if (pFrame->m_nSelectedRow < -1) {
            ShowMessage(kSelectThenScan, MessageKindInformation);
            return;
        }
        if (const uint16_t code = m_pPanel->SelectedFileSystemCode())
            VolumeParams.selectionCode = code;
        if (g_SourceType == SourceVirtualDisk) {
            if (!ReadExtensiveRange())
                return;
            g_ModeText = L"Selected Mode : Extensive Scan \r\nDrive Type        : Virtual Hard Disk";
        }
        if (VolumeParams.selectionCode == FileSystemNtfs) {
            m_pPanel->ClearValues();
            m_pPanel->ShowNtfsSearchCaptions();
        } else {
            m_pPanel->ShowFatSearchCaptions();
        }
        EnterRunningState();
        m_pPanel->HideRangeInputs();
        StartExtensive();
        break;
    }
    case ScanModeQuick:
        if (pFrame->m_nSelectedRow < 0) {
            ShowMessage(kSelectThenScan, MessageKindInformation);
            return;
        }
        EnterRunningState();
        g_ModeText = L"Selected Mode : Quick Scan \r\nDrive Type        : Virtual Hard Disk";
        StartQuick();
        break;
    case ScanModeFileTrace: {
        if (!m_tree.GetSelectedItem()) {
            ShowMessage(kSelectThenScan, MessageKindInformation);
            return;
        }
        if (pFrame->m_nSelectedRow < 0) {
            ShowMessage(kSelectThenNext, MessageKindInformation);
            return;
        }
        if (g_PartitionCount == 0) {
            ShowMessage(L"Please use the Extensive Scan, as the selected file is damaged and unable to perform File "
                        L"Trace.",
                        MessageKindInformation);
            GetWizardApp()->ResetToStartPage();
            return;
        }
        CFileTypesDlg dialog(this);
        if (dialog.DoModal() != IDOK)
            return;
        EnterRunningState();
        g_ModeText = L"Selected Mode : File Trace \r\nDrive Type        : Virtual Hard Disk";
        StartFileTrace();
        break;
    }
    default:
        return;
    }
    if (m_starter.RunningJob() == CScanStarter::JobNone)
        return;
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (g_ScanMode == ScanModeFileTrace)
        m_pPanel->SetTopText(L"Searching for lost data. Please wait...");
}

void CSecondView_HDD::StartExtensive()
{
    CFileSystemView* pFileSystems = FileSystemStep();
    m_pHost.reset(new CScanStepPanelHost(m_pPanel));
    SetScanPanelHost(m_pHost.get());
    m_pExtensiveShell.reset(new CExtensiveScanWizardShell(m_pPanel, pFileSystems ? &pFileSystems->m_tree : NULL,
                                                          pFileSystems ? &pFileSystems->m_form : NULL, ResultTree()));
    m_pExtensiveShell->m_pScanStopButton = &m_stop;
    FreeExtensiveScanLists();
    if (pFileSystems && pFileSystems->m_tree.GetSafeHwnd())
        pFileSystems->m_tree.DeleteAllItems();
    if (!pFileSystems || !pFileSystems->m_tree.GetSafeHwnd() || !m_starter.StartExtensiveScan(*m_pExtensiveShell)) {
        WorkerNotStarted();
        return;
    }
    // The file-system step's panel for what the scan finds.
    CFileSystemForm& form = pFileSystems->m_form;
    if (form.GetSafeHwnd()) {
        if (VolumeParams.selectionCode == FileSystemNtfs)
            form.ShowNtfsCaptions();
        else
            form.ShowFatCaptions();
        form.SetHintText(L"\nPlease select a file system from the left panel and click [Next] to continue with "
                         L"recovery. \r\nCheck all the file systems one by one for the required data.");
    }
}

void CSecondView_HDD::StartQuick()
{
    CFolderTreeCtrl* pResults = ResultTree();
    m_pHost.reset(new CScanStepPanelHost(m_pPanel));
    SetScanPanelHost(m_pHost.get());
    m_pQuickShell.reset(new CQuickScanWizardShell(m_pPanel, pResults));
    m_pQuickShell->m_pScanButton = &m_scan;
    m_pQuickShell->m_pBackButton = &m_back;
    m_pQuickShell->m_pHomeButton = &m_home;
    m_pQuickShell->m_pStopButton = &m_stop;
    if (CMainFrame* pFrame = WizardFrame())
        m_pQuickShell->m_logicalDrives = pFrame->m_logicalDrives;
    if (!pResults || !m_starter.StartQuickScan(*m_pQuickShell))
        WorkerNotStarted();
}

void CSecondView_HDD::StartFileTrace()
{
    CFolderTreeCtrl* pResults = ResultTree();
    m_pHost.reset(new CScanStepPanelHost(m_pPanel));
    SetScanPanelHost(m_pHost.get());
    // The File Trace reads the logical drive list through the Quick Scan's
    // shell.
    m_pQuickShell.reset(new CQuickScanWizardShell(m_pPanel, pResults));
    if (CMainFrame* pFrame = WizardFrame())
        m_pQuickShell->m_logicalDrives = pFrame->m_logicalDrives;
    if (!pResults || !m_starter.StartFileTrace(*pResults, m_pQuickShell.get()))
        WorkerNotStarted();
}

void CSecondView_HDD::OnStop()
{
    const CScanStarter::Job job = m_starter.RunningJob();
    if (job != CScanStarter::JobQuickScan && job != CScanStarter::JobExtensiveScan &&
        job != CScanStarter::JobFileTrace)
        return;
    if (!m_starter.Stop(L"Do you want to stop file searching? This may result in incomplete \r\nrecovery and you "
                        L"will need to restart the process again."))
        return;
    // The worker winds down at its next check; the timer moves on once its
    // thread has ended.
    ShowButton(m_stop, FALSE);
    if (m_pPanel) {
        m_pPanel->ShowProgressToggle(FALSE);
        m_pPanel->ShowStatusText();
    }
}

void CSecondView_HDD::OnTimer(UINT_PTR nIDEvent) { CView::OnTimer(nIDEvent); }

void CSecondView_HDD::ShowResultStep()
{
    if (CMainFrame* pFrame = WizardFrame()) {
        pFrame->m_bDriveStep = FALSE;
        pFrame->m_bScanStep = FALSE;
        pFrame->m_bExtensiveResultsStep = FALSE;
        pFrame->m_bResultsStep = TRUE;
    }
}

void CSecondView_HDD::EndWaitCursor()
{
    m_bWaitCursor = FALSE;
    if (m_pQuickShell)
        InterlockedExchange(&m_pQuickShell->m_bBuildingTree, 0);
    CPoint pt;
    ::GetCursorPos(&pt);
    ::SetCursorPos(pt.x, pt.y);
}

void CSecondView_HDD::OnScanFinished(CScanStarter::Job job)
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    if (!pApp)
        return;
    switch (job) {
    case CScanStarter::JobQuickScan:
        pApp->SwitchView(WizardRecoveryStep);
        ShowResultStep();
        ShowRecoveryButtons();
        ListResultsRoot();
        break;
    case CScanStarter::JobFileTrace:
        if (g_ParamsSearchFailed) {
            // The worker told the user; the wizard starts again.
            EndWaitCursor();
            RestoreIdle();
            pApp->ResetToStartPage();
            return;
        }
        pApp->SwitchView(WizardRecoveryStep);
        ShowResultStep();
        ShowRecoveryButtons();
        ListResultsRoot();
        break;
    case CScanStarter::JobExtensiveScan:
        OnExtensiveScanFinished();
        return;
    default:
        return;
    }
    EndWaitCursor();
}

void CSecondView_HDD::OnExtensiveScanFinished()
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    CFileSystemView* pFileSystems = FileSystemStep();
    for (int id : {IdBack, IdScan, IdHome})
        ShowChild(pFileSystems, id, TRUE);
    m_pPanel->ShowProgress();
    m_pPanel->ShowProgressToggle(FALSE);
    m_pPanel->ResetProgressToggle();
    pApp->SwitchView(WizardFileSystemStep);
    if (pFileSystems)
        pFileSystems->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Only the "File System" heading: nothing was found in the range.
    CTreeCtrl* pTree = pFileSystems ? &pFileSystems->m_tree : NULL;
    HTREEITEM first = pTree ? pTree->GetFirstVisibleItem() : NULL;
    if (!first || !pTree->GetNextVisibleItem(first)) {
        if (pFileSystems)
            pFileSystems->m_form.SetHintText(kNoFileSystem);
        ShowMessage((std::wstring(kNoFileSystem) +
                     L"\r\nPlease make sure that you made appropriate selections on the previous step.\r\nPlease go "
                     L"back to the previous step and select VHD/VHDX for full scan.")
                        .c_str(),
                    MessageKindError);
        return;
    }
    if (CMainFrame* pFrame = WizardFrame()) {
        pFrame->m_bDriveStep = FALSE;
        pFrame->m_bScanStep = FALSE;
        pFrame->m_bResultsStep = FALSE;
        pFrame->m_bExtensiveResultsStep = TRUE;
    }
    EndWaitCursor();
}

void CSecondView_HDD::OnBack()
{
    m_tree.DeleteAllItems();
    CMainFrame* pFrame = WizardFrame();
    if (pFrame) {
        pFrame->m_bSnapshotLoadEnabled = TRUE;
        pFrame->m_bScanStep = FALSE;
        pFrame->m_bDriveStep = TRUE;
        pFrame->m_bResultsStep = FALSE;
        pFrame->m_bExtensiveResultsStep = FALSE;
        // No scan runs once Back is possible: the next scan step takes
        // partition clicks again.
        pFrame->m_bPartitionSelectable = TRUE;
    }
    if (m_pPanel) {
        m_pPanel->ClearValues();
        m_pPanel->ResetProgressToggle();
    }
    g_ShowScanProgress = 1;
    FreeWizardResults();
    CFirstView_HDD* pDrive = DYNAMIC_DOWNCAST(CFirstView_HDD, StepView(WizardDriveStep));
    if (pDrive) {
        pDrive->RestoreIdle();
        if (pDrive->m_pPanel) {
            pDrive->m_pPanel->SetWaitText(L" Please select the Virtual Hard Disk ( VHD/VHDX ) that contains data from "
                                          L"left panel and click [Next] to continue with recovery.");
            pDrive->m_pPanel->ClearChart();
        }
    }
    switch (g_ScanMode) {
    case ScanModeExtensive:
        g_ModeText = L"Selected Mode : Extensive Scan";
        break;
    case ScanModeQuick:
        g_ModeText = L"Selected Mode : Quick Scan";
        break;
    case ScanModeFileTrace:
        g_ModeText = L"Selected Mode : File Trace";
        break;
    default:
        break;
    }
    if (CRecoveryWizardApp* pApp = GetWizardApp())
        pApp->SwitchView(WizardDriveStep);
}

void CSecondView_HDD::OnHome()
{
    OnBack();
    if (CFirstView_HDD* pDrive = DYNAMIC_DOWNCAST(CFirstView_HDD, StepView(WizardDriveStep)))
        pDrive->OnBack();
}

void CSecondView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB) {
        switch (m_nHighlight) {
        case HighlightTree:
            m_scan.SendMessage(BM_SETSTATE, 1, 0);
            m_tree.SendMessage(WM_KILLFOCUS, 0, 0);
            m_nHighlight = HighlightScan;
            break;
        case HighlightScan:
            m_scan.SendMessage(BM_SETSTATE, 0, 0);
            m_back.SendMessage(BM_SETSTATE, 1, 0);
            m_nHighlight = HighlightBack;
            break;
        default:
            m_back.SendMessage(BM_SETSTATE, 0, 0);
            m_tree.SetActiveWindow();
            m_tree.SetFocus();
            m_nHighlight = HighlightTree;
            break;
        }
    } else if (nChar == VK_RETURN) {
        // A hidden or disabled button keeps its pushed state; only an
        // enabled one acts, so no key starts a second worker or frees the
        // lists under a running one.
        if ((m_scan.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED) && m_scan.IsWindowEnabled())
            OnScan();
        if ((m_back.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED) && m_back.IsWindowEnabled())
            OnBack();
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}
