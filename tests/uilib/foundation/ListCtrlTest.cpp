// The library's header inside a report list (fitting, fixed columns, the
// context menu's sort and alignment commands) and the list itself (sorting
// on clicks, locked columns, stored widths, rows, colours, auto-size).
#include <gtest/gtest.h>

#include "CVZHeaderCtrlThemeClassic.h"
#include "CVZListCtrl.h"
#include "CVZListView.h"
#include "CVZPCommandBar.h"
#include "CVZPControl.h"
#include "CVZPControls.h"
#include "CVZPGlobalUIData.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "uilibres.h"

#include <shlwapi.h>

#include <memory>
#include <vector>

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;
using vzfoundation_test::ScreenshotPath;

namespace {

// A flat header that exposes its fixed columns and records the checked
// items of the menus shown for it.
class CTestHeader : public CVZFlatHeaderCtrl
{
public:
    void FixColumn(int nColumn) { m_fixedColumns.AddTail(nColumn); }

    std::vector<UINT> m_checked;   // checked commands of the last pop-up
    int m_nMenus = 0;
    int m_nButtonUps = 0;
    std::vector<std::string> m_buttons;   // the left-button messages, for failure messages

    // Records the commands checked in the menu shown (a command-bar popup,
    // its submenus included).
    void RecordMenu(HWND hMenu)
    {
        m_nMenus++;
        m_checked.clear();
        CVZPCommandBar* pBar = DYNAMIC_DOWNCAST(CVZPCommandBar, CWnd::FromHandlePermanent(hMenu));
        if (pBar == NULL)
            return;
        const UINT commands[] = {VZP_ID_HEADER_SORT_ASC, VZP_ID_HEADER_SORT_DESC, VZP_ID_HEADER_ALIGN_LEFT,
                                 VZP_ID_HEADER_ALIGN_CENTER, VZP_ID_HEADER_ALIGN_RIGHT};
        for (UINT nID : commands)
            if (IsChecked(pBar->GetControls(), nID))
                m_checked.push_back(nID);
    }

protected:
    static bool IsChecked(CVZPControls* pControls, UINT nID)
    {
        for (int i = 0; i < pControls->GetCount(); i++)
        {
            CVZPControl* pControl = pControls->GetAt(i);
            if (pControl->GetID() == nID && pControl->GetChecked())
                return true;
            if (CVZPCommandBar* pSub = pControl->GetCommandBar())
                if (IsChecked(pSub->GetControls(), nID))
                    return true;
        }
        return false;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONUP)
            m_nButtonUps++;
        if (message == WM_LBUTTONUP || message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
            m_buttons.push_back(std::to_string(message) + "@" + std::to_string(LOWORD(lParam)) + "," +
                                std::to_string(HIWORD(lParam)));


        return CVZFlatHeaderCtrl::WindowProc(message, wParam, lParam);
    }
};

// A list that records its sorts, its header clicks and the extended-style
// messages it gets.
class CTestList : public CVZListCtrl
{
public:
    BOOL SortList(int nColumn, BOOL bAscending) override
    {
        m_sorts.push_back({nColumn, bAscending ? 1 : 0});
        return TRUE;
    }
    BOOL HandleHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHEADERW* pNotify = reinterpret_cast<const NMHEADERW*>(lParam);
        if (pNotify->hdr.code == HDN_ITEMCLICKW)
            m_clicks.push_back({pNotify->iItem, pNotify->iButton});
        return CVZListCtrl::HandleHeaderNotify(wParam, lParam, pResult);
    }
    void SetMinColumnWidth(int nWidth) { m_nMinColumnWidth = nWidth; }

    std::vector<std::pair<int, int>> m_sorts;    // column, ascending
    std::vector<std::pair<int, int>> m_clicks;   // item, button
    int m_nSetExtendedStyle = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == LVM_SETEXTENDEDLISTVIEWSTYLE)
            m_nSetExtendedStyle++;
        return CVZListCtrl::WindowProc(message, wParam, lParam);
    }
};

