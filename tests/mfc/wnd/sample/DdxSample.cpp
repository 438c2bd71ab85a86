// A small dialog application on the framework: AfxWinMain runs the
// application object, whose dialog exchanges data with its controls. The
// dialog plays the user itself (a timer types into the controls and presses
// OK), and the process exits with 0 when every value came back as typed.
#include <afxwin.h>
#include <afxcmn.h>

#include "DdxSampleRes.h"

class CSampleDlg : public CDialog
{
public:
    CSampleDlg() : CDialog(IDD_SAMPLE) {}

    CString m_strName = _T("initial");
    int m_nCount = 3;
    int m_nEnabled = 0;
    int m_nMode = 0;
    CString m_strKind;
    CProgressCtrl m_progress;
    CComboBox m_kinds;
    int m_nTicks = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();   // controls subclassed, values shown
        m_kinds.AddString(_T("FAT16"));
        m_kinds.AddString(_T("FAT32"));
        m_kinds.AddString(_T("NTFS"));
        m_progress.SetRange(0, 99);
        SetTimer(1, 50, NULL);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_KINDS, m_kinds);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 1000);
        DDX_Check(pDX, IDC_ENABLED, m_nEnabled);
        DDX_Radio(pDX, IDC_MODE1, m_nMode);
        DDX_CBString(pDX, IDC_KINDS, m_strKind);
    }
    afx_msg void OnTimer(UINT nIDEvent)
    {
        if (nIDEvent != 1)
            return;
        // The "user": first the shown values are checked, then changed.
        ++m_nTicks;
        m_progress.StepIt();
        if (m_nTicks == 3)
        {
            KillTimer(1);
            CString strShown;
            GetDlgItemText(IDC_NAME, strShown);
            if (strShown != _T("initial") || GetDlgItemInt(IDC_COUNT) != 3)
            {
                EndDialog(IDABORT);
                return;
            }
            SetDlgItemText(IDC_NAME, _T("Recovered"));
            SetDlgItemText(IDC_COUNT, _T("250"));
            CheckDlgButton(IDC_ENABLED, BST_CHECKED);
            CheckRadioButton(IDC_MODE1, IDC_MODE2, IDC_MODE2);
            m_kinds.SetCurSel(2);
            // OK through the dialog manager, as the Enter key would.
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(IDOK)->m_hWnd);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSampleDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CSampleApp : public CWinApp
{
public:
    int m_nResult = 1;

    BOOL InitInstance() override
    {
        CSampleDlg dlg;
        m_pMainWnd = &dlg;
        INT_PTR nResponse = dlg.DoModal();
        m_pMainWnd = NULL;
        bool bOK = nResponse == IDOK && dlg.m_strName == _T("Recovered") && dlg.m_nCount == 250 &&
                   dlg.m_nEnabled == 1 && dlg.m_nMode == 1 && dlg.m_strKind == _T("NTFS") &&
                   _tcscmp(m_pszAppName, _T("Data Exchange Sample")) == 0;
        m_nResult = bOK ? 0 : 1;
        return FALSE;   // a dialog application ends after its dialog
    }
    int ExitInstance() override
    {
        CWinApp::ExitInstance();
        return m_nResult;
    }
};

CSampleApp theApp;
