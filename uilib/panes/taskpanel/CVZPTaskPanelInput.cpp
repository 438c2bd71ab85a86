// The task panel's input: hot tracking, buttons, keyboard order and focus,
// the scroll buttons of the single-group modes, group reordering, renaming
// and tooltips.
#include "CVZPTaskPanel.h"

#include <cstdlib>

#include "CVZPCommandBars.h"
#include "CVZPMouseHookManager.h"
#include "CVZPTaskPanelGroup.h"
#include "CVZPTaskPanelPaintManager.h"
#include "CVZPTooltipService.h"
#include "VZPDrawHelpers.h"

IMPLEMENT_DYNAMIC(CVZPTaskPanelEditItem, CEdit)

BEGIN_MESSAGE_MAP(CVZPTaskPanelEditItem, CEdit)
    ON_WM_GETDLGCODE()
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

CVZPTaskPanelGroup* GroupOf(CVZPTaskPanelItem* pItem)
{
    return pItem != NULL ? DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, pItem->GetOwnerGroup()) : NULL;
}

}  // namespace

void CVZPTaskPanelEditItem::PostNcDestroy()
{
    delete this;
}

UINT CVZPTaskPanelEditItem::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CVZPTaskPanelEditItem::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN)
    {
        m_bCancelled = nChar == VK_ESCAPE;
        OnKillFocus(NULL);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CVZPTaskPanelEditItem::OnKillFocus(CWnd* pNewWnd)
{
    if (pNewWnd != NULL)
        CEdit::OnKillFocus(pNewWnd);
    // Enter commits at once; the focus loss that follows the close does
    // nothing more.
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    PostMessage(WM_CLOSE);
    if (m_bCancelled || m_pItem == NULL || m_pItem->m_pPanel == NULL)
        return;
    CString strText;
    GetWindowText(strText);
    if (!strText.IsEmpty())
        m_pItem->m_pPanel->ApplyItemRename(m_pItem, strText);
}

void CVZPTaskPanel::ItemClicked(CVZPTaskPanelItem* pItem)
{
    SendOwnerNotification(vzpTaskPanelClick, reinterpret_cast<LPARAM>(pItem));
}

BOOL CVZPTaskPanel::IsInputBlocked()
{
    CVZPMouseHookManager* pMouse = CVZPCommandBars::GetThreadMouseManager();
    return pMouse != NULL && (pMouse->IsInputBlocked(NULL) || pMouse->m_nDragCount >= 1);
}

BOOL CVZPTaskPanel::IsScrollButtonVisible(const CVZPTaskPanelScrollButton* pButton, BOOL bOnCaptions)
{
    return pButton != NULL && !pButton->m_rc.IsRectEmpty() && pButton->m_pGroup != NULL &&
           (pButton->m_bEnabled || bOnCaptions);
}

BOOL CVZPTaskPanel::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pTooltipService != NULL)
        m_pTooltipService->FilterMouseMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

INT_PTR CVZPTaskPanel::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR nHit = CWnd::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    if (IsInputBlocked() || m_pHotItem == NULL || m_pHotItem->m_strTooltip.IsEmpty())
        return -1;
    CRect rc = m_pHotItem->GetRectOnPanel();
    CVZPTooltipService::FillToolInfo(pTI, m_hWnd, rc.left, rc.top, rc.right, rc.bottom, UINT_PTR(m_pHotItem->m_nID),
                                     m_pHotItem->m_strTooltip, m_pHotItem->m_strCaption);
    return m_pHotItem->m_nID;
}

// --- hit testing ----------------------------------------------------------------

