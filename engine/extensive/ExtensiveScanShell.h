// What the Extensive Scan and the extraction after it need of the wizard:
// the scan step's panel (progress, status, counter values, the Stop
// button), the file-system step's tree of found file systems, the
// file-system step's panel and the recovery step's result tree. The wizard
// implements it; tests record what it is told. Every call comes from the
// worker thread. The defaults do nothing.
#pragma once

#include <stdint.h>

// The scan step's counter values during an Extensive Scan.
enum ExtensiveCounter
{
    CounterBootSectors,
    CounterIndexEntries,
    CounterFiles,
    CounterFolders,
    CounterCurrentSector,
};

class CExtensiveScanShell
{
public:
    virtual ~CExtensiveScanShell() {}

    // Scan step.
    virtual void SetProgress(int position) { (void)position; }
    virtual void SetStatusText(const wchar_t* text) { (void)text; }
    virtual void SetCounter(ExtensiveCounter counter, uint64_t value) { (void)counter; (void)value; }
    virtual void ShowStopButton(int show) { (void)show; }

    // File-system step's tree. AddFileSystemItem appends a child of the
    // "File System" root (added first, once, by AddFileSystemRoot) and
    // returns its handle; ExpandFileSystemRoot expands the root.
    virtual void AddFileSystemRoot() {}
    virtual uint32_t AddFileSystemItem(const wchar_t* text) { (void)text; return 0; }
    virtual void ExpandFileSystemRoot() {}

    // File-system step's panel, during the extraction.
    virtual void SetExtractionProgress(int position) { (void)position; }
    virtual void SetExtractionStatusText(const wchar_t* text) { (void)text; }

    // Recovery step: disable and hide the file-system step's Stop button,
    // then build the result tree ("Root" at the top, the FAT folders from
    // parent cluster 0 or the NTFS folders from parent record 5 below it,
    // everything marked, "Root" expanded) and fill the result list, in its
    // report style, with the root's folders and files (FAT cluster 0, NTFS
    // record 5; NTFS files come from the Extensive Scan's file list, those
    // of the chosen file system, see IsInChosenNtfsVolume).
    virtual void BeginTreeBuild() {}
    virtual void BuildFatTree() {}
    virtual void BuildNtfsTree() {}
};
