// The controls nothing in the program creates yet, each as far as it goes:
// the splash thread, the owner-drawn menu records and menu keys, the
// owner-drawn push button's handlers, the HLS colour routines, the glyph
// painter, the flat combo box's hot tracking and the colour controls.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "ButtonsTestsRes.h"
#include "CColorEdit.h"
#include "CColorStatic.h"
#include "CFlatComboBox.h"
#include "CGlyphButton.h"
#include "CMenuButton.h"
#include "COwnerDrawMenu.h"
#include "CSplashThread.h"
#include "ColorHls.h"
#include "ControlsTestSupport.h"
#include "LinkOpener.h"
#include "Screenshots.h"

#include <TestSupport.h>

#include <string>
#include <vector>

using namespace appui_test;
using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

namespace {

class SpareControlsTest : public CanvasTest
{
};

TEST_F(SpareControlsTest, SplashThreadShowsItsWindowAndEndsByItself)
{
    PumpUntil([] { return false; }, 50);   // settle the canvas's own updates
    AFX_GDI_COUNTS before = AfxGetGdiCounts();
    int nWindowsBefore = CountThreadWindows();

    CSplashThread* pThread = (CSplashThread*)AfxBeginThread(RUNTIME_CLASS(CSplashThread), THREAD_PRIORITY_NORMAL, 0,
                                                            CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_nBitmapID = IDB_TEST_SPLASH;
    pThread->m_nDisplayTime = 50;
    pThread->m_lists[0].AddTail(_T("Tesmir"));
    pThread->m_lists[1].AddTail(_T("VHD Recovery"));
    pThread->m_strText1 = _T("1.0");
    HANDLE hThread = NULL;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(), &hThread, 0, FALSE,
                                  DUPLICATE_SAME_ACCESS));
    DWORD dwStart = ::GetTickCount();
    pThread->ResumeThread();   // the thread deletes itself when it ends
    EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, 30000));
    EXPECT_GE(::GetTickCount() - dwStart, 50u) << "the window stays for its display time";
    DWORD dwExit = 0;
    ::GetExitCodeThread(hThread, &dwExit);
    ::CloseHandle(hThread);
    EXPECT_EQ(1u, dwExit);

    AFX_GDI_COUNTS after = AfxGetGdiCounts();
    EXPECT_EQ(before.nObjects, after.nObjects);
    EXPECT_EQ(before.nDCs, after.nDCs);
    EXPECT_EQ(nWindowsBefore, CountThreadWindows());
}

TEST_F(SpareControlsTest, SplashFontHeightsFollowTheScreensResolution)
{
    const struct
    {
        double dPoints;
        int nDpi;
        int nHeight;
    } cases[] = { { 26, 96, -35 }, { 18, 96, -24 }, { 12, 96, -16 }, { 8, 96, -11 }, { 26, 120, -43 } };
    for (const auto& c : cases)
        EXPECT_EQ(c.nHeight, CSplashThread::FontHeight(c.dPoints, c.nDpi)) << c.dPoints << " pt at " << c.nDpi;
}

TEST_F(SpareControlsTest, SplashPaintsItsBitmapAndTexts)
{
    CSplashThread* pThread = (CSplashThread*)AfxBeginThread(RUNTIME_CLASS(CSplashThread), THREAD_PRIORITY_NORMAL, 0,
                                                            CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    // Painted here, on a canvas, from a thread object that never runs: its
    // bitmap is loaded as the window's creation would.
    ASSERT_TRUE(pThread->m_bitmap.LoadBitmap(IDB_TEST_SPLASH));
    pThread->m_nBitmapWidth = 64;
    pThread->m_nBitmapHeight = 40;
    pThread->m_lists[2].AddTail(_T("Line"));
    CDibCanvas canvas(300, 260, RGB(255, 255, 255));
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    pThread->Paint(pDC);
    EXPECT_EQ(RGB(0x1D, 0x75, 0xBD), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0xF0, 0xE0, 0xC0), canvas.Pixel(30, 20));
    // "Version" at (52, 210) and "Line" at (121, 210), in black.
    EXPECT_GT(canvas.Count(CRect(52, 210, 121, 240), RGB(0, 0, 0)), 0);
    EXPECT_GT(canvas.Count(CRect(121, 210, 200, 240), RGB(0, 0, 0)), 0);
    SaveScreenshot(canvas, L"splash_paint");
    pThread->ExitInstance();
    pThread->Delete();
    ::TerminateThread(pThread->m_hThread, 0);
}

