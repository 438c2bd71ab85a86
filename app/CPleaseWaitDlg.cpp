#include "CPleaseWaitDlg.h"

#include "CEx_StyleDoc.h"
#include "CFolderTreeCtrl.h"
#include "CRecoveryWizardApp.h"
#include "CResultListCtrl.h"
#include "CThirdView_HDD.h"
#include "ResultListFill.h"
#include "resource.h"

volatile LONG g_RecoverWaitDone = 0;
volatile LONG g_TreeWaitDone = 0;

const wchar_t CPleaseWaitDlg::Text[] =
    L"Depending on number of folders and files, it may take some time. Please wait...";

namespace {

// Sent by the worker: run the job on the dialog's thread.
const UINT WM_WAIT_RUN_JOB = WM_APP + 0x376;
// Posted by the worker once the job is done: end the dialog.
const UINT WM_WAIT_JOB_DONE = WM_APP + 0x377;

}  // namespace

BEGIN_MESSAGE_MAP(CPleaseWaitDlg, CSkinnedDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPleaseWaitDlg::CPleaseWaitDlg(UINT nIDTemplate, UINT nIDText, volatile LONG* pDone)
    : CSkinnedDialog(nIDTemplate, IDB_SAVING_SKIN, NULL), m_nIDText(nIDText), m_pDone(pDone)
{
}

CPleaseWaitDlg::~CPleaseWaitDlg()
{
    if (m_pThread) {
        ::WaitForSingleObject(m_pThread->m_hThread, INFINITE);
        delete m_pThread;
    }
}

void CPleaseWaitDlg::DoDataExchange(CDataExchange* pDX)
{
    CSkinnedDialog::DoDataExchange(pDX);
    DDX_Control(pDX, m_nIDText, m_text);
}

BOOL CPleaseWaitDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    MakeArialFont(m_font, 15, FW_NORMAL);
    m_text.SetFont(&m_font);
    m_text.SetWindowText(Text);
    InterlockedExchange(m_pDone, 0);
    m_pThread = AfxBeginThread(WorkerProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread) {
        m_pThread->m_bAutoDelete = FALSE;
        m_pThread->ResumeThread();
    } else {
        // No worker: the job runs here and the dialog ends at once.
        Finish();
        PostMessage(WM_WAIT_JOB_DONE);
    }
    return TRUE;
}

UINT CPleaseWaitDlg::WorkerProc(LPVOID param)
{
    CPleaseWaitDlg* pDlg = static_cast<CPleaseWaitDlg*>(param);
    const HWND hDlg = pDlg->GetSafeHwnd();
    ::SendMessage(hDlg, WM_WAIT_RUN_JOB, 0, 0);
    ::PostMessage(hDlg, WM_WAIT_JOB_DONE, 0, 0);
    ::InvalidateRect(hDlg, NULL, TRUE);
    return 1;
}

void CPleaseWaitDlg::Finish()
{
    if (m_job)
        m_job();
    InterlockedExchange(m_pDone, 1);
}

LRESULT CPleaseWaitDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WAIT_RUN_JOB) {
        Finish();
        return 0;
    }
    if (message == WM_WAIT_JOB_DONE) {
        if (!m_bEnded && InterlockedCompareExchange(m_pDone, 0, 0) == 1) {
            InterlockedExchange(m_pDone, 0);
            m_bEnded = TRUE;
            EndDialog(IDCANCEL);
        }
        return 0;
    }
    return CSkinnedDialog::WindowProc(message, wParam, lParam);
}

void CPleaseWaitDlg::OnPaint()
{
    // Validates whatever the flag says, so an early paint cannot spin.
    CPaintDC dc(this);
    if (!m_bEnded && InterlockedCompareExchange(m_pDone, 0, 0) == 1) {
        InterlockedExchange(m_pDone, 0);
        m_bEnded = TRUE;
        EndDialog(IDCANCEL);
    }
}

HBRUSH CPleaseWaitDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd && pWnd->GetDlgCtrlID() == (int)m_nIDText) {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->SetBkMode(TRANSPARENT);
        return WhiteBrush();
    }
    return CSkinnedDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

CRecoverWaitDlg::CRecoverWaitDlg(CThirdView_HDD* pView)
    : CPleaseWaitDlg(IDD_RECOVER_WAIT, IDC_RECOVER_WAIT_TEXT, &g_RecoverWaitDone)
{
    m_job = [pView]() {
        if (pView)
            pView->CollectFoldersToSave();
    };
}

CTreeWaitDlg::CTreeWaitDlg(CFolderTreeCtrl* pTree, UINT nFlags, HTREEITEM hItem)
    : CPleaseWaitDlg(IDD_TREE_WAIT, IDC_TREE_WAIT_TEXT, &g_TreeWaitDone)
{
    m_job = [pTree, nFlags, hItem]() {
        if (pTree)
            pTree->OnItemClick(nFlags, hItem);
    };
}

void DeletePreviewCopies()
{
    if (AfxGetThread() == NULL || AfxGetMainWnd() == NULL)
        return;
    if (CResultListCtrl* pList = FillTargetList()) {
        POSITION pos = pList->m_mapPreviewCopies.GetStartPosition();
        while (pos) {
            int number = 0;
            CString path;
            pList->m_mapPreviewCopies.GetNextAssoc(pos, number, path);
            // A copy still in use stays; so does its entry.
            ::DeleteFileW(path);
        }
    }
    wchar_t temp[MAX_PATH + 1] = L"";
    if (::GetTempPathW(255, temp) == 0)
        return;
    const CString folder = CString(temp) + L"ssss";
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    CEx_StyleDoc* pDoc = pFrame ? DYNAMIC_DOWNCAST(CEx_StyleDoc, pFrame->GetActiveDocument()) : NULL;
    CEx_StyleDoc scratch;
    (pDoc ? pDoc : &scratch)->DeleteFolderFiles(folder);
    ::RemoveDirectoryW(folder);
}
