#include "CFirstView_HDD.h"

#include "BitmapDrawing.h"
#include "CDiskEnumerator.h"
#include "CDriveStepPanelHost.h"
#include "CFirstDisplay.h"
#include "CMainFrame.h"
#include "CMessageDlg.h"
#include "CRecoveryWizardApp.h"
#include "CRichMessageBox.h"
#include "CSecondDisplay.h"
#include "CSecondView_HDD.h"
#include "WizardSteps.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "msg/MessageSink.h"
#include "partition/PartitionTable.h"
#include "resource.h"
#include "snapshot/SnapshotCommands.h"
#include "state/EngineState.h"

namespace {

CMainFrame* WizardFrame()
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? pApp->GetMainFrame() : NULL;
}

const wchar_t kScanPanelHint[] =
    L"Please select a partition from the left panel and press [Scan] to continue with recovery.";

CSecondView_HDD* ScanView()
{
    CRecoveryWizardApp* pApp = GetWizardApp();
    return pApp ? DYNAMIC_DOWNCAST(CSecondView_HDD, pApp->m_pViews[WizardScanStep]) : NULL;
}

}  // namespace

IMPLEMENT_DYNCREATE(CFirstView_HDD, CView)

BEGIN_MESSAGE_MAP(CFirstView_HDD, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_SHOWWINDOW()
    ON_WM_CTLCOLOR()
    ON_COMMAND(IdNext, OnNext)
    ON_COMMAND(IdBack, OnBack)
    ON_COMMAND(IdStop, OnStop)
    ON_COMMAND(IdHome, OnHome)
END_MESSAGE_MAP()

CFirstView_HDD::CFirstView_HDD() : m_pPanel(NULL), m_nHighlight(0), m_nLeftBannerWidth(0), m_nRightBannerLeft(0)
{
    LOGFONT lf = {};
    lf.lfHeight = 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    m_modeFont.CreateFontIndirect(&lf);
    m_starter.m_onFinished = [this](CScanStarter::Job job) {
        if (job == CScanStarter::JobPartitionSearch)
            OnSearchFinished();
    };
}

CFirstView_HDD::~CFirstView_HDD()
{
    if (m_pHost && &DriveStepHost() == m_pHost.get())
        SetDriveStepHost(NULL);
}

BOOL CFirstView_HDD::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

int CFirstView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_tree.Create(0x16800027 | WS_CHILD, CRect(0, 150, 600, 300), this, IdTree))
        return -1;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(20, 20);

    m_pPanel = new CFirstDisplay;
    m_pPanel->m_bAutoDelete = TRUE;
    if (!m_pPanel->CView::Create(NULL, NULL, WS_CHILD, rc, this, 0xE901, NULL)) {
        m_pPanel = NULL;
        return -1;
    }
    m_pPanel->OnInitialUpdate();
    m_pPanel->ShowWindow(SW_SHOW);
    m_splitter.Create(0x52000001, this, &m_tree, m_pPanel, IdSplitter, rc, 50, 150);
    m_tree.InitImages();
    g_SourceType = SourceNone;

    const StepButton buttons[] = {
        {&m_next, IdNext, IDB_NEXT, IDB_NEXT_HOVER, L"Next"},
        {&m_back, IdBack, IDB_BACK, IDB_BACK_HOVER, L"Back"},
        {&m_stop, IdStop, IDB_STOP, IDB_STOP_HOVER, L"Stop"},
        {&m_home, IdHome, IDB_HOME, IDB_HOME_HOVER, L"Home"},
    };
    CreateStepButtons(this, buttons, _countof(buttons));
    m_stop.EnableWindow(FALSE);
    m_stop.ShowWindow(SW_HIDE);
    return 0;
}

void CFirstView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect rc;
    GetClientRect(&rc);
    if (m_next.GetSafeHwnd())
        m_next.MoveWindow(rc.right - 129, rc.bottom - 32, 74, 26);
    if (m_stop.GetSafeHwnd())
        m_stop.MoveWindow(rc.right - 129, rc.bottom - 32, 74, 26);
    if (m_back.GetSafeHwnd())
        m_back.MoveWindow(rc.right - 213, rc.bottom - 32, 74, 26);
    if (m_home.GetSafeHwnd())
        m_home.MoveWindow(0, 0, 0, 0);
    if (m_splitter.GetSafeHwnd()) {
        m_splitter.MoveWindow(0, 0, rc.Width(), rc.Height() > 50 ? rc.Height() - 50 : 0);
        m_splitter.ShowWindow(SW_SHOW);
    }
}

void CFirstView_HDD::OnDraw(CDC* pDC)
{
    const BOOL busy = g_ScanStop == 0 && g_ScanBusy != 0;
    DrawStepSkin(pDC, this, busy ? IDB_BANNER_DRIVE_BUSY : IDB_BANNER_DRIVE, m_modeFont, g_ModeText,
                 m_nLeftBannerWidth, m_nRightBannerLeft);
}

void CFirstView_HDD::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_tree.GetSelectedItem();
    CView::OnLButtonDown(nFlags, point);
}

