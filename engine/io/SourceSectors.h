// Sector reads from the selected source (image or logical volume) by a
// 64-bit LBA, and the boot-record signature test that every walk over MBRs,
// EBRs and boot sectors makes.
#pragma once

#include <stdint.h>

#include <string>

#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "state/EngineState.h"

// Reads count sectors at lba through ReadSectors; 1 when every byte was read.
inline int ReadSourceSectors(uint64_t lba, uint32_t count, void* buffer)
{
    return ReadSectors(L"", (DWORD)lba, (DWORD)(lba >> 32), count, buffer);
}

// Sectors the selected source is known to have: the open image's sector
// count, or a logical volume's size as the system reports it; 0 when there is
// no source or its size cannot be found out.
uint64_t KnownSourceSectors();

// Sectors the selected source has, for bounding walks: the open image's
// sector count; UINT64_MAX for a logical volume, whose reads find its end. A
// damaged partition entry may claim far more than an image holds: walks over
// a claimed range stop here rather than read what does not exist.
inline uint64_t SourceSectorLimit()
{
    return g_SourceType == SourceLogicalVolume ? UINT64_MAX : KnownSourceSectors();
}

// The part of count sectors from start that lies inside the source.
inline uint64_t SectorsInSource(uint64_t start, uint64_t count)
{
    uint64_t limit = SourceSectorLimit();
    if (start >= limit)
        return 0;
    return count < limit - start ? count : limit - start;
}

// Closes the logical volume open for reading, if any, and opens "\\.\X:"
// for a drive name beginning "X:" as g_VolumeHandle, read-only (shared read
// and write). Returns 1 when it opened; otherwise g_VolumeHandle is null.
int OpenLogicalVolume(const std::wstring& driveName);

// 1 when a 512-byte sector ends in 0x55, 0xAA.
inline int HasBootSignature(const unsigned char* sector)
{
    return sector[510] == 0x55 && sector[511] == 0xAA;
}
