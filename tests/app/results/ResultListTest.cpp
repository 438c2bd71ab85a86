// The result list's marks: the map operations of each mode on hand-made
// engine lists, the rows' boxes, and a real click on a check box under
// Wine, whose own flip of the box is refused so the row shows what the
// maps hold.
#include <gtest/gtest.h>

#include "ResultsTestSupport.h"
#include "TestSupport.h"

using tesmir::test::PumpUntil;

namespace {

typedef std::vector<DWORD> Ids;

CMarkMap& Map(std::initializer_list<DWORD> keys)
{
    static CMarkMap map;
    map.RemoveAll();
    for (DWORD k : keys)
        map[k] = 1;
    return map;
}

class ResultMarks : public testing::Test
{
protected:
    void SetUp() override
    {
        MakeFatLists();
        w.SetColumns(ScanModeQuick);
        root = w.m_tree.BuildFatTree();
        docs = w.m_tree.GetChildItem(root);
        sub = w.m_tree.GetChildItem(docs);
        ASSERT_EQ(w.m_tree.GetItemText(docs), CString(L"DOCS"));
        ASSERT_EQ(w.m_tree.GetItemText(sub), CString(L"SUB"));
        w.m_list.ClearMarks();
    }

    CResultsWindow w;
    HTREEITEM root = NULL, docs = NULL, sub = NULL;
    DWORD Item(HTREEITEM h) { return (DWORD)(uintptr_t)h; }
};

}  // namespace

// The table of the map operations on FAT: a file row's box both ways, a
// folder row's box both ways, the root folder, and a folder's files dropped
// from the save map while it is saved whole.
TEST_F(ResultMarks, FatOperationsLeaveTheMapsAsTheModelSays)
{
    CResultListCtrl& list = w.m_list;

    // A file row in DOCS, shown marked: its box empties it from both file
    // maps, a second click brings it back to both.
    FillResultListFat(3);
    ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"Parent...", L"SUB", L"D1.TXT", L"D2.TXT"}));
    list.m_mapCheckedFiles[2] = list.m_mapCheckedFiles[3] = 1;
    list.m_mapSaveFiles[2] = list.m_mapSaveFiles[3] = 1;
    const int d1 = w.FindRow(L"D1.TXT");
    list.ToggleRowMark(d1);
    EXPECT_EQ(list.GetRowMark(d1), 0);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), Ids{3});
    EXPECT_EQ(Keys(list.m_mapSaveFiles), Ids{3});
    list.ToggleRowMark(d1);
    EXPECT_EQ(list.GetRowMark(d1), 1);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), (Ids{2, 3}));
    EXPECT_EQ(Keys(list.m_mapSaveFiles), (Ids{2, 3}));

    // The parent row is the listed folder's way up: it never counts.
    list.UnmarkAllRows();
    list.SetRowStateNone(0);
    EXPECT_EQ(list.AreNoRowsMarked(), 1);
    list.MarkAllRows();
    list.SetRowStateUnmarked(0);
    EXPECT_EQ(list.AreAllRowsMarked(), 1);
    EXPECT_EQ(list.GetRowMark(0), 0);

    // The DOCS folder row, unmarked: its box marks its own files as shown
    // (not saved one by one) and DOCS with SUB as checked folders.
    w.m_tree.SetCheck(root, 0);
    list.ClearMarks();
    FillResultListFat(0);
    w.m_tree.SyncListChecks(root);
    const int docsRow = w.FindRow(L"DOCS");
    ASSERT_GE(docsRow, 0);
    EXPECT_EQ(list.GetRowId(docsRow), Item(docs));
    list.SetRowStateUnmarked(docsRow);
    list.ToggleRowMark(docsRow);
    EXPECT_EQ(list.GetRowMark(docsRow), 1);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), (Ids{2, 3}));
    EXPECT_EQ(Keys(list.m_mapCheckedFolders), Keys(Map({Item(docs), Item(sub)})));
    EXPECT_EQ(w.m_tree.GetCheckState(docs), TreeChecked);
    EXPECT_EQ(w.m_tree.GetCheckState(root), TreePartlyChecked);
    EXPECT_TRUE(list.m_mapSaveFiles.IsEmpty());
    list.ToggleRowMark(docsRow);
    EXPECT_EQ(list.GetRowMark(docsRow), 0);
    EXPECT_TRUE(list.m_mapCheckedFiles.IsEmpty());
    EXPECT_TRUE(list.m_mapCheckedFolders.IsEmpty());
    EXPECT_EQ(w.m_tree.GetCheckState(docs), TreeUnchecked);

    // The root: every file shown marked, only the root's own saved one by
    // one, no folder entered.
    list.ClearMarks();
    list.MarkFolder(0, root);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), (Ids{1, 2, 3, 4}));
    EXPECT_EQ(Keys(list.m_mapSaveFiles), Ids{1});
    EXPECT_TRUE(list.m_mapCheckedFolders.IsEmpty());
    list.UnmarkFolder(0, root);
    EXPECT_TRUE(list.m_mapCheckedFiles.IsEmpty());
    EXPECT_TRUE(list.m_mapSaveFiles.IsEmpty());

    // DOCS saved whole: its own files leave the save map, SUB's stay.
    for (DWORD id : {1, 2, 3, 4})
        list.m_mapSaveFiles[id] = 1;
    list.DropFolderFileMarks(docs);
    EXPECT_EQ(Keys(list.m_mapSaveFiles), (Ids{1, 4}));

    // A folder row whose tree item names no folder changes nothing.
    list.ClearMarks();
    list.SetItemText(docsRow, 5, L"4294967295");
    list.SetRowStateUnmarked(docsRow);
    list.ToggleRowMark(docsRow);
    EXPECT_EQ(list.GetRowMark(docsRow), 0);
    EXPECT_TRUE(list.m_mapCheckedFiles.IsEmpty());
    EXPECT_TRUE(list.m_mapCheckedFolders.IsEmpty());
}

