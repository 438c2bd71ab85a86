// The result tree's builders on hand-made lists: damaged folder links build
// a finite tree, the hits' types group by description, progress, red
// deleted folders, paths and the found file system's choice.
#include <gtest/gtest.h>

#include "CFileSystemForm.h"
#include "CFileSystemTreeCtrl.h"
#include "CFolderTreeCtrl.h"
#include "CPartitionTypeDlg.h"
#include "TestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "resource.h"
#include "state/EngineState.h"
#include "trace/TraceHit.h"
#include "CShellIcons.h"
#include "fat/ScanPanelHost.h"
#include "ntfs/NtfsLists.h"
#include "snapshot/SnapshotCommands.h"

namespace {

class ResultTreeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, NULL, L"result tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 500, 400,
                                     NULL, NULL));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                  CRect(0, 0, 240, 360), &m_frame, 10));
        ASSERT_TRUE(m_fileSystems.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(250, 0, 490, 360), &m_frame, 11));
    }
    void TearDown() override
    {
        FreeEntryLists();
        FreeTraceHitList();
        FreeExtensiveScanLists();
        m_frame.DestroyWindow();
    }

    // "text" of every item below the parent, depth first, children indented
    // by "/" paths; deleted items end with " (red)".
    int ChildCount(HTREEITEM parent)
    {
        int n = 0;
        for (HTREEITEM c = m_tree.GetChildItem(parent); c; c = m_tree.GetNextSiblingItem(c))
            ++n;
        return n;
    }

    std::vector<std::wstring> Items(HTREEITEM parent, const std::wstring& prefix = L"")
    {
        std::vector<std::wstring> out;
        for (HTREEITEM c = m_tree.GetChildItem(parent); c; c = m_tree.GetNextSiblingItem(c)) {
            std::wstring path = prefix + (LPCTSTR)m_tree.GetItemText(c);
            out.push_back(path + (m_tree.IsItemDeleted(c) ? L" (red)" : L""));
            for (const std::wstring& s : Items(c, path + L"/"))
                out.push_back(s);
        }
        return out;
    }

    CWnd m_frame;
    CFolderTreeCtrl m_tree;
    CFileSystemTreeCtrl m_fileSystems;
};

}  // namespace

// Folders that name themselves, or the root, as their parent, and a pair that
// point at each other, give a finite tree: each reachable folder once, the
// others left out; every built record keeps its item.
TEST_F(ResultTreeTest, FatFolderLoopsBuildAFiniteTree)
{
    AddFatFolder(L"DOCS", 3, 0, 0, 0, 0, 0);
    AddFatFolder(L"OLD", 4, 3, 0, 0, 0, 1);        // deleted
    AddFatFolder(L"SELF", 6, 6, 0, 0, 0, 0);       // its own parent
    AddFatFolder(L"ROOTY", 0, 3, 0, 0, 0, 0);      // claims the root's key
    AddFatFolder(L"PING", 7, 8, 0, 0, 0, 0);       // 7 and 8 are each other's parent
    AddFatFolder(L"PONG", 8, 7, 0, 0, 0, 0);
    AddFatFolder(L"BACK", 9, 4, 0, 0, 0, 0);       // below OLD
    HTREEITEM root = m_tree.BuildFatTree();
    ASSERT_NE(root, (HTREEITEM)NULL);
    EXPECT_EQ(m_tree.GetItemText(root), CString(L"Root"));
    EXPECT_EQ(m_tree.m_hRootItem, root);
    EXPECT_EQ(Items(root), (std::vector<std::wstring>{L"DOCS", L"DOCS/OLD (red)", L"DOCS/OLD/BACK"}));
    EXPECT_EQ(m_tree.m_nBuiltItems, 3u);
    HTREEITEM back = (HTREEITEM)(uintptr_t)FindFatFolder(9)->treeItem;
    ASSERT_NE(back, (HTREEITEM)NULL);
    EXPECT_EQ(m_tree.GetItemPath(back), CString(L"DOCS\\OLD\\BACK"));
    EXPECT_EQ(m_tree.GetItemPath(root), CString(L"Root"));
    EXPECT_EQ(FindFatFolder(6)->treeItem, 0u);
}

