#include "image/VhdBat.h"

#include "common/ByteOrder.h"

void DecodeVhdBat(uint32_t* entries, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i)
        entries[i] = be32((const unsigned char*)&entries[i]);
}

uint32_t VhdBitmapBytes(uint32_t blockSize)
{
    uint32_t sectors = blockSize / 512;
    uint32_t bytes = (sectors + 7) / 8;
    return (bytes + 511) / 512 * 512;
}
