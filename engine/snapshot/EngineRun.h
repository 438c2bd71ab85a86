// The one reset of a run's results: every result list with its indexes and
// the per-run tables the readers keep, whatever program links the engine.
// Called wherever a new scan, a snapshot load or a reset begins.
#pragma once

// Frees the FAT and NTFS lists (Quick Scan and Extensive Scan), the
// Extensive Scan's candidates and found file systems, the File Trace hits,
// the MFT run table and the extension-record table. The chosen signatures
// are the user's choice, not a result: they stay.
void ResetEngineRun();
