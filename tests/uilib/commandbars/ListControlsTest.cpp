// The placeholders that expand into run-time lists where they stand (the
// MDI windows, the recent files, the toolbars, the tab client's workspace
// commands), the numbered captions they share, the grid selector and the
// label.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPControlLabel.h"
#include "CVZPControlRecentFileList.h"
#include "CVZPControlSelector.h"
#include "CVZPControlToolbars.h"
#include "CVZPControlWindowList.h"
#include "CVZPControlWorkspaceActions.h"
#include "CVZPControls.h"
#include "CVZPPopupBar.h"
#include "CVZPListControls.h"

#include <TestSupport.h>

#include <afxadv.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::PumpUntil;

namespace {

// An MDI frame whose manager has the frame as its site.
class CListsMdiFrame : public CMDIFrameWnd
{
public:
    ~CListsMdiFrame() override
    {
        if (m_pCommandBars != NULL)
            m_pCommandBars->InternalRelease();
    }
    CVZPCommandBars* m_pCommandBars = NULL;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_pCommandBars = DYNAMIC_DOWNCAST(CVZPCommandBars, RUNTIME_CLASS(CVZPCommandBars)->CreateObject());
        if (m_pCommandBars == NULL)
            return -1;
        m_pCommandBars->SetSite(this);
        m_pCommandBars->CreateDockBars();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListsMdiFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// Stands for the panes' MDI tab client, which this library knows only by its
// class name and its registered message: it answers the workspace command
// states from a table.
class CFakeTabClient : public CWnd
{
public:
    static CRuntimeClass s_class;
    CRuntimeClass* GetRuntimeClass() const override { return &s_class; }
    std::map<UINT, int> m_states;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ::RegisterWindowMessageW(L"VZPTabClientCommandState"))
        {
            auto it = m_states.find((UINT)wParam);
            return it != m_states.end() ? it->second : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CRuntimeClass CFakeTabClient::s_class = {"CVZPTabClientWnd", sizeof(CFakeTabClient), 0xFFFF, NULL,
                                         RUNTIME_CLASS(CWnd), NULL};

struct Item
{
    UINT nId;
    CString strCaption;
    BOOL bChecked;
    BOOL bBeginGroup;
    bool operator==(const Item& other) const
    {
        return nId == other.nId && strCaption == other.strCaption && bChecked == other.bChecked &&
               bBeginGroup == other.bBeginGroup;
    }
};

std::ostream& operator<<(std::ostream& os, const Item& item)
{
    char szCaption[256] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, item.strCaption, -1, szCaption, sizeof(szCaption) - 1, NULL, NULL);
    return os << "{" << item.nId << ", \"" << szCaption << "\", " << item.bChecked
              << ", " << item.bBeginGroup << "}";
}

// The generated items after the placeholder, which must all be temporary
// buttons updated by their list only.
std::vector<Item> ItemsAfter(CVZPControl* pPlaceholder)
{
    std::vector<Item> items;
    CVZPControls* pControls = pPlaceholder->GetControls();
    for (int i = pPlaceholder->GetIndex() + 1; i < pControls->GetCount(); i++)
    {
        CVZPControl* pItem = pControls->GetAt(i);
        if (!pItem->IsTemporary())
            break;
        EXPECT_EQ((DWORD)CVZPControl::flagNoUpdate, pItem->GetFlags());
        EXPECT_EQ(vzpControlButton, pItem->GetType());
        items.push_back({pItem->GetID(), pItem->GetCaption(), pItem->GetChecked(), pItem->GetBeginGroup()});
    }
    return items;
}

class MdiListsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
        m_pFrame = new CListsMdiFrame;
        // Shown: a child of a hidden frame counts as hidden.
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDI_FRAME_MENU, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        m_pFrame->MoveWindow(40, 40, 640, 420);
        m_pPopup = CVZPPopupBar::CreatePopupBar(m_pFrame->m_pCommandBars);
        ASSERT_NE(nullptr, m_pPopup);
        m_pPopup->GetControls()->Add(vzpControlButton, 5001);
    }
    void TearDown() override
    {
        if (m_pPopup != NULL)
            m_pPopup->InternalRelease();
        if (m_fakeClient.GetSafeHwnd() != NULL)
            m_fakeClient.UnsubclassWindow();
        DestroyFrame(m_pFrame);
    }
    CMDIChildWnd* OpenChild(LPCTSTR lpszTitle)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        if (!pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150),
                            m_pFrame))
            return NULL;
        return pChild;
    }

    CListsMdiFrame* m_pFrame = NULL;
    CVZPPopupBar* m_pPopup = NULL;
    CFakeTabClient m_fakeClient;
};

}  // namespace

