// Text preparation, markup syntax, the style stack, the value parsers and
// the style sheet, checked through the renderer's display list.
#include "MarkupTestSupport.h"

using markup_test::CMarkupFixture;

namespace {

class MarkupSyntaxTest : public CMarkupFixture
{
};

}  // namespace

TEST_F(MarkupSyntaxTest, EntitiesEscapesAndUnclosedTags)
{
    const struct
    {
        LPCWSTR markup;
        LPCWSTR shown;
    } cases[] = {
        {L"&amp;lt;", L"<"},
        {L"a << b", L"a < b"},
        {L"a <b c", L"a b c"},
        {L"a < b > c", L"a  c"},
        {L"x &gt; y &quot;z&quot;", L"x > y \"z\""},
        {L"end<", L"end<"},
    };
    for (const auto& c : cases)
    {
        Render(c.markup);
        EXPECT_EQ(std::wstring(c.shown), m_list.AllText()) << tesmir::test::Utf8(c.markup);
    }
}

TEST_F(MarkupSyntaxTest, StyleStackPairsClosingTagsWithTheTop)
{
    Render(L"<b><i>x</b>y</i>z");
    ASSERT_EQ(3u, m_list.texts.size());
    const struct
    {
        int weight;
        BOOL italic;
    } expected[] = {{800, TRUE}, {800, TRUE}, {800, FALSE}};
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(expected[i].weight, m_list.texts[i].weight) << i;
        EXPECT_EQ(expected[i].italic, m_list.texts[i].italic) << i;
    }
    Render(L"<B>x</B>");
    ASSERT_EQ(1u, m_list.texts.size());
    EXPECT_EQ(400, m_list.texts[0].weight);
}

TEST_F(MarkupSyntaxTest, TagsWithoutRoomEmptyTheText)
{
    SIZE size = Render(L"<nothing><else>");
    EXPECT_EQ(0, size.cx);
    EXPECT_EQ(0, size.cy);
    EXPECT_TRUE(m_renderer.GetPreparedText().IsEmpty());
    EXPECT_TRUE(m_list.texts.empty());
}

TEST(MarkupValues, Lengths)
{
    CMarkupRenderer renderer;
    HDC hdc = GetDC(NULL);
    const int dpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(NULL, hdc);
    const struct
    {
        LPCWSTR value;
        int dflt;
        BOOL font;
        int expected;
    } cases[] = {
        {L"65%", 16, TRUE, 10},  {L"+2", 16, TRUE, 10}, {L"-2", 16, TRUE, 10},
        {L"10pt", 16, TRUE, 10 * dpi / 72}, {L"010", 16, FALSE, 8}, {L"12px", 0, FALSE, 12},
        {L"", 7, FALSE, 7},      {L"1in", 0, FALSE, dpi}, {L"9", 16, TRUE, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, renderer.ParseLength(c.value, c.dflt, c.font)) << tesmir::test::Utf8(c.value);
    EXPECT_EQ(96, dpi) << "the test prefix runs at 96 dpi, where 10pt is 13 px";
}

TEST(MarkupValues, Colours)
{
    CMarkupRenderer renderer;
    const COLORREF keep = RGB(1, 2, 3);
    const struct
    {
        LPCWSTR value;
        COLORREF expected;
    } cases[] = {
        {L"#f90", keep},          {L"#ff9900", RGB(255, 153, 0)}, {L"255", RGB(255, 0, 0)},
        {L"0x00ff00", RGB(0, 255, 0)}, {L"red", RGB(255, 0, 0)},  {L"Red", keep},
        {L"darkseagreen", RGB(143, 188, 143)}, {L"", keep},       {L"#gg0000", keep},
        {L"buttonface", GetSysColor(COLOR_BTNFACE)},
        {L"gray", RGB(128, 128, 128)}, {L"blanchedalmond", RGB(255, 235, 205)},
        {L"yellowgreen", RGB(154, 205, 50)}, {L"lightgrey", RGB(211, 211, 211)}, {L"lightgray", keep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, renderer.ParseColor(c.value, keep)) << tesmir::test::Utf8(c.value);
    renderer.SetEnabled(FALSE);
    renderer.SetDisabledColor(RGB(9, 9, 9));
    EXPECT_EQ(RGB(9, 9, 9), renderer.ParseColor(L"red", keep));
}

TEST_F(MarkupSyntaxTest, RuleColoursAreLowerCasedTagColoursAreNot)
{
    m_renderer.SetStyleSheet(L"body {font-size: 10pt} .warn {color: Red}");
    Render(L"<span class=warn>r</span><font color=Red>k</font><font color=red>g</font>");
    ASSERT_EQ(3u, m_list.texts.size());
    EXPECT_EQ(RGB(255, 0, 0), m_list.texts[0].color);
    EXPECT_EQ(RGB(0, 0, 0), m_list.texts[1].color);
    EXPECT_EQ(RGB(255, 0, 0), m_list.texts[2].color);
}

TEST(MarkupStyleSheet, SelectorListsKeepOnlyTheFirstWord)
{
    CMarkupRenderer renderer;
    EXPECT_EQ(17u, renderer.GetStyleRuleCount());
    renderer.SetStyleSheet(L"h1, h2 {color:red}");
    EXPECT_EQ(1u, renderer.GetStyleRuleCount());
    CString declarations;
    EXPECT_TRUE(renderer.LookupStyleRule(L"h1,", declarations));
    EXPECT_EQ(CString(L"color:red"), declarations);
    EXPECT_FALSE(renderer.LookupStyleRule(L"h1", declarations));
    EXPECT_FALSE(renderer.LookupStyleRule(L"h2", declarations));
}

TEST(MarkupStyleSheet, Declarations)
{
    CMarkupRenderer renderer;
    MarkupStyle style;
    renderer.ApplyDeclarations(L"Font-Weight: heavy; text-decoration: underline, overline; "
                               L"font-family: \"Courier New\"; background-color: #102030; border-style: dashed",
                               style);
    EXPECT_EQ(0, style.weight);
    EXPECT_TRUE(style.underline);
    EXPECT_TRUE(style.overline);
    EXPECT_EQ(CString(L"courier new"), style.face);
    EXPECT_EQ(OPAQUE, style.backMode);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), style.backColor);
    EXPECT_EQ(2, style.borderStyle);
    EXPECT_EQ(1, style.borderWidth);
    // An empty value ends its text: after ":" the reader skips ";" and reads
    // the next declaration as the value.
    renderer.ApplyDeclarations(L"background-color:", style);
    EXPECT_EQ(TRANSPARENT, style.backMode);
    renderer.ApplyDeclarations(L"text-decoration:", style);
    EXPECT_FALSE(style.underline);
    EXPECT_FALSE(style.overline);
    renderer.ApplyDeclarations(L"border-width: 0", style);
    EXPECT_EQ(0, style.borderStyle);
}
