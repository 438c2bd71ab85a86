// The engine's NTFS record lists: the Quick Scan's folders and files, the
// Extensive Scan's folder and file records and index blocks, with their
// builders and resets, and the lookups kept beside the lists so that no
// caller has to walk a list to find a record by number or by parent.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <vector>

#include "state/EngineList.h"

// One file of the Quick Scan. The builder does not count it: the Quick Scan
// keeps g_FileCount.
struct NtfsFileRecord
{
    wchar_t* name;
    uint32_t recordNumber;
    uint32_t parent;
    FILETIME created;
    FILETIME changed;
    uint64_t size;
    uint32_t deleted;
    uint32_t dataRecordSector;   // LBA of the record holding the unnamed $DATA; the list key
    // Not stored in snapshots: the sequence number of the parent reference.
    uint16_t parentSequence;
    NtfsFileRecord* next;
};

// One folder of the Quick Scan (or of an extracted Extensive file system);
// counted in g_FolderCount.
struct NtfsFolderRecord
{
    wchar_t* name;
    uint32_t recordNumber;       // 5 root, NtfsLostDirRecord for "Lost Dir"
    uint32_t parent;
    FILETIME created;
    FILETIME changed;
    uint32_t treeItem;
    uint32_t deleted;
    uint16_t reserved;
    // Not stored in snapshots: the folder record's own sequence number and
    // that of its parent reference (0 for made-up folders).
    uint16_t sequence;
    uint16_t parentSequence;
    NtfsFolderRecord* next;
};

// One "FILE" record of a file found by the Extensive Scan.
struct NtfsScanFileRecord
{
    wchar_t* name;
    uint32_t recordSector;
    uint32_t parent;
    // Not stored in snapshots: the record's own number (header 0x2C;
    // NtfsNoRecordNumber when the header has none) and sequence number, so
    // that copies of one record found twice are told apart.
    uint32_t recordNumber;
    FILETIME created;
    FILETIME changed;
    uint64_t size;
    uint16_t sequence;
    uint32_t deleted;
    NtfsScanFileRecord* next;
};

// One "FILE" record of a directory found by the Extensive Scan.
struct NtfsScanFolderRecord
{
    wchar_t* name;
    uint32_t recordSector;
    uint32_t parent;
    uint32_t ownNumber;
    uint16_t volume;
    FILETIME created;
    FILETIME changed;
    uint32_t indexCluster;
    uint32_t deleted;
    NtfsScanFolderRecord* next;
};

// One "INDX" block found by the Extensive Scan.
struct IndexBlockHit
{
    uint32_t sector;
    uint32_t owner;
    uint32_t vcn;
    uint16_t marker;
    uint8_t sectors;
    IndexBlockHit* next;
};

extern EngineList<NtfsFolderRecord> g_NtfsFolderList;
extern EngineList<NtfsFileRecord> g_NtfsFileList;
extern EngineList<NtfsScanFolderRecord> g_NtfsScanFolderList;
extern EngineList<NtfsScanFileRecord> g_NtfsScanFileList;
extern EngineList<IndexBlockHit> g_IndexBlockList;
extern uint32_t g_ExtFolderCount;
extern uint32_t g_ExtFileCount;
extern uint32_t g_IndexBlockCount;

// Quick Scan builders. Each allocates the record and its name copy, fills
// it and links it at the tail. AddNtfsFolderRecord counts the folder; in
// the Extensive Scan mode it first looks for a folder with the same record
// number and adds nothing when there is one. Both return the record (or the
// one already listed).
NtfsFileRecord* AddNtfsFileRecord(uint32_t dataRecordSector, const wchar_t* name, uint32_t recordNumber,
                                  uint32_t parent, FILETIME created, FILETIME changed, uint32_t deleted,
                                  uint64_t size);
NtfsFolderRecord* AddNtfsFolderRecord(const wchar_t* name, uint32_t recordNumber, uint32_t parent,
                                      FILETIME created, FILETIME changed, uint32_t treeItem,
                                      uint32_t deleted);

// Frees both Quick Scan lists and their lookups; sets g_FolderCount and
// g_FileCount to 0.
void FreeNtfsEntryLists();

// Extensive Scan builders and their reset.
NtfsScanFolderRecord* AddNtfsScanFolderRecord(const wchar_t* name, uint32_t recordSector, uint32_t parent,
                                              uint32_t ownNumber, FILETIME created, FILETIME changed,
                                              uint32_t indexCluster, uint32_t deleted);
// The record number and sequence start as "none" (NtfsNoRecordNumber, 0).
NtfsScanFileRecord* AddNtfsScanFileRecord(const wchar_t* name, uint32_t recordSector, uint32_t parent,
                                          FILETIME created, FILETIME changed, uint64_t size,
                                          uint32_t deleted);
enum : uint32_t { NtfsNoRecordNumber = 0xFFFFFFFF };

// Drops a record from the Extensive file list (its memory goes with the
// list's next reset); prev is the record before it (null for the head).
void RemoveNtfsScanFileRecord(NtfsScanFileRecord* prev, NtfsScanFileRecord* record);

// Puts the Extensive folder and file lists in the order of their record
// sectors (records listed late, once their names were found, among the
// others), keeping the order of records at the same sector.
void SortNtfsScanListsBySector();
IndexBlockHit* AppendIndexBlockHit(uint32_t sector, uint32_t owner, uint32_t vcn, uint8_t sectors);
void FreeNtfsScanLists();

// Lookups over the Quick Scan lists.
// The first listed folder with this record number, or null.
NtfsFolderRecord* FindNtfsFolder(uint32_t recordNumber);

// The folders and files whose parent is the given record number, in list
// order. Valid until the lists or a parent change.
struct NtfsChildren
{
    std::vector<NtfsFolderRecord*> folders;
    std::vector<NtfsFileRecord*> files;
};
const NtfsChildren& NtfsChildrenOf(uint32_t parent);

// The Quick Scan folder whose result-tree item this is, or null.
NtfsFolderRecord* NtfsFolderByTreeItem(uint32_t treeItem);

// The tree builder's store of a folder's result-tree item (0: none), kept
// in the index NtfsFolderByTreeItem reads; and that index's steps so far.
void SetNtfsFolderTreeItem(NtfsFolderRecord* folder, uint32_t treeItem);
uint64_t NtfsTreeItemSteps();

// Moves a listed folder or file under another parent (keeps the lookups
// right).
void SetNtfsFolderParent(NtfsFolderRecord* folder, uint32_t parent);
void SetNtfsFileParent(NtfsFileRecord* file, uint32_t parent);
