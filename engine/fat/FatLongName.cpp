#include "fat/FatLongName.h"

#include <string.h>

namespace {

int HoldsNameEnd(const uint16_t* units)
{
    for (int i = 0; i < FatLongNameUnits; ++i)
        if (units[i] == 0x0000 || units[i] == 0xFFFF)
            return 1;
    return 0;
}

void StartSet(FatLongNameSet* set, const unsigned char* e, int deleted)
{
    set->entries = 1;
    set->valid = 1;
    set->deleted = deleted;
    set->checksum = e[13];
    GetFatLongNameUnits(e, set->units[0]);
    set->startsAtEnd = HoldsNameEnd(set->units[0]);
    int ordinal = e[0] & 0x3F;
    set->nextOrdinal = deleted ? 0 : ordinal - 1;
    if (!deleted && (ordinal == 0 || ordinal > FatLongNameMaxEntries || (e[0] & 0x80)))
        set->valid = 0;
}

void Continue(FatLongNameSet* set, const unsigned char* e)
{
    if (set->entries >= FatLongNameMaxEntries) {
        set->valid = 0;
        return;
    }
    GetFatLongNameUnits(e, set->units[set->entries++]);
}

// The first byte a deleted short entry had, worked out from the checksum its
// long-name entries carry (each first byte gives a different checksum).
unsigned char LostFirstByte(const unsigned char* shortEntry, uint8_t checksum)
{
    unsigned char name[11];
    memcpy(name, shortEntry, 11);
    for (int b = 0; b < 256; ++b) {
        name[0] = (unsigned char)b;
        if (FatShortNameChecksum(name) == checksum)
            return (unsigned char)b;
    }
    return 0;
}

}  // namespace

void ResetLongNameSet(FatLongNameSet* set)
{
    set->entries = 0;
    set->valid = 0;
    set->deleted = 0;
    set->nextOrdinal = 0;
    set->checksum = 0;
    set->startsAtEnd = 0;
}

void FeedLongNameEntry(FatLongNameSet* set, const unsigned char* e)
{
    if (IsFatDeletedEntry(e)) {
        uint16_t units[FatLongNameUnits];
        GetFatLongNameUnits(e, units);
        // A deleted set begins where the name ends (or where the checksum
        // changes); every further entry must carry the same checksum.
        if (set->valid && set->deleted && e[13] == set->checksum && !HoldsNameEnd(units))
            Continue(set, e);
        else
            StartSet(set, e, 1);
        return;
    }
    if (e[0] & FatLongNameLast) {
        StartSet(set, e, 0);
        return;
    }
    int ordinal = e[0] & 0x3F;
    if (!set->valid || set->deleted || (e[0] & 0x80) || ordinal == 0 ||
        ordinal != set->nextOrdinal || e[13] != set->checksum) {
        set->valid = 0;
        return;
    }
    Continue(set, e);
    --set->nextOrdinal;
}

int TakeLongName(FatLongNameSet* set, const unsigned char* shortEntry, wchar_t* out, size_t cap)
{
    int ok = set->valid && set->entries > 0 && cap > 1;
    if (ok && !set->deleted) {
        // Complete, and made for this short entry. A deleted short entry has
        // lost its first byte, so only its live set's ordinals vouch for it.
        ok = set->nextOrdinal == 0 &&
             (IsFatDeletedEntry(shortEntry) || set->checksum == FatShortNameChecksum(shortEntry));
    } else if (ok) {
        ok = IsFatDeletedEntry(shortEntry);
    }
    size_t n = 0;
    if (ok) {
        // The entry just before the short entry holds the name's start.
        for (int k = set->entries - 1; k >= 0 && n + 1 < cap && n < FatLongNameMaxUnits; --k) {
            int end = 0;
            for (int i = 0; i < FatLongNameUnits && n + 1 < cap && n < FatLongNameMaxUnits; ++i) {
                uint16_t u = set->units[k][i];
                if (u == 0x0000 || u == 0xFFFF) {
                    end = 1;
                    break;
                }
                out[n++] = (wchar_t)u;
            }
            if (end) {
                // Only the set's first stored entry may hold the name's end.
                if (k != 0)
                    n = 0;
                break;
            }
        }
    }
    if (n > 0 && set->deleted && !set->startsAtEnd) {
        // Nothing shows where this set began: it may be the tail of a longer
        // name. Take it only when it starts as its short name did.
        wchar_t c = out[0];
        if (c >= L'a' && c <= L'z')
            c = (wchar_t)(c - L'a' + L'A');
        if (c != LostFirstByte(shortEntry, set->checksum))
            n = 0;
    }
    ResetLongNameSet(set);
    if (n == 0)
        return 0;
    out[n] = 0;
    return 1;
}

int DecodeLongName(const unsigned char* entries, int index, wchar_t* out, size_t cap)
{
    int first = index;
    while (first > 0 && index - first < FatLongNameMaxEntries &&
           IsFatLongNameEntry(entries + (first - 1) * FatDirEntrySize))
        --first;
    FatLongNameSet set;
    ResetLongNameSet(&set);
    for (int i = first; i < index; ++i)
        FeedLongNameEntry(&set, entries + i * FatDirEntrySize);
    return TakeLongName(&set, entries + index * FatDirEntrySize, out, cap) ? 0 : 1;
}
