// Volume parameters from boot sectors (and worked out from directories)
// against fsstat's layout of each fixture partition.
#include <gtest/gtest.h>

#include <string>

#include "FixtureOracles.h"
#include "ImageTestSupport.h"
#include "state/EngineState.h"
#include "volume/VolumeParamsReader.h"

namespace {

using oracle::SelectSfdiskPartition;

// VolumeParams hold the layout fsstat prints for the FAT volume at start.
void ExpectFatLayout(const wchar_t* fsstat)
{
    const VolumeParamsRecord& v = VolumeParams;
    oracle::FatLayout l = oracle::FsstatFat(fsstat);
    long long s = v.startSector;
    EXPECT_EQ(l.clusterSectors, v.sectorsPerCluster);
    EXPECT_EQ(s + l.clusterArea, (long long)v.clusterBase + 2 * v.sectorsPerCluster);
    EXPECT_EQ(s + l.fat0, v.fat1Start);
    EXPECT_EQ(l.fatSectors, v.fatSize);
    EXPECT_EQ(l.fat0, v.reservedSectors);
    EXPECT_EQ(s + (l.fat1 < 0 ? l.fat0 : l.fat1), v.fat2Start);
    if (v.fileSystemType == FileSystemFat16) {
        EXPECT_EQ(s + l.rootDir, v.rootLocation);
        EXPECT_EQ(l.rootDirSectors, v.rootDirSectors);
    } else {
        EXPECT_EQ(0u, v.rootDirSectors);
        EXPECT_EQ(s + l.rootDir, (long long)v.clusterBase + (long long)v.rootLocation * v.sectorsPerCluster);
    }
}

void ExpectNtfsLayout(const wchar_t* fsstat)
{
    const VolumeParamsRecord& v = VolumeParams;
    std::vector<std::string> lines = oracle::Lines(fsstat);
    long long k = oracle::FsstatNumber(lines, "Cluster Size: ") / 512;
    EXPECT_EQ(k, v.sectorsPerCluster);
    EXPECT_EQ(v.startSector, v.clusterBase);
    EXPECT_EQ(v.startSector + k * oracle::FsstatNumber(lines, "First Cluster of MFT: "), v.mftSector);
    EXPECT_EQ(v.startSector + k * oracle::FsstatNumber(lines, "First Cluster of MFT Mirror: "),
              v.mftMirrorSector);
    EXPECT_EQ(2u, v.ntfsValueA);
}

struct Volume
{
    const wchar_t* image;
    const wchar_t* dump;
    int number;
    const wchar_t* fsstat;
};

TEST(VolumeParams, EveryPartitionMatchesFsstat)
{
    const Volume volumes[] = {
        {L"mixed-dynamic.vhd", L"mixed.sfdisk", 1, L"mixed-p1.fsstat"},
        {L"mixed-dynamic.vhd", L"mixed.sfdisk", 2, L"mixed-p2.fsstat"},
        {L"mixed-dynamic.vhd", L"mixed.sfdisk", 5, L"mixed-p5.fsstat"},
        {L"mixed-dynamic.vhd", L"mixed.sfdisk", 6, L"mixed-p6.fsstat"},  // total in the 16-bit field
        {L"mixed-dynamic.vhdx", L"mixed.sfdisk", 1, L"mixed-p1.fsstat"},
        {L"mixed-dynamic.vhdx", L"mixed.sfdisk", 2, L"mixed-p2.fsstat"},
        // FAT32 boot sector zeroed, or with a sectors-per-FAT field that the
        // FAT does not confirm: the backup at +6 gives the layout.
        {L"mixed-noboot32-dynamic.vhd", L"mixed.sfdisk", 1, L"mixed-p1.fsstat"},
        {L"mixed-noboot32-dynamic.vhdx", L"mixed.sfdisk", 1, L"mixed-p1.fsstat"},
        {L"mixed-badfat32-dynamic.vhd", L"mixed.sfdisk", 1, L"mixed-p1.fsstat"},
        {L"chs-dynamic.vhd", L"chs.sfdisk", 1, L"chs-p1.fsstat"},
        {L"chs-dynamic.vhd", L"chs.sfdisk", 2, L"chs-p2.fsstat"},
        {L"chs-dynamic.vhd", L"chs.sfdisk", 3, L"chs-p3.fsstat"},
        // NTFS boot sector zeroed, or with 3 sectors per cluster: the backup
        // in the partition's last sector gives the layout.
        {L"chs-noboot-ntfs-dynamic.vhd", L"chs.sfdisk", 2, L"chs-p2.fsstat"},
        {L"chs-badspc-ntfs-dynamic.vhd", L"chs.sfdisk", 2, L"chs-p2.fsstat"},
        {L"fat-dynamic.vhd", L"fat.sfdisk", 1, L"fat-p1.fsstat"},
        {L"fat-dynamic.vhd", L"fat.sfdisk", 2, L"fat-p2.fsstat"},  // one FAT
    };
    for (const Volume& c : volumes) {
        SCOPED_TRACE(std::wstring(c.image) + L" " + c.fsstat);
        COpenedImage disk(c.image);
        ASSERT_TRUE(disk.opened());
        SelectSfdiskPartition(c.dump, c.number);
        ASSERT_EQ(1, ReadVolumeParams());
        EXPECT_EQ(VolumeParams.selectionCode, VolumeParams.fileSystemType);
        if (VolumeParams.fileSystemType == FileSystemNtfs)
            ExpectNtfsLayout(c.fsstat);
        else
            ExpectFatLayout(c.fsstat);
    }
}

TEST(VolumeParams, Fat16WithoutBootSectorAndStopRequestFail)
{
    COpenedImage disk(L"chs-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    // The FAT16 volume of the CHS disk taken one sector late: no boot sector.
    oracle::SfdiskPartition p = oracle::SfdiskNumber(L"chs.sfdisk", 3);
    oracle::SelectPartition(p.start + 1, p.size - 1, FileSystemFat16);
    EXPECT_EQ(0, ReadVolumeParams());
    SelectSfdiskPartition(L"chs.sfdisk", 3);
    g_ScanStop = 1;
    EXPECT_EQ(0, ReadVolumeParams());
    g_ScanStop = 0;
}

TEST(VolumeParams, SearchWorksOutTheFatLayoutFromDirectories)
{
    COpenedImage disk(L"mixed-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    for (int number : {1, 5, 6}) {
        SCOPED_TRACE(number);
        SelectSfdiskPartition(L"mixed.sfdisk", number);
        g_ScanBusy = 1;
        ASSERT_EQ(1, SearchFatParams());
        EXPECT_EQ(0, g_ScanStop);
        EXPECT_EQ(1, g_ScanBusy);
        ExpectFatLayout((L"mixed-p" + std::to_wstring(number) + L".fsstat").c_str());
    }
    // NTFS has no FAT layout to find: the worker is ended.
    SelectSfdiskPartition(L"mixed.sfdisk", 2);
    EXPECT_EQ(0, SearchFatParams());
    EXPECT_EQ(1, g_ScanStop);
    EXPECT_EQ(0, g_ScanBusy);
    g_ScanStop = 0;
}

}  // namespace
