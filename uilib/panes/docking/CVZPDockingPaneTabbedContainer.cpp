#include "CVZPDockingPaneTabbedContainer.h"

#include <windowsx.h>
#undef IsMaximized  // windowsx.h maps it to IsZoomed

#include <algorithm>

#include "CVZPDockingPane.h"
#include "CVZPDockingPaneDragContext.h"
#include "CVZPDockingPaneMiniWnd.h"
#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPPropExchange.h"
#include "CVZPResourceLoader.h"
#include "CVZPTooltipService.h"

IMPLEMENT_DYNAMIC(CVZPDockingPaneTabbedContainer, CWnd)

BEGIN_MESSAGE_MAP(CVZPDockingPaneTabbedContainer, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

// --- drop target ------------------------------------------------------------

DROPEFFECT CVZPDockingPaneTabbedContainerDropTarget::OnDragEnter(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/,
                                                                 DWORD /*dwKeyState*/, CPoint point)
{
    SelectTabAt(point);
    return DROPEFFECT_NONE;
}

DROPEFFECT CVZPDockingPaneTabbedContainerDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/,
                                                                DWORD /*dwKeyState*/, CPoint point)
{
    SelectTabAt(point);
    return DROPEFFECT_NONE;
}

void CVZPDockingPaneTabbedContainerDropTarget::SelectTabAt(CPoint point)
{
    CVZPTabPaintManager* pTabs = m_pContainer->GetPaintManager();
    if (pTabs == NULL || !pTabs->m_bSelectOnDragOver || !m_pContainer->IsTabStripShown())
        return;
    CVZPTabManagerItem* pItem = m_pContainer->CVZPTabManager::HitTest(point.x, point.y);
    CVZPDockingPane* pPane = pItem != NULL ? static_cast<CVZPDockingPane*>(pItem->m_pData) : NULL;
    if (pPane != NULL && pPane != m_pContainer->GetSelected())
        m_pContainer->SelectPane(pPane, FALSE, TRUE);
}

// --- container ----------------------------------------------------------------

CVZPDockingPaneTabbedContainer::CVZPDockingPaneTabbedContainer(CVZPDockingPaneLayout* pLayout)
    : CVZPDockingPaneBase(vzpPaneTypeTabbedContainer, pLayout), m_bMaximized(FALSE), m_bActive(FALSE),
      m_bCaptionShown(TRUE), m_nLockUpdate(0), m_pSelectedPane(NULL), m_pDraggedTab(NULL), m_pDropTarget(NULL)
{
    static const int s_nButtons[] = { VZP_IDS_DOCKINGPANE_CLOSE, VZP_IDS_DOCKINGPANE_MAXIMIZE,
                                      VZP_IDS_DOCKINGPANE_RESTORE, VZP_IDS_DOCKINGPANE_AUTOHIDE,
                                      VZP_IDS_DOCKINGPANE_MENU };
    for (int nID : s_nButtons)
        m_arrCaptionButtons.Add(new CVZPDockingPaneCaptionButton(this, nID));
    m_pDropTarget = new CVZPDockingPaneTabbedContainerDropTarget(this);
}

CVZPDockingPaneTabbedContainer::~CVZPDockingPaneTabbedContainer()
{
    // The window goes first: its destruction revokes the drop target.
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
    delete m_pDropTarget;
    m_pDropTarget = NULL;
    m_nLockUpdate++;
    DeleteAllItems();
}

BOOL CVZPDockingPaneTabbedContainer::CreateContainerWindow()
{
    if (GetSafeHwnd() != NULL)
        return TRUE;
    CWnd* pHost = m_pHostWnd;
    if (pHost == NULL || pHost->GetSafeHwnd() == NULL)
        return FALSE;
    CString strClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(0, strClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                  pHost, 0))
        return FALSE;
    if (m_pDropTarget != NULL)
        m_pDropTarget->Register(this);
    // Windows of panes attached while the layout was not in use move in now.
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = m_lstPanes.GetNext(pos);
        if (pPane->m_hwndChild != NULL)
            ::SetParent(pPane->m_hwndChild, GetSafeHwnd());
    }
    return TRUE;
}

void CVZPDockingPaneTabbedContainer::RecalcHostLayout()
{
    if (m_pHostWnd == NULL || m_pHostWnd->GetSafeHwnd() == NULL)
        return;
    CFrameWnd* pFrame =
        m_pHostWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(m_pHostWnd) : m_pHostWnd->GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout(TRUE);
}

void CVZPDockingPaneTabbedContainer::AttachPane(CVZPDockingPane* pPane, BOOL bActivate)
{
    if (GetSafeHwnd() == NULL && m_pLayout != NULL && !m_pLayout->IsDetached())
        CreateContainerWindow();
    m_lstPanes.AddTail(pPane);
    pPane->SetParentContainer(this);
    pPane->SetHostWindow(m_pHostWnd);
    VZPDelayFrameLayout(m_pHostWnd);
    SelectPane(pPane, bActivate, TRUE);
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildChanged(this);
}

