// The Quick Scan worker end to end on the mixed disk through the dynamic
// VHDX: every FAT16, FAT32 and NTFS partition against The Sleuth Kit, and
// the finished state on every way out.
#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "ScanTestSupport.h"
#include "fat/FatLists.h"
#include "state/EngineState.h"

namespace {

struct Partition
{
    int number;
    const wchar_t* fls;
    uint16_t code;
    uint32_t start, sectors;
};

const Partition MixedPartitions[] = {
    {1, L"mixed-p1.fls", FileSystemFat32, 2048, 278528},
    {2, L"mixed-p2.fls", FileSystemNtfs, 280576, 49152},
    {5, L"mixed-p5.fls", FileSystemFat16, 331776, 131072},
    {6, L"mixed-p6.fls", FileSystemFat16, 464896, 32768},
};

void Select(const Partition& p)
{
    SelectVolume(p.code, p.start, p.sectors);
}

struct QuickScanWorkerFixture : ::testing::Test
{
    void SetUp() override { g_ScanMode = ScanModeQuick; }
    void TearDown() override { FreeEntryLists(); }
};

}  // namespace

TEST_F(QuickScanWorkerFixture, EveryPartitionOfTheMixedDiskMatchesTheSleuthKit)
{
    CMessageRecorder messages;
    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    for (const Partition& p : MixedPartitions) {
        SCOPED_TRACE(Utf8(p.fls));
        Select(p);
        CRecordingShell shell;
        ASSERT_TRUE(RunQuickScanWorker(shell, 60000));
        EXPECT_EQ(1, shell.counterResets);
        PathListing fls = ReadFlsListing(p.fls);
        ASSERT_GT(fls.size(), 50u);
        if (p.code == FileSystemNtfs) {
            ASSERT_EQ(1, shell.ntfsTrees);
            EXPECT_EQ("", ListingDifference(fls, shell.tree));
            EXPECT_EQ("", ListingDifference(shell.tree, fls, "Lost Dir"));
        } else {
            ASSERT_EQ(1, shell.fatTrees);
            // The FAT directory parser leaves out entries without a first
            // cluster, which every empty file is.
            for (const std::string& empty : EmptyPlantedFiles(L"mixed.files.tsv", p.number))
                fls.erase(empty);
            EXPECT_TRUE(shell.HasStatus(L"Please wait, Searching for Data..."));
            PathListing ours = FoldFatListing(shell.tree), theirs = FoldFatListing(fls);
            EXPECT_EQ("", ListingDifference(theirs, ours));
            EXPECT_EQ("", ListingDifference(ours, theirs));
        }
        EXPECT_TRUE(shell.HasStatus(L"Please wait creating tree..."));
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(QuickScanWorkerFixture, FailedVolumeOpenIsReportedAndFinishes)
{
    CMessageRecorder messages;
    g_SourceType = SourceLogicalVolume;
    Select(MixedPartitions[0]);
    CRecordingShell shell;   // no drive name: the open fails
    EXPECT_TRUE(RunQuickScanWorker(shell, 10000));
    EXPECT_EQ(1u, messages.CountContaining(L"could not be opened"));
    EXPECT_EQ(0, shell.fatTrees + shell.ntfsTrees);
    g_SourceType = SourceVirtualDisk;
}

TEST_F(QuickScanWorkerFixture, StopDuringTheMftWalkStillBuildsATreeAndFinishes)
{
    CMessageRecorder messages;
    COpenedImage image(L"mixed-dynamic.vhdx");
    Select(MixedPartitions[1]);
    // "Stop" confirmed as the walk shows the sector of its second block.
    struct StopShell : CRecordingShell
    {
        int blocks = 0;
        void SetCurrentSector(uint64_t) override
        {
            if (++blocks == 2)
                g_ScanStop = 1;
        }
    } shell;
    EXPECT_TRUE(RunQuickScanWorker(shell, 10000));
    EXPECT_EQ(1, shell.ntfsTrees);
    // The first block of 64 records was read: the system files are there.
    EXPECT_TRUE(shell.tree.count("$MFT"));
    EXPECT_LT(shell.tree.size(), 100u);
}

// Short names stored in upper case with the lower-case flags (no long
// name) are shown as fls shows them, on one-FAT volumes too.
TEST_F(QuickScanWorkerFixture, ShortNamesKeepTheCaseTheirFlagsGive)
{
    COpenedImage image(L"foreign.vhd");
    ASSERT_EQ(1, image.opened());
    const Partition foreign[] = {
        {1, L"foreign-p1.fls", FileSystemFat32, 2048, 73728},
        {2, L"foreign-p2.fls", FileSystemFat16, 77824, 65536},
    };
    for (const Partition& p : foreign) {
        SCOPED_TRACE(Utf8(p.fls));
        Select(p);
        CRecordingShell shell;
        ASSERT_TRUE(RunQuickScanWorker(shell, 60000));
        ASSERT_EQ(1, shell.fatTrees);
        PathListing ours = FoldFatListing(shell.tree, true), theirs = FoldFatListing(ReadFlsListing(p.fls), true);
        EXPECT_TRUE(ours.count("readme.txt"));
        EXPECT_TRUE(ours.count("pics/img0001.png"));
        EXPECT_EQ("", ListingDifference(theirs, ours));
        EXPECT_EQ("", ListingDifference(ours, theirs));
    }
}
