// The unnamed $DATA attribute of a record: where it is and the file size
// it gives.
#pragma once

#include <stdint.h>

#include "ntfs/NtfsAttribute.h"

// 1 resident unnamed $DATA, 2 non-resident, 0 none; the attribute's offset
// in the record goes to offset. Named streams are never taken.
int FindDataAttribute(const unsigned char* record, uint32_t* offset);

// 1 when the record has an unnamed $DATA that gives the file size: the
// resident value length, or the real size of the first extent (lowest VCN
// 0; later extents of a file spread over several records carry no size).
// With read set, the record is first read at recordSector into buffer and
// checked; otherwise buffer already holds it.
int FindDataSize(uint32_t recordSector, uint64_t* size, unsigned char* buffer, int read);

// The size the record's first unnamed $DATA attribute gives, as
// FindDataSize takes it; 0 when it gives none.
int DataAttributeSize(const NtfsAttribute& attr, uint64_t* size);
