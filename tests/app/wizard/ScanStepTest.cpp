// The scan step inside the program: the Extensive Scan's range checks and
// range (the whole 10 GiB VHDX included), Stop with a held worker, real
// Extensive Scans that reach the file-system step with or without a file
// system, Quick Scans and File Traces that reach the recovery step only
// after their worker's thread ended, the keys, Back and Home, and a
// screenshot of each face of the panel.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "CDiskEnumerator.h"
#include "CFileSystemView.h"
#include "CFolderTreeCtrl.h"
#include "CMainFrame.h"
#include "CSecondDisplay.h"
#include "CThirdView_HDD.h"
#include "MessageRecorder.h"
#include "ModalDriver.h"
#include "ScanTestSupport.h"
#include "ScriptedWorker.h"
#include "TestSupport.h"
#include "WizardTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScan.h"
#include "fat/FatLists.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/FileTraceSearch.h"

using msgbox_test::CModalDriver;
using tesmir::test::FixturePath;
using tesmir::test::PumpUntil;

namespace {

const wchar_t kStartError[] = L"Start sector value is not valid, It should be a positive number";
const wchar_t kEndError[] = L"End sector value is not valid, It should be a positive number";
const wchar_t kOrderError[] = L"End sector should be bigger than start sector";
const wchar_t kNoFileSystemHint[] =
    L"Tesmir for VHD was unable to identify a file system in the selected sector range.";
const wchar_t kNoFileSystemError[] =
    L"Tesmir for VHD was unable to identify a file system in the selected sector range.\r\nPlease make sure that you "
    L"made appropriate selections on the previous step.\r\nPlease go back to the previous step and select VHD/VHDX "
    L"for full scan.";
const wchar_t kStopQuestion[] = L"Do you want to stop file searching? This may result in incomplete \r\nrecovery and "
                                L"you will need to restart the process again.";

// The recovery step's result tree.
CFolderTreeCtrl* ResultTree()
{
    return &DYNAMIC_DOWNCAST(CThirdView_HDD, App().m_pViews[WizardRecoveryStep])->m_tree;
}

// The folders below an item as "/"-paths, deleted ones marked.
void CollectFolders(CFolderTreeCtrl& tree, HTREEITEM parent, const std::string& prefix, PathListing& out)
{
    for (HTREEITEM c = tree.GetChildItem(parent); c; c = tree.GetNextSiblingItem(c)) {
        const std::string path = prefix + Utf8((LPCTSTR)tree.GetItemText(c));
        out[path] = tree.IsItemDeleted(c) != FALSE;
        CollectFolders(tree, c, path + "/", out);
    }
}

CFileSystemView* FileSystemStep()
{
    return DYNAMIC_DOWNCAST(CFileSystemView, App().m_pViews[WizardFileSystemStep]);
}

bool Shown(CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }

CString Text(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

// A copy of the 5 GiB VHDX fixture whose metadata names another virtual
// disk size (its BAT region has room for 10 GiB of 1 MiB blocks).
bool SetVhdxDiskSize(const std::wstring& path, uint64_t size)
{
    std::string bytes = tesmir::test::ReadWholeFile(path);
    auto le32 = [&](size_t at) {
        return (uint32_t)(unsigned char)bytes[at] | (uint32_t)(unsigned char)bytes[at + 1] << 8 |
               (uint32_t)(unsigned char)bytes[at + 2] << 16 | (uint32_t)(unsigned char)bytes[at + 3] << 24;
    };
    static const unsigned char metadataRegion[16] = {0x06, 0xA2, 0x7C, 0x8B, 0x90, 0x47, 0x9A, 0x4B,
                                                     0xB8, 0xFE, 0x57, 0x5F, 0x05, 0x0F, 0x88, 0x6E};
    static const unsigned char diskSizeItem[16] = {0x24, 0x42, 0xA5, 0x2F, 0x1B, 0xCD, 0x76, 0x48,
                                                   0xB2, 0x11, 0x5D, 0xBE, 0xD8, 0x3B, 0xF4, 0xB8};
    const size_t regions = 0x30000;
    if (bytes.size() < regions + 0x10000 || bytes.compare(regions, 4, "regi") != 0)
        return false;
    size_t metadata = 0;
    for (uint32_t i = 0, n = le32(regions + 8); i < n && i < 2047; ++i) {
        const size_t entry = regions + 16 + 32 * i;
        if (memcmp(&bytes[entry], metadataRegion, 16) == 0)
            metadata = le32(entry + 16);
    }
    if (!metadata || metadata + 0x10000 > bytes.size() || bytes.compare(metadata, 8, "metadata") != 0)
        return false;
    const unsigned count = (unsigned char)bytes[metadata + 10] | (unsigned char)bytes[metadata + 11] << 8;
    for (unsigned i = 0; i < count && i < 2047; ++i) {
        const size_t entry = metadata + 32 + 32 * i;
        if (memcmp(&bytes[entry], diskSizeItem, 16) != 0)
            continue;
        const size_t at = metadata + le32(entry + 16);
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        unsigned char value[8];
        for (int b = 0; b < 8; ++b)
            value[b] = (unsigned char)(size >> (8 * b));
        LARGE_INTEGER pos;
        pos.QuadPart = (LONGLONG)at;
        DWORD done = 0;
        const bool ok = ::SetFilePointerEx(file, pos, NULL, FILE_BEGIN) && ::WriteFile(file, value, 8, &done, NULL) &&
                        done == 8;
        ::CloseHandle(file);
        return ok;
    }
    return false;
}

// The scripted worker the next scan start gets in place of the engine's.
CScriptedWorker* s_pWorker = nullptr;
std::function<void(CScriptedWorker&)> s_body;

CWinThread* StartScripted(AFX_THREADPROC, LPVOID, int, UINT, DWORD dwCreateFlags)
{
    return s_pWorker->CreateForStarter(s_body, dwCreateFlags);
}

class ScanStep_ : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        // The File Types dialog reads the catalogue beside the program.
        wchar_t module[MAX_PATH] = L"";
        ::GetModuleFileNameW(NULL, module, MAX_PATH);
        std::wstring folder(module);
        folder.erase(folder.find_last_of(L'\\') + 1);
        ::CopyFileW(tesmir::test::BuildPath(L"Raw.dat").c_str(), (folder + L"Raw.dat").c_str(), TRUE);
        m_pRecorder.reset(new CMessageRecorder);
        ResetWizard();
    }
    void TearDown() override
    {
        EndScan();
        CScanStarter::s_startThread = s_realStart;
        s_pWorker = nullptr;
        ResetWizard();
        m_pRecorder.reset();
    }

