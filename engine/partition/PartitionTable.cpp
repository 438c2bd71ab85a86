#include "partition/PartitionTable.h"

#include "partition/MbrSector.h"
#include "partition/PartitionBootSector.h"
#include "state/EngineState.h"
#include "io/SourceSectors.h"

namespace {

// Reads a partition's first sector and appends it when it holds FAT16,
// FAT32 or NTFS. 0 when the table is full.
int AddPartitionAt(uint64_t start, uint32_t count, uint8_t type)
{
    if (start > 0xFFFFFFFFu)
        return g_PartitionCount < MaxPartitions;
    unsigned char boot[SectorSize];
    int ok = ReadSourceSectors(start, 1, boot);
    uint16_t code = PartitionCodeFromBootSector(boot, ok, type);
    if (code)
        AppendPartitionEntry((uint32_t)start, count, code);
    return g_PartitionCount < MaxPartitions;
}

void WalkExtendedPartition(uint32_t extStart, uint32_t extSize)
{
    uint32_t visited[MaxEbrCount];
    int visitedCount = 0;
    uint64_t ebr = extStart;
    unsigned char sector[SectorSize];
    while (visitedCount < MaxEbrCount) {
        for (int i = 0; i < visitedCount; ++i)
            if (visited[i] == ebr)
                return;  // the chain links back to an EBR already read
        visited[visitedCount++] = (uint32_t)ebr;
        if (!ReadSourceSectors(ebr, 1, sector) || !HasBootSignature(sector))
            return;
        uint64_t next = 0;
        int linked = 0;
        for (int i = 0; i < EbrEntryCount; ++i) {
            MbrPartitionEntry e = GetMbrEntry(sector, i);
            if (e.type == 0)
                continue;
            if (IsExtendedType(e.type)) {
                // Links are relative to the extended partition and stay in
                // it; one back to an EBR already read ends the walk above.
                if (e.start < extSize) {
                    next = (uint64_t)extStart + e.start;
                    linked = 1;
                }
                continue;
            }
            if (!AddPartitionAt(ebr + e.start, e.count, e.type))
                return;
        }
        if (!linked)
            return;
        ebr = next;
    }
}

}  // namespace

int AppendPartitionEntry(uint32_t start, uint32_t count, uint16_t code)
{
    if (g_PartitionCount < 0 || g_PartitionCount >= MaxPartitions)
        return 0;
    PartitionEntry& e = g_PartitionTable[g_PartitionCount++];
    e.startSector = start;
    e.sectorCount = count;
    e.fileSystemCode = code;
    return 1;
}

void ReadPartitionTable()
{
    g_SearchPartitions = 0;
    g_PartitionCount = 0;
    unsigned char mbr[SectorSize];
    if (!ReadSourceSectors(0, 1, mbr) || !HasBootSignature(mbr))
        return;
    uint32_t extStart = 0, extSize = 0;
    for (int i = 0; i < MbrEntryCount; ++i) {
        MbrPartitionEntry e = GetMbrEntry(mbr, i);
        if (e.type == 0)
            continue;
        if (IsExtendedType(e.type)) {
            extStart = e.start;
            extSize = e.count;
            continue;
        }
        if (!AddPartitionAt(e.start, e.count, e.type))
            return;
    }
    if (extStart)
        WalkExtendedPartition(extStart, extSize);
}
