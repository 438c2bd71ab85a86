#include "HtmlPages.h"

namespace html_test {

std::wstring PagePath(const wchar_t* name)
{
    // The source folder as the test program sees it through drive Z:.
    std::wstring path = L"Z:" TESMIR_HTML_PAGES L"/";
    path += name;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring PageUrl(const wchar_t* name)
{
    return L"file://" + PagePath(name);
}

namespace {

std::wstring Repeat(const std::wstring& piece, int count)
{
    std::wstring s;
    s.reserve(piece.size() * (size_t)count);
    for (int i = 0; i < count; ++i)
        s += piece;
    return s;
}

}  // namespace

std::vector<CPathologicalPage> PathologicalPages()
{
    std::vector<CPathologicalPage> pages;
    pages.push_back({L"images2000", L"<body>" + Repeat(L"<img src=\"p.bmp\" width=4 height=4> ", 2000) + L"</body>"});
    pages.push_back({L"tables1000", L"<body>" + Repeat(L"<table><tr><td>", 1000) + L"deep</body>"});
    pages.push_back({L"divs1000", L"<body>" + Repeat(L"<div align=center>", 1000) + L"deep</body>"});
    pages.push_back({L"lists1000", L"<body>" + Repeat(L"<ul><li>", 1000) + L"deep</body>"});
    pages.push_back({L"script", L"<body>before<script>never ends"});
    pages.push_back({L"comment", L"<body>before<!-- never ends"});
    pages.push_back({L"title", L"<title>never ends"});
    pages.push_back({L"quote", L"<body><a href=\"never ends>text <b>more</b> and more"});
    pages.push_back({L"inputsize", L"<body><input size=100000000><input size=-5></body>"});
    pages.push_back({L"textarea", L"<body><textarea cols=100000 rows=100000>x</textarea></body>"});
    pages.push_back({L"headings", L"<body>" + Repeat(L"<h1>", 30) + L"huge</body>"});
    pages.push_back({L"fontsize", L"<body><font size=100000000>big</font><font size=-100000000>small</font></body>"});
    pages.push_back({L"tablewidth", L"<body><table width=2000000000><tr><td>a</td><td>b</td></tr></table></body>"});
    pages.push_back({L"cellheight", L"<body><table height=2000000000><tr><td height=2000000000>a</td>"
                                    L"<td rowspan=1000>b</td></tr><tr><td>c</td></tr></table></body>"});
    pages.push_back({L"unclosedtag", L"<body>text <b"});
    return pages;
}

}  // namespace html_test
