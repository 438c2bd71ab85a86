// The Save Recovery Snapshot and Load Recovery Snapshot commands, and the
// loading of a snapshot onto the recovery step (from the command, or from a
// snapshot named on the command line).
#pragma once

#include <windows.h>
#include <stdint.h>

#include <string>

class CSnapshotShell;

// Dialog flags. Saving asks for a new or an existing file (the dialog asks
// before an existing one is replaced); opening takes one or more files, the
// last one counts.
enum : DWORD
{
    SnapshotSaveFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
    SnapshotOpenFlags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
};

// 1 while a Quick Scan or Extensive Scan snapshot is being loaded: the
// result tree's builders then report to the loading progress dialog.
extern int g_SnapshotLoading;

// 1 while the loaded results have an open image or volume that matches
// them; previews and "Recover" stay off otherwise.
extern int g_SnapshotSourceMatches;

// Image name + "_" + mode name + "_" + the time as "%m-%d-%Y_%H.%M.%S".
std::wstring DefaultSnapshotName(const std::wstring& imageName, const std::wstring& modeName, const SYSTEMTIME& time);

// The Save command: proposes the default name for the start page's image
// name and the current local time, then SaveSnapshotAs. Returns 1 when a
// snapshot was written.
int SaveSnapshotCommand(CSnapshotShell& shell, const std::wstring& imageName);

// Writes the current results (mode letter of g_ScanMode) to a chosen path,
// ".xwqz" appended when it does not end so. A file the dialog did not ask
// about (the name got the extension here) is replaced only after the user
// agrees. Failures are reported ("Unable to open the file." / "Unable to
// write the file."); a file not written whole is deleted. Returns 1 when
// written.
int SaveSnapshotAs(std::wstring path);

// The Load command: asks for the file and loads it.
int LoadSnapshotCommand(CSnapshotShell& shell);

// Loads a named snapshot onto the recovery step: lower-cases the path, adds
// ".xwqz", checks the file's mode letter against the mode chosen on the
// start page (g_ModeName), prepares the recovery step and reads the file
// (LoadScanSnapshot or LoadTraceSnapshot). Returns 1 when loaded.
int LoadSnapshot(CSnapshotShell& shell, const std::wstring& path);

// A snapshot named on the command line (at start-up or on the wizard's
// reset): the text lower-cased and without its double quotes names the
// file; its mode letter sets the mode and the snapshot is loaded onto the
// recovery step. Any other file is refused ("Invalid File."). Nothing
// happens for an empty command line. Returns 1 when loaded.
int LoadCommandLineSnapshot(CSnapshotShell& shell, const std::wstring& commandLine);

// Read a "D"/"A" or a "R" snapshot and rebuild the recovery step. A file
// that cannot be read whole is refused with a message and leaves every list
// empty; results whose file system is not on the open image or volume are
// refused too ("Source file and load recovery snapshot mismatch"); with no
// image or volume open they are shown with previews and "Recover" off.
// After a load no worker is running: g_ScanBusy 0 and g_ScanStop 1.
int LoadScanSnapshot(CSnapshotShell& shell, const std::wstring& path);
int LoadTraceSnapshot(CSnapshotShell& shell, const std::wstring& path);

// Whether the open source can be the one the loaded results came from: the
// sector range lies on it, and an NTFS file system has a "FILE" record at
// its MFT sector, a FAT file system the media byte 0xF8 at the start of its
// first FAT (for File Trace results only the range counts).
enum SnapshotSource
{
    SnapshotSourceMatches = 0,
    SnapshotSourceMissing,    // no image or volume is open
    SnapshotSourceMismatch,
};
SnapshotSource CheckSnapshotSource(bool traceResults);

// After an image or volume has been opened with loaded results on the
// recovery step: checks it again, enables previews and "Recover" when it
// matches (building the MFT run table for NTFS results) and says so when
// it does not. Returns the check's result.
SnapshotSource RecheckSnapshotSource(CSnapshotShell& shell);

// When the source is a logical volume: stores the partition index in
// VolumeParams and opens "\\.\" + the volume's drive name into
// g_VolumeHandle (closing the previous one; INVALID_HANDLE_VALUE when it
// cannot be opened). Nothing otherwise.
void ReopenSourceVolume(CSnapshotShell& shell, uint16_t partitionIndex);
