#include "HtmlUrl.h"

#include <wchar.h>
#include <wctype.h>

bool HtmlUrlHasPrefix(const wchar_t* url, const wchar_t* prefix)
{
    for (; *prefix; ++url, ++prefix)
        if (towlower(*url) != towlower(*prefix))
            return false;
    return true;
}

namespace {

// Where the part that "../" and a leading "/" may never touch ends: the
// scheme, "://" and the host, or for a file URL "file://", an optional
// slash and a drive ("C:").
size_t RootEnd(const std::wstring& url)
{
    size_t scheme = url.find(L"://");
    if (scheme == std::wstring::npos)
        return 0;
    size_t p = scheme + 3;
    if (HtmlUrlHasPrefix(url.c_str(), L"file://")) {
        size_t q = p;
        if (q < url.size() && url[q] == L'/')
            ++q;
        if (q + 1 < url.size() && iswalpha(url[q]) && url[q + 1] == L':')
            return q + 2;
        return p;
    }
    size_t slash = url.find(L'/', p);
    return slash == std::wstring::npos ? url.size() : slash;
}

}  // namespace

bool HtmlResolveUrl(const wchar_t* url, const wchar_t* base, std::wstring& result)
{
    result.clear();
    const wchar_t* sep = wcsstr(url, L"://");
    const wchar_t* slash = wcschr(url, L'/');
    if (sep && (!slash || sep < slash)) {
        result = url;
    } else {
        result = base;
        size_t query = result.rfind(L'?');
        if (query != std::wstring::npos)
            result.erase(query);
        for (wchar_t& c : result)
            if (c == L'\\')
                c = L'/';
        size_t scheme = result.find(L"://");
        size_t pathStart = scheme == std::wstring::npos ? 0 : scheme + 3;
        if (scheme != std::wstring::npos && result.find(L'/', pathStart) == std::wstring::npos)
            result += L'/';
        // Drop the last path segment, keeping the directory's "/".
        size_t last = result.rfind(L'/');
        if (last == std::wstring::npos || last < pathStart)
            result.clear();
        else
            result.erase(last + 1);

        size_t root = RootEnd(result);
        while (wcsncmp(url, L"../", 3) == 0) {
            url += 3;
            if (!result.empty() && result.back() == L'/')
                result.pop_back();
            size_t up = result.rfind(L'/');
            if (up != std::wstring::npos && up >= pathStart && up >= root)
                result.erase(up + 1);
        }
        if (url[0] == L'/')
            result.erase(RootEnd(result));
        else if (result.empty() || result.back() != L'/')
            result += L'/';
        result += url;
    }
    if (HtmlUrlHasPrefix(result.c_str(), L"file://"))
        for (size_t i = 7; i < result.size(); ++i)
            if (result[i] == L'/')
                result[i] = L'\\';
    if (result.size() > HTML_MAX_RESOLVED_URL) {
        result.clear();
        return false;
    }
    return true;
}

namespace {

void AppendEscaped(std::wstring& out, unsigned byte)
{
    static const wchar_t digits[] = L"0123456789abcdef";
    out += L'%';
    out += digits[(byte >> 4) & 0xF];
    out += digits[byte & 0xF];
}

}  // namespace

std::wstring HtmlUrlEncode(const wchar_t* text)
{
    std::wstring out;
    for (const wchar_t* p = text; *p; ++p) {
        unsigned long c = (unsigned long)*p;
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) {
            out += *p;
        } else if (c == L' ') {
            out += L'+';
        } else if (c <= 0xFF) {
            AppendEscaped(out, c);
        } else {
            if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + ((unsigned long)p[1] - 0xDC00);
                ++p;
            }
            if (c < 0x800) {
                AppendEscaped(out, 0xC0 | (c >> 6));
            } else if (c < 0x10000) {
                AppendEscaped(out, 0xE0 | (c >> 12));
                AppendEscaped(out, 0x80 | ((c >> 6) & 0x3F));
            } else {
                AppendEscaped(out, 0xF0 | (c >> 18));
                AppendEscaped(out, 0x80 | ((c >> 12) & 0x3F));
                AppendEscaped(out, 0x80 | ((c >> 6) & 0x3F));
            }
            AppendEscaped(out, 0x80 | (c & 0x3F));
        }
    }
    return out;
}

void HtmlAppendQueryField(std::wstring& query, const wchar_t* name, const wchar_t* value)
{
    query += query.empty() ? L'?' : L'&';
    query += name;
    query += L'=';
    query += HtmlUrlEncode(value);
}

std::wstring HtmlMakeGetUrl(const wchar_t* action, const std::wstring& query)
{
    std::wstring url = action;
    if (!query.empty()) {
        url += wcschr(action, L'?') ? L'&' : L'?';
        url.append(query, 1, std::wstring::npos);
    }
    return url;
}
