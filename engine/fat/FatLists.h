// The FAT folder and file lists a FAT directory walk fills (engine list
// conventions: records and their name copies from the lists' arena,
// appended at the tail, freed as a whole).
#pragma once

#include <stdint.h>

#include <vector>

#include "state/EngineList.h"

struct FatFolderRecord
{
    wchar_t* name;           // long name, or 8.3 name
    uint32_t cluster;        // first cluster; no two records share it
    uint32_t parentCluster;  // 0 for the root directory
    uint16_t modifiedDate;   // entry offset 0x18
    uint16_t accessDate;     // entry offset 0x12
    uint32_t treeItem;       // result-tree item, set by the tree builder
    uint32_t deleted;        // 1 when the entry or a folder above it is deleted
    FatFolderRecord* next;
};

struct FatFileRecord
{
    wchar_t* name;
    uint32_t firstCluster;
    uint32_t parentCluster;
    uint16_t modifiedDate;
    uint16_t accessDate;
    uint32_t size;
    uint16_t modifiedTime;  // entry offset 0x16, restored when saving; snapshots keep none
    uint32_t deleted;
    uint32_t fileNumber;  // g_FileCount when the record was made
    FatFileRecord* next;
};

extern EngineList<FatFolderRecord> g_FatFolders;
extern EngineList<FatFileRecord> g_FatFiles;

// Appends a file record (file number = g_FileCount). The caller counts it.
void AddFatFile(const wchar_t* name, uint32_t firstCluster, uint32_t parentCluster,
                uint16_t modifiedDate, uint16_t accessDate, uint32_t size, uint32_t deleted,
                uint16_t modifiedTime = 0);

// Appends a folder record and adds 1 to g_FolderCount, unless a folder with
// the same cluster is listed: a live entry then takes over a deleted record
// whole (name, parent, dates, not deleted); otherwise the new one is dropped.
void AddFatFolder(const wchar_t* name, uint32_t cluster, uint32_t parentCluster,
                  uint16_t modifiedDate, uint16_t accessDate, uint32_t treeItem, uint32_t deleted);

// Gives a listed folder a copy of name.
void SetFatFolderName(FatFolderRecord* folder, const wchar_t* name);

// The folder record of a cluster, or null.
FatFolderRecord* FindFatFolder(uint32_t cluster);

// Frees the FAT lists and the Quick Scan's NTFS lists, with their indexes,
// and zeroes the folder, file, parsed-entry and total-size counters.
void FreeEntryLists();

// The folders and files whose parent cluster is the given one, in list
// order (0: the root). Built once after the lists change, so that the tree
// builder, saving and the tools share one index.
struct FatChildren
{
    std::vector<FatFolderRecord*> folders;
    std::vector<FatFileRecord*> files;
};
const FatChildren& FatChildrenOf(uint32_t parentCluster);

// The folder record whose result-tree item this is, or null.
FatFolderRecord* FatFolderByTreeItem(uint32_t treeItem);

// The tree builder's store of a folder's result-tree item (0: none), kept
// in the index FatFolderByTreeItem reads.
void SetFatFolderTreeItem(FatFolderRecord* folder, uint32_t treeItem);

// Stores and lookups of that index so far (each one step).
uint64_t FatTreeItemSteps();

// 1 when GetFileAttributesW finds the path.
int FileExists(const wchar_t* path);
