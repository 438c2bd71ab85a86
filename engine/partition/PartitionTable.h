// The partition table of the selected disk: the MBR/EBR walk and the
// cylinder-by-cylinder search for boot sectors. Both fill g_PartitionTable.
#pragma once

#include <stdint.h>

// Rebuilds g_PartitionTable and g_PartitionCount from the MBR and the EBR
// chain of the disk; sets g_SearchPartitions to 0. The EBR chain is followed
// only through signed EBRs inside the extended partition, never to an EBR
// already read, and for at most MaxEbrCount EBRs.
void ReadPartitionTable();
enum { MaxEbrCount = 128 };

// Body of the partition-search worker: asks whether to search when the
// table holds entries, lists them in the device tree, then reads each
// cylinder's first sector of head 1 (or of head 0) for FAT16, FAT32 and
// NTFS boot sectors and appends the new ones.
void SearchPartitions();

// Appends {start, count, code} unless the table is full; 1 when appended.
int AppendPartitionEntry(uint32_t start, uint32_t count, uint16_t code);

// Geometry the search uses when the disk gives none (VHDX) or tracks other
// than 63 sectors: 255 heads of 63 sectors.
enum { SearchHeads = 255, SearchSectorsPerTrack = 63, SearchCylinderSectors = 16065 };
