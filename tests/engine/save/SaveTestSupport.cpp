#include "SaveTestSupport.h"

#include <wincrypt.h>

#include <fstream>
#include <sstream>

#include "ScanTestSupport.h"
#include "TestSupport.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "save/SavePath.h"
#include "state/EngineState.h"

// The build targets Windows XP, whose headers leave SHA-256 out; Wine and
// every later Windows provide it.
#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)
#endif

namespace {

std::wstring FatTreePath(const FatFolderRecord* f)
{
    std::wstring path = f->name;
    for (int depth = 0; f && f->parentCluster != 0 && depth < 64; ++depth) {
        f = FindFatFolder(f->parentCluster);
        if (f)
            path = std::wstring(f->name) + L"\\" + path;
    }
    return L"Root\\" + path;
}

std::wstring NtfsTreePath(const NtfsFolderRecord* f)
{
    std::wstring path = f->name;
    for (int depth = 0; f && f->parent != 5 && depth < 64; ++depth) {
        f = FindNtfsFolder(f->parent);
        if (f)
            path = std::wstring(f->name) + L"\\" + path;
    }
    return L"Root\\" + path;
}

void Walk(const std::wstring& base, const std::wstring& rel, std::map<std::wstring, std::string>& out)
{
    WIN32_FIND_DATAW fd;
    std::wstring dir = rel.empty() ? base : base + L"\\" + rel;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring r = rel.empty() ? name : rel + L"\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Walk(base, r, out);
        else
            out[r] = FileSha256(base + L"\\" + r);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

void DeleteTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring p = folder + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(p);
            else
                DeleteFileW(p.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
}

std::string Hex(const unsigned char* p, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

}  // namespace

SaveSelection MarkEverything(const std::wstring& destination, bool withFiles)
{
    SaveSelection s;
    s.destination = destination;
    s.rootTreeItem = TestRootItem;
    s.folders.push_back({TestRootItem, L"Root"});
    uint32_t item = 1;
    if (VolumeParams.fileSystemType == FileSystemNtfs) {
        for (NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next) {
            SetNtfsFolderTreeItem(f, item++);
            s.folders.push_back({f->treeItem, NtfsTreePath(f)});
        }
        if (withFiles)
            for (NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next)
                s.files.push_back(f->dataRecordSector);
    } else {
        for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
            SetFatFolderTreeItem(f, item++);
            s.folders.push_back({f->treeItem, FatTreePath(f)});
        }
        if (withFiles)
            for (FatFileRecord* f = g_FatFiles.head; f; f = f->next)
                s.files.push_back(f->fileNumber);
    }
    return s;
}

bool ScanVolume(uint16_t code, uint32_t start, uint32_t sectors)
{
    SelectVolume(code, start, sectors);
    CRecordingShell shell;
    return RunQuickScanWorker(shell, 60000);
}

std::wstring FreshFolder(const wchar_t* name)
{
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::wstring folder = std::wstring(tmp) + L"tesmir-save\\" + name;
    DeleteTree(LongDestination(folder));
    CPathMaker().CreateDirectoryPath(LongDestination(folder));
    return folder;
}

std::map<std::wstring, std::string> HashTree(const std::wstring& folder)
{
    std::map<std::wstring, std::string> out;
    Walk(LongDestination(folder), L"", out);
    return out;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buf[65536];
    DWORD n;
    bool ok = true;
    while ((ok = ReadFile(h, buf, sizeof buf, &n, nullptr) != 0) && n > 0)
        bytes.append(buf, n);
    CloseHandle(h);
    return ok;
}

std::string BytesSha256(const std::string& bytes)
{
    HCRYPTPROV prov;
    if (!CryptAcquireContextW(&prov, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        return "";
    HCRYPTHASH hash;
    std::string result;
    if (CryptCreateHash(prov, CALG_SHA_256, 0, 0, &hash)) {
        unsigned char digest[32];
        DWORD n = sizeof digest;
        if (CryptHashData(hash, (const BYTE*)bytes.data(), (DWORD)bytes.size(), 0) &&
            CryptGetHashParam(hash, HP_HASHVAL, digest, &n, 0))
            result = Hex(digest, n);
        CryptDestroyHash(hash);
    }
    CryptReleaseContext(prov, 0);
    return result;
}

std::string FileSha256(const std::wstring& path)
{
    std::string bytes;
    return ReadWholeFile(path, bytes) ? BytesSha256(bytes) : "";
}

std::wstring FromUtf8(const std::string& text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), &w[0], n);
    return w;
}

std::vector<std::vector<std::string>> ReadTsv(const wchar_t* fixture)
{
    std::vector<std::vector<std::string>> rows;
    std::string bytes;
    if (!ReadWholeFile(tesmir::test::FixturePath(fixture), bytes))
        return rows;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        size_t pos = 0;
        for (;;) {
            size_t tab = line.find('\t', pos);
            fields.push_back(line.substr(pos, tab == std::string::npos ? std::string::npos : tab - pos));
            if (tab == std::string::npos)
                break;
            pos = tab + 1;
        }
        rows.push_back(fields);
    }
    return rows;
}
