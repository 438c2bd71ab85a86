#include "CVZPDockingPaneThemes.h"

#include "CVZPColorManager.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabPaintManager.h"

namespace {

// Selects the appearance with a colour set and hot tracking, as several
// themes configure both strips.
void ConfigureStrip(CVZPTabPaintManager* pTabs, int nAppearance, int nColor, BOOL bHotTracking)
{
    pTabs->SelectAppearance(nAppearance);
    pTabs->SelectColorSet(nColor);
    pTabs->m_bHotTracking = bHotTracking;
}

}  // namespace

// --- theme 0 --------------------------------------------------------------

CVZPDockingPaneTheme0::CVZPDockingPaneTheme0()
{
    m_nCaptionSpacing = 5;
    m_rcCaptionMargin.SetRect(0, 2, 0, 1);
    m_bBoldCaption = TRUE;
    m_pPanelTabPaintManager->SelectAppearance(0);
    m_pAutoHideTabPaintManager->SelectAppearance(0);
}

// Captions, buttons and frames are drawn for the panes that show them; the
// theme alone draws nothing.
void CVZPDockingPaneTheme0::DrawCaption(CDC* /*pDC*/, CVZPDockingPaneTabbedContainer* /*pPane*/, CRect /*rc*/)
{
}

void CVZPDockingPaneTheme0::DrawCaptionButton(CDC* /*pDC*/, CVZPDockingPaneCaptionButton* /*pButton*/,
                                              COLORREF /*clrGlyph*/)
{
}

void CVZPDockingPaneTheme0::DrawFloatingFrame(CDC* /*pDC*/, CVZPDockingPaneMiniWnd* /*pFrame*/, CRect /*rc*/)
{
}

void CVZPDockingPaneTheme0::DrawCaptionText(CDC* /*pDC*/, CVZPDockingPaneCaptionButtons* /*pButtons*/, CRect /*rc*/,
                                            LPCWSTR /*pszText*/, BOOL /*bActive*/, BOOL /*bVertical*/)
{
}

void CVZPDockingPaneTheme0::DrawButtonGlyph(CDC* /*pDC*/, CVZPDockingPaneCaptionButton* /*pButton*/, CPoint /*pt*/,
                                            COLORREF /*clrGlyph*/)
{
}

COLORREF CVZPDockingPaneTheme0::FillCaption(CDC* /*pDC*/, CRect /*rc*/, BOOL bActive, BOOL /*bVertical*/)
{
    return GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

COLORREF CVZPDockingPaneTheme0::DrawButtonFrame(CDC* /*pDC*/, CVZPDockingPaneCaptionButton* /*pButton*/)
{
    return GetColor(COLOR_BTNTEXT);
}

// --- theme 1 --------------------------------------------------------------

CVZPDockingPaneTheme1::CVZPDockingPaneTheme1() : m_bGradientCaptions(FALSE)
{
    m_nCaptionSpacing = 5;
    m_bBoldCaption = FALSE;
    m_pPanelTabPaintManager->SelectAppearance(5);
    m_pAutoHideTabPaintManager->SelectAppearance(6);
}

void CVZPDockingPaneTheme1::RefreshMetrics()
{
    CVZPDockingPanePaintManager::RefreshMetrics();
    RefreshCaptionColors();
}

void CVZPDockingPaneTheme1::RefreshCaptionColors()
{
    m_grcActiveCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION), GetColor(COLOR_GRADIENTACTIVECAPTION));
    m_grcInactiveCaption.SetStandardValue(GetColor(COLOR_INACTIVECAPTION),
                                          ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    m_clrInactiveCaptionText = GetColor(COLOR_BTNTEXT);
    m_clrActiveCaptionText = GetColor(COLOR_CAPTIONTEXT);

    // Systems before 4.1 have no caption gradients.
    OSVERSIONINFOW osvi = {};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL bVersion = ::GetVersionExW(&osvi);
#pragma GCC diagnostic pop
    if (bVersion && (osvi.dwMajorVersion < 4 || (osvi.dwMajorVersion == 4 && osvi.dwMinorVersion < 1)))
    {
        m_grcInactiveCaption.SetStandardValue(GetColor(COLOR_INACTIVECAPTION));
        m_grcActiveCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    }
}

