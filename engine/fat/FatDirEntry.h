// The 32-byte FAT directory entry: the short (8.3) entry and the long-name
// entry that precedes it.
#pragma once

#include <stdint.h>

enum
{
    FatDirEntrySize = 32,
    FatEntriesPerSector = 16,
    FatAttrLongName = 0x0F,
    FatAttrDirectory = 0x10,
    FatDeletedMark = 0xE5,
    FatLongNameLast = 0x40,     // sequence byte flag of a set's last (first stored) entry
    FatLongNameUnits = 13,      // UTF-16 units per long-name entry
    FatLongNameMaxEntries = 20, // 255 characters
    FatLongNameMaxUnits = 255,
    FatCaseLowerBase = 0x08,       // byte 0x0C: the 8-character base name is lower case
    FatCaseLowerExtension = 0x10,  // byte 0x0C: the extension is lower case
};

inline int IsFatEndOfDirectory(const unsigned char* e) { return e[0] == 0; }
inline int IsFatDeletedEntry(const unsigned char* e) { return e[0] == FatDeletedMark; }
inline int IsFatLongNameEntry(const unsigned char* e) { return (e[11] & 0x3F) == FatAttrLongName; }

// 1 when the sector reads as the start of a directory: every entry before
// the end mark is a plausible short or long-name entry, and there is at
// least one. Used where a directory's place is inferred, not recorded (a
// root found without its boot sector), so that random data is not listed.
int LooksLikeFatDirectorySector(const unsigned char* sector);

// First cluster: FAT32 joins the high half at 0x14 with the low half at 0x1A.
uint32_t GetFatEntryCluster(const unsigned char* e, int fat32);

// 8.3 name as the entry stores it: name bytes that are not spaces, "." and
// the extension bytes that are not spaces when there is an extension; each
// byte one UTF-16 unit, the letters of the base name and of the extension
// in lower case when byte 0x0C says so. A first byte 0xE5 becomes 'x'. out
// holds 13 units.
void GetFatShortName(const unsigned char* e, wchar_t* out);

// Checksum of the 11 name bytes that every long-name entry of the set holds.
uint8_t FatShortNameChecksum(const unsigned char* e);

// The 13 UTF-16 units of a long-name entry (bytes 1-10, 14-25, 28-31).
void GetFatLongNameUnits(const unsigned char* e, uint16_t* units);
