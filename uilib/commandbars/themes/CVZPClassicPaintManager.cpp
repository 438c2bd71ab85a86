#include "CVZPClassicPaintManager.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControl.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlEdit.h"
#include "CVZPControlPopup.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPPopupBar.h"
#include "VZPCommandBarsDefs.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

namespace {

int Larger(int a, int b)
{
    return a > b ? a : b;
}

BOOL IsPopupOpen(CVZPControl* pControl)
{
    CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pControl);
    return pPopup != NULL && pPopup->IsPopupOpen();
}

BOOL IsPopupKind(int nType)
{
    return nType == vzpControlPopup || nType == vzpControlButtonPopup || nType == vzpControlSplitButtonPopup;
}

int BarPosition(CVZPControl* pControl)
{
    return pControl->GetParent() != NULL ? pControl->GetParent()->GetPosition() : vzpBarNone;
}

BOOL IsOnPopupBar(CVZPControl* pControl)
{
    return pControl->GetParent() != NULL && pControl->GetParent()->GetType() == vzpBarTypePopup;
}

// The image a popup row or list row shows: none for captions only, none for
// automatic submenu items.
CVZPImageManagerIcon* RowImage(CVZPControl* pControl, int nWidth)
{
    const int nStyle = pControl->GetStyle();
    if (nStyle == 1 || (nStyle == 0 && pControl->GetType() == vzpControlPopup))
        return NULL;
    return pControl->GetImage(nWidth);
}

// Image height at the icon width, keeping the image's proportions.
int ScaledHeight(CVZPImageManagerIcon* pImage, CSize szIcon)
{
    const int nWidth = pImage->m_nWidth > 0 ? pImage->m_nWidth : szIcon.cx;
    return szIcon.cx * (pImage->m_nHeight > 0 ? pImage->m_nHeight : szIcon.cy) / nWidth;
}

BOOL ShowsKeyboardCues(CVZPCommandBar* pBar)
{
    return pBar == NULL || pBar->IsKeyboardCuesVisible();
}

}  // namespace

CVZPClassicPaintManager::CVZPClassicPaintManager() : m_bFullRowHighlight(FALSE), m_nPopupTextColor(COLOR_BTNTEXT)
{
    m_bUseFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

CVZPClassicPaintManager::~CVZPClassicPaintManager()
{
}

int CVZPClassicPaintManager::GetPopupRowHeight(CSize szIcon) const
{
    return Larger(m_nTextHeight, szIcon.cy + 4);
}

int CVZPClassicPaintManager::GetPopupGutterWidth(CSize szIcon) const
{
    return Larger(m_nTextHeight, szIcon.cx + 4);
}

// ---------------------------------------------------------------------------
// Faces

void CVZPClassicPaintManager::DrawDitheredFace(CDC* pDC, CRect rc)
{
    static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, kPattern))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    const COLORREF clrOldBk = pDC->SetBkColor(GetColor(COLOR_BTNFACE));
    const COLORREF clrOldText = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SelectObject(pOldBrush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void CVZPClassicPaintManager::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                            BOOL bChecked, BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    (void)bToolBar;
    (void)barPosition;
    if (!bEnabled)
    {
        if (bChecked)
            DrawSunkenFrame(pDC, rc);
        if (bSelected == 2)
            DrawSunkenFrame(pDC, rc);
    }
    else if (bChecked && !bSelected && !bPressed)
    {
        DrawDitheredFace(pDC, rc);
        DrawSunkenFrame(pDC, rc);
    }
    else if (bChecked || bPopuped || bPressed == 2 || (bSelected && bPressed))
        DrawSunkenFrame(pDC, rc);
    else if (bSelected || bPressed)
        DrawRaisedFrame(pDC, rc);
}

void CVZPClassicPaintManager::DrawControlRectangle(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed,
                                                   BOOL bChecked, BOOL bPopuped, int barPosition)
{
    DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, TRUE, barPosition);
    int nText = COLOR_BTNTEXT;
    if (!bEnabled)
        nText = COLOR_GRAYTEXT;
    else if (barPosition == vzpBarPopup)
        nText = m_nPopupTextColor;
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);
}

