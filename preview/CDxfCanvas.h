// The child window the drawing engine paints into; dragging with the left
// or middle button pans the drawing.
#pragma once

#include <afxwin.h>

class CDxfLibrary;

class CDxfCanvas : public CStatic
{
public:
    enum { IDC_CANVAS = 61464 };

    CDxfCanvas() = default;

    CDxfLibrary* m_pLibrary = NULL;
    int m_nLastX = 0;
    int m_nLastY = 0;
    bool m_bDragging = false;

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    void OnButtonDown(CPoint point);
    void OnButtonUp();
};
