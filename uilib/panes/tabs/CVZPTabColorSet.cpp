#include "CVZPTabColorSet.h"

#include "CVZPColorManager.h"
#include "CVZPTabPaintManager.h"
#include "VZPDrawHelpers.h"

namespace {

COLORREF Sys(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

const COLORREF kNone = COLORREF(-1);
// The start colour of a dithered gradient fill.
const COLORREF kDithered = COLORREF(-2);

}  // namespace

CVZPTabColorSet::CVZPTabColorSet() : m_pPaintManager(NULL)
{
}

CVZPTabColorSet::~CVZPTabColorSet()
{
}

int CVZPTabColorSet::GetAppearanceType() const
{
    return m_pPaintManager != NULL ? m_pPaintManager->GetAppearanceType() : -1;
}

BOOL CVZPTabColorSet::IsLunaDisabled() const
{
    return m_pPaintManager != NULL ? m_pPaintManager->IsLunaDisabled() : IsVisualStyleDisabled();
}

void CVZPTabColorSet::RefreshMetrics()
{
    RefreshColorsThrottled();

    m_grcHeader.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrBorder = Sys(COLOR_BTNSHADOW);
    m_clrFace = Sys(COLOR_BTNFACE);
    m_clrHighlightEdge = Sys(COLOR_BTNHIGHLIGHT);
    m_clrSelectedFace = Sys(GetAppearanceType() == 7 ? COLOR_WINDOW : COLOR_BTNFACE);
    m_clrNormalFace = Sys(COLOR_BTNFACE);
    m_clrNormalText = Sys(COLOR_BTNTEXT);
    m_clrInactiveText = Sys(COLOR_BTNTEXT);
    m_clrSelectedText = Sys(COLOR_BTNTEXT);
    m_clrHotText = RGB(0, 0, 128);
    m_clrDisabledText = Sys(COLOR_GRAYTEXT);
    m_grcButton.SetStandardValue(Sys(COLOR_WINDOW));
    m_grcButtonFrame.SetStandardValue(Sys(COLOR_HIGHLIGHT));
    m_clr3DLight = Sys(COLOR_BTNHIGHLIGHT);
    m_clr3DShadow = Sys(COLOR_BTNSHADOW);
    m_clr3DDarkShadow = Sys(COLOR_3DDKSHADOW);
    m_clrOutline = Sys(COLOR_BTNSHADOW);
    m_clrSelectedOutline = Sys(COLOR_BTNSHADOW);
    m_clrInnerLine = Sys(COLOR_BTNFACE);
    m_clrInnerLine2 = Sys(COLOR_BTNFACE);
    m_clrSheetSelOuterNear = Sys(COLOR_BTNTEXT);
    m_clrSheetSelOuterFar = Sys(COLOR_BTNTEXT);
    m_clrSheetSelInnerNear = kNone;
    m_clrSheetSelInnerFar = kNone;
    m_clrSheetNormOuterNear = Sys(COLOR_BTNTEXT);
    m_clrSheetNormOuterFar = Sys(COLOR_BTNTEXT);
    m_clrSheetNormInnerNear = Sys(COLOR_WINDOW);
    m_clrSheetNormInnerFar = Sys(COLOR_BTNSHADOW);
}

// The fills are the strips' drawing; a set draws nothing without a strip.
void CVZPTabColorSet::SetTabTextColor(CDC* /*pDC*/, CVZPTabManagerItem* /*pItem*/)
{
}

void CVZPTabColorSet::FillHeader(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManager* /*pStrip*/)
{
}

COLORREF CVZPTabColorSet::FillClientFrame(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManager* /*pStrip*/)
{
    return m_clrSelectedFace;
}

void CVZPTabColorSet::FillStateButton(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManagerItem* /*pItem*/)
{
}

COLORREF CVZPTabColorSet::FillTab(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManagerItem* /*pItem*/)
{
    return kNone;
}

void CVZPTabColorSet::PrepareClientClip(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManager* /*pStrip*/)
{
}

COLORREF CVZPTabColorSet::GetTabFillColor(CVZPTabManagerItem* /*pItem*/)
{
    return m_clrNormalFace;
}

BOOL CVZPTabColorSet::IsThemed()
{
    return FALSE;
}

// --- type 1 ---------------------------------------------------------------

void CVZPTabColorSetClassic::RefreshMetrics()
{
    CVZPTabColorSet::RefreshMetrics();
    m_grcButton.SetStandardValue(kDithered);
    m_grcButtonFrame.SetStandardValue(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
    m_clrSheetSelInnerNear = Sys(COLOR_WINDOW);
    m_clrSheetSelInnerFar = Sys(COLOR_BTNSHADOW);
    m_clrSheetNormOuterNear = m_clrSheetSelOuterNear.m_clrStandard;
    m_clrSheetNormOuterFar = m_clrSheetSelOuterFar.m_clrStandard;
    m_clrSheetNormInnerNear = kNone;
    m_clrSheetNormInnerFar = kNone;
    if (GetAppearanceType() == 7)
    {
        m_clrSelectedFace = Sys(COLOR_BTNFACE);
        m_clrNormalFace = Sys(COLOR_WINDOW);
        m_clrBorder = Sys(COLOR_BTNTEXT);
    }
}

void CVZPTabColorSetClassic::FillNavigateButton(CDC* /*pDC*/, CVZPTabManagerNavigateButton* /*pButton*/,
                                                RECT* /*pRect*/)
{
}

// --- type 2 ---------------------------------------------------------------

void CVZPTabColorSetLightFace::RefreshMetrics()
{
    CVZPTabColorSet::RefreshMetrics();
    int nAppearance = GetAppearanceType();
    if (nAppearance != 4 && nAppearance != 7)
        m_grcHeader.SetStandardValue(Sys(VZPCOLOR_LIGHT_FACE));
    if (nAppearance == 5)
    {
        m_clrNormalText = Sys(VZPCOLOR_DARK_SHADOW);
        m_clrInactiveText = Sys(VZPCOLOR_DARK_SHADOW);
    }
}

void CVZPTabColorSetLightFace::FillNavigateButton(CDC* /*pDC*/, CVZPTabManagerNavigateButton* /*pButton*/,
                                                  RECT* /*pRect*/)
{
}

// --- type 4 ---------------------------------------------------------------

CVZPTabColorSetScheme::CVZPTabColorSetScheme() : m_bSchemeColors(FALSE)
{
}

void CVZPTabColorSetScheme::RefreshMetrics()
{
    RefreshSchemeColors();
}

void CVZPTabColorSetScheme::RefreshSchemeColors()
{
    CVZPTabColorSet::RefreshMetrics();
    m_grcHeader.SetStandardValue(Sys(COLOR_BTNFACE),
                                 CVZPColorManager::BlendColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 205));
    m_grcButton.SetStandardValue(Sys(VZPCOLOR_HIGHLIGHT_CHECKED));
    m_grcButtonFrame.SetStandardValue(Sys(VZPCOLOR_HIGHLIGHT_CHECKED_BORDER));
    m_clrHotFace = Sys(VZPCOLOR_HIGHLIGHT_CHECKED);
    m_clrHotText = Sys(COLOR_BTNTEXT);
    m_bSchemeColors = FALSE;

    struct SchemeColors
    {
        COLORREF clrBorder, clrDarkShadow, clrShadow, clrButtonFrame, clrHeaderStart, clrHeaderEnd, clrNormalFace,
            clrHotFace;
    };
    static const SchemeColors s_schemes[3] = {
        { RGB(59, 97, 156), RGB(0, 53, 154), RGB(117, 166, 241), RGB(0, 0, 128), RGB(196, 218, 250),
          RGB(252, 253, 254), RGB(162, 192, 246), RGB(255, 240, 201) },
        { RGB(96, 128, 88), RGB(96, 119, 107), RGB(176, 194, 140), RGB(63, 93, 56), RGB(242, 241, 228),
          RGB(252, 254, 254), RGB(208, 222, 170), RGB(255, 240, 199) },
        { RGB(124, 124, 148), RGB(118, 116, 146), RGB(186, 185, 206), RGB(75, 75, 111), RGB(243, 243, 247),
          RGB(252, 254, 254), RGB(217, 217, 230), RGB(255, 238, 194) },
    };
    int nScheme = IsLunaDisabled() ? 0 : QueryCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        const SchemeColors& s = s_schemes[nScheme - 1];
        m_clrBorder = s.clrBorder;
        m_clrSelectedOutline = s.clrBorder;
        m_clr3DDarkShadow = s.clrDarkShadow;
        m_clrOutline = s.clrDarkShadow;
        m_clr3DShadow = s.clrShadow;
        m_clrInnerLine = s.clrShadow;
        m_clrInnerLine2 = RGB(255, 255, 255);
        m_grcButton.SetStandardValue(RGB(255, 192, 111));
        m_grcButtonFrame.SetStandardValue(s.clrButtonFrame);
        m_grcHeader.SetStandardValue(s.clrHeaderStart, s.clrHeaderEnd);
        m_clrNormalFace = s.clrNormalFace;
        m_clrSelectedFace = RGB(255, 194, 115);
        m_clrHotFace = s.clrHotFace;
        m_clrButtonBorder = s.clrButtonFrame;
        m_bSchemeColors = TRUE;
    }
    else
    {
        m_clrSelectedFace = Sys(VZPCOLOR_HIGHLIGHT_CHECKED);
    }

