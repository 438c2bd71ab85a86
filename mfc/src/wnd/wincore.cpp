// CWnd core: handle maps, the creation hook, window procedure and message
// dispatch, reflection of control notifications.
#include "wndstate.h"

#include <afxole.h>

#include <afxcmn.h>

// ---------------------------------------------------------------------------
// Thread state

_AFX_THREAD_STATE::_AFX_THREAD_STATE()
    : m_pCurrentWinThread(NULL), m_lastSentMsg(), m_msgCur(), m_hLockoutNotifyWindow(NULL), m_pWndInit(NULL),
      m_hHookOldCbtFilter(NULL), m_nWaitCursorCount(0), m_hcurWaitCursorRestore(NULL), m_pToolTip(NULL),
      m_pLastHit(NULL), m_nLastHit(-1), m_lastInfo(), m_pLastInfoOwner(NULL), m_hTrackingMenu(NULL),
      m_hTrackingWindow(NULL), m_nTempMapLock(0), m_pImpl(new _AFX_THREAD_STATE_IMPL), m_szClassName()
{
}

_AFX_THREAD_STATE::~_AFX_THREAD_STATE()
{
    DeleteTempMaps();
    if (m_hHookOldCbtFilter != NULL)
        ::UnhookWindowsHookEx(m_hHookOldCbtFilter);
    delete m_pImpl;
}

void _AFX_THREAD_STATE::DeleteTempMaps()
{
    m_pImpl->m_tempWnds.DeleteAll([](CWnd* p) { p->m_hWnd = NULL; });
    m_pImpl->m_tempDCs.DeleteAll([](CDC* p) { p->m_hDC = NULL; p->m_hAttribDC = NULL; });
    m_pImpl->m_tempGdi.DeleteAll([](CGdiObject* p) { p->m_hObject = NULL; });
    m_pImpl->m_tempMenus.DeleteAll([](CMenu* p) { p->m_hMenu = NULL; });
    m_pImpl->m_tempImageLists.DeleteAll([](CImageList* p) { p->m_hImageList = NULL; });
}

// The state lives on the heap, owned by a per-thread object that frees it
// when the thread ends. Objects destroyed after that (static windows at
// process exit) use AfxPeekThreadState, which does not bring it back.
static thread_local _AFX_THREAD_STATE* t_pThreadState = NULL;

namespace {
struct CThreadStateOwner
{
    ~CThreadStateOwner()
    {
        _AFX_THREAD_STATE* pState = t_pThreadState;
        if (pState != NULL)
        {
            pState->DeleteTempMaps();   // their destructors may still look at the state
            t_pThreadState = NULL;
            delete pState;
        }
    }
};
}

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    if (t_pThreadState == NULL)
    {
        static thread_local CThreadStateOwner s_owner;
        (void)s_owner;
        t_pThreadState = new _AFX_THREAD_STATE;
    }
    return t_pThreadState;
}

_AFX_THREAD_STATE* AfxPeekThreadState()
{
    return t_pThreadState;
}

CAfxPermanentMap<CWnd, HWND>& AfxWndMap()
{
    // Never destroyed: wrappers with static storage may outlive any order.
    static CAfxPermanentMap<CWnd, HWND>* s_pMap = new CAfxPermanentMap<CWnd, HWND>;
    return *s_pMap;
}

