#include "image/Crc32c.h"

namespace {

struct Crc32cTable
{
    uint32_t entries[256];
    Crc32cTable()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0x82F63B78u : (c >> 1);
            entries[i] = c;
        }
    }
};

const Crc32cTable g_crcTable;

uint32_t Update(uint32_t crc, const unsigned char* p, size_t n)
{
    while (n--)
        crc = g_crcTable.entries[(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return crc;
}

}  // namespace

uint32_t Crc32c(const void* data, size_t size)
{
    return ~Update(0xFFFFFFFFu, (const unsigned char*)data, size);
}

uint32_t Crc32cWithZeroedField(const unsigned char* data, size_t size, size_t checksumOffset)
{
    static const unsigned char zeros[4] = {0, 0, 0, 0};
    if (checksumOffset > size || size - checksumOffset < 4)
        return Crc32c(data, size);
    uint32_t crc = Update(0xFFFFFFFFu, data, checksumOffset);
    crc = Update(crc, zeros, 4);
    crc = Update(crc, data + checksumOffset + 4, size - checksumOffset - 4);
    return ~crc;
}
