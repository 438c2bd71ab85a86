// The picture format code of a file name by its ending, compared without
// regard to case: four-letter extensions ("jpeg", "tiff", "wbmp") first,
// then three-letter ones in table order; 0 for anything else. The codes are
// the ones CxImage takes (1 bmp, 2 gif, 3 jpeg, 4 png, 5 ico, 6 tiff, 7 tga,
// 8 pcx, 9 wbmp, 10 wmf/emf, 11 j2k/jp2, 12 j2c/jpc, 13 pgx, 14 pnm/pgm/ppm,
// 15 ras).
#pragma once

#include <windows.h>

int GetImageTypeCode(LPCWSTR lpszName);
