// Tables of the markup renderer through its display list and Measure: the
// measured size, spare width spread over unfixed columns, spans spreading
// their excess, alignment of all-fixed tables, nested tables, and layouts
// that must end however the tables are left open.
#include "MarkupTestSupport.h"

using markup_test::CMarkupFixture;

namespace {

class MarkupTables : public CMarkupFixture
{
protected:
    int WidthOf(LPCWSTR text)
    {
        const markup_test::CDisplayList saved = m_list;
        Render(text);
        const MarkupTextItem* pItem = m_list.Find(text);
        const int cx = pItem != nullptr ? pItem->width : -1;
        m_list = saved;
        return cx;
    }
    // The records of the measure pass alone (a draw widens the columns it
    // stretches).
    SIZE MeasureOnly(LPCWSTR markup)
    {
        SIZE size = {0, 0};
        m_renderer.Measure(m_canvas.Dc(), markup, size);
        return size;
    }
    const MarkupTextItem& Item(LPCWSTR text)
    {
        const MarkupTextItem* pItem = m_list.Find(text);
        static MarkupTextItem none;
        return pItem != nullptr ? *pItem : none;
    }
};

}  // namespace

// No spacing, padding 2, no border: 1 + (wa + 4) + (wb + 4), plus the 1
// Measure adds.
TEST_F(MarkupTables, TwoCellsMeasureTheirTextsAndPadding)
{
    const int wa = WidthOf(L"a"), wb = WidthOf(L"b");
    ASSERT_GT(wa, 0);
    const wchar_t kTable[] = L"<table><tr><td>a</td><td>b</td></tr></table>";
    const SIZE size = MeasureOnly(kTable);
    EXPECT_EQ(1 + (wa + 4) + (wb + 4) + 1, size.cx);
    ASSERT_EQ(1u, m_renderer.GetTableCount());
    EXPECT_EQ((std::vector<int>{wa + 4, wb + 4}), m_renderer.GetTable(0).columnWidths);
    Render(kTable, 0, 0, size.cx - 1);
    EXPECT_EQ(2, Item(L"a").x);
    EXPECT_EQ(2 + (wa + 4) + 1, Item(L"b").x);
}

// 10 pixels of spare width over three unfixed columns: 3, 3 and 4.
TEST_F(MarkupTables, SpareWidthGoesToUnfixedColumns)
{
    const wchar_t kTable[] = L"<table><tr><td>a</td><td>b</td><td>c</td></tr></table>";
    const SIZE size = MeasureOnly(kTable);
    const std::vector<int> measured = m_renderer.GetTable(0).columnWidths;
    ASSERT_EQ(3u, measured.size());
    Render(kTable, 0, 0, size.cx - 1);
    const int xb = Item(L"b").x, xc = Item(L"c").x;
    Render(kTable, 0, 0, size.cx - 1 + 10);
    EXPECT_EQ(xb + 3, Item(L"b").x);
    EXPECT_EQ(xc + 6, Item(L"c").x);
    EXPECT_EQ((std::vector<int>{measured[0] + 3, measured[1] + 3, measured[2] + 4}),
              m_renderer.GetTable(0).columnWidths);
}

// A wide cell over two columns widens them equally, the last also by the
// remainder; a tall cell over two rows heightens them equally, the first
// also by the remainder.
TEST_F(MarkupTables, SpansSpreadTheirExcess)
{
    const int wa = WidthOf(L"a"), wb = WidthOf(L"b");
    const int wWide = WidthOf(L"a much wider text");
    MeasureOnly(L"<table><tr><td colspan=2>a much wider text</td></tr><tr><td>a</td><td>b</td></tr></table>");
    const int excess = (wWide + 4) - ((wa + 4) + (wb + 4));
    ASSERT_GT(excess, 0);
    EXPECT_EQ((std::vector<int>{wa + 4 + excess / 2, wb + 4 + excess / 2 + excess % 2}),
              m_renderer.GetTable(0).columnWidths);

    const wchar_t kTall[] = L"<table><tr><td rowspan=2>one<br>two<br>three<br>four<br>five</td><td>a</td></tr>"
                            L"<tr><td>b</td></tr></table>";
    Render(kTall);
    const int hTall = Item(L"five").y + Item(L"five").height - Item(L"one").y;
    const int ha = Item(L"a").height, hb = Item(L"b").height;
    MeasureOnly(kTall);
    const int extra = (hTall + 4) - ((ha + 4) + (hb + 4));
    ASSERT_GT(extra, 0);
    EXPECT_EQ((std::vector<int>{ha + 4 + extra / 2 + extra % 2, hb + 4 + extra / 2}),
              m_renderer.GetTable(0).rowHeights);
}

