// Zip access over minizip's unzip core. The core reads through our own I/O
// table (ZipSource); the local header and its extra field, which the core
// only reveals by opening an entry's data, are read here directly, so
// entries packed with methods the core cannot unpack are still described.
#include "ZipArchive.h"

#include "ZipWriter.h"

#include <unzip.h>

#include <string.h>
#include <wchar.h>

#include <new>
#include <string>
#include <vector>

DWORD g_ZipLastResult = ZIP_OK;

namespace {

const unsigned kNameBytes = 260;
const DWORD kCopyChunk = 16384;

inline unsigned Le16(const BYTE* p) { return p[0] | (p[1] << 8); }
inline DWORD Le32(const BYTE* p) { return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24); }
inline ULONGLONG Le64(const BYTE* p) { return Le32(p) | ((ULONGLONG)Le32(p + 4) << 32); }

// One archive source: a duplicated handle (positions relative to where it
// stood at open), a file opened by name, or a memory block.
struct ZipSource
{
    int kind = 0;
    HANDLE file = INVALID_HANDLE_VALUE;
    ULONGLONG origin = 0;
    const BYTE* memory = nullptr;
    ULONGLONG memoryLength = 0;
    ULONGLONG position = 0;
    bool failed = false;
};

ULONGLONG SourceSize(ZipSource* src)
{
    if (src->kind == ZIP_KIND_MEMORY)
        return src->memoryLength;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(src->file, &size) || (ULONGLONG)size.QuadPart < src->origin)
        return 0;
    return (ULONGLONG)size.QuadPart - src->origin;
}

// Reads up to count bytes at offset; returns the bytes read. Never reads a
// memory block beyond its length.
DWORD SourceReadAt(ZipSource* src, ULONGLONG offset, void* buffer, DWORD count)
{
    if (src->kind == ZIP_KIND_MEMORY) {
        if (offset >= src->memoryLength)
            return 0;
        ULONGLONG left = src->memoryLength - offset;
        DWORD n = left < count ? (DWORD)left : count;
        memcpy(buffer, src->memory + offset, n);
        return n;
    }
    LARGE_INTEGER to;
    to.QuadPart = (LONGLONG)(src->origin + offset);
    if (to.QuadPart < 0 || !SetFilePointerEx(src->file, to, nullptr, FILE_BEGIN))
        return 0;
    DWORD got = 0;
    if (!ReadFile(src->file, buffer, count, &got, nullptr))
        return 0;
    return got;
}

bool SourceReadExact(ZipSource* src, ULONGLONG offset, void* buffer, DWORD count)
{
    return SourceReadAt(src, offset, buffer, count) == count;
}

// The I/O table handed to unzOpen2_64: the "file name" is the source itself.
voidpf ZCALLBACK IoOpen(voidpf, const void* name, int) { return const_cast<void*>(name); }

uLong ZCALLBACK IoRead(voidpf, voidpf stream, void* buf, uLong size)
{
    ZipSource* src = static_cast<ZipSource*>(stream);
    DWORD got = SourceReadAt(src, src->position, buf, size);
    src->position += got;
    return got;
}

uLong ZCALLBACK IoWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK IoTell(voidpf, voidpf stream) { return static_cast<ZipSource*>(stream)->position; }

long ZCALLBACK IoSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    ZipSource* src = static_cast<ZipSource*>(stream);
    ULONGLONG base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = src->position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = SourceSize(src);
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    src->position = base + offset;
    return 0;
}

int ZCALLBACK IoClose(voidpf, voidpf stream)
{
    ZipSource* src = static_cast<ZipSource*>(stream);
    if (src->file != INVALID_HANDLE_VALUE)
        CloseHandle(src->file);
    src->file = INVALID_HANDLE_VALUE;
    return 0;
}

int ZCALLBACK IoError(voidpf, voidpf stream) { return static_cast<ZipSource*>(stream)->failed ? 1 : 0; }

// An entry as described, in its internal form (ANSI name).
struct ZipCachedEntry
{
    int index = -1;
    char name[kNameBytes] = {};
    DWORD attributes = 0;
    FILETIME accessTime = {};
    FILETIME creationTime = {};
    FILETIME modificationTime = {};
    DWORD compressedSize = 0;
    DWORD uncompressedSize = 0;
};

// An archive of nothing but an end record with no entries: the unzip core
// finds no end record at offset 0, so such archives (as zip tools write
// them for an empty folder) are recognised here and open with no core.
bool IsEmptyArchive(ZipSource* src)
{
    BYTE end[22];
    return SourceSize(src) == sizeof end && SourceReadExact(src, 0, end, sizeof end) && Le32(end) == 0x06054b50 &&
           Le16(end + 8) == 0 && Le16(end + 10) == 0;
}

} // namespace