    COLORREF clrBorder = m_clrBorder.GetColor();
    m_clrSheetSelOuterNear = clrBorder;
    m_clrSheetSelOuterFar = clrBorder;
    m_clrSheetNormOuterNear = clrBorder;
    m_clrSheetNormOuterFar = clrBorder;
    m_clrSheetSelInnerNear = kNone;
    m_clrSheetSelInnerFar = kNone;
    m_clrSheetNormInnerNear = kNone;
    m_clrSheetNormInnerFar = kNone;
    if (GetAppearanceType() == 4)
        m_grcHeader.SetStandardValue(Sys(COLOR_BTNFACE));
}

COLORREF CVZPTabColorSetScheme::FillTab(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManagerItem* /*pItem*/)
{
    return kNone;
}

void CVZPTabColorSetScheme::FillNavigateButton(CDC* /*pDC*/, CVZPTabManagerNavigateButton* /*pButton*/,
                                               RECT* /*pRect*/)
{
}

// --- type 16 --------------------------------------------------------------

CVZPTabColorSetSoftScheme::CVZPTabColorSetSoftScheme() : m_bSoftFill(FALSE)
{
}

void CVZPTabColorSetSoftScheme::RefreshMetrics()
{
    CVZPTabColorSet::RefreshMetrics();
    m_clrSelectedFace = RGB(255, 255, 255);
    m_clrHotFace = Sys(VZPCOLOR_HIGHLIGHT_CHECKED);
    m_clrHotText = Sys(COLOR_BTNTEXT);
    m_bSchemeColors = FALSE;
    m_bSoftFill = FALSE;
    if (!IsLunaDisabled())
    {
        RefreshSchemeColors();
        return;
    }
    int nScheme = QueryCurrentColorScheme();
    if (nScheme == 1 || nScheme == 2)
    {
        m_grcHeader.SetStandardValue(RGB(228, 226, 213));
        m_bSoftFill = TRUE;
    }
    else if (nScheme == 3)
    {
        m_clrNormalFace = RGB(245, 245, 248);
        m_grcHeader.SetStandardValue(RGB(238, 238, 238));
        m_bSoftFill = TRUE;
    }
    m_clrSelectedOutline = Sys(VZPCOLOR_CONTROL_BORDER);
    m_clrBorder = Sys(VZPCOLOR_CONTROL_BORDER);
}

