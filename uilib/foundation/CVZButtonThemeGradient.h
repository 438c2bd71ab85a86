// The gradient look of the library's push button, coloured by the visual
// style's colour scheme.
#pragma once

#include "CVZButtonThemeFlat.h"

class CVZButtonThemeGradient : public CVZButtonThemeFlat
{
public:
    CVZButtonThemeGradient();

    void RefreshMetrics() override;
    void DrawButtonImage(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
};