// A visible popup with a report list of four 80-pixel columns in it.
class CListScene
{
public:
    explicit CListScene(CTestList& list, DWORD dwListStyle = 0, int nWidth = 400, int nColumns = 4) : m_list(list)
    {
        const CString strClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        EXPECT_TRUE(m_parent.CreateEx(0, strClass, L"list scene", WS_POPUP | WS_VISIBLE, CRect(40, 40, 540, 340),
                                      NULL, 0));
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | dwListStyle, CRect(0, 0, nWidth, 200), &m_parent, 7));
        for (int i = 0; i < nColumns; i++)
        {
            CString strTitle;
            strTitle.Format(L"Column %d", i);
            list.InsertColumn(i, strTitle, LVCFMT_LEFT, 80, i);
        }
    }
    ~CListScene()
    {
        // The pointer leaves for the screen's far corner, away from windows
        // later tests place.
        INPUT move = {};
        move.type = INPUT_MOUSE;
        move.mi.dx = 65535;
        move.mi.dy = 65535;
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &move, sizeof(INPUT));
        PumpUntil([] {
            CPoint point;
            return ::GetCursorPos(&point) && point.x >= ::GetSystemMetrics(SM_CXSCREEN) - 2;
        });
        if (::IsWindow(m_list.GetSafeHwnd()))
            m_list.DestroyWindow();
        m_parent.DestroyWindow();
    }

    void AddRows(int nCount)
    {
        for (int i = 0; i < nCount; i++)
        {
            CString strText;
            strText.Format(L"r%d", i);
            const int nItem = m_list.InsertItem(m_list.GetItemCount(), strText);
            strText.Format(L"s%d", i);
            m_list.SetItemText(nItem, 1, strText);
        }
    }

    // Subclasses the list's header with a test header.
    void UseTestHeader(CTestHeader& header)
    {
        ASSERT_TRUE(header.SubclassWindow(m_list.GetHeaderCtrl()->GetSafeHwnd()));
        header.InitFont(FALSE);
    }

    CWnd m_parent;

private:
    CTestList& m_list;
};

std::vector<int> ColumnWidths(CListCtrl& list)
{
    std::vector<int> widths;
    const int nCount = list.GetHeaderCtrl()->GetItemCount();
    for (int i = 0; i < nCount; i++)
        widths.push_back(list.GetColumnWidth(i));
    return widths;
}

int HeaderWidth(CListCtrl& list)
{
    CRect rect;
    list.GetHeaderCtrl()->GetWindowRect(&rect);
    return rect.Width();
}

// Sends a right-button press at the header item's middle; the menu it opens
// is recorded and ended from a timer. Returns whether a menu window was seen.
bool RightClickHeaderItem(CTestHeader* pHeader, int nItem)
{
    CRect rect;
    pHeader->GetItemRect(nItem, &rect);
    // The menu is modal: it has been shown and ended when the press returns.
    return vzfoundation_test::RunMenuEndedByTimer(
        [&] {
            pHeader->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
        },
        [&](HWND hMenu) { pHeader->RecordMenu(hMenu); });
}

// A real left click (or double click) at a point of a window's client area.
// The pointer is moved there first and the buttons pressed once it has
// arrived, so that the press lands where asked.
bool ClickAt(CWnd* pWnd, CPoint point, bool bDouble = false)
{
    pWnd->ClientToScreen(&point);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = (LONG)(((LONGLONG)point.x * 65536 + cx / 2) / cx);
    move.mi.dy = (LONG)(((LONGLONG)point.y * 65536 + cy / 2) / cy);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &move, sizeof(INPUT));
    if (!PumpUntil([&] {
            CPoint ptCursor;
            return ::GetCursorPos(&ptCursor) && ptCursor == point;
        }))
        return false;
    // Each press carries the point too: a late motion event of the display
    // may still move the pointer back.
    std::vector<INPUT> inputs;
    for (int i = 0; i < (bDouble ? 2 : 1); i++)
        for (DWORD dwFlags : {DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)})
        {
            INPUT input = move;
            input.mi.dwFlags |= dwFlags;
            inputs.push_back(input);
        }
    return ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

CString ProfileSettingsKey()
{
    CString strKey;
    strKey.Format(L"Software\\VZTest\\%s\\Settings", AfxGetApp()->m_pszProfileName);
    return strKey;
}

CString StoredColumnInfo()
{
    wchar_t szValue[256] = L"";
    DWORD cbValue = sizeof(szValue);
    if (::SHGetValueW(HKEY_CURRENT_USER, ProfileSettingsKey(), L"Column Info", NULL, szValue, &cbValue) != ERROR_SUCCESS)
        return L"<missing>";
    return szValue;
}

