// Sector reads from the selected source (image or logical volume) by a
// 64-bit LBA, and the boot-record signature test that every walk over MBRs,
// EBRs and boot sectors makes.
#pragma once

#include <stdint.h>

#include "io/SectorReader.h"

// Reads count sectors at lba through ReadSectors; 1 when every byte was read.
inline int ReadSourceSectors(uint64_t lba, uint32_t count, void* buffer)
{
    return ReadSectors(L"", (DWORD)lba, (DWORD)(lba >> 32), count, buffer);
}

// 1 when a 512-byte sector ends in 0x55, 0xAA.
inline int HasBootSignature(const unsigned char* sector)
{
    return sector[510] == 0x55 && sector[511] == 0xAA;
}
