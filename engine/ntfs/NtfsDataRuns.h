// Mapping pairs (run lists) of non-resident attributes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

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
