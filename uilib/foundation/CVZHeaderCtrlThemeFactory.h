// Makes the header themes: style 1 flat, style 2 shaded, any other classic.
#pragma once

#include "CVZThemeManagerStyleFactory.h"

class CVZHeaderCtrlThemeFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CVZHeaderCtrlThemeFactory)
public:
    CVZThemeManagerStyle* CreateTheme(int nStyle) override;
};
