// The device tree of the drive step ("My Computer" > "Physical Devices" >
// one item per virtual disk) and the partition tree of the scan step
// ("Virtual Hard Disk " > "Partition n"). Selecting an item is how the user
// chooses what the engine works on. Each item carries a check mark in its
// state-image bits, shown only as bold text (no state image list).
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CShellIcons.h"

// The row the wizard's trees store as the selected row: the number of
// visible items from the top down to the item (the item counted), minus 2;
// -1 for TVI_ROOT. The first visible item is -1, the second 0.
int GetTreeItemRow(CTreeCtrl& tree, HTREEITEM hItem);

// The item's state image index minus one: -1 none, 0 unchecked, 1 checked.
int GetTreeCheckState(CTreeCtrl& tree, HTREEITEM hItem);

// 0 as soon as one direct child is unchecked; else 1 (also without children).
int AreChildrenChecked(CTreeCtrl& tree, HTREEITEM hItem);

class CDeviceTreeCtrl : public CTreeCtrl
{
public:
    // Images of the normal image list, in list order.
    enum
    {
        ImageFolder = 0,
        ImageDiskOther = 1,
        ImageCd = 2,
        ImageRemovable = 3,
        ImageFloppy = 4,
        ImageDisk = 5,
        ImageComputer = 6,
    };

    CDeviceTreeCtrl();
    ~CDeviceTreeCtrl() override;

    // The image list and the cursors; after the window exists.
    void InitImages();
    // Inserts the backslash-separated segments of an 8-bit path as a chain
    // of items (text after the last backslash is ignored), then checks the
    // first root item with its children.
    void InsertPath(const char* lpszPath);
    // The parent's first child with exactly that text, or a new last child.
    HTREEITEM FindOrInsertItem(const CString& strText, HTREEITEM hParent);
    HTREEITEM InsertItemWithImage(LPCTSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent,
                                  HTREEITEM hInsertAfter);
    // An item under the root-level item parentText (made first when
    // missing), which becomes checked. Called from the partition search's
    // worker: every tree operation is a message the tree's thread answers.
    // Returns the item.
    HTREEITEM AddPartitionItem(LPCTSTR lpszParent, LPCTSTR lpszItem);
    void ExpandRoot();

    // The selection: writes the engine's selection state, the frame's
    // selected item and row, the panels and the mode text. Returns the
    // item's text.
    CString OnSelectItem(HTREEITEM hItem);

    // Marks.
    void MarkChecked(HTREEITEM hItem);
    void MarkUnchecked(HTREEITEM hItem);
    void CheckItemAndChildren(HTREEITEM hItem);
    void UncheckSubtree(HTREEITEM hItem);
    void UpdateParentChecks(HTREEITEM hItem);
    void UpdateParentBold(HTREEITEM hItem);
    BOOL HasBoldChild(HTREEITEM hItem);

    // g_ModeText for g_ScanMode and the source type in force (unchanged
    // for any other source type).
    void SetModeText();

    HCURSOR ExpandCursor() const { return m_hExpandCursor; }
    HCURSOR ItemCursor() const { return m_hItemCursor; }
    HCURSOR PressedCursor() const { return m_hPressedCursor; }

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The disk item's part of the selection on the drive step (the arrow
    // keys and the click share it).
    void SelectDiskRow(int nRow);

    CShellIcons m_shellIcons;
    CMenu m_menu;
    CWnd* m_pStatusWnd;
    CImageList m_imageList;
    CImageList m_spareImageList;
    HCURSOR m_hExpandCursor;
    HCURSOR m_hItemCursor;
    HCURSOR m_hPressedCursor;
};
