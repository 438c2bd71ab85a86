#include "CVZPDockingPaneMiniWnd.h"

#include <afxres.h>

#include <algorithm>

#include "CVZPDockingPane.h"
#include "CVZPDockingPaneDragContext.h"
#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPMonitorApi.h"
#include "CVZPPropExchange.h"
#include "CVZPResourceLoader.h"
#include "CVZPTooltipService.h"

IMPLEMENT_DYNAMIC(CVZPDockingPaneMiniWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CVZPDockingPaneMiniWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_DESTROY()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_GETMINMAXINFO()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

namespace {

const DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_BLOCKSYSMENU;

// The tabbed containers of the frame's top container (empty ones left out).
void CollectTabbed(CVZPDockingPaneSplitterContainer* pTop, CVZPDockingPaneBaseList* pList)
{
    if (pTop != NULL)
        pTop->CollectPanes(vzpPaneTypeTabbedContainer, pList);
}

}  // namespace

CVZPDockingPaneMiniWnd::CVZPDockingPaneMiniWnd(CVZPDockingPaneLayout* pLayout)
    : CVZPDockingPaneBase(vzpPaneTypeMiniWnd, pLayout), m_pTopContainer(NULL), m_bCloseEnabled(FALSE),
      m_nExpandedHeight(0), m_nRollSteps(RollDuration / RollPeriod), m_nStep(0), m_nLeaveCountdown(0),
      m_bRollUpMode(FALSE), m_bExpandedNow(FALSE), m_bRolling(FALSE), m_bActiveCaption(FALSE),
      m_bCreateFailed(FALSE)
{
    static const int s_nButtons[] = { VZP_IDS_DOCKINGPANE_CLOSE, VZP_IDS_DOCKINGPANE_AUTOHIDE,
                                      VZP_IDS_DOCKINGPANE_MENU };
    for (int nID : s_nButtons)
        m_arrCaptionButtons.Add(new CVZPDockingPaneCaptionButton(this, nID));
}

CVZPDockingPaneMiniWnd::~CVZPDockingPaneMiniWnd()
{
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BOOL CVZPDockingPaneMiniWnd::IsThemed() const
{
    CVZPDockingPaneManager* pManager = GetManager();
    return pManager != NULL && pManager->m_bThemedFloatingFrames;
}

BOOL CVZPDockingPaneMiniWnd::CreateFrame(CRect rc)
{
    CVZPDockingPaneManager* pManager = GetManager();
    CWnd* pSite = pManager != NULL ? pManager->m_pSite : NULL;

    // A rectangle wholly beside the work area is brought onto it.
    const CRect rcWork = GetWorkAreaForRect(&rc);
    CRect rcCommon;
    if (!rcCommon.IntersectRect(&rc, &rcWork))
    {
        int dx = 0, dy = 0;
        if (rcWork.left >= rc.right)
            dx = rcWork.left - rc.left;
        else if (rc.left >= rcWork.right)
            dx = rcWork.right - rc.right;
        if (rcWork.top >= rc.bottom)
            dy = rcWork.top - rc.top;
        else if (rc.top >= rcWork.bottom)
            dy = rcWork.bottom - rc.bottom;
        rc.OffsetRect(dx, dy);
    }

    const DWORD dwExStyle = pManager != NULL && pManager->IsSiteMirrored() ? WS_EX_LAYOUTRTL : 0;
    DWORD dwStyle = kFrameStyle;
    if (pManager != NULL && pManager->m_bSyncFloatingFrames)
        dwStyle |= MFS_SYNCACTIVE;
    if (!CreateEx(dwExStyle, NULL, L"", dwStyle, rc, pSite, 0))
        return FALSE;

    CMenu* pMenu = GetSystemMenu(FALSE);
    if (pMenu != NULL)
    {
        pMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
        pMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
        pMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
        CString strHide;
        if (strHide.LoadString(AFX_IDS_HIDE))
        {
            pMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
            pMenu->AppendMenu(MF_STRING, SC_CLOSE, strHide);
        }
    }
    m_bCloseEnabled = TRUE;
    if (IsThemed())
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    return TRUE;
}

void CVZPDockingPaneMiniWnd::SetupFloating(CVZPDockingPaneBase* pObject, CRect rc)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pObject == NULL || pManager == NULL)
        return;
    m_bCreateFailed = !CreateFrame(rc);
    if (pObject->GetType() == vzpPaneTypeDockingPane)
    {
        CVZPDockingPaneBase* pWrapper = pManager->CreatePaneObject(vzpPaneTypeTabbedContainer, m_pLayout);
        if (pWrapper == NULL)
            return;
        static_cast<CVZPDockingPaneTabbedContainer*>(pWrapper)->WrapPane(static_cast<CVZPDockingPane*>(pObject),
                                                                          this);
        pObject = pWrapper;
    }
    CVZPDockingPaneSplitterContainer* pSplitter = static_cast<CVZPDockingPaneSplitterContainer*>(
        pManager->CreatePaneObject(vzpPaneTypeSplitterContainer, m_pLayout));
    if (pSplitter == NULL)
        return;
    // The first child gets its parent from InitFirstChild: a container
    // without one would never be offered as a docking target.
    pSplitter->InitFirstChild(pObject, TRUE, this);
    pObject->SetHostWindow(this);
    if (pObject->GetType() == vzpPaneTypeTabbedContainer)
        static_cast<CVZPDockingPaneTabbedContainer*>(pObject)->CreateContainerWindow();
    pObject->OnAttached(pSplitter);
    m_pTopContainer = pSplitter;
    pSplitter->m_pParentContainer = this;
    AttachContent();
    OnChildChanged(pSplitter);
    VZPDelayFrameLayout(this);
}