void CVZPDockingPaneTabbedContainer::WrapPane(CVZPDockingPane* pPane, CWnd* pHost)
{
    m_pHostWnd = pHost;
    m_nDockingCX = pPane->m_nDockingCX;
    m_nDockingCY = pPane->m_nDockingCY;
    m_rcPane = pPane->GetPaneRect();
    AttachPane(pPane, TRUE);
    SelectPane(pPane, TRUE, TRUE);
}

void CVZPDockingPaneTabbedContainer::RemoveChild(CVZPDockingPaneBase* pChild)
{
    if (pChild->GetType() != vzpPaneTypeDockingPane)
        return;
    CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(pChild);
    POSITION pos = m_lstPanes.Find(pPane);
    if (pos == NULL)
        return;
    m_lstPanes.RemoveAt(pos);
    RebuildTabs();
    pPane->SetParentContainer(NULL);
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildChanged(this);
    if (m_lstPanes.IsEmpty() && GetSafeHwnd() != NULL)
        DestroyWindow();
    VZPDelayFrameLayout(m_pHostWnd);
    if (pPane == m_pSelectedPane)
        SelectPane(m_lstPanes.IsEmpty() ? NULL : m_lstPanes.GetTail(), TRUE, TRUE);
}

void CVZPDockingPaneTabbedContainer::SelectPane(CVZPDockingPane* pPane, BOOL bActivate, BOOL bNotify)
{
    if (pPane != m_pSelectedPane)
    {
        m_pSelectedPane = pPane;
        if (bNotify)
        {
            VZPDelayFrameLayout(m_pHostWnd);
            if (m_pParentContainer != NULL)
                m_pParentContainer->OnChildChanged(this);
        }
        else
        {
            OnLayoutChanged(TRUE);
        }
    }
    if (!bActivate)
        return;
    CVZPDockingPaneManager* pManager = GetManager();
    if (m_bActive && pManager != NULL)
        pManager->SetPaneActive(TRUE, m_pSelectedPane);
    if (pPane != NULL)
        pPane->SetPaneFocus();
}

void CVZPDockingPaneTabbedContainer::RebuildTabs()
{
    if (GetSafeHwnd() == NULL)
        return;
    m_nLockUpdate++;
    DeleteAllItems();
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = m_lstPanes.GetNext(pos);
        CVZPTabManagerItem* pItem = InsertItem(-1);
        pItem->m_pData = pPane;
        pItem->m_strCaption = pPane->GetTabCaption();
        pItem->m_clrItem = pPane->GetTabColor();
        pItem->m_strTooltip = pPane->GetTitle();
        if (pPane == m_pSelectedPane)
            SetSelectedItem(pItem);
    }
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
        m_arrCaptionButtons[i]->OnMouseMove(-1, -1);
    m_nLockUpdate--;
}

CRect CVZPDockingPaneTabbedContainer::ComputeClientRect(BOOL bApply)
{
    CRect rcClient = m_rcPane;
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (pPaint != NULL)
        pPaint->AdjustClientRect(this, &rcClient, bApply);
    return rcClient;
}

void CVZPDockingPaneTabbedContainer::ShowAndPlacePanes(CRect rcClient, AFX_SIZEPARENTPARAMS* pParams)
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = m_lstPanes.GetNext(pos);
        pPane->ShowPaneWindow(pPane == m_pSelectedPane);
        pPane->PlaceInFrame(m_pHostWnd, rcClient, pParams);
    }
}

void CVZPDockingPaneTabbedContainer::PlaceInFrame(CWnd* pParent, CRect rc, AFX_SIZEPARENTPARAMS* pParams)
{
    m_pHostWnd = pParent;
    m_rcPane = rc;
    if (pParams != NULL && pParams->hDWP == NULL)
        return;
    if (GetSafeHwnd() != NULL)
    {
        SetWindowPos(&CWnd::wndBottom, rc.left, rc.top, rc.Width(), rc.Height(), 0);
        Invalidate(FALSE);
    }
    m_nLockUpdate++;
    RebuildTabs();
    m_nLockUpdate--;

    CVZPDockingPaneCaptionButton* pAutoHide = FindCaptionButton(VZP_IDS_DOCKINGPANE_AUTOHIDE);
    if (pAutoHide != NULL)
    {
        pAutoHide->m_dwGlyphState = IsAutoHidden() ? 3 : (VZPIsWindowOfClass(m_pHostWnd, "CVZPDockingPaneMiniWnd") ? 0 : 1);
    }
    ShowAndPlacePanes(ComputeClientRect(TRUE), pParams);
}

void CVZPDockingPaneTabbedContainer::OnLayoutChanged(BOOL bReposition)
{
    if (GetSafeHwnd() == NULL || m_pParentContainer == NULL || m_nLockUpdate > 0)
        return;
    m_nLockUpdate++;
    RebuildTabs();
    CRect rcClient = ComputeClientRect(TRUE);
    if (bReposition)
        ShowAndPlacePanes(rcClient, NULL);
    m_nLockUpdate--;
    Invalidate(FALSE);
    m_pParentContainer->OnLayoutChanged(bReposition);
}

