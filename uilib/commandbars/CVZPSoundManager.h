// The menu sound player: one per process. A background thread polls one
// request slot and plays the system's menu sounds, so the user-interface
// thread never waits for the sound driver.
#pragma once

#include <afxwin.h>

class CVZPSoundManager
{
public:
    // The values of the request slot.
    enum
    {
        soundNone = 0,
        soundMenuCommand = 1,   // "MenuCommand"
        soundMenuPopup = 2,     // "MenuPopup"
        soundStop = 3           // the player thread ends
    };

    CVZPSoundManager();
    ~CVZPSoundManager();
    CVZPSoundManager(const CVZPSoundManager&) = delete;
    CVZPSoundManager& operator=(const CVZPSoundManager&) = delete;

    // Asks for a sound (soundMenuCommand or soundMenuPopup) when sounds are
    // on, starting the player thread on the first request. A request the
    // player has not taken yet is replaced.
    void RequestSound(int nSound);
    // Asks the player thread to end and waits for it at most 100 ms; the
    // next request starts a new thread. Nothing without a thread.
    void StopSoundThread();

    HANDLE GetThreadHandle() const { return m_hThread; }
    // How many requests of a kind the player thread has taken so far.
    LONG GetPlayedCount(int nSound) const;

    BOOL m_bEnabled;

private:
    static DWORD WINAPI PlayerThreadProc(LPVOID pParam);
    void RunPlayer();

    // Written by the user-interface thread and read and cleared by the
    // player: always through the Interlocked functions, so neither side
    // keeps a stale copy.
    volatile LONG m_nRequest;
    HANDLE m_hThread;
    volatile LONG m_nPlayed[3];
};

// The process-wide player.
CVZPSoundManager* VZPGetSoundManager();
