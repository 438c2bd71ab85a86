#include "CVZPFrameWnd.h"

#include "CVZPAcceleratorManager.h"
#include "CVZPCommandBars.h"
#include "CVZPEdit.h"

IMPLEMENT_DYNAMIC(CVZPFrameWnd, CFrameWnd)

CVZPFrameWnd::CVZPFrameWnd() : m_pCommandBars(NULL)
{
}

CVZPFrameWnd::~CVZPFrameWnd()
{
    if (m_pCommandBars != NULL)
    {
        m_pCommandBars->InternalRelease();
        m_pCommandBars = NULL;
    }
}

BOOL CVZPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // An edit box on a command bar gets its keys unfiltered, except the
    // keys that close or leave it.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= 0x108 && pMsg->wParam != VK_TAB &&
        pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE &&
        DYNAMIC_DOWNCAST(CVZPEdit, CWnd::GetFocus()) != NULL)
        return FALSE;
    if (CFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return m_pCommandBars != NULL && m_pCommandBars->PreTranslateFrameMessage(pMsg);
}

BOOL CVZPFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pCommandBars != NULL && m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    if (message == WM_VZP_CONTROLNOTIFY)
    {
        // A control executed: its notification goes through the command
        // chain as WM_NOTIFY would, and nowhere else (not to the default
        // window procedure either): without a handler the answer is 0.
        NMHDR* pNMHDR = (NMHDR*)lParam;
        LRESULT lResult = 0;
        AFX_NOTIFY notify = {&lResult, pNMHDR};
        if (pNMHDR == NULL ||
            !OnCmdMsg((UINT)pNMHDR->idFrom, MAKELONG(pNMHDR->code & 0xFFFF, WM_NOTIFY), &notify, NULL))
            lResult = 0;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CVZPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // Only the manager translates shortcuts once it holds a table.
    if (m_pCommandBars != NULL && m_pCommandBars->GetAcceleratorManager()->HasResourceTable())
        m_hAccelTable = NULL;
    return TRUE;
}

void CVZPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->OnSetPreviewMode(bPreview);
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
}
