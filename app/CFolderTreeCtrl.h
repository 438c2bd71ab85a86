// The recovery step's result tree of recovered folders: "Root" over the
// folders a scan found (deleted ones red), each with a three-state check box
// that says which folders the user wants to save. Checks spread down to the
// subtree and up to the ancestors and are mirrored into the result list's
// maps.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>
#include <stdint.h>

#include <functional>

#include "CShellIcons.h"

class CResultListCtrl;
class CStepPanel;

// Folders (or File Trace extension items) inserted so far in this build.
extern uint32_t g_TreeBuildCount;
// The last build progress computed, 0 to 99.
extern uint32_t g_ProgressPercent;

// Check states of the wizard's trees, as the state image index minus one.
enum TreeCheckState
{
    TreeCheckNone = -1,
    TreeUnchecked = 0,
    TreeChecked = 1,
    TreePartlyChecked = 2,
};

// One item's state image to 3 (partly checked); nothing else.
void SetTreeItemPartlyChecked(CTreeCtrl& tree, HTREEITEM hItem);
// 1 when every direct child is unchecked (or there is none).
int AreChildrenUnchecked(CTreeCtrl& tree, HTREEITEM hItem);

// Calls fn(id) for the list ID of each file lying directly in the folder of
// a result-tree item (FAT file number, NTFS data record sector, Extensive
// Scan record sector inside the chosen file system), in list order, until
// fn answers false. A File Trace tree, or an item without a folder record,
// has no files.
void ForEachFolderFile(HTREEITEM hItem, const std::function<bool(uint32_t)>& fn);

class CFolderTreeCtrl : public CTreeCtrl
{
public:
    // What a tree item is drawn with besides the defaults.
    struct ItemStyle
    {
        COLORREF clrText;
        LOGFONT lf;
    };

    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // The system image list as normal images (may be null), the check box
    // states from bitmap 200 and the four cursors.
    void SetupImages(CImageList* pSystemImages);