void KeepScreenshot(CWnd& wnd, const wchar_t* pszName)
{
    wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CRect rect;
    wnd.GetClientRect(&rect);
    CDibCanvas canvas(rect.Width(), rect.Height());
    tesmir::test::CaptureWindow(wnd.GetSafeHwnd(), canvas);
    canvas.SaveBmp(ScreenshotPath(pszName));
}

}  // namespace

TEST(HeaderInList, FittingSharesTheWidthAmongTheColumns)
{
    CTestList list;
    CListScene scene(list);
    ASSERT_TRUE(list.SubclassHeader());
    CVZFlatHeaderCtrl* pHeader = list.GetFlatHeader();
    ASSERT_NE(pHeader, nullptr);
    pHeader->EnableAutoFitColumns(TRUE);

    list.SetWindowPos(NULL, 0, 0, 360, 200, SWP_NOMOVE | SWP_NOZORDER);
    const int nQuarter = HeaderWidth(list) / 4;
    EXPECT_EQ(ColumnWidths(list), std::vector<int>(4, nQuarter));

    // With a vertical scroll bar, its width is left out.
    scene.AddRows(60);
    list.ModifyStyle(0, WS_VSCROLL);
    ASSERT_TRUE(list.GetStyle() & WS_VSCROLL);
    list.SetWindowPos(NULL, 0, 0, 440, 200, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(list.GetStyle() & WS_VSCROLL) << "60 rows need a scroll bar";
    const int nShare = (HeaderWidth(list) - ::GetSystemMetrics(SM_CXVSCROLL)) / 4;
    EXPECT_EQ(ColumnWidths(list), std::vector<int>(4, nShare));
    KeepScreenshot(scene.m_parent, L"list_fitted.bmp");
}

TEST(HeaderInList, FixedColumnKeepsItsWidthWhenFitting)
{
    CTestList list;
    CListScene scene(list, 0, 300);
    CTestHeader header;
    scene.UseTestHeader(header);
    list.SetColumnWidth(0, 40);
    header.FixColumn(0);
    header.EnableAutoFitColumns(TRUE);
    EXPECT_TRUE(header.IsColumnFixed(0));
    EXPECT_EQ(header.GetFixedColumnsWidth(), 40);

    list.SetWindowPos(NULL, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(HeaderWidth(list), 400);
    EXPECT_EQ(ColumnWidths(list), (std::vector<int>{40, 120, 120, 120}));

    // Tracking the fixed column is refused by the header.
    NMHEADERW notify = {};
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    item.cxy = 90;
    notify.hdr.hwndFrom = header.GetSafeHwnd();
    notify.hdr.idFrom = header.GetDlgCtrlID();
    notify.hdr.code = HDN_ITEMCHANGINGW;
    notify.iItem = 0;
    notify.pitem = &item;
    EXPECT_EQ(list.SendMessage(WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify), 1);
    notify.iItem = 1;
    EXPECT_EQ(list.SendMessage(WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify), 0);
}

TEST(HeaderInList, MenuCommandsSortThroughTheList)
{
    CTestList list;
    CListScene scene(list);
    CTestHeader header;
    scene.UseTestHeader(header);

    // The menu opens, with nothing checked while nothing is sorted but the
    // column's left alignment.
    ASSERT_TRUE(RightClickHeaderItem(&header, 2));
    EXPECT_EQ(header.m_nMenus, 1);
    EXPECT_EQ(header.m_checked, std::vector<UINT>{VZP_ID_HEADER_ALIGN_LEFT});

    header.SendMessage(WM_COMMAND, VZP_ID_HEADER_SORT_DESC);
    ASSERT_EQ(list.m_clicks.size(), 1u);
    EXPECT_EQ(list.m_clicks[0], std::make_pair(2, 1));
    ASSERT_EQ(list.m_sorts.size(), 1u);
    EXPECT_EQ(list.m_sorts[0], std::make_pair(2, 0));
    BOOL bAscending = TRUE;
    EXPECT_EQ(header.GetSortImage(&bAscending), 2);
    EXPECT_FALSE(bAscending);

    header.SendMessage(WM_COMMAND, VZP_ID_HEADER_SORT_ASC);
    ASSERT_EQ(list.m_sorts.size(), 2u);
    EXPECT_EQ(list.m_sorts[1], std::make_pair(2, 1));
    // Already sorted ascending: nothing.
    header.SendMessage(WM_COMMAND, VZP_ID_HEADER_SORT_ASC);
    EXPECT_EQ(list.m_sorts.size(), 2u);
    EXPECT_EQ(list.m_clicks.size(), 2u);

    // The menu now checks the direction.
    ASSERT_TRUE(RightClickHeaderItem(&header, 2));
    EXPECT_EQ(header.m_checked, (std::vector<UINT>{VZP_ID_HEADER_SORT_ASC, VZP_ID_HEADER_ALIGN_LEFT}));
    KeepScreenshot(scene.m_parent, L"list_sorted_by_menu.bmp");
}

TEST(HeaderInList, AlignmentCommandsChangeTheColumnFormat)
{
    CTestList list;
    CListScene scene(list);
    CTestHeader header;
    scene.UseTestHeader(header);
    ASSERT_TRUE(RightClickHeaderItem(&header, 1));

    struct Case
    {
        UINT nCommand;
        int nFormat;
    };
    for (const Case& c : {Case{VZP_ID_HEADER_ALIGN_CENTER, LVCFMT_CENTER}, Case{VZP_ID_HEADER_ALIGN_RIGHT, LVCFMT_RIGHT},
                          Case{VZP_ID_HEADER_ALIGN_LEFT, LVCFMT_LEFT}})
    {
        header.SendMessage(WM_COMMAND, c.nCommand);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT;
        ASSERT_TRUE(list.GetColumn(1, &column));
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, c.nFormat) << c.nCommand;
        if (c.nFormat == LVCFMT_RIGHT)
        {
            ASSERT_TRUE(RightClickHeaderItem(&header, 1));
            EXPECT_EQ(header.m_checked, std::vector<UINT>{VZP_ID_HEADER_ALIGN_RIGHT});
        }
    }
}

TEST(HeaderInList, NoMenuWithNoSortHeader)
{
    CTestList list;
    CListScene scene(list, LVS_NOSORTHEADER);
    CTestHeader header;
    scene.UseTestHeader(header);
    EXPECT_FALSE(RightClickHeaderItem(&header, 1));
    EXPECT_EQ(header.m_nMenus, 0);
}

TEST(HeaderInList, HotTrackingTimerNeedsVisualStyles)
{
    CTestList list;
    CListScene scene(list);
    ASSERT_TRUE(list.SubclassHeader());
    CVZFlatHeaderCtrl* pHeader = list.GetFlatHeader();
    ASSERT_NE(pHeader, nullptr);
    pHeader->ShowSortArrow(TRUE);
    CVZHeaderCtrlThemeClassic* pTheme = pHeader->GetHeaderTheme();
    ASSERT_NE(pTheme, nullptr);
    EXPECT_FALSE(pTheme->m_bUseVisualStyle);
    pHeader->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    // comctl32 5.81: no visual style, so no timer to kill.
    EXPECT_FALSE(::KillTimer(pHeader->GetSafeHwnd(), 1));
}

TEST(ListCtrl, HeaderClicksSortAscendingThenDescending)
{
    CTestList list;
    CListScene scene(list);
    scene.AddRows(5);
    CTestHeader header;
    scene.UseTestHeader(header);
    CVZFlatHeaderCtrl* pHeader = list.GetFlatHeader();
    ASSERT_EQ(pHeader, &header);
    ASSERT_TRUE(tesmir::test::BringToFront(scene.m_parent.m_hWnd));

    // Clicks on one item land 30 pixels apart, so that the second is not a
    // double click.
    auto clickColumn = [&](int nColumn, int dx) {
        CRect rect;
        pHeader->GetItemRect(nColumn, &rect);
        const size_t nBefore = list.m_sorts.size();
        return ClickAt(pHeader, rect.CenterPoint() + CPoint(dx, 0)) &&
               PumpUntil([&] { return list.m_sorts.size() > nBefore; });
    };
    ASSERT_TRUE(clickColumn(1, -15)) << ::testing::PrintToString(header.m_buttons);
    ASSERT_TRUE(clickColumn(1, 15)) << ::testing::PrintToString(header.m_buttons);
    ASSERT_TRUE(clickColumn(3, 0)) << ::testing::PrintToString(header.m_buttons);
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 0}, {3, 1}};
    EXPECT_EQ(list.m_sorts, expected);
    BOOL bAscending = FALSE;
    EXPECT_EQ(pHeader->GetSortImage(&bAscending), 3);
    EXPECT_TRUE(bAscending);
    KeepScreenshot(scene.m_parent, L"list_sorted.bmp");
}

