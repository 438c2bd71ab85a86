// Background fills, borders, lines and tiling of CImageEffects.
#include "CImageEffects.h"

#include <stdlib.h>

namespace {

// (t^3 / 128) / 128 with both divisions truncating, the bump profile.
int Cube(int t)
{
    return (t * t * t / 128) / 128;
}

int PenStyleOf(int nType)
{
    switch (nType)
    {
    case 2: return PS_DASH;
    case 3: return PS_DOT;
    case 4: return PS_DASHDOT;
    case 5: return PS_DASHDOTDOT;
    default: return PS_SOLID;
    }
}

BYTE Channel(COLORREF c, int shift)
{
    return (BYTE)((c >> shift) & 0xFF);
}

// Per channel (a * wa + b * wb) / total.
COLORREF Mix(COLORREF a, int wa, COLORREF b, int wb, int total)
{
    int ch[3];
    for (int i = 0; i < 3; ++i)
        ch[i] = (Channel(a, 8 * i) * wa + Channel(b, 8 * i) * wb) / total;
    return RGB(ch[0], ch[1], ch[2]);
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

CImageEffects::CImageEffects() : m_bHasAlpha(FALSE)
{
}

CImageEffects::~CImageEffects()
{
}

void CImageEffects::FillEffect(HDC hdc, int nEffect, const RECT& rc, COLORREF color1, COLORREF color2,
                               COLORREF color3, int nGranularity, int nBlend)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    RECT a = rc, b = rc;
    switch (nEffect)
    {
    case 1:
    case 2:
        FillGradient(hdc, rc, color1, color3, nEffect == 1);
        return;
    case 3:
    case 5:
        a.right = b.left = rc.left + (rc.right - rc.left) / 2;
        break;
    case 4:
    case 6:
        a.bottom = b.top = rc.top + (rc.bottom - rc.top) / 2;
        break;
    default:
        if (nEffect >= 7 && nEffect <= 15)
        {
            RECT origin = {0, 0, rc.right - rc.left, rc.bottom - rc.top};
            if (FillPattern(origin, nEffect, nGranularity, nBlend, color1, color2, color3))
                m_pattern.Draw(hdc, rc.left, rc.top);
            return;
        }
        HBRUSH hBrush = CreateSolidBrush(color1);
        FillRect(hdc, &rc, hBrush);
        DeleteObject(hBrush);
        return;
    }
    const BOOL bHorizontal = nEffect == 3 || nEffect == 5;
    if (nEffect <= 4)
    {
        FillGradient(hdc, a, color1, color3, bHorizontal);
        FillGradient(hdc, b, color3, color1, bHorizontal);
    }
    else
    {
        FillGradient(hdc, a, color1, color2, bHorizontal);
        FillGradient(hdc, b, color2, color3, bHorizontal);
    }
}

void CImageEffects::FillGradient(HDC hdc, const RECT& rc, COLORREF start, COLORREF end, BOOL bHorizontal)
{
    const int origin = bHorizontal ? rc.left : rc.top;
    const int length = bHorizontal ? rc.right - rc.left : rc.bottom - rc.top;
    for (int k = 0; k < 64; ++k)
    {
        int ch[3];
        for (int i = 0; i < 3; ++i)
        {
            const int s = Channel(start, 8 * i), e = Channel(end, 8 * i);
            ch[i] = (s * 64 + k * (e - s)) >> 6;
        }
        RECT band = rc;
        const int from = origin + ((k * length) >> 6);
        const int to = origin + (((k + 1) * length) >> 6);
        if (to <= from)
            continue;
        if (bHorizontal)
        {
            band.left = from;
            band.right = to;
        }
        else
        {
            band.top = from;
            band.bottom = to;
        }
        HBRUSH hBrush = CreateSolidBrush(RGB(ch[0], ch[1], ch[2]));
        FillRect(hdc, &band, hBrush);
        DeleteObject(hBrush);
    }
}

BOOL CImageEffects::FillPattern(const RECT& rc, int nEffect, int nGranularity, int nBlend, COLORREF color1,
                                COLORREF color2, COLORREF color3)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0 || m_pattern.Create(w, h, 8) == NULL)
        return FALSE;
    for (int i = 0; i <= 128; ++i)
    {
        const COLORREF c = Mix(color3, 128 - i, color2, i, 128);
        m_pattern.SetPaletteEntry(i, GetRValue(c), GetGValue(c), GetBValue(c));
    }
    for (int j = 1; j <= 128; ++j)
    {
        const COLORREF c = Mix(color1, j, color2, 128 - j, 128);
        m_pattern.SetPaletteEntry(127 + j, GetRValue(c), GetGValue(c), GetBValue(c));
    }
    m_pattern.BlendPalette(color1, nBlend);

    const int G = nGranularity;
    const int noiseDivisor = 32767 / (2 * G > 1 ? 2 * G : 1);
    auto noise = [&]() { return rand() / noiseDivisor - G; };
    BYTE* bits = m_pattern.GetBits();
    const int stride = m_pattern.GetStride();
    // r counts rows from the bottom, which is the first row of the block.
    auto at = [&](int x, int r) -> BYTE& { return bits[(size_t)stride * r + x]; };

    switch (nEffect)
    {
    case 7:
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                at(x, r) = (BYTE)(128 + noise());
        break;
    case 8:
    {
        const int n = (255 - 2 * G) / 2;
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                at(x, r) = (BYTE)(G + (r * n) / h + (n * (w - x)) / w + noise());
        break;
    }
    case 9:
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                at(x, r) = (BYTE)(G + (r * (255 - 2 * G)) / h + noise());
        break;
    case 10:
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                at(x, r) = (BYTE)(G + ((255 - 2 * G) * (w - x)) / w + noise());
        break;
    case 11:
        for (int r = 0; r < h; ++r)
        {
            const int t = (r * 255) / h - 127;
            for (int x = 0; x < w; ++x)
                at(x, r) = (BYTE)(128 + (Cube(t) * (128 - G)) / 128 + noise());
        }
        break;
    case 12:
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
            {
                const int u = (255 * (w - x)) / w - 127;
                at(x, r) = (BYTE)(128 + (Cube(u) * (128 - G)) / 128 + noise());
            }
        break;
    case 13:
        for (int r = 0; r < h; ++r)
        {
            const int t = (r * 255) / h - 127;
            for (int x = 0; x < w; ++x)
            {
                const int u = (255 * (w - x)) / w - 127;
                int v = 128 + ((Cube(t) + Cube(u)) * (128 - G)) / 128;
                v = v < G ? G : (v > 255 - G ? 255 - G : v);
                at(x, r) = (BYTE)(v + noise());
            }
        }
        break;
    case 14:
    {
        for (int r = 0; r < h; ++r)
        {
            const int t = (r * 255) / h - 127;
            for (int x = 0; x < w; ++x)
                at(x, r) = (BYTE)(128 + ((Cube(t) * (64 - G)) * 2) / 128 + noise());
        }
        const int L = w / 6 > 16 ? 16 : w / 6;
        const int Q = (h * h) / 4 > 0 ? (h * h) / 4 : 1;
        for (int r = 0; r < h; ++r)
        {
            const long long dr = r - h / 2;
            const int M = (int)((dr * L * dr) / Q) - L + w / 2;
            for (int x = 0; x < w; ++x)
            {
                const int d = x - w / 2;
                int v = at(x, r);
                if (L > 0 && d > M)
                    v = G + (128 * (w - x)) / L;
                if (L > 0 && M + d < 0)
                    v = (255 - G) - (128 * x) / L;
                at(x, r) = (BYTE)(v + noise());
            }
        }
        break;
    }
    case 15:
    {
        m_pattern.Fill(0);
        const int wc = Clamp(w, 1, 32767), hc = Clamp(h, 1, 32767);
        const int minc = wc < hc ? wc : hc;
        for (int s = 0; s < 200; ++s)
        {
            const int X = rand() / (32767 / wc);
            const int Y = rand() / (32767 / hc);
            const int length = rand() / (32767 / minc);
            const int value = rand() / 819;
            for (int k = 0; k < length / 2; ++k)
            {
                if (X - k > 0 && Y + k < h)
                    m_pattern.SetPixel(X - k, Y + k, value);
                if (X + k < w && Y - k > 0)
                    m_pattern.SetPixel(w - X + k, Y - k, value);
            }
        }
        const int n = (215 - 2 * G) / 2;
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                at(x, r) = (BYTE)(at(x, r) + (r * n) / h + (n * (w - x)) / w + rand() / noiseDivisor);
        break;
    }
    default:
        break;
    }
    return TRUE;
}

