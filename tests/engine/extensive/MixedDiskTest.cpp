// The Extensive Scan of the mixed disk without its partition table (and,
// on the damaged copy, without its boot sectors) finds every file system at
// the place The Sleuth Kit gives for the intact disk; the extraction of
// each lists what fls lists, and the live files read back through the
// found layout as they were planted.
#include <gtest/gtest.h>

#include <string.h>

#include "../fat/FixtureOracles.h"
#include "ExtensiveTestSupport.h"
#include "ImageTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "common/ByteOrder.h"
#include "save/SaveFile.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"

namespace {

uint32_t PartitionStart(int number)
{
    return oracle::SfdiskNumber(L"mixed.sfdisk", number).start;
}

// The sector of cluster 0 of a FAT partition of the intact disk.
uint32_t FatBase(const oracle::FatLayout& l, uint32_t partitionStart)
{
    return (uint32_t)(partitionStart + l.clusterArea - 2 * l.clusterSectors);
}

// Every entry of fls at its own path with its deleted mark, and nothing
// more than fls lists but the made-up "Lost Dir" (empty on these volumes).
void ExpectSameTree(const PathListing& theirs, const PathListing& ours, const char* lostDir)
{
    EXPECT_EQ("", ListingDifference(theirs, ours));
    EXPECT_EQ("", ListingDifference(ours, theirs, lostDir));
}

// FAT names compared as FAT stores them (upper case, deleted entries
// without their first character); files without clusters are not listed.
void ExpectFatTree(const PathListing& ours, const wchar_t* fls, int partition)
{
    PathListing theirs = ReadFlsListing(fls);
    for (const std::string& empty : EmptyPlantedFiles(L"mixed.files.tsv", partition))
        theirs.erase(empty);
    ExpectSameTree(FoldFatListing(theirs), FoldFatListing(ours), "LOST DIR");
}

// partial: the files that cannot be saved whole.
void ExpectNtfsContents(int partition, const std::set<std::string>& partialExpected)
{
    std::map<std::string, std::string> planted = PlantedHashes(L"mixed.files.tsv", partition);
    std::map<uint32_t, std::string> folderPath = {{5u, ""}};
    WalkNtfsFolderTree(std::string(), [&](NtfsFolderRecord* f, const std::string& parent) {
        std::string path = parent + Utf8(f->name) + "/";
        folderPath[f->recordNumber] = path;
        return path;
    });
    size_t checked = 0;
    std::set<std::string> partial;
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next) {
        if (!IsInChosenNtfsVolume(f) || f->deleted || !folderPath.count(f->parent))
            continue;
        auto it = planted.find(folderPath[f->parent] + Utf8(f->name));
        if (it == planted.end())
            continue;
        std::string hash = SavedHash(true, f->recordSector, f->size);
        if (hash.empty()) {
            partial.insert(it->first);
            continue;
        }
        EXPECT_EQ(it->second, hash) << it->first;
        planted.erase(it);
        ++checked;
    }
    EXPECT_GT(checked, 20u);
    EXPECT_EQ(partialExpected, partial);
    for (const auto& e : planted)
        if (!partial.count(e.first))
            ADD_FAILURE() << "not read back: " << e.first;
}

class MixedDiskFixture : public ::testing::TestWithParam<const wchar_t*>
{
protected:
    void SetUp() override
    {
        m_image.reset(new COpenedImage(GetParam()));
        ASSERT_TRUE(m_image->opened());
        m_diskSectors = (uint32_t)m_image->disk().GetSectorCount();
        ResetRecoverySettings();
    }
    void TearDown() override
    {
        FreeEntryLists();
        FreeNtfsEntryLists();
        FreeExtensiveScanLists();
        m_image.reset();
    }
    bool Damaged() const { return wcscmp(GetParam(), L"damaged.vhd") == 0; }

    void Scan(uint16_t code)
    {
        m_scan = CRecordingExtensiveShell();
        ASSERT_TRUE(RunExtensiveScan(m_scan, code, 0, m_diskSectors));
        EXPECT_EQ(1, m_scan.roots);
    }
    // The found file system shown as the item; null when there is none.
    FoundVolume* Found(const std::wstring& item, unsigned* number)
    {
        *number = FoundVolumeNumber(m_scan, item);
        std::wstring all;
        for (const std::wstring& i : m_scan.items)
            all += i + L" ";
        EXPECT_NE(0u, *number) << Utf8(item) << " not among: " << Utf8(all);
        return *number ? FoundVolumeAt(*number) : nullptr;
    }
    PathListing Extract(unsigned number)
    {
        CRecordingExtensiveShell extract;
        EXPECT_TRUE(RunExtraction(extract, number));
        EXPECT_EQ(1, extract.treeBuilds);
        return extract.tree;
    }

