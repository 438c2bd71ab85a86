// The recovery step's result list: the entries of the folder chosen in the
// result tree, and the maps that remember what the user marked. The tree's
// check marks are mirrored into the maps; saving reads them.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>
#include <stdint.h>

#include "CVZListCtrl.h"

class CFolderTreeCtrl;

// Every map is keyed by a 32-bit value (a tree item or an engine record's
// list ID) with the value 1. The framework's map: 17 buckets, blocks of 10.
typedef CMap<DWORD, DWORD, int, int> CMarkMap;
// Preview copy number to the copy's full path.
typedef CMap<int, int, CString, LPCTSTR> CPreviewCopyMap;

// What kind of row a list row is (by its texts).
enum ResultRowKind
{
    RowParent,
    RowFolder,
    RowFile,
    RowTraceType,
    RowTraceHit,
};

// An ID column's text as the unsigned decimal the fillers write: the one
// reading of IDs and tree items everywhere (values above 2^31 stay whole).
DWORD ParseRowId(LPCTSTR text);

class CResultListCtrl : public CVZListCtrl
{
public:
    CResultListCtrl();
    ~CResultListCtrl() override;

    // The state images (an empty and a filled box from bitmap 201) as the
    // list's state image list.
    void SetStateImages();
    // m_imlIcons as the header's images, item i showing image i.
    void SetHeaderImages();

    // --- rows ---
    ResultRowKind GetRowKind(int nRow) const;
    // Column of the row IDs: 2 in File Trace, else 5.
    static int IdColumn();
    // The row's ID column as a number.
    DWORD GetRowId(int nRow) const;
    // State image index minus one: 1 marked, 0 unmarked, -1 no box.
    int GetRowMark(int nRow) const;
    void SetRowStateNone(int nRow) { SetRowState(nRow, 0); }
    void SetRowStateUnmarked(int nRow) { SetRowState(nRow, 1); }
    void SetRowStateMarked(int nRow) { SetRowState(nRow, 2); }
    // State image 2 (checked); the fillers' check of a row.
    void CheckRow(int nRow) { SetRowState(nRow, 2); }
    // Any state image (0 none, 1 empty box, 2 filled box, 3 not drawn).
    void SetRowState(int nRow, int nImage);
    void MarkAllRows();
    void UnmarkAllRows();
    int AreAllRowsMarked() const;
    int AreNoRowsMarked() const;

    // --- the maps ---
    // A file row's mark changed: its ID enters or leaves m_mapCheckedFiles
    // and m_mapSaveFiles (the row's mark after the change decides).
    void MarkFileRow(DWORD parentKey, DWORD id, int nRow);
    void AddCheckedFolderTree(HTREEITEM hItem);
    void RemoveCheckedFolderTree(HTREEITEM hItem);
    void CheckFolderFiles(HTREEITEM hItem);
    void UncheckFolderFiles(HTREEITEM hItem);
    void MarkFolder(DWORD key, HTREEITEM hItem);
    void UnmarkFolder(DWORD key, HTREEITEM hItem);
    // Removes from m_mapSaveFiles every file lying directly in the folder of
    // the tree item, so that a folder that is saved whole does not save its
    // files a second time.
    void DropFolderFileMarks(HTREEITEM hItem);
    void MarkTraceType(LPCTSTR lpszName, int bByDescription);
    void UnmarkTraceType(LPCTSTR lpszName, int bByDescription);
    // The tree's marks follow the rows after a check-box click.
    void SyncFolderMark(DWORD key);
    void SyncTraceTypeMarks(DWORD id, LPCTSTR lpszDescription, LPCTSTR lpszExtension, int bTypeRow);
    void SyncTraceSubtypeMarks(HTREEITEM hTypeItem, LPCTSTR lpszExtension);

    // Empties the five mark maps (the preview copies stay).
    void ClearMarks();

    // The check-box click on a row: its final state set here (the control's
    // own flip is vetoed) and the maps changed. Called on the reflected
    // NM_CLICK for a hit on the state icon.
    void ToggleRowMark(int nRow);

    // The tree whose marks follow the list (may be null).
    CFolderTreeCtrl* m_pTree = NULL;

    CImageList m_imlIcons;
    // Tree items of checked folders.
    CMarkMap m_mapCheckedFolders;
    // IDs of files shown marked.
    CMarkMap m_mapCheckedFiles;
    // Folders (tree items) and files (IDs) a save writes.
    CMarkMap m_mapSaveFolders;
    CMarkMap m_mapSaveFiles;
    // Preview copies in the temporary folder.
    CPreviewCopyMap m_mapPreviewCopies;
    // Tree items the tree itself checked.
    CMarkMap m_mapTreeChecked;
    CFont m_fontRows;
    CImageList* m_pStateImages = NULL;
    HCURSOR m_hMarkCursor = NULL;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNothing();
    DECLARE_MESSAGE_MAP()

    // Above zero while this class changes a row's state image itself.
    int m_nOwnStateChange = 0;
};

// Set until the list has painted once after its results changed; the
// recovery step's Back sets it again.
extern int g_bListFirstPaint;
// The tree item whose folder the list last showed through a tree click or
// key (0: the root or none).
extern DWORD g_CurrentFolderItem;
