// The parser: the fixture pages against their expected element dumps, the
// behaviours those dumps are about checked one by one, and pages that try
// the parser's limits.
#include <gtest/gtest.h>

#include <objbase.h>

#include <functional>
#include <string>

#include "HtmlDump.h"
#include "HtmlPages.h"
#include "TestSupport.h"
#include "html/CHtmlDocument.h"
#include "html/CHtmlImageLoader.h"

namespace {

using html_test::CRecordingHost;
using html_test::DumpElements;
using html_test::PagePath;
using html_test::PageUrl;
using html_test::ReadPage;
using tesmir::test::Utf8;

class HtmlParser : public testing::Test
{
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }

    // Loads a fixture page with the browser's defaults.
    CHtmlDocument& LoadPage(const wchar_t* name)
    {
        std::wstring text = ReadPage(PagePath(name));
        EXPECT_FALSE(text.empty()) << Utf8(name);
        m_doc.Load(text.c_str(), L"Arial", 15, RGB(0, 0, 0), PageUrl(name).c_str());
        return m_doc;
    }
    CHtmlDocument& LoadText(const wchar_t* text, const wchar_t* base = L"file://C:\\pages\\page.html")
    {
        m_doc.Load(text, L"Arial", 15, RGB(0, 0, 0), base);
        return m_doc;
    }

    CRecordingHost m_host;
    CHtmlDocument m_doc{&m_host};
};

// Every element of the tree, depth first, children after their cell.
void Walk(const CHtmlElementList& items, const std::function<void(const CHtmlElement*)>& f)
{
    for (const CHtmlElement* e : items) {
        f(e);
        Walk(e->children, f);
    }
}

const CHtmlElement* FindText(const CHtmlElementList& items, const wchar_t* text)
{
    const CHtmlElement* found = nullptr;
    Walk(items, [&](const CHtmlElement* e) {
        if (!found && e->nKind == HTML_ELEMENT_TEXT && wcscmp(e->pszText, text) == 0)
            found = e;
    });
    return found;
}

// The kinds of the top-level elements as a string: t text (b blank), i
// image, n break, c cell.
std::string Shape(const CHtmlElementList& items)
{
    std::string s;
    for (const CHtmlElement* e : items)
        s += e->IsBlank() ? 'b' : "tinc"[e->nKind];
    return s;
}

TEST_F(HtmlParser, FixturePagesMatchTheirExpectedDumps)
{
    // TESMIR_UPDATE_EXPECTED=1 writes the expected files instead (read
    // every change before committing it).
    bool update = GetEnvironmentVariableW(L"TESMIR_UPDATE_EXPECTED", nullptr, 0) > 0;
    for (const wchar_t* name : {L"fonts.html", L"blocks.html", L"tables.html", L"forms.html", L"entities.html",
                                L"text.txt"}) {
        CRecordingHost host;
        CHtmlDocument doc(&host);
        std::wstring text = ReadPage(PagePath(name));
        ASSERT_FALSE(text.empty()) << Utf8(name);
        doc.Load(text.c_str(), L"Arial", 15, RGB(0, 0, 0), PageUrl(name).c_str());
        std::string dump = host.m_log + "--\n" + DumpElements(doc.GetItems(), false) + "--\nlinks:";
        for (int i = 0; i < doc.GetLinks().GetRow(0).GetCount(); ++i)
            dump += " " + Utf8(doc.GetLinks().GetCell(0, i));
        dump += "\n";
        // Link URLs carry the page folder: make them independent of it.
        std::string folder = Utf8(PagePath(L""));
        for (size_t at; (at = dump.find(folder)) != std::string::npos;)
            dump.replace(at, folder.size(), "<pages>\\");
        std::wstring expectedPath = PagePath((std::wstring(name) + L".expected").c_str());
        if (update) {
            HANDLE file = CreateFileW(expectedPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, dump.data(), (DWORD)dump.size(), &written, nullptr);
            CloseHandle(file);
            continue;
        }
        EXPECT_EQ(tesmir::test::ReadWholeFile(expectedPath), dump) << Utf8(name);
    }
}

