// A solid one-pixel pen of a colour, selected into a DC for a scope; the flat
// combo box's painter draws with it.
#pragma once

#include <VZPSelectors.h>

class CPenSelector : public CVZPPenSelector
{
public:
    CPenSelector(CDC* pDC, COLORREF cr) : CVZPPenSelector(pDC->GetSafeHdc(), cr) {}
};
