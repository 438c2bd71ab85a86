// The read loop shared by the block-mapped image readers: a virtual disk of
// diskSize bytes made of blocks of 2^blockShift bytes, each found in the file
// through a block map. No allocation; bytes not delivered are zeroed.
#pragma once

#include <string.h>

#include "image/File64.h"

enum : uint64_t
{
    BlockReadsZero = ~(uint64_t)0 - 1,   // block not stored in the file: reads as zeros
    BlockBeyondMap = ~(uint64_t)0,       // block has no map entry: the read fails
};

// locate(block index) returns the file offset of the block's first data
// byte, BlockReadsZero or BlockBeyondMap. Returns 1 when all size bytes were
// delivered; otherwise 0, with every byte not delivered set to zero.
template <class Locate>
int ReadMappedBlocks(CFile64& file, uint64_t position, uint64_t diskSize, unsigned blockShift,
                     void* buffer, uint32_t size, Locate locate)
{
    unsigned char* out = (unsigned char*)buffer;
    const uint64_t blockMask = ((uint64_t)1 << blockShift) - 1;
    uint32_t done = 0;
    while (done < size) {
        if (position >= diskSize)
            break;
        uint64_t inBlock = position & blockMask;
        uint64_t piece = blockMask + 1 - inBlock;
        if (piece > size - done)
            piece = size - done;
        if (piece > diskSize - position)
            piece = diskSize - position;
        uint64_t at = locate(position >> blockShift);
        if (at == BlockBeyondMap)
            break;
        if (at == BlockReadsZero) {
            memset(out + done, 0, (size_t)piece);
        } else {
            DWORD got = 0;
            if (!file.ReadAt(out + done, at + inBlock, (DWORD)piece, &got)) {
                done += got;
                break;
            }
        }
        done += (uint32_t)piece;
        position += piece;
    }
    if (done < size) {
        memset(out + done, 0, size - done);
        return 0;
    }
    return 1;
}
