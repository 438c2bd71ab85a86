#include "Corpus.h"

#include <psapi.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <set>

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/ExtensiveScanShell.h"
#include "fat/FatLists.h"
#include "common/ByteOrder.h"
#include "image/Crc32c.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "msg/MessageSink.h"
#include "ntfs/NtfsLists.h"
#include "partition/DriveStepHost.h"
#include "partition/PartitionTable.h"
#include "scan/QuickScan.h"
#include "scan/QuickScanShell.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/FileTraceSearch.h"
#include "trace/SignatureCatalogue.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

namespace corpus {

namespace {

const uint64_t MiB = 1ull << 20;

// The case the watchdog guards: its seed, step, start and bound.
volatile LONG g_activeSeed = -1;
const char* volatile g_activeStep = "";
volatile DWORD g_caseStart = 0;
volatile DWORD g_caseBound = 0;
volatile LONG g_messageCount = 0;

DWORD WINAPI WatchdogThread(void*)
{
    for (;;) {
        Sleep(50);
        LONG seed = g_activeSeed;
        if (seed < 0)
            continue;
        DWORD elapsed = GetTickCount() - g_caseStart;
        if (elapsed > g_caseBound) {
            fprintf(stderr, "corpus: seed %ld ran past its time bound of %lu ms in step \"%s\"\n", (long)seed,
                    (unsigned long)g_caseBound, g_activeStep);
            fflush(stderr);
            ExitProcess(3);
        }
    }
}

// Answers every box at once. The engine ends the process after an
// allocation failure; report it as this case's failure first.
int AnswerMessage(const wchar_t* text, int, int)
{
    InterlockedIncrement(&g_messageCount);
    if (wcsstr(text, L"Out of memory")) {
        fprintf(stderr, "corpus: seed %ld ran out of memory in step \"%s\"\n", (long)g_activeSeed, g_activeStep);
        fflush(stderr);
        ExitProcess(4);
    }
    return 1;
}

// splitmix64: a small generator whose sequence is fixed by its seed.
class CRandom
{
public:
    explicit CRandom(uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return n ? (uint32_t)(Next() % n) : 0; }

private:
    uint64_t m_state;
};

void PutValue(std::vector<unsigned char>& out, uint64_t v, unsigned bytes, bool bigEndian)
{
    out.resize(bytes);
    for (unsigned i = 0; i < bytes; ++i)
        out[bigEndian ? bytes - 1 - i : i] = (unsigned char)(v >> (8 * i));
}

// The Quick Scan's and the Extensive Scan's wizard: no windows, but the
// trees are walked the way the result tree walks them.
size_t WalkFatTree()
{
    size_t visited = 0;
    WalkFatFolderTree(0u, 0, [&](FatFolderRecord*, int) {
        ++visited;
        return 0;
    });
    return visited;
}

size_t WalkNtfsTree()
{
    size_t visited = NtfsChildrenOf(5).files.size();
    WalkNtfsFolderTree(0, [&](NtfsFolderRecord* f, int) {
        visited += 1 + NtfsChildrenOf(f->recordNumber).files.size();
        return 0;
    });
    return visited;
}

class CQuietQuickShell : public CQuickScanShell
{
public:
    void ResetCounters() override {}
    std::wstring LogicalDriveName(unsigned) override { return std::wstring(); }
    void BeginTreeBuild() override {}
    void BuildFatTree() override { nodes += WalkFatTree(); }
    void BuildNtfsTree() override { nodes += WalkNtfsTree(); }
    size_t nodes = 0;
};

class CQuietExtensiveShell : public CExtensiveScanShell
{
public:
    uint32_t AddFileSystemItem(const wchar_t*) override { return ++items; }
    void BuildFatTree() override { nodes += WalkFatTree(); }
    void BuildNtfsTree() override { nodes += WalkNtfsTree(); }
    uint32_t items = 0;
    size_t nodes = 0;
};

class CSearchingDriveHost : public CDriveStepHost
{
public:
    void AskPartitionType() override { g_SearchPartitions = 1; }
};

bool Finished() { return g_ScanBusy == 0 && g_ScanStop == 1; }

void FreeAllLists()
{
    FreeEntryLists();
    FreeNtfsEntryLists();
    FreeExtensiveScanLists();
    FreeTraceHitList();
}

void SelectRange(uint16_t code, uint32_t start, uint32_t sectors, uint16_t index)
{
    VolumeParams = VolumeParamsRecord();
    VolumeParams.selectionCode = code;
    VolumeParams.startSector = start;
    VolumeParams.sectorCount = sectors;
    VolumeParams.endSector = sectors ? start + sectors - 1 : start;
    VolumeParams.partitionIndex = index;
}

uint16_t CodeOfType(uint8_t type)
{
    switch (type) {
    case 0x0B:
    case 0x0C:
        return FileSystemFat32;
    case 0x04:
    case 0x06:
    case 0x0E:
        return FileSystemFat16;
    case 0x07:
        return FileSystemNtfs;
    default:
        return 0;
    }
}

struct DiskPartition
{
    int number;
    uint32_t start, sectors;
    uint16_t code;
};

std::vector<DiskPartition> g_partitions;

}  // namespace

uint64_t PeakMemory()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)))
        return 0;
    return pmc.PeakWorkingSetSize;
}

