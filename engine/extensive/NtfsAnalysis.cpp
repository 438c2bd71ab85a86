#include "extensive/NtfsAnalysis.h"

#include <string.h>
#include <wchar.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveProgress.h"
#include "extensive/ExtensiveScanShell.h"
#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "io/SourceSectors.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsIndex.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

namespace {

const uint32_t DirectoryFlag = 0x10000000;

uint64_t FileTimeValue(FILETIME t)
{
    return ((uint64_t)t.dwHighDateTime << 32) | t.dwLowDateTime;
}

int ReadOne(uint64_t lba, unsigned char* sector)
{
    if (lba > 0xFFFFFFFFu)
        return 0;
    return ReadSourceSectors(lba, 1, sector);
}

// The VCN-0 index block of each owner directory, first listed first.
std::unordered_map<uint32_t, IndexBlockHit*> FirstBlocksByOwner()
{
    std::unordered_map<uint32_t, IndexBlockHit*> map;
    for (IndexBlockHit* h = g_IndexBlockList.head; h; h = h->next)
        if (h->vcn == 0 && h->marker == 0xFFFF)
            map.emplace(h->owner, h);
    return map;
}

IndexBlockHit* FirstBlockOf(const std::unordered_map<uint32_t, IndexBlockHit*>& map, uint32_t owner)
{
    auto it = map.find(owner);
    return it == map.end() || it->second->sector == 0 ? nullptr : it->second;
}

// Adds the tree item and FoundVolume of an NTFS file system at base.
void AddNtfsVolume(CExtensiveScanShell& shell, const uint32_t params[13])
{
    std::wstring text = FileSystemItemText(L"NTFS @", params[5]);
    uint32_t item = shell.AddFileSystemItem(text.c_str());
    shell.ExpandFileSystemRoot();
    AddFoundVolume(FileSystemNtfs, params, item);
}

// Step 1/2 for one index block in memory: directory entries name their
// record number; a folder record with the same name, parent and creation
// time that has none yet takes it.
void NumberFoldersFromBlock(const unsigned char* block, size_t size,
                            std::unordered_multimap<uint64_t, NtfsScanFolderRecord*>& byCreation)
{
    if (size < 0x28)
        return;
    uint64_t pos = 0x18 + (uint64_t)le32(block + 0x18);
    while (pos < size && size - pos >= 0x10) {
        const unsigned char* e = block + pos;
        uint32_t length = le16(e + 8);
        uint32_t keyLength = le16(e + 0x0A);
        if (length < 0x10 || length > size - pos || (e[0x0C] & 0x02))
            break;  // malformed, or the last entry (no key)
        if (keyLength >= 0x42 && keyLength <= length - 0x10) {
            const unsigned char* key = e + 0x10;
            unsigned nameLength = key[0x40];
            if (nameLength == 0 || 0x42u + 2u * nameLength > keyLength)
                break;
            if (le32(key + 0x38) & DirectoryFlag) {
                wchar_t name[256];
                for (unsigned i = 0; i < nameLength; ++i)
                    name[i] = (wchar_t)le16(key + 0x42 + 2 * i);
                name[nameLength] = 0;
                uint32_t parent = le32(key);
                uint64_t created = le64(key + 8);
                auto range = byCreation.equal_range(created);
                for (auto it = range.first; it != range.second; ++it) {
                    NtfsScanFolderRecord* f = it->second;
                    if (f->ownNumber == 0 && f->parent == parent && wcscmp(f->name, name) == 0) {
                        f->ownNumber = le32(e);
                        break;
                    }
                }
            }
        }
        pos += length;
    }
}

}  // namespace

uint32_t IndexBlockSectors(const unsigned char* boot, uint32_t sectorsPerCluster)
{
    int8_t v = (int8_t)boot[0x44];
    if (v > 0)
        return sectorsPerCluster * (uint32_t)v;
    if (v < 0 && v >= -31) {
        uint32_t bytes = 1u << -v;
        return bytes < SectorSize ? 1 : bytes / SectorSize;
    }
    return 8;
}