TEST(ListCtrl, LockedColumnsRefuseTrackingAndDividerDoubleClicks)
{
    CTestList list;
    CListScene scene(list);
    scene.AddRows(3);
    CTestHeader header;
    scene.UseTestHeader(header);

    for (UINT nCode : {UINT(HDN_BEGINTRACKW), UINT(HDN_DIVIDERDBLCLICKW)})
    {
        NMHEADERW notify = {};
        notify.hdr.hwndFrom = header.GetSafeHwnd();
        notify.hdr.idFrom = header.GetDlgCtrlID();
        notify.hdr.code = nCode;
        list.LockColumns(TRUE);
        EXPECT_EQ(list.SendMessage(WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify), 1) << nCode;
        list.LockColumns(FALSE);
        EXPECT_EQ(list.SendMessage(WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify), 0) << nCode;
    }

    // Real double clicks on a divider: unlocked the list fits the column to
    // its contents, locked nothing changes.
    list.SetColumnWidth(0, 80);   // the unlocked double click above fitted it
    ASSERT_TRUE(tesmir::test::BringToFront(scene.m_parent.m_hWnd));
    auto doubleClickDivider = [&] {
        CRect rect;
        header.GetItemRect(0, &rect);
        const int nUps = header.m_nButtonUps;
        return ClickAt(&header, CPoint(rect.right - 1, rect.CenterPoint().y), true) &&
               PumpUntil([&] { return header.m_nButtonUps >= nUps + 2; });
    };
    list.LockColumns(TRUE);
    ASSERT_TRUE(doubleClickDivider());
    EXPECT_EQ(list.GetColumnWidth(0), 80);
    list.LockColumns(FALSE);
    ASSERT_TRUE(doubleClickDivider());
    EXPECT_NE(list.GetColumnWidth(0), 80) << "the double click reached the list";
}

