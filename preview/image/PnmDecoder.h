// Portable anymap pictures: P1 to P6 (bitmap, grey map and pixmap, as text or
// binary), samples of 8 or 16 bits scaled by the header's maximum value.
#pragma once

#include "image/CDibImage.h"

// Decodes size bytes at data into image; false on any malformed or short data.
bool DecodePnm(const BYTE* data, size_t size, CDibImage& image);
