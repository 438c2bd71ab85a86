// GDI's side of a decoded picture: its DIB header and stretched drawing.
#pragma once

#include "image/CDibImage.h"

// The 24-bit bottom-up header of the picture.
void FillDibInfo(const CDibImage& image, BITMAPINFO& info);
// Draws the picture stretched into (x, y, cx, cy) with the raster operation;
// returns the scan lines drawn, 0 without a picture.
int StretchDib(const CDibImage& image, HDC hdc, int x, int y, int cx, int cy, DWORD rop);
