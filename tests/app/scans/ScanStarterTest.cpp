// The engine's workers started by the wizard's starter on the generated
// disks: the partition search fills the device tree, the Quick Scan builds
// the result tree, the Extensive Scan lists the found file systems and the
// extraction follows the choice; Stop ends a running scan; the timer sees
// every end and deletes the thread.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "CDeviceTreeCtrl.h"
#include "CDriveStepPanelHost.h"
#include "CExtensiveScanWizardShell.h"
#include "CFileSystemForm.h"
#include "CFileSystemTreeCtrl.h"
#include "CFirstDisplay.h"
#include "CFolderTreeCtrl.h"
#include "CQuickScanWizardShell.h"
#include "CScanStarter.h"
#include "CScanStepPanelHost.h"
#include "CSecondDisplay.h"
#include "ImageTestSupport.h"
#include "MessageRecorder.h"
#include "ScanTestSupport.h"
#include "TestSupport.h"
#include "TraceTestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "partition/DriveStepHost.h"
#include "partition/PartitionTable.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "trace/FileTraceSearch.h"

namespace {

struct Partition
{
    int number;
    const wchar_t* fls;
    uint16_t code;
    uint32_t start, sectors;
};

const Partition MixedPartitions[] = {
    {2, L"mixed-p2.fls", FileSystemNtfs, 280576, 49152},
    {6, L"mixed-p6.fls", FileSystemFat16, 464896, 32768},
};


BOOL CALLBACK CancelWindow(HWND window, LPARAM)
{
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

class ScanStarterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, NULL, L"scan starter", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 900, 600,
                                     NULL, NULL));
        ASSERT_TRUE(m_first.Create(&m_frame, CRect(0, 0, 300, 100), 1));
        ASSERT_TRUE(m_second.Create(&m_frame, CRect(0, 110, 300, 300), 2));
        ASSERT_TRUE(m_form.Create(&m_frame, CRect(0, 310, 300, 420), 3));
        const DWORD treeStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
        ASSERT_TRUE(m_devices.Create(treeStyle, CRect(310, 0, 590, 200), &m_frame, 4));
        ASSERT_TRUE(m_fileSystems.Create(treeStyle, CRect(310, 210, 590, 590), &m_frame, 5));
        ASSERT_TRUE(m_results.Create(treeStyle, CRect(600, 0, 890, 590), &m_frame, 6));
        m_previousPanel = SetScanPanelHost(&m_panelHost);
        m_previousDrive = SetDriveStepHost(&m_driveHost);
        m_fileSystems.m_pForm = &m_form;
        m_starter.m_onFinished = [this](CScanStarter::Job job) { m_finished.push_back(job); };
        ResetRecoverySettings();
    }
    void TearDown() override
    {
        EndLeftoverWorker();
        SetScanPanelHost(m_previousPanel);
        SetDriveStepHost(m_previousDrive);
        FreeEntryLists();
        FreeExtensiveScanLists();
        m_frame.DestroyWindow();
    }

    // Ends a worker that a failed wait left running, so the starter never
    // waits for it forever: it is told to stop and whatever it shows (a
    // question on any desktop) is cancelled; one that still does not end is
    // a failure, and its thread is ended.
    void EndLeftoverWorker()
    {
        if (!g_ScanThread)
            return;
        const DWORD id = g_ScanThread->m_nThreadID;
        g_ScanStop = 1;
        ResumeScanWorker();
        const bool ended = tesmir::test::PumpUntil(
            [&] {
                if (!g_ScanThread)
                    return true;
                EnumThreadWindows(id, &CancelWindow, 0);
                return WaitForSingleObject(g_ScanThread->m_hThread, 0) == WAIT_OBJECT_0;
            },
            20000);
        if (!ended) {
            ADD_FAILURE() << "the worker did not end when told to stop";
            TerminateThread(g_ScanThread->m_hThread, 1);
            EndScanWorker();
        }
    }

    // Pumps until the timer has reported the end of a job.
    bool WaitForEnd(DWORD timeoutMs = 120000)
    {
        size_t before = m_finished.size();
        bool ended = tesmir::test::PumpUntil([&] { return m_finished.size() > before; }, timeoutMs);
        return ended && m_starter.RunningJob() == CScanStarter::JobNone && g_ScanThread == NULL;
    }

    // The folders of the result tree below "Root", "/"-separated.
    void CollectFolders(HTREEITEM parent, const std::string& prefix, PathListing& out)
    {
        for (HTREEITEM c = m_results.GetChildItem(parent); c; c = m_results.GetNextSiblingItem(c)) {
            std::string path = prefix + Utf8((LPCTSTR)m_results.GetItemText(c));
            out[path] = m_results.IsItemDeleted(c) != FALSE;
            CollectFolders(c, path + "/", out);
        }
    }

    HTREEITEM FileSystemItem(const std::wstring& prefix)
    {
        HTREEITEM root = m_fileSystems.GetRootItem();
        for (HTREEITEM c = root ? m_fileSystems.GetChildItem(root) : NULL; c; c = m_fileSystems.GetNextSiblingItem(c))
            if (std::wstring((LPCTSTR)m_fileSystems.GetItemText(c)).compare(0, prefix.size(), prefix) == 0)
                return c;
        return NULL;
    }

    CWnd m_frame;
    CFirstDisplay m_first;
    CSecondDisplay m_second;
    CFileSystemForm m_form;
    CDeviceTreeCtrl m_devices;
    CFileSystemTreeCtrl m_fileSystems;
    CFolderTreeCtrl m_results;
    CScanStepPanelHost m_panelHost{&m_second};
    CDriveStepPanelHost m_driveHost{&m_first, &m_devices};
    CScanPanelHost* m_previousPanel = nullptr;
    CDriveStepHost* m_previousDrive = nullptr;
    CScanStarter m_starter;
    std::vector<CScanStarter::Job> m_finished;
    CMessageRecorder m_messages;
};

}  // namespace

