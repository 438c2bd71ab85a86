// The single-instance mutex: created by a start-up initializer that runs
// before the application object is constructed (the program's source
// defines it ahead of theApp), tested by InitInstance.
#pragma once

#include <windows.h>

// The mutex's fixed name in the "Global\" namespace.
extern const wchar_t kInstanceMutexName[];

extern HANDLE g_hInstanceMutex;
// GetLastError right after the mutex was created: ERROR_ALREADY_EXISTS when
// another instance holds it.
extern DWORD g_dwInstanceMutexError;

// Creates the mutex, keeps its handle and error and registers
// CloseInstanceMutex to run at process exit. Returns 0 (the value of the
// initializer that calls it).
int CreateInstanceMutex();
void CloseInstanceMutex();
