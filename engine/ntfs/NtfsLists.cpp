#include "ntfs/NtfsLists.h"

#include <unordered_map>

#include "state/EngineState.h"

EngineList<NtfsFolderRecord> g_NtfsFolderList = {};
EngineList<NtfsFileRecord> g_NtfsFileList = {};
EngineList<NtfsScanFolderRecord> g_NtfsScanFolderList = {};
EngineList<NtfsScanFileRecord> g_NtfsScanFileList = {};
EngineList<IndexBlockHit> g_IndexBlockList = {};
uint32_t g_ExtFolderCount = 0;
uint32_t g_ExtFileCount = 0;
uint32_t g_IndexBlockCount = 0;

namespace {

// Folder by record number, kept as folders are appended.
std::unordered_map<uint32_t, NtfsFolderRecord*>& FoldersByNumber()
{
    static std::unordered_map<uint32_t, NtfsFolderRecord*> map;
    return map;
}

// Children by parent, built on first use after the lists changed.
struct ChildIndex
{
    std::unordered_map<uint32_t, NtfsChildren> byParent;
    bool valid = false;
};

ChildIndex& Children()
{
    static ChildIndex index;
    return index;
}

CTreeItemIndex<NtfsFolderRecord> g_byTreeItem;

// Records and names of the Quick Scan lists, and of the Extensive Scan's.
CEngineArena g_quickArena;
CEngineArena g_scanArena;

void InvalidateChildren()
{
    Children().valid = false;
}

}  // namespace

NtfsFileRecord* AddNtfsFileRecord(uint32_t dataRecordSector, const wchar_t* name, uint32_t recordNumber,
                                  uint32_t parent, FILETIME created, FILETIME changed, uint32_t deleted,
                                  uint64_t size)
{
    NtfsFileRecord* r = g_quickArena.New<NtfsFileRecord>();
    r->name = g_quickArena.StrDup(name);
    r->recordNumber = recordNumber;
    r->parent = parent;
    r->created = created;
    r->changed = changed;
    r->size = size;
    r->deleted = deleted;
    r->dataRecordSector = dataRecordSector;
    r->parentSequence = 0;
    EngineListAppend(g_NtfsFileList, r);
    InvalidateChildren();
    return r;
}

NtfsFolderRecord* AddNtfsFolderRecord(const wchar_t* name, uint32_t recordNumber, uint32_t parent,
                                      FILETIME created, FILETIME changed, uint32_t treeItem, uint32_t deleted)
{
    if (g_ScanMode == ScanModeExtensive) {
        if (NtfsFolderRecord* existing = FindNtfsFolder(recordNumber))
            return existing;
    }
    NtfsFolderRecord* r = g_quickArena.New<NtfsFolderRecord>();
    r->name = g_quickArena.StrDup(name);
    r->recordNumber = recordNumber;
    r->parent = parent;
    r->created = created;
    r->changed = changed;
    r->treeItem = 0;
    g_byTreeItem.Store(r, treeItem);
    r->deleted = deleted;
    r->reserved = 0;
    r->sequence = 0;
    r->parentSequence = 0;
    EngineListAppend(g_NtfsFolderList, r);
    FoldersByNumber().emplace(recordNumber, r);
    InvalidateChildren();
    ++g_FolderCount;
    return r;
}

void FreeNtfsEntryLists()
{
    EngineListReset(g_NtfsFolderList, g_quickArena);
    EngineListReset(g_NtfsFileList, g_quickArena);
    FoldersByNumber().clear();
    g_byTreeItem.Clear();
    Children().byParent.clear();
    InvalidateChildren();
    g_FolderCount = 0;
    g_FileCount = 0;
}

NtfsScanFolderRecord* AddNtfsScanFolderRecord(const wchar_t* name, uint32_t recordSector, uint32_t parent,
                                              uint32_t ownNumber, FILETIME created, FILETIME changed,
                                              uint32_t indexCluster, uint32_t deleted)
{
    NtfsScanFolderRecord* r = g_scanArena.New<NtfsScanFolderRecord>();
    r->name = g_scanArena.StrDup(name);
    r->recordSector = recordSector;
    r->parent = parent;
    r->ownNumber = ownNumber;
    r->volume = 0;
    r->created = created;
    r->changed = changed;
    r->indexCluster = indexCluster;
    r->deleted = deleted;
    EngineListAppend(g_NtfsScanFolderList, r);
    ++g_ExtFolderCount;
    return r;
}

