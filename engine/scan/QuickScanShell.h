// What the Quick Scan worker needs of the wizard: the scan step's panel
// (progress, status, counters), its buttons, and the recovery step's tree
// and first list. The wizard implements it; tests record what it is told.
// Every call comes from the worker thread.
#pragma once

#include <string>

class CQuickScanShell
{
public:
    virtual ~CQuickScanShell() {}

    // The panel's counter rows.
    enum Counter
    {
        CounterFolders,
        CounterFiles,
        CounterSector,
        CounterLastItem,
    };

    virtual void SetProgress(int position) = 0;           // 0 to 99
    virtual void SetStatusText(const wchar_t* text) = 0;
    virtual void ResetCounters() = 0;
    virtual void SetCounterText(Counter counter, const wchar_t* text) = 0;

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
