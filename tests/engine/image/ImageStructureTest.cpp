// Decoding of the on-disk structures from buffers, and the 64-bit file.
#include <gtest/gtest.h>

#include <string.h>

#include "TestSupport.h"
#include "image/Crc32c.h"
#include "image/File64.h"
#include "image/VhdBat.h"
#include "image/VhdFooter.h"
#include "image/VhdxBat.h"
#include "image/VhdxGuids.h"
#include "image/VhdxHeader.h"

namespace {

TEST(ImageStructureTest, Crc32cKnownValues)
{
    EXPECT_EQ(Crc32c("123456789", 9), 0xE3069283u);
    unsigned char block[32];
    memset(block, 0, sizeof block);
    EXPECT_EQ(Crc32c(block, sizeof block), 0x8A9136AAu);
    // The checksum field counts as zero, whatever it holds.
    memset(block + 4, 0xAB, 4);
    EXPECT_EQ(Crc32cWithZeroedField(block, sizeof block, 4), 0x8A9136AAu);
}

TEST(ImageStructureTest, VhdFooterNeedsSizeCookieAndChecksum)
{
    unsigned char footer[512] = {};
    memcpy(footer, "conectix", 8);
    footer[63] = 3;                        // dynamic
    footer[48 + 5] = 0x10;                 // current size 1 MiB
    uint32_t sum = VhdChecksum(footer, 512, 64);
    footer[64] = sum >> 24;
    footer[65] = sum >> 16;
    footer[66] = sum >> 8;
    footer[67] = sum;

    VhdFooter parsed;
    ASSERT_EQ(ParseVhdFooter(footer, 512, &parsed), 1);
    EXPECT_EQ(parsed.diskType, 3u);
    EXPECT_EQ(parsed.currentSize, 1u << 20);
    EXPECT_EQ(ParseVhdFooter(footer, 511, &parsed), 0);
    footer[100] ^= 1;
    EXPECT_EQ(ParseVhdFooter(footer, 512, &parsed), 0);
}

// Data follows a bitmap of one bit per sector, rounded up to whole sectors.
TEST(ImageStructureTest, VhdBitmapSizeFollowsBlockSize)
{
    const struct
    {
        uint32_t blockSize, bitmapBytes;
    } table[] = {
        {512, 512}, {2u << 20, 512}, {4u << 20, 1024}, {256u << 20, 65536},
    };
    for (const auto& t : table)
        EXPECT_EQ(VhdBitmapBytes(t.blockSize), t.bitmapBytes) << t.blockSize;
    EXPECT_EQ(VhdBlockDataOffset(0x00800001u, 512), 0x00800001ull * 512 + 512);
}

TEST(ImageStructureTest, OnlyPresentVhdxBlocksHoldData)
{
    const uint64_t at = 7ull << 20;
    const struct
    {
        uint64_t entry;
        int hasData;
    } table[] = {
        {at | VhdxBlockNotPresent, 0}, {at | VhdxBlockUndefined, 0}, {at | VhdxBlockZero, 0},
        {at | VhdxBlockUnmapped, 0},   {at | VhdxBlockFullyPresent, 1},
        {at | VhdxBlockPartiallyPresent, 1}, {VhdxBlockFullyPresent, 0},
    };
    for (const auto& t : table)
        EXPECT_EQ(VhdxBatHasData(t.entry), t.hasData) << std::hex << t.entry;
    EXPECT_EQ(VhdxBatFileOffset(at | 0xFFFFF), at);
}

TEST(ImageStructureTest, CurrentVhdxHeaderHasTheHigherSequence)
{
    VhdxHeader low = {5, false}, high = {9, false};
    EXPECT_EQ(ChooseVhdxHeader(1, low, 1, high), 1);
    EXPECT_EQ(ChooseVhdxHeader(1, high, 1, low), 0);
    EXPECT_EQ(ChooseVhdxHeader(1, low, 0, high), 0);
    EXPECT_EQ(ChooseVhdxHeader(0, high, 1, low), 1);
    EXPECT_EQ(ChooseVhdxHeader(0, low, 0, high), -1);
}

TEST(ImageStructureTest, VhdxGuidLabels)
{
    // Region identifier of the block allocation table as stored on disk.
    const unsigned char bat[16] = {0x66, 0x77, 0xC2, 0x2D, 0x23, 0xF6, 0x00, 0x42,
                                   0x9D, 0x64, 0x11, 0x5E, 0x9B, 0xFD, 0x4A, 0x08};
    EXPECT_STREQ(VhdxGuidLabel(bat), L"Bat Guid");
    unsigned char other[16];
    memcpy(other, bat, 16);
    other[15] ^= 1;
    EXPECT_STREQ(VhdxGuidLabel(other), L"Invalid Item Id");
}

TEST(File64Test, SeeksAndShortReads)
{
    CFile64 file;
    ASSERT_EQ(file.Open(tesmir::test::FixturePath(L"img-small.raw").c_str()), 1);
    const uint64_t length = file.GetLength();
    ASSERT_EQ(length, 6295552u);
    EXPECT_EQ(file.Seek(512, 2, 0), length - 512);
    EXPECT_EQ(file.GetPosition(), length - 512);
    EXPECT_EQ(file.Seek(100, 1, 1), length - 412);

    char buffer[1024];
    DWORD done = 0;
    EXPECT_EQ(file.ReadAt(buffer, length - 512, 1024, &done), 0);
    EXPECT_EQ(done, 512u);
    EXPECT_EQ(file.ReadAt(buffer, 0, 1024, &done), 1);
    EXPECT_EQ(done, 1024u);
    file.Close();
    EXPECT_EQ(file.IsOpen(), 0);
    EXPECT_EQ(file.Read(buffer, 16, &done), 0);
}

}  // namespace
