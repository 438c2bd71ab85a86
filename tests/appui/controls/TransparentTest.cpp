// Transparent controls show the parent's background; the registry helper
// reads a key's default value.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CHtmlHostDlg.h"
#include "CTransparentButtonCtrl.h"
#include "CTransparentStatic.h"
#include "ControlsTestSupport.h"
#include "ReadRegistryDefault.h"

#include <shlwapi.h>

#include <string>

using namespace appui_test;

namespace {

class TransparentTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        m_hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    }
    // Counts the pixels of rect (canvas client coordinates) that differ from
    // the canvas pattern.
    int CountForeign(const CCapture& capture, const CRect& rect)
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                if (capture.Pixel(x, y) != CanvasPattern(x, y))
                    n++;
        return n;
    }
    CRect ChildRect(CWnd& child)
    {
        CRect rect;
        child.GetWindowRect(&rect);
        m_pCanvas->ScreenToClient(&rect);
        return rect;
    }
    HFONT m_hFont = NULL;
};

TEST_F(TransparentTest, StaticShowsTheBackgroundAndLeavesNoTraceOfAnOldText)
{
    const CString strLong(_T('W'), 20);
    CTransparentStatic label;
    ASSERT_TRUE(label.Create(strLong, WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 330, 40), m_pCanvas, 100));
    label.SendMessage(WM_SETFONT, (WPARAM)m_hFont, TRUE);
    // A plain static beside it shows what an opaque background looks like.
    CStatic plain;
    ASSERT_TRUE(plain.Create(_T("W"), WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 50, 330, 80), m_pCanvas, 101));
    plain.SendMessage(WM_SETFONT, (WPARAM)m_hFont, TRUE);
    PaintNow(m_pCanvas);

    CRect rectLabel = ChildRect(label);
    CSize sizeLong = TextSize(m_hFont, strLong);
    ASSERT_LT(sizeLong.cx + 4, rectLabel.Width());
    {
        CCapture capture(m_pCanvas);
        CRect rectText(rectLabel.left, rectLabel.top, rectLabel.left + sizeLong.cx, rectLabel.top + sizeLong.cy);
        EXPECT_GT(CountForeign(capture, rectText), 0) << "no text drawn";
        CRect rectBeside(rectText.right + 2, rectLabel.top, rectLabel.right, rectLabel.bottom);
        EXPECT_EQ(0, CountForeign(capture, rectBeside));
        CRect rectBelow(rectLabel.left, rectText.bottom + 1, rectLabel.right, rectLabel.bottom);
        EXPECT_EQ(0, CountForeign(capture, rectBelow));
        CRect rectPlain = ChildRect(plain);
        rectPlain.left += TextSize(m_hFont, _T("W")).cx + 2;
        EXPECT_EQ(rectPlain.Width() * rectPlain.Height(), CountForeign(capture, rectPlain));
    }

    // The new text is set and painted at once; the parent painted over the
    // old one first.
    EXPECT_EQ(TRUE, label.SendMessage(WM_SETTEXT, 0, (LPARAM)_T("W")));
    CString strRead;
    label.GetWindowText(strRead);
    EXPECT_STREQ(_T("W"), (LPCTSTR)strRead);
    EXPECT_FALSE(::GetUpdateRect(m_pCanvas->m_hWnd, NULL, FALSE));
    {
        CCapture capture(m_pCanvas);
        CSize sizeShort = TextSize(m_hFont, _T("W"));
        CRect rectOld(rectLabel.left + sizeShort.cx + 2, rectLabel.top, rectLabel.right, rectLabel.bottom);
        EXPECT_EQ(0, CountForeign(capture, rectOld)) << "the old text shows";
        CRect rectNew(rectLabel.left, rectLabel.top, rectLabel.left + sizeShort.cx, rectLabel.top + sizeShort.cy);
        EXPECT_GT(CountForeign(capture, rectNew), 0);
    }
}

