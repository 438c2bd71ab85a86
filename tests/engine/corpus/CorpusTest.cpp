// The corrupt-image corpus under Wine: a deterministic run of seeds over
// the mixed disk's images with their metadata damaged. Every case must end
// within its time bound with the workers' finished state, no crash and no
// runaway memory. TESMIR_CORPUS_SEEDS="first:count" picks other seeds
// (bench/corpus runs hundreds this way); the default is the short subset.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <set>

#include "Corpus.h"
#include "TestSupport.h"
#include "fat/FatLists.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "scan/QuickScan.h"
#include "scan/QuickScanShell.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

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
    *count = 400;
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

// Found by the corpus (an EBR entry moved past the disk's end with a count
// of 0xFF008000 sectors): without a boot sector the Quick Scan works the FAT
// layout out from the partition's sectors, and must stop at the image's end
// instead of trying every sector the entry claims.
TEST(CorruptImageCorpus, FatLayoutSearchStopsAtTheImageEnd)
{
    struct CQuiet : CQuickScanShell
    {
        void ResetCounters() override {}
        std::wstring LogicalDriveName(unsigned) override { return std::wstring(); }
        void BeginTreeBuild() override {}
        void BuildFatTree() override {}
        void BuildNtfsTree() override {}
    } shell;
    CVirtualDisk disk;
    std::wstring path = tesmir::test::FixturePath(L"mixed-dynamic.vhdx");
    disk.Create(ImageKindFromPath(path.c_str()));
    ASSERT_EQ(1, disk.Open(path.c_str()));
    g_SourceType = SourceVirtualDisk;
    SetSectorReaderDisk(&disk);
    const struct
    {
        uint32_t start, sectors;
    } cases[] = {{530432, 0xFF008000u}, {2048, 0xFFFFFFFFu}, {0xFFFFFF00u, 0xFFu}};
    for (const auto& c : cases) {
        VolumeParams = VolumeParamsRecord();
        VolumeParams.selectionCode = FileSystemFat16;
        VolumeParams.startSector = c.start;
        VolumeParams.sectorCount = c.sectors;
        VolumeParams.endSector = c.start + c.sectors - 1;
        g_ScanMode = ScanModeQuick;
        DWORD t0 = GetTickCount();
        BeginScanWorker();
        QuickScanProc(&shell);
        EXPECT_LT(GetTickCount() - t0, 30000u) << c.start;
        EXPECT_TRUE(g_ScanBusy == 0 && g_ScanStop == 1) << c.start;
        FreeEntryLists();
    }
    SetSectorReaderDisk(nullptr);
}
