#include "CVZButtonThemeClassic.h"

#include "CVZButton.h"
#include "CVZPColorManager.h"
#include "CVZPImageManagerIcon.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

#include <algorithm>

CVZButtonThemeClassic::CVZButtonThemeClassic()
    : m_bShowImages(TRUE), m_bOffsetPressedText(TRUE), m_pFont(NULL)
{
}

CVZButtonThemeClassic::~CVZButtonThemeClassic()
{
}

void CVZButtonThemeClassic::RefreshMetrics()
{
    CVZPColorManager* pColors = GetColorManager();
    m_clrFace = pColors->GetColor(COLOR_3DFACE);
    m_clrText = pColors->GetColor(COLOR_BTNTEXT);
    m_clrDisabledText = pColors->GetColor(COLOR_GRAYTEXT);
    m_clrLight = pColors->GetColor(COLOR_3DFACE);
    m_clrShadow = pColors->GetColor(COLOR_3DSHADOW);
    m_clrHighlight = pColors->GetColor(COLOR_3DHIGHLIGHT);
    m_clrDarkShadow = pColors->GetColor(COLOR_3DDKSHADOW);
}

BOOL CVZButtonThemeClassic::WantsHotTracking(CVZButton* pButton)
{
    return UseVisualStyle(pButton) || (pButton->GetDrawStyle() & (VZBS_FLAT | VZBS_THINBORDER)) != 0;
}

BOOL CVZButtonThemeClassic::UseVisualStyle(CVZButton* pButton)
{
    if (pButton == NULL || (pButton->GetDrawStyle() & VZBS_VISUALSTYLE) == 0)
        return FALSE;
    if (m_visualStyle.GetHandle() == NULL)
        m_visualStyle.Open(pButton->GetSafeHwnd(), L"BUTTON");
    return CVZPVisualStyle::IsThemingAvailable() && m_visualStyle.GetHandle() != NULL;
}

CFont* CVZButtonThemeClassic::GetFont(CVZButton* pButton)
{
    if (m_pFont != NULL && m_pFont->GetSafeHandle() != NULL)
        return m_pFont;
    return CFont::FromHandle((HFONT)pButton->SendMessage(WM_GETFONT));
}

void CVZButtonThemeClassic::SetFont(CFont* pFont)
{
    if (pFont != NULL && pFont->GetSafeHandle() != NULL)
        m_pFont = pFont;
}

void CVZButtonThemeClassic::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    m_clrFace.m_clrOverride = clrFace;
    m_clrLight.m_clrOverride = clrLight;
    m_clrShadow.m_clrOverride = clrShadow;
    m_clrText.m_clrOverride = clrText;
}

void CVZButtonThemeClassic::CalcCenteredPoint(CPoint& pt, int cx, int cy, CVZButton* pButton)
{
    CRect rcClient;
    pButton->GetClientRect(&rcClient);
    pt.x = (pButton->GetDrawStyle() & VZBS_IMAGEABOVE) ? std::max(0, (rcClient.Width() - cx) / 2)
                                                         : pButton->m_nBorderGap;
    pt.y = std::max(0, (rcClient.Height() - cy) / 2);
}

void CVZButtonThemeClassic::CalcTextPoint(CPoint& pt, UINT nState, const CRect& rect, CSize sizeText,
                                          CVZButton* pButton)
{
    (void)nState;
    if (pButton->HasExplicitPoints())
    {
        pt = pButton->GetTextPoint();
        return;
    }
    const CSize sizeImage = pButton->GetImageSize();
    const BOOL bAbove = (pButton->GetDrawStyle() & VZBS_IMAGEABOVE) != 0;
    const int nGap = pButton->m_nBorderGap;
    CalcCenteredPoint(pt, sizeText.cx, sizeText.cy, pButton);
    if (bAbove)
        pt.y += pButton->m_nImageGap / 2 + sizeImage.cy / 2;
    switch (pButton->GetStyle() & BS_CENTER)
    {
    case BS_LEFT:
        pt.x = nGap + (bAbove ? 0 : pButton->m_nImageGap + sizeImage.cx);
        break;
    case BS_RIGHT:
        pt.x = rect.right - nGap - sizeText.cx;
        break;
    default:
    {
        const int nStart = nGap + (bAbove ? 0 : sizeImage.cx);
        pt.x = nStart + (rect.right - nGap - sizeText.cx - nStart) / 2;
        break;
    }
    }
}

COLORREF CVZButtonThemeClassic::GetTextColor(UINT nState, CVZButton* pButton)
{
    (void)pButton;
    return (nState & ODS_DISABLED) ? m_clrDisabledText.GetColor() : m_clrText.GetColor();
}

CSize CVZButtonThemeClassic::MeasureCaption(CDC* pDC, CVZButton* pButton)
{
    CString strText = pButton->GetButtonText(TRUE);
    return pDC->GetTextExtent(strText);
}

void CVZButtonThemeClassic::DrawButtonText(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    CString strText;
    pButton->GetWindowText(strText);
    if (strText.IsEmpty())
        return;
    CVZPFontSelector font(pDC, GetFont(pButton));
    const CSize sizeText = MeasureCaption(pDC, pButton);
    CPoint pt;
    CalcTextPoint(pt, nState, rect, sizeText, pButton);
    if ((nState & ODS_SELECTED) && m_bOffsetPressedText)
        pt.Offset(1, 1);
    const COLORREF clrOld = pDC->SetTextColor(GetTextColor(nState, pButton));
    const UINT nOldAlign = pDC->SetTextAlign(0);
    pDC->DrawState(pt, sizeText, (LPCTSTR)strText, DSS_NORMAL, TRUE, 0, (HBRUSH)NULL);
    pDC->SetTextAlign(nOldAlign);
    pDC->SetTextColor(clrOld);
}

