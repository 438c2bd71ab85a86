#include "CVZPTabClientWnd.h"

#include <afxpriv.h>

#include <algorithm>

#include "CVZPCommandBars.h"
#include "CVZPDockBar.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPGlobalUIData.h"
#include "CVZPResizeTracker.h"
#include "CVZPTabAppearanceSet.h"

IMPLEMENT_DYNAMIC(CVZPTabClientWnd, CWnd)

namespace {

const UINT g_nRefreshMessage = ::RegisterWindowMessageW(VZP_TABCLIENT_REFRESH_MESSAGE);
const UINT g_nCommandStateMessage = ::RegisterWindowMessageW(VZP_TABCLIENT_COMMANDSTATE_MESSAGE);

// Styles a child loses in workspace mode: caption, system menu, sizing
// frame, minimise and maximise boxes.
const LONG kWorkspaceRemovedStyles = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

CVZPTabClientGroup* GroupOf(CVZPTabManagerItem* pItem)
{
    return pItem != NULL ? static_cast<CVZPTabClientGroup*>(pItem->GetTabManager()) : NULL;
}

void ApplyWorkspaceStyle(HWND hWndChild)
{
    LONG lStyle = ::GetWindowLongW(hWndChild, GWL_STYLE);
    ::SetWindowLongW(hWndChild, GWL_STYLE, lStyle & ~kWorkspaceRemovedStyles);
    LONG lExStyle = ::GetWindowLongW(hWndChild, GWL_EXSTYLE);
    ::SetWindowLongW(hWndChild, GWL_EXSTYLE, lExStyle & ~WS_EX_CLIENTEDGE);
    ::SetWindowPos(hWndChild, NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The MDI children of the client in creation order (the icon titles of
// minimised children are owned windows and left out).
void CollectChildren(HWND hWndClient, CArray<HWND, HWND>& arrChildren)
{
    arrChildren.RemoveAll();
    for (HWND hWnd = ::GetWindow(hWndClient, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (::GetWindow(hWnd, GW_OWNER) == NULL)
            arrChildren.InsertAt(0, hWnd);
}

}  // namespace

BEGIN_MESSAGE_MAP(CVZPTabClientWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCACTIVATE()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETCURSOR()
    ON_COMMAND_RANGE(VZP_ID_WORKSPACE_MOVE_PREVIOUS, VZP_ID_WORKSPACE_NEW_VERTICAL, OnWorkspaceCommand)
    ON_UPDATE_COMMAND_UI_RANGE(VZP_ID_WORKSPACE_MOVE_PREVIOUS, VZP_ID_WORKSPACE_NEW_VERTICAL,
                               OnUpdateWorkspaceCommand)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_MDICREATE, OnMDICreate)
    ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_REGISTERED_MESSAGE(g_nRefreshMessage, OnRefreshRequest)
    ON_REGISTERED_MESSAGE(g_nCommandStateMessage, OnCommandStateRequest)
END_MESSAGE_MAP()

CVZPTabClientWnd::CVZPTabClientWnd()
    : m_pFrame(NULL), m_bLayoutDirty(TRUE), m_bMoving(FALSE), m_bMouseDown(FALSE), m_bRefreshing(FALSE),
      m_pPaintManager(new CVZPTabPaintManager), m_bHorizontalGroups(FALSE),
      m_hcurVertSplitter(GetGlobalUIData()->m_hcurSplitHorz), m_hcurHorzSplitter(GetGlobalUIData()->m_hcurSplitVert),
      m_bWorkspaceMode(TRUE), m_bOutlineSplitterDrag(FALSE), m_nSplitterWidth(4), m_bKeepActivationOnClose(FALSE),
      m_bClientMouseDown(FALSE), m_bPlainActivation(FALSE), m_bInLayout(FALSE),
      m_bPlacingClient(FALSE)
{
}

CVZPTabClientWnd::~CVZPTabClientWnd()
{
    if (m_hWnd != NULL)
        UnsubclassMDIClient();
    for (int i = 0; i < GetGroupCount(); i++)
        delete m_arrGroups[i];
    m_arrGroups.RemoveAll();
    m_pPaintManager->InternalRelease();
}

BOOL CVZPTabClientWnd::SubclassMDIClient(CMDIFrameWnd* pFrame)
{
    if (m_hWnd != NULL || pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return FALSE;
    if (!SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = pFrame;
    if (m_bWorkspaceMode)
    {
        CArray<HWND, HWND> arrChildren;
        CollectChildren(m_hWnd, arrChildren);
        for (int i = 0; i < int(arrChildren.GetSize()); i++)
            ApplyWorkspaceStyle(arrChildren[i]);
    }
    m_bLayoutDirty = TRUE;
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    UpdateLayout();
    return TRUE;
}

void CVZPTabClientWnd::UnsubclassMDIClient()
{
    for (int i = 0; i < GetGroupCount(); i++)
    {
        ReleaseGroupPlace(m_arrGroups[i]);
        delete m_arrGroups[i];
    }
    m_arrGroups.RemoveAll();
    if (m_hWnd == NULL)
        return;
    HWND hWnd = UnsubclassWindow();
    m_pFrame = NULL;
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::InvalidateRect(hWnd, NULL, TRUE);
}

// ---------------------------------------------------------------------------
// Groups and layout

CVZPTabClientGroup* CVZPTabClientWnd::InsertGroup(int nIndex)
{
    CVZPTabClientGroup* pGroup = new CVZPTabClientGroup(this);
    if (!m_bWorkspaceMode && m_pFrame != NULL)
    {
        // Outside workspace mode the group is a window beside the MDI client,
        // under it, where the frame puts the client; the client takes the
        // group's client area.
        CString strClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
        CRect rc;
        GetWindowRect(&rc);
        m_pFrame->ScreenToClient(&rc);
        pGroup->CreateEx(0, strClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc, m_pFrame, 0);
        pGroup->SetWindowPos(this, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (nIndex < 0 || nIndex > GetGroupCount())
        nIndex = GetGroupCount();
    m_arrGroups.InsertAt(nIndex, pGroup);
    m_bLayoutDirty = TRUE;
    return pGroup;
}

int CVZPTabClientWnd::GetGroupIndex(const CVZPTabManager* pGroup) const
{
    for (int i = 0; i < GetGroupCount(); i++)
        if (static_cast<const CVZPTabManager*>(m_arrGroups[i]) == pGroup)
            return i;
    return -1;
}

CVZPTabManagerItem* CVZPTabClientWnd::FindItem(HWND hWnd) const
{
    for (int i = 0; i < GetGroupCount(); i++)
        if (CVZPTabManagerItem* pItem = m_arrGroups[i]->FindItemByHandle(hWnd))
            return pItem;
    return NULL;
}

HWND CVZPTabClientWnd::GetActiveChild() const
{
    if (m_pFrame == NULL || m_pFrame->m_hWndMDIClient == NULL)
        return NULL;
    return (HWND)::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
}

CVZPCommandBars* CVZPTabClientWnd::GetCommandBars() const
{
    // The manager of the frame's command bars owns the dock bars along its
    // edges.
    if (m_pFrame == NULL || m_pFrame->GetSafeHwnd() == NULL)
        return NULL;
    for (HWND hWnd = ::GetWindow(m_pFrame->m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (CVZPDockBar* pDockBar = DYNAMIC_DOWNCAST(CVZPDockBar, CWnd::FromHandlePermanent(hWnd)))
            return pDockBar->GetCommandBars();
    return NULL;
}

void CVZPTabClientWnd::SynchronizeTabs(HWND hWndActive)
{
    BOOL bChanged = FALSE;
    // Tabs of windows that are gone or no longer ours.
    for (int g = 0; g < GetGroupCount(); g++)
    {
        CVZPTabClientGroup* pGroup = m_arrGroups[g];
        for (int i = pGroup->GetItemCount() - 1; i >= 0; i--)
        {
            HWND hWnd = pGroup->GetItem(i)->GetHandle();
            if (!::IsWindow(hWnd) || ::GetParent(hWnd) != m_hWnd)
            {
                pGroup->DeleteItem(i);
                bChanged = TRUE;
            }
        }
    }

    // New children join the group that held the active child.
    CVZPTabClientGroup* pTarget = NULL;
    for (int g = 0; g < GetGroupCount() && pTarget == NULL; g++)
        if (m_arrGroups[g]->IsActive())
            pTarget = m_arrGroups[g];
    CArray<HWND, HWND> arrChildren;
    CollectChildren(m_hWnd, arrChildren);
    for (int i = 0; i < int(arrChildren.GetSize()); i++)
    {
        HWND hWnd = arrChildren[i];
        CVZPTabManagerItem* pItem = FindItem(hWnd);
        if (pItem == NULL)
        {
            if (pTarget == NULL)
                pTarget = GetGroupCount() > 0 ? m_arrGroups[0] : InsertGroup(0);
            pItem = pTarget->InsertItem(-1);
            pItem->m_hWnd = hWnd;
            bChanged = TRUE;
        }
        int nLength = ::GetWindowTextLengthW(hWnd);
        CString strTitle;
        ::GetWindowTextW(hWnd, strTitle.GetBuffer(nLength + 1), nLength + 1);
        strTitle.ReleaseBuffer();
        if (strTitle != pItem->m_strCaption)
        {
            pItem->SetCaption(strTitle);
            bChanged = TRUE;
        }
    }

    for (int g = 0; g < GetGroupCount(); g++)
    {
        CVZPTabClientGroup* pGroup = m_arrGroups[g];
        CVZPTabManagerItem* pActive = pGroup->FindItemByHandle(hWndActive);
        if (pGroup->m_bActive != (pActive != NULL))
        {
            pGroup->m_bActive = pActive != NULL;
            bChanged = TRUE;
        }
        CVZPTabManagerItem* pSelect = pActive;
        if (pSelect == NULL && pGroup->GetSelectedItem() == NULL)
            pSelect = pGroup->GetItem(0);
        if (pSelect != NULL && pSelect != pGroup->GetSelectedItem() && !pGroup->m_bReordering)
        {
            pGroup->SetSelectedItem(pSelect);
            bChanged = TRUE;
        }
    }
    if (bChanged)
        m_bLayoutDirty = TRUE;
}

void CVZPTabClientWnd::RemoveEmptyGroups()
{
    for (int g = GetGroupCount() - 1; g >= 0; g--)
    {
        if (m_arrGroups[g]->GetItemCount() > 0)
            continue;
        ReleaseGroupPlace(m_arrGroups[g]);
        delete m_arrGroups[g];
        m_arrGroups.RemoveAt(g);
        m_bLayoutDirty = TRUE;
    }
}

void CVZPTabClientWnd::LayoutGroups()
{
    int nCount = GetGroupCount();
    if (nCount == 0)
        return;
    if (CVZPTabClientGroup* pGroup = GetWindowedGroup())
    {
        CRect rcPlace, rcClientPlace;
        pGroup->GetWindowRect(&rcPlace);
        m_pFrame->ScreenToClient(&rcPlace);
        PlaceWindowedGroup(pGroup, rcPlace, &rcClientPlace);
        CRect rcOld;
        GetWindowRect(&rcOld);
        m_pFrame->ScreenToClient(&rcOld);
        if (rcOld != rcClientPlace)
        {
            m_bPlacingClient = TRUE;
            SetWindowPos(NULL, rcClientPlace.left, rcClientPlace.top, rcClientPlace.Width(), rcClientPlace.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            m_bPlacingClient = FALSE;
        }
        return;
    }
    if (!m_bWorkspaceMode)
        return;
    CClientDC dc(this);

    CRect rcClient;
    GetClientRect(&rcClient);
    int nStart = m_bHorizontalGroups ? rcClient.top : rcClient.left;
    int nExtent = (m_bHorizontalGroups ? rcClient.Height() : rcClient.Width()) - (nCount - 1) * m_nSplitterWidth;
    if (nExtent < 0)
        nExtent = 0;

    // A group without a share yet weighs as much as the others on average.
    double dKnown = 0.0;
    int nKnown = 0;
    for (int g = 0; g < nCount; g++)
        if (m_arrGroups[g]->m_dShare > 0.0)
        {
            dKnown += m_arrGroups[g]->m_dShare;
            nKnown++;
        }
    double dDefault = nKnown > 0 ? dKnown / nKnown : (nExtent > 0 ? double(nExtent) : 1.0);
    double dTotal = 0.0;
    for (int g = 0; g < nCount; g++)
    {
        if (m_arrGroups[g]->m_dShare <= 0.0)
            m_arrGroups[g]->m_dShare = dDefault;
        dTotal += m_arrGroups[g]->m_dShare;
    }

    double dSum = 0.0;
    int nPos = nStart;
    for (int g = 0; g < nCount; g++)
    {
        CVZPTabClientGroup* pGroup = m_arrGroups[g];
        dSum += pGroup->m_dShare;
        int nEnd = g == nCount - 1 ? nStart + nExtent + (nCount - 1) * m_nSplitterWidth
                                   : nStart + int(nExtent * dSum / dTotal + 0.5) + g * m_nSplitterWidth;
        if (nEnd < nPos)
            nEnd = nPos;
        CRect rcGroup = rcClient;
        CRect rcSplitter = rcClient;
        if (m_bHorizontalGroups)
        {
            rcGroup.top = nPos;
            rcGroup.bottom = nEnd;
            rcSplitter.top = nEnd;
            rcSplitter.bottom = nEnd + m_nSplitterWidth;
        }
        else
        {
            rcGroup.left = nPos;
            rcGroup.right = nEnd;
            rcSplitter.left = nEnd;
            rcSplitter.right = nEnd + m_nSplitterWidth;
        }
        if (g == nCount - 1)
            rcSplitter.SetRectEmpty();
        pGroup->m_rcSplitter = rcSplitter;
        m_pPaintManager->LayoutTabStrip(pGroup, &dc, rcGroup);
        nPos = nEnd + m_nSplitterWidth;
    }
}

CVZPTabClientGroup* CVZPTabClientWnd::GetWindowedGroup() const
{
    if (m_bWorkspaceMode || GetGroupCount() == 0 || m_arrGroups[0]->GetSafeHwnd() == NULL)
        return NULL;
    return m_arrGroups[0];
}

void CVZPTabClientWnd::PlaceWindowedGroup(CVZPTabClientGroup* pGroup, const CRect& rcPlace, CRect* pClientPlace)
{
    CRect rcOld;
    pGroup->GetWindowRect(&rcOld);
    m_pFrame->ScreenToClient(&rcOld);
    if (rcOld != rcPlace)
        pGroup->SetWindowPos(NULL, rcPlace.left, rcPlace.top, rcPlace.Width(), rcPlace.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcControl;
    pGroup->GetClientRect(&rcControl);
    pGroup->m_rcSplitter.SetRectEmpty();
    CClientDC dc(pGroup);
    m_pPaintManager->LayoutTabStrip(pGroup, &dc, rcControl);
    pGroup->Invalidate(FALSE);
    *pClientPlace = pGroup->m_rcClient;
    pGroup->MapWindowPoints(m_pFrame, pClientPlace);
}

void CVZPTabClientWnd::ReleaseGroupPlace(CVZPTabClientGroup* pGroup)
{
    if (pGroup->GetSafeHwnd() == NULL || m_hWnd == NULL || m_pFrame == NULL)
        return;
    CRect rcPlace;
    pGroup->GetWindowRect(&rcPlace);
    m_pFrame->ScreenToClient(&rcPlace);
    pGroup->DestroyWindow();
    m_bPlacingClient = TRUE;
    SetWindowPos(NULL, rcPlace.left, rcPlace.top, rcPlace.Width(), rcPlace.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_bPlacingClient = FALSE;
}

void CVZPTabClientWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanging(lpwndpos);
    CVZPTabClientGroup* pGroup = GetWindowedGroup();
    if (pGroup == NULL || m_bPlacingClient || (lpwndpos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != 0)
        return;
    // The frame lays the client out: the group takes that place, the client
    // its part of it.
    CRect rcClientPlace;
    PlaceWindowedGroup(pGroup, CRect(CPoint(lpwndpos->x, lpwndpos->y), CSize(lpwndpos->cx, lpwndpos->cy)),
                       &rcClientPlace);
    lpwndpos->x = rcClientPlace.left;
    lpwndpos->y = rcClientPlace.top;
    lpwndpos->cx = rcClientPlace.Width();
    lpwndpos->cy = rcClientPlace.Height();
}

void CVZPTabClientWnd::PlaceChildren()
{
    if (!m_bWorkspaceMode)
        return;
    for (int g = 0; g < GetGroupCount(); g++)
    {
        CVZPTabClientGroup* pGroup = m_arrGroups[g];
        const CRect& rc = pGroup->m_rcClient;
        for (int i = 0; i < pGroup->GetItemCount(); i++)
        {
            HWND hWnd = pGroup->GetItem(i)->GetHandle();
            CRect rcOld;
            ::GetWindowRect(hWnd, &rcOld);
            ScreenToClient(&rcOld);
            if (rcOld != rc)
                ::SetWindowPos(hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        // The selected child shows above the others of its group.
        if (CVZPTabManagerItem* pSelected = pGroup->GetSelectedItem())
            ::SetWindowPos(pSelected->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CVZPTabClientWnd::UpdateLayout()
{
    // A tab that moves between groups belongs to none for a while: the
    // layout waits for the move to end.
    if (m_hWnd == NULL || m_pFrame == NULL || m_bMoving || m_bInLayout)
        return;
    m_bInLayout = TRUE;
    SynchronizeTabs(GetActiveChild());
    RemoveEmptyGroups();
    if (m_bLayoutDirty)
    {
        LayoutGroups();
        PlaceChildren();
        Invalidate(FALSE);
    }
    m_bLayoutDirty = FALSE;
    m_bInLayout = FALSE;
}

void CVZPTabClientWnd::DrawClient(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(rc, ::GetSysColor(COLOR_APPWORKSPACE));
}

void CVZPTabClientWnd::Refresh(BOOL bRecalcFrame)
{
    if (m_pFrame == NULL || m_bRefreshing)
        return;
    m_bRefreshing = TRUE;
    m_bLayoutDirty = TRUE;
    UpdateLayout();
    if (GetGroupCount() > 0)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (m_bWorkspaceMode)
        {
            ScreenToClient(&pt);
            PassMouseMove(pt);
        }
        else if (m_arrGroups[0]->GetSafeHwnd() != NULL)
        {
            m_arrGroups[0]->ScreenToClient(&pt);
            m_arrGroups[0]->PerformMouseMove(m_arrGroups[0]->m_hWnd, pt.x, pt.y);
        }
    }
    else if (m_hWnd != NULL)
    {
        InvalidateRect(NULL, FALSE);
    }
    if (bRecalcFrame)
    {
        // The frame is recalculated, never moved or sized here: a client
        // sized to nothing would stay so without command bars to lay the
        // frame out again.
        if (m_bWorkspaceMode && m_hWnd != NULL)
            SetWindowPos(NULL, 0, 0, 0, 0,
                         SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (CVZPCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->RecalcFrameLayout();
    }
    m_bRefreshing = FALSE;
}

void CVZPTabClientWnd::PassMouseMove(CPoint pt)
{
    for (int g = 0; g < GetGroupCount(); g++)
        m_arrGroups[g]->PerformMouseMove(m_hWnd, pt.x, pt.y);
}

// ---------------------------------------------------------------------------
// Workspace commands

int CVZPTabClientWnd::GetWorkspaceCommandState(UINT nID, CVZPTabManagerItem** ppItem) const
{
    if (!m_bWorkspaceMode)
        return 0;
    HWND hWndActive = GetActiveChild();
    if (hWndActive == NULL)
        return 0;
    CVZPTabManagerItem* pItem = FindItem(hWndActive);
    if (pItem == NULL)
        return 0;
    if (ppItem != NULL)
        *ppItem = pItem;
    CVZPTabClientGroup* pGroup = GroupOf(pItem);
    int nIndex = GetGroupIndex(pGroup);
    int nGroups = GetGroupCount();
    BOOL bSeveralTabs = pGroup->GetItemCount() > 1;
    switch (nID)
    {
    case VZP_ID_WORKSPACE_MOVE_PREVIOUS:
        return nIndex > 0;
    case VZP_ID_WORKSPACE_MOVE_NEXT:
        return nIndex < nGroups - 1;
    case VZP_ID_WORKSPACE_NEW_HORIZONTAL:
        return bSeveralTabs && (nGroups == 1 || m_bHorizontalGroups);
    case VZP_ID_WORKSPACE_NEW_VERTICAL:
        return bSeveralTabs && (nGroups == 1 || !m_bHorizontalGroups);
    default:
        return 0;
    }
}

void CVZPTabClientWnd::OnUpdateWorkspaceCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetWorkspaceCommandState(pCmdUI->m_nID) != 0);
}

void CVZPTabClientWnd::OnWorkspaceCommand(UINT nID)
{
    CVZPTabManagerItem* pItem = NULL;
    if (GetWorkspaceCommandState(nID, &pItem) == 0)
        return;
    CVZPTabClientGroup* pGroup = GroupOf(pItem);
    int nIndex = GetGroupIndex(pGroup);
    switch (nID)
    {
    case VZP_ID_WORKSPACE_MOVE_PREVIOUS:
        MoveItemToGroup(pItem, m_arrGroups[nIndex - 1], vzpTabClientMoveToGroup);
        break;
    case VZP_ID_WORKSPACE_MOVE_NEXT:
        MoveItemToGroup(pItem, m_arrGroups[nIndex + 1], vzpTabClientMoveToGroup);
        break;
    case VZP_ID_WORKSPACE_NEW_HORIZONTAL:
        MoveItemToGroup(pItem, pGroup, vzpTabClientNewHorizontalGroup);
        break;
    case VZP_ID_WORKSPACE_NEW_VERTICAL:
        MoveItemToGroup(pItem, pGroup, vzpTabClientNewVerticalGroup);
        break;
    default:
        break;
    }
}

void CVZPTabClientWnd::MoveItemToGroup(CVZPTabManagerItem* pItem, CVZPTabClientGroup* pGroup, int nKind)
{
    CVZPTabClientGroup* pOld = GroupOf(pItem);
    if (pItem == NULL || pGroup == NULL || GetGroupIndex(pOld) < 0 || GetGroupIndex(pGroup) < 0)
        return;
    m_bMoving = TRUE;
    m_bMouseDown = TRUE;
    // Insertion hands out the next automatic colour: the tab keeps its own.
    COLORREF clrItem = pItem->m_clrItem;
    if (nKind == vzpTabClientMoveToGroup)
    {
        if (pGroup != pOld)
        {
            pItem->InternalAddRef();
            pOld->DeleteItem(pItem->GetIndex());
            pGroup->InsertItem(-1, pItem);
            pItem->m_clrItem = clrItem;
        }
        pGroup->SetSelectedItem(pItem);
    }
    else if (nKind == vzpTabClientNewHorizontalGroup || nKind == vzpTabClientNewVerticalGroup)
    {
        UpdateSharesFromRects();
        pItem->InternalAddRef();
        pOld->DeleteItem(pItem->GetIndex());
        CVZPTabClientGroup* pNew = InsertGroup(GetGroupIndex(pOld) + 1);
        pNew->InsertItem(-1, pItem);
        pItem->m_clrItem = clrItem;
        pNew->SetSelectedItem(pItem);
        double dOld = pOld->m_dShare;
        pNew->m_dShare = (dOld - m_nSplitterWidth) * 0.5;
        pOld->m_dShare = dOld - pNew->m_dShare - m_nSplitterWidth;
        m_bHorizontalGroups = nKind == vzpTabClientNewHorizontalGroup;
    }
    m_bMoving = FALSE;
    m_bMouseDown = FALSE;
    m_bLayoutDirty = TRUE;
    UpdateLayout();
}

// ---------------------------------------------------------------------------
// Splitters

void CVZPTabClientWnd::UpdateSharesFromRects()
{
    for (int g = 0; g < GetGroupCount(); g++)
    {
        const CRect& rc = m_arrGroups[g]->m_rcControl;
        m_arrGroups[g]->m_dShare = m_bHorizontalGroups ? rc.Height() : rc.Width();
    }
}

void CVZPTabClientWnd::ResizeGroupsByBar(int nIndex, const CRect& rcBar, const CRect& rcRange)
{
    CVZPTabClientGroup* pA = m_arrGroups[nIndex];
    CVZPTabClientGroup* pB = m_arrGroups[nIndex + 1];
    double dTotal = m_nSplitterWidth + pA->m_dShare + pB->m_dShare;
    int nRange = m_bHorizontalGroups ? rcRange.Height() : rcRange.Width();
    if (nRange <= 0)
        return;
    double dShareA = m_bHorizontalGroups ? dTotal * (rcBar.top - rcRange.top) / nRange
                                         : dTotal * (rcBar.left - rcRange.left) / nRange;
    // Mirrored, the first group lies on the right of the bar.
    if (!m_bHorizontalGroups && (GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        dShareA = dTotal - dShareA - m_nSplitterWidth;
    pA->m_dShare = dShareA;
    pB->m_dShare = dTotal - dShareA - m_nSplitterWidth;
}

void CVZPTabClientWnd::ApplySplitterMove(int nIndex, const CRect& rcBar, const CRect& rcRange)
{
    ResizeGroupsByBar(nIndex, rcBar, rcRange);
    m_pFrame->RecalcLayout(TRUE);
    // The client keeps its size, so no WM_SIZE lays the groups out.
    m_bLayoutDirty = TRUE;
    UpdateLayout();
}

void CVZPTabClientWnd::TrackSplitter(int nIndex, CPoint pt)
{
    if (nIndex < 0 || nIndex >= GetGroupCount() - 1 || m_pFrame == NULL)
        return;
    UpdateSharesFromRects();
    CRect rcRange;
    rcRange.UnionRect(&m_arrGroups[nIndex]->m_rcControl, &m_arrGroups[nIndex + 1]->m_rcControl);
    CRect rcBar = m_arrGroups[nIndex]->m_rcSplitter;
    ClientToScreen(&rcRange);
    ClientToScreen(&rcBar);
    ClientToScreen(&pt);
    if (m_bOutlineSplitterDrag)
    {
        CVZPResizeTracker tracker;
        if (tracker.Track(this, rcRange, rcBar, pt, !m_bHorizontalGroups))
            ApplySplitterMove(nIndex, rcBar, rcRange);
        return;
    }
    TrackSplitterLive(nIndex, rcBar, rcRange, pt);
}

void CVZPTabClientWnd::TrackSplitterLive(int nIndex, CRect rcBar, const CRect& rcRange, CPoint ptScreen)
{
    int nOffset = m_bHorizontalGroups ? ptScreen.y - rcBar.top : ptScreen.x - rcBar.left;
    int nMin = m_bHorizontalGroups ? rcRange.top : rcRange.left;
    int nMax = m_bHorizontalGroups ? rcRange.bottom - rcBar.Height() : rcRange.right - rcBar.Width();
    SetCapture();
    MSG msg;
    BOOL bQuit = FALSE;
    while (!bQuit && ::GetCapture() == m_hWnd)
    {
        // Paint what the last move changed before waiting; a window that
        // never validates must not hold the drag here. Taking the paint
        // messages out directly never blocks (a filtered wait might).
        for (int nPaints = 0; nPaints < 64 && ::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); nPaints++)
        {
            if (msg.message == WM_QUIT)
            {
                bQuit = TRUE;
                break;
            }
            ::DispatchMessageW(&msg);
        }
        if (bQuit || !::GetMessageW(&msg, NULL, 0, 0))
        {
            // A quit request ends the drag with the sizes reached and goes
            // back into the queue, so the application still ends.
            AfxPostQuitMessage(int(msg.wParam));
            break;
        }
        if (::GetCapture() != m_hWnd)
        {
            ::DispatchMessageW(&msg);
            break;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE)
        {
            ::DispatchMessageW(&msg);
            continue;
        }
        CPoint pt(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        int nPos = (m_bHorizontalGroups ? pt.y : pt.x) - nOffset;
        nPos = std::max(nMin, std::min(nPos, nMax));
        if (nPos == (m_bHorizontalGroups ? rcBar.top : rcBar.left))
            continue;
        if (m_bHorizontalGroups)
            rcBar.OffsetRect(0, nPos - rcBar.top);
        else
            rcBar.OffsetRect(nPos - rcBar.left, 0);
        ApplySplitterMove(nIndex, rcBar, rcRange);
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

// ---------------------------------------------------------------------------
// MDI messages

LRESULT CVZPTabClientWnd::OnMDICreate(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    LRESULT lResult = Default();
    HWND hWndChild = (HWND)lResult;
    if (hWndChild != NULL && m_bWorkspaceMode)
        ApplyWorkspaceStyle(hWndChild);
    UpdateLayout();
    return lResult;
}

LRESULT CVZPTabClientWnd::OnMDIActivate(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    LRESULT lResult;
    if (m_bWorkspaceMode || m_bPlainActivation)
    {
        lResult = Default();
    }
    else
    {
        SetRedraw(FALSE);
        lResult = Default();
        SetRedraw(TRUE);
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    UpdateLayout();
    return lResult;
}

LRESULT CVZPTabClientWnd::OnMDIDestroy(WPARAM wParam, LPARAM /*lParam*/)
{
    // The neighbour tab takes over before the child goes, instead of
    // whichever child the MDI client would pick.
    CVZPTabManagerItem* pItem = m_bKeepActivationOnClose ? NULL : FindItem((HWND)wParam);
    if (pItem != NULL)
    {
        CVZPTabManager* pGroup = pItem->GetTabManager();
        CVZPTabManagerItem* pNext = pGroup->GetItem(pItem->GetIndex() + 1);
        if (pNext == NULL || pNext->GetHandle() == NULL)
            pNext = pGroup->GetItem(pItem->GetIndex() - 1);
        if (pNext != NULL && pNext->GetHandle() != NULL)
            ::BringWindowToTop(pNext->GetHandle());
    }
    LRESULT lResult = Default();
    UpdateLayout();
    return lResult;
}

void CVZPTabClientWnd::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Default();
    m_bLayoutDirty = TRUE;
    UpdateLayout();
}

LRESULT CVZPTabClientWnd::OnIdleUpdateCmdUI(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_bClientMouseDown)
    {
        m_bClientMouseDown = FALSE;
        m_bMouseDown = FALSE;
    }
    UpdateLayout();
    return 0;
}

void CVZPTabClientWnd::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    m_pPaintManager->RefreshMetrics();
    Refresh(TRUE);
}

LRESULT CVZPTabClientWnd::OnRefreshRequest(WPARAM wParam, LPARAM /*lParam*/)
{
    Refresh(BOOL(wParam != 0));
    return 1;
}

LRESULT CVZPTabClientWnd::OnCommandStateRequest(WPARAM wParam, LPARAM /*lParam*/)
{
    return GetWorkspaceCommandState(UINT(wParam));
}

// ---------------------------------------------------------------------------
// Painting

void CVZPTabClientWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CVZPDoubleBufferDC dcBuffer(dc.GetSafeHdc(), rc);
    if (m_bWorkspaceMode && GetGroupCount() > 0)
    {
        CVZPTabAppearanceSet* pAppearance = m_pPaintManager->GetAppearanceSet();
        for (int g = GetGroupCount() - 1; g >= 0; g--)
        {
            CVZPTabClientGroup* pGroup = m_arrGroups[g];
            m_pPaintManager->DrawTabStrip(pGroup, &dcBuffer, pGroup->m_rcControl);
            if (!pGroup->m_rcSplitter.IsRectEmpty())
            {
                CRect rcSplitter = pGroup->m_rcSplitter;
                pAppearance->DrawMdiClientBorder(&dcBuffer, &rcSplitter, m_bHorizontalGroups ? 3 : 2);
            }
        }
    }
    else
    {
        DrawClient(&dcBuffer, rc);
    }
}

BOOL CVZPTabClientWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZPTabClientWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    if (m_bWorkspaceMode)
        m_pPaintManager->GetAppearanceSet()->DrawMdiClientBorder(NULL, &lpncsp->rgrc[0], 1);
    Default();
}

void CVZPTabClientWnd::OnNcPaint()
{
    if (!m_bWorkspaceMode)
    {
        Default();
        return;
    }
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    m_pPaintManager->GetAppearanceSet()->DrawMdiClientBorder(&dc, &rc, 0);
}

BOOL CVZPTabClientWnd::OnNcActivate(BOOL /*bActive*/)
{
    return m_bWorkspaceMode ? TRUE : BOOL(Default());
}

// ---------------------------------------------------------------------------
// Mouse

void CVZPTabClientWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (!m_bWorkspaceMode)
    {
        Default();
        return;
    }
    m_bMouseDown = TRUE;
    m_bClientMouseDown = TRUE;
    for (int g = 0; g < GetGroupCount(); g++)
    {
        CVZPTabClientGroup* pGroup = m_arrGroups[g];
        if (g < GetGroupCount() - 1 && pGroup->m_rcSplitter.PtInRect(point))
        {
            TrackSplitter(g, point);
            return;
        }
        if (pGroup->m_rcControl.PtInRect(point))
        {
            // A press in another group first activates that group's child.
            if (!pGroup->IsActive() && pGroup->GetSelectedItem() != NULL)
                pGroup->OnItemClick(pGroup->GetSelectedItem());
            pGroup->PerformClick(m_hWnd, point.x, point.y, FALSE);
            return;
        }
    }
}

void CVZPTabClientWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CVZPTabClientWnd::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (m_bWorkspaceMode)
        PassMouseMove(point);
    Default();
}

LRESULT CVZPTabClientWnd::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_bWorkspaceMode)
        PassMouseMove(CPoint(-1, -1));
    return Default();
}

void CVZPTabClientWnd::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

BOOL CVZPTabClientWnd::OnSetCursor(CWnd* /*pWnd*/, UINT nHitTest, UINT /*message*/)
{
    if (nHitTest == HTCLIENT && m_bWorkspaceMode)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        for (int g = 0; g < GetGroupCount(); g++)
        {
            if (m_arrGroups[g]->m_rcSplitter.PtInRect(pt))
            {
                ::SetCursor(m_bHorizontalGroups ? m_hcurHorzSplitter : m_hcurVertSplitter);
                return TRUE;
            }
        }
    }
    return BOOL(Default());
}
