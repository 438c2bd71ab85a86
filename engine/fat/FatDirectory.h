// FAT directories: the decoding of a directory's entries, the listing of
// them into the FAT folder and file lists, and the reading of a whole
// directory in large reads.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "fat/FatLongName.h"

// One short entry as the walk decodes it.
struct FatDirEntryInfo
{
    const unsigned char* raw;  // the 32 bytes
    const wchar_t* name;       // long name, or 8.3 name
    int hasLongName;
    uint32_t cluster;
    uint32_t size;
    uint16_t modifiedDate;
    uint16_t modifiedTime;  // entry offset 0x16
    uint16_t accessDate;
    uint8_t attributes;
    int deleted;  // the entry, or the directory it is in
};

// Called for each short entry; returns 0 to stop the walk.
typedef int (*FatEntryVisitor)(const FatDirEntryInfo& entry, void* context);

// Decodes entries first..15 of one sector; the long-name set carries over
// to the next sector of the same directory. Returns 1 when the sector held
// the end-of-directory entry (or the visitor stopped the walk).
int WalkFatDirSector(const unsigned char* sector, int first, int dirDeleted,
                     FatLongNameSet* carry, FatEntryVisitor visit, void* context);

// 0 when the name holds a control character (1 to 31) or one of " \ / ? *
// < > |; otherwise 1. The colon is allowed.
int IsValidFileName(const wchar_t* name);

// Lists the entries of one directory sector into the FAT lists (entries
// without a cluster and names that fail IsValidFileName are left out) and
// reports progress on the scan panel. carry is the long-name set carried
// from the previous sector of the same directory (null: names must lie in
// this sector). *end is set when the directory ends in this sector.
void ParseFatDirSector(const unsigned char* sector, uint32_t parentCluster, int* end,
                       uint64_t shownSector, int dirDeleted, int first, FatLongNameSet* carry);

// Reads one directory whole, through its cluster chain in large reads (the
// FAT16 root: its fixed sectors; cluster 0 names the root), and hands its
// entries to visit. A subdirectory's first sector must begin with its "."
// and ".." entries, which are passed over. Returns 0 when the directory
// could not be read or is not one.
int ReadFatDirectory(uint32_t cluster, int dirDeleted, FatEntryVisitor visit, void* context);

// ReadFatDirectory that lists the entries into the FAT lists as
// ParseFatDirSector does (and shows each sector's number on the scan
// panel); parent = the directory's cluster (0 for the root).
int ParseFatDirectory(uint32_t cluster, int dirDeleted);
