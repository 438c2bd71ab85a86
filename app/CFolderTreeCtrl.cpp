#include "CFolderTreeCtrl.h"

#include <string>
#include <vector>

#include "fat/FatLists.h"
#include "fat/ScanPanelHost.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanTree.h"
#include "snapshot/SnapshotCommands.h"
#include "state/ScanControl.h"
#include "trace/TraceHit.h"

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

HTREEITEM CFolderTreeCtrl::AddFolderItem(LPCTSTR lpszText, HTREEITEM hParent)
{
    return InsertItem(lpszText, hParent, TVI_LAST);
}

HTREEITEM CFolderTreeCtrl::AddBuiltFolder(LPCTSTR lpszText, HTREEITEM hParent, uint32_t deleted)
{
    ++m_nBuiltItems;
    // The deleted mark goes in with the item, so it is never drawn without it.
    return InsertItem(TVIF_TEXT | TVIF_PARAM, lpszText, 0, 0, 0, 0, deleted ? ItemDeleted : 0, hParent, TVI_LAST);
}

void CFolderTreeCtrl::AddFatSubfolders(HTREEITEM hParent, uint32_t parentCluster)
{
    WalkFatFolderTree(parentCluster, hParent, [&](FatFolderRecord* f, HTREEITEM parent) {
        HTREEITEM item = AddBuiltFolder(f->name, parent, f->deleted);
        SetFatFolderTreeItem(f, (uint32_t)(uintptr_t)item);
        return item;
    });
}

void CFolderTreeCtrl::AddNtfsSubfolders(HTREEITEM hParent, uint32_t parentRecord)
{
    WalkFolderTree<NtfsFolderRecord, HTREEITEM>(
        parentRecord, hParent,
        [](uint32_t key) -> const std::vector<NtfsFolderRecord*>& { return NtfsChildrenOf(key).folders; },
        [](NtfsFolderRecord* f) { return f->recordNumber; },
        [&](NtfsFolderRecord* f, HTREEITEM parent) {
            HTREEITEM item = AddBuiltFolder(f->name, parent, f->deleted);
            SetNtfsFolderTreeItem(f, (uint32_t)(uintptr_t)item);
            return item;
        });
}

HTREEITEM CFolderTreeCtrl::FindOrAddChild(HTREEITEM hParent, LPCTSTR lpszText)
{
    for (HTREEITEM child = GetChildItem(hParent); child; child = GetNextSiblingItem(child))
        if (GetItemText(child) == lpszText)
            return child;
    ++m_nBuiltItems;
    return InsertItem(lpszText, hParent, TVI_LAST);
}

void CFolderTreeCtrl::ReportBuildProgress(int position)
{
    if (g_SnapshotLoading) {
        if (m_hSnapshotProgressWnd)
            ::SendMessage(m_hSnapshotProgressWnd, WM_USER + 1, (WPARAM)position, 0);
    } else {
        ScanPanelHost().SetProgress(position);
    }
}

void CFolderTreeCtrl::AddTraceTypeFolders(HTREEITEM hParent, LPCTSTR lpszPreviousDescription)
{
    const uint32_t total = g_TraceHitList.count ? (uint32_t)g_TraceHitList.count : 1;
    std::wstring previousDescription = lpszPreviousDescription ? lpszPreviousDescription : L"";
    std::wstring previousExtension;
    HTREEITEM folder = NULL;
    uint32_t done = 0;
    int lastPosition = -1;
    for (TraceHit* hit = g_TraceHitList.head; hit; hit = hit->next) {
        if (ScanStopRequested())
            break;
        const wchar_t* description = hit->description ? hit->description : L"";
        const wchar_t* extension = hit->extension ? hit->extension : L"";
        if (!folder || _wcsicmp(description, previousDescription.c_str()) != 0) {
            folder = FindOrAddChild(hParent, description);
            previousDescription = description;
            previousExtension.clear();
        }
        if (previousExtension.empty() || _wcsicmp(extension, previousExtension.c_str()) != 0) {
            FindOrAddChild(folder, extension);
            previousExtension = extension;
        }
        int position = (int)((uint64_t)++done * 99 / total);
        if (position != lastPosition) {
            ReportBuildProgress(position);
            lastPosition = position;
        }
    }
}

CString CFolderTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    CString path = GetItemText(hItem);
    for (HTREEITEM parent = GetParentItem(hItem); parent && GetParentItem(parent); parent = GetParentItem(parent))
        path = GetItemText(parent) + L"\\" + path;
    return path;
}

void CFolderTreeCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVCUSTOMDRAW* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        if (draw->nmcd.lItemlParam & ItemDeleted)
            draw->clrText = RGB(255, 0, 0);
    }
}

HTREEITEM CFolderTreeCtrl::StartTree()
{
    DeleteAllItems();
    m_nBuiltItems = 0;
    m_hRootItem = AddFolderItem(L"Root", TVI_ROOT);
    return m_hRootItem;
}

HTREEITEM CFolderTreeCtrl::BuildFatTree()
{
    HTREEITEM root = StartTree();
    AddFatSubfolders(root, 0);
    Expand(root, TVE_EXPAND);
    return root;
}

HTREEITEM CFolderTreeCtrl::BuildNtfsTree()
{
    HTREEITEM root = StartTree();
    AddNtfsSubfolders(root, 5);
    Expand(root, TVE_EXPAND);
    return root;
}
