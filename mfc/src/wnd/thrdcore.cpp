// CWinThread: message loop, idle processing, worker and user-interface threads.
#include "wndstate.h"

#include <process.h>
#include <algorithm>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

// ---------------------------------------------------------------------------
// Live thread objects (to clear a destroyed main window everywhere)

static CAfxLock& ThreadListLock()
{
    static CAfxLock* s_pLock = new CAfxLock;   // outlives every thread object
    return *s_pLock;
}

static std::vector<CWinThread*>& ThreadList()
{
    static std::vector<CWinThread*>* s_pList = new std::vector<CWinThread*>;
    return *s_pList;
}

void AfxRegisterThreadObject(CWinThread* pThread)
{
    CAfxLockGuard guard(ThreadListLock());
    ThreadList().push_back(pThread);
}

void AfxUnregisterThreadObject(CWinThread* pThread)
{
    CAfxLockGuard guard(ThreadListLock());
    auto& list = ThreadList();
    list.erase(std::remove(list.begin(), list.end(), pThread), list.end());
}

void AfxForgetMainWnd(CWnd* pWnd)
{
    CAfxLockGuard guard(ThreadListLock());
    for (CWinThread* pThread : ThreadList())
    {
        if (pThread->m_pMainWnd == pWnd)
            pThread->m_pMainWnd = NULL;
        if (pThread->m_pActiveWnd == pWnd)
            pThread->m_pActiveWnd = NULL;
    }
}

// ---------------------------------------------------------------------------

void CWinThread::CommonConstruct()
{
    m_pMainWnd = NULL;
    m_pActiveWnd = NULL;
    m_bAutoDelete = TRUE;
    m_hThread = NULL;
    m_nThreadID = 0;
    m_msgCur = MSG();
    m_pThreadParams = NULL;
    m_pfnThreadProc = NULL;
    m_ptCursorLast = CPoint(-1, -1);
    m_nMsgLast = 0;
    AfxRegisterThreadObject(this);
}

