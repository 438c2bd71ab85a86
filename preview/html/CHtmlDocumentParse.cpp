// The parser: one pass over the cleaned text that keeps the inline style
// and emits an element per word, blank, break, picture or form control;
// blocks (tables, lists, preformatted text, quotations, aligned divisions
// and paragraphs, floating pictures) recurse one level deeper, at most
// kMaxDepth levels.
#include "CHtmlDocument.h"

#include <stdio.h>
#include <wchar.h>
#include <wctype.h>

#include <string>

#include "CHtmlImageLoader.h"
#include "CHtmlRendererHost.h"
#include "HtmlText.h"
#include "HtmlUrl.h"
#include "HtmlVocabulary.h"

using namespace html_text;

namespace {

const COLORREF kLinkBlue = 0xFF0000;
const wchar_t kControlFace[] = L"MS Sans serif";
const int kControlFontHeight = 15;

int ClampSize(long long size)
{
    return size < 1 ? 1 : size > HTML_MAX_FONT_HEIGHT ? HTML_MAX_FONT_HEIGHT : (int)size;
}

int AlignOf(const wchar_t* value, int fallback)
{
    if (!value)
        return fallback;
    if (_wcsicmp(value, L"left") == 0)
        return 0;
    if (_wcsicmp(value, L"right") == 0)
        return 1;
    if (_wcsicmp(value, L"center") == 0 || _wcsicmp(value, L"middle") == 0)
        return 2;
    if (_wcsicmp(value, L"justify") == 0)
        return 3;
    return fallback;
}

bool IsWordEnd(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'<';
}

const wchar_t* SkipBlanks(const wchar_t* p, const wchar_t* end)
{
    while (p < end && *p == L' ')
        ++p;
    return p;
}

// The end of a block whose opening tag is open and whose closing tag is
// close, nesting counted: the position of the matching closing tag, or end.
const wchar_t* FindMatching(const wchar_t* p, const wchar_t* end, const wchar_t* open, const wchar_t* close)
{
    int nest = 0;
    for (; p < end; ++p) {
        if (*p != L'<')
            continue;
        if (IsTagAt(p, end, open))
            ++nest;
        else if (IsTagAt(p, end, close) && nest-- == 0)
            return p;
    }
    return end;
}

// Decodes a text the way element texts are decoded.
std::wstring Decoded(const wchar_t* text, size_t length)
{
    std::wstring s(text, length);
    s.push_back(0);
    HtmlDecodeEntities(&s[0]);
    HtmlDecodeUtf8Pairs(&s[0]);
    s.resize(wcslen(s.c_str()));
    return s;
}

std::wstring Resolved(const wchar_t* url, const wchar_t* base)
{
    std::wstring result;
    if (!url || !HtmlResolveUrl(url, base, result))
        result.clear();
    return result;
}

}  // namespace

struct CHtmlDocument::CParseState
{
    CHtmlElementList* items;
    const wchar_t* begin;
    int length;
    const wchar_t* callFace;
    int callSize;
    COLORREF callColor;
    const wchar_t* baseUrl;
    int depth;
    int align;
    int noWrap;

    wchar_t face[100];
    int size;
    COLORREF color;
    int italic = 0;
    int bold = 0;
    int underline = 0;
    int link = 0;
    int linkIndex = -1;
    int centering = 0;
    int sub = 0;
    int sup = 0;
    int strike = 0;
    int lineHasText = 0;

    int LineAlign() const { return centering ? 2 : align; }
};

void CHtmlDocument::Progress(const CParseState& s, const wchar_t* p)
{
    if (s.depth == 0 && m_pHost)
        m_pHost->OnParseProgress(0, (int)(p - s.begin), s.length);
}

void CHtmlDocument::AddText(CParseState& s, const wchar_t* text, int length)
{
    int frame = s.underline || s.link ? HTML_FRAME_BOTTOM : 0;
    int frameWidth = frame ? 1 : 0;
    if (s.strike) {
        frame |= HTML_FRAME_MIDDLE;
        frameWidth = 1;
    }
    int height = s.sub ? s.size * 2 / 3 : s.size;
    CHtmlElement* e = CreateTextElement(text, length, frame, frameWidth, s.link ? kLinkBlue : RGB(0, 0, 0), s.face,
                                        height, s.bold, s.italic, s.link ? kLinkBlue : s.color, HTML_NO_COLOR,
                                        s.LineAlign(), 0, s.linkIndex, s.noWrap);
    // Superscript: a full-height box with the smaller text at its top.
    if (s.sup)
        e->nFontHeight = ClampSize(s.size * 2 / 3);
    GrowItems(*s.items, e);
}

void CHtmlDocument::AddBreak(CParseState& s, int align, int clear)
{
    GrowItems(*s.items, CreateBreakElement(0, 0, align, clear));
}

