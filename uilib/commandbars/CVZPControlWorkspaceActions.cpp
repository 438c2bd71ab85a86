#include "CVZPControlWorkspaceActions.h"

#include "CVZPCommandBar.h"
#include "CVZPControls.h"
#include "CVZPListControls.h"
#include "uilibres.h"

IMPLEMENT_SERIAL(CVZPControlWorkspaceActions, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

namespace {

// The tab client (panes library) answers this registered message with the
// state of the workspace command in wParam; the command bars know it only
// as a window.
const wchar_t kCommandStateMessage[] = L"VZPTabClientCommandState";

// The MDI client's own window object, when it is the tab client.
CWnd* FindTabClient(CWnd* pSite)
{
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return NULL;
    CWnd* pClient = CWnd::FromHandlePermanent(pFrame->m_hWndMDIClient);
    return VZPIsKindOfClassName(pClient, "CVZPTabClientWnd") ? pClient : NULL;
}

}  // namespace

CVZPControlWorkspaceActions::CVZPControlWorkspaceActions()
{
}

CVZPControlWorkspaceActions::~CVZPControlWorkspaceActions()
{
}

void CVZPControlWorkspaceActions::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    CVZPCommandBar* pParent = GetParent();
    CVZPControls* pControls = GetControls();
    if (pParent == NULL || pControls == NULL)
        return;
    while (CVZPControl* pNext = pControls->GetAt(GetIndex() + 1))
    {
        if (pNext->GetID() < VZP_ID_WORKSPACE_MOVE_PREVIOUS || pNext->GetID() > VZP_ID_WORKSPACE_NEW_VERTICAL)
            break;
        pControls->Remove(pNext);
    }
    CWnd* pClient = FindTabClient(pParent->GetSite());
    if (pClient == NULL)
        return;
    SetHideFlags(GetHideFlags() | hideGenerated);
    static const UINT kCommands[] = {VZP_ID_WORKSPACE_NEW_HORIZONTAL, VZP_ID_WORKSPACE_NEW_VERTICAL,
                                     VZP_ID_WORKSPACE_MOVE_PREVIOUS, VZP_ID_WORKSPACE_MOVE_NEXT};
    const UINT nMessage = ::RegisterWindowMessageW(kCommandStateMessage);
    int nIndex = GetIndex() + 1;
    BOOL bFirst = TRUE;
    for (UINT nId : kCommands)
    {
        if (pClient->SendMessage(nMessage, nId, 0) == 0)
            continue;
        CVZPControl* pItem = AddGeneratedItem(pControls, nId, nIndex++);
        if (bFirst)
            pItem->SetBeginGroup(GetBeginGroup());
        bFirst = FALSE;
    }
}