COLORREF CVZPTabColorSetSoftScheme::FillTab(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManagerItem* /*pItem*/)
{
    return kNone;
}

// --- type 8 ---------------------------------------------------------------

CVZPTabColorSetThemed::~CVZPTabColorSetThemed()
{
    m_themeTab.Close();
    m_themeToolbar.Close();
}

void CVZPTabColorSetThemed::RefreshMetrics()
{
    CVZPTabColorSetClassic::RefreshMetrics();
    m_themeTab.Open(NULL, L"TAB");
    if (IsThemed())
    {
        m_clr3DLight = kNone;
        m_clr3DShadow = kNone;
        m_clr3DDarkShadow = kNone;
        m_clrHotText = m_clrNormalText.m_clrStandard;
    }
    m_themeToolbar.Open(NULL, L"TOOLBAR");
}

BOOL CVZPTabColorSetThemed::IsThemed()
{
    return m_themeTab.IsAppThemed();
}

CVZPTabColorSet* CreateTabColorSet(int nType)
{
    switch (nType)
    {
    case 2:
        return new CVZPTabColorSetLightFace;
    case 4:
        return new CVZPTabColorSetScheme;
    case 8:
        return new CVZPTabColorSetThemed;
    case 16:
        return new CVZPTabColorSetSoftScheme;
    default:
        return new CVZPTabColorSetClassic;
    }
}