void CVZPDockingPaneMiniWnd::AttachContent()
{
    if (m_pTopContainer == NULL)
        return;
    m_pTopContainer->SetHostWindow(this);
    CVZPDockingPaneBaseList lstSplitters;
    lstSplitters.AddTail(m_pTopContainer);
    m_pTopContainer->CollectPanes(vzpPaneTypeSplitterContainer, &lstSplitters);
    CVZPDockingPaneBaseList lstTabbed;
    CollectTabbed(m_pTopContainer, &lstTabbed);
    for (POSITION pos = lstTabbed.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneTabbedContainer* pTabbed = static_cast<CVZPDockingPaneTabbedContainer*>(lstTabbed.GetNext(pos));
        pTabbed->SetHostWindow(this);
        if (GetSafeHwnd() != NULL && m_pLayout != NULL && !m_pLayout->IsDetached())
            pTabbed->CreateContainerWindow();
    }
    for (POSITION pos = lstSplitters.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneSplitterContainer* pSplitter =
            static_cast<CVZPDockingPaneSplitterContainer*>(lstSplitters.GetNext(pos));
        pSplitter->SetHostWindow(this);
        pSplitter->RebuildBars();
    }
}

void CVZPDockingPaneMiniWnd::OnChildChanged(CVZPDockingPaneBase* /*pChild*/)
{
    OnLayoutChanged(FALSE);
}

