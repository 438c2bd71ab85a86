#include "CVZPDockingPaneManager.h"

#include <afxpriv.h>

#include "CVZPDockingPane.h"
#include "CVZPDockingPaneAutoHidePanel.h"
#include "CVZPDockingPaneDragContext.h"
#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneMiniWnd.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPColorManager.h"
#include "CVZPDockingPaneThemes.h"
#include "CVZPImageManager.h"
#include "CVZPTooltipService.h"

BEGIN_MESSAGE_MAP(CVZPDockingPaneManager, CWnd)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CVZPDockingPaneManager::CVZPDockingPaneManager()
    : m_nSplitterMinimum(22), m_bCloseGroup(FALSE), m_bGroupAutoHide(TRUE), m_pSite(NULL), m_pLayout(NULL),
      m_pPaintManager(NULL), m_pActivePane(NULL), m_pImageManager(NULL), m_bHideClient(FALSE),
      m_bOutlineSplitterDrag(TRUE), m_bMaximizeButtons(FALSE), m_bLockSplitters(FALSE),
      m_bDragStyleTranslucent(FALSE), m_bDragStyleStickers(FALSE), m_bThemedFloatingFrames(FALSE),
      m_bSyncFloatingFrames(TRUE), m_dwDefaultPaneOptions(0), m_nVerticalCaptionMode(0), m_nStickerStyle(0),
      m_pDragContext(NULL), m_pTooltipService(NULL), m_bAttaching(FALSE), m_bLaidOut(FALSE),
      m_hrOleInit(E_FAIL)
{
    SelectTheme(0);
    m_pImageManager = new CVZPImageManager;
    m_pDragContext = new CVZPDockingPaneDragContext(this);
    m_pTooltipService = new CVZPTooltipService;
    m_hrOleInit = ::OleInitialize(NULL);
}

CVZPDockingPaneManager::~CVZPDockingPaneManager()
{
    if (m_pLayout != NULL)
        m_pLayout->InternalRelease();
    m_pLayout = NULL;
    if (m_pActivePane != NULL)
        m_pActivePane->InternalRelease();
    m_pActivePane = NULL;
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = NULL;
    if (m_pTooltipService != NULL)
        m_pTooltipService->InternalRelease();
    m_pTooltipService = NULL;
    delete m_pDragContext;
    m_pDragContext = NULL;
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = NULL;
    // A thread already in another apartment refuses OLE: nothing to undo.
    if (SUCCEEDED(m_hrOleInit))
        ::OleUninitialize();
}

CVZPDockingPaneLayout* CVZPDockingPaneManager::MakeLayout()
{
    return new CVZPDockingPaneLayout(this);
}

CVZPDockingPaneBase* CVZPDockingPaneManager::CreatePaneObject(int nType, CVZPDockingPaneLayout* pLayout)
{
    switch (nType)
    {
    case vzpPaneTypeDockingPane:
        return new CVZPDockingPane(pLayout);
    case vzpPaneTypeTabbedContainer:
        return new CVZPDockingPaneTabbedContainer(pLayout);
    case vzpPaneTypeSplitterContainer:
        return new CVZPDockingPaneSplitterContainer(pLayout);
    case vzpPaneTypeMiniWnd:
        return new CVZPDockingPaneMiniWnd(pLayout);
    case vzpPaneTypeClient:
        return new CVZPDockingPaneBase(vzpPaneTypeClient, pLayout);
    case vzpPaneTypeAutoHidePanel:
        return new CVZPDockingPaneAutoHidePanel(pLayout);
    default:
        return NULL;
    }
}

