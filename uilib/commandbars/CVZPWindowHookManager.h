// The process-wide subclasser of foreign windows (the frame, the MDI client,
// popups' owners): it puts its own window procedure above a window's and
// offers each message to the window's receivers, newest first, before the
// window sees it. A window is subclassed while it has receivers and until
// its WM_NCDESTROY. Used from the user-interface thread only.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPHookReceiver;

// One subclassed window: its receivers (oldest first), the procedure it had
// before, and the module state of the last registration. Making it
// subclasses the window; deleting it puts the previous procedure back.
class CVZPHookedWindow
{
public:
    explicit CVZPHookedWindow(HWND hWnd);
    ~CVZPHookedWindow();
    CVZPHookedWindow(const CVZPHookedWindow&) = delete;
    CVZPHookedWindow& operator=(const CVZPHookedWindow&) = delete;

    CArray<CVZPHookReceiver*, CVZPHookReceiver*> m_arrReceivers;
    WNDPROC m_pfnOldWndProc;
    HWND m_hWnd;
    AFX_MODULE_STATE* m_pModuleState;
};

class CVZPWindowHookManager
{
public:
    CVZPWindowHookManager();
    // Deletes every remaining record, restoring the window procedures.
    ~CVZPWindowHookManager();
    CVZPWindowHookManager(const CVZPWindowHookManager&) = delete;
    CVZPWindowHookManager& operator=(const CVZPWindowHookManager&) = delete;

    // The process's manager (built with the framework's start-up work, or
    // on first use before it).
    static CVZPWindowHookManager* AFX_CDECL GetInstance();

    // Appends the receiver to the window's receivers unless present; the
    // first receiver subclasses the window.
    void SetHook(HWND hWnd, CVZPHookReceiver* pReceiver);
    // Removes the receiver; a window left without receivers is unhooked.
    void RemoveHook(HWND hWnd, CVZPHookReceiver* pReceiver);
    // Removes the receiver from every window (a receiver that goes away).
    void RemoveReceiver(CVZPHookReceiver* pReceiver);
    // Removes and deletes the window's record (its procedure is restored).
    void UnhookWindow(HWND hWnd);

    CVZPHookedWindow* Lookup(HWND hWnd) const;
    int GetCount() const { return (int)m_mapWindows.GetCount(); }

private:
    friend class CVZPHookedWindow;   // subclasses with HookWndProc
    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    CMap<HWND, HWND, CVZPHookedWindow*, CVZPHookedWindow*> m_mapWindows;
};