void CVZPDockingPaneMiniWnd::OnLayoutChanged(BOOL /*bReposition*/)
{
    if (m_pTopContainer == NULL || GetSafeHwnd() == NULL)
        return;
    CVZPDockingPaneManager* pManager = GetManager();
    CVZPDockingPaneBaseList lstTabbed;
    CollectTabbed(m_pTopContainer, &lstTabbed);
    const INT_PTR nCount = lstTabbed.GetCount();
    for (POSITION pos = lstTabbed.GetHeadPosition(); pos != NULL;)
        static_cast<CVZPDockingPaneTabbedContainer*>(lstTabbed.GetNext(pos))->SetCaptionShown(nCount > 1);

    CString strTitle;
    if (nCount == 1)
        strTitle = static_cast<CVZPDockingPaneTabbedContainer*>(lstTabbed.GetHead())->GetCaptionText();
    else if (pManager != NULL)
        strTitle = pManager->m_strFloatingCaption;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle)
        SetWindowText(strTitle);

    if (!IsWindowVisible() && nCount > 0)
        ShowWindow(SW_SHOW);

    if (nCount > 0)
    {
        BOOL bClosable = FALSE;
        CVZPDockingPaneBaseList lstPanes;
        m_pTopContainer->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
        for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
        {
            if (!(static_cast<CVZPDockingPane*>(lstPanes.GetNext(pos))->GetEffectiveOptions() & vzpPaneNoCloseable))
                bClosable = TRUE;
        }
        if (!(bClosable && m_bCloseEnabled))
        {
            CMenu* pMenu = GetSystemMenu(FALSE);
            if (pMenu != NULL)
                pMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (bClosable ? MF_ENABLED : MF_DISABLED));
            m_bCloseEnabled = bClosable;
        }
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        MoveWindow(&rcWindow, TRUE);
    }
    SendMessage(WM_NCPAINT, 1, 0);
}

void CVZPDockingPaneMiniWnd::RecalcLayout(BOOL /*bNotify*/)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (m_pTopContainer == NULL || GetSafeHwnd() == NULL)
        return;
    if (m_pTopContainer->IsEmpty())
    {
        ShowWindow(SW_HIDE);
        if (m_bRollUpMode)
            ToggleRollUp();
        return;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(8);
    CRect rcClient;
    GetClientRect(&rcClient);
    layout.rect = rcClient;
    m_pTopContainer->PlaceInFrame(this, rcClient, &layout);
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    ScreenToClient(&rcWindow);
    m_pTopContainer->m_rcPane = rcWindow;
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL)
        pManager->RefreshPaneRecords();
}

void CVZPDockingPaneMiniWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniFrameWnd::OnGetMinMaxInfo(lpMMI);
    if ((m_bRollUpMode && !m_bExpandedNow) || m_bRolling)
    {
        // The system's smallest track height would stop the roll above its
        // end: a rolled-up frame keeps its caption and 8 pixels.
        CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
        const LONG nRolledUp = (pPaint != NULL ? pPaint->GetCaptionHeight() : 0) + 8;
        lpMMI->ptMinTrackSize.y = std::min(lpMMI->ptMinTrackSize.y, nRolledUp);
        return;
    }
    if (m_pTopContainer == NULL)
        return;
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    const CSize szChrome(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    MINMAXINFO mmi;
    m_pTopContainer->GetMinMaxInfo(&mmi);
    lpMMI->ptMinTrackSize.x = std::max<LONG>(lpMMI->ptMinTrackSize.x, szChrome.cx + mmi.ptMinTrackSize.x);
    lpMMI->ptMinTrackSize.y = std::max<LONG>(lpMMI->ptMinTrackSize.y, szChrome.cy + mmi.ptMinTrackSize.y);
    lpMMI->ptMaxTrackSize.x = std::min<LONG>(lpMMI->ptMaxTrackSize.x, szChrome.cx + mmi.ptMaxTrackSize.x);
    lpMMI->ptMaxTrackSize.y = std::min<LONG>(lpMMI->ptMaxTrackSize.y, szChrome.cy + mmi.ptMaxTrackSize.y);
}

void CVZPDockingPaneMiniWnd::OnClose()
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (m_pTopContainer == NULL || pManager == NULL)
        return;
    CVZPDockingPaneBaseList lstPanes;
    m_pTopContainer->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(lstPanes.GetNext(pos));
        if ((pPane->GetEffectiveOptions() & vzpPaneNoCloseable) || pManager->SendPaneAction(actionClosing, pPane))
            continue;
        pManager->ClosePane(pPane);
        pManager->SendPaneAction(actionClosed, pPane);
    }
}

