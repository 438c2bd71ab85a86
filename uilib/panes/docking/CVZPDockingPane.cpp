#include "CVZPDockingPane.h"

#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPPropExchange.h"

CVZPDockingPane::CVZPDockingPane(CVZPDockingPaneLayout* pLayout)
    : CVZPDockingPaneBase(vzpPaneTypeDockingPane, pLayout), m_hwndChild(NULL), m_nID(0), m_nIconID(-1),
      m_dwOptions(0), m_dwTag(0), m_szMinTrack(0, 0), m_szMaxTrack(32000, 32000), m_nTabColor(-1), m_nHelpID(0)
{
    EnableAutomation();
    // One record per pane, in creation order: FindPane walks them.
    if (pLayout != NULL)
    {
        VZPDockingPaneRecord record = { this, NULL, NULL, NULL };
        pLayout->m_lstRecords.AddTail(record);
    }
}

CVZPDockingPane::~CVZPDockingPane()
{
}

void CVZPDockingPane::SetPaneFocus()
{
    if (m_hwndChild == NULL)
        return;
    HWND hFocus = ::GetFocus();
    if (hFocus != m_hwndChild && !::IsChild(m_hwndChild, hFocus))
        ::SetFocus(m_hwndChild);
}

CString CVZPDockingPane::GetTitle() const
{
    int nBreak = m_strTitle.Find(L'\n');
    return nBreak < 0 ? m_strTitle : m_strTitle.Left(nBreak);
}

CString CVZPDockingPane::GetTabCaption() const
{
    int nBreak = m_strTitle.Find(L'\n');
    return nBreak < 0 ? m_strTitle : m_strTitle.Mid(nBreak + 1);
}

CVZPImageManagerIcon* CVZPDockingPane::GetPaneIcon(int nWidth) const
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager == NULL)
        return NULL;
    return pManager->LookupPaneIcon(m_nIconID == -1 ? m_nID : m_nIconID, nWidth);
}

COLORREF CVZPDockingPane::GetTabColor() const
{
    if (m_nTabColor != -1)
        return COLORREF(m_nTabColor);
    if (m_hwndChild != NULL)
    {
        LRESULT lColor = ::SendMessageW(m_hwndChild, WM_VZP_GETTABCOLOR, 0, 0);
        if (lColor != 0)
            return COLORREF(lColor);
    }
    // C's remainder keeps the id's sign: a negative id gives 0x1000000 - k,
    // which the strip takes as a raw (near-white) colour.
    return COLORREF(0x1000000 + m_nID % 8);
}

void CVZPDockingPane::CopyFrom(CVZPDockingPane* pPane)
{
    m_nDockingCX = pPane->m_nDockingCX;
    m_nDockingCY = pPane->m_nDockingCY;
    m_strTitle = pPane->m_strTitle;
    m_nIconID = pPane->m_nIconID;
    m_dwOptions = pPane->m_dwOptions;
    m_dwTag = pPane->m_dwTag;
    m_nID = pPane->m_nID;
    m_szMinTrack = pPane->m_szMinTrack;
    m_szMaxTrack = pPane->m_szMaxTrack;
    m_hwndChild = NULL;
}

void CVZPDockingPane::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    ZeroMemory(pInfo, sizeof(MINMAXINFO));
    pInfo->ptMinTrackSize = CPoint(m_szMinTrack.cx, m_szMinTrack.cy);
    pInfo->ptMaxTrackSize = CPoint(m_szMaxTrack.cx, m_szMaxTrack.cy);
}

