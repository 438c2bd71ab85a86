// The VHD block allocation table: one big-endian sector number per block,
// pointing at the block's sector bitmap; the block's data follows the bitmap.
#pragma once

#include <stdint.h>

enum : uint32_t { VhdBatUnused = 0xFFFFFFFFu };

// Converts a table read as raw bytes into host-order sector numbers, in place.
void DecodeVhdBat(uint32_t* entries, uint32_t count);

// Bytes of the sector bitmap in front of each block's data: one bit per
// sector, rounded up to whole sectors.
uint32_t VhdBitmapBytes(uint32_t blockSize);

// File offset of the data of a block whose entry is not VhdBatUnused.
inline uint64_t VhdBlockDataOffset(uint32_t entry, uint32_t bitmapBytes)
{
    return (uint64_t)entry * 512 + bitmapBytes;
}
