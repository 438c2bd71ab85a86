// The Windows version the process runs on, read once at start-up, with the
// predicates the library's look depends on.
#pragma once

#include <windows.h>

class CVZPWindowsVersion
{
public:
    // A zeroed record (every predicate FALSE); see ReadSystemVersion.
    constexpr CVZPWindowsVersion() : m_info() {}
    // A record of the given version, for deciding about another system.
    explicit CVZPWindowsVersion(const OSVERSIONINFOW& info);

    // Fills the record from GetVersionExW.
    void ReadSystemVersion();
    const OSVERSIONINFOW& GetInfo() const { return m_info; }

    // Platform 1 is Windows 9x, 2 Windows NT.
    BOOL IsWindows95() const;      // 4.0 to 4.9, OSR2 (4.0 with a build above 950) included
    BOOL IsWindows98() const;      // 4.10; ME (4.90) is neither 95 nor 98
    BOOL IsWindowsNT4() const;
    BOOL IsWindows2000() const;
    BOOL IsWindowsXP() const;
    BOOL IsVersion(DWORD dwMajor, DWORD dwMinor) const;   // any platform

    // Sets up the process-wide record (a start-up initialiser).
    static void InitializeProcessState();

private:
    BOOL Is(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor) const;
    OSVERSIONINFOW m_info;
};

// The process-wide record, filled at start-up.
const CVZPWindowsVersion& GetWindowsVersion();
