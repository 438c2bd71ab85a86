// The flat combo box and flat edit themes on real combo boxes, type-ahead
// completion, and the library edit's context-menu updates.
#include <gtest/gtest.h>

#include "CVZEdit.h"
#include "CVZFlatComboBox.h"
#include "CVZFlatComboBoxTheme.h"
#include "CVZFlatEdit.h"
#include "CVZFlatEditTheme.h"
#include "CVZPColorManager.h"
#include "CVZPGlobalUIData.h"
#include "CVZPResourceLoader.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "uilibres.h"

#include <algorithm>

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;
using vzfoundation_test::ScreenshotPath;

namespace flat_controls_test {

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

class CFlatHost : public CFrameWnd
{
public:
    CFlatHost()
    {
        VERIFY(CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_3DFACE + 1)),
                        L"flat test", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 400), NULL, 0));
    }
};

void CreateCombo(CVZFlatComboBox& combo, CWnd* pParent, DWORD dwType, UINT nID)
{
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | dwType, CRect(10, 10 + 40 * (nID - 1), 210, 200),
                             pParent, nID));
    combo.SendMessage(WM_SETFONT, (WPARAM)GetGlobalUIData()->m_fontNormal.GetSafeHandle(), TRUE);
    for (LPCWSTR psz : { L"apple", L"banana", L"cherry" })
        combo.AddString(psz);
}

// Where the classic theme puts the arrow's top-left pixel.
CPoint ClassicArrowPoint(CWnd& combo, const CVZFlatComboBoxThemeClassic& theme, int nState)
{
    CRect rc;
    combo.GetClientRect(&rc);
    rc.DeflateRect(theme.m_cxEdge, theme.m_cyEdge);
    CRect rcButton(rc.right - theme.m_nButtonWidth + 4, rc.top, rc.right, rc.bottom);
    rcButton.DeflateRect(1, 1);
    CPoint pt((rcButton.left + rcButton.right - 4) / 2, (rcButton.top + rcButton.bottom - 2) / 2);
    if (nState == 3)
        pt.Offset(1, 1);
    return pt;
}

}  // namespace flat_controls_test

using namespace flat_controls_test;

TEST(FlatComboBox, ClassicArrowTextAreaAndButtonWidth)
{
    CFlatHost host;
    CVZFlatComboBox dropDown, dropList;
    CreateCombo(dropDown, &host, CBS_DROPDOWN, 1);
    CreateCombo(dropList, &host, CBS_DROPDOWNLIST, 2);
    dropList.SetBackColor(RGB(10, 200, 30));
    dropDown.SetBackColor(RGB(10, 200, 30));

    CVZFlatComboBoxThemeClassic theme;
    theme.RefreshMetrics();
    {
        CClientDC dc(NULL);
        CFont* pOld = dc.SelectObject(&GetGlobalUIData()->m_fontNormal);
        TEXTMETRICW tm;
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        EXPECT_EQ(theme.m_nButtonWidth, std::max<int>(15, 2 * tm.tmAveCharWidth + 4));
    }

    CRect rc;
    dropList.GetClientRect(&rc);
    for (CVZFlatComboBox* pCombo : { &dropDown, &dropList })
    {
        for (BOOL bEnabled : { TRUE, FALSE })
        {
            pCombo->EnableWindow(bEnabled);
            for (int nState : { 0, 2, 3 })
            {
                SCOPED_TRACE(testing::Message() << "combo " << pCombo->GetDlgCtrlID() << " enabled " << bEnabled
                                                << " state " << nState);
                CDibCanvas canvas(rc.Width(), rc.Height(), RGB(1, 2, 3));
                theme.DrawFlatComboBox(CDC::FromHandle(canvas.Dc()), pCombo, nState);
                const CPoint pt = ClassicArrowPoint(*pCombo, theme, nState);
                const COLORREF clrArrow = Color(bEnabled ? COLOR_WINDOWTEXT : COLOR_3DSHADOW);
                for (int i = 0; i < 5; i++)
                    EXPECT_EQ(canvas.Pixel(pt.x + i, pt.y), clrArrow);
                EXPECT_EQ(canvas.Pixel(pt.x + 2, pt.y + 2), clrArrow);
                EXPECT_NE(canvas.Pixel(pt.x, pt.y + 2), clrArrow);
                if (bEnabled)
                {
                    const COLORREF clrText = pCombo == &dropList ? RGB(10, 200, 30) : Color(COLOR_WINDOW);
                    EXPECT_EQ(canvas.Pixel(rc.Width() / 3, rc.Height() / 2), clrText);
                }
                if (pCombo == &dropList && bEnabled && nState == 0)
                    canvas.SaveBmp(ScreenshotPath(L"flat-combo-droplist.bmp"));
            }
        }
    }
}

