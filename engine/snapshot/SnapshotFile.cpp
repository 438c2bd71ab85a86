#include "snapshot/SnapshotFile.h"

#include <windows.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include "extensive/ExtensiveLists.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "common/ByteOrder.h"
#include "ntfs/MftRunTable.h"
#include "ntfs/NtfsLists.h"
#include "snapshot/SnapshotShell.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"
#include "snapshot/EngineRun.h"

const unsigned char SnapshotTag[7] = {'w', 0, 'q', 0, 'z', 0, '4'};
const unsigned char SnapshotVersion[3] = {'1', 0, '.'};

namespace {

// What each record's length field adds to the byte size of its string (the
// fixed fields counted in the length), and the smallest valid length.
enum
{
    FatFolderFixed = 15,
    FatFileFixed = 21,
    NtfsFolderFixed = 27,
    NtfsFileFixed = 37,
    SignatureFixed = 15,
    HitFixed = 21,
};

// Bytes a record takes at least, for checking a count against the file. The
// length of a folder or file record counts the bytes after it; those of the
// signature and hit records count 15 or 21 more than their string.
enum
{
    FatFolderMinBytes = 2 + FatFolderFixed + 2,
    FatFileMinBytes = 2 + FatFileFixed + 4,
    NtfsFolderMinBytes = 2 + NtfsFolderFixed + 4,
    NtfsFileMinBytes = 2 + NtfsFileFixed + 4,
    SignatureMinBytes = 3 * (2 + 2) + 8,
    HitMinBytes = 3 * (2 + 4) + 8,
};

// ---- writing ----

class CSnapshotOut
{
public:
    explicit CSnapshotOut(std::vector<unsigned char>& out) : m_out(out) {}

