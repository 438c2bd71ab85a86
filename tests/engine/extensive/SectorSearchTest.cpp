// The sector search: which sectors count as candidates, how the range is
// read (unreadable chunks, the last chunk) and the limits of its lists.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "ExtensiveTestSupport.h"
#include "MessageRecorder.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/SectorSearch.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

struct DirCase
{
    const char* what;
    uint32_t cluster, parent, lba;
    bool listed;
};

std::vector<uint32_t> DirHitSectors()
{
    std::vector<uint32_t> out;
    for (DirSectorHit* d = g_DirSectorHits.head; d; d = d->next)
        out.push_back(d->sector);
    return out;
}

class SearchFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeExtensiveScanLists();
        ResetRecoverySettings();
        g_ShowScanProgress = 1;
    }
    void TearDown() override
    {
        FreeExtensiveScanLists();
        g_ExtensiveListLimits = DefaultExtensiveListLimits;
        ResetRecoverySettings();
    }
    // Runs one search over [start, start + count) on the current thread.
    uint64_t Search(uint16_t code, uint32_t start, uint32_t count)
    {
        VolumeParams = VolumeParamsRecord{};
        VolumeParams.selectionCode = code;
        VolumeParams.startSector = start;
        VolumeParams.sectorCount = count;
        VolumeParams.endSector = start + count;
        return code == FileSystemNtfs ? SearchNtfsStructures(m_shell) : SearchFatStructures(m_shell);
    }
    CRecordingExtensiveShell m_shell;
    CMessageRecorder m_messages;
};

}  // namespace

TEST(SectorMatchers, DirectorySectorsFromClusterTwoOnAndBelowTheirOwnSector)
{
    const DirCase cases[] = {
        {"FAT16's first directory at cluster 2", 2, 0, 1000, true},
        {"ordinary", 9, 2, 1000, true},
        {"FAT32 high half", 0x12345, 0, 0x200000, true},
        {"cluster 1", 1, 0, 1000, false},
        {"cluster 0", 0, 0, 1000, false},
        {"cluster at its own sector", 1000, 0, 1000, false},
        {"cluster past its own sector", 1001, 0, 1000, false},
        {"parent 0xFFFFFFFF", 9, 0xFFFFFFFF, 1000, false},
    };
    for (const DirCase& c : cases) {
        SCOPED_TRACE(c.what);
        unsigned char s[512] = {};
        MakeDirSector(s, c.cluster, c.parent);
        DirSectorMatch m = {};
        ASSERT_EQ(c.listed ? 1 : 0, MatchFatDirSector(s, c.lba, &m));
        if (c.listed) {
            EXPECT_EQ(c.cluster, m.cluster);
            EXPECT_EQ(c.parent, m.parentCluster);
        }
    }
    unsigned char notDir[512] = {};
    MakeDirSector(notDir, 9, 0);
    notDir[34] = 'X';   // ".." must be followed by a space
    DirSectorMatch m;
    EXPECT_EQ(0, MatchFatDirSector(notDir, 1000, &m));
}

TEST(SectorMatchers, BootSectorsByTheirTypeTextAndSignature)
{
    unsigned char fat32[512], fat16[512];
    MakeFatBootSector(fat32, true, 8, 32, 1000, 100000);
    MakeFatBootSector(fat16, false, 4, 4, 128, 60000);
    EXPECT_EQ(1, IsFatBootCandidate(fat32));
    EXPECT_EQ(1, IsFatBootCandidate(fat16));
    EXPECT_EQ(0, IsNtfsBootCandidate(fat32));
    fat32[511] = 0;
    EXPECT_EQ(0, IsFatBootCandidate(fat32));

    unsigned char ntfs[512] = {};
    memcpy(ntfs + 3, "NTFS    ", 8);
    ntfs[510] = 0x55;
    ntfs[511] = 0xAA;
    EXPECT_EQ(1, IsNtfsBootCandidate(ntfs));
    EXPECT_EQ(0, IsFatBootCandidate(ntfs));
}

