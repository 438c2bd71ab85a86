// A recording stand-in for the wizard during Extensive Scan tests, the
// workers run on a thread as the wizard runs them, synthetic volumes written
// to a temporary file and read as a logical volume.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "../scan/ScanTestSupport.h"
#include "extensive/ExtensiveScanShell.h"

class CRecordingExtensiveShell : public CExtensiveScanShell
{
public:
    void SetProgress(int position) override;
    void SetStatusText(const wchar_t* text) override { statuses.push_back(text); }
    void SetCounter(ExtensiveCounter counter, uint64_t value) override { counters[counter] = value; }
    void ShowStopButton(int show) override { stopShown.push_back(show); }
    void AddFileSystemRoot() override { ++roots; }
    uint32_t AddFileSystemItem(const wchar_t* text) override
    {
        items.push_back(text);
        return (uint32_t)items.size();
    }
    void SetExtractionProgress(int position) override { SetProgress(position); }
    void SetExtractionStatusText(const wchar_t* text) override { statuses.push_back(text); }
    void BeginTreeBuild() override { ++treeBuilds; }
    void BuildFatTree() override;
    void BuildNtfsTree() override;

    bool HasStatus(const wchar_t* text) const;

    std::vector<std::wstring> statuses;
    std::map<ExtensiveCounter, uint64_t> counters;
    std::vector<int> stopShown;
    std::vector<std::wstring> items;   // file-system tree items in order
    int roots = 0;
    int treeBuilds = 0;
    int lowestProgress = 100, highestProgress = -1;
    PathListing tree;                  // folders and files under "Root"
};

// Frees every list, sets the range and selection code and runs the
// Extensive Scan worker on a thread to its end. False on a time-out.
bool RunExtensiveScan(CExtensiveScanShell& shell, uint16_t code, uint32_t start, uint32_t count,
                      DWORD timeoutMs = 600000);

// Chooses the n-th found file system and runs the extraction worker.
bool RunExtraction(CExtensiveScanShell& shell, unsigned number, DWORD timeoutMs = 600000);

// The number (from 1) of the found file system whose item text is given; 0
// when none.
unsigned FoundVolumeNumber(const CRecordingExtensiveShell& shell, const std::wstring& item);

// A temporary file of sectors read as the selected logical volume
// (g_SourceType 2) while the object lives. Sectors not written are zero.
class CTempVolume
{
public:
    explicit CTempVolume(uint64_t sectors);
    ~CTempVolume();
    void Write(uint64_t lba, const void* data, size_t bytes);
    unsigned char* Sector(uint64_t lba);  // staged image, written by Open
    void Open();                          // writes the staged image, opens it

private:
    std::wstring m_path;
    std::vector<unsigned char> m_image;
};

// On-disk structures for synthetic volumes, as a volume holds them (update
// sequence applied, so readers must undo it).
// A 1024-byte "FILE" record with one Win32 $FILE_NAME.
std::vector<unsigned char> MakeFileRecord(const wchar_t* name, uint32_t parent, unsigned flags);
// A 512-byte "INDX" block whose first entry's key has the given parent.
std::vector<unsigned char> MakeIndexBlock(uint32_t owner, uint32_t vcn);
// A FAT directory's first sector: "." (cluster) and ".." (parent) entries.
void MakeDirSector(unsigned char* sector, uint32_t cluster, uint32_t parent);
// A short directory entry at entry index i of a sector.
void MakeShortEntry(unsigned char* sector, int i, const char name11[11], uint8_t attributes, uint32_t cluster,
                    uint32_t size);
// A FAT boot sector: sectors per cluster, reserved sectors, sectors per FAT
// (FAT32 when fat32, else FAT16 with 512 root entries) and total sectors.
void MakeFatBootSector(unsigned char* sector, bool fat32, uint8_t sectorsPerCluster, uint16_t reserved,
                       uint32_t fatSize, uint32_t totalSectors);

// SHA-256 of bytes as lower-case hex.
std::string Sha256Hex(const std::string& bytes);

// Live planted files of a partition that have data, with their hash, from the disk's
// manifest: path (as fls -p gives it) -> sha256.
std::map<std::string, std::string> PlantedHashes(const wchar_t* manifest, int partition);

// Saves one file with the save's writer (FAT: first cluster; NTFS: record
// sector) into the temporary folder and returns the hash of what was
// written; empty when the writer did not write the whole file.
std::string SavedHash(bool ntfs, uint32_t source, uint64_t size);

// The live planted FAT files of a partition, saved through the layout the
// extraction found (its FATs included), are the planted bytes; names are
// matched without case.
void ExpectFatContents(const wchar_t* manifest, int partition);
