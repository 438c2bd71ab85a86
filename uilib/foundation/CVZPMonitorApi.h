// Work areas of monitors. The multiple-monitor functions of USER32 are looked
// up on the first request; without them (or without a monitor) the work
// area of the primary display (SPI_GETWORKAREA) serves.
#pragma once

#include <afxwin.h>

class CVZPMonitorApi
{
public:
    // The work area of the monitor that the rectangle, point or window lies
    // on; the primary work area when none is found.
    CRect GetWorkArea(LPCRECT lpRect);
    CRect GetWorkArea(POINT pt);
    CRect GetWorkArea(HWND hWnd);

    // The process-wide record.
    static CVZPMonitorApi& GetInstance();
    // Start-up initialiser: the entry points are looked up again on the next
    // request.
    static void InitializeProcessState();
    // Test seam: TRUE marks the entry points as missing, FALSE looks them up
    // again. Nothing in the program calls it.
    static void SetMissingForTest(BOOL bMissing);
    // Test seam: while set, every work-area request answers this rectangle
    // (one display cannot be resized per test); NULL gives the real ones
    // back. Nothing in the program calls it.
    static void SetWorkAreaForTest(LPCRECT lpRect);

private:
    typedef int(WINAPI* PFNGETSYSTEMMETRICS)(int);
    typedef HMONITOR(WINAPI* PFNMONITORFROMWINDOW)(HWND, DWORD);
    typedef HMONITOR(WINAPI* PFNMONITORFROMRECT)(LPCRECT, DWORD);
    typedef HMONITOR(WINAPI* PFNMONITORFROMPOINT)(POINT, DWORD);
    typedef BOOL(WINAPI* PFNGETMONITORINFO)(HMONITOR, LPMONITORINFO);

    void Resolve();
    void Clear();
    CRect WorkAreaOf(HMONITOR hMonitor) const;

    PFNGETSYSTEMMETRICS m_pfnGetSystemMetrics;
    PFNMONITORFROMWINDOW m_pfnMonitorFromWindow;
    PFNMONITORFROMRECT m_pfnMonitorFromRect;
    PFNMONITORFROMPOINT m_pfnMonitorFromPoint;
    PFNGETMONITORINFO m_pfnGetMonitorInfo;
    BOOL m_bInitialized;
};

// The work area of the monitor a rectangle, point or window lies on.
CRect GetWorkAreaForRect(LPCRECT lpRect);
CRect GetWorkAreaForPoint(POINT pt);
CRect GetWorkAreaForWindow(CWnd* pWnd);

// Moves the rectangle by the least offset that puts the point inside it
// (a point left of it moves it left until its left edge is on the point, one
// beyond its right edge right until its right edge is; the same vertically).
void MoveRectToContainPoint(LPRECT lpRect, int x, int y);
