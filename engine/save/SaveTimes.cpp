#include "save/SaveTimes.h"

SaveTime NoSaveTime()
{
    SaveTime t = {};
    t.kind = SaveTime::None;
    return t;
}

SaveTime FatSaveTime(uint16_t date, uint16_t time)
{
    SaveTime t = NoSaveTime();
    t.kind = SaveTime::Fat;
    t.fatDate = date;
    t.fatTime = time;
    return t;
}

SaveTime NtfsSaveTime(FILETIME time)
{
    SaveTime t = NoSaveTime();
    t.kind = SaveTime::Ntfs;
    t.fileTime = time;
    return t;
}

void FatDateToYmd(uint16_t date, int* year, int* month, int* day)
{
    *year = date / 512 + 1980;
    *month = (date >> 5) & 0x0F;
    *day = date & 0x1F;
}

bool FatDateTimeToFileTime(uint16_t date, uint16_t time, FILETIME* out)
{
    static const int DaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year, month, day;
    FatDateToYmd(date, &year, &month, &day);
    int hour = time >> 11, minute = (time >> 5) & 0x3F, second = (time & 0x1F) * 2;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth[month - 1] || hour > 23 || minute > 59 ||
        second > 59)
        return false;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap)
        return false;
    SYSTEMTIME local = {};
    local.wYear = (WORD)year;
    local.wMonth = (WORD)month;
    local.wDay = (WORD)day;
    local.wHour = (WORD)hour;
    local.wMinute = (WORD)minute;
    local.wSecond = (WORD)second;
    SYSTEMTIME utc;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc))
        return false;
    return SystemTimeToFileTime(&utc, out) != 0;
}

bool SaveTimeToFileTime(const SaveTime& time, FILETIME* out)
{
    switch (time.kind) {
    case SaveTime::Fat:
        return FatDateTimeToFileTime(time.fatDate, time.fatTime, out);
    case SaveTime::Ntfs:
        *out = time.fileTime;
        return true;
    default:
        return false;
    }
}

void ApplySaveTime(HANDLE file, const SaveTime& time)
{
    FILETIME t;
    if (SaveTimeToFileTime(time, &t))
        SetFileTime(file, &t, &t, &t);
}
