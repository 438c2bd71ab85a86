// A parsed page: the element tree of a page's text, its links and its
// pictures. Load runs a pre-pass that keeps only what the renderer knows
// and then parses the cleaned text into elements; Layout positions them
// for a width, Draw paints them, and the mouse calls find links and mark
// selections. The document reports to, fetches through and asks for form
// controls from its host.
#pragma once

#include <windows.h>

#include "CHtmlElement.h"
#include "CHtmlStringTable.h"

class CHtmlImageLoader;
class CHtmlRendererHost;

class CHtmlDocument
{
public:
    // Blocks nest at most this deep; deeper ones are parsed into the
    // enclosing block, so parsing, layout, drawing and freeing stay within
    // a bounded stack.
    static constexpr int kMaxDepth = 64;

    // wait: layout waits for picture fetches (a browser passes 0).
    explicit CHtmlDocument(CHtmlRendererHost* host, int wait = 0);
    ~CHtmlDocument();
    CHtmlDocument(const CHtmlDocument&) = delete;
    CHtmlDocument& operator=(const CHtmlDocument&) = delete;

    // Replaces the page by text (UTF-16, 0-terminated).
    void Load(const wchar_t* text, const wchar_t* face, int size, COLORREF color, const wchar_t* baseUrl);
    // Appends the elements of text[0, length) to items.
    void Parse(const wchar_t* text, int length, CHtmlElementList& items, const wchar_t* face, int size,
               COLORREF color, const wchar_t* baseUrl, int depth, int align, int noWrap);
    // Empties table, then one row per attribute of the tag that starts at
    // text ("<"): the name, and the value when the attribute has one.
    static void ParseAttributes(const wchar_t* text, CHtmlStringTable& table);
    static COLORREF ParseColor(const wchar_t* text);
    // Appends element to items and counts it; a list that cannot grow beeps
    // and the element is freed.
    void GrowItems(CHtmlElementList& items, CHtmlElement* element);

    // Lays the page out within rc (its right side less 2); rc's right and
    // bottom become the content's extent. Places the form controls.
    void Layout(RECT& rc);
    // Paints the part clip of the page, scrolled by (dx, dy).
    void Draw(HDC dc, const RECT& clip, int dx, int dy);
    // Document coordinates: link hover and link clicks.
    void OnMouseMove(int x, int y);
    void OnClick(int x, int y);
    // Marks the text and breaks that rc (document coordinates) touches.
    void SelectRect(const RECT& rc);
    void InvalidateLink(const wchar_t* url);
    void InvalidateImage(int image);
    int IsLoading() const { return m_bBusy; }
    void GetStatusCounts(int* items, int* images, int* links, int* level) const;

    const CHtmlElementList& GetItems() const { return m_items; }
    CHtmlImageLoader* GetLoader() const { return m_pLoader; }
    const CHtmlStringTable& GetLinks() const { return m_links; }
    COLORREF GetBackground() const { return m_crBack; }
    int GetBackgroundImage() const { return m_nBackImage; }
    int GetHoverLink() const { return m_nHoverLink; }

private:
    struct CParseState;
    struct CLineState;
    struct CFloat;

    // Parsing (CHtmlDocumentParse.cpp).
    const wchar_t* ParseTag(const wchar_t* p, const wchar_t* end, CParseState& s);
    const wchar_t* ParseAlignedBlock(const wchar_t* p, const wchar_t* end, CParseState& s, bool paragraph,
                                     bool* handled);
    const wchar_t* ParsePre(const wchar_t* p, const wchar_t* end, CParseState& s);
    const wchar_t* ParseTable(const wchar_t* p, const wchar_t* end, CParseState& s);
    const wchar_t* ParseList(const wchar_t* p, const wchar_t* end, CParseState& s, bool ordered);
    const wchar_t* ParseBlockquote(const wchar_t* p, const wchar_t* end, CParseState& s);
    const wchar_t* ParseImage(const wchar_t* p, const wchar_t* end, CParseState& s);
    const wchar_t* ParseInput(const wchar_t* p, CParseState& s);
    const wchar_t* ParseSelect(const wchar_t* p, const wchar_t* end, CParseState& s);
    const wchar_t* ParseTextarea(const wchar_t* p, const wchar_t* end, CParseState& s);
    void ParagraphStep(CParseState& s, int tag, int clear);
    void AddText(CParseState& s, const wchar_t* text, int length);
    void AddBreak(CParseState& s, int align, int clear = 0);
    CHtmlElement* AddCell(CParseState& s, CHtmlElement* cell, const wchar_t* text, int length,
                          const wchar_t* face, int size, int align, int noWrap);
    int FindOrAddLink(const wchar_t* url);
    void Progress(const CParseState& s, const wchar_t* p);

    // Layout (CHtmlDocumentLayout.cpp).
    void ResetLayoutCache(CHtmlElementList& items);
    // Lays items out within rc; returns the content's right and bottom.
    POINT LayoutItems(const RECT& rc, CHtmlElementList& items);
    void EndLine(CLineState& line, CHtmlElementList& items, int end, bool byBreak);
    // Lays out the table that starts at items[start] (its box break) at
    // (left, top) within width; returns the table's size.
    SIZE LayoutTable(CHtmlElementList& items, int start, int left, int top, int width);
    // The content's extent when laid out at width.
    POINT LayoutCell(CHtmlElement* cell, int width);
    void SizeImage(CHtmlElement* e);
    void PlaceControls(CHtmlElementList& items);

    // Drawing and hit testing (CHtmlDocumentDraw.cpp).
    void DrawItems(HDC dc, const CHtmlElementList& items, const RECT& clip, int dx, int dy);
    void DrawElement(HDC dc, const CHtmlElement* e, const RECT& clip, int dx, int dy);
    const CHtmlElement* HitLink(const CHtmlElementList& items, int x, int y) const;
    void SelectItems(CHtmlElementList& items, const RECT& rc);
    void InvalidateItems(const CHtmlElementList& items, int link, int image);

    CHtmlRendererHost* m_pHost;
    int m_bWait;
    int m_nElements = 0;
    int m_nLevel = 0;
    CHtmlElementList m_items;
    CHtmlImageLoader* m_pLoader;
    CHtmlStringTable m_links;  // row 0: the absolute link URLs
    COLORREF m_crBack = RGB(255, 255, 255);
    int m_nBackImage = -1;
    int m_nHoverLink = -1;
    int m_nListNesting = 0;
    int m_nForm = -1;
    int m_bBusy = 0;
};
