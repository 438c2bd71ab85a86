// The paint manager's measuring and drawing of controls on toolbars and menu
// bars, of control captions, of the bars' own buttons, and the popup
// animations.
#include "CVZPCommandBarPaintManager.h"

#include "CVZPCommandBar.h"
#include "CVZPControl.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPPopupBar.h"
#include "VZPAlphaBitmap.h"
#include "VZPCommandBarsDefs.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

namespace {

// The button size of a control without an image.
const CSize kTextButtonSize(23, 23);
// Room of a split button's arrow part.
const int kSplitArrowWidth = 11;

int Larger(int a, int b)
{
    return a > b ? a : b;
}

BOOL IsPopupOpen(CVZPControl* pControl)
{
    CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pControl);
    return pPopup != NULL && pPopup->IsPopupOpen();
}

// Two strokes of a three-point line, the second one pixel further by (dx, dy).
void DrawStroke(CDC* pDC, POINT p0, POINT p1, POINT p2, int dx, int dy)
{
    for (int i = 0; i < 2; i++)
    {
        POINT pts[] = {{p0.x + i * dx, p0.y + i * dy}, {p1.x + i * dx, p1.y + i * dy}, {p2.x + i * dx, p2.y + i * dy}};
        pDC->Polyline(pts, 3);
    }
}

// A chevron of two strokes and the same again offset by (ox, oy).
void DrawChevron(CDC* pDC, POINT p0, POINT p1, POINT p2, int dx, int dy, int ox, int oy)
{
    DrawStroke(pDC, p0, p1, p2, dx, dy);
    DrawStroke(pDC, {p0.x + ox, p0.y + oy}, {p1.x + ox, p1.y + oy}, {p2.x + ox, p2.y + oy}, dx, dy);
}

// A 32-bit top-down DIB section of cx by cy pixels.
HBITMAP CreateDib32(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFOHEADER header = {};
    header.biWidth = cx;
    header.biHeight = -cy;
    return VZPCreateDib32(header, (BYTE**)ppBits);
}

}  // namespace

// ---------------------------------------------------------------------------
// Controls on toolbars and menu bars

