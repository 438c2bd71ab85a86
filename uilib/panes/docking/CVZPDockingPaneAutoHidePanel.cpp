#include "CVZPDockingPaneAutoHidePanel.h"

#include <windowsx.h>

#include <algorithm>

#include "CVZPDockingPane.h"
#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPDrawTools.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPPropExchange.h"
#include "CVZPResizeTracker.h"
#include "CVZPResourceLoader.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabColorSet.h"
#include "VZPDrawHelpers.h"
#include "uilibres.h"

namespace {

CVZPTabPaintManager* AutoHideTabs(const CVZPDockingPaneBase* pObject)
{
    CVZPDockingPanePaintManager* pPaint = pObject != NULL ? pObject->GetDockingPaintManager() : NULL;
    return pPaint != NULL ? pPaint->GetAutoHideTabPaintManager() : NULL;
}

// The panes of a hidden container in order, and its selected one.
void PanesOf(CVZPDockingPaneBase* pContainer, CVZPDockingPaneBaseList* pList, CVZPDockingPane** ppSelected)
{
    pContainer->CollectPanes(vzpPaneTypeDockingPane, pList);
    *ppSelected = pContainer->GetType() == vzpPaneTypeTabbedContainer
                      ? static_cast<CVZPDockingPaneTabbedContainer*>(pContainer)->GetSelected()
                      : NULL;
}

BOOL IsFocusIn(CWnd* pWnd)
{
    HWND hFocus = ::GetFocus();
    return pWnd != NULL && pWnd->GetSafeHwnd() != NULL && hFocus != NULL &&
           (hFocus == pWnd->GetSafeHwnd() || ::IsChild(pWnd->GetSafeHwnd(), hFocus));
}

}  // namespace

// --- tab group ------------------------------------------------------------------

CVZPDockingPaneAutoHideTabGroup::CVZPDockingPaneAutoHideTabGroup(CVZPDockingPaneAutoHidePanel* pPanel)
    : m_pPanel(pPanel), m_rcGroup(0, 0, 0, 0)
{
    for (int i = 0; i < GetNavigateButtonCount(); i++)
        GetNavigateButton(i)->m_nDisplayMode = vzpTabNavigateHidden;
}

CVZPTabPaintManager* CVZPDockingPaneAutoHideTabGroup::GetPaintManager() const
{
    return AutoHideTabs(m_pPanel);
}

int CVZPDockingPaneAutoHideTabGroup::GetPosition() const
{
    static const int s_nPositions[4] = { 3, 1, 2, 0 };
    const int nSide = m_pPanel != NULL ? m_pPanel->GetSide() : 0;
    return nSide >= 0 && nSide < 4 ? s_nPositions[nSide] : 3;
}

void CVZPDockingPaneAutoHideTabGroup::RedrawControl()
{
    if (m_pPanel != NULL && m_pPanel->GetSafeHwnd() != NULL)
        m_pPanel->Invalidate(FALSE);
}

BOOL CVZPDockingPaneAutoHideTabGroup::DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw,
                                                   CSize* pszIcon)
{
    if (pItem == NULL)
        return TRUE;
    CVZPTabPaintManager* pTabs = GetPaintManager();
    if (pTabs == NULL || !pTabs->m_bShowIcons)
        return FALSE;
    CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(pItem->m_pData);
    CVZPImageManagerIcon* pIcon = pPane != NULL ? pPane->GetPaneIcon(pszIcon->cx) : NULL;
    if (pIcon == NULL)
        return FALSE;
    if (!bDraw)
        return TRUE;
    if (!pItem->IsEnabled())
        pIcon->Draw(pDC, pt, pIcon->GetDisabledIcon(), *pszIcon);
    else if (pItem == GetSelectedItem())
        pIcon->Draw(pDC, pt, pIcon->GetCheckedIcon(), *pszIcon);
    else if (pItem == GetHotItem())
        pIcon->Draw(pDC, pt, pIcon->GetHotIcon(), *pszIcon);
    else
        pIcon->Draw(pDC, pt, pIcon->GetIcon(), *pszIcon);
    return TRUE;
}

// --- drop target -------------------------------------------------------------------

DROPEFFECT CVZPDockingPaneAutoHideDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                                          CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CVZPDockingPaneAutoHideDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/,
                                                         DWORD /*dwKeyState*/, CPoint point)
{
    CVZPTabPaintManager* pTabs = AutoHideTabs(m_pPanel);
    if (m_pPanel == NULL || pTabs == NULL || !pTabs->m_bSelectOnDragOver)
        return DROPEFFECT_NONE;
    CVZPDockingPane* pPane = m_pPanel->GetPaneAt(point);
    CVZPDockingPaneAutoHideWnd* pCurrent = m_pPanel->GetCurrentWindow();
    const BOOL bShown = pCurrent != NULL && pPane != NULL && pCurrent->m_pContainer != NULL &&
                        pCurrent->m_pContainer == pPane->GetParentContainer() &&
                        pCurrent->m_pContainer->GetSelected() == pPane;
    if (pPane != NULL && !bShown)
    {
        m_pPanel->CloseAutoHideWindow(FALSE);
        m_pPanel->ShowAutoHideWindow(pPane, FALSE);
    }
    return DROPEFFECT_NONE;
}

