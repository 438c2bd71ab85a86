// The run table of the MFT: the runs of $MFT's own unnamed $DATA as
// absolute sectors, and the mapping of record numbers to sectors.
#pragma once

#include <stdint.h>

#include <vector>

// Start sector (absolute LBA, 0 for a sparse run) and length in sectors of
// each run; g_MftRunCount runs. Rebuilt from empty by every
// BuildMftRunTable.
extern std::vector<uint32_t> g_MftRunStarts;
extern std::vector<uint32_t> g_MftRunLengths;
extern uint16_t g_MftRunCount;

// The table holds at most this many runs (the count is 16-bit).
enum { MftRunTableMax = 0xFFFF };

// How BuildMftRunTable ended.
enum MftRunTableResult
{
    MftRunTableFailed = 0,     // nothing usable: the table is empty
    MftRunTableBuilt = 1,      // from $MFT's own record(s)
    MftRunTableFallback = 2,   // record 0 unusable: one run from the MFT sector to the volume end
};

// Builds the table for a volume whose cluster 0 is sector clusterBase, whose
// MFT starts at mftSector, with sectorsPerCluster sectors per cluster. Runs
// are kept inside the volume (last sector volumeEnd). When record 0 cannot
// be read or mapped, the table holds one run from mftSector to the volume
// end instead, so that the records that are there can still be found.
int BuildMftRunTable(uint32_t clusterBase, uint32_t mftSector, uint32_t sectorsPerCluster, uint32_t volumeEnd);

// The sector of record n through the table; 0 when no run holds it or the
// run is sparse.
uint32_t MapRecordToSector(uint32_t recordNumber);

// The record numbers named by $MFT's own attribute list for its $DATA, in
// list order, each once; empty when record 0 has no attribute list.
void CollectMftExtensionRecords(const unsigned char* record0, uint32_t clusterBase, uint32_t sectorsPerCluster,
                                std::vector<uint32_t>& records);

// Sum of the run lengths in sectors.
uint64_t MftRunTableSectors();

// Empties the table.
void ClearMftRunTable();

// True when the table holds runs built for this volume (cluster 0 at sector
// clusterBase, its cluster size and last sector) and this MFT start; an MFT
// start of 0 takes the volume's table whatever start it was built from (a
// Quick Scan may have taken it from the boot sector). Another volume's table
// maps records wrongly.
bool MftRunTableIsFor(uint32_t clusterBase, uint32_t mftSector, uint32_t sectorsPerCluster, uint32_t volumeEnd);
