// The Quick Scan of NTFS disks with one damaged MFT record each: every scan
// ends within its bound with the finished state and a tree, the damaged
// item is dealt with as stated, and everything else is listed as on the
// intact disk.
#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "ScanTestSupport.h"
#include "fat/FatLists.h"
#include "state/EngineState.h"

namespace {

struct DamagedCase
{
    const wchar_t* image;
    // Paths of the intact disk that are not expected (the damaged item).
    std::vector<std::string> gone;
    // Paths expected only on the damaged disk.
    std::vector<std::string> added;
};

struct QuickScanDamagedFixture : ::testing::Test
{
    void TearDown() override { FreeEntryLists(); }
};

PathListing ScanNtfsDisk(const wchar_t* image, CMessageRecorder& messages)
{
    COpenedImage opened(image);
    EXPECT_EQ(1, opened.opened());
    VolumeParams = VolumeParamsRecord();
    VolumeParams.selectionCode = FileSystemNtfs;
    VolumeParams.startSector = 2048;
    VolumeParams.sectorCount = 30720;
    VolumeParams.endSector = 2048 + 30720 - 1;
    CRecordingShell shell;
    EXPECT_TRUE(RunQuickScanWorker(shell, 30000));
    EXPECT_EQ(0, g_ScanBusy);
    EXPECT_EQ(1, g_ScanStop);
    EXPECT_EQ(1, shell.ntfsTrees);
    (void)messages;
    return shell.tree;
}

}  // namespace

TEST_F(QuickScanDamagedFixture, EachDamagedRecordIsContained)
{
    g_ScanMode = ScanModeQuick;
    const DamagedCase cases[] = {
        {L"ntfs-base.vhd", {}, {}},
        // A torn record cannot be trusted: it is left out.
        {L"ntfs-bad-fixup.vhd", {"Docs/Torn record.txt"}, {}},
        // A name attribute running past the record is not read.
        {L"ntfs-attr-past-record.vhd", {"Docs/Long attribute.txt"}, {}},
        // A root that names itself is not a folder of its own.
        {L"ntfs-root-self-parent.vhd", {}, {}},
        // Two folders that are each other's parent hang under "Lost Dir".
        {L"ntfs-folder-loop.vhd",
         {"Loop A", "Loop A/Loop B", "Loop A/in loop a.txt", "Loop A/Loop B/in loop b.txt"},
         {"Lost Dir/Loop A", "Lost Dir/Loop A/Loop B", "Lost Dir/Loop A/in loop a.txt",
          "Lost Dir/Loop A/Loop B/in loop b.txt"}},
        // Without record 0 the MFT is walked from where the boot sector
        // puts it to the volume's end; that walk also meets the mirror's
        // copy of record 0, so even "$MFT" is listed.
        {L"ntfs-no-mft-record.vhd", {}, {}},
    };
    PathListing base = ReadFlsListing(L"ntfs-base-p1.fls");
    ASSERT_TRUE(base.count("Docs/Torn record.txt"));
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(Utf8(c.image));
        CMessageRecorder messages;
        PathListing tree = ScanNtfsDisk(c.image, messages);
        PathListing expected = base;
        for (const std::string& p : c.gone)
            expected.erase(p);
        for (const std::string& p : c.added)
            expected[p] = false;
        EXPECT_EQ("", ListingDifference(expected, tree));
        EXPECT_EQ("", ListingDifference(tree, expected, "Lost Dir"));
        for (const std::string& p : c.gone)
            EXPECT_FALSE(tree.count(p)) << p;
        EXPECT_TRUE(messages.messages().empty());
    }
}