void CVZPDockingPaneTabbedContainer::AddChromeToLimits(MINMAXINFO* pInfo, BOOL bFull)
{
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (pPaint == NULL)
        return;
    CRect rc(0, 0, 1000, 1000);
    if (bFull)
        pPaint->AdjustClientRect(this, &rc, FALSE);
    else
        pPaint->AdjustCaptionRect(this, &rc);
    const int cx = 1000 - rc.Width(), cy = 1000 - rc.Height();
    pInfo->ptMinTrackSize.x += cx;
    pInfo->ptMinTrackSize.y += cy;
    pInfo->ptMaxTrackSize.x += cx;
    pInfo->ptMaxTrackSize.y += cy;
}

void CVZPDockingPaneTabbedContainer::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    CVZPDockingPaneBase::GetMinMaxInfo(pInfo);
    if (IsEmpty())
        return;
    if (IsOtherMaximized())
    {
        // Only the chrome is left along the splitter's direction.
        CVZPDockingPaneSplitterContainer* pSplitter = static_cast<CVZPDockingPaneSplitterContainer*>(m_pParentContainer);
        (pSplitter->IsHorizontal() ? pInfo->ptMaxTrackSize.x : pInfo->ptMaxTrackSize.y) = 0;
    }
    else
    {
        BOOL bFirst = TRUE;
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
        {
            MINMAXINFO mmi;
            m_lstPanes.GetNext(pos)->GetMinMaxInfo(&mmi);
            if (bFirst)
            {
                pInfo->ptMinTrackSize = mmi.ptMinTrackSize;
                pInfo->ptMaxTrackSize = mmi.ptMaxTrackSize;
                bFirst = FALSE;
                continue;
            }
            pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
            pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        }
    }
    AddChromeToLimits(pInfo, TRUE);
}

BOOL CVZPDockingPaneTabbedContainer::IsCaptionVertical()
{
    CVZPDockingPaneManager* pManager = GetManager();
    switch (pManager != NULL ? pManager->m_nVerticalCaptionMode : 0)
    {
    case 1:
        return TRUE;
    case 2:
    {
        const int nSide = pManager->GetPaneSide(this);
        return nSide == vzpPaneDockTop || nSide == vzpPaneDockBottom;
    }
    case 3:
        return m_rcPane.Width() > m_rcPane.Height();
    default:
        return FALSE;
    }
}

BOOL CVZPDockingPaneTabbedContainer::IsTabStripShown()
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    if (VZPIsWindowOfClass(GetParent(), "CVZPDockingPaneAutoHideWnd"))
        return FALSE;
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (GetItemCount() <= 1 && (pPaint == NULL || !pPaint->m_bShowTabsForOnePane))
        return FALSE;
    return TRUE;
}

void CVZPDockingPaneTabbedContainer::SetCaptionShown(BOOL bShown)
{
    m_bCaptionShown = bShown;
    VZPDelayFrameLayout(m_pHostWnd);
}

BOOL CVZPDockingPaneTabbedContainer::HasCaption() const
{
    return m_bCaptionShown && m_pSelectedPane != NULL && !(m_pSelectedPane->GetEffectiveOptions() & vzpPaneNoCaption);
}

CString CVZPDockingPaneTabbedContainer::GetCaptionText() const
{
    return m_pSelectedPane != NULL ? m_pSelectedPane->GetTitle() : CString();
}

CRect CVZPDockingPaneTabbedContainer::GetCaptionRect()
{
    CRect rcClient(0, 0, 0, 0);
    if (GetSafeHwnd() == NULL || !HasCaption())
        return rcClient;
    GetClientRect(&rcClient);
    CRect rcRest = rcClient;
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (pPaint != NULL)
        pPaint->AdjustCaptionRect(this, &rcRest);
    if (IsCaptionVertical())
        rcClient.right = rcRest.left;
    else
        rcClient.bottom = rcRest.top;
    return rcClient;
}

int CVZPDockingPaneTabbedContainer::HitTest(CPoint pt)
{
    if (HasCaption() && GetCaptionRect().PtInRect(pt))
        return -2;
    if (IsTabStripShown())
    {
        CVZPTabManagerItem* pItem = CVZPTabManager::HitTest(pt.x, pt.y);
        if (pItem != NULL)
            return pItem->GetIndex();
    }
    return -1;
}

CVZPDockingPane* CVZPDockingPaneTabbedContainer::GetPaneAt(int nTab) const
{
    CVZPTabManagerItem* pItem = GetItem(nTab);
    return pItem != NULL ? static_cast<CVZPDockingPane*>(pItem->m_pData) : NULL;
}

