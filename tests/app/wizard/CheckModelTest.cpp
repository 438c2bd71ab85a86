// The result tree's check model on small trees built with the real control
// from hand-made engine lists: how a check spreads down and up, what the
// list's maps hold afterwards, the folder-file tests of each mode and the
// collection of the checked folders for a save.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "CFolderTreeCtrl.h"
#include "CResultListCtrl.h"
#include "TestSupport.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "trace/TraceHit.h"

using tesmir::test::PumpUntil;
using tesmir::test::Utf8;

namespace {

// The shapes of the table. FAT folders by cluster; files give their folder
// files of its own.
enum Shape
{
    ShapeNested,     // Root > A > (A1 > A1x, A2); Root > B; one file in the root only
    ShapeFiles,      // Root > P (two files) > (C1 (one file), C2); Root > Q (no files) > (Q1, Q2)
    ShapeTrace,      // Root > Image > (.jpg, .gif); Root > Document > .doc
};

class CheckModelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The builders run as the workers run them: with the stop flag clear.
        g_ScanStop = 0;
        ASSERT_TRUE(m_frame.CreateEx(0, NULL, L"check model", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 640, 420,
                                     NULL, NULL));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                  CRect(0, 0, 300, 400), &m_frame, 162));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(310, 0, 630, 400), &m_frame, 165));
        m_tree.SetupImages(NULL);
        m_tree.m_pList = &m_list;
        m_savedVolume = VolumeParams;
        m_savedMode = g_ScanMode;
    }
    void TearDown() override
    {
        m_tree.DeleteAllItems();
        m_list.ClearMarks();
        FreeEntryLists();
        FreeNtfsScanLists();
        FreeTraceHitList();
        VolumeParams = m_savedVolume;
        g_ScanMode = m_savedMode;
        m_frame.DestroyWindow();
    }

    void AddFile(const wchar_t* name, uint32_t parentCluster)
    {
        AddFatFile(name, 100 + g_FileCount, parentCluster, 0, 0, 10, 0);
        ++g_FileCount;
    }

    // Builds a shape with everything checked, as after a scan.
    void Build(Shape shape)
    {
        FreeEntryLists();
        FreeTraceHitList();
        VolumeParams = VolumeParamsRecord();
        if (shape == ShapeTrace) {
            g_ScanMode = ScanModeFileTrace;
            AppendTraceHit(L"1.jpg", L".jpg", L"Image", 100, 1);
            AppendTraceHit(L"2.gif", L".gif", L"Image", 110, 2);
            AppendTraceHit(L"3.doc", L".doc", L"Document", 120, 3);
            g_FolderCount = 3;
            m_tree.BuildTraceTree();
        } else {
            g_ScanMode = ScanModeQuick;
            VolumeParams.fileSystemType = FileSystemFat32;
            if (shape == ShapeNested) {
                AddFatFolder(L"A", 3, 0, 0, 0, 0, 0);
                AddFatFolder(L"A1", 4, 3, 0, 0, 0, 0);
                AddFatFolder(L"A1x", 6, 4, 0, 0, 0, 0);
                AddFatFolder(L"A2", 5, 3, 0, 0, 0, 0);
                AddFatFolder(L"B", 7, 0, 0, 0, 0, 0);
                AddFile(L"ROOT.TXT", 0);
            } else {
                AddFatFolder(L"P", 3, 0, 0, 0, 0, 0);
                AddFatFolder(L"C1", 4, 3, 0, 0, 0, 0);
                AddFatFolder(L"C2", 5, 3, 0, 0, 0, 0);
                AddFatFolder(L"Q", 6, 0, 0, 0, 0, 0);
                AddFatFolder(L"Q1", 7, 6, 0, 0, 0, 0);
                AddFatFolder(L"Q2", 8, 6, 0, 0, 0, 0);
                AddFile(L"ROOT.TXT", 0);
                AddFile(L"P1.TXT", 3);
                AddFile(L"P2.TXT", 3);
                AddFile(L"C1.TXT", 4);
            }
            m_tree.BuildFatTree();
        }
    }

    HTREEITEM Find(const std::wstring& name, HTREEITEM from = NULL)
    {
        for (HTREEITEM h = from ? from : m_tree.GetRootItem(); h; h = m_tree.GetNextItemPreorder(h))
            if (name == (LPCTSTR)m_tree.GetItemText(h))
                return h;
        ADD_FAILURE() << "no item " << Utf8(name);
        return NULL;
    }

    // "name:state" in pre-order, U unchecked, C checked, P partly checked.
    std::string States()
    {
        std::string out;
        for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextItemPreorder(h)) {
            const int state = m_tree.GetCheckState(h);
            out += (out.empty() ? "" : " ") + Utf8((LPCTSTR)m_tree.GetItemText(h)) + ":" +
                   (state == TreeChecked ? "C" : state == TreePartlyChecked ? "P" : state == TreeUnchecked ? "U" : "?");
        }
        return out;
    }

    // The names of a map's tree items, sorted.
    std::set<std::string> Names(CMarkMap& map)
    {
        std::set<std::string> names;
        POSITION pos = map.GetStartPosition();
        while (pos) {
            DWORD key = 0;
            int value = 0;
            map.GetNextAssoc(pos, key, value);
            EXPECT_EQ(value, 1);
            names.insert(Utf8((LPCTSTR)m_tree.GetItemText((HTREEITEM)(uintptr_t)key)));
        }
        return names;
    }

    // Marks a folder's files as the list does: all of them together.
    void MarkFolderFiles(HTREEITEM item)
    {
        ForEachFolderFile(item, [&](uint32_t id) {
            m_list.m_mapCheckedFiles[id] = 1;
            return true;
        });
    }

    CWnd m_frame;
    CFolderTreeCtrl m_tree;
    CResultListCtrl m_list;
    VolumeParamsRecord m_savedVolume;
    int m_savedMode = 0;
};

}  // namespace

