// Scan, save a snapshot, forget everything, load the snapshot: the lists
// come back record by record, the parameters field by field, and saving
// after the load writes the same bytes as saving before it: Quick Scan and
// File Trace results of the mixed disk and of the File Trace volume,
// Extensive Scan results of the mixed disk (the File Trace volume has no
// folders, so an Extensive Scan finds no file system on it). Reads never go
// through a physical-drive handle: it stays invalid throughout.
#include <gtest/gtest.h>

#include <functional>

#include "../save/SaveTestSupport.h"
#include "ExtensiveTestSupport.h"
#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "SnapshotTestSupport.h"
#include "TraceTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "save/SaveMarkedItems.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotFile.h"
#include "state/EngineState.h"
#include "trace/SignatureSearch.h"

namespace {

const wchar_t* ModeName(int mode)
{
    return mode == ScanModeExtensive ? L"Extensive Scan" : mode == ScanModeFileTrace ? L"File Trace" : L"Quick Scan";
}

// Everything the results list, saved into a fresh folder: path -> hash.
std::map<std::wstring, std::string> SaveAll(const wchar_t* folder)
{
    std::wstring dest = FreshFolder(folder);
    SaveSelection selection;
    if (g_ScanMode == ScanModeFileTrace) {
        selection.destination = dest;
        for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
            selection.files.push_back(h->hitNumber);
    } else {
        selection = MarkEverything(dest, false);
    }
    SaveSummary summary = SaveMarkedItems(selection);
    EXPECT_EQ(0u, summary.unreadableSectors);
    return HashTree(dest);
}

class SnapshotRoundTrip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeAllResultLists();
        ResetRecoverySettings();
        g_TraceSizeMB = 1;
        g_DiskHandle = INVALID_HANDLE_VALUE;
    }
    void TearDown() override
    {
        FreeAllResultLists();
        g_DiskHandle = NULL;
        g_TraceSizeMB = 0;
    }

    CMessageRecorder m_messages;

    // The results in the lists now go through a snapshot file and back.
    void RoundTrip(const char* what, int mode, bool saveFiles = true)
    {
        SCOPED_TRACE(what);
        const wchar_t letter = SnapshotModeLetter(mode);
        const std::vector<std::string> lists = DumpSnapshotLists(letter);
        const std::string params = DumpStoredParams();
        ASSERT_FALSE(lists.empty());
        std::map<std::wstring, std::string> before;
        // Each round trip has files and folders of its own: they run side
        // by side in separate processes.
        const std::string testName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::wstring suffix(testName.begin(), testName.end());
        const std::wstring beforeFolder = L"snapshot-before-" + suffix, afterFolder = L"snapshot-after-" + suffix;
        if (saveFiles) {
            before = SaveAll(beforeFolder.c_str());
            EXPECT_FALSE(before.empty());
        }

        CMessageRecorder messages;
        std::wstring path = TempSnapshotPath((L"tesmir-round-trip-" + suffix + L".xwqz").c_str());
        g_ScanMode = mode;
        g_ModeName = ModeName(mode);
        ASSERT_EQ(1, SaveSnapshotAs(path.substr(0, path.size() - 5)));   // the extension is added

        FreeAllResultLists();
        VolumeParams = VolumeParamsRecord();
        g_DiskIndex = 9;
        g_SourceType = SourceNone;
        CRecordingSnapshotShell shell;
        ASSERT_EQ(1, LoadSnapshot(shell, path));
        for (const RecordedMessage& m : messages.messages())
            ADD_FAILURE() << Utf8(m.text);
        DeleteFileW(path.c_str());

        EXPECT_EQ(lists, DumpSnapshotLists(letter));
        EXPECT_EQ(params, DumpStoredParams());
        EXPECT_EQ(1, shell.recoveryEnabled);
        EXPECT_EQ(1, shell.recoverySteps);
        EXPECT_EQ(1, shell.fatTrees + shell.ntfsTrees + shell.traceTrees);
        EXPECT_TRUE(shell.backHidden);
        EXPECT_EQ(shell.progressDialogs, shell.progressEnds);
        EXPECT_EQ(0, shell.badPositions);
        EXPECT_EQ(0, g_ScanBusy);
        EXPECT_EQ(1, g_ScanStop);
        EXPECT_EQ(INVALID_HANDLE_VALUE, g_DiskHandle);
        if (VolumeParams.fileSystemType == FileSystemNtfs && mode != ScanModeFileTrace) {
            EXPECT_EQ(ScanModeQuick, g_ScanMode);
        }
        if (saveFiles) {
            EXPECT_EQ(before, SaveAll(afterFolder.c_str()));
            // Left empty: the File Trace saves are large.
            FreshFolder(beforeFolder.c_str());
            FreshFolder(afterFolder.c_str());
        }
    }
};