// --- theme 2 --------------------------------------------------------------

CVZPDockingPaneTheme2::CVZPDockingPaneTheme2() : m_bLunaColors(FALSE), m_bCaptionGrip(TRUE), m_bRoundedCaptions(TRUE)
{
    m_nCaptionSpacing = 7;
    m_bBoldCaption = TRUE;
    m_bGradientCaptions = FALSE;
    ConfigureStrip(m_pPanelTabPaintManager, 2, 4, TRUE);
    ConfigureStrip(m_pAutoHideTabPaintManager, 2, 4, TRUE);
}

void CVZPDockingPaneTheme2::RefreshMetrics()
{
    CVZPDockingPaneTheme1::RefreshMetrics();
    m_grcInactiveCaption.SetStandardValue(
        CVZPColorManager::BlendColors(GetColor(COLOR_BTNFACE), GetColor(COLOR_WINDOW), 205), GetColor(COLOR_BTNFACE));
    m_clrInactiveCaptionText = GetColor(COLOR_BTNTEXT);
    m_grcActiveCaption.SetStandardValue(GetColor(VZPCOLOR_HIGHLIGHT_CHECKED));
    m_clrActiveCaptionText = GetColor(COLOR_BTNTEXT);
    m_bLunaColors = FALSE;

    int nScheme = GetColorScheme();
    if (nScheme < 1 || nScheme > 3)
        return;

    struct SchemeColors
    {
        COLORREF clrInactiveStart, clrInactiveEnd;
        float fInactiveFactor;
        COLORREF clrFace;
        COLORREF clrTable[13];
    };
    static const int s_nIndexes[13] = { 38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47 };
    static const SchemeColors s_schemes[3] = {
        { RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(216, 231, 252),
          { RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150),
            RGB(255, 238, 194), RGB(0, 0, 128), RGB(0, 0, 128), RGB(0, 0, 128), RGB(254, 128, 62),
            RGB(255, 192, 111), RGB(158, 190, 245), RGB(0, 0, 0) } },
        { RGB(244, 247, 222), RGB(183, 198, 145), 0.3f, RGB(226, 231, 191),
          { RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94),
            RGB(255, 238, 194), RGB(63, 93, 56), RGB(63, 93, 56), RGB(63, 93, 56), RGB(254, 128, 62),
            RGB(255, 192, 111), RGB(217, 217, 167), RGB(0, 0, 0) } },
        { RGB(249, 249, 255), RGB(156, 155, 183), 0.75f, RGB(223, 223, 234),
          { RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255), RGB(124, 124, 148),
            RGB(255, 238, 194), RGB(75, 75, 111), RGB(75, 75, 111), RGB(75, 75, 111), RGB(254, 128, 62),
            RGB(255, 192, 111), RGB(215, 215, 229), RGB(0, 0, 0) } },
    };
    const SchemeColors& s = s_schemes[nScheme - 1];
    m_grcInactiveCaption.SetStandardValue(s.clrInactiveStart, s.clrInactiveEnd, s.fInactiveFactor);
    m_clrFace = s.clrFace;
    // The grip takes the gripper colour the table holds before it is replaced.
    m_clrGrip = GetColor(VZPCOLOR_GRIPPER);
    SetColors(13, s_nIndexes, s.clrTable);
    m_bLunaColors = TRUE;
    m_grcActiveCaption.SetStandardValue(RGB(255, 213, 140), RGB(255, 166, 76));
    m_grcSplitter.SetStandardFrom(GetColorManager()->m_gradients[1]);
}

// --- theme 7 --------------------------------------------------------------

CVZPDockingPaneTheme7::CVZPDockingPaneTheme7()
{
    m_nCaptionSpacing = 3;
    m_bCaptionGrip = FALSE;
    m_bRoundedCaptions = FALSE;
}

