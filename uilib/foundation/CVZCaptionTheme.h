// The caption bar's themes: the classic framed look, the flat look and the
// gradient look (only the background differs), and their factory.
#pragma once

#include "CVZPOverridableColor.h"
#include "CVZThemeManagerStyle.h"
#include "CVZThemeManagerStyleFactory.h"

class CVZCaption;

class CVZCaptionTheme : public CVZThemeManagerStyle
{
public:
    void RefreshMetrics() override;
    virtual void DrawCaptionBackground(CDC* pDC, CVZCaption* pCaption, CRect rect) = 0;
    // The caption text centred in its text rectangle, with an ellipsis.
    virtual void DrawCaptionText(CDC* pDC, CVZCaption* pCaption);
    // The icon at the right end, inside the border, when it fits.
    virtual void DrawCaptionIcon(CDC* pDC, CVZCaption* pCaption, CRect rect);

    CVZPOverridableColor m_clrShadow;      // colour 16
    CVZPOverridableColor m_clrHighlight;   // colour 20
};

class CVZCaptionThemeClassic : public CVZCaptionTheme
{
public:
    void DrawCaptionBackground(CDC* pDC, CVZCaption* pCaption, CRect rect) override;
};

class CVZCaptionThemeFlat : public CVZCaptionTheme
{
public:
    void DrawCaptionBackground(CDC* pDC, CVZCaption* pCaption, CRect rect) override;
};

class CVZCaptionThemeGradient : public CVZCaptionTheme
{
public:
    void DrawCaptionBackground(CDC* pDC, CVZCaption* pCaption, CRect rect) override;
};

// Style 1 flat, style 2 gradient, any other classic.
class CVZCaptionThemeFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CVZCaptionThemeFactory)
public:
    CVZThemeManagerStyle* CreateTheme(int nStyle) override;
};
