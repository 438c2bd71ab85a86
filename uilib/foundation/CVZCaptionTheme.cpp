#include "CVZCaptionTheme.h"

#include "CVZCaption.h"
#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "VZPSelectors.h"

namespace {

const UINT kCaptionTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

}  // namespace

IMPLEMENT_DYNCREATE(CVZCaptionThemeFactory, CVZThemeManagerStyleFactory)

CVZThemeManagerStyle* CVZCaptionThemeFactory::CreateTheme(int nStyle)
{
    CVZCaptionTheme* pTheme;
    if (nStyle == 1)
        pTheme = new CVZCaptionThemeFlat;
    else if (nStyle == 2)
        pTheme = new CVZCaptionThemeGradient;
    else
        pTheme = new CVZCaptionThemeClassic;
    pTheme->m_nStyle = nStyle;
    return pTheme;
}

void CVZCaptionTheme::RefreshMetrics()
{
    m_clrShadow = GetColorManager()->GetColor(COLOR_3DSHADOW);
    m_clrHighlight = GetColorManager()->GetColor(COLOR_3DHIGHLIGHT);
}

void CVZCaptionTheme::DrawCaptionText(CDC* pDC, CVZCaption* pCaption)
{
    const CString& strText = pCaption->GetCaptionText();
    if (strText.IsEmpty())
        return;
    CVZPFontSelector font(pDC, pCaption->GetFont());
    const COLORREF clrOld = pDC->SetTextColor(pCaption->m_clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rcText = pCaption->GetTextRect();
    pDC->DrawText(strText, &rcText, kCaptionTextFormat);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

void CVZCaptionTheme::DrawCaptionIcon(CDC* pDC, CVZCaption* pCaption, CRect rect)
{
    HICON hIcon = pCaption->GetCaptionIcon();
    if (hIcon == NULL)
        return;
    const int nBorder = pCaption->m_nBorderSize;
    const CSize sizeIcon = pCaption->GetIconSize();
    const int x = std::max<int>(nBorder, rect.right - nBorder - sizeIcon.cx - 2);
    const int y = (rect.Height() - sizeIcon.cy) / 2;
    if (x + sizeIcon.cx < rect.right - nBorder)
        ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, sizeIcon.cx, sizeIcon.cy, 0, NULL, DI_NORMAL);
}

void CVZCaptionThemeClassic::DrawCaptionBackground(CDC* pDC, CVZCaption* pCaption, CRect rect)
{
    const int nBorder = pCaption->m_nBorderSize;
    pDC->FillSolidRect(&rect, pCaption->m_clrBorder);
    const DWORD dwStyle = pCaption->GetCaptionStyle();
    if (dwStyle & 0x1)
    {
        pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
        if (nBorder == 0)
            rect.DeflateRect(1, 1);
    }
    else if (dwStyle & 0x2)
    {
        pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
        if (nBorder == 0)
            rect.DeflateRect(1, 1);
    }
    rect.DeflateRect(nBorder, nBorder);
    pDC->FillSolidRect(&rect, pCaption->m_clrFace);
}

void CVZCaptionThemeFlat::DrawCaptionBackground(CDC* pDC, CVZCaption* pCaption, CRect rect)
{
    pDC->FillSolidRect(&rect, pCaption->m_clrBorder);
    if (pCaption->IsTextButton())
    {
        rect.DeflateRect(pCaption->m_nBorderSize, pCaption->m_nBorderSize);
        pDC->FillSolidRect(&rect, pCaption->m_clrFace);
    }
    else
        pDC->Draw3dRect(&rect, GetColorManager()->GetColor(COLOR_3DHIGHLIGHT),
                        GetColorManager()->GetColor(COLOR_3DSHADOW));
}

void CVZCaptionThemeGradient::DrawCaptionBackground(CDC* pDC, CVZCaption* pCaption, CRect rect)
{
    CVZPColorManager* pColors = GetColorManager();
    const COLORREF clrLine = pColors->GetColor(54);
    if (pCaption->IsTextButton())
    {
        CVZPDrawTools::FillGradientColor(pDC, &rect, &pColors->m_gradients[0], FALSE);
        pDC->Draw3dRect(&rect, clrLine, clrLine);
    }
    else
    {
        CVZPDrawTools::FillGradientColor(pDC, &rect, &pColors->m_gradients[3], FALSE);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrLine);
    }
}