// --- panel ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CVZPDockingPaneAutoHidePanel, CWnd)

BEGIN_MESSAGE_MAP(CVZPDockingPaneAutoHidePanel, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CVZPDockingPaneAutoHidePanel::CVZPDockingPaneAutoHidePanel(CVZPDockingPaneLayout* pLayout)
    : CVZPDockingPaneBase(vzpPaneTypeAutoHidePanel, pLayout), m_pCurrentWnd(NULL), m_nSide(vzpPaneDockLeft),
      m_lstHidden(10), m_pDropTarget(NULL)
{
    m_pDropTarget = new CVZPDockingPaneAutoHideDropTarget(this);
}

CVZPDockingPaneAutoHidePanel::~CVZPDockingPaneAutoHidePanel()
{
    DetachCurrentWindow();
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
    DeleteGroups();
    delete m_pDropTarget;
    m_pDropTarget = NULL;
}

BOOL CVZPDockingPaneAutoHidePanel::IsLiveObject(CVZPDockingPaneBase* pObject) const
{
    return pObject != NULL && m_pLayout != NULL && m_pLayout->m_lstObjects.Find(pObject) != NULL;
}

void CVZPDockingPaneAutoHidePanel::DetachCurrentWindow()
{
    CVZPDockingPaneAutoHideWnd* pWnd = m_pCurrentWnd;
    m_pCurrentWnd = NULL;
    if (pWnd == NULL)
        return;
    // A container deleted before this panel is not touched again.
    if (pWnd->m_pContainer != NULL && !IsLiveObject(pWnd->m_pContainer))
        pWnd->m_pContainer = NULL;
    pWnd->m_pPanel = NULL;
    pWnd->CloseNow();
    pWnd->Detach();
}

void CVZPDockingPaneAutoHidePanel::DeleteGroups()
{
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
        delete m_arrGroups[i];
    m_arrGroups.RemoveAll();
}

BOOL CVZPDockingPaneAutoHidePanel::CreatePanelWindow(CWnd* pParent)
{
    if (GetSafeHwnd() != NULL)
        return TRUE;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;
    // A copy of the class name: the framework's buffer is shared.
    const CString strClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(0, strClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                  pParent, 0))
        return FALSE;
    if (m_pDropTarget != NULL)
        m_pDropTarget->Register(this);
    return TRUE;
}

int CVZPDockingPaneAutoHidePanel::GetStripThickness() const
{
    CVZPTabPaintManager* pTabs = AutoHideTabs(this);
    CVZPTabAppearanceSet* pAppearance = pTabs != NULL ? pTabs->GetAppearanceSet() : NULL;
    if (pAppearance == NULL)
        return 0;
    const CRect rcMargin = pAppearance->GetHeaderMargin();
    return pAppearance->m_nTabHeight + rcMargin.top + rcMargin.bottom;
}

