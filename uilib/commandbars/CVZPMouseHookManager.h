// The calling thread's watcher of mouse input while command-bar popups are
// tracked: it keeps the tracked popups, the drag counter of modal mouse
// loops and the hot bar. One per thread, made on first use
// (CVZPCommandBars::GetThreadMouseManager).
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPCommandBar;

class CVZPMouseHookManager
{
public:
    CVZPMouseHookManager();
    virtual ~CVZPMouseHookManager();

    void AddTrackedPopup(CVZPCommandBar* pBar);
    void RemoveTrackedPopup(CVZPCommandBar* pBar);
    // Ends the tracking of every tracked popup, oldest first.
    void CloseTrackedPopups();
    // Ends the tracking of every unlocked popup when the oldest is locked.
    void CloseUnlockedPopups();
    // Adds 1 (TRUE) or -1 to every tracked popup's nested-tracking lock.
    void LockTrackedPopups(BOOL bLock);
    BOOL IsTrackingPopup() const { return m_arrTracked.GetSize() > 0; }
    int GetTrackedCount() const { return (int)m_arrTracked.GetSize(); }
    BOOL IsInputBlocked(CVZPCommandBar* pBar) const;

    // Positive while a modal mouse loop runs.
    int m_nDragCount;
    // The bar that last took a hot control from the mouse.
    CVZPCommandBar* m_pHotBar;
    // A modal popup (TrackPopupBar) is being tracked.
    BOOL m_bModalTracking;
    // Popups of the current tracking open expanded.
    BOOL m_bFullMenus;

private:
    CArray<CVZPCommandBar*, CVZPCommandBar*> m_arrTracked;
};