CSize CVZPCommandBarPaintManager::DrawControlToolBarParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw)
{
    CVZPCommandBar* pBar = pControl->GetParent();
    const BOOL bDefault = pControl->IsDefaultItem();
    CVZPFontSelector font(pDC, GetCommandBarFont(pBar, bDefault));

    CRect rc = bDraw ? pControl->GetRect() : CRect(0, 0, 0, 0);
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    const CSize szButton = pBar != NULL ? pBar->GetButtonSize() : CSize(szIcon.cx + 7, szIcon.cy + 7);
    const int nType = pControl->GetType();
    const int nStyle = pControl->GetStyle();

    // The image rule: never for captions only, never for automatic popups.
    CVZPImageManagerIcon* pImage = NULL;
    if (nStyle != 1 && !(nStyle == 0 && nType == vzpControlPopup))
        pImage = pControl->GetImage(szIcon.cx);
    const BOOL bImage = pImage != NULL;

    const int nPosition = pBar != NULL ? pBar->GetPosition() : vzpBarNone;
    const BOOL bVert = nPosition == vzpBarLeft || nPosition == vzpBarRight;
    const BOOL bEmbossed = !pControl->GetEnabled() && !IsFlatStyle();
    const BOOL bPopuped = IsPopupOpen(pControl);
    const BOOL bCues = pBar == NULL || pBar->IsKeyboardCuesVisible();
    const BOOL bMenuBar = pBar != NULL && pBar->GetType() == vzpBarTypeMenuBar;
    const CString strCaption = pControl->GetCaption();

    if (bDraw)
    {
        if (nType == vzpControlSplitButtonPopup)
            DrawSplitButtonFrame(pDC, pControl, rc);
        else
            DrawControlEntry(pDC, pControl);
    }

    if (pBar != NULL && pBar->IsTextBelowIcons() && bImage)
    {
        CVZPFontSelector fontBelow(pDC, bDefault ? &m_fontRegularBold : &m_fontRegular);
        if (bDraw)
        {
            CRect rcButton = rc;
            if (nType == vzpControlSplitButtonPopup)
                rcButton.right -= kSplitArrowWidth;
            DrawImage(pDC, CPoint(rcButton.CenterPoint().x - szIcon.cx / 2, rcButton.top + 4), szIcon, pImage,
                      pControl->GetSelected(), pControl->GetPressed(), pControl->GetEnabled(),
                      pControl->GetChecked(), bPopuped, TRUE);
            CRect rcText(rcButton.left, rcButton.top + szButton.cy - 4, rcButton.right, rcButton.bottom);
            DrawControlText(pDC, strCaption, rcText, FALSE, TRUE, TRUE, nType == vzpControlPopup, bEmbossed, bCues);
            return CSize(0, 0);
        }
        CSize szText = DrawControlText(pDC, strCaption, CRect(0, 0, 0, 0), FALSE, FALSE, FALSE, FALSE, FALSE, bCues);
        int cx = Larger(szButton.cx, szText.cx + 10);
        if (nType == vzpControlSplitButtonPopup)
            cx += kSplitArrowWidth;
        const int cy = szButton.cy + szText.cy;
        return CSize(Larger(cx, cy), cy);
    }

    const BOOL bCaption = pControl->IsCaptionVisible();
    if (bDraw && bImage)
    {
        // The image keeps its aspect at the icon width.
        const int nWidth = pImage->m_nWidth > 0 ? pImage->m_nWidth : szIcon.cx;
        const int nHeight = szIcon.cx * (pImage->m_nHeight > 0 ? pImage->m_nHeight : szIcon.cy) / nWidth;
        CPoint pt = bVert ? CPoint(rc.CenterPoint().x - szIcon.cx / 2, rc.top + 4)
                          : CPoint(rc.left + 3, rc.CenterPoint().y - nHeight / 2);
        if (nType == vzpControlSplitButtonPopup || (nType == vzpControlPopup && !bCaption))
            pt.x = rc.left + 3;
        DrawImage(pDC, pt, CSize(szIcon.cx, nHeight), pImage, pControl->GetSelected(), pControl->GetPressed(),
                  pControl->GetEnabled(), pControl->GetChecked(), bPopuped, TRUE);
    }

    const CSize szImageButton = bImage ? szButton : kTextButtonSize;
    switch (nType)
    {
    case vzpControlButton:
    case vzpControlButtonPopup:
    case vzpControlLabel:
        if (!bCaption)
            return szButton;
        return DrawControlTextAndImage(pDC, strCaption, rc, bVert, bDraw, bEmbossed, FALSE, szImageButton.cx,
                                       szImageButton.cy, bImage, bCues);
    case vzpControlPopup:
        if (!bImage)
        {
            CSize szText = DrawControlText(pDC, strCaption, rc, bVert, bDraw, TRUE, !bDraw || !bMenuBar, bEmbossed,
                                           bCues);
            return CSize(szText.cx + 6, szText.cy + 6);
        }
        if (!bCaption)
        {
            if (bDraw)
            {
                const int cy = rc.CenterPoint().y;
                Triangle(pDC, CPoint(rc.right - 9, cy - 1), CPoint(rc.right - 5, cy - 1), CPoint(rc.right - 7, cy + 1),
                         pDC->GetTextColor());
            }
            return CSize(szButton.cy + 7, szButton.cy);
        }
        return DrawControlTextAndImage(pDC, strCaption, rc, bVert, bDraw, bEmbossed, !bMenuBar, szImageButton.cx,
                                       szImageButton.cy, bImage, bCues);
    case vzpControlSplitButtonPopup:
    {
        if (!bCaption)
            return CSize(szImageButton.cx + kSplitArrowWidth, szImageButton.cy);
        CRect rcButton = rc;
        rcButton.right -= kSplitArrowWidth;
        CSize size = DrawControlTextAndImage(pDC, strCaption, rcButton, bVert, bDraw, bEmbossed, FALSE,
                                             szImageButton.cx, szImageButton.cy, bImage, bCues);
        return CSize(size.cx + kSplitArrowWidth, size.cy);
    }
    default:
        return CSize(0, 0);
    }
}

