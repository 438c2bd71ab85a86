// Wireless bitmaps (type 0): a one-bit picture, 1 white, rows padded to bytes,
// with width and height as multi-byte integers.
#pragma once

#include "image/CDibImage.h"

bool DecodeWbmp(const BYTE* data, size_t size, CDibImage& image);
