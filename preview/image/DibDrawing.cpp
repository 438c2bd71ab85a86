#include "image/DibDrawing.h"

void FillDibInfo(const CDibImage& image, BITMAPINFO& info)
{
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(image.GetWidth());
    info.bmiHeader.biHeight = static_cast<LONG>(image.GetHeight());
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
}

int StretchDib(const CDibImage& image, HDC hdc, int x, int y, int cx, int cy, DWORD rop)
{
    if (image.IsEmpty() || hdc == NULL)
        return 0;
    BITMAPINFO info;
    FillDibInfo(image, info);
    // Whole source pixels, no halftone blending: thumbnails keep crisp edges.
    int oldMode = ::SetStretchBltMode(hdc, COLORONCOLOR);
    int lines = ::StretchDIBits(hdc, x, y, cx, cy, 0, 0, static_cast<int>(image.GetWidth()),
                                static_cast<int>(image.GetHeight()), image.Bits(), &info, DIB_RGB_COLORS, rop);
    if (oldMode != 0)
        ::SetStretchBltMode(hdc, oldMode);
    return lines == static_cast<int>(GDI_ERROR) ? 0 : lines;
}
