#include "CVZPSoundManager.h"

CVZPSoundManager::CVZPSoundManager() : m_nRequest(0), m_bEnabled(TRUE), m_hThread(NULL)
{
}

CVZPSoundManager::~CVZPSoundManager()
{
    StopThread();
}

void CVZPSoundManager::StopThread()
{
    if (m_hThread == NULL)
        return;
    m_nRequest = 3;
    ::WaitForSingleObject(m_hThread, 100);
    ::CloseHandle(m_hThread);
    m_hThread = NULL;
    m_nRequest = 0;
}

CVZPSoundManager* VZPGetSoundManager()
{
    static CVZPSoundManager s_soundManager;
    return &s_soundManager;
}

void CVZPSoundManager::PlaySystemSound(int nSound)
{
    if (m_bEnabled)
        m_nRequest = nSound;
}
