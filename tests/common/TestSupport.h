// Helpers shared by every test executable.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tesmir {
namespace test {

// Windows path (Z:\...) of a file in the generated fixture folder. The folder
// comes from TESMIR_FIXTURES, which the test runner sets.
std::wstring FixturePath(const wchar_t* name);

// True when the fixture file exists.
bool FixtureExists(const wchar_t* name);

// Dispatches this thread's messages until pred() holds or timeoutMs passes.
// Returns the last value of pred(). Never sleeps for a fixed time: it waits
// for the next message or 10 ms, whichever comes first, and checks again.
bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000);

// Reads a whole file with CreateFileW/ReadFile; empty on failure.
std::string ReadWholeFile(const std::wstring& path);

// UTF-16 text as UTF-8, for paths compared with the oracles' listings and
// for failure messages.
std::string Utf8(const std::wstring& text);

}  // namespace test
}  // namespace tesmir