CHtmlElement* CHtmlDocument::AddCell(CParseState& s, CHtmlElement* cell, const wchar_t* text, int length,
                                     const wchar_t* face, int size, int align, int noWrap)
{
    Parse(text, length, cell->children, face, size, s.callColor, s.baseUrl, s.depth + 1, align, noWrap);
    GrowItems(*s.items, cell);
    return cell;
}

int CHtmlDocument::FindOrAddLink(const wchar_t* url)
{
    if (m_links.GetRowCount() == 0)
        m_links.AddRow();
    const CHtmlStringList& row = m_links.GetRow(0);
    for (int i = 0; i < row.GetCount(); ++i)
        if (_wcsicmp(row.Get(i), url) == 0)
            return i;
    m_links.AppendCell(0, url);
    return row.GetCount() - 1;
}

void CHtmlDocument::Parse(const wchar_t* text, int length, CHtmlElementList& items, const wchar_t* face, int size,
                          COLORREF color, const wchar_t* baseUrl, int depth, int align, int noWrap)
{
    CParseState s;
    s.items = &items;
    s.begin = text;
    s.length = length;
    s.callFace = face;
    s.callSize = ClampSize(size);
    s.callColor = color;
    s.baseUrl = baseUrl;
    s.depth = depth;
    s.align = align;
    s.noWrap = noWrap;
    wcsncpy(s.face, face, 99);
    s.face[99] = 0;
    s.size = s.callSize;
    s.color = color;
    if (depth > m_nLevel)
        m_nLevel = depth;

    const wchar_t* p = text;
    const wchar_t* end = text + length;
    while (p < end) {
        wchar_t c = *p;
        if (c == L'\t') {
            // Blanks to the next multiple of 5 of the run of text before.
            int column = 0;
            for (size_t i = items.size(); i > 0 && items[i - 1]->nKind == HTML_ELEMENT_TEXT; --i)
                column += (int)wcslen(items[i - 1]->pszText);
            AddText(s, L"     ", 5 - column % 5);
            ++p;
        } else if (c == L' ' || c == L'\r' || c == L'\n') {
            if (s.lineHasText || s.noWrap)
                AddText(s, L" ", 1);
            if (c != L' ') {
                AddBreak(s, s.align);
                if (c == L'\r' && p + 1 < end && p[1] == L'\n')
                    ++p;
            }
            ++p;
        } else if (c == L'<') {
            p = ParseTag(p, end, s);
        } else {
            const wchar_t* q = p;
            while (q < end && !IsWordEnd(*q))
                ++q;
            AddText(s, p, (int)(q - p));
            s.lineHasText = 1;
            p = q;
        }
        Progress(s, p);
    }
}

void CHtmlDocument::ParagraphStep(CParseState& s, int tag, int clear)
{
    int had = s.lineHasText;
    if (had || tag == HTML_TAG_BR)
        AddText(s, L" ", 1);
    if (tag == HTML_TAG_HR)
        GrowItems(*s.items, CreateBreakElement(2, 1, s.LineAlign(), 0));
    else
        AddBreak(s, s.LineAlign(), clear);
    if (tag == HTML_TAG_P && had) {
        AddText(s, L" ", 1);
        AddBreak(s, s.LineAlign());
    }
    if (!s.noWrap && (tag == HTML_TAG_BR || tag == HTML_TAG_P))
        s.lineHasText = 0;
}

