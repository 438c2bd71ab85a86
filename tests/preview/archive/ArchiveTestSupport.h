// Paths of the generated archives and small helpers the archive tests share.
#pragma once

#include <windows.h>

#include <string>

namespace archivetest {

// Windows path of a file in the archive fixture folder.
std::wstring ArchivePath(const wchar_t* name);
// FILETIME of a UTC time.
FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second);
// FILETIME of a wall-clock time in this machine's zone, as UTC.
FILETIME LocalAsUtc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second);
ULONGLONG Ticks(const FILETIME& ft);
// A fresh empty folder under the build folder.
std::wstring FreshFolder(const wchar_t* name);

} // namespace archivetest