TEST_F(HtmlParser, FontSizesHeadingsAndTitle)
{
    CHtmlDocument& doc = LoadPage(L"fonts.html");
    EXPECT_NE(std::string::npos, m_host.m_log.find("title Font & sizes\n"));
    const struct
    {
        const wchar_t* text;
        int height;
        int bold;
    } cases[] = {
        {L"plus", 17, 0},  {L"three", 20, 0}, {L"mono", 15, 0},  {L"One", 30, 1},   {L"Two", 22, 1},
        {L"Three", 20, 1}, {L"small", 10, 0}, {L"big", 20, 0},   {L"sub", 10, 0},   {L"sup", 10, 0},
        {L"both", 15, 1},
    };
    for (const auto& c : cases) {
        const CHtmlElement* e = FindText(doc.GetItems(), c.text);
        ASSERT_NE(nullptr, e) << Utf8(c.text);
        EXPECT_EQ(c.height, e->nFontHeight) << Utf8(c.text);
        EXPECT_EQ(c.bold, e->bBold) << Utf8(c.text);
    }
    // The face is cut at its first comma; the colour name is read.
    const CHtmlElement* mono = FindText(doc.GetItems(), L"mono");
    EXPECT_STREQ(L"Courier New", mono->szFace);
    EXPECT_EQ(RGB(255, 0, 0), mono->crText);
    // Subscript is measured small; superscript keeps the full-height box.
    const CHtmlElement* sub = FindText(doc.GetItems(), L"sub");
    const CHtmlElement* sup = FindText(doc.GetItems(), L"sup");
    EXPECT_EQ(MeasureText(L"Arial", 10, 0, 0, L"sub", 3).cy, sub->cy);
    EXPECT_EQ(MeasureText(L"Arial", 15, 0, 0, L"sup", 3).cy, sup->cy);
    EXPECT_EQ(HTML_FRAME_MIDDLE, FindText(doc.GetItems(), L"gone")->nFrame);
    EXPECT_EQ(HTML_FRAME_BOTTOM, FindText(doc.GetItems(), L"under")->nFrame);
    EXPECT_EQ(1, FindText(doc.GetItems(), L"both")->bItalic);
}

TEST_F(HtmlParser, ParagraphsMakeEmptyLinesOnlyAfterText)
{
    // After a word: blank, break, blank, break (an empty line).
    EXPECT_EQ("tbnbnt", Shape(LoadText(L"word<p>next").GetItems()));
    // At a line start: only the break.
    EXPECT_EQ("nt", Shape(LoadText(L"<p>next").GetItems()));
    // A line break always gives its blank.
    EXPECT_EQ("bnt", Shape(LoadText(L"<br>next").GetItems()));
    EXPECT_EQ("tbnt", Shape(LoadText(L"word<br>next").GetItems()));
}

TEST_F(HtmlParser, LinksUnknownTagsEntitiesAndHiddenImages)
{
    CHtmlDocument& doc = LoadPage(L"entities.html");
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), doc.GetBackground());
    // Two URLs differing only in case share one link index.
    const CHtmlElement* first = FindText(doc.GetItems(), L"first");
    const CHtmlElement* second = FindText(doc.GetItems(), L"second");
    const CHtmlElement* third = FindText(doc.GetItems(), L"third");
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->nLink, second->nLink);
    EXPECT_NE(first->nLink, third->nLink);
    EXPECT_EQ(2, doc.GetLinks().GetRow(0).GetCount());
    EXPECT_EQ(0xFF0000u, first->crText);
    // The span disappears, its text stays.
    EXPECT_NE(nullptr, FindText(doc.GetItems(), L"spanned"));
    Walk(doc.GetItems(), [](const CHtmlElement* e) {
        if (e->pszText) {
            EXPECT_EQ(nullptr, wcsstr(e->pszText, L"style")) << Utf8(e->pszText);
        }
    });
    // One picture element: the one of width 0 makes none.
    int images = 0;
    Walk(doc.GetItems(), [&](const CHtmlElement* e) { images += e->nKind == HTML_ELEMENT_IMAGE; });
    EXPECT_EQ(1, images);
    EXPECT_NE(nullptr, FindText(doc.GetItems(), L"<tag>"));
    EXPECT_NE(nullptr, FindText(doc.GetItems(), L"&AMP;"));
    EXPECT_NE(nullptr, FindText(doc.GetItems(), L"A"));
    // A numeric reference ends at a blank, which goes with it.
    EXPECT_NE(nullptr, FindText(doc.GetItems(), L"B"));
    EXPECT_EQ(RGB(0xD3, 0xD3, 0xD3), FindText(doc.GetItems(), L"grey")->crText);
    EXPECT_EQ(RGB(0, 0xFF, 0), FindText(doc.GetItems(), L"green")->crText);
}

