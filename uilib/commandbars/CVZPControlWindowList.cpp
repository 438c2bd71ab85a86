#include "CVZPControlWindowList.h"

#include "CVZPCommandBar.h"
#include "CVZPControls.h"
#include "CVZPListControls.h"

IMPLEMENT_SERIAL(CVZPControlWindowList, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

UINT CVZPControlWindowList::s_nFirstMDIChild = 0xFF00;

CVZPControlWindowList::CVZPControlWindowList()
{
}

CVZPControlWindowList::~CVZPControlWindowList()
{
}

BOOL CVZPControlWindowList::IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint /*point*/,
                                                     DROPEFFECT& dropEffect)
{
    if (pCommandBar != NULL && pCommandBar->GetType() == vzpBarTypePopup)
        return TRUE;
    dropEffect = DROPEFFECT_NONE;
    return FALSE;
}

void CVZPControlWindowList::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    CVZPControls* pControls = GetControls();
    if (pControls == NULL)
        return;
    while (CVZPControl* pNext = pControls->GetAt(GetIndex() + 1))
    {
        if (pNext->GetID() < s_nFirstMDIChild)
            break;
        pControls->Remove(pNext);
    }
    CMDIFrameWnd* pFrame = GetParent() != NULL ? DYNAMIC_DOWNCAST(CMDIFrameWnd, GetParent()->GetSite()) : NULL;
    const HWND hClient = pFrame != NULL ? pFrame->m_hWndMDIClient : NULL;
    if (IsCustomizeMode() || hClient == NULL)
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | hideGenerated);
    const HWND hActive = (HWND)::SendMessageW(hClient, WM_MDIGETACTIVE, 0, 0);
    if (hActive != NULL)
    {
        const UINT nActiveId = (UINT)::GetDlgCtrlID(hActive);
        if (nActiveId >= 0x8000 && nActiveId <= 0x800E)
            s_nFirstMDIChild = 0x8000;
        else if (nActiveId >= 1 && nActiveId <= 14)
            s_nFirstMDIChild = 1;
    }
    int nCount = 0;
    for (UINT nId = s_nFirstMDIChild; nCount < kMaxWindows; nId++)
    {
        const HWND hChild = ::GetDlgItem(hClient, (int)nId);
        if (hChild == NULL)
            break;
        if (!::IsWindowVisible(hChild))
            continue;   // its id is used up all the same
        nCount++;
        wchar_t szTitle[257] = {};
        ::GetWindowTextW(hChild, szTitle, 256);
        CVZPControl* pItem = AddGeneratedItem(pControls, nId, GetIndex() + nCount);
        pItem->SetCaption(FormatMenuIndex(szTitle, nCount));
        pItem->SetBeginGroup(nCount == 1);
        pItem->SetChecked(hChild == hActive);
    }
}