void CVZPDockingPaneManager::SetPaneActive(BOOL bActivate, CVZPDockingPane* pPane)
{
    if (bActivate)
    {
        if (pPane == m_pActivePane)
            return;
        CVZPDockingPane* pPrevious = m_pActivePane;
        m_pActivePane = NULL;
        if (pPrevious != NULL)
        {
            SendPaneAction(actionDeactivated, pPrevious);
            pPrevious->InternalRelease();
        }
        if (pPane != NULL)
        {
            pPane->InternalAddRef();
            m_pActivePane = pPane;
            SendPaneAction(actionActivated, pPane);
        }
        return;
    }
    if (pPane == NULL || pPane != m_pActivePane)
        return;
    m_pActivePane = NULL;
    SendPaneAction(actionDeactivated, pPane);
    pPane->InternalRelease();
}

void CVZPDockingPaneManager::SelectTheme(int nTheme)
{
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = CreateDockingPaneTheme(nTheme);
    m_pPaintManager->m_nTheme = nTheme;
    m_pPaintManager->RefreshMetrics();
    RefreshPaneFrames();
    if (nTheme == 9)
        m_nStickerStyle = 1;
}

BOOL CVZPDockingPaneManager::InstallManager(CWnd* pSite)
{
    m_pSite = pSite;
    if (GetSafeHwnd() != NULL)
        return TRUE;
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return FALSE;
    CString strClass = AfxRegisterWndClass(0);
    if (!CreateEx(0, strClass, L"", WS_CHILD, CRect(0, 0, 0, 0), pSite, VZP_IDW_DOCKINGPANE_MANAGER))
        return FALSE;
    // Last in z-order: the frame's layout pass reaches the bars first.
    SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CVZPDockingPaneManager::AdoptLayout(CVZPDockingPaneLayout* pLayout)
{
    if (pLayout == m_pLayout)
        return;
    SetPaneActive(FALSE, m_pActivePane);
    CVZPDockingPaneLayout* pPrevious = m_pLayout;
    m_pLayout = pLayout;
    if (pLayout != NULL)
    {
        pLayout->m_bDetached = FALSE;
        for (POSITION pos = pLayout->m_lstObjects.GetHeadPosition(); pos != NULL;)
        {
            CVZPDockingPaneBase* pObject = pLayout->m_lstObjects.GetNext(pos);
            if (pObject->GetType() == vzpPaneTypeTabbedContainer && !IsInFloatingFrame(pObject))
            {
                CVZPDockingPaneTabbedContainer* pTabbed = static_cast<CVZPDockingPaneTabbedContainer*>(pObject);
                if (!pTabbed->IsEmpty() && pTabbed->GetParentContainer() != NULL)
                {
                    pTabbed->SetHostWindow(m_pSite);
                    pTabbed->CreateContainerWindow();
                    // Hidden containers show only in their sliding window.
                    if (pTabbed->IsAutoHidden() && pTabbed->GetSafeHwnd() != NULL)
                        pTabbed->ShowWindow(SW_HIDE);
                }
            }
        }
        for (POSITION pos = pLayout->m_lstObjects.GetHeadPosition(); pos != NULL;)
        {
            CVZPDockingPaneBase* pObject = pLayout->m_lstObjects.GetNext(pos);
            if (pObject->GetType() == vzpPaneTypeSplitterContainer && !IsInFloatingFrame(pObject))
            {
                pObject->SetHostWindow(m_pSite);
                static_cast<CVZPDockingPaneSplitterContainer*>(pObject)->RebuildBars();
            }
        }
        // Floating frames get their windows at their stored rectangles.
        for (POSITION pos = pLayout->m_lstObjects.GetHeadPosition(); pos != NULL;)
        {
            CVZPDockingPaneBase* pObject = pLayout->m_lstObjects.GetNext(pos);
            if (pObject->GetType() != vzpPaneTypeMiniWnd)
                continue;
            CVZPDockingPaneMiniWnd* pFrame = static_cast<CVZPDockingPaneMiniWnd*>(pObject);
            if (pFrame->GetSafeHwnd() != NULL || pFrame->GetTopContainer() == NULL)
                continue;
            CRect rc = pFrame->GetPaneRect();
            if (pFrame->m_bRollUpMode)
                rc.bottom = rc.top + (m_pPaintManager != NULL ? m_pPaintManager->GetCaptionHeight() : 0) + 8;
            pFrame->m_bCreateFailed = !pFrame->CreateFrame(rc);
            pFrame->AttachContent();
            pFrame->OnChildChanged(pFrame->GetTopContainer());
            VZPDelayFrameLayout(pFrame);
        }
    }
    if (pPrevious != NULL)
        pPrevious->InternalRelease();
    VZPDelayFrameLayout(m_pSite);
}

CVZPDockingPane* CVZPDockingPaneManager::FindPane(int nID) const
{
    if (m_pLayout == NULL)
        return NULL;
    for (POSITION pos = m_pLayout->m_lstRecords.GetHeadPosition(); pos != NULL;)
    {
        const VZPDockingPaneRecord& record = m_pLayout->m_lstRecords.GetNext(pos);
        if (record.pPane != NULL && record.pPane->GetID() == nID)
            return record.pPane;
    }
    return NULL;
}

CVZPDockingPaneSplitterContainer* CVZPDockingPaneManager::GetRootContainer() const
{
    return m_pLayout != NULL ? m_pLayout->GetTopContainer() : NULL;
}

CVZPDockingPaneBase* CVZPDockingPaneManager::GetClientPlaceholder() const
{
    return m_pLayout != NULL ? m_pLayout->GetClient() : NULL;
}

CList<VZPDockingPaneRecord, const VZPDockingPaneRecord&>* CVZPDockingPaneManager::GetPaneRecords() const
{
    return m_pLayout != NULL ? &m_pLayout->GetRecords() : NULL;
}

CVZPImageManagerIcon* CVZPDockingPaneManager::LookupPaneIcon(int nIconID, int nWidth) const
{
    return m_pImageManager != NULL ? m_pImageManager->GetImage(UINT(nIconID), nWidth) : NULL;
}

BOOL CVZPDockingPaneManager::IsSiteMirrored() const
{
    return m_pSite != NULL && m_pSite->GetSafeHwnd() != NULL &&
           (::GetWindowLongW(m_pSite->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

int CVZPDockingPaneManager::MirrorSide(int nSide) const
{
    if (!IsSiteMirrored())
        return nSide;
    if (nSide == vzpPaneDockLeft)
        return vzpPaneDockRight;
    if (nSide == vzpPaneDockRight)
        return vzpPaneDockLeft;
    return nSide;
}

int CVZPDockingPaneManager::GetPaneSide(CVZPDockingPaneBase* pObject) const
{
    return m_pLayout != NULL ? m_pLayout->GetPaneSide(pObject) : vzpPaneDockLeft;
}

void CVZPDockingPaneManager::RevealPane(CVZPDockingPane* pPane, BOOL bSetFocus)
{
    if (pPane == NULL || m_pLayout == NULL)
        return;
    CVZPDockingPaneBase* pContainer = pPane->GetParentContainer();
    if (pContainer != NULL)
    {
        if (pContainer->GetType() == vzpPaneTypeTabbedContainer)
        {
            CVZPDockingPaneTabbedContainer* pTabbed = static_cast<CVZPDockingPaneTabbedContainer*>(pContainer);
            pTabbed->SelectPane(pPane, bSetFocus, TRUE);
            CVZPDockingPaneBase* pOuter = pTabbed->GetParentContainer();
            if (pOuter != NULL && pOuter->GetType() == vzpPaneTypeAutoHidePanel)
            {
                CVZPDockingPaneAutoHidePanel* pPanel = static_cast<CVZPDockingPaneAutoHidePanel*>(pOuter);
                CVZPDockingPaneAutoHideWnd* pShown = pPanel->GetCurrentWindow();
                if (pShown == NULL || pShown->m_pContainer != pTabbed)
                {
                    pPanel->CloseAutoHideWindow(FALSE);
                    pPanel->ShowAutoHideWindow(pPane, bSetFocus);
                }
            }
            else
            {
                pTabbed->MakeVisible(TRUE);
            }
        }
    }
    else
    {
        VZPDockingPaneRecord* pRecord = m_pLayout->FindRecord(pPane);
        if (pRecord != NULL && pRecord->pLastHolder != NULL)
        {
            CVZPDockingPaneBase* pHolder = pRecord->pLastHolder;
            if (pHolder->GetType() == vzpPaneTypeTabbedContainer)
            {
                CVZPDockingPaneTabbedContainer* pTabbed = static_cast<CVZPDockingPaneTabbedContainer*>(pHolder);
                // A holder that left the tree goes back to the side of it.
                if (pTabbed->GetParentContainer() == NULL && m_pLayout->GetTopContainer() != NULL &&
                    pTabbed != static_cast<CVZPDockingPaneBase*>(m_pLayout->GetTopContainer()))
                    InsertDocked(pTabbed, vzpPaneDockLeft, NULL);
                pTabbed->AttachPane(pPane, bSetFocus);
            }
        }
    }
    if (m_bLaidOut)
        pPane->ShowPaneWindow(TRUE);
    if (bSetFocus)
        pPane->SetPaneFocus();
}

void CVZPDockingPaneManager::ClosePane(CVZPDockingPane* pPane)
{
    if (pPane == NULL)
        return;
    if (m_pSite != NULL && m_pSite->GetSafeHwnd() != NULL &&
        m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneClosing, LPARAM(pPane)) == -1)
        return;
    CVZPDockingPaneBase* pContainer = pPane->GetParentContainer();
    if (pContainer != NULL)
        pContainer->RemoveChild(pPane);
}

namespace {

// The pane's container's or the container's place: inside a floating frame
// (its top ancestor is one).
CVZPDockingPaneBase* TopAncestor(CVZPDockingPaneBase* pObject)
{
    while (pObject != NULL && pObject->GetParentContainer() != NULL)
        pObject = pObject->GetParentContainer();
    return pObject;
}

}  // namespace

BOOL CVZPDockingPaneManager::IsInFloatingFrame(CVZPDockingPaneBase* pObject)
{
    CVZPDockingPaneBase* pTop = TopAncestor(pObject);
    return pTop != NULL && pTop->GetType() == vzpPaneTypeMiniWnd;
}

BOOL CVZPDockingPaneManager::IsFloating(CVZPDockingPaneBase* pObject)
{
    return pObject != NULL && (VZPIsWindowOfClass(pObject->GetHostWindow(), "CVZPDockingPaneMiniWnd") ||
                               (pObject->GetParentContainer() != NULL && IsInFloatingFrame(pObject)));
}

BOOL CVZPDockingPaneManager::MovePaneToHolder(CVZPDockingPane* pPane, CVZPDockingPaneBase* pHolder)
{
    if (pPane == NULL || m_pLayout == NULL)
        return FALSE;
    const BOOL bFloatMove = !IsFloating(pPane) && !pPane->IsAutoHidden();
    if (bFloatMove && (pPane->GetEffectiveOptions() & vzpPaneNoFloatable))
        return FALSE;
    if (SendPaneAction(bFloatMove ? actionFloating : actionDocking, pPane, pHolder))
        return FALSE;
    if (pHolder != NULL)
    {
        // A docking holder that left the tree goes back to the side of it.
        if (!bFloatMove && pHolder->GetParentContainer() == NULL && m_pLayout->GetTopContainer() != NULL &&
            pHolder != static_cast<CVZPDockingPaneBase*>(m_pLayout->GetTopContainer()))
            InsertDocked(pHolder, vzpPaneDockLeft, NULL);
        m_bAttaching = TRUE;
        AttachPaneTo(pPane, pHolder);
        RefreshPaneRecords();
        m_bAttaching = FALSE;
    }
    else
    {
        CVZPDockingPaneBase* pContainer = pPane->GetParentContainer();
        CRect rc = pContainer != NULL ? pContainer->GetScreenRect() : pPane->GetScreenRect();
        FloatPaneAt(pPane, rc);
    }
    SendPaneAction(bFloatMove ? actionFloated : actionDocked, pPane);
    return TRUE;
}

void CVZPDockingPaneManager::SwitchDockedFloating(CVZPDockingPaneBase* pObject)
{
    if (pObject == NULL || m_pLayout == NULL)
        return;
    const BOOL bToFloating = !IsFloating(pObject) && !pObject->IsAutoHidden();
    if (pObject->GetType() == vzpPaneTypeDockingPane)
    {
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(pObject);
        VZPDockingPaneRecord* pRecord = m_pLayout->FindRecord(pPane);
        CVZPDockingPaneBase* pHolder =
            pRecord == NULL ? NULL : (bToFloating ? pRecord->pFloatingHolder : pRecord->pDockingHolder);
        MovePaneToHolder(pPane, pHolder);
        return;
    }
    if (pObject->GetType() != vzpPaneTypeTabbedContainer && pObject->GetType() != vzpPaneTypeSplitterContainer)
        return;
    CVZPDockingPaneBaseList lstPanes;
    pObject->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    int nSelectedID = 0, nFocusID = 0;
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(lstPanes.GetNext(pos));
        CVZPDockingPaneBase* pContainer = pPane->GetParentContainer();
        if (nSelectedID == 0 && pContainer != NULL && pContainer->GetType() == vzpPaneTypeTabbedContainer &&
            static_cast<CVZPDockingPaneTabbedContainer*>(pContainer)->GetSelected() == pPane)
            nSelectedID = pPane->GetID();
        if (pPane->HasFocus())
            nFocusID = pPane->GetID();
    }
    CVZPDockingPaneBase* pPreviousHolder = NULL;
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(lstPanes.GetNext(pos));
        VZPDockingPaneRecord* pRecord = m_pLayout->FindRecord(pPane);
        CVZPDockingPaneBase* pHolder =
            pRecord == NULL ? NULL : (bToFloating ? pRecord->pFloatingHolder : pRecord->pDockingHolder);
        const CVZPDockingPaneBase* pOwnHolder = pHolder;
        if (pHolder == NULL)
            pHolder = pPreviousHolder;
        if (!MovePaneToHolder(pPane, pHolder))
        {
            if (pPane->GetID() == nFocusID)
                nFocusID = 0;
            if (pPane->GetID() == nSelectedID)
                nSelectedID = 0;
        }
        pPreviousHolder = const_cast<CVZPDockingPaneBase*>(pOwnHolder);
    }
    const int nShowID = nFocusID > 0 ? nFocusID : nSelectedID;
    if (nShowID > 0)
        RevealPane(FindPane(nShowID), TRUE);
}

void CVZPDockingPaneManager::SendToAutoHide(CVZPDockingPaneBase* pObject)
{
    if (pObject == NULL || m_pLayout == NULL)
        return;
    if (m_bGroupAutoHide && pObject->GetType() == vzpPaneTypeDockingPane && pObject->GetParentContainer() != NULL)
        pObject = pObject->GetParentContainer();
    CVZPDockingPaneBase* pParent = pObject->GetParentContainer();
    if (pParent == NULL)
        return;
    // Already hidden: its panel closes the sliding window at once.
    CVZPDockingPaneBase* pPanel = pParent->GetType() == vzpPaneTypeAutoHidePanel ? pParent
                                  : pParent->GetParentContainer();
    if (pPanel != NULL && pPanel->GetType() == vzpPaneTypeAutoHidePanel)
    {
        static_cast<CVZPDockingPaneAutoHidePanel*>(pPanel)->CloseAutoHideWindow(FALSE);
        return;
    }
    m_pLayout->MoveToAutoHide(pObject);
    VZPDelayFrameLayout(m_pSite);
}

void CVZPDockingPaneManager::FloatPaneAt(CVZPDockingPaneBase* pObject, CRect rc)
{
    if (pObject == NULL || m_pLayout == NULL)
        return;
    if (pObject->GetType() == vzpPaneTypeDockingPane)
    {
        CVZPDockingPaneBase* pContainer = pObject->GetParentContainer();
        if (pContainer != NULL)
            pContainer->RemoveChild(pObject);
    }
    else
    {
        CVZPDockingPaneBase* pCopy = pObject->Clone(m_pLayout, NULL, 0);
        if (pCopy == NULL)
            return;
        pObject = pCopy;
    }
    CVZPDockingPaneBase* pBase = CreatePaneObject(vzpPaneTypeMiniWnd, m_pLayout);
    if (pBase == NULL || pBase->GetType() != vzpPaneTypeMiniWnd)
        return;
    static_cast<CVZPDockingPaneMiniWnd*>(pBase)->SetupFloating(pObject, rc);
}

namespace {

// The one tabbed container inside a splitter (through nested splitters), or
// NULL when it holds more or fewer.
CVZPDockingPaneBase* LoneTabbedContainer(CVZPDockingPaneSplitterContainer* pSplitter)
{
    CVZPDockingPaneBaseList lstTabbed;
    pSplitter->CollectPanes(vzpPaneTypeTabbedContainer, &lstTabbed);
    return lstTabbed.GetCount() == 1 ? lstTabbed.GetHead() : NULL;
}

}  // namespace

void CVZPDockingPaneManager::DockPaneAtSide(CVZPDockingPaneBase* pObject, int nSide, CVZPDockingPaneBase* pNeighbour)
{
    if (pObject == NULL || m_pLayout == NULL)
        return;
    if (pObject->GetType() == vzpPaneTypeSplitterContainer)
    {
        CVZPDockingPaneBase* pTabbed = LoneTabbedContainer(static_cast<CVZPDockingPaneSplitterContainer*>(pObject));
        if (pTabbed != NULL)
            pObject = pTabbed;
    }
    if (pObject->GetType() == vzpPaneTypeDockingPane)
    {
        CVZPDockingPaneBase* pContainer = pObject->GetParentContainer();
        if (pContainer != NULL)
            pContainer->RemoveChild(pObject);
    }
    else
    {
        // The copy takes the panes; the emptied original leaves the tree.
        CVZPDockingPaneBase* pCopy = pObject->Clone(m_pLayout, NULL, 0);
        if (pCopy == NULL)
            return;
        pObject = pCopy;
    }
    InsertDocked(pObject, nSide, pNeighbour);
}

void CVZPDockingPaneManager::InsertDocked(CVZPDockingPaneBase* pObject, int nSide, CVZPDockingPaneBase* pNeighbour)
{
    if (pObject == NULL || m_pLayout == NULL || m_pLayout->GetTopContainer() == NULL)
        return;
    CVZPDockingPaneSplitterContainer* pTop = m_pLayout->GetTopContainer();
    if (pNeighbour == NULL || (pNeighbour->GetType() == vzpPaneTypeDockingPane &&
                               (pNeighbour->IsAutoHidden() || pNeighbour->GetParentContainer() == NULL)))
        pNeighbour = pTop;
    const BOOL bHorizontal = nSide == vzpPaneDockLeft || nSide == vzpPaneDockRight;
    const BOOL bAfter = nSide == vzpPaneDockRight || nSide == vzpPaneDockBottom;
    CWnd* pHost = pNeighbour->GetHostWindow();
    if (pHost == NULL)
        pHost = m_pSite;

    if (pObject->GetType() == vzpPaneTypeDockingPane)
    {
        CVZPDockingPaneBase* pWrapper = CreatePaneObject(vzpPaneTypeTabbedContainer, m_pLayout);
        if (pWrapper == NULL)
            return;
        static_cast<CVZPDockingPaneTabbedContainer*>(pWrapper)->WrapPane(static_cast<CVZPDockingPane*>(pObject), pHost);
        pObject = pWrapper;
    }

    if (pNeighbour == pTop)
    {
        if (pTop->IsHorizontal() == bHorizontal)
        {
            pTop->InsertChild(pObject, NULL, bAfter);
        }
        else
        {
            CVZPDockingPaneSplitterContainer* pNewTop = static_cast<CVZPDockingPaneSplitterContainer*>(
                CreatePaneObject(vzpPaneTypeSplitterContainer, m_pLayout));
            if (pNewTop == NULL)
                return;
            pNewTop->InitFirstChild(pTop, bHorizontal, pHost);
            m_pLayout->m_pTopContainer = pNewTop;
            pNewTop->InsertChild(pObject, NULL, bAfter);
        }
    }
    else
    {
        CVZPDockingPaneBase* pParent = pNeighbour->GetParentContainer();
        if (pParent != NULL && pParent->GetType() == vzpPaneTypeTabbedContainer)
        {
            pNeighbour = pParent;
            pParent = pNeighbour->GetParentContainer();
        }
        if (pParent == NULL || pParent->GetType() != vzpPaneTypeSplitterContainer)
        {
            // A neighbour outside the docked tree: dock at the tree's side.
            InsertDocked(pObject, nSide, NULL);
            return;
        }
        CVZPDockingPaneSplitterContainer* pSplitter = static_cast<CVZPDockingPaneSplitterContainer*>(pParent);
        if (pSplitter->IsHorizontal() == bHorizontal)
        {
            pSplitter->InsertChild(pObject, pNeighbour, bAfter);
        }
        else
        {
            CVZPDockingPaneSplitterContainer* pNew = static_cast<CVZPDockingPaneSplitterContainer*>(
                CreatePaneObject(vzpPaneTypeSplitterContainer, m_pLayout));
            if (pNew == NULL)
                return;
            pSplitter->ReplaceChild(pNeighbour, pNew);
            pNew->InitFirstChild(pNeighbour, bHorizontal, pHost);
            pNew->InsertChild(pObject, pNeighbour, bAfter);
        }
    }
    VZPDelayFrameLayout(pHost);
}

void CVZPDockingPaneManager::AttachPaneTo(CVZPDockingPaneBase* pObject, CVZPDockingPaneBase* pTarget)
{
    if (pObject == NULL || pTarget == NULL || m_pLayout == NULL)
        return;
    if (pTarget->GetType() == vzpPaneTypeDockingPane)
        pTarget = pTarget->GetParentContainer();
    if (pTarget == NULL || pTarget->GetType() != vzpPaneTypeTabbedContainer || pTarget == pObject)
        return;
    CVZPDockingPaneTabbedContainer* pTabbed = static_cast<CVZPDockingPaneTabbedContainer*>(pTarget);
    CVZPDockingPaneBaseList lstPanes;
    if (pObject->GetType() == vzpPaneTypeDockingPane)
        lstPanes.AddTail(pObject);
    else
        pObject->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(lstPanes.GetNext(pos));
        if (pPane->GetParentContainer() != NULL)
            pPane->GetParentContainer()->RemoveChild(pPane);
        pTabbed->AttachPane(pPane, TRUE);
    }
    RefreshPaneRecords();
}