void CVZPDockingPaneTheme7::RefreshMetrics()
{
    CVZPDockingPaneTheme2::RefreshMetrics();
    if (m_bSystemFont)
    {
        LOGFONT lf = {};
        if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), &lf, 0))
        {
            lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
            lf.lfWeight = FW_BOLD;
            lf.lfHeight = 20;
            SetCaptionFont(&lf, FALSE);
        }
    }
    if (m_bLunaColors)
    {
        m_grcInactiveCaption.SetStandardFrom(GetColorManager()->m_gradients[0]);
        m_clrInactiveCaptionText = RGB(255, 255, 255);
    }
    else
    {
        m_grcInactiveCaption.SetStandardValue(
            CVZPColorManager::BlendColors(GetColor(COLOR_BTNSHADOW), GetColor(COLOR_WINDOW), 205),
            GetColor(COLOR_BTNSHADOW));
    }
}

// --- theme 3 --------------------------------------------------------------

CVZPDockingPaneTheme3::CVZPDockingPaneTheme3()
{
    m_nCaptionSpacing = 7;
    m_bBoldCaption = FALSE;
    m_bGradientCaptions = TRUE;
    ConfigureStrip(m_pPanelTabPaintManager, 0, 8, TRUE);
    ConfigureStrip(m_pAutoHideTabPaintManager, 0, 8, TRUE);
}

CVZPDockingPaneTheme3::~CVZPDockingPaneTheme3()
{
    m_themeWindow.Close();
    m_themeExplorerBar.Close();
}

void CVZPDockingPaneTheme3::RefreshMetrics()
{
    CVZPDockingPaneTheme1::RefreshMetrics();
    m_themeWindow.Open(NULL, L"WINDOW");
    m_themeExplorerBar.Open(NULL, L"EXPLORERBAR");
}

// --- theme 5 --------------------------------------------------------------

CVZPDockingPaneTheme5::CVZPDockingPaneTheme5()
{
    m_nCaptionSpacing = 2;
    m_bBoldCaption = FALSE;
    m_bGradientCaptions = FALSE;
    m_pPanelTabPaintManager->SelectAppearance(8);
    m_pPanelTabPaintManager->SetTabPosition(vzpTabPositionTop);
    m_pAutoHideTabPaintManager->SelectAppearance(6);
}

void CVZPDockingPaneTheme5::RefreshMetrics()
{
    // Theme 5 draws without theme 1's caption colours.
    CVZPDockingPanePaintManager::RefreshMetrics();
}

// --- theme 6 --------------------------------------------------------------

CVZPDockingPaneTheme6::CVZPDockingPaneTheme6()
{
    m_nCaptionSpacing = 5;
    m_rcCaptionMargin.SetRect(0, 0, 0, 0);
    m_bBoldCaption = FALSE;
    m_bGradientCaptions = TRUE;

    struct Strip
    {
        CVZPTabPaintManager* pTabs;
        BOOL bWhiteSelected;
    };
    const Strip strips[2] = { { m_pPanelTabPaintManager, TRUE }, { m_pAutoHideTabPaintManager, FALSE } };
    for (const Strip& strip : strips)
    {
        CVZPTabAppearanceSet* pSet = strip.pTabs->SelectAppearance(2);
        static_cast<CVZPTabAppearanceRounded*>(pSet)->m_bCornerSmoothing = FALSE;
        strip.pTabs->m_bClassicColors = TRUE;
        strip.pTabs->AttachColorSet(new CVZPDockingTabColorSetTheme6(strip.bWhiteSelected, FALSE));
        strip.pTabs->m_bHotTracking = FALSE;
    }
    m_pPanelTabPaintManager->m_nStripKind = 2;
    m_pAutoHideTabPaintManager->SetLayoutStyle(vzpTabLayoutCaptionWidth);
    m_dwSplitterStyle = vzpSplitterGradient;
    m_nColorScheme = 0;
}

