#include "CArchiveReader.h"

#include "TarArchive.h"

#include <new>

namespace {

const WCHAR kReadFailed[] = L"Could not read data from gzip archive !";

const WCHAR* TarTypeText(char flag)
{
    switch (flag) {
    case '1': return L"link";
    case '2':
    case '7': return L"reserved";
    case '3': return L"character special";
    case '4': return L"block special";
    case '5': return L"directory";
    case '6': return L"FIFO special";
    default: return nullptr;
    }
}

} // namespace

CArchiveReader::~CArchiveReader()
{
    CloseArchive();
}

void CArchiveReader::FreeData()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nDataSize = 0;
}

void CArchiveReader::CloseArchive()
{
    if (m_pZip) {
        ZipCloseArchive(m_pZip);
        m_pZip = nullptr;
    }
    if (IsOpen())
        CGzipStream::Close();
    FreeData();
    m_strError.Empty();
}

bool CArchiveReader::EnsureContent()
{
    if (m_pData && m_nDataSize)
        return true;
    FreeData();
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!ReadAll(&data, &size) || size == 0) {
        delete[] data;
        m_strError = kReadFailed;
        return false;
    }
    m_pData = data;
    m_nDataSize = size;
    return true;
}

int CArchiveReader::Open(const WCHAR* path)
{
    m_pZip = ZipOpenArchive(path, 0, ZIP_KIND_FILENAME);
    if (m_pZip) {
        m_nType = ZIP_ARCHIVE;
        return 1;
    }
    if (!CGzipStream::Open(path, 2)) {
        m_strError = L"Could not determine archive type !";
        return 0;
    }
    if (!EnsureContent())
        return 0;
    m_nType = TarHeaderChecksumOk(m_pData, m_nDataSize) ? TAR_GZIP_ARCHIVE : GZIP_ARCHIVE;
    return 1;
}

int CArchiveReader::GetFileCount()
{
    switch (m_nType) {
    case UNKNOWN_ARCHIVE:
        m_strError = L"Archive not opened";
        return -1;
    case ZIP_ARCHIVE: {
        if (!m_pZip)
            return -1;
        ZipEntryInfo info;
        if (ZipGetEntry(m_pZip, -1, &info) != ZIP_OK) {
            m_strError = L"Could not get files from the archive !";
            return -1;
        }
        return info.index;
    }
    case GZIP_ARCHIVE:
        return 1;
    case TAR_GZIP_ARCHIVE:
        if (!EnsureContent())
            return -1;
        return TarCountMembers(m_pData, m_nDataSize);
    default:
        return -1;
    }
}

int CArchiveReader::GetFile(int i, const BYTE** data, DWORD* size, int* isFile, CString* name, CString* typeText,
                            FILETIME* accessTime, FILETIME* creationTime, FILETIME* modificationTime,
                            ULONGLONG* tarModificationTime)
{
    switch (m_nType) {
    case UNKNOWN_ARCHIVE:
        m_strError = L"Archive not opened";
        return 0;
    case ZIP_ARCHIVE: {
        if (!m_pZip)
            return 0;
        ZipEntryInfo info;
        if (ZipGetEntry(m_pZip, i, &info) != ZIP_OK || info.uncompressedSize > kMaxEntrySize) {
            m_strError = L"Could not get file at the specified position from the archive !";
            return 0;
        }
        FreeData();
        BYTE* buffer = new (std::nothrow) BYTE[info.uncompressedSize + 10]();
        if (!buffer) {
            m_strError = L"Could not unzip file at the specified position from the archive !";
            return 0;
        }
        DWORD r = ZipExtractEntry(m_pZip, i, buffer, info.uncompressedSize, ZIP_KIND_MEMORY);
        if (r != ZIP_OK && r != ZIP_MORE_DATA) {
            delete[] buffer;
            m_strError = L"Could not unzip file at the specified position from the archive !";
            return 0;
        }
        buffer[info.uncompressedSize] = 0;
        m_pData = buffer;
        m_nDataSize = info.uncompressedSize;
        *data = m_pData;
        *size = m_nDataSize;
        const bool normal = (info.attributes & FILE_ATTRIBUTE_NORMAL) != 0;
        *isFile = normal ? 1 : 0;
        if (normal)
            *typeText = L"FILE_ATTRIBUTE_NORMAL";
        static const struct { DWORD bit; const WCHAR* text; } kinds[] = {
            {FILE_ATTRIBUTE_DIRECTORY, L"FILE_ATTRIBUTE_DIRECTORY"},
            {FILE_ATTRIBUTE_ARCHIVE, L"FILE_ATTRIBUTE_ARCHIVE"},
            {FILE_ATTRIBUTE_HIDDEN, L"FILE_ATTRIBUTE_HIDDEN"},
            {FILE_ATTRIBUTE_READONLY, L"FILE_ATTRIBUTE_READONLY"},
            {FILE_ATTRIBUTE_SYSTEM, L"FILE_ATTRIBUTE_SYSTEM"},
        };
        for (const auto& k : kinds) {
            if (info.attributes & k.bit) {
                *typeText = k.text;
                break;
            }
        }
        *name = info.name;
        *accessTime = info.accessTime;
        *creationTime = info.creationTime;
        *modificationTime = info.modificationTime;
        return 1;
    }
    case GZIP_ARCHIVE:
        if (!EnsureContent())
            return 0;
        *data = m_pData;
        *size = m_nDataSize;
        *isFile = 1;
        *name = L"unknown";
        return 1;
    case TAR_GZIP_ARCHIVE: {
        if (!EnsureContent())
            return 0;
        TarMember m;
        TarFindResult found = TarFindMember(m_pData, m_nDataSize, i, &m);
        if (found == TAR_STEP_FAILED) {
            m_strError = L"Invalid file position !";
            return 0;
        }
        if (found != TAR_FOUND)
            return 0;
        const BYTE* header = m_pData + m.headerOffset;
        *data = m_pData + m.dataOffset;
        *size = (DWORD)m.size;
        char flag = (char)header[156];
        if (flag == '0' || flag == 0) {
            *typeText = L"regular file";
            *isFile = 1;
        } else {
            *isFile = 0;
            if (const WCHAR* text = TarTypeText(flag))
                *typeText = text;
        }
        char tarName[101] = {};
        memcpy(tarName, header, 100);
        *name = CString(tarName);
        *tarModificationTime = ParseOctalField(header + 136, 12);
        return 1;
    }
    default:
        return 1;
    }
}
