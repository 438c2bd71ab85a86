#include "CVZPDrawTools.h"

#include "VZPDrawHelpers.h"

#include <algorithm>

namespace {
CVZPDrawTools* g_pDrawTools = NULL;

TRIVERTEX Vertex(LONG x, LONG y, COLORREF clr)
{
    TRIVERTEX v = {};
    v.x = x;
    v.y = y;
    v.Red = COLOR16(GetRValue(clr) << 8);
    v.Green = COLOR16(GetGValue(clr) << 8);
    v.Blue = COLOR16(GetBValue(clr) << 8);
    v.Alpha = 0;
    return v;
}

int BlendChannel(int a, int b, float fWeight)
{
    const int n = int(a * fWeight + b * (1.0f - fWeight));
    return n < 0 ? 0 : (n > 255 ? 255 : n);
}
}  // namespace

CVZPDrawTools::CVZPDrawTools() : m_hMsimg32(NULL), m_pfnGradientFill(NULL), m_bForceLineByLine(FALSE)
{
    m_hMsimg32 = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsimg32 != NULL)
    {
        FARPROC pfn = ::GetProcAddress(m_hMsimg32, "GradientFill");
        m_pfnGradientFill = reinterpret_cast<PFNGRADIENTFILL>(reinterpret_cast<void (*)()>(pfn));
    }
}

CVZPDrawTools::~CVZPDrawTools()
{
    if (m_hMsimg32 != NULL)
        ::FreeLibrary(m_hMsimg32);
}

CVZPDrawTools* CVZPDrawTools::GetInstance()
{
    if (g_pDrawTools == NULL)
        g_pDrawTools = new CVZPDrawTools;
    return g_pDrawTools;
}

void CVZPDrawTools::InitializeProcessState()
{
    GetInstance();
}

void CVZPDrawTools::ReleaseProcessState()
{
    delete g_pDrawTools;
    g_pDrawTools = NULL;
}

void CVZPDrawTools::ForceLineByLineForTest(BOOL bForce)
{
    GetInstance()->m_bForceLineByLine = bForce;
}

COLORREF CVZPDrawTools::BlendColors(COLORREF clrA, COLORREF clrB, float fWeight)
{
    return RGB(BlendChannel(GetRValue(clrA), GetRValue(clrB), fWeight),
               BlendChannel(GetGValue(clrA), GetGValue(clrB), fWeight),
               BlendChannel(GetBValue(clrA), GetBValue(clrB), fWeight));
}

