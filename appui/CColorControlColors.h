// The colours of the application's colour statics and edits, and what both
// answer to their reflected WM_CTLCOLOR and to WM_ERASEBKGND.
#pragma once

#include <afxwin.h>

class CColorControlColors
{
public:
    CColorControlColors();

    // Text and background colours; a transparent control paints no
    // background. Makes the brushes (the destructor deletes them).
    void SetColors(COLORREF crText, COLORREF crBackground, BOOL bTransparent);

    HBRUSH CtlColor(CDC* pDC);
    // Prepares pDC before the default erase.
    void PrepareErase(CDC* pDC);

    COLORREF m_crText;
    COLORREF m_crBackground;
    BOOL m_bTransparent;
    CBrush m_brushBackground;
    CBrush m_brushTransparent;
};
