#include "CVZPCommandBarPaintManager.h"

#include "CVZNonClientMetrics.h"
#include "CVZPClassicPaintManager.h"
#include "CVZPColorManager.h"
#include "CVZPCommandBar.h"
#include "CVZPControl.h"
#include "CVZPControlPopup.h"
#include "CVZPDockBar.h"
#include "CVZPDrawTools.h"
#include "CVZPFlatPaintManager.h"
#include "CVZPGradientPaintManager.h"
#include "CVZPNativePaintManager.h"
#include "CVZPSchemeGradientPaintManager.h"
#include "CVZPStatusBar.h"
#include "CVZPImageManagerIcon.h"
#include "VZPCommandBarsDefs.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

#include <afxtempl.h>

namespace {

CVZPCommandBarPaintManager* g_pPaintManager = NULL;

// Fonts of replaced instances and of replaced font sets: windows may still
// draw with them, so they live until the exit routine.
CArray<CFont*, CFont*>* g_pRetiredFonts = NULL;

CVZPCommandBarPaintManager::PFNGETMETRICS g_pfnMetricsForTest = NULL;

void FreeRetiredFonts()
{
    if (g_pRetiredFonts == NULL)
        return;
    for (INT_PTR i = 0; i < g_pRetiredFonts->GetSize(); i++)
        delete g_pRetiredFonts->GetAt(i);
    delete g_pRetiredFonts;
    g_pRetiredFonts = NULL;
}

void AFXAPI TerminatePaintManager()
{
    CVZPCommandBarPaintManager::TerminateThemes();
}

// Registered by a static initialiser; runs with the framework's clean-ups
// at exit (after the windows are gone).
struct CPaintManagerExitRegistrar
{
    CPaintManagerExitRegistrar() { AfxAddStartupInitializer(2000, NULL, &TerminatePaintManager); }
} g_exitRegistrar;

// Heights of -1 to -10 are too small for bars; they become -11.
LONG CommandBarFontHeight(LONG lfHeight)
{
    return (lfHeight < 0 && lfHeight >= -10) ? -11 : lfHeight;
}

}  // namespace

CVZPCommandBarPaintManager* VZPPaintManager()
{
    return g_pPaintManager;
}

CVZPCommandBarPaintManager::CVZPCommandBarPaintManager()
    : m_clrShadowFactor(0), m_clrStatusTextColor(0), m_bBoldCheckMark(FALSE), m_bShowShadow(TRUE),
      m_nTextHeight(0), m_bUseOfficeFont(FALSE), m_bUseStandardFont(TRUE), m_nThemeType(0),
      m_bUseFadedIcons(FALSE), m_bUseDisabledIcons(FALSE), m_bIconsWithShadow(FALSE),
      m_bGenerateDisabledIcons(FALSE), m_nAnimationSteps(10), m_nAnimationTime(100), m_nKeyboardCues(-1),
      m_nColorScheme(5)
{
}

CVZPCommandBarPaintManager::~CVZPCommandBarPaintManager()
{
}

// ---------------------------------------------------------------------------
// The process-wide theme

void AFX_CDECL CVZPCommandBarPaintManager::SetTheme(int nTheme)
{
    CVZPCommandBarPaintManager* pPaintManager = CreatePaintManager(nTheme);
    SetCustomTheme(pPaintManager);
    pPaintManager->m_nThemeType = nTheme;
}

void AFX_CDECL CVZPCommandBarPaintManager::SetCustomTheme(CVZPCommandBarPaintManager* pPaintManager)
{
    CVZPCommandBarPaintManager* pOld = g_pPaintManager;
    if (pOld != NULL && pOld != pPaintManager)
    {
        pOld->RetireFonts();
        pOld->InternalRelease();
    }
    g_pPaintManager = pPaintManager;
    if (pPaintManager != NULL)
    {
        pPaintManager->m_nThemeType = vzpThemeCustom;
        pPaintManager->RefreshMetrics();
    }
}

