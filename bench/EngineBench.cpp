// engine_bench: times the engine's passes over an image, headless, one pass
// per run so that each run's peak memory is its own.
//
//   engine_bench read IMAGE [SECTORS_PER_READ [START SECTORS]]
//   engine_bench quick IMAGE START SECTORS CODE
//   engine_bench extensive IMAGE START SECTORS CODE
//   engine_bench trace IMAGE START SECTORS CATALOGUE
//
// IMAGE is a .vhd or .vhdx path; START and SECTORS give the range in disk
// sectors, CODE the file system (100 FAT16, 200 FAT32, 300 NTFS). Each run
// prints one line of key=value pairs: the pass, seconds, bytes covered,
// what it found and the process's peak working set.
//
//   engine_bench list quick|extensive|trace IMAGE START SECTORS CODE|CATALOGUE
//                [--save FOLDER] [--size-mb N]
//
// prints what a scan found instead, one line per entry, tab-separated: the
// path in the result tree, "file" or "folder", "deleted" or "live", the
// size, the time a save gives the file (creation, access and write time
// alike, UTC; "-" for none), and for File Trace hits the start sector.
// With --save every file found is written below FOLDER at its tree path by
// the save's writers (File Trace hits as N megabytes, default 1).
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/ExtensiveScanShell.h"
#include "extensive/NtfsExtraction.h"
#include "extensive/SectorSearch.h"
#include "fat/FatLists.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "msg/MessageSink.h"
#include "save/SaveFile.h"
#include "save/SavePath.h"
#include "save/SaveTimes.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScan.h"
#include "scan/QuickScanShell.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/SignatureCatalogue.h"
#include "trace/SignatureSearch.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"
#include "save/SaveTraceHit.h"
#include "trace/TraceHitFile.h"

namespace {

using tesmir::test::Utf8;

double Now()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)frequency.QuadPart;
}

unsigned long long PeakBytes()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PeakWorkingSetSize;
}

int Report(const char* pass, double seconds, unsigned long long bytes, const std::string& found)
{
    printf("pass=%s seconds=%.3f bytes=%llu mbps=%.1f %s peak=%llu\n", pass, seconds, bytes,
           seconds > 0 ? bytes / seconds / 1048576.0 : 0.0, found.c_str(), PeakBytes());
    return 0;
}

// Answers every box at once and shows it on stderr.
int PrintMessage(const wchar_t* text, int, int)
{
    fprintf(stderr, "message: %s\n", Utf8(text).c_str());
    return 1;
}

// A wizard without windows: the trees are made by the result tree's walk,
// and kept as entries for the listing and the save.
enum EntryKind
{
    EntryFat,
    EntryNtfs,
    EntryTrace,
};

struct Entry
{
    std::wstring folder;   // "/"-separated path of the folder holding it
    std::wstring name;
    bool isFolder;
    bool deleted;
    unsigned long long size;
    int kind;
    uint32_t source;       // FAT: first cluster; NTFS: record sector; trace: start sector
    SaveTime time;
};

// The entries are kept only for a listing or a save; a timed pass counts
// them, so that its peak memory is the engine's and not this program's.
std::vector<Entry> g_entries;
bool g_keepEntries;
struct EntryTally
{
    unsigned files, folders, deleted;
} g_tally;

void AddEntry(const std::wstring& folder, const wchar_t* name, bool isFolder, bool deleted,
              unsigned long long size, int kind, uint32_t source, SaveTime time)
{
    (isFolder ? g_tally.folders : g_tally.files)++;
    g_tally.deleted += deleted;
    if (g_keepEntries)
        g_entries.push_back({folder, name ? name : L"", isFolder, deleted, size, kind, source, time});
}

// The time a save gives the entry, as UTC text; "-" when none.
std::string SaveTimeText(const SaveTime& time)
{
    FILETIME ft;
    SYSTEMTIME s;
    if (!SaveTimeToFileTime(time, &ft) || !FileTimeToSystemTime(&ft, &s))
        return "-";
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute,
             s.wSecond);
    return text;
}