void CVZPDockingPaneAutoHidePanel::AddContainer(CVZPDockingPaneBase* pContainer)
{
    if (pContainer == NULL)
        return;
    m_lstHidden.AddTail(pContainer);
    pContainer->m_pParentContainer = this;
    pContainer->SetHostWindow(m_pHostWnd);
    VZPDelayFrameLayout(m_pHostWnd);
    pContainer->OnAttached(this);
    CWnd* pWnd = pContainer->GetPaneWindow();
    if (IsFocusIn(pWnd) && m_pHostWnd != NULL && m_pHostWnd->GetSafeHwnd() != NULL)
        m_pHostWnd->SetFocus();
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void CVZPDockingPaneAutoHidePanel::LayoutInFrame(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pParams)
{
    if (IsEmpty())
    {
        if (GetSafeHwnd() != NULL)
            DestroyWindow();
        return;
    }
    if (GetSafeHwnd() == NULL)
        CreatePanelWindow(pSite);
    CloseAutoHideWindow(FALSE);
    const int nThickness = GetStripThickness();
    CRect rcStrip = *pRect;
    switch (m_nSide)
    {
    case vzpPaneDockLeft:
        rcStrip.right = rcStrip.left + nThickness;
        pRect->left += nThickness;
        break;
    case vzpPaneDockRight:
        rcStrip.left = rcStrip.right - nThickness;
        pRect->right -= nThickness;
        break;
    case vzpPaneDockTop:
        rcStrip.bottom = rcStrip.top + nThickness;
        pRect->top += nThickness;
        break;
    default:
        rcStrip.top = rcStrip.bottom - nThickness;
        pRect->bottom -= nThickness;
        break;
    }
    m_rcPane = rcStrip;
    if (GetSafeHwnd() != NULL)
    {
        CClientDC dc(this);
        RebuildGroups(&dc, CRect(0, 0, rcStrip.Width(), rcStrip.Height()));
    }
    if (pParams != NULL && pParams->hDWP != NULL && GetSafeHwnd() != NULL)
    {
        SetWindowPos(NULL, rcStrip.left, rcStrip.top, rcStrip.Width(), rcStrip.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
    }
}

void CVZPDockingPaneAutoHidePanel::RebuildGroups(CDC* pDC, CRect rc)
{
    if ((m_nSide == vzpPaneDockLeft || m_nSide == vzpPaneDockRight) && m_pLayout != NULL)
    {
        CVZPDockingPaneBase* pTopPanel = m_pLayout->m_pAutoHidePanels[vzpPaneDockTop];
        if (pTopPanel != NULL && !pTopPanel->IsEmpty())
            rc.top += GetStripThickness();
    }
    DeleteGroups();
    CVZPTabPaintManager* pTabs = AutoHideTabs(this);
    CVZPTabAppearanceSet* pAppearance = pTabs != NULL ? pTabs->GetAppearanceSet() : NULL;
    const CRect rcMargin = pAppearance != NULL ? pAppearance->GetHeaderMargin() : CRect(0, 0, 0, 0);
    for (POSITION pos = m_lstHidden.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pContainer = m_lstHidden.GetNext(pos);
        if (pContainer->IsEmpty())
            continue;
        CVZPDockingPaneAutoHideTabGroup* pGroup = new CVZPDockingPaneAutoHideTabGroup(this);
        m_arrGroups.Add(pGroup);
        CVZPDockingPaneBaseList lstPanes;
        CVZPDockingPane* pSelected = NULL;
        PanesOf(pContainer, &lstPanes, &pSelected);
        for (POSITION posPane = lstPanes.GetHeadPosition(); posPane != NULL;)
        {
            CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(lstPanes.GetNext(posPane));
            CVZPTabManagerItem* pItem = pGroup->InsertItem(-1);
            pItem->m_pData = pPane;
            pItem->m_strCaption = pPane->GetTabCaption();
            pItem->m_clrItem = pPane->GetTabColor();
            pItem->m_strTooltip = pPane->GetTitle();
            if (pPane == pSelected)
                pGroup->SetSelectedItem(pItem);
        }
        if (pTabs != NULL)
            pTabs->LayoutTabStrip(pGroup, pDC, rc);
        pGroup->m_rcGroup = rc;
        const int nAdvance = pGroup->GetItemsLength() + rcMargin.left + rcMargin.right + 8;
        if (m_nSide == vzpPaneDockTop || m_nSide == vzpPaneDockBottom)
            rc.left += nAdvance;
        else
            rc.top += nAdvance;
    }
}

CVZPDockingPane* CVZPDockingPaneAutoHidePanel::GetPaneAt(CPoint pt)
{
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
    {
        CVZPTabManagerItem* pItem = m_arrGroups[i]->HitTest(pt.x, pt.y);
        if (pItem != NULL)
            return static_cast<CVZPDockingPane*>(pItem->m_pData);
    }
    return NULL;
}

void CVZPDockingPaneAutoHidePanel::ShowAutoHideWindow(CVZPDockingPane* pPane, BOOL bActivate)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pPane == NULL || pManager == NULL || pManager->SendPaneAction(actionExpanding, pPane))
        return;
    CVZPDockingPaneBase* pContainer = pPane->GetParentContainer();
    if (pContainer == NULL || pContainer->GetType() != vzpPaneTypeTabbedContainer)
        return;
    CVZPDockingPaneTabbedContainer* pTabbed = static_cast<CVZPDockingPaneTabbedContainer*>(pContainer);
    CVZPDockingPaneAutoHideWnd* pWnd = new CVZPDockingPaneAutoHideWnd(this, pTabbed);
    if (pWnd->GetSafeHwnd() == NULL)
    {
        delete pWnd;
        return;
    }
    pTabbed->SelectPane(pPane, bActivate, FALSE);
    Invalidate(FALSE);
    CWnd* pSite = pManager->m_pSite;
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL && pSite->IsFrameWnd())
        static_cast<CFrameWnd*>(pSite)->RecalcLayout(TRUE);
    m_pCurrentWnd = pWnd;
}

void CVZPDockingPaneAutoHidePanel::CloseAutoHideWindow(BOOL bDeferred)
{
    CVZPDockingPaneAutoHideWnd* pWnd = m_pCurrentWnd;
    if (pWnd == NULL)
        return;
    CVZPDockingPaneManager* pManager = GetManager();
    CVZPDockingPaneTabbedContainer* pContainer = pWnd->m_pContainer;
    if (pContainer != NULL && pManager != NULL)
    {
        CVZPDockingPane* pPane = pContainer->GetSelected();
        if (pManager->SendPaneAction(actionCollapsing, pPane))
            return;
        pManager->SendPaneAction(actionCollapsed, pPane);
        if (bDeferred)
        {
            if (pContainer->GetSafeHwnd() != NULL)
                pContainer->ShowWindow(SW_HIDE);
            pContainer->SetHostWindow(pManager->m_pSite);
            // The closing window needs neither the container nor this panel.
            pWnd->Detach();
            if (pWnd->GetSafeHwnd() != NULL)
                pWnd->SetTimer(CVZPDockingPaneAutoHideWnd::TimerClose, 50, NULL);
        }
        else
        {
            pWnd->CloseNow();
        }
    }
    m_pCurrentWnd = NULL;
}