CRect CVZPDockingPaneManager::ComputeDockRect(CVZPDockingPaneBase* pObject, int nSide, CVZPDockingPaneBase* pNeighbour)
{
    if (m_pLayout == NULL || m_pLayout->GetTopContainer() == NULL)
        return CRect(0, 0, 0, 0);
    CVZPDockingPaneSplitterContainer* pTop = m_pLayout->GetTopContainer();
    if (pNeighbour == NULL)
        pNeighbour = pTop;
    const BOOL bHorizontal = nSide == vzpPaneDockLeft || nSide == vzpPaneDockRight;
    if (pNeighbour != pTop)
    {
        CVZPDockingPaneBase* pParent = pNeighbour->GetParentContainer();
        if (pParent != NULL && pParent->GetType() == vzpPaneTypeTabbedContainer)
        {
            pNeighbour = pParent;
            pParent = pNeighbour->GetParentContainer();
        }
        if (pParent != NULL && pParent->GetType() == vzpPaneTypeSplitterContainer &&
            static_cast<CVZPDockingPaneSplitterContainer*>(pParent)->IsHorizontal() == bHorizontal)
            return static_cast<CVZPDockingPaneSplitterContainer*>(pParent)->ComputeChildRect(pObject, nSide, pNeighbour);
    }
    return CVZPDockingPaneSplitterContainer::ComputeSplitRect(pNeighbour, pObject, nSide);
}

