#include "CFileSystemTreeCtrl.h"

#include "extensive/ExtensiveLists.h"

HTREEITEM CFileSystemTreeCtrl::AddItemWithIcon(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, 0, 0, hParent, TVI_LAST);
}

HTREEITEM CFileSystemTreeCtrl::AddItem(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, hParent, TVI_LAST);
}

unsigned CFileSystemTreeCtrl::SelectFoundVolume(HTREEITEM hItem)
{
    if (!hItem)
        return 0;
    CString text = GetItemText(hItem);
    if (text.IsEmpty() || text == L"File System")
        return 0;
    unsigned number = 1;
    for (FoundVolume* v = g_FoundVolumes.head; v; v = v->next, ++number)
        if (v->treeItem == (uint32_t)(uintptr_t)hItem)
            return SelectFoundVolumeParams(number) ? number : 0;
    return 0;
}
