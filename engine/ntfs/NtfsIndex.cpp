#include "ntfs/NtfsIndex.h"

#include <string.h>

#include <vector>

#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "io/SourceSectors.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsDataRuns.h"
#include "ntfs/NtfsLists.h"

namespace {

const uint32_t KeyOffset = 0x10;       // key inside an index entry
const uint32_t KeyNameOffset = 0x42;   // name inside a $FILE_NAME key
const uint32_t NodeHeaderSize = 0x10;

// The parent field of the key of the entry at entries + entryOffset, when
// the entry and its key (header and name) lie inside the limit bytes.
bool FirstEntryParent(const unsigned char* entries, uint64_t limit, uint64_t entryOffset, uint32_t* parent)
{
    if (entryOffset > limit || limit - entryOffset < KeyOffset + KeyNameOffset)
        return false;
    const unsigned char* e = entries + entryOffset;
    uint64_t entryLength = le16(e + 8);
    uint64_t keyLength = le16(e + 0x0A);
    if (entryLength > limit - entryOffset || keyLength < KeyNameOffset || keyLength > entryLength - KeyOffset)
        return false;
    const unsigned char* key = e + KeyOffset;
    unsigned nameLength = key[0x40];
    if (nameLength == 0 || KeyNameOffset + 2ull * nameLength > keyLength)
        return false;
    *parent = le32(key);
    return true;
}

bool FindI30(const unsigned char* record, size_t size, uint32_t type, NtfsAttribute& attr)
{
    CNtfsAttributeWalk walk(record, size);
    while (walk.Next(attr))
        if (attr.type == type && AttributeNameIs(attr, "$I30"))
            return true;
    return false;
}

}  // namespace

uint32_t IndexRootOwnNumber(const unsigned char* record, size_t size)
{
    NtfsAttribute attr;
    const unsigned char* value;
    uint32_t length;
    if (!FindI30(record, size, NtfsAttrIndexRoot, attr) || !ResidentValue(attr, &value, &length))
        return 0;
    // Index root header (0x10 bytes), then the node header whose first field
    // is the offset of the first entry, counted from the node header.
    if (length < 0x10 + NodeHeaderSize)
        return 0;
    const unsigned char* node = value + 0x10;
    uint32_t parent;
    if (!FirstEntryParent(node, length - 0x10, le32(node), &parent) || parent == 0xFFFFFFFF)
        return 0;
    return parent;
}

uint32_t IndexAllocationFirstCluster(const unsigned char* record, size_t size)
{
    NtfsAttribute attr;
    const unsigned char* pairs;
    size_t n;
    if (!FindI30(record, size, NtfsAttrIndexAllocation, attr) || !MappingPairs(attr, &pairs, &n))
        return 0;
    std::vector<NtfsRun> runs;
    DecodeMappingPairs(pairs, n, runs);
    if (runs.empty() || runs[0].sparse || (uint64_t)runs[0].lcn > 0xFFFFFFFFu)
        return 0;
    return (uint32_t)runs[0].lcn;
}

bool ParseIndexBlock(const unsigned char* block, size_t size, uint32_t* owner, uint32_t* vcn)
{
    if (size < 0x28)
        return false;
    *vcn = le32(block + 0x10);
    // Entry offsets count from the node header at 0x18.
    return FirstEntryParent(block + 0x18, size - 0x18, le32(block + 0x18), owner);
}

int AddIndexBlockHit(uint32_t sector, const unsigned char* firstSector)
{
    if (memcmp(firstSector, "INDX", 4) != 0)
        return 0;
    uint64_t size = (uint64_t)le32(firstSector + 0x20) + 0x18;
    if (size < IndexBlockMinBytes || size > IndexBlockMaxBytes || size % 512 != 0)
        return 0;
    std::vector<unsigned char> block((size_t)size, 0);
    if (!ReadSourceSectors(sector, (DWORD)(size / 512), block.data()))
        return 0;
    ApplyUpdateSequence(block.data(), block.size());
    uint32_t owner, vcn;
    if (!ParseIndexBlock(block.data(), block.size(), &owner, &vcn))
        return 0;
    if (owner <= 4 || owner == 0xFFFFFFFF)
        return 0;
    AppendIndexBlockHit(sector, owner, vcn, (uint8_t)(size / 512));
    return 1;
}
