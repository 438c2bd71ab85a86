#include "CVZPDockingPaneThemes.h"

#include <algorithm>

#include "CVZPColorManager.h"
#include "CVZPDockingPane.h"
#include "CVZPDockingPaneAutoHidePanel.h"
#include "CVZPDockingPaneMiniWnd.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPDrawTools.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabManager.h"
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

void CVZPDockingTabColorSetTheme6::FillHeader(CDC* pDC, CRect rc, CVZPTabManager* pStrip)
{
    // As the splitters: one horizontal gradient across the frame's client
    // area (at least half a screen wide), so headers and splitters join. The
    // header lies in the client coordinates of the strip's window (the
    // container, or the panel of an auto-hide group).
    CRect rcFrame = rc;
    CWnd* pWnd = dynamic_cast<CWnd*>(pStrip);
    if (pWnd == NULL)
    {
        CVZPDockingPaneAutoHideTabGroup* pGroup = dynamic_cast<CVZPDockingPaneAutoHideTabGroup*>(pStrip);
        pWnd = pGroup != NULL ? pGroup->m_pPanel : NULL;
    }
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    HWND hFrame = hWnd != NULL ? ::GetAncestor(hWnd, GA_ROOT) : NULL;
    if (hFrame != NULL)
    {
        ::GetClientRect(hFrame, &rcFrame);
        ::MapWindowPoints(hFrame, hWnd, reinterpret_cast<LPPOINT>(&rcFrame), 2);
    }
    const int nWidth = std::max(rcFrame.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    const CRect rcGradient(rcFrame.left, rc.top, rcFrame.left + nWidth, rc.bottom);
    CVZPDrawTools::GradientFillClipped(pDC, rcGradient, m_grcHeader.GetStartColor(), m_grcHeader.GetEndColor(), TRUE,
                                      rc);
}

COLORREF CVZPDockingTabColorSetTheme6::FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem)
{
    // Only the selected tab of a strip with a white selected tab is filled
    // when fills are limited to the selected tab.
    if (m_bFillOnlySelected)
    {
        CVZPTabManager* pStrip = pItem != NULL ? pItem->GetTabManager() : NULL;
        if (!m_bWhiteSelected || pStrip == NULL || pStrip->GetSelectedItem() != pItem)
            return COLORREF(-1);
    }
    if (m_bLunaFill)
        return CVZPTabColorSetScheme::FillTab(pDC, rc, pItem);
    return CVZPTabColorSet::FillTab(pDC, rc, pItem);
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

// --- drawing shared by every theme ------------------------------------------

int VZPDrawCaptionTitle(CVZPDockingPanePaintManager* pPaint, CDC* pDC, LPCWSTR pszText, CRect rc, BOOL bVertical,
                        BOOL bMeasure)
{
    if (pszText == NULL || *pszText == 0)
        return 0;
    const int nLength = lstrlenW(pszText);
    if (!bVertical)
    {
        CFont* pOld = pDC->SelectObject(&pPaint->m_fntCaption);
        pDC->DrawText(pszText, nLength, &rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        int nWidth = 0;
        if (bMeasure)
        {
            CRect rcCalc = rc;
            pDC->DrawText(pszText, nLength, &rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            nWidth = rcCalc.Width();
        }
        pDC->SelectObject(pOld);
        return nWidth;
    }
    CFont* pOld = pDC->SelectObject(&pPaint->m_fntCaptionVertical);
    CSize sz(0, 0);
    ::GetTextExtentPoint32W(pDC->GetSafeHdc(), pszText, nLength, &sz);
    rc.left = rc.right - (rc.right - sz.cy - rc.left) / 2;
    rc.right = rc.left + rc.Height();
    pDC->DrawText(pszText, nLength, &rc, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(pOld);
    return sz.cx;
}

namespace {

BOOL IsContainerActive(CVZPDockingPanePaintManager* pPaint, CVZPDockingPaneTabbedContainer* pPane)
{
    return pPaint->m_bHighlightActive && pPane->IsActive();
}

CString PaneTitle(CVZPDockingPaneTabbedContainer* pPane)
{
    return pPane->GetSelected() != NULL ? pPane->GetSelected()->GetTitle() : CString();
}

// Moves a rectangle's start (left, or top when vertical) by n.
void ShrinkStart(CRect* pRect, int n, BOOL bVertical)
{
    (bVertical ? pRect->top : pRect->left) += n;
}

// Moves a rectangle's end (right, or bottom when vertical) back by n.
void ShrinkEnd(CRect* pRect, int n, BOOL bVertical)
{
    (bVertical ? pRect->bottom : pRect->right) -= n;
}

// Excludes the four corner pixels of the rectangle from the clipping region.
void ExcludeCorners(CDC* pDC, const CRect& rc)
{
    pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.top + 1);
    pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
    pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
    pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
}

void FrameRing(CDC* pDC, CRect* pRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(pRect, clrTopLeft, clrBottomRight);
    pRect->DeflateRect(1, 1);
}

}  // namespace

// --- theme 0 drawing ----------------------------------------------------------

void CVZPDockingPaneTheme0::DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc)
{
    const BOOL bVertical = pPane->IsCaptionVertical();
    CRect rcStrip = rc;
    if (bVertical)
        rcStrip.SetRect(rc.left + 2, rc.top, rc.left + m_nCaptionHeight + 1, rc.bottom);
    else
        rcStrip.SetRect(rc.left, rc.top + 2, rc.right, rc.top + m_nCaptionHeight + 1);
    CRect rcBand = bVertical ? CRect(rc.left, rc.top, rcStrip.right + 2, rc.bottom)
                             : CRect(rc.left, rc.top, rc.right, rcStrip.bottom + 2);
    pDC->FillSolidRect(&rcBand, GetColor(COLOR_BTNFACE));
    DrawCaptionText(pDC, &pPane->m_arrCaptionButtons, rcStrip, PaneTitle(pPane), IsContainerActive(this, pPane),
                    bVertical);
}

void CVZPDockingPaneTheme0::DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc,
                                            LPCWSTR pszText, BOOL bActive, BOOL bVertical)
{
    pDC->FillSolidRect(&rc, GetColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    ShrinkEnd(&rc, 2, bVertical);
    DrawCaptionButtons(pDC, pButtons, &rc, GetColor(COLOR_BTNTEXT), 12, 2, bVertical);
    pDC->SetTextColor(GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    pDC->SetBkMode(TRANSPARENT);
    ShrinkStart(&rc, 4, bVertical);
    (bVertical ? rc.left : rc.top) += 1;
    VZPDrawCaptionTitle(this, pDC, pszText, rc, bVertical, FALSE);
}

void CVZPDockingPaneTheme0::DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    CRect rc = pButton->m_rc;
    if (pButton->m_nID == VZP_IDS_DOCKINGPANE_CLOSE)
    {
        pDC->DrawFrameControl(&rc, DFC_CAPTION, DFCS_CAPTIONCLOSE | (pButton->m_bPressed ? DFCS_PUSHED : 0));
        return;
    }
    pDC->DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pButton->m_bPressed ? DFCS_PUSHED : 0));
    if (pButton->m_nID != VZP_IDS_DOCKINGPANE_AUTOHIDE)
        return;
    const int p = pButton->m_bPressed ? 1 : 0;
    rc = pButton->m_rc;
    CPen pen(PS_SOLID, 1, clrGlyph);
    CPen* pOld = pDC->SelectObject(&pen);
    if (pButton->m_dwGlyphState & 2)
    {
        const int c = rc.left - 1 + p, d = (rc.top + rc.bottom) / 2 - 1 + p;
        const POINT pts[] = { { c, d }, { c + 2, d }, { c + 2, d - 3 }, { c + 4, d - 1 }, { c + 5, d - 2 },
                              { c + 6, d - 2 }, { c + 6, d + 2 }, { c + 5, d + 2 }, { c + 4, d + 1 },
                              { c + 2, d + 3 }, { c + 2, d } };
        pDC->Polyline(pts, int(sizeof(pts) / sizeof(pts[0])));
    }
    else
    {
        const int d = (rc.left + rc.right) / 2 - 1 + p, c = rc.bottom - 1 + p;
        const POINT pts[] = { { d, c }, { d, c - 2 }, { d - 3, c - 2 }, { d - 3, c - 3 }, { d - 1, c - 6 },
                              { d - 2, c - 7 }, { d - 2, c - 8 }, { d + 2, c - 8 }, { d + 2, c - 7 },
                              { d + 1, c - 6 }, { d + 3, c - 3 }, { d + 3, c - 2 }, { d, c - 2 } };
        pDC->Polyline(pts, int(sizeof(pts) / sizeof(pts[0])));
    }
    pDC->SelectObject(pOld);
}

