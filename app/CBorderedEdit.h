// An edit box and a list box framed by a one-pixel line in the program's
// blue accent instead of the system border (the File Filters and Find
// dialogs).
#pragma once

#include <afxwin.h>

// The frame colour of both controls.
const COLORREF BorderedControlColor = RGB(29, 117, 189);

// Draws the one-pixel frame around a window's whole rectangle.
void DrawBorderedFrame(CWnd* pWnd);

class CBorderedEdit : public CEdit
{
protected:
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()
};

class CBorderedListBox : public CListBox
{
protected:
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()
};