// One folder per description (compared ignoring case), below it one item per
// extension; a second walk finds the items instead of adding them again.
TEST_F(ResultTreeTest, TraceHitsGroupByDescriptionAndExtension)
{
    struct Hit
    {
        const wchar_t* extension;
        const wchar_t* description;
    } hits[] = {
        {L".jpg", L"JPEG Image"}, {L".jpg", L"JPEG Image"}, {L".jpeg", L"jpeg image"}, {L".pdf", L"PDF Document"},
        {L".doc", L"Office Document"}, {L".xls", L"Office Document"}, {L".jpg", L"JPEG Image"},
    };
    uint32_t n = 0;
    for (const Hit& h : hits) {
        ++n;
        AppendTraceHit((std::to_wstring(n) + h.extension).c_str(), h.extension, h.description, 100 + n, n);
    }
    g_ScanStop = 0;
    HTREEITEM root = m_tree.AddFolderItem(L"Root", TVI_ROOT);
    m_tree.AddTraceTypeFolders(root, L" ");
    const std::vector<std::wstring> expected = {
        L"JPEG Image", L"JPEG Image/.jpg", L"JPEG Image/.jpeg", L"PDF Document", L"PDF Document/.pdf",
        L"Office Document", L"Office Document/.doc", L"Office Document/.xls",
    };
    EXPECT_EQ(Items(root), expected);
    m_tree.AddTraceTypeFolders(root, L" ");
    EXPECT_EQ(Items(root), expected);

    // A stopped scan adds nothing more.
    g_ScanStop = 1;
    HTREEITEM other = m_tree.AddFolderItem(L"Other", TVI_ROOT);
    m_tree.AddTraceTypeFolders(other, L" ");
    EXPECT_TRUE(Items(other).empty());
    g_ScanStop = 0;
}

namespace {

// Records the scan panel's progress positions.
class CProgressRecorder : public CScanPanelHost
{
public:
    CProgressRecorder() { m_previous = SetScanPanelHost(this); }
    ~CProgressRecorder() { SetScanPanelHost(m_previous); }
    void SetProgress(int position) override { positions.push_back(position); }
    std::vector<int> positions;

private:
    CScanPanelHost* m_previous;
};

// Records the positions a window is sent with WM_USER + 1.
class CProgressWindow : public CWnd
{
public:
    std::vector<int> positions;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 1)
            positions.push_back((int)wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

// Two folders under the root and a child of the first: three counted, the
// deleted one drawn red over the control's own drawing (its child not), the
// progress at each step the count over g_FolderCount, never above 99, to
// the scan panel; with a snapshot loading it goes to the snapshot's window
// instead, and an NTFS build of an Extensive Scan reports to the
// file-system panel.
TEST_F(ResultTreeTest, BuildersCountReportProgressAndPaintDeletedRed)
{
    AddFatFolder(L"FIRST", 3, 0, 0, 0, 0, 1);     // deleted
    AddFatFolder(L"SECOND", 4, 0, 0, 0, 0, 0);
    AddFatFolder(L"CHILD", 5, 3, 0, 0, 0, 0);
    VolumeParams = VolumeParamsRecord();
    VolumeParams.fileSystemType = FileSystemFat32;
    g_ScanMode = ScanModeQuick;
    g_ScanStop = 0;
    {
        CProgressRecorder panel;
        g_FolderCount = 4;
        HTREEITEM root = m_tree.BuildFatTree();
        EXPECT_EQ(g_TreeBuildCount, 3u);
        EXPECT_EQ(Items(root), (std::vector<std::wstring>{L"FIRST (red)", L"FIRST/CHILD", L"SECOND"}));
        EXPECT_EQ(panel.positions, (std::vector<int>{0, 25, 50, 75}));
        EXPECT_EQ(g_ProgressPercent, 75u);

        // More folders inserted than counted: never above 99.
        panel.positions.clear();
        g_FolderCount = 2;
        m_tree.BuildFatTree();
        EXPECT_EQ(panel.positions, (std::vector<int>{0, 50, 99}));
        EXPECT_EQ(g_ProgressPercent, 99u);

        // No count at all is taken as 1.
        g_FolderCount = 0;
        m_tree.BuildFatTree();
        EXPECT_EQ(g_FolderCount, 1u);
    }

    // The red text, against the tree's own colours.
    m_tree.BuildFatTree();
    HTREEITEM first = m_tree.GetChildItem(m_tree.GetRootItem());
    HTREEITEM child = m_tree.GetChildItem(first);
    m_tree.Expand(first, TVE_EXPAND);
    m_tree.SelectItem(NULL);
    m_frame.BringWindowToTop();
    auto redPixels = [&](HTREEITEM item) {
        m_tree.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        CRect text;
        m_tree.GetItemRect(item, &text, TRUE);
        tesmir::test::CDibCanvas canvas(240, 360);
        tesmir::test::CaptureWindow(m_tree.m_hWnd, canvas);
        return canvas.Count(text, RGB(255, 0, 0));
    };
    EXPECT_GT(redPixels(first), 5);
    EXPECT_EQ(redPixels(child), 0);
    CFolderTreeCtrl::ItemStyle style;
    ASSERT_TRUE(m_tree.GetItemStyle(first, style));
    EXPECT_EQ(style.clrText, RGB(255, 0, 0));
    EXPECT_FALSE(m_tree.GetItemStyle(child, style));

    // While a snapshot loads: only the snapshot's window hears of it.
    CProgressWindow snapshot;
    ASSERT_TRUE(snapshot.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 1, 1), &m_frame, 20));
    m_tree.m_hSnapshotProgressWnd = snapshot.m_hWnd;
    {
        CProgressRecorder panel;
        g_FolderCount = 3;
        g_SnapshotLoading = 1;
        m_tree.BuildFatTree();
        g_SnapshotLoading = 0;
        EXPECT_TRUE(panel.positions.empty());
        EXPECT_EQ(snapshot.positions, (std::vector<int>{0, 33, 66, 99}));
    }
    m_tree.m_hSnapshotProgressWnd = NULL;

