#include "ntfs/MftRunTable.h"

#include <algorithm>

#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsAttributeList.h"
#include "ntfs/NtfsDataRuns.h"

std::vector<uint32_t> g_MftRunStarts;
std::vector<uint32_t> g_MftRunLengths;
uint16_t g_MftRunCount = 0;

namespace {

// End (exclusive, in sectors from the MFT's start) of each run, beside the
// table, so a record is found by binary search instead of a walk.
std::vector<uint64_t> g_runEnds;
// The volume and MFT start the table was built for.
struct TableKey
{
    uint32_t clusterBase = 0, mftSector = 0, sectorsPerCluster = 0, volumeEnd = 0;
};
TableKey g_tableKey;

// Record n lies 2n sectors into the MFT: in the first run that ends beyond.
uint32_t MapInRuns(const std::vector<uint32_t>& starts, const std::vector<uint32_t>& lengths,
                   const std::vector<uint64_t>& ends, uint32_t record)
{
    uint64_t want = 2ull * record;
    auto it = std::upper_bound(ends.begin(), ends.end(), want);
    if (it == ends.end())
        return 0;
    size_t i = it - ends.begin();
    uint64_t runFirst = ends[i] - lengths[i];
    return starts[i] ? (uint32_t)(starts[i] + (want - runFirst)) : 0;
}

struct RunTable
{
    std::vector<uint32_t> starts;
    std::vector<uint32_t> lengths;
    std::vector<uint64_t> ends;

    uint32_t Map(uint32_t record) const { return MapInRuns(starts, lengths, ends, record); }

    // Appends the runs of one $DATA extent. Returns false when the table is
    // full or the extent is malformed; the runs before stay.
    bool AddExtent(const unsigned char* record, uint32_t clusterBase, uint32_t k, uint32_t volumeEnd)
    {
        NtfsAttribute attr;
        const unsigned char* pairs;
        size_t size;
        if (!FindAttribute(record, MftRecordSize, NtfsAttrData, true, attr) || !MappingPairs(attr, &pairs, &size))
            return false;
        std::vector<NtfsRun> runs;
        int whole = DecodeMappingPairs(pairs, size, runs);
        for (const NtfsRun& run : runs) {
            if (starts.size() >= MftRunTableMax)
                return false;
            uint64_t length = run.length * k;
            uint64_t start = 0;
            if (!run.sparse) {
                start = clusterBase + (uint64_t)run.lcn * k;
                // A run outside the volume is damage; keep what lies inside.
                if (start > volumeEnd)
                    return false;
                length = std::min<uint64_t>(length, (uint64_t)volumeEnd - start + 1);
            }
            length = std::min<uint64_t>(length, 0xFFFFFFFEu);
            length &= ~(uint64_t)1;   // whole records only
            if (length == 0)
                continue;
            starts.push_back((uint32_t)start);
            lengths.push_back((uint32_t)length);
            ends.push_back((ends.empty() ? 0 : ends.back()) + length);
        }
        return whole != 0;
    }
};

void Publish(const RunTable& t)
{
    g_MftRunStarts = t.starts;
    g_MftRunLengths = t.lengths;
    g_runEnds = t.ends;
    g_MftRunCount = (uint16_t)t.starts.size();
}

void AddRecord(uint32_t record, void* context)
{
    auto* records = static_cast<std::vector<uint32_t>*>(context);
    if (std::find(records->begin(), records->end(), record) == records->end())
        records->push_back(record);
}

}  // namespace

void ClearMftRunTable()
{
    g_MftRunStarts.clear();
    g_MftRunLengths.clear();
    g_runEnds.clear();
    g_MftRunCount = 0;
    g_tableKey = TableKey();
}

bool MftRunTableIsFor(uint32_t clusterBase, uint32_t mftSector, uint32_t sectorsPerCluster, uint32_t volumeEnd)
{
    const TableKey& k = g_tableKey;
    return g_MftRunCount != 0 && k.clusterBase == clusterBase && k.sectorsPerCluster == sectorsPerCluster &&
           k.volumeEnd == volumeEnd && (mftSector == 0 || k.mftSector == mftSector);
}

void CollectMftExtensionRecords(const unsigned char* record0, uint32_t clusterBase, uint32_t sectorsPerCluster,
                                std::vector<uint32_t>& records)
{
    records.clear();
    NtfsAttribute attr;
    if (!FindAttribute(record0, MftRecordSize, NtfsAttrAttributeList, true, attr))
        return;
    std::vector<unsigned char> value;
    NtfsVolumeGeometry geometry = {clusterBase, sectorsPerCluster};
    if (!ReadAttributeValue(record0, MftRecordSize, attr.offset, geometry, 256 * 1024, value))
        return;
    ParseAttributeListEntries(value.data(), value.size(), NtfsAttrData, &AddRecord, &records);
}

int BuildMftRunTable(uint32_t clusterBase, uint32_t mftSector, uint32_t sectorsPerCluster, uint32_t volumeEnd)
{
    ClearMftRunTable();
    if (mftSector == 0 || mftSector > volumeEnd || sectorsPerCluster == 0)
        return MftRunTableFailed;
    g_tableKey.clusterBase = clusterBase;
    g_tableKey.mftSector = mftSector;
    g_tableKey.sectorsPerCluster = sectorsPerCluster;
    g_tableKey.volumeEnd = volumeEnd;

    unsigned char record[MftRecordSize];
    RunTable own;
    if (ReadMftRecord(mftSector, record))
        own.AddExtent(record, clusterBase, sectorsPerCluster, volumeEnd);
    if (own.starts.empty() || own.starts[0] != mftSector) {
        // Record 0 is unreadable or does not describe the MFT where the boot
        // sector says it is: walk from the MFT sector to the volume's end.
        RunTable fallback;
        uint64_t length = ((uint64_t)volumeEnd - mftSector + 1) & ~(uint64_t)1;
        length = std::min<uint64_t>(length, 0xFFFFFFFEu);
        if (length == 0)
            return MftRunTableFailed;
        fallback.starts.push_back(mftSector);
        fallback.lengths.push_back((uint32_t)length);
        fallback.ends.push_back(length);
        Publish(fallback);
        return MftRunTableFallback;
    }

    std::vector<uint32_t> extents;
    CollectMftExtensionRecords(record, clusterBase, sectorsPerCluster, extents);
    if (extents.empty()) {
        Publish(own);
        return MftRunTableBuilt;
    }
    // $MFT is spread over several records: its runs are those of each $DATA
    // extent in list order, each record found through the runs known so far.
    RunTable all;
    for (uint32_t n : extents) {
        uint32_t sector = all.Map(n);
        if (!sector)
            sector = own.Map(n);
        if (!sector || !ReadMftRecord(sector, record) || !all.AddExtent(record, clusterBase, sectorsPerCluster, volumeEnd))
            break;
    }
    // Nothing better than record 0's own extent: keep that.
    Publish(all.ends.empty() || all.ends.back() < own.ends.back() ? own : all);
    return MftRunTableBuilt;
}

uint32_t MapRecordToSector(uint32_t recordNumber)
{
    return MapInRuns(g_MftRunStarts, g_MftRunLengths, g_runEnds, recordNumber);
}

uint64_t MftRunTableSectors()
{
    return g_runEnds.empty() ? 0 : g_runEnds.back();
}
