#include "CVZPFlatPaintManager.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControl.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlEdit.h"
#include "CVZPControlPopup.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPPopupBar.h"
#include "VZPColorIndex.h"
#include "VZPCommandBarsDefs.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

namespace {

// Colour indexes this theme paints with beyond those named in VZPColorIndex.
const int kEditPopupFrame = 53;     // frame of an edit or combo box on a popup
const int kLabelRow = 56;           // row of a label control
const int kDisabledCheckedFrame = 58;
const int kDisabledToolbarText = 60;

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

BOOL IsOnPopupBar(CVZPControl* pControl)
{
    return pControl->GetParent() != NULL && pControl->GetParent()->GetType() == vzpBarTypePopup;
}

BOOL IsLayoutRTL(CVZPCommandBar* pBar)
{
    return pBar != NULL && pBar->GetSafeHwnd() != NULL && (pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
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

CRect ClientRect(CWnd* pWnd)
{
    CRect rc(0, 0, 0, 0);
    if (pWnd->GetSafeHwnd() != NULL)
        pWnd->GetClientRect(&rc);
    return rc;
}

}  // namespace

CVZPFlatPaintManager::CVZPFlatPaintManager()
{
    m_bUseFadedIcons = TRUE;
    m_bUseDisabledIcons = TRUE;
    m_bIconsWithShadow = TRUE;
    m_bGenerateDisabledIcons = TRUE;
}

CVZPFlatPaintManager::~CVZPFlatPaintManager()
{
}

// ---------------------------------------------------------------------------
// Popup geometry

int CVZPFlatPaintManager::GetPopupRowHeight(CSize szIcon) const
{
    return Larger(m_nTextHeight, szIcon.cy + 6);
}

int CVZPFlatPaintManager::GetPopupGutterColumn(CSize szIcon) const
{
    return Larger(m_nTextHeight + 4, szIcon.cx + 4);
}

int CVZPFlatPaintManager::GetPopupGutterArea(CVZPCommandBar* pBar) const
{
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pBar);
    const int G = GetPopupGutterColumn(szIcon);
    return pPopup != NULL && pPopup->m_bDoubleGripper ? 2 * G : G;
}

int CVZPFlatPaintManager::GetPopupGutterWidth(CVZPCommandBar* pBar) const
{
    return GetPopupGutterArea(pBar) + 1;
}

void CVZPFlatPaintManager::FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    pDC->FillSolidRect(x, y, cx, cy, GetColor(bExpanded ? VZPCOLOR_SHADED_FACE : VZPCOLOR_TOOLBAR_FACE));
}

CRect CVZPFlatPaintManager::GetPopupJoint(CVZPCommandBar* pPopupBar) const
{
    CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pPopupBar);
    if (pPopup == NULL || pPopup->GetSafeHwnd() == NULL || pPopup->m_pControlPopup == NULL)
        return CRect(0, 0, 0, 0);
    CVZPCommandBar* pParent = pPopup->m_pControlPopup->GetParent();
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return CRect(0, 0, 0, 0);
    CRect rcControl = pPopup->m_pControlPopup->GetRect();
    pParent->ClientToScreen(&rcControl);
    CRect rcWindow;
    pPopup->GetWindowRect(&rcWindow);
    CRect rcJoint;
    if (!rcJoint.IntersectRect(rcControl, rcWindow))
        return CRect(0, 0, 0, 0);
    if (rcJoint.Width() > 1)
        rcJoint.DeflateRect(1, 0);
    if (rcJoint.Height() > 1)
        rcJoint.DeflateRect(0, 1);
    pPopup->ScreenToClient(&rcJoint);
    return rcJoint;
}

// ---------------------------------------------------------------------------
// Faces and images