CVZPTaskPanelScrollButton* CVZPTaskPanel::ScrollButtonAtPoint(CPoint pt) const
{
    CPoint ptContent(pt.x, pt.y + GetScrollPos());
    BOOL bOnCaptions = m_pPaintManager->m_bCaptionScrollButtons;
    if (IsScrollButtonVisible(m_pScrollDown, bOnCaptions) && m_pScrollDown->m_rc.PtInRect(ptContent))
        return m_pScrollDown;
    if (IsScrollButtonVisible(m_pScrollUp, bOnCaptions) && m_pScrollUp->m_rc.PtInRect(ptContent))
        return m_pScrollUp;
    return NULL;
}

CVZPTaskPanelGroup* CVZPTaskPanel::GroupAtPoint(CPoint pt) const
{
    if (ScrollButtonAtPoint(pt) != NULL)
        return NULL;
    CPoint ptContent(pt.x, pt.y + GetScrollPos());
    for (int i = 0; i < GetGroupCount(); i++)
    {
        CVZPTaskPanelGroup* pGroup = GetAt(i);
        if (!pGroup->IsVisible())
            continue;
        if (pGroup->GetBodyRect().PtInRect(ptContent) ||
            (pGroup->IsCaptionVisible() && pGroup->GetCaptionRect().PtInRect(ptContent)))
            return pGroup;
    }
    return NULL;
}

CVZPTaskPanelItem* CVZPTaskPanel::ItemAtPoint(CPoint pt, BOOL bGroupIfNoItem) const
{
    CVZPTaskPanelGroup* pGroup = GroupAtPoint(pt);
    if (pGroup == NULL)
        return NULL;
    CPoint ptContent(pt.x, pt.y + GetScrollPos());
    if (!pGroup->GetBodyRect().PtInRect(ptContent))
        return pGroup;   // in the caption
    CVZPTaskPanelItem* pItem = pGroup->HitTestItem(pt);
    if (pItem != NULL)
        return pItem;
    return bGroupIfNoItem ? pGroup : NULL;
}

// --- hot tracking and buttons -----------------------------------------------------

void CVZPTaskPanel::SetHotItem(CVZPTaskPanelItem* pItem)
{
    if (pItem == m_pHotItem)
        return;
    VZPReleaseReference(m_pHotItem);
    m_pHotItem = pItem;
    if (pItem != NULL)
    {
        pItem->InternalAddRef();
        if (GetSafeHwnd() != NULL)
        {
            TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
            ::TrackMouseEvent(&tme);
        }
    }
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void CVZPTaskPanel::UpdateScrollButtonHot(CPoint pt)
{
    CVZPTaskPanelScrollButton* pHot = ScrollButtonAtPoint(pt);
    CVZPTaskPanelScrollButton* buttons[2] = { m_pScrollUp, m_pScrollDown };
    for (CVZPTaskPanelScrollButton* pButton : buttons)
    {
        BOOL bHot = pButton == pHot;
        if (pButton->m_bHot == bHot)
            continue;
        pButton->m_bHot = bHot;
        Invalidate(FALSE);
        if (bHot)
        {
            TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
            ::TrackMouseEvent(&tme);
        }
    }
}

void CVZPTaskPanel::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (IsInputBlocked())
        return;
    CVZPTaskPanelItem* pItem = ItemAtPoint(point, FALSE);
    if (pItem != NULL && pItem->CanTakeFocus() && ::IsTopParentActive(m_hWnd) &&
        (m_pPressedItem == NULL || m_pPressedItem == pItem))
        SetHotItem(pItem);
    else
        SetHotItem(NULL);
    if (m_pPressedItem != NULL && std::abs(point.x - m_ptPressed.x) + std::abs(point.y - m_ptPressed.y) > 4)
    {
        CVZPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, m_pPressedItem);
        if (pGroup != NULL)
            TrackGroupReorder(pGroup);
        else
            BeginItemDragDrop(m_pPressedItem);
    }
    UpdateScrollButtonHot(point);
}

void CVZPTaskPanel::OnMouseLeave()
{
    SetHotItem(NULL);
    if (m_pScrollUp->m_bHot || m_pScrollDown->m_bHot)
    {
        m_pScrollUp->m_bHot = m_pScrollDown->m_bHot = FALSE;
        Invalidate(FALSE);
    }
    CWnd::OnMouseLeave();
}

