// The FAT analysis: file systems from boot sectors and from pairs of
// directory sectors, and the directory candidates each one takes.
#include <gtest/gtest.h>

#include "ExtensiveTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/FatReconcile.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

class FatAnalysisFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeExtensiveScanLists();
        VolumeParams = VolumeParamsRecord{};
        VolumeParams.selectionCode = FileSystemFat16;
    }
    void TearDown() override { FreeExtensiveScanLists(); }

    std::vector<uint16_t> Volumes()
    {
        std::vector<uint16_t> out;
        for (DirSectorHit* d = g_DirSectorHits.head; d; d = d->next)
            out.push_back(d->volume);
        return out;
    }
    CRecordingExtensiveShell m_shell;
};

}  // namespace

TEST_F(FatAnalysisFixture, Fat32BootSectorGivesItsLayoutAndTakesItsDirectories)
{
    CTempVolume volume(4200);
    MakeFatBootSector(volume.Sector(2048), true, 8, 32, 1000, 2100);
    volume.Open();
    AddBootSectorHit(2048);
    AddDirSectorHit(4104, 5, 0, 0, 0);    // 4064 + 8 x 5
    AddDirSectorHit(4110, 6, 0, 0, 0);    // not where cluster 6 lies
    AnalyzeFatCandidates(m_shell);

    ASSERT_EQ(1u, g_FoundVolumeCount);
    EXPECT_EQ((std::vector<std::wstring>{L"FAT32 @4064"}), m_shell.items);
    FoundVolume* v = g_FoundVolumes.head;
    EXPECT_EQ(FileSystemFat32, v->code);
    const uint32_t expected[13] = {1000, 8, 0, 2, 32, 4064, 2080, 3080, 0, 0, 0, 0, 2048 + 2100};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(expected[i], v->p[i]) << "p" << i + 1;
    EXPECT_EQ(1u, v->treeItem);
    EXPECT_EQ((std::vector<uint16_t>{1, VolumeNone}), Volumes());
    EXPECT_EQ(1, g_BootStepDone);
    EXPECT_EQ(1, g_DirStepDone);
    EXPECT_EQ(1, m_shell.roots);
}

// Small FAT16 volumes keep their size in the 16-bit field at 0x13; the
// directories up to their end belong to them.
TEST_F(FatAnalysisFixture, Fat16BootSectorWithSixteenBitTotalTakesItsDirectories)
{
    CTempVolume volume(1000);
    MakeFatBootSector(volume.Sector(100), false, 4, 4, 32, 800);
    volume.Open();
    // Base: 100 + 4 + 64 + 32 - 8 = 192.
    AddBootSectorHit(100);
    AddDirSectorHit(200, 2, 0, 0, 0);
    AddDirSectorHit(892, 175, 2, 0, 0);   // the last cluster, inside 100 + 800
    AnalyzeFatCandidates(m_shell);
    EXPECT_EQ((std::vector<std::wstring>{L"FAT16 @192"}), m_shell.items);
    EXPECT_EQ((std::vector<uint16_t>{1, 1}), Volumes());
    FoundVolume* v = g_FoundVolumes.head;
    EXPECT_EQ(100 + 4 + 64u, v->p[3]);   // root directory start
    EXPECT_EQ(32u, v->p[2]);             // root directory sectors
    EXPECT_EQ(900u, v->p[12]);
}

TEST_F(FatAnalysisFixture, BootSectorsWithABadClusterSizeOrBaseArePassedOver)
{
    CTempVolume volume(5000);
    MakeFatBootSector(volume.Sector(1000), true, 3, 32, 1000, 3000);   // 3 sectors per cluster
    MakeFatBootSector(volume.Sector(2048), true, 8, 32, 1000, 2900);
    MakeFatBootSector(volume.Sector(10), false, 1, 1, 1, 1000);        // base 43, below 63
    volume.Open();
    AddBootSectorHit(1000);
    AddBootSectorHit(10);
    AddBootSectorHit(2048);
    AddDirSectorHit(4104, 5, 0, 0, 0);
    AnalyzeFatCandidates(m_shell);
    EXPECT_EQ((std::vector<std::wstring>{L"FAT32 @4064"}), m_shell.items);
}

TEST_F(FatAnalysisFixture, DirectoryPairsGiveClusterSizeAndBase)
{
    AddDirSectorHit(10000, 100, 0, 0, 0);
    AddDirSectorHit(10800, 200, 100, 0, 0);
    AddDirSectorHit(11200, 250, 0, 0, 0);   // same layout
    AddDirSectorHit(11201, 300, 0, 0, 0);   // no partner
    AnalyzeFatCandidates(m_shell);
    EXPECT_EQ((std::vector<std::wstring>{L"FAT16 @9200"}), m_shell.items);
    EXPECT_EQ((std::vector<uint16_t>{1, 1, 1, VolumeNone}), Volumes());
    FoundVolume* v = g_FoundVolumes.head;
    EXPECT_EQ(FileSystemFat16, v->code);
    EXPECT_EQ(8u, v->p[1]);
    EXPECT_EQ(0u, v->p[3]);
    EXPECT_EQ(9200u, v->p[5]);
    EXPECT_EQ(0u, v->p[6]);   // the FATs are looked for by the extraction
    EXPECT_EQ(4u, g_ClassifiedCount);
}

TEST_F(FatAnalysisFixture, PairKindFollowsTheSelectionOrTheLargestCluster)
{
    struct Case
    {
        uint16_t selection;
        uint32_t secondCluster;
        const wchar_t* item;
        uint16_t code;
    } cases[] = {
        {FileSystemFat16, 200, L"FAT16 @9200", FileSystemFat16},
        {FileSystemFat32, 200, L"FAT32 @9200", FileSystemFat32},
        {FileSystemFat16, 0x10000 + 100, L"FAT32 @9200", FileSystemFat32},
    };
    for (const Case& c : cases) {
        FreeExtensiveScanLists();
        m_shell.items.clear();
        VolumeParams.selectionCode = c.selection;
        AddDirSectorHit(10000, 100, 0, 0, 0);
        AddDirSectorHit(9200 + 8 * c.secondCluster, c.secondCluster, 0, 0, 0);
        AnalyzeFatCandidates(m_shell);
        EXPECT_EQ((std::vector<std::wstring>{c.item}), m_shell.items);
        EXPECT_EQ(c.code, g_FoundVolumes.head->code);
        EXPECT_EQ(c.code == FileSystemFat32 ? 2u : 0u, g_FoundVolumes.head->p[3]);
    }
}

TEST_F(FatAnalysisFixture, PairsWithOddClusterSizesOrRemaindersMakeNothing)
{
    AddDirSectorHit(10000, 100, 0, 0, 0);
    AddDirSectorHit(10300, 200, 0, 0, 0);   // 3 sectors per cluster
    AddDirSectorHit(10401, 300, 0, 0, 0);   // remainder with both
    AnalyzeFatCandidates(m_shell);
    EXPECT_TRUE(m_shell.items.empty());
    EXPECT_EQ((std::vector<uint16_t>{VolumeNone, VolumeNone, VolumeNone}), Volumes());
}
