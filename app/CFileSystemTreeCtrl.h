// The file-system step's tree of the file systems the Extensive Scan found.
#pragma once

#include <afxcmn.h>

class CFileSystemTreeCtrl : public CTreeCtrl
{
public:
    // Appends an item with the tree's icon as the parent's last child.
    HTREEITEM AddItemWithIcon(LPCTSTR lpszText, HTREEITEM hParent);
    // Appends a plain child item.
    HTREEITEM AddItem(LPCTSTR lpszText, HTREEITEM hParent);
};
