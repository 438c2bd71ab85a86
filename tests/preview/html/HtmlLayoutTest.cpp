// Layout at canvas widths of 300 and 600 pixels: line breaking, alignment,
// justification, table widths and floats. Expected positions come from
// the measured extents of the fonts the machine actually has.
#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <map>
#include <string>

#include "HtmlDump.h"
#include "HtmlPages.h"
#include "TestSupport.h"
#include "html/CHtmlDocument.h"

namespace {

using html_test::CRecordingHost;
using html_test::DumpElements;
using tesmir::test::Utf8;

class HtmlLayout : public testing::Test
{
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }

    // Loads text and lays it out for a canvas width; returns the width
    // lines have (the canvas less 2).
    int LoadAndLayout(const wchar_t* text, int canvasWidth)
    {
        m_doc.Load(text, L"Arial", 15, RGB(0, 0, 0), L"file://C:\\pages\\page.html");
        RECT rc = {0, 0, canvasWidth, 400};
        m_doc.Layout(rc);
        m_extent = rc;
        return canvasWidth - 2;
    }
    const CHtmlElement* Find(const wchar_t* text, int nth = 0) const
    {
        const CHtmlElement* found = nullptr;
        Find(m_doc.GetItems(), text, nth, found);
        return found;
    }
    static void Find(const CHtmlElementList& items, const wchar_t* text, int& nth, const CHtmlElement*& found)
    {
        for (const CHtmlElement* e : items) {
            if (found)
                return;
            if (e->nKind == HTML_ELEMENT_TEXT && wcscmp(e->pszText, text) == 0 && nth-- == 0)
                found = e;
            Find(e->children, text, nth, found);
        }
    }
    std::string Dump() const { return DumpElements(m_doc.GetItems(), true); }

    CRecordingHost m_host;
    CHtmlDocument m_doc{&m_host};
    RECT m_extent = {};
};

int Width(const wchar_t* text)
{
    return MeasureText(L"Arial", 15, 0, 0, text, -1).cx;
}

TEST_F(HtmlLayout, LinesBreakWhereTheMeasuredWidthsPassTheRightEdge)
{
    std::wstring page;
    const wchar_t* words[] = {L"a", L"lorem", L"ipsum", L"dolor", L"sit", L"amet,", L"consectetur", L"x",
                              L"adipiscing", L"elit", L"sed", L"do"};
    for (int i = 0; i < 40; ++i)
        page += std::wstring(words[i % 12]) + L" ";
    page += std::wstring(80, L'm') + L" tail";
    for (int width : {300, 600}) {
        SCOPED_TRACE(width);
        int avail = LoadAndLayout(page.c_str(), width);
        const CHtmlElementList& items = m_doc.GetItems();
        int lines = 1;
        for (size_t i = 1; i < items.size(); ++i) {
            const CHtmlElement* e = items[i];
            const CHtmlElement* before = items[i - 1];
            if (e->IsBlank() || e->nKind != HTML_ELEMENT_TEXT)
                continue;
            if (e->x == 0) {
                // A new line: the word would have passed the right edge.
                ++lines;
                EXPECT_GT(before->x + before->cx + e->cx, avail) << Utf8(e->pszText) << "\n" << Dump();
                EXPECT_GT(e->y, before->y);
            } else {
                EXPECT_EQ(before->x + before->cx, e->x);
                EXPECT_LE(e->x + e->cx, avail) << Utf8(e->pszText) << "\n" << Dump();
            }
        }
        EXPECT_GT(lines, 2);
        // The word wider than the line stands alone on its own line.
        const CHtmlElement* wide = Find(std::wstring(80, L'm').c_str());
        const CHtmlElement* tail = Find(L"tail");
        ASSERT_TRUE(wide && tail);
        EXPECT_EQ(Width(std::wstring(80, L'm').c_str()), wide->cx);
        EXPECT_GT(wide->cx, avail);
        EXPECT_EQ(0, wide->x);
        EXPECT_EQ(0, tail->x);
        EXPECT_GT(tail->y, wide->y);
    }
}

