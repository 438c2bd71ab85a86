// The save's flags, questions and failures: a stopped save leaves nothing
// behind for later previews, previews ignore a running save's flags, paths
// in questions are escaped, unreadable sectors become counted zeros, and a
// file marked together with its folder is written once.
#include <gtest/gtest.h>

#include <memory>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "SaveTestSupport.h"
#include "ScanTestSupport.h"
#include "fat/FatLists.h"
#include "ntfs/MftRunTable.h"
#include "ntfs/NtfsLists.h"
#include "save/SaveFile.h"
#include "save/SaveMarkedItems.h"
#include "save/SavePath.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"
#include "save/SaveReporter.h"
#include "trace/TraceHitFile.h"

namespace {

// The mixed disk's small FAT16 volume (1 sector per cluster).
void ScanSmallFat() { ASSERT_TRUE(ScanVolume(FileSystemFat16, 464896, 32768)); }

const FatFileRecord* FatFile(const wchar_t* name)
{
    for (FatFileRecord* f = g_FatFiles.head; f; f = f->next)
        if (wcscmp(f->name, name) == 0)
            return f;
    return nullptr;
}

SaveRequest FatRequest(const FatFileRecord& f, const std::wstring& folder, int report)
{
    SaveRequest r;
    r.folder = folder;
    r.name = f.name;
    r.size = f.size;
    r.source = f.firstCluster;
    r.report = report;
    r.deleted = f.deleted;
    r.time = FatFileSaveTime(f);
    return r;
}

// A reporter that presses the saving dialog's Stop once the n-th file has
// started, and counts what it is told.
struct CStopAfter
{
    int stopAt;
    int started = 0;
    int lastProgress = -1;
    static void Started(void* c, const wchar_t*, const wchar_t*, int count)
    {
        CStopAfter* self = static_cast<CStopAfter*>(c);
        ++self->started;
        if (count == self->stopAt)
            g_SaveStop = 1;
    }
    static void Progress(void* c, int p) { static_cast<CStopAfter*>(c)->lastProgress = p; }
    TraceSaveReporter Reporter()
    {
        TraceSaveReporter r = {};
        r.context = this;
        r.fileStarted = &Started;
        r.progress = &Progress;
        return r;
    }
};

struct SaveFlowFixture : ::testing::Test
{
    void SetUp() override
    {
        g_ScanMode = ScanModeQuick;
        ResetRecoverySettings();
        image.reset(new COpenedImage(L"mixed-dynamic.vhdx"));
        ASSERT_EQ(1, image->opened());
    }
    void TearDown() override
    {
        image.reset();
        SetTraceSaveReporter(nullptr);
        FreeEntryLists();
        g_SaveStop = g_SaveSkip = 0;
    }
    std::unique_ptr<COpenedImage> image;
};

}  // namespace

TEST_F(SaveFlowFixture, AStoppedSaveLeavesTheFlagsClearForPreviews)
{
    CMessageRecorder messages;
    ScanSmallFat();
    CStopAfter stop{3};
    TraceSaveReporter reporter = stop.Reporter();
    SetTraceSaveReporter(&reporter);
    std::wstring dest = FreshFolder(L"stopped");
    SaveSummary summary = SaveMarkedItems(MarkEverything(dest, false));
    EXPECT_EQ(3, stop.started);
    EXPECT_LE(summary.written, 3u);
    EXPECT_EQ(0, g_SaveStop);
    EXPECT_EQ(0, g_SaveSkip);

    // A preview after the stopped save writes the whole file.
    const FatFileRecord* readme = FatFile(L"README.TXT");
    ASSERT_TRUE(readme);
    std::wstring preview = FreshFolder(L"preview");
    SaveRequest r = FatRequest(*readme, preview, 0);
    EXPECT_EQ(1, SaveFatFile(r));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(r.path, bytes));
    EXPECT_EQ(readme->size, bytes.size());
}

