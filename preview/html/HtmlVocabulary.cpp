#include "HtmlVocabulary.h"

#include <wctype.h>

#include "markup/NamedColors.h"

const wchar_t* const g_HtmlTags[HTML_TAG_COUNT] = {
    L"<br", L"<i", L"</i", L"<b", L"</b", L"<strong", L"</strong", L"<u", L"</u", L"<a", L"</a", L"<small",
    L"</small", L"<big", L"</big", L"<center", L"</center", L"<p", L"<font", L"</font", L"<img", L"<h1",
    L"</h1", L"<div", L"</div", L"<hr", L"<table", L"</table", L"<tr", L"</tr", L"<td", L"</td", L"<h2",
    L"</h2", L"<h3", L"</h3", L"<pre", L"</pre", L"<input", L"<ul", L"<ol", L"<li", L"</ul", L"</ol", L"<sub",
    L"</sub", L"<sup", L"</sup", L"<strike", L"</strike", L"<select", L"</select", L"<option", L"<textarea",
    L"</textarea", L"<th", L"</th", L"<form", L"</form", L"<blockquote", L"</blockquote", L"</p",
};

const wchar_t* const g_HtmlAttributes[HTML_ATTR_COUNT] = {
    L"align", L"left", L"right", L"center", L"middle", L"justify", L"bottom", L"valign", L"bgcolor",
    L"background", L"border", L"bordercolor", L"width", L"height", L"cellpadding", L"cellspacing", L"colspan",
    L"rowspan", L"nobreak", L"nowrap", L"face", L"color", L"size", L"src", L"href", L"type", L"text",
    L"password", L"button", L"submit", L"radio", L"checkbox", L"hidden", L"image", L"maxlength", L"value",
    L"name", L"selected", L"cols", L"rows", L"action", L"method", L"get", L"clear",
};

const HtmlNamedReference g_HtmlReferences[HTML_REFERENCE_COUNT] = {
    {L"&quot;", L'"'}, {L"&amp;", L'&'}, {L"&lt;", L'<'}, {L"&gt;", L'>'},
    // Latin-1, U+00A0 to U+00FF in code order.
    {L"&nbsp;", 0xA0}, {L"&iexcl;", 0xA1}, {L"&cent;", 0xA2}, {L"&pound;", 0xA3}, {L"&curren;", 0xA4},
    {L"&yen;", 0xA5}, {L"&brvbar;", 0xA6}, {L"&sect;", 0xA7}, {L"&uml;", 0xA8}, {L"&copy;", 0xA9},
    {L"&ordf;", 0xAA}, {L"&laquo;", 0xAB}, {L"&not;", 0xAC}, {L"&shy;", 0xAD}, {L"&reg;", 0xAE},
    {L"&macr;", 0xAF}, {L"&deg;", 0xB0}, {L"&plusmn;", 0xB1}, {L"&sup2;", 0xB2}, {L"&sup3;", 0xB3},
    {L"&acute;", 0xB4}, {L"&micro;", 0xB5}, {L"&para;", 0xB6}, {L"&middot;", 0xB7}, {L"&cedil;", 0xB8},
    {L"&sup1;", 0xB9}, {L"&ordm;", 0xBA}, {L"&raquo;", 0xBB}, {L"&frac14;", 0xBC}, {L"&frac12;", 0xBD},
    {L"&frac34;", 0xBE}, {L"&iquest;", 0xBF}, {L"&Agrave;", 0xC0}, {L"&Aacute;", 0xC1}, {L"&Acirc;", 0xC2},
    {L"&Atilde;", 0xC3}, {L"&Auml;", 0xC4}, {L"&Aring;", 0xC5}, {L"&AElig;", 0xC6}, {L"&Ccedil;", 0xC7},
    {L"&Egrave;", 0xC8}, {L"&Eacute;", 0xC9}, {L"&Ecirc;", 0xCA}, {L"&Euml;", 0xCB}, {L"&Igrave;", 0xCC},
    {L"&Iacute;", 0xCD}, {L"&Icirc;", 0xCE}, {L"&Iuml;", 0xCF}, {L"&ETH;", 0xD0}, {L"&Ntilde;", 0xD1},
    {L"&Ograve;", 0xD2}, {L"&Oacute;", 0xD3}, {L"&Ocirc;", 0xD4}, {L"&Otilde;", 0xD5}, {L"&Ouml;", 0xD6},
    {L"&times;", 0xD7}, {L"&Oslash;", 0xD8}, {L"&Ugrave;", 0xD9}, {L"&Uacute;", 0xDA}, {L"&Ucirc;", 0xDB},
    {L"&Uuml;", 0xDC}, {L"&Yacute;", 0xDD}, {L"&THORN;", 0xDE}, {L"&szlig;", 0xDF}, {L"&agrave;", 0xE0},
    {L"&aacute;", 0xE1}, {L"&acirc;", 0xE2}, {L"&atilde;", 0xE3}, {L"&auml;", 0xE4}, {L"&aring;", 0xE5},
    {L"&aelig;", 0xE6}, {L"&ccedil;", 0xE7}, {L"&egrave;", 0xE8}, {L"&eacute;", 0xE9}, {L"&ecirc;", 0xEA},
    {L"&euml;", 0xEB}, {L"&igrave;", 0xEC}, {L"&iacute;", 0xED}, {L"&icirc;", 0xEE}, {L"&iuml;", 0xEF},
    {L"&eth;", 0xF0}, {L"&ntilde;", 0xF1}, {L"&ograve;", 0xF2}, {L"&oacute;", 0xF3}, {L"&ocirc;", 0xF4},
    {L"&otilde;", 0xF5}, {L"&ouml;", 0xF6}, {L"&divide;", 0xF7}, {L"&oslash;", 0xF8}, {L"&ugrave;", 0xF9},
    {L"&uacute;", 0xFA}, {L"&ucirc;", 0xFB}, {L"&uuml;", 0xFC}, {L"&yacute;", 0xFD}, {L"&thorn;", 0xFE},
    {L"&yuml;", 0xFF},
    // Letters and punctuation outside Latin-1, shown by a near ASCII look-alike.
    {L"&OElig;", L'E'}, {L"&oelig;", L'e'}, {L"&Scaron;", L'S'}, {L"&scaron;", L's'}, {L"&Yuml;", 0xFF},
    {L"&fnof;", L'f'}, {L"&circ;", L'^'}, {L"&tilde;", L'~'}, {L"&ndash;", L'-'}, {L"&mdash;", L'-'},
    {L"&sbquo;", L','}, {L"&ldquo;", L'"'}, {L"&rdquo;", L'"'},
    // Characters that Windows-1252 keeps in 0x80..0x9F.
    {L"&lsquo;", 0x2018}, {L"&rsquo;", 0x2019}, {L"&bdquo;", 0x201E}, {L"&dagger;", 0x2020},
    {L"&Dagger;", 0x2021}, {L"&bull;", 0x2022}, {L"&hellip;", 0x2026}, {L"&permil;", 0x2030},
    {L"&lsaquo;", 0x2039}, {L"&rsaquo;", 0x203A}, {L"&euro;", 0x20AC}, {L"&trade;", 0x2122},
    // Single characters replaced where they stand: the C1 dash of text read
    // as Latin-1, and the no-break space of the page itself.
    {L"\x0097", L'-'}, {L"\x00A0", L' '},
};

