// The VHDX file identifier (offset 0) and the two headers (64 KiB and
// 128 KiB); the current header is the valid one with the higher sequence
// number.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum
{
    VhdxHeaderSize = 4096,
    VhdxIdentifierOffset = 0,
    VhdxHeader1Offset = 0x10000,
    VhdxHeader2Offset = 0x20000,
};

// Needs 8 bytes "vhdxfile".
int ParseVhdxFileIdentifier(const unsigned char* data, size_t size);

struct VhdxHeader
{
    uint64_t sequenceNumber;
    bool logPending;     // a non-zero LogGuid: the log holds changes not yet applied
};

// Needs 4096 bytes, the signature "head", a matching CRC-32C and version 1.
int ParseVhdxHeader(const unsigned char* data, size_t size, VhdxHeader* header);

// Index (0 or 1) of the current header among two parse results (valid1,
// valid2); -1 when neither is valid.
int ChooseVhdxHeader(int valid1, const VhdxHeader& header1, int valid2, const VhdxHeader& header2);
