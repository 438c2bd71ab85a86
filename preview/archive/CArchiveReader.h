// Opens a file as a zip archive or, failing that, as gzip data (a tar
// archive inside recognised), and hands out the files it holds.
#pragma once

#include "CGzipStream.h"
#include "ZipArchive.h"

#include <afxwin.h>

enum ArchiveType
{
    UNKNOWN_ARCHIVE = 0,
    ZIP_ARCHIVE = 1,
    GZIP_ARCHIVE = 2,
    TAR_GZIP_ARCHIVE = 3,
};

class CArchiveReader : public CGzipStream
{
public:
    // Zip entries above this are refused rather than unpacked into memory.
    static const DWORD kMaxEntrySize = kMaxContent;

    ~CArchiveReader() override;

    int Open(const WCHAR* path);
    int GetFileCount();
    // Outputs a kind does not produce are left as they were. The data stays
    // valid until the next GetFile or Close; zip data is followed by a NUL.
    int GetFile(int i, const BYTE** data, DWORD* size, int* isFile, CString* name, CString* typeText,
                FILETIME* accessTime, FILETIME* creationTime, FILETIME* modificationTime,
                ULONGLONG* tarModificationTime);
    void CloseArchive();

    ArchiveType GetType() const { return m_nType; }
    const CString& GetErrorText() const { return m_strError; }

private:
    bool EnsureContent();
    void FreeData();

    ZipHandle* m_pZip = nullptr;
    BYTE* m_pData = nullptr;
    DWORD m_nDataSize = 0;
    CString m_strError;
    ArchiveType m_nType = UNKNOWN_ARCHIVE;
};
