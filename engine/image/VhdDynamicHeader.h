// The VHD dynamic disk header (1024 bytes, big-endian) of dynamic and
// differencing images: where the block allocation table is, how many
// entries it has and the block size.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum
{
    VhdDynamicHeaderSize = 1024,
    VhdMinBlockSize = 512,
    VhdMaxBlockSize = 256u << 20,
};

struct VhdDynamicHeader
{
    uint64_t tableOffset;
    uint32_t maxTableEntries;
    uint32_t blockSize;
};

// Needs 1024 bytes, the cookie "cxsparse", a matching checksum and a block
// size that is a power of two from 512 bytes to 256 MiB. Returns 1 or 0.
int ParseVhdDynamicHeader(const unsigned char* data, size_t size, VhdDynamicHeader* header);
