// Image drawing of CImageEffects: colour transforms on 32-bit copies, masked
// and alpha drawing, icon resizing, image-strip frames and drop shadows.
#include "CImageEffects.h"

#include <string.h>

#include <vector>

namespace {

// COLORREF (0x00BBGGRR) as a pixel value (0x00RRGGBB).
DWORD PixelOf(COLORREF c)
{
    return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
}

// A memory DC with one bitmap selected, both released on destruction (the
// bitmap only when owned).
class CSelectedBitmap
{
public:
    CSelectedBitmap(HDC hdcRef, HBITMAP hBitmap)
        : m_hdc(CreateCompatibleDC(hdcRef)), m_hOld(NULL)
    {
        if (m_hdc != NULL && hBitmap != NULL)
            m_hOld = SelectObject(m_hdc, hBitmap);
    }
    ~CSelectedBitmap()
    {
        if (m_hdc == NULL)
            return;
        if (m_hOld != NULL)
            SelectObject(m_hdc, m_hOld);
        DeleteDC(m_hdc);
    }
    CSelectedBitmap(const CSelectedBitmap&) = delete;
    CSelectedBitmap& operator=(const CSelectedBitmap&) = delete;
    operator HDC() const { return m_hdc; }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};

DWORD* DibBits(HBITMAP hDib)
{
    DIBSECTION ds;
    if (hDib == NULL || GetObjectW(hDib, sizeof(ds), &ds) != sizeof(ds))
        return NULL;
    GdiFlush();
    return (DWORD*)ds.dsBm.bmBits;
}

void DeleteIconBitmaps(ICONINFO& info)
{
    if (info.hbmMask != NULL)
        DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL)
        DeleteObject(info.hbmColor);
    info.hbmMask = info.hbmColor = NULL;
}

// A 32-bit copy of hBitmap at w x h (stretched when its size differs).
HBITMAP CopyBitmap32(HBITMAP hBitmap, int w, int h, int xSrc = 0, int ySrc = 0, BOOL bStretch = TRUE)
{
    DWORD* bits = NULL;
    HBITMAP hCopy = CImageEffects::CreateDib32(w, h, &bits);
    if (hCopy == NULL)
        return NULL;
    SIZE size;
    CImageEffects::GetBitmapSize(hBitmap, size);
    CSelectedBitmap src(NULL, hBitmap);
    CSelectedBitmap dst(NULL, hCopy);
    if (!bStretch || (size.cx == w && size.cy == h))
        BitBlt(dst, 0, 0, w, h, src, xSrc, ySrc, SRCCOPY);
    else
        StretchBlt(dst, 0, 0, w, h, src, 0, 0, size.cx, size.cy, SRCCOPY);
    GdiFlush();
    return hCopy;
}

}  // namespace

HBITMAP CImageEffects::CreateDib32(int w, int h, DWORD** ppBits)
{
    if (w <= 0 || h <= 0)
        return NULL;
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP hDib = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (hDib != NULL && bits == NULL)
    {
        DeleteObject(hDib);
        hDib = NULL;
    }
    if (ppBits != NULL)
        *ppBits = (DWORD*)bits;
    return hDib;
}

void CImageEffects::GetIconSize(HICON hIcon, SIZE& size)
{
    size.cx = size.cy = 0;
    ICONINFO info;
    if (hIcon == NULL || !GetIconInfo(hIcon, &info))
        return;
    size.cx = (LONG)info.xHotspot * 2;
    size.cy = (LONG)info.yHotspot * 2;
    DeleteIconBitmaps(info);
}

void CImageEffects::GetBitmapSize(HBITMAP hBitmap, SIZE& size)
{
    size.cx = size.cy = 0;
    BITMAP bm;
    if (hBitmap != NULL && GetObjectW(hBitmap, sizeof(bm), &bm) != 0)
    {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    }
}

DWORD CImageEffects::GreyPixel(DWORD pixel)
{
    const double v = 0.587 * ((pixel >> 8) & 0xFF) + 0.299 * ((pixel >> 16) & 0xFF) + 0.114 * (pixel & 0xFF);
    const DWORD b = (DWORD)v & 0xFF;
    return (b << 16) | (b << 8) | b;
}

