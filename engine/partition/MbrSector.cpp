#include "partition/MbrSector.h"

#include "common/ByteOrder.h"

MbrPartitionEntry GetMbrEntry(const unsigned char* sector, int i)
{
    const unsigned char* e = sector + 446 + 16 * i;
    MbrPartitionEntry entry;
    entry.type = e[4];
    entry.start = le32(e + 8);
    entry.count = le32(e + 12);
    return entry;
}

int IsExtendedType(uint8_t type) { return type == 0x05 || type == 0x0F; }
