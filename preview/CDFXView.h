// The viewer of DXF drawings: the engine "DXF.dll" loads the drawing and
// paints it into the canvas child; the view fits the drawing to its size,
// zooms about the window centre with the wheel, and the canvas pans.
#pragma once

#include <afxwin.h>

#include "CDxfCanvas.h"
#include "CDxfLibrary.h"

class CDFXView : public CView
{
    DECLARE_DYNCREATE(CDFXView)
public:
    CDFXView();
    ~CDFXView() override;

    // TRUE when the first bytes of a file (up to 511) read as a text
    // drawing: they hold "SECTION" and "HEADER" before any zero byte.
    static BOOL LooksLikeDrawing(const BYTE* pBytes, UINT nCount);
    // The path in the ANSI code page, in at most 260 bytes with its zero;
    // FALSE when it does not fit or has characters the code page lacks.
    static BOOL ToAnsiPath(LPCWSTR lpszPath, char (&szAnsi)[260]);

    CDxfLibrary m_library;
    CDxfCanvas m_canvas;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    void FitDrawing();
};