BOOL CVZPDockingPaneManager::SendPaneAction(int nAction, void* pPane, CVZPDockingPaneBase* pTarget, int nSide)
{
    VZPDockingPaneActionRecord record = { nAction, 0, pPane, pTarget, nSide };
    if (m_pSite != NULL && m_pSite->GetSafeHwnd() != NULL)
        m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneAction, LPARAM(&record));
    return record.bCancel;
}

void CVZPDockingPaneManager::RefreshPaneFrames()
{
    if (GetSafeHwnd() == NULL || m_pLayout == NULL)
        return;
    for (POSITION pos = m_pLayout->m_lstRecords.GetHeadPosition(); pos != NULL;)
    {
        const VZPDockingPaneRecord& record = m_pLayout->m_lstRecords.GetNext(pos);
        CWnd* pHost = record.pPane != NULL ? record.pPane->GetHostFrame() : NULL;
        if (pHost == NULL || pHost->GetSafeHwnd() == NULL)
            continue;
        CFrameWnd* pFrame = pHost->IsFrameWnd() ? static_cast<CFrameWnd*>(pHost) : pHost->GetParentFrame();
        if (pFrame != NULL)
            pFrame->DelayRecalcLayout(TRUE);
        if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CVZPDockingPaneMiniWnd)))
            static_cast<CVZPDockingPaneMiniWnd*>(pFrame)->ApplyFrameStyle();
    }
}

