#include "fat/FatBootSector.h"

#include <string.h>

#include "common/ByteOrder.h"

FatBootFields ReadFatBootFields(const unsigned char* s, int fat32)
{
    FatBootFields f;
    f.sectorsPerCluster = s[0x0D];
    f.reservedSectors = le16(s + 0x0E);
    f.fatCount = s[0x10];
    f.rootEntries = fat32 ? 0 : le16(s + 0x11);
    f.totalSectors = FatTotalSectors(s);
    f.fatSize = fat32 ? le32(s + 0x24) : le16(s + 0x16);
    f.rootCluster = fat32 ? le32(s + 0x2C) : 0;
    return f;
}

uint32_t FatTotalSectors(const unsigned char* s)
{
    uint16_t small = le16(s + 0x13);
    return small ? small : le32(s + 0x20);
}

int FatBootFieldsUsable(const FatBootFields& f)
{
    return IsPowerOfTwo(f.sectorsPerCluster) && f.sectorsPerCluster <= 128 &&
           f.reservedSectors != 0 && f.fatCount != 0 && f.fatSize != 0;
}

int IsFat32BootSector(const unsigned char* s) { return memcmp(s + 0x52, "FAT32", 5) == 0; }
int IsFat16BootSector(const unsigned char* s) { return memcmp(s + 0x36, "FAT16", 5) == 0; }
int IsFat12BootSector(const unsigned char* s) { return memcmp(s + 0x36, "FAT12", 5) == 0; }
