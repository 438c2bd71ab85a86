#include "extensive/FatReconcile.h"

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveProgress.h"
#include "extensive/ExtensiveScanShell.h"
#include "fat/FatBootSector.h"
#include "fat/FatDirEntry.h"
#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "io/SourceSectors.h"

namespace {

void CountClassified(CExtensiveScanShell& shell)
{
    ++g_ClassifiedCount;
    shell.SetProgress(ClampedPercent(g_ClassifiedCount, g_ExtFolderCount));
}

// Adds the tree item and the FoundVolume of a FAT file system.
void AddFatVolume(CExtensiveScanShell& shell, uint16_t code, const uint32_t params[13])
{
    std::wstring text = FileSystemItemText(code == FileSystemFat32 ? L"FAT32 @" : L"FAT16 @", params[5]);
    uint32_t item = shell.AddFileSystemItem(text.c_str());
    shell.ExpandFileSystemRoot();
    AddFoundVolume(code, params, item);
}

}  // namespace

bool FatLayoutFromBootSector(const unsigned char* s, uint32_t lba, uint16_t* code, uint32_t params[13])
{
    int fat32;
    if (s[0x55] == '3' && s[0x56] == '2')
        fat32 = 1;
    else if (s[0x39] == '1' && s[0x3A] == '6')
        fat32 = 0;
    else
        return false;
    FatBootFields f = ReadFatBootFields(s, fat32);
    // Volumes have one FAT or two; anything else is not a boot sector.
    if (!IsValidSectorsPerCluster(f.sectorsPerCluster) || (f.fatCount != 1 && f.fatCount != 2))
        return false;
    const uint64_t spc = f.sectorsPerCluster;
    const uint64_t h = lba;
    const uint64_t fat1 = h + f.reservedSectors;
    const uint64_t fats = (uint64_t)f.fatCount * f.fatSize;
    const uint64_t rootDirSectors = fat32 ? 0 : f.rootEntries / 16;
    const uint64_t rootLocation = fat32 ? f.rootCluster : fat1 + fats;
    const uint64_t dataStart = fat1 + fats + rootDirSectors;
    if (dataStart < 2 * spc)
        return false;
    const uint64_t base = dataStart - 2 * spc;
    const uint64_t end = h + f.totalSectors;
    if (base < 63 || base >= 0xFFFFFFFFu || end > 0xFFFFFFFFu || rootLocation > 0xFFFFFFFFu)
        return false;
    *code = fat32 ? FileSystemFat32 : FileSystemFat16;
    for (int i = 0; i < 13; ++i)
        params[i] = 0;
    params[0] = f.fatSize;
    params[1] = (uint32_t)spc;
    params[2] = (uint32_t)rootDirSectors;
    params[3] = (uint32_t)rootLocation;
    params[4] = f.reservedSectors;
    params[5] = (uint32_t)base;
    params[6] = (uint32_t)fat1;
    // With one FAT both FAT positions name it, as the Quick Scan has them.
    params[7] = (uint32_t)(f.fatCount == 2 ? fat1 + f.fatSize : fat1);
    params[12] = (uint32_t)end;
    return true;
}

bool FatLayoutHoldsARoot(uint16_t code, const uint32_t params[13])
{
    unsigned char sector[SectorSize];
    // The FAT begins with the media byte (0xF8 on a fixed disk) and 0xFF.
    if (!ReadSourceSectors(params[6], 1, sector) || sector[0] < 0xF0 || sector[1] != 0xFF)
        return false;
    uint64_t root = code == FileSystemFat32 ? (uint64_t)params[5] + (uint64_t)params[3] * params[1] : params[3];
    return ReadSourceSectors(root, 1, sector) && LooksLikeFatDirectorySector(sector);
}

