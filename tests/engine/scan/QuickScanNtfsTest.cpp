// The Quick Scan of NTFS volumes against The Sleuth Kit's listings, and of
// damaged volumes that must end with a tree and no hang.
#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "ScanTestSupport.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanNtfs.h"
#include "state/EngineState.h"

namespace {

// The mixed disk's NTFS partition.
const uint32_t MixedNtfsStart = 280576, MixedNtfsSectors = 49152;

struct QuickScanNtfsFixture : ::testing::Test
{
    void SetUp() override
    {
        g_ScanMode = ScanModeQuick;
        g_ScanStop = 0;   // as the starter leaves it
    }
    void TearDown() override { FreeNtfsEntryLists(); }
};

}  // namespace

TEST_F(QuickScanNtfsFixture, MixedDiskThroughDynamicVhdxMatchesTheSleuthKit)
{
    CMessageRecorder messages;
    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    ASSERT_TRUE(SetNtfsParamsFromBoot(MixedNtfsStart, MixedNtfsSectors));
    CRecordingShell shell;
    QuickScanNtfs(shell);
    EXPECT_TRUE(messages.messages().empty());
    ASSERT_EQ(1, shell.ntfsTrees);

    PathListing fls = ReadFlsListing(L"mixed-p2.fls");
    ASSERT_GT(fls.size(), 1000u);
    EXPECT_EQ("", ListingDifference(fls, shell.tree));
    // Nothing the oracle does not list, but for the lost items.
    EXPECT_EQ("", ListingDifference(shell.tree, fls, "Lost Dir"));

    // The file spread over extension records (its name lives in one) has
    // its full size from the first $DATA extent.
    bool found = false;
    for (NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next)
        if (wcscmp(f->name, L"attribute list.bin") == 0) {
            found = true;
            EXPECT_EQ(3u * 1048576, f->size);
        }
    EXPECT_TRUE(found);
    EXPECT_EQ(99, shell.highestProgress);
    EXPECT_NE(shell.statuses.end(), std::find(shell.statuses.begin(), shell.statuses.end(),
                                              std::wstring(L"Please wait creating tree...")));
}
