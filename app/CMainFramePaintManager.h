// The program's own command-bar look over the scheme gradient theme: white
// bars without separators, white control borders, and the header logo drawn
// on the dock bar near its right end.
#pragma once

#include "CTransparentBitmap.h"
#include "CVZPSchemeGradientPaintManager.h"

class CMainFramePaintManager : public CVZPSchemeGradientPaintManager
{
public:
    // Where the logo's top-left corner sits: dock-bar width minus
    // kLogoRightOffset, kLogoTop from the top.
    static const int kLogoRightOffset = 240;
    static const int kLogoTop = 28;

    CMainFramePaintManager();
    ~CMainFramePaintManager() override;

    void RefreshMetrics() override;
    void FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl, BOOL bDraw) override;
    void FillDockBar(CDC* pDC, CVZPDockBar* pBar) override;

    // The logo bitmap; without a handle when the resource is missing.
    const CTransparentBitmap& GetLogo() const { return m_logo; }

private:
    CTransparentBitmap m_logo;
};