void CVZPDockingPaneAutoHidePanel::RemoveChild(CVZPDockingPaneBase* pChild)
{
    POSITION pos = m_lstHidden.Find(pChild);
    if (pos == NULL)
        return;
    if (m_pCurrentWnd != NULL && m_pCurrentWnd->m_pContainer == pChild)
        CloseAutoHideWindow(FALSE);
    m_lstHidden.RemoveAt(pos);
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
    VZPDelayFrameLayout(m_pHostWnd);
    if (m_lstHidden.IsEmpty() && GetSafeHwnd() != NULL)
        DestroyWindow();
    pChild->m_pParentContainer = NULL;
}

BOOL CVZPDockingPaneAutoHidePanel::IsEmpty()
{
    for (POSITION pos = m_lstHidden.GetHeadPosition(); pos != NULL;)
    {
        if (!m_lstHidden.GetNext(pos)->IsEmpty())
            return FALSE;
    }
    return TRUE;
}

void CVZPDockingPaneAutoHidePanel::OnChildChanged(CVZPDockingPaneBase* /*pChild*/)
{
    CVZPDockingPaneManager* pManager = GetManager();
    CloseAutoHideWindow(pManager != NULL && pManager->m_bAttaching);
}

void CVZPDockingPaneAutoHidePanel::OnLayoutChanged(BOOL /*bReposition*/)
{
    if (GetSafeHwnd() == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CClientDC dc(this);
    RebuildGroups(&dc, rcClient);
    Invalidate(FALSE);
}

CVZPDockingPaneBase* CVZPDockingPaneAutoHidePanel::Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap,
                                                         DWORD dwIgnoredOptions)
{
    CVZPDockingPaneManager* pManager = GetManager();
    CVZPDockingPaneBase* pBase =
        pManager != NULL ? pManager->CreatePaneObject(vzpPaneTypeAutoHidePanel, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    CVZPDockingPaneAutoHidePanel* pClone = static_cast<CVZPDockingPaneAutoHidePanel*>(pBase);
    pClone->m_nSide = m_nSide;
    pClone->m_pHostWnd = pManager->m_pSite;
    CVZPDockingPaneBaseList lstHidden;
    lstHidden.AddTail(&m_lstHidden);
    for (POSITION pos = lstHidden.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pContainer = lstHidden.GetNext(pos);
        if (pMap == NULL && pContainer->IsEmpty())
            continue;
        CVZPDockingPaneBase* pCopy = pContainer->Clone(pLayout, pMap, dwIgnoredOptions);
        if (pCopy != NULL)
            pClone->AddContainer(pCopy);
    }
    if (pMap != NULL)
        pMap->SetAt(static_cast<CVZPDockingPaneBase*>(this), pBase);
    return pBase;
}

BOOL CVZPDockingPaneAutoHidePanel::ExchangeProperties(CVZPPropExchange* pPX)
{
    CVZPDockingPaneBase::ExchangeProperties(pPX);
    PropExchangeIntNoDefault(pPX, L"Direction", &m_nSide);
    if (!pPX->IsLoading())
    {
        int nCount = int(m_lstHidden.GetCount());
        PropExchangeIntNoDefault(pPX, L"Panes", &nCount);
        int i = 1;
        for (POSITION pos = m_lstHidden.GetHeadPosition(); pos != NULL; i++)
            SaveChildIndex(pPX, i, m_lstHidden.GetNext(pos)->m_nSaveIndex);
        return TRUE;
    }
    if (m_nSide < vzpPaneDockLeft || m_nSide > vzpPaneDockBottom)
        return FALSE;
    int nCount = 0;
    PropExchangeIntNoDefault(pPX, L"Panes", &nCount);
    for (int i = 1; i <= nCount; i++)
    {
        CVZPDockingPaneBase* pChild = LoadChild(pPX, i);
        // Hidden containers are tabbed or splitter containers placed once.
        if (pChild == NULL || pChild->m_pParentContainer != NULL ||
            (pChild->GetType() != vzpPaneTypeTabbedContainer && pChild->GetType() != vzpPaneTypeSplitterContainer))
            return FALSE;
        m_lstHidden.AddTail(pChild);
        pChild->m_pParentContainer = this;
    }
    if (m_pLayout != NULL)
        m_pLayout->m_pAutoHidePanels[m_nSide] = this;
    return TRUE;
}

void CVZPDockingPaneAutoHidePanel::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZPDoubleBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    CVZPTabPaintManager* pTabs = AutoHideTabs(this);
    CVZPTabColorSet* pColors = pTabs != NULL ? pTabs->GetColorSet() : NULL;
    COLORREF clrFrom = pColors != NULL ? pColors->m_grcHeader.GetStartColor() : ::GetSysColor(COLOR_BTNFACE);
    COLORREF clrTo = pColors != NULL ? pColors->m_grcHeader.GetEndColor() : clrFrom;
    if (clrFrom == COLORREF(-1))
        clrFrom = clrTo;
    if (clrTo == COLORREF(-1))
        clrTo = clrFrom;
    if (clrFrom == clrTo)
    {
        dc.FillSolidRect(&rcClient, clrFrom);
    }
    else
    {
        CRect rcGradient = rcClient;
        rcGradient.right = rcGradient.left + std::max(rcClient.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
        if (m_nSide == vzpPaneDockRight && GetParent() != NULL)
        {
            GetParent()->GetWindowRect(&rcGradient);
            ScreenToClient(&rcGradient);
        }
        CVZPDrawTools::GradientFillClipped(&dc, &rcGradient, clrFrom, clrTo, TRUE, &rcClient);
    }
    if (pTabs != NULL)
    {
        for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
            pTabs->DrawTabStrip(m_arrGroups[i], &dc, m_arrGroups[i]->m_rcGroup);
    }
}

BOOL CVZPDockingPaneAutoHidePanel::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZPDockingPaneAutoHidePanel::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    CVZPDockingPane* pPane = GetPaneAt(point);
    // Between the groups and past the last tab there is no pane: nothing.
    if (pPane == NULL)
        return;
    if (m_pCurrentWnd != NULL && m_pCurrentWnd->m_pContainer != NULL &&
        m_pCurrentWnd->m_pContainer == pPane->GetParentContainer() && m_pCurrentWnd->m_pContainer->GetSelected() == pPane)
    {
        pPane->SetPaneFocus();
        return;
    }
    CloseAutoHideWindow(FALSE);
    ShowAutoHideWindow(pPane, TRUE);
}

