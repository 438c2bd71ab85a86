#include "CVZPImageManagerIconHandle.h"

#include "CVZPImageManager.h"
#include "VZPAlphaBitmap.h"

#include <string.h>

CVZPImageManagerIconHandle::CVZPImageManagerIconHandle()
    : m_hIcon(NULL), m_hBitmap(NULL), m_hPremultiplied(NULL), m_bOwnsHandles(TRUE)
{
}

CVZPImageManagerIconHandle::CVZPImageManagerIconHandle(HICON hIcon)
    : m_hIcon(hIcon), m_hBitmap(NULL), m_hPremultiplied(NULL), m_bOwnsHandles(FALSE)
{
}

CVZPImageManagerIconHandle::CVZPImageManagerIconHandle(HBITMAP hBitmap)
    : m_hIcon(NULL), m_hBitmap(hBitmap), m_hPremultiplied(NULL), m_bOwnsHandles(FALSE)
{
}

CVZPImageManagerIconHandle::CVZPImageManagerIconHandle(const CVZPImageManagerIconHandle& handle)
    : m_hIcon(handle.m_hIcon), m_hBitmap(handle.m_hBitmap), m_hPremultiplied(NULL), m_bOwnsHandles(FALSE)
{
}

CVZPImageManagerIconHandle::~CVZPImageManagerIconHandle()
{
    Clear();
}

void CVZPImageManagerIconHandle::Clear()
{
    if (m_bOwnsHandles)
    {
        if (m_hIcon != NULL)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap != NULL)
            ::DeleteObject(m_hBitmap);
    }
    if (m_hPremultiplied != NULL)
        ::DeleteObject(m_hPremultiplied);
    m_hIcon = NULL;
    m_hBitmap = NULL;
    m_hPremultiplied = NULL;
}

void CVZPImageManagerIconHandle::CopyFrom(const CVZPImageManagerIconHandle& handle)
{
    Clear();
    m_bOwnsHandles = TRUE;
    if (handle.m_hIcon != NULL)
        m_hIcon = ::CopyIcon(handle.m_hIcon);
    if (handle.m_hBitmap != NULL)
        m_hBitmap = CopyAlphaBitmap(handle.m_hBitmap);
}

void CVZPImageManagerIconHandle::CopyBitmap(HBITMAP hBitmap)
{
    Clear();
    m_bOwnsHandles = TRUE;
    m_hBitmap = CopyAlphaBitmap(hBitmap);
}

void CVZPImageManagerIconHandle::AttachIcon(HICON hIcon)
{
    Clear();
    m_bOwnsHandles = TRUE;
    m_hIcon = hIcon;
}

void CVZPImageManagerIconHandle::AttachBitmap(HBITMAP hBitmap)
{
    Clear();
    m_bOwnsHandles = TRUE;
    m_hBitmap = hBitmap;
}

CSize CVZPImageManagerIconHandle::GetExtent() const
{
    if (m_hIcon != NULL)
        return GetIconSize(m_hIcon);
    BITMAP bm = {};
    if (m_hBitmap != NULL && ::GetObjectW(m_hBitmap, sizeof(bm), &bm))
        return CSize(bm.bmWidth, bm.bmHeight);
    return CSize(0, 0);
}

BOOL CVZPImageManagerIconHandle::CreatePremultiplied()
{
    if (m_hPremultiplied != NULL)
        return TRUE;
    if (m_hBitmap != NULL)
    {
        m_hPremultiplied = CreatePremultipliedBitmap(m_hBitmap);
    }
    else if (m_hIcon != NULL)
    {
        ICONINFO info = {};
        if (::GetIconInfo(m_hIcon, &info))
        {
            if (info.hbmColor != NULL)
                m_hPremultiplied = CreatePremultipliedBitmap(info.hbmColor);
            ::DeleteObject(info.hbmMask);
            if (info.hbmColor != NULL)
                ::DeleteObject(info.hbmColor);
        }
    }
    return m_hPremultiplied != NULL;
}

BOOL CVZPImageManagerIconHandle::LoadIconResource(UINT nID, int cx, int cy, BOOL bSearchGroup)
{
    LPCWSTR lpszName = MAKEINTRESOURCEW(nID);
    if (bSearchGroup)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_GROUP_ICON);
        HRSRC hGroup = ::FindResourceW(hInst, lpszName, RT_GROUP_ICON);
        if (hGroup != NULL)
        {
            // GRPICONDIR: 6 bytes, then 14-byte entries whose last word is
            // the icon's id.
            HGLOBAL hData = ::LoadResource(hInst, hGroup);
            const BYTE* p = hData != NULL ? (const BYTE*)::LockResource(hData) : NULL;
            DWORD nSize = ::SizeofResource(hInst, hGroup);
            if (p == NULL || nSize < 6)
                return FALSE;
            int nCount = p[4] | (p[5] << 8);
            for (int i = nCount - 1; i >= 0; i--)
            {
                if (6 + 14 * (DWORD)(i + 1) > nSize)
                    continue;
                const BYTE* pEntry = p + 6 + 14 * i;
                if (pEntry[0] == (BYTE)cx && pEntry[1] == (BYTE)cy)
                    return LoadIconResource(pEntry[12] | (pEntry[13] << 8), cx, cy, FALSE);
            }
            return FALSE;
        }
    }
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_ICON);
    HRSRC hResource = ::FindResourceW(hInst, lpszName, RT_ICON);
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const BYTE* pData = hData != NULL ? (const BYTE*)::LockResource(hData) : NULL;
    DWORD nSize = ::SizeofResource(hInst, hResource);
    if (pData == NULL || nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    memcpy(&header, pData, sizeof(header));
    if (header.biBitCount == 32)
    {
        CVZPImageManager* pManager = GetImageManager();
        if (pManager == NULL || !pManager->IsAlphaIconsSupported())
            return FALSE;
        header.biHeight /= 2;
        DWORD nPixels = (DWORD)(header.biWidth * (header.biHeight < 0 ? -header.biHeight : header.biHeight) * 4);
        if (header.biSize < sizeof(header) || header.biWidth <= 0 || nSize - header.biSize < nPixels)
            return FALSE;
        BYTE* pBits = NULL;
        HBITMAP hBitmap = VZPCreateDib32(header, &pBits);
        if (hBitmap == NULL)
            return FALSE;
        memcpy(pBits, pData + header.biSize, nPixels);
        AttachBitmap(hBitmap);
    }
    else
    {
        AttachIcon(::CreateIconFromResourceEx((PBYTE)pData, nSize, TRUE, 0x30000, cx, cy, 0));
    }
    return !IsEmpty();
}