// An all-fixed table narrower than its box is centred by align=center and
// right-aligned by align=right; a nested table sits inside its cell below the
// text before it.
TEST_F(MarkupTables, AlignmentAndNesting)
{
    const int kBox = 300;
    const int kTable = 1 + 44 + 44;   // spacing 0, padding 2: two cells of 40
    const struct
    {
        LPCWSTR align;
        int left;
    } cases[] = {{L"left", 0}, {L"center", (kBox - kTable) / 2}, {L"right", kBox - kTable}};
    for (const auto& c : cases)
    {
        const std::wstring markup = std::wstring(L"<table align=") + c.align +
                                    L"><tr><td width=40 align=left>a</td><td width=40 align=left>b</td></tr></table>";
        Render(markup.c_str(), 0, 0, kBox);
        EXPECT_EQ(c.left + 2, Item(L"a").x) << c.align;
        EXPECT_EQ(c.left + 2 + 44 + 1, Item(L"b").x) << c.align;
    }

    const wchar_t kNested[] =
        L"<table><tr><td>before<table><tr><td>a longer inner text</td></tr></table></td><td>x</td></tr></table>";
    const SIZE size = Render(kNested);
    EXPECT_EQ(2u, m_renderer.GetTableCount());
    Render(kNested, 0, 0, size.cx - 1);
    const MarkupTextItem& before = Item(L"before");
    const MarkupTextItem& inner = Item(L"a longer inner text");
    ASSERT_GT(inner.width, 0);
    EXPECT_GE(inner.y, before.y + before.height);
    EXPECT_GE(inner.x, before.x);
    EXPECT_LT(inner.x + inner.width, Item(L"x").x);
}

// Tables, rows and cells left open end at the end of their text, and the
// layout ends (it used to find the same open table again forever).
TEST_F(MarkupTables, OpenTablesRowsAndCellsEnd)
{
    const LPCWSTR cases[] = {
        L"<table><tr><td>a</td><td>b</td>",
        L"<table><tr><td>a<table><tr><td>b",
        L"<table><tr><td>a</td></tr><tr><td>b</td></table> after",
        L"<table><tr><td>a<table><tr><td>b</td></tr></td></tr></table>",
        L"<table><tr><td>a<table>",
        L"<table><tr><td>a</td><td>b<table><tr><td>c</td></tr>",
    };
    for (LPCWSTR markup : cases)
    {
        const SIZE size = Render(markup);
        EXPECT_GT(size.cx, 0) << markup;
        EXPECT_NE(nullptr, m_list.Find(L"a")) << markup;
    }
    EXPECT_EQ(9, CMarkupRenderer::SkipRow(L"<tr><td>a", 0));
    EXPECT_EQ(9, CMarkupRenderer::SkipCell(L"<td>a<tr>", 0));
}

// A draw after a style sheet change, with no new Measure, draws with the
// records the measure pass left and stops at the last of them.
TEST_F(MarkupTables, DrawAfterAStyleSheetChangeKeepsToTheRecords)
{
    const wchar_t kDoc[] = L"<table><tr><td>a</td></tr></table><table><tr><td>b</td><td>c</td></tr></table>";
    SIZE size = {0, 0};
    m_renderer.Measure(m_canvas.Dc(), kDoc, size);
    ASSERT_EQ(2u, m_renderer.GetTableCount());
    m_renderer.SetStyleSheet(L"td {font-size: 20pt}\r\ntable {cellpadding: 4}");
    m_list.Clear();
    const RECT rc = {0, 0, 300, 200};
    m_renderer.Draw(m_canvas.Dc(), rc);
    EXPECT_EQ(2u, m_renderer.GetTableCount());
    EXPECT_NE(nullptr, m_list.Find(L"a"));
}