TEST_F(HtmlLayout, CentredAndRightAlignedLinesIgnoreTheirTrailingBlank)
{
    for (int width : {300, 600}) {
        SCOPED_TRACE(width);
        int avail = LoadAndLayout(L"<center>ab cd</center><div align=right>ef gh</div>", width);
        int line = Width(L"ab") + Width(L" ") + Width(L"cd");
        EXPECT_EQ((avail - line) / 2, Find(L"ab")->x) << Dump();
        EXPECT_EQ((avail - line) / 2 + Width(L"ab") + Width(L" "), Find(L"cd")->x);
        int right = Width(L"ef") + Width(L" ") + Width(L"gh");
        EXPECT_EQ(avail - right, Find(L"ef")->x) << Dump();
    }
}

TEST_F(HtmlLayout, OnlyJustifiedLinesOfThreeOrMoreElementsAreSpread)
{
    for (int width : {300, 600}) {
        SCOPED_TRACE(width);
        std::wstring page = L"<div align=justify>";
        for (int i = 0; i < 30; ++i)
            page += L"word" + std::to_wstring(i) + L" ";
        page += L"</div>";
        int avail = LoadAndLayout(page.c_str(), width);
        // Every line but the last (ended by a break) fills the width, its
        // trailing blank included.
        const CHtmlElement* first = Find(L"word0");
        std::map<int, int> rights;
        for (const CHtmlElement* e : m_doc.GetItems())
            if (e->nKind == HTML_ELEMENT_TEXT)
                rights[e->y] = std::max(rights[e->y], e->x + e->cx);
        ASSERT_GT(rights.size(), 2u);
        int lastY = rights.rbegin()->first;
        for (const auto& line : rights) {
            if (line.first != lastY) {
                EXPECT_EQ(avail, line.second) << line.first << "\n" << Dump();
            }
        }
        EXPECT_LT(rights[lastY], avail);
        EXPECT_EQ(0, first->x);
        // Spreading starts at the third element: the second stays put.
        EXPECT_EQ(first->cx, m_doc.GetItems()[2]->x);

        // A line of a word and its blank stays as it is.
        std::wstring big(avail / Width(L"m") * 2 / 3, L'm');
        LoadAndLayout((L"<div align=justify>" + big + L" " + big + L" end</div>").c_str(), width);
        const CHtmlElement* a = Find(big.c_str());
        const CHtmlElement* b = Find(big.c_str(), 1);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(0, a->x);
        EXPECT_EQ(0, b->x);
        EXPECT_GT(b->y, a->y);
    }
}

