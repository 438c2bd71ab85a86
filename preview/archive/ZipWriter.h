// The writer side of the zip handle: only its close exists, which finishes
// an archive whose entries were already written with their local headers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the central directory needs of one stored entry.
struct ZipWriterEntry
{
    std::string name;
    std::string extra;
    std::string comment;
    WORD versionMadeBy = 20;
    WORD versionNeeded = 20;
    WORD flags = 0;
    WORD method = 0;
    DWORD dosDateTime = 0;
    DWORD crc = 0;
    DWORD compressedSize = 0;
    DWORD uncompressedSize = 0;
    WORD internalAttributes = 0;
    DWORD externalAttributes = 0;
    DWORD localHeaderOffset = 0;
};

struct ZipWriterState
{
    int targetKind = 0;             // ZIP_KIND_HANDLE or ZIP_KIND_MEMORY
    HANDLE file = INVALID_HANDLE_VALUE;
    bool ownsFile = false;
    BYTE* memory = nullptr;
    DWORD memoryLength = 0;
    DWORD written = 0;              // bytes of the archive so far
    bool finished = false;
    DWORD note = 0;                 // ZIP_TARGET_FULL once the memory target refused a write
    std::vector<ZipWriterEntry> entries;
};

// Writes the central directory and the end record once; 0 or ZIP_EXTRACT_FAILED.
DWORD ZipWriterFinish(ZipWriterState* w);
// Closes what the writer holds.
void ZipWriterRelease(ZipWriterState* w);
