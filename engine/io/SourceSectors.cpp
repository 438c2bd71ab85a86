#include "io/SourceSectors.h"

#include <windows.h>
#include <winioctl.h>

uint64_t KnownSourceSectors()
{
    if (g_SourceType == SourceLogicalVolume) {
        if (!g_VolumeHandle || g_VolumeHandle == INVALID_HANDLE_VALUE)
            return 0;
        GET_LENGTH_INFORMATION length;
        DWORD returned = 0;
        if (DeviceIoControl(g_VolumeHandle, IOCTL_DISK_GET_LENGTH_INFO, NULL, 0, &length, sizeof length,
                            &returned, NULL))
            return (uint64_t)length.Length.QuadPart / SectorSize;
        LARGE_INTEGER size;
        return GetFileSizeEx(g_VolumeHandle, &size) ? (uint64_t)size.QuadPart / SectorSize : 0;
    }
    CVirtualDisk* disk = GetSectorReaderDisk();
    return disk ? disk->GetSectorCount() : 0;
}

int OpenLogicalVolume(const std::wstring& driveName)
{
    if (g_VolumeHandle && g_VolumeHandle != INVALID_HANDLE_VALUE)
        CloseHandle(g_VolumeHandle);
    g_VolumeHandle = NULL;
    std::wstring drive = driveName.substr(0, 2);
    if (drive.size() != 2 || drive[1] != L':')
        return 0;
    HANDLE h = CreateFileW((L"\\\\.\\" + drive).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    g_VolumeHandle = h;
    return 1;
}
