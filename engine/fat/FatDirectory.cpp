#include "fat/FatDirectory.h"

#include <string.h>
#include <wchar.h>

#include <memory>
#include <vector>

#include "fat/FatLists.h"
#include "fat/FatTable.h"
#include "fat/ScanPanelHost.h"
#include "common/ByteOrder.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "io/SourceSectors.h"

namespace {

// Sectors read per request when a directory is read.
const uint32_t DirReadSectors = 128;

struct ListingContext
{
    uint32_t parentCluster;
};

int StopRequested() { return ScanStopRequested() == 1; }

int ListEntry(const FatDirEntryInfo& e, void* context)
{
    uint32_t parent = ((ListingContext*)context)->parentCluster;
    if (e.cluster == 0 || !IsValidFileName(e.name))
        return 1;  // empty files and links to the root are not listed
    if (StopRequested())
        return 0;
    CScanPanelHost& panel = ScanPanelHost();
    if (e.attributes & FatAttrDirectory) {
        AddFatFolder(e.name, e.cluster, parent, e.modifiedDate, e.accessDate, 0, e.deleted);
        if (g_FolderCount % 10 == 0)
            panel.SetFoldersFound(g_FolderCount);
    } else {
        AddFatFile(e.name, e.cluster, parent, e.modifiedDate, e.accessDate, e.size, e.deleted,
                   e.modifiedTime);
        g_TotalFileSize += e.size;
        ++g_FileCount;
        if (g_FileCount % 10 == 0)
            panel.SetFilesFound(g_FileCount);
    }
    ++g_ParsedEntryCount;
    // Progress over the volume's clusters; a volume smaller than one cluster
    // (a damaged count) shows none rather than dividing by zero.
    uint32_t k = VolumeParams.sectorsPerCluster;
    uint32_t clusters = k ? VolumeParams.sectorCount / k : 0;
    if (clusters) {
        uint64_t percent = (uint64_t)g_ParsedEntryCount * 100 / clusters;
        panel.SetProgress(percent > 99 ? 99 : (int)percent);
    }
    panel.SetLastItem(e.name);
    return 1;
}

int IsDirectoryStart(const unsigned char* s)
{
    return s[0] == '.' && s[1] == ' ' && s[32] == '.' && s[33] == '.';
}

}  // namespace

int IsValidFileName(const wchar_t* name)
{
    // Every entry of a scan is checked: the characters are compared here
    // rather than looked up one call each.
    for (const wchar_t* p = name; *p; ++p) {
        switch (*p) {
        case L'"':
        case L'\\':
        case L'/':
        case L'?':
        case L'*':
        case L'<':
        case L'>':
        case L'|':
            return 0;
        default:
            if (*p >= 1 && *p <= 31)
                return 0;
        }
    }
    return 1;
}

int WalkFatDirSector(const unsigned char* sector, int first, int dirDeleted,
                     FatLongNameSet* carry, FatEntryVisitor visit, void* context)
{
    FatLongNameSet local;
    if (!carry) {
        ResetLongNameSet(&local);
        carry = &local;
    }
    int fat32 = VolumeParams.fileSystemType == FileSystemFat32;
    wchar_t name[FatLongNameMaxUnits + 1];
    for (int i = first < 0 ? 0 : first; i < FatEntriesPerSector; ++i) {
        if (StopRequested())
            return 1;
        const unsigned char* e = sector + i * FatDirEntrySize;
        if (IsFatEndOfDirectory(e)) {
            ResetLongNameSet(carry);
            return 1;
        }
        if (IsFatLongNameEntry(e)) {
            FeedLongNameEntry(carry, e);
            continue;
        }
        FatDirEntryInfo info;
        info.raw = e;
        info.hasLongName = TakeLongName(carry, e, name, FatLongNameMaxUnits + 1);
        if (!info.hasLongName)
            GetFatShortName(e, name);
        info.name = name;
        info.cluster = GetFatEntryCluster(e, fat32);
        info.size = le32(e + 0x1C);
        info.modifiedDate = le16(e + 0x18);
        info.modifiedTime = le16(e + 0x16);
        info.accessDate = le16(e + 0x12);
        info.attributes = e[11];
        info.deleted = dirDeleted || IsFatDeletedEntry(e);
        if (!visit(info, context))
            return 1;
    }
    return 0;
}

