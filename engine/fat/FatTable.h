// The file allocation table: cluster chains of FAT16 and FAT32 volumes,
// walked from VolumeParams. Listing, previews and saving all walk chains
// here; each walk returns its own list, so two walks never share one.
//
// A chain ends at an end-of-chain value (FAT16 >= 0xFFF8, FAT32 >= 0x0FFFFFF8
// after masking the entry with 0x0FFFFFFF), at a bad-cluster mark (0xFFF7,
// 0x0FFFFFF7), at a free entry or value below 2, at a cluster outside the
// volume (>= cluster count + 2), at a cluster it already holds, or at a
// failed FAT read.
#pragma once

#include <stdint.h>

#include <vector>

// Next cluster after an entry's value, or 0 when the chain ends there.
// clusterLimit is the first cluster number past the volume.
uint32_t FatNextCluster(uint32_t entry, int fat32, uint32_t clusterLimit);

// First cluster number past the volume (cluster count + 2) from
// VolumeParams: bounded by the FAT size and, when known, the sector count.
uint32_t FatClusterLimit();

// The chain from start through the first (fatSelector 1) or second FAT (2),
// at most max + 1 clusters; with honourSaveFlags it ends early when
// g_SaveStop or g_SaveSkip is 1 (a preview's walk passes false).
std::vector<uint32_t> ReadClusterChain(uint32_t start, uint32_t max, int fatSelector, bool honourSaveFlags = true);

// A directory's chain through the first FAT, up to the clusters that hold
// the FAT maximum of 65536 entries.
std::vector<uint32_t> ReadDirectoryChain(uint32_t start);

enum { FatMaxDirectoryEntries = 65536 };
