// The VHD footer: the last 512 bytes of every VHD image (and a copy at the
// start of dynamic and differencing images). Big-endian.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum
{
    VhdFooterSize = 512,
    VhdDiskTypeFixed = 2,
    VhdDiskTypeDynamic = 3,
    VhdDiskTypeDifferencing = 4,
};

struct VhdFooter
{
    uint64_t dataOffset;      // file offset of the dynamic header; all ones for fixed images
    uint64_t originalSize;    // bytes, as created
    uint64_t currentSize;     // bytes, the disk's size now
    int cylinders;
    int heads;
    int sectorsPerTrack;
    uint32_t diskType;
};

// The one's complement of the byte sum with the checksum field taken as zero;
// the checksum of the VHD footer and dynamic header.
uint32_t VhdChecksum(const unsigned char* data, size_t size, size_t checksumOffset);

// Decodes a footer: needs 512 bytes, the cookie "conectix" and a matching
// checksum. Returns 1 and fills *footer, or 0.
int ParseVhdFooter(const unsigned char* data, size_t size, VhdFooter* footer);
