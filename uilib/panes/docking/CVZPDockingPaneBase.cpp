#include "CVZPDockingPaneBase.h"

#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPPropExchange.h"

CVZPDockingPaneBase::CVZPDockingPaneBase(int nType, CVZPDockingPaneLayout* pLayout)
    : m_nDockingCX(0), m_nDockingCY(0), m_pLayout(pLayout), m_pParentContainer(NULL), m_pHostWnd(NULL),
      m_nType(nType), m_rcPane(0, 0, 0, 0), m_nLayoutLength(0), m_nSaveIndex(0)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL)
        m_pHostWnd = pManager->m_pSite;
    if (m_pLayout != NULL)
        m_pLayout->m_lstObjects.AddTail(this);
}

CVZPDockingPaneBase::~CVZPDockingPaneBase()
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
        delete m_arrCaptionButtons[i];
    m_arrCaptionButtons.RemoveAll();
}

void CVZPDockingPaneBase::InvalidatePane()
{
    CWnd* pWnd = GetPaneWindow();
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        ::InvalidateRect(pWnd->GetSafeHwnd(), NULL, FALSE);
}

INT_PTR CVZPDockingPaneBase::ContainsPane(CVZPDockingPaneBase* pPane)
{
    return pPane == this;
}

void CVZPDockingPaneBase::CollectPanes(int nType, CVZPDockingPaneBaseList* pList)
{
    if (m_nType == nType)
        pList->AddTail(this);
}

void CVZPDockingPaneBase::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    ZeroMemory(pInfo, sizeof(MINMAXINFO));
    pInfo->ptMaxTrackSize.x = 32000;
    pInfo->ptMaxTrackSize.y = 32000;
}

void CVZPDockingPaneBase::PlaceInFrame(CWnd* /*pParent*/, CRect rc, AFX_SIZEPARENTPARAMS* pParams)
{
    m_rcPane = rc;
    if (pParams != NULL)
        pParams->rect = rc;
}

void CVZPDockingPaneBase::OnIdleUpdate()
{
}

void CVZPDockingPaneBase::SetHostWindow(CWnd* pWnd)
{
    m_pHostWnd = pWnd;
}

void CVZPDockingPaneBase::SetParentContainer(CVZPDockingPaneBase* pContainer)
{
    m_pParentContainer = pContainer;
}

void CVZPDockingPaneBase::OnChildChanged(CVZPDockingPaneBase* /*pChild*/)
{
}

void CVZPDockingPaneBase::OnLayoutChanged(BOOL bReposition)
{
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnLayoutChanged(bReposition);
}

void CVZPDockingPaneBase::OnAttached(CVZPDockingPaneBase* /*pParent*/)
{
}

BOOL CVZPDockingPaneBase::ExchangeProperties(CVZPPropExchange* pPX)
{
    PropExchangeInt(pPX, L"DockingCX", &m_nDockingCX, 0);
    PropExchangeInt(pPX, L"DockingCY", &m_nDockingCY, 0);
    return TRUE;
}

namespace {

CString ChildKey(int i)
{
    CString strKey;
    strKey.Format(L"Pane-%d", i);
    return strKey;
}

}  // namespace

void CVZPDockingPaneBase::SaveChildIndex(CVZPPropExchange* pPX, int i, int nSaveIndex)
{
    PropExchangeIntNoDefault(pPX, ChildKey(i), &nSaveIndex);
}

CVZPDockingPaneBase* CVZPDockingPaneBase::LoadChild(CVZPPropExchange* pPX, int i, int* pnIndex)
{
    int nIndex = 0;
    PropExchangeInt(pPX, ChildKey(i), &nIndex, 0);
    if (pnIndex != NULL)
        *pnIndex = nIndex;
    CMapWordToPtr* pMap = static_cast<CMapWordToPtr*>(pPX->m_pExtraData);
    void* pObject = NULL;
    if (pMap == NULL || nIndex <= 0 || nIndex > 0xFFFF || !pMap->Lookup(WORD(nIndex), pObject))
        return NULL;
    return static_cast<CVZPDockingPaneBase*>(pObject);
}

CVZPDockingPaneBase* CVZPDockingPaneBase::Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap,
                                                DWORD /*dwIgnoredOptions*/)
{
    CVZPDockingPaneBase* pClone = new CVZPDockingPaneBase(m_nType, pLayout);
    if (pMap != NULL)
        pMap->SetAt(this, pClone);
    return pClone;
}

void CVZPDockingPaneBase::RemoveChild(CVZPDockingPaneBase* /*pChild*/)
{
}

BOOL CVZPDockingPaneBase::IsEmpty()
{
    CVZPDockingPaneManager* pManager = GetManager();
    return m_nType == vzpPaneTypeClient && pManager != NULL && pManager->m_bHideClient;
}

void CVZPDockingPaneBase::OnHook(int /*nArgument*/)
{
}

BOOL CVZPDockingPaneBase::IsCaptionButtonVisible(CVZPDockingPaneCaptionButton* /*pButton*/)
{
    return TRUE;
}

CWnd* CVZPDockingPaneBase::GetPaneWindow()
{
    return NULL;
}

BOOL CVZPDockingPaneBase::IsAutoHidden()
{
    return FALSE;
}

CVZPDockingPaneManager* CVZPDockingPaneBase::GetManager() const
{
    return m_pLayout != NULL ? m_pLayout->m_pManager : NULL;
}

CVZPDockingPanePaintManager* CVZPDockingPaneBase::GetDockingPaintManager() const
{
    CVZPDockingPaneManager* pManager = GetManager();
    return pManager != NULL ? pManager->GetPaintManager() : NULL;
}

CRect CVZPDockingPaneBase::GetScreenRect() const
{
    CRect rc = m_rcPane;
    if (m_pHostWnd != NULL && m_pHostWnd->GetSafeHwnd() != NULL)
        m_pHostWnd->ClientToScreen(&rc);
    return rc;
}

CVZPDockingPaneCaptionButton* CVZPDockingPaneBase::FindCaptionButton(int nID) const
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
    {
        if (m_arrCaptionButtons[i]->m_nID == nID)
            return m_arrCaptionButtons[i];
    }
    return NULL;
}

BOOL VZPIsWindowOfClass(CWnd* pWnd, LPCSTR pszClassName)
{
    if (pWnd == NULL)
        return FALSE;
    for (CRuntimeClass* pClass = pWnd->GetRuntimeClass(); pClass != NULL; pClass = pClass->m_pBaseClass)
    {
        if (lstrcmpA(pClass->m_lpszClassName, pszClassName) == 0)
            return TRUE;
    }
    return FALSE;
}
