#include "TarArchive.h"

#include <ctype.h>

uint64_t ParseOctalField(const unsigned char* field, size_t width)
{
    size_t i = 0;
    while (i < width && field[i] && isspace(field[i]))
        ++i;
    uint64_t value = 0;
    for (; i < width && field[i] >= '0' && field[i] <= '7'; ++i) {
        if (value > (UINT64_MAX >> 3))
            return UINT64_MAX;
        value = (value << 3) | (uint64_t)(field[i] - '0');
    }
    return value;
}

bool TarHeaderChecksumOk(const unsigned char* header, size_t available)
{
    if (!header || available < kTarBlock)
        return false;
    uint64_t sum = 0;
    for (size_t i = 0; i < kTarBlock; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : header[i];
    return sum == ParseOctalField(header + 148, 8);
}

bool TarMemberAt(const unsigned char* data, uint64_t dataSize, uint64_t offset, TarMember* member)
{
    if (offset > dataSize || dataSize - offset < kTarBlock)
        return false;
    const unsigned char* header = data + offset;
    if (!TarHeaderChecksumOk(header, kTarBlock))
        return false;
    uint64_t size = ParseOctalField(header + 124, 12);
    uint64_t dataOffset = offset + kTarBlock;
    if (size > dataSize - dataOffset)
        return false;
    member->headerOffset = offset;
    member->dataOffset = dataOffset;
    member->size = size;
    return true;
}

uint64_t TarNextHeader(const TarMember& member)
{
    // size is bounded by the data, so neither sum can overflow.
    return member.dataOffset + (member.size + kTarBlock - 1) / kTarBlock * kTarBlock;
}

int TarCountMembers(const unsigned char* data, uint64_t dataSize)
{
    int count = 0;
    uint64_t offset = 0;
    TarMember m;
    while (count < INT32_MAX && TarMemberAt(data, dataSize, offset, &m)) {
        ++count;
        offset = TarNextHeader(m);
    }
    return count;
}

TarFindResult TarFindMember(const unsigned char* data, uint64_t dataSize, int index, TarMember* member)
{
    if (index < 0)
        return TAR_STEP_FAILED;
    uint64_t offset = 0;
    TarMember m;
    for (int i = 0; i < index; ++i) {
        if (!TarMemberAt(data, dataSize, offset, &m))
            return TAR_STEP_FAILED;
        offset = TarNextHeader(m);
    }
    if (!TarMemberAt(data, dataSize, offset, member))
        return TAR_MEMBER_FAILED;
    return TAR_FOUND;
}