void CVZPDockingPaneTheme0::DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc)
{
    FrameRing(pDC, &rc, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
    FrameRing(pDC, &rc, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    FrameRing(pDC, &rc, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
    CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    CVZPDoubleBufferDC dc(pDC->GetSafeHdc(), rcBand);
    dc.FillSolidRect(&rcBand, GetColor(COLOR_BTNFACE));
    rcBand.DeflateRect(1, 2, 1, 2);
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    DrawCaptionText(&dc, &pFrame->m_arrCaptionButtons, rcBand, strTitle, m_bHighlightActive && pFrame->m_bActiveCaption,
                    FALSE);
}

void CVZPDockingPaneTheme0::DrawButtonGlyph(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, CPoint pt,
                                            COLORREF clrGlyph)
{
    DrawCommonGlyph(pDC, pButton->m_nID, pButton->m_dwGlyphState, pt, clrGlyph);
}

// --- theme 4 drawing ------------------------------------------------------------

void CVZPDockingPaneTheme4::DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc)
{
    const BOOL bVertical = pPane->IsCaptionVertical();
    CRect rcStrip;
    if (bVertical)
        rcStrip.SetRect(rc.left + m_rcCaptionMargin.top, rc.top, rc.left + m_rcCaptionMargin.top + m_nCaptionHeight,
                        rc.bottom);
    else
        rcStrip.SetRect(rc.left, rc.top + m_rcCaptionMargin.top, rc.right, rc.top + m_rcCaptionMargin.top + m_nCaptionHeight);
    CRect rcBand = bVertical ? CRect(rc.left, rc.top, rcStrip.right + 2, rc.bottom)
                             : CRect(rc.left, rc.top, rc.right, rcStrip.bottom + 2);
    pDC->FillSolidRect(&rcBand, m_clrFace.GetColor());
    DrawCaptionText(pDC, &pPane->m_arrCaptionButtons, rcStrip, PaneTitle(pPane), IsContainerActive(this, pPane),
                    bVertical);
}

void CVZPDockingPaneTheme4::DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc,
                                            LPCWSTR pszText, BOOL /*bActive*/, BOOL bVertical)
{
    ShrinkEnd(&rc, 2, bVertical);
    DrawCaptionButtons(pDC, pButtons, &rc, GetColor(COLOR_BTNTEXT), 14, 2, bVertical);
    ShrinkStart(&rc, 4, bVertical);
    (bVertical ? rc.left : rc.top) += 1;
    ShrinkEnd(&rc, 2, bVertical);
    pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
    pDC->SetBkMode(TRANSPARENT);
    const int nWidth = VZPDrawCaptionTitle(this, pDC, pszText, rc, bVertical, TRUE);
    const int nStart = bVertical ? rc.top : rc.left;
    const int e = nWidth > 0 ? nStart + nWidth + 4 : nStart + 4;
    const int nEnd = bVertical ? rc.bottom : rc.right;
    if (e >= nEnd)
        return;
    const int nMiddle = bVertical ? (rc.left + rc.right) / 2 : (rc.top + rc.bottom) / 2;
    for (int nOffset : { -3, 1 })
    {
        if (bVertical)
            pDC->Draw3dRect(nMiddle + nOffset, e, 3, nEnd - e, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
        else
            pDC->Draw3dRect(e, nMiddle + nOffset, nEnd - e, 3, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    }
}

void CVZPDockingPaneTheme4::DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    CPoint pt = pButton->m_rc.CenterPoint();
    if (pButton->m_bPressed)
    {
        pDC->Draw3dRect(&pButton->m_rc, GetColor(COLOR_BTNTEXT), GetColor(COLOR_BTNHIGHLIGHT));
        pt.Offset(1, 1);
    }
    else if (pButton->m_bHot)
    {
        pDC->Draw3dRect(&pButton->m_rc, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNTEXT));
    }
    DrawButtonGlyph(pDC, pButton, pt, clrGlyph);
}

void CVZPDockingPaneTheme4::DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc)
{
    CVZPDockingPaneTheme0::DrawFloatingFrame(pDC, pFrame, rc);
}

