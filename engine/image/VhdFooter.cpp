#include "image/VhdFooter.h"

#include <string.h>

#include "common/ByteOrder.h"

uint32_t VhdChecksum(const unsigned char* data, size_t size, size_t checksumOffset)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < size; ++i) {
        if (i - checksumOffset < 4)
            continue;
        sum += data[i];
    }
    return ~sum;
}

int ParseVhdFooter(const unsigned char* data, size_t size, VhdFooter* footer)
{
    if (size < VhdFooterSize)
        return 0;
    if (memcmp(data, "conectix", 8) != 0)
        return 0;
    if (be32(data + 64) != VhdChecksum(data, VhdFooterSize, 64))
        return 0;
    footer->dataOffset = be64(data + 16);
    footer->originalSize = be64(data + 40);
    footer->currentSize = be64(data + 48);
    footer->cylinders = be16(data + 56);
    footer->heads = data[58];
    footer->sectorsPerTrack = data[59];
    footer->diskType = be32(data + 60);
    return 1;
}