void CVZPDockingPaneMiniWnd::OnSetFocus(CWnd* pOldWnd)
{
    CMiniFrameWnd::OnSetFocus(pOldWnd);
    CVZPDockingPane* pPane = GetSinglePane();
    if (pPane != NULL)
        pPane->SetPaneFocus();
}

void CVZPDockingPaneMiniWnd::OnDestroy()
{
    GetWindowRect(&m_rcPane);
    CMiniFrameWnd::OnDestroy();
}

void CVZPDockingPaneMiniWnd::PostNcDestroy()
{
    // The layout owns the object.
}

CVZPDockingPane* CVZPDockingPaneMiniWnd::GetSinglePane()
{
    CVZPDockingPaneBaseList lstTabbed;
    CollectTabbed(m_pTopContainer, &lstTabbed);
    if (lstTabbed.GetCount() != 1)
        return NULL;
    return static_cast<CVZPDockingPaneTabbedContainer*>(lstTabbed.GetHead())->GetSelected();
}

// --- themed non-client area -----------------------------------------------

void CVZPDockingPaneMiniWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (IsThemed() && pPaint != NULL)
    {
        RECT& rc = lpncsp->rgrc[0];
        ::InflateRect(&rc, 1, 1);
        rc.top += pPaint->GetCaptionHeight() + 2;
    }
    CMiniFrameWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CVZPDockingPaneMiniWnd::OnNcPaint()
{
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (!IsThemed() || pPaint == NULL)
    {
        Default();
        return;
    }
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    pPaint->DrawFloatingFrame(&dc, this, rc);
}

UINT CVZPDockingPaneMiniWnd::OnNcHitTest(CPoint point)
{
    UINT nHit = CMiniFrameWnd::OnNcHitTest(point);
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    if (IsThemed() && pPaint != NULL && nHit == HTNOWHERE)
    {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        if (point.y < rcWindow.top + pPaint->GetCaptionHeight() + 4)
            return HTCAPTION;
    }
    return nHit;
}

LRESULT CVZPDockingPaneMiniWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (IsThemed())
    {
        HWND hFocus = ::GetFocus();
        const BOOL bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
        if (bActive != m_bActiveCaption)
        {
            m_bActiveCaption = bActive;
            SendMessage(WM_NCPAINT, 1, 0);
        }
    }
    return CMiniFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

CVZPDockingPaneCaptionButton* CVZPDockingPaneMiniWnd::CaptionButtonAt(CPoint ptWindow)
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
    {
        CVZPDockingPaneCaptionButton* pButton = m_arrCaptionButtons[i];
        if (pButton->IsVisible() && pButton->m_rc.PtInRect(ptWindow))
            return pButton;
    }
    return NULL;
}

void CVZPDockingPaneMiniWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    CMiniFrameWnd::OnNcMouseMove(nHitTest, point);
    if (IsThemed())
    {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        BOOL bEntered = FALSE;
        for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
        {
            if (m_arrCaptionButtons[i]->OnMouseMove(point.x - rcWindow.left, point.y - rcWindow.top))
                bEntered = TRUE;
        }
        if (bEntered)
            SetTimer(TimerHover, 100, NULL);
    }
    ExpandIfRolledUp();
}

void CVZPDockingPaneMiniWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsThemed())
    {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        const CPoint ptWindow(point.x - rcWindow.left, point.y - rcWindow.top);
        CVZPDockingPaneCaptionButton* pButton = CaptionButtonAt(ptWindow);
        if (pButton != NULL)
        {
            if (!OnCaptionButtonPress(pButton) && pButton->Click(this, ptWindow.x, ptWindow.y, FALSE))
                OnCaptionButtonClick(pButton);
            return;
        }
    }
    if (nHitTest == HTCAPTION)
    {
        CWnd* pTop = GetTopLevelParent();
        if (pTop != NULL)
            pTop->ActivateTopParent();
        BringWindowToTop();
        CVZPDockingPaneManager* pManager = GetManager();
        if (pManager != NULL && pManager->GetDragContext() != NULL && m_pTopContainer != NULL)
            pManager->GetDragContext()->Start(m_pTopContainer, point.x, point.y);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CVZPDockingPaneMiniWnd::OnCaptionButtonClick(CVZPDockingPaneCaptionButton* pButton)
{
    if (pButton->m_nID == VZP_IDS_DOCKINGPANE_CLOSE)
        OnClose();
    else if (pButton->m_nID == VZP_IDS_DOCKINGPANE_AUTOHIDE)
        ToggleRollUp();
}

BOOL CVZPDockingPaneMiniWnd::OnCaptionButtonPress(CVZPDockingPaneCaptionButton* pButton)
{
    if (pButton->m_nID != VZP_IDS_DOCKINGPANE_MENU)
        return FALSE;
    CVZPDockingPane* pPane = GetSinglePane();
    CVZPDockingPaneManager* pManager = GetManager();
    if (pPane == NULL || pManager == NULL || pManager->m_pSite == NULL)
        return TRUE;
    m_bActiveCaption = TRUE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcButton = pButton->m_rc;
    rcButton.OffsetRect(rcWindow.TopLeft());
    VZPDockingPaneMenuRecord record = { pPane, rcButton.left, rcButton.bottom, rcButton };
    pButton->m_bPressed = TRUE;
    SendMessage(WM_NCPAINT, 1, 0);
    pManager->m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneMenu, LPARAM(&record));
    pButton->m_bPressed = FALSE;
    if (GetSafeHwnd() != NULL)
        SendMessage(WM_NCPAINT, 1, 0);
    return TRUE;
}

void CVZPDockingPaneMiniWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (nHitTest == HTCAPTION && pManager != NULL && pManager->m_pSite != NULL)
    {
        CVZPDockingPane* pPane = GetSinglePane();
        if (pPane == NULL)
        {
            CVZPDockingPaneBaseList lstTabbed;
            CollectTabbed(m_pTopContainer, &lstTabbed);
            for (POSITION pos = lstTabbed.GetHeadPosition(); pos != NULL && pPane == NULL;)
            {
                CVZPDockingPaneTabbedContainer* pTabbed =
                    static_cast<CVZPDockingPaneTabbedContainer*>(lstTabbed.GetNext(pos));
                if (pTabbed->IsActive())
                    pPane = pTabbed->GetSelected();
            }
        }
        if (pPane != NULL)
        {
            pPane->SetPaneFocus();
            VZPDockingPaneMenuRecord record = { pPane, point.x, point.y, { 0, 0, 0, 0 } };
            if (pManager->m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneMenu, LPARAM(&record)) != 0)
                return;
        }
    }
    Default();
}

void CVZPDockingPaneMiniWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION)
    {
        if (m_bRollUpMode)
        {
            ToggleRollUp();
        }
        else
        {
            CVZPDockingPaneManager* pManager = GetManager();
            if (pManager != NULL && m_pTopContainer != NULL)
                pManager->SwitchDockedFloating(m_pTopContainer);
        }
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

INT_PTR CVZPDockingPaneMiniWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!IsThemed())
        return -1;
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    const CPoint ptOrigin(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top);
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
    {
        CVZPDockingPaneCaptionButton* pButton = m_arrCaptionButtons[i];
        CRect rcButton = pButton->m_rc;
        rcButton.OffsetRect(-ptOrigin.x, -ptOrigin.y);
        if (!pButton->IsVisible() || !rcButton.PtInRect(point))
            continue;
        CString strTip;
        GetResourceLoader()->LoadString(&strTip, UINT(pButton->m_nID));
        if (strTip.IsEmpty())
            return -1;
        CVZPTooltipService::FillToolInfo(pTI, GetSafeHwnd(), rcButton.left, rcButton.top, rcButton.right,
                                         rcButton.bottom, UINT_PTR(pButton->m_nID), strTip, strTip, L"");
        return pButton->m_nID;
    }
    return -1;
}

BOOL CVZPDockingPaneMiniWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL && pManager->GetTooltipService() != NULL && GetSafeHwnd() != NULL &&
        ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE ||
         message == WM_NCMOUSEMOVE))
        pManager->GetTooltipService()->FilterMouseMessage(this, message, wParam, lParam);
    return CMiniFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CVZPDockingPaneMiniWnd::IsCaptionButtonVisible(CVZPDockingPaneCaptionButton* pButton)
{
    switch (pButton->m_nID)
    {
    case VZP_IDS_DOCKINGPANE_CLOSE:
        return m_bCloseEnabled;
    case VZP_IDS_DOCKINGPANE_MENU:
    {
        CVZPDockingPane* pPane = GetSinglePane();
        return pPane != NULL && (pPane->GetEffectiveOptions() & vzpPaneHasMenuButton) != 0;
    }
    default:
        return TRUE;
    }
}

void CVZPDockingPaneMiniWnd::InvalidatePane()
{
    if (GetSafeHwnd() == NULL)
        return;
    if (IsThemed())
    {
        Invalidate(FALSE);
        SendMessage(WM_NCPAINT, 1, 0);
    }
    else
    {
        Invalidate(FALSE);
    }
}

// --- roll-up ----------------------------------------------------------------

void CVZPDockingPaneMiniWnd::StartLeaveTimer(int nCountdown)
{
    m_nLeaveCountdown = nCountdown;
    if (GetSafeHwnd() != NULL)
        SetTimer(TimerLeave, 100, NULL);
}

void CVZPDockingPaneMiniWnd::ToggleRollUp()
{
    if (GetSafeHwnd() == NULL)
        return;
    CVZPDockingPaneCaptionButton* pRoll = FindCaptionButton(VZP_IDS_DOCKINGPANE_AUTOHIDE);
    if (m_bRollUpMode)
    {
        if (m_nStep != m_nRollSteps)
        {
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            SetWindowPos(NULL, 0, 0, rcWindow.Width(), m_nExpandedHeight, SWP_NOMOVE | SWP_NOZORDER);
        }
        m_bRollUpMode = FALSE;
        m_bExpandedNow = FALSE;
        m_bRolling = FALSE;
        KillTimer(TimerLeave);
        KillTimer(TimerRoll);
        if (pRoll != NULL)
            pRoll->m_dwGlyphState = 0;
    }
    else
    {
        m_nRollSteps = RollDuration / RollPeriod;
        m_nStep = m_nRollSteps;
        GetWindowRect(&m_rcPane);
        m_nExpandedHeight = m_rcPane.Height();
        m_bRollUpMode = TRUE;
        m_bRolling = FALSE;
        m_bExpandedNow = TRUE;
        StartLeaveTimer(6);
        if (pRoll != NULL)
            pRoll->m_dwGlyphState = 2;
    }
    SendMessage(WM_NCPAINT, 1, 0);
}

void CVZPDockingPaneMiniWnd::SetRollStepHeight(int nStep)
{
    CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
    const int nCaption = pPaint != NULL ? pPaint->GetCaptionHeight() : 0;
    const int nSteps = std::max(1, m_nRollSteps);
    const int nHeight = std::max(nStep * m_nExpandedHeight / nSteps, nCaption + 8);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    UINT nFlags = SWP_NOMOVE | SWP_NOACTIVATE;
    if (m_bRolling)
        nFlags |= SWP_NOZORDER;
    SetWindowPos(&CWnd::wndTop, 0, 0, rcWindow.Width(), nHeight, nFlags);
    Invalidate(FALSE);
}

void CVZPDockingPaneMiniWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case TimerLeave:
    {
        HWND hFocus = ::GetFocus();
        if (hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus)))
            return;
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        if (rcWindow.PtInRect(pt) || ::GetCapture() != NULL || m_bRolling)
            return;
        if (--m_nLeaveCountdown > 0)
            return;
        if (m_nStep == m_nRollSteps)
            m_nExpandedHeight = rcWindow.Height();
        m_bRolling = TRUE;
        SetTimer(TimerRoll, RollPeriod, NULL);
        KillTimer(TimerLeave);
        return;
    }
    case TimerRoll:
        if (!m_bRolling)
            return;
        m_nStep--;
        if (m_nStep <= 0)
        {
            // The roll ends fully rolled up at step 0, where hovering finds
            // it again.
            m_nStep = 0;
            SetRollStepHeight(0);
            m_bRolling = FALSE;
            m_bExpandedNow = FALSE;
            KillTimer(TimerRoll);
            return;
        }
        SetRollStepHeight(m_nStep);
        return;
    case TimerHover:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (::WindowFromPoint(pt) != m_hWnd)
        {
            PostMessage(WM_NCMOUSEMOVE, 0, 0);
            KillTimer(TimerHover);
        }
        return;
    }
    default:
        CMiniFrameWnd::OnTimer(nIDEvent);
        return;
    }
}

void CVZPDockingPaneMiniWnd::ExpandIfRolledUp()
{
    if (!m_bRollUpMode || m_nStep != 0 || GetSafeHwnd() == NULL)
        return;
    m_nStep = m_nRollSteps;
    m_bExpandedNow = TRUE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    SetWindowPos(&CWnd::wndTop, 0, 0, rcWindow.Width(), m_nExpandedHeight, SWP_NOMOVE | SWP_NOACTIVATE);
    StartLeaveTimer(8);
}

void CVZPDockingPaneMiniWnd::ApplyFrameStyle()
{
    if (GetSafeHwnd() == NULL)
        return;
    const BOOL bThemed = IsThemed();
    if (bThemed)
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    else
        ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    if (!bThemed && m_bRollUpMode)
        ToggleRollUp();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (bThemed && m_bRollUpMode)
        SetRollStepHeight(m_nStep);
}

// --- copy, clone, persistence ------------------------------------------------

void CVZPDockingPaneMiniWnd::CopyFrom(CVZPDockingPaneMiniWnd* pSource, CMapPtrToPtr* pMap)
{
    if (pSource->m_pTopContainer != NULL)
    {
        CVZPDockingPaneBase* pClone = pSource->m_pTopContainer->Clone(m_pLayout, pMap, 0);
        if (pClone != NULL && pClone->GetType() == vzpPaneTypeSplitterContainer)
        {
            m_pTopContainer = static_cast<CVZPDockingPaneSplitterContainer*>(pClone);
            m_pTopContainer->m_pParentContainer = this;
            m_pTopContainer->m_pHostWnd = this;
        }
    }
    m_rcPane = pSource->m_rcPane;
    if (pSource->GetSafeHwnd() != NULL)
        pSource->GetWindowRect(&m_rcPane);
    m_bRollUpMode = pSource->m_bRollUpMode;
    m_nExpandedHeight = pSource->m_nExpandedHeight;
    if (m_bRollUpMode)
    {
        CVZPDockingPanePaintManager* pPaint = GetDockingPaintManager();
        m_rcPane.bottom = m_rcPane.top + (pPaint != NULL ? pPaint->GetCaptionHeight() : 0) + 8;
        m_nStep = 0;
    }
    if (m_pLayout == NULL || m_pLayout->IsDetached())
        return;
    CreateFrame(m_rcPane);
    AttachContent();
    if (m_pTopContainer != NULL)
        OnChildChanged(m_pTopContainer);
}