DWORD CImageEffects::InvertPixel(DWORD pixel)
{
    return (~pixel) & 0x00FFFFFF;
}

DWORD CImageEffects::DarkenPixel(DWORD pixel, double x)
{
    if (!(x >= 0 && x < 1))
        return pixel;
    DWORD out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= ((DWORD)(((pixel >> shift) & 0xFF) * x) & 0xFF) << shift;
    return out;
}

DWORD CImageEffects::LightenPixel(DWORD pixel, double x)
{
    if (!(x > 0 && x <= 1))
        return pixel;
    DWORD out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        DWORD v = (DWORD)(((pixel >> shift) & 0xFF) * (1 + x));
        out |= (v > 255 ? 255 : v) << shift;
    }
    return out;
}

DWORD CImageEffects::BlendPixels(DWORD a, double weightA, DWORD b, double weightB)
{
    DWORD out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        DWORD v = (DWORD)(weightA * ((a >> shift) & 0xFF) + weightB * ((b >> shift) & 0xFF));
        out |= (v > 255 ? 255 : v) << shift;
    }
    return out;
}

HBITMAP CImageEffects::TransformBitmap(HBITMAP hBitmap, int w, int h, int nFlags, BOOL bUseMask,
                                       COLORREF maskColor, COLORREF color)
{
    HBITMAP hDib = CopyBitmap32(hBitmap, w, h, 0, 0, FALSE);
    DWORD* bits = DibBits(hDib);
    if (bits == NULL)
    {
        if (hDib != NULL)
            DeleteObject(hDib);
        return NULL;
    }
    const DWORD mask = PixelOf(maskColor);
    const DWORD fill = PixelOf(color);
    for (int i = 0; i < w * h; ++i)
    {
        const DWORD p = bits[i];
        if ((p & 0xFF000000) != 0)
            m_bHasAlpha = TRUE;
        DWORD d = 0;
        if (!bUseMask || p != mask)
        {
            d = p & 0x00FFFFFF;
            if (nFlags & ImageEffectGrey)
                d = GreyPixel(d);
            if (nFlags & ImageEffectDarken)
                d = DarkenPixel(d, 0.75);
            if (nFlags & ImageEffectLighten)
                d = LightenPixel(d, 0.25);
            if (nFlags & ImageEffectFill)
                d = fill;
        }
        if (nFlags & ImageEffectInvert)
            d = InvertPixel(d);
        bits[i] = (p & 0xFF000000) | (d & 0x00FFFFFF);
    }
    return hDib;
}

void CImageEffects::AlphaDraw(HDC hdc, int x, int y, int w, int h, HDC hdcSrc, int xSrc, int ySrc)
{
    DWORD* src = NULL;
    DWORD* dst = NULL;
    HBITMAP hSrc = CreateDib32(w, h, &src);
    HBITMAP hDst = CreateDib32(w, h, &dst);
    if (hSrc != NULL && hDst != NULL)
    {
        CSelectedBitmap s(hdc, hSrc);
        CSelectedBitmap d(hdc, hDst);
        BitBlt(s, 0, 0, w, h, hdcSrc, xSrc, ySrc, SRCCOPY);
        BitBlt(d, 0, 0, w, h, hdc, x, y, SRCCOPY);
        GdiFlush();
        for (int i = 0; i < w * h; ++i)
        {
            const double a = (src[i] >> 24) / 255.0;
            dst[i] = BlendPixels(src[i], a, dst[i], 1 - a);
        }
        BitBlt(hdc, x, y, w, h, d, 0, 0, SRCCOPY);
    }
    if (hSrc != NULL)
        DeleteObject(hSrc);
    if (hDst != NULL)
        DeleteObject(hDst);
}