    // Ends a scan the test left running and waits for the step's timer.
    void EndScan()
    {
        if (ScanStep()->m_starter.RunningJob() == CScanStarter::JobNone)
            return;
        g_ScanStop = 1;
        ResumeScanWorker();
        EXPECT_TRUE(PumpUntil([] { return ScanStep()->m_starter.RunningJob() == CScanStarter::JobNone; }, 120000));
    }

    // The fixture opened in the mode, then the drive step's Next (OK to
    // "Partition Type") until the scan step shows with its partitions.
    void OpenOnScanStep(const std::wstring& path, UINT mode)
    {
        RunMode(path, mode);
        ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
        DriveStep()->SendMessage(WM_COMMAND, MAKEWPARAM(CFirstView_HDD::IdNext, BN_CLICKED), 0);
        HWND answered = NULL;
        ASSERT_TRUE(PumpUntil(
            [&] {
                HWND dialog = FindPartitionTypeDialog();
                if (dialog && dialog != answered) {
                    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, IDOK));
                    answered = dialog;
                }
                return App().CurrentViewIndex() == WizardScanStep &&
                       DriveStep()->m_starter.RunningJob() == CScanStarter::JobNone;
            },
            300000));
        ASSERT_TRUE(App().GetMainFrame()->m_bScanStep);
    }

    void Scan() { ScanStep()->SendMessage(WM_COMMAND, MAKEWPARAM(CSecondView_HDD::IdScan, BN_CLICKED), 0); }
    void Stop() { ScanStep()->SendMessage(WM_COMMAND, MAKEWPARAM(CSecondView_HDD::IdStop, BN_CLICKED), 0); }

    CSecondDisplay& Panel() { return *ScanStep()->m_pPanel; }

    // Clicks the partition item (0 = "Partition 1") or, for -1, the disk.
    void SelectRow(int row)
    {
        CDeviceTreeCtrl& tree = ScanStep()->m_tree;
        HTREEITEM item = tree.GetRootItem();
        ASSERT_NE((HTREEITEM)NULL, item);
        if (row >= 0)
            item = tree.GetChildItem(item);
        for (int i = 0; i < row && item; ++i)
            item = tree.GetNextSiblingItem(item);
        ASSERT_NE((HTREEITEM)NULL, item);
        tree.SelectItem(item);
        tree.OnSelectItem(item);
        ASSERT_EQ(row, App().GetMainFrame()->m_nSelectedRow);
    }

    static bool Running()
    {
        CSecondView_HDD* pScan = ScanStep();
        return Shown(pScan->m_stop) && pScan->m_stop.IsWindowEnabled() && !Shown(pScan->m_scan) &&
               !Shown(pScan->m_back) && !pScan->m_home.IsWindowEnabled() && !pScan->m_tree.IsWindowEnabled() &&
               Shown(pScan->m_pPanel->m_progress) && Shown(pScan->m_pPanel->m_status) &&
               Shown(pScan->m_pPanel->m_showHideProgress) && Shown(pScan->m_pPanel->m_hint) &&
               !App().GetMainFrame()->m_bPartitionSelectable;
    }

    static bool Idle()
    {
        CSecondView_HDD* pScan = ScanStep();
        return !Shown(pScan->m_stop) && Shown(pScan->m_scan) && pScan->m_scan.IsWindowEnabled() &&
               Shown(pScan->m_back) && pScan->m_tree.IsWindowEnabled();
    }

    // The next scan runs the body on a scripted worker.
    void Script(CScriptedWorker& worker, std::function<void(CScriptedWorker&)> body)
    {
        s_pWorker = &worker;
        s_body = std::move(body);
        CScanStarter::s_startThread = &StartScripted;
    }

    bool WaitView(int view, DWORD timeoutMs = 300000)
    {
        return PumpUntil([&] { return App().CurrentViewIndex() == view; }, timeoutMs);
    }

    std::vector<std::wstring> FoundFileSystems()
    {
        CTreeCtrl& tree = FileSystemStep()->m_tree;
        HTREEITEM root = tree.GetRootItem();
        return root ? ChildTexts(tree, root) : std::vector<std::wstring>();
    }

    CMessageRecorder& Messages() { return *m_pRecorder; }

    CScanStarter::ThreadStarter s_realStart = CScanStarter::s_startThread;
    // Made after the program's start, which installs its own presenter.
    std::unique_ptr<CMessageRecorder> m_pRecorder;
};