void CVZPClassicPaintManager::DrawSplitButtonFrame(CDC* pDC, CVZPControl* pControl, CRect rcButton)
{
    const BOOL bPopuped = IsPopupOpen(pControl);
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected();
    const BOOL bPressed = pControl->GetPressed();
    const int nPosition = BarPosition(pControl);

    CRect rcFace = rcButton;
    rcFace.right -= 12;
    DrawControlRectangle(pDC, rcFace, bEnabled, bSelected || bPopuped, bPressed, pControl->GetChecked(), FALSE,
                         nPosition);
    if (bEnabled && (bSelected || bPressed || bPopuped))
        DrawControlRectangle(pDC, CRect(rcButton.right - 12, rcButton.top, rcButton.right, rcButton.bottom), TRUE,
                             bSelected, FALSE, FALSE, bPopuped, nPosition);
    const int cy = rcButton.CenterPoint().y;
    Triangle(pDC, CPoint(rcButton.right - 9, cy - 1), CPoint(rcButton.right - 5, cy - 1),
             CPoint(rcButton.right - 7, cy + 1), pDC->GetTextColor());
}

CSize CVZPClassicPaintManager::DrawSpecialControl(CDC* pDC, int nCode, CVZPControl* pControl, CVZPCommandBar* pBar,
                                                  BOOL bDraw, LPVOID lpParam)
{
    if (bDraw && (nCode == 2 || nCode == 3) &&
        (pControl->GetPressed() || pControl->GetSelected() || (nCode == 3 && IsPopupOpen(pControl))))
        pDC->FillSolidRect(pControl->GetRect(), GetColor(COLOR_BTNFACE));
    return CVZPCommandBarPaintManager::DrawSpecialControl(pDC, nCode, pControl, pBar, bDraw, lpParam);
}

// ---------------------------------------------------------------------------
// Images

void CVZPClassicPaintManager::DrawImage(CDC* pDC, CPoint pt, CSize sz, CVZPImageManagerIcon* pImage, BOOL bSelected,
                                        BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                        BOOL bToolBarImage)
{
    (void)bToolBarImage;
    if (pImage == NULL)
        return;
    if (!bEnabled)
    {
        if (m_bUseDisabledIcons || pImage->IsAlpha())
        {
            if (m_bGenerateDisabledIcons && !pImage->HasDisabledIcon())
                pImage->CreateDisabledIcon(m_grcFace.GetStartColor(), m_grcFace.GetEndColor());
            pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz);
        }
        else
        {
            // Embossed: a highlight copy one pixel right and down under a
            // shadow copy.
            pImage->DrawMono(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetIcon(), sz, GetColor(COLOR_BTNHIGHLIGHT));
            pImage->DrawMono(pDC, pt, pImage->GetIcon(), sz, GetColor(COLOR_BTNSHADOW));
        }
    }
    else if (bPopuped && !bChecked)
        pImage->Draw(pDC, pt, pImage->GetIcon(), sz);
    else if (bPopuped || (bChecked && !bSelected && !bPressed))
        pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz);
    else if ((bSelected && bPressed) || bPressed == 2)
        pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetHotIcon(), sz);
    else if (bSelected || bPressed == 1)
    {
        if (m_bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty())
        {
            pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), sz);
            pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), sz);
        }
        else
            pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
    }
    else if (bChecked)
        pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz);
    else
        pImage->Draw(pDC, pt, m_bUseFadedIcons ? pImage->GetFadedIcon() : pImage->GetIcon(), sz);
}

// ---------------------------------------------------------------------------
// Popup items

int CVZPClassicPaintManager::DrawPopupItemText(CDC* pDC, const CString& strText, CRect& rc, UINT nFormat, BOOL bDraw,
                                               BOOL bSelected, BOOL bEnabled)
{
    if (!bDraw)
        return pDC->DrawText(strText, rc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | (nFormat & DT_NOPREFIX));
    nFormat |= DT_SINGLELINE | DT_VCENTER;
    if (!bEnabled && !bSelected)
    {
        const COLORREF clrText = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcEmboss = rc + CPoint(1, 1);
        pDC->DrawText(strText, rcEmboss, nFormat);
        pDC->SetTextColor(clrText);
    }
    return pDC->DrawText(strText, rc, nFormat);
}