int HtmlFindTag(const wchar_t* text, bool prePass)
{
    for (int i = 0; i < HTML_TAG_COUNT; ++i) {
        const wchar_t* name = g_HtmlTags[i];
        int n = 0;
        while (name[n] && text[n] && (wchar_t)towlower(text[n]) == name[n])
            ++n;
        if (name[n])
            continue;
        wchar_t next = text[n];
        if (next == 0 || next == L' ' || next == L'>' ||
            (prePass && (next == L'\t' || next == L'\r' || next == L'\n')))
            return i;
    }
    return -1;
}

namespace {

// The named reference that begins at text, or null.
const HtmlNamedReference* FindReference(const wchar_t* text)
{
    // Every name starts with "&" but the two single characters.
    if (*text != L'&' && *text != 0x97 && *text != 0xA0)
        return nullptr;
    for (const HtmlNamedReference& ref : g_HtmlReferences) {
        const wchar_t* name = ref.name;
        int n = 0;
        while (name[n] && text[n] == name[n])
            ++n;
        if (!name[n])
            return &ref;
    }
    return nullptr;
}

}  // namespace

void HtmlDecodeEntities(wchar_t* text)
{
    wchar_t* out = text;
    const wchar_t* in = text;
    while (*in) {
        if (const HtmlNamedReference* ref = FindReference(in)) {
            *out++ = ref->ch;
            in += wcslen(ref->name);
            continue;
        }
        if (in[0] == L'&' && in[1] == L'#') {
            if (in[2] == L'x' || in[2] == L'X') {
                // Hexadecimal references are not read: the character 0 they
                // give ends the text.
                *out = 0;
                return;
            }
            if (in[2] >= L'0' && in[2] <= L'9') {
                const wchar_t* p = in + 2;
                unsigned long value = 0;
                while (*p >= L'0' && *p <= L'9') {
                    if (value <= 0xFFFF)
                        value = value * 10 + (unsigned long)(*p - L'0');
                    ++p;
                }
                if (*p == L';' || *p == L' ')
                    ++p;
                // A number beyond the 16-bit characters is not cut into a
                // different character.
                wchar_t ch = value > 0xFFFF ? (wchar_t)0xFFFD : (wchar_t)value;
                *out++ = ch;
                if (ch == 0)
                    return;
                in = p;
                continue;
            }
        }
        *out++ = *in++;
    }
    *out = 0;
}

void HtmlDecodeUtf8Pairs(wchar_t* text)
{
    wchar_t* out = text;
    const wchar_t* in = text;
    while (*in) {
        if (in[0] == 0xC2 && in[1] >= 0xA0 && in[1] <= 0xBF) {
            *out++ = in[1];
            in += 2;
        } else if (in[0] == 0xC3 && in[1] >= 0x80 && in[1] <= 0xBF) {
            *out++ = (wchar_t)(in[1] + 0x40);
            in += 2;
        } else {
            *out++ = *in++;
        }
    }
    *out = 0;
}

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return 0;
}

}  // namespace

COLORREF HtmlParseColor(const wchar_t* text)
{
    int named = FindNamedColor(text);
    if (named >= 0)
        return NamedPageColor(named);
    if (*text == L'#')
        ++text;
    int digits[6] = {};
    for (int i = 0; i < 6 && text[i]; ++i)
        digits[i] = HexDigit(text[i]);
    return RGB(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
}