struct ZipReaderState
{
    unzFile core = nullptr;
    ZipSource source;
    int openItem = -1;
    ZipCachedEntry cached;
    WCHAR baseFolder[MAX_PATH + 2] = {};
};

FILETIME DosDateTimeToUtcFileTime(DWORD dosDateTime)
{
    FILETIME local = {}, utc = {};
    if (!DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &local))
        return FILETIME{};
    if (!LocalFileTimeToFileTime(&local, &utc))
        return FILETIME{};
    return utc;
}

FILETIME UnixTimeToFileTime(DWORD seconds)
{
    // 100-ns intervals from 1601 to 1970, then the seconds, unsigned: a
    // 32-bit value of any size is a time in 1970 to 2106.
    ULONGLONG t = (seconds + 11644473600ULL) * 10000000ULL;
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)t;
    ft.dwHighDateTime = (DWORD)(t >> 32);
    return ft;
}

bool IsContainedRelativePath(const WCHAR* path)
{
    if (!path || path[0] == L'/' || path[0] == L'\\')
        return false;
    if (path[0] && path[1] == L':')
        return false;
    const WCHAR* level = path;
    for (const WCHAR* p = path;; ++p) {
        if (*p == L'/' || *p == L'\\' || *p == 0) {
            if (p - level == 2 && level[0] == L'.' && level[1] == L'.')
                return false;
            if (*p == 0)
                break;
            level = p + 1;
        }
    }
    return true;
}

void CreateFolderPath(const WCHAR* base, const WCHAR* relative)
{
    std::wstring path = base ? base : L"";
    size_t start = path.size();
    path += relative ? relative : L"";
    for (size_t i = start; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'/' || path[i] == L'\\') {
            if (i > start)
                CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
        }
    }
}