// The range checks of an Extensive Scan over a virtual disk: each bad text
// gives its message and starts nothing; good digits start the scan over
// exactly the sectors shown, both ends included, and an end past the disk
// is cut to its last sector.
TEST_F(ScanStep_, ExtensiveRangeChecks)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdExtensiveScan);
    const uint32_t total = (uint32_t)g_DiskTotalSectors[0];
    ASSERT_GT(total, 400000u);
    struct Case
    {
        const wchar_t* start;
        const wchar_t* end;
        const wchar_t* message;   // null: the scan starts
        uint32_t startSector, endSector;
    };
    const Case cases[] = {
        {L"abc", L"100", kStartError, 0, 0},
        {L"", L"100", kStartError, 0, 0},
        {L"-5", L"100", kStartError, 0, 0},
        {L"100", L"100", kOrderError, 0, 0},
        {L"100", L"99", kOrderError, 0, 0},
        {L"100", L"abc", kEndError, 0, 0},
        {L"100", L"", kEndError, 0, 0},
        {L"1", L"2000", nullptr, 1, 2000},
        {L"100", L"4000000000", nullptr, 100, total - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << tesmir::test::Utf8(c.start) << " / " << tesmir::test::Utf8(c.end));
        CScriptedWorker worker;
        // The scan itself is not what this test is about: the worker ends at once.
        Script(worker, [](CScriptedWorker&) {
            g_BootStepDone = 1;
            g_DirStepDone = 1;
        });
        Messages().SetAnswer(1);
        const size_t before = Messages().messages().size();
        Panel().m_startSector.SetWindowText(c.start);
        Panel().m_endSector.SetWindowText(c.end);
        Scan();
        if (c.message) {
            ASSERT_EQ(before + 1, Messages().messages().size());
            EXPECT_EQ(c.message, Messages().messages().back().text);
            EXPECT_EQ(2, Messages().messages().back().kind);
            EXPECT_EQ(CScanStarter::JobNone, ScanStep()->m_starter.RunningJob());
            EXPECT_TRUE(Idle());
            EXPECT_EQ(WizardScanStep, App().CurrentViewIndex());
            continue;
        }
        EXPECT_EQ(c.startSector, VolumeParams.startSector);
        EXPECT_EQ(c.endSector, VolumeParams.endSector);
        EXPECT_EQ(c.endSector - c.startSector + 1, VolumeParams.sectorCount);
        EXPECT_EQ(CString(L"Selected Mode : Extensive Scan \r\nDrive Type        : Virtual Hard Disk"), g_ModeText);
        ASSERT_TRUE(WaitView(WizardFileSystemStep, 60000));
        // Nothing found by the scripted worker: the step says so.
        EXPECT_EQ(kNoFileSystemError, Messages().messages().back().text);
        // Back to the scan step for the next case.
        App().SwitchView(WizardScanStep);
        App().GetMainFrame()->m_bScanStep = TRUE;
        ScanStep()->RestoreIdle();
        Panel().ShowRangeInputs();
    }
}

