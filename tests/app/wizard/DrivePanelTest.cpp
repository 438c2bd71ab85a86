// The drive panel: pie slices of partition layouts, the VHD and VHDX rows,
// a VHD whose footer has no geometry, the progress bar fed from a worker,
// and the Partition Type dialog's look.
#include <gtest/gtest.h>

#include "CDiskEnumerator.h"
#include "CMainFrame.h"
#include "CPartitionTypeDlg.h"
#include "MessageRecorder.h"
#include "ModalDriver.h"
#include "TestSupport.h"
#include "WizardTestSupport.h"
#include "image/VirtualDisk.h"
#include "resource.h"
#include "state/EngineState.h"

using msgbox_test::CModalDriver;
using tesmir::test::FixturePath;
using tesmir::test::PumpUntil;

namespace {

class DrivePanel : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        ResetWizard();
    }
    void TearDown() override { ResetWizard(); }

    CFirstDisplay& Panel() { return *DriveStep()->m_pPanel; }

    std::vector<std::pair<std::wstring, int>> Slices()
    {
        std::vector<std::pair<std::wstring, int>> slices;
        for (INT_PTR i = 0; i < Panel().m_pie.GetSliceCount(); ++i)
            slices.push_back({(LPCTSTR)Panel().m_pie.GetSlice(i)->m_strDescription, Panel().m_pie.GetSlice(i)->m_nPercent});
        return slices;
    }
};

struct Layout
{
    const char* name;
    int imageType;
    uint64_t total;
    std::vector<PartitionEntry> entries;
    std::vector<std::pair<std::wstring, int>> slices;
};