void CollectFatTree()
{
    auto listFiles = [&](uint32_t key, const std::wstring& path) {
        for (FatFileRecord* f : FatChildrenOf(key).files)
            AddEntry(path, f->name, false, f->deleted != 0, f->size, EntryFat, f->firstCluster,
                     FatSaveTime(f->modifiedDate, f->modifiedTime));
    };
    listFiles(0, L"/");
    WalkFatFolderTree(0u, std::wstring(L"/"), [&](FatFolderRecord* f, const std::wstring& parent) {
        AddEntry(parent, f->name, true, f->deleted != 0, 0, EntryFat, f->cluster, FatSaveTime(f->modifiedDate, 0));
        std::wstring path = parent + f->name + L"/";
        listFiles(f->cluster, path);
        return path;
    });
}

template <class FilesOf>
void CollectNtfsTree(FilesOf filesOf)
{
    filesOf(5u, std::wstring(L"/"));
    WalkNtfsFolderTree(std::wstring(L"/"), [&](NtfsFolderRecord* f, const std::wstring& parent) {
        AddEntry(parent, f->name, true, f->deleted != 0, 0, EntryNtfs, 0, NtfsSaveTime(f->created));
        std::wstring path = parent + f->name + L"/";
        filesOf(f->recordNumber, path);
        return path;
    });
}

class CBenchQuickShell : public CQuickScanShell
{
public:
    void ResetCounters() override {}
    std::wstring LogicalDriveName(unsigned) override { return std::wstring(); }
    void BeginTreeBuild() override {}
    void BuildFatTree() override { CollectFatTree(); }
    void BuildNtfsTree() override
    {
        CollectNtfsTree([](uint32_t key, const std::wstring& path) {
            for (NtfsFileRecord* f : NtfsChildrenOf(key).files)
                AddEntry(path, f->name, false, f->deleted != 0, f->size, EntryNtfs, f->dataRecordSector,
                         NtfsSaveTime(f->created));
        });
    }
};

class CBenchExtensiveShell : public CExtensiveScanShell
{
public:
    uint32_t AddFileSystemItem(const wchar_t*) override { return ++items; }
    void BuildFatTree() override { CollectFatTree(); }
    void BuildNtfsTree() override
    {
        std::map<uint32_t, std::vector<NtfsScanFileRecord*>> files;
        for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
            if (IsInChosenNtfsVolume(f))
                files[f->parent].push_back(f);
        CollectNtfsTree([&](uint32_t key, const std::wstring& path) {
            for (NtfsScanFileRecord* f : files[key])
                AddEntry(path, f->name, false, f->deleted != 0, f->size, EntryNtfs, f->recordSector,
                         NtfsSaveTime(f->created));
        });
    }
    uint32_t items = 0;
};

struct Range
{
    uint32_t start, sectors;
    uint16_t code;
};

void Select(const Range& r)
{
    VolumeParams = VolumeParamsRecord();
    VolumeParams.selectionCode = r.code;
    VolumeParams.startSector = r.start;
    VolumeParams.sectorCount = r.sectors;
    VolumeParams.endSector = r.start + r.sectors - 1;
}

std::wstring Wide(const char* text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, NULL, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, text, -1, &w[0], n);
    return w;
}

bool LoadAllSignatures(const char* catalogue)
{
    std::vector<CatalogueRecord> records;
    if (!LoadCatalogue(Wide(catalogue).c_str(), records) || records.empty())
        return false;
    std::set<std::wstring> chosen;
    for (const CatalogueRecord& r : records)
        if (!r.extension.empty() && chosen.insert(r.extension).second)
            AppendCatalogueSignatures(records, r.extension.c_str());
    return true;
}

int ReadPass(uint64_t first, uint64_t sectors, uint32_t perRead)
{
    std::vector<unsigned char> buffer((size_t)perRead * SectorSize);
    double t0 = Now();
    unsigned long long failed = 0;
    for (uint64_t lba = first; lba < first + sectors; lba += perRead) {
        DWORD n = (DWORD)(first + sectors - lba < perRead ? first + sectors - lba : perRead);
        if (!ReadSectors(L"", (DWORD)lba, (DWORD)(lba >> 32), n, buffer.data()))
            ++failed;
    }
    double t = Now() - t0;
    char found[96];
    snprintf(found, sizeof found, "failed_reads=%llu sectors_per_read=%u", failed, perRead);
    return Report("read", t, sectors * SectorSize, found);
}

