#include "ScanTestSupport.h"

#include <sstream>

#include "TestSupport.h"
#include "image/ByteOrder.h"
#include "io/SectorReader.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], n, NULL, NULL);
    return out;
}

void CRecordingShell::SetProgress(int position)
{
    lowestProgress = std::min(lowestProgress, position);
    highestProgress = std::max(highestProgress, position);
}

void CRecordingShell::BuildFatTree() { ++fatTrees; }

void CRecordingShell::BuildNtfsTree()
{
    ++ntfsTrees;
    tree.clear();
    // A handle is the folder's path; files are listed for every folder the
    // walk reaches, as the result list would show them.
    auto files = [&](uint32_t key, const std::string& path) {
        for (NtfsFileRecord* f : NtfsChildrenOf(key).files)
            tree[path + Utf8(f->name)] = f->deleted != 0;
    };
    files(5, "");
    WalkNtfsFolderTree(std::string(), [&](NtfsFolderRecord* f, const std::string& parent) {
        std::string path = parent + Utf8(f->name);
        tree[path] = f->deleted != 0;
        files(f->recordNumber, path + "/");
        return path + "/";
    });
}

PathListing ReadFlsListing(const wchar_t* fixture)
{
    PathListing out;
    std::istringstream in(tesmir::test::ReadWholeFile(tesmir::test::FixturePath(fixture)));
    std::string line;
    while (std::getline(in, line)) {
        size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string path = line.substr(tab + 1);
        if (path.compare(0, 12, "$OrphanFiles") == 0)
            continue;
        // "name:stream" is a stream of "name" (no name in the listing has a colon).
        size_t colon = path.find(':');
        if (colon != std::string::npos)
            path.resize(colon);
        bool deleted = line.find(" * ") != std::string::npos;
        auto it = out.find(path);
        if (it == out.end())
            out[path] = deleted;
        else
            it->second = it->second && deleted;
    }
    return out;
}

std::string ListingDifference(const PathListing& a, const PathListing& b, const char* ignorePrefix)
{
    std::string diff;
    for (const auto& e : a) {
        if (ignorePrefix && e.first.compare(0, strlen(ignorePrefix), ignorePrefix) == 0)
            continue;
        auto it = b.find(e.first);
        if (it == b.end())
            diff += "missing: " + e.first + "\n";
        else if (it->second != e.second)
            diff += std::string("deleted mark differs: ") + e.first + (e.second ? " (deleted)\n" : " (live)\n");
    }
    return diff;
}

bool SetNtfsParamsFromBoot(uint32_t start, uint32_t sectors)
{
    unsigned char boot[512];
    if (!ReadSectors(L"", start, 0, 1, boot) || memcmp(boot + 3, "NTFS    ", 8) != 0)
        return false;
    VolumeParamsRecord p = {};
    p.selectionCode = p.fileSystemType = FileSystemNtfs;
    p.startSector = start;
    p.sectorCount = sectors;
    p.endSector = start + sectors - 1;
    p.sectorsPerCluster = boot[0x0D];
    p.clusterBase = start;
    p.mftSector = (uint32_t)(le64(boot + 0x30) * p.sectorsPerCluster + start);
    p.mftMirrorSector = (uint32_t)(le64(boot + 0x38) * p.sectorsPerCluster + start);
    VolumeParams = p;
    return true;
}
