// Thread-local and process-local objects: one object per thread, destroyed
// when its thread ends (newest first); one object per process, made once
// under the process-local lock and destroyed at exit.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "TestSupport.h"

#include <process.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

// What the probes saw, in order: "+A" when an A was made, "-A" when one was
// destroyed, with the id of the thread it happened on.
struct CEvent
{
    std::string text;
    DWORD dwThread;
};
std::mutex g_eventLock;
std::vector<CEvent> g_events;

void Record(const char* pszText)
{
    std::lock_guard<std::mutex> guard(g_eventLock);
    g_events.push_back(CEvent{pszText, ::GetCurrentThreadId()});
}

std::vector<CEvent> TakeEvents()
{
    std::lock_guard<std::mutex> guard(g_eventLock);
    std::vector<CEvent> events;
    events.swap(g_events);
    return events;
}

struct CProbeA
{
    CProbeA() { Record("+A"); }
    ~CProbeA() { Record("-A"); }
    int m_nValue = 0;
};

struct CProbeB
{
    CProbeB() { Record("+B"); }
    ~CProbeB() { Record("-B"); }
};

THREAD_LOCAL(CProbeA, t_probeA)
THREAD_LOCAL(CProbeB, t_probeB)

struct CWorkerResult
{
    CProbeA* pA = NULL;
    DWORD dwThread = 0;
    std::atomic<int>* pMade = NULL;   // shared by the workers of one test
};

// Makes A then B on the calling thread and reports A's address. It ends only
// once every worker has made its objects: a worker that ended early would free
// its A, and the next one could be given the same address.
UINT AFX_CDECL MakeBothProc(LPVOID pParam)
{
    CWorkerResult* pResult = (CWorkerResult*)pParam;
    pResult->pA = t_probeA.GetData();
    t_probeA->m_nValue = 7;
    (void)t_probeB.GetData();
    pResult->dwThread = ::GetCurrentThreadId();
    ++*pResult->pMade;
    const DWORD start = ::GetTickCount();
    while (*pResult->pMade < 2 && ::GetTickCount() - start < 10000)
        ::Sleep(1);
    return 0;
}

unsigned __stdcall MakeBothPlainThread(void* pParam)
{
    return MakeBothProc(pParam);
}

// Runs MakeBothProc on a framework thread (AfxBeginThread) or a plain one
// (_beginthreadex) and waits for it to end.
HANDLE StartWorker(bool bFramework, CWorkerResult* pResult, CWinThread** ppThread)
{
    if (bFramework)
    {
        CWinThread* pThread = AfxBeginThread(MakeBothProc, pResult, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (pThread == NULL)
            return NULL;
        pThread->m_bAutoDelete = FALSE;
        pThread->ResumeThread();
        *ppThread = pThread;
        return pThread->m_hThread;
    }
    *ppThread = NULL;
    return (HANDLE)_beginthreadex(NULL, 0, &MakeBothPlainThread, pResult, 0, NULL);
}

class ThreadLocalTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(ThreadLocalTest, EachThreadGetsItsOwnObjectsDestroyedNewestFirstWhenItEnds)
{
    TakeEvents();
    CProbeA* pMain = t_probeA.GetData();
    EXPECT_EQ(pMain, t_probeA.GetData());
    EXPECT_EQ(pMain, t_probeA.GetDataNA());

    CWorkerResult results[2];
    std::atomic<int> nMade(0);
    results[0].pMade = results[1].pMade = &nMade;
    CWinThread* pThreads[2] = {};
    HANDLE hThreads[2] = {};
    for (int i = 0; i < 2; i++)
    {
        hThreads[i] = StartWorker(GetParam(), &results[i], &pThreads[i]);
        ASSERT_NE(hThreads[i], (HANDLE)NULL);
    }
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects(2, hThreads, TRUE, 10000));

    EXPECT_NE(results[0].pA, results[1].pA);
    EXPECT_NE(pMain, results[0].pA);
    EXPECT_NE(pMain, results[1].pA);
    EXPECT_EQ(0, pMain->m_nValue);   // the workers wrote to their own objects

    // Every worker made A and B and destroyed B, then A, before it ended.
    std::vector<CEvent> events = TakeEvents();
    for (const CWorkerResult& result : results)
    {
        std::vector<std::string> seen;
        for (const CEvent& event : events)
        {
            if (event.dwThread == result.dwThread)
                seen.push_back(event.text);
        }
        EXPECT_EQ((std::vector<std::string>{"+A", "+B", "-B", "-A"}), seen) << "thread " << result.dwThread;
    }
    // The main thread's object is untouched.
    EXPECT_EQ(pMain, t_probeA.GetDataNA());

    for (int i = 0; i < 2; i++)
    {
        if (pThreads[i] != NULL)
            delete pThreads[i];
        else
            ::CloseHandle(hThreads[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(FrameworkAndPlainThreads, ThreadLocalTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "AfxBeginThread" : "BeginThreadEx");
                         });

TEST(ThreadLocal, DestroyingTheThreadLocalDestroysTheObjectsItStillHas)
{
    TakeEvents();
    {
        CThreadLocal<CProbeB> local;
        EXPECT_EQ(NULL, local.GetDataNA());   // nothing is made by a peek
        local.GetData();
    }
    std::vector<CEvent> events = TakeEvents();
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ("+B", events[0].text);
    EXPECT_EQ("-B", events[1].text);
}

// ---------------------------------------------------------------------------
// Process-local objects

std::atomic<int> g_nCounters{0};

struct CCounter
{
    CCounter()
    {
        ++g_nCounters;
        // Stay in the constructor a while so that racing threads would make
        // a second object if the creation were not locked.
        ::Sleep(50);
    }
    ~CCounter() { --g_nCounters; }
};

struct CInner
{
    int m_nValue = 5;
};
PROCESS_LOCAL(CInner, g_inner)

// Its constructor asks for another process-local object: the lock is taken
// again on the same thread.
struct COuter
{
    COuter() : m_nInner(g_inner->m_nValue) {}
    int m_nInner;
};
PROCESS_LOCAL(COuter, g_outer)

struct CRacer
{
    CProcessLocal<CCounter>* pLocal;
    HANDLE hGo;
    CCounter* pSeen;
};

unsigned __stdcall RaceProc(void* pParam)
{
    CRacer* pRacer = (CRacer*)pParam;
    ::WaitForSingleObject(pRacer->hGo, INFINITE);
    pRacer->pSeen = pRacer->pLocal->GetData();
    return 0;
}

TEST(ProcessLocal, ThreadsRacingForTheObjectShareOne)
{
    g_nCounters = 0;
    {
        CProcessLocal<CCounter> counter;
        HANDLE hGo = ::CreateEvent(NULL, TRUE, FALSE, NULL);
        std::vector<CRacer> racers(6, CRacer{&counter, hGo, NULL});
        std::vector<HANDLE> threads;
        for (CRacer& racer : racers)
            threads.push_back((HANDLE)_beginthreadex(NULL, 0, &RaceProc, &racer, 0, NULL));
        ::SetEvent(hGo);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects((DWORD)threads.size(), threads.data(), TRUE, 10000));
        for (HANDLE hThread : threads)
            ::CloseHandle(hThread);
        ::CloseHandle(hGo);

        EXPECT_EQ(1, g_nCounters.load());
        for (const CRacer& racer : racers)
            EXPECT_EQ(counter.GetData(), racer.pSeen);
    }
    EXPECT_EQ(0, g_nCounters.load());   // destroyed with its CProcessLocal
}

TEST(ProcessLocal, ConstructorMayAskForAnotherProcessLocal)
{
    EXPECT_EQ(5, g_outer->m_nInner);
    EXPECT_EQ((CInner*)g_inner, g_inner.GetData());
}

// ---------------------------------------------------------------------------
// Destruction at process exit, seen from a child process: the same program
// runs only the test below and appends to a file from the destructors.

std::wstring ExitLogPath()
{
    wchar_t szDir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szDir);
    return std::wstring(szDir) + L"tesmir-mfc-state-exit-" + std::to_wstring(::GetCurrentProcessId()) + L".log";
}

