// The caption button's themes: the button themes of the push button blended
// into the caption bar that owns the button, and their factory.
#pragma once

#include "CVZButtonThemeGradient.h"
#include "CVZPGradientColor.h"
#include "CVZThemeManagerStyleFactory.h"

class CVZCaption;

class CVZCaptionButtonThemeClassic : public CVZButtonThemeClassic
{
public:
    CVZCaptionButtonThemeClassic();
    COLORREF GetTextColor(UINT nState, CVZButton* pButton) override;
    void DrawButtonText(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
};

class CVZCaptionButtonThemeFlat : public CVZButtonThemeFlat
{
public:
    CVZCaptionButtonThemeFlat();
    COLORREF GetTextColor(UINT nState, CVZButton* pButton) override;
    void DrawButtonText(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
};

class CVZCaptionButtonThemeGradient : public CVZButtonThemeGradient
{
public:
    CVZCaptionButtonThemeGradient();
    COLORREF GetTextColor(UINT nState, CVZButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
    // The caption's own gradient under the rectangle (screen coordinates):
    // from its first pixel to its last one inside the caption. FALSE when
    // the caption has no window or no memory DC can be had.
    virtual BOOL GetCaptionGradient(const CRect& rect, CVZCaption* pCaption, CVZPGradientColor& gradient);
};

// Style 1 flat, style 2 gradient, any other classic.
class CVZCaptionButtonThemeFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CVZCaptionButtonThemeFactory)
public:
    CVZThemeManagerStyle* CreateTheme(int nStyle) override;
};