BOOL CVZPTaskPanel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_pHotItem != NULL && m_hHandCursor != NULL)
    {
        ::SetCursor(m_hHandCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CVZPTaskPanel::OnLButtonDown(UINT nFlags, CPoint point)
{
    CVZPTaskPanelItem* pItem = ItemAtPoint(point, FALSE);
    if (pItem != NULL && pItem->CanTakeFocus())
    {
        ChangeFocusedItem(pItem, FALSE);
        // The owner may have removed it on the focus notification.
        pItem = ItemAtPoint(point, FALSE);
    }
    else
    {
        TakeFocus();
    }
    if (pItem != NULL && pItem->CanTakeFocus())
    {
        SetCapture();
        m_ptPressed = point;
        m_pPressedItem = pItem;
        Invalidate(FALSE);
    }
    CVZPTaskPanelScrollButton* pButton = ScrollButtonAtPoint(point);
    if (pButton != NULL)
        TrackScrollButton(pButton);
    CWnd::OnLButtonDown(nFlags, point);
}

void CVZPTaskPanel::OnLButtonUp(UINT nFlags, CPoint point)
{
    CVZPTaskPanelItem* pPressed = m_pPressedItem;
    if (pPressed != NULL)
    {
        m_pPressedItem = NULL;
        ReleaseCapture();
        Invalidate(FALSE);
        if (pPressed == m_pHotItem)
        {
            CVZPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, pPressed);
            if (pGroup != NULL)
                SetGroupExpanded(pGroup, !IsGroupExpanded(pGroup));
            else
                ItemClicked(pPressed);
        }
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CVZPTaskPanel::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
    if (m_pPressedItem != NULL && m_pHotItem == m_pPressedItem && !m_pPressedItem->IsGroup())
        SendOwnerNotification(vzpTaskPanelDblClick, reinterpret_cast<LPARAM>(m_pPressedItem));
}

void CVZPTaskPanel::OnRButtonDown(UINT nFlags, CPoint point)
{
    CVZPTaskPanelItem* pItem = ItemAtPoint(point, FALSE);
    if (pItem != NULL && pItem->CanTakeFocus())
    {
        ChangeFocusedItem(pItem, FALSE);
        SendOwnerNotification(vzpTaskPanelRClick, reinterpret_cast<LPARAM>(pItem));
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CVZPTaskPanel::OnCaptureChanged(CWnd* pWnd)
{
    if (m_pPressedItem != NULL)
    {
        m_pPressedItem = NULL;
        Invalidate(FALSE);
    }
    CWnd::OnCaptureChanged(pWnd);
}

// --- focus and keyboard -------------------------------------------------------------

void CVZPTaskPanel::TakeFocus()
{
    if (!m_bAcceptFocus || GetSafeHwnd() == NULL || ::GetFocus() == m_hWnd)
        return;
    m_bSettingFocus = TRUE;
    SetFocus();
    m_bSettingFocus = FALSE;
}

void CVZPTaskPanel::ChangeFocusedItem(CVZPTaskPanelItem* pItem, BOOL bByKeyboard)
{
    if (bByKeyboard)
        m_bFocusCue = m_bAcceptFocus;
    TakeFocus();
    if (pItem == m_pFocusedItem)
        return;
    if (m_bSelectOnFocus && pItem != NULL && pItem->m_nType == vzpTaskItemLink && !m_bFocusIsSelection)
    {
        CVZPTaskPanelGroup* pGroup = GroupOf(pItem);
        if (pGroup != NULL)
            pGroup->SelectOnly(static_cast<CVZPTaskPanelGroupItem*>(pItem));
    }
    VZPReleaseReference(m_pFocusedItem);
    m_pFocusedItem = pItem;
    if (pItem != NULL)
        pItem->InternalAddRef();
    if (GetSafeHwnd() == NULL)
        return;
    MakeItemVisible(pItem);
    Invalidate(FALSE);
    SendOwnerNotification(vzpTaskPanelFocusChanged, 0);
    if (m_pFocusedItem != NULL)
        CallNotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, GetAccessibleChildId(m_pFocusedItem));
}

CWnd* CVZPTaskPanel::NextTabStopWindow(BOOL bPrevious) const
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL)
        return NULL;
    HWND hNext = ::GetNextDlgTabItem(hParent, m_hWnd, bPrevious);
    if (hNext == NULL || hNext == m_hWnd)
        return NULL;
    return CWnd::FromHandle(hNext);
}

void CVZPTaskPanel::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (!m_bSettingFocus && pOldWnd != NULL && ::GetParent(m_hWnd) != NULL)
    {
        BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
        // Tabbing in: the window before the panel (after it with Shift) had
        // the focus.
        HWND hNeighbour = ::GetNextDlgTabItem(::GetParent(m_hWnd), m_hWnd, !bShift);
        if (hNeighbour == pOldWnd->GetSafeHwnd())
        {
            CVZPTaskPanelItem* pItem = NextKeyboardItem(NULL, bShift ? -1 : 1, TRUE, FALSE);
            if (pItem != NULL)
                ChangeFocusedItem(pItem, TRUE);
        }
    }
    Invalidate(FALSE);
}

