// The body of the save worker: every marked folder recreated under the
// destination with its files, then every marked file, or the marked hits of
// a File Trace.
#pragma once

#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

#include "save/SaveTimes.h"

struct FatFileRecord;

// A marked folder of the result tree: its item and its path in the tree
// (the item texts from below the tree's top joined with "\").
struct MarkedFolder
{
    uint32_t treeItem;
    std::wstring treePath;
};

// What the recovery step hands the worker: the destination folder, the
// result tree's "Root" item (the volume's root folder, which no folder
// record stands for), the marked-folders map's keys and the marked-files
// map's keys (FAT: file number; NTFS Quick Scan: data record sector;
// Extensive Scan: record sector; File Trace: hit number).
struct SaveSelection
{
    std::wstring destination;
    uint32_t rootTreeItem = 0;
    std::vector<MarkedFolder> folders;
    std::vector<uint32_t> files;
};

// How a save went, for the saving dialog to tell the user.
struct SaveSummary
{
    unsigned written = 0;               // complete files
    unsigned failed = 0;                // files not written whole (see below)
    uint64_t unreadableSectors = 0;     // written as zeros
    std::vector<std::wstring> incompleteFiles;      // kept, with zeros for what could not be read
    std::vector<std::wstring> notRecoverableRaw;    // compressed or encrypted: not written
    std::vector<std::wstring> notWritten;           // could not be created, written or read
};

// Runs a save. Resets g_SaveStop, g_SaveSkip and g_SavedFileCount first,
// and g_SaveStop and g_SaveSkip again when it ends however it ends, so
// that nothing after a stopped save sees the flags. A marked file whose
// folder is marked too is written once, with its folder.
SaveSummary SaveMarkedItems(const SaveSelection& selection);

// The first step of a save: the marked folders' keys (FAT first cluster,
// NTFS record number; the root's 0 or 5) with their tree paths, each folder
// once, in marking order. Items that name no folder record are left out.
std::vector<std::pair<uint32_t, std::wstring>> ResolveMarkedFolders(const SaveSelection& selection);

// The time a FAT file is saved with: its entry's write date and time.
SaveTime FatFileSaveTime(const FatFileRecord& file);
