#include "ScriptedWorker.h"

#include "TestSupport.h"
#include "state/ScanControl.h"

CScriptedWorker::CScriptedWorker()
    : m_hHeld(::CreateEventW(NULL, FALSE, FALSE, NULL)), m_hRelease(::CreateEventW(NULL, FALSE, FALSE, NULL))
{
}

CScriptedWorker::~CScriptedWorker()
{
    if (m_pThread != nullptr) {
        ::SetEvent(m_hRelease);
        WaitFinished();
        if (m_bOwnsThread)
            delete m_pThread;
    }
    ::CloseHandle(m_hHeld);
    ::CloseHandle(m_hRelease);
}

bool CScriptedWorker::Start(std::function<void(CScriptedWorker&)> body)
{
    m_body = std::move(body);
    BeginScanWorker();
    m_pThread = AfxBeginThread(&CScriptedWorker::Run, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread == nullptr) {
        EndScanWorker();
        return false;
    }
    m_pThread->m_bAutoDelete = FALSE;
    m_pThread->ResumeThread();
    return true;
}

CWinThread* CScriptedWorker::CreateForStarter(std::function<void(CScriptedWorker&)> body, DWORD dwCreateFlags)
{
    m_body = std::move(body);
    m_bOwnsThread = false;
    m_pThread = AfxBeginThread(&CScriptedWorker::Run, this, THREAD_PRIORITY_NORMAL, 0, dwCreateFlags);
    return m_pThread;
}

UINT CScriptedWorker::Run(LPVOID param)
{
    CScriptedWorker* self = static_cast<CScriptedWorker*>(param);
    self->m_body(*self);
    EndScanWorker();
    ::InterlockedExchange(&self->m_bFinished, 1);
    return 0;
}

void CScriptedWorker::HoldAt(const char* point)
{
    m_heldAt = point;
    ::SetEvent(m_hHeld);
    ::WaitForSingleObject(m_hRelease, INFINITE);
}

bool CScriptedWorker::WaitHeld(const char* point, bool pump, DWORD timeoutMs)
{
    bool held = false;
    auto signalled = [&] {
        if (::WaitForSingleObject(m_hHeld, 0) == WAIT_OBJECT_0)
            held = true;
        return held;
    };
    if (pump)
        tesmir::test::PumpUntil(signalled, timeoutMs);
    else
        held = ::WaitForSingleObject(m_hHeld, timeoutMs) == WAIT_OBJECT_0;
    return held && m_heldAt == point;
}

void CScriptedWorker::Release() { ::SetEvent(m_hRelease); }

bool CScriptedWorker::WaitFinished(DWORD timeoutMs)
{
    // The starter deletes a thread object it was given once the thread ended.
    if (!m_bOwnsThread)
        return tesmir::test::PumpUntil([this] { return m_bFinished != 0; }, timeoutMs);
    return tesmir::test::PumpUntil([this] { return m_bFinished != 0; }, timeoutMs) &&
           ::WaitForSingleObject(m_pThread->m_hThread, timeoutMs) == WAIT_OBJECT_0;
}
