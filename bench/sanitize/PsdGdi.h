// What the PSD decoder needs of GDI and the C run-time beyond the shim, for
// the native sanitizer build: DIB sections live in malloc'd memory.
#pragma once

#include <stdio.h>
#include <windows.h>

typedef void* HBITMAP;
typedef void* HDC;
typedef void* HWND;
typedef void* HGDIOBJ;
typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;
typedef struct tagRGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
} RGBQUAD;
typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;
#define BI_RGB 0
#define DIB_RGB_COLORS 0
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)((c) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))

HDC GetDC(HWND);
int ReleaseDC(HWND, HDC);
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD);
BOOL DeleteObject(HGDIOBJ);
BOOL GdiFlush();
inline FILE* _wfopen(const wchar_t* path, const wchar_t* mode)
{
    char narrowPath[4096], narrowMode[8];
    size_t i = 0;
    for (; path[i] && i + 1 < sizeof(narrowPath); ++i)
        narrowPath[i] = (char)path[i];
    narrowPath[i] = 0;
    for (i = 0; mode[i] && i + 1 < sizeof(narrowMode); ++i)
        narrowMode[i] = (char)mode[i];
    narrowMode[i] = 0;
    return fopen(narrowPath, narrowMode);
}
inline int _fseeki64(FILE* f, long long offset, int origin) { return fseeko(f, (off_t)offset, origin); }
inline long long _ftelli64(FILE* f) { return (long long)ftello(f); }
