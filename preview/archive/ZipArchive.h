// Handle-based access to zip archives over minizip's unzip core: open an
// archive from a Win32 handle, a file name or a memory block, describe an
// entry in Windows terms (UTF-16 name, attribute bits, three UTC FILETIMEs),
// extract it to a handle, a file or memory, close.
#pragma once

#include <windows.h>

// Result codes of every operation.
enum ZipResult : DWORD
{
    ZIP_OK = 0,
    ZIP_DUPLICATE_FAILED = 0x100,
    ZIP_OPEN_FAILED = 0x200,
    ZIP_EXTRACT_FAILED = 0x400,
    ZIP_MORE_DATA = 0x600,
    ZIP_LOCAL_HEADER_BAD = 0x700,
    ZIP_LOCAL_EXTRA_BAD = 0x800,
    ZIP_BAD_ARGUMENT = 0x10000,
    ZIP_TARGET_FULL = 0x30000,
    ZIP_WRONG_KIND = 0x80000,
    ZIP_ALREADY_OPEN = 0x1000000,
    ZIP_NOT_DISK_FILE = 0x2000000,
    ZIP_INFLATE_FAILED = 0x5000000,
};

// Source kinds of the open and target kinds of the extraction.
enum ZipIoKind
{
    ZIP_KIND_HANDLE = 1,
    ZIP_KIND_FILENAME = 2,
    ZIP_KIND_MEMORY = 3,
};

enum ZipHandleKind
{
    ZIP_HANDLE_READER = 1,
    ZIP_HANDLE_WRITER = 2,
};

struct ZipReaderState;
struct ZipWriterState;

// What the open returns; operations check the kind before using the state.
struct ZipHandle
{
    int kind;
    void* state;
};

// One entry as ZipGetEntry describes it. For index -1, index holds the
// number of entries and every other field is empty.
struct ZipEntryInfo
{
    int index;
    WCHAR name[260];
    DWORD attributes;
    FILETIME accessTime;
    FILETIME creationTime;
    FILETIME modificationTime;
    DWORD compressedSize;
    DWORD uncompressedSize;
};

// The result of the last reader operation (the open's included).
extern DWORD g_ZipLastResult;

// source: a HANDLE (kind 1), a wide file name (kind 2) or a memory block of
// length bytes (kind 3). Returns null on failure (g_ZipLastResult says why;
// a source that is no zip archive gives ZIP_OPEN_FAILED).
ZipHandle* ZipOpenArchive(const void* source, DWORD length, int kind);
DWORD ZipGetEntry(ZipHandle* handle, int index, ZipEntryInfo* info);
// target: a HANDLE (kind 1), a wide file name (kind 2) or a buffer of length
// bytes (kind 3; ZIP_MORE_DATA while the entry has more to give).
DWORD ZipExtractEntry(ZipHandle* handle, int index, void* target, DWORD length, int kind);
DWORD ZipCloseArchive(ZipHandle* handle);
DWORD ZipCloseWriter(ZipHandle* handle);
// True for a reader handle and for no handle.
bool ZipIsReader(const ZipHandle* handle);

// Creates base + relative and every level above it ("/" and "\" both
// separate levels); folders that exist already are no error.
void CreateFolderPath(const WCHAR* base, const WCHAR* relative);

// True when a name taken from an archive stays below the folder it is put
// under: not absolute, no drive, no ".." level.
bool IsContainedRelativePath(const WCHAR* path);

// MS-DOS date (high word) and time (low word), local time as stored, as a
// UTC FILETIME; 0 when the value is no valid date.
FILETIME DosDateTimeToUtcFileTime(DWORD dosDateTime);
// Seconds since 1970 (unsigned, as a "UT" block stores them) as a FILETIME.
FILETIME UnixTimeToFileTime(DWORD seconds);
