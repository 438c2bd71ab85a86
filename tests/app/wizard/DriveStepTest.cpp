// The drive step on real workers: Next runs the partition search through
// the scan starter, the Partition Type dialog asks on the worker, Stop asks
// and ends the search, the scan step follows the worker's end, Back and
// Home reset the wizard, and the keys cycle the highlight.
#include <gtest/gtest.h>

#include "CDiskEnumerator.h"
#include "CMainFrame.h"
#include "MessageRecorder.h"
#include "ModalDriver.h"
#include "TestSupport.h"
#include "WizardTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "resource.h"
#include "state/EngineState.h"
#include "trace/TraceHit.h"

using msgbox_test::CModalDriver;
using tesmir::test::FixturePath;
using tesmir::test::PumpUntil;

namespace {

class DriveStep_ : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        ResetWizard();
    }
    void TearDown() override
    {
        CScanStarter::s_startThread = s_realStart;
        ResetWizard();
    }

    // Opens a fixture on the start page in the mode and checks that the
    // drive step shows with the disk selected.
    void OpenOnDriveStep(const wchar_t* fixture, UINT mode)
    {
        RunMode(FixturePath(fixture), mode);
        ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
        ASSERT_EQ(1, App().GetMainFrame()->m_nSelectedRow);
        ASSERT_EQ(SourceVirtualDisk, g_SourceType);
    }

    void Next() { DriveStep()->SendMessage(WM_COMMAND, MAKEWPARAM(CFirstView_HDD::IdNext, BN_CLICKED), 0); }

    // Shown by its own style (the step itself may be hidden).
    static bool Shown(CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }

    static bool Searching()
    {
        CFirstView_HDD* pDrive = DriveStep();
        return Shown(pDrive->m_stop) && pDrive->m_stop.IsWindowEnabled() && !Shown(pDrive->m_next) &&
               !Shown(pDrive->m_back) && !pDrive->m_tree.IsWindowEnabled();
    }

    static bool Idle()
    {
        CFirstView_HDD* pDrive = DriveStep();
        return !Shown(pDrive->m_stop) && Shown(pDrive->m_next) && Shown(pDrive->m_back) &&
               pDrive->m_tree.IsWindowEnabled();
    }

    static std::vector<std::wstring> ExpectedPartitionItems(size_t count)
    {
        std::vector<std::wstring> items;
        for (size_t i = 1; i <= count; ++i)
            items.push_back(L"Partition " + std::to_wstring(i));
        return items;
    }

    CScanStarter::ThreadStarter s_realStart = CScanStarter::s_startThread;
};

