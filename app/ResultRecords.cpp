#include "ResultRecords.h"

#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

ResultKind CurrentResultKind()
{
    if (g_ScanMode == ScanModeFileTrace)
        return ResultTrace;
    if (VolumeParams.fileSystemType == FileSystemFat16 || VolumeParams.fileSystemType == FileSystemFat32)
        return ResultFat;
    return g_ScanMode == ScanModeExtensive ? ResultNtfsExtensive : ResultNtfs;
}

DWORD RootFolderKey() { return CurrentResultKind() == ResultFat ? 0 : 5; }

BOOL FolderOfTreeItem(DWORD treeItem, DWORD* pKey, DWORD* pParentKey)
{
    if (treeItem == 0)
        return FALSE;
    switch (CurrentResultKind()) {
    case ResultFat:
        if (const FatFolderRecord* f = FatFolderByTreeItem(treeItem)) {
            if (pKey)
                *pKey = f->cluster;
            if (pParentKey)
                *pParentKey = f->parentCluster;
            return TRUE;
        }
        return FALSE;
    case ResultNtfs:
    case ResultNtfsExtensive:
        if (const NtfsFolderRecord* f = NtfsFolderByTreeItem(treeItem)) {
            if (pKey)
                *pKey = f->recordNumber;
            if (pParentKey)
                *pParentKey = f->parent;
            return TRUE;
        }
        return FALSE;
    case ResultTrace:
        break;
    }
    return FALSE;
}

BOOL FolderOfKey(DWORD key, DWORD* pTreeItem, DWORD* pParentKey)
{
    switch (CurrentResultKind()) {
    case ResultFat:
        if (const FatFolderRecord* f = FindFatFolder(key)) {
            if (pTreeItem)
                *pTreeItem = f->treeItem;
            if (pParentKey)
                *pParentKey = f->parentCluster;
            return TRUE;
        }
        return FALSE;
    case ResultNtfs:
    case ResultNtfsExtensive:
        if (const NtfsFolderRecord* f = FindNtfsFolder(key)) {
            if (pTreeItem)
                *pTreeItem = f->treeItem;
            if (pParentKey)
                *pParentKey = f->parent;
            return TRUE;
        }
        return FALSE;
    case ResultTrace:
        break;
    }
    return FALSE;
}

void ForEachFolderItem(const std::function<void(DWORD)>& fn)
{
    switch (CurrentResultKind()) {
    case ResultFat:
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
            fn(f->treeItem);
        return;
    case ResultNtfs:
    case ResultNtfsExtensive:
        for (const NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next)
            fn(f->treeItem);
        return;
    case ResultTrace:
        return;
    }
}

void ForEachFileOfKey(DWORD key, BOOL bAll, const std::function<void(DWORD)>& fn)
{
    switch (CurrentResultKind()) {
    case ResultFat:
        if (bAll) {
            for (const FatFileRecord* f = g_FatFiles.head; f; f = f->next)
                fn(f->fileNumber);
        } else {
            for (const FatFileRecord* f : FatChildrenOf(key).files)
                fn(f->fileNumber);
        }
        return;
    case ResultNtfs:
        if (bAll) {
            for (const NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next)
                fn(f->dataRecordSector);
        } else {
            for (const NtfsFileRecord* f : NtfsChildrenOf(key).files)
                fn(f->dataRecordSector);
        }
        return;
    case ResultNtfsExtensive:
        for (const NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
            if ((bAll || f->parent == key) && IsInChosenNtfsVolume(f))
                fn(f->recordSector);
        return;
    case ResultTrace:
        return;
    }
}

BOOL ParentOfFileId(DWORD id, DWORD* pParentKey)
{
    switch (CurrentResultKind()) {
    case ResultFat:
        for (const FatFileRecord* f = g_FatFiles.head; f; f = f->next)
            if (f->fileNumber == id) {
                *pParentKey = f->parentCluster;
                return TRUE;
            }
        return FALSE;
    case ResultNtfs:
        for (const NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next)
            if (f->dataRecordSector == id) {
                *pParentKey = f->parent;
                return TRUE;
            }
        return FALSE;
    case ResultNtfsExtensive:
        for (const NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
            if (f->recordSector == id && IsInChosenNtfsVolume(f)) {
                *pParentKey = f->parent;
                return TRUE;
            }
        return FALSE;
    case ResultTrace:
        break;
    }
    return FALSE;
}
