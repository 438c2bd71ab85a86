// The NTFS analysis: record numbers of folder records, the index blocks it
// keeps, file systems from boot sectors and from directory pairs, and the
// file system of every folder record.
#include <gtest/gtest.h>

#include <string.h>

#include "ExtensiveTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/NtfsAnalysis.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

const FILETIME Time1 = {0x01020304, 0};

class NtfsAnalysisFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeExtensiveScanLists();
        VolumeParams = VolumeParamsRecord{};
        VolumeParams.selectionCode = FileSystemNtfs;
        g_ScanStop = 0;
    }
    void TearDown() override { FreeExtensiveScanLists(); }

    NtfsScanFolderRecord* Folder(const wchar_t* name, uint32_t sector, uint32_t parent, uint32_t own,
                                 uint32_t indexCluster = 0)
    {
        return AddNtfsScanFolderRecord(name, sector, parent, own, Time1, Time1, indexCluster, 0);
    }
    CRecordingExtensiveShell m_shell;
};

void PlantIndx(CTempVolume& v, uint32_t lba)
{
    memcpy(v.Sector(lba), "INDX", 4);
}

}  // namespace

TEST_F(NtfsAnalysisFixture, FolderNumbersFromIndexEntriesThenFromPosition)
{
    CTempVolume volume(64);
    // An index block at 40 whose first entry (record 64, parent 40, created
    // Time1) is the directory "entry".
    std::vector<unsigned char> block = MakeIndexBlock(40, 0);
    block[0x50 + 0x38 + 3] = 0x10;   // key flags: a directory
    volume.Write(40, block.data(), block.size());
    volume.Open();
    AppendIndexBlockHit(40, 40, 0, 1);

    NtfsScanFolderRecord* named = Folder(L"entry", 100, 40, 0);
    NtfsScanFolderRecord* otherCase = Folder(L"Entry", 101, 40, 0);   // names compare exactly
    NtfsScanFolderRecord* anchor = Folder(L"a", 5000, 5, 40);
    NtfsScanFolderRecord* even = Folder(L"b", 5010, 5, 0);
    NtfsScanFolderRecord* odd = Folder(L"c", 5021, 5, 0);
    AssignMftNumbers(m_shell);
    EXPECT_EQ(64u, named->ownNumber);
    EXPECT_EQ(64u + 1, otherCase->ownNumber);   // odd distance from the record before
    EXPECT_EQ(40u, anchor->ownNumber);
    EXPECT_EQ(45u, even->ownNumber);
    EXPECT_EQ(46u, odd->ownNumber);
    EXPECT_TRUE(m_shell.HasStatus(L"Assigning MFT numbers ( Step 2/2 )..."));
}

TEST_F(NtfsAnalysisFixture, OnlyFirstIndexBlocksAreKept)
{
    AppendIndexBlockHit(10, 40, 0, 8);
    AppendIndexBlockHit(20, 40, 1, 8);
    AppendIndexBlockHit(30, 41, 0, 8);
    AppendIndexBlockHit(40, 41, 2, 8);
    DeleteUnusedIndexEntries(m_shell);
    ASSERT_EQ(2u, g_IndexBlockCount);
    ASSERT_EQ(2u, g_IndexBlockList.count);
    EXPECT_EQ(10u, g_IndexBlockList.head->sector);
    EXPECT_EQ(30u, g_IndexBlockList.tail->sector);
    EXPECT_EQ(nullptr, g_IndexBlockList.tail->next);
    AppendIndexBlockHit(50, 42, 0, 8);   // the tail is still right
    EXPECT_EQ(50u, g_IndexBlockList.head->next->next->sector);
}

TEST_F(NtfsAnalysisFixture, DirectoryPairGivesStartAndClusterSize)
{
    CTempVolume volume(10600);
    PlantIndx(volume, 10063);
    PlantIndx(volume, 10463);
    volume.Open();
    VolumeParams.endSector = 10599;
    NtfsScanFolderRecord* first = Folder(L"one", 9900, 5, 30, 100);
    NtfsScanFolderRecord* second = Folder(L"two", 9902, 5, 31, 300);
    NtfsScanFolderRecord* small = Folder(L"small", 9904, 30, 32);   // no index allocation
    AppendIndexBlockHit(10063, 30, 0, 8);
    AppendIndexBlockHit(10463, 31, 0, 8);

    ClassifyNtfsFromIndexBlocks(m_shell);
    EXPECT_EQ((std::vector<std::wstring>{L"NTFS @9863"}), m_shell.items);
    EXPECT_EQ(1, first->volume);
    EXPECT_EQ(1, second->volume);
    EXPECT_EQ(VolumeNone, small->volume);
    FoundVolume* v = g_FoundVolumes.head;
    EXPECT_EQ(FileSystemNtfs, v->code);
    EXPECT_EQ(2u, v->p[1]);
    EXPECT_EQ(9863u, v->p[5]);
    EXPECT_EQ(8u, v->p[11]);
    EXPECT_EQ(10599u, v->p[12]);
    EXPECT_EQ((std::vector<int>{1, 0}), m_shell.stopShown);
    EXPECT_EQ(1, g_DirStepDone);

    // The folder without an index allocation follows its neighbour.
    AssignUnassignedFolders(m_shell);
    EXPECT_EQ(1, small->volume);
}