TEST(ListCtrl, ColumnWidthsAreStoredAtDestroyAndApplied)
{
    ::SHDeleteKeyW(HKEY_CURRENT_USER, ProfileSettingsKey());
    {
        // A first run: nothing stored, no defaults; the columns keep their
        // widths.
        CTestList list;
        CListScene scene(list, 0, 400, 3);
        list.SetProfileKey();
        EXPECT_EQ(ColumnWidths(list), (std::vector<int>{80, 80, 80}));
        list.SetColumnWidth(0, 100);
        list.SetColumnWidth(2, 60);
    }
    EXPECT_EQ(StoredColumnInfo(), CString(L"100,80,60,"));
    {
        CTestList list;
        CListScene scene(list, 0, 400, 3);
        EXPECT_EQ(list.SetProfileKey(), 0) << "the item count";
        EXPECT_EQ(ColumnWidths(list), (std::vector<int>{100, 80, 60}));
        EXPECT_EQ(list.GetStoredColumnWidth(2), 60);
        EXPECT_EQ(list.GetStoredColumnWidth(3), 0);
    }
    ::SHDeleteKeyW(HKEY_CURRENT_USER, ProfileSettingsKey());
    {
        // Defaults while nothing is stored; a missing field keeps the width,
        // a stored 0 is applied.
        CTestList list;
        CListScene scene(list, 0, 400, 3);
        list.SetProfileKey(NULL, NULL, L"50,0");
        EXPECT_EQ(ColumnWidths(list), (std::vector<int>{50, 0, 80}));
    }
    ::SHDeleteKeyW(HKEY_CURRENT_USER, ProfileSettingsKey());
}

TEST(ListCtrl, CopyAndMoveRows)
{
    CTestList list;
    CListScene scene(list);
    scene.AddRows(10);
    EXPECT_EQ(list.CopyRow(5, 2), 6);
    EXPECT_EQ(list.GetItemCount(), 11);
    EXPECT_EQ(list.GetItemText(2, 0), CString(L"r5"));
    EXPECT_EQ(list.GetItemText(2, 1), CString(L"s5"));
    EXPECT_EQ(list.GetItemText(6, 0), CString(L"r5"));
    list.DeleteItem(2);

    EXPECT_TRUE(list.MoveRow(5, 2));
    EXPECT_EQ(list.GetItemCount(), 10);
    EXPECT_EQ(list.GetItemText(2, 0), CString(L"r5"));
    EXPECT_EQ(list.GetItemText(3, 0), CString(L"r2"));
    EXPECT_EQ(list.GetItemText(5, 0), CString(L"r4"));
    EXPECT_EQ(list.GetItemText(6, 0), CString(L"r6"));
    // Down the list the source keeps its index.
    EXPECT_EQ(list.CopyRow(1, 8), 1);
    EXPECT_EQ(list.CopyRow(3, 3), -1);
    EXPECT_EQ(list.CopyRow(-1, 3), -1);
    EXPECT_FALSE(list.MoveRow(4, 4));
}