void CVZPFlatPaintManager::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                         BOOL bChecked, BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    (void)bToolBar;
    const BOOL bOnPopup = barPosition == vzpBarPopup;
    if (!bEnabled)
    {
        if (bSelected == 2)
            DrawRectangleEx(pDC, rc, VZPCOLOR_HIGHLIGHT_BORDER,
                            bOnPopup ? VZPCOLOR_MENU_FACE
                                     : (bChecked ? VZPCOLOR_HIGHLIGHT_PUSHED : VZPCOLOR_HIGHLIGHT));
        else if (bChecked)
            DrawRectangleEx(pDC, rc, kDisabledCheckedFrame, bOnPopup ? -1 : VZPCOLOR_HIGHLIGHT_CHECKED);
        return;
    }
    if (bPopuped)
        DrawRectangleEx(pDC, rc, VZPCOLOR_POPUP_FRAME, VZPCOLOR_TOOLBAR_FACE);
    else if (bChecked && !bSelected && !bPressed)
        DrawRectangleEx(pDC, rc, VZPCOLOR_HIGHLIGHT_PUSHED_BORDER, VZPCOLOR_HIGHLIGHT_CHECKED);
    else if (bChecked && bSelected && !bPressed)
        DrawRectangleEx(pDC, rc, VZPCOLOR_HIGHLIGHT_CHECKED_BORDER, VZPCOLOR_HIGHLIGHT_PUSHED);
    else if (bPressed == 2 || (bSelected && bPressed))
        DrawRectangleEx(pDC, rc, VZPCOLOR_HIGHLIGHT_PUSHED_BORDER, VZPCOLOR_HIGHLIGHT_PUSHED);
    else if (bSelected || bPressed)
        DrawRectangleEx(pDC, rc, VZPCOLOR_HIGHLIGHT_BORDER, VZPCOLOR_HIGHLIGHT);
}

void CVZPFlatPaintManager::DrawControlRectangle(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed,
                                                BOOL bChecked, BOOL bPopuped, int barPosition)
{
    DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, TRUE, barPosition);
    pDC->SetBkMode(TRANSPARENT);
    int nText;
    if (!bEnabled)
        nText = kDisabledToolbarText;
    else if (bPopuped)
        nText = VZPCOLOR_TOOLBAR_TEXT;
    else if (bChecked && !bSelected && !bPressed)
        nText = VZPCOLOR_MENU_TEXT;
    else if (bPressed == 2 || (bSelected && (bPressed || bChecked)))
        nText = VZPCOLOR_PUSHED_TEXT;
    else if (bSelected || bPressed)
        nText = VZPCOLOR_MENU_TEXT;
    else
        nText = barPosition == vzpBarPopup ? VZPCOLOR_HIGHLIGHT_TEXT : VZPCOLOR_TOOLBAR_TEXT;
    pDC->SetTextColor(GetColor(nText));
}

void CVZPFlatPaintManager::DrawImage(CDC* pDC, CPoint pt, CSize sz, CVZPImageManagerIcon* pImage, BOOL bSelected,
                                     BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage)
{
    (void)bToolBarImage;
    if (pImage == NULL)
        return;
    if (!bEnabled)
    {
        if (!m_bUseDisabledIcons && !pImage->IsAlpha())
            pImage->DrawMono(pDC, pt, pImage->GetIcon(), sz, GetColor(VZPCOLOR_DISABLED));
        else
        {
            if (m_bGenerateDisabledIcons && !pImage->HasDisabledIcon())
                pImage->CreateDisabledIcon(m_grcFace.GetStartColor(), m_grcFace.GetEndColor());
            pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz);
        }
    }
    else if (bPopuped || bChecked)
        pImage->Draw(pDC, pt, bChecked ? pImage->GetCheckedIcon() : pImage->GetIcon(), sz);
    else if ((bSelected && !bPressed) || (bPressed == 1 && !bSelected))
    {
        // Hot: raised over its shadow.
        if (m_bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty())
        {
            pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), sz);
            pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), sz);
        }
        else
            pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
    }
    else if (bPressed == 2 || (bSelected && bPressed))
        pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
    else
        pImage->Draw(pDC, pt, m_bUseFadedIcons ? pImage->GetFadedIcon() : pImage->GetIcon(), sz);
}

// ---------------------------------------------------------------------------
// Popup items