void AFXAPI AfxLockTempMaps()
{
    ++AfxGetThreadState()->m_nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nTempMapLock > 0 && --pState->m_nTempMapLock == 0)
    {
        if (bDeleteTemps)
            pState->DeleteTempMaps();
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Construction, handle map

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd()
    : m_hWnd(NULL), m_nFlags(0), m_pfnSuper(NULL), m_pDropTarget(NULL), m_nModalResult(0), m_hWndOwner(NULL)
{
}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_nFlags(0), m_pfnSuper(NULL), m_pDropTarget(NULL), m_nModalResult(0), m_hWndOwner(NULL)
{
}

static bool IsInsertAfterConstant(HWND hWnd)
{
    return hWnd == HWND_TOP || hWnd == HWND_BOTTOM || hWnd == HWND_TOPMOST || hWnd == HWND_NOTOPMOST;
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && !IsInsertAfterConstant(m_hWnd))
    {
        // Still attached: destroy the window; its WM_NCDESTROY detaches us.
        // A window of another thread cannot be destroyed here: give it its
        // own procedure back and forget it.
        if (AfxWndMap().Lookup(m_hWnd) == this)
        {
            ::DestroyWindow(m_hWnd);
            if (m_hWnd != NULL)
            {
                if (m_pfnSuper != NULL &&
                    (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == &AfxWndProc)
                    ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
                Detach();
            }
        }
    }
    if (_AFX_THREAD_STATE* pState = AfxPeekThreadState())
    {
        if (pState->m_pLastHit == this)
            pState->m_pLastHit = NULL;
        if (pState->m_pLastInfoOwner == this)
            pState->m_pLastInfoOwner = NULL;
        if (pState->m_pWndInit == this)
            pState->m_pWndInit = NULL;
        AfxRemoveIdleUpdateWnd(this);
    }
    AfxForgetMainWnd(this);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    return AfxWndMap().Lookup(hWnd);
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return AfxLookupOrTemp(AfxWndMap(), AfxGetThreadState()->m_pImpl->m_tempWnds, hWnd,
                           [](CWnd* p, HWND h) { p->m_hWnd = h; });
}

void PASCAL CWnd::DeleteTempMap()
{
    AfxGetThreadState()->m_pImpl->m_tempWnds.DeleteAll([](CWnd* p) { p->m_hWnd = NULL; });
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL)
        return FALSE;
    AfxWndMap().SetAt(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        AfxWndMap().RemoveIf(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

// ---------------------------------------------------------------------------
// Creation hook

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit != NULL)
    {
        CWnd* pWndInit = pState->m_pWndInit;
        pState->m_pWndInit = NULL;
        HWND hWnd = (HWND)wParam;
        pWndInit->Attach(hWnd);
        pWndInit->PreSubclassWindow();
        WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
        WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
        *ppfnSuper = pfnOld != &AfxWndProc ? pfnOld : NULL;
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWndInit == pWnd)
        return;
    if (pState->m_hHookOldCbtFilter == NULL)
        pState->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWndInit != NULL)
    {
        pState->m_pWndInit = NULL;
        return FALSE;   // the window was never created
    }
    return TRUE;
}

void AFXAPI AfxInitCommonControls()
{
    static LONG s_done = 0;
    if (::InterlockedExchange(&s_done, 1) == 0)
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                      ICC_COOL_CLASSES | ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS |
                                                      ICC_STANDARD_CLASSES | ICC_LINK_CLASS };
        if (!::InitCommonControlsEx(&icc))
            ::InitCommonControls();
    }
}

// ---------------------------------------------------------------------------
// Window classes

