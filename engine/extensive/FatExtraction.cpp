#include "extensive/FatExtraction.h"

#include <string.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveProgress.h"
#include "extensive/ExtensiveScanShell.h"
#include "fat/FatDirEntry.h"
#include "fat/FatDirectory.h"
#include "fat/FatLists.h"
#include "fat/FatTable.h"
#include "io/SectorReader.h"
#include "io/SourceSectors.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

namespace {

// FATs begin with the media byte 0xF8 and two 0xFF bytes.
bool IsFatStart(const unsigned char* s)
{
    return s[0] == 0xF8 && s[1] == 0xFF && s[2] == 0xFF;
}

// A FAT16 root of 512 entries, the size formatters give a fixed disk.
const uint32_t DefaultFat16RootSectors = 32;

// Where such a root lies: just before cluster 2.
uint64_t DefaultFat16Root(const VolumeParamsRecord& v)
{
    uint64_t dataStart = (uint64_t)v.clusterBase + 2ull * v.sectorsPerCluster;
    return dataStart > DefaultFat16RootSectors ? dataStart - DefaultFat16RootSectors : 0;
}

bool RootLooksLikeADirectory(uint64_t lba)
{
    unsigned char sector[SectorSize];
    return lba != 0 && ReadSourceSectors(lba, 1, sector) && LooksLikeFatDirectorySector(sector);
}

std::wstring DirName(uint32_t number)
{
    return L"Dir" + std::to_wstring(number);
}

// What a folder's name was taken from, so that a live entry wins over a
// deleted one that names the same folder.
enum NameSource { NamedByLiveEntry = 1, NamedByDeletedEntry = 2 };
std::unordered_map<uint32_t, int>& NamedFolders()
{
    static std::unordered_map<uint32_t, int> named;
    return named;
}

struct DirContext
{
    uint32_t parent;
};

int ListExtensiveEntry(const FatDirEntryInfo& e, void* context)
{
    uint32_t parent = ((DirContext*)context)->parent;
    if (e.cluster == 0 || !IsValidFileName(e.name))
        return 1;
    if (ScanStopRequested())
        return 0;
    if ((e.attributes & FatAttrDirectory) && e.size == 0) {
        FatFolderRecord* folder = FindFatFolder(e.cluster);
        if (!folder || folder->parentCluster != parent)
            return 1;  // a directory whose first sector was not found
        int& named = NamedFolders()[e.cluster];
        if (named == NamedByLiveEntry || (named == NamedByDeletedEntry && e.deleted))
            return 1;
        SetFatFolderName(folder, e.name);
        folder->deleted = e.deleted ? 1 : 0;
        named = e.deleted ? NamedByDeletedEntry : NamedByLiveEntry;
        return 1;
    }
    AddFatFile(e.name, e.cluster, parent, e.modifiedDate, e.accessDate, e.size, e.deleted,
               e.modifiedTime);
    g_TotalFileSize += e.size;
    ++g_FileCount;
    return 1;
}

// Without a FAT no chain can be followed: the directory's first cluster is
// read whole, in pieces.
// The FAT32 root has no "." and ".." entries; it must look like a directory.
int ParseFirstClusterOnly(uint32_t cluster, bool root, int dirDeleted, DirContext* context)
{
    const VolumeParamsRecord& v = VolumeParams;
    uint64_t first = (uint64_t)v.clusterBase + (uint64_t)cluster * v.sectorsPerCluster;
    if (cluster < 2 || v.sectorsPerCluster == 0 || first + v.sectorsPerCluster > 0xFFFFFFFFu)
        return 0;
    const uint32_t piece = 8;
    unsigned char buffer[piece * SectorSize];
    FatLongNameSet carry;
    ResetLongNameSet(&carry);
    for (uint32_t done = 0; done < v.sectorsPerCluster; done += piece) {
        uint32_t n = v.sectorsPerCluster - done < piece ? v.sectorsPerCluster - done : piece;
        if (!ReadSourceSectors(first + done, n, buffer))
            return done != 0;
        for (uint32_t i = 0; i < n; ++i) {
            const unsigned char* s = buffer + i * SectorSize;
            int start = 0;
            if (done == 0 && i == 0 && !root) {
                if (!(s[0] == '.' && s[1] == ' ' && s[32] == '.' && s[33] == '.'))
                    return 0;
                start = 2;
            } else if (done == 0 && i == 0 && !LooksLikeFatDirectorySector(s)) {
                return 0;
            }
            if (WalkFatDirSector(s, start, dirDeleted, &carry, ListExtensiveEntry, context))
                return 1;
        }
    }
    return 1;
}

}  // namespace

int ParseExtensiveFatDirectory(uint32_t cluster, int dirDeleted)
{
    DirContext context = {cluster};
    const VolumeParamsRecord& v = VolumeParams;
    bool fixedRoot = cluster == 0 && v.fileSystemType == FileSystemFat16;
    uint32_t chainStart = cluster ? cluster : v.rootLocation;
    if (!fixedRoot && (v.fat1Start == 0 || chainStart >= FatClusterLimit()))
        return ParseFirstClusterOnly(chainStart, cluster == 0, dirDeleted, &context);
    return ReadFatDirectory(cluster, dirDeleted, ListExtensiveEntry, &context);
}