CSize CVZPFlatPaintManager::DrawControlPopupParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw)
{
    CVZPCommandBar* pBar = pControl->GetParent();
    CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pBar);
    const BOOL bDoubleGripper = pPopup != NULL && pPopup->m_bDoubleGripper;
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    const int nRowHeight = GetPopupRowHeight(szIcon);
    const int G = GetPopupGutterColumn(szIcon);
    const int nGutterArea = bDoubleGripper ? 2 * G : G;
    const int nType = pControl->GetType();
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected();
    const BOOL bChecked = pControl->GetChecked();
    const BOOL bPopuped = IsPopupKind(nType) && IsPopupOpen(pControl);
    const BOOL bRTL = IsLayoutRTL(pBar);
    CVZPFontSelector font(pDC, GetCommandBarFont(pBar, pControl->IsDefaultItem()));

    CString strCaption = pControl->GetCaption();
    if (bRTL)
        AdjustRightToLeftCaption(strCaption);
    UINT nPrefix = 0;
    if (pBar != NULL && !pBar->IsKeyboardCuesVisible())
    {
        StripMnemonicAmpersands(strCaption);
        nPrefix = DT_NOPREFIX;
    }
    CString strShortcut;
    if (nType == vzpControlButton)
        strShortcut = pControl->GetShortcutText();

    if (!bDraw)
    {
        CRect rcText(0, 0, 0, 0);
        pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT | nPrefix);
        CRect rcShortcut(0, 0, 0, 0);
        if (!strShortcut.IsEmpty())
            pDC->DrawText(strShortcut, rcShortcut, DT_CALCRECT | DT_VCENTER | DT_SINGLELINE);
        return CSize(rcText.Width() + rcShortcut.Width() + nGutterArea + 40, nRowHeight);
    }

    const CRect rc = pControl->GetRect();
    const int mid = rc.CenterPoint().y;
    if (pControl->m_bExpanded)
        FillPopupGutter(pDC, 1, rc.top, nGutterArea + 1, nRowHeight, TRUE);
    if (pControl->IsLabel())
        pDC->FillSolidRect(CRect(rc.left + nGutterArea + 3, rc.top, rc.right, rc.bottom), GetColor(kLabelRow));
    else
        DrawRectangle(pDC, rc, bSelected, FALSE, bEnabled, FALSE, FALSE, FALSE, vzpBarPopup);

    const CSize szCheck(szIcon.cx + 4, szIcon.cy + 4);
    const CRect rcCheck(CPoint(rc.left + (G - szCheck.cx) / 2, rc.top + (rc.Height() - szCheck.cy) / 2), szCheck);
    CRect rcImage(rc.left, rc.top, rc.left + G, rc.bottom);
    if (bDoubleGripper)
        rcImage.OffsetRect(G, 0);
    if (bChecked)
        DrawRectangle(pDC, rcCheck, bSelected, FALSE, bEnabled, bChecked, FALSE, FALSE, vzpBarPopup);
    CVZPImageManagerIcon* pImage = RowImage(pControl, szIcon.cx);
    if (pImage != NULL)
    {
        const int nHeight = ScaledHeight(pImage, szIcon);
        const CPoint pt(rcImage.left + (rcImage.Width() - szIcon.cx) / 2,
                        rcImage.top + (rcImage.Height() - nHeight) / 2);
        DrawImage(pDC, pt, CSize(szIcon.cx, nHeight), pImage, bSelected, FALSE, bEnabled, bChecked, FALSE, FALSE);
    }
    if (bChecked && (bDoubleGripper || pImage == NULL))
        DrawCheckMark(pDC, rcCheck, bEnabled ? RGB(0, 0, 0) : GetColor(VZPCOLOR_DISABLED), bRTL);

    const int nText = !bEnabled ? VZPCOLOR_DISABLED_TEXT : (bSelected ? VZPCOLOR_MENU_TEXT : VZPCOLOR_HIGHLIGHT_TEXT);
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);

    if (IsPopupKind(nType))
    {
        COLORREF clrArrow = pDC->GetTextColor();
        if (nType == vzpControlSplitButtonPopup && bEnabled)
        {
            if (bPopuped && bSelected)
            {
                DrawRectangleEx(pDC, CRect(rc.right - 20, rc.top, rc.right, rc.bottom), VZPCOLOR_HIGHLIGHT_BORDER,
                                VZPCOLOR_HIGHLIGHT_PUSHED);
                clrArrow = GetColor(VZPCOLOR_PUSHED_TEXT);
            }
            else
                Line(pDC, rc.right - 20, rc.top + 1, rc.right - 20, rc.bottom - 1,
                     bSelected ? VZPCOLOR_HIGHLIGHT_BORDER : COLOR_BTNSHADOW);
        }
        Triangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3),
                 clrArrow);
    }

    CRect rcText(rc.left + nGutterArea + 8, rc.top, rc.right, rc.bottom);
    CRect rcShortcut(rcText.left, rc.top, rc.right - 19, rc.bottom);
    if (!strShortcut.IsEmpty())
    {
        CRect rcMeasure(0, 0, 0, 0);
        pDC->DrawText(strShortcut, rcMeasure, DT_CALCRECT | DT_VCENTER | DT_SINGLELINE);
        rcText.right -= rcMeasure.Width() + 19;
    }
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | nPrefix);
    if (!strShortcut.IsEmpty())
        pDC->DrawText(strShortcut, rcShortcut, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------
// Edits and combo boxes

CSize CVZPFlatPaintManager::DrawLabeledBox(CDC* pDC, CVZPControl* pControl, BOOL bDraw, CRect* pBox)
{
    CVZPCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = IsOnPopupBar(pControl);
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected();
    CString strCaption = pControl->GetCaption();
    UINT nPrefix = 0;
    if (pBar != NULL && !pBar->IsKeyboardCuesVisible())
    {
        StripMnemonicAmpersands(strCaption);
        nPrefix = DT_NOPREFIX;
    }

    // Only popup bars show labels until the controls carry their own
    // show-label choice.
    int nLabelWidth = 0;
    if (bPopup)
    {
        CVZPFontSelector font(pDC, &m_fontRegular);
        CRect rcMeasure(0, 0, 0, 0);
        pDC->DrawText(strCaption, rcMeasure, DT_CALCRECT | DT_SINGLELINE | nPrefix);
        nLabelWidth = GetPopupGutterWidth(pBar) + rcMeasure.Width() + 12;
    }

    if (!bDraw)
    {
        int nHeight = pDC->GetTextExtent(L" ", 1).cy + 1;
        {
            CVZPFontSelector font(pDC, &m_fontRegular);
            nHeight = Larger(nHeight, pDC->GetTextExtent(L" ", 1).cy + 1);
        }
        const int nWidth = pControl->GetRect().Width() > 0 ? pControl->GetRect().Width() : 100;
        return CSize(bPopup ? nWidth + nLabelWidth : nWidth, nHeight + 7);
    }

    const CRect rc = pControl->GetRect();
    if (bPopup)
    {
        if (bSelected)
            DrawRectangle(pDC, rc, bSelected, FALSE, bEnabled, FALSE, FALSE, FALSE, vzpBarPopup);
        CVZPFontSelector font(pDC, &m_fontRegular);
        pDC->SetTextColor(
            GetColor(!bEnabled ? VZPCOLOR_DISABLED_TEXT : (bSelected ? VZPCOLOR_MENU_TEXT : VZPCOLOR_HIGHLIGHT_TEXT)));
        pDC->SetBkMode(TRANSPARENT);
        CRect rcLabel(rc.left + GetPopupGutterWidth(pBar) + 7, rc.top, rc.left + nLabelWidth, rc.bottom);
        pDC->DrawText(strCaption, rcLabel, DT_SINGLELINE | DT_VCENTER | nPrefix);
    }
    *pBox = CRect(rc.left + nLabelWidth, rc.top, rc.right, rc.bottom);
    return CSize(0, 0);
}

CSize CVZPFlatPaintManager::DrawEdit(CDC* pDC, CVZPControlEdit* pControl, BOOL bDraw)
{
    CVZPFontSelector font(pDC, &m_fontIcon);
    CRect rcBox;
    const CSize size = DrawLabeledBox(pDC, pControl, bDraw, &rcBox);
    if (!bDraw)
        return size;
    if (pControl->GetEnabled())
    {
        CRect rcFace = rcBox;
        rcFace.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFace, GetColor(COLOR_WINDOW));
        if (pControl->GetSelected())
            DrawRectangleEx(pDC, rcBox, VZPCOLOR_HIGHLIGHT_BORDER, COLOR_WINDOW);
        else if (IsOnPopupBar(pControl))
            Draw3dRectEx(pDC, rcBox, kEditPopupFrame, kEditPopupFrame);
    }
    else
    {
        rcBox.left += 1;
        DrawRectangleEx(pDC, rcBox, pControl->GetSelected() == 2 ? VZPCOLOR_HIGHLIGHT_BORDER : VZPCOLOR_DISABLED,
                        COLOR_BTNFACE);
    }
    return CSize(0, 0);
}