    // --- the check model ---
    // One item checked (unchecked) and mirrored into the list's maps.
    void CheckItem(HTREEITEM hItem);
    void UncheckItem(HTREEITEM hItem);
    // The item and everything below it checked or unchecked.
    void SetSubtreeCheck(HTREEITEM hItem, int nCheck);
    // The item and its subtree take the state; each ancestor is then made
    // checked, partly checked or unchecked by what lies below it. Returns 0.
    int SetCheck(HTREEITEM hItem, int nCheck);
    // Unchecks a checked, partly checked or box-less item, else checks it.
    void ToggleCheck(HTREEITEM hItem);
    // Unchecks the item, then each direct child with its subtree. Returns 0.
    int UncheckWithChildren(HTREEITEM hItem);
    // 1 when every direct child is checked (or there is none).
    int AreChildrenChecked(HTREEITEM hItem);
    // 1 when the folder of the item has a file of its own in the engine's
    // lists.
    int FolderHasFiles(HTREEITEM hItem);
    // 1 when the folder's first file is marked in m_mapCheckedFiles (the
    // files of a folder are marked together).
    int AreFolderFilesMarked(HTREEITEM hItem);
    int GetCheckState(HTREEITEM hItem) { return (int)(GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1; }

    // Pre-order walk: the first child, else the next sibling of the item or
    // of its nearest ancestor that has one; null at the end.
    HTREEITEM GetNextItemPreorder(HTREEITEM hItem) const;
    // Every checked folder below the root in pre-order, for a save; each
    // folder passed drops its own files from the list's save map.
    HTREEITEM GetFirstCheckedItem();
    HTREEITEM GetNextCheckedItem(HTREEITEM hAfter);

    // Text colour of one item (the builders' red for deleted folders).
    void SetItemColor(HTREEITEM hItem, COLORREF clr);
    BOOL GetItemStyle(HTREEITEM hItem, ItemStyle& style) const;
    // Empties the style map (the recovery step's Back, a new build).
    void RemoveAllItemStyles();

    // --- the builders ---
    // Inserts an item as the parent's last child: under TVI_ROOT with an
    // image by drive type, elsewhere with the closed-folder icon.
    HTREEITEM AddFolderItem(LPCTSTR lpszText, HTREEITEM hParent);
    HTREEITEM AddChildFolder(HTREEITEM hParent, LPCTSTR lpszText);
    // The parent's first child with the text (spaces trimmed off both
    // ends), else a new last child: with the shell's icon for the text as a
    // file name when bByFileType is 1, else the folder icon.
    HTREEITEM FindOrAddChild(LPCTSTR lpszText, HTREEITEM hParent, int bByFileType);

    // Adds an item for every FAT folder below the parent cluster, and below
    // those their own folders, each folder once; deleted folders are red and
    // each record keeps its item. A folder that names itself or the root as
    // its own cluster is left out, so a damaged directory cannot loop.
    void AddFatSubfolders(HTREEITEM hParent, uint32_t parentCluster);
    // The same over the NTFS folder records below a parent record number.
    void AddNtfsSubfolders(HTREEITEM hParent, uint32_t parentRecord);
    // A folder per hit description (found or made under the parent), each
    // filled by AddTraceGroup. The text is not used.
    void AddTraceTypeFolders(HTREEITEM hParent, LPCTSTR lpszText);
    // Below the type's folder, an item per extension of the hits of that
    // description.
    void AddTraceGroup(HTREEITEM hTypeItem, LPCTSTR lpszDescription);

    // The texts of the item's ancestors below the top level, each followed
    // by "\" (unless it ends with one), then the item's own text.
    CString GetItemPath(HTREEITEM hItem) const;

    // Empties the tree and builds it anew: "Root" at the top (remembered in
    // m_hRootItem), the FAT folders from parent cluster 0, the NTFS folders
    // from parent record 5 or the hits' type folders below it, everything
    // checked, "Root" expanded. Returns "Root".
    HTREEITEM BuildFatTree();
    HTREEITEM BuildNtfsTree();
    HTREEITEM BuildTraceTree();

    BOOL IsItemDeleted(HTREEITEM hItem) const;

    // --- the list in step with the tree ---
    // The list rows' check boxes after a change of the item's marks: all
    // rows take the item's state after an NTFS label click (the pending
    // flag) or for "Root"; otherwise rows whose ID is a checked file or
    // folder are checked; in File Trace, rows named as a checked tree item.
    void SyncListChecks(HTREEITEM hItem);

    // --- clicks and keys ---
    // A left click on an item, run behind the please-wait dialog: a check
    // box marks or unmarks the folder and its files, a label lists it.
    void OnItemClick(UINT nFlags, HTREEITEM hItem);
    // File Trace: an item's group (a description with flag 1, an
    // extension with flag 0, "ROOT" for the root); FALSE when none.
    BOOL GetTraceGroup(HTREEITEM hItem, CString& name, int& bByDescription);
    // Lists the folder of an item (the root's for an item without folder).
    void ListItemFolder(HTREEITEM hItem);

    // Items added by the builders since the counter was last set to 0.
    uint32_t m_nBuiltItems = 0;
    // The result tree's top item, remembered by whoever builds the tree.
    HTREEITEM m_hRootItem = NULL;
    // Receives WM_USER + 1 with the position while a snapshot loads.
    HWND m_hSnapshotProgressWnd = NULL;
    // The file-system step's panel: an Extensive Scan's NTFS build reports
    // its progress there.
    CStepPanel* m_pFileSystemPanel = NULL;
    // The list whose maps mirror the checks (may be null).
    CResultListCtrl* m_pList = NULL;
    // Set by a label click on an NTFS folder, consumed by the list sync.
    int m_bPendingSync = 0;

    CShellIcons m_shellIcons;
    CMenu m_menu;
    CImageList m_imlStates;
    HCURSOR m_hItemCursor = NULL;      // over an item
    HCURSOR m_hButtonCursor = NULL;    // over an item's expand button
    HCURSOR m_hCheckCursor = NULL;     // over a check box, and while its click is handled
    HCURSOR m_hBusyCursor = NULL;      // while a click on an item is handled

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The folder's context menu at a point in client coordinates.
    virtual void ShowContextMenu(CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM StartTree();
    HTREEITEM FinishTree(HTREEITEM hRoot);
    HTREEITEM AddBuiltFolder(LPCTSTR lpszText, HTREEITEM hParent, uint32_t deleted);
    HTREEITEM InsertWithImage(LPCTSTR lpszText, HTREEITEM hParent, int nImage);
    int RootImage(LPCTSTR lpszText);
    void ProgressStep(bool bFileSystemPanel);
    // Unchecks the item's ancestors whose children are all unchecked, then
    // the root when its children are.
    void UncheckEmptyAncestors(HTREEITEM hItem);

    CMap<DWORD, DWORD, ItemStyle, const ItemStyle&> m_mapStyles;
    int m_nLastProgress = -1;
};
