// POSIX implementations of the Win32 calls declared in shim/windows.h.
// Paths: "Z:\dir\file" (how Wine names the Unix root) and plain Unix paths
// both work; wide text is converted as UTF-32 <-> UTF-8.
#include "windows.h"
#include "psapi.h"
#include "winioctl.h"
#include "io.h"

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <wctype.h>

#include <string>

namespace {

std::string Narrow(const wchar_t* w, int length = -1)
{
    std::string out;
    for (int i = 0; length < 0 ? w[i] != 0 : i < length; ++i) {
        uint32_t c = (uint32_t)w[i];
        if (c < 0x80) {
            out += (char)c;
        } else if (c < 0x800) {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += (char)(0xE0 | (c >> 12));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        } else {
            out += (char)(0xF0 | (c >> 18));
            out += (char)(0x80 | ((c >> 12) & 0x3F));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string UnixPath(const wchar_t* path)
{
    std::string p = Narrow(path);
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':')
        p.erase(0, 2);
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

struct FileHandle
{
    int fd;
};

struct EventHandle
{
    pthread_mutex_t mutex;
    pthread_cond_t cond;
    bool manual;
    bool signalled;
};

struct ThreadHandle
{
    pthread_t thread;
};

enum { KindFile = 1, KindEvent, KindThread };

struct Handle
{
    int kind;
    union {
        FileHandle file;
        EventHandle* event;
        ThreadHandle thread;
    };
};

Handle* AsHandle(HANDLE h) { return (h && h != INVALID_HANDLE_VALUE) ? (Handle*)h : nullptr; }

}  // namespace

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD, void*, DWORD disposition, DWORD, HANDLE)
{
    int flags = (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    if (disposition == CREATE_ALWAYS)
        flags |= O_CREAT | O_TRUNC;
    int fd = open(UnixPath(path).c_str(), flags, 0644);
    if (fd < 0)
        return INVALID_HANDLE_VALUE;
    Handle* h = new Handle;
    h->kind = KindFile;
    h->file.fd = fd;
    return h;
}

BOOL ReadFile(HANDLE h, void* buffer, DWORD size, DWORD* done, void*)
{
    Handle* f = AsHandle(h);
    if (done)
        *done = 0;
    if (!f || f->kind != KindFile)
        return FALSE;
    DWORD total = 0;
    while (total < size) {
        ssize_t n = read(f->file.fd, (char*)buffer + total, size - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FALSE;
        if (n == 0)
            break;
        total += (DWORD)n;
    }
    if (done)
        *done = total;
    return TRUE;
}

BOOL WriteFile(HANDLE h, const void* buffer, DWORD size, DWORD* done, void*)
{
    Handle* f = AsHandle(h);
    if (done)
        *done = 0;
    if (!f || f->kind != KindFile)
        return FALSE;
    ssize_t n = write(f->file.fd, buffer, size);
    if (n < 0)
        return FALSE;
    if (done)
        *done = (DWORD)n;
    return TRUE;
}

BOOL SetFilePointerEx(HANDLE h, LARGE_INTEGER move, LARGE_INTEGER* position, DWORD method)
{
    Handle* f = AsHandle(h);
    if (!f || f->kind != KindFile)
        return FALSE;
    int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    off_t at = lseek(f->file.fd, (off_t)move.QuadPart, whence);
    if (at < 0)
        return FALSE;
    if (position)
        position->QuadPart = at;
    return TRUE;
}

BOOL GetFileSizeEx(HANDLE h, LARGE_INTEGER* size)
{
    Handle* f = AsHandle(h);
    struct stat st;
    if (!f || f->kind != KindFile || fstat(f->file.fd, &st) != 0)
        return FALSE;
    size->QuadPart = st.st_size;
    return TRUE;
}

BOOL DeviceIoControl(HANDLE, DWORD, void*, DWORD, void*, DWORD, DWORD* returned, void*)
{
    if (returned)
        *returned = 0;
    return FALSE;
}

BOOL CloseHandle(HANDLE h)
{
    Handle* f = AsHandle(h);
    if (!f)
        return FALSE;
    if (f->kind == KindFile) {
        close(f->file.fd);
    } else if (f->kind == KindEvent) {
        pthread_mutex_destroy(&f->event->mutex);
        pthread_cond_destroy(&f->event->cond);
        delete f->event;
    } else if (f->kind == KindThread) {
        pthread_detach(f->thread.thread);
    }
    delete f;
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR path) { return unlink(UnixPath(path).c_str()) == 0; }

FILE* _wfopen(const wchar_t* path, const wchar_t* mode) { return fopen(UnixPath(path).c_str(), Narrow(mode).c_str()); }

int64_t _filelengthi64(int fd)
{
    struct stat st;
    return fstat(fd, &st) == 0 ? (int64_t)st.st_size : -1;
}

BOOL CreateDirectoryW(LPCWSTR path, void*) { return mkdir(UnixPath(path).c_str(), 0755) == 0; }

BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL)
{
    int in = open(UnixPath(from).c_str(), O_RDONLY);
    if (in < 0)
        return FALSE;
    int out = open(UnixPath(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
        close(in);
        return FALSE;
    }
    static char buffer[1 << 20];
    ssize_t n;
    bool ok = true;
    while ((n = read(in, buffer, sizeof buffer)) > 0)
        if (write(out, buffer, n) != n) {
            ok = false;
            break;
        }
    close(in);
    close(out);
    return ok && n == 0;
}

DWORD GetFileAttributesW(LPCWSTR path)
{
    struct stat st;
    if (stat(UnixPath(path).c_str(), &st) != 0)
        return INVALID_FILE_ATTRIBUTES;
    return S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

BOOL GetFileAttributesExW(LPCWSTR path, GET_FILEEX_INFO_LEVELS, void* info)
{
    struct stat st;
    if (stat(UnixPath(path).c_str(), &st) != 0)
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA* a = (WIN32_FILE_ATTRIBUTE_DATA*)info;
    memset(a, 0, sizeof *a);
    a->dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    a->nFileSizeHigh = (DWORD)((uint64_t)st.st_size >> 32);
    a->nFileSizeLow = (DWORD)st.st_size;
    return TRUE;
}

DWORD GetTempPathW(DWORD size, LPWSTR buffer)
{
    const char* dir = getenv("TMPDIR");
    std::string d = std::string(dir && *dir ? dir : "/tmp") + "/";
    if (d.size() + 1 > size)
        return (DWORD)d.size() + 1;
    for (size_t i = 0; i < d.size(); ++i)
        buffer[i] = (wchar_t)(unsigned char)d[i];
    buffer[d.size()] = 0;
    return (DWORD)d.size();
}

void InitializeCriticalSection(CRITICAL_SECTION* cs)
{
    pthread_mutexattr_t a;
    pthread_mutexattr_init(&a);
    pthread_mutexattr_settype(&a, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_t* m = new pthread_mutex_t;
    pthread_mutex_init(m, &a);
    cs->impl = m;
}

void EnterCriticalSection(CRITICAL_SECTION* cs) { pthread_mutex_lock((pthread_mutex_t*)cs->impl); }
void LeaveCriticalSection(CRITICAL_SECTION* cs) { pthread_mutex_unlock((pthread_mutex_t*)cs->impl); }

LONG InterlockedExchange(volatile LONG* target, LONG value) { return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST); }

LONG InterlockedCompareExchange(volatile LONG* target, LONG exchange, LONG comparand)
{
    __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;
}

LONG InterlockedIncrement(volatile LONG* target) { return __atomic_add_fetch(target, 1, __ATOMIC_SEQ_CST); }
void MemoryBarrier() { __atomic_thread_fence(__ATOMIC_SEQ_CST); }

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR)
{
    Handle* h = new Handle;
    h->kind = KindEvent;
    h->event = new EventHandle;
    pthread_mutex_init(&h->event->mutex, nullptr);
    pthread_cond_init(&h->event->cond, nullptr);
    h->event->manual = manualReset != 0;
    h->event->signalled = initialState != 0;
    return h;
}

static BOOL SetEventState(HANDLE h, bool signalled)
{
    Handle* e = AsHandle(h);
    if (!e || e->kind != KindEvent)
        return FALSE;
    pthread_mutex_lock(&e->event->mutex);
    e->event->signalled = signalled;
    pthread_cond_broadcast(&e->event->cond);
    pthread_mutex_unlock(&e->event->mutex);
    return TRUE;
}

BOOL SetEvent(HANDLE h) { return SetEventState(h, true); }
BOOL ResetEvent(HANDLE h) { return SetEventState(h, false); }

DWORD WaitForSingleObject(HANDLE h, DWORD)
{
    Handle* e = AsHandle(h);
    if (!e)
        return 0xFFFFFFFFu;
    if (e->kind == KindThread) {
        pthread_join(e->thread.thread, nullptr);
        e->kind = 0;
        return 0;
    }
    if (e->kind != KindEvent)
        return 0;
    pthread_mutex_lock(&e->event->mutex);
    while (!e->event->signalled)
        pthread_cond_wait(&e->event->cond, &e->event->mutex);
    if (!e->event->manual)
        e->event->signalled = false;
    pthread_mutex_unlock(&e->event->mutex);
    return 0;
}

namespace {
struct ThreadStart
{
    LPTHREAD_START_ROUTINE proc;
    void* param;
};
void* RunThread(void* p)
{
    ThreadStart s = *(ThreadStart*)p;
    delete (ThreadStart*)p;
    s.proc(s.param);
    return nullptr;
}
}  // namespace

HANDLE CreateThread(void*, size_t, LPTHREAD_START_ROUTINE proc, void* param, DWORD, DWORD*)
{
    Handle* h = new Handle;
    h->kind = KindThread;
    if (pthread_create(&h->thread.thread, nullptr, &RunThread, new ThreadStart{proc, param}) != 0) {
        delete h;
        return NULL;
    }
    return h;
}

void Sleep(DWORD ms) { usleep((useconds_t)ms * 1000); }

DWORD GetTickCount()
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (DWORD)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

[[noreturn]] void ExitProcess(UINT code)
{
    fflush(stdout);
    fflush(stderr);
    _exit((int)code);
}

HANDLE GetCurrentProcess() { return (HANDLE)(intptr_t)-1; }

BOOL GetProcessMemoryInfo(HANDLE, PROCESS_MEMORY_COUNTERS* c, DWORD)
{
    FILE* f = fopen("/proc/self/status", "r");
    if (!f)
        return FALSE;
    char line[256];
    while (fgets(line, sizeof line, f)) {
        unsigned long kb = 0;
        if (sscanf(line, "VmHWM: %lu kB", &kb) == 1)
            c->PeakWorkingSetSize = (size_t)kb * 1024;
        else if (sscanf(line, "VmRSS: %lu kB", &kb) == 1)
            c->WorkingSetSize = (size_t)kb * 1024;
    }
    fclose(f);
    return TRUE;
}

int MessageBoxW(HANDLE, LPCWSTR text, LPCWSTR, UINT type)
{
    fprintf(stderr, "message box: %s\n", Narrow(text).c_str());
    return (type & MB_YESNO) ? IDYES : IDOK;
}

int MultiByteToWideChar(UINT, DWORD, const char* text, int length, LPWSTR out, int outLength)
{
    // UTF-8 (the ANSI code page is taken as Latin-1 for bytes that are not
    // valid UTF-8 lead bytes: good enough for catalogue texts).
    std::wstring w;
    int n = length < 0 ? (int)strlen(text) + 1 : length;
    for (int i = 0; i < n;) {
        unsigned char c = (unsigned char)text[i];
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra && i + extra < n + 0) {
            uint32_t v = c & (0x3F >> extra);
            bool ok = true;
            for (int k = 1; k <= extra; ++k) {
                unsigned char d = (unsigned char)text[i + k];
                if ((d & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                v = (v << 6) | (d & 0x3F);
            }
            if (ok) {
                w += (wchar_t)v;
                i += extra + 1;
                continue;
            }
        }
        w += (wchar_t)c;
        ++i;
    }
    if (outLength == 0)
        return (int)w.size();
    if ((int)w.size() > outLength)
        return 0;
    memcpy(out, w.data(), w.size() * sizeof(wchar_t));
    return (int)w.size();
}

int WideCharToMultiByte(UINT, DWORD, LPCWSTR text, int length, char* out, int outLength, const char*, BOOL*)
{
    int n = length < 0 ? (int)wcslen(text) + 1 : length;
    std::string s = Narrow(text, n);
    if (outLength == 0)
        return (int)s.size();
    if ((int)s.size() > outLength)
        return 0;
    memcpy(out, s.data(), s.size());
    return (int)s.size();
}

namespace {
const int64_t TicksPerSecond = 10000000;
const int64_t EpochDifference = 11644473600LL;  // 1601 to 1970, seconds
}  // namespace

BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st)
{
    uint64_t ticks = ((uint64_t)ft->dwHighDateTime << 32) | ft->dwLowDateTime;
    if (ticks >= 0x8000000000000000ull)
        return FALSE;
    time_t seconds = (time_t)((int64_t)(ticks / TicksPerSecond) - EpochDifference);
    struct tm tm;
    if (!gmtime_r(&seconds, &tm))
        return FALSE;
    st->wYear = (WORD)(tm.tm_year + 1900);
    st->wMonth = (WORD)(tm.tm_mon + 1);
    st->wDayOfWeek = (WORD)tm.tm_wday;
    st->wDay = (WORD)tm.tm_mday;
    st->wHour = (WORD)tm.tm_hour;
    st->wMinute = (WORD)tm.tm_min;
    st->wSecond = (WORD)tm.tm_sec;
    st->wMilliseconds = (WORD)((ticks / 10000) % 1000);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft)
{
    if (st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 || st->wDay > 31 || st->wHour > 23 ||
        st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999 || st->wYear < 1601 || st->wYear > 30827)
        return FALSE;
    struct tm tm = {};
    tm.tm_year = st->wYear - 1900;
    tm.tm_mon = st->wMonth - 1;
    tm.tm_mday = st->wDay;
    tm.tm_hour = st->wHour;
    tm.tm_min = st->wMinute;
    tm.tm_sec = st->wSecond;
    int64_t seconds = (int64_t)timegm(&tm);
    uint64_t ticks = (uint64_t)(seconds + EpochDifference) * TicksPerSecond + st->wMilliseconds * 10000ull;
    ft->dwLowDateTime = (DWORD)ticks;
    ft->dwHighDateTime = (DWORD)(ticks >> 32);
    return TRUE;
}

BOOL TzSpecificLocalTimeToSystemTime(void*, const SYSTEMTIME* local, SYSTEMTIME* utc)
{
    *utc = *local;  // the sanitizer run keeps UTC
    return TRUE;
}

void GetLocalTime(SYSTEMTIME* st)
{
    time_t now = time(nullptr);
    FILETIME ft;
    uint64_t ticks = (uint64_t)(now + EpochDifference) * TicksPerSecond;
    ft.dwLowDateTime = (DWORD)ticks;
    ft.dwHighDateTime = (DWORD)(ticks >> 32);
    FileTimeToSystemTime(&ft, st);
}

int _wcsicmp(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        wint_t x = towlower((wint_t)*a), y = towlower((wint_t)*b);
        if (x != y)
            return x < y ? -1 : 1;
        if (!x)
            return 0;
    }
}

int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        wint_t x = towlower((wint_t)a[i]), y = towlower((wint_t)b[i]);
        if (x != y)
            return x < y ? -1 : 1;
        if (!x)
            return 0;
    }
    return 0;
}

long _wtol(const wchar_t* text) { return wcstol(text, nullptr, 10); }