TEST(ListCtrl, CustomDrawColours)
{
    CTestList list;
    CListScene scene(list);
    scene.AddRows(4);
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    auto drawSubItem = [&](int nItem, int nSubItem) {
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        draw.nmcd.dwItemSpec = nItem;
        draw.iSubItem = nSubItem;
        LRESULT lResult = -1;
        list.OnCustomDraw(&draw, &lResult);
        EXPECT_EQ(lResult, CDRF_DODEFAULT);
        return std::make_pair(draw.clrText, draw.clrTextBk);
    };
    for (DWORD dwStage : {DWORD(CDDS_PREPAINT), DWORD(CDDS_ITEMPREPAINT)})
    {
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.dwDrawStage = dwStage;
        LRESULT lResult = 0;
        list.OnCustomDraw(&draw, &lResult);
        EXPECT_EQ(lResult, CDRF_NOTIFYSUBITEMDRAW);
    }
    EXPECT_EQ(drawSubItem(0, 0), std::make_pair(clrWindowText, clrWindow));

    list.SetListColors(RGB(0, 0, 160), RGB(255, 255, 200));
    EXPECT_EQ(drawSubItem(0, 0), std::make_pair(RGB(0, 0, 160), RGB(255, 255, 200)));
    list.SetListColors(static_cast<COLORREF>(-1), RGB(255, 255, 200));
    EXPECT_EQ(drawSubItem(0, 0), std::make_pair(clrWindowText, RGB(255, 255, 200)));
    list.SetListColors(RGB(0, 0, 160), RGB(255, 255, 200));
    list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    KeepScreenshot(scene.m_parent, L"list_colours.bmp");
    {
        // On screen: the rows and the empty area below them take the back
        // colour.
        CRect rcClient;
        list.GetClientRect(&rcClient);
        CDibCanvas canvas(rcClient.Width(), rcClient.Height());
        tesmir::test::CaptureWindow(list.GetSafeHwnd(), canvas);
        EXPECT_EQ(canvas.Pixel(rcClient.Width() - 30, rcClient.Height() - 5), RGB(255, 255, 200));
        CRect rcItem;
        list.GetItemRect(1, &rcItem, LVIR_BOUNDS);
        EXPECT_EQ(canvas.Pixel(200, rcItem.CenterPoint().y), RGB(255, 255, 200));
    }

    // Sort column and row colours, once switched on.
    list.RefreshColors();
    list.m_bSortColumnColor = TRUE;
    list.m_bRowColors = TRUE;
    list.SetSortImage(1, TRUE);
    list.SetRowColor(2, RGB(200, 0, 0), RGB(100, 200, 40));
    const COLORREF clrSortBack = RGB(255 - 8, 255 - 8, 200 - 8);
    EXPECT_EQ(drawSubItem(0, 1), std::make_pair(RGB(0, 0, 160), clrSortBack));
    EXPECT_EQ(drawSubItem(2, 0), std::make_pair(RGB(200, 0, 0), RGB(100, 200, 40)));
    EXPECT_EQ(drawSubItem(2, 1), std::make_pair(RGB(200, 0, 0), RGB((100 + 247) / 2, (200 + 247) / 2, (40 + 192) / 2)));
    ASSERT_NE(list.FindRowColor(2), nullptr);
    EXPECT_EQ(list.FindRowColor(3), nullptr);
    // A selected row shows no row colour.
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(drawSubItem(2, 0), std::make_pair(RGB(0, 0, 160), RGB(255, 255, 200)));

    list.EnableWindow(FALSE);
    EXPECT_EQ(drawSubItem(0, 0), std::make_pair(clrWindowText, ::GetSysColor(COLOR_BTNFACE)));
    list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    KeepScreenshot(scene.m_parent, L"list_disabled.bmp");
    list.RemoveAllRowColors();
    EXPECT_EQ(list.FindRowColor(2), nullptr);
}

