// The shaded header theme: a taller header whose bottom edge fades from the
// face colour to the shadow colour.
#pragma once

#include "CVZHeaderCtrlThemeClassic.h"

class CVZHeaderCtrlThemeShaded : public CVZHeaderCtrlThemeClassic
{
public:
    CVZHeaderCtrlThemeShaded();

    // The header is the font's height + 10 pixels high.
    BOOL LayoutHeader(HDLAYOUT* pLayout, CVZHeaderCtrl* pHeader) override;
    void DrawHeaderBackground(LPDRAWITEMSTRUCT lpDIS) override;
    void DrawItemBackground(LPDRAWITEMSTRUCT lpDIS) override;
};
