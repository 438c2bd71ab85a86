// The small part of the Win32 API that the engine's parsers and the corpus
// driver use, for a native Linux build with the sanitizers. Types keep their
// Windows sizes where on-disk or API layouts depend on them; wchar_t stays
// the host's (the engine decodes UTF-16 unit by unit, never by casting).
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <string.h>
#include <wchar.h>

#define WINAPI
#define CALLBACK
#define FALSE 0
#define TRUE 1
#define MAX_PATH 260
#define INFINITE 0xFFFFFFFFu

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int64_t LONGLONG;
typedef void* HANDLE;
typedef void* LPVOID;
typedef const wchar_t* LPCWSTR;
typedef wchar_t* LPWSTR;
typedef wchar_t WCHAR;
typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(void*);
typedef DWORD COLORREF;

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))

#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

typedef union _LARGE_INTEGER {
    struct { DWORD LowPart; LONG HighPart; };
    LONGLONG QuadPart;
} LARGE_INTEGER;

typedef struct _FILETIME { DWORD dwLowDateTime; DWORD dwHighDateTime; } FILETIME;
typedef struct _SYSTEMTIME {
    WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} SYSTEMTIME;

typedef struct _CRITICAL_SECTION { void* impl; } CRITICAL_SECTION;

typedef struct _WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime, ftLastAccessTime, ftLastWriteTime;
    DWORD nFileSizeHigh, nFileSizeLow;
} WIN32_FILE_ATTRIBUTE_DATA;
typedef enum { GetFileExInfoStandard } GET_FILEEX_INFO_LEVELS;

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 1
#define FILE_SHARE_WRITE 2
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define CP_ACP 0
#define CP_UTF8 65001
#define MB_OK 0
#define MB_YESNO 4
#define MB_ICONERROR 0x10
#define MB_ICONQUESTION 0x20
#define MB_ICONINFORMATION 0x40
#define MB_SETFOREGROUND 0x10000
#define MB_TASKMODAL 0x2000
#define IDOK 1
#define IDYES 6

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, void* security, DWORD disposition, DWORD flags,
                   HANDLE templ);
BOOL ReadFile(HANDLE h, void* buffer, DWORD size, DWORD* done, void* overlapped);
BOOL WriteFile(HANDLE h, const void* buffer, DWORD size, DWORD* done, void* overlapped);
BOOL SetFilePointerEx(HANDLE h, LARGE_INTEGER move, LARGE_INTEGER* position, DWORD method);
BOOL GetFileSizeEx(HANDLE h, LARGE_INTEGER* size);
BOOL CloseHandle(HANDLE h);
BOOL DeleteFileW(LPCWSTR path);
BOOL CreateDirectoryW(LPCWSTR path, void* security);
BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists);
DWORD GetFileAttributesW(LPCWSTR path);
BOOL GetFileAttributesExW(LPCWSTR path, GET_FILEEX_INFO_LEVELS level, void* info);
DWORD GetTempPathW(DWORD size, LPWSTR buffer);

void InitializeCriticalSection(CRITICAL_SECTION* cs);
void EnterCriticalSection(CRITICAL_SECTION* cs);
void LeaveCriticalSection(CRITICAL_SECTION* cs);
LONG InterlockedExchange(volatile LONG* target, LONG value);
LONG InterlockedCompareExchange(volatile LONG* target, LONG exchange, LONG comparand);
LONG InterlockedIncrement(volatile LONG* target);
void MemoryBarrier();
HANDLE CreateEventW(void* security, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
DWORD WaitForSingleObject(HANDLE h, DWORD ms);
HANDLE CreateThread(void* security, size_t stack, LPTHREAD_START_ROUTINE proc, void* param, DWORD flags,
                    DWORD* id);
void Sleep(DWORD ms);
DWORD GetTickCount();
[[noreturn]] void ExitProcess(UINT code);
HANDLE GetCurrentProcess();

int MessageBoxW(HANDLE owner, LPCWSTR text, LPCWSTR caption, UINT type);
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, LPWSTR out, int outLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int length, char* out, int outLength,
                        const char* defaultChar, BOOL* usedDefault);
BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st);
BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft);
BOOL TzSpecificLocalTimeToSystemTime(void* tz, const SYSTEMTIME* local, SYSTEMTIME* utc);
void GetLocalTime(SYSTEMTIME* st);

int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t n);

long _wtol(const wchar_t* text);

// What the zip access wrapper uses besides the above.
#define LOWORD(l) ((WORD)((DWORD)(l) & 0xFFFF))
#define HIWORD(l) ((WORD)(((DWORD)(l) >> 16) & 0xFFFF))
#define FILE_ATTRIBUTE_READONLY 0x01
#define FILE_ATTRIBUTE_HIDDEN 0x02
#define FILE_ATTRIBUTE_SYSTEM 0x04
#define FILE_ATTRIBUTE_ARCHIVE 0x20
#define FILE_TYPE_DISK 1
#define DUPLICATE_SAME_ACCESS 2
typedef uint64_t ULONGLONG;
BOOL DosDateTimeToFileTime(WORD date, WORD time, FILETIME* ft);
BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc);
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
DWORD GetFileType(HANDLE h);
BOOL DuplicateHandle(HANDLE fromProcess, HANDLE h, HANDLE toProcess, HANDLE* out, DWORD access, BOOL inherit,
                     DWORD options);
BOOL SetFileTime(HANDLE h, const FILETIME* created, const FILETIME* accessed, const FILETIME* modified);
