#include "scan/QuickScanNtfs.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "io/SourceSectors.h"
#include "fat/ScanPanelHost.h"
#include "msg/MessageSink.h"
#include "ntfs/MftRecord.h"
#include "ntfs/MftRunTable.h"
#include "ntfs/NtfsAttributeList.h"
#include "ntfs/NtfsDataAttribute.h"
#include "ntfs/NtfsFileName.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanShell.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

namespace {

// Records read per request: 64 records, 128 sectors.
const uint32_t BlockSectors = 128;

const FILETIME NoTime = {0, 0};

// The status line shows two of these every 20 records: the digits are
// worked out here rather than by the formatted print.
std::wstring Decimal(uint64_t v)
{
    wchar_t text[24];
    wchar_t* p = text + 23;
    *p = 0;
    do {
        *--p = (wchar_t)(L'0' + v % 10);
        v /= 10;
    } while (v);
    return p;
}

// The records that make up one file: the base record (in the MFT block)
// and the records its attribute list names, each read once.
class CRecordSet
{
public:
    // Reads the records of g_ExtRecordNumbers; the first is the base record.
    // The base record is used where it lies (the caller keeps it until the
    // next Load); only the records read here are copied into buffers.
    void Load(const unsigned char* base, uint32_t baseSector)
    {
        m_count = 0;
        for (size_t i = 0; i < g_ExtRecordNumbers.size(); ++i) {
            const unsigned char* record = base;
            uint32_t sector = baseSector;
            if (i != 0) {
                while (m_buffers.size() <= m_count)
                    m_buffers.emplace_back(MftRecordSize);
                unsigned char* buf = m_buffers[m_count].data();
                sector = MapRecordToSector(g_ExtRecordNumbers[i]);
                if (!sector || !ReadMftRecord(sector, buf))
                    continue;
                record = buf;
            }
            if (m_sectors.size() <= m_count) {
                m_sectors.push_back(0);
                m_records.push_back(nullptr);
            }
            m_records[m_count] = record;
            m_sectors[m_count++] = sector;
        }
    }

    size_t count() const { return m_count; }
    const unsigned char* record(size_t i) const { return m_records[i]; }
    uint32_t sector(size_t i) const { return m_sectors[i]; }

private:
    // Buffers for the extension records, by position in the set (the base
    // record's own position keeps an unused one).
    std::vector<std::vector<unsigned char>> m_buffers;
    std::vector<const unsigned char*> m_records;
    std::vector<uint32_t> m_sectors;
    size_t m_count = 0;
};

bool ChooseName(const CRecordSet& set, NtfsFileNameValue& name)
{
    static const unsigned order[] = {NtfsNameWin32, NtfsNameWin32AndDos, NtfsNameDos};
    for (unsigned ns : order)
        for (size_t i = 0; i < set.count(); ++i)
            if (FindFileNameAttribute(set.record(i), MftRecordSize, ns, name))
                return true;
    return false;
}

class CMftWalk
{
public:
    CMftWalk() : m_panel(ScanPanelHost()) {}

    void Run()
    {
        m_total = MftRunTableSectors();
        m_geometry.clusterBase = VolumeParams.clusterBase;
        m_geometry.sectorsPerCluster = VolumeParams.sectorsPerCluster;
        std::vector<unsigned char> block((size_t)BlockSectors * SectorSize);
        uint32_t r = 0;
        for (size_t run = 0; run < g_MftRunCount; ++run) {
            uint32_t start = g_MftRunStarts[run];
            uint32_t length = g_MftRunLengths[run];
            if (start == 0) {   // sparse: no records there
                r += length / 2;
                m_walked += length;
                continue;
            }
            for (uint32_t o = 0; o < length; o += BlockSectors) {
                if (ScanStopRequested() == 1)
                    return;
                uint32_t n = std::min(BlockSectors, length - o);
                if (g_ShowScanProgress == 1)
                    m_panel.SetCurrentSector(start + o);
                // A failed read leaves zeros: those records are skipped.
                ReadSourceSectors(start + o, n, block.data());
                for (uint32_t k = 0; k + 1 < n; k += 2, ++r) {
                    if (ScanStopRequested() == 1)
                        return;
                    m_walked += 2;
                    Record(&block[(size_t)k * SectorSize], start + o + k, r);
                }
            }
        }
    }

private:
    void Record(unsigned char* rec, uint32_t sector, uint32_t r)
    {
        // Extension records (base reference set) belong to another record.
        if (!PrepareMftRecord(rec) || le64(rec + 0x20) != 0)
            return;
        ResetExtRecordTable(r);
        // One walk over the base record answers what a file made of that
        // record alone is asked (most are); the rest are asked record by
        // record as before. A record holding more attributes than the table
        // takes is asked the long way.
        m_attrCount = CollectAttributes(rec, MftRecordSize, m_attrs, AttributeCapacity);
        bool walked = m_attrCount <= AttributeCapacity;
        if (!walked || FirstUnnamed(NtfsAttrAttributeList))
            CollectAttributeListRecords(rec, MftRecordSize, &m_geometry);
        m_set.Load(rec, sector);
        m_baseOnly = walked && m_set.count() == 1;
        unsigned flags = MftRecordFlags(rec);
        bool added = (flags & MftFlagDirectory) ? Folder(rec, r, flags) : File(r, flags);
        if (added)
            Progress(r + 1);
    }

