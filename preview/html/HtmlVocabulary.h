// The HTML renderer's fixed vocabulary: the tags it keeps, the attribute
// names it reads, the colour names, the named character references and the
// two-character sequences of UTF-8 text read one byte per character; with the
// two in-place decoders and the colour reader over them. Window-free: the
// native sanitizer build compiles this file.
#pragma once

#include <windows.h>

// The tags, in table order: a search takes the first prefix that matches.
enum HtmlTag
{
    HTML_TAG_BR, HTML_TAG_I, HTML_TAG_I_END, HTML_TAG_B, HTML_TAG_B_END, HTML_TAG_STRONG, HTML_TAG_STRONG_END,
    HTML_TAG_U, HTML_TAG_U_END, HTML_TAG_A, HTML_TAG_A_END, HTML_TAG_SMALL, HTML_TAG_SMALL_END, HTML_TAG_BIG,
    HTML_TAG_BIG_END, HTML_TAG_CENTER, HTML_TAG_CENTER_END, HTML_TAG_P, HTML_TAG_FONT, HTML_TAG_FONT_END,
    HTML_TAG_IMG, HTML_TAG_H1, HTML_TAG_H1_END, HTML_TAG_DIV, HTML_TAG_DIV_END, HTML_TAG_HR, HTML_TAG_TABLE,
    HTML_TAG_TABLE_END, HTML_TAG_TR, HTML_TAG_TR_END, HTML_TAG_TD, HTML_TAG_TD_END, HTML_TAG_H2, HTML_TAG_H2_END,
    HTML_TAG_H3, HTML_TAG_H3_END, HTML_TAG_PRE, HTML_TAG_PRE_END, HTML_TAG_INPUT, HTML_TAG_UL, HTML_TAG_OL,
    HTML_TAG_LI, HTML_TAG_UL_END, HTML_TAG_OL_END, HTML_TAG_SUB, HTML_TAG_SUB_END, HTML_TAG_SUP, HTML_TAG_SUP_END,
    HTML_TAG_STRIKE, HTML_TAG_STRIKE_END, HTML_TAG_SELECT, HTML_TAG_SELECT_END, HTML_TAG_OPTION,
    HTML_TAG_TEXTAREA, HTML_TAG_TEXTAREA_END, HTML_TAG_TH, HTML_TAG_TH_END, HTML_TAG_FORM, HTML_TAG_FORM_END,
    HTML_TAG_BLOCKQUOTE, HTML_TAG_BLOCKQUOTE_END, HTML_TAG_P_END,
    HTML_TAG_COUNT
};

// The tag prefixes ("<br", "</i", ...) indexed by HtmlTag.
extern const wchar_t* const g_HtmlTags[HTML_TAG_COUNT];

// The tag that text (starting at "<") begins with, or -1. The name must be
// followed by the end of the text, a blank or ">"; in the pre-pass
// (prePass true) also by a tab, CR or LF. Compared without case.
int HtmlFindTag(const wchar_t* text, bool prePass);

// The attribute names the parser reads, in the order they are listed.
enum HtmlAttribute
{
    HTML_ATTR_ALIGN, HTML_ATTR_LEFT, HTML_ATTR_RIGHT, HTML_ATTR_CENTER, HTML_ATTR_MIDDLE, HTML_ATTR_JUSTIFY,
    HTML_ATTR_BOTTOM, HTML_ATTR_VALIGN, HTML_ATTR_BGCOLOR, HTML_ATTR_BACKGROUND, HTML_ATTR_BORDER,
    HTML_ATTR_BORDERCOLOR, HTML_ATTR_WIDTH, HTML_ATTR_HEIGHT, HTML_ATTR_CELLPADDING, HTML_ATTR_CELLSPACING,
    HTML_ATTR_COLSPAN, HTML_ATTR_ROWSPAN, HTML_ATTR_NOBREAK, HTML_ATTR_NOWRAP, HTML_ATTR_FACE, HTML_ATTR_COLOR,
    HTML_ATTR_SIZE, HTML_ATTR_SRC, HTML_ATTR_HREF, HTML_ATTR_TYPE, HTML_ATTR_TEXT, HTML_ATTR_PASSWORD,
    HTML_ATTR_BUTTON, HTML_ATTR_SUBMIT, HTML_ATTR_RADIO, HTML_ATTR_CHECKBOX, HTML_ATTR_HIDDEN, HTML_ATTR_IMAGE,
    HTML_ATTR_MAXLENGTH, HTML_ATTR_VALUE, HTML_ATTR_NAME, HTML_ATTR_SELECTED, HTML_ATTR_COLS, HTML_ATTR_ROWS,
    HTML_ATTR_ACTION, HTML_ATTR_METHOD, HTML_ATTR_GET, HTML_ATTR_CLEAR,
    HTML_ATTR_COUNT
};

extern const wchar_t* const g_HtmlAttributes[HTML_ATTR_COUNT];

// One named character reference: the name with "&" and ";" (or a single
// character that is itself replaced) and the character it stands for.
struct HtmlNamedReference
{
    const wchar_t* name;
    wchar_t ch;
};

const int HTML_REFERENCE_COUNT = 127;
extern const HtmlNamedReference g_HtmlReferences[HTML_REFERENCE_COUNT];

// Decodes named and numeric character references in place (the text only
// gets shorter). A hexadecimal reference ("&#x...") gives the character 0,
// which ends the text.
void HtmlDecodeEntities(wchar_t* text);

// Replaces, in place, each pair U+00C2/U+00C3 + U+0080..U+00BF (UTF-8 of a
// Latin-1 letter read one byte per character) by the letter it encodes.
void HtmlDecodeUtf8Pairs(wchar_t* text);

// A colour attribute: a colour name (without case), or up to six
// hexadecimal digits after an optional "#" read as red, green and blue
// pairs. Reading stops at the end of the text; missing or non-hexadecimal
// digits count as 0.
COLORREF HtmlParseColor(const wchar_t* text);
