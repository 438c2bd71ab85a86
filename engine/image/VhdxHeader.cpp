#include "image/VhdxHeader.h"

#include <string.h>

#include "common/ByteOrder.h"
#include "image/Crc32c.h"
#include "image/VhdxGuids.h"

int ParseVhdxFileIdentifier(const unsigned char* data, size_t size)
{
    return size >= 8 && memcmp(data, "vhdxfile", 8) == 0;
}

int ParseVhdxHeader(const unsigned char* data, size_t size, VhdxHeader* header)
{
    if (size < VhdxHeaderSize)
        return 0;
    if (memcmp(data, "head", 4) != 0)
        return 0;
    if (le32(data + 4) != Crc32cWithZeroedField(data, VhdxHeaderSize, 4))
        return 0;
    if (le16(data + 66) != 1)
        return 0;
    header->sequenceNumber = le64(data + 8);
    header->logPending = !VhdxGuidIsZero(data + 48);
    return 1;
}

int ChooseVhdxHeader(int valid1, const VhdxHeader& header1, int valid2, const VhdxHeader& header2)
{
    if (valid1 && valid2)
        return header2.sequenceNumber > header1.sequenceNumber ? 1 : 0;
    if (valid1)
        return 0;
    if (valid2)
        return 1;
    return -1;
}
