// Command-bar theme 3, the native visual-style look: bars, buttons and
// grippers drawn through the platform's visual styles, falling back to the
// classic look.
#pragma once

#include "CVZPClassicPaintManager.h"

class CVZPNativePaintManager : public CVZPClassicPaintManager
{
public:
    CVZPNativePaintManager();
    ~CVZPNativePaintManager() override;

    int GetThemeType() const override { return 3; }
};
