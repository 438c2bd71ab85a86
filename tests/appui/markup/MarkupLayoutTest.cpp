// The two-pass layout: measured sizes and drawn positions against values
// computed from text extents in the same DC.
#include "MarkupTestSupport.h"

#include <algorithm>
#include <set>

#include "MarkupTestsRes.h"
#include "Screenshots.h"

using markup_test::BodyMetrics;
using markup_test::BodyTextWidth;
using markup_test::CMarkupFixture;

namespace {

class MarkupLayoutTest : public CMarkupFixture
{
};

}  // namespace

TEST_F(MarkupLayoutTest, BreaksMoveDownByLineHeights)
{
    const int lineHeight = BodyMetrics(m_canvas.Dc()).tmHeight;
    const struct
    {
        LPCWSTR markup;
        int lines;
    } cases[] = {{L"a<br>b", 1}, {L"a<br=3>b", 3}, {L"a<br 3>b", 1}, {L"a</br>b", 1}, {L"a\nb", 1}};
    for (const auto& c : cases)
    {
        Render(c.markup, 0, 5);
        const MarkupTextItem* a = m_list.Find(L"a");
        const MarkupTextItem* b = m_list.Find(L"b");
        ASSERT_TRUE(a != NULL && b != NULL);
        EXPECT_EQ(c.lines * lineHeight, b->y - a->y) << tesmir::test::Utf8(c.markup);
    }
    SIZE size = Render(L"abc");
    EXPECT_EQ(BodyTextWidth(m_canvas.Dc(), L"abc") + 1, size.cx);
    EXPECT_EQ(lineHeight + 1, size.cy);
}

TEST_F(MarkupLayoutTest, TabStops)
{
    const struct
    {
        LPCWSTR markup;
        int x;
    } cases[] = {{L"<hr width=10><t>b", 32}, {L"<hr width=10><t=2>b", 64}, {L"<t>b", 32}, {L"a\tb", 32}};
    for (const auto& c : cases)
    {
        Render(c.markup, 7, 0, 200);
        const MarkupTextItem* b = m_list.Find(L"b");
        ASSERT_TRUE(b != NULL);
        EXPECT_EQ(7 + c.x, b->x) << tesmir::test::Utf8(c.markup);
    }
}

TEST_F(MarkupLayoutTest, JustifiedLinesStretchToTheBox)
{
    const int wrap = 150;
    m_renderer.SetWrapWidth(wrap);
    SIZE size = Render(L"<justify>one two three four five six seven eight nine ten eleven twelve</justify>", 10, 0,
                       wrap);
    // Each line is one chunk of the run. The measure is the widest line as
    // laid out, before any stretching, plus one.
    std::set<int> rows;
    int widest = 0;
    for (const MarkupTextItem& t : m_list.texts)
    {
        rows.insert(t.y);
        widest = std::max(widest, BodyTextWidth(m_canvas.Dc(), t.text));
    }
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(widest + 1, size.cx);
    EXPECT_LE(size.cx, wrap + 1);
    const int lastRow = *rows.rbegin();
    for (const MarkupTextItem& t : m_list.texts)
    {
        if (t.y != lastRow)
            EXPECT_EQ(10 + wrap, t.x + t.width) << tesmir::test::Utf8((LPCWSTR)t.text);
        else
            EXPECT_LT(t.x + t.width, 10 + wrap);
        EXPECT_EQ(10, t.x);
    }
    appui_test::SaveScreenshot(m_canvas, L"markup_justified");
}

TEST_F(MarkupLayoutTest, RulesWithoutWidthWidenTheMeasure)
{
    const int plain = Render(L"abcdef<br>x").cx;
    EXPECT_EQ(plain + 1, Render(L"abcdef<br><hr><br>x").cx);
    EXPECT_EQ(plain, Render(L"abcdef<br><hr width=50%><br>x").cx);
    // Drawn, the rules are 100 and 50 percent of the layout width.
    Render(L"abcdef<br><hr><hr width=50%>", 0, 0, 200);
    ASSERT_EQ(2u, m_list.rules.size());
    EXPECT_EQ(200, m_list.rules[0].x2 - m_list.rules[0].x1);
    EXPECT_EQ(100, m_list.rules[1].x2 - m_list.rules[1].x1);
}

