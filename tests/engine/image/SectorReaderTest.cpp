// The sector reader: sources, short reads, and reads from two threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ImageTestSupport.h"

using tesmir::test::FixturePath;
using tesmir::test::ReadWholeFile;

namespace {

class SectorReaderTest : public testing::Test
{
protected:
    void TearDown() override
    {
        if (g_VolumeHandle && g_VolumeHandle != INVALID_HANDLE_VALUE)
            CloseHandle(g_VolumeHandle);
        g_VolumeHandle = NULL;
        g_DiskHandle = NULL;
        g_SourceType = SourceVirtualDisk;
    }
};

// A physical-drive handle that failed to open plays no part in image reads.
TEST_F(SectorReaderTest, ImageReadsIgnoreThePhysicalDriveHandle)
{
    COpenedImage image(L"vhd-dynamic.vhd");
    ASSERT_EQ(image.opened(), 1);
    const std::string oracle = ReadWholeFile(FixturePath(L"vhd-dynamic.vhd.raw"));
    g_DiskHandle = INVALID_HANDLE_VALUE;
    int rc = 0;
    std::string got = ReadSectorsAt(0, 4, &rc);
    EXPECT_EQ(rc, 1);
    EXPECT_TRUE(got == oracle.substr(0, got.size()));
}

TEST_F(SectorReaderTest, CountZeroAndMissingDisk)
{
    SetSectorReaderDisk(nullptr);
    char untouched = 'x';
    EXPECT_EQ(ReadSectors(L"", 0, 0, 0, &untouched), 1);
    EXPECT_EQ(untouched, 'x');
    int rc = 1;
    EXPECT_EQ(ReadSectorsAt(0, 2, &rc), std::string(1024, '\0'));
    EXPECT_EQ(rc, 0);
}

// A logical volume: LBAs are relative to the volume; a read over its end
// delivers what there is, zeroes the rest and reports failure.
TEST_F(SectorReaderTest, VolumeSourceReadsTheVolumeHandle)
{
    const std::wstring path = FixturePath(L"img-small.raw");
    const std::string raw = ReadWholeFile(path);
    g_VolumeHandle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(g_VolumeHandle, INVALID_HANDLE_VALUE);
    g_SourceType = SourceLogicalVolume;

    int rc = 0;
    std::string got = ReadSectorsAt(5, 3, &rc);
    EXPECT_EQ(rc, 1);
    EXPECT_TRUE(got == raw.substr(5 * 512, got.size()));

    const uint64_t last = raw.size() / 512 - 1;
    got = ReadSectorsAt(last, 2, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(got.substr(0, 512) == raw.substr(last * 512));
    EXPECT_EQ(got.substr(512), std::string(512, '\0'));
}

// Two threads reading different places at once each get their own bytes:
// the seek and the read that follows it are one step.
TEST_F(SectorReaderTest, ConcurrentReadsDoNotMix)
{
    COpenedImage image(L"vhdx-dynamic.vhdx");
    ASSERT_EQ(image.opened(), 1);
    const std::string oracle = ReadWholeFile(FixturePath(L"vhdx-dynamic.vhdx.raw"));
    std::atomic<int> mismatches(0);

    auto reader = [&](uint64_t firstLba, uint64_t stride) {
        std::string buffer(8 * 512, '\0');
        for (int i = 0; i < 2000; ++i) {
            uint64_t lba = (firstLba + i * stride) % (oracle.size() / 512 - 8);
            if (!ReadSectors(L"", (DWORD)lba, 0, 8, &buffer[0]) ||
                buffer != oracle.substr(lba * 512, buffer.size()))
                ++mismatches;
        }
    };
    std::thread a(reader, 0, 977);
    std::thread b(reader, 12345, 1531);
    a.join();
    b.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
