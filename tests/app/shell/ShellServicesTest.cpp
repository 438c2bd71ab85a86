// What the engine uses of the wizard: step panels updated from a worker
// thread, the device and result trees' add operations, and the message
// dialogs answered through the message sink.
#include <gtest/gtest.h>

#include <thread>

#include "CDeviceTreeCtrl.h"
#include "CDriveStepPanelHost.h"
#include "CFileSystemForm.h"
#include "CFileSystemTreeCtrl.h"
#include "CFirstDisplay.h"
#include "CFolderTreeCtrl.h"
#include "CMainFrame.h"
#include "CMessageDlg.h"
#include "CScanStepPanelHost.h"
#include "CSecondDisplay.h"
#include "CYesNoDlg.h"
#include "MessageRecorder.h"
#include "TestSupport.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "state/EngineState.h"

namespace {

CString TextOf(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

class ShellServicesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, NULL, L"shell services", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     40, 40, 600, 400, NULL, NULL));
    }
    void TearDown() override { m_frame.DestroyWindow(); }

    CWnd m_frame;
};

// A worker sets progress and status by synchronous messages while the UI
// thread pumps; every panel keeps the last value it was sent.
TEST_F(ShellServicesTest, PanelsTakeProgressAndStatusFromAWorker)
{
    CFirstDisplay first;
    CSecondDisplay second;
    CFileSystemForm form;
    ASSERT_TRUE(first.Create(&m_frame, CRect(0, 0, 300, 120), 1));
    ASSERT_TRUE(second.Create(&m_frame, CRect(0, 130, 300, 300), 2));
    ASSERT_TRUE(form.Create(&m_frame, CRect(300, 0, 600, 120), 3));

    bool done = false;
    std::thread worker([&] {
        for (int pos = 0; pos <= 99; pos += 11) {
            first.SetProgress(pos, 0);
            second.SetProgress(pos);
            form.SetProgress(pos);
        }
        first.SetStatusText(L"Please wait, searching for Partition...");
        first.SetWaitText(L"Please wait...");
        second.SetStatusText(L"Scanning");
        second.m_counterValue[2].SetWindowText(L"12345");
        form.SetStatusText(L"Extracting");
        done = true;
    });
    EXPECT_TRUE(tesmir::test::PumpUntil([&] { return done; }, 10000));
    worker.join();

    EXPECT_EQ(first.m_progress.GetPos(), 99);
    EXPECT_EQ(second.m_progress.GetPos(), 99);
    EXPECT_EQ(form.m_progress.GetPos(), 99);
    EXPECT_EQ(TextOf(first.m_status), CString(L"Please wait, searching for Partition..."));
    EXPECT_EQ(TextOf(first.m_waitText), CString(L"Please wait..."));
    EXPECT_EQ(TextOf(second.m_status), CString(L"Scanning"));
    EXPECT_EQ(TextOf(second.m_counterValue[2]), CString(L"12345"));
    EXPECT_EQ(TextOf(form.m_status), CString(L"Extracting"));

    second.ResetCounters();
    EXPECT_EQ(TextOf(second.m_counterCaption[0]), CString(L"Folder(s) Found  :"));
    EXPECT_EQ(TextOf(second.m_counterCaption[3]), CString(L"Last File/Folder   :"));
    EXPECT_EQ(TextOf(second.m_counterValue[2]), CString(L""));

    second.HideProgress();
    second.HideStatusText();
    EXPECT_FALSE(second.m_progress.IsWindowVisible());
    EXPECT_FALSE(second.m_progress.IsWindowEnabled());
    EXPECT_FALSE(second.m_status.IsWindowVisible());
}

// Partition items go under one root-level parent, inserted once.
TEST_F(ShellServicesTest, DeviceTreeAddsPartitionsUnderOneParent)
{
    CDeviceTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 300, 300), &m_frame, 10));
    HTREEITEM p1 = tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 1");
    HTREEITEM p2 = tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 2");
    tree.AddPartitionItem(L"Other", L"Partition 1");
    ASSERT_NE(p1, nullptr);
    ASSERT_NE(p2, nullptr);

    HTREEITEM root = tree.GetRootItem();
    EXPECT_EQ(tree.GetItemText(root), CString(L"Virtual Hard Disk "));
    EXPECT_EQ(tree.GetParentItem(p1), root);
    EXPECT_EQ(tree.GetParentItem(p2), root);
    EXPECT_EQ(tree.GetNextSiblingItem(p1), p2);
    EXPECT_EQ(tree.GetCount(), 5u);

    tree.ExpandRoot();
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(ShellServicesTest, ResultTreesAppendChildrenInOrder)
{
    CFileSystemTreeCtrl fsTree;
    CFolderTreeCtrl folders;
    ASSERT_TRUE(fsTree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &m_frame, 11));
    ASSERT_TRUE(folders.Create(WS_CHILD | WS_VISIBLE, CRect(200, 0, 400, 200), &m_frame, 12));

    HTREEITEM root = fsTree.AddItemWithIcon(L"File System", TVI_ROOT);
    HTREEITEM a = fsTree.AddItem(L"FAT32 @2048", root);
    HTREEITEM b = fsTree.AddItem(L"NTFS @280576", root);
    EXPECT_EQ(fsTree.GetChildItem(root), a);
    EXPECT_EQ(fsTree.GetNextSiblingItem(a), b);
    EXPECT_EQ(fsTree.GetItemText(b), CString(L"NTFS @280576"));

    HTREEITEM top = folders.AddFolderItem(L"Root", TVI_ROOT);
    HTREEITEM sub = folders.AddFolderItem(L"Documents", top);
    EXPECT_EQ(folders.GetRootItem(), top);
    EXPECT_EQ(folders.GetParentItem(sub), top);
}