void ExtractFatFileSystem(CExtensiveScanShell& shell)
{
    shell.SetExtractionProgress(0);
    shell.SetExtractionStatusText(L"Extracting entries for the selected file system ( Step 1/5 )...");
    FreeEntryLists();
    NamedFolders().clear();
    const uint16_t chosen = VolumeParams.foundVolumeIndex;
    const bool fat32 = VolumeParams.fileSystemType == FileSystemFat32;
    for (DirSectorHit* d = g_DirSectorHits.head; d; d = d->next) {
        if (d->volume != chosen)
            continue;
        // Some systems write the FAT32 root's cluster into ".." for a folder
        // of the root; the root is parent 0 here.
        uint32_t parent = d->parentCluster;
        if (fat32 && parent == VolumeParams.rootLocation)
            parent = 0;
        AddFatFolder(DirName(d->cluster).c_str(), d->cluster, parent, d->writeDate, d->accessDate, 0, 0);
        shell.SetExtractionProgress(ClampedPercent(g_FolderCount, g_ExtFolderCount));
    }
}

void FindOrphanFatFolders(CExtensiveScanShell& shell)
{
    shell.SetExtractionStatusText(L"Searching for orphan entries ( Step 2/5 )...");
    shell.SetExtractionProgress(0);
    AddFatFolder(L"Lost Dir", FatLostDirCluster, 0, 0, 0, 0, 0);
    uint32_t visited = 0;
    for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        uint32_t parent = f->parentCluster;
        if (parent != 0 && !FindFatFolder(parent))
            AddFatFolder(DirName(parent).c_str(), parent, FatLostDirCluster, 0, 0, 0, 0);
        shell.SetExtractionProgress(ClampedPercent(++visited, g_FolderCount));
    }
}

void FindLostFatFragments(CExtensiveScanShell& shell)
{
    VolumeParamsRecord& v = VolumeParams;
    if (v.fat1Start != 0)
        return;
    shell.SetExtractionStatusText(L"Searching for lost FAT fragments ( Step 1/5 )...");
    shell.SetExtractionProgress(0);
    const bool fat32 = v.fileSystemType == FileSystemFat32;
    const uint32_t window = fat32 ? 30000 : 550;
    const uint32_t base = v.clusterBase;
    uint32_t from = base > window ? base - window : 63;
    uint32_t fat1 = 0, fat2 = 0;
    std::vector<unsigned char> chunk(64 * SectorSize);
    unsigned char* buffer = chunk.data();
    for (uint32_t lba = from; lba < base && !fat2;) {
        uint32_t n = base - lba < 64 ? base - lba : 64;
        // Sectors that do not read are zero and match nothing.
        ReadSourceSectors(lba, n, buffer);
        for (uint32_t i = 0; i < n && !fat2; ++i) {
            if (!IsFatStart(buffer + i * SectorSize))
                continue;
            if (!fat1)
                fat1 = lba + i;
            else
                fat2 = lba + i;
        }
        lba += n;
        shell.SetExtractionProgress(ClampedPercent(lba, base));
    }
    if (!fat1)
        return;
    v.fat1Start = fat1;
    if (fat2) {
        v.fat2Start = fat2;
        v.fatSize = fat2 - fat1;
        if (!fat32) {
            v.rootLocation = fat2 + v.fatSize;
            // The fixed root lies between the second FAT and cluster 2.
            uint64_t dataStart = (uint64_t)base + 2ull * v.sectorsPerCluster;
            if (dataStart > v.rootLocation)
                v.rootDirSectors = (uint32_t)(dataStart - v.rootLocation);
        }
        return;
    }
    // One FAT: it runs up to the data area (FAT32) or up to the fixed root
    // before it (FAT16), and FAT2 names the same sectors.
    uint64_t fatEnd = fat32 ? (uint64_t)base + 2ull * v.sectorsPerCluster : DefaultFat16Root(v);
    if (fatEnd <= fat1)
        return;
    v.fat2Start = fat1;
    v.fatSize = (uint32_t)(fatEnd - fat1);
}

void ReadFatDirectories(CExtensiveScanShell& shell)
{
    VolumeParamsRecord& v = VolumeParams;
    shell.SetExtractionStatusText(L"Step 4 / 5...");
    if (v.fileSystemType == FileSystemFat16) {
        if (v.rootLocation == 0 && RootLooksLikeADirectory(DefaultFat16Root(v))) {
            // Neither the boot sector nor the FATs were found: the root is
            // taken where 512 entries end at cluster 2.
            v.rootLocation = (uint32_t)DefaultFat16Root(v);
            v.rootDirSectors = DefaultFat16RootSectors;
        }
        if (v.rootLocation != 0 && v.rootLocation < 0xFFFFFFE0u) {
            if (v.rootDirSectors == 0)
                v.rootDirSectors = DefaultFat16RootSectors;
            ParseExtensiveFatDirectory(0, 0);
        }
    } else {
        if (v.rootLocation == 0)
            v.rootLocation = 2;
        ParseExtensiveFatDirectory(0, 0);
    }
    uint32_t done = 0, total = g_FolderCount;
    for (FatFolderRecord* f = g_FatFolders.head; f && !ScanStopRequested(); f = f->next) {
        if (f->cluster != FatLostDirCluster)
            ParseExtensiveFatDirectory(f->cluster, f->deleted);
        shell.SetExtractionProgress(ClampedPercent(++done, total));
    }
}

void ExtractFatVolume(CExtensiveScanShell& shell)
{
    ExtractFatFileSystem(shell);
    FindOrphanFatFolders(shell);
    FindLostFatFragments(shell);
    ReadFatDirectories(shell);
    shell.SetExtractionStatusText(L"Please wait creating tree ( Step 5/5 )...");
    g_ScanStop = 0;
    shell.BeginTreeBuild();
    shell.BuildFatTree();
}