// A whole 10 GiB VHDX: the range is sectors 0 to 20,971,519 in
// VolumeParams, in the panel and in the scan, and an end typed past the
// disk is cut to its last sector.
TEST_F(ScanStep_, WholeTenGibVhdxRange)
{
    CTempImage image(L"vhdx-5g.vhdx", L"ten.vhdx");
    ASSERT_TRUE(image.ok());
    ASSERT_TRUE(SetVhdxDiskSize(image.path(), 10ull << 30));
    OpenOnScanStep(image.path(), CEx_StyleView::IdExtensiveScan);
    ASSERT_EQ(20971520u, g_DiskTotalSectors[0]);
    // An empty disk lists no partition: the range is the one the drive step
    // prepared.
    {
        EXPECT_EQ(nullptr, ScanStep()->m_tree.GetRootItem());
        EXPECT_EQ(0u, VolumeParams.startSector);
        EXPECT_EQ(20971519u, VolumeParams.endSector);
        EXPECT_EQ(20971520u, VolumeParams.sectorCount);
        EXPECT_EQ(CString(L"0"), Text(Panel().m_startSector));
        EXPECT_EQ(CString(L"20971519"), Text(Panel().m_endSector));
        EXPECT_EQ(CString(L"0"), Panel().ValueText(1));
        EXPECT_EQ(CString(L"20971519"), Panel().ValueText(2));
        EXPECT_EQ(CString(L"10240 MB ( Aprox )"), Panel().ValueText(3));
        EXPECT_EQ(CString(L"NTFS"), Panel().ValueText(0));
    }
    SaveFrameScreenshot(L"wizard-scan-step-selection");

    CScriptedWorker worker;
    uint32_t scannedStart = 0, scannedCount = 0;
    Script(worker, [&](CScriptedWorker&) {
        scannedStart = VolumeParams.startSector;
        scannedCount = VolumeParams.sectorCount;
        g_BootStepDone = 1;
        g_DirStepDone = 1;
    });
    Panel().m_startSector.SetWindowText(L"2048");
    Panel().m_endSector.SetWindowText(L"99999999");
    Scan();
    ASSERT_TRUE(WaitView(WizardFileSystemStep, 60000));
    EXPECT_EQ(2048u, scannedStart);
    EXPECT_EQ(20971519u - 2048u + 1u, scannedCount);
    EXPECT_EQ(20971519u, VolumeParams.endSector);
}

// Stop with a held worker: No lets it go on with the step as it was; Yes
// while the worker still winds down keeps the wizard on the scan step until
// its thread has ended, and the file-system step then reads what the
// worker added last.
TEST_F(ScanStep_, StopNoGoesOnAndYesWaitsForTheThread)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdExtensiveScan);
    CScriptedWorker worker;
    Script(worker, [&](CScriptedWorker& w) {
        w.HoldAt("searching");
        while (!ScanStopRequested())
            ::Sleep(1);
        w.HoldAt("winding down");
        // Found last, while the flags already read "finished".
        CTreeCtrl& tree = FileSystemStep()->m_tree;
        HTREEITEM root = tree.InsertItem(L"File System");
        tree.InsertItem(L"FAT32 @ 2048", root);
        tree.Expand(root, TVE_EXPAND);
        g_BootStepDone = 1;
        g_DirStepDone = 1;
    });
    Scan();
    ASSERT_TRUE(worker.WaitHeld("searching", true));
    EXPECT_TRUE(Running());
    SaveFrameScreenshot(L"wizard-scan-step-scanning");

    // No: the worker goes on and nothing changes.
    Messages().SetAnswer(2);
    Stop();
    ASSERT_EQ(1u, Messages().CountContaining(kStopQuestion));
    EXPECT_EQ(kStopQuestion, Messages().messages().back().text);
    EXPECT_EQ(1, Messages().messages().back().isQuestion);
    EXPECT_EQ(0, g_ScanStop);
    EXPECT_EQ(1, (int)g_ScanBusy);
    EXPECT_TRUE(Running());

    // Yes: the stop is asked for; Stop and the progress button go.
    worker.Release();
    Messages().SetAnswer(1);
    Stop();
    EXPECT_EQ(2u, Messages().CountContaining(kStopQuestion));
    EXPECT_EQ(1, g_ScanStop);
    EXPECT_FALSE(Shown(ScanStep()->m_stop));
    EXPECT_FALSE(Shown(Panel().m_showHideProgress));
    EXPECT_FALSE(Shown(Panel().m_hint));
    EXPECT_TRUE(Shown(Panel().m_status));
    ASSERT_TRUE(worker.WaitHeld("winding down", true));
    // The worker has not ended: the step stays, however long the timer ticks.
    PumpUntil([] { return App().CurrentViewIndex() != WizardScanStep; }, 3000);
    EXPECT_EQ(WizardScanStep, App().CurrentViewIndex());
    EXPECT_NE(nullptr, g_ScanThread);
    worker.Release();
    ASSERT_TRUE(WaitView(WizardFileSystemStep, 60000));
    EXPECT_EQ(nullptr, g_ScanThread);
    EXPECT_EQ(std::vector<std::wstring>{L"FAT32 @ 2048"}, FoundFileSystems());
    EXPECT_EQ(0u, Messages().CountContaining(kNoFileSystemHint));
    EXPECT_TRUE(App().GetMainFrame()->m_bExtensiveResultsStep);
    EXPECT_EQ(1, g_ShowScanProgress);
}

