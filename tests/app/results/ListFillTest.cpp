// The list fillers: the two date texts, the rows of hand-made folders (the
// parent row, folders first, deleted types, a 5 GiB size, the name
// filters, Extensive Scan records outside the chosen file system), and a
// Quick Scan of the mixed disk's FAT32 and NTFS volumes listed folder by
// folder against The Sleuth Kit's long listing.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "ResultsTestSupport.h"
#include "ScanTestSupport.h"
#include "TestSupport.h"
#include "save/MatchNameMask.h"

using tesmir::test::Utf8;

namespace {

std::wstring Text(void (*format)(uint16_t, wchar_t*), uint16_t date)
{
    wchar_t out[32];
    format(date, out);
    return out;
}

FILETIME MakeFileTime(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s)
{
    SYSTEMTIME st = {};
    st.wYear = y, st.wMonth = mo, st.wDay = d, st.wHour = h, st.wMinute = mi, st.wSecond = s;
    FILETIME ft = {};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

std::wstring TimeText(const FILETIME& ft)
{
    wchar_t out[64];
    FormatFileTime(ft.dwLowDateTime, ft.dwHighDateTime, out);
    return out;
}

void SetFilters(std::initializer_list<const wchar_t*> masks)
{
    g_nFileFilterCount = 0;
    for (const wchar_t* m : masks)
        wcscpy(g_FileFilters[g_nFileFilterCount++], m);
}

}  // namespace

// "15-01-2010 " for FAT's 0x3C2F; the FILETIME as it is, with no leading
// zeros, whatever the time zone (the conversion never looks at it).
TEST(ListFill, DateTexts)
{
    EXPECT_EQ(Text(FormatFatDate, 0x3C2F), L"15-01-2010 ");
    EXPECT_EQ(Text(FormatFatDate, 0x0021), L"01-01-1980 ");
    const FILETIME ft = MakeFileTime(2010, 3, 5, 7, 4, 9);
    EXPECT_EQ(TimeText(ft), L"5-3-2010 7:4:9");
    wchar_t previous[64] = L"";
    GetEnvironmentVariableW(L"TZ", previous, 64);
    for (const wchar_t* zone : {L"UTC", L"America/New_York", L"Asia/Tokyo"}) {
        SetEnvironmentVariableW(L"TZ", zone);
        EXPECT_EQ(TimeText(ft), L"5-3-2010 7:4:9") << Utf8(zone);
    }
    SetEnvironmentVariableW(L"TZ", previous[0] ? previous : NULL);
}

// A FAT folder: "Parent..." at row 0 (marked) only below the root, the
// sub-folders first with "Folder"/"Deleted Folder", "0" and their tree item,
// then the files with "Deleted " before the type of deleted ones; every row
// checked. The filters *.doc and *.txt list A.TXT, not a.pdf; folders
// always.
TEST(ListFill, FatRowsAndNameFilters)
{
    CResultsWindow w;
    w.SetColumns(ScanModeQuick);
    VolumeParams.fileSystemType = FileSystemFat16;
    g_ScanMode = ScanModeQuick;
    AddFatFolder(L"TOP", 3, 0, 0x3C2F, 0x3C2F, 0, 0);
    AddFatFolder(L"GONE", 5, 3, 0x3C2F, 0x3C2F, 0, 1);
    AddFatFolder(L"KEEP", 6, 3, 0x3C2F, 0x3C2F, 0, 0);
    const struct
    {
        const wchar_t* name;
        uint32_t parent, deleted;
    } files[] = {{L"ROOT.TXT", 0, 0}, {L"A.TXT", 3, 0}, {L"a.pdf", 3, 1}, {L"B.DOC", 3, 1}};
    for (const auto& f : files) {
        ++g_FileCount;
        AddFatFile(f.name, 9, f.parent, 0x3C2F, 0x3C21, 1234, f.deleted);
    }
    HTREEITEM root = w.m_tree.BuildFatTree();
    HTREEITEM top = w.m_tree.GetChildItem(root);

    FillResultListFat(0);
    ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"TOP", L"ROOT.TXT"}));
    EXPECT_EQ(w.Row(0), L"TOP|Folder|0|15-01-2010 |15-01-2010 |" + std::to_wstring((uintptr_t)top));

    FillResultListFat(3);
    ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"Parent...", L"GONE", L"KEEP", L"A.TXT", L"a.pdf", L"B.DOC"}));
    EXPECT_EQ(w.Row(0), L"Parent...|||||");
    EXPECT_EQ(w.m_list.GetItemText(1, 1), CString(L"Deleted Folder"));
    EXPECT_EQ(w.m_list.GetItemText(2, 1), CString(L"Folder"));
    const CString pdfType = w.m_list.GetItemText(4, 1), txtType = w.m_list.GetItemText(3, 1);
    EXPECT_EQ(pdfType.Left(8), CString(L"Deleted "));
    EXPECT_NE(txtType.Left(8), CString(L"Deleted "));
    EXPECT_EQ(w.Row(3).substr(w.Row(3).find(L'|', 6)), L"|1234|15-01-2010 |01-01-2010 |2");
    for (int r = 0; r < w.m_list.GetItemCount(); ++r)
        EXPECT_EQ(w.m_list.GetRowMark(r), 1) << r;

    SetFilters({L"*.doc", L"*.txt"});
    FillResultListFat(3);
    EXPECT_EQ(w.Names(), (std::vector<std::wstring>{L"Parent...", L"GONE", L"KEEP", L"A.TXT", L"B.DOC"}));
    SetFilters({L"*.doc", L"*.DOC"});
    FillResultListFat(3);
    EXPECT_EQ(w.Names(), (std::vector<std::wstring>{L"Parent...", L"GONE", L"KEEP", L"B.DOC"}));
    // A key no folder has: only the way up.
    FillResultListFat(77);
    EXPECT_EQ(w.Names(), std::vector<std::wstring>{L"Parent..."});
}

