// A decoded picture: a bottom-up 24-bit DIB (rows padded to four bytes), the
// form every decoder of the image layer produces and StretchDIBits draws
// (DibDrawing.h). No GDI here: the decoders build without a display.
#pragma once

#include <windows.h>
#include <cstddef>
#include <vector>

class CDibImage
{
public:
    // Decoded pictures larger than this are refused (the image view reloads
    // its file at every paint, so a hostile header must stay cheap).
    static const size_t kMaxBytes = 256u * 1024u * 1024u;
    static const DWORD kMaxSide = 65535;

    CDibImage() : m_nWidth(0), m_nHeight(0), m_nStride(0) {}

    // Makes a white picture of the size; false (and empty) when a side is 0,
    // too large, or the pixels would pass the cap or cannot be allocated.
    bool Allocate(DWORD width, DWORD height);
    void Clear();

    bool IsEmpty() const { return m_bits.empty(); }
    DWORD GetWidth() const { return m_nWidth; }
    DWORD GetHeight() const { return m_nHeight; }
    size_t GetStride() const { return m_nStride; }

    // Row y counted from the top; x and y must lie inside the picture.
    BYTE* Row(DWORD y) { return &m_bits[(m_nHeight - 1 - y) * m_nStride]; }
    const BYTE* Row(DWORD y) const { return &m_bits[(m_nHeight - 1 - y) * m_nStride]; }
    void SetPixel(DWORD x, DWORD y, BYTE r, BYTE g, BYTE b)
    {
        BYTE* p = Row(y) + x * 3;
        p[0] = b;
        p[1] = g;
        p[2] = r;
    }
    // The pixel as a COLORREF (for tests and probes).
    COLORREF GetPixel(DWORD x, DWORD y) const
    {
        const BYTE* p = Row(y) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

    const BYTE* Bits() const { return m_bits.data(); }
    BYTE* Bits() { return m_bits.data(); }

private:
    DWORD m_nWidth;
    DWORD m_nHeight;
    size_t m_nStride;
    std::vector<BYTE> m_bits;
};
