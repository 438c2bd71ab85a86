#include "BitmapToRegion.h"

#include <vector>

namespace {

// Rectangles go to ExtCreateRegion in batches of this many.
const size_t kBatch = 2000;

// ORs a batch of rectangles into hRgn.
bool AddRects(HRGN hRgn, const std::vector<RECT>& rects, const RECT& bounds)
{
    if (rects.empty())
        return true;
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATA* pData = (RGNDATA*)data.data();
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = (DWORD)rects.size();
    pData->rdh.nRgnSize = (DWORD)(rects.size() * sizeof(RECT));
    pData->rdh.rcBound = bounds;
    memcpy(pData->Buffer, rects.data(), rects.size() * sizeof(RECT));
    HRGN hBatch = ::ExtCreateRegion(NULL, (DWORD)data.size(), pData);
    if (hBatch == NULL)
        return false;
    ::CombineRgn(hRgn, hRgn, hBatch, RGN_OR);
    ::DeleteObject(hBatch);
    return true;
}

}  // namespace

HRGN BitmapToRegion(HWND hWnd, HBITMAP hBitmap, COLORREF crKey, int nFlags)
{
    (void)nFlags;
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return NULL;
    const int cx = bm.bmWidth;
    const int cy = bm.bmHeight;

    // The pixels as 32-bit top-down rows: 0x00RRGGBB each.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels((size_t)cx * (size_t)cy);
    HDC hdc = ::GetDC(hWnd);
    int nRows = ::GetDIBits(hdc, hBitmap, 0, (UINT)cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(hWnd, hdc);
    if (nRows != cy)
        return NULL;

    const DWORD dwKey = ((DWORD)GetRValue(crKey) << 16) | ((DWORD)GetGValue(crKey) << 8) | GetBValue(crKey);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (hRgn == NULL)
        return NULL;
    const RECT bounds = { 0, 0, cx, cy };
    std::vector<RECT> rects;
    rects.reserve(kBatch);
    for (int y = 0; y < cy; y++)
    {
        const DWORD* pRow = pixels.data() + (size_t)y * (size_t)cx;
        int x = 0;
        while (x < cx)
        {
            while (x < cx && (pRow[x] & 0x00FFFFFF) == dwKey)
                x++;
            int xStart = x;
            while (x < cx && (pRow[x] & 0x00FFFFFF) != dwKey)
                x++;
            if (x > xStart)
                rects.push_back(RECT{ xStart, y, x, y + 1 });
            if (rects.size() == kBatch)
            {
                if (!AddRects(hRgn, rects, bounds))
                {
                    ::DeleteObject(hRgn);
                    return NULL;
                }
                rects.clear();
            }
        }
    }
    if (!AddRects(hRgn, rects, bounds))
    {
        ::DeleteObject(hRgn);
        return NULL;
    }
    return hRgn;
}