const wchar_t* CHtmlDocument::ParseTag(const wchar_t* p, const wchar_t* end, CParseState& s)
{
    const wchar_t* tagEnd = PastTagEnd(p, end);
    bool division = StartsWithNoCase(p, end, L"<div ");
    if (division || StartsWithNoCase(p, end, L"<p ")) {
        bool handled = false;
        const wchar_t* next = ParseAlignedBlock(p, end, s, !division, &handled);
        if (handled)
            return next;
    }
    if (IsTagAt(p, end, L"<pre"))
        return ParsePre(p, end, s);
    if (IsTagAt(p, end, L"<table"))
        return ParseTable(p, end, s);

    int tag = HtmlFindTag(p, false);
    CHtmlStringTable attrs;
    switch (tag) {
    case HTML_TAG_I: s.italic = 1; break;
    case HTML_TAG_I_END: s.italic = 0; break;
    case HTML_TAG_B:
    case HTML_TAG_STRONG: s.bold = 1; break;
    case HTML_TAG_B_END:
    case HTML_TAG_STRONG_END: s.bold = 0; break;
    case HTML_TAG_U: s.underline = 1; break;
    case HTML_TAG_U_END: s.underline = 0; break;
    case HTML_TAG_A: {
        ParseAttributes(p, attrs);
        std::wstring url = Resolved(FindAttribute(attrs, L"href"), s.baseUrl);
        if (!url.empty()) {
            s.linkIndex = FindOrAddLink(url.c_str());
            s.link = 1;
        }
        break;
    }
    case HTML_TAG_A_END:
        s.link = 0;
        s.linkIndex = -1;
        break;
    case HTML_TAG_SMALL: s.size = ClampSize(s.size - s.size / 3); break;
    case HTML_TAG_BIG: s.size = ClampSize(s.size + s.size / 3); break;
    case HTML_TAG_SMALL_END:
    case HTML_TAG_BIG_END: s.size = s.callSize; break;
    case HTML_TAG_H1_END:
    case HTML_TAG_H2_END:
    case HTML_TAG_H3_END:
        s.size = s.callSize;
        s.bold = 0;
        break;
    case HTML_TAG_FONT: {
        ParseAttributes(p, attrs);
        if (const wchar_t* face = FindAttribute(attrs, L"face")) {
            wcsncpy(s.face, face, 99);
            s.face[99] = 0;
        }
        if (const wchar_t* color = FindAttribute(attrs, L"color"))
            s.color = ParseColor(color);
        if (const wchar_t* size = FindAttribute(attrs, L"size")) {
            long long n = ClampedNumber(size, -100000, 100000);
            const wchar_t* v = size;
            while (*v == L' ')
                ++v;
            if (n != 0)
                s.size = ClampSize(*v == L'+' || *v == L'-' ? s.callSize + n : 4 * n + 8);
        }
        break;
    }
    case HTML_TAG_FONT_END:
        s.size = s.callSize;
        s.color = s.callColor;
        wcsncpy(s.face, s.callFace, 99);
        s.face[99] = 0;
        break;
    case HTML_TAG_H1:
    case HTML_TAG_H2:
    case HTML_TAG_H3:
        s.bold = 1;
        s.size = ClampSize(tag == HTML_TAG_H1 ? 2LL * s.size
                           : tag == HTML_TAG_H2 ? s.size + s.size / 2 : s.size + s.size / 3);
        AddText(s, L" ", 1);
        AddBreak(s, s.LineAlign());
        AddText(s, L" ", 1);
        ParagraphStep(s, tag, 0);
        break;
    case HTML_TAG_CENTER:
    case HTML_TAG_CENTER_END:
        s.centering = tag == HTML_TAG_CENTER;
        ParagraphStep(s, tag, 0);
        break;
    case HTML_TAG_BR:
        ParseAttributes(p, attrs);
        ParagraphStep(s, tag, FindAttribute(attrs, L"clear") ? 1 : 0);
        break;
    case HTML_TAG_P:
    case HTML_TAG_DIV:
    case HTML_TAG_DIV_END:
        ParagraphStep(s, tag, 0);
        break;
    case HTML_TAG_HR:
        ParagraphStep(s, tag, 0);
        AddText(s, L" ", 1);
        AddBreak(s, s.LineAlign());
        break;
    case HTML_TAG_SUB: s.sub = 1; break;
    case HTML_TAG_SUB_END: s.sub = 0; break;
    case HTML_TAG_SUP: s.sup = 1; break;
    case HTML_TAG_SUP_END: s.sup = 0; break;
    case HTML_TAG_STRIKE: s.strike = 1; break;
    case HTML_TAG_STRIKE_END: s.strike = 0; break;
    case HTML_TAG_IMG: return ParseImage(p, end, s);
    case HTML_TAG_INPUT: ParseInput(p, s); break;
    case HTML_TAG_SELECT: return ParseSelect(p, end, s);
    case HTML_TAG_TEXTAREA: return ParseTextarea(p, end, s);
    case HTML_TAG_UL:
    case HTML_TAG_OL: return ParseList(p, end, s, tag == HTML_TAG_OL);
    case HTML_TAG_FORM:
        if (m_pHost) {
            ParseAttributes(p, attrs);
            std::wstring action = Resolved(FindAttribute(attrs, L"action"), s.baseUrl);
            const wchar_t* method = FindAttribute(attrs, L"method");
            m_nForm = m_pHost->AddForm(action.c_str(), method && *method ? method : L"get");
        }
        break;
    case HTML_TAG_FORM_END: m_nForm = -1; break;
    case HTML_TAG_BLOCKQUOTE: return ParseBlockquote(p, end, s);
    default: break;
    }
    return tagEnd;
}

