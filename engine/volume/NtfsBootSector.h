// The fields of an NTFS boot sector that the engine reads.
#pragma once

#include <stdint.h>

// "NTFS" at offset 3 (the OEM name "NTFS    ").
int IsNtfsBootSector(const unsigned char* sector);
// "EXFAT   " at offset 3: exFAT shares partition type 7 with NTFS.
int IsExfatBootSector(const unsigned char* sector);

struct NtfsBootFields
{
    uint32_t sectorsPerCluster;  // 0x0D
    uint64_t totalSectors;       // 0x28: the volume without its backup boot sector
    uint32_t mftCluster;         // 0x30, low 32 bits
    uint32_t mftMirrorCluster;   // 0x38, low 32 bits
    uint32_t recordSizeValue;    // 0x40
};

NtfsBootFields ReadNtfsBootFields(const unsigned char* sector);

// Sectors per cluster 1, 2, 4, ..., 128.
int NtfsClusterSizeUsable(uint32_t sectorsPerCluster);
