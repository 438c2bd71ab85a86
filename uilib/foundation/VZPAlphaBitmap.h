// Helpers for command images: 32-bit bitmaps with per-pixel alpha (drawn
// with AlphaBlend from a premultiplied copy) and classic icons.
#pragma once

#include <afxwin.h>

// TRUE when the .bmp file has 32 bits per pixel.
BOOL IsAlphaBitmapFile(LPCWSTR pszPath);
// A DIB section of the 32-bit RT_BITMAP resource of the id; NULL when it is
// not 32 bits per pixel or holds fewer bytes than its pixels.
HBITMAP LoadAlphaBitmapResource(UINT nID);
// A DIB section of the first 32-bit image of that width (any width for 0) in
// an .ico file; NULL when there is none.
HBITMAP LoadAlphaIconFile(LPCWSTR pszPath, int nWidth);
// A 32-bit bitmap's header (52 bytes, new[]) and pixels (new[]); FALSE unless
// it has 32 bits per pixel.
BOOL GetBitmapBits32(CDC* pDC, HBITMAP hBitmap, BITMAPINFO*& pInfo, BYTE*& pBits, UINT& nSize);
// A new DIB section with the same header and pixels; NULL unless 32-bit.
HBITMAP CopyAlphaBitmap(HBITMAP hBitmap);
// A copy whose colours are multiplied by alpha / 255 (truncated).
HBITMAP CreatePremultipliedBitmap(HBITMAP hBitmap);
// An icon's size (the height halved for a monochrome icon); 0 x 0 on failure.
CSize GetIconSize(HICON hIcon);
// A copy of the icon at another width, the height in proportion.
HICON ResampleIcon(HICON hIcon, SIZE sizeOld, int nWidth);
// Draws a premultiplied bitmap with per-pixel alpha; nothing without
// AlphaBlend. A source size of 0 x 0 means cx x cy.
void AlphaBlendBitmap(CDC* pDC, HBITMAP hPremultiplied, int x, int y, int cx, int cy, int xSrc = 0, int ySrc = 0,
                      int cxSrc = 0, int cySrc = 0);

// The pixels of a 32-bit DIB section (NULL for anything else), with its
// size; rows run as the section's header says.
BYTE* VZPDibPixels32(HBITMAP hBitmap, int* pcx = NULL, int* pcy = NULL);
// A new 32-bit DIB section from a header (its height's sign kept), image
// size width x height x 4; *ppBits receives its pixels.
HBITMAP VZPCreateDib32(const BITMAPINFOHEADER& header, BYTE** ppBits);

// The bit count of a bitmap resource's info header; 0 when it is missing.
WORD BitmapResourceDepth(UINT nID);