void CVZPTaskPanel::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    m_bFocusCue = FALSE;
    Invalidate(FALSE);
}

namespace {

// One step of the keyboard order: every visible group's caption followed by
// its visible items.
CVZPTaskPanelItem* StepKeyboardOrder(const CVZPTaskPanel* pPanel, CVZPTaskPanelItem* pItem, int nDirection,
                                     BOOL bTabStep, BOOL bRowStep)
{
    if (pItem == NULL)
    {
        if (nDirection > 0)
            return pPanel->NextVisibleGroup(-1, 1);
        CVZPTaskPanelGroup* pLast = pPanel->NextVisibleGroup(pPanel->GetGroupCount(), -1);
        if (pLast == NULL)
            return NULL;
        CVZPTaskPanelItem* pLastItem = pLast->GetItems()->GetLastVisibleItem();
        return pLastItem != NULL ? pLastItem : pLast;
    }
    CVZPTaskPanelGroup* pGroup = GroupOf(pItem);
    if (pGroup == NULL)
        return NULL;
    int nGroupIndex = pGroup->GetIndex();
    if (pItem->IsGroup())
    {
        if (nDirection > 0)
        {
            CVZPTaskPanelItem* pFirst = pGroup->GetItems()->GetFirstVisibleItem();
            return pFirst != NULL ? pFirst : pPanel->NextVisibleGroup(nGroupIndex, 1);
        }
        CVZPTaskPanelGroup* pPrevious = pPanel->NextVisibleGroup(nGroupIndex, -1);
        if (pPrevious == NULL)
            return NULL;
        CVZPTaskPanelItem* pLastItem = pPrevious->GetItems()->GetLastVisibleItem();
        return pLastItem != NULL ? pLastItem : pPrevious;
    }
    int nStep = bRowStep ? std::max(1, pGroup->m_nItemsPerRow) : 1;
    int nIndex = pItem->GetIndex();
    if (nDirection > 0)
    {
        if (!bTabStep)
        {
            CVZPTaskPanelItem* pNext = pGroup->GetNextVisibleItem(nIndex, nStep);
            if (pNext != NULL)
                return pNext;
        }
        return pPanel->NextVisibleGroup(nGroupIndex, 1);
    }
    if (!bTabStep)
    {
        CVZPTaskPanelItem* pPrevious = pGroup->GetNextVisibleItem(nIndex, -nStep);
        if (pPrevious != NULL)
            return pPrevious;
    }
    return pGroup;
}

}  // namespace

