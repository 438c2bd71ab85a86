// The recovery snapshot file (".xwqz"): the selected file system's
// parameters and the scan's lists in one flat little-endian stream, written
// from the engine's lists and read back into them.
//
// Layout: mode letter (UTF-16 "D" Quick Scan, "A" Extensive Scan, "R" File
// Trace), 7 tag bytes, 3 version bytes, the 19 stored fields of VolumeParams
// (all but its root location), the body of the mode, then g_DiskIndex and
// g_SourceType (2 bytes each). Every list is preceded by its count; every
// string by a 16-bit length from which its byte size follows.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

class CSnapshotShell;

enum
{
    SnapshotHeaderSize = 80,   // mode letter, tag, version and parameters
    SnapshotTrailerSize = 4,   // disk index and source type
};

// The first 7 bytes of the UTF-16 tag "wqz4.03" and the first 3 of the
// UTF-16 version "1.0", as the file stores them.
extern const unsigned char SnapshotTag[7];
extern const unsigned char SnapshotVersion[3];

// Mode letter of a scan mode: 'A' Extensive Scan, 'R' File Trace, 'D'
// otherwise.
wchar_t SnapshotModeLetter(int scanMode);

// The snapshot of the current lists for a mode letter: "D" and "A" store the
// FAT or NTFS lists of VolumeParams' file-system type ("A" with NTFS stores
// the Extensive Scan's file records of the chosen file system), "R" the
// chosen signatures and the hits. Returns false, with out unchanged, when a
// name is too long for its 16-bit length field (no scan makes such names).
bool BuildSnapshot(wchar_t modeLetter, std::vector<unsigned char>& out);

// Writes a snapshot of the current lists to path (mode "wb"); every write
// and the close are checked, and a file that could not be written whole is
// deleted. Reports nothing.
enum SnapshotWriteResult
{
    SnapshotWritten = 0,
    SnapshotOpenFailed,
    SnapshotWriteFailed,
};
SnapshotWriteResult WriteSnapshotFile(const wchar_t* path, wchar_t modeLetter);

// How reading a snapshot ended.
enum SnapshotReadResult
{
    SnapshotRead = 0,
    SnapshotOpenError,       // the file could not be opened for reading
    SnapshotTagError,        // the tag bytes differ
    SnapshotVersionError,    // the version bytes differ
    SnapshotDamaged,         // a length, count or field does not fit the bytes that are there
};

// Reads a snapshot into the engine's lists. Every list is freed first; on
// any error they are freed again, so nothing half-read is left. The file is
// opened read-only. "D" and "A" bodies are read by VolumeParams' file-system
// type (NTFS records go to the Quick Scan's lists), "R" bodies into the
// signature and hit lists. VolumeParams (but its root location),
// g_DiskIndex and g_SourceType take the file's values only when the whole
// file was read. Progress, when a shell is given, goes to its progress
// dialog. Reports nothing; SnapshotReadMessage gives the text.
SnapshotReadResult ReadSnapshotFile(const wchar_t* path, CSnapshotShell* shell);

// Reads only the first two bytes, the mode letter as a UTF-16 unit; 0 when
// the file cannot be opened or is shorter.
int ReadSnapshotModeLetter(const wchar_t* path);

// The message for a failed read (kind 2).
const wchar_t* SnapshotReadMessage(SnapshotReadResult result);

// Frees every list a scan or a snapshot fills: ResetEngineRun and the
// chosen signatures, which a snapshot of a File Trace brings its own of.
void FreeAllResultLists();
