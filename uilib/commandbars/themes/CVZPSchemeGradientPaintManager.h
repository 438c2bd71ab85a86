// Command-bar theme 4, the scheme gradient look, the base of the application's
// own theme: the gradient theme with neutral colour sets of its own, chosen by
// the colour manager's scheme, without the orange state gradients and with
// single separators.
#pragma once

#include "CVZPGradientPaintManager.h"

class CVZPSchemeGradientPaintManager : public CVZPGradientPaintManager
{
public:
    CVZPSchemeGradientPaintManager();
    ~CVZPSchemeGradientPaintManager() override;

    int GetThemeType() const override { return 4; }
    void RefreshMetrics() override;
};