CVZPCommandBarPaintManager* AFX_CDECL CVZPCommandBarPaintManager::CreatePaintManager(int nTheme)
{
    CVZPCommandBarPaintManager* pPaintManager;
    switch (nTheme)
    {
    case vzpThemeOfficeXP:
        pPaintManager = new CVZPFlatPaintManager;
        break;
    case vzpThemeOffice2003:
        pPaintManager = new CVZPGradientPaintManager;
        break;
    case vzpThemeNativeWinXP:
        pPaintManager = new CVZPNativePaintManager;
        break;
    case vzpThemeWhidbey:
        pPaintManager = new CVZPSchemeGradientPaintManager;
        break;
    default:
        pPaintManager = new CVZPClassicPaintManager;
        break;
    }
    pPaintManager->m_nThemeType = nTheme;
    return pPaintManager;
}

void AFX_CDECL CVZPCommandBarPaintManager::ReleaseTheme()
{
    CVZPCommandBarPaintManager* pOld = g_pPaintManager;
    g_pPaintManager = NULL;
    if (pOld != NULL)
        pOld->InternalRelease();
}

void AFX_CDECL CVZPCommandBarPaintManager::TerminateThemes()
{
    ReleaseTheme();
    FreeRetiredFonts();
}

void CVZPCommandBarPaintManager::RetireFont(CFont& font)
{
    if (font.GetSafeHandle() == NULL)
        return;
    if (g_pRetiredFonts == NULL)
        g_pRetiredFonts = new CArray<CFont*, CFont*>;
    CFont* pRetired = new CFont;
    pRetired->Attach(font.Detach());
    g_pRetiredFonts->Add(pRetired);
}

void CVZPCommandBarPaintManager::RetireFonts()
{
    CFont* fonts[] = {&m_fontRegular, &m_fontRegularBold, &m_fontVert, &m_fontVertBold,
                      &m_fontSmCaption, &m_fontIcon, &m_fontIconBold};
    for (CFont* pFont : fonts)
        RetireFont(*pFont);
}

// ---------------------------------------------------------------------------
// Colours

COLORREF CVZPCommandBarPaintManager::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex >= kColorCount)
        return (COLORREF)nIndex;
    return m_arrColor[nIndex].GetColor();
}

void CVZPCommandBarPaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++)
        if (pIndexes[i] >= 0 && pIndexes[i] < kColorCount)
            m_arrColor[pIndexes[i]].SetStandardValue(pColors[i]);
}

void CVZPCommandBarPaintManager::SetColorOverride(int nIndex, COLORREF clr)
{
    if (nIndex >= 0 && nIndex < kColorCount)
        m_arrColor[nIndex].m_clrOverride = clr;
}

int CVZPCommandBarPaintManager::GetColorScheme() const
{
    if (m_nColorScheme >= 0 && m_nColorScheme <= 3)
        return m_nColorScheme;
    if (m_nColorScheme == 4)
        return GetColorManager()->GetDetectedColorScheme();
    return IsVisualStyleDisabled() ? 0 : GetColorManager()->GetCurrentColorScheme();
}

// ---------------------------------------------------------------------------
// Fonts

void AFX_CDECL CVZPCommandBarPaintManager::SetMetricsSourceForTest(PFNGETMETRICS pfn)
{
    g_pfnMetricsForTest = pfn;
}

void CVZPCommandBarPaintManager::RefreshFonts()
{
    CVZNonClientMetrics ncm;
    if (g_pfnMetricsForTest != NULL)
        g_pfnMetricsForTest(&ncm);

    if (m_bUseStandardFont)
    {
        LOGFONT lf;
        memset(&lf, 0, sizeof(lf));
        CWindowDC dc(NULL);
        lf.lfCharSet = (BYTE)::GetTextCharset(dc.m_hDC);
        lf.lfHeight = CommandBarFontHeight(ncm.lfMenuFont.lfHeight);
        lf.lfWeight = ncm.lfMenuFont.lfWeight;
        lf.lfItalic = ncm.lfMenuFont.lfItalic;
        lstrcpynW(lf.lfFaceName, ncm.lfMenuFont.lfFaceName, LF_FACESIZE);
        SetCommandBarsFontIndirect(&lf, TRUE);
    }

    LOGFONT lfIcon;
    memset(&lfIcon, 0, sizeof(lfIcon));
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lfIcon), &lfIcon, 0);
    auto refresh = [](CVZPPaintManagerFont& font, const LOGFONT& lf) {
        if (!font.m_bStandardFont && font.GetSafeHandle() != NULL)
            return;
        RetireFont(font);
        font.CreateFontIndirect(&lf);
    };
    refresh(m_fontSmCaption, ncm.lfSmCaptionFont);
    refresh(m_fontIcon, lfIcon);
    lfIcon.lfWeight = FW_BOLD;
    refresh(m_fontIconBold, lfIcon);
}

