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

    // The choice of a found file system: the item's found-volume record
    // becomes the selected file system (its number, code and parameters in
    // VolumeParams). Returns its number from 1, or 0 (nothing changed) for
    // the "File System" heading, an empty text or an item without a record.
    unsigned SelectFoundVolume(HTREEITEM hItem);
};