const TCHAR _afxWnd[] = _T("AfxWnd");

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;   // already registered
    if (::RegisterClass(lpWndClass) == 0)
        return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return TRUE;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    LPTSTR lpszName = pState->m_szClassName;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
        _sntprintf(lpszName, _countof(pState->m_szClassName), _T("Afx:%p:%x"), (void*)hInst, nClassStyle);
    else
        _sntprintf(lpszName, _countof(pState->m_szClassName), _T("Afx:%p:%x:%p:%p:%p"), (void*)hInst, nClassStyle,
                   (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    lpszName[_countof(pState->m_szClassName) - 1] = 0;

    WNDCLASS wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return lpszName;
}

static void RegisterDefaultWndClass()
{
    static LONG s_done = 0;
    if (s_done)
        return;
    WNDCLASS wndcls = {};
    wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wndcls.lpszClassName = _afxWnd;
    if (AfxRegisterClass(&wndcls))
        s_done = 1;
}

// ---------------------------------------------------------------------------
// Creation and destruction

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        RegisterDefaultWndClass();
        cs.lpszClass = _afxWnd;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    AfxInitCommonControls();
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // never attached: clean up as after WM_NCDESTROY
    // When creation failed after attaching, WM_NCDESTROY already ran and the
    // object may be gone: do not touch it.
    return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext)
{
    // Child windows only; a top-level window goes through CreateEx.
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    BOOL bPermanent = AfxWndMap().Lookup(m_hWnd) == this;
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A permanent object was detached by WM_NCDESTROY and may have deleted
    // itself; only temporary or unsubclassed objects are touched here.
    if (!bPermanent && bResult)
        m_hWnd = NULL;
    return bResult;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void CWnd::OnNcDestroy()
{
    // The main window ends its thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this)
    {
        AfxPostQuitMessage(0);
        pThread->m_pMainWnd = NULL;
    }
    AfxForgetMainWnd(this);
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pLastHit == this)
    {
        pState->m_pLastHit = NULL;
        pState->m_nLastHit = -1;
    }
    if (pState->m_pLastInfoOwner == this)
        pState->m_pLastInfoOwner = NULL;

    // A registered drop target goes with the window.
    if (m_pDropTarget != NULL)
        m_pDropTarget->Revoke();

    // Let the original procedure see WM_NCDESTROY, then undo our subclassing
    // if nobody subclassed on top of us.
    WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (*ppfnSuper != NULL && (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*ppfnSuper);
    *ppfnSuper = NULL;
    Detach();
    PostNcDestroy();   // may delete this
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    // The procedure this window had (an object used before may hold an old one).
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    *ppfnSuper = pfnOld != &AfxWndProc ? pfnOld : NULL;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    if (hWndControl == NULL)
        return FALSE;
    return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (*ppfnSuper != NULL)
    {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*ppfnSuper);
        *ppfnSuper = NULL;
    }
    return Detach();
}

// ---------------------------------------------------------------------------
// Window procedure

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try
    {
        // pWnd may be deleted by the time WindowProc returns.
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        // Threads without a thread object report through the application's.
        CWinThread* pThread = AfxGetThread();
        if (pThread == NULL)
            pThread = AfxGetApp();
        if (pThread != NULL)
            lResult = pThread->ProcessWndProcException(e, &pState->m_lastSentMsg);
        else
            lResult = nMsg == WM_CREATE ? -1 : 0;
        e->Delete();
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = (DWORD)::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // Harmless once the window is gone (a handler destroyed it).
    if (m_hWnd == NULL)
        return 0;
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper != NULL)
        return ::CallWindowProc(pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

static CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
}

