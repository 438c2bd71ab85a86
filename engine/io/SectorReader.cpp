#include "io/SectorReader.h"

#include <string.h>

#include "image/VirtualDisk.h"
#include "state/EngineState.h"

namespace {

CVirtualDisk* volatile g_readerDisk = nullptr;

// Seek and read share one position per source; one lock keeps a preview on
// the UI thread and a worker from moving it under each other.
struct ReaderLock
{
    CRITICAL_SECTION cs;
    ReaderLock() { InitializeCriticalSection(&cs); }
};

CRITICAL_SECTION& ReaderSection()
{
    static ReaderLock lock;
    return lock.cs;
}

class CReaderGuard
{
public:
    CReaderGuard() { EnterCriticalSection(&ReaderSection()); }
    ~CReaderGuard() { LeaveCriticalSection(&ReaderSection()); }
    CReaderGuard(const CReaderGuard&) = delete;
    CReaderGuard& operator=(const CReaderGuard&) = delete;
};

// Largest count whose byte size fits a 32-bit transfer.
const DWORD MaxSectorsPerRead = 0x7FFFFFFFu / SectorSize;

int ReadVolumeLocked(uint64_t lba, DWORD count, void* buffer)
{
    DWORD bytes = count * SectorSize;
    DWORD done = 0;
    HANDLE h = g_VolumeHandle;
    int ok = h && h != INVALID_HANDLE_VALUE &&
             SeekVolume(h, (int64_t)(lba * SectorSize), FILE_BEGIN) != -1 &&
             ReadFile(h, buffer, bytes, &done, NULL);
    if (!ok)
        done = 0;
    if (done < bytes)
        memset((unsigned char*)buffer + done, 0, bytes - done);
    return ok && done == bytes;
}

}  // namespace

void SetSectorReaderDisk(CVirtualDisk* disk)
{
    CReaderGuard guard;
    g_readerDisk = disk;
}

CVirtualDisk* GetSectorReaderDisk() { return g_readerDisk; }

int64_t SeekVolume(HANDLE handle, int64_t distance, DWORD moveMethod)
{
    LARGE_INTEGER move, position;
    move.QuadPart = distance;
    if (!SetFilePointerEx(handle, move, &position, moveMethod))
        return -1;
    return position.QuadPart;
}

int ReadVolumeSectors(uint64_t lba, DWORD count, void* buffer)
{
    if (count == 0)
        return 1;
    if (count > MaxSectorsPerRead)
        return 0;
    CReaderGuard guard;
    return ReadVolumeLocked(lba, count, buffer);
}

int ReadSectors(const wchar_t* /*deviceName*/, DWORD lbaLow, DWORD lbaHigh, DWORD count,
                void* buffer)
{
    if (count == 0)
        return 1;
    if (count > MaxSectorsPerRead)
        return 0;
    const uint64_t lba = ((uint64_t)lbaHigh << 32) | lbaLow;
    CReaderGuard guard;
    if (g_SourceType == SourceLogicalVolume)
        return ReadVolumeLocked(lba, count, buffer);

    CVirtualDisk* disk = g_readerDisk;
    const DWORD bytes = count * SectorSize;
    if (!disk || lba > ~(uint64_t)0 / SectorSize) {
        memset(buffer, 0, bytes);
        return 0;
    }
    // Both calls are made: a failed seek still leaves the read to zero-fill.
    int sought = disk->Seek(lba * SectorSize);
    int read = disk->Read(buffer, bytes);
    return sought && read;
}
