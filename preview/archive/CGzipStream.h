// Byte streams over zlib's gzip-file functions.
#pragma once

#include <windows.h>

#include <zlib.h>

// Abstract stream: mode 0 closed, 1 write, 2 read.
class CByteStream
{
public:
    virtual ~CByteStream() {}
    virtual bool SetMode(int mode)
    {
        m_nMode = mode;
        return true;
    }
    virtual bool Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool Write(const void* bytes, unsigned length) = 0;
    virtual bool WriteString(const WCHAR* text) = 0;
    virtual int Read(void* buffer, unsigned length) = 0;
    virtual bool ReadAll(BYTE** buffer, DWORD* size) = 0;
    virtual bool SetParams() = 0;

protected:
    int m_nMode = 0;
    int m_nLevel = -1;      // zlib's default
    int m_nStrategy = 0;
};

// A gzip file opened for writing (mode 1, "wb") or reading (mode 2, "rb").
// zlib's reader also passes a file that is not compressed through unchanged.
class CGzipStream : public CByteStream
{
public:
    // The most ReadAll gathers: a small gzip file can unpack to gigabytes.
    static const DWORD kMaxContent = 256u * 1024 * 1024;

    ~CGzipStream() override;
    bool Open(const WCHAR* path, int mode);
    bool Close() override;
    bool IsOpen() const override { return m_file != nullptr; }
    bool Write(const void* bytes, unsigned length) override;
    bool WriteString(const WCHAR* text) override;
    int Read(void* buffer, unsigned length) override;
    // The whole decompressed content in one new[] buffer the caller owns;
    // false for no data, a read error or content above kMaxContent.
    bool ReadAll(BYTE** buffer, DWORD* size) override;
    bool SetParams() override;

protected:
    gzFile m_file = nullptr;
    ULONGLONG m_nFileLength = 0;
};
