#include "CVZPControlRecentFileList.h"

#include "CVZPCommandBar.h"
#include "CVZPControls.h"
#include "CVZPListControls.h"

#include <afxadv.h>

IMPLEMENT_SERIAL(CVZPControlRecentFileList, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlRecentFileList::CVZPControlRecentFileList()
{
}

CVZPControlRecentFileList::~CVZPControlRecentFileList()
{
}

CRecentFileList* CVZPControlRecentFileList::GetRecentFileList()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_pRecentFileList : NULL;
}

BOOL CVZPControlRecentFileList::IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint /*point*/,
                                                         DROPEFFECT& dropEffect)
{
    if (pCommandBar != NULL && pCommandBar->GetType() == vzpBarTypePopup)
        return TRUE;
    dropEffect = DROPEFFECT_NONE;
    return FALSE;
}

void CVZPControlRecentFileList::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    CRecentFileList* pList = GetRecentFileList();
    CVZPControls* pControls = GetControls();
    if (pList == NULL || pControls == NULL)
        return;
    const UINT nFirst = GetFirstId();
    const int nSize = pList->GetSize();
    while (CVZPControl* pNext = pControls->GetAt(GetIndex() + 1))
    {
        if (pNext->GetID() < nFirst || pNext->GetID() > nFirst + (UINT)nSize)
            break;
        pControls->Remove(pNext);
    }
    if (IsCustomizeMode())
    {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    if (nSize <= 0 || (*pList)[0].IsEmpty())
    {
        SetHideFlags(0);
        SetEnabled(FALSE);
        return;
    }
    SetHideFlags(GetHideFlags() | hideGenerated);
    wchar_t szDir[MAX_PATH + 2] = {};
    ::GetCurrentDirectoryW(MAX_PATH, szDir);
    CString strDir = szDir;
    strDir += L'\\';
    for (int i = 0; i < nSize; i++)
    {
        CString strName;
        if (!pList->GetDisplayName(strName, i, strDir, strDir.GetLength(), TRUE))
            break;
        CVZPControl* pItem = AddGeneratedItem(pControls, nFirst + (UINT)i, GetIndex() + i + 1);
        pItem->SetCaption(FormatMenuIndex(strName, i + 1));
        if (i == 0)
            pItem->SetBeginGroup(GetIndex() > 0);
    }
}