TEST_F(MarkupLayoutTest, ImagesTakeTheirBoxAndShadow)
{
    HICON hIcon = LoadIconW(NULL, (LPCWSTR)IDI_ASTERISK);
    ASSERT_NE(nullptr, hIcon);
    CString markup;
    markup.Format(L"<icon handle=0x%x>", (unsigned)(UINT_PTR)hIcon);
    SIZE plain = Render(markup);
    ASSERT_EQ(1u, m_list.images.size());
    EXPECT_EQ(32, m_list.images[0].right - m_list.images[0].left);
    EXPECT_EQ(33, plain.cx);
    markup.Format(L"<icon handle=0x%x style=s>", (unsigned)(UINT_PTR)hIcon);
    SIZE shadowed = Render(markup);
    ASSERT_EQ(1u, m_list.images.size());
    EXPECT_EQ(36, m_list.images[0].right - m_list.images[0].left);
    EXPECT_EQ(36, m_list.images[0].bottom - m_list.images[0].top);
    EXPECT_EQ(plain.cx + 4, shadowed.cx);

    // Resource bitmaps at half width, strip frames, and a string resource.
    const struct
    {
        LPCWSTR markup;
        int width;
        int height;
    } cases[] = {
        {L"<bmp idres=501 width=50%>", 4, 8},
        {L"<bmp idres=501 width=20 height=10 mask=#ff00ff>", 20, 10},
        {L"<ilst idres=502 index=2>", 8, 8},
        {L"<ilst idres=502 index=4>", 0, 0},
        {L"<bmp idres=999>", 0, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(tesmir::test::Utf8(c.markup));
        Render(c.markup, 0, 0, 100);
        if (c.width == 0)
        {
            EXPECT_TRUE(m_list.images.empty());
            continue;
        }
        ASSERT_EQ(1u, m_list.images.size());
        EXPECT_EQ(c.width, m_list.images[0].right - m_list.images[0].left);
        EXPECT_EQ(c.height, m_list.images[0].bottom - m_list.images[0].top);
    }
    Render(L"<ilst idres=502 index=2>", 0, 0, 100);
    EXPECT_EQ(RGB(0, 0, 255), m_canvas.Pixel(4, m_list.images[0].top + 4));
    Render(L"[<string idres=504>][<string idres=0>]");
    EXPECT_EQ(std::wstring(L"[From the string table][]"), m_list.AllText());
}

TEST_F(MarkupLayoutTest, UnclosedTablesEnd)
{
    const LPCWSTR texts[] = {L"abc<table", L"x<table>", L"<table", L"a<table><tr><td>b", L"<<table>c"};
    for (LPCWSTR text : texts)
    {
        SCOPED_TRACE(tesmir::test::Utf8(text));
        Render(text);
    }
    Render(L"abc<table");
    EXPECT_EQ(std::wstring(L"abc"), m_list.AllText());
    const struct
    {
        LPCWSTR text;
        int pos;
        int expected;
    } skips[] = {
        {L"x<table>", 1, 8},
        {L"<table", 0, 6},
        {L"<table></table>", 0, 7},
        {L"<table><table></table>x</table>y", 0, 23},
        {L"ab", 5, 5},
    };
    for (const auto& s : skips)
        EXPECT_EQ(s.expected, CMarkupRenderer::SkipTable(s.text, s.pos)) << tesmir::test::Utf8(s.text);
}

TEST_F(MarkupLayoutTest, DrawAfterAStyleSheetChangeStopsAtTheLastLine)
{
    m_renderer.SetWrapWidth(200);
    m_renderer.SetStyleSheet(L"body {font-size: 8px}");
    const LPCWSTR text = L"one two three four five six seven eight nine ten eleven twelve thirteen fourteen";
    SIZE size = {0, 0};
    m_renderer.Measure(m_canvas.Dc(), text, size);
    std::set<int> measuredRows;
    RECT rc = {0, 0, 200, 300};
    m_renderer.Draw(m_canvas.Dc(), rc);
    for (const MarkupTextItem& t : m_list.texts)
        measuredRows.insert(t.y);
    m_list.Clear();
    m_renderer.SetStyleSheet(L"body {font-size: 40px}");
    m_renderer.Draw(m_canvas.Dc(), rc);
    std::set<int> drawnRows;
    for (const MarkupTextItem& t : m_list.texts)
        drawnRows.insert(t.y);
    EXPECT_LE(drawnRows.size(), measuredRows.size());
    EXPECT_LT(m_list.AllText().size(), std::wstring(text).size());
}

TEST_F(MarkupLayoutTest, Screenshot)
{
    HICON hIcon = LoadIconW(NULL, (LPCWSTR)IDI_ASTERISK);
    CString markup;
    markup.Format(L"<h2>Heading</h2>\n<icon handle=0x%x style=s> <b>bold</b> <i>italic</i> <u>under</u> "
                  L"<s>strike</s>\n<font color=blue size=4>blue</font> <a href=\"x\">link</a>\n<hr>"
                  L"<center>centred</center>\n<pre>pre&amp;code</pre> <bmp idres=501 mask=#ff00ff> "
                  L"<ilst idres=502 index=1>",
                  (unsigned)(UINT_PTR)hIcon);
    Render(markup, 4, 4, 380);
    appui_test::SaveScreenshot(m_canvas, L"markup_sample");
}
