#include "fat/FatDirEntry.h"

#include <string.h>

#include "common/ByteOrder.h"

uint32_t GetFatEntryCluster(const unsigned char* e, int fat32)
{
    uint32_t low = le16(e + 0x1A);
    return fat32 ? ((uint32_t)le16(e + 0x14) << 16) | low : low;
}

namespace {

// Only the letters A to Z change: what other bytes mean depends on the OEM
// code page of the system that wrote the name.
wchar_t ShortNameUnit(unsigned char c, bool lower)
{
    return (lower && c >= 'A' && c <= 'Z') ? (wchar_t)(c - 'A' + 'a') : (wchar_t)c;
}

}  // namespace

void GetFatShortName(const unsigned char* e, wchar_t* out)
{
    // Windows stores an all-lower-case 8.3 name without a long name, in
    // upper case with these two flags; it shows it in lower case.
    const bool lowerBase = (e[0x0C] & FatCaseLowerBase) != 0;
    const bool lowerExtension = (e[0x0C] & FatCaseLowerExtension) != 0;
    int n = 0;
    for (int i = 0; i < 8; ++i)
        if (e[i] != ' ')
            out[n++] = ShortNameUnit(e[i], lowerBase);
    if (e[8] != ' ') {
        out[n++] = L'.';
        for (int i = 8; i < 11; ++i)
            if (e[i] != ' ')
                out[n++] = ShortNameUnit(e[i], lowerExtension);
    }
    out[n] = 0;
    if (n > 0 && e[0] == FatDeletedMark)
        out[0] = L'x';
}

namespace {

// Characters no short name holds (besides those below 0x20).
bool IsBadShortNameByte(unsigned char c)
{
    return c < 0x20 || c == 0x7F || strchr("\"*+,/:;<=>?[\\]|", c) != nullptr;
}

bool IsPlausibleShortEntry(const unsigned char* e)
{
    if (e[11] & 0xC0)
        return false;
    bool dotEntry = e[0] == '.' && (e[1] == ' ' || (e[1] == '.' && e[2] == ' '));
    for (int i = 0; i < 11; ++i) {
        unsigned char c = e[i];
        if (i == 0 && (c == FatDeletedMark || c == 0x05))
            continue;
        if (c == '.' ? !dotEntry : IsBadShortNameByte(c))
            return false;
    }
    return e[0] != ' ';
}

bool IsPlausibleLongNameEntry(const unsigned char* e)
{
    // The type byte and the cluster field are always 0 in a long-name entry.
    return e[11] == FatAttrLongName && e[12] == 0 && e[26] == 0 && e[27] == 0;
}

}  // namespace

int LooksLikeFatDirectorySector(const unsigned char* sector)
{
    int used = 0;
    for (int i = 0; i < FatEntriesPerSector; ++i) {
        const unsigned char* e = sector + i * FatDirEntrySize;
        if (IsFatEndOfDirectory(e))
            break;
        if (IsFatLongNameEntry(e) ? !IsPlausibleLongNameEntry(e) : !IsPlausibleShortEntry(e))
            return 0;
        ++used;
    }
    return used > 0;
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
