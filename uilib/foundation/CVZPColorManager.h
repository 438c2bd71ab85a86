// The process-wide table of the 62 indexed colours every themed part of the
// user interface paints with (VZPColorIndex), the ten shared gradients, and
// the colours of the three colour schemes of the XP visual style (blue,
// olive, silver). Consumers ask for a colour by index whenever they paint
// and never keep one across a refresh.
#pragma once

#include <afxwin.h>

#include "CVZPGradientColor.h"
#include "VZPColorIndex.h"

class CVZPColorManager : public CCmdTarget
{
public:
    // Computes every colour (RefreshColors), then sets gradients 7 to 9.
    CVZPColorManager();
    ~CVZPColorManager() override;

    // For an index above 61 (compared unsigned, so negative values too) the
    // value itself as a colour; else the override when set, else the
    // computed colour.
    COLORREF GetColor(int nIndex) const;
    // For 30 to 61 the active colour scheme's colour when it has one;
    // otherwise GetColor.
    COLORREF GetSchemeColor(int nIndex) const;
    // 0 none, 1 blue, 2 olive, 3 silver: the chosen scheme, or the detected
    // one while the choice is automatic (4 or 5).
    int GetCurrentColorScheme() const;
    int GetDetectedColorScheme() const { return m_nDetectedScheme; }
    // Recomputes every colour and gradient from the system colours and the
    // visual style; called on WM_SYSCOLORCHANGE and by RefreshColorsThrottled.
    void RefreshColors();

    // Per-channel blend; nWeight is a's share in per cent below 100 and in
    // per mille from 100 on (so 100 means 10 %), rounded to nearest.
    static COLORREF BlendColors(COLORREF clrA, COLORREF clrB, int nWeight);

    // The colour scheme of the running visual style (0 to 3).
    int DetectColorScheme() const;

    // Where system colours come from; NULL is GetSysColor.
    typedef COLORREF (*PFNSYSCOLORSOURCE)(int nIndex);
    // Where the scheme detection reads the visual style: FALSE when no
    // visual style is active or its names cannot be read, else the theme's
    // file name and colour name. NULL is the visual-style wrapper.
    typedef BOOL (*PFNTHEMENAMESOURCE)(LPWSTR pszFileName, int cchFileName, LPWSTR pszColorName,
                                       int cchColorName);

    // Test seams: nothing in the program calls these. Each takes effect at
    // the next RefreshColors.
    void SetSysColorSource(PFNSYSCOLORSOURCE pfnSource) { m_pfnSysColor = pfnSource; }
    void SetColorScheme(int nScheme) { m_nChosenScheme = nScheme; }
    void SetThemeNameSource(PFNTHEMENAMESOURCE pfnSource) { m_pfnThemeNames = pfnSource; }

    // Shared gradients, read by number by the Parts that draw with them
    // (0 is the pane caption gradient; 7 to 9 are highlight gradients).
    CVZPGradientColor m_gradients[10];
    // TRUE: classic colours only, whatever the visual style (read by the
    // paint managers through IsVisualStyleDisabled).
    BOOL m_bNoVisualStyle;

private:
    COLORREF SysColor(int nIndex) const;
    void RefreshGradients();

    COLORREF m_clrStandard[VZP_COLOR_COUNT];
    COLORREF m_clrOverride[VZP_COLOR_COUNT];
    COLORREF m_clrScheme[VZP_COLOR_COUNT];
    PFNSYSCOLORSOURCE m_pfnSysColor;
    PFNTHEMENAMESOURCE m_pfnThemeNames;
    int m_nChosenScheme;    // 0 none, 1 blue, 2 olive, 3 silver, 4 and 5 automatic
    int m_nDetectedScheme;
};

// The process-wide colour manager, built on the first call and destroyed at
// exit.
CVZPColorManager* GetColorManager();

// RefreshColors, unless the last refresh was at most 500 ms ago. The time is
// recorded only while the thread has a main window, so before one exists
// every call refreshes.
void RefreshColorsThrottled();

// The colour manager's no-visual-style flag.
BOOL IsVisualStyleDisabled();
