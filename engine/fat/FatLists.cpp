#include "fat/FatLists.h"

#include <windows.h>

#include <unordered_map>

#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

EngineList<FatFolderRecord> g_FatFolders = {};
EngineList<FatFileRecord> g_FatFiles = {};

namespace {

// Folder records by cluster, so that a directory walk over many folders does
// not search the list for every entry. Kept in step with g_FatFolders.
std::unordered_map<uint32_t, FatFolderRecord*>& FolderIndex()
{
    static std::unordered_map<uint32_t, FatFolderRecord*> index;
    return index;
}

// Children by parent; made again when a count or a parent changed.
struct ChildIndex
{
    std::unordered_map<uint32_t, FatChildren> byParent;
    unsigned folders = ~0u, files = ~0u;
    bool valid = false;
};
ChildIndex g_children;
CTreeItemIndex<FatFolderRecord> g_byTreeItem;
CEngineArena g_arena;  // the records and names of both lists

}  // namespace

void AddFatFile(const wchar_t* name, uint32_t firstCluster, uint32_t parentCluster,
                uint16_t modifiedDate, uint16_t accessDate, uint32_t size, uint32_t deleted,
                uint16_t modifiedTime)
{
    FatFileRecord* r = g_arena.New<FatFileRecord>();
    r->name = g_arena.StrDup(name);
    r->firstCluster = firstCluster;
    r->parentCluster = parentCluster;
    r->modifiedDate = modifiedDate;
    r->accessDate = accessDate;
    r->size = size;
    r->modifiedTime = modifiedTime;
    r->deleted = deleted;
    r->fileNumber = g_FileCount;
    EngineListAppend(g_FatFiles, r);
}

FatFolderRecord* FindFatFolder(uint32_t cluster)
{
    auto& index = FolderIndex();
    if (index.size() != g_FatFolders.count) {
        // Records appended without AddFatFolder (a snapshot load): index anew.
        index.clear();
        for (FatFolderRecord* r = g_FatFolders.head; r; r = r->next)
            index.emplace(r->cluster, r);
    }
    auto it = index.find(cluster);
    return it == index.end() ? nullptr : it->second;
}

void AddFatFolder(const wchar_t* name, uint32_t cluster, uint32_t parentCluster,
                  uint16_t modifiedDate, uint16_t accessDate, uint32_t treeItem, uint32_t deleted)
{
    if (FatFolderRecord* existing = FindFatFolder(cluster)) {
        if (existing->deleted && !deleted) {
            // The live folder owns the cluster now: it is shown where it lives.
            SetFatFolderName(existing, name);
            existing->parentCluster = parentCluster;
            existing->modifiedDate = modifiedDate;
            existing->accessDate = accessDate;
            existing->deleted = 0;
            g_children.valid = false;
        }
        return;
    }
    FatFolderRecord* r = g_arena.New<FatFolderRecord>();
    r->name = g_arena.StrDup(name);
    r->cluster = cluster;
    r->parentCluster = parentCluster;
    r->modifiedDate = modifiedDate;
    r->accessDate = accessDate;
    r->treeItem = 0;
    g_byTreeItem.Store(r, treeItem);
    r->deleted = deleted;
    FolderIndex()[cluster] = r;
    EngineListAppend(g_FatFolders, r);
    ++g_FolderCount;
}

void SetFatFolderName(FatFolderRecord* folder, const wchar_t* name)
{
    folder->name = g_arena.StrDup(name);
}

const FatChildren& FatChildrenOf(uint32_t parentCluster)
{
    ChildIndex& c = g_children;
    if (!c.valid || c.folders != g_FatFolders.count || c.files != g_FatFiles.count) {
        c.byParent.clear();
        for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
            c.byParent[f->parentCluster].folders.push_back(f);
        // The files of one folder mostly follow each other: the last
        // parent's entry is kept (entries stay where they are as the map grows).
        FatChildren* last = nullptr;
        uint32_t lastParent = 0;
        for (FatFileRecord* f = g_FatFiles.head; f; f = f->next) {
            if (!last || f->parentCluster != lastParent) {
                last = &c.byParent[f->parentCluster];
                lastParent = f->parentCluster;
            }
            last->files.push_back(f);
        }
        c.folders = g_FatFolders.count;
        c.files = g_FatFiles.count;
        c.valid = true;
    }
    static const FatChildren none;
    auto it = c.byParent.find(parentCluster);
    return it == c.byParent.end() ? none : it->second;
}

FatFolderRecord* FatFolderByTreeItem(uint32_t treeItem) { return g_byTreeItem.Find(treeItem); }

void SetFatFolderTreeItem(FatFolderRecord* folder, uint32_t treeItem) { g_byTreeItem.Store(folder, treeItem); }

uint64_t FatTreeItemSteps() { return g_byTreeItem.Steps(); }

void FreeEntryLists()
{
    EngineListReset(g_FatFiles, g_arena);
    EngineListReset(g_FatFolders, g_arena);
    FolderIndex().clear();
    g_children = ChildIndex();
    g_byTreeItem.Clear();
    FreeNtfsEntryLists();
    g_FolderCount = 0;
    g_FileCount = 0;
    g_ParsedEntryCount = 0;
    g_TotalFileSize = 0;
}

int FileExists(const wchar_t* path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
