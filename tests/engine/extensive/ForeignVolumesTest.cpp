// FAT volumes laid out as other systems make them (one FAT, a root that is
// the only directory, a single folder, lower-case short names): the
// Extensive Scan finds each one where The Sleuth Kit has it, with its boot
// sector and without, and lists what fls lists, names in their case.
#include <gtest/gtest.h>

#include <string>

#include "../fat/FixtureOracles.h"
#include "ExtensiveTestSupport.h"
#include "ImageTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"

namespace {

struct ForeignVolume
{
    int partition;
    uint16_t code;
    bool bootZeroed;   // in foreign-zeroed.vhd
};

const ForeignVolume Volumes[] = {
    {1, FileSystemFat32, true},    // one FAT
    {2, FileSystemFat16, true},    // one FAT
    {3, FileSystemFat16, false},   // files in the root only
    {4, FileSystemFat16, false},   // one FAT, one folder, nothing in the root
};

std::wstring Fixture(const wchar_t* kind, int partition)
{
    return L"foreign-p" + std::to_wstring(partition) + kind;
}

class ForeignFatFixture : public ::testing::TestWithParam<const wchar_t*>
{
protected:
    void TearDown() override
    {
        FreeEntryLists();
        FreeNtfsEntryLists();
        FreeExtensiveScanLists();
    }
};

}  // namespace

TEST_P(ForeignFatFixture, EveryVolumeIsFoundAndListsWhatFlsLists)
{
    COpenedImage image(GetParam());
    ASSERT_TRUE(image.opened());
    ResetRecoverySettings();
    const bool zeroedDisk = wcscmp(GetParam(), L"foreign-zeroed.vhd") == 0;
    for (const ForeignVolume& f : Volumes) {
        SCOPED_TRACE(f.partition);
        oracle::SfdiskPartition p = oracle::SfdiskNumber(L"foreign.sfdisk", f.partition);
        oracle::FatLayout l = oracle::FsstatFat(Fixture(L".fsstat", f.partition).c_str());
        const uint32_t base = (uint32_t)(p.start + l.clusterArea - 2 * l.clusterSectors);
        CRecordingExtensiveShell scan;
        ASSERT_TRUE(RunExtensiveScan(scan, f.code, p.start, p.size));
        std::wstring item = std::wstring(f.code == FileSystemFat32 ? L"FAT32 @" : L"FAT16 @") + std::to_wstring(base);
        unsigned number = FoundVolumeNumber(scan, item);
        ASSERT_NE(0u, number) << "no " << Utf8(item) << " among " << scan.items.size() << " items";
        FoundVolume* v = FoundVolumeAt(number);
        if (!(zeroedDisk && f.bootZeroed)) {
            EXPECT_EQ(p.start + l.fat0, v->p[6]);
            EXPECT_EQ(l.fatSectors, v->p[0]);
        }

        CRecordingExtensiveShell extract;
        ASSERT_TRUE(RunExtraction(extract, number));
        PathListing theirs = FoldFatListing(ReadFlsListing(Fixture(L".fls", f.partition).c_str()), true);
        PathListing ours = FoldFatListing(extract.tree, true);
        EXPECT_EQ("", ListingDifference(theirs, ours));
        EXPECT_EQ("", ListingDifference(ours, theirs, "Lost Dir"));
        // The FAT was found where fsstat has it, and the files read back.
        EXPECT_EQ(p.start + l.fat0, VolumeParams.fat1Start);
        EXPECT_EQ(l.fatSectors, VolumeParams.fatSize);
        ExpectFatContents(L"foreign.files.tsv", f.partition);
    }
}

INSTANTIATE_TEST_SUITE_P(IntactAndWithoutBootSectors, ForeignFatFixture,
                         ::testing::Values(L"foreign.vhd", L"foreign-zeroed.vhd"));

// An NTFS volume whose folder keeps its name in an extension record, with
// compressed files: the Extensive Scan names the folder as fls does, lists
// the records that $MFTMirr copies once, and saves compressed files and
// files without data whole.
TEST(ForeignNtfs, ExtensionRecordNamesCompressedFilesAndMirrorCopies)
{
    COpenedImage image(L"ntfsmore-fixed.vhd");
    ASSERT_TRUE(image.opened());
    ResetRecoverySettings();
    CRecordingExtensiveShell scan;
    ASSERT_TRUE(RunExtensiveScan(scan, FileSystemNtfs, 2048, 49152));
    unsigned number = FoundVolumeNumber(scan, L"NTFS @2048");
    ASSERT_NE(0u, number);
    CRecordingExtensiveShell extract;
    ASSERT_TRUE(RunExtraction(extract, number));
    PathListing theirs = ReadFlsListing(L"ntfsmore-p1.fls");
    EXPECT_TRUE(extract.tree.count("Named Elsewhere/second.bin"));
    EXPECT_EQ("", ListingDifference(theirs, extract.tree));
    EXPECT_EQ("", ListingDifference(extract.tree, theirs, "Lost Dir"));

    std::map<std::string, int> rootFiles;
    std::map<std::string, std::string> planted = PlantedHashes(L"ntfsmore.files.tsv", 1);
    std::map<uint32_t, std::string> folderPath = {{5u, ""}};
    WalkNtfsFolderTree(std::string(), [&](NtfsFolderRecord* f, const std::string& parent) {
        std::string path = parent + Utf8(f->name) + "/";
        folderPath[f->recordNumber] = path;
        return path;
    });
    int compared = 0;
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next) {
        if (!IsInChosenNtfsVolume(f))
            continue;
        if (f->parent == 5)
            ++rootFiles[Utf8(f->name)];
        auto it = planted.find(folderPath[f->parent] + Utf8(f->name));
        if (it != planted.end()) {
            EXPECT_EQ(it->second, SavedHash(true, f->recordSector, f->size)) << it->first;
            ++compared;
        }
        if (f->parent == 5 && wcscmp(f->name, L"$Secure") == 0) {
            EXPECT_EQ(Sha256Hex(""), SavedHash(true, f->recordSector, f->size));
        }
    }
    EXPECT_EQ(9, compared);
    for (const char* name : {"$MFT", "$MFTMirr", "$LogFile", "$Volume", "$AttrDef"})
        EXPECT_EQ(1, rootFiles[name]) << name;
    FreeEntryLists();
    FreeNtfsEntryLists();
    FreeExtensiveScanLists();
}