TEST(FlatComboBox, TypeAheadCompletesOrKeepsTheText)
{
    CFlatHost host;
    CVZFlatComboBox combo;
    CreateCombo(combo, &host, CBS_DROPDOWN, 1);
    combo.SetAutoComplete(TRUE);
    HWND hEdit = ::GetWindow(combo.m_hWnd, GW_CHILD);
    ASSERT_NE(hEdit, (HWND)NULL);
    struct Case { LPCWSTR pszTyped; LPCWSTR pszText; int nStart; int nEnd; } cases[] = {
        { L"ap", L"apple", 2, 5 },
        { L"BA", L"banana", 2, 6 },
        { L"zq", L"zq", 2, 2 },
    };
    for (const Case& c : cases)
    {
        combo.SetWindowText(L"");
        combo.SetCurSel(-1);
        for (const wchar_t* p = c.pszTyped; *p; p++)
            ::SendMessageW(hEdit, WM_CHAR, *p, 1);
        CString strText;
        combo.GetWindowText(strText);
        EXPECT_EQ(strText, c.pszText) << c.pszTyped;
        const DWORD dwSel = (DWORD)combo.SendMessage(CB_GETEDITSEL);
        EXPECT_EQ(LOWORD(dwSel), c.nStart) << c.pszTyped;
        EXPECT_EQ(HIWORD(dwSel), c.nEnd) << c.pszTyped;
    }
}

TEST(FlatEdit, ThemeFramesOnlyHotAndDisabled)
{
    CFlatHost host;
    CVZFlatEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 34), &host, 1));
    CVZFlatEditThemeFlat theme;
    theme.RefreshMetrics();
    CDibCanvas canvas(100, 24);
    const CRect rc(0, 0, 100, 24);
    theme.DrawFlatEdit(CDC::FromHandle(canvas.Dc()), &edit, rc, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), Color(COLOR_WINDOW));
    theme.DrawFlatEdit(CDC::FromHandle(canvas.Dc()), &edit, rc, 2);
    EXPECT_EQ(canvas.Pixel(0, 0), Color(VZPCOLOR_HIGHLIGHT_BORDER));
    EXPECT_EQ(canvas.Pixel(50, 12), Color(COLOR_WINDOW));
    edit.EnableWindow(FALSE);
    theme.DrawFlatEdit(CDC::FromHandle(canvas.Dc()), &edit, rc, 2);
    EXPECT_EQ(canvas.Pixel(0, 0), Color(52));
    EXPECT_EQ(canvas.Pixel(50, 12), Color(51));
}

TEST(Edit, ContextMenuUpdatesFollowSelectionAndText)
{
    CFlatHost host;
    CVZEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 210, 34), &host, 1));
    CMenu menu;
    ASSERT_TRUE(GetResourceLoader()->LoadMenu(&menu, VZP_IDR_CONTEXT_MENU));
    CMenu* pPopup = menu.GetSubMenu(1);
    ASSERT_NE(pPopup, nullptr);
    auto enabled = [&](UINT nID) {
        edit.SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, 1);
        return (pPopup->GetMenuState(nID, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    };
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_EDIT_SELECT_ALL));
    edit.SetWindowText(L"some text");
    edit.SetSel(0, 0);
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_SELECT_ALL));
    edit.SetSel(1, 3);
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_CUT));

    edit.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 0);
    EXPECT_EQ(nEnd, 9);
    menu.DestroyMenu();
}
