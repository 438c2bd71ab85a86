// The layout of the selected file system in VolumeParams: from its boot
// sector (or the backup copy), confirmed against the FAT or the MFT, or for
// FAT worked out from the volume's directories.
#pragma once

// Fills VolumeParams from the boot sector of the selection. 0 when the stop
// flag is set or no boot sector gives a confirmed layout; 1 also for a type
// other than FAT16, FAT32 and NTFS (nothing is filled).
int ReadVolumeParams();

// Derives a FAT16 or FAT32 layout from the first FAT's first bytes and two
// subdirectories' "." entries. On failure sets g_ScanStop to 1 and
// g_ScanBusy to 0 and returns 0.
int SearchFatParams();