// A file row's box brings the listed folder's tree mark in step: all rows
// marked checks it, none unchecks it, some make it and its ancestors partly
// checked.
TEST_F(ResultMarks, FileRowBoxesSetTheListedFolderInTheTree)
{
    CResultListCtrl& list = w.m_list;
    FillResultListFat(3);
    const int d1 = w.FindRow(L"D1.TXT"), d2 = w.FindRow(L"D2.TXT");
    list.ToggleRowMark(d1);
    EXPECT_EQ(w.m_tree.GetCheckState(docs), TreePartlyChecked);
    EXPECT_EQ(w.m_tree.GetCheckState(root), TreePartlyChecked);
    list.ToggleRowMark(d1);
    EXPECT_EQ(w.m_tree.GetCheckState(docs), TreeChecked);
    list.ToggleRowMark(d1);
    list.ToggleRowMark(d2);
    list.ToggleRowMark(w.FindRow(L"SUB"));
    EXPECT_EQ(list.AreNoRowsMarked(), 1);
    EXPECT_EQ(w.m_tree.GetCheckState(docs), TreeUnchecked);
}

// NTFS after a Quick Scan: a folder row marks nothing through the list (the
// tree's own marks save it); its unmarking clears the folder and its files.
TEST_F(ResultMarks, NtfsQuickScanFolderRowsGoThroughTheTree)
{
    FreeEntryLists();
    VolumeParams.fileSystemType = FileSystemNtfs;
    g_ScanMode = ScanModeQuick;
    FILETIME ft = {};
    NtfsFolderRecord* dir = AddNtfsFolderRecord(L"Dir", 40, 5, ft, ft, 0, 0);
    AddNtfsFileRecord(900, L"in dir.txt", 41, 40, ft, ft, 0, 10);
    AddNtfsFileRecord(901, L"in root.txt", 42, 5, ft, ft, 0, 10);
    root = w.m_tree.BuildNtfsTree();
    HTREEITEM dirItem = w.m_tree.GetChildItem(root);
    ASSERT_EQ(dir->treeItem, Item(dirItem));
    CResultListCtrl& list = w.m_list;
    list.ClearMarks();
    list.MarkFolder(40, dirItem);
    EXPECT_TRUE(list.m_mapCheckedFiles.IsEmpty());
    EXPECT_TRUE(list.m_mapCheckedFolders.IsEmpty());
    list.m_mapCheckedFiles[900] = list.m_mapSaveFiles[900] = list.m_mapCheckedFolders[Item(dirItem)] = 1;
    list.UnmarkFolder(40, dirItem);
    EXPECT_TRUE(list.m_mapCheckedFiles.IsEmpty());
    EXPECT_TRUE(list.m_mapSaveFiles.IsEmpty());
    EXPECT_TRUE(list.m_mapCheckedFolders.IsEmpty());
    list.CheckFolderFiles(dirItem);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), Ids{900});
}

