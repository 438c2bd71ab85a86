// The corrupt-image corpus under Wine: a deterministic run of seeds over
// the mixed disk's images with their metadata damaged. Every case must end
// within its time bound with the workers' finished state, no crash and no
// runaway memory. TESMIR_CORPUS_SEEDS="first:count" picks other seeds
// (bench/corpus runs hundreds this way); the default is the short subset.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <set>
#include <sstream>

#include "Corpus.h"
#include "SavedCopy.h"
#include "TestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/ExtensiveScanShell.h"
#include "fat/FatLists.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "ntfs/MftRunTable.h"
#include "scan/QuickScan.h"
#include "scan/QuickScanShell.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/SignatureSearch.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"
#include "volume/VolumeParamsReader.h"

namespace {

// The build folder's Windows path (Wine serves the Unix path on Z:).
std::wstring BuildDirPath()
{
    const char* dir = getenv("TESMIR_BUILD_DIR");
    std::wstring path = L"Z:";
    for (const char* p = dir ? dir : ""; *p; ++p)
        path += *p == '/' ? L'\\' : (wchar_t)(unsigned char)*p;
    return path;
}

void SeedRange(uint32_t* first, uint32_t* count)
{
    *first = 0;
    *count = 800;
    const char* text = getenv("TESMIR_CORPUS_SEEDS");
    if (text && *text) {
        unsigned long a = 0, b = 0;
        if (sscanf(text, "%lu:%lu", &a, &b) == 2) {
            *first = (uint32_t)a;
            *count = (uint32_t)b;
        }
    }
}

}  // namespace

TEST(CorruptImageCorpus, EveryDamagedImageFinishesInBound)
{
    using tesmir::test::FixturePath;
    std::vector<std::wstring> images = {FixturePath(L"mixed-fixed.vhd"), FixturePath(L"mixed-dynamic.vhd"),
                                        FixturePath(L"mixed-dynamic.vhdx")};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    corpus::CCorpus corpus(images, std::wstring(temp) + L"tesmir-corpus", BuildDirPath() + L"\\Raw.dat");
    ASSERT_TRUE(corpus.Prepare()) << corpus.error();
    // Every kind of metadata the corpus is meant to damage was found.
    std::set<std::string> names;
    for (const corpus::Region& r : corpus.regions())
        names.insert(r.name);
    for (const char* n : {"MBR table", "EBR table", "boot sector", "FAT head", "root directory", "directory cluster",
                          "MFT system records", "MFT file records", "index block", "VHD footer",
                          "VHD dynamic header", "VHD block table", "VHDX header 1", "VHDX region table 1",
                          "VHDX metadata table", "VHDX block table"})
        EXPECT_TRUE(names.count(n)) << n;

    uint32_t first, count;
    SeedRange(&first, &count);
    unsigned opened = 0, withVolumes = 0;
    for (uint32_t seed = first; seed < first + count; ++seed) {
        // Printed first, so a crash or a hang names its seed and damage.
        fprintf(stderr, "corpus: seed %u %s\n", seed, corpus.Describe(seed).c_str());
        fflush(stderr);
        corpus::CaseResult r = corpus.Run(seed);
        printf("seed %u %-26s open %d parts %2d quick %d volumes %u hits %4u msgs %u %5lu ms\n", r.seed,
               r.region.c_str(), r.opened, r.partitions, r.quickScans, r.foundVolumes, r.traceHits, r.messages,
               (unsigned long)r.elapsedMs);
        fflush(stdout);
        EXPECT_EQ("", r.failure) << "seed " << seed << " (" << r.region << "): " << r.edits;
        opened += r.opened;
        withVolumes += r.foundVolumes > 0;
    }
    // Most damage leaves an image that still opens and file systems that
    // the Extensive Scan still finds: the cases reach the parsers.
    EXPECT_GT(opened, count / 2);
    EXPECT_GT(withVolumes, count / 2);
    printf("peak memory %llu MiB\n", (unsigned long long)(corpus::PeakMemory() >> 20));
}

// Found by the corpus: a damaged EBR entry (moved past the disk's end, or
// with a count of 0xFFFFFFFF sectors) made the FAT layout search, the
// Extensive Scan's sector search and the File Trace search walk every sector
// the entry claims. Each must stop at the image's end.
TEST(CorruptImageCorpus, ClaimedRangesStopAtTheImageEnd)
{
    struct CQuiet : CQuickScanShell
    {
        void ResetCounters() override {}
        std::wstring LogicalDriveName(unsigned) override { return std::wstring(); }
        void BeginTreeBuild() override {}
        void BuildFatTree() override {}
        void BuildNtfsTree() override {}
    } quickShell;
    CExtensiveScanShell extensiveShell;
    CVirtualDisk disk;
    std::wstring path = tesmir::test::FixturePath(L"mixed-dynamic.vhdx");
    disk.Create(ImageKindFromPath(path.c_str()));
    ASSERT_EQ(1, disk.Open(path.c_str()));
    g_SourceType = SourceVirtualDisk;
    SetSectorReaderDisk(&disk);
    AppendSignatureSelection(L".png", L"PNG", 4, "89504E47", 0);
    const struct
    {
        uint32_t start, sectors;
    } cases[] = {{530432, 0xFF008000u}, {331786, 0xFFFFFFFFu}, {0xFFFFFF00u, 0xFFu}};
    for (const auto& c : cases) {
        for (int scan = 0; scan < 3; ++scan) {
            VolumeParams = VolumeParamsRecord();
            VolumeParams.selectionCode = FileSystemFat16;
            VolumeParams.startSector = c.start;
            VolumeParams.sectorCount = c.sectors;
            VolumeParams.endSector = c.start + c.sectors - 1;
            DWORD t0 = GetTickCount();
            BeginScanWorker();
            if (scan == 0) {
                g_ScanMode = ScanModeQuick;
                QuickScanProc(&quickShell);
            } else if (scan == 1) {
                g_ScanMode = ScanModeExtensive;
                ExtensiveScanProc(&extensiveShell);
            } else {
                g_ScanMode = ScanModeFileTrace;
                SearchSignatures(nullptr, nullptr);
                EndScanWorker();
            }
            EXPECT_LT(GetTickCount() - t0, 30000u) << c.start << " scan " << scan;
            EXPECT_TRUE(g_ScanBusy == 0 && g_ScanStop == 1) << c.start << " scan " << scan;
            FreeEntryLists();
            FreeExtensiveScanLists();
            FreeTraceHitList();
        }
    }
    FreeSignatureList();
    SetSectorReaderDisk(nullptr);
}

