#include "CVZHeaderCtrlThemeFactory.h"

#include "CVZHeaderCtrlThemeFlat.h"
#include "CVZHeaderCtrlThemeShaded.h"

IMPLEMENT_DYNCREATE(CVZHeaderCtrlThemeFactory, CVZThemeManagerStyleFactory)

CVZThemeManagerStyle* CVZHeaderCtrlThemeFactory::CreateTheme(int nStyle)
{
    CVZThemeManagerStyle* pTheme;
    switch (nStyle)
    {
    case 1:
        pTheme = new CVZHeaderCtrlThemeFlat;
        break;
    case 2:
        pTheme = new CVZHeaderCtrlThemeShaded;
        break;
    default:
        pTheme = new CVZHeaderCtrlThemeClassic;
        break;
    }
    pTheme->m_nStyle = nStyle;
    return pTheme;
}