const wchar_t* CHtmlDocument::ParseAlignedBlock(const wchar_t* p, const wchar_t* end, CParseState& s,
                                                bool paragraph, bool* handled)
{
    *handled = false;
    if (s.depth + 1 > kMaxDepth)
        return p;
    CHtmlStringTable attrs;
    ParseAttributes(p, attrs);
    int align = AlignOf(FindAttribute(attrs, L"align"), s.LineAlign());
    if (align == s.align && !(s.centering && align != 1))
        return p;

    const wchar_t* body = PastTagEnd(p, end);
    const wchar_t* blockEnd = nullptr;
    bool closing = false;
    int divisions = 0;
    int tables = 0;
    for (const wchar_t* q = body; q < end && !blockEnd; ++q) {
        if (*q != L'<')
            continue;
        int tag = HtmlFindTag(q, false);
        if (tag == HTML_TAG_TABLE) {
            ++tables;
        } else if (tag == HTML_TAG_TABLE_END) {
            if (tables > 0) {
                --tables;
            } else if (!paragraph) {
                blockEnd = q;
                closing = true;
            }
        } else if (!paragraph && tag == HTML_TAG_DIV) {
            ++divisions;
        } else if (!paragraph && tag == HTML_TAG_DIV_END) {
            if (divisions-- == 0) {
                blockEnd = q;
                closing = true;
            }
        } else if (paragraph && tables == 0 && (tag == HTML_TAG_P_END || tag == HTML_TAG_P || tag == HTML_TAG_HR)) {
            blockEnd = q;
            closing = tag == HTML_TAG_P_END;
        }
    }
    if (!blockEnd) {
        // Unclosed: the block runs to the next aligned division (paragraph)
        // outside tables, else to the end.
        tables = 0;
        for (const wchar_t* q = body; q < end && !blockEnd; ++q) {
            if (*q != L'<')
                continue;
            int tag = HtmlFindTag(q, false);
            if (tag == HTML_TAG_TABLE)
                ++tables;
            else if (tag == HTML_TAG_TABLE_END && tables > 0)
                --tables;
            else if (tables == 0 && tag == (paragraph ? HTML_TAG_P : HTML_TAG_DIV)) {
                CHtmlStringTable other;
                ParseAttributes(q, other);
                if (FindAttribute(other, L"align"))
                    blockEnd = q;
            }
        }
        if (!blockEnd)
            blockEnd = end;
    }

    *handled = true;
    AddBreak(s, align);
    if (paragraph)
        AddBreak(s, align);
    Parse(body, (int)(blockEnd - body), *s.items, s.face, s.size, s.color, s.baseUrl, s.depth + 1, align, s.noWrap);
    AddBreak(s, s.LineAlign());
    return closing ? PastTagEnd(blockEnd, end) : blockEnd;
}

const wchar_t* CHtmlDocument::ParsePre(const wchar_t* p, const wchar_t* end, CParseState& s)
{
    const wchar_t* body = PastTagEnd(p, end);
    if (s.depth + 1 > kMaxDepth)
        return body;
    const wchar_t* close = FindMatching(body, end, L"<pre", L"</pre");
    AddBreak(s, s.LineAlign());
    CHtmlElement* start = s.items->back();
    size_t first = s.items->size();
    AddCell(s, CreateCellElement(0, 0, 0, 0, 0, HTML_NO_COLOR, 0, 1, 1, 0, 0, 0, -1, 0, 0, HTML_FRAME_SUNKEN, -1),
            body, (int)(close - body), L"Courier New", s.callSize, 0, 1);
    start->nTableRun = (int)(s.items->size() - first);
    AddBreak(s, s.LineAlign());
    return SkipBlanks(PastTagEnd(close, end), end);
}

const wchar_t* CHtmlDocument::ParseBlockquote(const wchar_t* p, const wchar_t* end, CParseState& s)
{
    const wchar_t* body = PastTagEnd(p, end);
    if (s.depth + 1 > kMaxDepth)
        return body;
    const wchar_t* close = FindNoCase(body, end, L"</blockquote");
    AddBreak(s, s.LineAlign());
    CHtmlElement* start = s.items->back();
    size_t first = s.items->size();
    AddCell(s, CreateCellElement(0, 0, 0, 0, 0, HTML_NO_COLOR, 0, 1, 1, 15, 0, 0, -1, 0, 0, HTML_FRAME_SUNKEN, -1),
            body, (int)(close - body), s.callFace, s.callSize, s.align, s.noWrap);
    start->nTableRun = (int)(s.items->size() - first);
    AddBreak(s, s.LineAlign());
    return PastTagEnd(close, end);
}

