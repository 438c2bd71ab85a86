// Enhanced metafiles and placeable Windows metafiles, played by GDI onto a
// white picture of the metafile's bounds.
#pragma once

#include "image/CDibImage.h"

bool DecodeMetafile(const BYTE* data, size_t size, CDibImage& image);
