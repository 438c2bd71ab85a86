// The drag and resize tracker of one toolbar: the modal mouse loops that
// move a bar between dock bars, float it and size it.
#pragma once

#include <afxwin.h>

class CVZPToolBar;

class CVZPCommandBarTracker
{
public:
    explicit CVZPCommandBarTracker(CVZPToolBar* pBar);
    virtual ~CVZPCommandBarTracker();

    CVZPToolBar* m_pBar;
    int m_nMode;
    POINT m_ptLast;
    int m_nDockIndex;   // dock bar that laid the bar out last (0 top .. 3 right)
    // Where the bar was last dropped, in its dock bar's client coordinates;
    // empty when it never was.
    CRect m_rcDocked;
    // Top-left of the floating window where the bar last floated (screen).
    CPoint m_ptFloating;
};
