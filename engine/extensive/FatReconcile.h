// The FAT analysis of the Extensive Scan: FAT file systems rebuilt from the
// boot-sector and directory-sector candidates of the sector search. Each
// one found becomes a FoundVolume and a "FAT32 @" or "FAT16 @" item of the
// file-system step's tree, and its directory candidates get its number.
#pragma once

#include <stdint.h>

class CExtensiveScanShell;
struct DirSectorHit;

// Boot-sector step, then the directory-pair step; sets g_DirStepDone and
// g_BootStepDone at the end.
void AnalyzeFatCandidates(CExtensiveScanShell& shell);

// Each directory candidate still unassigned is tried with FindFatVolumeFromPair;
// one that pairs with none gets VolumeNone.
void AssignDirectoriesByPairs(CExtensiveScanShell& shell);

// Looks for a later unassigned candidate that, with p, gives a cluster size
// and a cluster-0 base; the first such pair makes a file system of every
// unassigned candidate that lies where that layout puts its cluster.
// Returns 1 when a file system was made.
int FindFatVolumeFromPair(CExtensiveScanShell& shell, DirSectorHit* p);

// The layout a FAT boot sector at lba gives, as FoundVolume parameters
// p1..p13 and the code (100, 200). False when the sector is no usable boot
// sector (cluster size, a FAT count other than 1 or 2, base below 63 or
// past 32 bits). With one FAT, FAT2 names the same sectors as FAT1.
bool FatLayoutFromBootSector(const unsigned char* sector, uint32_t lba, uint16_t* code, uint32_t params[13]);

// 1 when the layout's FAT begins with a media byte and its root directory
// (FAT16: the fixed region; FAT32: the root cluster) holds directory
// entries: what confirms a boot sector that no directory sector does.
bool FatLayoutHoldsARoot(uint16_t code, const uint32_t params[13]);
