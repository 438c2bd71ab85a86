// The extraction of a chosen file system: folders from the candidates,
// made-up parents under "Lost Dir", the FATs looked for below the data
// area, and the entries read from every folder.
#include <gtest/gtest.h>

#include <string.h>

#include "ExtensiveTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/FatExtraction.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

const FILETIME NoTime = {0, 0};

class ExtractionFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeEntryLists();
        FreeNtfsEntryLists();
        FreeExtensiveScanLists();
        g_ScanMode = ScanModeExtensive;
        g_ScanStop = 0;
        VolumeParams = VolumeParamsRecord{};
    }
    void TearDown() override
    {
        FreeEntryLists();
        FreeNtfsEntryLists();
        FreeExtensiveScanLists();
    }
    // A found file system with the given parameters, chosen.
    void Choose(uint16_t code, const uint32_t params[13])
    {
        AddFoundVolume(code, params, 0);
        ASSERT_EQ(1, SelectFoundVolumeParams(g_FoundVolumeCount));
    }
    FatFolderRecord* FatFolderNamed(const wchar_t* name)
    {
        for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
            if (wcscmp(f->name, name) == 0)
                return f;
        return nullptr;
    }
    CRecordingExtensiveShell m_shell;
};

}  // namespace

TEST_F(ExtractionFixture, FatCandidatesBecomeFoldersAndMissingParentsGoUnderLostDir)
{
    uint32_t params[13] = {0, 8, 0, 0, 0, 9200};
    AddDirSectorHit(9256, 7, 0, 0, 0);
    AddDirSectorHit(9272, 9, 7, 0, 0);
    AddDirSectorHit(9300, 20, 12, 0, 0);
    AddDirSectorHit(9400, 21, 12, 0, 0);
    AddDirSectorHit(9500, 30, 0, 0, 0);
    for (DirSectorHit* d = g_DirSectorHits.head; d; d = d->next)
        d->volume = 1;
    g_DirSectorHits.tail->volume = 2;   // another file system's
    Choose(FileSystemFat16, params);

    ExtractFatFileSystem(m_shell);
    FindOrphanFatFolders(m_shell);
    ASSERT_NE(nullptr, FatFolderNamed(L"Dir7"));
    EXPECT_EQ(0u, FatFolderNamed(L"Dir7")->parentCluster);
    EXPECT_EQ(7u, FatFolderNamed(L"Dir9")->parentCluster);
    EXPECT_EQ(nullptr, FatFolderNamed(L"Dir30"));
    ASSERT_NE(nullptr, FatFolderNamed(L"Lost Dir"));
    EXPECT_EQ(FatLostDirCluster, FatFolderNamed(L"Lost Dir")->cluster);
    ASSERT_NE(nullptr, FatFolderNamed(L"Dir12"));
    EXPECT_EQ(FatLostDirCluster, FatFolderNamed(L"Dir12")->parentCluster);
    EXPECT_EQ(6u, g_FolderCount);   // Dir7, Dir9, Dir20, Dir21, Lost Dir, one Dir12
}

// The FATs of a file system found from directory pairs are the first two
// sectors below its data area that begin like a FAT.
TEST_F(ExtractionFixture, LostFat16FatsGiveFatSizeAndRootDirectory)
{
    CTempVolume volume(1700);
    const unsigned char fatStart[4] = {0xF8, 0xFF, 0xFF, 0xFF};
    volume.Write(1000, fatStart, 4);
    volume.Write(1250, fatStart, 4);
    volume.Open();
    uint32_t params[13] = {0, 4, 0, 0, 0, 1524};
    Choose(FileSystemFat16, params);
    FindLostFatFragments(m_shell);
    EXPECT_EQ(1000u, VolumeParams.fat1Start);
    EXPECT_EQ(1250u, VolumeParams.fat2Start);
    EXPECT_EQ(250u, VolumeParams.fatSize);
    EXPECT_EQ(1500u, VolumeParams.rootLocation);
    EXPECT_EQ(32u, VolumeParams.rootDirSectors);
}

