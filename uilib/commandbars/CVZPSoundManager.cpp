#include "CVZPSoundManager.h"

#include <mmsystem.h>

CVZPSoundManager::CVZPSoundManager() : m_bEnabled(TRUE), m_nRequest(soundNone), m_hThread(NULL), m_nPlayed{0, 0, 0}
{
}

CVZPSoundManager::~CVZPSoundManager()
{
    StopSoundThread();
}

CVZPSoundManager* VZPGetSoundManager()
{
    static CVZPSoundManager s_soundManager;
    return &s_soundManager;
}

void CVZPSoundManager::RequestSound(int nSound)
{
    if (!m_bEnabled)
        return;
    if (m_hThread == NULL)
    {
        ::InterlockedExchange(&m_nRequest, soundNone);
        m_hThread = ::CreateThread(NULL, 0, &PlayerThreadProc, this, CREATE_SUSPENDED, NULL);
        if (m_hThread == NULL)
            return;   // the next request tries again
        ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
        ::ResumeThread(m_hThread);
    }
    ::InterlockedExchange(&m_nRequest, nSound);
}

void CVZPSoundManager::StopSoundThread()
{
    if (m_hThread == NULL)
        return;
    ::InterlockedExchange(&m_nRequest, soundStop);
    ::WaitForSingleObject(m_hThread, 100);
    ::CloseHandle(m_hThread);
    m_hThread = NULL;
}

LONG CVZPSoundManager::GetPlayedCount(int nSound) const
{
    if (nSound < soundMenuCommand || nSound > soundMenuPopup)
        return 0;
    return ::InterlockedCompareExchange(const_cast<volatile LONG*>(&m_nPlayed[nSound]), 0, 0);
}

DWORD WINAPI CVZPSoundManager::PlayerThreadProc(LPVOID pParam)
{
    static_cast<CVZPSoundManager*>(pParam)->RunPlayer();
    return 0;
}

void CVZPSoundManager::RunPlayer()
{
    for (;;)
    {
        const LONG nRequest = ::InterlockedCompareExchange(&m_nRequest, 0, 0);
        if (nRequest == soundStop)
            break;
        if (nRequest == soundMenuCommand || nRequest == soundMenuPopup)
        {
            // Taken only when no newer request replaced it meanwhile; the
            // newer one is played at the next poll.
            if (::InterlockedCompareExchange(&m_nRequest, soundNone, nRequest) == nRequest)
            {
                ::InterlockedIncrement(&m_nPlayed[nRequest]);
                ::PlaySoundW(nRequest == soundMenuCommand ? L"MenuCommand" : L"MenuPopup", NULL,
                             SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
            }
        }
        ::Sleep(5);
    }
    ::PlaySoundW(NULL, NULL, SND_PURGE);
}
