// The tab paint manager's painting: the strip's frame and background, the
// rows of tabs with the selected tab on top, the focus rectangle and the
// navigate buttons.
#include "CVZPTabPaintManager.h"

#include "CVZPTabAppearanceSet.h"
#include "CVZPTabColorSet.h"
#include "CVZPTabManager.h"

void CVZPTabPaintManager::DrawTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rcControl)
{
    m_pAppearanceSet->DrawTabStrip(pStrip, pDC, rcControl);
}

void CVZPTabPaintManager::DrawTabStripDefault(CVZPTabManager* pStrip, CDC* pDC, CRect rc)
{
    if (pStrip->HasStaticFrame())
    {
        pDC->Draw3dRect(rc, m_pColorSet->m_clrBorder, m_pColorSet->m_clrBorder);
        DeflateRectByPosition(&rc, 1, 1, 1, 1, m_nPosition);
        pDC->Draw3dRect(rc, m_pColorSet->m_clrFace, m_pColorSet->m_clrFace);
        DeflateRectByPosition(&rc, 1, 0, 1, 1, m_nPosition);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(rc, m_pColorSet->m_clrFace);
    DeflateRectByPosition(&rc, m_rcControlMargin, m_nPosition);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);

    CRect rcClip = m_bFillBackground ? m_pAppearanceSet->FillStripBackground(pStrip, pDC, rc)
                                     : m_pAppearanceSet->GetHeaderRect(rc, pStrip);
    BOOL bHorizontal = m_nPosition == vzpTabPositionTop || m_nPosition == vzpTabPositionBottom;
    for (int i = pStrip->GetNavigateButtonCount() - 1; i >= 0; i--)
    {
        const CRect& rcButton = pStrip->GetNavigateButton(i)->m_rcButton;
        if (rcButton.IsRectEmpty())
            continue;
        if (bHorizontal && rcClip.right >= rcButton.left)
            rcClip.right = rcButton.left;
        else if (!bHorizontal && rcClip.bottom >= rcButton.top)
            rcClip.bottom = rcButton.top;
    }

    // The clip region is in device units; the strip draws at the DC's own
    // origin, so move it by the viewport origin.
    CPoint ptOrigin = pDC->GetViewportOrg();
    CRgn rgnClip;
    rgnClip.CreateRectRgn(rcClip.left + ptOrigin.x, rcClip.top + ptOrigin.y, rcClip.right + ptOrigin.x,
                          rcClip.bottom + ptOrigin.y);
    pDC->SelectClipRgn(&rgnClip);
    m_pColorSet->PrepareClientClip(pDC, rc, pStrip);
    for (int nRow = pStrip->m_pRows->GetCount() - 1; nRow >= 0; nRow--)
        DrawTabRow(pStrip, pDC, rcClip, nRow);
    pDC->SelectClipRgn(NULL);

    for (int i = pStrip->GetNavigateButtonCount() - 1; i >= 0; i--)
        pStrip->GetNavigateButton(i)->Draw(pDC);
    pDC->SetBkMode(nOldMode);
}

void CVZPTabPaintManager::DrawTabRow(CVZPTabManager* pStrip, CDC* pDC, CRect rc, int nRow)
{
    const VZPTabRow& row = (*pStrip->m_pRows)[nRow];
    int nCount = pStrip->GetItemCount();
    CVZPTabManagerItem* pSelected = pStrip->GetSelectedItem();
    auto drawTab = [&](CVZPTabManagerItem* pItem) {
        CRect rcMeet;
        if (pItem->IsVisible() && rcMeet.IntersectRect(pItem->m_rcItem, rc))
            m_pAppearanceSet->DrawTab(pDC, pItem);
    };
    auto inRow = [&](int i) { return i >= 0 && i < nCount && pStrip->GetItem(i)->m_nRow == nRow; };

    int nStop = row.nFirst;
    if (m_pAppearanceSet->m_bOverlapToSelection && pSelected != NULL)
    {
        int i = row.nFirst;
        for (; inRow(i) && pStrip->GetItem(i) != pSelected && i <= row.nLast; i++)
            drawTab(pStrip->GetItem(i));
        nStop = i;
    }

    CVZPTabManagerItem* pSelectedMet = NULL;
    for (int i = row.nLast; i >= nStop && inRow(i); i--)
    {
        CVZPTabManagerItem* pItem = pStrip->GetItem(i);
        if (pItem == pSelected)
            pSelectedMet = pItem;
        drawTab(pItem);
    }
    if (pSelectedMet != NULL)
        drawTab(pSelectedMet);
}

void CVZPTabPaintManager::DrawTabFocus(CDC* pDC, CVZPTabManagerItem* /*pItem*/, CRect rc)
{
    if (!m_bFocusRectangle)
        return;
    rc.DeflateRect(3, 3);
    COLORREF clrOldText = pDC->SetTextColor(RGB(0, 0, 0));
    COLORREF clrOldBk = pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rc);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void CVZPTabPaintManager::FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, pRect);
}
