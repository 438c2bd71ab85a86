// CString: bounds of the extraction and search functions, editing,
// formatting, direct buffer access and shared buffers across threads.
#include <afx.h>
#include <gtest/gtest.h>

#include <limits.h>
#include <thread>
#include <vector>

namespace {

// Exposes the reference count of a string's buffer.
class CStringProbe : public CString
{
public:
    using CString::CString;
    long Refs() const { return GetData()->nRefs; }
};

TEST(StringTest, ExtractionClampsToTheString)
{
    const CString s(L"Hello");
    struct Case
    {
        int nFirst;
        int nCount;
        const wchar_t* expected;
    };
    const Case mid[] = {
        {0, 5, L"Hello"}, {1, 3, L"ell"}, {3, 10, L"lo"}, {-2, 3, L"Hel"}, {7, 2, L""},
        {2, -1, L""},     {5, 1, L""},    {0, INT_MAX, L"Hello"}, {4, INT_MAX, L"o"},
    };
    for (const Case& c : mid)
        EXPECT_STREQ(c.expected, s.Mid(c.nFirst, c.nCount)) << c.nFirst << "," << c.nCount;

    const std::pair<int, const wchar_t*> mid1[] = {{2, L"llo"}, {9, L""}, {-1, L"Hello"}, {5, L""}};
    for (const auto& c : mid1)
        EXPECT_STREQ(c.second, s.Mid(c.first)) << c.first;

    const std::pair<int, const wchar_t*> left[] = {{-1, L""}, {0, L""}, {3, L"Hel"}, {9, L"Hello"}};
    for (const auto& c : left)
        EXPECT_STREQ(c.second, s.Left(c.first)) << c.first;

    const std::pair<int, const wchar_t*> right[] = {{-3, L""}, {2, L"lo"}, {9, L"Hello"}};
    for (const auto& c : right)
        EXPECT_STREQ(c.second, s.Right(c.first)) << c.first;

    EXPECT_STREQ(L"He", s.SpanIncluding(L"eH"));
    EXPECT_STREQ(L"He", s.SpanExcluding(L"lo"));
}

TEST(StringTest, SearchingWithStartPositions)
{
    const CString s(L"Hello");
    EXPECT_EQ(2, s.Find('l'));
    EXPECT_EQ(3, s.Find('l', 3));
    EXPECT_EQ(-1, s.Find('l', 5));
    EXPECT_EQ(-1, s.Find('l', -1));
    EXPECT_EQ(-1, s.Find('x'));
    EXPECT_EQ(3, s.Find(L"lo"));
    EXPECT_EQ(-1, s.Find(L"lo", 4));
    EXPECT_EQ(5, s.Find(L"", 5));
    EXPECT_EQ(-1, s.Find(L"l", 6));
    EXPECT_EQ(-1, s.Find(L"l", -2));
    EXPECT_EQ(3, s.ReverseFind('l'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(2, s.FindOneOf(L"ol"));
    EXPECT_EQ(-1, CString().Find('a'));

    int iStart = 0;
    CString path(L"\\a\\\\bc\\");
    EXPECT_STREQ(L"a", path.Tokenize(L"\\", iStart));
    EXPECT_STREQ(L"bc", path.Tokenize(L"\\", iStart));
    EXPECT_STREQ(L"", path.Tokenize(L"\\", iStart));
    EXPECT_EQ(-1, iStart);
}

TEST(StringTest, ReplaceRemoveInsertDelete)
{
    struct Case
    {
        const wchar_t* text;
        const wchar_t* from;
        const wchar_t* to;
        int nCount;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"aaa", L"a", L"bb", 3, L"bbbbbb"},
        {L"abcabc", L"bc", L"", 2, L"aa"},
        {L"aaaa", L"aa", L"a", 2, L"aa"},   // matches do not overlap
        {L"abc", L"", L"x", 0, L"abc"},
        {L"abc", L"d", L"x", 0, L"abc"},
        {L"abc", L"abc", L"abcabc", 1, L"abcabc"},
    };
    for (const Case& c : cases)
    {
        CString s(c.text);
        CString shared = s;
        EXPECT_EQ(c.nCount, s.Replace(c.from, c.to)) << c.text;
        EXPECT_STREQ(c.expected, s);
        EXPECT_STREQ(c.text, shared);   // a copy keeps its text
    }

    CString s(L"a.b.c");
    EXPECT_EQ(2, s.Replace('.', '/'));
    EXPECT_STREQ(L"a/b/c", s);
    EXPECT_EQ(2, s.Remove('/'));
    EXPECT_STREQ(L"abc", s);

    EXPECT_EQ(4, s.Insert(99, L"!"));
    EXPECT_STREQ(L"abc!", s);
    EXPECT_EQ(5, s.Insert(-5, '>'));
    EXPECT_STREQ(L">abc!", s);

    CString h(L"Hello");
    EXPECT_EQ(3, h.Delete(1, 2));
    EXPECT_STREQ(L"Hlo", h);
    EXPECT_EQ(1, h.Delete(1, 100));   // clamped to the end
    EXPECT_STREQ(L"H", h);
    EXPECT_EQ(1, h.Delete(5, 1));
    EXPECT_EQ(0, h.Delete(-1));
    EXPECT_STREQ(L"", h);
}

TEST(StringTest, TrimAndCase)
{
    CString s(L"  x y \t\r\n");
    EXPECT_STREQ(L"  x y", CString(s).TrimRight());
    EXPECT_STREQ(L"x y \t\r\n", CString(s).TrimLeft());
    EXPECT_STREQ(L"x y", CString(s).Trim());
    EXPECT_STREQ(L"bcb", CString(L"aabcbaa").Trim('a'));
    EXPECT_STREQ(L"c", CString(L"abcba").Trim(L"ab"));
    EXPECT_STREQ(L"abc", CString(L"abc").Trim(L""));
    EXPECT_STREQ(L"", CString(L"   ").TrimLeft());

    CString mixed(L"MiXeD \x00E4\x00F6");
    EXPECT_STREQ(L"MIXED \x00C4\x00D6", CString(mixed).MakeUpper());
    EXPECT_STREQ(L"mixed \x00E4\x00F6", CString(mixed).MakeLower());
    EXPECT_STREQ(L"cba", CString(L"abc").MakeReverse());
    EXPECT_EQ(0, CString(L"ABC").CompareNoCase(L"abc"));
    EXPECT_GT(0, CString(L"ABC").Compare(L"abc"));
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(L"b" > CString(L"a"));
    EXPECT_TRUE(CString(L"abc") == L"abc");
    EXPECT_TRUE(CString("abc") == L"abc");   // ANSI construction
}

TEST(StringTest, FormatUsesTheSystemConventions)
{
    CString a(L"a");
    CString s;
    s.Format(L"%s-%s-%s", a, L"b", CStringProbe(L"c"));   // strings pass as their text
    EXPECT_STREQ(L"a-b-c", s);
    s.Format(L"%d|%5.2f|%S|%c|%I64d|%x|%%", -3, 2.5, "ansi", L'Z', (LONGLONG)1 << 40, 255u);
    EXPECT_STREQ(L"-3| 2.50|ansi|Z|1099511627776|ff|%", s);
    s.Format(L"<%s>", s.Left(4));
    EXPECT_STREQ(L"<-3| >", s);
    s.Format(L"%0600d", 7);
    EXPECT_EQ(600, s.GetLength());
    EXPECT_EQ('7', s[599]);
    s.Format(L"");
    EXPECT_TRUE(s.IsEmpty());
    s.AppendFormat(L"%d", 1);
    s.AppendFormat(L"%d", 2);
    EXPECT_STREQ(L"12", s);
    s.FormatMessage(L"%2 before %1", L"one", L"two");
    EXPECT_STREQ(L"two before one", s);
}

TEST(StringTest, GetBufferAndReleaseBuffer)
{
    CString s;
    LPTSTR p = s.GetBuffer(10);
    wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    EXPECT_STREQ(L"abc", s);

    CString copy = s;
    p = s.GetBuffer(0);   // unshares before writing
    p[0] = 'X';
    s.ReleaseBuffer(2);
    EXPECT_STREQ(L"Xb", s);
    EXPECT_STREQ(L"abc", copy);

    p = s.GetBufferSetLength(4);
    p[2] = 'c';
    p[3] = 'd';
    s.ReleaseBuffer(4);
    EXPECT_STREQ(L"Xbcd", s);

    // Lengths beyond the buffer are clamped, never past the allocation.
    CString t;
    p = t.GetBuffer(4);
    for (int i = 0; i < 4; i++)
        p[i] = 'x';
    t.ReleaseBuffer(100);
    EXPECT_LE(t.GetLength(), t.GetAllocLength());
    EXPECT_GE(t.GetLength(), 4);

    CString empty;
    empty.GetBuffer(0)[0] = 0;
    empty.ReleaseBuffer();
    EXPECT_TRUE(CString().IsEmpty());   // the shared empty string stays empty
}

TEST(StringTest, ExtractSubString)
{
    struct Case
    {
        const wchar_t* full;
        int nIndex;
        wchar_t chSep;
        BOOL bResult;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"a\nb\nc", 0, '\n', TRUE, L"a"},   {L"a\nb\nc", 2, '\n', TRUE, L"c"},
        {L"a\nb\nc", 3, '\n', FALSE, L""},   {L"a,,b", 1, ',', TRUE, L""},
        {L"", 0, ',', TRUE, L""},            {L"x", -1, ',', FALSE, L""},
    };
    for (const Case& c : cases)
    {
        CString str(L"stale");
        EXPECT_EQ(c.bResult, AfxExtractSubString(str, c.full, c.nIndex, c.chSep)) << c.full << " " << c.nIndex;
        EXPECT_STREQ(c.expected, str);
    }
    CString str;
    EXPECT_FALSE(AfxExtractSubString(str, NULL, 0));
}

TEST(StringTest, MissingResourceLeavesStringEmpty)
{
    CString s(L"x");
    EXPECT_FALSE(s.LoadString(0x7FF3));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(StringTest, SharedBufferCountsStayExactAcrossThreads)
{
    CStringProbe shared(L"shared text");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; t++)
    {
        threads.emplace_back([&shared] {
            for (int i = 0; i < 20000; i++)
            {
                CString copy = shared;
                CString another(copy);
                (void)another;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(1, shared.Refs());
}

}  // namespace