// A Quick Scan whose worker is still building: the recovery step shows
// only after the worker's thread ended, then the closing information once
// and the result step flags.
TEST_F(ScanStep_, QuickScanMovesOnOnlyAfterTheThreadEnded)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
    CScriptedWorker worker;
    Script(worker, [](CScriptedWorker& w) { w.HoldAt("returning"); });
    SelectRow(0);
    Scan();
    ASSERT_TRUE(worker.WaitHeld("returning", true));
    PumpUntil([] { return App().CurrentViewIndex() != WizardScanStep; }, 3000);
    EXPECT_EQ(WizardScanStep, App().CurrentViewIndex());
    EXPECT_EQ(0u, Messages().CountContaining(L"If you don't find"));
    worker.Release();
    ASSERT_TRUE(WaitView(WizardRecoveryStep, 60000));
    EXPECT_EQ(nullptr, g_ScanThread);
    EXPECT_EQ(1u, Messages().CountContaining(L"If you don't find the required file(s) and folder(s) here then please "
                                             L"go back \r\nto the first step and select Extensive Scan for recovery."));
    EXPECT_TRUE(App().GetMainFrame()->m_bResultsStep);
    EXPECT_FALSE(App().GetMainFrame()->m_bScanStep);
    EXPECT_FALSE(App().GetMainFrame()->m_bExtensiveResultsStep);
    EXPECT_FALSE(ScanStep()->IsWaitCursorShown());
}

