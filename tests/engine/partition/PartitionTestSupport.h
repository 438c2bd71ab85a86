// The partition table as a list of (start, count, code) for comparisons.
#pragma once

#include <ostream>
#include <vector>

#include "state/EngineState.h"

struct TableEntry
{
    uint32_t start, count;
    uint16_t code;
    bool operator==(const TableEntry& o) const
    {
        return start == o.start && count == o.count && code == o.code;
    }
};

inline std::ostream& operator<<(std::ostream& os, const TableEntry& e)
{
    return os << "{" << e.start << ", " << e.count << ", " << e.code << "}";
}

inline std::vector<TableEntry> CurrentTable()
{
    std::vector<TableEntry> t;
    for (int i = 0; i < g_PartitionCount; ++i)
        t.push_back({g_PartitionTable[i].startSector, g_PartitionTable[i].sectorCount,
                     g_PartitionTable[i].fileSystemCode});
    return t;
}
