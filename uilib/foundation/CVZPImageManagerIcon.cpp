#include "CVZPImageManagerIcon.h"

#include "CVZPColorManager.h"
#include "CVZPImageManager.h"
#include "CVZPImageManagerIconSet.h"
#include "VZPAlphaBitmap.h"
#include "VZPDrawHelpers.h"

#include <commctrl.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

typedef std::function<void(BYTE* pBGRA)> PixelFunction;

// A copy of a 32-bit bitmap with every pixel passed through the function.
HBITMAP TransformAlphaBitmap(HBITMAP hBitmap, const PixelFunction& transform)
{
    HBITMAP hCopy = CopyAlphaBitmap(hBitmap);
    int cx = 0, cy = 0;
    BYTE* p = VZPDibPixels32(hCopy, &cx, &cy);
    if (p == NULL)
        return hCopy;
    ::GdiFlush();
    for (int i = 0; i < cx * std::abs(cy); i++, p += 4)
        transform(p);
    return hCopy;
}

// Reads a bitmap as 32-bit top-down pixels.
BOOL ReadPixels32(HDC hDC, HBITMAP hBitmap, int cx, int cy, std::vector<BYTE>& pixels, BITMAPINFO& info)
{
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)cx * cy * 4, 0);
    return ::GetDIBits(hDC, hBitmap, 0, (UINT)cy, pixels.data(), &info, DIB_RGB_COLORS) != 0;
}

// A new icon whose opaque pixels (black in the mask) went through the
// function; NULL when the icon cannot be read.
HICON TransformIcon(HICON hIcon, const PixelFunction& transform)
{
    ICONINFO info = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return NULL;
    HICON hResult = NULL;
    BITMAP bm = {};
    if (info.hbmColor != NULL && ::GetObjectW(info.hbmColor, sizeof(bm), &bm))
    {
        HDC hDC = ::GetDC(NULL);
        std::vector<BYTE> colour, mask;
        BITMAPINFO colourInfo, maskInfo;
        if (ReadPixels32(hDC, info.hbmColor, bm.bmWidth, bm.bmHeight, colour, colourInfo) &&
            ReadPixels32(hDC, info.hbmMask, bm.bmWidth, bm.bmHeight, mask, maskInfo))
        {
            for (size_t i = 0; i < colour.size(); i += 4)
                if ((mask[i] | mask[i + 1] | mask[i + 2]) == 0)
                    transform(&colour[i]);
            ::SetDIBits(hDC, info.hbmColor, 0, (UINT)bm.bmHeight, colour.data(), &colourInfo, DIB_RGB_COLORS);
            hResult = ::CreateIconIndirect(&info);
        }
        ::ReleaseDC(NULL, hDC);
    }
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    return hResult;
}

// The generated image of a handle: an alpha bitmap or an icon passed through
// the function.
void Generate(CVZPImageManagerIconHandle& target, const CVZPImageManagerIconHandle& source,
              const PixelFunction& transform)
{
    if (source.IsAlpha())
        target.AttachBitmap(TransformAlphaBitmap(source.GetBitmap(), transform));
    else if (source.GetIcon() != NULL)
        target.AttachIcon(TransformIcon(source.GetIcon(), transform));
}

// --- the stored form ---------------------------------------------------------

const DWORD kBlockHeaderBytes = 52;   // the info header and 12 bytes of masks or colours
const LONG kMaxStoredSide = 1024;