void CVZPDockingPane::PlaceInFrame(CWnd* pParent, CRect rc, AFX_SIZEPARENTPARAMS* pParams)
{
    m_pHostWnd = pParent;
    if (pParams != NULL && pParams->hDWP == NULL)
        return;
    m_rcPane = rc;
    if (pParent == NULL || m_pParentContainer == NULL)
        return;
    CWnd* pContainerWnd = m_pParentContainer->GetPaneWindow();
    if (pContainerWnd == NULL || pContainerWnd->GetSafeHwnd() == NULL)
        return;
    ::MapWindowPoints(pParent->GetSafeHwnd(), pContainerWnd->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
    if (m_hwndChild != NULL)
        ::MoveWindow(m_hwndChild, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
}

void CVZPDockingPane::OnIdleUpdate()
{
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnIdleUpdate();
}

void CVZPDockingPane::SetParentContainer(CVZPDockingPaneBase* pContainer)
{
    m_pParentContainer = pContainer;
    if (m_hwndChild == NULL)
        return;
    if (pContainer != NULL)
    {
        CWnd* pContainerWnd = pContainer->GetPaneWindow();
        if (pContainerWnd != NULL && pContainerWnd->GetSafeHwnd() != NULL)
            ::SetParent(m_hwndChild, pContainerWnd->GetSafeHwnd());
        return;
    }
    ::ShowWindow(m_hwndChild, SW_HIDE);
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL && pManager->GetSafeHwnd() != NULL)
        ::SetParent(m_hwndChild, pManager->GetSafeHwnd());
    m_pHostWnd = NULL;
}

BOOL CVZPDockingPane::ExchangeProperties(CVZPPropExchange* pPX)
{
    CVZPDockingPaneBase::ExchangeProperties(pPX);
    PropExchangeStringNoDefault(pPX, L"Title", &m_strTitle);
    PropExchangeInt(pPX, L"ID", &m_nID, 0);
    PropExchangeInt(pPX, L"IconID", &m_nIconID, -1);
    int nOptions = int(m_dwOptions);
    PropExchangeInt(pPX, L"Options", &nOptions, 0);
    m_dwOptions = DWORD(nOptions);

    // Holders are stored as the save indexes of the containers (0: none).
    VZPDockingPaneRecord* pRecord = m_pLayout != NULL ? m_pLayout->FindRecord(this) : NULL;
    int nDocking = 0, nFloating = 0, nLast = 0;
    if (!pPX->IsLoading() && pRecord != NULL)
    {
        nDocking = pRecord->pDockingHolder != NULL ? pRecord->pDockingHolder->m_nSaveIndex : 0;
        nFloating = pRecord->pFloatingHolder != NULL ? pRecord->pFloatingHolder->m_nSaveIndex : 0;
        nLast = pRecord->pLastHolder != NULL ? pRecord->pLastHolder->m_nSaveIndex : 0;
    }
    if (pPX->IsLoading() || pRecord != NULL)
    {
        PropExchangeInt(pPX, L"DockingHolder", &nDocking, 0);
        PropExchangeInt(pPX, L"FloatingHolder", &nFloating, 0);
        PropExchangeInt(pPX, L"LastHolder", &nLast, 0);
    }
    PropExchangeInt(pPX, L"MinTrackX", &m_szMinTrack.cx, 0);
    PropExchangeInt(pPX, L"MinTrackY", &m_szMinTrack.cy, 0);
    PropExchangeInt(pPX, L"MaxTrackX", &m_szMaxTrack.cx, 32000);
    PropExchangeInt(pPX, L"MaxTrackY", &m_szMaxTrack.cy, 32000);
    if (pPX->m_nSchema > 9)
    {
        PropExchangeInt(pPX, L"TabColor", &m_nTabColor, -1);
        PropExchangeInt(pPX, L"HelpId", &m_nHelpID, 0);
        int nTag = int(m_dwTag);
        PropExchangeInt(pPX, L"Tag", &nTag, 0);
        if (pPX->IsLoading())
            m_dwTag = DWORD(nTag);
    }

    if (pPX->IsLoading() && m_pLayout != NULL)
    {
        CMapWordToPtr* pMap = static_cast<CMapWordToPtr*>(pPX->m_pExtraData);
        auto resolve = [pMap](int nIndex) -> CVZPDockingPaneBase* {
            void* pObject = NULL;
            if (pMap != NULL && nIndex > 0 && nIndex <= 0xFFFF && pMap->Lookup(WORD(nIndex), pObject))
                return static_cast<CVZPDockingPaneBase*>(pObject);
            return NULL;
        };
        VZPDockingPaneRecord record = { this, resolve(nFloating), resolve(nDocking), resolve(nLast) };
        VZPDockingPaneRecord* pOwn = m_pLayout->FindRecord(this);
        if (pOwn != NULL)
            *pOwn = record;
        else
            m_pLayout->m_lstRecords.AddTail(record);
    }
    return m_nID > 0;
}

CVZPDockingPaneBase* CVZPDockingPane::Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap,
                                            DWORD /*dwIgnoredOptions*/)
{
    CVZPDockingPaneManager* pManager = GetManager();
    CVZPDockingPaneBase* pBase = pManager != NULL ? pManager->CreatePaneObject(vzpPaneTypeDockingPane, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    CVZPDockingPane* pClone = static_cast<CVZPDockingPane*>(pBase);
    pClone->CopyFrom(this);
    if (pMap != NULL)
        pMap->SetAt(static_cast<CVZPDockingPaneBase*>(this), pBase);
    return pBase;
}

BOOL CVZPDockingPane::IsAutoHidden()
{
    return m_pParentContainer != NULL ? m_pParentContainer->IsAutoHidden() : FALSE;
}

void CVZPDockingPane::Attach(CWnd* pWnd)
{
    Attach(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL);
}

void CVZPDockingPane::Attach(HWND hWnd)
{
    m_hwndChild = hWnd;
    if (hWnd == NULL)
        return;
    // Reparents into the container window, or parks the closed pane's window.
    SetParentContainer(m_pParentContainer);
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnLayoutChanged(TRUE);
}

DWORD CVZPDockingPane::GetEffectiveOptions() const
{
    CVZPDockingPaneManager* pManager = GetManager();
    return m_dwOptions | (pManager != NULL ? pManager->m_dwDefaultPaneOptions : 0);
}

BOOL CVZPDockingPane::IsSelected() const
{
    if (m_pParentContainer == NULL || m_pParentContainer->GetType() != vzpPaneTypeTabbedContainer)
        return FALSE;
    return static_cast<CVZPDockingPaneTabbedContainer*>(m_pParentContainer)->GetSelected() == this;
}

BOOL CVZPDockingPane::HasFocus() const
{
    if (m_hwndChild == NULL)
        return FALSE;
    HWND hFocus = ::GetFocus();
    return hFocus != NULL && (hFocus == m_hwndChild || ::IsChild(m_hwndChild, hFocus));
}

CWnd* CVZPDockingPane::GetHostFrame() const
{
    return m_pParentContainer != NULL ? m_pParentContainer->GetHostWindow() : NULL;
}

void CVZPDockingPane::ShowPaneWindow(BOOL bShow)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (bShow && pManager != NULL && pManager->m_pSite != NULL && pManager->m_pSite->GetSafeHwnd() != NULL)
        pManager->m_pSite->SendMessage(WM_VZP_DOCKINGPANE_NOTIFY, vzpDockingPaneShowWindow, LPARAM(this));
    if (m_hwndChild != NULL)
        ::ShowWindow(m_hwndChild, bShow ? SW_SHOW : SW_HIDE);
}

void CVZPDockingPane::Close()
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL)
        pManager->ClosePane(this);
}

void CVZPDockingPane::SendToAutoHide()
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL)
        pManager->SendToAutoHide(this);
}
