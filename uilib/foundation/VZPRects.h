// Rectangles and points built from a window in one expression.
#pragma once

#include <afxwin.h>

// An empty rectangle.
class CVZPBlankRect : public CRect
{
public:
    CVZPBlankRect() { SetRectEmpty(); }
};

// The window rectangle in screen coordinates; empty for a NULL pointer or a
// window that does not exist.
class CVZPWindowAreaRect : public CRect
{
public:
    explicit CVZPWindowAreaRect(HWND hWnd);
    explicit CVZPWindowAreaRect(const CWnd* pWnd);
};

// The client rectangle; empty for a NULL pointer or a window that does not
// exist.
class CVZPClientAreaRect : public CRect
{
public:
    explicit CVZPClientAreaRect(const CWnd* pWnd);
};

// The cursor position in the client coordinates of an existing window.
class CVZPClientCursorPos : public CPoint
{
public:
    explicit CVZPClientCursorPos(const CWnd* pWnd);
};

// A CRect copy of a RECT.
CRect ConstructRectCopy(RECT rect);
