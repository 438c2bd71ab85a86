#include "save/SaveMarkedItems.h"

#include <unordered_set>
#include <unordered_map>
#include <vector>

#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "save/SaveFile.h"
#include "save/SavePath.h"
#include "save/SaveTraceHit.h"
#include "state/EngineState.h"
#include "trace/TraceHit.h"

namespace {

// Clears the save flags when the save ends, whichever way it ends.
struct CSaveFlagsReset
{
    CSaveFlagsReset()
    {
        g_SaveStop = 0;
        g_SaveSkip = 0;
        g_SavedFileCount = 0;
    }
    ~CSaveFlagsReset()
    {
        g_SaveStop = 0;
        g_SaveSkip = 0;
    }
};

bool IsFat() { return VolumeParams.fileSystemType == FileSystemFat16 || VolumeParams.fileSystemType == FileSystemFat32; }
bool IsNtfs() { return VolumeParams.fileSystemType == FileSystemNtfs; }

// The key of a marked folder: the root's (0, or record 5), or its record's.
bool FolderKey(const SaveSelection& selection, uint32_t treeItem, uint32_t* key)
{
    if (treeItem == selection.rootTreeItem) {
        *key = IsNtfs() ? 5 : 0;
        return IsNtfs() || IsFat();
    }
    if (IsFat()) {
        if (FatFolderRecord* f = FatFolderByTreeItem(treeItem)) {
            *key = f->cluster;
            return true;
        }
    } else if (IsNtfs()) {
        if (NtfsFolderRecord* f = NtfsFolderByTreeItem(treeItem)) {
            *key = f->recordNumber;
            return true;
        }
    }
    return false;
}

class CSaveRun
{
public:
    CSaveRun(const SaveSelection& selection, SaveSummary& summary)
        : m_selection(selection), m_summary(summary), m_destination(LongDestination(selection.destination))
    {
    }

    void Run()
    {
        if (m_destination.empty())
            return;
        if (g_ScanMode == ScanModeFileTrace) {
            SaveHits();
            return;
        }
        m_folders = ResolveMarkedFolders(m_selection);
        for (const auto& folder : m_folders)
            m_folderKeys.insert(folder.first);
        for (const auto& folder : m_folders) {
            if (g_SaveStop == 1)
                return;
            SaveFolder(folder.first, folder.second);
        }
        for (uint32_t key : m_selection.files) {
            if (g_SaveStop == 1)
                return;
            SaveMarkedFile(key);
        }
    }

private:
    void SaveFolder(uint32_t key, const std::wstring& treePath)
    {
        std::wstring folder = m_destination;
        for (const std::wstring& part : SanitizeTreePath(treePath))
            folder = JoinPath(folder, part);
        if (folder != m_destination && !IsPathUnder(m_destination, folder))
            return;
        CPathMaker().CreateDirectoryPath(folder);
        if (IsFat()) {
            // A copy: the index may be made again while we walk.
            std::vector<FatFileRecord*> files = FatChildrenOf(key).files;
            for (FatFileRecord* f : files) {
                if (g_SaveStop == 1)
                    return;
                SaveFat(folder, *f);
            }
        } else if (g_ScanMode == ScanModeExtensive) {
            if (m_scanChildren.empty()) {
                uint32_t end = VolumeParams.fileSystemEnd ? VolumeParams.fileSystemEnd : VolumeParams.endSector;
                for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
                    if (f->recordSector > VolumeParams.clusterBase && f->recordSector <= end)
                        m_scanChildren[f->parent].push_back(f);
            }
            auto it = m_scanChildren.find(key);
            if (it == m_scanChildren.end())
                return;
            for (NtfsScanFileRecord* f : it->second) {
                if (g_SaveStop == 1)
                    return;
                SaveNtfs(folder, f->name, f->size, f->recordSector, f->deleted, f->created);
            }
        } else if (IsNtfs()) {
            // A copy: the lookup may be rebuilt while we walk.
            std::vector<NtfsFileRecord*> files = NtfsChildrenOf(key).files;
            for (NtfsFileRecord* f : files) {
                if (g_SaveStop == 1)
                    return;
                SaveNtfs(folder, f->name, f->size, f->dataRecordSector, f->deleted, f->created);
            }
        }
    }

    // The first record a key names, through an index made on first use.
    template <class Record, class KeyOf>
    static Record* FirstWithKey(std::unordered_map<uint32_t, Record*>& index, Record* head, KeyOf keyOf,
                                uint32_t key)
    {
        if (index.empty())
            for (Record* r = head; r; r = r->next)
                index.emplace(keyOf(r), r);
        auto it = index.find(key);
        return it == index.end() ? nullptr : it->second;
    }

