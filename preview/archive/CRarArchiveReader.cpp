#include "CRarArchiveReader.h"

#include <memory>
#include <stdexcept>
#include <string.h>

namespace {

const unsigned kCommentBufferSize = 16384;

ULONGLONG Join(unsigned low, unsigned high)
{
    return ((ULONGLONG)high << 32) | low;
}

} // namespace

CRarArchiveReader::CRarArchiveReader()
{
    m_hModule = LoadLibraryW(L"unrar.dll");
    if (!m_hModule)
        m_strError = L"Load Error: unrar.dll could not be loaded";
}

CRarArchiveReader::~CRarArchiveReader()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
}

bool CRarArchiveReader::ListArchive(const char* path)
{
    if (!m_hModule)
        return false;
    m_pfnOpenArchiveEx = (RarOpenArchiveExFn)(void*)GetProcAddress(m_hModule, "RAROpenArchiveEx");
    m_pfnCloseArchive = (RarCloseArchiveFn)(void*)GetProcAddress(m_hModule, "RARCloseArchive");
    m_pfnProcessFile = (RarProcessFileFn)(void*)GetProcAddress(m_hModule, "RARProcessFile");
    m_pfnReadHeaderEx = (RarReadHeaderExFn)(void*)GetProcAddress(m_hModule, "RARReadHeaderEx");
    if (!m_pfnOpenArchiveEx || !m_pfnCloseArchive || !m_pfnProcessFile || !m_pfnReadHeaderEx)
        return false;

    m_strArchiveName = CString(path ? path : "");
    std::vector<char> name(path ? path : "", path ? path + strlen(path) + 1 : "" + 1);
    RAROpenArchiveDataEx open;
    memset(&open, 0, sizeof open);
    open.ArcName = name.data();
    open.OpenMode = RAR_OM_LIST;
    HANDLE archive = m_pfnOpenArchiveEx(&open);
    if (open.OpenResult != 0 || !archive) {
        m_strError = L"Open Error: Failed to open RAR file";
        if (archive)
            m_pfnCloseArchive(archive);
        return false;
    }
    m_entries.clear();

    std::vector<char> comment(kCommentBufferSize);
    // The header record is large (about 10 KB): kept off the stack.
    std::unique_ptr<RARHeaderDataEx> header(new RARHeaderDataEx);
    for (;;) {
        memset(header.get(), 0, sizeof *header);
        header->CmtBuf = comment.data();
        header->CmtBufSize = kCommentBufferSize;
        if (m_pfnReadHeaderEx(archive, header.get()) != 0)
            break;
        header->FileName[sizeof header->FileName - 1] = 0;
        RarArchiveEntry e;
        e.name = CString(header->FileName);
        e.flags = header->Flags;
        e.packedSize = Join(header->PackSize, header->PackSizeHigh);
        e.unpackedSize = Join(header->UnpSize, header->UnpSizeHigh);
        e.fileTime = header->FileTime;
        e.attributes = header->FileAttr;
        m_entries.push_back(e);
        if (m_pfnProcessFile(archive, RAR_SKIP, nullptr, nullptr) != 0)
            break;
    }
    m_pfnCloseArchive(archive);
    return true;
}

RarArchiveEntry CRarArchiveReader::GetEntry(size_t i) const
{
    if (i >= m_entries.size())
        throw std::out_of_range("invalid vector<T> subscript");
    return m_entries[i];
}
