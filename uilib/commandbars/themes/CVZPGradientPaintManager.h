// Command-bar theme 2, the gradient look: gradient-filled bars and colour
// sets that follow the visual-style colour scheme.
#pragma once

#include "CVZPFlatPaintManager.h"

class CVZPGradientPaintManager : public CVZPFlatPaintManager
{
public:
    CVZPGradientPaintManager();
    ~CVZPGradientPaintManager() override;

    int GetThemeType() const override { return 2; }

    // Excludes the four corner pixels of the rectangle from the DC's
    // clipping region (round-cornered bands and tabs).
    static void ExcludeCornerPixels(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);
};
