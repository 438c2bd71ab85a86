// The VHDX region table (64 KiB at 192 KiB): where the block allocation
// table and the metadata region lie in the file.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum
{
    VhdxRegionTableOffset = 0x30000,
    VhdxRegionTableSize = 0x10000,
    VhdxMaxRegionEntries = 2047,
};

struct VhdxRegion
{
    uint64_t fileOffset;
    uint32_t length;
    bool found;
};

struct VhdxRegions
{
    VhdxRegion bat;
    VhdxRegion metadata;
};

enum VhdxRegionResult
{
    VhdxRegionsOk = 0,
    VhdxRegionsDamaged = -1,        // size, signature, checksum or entry count
    VhdxRegionsDuplicate = -2,      // a second BAT or metadata region
    VhdxRegionsUnknownRequired = -3,
    VhdxRegionsMissing = -4,        // no BAT or no metadata region
    VhdxRegionsOutsideFile = -5,
};

// Decodes the table (64 KiB) and checks that both regions lie inside a file
// of fileLength bytes.
int ParseVhdxRegionTable(const unsigned char* data, size_t size, uint64_t fileLength,
                         VhdxRegions* regions);
