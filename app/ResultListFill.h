// Filling the recovery step's result list with one folder of the scan
// result ("Parent..." below the root, the sub-folders, then the files that
// pass the name filters) or with the File Trace hits, and the two date
// texts of its rows.
#pragma once

#include <windows.h>
#include <stdint.h>

class CResultListCtrl;

// The name filters of the File Filters dialog: up to 99 masks of at most
// 19 characters, read in table order up to the count.
enum
{
    FileFilterSlots = 100,
    FileFilterChars = 20,
    MaxFileFilters = 99,
};
extern wchar_t g_FileFilters[FileFilterSlots][FileFilterChars];
extern int g_nFileFilterCount;
// 1 when no filter is set or the upper-cased name matches an upper-cased
// filter (MatchNameMask).
int PassesFileFilters(const wchar_t* name);

// 1: the fillers show a progress dialog while they fill.
extern int g_ShowListProgress;

// day-month-year with two-digit day and month and a trailing space
// ("15-01-2010 "); out holds at least 16 characters.
void FormatFatDate(uint16_t date, wchar_t* out);
// The FILETIME as it is (no local-time conversion): "5-3-2010 7:4:9";
// out holds at least 32 characters.
void FormatFileTime(DWORD low, DWORD high, wchar_t* out);

// The list the fillers write: the application's result list unless a
// test set another.
CResultListCtrl* FillTargetList();
void SetFillTargetList(CResultListCtrl* pList);

// The FAT folder with that first cluster (0: the root).
void FillResultListFat(uint32_t cluster);
// The NTFS folder with that record number (5: the root); after an
// Extensive Scan it hands over to FillResultListNtfsExtensive.
void FillResultListNtfs(uint32_t recordNumber);
void FillResultListNtfsExtensive(uint32_t recordNumber);
// The root of whatever the shown results are: FAT, NTFS or the File Trace
// type rows.
void FillResultListRoot();
// File Trace: one row per hit description.
void ListTraceTypes();
// File Trace: "Root" (not by description) gives the type rows; otherwise
// the hits of a description (bByDescription 1) or of an extension.
void ListTraceHits(const wchar_t* text, int bByDescription);
