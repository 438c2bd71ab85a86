#include "CVZPTabColorSet.h"

#include <vssym32.h>

#include <algorithm>

#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabManager.h"
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

int CVZPTabColorSet::GetPosition() const
{
    return m_pPaintManager != NULL ? m_pPaintManager->GetTabPosition() : vzpTabPositionTop;
}

BOOL CVZPTabColorSet::IsItemColors() const
{
    return m_pPaintManager != NULL && m_pPaintManager->m_bItemColors;
}

void CVZPTabColorSet::FillGradientByPosition(CDC* pDC, CRect rc, COLORREF c1, COLORREF c2, int nPosition)
{
    if (c1 == kDithered)
    {
        static const WORD s_pattern[8] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
        CBitmap bmp;
        bmp.CreateBitmap(8, 8, 1, 1, s_pattern);
        CBrush brush;
        brush.CreatePatternBrush(&bmp);
        COLORREF clrOldBk = pDC->SetBkColor(Sys(COLOR_BTNFACE));
        COLORREF clrOldText = pDC->SetTextColor(Sys(COLOR_BTNHIGHLIGHT));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
        pDC->SelectObject(pOldBrush);
        pDC->SetTextColor(clrOldText);
        pDC->SetBkColor(clrOldBk);
        return;
    }
    if (m_pPaintManager != NULL && m_pPaintManager->m_bReverseGradient)
        std::swap(c1, c2);
    BOOL bHorizontalStrip = nPosition == vzpTabPositionTop || nPosition == vzpTabPositionBottom;
    BOOL bOuterFirst = nPosition == vzpTabPositionTop || nPosition == vzpTabPositionLeft;
    CVZPDrawTools::GradientFill(pDC, rc, bOuterFirst ? c1 : c2, bOuterFirst ? c2 : c1, !bHorizontalStrip);
}

void CVZPTabColorSet::SetTabTextColor(CDC* pDC, CVZPTabManagerItem* pItem)
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    COLORREF clr;
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText;
    else if (pStrip != NULL && !pStrip->IsActive())
        clr = m_clrInactiveText;
    else if (pStrip != NULL && pStrip->GetSelectedItem() == pItem)
        clr = m_clrSelectedText;
    else if (pStrip != NULL && pStrip->GetHotItem() == pItem)
        clr = m_clrHotText;
    else
        clr = m_clrNormalText;
    pDC->SetTextColor(clr);
}

void CVZPTabColorSet::FillHeader(CDC* pDC, CRect rc, CVZPTabManager* pStrip)
{
    FillGradientByPosition(pDC, rc, m_grcHeader.GetStartColor(), m_grcHeader.GetEndColor(), pStrip->GetPosition());
}