BOOL CVZPDockingPaneTabbedContainer::IsPointInHeader(CRect rc, CPoint pt)
{
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (pPaint == NULL)
        return FALSE;
    const BOOL bVertical = IsCaptionVertical();
    CRect rcStrip = rc;
    if (HasCaption())
    {
        if (bVertical)
            rcStrip.right = rcStrip.left + pPaint->GetCaptionHeight() + 3;
        else
            rcStrip.bottom = rcStrip.top + pPaint->GetCaptionHeight() + 3;
    }
    else
    {
        CRect rcHost(0, 0, 0, 0);
        if (m_pHostWnd != NULL && m_pHostWnd->GetSafeHwnd() != NULL)
            m_pHostWnd->GetWindowRect(&rcHost);
        if (bVertical)
            rcStrip.SetRect(rcHost.left, rc.top, rc.left, rc.bottom);
        else
            rcStrip.SetRect(rc.left, rcHost.top, rc.right, rc.top);
    }
    if (rcStrip.PtInRect(pt))
        return TRUE;
    if (IsTabStripShown())
    {
        CRect rcTabs(rc.left, rc.bottom - pPaint->GetTabStripHeight(), rc.right, rc.bottom);
        if (rcTabs.PtInRect(pt))
            return TRUE;
    }
    return FALSE;
}

void CVZPDockingPaneTabbedContainer::OnIdleUpdate()
{
    if (GetSafeHwnd() == NULL)
        return;
    HWND hFocus = ::GetFocus();
    BOOL bActive = FALSE;
    if (hFocus != NULL)
    {
        HWND hOwner = ::GetWindow(hFocus, GW_OWNER);
        if (hOwner == NULL)
            hOwner = ::GetParent(hFocus);
        bActive = hFocus == GetSafeHwnd() || ::IsChild(GetSafeHwnd(), hFocus) ||
                  (hOwner != NULL && ::IsChild(GetSafeHwnd(), hOwner));
    }
    CVZPDockingPaneManager* pManager = GetManager();
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        if (pManager != NULL)
            pManager->SetPaneActive(bActive, m_pSelectedPane);
        Invalidate(FALSE);
    }
    else if (bActive && pManager != NULL && pManager->m_pActivePane != m_pSelectedPane)
    {
        pManager->SetPaneActive(TRUE, m_pSelectedPane);
    }
    if (m_pSelectedPane != NULL && m_pSelectedPane->m_hwndChild != NULL)
        ::SendMessageW(m_pSelectedPane->m_hwndChild, WM_IDLEUPDATECMDUI, 0, 0);
}

void CVZPDockingPaneTabbedContainer::FocusAndUpdate()
{
    if (m_pSelectedPane != NULL && m_pSelectedPane->m_hwndChild != NULL)
        m_pSelectedPane->SetPaneFocus();
    else
        SetFocus();
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL)
        pManager->UpdatePanesIdle();
}

CVZPDockingPaneCaptionButton* CVZPDockingPaneTabbedContainer::CaptionButtonAt(CPoint pt)
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
    {
        CVZPDockingPaneCaptionButton* pButton = m_arrCaptionButtons[i];
        if (pButton->IsVisible() && pButton->m_rc.PtInRect(pt))
            return pButton;
    }
    return NULL;
}

BOOL CVZPDockingPaneTabbedContainer::IsMouseOnNavigateButton(CPoint pt)
{
    if (!IsTabStripShown())
        return FALSE;
    for (int i = 0; i < GetNavigateButtonCount(); i++)
    {
        CVZPTabManagerNavigateButton* pButton = GetNavigateButton(i);
        if (pButton->m_rcButton.PtInRect(pt))
            return TRUE;
    }
    return FALSE;
}