CVZPTaskPanelItem* CVZPTaskPanel::NextKeyboardItem(CVZPTaskPanelItem* pItem, int nDirection, BOOL bTabStep,
                                                   BOOL bRowStep)
{
    CVZPTaskPanelItem* pCandidate = pItem;
    for (;;)
    {
        pCandidate = StepKeyboardOrder(this, pCandidate, nDirection, bTabStep, bRowStep);
        if (pCandidate == NULL)
            return NULL;
        if (!pCandidate->CanTakeFocus())
            continue;
        if (pCandidate->IsGroup() || IsGroupExpanded(GroupOf(pCandidate)))
            return pCandidate;
    }
}

void CVZPTaskPanel::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    BOOL bShift = ::GetKeyState(VK_SHIFT) < 0, bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (nChar)
    {
    case VK_TAB:
    {
        CVZPTaskPanelItem* pItem = NextKeyboardItem(m_pFocusedItem, bShift ? -1 : 1, TRUE, TRUE);
        if (pItem != NULL)
        {
            ChangeFocusedItem(pItem, TRUE);
        }
        else
        {
            CWnd* pNext = NextTabStopWindow(bShift);
            if (pNext != NULL)
                pNext->SetFocus();
        }
        break;
    }
    case VK_RETURN:
    case VK_SPACE:
        if (m_pFocusedItem != NULL && m_pFocusedItem->CanTakeFocus())
        {
            CVZPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, m_pFocusedItem);
            if (pGroup != NULL)
                SetGroupExpanded(pGroup, !IsGroupExpanded(pGroup));
            else if (m_pFocusedItem->m_nType == vzpTaskItemLink)
                ItemClicked(m_pFocusedItem);
        }
        break;
    case VK_HOME:
    case VK_END:
        if (m_pFocusedItem != NULL && m_pFocusedItem->m_pCollection != NULL)
        {
            CVZPTaskPanelItems* pItems = m_pFocusedItem->m_pCollection;
            CVZPTaskPanelItem* pItem = nChar == VK_HOME ? pItems->GetFirstVisibleItem() : pItems->GetLastVisibleItem();
            if (pItem != NULL && pItem->CanTakeFocus())
                ChangeFocusedItem(pItem, TRUE);
        }
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    {
        int nDirection = nChar == VK_LEFT || nChar == VK_UP ? -1 : 1;
        BOOL bRow = nChar == VK_UP || nChar == VK_DOWN;
        if (m_nMode != vzpTaskPanelModeIndependent && bCtrl && m_pActiveGroup != NULL)
        {
            CVZPTaskPanelGroup* pGroup = NextVisibleGroup(m_pActiveGroup->GetIndex(), nDirection);
            if (pGroup != NULL && pGroup->CanTakeFocus())
            {
                SetGroupExpanded(pGroup, TRUE);
                ChangeFocusedItem(pGroup, FALSE);
            }
            return;
        }
        CVZPTaskPanelItem* pItem = NextKeyboardItem(m_pFocusedItem, nDirection, FALSE, bRow);
        if (pItem != NULL)
            ChangeFocusedItem(pItem, TRUE);
        break;
    }
    default:
        break;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

// --- scroll buttons of the single-group modes ------------------------------------------