// Clusters of 16 sectors: entries in every sector of a directory cluster
// are read, not only in its first eight.
TEST_F(ExtractionFixture, EverySectorOfLargeClustersIsRead)
{
    const uint32_t k = 16, base = 100, fat = 32;
    CTempVolume volume(base + 5 * k);
    unsigned char* fatSector = volume.Sector(fat);
    const unsigned char entries[] = {0xF8, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F,   // 0, 1
                                     0xFF, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F};  // 2, 3: one cluster each
    memcpy(fatSector, entries, sizeof(entries));
    unsigned char* root = volume.Sector(base + 2 * k);
    MakeShortEntry(root, 0, "SUB        ", 0x10, 3, 0);
    unsigned char* sub = volume.Sector(base + 3 * k);
    MakeDirSector(sub, 3, 0);
    // Sectors 0 to 14 of the cluster full of files, the last one in sector 15.
    int files = 0;
    for (uint32_t s = 0; s < k - 1; ++s)
        for (int i = s == 0 ? 2 : 0; i < 16; ++i) {
            char name[12];
            snprintf(name, sizeof(name), "F%04d   BIN", files++);
            MakeShortEntry(volume.Sector(base + 3 * k + s), i, name, 0x20, 4, 1);
        }
    MakeShortEntry(volume.Sector(base + 4 * k - 1), 0, "LAST    TXT", 0x20, 4, 10);
    volume.Open();

    AddDirSectorHit(base + 3 * k, 3, 0, 0, 0);
    g_DirSectorHits.head->volume = 1;
    uint32_t params[13] = {1, k, 0, 2, 0, base, fat, fat + 1, 0, 0, 0, 0, base + 5 * k};
    Choose(FileSystemFat32, params);
    ExtractFatVolume(m_shell);
    EXPECT_EQ(1, m_shell.treeBuilds);
    EXPECT_EQ(1u, m_shell.tree.count("SUB"));
    EXPECT_EQ(1u, m_shell.tree.count("SUB/LAST.TXT"));
    EXPECT_EQ((uint32_t)files + 1, g_FileCount);
}