// NTFS: a 5 GiB file keeps its whole size after a Quick Scan; after an
// Extensive Scan records outside the chosen file system are not listed;
// the parent row is checked with the rows below it.
TEST(ListFill, NtfsSizesAndExtensiveVolumeRange)
{
    CResultsWindow w;
    w.SetColumns(ScanModeQuick);
    VolumeParams.fileSystemType = FileSystemNtfs;
    g_ScanMode = ScanModeQuick;
    const FILETIME ft = MakeFileTime(2010, 3, 5, 7, 4, 9);
    AddNtfsFolderRecord(L"Dir", 40, 5, ft, ft, 0, 0);
    AddNtfsFileRecord(900, L"big.bin", 41, 40, ft, ft, 0, 5ull << 30);
    AddNtfsFileRecord(901, L"gone.txt", 42, 40, ft, ft, 1, 7);
    FillResultListNtfs(40);
    ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"Parent...", L"big.bin", L"gone.txt"}));
    EXPECT_EQ(w.m_list.GetItemText(1, 2), CString(L"5368709120"));
    EXPECT_EQ(w.m_list.GetItemText(1, 3), CString(L"5-3-2010 7:4:9"));
    EXPECT_EQ(w.m_list.GetItemText(1, 5), CString(L"900"));
    EXPECT_EQ(w.m_list.GetItemText(2, 1).Left(8), CString(L"Deleted "));
    EXPECT_EQ(w.m_list.GetRowMark(0), 1);
    FillResultListNtfs(5);
    EXPECT_EQ(w.Names(), std::vector<std::wstring>{L"Dir"});

    g_ScanMode = ScanModeExtensive;
    VolumeParams.clusterBase = 1000;
    VolumeParams.fileSystemEnd = 2000;
    AddNtfsScanFileRecord(L"inside.txt", 1500, 40, ft, ft, 6ull << 30, 0);
    AddNtfsScanFileRecord(L"before.txt", 1000, 40, ft, ft, 1, 0);
    AddNtfsScanFileRecord(L"after.txt", 2001, 40, ft, ft, 1, 0);
    AddNtfsScanFileRecord(L"last.txt", 2000, 40, ft, ft, 1, 0);
    FillResultListNtfs(40);
    EXPECT_EQ(w.Names(), (std::vector<std::wstring>{L"Parent...", L"inside.txt", L"last.txt"}));
    EXPECT_EQ(w.m_list.GetItemText(1, 2), CString(L"6442450944"));
    EXPECT_EQ(w.m_list.GetItemText(1, 5), CString(L"1500"));
}