COLORREF CVZPTabColorSet::FillClientFrame(CDC* pDC, CRect rc, CVZPTabManager* pStrip)
{
    CVZPTabManagerItem* pSelected = pStrip->GetSelectedItem();
    COLORREF clr = pSelected != NULL ? GetTabFillColor(pSelected) : m_clrSelectedFace.GetColor();
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CVZPTabColorSet::FillStateButton(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem)
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    BOOL bHorizontal = pStrip == NULL || pStrip->IsHorizontalPosition();
    if (pStrip != NULL && pStrip->GetSelectedItem() == pItem)
    {
        if (IsItemColors())
            pDC->FillSolidRect(rc, pItem->GetColor());
        else
            FillGradientByPosition(pDC, rc, m_grcButton.GetStartColor(), m_grcButton.GetEndColor(),
                                   pStrip->GetPosition());
        pDC->Draw3dRect(rc, m_grcButtonFrame.GetStartColor(), m_grcButtonFrame.GetEndColor());
        return;
    }
    // An etched separator at the tab's far end.
    CRect rcEtch = bHorizontal ? CRect(rc.right - 2, rc.top + 2, rc.right, rc.bottom - 2)
                               : CRect(rc.left + 2, rc.bottom - 2, rc.right - 2, rc.bottom);
    pDC->Draw3dRect(rcEtch, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
}

COLORREF CVZPTabColorSet::FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem)
{
    COLORREF clr = GetTabFillColor(pItem);
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CVZPTabColorSet::PrepareClientClip(CDC* /*pDC*/, CRect /*rc*/, CVZPTabManager* /*pStrip*/)
{
}

COLORREF CVZPTabColorSet::GetTabFillColor(CVZPTabManagerItem* pItem)
{
    if (IsItemColors())
        return pItem->GetColor();
    CVZPTabManager* pStrip = pItem->GetTabManager();
    return pStrip != NULL && pStrip->GetSelectedItem() == pItem ? m_clrSelectedFace.GetColor()
                                                                : m_clrNormalFace.GetColor();
}

void CVZPTabColorSet::DrawDefaultNavigateFace(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect)
{
    CRect rc(*pRect);
    if (pButton->m_bEnabled && pButton->m_bPressed)
    {
        pDC->Draw3dRect(rc, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        ::OffsetRect(pRect, 1, 1);
    }
    else if (pButton->m_bEnabled && pButton->m_bHot)
    {
        pDC->Draw3dRect(rc, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    }
    pDC->SetTextColor(Sys(COLOR_BTNTEXT));
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

void CVZPTabColorSetClassic::FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect)
{
    DrawDefaultNavigateFace(pDC, pButton, pRect);
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

void CVZPTabColorSetLightFace::FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect)
{
    int nAppearance = GetAppearanceType();
    if (nAppearance == 4 || nAppearance == 7)
    {
        DrawDefaultNavigateFace(pDC, pButton, pRect);
        return;
    }
    CRect rc(*pRect);
    if (pButton->m_bEnabled && pButton->m_bPressed)
    {
        pDC->Draw3dRect(rc, Sys(COLOR_BTNTEXT), Sys(COLOR_BTNFACE));
        ::OffsetRect(pRect, 1, 1);
    }
    else if (pButton->m_bEnabled && pButton->m_bHot)
    {
        pDC->Draw3dRect(rc, Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT));
    }
    pDC->SetTextColor(Sys(VZPCOLOR_DARK_SHADOW));
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

COLORREF CVZPTabColorSetScheme::FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem)
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    BOOL bHot = pStrip != NULL && pStrip->GetHotItem() == pItem;
    COLORREF clr = bHot ? m_clrHotFace.GetColor() : GetTabFillColor(pItem);
    FillGradientByPosition(pDC, rc, CVZPColorManager::BlendColors(clr, RGB(255, 255, 255), 300), clr,
                           GetPosition());
    return clr;
}

void CVZPTabColorSetScheme::FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect)
{
    CRect rc(*pRect);
    COLORREF clrGlyph = Sys(COLOR_BTNTEXT);
    if (pButton->m_bEnabled && (pButton->m_bHot || pButton->m_bPressed))
    {
        BOOL bBoth = pButton->m_bHot && pButton->m_bPressed;
        if (m_bSchemeColors)
        {
            if (bBoth)
                CVZPDrawTools::GradientFill(pDC, rc, RGB(254, 142, 75), RGB(255, 207, 139), FALSE);
            else
                CVZPDrawTools::GradientFill(pDC, rc, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
            pDC->Draw3dRect(rc, m_clrButtonBorder, m_clrButtonBorder);
        }
        else
        {
            pDC->FillSolidRect(rc, Sys(bBoth ? VZPCOLOR_HIGHLIGHT_PUSHED : VZPCOLOR_HIGHLIGHT));
            COLORREF clrFrame = Sys(bBoth ? VZPCOLOR_HIGHLIGHT_PUSHED_BORDER : VZPCOLOR_HIGHLIGHT_BORDER);
            pDC->Draw3dRect(rc, clrFrame, clrFrame);
            clrGlyph = Sys(bBoth ? VZPCOLOR_PUSHED_TEXT : VZPCOLOR_MENU_TEXT);
        }
    }
    pDC->SetTextColor(clrGlyph);
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

COLORREF CVZPTabColorSetSoftScheme::FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem)
{
    if (!m_bSoftFill)
    {
        CVZPTabManager* pStrip = pItem->GetTabManager();
        BOOL bHot = pStrip != NULL && pStrip->GetHotItem() == pItem;
        COLORREF clr = bHot ? m_clrHotFace.GetColor() : GetTabFillColor(pItem);
        pDC->FillSolidRect(rc, clr);
        return clr;
    }
    return CVZPTabColorSetScheme::FillTab(pDC, rc, pItem);
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

COLORREF CVZPTabColorSetThemed::FillClientFrame(CDC* pDC, CRect rc, CVZPTabManager* pStrip)
{
    if (!IsThemed())
        return CVZPTabColorSetClassic::FillClientFrame(pDC, rc, pStrip);
    int nPosition = pStrip->GetPosition();
    if (nPosition == vzpTabPositionBottom)
        rc.bottom++;
    else if (nPosition == vzpTabPositionRight)
        rc.right++;
    m_themeTab.DrawBackground(pDC->GetSafeHdc(), TABP_PANE, 0, rc, NULL);
    return 0;
}

void CVZPTabColorSetThemed::FillStateButton(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem)
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    if (!m_themeToolbar.IsAppThemed() || pStrip == NULL || pStrip->GetSelectedItem() != pItem)
    {
        CVZPTabColorSetClassic::FillStateButton(pDC, rc, pItem);
        return;
    }
    int nState = pStrip->GetHotItem() == pItem ? TS_HOTCHECKED : TS_CHECKED;
    m_themeToolbar.DrawBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, NULL);
}

