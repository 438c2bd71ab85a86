// The cylinder-by-cylinder partition search on the CHS disk: partitions on
// 255 x 63 cylinder boundaries, with the MBR intact and zeroed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FixtureOracles.h"
#include "ImageTestSupport.h"
#include "PartitionTestSupport.h"
#include "partition/DriveStepHost.h"
#include "partition/PartitionTable.h"
#include "state/EngineState.h"

namespace {

// Records what the search shows and answers the Partition Type question.
class CRecordingDriveHost : public CDriveStepHost
{
public:
    explicit CRecordingDriveHost(int answer) : m_answer(answer) { m_previous = SetDriveStepHost(this); }
    ~CRecordingDriveHost() { SetDriveStepHost(m_previous); }

    void AskPartitionType() override
    {
        ++questions;
        g_SearchPartitions = m_answer;
    }
    void SetProgress(int position) override
    {
        EXPECT_GE(position, 0);
        EXPECT_LE(position, 99);
        EXPECT_GE(position, lastProgress);
        lastProgress = position;
    }
    void SetStatusText(const wchar_t* text) override { status = text; }
    void SetWaitText(const wchar_t* text) override { wait = text; }
    void AddPartitionItem(const wchar_t* parent, const wchar_t* item) override
    {
        EXPECT_STREQ(L"Virtual Hard Disk ", parent);
        items.push_back(item);
    }
    void ExpandRoot() override { ++expanded; }

    int questions = 0;
    int lastProgress = 0;
    int expanded = 0;
    std::wstring status, wait;
    std::vector<std::wstring> items;

private:
    int m_answer;
    CDriveStepHost* m_previous;
};

// FAT32 at 63, NTFS at 16065 x 10, FAT16 (total in the 16-bit field) at
// 16065 x 18. From the table they have sfdisk's sizes; found by the search,
// the sizes their boot sectors give: fsstat's total for FAT (mkfs.fat leaves
// a few sectors of the partition unused), the whole partition for NTFS (the
// volume and the backup boot sector after it).
std::vector<TableEntry> ChsPartitions(bool fromBootSectors = false)
{
    const uint16_t codes[] = {FileSystemFat32, FileSystemNtfs, FileSystemFat16};
    const wchar_t* fsstat[] = {L"chs-p1.fsstat", nullptr, L"chs-p3.fsstat"};
    std::vector<TableEntry> t;
    std::vector<oracle::SfdiskPartition> parts = oracle::Sfdisk(L"chs.sfdisk");
    EXPECT_EQ(3u, parts.size());
    for (size_t i = 0; i < parts.size() && i < 3; ++i) {
        uint32_t count = parts[i].size;
        if (fromBootSectors && fsstat[i])
            count = (uint32_t)oracle::FsstatFat(fsstat[i]).totalSectors;
        t.push_back({parts[i].start, count, codes[i]});
    }
    return t;
}

std::vector<std::wstring> Items(int n)
{
    std::vector<std::wstring> items;
    for (int i = 1; i <= n; ++i)
        items.push_back(L"Partition " + std::to_wstring(i));
    return items;
}

TEST(PartitionSearch, FindsEveryPartitionOfADiskWithAZeroedMbr)
{
    // VHD geometry is translated to 255 x 63 cylinders; a VHDX, which has
    // none, is searched by its size.
    const struct
    {
        const wchar_t* image;
        int imageType;
    } images[] = {{L"chs-nombr-fixed.vhd", 0}, {L"chs-nombr-dynamic.vhd", 0}, {L"chs-nombr-dynamic.vhdx", 1}};
    for (const auto& c : images) {
        SCOPED_TRACE(c.image);
        COpenedImage disk(c.image);
        ASSERT_TRUE(disk.opened());
        g_ImageType = c.imageType;
        ReadPartitionTable();
        ASSERT_EQ(0, g_PartitionCount);
        CRecordingDriveHost host(0);
        g_ScanStop = 0;
        SearchPartitions();
        EXPECT_EQ(0, host.questions);
        EXPECT_EQ(1, g_SearchPartitions);
        EXPECT_EQ(L"Please wait, searching for Partition...", host.status);
        EXPECT_EQ(L"Please wait...", host.wait);
        EXPECT_EQ(ChsPartitions(true), CurrentTable());
        EXPECT_EQ(Items(3), host.items);
        EXPECT_EQ(1, host.expanded);
    }
    g_ImageType = 0;
}

TEST(PartitionSearch, ListedPartitionsAreNotAddedAgain)
{
    COpenedImage disk(L"chs-fixed.vhd");
    ASSERT_TRUE(disk.opened());
    g_ImageType = 0;
    for (int answer : {1, 0}) {  // "Search partition", "Use existing partition info"
        SCOPED_TRACE(answer);
        ReadPartitionTable();
        ASSERT_EQ(ChsPartitions(), CurrentTable());
        CRecordingDriveHost host(answer);
        g_ScanStop = 0;
        SearchPartitions();
        EXPECT_EQ(1, host.questions);
        EXPECT_EQ(ChsPartitions(), CurrentTable());
        EXPECT_EQ(Items(3), host.items);
        EXPECT_EQ(answer ? L"Please wait, searching for Partition..." : L"", host.status);
    }
}

TEST(PartitionSearch, StopRequestEndsTheSearchBeforeItReads)
{
    COpenedImage disk(L"chs-nombr-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    g_ImageType = 0;
    ReadPartitionTable();
    CRecordingDriveHost host(1);
    g_ScanStop = 1;
    SearchPartitions();
    g_ScanStop = 0;
    EXPECT_EQ(0, g_PartitionCount);
    EXPECT_EQ(1, host.expanded);
}

}  // namespace
