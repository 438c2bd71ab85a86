// The end-to-end driver's view of the running program: the process it
// started, the frame and its current step, the windows the program shows,
// trees and lists read through the program's memory, posted clicks, real
// input and screenshots. Plain Win32: the driver shares nothing with the
// program but its window ids and texts.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tdrive {

// A failed step: what was expected, where.
struct StepFailure : std::runtime_error
{
    explicit StepFailure(const std::string& what) : std::runtime_error(what) {}
};

std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);

// The wizard's steps, told apart by a control inside the frame's current
// view (the frame's child 0xE900).
enum class Step { None, StartPage, DriveStep, ScanStep, FileSystemStep, RecoveryStep };
const char* StepName(Step step);
UINT StepMarker(Step step);

class Program
{
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program with its folder as the current one; the command
    // line's arguments follow the program's path.
    void Start(const std::wstring& exe, const std::wstring& arguments = L"");
    // Ends the process this driver started, if it still runs (never another).
    void Kill();
    // Waits for the process to end; its exit code, or STILL_ACTIVE.
    DWORD WaitExit(DWORD timeoutMs);
    bool Running() const;
    DWORD Pid() const { return m_pid; }

    // The frame: a top-level window of the process captioned
    // "Tesmir for VHD" that holds a view 0xE900.
    HWND Frame();
    HWND WaitFrame(DWORD timeoutMs);
    HWND CurrentView();
    Step CurrentStep();
    // Waits for a step; fails naming it.
    HWND WaitStep(Step step, DWORD timeoutMs);

    // Visible top-level windows of the process other than the frame.
    std::vector<HWND> Popups();
    // Waits for a popup for which `match` holds; fails naming `what`. An
    // unexpected popup fails the step unless `tolerate` accepts it.
    HWND WaitPopup(const char* what, const std::function<bool(HWND)>& match, DWORD timeoutMs);
    // Waits until no popup for which `match` holds is left.
    void WaitPopupGone(const char* what, HWND hwnd, DWORD timeoutMs);

    // Reading and writing the program's memory.
    void* RemoteAlloc(size_t bytes);
    void RemoteWrite(void* remote, const void* data, size_t bytes);
    void RemoteRead(const void* remote, void* data, size_t bytes);
    HANDLE Process() const { return m_process; }

    // Trees and lists through the program's memory.
    std::wstring TreeItemText(HWND tree, HTREEITEM item);
    RECT TreeItemRect(HWND tree, HTREEITEM item, bool labelOnly);
    UINT TreeItemState(HWND tree, HTREEITEM item);
    HTREEITEM TreeFind(HWND tree, HTREEITEM parent, const std::wstring& text);
    // The first item whose text begins with `prefix`, searched depth first.
    HTREEITEM TreeFindPrefix(HWND tree, HTREEITEM parent, const std::wstring& prefix);
    std::vector<std::wstring> TreeChildTexts(HWND tree, HTREEITEM parent);
    UINT TreeHitTest(HWND tree, POINT pt, HTREEITEM* item);
    int ListCount(HWND list);
    std::wstring ListText(HWND list, int row, int column);
    RECT ListItemRect(HWND list, int row, int code);
    int ListFind(HWND list, const std::wstring& text);

private:
    HANDLE m_process = NULL;
    DWORD m_pid = 0;
    HWND m_frame = NULL;
    void* m_scratch = NULL;
};

// Windows inside a parent: by id (depth first), and the n-th by class.
HWND FindDescendant(HWND parent, UINT id);
HWND FindDescendantClass(HWND parent, const wchar_t* className);
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

// Presses a button by posting its BN_CLICKED to its parent.
void PostClick(HWND button);
// Posts a press and a release at a client point of a window.
void PostMouseClick(HWND hwnd, POINT client);
void PostDoubleClick(HWND hwnd, POINT client);

// Real input: the pointer moved to a screen point (from beside it first,
// since Wine sends nothing for a move to where the pointer is) and a left
// click there.
void RealClick(POINT screen);

// Polls `done` every 100 ms until it holds or the time is up.
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The whole screen as a PNG (BMP when no PNG encoder exists) at `path`;
// the path written.
std::wstring SaveScreen(const std::wstring& path);

std::wstring Env(const wchar_t* name);

}  // namespace tdrive