TEST_F(HtmlLayout, TableWidthsFollowTheDistributionRules)
{
    for (int width : {300, 600}) {
        SCOPED_TRACE(width);
        int avail = LoadAndLayout(L"<table width=50%><tr><td>x</td></tr></table>", width);
        const CHtmlElement* box = m_doc.GetItems()[0];
        EXPECT_EQ(avail * 50 / 100, box->cx) << Dump();

        // A fixed column keeps its width; the free one takes the rest of a
        // table width given in pixels.
        LoadAndLayout(L"<table width=250 cellpadding=0 cellspacing=0><tr><td width=50>a</td><td>b</td></tr></table>",
                      width);
        const CHtmlElement* a = Find(L"a");
        const CHtmlElement* b = Find(L"b");
        EXPECT_EQ(250, m_doc.GetItems()[0]->cx) << Dump();
        ASSERT_EQ(HTML_ELEMENT_CELL, m_doc.GetItems()[1]->nKind);
        EXPECT_EQ(50, m_doc.GetItems()[1]->cx);
        EXPECT_EQ(200, m_doc.GetItems()[2]->cx);
        EXPECT_EQ(0, a->x);
        EXPECT_EQ(50, b->x);

        // A spanning cell's width is spread evenly over its columns.
        LoadAndLayout(L"<table cellpadding=0 cellspacing=0><tr><td colspan=2>abcdefghijklmnopq</td></tr>"
                      L"<tr><td>a</td><td>b</td></tr></table>",
                      width);
        int wide = Width(L"abcdefghijklmnopq");
        const CHtmlElement* ca = nullptr;
        const CHtmlElement* cb = nullptr;
        for (const CHtmlElement* e : m_doc.GetItems())
            if (e->nKind == HTML_ELEMENT_CELL && e->nRow == 1)
                (e->nColumn == 0 ? ca : cb) = e;
        ASSERT_TRUE(ca && cb);
        EXPECT_EQ(wide, ca->cx + cb->cx) << Dump();
        EXPECT_LE(abs(ca->cx - cb->cx), 1);

        // Fixed columns give way to a narrow table but never below 11.
        LoadAndLayout(L"<table width=5 cellpadding=0 cellspacing=0><tr><td width=40></td><td width=30></td>"
                      L"</tr></table>",
                      width);
        EXPECT_EQ(11, m_doc.GetItems()[1]->cx) << Dump();
        EXPECT_EQ(11, m_doc.GetItems()[2]->cx);

        // Width and height attributes count at most 32767 pixels, and the
        // distribution does not take a sweep per pixel.
        LoadAndLayout(L"<table width=2000000000 cellpadding=0 cellspacing=0><tr><td>a</td><td>b</td></tr></table>",
                      width);
        EXPECT_EQ(HTML_MAX_EXTENT, m_doc.GetItems()[0]->cx) << Dump();
        EXPECT_EQ(HTML_MAX_EXTENT, m_doc.GetItems()[1]->cx + m_doc.GetItems()[2]->cx);
        LoadAndLayout(L"<table height=2000000000 cellpadding=0 cellspacing=0><tr><td>a</td></tr><tr><td>b</td></tr>"
                      L"</table>",
                      width);
        EXPECT_EQ(HTML_MAX_EXTENT, m_doc.GetItems()[0]->cy) << Dump();
    }
}

TEST_F(HtmlLayout, RowspanValignAndPadding)
{
    LoadAndLayout(html_test::ReadPage(html_test::PagePath(L"tables.html")).c_str(), 600);
    const CHtmlElement* tall = Find(L"tall");
    const CHtmlElement* head = Find(L"head");
    const CHtmlElement* fixed = Find(L"fixed");
    ASSERT_TRUE(tall && head && fixed);
    // The spanning cell reaches the second row's bottom; its text sits at
    // its bottom, inside the padding (3, plus 1 for the border).
    const CHtmlElement* tallCell = nullptr;
    for (const CHtmlElement* e : m_doc.GetItems())
        if (e->nKind == HTML_ELEMENT_CELL && e->nRowSpan == 2)
            tallCell = e;
    ASSERT_NE(nullptr, tallCell);
    EXPECT_EQ(tallCell->y + tallCell->cy - 4, tall->y + tall->cy) << Dump();
    EXPECT_GE(tallCell->y + tallCell->cy, fixed->y + fixed->cy + 4);
    EXPECT_EQ(head->y, tallCell->y + 4);
}