TEST_F(SaveFlowFixture, PreviewsIgnoreARunningSavesFlags)
{
    CMessageRecorder messages;
    ScanSmallFat();
    const FatFileRecord* big = FatFile(L"one MiB plus seven.bin");
    ASSERT_TRUE(big);
    std::wstring folder = FreshFolder(L"preview-flags");
    g_SaveStop = 1;
    g_SaveSkip = 1;
    SaveRequest preview = FatRequest(*big, folder, 0);
    EXPECT_EQ(1, SaveFatFile(preview));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(preview.path, bytes));
    EXPECT_EQ(big->size, bytes.size());
    // The save itself does stop on them.
    SaveRequest saving = FatRequest(*big, folder, 1);
    EXPECT_EQ(0, SaveFatFile(saving));
    EXPECT_EQ(SaveStopped, saving.outcome);
    EXPECT_EQ(1, g_SaveStop);
}

TEST_F(SaveFlowFixture, CreateFailuresAskWithAnEscapedPathAndNoStopsTheSave)
{
    CMessageRecorder messages(2);   // "No"
    ScanSmallFat();
    // The destination is a file, so nothing can be created in it.
    std::wstring outer = FreshFolder(L"blocked");
    std::wstring dest = outer + L"\\R&D <x>";
    HANDLE h = CreateFileW((LongDestination(outer) + L"\\R&D _x_").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           0, nullptr);
    CloseHandle(h);
    dest = outer + L"\\R&D _x_";
    SaveSummary summary = SaveMarkedItems(MarkEverything(dest, false));
    ASSERT_EQ(1u, messages.messages().size());
    const RecordedMessage& m = messages.messages()[0];
    EXPECT_EQ(1, m.isQuestion);
    EXPECT_EQ(MessageKindError, m.kind);
    EXPECT_EQ(0u, m.text.find(L"Error creating file : "));
    EXPECT_NE(std::wstring::npos, m.text.find(L"R&amp;D _x_\\Root\\"));
    EXPECT_EQ(std::wstring::npos, m.text.find(L"\\\\?\\"));
    EXPECT_NE(std::wstring::npos, m.text.find(L".  Continue Recovery ? "));
    EXPECT_EQ(0u, summary.written);
    EXPECT_EQ(1u, summary.failed);
    EXPECT_EQ(0, g_SaveStop);   // cleared when the save ended
}

TEST_F(SaveFlowFixture, UnreadableSectorsBecomeCountedZerosAndTheFileIsIncomplete)
{
    CMessageRecorder messages;
    const uint32_t diskSectors = 499712;
    // A made-up FAT16 volume whose cluster 3 runs two sectors past the disk's
    // end; no FAT, so the clusters are taken one after the other.
    VolumeParams = VolumeParamsRecord();
    VolumeParams.fileSystemType = FileSystemFat16;
    VolumeParams.sectorsPerCluster = 4;
    VolumeParams.clusterBase = diskSectors - 14;
    SaveRequest r;
    r.folder = FreshFolder(L"unreadable");
    r.name = L"tail.bin";
    r.size = 4096;
    r.source = 2;
    r.report = 1;
    EXPECT_EQ(0, SaveFatFile(r));
    EXPECT_EQ(SaveIncomplete, r.outcome);
    EXPECT_EQ(2u, r.unreadableSectors);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(r.path, bytes));
    ASSERT_EQ(4096u, bytes.size());
    EXPECT_EQ(ReadSectorsAt(diskSectors - 6, 6), bytes.substr(0, 3072));
    EXPECT_EQ(std::string(1024, '\0'), bytes.substr(3072));
}

