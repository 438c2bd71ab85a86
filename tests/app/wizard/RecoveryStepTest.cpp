// The recovery step inside the program's own application object: real
// Quick Scans and a File Trace build its tree on the worker, the results
// show with the tree checked and mirrored into the list's maps, a snapshot
// load reports the build's progress to its dialog, the list sorts by its
// headings with the folders first, Back and Home throw the results away,
// and the keys cycle the highlight.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "CDiskEnumerator.h"
#include "CMainFrame.h"
#include "CMainPreviewView.h"
#include "CQuickScanWizardShell.h"
#include "CResultListCtrl.h"
#include "CScanStarter.h"
#include "CScanStepPanelHost.h"
#include "CSecondDisplay.h"
#include "CThirdView_HDD.h"
#include "MessageRecorder.h"
#include "ScanTestSupport.h"
#include "TestSupport.h"
#include "TraceTestSupport.h"
#include "WizardTestSupport.h"
#include "fat/FatLists.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "ntfs/NtfsLists.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotFile.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

using tesmir::test::FixturePath;
using tesmir::test::PumpUntil;

namespace {

CThirdView_HDD* RecoveryStep() { return DYNAMIC_DOWNCAST(CThirdView_HDD, App().m_pViews[WizardRecoveryStep]); }

struct Volume
{
    const wchar_t* fls;
    uint16_t code;
    uint32_t start, sectors;
};

// The mixed disk's FAT32 and NTFS partitions.
const Volume MixedFat32 = {L"mixed-p1.fls", FileSystemFat32, 2048, 278528};
const Volume MixedNtfs = {L"mixed-p2.fls", FileSystemNtfs, 280576, 49152};


class RecoveryStep_ : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        ResetWizard();
        ASSERT_TRUE(m_panelHost.CreateEx(0, AfxRegisterWndClass(0), L"scan panel", WS_POPUP, 0, 0, 300, 240, NULL,
                                         NULL));
        ASSERT_TRUE(m_panel.Create(&m_panelHost, CRect(0, 0, 300, 240), 2));
        m_previousPanel = SetScanPanelHost(&m_scanPanelHost);
        m_starter.m_onFinished = [this](CScanStarter::Job job) { m_finished.push_back(job); };
    }
    void TearDown() override
    {
        App().SwitchView(WizardRecoveryStep);
        RecoveryStep()->OnBack();
        ResetWizard();
        SetScanPanelHost(m_previousPanel);
        m_panelHost.DestroyWindow();
    }

    // The image opened on the start page in a mode, the drive step showing.
    void Open(const wchar_t* fixture, UINT mode)
    {
        RunMode(FixturePath(fixture), mode);
        ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    }

    bool WaitForEnd(DWORD timeoutMs = 120000)
    {
        size_t before = m_finished.size();
        return PumpUntil([&] { return m_finished.size() > before; }, timeoutMs) &&
               m_starter.RunningJob() == CScanStarter::JobNone && g_ScanThread == NULL;
    }

    // What the scan step does once its worker has ended: the recovery step
    // with its buttons.
    void ShowResults(int mode)
    {
        CMainFrame* pFrame = App().GetMainFrame();
        pFrame->m_bScanStep = FALSE;
        (mode == ScanModeExtensive ? pFrame->m_bExtensiveResultsStep : pFrame->m_bResultsStep) = TRUE;
        RecoveryStep()->ShowRecoveryButtons();
        App().SwitchView(WizardRecoveryStep);
        RecoveryStep()->UpdateWindow();
    }

    // A Quick Scan of one volume of the open image onto the recovery step.
    void QuickScan(const Volume& v)
    {
        g_ScanMode = ScanModeQuick;
        RecoveryStep()->SetResultColumns(ScanModeQuick);
        SelectVolume(v.code, v.start, v.sectors);
        CQuickScanWizardShell shell(&m_panel, &RecoveryStep()->m_tree);
        ASSERT_TRUE(m_starter.StartQuickScan(shell));
        ASSERT_TRUE(WaitForEnd());
        ShowResults(ScanModeQuick);
    }

    // Folders below "Root" as "/"-paths, deleted ones marked; every item
    // (the root too) must be checked and in the checked-folders map.
    void CollectFolders(HTREEITEM parent, const std::string& prefix, PathListing& out, int& unchecked, int& unmapped)
    {
        CFolderTreeCtrl& tree = RecoveryStep()->m_tree;
        for (HTREEITEM c = tree.GetChildItem(parent); c; c = tree.GetNextSiblingItem(c)) {
            std::string path = prefix + Utf8((LPCTSTR)tree.GetItemText(c));
            out[path] = tree.IsItemDeleted(c) != FALSE;
            CheckedAndMapped(c, unchecked, unmapped);
            CollectFolders(c, path + "/", out, unchecked, unmapped);
        }
    }
    void CheckedAndMapped(HTREEITEM item, int& unchecked, int& unmapped)
    {
        int value;
        if (RecoveryStep()->m_tree.GetCheckState(item) != TreeChecked)
            ++unchecked;
        if (!RecoveryStep()->m_pList->m_mapCheckedFolders.Lookup((DWORD)(uintptr_t)item, value))
            ++unmapped;
    }

    CWnd m_panelHost;
    CSecondDisplay m_panel;
    CScanStepPanelHost m_scanPanelHost{&m_panel};
    CScanPanelHost* m_previousPanel = nullptr;
    CScanStarter m_starter;
    std::vector<CScanStarter::Job> m_finished;
};

