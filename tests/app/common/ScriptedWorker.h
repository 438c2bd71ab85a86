// A scan worker whose body the test writes: it runs on a real AfxBeginThread
// worker under the engine's flag contract (BeginScanWorker before the thread
// starts, EndScanWorker as its last action) and can be held at named points
// until the test lets it go on.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>

class CScriptedWorker
{
public:
    CScriptedWorker();
    // Lets a held worker go and waits for its end.
    ~CScriptedWorker();
    CScriptedWorker(const CScriptedWorker&) = delete;
    CScriptedWorker& operator=(const CScriptedWorker&) = delete;

    // Starts body on the worker; false when the thread could not start.
    bool Start(std::function<void(CScriptedWorker&)> body);
    // For a starter that sets the flags and runs the thread itself (the
    // scan starter's thread starter): the worker's thread, made suspended,
    // running body and then EndScanWorker. The starter owns the thread
    // object from here on.
    CWinThread* CreateForStarter(std::function<void(CScriptedWorker&)> body, DWORD dwCreateFlags);

    // Worker side: waits at the point until Release.
    void HoldAt(const char* point);

    // Test side: waits until the worker is held at the point. With pump the
    // UI thread pumps its messages meanwhile; without, it does not, so a
    // worker that needs the UI thread there never gets held.
    bool WaitHeld(const char* point, bool pump, DWORD timeoutMs = 30000);
    void Release();
    // Pumps until the worker has ended.
    bool WaitFinished(DWORD timeoutMs = 30000);

private:
    static UINT Run(LPVOID param);

    std::function<void(CScriptedWorker&)> m_body;
    CWinThread* m_pThread = nullptr;
    HANDLE m_hHeld;
    HANDLE m_hRelease;
    std::string m_heldAt;
    volatile LONG m_bFinished = 0;
    bool m_bOwnsThread = true;
};