void CFirstView_HDD::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CView::OnShowWindow(bShow, nStatus);
    Invalidate(TRUE);
    if (m_tree.GetSafeHwnd())
        m_tree.Invalidate(TRUE);
}

HBRUSH CFirstView_HDD::OnCtlColor(CDC*, CWnd*, UINT) { return ::GetSysColorBrush(COLOR_WINDOW); }

void CFirstView_HDD::BuildDeviceTree()
{
    RecoverySettings.duplicateNames = 1;
    RecoverySettings.deletedFiles = 1;
    RecoverySettings.sectorsPerRead = 100;
    RecoverySettings.retries = 3;
    {
        CDiskEnumerator enumerator;
        enumerator.AddVirtualDisk(GetSectorReaderDisk(), g_ImageType);
    }
    for (int i = 0; i < g_DiskCount; ++i) {
        char path[96];
        sprintf(path, "My Computer\\Physical Devices\\Virtual Hard Disk %d \\", i);
        m_tree.InsertPath(path);
    }
    m_tree.ExpandRoot();
    HTREEITEM root = m_tree.GetRootItem();
    HTREEITEM category = root ? m_tree.GetChildItem(root) : NULL;
    HTREEITEM disk = category ? m_tree.GetChildItem(category) : NULL;
    m_tree.SetFocus();
    if (disk) {
        m_tree.SelectItem(disk);
        m_tree.OnSelectItem(disk);
    }
}