HICON CImageEffects::ResizeIcon(HICON hIcon, int w, int h)
{
    ICONINFO info;
    if (hIcon == NULL || w <= 0 || h <= 0 || !GetIconInfo(hIcon, &info))
        return NULL;
    if (info.hbmColor == NULL)
    {
        DeleteIconBitmaps(info);
        return NULL;
    }
    HBITMAP sized[2] = {NULL, NULL};
    HBITMAP sources[2] = {info.hbmColor, info.hbmMask};
    for (int i = 0; i < 2; ++i)
    {
        BITMAP bm;
        if (GetObjectW(sources[i], sizeof(bm), &bm) == 0)
            continue;
        sized[i] = CreateBitmap(w, h, bm.bmPlanes, bm.bmBitsPixel, NULL);
        if (sized[i] == NULL)
            continue;
        CSelectedBitmap src(NULL, sources[i]);
        CSelectedBitmap dst(NULL, sized[i]);
        SetStretchBltMode(dst, COLORONCOLOR);
        StretchBlt(dst, 0, 0, w, h, src, 0, 0, (int)info.xHotspot * 2, (int)info.yHotspot * 2, SRCCOPY);
    }
    HICON hNew = NULL;
    if (sized[0] != NULL && sized[1] != NULL)
    {
        ICONINFO made;
        made.fIcon = TRUE;
        made.xHotspot = (DWORD)(w / 2);
        made.yHotspot = (DWORD)(h / 2);
        made.hbmMask = sized[1];
        made.hbmColor = sized[0];
        hNew = CreateIconIndirect(&made);
    }
    for (HBITMAP hb : sized)
        if (hb != NULL)
            DeleteObject(hb);
    DeleteIconBitmaps(info);
    return hNew;
}

void CImageEffects::DrawImage(HDC hdc, int x, int y, int w, int h, HBITMAP hImage, HBITMAP hMask, DWORD maskRop)
{
    CSelectedBitmap image(hdc, hImage);
    if (m_bHasAlpha)
    {
        AlphaDraw(hdc, x, y, w, h, image, 0, 0);
        return;
    }
    const COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(hdc, RGB(255, 255, 255));
    {
        CSelectedBitmap mask(hdc, hMask);
        BitBlt(hdc, x, y, w, h, mask, 0, 0, maskRop);
    }
    BitBlt(hdc, x, y, w, h, image, 0, 0, SRCPAINT);
    SetTextColor(hdc, oldText);
    SetBkColor(hdc, oldBk);
}

// The shadow step shared by bitmaps and icons: with a shadow effect the
// silhouette is darkened in at the offset; without one the image itself
// moves to the offset (it rises to its place when its hot style has one).
void CImageEffects::DrawShadowOrOffset(HDC hdc, int& x, int& y, int w, int h, HBITMAP hSource, BOOL bUseMask,
                                       COLORREF maskColor, int nFlags, BOOL bShadow, int xShadow, int yShadow,
                                       int blurWidth, int blurHeight, COLORREF color)
{
    if (!bShadow)
        return;
    const int sx = x + xShadow, sy = y + yShadow;
    if (nFlags & (ImageEffectHardShadow | ImageEffectSoftShadow))
    {
        const BOOL bHasAlpha = m_bHasAlpha;
        const COLORREF inverted = RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
        HBITMAP hSilhouette = TransformBitmap(hSource, w, h, ImageEffectInvert | ImageEffectFill, bUseMask,
                                              maskColor, inverted);
        m_bHasAlpha = bHasAlpha;
        if (hSilhouette != NULL)
        {
            DrawShadow(hdc, sx, sy, w, h, hSilhouette, (nFlags & ImageEffectSoftShadow) != 0, blurWidth,
                       blurHeight);
            DeleteObject(hSilhouette);
        }
    }
    else
    {
        x = sx;
        y = sy;
    }
}

