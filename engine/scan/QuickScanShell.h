// What the Quick Scan worker needs of the wizard beyond the scan panel's
// progress, status and counter values (those go through CScanPanelHost):
// the counters' reset, the logical drive list, the scan step's buttons and
// the recovery step's tree and first list. The wizard implements it; tests
// record what it is told. Every call comes from the worker thread.
#pragma once

#include <string>

class CQuickScanShell
{
public:
    virtual ~CQuickScanShell() {}

    // Writes the panel's counter captions and clears their values.
    virtual void ResetCounters() = 0;

    // The drive name ("X:") of a logical volume at a partition index, for
    // opening "\\.\X:"; empty when there is none.
    virtual std::wstring LogicalDriveName(unsigned partitionIndex) = 0;

    // Before the tree is built: disable "Scan", "Back" and "Home", set the
    // building flag and the wait cursor, and disable and hide "Stop".
    virtual void BeginTreeBuild() = 0;

    // Builds the result tree and the first result list: "Root" at the top,
    // the folders below it (FAT from parent cluster 0, NTFS from parent
    // record 5), everything marked, "Root" expanded, the list switched to
    // its report style and filled for the root.
    virtual void BuildFatTree() = 0;
    virtual void BuildNtfsTree() = 0;
};
