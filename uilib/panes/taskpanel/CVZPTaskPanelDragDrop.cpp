// The task panel's OLE drag and drop: items leave as the clipboard format
// (and CF_TEXT for other windows) and arrive before an item or at the end
// of a group.
#include "CVZPTaskPanel.h"

#include "CVZPTaskPanelGroup.h"
#include "CVZPTaskPanelPaintManager.h"

void CVZPTaskPanel::BeginItemDragDrop(CVZPTaskPanelItem* pItem)
{
    CVZPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CVZPTaskPanelGroupItem, pItem);
    if (pGroupItem == NULL)
        return;
    int nFlags = pGroupItem->GetDragFlags();
    if (nFlags == 0)
        return;
    ReleaseCapture();
    if (SendOwnerNotification(vzpTaskPanelStartDrag, reinterpret_cast<LPARAM>(pGroupItem)) == -1)
        return;
    COleDataSource* pSource = new COleDataSource;
    if (!pGroupItem->PutOnDataSource(pSource, (nFlags & 0x88) != 0))
    {
        pSource->InternalRelease();
        return;
    }
    m_pDraggedItem = pGroupItem;
    DROPEFFECT allowed = ((nFlags & 0x0E) ? DROPEFFECT_COPY : 0) | ((nFlags & 0xE0) ? DROPEFFECT_MOVE : 0);
    DROPEFFECT result = pSource->DoDragDrop(allowed);
    // The item may have gone during the drag (ReleaseItemReferences clears
    // the pointer then).
    if (result == DROPEFFECT_MOVE && (allowed & DROPEFFECT_MOVE) && m_pDraggedItem != NULL)
        m_pDraggedItem->Remove();
    m_pDraggedItem = NULL;
    m_pDropTargetItem = NULL;
    pSource->InternalRelease();
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void CVZPTaskPanel::StopHoverTimer()
{
    if (m_bHoverTimer && GetSafeHwnd() != NULL)
        KillTimer(VZP_TASKPANEL_TIMER_HOVER);
    m_bHoverTimer = FALSE;
}

DROPEFFECT CVZPTaskPanel::DragOverPanel(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    DROPEFFECT effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    CVZPTaskPanelItem* pTarget = NULL;
    if (pDataObject != NULL)
    {
        CVZPTaskPanelGroup* pGroup = GroupAtPoint(point);
        BOOL bFromHere = m_pDraggedItem != NULL;
        if (!pDataObject->IsDataAvailable(CLIPFORMAT(VZPGetTaskPanelClipboardFormat())) ||
            (!pDataObject->IsDataAvailable(CF_TEXT) && !bFromHere))
            pGroup = NULL;
        if (pGroup != NULL && bFromHere)
        {
            int nFlags = m_pDraggedItem->GetDragFlags();
            if (!(nFlags & 0x60))
                effect &= ~DROPEFFECT_MOVE;
            if (!(nFlags & 0x06))
                effect &= ~DROPEFFECT_COPY;
            if (pGroup != m_pDraggedItem->GetOwnerGroup())
            {
                if (nFlags & 0x20)
                    effect &= ~DROPEFFECT_MOVE;
                if (nFlags & 0x02)
                    effect &= ~DROPEFFECT_COPY;
            }
            if (effect == 0)
                pGroup = NULL;
        }
        if (pGroup != NULL && pGroup->AcceptsDrop())
        {
            pTarget = pGroup;
            CPoint ptContent(point.x, point.y + GetScrollPos());
            CRect rcItem;
            CVZPTaskPanelGroupItem* pItem =
                pGroup->GetBodyRect().PtInRect(ptContent) ? pGroup->HitTestItem(point, &rcItem) : NULL;
            if (pItem != NULL && pItem->AcceptsDrop())
            {
                pTarget = pItem;
                // A line marks the gap above the target: the lower half of
                // an item means the gap below it, which is above the next.
                if (!m_pPaintManager->m_bInvertDropMarks && point.y >= rcItem.top + rcItem.Height() / 2)
                {
                    CVZPTaskPanelGroupItem* pNext = pGroup->GetNextVisibleItem(pItem->GetIndex(), 1);
                    if (pNext != NULL)
                        pTarget = pNext;
                }
            }
        }
    }
    if (pTarget != m_pDropTargetItem)
    {
        m_pDropTargetItem = pTarget;
        if (GetSafeHwnd() != NULL)
            Invalidate(FALSE);
    }
    CVZPTaskPanelGroup* pTargetGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, pTarget);
    if (pTargetGroup != NULL && !IsGroupExpanded(pTargetGroup))
    {
        if (!m_bHoverTimer && GetSafeHwnd() != NULL)
        {
            UINT nHoverTime = 0;
            if (!::SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &nHoverTime, 0) || nHoverTime == 0)
                nHoverTime = 500;
            SetTimer(VZP_TASKPANEL_TIMER_HOVER, nHoverTime, NULL);
            m_bHoverTimer = TRUE;
        }
    }
    else
    {
        StopHoverTimer();
    }
    if (pTarget == NULL)
        return DROPEFFECT_NONE;
    if ((effect & DROPEFFECT_COPY) && ((dwKeyState & MK_CONTROL) || !(effect & DROPEFFECT_MOVE)))
        return DROPEFFECT_COPY;
    return (effect & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
}

void CVZPTaskPanel::OnHoverTimer()
{
    StopHoverTimer();
    CVZPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, m_pDropTargetItem);
    if (pGroup != NULL && !IsGroupExpanded(pGroup))
        SetGroupExpanded(pGroup, TRUE);
}

BOOL CVZPTaskPanel::DropOnPanel(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint /*point*/)
{
    CVZPTaskPanelItem* pTarget = m_pDropTargetItem;
    m_pDropTargetItem = NULL;
    StopHoverTimer();
    if (pTarget == NULL)
        return FALSE;
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
    if (dropEffect != DROPEFFECT_COPY && dropEffect != DROPEFFECT_MOVE)
        return TRUE;
    if (pDataObject == NULL || !pDataObject->IsDataAvailable(CLIPFORMAT(VZPGetTaskPanelClipboardFormat())))
        return FALSE;
    CVZPTaskPanelItem* pNew = CVZPTaskPanelItem::CreateFromDataObject(pDataObject);
    // Only items of groups travel this way.
    if (pNew != NULL && !pNew->IsKindOf(RUNTIME_CLASS(CVZPTaskPanelGroupItem)))
    {
        pNew->InternalRelease();
        pNew = NULL;
    }
    if (pNew == NULL)
        return FALSE;
    CVZPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, pTarget);
    if (pGroup != NULL)
    {
        pGroup->GetItems()->Add(pNew);
    }
    else
    {
        CVZPTaskPanelItems* pItems = pTarget->m_pCollection;
        int nIndex = pTarget->GetIndex();
        if (m_pPaintManager->m_bInvertDropMarks)
        {
            BOOL bDraggedAfter = m_pDraggedItem != NULL && m_pDraggedItem->m_pCollection == pItems &&
                                 m_pDraggedItem->GetIndex() > nIndex;
            if (!bDraggedAfter)
                nIndex++;
        }
        pItems->InsertAt(nIndex, pNew);
    }
    if (pNew->CanTakeFocus())
        ChangeFocusedItem(pNew, FALSE);
    SendOwnerNotification(vzpTaskPanelDropped, reinterpret_cast<LPARAM>(pNew));
    return TRUE;
}
