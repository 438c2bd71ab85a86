#include "CDeviceTreeCtrl.h"

HTREEITEM CDeviceTreeCtrl::AddPartitionItem(LPCTSTR lpszParent, LPCTSTR lpszItem)
{
    HTREEITEM parent = GetRootItem();
    while (parent && GetItemText(parent) != lpszParent)
        parent = GetNextSiblingItem(parent);
    if (!parent)
        parent = InsertItem(lpszParent, TVI_ROOT, TVI_LAST);
    return InsertItem(lpszItem, parent, TVI_LAST);
}

void CDeviceTreeCtrl::ExpandRoot()
{
    HTREEITEM root = GetRootItem();
    if (root)
        Expand(root, TVE_EXPAND);
}