// The three answers to "Partition Type" on the mixed disk: OK with the
// first choice keeps the table's partitions (exactly those of mmls), the
// second choice searches, the system menu's Close leaves the flag 0. The
// dialog runs on the worker; the scan step shows once the worker ended.
TEST_F(DriveStep_, PartitionTypeAnswersAndTheScanStepAfterTheWorker)
{
    const std::vector<MmlsPartition> parts = FileSystemPartitions(L"mixed.mmls");
    ASSERT_EQ(4u, parts.size());
    struct Case
    {
        const char* name;
        int answer;   // 0 OK, 1 "Search partition" then OK, 2 Close
        int flag;
    };
    const Case cases[] = {{"default", 0, 0}, {"search", 1, 1}, {"close", 2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenOnDriveStep(L"mixed-dynamic.vhd", CEx_StyleView::IdQuickScan);
        Next();
        HWND dialog = WaitPartitionTypeDialog();
        ASSERT_NE((HWND)NULL, dialog);
        ASSERT_NE(nullptr, g_ScanThread);
        EXPECT_EQ(::GetWindowThreadProcessId(dialog, NULL), g_ScanThread->m_nThreadID);
        EXPECT_TRUE(Searching());
        EXPECT_EQ(1000u, DriveStep()->m_starter.TimerPeriod());
        EXPECT_EQ(CString(L"Selected Mode : Quick Scan \r\nDrive Type        : Virtual Hard Disk"), g_ModeText);
        if (c.answer == 0)
            SaveFrameScreenshot(L"wizard-partition-search-stop");
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_PARTITION_TYPE_EXISTING));
        if (c.answer == 1)
            ::SendMessageW(::GetDlgItem(dialog, IDC_PARTITION_TYPE_SEARCH), BM_CLICK, 0, 0);
        if (c.answer == 2)
            ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, IDOK));
        // The step waits for the worker's end before it moves on.
        ASSERT_TRUE(PumpUntil([] { return App().CurrentViewIndex() == WizardScanStep; }, 120000));
        EXPECT_EQ(nullptr, g_ScanThread);
        EXPECT_EQ(CScanStarter::JobNone, DriveStep()->m_starter.RunningJob());
        EXPECT_EQ(c.flag, g_SearchPartitions);
        EXPECT_FALSE(App().GetMainFrame()->m_bDriveStep);
        EXPECT_TRUE(App().GetMainFrame()->m_bScanStep);
        EXPECT_EQ(-1, App().GetMainFrame()->m_nSelectedRow);

        CDeviceTreeCtrl& tree = ScanStep()->m_tree;
        ASSERT_EQ(std::vector<std::wstring>{L"Virtual Hard Disk "}, ChildTexts(tree, TVI_ROOT));
        EXPECT_EQ(ExpectedPartitionItems(parts.size()), ChildTexts(tree, tree.GetRootItem()));
        ASSERT_EQ((int)parts.size(), g_PartitionCount);
        for (size_t i = 0; i < parts.size(); ++i)
            EXPECT_EQ(parts[i].start, g_PartitionTable[i].startSector) << i;
        EXPECT_TRUE(tree.GetItemState(tree.GetRootItem(), TVIS_BOLD) & TVIS_BOLD);

        // A click on the second partition copies its table entry.
        App().GetMainFrame()->m_bPartitionSelectable = TRUE;
        HTREEITEM second = tree.GetNextSiblingItem(tree.GetChildItem(tree.GetRootItem()));
        tree.OnSelectItem(second);
        EXPECT_EQ(1, App().GetMainFrame()->m_nSelectedRow);
        EXPECT_EQ(g_PartitionTable[1].startSector, VolumeParams.startSector);
        EXPECT_EQ(g_PartitionTable[1].sectorCount, VolumeParams.sectorCount);
        EXPECT_EQ(g_PartitionTable[1].fileSystemCode, VolumeParams.selectionCode);
        EXPECT_EQ(1, VolumeParams.partitionIndex);
        ResetWizard();
        EXPECT_TRUE(Idle());
    }
}

// Without a partition table the search runs without the question and finds
// the partitions by their boot sectors.
TEST_F(DriveStep_, DiskWithoutTableIsSearchedWithoutTheQuestion)
{
    const std::vector<MmlsPartition> parts = FileSystemPartitions(L"chs.mmls");
    ASSERT_EQ(3u, parts.size());
    CMessageRecorder messages;
    OpenOnDriveStep(L"chs-nombr-dynamic.vhd", CEx_StyleView::IdExtensiveScan);
    Next();
    EXPECT_EQ(500u, DriveStep()->m_starter.TimerPeriod());
    ASSERT_TRUE(PumpUntil([] { return App().CurrentViewIndex() == WizardScanStep || FindPartitionTypeDialog(); },
                          120000));
    EXPECT_EQ((HWND)NULL, FindPartitionTypeDialog());
    EXPECT_EQ(1, g_SearchPartitions);
    ASSERT_EQ((int)parts.size(), g_PartitionCount);
    for (size_t i = 0; i < parts.size(); ++i)
        EXPECT_EQ(parts[i].start, g_PartitionTable[i].startSector) << i;
    CDeviceTreeCtrl& tree = ScanStep()->m_tree;
    EXPECT_EQ(ExpectedPartitionItems(parts.size()), ChildTexts(tree, tree.GetRootItem()));
    // The Extensive Scan's range is the whole disk, its last sector the
    // inclusive end.
    EXPECT_EQ(0u, VolumeParams.startSector);
    EXPECT_EQ((uint32_t)g_DiskTotalSectors[0], VolumeParams.sectorCount);
    EXPECT_EQ(VolumeParams.sectorCount - 1, VolumeParams.endSector);
    EXPECT_TRUE(messages.messages().empty());
}