// A chunk that cannot be read whole is read sector by sector; sectors that
// fail are not looked at (no stale bytes listed again at another LBA), and
// the last chunk ends at the range's end.
TEST_F(SearchFixture, UnreadableChunksAreNotExaminedAndTheLastChunkEndsAtTheRange)
{
    CTempVolume volume(25);
    MakeDirSector(volume.Sector(5), 3, 0);
    MakeDirSector(volume.Sector(22), 4, 3);
    volume.Open();
    RecoverySettings.sectorsPerRead = 10;

    // 20-29 reads short (20-24 are there), 30-39 not at all.
    EXPECT_EQ(25u, Search(FileSystemFat16, 0, 40));
    EXPECT_EQ((std::vector<uint32_t>{5, 22}), DirHitSectors());
    EXPECT_EQ(2u, g_ExtFolderCount);

    // A range ending inside a chunk: sector 22 lies past it.
    FreeExtensiveScanLists();
    EXPECT_EQ(22u, Search(FileSystemFat16, 0, 22));
    EXPECT_EQ((std::vector<uint32_t>{5}), DirHitSectors());

    // A range that starts inside the volume.
    FreeExtensiveScanLists();
    EXPECT_EQ(19u, Search(FileSystemFat32, 6, 19));
    EXPECT_EQ((std::vector<uint32_t>{22}), DirHitSectors());
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(SearchFixture, FatSearchListsBootAndDirectorySectorsWithTheirFields)
{
    CTempVolume volume(300);
    MakeFatBootSector(volume.Sector(63), true, 8, 32, 10, 237);
    MakeDirSector(volume.Sector(200), 5, 0);
    volume.Sector(200)[24] = 0x21;   // write date of "."
    volume.Sector(200)[18] = 0x42;   // access date of "."
    volume.Open();
    for (uint32_t perRead : {1u, 7u, 100u, 500u}) {
        SCOPED_TRACE(perRead);
        FreeExtensiveScanLists();
        RecoverySettings.sectorsPerRead = perRead;
        EXPECT_EQ(300u, Search(FileSystemFat32, 0, 300));
        ASSERT_EQ(1u, g_BootHitCount);
        EXPECT_EQ(63u, g_BootSectorHits.head->sector);
        ASSERT_EQ(1u, g_ExtFolderCount);
        DirSectorHit* d = g_DirSectorHits.head;
        EXPECT_EQ(200u, d->sector);
        EXPECT_EQ(5u, d->cluster);
        EXPECT_EQ(0u, d->parentCluster);
        EXPECT_EQ(0x21, d->writeDate);
        EXPECT_EQ(0x42, d->accessDate);
        EXPECT_EQ(VolumeUnassigned, d->volume);
    }
    EXPECT_EQ(1u, m_shell.counters[CounterBootSectors]);
    EXPECT_EQ(1u, m_shell.counters[CounterFolders]);
}

TEST_F(SearchFixture, NtfsSearchListsRecordsIndexBlocksAndBootSectors)
{
    CTempVolume volume(64);
    std::vector<unsigned char> file = MakeFileRecord(L"a.txt", 40, 1);
    std::vector<unsigned char> dir = MakeFileRecord(L"Sub", 5, 3);
    std::vector<unsigned char> gone = MakeFileRecord(L"gone.txt", 40, 0);
    std::vector<unsigned char> index = MakeIndexBlock(40, 0);
    volume.Write(10, file.data(), file.size());
    volume.Write(19, dir.data(), dir.size());   // across a chunk end when reading 10 at a time
    volume.Write(30, gone.data(), gone.size());
    volume.Write(40, index.data(), index.size());
    unsigned char* boot = volume.Sector(63);
    memcpy(boot + 3, "NTFS    ", 8);
    boot[510] = 0x55;
    boot[511] = 0xAA;
    volume.Open();
    RecoverySettings.sectorsPerRead = 10;

    EXPECT_EQ(64u, Search(FileSystemNtfs, 0, 64));
    ASSERT_EQ(2u, g_ExtFileCount);
    EXPECT_STREQ(L"a.txt", g_NtfsScanFileList.head->name);
    EXPECT_EQ(10u, g_NtfsScanFileList.head->recordSector);
    EXPECT_EQ(40u, g_NtfsScanFileList.head->parent);
    EXPECT_EQ(0u, g_NtfsScanFileList.head->deleted);
    EXPECT_EQ(1u, g_NtfsScanFileList.tail->deleted);
    ASSERT_EQ(1u, g_ExtFolderCount);
    EXPECT_STREQ(L"Sub", g_NtfsScanFolderList.head->name);
    EXPECT_EQ(19u, g_NtfsScanFolderList.head->recordSector);
    ASSERT_EQ(1u, g_IndexBlockCount);
    EXPECT_EQ(40u, g_IndexBlockList.head->sector);
    EXPECT_EQ(40u, g_IndexBlockList.head->owner);
    ASSERT_EQ(1u, g_BootHitCount);
    EXPECT_EQ(63u, g_BootSectorHits.head->sector);
    EXPECT_EQ(2u, m_shell.counters[CounterFiles]);
    EXPECT_EQ(1u, m_shell.counters[CounterIndexEntries]);
}

// System files carry flag bits beyond in-use and directory (view index);
// they are listed all the same.
TEST_F(SearchFixture, RecordsWithFurtherFlagBitsAreListed)
{
    CTempVolume volume(8);
    std::vector<unsigned char> secure = MakeFileRecord(L"$Secure", 5, 0x09);
    std::vector<unsigned char> quota = MakeFileRecord(L"$Quota", 11, 0x0B);
    volume.Write(0, secure.data(), secure.size());
    volume.Write(4, quota.data(), quota.size());
    volume.Open();
    Search(FileSystemNtfs, 0, 8);
    ASSERT_EQ(1u, g_ExtFileCount);
    EXPECT_STREQ(L"$Secure", g_NtfsScanFileList.head->name);
    EXPECT_EQ(0u, g_NtfsScanFileList.head->deleted);
    ASSERT_EQ(1u, g_ExtFolderCount);
    EXPECT_STREQ(L"$Quota", g_NtfsScanFolderList.head->name);
}

// Every list has a limit: passing it tells the user once, stops the search
// and keeps what was found.
TEST_F(SearchFixture, ListsStopAtTheirLimitsWithOneMessage)
{
    struct Case
    {
        const char* what;
        uint16_t code;
        uint32_t ExtensiveListLimits::*limit;
        void (*plant)(CTempVolume& v, uint32_t lba);
        uint32_t (*count)();
    } cases[] = {
        {"FAT boot sectors", FileSystemFat32, &ExtensiveListLimits::bootSectors,
         [](CTempVolume& v, uint32_t lba) { MakeFatBootSector(v.Sector(lba), true, 8, 32, 10, 1000); },
         [] { return g_BootHitCount; }},
        {"NTFS boot sectors", FileSystemNtfs, &ExtensiveListLimits::bootSectors,
         [](CTempVolume& v, uint32_t lba) {
             memcpy(v.Sector(lba) + 3, "NTFS    ", 8);
             v.Sector(lba)[510] = 0x55;
             v.Sector(lba)[511] = 0xAA;
         },
         [] { return g_BootHitCount; }},
        {"directory sectors", FileSystemFat16, &ExtensiveListLimits::dirSectors,
         [](CTempVolume& v, uint32_t lba) { MakeDirSector(v.Sector(lba), lba / 2, 0); },
         [] { return g_ExtFolderCount; }},
        {"file records", FileSystemNtfs, &ExtensiveListLimits::ntfsRecords,
         [](CTempVolume& v, uint32_t lba) {
             std::vector<unsigned char> r = MakeFileRecord(L"f", 5, 1);
             v.Write(lba, r.data(), r.size());
         },
         [] { return g_ExtFileCount + g_ExtFolderCount; }},
        {"index blocks", FileSystemNtfs, &ExtensiveListLimits::indexBlocks,
         [](CTempVolume& v, uint32_t lba) {
             std::vector<unsigned char> b = MakeIndexBlock(40, 0);
             v.Write(lba, b.data(), b.size());
         },
         [] { return g_IndexBlockCount; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreeExtensiveScanLists();
        CMessageRecorder messages;
        g_ExtensiveListLimits = DefaultExtensiveListLimits;
        g_ExtensiveListLimits.*c.limit = 3;
        CTempVolume volume(200);
        for (uint32_t lba = 100; lba < 200; lba += 4)
            c.plant(volume, lba);
        volume.Open();
        Search(c.code, 0, 200);
        EXPECT_EQ(4u, c.count());
        EXPECT_EQ(1, g_ScanStop);
        ASSERT_EQ(1u, messages.messages().size());
        EXPECT_EQ(L"Too many data structures found", messages.messages()[0].text);
        EXPECT_EQ(MessageKindError, messages.messages()[0].kind);
    }
}

// What was found before a limit stopped the search is still analysed, and
// the worker ends in the finished state for the wizard's timer.
TEST_F(SearchFixture, WorkerAnalysesWhatWasFoundBeforeALimit)
{
    CTempVolume volume(400);
    // Directories of one FAT16 layout (4 sectors per cluster, base 100), one
    // more than the limit.
    for (uint32_t cluster = 2; cluster < 7; ++cluster)
        MakeDirSector(volume.Sector(100 + 4 * cluster), cluster, 0);
    volume.Open();
    g_ExtensiveListLimits.dirSectors = 3;
    CRecordingExtensiveShell shell;
    ASSERT_TRUE(RunExtensiveScan(shell, FileSystemFat16, 0, 400, 60000));
    EXPECT_EQ(1u, m_messages.CountContaining(L"Too many data structures found"));
    EXPECT_EQ(4u, g_ExtFolderCount);
    EXPECT_EQ((std::vector<std::wstring>{L"FAT16 @100"}), shell.items);
    EXPECT_EQ(1, g_ScanStop);
    EXPECT_EQ(0, g_ScanBusy);
    EXPECT_TRUE(shell.HasStatus(L"Reading Sector 0 Of 400"));
    EXPECT_TRUE(shell.HasStatus(L"Analyzing the data found..."));
}
