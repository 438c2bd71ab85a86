// The file-system step's tree of the file systems the Extensive Scan found.
#pragma once

#include <afxcmn.h>

class CFileSystemForm;

class CFileSystemTreeCtrl : public CTreeCtrl
{
public:
    // Appends an item with the tree's icon as the parent's last child.
    HTREEITEM AddItemWithIcon(LPCTSTR lpszText, HTREEITEM hParent);
    // Appends a plain child item.
    HTREEITEM AddItem(LPCTSTR lpszText, HTREEITEM hParent);

    // The choice of a found file system: the item's found-volume record
    // becomes the selected file system (its number, code and parameters in
    // VolumeParams) and the panel shows its start, sectors per cluster and
    // size. Returns its number from 1, or 0 (nothing changed) for the "File
    // System" heading (the panel then shows the captions of the scanned
    // kind), an empty text or an item without a record.
    unsigned SelectFoundVolume(HTREEITEM hItem);

    // The file-system step's panel (may be null).
    CFileSystemForm* m_pForm = NULL;

private:
    void ShowChosenVolume();
};
