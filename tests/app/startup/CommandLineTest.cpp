// A snapshot named on the command line, at start-up and on every reset to
// the start page: the application gives what the engine's command-line load
// gives, moves to the recovery step only through a load that succeeded, and
// a reset asked for by a worker runs on the UI thread.
#include <gtest/gtest.h>

#include "MessageRecorder.h"
#include "ScriptedWorker.h"
#include "SnapshotTestSupport.h"
#include "StartupTestSupport.h"
#include "TestSupport.h"
#include "CMainFrame.h"
#include "CResultListCtrl.h"
#include "CThirdView_HDD.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotFile.h"
#include "state/EngineState.h"

using tesmir::test::PumpUntil;

namespace {

// One FAT folder "A" under a FAT32 parameter block; second replaces the
// byte after the mode letter.
std::vector<unsigned char> OneFolderSnapshot(char mode, char second = 0)
{
    std::vector<unsigned char> bytes = ::OneFolderSnapshot(mode, Fat32VolumeParams());
    if (second)
        bytes[1] = (unsigned char)second;
    return bytes;
}

// What a load left behind.
struct Outcome
{
    int loaded = 0;
    int scanMode = -1;
    std::wstring modeName;
    std::vector<std::wstring> messages;
};

void ResetEngineState()
{
    FreeAllResultLists();
    g_ScanMode = ScanModeQuick;
    g_ModeName = L"";
    g_ScanBusy = 0;
    g_ScanStop = 1;
}

Outcome Capture(int loaded, const CMessageRecorder& recorder)
{
    Outcome o;
    o.loaded = loaded;
    o.scanMode = g_ScanMode;
    o.modeName = g_ModeName;
    for (const RecordedMessage& m : recorder.messages())
        o.messages.push_back(m.text);
    return o;
}

class CommandLine : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        m_path = TempSnapshotPath(L"tesmir-startup.xwqz");
    }
    void TearDown() override
    {
        ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(m_path.c_str());
        SetCommandLine(L"");
        App().ResetToStartPage();
        ResetEngineState();
    }

    void SetCommandLine(const std::wstring& text)
    {
        m_commandLine = text;
        App().m_lpCmdLine = &m_commandLine[0];
    }

    // The engine's own answer for the command line.
    Outcome Expected(const std::wstring& commandLine)
    {
        ResetEngineState();
        CMessageRecorder recorder;
        CRecordingSnapshotShell shell;
        int loaded = LoadCommandLineSnapshot(shell, commandLine);
        Outcome o = Capture(loaded, recorder);
        ResetEngineState();
        return o;
    }

    // The application's answer: the reset repeats the command-line step.
    Outcome Actual(const std::wstring& commandLine)
    {
        CMessageRecorder recorder;
        SetCommandLine(commandLine);
        EXPECT_EQ(1, App().ResetToStartPage());
        return Capture(App().CurrentViewIndex() == WizardRecoveryStep, recorder);
    }

    std::wstring m_path;
    std::wstring m_commandLine;
};