void CVZButtonThemeClassic::CalcImagePoint(CPoint& pt, CDC* pDC, UINT nState, const CRect& rect,
                                           BOOL bHasHotImage, CVZButton* pButton)
{
    (void)nState;
    (void)bHasHotImage;
    if (pButton->HasExplicitPoints())
    {
        pt = pButton->GetImagePoint();
        return;
    }
    const CSize sizeImage = pButton->GetImageSize();
    CalcCenteredPoint(pt, sizeImage.cx, sizeImage.cy, pButton);
    pt.x = pButton->m_nBorderGap;
    CString strText;
    pButton->GetWindowText(strText);
    const DWORD dwStyle = pButton->GetStyle();
    if (pButton->GetDrawStyle() & VZBS_IMAGEABOVE)
    {
        if (!strText.IsEmpty())
        {
            CVZPFontSelector font(pDC, GetFont(pButton));
            pt.y -= pButton->m_nImageGap / 2 + MeasureCaption(pDC, pButton).cy / 2;
        }
        switch (dwStyle & BS_CENTER)
        {
        case BS_LEFT:
            pt.x = pButton->m_nBorderGap;
            break;
        case BS_RIGHT:
            pt.x = rect.right - pButton->m_nBorderGap - sizeImage.cx;
            break;
        default:
            pt.x = rect.left + std::max(0, (int)((rect.Width() - sizeImage.cx) / 2));
            break;
        }
    }
    else if (strText.IsEmpty())
    {
        if ((dwStyle & BS_CENTER) == BS_CENTER && rect.Width() >= sizeImage.cx)
            pt.x = (rect.Width() - sizeImage.cx) / 2;
        if ((dwStyle & BS_VCENTER) == BS_VCENTER && rect.Height() >= sizeImage.cy)
            pt.y = (rect.Height() - sizeImage.cy) / 2;
    }
}

void CVZButtonThemeClassic::DrawButtonImage(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    CVZPImageManagerIcon* pIcon = pButton->GetIcon();
    if (!m_bShowImages || pIcon == NULL)
        return;
    CPoint pt;
    CalcImagePoint(pt, pDC, nState, rect, pButton->GetHotIconHandle() != NULL, pButton);
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    if (bPressed)
        pt.Offset(1, 1);
    const CSize size = pButton->GetImageSize();
    if (nState & ODS_DISABLED)
        pIcon->Draw(pDC, pt, pIcon->GetDisabledIcon(), size);
    else if (pButton->IsHot() || bPressed)
        pIcon->Draw(pDC, pt, pIcon->GetHotIcon(), size);
    else
        pIcon->Draw(pDC, pt, pIcon->GetIcon(), size);
}

void CVZButtonThemeClassic::DrawItem(LPDRAWITEMSTRUCT lpDIS, CVZButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect(lpDIS->rcItem);
    const UINT nState = lpDIS->itemState;
    if (!DrawVisualStyleBackground(pDC, nState, rect, pButton))
        DrawButtonBackground(pDC, nState, rect, pButton);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    DrawButtonText(pDC, nState, rect, pButton);
    DrawButtonImage(pDC, nState, rect, pButton);
    if ((pButton->GetDrawStyle() & VZBS_FOCUSRECT) && (nState & ODS_FOCUS))
        DrawFocus(pDC, nState, rect, pButton);
    pDC->SetBkMode(nOldMode);
}

BOOL CVZButtonThemeClassic::DrawVisualStyleBackground(CDC* pDC, UINT nState, const CRect& rect,
                                                      CVZButton* pButton)
{
    if (!UseVisualStyle(pButton))
        return FALSE;
    int nPartState = 1;                      // normal
    if (nState & ODS_FOCUS)
        nPartState = 5;                      // defaulted
    if (pButton->IsHot())
        nPartState = 2;
    if (nState & ODS_SELECTED)
        nPartState = 3;
    if (nState & ODS_DISABLED)
        nPartState = 4;
    return SUCCEEDED(m_visualStyle.DrawBackground(pDC->GetSafeHdc(), 1, nPartState, &rect, NULL));
}

void CVZButtonThemeClassic::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    const BOOL bHot = pButton->IsHot();
    const DWORD dwDrawStyle = pButton->GetDrawStyle();
    pDC->FillSolidRect(&rect, m_clrFace);
    if ((dwDrawStyle & VZBS_CHECKERPRESSED) && bPressed)
        DrawCheckerPattern(pDC, &rect);
    if (dwDrawStyle & VZBS_FLAT)
    {
        if (bPressed)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
        else if (bHot)
            pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
    }
    else if (dwDrawStyle & VZBS_THINBORDER)
    {
        if (bPressed)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
        else
            pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
    }
    else
    {
        CRect rcInner(rect);
        if (bPressed)
            pDC->Draw3dRect(&rcInner, m_clrDarkShadow, m_clrHighlight);
        else
            pDC->Draw3dRect(&rcInner, m_clrHighlight, m_clrDarkShadow);
        rcInner.DeflateRect(1, 1);
        if (bPressed)
            pDC->Draw3dRect(&rcInner, m_clrShadow, m_clrLight);
        else
            pDC->Draw3dRect(&rcInner, m_clrLight, m_clrShadow);
    }
}

void CVZButtonThemeClassic::DrawFocus(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    (void)nState;
    CRect rcFocus(rect);
    const int nInset = UseVisualStyle(pButton) ? 4 : 2;
    rcFocus.DeflateRect(nInset, nInset);
    const COLORREF clrOld = pDC->SetTextColor(m_clrText);
    pDC->DrawFocusRect(&rcFocus);
    pDC->SetTextColor(clrOld);
}
