// A solid brush of a colour, or no brush at all for CLR_NONE (-1), selected
// into a DC for a scope.
#pragma once

#include <VZPSelectors.h>

class CBrushSelector : public CVZPBrushSelector
{
public:
    CBrushSelector(CDC* pDC, COLORREF cr);
    void SetColor(COLORREF cr);

private:
    HDC m_hDC;
};
