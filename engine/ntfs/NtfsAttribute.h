// The attribute headers of an MFT record: a bounded walk over them and
// checked access to a resident attribute's value and a non-resident
// attribute's fields.
#pragma once

#include <stddef.h>
#include <stdint.h>

// One attribute as found by the walk. Every field has been checked to lie
// inside the attribute, and the attribute inside the record.
struct NtfsAttribute
{
    const unsigned char* start;   // first byte of the attribute header
    uint32_t offset;              // offset of the attribute in the record
    uint32_t type;
    uint32_t length;
    unsigned nonResident;         // 0 resident, 1 non-resident
    unsigned nameLength;          // in UTF-16 characters, 0 = unnamed
    uint32_t nameOffset;          // from the attribute start
};

// Walks the attributes of a record in order. Ends at the end marker, at a
// zero or misaligned length, and at any header that does not fit in the
// record; a malformed chain simply ends the walk.
class CNtfsAttributeWalk
{
public:
    CNtfsAttributeWalk(const unsigned char* record, size_t size);
    // Next attribute; false at the end of the walk.
    bool Next(NtfsAttribute& attr);

private:
    const unsigned char* m_record;
    size_t m_size;
    size_t m_pos;
};

// The attributes the walk finds, in order: up to capacity of them go to
// out. Returns how many the walk found in all, which is more than capacity
// when they did not all fit.
unsigned CollectAttributes(const unsigned char* record, size_t size, NtfsAttribute* out, unsigned capacity);

// The first attribute of the given type, optionally only an unnamed one.
bool FindAttribute(const unsigned char* record, size_t size, uint32_t type, bool unnamedOnly,
                   NtfsAttribute& attr);

// A resident attribute's value, checked against the attribute length.
// False for a non-resident attribute or a value outside the attribute.
bool ResidentValue(const NtfsAttribute& attr, const unsigned char** value, uint32_t* valueLength);

// A non-resident attribute's mapping pairs: pointer and byte count up to
// the attribute's end. False when the offset lies outside the attribute.
bool MappingPairs(const NtfsAttribute& attr, const unsigned char** pairs, size_t* size);

// Fields of a non-resident attribute (header checked by the walk).
uint64_t NonResidentLowestVcn(const NtfsAttribute& attr);
uint64_t NonResidentDataSize(const NtfsAttribute& attr);

// True when the attribute's name equals the ASCII text (e.g. "$I30").
bool AttributeNameIs(const NtfsAttribute& attr, const char* name);