TEST_F(HtmlParser, TextPagesKeepLinesAndTabsInCourierNew)
{
    CHtmlDocument& doc = LoadPage(L"text.txt");
    std::wstring line;
    std::vector<std::wstring> lines;
    for (const CHtmlElement* e : doc.GetItems()) {
        if (e->nKind == HTML_ELEMENT_BREAK) {
            lines.push_back(line);
            line.clear();
            continue;
        }
        ASSERT_EQ(HTML_ELEMENT_TEXT, e->nKind);
        EXPECT_STREQ(L"Courier New", e->szFace);
        EXPECT_EQ(1, e->bNoWrap);
        line += e->pszText;
    }
    ASSERT_GE(lines.size(), 3u);
    // Each line ends in the blank its line feed gives.
    EXPECT_EQ(L"col1 next ", lines[0]);
    EXPECT_EQ(L"ab   c ", lines[1]);
    EXPECT_EQ(L"plain & simple ", lines[2]);
}

TEST_F(HtmlParser, ListMarkersByKindAndNesting)
{
    CHtmlDocument& doc = LoadPage(L"blocks.html");
    // Marker cells (column 0) of every list, in document order.
    std::vector<std::wstring> markers;
    std::vector<std::wstring> faces;
    Walk(doc.GetItems(), [&](const CHtmlElement* e) {
        if (e->nKind != HTML_ELEMENT_CELL || e->nColumn != 0 || e->nPadding != 2)
            return;
        std::wstring text;
        for (const CHtmlElement* c : e->children)
            text += c->pszText ? c->pszText : L"";
        markers.push_back(text);
        faces.push_back(e->children.empty() ? L"" : e->children[0]->szFace);
    });
    std::vector<std::wstring> expected = {L" l ", L" m ", L" l ", L"   1.    ", L"   a.    ", L"   2.    "};
    ASSERT_EQ(expected.size(), markers.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i], markers[i]) << i;
        EXPECT_EQ(i < 3 ? L"Wingdings" : L"Arial", faces[i]) << i;
    }
}

TEST_F(HtmlParser, FormControlsComeFromTheHostWithTheirSizes)
{
    CHtmlDocument& doc = LoadPage(L"forms.html");
    const std::string expected =
        "form 0 file://Z:\\go post\n"
        "edit limit=5 length=8 multi=0 password=0 form=0 name=q text=a&b\n"
        "edit limit=10 length=0 multi=0 password=1 form=0 name=pw text=\n"
        "edit limit=10 length=0 multi=0 password=0 form=0 name=h text=secret\n"
        "check form=0 size=13x13 name=c caption=yes\n"
        "radio form=0 size=13x13 name=r caption=one\n"
        "combo form=0 selection=1 name=s [One|1] [Two|]\n"
        "edit limit=-1 length=0 multi=1 password=0 form=0 name=t text=some <text>\n"
        "button form=0 name=go caption=Send\n"
        "edit limit=10 length=0 multi=0 password=0 form=-1 name= text=\n";
    EXPECT_EQ(expected, m_host.m_log);

    // Sizes: the text boxes measure their zeros in the control font, the
    // button its caption, the list its widest option plus the arrow.
    SIZE five = MeasureText(L"MS Sans serif", 15, 0, 0, L"00000", 5);
    SIZE ten = MeasureText(L"MS Sans serif", 15, 0, 0, L"0000000000", 10);
    SIZE send = MeasureText(L"MS Sans serif", 15, 0, 0, L"Send", 4);
    SIZE two = MeasureText(L"MS Sans serif", 15, 0, 0, L"Two", 3);
    SIZE one = MeasureText(L"MS Sans serif", 15, 0, 0, L"One", 3);
    SIZE blank = MeasureText(L"Courier New", 15, 0, 0, L" ", 1);
    ASSERT_EQ(7u, m_host.m_sizes.size());
    EXPECT_EQ(five.cx + 8, m_host.m_sizes[0].cx);
    EXPECT_EQ(five.cy + 4, m_host.m_sizes[0].cy);
    EXPECT_EQ(ten.cx + 8, m_host.m_sizes[1].cx);
    EXPECT_EQ(0, m_host.m_sizes[2].cx);
    EXPECT_EQ(0, m_host.m_sizes[2].cy);
    EXPECT_EQ(std::max(one.cx, two.cx) + GetSystemMetrics(SM_CXHSCROLL) + 8, m_host.m_sizes[3].cx);
    EXPECT_EQ(4 * blank.cx + 4, m_host.m_sizes[4].cx);
    EXPECT_EQ(2 * blank.cy + 4, m_host.m_sizes[4].cy);
    EXPECT_EQ(send.cx + 8, m_host.m_sizes[5].cx);

    // The image input submits its form through a made-up link.
    bool submitLink = false;
    Walk(doc.GetItems(), [&](const CHtmlElement* e) {
        if (e->nKind == HTML_ELEMENT_IMAGE && e->nLink >= 0)
            submitLink = wcscmp(doc.GetLinks().GetCell(0, e->nLink), L"Submit(0)") == 0 && e->nCellWidth == 10 &&
                         e->nCellHeight == 5;
    });
    EXPECT_TRUE(submitLink);
    // Every control element keeps its window.
    int controls = 0;
    Walk(doc.GetItems(), [&](const CHtmlElement* e) { controls += e->hControl != nullptr; });
    EXPECT_EQ(m_host.m_nControls, controls);
}

