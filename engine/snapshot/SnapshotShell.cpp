#include "snapshot/SnapshotShell.h"

#include <commdlg.h>
#include <string.h>

#include <vector>

bool CSnapshotShell::ChooseFile(bool save, const std::wstring& defaultName, DWORD flags, const wchar_t* filter,
                                const wchar_t* title, std::wstring& path)
{
    // The filter text is both the description and the pattern.
    const std::wstring pattern = filter ? filter : L"*.*";
    std::wstring filterPairs = pattern + L'\0' + pattern + L'\0';
    std::vector<wchar_t> buffer(32768, L'\0');
    wcsncpy(buffer.data(), defaultName.c_str(), buffer.size() - 1);
    OPENFILENAMEW ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filterPairs.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = (DWORD)buffer.size();
    ofn.lpstrTitle = title;
    // Explorer style, so that several chosen files come back NUL-separated.
    ofn.Flags = flags | OFN_EXPLORER;
    BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen)
        return false;
    const wchar_t* first = buffer.data();
    const wchar_t* next = first + wcslen(first) + 1;
    if (!(flags & OFN_ALLOWMULTISELECT) || *next == L'\0') {
        path = first;
        return true;
    }
    // A folder followed by names: the last name counts.
    const wchar_t* last = next;
    for (; *next; next += wcslen(next) + 1)
        last = next;
    path = std::wstring(first) + L"\\" + last;
    return true;
}
