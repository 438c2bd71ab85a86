#include "CScanStarter.h"

#include "CFolderTreeCtrl.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScan.h"
#include "fat/FatLists.h"
#include "fat/ScanPanelHost.h"
#include "msg/MessageSink.h"
#include "partition/PartitionTable.h"
#include "scan/QuickScan.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/FileTraceSearch.h"
#include "trace/TraceHit.h"
#include "snapshot/EngineRun.h"

namespace {

// The one starter whose timer runs (one worker at a time).
CScanStarter* s_timerOwner = NULL;

UINT PartitionSearchProc(LPVOID)
{
    SearchPartitions();
    EndScanWorker();
    return 1;
}

UINT QuickScanThread(LPVOID shell) { return QuickScanProc(shell); }

UINT ExtensiveScanThread(LPVOID shell) { return ExtensiveScanProc(shell); }

UINT ExtractionThread(LPVOID shell) { return ExtractionProc(shell); }

// The File Trace worker: the logical volume opened when it is the source,
// the search, then the tree of the hits' types under "Root". Every way out
// leaves the finished state, the failed parameter search too (the step's
// timer then restores the step).
UINT FileTraceThread(LPVOID param)
{
    CScanStarter::TraceJob& job = *static_cast<CScanStarter::TraceJob*>(param);
    CFolderTreeCtrl* tree = job.tree;
    struct Exit
    {
        ~Exit() { EndScanWorker(); }
    } exit;
    if (g_SourceType == SourceLogicalVolume && !(job.volumes && OpenSelectedVolume(*job.volumes))) {
        ShowMessage(L"The selected volume could not be opened.", MessageKindError);
        return 0;
    }
    if (!FileTraceSearch()) {
        ShowMessage(L"Tesmir for VHD was unable to find correct partition parameters. \r\nPlease go back to the "
                    L"first step and select Extensive Scan \r\nfor recovery.",
                    MessageKindError);
        return 0;
    }
    ScanPanelHost().SetStatusText(L"Please wait creating tree");
    // A Stop during the search still lists what was found.
    g_ScanStop = 0;
    // The tree's own build: the types below "Root", every item checked.
    tree->BuildTraceTree();
    return 1;
}

// Waits for the worker's return while answering the messages it sends to
// this thread's windows, so a worker still updating a panel cannot hang.
void WaitForWorker(HANDLE thread)
{
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

static CWinThread* StartThread(AFX_THREADPROC proc, LPVOID param, int nPriority, UINT nStackSize, DWORD dwCreateFlags)
{
    return AfxBeginThread(proc, param, nPriority, nStackSize, dwCreateFlags);
}

CScanStarter::ThreadStarter CScanStarter::s_startThread = &StartThread;

CScanStarter::CScanStarter() {}

CScanStarter::~CScanStarter()
{
    if (m_job == JobNone)
        return;
    g_ScanStop = 1;
    ResumeScanWorker();
    EndJob();
}

BOOL CScanStarter::Start(Job job, AFX_THREADPROC proc, void* param, UINT nPeriod)
{
    // The flags are set before the thread exists, so a worker that ends at
    // once cannot have its finished state overwritten.
    BeginScanWorker();
    CWinThread* thread = s_startThread ? s_startThread(proc, param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED)
                                       : NULL;
    if (!thread) {
        EndScanWorker();
        return FALSE;
    }
    // The timer deletes the thread object, so a Stop right after the worker
    // ended never touches freed memory.
    thread->m_bAutoDelete = FALSE;
    g_ScanThread = thread;
    m_job = job;
    s_timerOwner = this;
    m_nPeriod = nPeriod;
    m_nTimer = ::SetTimer(NULL, 0, nPeriod, &CScanStarter::TimerProc);
    thread->ResumeThread();
    return TRUE;
}

BOOL CScanStarter::StartPartitionSearch()
{
    if (m_job != JobNone || g_ScanBusy)
        return FALSE;
    return Start(JobPartitionSearch, &PartitionSearchProc, NULL, g_ScanMode == ScanModeExtensive ? 500 : 1000);
}

BOOL CScanStarter::StartQuickScan(CQuickScanShell& shell)
{
    if (m_job != JobNone || g_ScanBusy)
        return FALSE;
    ResetEngineRun();
    return Start(JobQuickScan, &QuickScanThread, &shell);
}

BOOL CScanStarter::StartExtensiveScan(CExtensiveScanShell& shell)
{
    if (m_job != JobNone || g_ScanBusy)
        return FALSE;
    ResetEngineRun();
    g_BootStepDone = 0;
    g_DirStepDone = 0;
    return Start(JobExtensiveScan, &ExtensiveScanThread, &shell);
}

BOOL CScanStarter::StartFileTrace(CFolderTreeCtrl& tree, CQuickScanShell* pVolumes)
{
    if (m_job != JobNone || g_ScanBusy)
        return FALSE;
    FreeTraceHitList();
    g_ParamsSearchFailed = 0;
    m_trace.tree = &tree;
    m_trace.volumes = pVolumes;
    return Start(JobFileTrace, &FileTraceThread, &m_trace);
}

BOOL CScanStarter::StartExtraction(CExtensiveScanShell& shell)
{
    if (m_job != JobNone || g_ScanBusy)
        return FALSE;
    FreeEntryLists();
    return Start(JobExtraction, &ExtractionThread, &shell);
}

int CScanStarter::Stop(const wchar_t* question)
{
    if (m_job == JobNone)
        return 0;
    if (question)
        return StopScanWorker(question);
    return StopScanWorker(m_job == JobPartitionSearch ? L"Do you want to stop partition searching ?"
                                                      : L"Do you want to stop file searching ?");
}

BOOL CScanStarter::IsFinished() const
{
    if (g_ScanBusy != 0 || g_ScanStop != 1)
        return FALSE;
    if (m_job == JobExtensiveScan)
        return g_BootStepDone && g_DirStepDone;
    return TRUE;
}

void CScanStarter::EndJob()
{
    if (m_nTimer) {
        ::KillTimer(NULL, m_nTimer);
        m_nTimer = 0;
    }
    if (s_timerOwner == this)
        s_timerOwner = NULL;
    if (g_ScanThread) {
        // The worker has set its finished state as its last action; wait
        // for its return before the object goes.
        WaitForWorker(g_ScanThread->m_hThread);
        delete g_ScanThread;
        g_ScanThread = NULL;
    }
    m_job = JobNone;
}

void CALLBACK CScanStarter::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_timerOwner)
        s_timerOwner->OnTimer();
}

void CScanStarter::OnTimer()
{
    if (m_job == JobNone || !IsFinished())
        return;
    Job job = m_job;
    EndJob();
    if (job == JobExtensiveScan) {
        g_BootStepDone = 0;
        g_DirStepDone = 0;
    }
    // The step moves on first; what the end tells the user shows over the
    // next step. Whether an Extensive Scan found anything is the scan
    // step's to tell, on the file-system step.
    if (m_onFinished)
        m_onFinished(job);
    if (job == JobQuickScan)
        ShowMessage(L"If you don't find the required file(s) and folder(s) here then please go back \r\nto the "
                    L"first step and select Extensive Scan for recovery.",
                    MessageKindInformation);
}