void CVZPDrawTools::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    if (lpRect == NULL || ::IsRectEmpty(lpRect))
        return;
    const CRect rect(*lpRect);
    if (crFrom == crTo || IsLowColorDisplay(pDC->GetSafeHdc()))
    {
        pDC->FillSolidRect(rect, crFrom);
        return;
    }
    const CVZPDrawTools* pTools = GetInstance();
    if (pTools->m_pfnGradientFill != NULL && !pTools->m_bForceLineByLine)
    {
        TRIVERTEX vertices[2] = { Vertex(rect.left, rect.top, crFrom), Vertex(rect.right, rect.bottom, crTo) };
        GRADIENT_RECT gradientRect = { 0, 1 };
        pTools->m_pfnGradientFill(pDC->GetSafeHdc(), vertices, 2, &gradientRect, 1,
                                  bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    pTools->FillLineByLine(pDC, rect, crFrom, crTo, bHorz);
}

void CVZPDrawTools::FillLineByLine(CDC* pDC, const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz) const
{
    const int nWidth = rect.Width() > 0 ? rect.Width() : 1;
    const int nHeight = rect.Height() > 0 ? rect.Height() : 1;
    // Only the lines that can show are drawn.
    CRect rcDrawn;
    pDC->GetClipBox(&rcDrawn);
    if (rcDrawn.IsRectEmpty())
        rcDrawn = rect;
    else if (!rcDrawn.IntersectRect(&rcDrawn, &rect))
        return;
    if (bHorz)
    {
        for (int x = rcDrawn.left; x < rcDrawn.right; x++)
        {
            const float fWeight = 1.0f - float(x - rect.left) / float(nWidth);
            pDC->FillSolidRect(x, rcDrawn.top, 1, rcDrawn.Height(), BlendColors(crFrom, crTo, fWeight));
        }
    }
    else
    {
        for (int y = rcDrawn.top; y < rcDrawn.bottom; y++)
        {
            const float fWeight = 1.0f - float(y - rect.top) / float(nHeight);
            pDC->FillSolidRect(rcDrawn.left, y, rcDrawn.Width(), 1, BlendColors(crFrom, crTo, fWeight));
        }
    }
}

void CVZPDrawTools::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                        LPCRECT lpClip)
{
    if (lpClip == NULL || lpRect == NULL)
    {
        GradientFill(pDC, lpRect, crFrom, crTo, bHorz);
        return;
    }
    // Along the gradient's axis: the rectangle's start and end, the clip's,
    // and the ends of the other axis limited to the clip.
    CRect rect(*lpRect);
    LONG& nStart = bHorz ? rect.left : rect.top;
    LONG& nEnd = bHorz ? rect.right : rect.bottom;
    const LONG nClipStart = bHorz ? lpClip->left : lpClip->top;
    const LONG nClipEnd = bHorz ? lpClip->right : lpClip->bottom;
    LONG& nAcrossStart = bHorz ? rect.top : rect.left;
    LONG& nAcrossEnd = bHorz ? rect.bottom : rect.right;
    nAcrossStart = std::max(nAcrossStart, bHorz ? lpClip->top : lpClip->left);
    nAcrossEnd = std::min(nAcrossEnd, bHorz ? lpClip->bottom : lpClip->right);
    if (nStart > nClipEnd || nEnd < nClipStart)
        return;
    // A colour at position p is BlendColors(crFrom, crTo, (end - p) / length)
    // of the unclipped gradient.
    const LONG nFullEnd = nEnd;
    const float fLength = float(nEnd - nStart);
    COLORREF crStart = crFrom;
    COLORREF crStop = crTo;
    if (nStart < nClipStart)
    {
        nStart = nClipStart;
        crStart = BlendColors(crFrom, crTo, float(nFullEnd - nClipStart) / fLength);
    }
    if (nEnd > nClipEnd)
    {
        nEnd = nClipEnd;
        crStop = BlendColors(crFrom, crTo, float(nFullEnd - nClipEnd) / fLength);
    }
    GradientFill(pDC, rect, crStart, crStop, bHorz);
}

void CVZPDrawTools::FillGradientColor(CDC* pDC, LPCRECT lpRect, const CVZPGradientColor* pColor, BOOL bHorz,
                                      LPCRECT lpClip)
{
    if (lpRect == NULL || pColor == NULL)
        return;
    const COLORREF clrStart = pColor->GetStartColor();
    const COLORREF clrEnd = pColor->GetEndColor();
    if (pColor->m_fGradientFactor == 0.5f)
    {
        GradientFillClipped(pDC, lpRect, clrStart, clrEnd, bHorz, lpClip);
        return;
    }
    const COLORREF clrMiddle = BlendColors(clrStart, clrEnd, pColor->m_fGradientFactor);
    CRect rcFirst(*lpRect);
    CRect rcSecond(*lpRect);
    if (bHorz)
        rcFirst.right = rcSecond.left = lpRect->right - (lpRect->right - lpRect->left) / 2;
    else
        rcFirst.bottom = rcSecond.top = lpRect->bottom - (lpRect->bottom - lpRect->top) / 2;
    GradientFillClipped(pDC, rcFirst, clrStart, clrMiddle, bHorz, lpClip);
    GradientFillClipped(pDC, rcSecond, clrMiddle, clrEnd, bHorz, lpClip);
}

void CVZPDrawTools::AveragePixels(CDC* pDC, const POINT* pPoints, int nCount)
{
    for (int i = 0; i + 1 < nCount; i += 2)
    {
        const POINT pt = pPoints[i];
        const COLORREF clrHere = pDC->GetPixel(pt);
        const COLORREF clrNear = pDC->GetPixel(pt.x + pPoints[i + 1].x, pt.y + pPoints[i + 1].y);
        pDC->SetPixel(pt, RGB((GetRValue(clrHere) + GetRValue(clrNear)) / 2,
                              (GetGValue(clrHere) + GetGValue(clrNear)) / 2,
                              (GetBValue(clrHere) + GetBValue(clrNear)) / 2));
    }
}
