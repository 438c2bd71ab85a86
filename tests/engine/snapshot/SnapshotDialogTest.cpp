// The Save Snapshot dialog of the system's common dialogs accepts the
// proposed name of a file that does not exist yet, and returns an existing
// file after its one overwrite question; the open dialog returns the chosen
// file. (Wine's save dialog does not refuse new names even when asked to
// with OFN_FILEMUSTEXIST; that the flags leave it out is checked with the
// command's own tests.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "SnapshotTestSupport.h"
#include "snapshot/SnapshotCommands.h"

namespace {

// Presses the default button of every dialog window that becomes active on
// this thread (the file dialog and any box it shows), at most a few times,
// then cancels, so that a dialog that refuses the name cannot hang the test.
struct CDialogPresser
{
    static HHOOK& Hook()
    {
        static HHOOK hook;
        return hook;
    }
    static int& Presses()
    {
        static int presses;
        return presses;
    }
    static int& Questions()
    {
        static int questions;
        return questions;
    }
    static std::wstring& Titles()
    {
        static std::wstring titles;
        return titles;
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE) {
            HWND window = (HWND)wParam;
            wchar_t cls[32] = {}, title[128] = {};
            GetClassNameW(window, cls, 32);
            GetWindowTextW(window, title, 128);
            if (wcscmp(cls, L"#32770") == 0) {
                Titles() += std::wstring(title) + L"|";
                // A question box has "Yes"; the file dialog "OK".
                bool question = GetDlgItem(window, IDYES) != nullptr;
                Questions() += question ? 1 : 0;
                int id = ++Presses() > 5 ? IDCANCEL : question ? IDYES : IDOK;
                PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(window, id));
            }
        }
        return CallNextHookEx(Hook(), code, wParam, lParam);
    }
    CDialogPresser()
    {
        Presses() = 0;
        Questions() = 0;
        Titles().clear();
        Hook() = SetWindowsHookExW(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
    }
    ~CDialogPresser() { UnhookWindowsHookEx(Hook()); }
};

std::wstring TempFolder()
{
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    return tmp;
}

TEST(SnapshotDialog, SaveDialogTakesANewFileName)
{
    std::wstring name = L"disk1.vhd_Quick Scan_03-03-2011_14.05.09";
    std::wstring target = TempFolder() + name;
    DeleteFileW(target.c_str());
    SetCurrentDirectoryW(TempFolder().c_str());
    CSnapshotShell shell;
    std::wstring path;
    CDialogPresser presser;
    bool chosen = shell.ChooseFile(true, target, SnapshotSaveFlags, L"*.xwqz", L"Save Sanpshot", path);
    EXPECT_TRUE(chosen) << std::string(CDialogPresser::Titles().begin(), CDialogPresser::Titles().end());
    EXPECT_EQ(target, path);
    EXPECT_EQ(0, CDialogPresser::Questions());
}

TEST(SnapshotDialog, SaveDialogAsksOnceBeforeReplacingAFile)
{
    std::wstring target = TempFolder() + L"tesmir-dialog-existing.xwqz";
    ASSERT_TRUE(WriteBytes(target, {1}));
    CSnapshotShell shell;
    std::wstring path;
    CDialogPresser presser;
    EXPECT_TRUE(shell.ChooseFile(true, target, SnapshotSaveFlags, L"*.xwqz", L"Save Sanpshot", path));
    EXPECT_EQ(target, path);
    // The dialog's one overwrite question.
    EXPECT_EQ(1, CDialogPresser::Questions());
    DeleteFileW(target.c_str());
}

TEST(SnapshotDialog, OpenDialogReturnsTheChosenFile)
{
    std::wstring target = TempFolder() + L"tesmir-dialog-open.xwqz";
    ASSERT_TRUE(WriteBytes(target, {1}));
    CSnapshotShell shell;
    std::wstring path;
    CDialogPresser presser;
    EXPECT_TRUE(shell.ChooseFile(false, target, SnapshotOpenFlags, L"*.xwqz", nullptr, path));
    EXPECT_EQ(target, path);
    DeleteFileW(target.c_str());
}

}  // namespace
