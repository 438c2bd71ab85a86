#include "CVZPKeyboardHookManager.h"

#include "CVZPHookReceiver.h"
#include "CVZPMouseHookManager.h"

namespace {

THREAD_LOCAL(CVZPKeyboardHookManager, g_threadKeyboardManager)

// Bits of a keyboard hook's lParam.
const LPARAM kAltDown = (LPARAM)1 << 29;
const LPARAM kRepeat = (LPARAM)1 << 30;
const DWORD kKeyUp = 0x80000000u;

}  // namespace

CVZPKeyboardHookManager* AFX_CDECL CVZPKeyboardHookManager::GetThreadManager()
{
    return g_threadKeyboardManager.GetData();
}

CVZPKeyboardHookManager* AFX_CDECL CVZPKeyboardHookManager::FindThreadManager()
{
    return g_threadKeyboardManager.GetDataNA();
}

CVZPKeyboardHookManager::CVZPKeyboardHookManager()
    : m_hHookKeyboard(NULL), m_hHookCallWndProc(NULL), m_pModuleState(NULL), m_lstReceivers(10)
{
}

CVZPKeyboardHookManager::~CVZPKeyboardHookManager()
{
    RemoveHooks();
}

void CVZPKeyboardHookManager::RemoveHooks()
{
    if (m_hHookKeyboard != NULL)
        ::UnhookWindowsHookEx(m_hHookKeyboard);
    if (m_hHookCallWndProc != NULL)
        ::UnhookWindowsHookEx(m_hHookCallWndProc);
    m_hHookKeyboard = NULL;
    m_hHookCallWndProc = NULL;
}

void CVZPKeyboardHookManager::AddKeyboardReceiver(CVZPHookReceiver* pReceiver)
{
    const DWORD dwThread = ::GetCurrentThreadId();
    if (m_hHookKeyboard == NULL)
        m_hHookKeyboard = ::SetWindowsHookExW(WH_KEYBOARD, &KeyboardProc, AfxGetInstanceHandle(), dwThread);
    if (m_hHookCallWndProc == NULL)
        m_hHookCallWndProc = ::SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProc, AfxGetInstanceHandle(), dwThread);
    m_pModuleState = AfxGetModuleState();
    if (m_lstReceivers.Find(pReceiver) == NULL)
        m_lstReceivers.AddTail(pReceiver);
}

void CVZPKeyboardHookManager::RemoveKeyboardReceiver(CVZPHookReceiver* pReceiver)
{
    POSITION pos = m_lstReceivers.Find(pReceiver);
    if (pos != NULL)
        m_lstReceivers.RemoveAt(pos);
    if (m_lstReceivers.IsEmpty())
        RemoveHooks();
}

BOOL CVZPKeyboardHookManager::ProcessMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // A receiver may unregister itself or others while it is asked: walk a
    // copy and ask only those still registered.
    CPtrArray arrReceivers;
    for (POSITION pos = m_lstReceivers.GetHeadPosition(); pos != NULL;)
        arrReceivers.Add(m_lstReceivers.GetNext(pos));
    for (INT_PTR i = arrReceivers.GetSize() - 1; i >= 0; i--)
    {
        if (m_lstReceivers.Find(arrReceivers[i]) == NULL)
            continue;
        CVZPHookReceiver* pReceiver = (CVZPHookReceiver*)arrReceivers[i];
        LRESULT lResult = 0;
        switch (pReceiver->OnHookMessage(NULL, nMessage, wParam, lParam, lResult))
        {
        case 1:
            return TRUE;
        case 2:
            return FALSE;
        default:
            break;
        }
    }
    return TRUE;
}

LRESULT CALLBACK CVZPKeyboardHookManager::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CVZPKeyboardHookManager* pManager = FindThreadManager();
    if (pManager == NULL || nCode != HC_ACTION || pManager->m_lstReceivers.IsEmpty() ||
        ((DWORD)lParam & kKeyUp) != 0)
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);

    AFX_MODULE_STATE* pOldState = AfxSetModuleState(pManager->m_pModuleState);
    BOOL bSwallow;
    CVZPMouseHookManager* pMouse = CVZPMouseHookManager::GetThreadManager();
    if ((lParam & kAltDown) != 0 && wParam == VK_MENU && pMouse->m_nDragCount <= 0)
    {
        // Alt ends the tracking as it would close a system menu; holding it
        // (auto-repeat) goes on to the application.
        bSwallow = (lParam & kRepeat) == 0;
        if (bSwallow)
            pMouse->CloseTrackedPopups();
    }
    else
        bSwallow = pManager->ProcessMessage(WM_KEYDOWN, wParam, lParam);
    AfxSetModuleState(pOldState);
    return bSwallow ? 1 : ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK CVZPKeyboardHookManager::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CVZPKeyboardHookManager* pManager = FindThreadManager();
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (pManager != NULL && nCode == HC_ACTION && pMsg->message == WM_ACTIVATEAPP && pMsg->wParam == FALSE)
    {
        AFX_MODULE_STATE* pOldState = AfxSetModuleState(pManager->m_pModuleState);
        if (CVZPMouseHookManager* pMouse = CVZPMouseHookManager::FindThreadManager())
            pMouse->CloseTrackedPopups();
        AfxSetModuleState(pOldState);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
