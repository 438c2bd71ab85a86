// A static control that paints no background of its own, for dialogs and
// panels drawn on skin bitmaps and coloured backgrounds.
#pragma once

#include <afxwin.h>

// The parent's background shows through; a new text first has the parent
// repaint the control's rectangle, so no trace of a longer old text remains.
// The parent must be a framework window (it reflects WM_CTLCOLOR).
class CTransparentStatic : public CStatic
{
    DECLARE_DYNAMIC(CTransparentStatic)
public:
    CTransparentStatic();
    ~CTransparentStatic() override;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Null brush and transparent text background: what every transparent control
// answers to its reflected WM_CTLCOLOR.
HBRUSH TransparentCtlColor(CDC* pDC);

// Has the parent repaint (with erase) the window's rectangle at once, for
// controls that leave parts of their rectangle to the parent's background.
void RepaintParentBehind(CWnd* pWnd);
