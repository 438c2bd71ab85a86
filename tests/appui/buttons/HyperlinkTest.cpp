// The hyperlink static subclassed from a plain static: its text and size,
// a click through the link opener, the error box, the ".htm" fallback and
// the underline after hovering.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CHyperlinkStatic.h"
#include "ControlsTestSupport.h"
#include "LinkOpener.h"
#include "Screenshots.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

#include <shlwapi.h>

#include <string>
#include <vector>

using namespace appui_test;

namespace {

const TCHAR kURL[] = _T("https://www.example.com/about");

// Stands in for the shell and WinExec: records the calls and answers with
// a chosen result.
struct OpenerRecorder
{
    static INT_PTR s_nShellResult;
    static std::vector<std::wstring> s_shellTargets;
    static std::vector<int> s_shellShows;
    static std::vector<std::string> s_commands;

    static INT_PTR Shell(LPCWSTR lpszTarget, int nShowCmd)
    {
        s_shellTargets.push_back(lpszTarget);
        s_shellShows.push_back(nShowCmd);
        return s_nShellResult;
    }
    static UINT Exec(LPCSTR lpszCommandLine, UINT)
    {
        s_commands.push_back(lpszCommandLine);
        return 33;
    }
};
INT_PTR OpenerRecorder::s_nShellResult = 42;
std::vector<std::wstring> OpenerRecorder::s_shellTargets;
std::vector<int> OpenerRecorder::s_shellShows;
std::vector<std::string> OpenerRecorder::s_commands;

class HyperlinkTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        OpenerRecorder::s_nShellResult = 42;
        OpenerRecorder::s_shellTargets.clear();
        OpenerRecorder::s_shellShows.clear();
        OpenerRecorder::s_commands.clear();
        m_previousCalls = SetLinkOpenerCalls(LinkOpenerCalls{ OpenerRecorder::Shell, OpenerRecorder::Exec });
    }
    void TearDown() override { SetLinkOpenerCalls(m_previousCalls); }

    // A dialog-style static made first, then subclassed as the about box does.
    void Subclass(CHyperlinkStatic& link, LPCTSTR lpszText, DWORD dwStyle, const CRect& rect, UINT nID = 401)
    {
        HWND hWnd = ::CreateWindowEx(0, _T("STATIC"), lpszText, WS_CHILD | WS_VISIBLE | WS_BORDER | dwStyle,
                                     rect.left, rect.top, rect.Width(), rect.Height(), m_pCanvas->m_hWnd,
                                     (HMENU)(UINT_PTR)nID, AfxGetInstanceHandle(), NULL);
        ASSERT_NE((HWND)NULL, hWnd);
        ASSERT_TRUE(link.SubclassWindow(hWnd));
    }

    CRect ParentRect(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        m_pCanvas->ScreenToClient(&rect);
        return rect;
    }

    // The reflected click, as the static's SS_NOTIFY sends it.
    void Click(CHyperlinkStatic& link)
    {
        m_pCanvas->SendMessage(WM_COMMAND, MAKEWPARAM(link.GetDlgCtrlID(), STN_CLICKED), (LPARAM)link.m_hWnd);
    }

    static BOOL IsUnderlined(CWnd& wnd)
    {
        LOGFONT lf = {};
        ::GetObject((HFONT)wnd.SendMessage(WM_GETFONT), sizeof(lf), &lf);
        return lf.lfUnderline;
    }

    LinkOpenerCalls m_previousCalls = {};
};

TEST_F(HyperlinkTest, EmptyStaticShowsItsURLAndFitsItsText)
{
    const struct
    {
        DWORD dwStyle;
        bool bRightStays;
    } cases[] = { { SS_LEFT, false }, { SS_RIGHT, true } };
    for (const auto& c : cases)
    {
        CHyperlinkStatic link;
        link.SetURL(kURL);
        CRect rectBefore(20, 20, 60, 30);
        Subclass(link, _T(""), c.dwStyle, rectBefore);
        CString strText;
        link.GetWindowText(strText);
        EXPECT_EQ(CString(kURL), strText);
        EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);

        // Text extent in the underlined link font, plus the borders.
        CRect rectClient;
        link.GetClientRect(&rectClient);
        CRect rectNow = ParentRect(link);
        LOGFONT lf = {};
        ::GetObject((HFONT)link.SendMessage(WM_GETFONT), sizeof(lf), &lf);
        lf.lfUnderline = TRUE;
        CFont font;
        font.CreateFontIndirect(&lf);
        CSize size = TextSize((HFONT)font.GetSafeHandle(), kURL);
        EXPECT_EQ(size.cx, rectClient.Width()) << c.dwStyle;
        EXPECT_EQ(size.cx + 2, rectNow.Width()) << c.dwStyle;
        EXPECT_EQ(size.cy + 2, rectNow.Height()) << c.dwStyle;
        EXPECT_EQ(rectBefore.top, rectNow.top);
        if (c.bRightStays)
            EXPECT_EQ(rectBefore.right, rectNow.right);
        else
            EXPECT_EQ(rectBefore.left, rectNow.left);
        EXPECT_EQ(1, link.GetToolTip().GetToolCount());
        PaintNow(m_pCanvas);
        SaveWindowScreenshot(&link, c.bRightStays ? L"hyperlink_right" : L"hyperlink_left");
        link.DestroyWindow();
    }
}

