#include "ntfs/MftRecord.h"

#include <string.h>

#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "io/SourceSectors.h"

int ApplyUpdateSequence(unsigned char* block, size_t size)
{
    if (size < 512 || size % 512 != 0)
        return 0;
    size_t arrayOffset = le16(block + 4);
    size_t count = le16(block + 6);
    // One entry for the sequence number, one per sector; nothing less or
    // more is a valid block, and the array must lie inside the first sector
    // (it may never cover a sector end it is meant to restore).
    if (count != size / 512 + 1 || arrayOffset < 8 || arrayOffset % 2 != 0)
        return 0;
    if (arrayOffset > 510 || count * 2 > 510 - arrayOffset)
        return 0;
    const unsigned char* array = block + arrayOffset;
    int whole = 1;
    for (size_t i = 0; i + 1 < count; ++i) {
        unsigned char* end = block + 512 * i + 510;
        if (end[0] != array[0] || end[1] != array[1])
            whole = 0;
        end[0] = array[2 + 2 * i];
        end[1] = array[3 + 2 * i];
    }
    return whole;
}

int HasFileSignature(const unsigned char* record) { return memcmp(record, "FILE", 4) == 0; }

uint16_t MftRecordSequence(const unsigned char* record) { return le16(record + 0x10); }

uint32_t MftRecordNumber(const unsigned char* record)
{
    return le16(record + 4) >= 0x30 ? le32(record + 0x2C) : 0xFFFFFFFFu;
}

uint64_t MftBaseRecordReference(const unsigned char* record) { return le64(record + 0x20); }

uint32_t MftFirstAttributeOffset(const unsigned char* record) { return le16(record + 0x14); }

int PrepareMftRecord(unsigned char* record)
{
    if (!HasFileSignature(record))
        return 0;
    // The allocated size must be the one record size the engine handles.
    if (le32(record + 0x1C) != MftRecordSize)
        return 0;
    return ApplyUpdateSequence(record, MftRecordSize);
}

int ReadMftRecord(uint32_t lba, unsigned char* record)
{
    if (!ReadSourceSectors(lba, MftRecordSectors, record))
        return 0;
    return PrepareMftRecord(record);
}