void CVZPDockingPaneTabbedContainer::OnLButtonDown(UINT nFlags, CPoint point)
{
    CVZPDockingPaneCaptionButton* pButton = CaptionButtonAt(point);
    if (pButton != NULL)
    {
        FocusAndUpdate();
        CVZPDockingPaneManager* pManager = GetManager();
        if (pButton->m_nID == VZP_IDS_DOCKINGPANE_MENU)
        {
            if (m_pSelectedPane == NULL || pManager == NULL || pManager->m_pSite == NULL)
                return;
            CRect rcButton = pButton->m_rc;
            ClientToScreen(&rcButton);
            VZPDockingPaneMenuRecord record = { m_pSelectedPane, rcButton.left, rcButton.bottom, rcButton };
            pButton->m_bPressed = TRUE;
            pButton->Redraw();
            pManager->m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneMenu, LPARAM(&record));
            pButton->m_bPressed = FALSE;
            pButton->Redraw();
            return;
        }
        if (pButton->Click(this, point.x, point.y, TRUE) && m_pSelectedPane != NULL)
            OnCaptionButtonClick(pButton);
        return;
    }
    if (IsTabStripShown() && PerformClick(GetSafeHwnd(), point.x, point.y, TRUE))
        return;
    const int nHit = HitTest(point);
    if (nHit == -2)
    {
        if (IsAutoHidden())
        {
            FocusAndUpdate();
            return;
        }
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        OnCaptionMouseDown(ptScreen);
        return;
    }
    if (nHit >= 0)
    {
        m_arrTabRects.RemoveAll();
        for (int i = 0; i < GetItemCount(); i++)
            m_arrTabRects.Add(GetItem(i)->m_rcItem);
        m_pDraggedTab = GetPaneAt(nHit);
        SelectPane(m_pDraggedTab, TRUE, FALSE);
        PerformMouseMove(GetSafeHwnd(), point.x, point.y);
        SetCapture();
        Invalidate(FALSE);
    }
    else
    {
        FocusAndUpdate();
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CVZPDockingPaneTabbedContainer::OnCaptionMouseDown(CPoint ptScreen)
{
    FocusAndUpdate();
    CVZPDockingPaneManager* pManager = GetManager();
    if (::GetKeyState(VK_LBUTTON) < 0 && pManager != NULL && pManager->GetDragContext() != NULL)
        pManager->GetDragContext()->Start(this, ptScreen.x, ptScreen.y);
}

void CVZPDockingPaneTabbedContainer::OnMouseMove(UINT nFlags, CPoint point)
{
    PerformMouseMove(GetSafeHwnd(), point.x, point.y);
    if (m_pDraggedTab != NULL)
    {
        // Inside another tab's place: the two panes swap.
        for (INT_PTR i = 0; i < m_arrTabRects.GetSize(); i++)
        {
            if (!m_arrTabRects[i].PtInRect(point))
                continue;
            CVZPDockingPane* pOther = GetPaneAt(int(i));
            if (pOther != NULL && pOther != m_pDraggedTab)
            {
                POSITION posDragged = m_lstPanes.Find(m_pDraggedTab), posOther = m_lstPanes.Find(pOther);
                if (posDragged != NULL && posOther != NULL)
                {
                    m_lstPanes.SetAt(posDragged, pOther);
                    m_lstPanes.SetAt(posOther, m_pDraggedTab);
                    OnLayoutChanged(TRUE);
                    if (m_pParentContainer == NULL)
                        RebuildTabs();
                }
            }
            CWnd::OnMouseMove(nFlags, point);
            return;
        }
        if (CVZPTabManager::HitTest(point.x, point.y) == NULL)
        {
            CVZPDockingPaneManager* pManager = GetManager();
            CVZPDockingPane* pDragged = m_pDraggedTab;
            if (pManager != NULL && !pManager->SendPaneAction(actionDetachingTab, pDragged))
            {
                m_pDraggedTab = NULL;
                if (GetCapture() == this)
                    ReleaseCapture();
                CPoint ptScreen = point;
                ClientToScreen(&ptScreen);
                if (pManager->GetDragContext() != NULL)
                    pManager->GetDragContext()->Start(m_pSelectedPane, ptScreen.x, ptScreen.y);
            }
        }
    }
    else
    {
        for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
            m_arrCaptionButtons[i]->OnMouseMove(point.x, point.y);
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CVZPDockingPaneTabbedContainer::OnMouseLeave()
{
    PerformMouseMove(GetSafeHwnd(), -1, -1);
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
        m_arrCaptionButtons[i]->OnMouseMove(-1, -1);
    Default();
}

void CVZPDockingPaneTabbedContainer::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_pDraggedTab = NULL;
    if (GetCapture() == this)
        ReleaseCapture();
    CWnd::OnLButtonUp(nFlags, point);
}

void CVZPDockingPaneTabbedContainer::OnCaptureChanged(CWnd* pWnd)
{
    m_pDraggedTab = NULL;
    CWnd::OnCaptureChanged(pWnd);
}

void CVZPDockingPaneTabbedContainer::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    if (IsMouseOnNavigateButton(point) || CaptionButtonAt(point) != NULL)
        return;
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager == NULL)
        return;
    const int nHit = HitTest(point);
    if (nHit == -2)
    {
        if (IsAutoHidden() && m_pSelectedPane != NULL &&
            (m_pSelectedPane->GetEffectiveOptions() & vzpPaneNoHideable))
            return;
        pManager->SwitchDockedFloating(this);
    }
    else if (nHit >= 0)
    {
        CVZPDockingPane* pPane = GetPaneAt(nHit);
        if (pPane != NULL)
            pManager->SwitchDockedFloating(pPane);
    }
}

void CVZPDockingPaneTabbedContainer::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    const int nHit = HitTest(point);
    if (nHit >= 0)
    {
        SelectPane(GetPaneAt(nHit), TRUE, TRUE);
        RecalcHostLayout();
    }
    FocusAndUpdate();
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL && pManager->m_pSite != NULL && pManager->m_pSite->GetSafeHwnd() != NULL)
        pManager->m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneRClick,
                                       LPARAM(static_cast<CVZPDockingPaneBase*>(this)));
}