CSize CVZPClassicPaintManager::DrawControlPopupParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw)
{
    CVZPCommandBar* pBar = pControl->GetParent();
    CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pBar);
    const BOOL bDoubleGripper = pPopup != NULL && pPopup->m_bDoubleGripper;
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    const int nRowHeight = GetPopupRowHeight(szIcon);
    const int G = GetPopupGutterWidth(szIcon);
    const int nGutterArea = bDoubleGripper ? 2 * G : G;
    const int nType = pControl->GetType();
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected();
    const BOOL bChecked = pControl->GetChecked();
    const BOOL bPopuped = IsPopupKind(nType) && IsPopupOpen(pControl);
    const BOOL bCues = ShowsKeyboardCues(pBar);
    CVZPFontSelector font(pDC, GetCommandBarFont(pBar, pControl->IsDefaultItem()));

    CString strCaption = pControl->GetCaption();
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL && (pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        AdjustRightToLeftCaption(strCaption);
    UINT nFormat = DT_END_ELLIPSIS;
    if (!bCues)
    {
        StripMnemonicAmpersands(strCaption);
        nFormat |= DT_NOPREFIX;
    }
    CString strShortcut;
    if (nType == vzpControlButton)
        strShortcut = !pControl->m_strShortcutText.IsEmpty() ? pControl->m_strShortcutText
                                                            : pControl->m_strShortcutTextAuto;

    if (!bDraw)
    {
        CRect rcText(0, 0, 0, 0);
        DrawPopupItemText(pDC, strCaption, rcText, nFormat, FALSE, bSelected, bEnabled);
        CRect rcShortcut(0, 0, 0, 0);
        if (!strShortcut.IsEmpty())
            DrawPopupItemText(pDC, strShortcut, rcShortcut, DT_RIGHT, FALSE, bSelected, bEnabled);
        return CSize(rcText.Width() + rcShortcut.Width() + nGutterArea + 40, nRowHeight);
    }

    const CRect rc = pControl->GetRect();
    const int mid = rc.CenterPoint().y;
    if (pControl->m_bExpanded)
        pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
    int nText = bSelected ? COLOR_HIGHLIGHTTEXT : m_nPopupTextColor;
    if (!bEnabled)
        nText = COLOR_GRAYTEXT;
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);
    if (m_bFullRowHighlight && bSelected)
        DrawRectangleEx(pDC, rc, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);

    const CRect rcCheck(CPoint(rc.left + (G - 20) / 2, rc.top + (rc.Height() - 20) / 2), CSize(20, 20));
    CRect rcImage(rc.left, rc.top, rc.left + G, rc.bottom);
    if (bDoubleGripper)
        rcImage.OffsetRect(G + 1, 0);
    CRect rcHighlight(rc.left, rc.top, rc.right, rc.bottom);
    if (bChecked && !m_bFullRowHighlight)
    {
        DrawRectangle(pDC, rcImage, FALSE, FALSE, bEnabled, bChecked, FALSE, FALSE, vzpBarPopup);
        rcHighlight.left = rc.left + G + 1;
    }
    CVZPImageManagerIcon* pImage = RowImage(pControl, szIcon.cx);
    if (pImage != NULL)
    {
        if (!m_bFullRowHighlight)
            DrawRectangle(pDC, rcImage, bSelected, FALSE, bEnabled, bDoubleGripper ? FALSE : bChecked, FALSE, FALSE,
                          vzpBarPopup);
        const int nHeight = ScaledHeight(pImage, szIcon);
        const CPoint pt(rcImage.left + (rcImage.Width() - szIcon.cx) / 2, rcImage.top + (rcImage.Height() - nHeight) / 2);
        DrawImage(pDC, pt, CSize(szIcon.cx, nHeight), pImage, bSelected, FALSE, bEnabled, bChecked, FALSE, FALSE);
        rcHighlight.left = rc.left + G + 1;
    }
    if (bChecked && (bDoubleGripper || pImage == NULL))
    {
        COLORREF clrMark = GetColor(bEnabled ? m_nPopupTextColor : COLOR_GRAYTEXT);
        if (m_bFullRowHighlight)
            clrMark = pDC->GetTextColor();
        DrawCheckMark(pDC, rcCheck, clrMark, pBar != NULL && pBar->GetSafeHwnd() != NULL &&
                                                 (pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0);
    }

    // The text area of a selected item is highlighted; a submenu item keeps
    // the highlight too, or its highlight-coloured text would not show.
    const BOOL bHighlight = bSelected && !m_bFullRowHighlight && (nType != vzpControlSplitButtonPopup || bEnabled);
    if (bHighlight)
        DrawRectangleEx(pDC, rcHighlight, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
    if (IsPopupKind(nType))
    {
        COLORREF clrArrow = pDC->GetTextColor();
        if (nType == vzpControlSplitButtonPopup && bEnabled)
        {
            if (bPopuped && bSelected)
                DrawSunkenFrame(pDC, CRect(rc.right - 20, rc.top, rc.right, rc.bottom));
            else
                Line(pDC, rc.right - 20, rc.top + 1, rc.right - 20, rc.bottom - 1,
                     bSelected ? COLOR_BTNSHADOW : m_nPopupTextColor);
        }
        if (bPopuped && bSelected)
            clrArrow = GetColor(m_nPopupTextColor);
        Triangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3),
                 clrArrow);
    }

    CRect rcText(rc.left + nGutterArea + 4, rc.top, rc.right, rc.bottom);
    CRect rcShortcut(rc.left + nGutterArea + 8, rc.top, rc.right - 19, rc.bottom);
    if (!strShortcut.IsEmpty())
    {
        CRect rcMeasure(0, 0, 0, 0);
        DrawPopupItemText(pDC, strShortcut, rcMeasure, DT_RIGHT, FALSE, bSelected, bEnabled);
        rcText.right -= rcMeasure.Width() + 19;
    }
    DrawPopupItemText(pDC, strCaption, rcText, nFormat, TRUE, bSelected, bEnabled);
    if (!strShortcut.IsEmpty())
        DrawPopupItemText(pDC, strShortcut, rcShortcut, DT_RIGHT, TRUE, bSelected, bEnabled);
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------
// Bars

