// The calling thread's router of key-downs to the bars in tracking mode.
// While receivers are registered, a WH_KEYBOARD thread hook offers every
// key-down to them (newest first) and keeps it from the focused window, and
// Alt ends the tracking without reaching the application; a WH_CALLWNDPROC
// hook ends the tracking when the application loses activation. One per
// thread, made on first use and destroyed (with its hooks) when the thread
// ends.
#pragma once

#include <afxwin.h>

class CVZPHookReceiver;

class CVZPKeyboardHookManager
{
public:
    CVZPKeyboardHookManager();
    virtual ~CVZPKeyboardHookManager();

    // The calling thread's manager, made on first use.
    static CVZPKeyboardHookManager* AFX_CDECL GetThreadManager();
    // The calling thread's manager, or NULL when it has none.
    static CVZPKeyboardHookManager* AFX_CDECL FindThreadManager();

    // Installs the hooks when missing and appends the receiver unless present.
    void AddKeyboardReceiver(CVZPHookReceiver* pReceiver);
    // Removes the receiver; the hooks go with the last one.
    void RemoveKeyboardReceiver(CVZPHookReceiver* pReceiver);
    BOOL HasReceivers() const { return !m_lstReceivers.IsEmpty(); }
    // Offers a message to the receivers, newest first (hWnd NULL). The first
    // non-zero answer decides: 1 takes it (TRUE), 2 passes it on (FALSE);
    // when every receiver answers 0 it is taken too.
    BOOL ProcessMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);

    HHOOK GetKeyboardHook() const { return m_hHookKeyboard; }
    HHOOK GetCallWndProcHook() const { return m_hHookCallWndProc; }

private:
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    void RemoveHooks();

    HHOOK m_hHookKeyboard;
    HHOOK m_hHookCallWndProc;
    AFX_MODULE_STATE* m_pModuleState;
    CPtrList m_lstReceivers;
};
