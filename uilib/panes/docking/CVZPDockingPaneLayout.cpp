#include "CVZPDockingPaneLayout.h"

#include "CVZPDockingPane.h"
#include "CVZPDockingPaneAutoHidePanel.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneMiniWnd.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPPropExchange.h"
#include "CVZPPropExchangeArchive.h"

namespace {

CString PaneSectionName(int nIndex)
{
    CString strName;
    strName.Format(L"Pane-%d", nIndex);
    return strName;
}

}  // namespace

CVZPDockingPaneLayout::CVZPDockingPaneLayout(CVZPDockingPaneManager* pManager)
    : m_pTopContainer(NULL), m_pClient(NULL), m_lstRecords(10), m_lstObjects(10), m_bDetached(TRUE),
      m_pManager(pManager), m_bLastSaveUnwritable(FALSE)
{
    for (CVZPDockingPaneBase*& pPanel : m_pAutoHidePanels)
        pPanel = NULL;
    m_pClient = pManager->CreatePaneObject(vzpPaneTypeClient, this);
    m_pTopContainer =
        static_cast<CVZPDockingPaneSplitterContainer*>(pManager->CreatePaneObject(vzpPaneTypeSplitterContainer, this));
    if (m_pTopContainer != NULL && m_pClient != NULL)
        m_pTopContainer->InitFirstChild(m_pClient, TRUE, pManager->m_pSite);
}

CVZPDockingPaneLayout::~CVZPDockingPaneLayout()
{
    Clear();
}

void CVZPDockingPaneLayout::DestroyObject(CVZPDockingPaneBase* pObject)
{
    POSITION pos = m_lstObjects.Find(pObject);
    if (pos != NULL)
        m_lstObjects.RemoveAt(pos);
    if (pObject->GetType() == vzpPaneTypeDockingPane)
        static_cast<CVZPDockingPane*>(pObject)->InternalRelease();
    else
        delete pObject;
}

void CVZPDockingPaneLayout::Clear()
{
    while (!m_lstObjects.IsEmpty())
        DestroyObject(m_lstObjects.GetHead());
    m_lstRecords.RemoveAll();
    for (CVZPDockingPaneBase*& pPanel : m_pAutoHidePanels)
        pPanel = NULL;
    m_pTopContainer = NULL;
    m_pClient = NULL;
}

VZPDockingPaneRecord* CVZPDockingPaneLayout::FindRecord(CVZPDockingPane* pPane)
{
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos != NULL;)
    {
        VZPDockingPaneRecord& record = m_lstRecords.GetNext(pos);
        if (record.pPane == pPane)
            return &record;
    }
    return NULL;
}

int CVZPDockingPaneLayout::GetPaneSide(CVZPDockingPaneBase* pObject)
{
    CVZPDockingPaneBase* pFrom = pObject;
    for (CVZPDockingPaneBase* pUp = pObject != NULL ? pObject->GetParentContainer() : NULL; pUp != NULL;
         pFrom = pUp, pUp = pUp->GetParentContainer())
    {
        if (pUp->GetType() == vzpPaneTypeAutoHidePanel)
        {
            for (int nSide = 0; nSide < 4; nSide++)
            {
                if (m_pAutoHidePanels[nSide] == pUp)
                    return nSide;
            }
            return vzpPaneDockLeft;
        }
        if (pUp->GetType() != vzpPaneTypeSplitterContainer || m_pClient == NULL || pFrom->ContainsPane(m_pClient))
            continue;
        CVZPDockingPaneSplitterContainer* pSplitter = static_cast<CVZPDockingPaneSplitterContainer*>(pUp);
        POSITION posClient = POSITION(pSplitter->ContainsPane(m_pClient));
        if (posClient == NULL || pSplitter == m_pClient)
            continue;
        const BOOL bBefore = pSplitter->IsChildBefore(pFrom, posClient);
        if (pSplitter->IsHorizontal())
            return bBefore ? vzpPaneDockLeft : vzpPaneDockRight;
        return bBefore ? vzpPaneDockTop : vzpPaneDockBottom;
    }
    return vzpPaneDockLeft;
}

