// The drag and resize tracker of one toolbar: the modal mouse loops that
// move a bar between dock bars, float it and size it, the double-click
// toggle between its last docked and floating places, and those places,
// which the dock bars and the saved bar state read and write.
#pragma once

#include <afxwin.h>

class CVZPToolBar;

class CVZPCommandBarTracker
{
public:
    explicit CVZPCommandBarTracker(CVZPToolBar* pBar);
    virtual ~CVZPCommandBarTracker();
    CVZPCommandBarTracker(const CVZPCommandBarTracker&) = delete;
    CVZPCommandBarTracker& operator=(const CVZPCommandBarTracker&) = delete;

    // Drags the bar from the screen point until the button is released or
    // Esc is pressed: into the dock bar under the cursor when its flags
    // allow that side, else floating when they allow it.
    virtual void StartMove(int x, int y);
    // Sizes the floating bar by the edge of the hit-test code (HTLEFT to
    // HTBOTTOMRIGHT) from the screen point.
    virtual void StartResize(UINT nHitCode, int x, int y);
    // Docks a floating bar where it was last docked, or floats a docked one
    // where it last floated; FALSE when its flags or the options forbid it.
    virtual BOOL ToggleDocking();
    // The modal loop of both starts; nothing while another window holds the
    // mouse capture.
    virtual void TrackLoop();

    CVZPToolBar* m_pBar;
    int m_nMode;        // 1 moving, else the hit-test code of the edge being sized
    POINT m_ptLast;
    int m_nDockIndex;   // dock bar that laid the bar out last (0 top .. 3 right)
    // Where the bar was last dropped, in its dock bar's client coordinates;
    // empty when it never was.
    CRect m_rcDocked;
    // Top-left of the floating window where the bar last floated (screen).
    CPoint m_ptFloating;
    CRect m_rcDrag;     // window rectangle carried along while moving
    CRect m_rcFloat;    // floating window rectangle while moving or sizing

protected:
    void OnMove(int x, int y);
    void OnResizeToolBar(int x, int y);
    void OnResizeDialogBar(int x, int y);
};