TEST_F(NtfsAnalysisFixture, PairsWithOddClusterSizesOrRemaindersMakeNothing)
{
    CTempVolume volume(11000);
    volume.Open();
    Folder(L"one", 9900, 5, 30, 100);
    Folder(L"two", 9902, 5, 31, 300);
    Folder(L"three", 9904, 5, 32, 400);
    AppendIndexBlockHit(10063, 30, 0, 8);
    AppendIndexBlockHit(10663, 31, 0, 8);   // 3 sectors per cluster
    AppendIndexBlockHit(10800, 32, 0, 8);   // remainders
    VolumeParams.endSector = 10999;
    ClassifyNtfsFromIndexBlocks(m_shell);
    EXPECT_TRUE(m_shell.items.empty());
    EXPECT_EQ(0u, g_FoundVolumeCount);
}

TEST_F(NtfsAnalysisFixture, BootSectorTakesTheFoldersOfItsRange)
{
    CTempVolume volume(3000);
    unsigned char* boot = volume.Sector(1000);
    memcpy(boot + 3, "NTFS    ", 8);
    boot[0x0D] = 8;
    boot[0x28] = 0xD0;   // 2000 sectors
    boot[0x29] = 0x07;
    boot[0x30] = 4;      // MFT at cluster 4
    boot[0x38] = 100;    // mirror at cluster 100
    boot[0x44] = 1;      // one cluster per index block
    boot[510] = 0x55;
    boot[511] = 0xAA;
    PlantIndx(volume, 1000 + 8 * 50);
    volume.Open();
    AddBootSectorHit(1000);
    NtfsScanFolderRecord* inside = Folder(L"in", 1040, 5, 30, 50);
    NtfsScanFolderRecord* outside = Folder(L"out", 3100, 5, 31, 50);
    ClassifyNtfsFromBootSectors(m_shell);
    EXPECT_EQ((std::vector<std::wstring>{L"NTFS @1000"}), m_shell.items);
    EXPECT_EQ(1, inside->volume);
    EXPECT_EQ(0, outside->volume);
    FoundVolume* v = g_FoundVolumes.head;
    EXPECT_EQ(8u, v->p[1]);
    EXPECT_EQ(1000u, v->p[5]);
    EXPECT_EQ(1032u, v->p[8]);
    EXPECT_EQ(1800u, v->p[9]);
    EXPECT_EQ(8u, v->p[11]);
    EXPECT_EQ(3000u, v->p[12]);
    EXPECT_EQ(1, g_BootStepDone);
}

TEST_F(NtfsAnalysisFixture, UnassignedFoldersTakeTheFileSystemBeforeThem)
{
    NtfsScanFolderRecord* a = Folder(L"a", 10, 5, 30);
    NtfsScanFolderRecord* b = Folder(L"b", 12, 5, 31);
    NtfsScanFolderRecord* c = Folder(L"c", 14, 5, 32);
    NtfsScanFolderRecord* d = Folder(L"d", 16, 5, 33);
    a->volume = VolumeNone;   // before any: the first file system
    b->volume = 2;
    c->volume = VolumeNone;
    d->volume = 1;
    AssignUnassignedFolders(m_shell);
    EXPECT_EQ(1, a->volume);
    EXPECT_EQ(2, b->volume);
    EXPECT_EQ(2, c->volume);
    EXPECT_EQ(1, d->volume);
}

TEST(NtfsIndexBlockSize, FromTheBootSectorField)
{
    unsigned char boot[512] = {};
    boot[0x44] = 1;
    EXPECT_EQ(8u, IndexBlockSectors(boot, 8));
    boot[0x44] = 2;
    EXPECT_EQ(4u, IndexBlockSectors(boot, 2));
    boot[0x44] = 0xF4;   // 2^12 bytes
    EXPECT_EQ(8u, IndexBlockSectors(boot, 16));
    boot[0x44] = 0xF3;   // 2^13 bytes
    EXPECT_EQ(16u, IndexBlockSectors(boot, 32));
}
