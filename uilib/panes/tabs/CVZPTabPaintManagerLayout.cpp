// The tab paint manager's layout: tab lengths and content, the single-row
// layout with shrinking and scrolling, the multi-row layout, and the client
// rectangle.
#include "CVZPTabPaintManager.h"

#include <stdlib.h>

#include <algorithm>

#include "CVZPTabAppearanceSet.h"
#include "CVZPTabColorSet.h"
#include "CVZPTabManager.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

namespace {

BOOL IsHorizontal(int nPosition)
{
    return nPosition == vzpTabPositionTop || nPosition == vzpTabPositionBottom;
}

// The strip whose tabs ShrinkTabs sorts; the comparator reads it, so
// shrinking is not re-entrant.
CVZPTabManager* g_pShrinkStrip = NULL;

int __cdecl CompareTabLengths(const void* pA, const void* pB)
{
    int nA = g_pShrinkStrip->GetItem(*static_cast<const int*>(pA))->m_nLength;
    int nB = g_pShrinkStrip->GetItem(*static_cast<const int*>(pB))->m_nLength;
    return nB - nA;   // longest first
}

// Start and end of a rectangle along the strip, and a setter for each.
int StartOf(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.left : rc.top;
}

int EndOf(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.right : rc.bottom;
}

void SetEnd(CRect& rc, BOOL bHorizontal, int nEnd)
{
    if (bHorizontal)
        rc.right = nEnd;
    else
        rc.bottom = nEnd;
}

}  // namespace

void CVZPTabPaintManager::DeflateToClient(CVZPTabManager* pStrip, RECT* pRect)
{
    if (pStrip->HasStaticFrame())
        DeflateRectByPosition(pRect, 2, 1, 2, 2, m_nPosition);
    if (pStrip->GetItemCount() > 0)
        m_pAppearanceSet->AdjustClientRect(pStrip, pRect);
}

void CVZPTabPaintManager::LayoutTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rcControl)
{
    pStrip->m_rcHeader.SetRectEmpty();
    pStrip->m_rcControl = rcControl;
    pStrip->m_rcClient = rcControl;
    pStrip->m_pRows->SetSize(1);
    for (int i = 0; i < pStrip->GetItemCount(); i++)
        pStrip->GetItem(i)->m_nRow = 0;
    m_pAppearanceSet->LayoutTabStrip(pStrip, pDC, rcControl);
    DeflateToClient(pStrip, &pStrip->m_rcClient);
}

CFont* CVZPTabPaintManager::GetItemFont(CVZPTabManagerItem* pItem)
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    BOOL bVertical = !IsHorizontal(m_nPosition);
    if (m_nLayoutStyle == vzpTabLayoutRotated)
        bVertical = !bVertical;
    BOOL bBold = m_bBoldSelected && pStrip != NULL && pStrip->GetSelectedItem() == pItem && pStrip->IsActive();
    if (bVertical)
        return bBold ? &m_fntVerticalBold : &m_fntVertical;
    return bBold ? &m_fntBold : &m_fntNormal;
}

int CVZPTabPaintManager::ClampTabLength(int nLength, int nMin, int nMax) const
{
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (nMin > 0 && nLength < nMin)
        nLength = nMin;
    if (nMax > 0 && nLength > nMax)
        nLength = nMax;
    return nLength;
}

int CVZPTabPaintManager::MeasureCaption(CDC* pDC, const CString& strCaption, UINT nFormat)
{
    CString str = strCaption;
    if ((nFormat & DT_NOPREFIX) == 0)
        StripMnemonicAmpersands(str);
    CSize sz(0, 0);
    ::GetTextExtentPoint32W(pDC->GetSafeHdc(), str, str.GetLength(), &sz);
    return sz.cx;
}