const wchar_t* CHtmlDocument::ParseList(const wchar_t* p, const wchar_t* end, CParseState& s, bool ordered)
{
    const wchar_t* body = PastTagEnd(p, end);
    AddBreak(s, s.LineAlign());
    if (s.depth + 1 > kMaxDepth)
        return body;
    const wchar_t* close = FindMatching(body, end, ordered ? L"<ol" : L"<ul", ordered ? L"</ol" : L"</ul");
    CHtmlElement* start = s.items->back();
    size_t first = s.items->size();

    // Item starts: "<li" outside nested lists.
    std::vector<const wchar_t*> starts;
    int nest = 0;
    for (const wchar_t* q = body; q < close; ++q) {
        if (*q != L'<')
            continue;
        int tag = HtmlFindTag(q, false);
        if (tag == HTML_TAG_UL || tag == HTML_TAG_OL)
            ++nest;
        else if ((tag == HTML_TAG_UL_END || tag == HTML_TAG_OL_END) && nest > 0)
            --nest;
        else if (tag == HTML_TAG_LI && nest == 0)
            starts.push_back(q);
    }
    bool odd = (m_nListNesting & 1) != 0;
    for (size_t j = 0; j < starts.size(); ++j) {
        const wchar_t* itemText = PastTagEnd(starts[j], close);
        const wchar_t* itemEnd = j + 1 < starts.size() ? starts[j + 1] : close;
        wchar_t marker[32];
        const wchar_t* markerFace = s.callFace;
        if (!ordered) {
            wcscpy(marker, odd ? L" m " : L" l ");
            markerFace = L"Wingdings";
        } else if (!odd) {
            swprintf(marker, 32, L"   %d.    ", (int)j + 1);
        } else {
            swprintf(marker, 32, L"   %lc.    ", (wchar_t)(L'a' + j));
        }
        int row = (int)j;
        AddCell(s, CreateCellElement(row, 0, 0, 0, 0, HTML_NO_COLOR, 0, 1, 1, 2, 0, 0, -1, 0, 0, HTML_FRAME_SUNKEN, -1),
                marker, (int)wcslen(marker), markerFace, s.callSize, 0, 1);
        ++m_nListNesting;
        AddCell(s, CreateCellElement(row, 1, 0, 0, 0, HTML_NO_COLOR, 0, 1, 1, 2, 0, 0, -1, 0, 0, HTML_FRAME_SUNKEN, -1),
                itemText, (int)(itemEnd - itemText), s.callFace, s.callSize, s.align, s.noWrap);
        --m_nListNesting;
        AddBreak(s, s.LineAlign());
        s.lineHasText = 0;
    }
    start->nTableRun = (int)(s.items->size() - first);
    return PastTagEnd(close, end);
}

