// A colour the library computes (the standard value) that an owner may force
// (the override); -1 in either means none.
#pragma once

#include <windows.h>

class CVZPOverridableColor
{
public:
    CVZPOverridableColor() : m_clrStandard(COLORREF(-1)), m_clrOverride(COLORREF(-1)) {}

    // The override when set, else the standard value.
    COLORREF GetColor() const { return m_clrOverride != COLORREF(-1) ? m_clrOverride : m_clrStandard; }
    operator COLORREF() const { return GetColor(); }
    // Assigning a colour sets the standard value; an override stays.
    CVZPOverridableColor& operator=(COLORREF clr)
    {
        m_clrStandard = clr;
        return *this;
    }
    void SetStandardValue(COLORREF clr) { m_clrStandard = clr; }
    // TRUE when neither value is set.
    BOOL IsEmpty() const { return m_clrStandard == COLORREF(-1) && m_clrOverride == COLORREF(-1); }

    COLORREF m_clrStandard;
    COLORREF m_clrOverride;
};