// Real Quick Scans from the scan step of the mixed disk's FAT32 and NTFS
// partitions (fixed and dynamic VHD): the recovery step shows, once the
// worker's thread has ended, "Root" over exactly the folders fls lists.
TEST_F(ScanStep_, RealQuickScanReachesTheRecoveryStep)
{
    struct Case
    {
        const wchar_t* image;
        int row;
        const wchar_t* fls;
        const wchar_t* type;
    };
    const Case cases[] = {
        {L"mixed-dynamic.vhd", 0, L"mixed-p1.fls", L"FAT32"},
        {L"mixed-dynamic.vhd", 1, L"mixed-p2.fls", L"NTFS"},
        {L"mixed-fixed.vhd", 0, L"mixed-p1.fls", L"FAT32"},
        {L"mixed-fixed.vhd", 1, L"mixed-p2.fls", L"NTFS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.image) + " " + Utf8(c.fls));
        OpenOnScanStep(FixturePath(c.image), CEx_StyleView::IdQuickScan);
        SelectRow(c.row);
        EXPECT_EQ(CString(c.type), Panel().ValueText(0));
        // The panel's end is the partition's last sector.
        EXPECT_EQ(g_PartitionTable[c.row].startSector + g_PartitionTable[c.row].sectorCount - 1,
                  VolumeParams.endSector);
        const size_t before = Messages().messages().size();
        Scan();
        EXPECT_EQ(CString(L"Selected Mode : Quick Scan \r\nDrive Type        : Virtual Hard Disk"), g_ModeText);
        ASSERT_TRUE(WaitView(WizardRecoveryStep, 300000));
        EXPECT_EQ(nullptr, g_ScanThread);
        EXPECT_TRUE(Shown(DYNAMIC_DOWNCAST(CThirdView_HDD, App().m_pViews[WizardRecoveryStep])->m_recover));
        CFolderTreeCtrl* pTree = ResultTree();
        HTREEITEM root = pTree->GetRootItem();
        ASSERT_NE((HTREEITEM)NULL, root);
        EXPECT_EQ(CString(L"Root"), pTree->GetItemText(root));
        PathListing ours, theirs = ReadFlsFolders(c.fls);
        CollectFolders(*pTree, root, "", ours);
        ASSERT_GT(theirs.size(), 5u);
        if (wcscmp(c.type, L"NTFS") != 0) {
            ours = FoldFatListing(ours);
            theirs = FoldFatListing(theirs);
        }
        EXPECT_EQ("", ListingDifference(theirs, ours));
        EXPECT_EQ("", ListingDifference(ours, theirs, "Lost Dir"));
        EXPECT_EQ(before + 1, Messages().messages().size());
        ResetWizard();
    }
}

// Extensive Scans of the whole damaged mixed disk (no partition table, no
// boot sectors but the NTFS backup at the volume's last sector), one per
// file-system choice, reach the file-system step with one file system found
// inside each partition the search looks for (a FAT search finds FAT16 and
// FAT32 volumes alike and names them by the choice).
TEST_F(ScanStep_, ExtensiveScanOfTheWholeDamagedDisk)
{
    const std::vector<MmlsPartition> parts = FileSystemPartitions(L"mixed.mmls");
    ASSERT_EQ(4u, parts.size());
    struct Case
    {
        int selector;
        const wchar_t* kind;        // in mmls's description (" FAT": not exFAT)
        const wchar_t* prefix;      // of the found file system's item
    };
    const Case cases[] = {{0, L"NTFS", L"NTFS @"}, {1, L" FAT", L"FAT32 @"}, {2, L" FAT", L"FAT16 @"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(tesmir::test::Utf8(c.prefix));
        OpenOnScanStep(FixturePath(L"damaged.vhd"), CEx_StyleView::IdExtensiveScan);
        // The drive step prepared the whole disk; the disk item, when the
        // search listed partitions, selects it again.
        if (ScanStep()->m_tree.GetRootItem())
            SelectRow(-1);
        EXPECT_EQ(0u, VolumeParams.startSector);
        EXPECT_EQ((uint32_t)g_DiskTotalSectors[0] - 1, VolumeParams.endSector);
        Panel().m_fileSystem.SetCurSel(c.selector);
        Scan();
        EXPECT_TRUE(Running());
        ASSERT_TRUE(WaitView(WizardFileSystemStep, 600000));
        EXPECT_EQ(nullptr, g_ScanThread);
        EXPECT_EQ((uint32_t)g_DiskTotalSectors[0], VolumeParams.sectorCount);
        const std::vector<std::wstring> found = FoundFileSystems();
        std::wstring all;
        for (const std::wstring& name : found)
            all += name + L"; ";
        SCOPED_TRACE(tesmir::test::Utf8(all));
        for (const MmlsPartition& p : parts) {
            if (p.description.find(c.kind) == std::wstring::npos)
                continue;
            size_t inside = 0;
            for (const std::wstring& name : found) {
                if (name.compare(0, wcslen(c.prefix), c.prefix) != 0)
                    continue;
                const uint64_t at = wcstoull(name.c_str() + wcslen(c.prefix), NULL, 10);
                inside += at >= p.start && at < p.start + p.length;
            }
            EXPECT_EQ(1u, inside) << tesmir::test::Utf8(p.description) << " at " << p.start;
        }
        EXPECT_EQ(0u, Messages().CountContaining(kNoFileSystemHint));
        EXPECT_TRUE(App().GetMainFrame()->m_bExtensiveResultsStep);
        ResetWizard();
    }
}

// An Extensive Scan over sectors that hold no file system: the file-system
// step shows the hint and the error, and no result step flag is set.
TEST_F(ScanStep_, ExtensiveScanWithoutAFileSystem)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdExtensiveScan);
    Panel().m_fileSystem.SetCurSel(1);
    Panel().m_startSector.SetWindowText(L"1");
    Panel().m_endSector.SetWindowText(L"2000");
    Scan();
    EXPECT_EQ(FileSystemFat32, VolumeParams.selectionCode);
    EXPECT_EQ(CString(L"Boot Sector(s) Found\t\t:"), Panel().CaptionText(0));
    ASSERT_TRUE(WaitView(WizardFileSystemStep, 120000));
    EXPECT_EQ(CString(kNoFileSystemHint), Text(FileSystemStep()->m_form.m_hint));
    ASSERT_FALSE(Messages().messages().empty());
    EXPECT_EQ(kNoFileSystemError, Messages().messages().back().text);
    EXPECT_EQ(2, Messages().messages().back().kind);
    EXPECT_FALSE(App().GetMainFrame()->m_bExtensiveResultsStep);
    EXPECT_FALSE(App().GetMainFrame()->m_bResultsStep);
}