// The pixels of the deleted folder's text: red ones are drawn there.
int RedPixelsOfItem(CFolderTreeCtrl& tree, HTREEITEM item)
{
    tree.EnsureVisible(item);
    tree.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CRect text;
    tree.GetItemRect(item, &text, TRUE);
    CRect client;
    tree.GetClientRect(&client);
    tesmir::test::CDibCanvas canvas(client.Width(), client.Height());
    tesmir::test::CaptureWindow(tree.m_hWnd, canvas);
    return canvas.Count(text, RGB(255, 0, 0));
}

}  // namespace

// Quick Scan of the mixed disk's FAT32 and NTFS volumes on a fixed and a
// dynamic VHD: "Root" over exactly the folders The Sleuth Kit lists,
// deleted ones red, every item checked and in the checked-folders map, the
// "If you don't find..." information once per scan; two levels down the
// path is joined with "\".
TEST_F(RecoveryStep_, QuickScanTreeIsTheVolumesFoldersAllChecked)
{
    CMessageRecorder messages;
    for (const wchar_t* image : {L"mixed-fixed.vhd", L"mixed-dynamic.vhd"}) {
        for (const Volume& v : {MixedFat32, MixedNtfs}) {
            SCOPED_TRACE(Utf8(image) + " " + Utf8(v.fls));
            Open(image, CEx_StyleView::IdQuickScan);
            const size_t before = messages.CountContaining(L"If you don't find the required file(s)");
            QuickScan(v);
            EXPECT_EQ(messages.CountContaining(L"If you don't find the required file(s)"), before + 1);
            CFolderTreeCtrl& tree = RecoveryStep()->m_tree;
            HTREEITEM root = tree.GetRootItem();
            ASSERT_NE(root, (HTREEITEM)NULL);
            EXPECT_EQ(tree.GetItemText(root), CString(L"Root"));
            EXPECT_EQ(tree.GetNextSiblingItem(root), (HTREEITEM)NULL);
            PathListing ours, theirs = ReadFlsFolders(v.fls);
            int unchecked = 0, unmapped = 0;
            CheckedAndMapped(root, unchecked, unmapped);
            CollectFolders(root, "", ours, unchecked, unmapped);
            ASSERT_GT(theirs.size(), 5u);
            if (v.code != FileSystemNtfs) {
                ours = FoldFatListing(ours);
                theirs = FoldFatListing(theirs);
            }
            EXPECT_EQ("", ListingDifference(theirs, ours));
            EXPECT_EQ("", ListingDifference(ours, theirs, "Lost Dir"));
            EXPECT_EQ(unchecked, 0);
            EXPECT_EQ(unmapped, 0);
            EXPECT_EQ(RecoveryStep()->m_pList->m_mapCheckedFolders.GetCount(), (INT_PTR)tree.GetCount());

            HTREEITEM level1 = FindChild(tree, root, L"Level1");
            ASSERT_NE(level1, (HTREEITEM)NULL);
            HTREEITEM level2 = FindChild(tree, level1, L"Level2");
            ASSERT_NE(level2, (HTREEITEM)NULL);
            EXPECT_EQ(tree.GetItemPath(level2), CString(L"Level1\\Level2"));

            HTREEITEM deleted = NULL;
            for (HTREEITEM c = tree.GetChildItem(root); c && !deleted; c = tree.GetNextSiblingItem(c))
                if (tree.GetItemText(c).CompareNoCase(L"Deleted Folder") == 0)
                    deleted = c;
            ASSERT_NE(deleted, (HTREEITEM)NULL);
            EXPECT_TRUE(tree.IsItemDeleted(deleted));
            EXPECT_GT(RedPixelsOfItem(tree, deleted), 5);
            EXPECT_EQ(RedPixelsOfItem(tree, level1), 0);
            if (v.code == FileSystemFat32 && std::wstring(image) == L"mixed-dynamic.vhd")
                SaveFrameScreenshot(L"recovery-step-quick-scan-fat32");
            RecoveryStep()->OnBack();
            ResetWizard();
        }
    }
}