    void SaveMarkedFile(uint32_t key)
    {
        if (IsFat()) {
            FatFileRecord* f = FirstWithKey(m_fatByNumber, g_FatFiles.head,
                                            [](const FatFileRecord* r) { return r->fileNumber; }, key);
            if (f && !m_folderKeys.count(f->parentCluster))
                SaveFat(m_destination, *f);
        } else if (g_ScanMode == ScanModeExtensive) {
            NtfsScanFileRecord* f = FirstWithKey(m_scanBySector, g_NtfsScanFileList.head,
                                                 [](const NtfsScanFileRecord* r) { return r->recordSector; }, key);
            if (f && !m_folderKeys.count(f->parent))
                SaveNtfs(m_destination, f->name, f->size, f->recordSector, f->deleted, f->created);
        } else if (IsNtfs()) {
            NtfsFileRecord* f = FirstWithKey(m_ntfsBySector, g_NtfsFileList.head,
                                             [](const NtfsFileRecord* r) { return r->dataRecordSector; }, key);
            if (f && !m_folderKeys.count(f->parent))
                SaveNtfs(m_destination, f->name, f->size, f->dataRecordSector, f->deleted, f->created);
        }
    }

    void SaveFat(const std::wstring& folder, const FatFileRecord& f)
    {
        SaveRequest r;
        r.folder = folder;
        r.name = f.name;
        r.size = f.size;
        r.source = f.firstCluster;
        r.report = 1;
        r.deleted = f.deleted;
        r.time = FatFileSaveTime(f);
        SaveFatFile(r);
        Count(r);
    }

    void SaveNtfs(const std::wstring& folder, const wchar_t* name, uint64_t size, uint32_t sector, uint32_t deleted,
                  FILETIME created)
    {
        SaveRequest r;
        r.folder = folder;
        r.name = name;
        r.size = size;
        r.source = sector;
        r.report = 1;
        r.deleted = deleted;
        r.time = NtfsSaveTime(created);
        SaveNtfsFile(r);
        Count(r);
    }

    void Count(const SaveRequest& r)
    {
        m_summary.unreadableSectors += r.unreadableSectors;
        std::wstring shown = r.path.empty() ? r.name : r.path;
        switch (r.outcome) {
        case SaveWritten:
            ++m_summary.written;
            break;
        case SaveIncomplete:
            ++m_summary.failed;
            m_summary.incompleteFiles.push_back(shown);
            break;
        case SaveNotRecoverableRaw:
            ++m_summary.failed;
            m_summary.notRecoverableRaw.push_back(shown);
            break;
        case SaveCreateFailed:
        case SaveWriteFailed:
        case SaveNoData:
            ++m_summary.failed;
            m_summary.notWritten.push_back(shown);
            break;
        default:   // filtered, skipped as a duplicate, stopped: the user's choice
            break;
        }
    }

    void SaveHits()
    {
        for (uint32_t key : m_selection.files) {
            if (g_SaveStop == 1)
                return;
            TraceHit* h = FirstWithKey(m_hitByNumber, g_TraceHitList.head,
                                       [](const TraceHit* r) { return r->hitNumber; }, key);
            if (!h)
                continue;
            std::wstring name = h->name;
            if (SaveTraceHit(m_selection.destination.c_str(), h->hitNumber, 1, h->startSector, name))
                ++m_summary.written;
        }
    }

    const SaveSelection& m_selection;
    SaveSummary& m_summary;
    std::wstring m_destination;
    std::vector<std::pair<uint32_t, std::wstring>> m_folders;
    std::unordered_set<uint32_t> m_folderKeys;
    std::unordered_map<uint32_t, FatFileRecord*> m_fatByNumber;
    std::unordered_map<uint32_t, NtfsScanFileRecord*> m_scanBySector;
    std::unordered_map<uint32_t, NtfsFileRecord*> m_ntfsBySector;
    std::unordered_map<uint32_t, TraceHit*> m_hitByNumber;
    std::unordered_map<uint32_t, std::vector<NtfsScanFileRecord*>> m_scanChildren;
};

}  // namespace

std::vector<std::pair<uint32_t, std::wstring>> ResolveMarkedFolders(const SaveSelection& selection)
{
    std::vector<std::pair<uint32_t, std::wstring>> folders;
    std::unordered_set<uint32_t> keys;
    for (const MarkedFolder& marked : selection.folders) {
        uint32_t key;
        if (FolderKey(selection, marked.treeItem, &key) && keys.insert(key).second)
            folders.push_back(std::make_pair(key, marked.treePath));
    }
    return folders;
}

SaveTime FatFileSaveTime(const FatFileRecord& file)
{
    return FatSaveTime(file.modifiedDate, file.modifiedTime);
}

SaveSummary SaveMarkedItems(const SaveSelection& selection)
{
    CSaveFlagsReset flags;
    SaveSummary summary;
    CSaveRun(selection, summary).Run();
    return summary;
}