void CVZPDockingPaneLayout::RepositionInFrame(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* pParams)
{
    // Auto-hide strips take their room first.
    for (CVZPDockingPaneBase* pPanel : m_pAutoHidePanels)
    {
        if (pPanel != NULL)
            static_cast<CVZPDockingPaneAutoHidePanel*>(pPanel)->LayoutInFrame(pSite, &rc, pParams);
    }
    if (m_pClient != NULL)
        m_pClient->PlaceInFrame(pSite, rc, pParams);
    if (m_pTopContainer != NULL)
        m_pTopContainer->PlaceInFrame(pSite, rc, pParams);
}

void CVZPDockingPaneLayout::MovePanes(CVZPDockingPaneTabbedContainer* pTarget, CVZPDockingPaneBaseList& lstPanes,
                                      DWORD dwIgnoredOptions)
{
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pBase = lstPanes.GetNext(pos);
        if (pBase->GetType() != vzpPaneTypeDockingPane)
            continue;
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(pBase);
        if (pPane->GetEffectiveOptions() & dwIgnoredOptions)
            continue;
        if (pPane->GetParentContainer() != NULL)
            pPane->GetParentContainer()->RemoveChild(pPane);
        pTarget->AttachPane(pPane, TRUE);
    }
}

void CVZPDockingPaneLayout::MoveToAutoHide(CVZPDockingPaneBase* pObject)
{
    if (pObject == NULL || m_pManager == NULL)
        return;
    const int nSide = GetPaneSide(pObject);
    if (m_pAutoHidePanels[nSide] == NULL)
    {
        CVZPDockingPaneBase* pPanel = m_pManager->CreatePaneObject(vzpPaneTypeAutoHidePanel, this);
        if (pPanel == NULL)
            return;
        static_cast<CVZPDockingPaneAutoHidePanel*>(pPanel)->m_nSide = nSide;
        m_pAutoHidePanels[nSide] = pPanel;
    }
    CVZPDockingPaneAutoHidePanel* pPanel = static_cast<CVZPDockingPaneAutoHidePanel*>(m_pAutoHidePanels[nSide]);
    if (JoinHiddenGroup(pPanel, pObject))
        return;
    switch (pObject->GetType())
    {
    case vzpPaneTypeTabbedContainer:
    {
        CVZPDockingPaneBase* pCopy = pObject->Clone(this, NULL, vzpPaneNoHideable);
        if (pCopy != NULL)
            pPanel->AddContainer(pCopy);
        break;
    }
    case vzpPaneTypeSplitterContainer:
        if (pObject->GetParentContainer() != NULL)
            pObject->GetParentContainer()->RemoveChild(pObject);
        pPanel->AddContainer(pObject);
        break;
    case vzpPaneTypeDockingPane:
    {
        if (pObject->GetParentContainer() != NULL)
            pObject->GetParentContainer()->RemoveChild(pObject);
        CVZPDockingPaneBase* pWrapper = m_pManager->CreatePaneObject(vzpPaneTypeTabbedContainer, this);
        if (pWrapper == NULL)
            return;
        static_cast<CVZPDockingPaneTabbedContainer*>(pWrapper)->WrapPane(static_cast<CVZPDockingPane*>(pObject),
                                                                          m_pManager->m_pSite);
        pPanel->AddContainer(pWrapper);
        break;
    }
    default:
        break;
    }
}

BOOL CVZPDockingPaneLayout::JoinHiddenGroup(CVZPDockingPaneBase* pPanelBase, CVZPDockingPaneBase* pObject)
{
    CVZPDockingPaneBaseList lstPanes;
    pObject->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    if (lstPanes.IsEmpty())
        return FALSE;
    VZPDockingPaneRecord* pRecord = FindRecord(static_cast<CVZPDockingPane*>(lstPanes.GetHead()));
    if (pRecord == NULL || pRecord->pDockingHolder == NULL)
        return FALSE;
    CVZPDockingPaneAutoHidePanel* pPanel = static_cast<CVZPDockingPaneAutoHidePanel*>(pPanelBase);
    for (POSITION pos = pPanel->GetHiddenContainers().GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pHidden = pPanel->GetHiddenContainers().GetNext(pos);
        if (pHidden == pObject || pHidden->GetType() != vzpPaneTypeTabbedContainer)
            continue;
        CVZPDockingPaneBaseList lstHiddenPanes;
        pHidden->CollectPanes(vzpPaneTypeDockingPane, &lstHiddenPanes);
        if (lstHiddenPanes.IsEmpty())
            continue;
        VZPDockingPaneRecord* pHiddenRecord = FindRecord(static_cast<CVZPDockingPane*>(lstHiddenPanes.GetHead()));
        if (pHiddenRecord == NULL || pHiddenRecord->pDockingHolder != pRecord->pDockingHolder)
            continue;
        MovePanes(static_cast<CVZPDockingPaneTabbedContainer*>(pHidden), lstPanes, vzpPaneNoHideable);
        return TRUE;
    }
    return FALSE;
}

