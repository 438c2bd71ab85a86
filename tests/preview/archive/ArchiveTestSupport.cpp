#include "ArchiveTestSupport.h"

#include "TestSupport.h"

#include <shellapi.h>

namespace archivetest {

std::wstring ArchivePath(const wchar_t* name)
{
    return tesmir::test::FixturePath((std::wstring(L"archives\\") + name).c_str());
}

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME st = {year, month, 0, day, hour, minute, second, 0};
    FILETIME ft = {};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

FILETIME LocalAsUtc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    FILETIME local = Utc(year, month, day, hour, minute, second), utc = {};
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

ULONGLONG Ticks(const FILETIME& ft)
{
    return ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

std::wstring FreshFolder(const wchar_t* name)
{
    std::wstring path = tesmir::test::BuildPath(name);
    std::wstring from = path + L'\0';
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

} // namespace archivetest
