#include "ExtensiveTestSupport.h"

#include <wincrypt.h>

#include <algorithm>
#include <sstream>

#include "../fat/FixtureOracles.h"
#include "SavedCopy.h"
#include "TestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "save/SaveFile.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

void CRecordingExtensiveShell::SetProgress(int position)
{
    lowestProgress = std::min(lowestProgress, position);
    highestProgress = std::max(highestProgress, position);
}

bool CRecordingExtensiveShell::HasStatus(const wchar_t* text) const
{
    return std::find(statuses.begin(), statuses.end(), std::wstring(text)) != statuses.end();
}

void CRecordingExtensiveShell::BuildFatTree()
{
    // The FAT lists are the Quick Scan's: its recorder builds the same tree.
    CRecordingShell quick;
    quick.BuildFatTree();
    tree = quick.tree;
}

void CRecordingExtensiveShell::BuildNtfsTree()
{
    // Files of the chosen file system stay in the Extensive Scan's list; the
    // result list takes them by parent.
    std::map<uint32_t, std::vector<NtfsScanFileRecord*>> files;
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
        if (IsInChosenNtfsVolume(f))
            files[f->parent].push_back(f);
    ListNtfsTree(tree, [&](uint32_t key) -> const std::vector<NtfsScanFileRecord*>& { return files[key]; });
}

namespace {

DWORD WINAPI ScanThread(void* shell)
{
    return ExtensiveScanProc(shell);
}

DWORD WINAPI ExtractThread(void* shell)
{
    return ExtractionProc(shell);
}

bool RunWorker(LPTHREAD_START_ROUTINE proc, CExtensiveScanShell& shell, DWORD timeoutMs)
{
    BeginScanWorker();
    HANDLE thread = CreateThread(NULL, 0, proc, &shell, 0, NULL);
    bool done = tesmir::test::PumpUntil([] { return g_ScanBusy == 0 && g_ScanStop == 1; }, timeoutMs);
    if (done)
        WaitForSingleObject(thread, timeoutMs);
    CloseHandle(thread);
    return done;
}

}  // namespace

bool RunExtensiveScan(CExtensiveScanShell& shell, uint16_t code, uint32_t start, uint32_t count, DWORD timeoutMs)
{
    FreeEntryLists();
    FreeNtfsEntryLists();
    FreeExtensiveScanLists();
    g_ScanMode = ScanModeExtensive;
    g_BootStepDone = g_DirStepDone = 0;
    VolumeParamsRecord p = {};
    p.selectionCode = code;
    p.startSector = start;
    p.sectorCount = count;
    p.endSector = start + count;
    VolumeParams = p;
    bool done = RunWorker(&ScanThread, shell, timeoutMs);
    return done && g_BootStepDone && g_DirStepDone;
}

bool RunExtraction(CExtensiveScanShell& shell, unsigned number, DWORD timeoutMs)
{
    if (!SelectFoundVolumeParams(number))
        return false;
    return RunWorker(&ExtractThread, shell, timeoutMs);
}

unsigned FoundVolumeNumber(const CRecordingExtensiveShell& shell, const std::wstring& item)
{
    unsigned n = 1;
    for (FoundVolume* v = g_FoundVolumes.head; v; v = v->next, ++n)
        if (v->treeItem >= 1 && v->treeItem <= shell.items.size() && shell.items[v->treeItem - 1] == item)
            return n;
    return 0;
}

CTempVolume::CTempVolume(uint64_t sectors) : m_image((size_t)sectors * 512, 0)
{
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"ext", 0, file);
    m_path = file;
}

CTempVolume::~CTempVolume()
{
    if (g_VolumeHandle && g_VolumeHandle != INVALID_HANDLE_VALUE)
        CloseHandle(g_VolumeHandle);
    g_VolumeHandle = NULL;
    g_SourceType = SourceVirtualDisk;
    DeleteFileW(m_path.c_str());
}

void CTempVolume::Write(uint64_t lba, const void* data, size_t bytes)
{
    memcpy(&m_image[(size_t)lba * 512], data, bytes);
}

unsigned char* CTempVolume::Sector(uint64_t lba)
{
    return &m_image[(size_t)lba * 512];
}