CSize CVZPFlatPaintManager::DrawComboBox(CDC* pDC, CVZPControlComboBox* pControl, BOOL bDraw)
{
    CVZPFontSelector font(pDC, &m_fontIcon);
    CRect rcBox;
    const CSize size = DrawLabeledBox(pDC, pControl, bDraw, &rcBox);
    if (!bDraw)
        return size;
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int nButtonWidth = Larger(2 * tm.tmAveCharWidth + 4, 15);
    const CRect rcDrop(rcBox.right - nButtonWidth, rcBox.top, rcBox.right, rcBox.bottom);
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected();
    const BOOL bDropped = pControl->IsPopupOpen();
    if (bEnabled)
    {
        DrawRectangleEx(pDC, CRect(rcBox.left + 1, rcBox.top + 1, rcDrop.left + 1, rcBox.bottom - 1), COLOR_WINDOW,
                        COLOR_WINDOW);
        if (bSelected)
        {
            DrawRectangleEx(pDC, rcBox, VZPCOLOR_HIGHLIGHT_BORDER, COLOR_WINDOW);
            DrawRectangleEx(pDC, rcDrop, VZPCOLOR_HIGHLIGHT_BORDER,
                            bDropped ? VZPCOLOR_HIGHLIGHT_PUSHED : VZPCOLOR_HIGHLIGHT);
        }
        else if (IsOnPopupBar(pControl))
        {
            CRect rcFrame = rcBox;
            rcFrame.DeflateRect(1, 1);
            Draw3dRectEx(pDC, rcFrame, kEditPopupFrame, kEditPopupFrame);
            DrawRectangleEx(pDC, rcDrop, COLOR_WINDOW, kEditPopupFrame);
        }
        else
            Draw3dRectEx(pDC, rcDrop, COLOR_WINDOW, COLOR_WINDOW);
    }
    else
    {
        CRect rcFrame = rcBox;
        rcFrame.left += 1;
        DrawRectangleEx(pDC, rcFrame, bSelected == 2 ? VZPCOLOR_HIGHLIGHT_BORDER : VZPCOLOR_DISABLED, COLOR_BTNFACE);
    }
    int nGlyph = VZPCOLOR_TOOLBAR_TEXT;
    if (!bEnabled)
        nGlyph = VZPCOLOR_DISABLED;
    else if (bDropped)
        nGlyph = VZPCOLOR_PUSHED_TEXT;
    else if (bSelected)
        nGlyph = VZPCOLOR_MENU_TEXT;
    DrawDropDownGlyph(pDC, rcDrop, GetColor(nGlyph));
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------
// Rows of the customise command list

CSize CVZPFlatPaintManager::DrawListBoxControl(CDC* pDC, CVZPControl* pControl, CRect rcButton, BOOL bSelected,
                                               BOOL bDraw, CVZPCommandBars* pCommandBars)
{
    CSize szIcon(16, 16);
    if (pCommandBars != NULL)
        szIcon = pCommandBars->GetCommandBarsOptions()->szPopupIcons;
    const int nRowHeight = GetPopupRowHeight(szIcon);
    const int G = GetPopupGutterColumn(szIcon);
    if (!bDraw)
        return CSize(G, nRowHeight);

    pDC->FillSolidRect(rcButton, GetColor(VZPCOLOR_MENU_FACE));
    FillPopupGutter(pDC, 0, rcButton.top, G + 1, rcButton.Height(), FALSE);
    if (pControl == NULL)
        return CSize(0, 0);
    if (bSelected)
        DrawRectangle(pDC, rcButton, bSelected, FALSE, TRUE, FALSE, FALSE, FALSE, vzpBarPopup);
    if (CVZPImageManagerIcon* pImage = RowImage(pControl, szIcon.cx))
    {
        const int nHeight = ScaledHeight(pImage, szIcon);
        DrawImage(pDC, CPoint(rcButton.left + (G - szIcon.cx) / 2, rcButton.top + (rcButton.Height() - nHeight) / 2),
                  CSize(szIcon.cx, nHeight), pImage, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE);
    }
    const COLORREF clrText = GetColor(bSelected ? VZPCOLOR_MENU_TEXT : VZPCOLOR_HIGHLIGHT_TEXT);
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
                 bSelected ? VZPCOLOR_HIGHLIGHT_BORDER : COLOR_BTNSHADOW);
    }
    else if (nType == vzpControlComboBox || nType == vzpControlEdit)
    {
        const int nCaption = pDC->GetTextExtent(strCaption).cx;
        const CRect rcBox(rcButton.left + nCaption + G + 13, rcButton.top, rcButton.right, rcButton.bottom);
        DrawRectangleEx(pDC, rcBox, bSelected ? VZPCOLOR_HIGHLIGHT_BORDER : COLOR_BTNFACE, COLOR_WINDOW);
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
            DrawDropDownGlyph(pDC, rcDrop, GetColor(bSelected ? VZPCOLOR_MENU_TEXT : VZPCOLOR_TOOLBAR_TEXT));
        }
    }
    return CSize(G, nRowHeight);
}