// Stop while the search runs (held in its question): No lets it go on and
// list everything; Yes ends it and the scan step still follows.
TEST_F(DriveStep_, StopAskedNoGoesOnAndYesEndsTheSearch)
{
    for (int answer : {2, 1}) {
        SCOPED_TRACE(answer == 1 ? "yes" : "no");
        OpenOnDriveStep(L"mixed-dynamic.vhd", CEx_StyleView::IdQuickScan);
        Next();
        HWND dialog = WaitPartitionTypeDialog();
        ASSERT_NE((HWND)NULL, dialog);
        {
            CMessageRecorder messages(answer);
            DriveStep()->SendMessage(WM_COMMAND, MAKEWPARAM(CFirstView_HDD::IdStop, BN_CLICKED), 0);
            ASSERT_EQ(1u, messages.messages().size());
            EXPECT_EQ(L"Do you want to stop partition searching ?", messages.messages()[0].text);
            EXPECT_EQ(1, messages.messages()[0].isQuestion);
        }
        // Yes asks the worker to stop (it ends itself); No leaves it running.
        EXPECT_EQ(answer == 1 ? 1 : 0, g_ScanStop);
        if (answer != 1) {
            EXPECT_EQ(1, (int)g_ScanBusy);
        }
        // The search is asked to look further, so a stop shows in the table.
        ::SendMessageW(::GetDlgItem(dialog, IDC_PARTITION_TYPE_SEARCH), BM_CLICK, 0, 0);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, IDOK));
        ASSERT_TRUE(PumpUntil([] { return App().CurrentViewIndex() == WizardScanStep; }, 120000));
        EXPECT_EQ(nullptr, g_ScanThread);
        EXPECT_EQ(4, g_PartitionCount);
        ResetWizard();
    }
    // No search running: Stop asks nothing.
    CMessageRecorder messages;
    DriveStep()->SendMessage(WM_COMMAND, MAKEWPARAM(CFirstView_HDD::IdStop, BN_CLICKED), 0);
    EXPECT_TRUE(messages.messages().empty());
}

