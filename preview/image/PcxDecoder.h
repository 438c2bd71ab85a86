// PCX pictures: 8-bit paletted (one plane, the 256-colour palette at the end)
// and 24-bit (three planes, a fourth alpha plane ignored), RLE or stored.
#pragma once

#include "image/CDibImage.h"

// Decodes size bytes at data into image; false on any malformed or short data.
bool DecodePcx(const BYTE* data, size_t size, CDibImage& image);
