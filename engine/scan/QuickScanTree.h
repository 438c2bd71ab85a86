// The walk that the result-tree builders use to turn a folder list into a
// tree: each folder is visited after its parent, children in list order.
// It never recurses, expands each folder key once and skips folders that
// name themselves or the root as their own key, so a damaged volume (a
// root that is its own parent, two folders that are each other's parent,
// repeated records) cannot make it run forever or overflow the stack.
#pragma once

#include <stdint.h>

#include <unordered_set>
#include <utility>
#include <vector>

#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"

// childrenOf(key) -> const std::vector<Folder*>& of the folders whose
// parent is key; keyOf(folder) -> its own key; visit(folder, parentHandle)
// -> the handle its children are added under.
template <class Folder, class Handle, class ChildrenOf, class KeyOf, class Visit>
void WalkFolderTree(uint32_t rootKey, Handle rootHandle, ChildrenOf childrenOf, KeyOf keyOf, Visit visit)
{
    struct Level
    {
        const std::vector<Folder*>* children;
        size_t next;
        Handle handle;
        uint32_t key;
    };
    std::unordered_set<uint32_t> expanded;
    expanded.insert(rootKey);
    std::vector<Level> stack;
    stack.push_back({&childrenOf(rootKey), 0, rootHandle, rootKey});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.children->size()) {
            stack.pop_back();
            continue;
        }
        Folder* folder = (*level.children)[level.next++];
        uint32_t key = keyOf(folder);
        if (key == level.key || key == rootKey)
            continue;
        Handle handle = visit(folder, level.handle);
        if (expanded.insert(key).second)
            stack.push_back({&childrenOf(key), 0, handle, key});
    }
}

// The NTFS folder tree below the root record 5.
template <class Handle, class Visit>
void WalkNtfsFolderTree(Handle rootHandle, Visit visit)
{
    WalkFolderTree<NtfsFolderRecord, Handle>(
        5u, rootHandle, [](uint32_t key) -> const std::vector<NtfsFolderRecord*>& { return NtfsChildrenOf(key).folders; },
        [](NtfsFolderRecord* f) { return f->recordNumber; }, visit);
}

// The FAT folder tree below the folder of parentCluster (0: the root).
template <class Handle, class Visit>
void WalkFatFolderTree(uint32_t parentCluster, Handle rootHandle, Visit visit)
{
    WalkFolderTree<FatFolderRecord, Handle>(
        parentCluster, rootHandle,
        [](uint32_t key) -> const std::vector<FatFolderRecord*>& { return FatChildrenOf(key).folders; },
        [](FatFolderRecord* f) { return f->cluster; }, visit);
}