void CVZPDockingPaneTabbedContainer::OnCaptionButtonClick(CVZPDockingPaneCaptionButton* pButton)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager == NULL || m_pSelectedPane == NULL)
        return;
    switch (pButton->m_nID)
    {
    case VZP_IDS_DOCKINGPANE_AUTOHIDE:
        if (IsAutoHidden())
        {
            pManager->SwitchDockedFloating(pManager->m_bGroupAutoHide ? static_cast<CVZPDockingPaneBase*>(this)
                                                                      : m_pSelectedPane);
            break;
        }
        {
            CVZPDockingPane* pPane = m_pSelectedPane;
            if (pManager->SendPaneAction(actionAutoHiding, pPane))
                break;
            StoreDockingSize();
            pManager->SendToAutoHide(pPane);
            pManager->SendPaneAction(actionAutoHidden, pPane);
        }
        break;
    case VZP_IDS_DOCKINGPANE_CLOSE:
        if (pManager->m_bCloseGroup)
        {
            CVZPDockingPaneList lstPanes;
            lstPanes.AddTail(&m_lstPanes);
            for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
            {
                CVZPDockingPane* pPane = lstPanes.GetNext(pos);
                if ((pPane->GetEffectiveOptions() & vzpPaneNoCloseable) ||
                    pManager->SendPaneAction(actionClosing, pPane))
                    continue;
                pManager->ClosePane(pPane);
                pManager->SendPaneAction(actionClosed, pPane);
            }
        }
        else
        {
            CVZPDockingPane* pPane = m_pSelectedPane;
            if (!pManager->SendPaneAction(actionClosing, pPane))
            {
                pManager->ClosePane(pPane);
                pManager->SendPaneAction(actionClosed, pPane);
            }
        }
        break;
    case VZP_IDS_DOCKINGPANE_MAXIMIZE:
        Maximize();
        break;
    case VZP_IDS_DOCKINGPANE_RESTORE:
        Restore();
        break;
    default:
        break;
    }
}

BOOL CVZPDockingPaneTabbedContainer::IsCaptionButtonVisible(CVZPDockingPaneCaptionButton* pButton)
{
    const DWORD dwOptions = m_pSelectedPane != NULL ? m_pSelectedPane->GetEffectiveOptions() : 0;
    switch (pButton->m_nID)
    {
    case VZP_IDS_DOCKINGPANE_AUTOHIDE:
        return m_pSelectedPane != NULL && !(dwOptions & vzpPaneNoHideable) && (pButton->m_dwGlyphState & 1);
    case VZP_IDS_DOCKINGPANE_CLOSE:
        return m_pSelectedPane != NULL && !(dwOptions & vzpPaneNoCloseable);
    case VZP_IDS_DOCKINGPANE_MAXIMIZE:
        return CanMaximize();
    case VZP_IDS_DOCKINGPANE_RESTORE:
        return IsMaximized();
    case VZP_IDS_DOCKINGPANE_MENU:
        return m_pSelectedPane != NULL && (dwOptions & vzpPaneHasMenuButton);
    default:
        return TRUE;
    }
}

void CVZPDockingPaneTabbedContainer::StoreDockingSize()
{
    CVZPDockingPaneManager* pManager = GetManager();
    const int nSide = pManager != NULL ? pManager->GetPaneSide(this) : vzpPaneDockLeft;
    const BOOL bHeight = nSide == vzpPaneDockTop || nSide == vzpPaneDockBottom;
    const int nValue = bHeight ? m_rcPane.Height() : m_rcPane.Width();
    (bHeight ? m_nDockingCY : m_nDockingCX) = nValue;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = m_lstPanes.GetNext(pos);
        if (!pPane->IsEmpty())
            (bHeight ? pPane->m_nDockingCY : pPane->m_nDockingCX) = nValue;
    }
}

void CVZPDockingPaneTabbedContainer::MakeVisible(BOOL /*bAnimate*/)
{
    // A docked container is always in view; a rolled-up floating frame rolls
    // out (auto-hidden containers slide out through their panel).
    if (m_pHostWnd != NULL && m_pHostWnd->IsKindOf(RUNTIME_CLASS(CVZPDockingPaneMiniWnd)))
        static_cast<CVZPDockingPaneMiniWnd*>(m_pHostWnd)->ExpandIfRolledUp();
}

BOOL CVZPDockingPaneTabbedContainer::CanUseMaximize()
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (m_pParentContainer == NULL || m_pParentContainer->GetType() != vzpPaneTypeSplitterContainer ||
        pManager == NULL || !pManager->m_bMaximizeButtons)
        return FALSE;
    CVZPDockingPaneBaseList lstTabbed;
    static_cast<CVZPDockingPaneSplitterContainer*>(m_pParentContainer)
        ->CollectChildren(vzpPaneTypeTabbedContainer, &lstTabbed);
    return lstTabbed.GetCount() > 1;
}

BOOL CVZPDockingPaneTabbedContainer::IsMaximized()
{
    return m_bMaximized && CanUseMaximize();
}

BOOL CVZPDockingPaneTabbedContainer::CanMaximize()
{
    return !m_bMaximized && CanUseMaximize();
}

