// The $ATTRIBUTE_LIST of a record and the extension-record table: the
// records (base first) in which a file's attributes are looked for.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

// Record numbers of the current record and of the records its attribute
// list names, each once, base record first. Grows as needed: a fragmented
// file's list can name the same records many times and many records.
extern std::vector<uint32_t> g_ExtRecordNumbers;

// Starts the table with the record itself.
void ResetExtRecordTable(uint32_t baseRecord);

// Where a non-resident attribute list is read from: the volume's cluster-0
// sector and its sectors per cluster.
struct NtfsVolumeGeometry
{
    uint32_t clusterBase;
    uint32_t sectorsPerCluster;
};

// Adds the records named by the record's $ATTRIBUTE_LIST to the table.
// A resident list is read from the record; a non-resident one (geometry
// given) through the sector reader. Entries are read only up to the list's
// length; a malformed entry ends the list. Returns the number of records
// added.
unsigned CollectAttributeListRecords(const unsigned char* record, size_t size,
                                     const NtfsVolumeGeometry* geometry);

// Walks the entries of an attribute list value and calls add(record number)
// for each; bounded by the value length. Shared by the file walk and the
// MFT's own run table (which only wants the $DATA entries: type filter).
void ParseAttributeListEntries(const unsigned char* value, size_t length, uint32_t typeFilter,
                               void (*add)(uint32_t record, void* context), void* context);

// Reads the value of a resident or non-resident attribute into out (at most
// maxBytes). Returns false when it cannot be read whole.
bool ReadAttributeValue(const unsigned char* record, size_t size, uint32_t attributeOffset,
                        const NtfsVolumeGeometry& geometry, size_t maxBytes,
                        std::vector<unsigned char>& out);