void CImageEffects::DrawRectBorder(HDC hdc, const RECT& rc, COLORREF color1, COLORREF color2, int nType,
                                   int nWidth)
{
    if (nType == 0 || nWidth <= 0)
        return;
    const int style = PenStyleOf(nType);
    HPEN hPen1 = CreatePen(style, nWidth, color1);
    HPEN hPen2 = color1 != color2 ? CreatePen(style, nWidth, color2) : NULL;
    HGDIOBJ hOld = SelectObject(hdc, hPen1);
    const int passes = nType == 6 ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
    {
        const int b = nWidth / 2 + pass * 2 * nWidth;
        const int l = rc.left + b, t = rc.top + b, r = rc.right - b, bt = rc.bottom - b;
        SelectObject(hdc, hPen1);
        MoveToEx(hdc, l, bt, NULL);
        LineTo(hdc, l, t);
        LineTo(hdc, r, t);
        if (hPen2 != NULL)
            SelectObject(hdc, hPen2);
        LineTo(hdc, r, bt);
        LineTo(hdc, l, bt);
    }
    SelectObject(hdc, hOld);
    DeleteObject(hPen1);
    if (hPen2 != NULL)
        DeleteObject(hPen2);
}

void CImageEffects::DrawLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF color, int nType, int nWidth)
{
    if (nType == 0 || nWidth <= 0)
        return;
    HPEN hPen = CreatePen(PenStyleOf(nType), nWidth, color);
    HGDIOBJ hOld = SelectObject(hdc, hPen);
    MoveToEx(hdc, x1, y1, NULL);
    LineTo(hdc, x2, y2);
    if (nType == 6)
    {
        const int offset = 2 * nWidth;
        int dx = 0, dy = 0;
        if (x1 != x2)
            dy = offset;
        if (y1 != y2)
            dx = offset;
        MoveToEx(hdc, x1 + dx, y1 + dy, NULL);
        LineTo(hdc, x2 + dx, y2 + dy);
    }
    SelectObject(hdc, hOld);
    DeleteObject(hPen);
}

void CImageEffects::TileBitmap(HDC hdc, int left, int top, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
                               int tileWidth, int tileHeight)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    for (int x = left; x < left + width; x += tileWidth)
        for (int y = top; y < top + height; y += tileHeight)
        {
            const int cx = (x + tileWidth < left + width ? x + tileWidth : left + width) - x;
            const int cy = (y + tileHeight < top + height ? y + tileHeight : top + height) - y;
            BitBlt(hdc, x, y, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY);
        }
}