    bool Folder(const unsigned char* rec, uint32_t r, unsigned flags)
    {
        NtfsFileNameValue name;
        if (!ChooseName(m_set, name) || wcscmp(name.name, L".") == 0)
            return false;
        NtfsFolderRecord* f =
            AddNtfsFolderRecord(name.name, r, name.parent, name.created, name.changed, 0, !(flags & MftFlagInUse));
        f->sequence = MftRecordSequence(rec);
        f->parentSequence = name.parentSequence;
        if (g_FolderCount % 20 == 0 && g_ShowScanProgress == 1)
            m_panel.SetFoldersFound(g_FolderCount);
        return true;
    }

    bool File(uint32_t r, unsigned flags)
    {
        m_names.clear();
        if (m_baseOnly) {
            for (unsigned i = 0; i < m_attrCount; ++i)
                CollectLinkName(m_attrs[i], m_names);
        } else {
            for (size_t i = 0; i < m_set.count(); ++i)
                CollectLinkNames(m_set.record(i), MftRecordSize, m_names);
        }
        NtfsFileNameValue dos;
        if (m_names.empty()) {
            if (!ChooseName(m_set, dos))
                return false;
            m_names.push_back(dos);
        }
        uint64_t size = 0;
        uint32_t dataSector = m_set.sector(0);
        if (m_baseOnly) {
            // As FindDataSize: the first unnamed $DATA gives the size or none does.
            if (const NtfsAttribute* data = FirstUnnamed(NtfsAttrData))
                DataAttributeSize(*data, &size);
        }
        for (size_t i = 0; i < m_set.count() && !m_baseOnly; ++i) {
            if (FindDataSize(0, &size, const_cast<unsigned char*>(m_set.record(i)), 0)) {
                dataSector = m_set.sector(i);
                break;
            }
        }
        for (const NtfsFileNameValue& name : m_names) {
            NtfsFileRecord* f = AddNtfsFileRecord(dataSector, name.name, r, name.parent, name.created,
                                                  name.changed, !(flags & MftFlagInUse), size);
            f->parentSequence = name.parentSequence;
            ++g_FileCount;
            if (g_FileCount % 50 == 0 && g_ShowScanProgress == 1) {
                m_panel.SetFilesFound(g_FileCount);
                m_panel.SetLastItem(name.name);
            }
        }
        return true;
    }

    void Progress(uint32_t r)
    {
        if (r % 20 == 0 && g_ShowScanProgress == 1) {
            std::wstring text = L"Reading Sector " + Decimal(m_walked) + L" Of " + Decimal(m_total);
            m_panel.SetStatusText(text.c_str());
        }
        // The percentage is divided out only where it can have changed.
        if (m_walked < m_nextPercentAt)
            return;
        uint64_t percent = m_total ? 100 * m_walked / m_total : 0;
        int position = (int)std::min<uint64_t>(percent, 99);
        if (position != m_position) {   // one message per step, not per record
            m_position = position;
            m_panel.SetProgress(position);
        }
        m_nextPercentAt = position >= 99 || !m_total ? UINT64_MAX : ((uint64_t)(position + 1) * m_total + 99) / 100;
    }

