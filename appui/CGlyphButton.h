// Small push buttons with a glyph (arrows, a spin pair, an ellipsis or a
// cross), in classic 3-D form or in a flat form whose fills are blended from
// the highlight colour.
#pragma once

#include <afxwin.h>

// count horizontal lines of widths 1, 3, 5 ...: line i spans x - i .. x + i,
// at y - i when bUpward, else at y + i.
void DrawGlyphLines(CDC* pDC, int x, int y, int nCount, BOOL bUpward);

class CGlyphButton
{
public:
    enum
    {
        glyphUp = 1,
        glyphDown = 2,
        glyphSpin = 5,
        glyphEllipsis = 7,
        glyphCross = 8,
        glyphMask = 0xFF,
        stateDisabled = 0x100,
        styleFramed = 0x200,      // sits in a 3-D frame whose left and top edges it draws
        styleFlat = 0x800,
        statePressed = 0x1000,    // the button, or a spin pair's upper half
        statePressedLow = 0x2000, // a spin pair's lower half
        stateHot = 0x4000,
        styleNoFlatFrame = 0x8000,
    };

    CGlyphButton(DWORD dwFlags = 0, const CRect& rect = CRect()) : m_dwFlags(dwFlags), m_rect(rect) {}
    virtual ~CGlyphButton() = default;

    // Draws with dwFlags, or with m_dwFlags when dwFlags is 0.
    virtual void Draw(CDC* pDC, DWORD dwFlags = 0);

    // The flat form's fills, blended from the highlight colour.
    static COLORREF HotFill();
    static COLORREF PressedFill();

    DWORD m_dwFlags;
    CRect m_rect;

private:
    void DrawFace(CDC* pDC, const CRect& rect, DWORD dwFlags, BOOL bPressed);
    void DrawGlyph(CDC* pDC, const CRect& rect, DWORD dwFlags, BOOL bPressed);
};
