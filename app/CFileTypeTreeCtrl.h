// The File Types dialog's check tree: root "File Types", one folder per
// catalogue category, one leaf per file extension, with tri-state check marks.
#pragma once

#include <afxcmn.h>
#include <afxcoll.h>

#include <vector>

#include "CShellIcons.h"
#include "trace/SignatureCatalogue.h"

// Check marks are state images 1 (unchecked), 2 (checked) and 3 (partly
// checked); checked items are drawn bold. A parent is checked when all its
// children are, unchecked when none is checked or partly checked, and partly
// checked otherwise.
class CFileTypeTreeCtrl : public CTreeCtrl
{
public:
    enum CheckState
    {
        StateNone = -1,
        StateUnchecked = 0,
        StateChecked = 1,
        StatePartlyChecked = 2,
    };

    CFileTypeTreeCtrl();
    ~CFileTypeTreeCtrl() override;

    // Attaches the shell's small icons and the check box images and adds the
    // root item "File Types".
    void InitTree();
    HTREEITEM GetFileTypesRoot() const { return m_hRoot; }

    // Keeps a catalogue record (at the head of the record list) and adds
    // its category folder and extension leaf; a record without extension
    // gets no item.
    void AddCatalogueRecord(const CatalogueRecord& record);
    // Finds or adds the category item under the root and the extension item
    // under it.
    HTREEITEM AddCatalogueItem(LPCTSTR lpszCategory, LPCTSTR lpszExtension);
    // The parent's child whose text equals lpszText exactly, added last
    // among its children when there is none.
    HTREEITEM FindOrAddChild(LPCTSTR lpszText, HTREEITEM hParent);
    HTREEITEM InsertTypeItem(LPCTSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent,
                             HTREEITEM hInsertAfter, BOOL bHasChildren);

    // Appends to the chosen signatures every record of each checked or
    // partly checked item below hRoot, items taken in display order; the
    // records of one extension come last in the catalogue first.
    int BuildSignatureSelection(HTREEITEM hRoot);

    // The catalogue's records, last record first.
    const CObList& GetRecords() const { return m_Records; }

    int GetTreeCheckState(HTREEITEM hItem) const;
    void SetItemUnchecked(HTREEITEM hItem);
    void SetItemChecked(HTREEITEM hItem);
    void SetTreeItemPartlyChecked(HTREEITEM hItem);
    void CheckSubtree(HTREEITEM hItem);
    void UncheckSubtree(HTREEITEM hItem);
    void ToggleCheck(HTREEITEM hItem);
    // 1 when no child is unchecked (checked or partly checked, or no child).
    int AreChildrenChecked(HTREEITEM hItem) const;
    // 1 when no child is checked or partly checked.
    int AreChildrenUnchecked(HTREEITEM hItem) const;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    // One bit per check state (StateNone included), for HasChildIn.
    static UINT StateBit(int nState) { return 1u << (nState + 1); }
    BOOL HasChildIn(HTREEITEM hItem, UINT nStates) const;
    // Checks or unchecks the item and everything below it.
    void MarkSubtree(HTREEITEM hItem, BOOL bCheck);
    // Re-derives the marks of the item's ancestors from their children.
    void UpdateAncestors(HTREEITEM hItem);
    void FreeRecords();

    CShellIcons m_ShellIcons;
    CImageList m_StateImages;
    CObList m_Records;                        // CFileTypeRecord, last first
    std::vector<CatalogueRecord> m_Catalogue; // the same records in file order
    HTREEITEM m_hRoot;
};