// ---------------------------------------------------------------------------
// Bars

void CVZPFlatPaintManager::FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar)
{
    CRect rc = ClientRect(pBar);
    const int W = rc.Width();
    const int H = rc.Height();
    const int nPosition = pBar->GetPosition();
    if (nPosition == vzpBarFloating)
    {
        const COLORREF clrFrame = GetColor(VZPCOLOR_POPUP_FRAME);
        CVZPPenSelector pen(pDC->m_hDC, clrFrame);
        CBrush brush(GetColor(pBar->GetType() == vzpBarTypeMenuBar ? COLOR_BTNFACE : VZPCOLOR_TOOLBAR_FACE));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->Rectangle(rc);
        rc.DeflateRect(1, 1);
        pDC->Rectangle(rc);
        pDC->SelectObject(pOldBrush);
        for (CPoint pt : {CPoint(2, 2), CPoint(W - 3, 2), CPoint(2, H - 3), CPoint(W - 3, H - 3)})
            pDC->SetPixel(pt, clrFrame);
    }
    else if (pBar->GetType() == vzpBarTypeMenuBar)
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    else if (nPosition == vzpBarPopup)
    {
        DrawRectangleEx(pDC, rc, VZPCOLOR_POPUP_FRAME, VZPCOLOR_MENU_FACE);
        if (pBar->GetType() == vzpBarTypePopup)
            FillPopupGutter(pDC, 1, 2, GetPopupGutterWidth(pBar), rc.bottom - 4, FALSE);
        const CRect rcJoint = GetPopupJoint(pBar);
        if (!rcJoint.IsRectEmpty())
            pDC->FillSolidRect(rcJoint, GetColor(VZPCOLOR_TOOLBAR_FACE));
    }
    else
    {
        pDC->FillSolidRect(rc, GetColor(VZPCOLOR_TOOLBAR_FACE));
        Draw3dRectEx(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
        const COLORREF clrFace = GetColor(COLOR_BTNFACE);
        for (CPoint pt : {CPoint(1, 1), CPoint(W - 2, 1), CPoint(1, H - 2), CPoint(W - 2, H - 2)})
            pDC->SetPixel(pt, clrFace);
    }
}

CRect CVZPFlatPaintManager::GetFloatingCaptionRect(CDC* pDC, CVZPCommandBar* pBar)
{
    const CRect rcClient = ClientRect(pBar);
    CVZPFontSelector font(pDC, &m_fontSmCaption);
    const int nHeight = pDC->GetTextExtent(L" ", 1).cy;
    return CRect(3, 3, rcClient.Width() - 3, nHeight < 15 ? 18 : nHeight + 3);
}

CSize CVZPFlatPaintManager::DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawCommandBarGripperEx(pDC, pBar, bDraw);
    const CRect rcClient = ClientRect(pBar);
    switch (pBar->GetPosition())
    {
    case vzpBarTop:
    case vzpBarBottom:
        if (bDraw)
        {
            CVZPPenSelector pen(pDC->m_hDC, GetColor(VZPCOLOR_GRIPPER));
            for (int y = 5; y < rcClient.Height() - 5; y += 2)
                Line(pDC, 3, y, 6, y);
        }
        return CSize(6, 0);
    case vzpBarLeft:
    case vzpBarRight:
        if (bDraw)
        {
            CVZPPenSelector pen(pDC->m_hDC, GetColor(VZPCOLOR_GRIPPER));
            for (int x = 5; x < rcClient.Width() - 5; x += 2)
                Line(pDC, x, 3, x, 6);
        }
        return CSize(0, 8);
    case vzpBarFloating:
    {
        const CRect rcCaption = GetFloatingCaptionRect(pDC, pBar);
        if (bDraw)
        {
            pDC->FillSolidRect(rcCaption, GetColor(COLOR_BTNSHADOW));
            CVZPFontSelector font(pDC, &m_fontSmCaption);
            CRect rcTitle(5, rcCaption.top, rcCaption.right, rcCaption.bottom);
            const COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            const int nOldMode = pDC->SetBkMode(TRANSPARENT);
            pDC->DrawText(pBar->GetTitle(), rcTitle, DT_SINGLELINE | DT_VCENTER);
            pDC->SetBkMode(nOldMode);
            pDC->SetTextColor(clrOld);
        }
        return rcCaption.Size();
    }
    default:
        return CSize(0, 0);
    }
}

