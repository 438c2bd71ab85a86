#include "CVZButtonThemeGradient.h"

#include "CVZButton.h"
#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "CVZPImageManagerIcon.h"
#include "VZPDrawHelpers.h"

namespace {

// The colours a visual-style colour scheme (1 blue, 2 olive, 3 silver) gives
// the gradient look.
struct SchemeColors
{
    COLORREF clrFace;
    COLORREF clrShadow;
    COLORREF clrFrame;
};

const SchemeColors s_schemeColors[3] = {
    { RGB(169, 199, 240), RGB(127, 157, 185), RGB(0, 0, 128) },
    { RGB(197, 212, 159), RGB(164, 185, 127), RGB(63, 93, 56) },
    { RGB(192, 192, 211), RGB(165, 172, 178), RGB(75, 75, 111) },
};

}  // namespace

CVZButtonThemeGradient::CVZButtonThemeGradient()
{
    m_bIdleBorder = FALSE;
    m_bFadeIdleImage = FALSE;
    m_bRaiseHotImage = FALSE;
}

void CVZButtonThemeGradient::RefreshMetrics()
{
    CVZButtonThemeFlat::RefreshMetrics();
    m_clrFace = GetColorManager()->GetColor(COLOR_3DFACE);
    const int nScheme = QueryCurrentColorScheme();
    if (nScheme < 1 || nScheme > 3)
        return;
    const SchemeColors& scheme = s_schemeColors[nScheme - 1];
    m_clrHotFill = RGB(255, 238, 194);
    m_clrPressedFill = RGB(254, 128, 62);
    m_clrText = RGB(0, 0, 0);
    m_clrHotText = RGB(0, 0, 0);
    m_clrPressedText = RGB(0, 0, 0);
    if (m_bIdleBorder)
        m_clrFace = scheme.clrFace;
    m_clrShadow = scheme.clrShadow;
    m_clrLight = scheme.clrFrame;
}

void CVZButtonThemeGradient::DrawButtonImage(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    CVZPImageManagerIcon* pIcon = pButton->GetIcon();
    if (!m_bShowImages || pIcon == NULL)
        return;
    CPoint pt;
    CalcImagePoint(pt, pDC, nState, rect, pButton->GetHotIconHandle() != NULL, pButton);
    const CSize size = pButton->GetImageSize();
    if (nState & ODS_DISABLED)
        pIcon->Draw(pDC, pt, pIcon->GetDisabledIcon(), size);
    else if (nState & ODS_SELECTED)
        pIcon->Draw(pDC, pt, pIcon->GetHotIcon(), size);
    else
        pIcon->Draw(pDC, pt, pIcon->GetIcon(), size);
}

void CVZButtonThemeGradient::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    if (DrawIdleBackground(pDC, nState, rect, pButton))
        return;
    const int nGradient = (nState & ODS_SELECTED) ? 8 : 9;
    CVZPDrawTools::FillGradientColor(pDC, &rect, &GetColorManager()->m_gradients[nGradient], FALSE);
    pDC->Draw3dRect(&rect, m_clrLight, m_clrLight);
}