// The selection checks of Quick Scan and File Trace, and File Trace on a
// disk without partitions.
TEST_F(ScanStep_, SelectionChecksPerMode)
{
    const std::wstring scan =
        L"Please select the partition that you want to recover \r\nfrom the left panel and click [Scan].";
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
    Scan();
    ASSERT_EQ(1u, Messages().messages().size());
    EXPECT_EQ(scan, Messages().messages()[0].text);
    EXPECT_EQ(1, Messages().messages()[0].kind);
    EXPECT_TRUE(Idle());
    ResetWizard();

    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdFileTrace);
    // Nothing selected in the partition tree.
    ScanStep()->m_tree.SelectItem(NULL);
    Scan();
    ASSERT_EQ(2u, Messages().messages().size());
    EXPECT_EQ(scan, Messages().messages()[1].text);
    // The disk item: a row, but not a partition.
    SelectRow(-1);
    Scan();
    ASSERT_EQ(3u, Messages().messages().size());
    EXPECT_EQ(L"Please select the partition that you want to recover \r\nfrom the left panel and click [Next].",
              Messages().messages()[2].text);
    // Without partitions the File Trace cannot run: back to the start.
    SelectRow(0);
    g_PartitionCount = 0;
    Scan();
    ASSERT_EQ(4u, Messages().messages().size());
    EXPECT_EQ(L"Please use the Extensive Scan, as the selected file is damaged and unable to perform File Trace.",
              Messages().messages()[3].text);
    EXPECT_EQ(WizardStartPage, App().CurrentViewIndex());
    EXPECT_EQ(CScanStarter::JobNone, ScanStep()->m_starter.RunningJob());
}

// A File Trace from the scan step: the File Types dialog answered Cancel
// changes nothing; OK starts the search, and the recovery step shows its
// type folders once the worker's thread has ended.
TEST_F(ScanStep_, FileTraceReachesTheRecoveryStep)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdFileTrace);
    SelectRow(0);
    {
        CModalDriver cancel({CModalDriver::Click(IDCANCEL)});
        Scan();
        EXPECT_TRUE(cancel.Finished());
    }
    EXPECT_TRUE(Idle());
    EXPECT_EQ(CScanStarter::JobNone, ScanStep()->m_starter.RunningJob());

    CScriptedWorker worker;
    Script(worker, [](CScriptedWorker& w) { w.HoldAt("searching"); });
    {
        CModalDriver ok({CModalDriver::Click(IDOK)});
        Scan();
        EXPECT_TRUE(ok.Finished());
    }
    ASSERT_TRUE(worker.WaitHeld("searching", true));
    EXPECT_TRUE(Running());
    EXPECT_EQ(CString(L"Searching for lost data. Please wait..."), Text(Panel().m_topText));
    EXPECT_EQ(CString(L"Selected Mode : File Trace \r\nDrive Type        : Virtual Hard Disk"), g_ModeText);
    worker.Release();
    ASSERT_TRUE(WaitView(WizardRecoveryStep, 60000));
    EXPECT_EQ(nullptr, g_ScanThread);
    EXPECT_TRUE(App().GetMainFrame()->m_bResultsStep);
}

// A File Trace whose worker found no partition parameters (it told the
// user itself) takes the wizard back to the start page, idle.
TEST_F(ScanStep_, FileTraceWithoutParametersGoesBackToTheStart)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdFileTrace);
    SelectRow(0);
    CScriptedWorker worker;
    Script(worker, [](CScriptedWorker&) { g_ParamsSearchFailed = 1; });
    {
        CModalDriver ok({CModalDriver::Click(IDOK)});
        Scan();
        EXPECT_TRUE(ok.Finished());
    }
    ASSERT_TRUE(WaitView(WizardStartPage, 60000));
    EXPECT_EQ(nullptr, g_ScanThread);
    EXPECT_FALSE(App().GetMainFrame()->m_bResultsStep);
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(ScanStep()->IsWaitCursorShown());
}

