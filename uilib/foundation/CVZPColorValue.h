// A colour value with per-channel blending and subtraction, and the library's
// fixed grey scale.
#pragma once

#include <windows.h>

class CVZPColorValue
{
public:
    CVZPColorValue(COLORREF clr = 0) : m_clr(clr) {}
    operator COLORREF() const { return m_clr; }

    // Each channel becomes (this * (100 - percent) + other * percent) / 100,
    // truncated and kept within 0 to 255. Returns this value.
    CVZPColorValue& Blend(const CVZPColorValue& other, int nPercent);
    // Each channel becomes this - other, never below 0. Returns this value.
    CVZPColorValue& Subtract(const CVZPColorValue& other);

private:
    COLORREF m_clr;
};

extern const COLORREF g_clrVZPBlack;       // RGB(0, 0, 0)
extern const COLORREF g_clrVZPWhite;       // RGB(255, 255, 255)
extern const COLORREF g_clrVZPDarkGray;    // RGB(64, 64, 64)
extern const COLORREF g_clrVZPGray;        // RGB(128, 128, 128)
extern const COLORREF g_clrVZPLightGray;   // RGB(192, 192, 192)
