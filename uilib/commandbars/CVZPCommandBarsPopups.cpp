// The manager's operations that run popups: modal tracking of popup bars
// and menus, closing every popup of the thread, the bars' context menu,
// moving keyboard tracking between bars and the test for rarely used
// controls.
#include "CVZPCommandBars.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControl.h"
#include "CVZPControls.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"
#include "CVZPToolBar.h"

#include <afxpriv.h>

namespace {

BOOL IsPopupKind(int nType)
{
    return nType == vzpControlPopup || nType == vzpControlButtonPopup || nType == vzpControlSplitButtonPopup;
}

// Hands a message to the thread's filters and then to its window, as the
// framework's own loop does.
void DispatchThreadMessage(MSG& msg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->PreTranslateMessage(&msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

// Runs the thread's messages while the popup tracks. A quit request ends
// the loop and is posted again, so the loop outside still sees it.
void PumpPopupMessages(CVZPPopupBar* pPopup, BOOL bRepostLast)
{
    while (pPopup->IsTrackingMode())
    {
        MSG msg;
        if (!::GetMessageW(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage((int)msg.wParam);
            break;
        }
        if (!pPopup->IsTrackingMode())
        {
            // The tracking ended while this thread waited: what came in is
            // someone else's.
            if (bRepostLast)
                ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            else
                DispatchThreadMessage(msg);
            break;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        DispatchThreadMessage(msg);
    }
}

}  // namespace

UINT AFX_CDECL CVZPCommandBars::TrackPopupBar(CVZPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWndOwner,
                                             LPCRECT lpRect, CWnd* pWndCommand)
{
    if (pPopup == NULL)
        return 0;
    pPopup->m_pOwnerWnd = pWndOwner;
    pPopup->m_pNotifyWnd = pWndCommand;
    UINT nResult = TRUE;
    if (nFlags & TPM_RETURNCMD)
    {
        nResult = 0;
        pPopup->m_pReturnCmd = &nResult;
    }
    pPopup->m_bRightButton = (nFlags & TPM_RIGHTBUTTON) != 0;
    pPopup->m_bNoNotify = (nFlags & TPM_NONOTIFY) != 0;
    pPopup->m_bRecursive = (nFlags & TPM_RECURSE) != 0;
    pPopup->SetPlacementFlags((nFlags & TPM_RIGHTALIGN) ? (CVZPPopupBar::placeLeft | CVZPPopupBar::placeDropDown)
                                                        : CVZPPopupBar::placeDropDown);

    CVZPMouseHookManager* pMouseManager = GetThreadMouseManager();
    const BOOL bRecursive = pPopup->m_bRecursive;
    // The bars this tracking locks; only they are unlocked afterwards.
    CArray<CVZPCommandBar*, CVZPCommandBar*> arrLocked;
    if (!bRecursive)
    {
        pMouseManager->CloseTrackedPopups();
        ::ReleaseCapture();
    }
    else
    {
        pMouseManager->CloseUnlockedPopups();
        for (int i = 0; i < pMouseManager->GetTrackedCount(); i++)
        {
            CVZPCommandBar* pBar = pMouseManager->GetTrackedAt(i);
            pBar->InternalAddRef();
            arrLocked.Add(pBar);
        }
        pMouseManager->LockTrackedPopups(TRUE);
    }
    pMouseManager->m_bModalTracking = TRUE;

    pPopup->InternalAddRef();
    if (pPopup->ShowPopupAt(x, y, lpRect))
    {
        PumpPopupMessages(pPopup, TRUE);
        // Left by a quit request: the popup goes too.
        if (pPopup->IsTrackingMode())
        {
            if (bRecursive)
                pPopup->SetTrackingMode(0, TRUE, FALSE);
            else
                ClosePopups();
        }
    }
    else
    {
        nResult = 0;
        if (!pMouseManager->IsTrackingPopup())
            pMouseManager->m_bModalTracking = FALSE;
    }
    pPopup->m_pReturnCmd = NULL;
    pPopup->InternalRelease();

    for (INT_PTR i = 0; i < arrLocked.GetSize(); i++)
    {
        CVZPCommandBar* pBar = arrLocked[i];
        if (pBar->m_nLockTracking > 0)
            pBar->m_nLockTracking--;
        pBar->InternalRelease();
    }
    return nResult;
}

UINT AFX_CDECL CVZPCommandBars::TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner,
                                              LPCRECT lpRect, CWnd* pWndCommand, CVZPCommandBars* pCommandBars)
{
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(pCommandBars);
    if (pPopup == NULL)
        return 0;
    pPopup->m_pOwnerWnd = pWndOwner;
    pPopup->m_pNotifyWnd = pWndCommand;
    if (!pPopup->LoadMenu(pMenu, TRUE))
    {
        pPopup->InternalRelease();
        return 0;
    }
    const UINT nResult = TrackPopupBar(pPopup, nFlags, x, y, pWndOwner, lpRect, pWndCommand);
    pPopup->InternalRelease();
    return nResult;
}

void AFX_CDECL CVZPCommandBars::ClosePopups()
{
    GetThreadMouseManager()->CloseTrackedPopups();
}

void CVZPCommandBars::ContextMenu(CVZPToolBar* pToolBar, int x, int y)
{
    if (IsCustomizeMode())
        return;
    CVZPPopupBar* pPopup = GetToolbarsPopup();
    // Without a list of toolbars the site still gets a popup to fill.
    if (pPopup == NULL)
        pPopup = CVZPPopupBar::CreatePopupBar(this);
    if (pPopup == NULL)
        return;
    if (m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->SendMessage(WM_VZP_TOOLBARCONTEXTMENU, (WPARAM)pToolBar, (LPARAM)pPopup);
    if (pPopup->GetControlCount() > 0)
    {
        pPopup->SetPlacementFlags(IsLayoutRTL() ? CVZPPopupBar::placeLeft : 0);
        ClosePopups();
        if (pPopup->ShowPopupAt(x, y, NULL))
        {
            PumpPopupMessages(pPopup, FALSE);
            if (pPopup->IsTrackingMode())
                ClosePopups();
        }
    }
    pPopup->InternalRelease();
}

BOOL CVZPCommandBars::SetTrackingBar(CVZPCommandBar* pBar, int nStep)
{
    if (pBar == NULL)
        return FALSE;
    CVZPCommandBar* pTarget = pBar;
    if (nStep != 0)
    {
        if (GetCount() < 2)
            return FALSE;
        const int nIndex = FindIndex((CVZPToolBar*)pBar);
        const int nNext = GetNextVisible(nIndex, nStep);
        if (nNext < 0 || nNext == nIndex)
            return FALSE;
        pTarget = GetAt(nNext);
    }
    ClosePopups();
    ShowKeyboardCues(TRUE);
    pTarget->SetTrackingMode(TRUE, FALSE, FALSE);
    const int nFirst = pTarget->GetControls()->GetNext(-1, 1);
    if (nFirst != -1)
        pTarget->SetHotControl(nFirst, TRUE);
    return TRUE;
}

BOOL CVZPCommandBars::IsControlHidden(CVZPControl* pControl)
{
    if (IsCommandHidden(pControl->GetID()))
        return TRUE;
    if (!m_pOptions->bAutoHideUnusedPopups || !IsPopupKind(pControl->GetType()))
        return FALSE;
    CVZPCommandBar* pBar = pControl->GetCommandBar();
    if (pBar == NULL || pBar->GetControls()->GetCount() == 0)
        return FALSE;
    CVZPControls* pControls = pBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
        if (!IsControlHidden(pControls->GetAt(i)))
            return FALSE;
    return TRUE;
}
