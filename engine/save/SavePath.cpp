#include "save/SavePath.h"

#include <windows.h>
#include <wchar.h>

namespace {

const wchar_t* const ReservedNames[] = {
    L"CON",  L"PRN",  L"AUX",  L"NUL",  L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6", L"COM7",
    L"COM8", L"COM9", L"LPT1", L"LPT2", L"LPT3", L"LPT4", L"LPT5", L"LPT6", L"LPT7", L"LPT8", L"LPT9",
};

bool IsUnsafeChar(wchar_t c)
{
    return c < 32 || wcschr(L"\\/:*?\"<>|", c) != nullptr;
}

void StripTrailingDotsAndSpaces(std::wstring& s)
{
    while (!s.empty() && (s.back() == L'.' || s.back() == L' '))
        s.pop_back();
}

// Windows takes the part before the first dot, trailing spaces ignored,
// as the device name: "con.txt" and "NUL .log" open devices too.
bool IsReservedDeviceName(const std::wstring& s)
{
    std::wstring base = s.substr(0, s.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (const wchar_t* r : ReservedNames)
        if (_wcsicmp(base.c_str(), r) == 0)
            return true;
    return false;
}

void CutToLength(std::wstring& s, size_t length)
{
    if (s.size() <= length)
        return;
    // Never leave half of a surrogate pair at the end.
    if (length > 0 && s[length - 1] >= 0xD800 && s[length - 1] <= 0xDBFF)
        --length;
    s.resize(length);
}

}  // namespace

std::wstring SanitizePathComponent(const std::wstring& name)
{
    std::wstring s = name;
    for (wchar_t& c : s)
        if (IsUnsafeChar(c))
            c = L'_';
    StripTrailingDotsAndSpaces(s);
    if (s.empty())
        return L"_";
    if (IsReservedDeviceName(s))
        s.insert(0, L"_");
    CutToLength(s, MaxSavedComponent);
    StripTrailingDotsAndSpaces(s);
    return s.empty() ? L"_" : s;
}

std::wstring LongDestination(const std::wstring& folder)
{
    if (folder.empty())
        return L"";
    std::wstring full;
    if (folder.compare(0, 4, L"\\\\?\\") == 0) {
        full = folder;
    } else {
        DWORD n = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
        if (n == 0)
            return L"";
        std::vector<wchar_t> buf(n + 1);
        n = GetFullPathNameW(folder.c_str(), (DWORD)buf.size(), buf.data(), nullptr);
        if (n == 0 || n >= buf.size())
            return L"";
        full.assign(buf.data(), n);
        if (full.compare(0, 2, L"\\\\") == 0)
            full = L"\\\\?\\UNC\\" + full.substr(2);
        else
            full = L"\\\\?\\" + full;
    }
    while (full.size() > 4 && full.back() == L'\\')
        full.pop_back();
    return full;
}

std::vector<std::wstring> SanitizeTreePath(const std::wstring& treePath)
{
    std::vector<std::wstring> parts;
    size_t pos = 0;
    while (pos <= treePath.size()) {
        size_t end = treePath.find(L'\\', pos);
        if (end == std::wstring::npos)
            end = treePath.size();
        if (end > pos)
            parts.push_back(SanitizePathComponent(treePath.substr(pos, end - pos)));
        pos = end + 1;
    }
    return parts;
}

std::wstring JoinPath(const std::wstring& longFolder, const std::wstring& part)
{
    if (!longFolder.empty() && longFolder.back() == L'\\')
        return longFolder + part;
    return longFolder + L"\\" + part;
}

bool IsPathUnder(const std::wstring& destination, const std::wstring& path)
{
    if (destination.empty() || path.size() <= destination.size() + 1 ||
        _wcsnicmp(path.c_str(), destination.c_str(), destination.size()) != 0 ||
        path[destination.size()] != L'\\')
        return false;
    size_t pos = destination.size() + 1;
    while (pos <= path.size()) {
        size_t end = path.find(L'\\', pos);
        if (end == std::wstring::npos)
            end = path.size();
        std::wstring part = path.substr(pos, end - pos);
        if (part.empty() || part == L"." || part == L".." || part.find_first_of(L":/") != std::wstring::npos)
            return false;
        pos = end + 1;
    }
    return true;
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CPathMaker::CreateDirectoryPath(const std::wstring& longFolder) const
{
    // Start past the prefix and the drive or share: those are never created.
    size_t start = 0;
    if (longFolder.compare(0, 8, L"\\\\?\\UNC\\") == 0) {
        start = longFolder.find(L'\\', 8);                              // end of server
        start = start == std::wstring::npos ? start : longFolder.find(L'\\', start + 1);   // end of share
    } else if (longFolder.compare(0, 4, L"\\\\?\\") == 0) {
        start = longFolder.find(L'\\', 4);
    }
    while (start != std::wstring::npos) {
        size_t next = longFolder.find(L'\\', start + 1);
        std::wstring level = longFolder.substr(0, next);
        if (!level.empty() && !PathExists(level))
            CreateDirectoryW(level.c_str(), nullptr);
        start = next;
    }
    DWORD attr = GetFileAttributesW(longFolder.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool ApplyDuplicatePolicy(const std::wstring& longFolder, std::wstring& name, int policy)
{
    if (!PathExists(JoinPath(longFolder, name)))
        return true;
    if (policy == 3)
        return false;
    if (policy != 1)
        return true;
    for (unsigned n = 1;; ++n) {
        std::wstring prefix = L"Copy (" + std::to_wstring(n) + L" ) of ";
        std::wstring base = name;
        CutToLength(base, MaxSavedComponent - prefix.size());
        std::wstring renamed = prefix + base;
        if (!PathExists(JoinPath(longFolder, renamed))) {
            name = renamed;
            return true;
        }
    }
}
