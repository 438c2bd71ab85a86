#include "VZPAlphaBitmap.h"

#include "CVZPImageManager.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

BYTE* VZPDibPixels32(HBITMAP hBitmap, int* pcx, int* pcy)
{
    DIBSECTION ds = {};
    if (hBitmap == NULL || ::GetObjectW(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32)
        return NULL;
    if (pcx != NULL)
        *pcx = ds.dsBm.bmWidth;
    if (pcy != NULL)
        *pcy = ds.dsBm.bmHeight;
    return (BYTE*)ds.dsBm.bmBits;
}

HBITMAP VZPCreateDib32(const BITMAPINFOHEADER& header, BYTE** ppBits)
{
    BITMAPINFO info = {};
    info.bmiHeader = header;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = (DWORD)(header.biWidth * std::abs(header.biHeight) * 4);
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (ppBits != NULL)
        *ppBits = (BYTE*)pBits;
    return hBitmap;
}

namespace {

// Reads a file whole (icons and bitmaps are small); empty on failure.
std::vector<BYTE> ReadSmallFile(LPCWSTR pszPath, DWORD nLimit)
{
    std::vector<BYTE> data;
    HANDLE hFile = ::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return data;
    DWORD nSize = ::GetFileSize(hFile, NULL);
    if (nSize != INVALID_FILE_SIZE && nSize <= nLimit)
    {
        data.resize(nSize);
        DWORD nRead = 0;
        if (!::ReadFile(hFile, data.data(), nSize, &nRead, NULL) || nRead != nSize)
            data.clear();
    }
    ::CloseHandle(hFile);
    return data;
}

DWORD Le32(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24);
}

WORD Le16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

// A DIB section from a 32-bit image: a 40-byte header followed by its pixels
// (the height halved for an icon image, which carries its mask below).
HBITMAP DibFromImage(const BYTE* pImage, DWORD nBytes, BOOL bIconImage)
{
    if (nBytes < sizeof(BITMAPINFOHEADER))
        return NULL;
    BITMAPINFOHEADER header;
    memcpy(&header, pImage, sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount != 32 || header.biWidth <= 0 ||
        header.biWidth > 4096 || header.biHeight == 0 || std::abs(header.biHeight) > 8192)
        return NULL;
    if (bIconImage)
        header.biHeight /= 2;
    DWORD nPixels = (DWORD)(header.biWidth * std::abs(header.biHeight) * 4);
    if (nBytes - header.biSize < nPixels)
        return NULL;
    BYTE* pBits = NULL;
    HBITMAP hBitmap = VZPCreateDib32(header, &pBits);
    if (hBitmap != NULL)
        memcpy(pBits, pImage + header.biSize, nPixels);
    return hBitmap;
}

}  // namespace

BOOL IsAlphaBitmapFile(LPCWSTR pszPath)
{
    std::vector<BYTE> data = ReadSmallFile(pszPath, 64 << 20);
    return data.size() >= 14 + 40 && data[0] == 'B' && data[1] == 'M' && Le16(&data[14 + 14]) == 32;
}

HBITMAP LoadAlphaBitmapResource(UINT nID)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(nID);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HRSRC hResource = ::FindResourceW(hInst, lpszName, RT_BITMAP);
    if (hResource == NULL)
        return NULL;
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const BYTE* pData = hData != NULL ? (const BYTE*)::LockResource(hData) : NULL;
    if (pData == NULL)
        return NULL;
    return DibFromImage(pData, ::SizeofResource(hInst, hResource), FALSE);
}

HBITMAP LoadAlphaIconFile(LPCWSTR pszPath, int nWidth)
{
    std::vector<BYTE> data = ReadSmallFile(pszPath, 16 << 20);
    if (data.size() < 6)
        return NULL;
    WORD nCount = Le16(&data[4]);
    for (WORD i = 0; i < nCount; i++)
    {
        size_t nEntry = 6 + 16 * (size_t)i;
        if (nEntry + 16 > data.size())
            break;
        const BYTE* pEntry = &data[nEntry];
        DWORD nBytes = Le32(pEntry + 8), nOffset = Le32(pEntry + 12);
        if (Le16(pEntry + 6) != 32 || (nWidth != 0 && pEntry[0] != (BYTE)nWidth))
            continue;
        if (nOffset > data.size() || data.size() - nOffset < nBytes)
            continue;
        if (HBITMAP hBitmap = DibFromImage(&data[nOffset], nBytes, TRUE))
            return hBitmap;
    }
    return NULL;
}

