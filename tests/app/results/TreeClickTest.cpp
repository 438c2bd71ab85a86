// Clicks on the result tree behind the please-wait dialog: a check box
// unchecks or checks a FAT folder with its subtree and files and clears
// emptied ancestors, a label lists the folder; the dialog ends after its
// job, also a long one while it is minimised; the preview copies and the
// slide-picture folder are deleted once.
#include <gtest/gtest.h>

#include "CPleaseWaitDlg.h"
#include "MfcTestSupport.h"
#include "ModalDriver.h"
#include "ResultsTestSupport.h"
#include "TestSupport.h"

using msgbox_test::CModalDriver;
using tesmir::test::PumpUntil;

namespace {

typedef std::vector<DWORD> Ids;

class TreeClicks : public testing::Test
{
protected:
    void SetUp() override
    {
        MakeFatLists();
        w.SetColumns(ScanModeQuick);
        root = w.m_tree.BuildFatTree();
        docs = FindChildByText(w.m_tree, root, L"DOCS");
        sub = FindChildByText(w.m_tree, docs, L"SUB");
        other = FindChildByText(w.m_tree, root, L"OTHER");
        ASSERT_TRUE(docs && sub && other);
    }
    // The click's job behind dialog 379, as a button-down runs it.
    void Click(HTREEITEM item, UINT flags)
    {
        CModalDriver watchdog({CModalDriver::Wait(30000)}, 30000);
        CTreeWaitDlg dialog(&w.m_tree, flags, item);
        dialog.DoModal();
        EXPECT_FALSE(watchdog.TimedOut());
        EXPECT_EQ(g_TreeWaitDone, 0);
    }
    CResultsWindow w;
    HTREEITEM root = NULL, docs = NULL, sub = NULL, other = NULL;
};

}  // namespace

TEST_F(TreeClicks, StateIconsAndLabelsOfFatFolders)
{
    CResultListCtrl& list = w.m_list;
    // DOCS, checked with all its children: unchecked with SUB, its own
    // files unmarked; the root, whose other child OTHER is unchecked too,
    // ends unchecked although its own file is marked.
    w.m_tree.SetCheck(other, 0);
    list.m_mapCheckedFiles[1] = list.m_mapCheckedFiles[2] = list.m_mapCheckedFiles[3] = 1;
    list.m_mapSaveFiles[2] = 1;
    Click(docs, TVHT_ONITEMSTATEICON);
    EXPECT_EQ(w.m_tree.GetCheckState(docs), TreeUnchecked);
    EXPECT_EQ(w.m_tree.GetCheckState(sub), TreeUnchecked);
    EXPECT_EQ(w.m_tree.GetCheckState(root), TreeUnchecked);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), Ids{1});
    EXPECT_TRUE(list.m_mapSaveFiles.IsEmpty());

    // DOCS with one of its files marked and SUB unchecked is partly
    // checked; a click on DOCS then checks it with SUB and marks its files.
    list.m_mapCheckedFiles[2] = 1;
    w.m_tree.SetCheck(sub, 0);
    ASSERT_EQ(w.m_tree.GetCheckState(docs), TreePartlyChecked);
    Click(docs, TVHT_ONITEMSTATEICON);
    EXPECT_EQ(w.m_tree.GetCheckState(docs), TreeChecked);
    EXPECT_EQ(w.m_tree.GetCheckState(sub), TreeChecked);
    EXPECT_EQ(Keys(list.m_mapCheckedFiles), (Ids{1, 2, 3}));

    // A label click lists the folder and makes it the current one.
    Click(docs, TVHT_ONITEMLABEL);
    EXPECT_EQ(w.Names(), (std::vector<std::wstring>{L"Parent...", L"SUB", L"D1.TXT", L"D2.TXT"}));
    EXPECT_EQ(g_CurrentFolderItem, (DWORD)(uintptr_t)docs);
    EXPECT_EQ(w.m_tree.GetSelectedItem(), docs);
    Click(root, TVHT_ONITEMLABEL);
    EXPECT_EQ(w.Names(), (std::vector<std::wstring>{L"DOCS", L"OTHER", L"R1.TXT"}));
}

// The dialog ends after its job: a trivial one, and one of two seconds
// during which the dialog is minimised and so never painted.
TEST_F(TreeClicks, PleaseWaitEndsAfterItsJobEvenUnpainted)
{
    for (DWORD ms : {0u, 2000u}) {
        SCOPED_TRACE(ms);
        bool ran = false;
        CModalDriver watchdog({CModalDriver::Wait(30000)}, 30000);
        CTreeWaitDlg dialog(&w.m_tree, 0, NULL);
        dialog.m_job = [&]() {
            if (ms)
                ::ShowWindow(dialog.GetSafeHwnd(), SW_MINIMIZE);
            const DWORD start = GetTickCount();
            while (GetTickCount() - start < ms)
                ;
            ran = true;
        };
        const DWORD start = GetTickCount();
        dialog.DoModal();
        EXPECT_TRUE(ran);
        EXPECT_GE(GetTickCount() - start, ms);
        EXPECT_FALSE(watchdog.TimedOut());
        EXPECT_EQ(g_TreeWaitDone, 0);
    }
}

TEST_F(TreeClicks, DeletePreviewCopiesOnce)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    std::vector<std::wstring> copies;
    for (int i = 0; i < 5; ++i) {
        copies.push_back(std::wstring(temp) + L"tmp" + std::to_wstring(9000 + i) + L".txt");
        HANDLE h = CreateFileW(copies.back().c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
        w.m_list.m_mapPreviewCopies[9000 + i] = copies.back().c_str();
    }
    const std::wstring slides = std::wstring(temp) + L"ssss";
    CreateDirectoryW(slides.c_str(), NULL);
    HANDLE h = CreateFileW((slides + L"\\ssss.gif").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(h);
    // The clean-up runs only in a program with a thread and a main window.
    tesmir::test::CScopedApp app(L"results");
    AfxGetApp()->m_pMainWnd = &w.m_frame;
    DeletePreviewCopies();
    for (const auto& c : copies)
        EXPECT_EQ(GetFileAttributesW(c.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(slides.c_str()), INVALID_FILE_ATTRIBUTES);
    DeletePreviewCopies();
    EXPECT_EQ(GetFileAttributesW(slides.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(w.m_list.m_mapPreviewCopies.GetCount(), 5);
    AfxGetApp()->m_pMainWnd = NULL;
}
