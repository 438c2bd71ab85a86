#include "CVZPKeyboardHookManager.h"

#include "CVZPHookReceiver.h"

CVZPKeyboardHookManager::CVZPKeyboardHookManager() : m_lstReceivers(10)
{
}

CVZPKeyboardHookManager::~CVZPKeyboardHookManager()
{
}

void CVZPKeyboardHookManager::AddKeyboardReceiver(CVZPHookReceiver* pReceiver)
{
    if (m_lstReceivers.Find(pReceiver) == NULL)
        m_lstReceivers.AddTail(pReceiver);
}

void CVZPKeyboardHookManager::RemoveKeyboardReceiver(CVZPHookReceiver* pReceiver)
{
    POSITION pos = m_lstReceivers.Find(pReceiver);
    if (pos != NULL)
        m_lstReceivers.RemoveAt(pos);
}

BOOL CVZPKeyboardHookManager::ProcessMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    POSITION pos = m_lstReceivers.GetTailPosition();
    while (pos != NULL)
    {
        CVZPHookReceiver* pReceiver = (CVZPHookReceiver*)m_lstReceivers.GetPrev(pos);
        LRESULT lResult = 0;
        int nAnswer = pReceiver->OnHookMessage(NULL, nMessage, wParam, lParam, lResult);
        if (nAnswer == 1)
            return TRUE;
        if (nAnswer == 2)
            return FALSE;
    }
    return FALSE;
}