// File Trace: a type by description, by extension or "Root" enters its
// hits in both maps; a hit row's box takes its hit out and back; a type
// row's box marks every hit of the type whatever is listed.
TEST_F(ResultMarks, FileTraceTypesAndHits)
{
    FreeEntryLists();
    g_ScanMode = ScanModeFileTrace;
    w.SetColumns(ScanModeFileTrace);
    AppendTraceHit(L"1.jpg", L".jpg", L"JPEG Image", 100, 1);
    AppendTraceHit(L"2.jpg", L".jpg", L"JPEG Image", 200, 2);
    AppendTraceHit(L"3.doc", L".doc", L"Word Document", 300, 3);
    g_FolderCount = 3;
    root = w.m_tree.BuildTraceTree();
    CResultListCtrl& list = w.m_list;
    list.ClearMarks();
    list.MarkTraceType(L"JPEG Image", 1);
    EXPECT_EQ(Keys(list.m_mapSaveFiles), (Ids{1, 2}));
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), (Ids{1, 2}));
    list.MarkTraceType(L".DOC", 0);
    EXPECT_EQ(Keys(list.m_mapSaveFiles), (Ids{1, 2, 3}));
    list.UnmarkTraceType(L"root", 0);
    EXPECT_TRUE(list.m_mapSaveFiles.IsEmpty());
    EXPECT_TRUE(list.m_mapCheckedFiles.IsEmpty());

    ListTraceHits(L"JPEG Image", 1);
    ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"1.jpg", L"2.jpg"}));
    EXPECT_EQ(w.Row(1).substr(w.Row(1).rfind(L'|')), L"|2");
    list.m_mapSaveFiles[1] = list.m_mapCheckedFiles[1] = 1;
    list.ToggleRowMark(0);
    EXPECT_EQ(list.GetRowMark(0), 0);
    EXPECT_TRUE(list.m_mapSaveFiles.IsEmpty());
    list.ToggleRowMark(0);
    EXPECT_EQ(Keys(list.m_mapSaveFiles), Ids{1});

    // The type rows; the Word row's box marks hit 3 while JPEG is listed
    // nowhere.
    list.ClearMarks();
    ListTraceHits(L"Root", 0);
    ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"JPEG Image", L"Word Document"}));
    HTREEITEM word = FindChildByText(w.m_tree, root, L"Word Document");
    ASSERT_NE(word, (HTREEITEM)NULL);
    w.m_tree.SetCheck(word, 0);
    const int row = w.FindRow(L"Word Document");
    list.SetRowStateUnmarked(row);
    list.ToggleRowMark(row);
    EXPECT_EQ(Keys(list.m_mapSaveFiles), Ids{3});
    EXPECT_EQ(w.m_tree.GetCheckState(word), TreeChecked);
}

