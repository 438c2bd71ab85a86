#include "CPaletteDib.h"

#include <stdlib.h>
#include <string.h>

CPaletteDib::CPaletteDib()
    : m_pBlock(NULL), m_nStride(0), m_nColors(0), m_hSection(NULL), m_hMemDC(NULL), m_pSectionBits(NULL)
{
    memset(&m_header, 0, sizeof(m_header));
}

CPaletteDib::~CPaletteDib()
{
    Release();
}

void CPaletteDib::Release()
{
    if (m_hMemDC != NULL)
        DeleteDC(m_hMemDC);
    if (m_hSection != NULL)
        DeleteObject(m_hSection);
    free(m_pBlock);
    m_hMemDC = NULL;
    m_hSection = NULL;
    m_pSectionBits = NULL;
    m_pBlock = NULL;
    m_nStride = 0;
    m_nColors = 0;
    memset(&m_header, 0, sizeof(m_header));
}

BITMAPINFO* CPaletteDib::Create(int nWidth, int nHeight, int nBitCount)
{
    Release();
    if (nWidth <= 0 || nHeight <= 0 || nBitCount <= 0)
        return NULL;
    const WORD bits = (WORD)(nBitCount & 0xFFFF);
    m_nStride = (int)((((long long)nWidth * bits + 31) / 32) * 4);
    switch (bits)
    {
    case 1: m_nColors = 2; break;
    case 4: m_nColors = 16; break;
    case 8: m_nColors = 256; break;
    default: m_nColors = 0; break;
    }
    const long long image = (long long)m_nStride * nHeight;
    const long long total = (long long)sizeof(BITMAPINFOHEADER) + 4LL * m_nColors + image;
    if (image > 0x7FFFFFFF || total > 0x7FFFFFFF)
    {
        m_nStride = 0;
        m_nColors = 0;
        return NULL;
    }
    m_pBlock = (BYTE*)calloc(1, (size_t)total);
    if (m_pBlock == NULL)
    {
        m_nStride = 0;
        m_nColors = 0;
        return NULL;
    }
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_header.biWidth = nWidth;
    m_header.biHeight = nHeight;
    m_header.biPlanes = 1;
    m_header.biBitCount = bits;
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = (DWORD)image;
    memcpy(m_pBlock, &m_header, sizeof(m_header));
    return (BITMAPINFO*)m_pBlock;
}

RGBQUAD* CPaletteDib::Palette() const
{
    return (RGBQUAD*)(m_pBlock + sizeof(BITMAPINFOHEADER));
}

BYTE* CPaletteDib::GetBits() const
{
    if (m_pBlock == NULL)
        return NULL;
    return m_pBlock + sizeof(BITMAPINFOHEADER) + 4 * m_nColors;
}

void CPaletteDib::SetPaletteEntry(int nIndex, BYTE red, BYTE green, BYTE blue)
{
    const int index = nIndex & 0xFF;
    if (m_pBlock == NULL || m_nColors == 0 || index >= m_nColors)
        return;
    RGBQUAD& q = Palette()[index];
    q.rgbBlue = blue;
    q.rgbGreen = green;
    q.rgbRed = red;
    q.rgbReserved = 0;
}

void CPaletteDib::BlendPalette(COLORREF color, int nPercent)
{
    if (m_pBlock == NULL)
        return;
    const int p = nPercent > 100 ? 100 : nPercent;
    RGBQUAD* pal = Palette();
    for (int i = 0; i < m_nColors; ++i)
    {
        pal[i].rgbRed = (BYTE)((GetRValue(color) * p + pal[i].rgbRed * (100 - p)) / 100);
        pal[i].rgbGreen = (BYTE)((GetGValue(color) * p + pal[i].rgbGreen * (100 - p)) / 100);
        pal[i].rgbBlue = (BYTE)((GetBValue(color) * p + pal[i].rgbBlue * (100 - p)) / 100);
    }
}

void CPaletteDib::Fill(int nValue)
{
    if (m_pBlock != NULL)
        memset(GetBits(), nValue & 0xFF, m_header.biSizeImage);
}

void CPaletteDib::SetPixel(int x, int y, int nIndex)
{
    if (m_pBlock == NULL || m_nColors == 0)
        return;
    if (x < 0 || x >= m_header.biWidth || y < 0 || y >= m_header.biHeight)
        return;
    BYTE* row = GetBits() + (size_t)m_nStride * (m_header.biHeight - 1 - y);
    switch (m_header.biBitCount)
    {
    case 8:
        row[x] = (BYTE)nIndex;
        break;
    case 4:
    {
        const int shift = (x & 1) ? 0 : 4;
        row[x / 2] = (BYTE)((row[x / 2] & ~(0x0F << shift)) | ((nIndex & 0x0F) << shift));
        break;
    }
    case 1:
    {
        const int shift = 7 - (x & 7);
        row[x / 8] = (BYTE)((row[x / 8] & ~(1 << shift)) | ((nIndex & 1) << shift));
        break;
    }
    default:
        break;
    }
}

void CPaletteDib::Draw(HDC hdc, int x, int y)
{
    if (m_pBlock == NULL || hdc == NULL)
        return;
    if (m_hSection == NULL)
    {
        m_hSection = CreateDIBSection(hdc, (BITMAPINFO*)m_pBlock, DIB_RGB_COLORS, &m_pSectionBits, NULL, 0);
        if (m_hSection != NULL && m_pSectionBits == NULL)
        {
            DeleteObject(m_hSection);
            m_hSection = NULL;
        }
        if (m_hSection == NULL)
            return;
    }
    memcpy(m_pSectionBits, GetBits(), m_header.biSizeImage);
    GdiFlush();
    if (m_hMemDC == NULL)
        m_hMemDC = CreateCompatibleDC(hdc);
    if (m_hMemDC == NULL)
        return;
    HGDIOBJ hOld = SelectObject(m_hMemDC, m_hSection);
    BitBlt(hdc, x, y, m_header.biWidth, m_header.biHeight, m_hMemDC, 0, 0, SRCCOPY);
    SelectObject(m_hMemDC, hOld);
}