// Tab cycles the pushed state over Scan, Back and the tree; Enter runs only
// an enabled button, so a pushed Scan hidden by a running scan starts
// nothing.
TEST_F(ScanStep_, TabCycleAndEnterOnlyOnEnabledButtons)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
    CSecondView_HDD* pScan = ScanStep();
    pScan->ResetHighlight();
    const struct
    {
        int state;
        bool scanPushed, backPushed;
    } steps[] = {{CSecondView_HDD::HighlightScan, true, false},
                 {CSecondView_HDD::HighlightBack, false, true},
                 {CSecondView_HDD::HighlightTree, false, false}};
    for (const auto& step : steps) {
        pScan->SendMessage(WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(step.state, pScan->HighlightState());
        EXPECT_EQ(step.scanPushed, (pScan->m_scan.SendMessage(BM_GETSTATE) & BST_PUSHED) != 0);
        EXPECT_EQ(step.backPushed, (pScan->m_back.SendMessage(BM_GETSTATE) & BST_PUSHED) != 0);
    }
    // Enter with nothing pushed does nothing.
    pScan->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Messages().messages().empty());
    EXPECT_EQ(WizardScanStep, App().CurrentViewIndex());

    // Scan pushed and a partition chosen: Enter starts the scan.
    SelectRow(0);
    CScriptedWorker worker;
    Script(worker, [](CScriptedWorker& w) { w.HoldAt("scanning"); });
    pScan->SendMessage(WM_KEYDOWN, VK_TAB, 0);
    ASSERT_EQ(CSecondView_HDD::HighlightScan, pScan->HighlightState());
    pScan->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(worker.WaitHeld("scanning", true));
    EXPECT_TRUE(Running());
    // Still pushed, now hidden and disabled: Enter starts no second worker;
    // Back pushed and disabled frees nothing.
    EXPECT_TRUE(pScan->m_scan.SendMessage(BM_GETSTATE) & BST_PUSHED);
    pScan->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    pScan->m_back.SendMessage(BM_SETSTATE, 1);
    pScan->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Messages().messages().empty());
    EXPECT_EQ(WizardScanStep, App().CurrentViewIndex());
    EXPECT_TRUE(Running());
    pScan->m_scan.SendMessage(BM_SETSTATE, 0);
    pScan->m_back.SendMessage(BM_SETSTATE, 0);
    worker.Release();
    ASSERT_TRUE(WaitView(WizardRecoveryStep, 60000));
}

// Show/Hide Progress turns the live counters off and on; Back turns them
// on again; Back frees every list and shows the drive step idle, Home the
// start page.
TEST_F(ScanStep_, ProgressToggleBackAndHome)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
    CSecondDisplay& panel = Panel();
    ASSERT_EQ(1, g_ShowScanProgress);
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(CSecondDisplay::IdShowHideProgress, BN_CLICKED), 0);
    EXPECT_EQ(0, g_ShowScanProgress);
    EXPECT_EQ(CString(L"Show Progress"), Text(panel.m_showHideProgress));
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(CSecondDisplay::IdShowHideProgress, BN_CLICKED), 0);
    EXPECT_EQ(1, g_ShowScanProgress);
    EXPECT_EQ(CString(L"Hide Progress"), Text(panel.m_showHideProgress));
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(CSecondDisplay::IdShowHideProgress, BN_CLICKED), 0);
    ASSERT_EQ(0, g_ShowScanProgress);

    for (UINT command : {(UINT)CSecondView_HDD::IdBack, (UINT)CSecondView_HDD::IdHome}) {
        SCOPED_TRACE(command);
        if (command == CSecondView_HDD::IdHome)
            OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
        AddBootSectorHit(63);
        ASSERT_NE(nullptr, g_BootSectorHits.head);
        ScanStep()->SendMessage(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        EXPECT_EQ(nullptr, g_BootSectorHits.head);
        EXPECT_EQ(1, g_ShowScanProgress);
        EXPECT_EQ(CString(L"Hide Progress"), Text(panel.m_showHideProgress));
        EXPECT_EQ(nullptr, ScanStep()->m_tree.GetRootItem());
        EXPECT_TRUE(App().GetMainFrame()->m_bDriveStep);
        EXPECT_FALSE(App().GetMainFrame()->m_bScanStep);
        EXPECT_TRUE(App().GetMainFrame()->m_bSnapshotLoadEnabled || command == CSecondView_HDD::IdHome);
        EXPECT_EQ(command == CSecondView_HDD::IdBack ? WizardDriveStep : WizardStartPage, App().CurrentViewIndex());
        if (command == CSecondView_HDD::IdBack) {
            EXPECT_EQ(CString(L"Selected Mode : Quick Scan"), g_ModeText);
        }
    }
}

// The reset face (a Quick Scan's selection before a partition is chosen)
// kept as a screenshot beside the selection and scanning faces.
TEST_F(ScanStep_, ScreenshotOfTheResetFace)
{
    OpenOnScanStep(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
    EXPECT_EQ(CString(L"Partition type\t\t:"), Panel().CaptionText(0));
    EXPECT_FALSE(Shown(Panel().m_fileSystem));
    EXPECT_FALSE(Shown(Panel().m_startSector));
    SaveFrameScreenshot(L"wizard-scan-step-reset");
    SelectRow(1);
    SaveFrameScreenshot(L"wizard-scan-step-partition");
}

}  // namespace