// The numbered caption: ampersands doubled, mnemonics for 1 to 10 only.
TEST(ListControls, FormatMenuIndexNumbersAndEscapes)
{
    const struct
    {
        LPCTSTR lpszText;
        int nNumber;
        LPCTSTR lpszExpected;
    } cases[] = {
        {L"Tom & Jerry", 0, L"Tom && Jerry"}, {L"a", 1, L"&1 a"},   {L"R&D", 9, L"&9 R&&D"},
        {L"b", 10, L"1&0 b"},                 {L"c", 11, L"11 c"}, {L"", 12, L"12 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.lpszExpected), FormatMenuIndex(c.lpszText, c.nNumber)) << c.nNumber;
}

// Three visible children around a hidden one are listed 1, 2, 3 with the
// active one checked; another expansion replaces the items; at most nine
// are listed; an ampersand in a title is doubled.
TEST_F(MdiListsTest, WindowListNumbersTheVisibleChildren)
{
    CVZPControl* pList = m_pPopup->GetControls()->Add(vzpControlButton, 35000);
    ASSERT_TRUE(pList->IsKindOf(RUNTIME_CLASS(CVZPControlWindowList)));
    ASSERT_NE(nullptr, OpenChild(L"One"));
    CMDIChildWnd* pHidden = OpenChild(L"Hidden");
    ASSERT_NE(nullptr, OpenChild(L"Two & Three"));
    CMDIChildWnd* pLast = OpenChild(L"Four");
    ASSERT_NE(nullptr, pLast);
    pHidden->ShowWindow(SW_HIDE);
    m_pFrame->MDIActivate(pLast);
    const UINT nFirst = CVZPControlWindowList::s_nFirstMDIChild;
    ASSERT_EQ(0xFF00u, nFirst);

    pList->OnCalcDynamicSize(0);
    const std::vector<Item> expected = {{nFirst, L"&1 One", FALSE, TRUE},
                                        {nFirst + 2, L"&2 Two && Three", FALSE, FALSE},
                                        {nFirst + 3, L"&3 Four", TRUE, FALSE}};
    EXPECT_EQ(expected, ItemsAfter(pList));
    EXPECT_EQ((DWORD)CVZPControl::hideGenerated, pList->GetHideFlags());
    pList->OnCalcDynamicSize(0);
    EXPECT_EQ(expected, ItemsAfter(pList));
    EXPECT_EQ(5, m_pPopup->GetControlCount());   // the button before, the placeholder, three items

    for (int i = 0; i < 8; i++)
        ASSERT_NE(nullptr, OpenChild(L"More"));
    pList->OnCalcDynamicSize(0);
    const std::vector<Item> items = ItemsAfter(pList);
    ASSERT_EQ(9u, items.size());
    EXPECT_EQ(CString(L"&9 More"), items[8].strCaption);

    // In customise mode the placeholder shows itself instead.
    m_pFrame->m_pCommandBars->SetCustomizeMode(TRUE);
    pList->OnCalcDynamicSize(0);
    m_pFrame->m_pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_TRUE(ItemsAfter(pList).empty());
    EXPECT_EQ(0u, pList->GetHideFlags());
}

// The workspace commands expand only on a tab client, in the order 9422,
// 9423, 9420, 9421, each only while the client allows it; the first item
// takes the placeholder's group mark.
TEST_F(MdiListsTest, WorkspaceActionsAskTheTabClient)
{
    CVZPControl* pActions = m_pPopup->GetControls()->Add(vzpControlButton, 35002);
    ASSERT_TRUE(pActions->IsKindOf(RUNTIME_CLASS(CVZPControlWorkspaceActions)));
    pActions->SetBeginGroup(TRUE);
    pActions->OnCalcDynamicSize(0);
    EXPECT_TRUE(ItemsAfter(pActions).empty());
    EXPECT_EQ(0u, pActions->GetHideFlags());

    ASSERT_TRUE(m_fakeClient.SubclassWindow(m_pFrame->m_hWndMDIClient));
    m_fakeClient.m_states = {{9421, 1}, {9423, 1}};
    pActions->OnCalcDynamicSize(0);
    std::vector<Item> items = ItemsAfter(pActions);
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(9423u, items[0].nId);
    EXPECT_TRUE(items[0].bBeginGroup);
    EXPECT_EQ(9421u, items[1].nId);
    EXPECT_FALSE(items[1].bBeginGroup);
    EXPECT_EQ((DWORD)CVZPControl::hideGenerated, pActions->GetHideFlags());

    m_fakeClient.m_states = {{9420, 1}, {9422, 1}, {9423, 1}, {9421, 1}};
    pActions->OnCalcDynamicSize(0);
    std::vector<UINT> ids;
    for (const Item& item : ItemsAfter(pActions))
        ids.push_back(item.nId);
    EXPECT_EQ((std::vector<UINT>{9422, 9423, 9420, 9421}), ids);

    m_fakeClient.m_states.clear();
    pActions->OnCalcDynamicSize(0);
    EXPECT_TRUE(ItemsAfter(pActions).empty());
    EXPECT_EQ((DWORD)CVZPControl::hideGenerated, pActions->GetHideFlags());
}

// The recent files: numbered with "1&0 " for the tenth and "11 " for the
// eleventh, a group mark only below the top of the menu, and an empty list
// leaving the placeholder visible and disabled (enabled in customise mode).
TEST_F(MdiListsTest, RecentFilesAreNumberedAndAnEmptyListShowsThePlaceholder)
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pOldList = pApp->m_pRecentFileList;
    std::unique_ptr<CRecentFileList> pList(new CRecentFileList(0, L"Recent Test", L"File%d", 12));
    pApp->m_pRecentFileList = pList.get();

    CVZPControl* pRecent = m_pPopup->GetControls()->Add(vzpControlButton, 35003);
    ASSERT_TRUE(pRecent->IsKindOf(RUNTIME_CLASS(CVZPControlRecentFileList)));
    pRecent->SetCaption(L"Recent File");

    pRecent->OnCalcDynamicSize(0);
    EXPECT_TRUE(ItemsAfter(pRecent).empty());
    EXPECT_TRUE(pRecent->IsVisible());
    EXPECT_FALSE(pRecent->GetEnabled());
    m_pFrame->m_pCommandBars->SetCustomizeMode(TRUE);
    pRecent->OnCalcDynamicSize(0);
    m_pFrame->m_pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_TRUE(pRecent->IsVisible());
    EXPECT_TRUE(pRecent->GetEnabled());

    for (int i = 11; i >= 1; i--)
    {
        CString strName;
        strName.Format(L"C:\\r\\f%d.txt", i);
        pList->Add(strName);
    }
    pRecent->OnCalcDynamicSize(0);
    std::vector<Item> items = ItemsAfter(pRecent);
    ASSERT_EQ(11u, items.size());
    EXPECT_EQ(57616u, items[0].nId);
    EXPECT_EQ(57626u, items[10].nId);
    EXPECT_EQ(0, items[0].strCaption.Find(L"&1 "));
    EXPECT_NE(-1, items[0].strCaption.Find(L"f1.txt"));
    EXPECT_EQ(0, items[9].strCaption.Find(L"1&0 "));
    EXPECT_EQ(0, items[10].strCaption.Find(L"11 "));
    EXPECT_TRUE(items[0].bBeginGroup);   // below the first control
    EXPECT_FALSE(pRecent->IsVisible());

    // At the top of its menu the list begins no group; the old items go.
    m_pPopup->GetControls()->RemoveAt(0);
    pRecent->OnCalcDynamicSize(0);
    items = ItemsAfter(pRecent);
    ASSERT_EQ(11u, items.size());
    EXPECT_FALSE(items[0].bBeginGroup);
    EXPECT_EQ(12, m_pPopup->GetControlCount());

    pApp->m_pRecentFileList = pOldList;
}

// The toolbar list: only closeable toolbars that offer themselves in the
// context menu, checked while shown; a toggle hides its bar without any
// command.
TEST(ListControls, ToolbarListTogglesCloseableToolbars)
{
    struct CRecordingFrame : public CAppLikeFrame
    {
        BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
        {
            if (message == WM_VZP_TOOLBARVISIBLECHANGED)
                m_nVisibleChanged++;
            return CAppLikeFrame::OnWndMsg(message, wParam, lParam, pResult);
        }
        int m_nVisibleChanged = 0;
    };
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CRecordingFrame* pFrame = new CRecordingFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();

    // The application's bars: the menu bar and a toolbar that is not
    // closeable and stays out of the context menu. Nothing to list.
    CVZPPopupBar* pPopup = pCommandBars->GetToolbarsPopup();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(0, pPopup->GetControlCount());
    pPopup->InternalRelease();

    CVZPToolBar* pExtra = pCommandBars->AddToolBar(L"Extra");
    CVZPToolBar* pFixed = pCommandBars->AddToolBar(L"Fixed");
    pFixed->SetCloseable(FALSE);
    CVZPToolBar* pQuiet = pCommandBars->AddToolBar(L"Quiet");
    pQuiet->m_bContextMenuPresent = FALSE;
    pFrame->RecalcLayout();
    pPopup = pCommandBars->GetToolbarsPopup();
    ASSERT_EQ(1, pPopup->GetControlCount());
    CVZPControl* pToggle = pPopup->GetControl(0);
    EXPECT_EQ(CString(L"Extra"), pToggle->GetCaption());
    EXPECT_TRUE(pToggle->GetChecked());
    EXPECT_EQ((UINT)ID_VIEW_TOOLBAR, pToggle->GetID());
    EXPECT_EQ(RUNTIME_CLASS(CVZPControlButton), pToggle->GetRuntimeClass());
    pFrame->m_received.clear();
    pToggle->OnExecute();
    EXPECT_FALSE(pExtra->IsVisible());
    EXPECT_EQ(1, pFrame->m_nVisibleChanged);
    EXPECT_TRUE(pFrame->IdsOf(WM_COMMAND).empty());
    pPopup->InternalRelease();

    // The placeholder in a menu: the hidden bar is listed unchecked.
    pPopup = CVZPPopupBar::CreatePopupBar(pCommandBars);
    CVZPControl* pList = pPopup->GetControls()->Add(vzpControlButton, ID_VIEW_TOOLBAR);
    ASSERT_TRUE(pList->IsKindOf(RUNTIME_CLASS(CVZPControlToolbars)));
    pPopup->GetControls()->Add(vzpControlButton, 5002);
    pList->OnCalcDynamicSize(0);
    pList->OnCalcDynamicSize(0);
    ASSERT_EQ(3, pPopup->GetControlCount());
    EXPECT_EQ(CString(L"Extra"), pPopup->GetControl(1)->GetCaption());
    EXPECT_FALSE(pPopup->GetControl(1)->GetChecked());
    EXPECT_EQ(5002u, pPopup->GetControl(2)->GetID());
    EXPECT_EQ((DWORD)CVZPControl::hideGenerated, pList->GetHideFlags());
    // Dropped only into menus while customising.
    DROPEFFECT effect = DROPEFFECT_COPY;
    EXPECT_TRUE(pList->IsCustomizeDragOverAvail(pPopup, CPoint(0, 0), effect));
    EXPECT_FALSE(pList->IsCustomizeDragOverAvail(pExtra, CPoint(0, 0), effect));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, effect);
    pPopup->InternalRelease();

    DestroyFrame(pFrame);
}

