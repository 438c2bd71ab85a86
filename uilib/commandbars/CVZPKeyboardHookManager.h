// The calling thread's router of key-downs to the bars in tracking mode.
// One per thread, made on first use (CVZPCommandBars::GetThreadKeyboardManager).
#pragma once

#include <afxwin.h>

class CVZPHookReceiver;

class CVZPKeyboardHookManager
{
public:
    CVZPKeyboardHookManager();
    virtual ~CVZPKeyboardHookManager();

    void AddKeyboardReceiver(CVZPHookReceiver* pReceiver);
    void RemoveKeyboardReceiver(CVZPHookReceiver* pReceiver);
    BOOL HasReceivers() const { return !m_lstReceivers.IsEmpty(); }
    // Offers a message to the receivers, newest first; TRUE when one took it
    // and did not ask to pass it on.
    BOOL ProcessMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);

private:
    CPtrList m_lstReceivers;
};
