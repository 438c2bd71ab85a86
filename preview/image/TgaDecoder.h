// Targa pictures: colour-mapped, true-colour and grey (image types 1, 2, 3
// and their RLE forms 9, 10, 11) of 8, 15/16, 24 and 32 bits per pixel,
// either origin. Ours because not every imaging component decodes them.
#pragma once

#include "image/CDibImage.h"

// Decodes size bytes at data into image; false on any malformed or short data.
bool DecodeTga(const BYTE* data, size_t size, CDibImage& image);
