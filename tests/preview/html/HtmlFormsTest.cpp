// Form controls created on a bare canvas, their bookkeeping, and the query
// a submission sends: by GET through navigation and by POST, both checked
// byte for byte by the loopback server's echo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlTestSupport.h"
#include "TestSupport.h"

namespace {

using html_test::CBrowserWindow;
using html_test::ServerUrl;
using tesmir::test::Utf8;

class HtmlForms : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ServerUrl(L"").empty()) << "the loopback server is not running";
        m_window.Attach(new CHtmlBrowser(m_window.Canvas(), m_window.Owner(), m_window.Status(), nullptr, nullptr));
    }

    CHtmlBrowser& Browser() { return m_window.Browser(); }

    // One control of each kind in form, set to known values, plus a control
    // of another form that must stay out of the query.
    HWND FillForm(int form)
    {
        CHtmlBrowser& b = Browser();
        int other = b.AddForm(ServerUrl(L"/other").c_str(), L"get");
        b.CreateEditControl(10, 0, 80, 20, L"two words & more", 0, L"t", form, 0);
        HWND password = b.CreateEditControl(10, 5, 80, 20, L"", 0, L"pw", form, 1);
        SetWindowTextW(password, L"p w");
        b.CreateRadioButton(13, 13, L"r1", L"r", form);
        HWND r2 = b.CreateRadioButton(13, 13, L"r2", L"r", form);
        SendMessageW(r2, BM_SETCHECK, BST_CHECKED, 0);
        HWND c1 = b.CreateCheckBox(13, 13, L"on", L"c1", form);
        SendMessageW(c1, BM_SETCHECK, BST_CHECKED, 0);
        b.CreateCheckBox(13, 13, L"yes", L"c2", form);
        CHtmlStringTable options;
        const wchar_t* cells[][2] = {{L"One", L"1"}, {L"Two", L""}, {L"Three", L"3 & 4"}};
        for (auto& cell : cells) {
            int row = options.AddRow() - 1;
            options.AppendCell(row, cell[0]);
            options.AppendCell(row, cell[1]);
        }
        b.CreateComboBox(80, 20, options, 1, L"s", form);
        HWND three = b.CreateComboBox(80, 20, options, 2, L"s3", form);
        b.CreateEditControl(-1, 0, 120, 40, L"line1\r\nline2", 1, L"ta", form, 0);
        b.CreateEditControl(10, 0, 0, 0, L"hid", 0, L"h", form, 0);
        HWND button = b.CreateSubmitButton(40, 20, L"Go", L"b", form);
        b.CreateEditControl(10, 0, 80, 20, L"x", 0, L"elsewhere", other, 0);
        EXPECT_NE(nullptr, three);
        return button;
    }

    std::wstring LastHistoryText()
    {
        const CHtmlStringTable& h = Browser().GetHistory();
        return h.GetCell(h.GetRowCount() - 1, 1);
    }

    CBrowserWindow m_window;
};

const char kQuery[] = "t=two+words+%26+more&pw=p+w&r=r2&c1=on&s=Two&s3=3+%26+4&ta=line1%0d%0aline2&h=hid";

TEST_F(HtmlForms, ControlsAreRowsOfTheControlsTable)
{
    int form = Browser().AddForm(L"http://h/a", nullptr);
    EXPECT_EQ(0, form);
    EXPECT_STREQ(L"get", Browser().GetForms().GetCell(0, 1));
    HWND edit = Browser().CreateEditControl(1, 4, 80, 20, L"abcdefg", 0, L"name", form, 1);
    HWND check = Browser().CreateCheckBox(13, 13, L"v", L"c", form);
    ASSERT_TRUE(edit && check);
    EXPECT_EQ(1, GetDlgCtrlID(edit));
    EXPECT_EQ(2, GetDlgCtrlID(check));
    EXPECT_EQ(m_window.Canvas(), GetParent(edit));
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD);
    EXPECT_TRUE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(4, (int)SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ((WPARAM)GetStockObject(ANSI_VAR_FONT), (WPARAM)SendMessageW(edit, WM_GETFONT, 0, 0));
    EXPECT_EQ((DWORD)BS_AUTOCHECKBOX, GetWindowLongW(check, GWL_STYLE) & 0xF);

    const CHtmlStringList& row = Browser().GetControls().GetRow(1);
    EXPECT_EQ(5, row.GetCount());
    EXPECT_EQ(std::to_wstring((UINT_PTR)check), row.Get(0));
    EXPECT_STREQ(L"c", row.Get(1));
    EXPECT_STREQ(L"0", row.Get(2));
    EXPECT_STREQ(L"3", row.Get(3));
    EXPECT_STREQ(L"v", row.Get(4));

    // Placed at the document point less the scroll positions, shown.
    Browser().PlaceControl(edit, 30, 40);
    RECT rc;
    GetWindowRect(edit, &rc);
    MapWindowPoints(nullptr, m_window.Canvas(), (POINT*)&rc, 2);
    EXPECT_EQ(30, rc.left);
    EXPECT_EQ(40, rc.top);
    EXPECT_EQ(80, rc.right - rc.left);
    EXPECT_TRUE(IsWindowVisible(edit));
}

