#include "fat/FatTable.h"

#include <memory>

#include "common/ByteOrder.h"
#include "state/EngineState.h"
#include "io/SourceSectors.h"

namespace {

// FAT sectors read per request while a chain is walked.
const uint32_t FatWindowSectors = 64;

// Reads FAT entries through a window of FAT sectors, so that a chain costs
// one read per window rather than one per cluster.
class CFatWindow
{
public:
    CFatWindow(uint32_t fatStart, int fat32)
        : m_fatStart(fatStart), m_fat32(fat32), m_first(0), m_count(0),
          m_buffer(FatWindowSectors * SectorSize)
    {
    }

    // The raw entry of a cluster; 0 when its FAT sector cannot be read.
    int Entry(uint32_t cluster, uint32_t* value)
    {
        uint32_t perSector = m_fat32 ? SectorSize / 4 : SectorSize / 2;
        uint32_t sector = cluster / perSector;
        if (m_count == 0 || sector < m_first || sector - m_first >= m_count) {
            // A window that cannot be read whole is retried as one sector.
            m_first = sector;
            m_count = FatWindowSectors;
            if (!ReadSourceSectors((uint64_t)m_fatStart + sector, m_count, m_buffer.data())) {
                m_count = 1;
                if (!ReadSourceSectors((uint64_t)m_fatStart + sector, 1, m_buffer.data())) {
                    m_count = 0;
                    return 0;
                }
            }
        }
        const unsigned char* p = m_buffer.data() + (sector - m_first) * SectorSize;
        uint32_t i = cluster % perSector;
        *value = m_fat32 ? le32(p + 4 * i) : le16(p + 2 * i);
        return 1;
    }

private:
    uint32_t m_fatStart;
    int m_fat32;
    uint32_t m_first;
    uint32_t m_count;
    std::vector<unsigned char> m_buffer;
};

// Clusters already in the chain: a bitmap in 64 Ki-cluster pages made on
// first use, so a long chain on a large volume costs memory only where it runs.
class CClusterSet
{
public:
    // 1 when the cluster was not in the set (it is now).
    int Insert(uint32_t cluster)
    {
        uint32_t page = cluster >> 16;
        if (page >= m_pages.size())
            m_pages.resize(page + 1);
        if (!m_pages[page])
            m_pages[page].reset(new uint64_t[1024]());
        uint64_t& word = m_pages[page][(cluster >> 6) & 1023];
        uint64_t bit = (uint64_t)1 << (cluster & 63);
        if (word & bit)
            return 0;
        word |= bit;
        return 1;
    }

private:
    std::vector<std::unique_ptr<uint64_t[]>> m_pages;
};

std::vector<uint32_t> WalkChain(uint32_t start, uint32_t fatStart, uint64_t maxClusters, bool honourSaveFlags)
{
    std::vector<uint32_t> chain;
    int fat32 = VolumeParams.fileSystemType == FileSystemFat32;
    uint32_t limit = FatClusterLimit();
    if (start < 2 || start >= limit || fatStart == 0)
        return chain;
    CFatWindow fat(fatStart, fat32);
    CClusterSet seen;
    seen.Insert(start);
    chain.push_back(start);
    uint32_t c = start;
    while (chain.size() < maxClusters) {
        if (honourSaveFlags && (g_SaveStop == 1 || g_SaveSkip == 1))
            break;
        uint32_t entry;
        if (!fat.Entry(c, &entry))
            break;
        uint32_t next = FatNextCluster(entry, fat32, limit);
        if (!next || !seen.Insert(next))
            break;
        chain.push_back(next);
        c = next;
    }
    return chain;
}

}  // namespace

uint32_t FatNextCluster(uint32_t entry, int fat32, uint32_t clusterLimit)
{
    if (fat32) {
        entry &= 0x0FFFFFFF;
        if (entry >= 0x0FFFFFF7)  // bad cluster or end of chain
            return 0;
    } else {
        entry &= 0xFFFF;
        if (entry >= 0xFFF7)
            return 0;
    }
    if (entry < 2 || entry >= clusterLimit)
        return 0;
    return entry;
}

uint32_t FatClusterLimit()
{
    const VolumeParamsRecord& v = VolumeParams;
    int fat32 = v.fileSystemType == FileSystemFat32;
    uint64_t limit = (uint64_t)v.fatSize * (fat32 ? SectorSize / 4 : SectorSize / 2);
    uint64_t maxLimit = fat32 ? 0x0FFFFFF7u : 0xFFF7u;
    if (limit > maxLimit)
        limit = maxLimit;
    uint64_t volumeEnd = (uint64_t)v.startSector + v.sectorCount;
    uint64_t dataStart = (uint64_t)v.clusterBase + 2ull * v.sectorsPerCluster;
    if (v.sectorCount && v.sectorsPerCluster && volumeEnd > dataStart) {
        uint64_t byVolume = (volumeEnd - dataStart) / v.sectorsPerCluster + 2;
        if (byVolume < limit)
            limit = byVolume;
    }
    return (uint32_t)limit;
}

std::vector<uint32_t> ReadClusterChain(uint32_t start, uint32_t max, int fatSelector, bool honourSaveFlags)
{
    uint32_t fatStart = fatSelector == 2 ? VolumeParams.fat2Start : VolumeParams.fat1Start;
    return WalkChain(start, fatStart, (uint64_t)max + 1, honourSaveFlags);
}

std::vector<uint32_t> ReadDirectoryChain(uint32_t start)
{
    uint32_t clusterBytes = VolumeParams.sectorsPerCluster * SectorSize;
    uint64_t maxClusters = clusterBytes
        ? ((uint64_t)FatMaxDirectoryEntries * 32 + clusterBytes - 1) / clusterBytes
        : 1;
    return WalkChain(start, VolumeParams.fat1Start, maxClusters, false);
}