TEST_F(DrivePanel, PartitionLayoutsGiveTheirSlices)
{
    const Layout layouts[] = {
        {"ntfs 60 percent", 0, 1000, {{0, 600, FileSystemNtfs}}, {{L"NTFS", 60}, {L"FREE", 40}}},
        {"two halves", 0, 2000, {{0, 1000, FileSystemFat32}, {1000, 1000, FileSystemFat16}},
         {{L"FAT32", 50}, {L"FAT16", 50}}},
        {"truncated to 99", 0, 300, {{0, 100, FileSystemFat16}, {100, 100, FileSystemNtfs}, {200, 100, 7}},
         {{L"FAT16", 33}, {L"NTFS", 33}, {L"UNKNOWN", 33}, {L"FREE", 1}}},
        {"vhdx from its size", 1, 4000, {{0, 1000, FileSystemNtfs}}, {{L"NTFS", 25}, {L"FREE", 75}}},
        {"no size", 0, 0, {{0, 1000, FileSystemNtfs}}, {}},
        {"no partitions", 0, 1000, {}, {}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        g_ImageType = layout.imageType;
        g_DiskIndex = 0;
        g_DiskTotalSectors[0] = layout.total;
        g_PartitionCount = (int)layout.entries.size();
        for (size_t i = 0; i < layout.entries.size(); ++i)
            g_PartitionTable[i] = layout.entries[i];
        Panel().ShowPartitionChart();
        EXPECT_EQ(layout.slices, Slices());
        Panel().ClearChart();
        EXPECT_TRUE(Slices().empty());
    }
    g_ImageType = 0;
    g_PartitionCount = 0;
}

// The caption and value rows of both image kinds, from the image itself.
TEST_F(DrivePanel, VhdAndVhdxRows)
{
    RunMode(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
    ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    CVirtualDisk* pDisk = App().GetMainFrame()->m_pVirtualDisk;
    const std::vector<std::wstring> vhdCaptions = {L"Model\t\t\t:", L"Capacity\t\t:", L"Cylinders\t\t:",
                                                   L"Head\t\t\t:", L"Sectors Per Track\t:"};
    const std::vector<std::wstring> vhdValues = {
        L"Virtual Hard Disk", L"244 MB (Approx)", std::to_wstring(pDisk->GetCylinders()),
        std::to_wstring(pDisk->GetHeads()), std::to_wstring(pDisk->GetSectorsPerTrack())};
    for (int row = 0; row < CFirstDisplay::Rows; ++row) {
        EXPECT_EQ(CString(vhdCaptions[row].c_str()), Panel().CaptionText(row)) << row;
        EXPECT_EQ(CString(vhdValues[row].c_str()), Panel().ValueText(row)) << row;
    }
    ResetWizard();

    RunMode(FixturePath(L"mixed-dynamic.vhdx"), CEx_StyleView::IdQuickScan);
    ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    const std::vector<std::wstring> vhdxCaptions = {L"Model\t\t\t:", L"Capacity\t\t:", L"Disk Type\t\t:",
                                                    L"Data Block Count\t:", L"Total Bat Entries\t:"};
    const std::vector<std::wstring> vhdxValues = {
        L"Virtual Hard Disk", std::to_wstring(pDisk->GetDiskSize() / 1048576) + L" MB ", pDisk->GetDiskTypeText(),
        std::to_wstring(pDisk->GetDataBlockCount()), std::to_wstring(pDisk->GetBatEntryCount())};
    for (int row = 0; row < CFirstDisplay::Rows; ++row) {
        EXPECT_EQ(CString(vhdxCaptions[row].c_str()), Panel().CaptionText(row)) << row;
        EXPECT_EQ(CString(vhdxValues[row].c_str()), Panel().ValueText(row)) << row;
    }
    // The VHDX's pie is sized from its disk size: the same shares as the VHD.
    EXPECT_EQ(499712u, g_DiskTotalSectors[0]);
    EXPECT_EQ(0u, g_DiskCylinders[0]);
    ASSERT_EQ(5, Panel().m_pie.GetSliceCount());
    EXPECT_EQ(55, Panel().m_pie.GetSlice(0)->m_nPercent);
    // ShowDiskInfo(-1) keeps the captions and clears the chart.
    Panel().ShowDiskInfo(-1);
    EXPECT_EQ(CString(L"Disk Type\t\t:"), Panel().CaptionText(2));
    EXPECT_EQ(0, Panel().m_pie.GetSliceCount());
}

// A VHD whose footer holds no geometry opens, shows zero geometry and a pie
// sized from its current size.
TEST_F(DrivePanel, VhdWithoutGeometryShowsItsValues)
{
    CTempImage image(L"mixed-dynamic.vhd", L"no-geometry.vhd");
    ASSERT_TRUE(image.ok());
    ASSERT_TRUE(image.ZeroVhdGeometry());
    CMessageRecorder messages;
    RunMode(image.path(), CEx_StyleView::IdQuickScan);
    ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex()) << (messages.messages().empty()
                                                                 ? std::string()
                                                                 : tesmir::test::Utf8(messages.messages()[0].text));
    EXPECT_EQ(CString(L"0"), Panel().ValueText(2));
    EXPECT_EQ(CString(L"0"), Panel().ValueText(3));
    EXPECT_EQ(CString(L"0"), Panel().ValueText(4));
    EXPECT_EQ(CString(L"244 MB (Approx)"), Panel().ValueText(1));
    ASSERT_EQ(5, Panel().m_pie.GetSliceCount());
    EXPECT_EQ(55, Panel().m_pie.GetSlice(0)->m_nPercent);
    Panel().UpdateWindow();
    App().GetMainFrame()->m_pVirtualDisk->Close();
}

// The progress bar and the status line take their values from a worker
// thread by sent messages while the UI thread pumps.
TEST_F(DrivePanel, WorkerFeedsProgressAndStatus)
{
    Panel().ShowProgress();
    Panel().ShowStatusText();
    struct Feed
    {
        CFirstDisplay* panel;
        volatile LONG done;
    } feed = {&Panel(), 0};
    CWinThread* thread = AfxBeginThread(
        [](LPVOID p) -> UINT {
            Feed* f = static_cast<Feed*>(p);
            for (int pos = 0; pos <= 99; pos += 11)
                f->panel->SetProgress(pos, 0);
            f->panel->SetStatusText(L"Please wait, searching for Partition...");
            ::InterlockedExchange(&f->done, 1);
            return 0;
        },
        &feed);
    ASSERT_NE(nullptr, thread);
    ASSERT_TRUE(PumpUntil([&] { return feed.done == 1; }, 10000));
    EXPECT_EQ(99, Panel().m_progress.GetPos());
    CString status;
    Panel().m_status.GetWindowText(status);
    EXPECT_EQ(CString(L"Please wait, searching for Partition..."), status);
    EXPECT_TRUE(Panel().m_progress.GetStyle() & WS_VISIBLE);
    Panel().HideProgress();
    Panel().HideStatusText();
    EXPECT_FALSE(Panel().m_progress.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(Panel().m_progress.IsWindowEnabled());
}

// The Partition Type dialog: its skin, its fonts asked for, the heading and
// options in blue; kept as a screenshot.
TEST_F(DrivePanel, PartitionTypeDialogLook)
{
    LOGFONT heading = {}, option = {};
    COLORREF skinPixel = CLR_INVALID;
    bool groupHidden = false;
    CModalDriver driver({
        CModalDriver::Run([&](HWND box) {
            ::RedrawWindow(box, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            HFONT hHeading = (HFONT)::SendMessageW(::GetDlgItem(box, IDC_PARTITION_TYPE_HEADING), WM_GETFONT, 0, 0);
            HFONT hOption = (HFONT)::SendMessageW(::GetDlgItem(box, IDC_PARTITION_TYPE_SEARCH), WM_GETFONT, 0, 0);
            ::GetObjectW(hHeading, sizeof heading, &heading);
            ::GetObjectW(hOption, sizeof option, &option);
            groupHidden = !::IsWindowVisible(::GetDlgItem(box, IDC_PARTITION_TYPE_GROUP));
            CRect rc;
            ::GetClientRect(box, &rc);
            tesmir::test::CDibCanvas canvas(rc.Width(), rc.Height());
            tesmir::test::CaptureWindow(box, canvas);
            skinPixel = canvas.Pixel(rc.Width() - 3, 2);
            canvas.SaveBmp(tesmir::test::ScreenshotPath(L"wizard-partition-type.bmp"));
        }),
        CModalDriver::Click(IDOK),
    });
    g_SearchPartitions = 1;
    CPartitionTypeDlg dialog;
    ASSERT_NE((HBITMAP)NULL, dialog.SkinBitmap());
    dialog.DoModal();
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(0, g_SearchPartitions);
    EXPECT_EQ(18, heading.lfHeight);
    EXPECT_EQ(FW_BOLD, heading.lfWeight);
    EXPECT_STREQ(L"Arial", heading.lfFaceName);
    EXPECT_EQ(15, option.lfHeight);
    EXPECT_EQ(FW_NORMAL, option.lfWeight);
    EXPECT_TRUE(groupHidden);
    // The skin's top-right corner, not the dialog face.
    BITMAP bm = {};
    ::GetObjectW(dialog.SkinBitmap(), sizeof bm, &bm);
    EXPECT_NE(::GetSysColor(COLOR_3DFACE), skinPixel);
}

}  // namespace