TEST_F(SaveFlowFixture, AFileMarkedWithItsFolderIsWrittenOnce)
{
    CMessageRecorder messages;
    ScanSmallFat();
    const FatFileRecord* readme = FatFile(L"README.TXT");      // in the root
    const FatFileRecord* shortName = FatFile(L"SHORT.TXT");    // in Names
    ASSERT_TRUE(readme && shortName);
    std::wstring dest = FreshFolder(L"once");
    SaveSelection everything = MarkEverything(dest, false);
    SaveSelection s;
    s.destination = dest;
    s.rootTreeItem = everything.rootTreeItem;
    s.folders.push_back(everything.folders[0]);   // "Root" only
    s.files = {readme->fileNumber, shortName->fileNumber};
    SaveMarkedItems(s);
    std::map<std::wstring, std::string> saved = HashTree(dest);
    EXPECT_EQ(1u, saved.count(L"Root\\README.TXT"));
    EXPECT_EQ(0u, saved.count(L"Copy (1 ) of README.TXT"));
    EXPECT_EQ(0u, saved.count(L"README.TXT"));
    EXPECT_EQ(1u, saved.count(L"SHORT.TXT"));   // its folder is not marked
}

TEST_F(SaveFlowFixture, FiltersAndTheDuplicatePolicyApplyToSavesOnly)
{
    CMessageRecorder messages;
    ScanSmallFat();
    const FatFileRecord* readme = FatFile(L"README.TXT");
    ASSERT_TRUE(readme);
    std::wstring folder = FreshFolder(L"policy");
    SaveRequest first = FatRequest(*readme, folder, 1);
    ASSERT_EQ(1, SaveFatFile(first));
    SaveRequest second = FatRequest(*readme, folder, 1);
    ASSERT_EQ(1, SaveFatFile(second));
    EXPECT_EQ(L"Copy (1 ) of README.TXT", second.name);
    RecoverySettings.duplicateNames = 3;
    SaveRequest skipped = FatRequest(*readme, folder, 1);
    EXPECT_EQ(0, SaveFatFile(skipped));
    EXPECT_EQ(SaveDuplicateSkipped, skipped.outcome);
    SaveRequest preview = FatRequest(*readme, folder, 0);   // overwrites
    EXPECT_EQ(1, SaveFatFile(preview));
    EXPECT_EQ(L"README.TXT", preview.name);
    RecoverySettings.deletedFiles = 2;   // only deleted files
    SaveRequest live = FatRequest(*readme, folder, 1);
    EXPECT_EQ(0, SaveFatFile(live));
    EXPECT_EQ(SaveFiltered, live.outcome);
}

TEST_F(SaveFlowFixture, NtfsExtentsThatCannotBeFoundBecomeZerosAndTheFileIsIncomplete)
{
    CMessageRecorder messages;
    ASSERT_TRUE(ScanVolume(FileSystemNtfs, 280576, 49152));
    const NtfsFileRecord* file = nullptr;
    for (NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next)
        if (wcscmp(f->name, L"attribute list.bin") == 0)
            file = f;
    ASSERT_TRUE(file);
    SaveRequest r;
    r.folder = FreshFolder(L"extents");
    r.name = file->name;
    r.size = file->size;
    r.source = file->dataRecordSector;
    r.report = 1;
    ASSERT_EQ(1, SaveNtfsFile(r));   // every extent through the attribute list
    std::string whole;
    ASSERT_TRUE(ReadWholeFile(r.path, whole));
    ASSERT_EQ(file->size, whole.size());

    // Without the MFT's run table the extension records cannot be found:
    // the extents of the base record are written, the rest is zeros.
    auto saveIncomplete = [&](std::string& bytes) {
        SaveRequest again = r;
        again.name = file->name;
        EXPECT_EQ(0, SaveNtfsFile(again));
        EXPECT_EQ(SaveIncomplete, again.outcome);
        return ReadWholeFile(again.path, bytes);
    };
    ClearMftRunTable();
    const uint32_t mftSector = VolumeParams.mftSector;
    VolumeParams.mftSector = 0;
    std::string bytes;
    ASSERT_TRUE(saveIncomplete(bytes));
    ASSERT_EQ(whole.size(), bytes.size());
    size_t same = 0;
    while (same < bytes.size() && bytes[same] == whole[same])
        ++same;
    EXPECT_GT(same, 0u);
    EXPECT_LT(same, bytes.size());
    // What follows the base record's extents is zeros up to the end
    // (the first differing byte may itself be a zero of the data).
    size_t zerosFrom = bytes.find_last_not_of('\0') + 1;
    EXPECT_LE(zerosFrom, same + 1);

    // A table left by another volume (here one whose clusters and MFT lie
    // eight sectors on, so that it maps every record four records late) is
    // no table of this one: the save is the same as without a table, never
    // that volume's records taken for this file's.
    ASSERT_NE(MftRunTableFailed, BuildMftRunTable(VolumeParams.clusterBase + 8, mftSector + 8,
                                                  VolumeParams.sectorsPerCluster, VolumeParams.endSector));
    std::string staleBytes;
    ASSERT_TRUE(saveIncomplete(staleBytes));
    EXPECT_TRUE(staleBytes == bytes);
    VolumeParams.mftSector = mftSector;
}