TEST_F(TransparentTest, CheckBoxPaintsNoBackground)
{
    CTransparentButtonCtrl check;
    ASSERT_TRUE(check.Create(_T("Check"), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 10, 300, 40), m_pCanvas,
                             102));
    check.SendMessage(WM_SETFONT, (WPARAM)m_hFont, TRUE);
    PaintNow(m_pCanvas);

    CRect rect = ChildRect(check);
    CCapture capture(m_pCanvas);
    // The box and the label are on the left; the right part is background.
    int nLabelEnd = ::GetSystemMetrics(SM_CXMENUCHECK) + 8 + TextSize(m_hFont, _T("Check")).cx;
    CRect rectRight(rect.left + nLabelEnd + 4, rect.top, rect.right, rect.bottom);
    EXPECT_EQ(0, CountForeign(capture, rectRight));
    EXPECT_GT(CountForeign(capture, CRect(rect.left, rect.top, rect.left + nLabelEnd, rect.bottom)), 0);

    // Erasing draws nothing and reports the background erased.
    CCapture canvas(&check);
    canvas.m_dc.FillSolidRect(0, 0, canvas.Width(), canvas.Height(), RGB(1, 2, 3));
    EXPECT_EQ(TRUE, check.SendMessage(WM_ERASEBKGND, (WPARAM)canvas.m_dc.m_hDC, 0));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(1, 1));
}

TEST_F(TransparentTest, HtmlHostIsAnEmptyTransparentChild)
{
    CHtmlHostDlg host;
    ASSERT_TRUE(host.Create(CHtmlHostDlg::IDD, m_pCanvas));
    EXPECT_TRUE(host.GetStyle() & WS_CHILD);
    EXPECT_TRUE(host.GetExStyle() & WS_EX_TRANSPARENT);
    EXPECT_EQ(NULL, ::GetWindow(host.m_hWnd, GW_CHILD));
    EXPECT_EQ(m_pCanvas, host.GetParent());
    host.DestroyWindow();
}

// A registry key of its own under HKEY_CURRENT_USER, removed afterwards.
class RegistryDefaultTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kKey);
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyW(HKEY_CURRENT_USER, kKey, &m_hKey));
    }
    void TearDown() override
    {
        ::RegCloseKey(m_hKey);
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }
    void SetDefault(const std::wstring& value)
    {
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(m_hKey, NULL, 0, REG_SZ, (const BYTE*)value.c_str(),
                                                  (DWORD)((value.size() + 1) * sizeof(WCHAR))));
    }
    static constexpr LPCWSTR kKey = L"Software\\TesmirTests\\RegistryDefault";
    HKEY m_hKey = NULL;
};

TEST_F(RegistryDefaultTest, ReadsTheDefaultValue)
{
    SetDefault(L"\"C:\\Program Files\\browser.exe\" %1");
    WCHAR szOut[MAX_PATH] = L"unchanged";
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryDefault(HKEY_CURRENT_USER, kKey, szOut));
    EXPECT_STREQ(L"\"C:\\Program Files\\browser.exe\" %1", szOut);

    // The longest value that fits.
    std::wstring longest(MAX_PATH - 1, L'x');
    SetDefault(longest);
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryDefault(HKEY_CURRENT_USER, kKey, szOut));
    EXPECT_EQ(longest, szOut);
}

TEST_F(RegistryDefaultTest, FailuresLeaveTheOutputAlone)
{
    WCHAR szOut[MAX_PATH] = L"unchanged";
    EXPECT_NE(ERROR_SUCCESS, ReadRegistryDefault(HKEY_CURRENT_USER, L"Software\\TesmirTests\\NoSuchKey", szOut));
    EXPECT_STREQ(L"unchanged", szOut);

    SetDefault(std::wstring(MAX_PATH, L'y'));   // one character too long
    EXPECT_NE(ERROR_SUCCESS, ReadRegistryDefault(HKEY_CURRENT_USER, kKey, szOut));
    EXPECT_STREQ(L"unchanged", szOut);

    // A key without a default value reads as an empty text.
    ::RegDeleteValueW(m_hKey, NULL);
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryDefault(HKEY_CURRENT_USER, kKey, szOut));
    EXPECT_STREQ(L"", szOut);
}

}  // namespace
