// Starts the engine's workers for the wizard steps and watches them: the
// partition search of the drive step, the Quick Scan, Extensive Scan and
// File Trace of the scan step and the extraction of the file-system step.
// One worker at a time. Each start frees the lists the worker fills, sets
// the flags before the thread runs and keeps the thread object, which the
// one-second timer deletes once it sees the worker finished; the timer then
// calls the finish handler and then tells the user what the step says.
#pragma once

#include <afxwin.h>

#include <functional>

class CExtensiveScanShell;
class CFolderTreeCtrl;
class CQuickScanShell;

class CScanStarter
{
public:
    enum Job
    {
        JobNone,
        JobPartitionSearch,
        JobQuickScan,
        JobExtensiveScan,
        JobFileTrace,
        JobExtraction,
    };

    CScanStarter();
    // Waits for a worker still running (after asking it to stop).
    ~CScanStarter();

    // Each returns FALSE, starting nothing, while a worker runs.
    BOOL StartPartitionSearch();
    BOOL StartQuickScan(CQuickScanShell& shell);
    BOOL StartExtensiveScan(CExtensiveScanShell& shell);
    // The signature search, then the result tree of the hits' types; a
    // logical volume is opened by the drive name pVolumes gives for it.
    BOOL StartFileTrace(CFolderTreeCtrl& tree, CQuickScanShell* pVolumes = NULL);
    BOOL StartExtraction(CExtensiveScanShell& shell);

    // The Stop command of the scan and file-system steps: the question of
    // the running job, or the step's own. Returns 1 when the user chose to
    // stop.
    int Stop(const wchar_t* question = NULL);

    // The job that runs or whose end the timer has not seen yet.
    Job RunningJob() const { return m_job; }

    // Called by the timer after a job ended and its thread was deleted.
    std::function<void(Job)> m_onFinished;

    // The timer's period: 500 ms for an Extensive Scan's partition search,
    // else one second.
    UINT TimerPeriod() const { return m_nPeriod; }

    // Starts a worker suspended; AfxBeginThread unless a test put another
    // starter here.
    typedef CWinThread* (*ThreadStarter)(AFX_THREADPROC proc, LPVOID param, int nPriority, UINT nStackSize,
                                         DWORD dwCreateFlags);
    static ThreadStarter s_startThread;

    // What the File Trace worker is given.
    struct TraceJob
    {
        CFolderTreeCtrl* tree;
        CQuickScanShell* volumes;
    };

private:
    BOOL Start(Job job, AFX_THREADPROC proc, void* param, UINT nPeriod = 1000);
    BOOL IsFinished() const;
    void OnTimer();
    void EndJob();
    static void CALLBACK TimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

    Job m_job = JobNone;
    UINT_PTR m_nTimer = 0;
    UINT m_nPeriod = 1000;
    TraceJob m_trace = {NULL, NULL};
};
