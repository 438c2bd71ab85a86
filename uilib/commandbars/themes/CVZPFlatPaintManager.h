// Command-bar theme 1, the flat look: bars in the bar-face colour, hot
// controls as framed highlight rectangles.
#pragma once

#include "VZPBlankTheme.h"

class CVZPFlatPaintManager : public CVZPBlankTheme<CVZPCommandBarPaintManager>
{
public:
    CVZPFlatPaintManager();
    ~CVZPFlatPaintManager() override;

    int GetThemeType() const override { return 1; }
    BOOL IsFlatStyle() const override { return TRUE; }
};