void CVZPClassicPaintManager::FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    if (pBar->GetPosition() == vzpBarFloating || pBar->GetPosition() == vzpBarPopup)
    {
        Draw3dRectEx(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
    }
    DrawRaisedFrame(pDC, rc);
}

CSize CVZPClassicPaintManager::DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawCommandBarGripperEx(pDC, pBar, bDraw);
    CRect rcClient(0, 0, 0, 0);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->GetClientRect(&rcClient);
    const int W = rcClient.Width();
    const int H = rcClient.Height();
    switch (pBar->GetPosition())
    {
    case vzpBarTop:
    case vzpBarBottom:
        if (bDraw)
            DrawRaisedFrame(pDC, CRect(3, 3, 6, H - 3));
        return CSize(6, 0);
    case vzpBarLeft:
    case vzpBarRight:
        if (bDraw)
            DrawRaisedFrame(pDC, CRect(3, 3, W - 3, 6));
        return CSize(0, 8);
    case vzpBarFloating:
    {
        CVZPFontSelector font(pDC, &m_fontSmCaption);
        const int nHeight = pDC->GetTextExtent(L" ", 1).cy;
        const CRect rcCaption(3, 3, W - 3, nHeight < 15 ? 18 : nHeight + 3);
        if (bDraw)
        {
            pDC->FillSolidRect(rcCaption, GetColor(COLOR_ACTIVECAPTION));
            CRect rcTitle(5, 3, rcCaption.right - 2 * rcCaption.Height(), rcCaption.bottom);
            const COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            const int nOldMode = pDC->SetBkMode(TRANSPARENT);
            pDC->DrawText(pBar->GetTitle(), rcTitle, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            pDC->SetBkMode(nOldMode);
            pDC->SetTextColor(clrOld);
        }
        return rcCaption.Size();
    }
    default:
        return CSize(0, 0);
    }
}

