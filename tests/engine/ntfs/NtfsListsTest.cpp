// The NTFS lists: folder de-duplication by mode and the lookups beside them.
#include <gtest/gtest.h>

#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

const FILETIME T0 = {0, 0};

struct ListsFixture : ::testing::Test
{
    void SetUp() override { FreeNtfsEntryLists(); }
    void TearDown() override
    {
        FreeNtfsEntryLists();
        g_ScanMode = ScanModeQuick;
    }
};

}  // namespace

TEST_F(ListsFixture, ExtensiveModeAddsEachFolderNumberOnce)
{
    g_ScanMode = ScanModeExtensive;
    AddNtfsFolderRecord(L"a", 40, 5, T0, T0, 0, 0);
    AddNtfsFolderRecord(L"a again", 40, 5, T0, T0, 0, 0);
    EXPECT_EQ(1u, g_NtfsFolderList.count);
    EXPECT_EQ(1u, g_FolderCount);
    g_ScanMode = ScanModeQuick;
    AddNtfsFolderRecord(L"a third", 40, 5, T0, T0, 0, 0);
    EXPECT_EQ(2u, g_FolderCount);
}

TEST_F(ListsFixture, ChildrenAndFoldersAreFoundByNumber)
{
    AddNtfsFolderRecord(L"docs", 40, 5, T0, T0, 0, 0);
    AddNtfsFolderRecord(L"sub", 41, 40, T0, T0, 0, 1);
    NtfsFileRecord* f = AddNtfsFileRecord(1000, L"x.txt", 50, 40, T0, T0, 0, 10);
    AddNtfsFileRecord(1002, L"y.txt", 51, 5, T0, T0, 0, 10);
    EXPECT_STREQ(L"sub", FindNtfsFolder(41)->name);
    EXPECT_EQ(nullptr, FindNtfsFolder(42));
    const NtfsChildren& c = NtfsChildrenOf(40);
    ASSERT_EQ(1u, c.folders.size());
    ASSERT_EQ(1u, c.files.size());
    EXPECT_EQ(f, c.files[0]);
    SetNtfsFileParent(f, 41);
    EXPECT_TRUE(NtfsChildrenOf(40).files.empty());
    EXPECT_EQ(1u, NtfsChildrenOf(41).files.size());

    FreeNtfsEntryLists();
    FreeNtfsEntryLists();
    EXPECT_EQ(nullptr, g_NtfsFolderList.head);
    EXPECT_EQ(nullptr, FindNtfsFolder(40));
    EXPECT_TRUE(NtfsChildrenOf(5).folders.empty());
    EXPECT_EQ(0u, g_FolderCount);
}
