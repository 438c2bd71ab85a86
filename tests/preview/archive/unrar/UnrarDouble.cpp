// A stand-in for "unrar.dll" for the tests: the four listing entry points
// over RAR 4 archives (marker block, main header, file headers, end block),
// reading the blocks itself. Every header's CRC16 is checked; a damaged or
// truncated header ends the listing with an error, as the real library does.
#include "RarLibrary.h"

#include <zlib.h>

#include <string.h>

#include <new>
#include <vector>

namespace {

enum
{
    kEndArchive = 10,
    kBadData = 12,
    kBadArchive = 13,
    kOpenFailed = 15,
};

const unsigned char kMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
const DWORD kMaxArchive = 64u << 20;

unsigned Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
DWORD Le32(const unsigned char* p) { return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24); }

struct Archive
{
    std::vector<unsigned char> data;
    size_t next = 0;            // the next block's offset
    ULONGLONG pendingData = 0;  // the current file's data, skipped by RARProcessFile
    bool haveFile = false;
};

bool ReadFileBytes(const char* path, std::vector<unsigned char>* out)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0, size = GetFileSize(h, &high);
    bool ok = high == 0 && size <= kMaxArchive;
    if (ok) {
        out->resize(size);
        DWORD got = 0;
        ok = size == 0 || (ReadFile(h, out->data(), size, &got, nullptr) && got == size);
    }
    CloseHandle(h);
    return ok;
}

// The block at offset: its header size and data size, after the checks.
bool BlockAt(const Archive& a, size_t offset, size_t* headerSize, ULONGLONG* dataSize)
{
    const size_t total = a.data.size();
    if (offset > total || total - offset < 7)
        return false;
    const unsigned char* p = a.data.data() + offset;
    unsigned flags = Le16(p + 3);
    size_t size = Le16(p + 5);
    if (size < 7 || size > total - offset)
        return false;
    if ((crc32(0, p + 2, (uInt)(size - 2)) & 0xFFFF) != Le16(p))
        return false;
    *headerSize = size;
    *dataSize = 0;
    if (flags & 0x8000) {
        if (size < 11)
            return false;
        *dataSize = Le32(p + 7);
    }
    return true;
}

} // namespace

extern "C" {

__declspec(dllexport) HANDLE WINAPI RAROpenArchiveEx(RAROpenArchiveDataEx* d)
{
    Archive* a = new (std::nothrow) Archive;
    if (!a) {
        d->OpenResult = kOpenFailed;
        return nullptr;
    }
    if (!d->ArcName || !ReadFileBytes(d->ArcName, &a->data)) {
        d->OpenResult = kOpenFailed;
        delete a;
        return nullptr;
    }
    size_t headerSize = 0;
    ULONGLONG dataSize = 0;
    if (a->data.size() < sizeof kMarker || memcmp(a->data.data(), kMarker, sizeof kMarker) != 0 ||
        !BlockAt(*a, sizeof kMarker, &headerSize, &dataSize) || a->data[sizeof kMarker + 2] != 0x73) {
        d->OpenResult = kBadArchive;
        delete a;
        return nullptr;
    }
    a->next = sizeof kMarker + headerSize;
    d->OpenResult = 0;
    return a;
}

__declspec(dllexport) int WINAPI RARCloseArchive(HANDLE h)
{
    delete static_cast<Archive*>(h);
    return 0;
}

__declspec(dllexport) int WINAPI RARReadHeaderEx(HANDLE h, RARHeaderDataEx* out)
{
    Archive* a = static_cast<Archive*>(h);
    if (!a)
        return kBadArchive;
    if (a->haveFile) {
        // A header read without a skip in between steps over the data too.
        if (a->pendingData > a->data.size() - a->next)
            return kBadData;
        a->next += (size_t)a->pendingData;
        a->haveFile = false;
    }
    for (;;) {
        size_t headerSize = 0;
        ULONGLONG dataSize = 0;
        if (a->next == a->data.size())
            return kEndArchive;
        if (!BlockAt(*a, a->next, &headerSize, &dataSize))
            return kBadData;
        const unsigned char* p = a->data.data() + a->next;
        unsigned kind = p[2];
        if (kind == 0x7B)
            return kEndArchive;
        if (kind != 0x74) {
            if (dataSize > a->data.size() - a->next - headerSize)
                return kBadData;
            a->next += headerSize + (size_t)dataSize;
            continue;
        }
        unsigned flags = Le16(p + 3);
        size_t fixed = (flags & 0x100) ? 40 : 32;
        if (headerSize < fixed)
            return kBadData;
        unsigned nameSize = Le16(p + 26);
        if (nameSize > headerSize - fixed)
            return kBadData;
        memset(out->FileName, 0, sizeof out->FileName);
        memcpy(out->FileName, p + fixed, nameSize < sizeof out->FileName - 1 ? nameSize : sizeof out->FileName - 1);
        out->Flags = flags;
        out->PackSize = Le32(p + 7);
        out->UnpSize = Le32(p + 11);
        out->HostOS = p[15];
        out->FileCRC = Le32(p + 16);
        out->FileTime = Le32(p + 20);
        out->UnpVer = p[24];
        out->Method = p[25];
        out->FileAttr = Le32(p + 28);
        out->PackSizeHigh = (flags & 0x100) ? Le32(p + 32) : 0;
        out->UnpSizeHigh = (flags & 0x100) ? Le32(p + 36) : 0;
        a->next += headerSize;
        a->pendingData = ((ULONGLONG)out->PackSizeHigh << 32) | out->PackSize;
        a->haveFile = true;
        return 0;
    }
}

__declspec(dllexport) int WINAPI RARProcessFile(HANDLE h, int operation, char*, char*)
{
    Archive* a = static_cast<Archive*>(h);
    if (!a || !a->haveFile || operation != RAR_SKIP)
        return kBadData;
    a->haveFile = false;
    if (a->pendingData > a->data.size() - a->next)
        return kBadData;
    a->next += (size_t)a->pendingData;
    return 0;
}

} // extern "C"
