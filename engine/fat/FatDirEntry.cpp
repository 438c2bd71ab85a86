#include "fat/FatDirEntry.h"

#include "image/ByteOrder.h"

uint32_t GetFatEntryCluster(const unsigned char* e, int fat32)
{
    uint32_t low = le16(e + 0x1A);
    return fat32 ? ((uint32_t)le16(e + 0x14) << 16) | low : low;
}

void GetFatShortName(const unsigned char* e, wchar_t* out)
{
    int n = 0;
    for (int i = 0; i < 8; ++i)
        if (e[i] != ' ')
            out[n++] = e[i];
    if (e[8] != ' ') {
        out[n++] = L'.';
        for (int i = 8; i < 11; ++i)
            if (e[i] != ' ')
                out[n++] = e[i];
    }
    out[n] = 0;
    if (n > 0 && e[0] == FatDeletedMark)
        out[0] = L'x';
}

uint8_t FatShortNameChecksum(const unsigned char* e)
{
    uint8_t sum = 0;
    for (int i = 0; i < 11; ++i)
        sum = (uint8_t)(((sum & 1) << 7) + (sum >> 1) + e[i]);
    return sum;
}

void GetFatLongNameUnits(const unsigned char* e, uint16_t* units)
{
    static const unsigned char offsets[FatLongNameUnits] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    for (int i = 0; i < FatLongNameUnits; ++i)
        units[i] = le16(e + offsets[i]);
}
