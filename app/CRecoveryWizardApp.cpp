#include "CRecoveryWizardApp.h"

#include <afxdao.h>
#include <afxdisp.h>

#include "CEx_StyleDoc.h"
#include "CEx_StyleView.h"
#include "CFileSystemView.h"
#include "CFirstView_HDD.h"
#include "CGCFileTypeAccess.h"
#include "CMainFrame.h"
#include "CMessageDlg.h"
#include "CSecondView_HDD.h"
#include "CThirdView_HDD.h"
#include "InstanceMutex.h"
#include "VZPFoundation.h"
#include "WizardMessages.h"
#include "msg/MessageSink.h"
#include "resource.h"
#include "snapshot/SnapshotCommands.h"
#include "state/EngineState.h"

wchar_t g_szProgramFolder[264];

BEGIN_MESSAGE_MAP(CRecoveryWizardApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CRecoveryWizardApp::CRecoveryWizardApp()
    : CWinApp(NULL), m_bDaoSystemObjects(FALSE), m_bDaoConfirmDelete(TRUE), m_nDaoRecordLimit(10000),
      m_pResultList(NULL), m_nCurrentView(WizardStartPage)
{
    for (CView*& view : m_pViews)
        view = NULL;
    // The UI library's process-wide services start with the framework's
    // start-up initialisers, before InitInstance.
    VZPFoundationRegisterStartup();
}

CRecoveryWizardApp::~CRecoveryWizardApp() {}

CRecoveryWizardApp* GetWizardApp() { return dynamic_cast<CRecoveryWizardApp*>(AfxGetApp()); }

CMainFrame* CRecoveryWizardApp::GetMainFrame() const { return DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd); }

CString& ReadMruDocumentPath(CString& out)
{
    out = AfxGetApp()->GetProfileString(_T("Most Recent Check Book File"), _T("File"), NULL);
    return out;
}

void CRecoveryWizardApp::RegisterFileType(LPCTSTR lpszModulePath)
{
    const CString command = CString(lpszModulePath) + _T(" \"%0\"");
    CGCFileTypeAccess access;
    access.SetExtension(_T("xwqz"));
    access.SetShellOpenCommand(command);
    access.SetDocumentShellOpenCommand(command);
    access.SetDocumentClassName(_T("Tesmir.Document"));
    access.SetDefaultIcon(CString(lpszModulePath) + _T(",0"));
    access.RegisterAll();
}

BOOL CRecoveryWizardApp::InitInstance()
{
    if (g_dwInstanceMutexError == ERROR_ALREADY_EXISTS) {
        AfxMessageBox(_T("Another instance of the application is already running."));
        return FALSE;
    }
    // From here on the program's messages show in its own dialogs.
    InstallMessageDialogs();
    AfxEnableControlContainer();
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    // The database engine 3.6; without it the database previews report
    // their errors and everything else goes on.
    AfxGetModuleState()->m_dwVersion = 0x0601;
    AfxDaoInit();
    Enable3dControls();
    if (RunEmbedded() || RunAutomated())
        COleObjectFactory::RegisterAll();
    else
        COleObjectFactory::UpdateRegistryAll(TRUE);

    wchar_t modulePath[MAX_PATH + 1] = L"";
    ::GetModuleFileNameW(NULL, modulePath, MAX_PATH);
    wcsncpy(g_szProgramFolder, modulePath, 263);
    g_szProgramFolder[263] = L'\0';
    if (wchar_t* slash = wcsrchr(g_szProgramFolder, L'\\'))
        slash[1] = L'\0';
    g_SnapshotLoading = 0;

    RegisterFileType(modulePath);

    SetRegistryKey(_T("Local AppWizard-Generated Applications"));
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CEx_StyleDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CEx_StyleView)));
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return FALSE;
    m_pViews[WizardStartPage] = pFrame->GetActiveView();
    m_nCurrentView = WizardStartPage;
    if (!CreateStepViews(pFrame))
        return FALSE;

    for (int nCmdShow : {SW_HIDE, SW_MINIMIZE, SW_SHOWNORMAL, SW_SHOW})
        pFrame->ShowWindow(nCmdShow);

    OpenCommandLineSnapshot();
    return TRUE;
}

