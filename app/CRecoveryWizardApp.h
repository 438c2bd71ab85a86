// The application object: refuses a second instance, registers the snapshot
// document type, builds the single-document template with the main frame
// and the start page, creates the four further wizard views hidden, and
// loads a snapshot named on the command line. It holds the five wizard
// views, and SwitchView is the one way a step becomes visible.
#pragma once

#include <afxwin.h>

class CMainFrame;
class CResultListCtrl;

// Indexes of CRecoveryWizardApp::m_pViews.
enum WizardView
{
    WizardStartPage = 0,
    WizardDriveStep = 1,
    WizardScanStep = 2,
    WizardFileSystemStep = 3,
    WizardRecoveryStep = 4,
    WizardViewCount = 5,
};

// The program's folder with a trailing backslash (C:\Tools\ for
// C:\Tools\x.exe); set by InitInstance.
extern wchar_t g_szProgramFolder[264];

class CRecoveryWizardApp : public CWinApp
{
public:
    CRecoveryWizardApp();
    ~CRecoveryWizardApp() override;

    BOOL InitInstance() override;

    // Makes m_pViews[index] the frame's visible and active view (the one
    // carrying AFX_IDW_PANE_FIRST) and returns the view that was current
    // before; nothing changes when the frame has no active view or the view
    // is already current.
    CView* SwitchView(int index);
    // Throws all results away, goes back to the start page and runs the
    // command-line snapshot step again. Called off the UI thread it posts
    // the work to the frame and returns at once. Always 1.
    int ResetToStartPage();
    BOOL AlwaysTrue() const { return TRUE; }

    // The index of the view SwitchView made current last.
    int CurrentViewIndex() const { return m_nCurrentView; }
    CMainFrame* GetMainFrame() const;

    BOOL m_bDaoSystemObjects;
    BOOL m_bDaoConfirmDelete;
    int m_nDaoRecordLimit;
    CResultListCtrl* m_pResultList;
    CView* m_pViews[WizardViewCount];

protected:
    // The result of the command-line snapshot step.
    enum CommandLineResult
    {
        CommandLineEmpty,     // nothing named (the recent document may have opened)
        CommandLineLoaded,    // the snapshot is on the recovery step
        CommandLineRefused,   // the file was refused or could not be loaded; the user was told
    };
    CommandLineResult OpenCommandLineSnapshot();
    // Registers the ".xwqz" document type for this program's path.
    void RegisterFileType(LPCTSTR lpszModulePath);
    // Creates views 1 to 4 hidden as children of the frame.
    BOOL CreateStepViews(CFrameWnd* pFrame);
    void ResetOnUiThread();

    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

    int m_nCurrentView;

    friend class CMainFrame;
};

// The application object as the wizard's class.
CRecoveryWizardApp* GetWizardApp();

// GetProfileString("Most Recent Check Book File", "File") into out.
CString& ReadMruDocumentPath(CString& out);
