// The Save and Load Recovery Snapshot commands: the default name, the
// dialog's flags, the one overwrite question, failures to open or write,
// the mode check, and the check that the open image is the one the results
// came from (results without an image load with previews and "Recover"
// off until a matching image is opened).
#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "SnapshotTestSupport.h"
#include "TraceTestSupport.h"
#include "fat/FatLists.h"
#include "msg/MessageSink.h"
#include "ntfs/NtfsLists.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotFile.h"
#include "state/EngineState.h"

namespace {

class SnapshotCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeAllResultLists();
        m_path = TempSnapshotPath(L"tesmir-commands.xwqz");
        g_ScanMode = ScanModeQuick;
        g_ModeName = L"Quick Scan";
        g_SourceType = SourceVirtualDisk;
        VolumeParams = Fat32VolumeParams();
        g_ScanBusy = 1;
        g_ScanStop = 0;
    }
    void TearDown() override
    {
        DeleteFileW(m_path.c_str());
        FreeAllResultLists();
        g_ScanBusy = 0;
        g_ScanStop = 1;
        g_SourceType = SourceVirtualDisk;
    }
    // Loads a file through the Load command's path handling.
    int Load(const std::vector<unsigned char>& bytes)
    {
        EXPECT_TRUE(WriteBytes(m_path, bytes));
        return LoadSnapshot(m_shell, m_path);
    }

    std::wstring m_path;
    CRecordingSnapshotShell m_shell;
    CMessageRecorder m_messages;
};

TEST_F(SnapshotCommands, DefaultNameIsImageModeAndTime)
{
    SYSTEMTIME t = {};
    t.wYear = 2011;
    t.wMonth = 3;
    t.wDay = 3;
    t.wHour = 14;
    t.wMinute = 5;
    t.wSecond = 9;
    EXPECT_EQ(L"disk1.vhd_Quick Scan_03-03-2011_14.05.09", DefaultSnapshotName(L"disk1.vhd", L"Quick Scan", t));
}