// A pop-up menu: "&Open", a separator, "E&xit", and "&More" with "Ne&xt".
class OwnerDrawMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_menu.CreatePopupMenu());
        m_menu.AppendMenu(MF_STRING, 100, _T("&Open"));
        m_menu.AppendMenu(MF_SEPARATOR);
        m_menu.AppendMenu(MF_STRING, 101, _T("E&xit"));
        m_hSub = ::CreatePopupMenu();
        ::AppendMenu(m_hSub, MF_STRING, 102, _T("Ne&xt"));
        m_menu.AppendMenu(MF_POPUP, (UINT_PTR)m_hSub, _T("&More"));
    }
    void TearDown() override { m_menu.DestroyMenu(); }

    std::vector<ULONG_PTR> ItemData()
    {
        std::vector<ULONG_PTR> data;
        for (int i = 0; i < (int)m_menu.GetMenuItemCount(); i++)
        {
            MENUITEMINFO mii = {};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_DATA;
            ::GetMenuItemInfo(m_menu.m_hMenu, i, TRUE, &mii);
            data.push_back(mii.dwItemData);
        }
        return data;
    }

    COwnerDrawMenu m_menu;
    HMENU m_hSub = NULL;
};

TEST_F(OwnerDrawMenuTest, RebuildsKeepRecordsOfUnchangedItemsAndDropRemovedOnes)
{
    m_menu.ConvertMenu();
    ASSERT_EQ(4, m_menu.GetRecordCount());
    std::vector<ULONG_PTR> first = ItemData();
    for (int i = 0; i < 4; i++)
    {
        EXPECT_EQ((ULONG_PTR)m_menu.GetRecord(i), first[i]);
        EXPECT_TRUE(m_menu.GetMenuState(i, MF_BYPOSITION) & MF_OWNERDRAW) << i;
    }
    EXPECT_EQ(CString(_T("E&xit")), m_menu.GetRecord(2)->GetText());
    EXPECT_EQ(CString(), m_menu.GetRecord(1)->GetText());
    EXPECT_EQ((UINT_PTR)m_hSub, m_menu.GetRecord(3)->m_nID);

    m_menu.ConvertMenu();
    EXPECT_EQ(first, ItemData());
    CString strText;
    EXPECT_TRUE(m_menu.GetItemText(101, strText, MF_BYCOMMAND));
    EXPECT_EQ(CString(_T("E&xit")), strText);
    EXPECT_TRUE(m_menu.GetItemText(0, strText, MF_BYPOSITION));
    EXPECT_EQ(CString(_T("&Open")), strText);
    EXPECT_FALSE(m_menu.GetItemText(4, strText, MF_BYPOSITION));
    int nPos = 0;
    EXPECT_EQ(nullptr, m_menu.FindMenuOfItem(999, nPos));
    EXPECT_EQ(-1, nPos);
    CMenu* pHolder = m_menu.FindMenuOfItem(102, nPos);
    ASSERT_NE(nullptr, pHolder);
    EXPECT_EQ(m_hSub, pHolder->m_hMenu);
    EXPECT_EQ(0, nPos);

    m_menu.DeleteMenu(101, MF_BYCOMMAND);
    m_menu.ConvertMenu();
    ASSERT_EQ(3, m_menu.GetRecordCount());
    std::vector<ULONG_PTR> after = ItemData();
    EXPECT_EQ((std::vector<ULONG_PTR>{ first[0], first[1], first[3] }), after);
    for (int i = 0; i < 3; i++)
        EXPECT_NE(101u, m_menu.GetRecord(i)->m_nID);
}

TEST_F(OwnerDrawMenuTest, MenuKeysAreFoundInTheMenuAsked)
{
    // The record count differs from the items: the key lookup converts first.
    EXPECT_EQ(MAKELRESULT(2, MNC_EXECUTE), m_menu.AnswerMenuKey('x', MF_POPUP, &m_menu));
    EXPECT_EQ(4, m_menu.GetRecordCount());
    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), m_menu.AnswerMenuKey('O', MF_POPUP, &m_menu));
    EXPECT_EQ(0, m_menu.AnswerMenuKey('q', MF_POPUP, &m_menu));
    EXPECT_EQ(0, m_menu.AnswerMenuKey('x', 0, &m_menu)) << "only pop-ups are answered";
    EXPECT_EQ(0, m_menu.AnswerMenuKey('x', MF_POPUP, NULL));
    // "Ne&xt" only when its own sub-menu is asked.
    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), m_menu.AnswerMenuKey('x', MF_POPUP, CMenu::FromHandle(m_hSub)));
    EXPECT_EQ(0, m_menu.AnswerMenuKey('m', MF_POPUP, CMenu::FromHandle(m_hSub)));

    // The registry of owner-drawn menus.
    EXPECT_FALSE(COwnerDrawMenu::IsOwnerDrawMenu(&m_menu));
    COwnerDrawMenu::RegisterMenu(m_menu.m_hMenu);
    EXPECT_TRUE(COwnerDrawMenu::IsOwnerDrawMenu(&m_menu));
    COwnerDrawMenu::UnregisterMenu(m_menu.m_hMenu);
    EXPECT_FALSE(COwnerDrawMenu::IsOwnerDrawMenuHandle(m_menu.m_hMenu));
}

