// The zip access wrapper over each source kind and over damaged archives.
#include "ArchiveTestSupport.h"
#include "TestSupport.h"
#include "ZipArchive.h"
#include "ZipWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace archivetest;
using tesmir::test::ReadWholeFile;

namespace {

// Opens an archive through one source kind; keeps what the source needs alive.
struct ZipSourceKind
{
    const char* label;
    std::function<ZipHandle*(const std::wstring& path, std::string* keep, HANDLE* file)> open;
};

const ZipSourceKind kSources[] = {
    {"handle",
     [](const std::wstring& path, std::string*, HANDLE* file) -> ZipHandle* {
         // The archive sits 100 bytes into the file, where the handle points.
         std::string bytes = std::string(100, 'J') + ReadWholeFile(path);
         std::wstring copy = tesmir::test::BuildPath(L"zip-handle-source.bin");
         HANDLE h = CreateFileW(copy.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
         DWORD done = 0;
         WriteFile(h, bytes.data(), (DWORD)bytes.size(), &done, nullptr);
         SetFilePointer(h, 100, nullptr, FILE_BEGIN);
         *file = h;
         return ZipOpenArchive(h, 0, ZIP_KIND_HANDLE);
     }},
    {"filename",
     [](const std::wstring& path, std::string*, HANDLE*) -> ZipHandle* {
         return ZipOpenArchive(path.c_str(), 0, ZIP_KIND_FILENAME);
     }},
    {"memory",
     [](const std::wstring& path, std::string* keep, HANDLE*) -> ZipHandle* {
         *keep = ReadWholeFile(path);
         return ZipOpenArchive(keep->data(), (DWORD)keep->size(), ZIP_KIND_MEMORY);
     }},
};

class ZipSources : public ::testing::TestWithParam<int>
{
protected:
    ZipHandle* Open(const wchar_t* name)
    {
        return kSources[GetParam()].open(ArchivePath(name), &m_keep, &m_file);
    }
    void TearDown() override
    {
        if (m_file)
            CloseHandle(m_file);
    }
    std::string m_keep;
    HANDLE m_file = nullptr;
};

std::string Narrow(const WCHAR* w)
{
    return tesmir::test::Utf8(w);
}

} // namespace

TEST_P(ZipSources, CountsIndexesAndAttributes)
{
    ZipHandle* h = Open(L"basic.zip");
    ASSERT_NE(h, nullptr);
    ZipEntryInfo e = {};
    ASSERT_EQ(ZipGetEntry(h, -1, &e), 0u);
    EXPECT_EQ(e.index, 3);
    EXPECT_EQ(e.name[0], 0);
    EXPECT_EQ(ZipGetEntry(h, 3, &e), 0x10000u);
    EXPECT_EQ(ZipGetEntry(h, -2, &e), 0x10000u);

    struct { int index; const char* name; DWORD attributes; DWORD uncompressed; } expected[] = {
        {0, "dir/", 0x90, 0},
        {1, "dir/a.txt", 0x80, 1800},      // Unix mode 0644: writable
        {2, "b.txt", 0xA1, 10},            // made on Windows: read-only, archive
    };
    // Backwards first: the walk restarts from the first entry.
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 2; k >= 0; --k) {
            const auto& x = expected[pass ? 2 - k : k];
            ASSERT_EQ(ZipGetEntry(h, x.index, &e), 0u) << x.name;
            EXPECT_EQ(Narrow(e.name), x.name);
            EXPECT_EQ(e.attributes, x.attributes) << x.name;
            EXPECT_EQ(e.uncompressedSize, x.uncompressed) << x.name;
            EXPECT_EQ(Ticks(e.modificationTime), Ticks(LocalAsUtc(2020, 1, 2, 3, 4, 6))) << x.name;
        }
    }
    ASSERT_EQ(ZipGetEntry(h, 1, &e), 0u);
    EXPECT_LT(e.compressedSize, e.uncompressedSize);
    EXPECT_EQ(ZipCloseArchive(h), 0u);
}