void AssignMftNumbers(CExtensiveScanShell& shell)
{
    shell.SetProgress(0);
    shell.SetStatusText(L"Assigning MFT numbers ( Step 1/2 ) - ");
    std::unordered_multimap<uint64_t, NtfsScanFolderRecord*> byCreation;
    for (NtfsScanFolderRecord* f = g_NtfsScanFolderList.head; f; f = f->next)
        if (f->ownNumber == 0)
            byCreation.emplace(FileTimeValue(f->created), f);

    std::vector<unsigned char> block;
    uint32_t k = 0;
    for (IndexBlockHit* h = g_IndexBlockList.head; h; h = h->next) {
        ++k;
        std::wstring text = L"Assigning MFT numbers ( Step 1/2 ) - " + std::to_wstring(k) + L" \\ " +
                            std::to_wstring(g_IndexBlockCount);
        shell.SetStatusText(text.c_str());
        shell.SetProgress(ClampedPercent(k, g_IndexBlockCount));
        if (h->sectors == 0)
            continue;
        block.assign((size_t)h->sectors * SectorSize, 0);
        if (!ReadSourceSectors(h->sector, h->sectors, block.data()) || memcmp(block.data(), "INDX", 4) != 0)
            continue;
        ApplyUpdateSequence(block.data(), block.size());
        NumberFoldersFromBlock(block.data(), block.size(), byCreation);
    }

    shell.SetStatusText(L"Assigning MFT numbers ( Step 2/2 )...");
    uint32_t running = 1;
    bool havePrevious = false;
    uint32_t previousSector = 0;
    k = 0;
    for (NtfsScanFolderRecord* f = g_NtfsScanFolderList.head; f; f = f->next) {
        shell.SetProgress(ClampedPercent(k++, g_ExtFolderCount));
        if (f->ownNumber == 0) {
            uint32_t distance = f->recordSector - previousSector;
            if (!havePrevious || f->recordSector < previousSector || (distance & 1))
                running += 1;
            else
                running += distance / 2;
            f->ownNumber = running;
        }
        running = f->ownNumber;
        previousSector = f->recordSector;
        havePrevious = true;
    }
}

void DeleteUnusedIndexEntries(CExtensiveScanShell& shell)
{
    shell.SetStatusText(L"Deleting unused index entries...");
    shell.SetProgress(0);
    uint32_t atStart = g_IndexBlockCount, visited = 0;
    IndexBlockHit* previous = nullptr;
    IndexBlockHit* h = g_IndexBlockList.head;
    while (h) {
        IndexBlockHit* next = h->next;
        if (h->vcn != 0) {
            EngineListUnlink(g_IndexBlockList, previous, h);  // its bytes go with the list's reset
            --g_IndexBlockCount;
        } else {
            previous = h;
        }
        shell.SetProgress(ClampedPercent(++visited, atStart));
        h = next;
    }
}

int ClassifyFoldersInRange(CExtensiveScanShell& shell, uint32_t spc, uint32_t start, uint32_t end, int step)
{
    int assigned = 0;
    unsigned char sector[SectorSize];
    uint16_t number = (uint16_t)(g_FoundVolumeCount + 1);
    for (NtfsScanFolderRecord* f = g_NtfsScanFolderList.head; f && !ScanStopRequested(); f = f->next) {
        if (f->recordSector > end)
            break;
        if (f->recordSector <= start || f->volume != VolumeUnassigned || f->indexCluster == 0)
            continue;
        if (!ReadOne((uint64_t)start + (uint64_t)spc * f->indexCluster, sector) || memcmp(sector, "INDX", 4) != 0)
            continue;
        f->volume = number;
        assigned = 1;
        ++g_ClassifiedCount;
        std::wstring text = std::wstring(step == 1 ? L"Analyzing Classification ( Step 1/2 ) - "
                                                   : L"Analyzing Classification ( Step 2/2 ) - ") +
                            std::to_wstring(g_ClassifiedCount) + L" \\ " + std::to_wstring(g_ExtFolderCount);
        shell.SetStatusText(text.c_str());
        shell.SetProgress(ClampedPercent(g_ClassifiedCount, g_ExtFolderCount));
    }
    return assigned;
}

