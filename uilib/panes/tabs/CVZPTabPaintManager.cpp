#include "CVZPTabPaintManager.h"

#include "CVZPColorManager.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabColorSet.h"
#include "VZPDrawHelpers.h"

CVZPTabPaintManager::CVZPTabPaintManager()
    : m_bHotTracking(FALSE), m_bShowIcons(FALSE), m_bBoldSelected(FALSE), m_bBoldCaptions(FALSE),
      m_bClassicColors(FALSE), m_bItemColors(FALSE), m_nStripKind(0), m_bStaticFrame(FALSE),
      m_rcClientMargin(0, 0, 0, 0), m_rcControlMargin(0, 0, 0, 0), m_rcButtonMargin(0, 0, 0, 0),
      m_bReverseGradient(FALSE), m_bFillBackground(FALSE), m_szIcon(0, 0), m_bMiddleEllipsis(FALSE),
      m_bNoPrefix(FALSE), m_bKeepRowOrder(FALSE), m_bBalanceRows(FALSE), m_bFocusRectangle(FALSE),
      m_bSelectOnDragOver(FALSE), m_pAppearanceSet(NULL), m_pColorSet(NULL), m_nAppearanceType(0),
      m_nColorType(0), m_nPosition(vzpTabPositionTop), m_nLayoutStyle(vzpTabLayoutCaptionWidth),
      m_bSystemFont(FALSE), m_nTooltipMode(0), m_nColorCounter(0)
{
    EnableAutomation();
    // The sets exist before the options get their values: the appearance
    // set's first metrics are taken before any font exists and corrected by
    // the RefreshMetrics below.
    SelectAppearance(0);

    m_bShowIcons = TRUE;
    m_bFillBackground = TRUE;
    m_szIcon = CSize(16, 16);
    m_bNoPrefix = TRUE;
    m_bBalanceRows = TRUE;
    m_bFocusRectangle = TRUE;
    m_bSelectOnDragOver = TRUE;
    m_bSystemFont = TRUE;
    m_nTooltipMode = 2;

    RefreshMetrics();
}

CVZPTabPaintManager::~CVZPTabPaintManager()
{
    delete m_pColorSet;
    m_pColorSet = NULL;
    delete m_pAppearanceSet;
    m_pAppearanceSet = NULL;
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVertical.DeleteObject();
    m_fntVerticalBold.DeleteObject();
    m_arrClients.RemoveAll();
}

void CVZPTabPaintManager::RefreshMetrics()
{
    if (m_bSystemFont)
    {
        LOGFONT lf = {};
        if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), &lf, 0))
            ApplyLogFont(&lf, TRUE);
    }
    if (m_pColorSet != NULL)
        m_pColorSet->RefreshMetrics();
    if (m_pAppearanceSet != NULL)
        m_pAppearanceSet->RefreshMetrics();
}

void CVZPTabPaintManager::NotifyClients()
{
    for (INT_PTR i = 0; i < m_arrClients.GetSize(); i++)
        m_arrClients[i]->OnSettingsChanged();
}

CVZPTabColorSet* CVZPTabPaintManager::SelectColorSet(int nType)
{
    m_nColorType = nType;
    return AttachColorSet(CreateTabColorSet(nType));
}

CVZPTabAppearanceSet* CVZPTabPaintManager::SelectAppearance(int nType)
{
    m_nAppearanceType = nType;
    return AttachAppearanceSet(CreateTabAppearanceSet(nType));
}

CVZPTabColorSet* CVZPTabPaintManager::AttachColorSet(CVZPTabColorSet* pColorSet)
{
    if (pColorSet != NULL && pColorSet != m_pColorSet)
    {
        delete m_pColorSet;
        m_pColorSet = pColorSet;
        pColorSet->m_pPaintManager = this;
        pColorSet->RefreshMetrics();
    }
    NotifyClients();
    return pColorSet;
}

CVZPTabAppearanceSet* CVZPTabPaintManager::AttachAppearanceSet(CVZPTabAppearanceSet* pAppearanceSet)
{
    if (pAppearanceSet != NULL && pAppearanceSet != m_pAppearanceSet)
    {
        delete m_pAppearanceSet;
        m_pAppearanceSet = pAppearanceSet;
        pAppearanceSet->m_pPaintManager = this;
        pAppearanceSet->RefreshMetrics();
        SelectColorSet(pAppearanceSet->GetDefaultColorType());
    }
    NotifyClients();
    return pAppearanceSet;
}

void CVZPTabPaintManager::ApplyLogFont(const LOGFONT* pLogFont, BOOL bSystemFont)
{
    m_bSystemFont = bSystemFont;
    if (pLogFont == NULL)
        return;

    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVertical.DeleteObject();
    m_fntVerticalBold.DeleteObject();

    LOGFONT lf = *pLogFont;
    lf.lfWeight = m_bBoldCaptions ? FW_BOLD : FW_NORMAL;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);

    CString strFace = ChooseUiFontFace(FALSE);
    lstrcpynW(lf.lfFaceName, strFace, LF_FACESIZE);
    lf.lfOrientation = 900;
    lf.lfEscapement = 2700;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    lf.lfWeight = m_bBoldCaptions ? FW_BOLD : FW_NORMAL;
    m_fntVertical.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&lf);
}

void CVZPTabPaintManager::SetTabPosition(int nPosition)
{
    m_nPosition = nPosition;
    NotifyClients();
}

void CVZPTabPaintManager::SetLayoutStyle(int nStyle)
{
    m_nLayoutStyle = nStyle;
    NotifyClients();
}

BOOL CVZPTabPaintManager::IsLunaDisabled() const
{
    return m_bClassicColors || IsVisualStyleDisabled();
}

COLORREF CVZPTabPaintManager::GetAutoColor(int nIndex)
{
    static const COLORREF s_clrAuto[8] = {
        RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
        RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
    };
    unsigned k = unsigned(nIndex) - 0x1000000u;
    return k < 8 ? s_clrAuto[k] : COLORREF(nIndex);
}

void CVZPTabPaintManager::InflateRectByPosition(RECT* pRect, int l, int t, int r, int b, int nPosition)
{
    int nLeft = l, nTop = t, nRight = r, nBottom = b;
    switch (nPosition)
    {
    case vzpTabPositionLeft:
        nLeft = t, nTop = l, nRight = b, nBottom = r;
        break;
    case vzpTabPositionBottom:
        nLeft = l, nTop = b, nRight = r, nBottom = t;
        break;
    case vzpTabPositionRight:
        nLeft = b, nTop = l, nRight = t, nBottom = r;
        break;
    default:
        break;
    }
    pRect->left -= nLeft;
    pRect->top -= nTop;
    pRect->right += nRight;
    pRect->bottom += nBottom;
}

void CVZPTabPaintManager::DeflateRectByPosition(RECT* pRect, int l, int t, int r, int b, int nPosition)
{
    InflateRectByPosition(pRect, -l, -t, -r, -b, nPosition);
}

void CVZPTabPaintManager::DeflateRectByPosition(RECT* pRect, const RECT& rcMargin, int nPosition)
{
    DeflateRectByPosition(pRect, rcMargin.left, rcMargin.top, rcMargin.right, rcMargin.bottom, nPosition);
}
