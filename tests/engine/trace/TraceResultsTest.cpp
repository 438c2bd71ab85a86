// The listing helpers, the selected size, and the File Trace worker's engine
// part on the trace volume with the scan panel recorded.
#include "TraceTestSupport.h"
#include "fat/FatLists.h"
#include "fat/ScanPanelHost.h"
#include "trace/FileTraceSearch.h"
#include "trace/TraceResults.h"

namespace {

using TraceResultsTest = TraceTest;

TEST_F(TraceResultsTest, TypeRowsAndMembership)
{
    AppendTraceHit(L"1.jpg", L".jpg", L"JPEG Image", 10, 1);
    AppendTraceHit(L"2.doc", L".doc", L"Office Document ", 20, 2);
    AppendTraceHit(L"3.JPG", L".JPG", L"jpeg image", 30, 3);
    AppendTraceHit(L"4.jpg", L".jpg", L"JPEG Image", 40, 4);
    EXPECT_EQ(TraceTypeRows(), (std::vector<std::wstring>{L"JPEG Image", L"Office Document "}));

    std::vector<uint32_t> byExtension, byDescription;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next) {
        if (TraceHitBelongs(*h, L".jpg", false))
            byExtension.push_back(h->hitNumber);
        if (TraceHitBelongs(*h, L"Office Document", true))
            byDescription.push_back(h->hitNumber);
    }
    EXPECT_EQ(byExtension, (std::vector<uint32_t>{1, 3, 4}));
    EXPECT_EQ(byDescription, (std::vector<uint32_t>{2}));
}

TEST_F(TraceResultsTest, SelectedSize)
{
    const int savedMode = g_ScanMode;
    const uint16_t savedType = VolumeParams.fileSystemType;
    FreeEntryLists();
    g_FileCount = 1;
    AddFatFile(L"A.BIN", 3, 2, 0, 0, 1572864, 0);
    g_FileCount = 2;
    AddFatFile(L"B.BIN", 9, 2, 0, 0, 1572864, 0);
    g_ScanMode = ScanModeQuick;
    VolumeParams.fileSystemType = FileSystemFat32;

    const uint32_t both[] = {1, 2}, unknown[] = {77};
    g_SelectedBytes = 0;
    AddSelectedFileBytes(both, 2);
    AddSelectedFileBytes(unknown, 1);
    EXPECT_EQ(SelectedSizeText(g_SelectedBytes), L"Selected Size : 3 MB");
    EXPECT_EQ(SelectedSizeText(1048575), L"Selected Size : 0 MB");

    // In File Trace mode a marked hit stands for what saving writes for it,
    // never for a FAT file that happens to carry its number.
    g_ScanMode = ScanModeFileTrace;
    g_TraceSizeMB = 5;
    AppendTraceHit(L"1.jpg", L".jpg", L"JPEG Image", 10, 1);
    g_SelectedBytes = 0;
    AddSelectedFileBytes(both, 2);
    EXPECT_EQ(g_SelectedBytes, 5u * 1048576);

    FreeEntryLists();
    g_ScanMode = savedMode;
    VolumeParams.fileSystemType = savedType;
}

class CPanelRecorder : public CScanPanelHost
{
public:
    void SetProgress(int position) override { progress.push_back(position); }
    void SetStatusText(const wchar_t* text) override { status.push_back(text); }
    void SetFilesFound(uint32_t count) override { files = count; }
    void SetLastItem(const wchar_t* name) override { last = name; }
    std::vector<int> progress;
    std::vector<std::wstring> status;
    uint32_t files = 0;
    std::wstring last;
};

// The worker's engine part: parameters of the selected FAT32 volume, then
// the search, shown on the panel.
TEST_F(TraceResultsTest, FileTraceSearchOnTheTraceVolume)
{
    const auto manifest = ReadTraceManifest();
    ChooseAllSignatures(LoadBuiltCatalogue());
    CVolumeSource volume(tesmir::test::FixturePath(L"trace.raw"));
    ASSERT_TRUE(volume.ok());
    WIN32_FILE_ATTRIBUTE_DATA a;
    ASSERT_TRUE(GetFileAttributesExW(tesmir::test::FixturePath(L"trace.raw").c_str(), GetFileExInfoStandard, &a));
    const VolumeParamsRecord saved = VolumeParams;
    VolumeParams = VolumeParamsRecord();
    VolumeParams.selectionCode = FileSystemFat32;
    VolumeParams.sectorCount = a.nFileSizeLow / 512;
    VolumeParams.endSector = VolumeParams.sectorCount - 1;

    CPanelRecorder panel;
    CScanPanelHost* previous = SetScanPanelHost(&panel);
    g_ShowScanProgress = 1;
    EXPECT_EQ(FileTraceSearch(), 1);
    SetScanPanelHost(previous);

    EXPECT_EQ(g_ParamsSearchFailed, 0);
    EXPECT_EQ(HitsBySector(), manifest);
    ASSERT_FALSE(panel.status.empty());
    EXPECT_EQ(panel.status.front(), L"Please wait, Searching for Data...");
    EXPECT_EQ(panel.status.back(),
              L"Reading Sector " + std::to_wstring(VolumeParams.endSector / 256 * 256) + L" Of " +
                  std::to_wstring(VolumeParams.endSector));
    EXPECT_EQ(panel.progress.back(), 99);
    EXPECT_EQ(panel.files, manifest.size());
    EXPECT_EQ(panel.last, std::to_wstring(manifest.size()) + L".rar");
    VolumeParams = saved;
}

}  // namespace
