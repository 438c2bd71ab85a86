// The extraction of a FAT file system found by the Extensive Scan: its
// directory candidates become folders ("Dir" + cluster), folders whose
// parent was not found are hung under "Lost Dir", the FATs are looked for
// below the data area when the layout came from directory pairs alone, and
// every folder's entries are read into the FAT folder and file lists. The
// chosen file system is the one VolumeParams holds (found-volume index).
#pragma once

#include <stdint.h>

class CExtensiveScanShell;

enum { FatLostDirCluster = 0xFFFFFFFE };

// Steps 1 to 5 in order, then the result tree.
void ExtractFatVolume(CExtensiveScanShell& shell);

void ExtractFatFileSystem(CExtensiveScanShell& shell);   // step 1
void FindOrphanFatFolders(CExtensiveScanShell& shell);   // step 2
void FindLostFatFragments(CExtensiveScanShell& shell);   // step 3 (only without FAT1)
void ReadFatDirectories(CExtensiveScanShell& shell);     // step 4

// The lists one directory's entries go into: files are added, and a
// subdirectory's entry names the "Dir" folder made from its first sector
// (same cluster, same parent). Returns 0 when the directory could not be
// read or does not start with "." and "..".
int ParseExtensiveFatDirectory(uint32_t cluster, int dirDeleted);
