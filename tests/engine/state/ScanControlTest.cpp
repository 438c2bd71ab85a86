// Stop of a running worker: the worker is held only at its own stop checks,
// so the UI thread can ask the question (and allocate) while it waits, and
// Stop acts only while a worker runs.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <atomic>
#include <thread>

#include "MessageRecorder.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

namespace {

std::atomic<long> g_iterations(0);

// A worker like the scans: allocates constantly and polls the stop flag.
void Worker()
{
    for (;;) {
        void* p = malloc(4096);
        free(p);
        ++g_iterations;
        if (ScanStopRequested() == 1)
            break;
    }
    EndScanWorker();
}

bool WaitFor(bool (*pred)(), DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        SwitchToThread();
    }
    return true;
}

bool g_pausedDuringQuestion = false;
long g_iterationsAtPause = 0;

// Runs while the Stop question is open: the worker comes to rest at its next
// check, and the UI thread can still use the heap freely.
void WhileQuestionIsOpen()
{
    g_pausedDuringQuestion = WaitFor([] { return IsScanWorkerPaused() != 0; });
    g_iterationsAtPause = g_iterations.load();
    for (int i = 0; i < 1000; ++i)
        free(malloc(100 + i));
}

class ScanControlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_iterations = 0;
        g_pausedDuringQuestion = false;
        g_ScanStop = 1;
        g_ScanBusy = 0;
    }
};

TEST_F(ScanControlTest, StopWithoutWorkerAsksNothing)
{
    CMessageRecorder recorder;
    EXPECT_EQ(StopScanWorker(L"Do you want to stop ?"), 0);
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(ScanControlTest, NoLetsTheWorkerGoOnYesStopsIt)
{
    CMessageRecorder recorder(2);
    recorder.SetOnMessage(WhileQuestionIsOpen);
    BeginScanWorker();
    std::thread worker(Worker);
    ASSERT_TRUE(WaitFor([] { return g_iterations.load() > 10; }));

    EXPECT_EQ(StopScanWorker(L"Do you want to stop ?"), 0);
    EXPECT_TRUE(g_pausedDuringQuestion);
    EXPECT_EQ(g_ScanStop, 0);
    // Released: the worker goes on.
    const long afterNo = g_iterationsAtPause;
    EXPECT_TRUE(WaitFor([] { return g_iterations.load() > g_iterationsAtPause + 10; }));
    EXPECT_GT(g_iterations.load(), afterNo);

    recorder.SetAnswer(1);
    EXPECT_EQ(StopScanWorker(L"Do you want to stop ?"), 1);
    EXPECT_TRUE(g_pausedDuringQuestion);
    worker.join();
    EXPECT_EQ(g_ScanStop, 1);
    EXPECT_EQ(g_ScanBusy, 0);
    EXPECT_EQ(IsScanWorkerPaused(), 0);
    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].isQuestion, 1);

    // The worker has ended: a late Stop does nothing.
    EXPECT_EQ(StopScanWorker(L"Do you want to stop ?"), 0);
    EXPECT_EQ(recorder.messages().size(), 2u);
}

}  // namespace