BOOL CVZPDockingPaneTabbedContainer::IsOtherMaximized()
{
    if (m_bMaximized || !CanUseMaximize())
        return FALSE;
    CVZPDockingPaneBaseList lstTabbed;
    static_cast<CVZPDockingPaneSplitterContainer*>(m_pParentContainer)
        ->CollectChildren(vzpPaneTypeTabbedContainer, &lstTabbed);
    for (POSITION pos = lstTabbed.GetHeadPosition(); pos != NULL;)
    {
        if (static_cast<CVZPDockingPaneTabbedContainer*>(lstTabbed.GetNext(pos))->m_bMaximized)
            return TRUE;
    }
    return FALSE;
}

void CVZPDockingPaneTabbedContainer::Maximize()
{
    if (m_pHostWnd == NULL || m_pParentContainer == NULL ||
        m_pParentContainer->GetType() != vzpPaneTypeSplitterContainer)
        return;
    CVZPDockingPaneSplitterContainer* pSplitter = static_cast<CVZPDockingPaneSplitterContainer*>(m_pParentContainer);
    for (POSITION pos = pSplitter->m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = pSplitter->m_lstChildren.GetNext(pos);
        if (pChild->GetType() == vzpPaneTypeTabbedContainer)
            static_cast<CVZPDockingPaneTabbedContainer*>(pChild)->m_bMaximized = FALSE;
    }
    m_bMaximized = TRUE;
    RecalcHostLayout();
}

void CVZPDockingPaneTabbedContainer::Restore()
{
    m_bMaximized = FALSE;
    RecalcHostLayout();
}

void CVZPDockingPaneTabbedContainer::CopyFrom(CVZPDockingPaneTabbedContainer* pSource, CMapPtrToPtr* pMap,
                                              DWORD dwIgnoredOptions)
{
    m_bActive = FALSE;
    m_pDraggedTab = NULL;
    m_pSelectedPane = NULL;
    CVZPDockingPaneManager* pManager = GetManager();
    m_pHostWnd = pManager != NULL ? pManager->m_pSite : NULL;
    m_rcPane = pSource->m_rcPane;
    m_nDockingCX = pSource->m_nDockingCX;
    m_nDockingCY = pSource->m_nDockingCY;
    m_bCaptionShown = TRUE;
    m_nLockUpdate = 0;

    CVZPDockingPane* pRemembered = NULL;
    CVZPDockingPaneList lstSource;
    lstSource.AddTail(&pSource->m_lstPanes);
    for (POSITION pos = lstSource.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = lstSource.GetNext(pos);
        if (pMap != NULL)
        {
            CVZPDockingPaneBase* pClone = pPane->Clone(m_pLayout, pMap, dwIgnoredOptions);
            if (pClone == NULL)
                continue;
            AttachPane(static_cast<CVZPDockingPane*>(pClone), TRUE);
            if (pPane == pSource->m_pSelectedPane)
                pRemembered = static_cast<CVZPDockingPane*>(pClone);
        }
        else if (!(pPane->GetEffectiveOptions() & dwIgnoredOptions))
        {
            pSource->RemoveChild(pPane);
            AttachPane(pPane, TRUE);
            if (pPane == pSource->m_pSelectedPane || pRemembered == NULL)
                pRemembered = pPane == pSource->m_pSelectedPane ? pPane : pRemembered;
        }
    }
    SelectPane(pRemembered, FALSE, TRUE);
}

CVZPDockingPaneBase* CVZPDockingPaneTabbedContainer::Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap,
                                                           DWORD dwIgnoredOptions)
{
    CVZPDockingPaneManager* pManager = GetManager();
    CVZPDockingPaneBase* pBase =
        pManager != NULL ? pManager->CreatePaneObject(vzpPaneTypeTabbedContainer, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    static_cast<CVZPDockingPaneTabbedContainer*>(pBase)->CopyFrom(this, pMap, dwIgnoredOptions);
    if (pMap != NULL)
        pMap->SetAt(static_cast<CVZPDockingPaneBase*>(this), pBase);
    return pBase;
}

INT_PTR CVZPDockingPaneTabbedContainer::ContainsPane(CVZPDockingPaneBase* pPane)
{
    if (pPane == this)
        return TRUE;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
    {
        if (m_lstPanes.GetNext(pos)->ContainsPane(pPane))
            return TRUE;
    }
    return FALSE;
}

void CVZPDockingPaneTabbedContainer::CollectPanes(int nType, CVZPDockingPaneBaseList* pList)
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = m_lstPanes.GetNext(pos);
        if (pPane->GetType() == nType)
            pList->AddTail(pPane);
    }
}

BOOL CVZPDockingPaneTabbedContainer::IsEmpty()
{
    return m_lstPanes.IsEmpty();
}

BOOL CVZPDockingPaneTabbedContainer::IsAutoHidden()
{
    return m_pParentContainer != NULL && m_pParentContainer->GetType() == vzpPaneTypeAutoHidePanel;
}

