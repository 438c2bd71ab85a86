// Native driver for the archive readers under the sanitizers: every zip
// archive of the fixture folder, and seeded damaged copies of it (bytes
// flipped, cut short, fields overwritten), goes through the zip access
// wrapper over a memory source: open, describe every entry, unpack every
// entry to memory. Every tar inside a fixture ".tar.gz" and its damaged
// copies go through the tar walk. Usage: archive_native FIXTURE_DIR ROUNDS
#include "windows.h"

#include "TarArchive.h"
#include "ZipArchive.h"

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

// The few Win32 calls the wrapper makes beyond the engine's shim.
BOOL DosDateTimeToFileTime(WORD date, WORD time, FILETIME* ft)
{
    if ((date & 0x1F) == 0 || ((date >> 5) & 0x0F) == 0)
        return FALSE;
    SYSTEMTIME st = {(WORD)(1980 + (date >> 9)), (WORD)((date >> 5) & 0x0F), 0, (WORD)(date & 0x1F),
                     (WORD)(time >> 11), (WORD)((time >> 5) & 0x3F), (WORD)((time & 0x1F) * 2), 0};
    return SystemTimeToFileTime(&st, ft);
}
BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc) { *utc = *local; return TRUE; }
DWORD GetCurrentDirectoryW(DWORD, LPWSTR) { return 0; }
DWORD GetFileType(HANDLE) { return FILE_TYPE_DISK; }
BOOL DuplicateHandle(HANDLE, HANDLE, HANDLE, HANDLE*, DWORD, BOOL, DWORD) { return FALSE; }
BOOL SetFileTime(HANDLE, const FILETIME*, const FILETIME*, const FILETIME*) { return TRUE; }

namespace {

std::vector<unsigned char> ReadAll(const std::string& path, bool gunzip)
{
    std::vector<unsigned char> data;
    if (gunzip) {
        gzFile f = gzopen(path.c_str(), "rb");
        unsigned char buf[65536];
        int n;
        while (f && (n = gzread(f, buf, sizeof buf)) > 0)
            data.insert(data.end(), buf, buf + n);
        if (f)
            gzclose(f);
    } else if (FILE* f = fopen(path.c_str(), "rb")) {
        unsigned char buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0)
            data.insert(data.end(), buf, buf + n);
        fclose(f);
    }
    return data;
}

void Damage(std::vector<unsigned char>& d, std::mt19937& rng)
{
    if (d.empty())
        return;
    switch (rng() % 4) {
    case 0: // flip bytes
        for (int i = 0, n = 1 + rng() % 8; i < n; ++i)
            d[rng() % d.size()] ^= (unsigned char)(1 + rng() % 255);
        break;
    case 1: // cut short
        d.resize(rng() % d.size());
        break;
    case 2: // a 16- or 32-bit field set to an extreme
        for (int i = 0, n = 1 + rng() % 3; i < n; ++i) {
            size_t at = rng() % d.size();
            unsigned char v = (rng() & 1) ? 0xFF : 0x00;
            for (size_t k = at; k < d.size() && k < at + 2 + (rng() % 3); ++k)
                d[k] = v;
        }
        break;
    default: // octal digits where sizes live
        for (int i = 0, n = 1 + rng() % 4; i < n; ++i)
            d[rng() % d.size()] = (unsigned char)('0' + rng() % 8);
        break;
    }
}

void RunZip(const std::vector<unsigned char>& d)
{
    ZipHandle* h = ZipOpenArchive(d.data(), (DWORD)d.size(), ZIP_KIND_MEMORY);
    if (!h)
        return;
    ZipEntryInfo e;
    if (ZipGetEntry(h, -1, &e) == 0) {
        int count = e.index < 64 ? e.index : 64;
        std::vector<char> buffer(4096);
        for (int i = 0; i < count; ++i) {
            ZipGetEntry(h, i, &e);
            int rounds = 0;
            while (ZipExtractEntry(h, i, buffer.data(), (DWORD)buffer.size(), ZIP_KIND_MEMORY) == ZIP_MORE_DATA &&
                   ++rounds < 4096) {
            }
        }
        ZipGetEntry(h, count + 1, &e);
    }
    ZipCloseArchive(h);
}

void RunTar(const std::vector<unsigned char>& d)
{
    int count = TarCountMembers(d.data(), d.size());
    for (int i = 0; i <= count + 1; ++i) {
        TarMember m;
        if (TarFindMember(d.data(), d.size(), i, &m) == TAR_FOUND) {
            // Touch the member's first and last byte: both must lie inside.
            if (m.size) {
                volatile unsigned char first = d[m.dataOffset], last = d[m.dataOffset + m.size - 1];
                (void)first;
                (void)last;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s FIXTURE_DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    std::string dir = std::string(argv[1]) + "/archives";
    int rounds = argc > 2 ? atoi(argv[2]) : 200;
    std::vector<std::vector<unsigned char>> zips, tars;
    DIR* d = opendir(dir.c_str());
    if (!d) {
        fprintf(stderr, "no archives in %s\n", dir.c_str());
        return 2;
    }
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zip") == 0)
            zips.push_back(ReadAll(dir + "/" + name, false));
        else if (name.size() > 7 && name.compare(name.size() - 7, 7, ".tar.gz") == 0)
            tars.push_back(ReadAll(dir + "/" + name, true));
    }
    closedir(d);
    std::mt19937 rng(12345);
    size_t cases = 0;
    for (const auto& z : zips) {
        RunZip(z);
        for (int r = 0; r < rounds; ++r, ++cases) {
            std::vector<unsigned char> copy = z;
            Damage(copy, rng);
            RunZip(copy);
        }
    }
    for (const auto& t : tars) {
        RunTar(t);
        for (int r = 0; r < rounds; ++r, ++cases) {
            std::vector<unsigned char> copy = t;
            Damage(copy, rng);
            RunTar(copy);
        }
    }
    printf("archives: %zu zip and %zu tar fixtures, %zu damaged copies, no faults\n", zips.size(), tars.size(), cases);
    return 0;
}
