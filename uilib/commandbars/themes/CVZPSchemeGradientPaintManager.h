// Command-bar theme 4, the scheme gradient look, the base of the application's own theme.
#pragma once

#include "CVZPGradientPaintManager.h"

class CVZPSchemeGradientPaintManager : public CVZPGradientPaintManager
{
public:
    CVZPSchemeGradientPaintManager();
    ~CVZPSchemeGradientPaintManager() override;

    int GetThemeType() const override { return 4; }
};
