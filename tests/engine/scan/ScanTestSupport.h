// A recording stand-in for the wizard during Quick Scan tests, the result
// tree as a set of paths, and The Sleuth Kit's listings to compare with.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "fat/ScanPanelHost.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanShell.h"
#include "scan/QuickScanTree.h"

// One entry of a listing: path from the volume root ("/"-separated, UTF-8)
// and whether it is deleted.
typedef std::map<std::string, bool> PathListing;

using tesmir::test::Utf8;

// Selects a file system of the open disk (kind, first sector and size) as the
// device tree does before a scan.
void SelectVolume(uint16_t code, uint32_t start, uint32_t sectors);

// The NTFS tree as the result tree shows it, as paths: every folder the walk
// reaches and, in each, the files filesOf(its record number) gives; the
// root's are those of record 5.
template <class FilesOf>
void ListNtfsTree(PathListing& tree, FilesOf filesOf)
{
    tree.clear();
    auto listFiles = [&](uint32_t key, const std::string& path) {
        for (const auto* f : filesOf(key))
            tree[path + Utf8(f->name)] = f->deleted != 0;
    };
    listFiles(5, "");
    WalkNtfsFolderTree(std::string(), [&](NtfsFolderRecord* f, const std::string& parent) {
        std::string path = parent + Utf8(f->name);
        tree[path] = f->deleted != 0;
        listFiles(f->recordNumber, path + "/");
        return path + "/";
    });
}

// Records what the worker tells the wizard and its scan panel (installed
// as the panel host for its lifetime); the trees are built with the same
// walk the result tree uses and kept as paths.
class CRecordingShell : public CQuickScanShell, public CScanPanelHost
{
public:
    CRecordingShell() { m_previous = SetScanPanelHost(this); }
    ~CRecordingShell() { SetScanPanelHost(m_previous); }

    void SetProgress(int position) override;
    void SetStatusText(const wchar_t* text) override { statuses.push_back(text); }
    void ResetCounters() override { ++counterResets; }
    std::wstring LogicalDriveName(unsigned) override { return driveName; }
    void BeginTreeBuild() override { ++treeBuilds; }
    void BuildFatTree() override;
    void BuildNtfsTree() override;

    bool HasStatus(const wchar_t* text) const;

    std::wstring driveName;
    std::vector<std::wstring> statuses;
    int counterResets = 0;
    int treeBuilds = 0;
    int fatTrees = 0;
    int ntfsTrees = 0;
    int lowestProgress = 100, highestProgress = -1;
    PathListing tree;          // folders and files under "Root"

private:
    CScanPanelHost* m_previous;
};

// Parses "fls -r -p" output: named streams are folded into their file,
// the made-up $OrphanFiles folder is left out.
PathListing ReadFlsListing(const wchar_t* fixture);

// The folders of an "fls -r -p" listing (its "d" entries), deleted ones
// marked; the made-up $OrphanFiles folder is left out.
PathListing ReadFlsFolders(const wchar_t* fixture);

// Entries of a that are missing from b or differ in their deleted mark,
// one per line, for failure messages.
std::string ListingDifference(const PathListing& a, const PathListing& b, const char* ignorePrefix = nullptr);

// The same listing with every path in upper case, names cut at 195
// characters (where fls cuts long names), and for deleted items the first
// character of every path part dropped: FAT marks a deleted entry in its
// first byte, which The Sleuth Kit shows as "_".
// keepCase leaves the case alone, for volumes whose short names carry
// their case in the entry's flags, as The Sleuth Kit shows them.
PathListing FoldFatListing(const PathListing& listing, bool keepCase = false);

// The planted files of a partition that are empty, from the disk's manifest
// (NAME.files.tsv), as paths.
std::set<std::string> EmptyPlantedFiles(const wchar_t* manifest, int partition);

// Runs QuickScanProc on a thread, as the scan step does, and waits for the
// finished state. False when it did not finish in time.
bool RunQuickScanWorker(CQuickScanShell& shell, DWORD timeoutMs);

// VolumeParams for an NTFS partition, read from its boot sector the plain
// way (the test's own reading, independent of the engine's parameter code).
bool SetNtfsParamsFromBoot(uint32_t start, uint32_t sectors);