CSize CVZPCommandBarPaintManager::DrawControlTextAndImage(CDC* pDC, const CString& strCaption, CRect rcText,
                                                          BOOL bVert, BOOL bDraw, BOOL bEmbossed, BOOL bArrow,
                                                          int nButtonWidth, int nButtonHeight, BOOL bImage,
                                                          BOOL bKeyboardCues)
{
    if (m_nKeyboardCues != -1)
        bKeyboardCues = m_nKeyboardCues;
    if (!bVert)
    {
        rcText.left += bImage ? nButtonWidth - 1 : 4;
        CSize szText = DrawControlText(pDC, strCaption, rcText, FALSE, bDraw, FALSE, bArrow, bEmbossed, bKeyboardCues);
        return CSize(bImage ? szText.cx + nButtonWidth + 3 : szText.cx + 7, Larger(nButtonHeight, szText.cy + 6));
    }
    rcText.top += bImage ? nButtonHeight : 4;
    CSize szText = DrawControlText(pDC, strCaption, rcText, TRUE, bDraw, FALSE, bArrow, bEmbossed, bKeyboardCues);
    return CSize(Larger(nButtonWidth, szText.cx + 6), bImage ? szText.cy + nButtonWidth + 3 : szText.cy + 7);
}

CSize CVZPCommandBarPaintManager::DrawControlText(CDC* pDC, const CString& strCaption, CRect rcText, BOOL bVert,
                                                  BOOL bDraw, BOOL bCentered, BOOL bArrow, BOOL bEmbossed,
                                                  BOOL bKeyboardCues)
{
    if (m_nKeyboardCues != -1)
        bKeyboardCues = m_nKeyboardCues;
    CString strText = strCaption;
    StripMnemonicAmpersands(strText);

    if (!bDraw)
    {
        CSize size = pDC->GetTextExtent(strText.IsEmpty() ? CString(L" ") : strText);
        if (bArrow)
            size.cx += 10;
        return bVert ? CSize(size.cy, size.cx) : size;
    }

    const CSize szText = pDC->GetTextExtent(strText);
    const int nArrow = bArrow ? 5 : 0;
    const COLORREF clrText = pDC->GetTextColor();
    if (!bVert)
    {
        if (bCentered)
            rcText.left += (rcText.Width() - szText.cx - nArrow) / 2;
        if (bEmbossed)
        {
            pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            CRect rcEmboss = rcText + CPoint(1, 1);
            pDC->DrawText(strText, rcEmboss, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            pDC->SetTextColor(clrText);
        }
        if (bKeyboardCues)
            pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER);
        else
            pDC->DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (bArrow)
        {
            const int x = rcText.left + szText.cx + 5;
            const int mid = rcText.CenterPoint().y;
            Triangle(pDC, CPoint(x - 2, mid - 1), CPoint(x + 2, mid - 1), CPoint(x, mid + 1), clrText);
        }
        return CSize(0, 0);
    }

    // The vertical font (selected by the caller) writes downwards.
    const int x = rcText.right - (rcText.Width() - szText.cy + 1) / 2;
    int top = rcText.top;
    if (bCentered)
        top += (rcText.Height() - szText.cx - nArrow + 1) / 2;
    const UINT nFormat = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    if (bEmbossed)
    {
        pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcEmboss(x + 1, top + 1, x + 1, top + 1);
        pDC->DrawText(strText, rcEmboss, nFormat);
        pDC->SetTextColor(clrText);
    }
    CRect rcVert(x, top, x, top);
    pDC->DrawText(strText, rcVert, nFormat);
    if (bArrow)
    {
        const int cx = rcText.CenterPoint().x;
        const int y = top + szText.cx + 4;
        Triangle(pDC, CPoint(cx + 2, y - 2), CPoint(cx + 2, y + 2), CPoint(cx, y), clrText);
    }
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------
// The bars' own buttons

CSize CVZPCommandBarPaintManager::DrawSpecialControl(CDC* pDC, int nCode, CVZPControl* pControl,
                                                     CVZPCommandBar* pBar, BOOL bDraw, LPVOID lpParam)
{
    if (bDraw)
        DrawControlEntry(pDC, pControl);
    const CRect rc = pControl->GetRect();
    const CPoint center = rc.CenterPoint();
    switch (nCode)
    {
    case 0:   // expand button at the end of a docked toolbar
    {
        const int nPosition = pBar != NULL ? pBar->GetPosition() : vzpBarTop;
        const BOOL bVert = nPosition == vzpBarLeft || nPosition == vzpBarRight || nPosition == vzpBarPopup;
        if (!bDraw)
        {
            if (lpParam != NULL)
            {
                const CSize sz = *(CSize*)lpParam;
                pControl->SetRect(bVert ? CRect(2, sz.cy - 13, sz.cx - 2, sz.cy - 2)
                                        : CRect(sz.cx - 13, 2, sz.cx - 2, sz.cy - 2));
            }
            return CSize(0, 0);
        }
        const COLORREF clrText = pDC->GetTextColor();
        const BOOL bHiddenControls = lpParam != NULL && *(BOOL*)lpParam;
        CVZPPenSelector pen(pDC->m_hDC, clrText);
        if (bVert)
        {
            Triangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7),
                     CPoint(rc.left + 4, rc.top + 5), clrText);
            if (bHiddenControls)
                DrawChevron(pDC, {rc.right - 8, rc.top + 2}, {rc.right - 6, rc.top + 4}, {rc.right - 3, rc.top + 1}, 0,
                            1, 0, 4);
        }
        else
        {
            Triangle(pDC, CPoint(center.x - 2, rc.bottom - 7), CPoint(center.x + 2, rc.bottom - 7),
                     CPoint(center.x, rc.bottom - 5), clrText);
            if (bHiddenControls)
                DrawChevron(pDC, {rc.left + 2, rc.top + 4}, {rc.left + 4, rc.top + 6}, {rc.left + 1, rc.top + 9}, 1, 0,
                            4, 0);
        }
        return CSize(0, 0);
    }
    case 1:   // expand button at the bottom of a popup
        if (bDraw)
            DrawChevron(pDC, {center.x - 2, rc.top + 2}, {center.x, rc.top + 4}, {center.x + 3, rc.top + 1}, 0, 1, 0, 4);
        return CSize(0, 12);
    case 2:   // close button of a floating bar's caption
        if (bDraw)
        {
            CFont fontMarlett;
            fontMarlett.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX)), L"Marlett", pDC);
            CVZPFontSelector font(pDC, &fontMarlett);
            const COLORREF clrOld = pDC->GetTextColor();
            if (!pControl->GetPressed() && !pControl->GetSelected())
                pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            CRect rcGlyph = rc;
            pDC->DrawText(L"r", 1, rcGlyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SetTextColor(clrOld);
        }
        return CSize(0, 0);
    case 3:   // expand button in a floating bar's caption
        if (bDraw)
        {
            const COLORREF clr = (pControl->GetSelected() || IsPopupOpen(pControl)) ? pDC->GetTextColor()
                                                                                    : GetColor(COLOR_BTNHIGHLIGHT);
            Triangle(pDC, CPoint(center.x - 3, center.y - 2), CPoint(center.x + 3, center.y - 2),
                     CPoint(center.x, center.y + 1), clr);
        }
        return CSize(0, 0);
    default:
        return CSize(0, 0);
    }
}

