#include "extensive/FatReconcile.h"

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveProgress.h"
#include "extensive/ExtensiveScanShell.h"
#include "image/ByteOrder.h"
#include "io/SectorReader.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

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
    uint64_t spc = s[0x0D];
    if (!IsValidSectorsPerCluster(spc))
        return false;
    uint64_t reserved = le16(s + 0x0E);
    // The 16-bit total at 0x13 is used when it is set (small volumes);
    // otherwise the 32-bit one at 0x20.
    uint64_t total = le16(s + 0x13) ? le16(s + 0x13) : le32(s + 0x20);
    uint64_t fatSize, rootDirSectors, rootLocation;
    uint64_t h = lba;
    if (s[0x55] == '3' && s[0x56] == '2') {
        *code = FileSystemFat32;
        fatSize = le32(s + 0x24);
        rootDirSectors = 0;
        rootLocation = le32(s + 0x2C);
    } else if (s[0x39] == '1' && s[0x3A] == '6') {
        *code = FileSystemFat16;
        fatSize = le16(s + 0x16);
        rootDirSectors = le16(s + 0x11) / 16;
        rootLocation = h + reserved + 2 * fatSize;
    } else {
        return false;
    }
    uint64_t dataStart = h + reserved + 2 * fatSize + rootDirSectors;
    if (dataStart < 2 * spc)
        return false;
    uint64_t base = dataStart - 2 * spc;
    uint64_t end = h + total;
    if (base < 63 || base >= 0xFFFFFFFFu || end > 0xFFFFFFFFu || rootLocation > 0xFFFFFFFFu)
        return false;
    for (int i = 0; i < 13; ++i)
        params[i] = 0;
    params[0] = (uint32_t)fatSize;
    params[1] = (uint32_t)spc;
    params[2] = (uint32_t)rootDirSectors;
    params[3] = (uint32_t)rootLocation;
    params[4] = (uint32_t)reserved;
    params[5] = (uint32_t)base;
    params[6] = (uint32_t)(h + reserved);
    params[7] = (uint32_t)(h + reserved + fatSize);
    params[12] = (uint32_t)end;
    return true;
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

void AnalyzeFatCandidates(CExtensiveScanShell& shell)
{
    shell.SetStatusText(L"Analyzing the data found...");
    g_ClassifiedCount = 0;
    shell.AddFileSystemRoot();

    unsigned char sector[SectorSize];
    for (BootSectorHit* hit = g_BootSectorHits.head; hit; hit = hit->next) {
        uint16_t code;
        uint32_t params[13];
        if (!ReadSectors(L"", hit->sector, 0, 1, sector) ||
            !FatLayoutFromBootSector(sector, hit->sector, &code, params))
            continue;
        const uint64_t s = params[1], base = params[5], end = params[12];
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
        if (matched)
            AddFatVolume(shell, code, params);
    }

    AssignDirectoriesByPairs(shell);
    g_DirStepDone = 1;
    g_BootStepDone = 1;
}