// A File Trace of the trace volume: "Root" over one folder per file type,
// each holding its extensions.
TEST_F(RecoveryStep_, FileTraceTreeHasOneFolderPerFileType)
{
    CMessageRecorder messages;
    ChooseAllSignatures(LoadBuiltCatalogue());
    Open(L"trace.vhd", CEx_StyleView::IdFileTrace);
    g_ScanMode = ScanModeFileTrace;
    RecoveryStep()->SetResultColumns(ScanModeFileTrace);
    SelectVolume(FileSystemFat32, 0, (uint32_t)GetSectorReaderDisk()->GetSectorCount());
    ASSERT_TRUE(m_starter.StartFileTrace(RecoveryStep()->m_tree));
    ASSERT_TRUE(WaitForEnd());
    ShowResults(ScanModeFileTrace);
    ASSERT_GT(g_TraceHitList.count, 0u);

    std::set<std::wstring> types;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
        types.insert(h->description);
    CFolderTreeCtrl& tree = RecoveryStep()->m_tree;
    HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(root, (HTREEITEM)NULL);
    EXPECT_EQ(tree.GetItemText(root), CString(L"Root"));
    std::vector<std::wstring> folders = ChildTexts(tree, root);
    EXPECT_EQ(std::set<std::wstring>(folders.begin(), folders.end()), types);
    EXPECT_EQ(folders.size(), types.size());
    SaveFrameScreenshot(L"recovery-step-file-trace");

    // Back frees the hits and the chosen signatures, and goes to the scan step.
    RecoveryStep()->OnBack();
    EXPECT_EQ(g_TraceHitList.count, 0u);
    EXPECT_EQ(WizardScanStep, App().CurrentViewIndex());
    EXPECT_EQ(tree.GetCount(), 0u);
}

// A snapshot of Quick Scan results loads through the frame: its progress
// dialog's window is the tree builders' target while the snapshot loads,
// the bar moves below 100 during the build, and both are gone afterwards.
TEST_F(RecoveryStep_, SnapshotLoadMovesTheProgressDialogsBar)
{
    CMessageRecorder messages;
    Open(L"mixed-dynamic.vhd", CEx_StyleView::IdQuickScan);
    QuickScan(MixedFat32);
    const UINT folders = RecoveryStep()->m_tree.GetCount();
    ASSERT_GT(folders, 5u);
    const std::wstring path = tesmir::test::BuildPath(L"recovery-progress.xwqz");
    ASSERT_EQ(WriteSnapshotFile(path.c_str(), L'D'), SnapshotWritten);
    RecoveryStep()->OnBack();

    CMainFrame* pFrame = App().GetMainFrame();
    std::vector<int> treePositions;
    int mismatched = 0;
    {
        tesmir::test::CSentMessageHook hook([&](const CWPSTRUCT& m) {
            if (m.message != WM_USER + 1 || m.hwnd == NULL || m.hwnd != pFrame->m_hSnapshotProgress)
                return;
            if (RecoveryStep()->m_tree.m_hSnapshotProgressWnd != m.hwnd)
                ++mismatched;
            if (RecoveryStep()->m_tree.GetCount() > 1)
                treePositions.push_back((int)m.wParam);
        });
        ASSERT_EQ(LoadScanSnapshot(*pFrame, path), 1);
    }
    ::DeleteFileW(path.c_str());
    EXPECT_EQ(mismatched, 0);
    ASSERT_FALSE(treePositions.empty());
    bool moved = false;
    for (size_t i = 0; i < treePositions.size(); ++i) {
        if (treePositions[i] > 0 && treePositions[i] <= 99)
            moved = true;
        if (i > 0) {
            EXPECT_GE(treePositions[i], treePositions[i - 1]);
        }
    }
    EXPECT_TRUE(moved);
    EXPECT_EQ(pFrame->m_hSnapshotProgress, (HWND)NULL);
    EXPECT_EQ(RecoveryStep()->m_tree.m_hSnapshotProgressWnd, (HWND)NULL);
    EXPECT_EQ(RecoveryStep()->m_tree.GetCount(), folders);
    EXPECT_EQ(WizardRecoveryStep, App().CurrentViewIndex());
}