// Wine's list view flips a box when the button goes down; the list refuses
// that change and sets the row itself, so a real click on a file row's and
// a folder row's box leaves the row as the maps say, both ways.
TEST_F(ResultMarks, RealClickOnACheckBoxFlipsTheRowOnce)
{
    CResultListCtrl& list = w.m_list;
    FillResultListFat(3);
    list.ClearMarks();
    list.m_mapCheckedFiles[2] = list.m_mapSaveFiles[2] = 1;
    ASSERT_TRUE(tesmir::test::BringToFront(w.m_frame.m_hWnd));
    list.UpdateWindow();

    auto boxPoint = [&](int row) {
        CRect bounds, icon;
        list.GetItemRect(row, &bounds, LVIR_BOUNDS);
        list.GetItemRect(row, &icon, LVIR_ICON);
        for (int x = bounds.left; x < icon.right; ++x) {
            LVHITTESTINFO hit = {};
            hit.pt = CPoint(x, (bounds.top + bounds.bottom) / 2);
            if (list.SubItemHitTest(&hit) == row && hit.flags == LVHT_ONITEMSTATEICON) {
                CPoint pt(x + 3, hit.pt.y);
                list.ClientToScreen(&pt);
                return pt;
            }
        }
        ADD_FAILURE() << "no check box found in row " << row;
        return CPoint(0, 0);
    };
    auto click = [&](int row) {
        const CPoint pt = boxPoint(row);
        // From elsewhere first: the empty part of the list below its rows.
        CRect away;
        list.GetWindowRect(&away);
        if (!tesmir::test::PlaceCursorByInput(away.left + 300, away.bottom - 30)) {
            ASSERT_TRUE(tesmir::test::SendMouseInput(CPoint(away.left + 320, away.bottom - 40)));
        }
        ASSERT_TRUE(tesmir::test::SendMouseInput(pt));
        tesmir::test::SendMouseButtons(pt, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    };

    const int d1 = w.FindRow(L"D1.TXT");
    ASSERT_EQ(list.GetRowMark(d1), 1);
    click(d1);
    EXPECT_TRUE(PumpUntil([&] { return list.m_mapCheckedFiles.IsEmpty(); }));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(list.GetRowMark(d1), 0);
    EXPECT_TRUE(list.m_mapSaveFiles.IsEmpty());
    click(d1);
    EXPECT_TRUE(PumpUntil([&] { return !list.m_mapCheckedFiles.IsEmpty(); }));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(list.GetRowMark(d1), 1);
    EXPECT_EQ(Keys(list.m_mapSaveFiles), Ids{2});

    const int subRow = w.FindRow(L"SUB");
    ASSERT_EQ(list.GetRowMark(subRow), 1);
    list.m_mapCheckedFolders[Item(sub)] = 1;
    list.m_mapCheckedFiles[4] = 1;
    click(subRow);
    int value;
    EXPECT_TRUE(PumpUntil([&] { return !list.m_mapCheckedFolders.Lookup(Item(sub), value); }));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(list.GetRowMark(subRow), 0);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), Ids{2});
    click(subRow);
    EXPECT_TRUE(PumpUntil([&] { return list.m_mapCheckedFolders.Lookup(Item(sub), value) != FALSE; }));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(list.GetRowMark(subRow), 1);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), (Ids{2, 4}));
    EXPECT_EQ(w.m_tree.GetCheckState(sub), TreeChecked);
}

// The parent row shows no box: once drawn it carries a state image the
// two-image list does not draw.
TEST_F(ResultMarks, ParentRowNeverShowsABox)
{
    FillResultListFat(3);
    EXPECT_EQ(w.m_list.GetRowMark(0), 1);  // the FAT filler marks it
    w.m_list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ((int)(w.m_list.GetItemState(0, LVIS_STATEIMAGEMASK) >> 12), 3);
}

// IDs are read as the unsigned decimals the fillers write, also above
// 2^31, where a signed reading saturates: the tree's sync checks such a row.
TEST_F(ResultMarks, IdsAboveTwoToTheThirtyFirstStayWhole)
{
    FillResultListFat(3);
    const int d1 = w.FindRow(L"D1.TXT");
    w.m_list.SetItemText(d1, 5, L"3000000000");
    w.m_list.SetRowStateUnmarked(d1);
    w.m_list.ClearMarks();
    w.m_list.m_mapCheckedFiles[3000000000u] = 1;
    w.m_list.m_mapCheckedFiles[2147483647u] = 1;
    w.m_tree.SyncListChecks(docs);
    EXPECT_EQ(w.m_list.GetRowMark(d1), 1);
}

TEST(ResultListIds, ParsedUnsigned)
{
    EXPECT_EQ(ParseRowId(L"4294967295"), 4294967295u);
    EXPECT_EQ(ParseRowId(L"2147483648"), 2147483648u);
    EXPECT_EQ(ParseRowId(L""), 0u);
}
