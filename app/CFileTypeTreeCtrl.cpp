#include "CFileTypeTreeCtrl.h"

#include "CFileTypeRecord.h"
#include "../res/resource.h"

namespace {

const TCHAR kRootText[] = _T("File Types");
const int kStateImageWidth = 16;
const COLORREF kStateMask = RGB(255, 255, 255);

}  // namespace

BEGIN_MESSAGE_MAP(CFileTypeTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_KEYUP()
END_MESSAGE_MAP()

CFileTypeTreeCtrl::CFileTypeTreeCtrl() : m_Records(10), m_hRoot(NULL)
{
}

CFileTypeTreeCtrl::~CFileTypeTreeCtrl()
{
    FreeRecords();
}

void CFileTypeTreeCtrl::FreeRecords()
{
    while (!m_Records.IsEmpty())
        delete m_Records.RemoveHead();
    m_Catalogue.clear();
}

void CFileTypeTreeCtrl::InitTree()
{
    DeleteAllItems();
    FreeRecords();
    // The shell owns its system image list: the tree only borrows it.
    SetImageList(CImageList::FromHandle(m_ShellIcons.GetSystemImageList(TRUE)), TVSIL_NORMAL);
    if (m_StateImages.GetSafeHandle() == NULL)
        m_StateImages.Create(IDB_FILE_TYPE_STATES, kStateImageWidth, 1, kStateMask);
    if (m_StateImages.GetSafeHandle() != NULL)
        SetImageList(&m_StateImages, TVSIL_STATE);
    m_hRoot = FindOrAddChild(kRootText, TVI_ROOT);
}

void CFileTypeTreeCtrl::AddCatalogueRecord(const CatalogueRecord& record)
{
    m_Catalogue.push_back(record);
    m_Records.AddHead(new CFileTypeRecord(record));
    if (!record.extension.empty())
        AddCatalogueItem(CatalogueCategoryText(record.category).c_str(), record.extension.c_str());
}

HTREEITEM CFileTypeTreeCtrl::AddCatalogueItem(LPCTSTR lpszCategory, LPCTSTR lpszExtension)
{
    HTREEITEM hCategory = FindOrAddChild(lpszCategory, m_hRoot);
    return FindOrAddChild(lpszExtension, hCategory);
}

HTREEITEM CFileTypeTreeCtrl::FindOrAddChild(LPCTSTR lpszText, HTREEITEM hParent)
{
    HTREEITEM hFirst = hParent == TVI_ROOT ? GetRootItem() : GetChildItem(hParent);
    for (HTREEITEM hChild = hFirst; hChild != NULL; hChild = GetNextSiblingItem(hChild))
    {
        if (GetItemText(hChild) == lpszText)
            return hChild;
    }
    // Extensions show the shell's icon for their file type; the root and
    // the categories a closed folder.
    int nImage = hParent != TVI_ROOT && lpszText[0] == _T('.') ? m_ShellIcons.GetFileIconIndex(lpszText, TRUE)
                                                              : m_ShellIcons.GetFolderIconIndex(TRUE);
    return InsertTypeItem(lpszText, nImage, nImage, hParent, TVI_LAST, FALSE);
}

HTREEITEM CFileTypeTreeCtrl::InsertTypeItem(LPCTSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent,
                                            HTREEITEM hInsertAfter, BOOL bHasChildren)
{
    TVINSERTSTRUCT tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    // Every item starts unchecked; the tree does this by itself for its own
    // check boxes, but not every version does it once the state images are
    // replaced.
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    tvis.item.pszText = (LPTSTR)lpszText;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = INDEXTOSTATEIMAGEMASK(1);
    tvis.item.stateMask = TVIS_STATEIMAGEMASK;
    if (bHasChildren)
    {
        tvis.item.mask |= TVIF_CHILDREN;
        tvis.item.cChildren = 1;
    }
    return InsertItem(&tvis);
}

int CFileTypeTreeCtrl::BuildSignatureSelection(HTREEITEM hRoot)
{
    // Display order: an item, then its children, then its next sibling, then
    // the next sibling of the nearest ancestor that has one.
    HTREEITEM hItem = GetChildItem(hRoot);
    while (hItem != NULL)
    {
        int nState = GetTreeCheckState(hItem);
        if (nState == StateChecked || nState == StatePartlyChecked)
            AppendCatalogueSignatures(m_Catalogue, GetItemText(hItem));
        HTREEITEM hNext = GetChildItem(hItem);
        while (hNext == NULL && hItem != NULL && hItem != hRoot)
        {
            hNext = GetNextSiblingItem(hItem);
            if (hNext == NULL)
                hItem = GetParentItem(hItem);
        }
        hItem = hNext;
    }
    return 1;
}

int CFileTypeTreeCtrl::GetTreeCheckState(HTREEITEM hItem) const
{
    return (int)(GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1;
}

void CFileTypeTreeCtrl::SetItemChecked(HTREEITEM hItem)
{
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(StateChecked + 1) | TVIS_BOLD, TVIS_STATEIMAGEMASK | TVIS_BOLD);
}

void CFileTypeTreeCtrl::SetItemUnchecked(HTREEITEM hItem)
{
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(StateUnchecked + 1), TVIS_STATEIMAGEMASK | TVIS_BOLD);
}