// --- theme 1 drawing ------------------------------------------------------------

COLORREF CVZPDockingPaneTheme1::FillCaption(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical)
{
    if (m_bGradientCaptions)
    {
        CVZPDrawTools::FillGradientColor(pDC, &rc, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, !bVertical);
    }
    else if (bActive)
    {
        pDC->FillSolidRect(&rc, m_grcActiveCaption.GetStartColor());
    }
    else
    {
        const COLORREF clr = GetColor(52);
        pDC->FillSolidRect(rc.left + 1, rc.top, rc.Width() - 2, 1, clr);
        pDC->FillSolidRect(rc.left + 1, rc.bottom - 1, rc.Width() - 2, 1, clr);
        pDC->FillSolidRect(rc.left, rc.top + 1, 1, rc.Height() - 2, clr);
        pDC->FillSolidRect(rc.right - 1, rc.top + 1, 1, rc.Height() - 2, clr);
    }
    return GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

void CVZPDockingPaneTheme1::DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc,
                                            LPCWSTR pszText, BOOL bActive, BOOL bVertical)
{
    const COLORREF clrGlyph = FillCaption(pDC, rc, bActive, bVertical);
    ShrinkEnd(&rc, 2, bVertical);
    DrawCaptionButtons(pDC, pButtons, &rc, clrGlyph, 14, 2, bVertical);
    pDC->SetTextColor(bActive ? m_clrActiveCaptionText.GetColor() : m_clrInactiveCaptionText.GetColor());
    pDC->SetBkMode(TRANSPARENT);
    ShrinkStart(&rc, 4, bVertical);
    (bVertical ? rc.left : rc.top) += 1;
    VZPDrawCaptionTitle(this, pDC, pszText, rc, bVertical, FALSE);
}

