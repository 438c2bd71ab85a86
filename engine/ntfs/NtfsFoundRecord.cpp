#include "ntfs/NtfsFoundRecord.h"

#include <wchar.h>

#include "ntfs/MftRecord.h"
#include "ntfs/NtfsDataAttribute.h"
#include "ntfs/NtfsFileName.h"
#include "ntfs/NtfsIndex.h"
#include "ntfs/NtfsLists.h"

int ListFoundFileRecord(uint32_t sector, const unsigned char* record)
{
    NtfsFileNameValue name;
    if (!ChooseFileName(record, MftRecordSize, name))
        return 0;
    unsigned flags = MftRecordFlags(record);
    if (flags == 2 || flags == 3) {
        uint32_t own;
        if (wcscmp(name.name, L".") == 0)
            own = MftRootRecord;
        else if (_wcsicmp(name.name, L"$Extend") == 0)
            own = MftExtendRecord;
        else
            own = IndexRootOwnNumber(record, MftRecordSize);
        AddNtfsScanFolderRecord(name.name, sector, name.parent, own, name.created, name.changed,
                                IndexAllocationFirstCluster(record, MftRecordSize), flags == 2);
        return 1;
    }
    if (flags == 0 || flags == 1) {
        uint64_t size = 0;
        FindDataSize(sector, &size, const_cast<unsigned char*>(record), 0);
        AddNtfsScanFileRecord(name.name, sector, name.parent, name.created, name.changed, size, flags == 0);
        return 1;
    }
    return 0;
}

int ParseFoundFileRecord(uint32_t sector)
{
    unsigned char record[MftRecordSize];
    if (!ReadMftRecord(sector, record))
        return 0;
    return ListFoundFileRecord(sector, record);
}