CSize CVZPClassicPaintManager::DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    (void)pBar;
    const int nHeight = m_nTextHeight >= 18 ? m_nTextHeight + 4 : 22;
    if (bDraw)
        DrawRaisedFrame(pDC, CRect(3, 3, 6, nHeight));
    return CSize(6, nHeight);
}

CSize CVZPClassicPaintManager::DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl,
                                                       BOOL bDraw)
{
    const BOOL bPopup = pBar->GetType() == vzpBarTypePopup;
    if (!bDraw)
        return bPopup ? CSize(8, 8) : CSize(6, 6);
    const CRect rcControl = pControl->GetRect();
    const CRect rcRow = pControl->m_rcRow;
    const BOOL bRowStart = pControl->m_bWrap;
    CRect rcGroove;
    if (bPopup)
    {
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        rcGroove.SetRect(14, rcControl.top - 5, rcClient.Width() - 14, rcControl.top - 3);
    }
    else if (pBar->GetPosition() == vzpBarLeft || pBar->GetPosition() == vzpBarRight)
        rcGroove = bRowStart ? CRect(rcRow.right + 2, rcRow.top + 4, rcRow.right + 4, rcRow.bottom)
                             : CRect(rcRow.left, rcControl.top - 4, rcRow.right, rcControl.top - 2);
    else
        rcGroove = bRowStart ? CRect(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 2)
                             : CRect(rcControl.left - 4, rcRow.top, rcControl.left - 2, rcRow.bottom);
    DrawSunkenFrame(pDC, rcGroove);
    return CSize(0, 0);
}