struct Partition
{
    const char* name;
    uint16_t code;
    uint32_t start, sectors;
};
const Partition MixedPartitions[] = {
    {"FAT32", FileSystemFat32, 2048, 278528},
    {"NTFS", FileSystemNtfs, 280576, 49152},
    {"FAT16 4 sectors per cluster", FileSystemFat16, 331776, 131072},
    {"FAT16 1 sector per cluster", FileSystemFat16, 464896, 32768},
};

uint32_t TraceVolumeSectors()
{
    WIN32_FILE_ATTRIBUTE_DATA a;
    EXPECT_TRUE(GetFileAttributesExW(tesmir::test::FixturePath(L"trace.raw").c_str(), GetFileExInfoStandard, &a));
    return a.nFileSizeLow / 512;
}

TEST_F(SnapshotRoundTrip, QuickScanResults)
{
    {
        COpenedImage image(L"mixed-dynamic.vhdx");
        ASSERT_EQ(1, image.opened());
        for (const Partition& p : MixedPartitions) {
            FreeAllResultLists();
            g_ScanMode = ScanModeQuick;
            ASSERT_TRUE(ScanVolume(p.code, p.start, p.sectors));
            RoundTrip(p.name, ScanModeQuick);
        }
    }
    COpenedImage image(L"trace.vhd");
    ASSERT_EQ(1, image.opened());
    FreeAllResultLists();
    g_ScanMode = ScanModeQuick;
    ASSERT_TRUE(ScanVolume(FileSystemFat32, 0, TraceVolumeSectors()));
    RoundTrip("trace volume", ScanModeQuick);
}

TEST_F(SnapshotRoundTrip, ExtensiveScanResults)
{
    struct Case
    {
        const char* name;
        const wchar_t* image;
        uint16_t code;
        uint32_t start, count;
    } cases[] = {
        {"mixed NTFS", L"mixed-dynamic.vhdx", FileSystemNtfs, 280576, 49152},
        {"mixed FAT16", L"mixed-fixed.vhd", FileSystemFat16, 464896, 32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COpenedImage image(c.image);
        ASSERT_EQ(1, image.opened());
        // The range ends at the volume's last sector.
        CRecordingExtensiveShell scan;
        ASSERT_TRUE(RunExtensiveScan(scan, c.code, c.start, c.count - 1));
        ASSERT_NE(nullptr, g_FoundVolumes.head);
        CRecordingExtensiveShell extract;
        ASSERT_TRUE(RunExtraction(extract, 1));
        g_ScanMode = ScanModeExtensive;
        RoundTrip(c.name, ScanModeExtensive);
    }
}

TEST_F(SnapshotRoundTrip, FileTraceResults)
{
    const auto catalogue = LoadBuiltCatalogue();
    struct Case
    {
        const char* name;
        const wchar_t* image;
        uint32_t start, end;
    } cases[] = {
        {"trace volume", L"trace.vhd", 0, TraceVolumeSectors() - 1},
        {"mixed disk", L"mixed-dynamic.vhd", 0, 499711},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COpenedImage image(c.image);
        ASSERT_EQ(1, image.opened());
        FreeAllResultLists();
        ChooseAllSignatures(catalogue);
        VolumeParams = VolumeParamsRecord();
        SetSearchRange(c.start, c.end);
        g_ScanMode = ScanModeFileTrace;
        g_ScanStop = 0;
        SearchSignatures(nullptr, nullptr);
        if (c.image[0] == L't') {
            EXPECT_EQ(ReadTraceManifest().size(), g_TraceHitList.count);
        }
        RoundTrip(c.name, ScanModeFileTrace, g_TraceHitList.count != 0);
    }
}

}  // namespace
