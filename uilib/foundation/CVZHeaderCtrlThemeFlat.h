// The flat header theme: one raised edge around the header and a thin
// separator between items.
#pragma once

#include "CVZHeaderCtrlThemeClassic.h"

class CVZHeaderCtrlThemeFlat : public CVZHeaderCtrlThemeClassic
{
public:
    CVZHeaderCtrlThemeFlat();

    void DrawHeaderBackground(LPDRAWITEMSTRUCT lpDIS) override;
    void DrawItemBackground(LPDRAWITEMSTRUCT lpDIS) override;
};