void CVZPDockingPaneTabbedContainer::SetHostWindow(CWnd* pWnd)
{
    m_pHostWnd = pWnd;
    if (GetSafeHwnd() != NULL && pWnd != NULL && pWnd->GetSafeHwnd() != NULL &&
        ::GetParent(GetSafeHwnd()) != pWnd->GetSafeHwnd())
        SetParent(pWnd);
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
        m_lstPanes.GetNext(pos)->SetHostWindow(pWnd);
}

void CVZPDockingPaneTabbedContainer::OnAttached(CVZPDockingPaneBase* pParent)
{
    m_pHostWnd = pParent->GetHostWindow();
    m_bCaptionShown = TRUE;
    if (pParent->GetType() == vzpPaneTypeAutoHidePanel && GetSafeHwnd() != NULL)
        ShowWindow(SW_HIDE);
}

CWnd* CVZPDockingPaneTabbedContainer::GetPaneWindow()
{
    return this;
}

BOOL CVZPDockingPaneTabbedContainer::ExchangeProperties(CVZPPropExchange* pPX)
{
    CVZPDockingPaneBase::ExchangeProperties(pPX);
    if (!pPX->IsLoading())
    {
        int nCount = int(m_lstPanes.GetCount());
        int nSelected = m_pSelectedPane != NULL ? m_pSelectedPane->m_nSaveIndex : 0;
        PropExchangeIntNoDefault(pPX, L"Panes", &nCount);
        PropExchangeInt(pPX, L"Selected", &nSelected, 0);
        int i = 1;
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL; i++)
            SaveChildIndex(pPX, i, m_lstPanes.GetNext(pos)->m_nSaveIndex);
        return TRUE;
    }
    int nCount = 0, nSelected = 0;
    PropExchangeIntNoDefault(pPX, L"Panes", &nCount);
    PropExchangeInt(pPX, L"Selected", &nSelected, 0);
    CVZPDockingPane* pSelected = NULL;
    for (int i = 1; i <= nCount; i++)
    {
        int nIndex = 0;
        CVZPDockingPaneBase* pBase = LoadChild(pPX, i, &nIndex);
        if (pBase == NULL)
            return FALSE;
        // Only panes, each in one place.
        if (pBase->GetType() != vzpPaneTypeDockingPane || pBase->m_pParentContainer != NULL)
            return FALSE;
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(pBase);
        AttachPane(pPane, TRUE);
        if (nIndex == nSelected)
            pSelected = pPane;
    }
    if (pSelected != NULL)
        SelectPane(pSelected, TRUE, TRUE);
    return TRUE;
}

void CVZPDockingPaneTabbedContainer::Reposition()
{
    if (m_nLockUpdate > 0)
        return;
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL)
        pManager->RefreshPaneFrames();
}

void CVZPDockingPaneTabbedContainer::RedrawControl()
{
    if (m_nLockUpdate > 0)
        return;
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

CVZPTabPaintManager* CVZPDockingPaneTabbedContainer::GetPaintManager() const
{
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    return pPaint != NULL ? pPaint->GetPanelTabPaintManager() : NULL;
}

BOOL CVZPDockingPaneTabbedContainer::DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw,
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

LRESULT CVZPDockingPaneTabbedContainer::OnHelpHitTest(WPARAM /*wParam*/, LPARAM lParam)
{
    CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    int nHit = HitTest(pt);
    CVZPDockingPane* pPane = nHit >= 0 ? GetPaneAt(nHit) : m_pSelectedPane;
    if (pPane == NULL)
        return 0;
    return 0x20000 + (pPane->m_nHelpID != 0 ? pPane->m_nHelpID : pPane->m_nID);
}

void CVZPDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (pPaint == NULL)
        return;
    CVZPDoubleBufferDC dcBuffer(dc.GetSafeHdc(), rc);
    pPaint->DrawPane(&dcBuffer, this, rc);
}

BOOL CVZPDockingPaneTabbedContainer::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

BOOL CVZPDockingPaneTabbedContainer::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CVZPDockingPaneTabbedContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL && pManager->GetTooltipService() != NULL && GetSafeHwnd() != NULL &&
        ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE))
        pManager->GetTooltipService()->FilterMouseMessage(this, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CVZPDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CVZPDockingPaneTabbedContainer* pThis = const_cast<CVZPDockingPaneTabbedContainer*>(this);
    CVZPDockingPaneCaptionButton* pButton = pThis->CaptionButtonAt(point);
    if (pButton != NULL)
    {
        CString strTip;
        GetResourceLoader()->LoadString(&strTip, UINT(pButton->m_nID));
        CVZPTooltipService::FillToolInfo(pTI, GetSafeHwnd(), pButton->m_rc.left, pButton->m_rc.top,
                                         pButton->m_rc.right, pButton->m_rc.bottom, UINT_PTR(pButton->m_nID),
                                         strTip, strTip, L"");
        return pButton->m_nID;
    }
    if (!pThis->IsTabStripShown())
        return -1;
    return GetItemToolTip(GetSafeHwnd(), CVZPTabManager::HitTest(point.x, point.y), pTI);
}