// Sorting by every column keeps the folder rows first (type in capitals)
// and "Parent..." at row 0 with empty columns; a second click on the sorted
// heading reverses the order and the heading shows the arrow. The header is
// the one the list reports.
TEST_F(RecoveryStep_, HeadingClicksSortWithFoldersFirst)
{
    CThirdView_HDD* view = RecoveryStep();
    g_ScanMode = ScanModeQuick;
    view->SetResultColumns(ScanModeQuick);
    ShowResults(ScanModeQuick);
    CResultListCtrl& list = *view->m_pList;
    ASSERT_EQ(view->m_header.GetSafeHwnd(), list.GetHeaderCtrl()->GetSafeHwnd());
    std::cout << "list header child id under Wine: " << ::GetDlgCtrlID(view->m_header.GetSafeHwnd()) << "\n";

    struct Row
    {
        const wchar_t* texts[6];
    };
    const Row rows[] = {
        {{L"b.txt", L"Text Document", L"300", L"", L"", L"11"}},
        {{L"Zeta", L"Folder", L"", L"", L"", L"1001"}},
        {{L"Parent...", L"", L"", L"", L"", L""}},
        {{L"a.doc", L"Deleted Word", L"20", L"", L"", L"12"}},
        {{L"Alpha", L"Deleted Folder", L"", L"", L"", L"1002"}},
        {{L"c.bin", L"File", L"1000", L"", L"", L"13"}},
    };
    auto fill = [&] {
        list.DeleteAllItems();
        for (int i = 0; i < (int)_countof(rows); ++i) {
            list.InsertItem(i, rows[i].texts[0]);
            for (int c = 1; c < 6; ++c)
                list.SetItemText(i, c, rows[i].texts[c]);
        }
    };
    auto column = [&](int c) {
        std::vector<std::wstring> out;
        for (int i = 0; i < list.GetItemCount(); ++i)
            out.push_back((LPCTSTR)list.GetItemText(i, c));
        return out;
    };
    auto checkShape = [&] {
        ASSERT_EQ(list.GetItemCount(), 6);
        EXPECT_EQ(list.GetItemText(0, 0), CString(L"Parent..."));
        for (int c = 1; c < 6; ++c)
            EXPECT_EQ(list.GetItemText(0, c), CString(L""));
        std::set<std::wstring> folderTypes = {(LPCTSTR)list.GetItemText(1, 1), (LPCTSTR)list.GetItemText(2, 1)};
        EXPECT_EQ(folderTypes, (std::set<std::wstring>{L"FOLDER", L"DELETED FOLDER"}));
    };
    for (int c = 0; c < 6; ++c) {
        SCOPED_TRACE(c);
        fill();
        view->SortList(c, TRUE);
        checkShape();
    }

    // Real clicks on the "Size" heading: ascending, then descending.
    fill();
    view->SortList(1, TRUE);
    CRect item;
    view->m_header.GetItemRect(2, &item);
    view->m_header.ClientToScreen(&item);
    ASSERT_TRUE(tesmir::test::BringToFront(App().GetMainFrame()->m_hWnd));
    // Each click at its own point, so that two clicks make no double click.
    int clicks = 0;
    auto clickSize = [&] {
        tesmir::test::SendMouseInput({item.left + 5, item.bottom + 40});
        POINT pt = {item.CenterPoint().x - 10 + 20 * clicks++, item.CenterPoint().y};
        tesmir::test::SendMouseButtons(pt, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    };
    clickSize();
    ASSERT_TRUE(PumpUntil([&] { return view->GetSortColumn() == 2; }));
    EXPECT_TRUE(view->IsSortAscending());
    checkShape();
    std::vector<std::wstring> sizes = column(2);
    EXPECT_EQ(std::vector<std::wstring>(sizes.begin() + 3, sizes.end()),
              (std::vector<std::wstring>{L"20", L"300", L"1000"}));
    BOOL ascending = FALSE;
    EXPECT_EQ(view->m_header.GetSortImage(&ascending), 2);
    EXPECT_TRUE(ascending);
    SaveFrameScreenshot(L"recovery-step-sorted");
    clickSize();
    ASSERT_TRUE(PumpUntil([&] { return !view->IsSortAscending(); }));
    checkShape();
    sizes = column(2);
    EXPECT_EQ(std::vector<std::wstring>(sizes.begin() + 3, sizes.end()),
              (std::vector<std::wstring>{L"1000", L"300", L"20"}));
    EXPECT_EQ(view->m_header.GetSortImage(&ascending), 2);
    EXPECT_FALSE(ascending);
    list.DeleteAllItems();
}

// Back after each mode frees exactly that mode's lists and shows the step
// that made them; Home answered No changes nothing, Yes ends on the start
// page with every list and map empty.
TEST_F(RecoveryStep_, BackAndHomeThrowTheResultsAway)
{
    CMessageRecorder messages;
    CThirdView_HDD* view = RecoveryStep();
    CMainFrame* pFrame = App().GetMainFrame();
    struct Case
    {
        int mode;
        int step;
        bool fatFreed, traceFreed;
    };
    const Case cases[] = {
        {ScanModeQuick, WizardScanStep, true, false},
        {ScanModeFileTrace, WizardScanStep, false, true},
        {ScanModeExtensive, WizardFileSystemStep, true, false},
    };
    // The builders run as the workers run them: with the stop flag clear.
    g_ScanStop = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        g_ScanMode = c.mode;
        AddFatFolder(L"DOCS", 3, 0, 0, 0, 0, 0);
        AppendTraceHit(L"1.jpg", L".jpg", L"Image", 100, 1);
        VolumeParams.fileSystemType = FileSystemFat32;
        view->m_tree.BuildFatTree();
        EXPECT_EQ(view->m_tree.GetCount(), 2u);
        view->m_pList->InsertItem(0, L"x");
        // The scan step as a finished scan leaves it: Stop on show, the rest
        // off.
        CSecondView_HDD* scan = ScanStep();
        for (CToolButton* button : {&scan->m_scan, &scan->m_back, &scan->m_home}) {
            button->EnableWindow(FALSE);
            button->ShowWindow(SW_HIDE);
        }
        scan->m_stop.EnableWindow(TRUE);
        scan->m_stop.ShowWindow(SW_SHOW);
        scan->m_tree.EnableWindow(FALSE);
        scan->m_pPanel->ShowProgress();
        scan->m_pPanel->SetStatusText(L"Please wait creating tree");
        ShowResults(c.mode);
        ASSERT_EQ(WizardRecoveryStep, App().CurrentViewIndex());
        view->SendMessage(WM_COMMAND, CThirdView_HDD::IdBack);
        EXPECT_EQ(c.step, App().CurrentViewIndex());
        if (c.step == WizardScanStep) {
            auto shown = [](CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0 && wnd.IsWindowEnabled(); };
            EXPECT_TRUE(shown(scan->m_scan));
            EXPECT_TRUE(shown(scan->m_back));
            EXPECT_TRUE(shown(scan->m_home));
            EXPECT_FALSE(scan->m_stop.GetStyle() & WS_VISIBLE);
            EXPECT_TRUE(scan->m_tree.IsWindowEnabled());
            EXPECT_FALSE(scan->m_pPanel->m_progress.GetStyle() & WS_VISIBLE);
            CString status, hint;
            scan->m_pPanel->m_status.GetWindowText(status);
            scan->m_pPanel->m_topText.GetWindowText(hint);
            EXPECT_EQ(status, CString(L""));
            EXPECT_EQ(hint, CString(L"Please select a partition from the left panel and press [Scan] to continue "
                                    L"with recovery."));
            EXPECT_EQ(g_ShowScanProgress, 1);
        }
        EXPECT_EQ(g_FatFolders.count == 0, c.fatFreed);
        EXPECT_EQ(g_TraceHitList.count == 0, c.traceFreed);
        EXPECT_EQ(view->m_tree.GetCount(), 0u);
        EXPECT_EQ(view->m_pList->GetItemCount(), 0);
        EXPECT_TRUE(view->m_pList->m_mapCheckedFolders.IsEmpty());
        EXPECT_TRUE(view->m_pList->m_mapTreeChecked.IsEmpty());
        EXPECT_TRUE(pFrame->m_bScanStep);
        EXPECT_FALSE(pFrame->m_bResultsStep);
        EXPECT_FALSE(pFrame->m_bExtensiveResultsStep);
        EXPECT_EQ(g_TreeBuildCount, 0u);
        FreeEntryLists();
        FreeTraceHitList();
    }

    g_ScanMode = ScanModeQuick;
    g_ScanStop = 0;
    AddFatFolder(L"DOCS", 3, 0, 0, 0, 0, 0);
    view->m_tree.BuildFatTree();
    view->m_pList->m_mapSaveFiles[7] = 1;
    ShowResults(ScanModeQuick);
    messages.SetAnswer(0);
    view->SendMessage(WM_COMMAND, CThirdView_HDD::IdHome);
    ASSERT_EQ(messages.CountContaining(L"Are you sure,Go to HomePage?"), 1u);
    EXPECT_EQ(messages.messages().back().text,
              L"Plase make sure to save snapshot,before going to homepage.\t\nAre you sure,Go to HomePage?");
    EXPECT_EQ(WizardRecoveryStep, App().CurrentViewIndex());
    EXPECT_EQ(view->m_tree.GetCount(), 2u);
    EXPECT_EQ(g_FatFolders.count, 1u);
    messages.SetAnswer(1);
    view->SendMessage(WM_COMMAND, CThirdView_HDD::IdHome);
    EXPECT_EQ(WizardStartPage, App().CurrentViewIndex());
    EXPECT_EQ(view->m_tree.GetCount(), 0u);
    EXPECT_EQ(g_FatFolders.count, 0u);
    for (CMarkMap* map : {&view->m_pList->m_mapCheckedFolders, &view->m_pList->m_mapCheckedFiles,
                          &view->m_pList->m_mapSaveFolders, &view->m_pList->m_mapSaveFiles,
                          &view->m_pList->m_mapTreeChecked})
        EXPECT_TRUE(map->IsEmpty());
}

