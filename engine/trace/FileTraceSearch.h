// The engine part of the File Trace worker: the partition's parameters, then
// the signature search, reported on the scan step's panel.
#pragma once

// 1 when the last File Trace could not determine the partition's
// parameters; the scan step's timer reads it.
extern int g_ParamsSearchFailed;

// Runs on the worker thread after the starter has set the flags: reads the
// selection's parameters (searching the FAT layout when the boot sector gives
// none) and searches the range for the chosen signatures, showing progress,
// the sector being read, the hits found and the last hit's name on the scan
// panel. Returns 0 with g_ParamsSearchFailed set when no parameters were
// found (the scan step then shows its message and restores its buttons), 1
// after the search; building the result tree and the finished flags are the
// caller's.
int FileTraceSearch();
