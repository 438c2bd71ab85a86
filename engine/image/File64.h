// A read-only Win32 file with 64-bit positions: the file under the VHD and
// VHDX readers.
#pragma once

#include <windows.h>
#include <stdint.h>

class CFile64
{
public:
    CFile64() : m_hFile(NULL) {}
    virtual ~CFile64() { Close(); }

    // Opens an existing file for reading; shareMode as for CreateFileW.
    int Open(const wchar_t* path, DWORD shareMode = FILE_SHARE_READ);
    void Close();
    int IsOpen() const { return m_hFile != NULL; }

    // origin 0 start, 1 current position, 2 end of file; direction 1 adds
    // the value, 0 subtracts it. Returns the new position.
    uint64_t Seek(uint64_t value, int origin, int direction);
    int SeekTo(uint64_t offset);
    int SeekFromEnd(uint64_t distance);

    // Reads from the current position. Returns 1 only when all bytes came
    // back; *pDone (when given) receives the number delivered.
    int Read(void* buffer, DWORD size, DWORD* pDone = nullptr);
    int ReadAt(void* buffer, uint64_t offset, DWORD size, DWORD* pDone = nullptr);

    uint64_t GetPosition();
    uint64_t GetLength();

protected:
    HANDLE m_hFile;

private:
    CFile64(const CFile64&) = delete;
    CFile64& operator=(const CFile64&) = delete;
};
