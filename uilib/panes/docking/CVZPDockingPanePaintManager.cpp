#include "CVZPDockingPanePaintManager.h"

#include <algorithm>

#include "CVZPColorManager.h"
#include "CVZPTabPaintManager.h"
#include "VZPDrawHelpers.h"
#include "VZPPaneMetrics.h"

BOOL CVZPDockingPaneCaptionButton::IsVisible()
{
    return m_pOwner != NULL;
}

CVZPDockingPanePaintManager::CVZPDockingPanePaintManager()
    : m_bBoldCaption(TRUE), m_bHighlightActive(TRUE), m_nSplitterBand(4), m_bShowCaption(TRUE),
      m_bShowTabsForOnePane(FALSE), m_dwSplitterStyle(0), m_nCaptionHeight(0), m_nCaptionSpacing(5),
      m_nTabStripHeight(0), m_bPreferTahoma(FALSE), m_bSystemFont(TRUE), m_pPanelTabPaintManager(NULL),
      m_pAutoHideTabPaintManager(NULL), m_nTheme(0), m_strFaceName(L"Tahoma"), m_rcCaptionMargin(0, 2, 0, 1),
      m_nColorScheme(5)
{
    CVZPColorManager* pColors = GetColorManager();
    for (int i = 0; i < VZP_COLOR_COUNT; i++)
        m_clrTable[i] = pColors->GetColor(i);
    m_clrGrip = GetColor(COLOR_BTNSHADOW);
    m_clrFace = GetColor(COLOR_BTNFACE);

    m_pPanelTabPaintManager = new CVZPTabPaintManager;
    m_pPanelTabPaintManager->SetLayoutStyle(vzpTabLayoutShrinkToFit);
    m_pPanelTabPaintManager->SetTabPosition(vzpTabPositionBottom);
    m_pPanelTabPaintManager->m_nStripKind = 1;
    m_pPanelTabPaintManager->m_bBoldSelected = FALSE;
    m_pPanelTabPaintManager->m_nTooltipMode = 1;

    m_pAutoHideTabPaintManager = new CVZPTabPaintManager;
    m_pAutoHideTabPaintManager->SetLayoutStyle(vzpTabLayoutCompressed);
    m_pAutoHideTabPaintManager->m_nStripKind = 2;
    m_pAutoHideTabPaintManager->m_bBoldSelected = FALSE;
    m_pAutoHideTabPaintManager->m_bReverseGradient = TRUE;
    m_pAutoHideTabPaintManager->m_bFillBackground = FALSE;
}

CVZPDockingPanePaintManager::~CVZPDockingPanePaintManager()
{
    if (m_pPanelTabPaintManager != NULL)
        m_pPanelTabPaintManager->InternalRelease();
    if (m_pAutoHideTabPaintManager != NULL)
        m_pAutoHideTabPaintManager->InternalRelease();
    m_fntCaption.DeleteObject();
    m_fntCaptionVertical.DeleteObject();
}

// Panes, floating frames and splitters draw through these once they exist;
// the policy alone has nothing to draw.
void CVZPDockingPanePaintManager::DrawPane(CDC* /*pDC*/, CVZPDockingPaneTabbedContainer* /*pPane*/, CRect /*rc*/)
{
}

void CVZPDockingPanePaintManager::DrawCaptionButtons(CDC* /*pDC*/, CVZPDockingPaneCaptionButtons* /*pButtons*/,
                                                     CRect* /*pRect*/, COLORREF /*clrGlyph*/, int /*nSize*/,
                                                     int /*nGap*/, BOOL /*bVertical*/)
{
}

void CVZPDockingPanePaintManager::DrawCaptionButton(CDC* /*pDC*/, CVZPDockingPaneCaptionButton* /*pButton*/,
                                                    COLORREF /*clrGlyph*/)
{
}

BOOL CVZPDockingPanePaintManager::AdjustClientRect(CVZPDockingPaneTabbedContainer* /*pPane*/, RECT* /*pRect*/,
                                                   BOOL /*bApply*/)
{
    return FALSE;
}

void CVZPDockingPanePaintManager::AdjustCaptionRect(CVZPDockingPaneTabbedContainer* /*pPane*/, RECT* /*pRect*/)
{
}

