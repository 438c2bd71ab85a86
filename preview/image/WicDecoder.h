// Pictures decoded by the Windows Imaging Component, with the decoder chosen
// by the caller's format (not by the content), so a file whose content does
// not match its format fails.
#pragma once

#include "image/CDibImage.h"

enum class WicFormat { Bmp, Gif, Jpeg, Png, Ico, Tiff };

// Decodes the first frame of size bytes at data; false when the decoder
// refuses them or the picture passes the size cap.
bool DecodeWithWic(WicFormat format, const BYTE* data, size_t size, CDibImage& image);
