// The engine's result records as the recovery step's tree and list see
// them: which lists the shown results live in, a folder's key (FAT first
// cluster, NTFS record number) and tree item, a file's list ID (FAT file
// number, NTFS data record sector, Extensive Scan record sector, File Trace
// hit number) and the keys of their parents.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <functional>

enum ResultKind
{
    ResultFat,
    ResultNtfs,
    ResultNtfsExtensive,
    ResultTrace,
};

// By g_ScanMode and the selected file system.
ResultKind CurrentResultKind();
// 0 for FAT, 5 for NTFS.
DWORD RootFolderKey();

// The folder with this tree item: its key and parent key. FALSE when no
// folder record has the item.
BOOL FolderOfTreeItem(DWORD treeItem, DWORD* pKey, DWORD* pParentKey = NULL);
// The folder with this key: its tree item and parent key. FALSE when none.
BOOL FolderOfKey(DWORD key, DWORD* pTreeItem, DWORD* pParentKey = NULL);
// Calls fn(treeItem) for every folder record (FAT, or NTFS lists).
void ForEachFolderItem(const std::function<void(DWORD)>& fn);
// Calls fn(id) for each file whose parent is the key, or for every file
// when bAll; Extensive Scan files outside the chosen file system are left
// out. File Trace has none.
void ForEachFileOfKey(DWORD key, BOOL bAll, const std::function<void(DWORD)>& fn);
// The parent key of the file with this ID. FALSE when none.
BOOL ParentOfFileId(DWORD id, DWORD* pParentKey);