// The search asks "Partition Type" from its own thread, on the desktop the
// wizard is on; OK with the first choice keeps the table's partitions,
// which the device tree then lists.
TEST_F(ScanStarterTest, PartitionSearchListsThePartitionsInTheDeviceTree)
{
    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    g_ScanMode = ScanModeQuick;
    // Read when the image was added, as the device tree's fill does.
    ReadPartitionTable();
    const int tableCount = g_PartitionCount;
    ASSERT_GE(tableCount, 4);
    g_SearchPartitions = 1;
    ASSERT_TRUE(m_starter.StartPartitionSearch());
    // The question comes first, from the worker; the search goes on after OK.
    HWND dialog = NULL;
    ASSERT_TRUE(tesmir::test::PumpUntil(
        [&] { return (dialog = FindWindowW(L"#32770", L"Partition Type")) != NULL; }, 60000))
        << "no \"Partition Type\" dialog on the wizard's desktop";
    ASSERT_NE(g_ScanThread, nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(dialog, NULL), g_ScanThread->m_nThreadID);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(m_finished.back(), CScanStarter::JobPartitionSearch);
    EXPECT_EQ(g_SearchPartitions, 0);
    EXPECT_EQ(g_PartitionCount, tableCount);
    HTREEITEM disk = m_devices.GetRootItem();
    ASSERT_NE(disk, (HTREEITEM)NULL);
    EXPECT_EQ(m_devices.GetItemText(disk), CString(L"Virtual Hard Disk "));
    int items = 0;
    for (HTREEITEM c = m_devices.GetChildItem(disk); c; c = m_devices.GetNextSiblingItem(c))
        EXPECT_EQ(m_devices.GetItemText(c), CString((L"Partition " + std::to_wstring(++items)).c_str()));
    EXPECT_EQ(items, g_PartitionCount);
    EXPECT_EQ(m_messages.CountContaining(L"Please use the Extensive Scan"), 0u);
}

// The Quick Scan through the starter builds the result tree with the
// volume's directories (deleted ones red), then the timer shows its closing
// information once.
TEST_F(ScanStarterTest, QuickScanBuildsTheResultTreeOfEveryDirectory)
{
    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    g_ScanMode = ScanModeQuick;
    for (const Partition& p : MixedPartitions) {
        SCOPED_TRACE(Utf8(p.fls));
        SelectVolume(p.code, p.start, p.sectors);
        CQuickScanWizardShell shell(&m_second, &m_results);
        ASSERT_TRUE(m_starter.StartQuickScan(shell));
        EXPECT_FALSE(m_starter.StartQuickScan(shell));  // one worker at a time
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(m_finished.back(), CScanStarter::JobQuickScan);
        EXPECT_EQ(shell.m_bBuildingTree, 1);
        HTREEITEM root = m_results.GetRootItem();
        ASSERT_NE(root, (HTREEITEM)NULL);
        EXPECT_EQ(m_results.GetItemText(root), CString(L"Root"));
        PathListing ours, theirs = ReadFlsFolders(p.fls);
        CollectFolders(root, "", ours);
        ASSERT_GT(theirs.size(), 5u);
        if (p.code != FileSystemNtfs) {
            ours = FoldFatListing(ours);
            theirs = FoldFatListing(theirs);
        }
        EXPECT_EQ("", ListingDifference(theirs, ours));
        EXPECT_EQ("", ListingDifference(ours, theirs, "Lost Dir"));
    }
    EXPECT_EQ(m_messages.CountContaining(L"If you don't find the required file(s)"), 2u);
}