// "files=F folders=D deleted=X" of the entries collected.
std::string EntryCounts()
{
    char text[96];
    snprintf(text, sizeof text, "files=%u folders=%u deleted=%u", g_tally.files, g_tally.folders, g_tally.deleted);
    return text;
}

int QuickPass(const Range& r, bool list)
{
    g_ScanMode = ScanModeQuick;
    Select(r);
    CBenchQuickShell shell;
    double t0 = Now();
    BeginScanWorker();
    QuickScanProc(&shell);
    double t = Now() - t0;
    if (list)
        return 0;
    return Report("quick", t, (unsigned long long)r.sectors * SectorSize, EntryCounts());
}

int ExtensivePass(const Range& r, bool list)
{
    g_ScanMode = ScanModeExtensive;
    Select(r);
    CBenchExtensiveShell shell;
    // The sector search alone first (the part that reads every sector),
    // then the whole worker for what it finds.
    double t0 = Now();
    BeginScanWorker();
    uint64_t examined = r.code == FileSystemNtfs ? SearchNtfsStructures(shell) : SearchFatStructures(shell);
    double search = Now() - t0;
    unsigned candidates = g_BootSectorHits.count + g_DirSectorHits.count + g_NtfsScanFileList.count +
                          g_NtfsScanFolderList.count;
    FreeExtensiveScanLists();
    FreeEntryLists();
    Select(r);
    g_BootStepDone = g_DirStepDone = 0;
    t0 = Now();
    BeginScanWorker();
    ExtensiveScanProc(&shell);
    double whole = Now() - t0;
    unsigned volumes = g_FoundVolumeCount;
    double extract = 0;
    if (volumes) {
        // The range is one volume: the first file system found is it.
        if (SelectFoundVolumeParams(1)) {
            t0 = Now();
            BeginScanWorker();
            ExtractionProc(&shell);
            extract = Now() - t0;
        }
    }
    if (list)
        return 0;
    char found[160];
    snprintf(found, sizeof found, "examined=%llu candidates=%u volumes=%u worker_seconds=%.3f extraction_seconds=%.3f",
             (unsigned long long)examined, candidates, volumes, whole, extract);
    return Report("extensive_search", search, (unsigned long long)r.sectors * SectorSize,
                  std::string(found) + " " + EntryCounts());
}

int TracePass(const Range& r, bool list)
{
    g_ScanMode = ScanModeFileTrace;
    Select(r);
    double t0 = Now();
    BeginScanWorker();
    TraceSearchResult result;
    SearchSignatures(nullptr, &result);
    EndScanWorker();
    double t = Now() - t0;
    if (list) {
        for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
            AddEntry(L"/", h->name, false, false, (unsigned long long)g_TraceSizeMB << 20, EntryTrace,
                     h->startSector, NoSaveTime());
        return 0;
    }
    std::map<std::wstring, unsigned> byType;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
        ++byType[h->extension];
    std::string types;
    for (const auto& t : byType)
        types += (types.empty() ? "" : ",") + Utf8(t.first) + ":" + std::to_string(t.second);
    char found[96];
    snprintf(found, sizeof found, "hits=%u unreadable=%llu signatures=%u", result.hitCount,
             (unsigned long long)result.unreadableSectors, g_SignatureList.count);
    return Report("trace", t, (unsigned long long)r.sectors * SectorSize, std::string(found) + " types=" + types);
}

// Writes every listed file below folder at its path in the result tree,
// through the save's own writers (no filters, no questions). Returns 0 when
// every file was written whole, 1 otherwise.
int SaveEntries(const std::wstring& folder)
{
    const std::wstring destination = LongDestination(folder);
    if (destination.empty()) {
        fprintf(stderr, "cannot use the folder %s\n", Utf8(folder).c_str());
        return 1;
    }
    unsigned written = 0, failed = 0;
    CPathMaker maker;
    for (const Entry& e : g_entries) {
        if (e.isFolder)
            continue;
        std::wstring tree = e.folder;
        for (wchar_t& c : tree)
            if (c == L'/')
                c = L'\\';
        std::wstring target = destination;
        for (const std::wstring& part : SanitizeTreePath(tree))
            target = JoinPath(target, part);
        if (!maker.CreateDirectoryPath(target)) {
            ++failed;
            continue;
        }
        int ok;
        if (e.kind == EntryTrace) {
            std::wstring name = e.name;
            ok = SaveTraceHit(target.c_str(), 0, 0, e.source, name);
        } else {
            SaveRequest request;
            request.folder = target;
            request.name = SanitizePathComponent(e.name);
            request.size = e.size;
            request.source = e.source;
            request.deleted = e.deleted;
            request.time = e.time;
            ok = e.kind == EntryFat ? SaveFatFile(request) : SaveNtfsFile(request);
        }
        if (ok)
            ++written;
        else
            ++failed;
    }
    fprintf(stderr, "saved %u files, %u not whole\n", written, failed);
    return failed ? 1 : 0;
}