TEST_F(HtmlForms, GetSubmitsTheQueryThroughNavigation)
{
    int form = Browser().AddForm(ServerUrl(L"/echo").c_str(), L"GET");
    FillForm(form);
    EXPECT_EQ(12, m_window.ChildCount());
    Browser().SubmitForm(form, nullptr, 0);
    EXPECT_EQ(std::string("GET ") + kQuery, Utf8(LastHistoryText()));
    EXPECT_EQ(Utf8(ServerUrl(L"/echo?")) + kQuery, Utf8(Browser().GetCurrentUrl()));
    // The new page replaced the form.
    EXPECT_EQ(0, m_window.ChildCount());
    EXPECT_EQ(0, Browser().GetControls().GetRowCount());
    EXPECT_EQ(0, Browser().GetForms().GetRowCount());

    // An action with its own query: the form's fields follow with "&".
    form = Browser().AddForm(ServerUrl(L"/echo?x=1").c_str(), L"get");
    FillForm(form);
    Browser().Navigate((L"Submit(" + std::to_wstring(form) + L")").c_str());
    EXPECT_EQ(std::string("GET x=1&") + kQuery, Utf8(LastHistoryText()));
}

TEST_F(HtmlForms, PostSendsTheQueryAsTheBody)
{
    int form = Browser().AddForm(ServerUrl(L"/echo").c_str(), L"post");
    HWND button = FillForm(form);
    // A push button names its form.
    Browser().SubmitForm(-1, button, GetDlgCtrlID(button));
    const CHtmlStringTable& history = Browser().GetHistory();
    ASSERT_EQ(1, history.GetRowCount());
    EXPECT_EQ(Utf8(ServerUrl(L"/echo")), Utf8(history.GetCell(0, 0)));
    EXPECT_EQ(std::string("POST ") + kQuery, Utf8(history.GetCell(0, 1)));
    EXPECT_EQ(0, m_window.ChildCount());

    // A wrong id, a window that is no push button, or no form: nothing.
    form = Browser().AddForm(ServerUrl(L"/echo").c_str(), L"post");
    button = FillForm(form);
    Browser().SubmitForm(-1, button, GetDlgCtrlID(button) + 1);
    Browser().SubmitForm(-1, GetWindow(m_window.Canvas(), GW_CHILD), 1);
    Browser().SubmitForm(7, nullptr, 0);
    EXPECT_EQ(1, history.GetRowCount());
    // An action without a host cannot be posted.
    int length = 0;
    EXPECT_EQ(nullptr, Browser().PostForm(L"/echo", L"a=b", &length));
}

TEST_F(HtmlForms, DestroyingControlsLeavesNoWindowAndFreesTheOptionValues)
{
    // Every option value is freed once, whatever the selection.
    {
        CHtmlStringTable few;
        for (const wchar_t* v : {L"one", L"", L"three"}) {
            int row = few.AddRow() - 1;
            few.AppendCell(row, L"text");
            few.AppendCell(row, v);
        }
        tesmir::test::CFreeCounter frees;
        int form = Browser().AddForm(L"http://h/", L"get");
        HWND lists[] = {Browser().CreateComboBox(100, 20, few, 2, L"a", form),
                        Browser().CreateComboBox(100, 20, few, -1, L"b", form)};
        std::vector<void*> values;
        for (HWND list : lists)
            for (int i = 0; i < 3; ++i) {
                values.push_back((void*)SendMessageW(list, CB_GETITEMDATA, (WPARAM)i, 0));
                frees.Track(values.back());
            }
        Browser().DestroyFormControls();
        for (void* v : values)
            EXPECT_EQ(1, frees.Frees(v));
        EXPECT_FALSE(IsWindow(lists[0]));
        EXPECT_FALSE(IsWindow(lists[1]));
    }

    // Each round holds about 4 MB of option values; leaking them would use
    // up the address space the rounds measure.
    CHtmlStringTable options;
    std::wstring value(2000, L'v');
    for (int i = 0; i < 500; ++i) {
        int row = options.AddRow() - 1;
        options.AppendCell(row, L"option");
        options.AppendCell(row, value.c_str());
    }
    MEMORYSTATUSEX before = {};
    before.dwLength = sizeof(before);
    for (int round = 0; round < 30; ++round) {
        if (round == 1)
            GlobalMemoryStatusEx(&before);
        int form = Browser().AddForm(L"http://h/", L"get");
        Browser().CreateComboBox(100, 20, options, 0, L"s", form);
        Browser().CreateComboBox(100, 20, options, 3, L"t", form);
        FillForm(form);
        Browser().DestroyFormControls();
        ASSERT_EQ(0, m_window.ChildCount());
        ASSERT_EQ(0, Browser().GetControls().GetRowCount());
        ASSERT_EQ(0, Browser().GetForms().GetRowCount());
    }
    MEMORYSTATUSEX after = {};
    after.dwLength = sizeof(after);
    GlobalMemoryStatusEx(&after);
    EXPECT_LT((long long)before.ullAvailVirtual - (long long)after.ullAvailVirtual, 16LL * 1024 * 1024);
}

}  // namespace