TEST_F(SnapshotCommands, SaveAsksForNewFilesWithTheDefaultNameAndAddsTheExtension)
{
    AddFatFolder(L"A", 3, 0, 0, 0, 0, 0);
    m_shell.chosenPath = m_path.substr(0, m_path.size() - 5);
    ASSERT_EQ(1, SaveSnapshotCommand(m_shell, L"disk1.vhd"));
    EXPECT_TRUE(m_shell.askedSave);
    // A save dialog that accepts names of files that do not exist yet.
    EXPECT_EQ((DWORD)(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST), m_shell.askedFlags);
    EXPECT_EQ(0u, m_shell.askedFlags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(L"*.xwqz", m_shell.askedFilter);
    EXPECT_EQ(L"Save Sanpshot", m_shell.askedTitle);
    EXPECT_EQ(0u, m_shell.askedName.find(L"disk1.vhd_Quick Scan_"));
    EXPECT_EQ(wcslen(L"disk1.vhd_Quick Scan_01-01-2000_00.00.00"), m_shell.askedName.size());
    EXPECT_EQ(80u + 4 + 21 + 4 + 4, ReadBytes(m_path).size());
    EXPECT_TRUE(m_messages.messages().empty());

    // Cancel writes nothing.
    m_shell.chosenPath.clear();
    EXPECT_EQ(0, SaveSnapshotCommand(m_shell, L"disk1.vhd"));
}

// The dialog asks before it returns an existing name; only a name that
// gets the extension afterwards is asked about here.
TEST_F(SnapshotCommands, ReplacingAFileIsAskedOnce)
{
    AddFatFolder(L"A", 3, 0, 0, 0, 0, 0);
    ASSERT_TRUE(WriteBytes(m_path, {1, 2, 3}));
    EXPECT_EQ(1, SaveSnapshotAs(m_path));
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(113u, ReadBytes(m_path).size());

    ASSERT_TRUE(WriteBytes(m_path, {1, 2, 3}));
    m_messages.SetAnswer(2);
    EXPECT_EQ(0, SaveSnapshotAs(m_path.substr(0, m_path.size() - 5)));
    ASSERT_EQ(1u, m_messages.messages().size());
    EXPECT_EQ(m_path + L" already exists.\r\nDo you want to replace it?", m_messages.messages()[0].text);
    EXPECT_TRUE(m_messages.messages()[0].isQuestion);
    EXPECT_EQ(3u, ReadBytes(m_path).size());
    EXPECT_TRUE(g_strMessageText.empty());

    m_messages.SetAnswer(1);
    EXPECT_EQ(1, SaveSnapshotAs(m_path.substr(0, m_path.size() - 5)));
    EXPECT_EQ(113u, ReadBytes(m_path).size());
}

TEST_F(SnapshotCommands, UpperCaseExtensionIsKeptOnSavingAndLoadingLowerCasesThePath)
{
    AddFatFolder(L"A", 3, 0, 0, 0, 0, 0);
    std::wstring upper = m_path.substr(0, m_path.size() - 5) + L".XWQZ";
    ASSERT_EQ(1, SaveSnapshotAs(upper));
    std::wstring doubled = upper + L".xwqz";
    EXPECT_EQ(113u, ReadBytes(doubled).size());
    DeleteFileW(doubled.c_str());

    ASSERT_EQ(1, SaveSnapshotAs(m_path));
    FreeAllResultLists();
    EXPECT_EQ(1, LoadSnapshot(m_shell, upper));   // finds the lower-case name
    EXPECT_EQ(1u, g_FatFolders.count);
}

TEST_F(SnapshotCommands, FilesThatCannotBeCreatedAreReported)
{
    AddFatFolder(L"A", 3, 0, 0, 0, 0, 0);
    std::wstring missingFolder = m_path + L"-missing\\x.xwqz";
    EXPECT_EQ(0, SaveSnapshotAs(missingFolder));
    g_ScanMode = ScanModeFileTrace;
    EXPECT_EQ(0, SaveSnapshotAs(missingFolder));
    ASSERT_EQ(2u, m_messages.messages().size());
    EXPECT_EQ(L"Unable to open the file.", m_messages.messages()[0].text);
    EXPECT_EQ(L"Unable to open the file", m_messages.messages()[1].text);
    EXPECT_EQ(MessageKindError, m_messages.messages()[0].kind);
}

// A snapshot written to a full disk: Linux's /dev/full accepts the open and
// refuses every write with "no space left". The link to it is made in the
// build folder by the system's ln, which Wine runs as a native program.
// (Wine cannot delete a device, so that the partial file is deleted is not
// seen here.)
TEST_F(SnapshotCommands, FailedWritesAreReported)
{
    const char* buildDir = getenv("TESMIR_BUILD_DIR");
    ASSERT_NE(nullptr, buildDir);
    std::string unixPath = std::string(buildDir) + "/snapshot-full-disk.xwqz";
    std::wstring path = BuildDirPath() + L"\\snapshot-full-disk.xwqz";
    std::wstring command = L"ln -sf /dev/full " + std::wstring(unixPath.begin(), unixPath.end());
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessW(L"Z:\\bin\\ln", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Wine does not wait for a native program: wait for the link instead.
    auto linked = [&] {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(h);
        return true;
    };
    ASSERT_TRUE(tesmir::test::PumpUntil(linked, 30000));

    AddFatFolder(L"A", 3, 0, 0, 0, 0, 0);
    EXPECT_EQ(0, SaveSnapshotAs(path));
    ASSERT_EQ(1u, m_messages.messages().size());
    EXPECT_EQ(L"Unable to write the file.", m_messages.messages()[0].text);
    EXPECT_EQ(MessageKindError, m_messages.messages()[0].kind);
}

TEST_F(SnapshotCommands, LoadChecksTheFileAndTheMode)
{
    std::vector<unsigned char> fat = OneFolderSnapshot('D', Fat32VolumeParams());
    struct Case
    {
        const char* name;
        std::vector<unsigned char> bytes;
        const wchar_t* modeName;
        const wchar_t* message;
        int kind;
        int driveStepBacks;
    } cases[] = {
        {"not a snapshot", {'X', 0, 1, 2}, L"Quick Scan",
         L"Invalid Snapshot File. Please Load respective valid Snapshot. ", MessageKindQuestion, 0},
        {"letter without its NUL byte", {'D', 'x', 1, 2}, L"Quick Scan",
         L"Invalid Snapshot File. Please Load respective valid Snapshot. ", MessageKindQuestion, 0},
        {"other mode", fat, L"File Trace",
         L"Snapshot was saved using Quick Scan. Select Quick Scan mode and then load Snapshot.", MessageKindError, 1},
        {"cut short", std::vector<unsigned char>(fat.begin(), fat.end() - 1), L"Quick Scan",
         L"Invalid Snapshot File. Please Load respective valid Snapshot. ", MessageKindError, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMessageRecorder messages;
        m_shell = CRecordingSnapshotShell();
        g_ModeName = c.modeName;
        g_ScanBusy = 1;
        g_ScanStop = 0;
        EXPECT_EQ(0, Load(c.bytes));
        ASSERT_EQ(1u, messages.messages().size());
        EXPECT_EQ(c.message, messages.messages()[0].text);
        EXPECT_EQ(c.kind, messages.messages()[0].kind);
        EXPECT_EQ(c.driveStepBacks, m_shell.driveStepBacks);
        EXPECT_TRUE(AllListsEmpty());
        EXPECT_EQ(0, m_shell.recoverySteps);
        EXPECT_EQ(m_shell.progressDialogs, m_shell.progressEnds);
        EXPECT_FALSE(m_shell.backHidden);
    }
    // A file that failed to load clears the step flags and leaves no worker
    // state behind.
    EXPECT_EQ(0, m_shell.stepFlag);
    EXPECT_EQ(0, g_ScanBusy);
    EXPECT_EQ(1, g_ScanStop);

    CMessageRecorder messages;
    EXPECT_EQ(0, LoadSnapshot(m_shell, m_path + L"-gone"));
    ASSERT_EQ(1u, messages.messages().size());
    std::wstring lower = m_path + L"-gone.xwqz does not exists.";
    CharLowerBuffW(&lower[0], (DWORD)lower.size());
    EXPECT_EQ(lower, messages.messages()[0].text);
}

// Named on the command line: quotes and letter case do not matter, the file
// chooses the mode; anything else is not a snapshot.
TEST_F(SnapshotCommands, CommandLineSnapshotChoosesItsMode)
{
    ASSERT_TRUE(WriteBytes(m_path, OneFolderSnapshot('A', Fat32VolumeParams())));
    std::wstring upper = m_path;
    CharUpperBuffW(&upper[0], (DWORD)upper.size());
    g_ModeName = L"";
    EXPECT_EQ(1, LoadCommandLineSnapshot(m_shell, L"\"" + upper + L"\""));
    EXPECT_EQ(L"Extensive Scan", g_ModeName);
    EXPECT_EQ(ScanModeExtensive, g_ScanMode);
    EXPECT_EQ(3, m_shell.stepFlag);
    EXPECT_EQ(ScanModeExtensive, m_shell.columnsMode);
    EXPECT_EQ(1u, g_FatFolders.count);

    CMessageRecorder messages;
    ASSERT_TRUE(WriteBytes(m_path, {'M', 'Z', 0, 0}));
    EXPECT_EQ(0, LoadCommandLineSnapshot(m_shell, m_path));
    EXPECT_EQ(0, LoadCommandLineSnapshot(m_shell, L""));
    ASSERT_EQ(1u, messages.messages().size());
    EXPECT_EQ(L"Invalid File.", messages.messages()[0].text);
}

TEST_F(SnapshotCommands, LockedFileIsReported)
{
    ASSERT_TRUE(WriteBytes(m_path, OneFolderSnapshot('D', Fat32VolumeParams())));
    HANDLE lock = CreateFileW(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(0, LoadSnapshot(m_shell, m_path));
    CloseHandle(lock);
    ASSERT_EQ(1u, m_messages.messages().size());
    EXPECT_EQ(L"Unable to open the file.", m_messages.messages()[0].text);
}

// The open trace volume against snapshots whose file system is or is not
// on it.
TEST_F(SnapshotCommands, ResultsOfAnotherImageAreRefused)
{
    COpenedImage image(L"trace.vhd");
    ASSERT_EQ(1, image.opened());
    struct Case
    {
        const char* name;
        void (*change)(VolumeParamsRecord&);
        bool matches;
    } cases[] = {
        {"its own FAT", [](VolumeParamsRecord&) {}, true},
        {"no FAT at the first FAT's sector", [](VolumeParamsRecord& v) { v.fat1Start = 0; }, false},
        {"range past the disk", [](VolumeParamsRecord& v) { v.endSector = 163840; }, false},
        {"start after end", [](VolumeParamsRecord& v) { v.startSector = 163839, v.endSector = 100; }, false},
        {"NTFS without a FILE record", [](VolumeParamsRecord& v) { v.fileSystemType = FileSystemNtfs, v.mftSector = 32; },
         false},
        {"NTFS without MFT sector or boot sector", [](VolumeParamsRecord& v) { v.fileSystemType = FileSystemNtfs; },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMessageRecorder messages;
        m_shell = CRecordingSnapshotShell();
        VolumeParamsRecord v = Fat32VolumeParams();
        c.change(v);
        std::vector<unsigned char> bytes = OneFolderSnapshot('D', v);
        if (v.fileSystemType == FileSystemNtfs) {
            // One NTFS folder instead.
            CSnapshotBytes s;
            s.Start('D').Params(v).U32(1).U16(2 + 31).Wide(L"A", 2).U32(40).U32(5).U64(0).U64(0).U8(0).U16(0);
            bytes = s.U32(0).Trailer().b;
        }
        EXPECT_EQ(c.matches ? 1 : 0, Load(bytes));
        if (c.matches) {
            EXPECT_TRUE(messages.messages().empty());
            EXPECT_EQ(1, m_shell.recoveryEnabled);
            EXPECT_EQ(1u, g_FatFolders.count);
        } else {
            ASSERT_EQ(1u, messages.messages().size());
            EXPECT_EQ(L"Source file and load recovery snapshot mismatch", messages.messages()[0].text);
            EXPECT_TRUE(AllListsEmpty());
            EXPECT_EQ(0, m_shell.recoverySteps);
            EXPECT_EQ(0, m_shell.stepFlag);
        }
    }
}

// Loaded at start-up with no image: the results are shown, previews and
// "Recover" stay off until the image is opened.
TEST_F(SnapshotCommands, ResultsWithoutAnImageWaitForIt)
{
    ASSERT_EQ(nullptr, GetSectorReaderDisk());
    EXPECT_EQ(1, Load(OneFolderSnapshot('D', Fat32VolumeParams())));
    EXPECT_EQ(1u, g_FatFolders.count);
    EXPECT_EQ(0, m_shell.recoveryEnabled);
    EXPECT_EQ(1, m_shell.recoverySteps);
    ASSERT_EQ(1u, m_messages.messages().size());
    EXPECT_EQ(0, g_SnapshotSourceMatches);

    COpenedImage image(L"trace.vhd");
    ASSERT_EQ(1, image.opened());
    EXPECT_EQ(SnapshotSourceMatches, RecheckSnapshotSource(m_shell));
    EXPECT_EQ(1, m_shell.recoveryEnabled);
    EXPECT_EQ(1, g_SnapshotSourceMatches);
}

// A logical volume's results: the volume is opened again by its drive
// name; when it cannot be, the results wait for it as well.
TEST_F(SnapshotCommands, VolumeResultsReopenTheVolume)
{
    std::vector<unsigned char> bytes = OneFolderSnapshot('D', Fat32VolumeParams());
    bytes[bytes.size() - 2] = SourceLogicalVolume;
    g_VolumeHandle = NULL;
    m_shell.driveName = L"";
    EXPECT_EQ(1, Load(bytes));
    EXPECT_EQ(SourceLogicalVolume, g_SourceType);
    EXPECT_EQ(INVALID_HANDLE_VALUE, g_VolumeHandle);
    EXPECT_EQ(0, m_shell.recoveryEnabled);

    CVolumeSource volume(tesmir::test::FixturePath(L"trace.raw"));
    ASSERT_TRUE(volume.ok());
    EXPECT_EQ(SnapshotSourceMatches, RecheckSnapshotSource(m_shell));
    EXPECT_EQ(1, m_shell.recoveryEnabled);
}

}  // namespace
