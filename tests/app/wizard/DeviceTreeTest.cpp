// The device tree's rows, marks and input: GetTreeItemRow by visible
// position, AreChildrenChecked, the tree built twice for one image, the
// Down arrow onto the disk, and a right click that only moves the caret.
#include <gtest/gtest.h>

#include "CDiskEnumerator.h"
#include "CMainFrame.h"
#include "MessageRecorder.h"
#include "TestSupport.h"
#include "WizardTestSupport.h"
#include "state/EngineState.h"

using tesmir::test::FixturePath;
using tesmir::test::PumpUntil;

namespace {

class DeviceTree : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        ResetWizard();
        RunMode(FixturePath(L"mixed-dynamic.vhd"), CEx_StyleView::IdQuickScan);
        ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    }
    void TearDown() override { ResetWizard(); }

    CDeviceTreeCtrl& Tree() { return DriveStep()->m_tree; }
    HTREEITEM Computer() { return Tree().GetRootItem(); }
    HTREEITEM Devices() { return Tree().GetChildItem(Computer()); }
    HTREEITEM Disk() { return Tree().GetChildItem(Devices()); }
};

TEST_F(DeviceTree, RowsCountVisibleItemsFromTheTop)
{
    EXPECT_EQ(-1, GetTreeItemRow(Tree(), TVI_ROOT));
    EXPECT_EQ(-1, GetTreeItemRow(Tree(), Computer()));
    EXPECT_EQ(0, GetTreeItemRow(Tree(), Devices()));
    EXPECT_EQ(1, GetTreeItemRow(Tree(), Disk()));
    // Building the tree again for the same image keeps one chain.
    DriveStep()->BuildDeviceTree();
    EXPECT_EQ(3u, Tree().GetCount());
    EXPECT_EQ(1, GetTreeItemRow(Tree(), Disk()));
}

TEST_F(DeviceTree, ChildrenCheckedByTheirMarks)
{
    CTreeCtrl& tree = Tree();
    HTREEITEM parent = tree.InsertItem(L"marks", TVI_ROOT, TVI_LAST);
    EXPECT_EQ(1, AreChildrenChecked(tree, parent));   // no children
    HTREEITEM a = tree.InsertItem(L"a", parent, TVI_LAST);
    HTREEITEM b = tree.InsertItem(L"b", parent, TVI_LAST);
    EXPECT_EQ(1, AreChildrenChecked(tree, parent));   // children without marks
    Tree().MarkChecked(a);
    Tree().MarkUnchecked(b);
    EXPECT_EQ(0, AreChildrenChecked(tree, parent));
    EXPECT_EQ(1, GetTreeCheckState(tree, a));
    EXPECT_EQ(0, GetTreeCheckState(tree, b));
    EXPECT_TRUE(tree.GetItemState(a, TVIS_BOLD) & TVIS_BOLD);
    EXPECT_FALSE(tree.GetItemState(b, TVIS_BOLD) & TVIS_BOLD);
    Tree().UpdateParentChecks(b);
    EXPECT_EQ(0, GetTreeCheckState(tree, parent));
    Tree().MarkChecked(b);
    Tree().UpdateParentChecks(b);
    EXPECT_EQ(1, GetTreeCheckState(tree, parent));
    Tree().UncheckSubtree(parent);
    EXPECT_EQ(0, GetTreeCheckState(tree, a));
    EXPECT_FALSE(Tree().HasBoldChild(parent));
    tree.DeleteItem(parent);
}

// Down from "Physical Devices" onto the disk selects it as a click does;
// a right click moves the caret and nothing else.
TEST_F(DeviceTree, DownArrowSelectsTheDiskAndRightClickOnlyMovesTheCaret)
{
    CMainFrame* pFrame = App().GetMainFrame();
    Tree().SelectItem(Devices());
    Tree().OnSelectItem(Devices());
    EXPECT_EQ(SourceNone, g_SourceType);
    EXPECT_EQ(0, pFrame->m_nSelectedRow);
    g_DiskIndex = 7;
    pFrame->SetForegroundWindow();
    Tree().SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == Tree().m_hWnd; }, 5000));
    tesmir::test::PressKeys({VK_DOWN});
    ASSERT_TRUE(PumpUntil([&] { return pFrame->m_nSelectedRow == 1; }, 5000));
    EXPECT_EQ(Disk(), Tree().GetSelectedItem());
    EXPECT_EQ(0, g_DiskIndex);
    EXPECT_EQ(SourceVirtualDisk, g_SourceType);

    CRect item;
    Tree().GetItemRect(Computer(), &item, TRUE);
    Tree().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y));
    EXPECT_EQ(Computer(), Tree().GetSelectedItem());
    EXPECT_EQ(1, pFrame->m_nSelectedRow);
    EXPECT_EQ(SourceVirtualDisk, g_SourceType);

    // A left click on "My Computer" is the selection: row -1, nothing to
    // scan, no mode text, the chart cleared.
    Tree().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y));
    EXPECT_EQ(-1, pFrame->m_nSelectedRow);
    EXPECT_EQ(SourceNone, g_SourceType);
    EXPECT_TRUE(g_ModeText.IsEmpty());
    EXPECT_EQ(0, DriveStep()->m_pPanel->m_pie.GetSliceCount());
}

}  // namespace