namespace {

// One entry of "fls -r -p -l": path, deleted, the four times (as
// "YYYY-MM-DD HH:MM:SS") and the size.
struct FlsEntry
{
    bool dir = false, deleted = false;
    std::string mtime, atime, ctime, crtime;
    uint64_t size = 0;
};

std::map<std::string, FlsEntry> ParseLongListing(const std::string& text)
{
    std::map<std::string, FlsEntry> out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t'))
            fields.push_back(field);
        if (fields.size() < 9)
            continue;
        FlsEntry e;
        e.dir = fields[0][0] == 'd' || fields[0].compare(0, 3, "-/d") == 0;
        e.deleted = fields[0].find('*') != std::string::npos;
        auto time = [](const std::string& t) { return t.substr(0, 19); };
        e.mtime = time(fields[2]);
        e.atime = time(fields[3]);
        e.ctime = time(fields[4]);
        e.crtime = time(fields[5]);
        e.size = std::stoull(fields[6]);
        out[fields[1]] = e;
    }
    return out;
}

std::wstring FatDateOf(const std::string& t)
{
    // "YYYY-MM-DD ..." as the FAT text "DD-MM-YYYY ".
    return std::wstring(t.begin() + 8, t.begin() + 10) + L"-" + std::wstring(t.begin() + 5, t.begin() + 7) + L"-" +
           std::wstring(t.begin(), t.begin() + 4) + L" ";
}

std::wstring NtfsTimeOf(const std::string& t)
{
    const int y = std::stoi(t.substr(0, 4)), mo = std::stoi(t.substr(5, 2)), d = std::stoi(t.substr(8, 2));
    const int h = std::stoi(t.substr(11, 2)), mi = std::stoi(t.substr(14, 2)), s = std::stoi(t.substr(17, 2));
    return std::to_wstring(d) + L"-" + std::to_wstring(mo) + L"-" + std::to_wstring(y) + L" " + std::to_wstring(h) +
           L":" + std::to_wstring(mi) + L":" + std::to_wstring(s);
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = (char)toupper((unsigned char)c);
    return s;
}

}  // namespace