CWinThread::CWinThread()
{
    CommonConstruct();
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
{
    CommonConstruct();
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

CWinThread::~CWinThread()
{
    AfxUnregisterThreadObject(this);
    if (m_hThread != NULL && m_hThread != ::GetCurrentThread())
        ::CloseHandle(m_hThread);
    _AFX_THREAD_STATE* pState = AfxPeekThreadState();
    if (pState != NULL && pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

namespace {

// What a new thread needs from the thread that created it.
struct ThreadStart
{
    CWinThread* pThread;
    HDESK hDesktop;   // the creator's desktop; not owned
};

} // namespace

unsigned __stdcall AfxThreadEntry(void* pParam)
{
    ThreadStart start = *(ThreadStart*)pParam;
    delete (ThreadStart*)pParam;
    CWinThread* pThread = start.pThread;

    // A worker's windows belong beside its creator's. A new thread otherwise
    // gets a desktop of the system's choosing (under Wine the default one,
    // even for a program started on a named desktop), where nobody sees or
    // answers what it shows. The thread has no window or hook yet, so the
    // switch is allowed.
    if (start.hDesktop != NULL && start.hDesktop != ::GetThreadDesktop(::GetCurrentThreadId()))
        ::SetThreadDesktop(start.hDesktop);

    AfxGetThreadState()->m_pCurrentWinThread = pThread;

    // A worker starts with the application's main window as its own.
    CWinApp* pApp = AfxGetApp();
    if (pThread->m_pMainWnd == NULL && pApp != NULL && pApp != pThread)
        pThread->m_pMainWnd = pApp->m_pMainWnd;

    UINT nResult;
    if (pThread->m_pfnThreadProc != NULL)
    {
        nResult = (*pThread->m_pfnThreadProc)(pThread->m_pThreadParams);
    }
    else if (!pThread->InitInstance())
    {
        nResult = (UINT)pThread->ExitInstance();
    }
    else
    {
        nResult = (UINT)pThread->Run();
    }
    AfxEndThread(nResult);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    // Created suspended so that m_hThread and m_nThreadID are set before the
    // thread runs.
    unsigned nThreadID = 0;
    ThreadStart* pStart = new ThreadStart{this, ::GetThreadDesktop(::GetCurrentThreadId())};
    uintptr_t hThread = _beginthreadex(lpSecurityAttrs, nStackSize, &AfxThreadEntry, pStart, CREATE_SUSPENDED, &nThreadID);
    if (hThread == 0)
    {
        delete pStart;
        return FALSE;
    }
    m_hThread = (HANDLE)hThread;
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

// Starts pThread at nPriority; it runs at once unless CREATE_SUSPENDED.
static CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                               LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = (CWinThread*)pThreadClass->CreateObject();
    if (pThread == NULL)
        AfxThrowMemoryException();
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    CWinThread* pThread = pState->m_pCurrentWinThread;
    if (pThread != NULL && pThread != AfxGetApp())
    {
        if (bDelete)
            pThread->Delete();
        pState->m_pCurrentWinThread = NULL;
    }
    pState->DeleteTempMaps();
    AfxTermThreadLocals();
    _endthreadex(nExitCode);
    for (;;) {}
}

CWinThread* AFXAPI AfxGetThread()
{
    CWinThread* pThread = AfxGetThreadState()->m_pCurrentWinThread;
    return pThread;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != NULL)
        return m_pActiveWnd;
    if (m_pMainWnd != NULL)
        return m_pMainWnd;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp != this)
        return pApp->m_pMainWnd;
    return NULL;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->GetMainWnd();
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->GetMainWnd() : NULL;
}

// ---------------------------------------------------------------------------
// Message loop

BOOL CWinThread::InitInstance()
{
    return FALSE;   // a user-interface thread class says otherwise
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL AfxInternalPreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = pMainWnd->GetSafeHwnd();
    // Only windows of this thread take part: the main window may belong to
    // another thread.
    if (hWndMain != NULL && ::GetWindowThreadProcessId(hWndMain, NULL) != ::GetCurrentThreadId())
        hWndMain = NULL;
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    if (hWndMain != NULL && pMsg->hwnd != NULL)
    {
        // A message for another top-level window still goes to the main window.
        HWND hWndTop = pMsg->hwnd;
        while ((::GetWindowLong(hWndTop, GWL_STYLE) & WS_CHILD) && ::GetParent(hWndTop) != NULL)
            hWndTop = ::GetParent(hWndTop);
        if (hWndTop != hWndMain)
        {
            CWnd* pMain = CWnd::FromHandlePermanent(hWndMain);
            if (pMain != NULL && pMain->PreTranslateMessage(pMsg))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
        return TRUE;
    return AfxInternalPreTranslateMessage(pMsg);
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PreTranslateMessage(pMsg);
    return AfxInternalPreTranslateMessage(pMsg);
}

BOOL AfxInternalPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    MSG* pMsg = pThread != NULL ? &pThread->m_msgCur : &AfxGetThreadState()->m_msgCur;
    if (!::GetMessage(pMsg, NULL, 0, 0))
        return FALSE;
    if (pMsg->message != WM_KICKIDLE && !AfxPreTranslateMessage(pMsg))
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
    }
    return TRUE;
}

BOOL CWinThread::PumpMessage()
{
    return AfxInternalPumpMessage();
}

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PumpMessage();
    return AfxInternalPumpMessage();
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->IsIdleMessage(pMsg);
    // Without a thread object: only paint and caret blinks are not idle causes.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // A mouse move to the same place, a paint or a caret blink does not
    // restart idle processing.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (m_ptCursorLast == CPoint(pMsg->pt) && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

void AFXAPI AfxAddIdleUpdateWnd(CWnd* pWnd)
{
    auto& list = AfxGetThreadState()->m_pImpl->m_idleUpdateWnds;
    if (std::find(list.begin(), list.end(), pWnd) == list.end())
        list.push_back(pWnd);
}

void AFXAPI AfxRemoveIdleUpdateWnd(CWnd* pWnd)
{
    _AFX_THREAD_STATE* pState = AfxPeekThreadState();
    if (pState == NULL)
        return;
    auto& list = pState->m_pImpl->m_idleUpdateWnds;
    list.erase(std::remove(list.begin(), list.end(), pWnd), list.end());
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // Idle update of the main window and its permanent descendants.
        CWnd* pMainWnd = m_pMainWnd;
        HWND hWndMain = pMainWnd->GetSafeHwnd();
        if (hWndMain != NULL && ::IsWindowVisible(hWndMain) &&
            ::GetWindowThreadProcessId(hWndMain, NULL) == ::GetCurrentThreadId())
        {
            AfxCallWndProc(pMainWnd, hWndMain, WM_IDLEUPDATECMDUI, TRUE, 0);
            CWnd::SendMessageToDescendants(hWndMain, WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        // And of the other registered frames that are visible.
        std::vector<CWnd*> frames = AfxGetThreadState()->m_pImpl->m_idleUpdateWnds;
        for (CWnd* pFrame : frames)
        {
            auto& live = AfxGetThreadState()->m_pImpl->m_idleUpdateWnds;
            if (std::find(live.begin(), live.end(), pFrame) == live.end())
                continue;   // went away during the pass
            HWND hWnd = pFrame->m_hWnd;
            if (hWnd == NULL || hWnd == hWndMain || !::IsWindowVisible(hWnd))
                continue;
            AfxCallWndProc(pFrame, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            CWnd::SendMessageToDescendants(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    }
    else if (lCount >= 1)
    {
        // Free this thread's temporary handle objects.
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return lCount < 1;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (pMsg->message == WM_CREATE)
        return -1;   // creation fails
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, NULL);   // do not paint again forever
    e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
    return 0;
}

BOOL CWinThread::ProcessMessageFilter(int code, LPMSG lpMsg)
{
    (void)code;
    (void)lpMsg;
    return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, pMsg->message, 0, 0);
        if (lpEntry != NULL && lpEntry->nSig == AfxSig_vwpl)
        {
            (this->*AfxMsgFnBack<void (CWinThread::*)(WPARAM, LPARAM)>(lpEntry->pfn))(pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    }
    return FALSE;
}

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}