namespace {

DWORD Finish(DWORD result)
{
    g_ZipLastResult = result;
    return result;
}

ZipReaderState* ReaderOf(ZipHandle* handle, DWORD* result)
{
    if (!handle) {
        *result = ZIP_BAD_ARGUMENT;
        return nullptr;
    }
    if (handle->kind != ZIP_HANDLE_READER) {
        *result = ZIP_WRONG_KIND;
        return nullptr;
    }
    return static_cast<ZipReaderState*>(handle->state);
}

void AbandonOpenItem(ZipReaderState* s)
{
    if (s->openItem >= 0 && s->core) {
        unzCloseCurrentFile(s->core);
        s->openItem = -1;
    }
}

ULONGLONG EntryCount(ZipReaderState* s)
{
    if (!s->core)
        return 0;
    unz_global_info64 gi = {};
    if (unzGetGlobalInfo64(s->core, &gi) != UNZ_OK)
        return 0;
    return gi.number_entry;
}

// Puts the core on entry i by stepping from where it stands; a step that
// fails (a missing or damaged central record) ends the walk.
bool GoToEntry(ZipReaderState* s, int i)
{
    unz64_file_pos pos = {};
    if (unzGetFilePos64(s->core, &pos) != UNZ_OK || pos.num_of_file > (ZPOS64_T)i) {
        if (unzGoToFirstFile(s->core) != UNZ_OK)
            return false;
        pos.num_of_file = 0;
    }
    while (pos.num_of_file < (ZPOS64_T)i) {
        if (unzGoToNextFile(s->core) != UNZ_OK)
            return false;
        if (unzGetFilePos64(s->core, &pos) != UNZ_OK)
            return false;
    }
    return true;
}

// The local header offset from the current entry's central record, taking
// the zip64 extra field when the 32-bit field is saturated.
bool LocalHeaderOffset(ZipReaderState* s, ULONGLONG* offset)
{
    ZPOS64_T central = unzGetOffset64(s->core);
    BYTE rec[46];
    if (!SourceReadExact(&s->source, central, rec, sizeof rec) || Le32(rec) != 0x02014b50)
        return false;
    *offset = Le32(rec + 42);
    if (*offset != 0xFFFFFFFF)
        return true;
    unsigned nameLen = Le16(rec + 28), extraLen = Le16(rec + 30);
    std::vector<BYTE> extra(extraLen);
    if (extraLen == 0 || !SourceReadExact(&s->source, central + 46 + nameLen, extra.data(), extraLen))
        return false;
    for (size_t at = 0; extraLen - at >= 4;) {
        unsigned id = Le16(&extra[at]), size = Le16(&extra[at + 2]);
        if (size > extraLen - at - 4)
            return false;
        if (id == 0x0001) {
            // Present in this order, each only when its 32-bit field is saturated.
            size_t skip = (Le32(rec + 24) == 0xFFFFFFFF ? 8 : 0) + (Le32(rec + 20) == 0xFFFFFFFF ? 8 : 0);
            if (size < skip + 8)
                return false;
            *offset = Le64(&extra[at + 4 + skip]);
            return true;
        }
        at += 4 + size;
    }
    return false;
}

// Applies the times of the first "UT" block of a local extra field; every
// read stays inside the block's own size.
void ApplyExtendedTimes(const BYTE* extra, size_t size, ZipCachedEntry* e)
{
    if (size <= 4)
        return;
    for (size_t at = 0; size - at >= 4;) {
        unsigned id = Le16(extra + at);
        size_t blockSize = Le16(extra + at + 2);
        if (blockSize > size - at - 4)
            blockSize = size - at - 4;
        if (id == 0x5455) {
            const BYTE* data = extra + at + 4;
            if (blockSize < 1)
                return;
            BYTE flags = data[0];
            size_t p = 1;
            FILETIME* targets[3] = {&e->modificationTime, &e->accessTime, &e->creationTime};
            for (int bit = 0; bit < 3; ++bit) {
                if (!(flags & (1 << bit)))
                    continue;
                if (blockSize - p < 4)
                    return;
                *targets[bit] = UnixTimeToFileTime(Le32(data + p));
                p += 4;
            }
            return;
        }
        at += 4 + blockSize;
    }
}

DWORD WindowsAttributes(DWORD external)
{
    DWORD a = FILE_ATTRIBUTE_NORMAL;
    if ((external & 0x40000000) || (external & 0x10))
        a = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NORMAL;
    if (external & 0x20)
        a |= FILE_ATTRIBUTE_ARCHIVE;
    if (external & 0x02)
        a |= FILE_ATTRIBUTE_HIDDEN;
    if (!(external & 0x00800000) || (external & 0x01))
        a |= FILE_ATTRIBUTE_READONLY;
    if (external & 0x04)
        a |= FILE_ATTRIBUTE_SYSTEM;
    return a;
}

// Describes entry i into the cache (index -1 answers the count only).
DWORD Describe(ZipReaderState* s, int i, ZipCachedEntry* out)
{
    ULONGLONG count = EntryCount(s);
    if (i < -1 || (i >= 0 && (ULONGLONG)i >= count))
        return ZIP_BAD_ARGUMENT;
    AbandonOpenItem(s);
    if (i >= 0 && i == s->cached.index) {
        *out = s->cached;
        return ZIP_OK;
    }
    if (i == -1) {
        *out = ZipCachedEntry();
        out->index = (int)(count > 0x7FFFFFFF ? 0x7FFFFFFF : count);
        return ZIP_OK;
    }
    if (!GoToEntry(s, i))
        return ZIP_BAD_ARGUMENT;
    ZipCachedEntry e;
    unz_file_info64 info = {};
    if (unzGetCurrentFileInfo64(s->core, &info, e.name, kNameBytes - 1, nullptr, 0, nullptr, 0) != UNZ_OK)
        return ZIP_BAD_ARGUMENT;
    e.name[kNameBytes - 1] = 0;

    ULONGLONG local = 0;
    BYTE header[30];
    if (!LocalHeaderOffset(s, &local) || !SourceReadExact(&s->source, local, header, sizeof header) ||
        Le32(header) != 0x04034b50)
        return ZIP_LOCAL_HEADER_BAD;
    unsigned extraLen = Le16(header + 28);
    std::vector<BYTE> extra(extraLen);
    if (extraLen && !SourceReadExact(&s->source, local + 30 + Le16(header + 26), extra.data(), extraLen))
        return ZIP_LOCAL_EXTRA_BAD;

    e.index = i;
    e.attributes = WindowsAttributes(info.external_fa);
    e.modificationTime = e.accessTime = e.creationTime = DosDateTimeToUtcFileTime(info.dosDate);
    ApplyExtendedTimes(extra.data(), extra.size(), &e);
    e.compressedSize = (DWORD)info.compressed_size;
    e.uncompressedSize = (DWORD)info.uncompressed_size;
    s->cached = e;
    *out = e;
    return ZIP_OK;
}

void ToPublic(const ZipCachedEntry& e, ZipEntryInfo* info)
{
    info->index = e.index;
    int n = MultiByteToWideChar(CP_ACP, 0, e.name, -1, info->name, 260);
    if (n <= 0)
        info->name[0] = 0;
    info->name[259] = 0;
    info->attributes = e.attributes;
    info->accessTime = e.accessTime;
    info->creationTime = e.creationTime;
    info->modificationTime = e.modificationTime;
    info->compressedSize = e.compressedSize;
    info->uncompressedSize = e.uncompressedSize;
}

DWORD ExtractToMemory(ZipReaderState* s, int index, BYTE* buffer, DWORD length)
{
    if (s->openItem != index) {
        AbandonOpenItem(s);
        if (index < 0 || (ULONGLONG)index >= EntryCount(s))
            return ZIP_BAD_ARGUMENT;
        if (!GoToEntry(s, index))
            return ZIP_BAD_ARGUMENT;
        if (unzOpenCurrentFile(s->core) != UNZ_OK)
            return ZIP_INFLATE_FAILED;
        s->openItem = index;
    }
    int got = unzReadCurrentFile(s->core, buffer, length);
    if (got > 0)
        return ZIP_MORE_DATA;
    AbandonOpenItem(s);
    return got == 0 ? ZIP_OK : ZIP_INFLATE_FAILED;
}

// The target path's folder part (before its last separator), or empty.
std::wstring FolderOf(const WCHAR* path)
{
    const WCHAR* slash = wcsrchr(path, L'/');
    const WCHAR* back = wcsrchr(path, L'\\');
    const WCHAR* last = slash > back ? slash : back;
    return last ? std::wstring(path, last - path) : std::wstring();
}

DWORD ExtractToFile(ZipReaderState* s, int index, void* target, int kind)
{
    AbandonOpenItem(s);
    if (index < 0 || (ULONGLONG)index >= EntryCount(s))
        return ZIP_BAD_ARGUMENT;
    ZipCachedEntry e;
    DWORD r = Describe(s, index, &e);
    if (r != ZIP_OK)
        return r;
    ZipEntryInfo wide;
    ToPublic(e, &wide);
    if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // The entry's own name decides where its folders go: it must stay
        // below the base folder like every file target.
        if (kind == ZIP_KIND_FILENAME && IsContainedRelativePath(wide.name))
            CreateFolderPath(s->baseFolder, wide.name);
        return ZIP_OK;
    }
    HANDLE out;
    if (kind == ZIP_KIND_FILENAME) {
        const WCHAR* path = static_cast<const WCHAR*>(target);
        std::wstring folder = FolderOf(path);
        if (!folder.empty() && IsContainedRelativePath(folder.c_str()))
            CreateFolderPath(s->baseFolder, folder.c_str());
        DWORD attrs = e.attributes & ~(DWORD)FILE_ATTRIBUTE_DIRECTORY;
        out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attrs, nullptr);
        if (out == INVALID_HANDLE_VALUE)
            return ZIP_OPEN_FAILED;
    } else {
        out = (HANDLE)target;
    }
    if (!GoToEntry(s, index)) {
        if (kind == ZIP_KIND_FILENAME)
            CloseHandle(out);
        return ZIP_BAD_ARGUMENT;
    }
    bool ok = unzOpenCurrentFile(s->core) == UNZ_OK;
    bool opened = ok;
    std::vector<BYTE> chunk(kCopyChunk);
    while (ok) {
        int got = unzReadCurrentFile(s->core, chunk.data(), kCopyChunk);
        if (got == 0)
            break;
        DWORD written = 0;
        if (got < 0 || !WriteFile(out, chunk.data(), (DWORD)got, &written, nullptr) || written != (DWORD)got)
            ok = false;
    }
    if (opened && unzCloseCurrentFile(s->core) != UNZ_OK)
        ok = false; // a CRC mismatch shows here
    if (ok && GetFileType(out) == FILE_TYPE_DISK)
        SetFileTime(out, &e.creationTime, &e.accessTime, &e.modificationTime);
    if (kind == ZIP_KIND_FILENAME)
        CloseHandle(out);
    return ok ? ZIP_OK : ZIP_EXTRACT_FAILED;
}

} // namespace