    // The first unnamed attribute of the type in the base record's table.
    const NtfsAttribute* FirstUnnamed(uint32_t type) const
    {
        for (unsigned i = 0; i < m_attrCount && i < AttributeCapacity; ++i)
            if (m_attrs[i].type == type && m_attrs[i].nameLength == 0)
                return &m_attrs[i];
        return nullptr;
    }

    // A 1 KiB record holds at most 40 attributes (24 bytes each at least).
    static const unsigned AttributeCapacity = 48;
    NtfsAttribute m_attrs[AttributeCapacity];
    unsigned m_attrCount = 0;
    bool m_baseOnly = false;
    CScanPanelHost& m_panel;
    NtfsVolumeGeometry m_geometry = {};
    CRecordSet m_set;
    std::vector<NtfsFileNameValue> m_names;
    uint64_t m_total = 0;
    uint64_t m_walked = 0;
    uint64_t m_nextPercentAt = 0;
    int m_position = -1;
};

// True when an item's parent reference still names the listed parent
// folder: the same sequence number, or one more when the folder was
// deleted (deleting a record advances its number). Made-up folders and
// parents that are not listed are not judged here.
bool ParentReferenceHolds(uint32_t parent, uint16_t parentSequence)
{
    if (parent == MftRootRecord)
        return true;
    NtfsFolderRecord* p = FindNtfsFolder(parent);
    if (!p || p->sequence == 0 || parentSequence == 0)
        return true;
    if (parentSequence == p->sequence)
        return true;
    return p->deleted && (uint16_t)(parentSequence + 1) == p->sequence;
}

void DetachStaleItems()
{
    for (NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next)
        if (f->parent != MftRootRecord &&
            (f->parent == f->recordNumber || !ParentReferenceHolds(f->parent, f->parentSequence)))
            SetNtfsFolderParent(f, NtfsLostDirRecord);
    // The files of one folder mostly follow each other in the MFT: the
    // answer for the last parent reference is kept (nothing the loop
    // changes enters into it).
    bool known = false, holds = true;
    uint32_t lastParent = 0;
    uint16_t lastSequence = 0;
    for (NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next) {
        if (!known || f->parent != lastParent || f->parentSequence != lastSequence) {
            known = true;
            lastParent = f->parent;
            lastSequence = f->parentSequence;
            holds = ParentReferenceHolds(lastParent, lastSequence);
        }
        if (!holds)
            SetNtfsFileParent(f, NtfsLostDirRecord);
    }
}

// Folders that cannot be reached from the root (a loop of parents) are
// hung under "Lost Dir" where the loop is first met in list order.
void BreakFolderLoops()
{
    std::unordered_set<uint32_t> reached;
    std::vector<uint32_t> pending;
    auto reach = [&](uint32_t key) {
        pending.push_back(key);
        while (!pending.empty()) {
            uint32_t k = pending.back();
            pending.pop_back();
            if (!reached.insert(k).second)
                continue;
            for (NtfsFolderRecord* c : NtfsChildrenOf(k).folders)
                pending.push_back(c->recordNumber);
        }
    };
    reach(MftRootRecord);
    std::vector<NtfsFolderRecord*> cut;
    for (NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next) {
        if (reached.count(f->recordNumber))
            continue;
        cut.push_back(f);
        reach(f->recordNumber);
    }
    for (NtfsFolderRecord* f : cut)
        SetNtfsFolderParent(f, NtfsLostDirRecord);
}

// Progress over a count of items, 0 to 99, sent only when it changes.
class CStepProgress
{
public:
    explicit CStepProgress(uint32_t total) : m_panel(ScanPanelHost()), m_total(total ? total : 1) {}
    void Step()
    {
        // One step per listed item: the percentage is divided out only
        // where it can have changed.
        if (++m_done < m_next)
            return;
        int position = (int)std::min<uint64_t>(m_done * 100 / m_total, 99);
        if (position != m_position)
            m_panel.SetProgress(m_position = position);
        m_next = position >= 99 ? UINT64_MAX : ((uint64_t)(position + 1) * m_total + 99) / 100;
    }

private:
    CScanPanelHost& m_panel;
    uint64_t m_total;
    uint64_t m_done = 0;
    uint64_t m_next = 0;
    int m_position = 0;
};

// The volume's boot sector, or its backup at the last sector.
bool ReadNtfsBoot(unsigned char* boot)
{
    auto valid = [&] { return boot[510] == 0x55 && boot[511] == 0xAA && memcmp(boot + 3, "NTFS", 4) == 0; };
    return (ReadSourceSectors(VolumeParams.clusterBase, 1, boot) && valid()) ||
           (ReadSourceSectors(VolumeParams.endSector, 1, boot) && valid());
}

int CheckRecordSize(const unsigned char* boot)
{
    unsigned long long bytes = MftRecordBytesFromBoot(boot, VolumeParams.sectorsPerCluster);
    if (bytes == MftRecordSize)
        return 1;
    ShowMessage(L"The MFT records of this NTFS volume are not 1024 bytes long; the volume cannot be scanned.",
                MessageKindError);
    return 0;
}

// Where the walk starts: the confirmed MFT sector, or when record 0 was
// too damaged to confirm it, where the boot sector puts the MFT.
uint32_t MftStartSector(const unsigned char* boot, bool haveBoot)
{
    if (VolumeParams.mftSector || !haveBoot)
        return VolumeParams.mftSector;
    uint64_t sector = le64(boot + 0x30) * VolumeParams.sectorsPerCluster + VolumeParams.clusterBase;
    return sector <= VolumeParams.endSector ? (uint32_t)sector : 0;
}

}  // namespace

