// Entries of the VHDX block allocation table: the low three bits give the
// block's state, bits 20 to 63 its file offset in MiB.
#pragma once

#include <stdint.h>

enum VhdxPayloadState
{
    VhdxBlockNotPresent = 0,
    VhdxBlockUndefined = 1,
    VhdxBlockZero = 2,
    VhdxBlockUnmapped = 3,
    VhdxBlockFullyPresent = 6,
    VhdxBlockPartiallyPresent = 7,
};

inline unsigned VhdxBatState(uint64_t entry) { return (unsigned)(entry & 7); }
inline uint64_t VhdxBatFileOffset(uint64_t entry) { return entry & ~(uint64_t)0xFFFFF; }

// 1 when the entry's block holds data in this file: fully or partially
// present with a file offset. Every other state reads as zeros.
inline int VhdxBatHasData(uint64_t entry)
{
    unsigned state = VhdxBatState(entry);
    return (state == VhdxBlockFullyPresent || state == VhdxBlockPartiallyPresent) &&
           VhdxBatFileOffset(entry) != 0;
}

// Converts a table read as raw little-endian bytes to host order, in place.
void DecodeVhdxBat(uint64_t* entries, uint64_t count);