void CImageEffects::DrawBitmap(HDC hdc, int x, int y, int w, int h, HBITMAP hBitmap, BOOL bUseMask,
                               COLORREF maskColor, int nFlags, BOOL bShadow, int xShadow, int yShadow,
                               int blurWidth, int blurHeight, COLORREF color)
{
    m_bHasAlpha = FALSE;
    if (hBitmap == NULL || w <= 0 || h <= 0)
        return;
    HBITMAP hCopy = CopyBitmap32(hBitmap, w, h);
    if (hCopy == NULL)
        return;
    HBITMAP hMask = TransformBitmap(hCopy, w, h, ImageEffectInvert | ImageEffectFill, bUseMask, maskColor,
                                    RGB(255, 255, 255));
    HBITMAP hImage = TransformBitmap(hCopy, w, h, nFlags, bUseMask, maskColor, color);
    if (hMask != NULL && hImage != NULL)
    {
        DrawShadowOrOffset(hdc, x, y, w, h, hCopy, bUseMask, maskColor, nFlags, bShadow, xShadow, yShadow,
                           blurWidth, blurHeight, color);
        DrawImage(hdc, x, y, w, h, hImage, hMask, SRCAND);
    }
    for (HBITMAP hb : {hCopy, hMask, hImage})
        if (hb != NULL)
            DeleteObject(hb);
}

void CImageEffects::DrawIcon(HDC hdc, int x, int y, int w, int h, HICON hIcon, int nFlags, BOOL bShadow,
                             int xShadow, int yShadow, int blurWidth, int blurHeight, COLORREF color)
{
    m_bHasAlpha = FALSE;
    if (hIcon == NULL || w <= 0 || h <= 0)
        return;
    ICONINFO probe;
    if (!GetIconInfo(hIcon, &probe))
        return;
    const BOOL bMonochrome = probe.hbmColor == NULL;
    DeleteIconBitmaps(probe);
    if (bMonochrome)
    {
        // No colour bitmap: no effects and no shadow, drawn as it is.
        DrawIconEx(hdc, x, y, hIcon, w, h, 0, NULL, DI_NORMAL);
        return;
    }
    SIZE size;
    GetIconSize(hIcon, size);
    HICON hCopy = (size.cx == w && size.cy == h) ? CopyIcon(hIcon) : ResizeIcon(hIcon, w, h);
    ICONINFO info;
    if (hCopy == NULL || !GetIconInfo(hCopy, &info))
    {
        if (hCopy != NULL)
            DestroyIcon(hCopy);
        return;
    }
    HBITMAP hImage = (nFlags & ImageEffectFill)
        ? TransformBitmap(info.hbmMask, w, h, nFlags, TRUE, RGB(255, 255, 255), color)
        : TransformBitmap(info.hbmColor, w, h, nFlags, TRUE, RGB(0, 0, 0), color);
    if (hImage != NULL)
    {
        DrawShadowOrOffset(hdc, x, y, w, h, info.hbmMask, TRUE, RGB(255, 255, 255), nFlags, bShadow, xShadow,
                           yShadow, blurWidth, blurHeight, color);
        DrawImage(hdc, x, y, w, h, hImage, info.hbmMask, SRCAND);
        DeleteObject(hImage);
    }
    DeleteIconBitmaps(info);
    DestroyIcon(hCopy);
}

void CImageEffects::DrawStripFrame(HDC hdc, int x, int y, int w, int h, HBITMAP hStrip, int nFrame,
                                   int frameWidth, int frameHeight, BOOL bUseMask, COLORREF maskColor, int nFlags,
                                   BOOL bShadow, int xShadow, int yShadow, int blurWidth, int blurHeight,
                                   COLORREF color)
{
    if (hStrip == NULL || frameWidth <= 0 || frameHeight <= 0)
        return;
    SIZE size;
    GetBitmapSize(hStrip, size);
    const int perRow = size.cx / frameWidth, rows = size.cy / frameHeight;
    if (perRow == 0 || rows == 0 || nFrame < 0 || nFrame >= perRow * rows)
        return;
    HBITMAP hFrame = CopyBitmap32(hStrip, frameWidth, frameHeight, frameWidth * (nFrame % perRow),
                                  frameHeight * (nFrame / perRow), FALSE);
    if (hFrame == NULL)
        return;
    DrawBitmap(hdc, x, y, w, h, hFrame, bUseMask, maskColor, nFlags, bShadow, xShadow, yShadow, blurWidth,
               blurHeight, color);
    DeleteObject(hFrame);
}

