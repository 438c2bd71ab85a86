// The document's life and its pre-pass: what a page keeps of its text
// before the parser sees it.
#include "CHtmlDocument.h"

#include <wchar.h>

#include <string>

#include "CHtmlImageLoader.h"
#include "CHtmlRendererHost.h"
#include "HtmlText.h"
#include "HtmlUrl.h"
#include "HtmlVocabulary.h"

using namespace html_text;

CHtmlDocument::CHtmlDocument(CHtmlRendererHost* host, int wait)
    : m_pHost(host), m_bWait(wait), m_pLoader(new CHtmlImageLoader(host))
{
}

CHtmlDocument::~CHtmlDocument()
{
    m_pLoader->StopPolling();
    FreeElementList(m_items);
    delete m_pLoader;
}

void CHtmlDocument::GrowItems(CHtmlElementList& items, CHtmlElement* element)
{
    try {
        items.push_back(element);
        ++m_nElements;
    } catch (...) {
        delete element;
        Beep(1000, 10);
    }
}

void CHtmlDocument::GetStatusCounts(int* items, int* images, int* links, int* level) const
{
    if (items)
        *items = m_nElements;
    if (images)
        *images = m_pLoader->GetImageCount();
    if (links)
        *links = m_links.GetRow(0).GetCount();
    if (level)
        *level = m_nLevel;
}

COLORREF CHtmlDocument::ParseColor(const wchar_t* text)
{
    return HtmlParseColor(text);
}

void CHtmlDocument::ParseAttributes(const wchar_t* text, CHtmlStringTable& table)
{
    table.Clear();
    // The tag ends at its first ">", quoted or not; a value whose closing
    // quote never comes ends there too.
    const wchar_t* end = text;
    while (*end && *end != L'>')
        ++end;
    const wchar_t* p = text;
    while (p < end && *p != L' ')
        ++p;
    while (p < end) {
        while (p < end && *p == L' ')
            ++p;
        if (p >= end)
            break;
        const wchar_t* name = p;
        while (p < end && *p != L'=' && *p != L' ')
            ++p;
        int row = table.AddRow() - 1;
        table.AppendCell(row, name, (int)(p - name));
        const wchar_t* q = p;
        while (q < end && *q == L' ')
            ++q;
        if (q >= end || *q != L'=')
            continue;
        p = q + 1;
        while (p < end && *p == L' ')
            ++p;
        const wchar_t* value = p;
        if (p < end && (*p == L'"' || *p == L'\'')) {
            wchar_t quote = *p++;
            value = p;
            while (p < end && *p != quote)
                ++p;
            table.AppendCell(row, value, (int)(p - value));
            if (p < end)
                ++p;
        } else {
            while (p < end && *p != L' ')
                ++p;
            table.AppendCell(row, value, (int)(p - value));
        }
    }
}

void CHtmlDocument::Load(const wchar_t* text, const wchar_t* face, int size, COLORREF color, const wchar_t* baseUrl)
{
    m_bBusy = 1;
    m_crBack = RGB(255, 255, 255);
    m_nBackImage = -1;
    m_nElements = 0;
    m_nLevel = 0;
    m_nForm = -1;
    m_nHoverLink = -1;
    m_nListNesting = 0;
    m_links.Clear();
    FreeElementList(m_items);
    for (int i = 0, n = m_pLoader->GetImageCount(); i < n; ++i)
        m_pLoader->GetImage(i)->FreeBitmap();
    if (!text)
        text = L"";
    if (!baseUrl)
        baseUrl = L"";

    const wchar_t* dot = wcsrchr(baseUrl, L'.');
    bool plainText = dot && _wcsicmp(dot + 1, L"txt") == 0;
    if (plainText)
        face = L"Courier New";

    const wchar_t* end = text + wcslen(text);
    std::wstring out;
    out.reserve((size_t)(end - text));
    int preDepth = 0;
    const wchar_t* p = text;
    while (p < end) {
        wchar_t c = *p;
        if (c == L'<') {
            if (StartsWithNoCase(p, end, L"<script")) {
                p = PastTagEnd(FindNoCase(p + 7, end, L"</script"), end);
                continue;
            }
            if (StartsWithNoCase(p, end, L"<!--")) {
                p = PastTagEnd(FindNoCase(p + 4, end, L"-->"), end);
                continue;
            }
            if (StartsWithNoCase(p, end, L"<title")) {
                const wchar_t* t = end - p > 7 ? p + 7 : end;
                while (t < end && IsSpace(*t))
                    ++t;
                const wchar_t* close = FindNoCase(t, end, L"</title");
                const wchar_t* te = close;
                while (te > t && IsSpace(te[-1]))
                    --te;
                std::wstring title(t, te);
                title.push_back(0);
                HtmlDecodeEntities(&title[0]);
                HtmlDecodeUtf8Pairs(&title[0]);
                if (m_pHost)
                    m_pHost->SetTitle(title.c_str());
                p = PastTagEnd(close, end);
                continue;
            }
            if (StartsWithNoCase(p, end, L"<style")) {
                const wchar_t* close = FindNoCase(p + 6, end, L"</style");
                p = PastTagEnd(close < end ? close : p, end);
                continue;
            }
            if (IsTagAt(p, end, L"<body")) {
                CHtmlStringTable attrs;
                ParseAttributes(p, attrs);
                if (const wchar_t* v = FindAttribute(attrs, L"bgcolor"))
                    m_crBack = HtmlParseColor(v);
                const wchar_t* v = FindAttribute(attrs, L"background");
                std::wstring url;
                if (v && *v && HtmlResolveUrl(v, baseUrl, url))
                    m_nBackImage = m_pLoader->AddImage(url.c_str(), 1);
            }
            if (IsTagAt(p, end, L"<pre"))
                ++preDepth;
            else if (IsTagAt(p, end, L"</pre") && preDepth > 0)
                --preDepth;
            const wchar_t* tagEnd = PastTagEnd(p, end);
            if (HtmlFindTag(p, true) < 0) {
                p = tagEnd;
                continue;
            }
            for (; p < tagEnd; ++p) {
                if (preDepth || plainText)
                    out.push_back(*p);
                else
                    AppendCollapsed(out, *p);
            }
            continue;
        }
        if (preDepth || plainText)
            out.push_back(c);
        else
            AppendCollapsed(out, c);
        ++p;
    }

    Parse(out.c_str(), (int)out.size(), m_items, face, size, color, baseUrl, 0, 0, plainText ? 1 : 0);
    if (m_pHost)
        m_pHost->OnParseProgress(0, (int)out.size(), (int)out.size());
    m_bBusy = 0;
}
