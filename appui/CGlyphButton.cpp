#include "CGlyphButton.h"

#include "CBrushSelector.h"
#include "CPenSelector.h"
#include "ColorHls.h"

void DrawGlyphLines(CDC* pDC, int x, int y, int nCount, BOOL bUpward)
{
    for (int i = 0; i < nCount; i++)
    {
        int yLine = bUpward ? y - i : y + i;
        pDC->MoveTo(x - i, yLine);
        pDC->LineTo(x + i + 1, yLine);
    }
}

COLORREF CGlyphButton::HotFill()
{
    return AdjustLightSaturation(::GetSysColor(COLOR_HIGHLIGHT), 70, -57);
}

COLORREF CGlyphButton::PressedFill()
{
    return AdjustLightSaturation(::GetSysColor(COLOR_HIGHLIGHT), 50, -50);
}

void CGlyphButton::DrawFace(CDC* pDC, const CRect& rect, DWORD dwFlags, BOOL bPressed)
{
    BOOL bFlat = (dwFlags & styleFlat) != 0;
    BOOL bDisabled = (dwFlags & stateDisabled) != 0;
    if (!bFlat)
    {
        CRect rectFace = rect;
        pDC->DrawFrameControl(&rectFace, DFC_SCROLL, DFCS_SCROLLUP | (bPressed ? DFCS_PUSHED : 0));
        return;
    }
    if ((dwFlags & stateHot) && !bDisabled)
    {
        CPenSelector pen(pDC, ::GetSysColor(COLOR_HIGHLIGHT));
        CBrushSelector brush(pDC, bPressed ? PressedFill() : HotFill());
        pDC->Rectangle(&rect);
    }
    else if (!(dwFlags & styleNoFlatFrame))
    {
        CPenSelector pen(pDC, ::GetSysColor((dwFlags & styleFramed) ? COLOR_BTNSHADOW : COLOR_WINDOW));
        CBrushSelector brush(pDC, CLR_NONE);
        pDC->Rectangle(&rect);
    }
}

void CGlyphButton::DrawGlyph(CDC* pDC, const CRect& rect, DWORD dwFlags, BOOL bPressed)
{
    BOOL bFlat = (dwFlags & styleFlat) != 0;
    BOOL bDisabled = (dwFlags & stateDisabled) != 0;
    COLORREF crGlyph;
    if (!bFlat)
        crGlyph = ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    else if (bPressed)
        crGlyph = RGB(240, 240, 240);
    else if (bDisabled)
        crGlyph = ::GetSysColor(COLOR_GRAYTEXT);
    else
        crGlyph = pDC->GetPixel(rect.left + 1, rect.top) == HotFill() ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNTEXT);

    int nShift = !bFlat && bPressed ? 1 : 0;
    int x = (rect.left + rect.right) / 2 + nShift;
    int yTip = (rect.top + rect.bottom) / 2 + (!bFlat && !bPressed ? 1 : 2);
    CPenSelector pen(pDC, crGlyph);
    switch (dwFlags & glyphMask)
    {
    case glyphUp:
        DrawGlyphLines(pDC, x, yTip - 3, 4, FALSE);
        break;
    case glyphDown:
        DrawGlyphLines(pDC, x, yTip, 4, TRUE);
        break;
    case glyphEllipsis:
    {
        CRect rectText = rect;
        rectText.OffsetRect(nShift, 0);
        int nOldMode = pDC->SetBkMode(TRANSPARENT);
        COLORREF crOld = pDC->SetTextColor(crGlyph);
        pDC->DrawText(_T("..."), 3, &rectText, DT_SINGLELINE | DT_BOTTOM);
        pDC->SetTextColor(crOld);
        pDC->SetBkMode(nOldMode);
        break;
    }
    case glyphCross:
    {
        int x1 = rect.left + rect.Width() / 3;
        int x2 = rect.left + rect.Width() * 2 / 3;
        int y1 = rect.top + rect.Height() / 3;
        int y2 = rect.top + rect.Height() * 2 / 3;
        for (int d = 0; d < 2; d++)
        {
            pDC->MoveTo(x1 + d, y1);
            pDC->LineTo(x2 + d, y2);
            pDC->MoveTo(x2 - 1 + d, y1);
            pDC->LineTo(x1 - 1 + d, y2);
        }
        break;
    }
    default:
        break;
    }
}

void CGlyphButton::Draw(CDC* pDC, DWORD dwFlags)
{
    if (dwFlags == 0)
        dwFlags = m_dwFlags;
    int nSaved = pDC->SaveDC();
    CRect rect = m_rect;
    BOOL bFlat = (dwFlags & styleFlat) != 0;
    {
        CPenSelector pen(pDC, ::GetSysColor(COLOR_BTNFACE));
        CBrushSelector brush(pDC, ::GetSysColor(COLOR_BTNFACE));
        if ((dwFlags & styleFramed) && !bFlat)
        {
            pDC->MoveTo(rect.right - 1, rect.top);
            pDC->LineTo(rect.left, rect.top);
            pDC->LineTo(rect.left, rect.bottom);
            pDC->SetPixel(rect.right - 1, rect.top, ::GetSysColor(COLOR_3DDKSHADOW));
            rect.OffsetRect(1, 1);
        }
    }

    if ((dwFlags & glyphMask) == glyphSpin)
    {
        // Two halves, each pressed by its own bit, each with a three-line arrow.
        CRect rectUp(rect.left, rect.top, rect.right, (rect.top + rect.bottom) / 2);
        CRect rectDown(rect.left, rectUp.bottom, rect.right, rect.bottom);
        BOOL bUpPressed = (dwFlags & statePressed) != 0;
        BOOL bDownPressed = (dwFlags & statePressedLow) != 0;
        DrawFace(pDC, rectUp, dwFlags, bUpPressed);
        DrawFace(pDC, rectDown, dwFlags, bDownPressed);
        if (!bFlat)
        {
            CPenSelector pen(pDC, ::GetSysColor(COLOR_BTNSHADOW));
            pDC->MoveTo(rect.left, rectUp.bottom);
            pDC->LineTo(rect.right, rectUp.bottom);
        }
        for (int nHalf = 0; nHalf < 2; nHalf++)
        {
            const CRect& r = nHalf == 0 ? rectUp : rectDown;
            BOOL bPressed = nHalf == 0 ? bUpPressed : bDownPressed;
            COLORREF crGlyph = ::GetSysColor((dwFlags & stateDisabled) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
            if (bFlat && bPressed)
                crGlyph = RGB(240, 240, 240);
            CPenSelector pen(pDC, crGlyph);
            int x = (r.left + r.right) / 2 + (!bFlat && bPressed ? 1 : 0);
            int yMid = (r.top + r.bottom) / 2;
            if (nHalf == 0)
                DrawGlyphLines(pDC, x, yMid - 1, 3, FALSE);
            else
                DrawGlyphLines(pDC, x, yMid + 1, 3, TRUE);
        }
    }
    else
    {
        BOOL bPressed = (dwFlags & statePressed) != 0;
        DrawFace(pDC, rect, dwFlags, bPressed);
        DrawGlyph(pDC, rect, dwFlags, bPressed);
    }
    pDC->RestoreDC(nSaved);
}
