// Writing File Trace hits to files: preview copies and the Office probe's
// temporary copy; a save writes its hits through WriteSectorChunks too. A hit has no size of its own; it is written as a
// fixed number of 64 KB chunks read from its start sector.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include <string>

enum { TraceChunkSectors = 128, TraceChunksPerMB = 16 };

// The chunks a hit is written as: g_TraceSizeMB megabytes.
uint32_t TraceChunkCount();

// Writes chunkCount chunks of 128 sectors, one after the other from start.
// A chunk that cannot be read is written as zeros, so the file always gets
// its full length. Returns 1 when every chunk was written, 0 on a write
// failure.
int WriteSectorChunks(FILE* file, uint64_t start, uint32_t chunkCount);

// Preview copy: writes g_TraceSizeMB megabytes from start to folder + name
// (the caller supplies the separator). Returns 1, or 0 when the file cannot
// be created or written.
int WriteTraceFile(const wchar_t* folder, const wchar_t* name, uint32_t start);