void CTempVolume::Open()
{
    HANDLE f = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(f, m_image.data(), (DWORD)m_image.size(), &written, NULL);
    CloseHandle(f);
    g_VolumeHandle = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, 0, NULL);
    g_SourceType = SourceLogicalVolume;
}

namespace {

void Put16(unsigned char* p, uint16_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}

void Put32(unsigned char* p, uint32_t v)
{
    Put16(p, (uint16_t)v);
    Put16(p + 2, (uint16_t)(v >> 16));
}

// A $FILE_NAME value (key) with a Win32 name; returns its length.
size_t PutFileNameValue(unsigned char* v, const wchar_t* name, uint32_t parent, bool directory)
{
    size_t n = wcslen(name);
    Put32(v, parent);
    Put16(v + 6, 1);
    Put32(v + 0x08, 0x01020304);   // creation time, low half
    Put32(v + 0x38, directory ? 0x10000000 : 0);
    v[0x40] = (unsigned char)n;
    v[0x41] = 1;
    for (size_t i = 0; i < n; ++i)
        Put16(v + 0x42 + 2 * i, (uint16_t)name[i]);
    return 0x42 + 2 * n;
}

// Writes the update sequence as a volume holds it: each sector's last two
// bytes saved in the array and replaced by the sequence number.
void ProtectBlock(unsigned char* block, size_t size, uint16_t arrayOffset)
{
    uint16_t sectors = (uint16_t)(size / 512);
    Put16(block + 4, arrayOffset);
    Put16(block + 6, (uint16_t)(sectors + 1));
    Put16(block + arrayOffset, 7);
    for (uint16_t i = 0; i < sectors; ++i) {
        unsigned char* end = block + 512 * i + 510;
        block[arrayOffset + 2 + 2 * i] = end[0];
        block[arrayOffset + 3 + 2 * i] = end[1];
        Put16(end, 7);
    }
}

}  // namespace

std::vector<unsigned char> MakeFileRecord(const wchar_t* name, uint32_t parent, unsigned flags)
{
    std::vector<unsigned char> r(1024, 0);
    memcpy(r.data(), "FILE", 4);
    Put16(&r[0x10], 1);
    Put16(&r[0x14], 0x38);
    Put16(&r[0x16], (uint16_t)flags);
    Put32(&r[0x1C], 1024);
    unsigned char* a = &r[0x38];
    size_t valueLength = PutFileNameValue(a + 0x18, name, parent, (flags & 2) != 0);
    uint32_t length = (uint32_t)((0x18 + valueLength + 7) & ~7u);
    Put32(a, 0x30);
    Put32(a + 4, length);
    Put32(a + 0x10, (uint32_t)valueLength);
    Put16(a + 0x14, 0x18);
    Put32(a + length, 0xFFFFFFFF);
    Put32(&r[0x18], 0x38 + length + 8);
    ProtectBlock(r.data(), r.size(), 0x30);
    return r;
}

std::vector<unsigned char> MakeIndexBlock(uint32_t owner, uint32_t vcn)
{
    std::vector<unsigned char> b(512, 0);
    memcpy(b.data(), "INDX", 4);
    Put32(&b[0x10], vcn);
    Put32(&b[0x18], 0x28);      // first entry at 0x18 + 0x28
    Put32(&b[0x20], 512 - 0x18);
    unsigned char* e = &b[0x40];
    Put32(e, 64);               // the entry's own record
    size_t keyLength = PutFileNameValue(e + 0x10, L"entry", owner, false);
    Put16(e + 8, (uint16_t)((0x10 + keyLength + 7) & ~7u));
    Put16(e + 0x0A, (uint16_t)keyLength);
    Put32(&b[0x1C], 0x28 + 0x60);
    ProtectBlock(b.data(), b.size(), 0x28);
    return b;
}

void MakeShortEntry(unsigned char* s, int i, const char name11[11], uint8_t attributes, uint32_t cluster,
                    uint32_t size)
{
    unsigned char* e = s + 32 * i;
    memcpy(e, name11, 11);
    e[11] = attributes;
    Put16(e + 0x14, (uint16_t)(cluster >> 16));
    Put16(e + 0x1A, (uint16_t)cluster);
    Put32(e + 0x1C, size);
}

