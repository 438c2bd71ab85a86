// What a partition's first sector says about its file system: the code
// (100 FAT16, 200 FAT32, 300 NTFS) and, for the partition search, the
// number of sectors the file system spans.
#pragma once

#include <stdint.h>

// Code of a partition from its boot sector, falling back on the partition
// type byte only when the boot sector could not be read or holds no boot
// record (no 0x55AA): FAT12 and exFAT boot sectors, and any other boot
// record, give 0. readOk is the result of the sector read.
uint16_t PartitionCodeFromBootSector(const unsigned char* sector, int readOk, uint8_t typeByte);

// Code of a boot sector found by the partition search, 0 when it is none of
// FAT16, FAT32, NTFS; *sectorCount receives the file system's extent.
uint16_t ClassifySearchBootSector(const unsigned char* sector, uint32_t* sectorCount);