    std::unique_ptr<COpenedImage> m_image;
    uint32_t m_diskSectors = 0;
    CRecordingExtensiveShell m_scan;
};

}  // namespace

TEST_P(MixedDiskFixture, Fat32IsFoundAtItsBaseAndExtractedWhole)
{
    const uint32_t start = PartitionStart(1);
    oracle::FatLayout l = oracle::FsstatFat(L"mixed-p1.fsstat");
    Scan(FileSystemFat32);
    unsigned number;
    FoundVolume* v = Found(L"FAT32 @" + std::to_wstring(FatBase(l, start)), &number);
    ASSERT_NE(nullptr, v);
    EXPECT_EQ(FileSystemFat32, v->code);
    EXPECT_EQ(l.clusterSectors, v->p[1]);
    if (!Damaged()) {
        // From the boot sector: the whole layout.
        EXPECT_EQ(l.fatSectors, v->p[0]);
        EXPECT_EQ(start + l.fat0, v->p[6]);
        EXPECT_EQ(start + l.fat1, v->p[7]);
        EXPECT_EQ(start + l.totalSectors, v->p[12]);
    }
    ExpectFatTree(Extract(number), L"mixed-p1.fls", 1);
    // The FATs, looked for on the damaged copy, are where fsstat has them.
    EXPECT_EQ(start + l.fat0, VolumeParams.fat1Start);
    EXPECT_EQ(start + l.fat1, VolumeParams.fat2Start);
    ExpectFatContents(L"mixed.files.tsv", 1);
}

TEST_P(MixedDiskFixture, BothFat16VolumesAreFoundAtTheirBasesAndExtractedWhole)
{
    Scan(FileSystemFat16);
    struct Case
    {
        int partition;
        const wchar_t* fsstat;
        const wchar_t* fls;
    } cases[] = {{5, L"mixed-p5.fsstat", L"mixed-p5.fls"}, {6, L"mixed-p6.fsstat", L"mixed-p6.fls"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.partition);
        const uint32_t start = PartitionStart(c.partition);
        oracle::FatLayout l = oracle::FsstatFat(c.fsstat);
        unsigned number;
        FoundVolume* v = Found(L"FAT16 @" + std::to_wstring(FatBase(l, start)), &number);
        ASSERT_NE(nullptr, v);
        EXPECT_EQ(FileSystemFat16, v->code);
        if (!Damaged()) {
            EXPECT_EQ(start + l.rootDir, v->p[3]);
            EXPECT_EQ(start + l.totalSectors, v->p[12]);   // partition 6 keeps it in the 16-bit field
        }
        ExpectFatTree(Extract(number), c.fls, c.partition);
        EXPECT_EQ(start + l.fat0, VolumeParams.fat1Start);
        EXPECT_EQ(start + l.rootDir, VolumeParams.rootLocation);
        ExpectFatContents(L"mixed.files.tsv", c.partition);
    }
}

TEST_P(MixedDiskFixture, NtfsIsFoundAtItsStartAndExtractedWhole)
{
    const uint32_t start = PartitionStart(2);
    unsigned char boot[512];
    Scan(FileSystemNtfs);
    unsigned number;
    FoundVolume* v = Found(L"NTFS @" + std::to_wstring(start), &number);
    ASSERT_NE(nullptr, v);
    EXPECT_EQ(8u, v->p[1]);   // 4096-byte clusters
    if (!Damaged()) {
        ASSERT_EQ(1, ReadSectors(L"", start, 0, 1, boot));
        EXPECT_EQ(start + 8 * le32(boot + 0x30), v->p[8]);
        EXPECT_EQ(start + 8 * le32(boot + 0x38), v->p[9]);
    }
    ExpectSameTree(ReadFlsListing(L"mixed-p2.fls"), Extract(number), "Lost Dir");
    // Without the boot sector the MFT is not known, and the extension
    // records that hold the rest of a file's runs cannot be found.
    std::set<std::string> partial;
    if (Damaged())
        partial.insert("Fragmented/attribute list.bin");
    ExpectNtfsContents(2, partial);
}

INSTANTIATE_TEST_SUITE_P(DamagedAndWithoutPartitionTable, MixedDiskFixture,
                         ::testing::Values(L"damaged.vhd", L"nombr.vhd"));