TEST(WindowsVersionCodeTest, AnNTSixSystemIsCodeOne)
{
    OSVERSIONINFO info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(::GetVersionEx(&info));
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 6)
    {
        EXPECT_EQ(1, GetWindowsVersionCode());
    }
    EXPECT_EQ(GetWindowsVersionCode(), GetWindowsVersionCode());
}

TEST(ColorHlsTest, ConversionsFollowTheirFormulas)
{
    const struct
    {
        COLORREF cr;
        DWORD dwHLS;
        COLORREF crBack;
    } cases[] = {
        { RGB(255, 0, 0), 255 | 127 << 8 | 255 << 16, RGB(254, 0, 0) },   // a hue of 360 is kept
        { RGB(255, 255, 255), 0 | 255 << 8 | 0 << 16, RGB(255, 255, 255) },
        { RGB(0, 0, 0), 0, RGB(0, 0, 0) },
        { RGB(0, 255, 0), 85 | 127 << 8 | 255 << 16, RGB(0, 254, 0) },
        { RGB(0, 0, 255), 170 | 127 << 8 | 255 << 16, RGB(0, 0, 254) },
        { RGB(128, 128, 128), 0 | 128 << 8, RGB(128, 128, 128) },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.dwHLS, RGBToHLS(c.cr)) << std::hex << c.cr;
        EXPECT_EQ(c.crBack, HLSToRGB(c.dwHLS)) << std::hex << c.dwHLS;
    }
    // No change up to the rounding of the round trip; toward white and black.
    COLORREF cr = RGB(49, 106, 197);
    COLORREF crSame = AdjustLightSaturation(cr, 0, 0);
    EXPECT_NEAR(GetRValue(cr), GetRValue(crSame), 3);
    EXPECT_NEAR(GetGValue(cr), GetGValue(crSame), 3);
    EXPECT_NEAR(GetBValue(cr), GetBValue(crSame), 3);
    EXPECT_EQ(RGB(255, 255, 255), AdjustLightSaturation(cr, 100, 0));
    EXPECT_EQ(RGB(0, 0, 0), AdjustLightSaturation(cr, -100, 0));
    DWORD dwGrey = RGBToHLS(AdjustLightSaturation(cr, 0, -100));
    EXPECT_EQ(0u, dwGrey >> 16) << "no saturation left";
}

TEST(GlyphButtonTest, FlatHotButtonsAreFilledAndGlyphsCentred)
{
    CDibCanvas canvas(120, 40, RGB(255, 255, 255));
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    const DWORD flags[] = {
        CGlyphButton::glyphDown | CGlyphButton::styleFlat | CGlyphButton::stateHot,
        CGlyphButton::glyphUp | CGlyphButton::styleFlat | CGlyphButton::stateHot | CGlyphButton::statePressed,
        CGlyphButton::glyphDown,
        CGlyphButton::glyphSpin | CGlyphButton::styleFramed,
        CGlyphButton::glyphEllipsis | CGlyphButton::styleFlat,
        CGlyphButton::glyphCross | CGlyphButton::styleFlat | CGlyphButton::stateDisabled,
    };
    int x = 2;
    for (DWORD dwFlags : flags)
    {
        CGlyphButton(dwFlags, CRect(x, 4, x + 16, 24)).Draw(pDC);
        x += 19;
    }
    SaveScreenshot(canvas, L"glyph_buttons");
    EXPECT_EQ(CGlyphButton::HotFill(), canvas.Pixel(3, 6));
    EXPECT_EQ(CGlyphButton::PressedFill(), canvas.Pixel(22, 6));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas.Pixel(2, 4));
    // The down arrow's tip line, one pixel, at the middle plus 2; its widest
    // line three rows above spans seven pixels, in black on the hot fill.
    int yTip = (4 + 24) / 2 + 2;
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(10, yTip));
    EXPECT_NE(RGB(0, 0, 0), canvas.Pixel(9, yTip));
    EXPECT_EQ(7, canvas.Count(CRect(2, yTip - 3, 18, yTip - 2), RGB(0, 0, 0)));
}