const wchar_t* CHtmlDocument::ParseTable(const wchar_t* p, const wchar_t* end, CParseState& s)
{
    const wchar_t* body = PastTagEnd(p, end);
    if (s.depth + 1 > kMaxDepth) {
        AddBreak(s, s.LineAlign());
        return body;
    }
    CHtmlStringTable attrs;
    ParseAttributes(p, attrs);
    const wchar_t* v = FindAttribute(attrs, L"bgcolor");
    COLORREF tableBack = v ? ParseColor(v) : HTML_NO_COLOR;
    v = FindAttribute(attrs, L"bordercolor");
    COLORREF frameColor = v ? ParseColor(v) : HTML_NO_COLOR;
    int tableWidth = 0;
    if ((v = FindAttribute(attrs, L"width")) != nullptr && *v)
        tableWidth = wcschr(v, L'%') ? -ClampedNumber(v, 0, 1000) : ClampedNumber(v, 0, HTML_MAX_EXTENT);
    int tableHeight = 0;
    if ((v = FindAttribute(attrs, L"height")) != nullptr && !wcschr(v, L'%'))
        tableHeight = ClampedNumber(v, 0, HTML_MAX_EXTENT);
    int border = AttributeNumber(attrs, L"border", 0, 0, 100);
    int padding = AttributeNumber(attrs, L"cellpadding", 4, 0, 1000) + (border ? 1 : 0);
    int spacing = AttributeNumber(attrs, L"cellspacing", 4, 0, 1000);
    int backImage = -1;
    std::wstring url = Resolved(FindAttribute(attrs, L"background"), s.baseUrl);
    if (!url.empty())
        backImage = m_pLoader->AddImage(url.c_str(), 1);
    int tableAlign = AlignOf(FindAttribute(attrs, L"align"), -1);
    int floatSide = tableAlign == 0 ? 0 : tableAlign == 1 ? 1 : -1;

    AddBreak(s, s.centering || tableAlign == 2 ? 2 : s.align);
    CHtmlElement* start = s.items->back();
    start->crBack = tableBack;
    start->nBackImage = backImage;
    start->nBorder = border;
    start->crFrame = frameColor == HTML_NO_COLOR ? HTML_FRAME_RAISED : frameColor;
    start->nTableHeight = tableHeight;
    size_t first = s.items->size();

    const wchar_t* close = FindMatching(body, end, L"<table", L"</table");
    int row = -1;
    int column = 0;
    bool rowHasCells = false;
    COLORREF rowBack = HTML_NO_COLOR;
    int rowAlign = s.align;
    const wchar_t* q = body;
    while (q < close) {
        if (*q != L'<') {
            ++q;
            continue;
        }
        int tag = HtmlFindTag(q, false);
        CHtmlStringTable cellAttrs;
        if (tag == HTML_TAG_TABLE) {
            q = PastTagEnd(FindMatching(PastTagEnd(q, close), close, L"<table", L"</table"), close);
        } else if (tag == HTML_TAG_TR) {
            if (rowHasCells)
                AddBreak(s, s.LineAlign());
            rowHasCells = false;
            ++row;
            column = 0;
            ParseAttributes(q, cellAttrs);
            v = FindAttribute(cellAttrs, L"bgcolor");
            rowBack = v ? ParseColor(v) : HTML_NO_COLOR;
            rowAlign = AlignOf(FindAttribute(cellAttrs, L"align"), s.align);
            q = PastTagEnd(q, close);
        } else if (tag == HTML_TAG_FORM || tag == HTML_TAG_FORM_END) {
            q = ParseTag(q, close, s);
        } else if (tag == HTML_TAG_TD || tag == HTML_TAG_TH) {
            if (row < 0)
                row = 0;
            ParseAttributes(q, cellAttrs);
            bool heading = tag == HTML_TAG_TH;
            int cellWidth = 0;
            if ((v = FindAttribute(cellAttrs, L"width")) != nullptr && *v) {
                if (!wcschr(v, L'%'))
                    cellWidth = ClampedNumber(v, 0, HTML_MAX_EXTENT);
                else if (tableWidth > 0)
                    cellWidth = (int)((long long)ClampedNumber(v, 0, 1000) * tableWidth / 100);
                if (cellWidth > HTML_MAX_EXTENT)
                    cellWidth = HTML_MAX_EXTENT;
            }
            int cellHeight = 0;
            if ((v = FindAttribute(cellAttrs, L"height")) != nullptr && !wcschr(v, L'%'))
                cellHeight = ClampedNumber(v, 0, HTML_MAX_EXTENT);
            v = FindAttribute(cellAttrs, L"bgcolor");
            COLORREF cellBack = v ? ParseColor(v) : rowBack;
            int colspan = AttributeNumber(cellAttrs, L"colspan", 1, 1, 1000);
            int rowspan = AttributeNumber(cellAttrs, L"rowspan", 1, 1, 1000);
            int cellAlign = AlignOf(FindAttribute(cellAttrs, L"align"), heading ? 2 : rowAlign);
            if (cellAlign == 0)
                cellAlign = rowAlign;
            const wchar_t* valign = FindAttribute(cellAttrs, L"valign");
            int cellVAlign = !valign ? 0
                             : _wcsicmp(valign, L"bottom") == 0 ? 1
                             : _wcsicmp(valign, L"center") == 0 || _wcsicmp(valign, L"middle") == 0 ? 2 : 0;
            int cellBackImage = -1;
            std::wstring cellUrl = Resolved(FindAttribute(cellAttrs, L"background"), s.baseUrl);
            if (!cellUrl.empty())
                cellBackImage = m_pLoader->AddImage(cellUrl.c_str(), 1);
            int noWrap = (FindAttribute(cellAttrs, L"nobreak") || FindAttribute(cellAttrs, L"nowrap")) && !cellWidth;

            const wchar_t* text = SkipBlanks(PastTagEnd(q, close), close);
            const wchar_t* textEnd = text;
            int tables = 0;
            for (; textEnd < close; ++textEnd) {
                if (*textEnd != L'<')
                    continue;
                int t = HtmlFindTag(textEnd, false);
                if (t == HTML_TAG_TABLE)
                    ++tables;
                else if (t == HTML_TAG_TABLE_END && tables > 0)
                    --tables;
                else if (tables == 0 && (t == HTML_TAG_TD || t == HTML_TAG_TD_END || t == HTML_TAG_TH ||
                                         t == HTML_TAG_TH_END || t == HTML_TAG_TR || t == HTML_TAG_TR_END))
                    break;
            }
            CHtmlElement* cell = CreateCellElement(row, column, cellWidth, cellAlign, cellVAlign, cellBack, border,
                                                   colspan, rowspan, padding, spacing, tableWidth, cellBackImage,
                                                   cellHeight, tableHeight,
                                                   frameColor == HTML_NO_COLOR ? HTML_FRAME_SUNKEN : frameColor,
                                                   floatSide);
            AddCell(s, cell, text, (int)(textEnd - text), s.callFace, heading ? s.callSize + 4 : s.callSize,
                    cellAlign, noWrap);
            column += colspan;
            rowHasCells = true;
            q = textEnd;
        } else {
            q = PastTagEnd(q, close);
        }
    }
    if (rowHasCells)
        AddBreak(s, s.LineAlign());
    start->nTableRun = (int)(s.items->size() - first);
    AddBreak(s, s.LineAlign());
    return SkipBlanks(PastTagEnd(close, end), end);
}

