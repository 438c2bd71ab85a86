#include "extensive/SectorSearch.h"

#include <string.h>
#include <wchar.h>

#include <string>
#include <vector>

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScanShell.h"
#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "msg/MessageSink.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsFileName.h"
#include "ntfs/NtfsFoundRecord.h"
#include "ntfs/NtfsIndex.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "io/SourceSectors.h"

namespace {

const unsigned ProgressEveryChunks = 88;
// The file is read several chunks at a time, up to this many bytes.
const uint32_t GroupBytes = 512 * 1024;

// Shows the message once and stops the search when count passes limit.
bool OverLimit(uint64_t count, uint64_t limit)
{
    if (count <= limit)
        return false;
    g_ScanStop = 1;
    ShowMessage(L"Too many data structures found", MessageKindError);
    return true;
}

// Reads the range chunk by chunk and hands every sector that was read to
// examine(sector bytes, lba, index in chunk, chunk, valid flags, count).
// A chunk that fails to read is read again sector by sector, and the
// sectors that still fail are not examined; the last chunk stops at the
// range's end.
template <class BeforeChunk, class Examine, class AfterChunk>
uint64_t ReadRange(CExtensiveScanShell& shell, BeforeChunk beforeChunk, Examine examine, AfterChunk afterChunk)
{
    const uint64_t start = VolumeParams.startSector;
    // Only the sectors that exist: a damaged table entry may claim more.
    const uint64_t total = SectorsInSource(start, VolumeParams.sectorCount);
    uint32_t perRead = RecoverySettings.sectorsPerRead;
    if (perRead < 1)
        perRead = 1;
    if (perRead > MaxSectorsPerRead)
        perRead = MaxSectorsPerRead;

    shell.SetProgress(0);
    // The chunks stay the sectors-per-read setting's, but the file is read a
    // group of chunks at a time (about 512 KiB, whole pages for the default
    // 100 sectors): 50 KiB reads cost a third more of the page cache's time.
    // A group that fails to read is read again chunk by chunk, as before.
    const uint32_t group = perRead * SectorSize >= GroupBytes ? 1 : GroupBytes / (perRead * SectorSize);
    // One buffer for the whole search, the search's own: two searches never share it.
    std::vector<unsigned char> storage((size_t)group * perRead * SectorSize + 1);
    uint64_t groupStart = 0, groupCount = 0;   // the sectors the buffer was read for (counted as done is)
    bool groupRead = false;                     // they all read
    bool valid[MaxSectorsPerRead];
    uint64_t done = 0, examined = 0;
    unsigned chunk = 0;
    g_ScanStop = 0;
    while (!ScanStopRequested() && done < total) {
        if (chunk++ % ProgressEveryChunks == 0) {
            uint64_t pos = done * 100 / total;
            shell.SetProgress(pos > 99 ? 99 : (int)pos);
            if (g_ShowScanProgress) {
                std::wstring text = L"Reading Sector " + std::to_wstring(done) + L" Of " + std::to_wstring(total);
                shell.SetStatusText(text.c_str());
            }
        }
        uint32_t n = total - done < perRead ? (uint32_t)(total - done) : perRead;
        uint64_t lba = start + done;
        beforeChunk(lba, done);
        if (done < groupStart || done + n > groupStart + groupCount) {
            groupStart = done;
            groupCount = total - done < (uint64_t)group * perRead ? total - done : (uint64_t)group * perRead;
            groupRead = ReadSourceSectors(lba, (uint32_t)groupCount, storage.data()) != 0;
        }
        unsigned char* buffer = storage.data();
        if (groupRead) {
            buffer += (size_t)(done - groupStart) * SectorSize;
            for (uint32_t i = 0; i < n; ++i)
                valid[i] = true;
        } else if (ReadSourceSectors(lba, n, buffer)) {
            for (uint32_t i = 0; i < n; ++i)
                valid[i] = true;
        } else {
            for (uint32_t i = 0; i < n; ++i) {
                uint64_t one = lba + i;
                valid[i] = ReadSourceSectors(one, 1, buffer + (size_t)i * SectorSize) != 0;
            }
        }
        for (uint32_t i = 0; i < n && !ScanStopRequested(); ++i) {
            if (!valid[i])
                continue;
            ++examined;
            examine(buffer + (size_t)i * SectorSize, lba + i, i, valid, n);
        }
        afterChunk(done);
        done += n;
    }
    return examined;
}

// Lists one "FILE" record found by the search, fixed up in memory. Only
// the in-use and directory bits of the flags say what the record is: the
// others (view index, $Extend files) are set on system files that are
// files or folders all the same. A file with several links is listed once
// per linked name, as its folders list it.
int ListFoundRecord(uint32_t sector, unsigned char* record)
{
    record[0x16] &= MftFlagInUse | MftFlagDirectory;
    uint32_t filesBefore = g_ExtFileCount;
    if (!ListFoundFileRecord(sector, record))
        return 0;
    if (g_ExtFileCount == filesBefore)
        return 1;
    const NtfsScanFileRecord* listed = g_NtfsScanFileList.tail;
    std::vector<NtfsFileNameValue> links;
    CollectLinkNames(record, MftRecordSize, links);
    for (const NtfsFileNameValue& link : links) {
        if (link.parent == listed->parent && wcscmp(link.name, listed->name) == 0)
            continue;
        AddNtfsScanFileRecord(link.name, sector, link.parent, link.created, link.changed, listed->size,
                              listed->deleted);
    }
    return 1;
}

}  // namespace

