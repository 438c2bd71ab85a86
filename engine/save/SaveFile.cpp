#include "save/SaveFile.h"

#include <windows.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "fat/FatTable.h"
#include "common/ByteOrder.h"
#include "io/SectorReader.h"
#include "io/SourceSectors.h"
#include "msg/MessageSink.h"
#include "ntfs/Lznt1.h"
#include "ntfs/MftRecord.h"
#include "ntfs/MftRunTable.h"
#include "ntfs/NtfsAttribute.h"
#include "ntfs/NtfsAttributeList.h"
#include "ntfs/NtfsDataRuns.h"
#include "save/SavePath.h"
#include "save/SaveReporter.h"
#include "state/EngineState.h"

namespace {

// Sectors per read request: 64 KB.
const uint32_t BlockSectors = 128;

// $DATA attribute flags.
const uint16_t AttrFlagCompressed = 0x0001;
const uint16_t AttrFlagEncrypted = 0x4000;

// A stretch of the file's data: sectors on the source, or zeros.
struct SectorExtent
{
    uint64_t lba;
    uint64_t sectors;
    bool zero;
};

class CFileHandle
{
public:
    explicit CFileHandle(HANDLE h) : m_h(h) {}
    ~CFileHandle() { Close(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    HANDLE get() const { return m_h; }
    bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
    void Close()
    {
        if (valid())
            CloseHandle(m_h);
        m_h = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_h;
};

bool Reporting(const SaveRequest& r) { return r.report == 1; }

// Stop and skip only concern the save worker; a preview ignores them.
bool Interrupted(const SaveRequest& r) { return Reporting(r) && (g_SaveStop == 1 || g_SaveSkip == 1); }

void ReportProgress(const SaveRequest& r, int position)
{
    const TraceSaveReporter& rep = GetTraceSaveReporter();
    if (Reporting(r) && rep.progress)
        rep.progress(rep.context, position);
}

// The common start of both writers: filters, the safe name, the duplicate
// rule and the final path. False when nothing is to be written.
bool PrepareRequest(SaveRequest& r)
{
    r.path.clear();
    r.unreadableSectors = 0;
    r.outcome = SaveWritten;
    if (Reporting(r)) {
        if (g_SaveStop == 1) {
            r.outcome = SaveStopped;
            return false;
        }
        g_SaveSkip = 0;
        const TraceSaveReporter& rep = GetTraceSaveReporter();
        bool deletedFiltered = (RecoverySettings.deletedFiles == 3 && r.deleted) ||
                               (RecoverySettings.deletedFiles == 2 && !r.deleted);
        if ((rep.nameAccepted && !rep.nameAccepted(rep.context, r.name.c_str())) || deletedFiltered) {
            r.outcome = SaveFiltered;
            return false;
        }
    }
    std::wstring destination = LongDestination(r.folder);
    std::wstring name = SanitizePathComponent(r.name);
    if (Reporting(r) && !destination.empty() &&
        !ApplyDuplicatePolicy(destination, name, RecoverySettings.duplicateNames)) {
        r.outcome = SaveDuplicateSkipped;
        return false;
    }
    r.name = name;
    std::wstring path = JoinPath(destination, name);
    if (!IsPathUnder(destination, path)) {
        r.outcome = SaveCreateFailed;
        return false;
    }
    r.path = path;
    return true;
}

// Creates (or truncates) the file; on failure asks whether to go on, and
// No stops the save.
HANDLE CreateSaveFile(SaveRequest& r)
{
    HANDLE h = r.path.empty() ? INVALID_HANDLE_VALUE
                              : CreateFileW(r.path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        r.outcome = SaveCreateFailed;
        if (Reporting(r)) {
            g_strMessageText = CreateErrorQuestion(r.path.empty() ? JoinPath(r.folder, r.name) : r.path);
            g_nMessageKind = MessageKindError;
            if (ShowQuestionBox() != 1)
                g_SaveStop = 1;
        }
        return INVALID_HANDLE_VALUE;
    }
    if (Reporting(r)) {
        ++g_SavedFileCount;
        const TraceSaveReporter& rep = GetTraceSaveReporter();
        if (rep.fileStarted)
            rep.fileStarted(rep.context, r.folder.c_str(), r.name.c_str(), g_SavedFileCount);
        ReportProgress(r, 0);
    }
    return h;
}

// Reads one block; when the block read fails, reads it sector by sector so
// that only the sectors that cannot be read become zeros, and counts them.
void ReadBlock(uint64_t lba, uint32_t count, unsigned char* buf, SaveRequest& r)
{
    if (ReadSourceSectors(lba, count, buf))
        return;
    for (uint32_t i = 0; i < count; ++i) {
        uint64_t s = lba + i;
        if (!ReadSourceSectors(s, 1, buf + (size_t)i * SectorSize))
            ++r.unreadableSectors;   // the reader has left zeros
    }
}

// The file's data, block after block.
class CDataSource
{
public:
    virtual ~CDataSource() {}
    // The capacity a block buffer needs.
    virtual size_t BlockBytes() const = 0;
    // Fills buf with the next block, at most want bytes unless the source
    // works in larger units; returns the bytes given (never 0).
    virtual size_t Next(unsigned char* buf, size_t want, SaveRequest& r) = 0;
    // True when a part of the data could not be had and became zeros.
    bool incomplete = false;
};

// Sectors on the source, or zeros, as the extents say. When the extents
// end before the file does, the rest is zeros and the file is incomplete.
class CExtentSource : public CDataSource
{
public:
    explicit CExtentSource(const std::vector<SectorExtent>& extents) : m_extents(extents) {}
    size_t BlockBytes() const override { return (size_t)BlockSectors * SectorSize; }
    size_t Next(unsigned char* buf, size_t want, SaveRequest& r) override
    {
        uint64_t n = std::min<uint64_t>(BlockSectors, (want + SectorSize - 1) / SectorSize);
        while (m_e < m_extents.size() && m_extents[m_e].sectors == 0)
            ++m_e;
        if (m_e >= m_extents.size()) {
            incomplete = true;
            memset(buf, 0, (size_t)n * SectorSize);
            return (size_t)n * SectorSize;
        }
        const SectorExtent& x = m_extents[m_e];
        n = std::min<uint64_t>(n, x.sectors - m_in);
        if (x.zero)
            memset(buf, 0, (size_t)n * SectorSize);
        else
            ReadBlock(x.lba + m_in, (uint32_t)n, buf, r);
        m_in += n;
        if (m_in >= x.sectors) {
            ++m_e;
            m_in = 0;
        }
        return (size_t)n * SectorSize;
    }

    // Hands out the next sectors of the extents as pieces of at most count
    // sectors in all, in order; returns the sectors handed out.
    template <class Piece>
    uint64_t Take(uint64_t count, Piece piece)
    {
        uint64_t taken = 0;
        while (taken < count && m_e < m_extents.size()) {
            const SectorExtent& x = m_extents[m_e];
            uint64_t n = std::min<uint64_t>(count - taken, x.sectors - m_in);
            if (n)
                piece(x, x.lba + m_in, n);
            taken += n;
            m_in += n;
            if (m_in >= x.sectors) {
                ++m_e;
                m_in = 0;
            }
        }
        return taken;
    }

private:
    const std::vector<SectorExtent>& m_extents;
    size_t m_e = 0;
    uint64_t m_in = 0;
};

// An NTFS-compressed stream, one compression unit at a time: a unit whose
// clusters all hold data is stored raw, one that ends in a sparse run holds
// LZNT1 chunks in its data clusters, one without data is zeros.
class CCompressedSource : public CDataSource
{
public:
    CCompressedSource(const std::vector<SectorExtent>& extents, uint64_t unitSectors)
        : m_extents(extents), m_unitSectors(unitSectors), m_packed((size_t)unitSectors * SectorSize)
    {
    }
    size_t BlockBytes() const override { return (size_t)m_unitSectors * SectorSize; }
    size_t Next(unsigned char* buf, size_t, SaveRequest& r) override
    {
        const size_t unitBytes = (size_t)m_unitSectors * SectorSize;
        uint64_t dataSectors = 0;
        uint64_t taken = m_extents.Take(m_unitSectors, [&](const SectorExtent& x, uint64_t lba, uint64_t n) {
            if (!x.zero) {
                ReadBlock(lba, (uint32_t)n, m_packed.data() + (size_t)dataSectors * SectorSize, r);
                dataSectors += n;
            }
        });
        if (taken < m_unitSectors)
            incomplete = true;   // the runs end before the file
        if (dataSectors == m_unitSectors)
            memcpy(buf, m_packed.data(), unitBytes);
        else if (dataSectors == 0)
            memset(buf, 0, unitBytes);
        else if (!DecompressLznt1Unit(m_packed.data(), (size_t)dataSectors * SectorSize, buf, unitBytes))
            incomplete = true;
        return unitBytes;
    }

private:
    CExtentSource m_extents;
    uint64_t m_unitSectors;
    std::vector<unsigned char> m_packed;
};

// Writes size bytes from the source; bytes at and past validBytes are
// zeros (NTFS data past the initialized size).
SaveOutcome WriteData(HANDLE file, CDataSource& source, uint64_t size, uint64_t validBytes, SaveRequest& r)
{
    std::vector<unsigned char> buf(source.BlockBytes());
    uint64_t written = 0;
    int position = 0;
    while (written < size) {
        if (Interrupted(r))
            return SaveStopped;
        size_t got = source.Next(buf.data(), (size_t)std::min<uint64_t>(buf.size(), size - written), r);
        uint32_t bytes = (uint32_t)std::min<uint64_t>(got, size - written);
        if (validBytes < written + bytes) {
            uint64_t from = validBytes > written ? validBytes - written : 0;
            memset(buf.data() + from, 0, (size_t)(bytes - from));
        }
        DWORD done = 0;
        if (!WriteFile(file, buf.data(), bytes, &done, nullptr) || done != bytes)
            return SaveWriteFailed;
        written += bytes;
        int p = (int)std::min<uint64_t>(written * 100 / size, 99);
        if (p != position) {
            position = p;
            ReportProgress(r, p);
        }
    }
    return (source.incomplete || r.unreadableSectors) ? SaveIncomplete : SaveWritten;
}

// Writes the data, then the time stamps, and closes; the result of a writer.
int FinishFile(HANDLE h, CDataSource& source, uint64_t size, uint64_t validBytes, SaveRequest& r)
{
    CFileHandle file(h);
    SaveOutcome outcome = WriteData(h, source, size, validBytes, r);
    // A stopped or skipped file keeps what was written, with its time stamp.
    ApplySaveTime(h, r.time);
    file.Close();
    r.outcome = outcome;
    return outcome == SaveWritten ? 1 : 0;
}

void AddClusterRun(std::vector<SectorExtent>& extents, uint64_t firstCluster, uint64_t clusters, bool sparse)
{
    uint64_t spc = VolumeParams.sectorsPerCluster;
    uint64_t lba = sparse ? 0 : VolumeParams.clusterBase + firstCluster * spc;
    if (!extents.empty()) {
        SectorExtent& last = extents.back();
        if (last.zero == sparse && (sparse || last.lba + last.sectors == lba)) {
            last.sectors += clusters * spc;
            return;
        }
    }
    extents.push_back({lba, clusters * spc, sparse});
}

}  // namespace

std::wstring CreateErrorQuestion(const std::wstring& path)
{
    std::wstring shown = path;
    if (shown.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        shown = L"\\\\" + shown.substr(8);
    else if (shown.compare(0, 4, L"\\\\?\\") == 0)
        shown = shown.substr(4);
    return L"Error creating file : " + EscapeMarkup(shown) + L".  Continue Recovery ? ";
}

int SaveFatFile(SaveRequest& r)
{
    if (!PrepareRequest(r))
        return 0;
    uint64_t clusterBytes = (uint64_t)VolumeParams.sectorsPerCluster * SectorSize;
    if (clusterBytes == 0) {
        r.outcome = SaveNoData;
        return 0;
    }
    HANDLE h = CreateSaveFile(r);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    uint32_t count = (uint32_t)((r.size + clusterBytes - 1) / clusterBytes);
    std::vector<uint32_t> chain;
    if (count > 0) {
        // A preview's walk is not cut short by a running save's flags.
        chain = ReadClusterChain(r.source, count, 1, Reporting(r));
        if (chain.size() != count)
            chain = ReadClusterChain(r.source, count, 2, Reporting(r));
        if (chain.size() != count) {
            // Neither FAT holds the chain (a deleted file): consecutive clusters.
            chain.clear();
            for (uint32_t i = 0; i < count; ++i)
                chain.push_back(r.source + i);
        }
    }
    std::vector<SectorExtent> extents;
    for (uint32_t c : chain)
        AddClusterRun(extents, c, 1, false);
    CExtentSource source(extents);
    return FinishFile(h, source, r.size, r.size, r);
}

// ---------------------------------------------------------------------------
// NTFS

namespace {

struct DataExtent
{
    uint64_t lowestVcn;
    uint64_t highestVcn;
    std::vector<NtfsRun> runs;
};

// What the file's unnamed $DATA is: resident bytes or extents by VCN.
struct NtfsData
{
    bool found = false;
    bool resident = false;
    std::vector<unsigned char> value;
    uint16_t flags = 0;
    uint8_t compressionUnit = 0;   // log2 of the clusters per compression unit
    uint64_t allocatedSize = 0;
    uint64_t dataSize = 0;
    uint64_t initializedSize = 0;
    std::vector<DataExtent> extents;
    bool complete = true;   // every extent could be read and decoded
};

// The sector of a record through the table of the volume being saved, built
// when the MFT's place is known; 0 without one. A table left by another
// volume (read before, found at another place) is never used: it would
// hand out that volume's records as this file's.
uint32_t SectorOfRecord(uint32_t number)
{
    const VolumeParamsRecord& v = VolumeParams;
    if (!MftRunTableIsFor(v.clusterBase, v.mftSector, v.sectorsPerCluster, v.endSector)) {
        if (v.mftSector == 0)
            return 0;
        BuildMftRunTable(v.clusterBase, v.mftSector, v.sectorsPerCluster, v.endSector);
    }
    return MapRecordToSector(number);
}

uint64_t BaseReference(const unsigned char* rec) { return le64(rec + 0x20) & 0xFFFFFFFFFFFFull; }

// Takes the unnamed $DATA attributes of one record into data.
void CollectDataAttributes(const unsigned char* rec, NtfsData& data)
{
    CNtfsAttributeWalk walk(rec, MftRecordSize);
    NtfsAttribute attr;
    while (walk.Next(attr)) {
        if (attr.type != NtfsAttrData || attr.nameLength != 0)
            continue;
        if (!attr.nonResident) {
            const unsigned char* v;
            uint32_t n;
            if (!data.found && ResidentValue(attr, &v, &n)) {
                data.found = data.resident = true;
                data.value.assign(v, v + n);
                data.flags = le16(attr.start + 0x0C);
                data.dataSize = data.initializedSize = n;
            }
            continue;
        }
        if (attr.length < 0x40)
            continue;
        DataExtent x;
        x.lowestVcn = NonResidentLowestVcn(attr);
        x.highestVcn = le64(attr.start + 0x18);
        const unsigned char* pairs;
        size_t pairBytes;
        if (!MappingPairs(attr, &pairs, &pairBytes) || !DecodeMappingPairs(pairs, pairBytes, x.runs))
            data.complete = false;
        if (x.lowestVcn == 0) {
            data.found = true;
            data.flags = le16(attr.start + 0x0C);
            data.compressionUnit = attr.start[0x22];
            data.allocatedSize = le64(attr.start + 0x28);
            data.dataSize = NonResidentDataSize(attr);
            data.initializedSize = le64(attr.start + 0x38);
        }
        data.extents.push_back(std::move(x));
    }
}

void AddRecordNumber(uint32_t record, void* context)
{
    std::vector<uint32_t>& list = *static_cast<std::vector<uint32_t>*>(context);
    if (std::find(list.begin(), list.end(), record) == list.end())
        list.push_back(record);
}

// Reads the file's records: the record at source, its base record and
// every record the base record's attribute list names for $DATA.
bool ReadNtfsData(uint32_t source, NtfsData& data)
{
    std::vector<unsigned char> rec(MftRecordSize), other(MftRecordSize);
    if (!ReadMftRecord(source, rec.data()))
        return false;
    uint64_t baseRef = BaseReference(rec.data());
    if (baseRef != 0) {
        uint32_t baseSector = SectorOfRecord((uint32_t)baseRef);
        if (baseSector && ReadMftRecord(baseSector, other.data()) && BaseReference(other.data()) == 0) {
            rec.swap(other);
            source = baseSector;
        } else {
            // Only the extension record is at hand: its extents alone.
            CollectDataAttributes(rec.data(), data);
            data.complete = false;
            return data.found || !data.extents.empty();
        }
    }
    NtfsAttribute list;
    if (!FindAttribute(rec.data(), MftRecordSize, NtfsAttrAttributeList, true, list)) {
        CollectDataAttributes(rec.data(), data);
        return true;
    }
    NtfsVolumeGeometry geometry = {VolumeParams.clusterBase, VolumeParams.sectorsPerCluster};
    std::vector<unsigned char> value;
    if (!ReadAttributeValue(rec.data(), MftRecordSize, list.offset, geometry, 256 * 1024, value)) {
        CollectDataAttributes(rec.data(), data);
        data.complete = false;
        return true;
    }
    std::vector<uint32_t> records;
    ParseAttributeListEntries(value.data(), value.size(), NtfsAttrData, &AddRecordNumber, &records);
    std::vector<uint32_t> sectors;
    bool baseKnown = false;
    uint32_t baseNumber = 0;
    for (uint32_t number : records) {
        sectors.push_back(SectorOfRecord(number));
        if (sectors.back() == source) {
            baseKnown = true;
            baseNumber = number;
        }
    }
    CollectDataAttributes(rec.data(), data);
    for (size_t i = 0; i < records.size(); ++i) {
        if (sectors[i] == source)
            continue;
        if (!sectors[i] || !ReadMftRecord(sectors[i], other.data())) {
            data.complete = false;
            continue;
        }
        // A reused record belongs to another file now.
        if (baseKnown && BaseReference(other.data()) != baseNumber) {
            data.complete = false;
            continue;
        }
        CollectDataAttributes(other.data(), data);
    }
    return true;
}

// LZNT1 works on 4 KiB chunks: Windows compresses only volumes whose
// clusters are at most 4 KiB, in units of 16 clusters.
bool CanDecompress(const NtfsData& data)
{
    uint64_t clusterBytes = (uint64_t)VolumeParams.sectorsPerCluster * SectorSize;
    return clusterBytes != 0 && clusterBytes <= Lznt1ChunkBytes && data.compressionUnit >= 1 &&
           data.compressionUnit <= 4;
}

// The extents in VCN order as sector extents; gaps and overlaps make the
// data incomplete.
bool BuildNtfsExtents(NtfsData& data, std::vector<SectorExtent>& out)
{
    std::sort(data.extents.begin(), data.extents.end(),
              [](const DataExtent& a, const DataExtent& b) { return a.lowestVcn < b.lowestVcn; });
    uint64_t vcn = 0;
    bool complete = data.complete;
    for (const DataExtent& x : data.extents) {
        if (x.lowestVcn != vcn) {
            complete = false;
            if (x.lowestVcn < vcn)
                continue;
            AddClusterRun(out, 0, x.lowestVcn - vcn, true);   // zeros for the missing part
            vcn = x.lowestVcn;
        }
        uint64_t clusters = 0;
        for (const NtfsRun& run : x.runs) {
            AddClusterRun(out, (uint64_t)run.lcn, run.length, run.sparse);
            clusters += run.length;
        }
        if (x.highestVcn + 1 != x.lowestVcn + clusters)
            complete = false;
        vcn = x.lowestVcn + clusters;
    }
    return complete;
}

}  // namespace

int SaveNtfsFile(SaveRequest& r)
{
    if (!PrepareRequest(r))
        return 0;
    NtfsData data;
    if (!ReadNtfsData(r.source, data) || (!data.found && (!data.complete || r.size != 0))) {
        r.outcome = SaveNoData;
        return 0;
    }
    if (!data.found) {
        // No default data stream ($Secure, $Extend\$Quota...): the file is
        // its empty default stream, and that is all there is to write.
        data.found = data.resident = true;
    }
    if ((data.flags & AttrFlagEncrypted) || ((data.flags & AttrFlagCompressed) && !data.resident &&
                                              !CanDecompress(data))) {
        r.outcome = SaveNotRecoverableRaw;
        return 0;
    }
    HANDLE h = CreateSaveFile(r);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    if (data.resident) {
        CFileHandle file(h);
        DWORD done = 0;
        DWORD n = (DWORD)data.value.size();
        bool ok = n == 0 || (WriteFile(h, data.value.data(), n, &done, nullptr) && done == n);
        ApplySaveTime(h, r.time);
        r.outcome = ok ? SaveWritten : SaveWriteFailed;
        return ok ? 1 : 0;
    }
    std::vector<SectorExtent> extents;
    bool complete = BuildNtfsExtents(data, extents);
    if (data.dataSize > data.allocatedSize) {
        // A size past the stream's allocation is damage: what is allocated
        // is written, never as many zeros as the damaged field asks for.
        data.dataSize = data.allocatedSize;
        complete = false;
    }
    const uint64_t validBytes = std::min(data.initializedSize, data.dataSize);
    int result;
    if (data.flags & AttrFlagCompressed) {
        CCompressedSource source(extents, (uint64_t)VolumeParams.sectorsPerCluster << data.compressionUnit);
        result = FinishFile(h, source, data.dataSize, validBytes, r);
    } else {
        CExtentSource source(extents);
        result = FinishFile(h, source, data.dataSize, validBytes, r);
    }
    if (result == 1 && !complete) {
        r.outcome = SaveIncomplete;
        result = 0;
    }
    return result;
}
