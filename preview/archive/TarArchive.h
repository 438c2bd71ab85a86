// Walking a tar archive held in memory: header checksums, octal fields and
// member positions, every offset checked against the data's size.
#pragma once

#include <stddef.h>
#include <stdint.h>

const size_t kTarBlock = 512;

// The value of an octal text field of width bytes: leading white space is
// skipped, conversion stops at the first non-octal character; saturates.
uint64_t ParseOctalField(const unsigned char* field, size_t width);

// True when the 512 bytes at header add up to its checksum field, the field
// itself counted as spaces. Fewer than 512 bytes available never pass.
bool TarHeaderChecksumOk(const unsigned char* header, size_t available);

struct TarMember
{
    uint64_t headerOffset = 0;
    uint64_t dataOffset = 0;
    uint64_t size = 0;        // never runs past the data
};

// The member whose header lies at offset: its header must pass and its data
// must lie wholly inside the buffer.
bool TarMemberAt(const unsigned char* data, uint64_t dataSize, uint64_t offset, TarMember* member);

// Offset of the header after member (its data rounded up to 512 bytes).
uint64_t TarNextHeader(const TarMember& member);

// Number of members before the first that fails.
int TarCountMembers(const unsigned char* data, uint64_t dataSize);

enum TarFindResult
{
    TAR_FOUND,
    TAR_STEP_FAILED,      // a member before index failed
    TAR_MEMBER_FAILED,    // the member at index itself failed
};

TarFindResult TarFindMember(const unsigned char* data, uint64_t dataSize, int index, TarMember* member);