void ParseFatDirSector(const unsigned char* sector, uint32_t parentCluster, int* end,
                       uint64_t shownSector, int dirDeleted, int first, FatLongNameSet* carry)
{
    ScanPanelHost().SetCurrentSector(shownSector);
    ListingContext context = {parentCluster};
    if (WalkFatDirSector(sector, first, dirDeleted, carry, ListEntry, &context))
        *end = 1;
}

namespace {

// ReadFatDirectory; showSectors puts each sector's number on the scan panel.
int ReadDirectory(uint32_t cluster, int dirDeleted, FatEntryVisitor visit, void* context,
                  int showSectors)
{
    const VolumeParamsRecord& v = VolumeParams;
    uint32_t k = v.sectorsPerCluster;
    if (k == 0)
        return 0;
    // Runs of consecutive sectors that hold the directory, in order.
    struct Run
    {
        uint64_t sector;
        uint64_t count;
    };
    std::vector<Run> runs;
    if (cluster == 0 && v.fileSystemType == FileSystemFat16) {
        runs.push_back({v.rootLocation, v.rootDirSectors});
    } else {
        uint32_t start = cluster ? cluster : v.rootLocation;
        for (uint32_t cluster : ReadDirectoryChain(start)) {
            uint64_t s = (uint64_t)v.clusterBase + (uint64_t)cluster * k;
            if (!runs.empty() && runs.back().sector + runs.back().count == s)
                runs.back().count += k;
            else
                runs.push_back({s, k});
        }
    }
    if (runs.empty() || runs[0].count == 0)
        return 0;

    // As large as the longest read the directory needs, and not cleared:
    // only the sectors a read delivered are looked at. A directory is read
    // per folder of the volume, so this is allocated often.
    uint64_t longest = 0;
    for (const Run& run : runs)
        longest = run.count > longest ? run.count : longest;
    const size_t bufferSectors = longest < DirReadSectors ? (size_t)longest : DirReadSectors;
    std::unique_ptr<unsigned char[]> storage(new unsigned char[bufferSectors * SectorSize]);
    unsigned char* const data = storage.get();
    FatLongNameSet carry;
    ResetLongNameSet(&carry);
    int firstSector = 1;
    for (const Run& run : runs) {
        for (uint64_t done = 0; done < run.count;) {
            uint32_t n = (uint32_t)(run.count - done < DirReadSectors ? run.count - done : DirReadSectors);
            if (!ReadSourceSectors(run.sector + done, n, data))
                return !firstSector;
            for (uint32_t i = 0; i < n; ++i) {
                const unsigned char* s = data + (size_t)i * SectorSize;
                int first = 0;
                if (firstSector && cluster != 0) {
                    if (!IsDirectoryStart(s))
                        return 0;
                    first = 2;
                }
                firstSector = 0;
                if (showSectors)
                    ScanPanelHost().SetCurrentSector(run.sector + done + i);
                if (WalkFatDirSector(s, first, dirDeleted, &carry, visit, context))
                    return 1;
            }
            done += n;
        }
    }
    return 1;
}

}  // namespace

int ReadFatDirectory(uint32_t cluster, int dirDeleted, FatEntryVisitor visit, void* context)
{
    return ReadDirectory(cluster, dirDeleted, visit, context, 0);
}

int ParseFatDirectory(uint32_t cluster, int dirDeleted)
{
    ListingContext context = {cluster};
    return ReadDirectory(cluster, dirDeleted, ListEntry, &context, 1);
}
