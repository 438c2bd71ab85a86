#include "CFolderTreeCtrl.h"

HTREEITEM CFolderTreeCtrl::AddFolderItem(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, hParent, TVI_LAST);
}
