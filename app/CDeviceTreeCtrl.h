// The device tree of the drive and scan steps.
#pragma once

#include <afxcmn.h>

class CDeviceTreeCtrl : public CTreeCtrl
{
public:
    // Adds an item under the root-level item whose text is lpszParent,
    // inserting that parent first when it is missing. Returns the new item.
    HTREEITEM AddPartitionItem(LPCTSTR lpszParent, LPCTSTR lpszItem);
    void ExpandRoot();
};