// The selector: the pointer selects the cells up and left of it, a release
// with a selection executes with that size, the grid stays while no button
// is held when the pointer leaves, and a layout starts it again at its
// first size.
TEST(ListControls, SelectorSelectsAndExecutesTheSelection)
{
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(FALSE));
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
    CVZPControlSelector* pSelector = new CVZPControlSelector;
    pPopup->GetControls()->AddControl(pSelector, 1000);
    pSelector->OnCalcDynamicSize(0);
    EXPECT_EQ(CSize(5, 4), pSelector->m_szGrid);
    EXPECT_EQ(CSize(5 * 28, 4 * 28), pSelector->GetSize(NULL));
    pSelector->SetRect(CRect(10, 10, 10 + 5 * 28, 10 + 4 * 28));

    const int nCommands = pFrame->m_nCommands;
    pSelector->OnLButtonUp(CPoint(12, 12));   // nothing selected yet
    EXPECT_EQ(nCommands, pFrame->m_nCommands);
    const struct
    {
        CPoint pt;
        CSize szSelection;
    } cases[] = {
        {CPoint(11, 11), CSize(1, 1)},       {CPoint(10 + 28, 11), CSize(1, 1)},
        {CPoint(10 + 29, 10 + 57), CSize(2, 3)}, {CPoint(500, 500), CSize(5, 4)},
        {CPoint(10, 40), CSize(0, 2)},
    };
    for (const auto& c : cases)
    {
        pSelector->OnMouseMove(c.pt);
        EXPECT_EQ(c.szSelection, pSelector->m_szSelection) << c.pt.x << "," << c.pt.y;
    }
    pSelector->OnMouseMove(CPoint(10 + 60, 10 + 30));
    pSelector->OnLButtonUp(CPoint(10 + 60, 10 + 30));
    EXPECT_EQ(CSize(3, 2), pSelector->m_szResult);
    EXPECT_EQ(nCommands + 1, pFrame->m_nCommands);

    // Without a held button the pointer leaving takes the selection away.
    pSelector->SetSelected(0);
    EXPECT_EQ(CSize(5, 4), pSelector->m_szGrid);
    EXPECT_EQ(CSize(0, 0), pSelector->m_szSelection);
    pSelector->m_szSelection = CSize(2, 2);
    pSelector->OnCalcDynamicSize(0);
    EXPECT_EQ(CSize(0, 0), pSelector->m_szSelection);
    pPopup->InternalRelease();
    DestroyFrame(pFrame);
}

