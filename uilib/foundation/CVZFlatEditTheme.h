// The flat edit's themes (classic 3-D, flat highlight, scheme gradient) and
// their factory. Drawing states: 2 hot, 3 pressed, any other value normal.
#pragma once

#include "CVZPOverridableColor.h"
#include "CVZThemeManagerStyle.h"
#include "CVZThemeManagerStyleFactory.h"

class CVZFlatEditThemeClassic : public CVZThemeManagerStyle
{
public:
    // The border of the edit over the rectangle.
    virtual void DrawFlatEdit(CDC* pDC, CWnd* pEdit, CRect rect, int nState);

protected:
    // The frame of a hot or pressed enabled edit.
    virtual void DrawHotFrame(CDC* pDC, const CRect& rect);
};

class CVZFlatEditThemeFlat : public CVZFlatEditThemeClassic
{
public:
    void RefreshMetrics() override;

    // Highlight colours of the flat look (none of the drawing reads them).
    CVZPOverridableColor m_clr[8];

protected:
    void DrawHotFrame(CDC* pDC, const CRect& rect) override;
};

class CVZFlatEditThemeGradient : public CVZFlatEditThemeFlat
{
public:
    void RefreshMetrics() override;

protected:
    void DrawHotFrame(CDC* pDC, const CRect& rect) override;
};

// Style 1 flat, style 2 gradient, any other classic.
class CVZFlatEditThemeFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CVZFlatEditThemeFactory)
public:
    CVZThemeManagerStyle* CreateTheme(int nStyle) override;
};