CSize CVZPFlatPaintManager::DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    (void)pBar;
    const int nHeight = Larger(22, m_nTextHeight + 4);
    if (bDraw)
    {
        CVZPPenSelector pen(pDC->m_hDC, GetColor(VZPCOLOR_GRIPPER));
        for (int y = 6; y < nHeight - 2; y += 2)
            Line(pDC, 3, y, 6, y);
    }
    return CSize(6, nHeight);
}

CSize CVZPFlatPaintManager::DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl,
                                                    BOOL bDraw)
{
    const BOOL bPopup = pBar->GetType() == vzpBarTypePopup;
    if (!bDraw)
        return bPopup ? CSize(3, 3) : CSize(6, 6);
    const CRect rcControl = pControl->GetRect();
    const CRect rcRow = pControl->m_rcRow;
    const BOOL bRowStart = pControl->m_bWrap;
    CVZPPenSelector pen(pDC->m_hDC, GetColor(VZPCOLOR_SEPARATOR));
    if (bPopup)
        Line(pDC, GetPopupGutterWidth(pBar) + 9, rcControl.top - 2, ClientRect(pBar).right - 1, rcControl.top - 2);
    else if (pBar->GetPosition() == vzpBarLeft || pBar->GetPosition() == vzpBarRight)
    {
        if (bRowStart)
            Line(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom);
        else
            Line(pDC, rcRow.left, rcControl.top - 4, rcRow.right, rcControl.top - 4);
    }
    else if (bRowStart)
        Line(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4);
    else
        Line(pDC, rcControl.left - 4, rcRow.top, rcControl.left - 4, rcRow.bottom);
    return CSize(0, 0);
}