TEST_F(HyperlinkTest, ClickOpensTheURLAndMarksItVisited)
{
    CHyperlinkStatic link;
    Subclass(link, kURL, SS_LEFT, CRect(20, 20, 200, 40));
    OpenerRecorder::s_nShellResult = 33;
    tesmir::test::CMessageBoxAnswer answer(IDOK);
    Click(link);
    ASSERT_EQ(1u, OpenerRecorder::s_shellTargets.size());
    EXPECT_EQ(std::wstring(kURL), OpenerRecorder::s_shellTargets[0]);
    EXPECT_EQ(SW_SHOW, OpenerRecorder::s_shellShows[0]);
    EXPECT_TRUE(link.IsVisited());
    EXPECT_TRUE(answer.m_texts.empty());
}

TEST_F(HyperlinkTest, FailureShowsTheShellsErrorText)
{
    // The shell's "file not found", with the ".htm" class unreadable (an
    // empty value) in a classes root of this process's own, so that the
    // error reaches the box.
    const TCHAR kClassesKey[] = _T("Software\\Tesmir Buttons Tests\\Classes");
    HKEY hClasses = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyEx(HKEY_CURRENT_USER, kClassesKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                              &hClasses, NULL));
    HKEY hHtm = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyEx(hClasses, _T(".htm"), 0, NULL, 0, KEY_WRITE, NULL, &hHtm, NULL));
    ::RegSetValueEx(hHtm, NULL, 0, REG_SZ, (const BYTE*)_T(""), sizeof(TCHAR));
    ::RegCloseKey(hHtm);
    ASSERT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_CLASSES_ROOT, hClasses));

    CHyperlinkStatic link;
    Subclass(link, kURL, SS_LEFT, CRect(20, 20, 200, 40));
    OpenerRecorder::s_nShellResult = 2;
    tesmir::test::CMessageBoxAnswer answer(IDOK);
    Click(link);
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
    ::RegCloseKey(hClasses);
    ::SHDeleteKey(HKEY_CURRENT_USER, _T("Software\\Tesmir Buttons Tests"));

    EXPECT_TRUE(OpenerRecorder::s_commands.empty()) << "an unreadable command runs nothing";
    EXPECT_FALSE(link.IsVisited());
    ASSERT_EQ(1u, answer.m_texts.size());
    EXPECT_EQ(std::wstring(L"Unable to open hyperlink:\n\nThe specified file was not found."), answer.m_texts[0]);
    ASSERT_EQ(1u, answer.m_types.size());
    EXPECT_EQ((UINT)MB_ICONEXCLAMATION, answer.m_types[0] & MB_ICONMASK);

    const struct
    {
        INT_PTR nResult;
        LPCTSTR lpszText;
    } texts[] = { { 31, _T("There is no application associated\nwith the given filename extension.") },
                  { 26, _T("A sharing violation occurred. ") },
                  { 7, _T("Unknown Error (7) occurred.") } };
    for (const auto& t : texts)
        EXPECT_EQ(CString(t.lpszText), CHyperlinkStatic::ErrorText(t.nResult));
}

TEST_F(HyperlinkTest, UnderlineAfterTheHoverEnds)
{
    // Away from the pointer, so that the hover check finds it outside.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    m_pCanvas->ScreenToClient(&ptCursor);
    int y = ptCursor.y >= 0 && ptCursor.y < 120 ? 200 : 40;
    const struct
    {
        int nMode;
        BOOL bUnderlined;
    } cases[] = { { CHyperlinkStatic::underlineAlways, TRUE }, { CHyperlinkStatic::underlineHover, FALSE } };
    for (const auto& c : cases)
    {
        CHyperlinkStatic link;
        Subclass(link, kURL, SS_LEFT, CRect(20, y, 200, y + 20));
        link.SetUnderline(c.nMode);
        link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(link.IsHover());
        EXPECT_TRUE(IsUnderlined(link));
        EXPECT_TRUE(tesmir::test::PumpUntil([&] { return !link.IsHover(); }));
        EXPECT_EQ(c.bUnderlined, IsUnderlined(link)) << c.nMode;
        link.DestroyWindow();
    }
}

}  // namespace