void CVZPDockingPanePaintManager::DrawFloatingFrame(CDC* /*pDC*/, CVZPDockingPaneMiniWnd* /*pFrame*/, CRect /*rc*/)
{
}

void CVZPDockingPanePaintManager::DrawSplitter(CDC* /*pDC*/, CVZPDockingPaneSplitterWnd* /*pSplitter*/)
{
}

void CVZPDockingPanePaintManager::RefreshMetrics()
{
    RefreshColorsThrottled();
    CVZPColorManager* pColors = GetColorManager();
    for (int i = 0; i < VZP_COLOR_COUNT; i++)
        m_clrTable[i] = pColors->GetColor(i);

    m_clrGrip = GetColor(COLOR_BTNSHADOW);
    m_clrFace = GetColor(COLOR_BTNFACE);
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_grcSplitter.SetStandardValue(clrFace, CVZPColorManager::BlendColors(clrFace, ::GetSysColor(COLOR_WINDOW), 205));

    if (m_bSystemFont)
    {
        // 500 bytes: the structure as the build's Windows version declares it.
        NONCLIENTMETRICSW ncm = {};
        ncm.cbSize = 500;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        {
            if (!m_bBoldCaption)
                ncm.lfSmCaptionFont.lfWeight = FW_NORMAL;
            SetCaptionFont(&ncm.lfSmCaptionFont, TRUE);
        }
    }

    m_pPanelTabPaintManager->RefreshMetrics();
    m_pAutoHideTabPaintManager->RefreshMetrics();

    m_nTabStripHeight = std::max(VZPMeasureSpaceHeight(&m_pPanelTabPaintManager->m_fntNormal) + 10, 24);
}

COLORREF CVZPDockingPanePaintManager::GetColor(int nIndex) const
{
    if (unsigned(nIndex) >= unsigned(VZP_COLOR_COUNT))
        return COLORREF(nIndex);
    return m_clrTable[nIndex];
}

void CVZPDockingPanePaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++)
    {
        if (unsigned(pIndexes[i]) < unsigned(VZP_COLOR_COUNT))
            m_clrTable[pIndexes[i]] = pColors[i];
    }
}

int CVZPDockingPanePaintManager::GetColorScheme() const
{
    CVZPColorManager* pColors = GetColorManager();
    if (m_nColorScheme == 5)
        return pColors->m_bNoVisualStyle ? 0 : pColors->GetCurrentColorScheme();
    if (m_nColorScheme == 4)
        return pColors->GetDetectedColorScheme();
    return m_nColorScheme;
}

void CVZPDockingPanePaintManager::SetCaptionFont(const LOGFONT* pLogFont, BOOL bSystemFont)
{
    m_bSystemFont = bSystemFont;
    if (pLogFont == NULL)
        return;

    LOGFONT lf = *pLogFont;
    if (m_bPreferTahoma && lf.lfCharSet <= 2 && bSystemFont && FontExists(L"Tahoma"))
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    m_fntCaption.DeleteObject();
    m_fntCaption.CreateFontIndirect(&lf);

    lf.lfOrientation = 900;
    lf.lfEscapement = 2700;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    CString strFace = ChooseUiFontFace(m_bPreferTahoma);
    lstrcpynW(lf.lfFaceName, strFace, LF_FACESIZE);
    m_fntCaptionVertical.DeleteObject();
    m_fntCaptionVertical.CreateFontIndirect(&lf);

    m_nCaptionHeight = std::max(VZPMeasureSpaceHeight(&m_fntCaption), 13) + m_nCaptionSpacing;
}

void CVZPDockingPanePaintManager::DeflateRectOriented(RECT* pRect, int l, int t, int r, int b, BOOL bVertical)
{
    if (bVertical)
        ::SetRect(pRect, pRect->left + t, pRect->top + l, pRect->right - b, pRect->bottom - r);
    else
        ::SetRect(pRect, pRect->left + l, pRect->top + t, pRect->right - r, pRect->bottom - b);
}

int CVZPDockingPanePaintManager::GetLengthOriented(const RECT& rc, BOOL bVertical)
{
    return bVertical ? rc.right - rc.left : rc.bottom - rc.top;
}