TEST(ListCtrl, ModifyExtendedStyleOnlyWhenItChanges)
{
    CTestList list;
    CListScene scene(list);
    list.m_nSetExtendedStyle = 0;
    EXPECT_TRUE(list.ModifyExtendedStyle(0, LVS_EX_FULLROWSELECT));
    EXPECT_EQ(list.m_nSetExtendedStyle, 1);
    EXPECT_EQ(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT, DWORD(LVS_EX_FULLROWSELECT));
    EXPECT_FALSE(list.ModifyExtendedStyle(0, LVS_EX_FULLROWSELECT));
    EXPECT_FALSE(list.ModifyExtendedStyle(LVS_EX_GRIDLINES, 0));
    EXPECT_EQ(list.m_nSetExtendedStyle, 1) << "nothing sent without a change";
    list.AddExtendedStyle(LVS_EX_GRIDLINES);
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
}

TEST(ListCtrl, AutoSizeTakesTheHeadingWidth)
{
    CTestList list;
    CListScene scene(list, 0, 480, 0);
    ASSERT_EQ(list.AddColumn(L"A rather long heading", 40), 0);
    ASSERT_EQ(list.AddColumn(L"Another long heading"), 1);
    EXPECT_EQ(list.GetColumnWidth(1), 40) << "width -1 takes the last column's";
    list.InsertItem(0, L"x");
    list.SetItemText(0, 1, L"y");
    ASSERT_TRUE(list.SubclassHeader());
    CVZFlatHeaderCtrl* pHeader = list.GetFlatHeader();
    ASSERT_NE(pHeader, nullptr);
    list.SetSortImage(1, TRUE);

    CClientDC dc(pHeader);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), (HGDIOBJ)pHeader->SendMessage(WM_GETFONT));
    CSize sz0, sz1;
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), L"A rather long heading", 21, &sz0);
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), L"Another long heading", 20, &sz1);
    ::SelectObject(dc.GetSafeHdc(), hOld);

    list.AutoSizeColumn();
    EXPECT_EQ(list.GetColumnWidth(0), sz0.cx + 12);
    EXPECT_EQ(list.GetColumnWidth(1), sz1.cx + 36) << "the sort column of a flat header with the arrow";
    pHeader->ShowSortArrow(FALSE);
    list.AutoSizeColumn(1);
    EXPECT_EQ(list.GetColumnWidth(1), sz1.cx + 12);
    KeepScreenshot(scene.m_parent, L"list_autosized.bmp");
}

TEST(ListCtrl, SubItemHitTestFindsRowAndPosition)
{
    CTestList list;
    CListScene scene(list);
    scene.AddRows(5);
    CRect rcItem;
    list.GetItemRect(3, &rcItem, LVIR_BOUNDS);
    int nPosition = -1;
    EXPECT_EQ(list.SubItemHitTest(CPoint(rcItem.left + 170, rcItem.CenterPoint().y), &nPosition), 3);
    EXPECT_EQ(nPosition, 2);
    EXPECT_EQ(list.SubItemHitTest(CPoint(rcItem.left + 5, rcItem.CenterPoint().y), &nPosition), 3);
    EXPECT_EQ(nPosition, 0);
    EXPECT_EQ(list.SubItemHitTest(CPoint(rcItem.left + 5, 190), &nPosition), -1) << "below the rows";
}

TEST(ListView, IsCreatedAsAListControl)
{
    std::unique_ptr<CObject> pObject(RUNTIME_CLASS(CVZListView)->CreateObject());
    CVZListView* pView = dynamic_cast<CVZListView*>(pObject.get());
    ASSERT_NE(pView, nullptr);
    CWnd parent;
    const CString strClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(parent.CreateEx(0, strClass, L"view parent", WS_POPUP, CRect(0, 0, 200, 200), NULL, 0));
    ASSERT_TRUE(pView->Create(NULL, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 200), &parent, 5));
    wchar_t szClass[64] = L"";
    ::GetClassNameW(pView->GetSafeHwnd(), szClass, 64);
    EXPECT_STREQ(szClass, L"SysListView32");
    EXPECT_EQ(pView->m_pListWnd, pView);
    EXPECT_EQ(pView->GetColumnCount(), 0);
    pView->DestroyWindow();   // a view deletes itself
    pObject.release();
    parent.DestroyWindow();
}
