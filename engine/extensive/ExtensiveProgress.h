// Small helpers the Extensive Scan's steps share.
#pragma once

#include <stdint.h>

#include <string>

// part x 100 / whole, at most 99 (0 when whole is 0).
inline int ClampedPercent(uint64_t part, uint64_t whole)
{
    if (whole == 0)
        return 0;
    uint64_t p = part * 100 / whole;
    return p > 99 ? 99 : (int)p;
}

// 1 for 1, 2, 4, ... 128: the cluster sizes FAT and NTFS allow, in sectors.
inline bool IsValidSectorsPerCluster(uint64_t s)
{
    return s >= 1 && s <= 128 && (s & (s - 1)) == 0;
}

// A tree item text: the kind ("FAT32 @", "FAT16 @", "NTFS @") followed
// directly by a sector number.
inline std::wstring FileSystemItemText(const wchar_t* kind, uint32_t sector)
{
    return kind + std::to_wstring(sector);
}