void CVZPTabPaintManager::DrawCaptionEllipsis(CDC* pDC, const CString& strCaption, CRect rc, UINT nFormat)
{
    if (strCaption.Find(L'\\') >= 0)
    {
        pDC->DrawText(strCaption, &rc, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    const CString strDots(L"...");
    int nDots = MeasureCaption(pDC, strDots, nFormat | DT_NOPREFIX);
    int nWidth = MeasureCaption(pDC, strCaption, nFormat);
    int nAvailable = rc.Width();
    if (nWidth <= nAvailable)
    {
        pDC->DrawText(strCaption, &rc, nFormat);
        return;
    }
    if (nAvailable <= nDots)
    {
        pDC->DrawText(strDots, &rc, nFormat | DT_NOPREFIX);
        return;
    }
    int nSpace = nAvailable - nDots;
    int nLength = strCaption.GetLength();
    int n = int(::MulDiv(nSpace, nLength, nWidth));
    auto partsWidth = [&](int k) {
        return MeasureCaption(pDC, strCaption.Left(k - k / 2), nFormat) +
               MeasureCaption(pDC, strCaption.Right(k / 2), nFormat);
    };
    while (n < nLength && partsWidth(n) < nSpace)
        n++;
    while (n > 0 && partsWidth(n) > nSpace)
        n--;
    CString strShown = strCaption.Left(n - n / 2) + strDots + strCaption.Right(n / 2);
    pDC->DrawText(strShown, &rc, nFormat);
}

int CVZPTabPaintManager::DrawTabContent(CDC* pDC, CVZPTabManagerItem* pItem, CRect rc, BOOL bDraw)
{
    CVZPTabManager* pStrip = pItem->GetTabManager();
    BOOL bVertical = !IsHorizontal(m_nPosition);
    if (m_nLayoutStyle == vzpTabLayoutRotated)
        bVertical = !bVertical;
    CString strCaption = pItem->GetCaption();
    CVZPFontSelector font(pDC, GetItemFont(pItem));

    CSize szIcon = m_szIcon;
    BOOL bHasIcon = pStrip->DrawItemIcon(pDC, CPoint(0, 0), pItem, FALSE, &szIcon);
    BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    BOOL bShowText = m_nLayoutStyle != vzpTabLayoutCompressed || bSelected;
    UINT nMeasure = DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | (m_bNoPrefix ? DT_NOPREFIX : 0);
    int nIconAlong = bVertical ? szIcon.cy : szIcon.cx;

    if (!bDraw)
    {
        CSize szNormal, szMin, szMax;
        pStrip->GetItemMetrics(&szNormal, &szMin, &szMax);
        int nLength;
        if (m_nLayoutStyle == vzpTabLayoutFixedWidth)
        {
            nLength = szNormal.cx;
        }
        else if (!bShowText)
        {
            nLength = nIconAlong + 8;
        }
        else
        {
            int nText = 0;
            if (m_nLayoutStyle == vzpTabLayoutCompressed)
            {
                for (int i = 0; i < pStrip->GetItemCount(); i++)
                {
                    CRect rcText(0, 0, 0, 0);
                    pDC->DrawText(pStrip->GetItem(i)->GetCaption(), &rcText, nMeasure);
                    nText = std::max(nText, rcText.Width());
                }
            }
            else
            {
                CRect rcText(0, 0, 0, 0);
                pDC->DrawText(strCaption, &rcText, nMeasure);
                nText = rcText.Width();
            }
            nLength = nText + 12 + (bHasIcon ? nIconAlong : 0);
        }
        return ClampTabLength(nLength, szMin.cx, szMax.cx);
    }

    CRect rcIncoming = rc;
    m_pColorSet->SetTabTextColor(pDC, pItem);

    int d = pItem->m_nLength - pItem->m_nNaturalLength;
    if (d > 0)
    {
        if (bVertical)
            rc.DeflateRect(0, d / 2);
        else
            rc.DeflateRect(d / 2, 0);
    }

    const CRect& m = m_rcButtonMargin;
    if (!bVertical)
    {
        rc.left += m.left + 6;
        BOOL bOuterBottom = m_nPosition == vzpTabPositionBottom;
        rc.top += bOuterBottom ? m.bottom : m.top;
        rc.bottom -= bOuterBottom ? m.top : m.bottom;
    }
    else
    {
        rc.top += m.left + 6;
        BOOL bOuterRight = m_nPosition == vzpTabPositionRight;
        rc.left += bOuterRight ? m.bottom : m.top;
        rc.right -= bOuterRight ? m.top : m.bottom;
    }

    if (bHasIcon)
    {
        if (!bVertical)
        {
            if (rc.Width() > szIcon.cx)
                pStrip->DrawItemIcon(pDC, CPoint(rc.left - 1, rc.CenterPoint().y - szIcon.cy / 2), pItem, TRUE,
                                     &szIcon);
            rc.left += szIcon.cx + 2;
        }
        else
        {
            if (rc.Height() > szIcon.cy)
                pStrip->DrawItemIcon(pDC, CPoint(rc.CenterPoint().x - szIcon.cx / 2, rc.top - 1), pItem, TRUE,
                                     &szIcon);
            rc.top += szIcon.cy + 2;
        }
    }

    if (bShowText)
    {
        if (!bVertical && rc.right > rc.left)
        {
            rc.right -= m.right + 2;
            UINT nFormat = m_bMiddleEllipsis ? DT_SINGLELINE | DT_VCENTER
                                             : DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
            if (m_bNoPrefix)
                nFormat |= DT_NOPREFIX;
            if (m_bMiddleEllipsis)
                DrawCaptionEllipsis(pDC, strCaption, rc, nFormat);
            else
                pDC->DrawText(strCaption, &rc, nFormat);
        }
        else if (bVertical && rc.top + 8 < rc.bottom)
        {
            CRect rcText(0, 0, 0, 0);
            pDC->DrawText(strCaption, &rcText, nMeasure);
            int cy = rcText.Height();
            int k = m_nPosition == vzpTabPositionRight ? 1 : 0;
            CRect rcBox = rc;
            rcBox.left = rc.right - (rc.right - rc.left - cy - k) / 2;
            rcBox.right = rcBox.left + (rc.bottom - rc.top);
            rcBox.bottom = rc.bottom - m.right - 2;
            CString strShown = strCaption;
            if (!m_bNoPrefix)
                StripMnemonicAmpersands(strShown);
            if (m_bMiddleEllipsis)
                DrawCaptionEllipsis(pDC, strShown, rcBox, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
            else
                pDC->DrawText(strShown, &rcBox, DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
        }
    }

    if (bSelected && pStrip->IsFocused())
        DrawTabFocus(pDC, pItem, rcIncoming);
    return 0;
}

void CVZPTabPaintManager::LayoutTabStripDefault(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    if (pStrip->HasStaticFrame())
        DeflateRectByPosition(&rc, 2, 1, 2, 2, m_nPosition);
    DeflateRectByPosition(&rc, m_rcControlMargin, m_nPosition);

    if (m_nLayoutStyle == vzpTabLayoutMultiRow)
    {
        LayoutMultiRow(pStrip, pDC, rc);
        return;
    }

    int nCount = pStrip->GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        CVZPTabManagerItem* pItem = pStrip->GetItem(i);
        int nLength = pItem->IsVisible() ? m_pAppearanceSet->GetTabLength(pDC, pItem) : 0;
        pItem->m_nLength = nLength;
        pItem->m_nNaturalLength = nLength;
    }

    pStrip->m_rcHeader = m_pAppearanceSet->GetHeaderRect(rc, pStrip);
    if (nCount == 0)
        return;

    CRect M = m_pAppearanceSet->GetHeaderMargin();
    int H = m_pAppearanceSet->GetTabRowHeight(pStrip);
    BOOL bHorizontal = IsHorizontal(m_nPosition);
    int nAcross;
    int nAvailable;
    if (bHorizontal)
    {
        nAcross = m_nPosition == vzpTabPositionBottom ? rc.bottom - M.top - H : rc.top + M.top;
        nAvailable = rc.Width() - M.left - M.right;
    }
    else
    {
        nAcross = m_nPosition == vzpTabPositionRight ? rc.right - M.top - H : rc.left + M.top;
        nAvailable = rc.Height() - M.left - M.right;
    }

    for (int i = pStrip->GetNavigateButtonCount() - 1; i >= 0; i--)
        pStrip->GetNavigateButton(i)->AdjustLength(&nAvailable);

    if (m_nLayoutStyle == vzpTabLayoutShrinkToFit)
        ShrinkTabs(pStrip, nAvailable);

    if (pStrip->m_nScrollOffset < 0)
    {
        CRect rcArea = GetTabsArea(pStrip, rc);
        int nArea = bHorizontal ? rcArea.Width() : rcArea.Height();
        int nTotal = pStrip->GetItemsLength();
        if (nTotal + pStrip->m_nScrollOffset < nArea)
            pStrip->m_nScrollOffset = std::min(nArea - nTotal, 0);
    }

    int nPos = StartOf(rc, bHorizontal) + M.left + pStrip->m_nScrollOffset;
    const CRect& rcHeader = pStrip->m_rcHeader;
    for (int i = 0; i < nCount; i++)
    {
        CVZPTabManagerItem* pItem = pStrip->GetItem(i);
        int nLength = pItem->m_nLength;
        CRect& r = pItem->m_rcItem;
        if (m_nLayoutStyle == vzpTabLayoutRotated)
        {
            // Every tab H along the strip, its length across, on the client
            // side of the header.
            switch (m_nPosition)
            {
            case vzpTabPositionTop:
                r.SetRect(nPos, rcHeader.bottom - M.bottom - nLength, nPos + H, rcHeader.bottom - M.bottom);
                break;
            case vzpTabPositionBottom:
                r.SetRect(nPos, rcHeader.top + M.bottom, nPos + H, rcHeader.top + M.bottom + nLength);
                break;
            case vzpTabPositionLeft:
                r.SetRect(rcHeader.right - M.bottom - nLength, nPos, rcHeader.right - M.bottom, nPos + H);
                break;
            default:
                r.SetRect(rcHeader.left + M.bottom, nPos, rcHeader.left + M.bottom + nLength, nPos + H);
                break;
            }
            nPos += H;
        }
        else
        {
            if (bHorizontal)
                r.SetRect(nPos, nAcross, nPos + nLength, nAcross + H);
            else
                r.SetRect(nAcross, nPos, nAcross + H, nPos + nLength);
            nPos += nLength;
        }
    }

    CRect rcArea = GetTabsArea(pStrip, rc);
    SetEnd(pStrip->m_rcHeader, bHorizontal, EndOf(rcArea, bHorizontal));
}

CRect CVZPTabPaintManager::GetTabsArea(CVZPTabManager* pStrip, CRect rc)
{
    CRect rcArea = m_pAppearanceSet->GetHeaderRect(rc, pStrip);
    CRect M = m_pAppearanceSet->GetHeaderMargin();
    if (IsHorizontal(m_nPosition))
    {
        rcArea.left += M.left + M.right;
        rcArea.right -= 1;
    }
    else
    {
        rcArea.top += M.left + M.right;
        rcArea.bottom -= 1;
    }
    for (int i = pStrip->GetNavigateButtonCount() - 1; i >= 0; i--)
        pStrip->GetNavigateButton(i)->Reposition(&rcArea);
    return rcArea;
}

void CVZPTabPaintManager::ShrinkTabs(CVZPTabManager* pStrip, int nAvailable)
{
    int nCount = pStrip->GetItemCount();
    int nTotal = 0;
    for (int i = 0; i < nCount; i++)
        nTotal += pStrip->GetItem(i)->m_nLength;
    if (nCount == 0 || nTotal <= nAvailable)
        return;
    if (nCount == 1)
    {
        pStrip->GetItem(0)->m_nLength = nAvailable;
        return;
    }

    CArray<int, int> arrOrder;
    arrOrder.SetSize(nCount);
    for (int i = 0; i < nCount; i++)
        arrOrder[i] = i;
    g_pShrinkStrip = pStrip;
    qsort(arrOrder.GetData(), size_t(nCount), sizeof(int), CompareTabLengths);
    g_pShrinkStrip = NULL;

    auto lengthAt = [&](int k) -> int& { return pStrip->GetItem(arrOrder[k])->m_nLength; };
    int nExcess = nTotal - nAvailable;
    int nGroup = 1;
    for (;;)
    {
        int w = lengthAt(0);
        while (nGroup < nCount && lengthAt(nGroup) == w)
            nGroup++;
        if (nGroup == nCount)
        {
            for (int k = 0; k < nCount; k++)
                lengthAt(k) = nAvailable / nCount;
            return;
        }
        int v = lengthAt(nGroup);
        if ((w - v) * nGroup >= nExcess)
        {
            for (int k = 0; k < nGroup; k++)
                lengthAt(k) -= nExcess / nGroup;
            return;
        }
        for (int k = 0; k < nGroup; k++)
            lengthAt(k) = v;
        nExcess -= (w - v) * nGroup;
    }
}

void CVZPTabPaintManager::LayoutMultiRow(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    pStrip->m_rcHeader = m_pAppearanceSet->GetHeaderRect(rc, pStrip);
    pStrip->m_nScrollOffset = 0;
    int nCount = pStrip->GetItemCount();
    if (nCount == 0)
        return;
    CRect M = m_pAppearanceSet->GetHeaderMargin();
    int H = m_pAppearanceSet->GetTabRowHeight(pStrip);
    int G = m_pAppearanceSet->m_nRowSpacing;
    BOOL bHorizontal = IsHorizontal(m_nPosition);

    int nAreaEnd = EndOf(GetTabsArea(pStrip, rc), bHorizontal);
    int nAvailable = nAreaEnd - StartOf(rc, bHorizontal) - M.left - M.right;
    SetEnd(pStrip->m_rcHeader, bHorizontal, nAreaEnd);

    AssignRows(pStrip, pDC, nAvailable);

    CVZPTabManagerRows& rows = *pStrip->m_pRows;
    int nRows = rows.GetCount();
    for (int r = 0; r < nRows; r++)
    {
        int nAcross;
        switch (m_nPosition)
        {
        case vzpTabPositionTop:
            nAcross = rc.top + (H + G) * (nRows - 1 - r) + M.top;
            break;
        case vzpTabPositionBottom:
            nAcross = rc.bottom - (nRows - 1) * G - H * nRows - M.top + r * (H + G);
            break;
        case vzpTabPositionLeft:
            nAcross = rc.left + (H + G) * (nRows - 1 - r) + M.top;
            break;
        default:
            nAcross = rc.right - (nRows - 1) * G - H * nRows - M.top + r * (H + G);
            break;
        }

        int nFirst = rows[r].nFirst, nLast = rows[r].nLast;
        if (nRows >= 2 && m_bBalanceRows)
        {
            int nSlack = nAvailable;
            for (int i = nFirst; i <= nLast; i++)
                nSlack -= pStrip->GetItem(i)->m_nLength;
            for (int i = nFirst; i <= nLast; i++)
            {
                int nShare = nSlack / (nLast - i + 1);
                pStrip->GetItem(i)->m_nLength += nShare;
                nSlack -= nShare;
            }
        }

        int nPos = StartOf(rc, bHorizontal) + M.left;
        for (int i = nFirst; i <= nLast; i++)
        {
            CVZPTabManagerItem* pItem = pStrip->GetItem(i);
            pItem->m_nRow = r;
            if (bHorizontal)
                pItem->m_rcItem.SetRect(nPos, nAcross, nPos + pItem->m_nLength, nAcross + H);
            else
                pItem->m_rcItem.SetRect(nAcross, nPos, nAcross + H, nPos + pItem->m_nLength);
            nPos += pItem->m_nLength;
        }
    }

    pStrip->m_rcHeader = m_pAppearanceSet->GetHeaderRect(rc, pStrip);
    SetEnd(pStrip->m_rcHeader, bHorizontal, nAreaEnd);
}

void CVZPTabPaintManager::AssignRows(CVZPTabManager* pStrip, CDC* pDC, int nAvailable)
{
    int nCount = pStrip->GetItemCount();
    int nRows = 1;
    int nRowWidth = 0;
    int nTotal = 0;
    int nSelectedRow = -1;
    for (int i = 0; i < nCount; i++)
    {
        CVZPTabManagerItem* pItem = pStrip->GetItem(i);
        int nLength = pItem->IsVisible() ? m_pAppearanceSet->GetTabLength(pDC, pItem) : 0;
        pItem->m_nLength = nLength;
        pItem->m_nNaturalLength = nLength;
        if (nRowWidth > 0 && nRowWidth + nLength > nAvailable)
        {
            nRows++;
            nRowWidth = 0;
        }
        nRowWidth += nLength;
        nTotal += nLength;
    }

    CVZPTabManagerRows& rows = *pStrip->m_pRows;
    rows.SetSize(nRows);
    if (nRows == 1)
        return;
    rows[0].nFirst = 0;
    rows[0].nLast = 0;
    FillRowFrom(pStrip, nAvailable, 0, nTotal);

    CVZPTabManagerItem* pSelected = pStrip->GetSelectedItem();
    if (!m_bKeepRowOrder && pSelected != NULL)
    {
        nSelectedRow = pSelected->m_nRow;
        if (nSelectedRow > 0 && nSelectedRow < nRows)
            std::swap(rows[0], rows[nSelectedRow]);
    }
}

BOOL CVZPTabPaintManager::FillRowFrom(CVZPTabManager* pStrip, int nAvailable, int nRow, int nRemaining)
{
    CVZPTabManagerRows& rows = *pStrip->m_pRows;
    int nRows = rows.GetCount();
    int nLimit = nAvailable;
    if (m_bBalanceRows)
        nLimit = std::min(nRemaining / (nRows - nRow), nAvailable);

    int nWidth = 0;
    int nCount = pStrip->GetItemCount();
    for (int i = rows[nRow].nFirst; i < nCount; i++)
    {
        CVZPTabManagerItem* pItem = pStrip->GetItem(i);
        int nLength = pItem->m_nLength;
        BOOL bTake = nLength == 0 || nWidth == 0 || nWidth + nLength <= nLimit;
        if (!bTake)
        {
            if (nRow == nRows - 1)
                return FALSE;
            rows[nRow + 1].nFirst = i;
            rows[nRow + 1].nLast = i;
            if (FillRowFrom(pStrip, nAvailable, nRow + 1, nRemaining - nWidth))
                return TRUE;
            if (nWidth + nLength > nAvailable)
                return FALSE;
        }
        pItem->m_nRow = nRow;
        rows[nRow].nLast = i;
        nWidth += nLength;
    }
    return TRUE;
}

void CVZPTabPaintManager::ScrollTabIntoView(CVZPTabManager* pStrip, CVZPTabManagerItem* pItem)
{
    const CRect& rcHeader = pStrip->m_rcHeader;
    const CRect& rcItem = pItem->m_rcItem;
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty())
        return;
    CRect M = m_pAppearanceSet->GetHeaderMargin();
    int nOffset = pStrip->GetScrollOffset();
    if (IsHorizontal(m_nPosition))
    {
        if (rcItem.left < rcHeader.left)
            pStrip->SetScrollOffset(nOffset + rcHeader.left + M.left - rcItem.left);
        else if (rcItem.right > rcHeader.right)
            pStrip->SetScrollOffset(nOffset + rcHeader.right - rcItem.right);
    }
    else
    {
        if (rcItem.top < rcHeader.top)
            pStrip->SetScrollOffset(nOffset + rcHeader.top + M.left - rcItem.top);
        else if (rcItem.bottom > rcHeader.bottom)
            pStrip->SetScrollOffset(nOffset + rcHeader.bottom - rcItem.bottom);
    }
}
