// The Extensive Scan's reading of one "FILE" record found by sector search.
#pragma once

#include <stdint.h>

// Reads the record at sector and lists it as an NtfsScanFolderRecord
// (directory) or NtfsScanFileRecord (file). Nothing is listed for a record
// that does not read back whole, has no $FILE_NAME or other flag values.
// Returns 1 when a record was listed.
int ParseFoundFileRecord(uint32_t sector);

// The same for a record already in memory (fixed up). An extension record
// is not listed: its $FILE_NAME is kept for its base record. A base record
// with an attribute list and no $FILE_NAME of its own is kept until
// ListNamesFromExtensionRecords gives it one.
int ListFoundFileRecord(uint32_t sector, const unsigned char* record);

// After the search: every kept base record that an extension record named
// is listed under that name (with the nearest such extension record when
// several claim it), then the Extensive lists are put in sector order.
// Base records no extension record named stay unlisted. Empties what was
// kept.
void ListNamesFromExtensionRecords();

// Forgets the kept names and base records (part of the Extensive reset).
void FreeExtensionRecordNames();
