// The File Trace search: every sector of the selected range whose leading
// bytes equal a chosen signature becomes a hit.
#pragma once

#include <stdint.h>

// Sectors read per request.
enum { TraceBatchSectors = 256 };

// What the search reports while it runs; every callback may be null.
struct TraceSearchObserver
{
    void* context;
    // Before each batch is read: its first sector and the range's end sector.
    void (*onBatch)(void* context, uint32_t firstSector, uint32_t endSector);
    // The share of the range examined, 0 to 99, whenever it changes.
    void (*onProgress)(void* context, int percent);
    // After a hit has been appended to g_TraceHitList.
    void (*onHit)(void* context, const struct TraceHit* hit);
};

struct TraceSearchResult
{
    uint64_t examinedSectors;
    uint64_t unreadableSectors;  // skipped because not even a single-sector read succeeded
    uint32_t hitCount;
    int stopped;                 // 1 when g_ScanStop ended the search early
};

// Sectors the last search had to skip.
extern uint64_t g_TraceUnreadableSectors;

// Searches sectors VolumeParams.startSector .. VolumeParams.endSector (both
// included; nothing when the end lies before the start) for the signatures
// of g_SignatureList. The hit list is emptied first; each hit is numbered
// from 1, named by its number and type extension, and counted in
// g_FileCount (g_FolderCount follows it). A sector gets at most one hit, for
// the first signature of the list that matches it; each signature compares
// its first compare-length bytes, the length held to 1 .. the smaller of 15
// and the signature's byte count. Hits through ".doc" or ".docx" are typed
// by ProbeOfficeType when the probe's answer is a chosen extension. A batch
// that cannot be read is read again sector by sector and the sectors that
// still fail are skipped and counted. Polls g_ScanStop between sectors.
void SearchSignatures(const TraceSearchObserver* observer, TraceSearchResult* result);