void CVZPTaskPanel::PlaceScrollButtons()
{
    CVZPTaskPanelScrollButton* buttons[2] = { m_pScrollUp, m_pScrollDown };
    for (CVZPTaskPanelScrollButton* pButton : buttons)
    {
        pButton->m_rc.SetRectEmpty();
        pButton->m_pGroup = NULL;
        pButton->m_pCaptionGroup = NULL;
    }
    CVZPTaskPanelGroup* pActive = m_pActiveGroup;
    if (m_nMode == vzpTaskPanelModeIndependent || pActive == NULL || !pActive->IsVisible() || GetSafeHwnd() == NULL)
        return;
    m_pScrollUp->m_pGroup = m_pScrollDown->m_pGroup = pActive;
    if (m_pPaintManager->m_bCaptionScrollButtons)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        rcClient.bottom = std::max(rcClient.bottom, LONG(m_nContentHeight));
        CRect rcMargins = m_pPaintManager->GetPanelMargins(this);
        CRect rcCaption = pActive->GetCaptionRect();
        int nSize = rcCaption.Height();
        int nRight = rcClient.right - m_pPaintManager->GetGroupOuterMargins(pActive).right - rcMargins.right;
        m_pScrollUp->m_rc.SetRect(nRight - nSize, rcCaption.top, nRight, rcCaption.bottom);
        m_pScrollUp->m_pCaptionGroup = pActive;
        CVZPTaskPanelGroup* pNext = NextVisibleGroup(pActive->GetIndex(), 1);
        if (pNext != NULL)
        {
            CRect rcNext = pNext->GetCaptionRect();
            int nNextRight = rcClient.right - m_pPaintManager->GetGroupOuterMargins(pNext).right - rcMargins.right;
            m_pScrollDown->m_rc.SetRect(nNextRight - rcNext.Height(), rcNext.top, nNextRight, rcNext.bottom);
            m_pScrollDown->m_pCaptionGroup = pNext;
        }
        else
        {
            int nBottom = rcClient.bottom - rcMargins.bottom;
            int nLeft = m_pScrollUp->m_rc.left;
            m_pScrollDown->m_rc.SetRect(nLeft, nBottom - nSize, nLeft + nSize, nBottom);
        }
    }
    else
    {
        CRect rcBody = pActive->GetBodyRect();
        rcBody.DeflateRect(4, 4);
        m_pScrollUp->m_rc.SetRect(rcBody.right - 16, rcBody.top, rcBody.right, rcBody.top + 16);
        m_pScrollDown->m_rc.SetRect(rcBody.right - 16, rcBody.bottom - 16, rcBody.right, rcBody.bottom);
    }
    UpdateScrollButtonStates();
}

void CVZPTaskPanel::UpdateScrollButtonStates()
{
    if (m_pScrollUp->m_pGroup != NULL)
        m_pScrollUp->m_bEnabled = m_pScrollUp->m_pGroup->GetFirstVisibleIndex() > 0;
    if (m_pScrollDown->m_pGroup != NULL)
        m_pScrollDown->m_bEnabled = m_pScrollDown->m_pGroup->CanScroll(FALSE);
}

BOOL CVZPTaskPanel::PumpModalMessage(MSG* pMsg)
{
    // Pending paints first, so the panel shows each step; a window that
    // never validates cannot hold the loop.
    MSG msgPaint;
    for (int i = 0; i < 64 && ::PeekMessageW(&msgPaint, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE); i++)
    {
        if (!::GetMessageW(&msgPaint, NULL, WM_PAINT, WM_PAINT))
        {
            AfxPostQuitMessage(int(msgPaint.wParam));
            return FALSE;
        }
        ::DispatchMessageW(&msgPaint);
    }
    if (!::GetMessageW(pMsg, NULL, 0, 0))
    {
        AfxPostQuitMessage(int(pMsg->wParam));
        return FALSE;
    }
    return TRUE;
}

int CVZPTaskPanel::FilterModalMessage(const MSG& msg)
{
    if (msg.message == WM_LBUTTONUP)
        return 1;
    if (msg.message == WM_KEYDOWN)
        return msg.wParam == VK_ESCAPE ? 1 : 0;
    return -1;
}

void CVZPTaskPanel::OnScrollButtonTimer(CVZPTaskPanelScrollButton* pButton, BOOL* pbFirstRepeat)
{
    CVZPTaskPanelGroup* pGroup = pButton->m_pGroup;
    if (pGroup != NULL)
    {
        int nRow = std::max(1, pGroup->m_nItemsPerRow);
        pGroup->ScrollItems(pButton->m_nDirection == 1 ? -nRow : nRow);
    }
    Invalidate(FALSE);
    if (*pbFirstRepeat)
    {
        *pbFirstRepeat = FALSE;
        m_nScrollButtonDelay = 50;
        SetTimer(VZP_TASKPANEL_TIMER_SCROLLBUTTON, m_nScrollButtonDelay, NULL);
    }
}

