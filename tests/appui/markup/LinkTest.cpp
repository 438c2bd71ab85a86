// Links: hover notifications, clicks handed to the opener, the ".htm"
// fallback through the replaceable shell calls, and link areas kept to one
// set per draw.
#include "MarkupTestSupport.h"

#include <string>
#include <vector>

#include "LinkOpener.h"

using markup_test::CMarkupFixture;

namespace {

const UINT kHoverMessage = 0x8064;

std::vector<int> g_hovers;
std::vector<std::wstring> g_shellTargets;
std::vector<std::string> g_commands;
INT_PTR g_shellResult = 2;

LRESULT CALLBACK HoverProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == kHoverMessage)
    {
        g_hovers.push_back((int)wParam);
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

INT_PTR RecordShell(LPCWSTR lpszTarget, int)
{
    g_shellTargets.push_back(lpszTarget);
    return g_shellResult;
}

UINT RecordWinExec(LPCSTR lpszCommand, UINT)
{
    g_commands.push_back(lpszCommand);
    return 33;
}

// The default value of HKCR\subKey, or nothing.
std::wstring ClassesDefault(const std::wstring& subKey)
{
    WCHAR value[MAX_PATH] = {};
    LONG cb = sizeof(value);
    if (RegQueryValueW(HKEY_CLASSES_ROOT, subKey.c_str(), value, &cb) != ERROR_SUCCESS)
        return std::wstring();
    return value;
}

// Sets HKCR\.htm's default value for one test and puts the old one back.
class CHtmClassOverride
{
public:
    explicit CHtmClassOverride(LPCWSTR value) : m_old(ClassesDefault(L".htm"))
    {
        Set(value);
    }
    ~CHtmClassOverride()
    {
        if (m_old.empty())
            RegDeleteKeyW(HKEY_CLASSES_ROOT, L".htm");
        else
            Set(m_old.c_str());
    }

private:
    static void Set(LPCWSTR value)
    {
        RegSetValueW(HKEY_CLASSES_ROOT, L".htm", REG_SZ, value, (DWORD)(wcslen(value) * sizeof(WCHAR)));
    }
    std::wstring m_old;
};

class MarkupLinkTest : public CMarkupFixture
{
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HoverProc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = L"TesmirMarkupHover";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowW(L"TesmirMarkupHover", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
        ASSERT_NE(nullptr, m_hWnd);
        g_hovers.clear();
        g_shellTargets.clear();
        g_commands.clear();
        g_shellResult = 2;
        LinkOpenerCalls calls = {RecordShell, RecordWinExec};
        m_previous = SetLinkOpenerCalls(calls);
        m_renderer.SetNotifyWindow(m_hWnd, kHoverMessage, 0);
        Render(L"x <a href=\"http://one.example/\">one</a> y <a href=\"two.htm\">two</a> z", 10, 10);
        ASSERT_TRUE(m_list.Find(L"one") != NULL && m_list.Find(L"two") != NULL);
    }
    void TearDown() override
    {
        SetLinkOpenerCalls(m_previous);
        if (m_hWnd != NULL)
            DestroyWindow(m_hWnd);
    }
    POINT CentreOf(LPCWSTR text)
    {
        const MarkupTextItem* item = m_list.Find(text);
        if (item == NULL)
            return POINT{-100, -100};
        POINT pt = {item->x + item->width / 2, item->y + item->height / 2};
        return pt;
    }

    HWND m_hWnd = NULL;
    LinkOpenerCalls m_previous = {};
};

}  // namespace

TEST_F(MarkupLinkTest, HoverSendsTheLinkIndexAndLeavingOnce)
{
    EXPECT_TRUE(m_renderer.OnSetCursor(CentreOf(L"one")));
    EXPECT_TRUE(m_renderer.OnSetCursor(CentreOf(L"one")));
    EXPECT_TRUE(m_renderer.OnSetCursor(CentreOf(L"two")));
    EXPECT_FALSE(m_renderer.OnSetCursor(CentreOf(L"x ")));
    EXPECT_FALSE(m_renderer.OnSetCursor(CentreOf(L" z")));
    EXPECT_EQ((std::vector<int>{0, 1, -2}), g_hovers);
    // A hot link is drawn with the hover style (underlined).
    m_renderer.OnSetCursor(CentreOf(L"two"));
    m_list.Clear();
    RECT rc = {10, 10, 390, 290};
    m_renderer.Draw(m_canvas.Dc(), rc);
    EXPECT_TRUE(m_list.Find(L"two")->underline);
    EXPECT_FALSE(m_list.Find(L"one")->underline);
    EXPECT_EQ(RGB(0, 0, 255), m_list.Find(L"one")->color);
}

TEST_F(MarkupLinkTest, ClickOpensThroughTheShell)
{
    g_shellResult = 42;
    m_renderer.OnClick(CentreOf(L"one"));
    m_renderer.OnClick(CentreOf(L" y "));
    EXPECT_EQ((std::vector<std::wstring>{L"http://one.example/"}), g_shellTargets);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(MarkupLinkTest, FailedShellFallsBackToTheHtmCommand)
{
    // A class of the test's own, so that the command is known whatever the
    // prefix registers for ".htm".
    const LPCWSTR command = L"\"C:\\tools\\browse.exe\" -new \"%1\"";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueW(HKEY_CLASSES_ROOT, L"TesmirTestPage\\shell\\open\\command", REG_SZ,
                                          command, (DWORD)(wcslen(command) * sizeof(WCHAR))));
    {
        CHtmClassOverride override(L"TesmirTestPage");
        m_renderer.OnClick(CentreOf(L"two"));
    }
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"TesmirTestPage\\shell\\open\\command");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"TesmirTestPage\\shell\\open");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"TesmirTestPage\\shell");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"TesmirTestPage");
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(std::string("\"C:\\tools\\browse.exe\" -new  two.htm"), g_commands[0]);
    EXPECT_EQ((std::vector<std::wstring>{L"two.htm"}), g_shellTargets);
}

TEST_F(MarkupLinkTest, EmptyOrUnreadableHtmClassRunsNothing)
{
    for (LPCWSTR value : {L"", L"TesmirNoSuchClass"})
    {
        CHtmClassOverride override(value);
        m_renderer.OnClick(CentreOf(L"two"));
    }
    EXPECT_EQ(2u, g_shellTargets.size());
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(MarkupLinkTest, RepeatedDrawsKeepOneSetOfLinkAreas)
{
    const size_t once = m_renderer.GetLinkAreaCount();
    EXPECT_EQ(2u, once);
    RECT rc = {10, 10, 390, 290};
    for (int i = 0; i < 10; ++i)
        m_renderer.Draw(m_canvas.Dc(), rc);
    EXPECT_EQ(once, m_renderer.GetLinkAreaCount());
    EXPECT_EQ(1, m_renderer.GetLinkArea(1).index);
}
