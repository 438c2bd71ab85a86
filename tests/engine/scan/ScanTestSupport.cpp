#include "ScanTestSupport.h"

#include <sstream>

#include "TestSupport.h"
#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScan.h"
#include "state/ScanControl.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"

void SelectVolume(uint16_t code, uint32_t start, uint32_t sectors)
{
    VolumeParams = VolumeParamsRecord();
    VolumeParams.selectionCode = code;
    VolumeParams.startSector = start;
    VolumeParams.sectorCount = sectors;
    VolumeParams.endSector = start + sectors - 1;
}

void CRecordingShell::SetProgress(int position)
{
    lowestProgress = std::min(lowestProgress, position);
    highestProgress = std::max(highestProgress, position);
}

bool CRecordingShell::HasStatus(const wchar_t* text) const
{
    for (const std::wstring& s : statuses)
        if (s == text)
            return true;
    return false;
}

void CRecordingShell::BuildFatTree()
{
    ++fatTrees;
    tree.clear();
    auto listFiles = [&](uint32_t key, const std::string& path) {
        for (FatFileRecord* f : FatChildrenOf(key).files)
            tree[path + Utf8(f->name)] = f->deleted != 0;
    };
    listFiles(0, "");
    WalkFatFolderTree(0u, std::string(), [&](FatFolderRecord* f, const std::string& parent) {
        std::string path = parent + Utf8(f->name);
        tree[path] = f->deleted != 0;
        listFiles(f->cluster, path + "/");
        return path + "/";
    });
}

PathListing FoldFatListing(const PathListing& listing, bool keepCase)
{
    PathListing out;
    for (const auto& e : listing) {
        int n = MultiByteToWideChar(CP_UTF8, 0, e.first.data(), (int)e.first.size(), NULL, 0);
        std::wstring w(n, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, e.first.data(), (int)e.first.size(), &w[0], n);
        std::wstring folded;
        size_t start = 0;
        while (start <= w.size()) {
            size_t end = w.find(L'/', start);
            if (end == std::wstring::npos)
                end = w.size();
            std::wstring part = w.substr(start, end - start);
            if (e.second && !part.empty())
                part.erase(0, 1);
            folded += part.substr(0, 195);
            if (end < w.size())
                folded += L'/';
            start = end + 1;
        }
        w = folded;
        if (!keepCase && !w.empty())
            CharUpperBuffW(&w[0], (DWORD)w.size());
        out[Utf8(w)] = e.second;
    }
    return out;
}

std::set<std::string> EmptyPlantedFiles(const wchar_t* manifest, int partition)
{
    std::set<std::string> out;
    std::istringstream in(tesmir::test::ReadWholeFile(tesmir::test::FixturePath(manifest)));
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        if (f.size() >= 6 && f[0] == std::to_string(partition) && f[2] == "0" && f[5] == "file")
            out.insert(f[1]);
    }
    return out;
}

namespace {

DWORD WINAPI WorkerThread(void* shell)
{
    return QuickScanProc(shell);
}

}  // namespace

bool RunQuickScanWorker(CQuickScanShell& shell, DWORD timeoutMs)
{
    BeginScanWorker();
    HANDLE thread = CreateThread(NULL, 0, &WorkerThread, &shell, 0, NULL);
    bool done = tesmir::test::PumpUntil([] { return g_ScanBusy == 0 && g_ScanStop == 1; }, timeoutMs);
    if (done)
        WaitForSingleObject(thread, timeoutMs);
    CloseHandle(thread);
    return done;
}

void CRecordingShell::BuildNtfsTree()
{
    ++ntfsTrees;
    ListNtfsTree(tree, [](uint32_t key) -> const std::vector<NtfsFileRecord*>& { return NtfsChildrenOf(key).files; });
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
        // Made up by The Sleuth Kit: orphan folder, FAT and MBR files, and
        // the FAT volume label shown as an entry.
        if (path.compare(0, 12, "$OrphanFiles") == 0 || path == "$FAT1" || path == "$FAT2" || path == "$MBR" ||
            path.find("(Volume Label Entry)") != std::string::npos)
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

PathListing ReadFlsFolders(const wchar_t* fixture)
{
    PathListing out;
    std::istringstream in(tesmir::test::ReadWholeFile(tesmir::test::FixturePath(fixture)));
    std::string line;
    while (std::getline(in, line)) {
        // "d/d * 123:\tpath": the type's second letter is the name's kind.
        const size_t tab = line.find('\t');
        if (line.size() < 3 || line.compare(1, 2, "/d") != 0 || tab == std::string::npos)
            continue;
        const std::string path = line.substr(tab + 1);
        if (path.compare(0, 12, "$OrphanFiles") == 0)
            continue;
        out[path] = line.find(" * ") != std::string::npos;
    }
    return out;
}

std::string ListingDifference(const PathListing& a, const PathListing& b, const char* ignorePrefix)
{
    std::string diff;
    int shown = 0;
    for (const auto& e : a) {
        if (shown >= 20) {
            diff += "...\n";
            break;
        }
        if (ignorePrefix && e.first.compare(0, strlen(ignorePrefix), ignorePrefix) == 0)
            continue;
        auto it = b.find(e.first);
        if (it == b.end()) {
            diff += "missing: " + e.first + "\n";
            ++shown;
        } else if (it->second != e.second) {
            diff += std::string("deleted mark differs: ") + e.first + (e.second ? " (deleted)\n" : " (live)\n");
            ++shown;
        }
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