COLORREF CVZPTabColorSetThemed::FillTab(CDC* pDC, CRect rc, CVZPTabManagerItem* pItem)
{
    if (!IsThemed())
        return CVZPTabColorSetClassic::FillTab(pDC, rc, pItem);
    CVZPTabManager* pStrip = pItem->GetTabManager();
    BOOL bSelected = pStrip != NULL && pStrip->GetSelectedItem() == pItem;
    int nState = bSelected ? 3 : (pStrip != NULL && pStrip->GetHotItem() == pItem ? 5 : 1);
    int nPosition = GetPosition();
    if (bSelected && nPosition == vzpTabPositionTop)
        rc.bottom++;
    else if (bSelected && nPosition == vzpTabPositionLeft)
        rc.right++;
    switch (nPosition)
    {
    case vzpTabPositionTop:
        rc.InflateRect(1, 1, 1, 0);
        m_themeTab.DrawBackground(pDC->GetSafeHdc(), TABP_TABITEM, nState, rc, NULL);
        break;
    case vzpTabPositionLeft:
        rc.InflateRect(1, 1, 0, 1);
        DrawRotatedTabPart(pDC, rc, nState, nPosition);
        break;
    case vzpTabPositionBottom:
        rc.InflateRect(1, 0, 1, 2);
        DrawRotatedTabPart(pDC, rc, nState, nPosition);
        break;
    default:
        rc.InflateRect(0, 1, 2, 1);
        DrawRotatedTabPart(pDC, rc, nState, nPosition);
        break;
    }
    return kNone;
}

namespace {

// A 32-bit bottom-up DIB section of cx by cy; its pixels in *ppBits.
HBITMAP CreateDib32(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    *ppBits = static_cast<DWORD*>(pBits);
    return hbm;
}

}  // namespace

void CVZPTabColorSetThemed::DrawRotatedTabPart(CDC* pDC, CRect rc, int nState, int nPosition)
{
    int w = rc.Width(), h = rc.Height();
    if (w <= 0 || h <= 0)
        return;
    BOOL bSide = nPosition == vzpTabPositionLeft || nPosition == vzpTabPositionRight;
    int sw = bSide ? h : w, sh = bSide ? w : h;
    DWORD* pSource = NULL;
    DWORD* pTarget = NULL;
    HBITMAP hbmSource = CreateDib32(sw, sh, &pSource);
    HBITMAP hbmTarget = CreateDib32(w, h, &pTarget);
    if (hbmSource != NULL && hbmTarget != NULL)
    {
        HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
        HGDIOBJ hOld = ::SelectObject(hMemDC, hbmSource);
        RECT rcSource = { 0, 0, sw, sh };
        m_themeTab.DrawBackground(hMemDC, TABP_TABITEM, nState, &rcSource, NULL);
        ::GdiFlush();
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);

        if (nPosition == vzpTabPositionBottom)
        {
            for (int i = 0; i < h; i++)
                memcpy(pTarget + i * w, pSource + (h - 1 - i) * w, size_t(w) * 4);
        }
        else
        {
            // Transpose (right); filled from the last pixel backwards it is
            // also turned half round (left).
            int nLast = w * h - 1;
            for (int y = 0; y < h; y++)
                for (int x = 0; x < w; x++)
                {
                    int k = y * w + x;
                    pTarget[nPosition == vzpTabPositionRight ? k : nLast - k] = pSource[x * sw + y];
                }
        }
        ::DrawStateW(pDC->GetSafeHdc(), NULL, NULL, LPARAM(hbmTarget), 0, rc.left, rc.top, w, h, DST_BITMAP);
    }
    if (hbmSource != NULL)
        ::DeleteObject(hbmSource);
    if (hbmTarget != NULL)
        ::DeleteObject(hbmTarget);
}

void CVZPTabColorSetThemed::PrepareClientClip(CDC* pDC, CRect rc, CVZPTabManager* pStrip)
{
    if (!IsThemed() || m_pPaintManager == NULL)
        return;
    CRect rcClient = m_pPaintManager->GetAppearanceSet()->GetClientRect(rc, pStrip);
    CPoint pt;
    switch (pStrip->GetPosition())
    {
    case vzpTabPositionBottom:
        pt = CPoint(rcClient.left, rcClient.bottom - 2);
        break;
    case vzpTabPositionRight:
        pt = CPoint(rcClient.right - 2, rcClient.top);
        break;
    default:
        pt = rcClient.TopLeft();
        break;
    }
    pDC->ExcludeClipRect(pt.x, pt.y, pt.x + 1, pt.y + 1);
}

void CVZPTabColorSetThemed::FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect)
{
    if (!m_themeToolbar.IsAppThemed())
    {
        CVZPTabColorSetClassic::FillNavigateButton(pDC, pButton, pRect);
        return;
    }
    if (pButton->m_bEnabled)
    {
        int nState = pButton->m_bPressed ? TS_PRESSED : (pButton->m_bHot ? TS_HOT : TS_NORMAL);
        m_themeToolbar.DrawBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, pRect, NULL);
    }
    pDC->SetTextColor(Sys(COLOR_BTNTEXT));
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
