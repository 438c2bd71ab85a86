// The renderer's window-free vocabulary: references, sequences, colours,
// tags, the string tables, URL resolution and form encoding.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "html/CHtmlStringTable.h"
#include "html/HtmlUrl.h"
#include "html/HtmlVocabulary.h"
#include "markup/NamedColors.h"

namespace {

using tesmir::test::Utf8;

std::wstring Decoded(const std::wstring& text, void (*decode)(wchar_t*))
{
    std::wstring buffer = text;
    decode(&buffer[0]);
    return std::wstring(buffer.c_str());
}

TEST(HtmlVocabulary, DecodesCharacterReferences)
{
    const struct
    {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"a&amp;b", L"a&b"},
        {L"&AMP;", L"&AMP;"},                     // names are case-sensitive
        {L"x&#65;y", L"xAy"},
        {L"x&#65 y", L"xAy"},                     // the blank ends it and goes with it
        {L"x&#65", L"xA"},                        // the end of the text ends it
        {L"&#65<b", L"A<b"},                      // any other character stays
        {L"&#;", L"&#;"},
        {L"ab&#x41;cd", L"ab"},                   // hexadecimal gives 0: the text ends
        {L"&#99999999999;z", L"\xFFFD" L"z"},     // never cut into another character
        {L"&nbsp;", L"\x00A0"},
        {L"a\x00A0" L"b", L"a b"},
        {L"\x0097", L"-"},
        {L"&lt;p&gt; &quot;q&quot;", L"<p> \"q\""},
        {L"&copy;&yuml;&times;&divide;", L"\x00A9\x00FF\x00D7\x00F7"},
        {L"&OElig;&mdash;&ldquo;", L"E-\""},
        {L"&lsquo;&rsquo;&bdquo;&dagger;&Dagger;&bull;&hellip;&permil;&lsaquo;&rsaquo;&euro;&trade;",
         L"\x2018\x2019\x201E\x2020\x2021\x2022\x2026\x2030\x2039\x203A\x20AC\x2122"},
        {L"&unknown; & &amp", L"&unknown; & &amp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(c.out), Utf8(Decoded(c.in, HtmlDecodeEntities))) << Utf8(c.in);
}

TEST(HtmlVocabulary, ReferenceTableCoversLatin1InCodeOrder)
{
    for (int i = 0; i < 96; ++i)
        EXPECT_EQ((wchar_t)(0xA0 + i), g_HtmlReferences[4 + i].ch) << Utf8(g_HtmlReferences[4 + i].name);
    for (const HtmlNamedReference& r : g_HtmlReferences) {
        size_t n = wcslen(r.name);
        EXPECT_TRUE(n == 1 || (r.name[0] == L'&' && r.name[n - 1] == L';' && n <= 10)) << Utf8(r.name);
    }
}

TEST(HtmlVocabulary, DecodesUtf8PairsReadAsLatin1)
{
    std::wstring all;
    std::wstring expected;
    for (wchar_t c = 0xA0; c <= 0xBF; ++c) {
        all += L'\x00C2';
        all += c;
        expected += c;
    }
    for (wchar_t c = 0x80; c <= 0xBF; ++c) {
        all += L'\x00C3';
        all += c;
        expected += (wchar_t)(c + 0x40);
    }
    EXPECT_EQ(96u, expected.size());
    EXPECT_EQ(Utf8(expected), Utf8(Decoded(all, HtmlDecodeUtf8Pairs)));
    // Pairs outside the table stay; a lone lead character at the end too.
    EXPECT_EQ(Utf8(L"\x00C2\x0080\x00C3\x00C0x\x00C3"), Utf8(Decoded(L"\x00C2\x0080\x00C3\x00C0x\x00C3",
                                                                      HtmlDecodeUtf8Pairs)));
    // References first, then the pairs.
    std::wstring text = L"caf&#195;&#169;";
    HtmlDecodeEntities(&text[0]);
    HtmlDecodeUtf8Pairs(&text[0]);
    EXPECT_EQ(Utf8(L"caf\x00E9"), Utf8(text.c_str()));
}

TEST(HtmlVocabulary, ParsesColours)
{
    const struct
    {
        const wchar_t* text;
        COLORREF color;
    } cases[] = {
        {L"#ff0000", RGB(255, 0, 0)},      {L"ff0000", RGB(255, 0, 0)},
        {L"Red", RGB(255, 0, 0)},          {L"red", RGB(255, 0, 0)},
        {L"RED", RGB(255, 0, 0)},          {L"#00FF80", RGB(0, 255, 0x80)},
        {L"BlanchedAlmond", RGB(0xFF, 0xFF, 0xCD)},
        {L"Gray", RGB(0x7F, 0x7F, 0x7F)},  {L"YellowGreen", RGB(0x8B, 0xCD, 0x32)},
        {L"LightGrey", RGB(0xD3, 0xD3, 0xD3)},
        {L"LightGray", RGB(0, 0, 0)},  // not a name, and no hexadecimal digit
        {L"#f0", RGB(0xF0, 0, 0)},         // stops at the end of the text
        {L"#", RGB(0, 0, 0)},              {L"", RGB(0, 0, 0)},
        {L"#1z3x5y", RGB(0x10, 0x30, 0x50)},
        {L"AliceBlue", RGB(0xF0, 0xF8, 0xFF)},  {L"Navy", RGB(0, 0, 0x80)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.color, HtmlParseColor(c.text)) << Utf8(c.text);

    int greys = 0, ownValues = 0;
    for (const NamedColor& c : g_NamedColors)
        greys += wcsstr(c.name, L"Grey") != nullptr;
    EXPECT_EQ(1, greys);
    // Every name is distinct; pages draw three names with their own values.
    for (int i = 0; i < NAMED_COLOR_COUNT; ++i) {
        EXPECT_EQ(NamedPageColor(i), HtmlParseColor(g_NamedColors[i].name)) << Utf8(g_NamedColors[i].name);
        ownValues += NamedPageColor(i) != g_NamedColors[i].color;
    }
    EXPECT_EQ(3, ownValues);
}

TEST(HtmlVocabulary, FindsTagsByPrefixAndEnd)
{
    const struct
    {
        const wchar_t* text;
        bool prePass;
        int tag;
    } cases[] = {
        {L"<br>", false, HTML_TAG_BR},        {L"<BR>", false, HTML_TAG_BR},
        {L"<b class=x>", false, HTML_TAG_B},  {L"<body>", false, -1},
        {L"<p", false, HTML_TAG_P},           {L"</p>", false, HTML_TAG_P_END},
        {L"<table\n>", false, -1},            {L"<table\n>", true, HTML_TAG_TABLE},
        {L"<td\t", true, HTML_TAG_TD},        {L"<span>", false, -1},
        {L"</blockquote>", false, HTML_TAG_BLOCKQUOTE_END},
        {L"<textarea rows=2>", false, HTML_TAG_TEXTAREA},
        {L"<strike>", false, HTML_TAG_STRIKE}, {L"<strong>", false, HTML_TAG_STRONG},
        {L"<", false, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tag, HtmlFindTag(c.text, c.prePass)) << Utf8(c.text);
    EXPECT_STREQ(L"</p", g_HtmlTags[HTML_TAG_COUNT - 1]);
    EXPECT_STREQ(L"clear", g_HtmlAttributes[HTML_ATTR_CLEAR]);
}

TEST(HtmlStringTable, RowsCellsAndHashes)
{
    EXPECT_EQ(0u, CHtmlStringList::Hash(L"", 0));
    EXPECT_EQ((DWORD)'a', CHtmlStringList::Hash(L"a", 1));
    EXPECT_EQ((DWORD)('a' * 255 + 'b'), CHtmlStringList::Hash(L"ab", 2));
    // 32-bit wrapping over a long text.
    DWORD h = 0;
    std::wstring text(40, L'z');
    for (wchar_t c : text)
        h = h * 255u + (DWORD)c;
    EXPECT_EQ(h, CHtmlStringList::Hash(text.c_str(), (int)text.size()));

    CHtmlStringTable table;
    EXPECT_EQ(1, table.AddRow());
    EXPECT_EQ(2, table.AddRow());
    EXPECT_EQ(1, table.AppendCell(0, L"first"));
    EXPECT_EQ(1, table.AppendCell(0, L"second-and-more", 6));
    EXPECT_EQ(0, table.AppendCell(2, L"x"));
    EXPECT_EQ(0, table.AppendCell(0, nullptr));
    EXPECT_STREQ(L"second", table.GetCell(0, 1));
    EXPECT_EQ(CHtmlStringList::Hash(L"second", 6), table.GetRow(0).GetHash(1));
    EXPECT_STREQ(L"", table.GetCell(9, 5));        // row 9 of two rows
    EXPECT_STREQ(L"", table.GetCell(0, 5));
    EXPECT_STREQ(L"", table.GetCell(-1, 0));
    int length = -1;
    table.GetRow(9).Get(5, &length);
    EXPECT_EQ(0, length);

    EXPECT_EQ(1, table.SetCell(0, 0, L"replaced"));
    EXPECT_EQ(0, table.SetCell(0, 2, L"beyond"));
    EXPECT_EQ(0, table.SetCell(7, 0, L"beyond"));
    EXPECT_STREQ(L"replaced", table.GetRow(0).Get(0, &length));
    EXPECT_EQ(8, length);
    EXPECT_EQ(CHtmlStringList::Hash(L"replaced", 8), table.GetRow(0).GetHash(0));

    table.AppendCell(1, L"row one");
    table.RemoveRow(0);
    EXPECT_EQ(1, table.GetRowCount());
    EXPECT_STREQ(L"row one", table.GetCell(0, 0));
    table.Clear();
    EXPECT_EQ(0, table.GetRowCount());
    EXPECT_STREQ(L"", table.GetCell(0, 0));
}

TEST(HtmlUrl, ResolvesAgainstThePage)
{
    const struct
    {
        const wchar_t* url;
        const wchar_t* base;
        const wchar_t* result;
    } cases[] = {
        {L"http://other/x.gif", L"http://host/a/b.html", L"http://other/x.gif"},
        {L"pic.gif", L"http://host/a/b.php?x=1/2", L"http://host/a/pic.gif"},     // query dropped
        {L"pic.gif", L"http://host", L"http://host/pic.gif"},
        {L"pic.gif", L"http://host/", L"http://host/pic.gif"},
        {L"/top.gif", L"http://host:8080/a/b/c.html", L"http://host:8080/top.gif"},
        {L"../up.gif", L"http://host/a/b/c.html", L"http://host/a/up.gif"},
        {L"../../up.gif", L"http://host/a/b/c.html", L"http://host/up.gif"},
        {L"../../../../up.gif", L"http://host/a/b/c.html", L"http://host/up.gif"},   // never the host
        {L"../up.gif", L"http://h/a/c.html", L"http://h/up.gif"},                   // a one-letter host
        {L"../x", L"https://h/c.html", L"https://h/x"},
        {L"dir/x?y=http://z", L"http://host/a/", L"http://host/a/dir/x?y=http://z"},
        {L"img/a.gif", L"file://Z:\\tmp\\page.html", L"file://Z:\\tmp\\img\\a.gif"},
        {L"../a.gif", L"file://Z:\\tmp\\sub\\page.html", L"file://Z:\\tmp\\a.gif"},
        {L"../../../a.gif", L"file://Z:\\tmp\\page.html", L"file://Z:\\a.gif"},   // never the drive
        {L"/a.gif", L"file://Z:\\tmp\\page.html", L"file://Z:\\a.gif"},
        {L"a.gif", L"file:///C:/dir/page.html", L"file://\\C:\\dir\\a.gif"},
        {L"../a.gif", L"file:///C:/page.html", L"file://\\C:\\a.gif"},
        {L"file:///C:/x/y.gif", L"http://host/", L"file://\\C:\\x\\y.gif"},
    };
    for (const auto& c : cases) {
        std::wstring result;
        EXPECT_TRUE(HtmlResolveUrl(c.url, c.base, result)) << Utf8(c.url);
        EXPECT_EQ(Utf8(c.result), Utf8(result)) << Utf8(c.url) << " against " << Utf8(c.base);
    }
}

TEST(HtmlUrl, RefusesResultsThatDoNotFit)
{
    std::wstring base = L"http://host/" + std::wstring(1000, L'd') + L"/page.html";
    std::wstring result;
    EXPECT_TRUE(HtmlResolveUrl(std::wstring(1023 - 1013, L'x').c_str(), base.c_str(), result));
    EXPECT_EQ(1023u, result.size());
    EXPECT_FALSE(HtmlResolveUrl(std::wstring(11, L'x').c_str(), base.c_str(), result));
    EXPECT_TRUE(result.empty());
    std::wstring absolute = L"http://h/" + std::wstring(2000, L'a');
    EXPECT_FALSE(HtmlResolveUrl(absolute.c_str(), L"http://h/", result));
}

TEST(HtmlUrl, EncodesFormValuesAndBuildsQueries)
{
    const struct
    {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"abcXYZ019", L"abcXYZ019"}, {L"a b", L"a+b"}, {L"a&b=c", L"a%26b%3dc"},
        {L"-_.~", L"%2d%5f%2e%7e"},   {L"\n", L"%0a"},  {L"caf\x00E9", L"caf%e9"},
        {L"\x20AC", L"%e2%82%ac"},    {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(c.out), Utf8(HtmlUrlEncode(c.in))) << Utf8(c.in);

    std::wstring query;
    HtmlAppendQueryField(query, L"q", L"two words");
    HtmlAppendQueryField(query, L"n&m", L"a&b");
    EXPECT_EQ("?q=two+words&n&m=a%26b", Utf8(query));
    EXPECT_EQ("http://h/f?q=two+words&n&m=a%26b", Utf8(HtmlMakeGetUrl(L"http://h/f", query)));
    EXPECT_EQ("http://h/f?a=1&q=two+words&n&m=a%26b", Utf8(HtmlMakeGetUrl(L"http://h/f?a=1", query)));
    EXPECT_EQ("http://h/f", Utf8(HtmlMakeGetUrl(L"http://h/f", L"")));
}

}  // namespace
