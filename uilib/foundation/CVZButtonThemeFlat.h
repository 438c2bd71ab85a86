// The flat highlight look of the library's push button: a filled face and a
// one-pixel frame under the mouse and while pressed.
#pragma once

#include "CVZButtonThemeClassic.h"

class CVZButtonThemeFlat : public CVZButtonThemeClassic
{
public:
    explicit CVZButtonThemeFlat(BOOL bIdleBorder = FALSE);

    void RefreshMetrics() override;
    BOOL WantsHotTracking(CVZButton* pButton) override;
    COLORREF GetTextColor(UINT nState, CVZButton* pButton) override;
    void DrawButtonImage(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;
    void DrawFocus(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton) override;

    // Stores the flag and refreshes the colours that depend on it.
    virtual void SetIdleBorder(BOOL bIdleBorder);
    virtual void SetPressedFillColor(COLORREF clr) { m_clrPressedFill.m_clrOverride = clr; }
    virtual void SetHotFillColor(COLORREF clr) { m_clrHotFill.m_clrOverride = clr; }
    virtual void SetPressedTextColor(COLORREF clr) { m_clrPressedText.m_clrOverride = clr; }
    virtual void SetHotTextColor(COLORREF clr) { m_clrHotText.m_clrOverride = clr; }

    BOOL m_bIdleBorder;
    BOOL m_bFadeIdleImage;
    BOOL m_bRaiseHotImage;
    CVZPOverridableColor m_clrPressedFill;
    CVZPOverridableColor m_clrHotFill;
    CVZPOverridableColor m_clrPressedText;
    CVZPOverridableColor m_clrHotText;

protected:
    // The idle face with its shadow frame when the button is neither hot nor
    // pressed; TRUE when that was drawn.
    BOOL DrawIdleBackground(CDC* pDC, UINT nState, const CRect& rect, CVZButton* pButton);
};