// Stop answered "Yes" ends a running scan; the timer still sees the end and
// deletes the thread. With no worker running, Stop asks nothing.
TEST_F(ScanStarterTest, StopAnsweredYesEndsARunningScan)
{
    EXPECT_EQ(m_starter.Stop(), 0);
    EXPECT_TRUE(m_messages.messages().empty());

    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    g_ScanMode = ScanModeExtensive;
    SelectVolume(FileSystemFat32, 0, (uint32_t)image.disk().GetSectorCount());
    CExtensiveScanWizardShell shell(&m_second, &m_fileSystems, &m_form, &m_results);
    g_ShowScanProgress = 1;
    ASSERT_TRUE(m_starter.StartExtensiveScan(shell));
    // The search clears the stop flag as it begins, so the question is asked
    // once it reads; a Stop before that would only be undone.
    ASSERT_TRUE(tesmir::test::PumpUntil(
        [&] {
            CString status;
            m_second.m_status.GetWindowText(status);
            return status.Find(L"Reading Sector") == 0;
        },
        60000));
    m_messages.SetAnswer(1);
    EXPECT_EQ(m_starter.Stop(), 1);
    EXPECT_EQ(m_messages.CountContaining(L"Do you want to stop file searching ?"), 1u);
    ASSERT_TRUE(WaitForEnd(60000));
    EXPECT_EQ(m_finished.back(), CScanStarter::JobExtensiveScan);
    EXPECT_EQ(g_BootStepDone, 0);
    EXPECT_EQ(g_DirStepDone, 0);
}

// An Extensive Scan of the damaged disk's FAT16 and NTFS ranges lists them;
// choosing one sets VolumeParams and its extraction builds the result tree.
TEST_F(ScanStarterTest, ExtensiveScanListsFileSystemsAndTheChoiceIsExtracted)
{
    COpenedImage image(L"damaged.vhd");
    ASSERT_EQ(1, image.opened());
    g_ScanMode = ScanModeExtensive;
    struct Case
    {
        uint16_t code;
        uint32_t start, sectors;
        const wchar_t* item;
    } cases[] = {
        {FileSystemFat16, 464896, 32768, L"FAT16 @"},
        {FileSystemNtfs, 280576, 49152, L"NTFS @"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.item));
        m_fileSystems.DeleteAllItems();
        SelectVolume(c.code, c.start, c.sectors);
        CExtensiveScanWizardShell shell(&m_second, &m_fileSystems, &m_form, &m_results);
        CExtensiveScanWizardShell::SetCounterCaptions(m_second, c.code == FileSystemNtfs);
        ASSERT_TRUE(m_starter.StartExtensiveScan(shell));
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(m_fileSystems.GetItemText(m_fileSystems.GetRootItem()), CString(L"File System"));
        HTREEITEM item = FileSystemItem(c.item);
        ASSERT_NE(item, (HTREEITEM)NULL);
        unsigned number = m_fileSystems.SelectFoundVolume(item);
        ASSERT_GE(number, 1u);
        EXPECT_EQ(VolumeParams.fileSystemType, c.code);
        EXPECT_EQ(VolumeParams.foundVolumeIndex, number);
        EXPECT_NE(VolumeParams.sectorsPerCluster, 0u);

        ASSERT_TRUE(m_starter.StartExtraction(shell));
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(m_finished.back(), CScanStarter::JobExtraction);
        HTREEITEM root = m_results.GetRootItem();
        ASSERT_NE(root, (HTREEITEM)NULL);
        PathListing folders;
        CollectFolders(root, "", folders);
        EXPECT_GT(folders.size(), 3u);
    }
    EXPECT_EQ(m_messages.CountContaining(L"No file system was identified"), 0u);
}

