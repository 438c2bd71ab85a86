#include "CVZFlatEditTheme.h"

#include "CVZPColorManager.h"
#include "VZPDrawHelpers.h"

namespace {

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

}  // namespace

IMPLEMENT_DYNCREATE(CVZFlatEditThemeFactory, CVZThemeManagerStyleFactory)

CVZThemeManagerStyle* CVZFlatEditThemeFactory::CreateTheme(int nStyle)
{
    CVZFlatEditThemeClassic* pTheme;
    if (nStyle == 1)
        pTheme = new CVZFlatEditThemeFlat;
    else if (nStyle == 2)
        pTheme = new CVZFlatEditThemeGradient;
    else
        pTheme = new CVZFlatEditThemeClassic;
    pTheme->m_nStyle = nStyle;
    return pTheme;
}

void CVZFlatEditThemeClassic::DrawFlatEdit(CDC* pDC, CWnd* pEdit, CRect rect, int nState)
{
    if (!pEdit->IsWindowEnabled())
    {
        pDC->FillSolidRect(&rect, Color(51));
        pDC->Draw3dRect(&rect, Color(52), Color(52));
        return;
    }
    pDC->FillSolidRect(&rect, Color(COLOR_WINDOW));
    if (nState == 2 || nState == 3)
        DrawHotFrame(pDC, rect);
}

void CVZFlatEditThemeClassic::DrawHotFrame(CDC* pDC, const CRect& rect)
{
    pDC->Draw3dRect(&rect, Color(COLOR_3DSHADOW), Color(COLOR_3DHIGHLIGHT));
}

void CVZFlatEditThemeFlat::RefreshMetrics()
{
    static const int s_nIndex[8] = { 45, 47, 31, 33, 5, 32, 15, 15 };
    for (int i = 0; i < 8; i++)
        m_clr[i] = Color(s_nIndex[i]);
}

void CVZFlatEditThemeFlat::DrawHotFrame(CDC* pDC, const CRect& rect)
{
    const COLORREF clr = Color(VZPCOLOR_HIGHLIGHT_BORDER);
    pDC->Draw3dRect(&rect, clr, clr);
}

void CVZFlatEditThemeGradient::RefreshMetrics()
{
    CVZFlatEditThemeFlat::RefreshMetrics();
    static const COLORREF s_shadow[3] = { RGB(127, 157, 185), RGB(164, 185, 127), RGB(165, 172, 178) };
    static const COLORREF s_frame[3] = { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) };
    static const COLORREF s_face[3] = { RGB(169, 199, 240), RGB(197, 212, 159), RGB(192, 192, 211) };
    const int nScheme = QueryCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        m_clr[0] = RGB(0, 0, 0);
        m_clr[1] = RGB(0, 0, 0);
        m_clr[2] = RGB(255, 238, 194);
        m_clr[3] = RGB(254, 128, 62);
        m_clr[4] = s_shadow[nScheme - 1];
        m_clr[5] = s_frame[nScheme - 1];
        m_clr[7] = s_face[nScheme - 1];
    }
    else
        m_clr[4] = Color(COLOR_3DSHADOW);
    m_clr[6] = m_clr[4].m_clrOverride != COLORREF(-1) ? m_clr[4].m_clrOverride : m_clr[4].m_clrStandard;
}

void CVZFlatEditThemeGradient::DrawHotFrame(CDC* pDC, const CRect& rect)
{
    const COLORREF clr = GetColorManager()->GetSchemeColor(VZPCOLOR_HIGHLIGHT_BORDER);
    pDC->Draw3dRect(&rect, clr, clr);
}