void CVZPDockingPaneAutoHidePanel::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    CVZPDockingPane* pPane = GetPaneAt(point);
    CVZPDockingPaneManager* pManager = GetManager();
    if (pPane != NULL && pManager != NULL && pManager->m_pSite != NULL && pManager->m_pSite->GetSafeHwnd() != NULL)
        pManager->m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneRClick,
                                       LPARAM(static_cast<CVZPDockingPaneBase*>(pPane)));
}

void CVZPDockingPaneAutoHidePanel::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
        m_arrGroups[i]->PerformMouseMove(GetSafeHwnd(), point.x, point.y);
    if (point.x >= 0 && GetPaneAt(point) != NULL)
    {
        TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, GetSafeHwnd(), HOVER_DEFAULT };
        ::TrackMouseEvent(&tme);
    }
}

LRESULT CVZPDockingPaneAutoHidePanel::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

LRESULT CVZPDockingPaneAutoHidePanel::OnMouseHover(WPARAM /*wParam*/, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    CVZPDockingPane* pPane = GetPaneAt(point);
    if (pPane == NULL || !::IsTopParentActive(GetSafeHwnd()))
        return 0;
    const BOOL bShown = m_pCurrentWnd != NULL && m_pCurrentWnd->m_pContainer != NULL &&
                        m_pCurrentWnd->m_pContainer == pPane->GetParentContainer() &&
                        m_pCurrentWnd->m_pContainer->GetSelected() == pPane;
    if (bShown)
        return 0;
    CloseAutoHideWindow(FALSE);
    ShowAutoHideWindow(pPane, FALSE);
    return 0;
}

// --- auto-hide window ----------------------------------------------------------------

IMPLEMENT_DYNAMIC(CVZPDockingPaneAutoHideWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CVZPDockingPaneAutoHideWnd, CMiniFrameWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CVZPDockingPaneAutoHideWnd::CVZPDockingPaneAutoHideWnd(CVZPDockingPaneAutoHidePanel* pPanel,
                                                       CVZPDockingPaneTabbedContainer* pContainer)
    : m_pContainer(pContainer), m_pPanel(pPanel), m_nSide(pPanel->GetSide()), m_bVertical(FALSE), m_nStep(0),
      m_nSteps(1), m_bClosing(FALSE), m_rcFull(0, 0, 0, 0), m_nLeaveCountdown(6), m_bResizing(FALSE),
      m_szMin(0, 0), m_szMax(32000, 32000)
{
    m_bVertical = m_nSide == vzpPaneDockTop || m_nSide == vzpPaneDockBottom;
    CVZPDockingPaneManager* pManager = pPanel->GetManager();
    CWnd* pSite = pManager != NULL ? pManager->m_pSite : NULL;
    CVZPDockingPaneBase* pTop = pManager != NULL ? pManager->GetRootContainer() : NULL;
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL || pTop == NULL)
        return;
    CRect rc = pTop->GetScreenRect();

    MINMAXINFO mmi;
    CVZPDockingPane* pPane = pContainer->GetSelected();
    if (pPane != NULL)
        pPane->GetMinMaxInfo(&mmi);
    else
        pContainer->CVZPDockingPaneBase::GetMinMaxInfo(&mmi);
    pContainer->AddChromeToLimits(&mmi, FALSE);
    (m_bVertical ? mmi.ptMinTrackSize.y : mmi.ptMinTrackSize.x) += 4;
    (m_bVertical ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x) += 4;
    m_szMin = CSize(mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y);
    m_szMax = CSize(mmi.ptMaxTrackSize.x, mmi.ptMaxTrackSize.y);
    const int nDockCX = pPane != NULL ? pPane->m_nDockingCX : pContainer->m_nDockingCX;
    const int nDockCY = pPane != NULL ? pPane->m_nDockingCY : pContainer->m_nDockingCY;
    const int nWidth = std::max(int(m_szMin.cx), std::min(int(m_szMax.cx), nDockCX + 4));
    const int nHeight = std::max(int(m_szMin.cy), std::min(int(m_szMax.cy), nDockCY + 4));

    switch (pManager->MirrorSide(m_nSide))
    {
    case vzpPaneDockLeft:
        rc.right = rc.left + nWidth;
        break;
    case vzpPaneDockRight:
        rc.left = rc.right - nWidth;
        break;
    case vzpPaneDockTop:
        rc.bottom = rc.top + nHeight;
        break;
    default:
        rc.top = rc.bottom - nHeight;
        break;
    }
    pSite->ScreenToClient(&rc);
    m_rcFull = rc;

    int nMin = 0, nMax = 0;
    HCURSOR hCursor = NULL;
    if (!pManager->m_bLockSplitters && GetResizeLimits(&nMin, &nMax))
        hCursor = GetResourceLoader()->LoadCursor(m_bVertical ? VZP_IDC_SPLIT_VERT : VZP_IDC_SPLIT_HORZ);
    if (hCursor == NULL)
        hCursor = ::LoadCursor(NULL, IDC_ARROW);

    pSite->UpdateWindow();
    pSite->SendMessage(WM_SETREDRAW, FALSE);
    const DWORD dwExStyle = pManager->IsSiteMirrored() ? WS_EX_LAYOUTRTL : 0;
    const CString strClass = AfxRegisterWndClass(0, hCursor);
    const BOOL bCreated =
        CreateEx(dwExStyle, strClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, m_rcFull, pSite, 0);
    pSite->SendMessage(WM_SETREDRAW, TRUE);
    if (!bCreated)
        return;

    m_nSteps = std::max(1, int(SlideDuration / SlidePeriod));
    m_nStep = 0;
    m_bClosing = FALSE;
    if (m_nSteps > 1)
        SetTimer(TimerSlideOut, SlidePeriod, NULL);
    pContainer->SetHostWindow(this);
    SetStepPosition();
    if (pContainer->GetSafeHwnd() != NULL)
        pContainer->ShowWindow(SW_SHOW);
    RecalcLayout();
    SetTimer(TimerPoll, PollPeriod, NULL);
    m_nLeaveCountdown = 6;
}

