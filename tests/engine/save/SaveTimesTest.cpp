// FAT dates and times (local time) to FILETIMEs, and the dates that name no
// moment.
#include <gtest/gtest.h>

#include <windows.h>

#include "save/SaveTimes.h"

namespace {

uint16_t FatDate(int y, int m, int d) { return (uint16_t)(((y - 1980) << 9) | (m << 5) | d); }
uint16_t FatTime(int h, int m, int s) { return (uint16_t)((h << 11) | (m << 5) | (s / 2)); }

// The FILETIME back in local time, as the FAT fields would hold it.
SYSTEMTIME BackToLocal(const FILETIME& ft)
{
    SYSTEMTIME utc, local;
    FileTimeToSystemTime(&ft, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return local;
}

}  // namespace

TEST(SaveTimes, FatDateDecodes)
{
    int y, m, d;
    FatDateToYmd(0x5A21, &y, &m, &d);
    EXPECT_EQ(2025, y);
    EXPECT_EQ(1, m);
    EXPECT_EQ(1, d);
}

TEST(SaveTimes, FatDateAndTimeKeepTheirLocalClockReading)
{
    struct { int y, mo, d, h, mi, s; } cases[] = {
        {2020, 1, 2, 3, 4, 6}, {2020, 7, 15, 23, 59, 58}, {1980, 1, 1, 0, 0, 0}, {2107, 12, 31, 12, 30, 30},
        {2024, 2, 29, 10, 0, 0},
    };
    for (const auto& c : cases) {
        FILETIME ft;
        ASSERT_TRUE(FatDateTimeToFileTime(FatDate(c.y, c.mo, c.d), FatTime(c.h, c.mi, c.s), &ft)) << c.y << "-" << c.mo;
        SYSTEMTIME local = BackToLocal(ft);
        EXPECT_EQ(c.y, local.wYear);
        EXPECT_EQ(c.mo, local.wMonth);
        EXPECT_EQ(c.d, local.wDay);
        EXPECT_EQ(c.h, local.wHour);
        EXPECT_EQ(c.mi, local.wMinute);
        EXPECT_EQ(c.s, local.wSecond);
    }
}

TEST(SaveTimes, InvalidDatesAndTimesGiveNoTime)
{
    struct { uint16_t date, time; } cases[] = {
        {0, 0},                                   // month 0, day 0
        {FatDate(2020, 13, 1), 0},                // month 13
        {FatDate(2020, 4, 31), 0},                // 31 April
        {FatDate(2021, 2, 29), 0},                // not a leap year
        {FatDate(2020, 1, 0), 0},                 // day 0
        {FatDate(2020, 1, 1), FatTime(24, 0, 0)}, // hour 24
        {FatDate(2020, 1, 1), FatTime(1, 60, 0)}, // minute 60
        {FatDate(2020, 1, 1), (uint16_t)((1 << 11) | 30)},   // 60 seconds
    };
    for (const auto& c : cases) {
        FILETIME ft;
        EXPECT_FALSE(FatDateTimeToFileTime(c.date, c.time, &ft)) << std::hex << c.date << " " << c.time;
        EXPECT_FALSE(SaveTimeToFileTime(FatSaveTime(c.date, c.time), &ft));
    }
    FILETIME ft;
    EXPECT_FALSE(SaveTimeToFileTime(NoSaveTime(), &ft));
    FILETIME ntfs = {0x12345678, 0x01D5C0DE};
    ASSERT_TRUE(SaveTimeToFileTime(NtfsSaveTime(ntfs), &ft));
    EXPECT_EQ(ntfs.dwLowDateTime, ft.dwLowDateTime);
    EXPECT_EQ(ntfs.dwHighDateTime, ft.dwHighDateTime);
}
