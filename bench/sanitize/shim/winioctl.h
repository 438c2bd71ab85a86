// The device control the engine asks of a logical volume: its length. The
// native build opens no devices, so the call always fails and the caller
// falls back to the file size.
#pragma once

#include "windows.h"

#define IOCTL_DISK_GET_LENGTH_INFO 0x0007405Cu

typedef struct _GET_LENGTH_INFORMATION { LARGE_INTEGER Length; } GET_LENGTH_INFORMATION;

BOOL DeviceIoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned,
                     void* overlapped);
