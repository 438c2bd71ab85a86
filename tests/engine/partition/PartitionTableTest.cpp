// The MBR/EBR walk against sfdisk's view of the fixture disks, and the walk
// over broken EBR chains.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "FixtureOracles.h"
#include "ImageTestSupport.h"
#include "PartitionTestSupport.h"
#include "partition/PartitionTable.h"
#include "state/EngineState.h"

namespace {

using oracle::CodeOfType;

// The FAT and NTFS partitions of an sfdisk dump, in its order, optionally
// only those whose start is listed.
std::vector<TableEntry> FromSfdisk(const wchar_t* dump, const std::vector<uint32_t>& only = {})
{
    std::vector<TableEntry> t;
    for (const oracle::SfdiskPartition& p : oracle::Sfdisk(dump)) {
        if (!CodeOfType(p.type))
            continue;
        bool wanted = only.empty();
        for (uint32_t s : only)
            wanted = wanted || s == p.start;
        if (wanted)
            t.push_back({p.start, p.size, CodeOfType(p.type)});
    }
    return t;
}

std::vector<TableEntry> WalkImage(const wchar_t* image)
{
    COpenedImage disk(image);
    EXPECT_TRUE(disk.opened()) << "cannot open the fixture";
    g_SearchPartitions = 1;
    g_PartitionCount = 7;  // left over from an earlier disk
    ReadPartitionTable();
    EXPECT_EQ(0, g_SearchPartitions);
    return CurrentTable();
}

TEST(PartitionTable, MixedDiskGivesSfdisksFatAndNtfsEntriesInOrder)
{
    std::vector<TableEntry> expected = FromSfdisk(L"mixed.sfdisk");
    ASSERT_EQ(4u, expected.size());
    for (const wchar_t* image : {L"mixed-dynamic.vhd", L"mixed-fixed.vhd", L"mixed-dynamic.vhdx",
                                 L"mixed-fixed.vhdx"}) {
        SCOPED_TRACE(image);
        EXPECT_EQ(expected, WalkImage(image));
    }
}

TEST(PartitionTable, ZeroedFat32BootSectorFallsBackOnTheTypeByte)
{
    EXPECT_EQ(FromSfdisk(L"mixed.sfdisk"), WalkImage(L"mixed-noboot32-dynamic.vhd"));
}

// Thirty partitions: the table holds the first 25 of FAT or NTFS; a FAT12 boot
// sector on a FAT32 type, an exFAT boot sector on type 7 and a type-1
// partition make no entry, an "NTFS" boot sector on type 0x83 makes one.
TEST(PartitionTable, ThirtyPartitionsFillExactlyTwentyFiveEntries)
{
    std::vector<TableEntry> expected;
    std::istringstream in(oracle::Text(L"tables.expect"));
    TableEntry e;
    while (in >> e.start >> e.count >> e.code)
        expected.push_back(e);
    ASSERT_EQ(25u, expected.size());
    EXPECT_EQ(expected, WalkImage(L"tables-dynamic.vhd"));
}

struct EbrCase
{
    const wchar_t* image;
    std::vector<uint32_t> starts;  // the partitions the walk must list
};

TEST(PartitionTable, BrokenEbrChainsEndWithThePartitionsBeforeTheBreak)
{
    const EbrCase cases[] = {
        {L"ebr-ok.vhd", {2048, 6144, 10240, 14336}},
        {L"ebr-loop-back.vhd", {2048, 6144, 10240, 14336}},  // last link back to the first EBR
        {L"ebr-loop-self.vhd", {2048, 6144, 10240}},         // second EBR links to itself
        {L"ebr-link-outside.vhd", {2048, 6144}},             // link past the extended partition
        {L"ebr-no-signature.vhd", {2048, 6144}},             // second EBR not signed
    };
    for (const EbrCase& c : cases) {
        SCOPED_TRACE(c.image);
        EXPECT_EQ(FromSfdisk(L"ebr.sfdisk", c.starts), WalkImage(c.image));
    }
}

TEST(PartitionTable, DiskWithoutMbrSignatureGivesAnEmptyTable)
{
    EXPECT_TRUE(WalkImage(L"chs-nombr-dynamic.vhd").empty());
}

}  // namespace