void CVZPDockingPaneLayout::Normalize()
{
    BOOL bDeleted = TRUE;
    while (bDeleted)
    {
        bDeleted = FALSE;
        CList<CVZPDockingPaneBase*, CVZPDockingPaneBase*> lstReferenced;
        for (POSITION pos = m_lstRecords.GetHeadPosition(); pos != NULL;)
        {
            const VZPDockingPaneRecord& record = m_lstRecords.GetNext(pos);
            lstReferenced.AddTail(record.pDockingHolder);
            lstReferenced.AddTail(record.pFloatingHolder);
            if (record.pPane != NULL)
                lstReferenced.AddTail(record.pPane->GetParentContainer());
        }
        for (POSITION pos = m_lstObjects.GetHeadPosition(); pos != NULL && !bDeleted;)
        {
            CVZPDockingPaneBase* pObject = m_lstObjects.GetNext(pos);
            CVZPDockingPaneBase* pParent = pObject->GetParentContainer();
            switch (pObject->GetType())
            {
            case vzpPaneTypeTabbedContainer:
                if (lstReferenced.Find(pObject) == NULL)
                {
                    if (pParent != NULL)
                        pParent->RemoveChild(pObject);
                    DestroyObject(pObject);
                    bDeleted = TRUE;
                }
                break;
            case vzpPaneTypeSplitterContainer:
            {
                CVZPDockingPaneSplitterContainer* pSplitter = static_cast<CVZPDockingPaneSplitterContainer*>(pObject);
                if (pSplitter->m_lstChildren.IsEmpty())
                {
                    if (pParent != NULL)
                        pParent->RemoveChild(pObject);
                    if (m_pTopContainer == pSplitter)
                        m_pTopContainer = NULL;
                    DestroyObject(pObject);
                    bDeleted = TRUE;
                }
                else if (pSplitter->m_lstChildren.GetCount() == 1 && pParent != NULL &&
                         pParent->GetType() == vzpPaneTypeSplitterContainer &&
                         static_cast<CVZPDockingPaneSplitterContainer*>(pParent)->m_lstChildren.GetCount() == 1)
                {
                    CVZPDockingPaneSplitterContainer* pOuter = static_cast<CVZPDockingPaneSplitterContainer*>(pParent);
                    CVZPDockingPaneBase* pChild = pSplitter->m_lstChildren.GetHead();
                    pSplitter->m_lstChildren.RemoveAll();
                    pOuter->m_lstChildren.RemoveAll();
                    pOuter->m_lstChildren.AddTail(pChild);
                    pChild->m_pParentContainer = pOuter;
                    pOuter->RebuildBars();
                    DestroyObject(pObject);
                    bDeleted = TRUE;
                }
                break;
            }
            case vzpPaneTypeMiniWnd:
                if (static_cast<CVZPDockingPaneMiniWnd*>(pObject)->GetTopContainer() == NULL)
                {
                    DestroyObject(pObject);
                    bDeleted = TRUE;
                }
                break;
            default:
                break;
            }
        }
    }
}

BOOL CVZPDockingPaneLayout::DoPropExchange(CVZPPropExchange* pPX)
{
    // A damaged archive throws while it is read: that is a failed load.
    try
    {
        if (pPX->IsLoading())
            return Load(pPX);
        Save(pPX);
        return TRUE;
    }
    catch (CException* pException)
    {
        pException->Delete();
        return FALSE;
    }
}