// ---------------------------------------------------------------------------
// Popup animations

void CVZPCommandBarPaintManager::Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int animationType)
{
    const int n = m_nAnimationSteps;
    const int cx = rc.Width();
    const int cy = rc.Height();
    switch (animationType)
    {
    case 2:   // unfold from the top-left corner
        for (int k = 1; k <= n; k++)
        {
            const int w = cx * k / n;
            const int h = cy * k / n;
            pDestDC->BitBlt(rc.left, rc.top, w, h, pSrcDC, rc.right - w, rc.bottom - h, SRCCOPY);
            ::Sleep(m_nAnimationTime / n);
        }
        break;
    case 3:   // slide down
        for (int k = 1; k <= n; k++)
        {
            const int h = cy * k / n;
            pDestDC->BitBlt(rc.left, rc.top, cx, h, pSrcDC, rc.left, rc.bottom - h, SRCCOPY);
            ::Sleep(m_nAnimationTime / n);
        }
        break;
    case 4:
        AnimateFade(pDestDC, pSrcDC, rc);
        break;
    default:
        break;
    }
}

void CVZPCommandBarPaintManager::AnimateFade(CDC* pDestDC, CDC* pSrcDC, CRect rc)
{
    const int n = m_nAnimationSteps;
    const int cx = rc.Width();
    const int cy = rc.Height();
    if (n <= 1 || cx <= 0 || cy <= 0)
        return;   // the caller copies the final picture

    CDC dcMem;
    dcMem.CreateCompatibleDC(pDestDC);
    DWORD* pSrc = NULL;
    DWORD* pDest = NULL;
    DWORD* pOut = NULL;
    HBITMAP hSrc = CreateDib32(cx, cy, &pSrc);
    HBITMAP hDest = CreateDib32(cx, cy, &pDest);
    HBITMAP hOut = CreateDib32(cx, cy, &pOut);
    if (hSrc != NULL && hDest != NULL && hOut != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(dcMem.m_hDC, hSrc);
        ::BitBlt(dcMem.m_hDC, 0, 0, cx, cy, pSrcDC->m_hDC, rc.left, rc.top, SRCCOPY);
        ::SelectObject(dcMem.m_hDC, hDest);
        ::BitBlt(dcMem.m_hDC, 0, 0, cx, cy, pDestDC->m_hDC, rc.left, rc.top, SRCCOPY);
        ::SelectObject(dcMem.m_hDC, hOut);
        ::GdiFlush();
        const DWORD dwFrame = (DWORD)(m_nAnimationTime / n);
        const int nPixels = cx * cy;
        for (int k = 1; k < n; k++)
        {
            const DWORD dwStart = ::GetTickCount();
            const DWORD alpha = 255 * k / n;
            for (int i = 0; i < nPixels; i++)
            {
                const DWORD s = pSrc[i];
                const DWORD d = pDest[i];
                DWORD out = 0;
                for (int shift = 0; shift <= 16; shift += 8)
                {
                    const DWORD c = (((s >> shift) & 0xFF) * alpha + ((d >> shift) & 0xFF) * (255 - alpha)) >> 8;
                    out |= c << shift;
                }
                pOut[i] = out;
            }
            ::BitBlt(pDestDC->m_hDC, rc.left, rc.top, cx, cy, dcMem.m_hDC, 0, 0, SRCCOPY);
            const DWORD dwSpent = ::GetTickCount() - dwStart;
            if (dwSpent < dwFrame)
                ::Sleep(dwFrame - dwSpent);
        }
        ::SelectObject(dcMem.m_hDC, hOld);
    }
    for (HBITMAP hBitmap : {hSrc, hDest, hOut})
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
}

