// The classic 3-D look of the library's push button, and the base of the
// flat and gradient looks: every pixel of a CVZButton is drawn here.
#pragma once

#include <afxwin.h>

#include "CVZPOverridableColor.h"
#include "CVZPVisualStyle.h"
#include "CVZThemeManagerStyle.h"

class CVZButton;

class CVZButtonThemeClassic : public CVZThemeManagerStyle
{
public:
    CVZButtonThemeClassic();
    ~CVZButtonThemeClassic() override;

    // Refills the standard colours from the colour manager; overrides stay.
    void RefreshMetrics() override;

    // TRUE when the button should follow the mouse: drawn by the visual
    // style, or with a flat or thin border.
    virtual BOOL WantsHotTracking(CVZButton* pButton);
    // TRUE when the button asks for VZBS_VISUALSTYLE and the "BUTTON" visual
    // style is open (opened here on first use) and theming is available.
    virtual BOOL UseVisualStyle(CVZButton* pButton);
    virtual BOOL GetShowImages() const { return m_bShowImages; }
    virtual void SetShowImages(BOOL bShow) { m_bShowImages = bShow; }
    // The font override when it has a handle, else the button's own font.
    virtual CFont* GetFont(CVZButton* pButton);
    // Kept only for a font that has a handle.
    virtual void SetFont(CFont* pFont);
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clr) { m_clrFace.m_clrOverride = clr; }
    virtual COLORREF GetFaceColor() const { return m_clrFace.GetColor(); }
    virtual void SetLightColor(COLORREF clr) { m_clrLight.m_clrOverride = clr; }
    virtual void SetShadowColor(COLORREF clr) { m_clrShadow.m_clrOverride = clr; }
    virtual void SetTextColor(COLORREF clr) { m_clrText.m_clrOverride = clr; }

    // Layout within the button's client area (see the .cpp).
    virtual void CalcCenteredPoint(CPoint& pt, int cx, int cy, CVZButton* pButton);
    virtual void CalcTextPoint(CPoint& pt, UINT nState, const CRect& rect, CSize sizeText, CVZButton* pButton);
    virtual COLORREF GetTextColor(UINT nState, CVZButton* pButton);
    virtual void DrawButtonText(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton);
    virtual void CalcImagePoint(CPoint& pt, CDC* pDC, UINT nState, const CRect& rect, BOOL bHasHotImage,
                                CVZButton* pButton);
    virtual void DrawButtonImage(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton);
    // The entry point: background, caption, image, focus.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CVZButton* pButton);
    // TRUE when the visual style drew the push-button background.
    virtual BOOL DrawVisualStyleBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton);
    virtual void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton);
    virtual void DrawFocus(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton);

    BOOL m_bShowImages;
    BOOL m_bOffsetPressedText;
    CFont* m_pFont;
    CVZPOverridableColor m_clrFace;
    CVZPOverridableColor m_clrText;
    CVZPOverridableColor m_clrDisabledText;
    CVZPOverridableColor m_clrLight;
    CVZPOverridableColor m_clrShadow;
    CVZPOverridableColor m_clrHighlight;
    CVZPOverridableColor m_clrDarkShadow;
    CVZPVisualStyle m_visualStyle;

protected:
    // The caption without its single '&' markers, measured in the DC.
    static CSize MeasureCaption(CDC* pDC, CVZButton* pButton);
};