void CVZPFlatPaintManager::AdjustExcludeRect(CRect& rc, CVZPControl* pControl, BOOL bHorizontal)
{
    if (IsOnPopupBar(pControl))
        rc.InflateRect(1, 0);
    else if (pControl->GetType() == vzpControlComboBox)
        return;
    else if (bHorizontal)
        rc.DeflateRect(1, 0);
    else
        rc.DeflateRect(0, 1);
}

void CVZPFlatPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    (void)bGripperPane;
    Draw3dRectEx(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
}

CSize CVZPFlatPaintManager::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    if (!bDraw)
        return CSize(0, 9);
    CRect rc(1, 1, rcGripper.right + 1, rcGripper.bottom - rcGripper.top + 1);
    pDC->FillSolidRect(rc, GetColor(VZPCOLOR_MENU_FACE));
    rc.DeflateRect(1, 1);
    int nHalf = rcGripper.Width() / 2;
    nHalf = nHalf > 26 ? 16 : nHalf - 10;
    const int nCenter = rc.CenterPoint().x;
    if (bSelected)
        DrawRectangleEx(pDC, rc, VZPCOLOR_HIGHLIGHT_BORDER, VZPCOLOR_HIGHLIGHT);
    else
        pDC->FillSolidRect(rc, GetColor(VZPCOLOR_TOOLBAR_FACE));
    if (nHalf <= 0)
        return CSize(0, 9);
    CVZPPenSelector pen(pDC->m_hDC, GetColor(bSelected ? VZPCOLOR_MENU_TEXT : VZPCOLOR_GRIPPER));
    if (bSelected)
        for (int y : {4, 6})
            Line(pDC, nCenter - nHalf, y, nCenter + nHalf, y);
    else
        for (int y : {3, 5, 7})
            Line(pDC, nCenter - nHalf, y, nCenter + nHalf, y);
    return CSize(0, 9);
}