CCorpus::CCorpus(const std::vector<std::wstring>& images, const std::wstring& workDir, const std::wstring& catalogue)
    : m_sources(images), m_workDir(workDir), m_catalogue(catalogue)
{
}

CCorpus::~CCorpus()
{
    for (const std::wstring& w : m_work)
        DeleteFileW(w.c_str());
    FreeSignatureList();
}

bool CCorpus::ReadAt(int image, uint64_t offset, void* buffer, uint32_t size)
{
    return TransferAt(image, offset, buffer, size, false);
}

bool CCorpus::WriteAt(int image, uint64_t offset, const void* buffer, uint32_t size)
{
    return TransferAt(image, offset, const_cast<void*>(buffer), size, true);
}

bool CCorpus::TransferAt(int image, uint64_t offset, void* buffer, uint32_t size, bool write)
{
    HANDLE h = CreateFileW(m_work[image].c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER at;
    at.QuadPart = (LONGLONG)offset;
    DWORD done = 0;
    bool ok = SetFilePointerEx(h, at, NULL, FILE_BEGIN) &&
              (write ? WriteFile(h, buffer, size, &done, NULL) : ReadFile(h, buffer, size, &done, NULL)) &&
              done == size;
    CloseHandle(h);
    return ok;
}

void CCorpus::AddRegion(int image, const char* name, uint64_t offset, uint32_t length, int checksum,
                        uint32_t scanStart, uint32_t scanSectors, uint16_t fs)
{
    Region r;
    r.image = image;
    r.name = name;
    r.offset = offset;
    r.length = length;
    r.checksum = checksum;
    r.scanStart = scanStart;
    r.scanSectors = scanSectors;
    r.fileSystem = fs;
    m_regions.push_back(r);
}

bool CCorpus::Prepare()
{
    if (m_sources.size() != 3) {
        m_error = "three images expected";
        return false;
    }
    CreateDirectoryW(m_workDir.c_str(), NULL);
    m_work.clear();
    m_sizes.clear();
    for (size_t i = 0; i < m_sources.size(); ++i) {
        const std::wstring& s = m_sources[i];
        std::wstring name = s.substr(s.find_last_of(L"\\/") + 1);
        std::wstring work = m_workDir + L"\\corpus-" + name;
        if (!CopyFileW(s.c_str(), work.c_str(), FALSE)) {
            m_error = "cannot copy an image into the work folder";
            return false;
        }
        m_work.push_back(work);
        WIN32_FILE_ATTRIBUTE_DATA a;
        if (!GetFileAttributesExW(work.c_str(), GetFileExInfoStandard, &a)) {
            m_error = "cannot stat a work image";
            return false;
        }
        m_sizes.push_back(((uint64_t)a.nFileSizeHigh << 32) | a.nFileSizeLow);
    }
    std::vector<CatalogueRecord> records;
    if (!LoadCatalogue(m_catalogue.c_str(), records) || records.empty()) {
        m_error = "cannot read the signature catalogue";
        return false;
    }
    FreeSignatureList();
    std::set<std::wstring> chosen;
    for (const CatalogueRecord& r : records)
        if (!r.extension.empty() && chosen.insert(r.extension).second)
            AppendCatalogueSignatures(records, r.extension.c_str());

    m_regions.clear();
    if (!FindDiskRegions() || !FindVhdRegions(1) || !FindVhdxRegions(2))
        return false;
    if (!m_watchdogStarted) {
        HANDLE watchdog = CreateThread(NULL, 0, &WatchdogThread, NULL, 0, NULL);
        m_watchdogStarted = watchdog != NULL;
        if (watchdog)
            CloseHandle(watchdog);
    }
    SetMessagePresenter(&AnswerMessage);
    return true;
}

// File-system metadata, from the fixed VHD whose file offsets are the disk's.
bool CCorpus::FindDiskRegions()
{
    m_diskSectors = (uint32_t)((m_sizes[0] - 512) / 512);
    unsigned char s[512];
    if (!ReadAt(0, 0, s, 512) || s[510] != 0x55 || s[511] != 0xAA) {
        m_error = "the fixed image has no MBR";
        return false;
    }
    AddRegion(0, "MBR table", 0x1BE, 66, ChecksumNone, 0, 0, 0);
    g_partitions.clear();
    for (int i = 0; i < 4; ++i) {
        const unsigned char* e = s + 0x1BE + 16 * i;
        uint8_t type = e[4];
        uint32_t start = le32(e + 8), count = le32(e + 12);
        if (type == 0x05 || type == 0x0F) {
            // The EBR chain: each EBR's first entry is a logical partition
            // (relative to the EBR), its second the next EBR (relative to the
            // extended partition).
            uint32_t ebr = start;
            for (int n = 0; n < 16 && ebr; ++n) {
                unsigned char b[512];
                if (!ReadAt(0, (uint64_t)ebr * 512, b, 512) || b[510] != 0x55)
                    break;
                AddRegion(0, "EBR table", (uint64_t)ebr * 512 + 0x1BE, 34, ChecksumNone, 0, 0, 0);
                if (CodeOfType(b[0x1BE + 4]))
                    g_partitions.push_back({5 + n, ebr + le32(b + 0x1BE + 8), le32(b + 0x1BE + 12),
                                            CodeOfType(b[0x1BE + 4])});
                uint32_t next = le32(b + 0x1CE + 8);
                ebr = next ? start + next : 0;
            }
        } else if (CodeOfType(type)) {
            g_partitions.push_back({i + 1, start, count, CodeOfType(type)});
        }
    }
    if (g_partitions.size() < 3) {
        m_error = "the fixed image is not the mixed disk";
        return false;
    }

    std::vector<unsigned char> chunk(MiB);
    for (const DiskPartition& p : g_partitions) {
        const uint64_t base = (uint64_t)p.start * 512;
        unsigned char b[512];
        if (!ReadAt(0, base, b, 512))
            return false;
        AddRegion(0, "boot sector", base, 512, ChecksumNone, p.start, p.sectors, p.code);
        if (p.code == FileSystemNtfs) {
            uint32_t spc = b[0x0D];
            uint64_t mft = p.start + le64(b + 0x30) * spc, mirror = p.start + le64(b + 0x38) * spc;
            AddRegion(0, "NTFS backup boot sector", (uint64_t)(p.start + le64(b + 0x28)) * 512, 512, ChecksumNone,
                      p.start, p.sectors, p.code);
            AddRegion(0, "MFT system records", mft * 512, 16 * 1024, ChecksumNone, p.start, p.sectors, p.code);
            AddRegion(0, "MFT file records", mft * 512 + 64 * 1024, 192 * 1024, ChecksumNone, p.start, p.sectors,
                      p.code);
            AddRegion(0, "MFT mirror", mirror * 512, 4096, ChecksumNone, p.start, p.sectors, p.code);
        } else {
            bool fat32 = p.code == FileSystemFat32;
            uint32_t spc = b[0x0D], reserved = le16(b + 0x0E), fats = b[0x10], rootEntries = le16(b + 0x11);
            uint32_t fatSize = fat32 ? le32(b + 0x24) : le16(b + 0x16);
            uint64_t fat1 = p.start + reserved, rootDir = fat1 + (uint64_t)fats * fatSize;
            uint64_t data = rootDir + (rootEntries * 32 + 511) / 512;
            AddRegion(0, "FAT head", fat1 * 512, 4096, ChecksumNone, p.start, p.sectors, p.code);
            AddRegion(0, "FAT chains", fat1 * 512 + 4096, 28 * 1024, ChecksumNone, p.start, p.sectors, p.code);
            if (fats > 1)
                AddRegion(0, "second FAT head", (fat1 + fatSize) * 512, 4096, ChecksumNone, p.start, p.sectors,
                          p.code);
            if (fat32) {
                AddRegion(0, "FAT32 FSInfo", base + 512, 512, ChecksumNone, p.start, p.sectors, p.code);
                AddRegion(0, "FAT32 backup boot sector", base + 6 * 512, 512, ChecksumNone, p.start, p.sectors,
                          p.code);
                uint64_t root = data + (uint64_t)(le32(b + 0x2C) - 2) * spc;
                AddRegion(0, "root directory", root * 512, spc * 512, ChecksumNone, p.start, p.sectors, p.code);
            } else {
                AddRegion(0, "root directory", rootDir * 512, std::min<uint32_t>(rootEntries * 32, 8192),
                          ChecksumNone, p.start, p.sectors, p.code);
            }
        }
        // Directory clusters ("." then "..") and NTFS index blocks, found by
        // their first bytes: a few spread over the partition.
        std::vector<uint64_t> found;
        const bool ntfs = p.code == FileSystemNtfs;
        for (uint64_t off = 0; off < (uint64_t)p.sectors * 512 && found.size() < 64; off += chunk.size()) {
            uint32_t n = (uint32_t)std::min<uint64_t>(chunk.size(), (uint64_t)p.sectors * 512 - off);
            if (!ReadAt(0, base + off, chunk.data(), n))
                break;
            for (uint32_t i = 0; i + 512 <= n && found.size() < 64; i += 512) {
                const unsigned char* q = &chunk[i];
                bool hit = ntfs ? memcmp(q, "INDX", 4) == 0
                                : memcmp(q, ".          ", 11) == 0 && memcmp(q + 32, "..         ", 11) == 0;
                if (hit)
                    found.push_back(base + off + i);
            }
        }
        for (size_t k = 0; k < found.size() && k < 48; k += 8)
            AddRegion(0, ntfs ? "index block" : "directory cluster", found[k], ntfs ? 4096 : 2048, ChecksumNone,
                      p.start, p.sectors, p.code);
    }
    return true;
}

bool CCorpus::FindVhdRegions(int image)
{
    unsigned char f[512], h[1024];
    const uint64_t size = m_sizes[image];
    if (!ReadAt(image, size - 512, f, 512) || memcmp(f, "conectix", 8) != 0) {
        m_error = "the dynamic VHD has no footer";
        return false;
    }
    uint64_t header = be64(f + 16);
    if (!ReadAt(image, header, h, 1024) || memcmp(h, "cxsparse", 8) != 0) {
        m_error = "the dynamic VHD has no dynamic header";
        return false;
    }
    uint64_t table = be64(h + 16);
    uint32_t entries = be32(h + 28);
    AddRegion(image, "VHD footer", size - 512, 512, ChecksumVhdFooter, 0, 0, 0);
    AddRegion(image, "VHD footer copy", 0, 512, ChecksumVhdFooter, 0, 0, 0);
    AddRegion(image, "VHD dynamic header", header, 1024, ChecksumVhdHeader, 0, 0, 0);
    AddRegion(image, "VHD block table", table, std::min<uint32_t>(entries * 4, 4096), ChecksumNone, 0, 0, 0);
    unsigned char bat[4];
    for (uint32_t i = 0; i < entries && i < 1024; ++i) {
        if (!ReadAt(image, table + 4 * i, bat, 4))
            break;
        if (be32(bat) != 0xFFFFFFFFu) {
            AddRegion(image, "VHD block bitmap", (uint64_t)be32(bat) * 512, 512, ChecksumNone, 0, 0, 0);
            break;
        }
    }
    return true;
}

bool CCorpus::FindVhdxRegions(int image)
{
    unsigned char id[8], rt[256];
    if (!ReadAt(image, 0, id, 8) || memcmp(id, "vhdxfile", 8) != 0 || !ReadAt(image, 192 * 1024, rt, 256) ||
        memcmp(rt, "regi", 4) != 0) {
        m_error = "the dynamic VHDX has no identifier or region table";
        return false;
    }
    AddRegion(image, "VHDX file identifier", 0, 512, ChecksumNone, 0, 0, 0);
    AddRegion(image, "VHDX header 1", 64 * 1024, 4096, ChecksumVhdxHeader, 0, 0, 0);
    AddRegion(image, "VHDX header 2", 128 * 1024, 4096, ChecksumVhdxHeader, 0, 0, 0);
    uint32_t count = std::min<uint32_t>(le32(rt + 8), 7);
    AddRegion(image, "VHDX region table 1", 192 * 1024, 16 + 32 * count, ChecksumVhdxRegions, 0, 0, 0);
    AddRegion(image, "VHDX region table 2", 256 * 1024, 16 + 32 * count, ChecksumVhdxRegions, 0, 0, 0);
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* e = rt + 16 + 32 * i;
        uint64_t offset = le64(e + 16);
        uint32_t length = le32(e + 24);
        unsigned char m[256];
        if (!ReadAt(image, offset, m, 256))
            continue;
        if (memcmp(m, "metadata", 8) == 0) {
            uint32_t items = std::min<uint32_t>(le16(m + 10), 7);
            AddRegion(image, "VHDX metadata table", offset, 32 + 32 * items, ChecksumNone, 0, 0, 0);
            uint32_t first = 0xFFFFFFFFu;
            for (uint32_t k = 0; k < items; ++k)
                first = std::min(first, le32(m + 32 + 32 * k + 16));
            if (first != 0xFFFFFFFFu)
                AddRegion(image, "VHDX metadata values", offset + first, 64, ChecksumNone, 0, 0, 0);
        } else {
            AddRegion(image, "VHDX block table", offset, std::min<uint32_t>(length, 4096), ChecksumNone, 0, 0, 0);
        }
    }
    return true;
}

