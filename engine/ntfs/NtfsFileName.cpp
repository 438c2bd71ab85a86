#include "ntfs/NtfsFileName.h"

#include "common/ByteOrder.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"

namespace {

const uint32_t NameOffset = 0x42;

FILETIME FileTimeAt(const unsigned char* p)
{
    FILETIME t;
    t.dwLowDateTime = le32(p);
    t.dwHighDateTime = le32(p + 4);
    return t;
}

bool NameSpaceMatches(unsigned have, unsigned wanted)
{
    return have == wanted || (wanted == NtfsNameWin32 && have == NtfsNamePosix);
}

// Calls fn(value) for each unnamed resident $FILE_NAME that decodes.
template <class Fn>
void ForEachFileName(const unsigned char* record, size_t size, Fn fn)
{
    CNtfsAttributeWalk walk(record, size);
    NtfsAttribute attr;
    NtfsFileNameValue value;
    while (walk.Next(attr)) {
        if (attr.type != NtfsAttrFileName || attr.nameLength != 0)
            continue;
        const unsigned char* v;
        uint32_t n;
        if (ResidentValue(attr, &v, &n) && ParseFileNameValue(v, n, value) && !fn(value))
            return;
    }
}

}  // namespace

bool ParseFileNameValue(const unsigned char* value, uint32_t valueLength, NtfsFileNameValue& out)
{
    if (valueLength < NameOffset)
        return false;
    unsigned length = value[0x40];
    if (length * 2u > valueLength - NameOffset)
        return false;
    out.parent = le32(value);
    out.parentSequence = le16(value + 6);
    out.created = FileTimeAt(value + 0x08);
    out.changed = FileTimeAt(value + 0x18);
    out.flags = le32(value + 0x38);
    out.nameSpace = value[0x41];
    out.length = length;
    for (unsigned i = 0; i < length; ++i)
        out.name[i] = (wchar_t)le16(value + NameOffset + 2 * i);
    out.name[length] = 0;
    return true;
}

bool FindFileNameAttribute(const unsigned char* record, size_t size, unsigned nameSpace,
                           NtfsFileNameValue& out)
{
    bool found = false;
    ForEachFileName(record, size, [&](const NtfsFileNameValue& v) {
        if (!NameSpaceMatches(v.nameSpace, nameSpace))
            return true;
        out = v;
        found = true;
        return false;
    });
    return found;
}

bool ChooseFileName(const unsigned char* record, size_t size, NtfsFileNameValue& out)
{
    return FindFileNameAttribute(record, size, NtfsNameWin32, out) ||
           FindFileNameAttribute(record, size, NtfsNameWin32AndDos, out) ||
           FindFileNameAttribute(record, size, NtfsNameDos, out);
}

void CollectLinkName(const NtfsAttribute& attr, std::vector<NtfsFileNameValue>& names)
{
    // Every record of a scan comes here: the DOS names are passed over
    // before they are decoded, and the others are decoded where they are
    // kept rather than copied there (a value is over 500 bytes).
    if (attr.type != NtfsAttrFileName || attr.nameLength != 0)
        return;
    const unsigned char* v;
    uint32_t n;
    if (!ResidentValue(attr, &v, &n) || n < NameOffset || v[0x41] == NtfsNameDos)
        return;
    names.emplace_back();
    if (!ParseFileNameValue(v, n, names.back()))
        names.pop_back();
}

void CollectLinkNames(const unsigned char* record, size_t size, std::vector<NtfsFileNameValue>& names)
{
    CNtfsAttributeWalk walk(record, size);
    NtfsAttribute attr;
    while (walk.Next(attr))
        CollectLinkName(attr, names);
}
