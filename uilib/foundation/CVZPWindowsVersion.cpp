#include "CVZPWindowsVersion.h"

#include <string.h>

namespace {
// Constant-initialised, so no constructor runs at load time; filled by the
// start-up initialiser.
CVZPWindowsVersion g_windowsVersion;
}

CVZPWindowsVersion::CVZPWindowsVersion(const OSVERSIONINFOW& info) : m_info(info) {}

void CVZPWindowsVersion::ReadSystemVersion()
{
    memset(&m_info, 0, sizeof(m_info));
    m_info.dwOSVersionInfoSize = sizeof(m_info);   // 276
    ::GetVersionExW(&m_info);
}

BOOL CVZPWindowsVersion::Is(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor) const
{
    return m_info.dwPlatformId == dwPlatform && m_info.dwMajorVersion == dwMajor && m_info.dwMinorVersion == dwMinor;
}

BOOL CVZPWindowsVersion::IsWindows95() const
{
    return m_info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && m_info.dwMajorVersion == 4 &&
           m_info.dwMinorVersion < 10;
}

BOOL CVZPWindowsVersion::IsWindows98() const
{
    return Is(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
}

BOOL CVZPWindowsVersion::IsWindowsNT4() const
{
    return Is(VER_PLATFORM_WIN32_NT, 4, 0);
}

BOOL CVZPWindowsVersion::IsWindows2000() const
{
    return Is(VER_PLATFORM_WIN32_NT, 5, 0);
}

BOOL CVZPWindowsVersion::IsWindowsXP() const
{
    return Is(VER_PLATFORM_WIN32_NT, 5, 1);
}

BOOL CVZPWindowsVersion::IsVersion(DWORD dwMajor, DWORD dwMinor) const
{
    return m_info.dwMajorVersion == dwMajor && m_info.dwMinorVersion == dwMinor;
}

void CVZPWindowsVersion::InitializeProcessState()
{
    g_windowsVersion.ReadSystemVersion();
}

const CVZPWindowsVersion& GetWindowsVersion()
{
    return g_windowsVersion;
}