// --- theme 2 drawing ------------------------------------------------------------

void CVZPDockingPaneTheme2::DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc)
{
    const BOOL bVertical = pPane->IsCaptionVertical();
    const BOOL bActive = IsContainerActive(this, pPane);
    CRect rcBand = bVertical ? CRect(rc.left, rc.top, rc.left + m_nCaptionHeight + 3, rc.bottom)
                             : CRect(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    const int nSaved = pDC->SaveDC();
    if (m_bRoundedCaptions)
    {
        pDC->FillSolidRect(&rcBand, m_clrFace.GetColor());
        ShrinkStart(&rcBand, 1, !bVertical);
        (bVertical ? rcBand.left : rcBand.top) += 1;
        ExcludeCorners(pDC, rcBand);
        CVZPDrawTools::FillGradientColor(pDC, &rcBand, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, !bVertical);
    }
    else
    {
        CVZPDrawTools::FillGradientColor(pDC, &rcBand, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, !bVertical);
        const COLORREF clr = GetColor(54);
        pDC->FillSolidRect(rcBand.left, rcBand.top, 1, rcBand.Height(), clr);
        pDC->FillSolidRect(rcBand.left, rcBand.top, rcBand.Width(), 1, clr);
        pDC->FillSolidRect(rcBand.right - 1, rcBand.top, 1, rcBand.Height(), clr);
    }
    pDC->RestoreDC(nSaved);
    DrawCaptionText(pDC, &pPane->m_arrCaptionButtons, rcBand, PaneTitle(pPane), bActive, bVertical);
}

void CVZPDockingPaneTheme2::DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc,
                                            LPCWSTR pszText, BOOL bActive, BOOL bVertical)
{
    const COLORREF clrText = bActive ? m_clrActiveCaptionText.GetColor() : m_clrInactiveCaptionText.GetColor();
    ShrinkEnd(&rc, 4, bVertical);
    DrawCaptionButtons(pDC, pButtons, &rc, clrText, 16, 0, bVertical);
    if (m_bCaptionGrip && GetLengthOriented(rc, !bVertical) > 7)
    {
        if (!bVertical)
        {
            for (int p = 5; p < m_nCaptionHeight - 3; p += 4)
            {
                pDC->FillSolidRect(rc.left + 6, p + 1, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
                pDC->FillSolidRect(rc.left + 5, p, 2, 2, GetColor(38));
            }
            rc.left += 8;
        }
        else
        {
            for (int p = 4; p - 1 < m_nCaptionHeight - 5; p += 4)
            {
                pDC->FillSolidRect(p + 1, rc.top + 6, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
                pDC->FillSolidRect(p, rc.top + 5, 2, 2, GetColor(38));
            }
            rc.top += 8;
        }
    }
    ShrinkStart(&rc, 6, bVertical);
    (bVertical ? rc.left : rc.top) += 1;
    ShrinkEnd(&rc, 2, bVertical);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    VZPDrawCaptionTitle(this, pDC, pszText, rc, bVertical, FALSE);
}

COLORREF CVZPDockingPaneTheme2::DrawButtonFrame(CDC* pDC, CVZPDockingPaneCaptionButton* pButton)
{
    CRect rc = pButton->m_rc;
    if (pButton->m_bPressed)
    {
        if (m_bLunaColors)
        {
            CVZPDrawTools::GradientFill(pDC, &rc, RGB(254, 142, 75), RGB(255, 207, 139), FALSE);
            pDC->Draw3dRect(&rc, GetColor(32), GetColor(32));
            return RGB(0, 0, 0);
        }
        FillAndFrame(pDC, rc, 33, 32);
        return GetColor(47);
    }
    if (m_bLunaColors)
    {
        CVZPDrawTools::GradientFill(pDC, &rc, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
        pDC->Draw3dRect(&rc, GetColor(32), GetColor(32));
        return RGB(0, 0, 0);
    }
    FillAndFrame(pDC, rc, 31, 32);
    return GetColor(45);
}

void CVZPDockingPaneTheme2::DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    if (pButton->m_bPressed || pButton->m_bHot)
        clrGlyph = DrawButtonFrame(pDC, pButton);
    DrawButtonGlyph(pDC, pButton, pButton->m_rc.CenterPoint(), clrGlyph);
}

void CVZPDockingPaneTheme2::DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc)
{
    const COLORREF clrRing = GetColor(43);
    FrameRing(pDC, &rc, clrRing, clrRing);
    FrameRing(pDC, &rc, clrRing, clrRing);
    CRect rcInner = rc;
    pDC->Draw3dRect(&rcInner, clrRing, clrRing);
    {
        const int nSaved = pDC->SaveDC();
        ExcludeCorners(pDC, rcInner);
        const COLORREF clrEnd = m_grcInactiveCaption.GetEndColor();
        pDC->Draw3dRect(&rcInner, clrEnd, clrEnd);
        pDC->RestoreDC(nSaved);
    }
    const BOOL bActive = m_bHighlightActive && pFrame->m_bActiveCaption;
    CRect rcBand(rcInner.left, rcInner.top, rcInner.right, rcInner.top + m_nCaptionHeight + 3);
    CVZPDoubleBufferDC dc(pDC->GetSafeHdc(), rcBand);
    CVZPDrawTools::FillGradientColor(&dc, &rcBand, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, TRUE);
    dc.SetPixel(rcBand.left, rcBand.top, m_grcInactiveCaption.GetEndColor());
    dc.SetPixel(rcBand.right - 1, rcBand.top, m_grcInactiveCaption.GetEndColor());
    rcBand.DeflateRect(1, 0);
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    DrawCaptionText(&dc, &pFrame->m_arrCaptionButtons, rcBand, strTitle, bActive, FALSE);
}

// --- theme 3 drawing (visual style, else theme 1 with theme 4's buttons) ---------

void CVZPDockingPaneTheme3::DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc)
{
    if (!m_themeWindow.IsAppThemed())
    {
        CVZPDockingPaneTheme1::DrawCaption(pDC, pPane, rc);
        return;
    }
    const BOOL bVertical = pPane->IsCaptionVertical();
    const BOOL bActive = IsContainerActive(this, pPane);
    CRect rcBand = bVertical ? CRect(rc.left, rc.top, rc.left + m_nCaptionHeight + 3, rc.bottom)
                             : CRect(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    m_themeWindow.DrawBackground(pDC->GetSafeHdc(), 2, bActive ? 1 : 2, &rcBand, NULL);
    DrawCaptionText(pDC, &pPane->m_arrCaptionButtons, rcBand, PaneTitle(pPane), bActive, bVertical);
}

void CVZPDockingPaneTheme3::DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc,
                                            LPCWSTR pszText, BOOL bActive, BOOL bVertical)
{
    if (!m_themeWindow.IsAppThemed())
    {
        CVZPDockingPaneTheme1::DrawCaptionText(pDC, pButtons, rc, pszText, bActive, bVertical);
        return;
    }
    ShrinkEnd(&rc, 2, bVertical);
    DrawCaptionButtons(pDC, pButtons, &rc, GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT), 16, 3,
                       bVertical);
    pDC->SetTextColor(GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    pDC->SetBkMode(TRANSPARENT);
    ShrinkStart(&rc, 4, bVertical);
    (bVertical ? rc.left : rc.top) += 1;
    VZPDrawCaptionTitle(this, pDC, pszText, rc, bVertical, FALSE);
}

