// The one way the engine reads sectors: a count of 512-byte sectors at a
// 64-bit LBA from the selected source, the opened image or a logical volume.
#pragma once

#include <windows.h>
#include <stdint.h>

class CVirtualDisk;

enum { SectorSize = 512 };

// The virtual disk that image reads go through (the main frame's). Null
// when none; image reads then fail.
void SetSectorReaderDisk(CVirtualDisk* disk);
CVirtualDisk* GetSectorReaderDisk();

// Reads count sectors at LBA (low, high) into buffer (count x 512 bytes).
// g_SourceType 2 reads g_VolumeHandle (volume-relative LBAs), anything else
// the virtual disk. Returns 1 when every byte was read; otherwise 0, and
// every byte not read is zero. deviceName is not used. Safe to call from
// the UI thread and the worker at once: seek and read are one step.
int ReadSectors(const wchar_t* deviceName, DWORD lbaLow, DWORD lbaHigh, DWORD count, void* buffer);

// Reads count sectors at a volume-relative LBA from g_VolumeHandle, with the
// same result and zero-filling as ReadSectors.
int ReadVolumeSectors(uint64_t lba, DWORD count, void* buffer);

// Moves a handle's file pointer; the new position, or -1 on failure.
int64_t SeekVolume(HANDLE handle, int64_t distance, DWORD moveMethod);