void CVZPDockingPaneLayout::Serialize(CArchive& ar)
{
    CVZPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

void CVZPDockingPaneLayout::Save(CVZPPropExchange* pPX)
{
    pPX->EmptySection();
    m_bLastSaveUnwritable = !pPX->BeforeExchange();
    Normalize();
    CVZPPropExchangeSectionRef summary(pPX, L"Summary");
    int nCount = int(m_lstObjects.GetCount());
    PropExchangeIntNoDefault(summary, L"Panes", &nCount);
    summary->ExchangeSchema();
    pPX->m_nSchema = summary->m_nSchema;

    int nIndex = 1;
    for (POSITION pos = m_lstObjects.GetHeadPosition(); pos != NULL; nIndex++)
    {
        CVZPDockingPaneBase* pObject = m_lstObjects.GetNext(pos);
        pObject->m_nSaveIndex = nIndex;
        CVZPPropExchangeSectionRef section(pPX, PaneSectionName(nIndex));
        int nType = pObject->GetType();
        PropExchangeIntNoDefault(section, L"Type", &nType);
    }
    for (POSITION pos = m_lstObjects.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pObject = m_lstObjects.GetNext(pos);
        CVZPPropExchangeSectionRef section(pPX, PaneSectionName(pObject->m_nSaveIndex));
        section->m_nSchema = summary->m_nSchema;
        pObject->ExchangeProperties(section);
    }
    int nTop = m_pTopContainer != NULL ? m_pTopContainer->m_nSaveIndex : 0;
    int nClient = m_pClient != NULL ? m_pClient->m_nSaveIndex : 0;
    PropExchangeIntNoDefault(summary, L"TopContainer", &nTop);
    PropExchangeIntNoDefault(summary, L"Client", &nClient);
}

BOOL CVZPDockingPaneLayout::Load(CVZPPropExchange* pPX)
{
    Clear();
    CVZPPropExchangeSectionRef summary(pPX, L"Summary");
    int nCount = 0;
    PropExchangeIntNoDefault(summary, L"Panes", &nCount);
    if (nCount < 2 || nCount > 0xFFFF)
        return FALSE;
    summary->ExchangeSchema();

    CMapWordToPtr mapIds(10);
    mapIds.InitHashTable(10);
    for (int i = 1; i <= nCount; i++)
    {
        CVZPPropExchangeSectionRef section(pPX, PaneSectionName(i));
        int nType = -1;
        PropExchangeInt(section, L"Type", &nType, -1);
        CVZPDockingPaneBase* pObject = m_pManager->CreatePaneObject(nType, this);
        if (pObject == NULL)
            return FALSE;
        pObject->m_nSaveIndex = i;
        mapIds.SetAt(WORD(i), pObject);
    }
    for (POSITION pos = m_lstObjects.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pObject = m_lstObjects.GetNext(pos);
        CVZPPropExchangeSectionRef section(pPX, PaneSectionName(pObject->m_nSaveIndex));
        section->m_pExtraData = &mapIds;
        section->m_nSchema = summary->m_nSchema;
        if (!pObject->ExchangeProperties(section))
            return FALSE;
    }
    // Holders resolved above stay valid: the map's objects are this
    // layout's own.
    int nTop = 0, nClient = 0;
    PropExchangeIntNoDefault(summary, L"TopContainer", &nTop);
    void* pTop = NULL;
    if (nTop <= 0 || nTop > 0xFFFF || !mapIds.Lookup(WORD(nTop), pTop) ||
        static_cast<CVZPDockingPaneBase*>(pTop)->GetType() != vzpPaneTypeSplitterContainer)
        return FALSE;
    m_pTopContainer = static_cast<CVZPDockingPaneSplitterContainer*>(static_cast<CVZPDockingPaneBase*>(pTop));
    PropExchangeIntNoDefault(summary, L"Client", &nClient);
    void* pClient = NULL;
    if (nClient <= 0 || nClient > 0xFFFF || !mapIds.Lookup(WORD(nClient), pClient) ||
        static_cast<CVZPDockingPaneBase*>(pClient)->GetType() != vzpPaneTypeClient)
        return FALSE;
    m_pClient = static_cast<CVZPDockingPaneBase*>(pClient);
    // The view's place must be in the docked tree, or the frame would lay
    // out a tree without it.
    if (!m_pTopContainer->ContainsPane(m_pClient))
        return FALSE;
    return TRUE;
}
