// The $FILE_NAME attribute: its value decoded with every field bounded by
// the value length, and the choice among a record's names.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "ntfs/NtfsAttribute.h"

// Name namespaces.
enum
{
    NtfsNamePosix = 0,
    NtfsNameWin32 = 1,
    NtfsNameDos = 2,
    NtfsNameWin32AndDos = 3,
};

struct NtfsFileNameValue
{
    uint32_t parent;            // record number (low 32 bits of the reference)
    uint16_t parentSequence;    // sequence number of the reference (high 16 bits)
    FILETIME created;
    FILETIME changed;           // record-change time
    uint32_t flags;
    unsigned nameSpace;
    unsigned length;            // characters
    wchar_t name[256];          // zero-terminated
};

// Decodes a $FILE_NAME value of valueLength bytes. False when the value is
// too short for its header or its name.
bool ParseFileNameValue(const unsigned char* value, uint32_t valueLength, NtfsFileNameValue& out);

// The first unnamed resident $FILE_NAME in attribute order whose namespace
// is the one asked for (asking for Win32 also takes POSIX).
bool FindFileNameAttribute(const unsigned char* record, size_t size, unsigned nameSpace,
                           NtfsFileNameValue& out);

// The name the engine shows for a record: a Win32 or POSIX name, else a
// combined Win32-and-DOS name, else a DOS-only name.
bool ChooseFileName(const unsigned char* record, size_t size, NtfsFileNameValue& out);

// Every name under which the record is linked into a folder: each Win32,
// POSIX or Win32-and-DOS name (a hard-linked file has several). DOS-only
// names are left out: they are second names of a link listed already.
// Appends to names.
void CollectLinkNames(const unsigned char* record, size_t size, std::vector<NtfsFileNameValue>& names);

// The same for one attribute of a record's walk: appends its name when it
// is an unnamed resident $FILE_NAME with such a name.
void CollectLinkName(const NtfsAttribute& attr, std::vector<NtfsFileNameValue>& names);
