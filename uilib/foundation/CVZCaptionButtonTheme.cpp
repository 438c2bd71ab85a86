#include "CVZCaptionButtonTheme.h"

#include "CVZCaption.h"
#include "CVZCaptionButton.h"
#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "VZPSelectors.h"

#include <algorithm>

namespace {

// The caption that owns the button, when it has a window.
CVZCaption* CaptionOf(CVZButton* pButton)
{
    CVZCaptionButton* pCaptionButton = DYNAMIC_DOWNCAST(CVZCaptionButton, pButton);
    CVZCaption* pCaption = pCaptionButton != NULL ? pCaptionButton->m_pCaption : NULL;
    return pCaption != NULL && ::IsWindow(pCaption->GetSafeHwnd()) ? pCaption : NULL;
}

// Caption-button text of the flat and gradient looks.
COLORREF FlatCaptionTextColor(UINT nState, CVZButton* pButton, COLORREF clrHotText, COLORREF clrText)
{
    if (nState & ODS_DISABLED)
        return GetColorManager()->GetColor(COLOR_GRAYTEXT);
    if (pButton->IsHot() || (nState & ODS_SELECTED))
        return clrHotText;
    CVZCaption* pCaption = CaptionOf(pButton);
    return pCaption != NULL ? pCaption->m_clrText : clrText;
}

// The caption's text drawn over a text-style caption's button.
void DrawCaptionTextOnButton(CVZButtonThemeClassic* pTheme, CDC* pDC, UINT nState, const CRect& rect,
                             CVZButton* pButton)
{
    CVZCaption* pCaption = CaptionOf(pButton);
    if (pCaption == NULL || !pCaption->IsTextButton() || pCaption->GetCaptionText().IsEmpty())
        return;
    CVZPFontSelector font(pDC, pTheme->GetFont(pButton));
    const COLORREF clrOld = pDC->SetTextColor(pTheme->GetTextColor(nState, pButton));
    CRect rcText(rect);
    if ((nState & ODS_SELECTED) && pTheme->m_bOffsetPressedText)
        rcText.OffsetRect(1, 1);
    pDC->DrawText(pCaption->GetCaptionText(), &rcText,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
}

}  // namespace

IMPLEMENT_DYNCREATE(CVZCaptionButtonThemeFactory, CVZThemeManagerStyleFactory)

CVZThemeManagerStyle* CVZCaptionButtonThemeFactory::CreateTheme(int nStyle)
{
    CVZButtonThemeClassic* pTheme;
    if (nStyle == 1)
        pTheme = new CVZCaptionButtonThemeFlat;
    else if (nStyle == 2)
        pTheme = new CVZCaptionButtonThemeGradient;
    else
        pTheme = new CVZCaptionButtonThemeClassic;
    pTheme->m_nStyle = nStyle;
    return pTheme;
}

CVZCaptionButtonThemeClassic::CVZCaptionButtonThemeClassic()
{
    m_bOffsetPressedText = FALSE;
}

COLORREF CVZCaptionButtonThemeClassic::GetTextColor(UINT nState, CVZButton* pButton)
{
    CVZCaption* pCaption = CaptionOf(pButton);
    return pCaption != NULL ? pCaption->m_clrText : CVZButtonThemeClassic::GetTextColor(nState, pButton);
}

void CVZCaptionButtonThemeClassic::DrawButtonText(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    DrawCaptionTextOnButton(this, pDC, nState, rect, pButton);
}

void CVZCaptionButtonThemeClassic::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect,
                                                        CVZButton* pButton)
{
    if (CVZCaption* pCaption = CaptionOf(pButton))
        m_clrFace.m_clrOverride = pCaption->m_clrFace;
    CVZButtonThemeClassic::DrawButtonBackground(pDC, nState, rect, pButton);
}

CVZCaptionButtonThemeFlat::CVZCaptionButtonThemeFlat()
{
    m_bOffsetPressedText = FALSE;
    m_bFadeIdleImage = FALSE;
    m_bRaiseHotImage = FALSE;
}

COLORREF CVZCaptionButtonThemeFlat::GetTextColor(UINT nState, CVZButton* pButton)
{
    return FlatCaptionTextColor(nState, pButton, m_clrHotText, m_clrText);
}

