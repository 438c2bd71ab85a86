#include "InstanceMutex.h"

#include <stdlib.h>

// The GUID was made once for this program and never changes: every version
// must find the mutex of every other.
const wchar_t kInstanceMutexName[] = L"Global\\{6F3A2C1E-9B4D-4E7A-8C25-D1F0B7E43A96-TESMIR_FOR_VHD}";

HANDLE g_hInstanceMutex = NULL;
DWORD g_dwInstanceMutexError = 0;

int CreateInstanceMutex()
{
    g_hInstanceMutex = ::CreateMutexW(NULL, FALSE, kInstanceMutexName);
    g_dwInstanceMutexError = ::GetLastError();
    atexit(CloseInstanceMutex);
    return 0;
}

void CloseInstanceMutex()
{
    if (g_hInstanceMutex != NULL) {
        ::CloseHandle(g_hInstanceMutex);
        g_hInstanceMutex = NULL;
    }
}
