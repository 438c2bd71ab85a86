#include "ntfs/NtfsDataAttribute.h"

#include "common/ByteOrder.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsAttribute.h"

int FindDataAttribute(const unsigned char* record, uint32_t* offset)
{
    NtfsAttribute attr;
    if (!FindAttribute(record, MftRecordSize, NtfsAttrData, true, attr))
        return 0;
    *offset = attr.offset;
    return attr.nonResident ? 2 : 1;
}

int FindDataSize(uint32_t recordSector, uint64_t* size, unsigned char* buffer, int read)
{
    if (read && !ReadMftRecord(recordSector, buffer))
        return 0;
    NtfsAttribute attr;
    if (!FindAttribute(buffer, MftRecordSize, NtfsAttrData, true, attr))
        return 0;
    return DataAttributeSize(attr, size);
}

int DataAttributeSize(const NtfsAttribute& attr, uint64_t* size)
{
    if (!attr.nonResident) {
        const unsigned char* v;
        uint32_t n;
        if (!ResidentValue(attr, &v, &n))
            return 0;
        *size = n;
        return 1;
    }
    if (NonResidentLowestVcn(attr) != 0)
        return 0;
    *size = NonResidentDataSize(attr);
    return 1;
}