void CImageEffects::DrawShadow(HDC hdc, int x, int y, int w, int h, HBITMAP hSilhouette, BOOL bSoft,
                               int blurWidth, int blurHeight)
{
    if (hSilhouette == NULL || w <= 0 || h <= 0)
        return;
    if (bSoft)
    {
        if (blurWidth < 1)
            blurWidth = 1;
        if (blurHeight < 1)
            blurHeight = 1;
        blurWidth |= 1;
        blurHeight |= 1;
    }
    DWORD* shape = NULL;
    DWORD* area = NULL;
    HBITMAP hShape = CreateDib32(w, h, &shape);
    HBITMAP hArea = CreateDib32(w, h, &area);
    if (hShape != NULL && hArea != NULL)
    {
        CSelectedBitmap s(hdc, hShape);
        CSelectedBitmap a(hdc, hArea);
        {
            CSelectedBitmap silhouette(hdc, hSilhouette);
            if (bSoft)
            {
                PatBlt(s, 0, 0, w, h, WHITENESS);
                SetStretchBltMode(s, COLORONCOLOR);
                StretchBlt(s, blurWidth / 2, blurHeight / 2, w - blurWidth, h - blurHeight, silhouette, 0, 0, w, h,
                           SRCCOPY);
            }
            else
            {
                BitBlt(s, 0, 0, w, h, silhouette, 0, 0, SRCCOPY);
            }
        }
        BitBlt(a, 0, 0, w, h, hdc, x, y, SRCCOPY);
        GdiFlush();
        if (bSoft)
        {
            std::vector<BYTE> blue((size_t)w * h);
            for (size_t i = 0; i < blue.size(); ++i)
                blue[i] = (BYTE)(shape[i] & 0xFF);
            std::vector<double> factors((size_t)w * h);
            BoxBlur(w, h, blue.data(), w, blurWidth, blurHeight, factors.data());
            for (size_t i = 0; i < factors.size(); ++i)
                area[i] = DarkenPixel(area[i], factors[i]);
        }
        else
        {
            for (int i = 0; i < w * h; ++i)
                area[i] = DarkenPixel(area[i], (shape[i] & 0xFF) / 255.0);
        }
        BitBlt(hdc, x, y, w, h, a, 0, 0, SRCCOPY);
    }
    if (hShape != NULL)
        DeleteObject(hShape);
    if (hArea != NULL)
        DeleteObject(hArea);
}

void CImageEffects::BoxBlur(int w, int h, const BYTE* pSource, int sourceStride, int blurWidth, int blurHeight,
                            double* factors)
{
    if (w <= 0 || h <= 0 || blurWidth <= 0 || blurHeight <= 0)
        return;
    const int bx = blurWidth / 2, by = blurHeight / 2;
    const int gw = w + 2 * bx, gh = h + 2 * by;
    std::vector<double> grid((size_t)gw * gh, 255.0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            grid[(size_t)(y + by) * gw + x + bx] = pSource[(size_t)y * sourceStride + x];
    // Window sums along the rows, then along the columns of those sums.
    std::vector<double> rows((size_t)gh * w, 0.0);
    for (int y = 0; y < gh; ++y)
    {
        const double* g = &grid[(size_t)y * gw];
        double sum = 0;
        for (int x = 0; x < blurWidth && x < gw; ++x)
            sum += g[x];
        for (int x = 0; x < w; ++x)
        {
            rows[(size_t)y * w + x] = sum;
            if (x + blurWidth < gw)
                sum += g[x + blurWidth] - g[x];
        }
    }
    const double scale = (double)blurWidth * blurHeight * 255.0;
    for (int x = 0; x < w; ++x)
    {
        double sum = 0;
        for (int y = 0; y < blurHeight && y < gh; ++y)
            sum += rows[(size_t)y * w + x];
        for (int y = 0; y < h; ++y)
        {
            factors[(size_t)y * w + x] = sum / scale;
            if (y + blurHeight < gh)
                sum += rows[(size_t)(y + blurHeight) * w + x] - rows[(size_t)y * w + x];
        }
    }
}