void CVZPDockingPaneTheme3::DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    if (!m_themeExplorerBar.IsAppThemed() ||
        (pButton->m_nID != VZP_IDS_DOCKINGPANE_CLOSE && pButton->m_nID != VZP_IDS_DOCKINGPANE_AUTOHIDE))
    {
        CVZPDockingPaneTheme4::DrawCaptionButton(pDC, pButton, clrGlyph);
        return;
    }
    if (pButton->m_nID == VZP_IDS_DOCKINGPANE_CLOSE)
    {
        const int nState = pButton->m_bPressed ? 3 : pButton->m_bHot ? 2 : 1;
        m_themeExplorerBar.DrawBackground(pDC->GetSafeHdc(), 2, nState, &pButton->m_rc, NULL);
        return;
    }
    int nState = pButton->m_bPressed ? 3 : pButton->m_bHot ? 2 : 1;
    if (!(pButton->m_dwGlyphState & 2))
        nState += 3;
    m_themeExplorerBar.DrawBackground(pDC->GetSafeHdc(), 3, nState, &pButton->m_rc, NULL);
}

void CVZPDockingPaneTheme3::DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc)
{
    if (!m_themeWindow.IsAppThemed())
    {
        CVZPDockingPaneTheme1::DrawFloatingFrame(pDC, pFrame, rc);
        return;
    }
    const BOOL bActive = m_bHighlightActive && pFrame->m_bActiveCaption;
    const int nState = bActive ? 1 : 2;
    const int nBorder = 3;
    CRect rcLeft(rc.left, rc.top, rc.left + nBorder, rc.bottom);
    CRect rcRight(rc.right - nBorder, rc.top, rc.right, rc.bottom);
    CRect rcBottom(rc.left, rc.bottom - nBorder, rc.right, rc.bottom);
    m_themeWindow.DrawBackground(pDC->GetSafeHdc(), 10, nState, &rcLeft, NULL);
    m_themeWindow.DrawBackground(pDC->GetSafeHdc(), 11, nState, &rcRight, NULL);
    m_themeWindow.DrawBackground(pDC->GetSafeHdc(), 12, nState, &rcBottom, NULL);
    CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    CVZPDoubleBufferDC dc(pDC->GetSafeHdc(), rcBand);
    m_themeWindow.DrawBackground(dc.GetSafeHdc(), 2, nState, &rcBand, NULL);
    rcBand.DeflateRect(nBorder, 1);
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    DrawCaptionText(&dc, &pFrame->m_arrCaptionButtons, rcBand, strTitle, bActive, FALSE);
}

