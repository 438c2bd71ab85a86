// Process memory figures for the native corpus run (see windows.h here).
#pragma once

#include "windows.h"

typedef struct _PROCESS_MEMORY_COUNTERS {
    DWORD cb;
    DWORD PageFaultCount;
    size_t PeakWorkingSetSize;
    size_t WorkingSetSize;
} PROCESS_MEMORY_COUNTERS;

BOOL GetProcessMemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD size);
