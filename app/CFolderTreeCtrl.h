// The recovery step's result tree of recovered folders.
#pragma once

#include <afxcmn.h>

class CFolderTreeCtrl : public CTreeCtrl
{
public:
    // Inserts a folder item as the parent's last child (TVI_ROOT: top level).
    HTREEITEM AddFolderItem(LPCTSTR lpszText, HTREEITEM hParent);
};
