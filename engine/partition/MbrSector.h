// Partition entries of an MBR or EBR sector.
#pragma once

#include <stdint.h>

struct MbrPartitionEntry
{
    uint8_t type;
    uint32_t start;  // MBR: absolute; EBR: see the walk
    uint32_t count;
};

enum { MbrEntryCount = 4, EbrEntryCount = 2 };

// Entry i (0 to 3) of the table at offset 446 of a 512-byte sector.
MbrPartitionEntry GetMbrEntry(const unsigned char* sector, int i);

// Type 5 or 15: an extended partition (in an EBR, the link to the next EBR).
int IsExtendedType(uint8_t type);
