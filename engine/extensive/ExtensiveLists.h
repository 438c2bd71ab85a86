// The Extensive Scan's candidate lists (boot sectors, FAT directory sectors)
// and the list of file systems it found, with their builders, the analysis
// counters and the reset of every Extensive Scan list. The NTFS records it
// collects (file and folder records, index blocks) are the NTFS layer's.
#pragma once

#include <stdint.h>

#include "state/EngineList.h"

// A sector that carries a FAT or NTFS boot signature.
struct BootSectorHit
{
    uint32_t sector;
    BootSectorHit* next;
};

// A sector whose first two entries are a FAT directory's "." and "..".
struct DirSectorHit
{
    uint32_t sector;
    uint32_t cluster;        // the directory's own first cluster ("." entry)
    uint32_t parentCluster;  // the parent's first cluster (".." entry)
    uint16_t writeDate;      // "." entry offset 24
    uint16_t accessDate;     // "." entry offset 18
    uint16_t volume;         // 0 not assigned, n the n-th found file system, VolumeNone none
    DirSectorHit* next;
};

// A file system found by the analysis. p1..p13 are the thirteen 32-bit
// parameters of VolumeParams in their order (fatSize .. fileSystemEnd).
struct FoundVolume
{
    uint16_t code;   // 100 FAT16, 200 FAT32, 300 NTFS
    uint32_t p[13];
    uint32_t treeItem;
    FoundVolume* next;
};

enum
{
    VolumeUnassigned = 0,
    VolumeNone = 0xFFFF,
};

// Upper bounds of the candidate lists, so that a large or crafted image
// cannot exhaust the process's memory. A search that passes one tells the
// user "Too many data structures found" and stops; what was found stays.
struct ExtensiveListLimits
{
    uint32_t bootSectors;    // FAT or NTFS boot-sector candidates
    uint32_t dirSectors;     // FAT directory candidates
    uint32_t ntfsRecords;    // NTFS file and folder records together
    uint32_t indexBlocks;    // NTFS index blocks
};
extern ExtensiveListLimits g_ExtensiveListLimits;
extern const ExtensiveListLimits DefaultExtensiveListLimits;

extern EngineList<BootSectorHit> g_BootSectorHits;
extern EngineList<DirSectorHit> g_DirSectorHits;
extern EngineList<FoundVolume> g_FoundVolumes;
extern uint32_t g_BootHitCount;
extern uint16_t g_FoundVolumeCount;
extern uint32_t g_ClassifiedCount;
extern volatile int g_BootStepDone;
extern volatile int g_DirStepDone;

void AddBootSectorHit(uint32_t sector);
// Counted in g_ExtFolderCount, which the FAT side shares with the NTFS
// folder records (one scan fills only one of them).
DirSectorHit* AddDirSectorHit(uint32_t sector, uint32_t cluster, uint32_t parentCluster, uint16_t writeDate,
                              uint16_t accessDate);
// Appends a found file system; g_FoundVolumeCount grows by 1.
FoundVolume* AddFoundVolume(uint16_t code, const uint32_t params[13], uint32_t treeItem);

// The n-th found file system (from 1), or null.
FoundVolume* FoundVolumeAt(unsigned number);

// The file-system step's choice: copies the n-th found file system into
// VolumeParams (FAT: p1 to p8 and p13; NTFS: p1, p2, p6, p9, p10, p12 and
// p13), its code into the file-system type and n into the found-volume
// index. Returns 0, changing nothing, when there is no such record.
int SelectFoundVolumeParams(unsigned number);

// Frees every Extensive Scan list (candidates, found file systems, the NTFS
// file, folder and index-block records) and zeroes their counters.
void FreeExtensiveScanLists();
