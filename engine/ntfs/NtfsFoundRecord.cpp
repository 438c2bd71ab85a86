#include "ntfs/NtfsFoundRecord.h"

#include <stdlib.h>
#include <wchar.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsDataAttribute.h"
#include "ntfs/NtfsFileName.h"
#include "ntfs/NtfsIndex.h"
#include "ntfs/NtfsLists.h"

namespace {

// What listing a record needs besides its name.
struct RecordFacts
{
    unsigned flags;
    uint32_t number;
    uint16_t sequence;
    uint32_t indexRootOwner;
    uint32_t indexCluster;
    uint64_t size;
};

RecordFacts FactsOf(uint32_t sector, const unsigned char* record)
{
    RecordFacts f;
    f.flags = MftRecordFlags(record);
    f.number = MftRecordNumber(record);
    f.sequence = MftRecordSequence(record);
    f.indexRootOwner = IndexRootOwnNumber(record, MftRecordSize);
    f.indexCluster = IndexAllocationFirstCluster(record, MftRecordSize);
    f.size = 0;
    FindDataSize(sector, &f.size, const_cast<unsigned char*>(record), 0);
    return f;
}

int ListNamedRecord(uint32_t sector, const RecordFacts& facts, const NtfsFileNameValue& name)
{
    if (facts.flags == 2 || facts.flags == 3) {
        uint32_t own;
        if (wcscmp(name.name, L".") == 0)
            own = MftRootRecord;
        else if (_wcsicmp(name.name, L"$Extend") == 0)
            own = MftExtendRecord;
        else
            own = facts.indexRootOwner;
        AddNtfsScanFolderRecord(name.name, sector, name.parent, own, name.created, name.changed, facts.indexCluster,
                                facts.flags == 2);
        return 1;
    }
    if (facts.flags == 0 || facts.flags == 1) {
        NtfsScanFileRecord* r = AddNtfsScanFileRecord(name.name, sector, name.parent, name.created, name.changed,
                                                      facts.size, facts.flags == 0);
        r->recordNumber = facts.number;
        r->sequence = facts.sequence;
        return 1;
    }
    return 0;
}

// A name an extension record holds for its base record, and a base record
// waiting for one; keyed by the base's number and sequence.
struct KeptName
{
    uint32_t sector;
    NtfsFileNameValue name;
};
struct KeptBase
{
    uint32_t sector;
    RecordFacts facts;
};

// Bounds on what is kept, so that a crafted image cannot exhaust memory.
const size_t MaxKept = 65536;

struct CExtensionNames
{
    std::unordered_multimap<uint64_t, KeptName> names;
    std::unordered_map<uint64_t, KeptBase> bases;
};
CExtensionNames g_ExtensionNames;

uint64_t BaseKey(uint64_t number, uint16_t sequence) { return ((number & 0xFFFFFFFFFFFFull) << 16) | sequence; }

}  // namespace

int ListFoundFileRecord(uint32_t sector, const unsigned char* record)
{
    NtfsFileNameValue name;
    const uint64_t base = MftBaseRecordReference(record);
    const bool named = ChooseFileName(record, MftRecordSize, name);
    if ((base & 0xFFFFFFFFFFFFull) != 0) {
        if (named && g_ExtensionNames.names.size() < MaxKept)
            g_ExtensionNames.names.emplace(BaseKey(base, (uint16_t)(base >> 48)), KeptName{sector, name});
        return 0;
    }
    if (!named) {
        NtfsAttribute list;
        RecordFacts facts = FactsOf(sector, record);
        if (facts.number != NtfsNoRecordNumber && g_ExtensionNames.bases.size() < MaxKept &&
            FindAttribute(record, MftRecordSize, NtfsAttrAttributeList, true, list))
            g_ExtensionNames.bases.emplace(BaseKey(facts.number, facts.sequence), KeptBase{sector, facts});
        return 0;
    }
    return ListNamedRecord(sector, FactsOf(sector, record), name);
}

int ParseFoundFileRecord(uint32_t sector)
{
    unsigned char record[MftRecordSize];
    if (!ReadMftRecord(sector, record))
        return 0;
    return ListFoundFileRecord(sector, record);
}

void ListNamesFromExtensionRecords()
{
    for (const auto& kept : g_ExtensionNames.bases) {
        const KeptBase& base = kept.second;
        const KeptName* best = nullptr;
        auto range = g_ExtensionNames.names.equal_range(kept.first);
        for (auto it = range.first; it != range.second; ++it) {
            const KeptName& candidate = it->second;
            // A DOS-only name is the second name of a link: any other wins.
            bool dos = candidate.name.nameSpace == NtfsNameDos;
            if (best) {
                bool bestDos = best->name.nameSpace == NtfsNameDos;
                uint32_t d = candidate.sector > base.sector ? candidate.sector - base.sector : base.sector - candidate.sector;
                uint32_t bestD = best->sector > base.sector ? best->sector - base.sector : base.sector - best->sector;
                if (dos > bestDos || (dos == bestDos && d >= bestD))
                    continue;
            }
            best = &candidate;
        }
        if (best)
            ListNamedRecord(base.sector, base.facts, best->name);
    }
    FreeExtensionRecordNames();
    SortNtfsScanListsBySector();
}

void FreeExtensionRecordNames()
{
    g_ExtensionNames.names.clear();
    g_ExtensionNames.bases.clear();
}