// Back and Home: every list freed, the start page shown, Open enabled,
// nothing selected.
TEST_F(DriveStep_, BackAndHomeResetToTheStartPage)
{
    for (UINT command : {(UINT)CFirstView_HDD::IdBack, (UINT)CFirstView_HDD::IdHome}) {
        SCOPED_TRACE(command);
        OpenOnDriveStep(L"mixed-dynamic.vhd", CEx_StyleView::IdFileTrace);
        EXPECT_FALSE(App().GetMainFrame()->m_bOpenEnabled);
        // Something in the lists the reset must free.
        AddBootSectorHit(63);
        AppendTraceHit(L"1.jpg", L".jpg", L"JPEG image", 100, 1);
        ASSERT_NE(nullptr, g_TraceHitList.head);
        DriveStep()->SendMessage(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        EXPECT_EQ(WizardStartPage, App().CurrentViewIndex());
        EXPECT_TRUE(App().GetMainFrame()->m_bOpenEnabled);
        EXPECT_FALSE(App().GetMainFrame()->m_bSnapshotLoadEnabled);
        EXPECT_EQ(SourceNone, g_SourceType);
        EXPECT_TRUE(App().GetMainFrame()->m_bDriveStep);
        EXPECT_EQ(0, DriveStep()->m_pPanel->m_pie.GetSliceCount());
        EXPECT_EQ(nullptr, g_BootSectorHits.head);
        EXPECT_EQ(nullptr, g_TraceHitList.head);
    }
}

// A Quick Scan of a disk without partitions reaches the scan step, then
// advises the Extensive Scan; OK goes back to the start page.
TEST_F(DriveStep_, QuickScanWithoutPartitionsAdvisesTheExtensiveScan)
{
    CTempFile blank(L"blank.vhd", BlankFixedVhd(8192));
    RunMode(blank.path(), CEx_StyleView::IdQuickScan);
    ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    ASSERT_EQ(1, App().GetMainFrame()->m_nSelectedRow);
    std::wstring caption;
    int viewWhenShown = -1;
    CModalDriver driver({
        CModalDriver::Run([&](HWND box) {
            caption = CModalDriver::Caption(box);
            viewWhenShown = App().CurrentViewIndex();
        }),
        CModalDriver::Click(IDOK),
    });
    Next();
    ASSERT_TRUE(PumpUntil([&] { return driver.Finished() || driver.TimedOut() || FindPartitionTypeDialog(); },
                          120000))
        << "view " << App().CurrentViewIndex() << " partitions " << g_PartitionCount << " job "
        << DriveStep()->m_starter.RunningJob() << " busy " << (int)g_ScanBusy << " stop " << g_ScanStop;
    ASSERT_EQ((HWND)NULL, FindPartitionTypeDialog());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(L"Tesmir for VHD", caption);
    EXPECT_EQ(WizardScanStep, viewWhenShown);
    EXPECT_EQ(L"Please use the Extensive Scan, as no data is found in Quick Scan.", g_strMessageText);
    EXPECT_TRUE(PumpUntil([] { return App().CurrentViewIndex() == WizardStartPage; }, 10000));
    EXPECT_EQ(0, g_PartitionCount);
    EXPECT_EQ(nullptr, g_FoundVolumes.head);
    EXPECT_TRUE(Idle());
}

// A worker that cannot start leaves the step as it was before Next and
// says so.
TEST_F(DriveStep_, FailedWorkerStartRestoresTheStep)
{
    OpenOnDriveStep(L"mixed-dynamic.vhd", CEx_StyleView::IdQuickScan);
    const CString modeText = g_ModeText;
    const int stop = g_ScanStop;
    const int busy = g_ScanBusy;
    CScanStarter::s_startThread = [](AFX_THREADPROC, LPVOID, int, UINT, DWORD) -> CWinThread* { return NULL; };
    CMessageRecorder messages;
    Next();
    ASSERT_EQ(1u, messages.messages().size());
    EXPECT_EQ(L"Unable to start the partition search.", messages.messages()[0].text);
    EXPECT_EQ(2, messages.messages()[0].kind);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(CScanStarter::JobNone, DriveStep()->m_starter.RunningJob());
    EXPECT_EQ(nullptr, g_ScanThread);
    EXPECT_EQ(stop, g_ScanStop);
    EXPECT_EQ(busy, (int)g_ScanBusy);
    EXPECT_EQ(modeText, g_ModeText);
    EXPECT_EQ(1, App().GetMainFrame()->m_nSelectedRow);
    EXPECT_EQ(WizardDriveStep, App().CurrentViewIndex());
    // Stop has nothing to act on.
    DriveStep()->SendMessage(WM_COMMAND, MAKEWPARAM(CFirstView_HDD::IdStop, BN_CLICKED), 0);
    EXPECT_EQ(1u, messages.messages().size());
}

// Next with "My Computer" selected reports that no drive is selected; with
// "Physical Devices" it only prepares the scan step.
TEST_F(DriveStep_, NextWithACategoryItem)
{
    OpenOnDriveStep(L"mixed-dynamic.vhd", CEx_StyleView::IdQuickScan);
    CDeviceTreeCtrl& tree = DriveStep()->m_tree;
    HTREEITEM computer = tree.GetRootItem();
    tree.OnSelectItem(computer);
    EXPECT_EQ(-1, App().GetMainFrame()->m_nSelectedRow);
    EXPECT_EQ(SourceNone, g_SourceType);
    EXPECT_TRUE(g_ModeText.IsEmpty());
    CMessageRecorder messages;
    Next();
    ASSERT_EQ(1u, messages.messages().size());
    EXPECT_EQ(L"Please select the drive that contain the lost data \r\nfrom the left panel and click [Next].",
              messages.messages()[0].text);
    EXPECT_EQ(2, messages.messages()[0].kind);
    EXPECT_EQ(CScanStarter::JobNone, DriveStep()->m_starter.RunningJob());

    tree.OnSelectItem(tree.GetChildItem(computer));
    EXPECT_EQ(0, App().GetMainFrame()->m_nSelectedRow);
    Next();
    EXPECT_EQ(1u, messages.messages().size());
    EXPECT_EQ(CScanStarter::JobNone, DriveStep()->m_starter.RunningJob());
    EXPECT_EQ(WizardDriveStep, App().CurrentViewIndex());
    EXPECT_EQ(SourceNone, g_SourceType);
}

// Tab four times: Next, Back, the tree, nothing; Enter with Next
// highlighted runs Next, and so does Enter in the tree.
TEST_F(DriveStep_, TabCyclesTheHighlightAndEnterRunsNext)
{
    OpenOnDriveStep(L"chs-nombr-dynamic.vhd", CEx_StyleView::IdQuickScan);
    CFirstView_HDD* pDrive = DriveStep();
    App().GetMainFrame()->SetForegroundWindow();
    pDrive->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == pDrive->m_hWnd; }, 5000));
    const struct
    {
        int state;
        bool nextPushed;
        bool backPushed;
    } steps[] = {{1, true, false}, {2, false, true}, {3, false, false}, {0, false, false}};
    for (const auto& step : steps) {
        if (step.state == 0)
            pDrive->SetFocus();
        tesmir::test::PressKeys({VK_TAB});
        ASSERT_TRUE(PumpUntil([&] { return pDrive->HighlightState() == step.state; }, 5000)) << step.state;
        EXPECT_EQ(step.nextPushed, (pDrive->m_next.SendMessage(BM_GETSTATE) & BST_PUSHED) != 0) << step.state;
        EXPECT_EQ(step.backPushed, (pDrive->m_back.SendMessage(BM_GETSTATE) & BST_PUSHED) != 0) << step.state;
        if (step.state == 3) {
            EXPECT_EQ(pDrive->m_tree.m_hWnd, ::GetFocus());
        }
    }
    // The tree's Tab puts the view back at its first state.
    pDrive->m_tree.SetFocus();
    tesmir::test::PressKeys({VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == pDrive->m_hWnd; }, 5000));
    EXPECT_EQ(0, pDrive->HighlightState());

    tesmir::test::PressKeys({VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return pDrive->HighlightState() == 1; }, 5000));
    tesmir::test::PressKeys({VK_RETURN});
    ASSERT_TRUE(PumpUntil([] { return App().CurrentViewIndex() == WizardScanStep; }, 120000));
    pDrive->m_next.SendMessage(BM_SETSTATE, 0);
    ResetWizard();

    OpenOnDriveStep(L"chs-nombr-dynamic.vhd", CEx_StyleView::IdQuickScan);
    App().GetMainFrame()->SetForegroundWindow();
    pDrive->m_tree.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == pDrive->m_tree.m_hWnd; }, 5000));
    tesmir::test::PressKeys({VK_RETURN});
    ASSERT_TRUE(PumpUntil([] { return App().CurrentViewIndex() == WizardScanStep; }, 120000));
    EXPECT_EQ(3, g_PartitionCount);
}

// The drive step with the mixed disk's chart, kept as a screenshot; the
// pie is drawn in the panel at its place.
TEST_F(DriveStep_, ScreenshotOfTheDriveStepWithItsChart)
{
    OpenOnDriveStep(L"mixed-dynamic.vhd", CEx_StyleView::IdQuickScan);
    SaveFrameScreenshot(L"wizard-drive-step");
    CFirstDisplay* pPanel = DriveStep()->m_pPanel;
    pPanel->UpdateWindow();
    CRect rc;
    pPanel->GetClientRect(&rc);
    tesmir::test::CDibCanvas canvas(rc.Width(), rc.Height());
    tesmir::test::CaptureWindow(pPanel->m_hWnd, canvas);
    // The FAT32 slice's colour lies inside the pie around (190, 300).
    EXPECT_GT(canvas.Count(CRect(130, 240, 250, 360), RGB(119, 119, 255)), 100);
    EXPECT_GT(canvas.Count(CRect(130, 240, 250, 360), RGB(248, 167, 143)), 50);
}

}  // namespace
