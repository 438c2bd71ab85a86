// A recording stand-in for the wizard during Quick Scan tests, the result
// tree as a set of paths, and The Sleuth Kit's listings to compare with.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "scan/QuickScanShell.h"

// One entry of a listing: path from the volume root ("/"-separated, UTF-8)
// and whether it is deleted.
typedef std::map<std::string, bool> PathListing;

std::string Utf8(const std::wstring& text);

// Records what the worker tells the wizard; the trees are built with the
// same walk the result tree uses and kept as paths.
class CRecordingShell : public CQuickScanShell
{
public:
    void SetProgress(int position) override;
    void SetStatusText(const wchar_t* text) override { statuses.push_back(text); }
    void ResetCounters() override { ++counterResets; }
    void SetCounterText(Counter counter, const wchar_t* text) override { counters[counter] = text; }
    std::wstring LogicalDriveName(unsigned) override { return L""; }
    void BeginTreeBuild() override { ++treeBuilds; }
    void BuildFatTree() override;
    void BuildNtfsTree() override;

    std::vector<std::wstring> statuses;
    std::map<int, std::wstring> counters;
    int counterResets = 0;
    int treeBuilds = 0;
    int fatTrees = 0;
    int ntfsTrees = 0;
    int lowestProgress = 100, highestProgress = -1;
    PathListing tree;          // folders and files under "Root"
};

// Parses "fls -r -p" output: named streams are folded into their file,
// the made-up $OrphanFiles folder is left out.
PathListing ReadFlsListing(const wchar_t* fixture);

// Entries of a that are missing from b or differ in their deleted mark,
// one per line, for failure messages.
std::string ListingDifference(const PathListing& a, const PathListing& b, const char* ignorePrefix = nullptr);

// VolumeParams for an NTFS partition, read from its boot sector the plain
// way (the test's own reading, independent of the engine's parameter code).
bool SetNtfsParamsFromBoot(uint32_t start, uint32_t sectors);
