// The menu sound player: one per process; a background thread plays the
// system's menu sounds on request.
#pragma once

#include <afxwin.h>

class CVZPSoundManager
{
public:
    CVZPSoundManager();
    ~CVZPSoundManager();

    // Asks the player thread to end and waits for it at most 100 ms.
    void StopThread();
    // Asks for a system sound (1 "MenuCommand", 2 "MenuPopup") when sounds
    // are on.
    void PlaySystemSound(int nSound);

    volatile int m_nRequest;   // 0 idle, 1 command, 2 popup, 3 stop
    BOOL m_bEnabled;
    HANDLE m_hThread;
};

// The process-wide player.
CVZPSoundManager* VZPGetSoundManager();
