// Modal drag of a splitter bar or pane edge: the bar is drawn inverted on
// the locked desktop and follows the cursor along one axis within bounds.
#pragma once

#include <afxwin.h>

class CVZPResizeTracker
{
public:
    // bInvert: draw by inverting the pixels; otherwise with the halftone
    // pattern.
    explicit CVZPResizeTracker(BOOL bInvert = FALSE);

    // Tracks while pWnd holds the mouse capture. rcBounds, rcBar and ptStart
    // are in screen coordinates; bHorz moves the bar horizontally. TRUE when
    // the left button is released (rcBar then holds the final position),
    // FALSE on Escape, loss of capture or WM_QUIT (which is posted again).
    BOOL Track(CWnd* pWnd, CRect rcBounds, CRect& rcBar, CPoint ptStart, BOOL bHorz);

    CDC* m_pDC;          // the locked desktop's DC while tracking
    BOOL m_bInvert;
    CRect m_rcExtra;     // drawn and erased with the bar when not empty

protected:
    // Inverts the rectangle on the tracking DC; drawing twice erases.
    void DrawTrackRect(const CRect& rect);
};
