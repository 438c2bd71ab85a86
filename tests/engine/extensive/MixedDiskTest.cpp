// The Extensive Scan of the mixed disk with its partition table and boot
// sectors zeroed finds every file system at the place The Sleuth Kit gives
// for the intact disk, and the extraction of each lists what fls lists.
#include <gtest/gtest.h>

#include "../fat/FixtureOracles.h"
#include "ExtensiveTestSupport.h"
#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

// The sector of cluster 0 of a FAT partition of the intact disk.
uint32_t FatBase(const wchar_t* fsstat, uint32_t partitionStart)
{
    oracle::FatLayout l = oracle::FsstatFat(fsstat);
    return (uint32_t)(partitionStart + l.clusterArea - 2 * l.clusterSectors);
}

uint32_t PartitionStart(int number)
{
    return oracle::SfdiskNumber(L"mixed.sfdisk", number).start;
}

class MixedDamagedFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_image.opened());
        m_diskSectors = (uint32_t)m_image.disk().GetSectorCount();
        ResetRecoverySettings();
    }
    void TearDown() override
    {
        FreeEntryLists();
        FreeNtfsEntryLists();
        FreeExtensiveScanLists();
    }

    // Scans the whole disk with the code, then extracts the file system at
    // the item and returns its tree.
    PathListing ScanAndExtract(uint16_t code, const std::wstring& item)
    {
        CRecordingExtensiveShell scan;
        EXPECT_TRUE(RunExtensiveScan(scan, code, 0, m_diskSectors));
        EXPECT_EQ(1, scan.roots);
        unsigned number = FoundVolumeNumber(scan, item);
        std::wstring all;
        for (const std::wstring& i : scan.items)
            all += i + L" ";
        EXPECT_NE(0u, number) << Utf8(item) << " not among: " << Utf8(all);
        if (!number)
            return PathListing();
        CRecordingExtensiveShell extract;
        EXPECT_TRUE(RunExtraction(extract, number));
        EXPECT_EQ(1, extract.treeBuilds);
        return extract.tree;
    }

    COpenedImage m_image{L"damaged.vhd"};
    uint32_t m_diskSectors = 0;
};

// Every entry of fls at its own path with its deleted mark, and nothing
// more than fls lists but the made-up "Lost Dir" (empty on these volumes).
void ExpectSameTree(const PathListing& theirs, const PathListing& ours, const char* lostDir)
{
    EXPECT_EQ("", ListingDifference(theirs, ours));
    EXPECT_EQ("", ListingDifference(ours, theirs, lostDir));
}

// FAT names compared as FAT stores them (upper case, deleted entries
// without their first character); files without clusters are not listed.
void ExpectFatListingCovered(const PathListing& ours, const wchar_t* fls, int partition)
{
    PathListing theirs = ReadFlsListing(fls);
    for (const std::string& empty : EmptyPlantedFiles(L"mixed.files.tsv", partition))
        theirs.erase(empty);
    ExpectSameTree(FoldFatListing(theirs), FoldFatListing(ours), "LOST DIR");
}

}  // namespace

TEST_F(MixedDamagedFixture, Fat32IsFoundAtItsBaseAndExtractedWhole)
{
    uint32_t base = FatBase(L"mixed-p1.fsstat", PartitionStart(1));
    PathListing tree = ScanAndExtract(FileSystemFat32, L"FAT32 @" + std::to_wstring(base));
    ExpectFatListingCovered(tree, L"mixed-p1.fls", 1);
}

TEST_F(MixedDamagedFixture, BothFat16VolumesAreFoundAtTheirBasesAndExtractedWhole)
{
    struct Case
    {
        int partition;
        const wchar_t* fsstat;
        const wchar_t* fls;
    } cases[] = {{5, L"mixed-p5.fsstat", L"mixed-p5.fls"}, {6, L"mixed-p6.fsstat", L"mixed-p6.fls"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.partition);
        uint32_t base = FatBase(c.fsstat, PartitionStart(c.partition));
        PathListing tree = ScanAndExtract(FileSystemFat16, L"FAT16 @" + std::to_wstring(base));
        ExpectFatListingCovered(tree, c.fls, c.partition);
    }
}

TEST_F(MixedDamagedFixture, NtfsIsFoundAtItsStartAndExtractedWhole)
{
    PathListing tree = ScanAndExtract(FileSystemNtfs, L"NTFS @" + std::to_wstring(PartitionStart(2)));
    ExpectSameTree(ReadFlsListing(L"mixed-p2.fls"), tree, "Lost Dir");
}