void CVZPCommandBarPaintManager::SetCommandBarsFontIndirect(LOGFONT* pLogFont, BOOL bStandardFont)
{
    m_bUseStandardFont = bStandardFont;
    if (pLogFont == NULL)
        return;

    RetireFont(m_fontRegular);
    RetireFont(m_fontRegularBold);
    RetireFont(m_fontVert);
    RetireFont(m_fontVertBold);
    RetireFont(m_fontIconBold);

    if (lstrcmpiW(pLogFont->lfFaceName, L"Tahoma") == 0)
        m_bUseOfficeFont = TRUE;
    if (pLogFont->lfCharSet <= SYMBOL_CHARSET && bStandardFont && m_bUseOfficeFont && FontExists(L"Tahoma"))
        lstrcpynW(pLogFont->lfFaceName, L"Tahoma", LF_FACESIZE);

    const LONG lfWeight = pLogFont->lfWeight;
    m_fontRegular.CreateFontIndirect(pLogFont);
    pLogFont->lfWeight = FW_BOLD;
    m_fontRegularBold.CreateFontIndirect(pLogFont);

    pLogFont->lfWeight = lfWeight;
    pLogFont->lfOrientation = 900;
    pLogFont->lfEscapement = 2700;
    lstrcpynW(pLogFont->lfFaceName, ChooseUiFontFace(m_bUseOfficeFont), LF_FACESIZE);
    m_fontVert.CreateFontIndirect(pLogFont);
    pLogFont->lfWeight = FW_BOLD;
    m_fontVertBold.CreateFontIndirect(pLogFont);

    CWindowDC dc(NULL);
    CVZPFontSelector selector(&dc, &m_fontRegular);
    m_nTextHeight = dc.GetTextExtent(L" ", 1).cy + 6;
}

// ---------------------------------------------------------------------------
// Shared drawing helpers

void CVZPCommandBarPaintManager::Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    DrawFilledTriangle(pDC, pt0, pt1, pt2, clr);
}

void CVZPCommandBarPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1)
{
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CVZPCommandBarPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor)
{
    CVZPPenSelector pen(pDC->m_hDC, GetColor(nColor));
    Line(pDC, x0, y0, x1, y1);
}

void CVZPCommandBarPaintManager::DrawRectangleEx(CDC* pDC, CRect rc, int nBorder, int nFill)
{
    if (nFill != -1)
        pDC->FillSolidRect(rc, GetColor(nFill));
    if (nBorder != nFill && nBorder != -1)
        pDC->Draw3dRect(rc, GetColor(nBorder), GetColor(nBorder));
}

void CVZPCommandBarPaintManager::Draw3dRectEx(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight)
{
    pDC->Draw3dRect(rc, GetColor(nTopLeft), GetColor(nBottomRight));
}

void CVZPCommandBarPaintManager::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrStart, COLORREF clrEnd,
                                              BOOL bHorz, LPCRECT lpClip)
{
    CVZPDrawTools::GradientFillClipped(pDC, lpRect, clrStart, clrEnd, bHorz, lpClip);
}

CSize CVZPCommandBarPaintManager::DrawControl(CDC* pDC, CVZPControl* pControl, BOOL bDraw)
{
    switch (pControl->GetType())
    {
    case vzpControlEdit:
        return DrawEdit(pDC, (CVZPControlEdit*)pControl, bDraw);
    case vzpControlComboBox:
        return DrawComboBox(pDC, (CVZPControlComboBox*)pControl, bDraw);
    default:
        if (pControl->GetParent() != NULL && pControl->GetParent()->GetType() == vzpBarTypePopup)
            return DrawControlPopupParent(pDC, pControl, bDraw);
        return DrawControlToolBarParent(pDC, pControl, bDraw);
    }
}

// ---------------------------------------------------------------------------
// Base virtual operations

