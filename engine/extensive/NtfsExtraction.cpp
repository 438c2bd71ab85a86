#include "extensive/NtfsExtraction.h"

#include <wchar.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveProgress.h"
#include "extensive/ExtensiveScanShell.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsDataRuns.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

const FILETIME NoTime = {0, 0};

// The first sector of the chosen file system's MFT: from its boot sector,
// else from the first run of $MFT's own data in a found copy of record 0.
uint32_t ChosenMftStart()
{
    const VolumeParamsRecord& v = VolumeParams;
    if (v.mftSector)
        return v.mftSector;
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next) {
        if (f->recordNumber != 0 || !IsInChosenNtfsVolume(f))
            continue;
        unsigned char record[MftRecordSize];
        NtfsAttribute data;
        const unsigned char* pairs;
        size_t size;
        std::vector<NtfsRun> runs;
        if (!ReadMftRecord(f->recordSector, record) ||
            !FindAttribute(record, MftRecordSize, NtfsAttrData, true, data) || !data.nonResident ||
            !MappingPairs(data, &pairs, &size))
            continue;
        DecodeMappingPairs(pairs, size, runs);
        if (runs.empty() || runs[0].sparse)
            continue;
        uint64_t lba = (uint64_t)v.clusterBase + (uint64_t)runs[0].lcn * v.sectorsPerCluster;
        if (lba <= 0xFFFFFFFFu)
            return (uint32_t)lba;
    }
    return 0;
}

}  // namespace

void DropCopiesOfRecords()
{
    // $MFTMirr holds copies of records 0 to 3, and the search finds both:
    // one entry per record number and sequence stays, the MFT's own copy
    // when it is known which one that is, else the first found.
    const uint32_t mft = ChosenMftStart();
    std::unordered_map<uint64_t, NtfsScanFileRecord*> kept;
    auto key = [](const NtfsScanFileRecord* f) { return ((uint64_t)f->recordNumber << 16) | f->sequence; };
    auto inMft = [mft](const NtfsScanFileRecord* f) {
        return mft && f->recordSector == (uint64_t)mft + (uint64_t)MftRecordSectors * f->recordNumber;
    };
    auto counted = [](const NtfsScanFileRecord* f) {
        return f->recordNumber != NtfsNoRecordNumber && IsInChosenNtfsVolume(f);
    };
    // A copy names the same item: same name in the same folder.
    auto copyOf = [](const NtfsScanFileRecord* a, const NtfsScanFileRecord* b) {
        return a->recordSector != b->recordSector && a->parent == b->parent && wcscmp(a->name, b->name) == 0;
    };
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next) {
        if (!counted(f))
            continue;
        auto it = kept.emplace(key(f), f).first;
        if (copyOf(f, it->second) && inMft(f) && !inMft(it->second))
            it->second = f;
    }
    NtfsScanFileRecord* prev = nullptr;
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f;) {
        NtfsScanFileRecord* next = f->next;
        // Hard links of the kept record share its sector and stay.
        if (counted(f) && copyOf(f, kept[key(f)]))
            RemoveNtfsScanFileRecord(prev, f);
        else
            prev = f;
        f = next;
    }
}

int IsInChosenNtfsVolume(const NtfsScanFileRecord* file)
{
    return file->recordSector > VolumeParams.clusterBase && file->recordSector <= VolumeParams.fileSystemEnd;
}

void ExtractNtfsFileSystem(CExtensiveScanShell& shell)
{
    FreeNtfsEntryLists();
    DropCopiesOfRecords();
    shell.SetExtractionStatusText(L"Extracting entries for the file system...");
    shell.SetExtractionProgress(0);
    const uint16_t chosen = VolumeParams.foundVolumeIndex;
    uint32_t position = 0;
    for (NtfsScanFolderRecord* f = g_NtfsScanFolderList.head; f; f = f->next) {
        ++position;
        if (f->volume != chosen || f->ownNumber == MftRootRecord || wcscmp(f->name, L".") == 0)
            continue;
        AddNtfsFolderRecord(f->name, f->ownNumber, f->parent, f->created, f->changed, 0, f->deleted);
        shell.SetExtractionProgress(ClampedPercent(position, g_ExtFolderCount));
    }
}

uint32_t FindLostNtfsFolders(CExtensiveScanShell& shell)
{
    shell.SetExtractionStatusText(L"Searching For Lost Data");
    shell.SetExtractionProgress(0);
    AddNtfsFolderRecord(L"Lost Dir", NtfsLostDirRecord, MftRootRecord, NoTime, NoTime, 0, 0);
    uint32_t counter = 0, steps = 0;
    // A made-up parent for a record number that names no folder.
    auto adopt = [&counter](uint32_t parent) {
        if (parent == MftRootRecord || FindNtfsFolder(parent))
            return;
        std::wstring name = L"Dir" + std::to_wstring(counter++);
        AddNtfsFolderRecord(name.c_str(), parent, NtfsLostDirRecord, NoTime, NoTime, 0, 0);
    };
    for (NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next) {
        if (f->parent == MftRootRecord)
            continue;
        adopt(f->parent);
        shell.SetExtractionProgress(ClampedPercent(++steps, g_FolderCount));
    }
    // Files too: a file whose folder was not found would otherwise never be
    // shown or saved.
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
        if (IsInChosenNtfsVolume(f))
            adopt(f->parent);
    return counter;
}

void ExtractNtfsVolume(CExtensiveScanShell& shell)
{
    ExtractNtfsFileSystem(shell);
    FindLostNtfsFolders(shell);
    shell.SetExtractionStatusText(L"Please wait creating tree");
    g_ScanStop = 0;
    shell.BeginTreeBuild();
    shell.BuildNtfsTree();
}