void CVZPDockingPaneManager::RefreshPaneRecords()
{
    if (m_pLayout == NULL)
        return;
    for (POSITION pos = m_pLayout->m_lstRecords.GetHeadPosition(); pos != NULL;)
    {
        VZPDockingPaneRecord& record = m_pLayout->m_lstRecords.GetNext(pos);
        CVZPDockingPaneBase* pContainer = record.pPane != NULL ? record.pPane->GetParentContainer() : NULL;
        if (pContainer == NULL)
            continue;
        CVZPDockingPaneBase* pOuter = pContainer->GetParentContainer();
        if (pOuter != NULL && pOuter->GetType() == vzpPaneTypeAutoHidePanel)
            continue;
        if (VZPIsWindowOfClass(record.pPane->GetHostWindow(), "CVZPDockingPaneMiniWnd"))
            record.pFloatingHolder = pContainer;
        else
            record.pDockingHolder = pContainer;
        record.pLastHolder = pContainer;
    }
}

void CVZPDockingPaneManager::UpdatePanesIdle()
{
    if (m_pLayout == NULL)
        return;
    for (POSITION pos = m_pLayout->m_lstRecords.GetHeadPosition(); pos != NULL;)
    {
        const VZPDockingPaneRecord& record = m_pLayout->m_lstRecords.GetNext(pos);
        if (record.pPane != NULL)
            record.pPane->OnIdleUpdate();
    }
}

void CVZPDockingPaneManager::OnSysColorChange()
{
    RefreshColorsThrottled();
    RefreshPaneFrames();
}

void CVZPDockingPaneManager::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
    if (m_pPaintManager != NULL)
        m_pPaintManager->RefreshMetrics();
    RefreshPaneFrames();
}

LRESULT CVZPDockingPaneManager::OnIdleUpdateCmdUI(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    UpdatePanesIdle();
    return 0;
}

LRESULT CVZPDockingPaneManager::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam)
{
    if (m_pLayout == NULL || m_pLayout->GetTopContainer() == NULL)
        return 0;
    AFX_SIZEPARENTPARAMS* pParams = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_pLayout->RepositionInFrame(m_pSite, pParams->rect, pParams);
    RefreshPaneRecords();
    m_bLaidOut = TRUE;
    return 0;
}