namespace {

BOOL IsPopupOpen(CVZPControl* pControl)
{
    CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pControl);
    return pPopup != NULL && pPopup->IsPopupOpen();
}

int BarPosition(CVZPControl* pControl)
{
    return pControl->GetParent() != NULL ? pControl->GetParent()->GetPosition() : vzpBarNone;
}

}  // namespace

void CVZPCommandBarPaintManager::DrawControlEntry(CDC* pDC, CVZPControl* pControl)
{
    DrawControlRectangle(pDC, pControl->GetRect(), pControl->GetEnabled(), pControl->GetSelected(),
                         pControl->GetPressed(), pControl->GetChecked(), IsPopupOpen(pControl), BarPosition(pControl));
}

void CVZPCommandBarPaintManager::DrawSplitButtonFrame(CDC* pDC, CVZPControl* pControl, CRect rcButton)
{
    const BOOL bPopuped = IsPopupOpen(pControl);
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected();
    const BOOL bPressed = pControl->GetPressed();
    const int nPosition = BarPosition(pControl);

    CRect rcFace = rcButton;
    if (!bPopuped)
        rcFace.right -= 11;
    DrawControlRectangle(pDC, rcFace, bEnabled, bSelected, bPressed, pControl->GetChecked(), bPopuped, nPosition);
    if ((bSelected || bPressed) && bEnabled && !bPopuped)
        DrawControlRectangle(pDC, CRect(rcButton.right - 12, rcButton.top, rcButton.right, rcButton.bottom), TRUE,
                             TRUE, FALSE, FALSE, FALSE, nPosition);
    const int cy = rcButton.CenterPoint().y;
    Triangle(pDC, CPoint(rcButton.right - 9, cy - 1), CPoint(rcButton.right - 5, cy - 1),
             CPoint(rcButton.right - 7, cy + 1), pDC->GetTextColor());
}

void CVZPCommandBarPaintManager::DrawStatusBarPaneEntry(CDC* pDC, CRect rc, CVZPStatusBarPane* pPane)
{
    CVZPStatusBar* pBar = pPane->GetStatusBar();
    const BOOL bEnabled = (pPane->m_nStyle & SBPS_DISABLED) == 0;
    const BOOL bDrawText = bEnabled || (pBar != NULL && pBar->GetDrawDisabledText());
    const BOOL bBorders = (pPane->m_nStyle & SBPS_NOBORDERS) == 0;

    if (pPane->m_clrBackground != (COLORREF)-1)
    {
        CRect rcFill(rc);
        if (bBorders)
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFill, pPane->m_clrBackground);
    }

    CFont* pFont = pPane->GetTextFont();
    CFont* pOldFont = pFont != NULL ? pDC->SelectObject(pFont) : NULL;
    rc.DeflateRect(2, 1);

    const CString strText = bDrawText ? pPane->m_strText : CString();
    CVZPImageManagerIcon* pIcon = pPane->GetIcon();
    if (pPane->m_nAlignment == 1 || pPane->m_nAlignment == 2)
    {
        const int w = strText.IsEmpty() ? 0 : pDC->GetTextExtent(strText).cx;
        const int g = pIcon == NULL ? 0 : pIcon->m_nWidth + (strText.IsEmpty() ? 0 : 2);
        if (w + g <= rc.Width())
        {
            if (pPane->m_nAlignment == 2)
                rc.left = rc.right - w - g;
            else
                rc.left = (rc.left + rc.right - w - g) / 2;
        }
    }
    if (pIcon != NULL && rc.right >= rc.left + pIcon->m_nWidth)
    {
        CPoint pt(rc.left, (rc.top + rc.bottom - pIcon->m_nHeight) / 2);
        pIcon->Draw(pDC, pt, bEnabled ? pIcon->GetIcon() : pIcon->GetDisabledIcon());
        rc.left += pIcon->m_nWidth + 2;
    }
    if (!strText.IsEmpty())
    {
        pDC->SetBkMode(TRANSPARENT);
        COLORREF clrText = pPane->m_clrText != (COLORREF)-1 ? pPane->m_clrText : m_clrStatusTextColor;
        if (!bEnabled)
            clrText = GetColor(COLOR_GRAYTEXT);
        pDC->SetTextColor(clrText);
        pDC->DrawText(strText, rc, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    }
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

void CVZPCommandBarPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    (void)bGripperPane;
    Draw3dRectEx(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CVZPCommandBarPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcGripper)
{
    const int x = rcGripper.left;
    const int y = rcGripper.top;
    const int W = rcGripper.Width();
    const int H = rcGripper.Height();
    {
        CVZPPenSelector pen(pDC->m_hDC, GetColor(COLOR_BTNSHADOW));
        for (int k = 0; k < 3; k++)
        {
            Line(pDC, x + W - 3 - 4 * k, y + H - 2, x + W - 1, y + H - 4 - 4 * k);
            Line(pDC, x + W - 4 - 4 * k, y + H - 2, x + W - 1, y + H - 5 - 4 * k);
        }
    }
    CVZPPenSelector pen(pDC->m_hDC, GetColor(COLOR_BTNHIGHLIGHT));
    for (int k = 0; k < 3; k++)
        Line(pDC, x + W - 5 - 4 * k, y + H - 2, x + W - 1, y + H - 6 - 4 * k);
}

void CVZPCommandBarPaintManager::FillDockBar(CDC* pDC, CVZPDockBar* pBar)
{
    FillStatusBar(pDC, pBar);
}

void CVZPCommandBarPaintManager::FillStatusBar(CDC* pDC, CWnd* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
}

void CVZPCommandBarPaintManager::RefreshMetrics()
{
    RefreshFonts();
    RefreshColorsThrottled();
    CVZPColorManager* pColorManager = GetColorManager();
    for (int i = 0; i < kColorCount; i++)
        m_arrColor[i].SetStandardValue(pColorManager->GetColor(i));
    m_clrShadowFactor = 0;
    m_clrStatusTextColor = GetColor(COLOR_BTNTEXT);
    m_grcFace.SetStandardValue(GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNSHADOW), 0.5f);
}