void CVZPDockingPaneTheme6::RefreshMetrics()
{
    CVZPDockingPaneTheme1::RefreshMetrics();
    m_clrInactiveCaptionText = GetColor(COLOR_INACTIVECAPTIONTEXT);
    switch (GetColorManager()->GetCurrentColorScheme())
    {
    case 1:
    case 2:
        m_grcSplitter.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231));
        m_grcInactiveCaption.SetStandardValue(RGB(216, 215, 198), RGB(238, 239, 229));
        m_clrInactiveCaptionText = RGB(0, 0, 0);
        break;
    case 3:
        m_grcSplitter.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247));
        m_grcInactiveCaption.SetStandardValue(RGB(224, 224, 235), RGB(242, 242, 246));
        m_grcActiveCaption.SetStandardValue(RGB(160, 158, 186), RGB(224, 225, 235));
        m_clrInactiveCaptionText = RGB(0, 0, 0);
        break;
    default:
        break;
    }
}

// --- theme 9 --------------------------------------------------------------

CVZPDockingPaneTheme9::CVZPDockingPaneTheme9() : m_clrFrame(0)
{
    struct Strip
    {
        CVZPTabPaintManager* pTabs;
        BOOL bRoundedRectangle;
        BOOL bWhiteSelected;
    };
    const Strip strips[2] = { { m_pPanelTabPaintManager, TRUE, TRUE }, { m_pAutoHideTabPaintManager, FALSE, FALSE } };
    for (const Strip& strip : strips)
    {
        strip.pTabs->SelectAppearance(9);
        CVZPTabAppearanceRounded* pSet = new CVZPTabAppearanceRounded;
        pSet->m_bCornerSmoothing = FALSE;
        pSet->m_bRoundedRectangle = strip.bRoundedRectangle;
        strip.pTabs->AttachAppearanceSet(pSet);
        strip.pTabs->AttachColorSet(new CVZPDockingTabColorSetTheme9(strip.bWhiteSelected, TRUE));
    }
    m_pPanelTabPaintManager->m_nStripKind = 1;
    m_pPanelTabPaintManager->m_rcClientMargin.top = 1;
}

void CVZPDockingPaneTheme9::RefreshMetrics()
{
    CVZPDockingPaneTheme6::RefreshMetrics();
    m_grcInactiveCaption.SetStandardValue(GetColor(COLOR_INACTIVECAPTION));
    m_grcActiveCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    m_clrFrame = GetColor(COLOR_BTNSHADOW);
    int nScheme = GetColorManager()->GetCurrentColorScheme();
    switch (nScheme)
    {
    case 1:
        m_grcInactiveCaption.SetStandardValue(RGB(204, 199, 186));
        m_grcActiveCaption.SetStandardValue(RGB(59, 128, 237), RGB(49, 106, 197));
        break;
    case 2:
        m_grcInactiveCaption.SetStandardValue(RGB(204, 199, 186));
        m_grcActiveCaption.SetStandardValue(RGB(182, 195, 146), RGB(145, 160, 117));
        break;
    case 3:
        m_grcInactiveCaption.SetStandardValue(RGB(240, 240, 245));
        m_grcActiveCaption.SetStandardValue(RGB(211, 212, 221), RGB(166, 165, 191));
        m_clrFrame = RGB(145, 155, 156);
        break;
    default:
        break;
    }
    if (nScheme >= 1 && nScheme <= 3)
        m_clrInactiveCaptionText = RGB(0, 0, 0);
}

// --- theme 8 --------------------------------------------------------------

CVZPDockingPaneTheme8::CVZPDockingPaneTheme8()
{
    m_nCaptionSpacing = 9;
    m_rcCaptionMargin.SetRect(0, 0, 0, 0);
    m_bBoldCaption = FALSE;
}

CVZPDockingPaneTheme8::~CVZPDockingPaneTheme8()
{
    m_themeRebar.Close();
    m_themeToolbar.Close();
}

