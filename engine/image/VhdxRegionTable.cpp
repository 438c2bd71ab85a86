#include "image/VhdxRegionTable.h"

#include <string.h>

#include "common/ByteOrder.h"
#include "image/Crc32c.h"
#include "image/VhdxGuids.h"

namespace {

bool InsideFile(const VhdxRegion& region, uint64_t fileLength)
{
    return region.length != 0 && region.fileOffset <= fileLength &&
           fileLength - region.fileOffset >= region.length;
}

}  // namespace

int ParseVhdxRegionTable(const unsigned char* data, size_t size, uint64_t fileLength,
                         VhdxRegions* regions)
{
    memset(regions, 0, sizeof *regions);
    if (size < VhdxRegionTableSize)
        return VhdxRegionsDamaged;
    if (memcmp(data, "regi", 4) != 0)
        return VhdxRegionsDamaged;
    if (le32(data + 4) != Crc32cWithZeroedField(data, VhdxRegionTableSize, 4))
        return VhdxRegionsDamaged;
    uint32_t count = le32(data + 8);
    if (count > VhdxMaxRegionEntries)
        return VhdxRegionsDamaged;

    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* entry = data + 16 + 32 * i;
        VhdxRegion* target = nullptr;
        if (VhdxGuidEquals(entry, VhdxBatRegionGuid))
            target = &regions->bat;
        else if (VhdxGuidEquals(entry, VhdxMetadataRegionGuid))
            target = &regions->metadata;
        else if (le32(entry + 28) & 1)
            return VhdxRegionsUnknownRequired;
        else
            continue;
        if (target->found)
            return VhdxRegionsDuplicate;
        target->fileOffset = le64(entry + 16);
        target->length = le32(entry + 24);
        target->found = true;
    }
    if (!regions->bat.found || !regions->metadata.found)
        return VhdxRegionsMissing;
    if (!InsideFile(regions->bat, fileLength) || !InsideFile(regions->metadata, fileLength))
        return VhdxRegionsOutsideFile;
    return VhdxRegionsOk;
}