void CVZPDockingPaneAutoHideWnd::Detach()
{
    m_pPanel = NULL;
    m_pContainer = NULL;
}

void CVZPDockingPaneAutoHideWnd::SetStepPosition()
{
    if (GetSafeHwnd() == NULL)
        return;
    const int nWidth = m_rcFull.Width(), nHeight = m_rcFull.Height();
    const int nSteps = std::max(1, m_nSteps);
    CRect rc = m_rcFull;
    switch (m_nSide)
    {
    case vzpPaneDockLeft:
        rc.right = rc.left + nWidth * (m_nStep + 1) / nSteps;
        break;
    case vzpPaneDockRight:
        rc.left = rc.right - nWidth * (m_nStep + 1) / nSteps;
        break;
    case vzpPaneDockTop:
        rc.bottom = rc.top + nHeight * (m_nStep + 1) / nSteps;
        break;
    default:
        rc.top = rc.bottom - nHeight * (m_nStep + 1) / nSteps;
        break;
    }
    SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW);
    Invalidate(FALSE);
}

void CVZPDockingPaneAutoHideWnd::RecalcLayout(BOOL /*bNotify*/)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (m_pContainer == NULL || m_pContainer->GetSafeHwnd() == NULL || GetSafeHwnd() == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nWidth = m_rcFull.Width(), nHeight = m_rcFull.Height();
    CRect rc;
    switch (m_nSide)
    {
    case vzpPaneDockLeft:
        rc.SetRect(rcClient.right - nWidth, 0, rcClient.right - 4, nHeight);
        break;
    case vzpPaneDockRight:
        rc.SetRect(4, 0, nWidth, nHeight);
        break;
    case vzpPaneDockTop:
        rc.SetRect(0, rcClient.bottom - nHeight, nWidth, rcClient.bottom - 4);
        break;
    default:
        rc.SetRect(0, 4, nWidth, nHeight);
        break;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(8);
    layout.rect = rc;
    m_pContainer->PlaceInFrame(this, rc, &layout);
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

void CVZPDockingPaneAutoHideWnd::CloseNow()
{
    if (GetSafeHwnd() == NULL)
        return;
    KillTimer(TimerPoll);
    KillTimer(TimerSlideOut);
    KillTimer(TimerSlideIn);
    ShowWindow(SW_HIDE);
    if (m_pContainer != NULL && m_pContainer->GetSafeHwnd() != NULL &&
        ::GetParent(m_pContainer->GetSafeHwnd()) == GetSafeHwnd())
    {
        m_pContainer->ShowWindow(SW_HIDE);
        m_pContainer->SetHostWindow(GetParent());
    }
    m_pContainer = NULL;
    if (m_pPanel != NULL && m_pPanel->m_pCurrentWnd == this)
        m_pPanel->m_pCurrentWnd = NULL;
    PostMessage(WM_CLOSE);
}

void CVZPDockingPaneAutoHideWnd::PostNcDestroy()
{
    if (m_pPanel != NULL && m_pPanel->m_pCurrentWnd == this)
        m_pPanel->m_pCurrentWnd = NULL;
    delete this;
}

BOOL CVZPDockingPaneAutoHideWnd::IsInUse()
{
    if (m_pContainer != NULL && IsFocusIn(m_pContainer))
        return TRUE;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    if (rc.PtInRect(pt))
        return TRUE;
    if (m_pPanel != NULL && m_pPanel->GetSafeHwnd() != NULL)
    {
        m_pPanel->GetWindowRect(&rc);
        if (rc.PtInRect(pt))
            return TRUE;
    }
    return FALSE;
}

void CVZPDockingPaneAutoHideWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (GetSafeHwnd() == NULL)
        return;
    CVZPDockingPaneManager* pManager = m_pPanel != NULL ? m_pPanel->GetManager() : NULL;
    CVZPDockingPane* pPane = m_pContainer != NULL ? m_pContainer->GetSelected() : NULL;
    switch (nIDEvent)
    {
    case TimerPoll:
        if (m_bResizing)
            return;
        if (m_pContainer == NULL || pManager == NULL)
        {
            // Detached: nothing is left to show.
            CloseNow();
            return;
        }
        if (IsInUse())
        {
            m_nLeaveCountdown = 6;
            if (m_bClosing)
            {
                m_bClosing = FALSE;
                KillTimer(TimerSlideIn);
                SetTimer(TimerSlideOut, SlidePeriod, NULL);
            }
            return;
        }
        if (m_bClosing || --m_nLeaveCountdown > 0)
            return;
        if (pManager->SendPaneAction(actionCollapsing, pPane))
        {
            m_nLeaveCountdown = 6;
            return;
        }
        m_bClosing = TRUE;
        SetTimer(TimerSlideIn, SlidePeriod, NULL);
        return;
    case TimerSlideOut:
        if (m_bClosing)
            return;
        if (++m_nStep < m_nSteps)
        {
            SetStepPosition();
            return;
        }
        m_nStep = m_nSteps - 1;
        KillTimer(TimerSlideOut);
        if (pManager != NULL)
            pManager->SendPaneAction(actionExpanded, pPane);
        return;
    case TimerSlideIn:
        if (!m_bClosing)
            return;
        if (--m_nStep < 0)
        {
            m_bClosing = FALSE;
            KillTimer(TimerSlideIn);
            if (pManager != NULL)
                pManager->SendPaneAction(actionCollapsed, pPane);
            CloseNow();
            return;
        }
        SetStepPosition();
        return;
    case TimerClose:
        KillTimer(TimerClose);
        CloseNow();
        return;
    default:
        CMiniFrameWnd::OnTimer(nIDEvent);
        return;
    }
}

void CVZPDockingPaneAutoHideWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bClosing)
        OnTimer(TimerPoll);
    CMiniFrameWnd::OnMouseMove(nFlags, point);
}

BOOL CVZPDockingPaneAutoHideWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZPDockingPaneAutoHideWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CVZPDockingPanePaintManager* pPaint = m_pPanel != NULL ? m_pPanel->GetDockingPaintManager() : NULL;
    if (pPaint == NULL)
    {
        dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    dc.FillSolidRect(&rc, pPaint->GetColor(51));
    switch (m_nSide)
    {
    case vzpPaneDockLeft:
        dc.Draw3dRect(rc.right - 1, rc.top, 1, rc.Height(), pPaint->GetColor(18), pPaint->GetColor(18));
        dc.Draw3dRect(rc.right - 2, rc.top, 1, rc.Height(), pPaint->GetColor(16), pPaint->GetColor(16));
        break;
    case vzpPaneDockRight:
        dc.Draw3dRect(rc.left + 1, rc.top, 1, rc.Height(), pPaint->GetColor(20), pPaint->GetColor(20));
        break;
    case vzpPaneDockTop:
        dc.Draw3dRect(rc.left, rc.bottom - 1, rc.Width(), 1, pPaint->GetColor(18), pPaint->GetColor(18));
        dc.Draw3dRect(rc.left, rc.bottom - 2, rc.Width(), 1, pPaint->GetColor(16), pPaint->GetColor(16));
        break;
    default:
        dc.Draw3dRect(rc.left, rc.top + 1, rc.Width(), 1, pPaint->GetColor(20), pPaint->GetColor(20));
        break;
    }
}

BOOL CVZPDockingPaneAutoHideWnd::GetResizeLimits(int* pnMin, int* pnMax)
{
    CVZPDockingPaneManager* pManager = m_pPanel != NULL ? m_pPanel->GetManager() : NULL;
    CVZPDockingPaneBase* pTop = pManager != NULL ? pManager->GetRootContainer() : NULL;
    if (pTop == NULL)
        return FALSE;
    const CRect R = pTop->GetScreenRect();
    const int nMargin = pManager->m_nSplitterMinimum + 4;
    // The resize edge counts only on the sides 1 and 3.
    const int nEdge = (m_nSide == vzpPaneDockRight || m_nSide == vzpPaneDockBottom) ? 0 : 4;
    const int nMinLength = (m_bVertical ? m_szMin.cy : m_szMin.cx) - nEdge;
    const int nMaxLength = (m_bVertical ? m_szMax.cy : m_szMax.cx) - nEdge;
    switch (m_nSide)
    {
    case vzpPaneDockLeft:
        *pnMin = R.left + std::max(nMinLength, nMargin);
        *pnMax = std::min(R.right - nMargin, R.left + nMaxLength);
        break;
    case vzpPaneDockRight:
        *pnMin = std::max(R.left + nMargin, R.right - nMaxLength);
        *pnMax = R.right - std::max(nMinLength, nMargin);
        break;
    case vzpPaneDockTop:
        *pnMin = R.top + std::max(nMinLength, nMargin);
        *pnMax = std::min(R.bottom - nMargin, R.top + nMaxLength);
        break;
    default:
        *pnMin = std::max(R.top + nMargin, R.bottom - nMaxLength);
        *pnMax = R.bottom - std::max(nMinLength, nMargin);
        break;
    }
    return *pnMin <= *pnMax;
}