struct CExitWriter
{
    explicit CExitWriter(const char* pszTag) : m_pszTag(pszTag) {}
    ~CExitWriter()
    {
        wchar_t szPath[MAX_PATH];
        if (::GetEnvironmentVariableW(L"TESMIR_STATE_EXIT_LOG", szPath, MAX_PATH) == 0)
            return;
        HANDLE hFile = ::CreateFileW(szPath, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return;
        DWORD dwWritten = 0;
        ::WriteFile(hFile, m_pszTag, (DWORD)strlen(m_pszTag), &dwWritten, NULL);
        ::CloseHandle(hFile);
    }
    const char* m_pszTag;
};
struct CProcessExitWriter : CExitWriter
{
    CProcessExitWriter() : CExitWriter("P") {}
};
struct CThreadExitWriter : CExitWriter
{
    CThreadExitWriter() : CExitWriter("T") {}
};
PROCESS_LOCAL(CProcessExitWriter, g_processExitWriter)
THREAD_LOCAL(CThreadExitWriter, t_threadExitWriter)

TEST(LocalsAtExitChild, DISABLED_MakesTheObjects)
{
    g_processExitWriter.GetData();
    t_threadExitWriter.GetData();
}

TEST(LocalsAtExit, ProcessAndMainThreadObjectsAreDestroyedWhenTheProgramEnds)
{
    std::wstring logPath = ExitLogPath();
    ::DeleteFileW(logPath.c_str());
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TESMIR_STATE_EXIT_LOG", logPath.c_str()));

    wchar_t szExe[MAX_PATH];
    ::GetModuleFileNameW(NULL, szExe, MAX_PATH);
    std::wstring cmd = std::wstring(L"\"") + szExe +
                       L"\" --gtest_filter=LocalsAtExitChild.* --gtest_also_run_disabled_tests";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = ::CreateProcessW(szExe, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    ::SetEnvironmentVariableW(L"TESMIR_STATE_EXIT_LOG", NULL);
    ASSERT_TRUE(bStarted);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000));
    DWORD dwExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, dwExit);

    std::string log = tesmir::test::ReadWholeFile(logPath);
    ::DeleteFileW(logPath.c_str());
    // Each once; the order between the two is the run-time's.
    EXPECT_EQ(2u, log.size()) << log;
    EXPECT_NE(std::string::npos, log.find('P')) << log;
    EXPECT_NE(std::string::npos, log.find('T')) << log;
}

}  // namespace
