// URL arithmetic of the HTML renderer: resolving a page's relative URLs,
// encoding form values and building a form's query. Window-free: the native
// sanitizer build compiles this file.
#pragma once

#include <string>

// A resolved URL holds at most this many characters.
const size_t HTML_MAX_RESOLVED_URL = 1023;

// Resolves url against the page's base URL. An absolute URL ("://" before
// any "/") is kept; otherwise the base's directory (its query dropped) is
// the start, each leading "../" goes up one level but never into the scheme
// or host (or a file URL's drive), and a URL starting with "/" keeps only
// the base's scheme and host. A file URL's path gets backslashes. Returns
// false, with result empty, when the result would not fit.
bool HtmlResolveUrl(const wchar_t* url, const wchar_t* base, std::wstring& result);

// Form encoding: ASCII letters and digits stay, a blank becomes "+", every
// other character "%xx" (lower-case hexadecimal); characters beyond U+00FF
// are sent as the "%xx" of their UTF-8 bytes.
std::wstring HtmlUrlEncode(const wchar_t* text);

// Appends "?" (first field) or "&", the name as it is, "=" and the encoded
// value to a form's query.
void HtmlAppendQueryField(std::wstring& query, const wchar_t* name, const wchar_t* value);

// The URL a GET form navigates to: the action and the query, whose leading
// "?" becomes "&" when the action already has a query.
std::wstring HtmlMakeGetUrl(const wchar_t* action, const std::wstring& query);

// True when url starts with prefix, compared without case.
bool HtmlUrlHasPrefix(const wchar_t* url, const wchar_t* prefix);
