// The recovery step's result tree of recovered folders.
#pragma once

#include <afxcmn.h>
#include <stdint.h>

class CFolderTreeCtrl : public CTreeCtrl
{
public:
    // Item data bit of the items of deleted folders, which are drawn red.
    enum { ItemDeleted = 1 };

    // Inserts a folder item as the parent's last child (TVI_ROOT: top level).
    HTREEITEM AddFolderItem(LPCTSTR lpszText, HTREEITEM hParent);

    // Adds an item for every FAT folder below the parent cluster, and below
    // those their own folders, each folder once; deleted folders are red and
    // each record keeps its item. A folder that names itself or the root as
    // its own cluster is left out, so a damaged directory cannot loop.
    void AddFatSubfolders(HTREEITEM hParent, uint32_t parentCluster);
    // The same over the NTFS folder records below a parent record number.
    void AddNtfsSubfolders(HTREEITEM hParent, uint32_t parentRecord);

    // Adds a folder per hit description (found or made under the parent) and
    // below it an item per extension of that description's hits, in one pass
    // over the hit list. Progress goes to the scan panel, or while a snapshot
    // loads to m_hSnapshotProgressWnd; stops when the scan is stopped.
    void AddTraceTypeFolders(HTREEITEM hParent, LPCTSTR lpszPreviousDescription);

    // The texts of the item's ancestors below the top level, joined with
    // "\", followed by the item's own text.
    CString GetItemPath(HTREEITEM hItem) const;

    // Empties the tree and builds it anew: "Root" at the top (remembered in
    // m_hRootItem), the FAT folders from parent cluster 0 or the NTFS folders
    // from parent record 5 below it, "Root" expanded. Returns "Root".
    HTREEITEM BuildFatTree();
    HTREEITEM BuildNtfsTree();

    BOOL IsItemDeleted(HTREEITEM hItem) const { return (GetItemData(hItem) & ItemDeleted) != 0; }

    // Items added by the builders since the counter was last set to 0.
    uint32_t m_nBuiltItems = 0;
    // The result tree's top item, remembered by whoever builds the tree.
    HTREEITEM m_hRootItem = NULL;
    // Receives WM_USER + 1 with the position while a snapshot loads.
    HWND m_hSnapshotProgressWnd = NULL;

protected:
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM StartTree();
    HTREEITEM AddBuiltFolder(LPCTSTR lpszText, HTREEITEM hParent, uint32_t deleted);
    HTREEITEM FindOrAddChild(HTREEITEM hParent, LPCTSTR lpszText);
    void ReportBuildProgress(int position);
};
