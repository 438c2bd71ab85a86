// Time stamps of saved files. FAT entries hold local date and time; NTFS
// holds FILETIMEs (UTC).
#pragma once

#include <windows.h>
#include <stdint.h>

// The time a saved file gets, carried with each request (never process-wide,
// so a preview and a running save cannot mix them up).
struct SaveTime
{
    enum Kind { None, Fat, Ntfs } kind;
    uint16_t fatDate;   // FAT date: year - 1980 in bits 9-15, month 5-8, day 0-4
    uint16_t fatTime;   // FAT time: hours 11-15, minutes 5-10, seconds / 2 in 0-4
    FILETIME fileTime;
};

SaveTime NoSaveTime();
SaveTime FatSaveTime(uint16_t date, uint16_t time);
SaveTime NtfsSaveTime(FILETIME time);

// Year, month and day of a FAT date (year = date / 512 + 1980).
void FatDateToYmd(uint16_t date, int* year, int* month, int* day);

// Converts a FAT date and time, which are local time, to a FILETIME (UTC)
// with the time-zone rules of that date. False for a date or time that
// names no moment (month 0 or above 12, day 0 or past the month's end,
// hours above 23, minutes above 59, seconds above 59).
bool FatDateTimeToFileTime(uint16_t date, uint16_t time, FILETIME* out);

// The FILETIME a save time gives; false when it gives none (kind None, or
// an invalid FAT date), and the file then keeps the times of its writing.
bool SaveTimeToFileTime(const SaveTime& time, FILETIME* out);

// Sets creation, last-access and last-write time of an open file to the
// save time; nothing when it gives no time.
void ApplySaveTime(HANDLE file, const SaveTime& time);