void CVZPDockingPaneAutoHideWnd::ApplyEdgePosition(int nPos)
{
    CWnd* pSite = GetParent();
    if (pSite == NULL || GetSafeHwnd() == NULL)
        return;
    CRect rc;
    GetWindowRect(&rc);
    switch (m_nSide)
    {
    case vzpPaneDockLeft:
        rc.right = nPos;
        break;
    case vzpPaneDockRight:
        rc.left = nPos;
        break;
    case vzpPaneDockTop:
        rc.bottom = nPos;
        break;
    default:
        rc.top = nPos;
        break;
    }
    pSite->ScreenToClient(&rc);
    m_rcFull = rc;
    MoveWindow(&rc, TRUE);
    Invalidate(FALSE);
    CVZPDockingPane* pPane = m_pContainer != NULL ? m_pContainer->GetSelected() : NULL;
    if (pPane != NULL)
    {
        // The docking size leaves the resize edge out, as the window adds it.
        if (m_bVertical)
            pPane->m_nDockingCY = rc.Height() - 4;
        else
            pPane->m_nDockingCX = rc.Width() - 4;
    }
}

void CVZPDockingPaneAutoHideWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    CVZPDockingPaneManager* pManager = m_pPanel != NULL ? m_pPanel->GetManager() : NULL;
    if (pManager == NULL || m_pContainer == NULL || pManager->m_bLockSplitters)
        return;
    int nMin = 0, nMax = 0;
    if (!GetResizeLimits(&nMin, &nMax))
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    m_bResizing = TRUE;
    if (pManager->m_bOutlineSplitterDrag)
    {
        // The edge strip as the tracker's bar; positions are the window's
        // inner edge.
        CRect rcBar = rcWindow;
        int nShift = 0;
        switch (m_nSide)
        {
        case vzpPaneDockLeft:
            rcBar.left = rcBar.right - 4;
            nShift = 4;
            break;
        case vzpPaneDockRight:
            rcBar.right = rcBar.left + 4;
            break;
        case vzpPaneDockTop:
            rcBar.top = rcBar.bottom - 4;
            nShift = 4;
            break;
        default:
            rcBar.bottom = rcBar.top + 4;
            break;
        }
        const CRect rcBounds = m_bVertical ? CRect(rcBar.left, nMin - nShift, rcBar.left, nMax - nShift)
                                           : CRect(nMin - nShift, rcBar.top, nMax - nShift, rcBar.top);
        const CPoint ptStart = (GetExStyle() & WS_EX_LAYOUTRTL) ? rcWindow.TopLeft() : ptScreen;
        CVZPResizeTracker tracker(FALSE);
        if (tracker.Track(this, rcBounds, rcBar, ptStart, !m_bVertical))
            ApplyEdgePosition((m_bVertical ? rcBar.top : rcBar.left) + nShift);
    }
    else
    {
        TrackLive(ptScreen, nMin, nMax);
    }
    m_bResizing = FALSE;
}

void CVZPDockingPaneAutoHideWnd::TrackLive(CPoint ptStart, int nMin, int nMax)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    int nEdge = 0;
    switch (m_nSide)
    {
    case vzpPaneDockLeft:
        nEdge = rcWindow.right;
        break;
    case vzpPaneDockRight:
        nEdge = rcWindow.left;
        break;
    case vzpPaneDockTop:
        nEdge = rcWindow.bottom;
        break;
    default:
        nEdge = rcWindow.top;
        break;
    }
    const int nOffset = nEdge - (m_bVertical ? ptStart.y : ptStart.x);
    HWND hWnd = GetSafeHwnd();
    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        BOOL bQuit = FALSE;
        for (int nPaints = 0; nPaints < 100 && (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT); nPaints++)
        {
            if (!::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
                break;
            if (msg.message == WM_QUIT)
            {
                bQuit = TRUE;
                break;
            }
            ::DispatchMessageW(&msg);
        }
        const BOOL bGot = bQuit ? 0 : ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0)
        {
            // The program is asked to end: the request goes back to the
            // loop that owns it, and the size reached stays.
            AfxPostQuitMessage(int(msg.wParam));
            break;
        }
        if (bGot == -1)
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt = msg.pt;
            int nPos = (m_bVertical ? pt.y : pt.x) + nOffset;
            nPos = std::max(nMin, std::min(nPos, nMax));
            if (nPos != nEdge)
            {
                nEdge = nPos;
                ApplyEdgePosition(nPos);
            }
        }
        else if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
        {
            break;
        }
        else
        {
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}