TEST_F(SpareControlsTest, MenuButtonStaysOwnerDrawnAndTogglesInCheckBoxMode)
{
    CMenuButton button;
    ASSERT_TRUE(button.Create(_T("menu"), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40), m_pCanvas,
                              501));
    button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & 0x0F);
    EXPECT_TRUE(button.m_bDefaultButton);
    EXPECT_TRUE(button.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & 0x0F);
    EXPECT_TRUE(button.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);

    button.m_bCheckBoxMode = TRUE;
    const LRESULT expected[] = { BST_CHECKED, BST_UNCHECKED, BST_CHECKED };
    for (LRESULT lCheck : expected)
    {
        m_pCanvas->SendMessage(WM_COMMAND, MAKEWPARAM(501, BN_CLICKED), (LPARAM)button.m_hWnd);
        EXPECT_EQ(lCheck, button.SendMessage(BM_GETCHECK));
    }
    button.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_EQ(BST_CHECKED, button.SendMessage(BM_GETCHECK));
    button.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(BST_UNCHECKED, button.SendMessage(BM_GETCHECK));

    // A link button opens its address through the link opener's shell call.
    static std::vector<std::wstring> s_targets;
    static std::vector<int> s_shows;
    s_targets.clear();
    s_shows.clear();
    LinkOpenerCalls previous = SetLinkOpenerCalls(LinkOpenerCalls{
        [](LPCWSTR lpszTarget, int nShowCmd) -> INT_PTR {
            s_targets.push_back(lpszTarget);
            s_shows.push_back(nShowCmd);
            return 42;
        },
        NULL });
    button.m_bCheckBoxMode = FALSE;
    button.m_strURL = _T("https://www.example.com/");
    m_pCanvas->SendMessage(WM_COMMAND, MAKEWPARAM(501, BN_CLICKED), (LPARAM)button.m_hWnd);
    SetLinkOpenerCalls(previous);
    ASSERT_EQ(1u, s_targets.size());
    EXPECT_EQ(std::wstring(L"https://www.example.com/"), s_targets[0]);
    EXPECT_EQ(SW_SHOWMAXIMIZED, s_shows[0]);
}

TEST_F(SpareControlsTest, FlatComboStaysHotFromTheComboIntoItsEdit)
{
    CFlatComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 60, 200, 300), m_pCanvas, 502));
    combo.AddString(_T("first"));
    combo.AddString(_T("second"));
    CFlatComboEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(combo.GetWindow(GW_CHILD)->m_hWnd));

    // The messages are sent, not pumped: a leave that the real pointer
    // causes waits in the queue until the checks are done.
    combo.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(combo.IsHot());
    edit.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(combo.IsHot());
    EXPECT_EQ(&edit, combo.m_hotTracker.m_pTracked);
    combo.SendMessage(WM_MOUSELEAVE);
    EXPECT_TRUE(combo.IsHot()) << "the combo's own leave while the edit is tracked";
    edit.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(combo.IsHot());

    PaintNow(m_pCanvas);
    SaveWindowScreenshot(&combo, L"flat_combo");
    CCapture capture(&combo);
    // The one-pixel frame in the shadow colour (not hot, not focused).
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), capture.Pixel(0, capture.Height() / 2));
    edit.UnsubclassWindow();
}

TEST_F(SpareControlsTest, ColourControlsAnswerTheirReflectedColourMessages)
{
    CColorStatic label;
    CColorEdit edit;
    ASSERT_TRUE(label.Create(_T("label"), WS_CHILD | WS_VISIBLE, CRect(10, 10, 100, 30), m_pCanvas, 503));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 100, 60), m_pCanvas, 504));
    const struct
    {
        CWnd* pWnd;
        UINT nMessage;
    } controls[] = { { &label, WM_CTLCOLORSTATIC }, { &edit, WM_CTLCOLOREDIT } };
    CDibCanvas canvas(10, 10);
    for (const auto& c : controls)
    {
        for (BOOL bTransparent : { FALSE, TRUE })
        {
            if (c.pWnd == &label)
                label.SetColors(RGB(10, 20, 30), RGB(200, 210, 220), bTransparent);
            else
                edit.SetColors(RGB(10, 20, 30), RGB(200, 210, 220), bTransparent);
            ::SetBkMode(canvas.Dc(), bTransparent ? OPAQUE : TRANSPARENT);
            HBRUSH hBrush = (HBRUSH)m_pCanvas->SendMessage(c.nMessage, (WPARAM)canvas.Dc(), (LPARAM)c.pWnd->m_hWnd);
            ASSERT_NE((HBRUSH)NULL, hBrush);
            LOGBRUSH lb = {};
            ::GetObject(hBrush, sizeof(lb), &lb);
            EXPECT_EQ(RGB(10, 20, 30), ::GetTextColor(canvas.Dc()));
            if (bTransparent)
            {
                EXPECT_EQ(TRANSPARENT, ::GetBkMode(canvas.Dc()));
                EXPECT_EQ((UINT)BS_NULL, lb.lbStyle);
            }
            else
            {
                EXPECT_EQ(OPAQUE, ::GetBkMode(canvas.Dc()));
                EXPECT_EQ(RGB(200, 210, 220), ::GetBkColor(canvas.Dc()));
                EXPECT_EQ(RGB(200, 210, 220), lb.lbColor);
            }
        }
    }
}

}  // namespace
