// Directory indexes ("$I30"): the first entry of a resident $INDEX_ROOT,
// the first cluster of an $INDEX_ALLOCATION, and "INDX" blocks met by the
// Extensive Scan's sector search.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Record number of the directory that owns the index root, taken from the
// parent field of its first entry's key; 0 when the record has no "$I30"
// root, the first entry has no key or the key does not fit (0xFFFFFFFF is
// also given as 0).
uint32_t IndexRootOwnNumber(const unsigned char* record, size_t size);

// LCN of the first run of the record's non-resident "$I30"
// $INDEX_ALLOCATION; 0 when there is none or it does not fit 32 bits.
uint32_t IndexAllocationFirstCluster(const unsigned char* record, size_t size);

// Index blocks are 512 bytes to 64 KiB, in whole sectors.
enum { IndexBlockMinBytes = 512, IndexBlockMaxBytes = 65536 };

// Looks at an "INDX" block whose first sector (512 bytes) is given and which
// starts at sector. Reads the whole block, and lists it (an IndexBlockHit)
// when its first entry names an owner directory. Returns 1 when added.
int AddIndexBlockHit(uint32_t sector, const unsigned char* firstSector);

// The owner (first entry's parent) and VCN of an index block already in
// memory and fixed up; false when the block's first entry does not fit.
bool ParseIndexBlock(const unsigned char* block, size_t size, uint32_t* owner, uint32_t* vcn);
