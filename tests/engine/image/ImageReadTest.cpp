// Every image kind read through ReadSectors against its raw oracle
// (`qemu-img convert -O raw`, or the generator's own expectation for a
// differencing image whose parent no tool can see).
#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"

using tesmir::test::FixtureExists;
using tesmir::test::FixturePath;
using tesmir::test::ReadWholeFile;

namespace {

struct ImageCase
{
    const wchar_t* image;
    const wchar_t* oracle;
    uint32_t blockBytes;      // block size of the image's map
    bool differencing;
    bool oracleShort;         // the image rounds its size up: zeros past the oracle's end
};

// The oracle of a case, as long as the disk.
std::string LoadOracle(const ImageCase& c, uint64_t sectors)
{
    std::string oracle = ReadWholeFile(FixturePath(c.oracle));
    if (c.oracleShort && oracle.size() < sectors * 512 && sectors * 512 - oracle.size() <= (1u << 20))
        oracle.resize(sectors * 512, '\0');
    return oracle;
}

std::ostream& operator<<(std::ostream& os, const ImageCase& c)
{
    std::wstring w(c.image);
    return os << std::string(w.begin(), w.end());
}

const ImageCase kCases[] = {
    {L"vhd-fixed.vhd", L"vhd-fixed.vhd.raw", 2u << 20, false, false},
    {L"vhd-dynamic.vhd", L"vhd-dynamic.vhd.raw", 2u << 20, false, false},
    {L"vhdx-fixed.vhdx", L"vhdx-fixed.vhdx.raw", 1u << 20, false, false},
    {L"vhdx-dynamic.vhdx", L"vhdx-dynamic.vhdx.raw", 1u << 20, false, false},
    {L"vhd-high.vhd", L"vhd-high.vhd.raw", 2u << 20, false, false},
    {L"vhd-bigblock.vhd", L"vhd-bigblock.vhd.raw", 4u << 20, false, false},
    {L"vhd-diff.vhd", L"vhd-diff.expected", 2u << 20, true, false},
    {L"mixed-fixed.vhd", L"mixed.raw", 2u << 20, false, true},
    {L"mixed-dynamic.vhd", L"mixed.raw", 2u << 20, false, true},
    {L"mixed-fixed.vhdx", L"mixed.raw", 1u << 20, false, false},
    {L"mixed-dynamic.vhdx", L"mixed.raw", 1u << 20, false, false},
};

// Opens the case's image as the sector reader's source, with its oracle.
class ImageReadTest : public testing::TestWithParam<ImageCase>
{
protected:
    void SetUp() override
    {
        const ImageCase& c = GetParam();
        // A missing fixture is a broken run, not a case to leave out.
        ASSERT_TRUE(FixtureExists(c.image)) << "fixture not generated: " << tesmir::test::Utf8(c.image);
        m_image.reset(new COpenedImage(c.image));
        ASSERT_EQ(m_image->opened(), 1);
        m_sectors = m_image->disk().GetSectorCount();
        ASSERT_GT(m_sectors, 0u);
        m_oracle = LoadOracle(c, m_sectors);
        ASSERT_GE(m_oracle.size(), m_sectors * 512);
    }

