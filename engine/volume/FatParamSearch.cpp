// SearchFatParams: a FAT layout worked out from the volume's contents when no
// boot sector gives one. The first FAT is found by its first bytes (F8 FF),
// the cluster size and data area from two subdirectories whose "." entries
// name their own clusters: sector = cluster base + cluster x K for both.
#include <string.h>

#include <vector>

#include "fat/FatDirEntry.h"
#include "fat/ScanPanelHost.h"
#include "common/ByteOrder.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "io/SourceSectors.h"
#include "volume/VolumeParamsReader.h"

namespace {

const uint32_t SearchReadSectors = 128;

int StopRequested() { return ScanStopRequested() == 1; }

// Distance from s of the first sector in [s + from, s + to] that starts with
// F8 FF; fallback when there is none.
uint32_t FindReservedSectors(uint32_t s, uint32_t from, uint32_t to, uint32_t fallback)
{
    std::vector<unsigned char> buffer((size_t)(to - from + 1) * SectorSize);
    if (StopRequested() || !ReadSourceSectors((uint64_t)s + from, to - from + 1, buffer.data()))
        return fallback;
    for (uint32_t i = 0; i <= to - from; ++i) {
        const unsigned char* p = buffer.data() + (size_t)i * SectorSize;
        if (p[0] == 0xF8 && p[1] == 0xFF)
            return from + i;
    }
    return fallback;
}

int IsDotPair(const unsigned char* p)
{
    return memcmp(p, ".          ", 11) == 0 && memcmp(p + 32, "..         ", 11) == 0;
}

int Fail()
{
    g_ScanStop = 1;
    g_ScanBusy = 0;
    return 0;
}

}  // namespace

int SearchFatParams()
{
    VolumeParamsRecord& v = VolumeParams;
    v.fileSystemType = v.selectionCode;
    int fat32 = v.fileSystemType == FileSystemFat32;
    if (!fat32 && v.fileSystemType != FileSystemFat16)
        return Fail();
    CScanPanelHost& panel = ScanPanelHost();
    panel.SetStatusText(L"Please wait, calculating partition parameters");
    uint32_t s = v.startSector;
    // Only the sectors that exist: a damaged table entry may claim more.
    uint32_t n = (uint32_t)SectorsInSource(s, v.sectorCount);

    uint32_t r = fat32 ? FindReservedSectors(s, 30, 59, 32) : FindReservedSectors(s, 0, 9, 1);
    uint32_t rootDirSectors = fat32 ? 0 : 32;

    int haveFirst = 0;
    int64_t s1 = 0, c1 = 0;
    std::vector<unsigned char> buffer((size_t)SearchReadSectors * SectorSize);
    for (uint32_t done = 0; done < n && !StopRequested();) {
        uint32_t count = n - done < SearchReadSectors ? n - done : SearchReadSectors;
        if (!ReadSourceSectors((uint64_t)s + done, count, buffer.data())) {
            done += count;
            continue;
        }
        for (uint32_t j = 0; j < count; ++j) {
            uint32_t index = done + j;
            if (index % 500 == 0 && index) {
                uint64_t percent = (uint64_t)index * 100 / n;
                panel.SetProgress(percent > 99 ? 99 : (int)percent);
            }
            const unsigned char* p = buffer.data() + (size_t)j * SectorSize;
            if (!IsDotPair(p))
                continue;
            int64_t sector = (int64_t)s + index;
            int64_t c = GetFatEntryCluster(p, fat32);
            int64_t badCluster = fat32 ? 0xFFFFFFFFll : 0xFFFF;
            if (!haveFirst) {
                if (c >= 2 && c < badCluster) {
                    haveFirst = 1;
                    s1 = sector;
                    c1 = c;
                }
                continue;
            }
            int64_t s2 = sector, c2 = c;
            if (c2 < 2 || c2 >= badCluster || c2 == c1 || (s2 - s1) % (c2 - c1) != 0 ||
                !(c2 < s2 && c2 < s1))
                continue;
            int64_t k = (s2 - s1) / (c2 - c1);
            if (k < 1 || k > 128 || (k & (k - 1)) || s1 - k * c1 != s2 - k * c2 || s1 - k * c1 < 0)
                continue;
            int64_t fatSize = fat32 ? (s1 - k * (c1 - 2) - r - s) / 2
                                    : (s1 - k * (c1 - 2) - s - r - rootDirSectors) / 2;
            if (fatSize <= 0)
                continue;
            v.clusterBase = (uint32_t)(s1 - k * c1);
            v.sectorsPerCluster = (uint32_t)k;
            v.reservedSectors = r;
            v.fatSize = (uint32_t)fatSize;
            v.fat1Start = s + r;
            v.fat2Start = (uint32_t)(s + r + fatSize);
            v.rootDirSectors = rootDirSectors;
            v.rootLocation = fat32 ? 2 : (uint32_t)(v.fat2Start + fatSize);
            return 1;
        }
        done += count;
    }
    return Fail();
}
