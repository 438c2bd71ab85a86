// What the recovery step lists after a File Trace, and the "Selected Size"
// figure of every mode.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct TraceHit;

// One row per hit description, in hit order; descriptions that agree in
// their first 100 characters ignoring case share a row.
std::vector<std::wstring> TraceTypeRows();

// Whether a hit belongs to the rows of a chosen type: by description, its
// description with surrounding blanks removed equals the text exactly;
// otherwise its extension equals the text ignoring case.
bool TraceHitBelongs(const TraceHit& hit, const std::wstring& text, bool byDescription);

// The process-wide selected-size total, in bytes.
extern uint64_t g_SelectedBytes;

// Adds the sizes of the marked files (the result list's keys) to
// g_SelectedBytes: FAT file numbers, NTFS data-record sectors (Quick Scan)
// or record sectors (Extensive Scan), by the selected file system; in File
// Trace mode each marked hit counts as the g_TraceSizeMB megabytes that
// saving writes for it. A key without a record adds nothing.
void AddSelectedFileBytes(const uint32_t* keys, size_t count);

// "Selected Size : " n " MB" for a byte total.
std::wstring SelectedSizeText(uint64_t bytes);

// The text with its leading and trailing blanks removed.
std::wstring TrimBlanks(const std::wstring& text);
