// Writing File Trace hits to files: preview copies, saved hits and the Office
// probe's temporary copy. A hit has no size of its own; it is written as a
// fixed number of 64 KB chunks read from its start sector.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include <string>

enum { TraceChunkSectors = 128, TraceChunksPerMB = 16 };

// Writes chunkCount chunks of 128 sectors, one after the other from start.
// A chunk that cannot be read is written as zeros, so the file always gets
// its full length. Returns 1 when every chunk was written, 0 on a write
// failure.
int WriteSectorChunks(FILE* file, uint64_t start, uint32_t chunkCount);

// Preview copy: writes g_TraceSizeMB megabytes from start to folder + name
// (the caller supplies the separator). Returns 1, or 0 when the file cannot
// be created or written.
int WriteTraceFile(const wchar_t* folder, const wchar_t* name, uint32_t start);

// What the save worker shows while it saves hits; set by the application.
struct TraceSaveReporter
{
    void* context;
    // 1 when the name passes the file filters; null lets every name pass.
    int (*nameAccepted)(void* context, const wchar_t* name);
    // After a file has been created: the saving dialog's folder, name and
    // count texts and its progress.
    void (*fileStarted)(void* context, const wchar_t* folder, const wchar_t* name, int savedCount);
    // The saving dialog's progress (0 to 99) while one file is written; the
    // file saves of the FAT and NTFS lists report through it too.
    void (*progress)(void* context, int position);
};
// Installs the reporter (copied); null removes it. One reporter serves
// every save: hits and FAT and NTFS files.
void SetTraceSaveReporter(const TraceSaveReporter* reporter);
// The reporter installed (all fields null when none).
const TraceSaveReporter& GetTraceSaveReporter();

// Saves one marked hit into folder. With report 1 the file filters and the
// duplicate-name policy of the recovery settings apply (the rename policy
// writes the new name into name) and g_SavedFileCount counts the file.
// Returns 1 when the file was written, 0 when it was not (stopped, filtered,
// skipped as a duplicate, or not creatable: the user is asked whether to go
// on and No sets g_SaveStop). The hit number is not used. The file keeps
// the time stamps of its writing: a hit carries no date.
int SaveTraceHit(const wchar_t* folder, uint32_t hitNumber, int report, uint32_t start, std::wstring& name);