void ClassifyNtfsFromBootSectors(CExtensiveScanShell& shell)
{
    shell.AddFileSystemRoot();
    unsigned char boot[SectorSize];
    for (BootSectorHit* hit = g_BootSectorHits.head; hit; hit = hit->next) {
        if (!ReadOne(hit->sector, boot))
            continue;
        uint32_t s = boot[0x0D];
        uint64_t total = le32(boot + 0x28);
        if (!IsValidSectorsPerCluster(s) || total == 0 || le32(boot + 0x44) == 0)
            continue;
        uint64_t h = hit->sector;
        uint64_t end = h + total;
        uint64_t mft = h + (uint64_t)s * le32(boot + 0x30);
        uint64_t mirror = h + (uint64_t)s * le32(boot + 0x38);
        if (end > 0xFFFFFFFFu)
            continue;
        if (!ClassifyFoldersInRange(shell, s, (uint32_t)h, (uint32_t)end, 1))
            continue;
        uint32_t params[13] = {};
        params[1] = s;
        params[5] = (uint32_t)h;
        params[8] = mft > 0xFFFFFFFFu ? 0 : (uint32_t)mft;
        params[9] = mirror > 0xFFFFFFFFu ? 0 : (uint32_t)mirror;
        params[11] = IndexBlockSectors(boot, s);
        params[12] = (uint32_t)end;
        AddNtfsVolume(shell, params);
    }
    g_BootStepDone = 1;
}

void ClassifyNtfsFromIndexBlocks(CExtensiveScanShell& shell)
{
    shell.ShowStopButton(1);
    const uint32_t rangeEnd = VolumeParams.endSector;
    auto firstBlocks = FirstBlocksByOwner();
    for (NtfsScanFolderRecord* p = g_NtfsScanFolderList.head; p && !ScanStopRequested(); p = p->next) {
        if (p->volume != VolumeUnassigned)
            continue;
        IndexBlockHit* own = p->indexCluster ? FirstBlockOf(firstBlocks, p->ownNumber) : nullptr;
        if (!own) {
            p->volume = VolumeNone;
            continue;
        }
        const int64_t e = p->indexCluster, f = own->sector;
        for (NtfsScanFolderRecord* q = p->next; q && !ScanStopRequested(); q = q->next) {
            if (q->volume != VolumeUnassigned || q->indexCluster == 0)
                continue;
            IndexBlockHit* other = FirstBlockOf(firstBlocks, q->ownNumber);
            if (!other || other->sector == own->sector)
                continue;
            const int64_t b = q->indexCluster, g = other->sector;
            if (b == e || (f - g) % (e - b) != 0)
                continue;
            int64_t a = (f - g) / (e - b);
            int64_t v = f - e * a;
            if (a <= 0 || !IsValidSectorsPerCluster((uint64_t)a) || v < 0 || v > 0xFFFFFFFFll)
                continue;
            if (!ClassifyFoldersInRange(shell, (uint32_t)a, (uint32_t)v, rangeEnd, 2))
                continue;
            uint32_t params[13] = {};
            params[1] = (uint32_t)a;
            params[5] = (uint32_t)v;
            params[11] = 8;
            params[12] = rangeEnd;
            AddNtfsVolume(shell, params);
            if (p->volume != VolumeUnassigned)
                break;  // this folder has its file system
        }
    }
    shell.ShowStopButton(0);
    g_DirStepDone = 1;
}

void AssignUnassignedFolders(CExtensiveScanShell& shell)
{
    shell.SetStatusText(L"Searching for unassigned entries...");
    uint16_t carried = 1;
    uint32_t k = 0;
    for (NtfsScanFolderRecord* f = g_NtfsScanFolderList.head; f; f = f->next) {
        if (f->volume == VolumeNone)
            f->volume = carried;
        carried = f->volume;
        shell.SetProgress(ClampedPercent(++k, g_ExtFolderCount));
    }
}

void AnalyzeNtfsCandidates(CExtensiveScanShell& shell)
{
    AssignMftNumbers(shell);
    DeleteUnusedIndexEntries(shell);
    g_ClassifiedCount = 0;
    g_ScanStop = 0;
    ClassifyNtfsFromBootSectors(shell);
    ClassifyNtfsFromIndexBlocks(shell);
    AssignUnassignedFolders(shell);
}
