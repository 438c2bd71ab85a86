// Fetching pages and pictures against the loopback server, local files and
// the program's resources: conversion, redirects and their limit, the size
// cap, the Referer rule and URLs that do not fit.
#include <gtest/gtest.h>

#include <string>

#include "HtmlTestSupport.h"
#include "TestSupport.h"

namespace {

using html_test::CBrowserWindow;
using html_test::ServerUrl;
using tesmir::test::Utf8;

std::wstring FromAnsi(const std::string& bytes)
{
    std::wstring text(bytes.size(), L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), &text[0], (int)text.size());
    text.resize((size_t)n);
    return text;
}

class HtmlFetch : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ServerUrl(L"").empty()) << "the loopback server is not running";
        m_window.Attach(new CHtmlBrowser(m_window.Canvas(), m_window.Owner(), m_window.Status(), nullptr, nullptr));
    }

    CHtmlBrowser& Browser() { return m_window.Browser(); }

    std::wstring Fetch(const std::wstring& url, int* length = nullptr)
    {
        int n = -1;
        wchar_t* text = Browser().FetchText(url.c_str(), &n);
        if (length)
            *length = n;
        if (!text)
            return L"(none)";
        std::wstring result = text;
        delete[] text;
        return result;
    }

    std::string FetchBytes(const std::wstring& url)
    {
        int n = -1;
        BYTE* data = Browser().FetchData(url.c_str(), &n);
        if (!data)
            return "(none)";
        EXPECT_EQ(0, data[n]) << "no 0 byte after the data";
        std::string bytes(reinterpret_cast<char*>(data), (size_t)n);
        delete[] data;
        return bytes;
    }

    // The last history row's URL and text.
    std::wstring HistoryUrl() { return Browser().GetHistory().GetCell(Browser().GetHistory().GetRowCount() - 1, 0); }
    std::wstring HistoryText() { return Browser().GetHistory().GetCell(Browser().GetHistory().GetRowCount() - 1, 1); }

    // A file in the build folder with the given bytes; returns its path.
    std::wstring WriteFile(const wchar_t* name, const std::string& bytes)
    {
        std::wstring path = tesmir::test::BuildPath(name);
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        CloseHandle(h);
        return path;
    }

    CBrowserWindow m_window;
};

const std::string kPage = "<html><body>Caf\xe9 page</body></html>";

TEST_F(HtmlFetch, PagesComeBackConvertedFromTheAnsiCodePage)
{
    int length = 0;
    EXPECT_EQ(Utf8(FromAnsi(kPage)), Utf8(Fetch(ServerUrl(L"/page.html"), &length)));
    EXPECT_EQ((int)kPage.size(), length);
    const std::string size = std::to_string(kPage.size());
    EXPECT_EQ("Reading " + size + " of " + size, Utf8(m_window.StatusText()));
    // Without a Content-Length the body runs to the end of the connection.
    EXPECT_EQ(Utf8(FromAnsi(kPage)), Utf8(Fetch(ServerUrl(L"/nolength.html"))));
    EXPECT_EQ("Reading " + size, Utf8(m_window.StatusText()));
    // A fetch outside navigation leaves the current URL alone.
    EXPECT_EQ("", Utf8(Browser().GetCurrentUrl()));
    EXPECT_EQ("(none)", Utf8(Fetch(L"http://127.0.0.1:1/nothing-listens-here")));
}

TEST_F(HtmlFetch, PicturesComeBackAsBytesWithAZeroAfterThem)
{
    std::string gif = FetchBytes(ServerUrl(L"/pic.gif"));
    ASSERT_GT(gif.size(), 6u);
    EXPECT_EQ("GIF89a", gif.substr(0, 6));
    EXPECT_EQ(html_test::HttpGet(ServerUrl(L"/pic.gif")), gif);
    std::string bmp = FetchBytes(ServerUrl(L"/pic.bmp"));
    EXPECT_EQ(54u + 16 * 8 * 3, bmp.size());
    // Picture fetches never touch the current URL, even while navigating.
    EXPECT_EQ("", Utf8(Browser().GetCurrentUrl()));
    // Larger bodies grow the buffer; beyond 16 MB the fetch gives none.
    EXPECT_EQ(2u * 1024 * 1024, FetchBytes(ServerUrl(L"/huge?mb=2")).size());
    EXPECT_EQ("(none)", FetchBytes(ServerUrl(L"/huge?mb=17")));
}

TEST_F(HtmlFetch, NavigationFollowsRedirectsToTheFinalPage)
{
    Browser().Navigate(ServerUrl(L"/hop/3").c_str());
    EXPECT_EQ(Utf8(ServerUrl(L"/hop/0")), Utf8(Browser().GetCurrentUrl()));
    EXPECT_EQ(Utf8(ServerUrl(L"/hop/0")), Utf8(HistoryUrl()));
    EXPECT_EQ("<html><body>final page</body></html>", Utf8(HistoryText()));
    // Outside navigation a redirect answer is the page itself.
    EXPECT_EQ("moved", Utf8(Fetch(ServerUrl(L"/hop/3"))));
}