std::vector<Edit> CCorpus::MakeEdits(uint32_t seed, size_t* regionIndex)
{
    const size_t n = m_regions.size();
    const Region& region = m_regions[seed % n];
    if (regionIndex)
        *regionIndex = seed % n;
    CRandom rnd(seed);
    const bool bigEndian = region.checksum == ChecksumVhdFooter || region.checksum == ChecksumVhdHeader ||
                           region.name.compare(0, 4, "VHD ") == 0;
    std::vector<Edit> edits;
    const int count = 1 + (int)rnd.Below(4);
    for (int i = 0; i < count; ++i) {
        Edit e;
        uint32_t pos = rnd.Below(region.length);
        switch (rnd.Below(6)) {
        case 0: {  // random bytes
            uint32_t len = 1 + rnd.Below(8);
            for (uint32_t k = 0; k < len; ++k)
                e.bytes.push_back((unsigned char)rnd.Next());
            break;
        }
        case 1: {  // 8-bit boundary
            static const uint8_t v[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
            e.bytes.push_back(v[rnd.Below(6)]);
            break;
        }
        case 2: {  // 16-bit boundary
            static const uint16_t v[] = {0, 1, 0x7FFF, 0x8000, 0xFFFE, 0xFFFF, 0x0200, 0x1000};
            PutValue(e.bytes, v[rnd.Below(8)], 2, bigEndian);
            pos &= ~1u;
            break;
        }
        case 3: {  // 32-bit boundary
            static const uint32_t v[] = {0, 1, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu, 0x10000, 0x00100000};
            PutValue(e.bytes, v[rnd.Below(8)], 4, bigEndian);
            pos &= ~3u;
            break;
        }
        case 4: {  // 64-bit boundary
            static const uint64_t v[] = {0, 1, 0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, ~0ull, 0xFFFFFFFFull};
            PutValue(e.bytes, v[rnd.Below(6)], 8, bigEndian);
            pos &= ~7u;
            break;
        }
        default:  // a span of zeros or ones
            e.bytes.assign(16 + rnd.Below(49), rnd.Below(2) ? 0xFF : 0x00);
            break;
        }
        if (pos >= region.length)
            pos = 0;
        if (e.bytes.size() > region.length - pos)
            e.bytes.resize(region.length - pos);
        e.offset = region.offset + pos;
        edits.push_back(e);
    }

    // Every other pass over the regions puts the checksum right, so the
    // damage gets past the check to the fields behind it.
    if (region.checksum != ChecksumNone && (seed / n) % 2 == 0) {
        uint32_t span = 512, field = 64;
        switch (region.checksum) {
        case ChecksumVhdHeader: span = 1024; field = 36; break;
        case ChecksumVhdxHeader: span = 4096; field = 4; break;
        case ChecksumVhdxRegions: span = 65536; field = 4; break;
        default: break;
        }
        std::vector<unsigned char> block(span);
        if (ReadAt(region.image, region.offset, block.data(), span)) {
            for (const Edit& e : edits)
                for (size_t k = 0; k < e.bytes.size(); ++k)
                    if (e.offset + k >= region.offset && e.offset + k - region.offset < span)
                        block[e.offset + k - region.offset] = e.bytes[k];
            Edit fix;
            fix.offset = region.offset + field;
            if (region.checksum == ChecksumVhdFooter || region.checksum == ChecksumVhdHeader) {
                uint32_t sum = 0;
                for (uint32_t k = 0; k < span; ++k)
                    if (k < field || k >= field + 4)
                        sum += block[k];
                PutValue(fix.bytes, ~sum, 4, true);
            } else {
                PutValue(fix.bytes, Crc32cWithZeroedField(block.data(), span, field), 4, false);
            }
            edits.push_back(fix);
        }
    }
    return edits;
}

std::string CCorpus::EditsText(const std::vector<Edit>& edits)
{
    std::string out;
    char text[32];
    for (const Edit& e : edits) {
        snprintf(text, sizeof text, "%s%llu:", out.empty() ? "" : " ", (unsigned long long)e.offset);
        out += text;
        for (unsigned char b : e.bytes) {
            snprintf(text, sizeof text, "%02x", b);
            out += text;
        }
    }
    return out;
}

std::string CCorpus::Describe(uint32_t seed)
{
    size_t index = 0;
    std::vector<Edit> edits = MakeEdits(seed, &index);
    const Region& r = m_regions[index];
    std::string image = std::string(m_work[r.image].begin(), m_work[r.image].end());
    return image.substr(image.find_last_of("\\/") + 1) + " " + r.name + " " + EditsText(edits);
}

CaseResult CCorpus::Run(uint32_t seed)
{
    CaseResult r;
    r.seed = seed;
    size_t index = 0;
    std::vector<Edit> edits = MakeEdits(seed, &index);
    const Region& region = m_regions[index];
    r.region = region.name;
    r.edits = EditsText(edits);
    char text[64];

    // Keep the bytes under each edit, write the edits.
    std::vector<Edit> saved;
    for (const Edit& e : edits) {
        Edit old;
        old.offset = e.offset;
        old.bytes.resize(e.bytes.size());
        if (!ReadAt(region.image, e.offset, old.bytes.data(), (uint32_t)old.bytes.size()) ||
            !WriteAt(region.image, e.offset, e.bytes.data(), (uint32_t)e.bytes.size())) {
            r.failure = "cannot edit the work image";
            return r;
        }
        saved.push_back(old);
    }

    // Bound: a fixed part for opening and the partition search, and a part
    // proportional to the image's size for the whole-range passes.
    const uint64_t diskMiB = (uint64_t)m_diskSectors * 512 / MiB + 1;
    r.boundMs = (DWORD)(m_timeScale * (5000 + 20 * diskMiB));
    g_messageCount = 0;
    g_activeStep = "open";
    g_caseBound = r.boundMs;
    g_caseStart = GetTickCount();
    InterlockedExchange(&g_activeSeed, (LONG)seed);

    RunScans(region, seed, r);

    InterlockedExchange(&g_activeSeed, -1);
    r.elapsedMs = GetTickCount() - g_caseStart;
    r.messages = (unsigned)g_messageCount;
    for (size_t i = saved.size(); i-- > 0;)
        if (!WriteAt(region.image, saved[i].offset, saved[i].bytes.data(), (uint32_t)saved[i].bytes.size()))
            r.failure = "cannot restore the work image";
    uint64_t peak = PeakMemory();
    if (peak > m_memoryLimit && r.failure.empty()) {
        snprintf(text, sizeof text, "peak memory %llu MiB over the limit", (unsigned long long)(peak / MiB));
        r.failure = text;
    }
    return r;
}

void CCorpus::RunScans(const Region& region, uint32_t seed, CaseResult& r)
{
    CVirtualDisk disk;
    const std::wstring& path = m_work[region.image];
    int kind = ImageKindFromPath(path.c_str());
    disk.Create(kind);
    g_ImageType = kind == ImageKindVhdx ? 1 : 0;
    g_SourceType = SourceVirtualDisk;
    g_DiskIndex = 0;
    r.opened = disk.Open(path.c_str());
    if (!r.opened)
        return;
    SetSectorReaderDisk(&disk);
    ResetRecoverySettings();

    // Partition table walk and search, as the drive step runs them.
    g_activeStep = "partition search";
    CSearchingDriveHost driveHost;
    CDriveStepHost* previousHost = SetDriveStepHost(&driveHost);
    BeginScanWorker();
    ReadPartitionTable();
    SearchPartitions();
    EndScanWorker();
    SetDriveStepHost(previousHost);
    r.partitions = g_PartitionCount;

    // Quick Scan of every partition found (each start once).
    std::set<uint32_t> scanned;
    g_ScanMode = ScanModeQuick;
    for (int i = 0; i < g_PartitionCount && i < MaxPartitions; ++i) {
        const PartitionEntry p = g_PartitionTable[i];
        if (!scanned.insert(p.startSector).second || scanned.size() > 8)
            continue;
        g_activeStep = "quick scan";
        FreeAllLists();
        SelectRange(p.fileSystemCode, p.startSector, p.sectorCount, (uint16_t)i);
        CQuietQuickShell shell;
        BeginScanWorker();
        QuickScanProc(&shell);
        ++r.quickScans;
        if (!Finished() && r.failure.empty())
            r.failure = "Quick Scan did not leave the finished state";
    }
    FreeAllLists();

    // The range the other scans cover: the damaged partition; for damage
    // outside the file systems, on odd seeds a partition the (damaged) table
    // gives, as the user would pick it, else one of the intact disk's.
    uint32_t start = region.scanStart, sectors = region.scanSectors;
    uint16_t code = region.fileSystem;
    if (sectors == 0 && (seed & 1) && r.partitions > 0) {
        const PartitionEntry& p = g_PartitionTable[(seed >> 1) % r.partitions];
        start = p.startSector;
        sectors = p.sectorCount;
        code = p.fileSystemCode;
    } else if (sectors == 0) {
        const DiskPartition& p = g_partitions[seed % g_partitions.size()];
        start = p.start;
        sectors = p.sectors;
        code = p.code;
    }

    g_activeStep = "extensive scan";
    g_ScanMode = ScanModeExtensive;
    g_BootStepDone = g_DirStepDone = 0;
    SelectRange(code == FileSystemNtfs ? FileSystemNtfs : FileSystemFat32, start, sectors, 0);
    CQuietExtensiveShell shell;
    BeginScanWorker();
    ExtensiveScanProc(&shell);
    if (!Finished() && r.failure.empty())
        r.failure = "Extensive Scan did not leave the finished state";
    r.foundVolumes = g_FoundVolumeCount;
    g_activeStep = "extraction";
    for (unsigned v = 1; v <= r.foundVolumes && v <= 2; ++v) {
        FreeEntryLists();
        if (!SelectFoundVolumeParams(v))
            continue;
        BeginScanWorker();
        ExtractionProc(&shell);
        if (!Finished() && r.failure.empty())
            r.failure = "the extraction did not leave the finished state";
    }
    FreeAllLists();

    g_activeStep = "file trace";
    g_ScanMode = ScanModeFileTrace;
    SelectRange(code, start, sectors, 0);
    BeginScanWorker();
    FileTraceSearch();
    EndScanWorker();
    r.traceHits = g_TraceHitList.count;
    FreeAllLists();

    SetSectorReaderDisk(nullptr);
    disk.Close();
}

}  // namespace corpus