TEST_F(SaveFlowFixture, FileTraceHitsAreSavedThroughTheirOwnWriter)
{
    CMessageRecorder messages;
    g_ScanMode = ScanModeFileTrace;
    int sizeMB = g_TraceSizeMB;
    g_TraceSizeMB = 1;
    AppendTraceHit(L"7.jpg", L".jpg", L"JPEG image", 2048, 7);
    std::wstring dest = FreshFolder(L"hits");
    SaveSelection s;
    s.destination = dest;
    s.files = {7, 8};   // 8 is no hit
    SaveSummary summary = SaveMarkedItems(s);
    FreeTraceHitList();
    g_TraceSizeMB = sizeMB;
    EXPECT_EQ(1u, summary.written);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(LongDestination(dest) + L"\\7.jpg", bytes));
    EXPECT_EQ(ReadSectorsAt(2048, 2048), bytes);
}

// Marking every folder of a large volume and preparing the save costs a
// step per folder: 100,000 folders stored by the tree builder and resolved
// by the save, then a tree built again and resolved once more.
TEST(SavePreparation, MarkingEveryFolderIsLinear)
{
    const uint32_t n = 100000;
    for (uint16_t code : {FileSystemFat32, FileSystemNtfs}) {
        SCOPED_TRACE(code);
        FreeEntryLists();
        VolumeParams.fileSystemType = code;
        const bool ntfs = code == FileSystemNtfs;
        auto steps = [&] { return ntfs ? NtfsTreeItemSteps() : FatTreeItemSteps(); };
        for (uint32_t i = 0; i < n; ++i) {
            if (ntfs)
                AddNtfsFolderRecord(L"f", 100 + i, 5, FILETIME(), FILETIME(), 0, 0);
            else
                AddFatFolder(L"f", 3 + i, 0, 0, 0, 0, 0);
        }
        for (uint32_t tree = 1; tree <= 2; ++tree) {
            const uint64_t before = steps();
            SaveSelection selection;
            selection.destination = L"C:\\unused";
            selection.rootTreeItem = 1;
            selection.folders.push_back({1, L"Root"});
            uint32_t item = tree * 1000000;
            if (ntfs)
                for (NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next)
                    SetNtfsFolderTreeItem(f, item++);
            else
                for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
                    SetFatFolderTreeItem(f, item++);
            for (uint32_t i = 0; i < n; ++i)
                selection.folders.push_back({tree * 1000000 + i, L"Root\\f"});
            selection.folders.push_back({(3 - tree) * 1000000, L"Root\\old"});   // an item of the other tree
            std::vector<std::pair<uint32_t, std::wstring>> folders = ResolveMarkedFolders(selection);
            ASSERT_EQ(n + 1, folders.size());
            EXPECT_EQ(ntfs ? 5u : 0u, folders.front().first);
            EXPECT_EQ(ntfs ? 100u + n - 1 : 3u + n - 1, folders.back().first);
            EXPECT_EQ(2ull * n + 1, steps() - before);
        }
        FreeEntryLists();
    }
    VolumeParams = VolumeParamsRecord();
}
