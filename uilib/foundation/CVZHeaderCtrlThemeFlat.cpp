#include "CVZHeaderCtrlThemeFlat.h"

CVZHeaderCtrlThemeFlat::CVZHeaderCtrlThemeFlat()
{
    m_dwDrawFlags = drawSortArrow;
}

void CVZHeaderCtrlThemeFlat::DrawHeaderBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    pDC->FillSolidRect(rect, m_clrFace);
    rect.right += 2;
    pDC->Draw3dRect(rect, m_clrHighlight, m_clrShadow);
}

void CVZHeaderCtrlThemeFlat::DrawItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect r(lpDIS->rcItem);
    DrawLine(pDC, r.right - 2, 2, r.right - 2, r.bottom - 2, m_clrShadow);
    DrawLine(pDC, r.right - 1, 2, r.right - 1, r.bottom - 2, m_clrHighlight);
}
