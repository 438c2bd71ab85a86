// Saving a marked File Trace hit.
#pragma once

#include <stdint.h>

#include <string>

// Saves one marked hit into folder. With report 1 the file filters and the
// duplicate-name policy of the recovery settings apply (the rename policy
// writes the new name into name) and g_SavedFileCount counts the file.
// Returns 1 when the file was written, 0 when it was not (stopped, filtered,
// skipped as a duplicate, or not creatable: the user is asked whether to go
// on and No sets g_SaveStop). The hit number is not used. The file keeps
// the time stamps of its writing: a hit carries no date.
int SaveTraceHit(const wchar_t* folder, uint32_t hitNumber, int report, uint32_t start, std::wstring& name);
