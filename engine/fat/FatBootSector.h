// The fields of a FAT16 or FAT32 boot sector that the engine reads.
#pragma once

#include <stdint.h>

struct FatBootFields
{
    uint32_t sectorsPerCluster;  // 0x0D
    uint32_t reservedSectors;    // 0x0E
    uint32_t fatCount;           // 0x10
    uint32_t rootEntries;        // 0x11 (FAT16)
    uint32_t totalSectors;       // 0x13, or 0x20 when 0x13 is 0
    uint32_t fatSize;            // 0x16 (FAT16) or 0x24 (FAT32)
    uint32_t rootCluster;        // 0x2C (FAT32)
};

// Decodes a 512-byte boot sector as FAT32 (fat32 = 1) or FAT16.
FatBootFields ReadFatBootFields(const unsigned char* sector, int fat32);

// Total sectors: the 16-bit field at 0x13 when it is not 0 (volumes under
// 65536 sectors keep it there and leave 0x20 at 0), else the field at 0x20.
uint32_t FatTotalSectors(const unsigned char* sector);

// 1 when the fields can describe a volume: sectors per cluster a power of
// two up to 128, reserved sectors, FATs and FAT size not 0.
int FatBootFieldsUsable(const FatBootFields& f);

// File-system type labels of the extended boot records.
int IsFat32BootSector(const unsigned char* sector);  // "FAT32" at 0x52
int IsFat16BootSector(const unsigned char* sector);  // "FAT16" at 0x36
int IsFat12BootSector(const unsigned char* sector);  // "FAT12" at 0x36
