// One scenario's run: the program, the screenshots kept of every step and
// dialog, the message log the program's boxes append to, and the wizard's
// road as a user walks it (each call waits for what it expects and fails
// naming the step).
#pragma once

#include "Driver.h"

#include <string>
#include <vector>

namespace tdrive {

class Session
{
public:
    // `shots`: the folder for the screenshots; `log`: the message log the
    // program was told of (TESMIR_MESSAGE_LOG).
    Session(const std::wstring& exe, const std::wstring& shots, const std::wstring& log);

    Program& program() { return m_program; }
    // Real input (SendInput after SetForegroundWindow) instead of posted
    // messages for every press and click from now on.
    void UseRealInput(bool on) { m_realInput = on; }

    // The step being walked, named in a failure.
    void Begin(const std::string& step);
    const std::string& current() const { return m_step; }
    // Keeps a screenshot of the whole screen as NN-<name>.png.
    std::wstring Shot(const std::string& name);
    // A failure: a screenshot of the moment, the program ended.
    void Fail(const std::string& message);

    // Start and end.
    void Start(const std::wstring& arguments = L"");
    // Exit from the File menu's command and the question answered Yes;
    // the exit code.
    DWORD ExitByMenu();

    // The message boxes. The program's own (painted text): the next one,
    // its text checked against the log; answered with `button`.
    void AnswerBox(const std::wstring& expectedText, int button, DWORD timeoutMs = 20000);
    // A system message box (text in its static 0xFFFF); its text.
    std::wstring AnswerSystemBox(int button, DWORD timeoutMs = 20000);

    // The road.
    void SelectImage(const std::wstring& path);
    void RunMode(UINT modeButton);
    // Next on the drive step, the Partition Type dialog answered OK (a
    // disk with a partition table asks it), and the scan step.
    void DriveNext(bool partitionType = true);
    // A click on a scan-step tree item whose text begins with `prefix`;
    // the partition panel must then name the file system `type`.
    void ChoosePartition(const std::wstring& prefix, const std::wstring& type);
    // Scan, and the information box at its end answered OK.
    void QuickScan();
    // Extensive Scan: the file system chosen in the scan step's combo, the
    // range left as shown, Scan.
    void ExtensiveScan(const std::wstring& fileSystem);
    // The scan step's Stop, its question answered Yes or No.
    void StopScan(bool yes);
    // A file-system step item whose text begins with `prefix`, clicked;
    // its text.
    std::wstring ChooseFileSystem(const std::wstring& prefix);
    // Next on the file-system step, the recovery step after the extraction.
    void FileSystemNext();
    // Back on the current step, to `step`.
    void Back(Step step);
    // Scan in File Trace mode: every type ticked in the File Types dialog,
    // OK, and the recovery step after the search.
    void FileTrace();
    // The recovery step's tree and list.
    HWND ResultTree();
    HWND ResultList();
    HTREEITEM ResultFolder(const std::wstring& path);
    void ClickResultFolder(const std::wstring& path);
    void ClickResultRow(const std::wstring& name);
    void ToggleResultFolderMark(const std::wstring& path);
    // Recover into `folder` (made by the driver when missing) through the
    // folder browser; waits until the saving dialog ended and answers the
    // box at the end; the box's text.
    std::wstring Recover(const std::wstring& folder);
    // Home: back to the start page.
    void Home();

    std::vector<std::wstring> LogLines();

private:
    void PressInView(UINT id);
    void Foreground(HWND hwnd);
    void Press(HWND button);
    void PressDialogButton(HWND dialog, int id);
    void ClickAt(HWND hwnd, POINT client);
    // A click on a tree item's label, which must become the selection.
    void SelectTreeItem(HWND tree, HTREEITEM item, const char* what);
    // A client point on a tree item's check box; fails naming `what`.
    POINT StateIconPoint(HWND tree, HTREEITEM item, const char* what);
    HWND WaitProgramBox(DWORD timeoutMs);

    Program m_program;
    std::wstring m_exe, m_shots, m_log;
    std::string m_step;
    int m_shotNumber = 0;
    size_t m_logSeen = 0;
    bool m_realInput = false;
};

}  // namespace tdrive