ZipHandle* ZipOpenArchive(const void* source, DWORD length, int kind)
{
    ZipReaderState* s = new (std::nothrow) ZipReaderState();
    if (!s) {
        Finish(ZIP_OPEN_FAILED);
        return nullptr;
    }
    DWORD n = GetCurrentDirectoryW(MAX_PATH, s->baseFolder);
    if (n == 0 || n >= MAX_PATH)
        s->baseFolder[0] = 0;
    else
        wcscat(s->baseFolder, L"\\");

    DWORD result = ZIP_OK;
    ZipSource& src = s->source;
    src.kind = kind;
    if (kind == ZIP_KIND_HANDLE) {
        HANDLE given = (HANDLE)source;
        LARGE_INTEGER here = {}, zero = {};
        if (GetFileType(given) != FILE_TYPE_DISK)
            result = ZIP_NOT_DISK_FILE;
        else if (!DuplicateHandle(GetCurrentProcess(), given, GetCurrentProcess(), &src.file, 0, FALSE,
                                  DUPLICATE_SAME_ACCESS))
            result = ZIP_DUPLICATE_FAILED;
        else if (SetFilePointerEx(src.file, zero, &here, FILE_CURRENT))
            src.origin = (ULONGLONG)here.QuadPart;
    } else if (kind == ZIP_KIND_FILENAME) {
        src.file = CreateFileW(static_cast<const WCHAR*>(source), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (src.file == INVALID_HANDLE_VALUE)
            result = ZIP_OPEN_FAILED;
    } else if (kind == ZIP_KIND_MEMORY) {
        src.memory = static_cast<const BYTE*>(source);
        src.memoryLength = source ? length : 0;
    } else {
        result = ZIP_BAD_ARGUMENT;
    }
    if (result == ZIP_OK) {
        zlib_filefunc64_def io = {IoOpen, IoRead, IoWrite, IoTell, IoSeek, IoClose, IoError, nullptr};
        if (!IsEmptyArchive(&src)) {
            s->core = unzOpen2_64(&src, &io);
            if (!s->core) {
                IoClose(nullptr, &src); // the core closes it on most failures; closing twice is harmless
                result = ZIP_OPEN_FAILED;
            }
        }
    } else if (src.file != INVALID_HANDLE_VALUE) {
        CloseHandle(src.file);
    }
    if (result != ZIP_OK) {
        delete s;
        Finish(result);
        return nullptr;
    }
    ZipHandle* h = new (std::nothrow) ZipHandle{ZIP_HANDLE_READER, s};
    if (!h) {
        if (s->core)
            unzClose(s->core);
        else
            IoClose(nullptr, &s->source);
        delete s;
        Finish(ZIP_OPEN_FAILED);
        return nullptr;
    }
    Finish(ZIP_OK);
    return h;
}

DWORD ZipGetEntry(ZipHandle* handle, int index, ZipEntryInfo* info)
{
    DWORD result = ZIP_OK;
    ZipReaderState* s = ReaderOf(handle, &result);
    if (!s)
        return Finish(result);
    if (!info)
        return Finish(ZIP_BAD_ARGUMENT);
    ZipCachedEntry e;
    result = Describe(s, index, &e);
    if (result == ZIP_OK)
        ToPublic(e, info);
    return Finish(result);
}

DWORD ZipExtractEntry(ZipHandle* handle, int index, void* target, DWORD length, int kind)
{
    DWORD result = ZIP_OK;
    ZipReaderState* s = ReaderOf(handle, &result);
    if (!s)
        return Finish(result);
    if (!target && kind != ZIP_KIND_HANDLE)
        return Finish(ZIP_BAD_ARGUMENT);
    if (kind == ZIP_KIND_MEMORY)
        return Finish(ExtractToMemory(s, index, static_cast<BYTE*>(target), length));
    if (kind == ZIP_KIND_HANDLE || kind == ZIP_KIND_FILENAME)
        return Finish(ExtractToFile(s, index, target, kind));
    AbandonOpenItem(s);
    return Finish(ZIP_BAD_ARGUMENT);
}

DWORD ZipCloseArchive(ZipHandle* handle)
{
    DWORD result = ZIP_OK;
    ZipReaderState* s = ReaderOf(handle, &result);
    if (!s)
        return Finish(result);
    AbandonOpenItem(s);
    if (s->core)
        unzClose(s->core);
    else
        IoClose(nullptr, &s->source);
    delete s;
    delete handle;
    return Finish(ZIP_OK);
}

bool ZipIsReader(const ZipHandle* handle)
{
    return !handle || handle->kind == ZIP_HANDLE_READER;
}

DWORD ZipCloseWriter(ZipHandle* handle)
{
    if (!handle)
        return ZIP_BAD_ARGUMENT;
    if (handle->kind != ZIP_HANDLE_WRITER)
        return ZIP_WRONG_KIND;
    ZipWriterState* w = static_cast<ZipWriterState*>(handle->state);
    DWORD result = ZipWriterFinish(w);
    ZipWriterRelease(w);
    delete w;
    delete handle;
    return result;
}