void MakeDirSector(unsigned char* s, uint32_t cluster, uint32_t parent)
{
    MakeShortEntry(s, 0, ".          ", 0x10, cluster, 0);
    MakeShortEntry(s, 1, "..         ", 0x10, parent, 0);
}

void MakeFatBootSector(unsigned char* s, bool fat32, uint8_t sectorsPerCluster, uint16_t reserved,
                       uint32_t fatSize, uint32_t totalSectors)
{
    memset(s, 0, 512);
    s[0] = 0xEB;
    Put16(s + 0x0B, 512);
    s[0x0D] = sectorsPerCluster;
    Put16(s + 0x0E, reserved);
    s[0x10] = 2;
    if (fat32) {
        Put32(s + 0x20, totalSectors);
        Put32(s + 0x24, fatSize);
        Put32(s + 0x2C, 2);
        memcpy(s + 0x52, "FAT32   ", 8);
    } else {
        Put16(s + 0x11, 512);
        if (totalSectors < 0x10000)
            Put16(s + 0x13, (uint16_t)totalSectors);
        else
            Put32(s + 0x20, totalSectors);
        Put16(s + 0x16, (uint16_t)fatSize);
        memcpy(s + 0x36, "FAT16   ", 8);
    }
    s[510] = 0x55;
    s[511] = 0xAA;
}

// Declared by the headers only for later Windows versions than the build
// targets; the provider knows it wherever it runs.
#ifndef CALG_SHA_256
#define CALG_SHA_256 0x0000800c
#endif

std::string Sha256Hex(const std::string& bytes)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    std::string hex;
    if (!CryptAcquireContextW(&provider, NULL, NULL, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        return hex;
    if (CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) {
        CryptHashData(hash, (const BYTE*)bytes.data(), (DWORD)bytes.size(), 0);
        BYTE digest[32];
        DWORD n = sizeof(digest);
        if (CryptGetHashParam(hash, HP_HASHVAL, digest, &n, 0)) {
            static const char digits[] = "0123456789abcdef";
            for (DWORD i = 0; i < n; ++i) {
                hex += digits[digest[i] >> 4];
                hex += digits[digest[i] & 15];
            }
        }
        CryptDestroyHash(hash);
    }
    CryptReleaseContext(provider, 0);
    return hex;
}

std::map<std::string, std::string> PlantedHashes(const wchar_t* manifest, int partition)
{
    std::map<std::string, std::string> out;
    std::istringstream in(tesmir::test::ReadWholeFile(tesmir::test::FixturePath(manifest)));
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        if (f.size() >= 6 && f[0] == std::to_string(partition) && f[2] != "0" && f[3] != "-" && f[4] == "no" &&
            f[5] == "file")
            out[f[1]] = f[3];
    }
    return out;
}

std::string SavedHash(bool ntfs, uint32_t source, uint64_t size)
{
    bool whole = false;
    std::string bytes = SavedCopy(ntfs, source, size, &whole);
    return whole ? Sha256Hex(bytes) : std::string();
}

namespace {

std::string Upper(const std::string& utf8)
{
    std::wstring w = oracle::Utf8(utf8);
    if (!w.empty())
        CharUpperBuffW(&w[0], (DWORD)w.size());
    return tesmir::test::Utf8(w);
}

}  // namespace

void ExpectFatContents(const wchar_t* manifest, int partition)
{
    std::map<std::string, std::string> planted;
    for (const auto& e : PlantedHashes(manifest, partition))
        planted[Upper(e.first)] = e.second;
    std::map<uint32_t, std::string> folderPath = {{0u, ""}};
    WalkFatFolderTree(0u, std::string(), [&](FatFolderRecord* f, const std::string& parent) {
        std::string path = parent + Utf8(f->name) + "/";
        folderPath[f->cluster] = path;
        return path;
    });
    size_t checked = 0;
    for (FatFileRecord* f = g_FatFiles.head; f; f = f->next) {
        auto it = planted.find(Upper(folderPath[f->parentCluster] + Utf8(f->name)));
        if (f->deleted || it == planted.end())
            continue;
        EXPECT_EQ(it->second, SavedHash(false, f->firstCluster, f->size)) << it->first;
        planted.erase(it);
        ++checked;
    }
    EXPECT_GT(checked, 0u);
    for (const auto& e : planted)
        ADD_FAILURE() << "not read back: " << e.first;
}
