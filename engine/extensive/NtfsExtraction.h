// The extraction of an NTFS file system found by the Extensive Scan: its
// folder records become the NTFS folder list (one folder per record
// number), and every folder or file whose parent folder was not found gets
// a made-up parent "Dir" + n under "Lost Dir". The files stay in the
// Extensive Scan's file list; a file belongs to the chosen file system when
// its record lies after the file system's start and not after its end.
#pragma once

#include <stdint.h>

class CExtensiveScanShell;
struct NtfsScanFileRecord;

void ExtractNtfsVolume(CExtensiveScanShell& shell);   // both steps, then the tree

// Drops the copies of records that the chosen file system holds twice
// (DropCopiesOfRecords), then lists its folders.
void ExtractNtfsFileSystem(CExtensiveScanShell& shell);
void DropCopiesOfRecords();
// Returns the number of "Dir" folders made.
uint32_t FindLostNtfsFolders(CExtensiveScanShell& shell);

// 1 when a file record of the Extensive Scan lies in the chosen file system
// (VolumeParams' cluster base and file-system end).
int IsInChosenNtfsVolume(const NtfsScanFileRecord* file);