void CVZPTaskPanel::TrackScrollButton(CVZPTaskPanelScrollButton* pButton)
{
    if (pButton == NULL || !pButton->m_bEnabled || pButton->m_pGroup == NULL)
        return;
    pButton->m_bPressed = TRUE;
    SetCapture();
    int nRow = std::max(1, pButton->m_pGroup->m_nItemsPerRow);
    pButton->m_pGroup->ScrollItems(pButton->m_nDirection == 1 ? -nRow : nRow);
    Invalidate(FALSE);
    m_nScrollButtonDelay = 500;
    SetTimer(VZP_TASKPANEL_TIMER_SCROLLBUTTON, m_nScrollButtonDelay, NULL);
    BOOL bFirstRepeat = TRUE;
    MSG msg;
    while (::GetCapture() == m_hWnd && pButton->m_bEnabled)
    {
        if (!PumpModalMessage(&msg))
            break;
        if (msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == VZP_TASKPANEL_TIMER_SCROLLBUTTON)
        {
            OnScrollButtonTimer(pButton, &bFirstRepeat);
            continue;
        }
        if (msg.message == WM_MOUSEMOVE)
            continue;
        int nAction = FilterModalMessage(msg);
        if (nAction > 0)
            break;
        if (nAction == 0)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    KillTimer(VZP_TASKPANEL_TIMER_SCROLLBUTTON);
    m_nScrollButtonDelay = 0;
    pButton->m_bPressed = FALSE;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    Invalidate(FALSE);
}

// --- group reordering and renaming ----------------------------------------------------------

BOOL CVZPTaskPanel::TrackGroupReorder(CVZPTaskPanelGroup* pGroup)
{
    if (pGroup == NULL || pGroup->GetDragFlags() == 0)
        return FALSE;
    ::SetCursor(::LoadCursorW(NULL, IDC_SIZENS));
    m_pDraggedItem = pGroup;
    Invalidate(FALSE);
    MSG msg;
    while (::GetCapture() == m_hWnd)
    {
        if (!PumpModalMessage(&msg))
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            CVZPTaskPanelGroup* pOver = GroupAtPoint(pt);
            CPoint ptContent(pt.x, pt.y + GetScrollPos());
            if (pOver != NULL && pOver != pGroup && pOver->GetCaptionRect().PtInRect(ptContent))
                m_pGroups->MoveItem(pGroup, pOver->GetIndex());
            continue;
        }
        int nAction = FilterModalMessage(msg);
        if (nAction > 0)
            break;
        if (nAction == 0)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
    m_pDraggedItem = NULL;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    Invalidate(FALSE);
    return TRUE;
}

CVZPTaskPanelEditItem* CVZPTaskPanel::RenameItem(CVZPTaskPanelItem* pItem)
{
    if (GetSafeHwnd() == NULL || pItem == NULL || pItem->m_rcText.IsRectEmpty())
        return NULL;
    CRect rc(pItem->m_rcText);
    rc.OffsetRect(0, -GetScrollPos());
    rc.InflateRect(2, 2);
    CVZPTaskPanelEditItem* pEdit = new CVZPTaskPanelEditItem;
    pEdit->m_pItem = pItem;
    if (!pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rc, this, 0))
    {
        delete pEdit;
        return NULL;
    }
    CFont* pFont = pItem->IsGroup() ? &m_pPaintManager->m_fntCaption : &m_pPaintManager->m_fntItem;
    pEdit->SetFont(pFont);
    pEdit->SetWindowText(pItem->m_strCaption);
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    return pEdit;
}
