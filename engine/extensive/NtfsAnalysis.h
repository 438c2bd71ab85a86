// The NTFS analysis of the Extensive Scan: it gives the folder records of
// the sector search their MFT record numbers, keeps the first index block
// of each directory, recognises NTFS file systems from boot-sector
// candidates and, failing those, from pairs of directories whose first
// index blocks were found, and gives every folder record the number of the
// file system it belongs to. Each file system found becomes a FoundVolume
// and an "NTFS @" item of the file-system step's tree.
#pragma once

#include <stdint.h>

class CExtensiveScanShell;

// The whole analysis in its order; ends with both done flags set.
void AnalyzeNtfsCandidates(CExtensiveScanShell& shell);

// The steps.
void AssignMftNumbers(CExtensiveScanShell& shell);
void DeleteUnusedIndexEntries(CExtensiveScanShell& shell);
void ClassifyNtfsFromBootSectors(CExtensiveScanShell& shell);
void ClassifyNtfsFromIndexBlocks(CExtensiveScanShell& shell);
// Gives the unassigned folders recorded after start and up to end whose
// first index block lies where this layout puts it the next file system's
// number. Returns 1 when any folder was assigned.
int ClassifyFoldersInRange(CExtensiveScanShell& shell, uint32_t sectorsPerCluster, uint32_t start, uint32_t end,
                           int step);
void AssignUnassignedFolders(CExtensiveScanShell& shell);

// Sectors per index block from a boot sector's clusters-per-index-block
// field (a signed byte: clusters when positive, 2^-n bytes when negative).
uint32_t IndexBlockSectors(const unsigned char* bootSector, uint32_t sectorsPerCluster);