TEST_F(HtmlParser, AttributesEndWithTheirTag)
{
    CHtmlStringTable t;
    CHtmlDocument::ParseAttributes(L"<a href=\"x y\" name = 'n' checked size=3>rest=no", t);
    ASSERT_EQ(4, t.GetRowCount());
    EXPECT_STREQ(L"href", t.GetCell(0, 0));
    EXPECT_STREQ(L"x y", t.GetCell(0, 1));
    EXPECT_STREQ(L"name", t.GetCell(1, 0));
    EXPECT_STREQ(L"n", t.GetCell(1, 1));
    EXPECT_STREQ(L"checked", t.GetCell(2, 0));
    EXPECT_EQ(1, t.GetRow(2).GetCount());
    EXPECT_STREQ(L"3", t.GetCell(3, 1));
    // A quote that never closes stops at the tag's end.
    CHtmlDocument::ParseAttributes(L"<a href=\"never>text and more", t);
    ASSERT_EQ(1, t.GetRowCount());
    EXPECT_STREQ(L"never", t.GetCell(0, 1));
}

TEST_F(HtmlParser, PathologicalPagesStayWithinBounds)
{
    for (const auto& page : html_test::PathologicalPages()) {
        SCOPED_TRACE(Utf8(page.name));
        CRecordingHost host;
        CHtmlDocument doc(&host);
        doc.Load(page.text.c_str(), L"Arial", 15, RGB(0, 0, 0), L"file://C:\\pages\\page.html");
        int items = 0, images = 0, links = 0, level = 0;
        doc.GetStatusCounts(&items, &images, &links, &level);
        EXPECT_LE(level, CHtmlDocument::kMaxDepth);
        int depth = 0;
        std::function<void(const CHtmlElementList&, int)> deepest = [&](const CHtmlElementList& list, int d) {
            if (!list.empty())
                depth = std::max(depth, d);
            for (const CHtmlElement* e : list) {
                EXPECT_LE(e->nFontHeight, HTML_MAX_FONT_HEIGHT);
                EXPECT_GE(e->nFontHeight, 0);
                if (e->pszText) {
                    EXPECT_LE(wcslen(e->pszText), 1000u);
                }
                EXPECT_LE(e->cx, 20000);
                deepest(e->children, d + 1);
            }
        };
        deepest(doc.GetItems(), 0);
        EXPECT_LE(depth, CHtmlDocument::kMaxDepth);
        RECT rc = {0, 0, 600, 400};
        doc.Layout(rc);
        EXPECT_LE(rc.right, 1000000);
        tesmir::test::CDibCanvas canvas(200, 100);
        RECT clip = {0, 0, 200, 100};
        doc.Draw(canvas.Dc(), clip, 0, 0);
    }
}

}  // namespace
