// The Extensive Scan's search of the selected sector range (VolumeParams'
// start sector and sector count) for FAT or NTFS structures. The range is
// read in chunks of the "sectors per read" setting into one buffer; each
// sector is first matched by the bytes at a few fixed offsets, and only a
// match costs more.
#pragma once

#include <stdint.h>

class CExtensiveScanShell;

enum { MaxSectorsPerRead = 100 };

// Per-sector matchers.
// A FAT boot sector: boot signature and "32" at 0x55 (of "FAT32") or "16"
// at 0x39 (of "FAT16").
int IsFatBootCandidate(const unsigned char* sector);
// An NTFS boot sector: boot signature and "NTFS" at 3.
int IsNtfsBootCandidate(const unsigned char* sector);

// A FAT directory's first sector: a "." entry followed by a ".." entry.
// Accepted when the "." cluster is at least 2 and below the sector's LBA
// and neither cluster is 0xFFFFFFFF.
struct DirSectorMatch
{
    uint32_t cluster;
    uint32_t parentCluster;
    uint16_t writeDate;
    uint16_t accessDate;
};
int MatchFatDirSector(const unsigned char* sector, uint32_t lba, DirSectorMatch* match);

// The searches. Each ends early when the stop flag is set (by the Stop
// command, or by a list reaching its limit). Sectors that cannot be read
// are passed over. Return the number of sectors examined.
uint64_t SearchFatStructures(CExtensiveScanShell& shell);
uint64_t SearchNtfsStructures(CExtensiveScanShell& shell);