// --- theme 5 drawing ----------------------------------------------------------------

namespace {

// Four lines across the strip around its middle, from e to the strip's end.
void DrawCaptionLines(CDC* pDC, CRect rc, int e, COLORREF clr, BOOL bVertical)
{
    const int nEnd = bVertical ? rc.bottom : rc.right;
    if (e >= nEnd)
        return;
    const int nMiddle = bVertical ? (rc.left + rc.right) / 2 : (rc.top + rc.bottom) / 2;
    for (int nOffset : { -3, -1, 1, 3 })
    {
        if (bVertical)
            pDC->FillSolidRect(nMiddle + nOffset, e, 1, nEnd - e, clr);
        else
            pDC->FillSolidRect(e, nMiddle + nOffset, nEnd - e, 1, clr);
    }
}

}  // namespace

void CVZPDockingPaneTheme5::DrawPane(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc)
{
    pDC->FillSolidRect(&rc, GetColor(IsContainerActive(this, pPane) ? 31 : 30));
    if (pPane->HasCaption() && m_bShowCaption)
    {
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrFace.GetColor());
        pDC->SetBkMode(TRANSPARENT);
        DrawCaption(pDC, pPane, rc);
    }
    AdjustCaptionRect(pPane, &rc);
    if (pPane->IsTabStripShown())
        m_pPanelTabPaintManager->DrawTabStrip(pPane, pDC, rc);
}