// NTFS-compressed files with their chunks or their records damaged: every
// save of them ends promptly with at most the file's size written, never
// reading or writing past a buffer. ntfsmore.packed names each compressed
// file's record and data clusters as byte offsets in the disk (the fixed
// VHD's file offsets are the disk's).
TEST(CorruptImageCorpus, EveryDamagedCompressedFileSavesWithinItsSize)
{
    struct Packed
    {
        std::string path;
        uint64_t size = 0, record = 0;
        std::vector<uint64_t> clusters;
    };
    std::vector<Packed> files;
    std::istringstream in(tesmir::test::ReadWholeFile(tesmir::test::FixturePath(L"ntfsmore.packed")));
    std::string line;
    while (std::getline(in, line)) {
        Packed f;
        size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        ASSERT_NE(std::string::npos, tab2) << line;
        f.path = line.substr(0, tab1);
        std::istringstream fields(line.substr(tab1 + 1));
        fields >> f.size >> f.record;
        uint64_t c;
        while (fields >> c)
            f.clusters.push_back(c);
        files.push_back(f);
    }
    ASSERT_EQ(6u, files.size());

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring work = std::wstring(temp) + L"tesmir-corpus-packed.vhd";
    ASSERT_TRUE(CopyFileW(tesmir::test::FixturePath(L"ntfsmore-fixed.vhd").c_str(), work.c_str(), FALSE));
    auto transfer = [&](uint64_t offset, unsigned char* bytes, DWORD n, bool write) {
        HANDLE h = CreateFileW(work.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        LARGE_INTEGER at;
        at.QuadPart = (LONGLONG)offset;
        DWORD done = 0;
        bool ok = h != INVALID_HANDLE_VALUE && SetFilePointerEx(h, at, NULL, FILE_BEGIN) &&
                  (write ? WriteFile(h, bytes, n, &done, NULL) : ReadFile(h, bytes, n, &done, NULL)) && done == n;
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        return ok;
    };

    uint32_t state = 0x5EED;
    auto next = [&] { return state = state * 1103515245u + 12345u, state >> 8; };
    unsigned whole = 0, cut = 0;
    for (uint32_t seed = 0; seed < 240; ++seed) {
        const Packed& f = files[seed % files.size()];
        // One case in four damages the record (run list, unit size, flags),
        // the others a cluster of the data (chunk headers, tokens).
        const bool record = seed % 4 == 3 || f.clusters.empty();
        uint64_t at = record ? f.record + 0x38 + next() % (0x3F0 - 0x38) : f.clusters[next() % f.clusters.size()] + next() % 4096;
        unsigned char old[8], bytes[8];
        const DWORD n = 1 + next() % 8;
        for (DWORD i = 0; i < n; ++i)
            bytes[i] = (unsigned char)next();
        ASSERT_TRUE(transfer(at, old, n, false));
        ASSERT_TRUE(transfer(at, bytes, n, true));

        SCOPED_TRACE(f.path + " seed " + std::to_string(seed) + " at " + std::to_string(at));
        {
            CVirtualDisk disk;
            disk.Create(ImageKindFromPath(work.c_str()));
            ASSERT_EQ(1, disk.Open(work.c_str()));
            g_SourceType = SourceVirtualDisk;
            SetSectorReaderDisk(&disk);
            VolumeParams = VolumeParamsRecord();
            VolumeParams.selectionCode = FileSystemNtfs;
            VolumeParams.startSector = 2048;
            VolumeParams.sectorCount = 49152;
            VolumeParams.endSector = 2048 + 49152 - 1;
            g_ScanStop = 0;
            ASSERT_EQ(1, ReadVolumeParams());
            ClearMftRunTable();
            bool complete = false;
            DWORD t0 = GetTickCount();
            std::string saved = SavedCopy(true, (uint32_t)(f.record / 512), f.size, &complete);
            EXPECT_LT(GetTickCount() - t0, 10000u);
            EXPECT_LE(saved.size(), f.size);
            whole += complete;
            cut += !complete;
            SetSectorReaderDisk(nullptr);
        }
        ASSERT_TRUE(transfer(at, old, n, true));
    }
    // The damage reaches the decompressor: some saves stay whole (a stored
    // unit, a byte the file does not use), others end incomplete.
    EXPECT_GT(whole, 0u);
    EXPECT_GT(cut, 0u);
    ClearMftRunTable();
    DeleteFileW(work.c_str());
}