void CVZCaptionButtonThemeFlat::DrawButtonText(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    DrawCaptionTextOnButton(this, pDC, nState, rect, pButton);
}

void CVZCaptionButtonThemeFlat::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton)
{
    CVZPColorManager* pColors = GetColorManager();
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    if (pButton->IsHot() || bPressed)
    {
        pDC->FillSolidRect(&rect, pColors->GetColor(bPressed ? VZPCOLOR_HIGHLIGHT_PUSHED : VZPCOLOR_HIGHLIGHT));
        const COLORREF clrFrame = pColors->GetColor(VZPCOLOR_HIGHLIGHT_BORDER);
        pDC->Draw3dRect(&rect, clrFrame, clrFrame);
        return;
    }
    if (CVZCaption* pCaption = CaptionOf(pButton))
        m_clrFace.m_clrOverride = pCaption->m_clrFace;
    pDC->FillSolidRect(&rect, m_clrFace);
    if (m_bIdleBorder)
        pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
}

CVZCaptionButtonThemeGradient::CVZCaptionButtonThemeGradient()
{
    m_bOffsetPressedText = FALSE;
}

COLORREF CVZCaptionButtonThemeGradient::GetTextColor(UINT nState, CVZButton* pButton)
{
    return FlatCaptionTextColor(nState, pButton, m_clrHotText, m_clrText);
}

void CVZCaptionButtonThemeGradient::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect,
                                                         CVZButton* pButton)
{
    if (!::IsWindow(pButton->GetSafeHwnd()))
        return;
    CVZCaption* pCaption = CaptionOf(pButton);
    if (pCaption == NULL)
    {
        CVZButtonThemeGradient::DrawButtonBackground(pDC, nState, rect, pButton);
        return;
    }
    CVZPColorManager* pColors = GetColorManager();
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    if (bPressed || pButton->IsHot())
    {
        CVZPDrawTools::FillGradientColor(pDC, &rect, &pColors->m_gradients[bPressed ? 8 : 9], FALSE);
        const COLORREF clrFrame = pColors->GetSchemeColor(VZPCOLOR_HIGHLIGHT_BORDER);
        pDC->Draw3dRect(&rect, clrFrame, clrFrame);
        return;
    }
    CRect rcScreen(rect);
    pButton->ClientToScreen(&rcScreen);
    CVZPGradientColor gradient;
    if (GetCaptionGradient(rcScreen, pCaption, gradient))
        CVZPDrawTools::FillGradientColor(pDC, &rect, &gradient, FALSE);
}

BOOL CVZCaptionButtonThemeGradient::GetCaptionGradient(const CRect& rect, CVZCaption* pCaption,
                                                       CVZPGradientColor& gradient)
{
    if (pCaption == NULL || !::IsWindow(pCaption->GetSafeHwnd()))
        return FALSE;
    CRect rcWindow;
    pCaption->GetWindowRect(&rcWindow);
    const CSize size = rcWindow.Size();
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    CClientDC dcCaption(pCaption);
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(&dcCaption) || !bitmap.CreateCompatibleBitmap(&dcCaption, size.cx, size.cy))
        return FALSE;
    CVZPBitmapSelector selectBitmap(&dcMem, &bitmap);
    CVZPColorManager* pColors = GetColorManager();
    const CRect rcCaption(CPoint(0, 0), size);
    CVZPDrawTools::FillGradientColor(&dcMem, &rcCaption, &pColors->m_gradients[pCaption->IsTextButton() ? 0 : 3],
                                     FALSE);
    CRect rcClient(rect);
    pCaption->ScreenToClient(&rcClient);
    // The last pixel inside the rectangle (a RECT's bottom-right corner lies
    // outside it), both ends kept inside the bitmap.
    auto clampX = [&](int x) { return std::min<int>(std::max<int>(x, 0), size.cx - 1); };
    auto clampY = [&](int y) { return std::min<int>(std::max<int>(y, 0), size.cy - 1); };
    const COLORREF clrStart = dcMem.GetPixel(clampX(rcClient.left), clampY(rcClient.top));
    const COLORREF clrEnd = dcMem.GetPixel(clampX(rcClient.right - 1), clampY(rcClient.bottom - 1));
    gradient.SetStandardValue(clrStart, clrEnd, 0.5f);
    return TRUE;
}
