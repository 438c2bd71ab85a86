#include "HtmlVocabulary.h"

#include <wctype.h>

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

namespace {

// The table lists colours as the page writes them (0xRRGGBB).
constexpr COLORREF Rgb(unsigned rgb)
{
    return (COLORREF)(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

}  // namespace

const HtmlNamedColor g_HtmlColors[HTML_COLOR_COUNT] = {
    {L"AliceBlue", Rgb(0xF0F8FF)}, {L"AntiqueWhite", Rgb(0xFAEBD7)}, {L"Aqua", Rgb(0x00FFFF)},
    {L"Aquamarine", Rgb(0x7FFFD4)}, {L"Azure", Rgb(0xF0FFFF)}, {L"Beige", Rgb(0xF5F5DC)},
    {L"Bisque", Rgb(0xFFE4C4)}, {L"Black", Rgb(0x000000)}, {L"BlanchedAlmond", Rgb(0xFFFFCD)},
    {L"Blue", Rgb(0x0000FF)}, {L"BlueViolet", Rgb(0x8A2BE2)}, {L"Brown", Rgb(0xA52A2A)},
    {L"Burlywood", Rgb(0xDEB887)}, {L"CadetBlue", Rgb(0x5F9EA0)}, {L"Chartreuse", Rgb(0x7FFF00)},
    {L"Chocolate", Rgb(0xD2691E)}, {L"Coral", Rgb(0xFF7F50)}, {L"CornflowerBlue", Rgb(0x6495ED)},
    {L"Cornsilk", Rgb(0xFFF8DC)}, {L"Crimson", Rgb(0xDC143C)}, {L"Cyan", Rgb(0x00FFFF)},
    {L"DarkBlue", Rgb(0x00008B)}, {L"DarkCyan", Rgb(0x008B8B)}, {L"DarkGoldenRod", Rgb(0xB8860B)},
    {L"DarkGray", Rgb(0xA9A9A9)}, {L"DarkGreen", Rgb(0x006400)}, {L"DarkKhaki", Rgb(0xBDB76B)},
    {L"DarkMagenta", Rgb(0x8B008B)}, {L"DarkOliveGreen", Rgb(0x556B2F)}, {L"DarkOrange", Rgb(0xFF8C00)},
    {L"DarkOrchid", Rgb(0x9932CC)}, {L"DarkRed", Rgb(0x8B0000)}, {L"DarkSalmon", Rgb(0xE9967A)},
    {L"DarkSeaGreen", Rgb(0x8FBC8F)}, {L"DarkSlateBlue", Rgb(0x483D8B)}, {L"DarkSlateGray", Rgb(0x2F4F4F)},
    {L"DarkTurquoise", Rgb(0x00CED1)}, {L"DarkViolet", Rgb(0x9400D3)}, {L"DeepPink", Rgb(0xFF1493)},
    {L"DeepSkyBlue", Rgb(0x00BFFF)}, {L"DimGray", Rgb(0x696969)}, {L"DodgerBlue", Rgb(0x1E90FF)},
    {L"FireBrick", Rgb(0xB22222)}, {L"FloralWhite", Rgb(0xFFFAF0)}, {L"ForestGreen", Rgb(0x228B22)},
    {L"Fuchsia", Rgb(0xFF00FF)}, {L"Gainsboro", Rgb(0xDCDCDC)}, {L"GhostWhite", Rgb(0xF8F8FF)},
    {L"Gold", Rgb(0xFFD700)}, {L"GoldenRod", Rgb(0xDAA520)}, {L"Gray", Rgb(0x7F7F7F)},
    {L"Green", Rgb(0x008000)}, {L"GreenYellow", Rgb(0xADFF2F)}, {L"HoneyDew", Rgb(0xF0FFF0)},
    {L"HotPink", Rgb(0xFF69B4)}, {L"IndianRed", Rgb(0xCD5C5C)}, {L"Indigo", Rgb(0x4B0082)},
    {L"Ivory", Rgb(0xFFFFF0)}, {L"Khaki", Rgb(0xF0E68C)}, {L"Lavender", Rgb(0xE6E6FA)},
    {L"LavenderBlush", Rgb(0xFFF0F5)}, {L"Lawngreen", Rgb(0x7CFC00)}, {L"LemonChiffon", Rgb(0xFFFACD)},
    {L"LightBlue", Rgb(0xADD8E6)}, {L"LightCoral", Rgb(0xF08080)}, {L"LightCyan", Rgb(0xE0FFFF)},
    {L"LightGoldenRodYellow", Rgb(0xFAFAD2)}, {L"LightGreen", Rgb(0x90EE90)}, {L"LightGrey", Rgb(0xD3D3D3)},
    {L"LightPink", Rgb(0xFFB6C1)}, {L"LightSalmon", Rgb(0xFFA07A)}, {L"LightSeaGreen", Rgb(0x20B2AA)},
    {L"LightSkyBlue", Rgb(0x87CEFA)}, {L"LightSlateGray", Rgb(0x778899)}, {L"LightSteelBlue", Rgb(0xB0C4DE)},
    {L"LightYellow", Rgb(0xFFFFE0)}, {L"Lime", Rgb(0x00FF00)}, {L"LimeGreen", Rgb(0x32CD32)},
    {L"Linen", Rgb(0xFAF0E6)}, {L"Magenta", Rgb(0xFF00FF)}, {L"Maroon", Rgb(0x800000)},
    {L"MediumAquamarine", Rgb(0x66CDAA)}, {L"MediumBlue", Rgb(0x0000CD)}, {L"MediumOrchid", Rgb(0xBA55D3)},
    {L"MediumPurple", Rgb(0x9370DB)}, {L"MediumSeaGreen", Rgb(0x3CB371)}, {L"MediumSlateBlue", Rgb(0x7B68EE)},
    {L"MediumSpringGreen", Rgb(0x00FA9A)}, {L"MediumTurquoise", Rgb(0x48D1CC)},
    {L"MediumVioletRed", Rgb(0xC71585)}, {L"MidnightBlue", Rgb(0x191970)}, {L"MintCream", Rgb(0xF5FFFA)},
    {L"MistyRose", Rgb(0xFFE4E1)}, {L"Moccasin", Rgb(0xFFE4B5)}, {L"NavajoWhite", Rgb(0xFFDEAD)},
    {L"Navy", Rgb(0x000080)}, {L"OldLace", Rgb(0xFDF5E6)}, {L"Olive", Rgb(0x808000)},
    {L"OliveDrab", Rgb(0x6B8E23)}, {L"Orange", Rgb(0xFFA500)}, {L"OrangeRed", Rgb(0xFF4500)},
    {L"Orchid", Rgb(0xDA70D6)}, {L"PaleGoldenRod", Rgb(0xEEE8AA)}, {L"PaleGreen", Rgb(0x98FB98)},
    {L"PaleTurquoise", Rgb(0xAFEEEE)}, {L"PaleVioletRed", Rgb(0xDB7093)}, {L"PapayaWhip", Rgb(0xFFEFD5)},
    {L"PeachPuff", Rgb(0xFFDAB9)}, {L"Peru", Rgb(0xCD853F)}, {L"Pink", Rgb(0xFFC0CB)},
    {L"Plum", Rgb(0xDDA0DD)}, {L"PowderBlue", Rgb(0xB0E0E6)}, {L"Purple", Rgb(0x800080)},
    {L"Red", Rgb(0xFF0000)}, {L"RosyBrown", Rgb(0xBC8F8F)}, {L"RoyalBlue", Rgb(0x4169E1)},
    {L"SaddleBrown", Rgb(0x8B4513)}, {L"Salmon", Rgb(0xFA8072)}, {L"SandyBrown", Rgb(0xF4A460)},
    {L"SeaGreen", Rgb(0x2E8B57)}, {L"SeaShell", Rgb(0xFFF5EE)}, {L"Sienna", Rgb(0xA0522D)},
    {L"Silver", Rgb(0xC0C0C0)}, {L"SkyBlue", Rgb(0x87CEEB)}, {L"SlateBlue", Rgb(0x6A5ACD)},
    {L"SlateGray", Rgb(0x708090)}, {L"Snow", Rgb(0xFFFAFA)}, {L"SpringGreen", Rgb(0x00FF7F)},
    {L"SteelBlue", Rgb(0x4682B4)}, {L"Tan", Rgb(0xD2B48C)}, {L"Teal", Rgb(0x008080)},
    {L"Thistle", Rgb(0xD8BFD8)}, {L"Tomato", Rgb(0xFF6347)}, {L"Turquoise", Rgb(0x40E0D0)},
    {L"Violet", Rgb(0xEE82EE)}, {L"Wheat", Rgb(0xF5DEB3)}, {L"White", Rgb(0xFFFFFF)},
    {L"WhiteSmoke", Rgb(0xF5F5F5)}, {L"Yellow", Rgb(0xFFFF00)}, {L"YellowGreen", Rgb(0x8BCD32)},
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

bool SameWithoutCase(const wchar_t* a, const wchar_t* b)
{
    while (*a && towlower(*a) == towlower(*b)) {
        ++a;
        ++b;
    }
    return *a == 0 && *b == 0;
}

}  // namespace

COLORREF HtmlParseColor(const wchar_t* text)
{
    for (const HtmlNamedColor& c : g_HtmlColors)
        if (SameWithoutCase(c.name, text))
            return c.color;
    if (*text == L'#')
        ++text;
    int digits[6] = {};
    for (int i = 0; i < 6 && text[i]; ++i)
        digits[i] = HexDigit(text[i]);
    return RGB(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
}