BOOL GetBitmapBits32(CDC* pDC, HBITMAP hBitmap, BITMAPINFO*& pInfo, BYTE*& pBits, UINT& nSize)
{
    pInfo = NULL;
    pBits = NULL;
    nSize = 0;
    HDC hDC = pDC != NULL ? pDC->GetSafeHdc() : NULL;
    HDC hScreen = hDC == NULL ? ::GetDC(NULL) : NULL;
    if (hScreen != NULL)
        hDC = hScreen;
    BYTE header[52] = {};
    BITMAPINFO* pHeader = (BITMAPINFO*)header;
    pHeader->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    BOOL bResult = FALSE;
    if (::GetDIBits(hDC, hBitmap, 0, 0, NULL, pHeader, DIB_RGB_COLORS) && pHeader->bmiHeader.biBitCount == 32)
    {
        BITMAPINFOHEADER& bih = pHeader->bmiHeader;
        bih.biCompression = BI_RGB;
        nSize = (UINT)(bih.biWidth * std::abs(bih.biHeight) * 4);
        pInfo = (BITMAPINFO*)new BYTE[52];
        memcpy(pInfo, header, 52);
        pBits = new BYTE[nSize];
        bResult = ::GetDIBits(hDC, hBitmap, 0, (UINT)std::abs(bih.biHeight), pBits, pInfo, DIB_RGB_COLORS) != 0;
        if (!bResult)
        {
            delete[] (BYTE*)pInfo;
            delete[] pBits;
            pInfo = NULL;
            pBits = NULL;
            nSize = 0;
        }
    }
    if (hScreen != NULL)
        ::ReleaseDC(NULL, hScreen);
    return bResult;
}

HBITMAP CopyAlphaBitmap(HBITMAP hBitmap)
{
    BITMAPINFO* pInfo = NULL;
    BYTE* pBits = NULL;
    UINT nSize = 0;
    if (!GetBitmapBits32(NULL, hBitmap, pInfo, pBits, nSize))
        return NULL;
    BYTE* pNew = NULL;
    HBITMAP hCopy = VZPCreateDib32(pInfo->bmiHeader, &pNew);
    if (hCopy != NULL)
        memcpy(pNew, pBits, nSize);
    delete[] (BYTE*)pInfo;
    delete[] pBits;
    return hCopy;
}

HBITMAP CreatePremultipliedBitmap(HBITMAP hBitmap)
{
    HBITMAP hCopy = CopyAlphaBitmap(hBitmap);
    int cx = 0, cy = 0;
    BYTE* p = VZPDibPixels32(hCopy, &cx, &cy);
    if (p == NULL)
        return hCopy;
    ::GdiFlush();
    for (int i = 0; i < cx * cy; i++, p += 4)
        for (int c = 0; c < 3; c++)
            p[c] = (BYTE)(p[c] * p[3] / 255);
    return hCopy;
}

CSize GetIconSize(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return CSize(0, 0);
    BITMAP bm = {};
    CSize size(0, 0);
    if (::GetObjectW(info.hbmMask, sizeof(bm), &bm))
        size = CSize(bm.bmWidth, info.hbmColor != NULL ? bm.bmHeight : bm.bmHeight / 2);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    return size;
}

HICON ResampleIcon(HICON hIcon, SIZE sizeOld, int nWidth)
{
    if (nWidth == 0 || (sizeOld.cx == 0 && sizeOld.cy == 0))
        return NULL;
    if (nWidth == sizeOld.cx)
        return ::CopyIcon(hIcon);
    int nHeight = ::MulDiv(sizeOld.cy, nWidth, sizeOld.cx);
    HIMAGELIST hList = ImageList_Create(nWidth, nHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (hList == NULL)
        return NULL;
    HICON hResult = NULL;
    if (ImageList_ReplaceIcon(hList, -1, hIcon) == 0)
        hResult = ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ImageList_Destroy(hList);
    return hResult;
}

void AlphaBlendBitmap(CDC* pDC, HBITMAP hPremultiplied, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc,
                      int cySrc)
{
    CVZPImageManager* pManager = GetImageManager();
    if (pManager == NULL || pManager->m_pfnAlphaBlend == NULL || hPremultiplied == NULL)
        return;
    if (cxSrc == 0 && cySrc == 0)
    {
        cxSrc = cx;
        cySrc = cy;
    }
    HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hMemDC, hPremultiplied);
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    pManager->m_pfnAlphaBlend(pDC->GetSafeHdc(), x, y, cx, cy, hMemDC, xSrc, ySrc, cxSrc, cySrc, blend);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}

WORD BitmapResourceDepth(UINT nID)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(nID);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HRSRC hResource = ::FindResourceW(hInst, lpszName, RT_BITMAP);
    if (hResource == NULL || ::SizeofResource(hInst, hResource) < sizeof(BITMAPINFOHEADER))
        return 0;
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const BITMAPINFOHEADER* pHeader = hData != NULL ? (const BITMAPINFOHEADER*)::LockResource(hData) : NULL;
    return pHeader != NULL ? pHeader->biBitCount : 0;
}
