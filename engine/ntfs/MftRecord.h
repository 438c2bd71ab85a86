// One MFT file record ("FILE"): the header fields the engine reads, the
// update-sequence fixup and the checked read of a record from the source.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Fixed layout the engine works with: 512-byte sectors, 1024-byte records.
enum
{
    MftRecordSize = 1024,
    MftRecordSectors = 2,
    MftRootRecord = 5,
    MftExtendRecord = 11,
    NtfsLostDirRecord = 0xFFFFFFFE,
};

// Record flags (byte 0x16).
enum
{
    MftFlagInUse = 0x01,
    MftFlagDirectory = 0x02,
};

// Attribute types.
enum
{
    NtfsAttrAttributeList = 0x20,
    NtfsAttrFileName = 0x30,
    NtfsAttrData = 0x80,
    NtfsAttrIndexRoot = 0x90,
    NtfsAttrIndexAllocation = 0xA0,
    NtfsAttrEnd = 0xFFFFFFFF,
};

// Restores the last two bytes of every 512-byte sector of a multi-sector
// block ("FILE" record or "INDX" block) from its update-sequence array.
// Returns 1 when the array lies inside the block, covers exactly its
// sectors and every sector ended with the update sequence number (the block
// was written whole); 0 otherwise, and the block may then be partly fixed.
int ApplyUpdateSequence(unsigned char* block, size_t size);

// 1 when the block starts with "FILE".
int HasFileSignature(const unsigned char* record);

// Header fields of a record buffer of MftRecordSize bytes.
inline unsigned MftRecordFlags(const unsigned char* record) { return record[0x16]; }
uint16_t MftRecordSequence(const unsigned char* record);
// The record's own number (0x2C), which only records whose header reaches
// past it (update-sequence array at 0x30 or later) hold; else 0xFFFFFFFF.
uint32_t MftRecordNumber(const unsigned char* record);
// The base record's number (low 48 bits of the reference at 0x20, as far
// as 32 bits go) and its sequence (0x26); 0 in a base record.
uint64_t MftBaseRecordReference(const unsigned char* record);
uint32_t MftFirstAttributeOffset(const unsigned char* record);

// Reads the two sectors of one record at lba and applies the fixup.
// Returns 1 for a "FILE" record whose fixup checked out; otherwise 0 (the
// buffer then holds whatever was read).
int ReadMftRecord(uint32_t lba, unsigned char* record);

// Checks a record that is already in memory: signature, then the fixup.
int PrepareMftRecord(unsigned char* record);
