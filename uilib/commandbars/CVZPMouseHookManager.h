// The calling thread's watcher of mouse input while command-bar popups are
// tracked. Its WH_MOUSE thread hook closes the tracked bars on a click
// elsewhere, swallows the button release after a click that opened a popup,
// drops repeated moves and keeps other bars from reacting while a bar
// tracks. It also keeps the drag counter of modal mouse loops, the hot bar,
// the windows whose clicks never close popups, and a polling timer that
// tells a window when the mouse has left it. One per thread, made on first
// use and destroyed when the thread ends.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPCommandBar;

class CVZPMouseHookManager
{
public:
    CVZPMouseHookManager();
    virtual ~CVZPMouseHookManager();

    // The calling thread's manager, made on first use.
    static CVZPMouseHookManager* AFX_CDECL GetThreadManager();
    // The calling thread's manager, or NULL when it has none (nothing is made).
    static CVZPMouseHookManager* AFX_CDECL FindThreadManager();

    // Starts watching a bar in tracking mode (appended, oldest first).
    void AddTrackedPopup(CVZPCommandBar* pBar);
    // Stops watching it; after the last one the cursor is put back on its
    // own place, so the windows under it get a fresh mouse move.
    void RemoveTrackedPopup(CVZPCommandBar* pBar);
    // Ends the tracking of every tracked popup, oldest first.
    void CloseTrackedPopups();
    // Ends the tracking of every unlocked popup when the oldest is locked.
    void CloseUnlockedPopups();
    // Adds 1 (TRUE) or -1 to every tracked popup's nested-tracking lock.
    void LockTrackedPopups(BOOL bLock);
    BOOL IsTrackingPopup() const { return m_arrTracked.GetSize() > 0; }
    int GetTrackedCount() const { return (int)m_arrTracked.GetSize(); }
    CVZPCommandBar* GetTrackedAt(int nIndex) const { return m_arrTracked[nIndex]; }
    // While bars track, input reaches only the tracked, unlocked ones:
    // TRUE for NULL, a locked bar or a bar that does not track.
    BOOL IsInputBlocked(CVZPCommandBar* pBar) const;

    // Posts WM_MOUSELEAVE to hWnd once the cursor has left it (polled with
    // timer 113341 every 50 ms); the window watched before gets
    // WM_MOUSELEAVE at once.
    void TrackMouseLeave(HWND hWnd);
    // The watched window; NULL when none, or once it has gone (its timer
    // went with it).
    HWND GetMouseLeaveWindow();

    // Clicks inside these windows keep the popups open.
    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);

    HHOOK GetHook() const { return m_hHook; }

    // The last mouse point the hook saw (process-wide), to drop repeated moves.
    static POINT m_ptLastMouse;

    // Positive while a modal mouse loop runs (tear-off drag, floating-bar
    // tracker, combo list): button releases then close no popup.
    int m_nDragCount;
    // The bar that last took a hot control from the mouse.
    CVZPCommandBar* m_pHotBar;
    // A modal popup (TrackPopupBar) is being tracked.
    BOOL m_bModalTracking;
    // Popups of the current tracking open expanded.
    BOOL m_bFullMenus;
    // The next WM_LBUTTONUP or WM_NCLBUTTONUP is swallowed.
    BOOL m_bEatNextButtonUp;
    // Positive while an edit or combo box control of a bar is being edited:
    // the bars then ignore the mouse.
    int m_nLockCount;
    // Module state of the last caller that tracked a popup.
    AFX_MODULE_STATE* m_pModuleState;

    // The thread's WH_MOUSE procedure. Public so that what it does with a
    // message can be checked without the system's input queue, which may
    // merge or drop moves before any hook sees them.
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);

private:
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);
    // What a mouse message at screen point pt does to the tracked popups.
    void ProcessMouseMessage(UINT nMessage, POINT pt);
    BOOL IsInTrustedWindow(POINT pt) const;
    // Ends one bar's tracking; a bar that stays listed (its mode was
    // already off) is taken out, so the closing loops always end.
    void EndTracking(CVZPCommandBar* pBar);
    void OnMouseLeaveTimer(HWND hWnd);

    CArray<CVZPCommandBar*, CVZPCommandBar*> m_arrTracked;
    HHOOK m_hHook;
    HWND m_hWndLeave;
    CArray<HWND, HWND> m_arrTrusted;
};