void CVZPClassicPaintManager::AdjustExcludeRect(CRect& rc, CVZPControl* pControl, BOOL bHorizontal)
{
    if (pControl->GetType() == vzpControlComboBox)
        return;
    if (IsOnPopupBar(pControl))
        rc.DeflateRect(1, 0);
    else if (bHorizontal)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

CRect CVZPClassicPaintManager::GetCommandBarBorders(CVZPCommandBar* pBar)
{
    if (pBar != NULL && pBar->GetType() == vzpBarTypePopup)
        return CRect(3, 3, 3, 3);
    return CVZPCommandBarPaintManager::GetCommandBarBorders(pBar);
}

CSize CVZPClassicPaintManager::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    if (bDraw)
        pDC->FillSolidRect(CRect(rcGripper.left, rcGripper.top, rcGripper.right, rcGripper.bottom - 1),
                           GetColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    return CSize(0, 8);
}

// ---------------------------------------------------------------------------
// Edits and combo boxes

void CVZPClassicPaintManager::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected)
{
    if (bEnabled)
    {
        if (bSelected)
            DrawSunkenFrame(pDC, rc);
        else
            Draw3dRectEx(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
        rc.DeflateRect(1, 1);
        Draw3dRectEx(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
    }
    else
    {
        rc.DeflateRect(1, 1);
        const int nColor = bSelected == 2 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
        Draw3dRectEx(pDC, rc, nColor, nColor);
    }
}

void CVZPClassicPaintManager::DrawComboDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped)
{
    rc.left += 1;
    rc.top += 2;
    rc.right -= 2;
    rc.bottom -= 2;
    CRect rcGlyph = rc;
    if (bEnabled)
    {
        DrawRectangleEx(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
        const CRect rcColumn(rc.left - 1, rc.top, rc.left, rc.bottom);
        if (bDropped)
        {
            pDC->FillSolidRect(rcColumn, GetColor(COLOR_BTNFACE));
            DrawSunkenFrame(pDC, rc);
            rcGlyph.OffsetRect(1, 1);
        }
        else if (bSelected)
        {
            pDC->FillSolidRect(rcColumn, GetColor(COLOR_BTNFACE));
            DrawRaisedFrame(pDC, rc);
        }
        else
            Draw3dRectEx(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
    }
    DrawDropDownGlyph(pDC, rcGlyph, GetColor(COLOR_BTNTEXT));
}

CSize CVZPClassicPaintManager::DrawLabeledBox(CDC* pDC, CVZPControl* pControl, BOOL bDraw, CRect* pBox)
{
    CVZPCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = IsOnPopupBar(pControl);
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    const int G = GetPopupGutterWidth(szIcon);
    const BOOL bCues = ShowsKeyboardCues(pBar);
    CString strCaption = pControl->GetCaption();
    UINT nFormat = 0;
    if (!bCues)
    {
        StripMnemonicAmpersands(strCaption);
        nFormat |= DT_NOPREFIX;
    }

    // Label width: the caption and the gutter on popup bars; other bars
    // show no label.
    int nLabelWidth = 0;
    if (bPopup)
    {
        CVZPFontSelector font(pDC, &m_fontRegular);
        CRect rcMeasure(0, 0, 0, 0);
        DrawPopupItemText(pDC, strCaption, rcMeasure, nFormat, FALSE, FALSE, pControl->GetEnabled());
        nLabelWidth = rcMeasure.Width() + G + 9;
    }

    if (!bDraw)
    {
        int nHeight;
        {
            CVZPFontSelector font(pDC, &m_fontIcon);
            nHeight = pDC->GetTextExtent(L" ", 1).cy;
        }
        {
            CVZPFontSelector font(pDC, &m_fontRegular);
            nHeight = Larger(nHeight, pDC->GetTextExtent(L" ", 1).cy);
        }
        const int nWidth = pControl->GetRect().Width() > 0 ? pControl->GetRect().Width() : 100;
        return CSize(bPopup ? nWidth + nLabelWidth : nWidth, nHeight + 1 + 7);
    }

    const CRect rc = pControl->GetRect();
    if (bPopup)
    {
        CVZPFontSelector font(pDC, &m_fontRegular);
        pDC->SetTextColor(GetColor(pControl->GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        pDC->SetBkMode(TRANSPARENT);
        CRect rcLabel(rc.left + G + 4, rc.top, rc.left + nLabelWidth, rc.bottom);
        DrawPopupItemText(pDC, strCaption, rcLabel, nFormat, TRUE, FALSE, pControl->GetEnabled());
    }
    *pBox = CRect(rc.left + nLabelWidth, rc.top, rc.right, rc.bottom);
    return CSize(0, 0);
}

CSize CVZPClassicPaintManager::DrawEdit(CDC* pDC, CVZPControlEdit* pControl, BOOL bDraw)
{
    CVZPFontSelector font(pDC, &m_fontIcon);
    CRect rcBox;
    CSize size = DrawLabeledBox(pDC, pControl, bDraw, &rcBox);
    if (!bDraw)
        return size;
    if (pControl->GetEnabled())
        pDC->FillSolidRect(rcBox, GetColor(COLOR_WINDOW));
    DrawEditFrame(pDC, rcBox, pControl->GetEnabled(), pControl->GetSelected());
    return CSize(0, 0);
}

CSize CVZPClassicPaintManager::DrawComboBox(CDC* pDC, CVZPControlComboBox* pControl, BOOL bDraw)
{
    CVZPFontSelector font(pDC, &m_fontIcon);
    CRect rcBox;
    CSize size = DrawLabeledBox(pDC, pControl, bDraw, &rcBox);
    if (!bDraw)
        return size;
    // The drop-down button: two average characters and 4, at least 15.
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int nButtonWidth = Larger(2 * tm.tmAveCharWidth + 4, 15);
    if (pControl->GetEnabled())
        DrawRectangleEx(pDC, rcBox, COLOR_WINDOW, COLOR_WINDOW);
    const CRect rcButton(rcBox.right - nButtonWidth, rcBox.top, rcBox.right, rcBox.bottom);
    DrawComboDropButton(pDC, rcButton, pControl->GetEnabled(), pControl->GetSelected(), pControl->IsPopupOpen());
    DrawEditFrame(pDC, rcBox, pControl->GetEnabled(), pControl->GetSelected());
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------
// Rows of the customise command list

CSize CVZPClassicPaintManager::DrawListBoxControl(CDC* pDC, CVZPControl* pControl, CRect rcButton, BOOL bSelected,
                                                  BOOL bDraw, CVZPCommandBars* pCommandBars)
{
    CSize szIcon(16, 16);
    if (pCommandBars != NULL)
        szIcon = pCommandBars->GetCommandBarsOptions()->szPopupIcons;
    const int nRowHeight = GetPopupRowHeight(szIcon);
    const int G = GetPopupGutterWidth(szIcon);
    if (!bDraw)
        return CSize(G, nRowHeight);

    pDC->FillSolidRect(rcButton, GetColor(COLOR_BTNFACE));
    if (pControl == NULL)
        return CSize(0, 0);

    const CRect rcCell(rcButton.left, rcButton.top, rcButton.left + G, rcButton.bottom);
    if (CVZPImageManagerIcon* pImage = RowImage(pControl, szIcon.cx))
    {
        DrawRectangle(pDC, rcCell, bSelected, FALSE, TRUE, FALSE, FALSE, FALSE, vzpBarPopup);
        const int nHeight = ScaledHeight(pImage, szIcon);
        DrawImage(pDC, CPoint(rcCell.left + (G - szIcon.cx) / 2, rcCell.top + (rcCell.Height() - nHeight) / 2),
                  CSize(szIcon.cx, nHeight), pImage, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE);
    }
    if (bSelected)
        DrawRectangleEx(pDC, CRect(rcCell.right, rcButton.top, rcButton.right, rcButton.bottom), COLOR_HIGHLIGHT,
                        COLOR_HIGHLIGHT);
    const COLORREF clrText = GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);

    CString strCaption = pControl->GetCaption();
    StripMnemonicAmpersands(strCaption);
    if (pCommandBars != NULL && pCommandBars->IsLayoutRTL())
        AdjustRightToLeftCaption(strCaption);
    CVZPFontSelector font(pDC, &m_fontRegular);
    CRect rcText(rcButton.left + G + 8, rcButton.top, rcButton.right, rcButton.bottom);
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

    const int nType = pControl->GetType();
    const int mid = rcButton.CenterPoint().y;
    if (IsPopupKind(nType))
    {
        Triangle(pDC, CPoint(rcButton.right - 7, mid), CPoint(rcButton.right - 12, mid - 5),
                 CPoint(rcButton.right - 12, mid + 5), clrText);
        if (nType == vzpControlSplitButtonPopup)
            Line(pDC, rcButton.right - 20, rcButton.top, rcButton.right - 20, rcButton.bottom,
                 bSelected ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW);
    }
    else if (nType == vzpControlComboBox || nType == vzpControlEdit)
    {
        const int nCaption = pDC->GetTextExtent(strCaption).cx;
        CRect rcBox(rcButton.left + nCaption + G + 13, rcButton.top, rcButton.right, rcButton.bottom);
        DrawRectangleEx(pDC, rcBox, bSelected ? COLOR_HIGHLIGHT : COLOR_BTNFACE, COLOR_WINDOW);
        if (nType == vzpControlComboBox)
        {
            const int nWidth = pDC->GetTextExtent(L" ", 1).cy + 2;
            CRect rcDrop(rcBox.right - nWidth, rcBox.top, rcBox.right, rcBox.bottom);
            if (bSelected)
                DrawRectangle(pDC, rcDrop, TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, vzpBarPopup);
            else
            {
                CRect rcFace = rcDrop;
                rcFace.DeflateRect(2, 2);
                pDC->FillSolidRect(rcFace, GetColor(COLOR_BTNFACE));
            }
            rcDrop.DeflateRect(1, 1);
            DrawDropDownGlyph(pDC, rcDrop, GetColor(COLOR_BTNTEXT));
        }
    }
    return CSize(G, nRowHeight);
}
