#include "ntfs/NtfsAttributeList.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "io/SourceSectors.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsDataRuns.h"

std::vector<uint32_t> g_ExtRecordNumbers;

namespace {

// An attribute list is at most 256 KiB.
const size_t MaxAttributeListBytes = 256 * 1024;
// Smallest entry: type, length, name length and offset, VCN, reference, id.
const size_t MinEntryLength = 0x1A;

void AddUnique(uint32_t record, void*)
{
    if (std::find(g_ExtRecordNumbers.begin(), g_ExtRecordNumbers.end(), record) == g_ExtRecordNumbers.end())
        g_ExtRecordNumbers.push_back(record);
}

}  // namespace

void ResetExtRecordTable(uint32_t baseRecord)
{
    g_ExtRecordNumbers.clear();
    g_ExtRecordNumbers.push_back(baseRecord);
}

void ParseAttributeListEntries(const unsigned char* value, size_t length, uint32_t typeFilter,
                               void (*add)(uint32_t record, void* context), void* context)
{
    size_t pos = 0;
    while (length - pos >= MinEntryLength) {
        const unsigned char* e = value + pos;
        uint32_t type = le32(e);
        size_t entryLength = le16(e + 4);
        if (type == 0 || type == NtfsAttrEnd || entryLength < MinEntryLength || entryLength > length - pos)
            return;
        if (typeFilter == 0 || type == typeFilter)
            add(le32(e + 0x10), context);
        pos += entryLength;
    }
}

bool ReadAttributeValue(const unsigned char* record, size_t size, uint32_t attributeOffset,
                        const NtfsVolumeGeometry& geometry, size_t maxBytes,
                        std::vector<unsigned char>& out)
{
    CNtfsAttributeWalk walk(record, size);
    NtfsAttribute attr;
    while (walk.Next(attr) && attr.offset != attributeOffset) {
    }
    if (attr.offset != attributeOffset)
        return false;
    out.clear();
    if (!attr.nonResident) {
        const unsigned char* v;
        uint32_t n;
        if (!ResidentValue(attr, &v, &n))
            return false;
        out.assign(v, v + n);
        return true;
    }
    uint64_t dataSize = NonResidentDataSize(attr);
    const unsigned char* pairs;
    size_t pairBytes;
    uint32_t k = geometry.sectorsPerCluster;
    if (dataSize > maxBytes || k == 0 || k > 128 || NonResidentLowestVcn(attr) != 0 ||
        !MappingPairs(attr, &pairs, &pairBytes))
        return false;
    std::vector<NtfsRun> runs;
    DecodeMappingPairs(pairs, pairBytes, runs);
    size_t clusterBytes = (size_t)k * SectorSize;
    out.resize((size_t)((dataSize + clusterBytes - 1) / clusterBytes * clusterBytes));
    size_t done = 0;
    for (const NtfsRun& run : runs) {
        if (done >= out.size())
            break;
        uint64_t bytes = std::min<uint64_t>(run.length * clusterBytes, out.size() - done);
        if (run.sparse) {
            std::fill(out.begin() + done, out.begin() + done + (size_t)bytes, 0);
        } else {
            uint64_t lba = geometry.clusterBase + (uint64_t)run.lcn * k;
            if (!ReadSourceSectors(lba, (DWORD)(bytes / SectorSize), &out[done]))
                return false;
        }
        done += (size_t)bytes;
    }
    if (done < dataSize)
        return false;
    out.resize((size_t)dataSize);
    return true;
}

unsigned CollectAttributeListRecords(const unsigned char* record, size_t size,
                                     const NtfsVolumeGeometry* geometry)
{
    NtfsAttribute attr;
    if (!FindAttribute(record, size, NtfsAttrAttributeList, true, attr))
        return 0;
    size_t before = g_ExtRecordNumbers.size();
    if (!attr.nonResident) {
        const unsigned char* v;
        uint32_t n;
        if (ResidentValue(attr, &v, &n))
            ParseAttributeListEntries(v, n, 0, &AddUnique, nullptr);
    } else if (geometry) {
        std::vector<unsigned char> value;
        if (ReadAttributeValue(record, size, attr.offset, *geometry, MaxAttributeListBytes, value))
            ParseAttributeListEntries(value.data(), value.size(), 0, &AddUnique, nullptr);
    }
    return (unsigned)(g_ExtRecordNumbers.size() - before);
}