// A root record that is its own parent builds a finite tree.
TEST_F(ScanStarterTest, NtfsRootThatIsItsOwnParentBuildsAFiniteTree)
{
    COpenedImage image(L"ntfs-root-self-parent.vhd");
    ASSERT_EQ(1, image.opened());
    g_ScanMode = ScanModeQuick;
    SelectVolume(FileSystemNtfs, 2048, 30720);
    CQuickScanWizardShell shell(&m_second, &m_results);
    ASSERT_TRUE(m_starter.StartQuickScan(shell));
    ASSERT_TRUE(WaitForEnd(60000));
    HTREEITEM root = m_results.GetRootItem();
    ASSERT_NE(root, (HTREEITEM)NULL);
    PathListing folders;
    CollectFolders(root, "", folders);
    EXPECT_LT(folders.size(), 1000u);
}

// A File Trace whose range holds no file system ends in the finished state
// with the parameter failure told, so the step can restore itself.
TEST_F(ScanStarterTest, FileTraceWithoutParametersStillFinishes)
{
    COpenedImage image(L"mixed-dynamic.vhdx");
    ASSERT_EQ(1, image.opened());
    g_ScanMode = ScanModeFileTrace;
    g_SourceType = SourceVirtualDisk;
    SelectVolume(FileSystemFat16, 1, 2000);   // zeros between the MBR and the first partition
    ASSERT_TRUE(m_starter.StartFileTrace(m_results));
    ASSERT_TRUE(WaitForEnd(60000));
    EXPECT_EQ(m_finished.back(), CScanStarter::JobFileTrace);
    EXPECT_EQ(g_ParamsSearchFailed, 1);
    EXPECT_EQ(m_messages.CountContaining(L"unable to find correct partition parameters"), 1u);

    // A logical volume that cannot be opened is told, and the worker ends.
    g_SourceType = SourceLogicalVolume;
    CQuickScanWizardShell volumes(&m_second, &m_results);
    volumes.m_logicalDrives.push_back(L"\x01: no such drive");
    ASSERT_TRUE(m_starter.StartFileTrace(m_results, &volumes));
    ASSERT_TRUE(WaitForEnd(60000));
    g_SourceType = SourceVirtualDisk;
    EXPECT_EQ(m_messages.CountContaining(L"The selected volume could not be opened."), 1u);
}

// A File Trace of the trace volume through the starter: the tree under
// "Root" holds one folder per description and, below it, the extensions of
// that description's hits, all of them and nothing else.
TEST_F(ScanStarterTest, FileTraceBuildsTheTreeOfTheHitsTypes)
{
    ChooseAllSignatures(LoadBuiltCatalogue());
    COpenedImage image(L"trace.vhd");
    ASSERT_EQ(1, image.opened());
    g_ScanMode = ScanModeFileTrace;
    SelectVolume(FileSystemFat32, 0, (uint32_t)image.disk().GetSectorCount());
    ASSERT_TRUE(m_starter.StartFileTrace(m_results));
    ASSERT_TRUE(WaitForEnd(120000));
    EXPECT_EQ(g_ParamsSearchFailed, 0);
    ASSERT_EQ(g_TraceHitList.count, ReadTraceManifest().size());

    std::set<std::pair<std::wstring, std::wstring>> expected, ours;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
        expected.insert({h->description, h->extension});
    HTREEITEM root = m_results.GetRootItem();
    ASSERT_NE(root, (HTREEITEM)NULL);
    EXPECT_EQ(m_results.GetItemText(root), CString(L"Root"));
    EXPECT_EQ(m_results.m_hRootItem, root);
    for (HTREEITEM folder = m_results.GetChildItem(root); folder; folder = m_results.GetNextSiblingItem(folder))
        for (HTREEITEM type = m_results.GetChildItem(folder); type; type = m_results.GetNextSiblingItem(type)) {
            auto entry = std::make_pair(std::wstring((LPCTSTR)m_results.GetItemText(folder)),
                                        std::wstring((LPCTSTR)m_results.GetItemText(type)));
            EXPECT_TRUE(ours.insert(entry).second) << "twice: " << Utf8(entry.first) << " " << Utf8(entry.second);
        }
    EXPECT_EQ(ours, expected);
    FreeSignatureList();
    FreeTraceHitList();
}
