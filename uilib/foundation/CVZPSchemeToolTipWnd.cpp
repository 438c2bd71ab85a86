#include "CVZPSchemeToolTipWnd.h"

#include "CVZPDrawTools.h"
#include "VZPDrawHelpers.h"

void CVZPSchemeToolTipWnd::DrawTipBackground(CDC* pDC, LPCTSTR pszText, const CRect& rect)
{
    (void)pszText;
    // Frames of the blue, olive and silver schemes.
    static const COLORREF s_clrFrames[] = {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)};
    const int nScheme = QueryCurrentColorScheme();
    COLORREF clrFrame = RGB(0, 0, 0);
    if (nScheme >= 1 && nScheme <= 3)
    {
        CVZPDrawTools::GradientFill(pDC, &rect, RGB(255, 212, 151), RGB(255, 242, 200), FALSE);
        clrFrame = s_clrFrames[nScheme - 1];
    }
    else
        CVZPDrawTools::GradientFill(pDC, &rect, GetBackColor(), RGB(255, 255, 255), FALSE);
    pDC->Draw3dRect(&rect, clrFrame, clrFrame);
}
