// Lost items, stale parent references and the tree walk over damaged
// folder lists, on lists built directly.
#include <gtest/gtest.h>

#include "ScanTestSupport.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanNtfs.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"

namespace {

const FILETIME T0 = {0, 0};

struct LostFoldersFixture : ::testing::Test
{
    void SetUp() override
    {
        g_ScanMode = ScanModeQuick;
        g_ScanStop = 0;
        FreeNtfsEntryLists();
    }
    void TearDown() override { FreeNtfsEntryLists(); }

    NtfsFolderRecord* Folder(const wchar_t* name, uint32_t n, uint32_t parent, uint16_t seq, uint16_t parentSeq,
                             uint32_t deleted = 0)
    {
        NtfsFolderRecord* f = AddNtfsFolderRecord(name, n, parent, T0, T0, 0, deleted);
        f->sequence = seq;
        f->parentSequence = parentSeq;
        return f;
    }
    NtfsFileRecord* File(const wchar_t* name, uint32_t n, uint32_t parent, uint16_t parentSeq, uint32_t deleted)
    {
        NtfsFileRecord* f = AddNtfsFileRecord(2 * n, name, n, parent, T0, T0, deleted, 1);
        f->parentSequence = parentSeq;
        ++g_FileCount;
        return f;
    }
    PathListing Tree()
    {
        CRecordingShell shell;
        shell.BuildNtfsTree();
        return shell.tree;
    }
};

}  // namespace

TEST_F(LostFoldersFixture, ParentReferencesAreCheckedAgainstTheParentsSequence)
{
    Folder(L"Live", 40, 5, 3, 5);
    Folder(L"Reused", 41, 5, 9, 5);               // record 41 now holds another folder
    Folder(L"Deleted", 42, 5, 4, 5, 1);           // deleted: its number moved on by one
    File(L"in live.txt", 50, 40, 3, 0);
    File(L"old child.txt", 51, 41, 7, 1);          // its parent was record 41, sequence 7
    File(L"in deleted.txt", 52, 42, 3, 1);
    File(L"orphan.txt", 53, 44, 2, 1);             // parent 44 never listed
    FindLostNtfsFolders();
    PathListing t = Tree();
    EXPECT_TRUE(t.count("Live/in live.txt"));
    EXPECT_TRUE(t.count("Deleted/in deleted.txt"));
    EXPECT_FALSE(t.count("Reused/old child.txt"));
    EXPECT_TRUE(t.count("Lost Dir/old child.txt"));
    EXPECT_TRUE(t.count("Lost Dir/Dir0/orphan.txt"));
}

TEST_F(LostFoldersFixture, DamagedFolderListsStillGiveAFiniteTree)
{
    Folder(L"Root named", 5, 5, 5, 5);             // a root that is not "."
    Folder(L"Self", 60, 60, 1, 1);                 // its own parent
    Folder(L"A", 61, 62, 1, 1);                    // A and B: each other's parent
    Folder(L"B", 62, 61, 1, 1);
    Folder(L"Twice", 63, 5, 1, 5);                 // the same number twice
    Folder(L"Twice again", 63, 5, 1, 5);
    Folder(L"Under twice", 64, 63, 1, 1);
    File(L"in a.txt", 70, 61, 1, 0);
    FindLostNtfsFolders();
    PathListing t = Tree();
    EXPECT_FALSE(t.count("Root named"));
    EXPECT_TRUE(t.count("Lost Dir/Self"));
    EXPECT_TRUE(t.count("Lost Dir/A/B"));
    EXPECT_TRUE(t.count("Lost Dir/A/in a.txt"));
    EXPECT_TRUE(t.count("Twice/Under twice"));
    EXPECT_TRUE(t.count("Twice again"));
    EXPECT_LT(t.size(), 20u);
}

TEST(MftRecordSize, BootValueIsSignedOrInClusters)
{
    struct Case { unsigned char value; unsigned sectorsPerCluster; unsigned long long bytes; };
    const Case cases[] = {{0xF6, 8, 1024}, {0xF4, 8, 4096}, {0x01, 8, 4096}, {0x02, 1, 1024}, {0x80, 8, 0}};
    for (const Case& c : cases) {
        unsigned char boot[512] = {};
        boot[0x40] = c.value;
        EXPECT_EQ(c.bytes, MftRecordBytesFromBoot(boot, c.sectorsPerCluster)) << (int)c.value;
    }
}