// A top-level window that gains or loses activation to a window of another
// top-level family tells the top-level window of its own family.
static void NotifyTopLevelActivation(CWnd* pWnd, WPARAM wParam, HWND hWndOther)
{
    if (pWnd->GetStyle() & WS_CHILD)
        return;
    HWND hWndTop = AfxGetTopLevelParent(pWnd->m_hWnd);
    if (hWndTop == NULL)
        return;
    if (hWndOther != NULL && ::IsWindow(hWndOther) && AfxGetTopLevelParent(hWndOther) == hWndTop)
        return;
    HWND hWnds[2] = {pWnd->m_hWnd, hWndOther};
    ::SendMessage(hWndTop, WM_ACTIVATETOPLEVEL, wParam, (LPARAM)hWnds);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;

    if (message == WM_ACTIVATE)
        NotifyTopLevelActivation(this, wParam, (HWND)lParam);

    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }

    // WM_CTLCOLORxxx all arrive at the one WM_CTLCOLOR entry.
    UINT nCtlColor = 0;
    UINT nLookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        nCtlColor = message - WM_CTLCOLORMSGBOX;
        nLookup = WM_CTLCOLOR;
    }

    const AFX_MSGMAP_ENTRY* lpEntry = NULL;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL && lpEntry == NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        if (nLookup < 0xC000)
        {
            lpEntry = AfxFindMessageEntry(pMap->lpEntries, nLookup, 0, 0);
        }
        else
        {
            // Registered messages: the entry points at the variable holding the id.
            for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p)
            {
                if (p->nMessage == 0xC000 && *(const UINT*)p->nSig == nLookup)
                {
                    lpEntry = p;
                    break;
                }
            }
        }
    }
    if (lpEntry == NULL)
        return FALSE;

    AFX_PMSG pfn = lpEntry->pfn;
    UINT_PTR nSig = lpEntry->nSig;
    if (nLookup >= 0xC000)
        nSig = AfxSig_lwl;

    // Crack the message for the handler's signature. Nothing here touches
    // `this` after the handler returns: a handler may destroy and delete its
    // own object.
    switch (nSig)
    {
    case AfxSig_lwl:
        lResult = (this->*AfxMsgFnBack<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_vv:
        (this->*AfxMsgFnBack<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_bv:
        lResult = (this->*AfxMsgFnBack<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_wv:
        lResult = (this->*AfxMsgFnBack<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_is:
        lResult = (this->*AfxMsgFnBack<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bs:
        lResult = (this->*AfxMsgFnBack<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bD:
        lResult = (this->*AfxMsgFnBack<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_hDWw:
        lResult = (LRESULT)(this->*AfxMsgFnBack<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), nCtlColor);
        break;
    case AfxSig_hDw:
    {
        // Reflected WM_CTLCOLOR: a NULL brush leaves the message to the parent.
        AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
        HBRUSH hbr = (this->*AfxMsgFnBack<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(CDC::FromHandle(pCtl->hDC),
                                                                             pCtl->nCtlType);
        if (hbr == NULL)
            return FALSE;
        lResult = (LRESULT)hbr;
        break;
    }
    case AfxSig_vwii:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, (short)LOWORD(lParam),
                                                                    (short)HIWORD(lParam));
        break;
    case AfxSig_vii:
        (this->*AfxMsgFnBack<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vw:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT)>(pfn))((UINT)wParam);
        break;
    case AfxSig_vwww:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwp:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, PointFromLParam(lParam));
        break;
    case AfxSig_bwsp:
        lResult = (this->*AfxMsgFnBack<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), PointFromLParam(lParam));
        break;
    case AfxSig_wp:
        lResult = (this->*AfxMsgFnBack<UINT (CWnd::*)(CPoint)>(pfn))(PointFromLParam(lParam));
        break;
    case AfxSig_vbNCCALC:
        (this->*AfxMsgFnBack<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_bb:
        lResult = (this->*AfxMsgFnBack<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vb:
        (this->*AfxMsgFnBack<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_bWww:
        lResult = (this->*AfxMsgFnBack<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(CWnd::FromHandle((HWND)wParam),
                                                                               LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_iWww:
        lResult = (this->*AfxMsgFnBack<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(CWnd::FromHandle((HWND)wParam),
                                                                              LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vWw:
        (this->*AfxMsgFnBack<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle((HWND)wParam));
        break;
    case AfxSig_vWl:
        (this->*AfxMsgFnBack<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vWp:
        (this->*AfxMsgFnBack<void (CWnd::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle((HWND)wParam),
                                                                   PointFromLParam(lParam));
        break;
    case AfxSig_vPOS:
        (this->*AfxMsgFnBack<void (CWnd::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
        break;
    case AfxSig_vwWb:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), CWnd::FromHandle((HWND)lParam),
                                                                       (BOOL)HIWORD(wParam));
        break;
    case AfxSig_vbdw:
        (this->*AfxMsgFnBack<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_vws:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_vMEASURE:
        (this->*AfxMsgFnBack<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam, (LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vDRAW:
        (this->*AfxMsgFnBack<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vDELETE:
        (this->*AfxMsgFnBack<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(pfn))((int)wParam, (LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_iCOMPARE:
        lResult = (this->*AfxMsgFnBack<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))((int)wParam,
                                                                                      (LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_vMEASUREr:
        (this->*AfxMsgFnBack<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))((LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vDRAWr:
        (this->*AfxMsgFnBack<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))((LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vDELETEr:
        (this->*AfxMsgFnBack<void (CWnd::*)(LPDELETEITEMSTRUCT)>(pfn))((LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_iCOMPAREr:
        lResult = (this->*AfxMsgFnBack<int (CWnd::*)(LPCOMPAREITEMSTRUCT)>(pfn))((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_lwwM:
        lResult = (this->*AfxMsgFnBack<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
        break;
    case AfxSig_vMwb:
        (this->*AfxMsgFnBack<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle((HMENU)wParam),
                                                                        LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_vM:
        (this->*AfxMsgFnBack<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle((HMENU)wParam));
        break;
    case AfxSig_vwwh:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_vbw:
        (this->*AfxMsgFnBack<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vwl:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_vMMI:
        (this->*AfxMsgFnBack<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_vwwx:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), (UINT)(int)(short)HIWORD(wParam), (CScrollBar*)CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vww:
        (this->*AfxMsgFnBack<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), (UINT)(int)(short)HIWORD(wParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Commands and notifications

namespace {
// Records whether an update handler disabled a command.
class CTestCmdUI : public CCmdUI
{
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled;
};
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL)
    {
        // Menu or accelerator: ignore a command whose update handler disables it.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;   // no notifications while UpdateData runs
        // The control sees its own notification first.
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    (void)wParam;
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = AfxGetDlgCtrlIDSafe(hWndCtrl);
    int nCode = (int)pNMHDR->code;

    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    if (pWnd == NULL)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND:
    {
        // ON_CONTROL_REFLECT handles it; ON_CONTROL_REFLECT_EX decides.
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
        {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }

    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        LRESULT lDummy = 0;
        AFX_NOTIFY notify;
        notify.pResult = pResult != NULL ? pResult : &lDummy;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }

    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl;
            ctl.hDC = (HDC)wParam;
            ctl.hWnd = (HWND)lParam;
            ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
            return CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
        }
        return FALSE;
    }
}

// Base handlers that reflect to the control

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    (void)pDC;
    (void)nCtlColor;
    LRESULT lResult = 0;
    if (pWnd != NULL && pWnd->SendChildNotifyLastMsg(&lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

// Pop-up menu of the window holding command nID (for owner-drawn items that
// are measured before they have a handle).
static CMenu* FindPopupMenuFromID(HMENU hMenu, UINT nID)
{
    if (hMenu == NULL)
        return NULL;
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub != NULL)
        {
            if (CMenu* pFound = FindPopupMenuFromID(hSub, nID))
                return pFound;
        }
        else if (::GetMenuItemID(hMenu, i) == nID)
        {
            return CMenu::FromHandlePermanent(hMenu);
        }
    }
    return NULL;
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
    {
        _AFX_THREAD_STATE* pState = AfxGetThreadState();
        HMENU hMenu = pState->m_hTrackingWindow == m_hWnd ? pState->m_hTrackingMenu : ::GetMenu(m_hWnd);
        CMenu* pMenu = FindPopupMenuFromID(hMenu, lpMeasureItemStruct->itemID);
        if (pMenu == NULL)
            pMenu = FindPopupMenuFromID(::GetSystemMenu(m_hWnd, FALSE), lpMeasureItemStruct->itemID);
        if (pMenu != NULL)
        {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    }
    else
    {
        CWnd* pChild = GetDescendantWindow(nIDCtl, TRUE);
        if (pChild != NULL && pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    (void)nIDCtl;
    if (lpDrawItemStruct->CtlType == ODT_MENU)
    {
        CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem);
        if (pMenu != NULL)
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (ReflectLastMsg(lpDrawItemStruct->hwndItem))
    {
        return;
    }
    Default();
}

void CWnd::OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    (void)nIDCtl;
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    (void)nIDCtl;
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DELETEITEM()
    ON_WM_COMPAREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_NCDESTROY()
    ON_MESSAGE(WM_ACTIVATETOPLEVEL, OnActivateTopLevel)
END_MESSAGE_MAP()

LRESULT CWnd::OnActivateTopLevel(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (LOWORD(wParam) == WA_INACTIVE)
        CancelToolTips(TRUE);
    return 0;
}


// ---------------------------------------------------------------------------
// Translation and broadcast

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS))
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    // Works on handles: a PreTranslateMessage may destroy windows.
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    // Snapshot the children: handlers may create or destroy windows.
    std::vector<HWND> children;
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
        children.push_back(hWndChild);
    for (HWND hWndChild : children)
    {
        if (!::IsWindow(hWndChild))
            continue;
        if (bOnlyPerm)
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        }
        else
        {
            ::SendMessage(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild) != NULL)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}
