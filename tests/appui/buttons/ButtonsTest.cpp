// The wizard's tool buttons and the start page's hover buttons on real
// windows: their size, the image each state draws, the tooltip, the hover
// index and the companion's repaint.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "ButtonsTestsRes.h"
#include "CHoverButton.h"
#include "CToolButton.h"
#include "ControlsTestSupport.h"
#include "Screenshots.h"
#include "appuires.h"

#include <TestSupport.h>

using namespace appui_test;
using tesmir::test::CDibCanvas;

namespace {

// The faces and the frame of the test bitmaps (art/*.txt).
const COLORREF kSmallNormal = RGB(0xC8, 0x32, 0x32);
const COLORREF kSmallHover = RGB(0x32, 0x64, 0xC8);
const COLORREF kSmallFrame = RGB(0x20, 0x30, 0x40);
const COLORREF kLargeNormal = RGB(0x32, 0xA0, 0x50);
const COLORREF kLargeHover = RGB(0xE0, 0xA0, 0x20);
const COLORREF kFill = RGB(1, 2, 3);

class ButtonsTest : public CanvasTest
{
protected:
    template <class TButton>
    void CreateButton(TButton& button, UINT nID, int x = 10)
    {
        ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(x, 10, x + 100, 70), m_pCanvas,
                                  nID));
    }

    // What DrawItem shows in a canvas a little larger than the image.
    template <class TButton>
    COLORREF DrawnFace(TButton& button, UINT nState, CDibCanvas& canvas)
    {
        canvas.Fill(kFill);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hwndItem = button.m_hWnd;
        dis.hDC = canvas.Dc();
        dis.itemState = nState;
        button.GetClientRect(&dis.rcItem);
        button.DrawItem(&dis);
        return canvas.Pixel(button.GetImageWidth() / 2, button.GetImageHeight() / 2);
    }

    static CSize WindowSize(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect.Size();
    }
};

TEST_F(ButtonsTest, LoadBitmapsSizesTheButtonToItsNormalImage)
{
    const struct
    {
        UINT nNormal;
        UINT nHover;
        CSize size;
    } cases[] = { { IDB_TEST_SMALL_NORMAL, IDB_TEST_SMALL_HOVER, CSize(24, 16) },
                  { IDB_TEST_LARGE_NORMAL, IDB_TEST_LARGE_HOVER, CSize(48, 32) } };
    for (const auto& c : cases)
    {
        CToolButton tool;
        CreateButton(tool, 301);
        EXPECT_TRUE(tool.LoadBitmaps(c.nNormal, c.nHover));
        EXPECT_EQ(c.size, WindowSize(tool));
        CHoverButton hover;
        CreateButton(hover, 302, 150);
        EXPECT_TRUE(hover.LoadBitmaps(c.nNormal, c.nHover));
        EXPECT_EQ(c.size, WindowSize(hover));
    }
    // A missing bitmap loads nothing and leaves the size.
    CToolButton missing;
    CreateButton(missing, 303);
    EXPECT_FALSE(missing.LoadBitmaps(4999, 4998));
    EXPECT_EQ(CSize(100, 60), WindowSize(missing));
}

TEST_F(ButtonsTest, ToolButtonShowsItsHoverImageOnlyWhileHoveredAndNotPressed)
{
    CToolButton button;
    CreateButton(button, 301);
    ASSERT_TRUE(button.LoadBitmaps(IDB_TEST_SMALL_NORMAL, IDB_TEST_SMALL_HOVER));
    CDibCanvas canvas(40, 30);
    EXPECT_EQ(kSmallNormal, DrawnFace(button, 0, canvas));
    // The copy covers the image exactly, frame included.
    EXPECT_EQ(kSmallFrame, canvas.Pixel(0, 0));
    EXPECT_EQ(kSmallFrame, canvas.Pixel(23, 15));
    EXPECT_EQ(kFill, canvas.Pixel(24, 15));
    EXPECT_EQ(kFill, canvas.Pixel(23, 16));

    button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsHover());
    EXPECT_EQ(kSmallHover, DrawnFace(button, 0, canvas));
    SaveScreenshot(canvas, L"tool_button_hover");
    // Pressed: the normal image, never pixels beside it.
    EXPECT_EQ(kSmallNormal, DrawnFace(button, ODS_SELECTED, canvas));
    CRect rectImage(0, 0, 24, 16);
    EXPECT_EQ(24 * 16, canvas.Count(rectImage, kSmallNormal) + canvas.Count(rectImage, kSmallFrame));
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsHover());
    EXPECT_EQ(kSmallNormal, DrawnFace(button, 0, canvas));
}