// One bitmap block: the header count (52), the header, the count of the
// pixel bytes (width x height x 4) and the pixels. Colour bitmaps are read
// as 32 bits per pixel whatever their depth, masks as 1 bit per pixel with
// their two colours; the rest of the block is zero.
void WriteBitmapBlock(CArchive& ar, HBITMAP hBitmap, BOOL bMask)
{
    BITMAP bm = {};
    if (hBitmap == NULL || !::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    {
        ar.WriteCount(0);
        return;
    }
    BYTE header[kBlockHeaderBytes] = {};
    BITMAPINFOHEADER& bih = *(BITMAPINFOHEADER*)header;
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = bMask ? 1 : 32;
    bih.biCompression = BI_RGB;
    std::vector<BYTE> bits((size_t)bm.bmWidth * bm.bmHeight * 4, 0);
    HDC hDC = ::GetDC(NULL);
    int nLines = ::GetDIBits(hDC, hBitmap, 0, (UINT)bm.bmHeight, bits.data(), (BITMAPINFO*)header, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    if (nLines == 0)
    {
        ar.WriteCount(0);
        return;
    }
    ar.WriteCount(kBlockHeaderBytes);
    ar.Write(header, kBlockHeaderBytes);
    ar.WriteCount(bits.size());
    ar.Write(bits.data(), (UINT)bits.size());
}

void ReadExactly(CArchive& ar, void* pBuffer, UINT nBytes)
{
    if (ar.Read(pBuffer, nBytes) != nBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

// A DIB section from a stored block, or NULL for an empty block. Stored data
// may come from the clipboard: a block that is not what this code writes
// throws the archive exception.
HBITMAP ReadBitmapBlock(CArchive& ar)
{
    DWORD nHeader = (DWORD)ar.ReadCount();
    if (nHeader == 0)
        return NULL;
    if (nHeader != kBlockHeaderBytes)
        AfxThrowArchiveException(CArchiveException::badSchema);
    // Room for a full colour table, so that no header makes GDI read past it.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    ReadExactly(ar, info.data(), kBlockHeaderBytes);
    BITMAPINFOHEADER& bih = *(BITMAPINFOHEADER*)info.data();
    LONG cy = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    WORD nBitCount = bih.biBitCount;
    BOOL bDepthOk = nBitCount == 1 || nBitCount == 4 || nBitCount == 8 || nBitCount == 16 || nBitCount == 24 ||
                    nBitCount == 32;
    if (bih.biSize != sizeof(BITMAPINFOHEADER) || bih.biWidth < 1 || bih.biWidth > kMaxStoredSide || cy < 1 ||
        cy > kMaxStoredSide || !bDepthOk || (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS))
        AfxThrowArchiveException(CArchiveException::badSchema);
    if (nBitCount <= 8 && (bih.biClrUsed == 0 || bih.biClrUsed > (1u << nBitCount)))
        bih.biClrUsed = 1u << nBitCount;
    DWORD nBits = (DWORD)ar.ReadCount();
    if (nBits > (DWORD)(bih.biWidth * cy * 4))
        AfxThrowArchiveException(CArchiveException::badSchema);
    std::vector<BYTE> bits(nBits);
    ReadExactly(ar, bits.data(), nBits);
    void* pSection = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)info.data(), DIB_RGB_COLORS, &pSection, NULL, 0);
    if (hBitmap == NULL)
        return NULL;
    DWORD nStride = ((DWORD)bih.biWidth * nBitCount + 31) / 32 * 4;
    memcpy(pSection, bits.data(), std::min(nBits, nStride * (DWORD)cy));
    return hBitmap;
}

void WriteHandle(CArchive& ar, const CVZPImageManagerIconHandle& handle)
{
    ICONINFO info = {};
    if (handle.GetIcon() != NULL && ::GetIconInfo(handle.GetIcon(), &info))
    {
        WriteBitmapBlock(ar, info.hbmColor, FALSE);
        WriteBitmapBlock(ar, info.hbmMask, TRUE);
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor != NULL)
            ::DeleteObject(info.hbmColor);
    }
    else if (handle.IsAlpha())
    {
        WriteBitmapBlock(ar, handle.GetBitmap(), FALSE);
        ar.WriteCount(0);
    }
    else
    {
        ar.WriteCount(0);
        ar.WriteCount(0);
    }
}

void ReadHandle(CArchive& ar, CVZPImageManagerIconHandle& handle)
{
    handle.Clear();
    HBITMAP hColour = ReadBitmapBlock(ar);
    HBITMAP hMask = NULL;
    try
    {
        hMask = ReadBitmapBlock(ar);
    }
    catch (CException*)
    {
        if (hColour != NULL)
            ::DeleteObject(hColour);
        throw;
    }
    if (hColour != NULL && hMask != NULL)
    {
        BITMAP bm = {};
        ::GetObjectW(hColour, sizeof(bm), &bm);
        HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1);
        if (hList != NULL)
        {
            if (ImageList_Add(hList, hColour, hMask) == 0)
                handle.AttachIcon(ImageList_GetIcon(hList, 0, ILD_NORMAL));
            ImageList_Destroy(hList);
        }
        ::DeleteObject(hColour);
        ::DeleteObject(hMask);
    }
    else if (hColour != NULL)
    {
        handle.AttachBitmap(hColour);
    }
    else if (hMask != NULL)
    {
        ::DeleteObject(hMask);
    }
}

}  // namespace

CVZPImageManagerIcon::CVZPImageManagerIcon(UINT nID, int nWidth, int nHeight, CVZPImageManagerIconSet* pIconSet)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_bScaled(FALSE), m_pIconSet(pIconSet)
{
}

