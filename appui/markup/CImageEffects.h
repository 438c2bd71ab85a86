// The painter of the markup renderer and the HTML message box: background
// fills by effect number (solid, gradients, generated patterns), rectangle
// borders, lines and tiling, and image drawing with colour effects,
// transparency, alpha and drop shadows.
#pragma once

#include <windows.h>

#include "CPaletteDib.h"

// Colour effect flags of the image operations.
enum ImageEffectFlags
{
    ImageEffectGrey = 0x0001,
    ImageEffectDarken = 0x0002,
    ImageEffectLighten = 0x0004,
    ImageEffectFill = 0x0008,
    ImageEffectHardShadow = 0x0100,
    ImageEffectSoftShadow = 0x0200,
    ImageEffectInvert = 0x8000,
};

class CImageEffects
{
public:
    CImageEffects();
    virtual ~CImageEffects();
    CImageEffects(const CImageEffects&) = delete;
    CImageEffects& operator=(const CImageEffects&) = delete;

    // Fills and lines.
    void FillEffect(HDC hdc, int nEffect, const RECT& rc, COLORREF color1, COLORREF color2, COLORREF color3,
                    int nGranularity, int nBlend);
    void FillGradient(HDC hdc, const RECT& rc, COLORREF start, COLORREF end, BOOL bHorizontal);
    // Builds the pattern bitmap (w x h of rc, origin 0,0); FALSE when nothing
    // was built (an empty rectangle or no memory).
    BOOL FillPattern(const RECT& rc, int nEffect, int nGranularity, int nBlend, COLORREF color1, COLORREF color2,
                     COLORREF color3);
    void DrawRectBorder(HDC hdc, const RECT& rc, COLORREF color1, COLORREF color2, int nType, int nWidth);
    void DrawLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF color, int nType, int nWidth);
    void TileBitmap(HDC hdc, int left, int top, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
                    int tileWidth, int tileHeight);
    CPaletteDib& PatternBitmap() { return m_pattern; }

    // Images.
    static void GetIconSize(HICON hIcon, SIZE& size);
    static void GetBitmapSize(HBITMAP hBitmap, SIZE& size);
    HBITMAP TransformBitmap(HBITMAP hBitmap, int w, int h, int nFlags, BOOL bUseMask, COLORREF maskColor,
                            COLORREF color);
    static DWORD GreyPixel(DWORD pixel);
    static DWORD InvertPixel(DWORD pixel);
    static DWORD DarkenPixel(DWORD pixel, double x);
    static DWORD LightenPixel(DWORD pixel, double x);
    static DWORD BlendPixels(DWORD a, double weightA, DWORD b, double weightB);
    void AlphaDraw(HDC hdc, int x, int y, int w, int h, HDC hdcSrc, int xSrc, int ySrc);
    static HICON ResizeIcon(HICON hIcon, int w, int h);
    void DrawBitmap(HDC hdc, int x, int y, int w, int h, HBITMAP hBitmap, BOOL bUseMask, COLORREF maskColor,
                    int nFlags, BOOL bShadow, int xShadow, int yShadow, int blurWidth, int blurHeight,
                    COLORREF color);
    void DrawIcon(HDC hdc, int x, int y, int w, int h, HICON hIcon, int nFlags, BOOL bShadow, int xShadow,
                  int yShadow, int blurWidth, int blurHeight, COLORREF color);
    void DrawStripFrame(HDC hdc, int x, int y, int w, int h, HBITMAP hStrip, int nFrame, int frameWidth,
                        int frameHeight, BOOL bUseMask, COLORREF maskColor, int nFlags, BOOL bShadow, int xShadow,
                        int yShadow, int blurWidth, int blurHeight, COLORREF color);
    void DrawShadow(HDC hdc, int x, int y, int w, int h, HBITMAP hSilhouette, BOOL bSoft, int blurWidth,
                    int blurHeight);
    // factors receives w * h values, row by row from the top.
    static void BoxBlur(int w, int h, const BYTE* pSource, int sourceStride, int blurWidth, int blurHeight,
                        double* factors);
    BOOL HasAlpha() const { return m_bHasAlpha; }

    // A 32-bit top-down DIB section of w x h (pixels 0xAARRGGBB), or NULL.
    static HBITMAP CreateDib32(int w, int h, DWORD** ppBits);

private:
    void DrawImage(HDC hdc, int x, int y, int w, int h, HBITMAP hImage, HBITMAP hMask, DWORD maskRop);
    void DrawShadowOrOffset(HDC hdc, int& x, int& y, int w, int h, HBITMAP hSource, BOOL bUseMask,
                            COLORREF maskColor, int nFlags, BOOL bShadow, int xShadow, int yShadow,
                            int blurWidth, int blurHeight, COLORREF color);

    CPaletteDib m_pattern;
    BOOL m_bHasAlpha;
};