CRect CVZPCommandBarPaintManager::GetCommandBarBorders(CVZPCommandBar* pBar)
{
    (void)pBar;
    return CRect(2, 2, 2, 2);
}

CFont* CVZPCommandBarPaintManager::GetCommandBarFont(CVZPCommandBar* pBar, BOOL bBold)
{
    if (pBar != NULL && (pBar->GetPosition() == vzpBarLeft || pBar->GetPosition() == vzpBarRight))
        return bBold ? &m_fontVertBold : &m_fontVert;
    return bBold ? &m_fontRegularBold : &m_fontRegular;
}

void CVZPCommandBarPaintManager::DrawCheckMark(CDC* pDC, CRect rcCheck, COLORREF clr, BOOL bLayoutRTL)
{
    const int x = rcCheck.CenterPoint().x;
    const int y = rcCheck.CenterPoint().y;
    CVZPPenSelector pen(pDC->m_hDC, clr);
    for (int nPass = 0; nPass < (m_bBoldCheckMark ? 2 : 1); nPass++)
    {
        const int dy = nPass;
        if (bLayoutRTL)
        {
            POINT first[] = {{x - 4, y - 3 + dy}, {x, y + 1 + dy}, {x + 3, y - 2 + dy}};
            POINT second[] = {{x - 4, y - 2 + dy}, {x, y + 2 + dy}, {x + 3, y - 1 + dy}};
            pDC->Polyline(first, 3);
            pDC->Polyline(second, 3);
        }
        else
        {
            POINT first[] = {{x - 4, y - 1 + dy}, {x - 2, y + 1 + dy}, {x + 3, y - 4 + dy}};
            POINT second[] = {{x - 4, y + dy}, {x - 2, y + 2 + dy}, {x + 3, y - 3 + dy}};
            pDC->Polyline(first, 3);
            pDC->Polyline(second, 3);
        }
    }
}

void CVZPCommandBarPaintManager::DrawDropDownGlyph(CDC* pDC, CRect rc, COLORREF clr)
{
    const int f = rc.Width() / 2 - 4 < 2 ? 2 : rc.Width() / 2 - 4;
    const CPoint center = rc.CenterPoint();
    const int y0 = center.y - f / 2;
    Triangle(pDC, CPoint(center.x - f, y0), CPoint(center.x + f, y0), CPoint(center.x, y0 + f), clr);
}