BOOL CRecoveryWizardApp::CreateStepViews(CFrameWnd* pFrame)
{
    m_pViews[WizardDriveStep] = new CFirstView_HDD;
    m_pViews[WizardScanStep] = new CSecondView_HDD;
    m_pViews[WizardFileSystemStep] = new CFileSystemView;
    m_pViews[WizardRecoveryStep] = new CThirdView_HDD;

    CCreateContext context;
    context.m_pCurrentDoc = pFrame->GetActiveDocument();
    for (int index = WizardDriveStep; index < WizardViewCount; ++index) {
        if (!m_pViews[index]->Create(NULL, NULL, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), pFrame,
                                     AFX_IDW_PANE_FIRST + index, &context)) {
            // A view whose window failed was deleted by its PostNcDestroy
            // only when the window existed; the rest are still ours.
            for (int rest = index; rest < WizardViewCount; ++rest) {
                if (m_pViews[rest]->GetSafeHwnd() == NULL)
                    delete m_pViews[rest];
                m_pViews[rest] = NULL;
            }
            return FALSE;
        }
    }
    for (int index = WizardDriveStep; index < WizardViewCount; ++index)
        m_pViews[index]->OnInitialUpdate();
    return TRUE;
}

CRecoveryWizardApp::CommandLineResult CRecoveryWizardApp::OpenCommandLineSnapshot()
{
    const CString commandLine = m_lpCmdLine != NULL ? m_lpCmdLine : _T("");
    if (commandLine.IsEmpty()) {
        CString path;
        if (!ReadMruDocumentPath(path).IsEmpty())
            OpenDocumentFile(path);
        return CommandLineEmpty;
    }
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return CommandLineRefused;
    // The engine reads the mode letter, sets the mode and the recovery
    // step's columns and loads the file; only a load that succeeded makes
    // the results step current.
    if (!LoadCommandLineSnapshot(*pFrame, (LPCTSTR)commandLine)) {
        pFrame->RestorePlacementAndShow(0);
        return CommandLineRefused;
    }
    pFrame->m_bResultsStep = TRUE;
    return CommandLineLoaded;
}

CView* CRecoveryWizardApp::SwitchView(int index)
{
    if (index < 0 || index >= WizardViewCount)
        return NULL;
    CFrameWnd* pFrame = GetMainFrame();
    CView* pActive = m_pViews[m_nCurrentView];
    CView* pView = m_pViews[index];
    if (pFrame == NULL || pActive == NULL || pView == NULL || pView == pActive || !AlwaysTrue())
        return pActive;
    // Whatever view the frame made active meanwhile (a clicked step panel,
    // the preview pane), the step shown is the one SwitchView made current.
    const LONG_PTR nActiveId = ::GetWindowLongPtr(pActive->m_hWnd, GWLP_ID);
    const LONG_PTR nViewId = ::GetWindowLongPtr(pView->m_hWnd, GWLP_ID);
    ::SetWindowLongPtr(pActive->m_hWnd, GWLP_ID, nViewId);
    ::SetWindowLongPtr(pView->m_hWnd, GWLP_ID, nActiveId);
    pActive->ShowWindow(SW_HIDE);
    pView->ShowWindow(SW_SHOW);
    m_nCurrentView = index;
    pFrame->SetActiveView(pView, TRUE);
    pFrame->RecalcLayout(TRUE);
    pView->InvalidateRect(NULL, TRUE);
    return pActive;
}

int CRecoveryWizardApp::ResetToStartPage()
{
    CMainFrame* pFrame = GetMainFrame();
    if (::GetCurrentThreadId() != m_nThreadID) {
        // The windows belong to the UI thread: it runs the reset.
        if (pFrame != NULL)
            pFrame->PostMessage(WM_WIZARD_RESET_TO_START);
        return 1;
    }
    ResetOnUiThread();
    return 1;
}

void CRecoveryWizardApp::ResetOnUiThread()
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return;
    if (CSecondView_HDD* pScan = static_cast<CSecondView_HDD*>(m_pViews[WizardScanStep]))
        pScan->OnBack();
    if (CFirstView_HDD* pDrive = static_cast<CFirstView_HDD*>(m_pViews[WizardDriveStep]))
        pDrive->OnBack();
    for (int nCmdShow : {SW_HIDE, SW_MINIMIZE, SW_SHOWNORMAL, SW_SHOW})
        pFrame->ShowWindow(nCmdShow);
    if (OpenCommandLineSnapshot() == CommandLineRefused)
        return;
    pFrame->RestorePlacementAndShow(0);
}

void CRecoveryWizardApp::OnAppAbout()
{
    CDialog about(IDD_ABOUTBOX);
    about.DoModal();
}
