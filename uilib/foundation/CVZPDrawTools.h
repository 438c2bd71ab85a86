// The library's process-wide drawing tools: two-colour gradients (through
// msimg32's GradientFill when present, line by line otherwise), gradient
// records, float colour blending and pixel smoothing. The operations are
// called as CVZPDrawTools::GradientFill(...) and use the one object that a
// start-up initialiser builds.
#pragma once

#include <afxwin.h>

#include "CVZPGradientColor.h"

class CVZPDrawTools
{
public:
    CVZPDrawTools();
    virtual ~CVZPDrawTools();
    CVZPDrawTools(const CVZPDrawTools&) = delete;
    CVZPDrawTools& operator=(const CVZPDrawTools&) = delete;

    // From crFrom at the left (bHorz) or top edge to crTo at the opposite
    // edge. Nothing for a NULL or empty rectangle; a solid fill in crFrom
    // when the colours are equal or the DC has 256 colours or fewer.
    static void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    // The same gradient, drawn only where it meets lpClip (no clip: all of it).
    static void GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                    LPCRECT lpClip);
    // Fills from a gradient record: one gradient for the factor 0.5, else two
    // halves meeting at the middle in BlendColors(start, end, factor).
    static void FillGradientColor(CDC* pDC, LPCRECT lpRect, const CVZPGradientColor* pColor, BOOL bHorz,
                                  LPCRECT lpClip = NULL);
    // Per channel trunc(a * fWeight + b * (1 - fWeight)), limited to 0..255.
    static COLORREF BlendColors(COLORREF clrA, COLORREF clrB, float fWeight);
    // pPoints holds nCount / 2 pairs of (point, offset): each point's pixel
    // becomes the per-channel average of itself and the pixel at point + offset.
    static void AveragePixels(CDC* pDC, const POINT* pPoints, int nCount);

    // The process-wide object (built by its start-up initialiser, or on
    // first use before start-up).
    static CVZPDrawTools* GetInstance();
    static void InitializeProcessState();
    static void ReleaseProcessState();
    // Test seam: TRUE makes msimg32's GradientFill count as missing, so the
    // line-by-line path runs. Nothing in the program calls it.
    static void ForceLineByLineForTest(BOOL bForce);

private:
    typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    void FillLineByLine(CDC* pDC, const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz) const;

    HMODULE m_hMsimg32;
    PFNGRADIENTFILL m_pfnGradientFill;
    BOOL m_bForceLineByLine;
};