void CVZPDockingPaneTheme5::DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc)
{
    const BOOL bVertical = pPane->IsCaptionVertical();
    CRect rcStrip = bVertical ? CRect(rc.left + 1, rc.top, rc.left + 1 + m_nCaptionHeight, rc.bottom)
                              : CRect(rc.left, rc.top + 1, rc.right, rc.top + 1 + m_nCaptionHeight);
    DrawCaptionText(pDC, &pPane->m_arrCaptionButtons, rcStrip, PaneTitle(pPane), IsContainerActive(this, pPane),
                    bVertical);
}

void CVZPDockingPaneTheme5::DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc,
                                            LPCWSTR pszText, BOOL bActive, BOOL bVertical)
{
    ShrinkEnd(&rc, 2, bVertical);
    DrawCaptionButtons(pDC, pButtons, &rc, RGB(0, 0, 0), 16, 0, bVertical);
    ShrinkStart(&rc, 4, bVertical);
    pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
    pDC->SetBkMode(TRANSPARENT);
    const int nWidth = VZPDrawCaptionTitle(this, pDC, pszText, rc, bVertical, TRUE);
    const int nStart = bVertical ? rc.top : rc.left;
    DrawCaptionLines(pDC, rc, nStart + nWidth + (nWidth > 0 ? 4 : 0), GetColor(bActive ? COLOR_BTNTEXT : 38),
                     bVertical);
}

void CVZPDockingPaneTheme5::DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    if (pButton->m_bPressed)
    {
        FillAndFrame(pDC, pButton->m_rc, 33, 32);
        clrGlyph = GetColor(47);
    }
    else if (pButton->m_bHot)
    {
        FillAndFrame(pDC, pButton->m_rc, 31, 32);
        clrGlyph = GetColor(45);
    }
    DrawButtonGlyph(pDC, pButton, pButton->m_rc.CenterPoint(), clrGlyph);
}

void CVZPDockingPaneTheme5::AdjustCaptionRect(CVZPDockingPaneTabbedContainer* pPane, RECT* pRect)
{
    CVZPDockingPanePaintManager::AdjustCaptionRect(pPane, pRect);
    ::InflateRect(pRect, -3, 0);
    pRect->bottom -= 3;
    if (!pPane->HasCaption() || !m_bShowCaption)
        pRect->top += 3;
    if (m_pPanelTabPaintManager->m_nStripKind != 2)
        ::InflateRect(pRect, -1, -1);
}

