#include "CVZPWindowHookManager.h"

#include "CVZPHookReceiver.h"

namespace {

CVZPWindowHookManager* g_pWindowHookManager = NULL;

// After the foundation's services; the records go before the paint
// manager's fonts at exit.
const int kStartupOrder = 2010;

void AFXAPI StartWindowHookManager()
{
    CVZPWindowHookManager::GetInstance();
}

void AFXAPI EndWindowHookManager()
{
    delete g_pWindowHookManager;
    g_pWindowHookManager = NULL;
}

// Registers the manager's start-up and exit work with the framework; lives
// in this file, which every user of the manager pulls in.
struct CWindowHookManagerRegistrar
{
    CWindowHookManagerRegistrar() { AfxAddStartupInitializer(kStartupOrder, &StartWindowHookManager, &EndWindowHookManager); }
} g_registrar;

}  // namespace

// ---------------------------------------------------------------------------
// Hooked window

CVZPHookedWindow::CVZPHookedWindow(HWND hWnd) : m_pfnOldWndProc(NULL), m_hWnd(hWnd), m_pModuleState(NULL)
{
    m_pfnOldWndProc = (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)&CVZPWindowHookManager::HookWndProc);
}

CVZPHookedWindow::~CVZPHookedWindow()
{
    if (::IsWindow(m_hWnd) && m_pfnOldWndProc != NULL)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnOldWndProc);
}

// ---------------------------------------------------------------------------
// Manager

CVZPWindowHookManager::CVZPWindowHookManager() : m_mapWindows(10)
{
    m_mapWindows.InitHashTable(17);
}

CVZPWindowHookManager::~CVZPWindowHookManager()
{
    POSITION pos = m_mapWindows.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd;
        CVZPHookedWindow* pRecord;
        m_mapWindows.GetNextAssoc(pos, hWnd, pRecord);
        delete pRecord;
    }
    m_mapWindows.RemoveAll();
}

CVZPWindowHookManager* AFX_CDECL CVZPWindowHookManager::GetInstance()
{
    if (g_pWindowHookManager == NULL)
        g_pWindowHookManager = new CVZPWindowHookManager;
    return g_pWindowHookManager;
}

CVZPHookedWindow* CVZPWindowHookManager::Lookup(HWND hWnd) const
{
    CVZPHookedWindow* pRecord = NULL;
    return m_mapWindows.Lookup(hWnd, pRecord) ? pRecord : NULL;
}

void CVZPWindowHookManager::SetHook(HWND hWnd, CVZPHookReceiver* pReceiver)
{
    if (!::IsWindow(hWnd))
        return;
    CVZPHookedWindow* pRecord = Lookup(hWnd);
    if (pRecord == NULL)
    {
        pRecord = new CVZPHookedWindow(hWnd);
        m_mapWindows.SetAt(hWnd, pRecord);
    }
    pRecord->m_pModuleState = AfxGetModuleState();
    for (INT_PTR i = 0; i < pRecord->m_arrReceivers.GetSize(); i++)
        if (pRecord->m_arrReceivers[i] == pReceiver)
            return;
    pRecord->m_arrReceivers.Add(pReceiver);
}

void CVZPWindowHookManager::RemoveHook(HWND hWnd, CVZPHookReceiver* pReceiver)
{
    CVZPHookedWindow* pRecord = Lookup(hWnd);
    if (pRecord == NULL)
        return;
    for (INT_PTR i = 0; i < pRecord->m_arrReceivers.GetSize(); i++)
        if (pRecord->m_arrReceivers[i] == pReceiver)
        {
            pRecord->m_arrReceivers.RemoveAt(i);
            break;
        }
    if (pRecord->m_arrReceivers.GetSize() == 0)
        UnhookWindow(hWnd);
}

void CVZPWindowHookManager::RemoveReceiver(CVZPHookReceiver* pReceiver)
{
    CArray<HWND, HWND> arrWindows;
    POSITION pos = m_mapWindows.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd;
        CVZPHookedWindow* pRecord;
        m_mapWindows.GetNextAssoc(pos, hWnd, pRecord);
        arrWindows.Add(hWnd);
    }
    for (INT_PTR i = 0; i < arrWindows.GetSize(); i++)
        RemoveHook(arrWindows[i], pReceiver);
}

void CVZPWindowHookManager::UnhookWindow(HWND hWnd)
{
    CVZPHookedWindow* pRecord = Lookup(hWnd);
    if (pRecord == NULL)
        return;
    m_mapWindows.RemoveKey(hWnd);
    delete pRecord;
}

LRESULT CALLBACK CVZPWindowHookManager::HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CVZPWindowHookManager* pManager = GetInstance();
    CVZPHookedWindow* pRecord = pManager->Lookup(hWnd);
    if (pRecord == NULL)
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);

    // The framework's Default() replays the last-sent message: it is this
    // one while the receivers and the previous procedure run, and the outer
    // one again afterwards.
    _AFX_THREAD_STATE* pThreadState = AfxGetThreadState();
    const MSG msgSaved = pThreadState->m_lastSentMsg;
    pThreadState->m_lastSentMsg.hwnd = hWnd;
    pThreadState->m_lastSentMsg.message = nMessage;
    pThreadState->m_lastSentMsg.wParam = wParam;
    pThreadState->m_lastSentMsg.lParam = lParam;
    AFX_MODULE_STATE* pOldState = AfxSetModuleState(pRecord->m_pModuleState);

    // The record may go while receivers run (a receiver that unregisters):
    // the previous procedure is kept aside.
    const WNDPROC pfnOldWndProc = pRecord->m_pfnOldWndProc;
    LRESULT lResult = 0;
    if (nMessage == WM_NCDESTROY)
    {
        pManager->UnhookWindow(hWnd);
        lResult = ::CallWindowProcW(pfnOldWndProc, hWnd, nMessage, wParam, lParam);
    }
    else
    {
        CArray<CVZPHookReceiver*, CVZPHookReceiver*> arrReceivers;
        arrReceivers.Copy(pRecord->m_arrReceivers);
        BOOL bHandled = FALSE;
        for (INT_PTR i = arrReceivers.GetSize() - 1; i >= 0 && !bHandled; i--)
        {
            // Ask only receivers still registered with a window still hooked.
            CVZPHookedWindow* pCurrent = pManager->Lookup(hWnd);
            if (pCurrent == NULL)
                break;
            BOOL bRegistered = FALSE;
            for (INT_PTR j = 0; j < pCurrent->m_arrReceivers.GetSize() && !bRegistered; j++)
                bRegistered = pCurrent->m_arrReceivers[j] == arrReceivers[i];
            if (!bRegistered)
                continue;
            const int nAnswer = arrReceivers[i]->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
            if (nAnswer == 1)
                bHandled = TRUE;
            else if (nAnswer == 2)
                break;
        }
        if (!bHandled)
            lResult = ::CallWindowProcW(pfnOldWndProc, hWnd, nMessage, wParam, lParam);
    }

    AfxSetModuleState(pOldState);
    pThreadState->m_lastSentMsg = msgSaved;
    return lResult;
}
