// Lists a RAR archive through "unrar.dll", loaded at run time: one entry per
// file header, data skipped.
#pragma once

#include "RarLibrary.h"

#include <afxwin.h>

#include <vector>

struct RarArchiveEntry
{
    CString name;
    ULONGLONG flags = 0;
    ULONGLONG packedSize = 0;
    ULONGLONG unpackedSize = 0;
    DWORD fileTime = 0;      // MS-DOS date in the high word, time in the low word
    DWORD attributes = 0;
};

class CRarArchiveReader
{
public:
    CRarArchiveReader();
    ~CRarArchiveReader();
    CRarArchiveReader(const CRarArchiveReader&) = delete;
    CRarArchiveReader& operator=(const CRarArchiveReader&) = delete;

    // True when the archive was opened and walked; a walk that stops on a
    // damaged header keeps the entries read before it.
    bool ListArchive(const char* path);
    // Entry i; throws std::out_of_range at or beyond the entry count.
    RarArchiveEntry GetEntry(size_t i) const;
    size_t GetEntryCount() const { return m_entries.size(); }
    const CString& GetErrorText() const { return m_strError; }

private:
    CString m_strError;
    CString m_strArchiveName;
    HMODULE m_hModule = nullptr;
    std::vector<RarArchiveEntry> m_entries;
    RarOpenArchiveExFn m_pfnOpenArchiveEx = nullptr;
    RarCloseArchiveFn m_pfnCloseArchive = nullptr;
    RarProcessFileFn m_pfnProcessFile = nullptr;
    RarReadHeaderExFn m_pfnReadHeaderEx = nullptr;
};
