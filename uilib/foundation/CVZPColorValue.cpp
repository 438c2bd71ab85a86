#include "CVZPColorValue.h"

const COLORREF g_clrVZPBlack = RGB(0, 0, 0);
const COLORREF g_clrVZPWhite = RGB(255, 255, 255);
const COLORREF g_clrVZPDarkGray = RGB(64, 64, 64);
const COLORREF g_clrVZPGray = RGB(128, 128, 128);
const COLORREF g_clrVZPLightGray = RGB(192, 192, 192);

namespace {

BYTE ClampChannel(int n)
{
    return static_cast<BYTE>(n < 0 ? 0 : (n > 255 ? 255 : n));
}

}  // namespace

CVZPColorValue& CVZPColorValue::Blend(const CVZPColorValue& other, int nPercent)
{
    auto mix = [nPercent](int a, int b) { return ClampChannel((a * (100 - nPercent) + b * nPercent) / 100); };
    m_clr = RGB(mix(GetRValue(m_clr), GetRValue(other.m_clr)), mix(GetGValue(m_clr), GetGValue(other.m_clr)),
                mix(GetBValue(m_clr), GetBValue(other.m_clr)));
    return *this;
}

CVZPColorValue& CVZPColorValue::Subtract(const CVZPColorValue& other)
{
    m_clr = RGB(ClampChannel(GetRValue(m_clr) - GetRValue(other.m_clr)),
                ClampChannel(GetGValue(m_clr) - GetGValue(other.m_clr)),
                ClampChannel(GetBValue(m_clr) - GetBValue(other.m_clr)));
    return *this;
}