const wchar_t* CHtmlDocument::ParseImage(const wchar_t* p, const wchar_t* end, CParseState& s)
{
    const wchar_t* tagEnd = PastTagEnd(p, end);
    CHtmlStringTable attrs;
    ParseAttributes(p, attrs);
    const wchar_t* v = FindAttribute(attrs, L"width");
    int width = v && *v && !wcschr(v, L'%') ? ClampedNumber(v, 0, HTML_MAX_EXTENT) : -1;
    v = FindAttribute(attrs, L"height");
    int height = v && *v && !wcschr(v, L'%') ? ClampedNumber(v, 0, HTML_MAX_EXTENT) : -1;
    if (width == 0 || height == 0)
        return tagEnd;
    int border = AttributeNumber(attrs, L"border", 0, 0, 100);
    int side = AlignOf(FindAttribute(attrs, L"align"), -1);
    if ((side == 0 || side == 1) && s.depth + 1 <= kMaxDepth) {
        AddBreak(s, side);
        CHtmlElement* start = s.items->back();
        size_t first = s.items->size();
        std::wstring tag(p, tagEnd);
        std::wstring lower(tag);
        for (wchar_t& ch : lower)
            ch = (wchar_t)towlower(ch);
        for (size_t i = 0; (i = lower.find(L"align", i)) != std::wstring::npos; i += 5)
            tag[i] = L'x';
        CHtmlElement* cell =
            CreateCellElement(0, 0, 0, 0, 0, HTML_NO_COLOR, 0, 1, 1, 4, 0, 0, -1, 0, 0, HTML_FRAME_SUNKEN, side);
        Parse(tag.c_str(), (int)tag.size(), cell->children, s.face, s.size, s.color, s.baseUrl, s.depth + 1, 0,
              s.noWrap);
        GrowItems(*s.items, cell);
        start->nTableRun = (int)(s.items->size() - first);
        AddBreak(s, s.LineAlign());
        AddBreak(s, s.LineAlign());
        return tagEnd;
    }
    std::wstring url = Resolved(FindAttribute(attrs, L"src"), s.baseUrl);
    CHtmlElement* e =
        CreateImageElement(url.c_str(), s.LineAlign(), m_pLoader, s.link ? s.linkIndex : -1, s.noWrap, 0, border);
    e->nCellWidth = width > 0 ? width : 0;
    e->nCellHeight = height > 0 ? height : 0;
    GrowItems(*s.items, e);
    return tagEnd;
}

const wchar_t* CHtmlDocument::ParseInput(const wchar_t* p, CParseState& s)
{
    CHtmlStringTable attrs;
    ParseAttributes(p, attrs);
    const wchar_t* type = FindAttribute(attrs, L"type");
    if (!type || !*type)
        type = L"text";
    int size = AttributeNumber(attrs, L"size", 10, 1, 1000);
    int maxLength = AttributeNumber(attrs, L"maxlength", 0, 0, 0x7FFFFFFE);
    const wchar_t* value = FindAttribute(attrs, L"value");
    if (!value)
        value = L"";
    const wchar_t* name = FindAttribute(attrs, L"name");
    if (!name)
        name = L"";
    std::wstring decoded = Decoded(value, wcslen(value));
    CHtmlElement* e = nullptr;
    if (_wcsicmp(type, L"text") == 0 || _wcsicmp(type, L"password") == 0) {
        std::wstring zeros((size_t)size, L'0');
        e = CreateTextElement(zeros.c_str(), size, HTML_FRAME_BOX, 2, HTML_FRAME_SUNKEN, kControlFace,
                              kControlFontHeight, 0, 0, RGB(0, 0, 0), RGB(255, 255, 255), s.LineAlign(), 0, -1,
                              s.noWrap);
        e->cx += 8;
        e->cy += 4;
        delete[] e->pszText;
        e->pszText = new wchar_t[decoded.size() + 1];
        wcscpy(e->pszText, decoded.c_str());
        if (m_pHost)
            e->hControl = m_pHost->CreateEditControl(size, maxLength, e->cx, e->cy, decoded.c_str(), 0, name, m_nForm,
                                                     _wcsicmp(type, L"password") == 0);
    } else if (_wcsicmp(type, L"button") == 0 || _wcsicmp(type, L"submit") == 0) {
        e = CreateTextElement(value, -1, HTML_FRAME_BOX, 2, HTML_FRAME_RAISED, kControlFace, kControlFontHeight, 0, 0,
                              RGB(0, 0, 0), RGB(192, 192, 192), s.LineAlign(), 0, -1, s.noWrap);
        e->cx += 8;
        e->cy += 4;
        if (m_pHost)
            e->hControl = m_pHost->CreateSubmitButton(e->cx, e->cy, e->pszText, name, m_nForm);
    } else if (_wcsicmp(type, L"radio") == 0 || _wcsicmp(type, L"checkbox") == 0) {
        e = CreateTextElement(L"    ", 4, HTML_FRAME_BOX, 2, HTML_FRAME_SUNKEN, s.face, s.size, 0, 0, RGB(0, 0, 0),
                              RGB(255, 255, 255), s.LineAlign(), 0, -1, s.noWrap);
        e->cx = 13;
        e->cy = 13;
        if (m_pHost)
            e->hControl = _wcsicmp(type, L"radio") == 0
                              ? m_pHost->CreateRadioButton(13, 13, decoded.c_str(), name, m_nForm)
                              : m_pHost->CreateCheckBox(13, 13, decoded.c_str(), name, m_nForm);
    } else if (_wcsicmp(type, L"hidden") == 0) {
        e = CreateTextElement(value, -1, 0, 0, 0, s.face, s.size, 0, 0, s.color, HTML_NO_COLOR, s.LineAlign(), 0, -1,
                              s.noWrap);
        e->cx = 0;
        e->cy = 0;
        if (m_pHost)
            e->hControl = m_pHost->CreateEditControl(size, 0, 0, 0, e->pszText, 0, name, m_nForm, 0);
    } else if (_wcsicmp(type, L"image") == 0) {
        std::wstring url = Resolved(FindAttribute(attrs, L"src"), s.baseUrl);
        wchar_t submit[32];
        swprintf(submit, 32, L"Submit(%d)", m_nForm);
        e = CreateImageElement(url.c_str(), s.LineAlign(), m_pLoader, FindOrAddLink(submit), s.noWrap, 0, 0);
        const wchar_t* v = FindAttribute(attrs, L"width");
        e->nCellWidth = v && *v && !wcschr(v, L'%') ? ClampedNumber(v, 0, HTML_MAX_EXTENT) : 0;
        v = FindAttribute(attrs, L"height");
        e->nCellHeight = v && *v && !wcschr(v, L'%') ? ClampedNumber(v, 0, HTML_MAX_EXTENT) : 0;
    }
    if (e)
        GrowItems(*s.items, e);
    return p;
}