TEST_F(HtmlFetch, RedirectLoopsEndAfterTenHops)
{
    Browser().Navigate(ServerUrl(L"/page.html").c_str());
    ASSERT_EQ(1, Browser().GetHistory().GetRowCount());
    DWORD start = GetTickCount();
    Browser().Navigate(ServerUrl(L"/loop").c_str());
    EXPECT_LT(GetTickCount() - start, 10000u);
    // No page: the previous one stays, the history does not grow.
    EXPECT_EQ(1, Browser().GetHistory().GetRowCount());
    EXPECT_EQ(Utf8(ServerUrl(L"/loop")), Utf8(Browser().GetCurrentUrl()));
    // Ten redirects are followed, not eleven.
    Browser().Navigate(ServerUrl(L"/hop/10").c_str());
    EXPECT_EQ(Utf8(ServerUrl(L"/hop/0")), Utf8(Browser().GetCurrentUrl()));
    EXPECT_EQ(2, Browser().GetHistory().GetRowCount());
    Browser().Navigate(ServerUrl(L"/hop/11").c_str());
    EXPECT_EQ(2, Browser().GetHistory().GetRowCount());
}

TEST_F(HtmlFetch, UrlsThatDoNotFitAreRefusedNotCut)
{
    Browser().Navigate(ServerUrl(L"/page.html").c_str());
    std::wstring current = Browser().GetCurrentUrl();
    std::wstring tooLong = ServerUrl(L"/page.html?") + std::wstring(CHtmlBrowser::kMaxUrl, L'a');
    Browser().Navigate(tooLong.c_str());
    EXPECT_EQ(Utf8(current), Utf8(Browser().GetCurrentUrl()));
    EXPECT_EQ(1, Browser().GetHistory().GetRowCount());
    // A redirect to a location longer than the header buffer.
    Browser().Navigate(ServerUrl(L"/longlocation").c_str());
    EXPECT_EQ(1, Browser().GetHistory().GetRowCount());
}

TEST_F(HtmlFetch, LocalFilesAreReadAndNeverSentAsReferer)
{
    std::string page = "<html>local\xe9";
    page += '\0';
    page += "after</html>";
    std::wstring path = WriteFile(L"html-local-page.html", page);
    std::string bmp = html_test::HttpGet(ServerUrl(L"/pic.bmp"));
    std::wstring picture = WriteFile(L"html-local-picture.bmp", bmp);

    // Up to the first 0 outside navigation; the 0 made a blank in it.
    EXPECT_EQ(Utf8(FromAnsi("<html>local\xe9")), Utf8(Fetch(L"file://" + path)));
    std::wstring url = L"file://" + path;
    Browser().Navigate(url.c_str());
    EXPECT_EQ(Utf8(url), Utf8(Browser().GetCurrentUrl()));
    EXPECT_EQ(Utf8(FromAnsi("<html>local\xe9 after</html>")), Utf8(HistoryText()));

    // A third slash, forward slashes: the same file.
    std::wstring slashed = picture;
    for (wchar_t& c : slashed)
        if (c == L'\\')
            c = L'/';
    EXPECT_EQ(bmp, FetchBytes(L"file:///" + slashed));
    EXPECT_EQ("(none)", FetchBytes(L"file://" + path + L".missing"));

    // While a local page is shown, remote fetches carry no Referer; from a
    // remote page they carry its address.
    std::wstring tag = html_test::UniqueTag(L"ref");
    FetchBytes(ServerUrl(L"/pic.gif?") + tag);
    Fetch(ServerUrl(L"/page.html?") + tag);
    Browser().Navigate(ServerUrl(L"/page.html").c_str());
    FetchBytes(ServerUrl(L"/pic.gif?") + tag);
    std::string referers = html_test::HttpGet(ServerUrl(L"/referers"));
    EXPECT_EQ(std::string::npos, referers.find("file:")) << referers;
    EXPECT_NE(std::string::npos, referers.find(Utf8(ServerUrl(L"/page.html")))) << referers;
}

TEST_F(HtmlFetch, ResourcePagesAreFoundByNameOrLastSegment)
{
    const char kResource[] = "<html><body>resource page</body></html>";
    EXPECT_EQ(kResource, Utf8(Fetch(L"res://TESTPAGE")));
    EXPECT_EQ(kResource, Utf8(Fetch(L"res://program.exe/TESTPAGE")));
    EXPECT_EQ("(none)", Utf8(Fetch(L"res://program.exe/MISSING")));
    std::string bytes = FetchBytes(L"res://TESTPAGE");
    EXPECT_EQ(kResource, bytes);
    Browser().Navigate(L"res://TESTPAGE");
    EXPECT_EQ("res://TESTPAGE", Utf8(Browser().GetCurrentUrl()));
}

DWORD WINAPI ReportFromAnotherThread(void* browser)
{
    static_cast<CHtmlBrowser*>(browser)->OnFetchProgress(7, 8);
    return 0;
}

TEST_F(HtmlFetch, ProgressAndParsingTexts)
{
    Browser().OnFetchProgress(-1, 10);
    EXPECT_EQ("", Utf8(m_window.StatusText()));
    Browser().OnFetchProgress(5, 0);
    EXPECT_EQ("Reading 5", Utf8(m_window.StatusText()));
    Browser().OnFetchProgress(5, 10);
    EXPECT_EQ("Reading 5 of 10", Utf8(m_window.StatusText()));
    EXPECT_EQ(0, Browser().OnParseProgress(0, 3, 9));
    EXPECT_EQ("Parsing 3 of 9", Utf8(m_window.StatusText()));
    EXPECT_EQ(1, Browser().OnParseProgress(1, 4, 9));
    EXPECT_EQ("Parsing 3 of 9", Utf8(m_window.StatusText()));

    // From another thread the text reaches the status bar through the canvas.
    HANDLE thread = CreateThread(nullptr, 0, ReportFromAnotherThread, &Browser(), 0, nullptr);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    EXPECT_TRUE(tesmir::test::PumpUntil([&] { return m_window.StatusText() == L"Reading 7 of 8"; }));
}

}  // namespace
