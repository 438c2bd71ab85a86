#include "HtmlText.h"

#include <wchar.h>
#include <wctype.h>

#include "CHtmlStringTable.h"

namespace html_text {

bool StartsWithNoCase(const wchar_t* p, const wchar_t* end, const wchar_t* prefix)
{
    for (; *prefix; ++p, ++prefix)
        if (p >= end || towlower(*p) != towlower(*prefix))
            return false;
    return true;
}

const wchar_t* FindNoCase(const wchar_t* p, const wchar_t* end, const wchar_t* s)
{
    wchar_t first = (wchar_t)towlower(*s);
    for (; p < end; ++p)
        if (towlower(*p) == first && StartsWithNoCase(p, end, s))
            return p;
    return end;
}

const wchar_t* PastTagEnd(const wchar_t* p, const wchar_t* end)
{
    while (p < end && *p != L'>')
        ++p;
    return p < end ? p + 1 : end;
}

bool IsTagAt(const wchar_t* p, const wchar_t* end, const wchar_t* name)
{
    if (!StartsWithNoCase(p, end, name))
        return false;
    p += wcslen(name);
    return p >= end || *p == L'>' || IsSpace(*p) || *p == 0;
}

const wchar_t* FindAttribute(const CHtmlStringTable& attrs, const wchar_t* name)
{
    for (int i = 0; i < attrs.GetRowCount(); ++i)
        if (_wcsicmp(attrs.GetCell(i, 0), name) == 0)
            return attrs.GetCell(i, 1);
    return nullptr;
}

int ClampedNumber(const wchar_t* text, int low, int high)
{
    while (*text == L' ')
        ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-')
        negative = *text++ == L'-';
    long long n = 0;
    while (*text >= L'0' && *text <= L'9') {
        if (n < 100000000000LL)
            n = n * 10 + (*text - L'0');
        ++text;
    }
    if (negative)
        n = -n;
    return n < low ? low : n > high ? high : (int)n;
}

int AttributeNumber(const CHtmlStringTable& attrs, const wchar_t* name, int fallback, int low, int high)
{
    const wchar_t* v = FindAttribute(attrs, name);
    if (!v || !*v)
        return fallback;
    return ClampedNumber(v, low, high);
}

void AppendCollapsed(std::wstring& out, wchar_t c)
{
    if (IsSpace(c)) {
        if (!out.empty() && out.back() == L' ')
            return;
        c = L' ';
    }
    out.push_back(c);
}

}  // namespace html_text
