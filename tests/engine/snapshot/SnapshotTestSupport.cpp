#include "SnapshotTestSupport.h"

#include <stdio.h>

#include <sstream>

#include "extensive/ExtensiveLists.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

namespace {

std::string Narrow(const wchar_t* text)
{
    std::string s;
    for (const wchar_t* p = text ? text : L""; *p; ++p) {
        char buf[8];
        if (*p < 0x80)
            s += (char)*p;
        else {
            snprintf(buf, sizeof buf, "\\u%04x", (unsigned)*p);
            s += buf;
        }
    }
    return s;
}

std::string Time(const FILETIME& t)
{
    return std::to_string(((uint64_t)t.dwHighDateTime << 32) | t.dwLowDateTime);
}

}  // namespace

std::vector<std::string> DumpSnapshotLists(wchar_t modeLetter)
{
    std::vector<std::string> lines;
    auto add = [&lines](std::ostringstream& o) { lines.push_back(o.str()); };
    if (modeLetter == L'R') {
        for (const SignatureSelection* s = g_SignatureList.head; s; s = s->next) {
            std::ostringstream o;
            o << "sig " << Narrow(s->extension) << "|" << Narrow(s->description) << "|" << s->compareLength << "|"
              << (s->signature ? s->signature : "") << "|" << s->fifthFieldValue;
            add(o);
        }
        for (const TraceHit* h = g_TraceHitList.head; h; h = h->next) {
            std::ostringstream o;
            o << "hit " << Narrow(h->name) << "|" << Narrow(h->extension) << "|" << Narrow(h->description) << "|"
              << h->startSector << "|" << h->hitNumber;
            add(o);
        }
        return lines;
    }
    const uint16_t type = VolumeParams.fileSystemType;
    if (type != FileSystemFat16 && type != FileSystemFat32 && type != FileSystemNtfs)
        return lines;
    if (type != FileSystemNtfs) {
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
            std::ostringstream o;
            o << "fatdir " << Narrow(f->name) << "|" << f->cluster << "|" << f->parentCluster << "|"
              << f->modifiedDate << "|" << f->accessDate << "|" << f->deleted;
        add(o);
        }
        for (const FatFileRecord* f = g_FatFiles.head; f; f = f->next) {
            std::ostringstream o;
            o << "fatfile " << Narrow(f->name) << "|" << f->firstCluster << "|" << f->parentCluster << "|"
              << f->modifiedDate << "|" << f->accessDate << "|" << f->size << "|" << f->deleted << "|"
              << f->fileNumber;
            add(o);
        }
        return lines;
    }
    for (const NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next) {
        std::ostringstream o;
        o << "ntfsdir " << Narrow(f->name) << "|" << f->recordNumber << "|" << f->parent << "|" << Time(f->created)
          << "|" << Time(f->changed) << "|" << f->deleted;
        add(o);
    }
    if (modeLetter == L'A' && g_NtfsFileList.count == 0) {
        for (const NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next) {
            if (!IsInChosenNtfsVolume(f))
                continue;
            std::ostringstream o;
            o << "ntfsfile " << f->recordSector << "|" << Narrow(f->name) << "|0|" << f->parent << "|"
              << Time(f->created) << "|" << Time(f->changed) << "|" << f->deleted << "|" << f->size;
            add(o);
        }
        return lines;
    }
    for (const NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next) {
        std::ostringstream o;
        o << "ntfsfile " << f->dataRecordSector << "|" << Narrow(f->name) << "|"
          << (modeLetter == L'A' ? 0u : f->recordNumber) << "|" << f->parent << "|" << Time(f->created) << "|"
          << Time(f->changed) << "|" << f->deleted << "|" << f->size;
        add(o);
    }
    return lines;
}

std::string DumpStoredParams()
{
    const VolumeParamsRecord& v = VolumeParams;
    std::ostringstream o;
    o << v.selectionCode << " " << v.startSector << " " << v.sectorCount << " " << v.endSector << " "
      << v.partitionIndex << " " << v.fileSystemType << " " << v.fatSize << " " << v.sectorsPerCluster << " "
      << v.rootDirSectors << " " << v.reservedSectors << " " << v.clusterBase << " " << v.fat1Start << " "
      << v.fat2Start << " " << v.mftSector << " " << v.mftMirrorSector << " " << v.ntfsValueA << " "
      << v.mftRecordSizeValue << " " << v.fileSystemEnd << " " << v.foundVolumeIndex << " / " << g_DiskIndex << " "
      << g_SourceType;
    return o.str();
}

std::wstring TempSnapshotPath(const wchar_t* name)
{
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::wstring path = std::wstring(tmp) + name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    return path;
}

bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

std::vector<unsigned char> ReadBytes(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return bytes;
    unsigned char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    fclose(f);
    return bytes;
}

bool AllListsEmpty()
{
    return !g_FatFolders.head && !g_FatFiles.head && !g_NtfsFolderList.head && !g_NtfsFileList.head &&
           !g_NtfsScanFileList.head && !g_NtfsScanFolderList.head && !g_SignatureList.head && !g_TraceHitList.head &&
           g_FatFolders.count == 0 && g_FatFiles.count == 0 && g_NtfsFolderList.count == 0 &&
           g_NtfsFileList.count == 0 && g_SignatureList.count == 0 && g_TraceHitList.count == 0;
}