int CVZPCommandBarPaintManager::AnimateExpanding(CVZPPopupBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown)
{
    const int n = m_nAnimationSteps;
    if (n <= 0)
        return 0;
    CVZPControls* pControls = pPopup->GetControls();
    CRect rcClient(0, 0, 0, 0);
    if (pPopup->GetSafeHwnd() != NULL)
        pPopup->GetClientRect(&rcClient);
    const int nWidth = rcClient.Width();

    // The visible controls in walking order.
    CArray<CVZPControl*, CVZPControl*> controls;
    for (int i = 0; i < pControls->GetCount(); i++)
        if (pControls->GetAt(i)->GetHideFlags() == 0)
            controls.Add(pControls->GetAt(i));
    if (!bExpandDown)
        for (INT_PTR i = 0, j = controls.GetSize() - 1; i < j; i++, j--)
        {
            CVZPControl* pSwap = controls[i];
            controls[i] = controls[j];
            controls[j] = pSwap;
        }

    for (int k = 1; k <= n; k++)
    {
        const double s = (double)k / n;
        // Source and destination edges of the next band: top-down they
        // move down from the top, bottom-up up from the bottom.
        int nSrcEdge = bExpandDown ? rcClient.top : rcClient.bottom;
        int nDestEdge = nSrcEdge;
        auto stretchBand = [&](int nBandEnd, BOOL bExpanded) {
            const int nRows = bExpandDown ? nBandEnd - nSrcEdge : nSrcEdge - nBandEnd;
            const int nDestRows = bExpanded ? (int)(nRows * s) : nRows;
            if (nRows > 0)
            {
                const int ySrc = bExpandDown ? nSrcEdge : nBandEnd;
                const int yDest = bExpandDown ? nDestEdge : nDestEdge - nDestRows;
                pDestDC->StretchBlt(0, yDest, nWidth, nDestRows, pSrcDC, 0, ySrc, nWidth, nRows, SRCCOPY);
            }
            nSrcEdge = nBandEnd;
            nDestEdge += bExpandDown ? nDestRows : -nDestRows;
        };
        for (INT_PTR i = 1; i < controls.GetSize(); i++)
            if (controls[i]->m_bExpanded != controls[i - 1]->m_bExpanded)
            {
                CRect rc = controls[i]->GetRect();
                stretchBand(bExpandDown ? rc.top : rc.bottom, controls[i - 1]->m_bExpanded);
            }
        const BOOL bLastExpanded = controls.GetSize() > 0 && controls[controls.GetSize() - 1]->m_bExpanded;
        stretchBand(bExpandDown ? rcClient.bottom : rcClient.top, bLastExpanded);
        ::Sleep(m_nAnimationTime / n);
    }
    return n;
}
