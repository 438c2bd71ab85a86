// Long file names. The long-name entries of a set come before their short
// entry, highest ordinal first, and a set may cross a sector or cluster
// boundary; so entries are fed in directory order and the set is carried
// from one sector to the next of the same directory.
//
// A live set is taken only when its ordinals run down from the 0x40-flagged
// entry to 1 without a gap and every entry carries the short entry's
// checksum. A deleted set (sequence bytes 0xE5, ordinals lost) is taken only
// when all its entries carry one checksum and it begins at the entry that
// holds the name's end; a name that fills its entries exactly must also
// begin with the letter that the checksum gives for the short entry's lost
// first byte. Anything else leaves the short entry with its 8.3 name.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "fat/FatDirEntry.h"

struct FatLongNameSet
{
    uint16_t units[FatLongNameMaxEntries][FatLongNameUnits];  // in directory order
    int entries;
    int valid;
    int deleted;
    int nextOrdinal;  // live sets: ordinal the next entry must carry
    int startsAtEnd;  // deleted sets: the first stored entry holds the name's end
    uint8_t checksum;
};

void ResetLongNameSet(FatLongNameSet* set);

// Feeds one long-name entry (directory order).
void FeedLongNameEntry(FatLongNameSet* set, const unsigned char* entry);

// For the short entry that follows the set: 1 and the name in out (cap
// units, terminated) when the set belongs to it, else 0. Resets the set.
int TakeLongName(FatLongNameSet* set, const unsigned char* shortEntry, wchar_t* out, size_t cap);

// The long name of short entry `index` of a run of entries (a sector, a
// cluster or a whole directory): 0 when one was decoded into out, 1 when the
// entry has none. Only entries of the run are looked at.
int DecodeLongName(const unsigned char* entries, int index, wchar_t* out, size_t cap);
