// Saving everything a Quick Scan of the mixed disk lists, against the files
// the fixture planted (their SHA-256 in the manifest; check-fixtures proves
// icat gives the same bytes for the deleted ones), with their time stamps;
// and the crafted names of the names disk, which must land inside the
// destination folder.
#include <gtest/gtest.h>

#include <time.h>

#include <set>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "SaveTestSupport.h"
#include "ScanTestSupport.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "save/SaveMarkedItems.h"
#include "save/SavePath.h"
#include "save/SaveTimes.h"
#include "state/EngineState.h"

namespace {

struct Partition
{
    int number;
    uint16_t code;
    uint32_t start, sectors;
};

const Partition MixedPartitions[] = {
    {1, FileSystemFat32, 2048, 278528},
    {2, FileSystemNtfs, 280576, 49152},
    {5, FileSystemFat16, 331776, 131072},
    {6, FileSystemFat16, 464896, 32768},
};

bool ScanPartition(const Partition& p) { return ScanVolume(p.code, p.start, p.sectors); }

std::wstring Backslashed(const std::wstring& path)
{
    std::wstring s = path;
    for (wchar_t& c : s)
        if (c == L'/')
            c = L'\\';
    return s;
}

// A deleted FAT entry without a long name keeps its first character only as
// the deletion mark: the list names it with "x" in its place.
std::wstring WithDeletedMark(const std::wstring& rel)
{
    size_t slash = rel.rfind(L'\\');
    std::wstring s = rel;
    s[slash == std::wstring::npos ? 0 : slash + 1] = L'x';
    return s;
}

// Every file that did not come out whole. NTFS metadata files without a
// default data stream ($Secure, $Extend\$Quota ...) are written empty and
// are no failure.
std::string Failures(const SaveSummary& s, bool rawExpected)
{
    std::string text;
    for (const std::wstring& p : s.incompleteFiles)
        text += "incomplete " + Utf8(p) + "\n";
    if (!rawExpected)
        for (const std::wstring& p : s.notRecoverableRaw)
            text += "not raw " + Utf8(p) + "\n";
    for (const std::wstring& p : s.notWritten)
        text += "not written " + Utf8(p) + "\n";
    return text;
}

std::wstring Upper(std::wstring s)
{
    CharUpperBuffW(&s[0], (DWORD)s.size());
    return s;
}

// The FAT files of the names disk read, on the local clock, the time the
// fixture planted (the volume keeps local time; it was written with TZ=UTC),
// to FAT's two seconds.
void ExpectPlantedFatTimes(const std::wstring& dest, const std::vector<std::vector<std::string>>& rows)
{
    std::map<std::string, std::wstring> pathOfSha;
    for (const auto& entry : HashTree(dest))
        pathOfSha[entry.second] = dest + L"\\" + entry.first;
    int checked = 0;
    for (const auto& row : rows) {
        if (row.size() < 5 || row[0] != "1" || row[4] == "-")
            continue;
        SCOPED_TRACE(row[1]);
        ASSERT_EQ(1u, pathOfSha.count(row[3]));
        HANDLE h = CreateFileW(pathOfSha[row[3]].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        FILETIME c, a, w;
        GetFileTime(h, &c, &a, &w);
        CloseHandle(h);
        SYSTEMTIME utc, local;
        FileTimeToSystemTime(&w, &utc);
        SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
        time_t planted = (time_t)std::stoll(row[4]);
        const struct tm* t = gmtime(&planted);
        EXPECT_EQ(t->tm_year + 1900, local.wYear);
        EXPECT_EQ(t->tm_mon + 1, local.wMonth);
        EXPECT_EQ(t->tm_mday, local.wDay);
        EXPECT_EQ(t->tm_hour, local.wHour);
        EXPECT_EQ(t->tm_min, local.wMinute);
        EXPECT_EQ(t->tm_sec / 2 * 2, local.wSecond);
        EXPECT_EQ(0, CompareFileTime(&c, &w));
        ++checked;
    }
    EXPECT_EQ(8, checked);
}

struct SaveFixture : ::testing::Test
{
    void SetUp() override
    {
        g_ScanMode = ScanModeQuick;
        ResetRecoverySettings();
    }
    void TearDown() override { FreeEntryLists(); }
};

}  // namespace

TEST_F(SaveFixture, EverythingListedOnTheMixedDiskIsSavedByteForByte)
{
    CMessageRecorder messages;
    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    std::vector<std::vector<std::string>> manifest = ReadTsv(L"mixed.files.tsv");
    ASSERT_GT(manifest.size(), 100u);
    for (const Partition& p : MixedPartitions) {
        SCOPED_TRACE(p.number);
        ASSERT_TRUE(ScanPartition(p));
        std::wstring dest = FreshFolder((L"mixed-p" + std::to_wstring(p.number)).c_str());
        // Folders and files both marked: every file must still come out once.
        SaveSummary summary = SaveMarkedItems(MarkEverything(dest, true));
        std::map<std::wstring, std::string> saved = HashTree(dest);
        EXPECT_EQ("", Failures(summary, false));
        EXPECT_EQ(0u, summary.unreadableSectors);
        EXPECT_EQ(summary.written, saved.size());
        for (const auto& entry : saved)
            EXPECT_EQ(std::wstring::npos, entry.first.find(L"Copy (")) << Utf8(entry.first);

        // FAT short names without a long name are upper case on the volume.
        if (p.code != FileSystemNtfs) {
            std::map<std::wstring, std::string> upper;
            for (const auto& entry : saved)
                upper[Upper(entry.first)] = entry.second;
            saved.swap(upper);
        }
        std::string failures;
        int compared = 0;
        for (const auto& row : manifest) {
            if (row.size() < 6 || std::stoi(row[0]) != p.number || row[5] != "file" || row[3] == "-")
                continue;
            bool deleted = row[4] == "yes";
            // Empty files have no first cluster: the FAT lists leave them out.
            if (p.code != FileSystemNtfs && row[2] == "0")
                continue;
            std::wstring rel = L"Root\\" + Backslashed(FromUtf8(row[1]));
            if (p.code != FileSystemNtfs)
                rel = Upper(rel);
            auto it = saved.find(rel);
            if (it == saved.end() && deleted && p.code != FileSystemNtfs)
                it = saved.find(Upper(WithDeletedMark(rel)));
            if (it == saved.end())
                failures += "missing " + row[1] + "\n";
            else if (it->second != row[3])
                failures += "different " + row[1] + "\n";
            ++compared;
        }
        EXPECT_EQ("", failures);
        EXPECT_GT(compared, 40);
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SaveFixture, SavedFilesCarryTheirRecordedTimes)
{
    CMessageRecorder messages;
    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    for (const Partition& p : {MixedPartitions[1], MixedPartitions[3]}) {
        SCOPED_TRACE(p.number);
        ASSERT_TRUE(ScanPartition(p));
        std::wstring dest = FreshFolder(L"times");
        SaveMarkedItems(MarkEverything(dest, false));
        std::wstring root = LongDestination(dest) + L"\\Root\\";
        int checked = 0;
        auto check = [&](const std::wstring& rel, const FILETIME& expected) {
            HANDLE h = CreateFileW((root + rel).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                   nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, h) << Utf8(rel);
            FILETIME c, a, w;
            GetFileTime(h, &c, &a, &w);
            CloseHandle(h);
            EXPECT_EQ(0, CompareFileTime(&expected, &w)) << Utf8(rel);
            EXPECT_EQ(0, CompareFileTime(&expected, &c)) << Utf8(rel);
            ++checked;
        };
        if (p.code == FileSystemNtfs) {
            for (NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next)
                if (f->parent == 5 && !f->deleted && f->name[0] != L'$')
                    check(f->name, f->created);
        } else {
            for (FatFileRecord* f = g_FatFiles.head; f; f = f->next) {
                if (f->parentCluster != 0 || f->deleted)
                    continue;
                // The entry's date and time are local: the saved file reads
                // the same on the local clock.
                FILETIME expected;
                ASSERT_TRUE(SaveTimeToFileTime(FatFileSaveTime(*f), &expected));
                SYSTEMTIME utc, local;
                FileTimeToSystemTime(&expected, &utc);
                SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
                int y, m, d;
                FatDateToYmd(f->modifiedDate, &y, &m, &d);
                EXPECT_EQ(y, local.wYear);
                EXPECT_EQ(m, local.wMonth);
                EXPECT_EQ(d, local.wDay);
                check(f->name, expected);
            }
        }
        EXPECT_GT(checked, 0);
    }
}

TEST_F(SaveFixture, CraftedNamesLandInsideTheDestination)
{
    CMessageRecorder messages;
    COpenedImage image(L"names-fixed.vhd");
    ASSERT_EQ(1, image.opened());
    std::vector<std::vector<std::string>> rows = ReadTsv(L"names.tsv");
    ASSERT_GT(rows.size(), 20u);
    const Partition names[] = {{1, FileSystemFat16, 2048, 32768}, {2, FileSystemNtfs, 34816, 32768}};
    for (const Partition& p : names) {
        SCOPED_TRACE(p.number);
        ASSERT_TRUE(ScanPartition(p));
        std::wstring outer = FreshFolder((L"names-p" + std::to_wstring(p.number)).c_str());
        std::wstring dest = outer + L"\\dest";
        SaveSummary summary = SaveMarkedItems(MarkEverything(dest, true));
        EXPECT_EQ("", Failures(summary, true));
        if (p.code != FileSystemNtfs)
            ExpectPlantedFatTimes(LongDestination(dest), rows);
        // Compressed and encrypted data is reported, not copied raw.
        if (p.code == FileSystemNtfs) {
            ASSERT_EQ(2u, summary.notRecoverableRaw.size());
            EXPECT_NE(std::wstring::npos, summary.notRecoverableRaw[0].find(L"\\Crafted\\compressed.bin"));
            EXPECT_NE(std::wstring::npos, summary.notRecoverableRaw[1].find(L"\\Crafted\\encrypted.bin"));
        }
        // Nothing beside the destination folder, nothing in streams.
        std::map<std::wstring, std::string> around = HashTree(outer);
        std::multiset<std::pair<std::wstring, std::string>> savedNames;
        for (const auto& entry : around) {
            EXPECT_EQ(0u, entry.first.find(L"dest\\")) << Utf8(entry.first);
            std::wstring leaf = entry.first.substr(entry.first.rfind(L'\\') + 1);
            savedNames.insert(std::make_pair(leaf, entry.second));
        }
        for (const auto& row : rows) {
            if (std::stoi(row[0]) != p.number)
                continue;
            SCOPED_TRACE(row[1]);
            std::wstring safe = FromUtf8(row[2]);
            if (row[3] == "-") {
                bool found = false;
                for (const auto& entry : savedNames)
                    found = found || entry.first == safe;
                EXPECT_FALSE(found);
            } else {
                EXPECT_EQ(1u, savedNames.count(std::make_pair(safe, row[3])));
            }
        }
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A whole NTFS volume with compressed files and a folder named from an
// extension record: everything comes out whole, the compressed files as
// icat gives them (the fixture checks icat against the planted bytes), and
// nothing is reported that did not fail.
TEST_F(SaveFixture, CompressedFilesAndMetadataOfAWholeNtfsVolumeAreSaved)
{
    CMessageRecorder messages;
    COpenedImage image(L"ntfsmore-fixed.vhd");
    ASSERT_EQ(1, image.opened());
    ASSERT_TRUE(ScanPartition({1, FileSystemNtfs, 2048, 49152}));
    std::wstring dest = FreshFolder(L"ntfsmore");
    SaveSummary summary = SaveMarkedItems(MarkEverything(dest, false));
    EXPECT_EQ("", Failures(summary, false));
    EXPECT_EQ(0u, summary.failed);
    std::map<std::wstring, std::string> saved = HashTree(dest);
    EXPECT_TRUE(saved.count(L"Root\\$Secure"));
    int compared = 0;
    for (const auto& row : ReadTsv(L"ntfsmore.files.tsv")) {
        if (row[5] != "file")
            continue;
        auto it = saved.find(L"Root\\" + Backslashed(FromUtf8(row[1])));
        ASSERT_TRUE(it != saved.end()) << row[1];
        EXPECT_EQ(row[3], it->second) << row[1];
        ++compared;
    }
    EXPECT_EQ(9, compared);
    EXPECT_TRUE(messages.messages().empty());
}