unsigned long long MftRecordBytesFromBoot(const unsigned char* boot, unsigned sectorsPerCluster)
{
    int v = (signed char)boot[0x40];
    if (v < 0)
        return -v < 32 ? 1ull << -v : 0;
    return (unsigned long long)v * sectorsPerCluster * SectorSize;
}

int QuickScanNtfsLists()
{
    FreeNtfsEntryLists();
    unsigned char boot[SectorSize];
    bool haveBoot = ReadNtfsBoot(boot);
    // Without a boot sector record 0's own size field is still checked.
    if (haveBoot && !CheckRecordSize(boot))
        return 0;
    if (BuildMftRunTable(VolumeParams.clusterBase, MftStartSector(boot, haveBoot), VolumeParams.sectorsPerCluster,
                         VolumeParams.endSector) == MftRunTableFailed) {
        ShowMessage(L"The MFT of this NTFS volume could not be found.", MessageKindError);
        return 0;
    }
    CMftWalk().Run();
    return 1;
}

void FindLostNtfsFolders()
{
    CScanPanelHost& panel = ScanPanelHost();
    g_ScanStop = 0;
    panel.SetStatusText(L"Searching for Lost Data ( Step 1/2 )...");
    panel.SetProgress(0);
    DetachStaleItems();
    AddNtfsFolderRecord(L"Lost Dir", NtfsLostDirRecord, MftRootRecord, NoTime, NoTime, 0, 0);

    unsigned n = 0;
    auto placeholder = [&](uint32_t parent) {
        if (parent == MftRootRecord || FindNtfsFolder(parent))
            return;
        std::wstring name = L"Dir" + Decimal(n++);
        AddNtfsFolderRecord(name.c_str(), parent, NtfsLostDirRecord, NoTime, NoTime, 0, 0);
    };
    CStepProgress folders(g_FolderCount);
    for (NtfsFolderRecord* f = g_NtfsFolderList.head; f && ScanStopRequested() != 1; f = f->next) {
        folders.Step();
        placeholder(f->parent);
    }
    panel.SetStatusText(L"Searching for Lost Data ( Step 2/2 )...");
    CStepProgress files(g_FileCount);
    // Once a parent was looked at it is listed (or is the root): the next
    // file of the same folder needs no look-up.
    bool looked = false;
    uint32_t lastParent = 0;
    for (NtfsFileRecord* f = g_NtfsFileList.head; f && ScanStopRequested() != 1; f = f->next) {
        files.Step();
        if (looked && f->parent == lastParent)
            continue;
        placeholder(f->parent);
        looked = true;
        lastParent = f->parent;
    }
    BreakFolderLoops();
    g_ScanStop = 0;
}

void QuickScanNtfs(CQuickScanShell& shell)
{
    if (!QuickScanNtfsLists())
        return;
    FindLostNtfsFolders();
    ScanPanelHost().SetStatusText(L"Please wait creating tree...");
    g_ScanStop = 0;
    shell.BeginTreeBuild();
    shell.BuildNtfsTree();
}