    void Bytes(const void* p, size_t n)
    {
        const unsigned char* b = (const unsigned char*)p;
        m_out.insert(m_out.end(), b, b + n);
    }
    void U8(uint8_t v) { m_out.push_back(v); }
    void U16(uint16_t v)
    {
        U8((uint8_t)v);
        U8((uint8_t)(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16((uint16_t)v);
        U16((uint16_t)(v >> 16));
    }
    void U64(uint64_t v)
    {
        U32((uint32_t)v);
        U32((uint32_t)(v >> 32));
    }
    void Time(const FILETIME& t)
    {
        U32(t.dwLowDateTime);
        U32(t.dwHighDateTime);
    }
    void Zeros(size_t n) { m_out.insert(m_out.end(), n, 0); }

    // The 16-bit length field fixed + string bytes; false when it does not fit.
    bool Length(size_t stringBytes, size_t fixed)
    {
        size_t length = stringBytes + fixed;
        if (length > 0xFFFF) {
            m_tooLong = true;
            return false;
        }
        U16((uint16_t)length);
        return true;
    }
    // A UTF-16 name with its NUL and extra zero bytes.
    void Name(const wchar_t* name, size_t extra)
    {
        for (const wchar_t* p = name ? name : L""; *p; ++p)
            U16((uint16_t)*p);
        U16(0);
        Zeros(extra);
    }
    bool tooLong() const { return m_tooLong; }

private:
    std::vector<unsigned char>& m_out;
    bool m_tooLong = false;
};

size_t NameBytes(const wchar_t* name, size_t extra) { return 2 * wcslen(name ? name : L"") + 2 + extra; }

void WriteParams(CSnapshotOut& out)
{
    const VolumeParamsRecord& v = VolumeParams;
    out.U16(v.selectionCode);
    out.U32(v.startSector);
    out.U32(v.sectorCount);
    out.U32(v.endSector);
    out.U16(v.partitionIndex);
    out.U16(v.fileSystemType);
    out.U32(v.fatSize);
    out.U32(v.sectorsPerCluster);
    out.U32(v.rootDirSectors);
    out.U32(v.reservedSectors);
    out.U32(v.clusterBase);
    out.U32(v.fat1Start);
    out.U32(v.fat2Start);
    out.U32(v.mftSector);
    out.U32(v.mftMirrorSector);
    out.U32(v.ntfsValueA);
    out.U32(v.mftRecordSizeValue);
    out.U32(v.fileSystemEnd);
    out.U16(v.foundVolumeIndex);
}

void WriteFatLists(CSnapshotOut& out)
{
    out.U32(g_FatFolders.count);
    for (const FatFolderRecord* r = g_FatFolders.head; r; r = r->next) {
        if (!out.Length(NameBytes(r->name, 0), FatFolderFixed))
            return;
        out.Name(r->name, 0);
        out.U32(r->cluster);
        out.U32(r->parentCluster);
        out.U16(r->modifiedDate);
        out.U16(r->accessDate);
        out.U8((uint8_t)r->deleted);
        out.Zeros(2);
    }
    out.U32(g_FatFiles.count);
    for (const FatFileRecord* r = g_FatFiles.head; r; r = r->next) {
        if (!out.Length(NameBytes(r->name, 2), FatFileFixed))
            return;
        out.Name(r->name, 2);
        out.U32(r->firstCluster);
        out.U32(r->parentCluster);
        out.U16(r->modifiedDate);
        out.U16(r->accessDate);
        out.U32(r->size);
        out.U8((uint8_t)r->deleted);
        out.U32(r->fileNumber);
    }
}

void WriteNtfsFile(CSnapshotOut& out, uint32_t sector, const wchar_t* name, uint32_t recordNumber, uint32_t parent,
                   const FILETIME& created, const FILETIME& changed, uint32_t deleted, uint64_t size)
{
    if (!out.Length(NameBytes(name, 2), NtfsFileFixed))
        return;
    out.U32(sector);
    out.Name(name, 2);
    out.U32(recordNumber);
    out.U32(parent);
    out.Time(created);
    out.Time(changed);
    out.U8((uint8_t)deleted);
    out.U64(size);
}

void WriteNtfsLists(CSnapshotOut& out, wchar_t modeLetter)
{
    out.U32(g_NtfsFolderList.count);
    for (const NtfsFolderRecord* r = g_NtfsFolderList.head; r; r = r->next) {
        if (!out.Length(NameBytes(r->name, 2), NtfsFolderFixed))
            return;
        out.Name(r->name, 2);
        out.U32(r->recordNumber);
        out.U32(r->parent);
        out.Time(r->created);
        out.Time(r->changed);
        out.U8((uint8_t)r->deleted);
        out.Zeros(2);
    }
    if (modeLetter == L'A') {
        // Only the found records of the chosen file system. They have no
        // record number of their own: 0 is stored (nothing uses a file's).
        uint32_t count = 0;
        for (const NtfsScanFileRecord* r = g_NtfsScanFileList.head; r; r = r->next)
            count += IsInChosenNtfsVolume(r) ? 1 : 0;
        out.U32(count);
        for (const NtfsScanFileRecord* r = g_NtfsScanFileList.head; r; r = r->next)
            if (IsInChosenNtfsVolume(r))
                WriteNtfsFile(out, r->recordSector, r->name, 0, r->parent, r->created, r->changed, r->deleted,
                              r->size);
        return;
    }
    out.U32(g_NtfsFileList.count);
    for (const NtfsFileRecord* r = g_NtfsFileList.head; r; r = r->next)
        WriteNtfsFile(out, r->dataRecordSector, r->name, r->recordNumber, r->parent, r->created, r->changed,
                      r->deleted, r->size);
}

void WriteTraceLists(CSnapshotOut& out)
{
    out.U32(g_SignatureList.count);
    for (const SignatureSelection* r = g_SignatureList.head; r; r = r->next) {
        const char* text = r->signature ? r->signature : "";
        size_t c = strlen(text);
        if (!out.Length(NameBytes(r->extension, 0), SignatureFixed))
            return;
        out.Name(r->extension, 0);
        if (!out.Length(NameBytes(r->description, 0), SignatureFixed))
            return;
        out.Name(r->description, 0);
        if (!out.Length(2 * c + 2, SignatureFixed))
            return;
        out.Bytes(text, c);
        out.Zeros(c + 2);   // its NUL and c + 1 bytes of no meaning
        out.U32(r->compareLength);
        out.U32((uint32_t)r->fifthFieldValue);
    }
    out.U32(g_TraceHitList.count);
    for (const TraceHit* r = g_TraceHitList.head; r; r = r->next) {
        for (const wchar_t* text : {r->extension, r->name, r->description}) {
            if (!out.Length(NameBytes(text, 2), HitFixed))
                return;
            out.Name(text, 2);
        }
        out.U32(r->hitNumber);
        out.U32(r->startSector);
    }
}

// ---- reading ----

// A file read front to back; every read is checked against the bytes that
// remain, and once one fails every later one fails too.
class CSnapshotIn
{
public:
    CSnapshotIn(FILE* file, uint64_t size) : m_file(file), m_left(size) {}

    bool Bytes(void* p, size_t n)
    {
        if (!m_ok || n > m_left || fread(p, 1, n, m_file) != n)
            return m_ok = false;
        m_left -= n;
        return true;
    }
    uint8_t U8()
    {
        unsigned char b[1] = {0};
        Bytes(b, 1);
        return b[0];
    }
    uint16_t U16()
    {
        unsigned char b[2] = {0};
        Bytes(b, 2);
        return le16(b);
    }
    uint32_t U32()
    {
        unsigned char b[4] = {0};
        Bytes(b, 4);
        return le32(b);
    }
    uint64_t U64()
    {
        unsigned char b[8] = {0};
        Bytes(b, 8);
        return le64(b);
    }
    FILETIME Time()
    {
        FILETIME t;
        t.dwLowDateTime = U32();
        t.dwHighDateTime = U32();
        return t;
    }

    // A count of records of at least minBytes each, which must fit in what
    // is left before the trailer.
    uint32_t Count(size_t minBytes)
    {
        uint32_t count = U32();
        if (m_ok && (m_left < SnapshotTrailerSize || count > (m_left - SnapshotTrailerSize) / minBytes))
            m_ok = false;
        return m_ok ? count : 0;
    }

    // A length field and the string it sizes: byte size = length - fixed,
    // at least minBytes, even for UTF-16, within the bytes left. The text is
    // taken up to its first NUL, which must be inside the field.
    bool Name(size_t fixed, size_t minBytes, std::wstring& text) { return Name(U16(), fixed, minBytes, text); }
    // The same with the length field already read.
    bool Name(uint16_t length, size_t fixed, size_t minBytes, std::wstring& text)
    {
        size_t bytes;
        if (!StringBytes(length, fixed, minBytes, bytes))
            return false;
        m_buffer.resize(bytes);
        if (!Bytes(&m_buffer[0], bytes))
            return false;
        text.clear();
        for (size_t i = 0; i + 1 < bytes; i += 2) {
            wchar_t c = (wchar_t)le16(&m_buffer[i]);
            if (c == 0)
                return true;
            text += c;
        }
        return m_ok = false;
    }
    // The same for the single-byte signature text.
    bool Text(size_t fixed, size_t minBytes, std::string& text)
    {
        size_t bytes;
        if (!StringBytes(U16(), fixed, minBytes, bytes))
            return false;
        m_buffer.resize(bytes);
        if (!Bytes(&m_buffer[0], bytes))
            return false;
        const unsigned char* end = (const unsigned char*)memchr(&m_buffer[0], 0, bytes);
        if (!end)
            return m_ok = false;
        text.assign((const char*)&m_buffer[0], (const char*)end);
        return true;
    }

    bool ok() const { return m_ok; }
    uint64_t left() const { return m_left; }

private:
    // Every string field, UTF-16 or the signature text, is an even number
    // of bytes.
    bool StringBytes(uint16_t length, size_t fixed, size_t minBytes, size_t& bytes)
    {
        if (!m_ok || length < fixed + minBytes)
            return m_ok = false;
        bytes = length - fixed;
        if (bytes % 2 != 0 || bytes > m_left)
            return m_ok = false;
        return true;
    }

    FILE* m_file;
    uint64_t m_left;
    bool m_ok = true;
    std::vector<unsigned char> m_buffer;
};

// Owns a FILE*.
class CStdioFile
{
public:
    explicit CStdioFile(FILE* f) : m_f(f) {}
    ~CStdioFile()
    {
        if (m_f)
            fclose(m_f);
    }
    FILE* get() const { return m_f; }

private:
    FILE* m_f;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
};

void ReadParams(CSnapshotIn& in, VolumeParamsRecord& v)
{
    v.selectionCode = in.U16();
    v.startSector = in.U32();
    v.sectorCount = in.U32();
    v.endSector = in.U32();
    v.partitionIndex = in.U16();
    v.fileSystemType = in.U16();
    v.fatSize = in.U32();
    v.sectorsPerCluster = in.U32();
    v.rootDirSectors = in.U32();
    v.reservedSectors = in.U32();
    v.clusterBase = in.U32();
    v.fat1Start = in.U32();
    v.fat2Start = in.U32();
    v.mftSector = in.U32();
    v.mftMirrorSector = in.U32();
    v.ntfsValueA = in.U32();
    v.mftRecordSizeValue = in.U32();
    v.fileSystemEnd = in.U32();
    v.foundVolumeIndex = in.U16();
}

bool IsFileSystem(uint16_t type)
{
    return type == FileSystemFat16 || type == FileSystemFat32 || type == FileSystemNtfs;
}

// Parameters the saving and previews compute with must be sane: a cluster of
// 1 to 128 sectors, a power of two.
bool ParamsUsable(wchar_t modeLetter, const VolumeParamsRecord& v)
{
    if (modeLetter == L'R' || !IsFileSystem(v.fileSystemType))
        return true;
    return IsPowerOfTwo(v.sectorsPerCluster) && v.sectorsPerCluster <= 128;
}

class CLoadProgress
{
public:
    explicit CLoadProgress(CSnapshotShell* shell) : m_shell(shell) {}
    void Text(const wchar_t* text)
    {
        if (m_shell)
            m_shell->SetProgressText(text);
    }
    void Record(uint32_t i, uint32_t count)
    {
        if (!m_shell || count == 0)
            return;
        int position = (int)((uint64_t)i * 100 / count);
        if (position != m_last) {
            m_last = position;
            m_shell->SetProgress(position);
        }
    }

private:
    CSnapshotShell* m_shell;
    int m_last = -1;
};

// A count and that many records, each read by readOne, which appends the
// record when every field of it was there.
template <class ReadOne>
void ReadRecords(CSnapshotIn& in, CLoadProgress& progress, size_t minBytes, ReadOne readOne)
{
    uint32_t count = in.Count(minBytes);
    for (uint32_t i = 0; i < count && in.ok(); ++i) {
        progress.Record(i, count);
        readOne();
    }
}

// The folder list, then the file list: each announced on the progress line
// and counted afresh as its records are added.
template <class ReadFolder, class ReadFile>
bool ReadFolderAndFileLists(CSnapshotIn& in, CLoadProgress& progress, size_t folderMinBytes,
                            ReadFolder readFolder, size_t fileMinBytes, ReadFile readFile)
{
    progress.Text(L"Enumerating the Folders...");
    g_FolderCount = 0;
    ReadRecords(in, progress, folderMinBytes, readFolder);
    progress.Text(L"Enumerating the Files...");
    g_FileCount = 0;
    ReadRecords(in, progress, fileMinBytes, readFile);
    return in.ok();
}

bool ReadFatLists(CSnapshotIn& in, CLoadProgress& progress)
{
    std::wstring name;
    auto readFolder = [&] {
        if (!in.Name(FatFolderFixed, 2, name))
            return;
        uint32_t cluster = in.U32();
        uint32_t parent = in.U32();
        uint16_t modified = in.U16();
        uint16_t accessed = in.U16();
        uint8_t deleted = in.U8();
        in.U16();
        if (in.ok())
            AddFatFolder(name.c_str(), cluster, parent, modified, accessed, 0, deleted);
    };
    auto readFile = [&] {
        if (!in.Name(FatFileFixed, 4, name))
            return;
        uint32_t first = in.U32();
        uint32_t parent = in.U32();
        uint16_t modified = in.U16();
        uint16_t accessed = in.U16();
        uint32_t size = in.U32();
        uint8_t deleted = in.U8();
        in.U32();   // the stored file number: files are numbered afresh
        if (!in.ok())
            return;
        AddFatFile(name.c_str(), first, parent, modified, accessed, size, deleted);
        g_TotalFileSize += size;
        ++g_FileCount;
    };
    return ReadFolderAndFileLists(in, progress, FatFolderMinBytes, readFolder, FatFileMinBytes, readFile);
}

bool ReadNtfsLists(CSnapshotIn& in, CLoadProgress& progress)
{
    std::wstring name;
    auto readFolder = [&] {
        if (!in.Name(NtfsFolderFixed, 4, name))
            return;
        uint32_t record = in.U32();
        uint32_t parent = in.U32();
        FILETIME created = in.Time();
        FILETIME changed = in.Time();
        uint8_t deleted = in.U8();
        in.U16();
        if (in.ok())
            AddNtfsFolderRecord(name.c_str(), record, parent, created, changed, 0, deleted);
    };
    auto readFile = [&] {
        // The length comes before the sector, the name after it.
        uint16_t length = in.U16();
        uint32_t sector = in.U32();
        if (!in.Name(length, NtfsFileFixed, 4, name))
            return;
        uint32_t record = in.U32();
        uint32_t parent = in.U32();
        FILETIME created = in.Time();
        FILETIME changed = in.Time();
        uint8_t deleted = in.U8();
        uint64_t size = in.U64();
        if (!in.ok())
            return;
        AddNtfsFileRecord(sector, name.c_str(), record, parent, created, changed, deleted, size);
        ++g_FileCount;
    };
    return ReadFolderAndFileLists(in, progress, NtfsFolderMinBytes, readFolder, NtfsFileMinBytes, readFile);
}

bool ReadTraceLists(CSnapshotIn& in, CLoadProgress& progress)
{
    std::wstring extension, description, hitName;
    std::string signature;
    g_FolderCount = 0;
    ReadRecords(in, progress, SignatureMinBytes, [&] {
        if (!in.Name(SignatureFixed, 2, extension) || !in.Name(SignatureFixed, 2, description) ||
            !in.Text(SignatureFixed, 2, signature))
            return;
        uint32_t compareLength = in.U32();
        int32_t fifth = (int32_t)in.U32();
        if (in.ok())
            AppendSignatureSelection(extension.c_str(), description.c_str(), compareLength, signature.c_str(), fifth);
    });
    g_FileCount = 0;
    ReadRecords(in, progress, HitMinBytes, [&] {
        if (!in.Name(HitFixed, 4, extension) || !in.Name(HitFixed, 4, hitName) || !in.Name(HitFixed, 4, description))
            return;
        uint32_t hitNumber = in.U32();
        uint32_t start = in.U32();
        if (!in.ok())
            return;
        AppendTraceHit(hitName.c_str(), extension.c_str(), description.c_str(), start, hitNumber);
        ++g_FileCount;
        g_FolderCount = g_FileCount;
    });
    return in.ok();
}

}  // namespace

wchar_t SnapshotModeLetter(int scanMode)
{
    if (scanMode == ScanModeExtensive)
        return L'A';
    if (scanMode == ScanModeFileTrace)
        return L'R';
    return L'D';
}

bool BuildSnapshot(wchar_t modeLetter, std::vector<unsigned char>& out)
{
    std::vector<unsigned char> bytes;
    CSnapshotOut w(bytes);
    w.U16((uint16_t)modeLetter);
    w.Bytes(SnapshotTag, sizeof SnapshotTag);
    w.Bytes(SnapshotVersion, sizeof SnapshotVersion);
    WriteParams(w);
    if (modeLetter == L'R')
        WriteTraceLists(w);
    else if (VolumeParams.fileSystemType == FileSystemFat16 || VolumeParams.fileSystemType == FileSystemFat32)
        WriteFatLists(w);
    else if (VolumeParams.fileSystemType == FileSystemNtfs)
        WriteNtfsLists(w, modeLetter);
    if (w.tooLong())
        return false;
    w.U16(g_DiskIndex);
    w.U16(g_SourceType);
    out.swap(bytes);
    return true;
}

SnapshotWriteResult WriteSnapshotFile(const wchar_t* path, wchar_t modeLetter)
{
    std::vector<unsigned char> bytes;
    if (!BuildSnapshot(modeLetter, bytes))
        return SnapshotWriteFailed;
    FILE* f = _wfopen(path, L"wb");
    if (!f)
        return SnapshotOpenFailed;
    bool written = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    written = fflush(f) == 0 && written;
    written = fclose(f) == 0 && written;
    if (!written) {
        DeleteFileW(path);
        return SnapshotWriteFailed;
    }
    return SnapshotWritten;
}

void FreeAllResultLists()
{
    ResetEngineRun();
    FreeSignatureList();
}

SnapshotReadResult ReadSnapshotFile(const wchar_t* path, CSnapshotShell* shell)
{
    FreeAllResultLists();
    CStdioFile file(_wfopen(path, L"rb"));
    if (!file.get())
        return SnapshotOpenError;
    int64_t size = _filelengthi64(_fileno(file.get()));
    if (size < 0)
        return SnapshotOpenError;
    CSnapshotIn in(file.get(), (uint64_t)size);
    CLoadProgress progress(shell);

    unsigned char letter[2], tag[sizeof SnapshotTag], version[sizeof SnapshotVersion];
    in.Bytes(letter, sizeof letter);
    if (!in.Bytes(tag, sizeof tag))
        return SnapshotDamaged;
    if (memcmp(tag, SnapshotTag, sizeof tag) != 0)
        return SnapshotTagError;
    if (!in.Bytes(version, sizeof version))
        return SnapshotDamaged;
    if (memcmp(version, SnapshotVersion, sizeof version) != 0)
        return SnapshotVersionError;
    const wchar_t modeLetter = (wchar_t)le16(letter);
    VolumeParamsRecord params = VolumeParams;
    ReadParams(in, params);
    if (!in.ok() || !ParamsUsable(modeLetter, params))
        return SnapshotDamaged;

    bool ok = true;
    if (modeLetter == L'R')
        ok = ReadTraceLists(in, progress);
    else if (params.fileSystemType == FileSystemFat16 || params.fileSystemType == FileSystemFat32)
        ok = ReadFatLists(in, progress);
    else if (params.fileSystemType == FileSystemNtfs)
        ok = ReadNtfsLists(in, progress);
    uint16_t diskIndex = in.U16();
    uint16_t sourceType = in.U16();
    if (!ok || !in.ok() || in.left() != 0) {
        FreeAllResultLists();
        return SnapshotDamaged;
    }
    VolumeParams = params;
    g_DiskIndex = diskIndex;
    g_SourceType = sourceType;
    ClearMftRunTable();   // built again for the loaded parameters when a source matches
    return SnapshotRead;
}

int ReadSnapshotModeLetter(const wchar_t* path)
{
    CStdioFile file(_wfopen(path, L"rb"));
    unsigned char letter[2];
    if (!file.get() || fread(letter, 1, 2, file.get()) != 2)
        return 0;
    return le16(letter);
}

const wchar_t* SnapshotReadMessage(SnapshotReadResult result)
{
    switch (result) {
    case SnapshotRead:
        return L"";
    case SnapshotOpenError:
        return L"Unable to open the file.";
    case SnapshotTagError:
        return L"Invalid version of the file found : ";
    case SnapshotVersionError:
        return L"version of file does not match with current version 1.0";
    case SnapshotDamaged:
        break;
    }
    return L"Invalid Snapshot File. Please Load respective valid Snapshot. ";
}
