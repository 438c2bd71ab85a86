// The renderer's test pages: the hand-written fixture pages in pages/ and
// the pathological pages, which are made here.
#pragma once

#include <string>
#include <vector>

namespace html_test {

// The Windows path of a file in the fixture page folder.
std::wstring PagePath(const wchar_t* name);
// The "file://" URL of a fixture page.
std::wstring PageUrl(const wchar_t* name);

struct CPathologicalPage
{
    const wchar_t* name;
    std::wstring text;
};

// Pages that try the parser's and layout's limits: thousands of pictures,
// deep nesting, markers that never end, absurd sizes.
std::vector<CPathologicalPage> PathologicalPages();

}  // namespace html_test
