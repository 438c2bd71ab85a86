// A small bottom-up DIB with a colour table, kept in one allocation (header,
// palette, pixel rows) and blitted through a DIB section made on first use.
#pragma once

#include <windows.h>

class CPaletteDib
{
public:
    CPaletteDib();
    virtual ~CPaletteDib();
    CPaletteDib(const CPaletteDib&) = delete;
    CPaletteDib& operator=(const CPaletteDib&) = delete;

    // Releases everything and allocates a new block; returns it, or NULL when
    // the allocation fails.
    BITMAPINFO* Create(int nWidth, int nHeight, int nBitCount);
    BYTE* GetBits() const;
    void SetPaletteEntry(int nIndex, BYTE red, BYTE green, BYTE blue);
    // Moves every palette entry toward color by nPercent (capped at 100).
    void BlendPalette(COLORREF color, int nPercent);
    void Fill(int nValue);
    // Stores a palette index at (x, y), y counted from the top row. At 1 and
    // 4 bits per pixel the index is packed into the pixel's bits.
    void SetPixel(int x, int y, int nIndex);
    void Draw(HDC hdc, int x, int y);
    void Release();

    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    int GetStride() const { return m_nStride; }

private:
    RGBQUAD* Palette() const;

    BYTE* m_pBlock;
    BITMAPINFOHEADER m_header;
    int m_nStride;
    WORD m_nColors;
    HBITMAP m_hSection;
    HDC m_hMemDC;
    void* m_pSectionBits;
};