int Usage()
{
    fprintf(stderr,
            "usage: engine_bench read IMAGE [SECTORS_PER_READ [START SECTORS]]\n"
            "       engine_bench quick|extensive IMAGE START SECTORS CODE\n"
            "       engine_bench trace IMAGE START SECTORS CATALOGUE\n"
            "       engine_bench list quick|extensive|trace IMAGE START SECTORS CODE|CATALOGUE\n"
            "                         [--save FOLDER] [--size-mb N]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** wargv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf8(wargv[i]));
    bool list = !args.empty() && args[0] == "list";
    g_keepEntries = list;
    if (list)
        args.erase(args.begin());
    std::wstring saveFolder;
    g_TraceSizeMB = 1;
    for (size_t i = 0; list && i + 1 < args.size();) {
        if (args[i] == "--save") {
            saveFolder = Wide(args[i + 1].c_str());
        } else if (args[i] == "--size-mb") {
            g_TraceSizeMB = atoi(args[i + 1].c_str());
        } else {
            ++i;
            continue;
        }
        args.erase(args.begin() + i, args.begin() + i + 2);
    }
    if (args.size() < 2)
        return Usage();
    const std::string& pass = args[0];
    SetMessagePresenter(&PrintMessage);
    ResetRecoverySettings();

    CVirtualDisk disk;
    std::wstring path = Wide(args[1].c_str());
    disk.Create(ImageKindFromPath(path.c_str()));
    if (!disk.Open(path.c_str())) {
        fprintf(stderr, "cannot open %s\n", args[1].c_str());
        return 1;
    }
    g_ImageType = disk.GetKind() == ImageKindVhdx ? 1 : 0;
    g_SourceType = SourceVirtualDisk;
    SetSectorReaderDisk(&disk);

    int rc;
    if (pass == "read" && !list) {
        uint32_t perRead = args.size() > 2 ? (uint32_t)strtoul(args[2].c_str(), NULL, 10) : 2048;
        uint64_t first = args.size() > 4 ? strtoull(args[3].c_str(), NULL, 10) : 0;
        uint64_t sectors = args.size() > 4 ? strtoull(args[4].c_str(), NULL, 10) : disk.GetSectorCount();
        rc = ReadPass(first, sectors, perRead ? perRead : 2048);
    } else {
        if (args.size() < 5)
            return Usage();
        Range r = {(uint32_t)strtoul(args[2].c_str(), NULL, 10), (uint32_t)strtoul(args[3].c_str(), NULL, 10), 0};
        if (pass == "trace") {
            if (!LoadAllSignatures(args[4].c_str())) {
                fprintf(stderr, "cannot read the catalogue %s\n", args[4].c_str());
                return 1;
            }
            rc = TracePass(r, list);
        } else {
            r.code = (uint16_t)strtoul(args[4].c_str(), NULL, 10);
            if (pass == "quick")
                rc = QuickPass(r, list);
            else if (pass == "extensive")
                rc = ExtensivePass(r, list);
            else
                return Usage();
        }
    }
    if (list) {
        for (const Entry& e : g_entries) {
            printf("%s\t%s\t%s\t%llu\t%s\t", Utf8(e.folder + e.name).c_str(), e.isFolder ? "folder" : "file",
                   e.deleted ? "deleted" : "live", e.size, SaveTimeText(e.time).c_str());
            if (e.kind == EntryTrace)
                printf("%u\n", e.source);
            else
                printf("-\n");
        }
        if (!saveFolder.empty())
            rc = SaveEntries(saveFolder);
    }
    SetSectorReaderDisk(nullptr);
    return rc;
}
