#include "image/VhdDynamicHeader.h"

#include <string.h>

#include "common/ByteOrder.h"
#include "image/VhdFooter.h"

int ParseVhdDynamicHeader(const unsigned char* data, size_t size, VhdDynamicHeader* header)
{
    if (size < VhdDynamicHeaderSize)
        return 0;
    if (memcmp(data, "cxsparse", 8) != 0)
        return 0;
    if (be32(data + 36) != VhdChecksum(data, VhdDynamicHeaderSize, 36))
        return 0;
    uint32_t blockSize = be32(data + 32);
    if (!IsPowerOfTwo(blockSize) || blockSize < VhdMinBlockSize || blockSize > VhdMaxBlockSize)
        return 0;
    header->tableOffset = be64(data + 16);
    header->maxTableEntries = be32(data + 28);
    header->blockSize = blockSize;
    return 1;
}