TEST_F(ExtractionFixture, DeletedDirectoryEntryNamesItsFolderAndMarksItsFiles)
{
    // FAT16, one sector per cluster: FAT at 32, root directory 70-101,
    // cluster 2 at 102.
    const uint32_t base = 100, fat = 32, root = 70;
    CTempVolume volume(base + 10);
    const unsigned char entries[] = {0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    volume.Write(fat, entries, sizeof(entries));
    unsigned char* r = volume.Sector(root);
    MakeShortEntry(r, 0, "\xE5ONE    TXT", 0x20, 3, 5);
    MakeShortEntry(r, 1, "LIVE    TXT", 0x20, 4, 5);
    MakeShortEntry(r, 2, "\xE5LDDIR     ", 0x10, 2, 0);
    unsigned char* dir = volume.Sector(base + 2);
    MakeDirSector(dir, 2, 0);
    MakeShortEntry(dir, 2, "INNER   TXT", 0x20, 5, 5);
    volume.Open();
    AddDirSectorHit(base + 2, 2, 0, 0, 0);
    g_DirSectorHits.head->volume = 1;
    uint32_t params[13] = {1, 1, 32, root, 0, base, fat, fat + 1, 0, 0, 0, 0, base + 10};
    Choose(FileSystemFat16, params);
    ExtractFatVolume(m_shell);
    EXPECT_EQ((PathListing{{"xONE.TXT", true}, {"LIVE.TXT", false}, {"xLDDIR", true}, {"xLDDIR/INNER.TXT", true},
                           {"Lost Dir", false}}),
              m_shell.tree);
}

TEST_F(ExtractionFixture, NtfsFoldersOncePerNumberAndOrphansUnderLostDir)
{
    AddNtfsScanFolderRecord(L".", 1010, 5, 5, NoTime, NoTime, 0, 0);
    AddNtfsScanFolderRecord(L"Docs", 1020, 5, 40, NoTime, NoTime, 0, 0);
    AddNtfsScanFolderRecord(L"Docs", 1030, 5, 40, NoTime, NoTime, 0, 0);   // same number again
    AddNtfsScanFolderRecord(L"Deep", 1040, 77, 41, NoTime, NoTime, 0, 0);  // parent not found
    AddNtfsScanFolderRecord(L"Other", 9000, 5, 42, NoTime, NoTime, 0, 0);  // another file system
    for (NtfsScanFolderRecord* f = g_NtfsScanFolderList.head; f; f = f->next)
        f->volume = 1;
    g_NtfsScanFolderList.tail->volume = 2;
    AddNtfsScanFileRecord(L"a.txt", 1100, 40, NoTime, NoTime, 3, 0);
    AddNtfsScanFileRecord(L"orphan.txt", 1110, 90, NoTime, NoTime, 3, 1);   // folder 90 never found
    AddNtfsScanFileRecord(L"far.txt", 9100, 91, NoTime, NoTime, 3, 0);      // outside the chosen one
    uint32_t params[13] = {0, 8, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 8, 2000};
    Choose(FileSystemNtfs, params);

    ExtractNtfsVolume(m_shell);
    EXPECT_EQ((PathListing{{"Docs", false},
                           {"Docs/a.txt", false},
                           {"Lost Dir", false},
                           {"Lost Dir/Dir0", false},
                           {"Lost Dir/Dir0/Deep", false},
                           {"Lost Dir/Dir1", false},
                           {"Lost Dir/Dir1/orphan.txt", true}}),
              m_shell.tree);
}

TEST_F(ExtractionFixture, ChoosingAFoundVolumeCopiesItsParameters)
{
    uint32_t fat[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    AddFoundVolume(FileSystemFat32, fat, 0);
    AddFoundVolume(FileSystemNtfs, fat, 0);
    VolumeParams.mftSector = 99;
    ASSERT_EQ(1, SelectFoundVolumeParams(1));
    const VolumeParamsRecord& v = VolumeParams;
    EXPECT_EQ(FileSystemFat32, v.fileSystemType);
    EXPECT_EQ(1, v.foundVolumeIndex);
    EXPECT_EQ((std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 99, 13}),
              (std::vector<uint32_t>{v.fatSize, v.sectorsPerCluster, v.rootDirSectors, v.rootLocation,
                                     v.reservedSectors, v.clusterBase, v.fat1Start, v.fat2Start, v.mftSector,
                                     v.fileSystemEnd}));
    VolumeParams = VolumeParamsRecord{};
    ASSERT_EQ(1, SelectFoundVolumeParams(2));
    EXPECT_EQ(FileSystemNtfs, v.fileSystemType);
    EXPECT_EQ((std::vector<uint32_t>{1, 2, 0, 0, 0, 6, 0, 0, 9, 10, 0, 12, 13}),
              (std::vector<uint32_t>{v.fatSize, v.sectorsPerCluster, v.rootDirSectors, v.rootLocation,
                                     v.reservedSectors, v.clusterBase, v.fat1Start, v.fat2Start, v.mftSector,
                                     v.mftMirrorSector, v.ntfsValueA, v.mftRecordSizeValue, v.fileSystemEnd}));
    EXPECT_EQ(0, SelectFoundVolumeParams(3));
}

TEST(ExtensiveLists, ResetEmptiesEveryListAndCounter)
{
    const FILETIME none = {0, 0};
    uint32_t params[13] = {};
    for (int round = 0; round < 2; ++round) {
        AddBootSectorHit(1);
        AddDirSectorHit(100, 3, 0, 0, 0);
        AddFoundVolume(FileSystemFat16, params, 0);
        AddNtfsScanFolderRecord(L"d", 10, 5, 40, none, none, 0, 0);
        AddNtfsScanFileRecord(L"f", 12, 40, none, none, 1, 0);
        AppendIndexBlockHit(20, 40, 0, 8);
        g_ClassifiedCount = 5;
        FreeExtensiveScanLists();
        FreeExtensiveScanLists();   // twice is harmless
        EXPECT_EQ(nullptr, g_BootSectorHits.head);
        EXPECT_EQ(nullptr, g_DirSectorHits.head);
        EXPECT_EQ(nullptr, g_DirSectorHits.tail);
        EXPECT_EQ(nullptr, g_FoundVolumes.head);
        EXPECT_EQ(nullptr, g_NtfsScanFolderList.head);
        EXPECT_EQ(nullptr, g_NtfsScanFileList.head);
        EXPECT_EQ(nullptr, g_IndexBlockList.head);
        EXPECT_EQ(0u, g_BootHitCount + g_ExtFolderCount + g_ExtFileCount + g_IndexBlockCount + g_ClassifiedCount);
        EXPECT_EQ(0, g_FoundVolumeCount);
    }
}
