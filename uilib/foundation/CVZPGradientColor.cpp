#include "CVZPGradientColor.h"

CVZPGradientColor::CVZPGradientColor() : m_fGradientFactor(0.5f) {}

CVZPGradientColor::CVZPGradientColor(COLORREF clr) : m_fGradientFactor(0.5f)
{
    SetStandardValue(clr);
}

void CVZPGradientColor::SetStandardValue(COLORREF clr)
{
    SetStandardValue(clr, clr, 0.5f);
}

void CVZPGradientColor::SetStandardValue(COLORREF clrStart, COLORREF clrEnd, float fFactor)
{
    m_clrStart.SetStandardValue(clrStart);
    m_clrEnd.SetStandardValue(clrEnd);
    m_fGradientFactor = fFactor;
}

void CVZPGradientColor::SetStandardFrom(const CVZPGradientColor& g)
{
    SetStandardValue(g.GetStartColor(), g.GetEndColor(), g.m_fGradientFactor);
}