// Recover: nothing marked gives the message and asks for no folder; marked
// folders go to the save map (earlier entries stay); a cancelled chooser
// saves nothing; a chosen folder runs the save with it.
TEST_F(RecoveryStep_, RecoverCollectsAsksAndSaves)
{
    CMessageRecorder messages;
    CThirdView_HDD* view = RecoveryStep();
    int asked = 0;
    std::vector<CString> saved;
    CString answer;
    auto oldChoose = view->m_chooseSaveFolder;
    auto oldSave = view->m_runSave;
    view->m_chooseSaveFolder = [&] {
        ++asked;
        return answer;
    };
    view->m_runSave = [&](const CString& folder) { saved.push_back(folder); };

    g_ScanMode = ScanModeQuick;
    VolumeParams.fileSystemType = FileSystemFat32;
    g_ScanStop = 0;
    AddFatFolder(L"DOCS", 3, 0, 0, 0, 0, 0);
    view->m_tree.BuildFatTree();
    ASSERT_EQ(view->m_tree.GetCount(), 2u);
    view->m_tree.SetCheck(view->m_tree.GetRootItem(), 0);
    ShowResults(ScanModeQuick);
    view->SendMessage(WM_COMMAND, CThirdView_HDD::IdRecover);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              L"Please mark the file(s) and folder(s) that you want to save\r\nby clicking on check box.");
    EXPECT_EQ(messages.messages()[0].kind, MessageKindInformation);
    EXPECT_EQ(asked, 0);

    // Files only: on to the chooser, which is cancelled.
    view->m_pList->m_mapSaveFiles[5] = 1;
    view->SendMessage(WM_COMMAND, CThirdView_HDD::IdRecover);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(saved.empty());

    HTREEITEM docs = view->m_tree.GetChildItem(view->m_tree.GetRootItem());
    view->m_pList->m_mapSaveFolders[77] = 1;
    view->m_tree.SetCheck(docs, 1);
    answer = L"C:\\out";
    view->SendMessage(WM_COMMAND, CThirdView_HDD::IdRecover);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], CString(L"C:\\out"));
    int value;
    EXPECT_TRUE(view->m_pList->m_mapSaveFolders.Lookup(77, value));
    EXPECT_TRUE(view->m_pList->m_mapSaveFolders.Lookup((DWORD)(uintptr_t)docs, value));
    EXPECT_TRUE(view->m_pList->m_mapSaveFolders.Lookup((DWORD)(uintptr_t)view->m_tree.GetRootItem(), value));
    view->m_chooseSaveFolder = oldChoose;
    view->m_runSave = oldSave;
}