// A selector in a menu pressed on a cell and dragged out past its right
// edge grows by whole columns up to its largest grid; released on a cell it
// executes with the selected size; its grid starts again at its first size
// on the next layout.
TEST(ListControls, SelectorGrowsWhileDraggedAndExecutesTheSelection)
{
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    ASSERT_TRUE(BringToFront(pFrame));
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
    pPopup->m_bShowShadow = FALSE;
    CVZPControlSelector* pSelector = new CVZPControlSelector;
    pSelector->m_szItemsMax = CSize(7, 12);
    pPopup->GetControls()->AddControl(pSelector, 1000);
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    ASSERT_TRUE(pPopup->ShowPopupAt(rcFrame.left + 20, rcFrame.top + 60));
    ASSERT_TRUE(PumpUntil([&] { return pPopup->IsWindowVisible(); }, 2000));
    PumpUntil([] { return false; }, 200);
    ASSERT_EQ(CSize(5 * 28, 4 * 28), pSelector->GetRect().Size());

    // The cell of column c and row r (from 1), on the screen.
    auto Cell = [&](int c, int r) {
        CPoint pt = pSelector->GetRect().TopLeft() + CPoint(c * 28 - 14, r * 28 - 14);
        pPopup->ClientToScreen(&pt);
        return pt;
    };
    const CPoint ptCell = Cell(2, 1);
    ASSERT_TRUE(SendMouseSteps({{ptCell + CPoint(0, 5), 0}, {ptCell, 0}, {ptCell, MOUSEEVENTF_LEFTDOWN}}));
    // A move Wine makes up when the popup shows may carry an older pointer
    // place and take the highlight away: moves inside the cell with the
    // button held give it back.
    for (int i = 0; i < 5; i++)
    {
        PumpUntil([] { return false; }, 250);
        if (pSelector->GetSelected() != 0)
            break;
        ASSERT_TRUE(SendMouseSteps({{ptCell + CPoint(i % 2, 3), 0}}));
    }
    EXPECT_TRUE(PumpUntil([&] { return pSelector->m_szSelection == CSize(2, 1); }, 2000));
    // Each time the pointer leaves the selector just past its right edge
    // (still inside the menu's border) the grid grows by a column, up to the
    // largest grid; the pointer comes back inside first to highlight it.
    for (int i = 0; i < 3; i++)
    {
        const CRect rcSelector = pSelector->GetRect();
        CPoint ptInside(rcSelector.right - 5, rcSelector.top + 28 + 14);
        CPoint ptPast(rcSelector.right + 1, ptInside.y);
        pPopup->ClientToScreen(&ptInside);
        pPopup->ClientToScreen(&ptPast);
        ASSERT_TRUE(SendMouseSteps({{ptInside, 0}}));
        PumpUntil([&] { return pSelector->GetSelected() != 0; }, 1000);
        ASSERT_TRUE(SendMouseSteps({{ptPast, 0}}));
        const int nColumns = std::min<int>(5 + i + 1, 7);
        EXPECT_TRUE(PumpUntil([&] { return pSelector->GetRect().Width() == nColumns * 28; }, 2000)) << i;
    }
    EXPECT_EQ(CSize(7, 4), pSelector->m_szGrid);   // the rows stay: the pointer is beside them

    const CPoint ptLast = Cell(7, 2);
    ASSERT_TRUE(SendMouseSteps({{ptLast, 0}}));
    EXPECT_TRUE(PumpUntil([&] { return pSelector->m_szSelection == CSize(7, 2); }, 3000));
    const int nCommands = pFrame->m_nCommands;
    ASSERT_TRUE(SendMouseSteps({{ptLast, MOUSEEVENTF_LEFTUP}}));
    EXPECT_TRUE(PumpUntil([&] { return pFrame->m_nCommands > nCommands; }, 3000));
    EXPECT_EQ(CSize(7, 2), pSelector->m_szResult);
    CVZPCommandBars::ClosePopups();

    pSelector->OnCalcDynamicSize(0);
    EXPECT_EQ(CSize(5, 4), pSelector->m_szGrid);
    EXPECT_EQ(CSize(0, 0), pSelector->m_szSelection);
    pPopup->InternalRelease();
    DestroyFrame(pFrame);
}

// A label is never highlighted and keyboard stepping passes it by.
TEST(ListControls, LabelIsNeverHotAndSkipped)
{
    CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(FALSE));
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
    CVZPControls* pControls = pPopup->GetControls();
    pControls->Add(vzpControlButton, 5001);
    CVZPControl* pLabel = pControls->Add(8, 0);
    ASSERT_TRUE(pLabel->IsKindOf(RUNTIME_CLASS(CVZPControlLabel)));
    pControls->Add(vzpControlButton, 5002);
    EXPECT_EQ(0x12u, pLabel->GetFlags());
    EXPECT_TRUE(pLabel->IsLabel());
    pLabel->SetSelected(1);
    EXPECT_EQ(0, pLabel->GetSelected());
    EXPECT_EQ(2, pControls->GetNext(0, 1));
    EXPECT_EQ(0, pControls->GetNext(2, -1));
    pPopup->InternalRelease();
    DestroyFrame(pFrame);
}
