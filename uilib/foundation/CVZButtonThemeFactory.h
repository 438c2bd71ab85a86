// Makes the push button's theme for a style number: flat for 1, gradient
// for 2, classic for any other.
#pragma once

#include "CVZThemeManagerStyleFactory.h"

class CVZButtonThemeFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CVZButtonThemeFactory)
public:
    CVZThemeManagerStyle* CreateTheme(int nStyle) override;
};