CVZPImageManagerIcon::~CVZPImageManagerIcon()
{
    ClearAll();
}

void CVZPImageManagerIcon::ClearAll()
{
    m_hIcon.Clear();
    m_hHot.Clear();
    m_hChecked.Clear();
    m_hDisabled.Clear();
    ClearGenerated();
}

void CVZPImageManagerIcon::ClearGenerated()
{
    m_hFaded.Clear();
    m_hShadow.Clear();
    m_hDisabledGenerated.Clear();
}

CVZPImageManager* CVZPImageManagerIcon::GetImageManager() const
{
    return m_pIconSet != NULL ? m_pIconSet->GetImageManager() : ::GetImageManager();
}

CVZPImageManagerIconHandle& CVZPImageManagerIcon::GetFadedIcon()
{
    if (m_hFaded.IsEmpty())
    {
        BOOL bLowColor = !m_hIcon.IsAlpha() && IsLowColorDisplay();
        Generate(m_hFaded, m_hIcon, [bLowColor](BYTE* p) {
            if (bLowColor)
                return;
            for (int c = 0; c < 3; c++)
                p[c] = (BYTE)(p[c] * 0.7 + 255 * 0.3);
        });
    }
    return m_hFaded;
}

CVZPImageManagerIconHandle& CVZPImageManagerIcon::GetShadowIcon()
{
    if (m_hShadow.IsEmpty())
    {
        COLORREF clr = GetColorManager()->GetColor(31);
        BYTE shadow[3] = { (BYTE)(GetBValue(clr) * 0.75), (BYTE)(GetGValue(clr) * 0.75),
                           (BYTE)(GetRValue(clr) * 0.75) };
        Generate(m_hShadow, GetHotIcon(), [&shadow](BYTE* p) { memcpy(p, shadow, 3); });
    }
    return m_hShadow;
}

CVZPImageManagerIconHandle& CVZPImageManagerIcon::GetHotIcon()
{
    return m_hHot.IsEmpty() ? m_hIcon : m_hHot;
}

CVZPImageManagerIconHandle& CVZPImageManagerIcon::GetCheckedIcon()
{
    return m_hChecked.IsEmpty() ? GetHotIcon() : m_hChecked;
}

BOOL CVZPImageManagerIcon::HasDisabledIcon() const
{
    return !m_hDisabled.IsEmpty() || !m_hDisabledGenerated.IsEmpty();
}

CVZPImageManagerIconHandle& CVZPImageManagerIcon::GetDisabledIcon(BOOL bCreate)
{
    if (!m_hDisabled.IsEmpty())
        return m_hDisabled;
    if (m_hDisabledGenerated.IsEmpty() && bCreate)
        CreateDisabledIcon();
    return m_hDisabledGenerated;
}

void CVZPImageManagerIcon::CreateDisabledIcon(COLORREF clrLight, COLORREF clrDark)
{
    if (!m_hDisabledGenerated.IsEmpty())
        return;
    BOOL bTinted = clrLight != (COLORREF)-1 && clrDark != (COLORREF)-1;
    // The exponent and the alpha divisor are fixed values of the design.
    const double kExponent = 0.5, kAlphaDivisor = 1.0;
    Generate(m_hDisabledGenerated, m_hIcon, [=](BYTE* p) {
        double L = (0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0]) / 255;
        if (bTinted)
        {
            p[0] = (BYTE)((1 - L) * GetBValue(clrDark) + L * GetBValue(clrLight));
            p[1] = (BYTE)((1 - L) * GetGValue(clrDark) + L * GetGValue(clrLight));
            p[2] = (BYTE)((1 - L) * GetRValue(clrDark) + L * GetRValue(clrLight));
        }
        else
        {
            p[0] = p[1] = p[2] = (BYTE)(pow(L, kExponent) * 255);
            p[3] = (BYTE)(p[3] / kAlphaDivisor);
        }
    });
}

void CVZPImageManagerIcon::SetIcon(const CVZPImageManagerIconHandle& handle)
{
    ClearAll();
    m_hIcon.CopyFrom(handle);
    CSize size = m_hIcon.GetExtent();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    m_bScaled = FALSE;
    if (m_pIconSet != NULL)
        m_pIconSet->RemoveScaled();
}

void CVZPImageManagerIcon::SetHotIcon(const CVZPImageManagerIconHandle& handle)
{
    ClearGenerated();
    m_hHot.CopyFrom(handle);
}

