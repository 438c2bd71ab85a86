// The FAT folder and file lists: folder merging, resets, the name check and
// the listing of one directory sector.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "fat/FatDirEntry.h"
#include "fat/FatDirectory.h"
#include "fat/FatLists.h"
#include "fat/ScanPanelHost.h"
#include "state/EngineState.h"

namespace {

class FatListsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeEntryLists();
        VolumeParams = VolumeParamsRecord{};
        g_ScanStop = 0;
    }
    void TearDown() override { FreeEntryLists(); }
};

TEST_F(FatListsTest, LiveFolderTakesOverADeletedRecordOfItsCluster)
{
    AddFatFolder(L"Old Name", 40, 7, 0x1111, 0x2222, 0, 1);
    AddFatFolder(L"New Name", 40, 9, 0x3333, 0x4444, 0, 0);
    ASSERT_EQ(1u, g_FolderCount);
    FatFolderRecord* r = g_FatFolders.head;
    EXPECT_STREQ(L"New Name", r->name);
    EXPECT_EQ(9u, r->parentCluster);
    EXPECT_EQ(0x3333, r->modifiedDate);
    EXPECT_EQ(0x4444, r->accessDate);
    EXPECT_EQ(0u, r->deleted);

    // A later deleted or live entry of the same cluster changes nothing.
    AddFatFolder(L"Deleted Again", 40, 11, 1, 1, 0, 1);
    AddFatFolder(L"Live Again", 40, 12, 1, 1, 0, 0);
    EXPECT_EQ(1u, g_FolderCount);
    EXPECT_STREQ(L"New Name", r->name);
    EXPECT_EQ(9u, r->parentCluster);
    EXPECT_EQ(r, FindFatFolder(40));
    EXPECT_EQ(nullptr, FindFatFolder(41));
}

TEST_F(FatListsTest, ResettingTwiceLeavesEmptyListsAndZeroCounters)
{
    AddFatFolder(L"A", 3, 0, 0, 0, 0, 0);
    AddFatFile(L"b.txt", 4, 3, 0, 0, 10, 0);
    g_FileCount = 1;
    g_TotalFileSize = 10;
    g_ParsedEntryCount = 2;
    FreeEntryLists();
    FreeEntryLists();
    EXPECT_EQ(nullptr, g_FatFolders.head);
    EXPECT_EQ(nullptr, g_FatFiles.head);
    EXPECT_EQ(0u, g_FolderCount);
    EXPECT_EQ(0u, g_FileCount);
    EXPECT_EQ(0u, g_TotalFileSize);
    EXPECT_EQ(0u, g_ParsedEntryCount);
    EXPECT_EQ(nullptr, FindFatFolder(3));
}

TEST(FatNames, NameCheck)
{
    const struct
    {
        const wchar_t* name;
        int valid;
    } cases[] = {
        {L"report.txt", 1}, {L"drive:c.txt", 1}, {L"what?.txt", 0}, {L"a*b", 0},
        {L"a\\b", 0},       {L"a/b", 0},         {L"a\"b", 0},       {L"<x>", 0},
        {L"a|b", 0},        {L"tab\there", 0},   {L"\x1F", 0},       {L"Stra\u00dfe", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, IsValidFileName(c.name)) << c.name;
}

// Records what the listing shows on the scan panel.
class CRecordingPanel : public CScanPanelHost
{
public:
    CRecordingPanel() { m_previous = SetScanPanelHost(this); }
    ~CRecordingPanel() { SetScanPanelHost(m_previous); }
    void SetProgress(int position) override { progress.push_back(position); }
    void SetCurrentSector(uint64_t sector) override { this->sector = sector; }
    void SetLastItem(const wchar_t* name) override { last = name; }

    std::vector<int> progress;
    uint64_t sector = 0;
    std::wstring last;

private:
    CScanPanelHost* m_previous;
};

void PutEntry(unsigned char* sector, int i, const char* name11, uint8_t attr, uint32_t cluster, uint32_t size)
{
    unsigned char* e = sector + i * FatDirEntrySize;
    memcpy(e, name11, 11);
    e[11] = attr;
    e[0x12] = 0x21;  // access date
    e[0x14] = (unsigned char)(cluster >> 16);
    e[0x15] = (unsigned char)(cluster >> 24);
    e[0x18] = 0x42;  // modification date
    e[0x1A] = (unsigned char)cluster;
    e[0x1B] = (unsigned char)(cluster >> 8);
    memcpy(e + 0x1C, &size, 4);
}

TEST_F(FatListsTest, DirectorySectorListsItsEntries)
{
    unsigned char sector[512] = {};
    PutEntry(sector, 0, ".          ", 0x10, 0x10005, 0);
    PutEntry(sector, 1, "..         ", 0x10, 0, 0);
    PutEntry(sector, 2, "README     ", 0x20, 0x10006, 700);
    PutEntry(sector, 3, "\xE5ILE    TXT", 0x20, 0x10007, 5);
    PutEntry(sector, 4, "EMPTY   DAT", 0x20, 0, 0);           // no cluster: not listed
    PutEntry(sector, 5, "WHAT?   TXT", 0x20, 0x10008, 1);     // invalid name: not listed
    PutEntry(sector, 6, "SUB        ", 0x10, 0x10009, 0);
    PutEntry(sector, 7, "SUB        ", 0x10, 0x10009, 0);     // the same folder again
    // entry 8 is 0: the end of the directory

    VolumeParams.fileSystemType = FileSystemFat32;
    // A damaged sector count smaller than one cluster: no progress, no fault.
    VolumeParams.sectorsPerCluster = 8;
    VolumeParams.sectorCount = 7;
    CRecordingPanel panel;
    int end = 0;
    ParseFatDirSector(sector, 0x10005, &end, 123456, 0, 2, nullptr);
    EXPECT_EQ(1, end);
    EXPECT_EQ(123456u, panel.sector);
    EXPECT_TRUE(panel.progress.empty());
    EXPECT_EQ(L"SUB", panel.last);

    ASSERT_EQ(2u, g_FileCount);
    FatFileRecord* f = g_FatFiles.head;
    EXPECT_STREQ(L"README", f->name);
    EXPECT_EQ(0x10006u, f->firstCluster);
    EXPECT_EQ(0x10005u, f->parentCluster);
    EXPECT_EQ(0x42, f->modifiedDate);
    EXPECT_EQ(0x21, f->accessDate);
    EXPECT_EQ(700u, f->size);
    EXPECT_EQ(0u, f->deleted);
    EXPECT_EQ(0u, f->fileNumber);
    f = f->next;
    EXPECT_STREQ(L"xILE.TXT", f->name);
    EXPECT_EQ(1u, f->deleted);
    EXPECT_EQ(1u, f->fileNumber);
    EXPECT_EQ(705u, g_TotalFileSize);
    ASSERT_EQ(1u, g_FolderCount);
    EXPECT_STREQ(L"SUB", g_FatFolders.head->name);
    EXPECT_EQ(4u, g_ParsedEntryCount);

    // In a deleted directory everything is deleted; progress stays in 0..99.
    FreeEntryLists();
    VolumeParams.sectorCount = 16;  // two clusters: 200 % after four entries
    ParseFatDirSector(sector, 0x10005, &end, 1, 1, 2, nullptr);
    for (FatFileRecord* r = g_FatFiles.head; r; r = r->next)
        EXPECT_EQ(1u, r->deleted);
    EXPECT_EQ(1u, g_FatFolders.head->deleted);
    ASSERT_FALSE(panel.progress.empty());
    for (int p : panel.progress)
        EXPECT_LE(p, 99);
}

}  // namespace