CVZPDockingPaneBase* CVZPDockingPaneMiniWnd::Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap,
                                                   DWORD /*dwIgnoredOptions*/)
{
    CVZPDockingPaneManager* pManager = GetManager();
    CVZPDockingPaneBase* pBase = pManager != NULL ? pManager->CreatePaneObject(vzpPaneTypeMiniWnd, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    static_cast<CVZPDockingPaneMiniWnd*>(pBase)->CopyFrom(this, pMap);
    if (pMap != NULL)
        pMap->SetAt(static_cast<CVZPDockingPaneBase*>(this), pBase);
    return pBase;
}

void CVZPDockingPaneMiniWnd::RemoveChild(CVZPDockingPaneBase* pChild)
{
    if (pChild == NULL || pChild != m_pTopContainer)
        return;
    pChild->m_pParentContainer = NULL;
    m_pTopContainer = NULL;
    if (GetSafeHwnd() != NULL)
        ShowWindow(SW_HIDE);
    if (m_bRollUpMode)
    {
        m_bRollUpMode = FALSE;
        m_bExpandedNow = FALSE;
        m_bRolling = FALSE;
        if (GetSafeHwnd() != NULL)
        {
            KillTimer(TimerLeave);
            KillTimer(TimerRoll);
        }
    }
}

BOOL CVZPDockingPaneMiniWnd::ExchangeProperties(CVZPPropExchange* pPX)
{
    CVZPDockingPaneBase::ExchangeProperties(pPX);
    if (!pPX->IsLoading() && GetSafeHwnd() != NULL)
    {
        GetWindowRect(&m_rcPane);
        // A rolled-up frame keeps its whole height.
        if (m_bRollUpMode && m_nStep != m_nRollSteps)
            m_rcPane.bottom = m_rcPane.top + m_nExpandedHeight;
    }
    int nTop = m_rcPane.top, nBottom = m_rcPane.bottom, nLeft = m_rcPane.left, nRight = m_rcPane.right;
    PropExchangeIntNoDefault(pPX, L"WindowRectTopPos", &nTop);
    PropExchangeIntNoDefault(pPX, L"WindowRectBottomPos", &nBottom);
    PropExchangeIntNoDefault(pPX, L"WindowRectLeftPos", &nLeft);
    PropExchangeIntNoDefault(pPX, L"WindowRectRightPos", &nRight);
    PropExchangeBool(pPX, L"Collapsed", &m_bRollUpMode, FALSE);
    PropExchangeInt(pPX, L"ExpandedHeight", &m_nExpandedHeight, 0);
    if (!pPX->IsLoading())
    {
        int nIndex = m_pTopContainer != NULL ? m_pTopContainer->m_nSaveIndex : 0;
        PropExchangeIntNoDefault(pPX, L"TopContaner", &nIndex);
        return TRUE;
    }
    m_rcPane.SetRect(nLeft, nTop, nRight, nBottom);
    int nIndex = 0;
    PropExchangeIntNoDefault(pPX, L"TopContaner", &nIndex);
    CMapWordToPtr* pMap = static_cast<CMapWordToPtr*>(pPX->m_pExtraData);
    void* pObject = NULL;
    if (pMap == NULL || nIndex <= 0 || nIndex > 0xFFFF || !pMap->Lookup(WORD(nIndex), pObject))
        return FALSE;
    CVZPDockingPaneBase* pTop = static_cast<CVZPDockingPaneBase*>(pObject);
    if (pTop->GetType() != vzpPaneTypeSplitterContainer || pTop->m_pParentContainer != NULL)
        return FALSE;
    m_pTopContainer = static_cast<CVZPDockingPaneSplitterContainer*>(pTop);
    m_pTopContainer->m_pParentContainer = this;
    m_nStep = m_bRollUpMode ? 0 : m_nRollSteps;
    return TRUE;
}
