// Small scanners over page text shared by the pre-pass and the parser.
// Every search stops at the end of its range: a marker that never comes
// leaves the position at the end.
#pragma once

#include <string>

class CHtmlStringTable;

namespace html_text {

inline bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// True when [p, end) starts with prefix, compared without case.
bool StartsWithNoCase(const wchar_t* p, const wchar_t* end, const wchar_t* prefix);
// The first position of s in [p, end) (without case), or end.
const wchar_t* FindNoCase(const wchar_t* p, const wchar_t* end, const wchar_t* s);
// Just past the first ">" at or after p, or end.
const wchar_t* PastTagEnd(const wchar_t* p, const wchar_t* end);
// True when a tag named name ("<pre", "</td") starts at p: the name
// followed by the end, a blank, tab, CR, LF or ">".
bool IsTagAt(const wchar_t* p, const wchar_t* end, const wchar_t* name);
// The value of the attribute name (without case): "" for an attribute
// without value, null when it is absent.
const wchar_t* FindAttribute(const CHtmlStringTable& attrs, const wchar_t* name);
// A whole number attribute, within [low, high]; fallback when absent or empty.
int AttributeNumber(const CHtmlStringTable& attrs, const wchar_t* name, int fallback, int low, int high);
// A number read from text (sign allowed), within [low, high].
int ClampedNumber(const wchar_t* text, int low, int high);
// Appends c outside preformatted text: white space becomes one blank and a
// blank after a blank is dropped.
void AppendCollapsed(std::wstring& out, wchar_t c);

}  // namespace html_text
