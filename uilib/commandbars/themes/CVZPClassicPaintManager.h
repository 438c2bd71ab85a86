// Command-bar theme 0, the classic three-dimensional look: grey bars with
// raised and sunken edges; the theme every manager falls back to.
#pragma once

#include "VZPBlankTheme.h"

class CVZPClassicPaintManager : public CVZPBlankTheme<CVZPCommandBarPaintManager>
{
public:
    CVZPClassicPaintManager();
    ~CVZPClassicPaintManager() override;

    int GetThemeType() const override { return 0; }
};
