// Drawing of the program's bitmap resources straight onto a DC, shared by
// the views that paint their own backgrounds and headers.
#pragma once

#include <afxwin.h>

// Draws bitmap resource nId at (x, y): at its own size, or stretched to cx
// by cy from row srcY down. Answers the bitmap's size, (0, 0) when the
// resource is missing.
CSize DrawBitmapResource(CDC* pDC, UINT nId, int x, int y, int cx = -1, int cy = -1, int srcY = 0);

// The wizard steps' skin: bitmap 252 stretched over the client area, the
// step's left banner at its own size, bitmap 273 flush right, bitmap 275
// stretched between them from its second row, and the mode text at the
// bottom left. Answers the left banner's width and the right banner's left
// edge.
void DrawStepSkin(CDC* pDC, CWnd* pWnd, UINT nLeftBanner, CFont& modeFont, const CString& strModeText,
                  int& nLeftBannerWidth, int& nRightBannerLeft);
