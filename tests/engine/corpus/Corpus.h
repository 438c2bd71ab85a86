// The corrupt-image corpus: the mixed disk's images with bytes of their
// metadata overwritten, case by case from a table of seeds, and every scan
// run over each. Shared by the corpus test (under Wine) and the native
// sanitizer run; it uses the platform only through the Win32 calls the
// sanitizer build's shim provides, and no test framework.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace corpus {

// How a region's checksum is put right after an edit (when the case asks
// for it), so that the damage reaches the parsers behind the check.
enum ChecksumKind
{
    ChecksumNone,
    ChecksumVhdFooter,     // one's complement sum, field at 64, 512 bytes
    ChecksumVhdHeader,     // one's complement sum, field at 36, 1024 bytes
    ChecksumVhdxHeader,    // CRC-32C, field at 4, 4 KiB
    ChecksumVhdxRegions,   // CRC-32C, field at 4, 64 KiB
};

// A span of metadata in one of the images, and the sector range of the
// disk that the scans are run over when it is damaged.
struct Region
{
    int image;             // index into CCorpus's images
    std::string name;
    uint64_t offset;       // in the image file
    uint32_t length;
    int checksum;          // ChecksumKind
    uint32_t scanStart;    // disk sectors the scans cover
    uint32_t scanSectors;
    uint16_t fileSystem;   // 100/200 FAT, 300 NTFS, 0: take one by the seed
};

struct Edit
{
    uint64_t offset;
    std::vector<unsigned char> bytes;
};

// What one case did, for the test's checks and the report lines.
struct CaseResult
{
    uint32_t seed = 0;
    std::string region;
    std::string edits;          // "offset:hex ..." for the report
    int opened = 0;
    int partitions = 0;
    int quickScans = 0;
    unsigned foundVolumes = 0;
    unsigned traceHits = 0;
    unsigned messages = 0;
    DWORD elapsedMs = 0;
    DWORD boundMs = 0;
    std::string failure;        // empty when every check held
};

class CCorpus
{
public:
    // images: the mixed disk's fixed VHD (its file offsets are the disk's),
    // dynamic VHD and dynamic VHDX. workDir receives one working copy of
    // each; catalogue is the path of "Raw.dat" (all its types are chosen
    // for File Trace).
    CCorpus(const std::vector<std::wstring>& images, const std::wstring& workDir, const std::wstring& catalogue);
    ~CCorpus();

    // Copies the images and finds their metadata regions. False (with
    // error()) when an image cannot be read or does not look like the
    // mixed disk.
    bool Prepare();
    const std::string& error() const { return m_error; }
    const std::vector<Region>& regions() const { return m_regions; }

    // The edits of a seed: the region is regions()[seed % count]; the rest
    // comes from a generator seeded with the seed.
    std::vector<Edit> MakeEdits(uint32_t seed, size_t* region);

    // The image, region and edits of a seed as one line (offsets in the
    // image file, bytes in hexadecimal).
    std::string Describe(uint32_t seed);
    static std::string EditsText(const std::vector<Edit>& edits);

    // Applies the seed's edits to the working copy, runs partition search,
    // Quick Scan of every partition found, Extensive Scan with extraction and
    // File Trace, then puts the bytes back. A watchdog ends the process (exit
    // code 3, the seed on stderr) when the case runs past its time bound.
    CaseResult Run(uint32_t seed);

    // Multiplies every time bound (the sanitizer build is slower).
    void SetTimeScale(double scale) { m_timeScale = scale; }
    // Ceiling of the process's peak memory, checked after each case.
    void SetMemoryLimit(uint64_t bytes) { m_memoryLimit = bytes; }

private:
    bool FindDiskRegions();
    bool FindVhdRegions(int image);
    bool FindVhdxRegions(int image);
    bool ReadAt(int image, uint64_t offset, void* buffer, uint32_t size);
    bool WriteAt(int image, uint64_t offset, const void* buffer, uint32_t size);
    bool TransferAt(int image, uint64_t offset, void* buffer, uint32_t size, bool write);
    void AddRegion(int image, const char* name, uint64_t offset, uint32_t length, int checksum,
                   uint32_t scanStart, uint32_t scanSectors, uint16_t fs);
    void RunScans(const Region& region, uint32_t seed, CaseResult& r);

    std::vector<std::wstring> m_sources;
    std::vector<std::wstring> m_work;
    std::vector<uint64_t> m_sizes;
    std::wstring m_workDir;
    std::wstring m_catalogue;
    std::vector<Region> m_regions;
    std::string m_error;
    uint32_t m_diskSectors = 0;
    double m_timeScale = 1.0;
    uint64_t m_memoryLimit = 1024ull << 20;
    bool m_watchdogStarted = false;
};

// Peak and current memory of this process, in bytes.
uint64_t PeakMemory();

}  // namespace corpus
