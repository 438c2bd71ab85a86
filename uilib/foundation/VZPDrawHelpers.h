// Free drawing and text helpers of the library.
#pragma once

#include <afxwin.h>

// The colour manager's current colour scheme: 0 none, 1 blue, 2 olive, 3 silver.
int QueryCurrentColorScheme();

// TRUE when hDC (the desktop window's DC for NULL) has 1 to 8 bits per pixel;
// FALSE for 0 or when the desktop DC cannot be had.
BOOL IsLowColorDisplay(HDC hDC = NULL);
// Test seam: -1 asks the display (the default), 0 or 1 forces the answer.
// Nothing in the program calls it.
void SetLowColorDisplayForTest(int nAnswer);

// TRUE when a font family of that face exists (compared without case).
BOOL FontExists(LPCWSTR pszFaceName);
// The face for the user interface: the stock GUI font's face on NT 5 and
// later when its character set is above SYMBOL_CHARSET, or when "Arial" is
// missing; else "Tahoma" when asked for and present; else "Arial".
CString ChooseUiFontFace(BOOL bPreferTahoma);

// Menu text without its mnemonic markers: every single '&' goes, a doubled
// one becomes one ("&File" -> "File", "a&&b" -> "a&b", "end&" -> "end").
void StripMnemonicAmpersands(CString& str);
// Removes every single '&' but keeps doubled ones doubled and a final one
// ("&File" -> "File", "a&&b" -> "a&&b", "end&" -> "end&").
void StripSingleAmpersands(CString& str);

// Swaps VK_LEFT and VK_RIGHT for a window with right-to-left layout.
void MirrorArrowKeyForRtl(CWnd* pWnd, UINT* pnKey);

// A triangle filled and outlined in one colour.
void DrawFilledTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr);

// Fills the rectangle with a one-pixel checker pattern in the colour
// manager's colours 15 (3-D face) and 20 (3-D highlight).
void DrawCheckerPattern(CDC* pDC, LPCRECT lpRect);

// TRUE when the foreground window is the last active popup of the topmost
// parent or owner of hWnd.
BOOL IsTopParentActive(HWND hWnd);