TEST_F(HtmlLayout, FloatedTablesNarrowTheLinesBesideThemUntilClear)
{
    for (int width : {300, 600}) {
        SCOPED_TRACE(width);
        int avail = LoadAndLayout(html_test::ReadPage(html_test::PagePath(L"tables.html")).c_str(), width);
        const CHtmlElement* leftText = Find(L"left");
        const CHtmlElement* rightText = Find(L"right");
        const CHtmlElement* beside = Find(L"beside");
        const CHtmlElement* floats = Find(L"floats");
        const CHtmlElement* below = Find(L"below");
        ASSERT_TRUE(leftText && rightText && beside && floats && below);
        const CHtmlElement* leftCell = nullptr;
        const CHtmlElement* rightCell = nullptr;
        for (const CHtmlElement* e : m_doc.GetItems())
            if (e->nKind == HTML_ELEMENT_CELL && e->nFloat >= 0)
                (e->nFloat == 0 ? leftCell : rightCell) = e;
        ASSERT_TRUE(leftCell && rightCell);
        EXPECT_EQ(leftCell->y, rightCell->y - (rightCell->y - leftCell->y)) << Dump();
        EXPECT_LE(rightCell->x + rightCell->cx + rightCell->nSpacing, avail);
        EXPECT_GT(rightCell->x, avail / 2);
        // Beside the floats, between them.
        EXPECT_GE(beside->x, leftCell->x + leftCell->cx) << Dump();
        EXPECT_LT(beside->y, leftCell->y + leftCell->cy);
        EXPECT_LE(floats->x + floats->cx, rightCell->x);
        // Below both after the clearing break.
        EXPECT_GE(below->y, std::max(leftCell->y + leftCell->cy, rightCell->y + rightCell->cy));
        EXPECT_EQ(0, below->x);
    }
}

TEST_F(HtmlLayout, LinksAreHitAndASelectionTakesWholeLineStretches)
{
    LoadAndLayout(L"<a href=\"http://h/a\">first link</a> plain<br>second line words<br>third line words", 600);
    const CHtmlElement* link = Find(L"link");
    const CHtmlElement* plain = Find(L"plain");
    ASSERT_TRUE(link && plain);
    // Hover over the link's second word, off it, and a click on it.
    m_doc.OnMouseMove(link->x + 1, link->y + 1);
    m_doc.OnMouseMove(plain->x + 1, plain->y + 1);
    m_doc.OnClick(link->x + 1, link->y + 1);
    EXPECT_EQ("hover 1 http://h/a\nhover 0 \nnavigate http://h/a\n", m_host.m_log);
    EXPECT_EQ(0, m_doc.GetHoverLink());
    // Every box of the link asks for a repaint.
    m_doc.InvalidateLink(L"http://h/a");
    EXPECT_EQ(3, m_host.m_nInvalidated);  // "first", its blank, "link"
    m_doc.InvalidateLink(L"http://H/A");
    EXPECT_EQ(3, m_host.m_nInvalidated);

    // A drag from the start of "line" on the second line to the start of
    // the third line, normalised as the browser hands it over: the second
    // line from the rectangle's left on (its first word's box meets the
    // rectangle), the third line up to the rectangle's right.
    const CHtmlElement* line2 = Find(L"line");
    const CHtmlElement* line3 = Find(L"line", 1);
    const CHtmlElement* second = Find(L"second");
    const CHtmlElement* words2 = Find(L"words");
    const CHtmlElement* third = Find(L"third");
    const CHtmlElement* words3 = Find(L"words", 1);
    ASSERT_TRUE(line2 && line3 && second && words2 && third && words3);
    ASSERT_LT(line3->x, line2->x + 2);
    ASSERT_GE(words3->x, line2->x + 2);
    RECT rc = {third->x + 2, line2->y + 2, line2->x + 2, third->y + 2};
    m_doc.SelectRect(rc);
    EXPECT_TRUE(second->bSelected);
    EXPECT_TRUE(line2->bSelected);
    EXPECT_TRUE(words2->bSelected);
    EXPECT_TRUE(third->bSelected);
    EXPECT_TRUE(line3->bSelected);
    EXPECT_FALSE(words3->bSelected);
    EXPECT_FALSE(plain->bSelected);
    // An empty selection at a word's point takes that word alone.
    RECT point = {words3->x + 1, words3->y + 1, words3->x + 1, words3->y + 1};
    m_doc.SelectRect(point);
    EXPECT_TRUE(words3->bSelected);
    EXPECT_FALSE(line2->bSelected);
    EXPECT_FALSE(third->bSelected);
}

}  // namespace
