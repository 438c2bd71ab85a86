#include "CFileSystemTreeCtrl.h"

HTREEITEM CFileSystemTreeCtrl::AddItemWithIcon(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, 0, 0, hParent, TVI_LAST);
}

HTREEITEM CFileSystemTreeCtrl::AddItem(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, hParent, TVI_LAST);
}
