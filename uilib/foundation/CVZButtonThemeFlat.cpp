#include "CVZButtonThemeFlat.h"

#include "CVZButton.h"
#include "CVZPColorManager.h"
#include "CVZPImageManagerIcon.h"

CVZButtonThemeFlat::CVZButtonThemeFlat(BOOL bIdleBorder)
    : m_bIdleBorder(bIdleBorder), m_bFadeIdleImage(TRUE), m_bRaiseHotImage(TRUE)
{
    m_bOffsetPressedText = FALSE;
}

void CVZButtonThemeFlat::RefreshMetrics()
{
    CVZButtonThemeClassic::RefreshMetrics();
    CVZPColorManager* pColors = GetColorManager();
    m_clrFace = pColors->GetColor(m_bIdleBorder ? VZPCOLOR_TOOLBAR_FACE : COLOR_3DFACE);
    m_clrLight = pColors->GetColor(VZPCOLOR_HIGHLIGHT_BORDER);
    m_clrShadow = pColors->GetColor(COLOR_3DSHADOW);
    m_clrText = pColors->GetColor(VZPCOLOR_TOOLBAR_TEXT);
    m_clrPressedFill = pColors->GetColor(VZPCOLOR_HIGHLIGHT_PUSHED);
    m_clrHotFill = pColors->GetColor(VZPCOLOR_HIGHLIGHT);
    m_clrPressedText = pColors->GetColor(VZPCOLOR_PUSHED_TEXT);
    m_clrHotText = pColors->GetColor(VZPCOLOR_MENU_TEXT);
}

BOOL CVZButtonThemeFlat::WantsHotTracking(CVZButton* pButton)
{
    (void)pButton;
    return TRUE;
}

void CVZButtonThemeFlat::SetIdleBorder(BOOL bIdleBorder)
{
    m_bIdleBorder = bIdleBorder;
    RefreshMetrics();
}

COLORREF CVZButtonThemeFlat::GetTextColor(UINT nState, CVZButton* pButton)
{
    if (nState & ODS_DISABLED)
        return GetColorManager()->GetColor(COLOR_GRAYTEXT);
    if (pButton->IsHot())
        return m_clrHotText;
    if (nState & ODS_SELECTED)
        return m_clrPressedText;
    return m_clrText;
}

void CVZButtonThemeFlat::DrawButtonImage(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    CVZPImageManagerIcon* pIcon = pButton->GetIcon();
    if (!m_bShowImages || pIcon == NULL)
        return;
    CPoint pt;
    CalcImagePoint(pt, pDC, nState, rect, pButton->GetHotIconHandle() != NULL, pButton);
    const CSize size = pButton->GetImageSize();
    if (nState & ODS_DISABLED)
        pIcon->Draw(pDC, pt, pIcon->GetDisabledIcon(), size);
    else if (pButton->IsHot())
    {
        if (m_bRaiseHotImage)
        {
            pIcon->Draw(pDC, pt + CSize(1, 1), pIcon->GetShadowIcon(), size);
            pIcon->Draw(pDC, pt - CSize(1, 1), pIcon->GetHotIcon(), size);
        }
        else
            pIcon->Draw(pDC, pt, pIcon->GetHotIcon(), size);
    }
    else if (nState & ODS_SELECTED)
        pIcon->Draw(pDC, pt, pIcon->GetHotIcon(), size);
    else
        pIcon->Draw(pDC, pt, m_bFadeIdleImage ? pIcon->GetFadedIcon() : pIcon->GetIcon(), size);
}

BOOL CVZButtonThemeFlat::DrawIdleBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    if (pButton->IsHot() || (nState & ODS_SELECTED))
        return FALSE;
    pDC->FillSolidRect(&rect, m_clrFace);
    if (m_bIdleBorder)
        pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
    return TRUE;
}

void CVZButtonThemeFlat::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    if (DrawIdleBackground(pDC, nState, rect, pButton))
        return;
    pDC->FillSolidRect(&rect, (nState & ODS_SELECTED) ? m_clrPressedFill : m_clrHotFill);
    pDC->Draw3dRect(&rect, m_clrLight, m_clrLight);
}

void CVZButtonThemeFlat::DrawFocus(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    if (!m_bIdleBorder || pButton->IsHot() || (nState & ODS_SELECTED) ||
        (pButton->GetDrawStyle() & VZBS_VISUALSTYLE))
    {
        CVZButtonThemeClassic::DrawFocus(pDC, nState, rect, pButton);
        return;
    }
    const COLORREF clr = GetColorManager()->GetColor(COLOR_HIGHLIGHT);
    CRect rcFrame(rect);
    pDC->Draw3dRect(&rcFrame, clr, clr);
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(&rcFrame, clr, clr);
}