void CFirstView_HDD::OnNext()
{
    CMainFrame* pFrame = WizardFrame();
    if (!pFrame)
        return;
    if (g_ScanMode == ScanModeExtensive || g_ScanMode == ScanModeFileTrace)
        pFrame->m_bSnapshotLoadEnabled = FALSE;
    if (g_ScanMode == ScanModeExtensive && pFrame->m_pScanPanel)
        pFrame->m_pScanPanel->ShowPartitionInfo(0, 0);
    if (pFrame->m_nSelectedRow < 0) {
        ShowMessage(L"Please select the drive that contain the lost data \r\nfrom the left panel and click [Next].",
                    MessageKindError);
        return;
    }
    if (g_SourceType == SourceVirtualDisk) {
        if (m_starter.RunningJob() != CScanStarter::JobNone)
            return;
        const int selectedRow = pFrame->m_nSelectedRow;
        // The user picks a partition on the scan step; a row left from this
        // step would pass the scan step's check with nothing picked.
        if (g_ScanMode == ScanModeQuick || g_ScanMode == ScanModeFileTrace)
            pFrame->m_nSelectedRow = -1;
        g_PartitionCount = 0;
        m_tree.EnableWindow(FALSE);
        ReadPartitionTable();

        m_pPanel->ShowProgress();
        m_stop.EnableWindow(TRUE);
        m_stop.ShowWindow(SW_SHOW);
        for (CToolButton* button : {&m_next, &m_back, &m_home}) {
            button->EnableWindow(FALSE);
            button->ShowWindow(SW_HIDE);
        }
        m_pPanel->ShowStatusText();
        const CString previousModeText = g_ModeText;
        switch (g_ScanMode) {
        case ScanModeQuick:
            g_ModeText = L"Selected Mode : Quick Scan \r\nDrive Type        : Virtual Hard Disk";
            break;
        case ScanModeExtensive:
            if (CSecondDisplay* pScanPanel = pFrame->m_pScanPanel) {
                pScanPanel->ShowRangeInputs();
                pScanPanel->SetTopText(kScanPanelHint);
            }
            g_ModeText = L"Selected Mode : Extensive Scan \r\nDrive Type        : Virtual Hard Disk";
            break;
        default:
            g_ModeText = L"Selected Mode : File Trace \r\nDrive Type        : Virtual Hard Disk";
            break;
        }
        m_pPanel->SetStatusText(L"Please wait...");

        CSecondView_HDD* pScan = ScanView();
        m_pHost.reset(new CDriveStepPanelHost(m_pPanel, pScan ? &pScan->m_tree : NULL));
        SetDriveStepHost(m_pHost.get());
        const int stop = g_ScanStop;
        const unsigned char busy = g_ScanBusy;
        if (!m_starter.StartPartitionSearch()) {
            // No worker: the step is as it was before Next.
            g_ScanStop = stop;
            g_ScanBusy = busy;
            g_ModeText = previousModeText;
            pFrame->m_nSelectedRow = selectedRow;
            RestoreIdle();
            ShowMessage(L"Unable to start the partition search.", MessageKindError);
            return;
        }
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    PrepareScanStep();
}

void CFirstView_HDD::PrepareScanStep()
{
    CSecondView_HDD* pScan = ScanView();
    CMainFrame* pFrame = WizardFrame();
    CSecondDisplay* pScanPanel = pFrame ? pFrame->m_pScanPanel : NULL;
    if (pScan)
        pScan->ShowPartitionTree();
    switch (g_ScanMode) {
    case ScanModeQuick:
        if (pScanPanel) {
            pScanPanel->ClearPartitionInfo();
            pScanPanel->SetTopText(L"Please Select a Partition From The Left Panel and press [Scan] to continue with "
                                   L"recovery.");
            pScanPanel->HideRangeInputs();
        }
        g_SourceType = SourceNone;
        if (pFrame)
            pFrame->m_bSnapshotLoadEnabled = FALSE;
        break;
    case ScanModeExtensive:
        SelectWholeDiskRange();
        m_pPanel->ClearChart();
        if (pScanPanel) {
            pScanPanel->ShowDiskRange();
            pScanPanel->ShowRangeInputs();
        }
        break;
    default:
        m_pPanel->ClearChart();
        if (pScanPanel) {
            pScanPanel->SetTopText(kScanPanelHint);
            pScanPanel->ClearPartitionInfo();
            pScanPanel->HideRangeInputs();
        }
        g_SourceType = SourceNone;
        if (pFrame)
            pFrame->m_bSnapshotLoadEnabled = FALSE;
        break;
    }
    if (pScanPanel)
        pScanPanel->Invalidate();
    if (pScan)
        pScan->Invalidate();
}

void CFirstView_HDD::OnSearchFinished()
{
    CMainFrame* pFrame = WizardFrame();
    CRecoveryWizardApp* pApp = GetWizardApp();
    if (!pFrame || !pApp)
        return;
    pFrame->m_bDriveStep = FALSE;
    pFrame->m_bScanStep = TRUE;
    pFrame->m_bResultsStep = FALSE;
    pFrame->m_bExtensiveResultsStep = FALSE;
    pApp->SwitchView(WizardScanStep);
    // The scan step as before any scan: Scan and Back shown, Home enabled.
    if (CSecondView_HDD* pScan = ScanView())
        pScan->RestoreIdle();
    if (g_ScanMode == ScanModeQuick && g_PartitionCount == 0) {
        g_strMessageText = L"Please use the Extensive Scan, as no data is found in Quick Scan.";
        MessageBoxParams params;
        params.asDialog.nSeparator = 0;
        params.asDialog.nSeparatorAlign = 2;
        params.asDialog.nEffect = 12;
        params.asDialog.crStart = params.asDialog.crMiddle = params.asDialog.crEnd = RGB(255, 255, 255);
        if (RichMessageBox(m_hWnd, g_strMessageText.c_str(), kMessageBoxCaption, MB_ICONINFORMATION | MB_OK,
                           &params) == IDOK)
            pApp->ResetToStartPage();
    }
}

void CFirstView_HDD::OnStop()
{
    if (m_starter.RunningJob() != CScanStarter::JobPartitionSearch)
        return;
    m_starter.Stop();
}

void CFirstView_HDD::RestoreIdle()
{
    m_stop.EnableWindow(FALSE);
    m_stop.ShowWindow(SW_HIDE);
    for (CToolButton* button : {&m_next, &m_back}) {
        button->EnableWindow(TRUE);
        button->ShowWindow(SW_SHOW);
    }
    m_home.EnableWindow(TRUE);
    m_home.ShowWindow(SW_SHOW);
    m_tree.EnableWindow(TRUE);
    if (m_pPanel) {
        m_pPanel->SetWaitText(L"Please select the Virtual Hard Disk (VHD/VHDX) that contains data from left panel "
                              L"and click [Next] to continue with recovery.");
        m_pPanel->SetProgress(0);
        m_pPanel->HideProgress();
        m_pPanel->HideStatusText();
    }
    Invalidate();
}

void CFirstView_HDD::OnBack()
{
    FreeWizardResults();
    g_SnapshotLoading = 0;
    if (g_DiskHandle && g_DiskHandle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(g_DiskHandle);
        g_DiskHandle = NULL;
    }
    if (m_pPanel)
        m_pPanel->ClearChart();
    g_SourceType = SourceNone;
    CMainFrame* pFrame = WizardFrame();
    if (pFrame) {
        pFrame->ResetStepFlags();
        pFrame->m_bSnapshotLoadEnabled = FALSE;
    }
    if (CRecoveryWizardApp* pApp = GetWizardApp())
        pApp->SwitchView(WizardStartPage);
    if (pFrame)
        pFrame->SetOpenEnabled(TRUE);
}

void CFirstView_HDD::OnHome() { OnBack(); }

void CFirstView_HDD::ResetHighlight() { m_nHighlight = 0; }

void CFirstView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB) {
        switch (m_nHighlight) {
        case 0:
            m_next.SendMessage(BM_SETSTATE, 1, 0);
            m_tree.SendMessage(WM_KILLFOCUS, 0, 0);
            m_nHighlight = 1;
            break;
        case 1:
            m_back.SendMessage(BM_SETSTATE, 1, 0);
            m_next.SendMessage(BM_SETSTATE, 0, 0);
            m_nHighlight = 2;
            break;
        case 2:
            m_back.SendMessage(BM_SETSTATE, 0, 0);
            m_tree.SetActiveWindow();
            m_tree.SetFocus();
            m_nHighlight = 3;
            break;
        default:
            m_nHighlight = 0;
            break;
        }
    } else if (nChar == VK_RETURN) {
        if (m_next.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED)
            OnNext();
        if (m_back.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED)
            OnBack();
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}