TEST_F(CommandLine, GivesWhatTheEngineGivesAndMovesOnOnlyAfterALoad)
{
    std::wstring upper = m_path;
    ::CharUpperBuffW(&upper[0], (DWORD)upper.size());
    struct Case
    {
        const char* name;
        std::vector<unsigned char> bytes;
        std::wstring commandLine;
        bool readOnly;
        bool loads;
    };
    const Case cases[] = {
        {"quick", OneFolderSnapshot('D'), m_path, false, true},
        {"extensive", OneFolderSnapshot('A'), m_path, false, true},
        {"trace", OneFolderSnapshot('R'), m_path, false, false},
        {"DX", OneFolderSnapshot('D', 'X'), m_path, false, false},
        {"empty file", {}, m_path, false, false},
        {"read-only", OneFolderSnapshot('D'), m_path, true, true},
        {"quoted upper case", OneFolderSnapshot('D'), L"\"" + upper + L"\"", false, true},
        {"dde switch", OneFolderSnapshot('D'), L"/dde", false, false},
    };
    for (const Case& c : cases) {
        ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteBytes(m_path, c.bytes)) << c.name;
        if (c.readOnly)
            ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_READONLY);
        const Outcome expected = Expected(c.commandLine);
        const Outcome actual = Actual(c.commandLine);
        EXPECT_EQ(c.loads ? 1 : 0, expected.loaded) << c.name;
        EXPECT_EQ(expected.loaded, actual.loaded) << c.name;
        EXPECT_EQ(expected.scanMode, actual.scanMode) << c.name;
        EXPECT_EQ(expected.modeName, actual.modeName) << c.name;
        EXPECT_EQ(expected.messages, actual.messages) << c.name;
        CMainFrame* pFrame = App().GetMainFrame();
        EXPECT_EQ(actual.loaded != 0, pFrame->m_bResultsStep != FALSE) << c.name;
        EXPECT_TRUE(pFrame->IsWindowVisible()) << c.name;
        if (!actual.loaded) {
            EXPECT_EQ(WizardStartPage, App().CurrentViewIndex()) << c.name;
        } else {
            // Every load replaces the result list's columns: one set, whatever
            // was loaded before.
            CThirdView_HDD* pView = pFrame->RecoveryView();
            ASSERT_NE(nullptr, pView) << c.name;
            ASSERT_NE(nullptr, pView->m_pList) << c.name;
            CHeaderCtrl* pHeader = pView->m_pList->GetHeaderCtrl();
            ASSERT_NE(nullptr, pHeader) << c.name;
            EXPECT_EQ(6, pHeader->GetItemCount()) << c.name;
        }
    }
}

// A reset without a command line leaves the start page current, every
// engine list empty and the step flags as at start-up.
TEST_F(CommandLine, ResetWithoutCommandLineEmptiesEverything)
{
    ASSERT_TRUE(WriteBytes(m_path, OneFolderSnapshot('D')));
    CMessageRecorder recorder;
    SetCommandLine(m_path);
    App().ResetToStartPage();
    ASSERT_EQ(WizardRecoveryStep, App().CurrentViewIndex());
    ASSERT_FALSE(AllListsEmpty());

    SetCommandLine(L"");
    EXPECT_EQ(1, App().ResetToStartPage());
    EXPECT_EQ(WizardStartPage, App().CurrentViewIndex());
    EXPECT_TRUE(AllListsEmpty());
    CMainFrame* pFrame = App().GetMainFrame();
    EXPECT_TRUE(pFrame->m_bDriveStep);
    EXPECT_FALSE(pFrame->m_bResultsStep);
    EXPECT_TRUE(pFrame->m_bOpenEnabled);
}

// Called on a worker, the reset returns at once and leaves the windows to
// the UI thread, which runs it when it next pumps.
TEST_F(CommandLine, ResetFromAWorkerRunsOnTheUiThread)
{
    ASSERT_TRUE(WriteBytes(m_path, OneFolderSnapshot('D')));
    CMessageRecorder recorder;
    SetCommandLine(m_path);
    App().ResetToStartPage();
    ASSERT_EQ(WizardRecoveryStep, App().CurrentViewIndex());
    SetCommandLine(L"");

    CScriptedWorker worker;
    int result = 0;
    ASSERT_TRUE(worker.Start([&](CScriptedWorker& w) {
        result = App().ResetToStartPage();
        w.HoldAt("returned");
    }));
    // The UI thread does not pump here: a worker that touched the windows
    // itself would wait for it and never get held.
    ASSERT_TRUE(worker.WaitHeld("returned", false));
    EXPECT_EQ(1, result);
    EXPECT_EQ(WizardRecoveryStep, App().CurrentViewIndex());
    EXPECT_FALSE(AllListsEmpty());
    worker.Release();
    ASSERT_TRUE(worker.WaitFinished());
    EXPECT_EQ(0, g_ScanBusy);
    EXPECT_EQ(1, g_ScanStop);
    ASSERT_TRUE(PumpUntil([] { return App().CurrentViewIndex() == WizardStartPage; }, 10000));
    EXPECT_TRUE(AllListsEmpty());
}

}  // namespace
