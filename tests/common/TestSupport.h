// Helpers shared by every test executable.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tesmir {
namespace test {

// Windows path (Z:\...) of a file in the generated fixture folder. The folder
// comes from TESMIR_FIXTURES, which the test runner sets.
std::wstring FixturePath(const wchar_t* name);

// True when the fixture file exists.
bool FixtureExists(const wchar_t* name);

// Windows path of a file in the build folder (TESMIR_BUILD_DIR), for what
// tests keep, such as screenshots.
std::wstring BuildPath(const wchar_t* name);

// Windows path of a file in the build folder's "screenshots" folder (made
// when missing), for looking at what a test drew.
std::wstring ScreenshotPath(const wchar_t* name);

// Dispatches this thread's messages until pred() holds or timeoutMs passes.
// Returns the last value of pred(). Never sleeps for a fixed time: it waits
// for the next message or 10 ms, whichever comes first, and checks again.
bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000);

// Real input through SendInput, which reaches the hardware queue (and the
// thread's mouse and keyboard hooks) as a user's input does; pump to see it.
// Moves the pointer to screen point (x, y).
void MoveCursorTo(int x, int y);
// Presses and releases the keys in order, releasing in reverse.
void PressKeys(std::initializer_list<WORD> keys);
// Moves the pointer to (x, y) and waits until it has stayed there for a
// quarter second, moving it again when a late motion event of the display
// put it back; false when it never settled within ten seconds.
bool PlaceCursorByInput(int x, int y);
// One mouse button event per flag (MOUSEEVENTF_LEFTDOWN, ..._LEFTUP, ...),
// each carrying the screen point too, so a late motion event of the
// display cannot move the press elsewhere.
void SendMouseButtons(POINT pt, std::initializer_list<DWORD> flags);
// Moves the pointer to the screen point with one input carrying the button
// flags too (0 for none), and waits until the pointer is there.
bool SendMouseInput(POINT pt, DWORD flags = 0);
// Moves the pointer to the first point and waits for it, then sends every
// step (point and button flags) in one SendInput call without pumping, so
// that a modal loop started by the first press finds the rest queued.
bool SendMouseSteps(const std::vector<std::pair<POINT, DWORD>>& steps);
// Makes the window the foreground window and waits until it is.
bool BringToFront(HWND hwnd);

// Reads a whole file with CreateFileW/ReadFile; empty on failure.
std::string ReadWholeFile(const std::wstring& path);

// UTF-16 text as UTF-8, for paths compared with the oracles' listings and
// for failure messages.
std::string Utf8(const std::wstring& text);

// A 32-bit top-down DIB section selected into a memory DC: code under test
// draws into Dc(), tests read the result back pixel by pixel. The memory DC
// is compatible with the screen, so fonts and raster operations behave as
// they do on a window.
class CDibCanvas
{
public:
    // A canvas of cx by cy pixels, filled with fill (a COLORREF).
    CDibCanvas(int cx, int cy, COLORREF fill = RGB(255, 255, 255));
    ~CDibCanvas();
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;

    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    // The pixel at (x, y) as a COLORREF; CLR_INVALID outside the canvas.
    // Flushes pending GDI work first.
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    void Fill(COLORREF color);
    // Number of pixels in rc (clipped to the canvas) whose colour is color.
    int Count(const RECT& rc, COLORREF color) const;
    // Writes the canvas as a 24-bit BMP file (for looking at a failure).
    bool SaveBmp(const std::wstring& path) const;

private:
    HDC m_hdc = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
    int m_cx = 0;
    int m_cy = 0;
};

// Copies what the screen shows of the window's client area (the whole
// window with wholeWindow) into the canvas's top left.
void CaptureWindow(HWND hwnd, CDibCanvas& canvas, bool wholeWindow = false);

// Counts calls of the C run-time's free() per pointer while it lives, by
// putting a counting function into this program's import slot of free().
// Code linked into the test program (static libraries included) frees
// through that slot. A tracked block that is freed is kept (and really
// freed when the counter ends), so its address is not handed out again
// while it is tracked: a reused address would be counted twice or reset.
// One counter at a time.
class CFreeCounter
{
public:
    CFreeCounter();
    ~CFreeCounter();
    CFreeCounter(const CFreeCounter&) = delete;
    CFreeCounter& operator=(const CFreeCounter&) = delete;

    // Starts counting the frees of p (at 0).
    void Track(void* p) { m_frees[p] = 0; }
    // Frees of a tracked pointer so far.
    int Frees(void* p) const;

    std::map<void*, int> m_frees;
};

// Calls onMessage for every message sent to a window of this thread while
// it lives (a WH_CALLWNDPROC hook); the message's pointers are valid only
// during the call. One hook object at a time.
class CSentMessageHook
{
public:
    explicit CSentMessageHook(std::function<void(const CWPSTRUCT&)> onMessage);
    ~CSentMessageHook();
    CSentMessageHook(const CSentMessageHook&) = delete;
    CSentMessageHook& operator=(const CSentMessageHook&) = delete;

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);
    std::function<void(const CWPSTRUCT&)> m_onMessage;
    HHOOK m_hHook = nullptr;
};

}  // namespace test
}  // namespace tesmir
