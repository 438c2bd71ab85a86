// A two-colour gradient record: start and end colours with overrides, and
// the weight of the start colour in the colour drawn at the middle of the
// area (0.5 for a plain two-colour gradient). How it is drawn is
// CVZPDrawTools::FillGradientColor's business.
#pragma once

#include "CVZPOverridableColor.h"

class CVZPGradientColor
{
public:
    // Both ends empty.
    CVZPGradientColor();
    // Both ends' standard value clr.
    explicit CVZPGradientColor(COLORREF clr);

    // Both ends' standard value clr, factor 0.5; overrides are kept.
    void SetStandardValue(COLORREF clr);
    // The two standard values and the factor; overrides are kept.
    void SetStandardValue(COLORREF clrStart, COLORREF clrEnd, float fFactor = 0.5f);
    // g's effective colours become this record's standard values; its factor
    // is copied.
    void SetStandardFrom(const CVZPGradientColor& g);

    COLORREF GetStartColor() const { return m_clrStart.GetColor(); }
    COLORREF GetEndColor() const { return m_clrEnd.GetColor(); }

    CVZPOverridableColor m_clrStart;
    CVZPOverridableColor m_clrEnd;
    float m_fGradientFactor;
};
