// The Extensive Scan's reading of one "FILE" record found by sector search.
#pragma once

#include <stdint.h>

// Reads the record at sector and lists it as an NtfsScanFolderRecord
// (directory) or NtfsScanFileRecord (file). Nothing is listed for a record
// that does not read back whole, has no $FILE_NAME or other flag values.
// Returns 1 when a record was listed.
int ParseFoundFileRecord(uint32_t sector);

// The same for a record already in memory (fixed up).
int ListFoundFileRecord(uint32_t sector, const unsigned char* record);