const wchar_t* CHtmlDocument::ParseSelect(const wchar_t* p, const wchar_t* end, CParseState& s)
{
    CHtmlStringTable attrs;
    ParseAttributes(p, attrs);
    const wchar_t* name = FindAttribute(attrs, L"name");
    const wchar_t* close = FindNoCase(p, end, L"</select");
    CHtmlStringTable options;
    int selection = -1;
    int widest = 0;
    std::vector<const wchar_t*> starts;
    for (const wchar_t* q = PastTagEnd(p, close); q < close; ++q)
        if (*q == L'<' && HtmlFindTag(q, false) == HTML_TAG_OPTION)
            starts.push_back(q);
    for (size_t i = 0; i < starts.size(); ++i) {
        const wchar_t* text = PastTagEnd(starts[i], close);
        const wchar_t* textEnd = i + 1 < starts.size() ? starts[i + 1] : close;
        CHtmlStringTable optionAttrs;
        ParseAttributes(starts[i], optionAttrs);
        std::wstring decoded = Decoded(text, (size_t)(textEnd - text));
        const wchar_t* value = FindAttribute(optionAttrs, L"value");
        int row = options.AddRow() - 1;
        options.AppendCell(row, decoded.c_str());
        options.AppendCell(row, value ? value : L"");
        if (FindAttribute(optionAttrs, L"selected"))
            selection = row;
        SIZE size = MeasureText(kControlFace, kControlFontHeight, 0, 0, decoded.c_str(), (int)decoded.size());
        if (size.cx > widest)
            widest = size.cx;
    }
    const wchar_t* firstText = options.GetCell(0, 0);
    CHtmlElement* e = CreateTextElement(firstText, -1, HTML_FRAME_BOX, 2, HTML_FRAME_SUNKEN, kControlFace,
                                        kControlFontHeight, 0, 0, RGB(0, 0, 0), RGB(255, 255, 255), s.LineAlign(), 0,
                                        -1, s.noWrap);
    e->cx = widest + GetSystemMetrics(SM_CXHSCROLL) + 8;
    e->cy += 4;
    if (m_pHost)
        e->hControl = m_pHost->CreateComboBox(e->cx, e->cy, options, selection, name ? name : L"", m_nForm);
    GrowItems(*s.items, e);
    return PastTagEnd(close, end);
}

const wchar_t* CHtmlDocument::ParseTextarea(const wchar_t* p, const wchar_t* end, CParseState& s)
{
    CHtmlStringTable attrs;
    ParseAttributes(p, attrs);
    int cols = AttributeNumber(attrs, L"cols", 15, 1, 1000);
    int rows = AttributeNumber(attrs, L"rows", 3, 1, 1000);
    const wchar_t* name = FindAttribute(attrs, L"name");
    const wchar_t* text = PastTagEnd(p, end);
    const wchar_t* close = FindNoCase(text, end, L"</textarea");
    std::wstring content = Decoded(text, (size_t)(close - text));
    CHtmlElement* e = CreateTextElement(L" ", 1, HTML_FRAME_BOX, 2, HTML_FRAME_SUNKEN, L"Courier New",
                                        kControlFontHeight, 0, 0, RGB(0, 0, 0), RGB(255, 255, 255), s.LineAlign(), 0,
                                        -1, s.noWrap);
    e->cx = cols * e->cx + 4;
    e->cy = rows * e->cy + 4;
    delete[] e->pszText;
    e->pszText = new wchar_t[content.size() + 1];
    wcscpy(e->pszText, content.c_str());
    if (m_pHost)
        e->hControl = m_pHost->CreateEditControl(-1, 0, e->cx, e->cy, content.c_str(), 1, name ? name : L"", m_nForm, 0);
    GrowItems(*s.items, e);
    return PastTagEnd(close, end);
}