TEST_F(ButtonsTest, HoverButtonDrawsPressedAndFocusedLikeRest)
{
    CHoverButton button;
    CreateButton(button, 302);
    ASSERT_TRUE(button.LoadBitmaps(IDB_TEST_LARGE_NORMAL, IDB_TEST_LARGE_HOVER));
    CDibCanvas canvas(60, 40);
    for (UINT nState : { 0u, (UINT)ODS_SELECTED, (UINT)(ODS_SELECTED | ODS_FOCUS) })
    {
        button.SendMessage(WM_MOUSELEAVE);
        EXPECT_EQ(kLargeNormal, DrawnFace(button, nState, canvas)) << nState;
        button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(kLargeHover, DrawnFace(button, nState, canvas)) << nState;
    }
    button.SendMessage(WM_MOUSELEAVE);
}

TEST_F(ButtonsTest, ToolTipKeepsOneToolWithTheLatestText)
{
    CToolButton button;
    CreateButton(button, 301);
    ASSERT_TRUE(button.LoadBitmaps(IDB_TEST_SMALL_NORMAL, IDB_TEST_SMALL_HOVER));
    button.SetToolTipText(NULL);
    EXPECT_EQ(NULL, button.GetToolTip().GetSafeHwnd()) << "nothing for no text";
    button.SetToolTipText(_T("Start Searching the File(s)"));
    button.SetToolTipText(_T("Stop Searching the File(s)"), FALSE);
    ASSERT_NE((HWND)NULL, button.GetToolTip().GetSafeHwnd());
    EXPECT_EQ(1, button.GetToolTip().GetToolCount());
    CString strText;
    button.GetToolTip().GetText(strText, &button, 1);
    EXPECT_EQ(CString(_T("Stop Searching the File(s)")), strText);
}

TEST_F(ButtonsTest, HoverIndexAndCompanionFollowHoverAndLeave)
{
    CStatic page;
    ASSERT_TRUE(page.Create(_T("page"), WS_CHILD | WS_VISIBLE, CRect(0, 100, 300, 200), m_pCanvas, 310));
    CHoverButton first;
    CHoverButton second;
    CreateButton(first, 311);
    CreateButton(second, 312, 150);
    first.m_pCompanion = &page;
    first.m_nIndex = 1;
    second.m_pCompanion = &page;
    second.m_nIndex = 2;
    ASSERT_TRUE(first.LoadBitmaps(IDB_TEST_SMALL_NORMAL, IDB_TEST_SMALL_HOVER));
    ASSERT_TRUE(second.LoadBitmaps(IDB_TEST_SMALL_NORMAL, IDB_TEST_SMALL_HOVER));
    PaintNow(m_pCanvas);

    CRect rectUpdate;
    ASSERT_FALSE(page.GetUpdateRect(&rectUpdate));
    first.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, g_nHoverButtonIndex);
    EXPECT_TRUE(page.GetUpdateRect(&rectUpdate));
    EXPECT_TRUE(first.GetUpdateRect(&rectUpdate));
    PaintNow(m_pCanvas);

    // From one button straight to the other: the leave publishes 0 first.
    first.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(0, g_nHoverButtonIndex);
    EXPECT_TRUE(page.GetUpdateRect(&rectUpdate));
    second.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(2, g_nHoverButtonIndex);
    second.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(0, g_nHoverButtonIndex);
    PaintNow(m_pCanvas);

    // Without a companion the index still moves and the button repaints.
    CHoverButton alone;
    CreateButton(alone, 313, 250);
    alone.m_nIndex = 3;
    ASSERT_TRUE(alone.LoadBitmaps(IDB_TEST_SMALL_NORMAL, IDB_TEST_SMALL_HOVER));
    PaintNow(m_pCanvas);
    alone.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(3, g_nHoverButtonIndex);
    EXPECT_TRUE(alone.GetUpdateRect(&rectUpdate));
    alone.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(0, g_nHoverButtonIndex);
    SaveWindowScreenshot(m_pCanvas, L"hover_buttons");
}

TEST_F(ButtonsTest, HandCursorsAreTheModulesCursors264And265)
{
    for (UINT nID : { (UINT)IDC_HOVER_HAND, (UINT)IDC_HOVER_HAND_PRESSED })
    {
        HCURSOR hCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nID));
        ASSERT_NE((HCURSOR)NULL, hCursor) << nID;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(hCursor, &info));
        BITMAP bm = {};
        ::GetObject(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(32, bm.bmWidth);
        EXPECT_FALSE(info.fIcon);
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor != NULL)
            ::DeleteObject(info.hbmColor);
    }
}

}  // namespace