    CMessageRecorder m_recorder;
    std::unique_ptr<COpenedImage> m_image;
    uint64_t m_sectors = 0;
    std::string m_oracle;
};

// 0, the last sector, each block boundary +-1 (unallocated blocks among
// them), reads straddling each boundary and one spanning three blocks.
std::vector<std::pair<uint64_t, uint32_t>> ReadTable(uint64_t sectors, uint32_t blockBytes)
{
    const uint64_t perBlock = blockBytes / 512;
    std::vector<std::pair<uint64_t, uint32_t>> reads = {{0, 1}, {sectors - 1, 1}};
    for (uint64_t b = perBlock; b < sectors; b += perBlock) {
        reads.push_back({b - 1, 1});
        reads.push_back({b, 1});
        reads.push_back({b - 1, 2});
        if (b + 1 < sectors)
            reads.push_back({b + 1, 1});
    }
    if (2 * perBlock + 1 < sectors)
        reads.push_back({perBlock - 1, (uint32_t)(perBlock + 2)});
    return reads;
}

TEST_P(ImageReadTest, SectorsEqualRawOracle)
{
    const uint64_t sectors = m_sectors;
    const std::string& oracle = m_oracle;

    for (const auto& r : ReadTable(sectors, GetParam().blockBytes)) {
        int rc = 0;
        std::string got = ReadSectorsAt(r.first, r.second, &rc);
        ASSERT_EQ(rc, 1) << "lba " << r.first << " count " << r.second;
        ASSERT_TRUE(got == oracle.substr(r.first * 512, got.size()))
            << "lba " << r.first << " count " << r.second;
    }

    // One pass over the whole disk in reads of 100 sectors.
    for (uint64_t lba = 0; lba < sectors; lba += 100) {
        uint32_t count = (uint32_t)std::min<uint64_t>(100, sectors - lba);
        int rc = 0;
        std::string got = ReadSectorsAt(lba, count, &rc);
        ASSERT_EQ(rc, 1) << "lba " << lba;
        ASSERT_TRUE(got == oracle.substr(lba * 512, got.size())) << "lba " << lba;
    }

    EXPECT_EQ(m_recorder.CountContaining(L"parent image is not read"),
              GetParam().differencing ? 1u : 0u);
}

TEST_P(ImageReadTest, ReadPastTheEndIsShortAndZeroFilled)
{
    const uint64_t sectors = m_sectors;
    const std::string& oracle = m_oracle;

    int rc = 1;
    std::string got = ReadSectorsAt(sectors - 1, 3, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(got.substr(0, 512) == oracle.substr((sectors - 1) * 512, 512));
    EXPECT_EQ(got.substr(512), std::string(1024, '\0'));

    got = ReadSectorsAt(sectors + 10, 2, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(got, std::string(1024, '\0'));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ImageReadTest, testing::ValuesIn(kCases));

// VHDX images with data on both sides of the table's first sector-bitmap
// entry, whose sectors lie above 4 GiB: 1 MiB blocks (4096 payload blocks per
// bitmap entry) and 32 MiB blocks (128 per entry).
struct LargeVhdxCase
{
    const wchar_t* image;
    uint64_t sizeMiB;
    uint32_t blockMiB;
    int dataBlocks;
    int64_t batEntries;
    uint64_t firstMiB;      // 0x5a from here up to 4096 MiB, 0x6b for blockMiB after it
};

const LargeVhdxCase kLargeCases[] = {
    {L"vhdx-5g.vhdx", 5120, 1, 5120, 5121, 4095},
    {L"vhdx-32m.vhdx", 4160, 32, 130, 131, 4064},
};

TEST(LargeVhdxTest, DataAcrossTheFirstSectorBitmapEntry)
{
    const uint64_t mib = 2048;   // sectors per MiB
    for (const LargeVhdxCase& c : kLargeCases) {
        SCOPED_TRACE(testing::Message() << c.image);
        CMessageRecorder recorder;
        COpenedImage image(c.image);
        ASSERT_EQ(image.opened(), 1);
        CVirtualDisk& disk = image.disk();
        EXPECT_EQ(disk.GetSectorCount(), c.sizeMiB * mib);
        EXPECT_EQ(disk.GetDiskSize(), c.sizeMiB << 20);
        EXPECT_EQ(disk.GetDataBlockCount(), c.dataBlocks);
        EXPECT_EQ(disk.GetBatEntryCount(), c.batEntries);
        EXPECT_STREQ(disk.GetDiskTypeText(), L"Dynamic Disk");

        const uint64_t end = 4096 + c.blockMiB;
        const struct
        {
            uint64_t lba;
            char fill;
        } table[] = {
            {0, 0},
            {c.firstMiB * mib - 1, 0},
            {c.firstMiB * mib, 0x5a},
            {4096 * mib - 1, 0x5a},
            {4096 * mib, 0x6b},
            {end * mib - 1, 0x6b},
            {end * mib, 0},
            {c.sizeMiB * mib - 1, 0},
        };
        for (const auto& t : table) {
            int rc = 0;
            std::string got = ReadSectorsAt(t.lba, 1, &rc);
            EXPECT_EQ(rc, 1) << t.lba;
            EXPECT_EQ(got, std::string(512, t.fill)) << t.lba;
        }

        // One read from just before the data to just after it.
        const uint64_t first = c.firstMiB * mib - 1;
        int rc = 0;
        std::string got = ReadSectorsAt(first, (uint32_t)(end * mib + 1 - first), &rc);
        EXPECT_EQ(rc, 1);
        std::string expected = std::string(512, '\0') +
                               std::string((4096 - c.firstMiB) * mib * 512, 0x5a) +
                               std::string(c.blockMiB * mib * 512, 0x6b) + std::string(512, '\0');
        EXPECT_TRUE(got == expected);
    }
}

}  // namespace