TEST_P(ZipSources, MemoryExtractionGivesMoreDataThenDone)
{
    ZipHandle* h = Open(L"basic.zip");
    ASSERT_NE(h, nullptr);
    char buffer[10] = {};
    EXPECT_EQ(ZipExtractEntry(h, 2, buffer, sizeof buffer, ZIP_KIND_MEMORY), 0x600u);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    EXPECT_EQ(ZipExtractEntry(h, 2, buffer, sizeof buffer, ZIP_KIND_MEMORY), 0u);
    // A bigger entry in pieces, each call resuming where the last stopped.
    std::string oracle = ReadWholeFile(ArchivePath(L"extract\\basic\\dir\\a.txt"));
    ASSERT_EQ(oracle.size(), 1800u);
    EXPECT_EQ(ZipExtractEntry(h, 1, buffer, 7, ZIP_KIND_MEMORY), 0x600u);
    EXPECT_EQ(std::string(buffer, 7), oracle.substr(0, 7));
    EXPECT_EQ(ZipExtractEntry(h, 1, buffer, 7, ZIP_KIND_MEMORY), 0x600u);
    EXPECT_EQ(std::string(buffer, 7), oracle.substr(7, 7));
    std::vector<char> rest(2000);
    EXPECT_EQ(ZipExtractEntry(h, 1, rest.data(), 2000, ZIP_KIND_MEMORY), 0x600u);
    EXPECT_EQ(std::string(rest.data(), 1800 - 14), oracle.substr(14));
    EXPECT_EQ(ZipExtractEntry(h, 1, rest.data(), 2000, ZIP_KIND_MEMORY), 0u);
    EXPECT_EQ(ZipExtractEntry(h, 9, buffer, 7, ZIP_KIND_MEMORY), 0x10000u);
    EXPECT_EQ(ZipCloseArchive(h), 0u);
}

TEST_P(ZipSources, OtherMethodsAreListed)
{
    ZipHandle* h = Open(L"methods.zip");
    ASSERT_NE(h, nullptr);
    ZipEntryInfo e = {};
    ASSERT_EQ(ZipGetEntry(h, 0, &e), 0u);
    EXPECT_EQ(Narrow(e.name), "lzma.txt");
    ASSERT_EQ(ZipGetEntry(h, 1, &e), 0u);
    EXPECT_EQ(Narrow(e.name), "bzip2.txt");
    EXPECT_EQ(e.uncompressedSize, 1800u);
    EXPECT_EQ(ZipCloseArchive(h), 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ZipSources, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& i) { return std::string(kSources[i.param].label); });

TEST(ZipArchive, DescribingTwiceAnswersFromTheCache)
{
    std::string bytes = ReadWholeFile(ArchivePath(L"basic.zip"));
    ZipHandle* h = ZipOpenArchive(bytes.data(), (DWORD)bytes.size(), ZIP_KIND_MEMORY);
    ASSERT_NE(h, nullptr);
    ZipEntryInfo first = {}, second = {};
    ASSERT_EQ(ZipGetEntry(h, 2, &first), 0u);
    // Wipe the central directory: a second describe that read it would fail.
    size_t central = bytes.find("PK\x01\x02");
    std::fill(bytes.begin() + central, bytes.end() - 22, '\0');
    ASSERT_EQ(ZipGetEntry(h, 2, &second), 0u);
    EXPECT_EQ(memcmp(&first, &second, sizeof first), 0);
    EXPECT_EQ(ZipCloseArchive(h), 0u);
}

