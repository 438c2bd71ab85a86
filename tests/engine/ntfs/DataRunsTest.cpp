// Mapping pairs: decoding, sparse runs, and the malformed headers that must
// end the list instead of reading fields wider than they can be.
#include <gtest/gtest.h>

#include "NtfsTestSupport.h"
#include "ntfs/NtfsDataRuns.h"

using namespace ntfstest;

TEST(MappingPairs, DecodesRelativeSignedOffsets)
{
    std::vector<NtfsRun> runs;
    const unsigned char pairs[] = {0x21, 0x18, 0x34, 0x56, 0x11, 0x10, 0xF0, 0x00};
    ASSERT_EQ(1, DecodeMappingPairs(pairs, sizeof pairs, runs));
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(0x5634, runs[0].lcn);
    EXPECT_EQ(0x18u, runs[0].length);
    EXPECT_EQ(0x5634 - 16, runs[1].lcn);
    EXPECT_EQ(0x10u, runs[1].length);

    runs.clear();
    const unsigned char distant[] = {0x11, 0x01, 0x10, 0x41, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00};
    ASSERT_EQ(1, DecodeMappingPairs(distant, sizeof distant, runs));
    EXPECT_EQ(0x10 + 4096, runs[1].lcn);
}

TEST(MappingPairs, SparseRunLeavesTheLcnWhereItWas)
{
    std::vector<NtfsRun> runs;
    const unsigned char pairs[] = {0x11, 0x04, 0x64, 0x01, 0x08, 0x11, 0x04, 0x0A, 0x00};
    ASSERT_EQ(1, DecodeMappingPairs(pairs, sizeof pairs, runs));
    ASSERT_EQ(3u, runs.size());
    EXPECT_TRUE(runs[1].sparse);
    EXPECT_EQ(0, runs[1].lcn);
    EXPECT_EQ(100 + 10, runs[2].lcn);
}

TEST(MappingPairs, MalformedListsStopAtTheFault)
{
    struct Case { const char* what; Bytes pairs; size_t goodRuns; };
    const Case cases[] = {
        {"length nibble 0", {0x11, 0x04, 0x10, 0x20, 0x00}, 1},
        {"length nibble 9", {0x19, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x10, 0}, 0},
        {"offset nibble 9", {0x91, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}, 0},
        {"length nibble 15", {0x1F, 0xFF, 0xFF, 0xFF, 0xFF, 0}, 0},
        {"fields past the end", {0x11, 0x04, 0x10, 0x44, 0x01}, 1},
        {"no terminator", {0x11, 0x04, 0x10}, 1},
        {"LCN below zero", {0x11, 0x04, 0x10, 0x11, 0x04, 0x80, 0x00}, 1},
        {"empty run", {0x11, 0x00, 0x10, 0x00}, 0},
    };
    for (const Case& c : cases) {
        std::vector<NtfsRun> runs;
        EXPECT_EQ(0, DecodeMappingPairs(c.pairs.data(), c.pairs.size(), runs)) << c.what;
        EXPECT_EQ(c.goodRuns, runs.size()) << c.what;
    }
}
