// Mapping pairs (run lists) of non-resident attributes, and the run list of
// the file being saved.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "state/EngineList.h"

// One decoded run. A sparse run has no clusters on disk (lcn 0).
struct NtfsRun
{
    int64_t lcn;
    uint64_t length;   // clusters
    bool sparse;
};

// Decodes mapping pairs of size bytes into runs (appended). Each header's
// length field must have 1 to 8 bytes and its offset field at most 8, every
// field must lie inside the bytes given, a run may not be empty and no LCN
// may become negative. Returns 1 at the terminating zero byte; 0 for a
// malformed list, and runs then holds the runs before the fault.
int DecodeMappingPairs(const unsigned char* pairs, size_t size, std::vector<NtfsRun>& runs);

// One run of the file being saved: LCN (0 for a sparse run) and length in
// clusters.
struct DataRunNode
{
    uint32_t lcn;
    uint32_t length;
    DataRunNode* next;
};

// The run list of the file being saved; its count is g_RunList.count.
extern EngineList<DataRunNode> g_RunList;

void AppendRunNode(EngineList<DataRunNode>& list, uint32_t lcn, uint32_t length);
void FreeRunList();

// Empties g_RunList and fills it from the mapping pairs of the attribute at
// attributeOffset in a record of limit bytes. Returns 1 when the list was
// decoded to its end; 0 when the attribute is not a non-resident attribute
// inside the record, when the pairs are malformed or when a run does not
// fit the 32-bit fields (the runs before that stay in the list).
int DecodeRunList(size_t limit, const unsigned char* record, uint32_t attributeOffset);