// Each case starts from a freshly built tree (everything checked), unchecked
// as a whole when the case says so, runs its operations in order and gives
// exactly these states and map contents.
TEST_F(CheckModelTest, OperationsGiveTheStatesAndMapsOfTheRules)
{
    struct Op
    {
        const char* what;   // check, uncheck, toggle, uncheckChildren, markFiles
        const wchar_t* item;
    };
    struct Case
    {
        const char* name;
        Shape shape;
        bool startUnchecked;
        std::vector<Op> ops;
        const char* states;
        std::set<std::string> checkedFolders;
    };
    const std::set<std::string> allNested = {"Root", "A", "A1", "A1x", "A2", "B"};
    const Case cases[] = {
        {"after a build everything is checked and listed", ShapeNested, false, {},
         "Root:C A:C A1:C A1x:C A2:C B:C", allNested},
        {"one of two sub-folders makes every ancestor partly checked", ShapeNested, true, {{"check", L"A1"}},
         "Root:P A:P A1:C A1x:C A2:U B:U", {"A1", "A1x"}},
        {"both sub-folders of a folder without files check it", ShapeNested, true,
         {{"check", L"A1"}, {"check", L"A2"}}, "Root:P A:C A1:C A1x:C A2:C B:U", {"A", "A1", "A1x", "A2"}},
        {"checking the last unchecked child checks the root", ShapeNested, true,
         {{"check", L"A"}, {"check", L"B"}}, "Root:C A:C A1:C A1x:C A2:C B:C", allNested},
        {"a partly checked folder keeps its map entries", ShapeNested, false, {{"uncheck", L"A1"}},
         "Root:P A:P A1:U A1x:U A2:C B:C", {"Root", "A", "A2", "B"}},
        {"toggle unchecks a checked folder with its subtree", ShapeNested, false, {{"toggle", L"A"}},
         "Root:P A:U A1:U A1x:U A2:U B:C", {"Root", "B"}},
        {"toggle unchecks a partly checked folder with its subtree", ShapeNested, false,
         {{"uncheck", L"A1"}, {"toggle", L"A"}}, "Root:P A:U A1:U A1x:U A2:U B:C", {"Root", "B"}},
        {"toggle checks an unchecked folder", ShapeNested, true, {{"toggle", L"B"}},
         "Root:P A:U A1:U A1x:U A2:U B:C", {"B"}},
        {"unchecking everything below the root unchecks it", ShapeNested, false,
         {{"uncheck", L"A"}, {"uncheck", L"B"}}, "Root:U A:U A1:U A1x:U A2:U B:U", {}},
        {"a folder with unmarked files of its own stays partly checked", ShapeFiles, true,
         {{"check", L"C1"}, {"check", L"C2"}}, "Root:P P:P C1:C C2:C Q:U Q1:U Q2:U", {"C1", "C2"}},
        {"with its files marked the folder is checked", ShapeFiles, true,
         {{"markFiles", L"P"}, {"check", L"C1"}, {"check", L"C2"}}, "Root:P P:C C1:C C2:C Q:U Q1:U Q2:U",
         {"C1", "C2", "P"}},
        {"a folder without files of its own is checked by its children", ShapeFiles, true,
         {{"check", L"Q1"}, {"check", L"Q2"}}, "Root:P P:U C1:U C2:U Q:C Q1:C Q2:C", {"Q", "Q1", "Q2"}},
        {"marked files keep a folder partly checked when its last child goes", ShapeFiles, true,
         {{"markFiles", L"P"}, {"check", L"C1"}, {"uncheck", L"C1"}}, "Root:P P:P C1:U C2:U Q:U Q1:U Q2:U", {}},
        {"unchecking with children ends in an unchecked folder", ShapeFiles, false, {{"uncheckChildren", L"P"}},
         "Root:P P:U C1:U C2:U Q:C Q1:C Q2:C", {"Root", "Q", "Q1", "Q2"}},
        {"the item itself takes the state whatever its files", ShapeFiles, true, {{"check", L"P"}},
         "Root:P P:C C1:C C2:C Q:U Q1:U Q2:U", {"P", "C1", "C2"}},
        {"File Trace type folders have no files of their own", ShapeTrace, false, {{"uncheck", L".jpg"}},
         "Root:P Image:P .jpg:U .gif:C Document:C .doc:C", {"Root", "Image", ".gif", "Document", ".doc"}},
        {"File Trace: both extensions of a type check it", ShapeTrace, true,
         {{"check", L".jpg"}, {"check", L".gif"}}, "Root:P Image:C .jpg:C .gif:C Document:U .doc:U",
         {"Image", ".jpg", ".gif"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_list.ClearMarks();
        Build(c.shape);
        if (c.startUnchecked)
            m_tree.SetCheck(m_tree.GetRootItem(), 0);
        for (const Op& op : c.ops) {
            HTREEITEM item = Find(op.item);
            const std::string what = op.what;
            if (what == "check")
                EXPECT_EQ(m_tree.SetCheck(item, 1), 0);
            else if (what == "uncheck")
                EXPECT_EQ(m_tree.SetCheck(item, 0), 0);
            else if (what == "toggle")
                m_tree.ToggleCheck(item);
            else if (what == "uncheckChildren")
                EXPECT_EQ(m_tree.UncheckWithChildren(item), 0);
            else if (what == "markFiles")
                MarkFolderFiles(item);
        }
        EXPECT_EQ(States(), c.states);
        EXPECT_EQ(Names(m_list.m_mapCheckedFolders), c.checkedFolders);
        EXPECT_EQ(Names(m_list.m_mapTreeChecked), c.checkedFolders);
        // Nothing but the tree's own mirrors changed.
        EXPECT_TRUE(m_list.m_mapSaveFolders.IsEmpty());
        EXPECT_TRUE(m_list.m_mapSaveFiles.IsEmpty());
    }
}

// A null item changes nothing; the member test of the children is "every
// child checked", apart from the free "every child unchecked".
TEST_F(CheckModelTest, ChildTestsAndNullItems)
{
    Build(ShapeNested);
    const std::string before = States();
    EXPECT_EQ(m_tree.SetCheck(NULL, 1), 0);
    EXPECT_EQ(m_tree.SetCheck(NULL, 0), 0);
    EXPECT_EQ(States(), before);
    HTREEITEM a = Find(L"A");
    EXPECT_EQ(m_tree.AreChildrenChecked(a), 1);
    EXPECT_EQ(AreChildrenUnchecked(m_tree, a), 0);
    m_tree.SetCheck(Find(L"A2"), 0);
    EXPECT_EQ(m_tree.AreChildrenChecked(a), 0);
    EXPECT_EQ(AreChildrenUnchecked(m_tree, a), 0);
    m_tree.SetCheck(Find(L"A1"), 0);
    EXPECT_EQ(AreChildrenUnchecked(m_tree, a), 1);
    // No children: both hold.
    HTREEITEM b = Find(L"B");
    EXPECT_EQ(m_tree.AreChildrenChecked(b), 1);
    EXPECT_EQ(AreChildrenUnchecked(m_tree, b), 1);
    // The last entry going empties a map whole.
    m_tree.SetCheck(m_tree.GetRootItem(), 0);
    EXPECT_EQ(m_list.m_mapCheckedFolders.GetCount(), 0);
    EXPECT_EQ(m_list.m_mapTreeChecked.GetCount(), 0);
}

// The pre-order walk, and the collection of checked folders: a checked root
// yields its first child, every checked folder below follows in pre-order,
// and each folder passed drops its own files (only those) from the save map.
TEST_F(CheckModelTest, CheckedFoldersAreCollectedInPreorder)
{
    Build(ShapeNested);
    std::vector<std::string> order;
    for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextItemPreorder(h))
        order.push_back(Utf8((LPCTSTR)m_tree.GetItemText(h)));
    EXPECT_EQ(order, (std::vector<std::string>{"Root", "A", "A1", "A1x", "A2", "B"}));
    EXPECT_EQ(m_tree.GetNextItemPreorder(NULL), (HTREEITEM)NULL);
    EXPECT_EQ(m_tree.GetNextItemPreorder(Find(L"B")), (HTREEITEM)NULL);

    auto collect = [&] {
        std::vector<std::string> out;
        for (HTREEITEM h = m_tree.GetFirstCheckedItem(); h; h = m_tree.GetNextCheckedItem(h))
            out.push_back(Utf8((LPCTSTR)m_tree.GetItemText(h)));
        return out;
    };
    EXPECT_EQ(collect(), (std::vector<std::string>{"A", "A1", "A1x", "A2", "B"}));
    m_tree.SetCheck(m_tree.GetRootItem(), 0);
    EXPECT_TRUE(collect().empty());
    m_tree.SetCheck(Find(L"A2"), 1);
    m_tree.SetCheck(Find(L"B"), 1);
    EXPECT_EQ(collect(), (std::vector<std::string>{"A2", "B"}));

    // Saving map: the root's file, one of P's and C1's are marked. Each
    // folder the walk passes after the first drops its own files, and only
    // those: C1's goes; the first folder is returned without a pass.
    m_list.ClearMarks();
    Build(ShapeFiles);
    for (uint32_t id : {0u, 1u, 3u})   // ROOT.TXT, P1.TXT, C1.TXT by file number
        m_list.m_mapSaveFiles[id] = 1;
    EXPECT_EQ(collect(), (std::vector<std::string>{"P", "C1", "C2", "Q", "Q1", "Q2"}));
    int value;
    EXPECT_EQ(m_list.m_mapSaveFiles.GetCount(), 2);
    EXPECT_TRUE(m_list.m_mapSaveFiles.Lookup(0, value));
    EXPECT_TRUE(m_list.m_mapSaveFiles.Lookup(1, value));
    EXPECT_FALSE(m_list.m_mapSaveFiles.Lookup(3, value));
}

// Which files a folder has, and whether they count as marked, by mode: FAT
// by cluster, NTFS Quick Scan by record number and data record sector, the
// Extensive Scan's records only inside the chosen file system, File Trace
// never. Only the first file is looked at.
TEST_F(CheckModelTest, FolderFilesByMode)
{
    g_ScanMode = ScanModeQuick;
    VolumeParams = VolumeParamsRecord();
    VolumeParams.fileSystemType = FileSystemNtfs;
    VolumeParams.clusterBase = 1000;
    VolumeParams.fileSystemEnd = 2000;
    FILETIME t = {};
    AddNtfsFolderRecord(L"Docs", 40, 5, t, t, 0, 0);
    AddNtfsFolderRecord(L"Empty", 41, 5, t, t, 0, 0);
    AddNtfsFolderRecord(L"Outside", 42, 5, t, t, 0, 0);
    AddNtfsFileRecord(1500, L"a.txt", 60, 40, t, t, 0, 10);
    AddNtfsFileRecord(1502, L"b.txt", 61, 40, t, t, 0, 10);
    AddNtfsScanFileRecord(L"a.txt", 1500, 40, t, t, 10, 0);
    AddNtfsScanFileRecord(L"far.txt", 5000, 42, t, t, 10, 0);
    AddNtfsScanFileRecord(L"edge.txt", 1000, 42, t, t, 10, 0);   // at the start: outside
    m_tree.BuildNtfsTree();
    HTREEITEM docs = Find(L"Docs"), empty = Find(L"Empty"), outside = Find(L"Outside");

    struct Row
    {
        int mode;
        HTREEITEM item;
        uint32_t markedId;     // put into m_mapCheckedFiles first (0: none)
        int hasFiles;
        int marked;
    };
    const Row rows[] = {
        {ScanModeQuick, docs, 0, 1, 0},
        {ScanModeQuick, docs, 1500, 1, 1},
        {ScanModeQuick, docs, 1502, 1, 0},         // not the first file
        {ScanModeQuick, empty, 0, 0, 0},
        {ScanModeQuick, m_tree.GetRootItem(), 0, 0, 0},
        {ScanModeExtensive, docs, 1500, 1, 1},
        {ScanModeExtensive, outside, 5000, 0, 0},
        {ScanModeExtensive, outside, 1000, 0, 0},
        {ScanModeFileTrace, docs, 1500, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "mode " << r.mode << " marked " << r.markedId);
        g_ScanMode = r.mode;
        m_list.m_mapCheckedFiles.RemoveAll();
        if (r.markedId)
            m_list.m_mapCheckedFiles[r.markedId] = 1;
        EXPECT_EQ(m_tree.FolderHasFiles(r.item), r.hasFiles);
        EXPECT_EQ(m_tree.AreFolderFilesMarked(r.item), r.marked);
    }
}

// The pointer over an item shows the item cursor, over its expand button the
// button cursor and over its check box the check cursor; a real right click
// selects the item under it and focuses the tree.
TEST_F(CheckModelTest, PointerCursorsAndRightClick)
{
    Build(ShapeNested);
    HTREEITEM root = m_tree.GetRootItem();
    HTREEITEM a = Find(L"A");
    HTREEITEM b = Find(L"B");
    ASSERT_NE(m_tree.m_hItemCursor, (HCURSOR)NULL);
    ASSERT_NE(m_tree.m_hButtonCursor, (HCURSOR)NULL);
    ASSERT_NE(m_tree.m_hCheckCursor, (HCURSOR)NULL);
    ASSERT_TRUE(tesmir::test::BringToFront(m_frame.m_hWnd));

    // A point of the item whose hit test gives the flag.
    auto pointWith = [&](HTREEITEM item, UINT flag, POINT& out) {
        CRect row;
        m_tree.GetItemRect(item, &row, FALSE);
        for (int x = row.left; x < row.right; ++x) {
            UINT flags = 0;
            CPoint pt(x, row.CenterPoint().y);
            if (m_tree.HitTest(pt, &flags) == item && (flags & flag)) {
                m_tree.ClientToScreen(&pt);
                out = pt;
                return true;
            }
        }
        return false;
    };
    struct Spot
    {
        HTREEITEM item;
        UINT flag;
        HCURSOR cursor;
    };
    const Spot spots[] = {
        {b, TVHT_ONITEMLABEL, m_tree.m_hItemCursor},
        {a, TVHT_ONITEMBUTTON, m_tree.m_hButtonCursor},
        {b, TVHT_ONITEMSTATEICON, m_tree.m_hCheckCursor},
    };
    for (const Spot& s : spots) {
        SCOPED_TRACE(s.flag);
        POINT pt;
        ASSERT_TRUE(pointWith(s.item, s.flag, pt));
        // The move as the tree receives it; the cursor is read before any
        // later WM_SETCURSOR of the display can put the class cursor back.
        CPoint client(pt);
        m_tree.ScreenToClient(&client);
        ::SetCursor(NULL);
        m_tree.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        EXPECT_EQ(::GetCursor(), s.cursor);
    }

    POINT label;
    ASSERT_TRUE(pointWith(b, TVHT_ONITEMLABEL, label));
    m_tree.SelectItem(root);
    tesmir::test::SendMouseButtons(label, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
    EXPECT_TRUE(PumpUntil([&] { return m_tree.GetSelectedItem() == b; }, 3000));
    EXPECT_EQ(::GetFocus(), m_tree.m_hWnd);
}