// The engine's partition search and scans reach the panels and the device
// tree through the hosts the wizard installs.
TEST_F(ShellServicesTest, EngineHostsReachThePanelsAndTheTree)
{
    CFirstDisplay drivePanel;
    CSecondDisplay scanPanel;
    CDeviceTreeCtrl tree;
    ASSERT_TRUE(drivePanel.Create(&m_frame, CRect(0, 0, 300, 120), 1));
    ASSERT_TRUE(scanPanel.Create(&m_frame, CRect(0, 130, 300, 300), 2));
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(300, 0, 600, 300), &m_frame, 10));
    CDriveStepPanelHost driveHost(&drivePanel, &tree);
    CScanStepPanelHost scanHost(&scanPanel);
    CDriveStepHost* previousDrive = SetDriveStepHost(&driveHost);
    CScanPanelHost* previousScan = SetScanPanelHost(&scanHost);

    DriveStepHost().SetProgress(37);
    DriveStepHost().SetWaitText(L"Please wait...");
    DriveStepHost().AddPartitionItem(L"Virtual Hard Disk ", L"Partition 1");
    DriveStepHost().ExpandRoot();
    ScanPanelHost().SetProgress(64);
    ScanPanelHost().SetStatusText(L"Scanning");
    ScanPanelHost().SetFoldersFound(12);
    ScanPanelHost().SetFilesFound(345);
    ScanPanelHost().SetCurrentSector(5000000000ull);
    ScanPanelHost().SetLastItem(L"REPORT.DOC");

    SetDriveStepHost(previousDrive);
    SetScanPanelHost(previousScan);

    EXPECT_EQ(drivePanel.m_progress.GetPos(), 37);
    EXPECT_EQ(TextOf(drivePanel.m_waitText), CString(L"Please wait..."));
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(tree.GetRootItem())), CString(L"Partition 1"));
    EXPECT_EQ(scanPanel.m_progress.GetPos(), 64);
    EXPECT_EQ(TextOf(scanPanel.m_status), CString(L"Scanning"));
    EXPECT_EQ(TextOf(scanPanel.m_counterValue[0]), CString(L"12"));
    EXPECT_EQ(TextOf(scanPanel.m_counterValue[1]), CString(L"345"));
    EXPECT_EQ(TextOf(scanPanel.m_counterValue[2]), CString(L"5000000000"));
    EXPECT_EQ(TextOf(scanPanel.m_counterValue[3]), CString(L"REPORT.DOC"));
}

// The frame makes its virtual disk on first need, image reads go through it,
// and it goes with the frame.
TEST(MainFrameTest, OwnsTheVirtualDiskOfTheRun)
{
    CMainFrame* frame = new CMainFrame;
    ASSERT_TRUE(frame->Create(NULL, L"Tesmir for VHD"));
    CVirtualDisk* disk = frame->EnsureVirtualDisk();
    ASSERT_NE(disk, nullptr);
    EXPECT_EQ(frame->EnsureVirtualDisk(), disk);
    EXPECT_EQ(frame->m_pVirtualDisk, disk);
    EXPECT_EQ(GetSectorReaderDisk(), disk);

    disk->Create(ImageKindVhdx);
    ASSERT_EQ(disk->Open(tesmir::test::FixturePath(L"vhdx-dynamic.vhdx").c_str()), 1);
    g_SourceType = SourceVirtualDisk;
    std::string sector(512, '\xCC');
    EXPECT_EQ(ReadSectors(L"", 0, 0, 1, &sector[0]), 1);
    const std::string raw = tesmir::test::ReadWholeFile(tesmir::test::FixturePath(L"img-base.raw"));
    EXPECT_TRUE(sector == raw.substr(0, 512));

    frame->DestroyWindow();   // the frame deletes itself
    EXPECT_EQ(GetSectorReaderDisk(), nullptr);
}

// The dialogs show the sink's current text and kind; a test's recorder
// answers them, so nothing waits for a user.
TEST(MessageDialogTest, DialogsShowTheSinkAndReturnTheAnswer)
{
    CMessageRecorder recorder(1);
    g_strMessageText = L"Please wait...";
    g_nMessageKind = MessageKindInformation;
    CMessageDlg message(NULL);
    EXPECT_EQ(message.DoModal(), 1);

    recorder.SetAnswer(2);
    g_strMessageText = L"Do you want to stop ?";
    g_nMessageKind = MessageKindQuestion;
    CYesNoDlg question(NULL);
    EXPECT_EQ(question.DoModal(), 2);

    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].text, L"Please wait...");
    EXPECT_EQ(recorder.messages()[0].isQuestion, 0);
    EXPECT_EQ(recorder.messages()[1].kind, MessageKindQuestion);
    EXPECT_EQ(recorder.messages()[1].isQuestion, 1);
}

}  // namespace