void CVZPDockingPaneTheme5::DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc)
{
    const BOOL bActive = m_bHighlightActive && pFrame->m_bActiveCaption;
    const COLORREF clrFace = GetColor(bActive ? 31 : 30);
    FrameRing(pDC, &rc, clrFace, clrFace);
    FrameRing(pDC, &rc, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    FrameRing(pDC, &rc, clrFace, clrFace);
    CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight + 3);
    CVZPDoubleBufferDC dc(pDC->GetSafeHdc(), rcBand);
    dc.FillSolidRect(&rcBand, clrFace);
    rcBand.DeflateRect(1, 1);
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    CRect rcText = rcBand;
    ShrinkEnd(&rcText, 2, FALSE);
    DrawCaptionButtons(&dc, &pFrame->m_arrCaptionButtons, &rcText, GetColor(COLOR_BTNTEXT), 16, 0, FALSE);
    rcText.left += 4;
    dc.SetTextColor(GetColor(COLOR_BTNTEXT));
    dc.SetBkMode(TRANSPARENT);
    const int nWidth = VZPDrawCaptionTitle(this, &dc, strTitle, rcText, FALSE, TRUE);
    DrawCaptionLines(&dc, rcText, rcText.left + nWidth + (nWidth > 0 ? 4 : 0), GetColor(bActive ? COLOR_BTNTEXT : 38),
                     FALSE);
}

// --- theme 9 drawing ----------------------------------------------------------------

COLORREF CVZPDockingPaneTheme9::FillCaption(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical)
{
    CVZPDrawTools::FillGradientColor(pDC, &rc, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, !bVertical);
    if (bVertical)
    {
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, m_clrFrame);
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), m_clrFrame);
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrFrame);
    }
    else
    {
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), m_clrFrame);
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrFrame);
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), m_clrFrame);
    }
    return bActive ? m_clrActiveCaptionText.GetColor() : m_clrInactiveCaptionText.GetColor();
}

// --- theme 8 drawing ----------------------------------------------------------------

void CVZPDockingPaneTheme8::DrawCaptionText(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect rc,
                                            LPCWSTR pszText, BOOL /*bActive*/, BOOL bVertical)
{
    if (m_themeRebar.IsAppThemed())
    {
        // One rebar background for all captions: painted over the frame's
        // client area and clipped to this band.
        HWND hWnd = ::WindowFromDC(pDC->GetSafeHdc());
        HWND hFrame = hWnd != NULL ? ::GetAncestor(hWnd, GA_ROOT) : NULL;
        CRect rcFrame = rc;
        if (hFrame != NULL && hWnd != NULL)
        {
            ::GetClientRect(hFrame, &rcFrame);
            ::MapWindowPoints(hFrame, hWnd, reinterpret_cast<POINT*>(&rcFrame), 2);
        }
        m_themeRebar.DrawBackground(pDC->GetSafeHdc(), 0, 0, &rcFrame, &rc);
    }
    DrawCaptionButtons(pDC, pButtons, &rc, GetColor(COLOR_BTNTEXT), 16, 2, bVertical);
    ShrinkStart(&rc, 4, bVertical);
    pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
    pDC->SetBkMode(TRANSPARENT);
    VZPDrawCaptionTitle(this, pDC, pszText, rc, bVertical, FALSE);
}

void CVZPDockingPaneTheme8::DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    if (!m_themeToolbar.IsAppThemed())
    {
        CVZPDockingPaneTheme4::DrawCaptionButton(pDC, pButton, clrGlyph);
        return;
    }
    if (pButton->m_bPressed)
        m_themeToolbar.DrawBackground(pDC->GetSafeHdc(), 1, 3, &pButton->m_rc, NULL);
    else if (pButton->m_bHot)
        m_themeToolbar.DrawBackground(pDC->GetSafeHdc(), 1, 2, &pButton->m_rc, NULL);
    DrawButtonGlyph(pDC, pButton, pButton->m_rc.CenterPoint(), clrGlyph);
}