int FindFatVolumeFromPair(CExtensiveScanShell& shell, DirSectorHit* p)
{
    const uint64_t a = p->sector, b = p->cluster;
    for (DirSectorHit* q = p->next; q; q = q->next) {
        if (q->volume != VolumeUnassigned)
            continue;
        const uint64_t d = q->sector, c = q->cluster;
        if (!(b < c && a < d && c < d && b < a))
            continue;
        if ((d - a) % (c - b) != 0)
            continue;
        uint64_t s = (d - a) / (c - b);
        if (!IsValidSectorsPerCluster(s) || s * b >= a || s * c >= d)
            continue;
        uint64_t base = a - s * b;
        uint16_t number = (uint16_t)(g_FoundVolumeCount + 1);
        uint32_t largest = 0;
        for (DirSectorHit* r = g_DirSectorHits.head; r; r = r->next) {
            if (r->volume != VolumeUnassigned || base + s * r->cluster != r->sector)
                continue;
            r->volume = number;
            if (r->cluster > largest)
                largest = r->cluster;
            CountClassified(shell);
        }
        uint16_t code = (VolumeParams.selectionCode == FileSystemFat32 || largest > 0xFFFF) ? FileSystemFat32
                                                                                           : FileSystemFat16;
        uint32_t params[13] = {};
        params[1] = (uint32_t)s;
        params[3] = code == FileSystemFat32 ? 2 : 0;
        params[5] = (uint32_t)base;
        AddFatVolume(shell, code, params);
        return 1;
    }
    return 0;
}

void AssignDirectoriesByPairs(CExtensiveScanShell& shell)
{
    for (DirSectorHit* p = g_DirSectorHits.head; p; p = p->next) {
        if (p->volume != VolumeUnassigned)
            continue;
        if (!FindFatVolumeFromPair(shell, p)) {
            p->volume = VolumeNone;
            CountClassified(shell);
        }
    }
}

namespace {

// The layouts a boot-sector candidate may stand for: its own, and for a
// FAT32 backup boot sector (the field at 0x32 names its place) the one of
// the volume it backs up, whose first sector may be lost.
int BootSectorLayouts(const unsigned char* sector, uint32_t lba, uint16_t codes[2], uint32_t params[2][13])
{
    int n = 0;
    if (FatLayoutFromBootSector(sector, lba, &codes[n], params[n]))
        ++n;
    uint32_t backup = le16(sector + 0x32);
    if (sector[0x55] == '3' && sector[0x56] == '2' && backup > 0 && backup < le16(sector + 0x0E) && lba >= backup &&
        FatLayoutFromBootSector(sector, lba - backup, &codes[n], params[n]))
        ++n;
    return n;
}

bool AlreadyFound(uint16_t code, uint32_t base)
{
    for (FoundVolume* v = g_FoundVolumes.head; v; v = v->next)
        if (v->code == code && v->p[5] == base)
            return true;
    return false;
}

}  // namespace

void AnalyzeFatCandidates(CExtensiveScanShell& shell)
{
    shell.SetStatusText(L"Analyzing the data found...");
    g_ClassifiedCount = 0;
    shell.AddFileSystemRoot();

    unsigned char sector[SectorSize];
    for (BootSectorHit* hit = g_BootSectorHits.head; hit; hit = hit->next) {
        uint16_t codes[2];
        uint32_t layouts[2][13];
        if (!ReadSourceSectors(hit->sector, 1, sector))
            continue;
        int count = BootSectorLayouts(sector, hit->sector, codes, layouts);
        for (int i = 0; i < count; ++i) {
            const uint32_t* params = layouts[i];
            const uint64_t s = params[1], base = params[5], end = params[12];
            if (AlreadyFound(codes[i], params[5]))
                continue;
            uint16_t number = (uint16_t)(g_FoundVolumeCount + 1);
            bool matched = false;
            for (DirSectorHit* d = g_DirSectorHits.head; d; d = d->next) {
                if (d->volume != VolumeUnassigned)
                    continue;
                if (d->sector > end)
                    break;
                if (base + s * d->cluster == d->sector) {
                    d->volume = number;
                    matched = true;
                    CountClassified(shell);
                }
            }
            // A volume without subfolders has no directory to confirm it:
            // its own FAT and root directory must.
            if (matched || FatLayoutHoldsARoot(codes[i], params)) {
                AddFatVolume(shell, codes[i], params);
                break;
            }
        }
    }

    AssignDirectoriesByPairs(shell);
    g_DirStepDone = 1;
    g_BootStepDone = 1;
}
