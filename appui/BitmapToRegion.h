// Window shapes cut from skin bitmaps.
#pragma once

#include <windows.h>

// A region of the bitmap's pixels whose colour is not crKey, one rectangle
// per run of such pixels per row, in the bitmap's coordinates (top-down).
// The caller owns it (SetWindowRgn takes it over). hWnd only lends its DC
// (NULL: the screen's); nFlags is reserved. NULL when the bitmap cannot be
// read.
HRGN BitmapToRegion(HWND hWnd, HBITMAP hBitmap, COLORREF crKey, int nFlags);