void CVZPDockingPaneTheme8::RefreshMetrics()
{
    CVZPDockingPanePaintManager::RefreshMetrics();
    m_themeRebar.Open(NULL, L"REBAR");
    m_themeToolbar.Open(NULL, L"TOOLBAR");
    if (m_themeRebar.IsAppThemed())
    {
        ConfigureStrip(m_pPanelTabPaintManager, 0, 8, TRUE);
        ConfigureStrip(m_pAutoHideTabPaintManager, 0, 8, TRUE);
    }
    else
    {
        m_pPanelTabPaintManager->SelectAppearance(5);
        m_pAutoHideTabPaintManager->SelectAppearance(6);
        m_pPanelTabPaintManager->m_bHotTracking = FALSE;
        m_pAutoHideTabPaintManager->m_bHotTracking = FALSE;
    }
}

// --- tab colour sets of themes 6 and 9 ---------------------------------------

CVZPDockingTabColorSetTheme6::CVZPDockingTabColorSetTheme6(BOOL bWhiteSelected, BOOL bFillOnlySelected)
    : m_bLunaFill(FALSE), m_bFillOnlySelected(bFillOnlySelected), m_bWhiteSelected(bWhiteSelected)
{
}

void CVZPDockingTabColorSetTheme6::RefreshMetrics()
{
    CVZPTabColorSet::RefreshMetrics();
    if (m_bWhiteSelected)
        m_clrSelectedFace.m_clrOverride = RGB(255, 255, 255);
    COLORREF clrFace = GetColorManager()->GetColor(COLOR_BTNFACE);
    m_grcHeader.SetStandardValue(
        clrFace, CVZPColorManager::BlendColors(clrFace, GetColorManager()->GetColor(COLOR_WINDOW), 205));
    m_bLunaFill = FALSE;
    m_bSchemeColors = FALSE;
    switch (GetColorManager()->GetCurrentColorScheme())
    {
    case 1:
    case 2:
        m_bLunaFill = TRUE;
        m_clrInnerLine2 = RGB(255, 255, 255);
        m_grcHeader.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231));
        break;
    case 3:
        m_bLunaFill = TRUE;
        m_clrNormalFace = RGB(242, 242, 247);
        m_clrInnerLine2 = RGB(255, 255, 255);
        m_clrOutline = RGB(145, 155, 156);
        m_clrSelectedOutline = RGB(145, 155, 156);
        m_clrInnerLine = RGB(190, 190, 216);
        m_grcHeader.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247));
        break;
    default:
        break;
    }
    m_grcHeader2.SetStandardFrom(m_grcHeader);
}

COLORREF CVZPDockingTabColorSetTheme6::FillTab(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManagerItem* /*pItem*/)
{
    return COLORREF(-1);
}

CVZPDockingTabColorSetTheme9::CVZPDockingTabColorSetTheme9(BOOL bWhiteSelected, BOOL bFillOnlySelected)
    : CVZPDockingTabColorSetTheme6(bWhiteSelected, bFillOnlySelected)
{
}

void CVZPDockingTabColorSetTheme9::RefreshMetrics()
{
    CVZPDockingTabColorSetTheme6::RefreshMetrics();
    m_bSchemeColors = FALSE;
    m_bLunaFill = FALSE;
    int nScheme = GetColorManager()->GetCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        m_clrNormalText = RGB(113, 111, 100);
        if (!m_bWhiteSelected)
            m_clrSelectedText = RGB(113, 111, 100);
    }
}

CVZPDockingPanePaintManager* CreateDockingPaneTheme(int nTheme)
{
    switch (nTheme)
    {
    case 1:
        return new CVZPDockingPaneTheme1;
    case 2:
        return new CVZPDockingPaneTheme2;
    case 3:
        return new CVZPDockingPaneTheme3;
    case 4:
        return new CVZPDockingPaneTheme4;
    case 5:
        return new CVZPDockingPaneTheme5;
    case 6:
        return new CVZPDockingPaneTheme6;
    case 7:
        return new CVZPDockingPaneTheme7;
    case 8:
        return new CVZPDockingPaneTheme8;
    case 9:
        return new CVZPDockingPaneTheme9;
    default:
        return new CVZPDockingPaneTheme0;
    }
}
