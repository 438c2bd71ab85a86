// The two file writers of the save: a FAT file along its cluster chain and
// an NTFS file along the runs of all its $DATA extents. The save worker
// calls them with report 1 (filters, duplicate rule, saving dialog, stop and
// skip); previews call them with report 0 (write only, never touched by a
// save's flags).
#pragma once

#include <stdint.h>

#include <string>

#include "save/SaveTimes.h"

// How one request ended.
enum SaveOutcome
{
    SaveWritten = 0,         // complete file written
    SaveFiltered,            // name filter or deleted-file filter
    SaveDuplicateSkipped,    // the path exists and the policy is "skip"
    SaveStopped,             // the save was stopped (or the file skipped) while it ran
    SaveCreateFailed,        // the file could not be created
    SaveWriteFailed,         // a write to the file failed
    SaveIncomplete,          // written, but unreadable sectors or missing runs became zeros
    SaveNotRecoverableRaw,   // compressed or encrypted data: raw clusters are not the file
    SaveNoData,              // no data attribute or record to read
};

struct SaveRequest
{
    std::wstring folder;     // destination folder of the file
    std::wstring name;       // the listed name; afterwards the name written
    uint64_t size = 0;       // bytes to write
    uint32_t source = 0;     // FAT: first cluster; NTFS: LBA of the record holding the data
    int report = 0;          // 1 inside a save, 0 for a preview copy
    int deleted = 0;         // 1 when the entry is deleted
    SaveTime time = NoSaveTime();

    // Filled by the writer.
    std::wstring path;                 // the file written (long-path form), empty when none
    uint64_t unreadableSectors = 0;    // written as zeros
    SaveOutcome outcome = SaveWritten;
};

// Write one file. Return 1 when the complete file was written (also a file
// of 0 bytes), else 0 with the reason in request.outcome. A file that could
// not be read whole is kept (unread parts are zeros) but returns 0.
int SaveFatFile(SaveRequest& request);
int SaveNtfsFile(SaveRequest& request);

// The question text asked when a file cannot be created; the path is shown
// without the long-path prefix and escaped for the message box.
std::wstring CreateErrorQuestion(const std::wstring& path);
