// The Quick Scan worker: the selected partition's parameters, then the FAT
// or NTFS lists and the result tree.
#pragma once

class CQuickScanShell;

// The worker; param is the CQuickScanShell of the scan step. The starter
// sets the flags (BeginScanWorker) before it starts the thread. Every way
// out of the worker leaves the finished state (g_ScanStop 1, g_ScanBusy 0),
// so the step's timer always sees the end. Returns 1 when a file system
// was scanned, 0 otherwise.
unsigned QuickScanProc(void* param);

// The FAT step: the root directory and then every folder found, breadth
// first, into the FAT lists; then the tree.
void QuickScanFat(CQuickScanShell& shell);

// Opens "\\.\X:" for the selection's logical volume into g_VolumeHandle
// (closing the one before). Returns 1 when it opened.
int OpenSelectedVolume(CQuickScanShell& shell);
