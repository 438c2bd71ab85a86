// Directories of the fixture FAT volumes read by the engine against The
// Sleuth Kit's listing: every name (long names exactly), every deleted mark.
#include <gtest/gtest.h>

#include <wctype.h>

#include <map>
#include <string>
#include <vector>

#include "FatWalk.h"
#include "FixtureOracles.h"
#include "ImageTestSupport.h"
#include "fat/FatLists.h"
#include "fat/ScanPanelHost.h"
#include "fat/FatTable.h"
#include "state/EngineState.h"
#include "volume/VolumeParamsReader.h"

namespace {

// fls prints a deleted 8.3 name with "_" for its lost first letter, 8.3 names
// with their case flags applied, and long names cut at 195 characters; the
// key makes both sides comparable, the exact check follows for long names.
std::wstring Key(const std::vector<std::wstring>& path, const std::vector<bool>* longName,
                 const std::vector<bool>* deleted)
{
    std::wstring key;
    for (size_t i = 0; i < path.size(); ++i) {
        std::wstring c = path[i].substr(0, 195);
        if (longName && !(*longName)[i] && (*deleted)[i] && !c.empty())
            c[0] = L'_';
        for (wchar_t& ch : c)
            ch = towupper(ch);
        key += (key.empty() ? L"" : L"/") + c;
    }
    return key;
}

std::vector<std::wstring> Split(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    size_t from = 0, slash;
    while ((slash = path.find(L'/', from)) != std::wstring::npos) {
        parts.push_back(path.substr(from, slash - from));
        from = slash + 1;
    }
    parts.push_back(path.substr(from));
    return parts;
}

// Compares the engine's walk of one volume with its fls listing. Paths under
// `exempt` are left out (entries the image was broken in on purpose).
void ExpectWalkMatchesFls(const wchar_t* fls, const std::wstring& exempt = L"")
{
    CFatWalk walk;
    ASSERT_TRUE(walk.rootRead());
    std::map<std::wstring, const WalkedEntry*> ours;
    for (const WalkedEntry& e : walk.entries) {
        std::vector<bool> deletedFlags;
        for (size_t i = 0; i < e.path.size(); ++i)
            deletedFlags.push_back(i + 1 == e.path.size() ? e.deleted : false);
        ours[Key(e.path, &e.longName, &deletedFlags)] = &e;
    }
    size_t compared = 0, longNames = 0;
    for (const oracle::FlsEntry& f : oracle::Fls(fls)) {
        if (!exempt.empty() && f.path.compare(0, exempt.size(), exempt) == 0)
            continue;
        std::vector<std::wstring> parts = Split(f.path);
        std::wstring key;
        for (const std::wstring& p : parts) {
            std::wstring c = p;
            for (wchar_t& ch : c)
                ch = towupper(ch);
            key += (key.empty() ? L"" : L"/") + c;
        }
        auto it = ours.find(key);
        if (it == ours.end()) {
            ADD_FAILURE() << "not read: " << tesmir::test::Utf8(f.path);
            continue;
        }
        const WalkedEntry& e = *it->second;
        ++compared;
        EXPECT_EQ(f.deleted, e.deleted) << tesmir::test::Utf8(f.path);
        EXPECT_EQ(f.directory, e.directory) << tesmir::test::Utf8(f.path);
        for (size_t i = 0; i < parts.size(); ++i) {
            if (!e.longName[i])
                continue;
            ++longNames;
            EXPECT_EQ(parts[i], e.path[i].substr(0, parts[i].size() >= 195 ? parts[i].size() : std::wstring::npos));
        }
    }
    EXPECT_GT(compared, 20u);
    EXPECT_GT(longNames, 20u);
    // Nothing the engine reads is unknown to fls.
    if (exempt.empty()) {
        EXPECT_EQ(walk.entries.size(), compared);
    }
}

TEST(FatDirectory, MixedDiskNamesMatchFls)
{
    COpenedImage disk(L"mixed-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    for (int number : {1, 5, 6}) {
        SCOPED_TRACE(number);
        SelectFatVolume(L"mixed.sfdisk", number);
        ExpectWalkMatchesFls((L"mixed-p" + std::to_wstring(number) + L".fls").c_str());
    }
}

TEST(FatDirectory, LongNamesAcrossSectorsAndDeletedPairsMatchFls)
{
    COpenedImage disk(L"fat-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    for (int number : {1, 2}) {
        SCOPED_TRACE(number);
        SelectFatVolume(L"fat.sfdisk", number);
        ExpectWalkMatchesFls((L"fat-p" + std::to_wstring(number) + L".fls").c_str(), L"Stale/");
        // The short entry renamed behind its long name keeps its 8.3 name.
        CFatWalk walk;
        const WalkedEntry* stale = walk.Find(L"Stale/OTHERNM.TXT");
        ASSERT_NE(nullptr, stale);
        EXPECT_FALSE(stale->longName.back());
        for (const wchar_t* name : {L"Straddle/Straddle four entries across a sector.txt",
                                    L"Straddle/Short entry first in sector.txt",
                                    L"Deleted Pair/First deleted long name number one.txt",
                                    L"Deleted Pair/Second deleted long name number two.txt"})
            EXPECT_NE(nullptr, walk.Find(name)) << tesmir::test::Utf8(name);
    }
}

// Keeps the last sector number the listing shows.
class CSectorPanel : public CScanPanelHost
{
public:
    CSectorPanel() { m_previous = SetScanPanelHost(this); }
    ~CSectorPanel() { SetScanPanelHost(m_previous); }
    void SetCurrentSector(uint64_t s) override { sector = s; }
    uint64_t sector = 0;

private:
    CScanPanelHost* m_previous;
};

// "Big Folder" holds 400 one-byte files: 2002 entries in 126 one-sector
// clusters. Every file is listed, the last ones too, and the listing reads
// up to the directory's last cluster.
TEST(FatDirectory, FolderOfMoreThanAHundredClustersIsListedWhole)
{
    COpenedImage disk(L"fat-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    for (int number : {1, 2}) {
        SCOPED_TRACE(number);
        SelectFatVolume(L"fat.sfdisk", number);
        FreeEntryLists();
        ASSERT_EQ(1, ParseFatDirectory(0, 0));
        FatFolderRecord* big = nullptr;
        for (FatFolderRecord* r = g_FatFolders.head; r; r = r->next)
            if (wcscmp(r->name, L"Big Folder") == 0)
                big = r;
        ASSERT_NE(nullptr, big);
        std::vector<uint32_t> chain = ReadDirectoryChain(big->cluster);
        ASSERT_GT(chain.size(), 100u);
        uint64_t lastSector = VolumeParams.clusterBase + (uint64_t)chain.back() * VolumeParams.sectorsPerCluster;
        CSectorPanel panel;
        ASSERT_EQ(1, ParseFatDirectory(big->cluster, 0));
        EXPECT_EQ(lastSector, panel.sector);
        int listed = 0;
        for (FatFileRecord* f = g_FatFiles.head; f; f = f->next) {
            if (f->parentCluster != big->cluster)
                continue;
            ++listed;
            EXPECT_EQ(0u, f->deleted);
            EXPECT_EQ(0, wcsncmp(f->name, L"Entry ", 6));
        }
        EXPECT_EQ(400, listed);
        FreeEntryLists();
    }
}

// The listing walk that the Quick Scan makes: every folder found is read, and
// each listed folder and file has its fls path and deleted mark.
TEST(FatDirectory, ListingOfTheMixedFat32VolumeMatchesFls)
{
    COpenedImage disk(L"mixed-dynamic.vhd");
    ASSERT_TRUE(disk.opened());
    SelectFatVolume(L"mixed.sfdisk", 1);
    FreeEntryLists();
    ASSERT_EQ(1, ParseFatDirectory(0, 0));
    for (FatFolderRecord* r = g_FatFolders.head; r; r = r->next)
        ParseFatDirectory(r->cluster, r->deleted);
    // Paths are compared without case (fls applies the 8.3 case flags) and up
    // to the 195 characters fls prints of a name; long names are compared
    // exactly by the tests above.
    auto upper = [](std::wstring s) {
        for (wchar_t& c : s)
            c = towupper(c);
        return s;
    };
    std::map<std::wstring, bool> fls;
    for (const oracle::FlsEntry& f : oracle::Fls(L"mixed-p1.fls"))
        fls[upper(f.path)] = f.deleted;
    auto pathOf = [&](uint32_t parent, const wchar_t* name) {
        std::wstring path = std::wstring(name).substr(0, 195);
        for (int depth = 0; parent && depth < 64; ++depth) {
            FatFolderRecord* p = FindFatFolder(parent);
            if (!p)
                return std::wstring(L"?/") + path;
            path = std::wstring(p->name).substr(0, 195) + L"/" + path;
            parent = p->parentCluster;
        }
        return upper(path);
    };
    size_t files = 0;
    for (FatFileRecord* f = g_FatFiles.head; f; f = f->next, ++files) {
        std::wstring path = pathOf(f->parentCluster, f->name);
        if (f->deleted && (path.find(L"/X") != std::wstring::npos || path == L"XOOTDEL.BIN"))
            continue;  // 8.3 names of deleted files: "x" here, "_" in fls
        auto it = fls.find(path);
        ASSERT_NE(fls.end(), it) << tesmir::test::Utf8(path);
        EXPECT_EQ(it->second, f->deleted != 0);
    }
    EXPECT_GT(files, 90u);
    for (FatFolderRecord* r = g_FatFolders.head; r; r = r->next) {
        std::wstring path = pathOf(r->parentCluster, r->name);
        auto it = fls.find(path);
        ASSERT_NE(fls.end(), it) << tesmir::test::Utf8(path);
        EXPECT_EQ(it->second, r->deleted != 0);
    }
    FreeEntryLists();
}

}  // namespace