namespace {

// Deletes a folder with everything in it.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

// Recover after a Quick Scan with one folder checked: the saving dialog
// writes that folder's files, and those of the folders below it, under the
// chosen folder with their tree paths, and ends by itself.
TEST_F(RecoveryStep_, RecoverSavesTheCheckedFoldersFiles)
{
    CMessageRecorder messages;
    Open(L"mixed-dynamic.vhd", CEx_StyleView::IdQuickScan);
    QuickScan(MixedFat32);
    CThirdView_HDD* view = RecoveryStep();
    CFolderTreeCtrl& tree = view->m_tree;
    HTREEITEM root = tree.GetRootItem();
    tree.SetCheck(root, 0);
    HTREEITEM level1 = FindChild(tree, root, L"Level1");
    ASSERT_NE(level1, (HTREEITEM)NULL);
    tree.SetCheck(level1, 1);
    const std::wstring out = tesmir::test::BuildPath(L"recovery-step-saved");
    RemoveTree(out);
    ASSERT_TRUE(::CreateDirectoryW(out.c_str(), NULL));
    auto oldChoose = view->m_chooseSaveFolder;
    view->m_chooseSaveFolder = [&] { return CString(out.c_str()); };
    view->SendMessage(WM_COMMAND, CThirdView_HDD::IdRecover);
    view->m_chooseSaveFolder = oldChoose;
    EXPECT_NE(::GetFileAttributesW((out + L"\\Level1\\Level2\\Level Three\\Level Four\\deepest file.txt").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW((out + L"\\Names").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(view->IsWaiting());
    RemoveTree(out);
}

// Tab moves the pushed look from the tree to Recover, to Back and back to
// the tree; Enter runs the pushed button (Back here); the wait cursor holds
// while BeginWait is in force. The step's skin and the preview pane show.
TEST_F(RecoveryStep_, KeysCycleTheHighlightAndWaitCursorHolds)
{
    CMessageRecorder messages;
    CThirdView_HDD* view = RecoveryStep();
    g_ScanMode = ScanModeQuick;
    ShowResults(ScanModeQuick);
    EXPECT_EQ(view->GetHighlight(), CThirdView_HDD::HighlightTree);
    auto pushed = [](CWnd& button) { return (button.SendMessage(BM_GETSTATE) & BST_PUSHED) != 0; };
    view->SendMessage(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(view->GetHighlight(), CThirdView_HDD::HighlightRecover);
    EXPECT_TRUE(pushed(view->m_recover));
    view->SendMessage(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(view->GetHighlight(), CThirdView_HDD::HighlightBack);
    EXPECT_FALSE(pushed(view->m_recover));
    EXPECT_TRUE(pushed(view->m_back));
    view->SendMessage(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(view->GetHighlight(), CThirdView_HDD::HighlightTree);
    EXPECT_FALSE(pushed(view->m_back));
    EXPECT_EQ(::GetFocus(), view->m_tree.m_hWnd);
    // Enter with nothing pushed does nothing.
    view->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(WizardRecoveryStep, App().CurrentViewIndex());
    EXPECT_TRUE(messages.messages().empty());

    view->BeginWait();
    EXPECT_TRUE(view->IsWaiting());
    EXPECT_TRUE(view->SendMessage(WM_SETCURSOR, (WPARAM)view->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    view->EndWait();
    EXPECT_FALSE(view->IsWaiting());

    // The skin: the recovery banner at the top left, the preview pane set
    // in the frame, three buttons shown, the status statics at zero size.
    EXPECT_GT(view->GetLeftBannerWidth(), 0);
    ASSERT_NE(view->m_pPreview, nullptr);
    EXPECT_EQ(App().GetMainFrame()->m_pPreviewView, view->m_pPreview);
    for (CWnd* button : {(CWnd*)&view->m_recover, (CWnd*)&view->m_back, (CWnd*)&view->m_home})
        EXPECT_TRUE(button->IsWindowVisible());
    for (CStatic& status : view->m_status) {
        CRect rc;
        status.GetWindowRect(&rc);
        EXPECT_TRUE(rc.IsRectEmpty());
    }

    view->SendMessage(WM_KEYDOWN, VK_TAB);
    view->SendMessage(WM_KEYDOWN, VK_TAB);
    view->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(WizardScanStep, App().CurrentViewIndex());
    view->SendMessage(WM_KEYDOWN, VK_TAB);
}

// The least preview pane: the gate answers by the extension list, a preview
// sets the frame's flags and shows the placeholder, closing twice is
// harmless.
TEST_F(RecoveryStep_, PreviewPaneGateAndFlags)
{
    struct Gate
    {
        const wchar_t* extension;
        BOOL previewable;
    };
    const Gate gates[] = {{L".jpg", TRUE},  {L".mp4", TRUE},  {L".log", TRUE}, {L".xls", TRUE},
                          {L".largefile", TRUE}, {L".gz", FALSE}, {L"", FALSE},   {L".JPG", FALSE}};
    for (const Gate& g : gates)
        EXPECT_EQ(IsPreviewableExtension(L"x", g.extension), g.previewable) << Utf8(g.extension);

    CMainPreviewView* pane = RecoveryStep()->m_pPreview;
    ASSERT_NE(pane, nullptr);
    CMainFrame* pFrame = App().GetMainFrame();
    pane->CloseViewers();
    pane->ShowPreview(L"C:\\TEMP\\TMP1.JPG", L".JPG");
    EXPECT_TRUE(pFrame->m_bPreviewSupported);
    EXPECT_TRUE(pFrame->m_bPreviewOk);
    ASSERT_NE(pane->GetViewer(), nullptr);
    EXPECT_TRUE(::IsWindow(pane->GetViewer()->GetSafeHwnd()));
    pane->CloseViewers();
    pane->CloseViewers();
    EXPECT_EQ(pane->GetViewer(), nullptr);
    g_strPreviewEntryPath = L"\\Docs\\a.gz";
    pane->ShowPreview(L"C:\\TEMP\\TMP2.GZ", L".gz");
    EXPECT_FALSE(pFrame->m_bPreviewSupported);
    EXPECT_TRUE(pFrame->m_bPreviewOk);
    EXPECT_TRUE(g_strPreviewEntryPath.IsEmpty());
    EXPECT_NE(pane->GetViewer(), nullptr);

    // The header band: "Preview:" in its left column, the entry path in the
    // right one, drawn in the button-text colour over the band.
    g_strPreviewEntryPath = L"\\Docs\\a.jpg";
    ShowResults(ScanModeQuick);
    pane->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CRect client;
    pane->GetClientRect(&client);
    tesmir::test::CDibCanvas canvas(client.Width(), client.Height());
    tesmir::test::CaptureWindow(pane->m_hWnd, canvas);
    canvas.SaveBmp(tesmir::test::ScreenshotPath(L"recovery-step-preview-pane.bmp"));
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(canvas.Count(CRect(4, 18, 70, 34), text), 10);
    EXPECT_GT(canvas.Count(CRect(75, 18, 200, 34), text), 10);
    EXPECT_EQ(canvas.Count(CRect(75, 4, 200, 16), text), 0);   // the right column's first line is empty
    g_strPreviewEntryPath.Empty();
}