NtfsScanFileRecord* AddNtfsScanFileRecord(const wchar_t* name, uint32_t recordSector, uint32_t parent,
                                          FILETIME created, FILETIME changed, uint64_t size, uint32_t deleted)
{
    NtfsScanFileRecord* r = g_scanArena.New<NtfsScanFileRecord>();
    r->name = g_scanArena.StrDup(name);
    r->recordSector = recordSector;
    r->parent = parent;
    r->recordNumber = NtfsNoRecordNumber;
    r->created = created;
    r->changed = changed;
    r->size = size;
    r->sequence = 0;
    r->deleted = deleted;
    EngineListAppend(g_NtfsScanFileList, r);
    ++g_ExtFileCount;
    return r;
}

IndexBlockHit* AppendIndexBlockHit(uint32_t sector, uint32_t owner, uint32_t vcn, uint8_t sectors)
{
    IndexBlockHit* r = g_scanArena.New<IndexBlockHit>();
    r->sector = sector;
    r->owner = owner;
    r->vcn = vcn;
    r->marker = 0xFFFF;
    r->sectors = sectors;
    EngineListAppend(g_IndexBlockList, r);
    ++g_IndexBlockCount;
    return r;
}

void FreeNtfsScanLists()
{
    EngineListReset(g_NtfsScanFolderList, g_scanArena);
    EngineListReset(g_NtfsScanFileList, g_scanArena);
    EngineListReset(g_IndexBlockList, g_scanArena);
    g_ExtFolderCount = 0;
    g_ExtFileCount = 0;
    g_IndexBlockCount = 0;
}

void RemoveNtfsScanFileRecord(NtfsScanFileRecord* prev, NtfsScanFileRecord* record)
{
    EngineListUnlink(g_NtfsScanFileList, prev, record);  // its bytes go with the arena
    --g_ExtFileCount;
}

void SortNtfsScanListsBySector()
{
    EngineListStableSort(g_NtfsScanFolderList, [](const NtfsScanFolderRecord* a, const NtfsScanFolderRecord* b) {
        return a->recordSector < b->recordSector;
    });
    EngineListStableSort(g_NtfsScanFileList, [](const NtfsScanFileRecord* a, const NtfsScanFileRecord* b) {
        return a->recordSector < b->recordSector;
    });
}

NtfsFolderRecord* NtfsFolderByTreeItem(uint32_t treeItem) { return g_byTreeItem.Find(treeItem); }

void SetNtfsFolderTreeItem(NtfsFolderRecord* folder, uint32_t treeItem) { g_byTreeItem.Store(folder, treeItem); }

uint64_t NtfsTreeItemSteps() { return g_byTreeItem.Steps(); }

NtfsFolderRecord* FindNtfsFolder(uint32_t recordNumber)
{
    auto& map = FoldersByNumber();
    auto it = map.find(recordNumber);
    return it == map.end() ? nullptr : it->second;
}

const NtfsChildren& NtfsChildrenOf(uint32_t parent)
{
    ChildIndex& index = Children();
    if (!index.valid) {
        index.byParent.clear();
        for (NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next)
            index.byParent[f->parent].folders.push_back(f);
        // The files of one folder mostly follow each other: the last
        // parent's entry is kept (entries stay where they are as the map grows).
        NtfsChildren* last = nullptr;
        uint32_t lastParent = 0;
        for (NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next) {
            if (!last || f->parent != lastParent) {
                last = &index.byParent[f->parent];
                lastParent = f->parent;
            }
            last->files.push_back(f);
        }
        index.valid = true;
    }
    static const NtfsChildren none;
    auto it = index.byParent.find(parent);
    return it == index.byParent.end() ? none : it->second;
}

void SetNtfsFolderParent(NtfsFolderRecord* folder, uint32_t parent)
{
    folder->parent = parent;
    InvalidateChildren();
}

void SetNtfsFileParent(NtfsFileRecord* file, uint32_t parent)
{
    file->parent = parent;
    InvalidateChildren();
}