void CFileTypeTreeCtrl::SetTreeItemPartlyChecked(HTREEITEM hItem)
{
    // Only checked items are bold.
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(StatePartlyChecked + 1), TVIS_STATEIMAGEMASK | TVIS_BOLD);
}

BOOL CFileTypeTreeCtrl::HasChildIn(HTREEITEM hItem, UINT nStates) const
{
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != NULL; hChild = GetNextSiblingItem(hChild))
    {
        if (nStates & StateBit(GetTreeCheckState(hChild)))
            return TRUE;
    }
    return FALSE;
}

int CFileTypeTreeCtrl::AreChildrenChecked(HTREEITEM hItem) const
{
    return !HasChildIn(hItem, StateBit(StateUnchecked));
}

int CFileTypeTreeCtrl::AreChildrenUnchecked(HTREEITEM hItem) const
{
    return !HasChildIn(hItem, StateBit(StateChecked) | StateBit(StatePartlyChecked));
}

void CFileTypeTreeCtrl::UpdateAncestors(HTREEITEM hItem)
{
    // A parent whose children are all partly checked is itself only partly
    // checked, so "checked" asks for every child fully checked.
    for (HTREEITEM hParent = GetParentItem(hItem); hParent != NULL; hParent = GetParentItem(hParent))
    {
        if (!HasChildIn(hParent, ~StateBit(StateChecked)))
            SetItemChecked(hParent);
        else if (AreChildrenUnchecked(hParent))
            SetItemUnchecked(hParent);
        else
            SetTreeItemPartlyChecked(hParent);
    }
}

void CFileTypeTreeCtrl::MarkSubtree(HTREEITEM hItem, BOOL bCheck)
{
    if (bCheck)
        SetItemChecked(hItem);
    else
        SetItemUnchecked(hItem);
    if (hItem != m_hRoot)
        UpdateAncestors(hItem);
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != NULL; hChild = GetNextSiblingItem(hChild))
        MarkSubtree(hChild, bCheck);
}

void CFileTypeTreeCtrl::CheckSubtree(HTREEITEM hItem)
{
    MarkSubtree(hItem, TRUE);
}

void CFileTypeTreeCtrl::UncheckSubtree(HTREEITEM hItem)
{
    MarkSubtree(hItem, FALSE);
}

void CFileTypeTreeCtrl::ToggleCheck(HTREEITEM hItem)
{
    if (hItem == NULL)
        return;
    int nState = GetTreeCheckState(hItem);
    if (nState == StateChecked || nState == StatePartlyChecked)
        UncheckSubtree(hItem);
    else
        CheckSubtree(hItem);
}

void CFileTypeTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    UINT nHitFlags = 0;
    HTREEITEM hItem = HitTest(point, &nHitFlags);
    if (hItem == NULL)
        return;
    // The click never reaches the tree itself: its own check box handling
    // would flip one item's mark without its parents and children.
    if (nHitFlags & TVHT_ONITEMSTATEICON)
    {
        ToggleCheck(hItem);
    }
    else if (nHitFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT))
    {
        SelectItem(hItem);
        SetFocus();
    }
    else
    {
        Expand(hItem, TVE_TOGGLE);
    }
}

void CFileTypeTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // The second click of a double click on a check box counts as a click
    // of its own; the tree would flip the one item's state image.
    UINT nHitFlags = 0;
    HTREEITEM hItem = HitTest(point, &nHitFlags);
    if (hItem != NULL && (nHitFlags & TVHT_ONITEMSTATEICON))
    {
        ToggleCheck(hItem);
        return;
    }
    CTreeCtrl::OnLButtonDblClk(nFlags, point);
}

// The space bar ticks the caret item like a click on its check box. The tree
// must not see it: its own handling flips the one item's state image only.
void CFileTypeTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (nChar == VK_SPACE)
    {
        ToggleCheck(GetSelectedItem());
        return;
    }
    Default();
}

void CFileTypeTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (nChar == _T(' '))
        return;
    Default();
}

void CFileTypeTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    SelectItem(GetSelectedItem());
    SetFocus();
    if (nChar != VK_SPACE)
        Default();
}
