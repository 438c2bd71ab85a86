// Helpers shared by the core classes' implementation files.
#pragma once
#include <afx.h>

// strftime into a CString; "" for a NULL tm or an empty format.
CString AFXAPI _AfxFormatTm(LPCTSTR pFormat, const struct tm* ptm);

// A process-wide recursive lock, safe to use during start-up.
class CAfxLock
{
public:
    CAfxLock() { ::InitializeCriticalSection(&m_cs); }
    ~CAfxLock() { ::DeleteCriticalSection(&m_cs); }
    CAfxLock(const CAfxLock&) = delete;
    void operator=(const CAfxLock&) = delete;
    void Lock() { ::EnterCriticalSection(&m_cs); }
    void Unlock() { ::LeaveCriticalSection(&m_cs); }
private:
    CRITICAL_SECTION m_cs;
};

class CAfxLockGuard
{
public:
    explicit CAfxLockGuard(CAfxLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~CAfxLockGuard() { m_lock.Unlock(); }
    CAfxLockGuard(const CAfxLockGuard&) = delete;
    void operator=(const CAfxLockGuard&) = delete;
private:
    CAfxLock& m_lock;
};
