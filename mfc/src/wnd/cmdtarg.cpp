// CCmdTarget: message maps, command routing, reference counting, wait cursor;
// CCmdUI: idle update of one user-interface item.
#include "wndstate.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() : m_dwRef(1) {}

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } };
    static const AFX_MSGMAP messageMap = { NULL, &entries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                              AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != NULL)
    {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }
    (void)nCode;
    // Nothing below touches pTarget after the handler returns: a handler may
    // delete its own object.
    switch (nSig)
    {
    case AfxSigCmd_v:
        (pTarget->*AfxMsgFnBack<void (CCmdTarget::*)()>(pfn))();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*AfxMsgFnBack<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*AfxMsgFnBack<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*AfxMsgFnBack<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigNotify_v:
    {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        (pTarget->*AfxMsgFnBack<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    }
    case AfxSigNotify_b:
    {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        return (pTarget->*AfxMsgFnBack<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
    }
    case AfxSigNotify_RANGE:
    {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        (pTarget->*AfxMsgFnBack<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    }
    case AfxSigNotify_EX:
    {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        return (pTarget->*AfxMsgFnBack<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                           pNotify->pResult);
    }
    case AfxSigCmdUI:
    {
        // The handler may ask to continue routing to the next target.
        CCmdUI* pCmdUI = (CCmdUI*)pExtra;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*AfxMsgFnBack<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        BOOL bResult = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bResult;
    }
    default:
        return FALSE;
    }
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // nCode: low word the notification code, high word the message (0 for
    // WM_COMMAND). CN_UPDATE_COMMAND_UI (-1) stands for itself.
    UINT nMsg = 0;
    UINT nCodeEntry = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nCode);
        nCodeEntry = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nCodeEntry, nID);
        if (lpEntry != NULL)
            return AfxDispatchCmdMsg(this, nID, (int)nCodeEntry, lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
    }
    return FALSE;
}

DWORD CCmdTarget::InternalAddRef()
{
    return (DWORD)::InterlockedIncrement(&m_dwRef);
}

DWORD CCmdTarget::InternalRelease()
{
    if (m_dwRef == 0)
        return 0;
    LONG lResult = ::InterlockedDecrement(&m_dwRef);
    if (lResult == 0)
        OnFinalRelease();
    return (DWORD)lResult;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

// ---------------------------------------------------------------------------
// Wait cursor (counted per thread)

void CCmdTarget::BeginWaitCursor()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    if (pState->m_nWaitCursorCount++ == 0)
        pState->m_hcurWaitCursorRestore = hcurPrev;
}

void CCmdTarget::EndWaitCursor()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nWaitCursorCount == 0)
        return;
    if (--pState->m_nWaitCursorCount == 0)
    {
        HCURSOR hcur = pState->m_hcurWaitCursorRestore;
        ::SetCursor(hcur != NULL ? hcur : ::LoadCursor(NULL, IDC_ARROW));
        pState->m_hcurWaitCursorRestore = NULL;
    }
}

void CCmdTarget::RestoreWaitCursor()
{
    if (AfxGetThreadState()->m_nWaitCursorCount > 0)
        ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
}

CWaitCursor::CWaitCursor() { AfxGetApp() ? AfxGetApp()->BeginWaitCursor() : CCmdTarget().BeginWaitCursor(); }
CWaitCursor::~CWaitCursor() { AfxGetApp() ? AfxGetApp()->EndWaitCursor() : CCmdTarget().EndWaitCursor(); }
void CWaitCursor::Restore() { CCmdTarget().RestoreWaitCursor(); }

// ---------------------------------------------------------------------------
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pOther(NULL), m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE), m_nIndexMax(0), m_pParentMenu(NULL)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL)
    {
        if (m_pSubMenu != NULL)
            return;   // pop-up entries are not commands
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther != NULL && m_pOther->m_hWnd != NULL)
    {
        // Move the focus away from a control that is being disabled.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
            if (hWndParent != NULL)
                ::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL)
    {
        if (m_pSubMenu != NULL)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther != NULL && m_pOther->m_hWnd != NULL)
    {
        // Only buttons can be checked.
        if (::SendMessage(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessage(m_pOther->m_hWnd, BM_SETCHECK, nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != NULL)
    {
        if (m_pSubMenu != NULL)
            return;
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        nState &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | MF_HILITE);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    }
    else if (m_pOther != NULL && m_pOther->m_hWnd != NULL)
    {
        ::SetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    // Id 0 and ids whose low word is 0xFFFF (menu titles: GetMenuItemID of a
    // pop-up) are not commands.
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;

    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
