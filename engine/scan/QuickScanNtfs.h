// The Quick Scan of an NTFS volume: every MFT record read in order into the
// NTFS folder and file lists, the lost items gathered under "Lost Dir",
// then the result tree built through the shell.
#pragma once

class CQuickScanShell;

// Reads the MFT of the volume in VolumeParams and fills the NTFS lists.
// Returns 1 when the MFT could be walked (also after a stop), 0 when the
// volume's records cannot be read (the user has been told why).
int QuickScanNtfsLists();

// Adds "Lost Dir" and a placeholder folder for each missing parent, and
// moves items whose parent reference no longer names their parent (the
// record was reused) or that hang in a loop of folders under "Lost Dir".
void FindLostNtfsFolders();

// The whole NTFS step of the worker: lists, lost items, tree.
void QuickScanNtfs(CQuickScanShell& shell);

// The MFT record size a boot sector gives: byte 0x40 as a signed value,
// a negative v meaning 2^-v bytes, a positive one that many clusters.
// 0 when the value makes no sense.
unsigned long long MftRecordBytesFromBoot(const unsigned char* boot, unsigned sectorsPerCluster);
