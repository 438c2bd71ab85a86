#include "CVZButtonThemeFactory.h"

#include "CVZButtonThemeGradient.h"

IMPLEMENT_DYNCREATE(CVZButtonThemeFactory, CVZThemeManagerStyleFactory)

CVZThemeManagerStyle* CVZButtonThemeFactory::CreateTheme(int nStyle)
{
    CVZButtonThemeClassic* pTheme;
    if (nStyle == 1)
        pTheme = new CVZButtonThemeFlat(FALSE);
    else if (nStyle == 2)
        pTheme = new CVZButtonThemeGradient;
    else
        pTheme = new CVZButtonThemeClassic;
    pTheme->m_nStyle = nStyle;
    return pTheme;
}
