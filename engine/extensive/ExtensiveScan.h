// The Extensive Scan worker and the extraction worker that follows the
// choice of a found file system.
#pragma once

class CExtensiveScanShell;

// The scan: the search of VolumeParams' sector range by its selection code
// (100, 200 FAT; 300 NTFS), then the analysis of what it found. param is
// the CExtensiveScanShell. The starter frees the Extensive lists and sets
// the flags (BeginScanWorker) first. Ends with both done flags set and the
// finished state (g_ScanStop 1, g_ScanBusy 0). Returns 0.
unsigned ExtensiveScanProc(void* param);

// The extraction of the file system VolumeParams holds (after
// SelectFoundVolumeParams): FAT or NTFS folder and file lists, then the
// result tree. param is the CExtensiveScanShell. Ends in the finished
// state. Returns 0.
unsigned ExtractionProc(void* param);
