#include "image/File64.h"

int CFile64::Open(const wchar_t* path, DWORD shareMode)
{
    Close();
    HANDLE h = CreateFileW(path, GENERIC_READ, shareMode, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    m_hFile = h;
    return 1;
}

void CFile64::Close()
{
    if (m_hFile) {
        CloseHandle(m_hFile);
        m_hFile = NULL;
    }
}

uint64_t CFile64::Seek(uint64_t value, int origin, int direction)
{
    uint64_t base;
    if (origin == 0)
        base = 0;
    else if (origin == 1)
        base = GetPosition();
    else if (origin == 2)
        base = GetLength();
    else
        direction = -1;

    uint64_t target = 0;
    if (direction == 1)
        target = base + value;
    else if (direction == 0)
        target = base - value;

    LARGE_INTEGER distance, position;
    distance.QuadPart = (LONGLONG)target;
    if (!m_hFile || !SetFilePointerEx(m_hFile, distance, &position, FILE_BEGIN))
        return 0;
    return (uint64_t)position.QuadPart;
}

int CFile64::SeekTo(uint64_t offset)
{
    LARGE_INTEGER distance;
    distance.QuadPart = (LONGLONG)offset;
    return m_hFile && SetFilePointerEx(m_hFile, distance, NULL, FILE_BEGIN) ? 1 : 0;
}

int CFile64::SeekFromEnd(uint64_t distance)
{
    uint64_t length = GetLength();
    if (distance > length)
        return 0;
    return SeekTo(length - distance);
}

int CFile64::Read(void* buffer, DWORD size, DWORD* pDone)
{
    DWORD done = 0;
    BOOL ok = m_hFile && ReadFile(m_hFile, buffer, size, &done, NULL);
    if (!ok)
        done = 0;
    if (pDone)
        *pDone = done;
    return ok && done == size ? 1 : 0;
}

int CFile64::ReadAt(void* buffer, uint64_t offset, DWORD size, DWORD* pDone)
{
    if (!SeekTo(offset)) {
        if (pDone)
            *pDone = 0;
        return 0;
    }
    return Read(buffer, size, pDone);
}

uint64_t CFile64::GetPosition()
{
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!m_hFile || !SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        return 0;
    return (uint64_t)position.QuadPart;
}

uint64_t CFile64::GetLength()
{
    LARGE_INTEGER size;
    if (!m_hFile || !GetFileSizeEx(m_hFile, &size))
        return 0;
    return (uint64_t)size.QuadPart;
}