TEST(ZipArchive, ExtendedTimeBlocks)
{
    const FILETIME dos = LocalAsUtc(2020, 1, 2, 3, 4, 6);
    const FILETIME set = Utc(2020, 9, 13, 12, 26, 40);   // 1600000000
    struct Case { const wchar_t* file; FILETIME modified, accessed, created; } cases[] = {
        {L"ut-modonly.zip", set, dos, dos},
        {L"ut-all.zip", set, Utc(2020, 9, 13, 12, 26, 50), Utc(2020, 9, 13, 12, 27, 0)},
        // Taken unsigned: 0x80000000 is in 2038, not before 1970.
        {L"ut-high.zip", Utc(2038, 1, 19, 3, 14, 8), dos, dos},
        // A block header with no room for its data, and flags that claim
        // more times than the block holds: the DOS time stays.
        {L"ut-cut.zip", dos, dos, dos},
        {L"ut-short.zip", set, dos, dos},
    };
    for (const Case& c : cases) {
        ZipHandle* h = ZipOpenArchive(ArchivePath(c.file).c_str(), 0, ZIP_KIND_FILENAME);
        ASSERT_NE(h, nullptr) << Narrow(c.file);
        ZipEntryInfo e = {};
        ASSERT_EQ(ZipGetEntry(h, 0, &e), 0u) << Narrow(c.file);
        EXPECT_EQ(Ticks(e.modificationTime), Ticks(c.modified)) << Narrow(c.file);
        EXPECT_EQ(Ticks(e.accessTime), Ticks(c.accessed)) << Narrow(c.file);
        EXPECT_EQ(Ticks(e.creationTime), Ticks(c.created)) << Narrow(c.file);
        ZipCloseArchive(h);
    }
}

TEST(ZipArchive, InfoZipArchivesWithAndWithoutTimeBlocks)
{
    for (const wchar_t* file : {L"infozip.zip", L"infozip-x.zip"}) {
        ZipHandle* h = ZipOpenArchive(ArchivePath(file).c_str(), 0, ZIP_KIND_FILENAME);
        ASSERT_NE(h, nullptr);
        ZipEntryInfo e = {};
        ASSERT_EQ(ZipGetEntry(h, -1, &e), 0u);
        ASSERT_EQ(e.index, 3);
        ASSERT_EQ(ZipGetEntry(h, 2, &e), 0u);
        EXPECT_EQ(Narrow(e.name), "b.txt");
        // Made at 2021-03-04 05:06:07 UTC: exact from "UT"; without it the DOS
        // time is the wall clock of the making machine, which Info-ZIP
        // rounds up to the next even second.
        const bool timeBlocks = file == std::wstring(L"infozip.zip");
        FILETIME expected = timeBlocks ? Utc(2021, 3, 4, 5, 6, 7) : LocalAsUtc(2021, 3, 4, 5, 6, 8);
        EXPECT_EQ(Ticks(e.modificationTime), Ticks(expected)) << Narrow(file);
        ZipCloseArchive(h);
    }
}