void CVZPImageManagerIcon::SetCheckedIcon(const CVZPImageManagerIconHandle& handle)
{
    ClearGenerated();
    m_hChecked.CopyFrom(handle);
}

void CVZPImageManagerIcon::SetDisabledIcon(const CVZPImageManagerIconHandle& handle)
{
    ClearGenerated();
    m_hDisabled.CopyFrom(handle);
}

CVZPImageManagerIcon* CVZPImageManagerIcon::CreateScaledCopy(int nWidth)
{
    if (m_hIcon.GetIcon() == NULL || m_nWidth <= 0)
        return NULL;
    CVZPImageManagerIcon* pCopy =
        new CVZPImageManagerIcon(m_nID, nWidth, ::MulDiv(m_nHeight, nWidth, m_nWidth), m_pIconSet);
    CSize sizeOld(m_nWidth, m_nHeight);
    auto resample = [&](CVZPImageManagerIconHandle& target, const CVZPImageManagerIconHandle& source) {
        if (source.GetIcon() != NULL)
            target.AttachIcon(ResampleIcon(source.GetIcon(), sizeOld, nWidth));
    };
    resample(pCopy->m_hIcon, m_hIcon);
    resample(pCopy->m_hDisabled, m_hDisabled);
    resample(pCopy->m_hHot, m_hHot);
    resample(pCopy->m_hChecked, m_hChecked);
    return pCopy;
}

void CVZPImageManagerIcon::Draw(CDC* pDC, POINT pt, CVZPImageManagerIconHandle& handle, int cx, int cy)
{
    if (cx == 0)
        cx = m_nWidth;
    if (cy == 0)
        cy = m_nWidth != 0 ? cx * m_nHeight / m_nWidth : 0;
    if (handle.IsEmpty())
        return;
    if (handle.GetIcon() != NULL)
    {
        CVZPImageManager* pManager = GetImageManager();
        BOOL bMirror = pManager != NULL && pManager->m_bDrawReverse;
        ::DrawIconEx(pDC->GetSafeHdc(), bMirror ? pt.x + cx : pt.x, pt.y, handle.GetIcon(), bMirror ? -cx : cx, cy,
                     0, NULL, DI_NORMAL);
    }
    else if (handle.CreatePremultiplied())
    {
        AlphaBlendBitmap(pDC, handle.GetPremultiplied(), pt.x, pt.y, cx, cy, 0, 0, m_nWidth, m_nHeight);
    }
}

void CVZPImageManagerIcon::DrawMono(CDC* pDC, POINT pt, CVZPImageManagerIconHandle& handle, SIZE size, COLORREF clr)
{
    if (handle.GetIcon() == NULL)
        return;
    if (size.cx == 0 && size.cy == 0)
        size = CSize(m_nWidth, m_nHeight);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    CVZPImageManager* pManager = GetImageManager();
    if (pManager != NULL && pManager->m_bDrawReverse)
    {
        // Drawn first into a white bitmap, which DrawState then paints.
        HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
        HBITMAP hBitmap = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), m_nWidth, m_nHeight);
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::PatBlt(hMemDC, 0, 0, m_nWidth, m_nHeight, WHITENESS);
        ::DrawIconEx(hMemDC, 0, 0, handle.GetIcon(), m_nWidth, m_nHeight, 0, NULL, DI_NORMAL);
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
        ::DrawStateW(pDC->GetSafeHdc(), hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy,
                     DST_BITMAP | DSS_MONO);
        ::DeleteObject(hBitmap);
    }
    else
    {
        ::DrawStateW(pDC->GetSafeHdc(), hBrush, NULL, (LPARAM)handle.GetIcon(), 0, pt.x, pt.y, size.cx, size.cy,
                     DST_ICON | DSS_MONO);
    }
    ::DeleteObject(hBrush);
}

void CVZPImageManagerIcon::Serialize(CArchive& ar)
{
    CVZPImageManagerIconHandle* handles[] = { &m_hIcon, &m_hDisabled, &m_hHot, &m_hChecked };
    if (ar.IsStoring())
    {
        ar << (int)m_nHeight << (int)16;
        for (CVZPImageManagerIconHandle* pHandle : handles)
            WriteHandle(ar, *pHandle);
        return;
    }
    int nHeight = 0, nSchema = 0;
    ar >> nHeight >> nSchema;
    m_nHeight = nHeight;
    ClearGenerated();
    for (CVZPImageManagerIconHandle* pHandle : handles)
    {
        if (pHandle == &m_hChecked && nSchema <= 7)
            break;
        ReadHandle(ar, *pHandle);
    }
}