    // NTFS in an Extensive Scan: the file-system panel's bar.
    FreeEntryLists();
    FILETIME t = {};
    AddNtfsFolderRecord(L"Docs", 40, 5, t, t, 0, 0);
    AddNtfsFolderRecord(L"Mail", 41, 40, t, t, 0, 1);
    VolumeParams.fileSystemType = FileSystemNtfs;
    g_ScanMode = ScanModeExtensive;
    CFileSystemForm form;
    ASSERT_TRUE(form.Create(&m_frame, CRect(250, 0, 490, 200), 13));
    m_tree.m_pFileSystemPanel = &form;
    {
        CProgressRecorder panel;
        g_FolderCount = 4;
        HTREEITEM root = m_tree.BuildNtfsTree();
        EXPECT_EQ(Items(root), (std::vector<std::wstring>{L"Docs", L"Docs/Mail (red)"}));
        EXPECT_TRUE(panel.positions.empty());
        EXPECT_EQ(form.m_progress.GetPos(), 50);
        // A Quick Scan's NTFS build goes to the scan panel.
        g_ScanMode = ScanModeQuick;
        m_tree.BuildNtfsTree();
        EXPECT_EQ(panel.positions, (std::vector<int>{0, 25, 50}));
    }
    m_tree.m_pFileSystemPanel = NULL;
}

// Spaces around a text find the child of that name; a file-type item
// takes the shell's icon for its extension; an ancestor ending in "\"
// gets no second one; a first-level folder's path is its own text.
TEST_F(ResultTreeTest, FindOrAddChildTrimsAndPathsJoinOnce)
{
    HTREEITEM root = m_tree.AddFolderItem(L"Root", TVI_ROOT);
    HTREEITEM docs = m_tree.AddChildFolder(root, L"DIR1");
    HTREEITEM sub = m_tree.FindOrAddChild(L"SUB", docs, 0);
    EXPECT_EQ(m_tree.FindOrAddChild(L"  SUB ", docs, 0), sub);
    EXPECT_EQ(ChildCount(docs), 1);
    EXPECT_EQ(m_tree.GetItemPath(sub), CString(L"DIR1\\SUB"));
    EXPECT_EQ(m_tree.GetItemPath(docs), CString(L"DIR1"));
    HTREEITEM drive = m_tree.AddChildFolder(root, L"C:\\");
    HTREEITEM inDrive = m_tree.AddChildFolder(drive, L"Mail");
    EXPECT_EQ(m_tree.GetItemPath(inDrive), CString(L"C:\\Mail"));

    CShellIcons icons;
    HTREEITEM jpg = m_tree.FindOrAddChild(L".jpg", docs, 1);
    int image = -1, selected = -1;
    m_tree.GetItemImage(jpg, image, selected);
    EXPECT_EQ(image, icons.GetFileIconIndex(L".jpg", TRUE));
    m_tree.GetItemImage(sub, image, selected);
    EXPECT_EQ(image, icons.GetFolderIconIndex(TRUE));
    // "Root" is no drive: image 5 of the system list.
    m_tree.GetItemImage(root, image, selected);
    EXPECT_EQ(image, 5);
}

