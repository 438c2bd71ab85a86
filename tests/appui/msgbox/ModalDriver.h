// Drives the next modal box of this thread: a thread-local WH_CBT hook counts
// window creations and catches the activation of the next dialog; a thread
// timer inside the box's modal loop then runs the script's steps in turn, each
// until it reports itself done. A box still open at the deadline is destroyed
// and the driver reports the time-out.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msgbox_test {

struct BoxButton
{
    int id;
    std::wstring caption;
    bool enabled;
    bool isDefault;     // BS_DEFPUSHBUTTON
    RECT rect;          // box client coordinates
};

class CModalDriver
{
public:
    // A step gets the box and returns true once it is done.
    using Step = std::function<bool(HWND hBox)>;

    explicit CModalDriver(std::vector<Step> steps, DWORD dwDeadlineMs = 15000);
    ~CModalDriver();
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    int Creations() const { return m_nCreations; }
    bool Finished() const { return m_nStep >= m_steps.size(); }
    bool TimedOut() const { return m_bTimedOut; }
    HWND Box() const { return m_hBox; }

    // Steps and their helpers.
    static std::vector<BoxButton> Buttons(HWND hBox);
    static std::wstring Caption(HWND hWnd);
    static Step Click(int nId);         // BM_CLICK on the button with that id
    static Step PressEscape();          // WM_KEYDOWN VK_ESCAPE through the queue
    static Step Close();                // WM_CLOSE
    static Step Wait(DWORD dwMs);       // lets the box run for a while
    static Step Run(std::function<void(HWND)> fn);   // runs fn once

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    DWORD m_dwDeadline;
    DWORD m_dwStart;
    HHOOK m_hHook = nullptr;
    UINT_PTR m_nTimer = 0;
    HWND m_hBox = nullptr;
    int m_nCreations = 0;
    bool m_bTimedOut = false;
    bool m_bInTick = false;
};

}  // namespace msgbox_test
