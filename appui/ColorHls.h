// Hue, lightness and saturation of colours, for the flat controls' blended
// fills. Each component is a byte: hue 0..255 stands for 0..360 degrees.
#pragma once

#include <windows.h>

// Packed as H | L << 8 | S << 16. Pure red gives hue 255: a hue of exactly
// 360 degrees is kept, only larger ones are reduced.
DWORD RGBToHLS(COLORREF cr);
COLORREF HLSToRGB(DWORD dwHLS);

// Moves lightness and saturation by percentages: a positive one toward the
// maximum, a negative one toward 0; the hue stays.
COLORREF AdjustLightSaturation(COLORREF cr, int nLightPercent, int nSaturationPercent);
