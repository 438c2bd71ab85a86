// The picture layer the document and the image views load pictures through:
// built from a file name and a format code (1 to 15, CEx_StyleDoc's table),
// it decodes the whole file at once into a 24-bit picture. BMP, GIF, JPEG,
// PNG, ICO and TIFF go through the Windows Imaging Component with the decoder
// the code names; PCX, TGA, the anymaps, WBMP and metafiles have decoders of
// their own here. JPEG 2000, PGX and Sun raster pictures are never valid.
#pragma once

#include "image/CDibImage.h"

class CxImage
{
public:
    // Files larger than this are not read at all.
    static const DWORD kMaxFileSize = 256u * 1024u * 1024u;

    CxImage(LPCWSTR lpszPath, int nType);
    ~CxImage();
    CxImage(const CxImage&) = delete;
    CxImage& operator=(const CxImage&) = delete;

    bool IsValid() const { return !m_image.IsEmpty(); }
    DWORD GetWidth() const { return m_image.GetWidth(); }
    DWORD GetHeight() const { return m_image.GetHeight(); }
    int GetType() const { return m_nType; }
    // The decoded picture (empty when not valid).
    const CDibImage& GetDib() const { return m_image; }

    // Draws the picture stretched into (x, y, width, height) with the raster
    // operation; returns the scan lines drawn, 0 without a picture.
    long Stretch(HDC hdc, long x, long y, long width, long height, DWORD rop = SRCCOPY) const;
    // Frees the picture; the object stays, no longer valid.
    void Destroy();

    // Decodes a buffer as a picture of the format code (what the constructor
    // does after reading the file).
    static bool Decode(int nType, const BYTE* data, size_t size, CDibImage& image);

private:
    int m_nType;
    CDibImage m_image;
};
