#include "state/ScanControl.h"

#include "msg/MessageSink.h"
#include "state/EngineState.h"

namespace {

volatile LONG g_pauseRequested = 0;
volatile LONG g_workerPaused = 0;

// Manual-reset event, signalled while no pause is in effect.
HANDLE ResumeEvent()
{
    static HANDLE event = CreateEventW(NULL, TRUE, TRUE, NULL);
    return event;
}

}  // namespace

void BeginScanWorker()
{
    g_ScanStop = 0;
    g_ScanBusy = 1;
    MemoryBarrier();
}

void EndScanWorker()
{
    g_ScanStop = 1;
    MemoryBarrier();
    g_ScanBusy = 0;
}

int ScanStopRequested()
{
    // The searches ask once per sector: a plain read of the flag comes
    // first, and only a set flag pays for the locked one.
    if (g_pauseRequested && InterlockedCompareExchange(&g_pauseRequested, 0, 0)) {
        InterlockedExchange(&g_workerPaused, 1);
        WaitForSingleObject(ResumeEvent(), INFINITE);
        InterlockedExchange(&g_workerPaused, 0);
    }
    return g_ScanStop;
}

void PauseScanWorker()
{
    ResetEvent(ResumeEvent());
    InterlockedExchange(&g_pauseRequested, 1);
}

void ResumeScanWorker()
{
    InterlockedExchange(&g_pauseRequested, 0);
    SetEvent(ResumeEvent());
}

int IsScanWorkerPaused() { return InterlockedCompareExchange(&g_workerPaused, 0, 0) != 0; }

int StopScanWorker(const wchar_t* question)
{
    if (g_ScanBusy != 1 || g_ScanStop != 0)
        return 0;
    EnterCriticalSection(&g_ScanLock);
    PauseScanWorker();
    // The question's modal loop keeps serving the worker's synchronous
    // progress messages; the worker stops at its next check.
    int stop = AskQuestion(question) == 1;
    if (stop)
        g_ScanStop = 1;
    ResumeScanWorker();
    LeaveCriticalSection(&g_ScanLock);
    return stop;
}