// The choice of a found file system copies its record into VolumeParams and
// shows it on the panel; the heading and an item without a record change
// nothing.
TEST_F(ResultTreeTest, SelectFoundVolumeCopiesAndShowsTheClickedRecord)
{
    CFileSystemForm form;
    ASSERT_TRUE(form.Create(&m_frame, CRect(0, 0, 240, 200), 12));
    m_fileSystems.m_pForm = &form;
    HTREEITEM heading = m_fileSystems.AddItemWithIcon(L"File System", TVI_ROOT);
    HTREEITEM fat = m_fileSystems.AddItem(L"FAT16 @2048", heading);
    HTREEITEM ntfs = m_fileSystems.AddItem(L"NTFS @10000", heading);
    HTREEITEM wrapped = m_fileSystems.AddItem(L"NTFS @5000", heading);
    HTREEITEM stray = m_fileSystems.AddItem(L"FAT32 @1", heading);
    auto add = [](uint16_t code, uint32_t first, uint32_t spc, uint32_t base, uint32_t mft, uint32_t end,
                  HTREEITEM item) {
        uint32_t p[13];
        for (int i = 0; i < 13; ++i)
            p[i] = first + i;
        p[1] = spc;
        p[5] = base;
        p[8] = mft;
        p[9] = mft + 1;
        p[12] = end;
        AddFoundVolume(code, p, (uint32_t)(uintptr_t)item);
    };
    add(FileSystemFat16, 100, 4, 2048, 0, 0, fat);
    add(FileSystemNtfs, 200, 8, 10000, 10016, 10000 + 3 * 2048, ntfs);
    add(FileSystemNtfs, 300, 8, 5000, 5016, 4999, wrapped);
    auto value = [&](int row) { CString t; form.m_value[row - 1].GetWindowText(t); return t; };

    VolumeParams = VolumeParamsRecord();
    VolumeParams.selectionCode = FileSystemNtfs;
    EXPECT_EQ(m_fileSystems.SelectFoundVolume(heading), 0u);
    EXPECT_EQ(m_fileSystems.SelectFoundVolume(stray), 0u);
    EXPECT_EQ(VolumeParams.fileSystemType, 0);
    CString caption;
    form.m_caption[2].GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"MFT Start\t\t:"));

    EXPECT_EQ(m_fileSystems.SelectFoundVolume(ntfs), 2u);
    EXPECT_EQ(VolumeParams.fileSystemType, FileSystemNtfs);
    EXPECT_EQ(VolumeParams.foundVolumeIndex, 2);
    EXPECT_EQ(VolumeParams.fatSize, 200u);
    EXPECT_EQ(VolumeParams.mftSector, 10016u);
    EXPECT_EQ(value(1), CString(L"10000"));
    EXPECT_EQ(value(2), CString(L"8"));
    EXPECT_EQ(value(3), CString(L"10016"));
    EXPECT_EQ(value(4), CString(L"10017"));
    EXPECT_EQ(value(5), CString(L"3 MB"));

    // An end below the start shows the unsigned difference.
    EXPECT_EQ(m_fileSystems.SelectFoundVolume(wrapped), 3u);
    EXPECT_EQ(value(5), CString(L"2097151 MB"));

    EXPECT_EQ(m_fileSystems.SelectFoundVolume(fat), 1u);
    EXPECT_EQ(VolumeParams.fileSystemType, FileSystemFat16);
    EXPECT_EQ(VolumeParams.sectorsPerCluster, 4u);
    EXPECT_EQ(value(2), CString(L"2048"));
    EXPECT_EQ(value(3), CString(L"4"));
    EXPECT_EQ(value(4), CString(L"Unknown"));
    EXPECT_FALSE(form.m_caption[0].IsWindowVisible());
}

namespace {

// Chooses an option as the user would once the dialog is up, then ends it.
class CAnsweredPartitionTypeDlg : public CPartitionTypeDlg
{
public:
    CAnsweredPartitionTypeDlg(int option, int button) : m_option(option), m_button(button) {}
    BOOL OnInitDialog() override
    {
        BOOL result = CPartitionTypeDlg::OnInitDialog();
        initiallyExisting = IsDlgButtonChecked(IDC_PARTITION_TYPE_EXISTING) == BST_CHECKED;
        if (m_option)
            CheckRadioButton(IDC_PARTITION_TYPE_EXISTING, IDC_PARTITION_TYPE_SEARCH, m_option);
        PostMessage(WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED), (LPARAM)GetDlgItem(m_button)->GetSafeHwnd());
        return result;
    }
    bool initiallyExisting = false;

private:
    int m_option, m_button;
};

}  // namespace

TEST(PartitionTypeDlgTest, OkSetsTheFlagAndCancelLeavesIt)
{
    struct Case
    {
        int option, button, before, after;
    } cases[] = {
        {0, IDOK, 1, 0},
        {IDC_PARTITION_TYPE_SEARCH, IDOK, 0, 1},
        {IDC_PARTITION_TYPE_EXISTING, IDOK, 1, 0},
        {IDC_PARTITION_TYPE_SEARCH, IDCANCEL, 0, 0},
        {IDC_PARTITION_TYPE_EXISTING, IDCANCEL, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " button " << c.button);
        g_SearchPartitions = c.before;
        CAnsweredPartitionTypeDlg dialog(c.option, c.button);
        EXPECT_EQ(dialog.DoModal(), c.button);
        EXPECT_TRUE(dialog.initiallyExisting);
        EXPECT_EQ(g_SearchPartitions, c.after);
    }
}
