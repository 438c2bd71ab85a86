// What the save worker tells the saving dialog while it writes files,
// installed by the application.
#pragma once

// What the save worker shows while it saves; set by the application.
struct TraceSaveReporter
{
    void* context;
    // 1 when the name passes the file filters; null lets every name pass.
    int (*nameAccepted)(void* context, const wchar_t* name);
    // After a file has been created: the saving dialog's folder, name and
    // count texts and its progress.
    void (*fileStarted)(void* context, const wchar_t* folder, const wchar_t* name, int savedCount);
    // The saving dialog's progress (0 to 99) while one file is written; the
    // file saves of the FAT and NTFS lists report through it too.
    void (*progress)(void* context, int position);
};
// Installs the reporter (copied); null removes it. One reporter serves
// every save: hits and FAT and NTFS files.
void SetTraceSaveReporter(const TraceSaveReporter* reporter);
// The reporter installed (all fields null when none).
const TraceSaveReporter& GetTraceSaveReporter();