int IsFatBootCandidate(const unsigned char* s)
{
    if (!HasBootSignature(s))
        return 0;
    return (s[0x55] == '3' && s[0x56] == '2') || (s[0x39] == '1' && s[0x3A] == '6');
}

int IsNtfsBootCandidate(const unsigned char* s)
{
    return HasBootSignature(s) && memcmp(s + 3, "NTFS", 4) == 0;
}

int MatchFatDirSector(const unsigned char* s, uint32_t lba, DirSectorMatch* match)
{
    if (s[0] != '.' || s[1] != ' ' || s[32] != '.' || s[33] != '.' || s[34] != ' ')
        return 0;
    uint32_t cluster = ((uint32_t)le16(s + 20) << 16) | le16(s + 26);
    uint32_t parent = ((uint32_t)le16(s + 52) << 16) | le16(s + 58);
    // Cluster 2 is the first data cluster: on FAT16 the first directory made
    // usually sits there.
    if (cluster < 2 || cluster == 0xFFFFFFFF || parent == 0xFFFFFFFF || cluster >= lba)
        return 0;
    match->cluster = cluster;
    match->parentCluster = parent;
    match->writeDate = le16(s + 24);
    match->accessDate = le16(s + 18);
    return 1;
}

uint64_t SearchFatStructures(CExtensiveScanShell& shell)
{
    auto before = [](uint64_t, uint64_t) {};
    auto examine = [](const unsigned char* s, uint64_t lba, uint32_t, const bool*, uint32_t) {
        if (lba > 0xFFFFFFFFu)
            return;
        if (IsFatBootCandidate(s)) {
            AddBootSectorHit((uint32_t)lba);
            OverLimit(g_BootHitCount, g_ExtensiveListLimits.bootSectors);
            return;
        }
        // A directory sector may end in 0x55 0xAA too (a size field), so
        // the boot signature does not rule it out.
        DirSectorMatch m;
        if (MatchFatDirSector(s, (uint32_t)lba, &m)) {
            AddDirSectorHit((uint32_t)lba, m.cluster, m.parentCluster, m.writeDate, m.accessDate);
            OverLimit(g_ExtFolderCount, g_ExtensiveListLimits.dirSectors);
        }
    };
    auto after = [&shell](uint64_t done) {
        if (!g_ShowScanProgress)
            return;
        shell.SetCounter(CounterBootSectors, g_BootHitCount);
        shell.SetCounter(CounterFolders, g_ExtFolderCount);
        shell.SetCounter(CounterCurrentSector, done);
    };
    return ReadRange(shell, before, examine, after);
}

uint64_t SearchNtfsStructures(CExtensiveScanShell& shell)
{
    auto before = [&shell](uint64_t lba, uint64_t) {
        if (g_ShowScanProgress)
            shell.SetCounter(CounterCurrentSector, lba);
    };
    auto examine = [&shell](const unsigned char* s, uint64_t lba, uint32_t i, const bool* valid, uint32_t n) {
        if (lba > 0xFFFFFFFFu)
            return;
        uint32_t sector = (uint32_t)lba;
        // A record's or block's sector may end in 0x55 0xAA (its update
        // sequence number), so the signatures decide, not the boot mark.
        if (memcmp(s, "FILE", 4) == 0 && le16(s + 0x1C) == MftRecordSize) {
            unsigned char record[MftRecordSize];
            int ok;
            if (i + 1 < n && valid[i + 1]) {
                // Both sectors of the record are in the chunk.
                memcpy(record, s, MftRecordSize);
                ok = PrepareMftRecord(record);
            } else {
                ok = ReadMftRecord(sector, record);
            }
            int listed = ok && ListFoundRecord(sector, record);
            if (listed) {
                if (g_ShowScanProgress) {
                    shell.SetCounter(CounterFolders, g_ExtFolderCount);
                    shell.SetCounter(CounterFiles, g_ExtFileCount);
                }
                OverLimit((uint64_t)g_ExtFolderCount + g_ExtFileCount, g_ExtensiveListLimits.ntfsRecords);
            }
            return;
        }
        if (memcmp(s, "INDX", 4) == 0) {
            if (AddIndexBlockHit(sector, s)) {
                if (g_ShowScanProgress)
                    shell.SetCounter(CounterIndexEntries, g_IndexBlockCount);
                OverLimit(g_IndexBlockCount, g_ExtensiveListLimits.indexBlocks);
            }
            return;
        }
        if (IsNtfsBootCandidate(s)) {
            AddBootSectorHit(sector);
            if (g_ShowScanProgress)
                shell.SetCounter(CounterBootSectors, g_BootHitCount);
            OverLimit(g_BootHitCount, g_ExtensiveListLimits.bootSectors);
        }
    };
    auto after = [](uint64_t) {};
    return ReadRange(shell, before, examine, after);
}