TEST(ZipArchive, ExtractionToFilesMatchesZipfile)
{
    std::wstring folder = FreshFolder(L"zip-extract");
    WCHAR oldDir[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, oldDir);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    for (const wchar_t* archive : {L"basic", L"infozip"}) {
        ZipHandle* h = ZipOpenArchive(ArchivePath((std::wstring(archive) + L".zip").c_str()).c_str(), 0,
                                      ZIP_KIND_FILENAME);
        ASSERT_NE(h, nullptr);
        ZipEntryInfo e = {};
        ZipGetEntry(h, -1, &e);
        for (int i = 0; i < e.index; ++i) {
            ZipEntryInfo entry = {};
            ASSERT_EQ(ZipGetEntry(h, i, &entry), 0u);
            std::wstring target = std::wstring(archive) + L"/" + entry.name;
            ASSERT_EQ(ZipExtractEntry(h, i, (void*)target.c_str(), 0, ZIP_KIND_FILENAME), 0u) << Narrow(entry.name);
            if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            std::wstring oracle = ArchivePath((std::wstring(L"extract\\") + archive + L"\\" + entry.name).c_str());
            EXPECT_EQ(ReadWholeFile(folder + L"\\" + target), ReadWholeFile(oracle)) << Narrow(entry.name);
            EXPECT_FALSE(ReadWholeFile(oracle).empty());
        }
        ZipCloseArchive(h);
    }
    // Extraction to a handle writes at its position and leaves it open.
    ZipHandle* h = ZipOpenArchive(ArchivePath(L"basic.zip").c_str(), 0, ZIP_KIND_FILENAME);
    HANDLE out = CreateFileW(L"to-handle.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(out, "<<", 2, &done, nullptr);
    EXPECT_EQ(ZipExtractEntry(h, 2, out, 0, ZIP_KIND_HANDLE), 0u);
    EXPECT_TRUE(CloseHandle(out));
    EXPECT_EQ(ReadWholeFile(folder + L"\\to-handle.bin"), "<<0123456789");
    ZipCloseArchive(h);
    SetCurrentDirectoryW(oldDir);
}

TEST(ZipArchive, NamesThatClimbOutCreateNothingOutside)
{
    std::wstring outer = FreshFolder(L"zip-climb");
    std::wstring inner = outer + L"\\a\\b";
    CreateFolderPath((outer + L"\\").c_str(), L"a\\b");
    WCHAR oldDir[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, oldDir);
    ASSERT_TRUE(SetCurrentDirectoryW(inner.c_str()));
    ZipHandle* h = ZipOpenArchive(ArchivePath(L"climb.zip").c_str(), 0, ZIP_KIND_FILENAME);
    ASSERT_NE(h, nullptr);
    ZipEntryInfo e = {};
    ASSERT_EQ(ZipGetEntry(h, 0, &e), 0u);
    EXPECT_EQ(e.attributes & FILE_ATTRIBUTE_DIRECTORY, (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(ZipExtractEntry(h, 0, (void*)L"ignored", 0, ZIP_KIND_FILENAME), 0u);
    EXPECT_EQ(GetFileAttributesW((outer + L"\\climbed").c_str()), INVALID_FILE_ATTRIBUTES);
    // A file target whose folder climbs: no folders made, so the create fails.
    EXPECT_EQ(ZipExtractEntry(h, 1, (void*)L"x/../../../made/up.txt", 0, ZIP_KIND_FILENAME), 0x200u);
    EXPECT_EQ(GetFileAttributesW((outer + L"\\made").c_str()), INVALID_FILE_ATTRIBUTES);
    ZipCloseArchive(h);
    SetCurrentDirectoryW(oldDir);

    struct { const wchar_t* path; bool inside; } paths[] = {
        {L"a/b/c.txt", true}, {L"a..b/c", true}, {L"../x", false}, {L"a/../../x", false}, {L"a\\..", false},
        {L"/abs", false}, {L"\\abs", false}, {L"C:x", false}, {L"..", false},
    };
    for (const auto& p : paths)
        EXPECT_EQ(IsContainedRelativePath(p.path), p.inside) << Narrow(p.path);
}

TEST(ZipArchive, DamagedArchivesEndWithAResult)
{
    // Each opens or not; every index answers with a code; nothing hangs.
    struct Case { const wchar_t* file; bool opens; int count; DWORD firstEntry; } cases[] = {
        {L"eocd5.zip", true, 5, 0},
        {L"dosdate0.zip", true, 1, 0},
        {L"badlocal.zip", true, 3, 0x700},
        {L"truncated.zip", false, 0, 0},
        {L"notzip.zip", false, 0, 0},
        {L"empty.zip", true, 0, 0x10000},
        {L"missing.zip", false, 0, 0},
    };
    for (const Case& c : cases) {
        ZipHandle* h = ZipOpenArchive(ArchivePath(c.file).c_str(), 0, ZIP_KIND_FILENAME);
        ASSERT_EQ(h != nullptr, c.opens) << Narrow(c.file);
        if (!h) {
            EXPECT_EQ(g_ZipLastResult, 0x200u) << Narrow(c.file);
            continue;
        }
        ZipEntryInfo e = {};
        ASSERT_EQ(ZipGetEntry(h, -1, &e), 0u);
        EXPECT_EQ(e.index, c.count) << Narrow(c.file);
        EXPECT_EQ(ZipGetEntry(h, 0, &e), c.firstEntry) << Narrow(c.file);
        for (int i = 0; i < c.count; ++i) {
            ZipGetEntry(h, i, &e);
            char buffer[64];
            while (ZipExtractEntry(h, i, buffer, sizeof buffer, ZIP_KIND_MEMORY) == 0x600u) {
            }
        }
        EXPECT_EQ(ZipCloseArchive(h), 0u);
    }
    // The end record claims 5: the records that are missing end the describe.
    ZipHandle* h = ZipOpenArchive(ArchivePath(L"eocd5.zip").c_str(), 0, ZIP_KIND_FILENAME);
    ZipEntryInfo e = {};
    EXPECT_EQ(ZipGetEntry(h, 2, &e), 0u);
    EXPECT_EQ(ZipGetEntry(h, 3, &e), 0x10000u);
    EXPECT_EQ(ZipGetEntry(h, 4, &e), 0x10000u);
    ZipCloseArchive(h);
    // A DOS date of 0 is no time: all three stay 0.
    h = ZipOpenArchive(ArchivePath(L"dosdate0.zip").c_str(), 0, ZIP_KIND_FILENAME);
    ASSERT_EQ(ZipGetEntry(h, 0, &e), 0u);
    EXPECT_EQ(Ticks(e.modificationTime), 0u);
    EXPECT_EQ(Ticks(e.accessTime), 0u);
    EXPECT_EQ(Ticks(e.creationTime), 0u);
    ZipCloseArchive(h);
}

TEST(ZipArchive, HandleChecks)
{
    ZipEntryInfo e = {};
    EXPECT_EQ(ZipCloseArchive(nullptr), 0x10000u);
    EXPECT_EQ(ZipGetEntry(nullptr, 0, &e), 0x10000u);
    EXPECT_EQ(ZipCloseWriter(nullptr), 0x10000u);
    EXPECT_TRUE(ZipIsReader(nullptr));
    // A pipe is no disk file.
    HANDLE readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    EXPECT_EQ(ZipOpenArchive(readEnd, 0, ZIP_KIND_HANDLE), nullptr);
    EXPECT_EQ(g_ZipLastResult, 0x2000000u);
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    EXPECT_EQ(ZipOpenArchive("x", 1, 7), nullptr);
    EXPECT_EQ(g_ZipLastResult, 0x10000u);

    ZipHandle* reader = ZipOpenArchive(ArchivePath(L"basic.zip").c_str(), 0, ZIP_KIND_FILENAME);
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(ZipIsReader(reader));
    EXPECT_EQ(ZipCloseWriter(reader), 0x80000u);
    EXPECT_EQ(ZipExtractEntry(reader, 0, (void*)"x", 1, 9), 0x10000u);
    EXPECT_EQ(ZipCloseArchive(reader), 0u);
}

TEST(ZipArchive, WriterCloseFinishesTheArchive)
{
    struct Case { DWORD room; DWORD result; } cases[] = {{200, 0}, {60, 0x400}};
    for (const Case& c : cases) {
        std::vector<BYTE> target(c.room);
        ZipWriterState* w = new ZipWriterState;
        w->targetKind = ZIP_KIND_MEMORY;
        w->memory = target.data();
        w->memoryLength = c.room;
        ZipWriterEntry entry;
        entry.name = "a.txt";
        w->entries.push_back(entry);
        ZipHandle* h = new ZipHandle{ZIP_HANDLE_WRITER, w};
        EXPECT_FALSE(ZipIsReader(h));
        EXPECT_EQ(ZipCloseArchive(h), 0x80000u);
        EXPECT_EQ(ZipCloseWriter(h), c.result);
        if (c.result == 0) {
            // 46 + 5 bytes of central record, then the end record: 1 entry.
            EXPECT_EQ(memcmp(target.data(), "PK\x01\x02", 4), 0);
            EXPECT_EQ(memcmp(target.data() + 51, "PK\x05\x06", 4), 0);
            EXPECT_EQ(target[51 + 10], 1);
            EXPECT_EQ(target[51 + 12], 51);
        }
    }
}
