// Cluster chains: end values, bad clusters, out-of-range links and loops
// written into the fixture FATs, and the chains of every file of a volume.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "FatWalk.h"
#include "FixtureOracles.h"
#include "ImageTestSupport.h"
#include "SavedCopy.h"
#include "fat/FatTable.h"
#include "save/SaveFile.h"
#include "state/EngineState.h"
#include "volume/VolumeParamsReader.h"

namespace {

std::string ClusterBytes(const std::vector<uint32_t>& chain)
{
    std::string bytes;
    uint32_t k = VolumeParams.sectorsPerCluster;
    for (uint32_t c : chain)
        bytes += ReadSectorsAt(VolumeParams.clusterBase + (uint64_t)c * k, k);
    return bytes;
}

TEST(FatChain, EntryValuesThatEndAChain)
{
    const uint32_t limit = 1000;
    const struct
    {
        int fat32;
        uint32_t entry;
        uint32_t next;
    } cases[] = {
        {0, 5, 5},          {0, 0, 0},           {0, 1, 0},          {0, 999, 999},
        {0, 1000, 0},       {0, 0xFFF6, 0},      {0, 0xFFF7, 0},     {0, 0xFFF8, 0},
        {0, 0xFFFE, 0},     {0, 0xFFFF, 0},      {1, 7, 7},          {1, 0xF0000007, 7},
        {1, 0x0FFFFFF7, 0}, {1, 0x0FFFFFF8, 0},  {1, 0x0FFFFFFE, 0}, {1, 0xFFFFFFFF, 0},
        {1, 0xF0000000, 0}, {1, 0x00100000, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.next, FatNextCluster(c.entry, c.fat32, limit)) << std::hex << c.entry;
}

// fat.chains: "partition file clusters" for files in CHAIN/ whose FAT entries
// were broken: a loop back to the first cluster, a loop to itself, a free
// entry inside the chain, an end value other than the usual one, a
// bad-cluster mark, a link past the volume, FAT32 entries with their high
// nibble set. Listing, save and preview all take the same chain.
TEST(FatChain, BrokenChainsEndPromptlyWithTheirOwnClusters)
{
    COpenedImage disk(L"fat-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    std::istringstream in(oracle::Text(L"fat.chains"));
    std::string line;
    int cases = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int number;
        std::string file;
        fields >> number >> file;
        std::vector<uint32_t> expected;
        uint32_t c;
        while (fields >> c)
            expected.push_back(c);
        SCOPED_TRACE(line);
        SelectFatVolume(L"fat.sfdisk", number);
        CFatWalk walk;
        const WalkedEntry* entry = walk.Find(L"CHAIN/" + oracle::Utf8(file));
        ASSERT_NE(nullptr, entry);
        ASSERT_EQ(expected.front(), entry->cluster);
        EXPECT_EQ(expected, ReadClusterChain(entry->cluster, 1000000, 1));
        EXPECT_EQ(expected, ReadClusterChain(entry->cluster, 1000000, 2));
        EXPECT_EQ(expected, ReadDirectoryChain(entry->cluster));
        // The save (and a preview, the same writer) follows the same chain:
        // a loop is not written twice.
        uint64_t size = (uint64_t)expected.size() * VolumeParams.sectorsPerCluster * 512;
        EXPECT_TRUE(SavedCopy(false, entry->cluster, size) == ClusterBytes(expected));
        ++cases;
    }
    EXPECT_EQ(13, cases);
}

// Every live file of the mixed FAT volumes has a chain of exactly the
// clusters its size needs.
TEST(FatChain, LiveFilesHaveChainsOfTheirSize)
{
    COpenedImage disk(L"mixed-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    for (int number : {1, 5, 6}) {
        SCOPED_TRACE(number);
        SelectFatVolume(L"mixed.sfdisk", number);
        uint32_t clusterBytes = VolumeParams.sectorsPerCluster * 512;
        CFatWalk walk;
        int files = 0;
        for (const WalkedEntry& e : walk.entries) {
            if (e.deleted || e.directory || e.size == 0)
                continue;
            ++files;
            uint32_t need = (e.size + clusterBytes - 1) / clusterBytes;
            EXPECT_EQ(need, ReadClusterChain(e.cluster, need + 10, 1).size())
                << tesmir::test::Utf8(CFatWalk::Join(e));
            EXPECT_EQ(need, ReadClusterChain(e.cluster, need + 10, 2).size());
        }
        EXPECT_GT(files, 80);
    }
}

TEST(FatChain, LimitsAndSaveFlags)
{
    COpenedImage disk(L"mixed-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    SelectFatVolume(L"mixed.sfdisk", 1);
    CFatWalk walk;
    const WalkedEntry* big = walk.Find(L"Sizes/one MiB plus seven.bin");
    ASSERT_NE(nullptr, big);
    EXPECT_EQ(11u, ReadClusterChain(big->cluster, 10, 1).size());  // max + 1
    g_SaveSkip = 1;
    EXPECT_EQ(1u, ReadClusterChain(big->cluster, 1000, 1).size());
    g_SaveSkip = 0;
    g_SaveStop = 1;
    EXPECT_EQ(1u, ReadClusterChain(big->cluster, 1000, 1).size());
    g_SaveStop = 0;
    // A start outside the volume gives no chain.
    EXPECT_EQ(0u, ReadClusterChain(FatClusterLimit(), 10, 1).size());
    EXPECT_EQ(0u, ReadClusterChain(1, 10, 1).size());
}

}  // namespace
