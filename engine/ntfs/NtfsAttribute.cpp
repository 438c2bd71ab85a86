#include "ntfs/NtfsAttribute.h"

#include <string.h>

#include "common/ByteOrder.h"
#include "ntfs/MftRecord.h"

namespace {

// Smallest headers: resident 0x18 bytes, non-resident 0x40 bytes.
const uint32_t ResidentHeaderSize = 0x18;
const uint32_t NonResidentHeaderSize = 0x40;

}  // namespace

CNtfsAttributeWalk::CNtfsAttributeWalk(const unsigned char* record, size_t size)
    : m_record(record), m_size(size), m_pos(size >= 0x18 ? le16(record + 0x14) : size)
{
}

bool CNtfsAttributeWalk::Next(NtfsAttribute& attr)
{
    // A type and a length need 8 bytes; the end marker only 4.
    if (m_pos >= m_size || m_size - m_pos < 4)
        return false;
    const unsigned char* p = m_record + m_pos;
    uint32_t type = le32(p);
    if (type == 0 || type == NtfsAttrEnd || m_size - m_pos < ResidentHeaderSize)
        return false;
    uint32_t length = le32(p + 4);
    unsigned nonResident = p[8];
    uint32_t minimum = nonResident ? NonResidentHeaderSize : ResidentHeaderSize;
    if (nonResident > 1 || length < minimum || length % 8 != 0 || length > m_size - m_pos)
        return false;
    unsigned nameLength = p[9];
    uint32_t nameOffset = le16(p + 10);
    if (nameLength && (nameOffset > length || nameLength * 2u > length - nameOffset))
        return false;
    attr.start = p;
    attr.offset = (uint32_t)m_pos;
    attr.type = type;
    attr.length = length;
    attr.nonResident = nonResident;
    attr.nameLength = nameLength;
    attr.nameOffset = nameOffset;
    m_pos += length;
    return true;
}

unsigned CollectAttributes(const unsigned char* record, size_t size, NtfsAttribute* out, unsigned capacity)
{
    CNtfsAttributeWalk walk(record, size);
    NtfsAttribute attr;
    unsigned count = 0;
    while (walk.Next(attr)) {
        if (count < capacity)
            out[count] = attr;
        ++count;
    }
    return count;
}

bool FindAttribute(const unsigned char* record, size_t size, uint32_t type, bool unnamedOnly,
                   NtfsAttribute& attr)
{
    CNtfsAttributeWalk walk(record, size);
    while (walk.Next(attr))
        if (attr.type == type && (!unnamedOnly || attr.nameLength == 0))
            return true;
    return false;
}

bool ResidentValue(const NtfsAttribute& attr, const unsigned char** value, uint32_t* valueLength)
{
    if (attr.nonResident)
        return false;
    uint32_t length = le32(attr.start + 0x10);
    uint32_t offset = le16(attr.start + 0x14);
    if (offset > attr.length || length > attr.length - offset)
        return false;
    *value = attr.start + offset;
    *valueLength = length;
    return true;
}

bool MappingPairs(const NtfsAttribute& attr, const unsigned char** pairs, size_t* size)
{
    if (!attr.nonResident)
        return false;
    uint32_t offset = le16(attr.start + 0x20);
    if (offset < 0x40 || offset >= attr.length)
        return false;
    *pairs = attr.start + offset;
    *size = attr.length - offset;
    return true;
}

uint64_t NonResidentLowestVcn(const NtfsAttribute& attr) { return le64(attr.start + 0x10); }

uint64_t NonResidentDataSize(const NtfsAttribute& attr) { return le64(attr.start + 0x30); }

bool AttributeNameIs(const NtfsAttribute& attr, const char* name)
{
    size_t n = strlen(name);
    if (attr.nameLength != n)
        return false;
    const unsigned char* p = attr.start + attr.nameOffset;
    for (size_t i = 0; i < n; ++i)
        if (le16(p + 2 * i) != (unsigned char)name[i])
            return false;
    return true;
}
