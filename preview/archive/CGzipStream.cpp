#include "CGzipStream.h"

#include <fcntl.h>
#include <io.h>
#include <string.h>
#include <wchar.h>

#include <memory>
#include <new>
#include <vector>

CGzipStream::~CGzipStream()
{
    Close();
}

bool CGzipStream::Open(const WCHAR* path, int mode)
{
    if (IsOpen() || !path)
        return false;
    if (mode == 1) {
        m_file = gzopen_w(path, "wb");
        if (m_file)
            SetParams();
    } else if (mode == 2) {
        if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
            return false;
        int fd = _wopen(path, _O_RDONLY | _O_BINARY);
        if (fd < 0)
            return false;
        __int64 length = _filelengthi64(fd);
        _close(fd);
        m_nFileLength = length > 0 ? (ULONGLONG)length : 0;
        m_file = gzopen_w(path, "rb");
    }
    m_nMode = m_file ? mode : 0;
    return m_file != nullptr;
}

bool CGzipStream::Close()
{
    if (!m_file)
        return false;
    int r = gzclose(m_file);
    m_file = nullptr;
    m_nMode = 0;
    return r == Z_OK;
}

bool CGzipStream::Write(const void* bytes, unsigned length)
{
    if (!m_file || m_nMode != 1)
        return false;
    if (length == 0)
        return true;
    return gzwrite(m_file, bytes, length) == (int)length;
}

bool CGzipStream::WriteString(const WCHAR* text)
{
    return text && Write(text, (unsigned)(wcslen(text) * sizeof(WCHAR)));
}

int CGzipStream::Read(void* buffer, unsigned length)
{
    if (!m_file || m_nMode != 2)
        return 0;
    return gzread(m_file, buffer, length);
}

bool CGzipStream::ReadAll(BYTE** buffer, DWORD* size)
{
    *size = 0;
    if (!m_file || m_nMode != 2 || m_nFileLength == 0)
        return false;
    // Chunks as large as the compressed file, within sensible bounds.
    const ULONGLONG chunkSize = m_nFileLength < 65536 ? 65536 : (m_nFileLength > (4u << 20) ? (4u << 20) : m_nFileLength);
    std::vector<std::vector<BYTE>> chunks;
    DWORD total = 0;
    for (;;) {
        std::vector<BYTE> chunk;
        try {
            chunk.resize((size_t)chunkSize);
        } catch (const std::bad_alloc&) {
            return false;
        }
        int got = Read(chunk.data(), (unsigned)chunk.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if ((DWORD)got > kMaxContent - total)
            return false;
        chunk.resize((size_t)got);
        total += (DWORD)got;
        chunks.push_back(std::move(chunk));
    }
    if (total == 0)
        return false;
    BYTE* all = new (std::nothrow) BYTE[total];
    if (!all)
        return false;
    DWORD at = 0;
    for (const std::vector<BYTE>& c : chunks) {
        memcpy(all + at, c.data(), c.size());
        at += (DWORD)c.size();
    }
    *buffer = all;
    *size = total;
    return true;
}

bool CGzipStream::SetParams()
{
    if (m_file && m_nMode == 1)
        return gzsetparams(m_file, m_nLevel, m_nStrategy) == Z_OK;
    return IsOpen();
}