// A Quick Scan of the mixed disk's FAT32 and NTFS volumes: the root and two
// folders list exactly the live entries The Sleuth Kit lists there, folders
// first, with its sizes and dates; deleted entries carry "Deleted ".
TEST(ListFill, MixedDiskFoldersMatchTheSleuthKit)
{
    struct Case
    {
        const wchar_t* listing;
        uint16_t code;
        uint32_t start, sectors;
        const char* folders[3];
    } cases[] = {
        {L"mixed-p1.fls-long", FileSystemFat32, 2048, 278528, {"", "Level1", "Names"}},
        {L"mixed-p2.fls-long", FileSystemNtfs, 280576, 49152, {"", "Level1", "Deleted"}},
    };
    CMessageRecorder messages;
    COpenedImage image(L"mixed-dynamic.vhd");
    ASSERT_EQ(1, image.opened());
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.listing));
        const std::string text = tesmir::test::ReadWholeFile(tesmir::test::BuildPath((std::wstring(L"tests\\app\\results\\") + c.listing).c_str()));
        ASSERT_FALSE(text.empty()) << "run the app_results_fls_long setup test first";
        const std::map<std::string, FlsEntry> fls = ParseLongListing(text);
        CResultsWindow w;
        w.SetColumns(ScanModeQuick);
        g_ScanMode = ScanModeQuick;
        SelectVolume(c.code, c.start, c.sectors);
        CRecordingShell shell;
        ASSERT_TRUE(RunQuickScanWorker(shell, 120000));
        const bool fat = c.code != FileSystemNtfs;
        for (const char* folder : c.folders) {
            SCOPED_TRACE(folder);
            uint32_t key = fat ? 0 : 5;
            if (*folder) {
                bool found = false;
                if (fat) {
                    for (const FatFolderRecord* f : FatChildrenOf(0).folders)
                        if (Utf8(f->name) == folder)
                            key = f->cluster, found = true;
                    FillResultListFat(key);
                } else {
                    for (const NtfsFolderRecord* f : NtfsChildrenOf(5).folders)
                        if (Utf8(f->name) == folder)
                            key = f->recordNumber, found = true;
                    FillResultListNtfs(key);
                }
                ASSERT_TRUE(found);
            } else if (fat) {
                FillResultListFat(0);
            } else {
                FillResultListNtfs(5);
            }
            const std::string prefix = *folder ? std::string(folder) + "/" : std::string();
            // The Sleuth Kit's live entries of this folder, by upper-cased name.
            std::map<std::string, std::pair<std::string, FlsEntry>> expected;
            for (const auto& e : fls) {
                if (e.first.compare(0, prefix.size(), prefix) != 0 || e.second.deleted)
                    continue;
                const std::string name = e.first.substr(prefix.size());
                if (name.empty() || name.find('/') != std::string::npos || name[0] == '$' ||
                    name.find("(Volume Label Entry)") != std::string::npos || name.find(':') != std::string::npos)
                    continue;
                // The Sleuth Kit cuts long names at 195 characters.
                expected[Upper(name.substr(0, 195))] = {name, e.second};
            }
            int row = 0;
            const int rows = w.m_list.GetItemCount();
            if (*folder) {
                ASSERT_GT(rows, 0);
                EXPECT_EQ(w.m_list.GetItemText(0, 0), CString(L"Parent..."));
                row = 1;
            } else {
                EXPECT_EQ(w.FindRow(L"Parent..."), -1);
            }
            bool inFiles = false;
            size_t listedLive = 0;
            for (; row < rows; ++row) {
                const std::string name = Utf8((LPCTSTR)w.m_list.GetItemText(row, 0));
                const CString type = w.m_list.GetItemText(row, 1);
                const bool isFolder = type == L"Folder" || type == L"Deleted Folder";
                EXPECT_FALSE(inFiles && isFolder) << name << " listed after a file";
                inFiles = inFiles || !isFolder;
                const bool deleted = type.Left(8) == L"Deleted ";
                if (deleted || (!fat && name[0] == '$') || name == "Lost Dir")
                    continue;
                auto it = expected.find(Upper(name.substr(0, 195)));
                if (it == expected.end()) {
                    ADD_FAILURE() << name << " is not in the Sleuth Kit's listing";
                    continue;
                }
                ++listedLive;
                const FlsEntry& e = it->second.second;
                EXPECT_EQ(isFolder, e.dir) << name;
                if (!isFolder) {
                    EXPECT_EQ(Utf8((LPCTSTR)w.m_list.GetItemText(row, 2)), std::to_string(e.size)) << name;
                }
                const std::wstring first = (LPCTSTR)w.m_list.GetItemText(row, 3);
                const std::wstring second = (LPCTSTR)w.m_list.GetItemText(row, 4);
                if (fat) {
                    EXPECT_EQ(first, FatDateOf(e.mtime)) << name;
                    EXPECT_EQ(second, FatDateOf(e.atime)) << name;
                } else {
                    EXPECT_EQ(first, NtfsTimeOf(e.crtime)) << name;
                    EXPECT_TRUE(second == NtfsTimeOf(e.mtime) || second == NtfsTimeOf(e.ctime)) << name << " " << Utf8(second);
                }
            }
            EXPECT_EQ(listedLive, expected.size());
            if (std::string(folder) == "Deleted") {
                int deletedRows = 0;
                for (int r = 1; r < rows; ++r)
                    deletedRows += w.m_list.GetItemText(r, 1).Left(8) == L"Deleted ";
                EXPECT_GE(deletedRows, 4);
            }
        }
    }
}
