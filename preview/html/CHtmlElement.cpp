#include "CHtmlElement.h"

#include <string.h>
#include <wchar.h>

#include "CHtmlImageLoader.h"
#include "HtmlVocabulary.h"

namespace {

int ClampHeight(int height)
{
    return height < 1 ? 1 : height > HTML_MAX_FONT_HEIGHT ? HTML_MAX_FONT_HEIGHT : height;
}

// The last font measured with, kept while the next word uses the same one
// (measuring creates a font per word otherwise).
struct CMeasureFont
{
    wchar_t face[100] = L"";
    int height = 0;
    int bold = -1;
    int italic = -1;
    HFONT font = nullptr;
    HDC dc = nullptr;
};

CMeasureFont g_measure;
CRITICAL_SECTION* MeasureLock()
{
    static CRITICAL_SECTION cs;
    static LONG init = 0;
    if (InterlockedCompareExchange(&init, 1, 0) == 0) {
        InitializeCriticalSection(&cs);
        InterlockedExchange(&init, 2);
    }
    while (init != 2)
        Sleep(0);
    return &cs;
}

}  // namespace

CHtmlElement::CHtmlElement()
{
    szFace[0] = 0;
}

CHtmlElement::~CHtmlElement()
{
    delete[] pszText;
    FreeElementList(children);
}

void FreeElementList(CHtmlElementList& list)
{
    for (CHtmlElement* element : list)
        delete element;
    list.clear();
}

HFONT CreateElementFont(const wchar_t* face, int height, int bold, int italic, int underline, int strikeOut)
{
    return CreateFontW(ClampHeight(height), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE,
                       underline ? TRUE : FALSE, strikeOut ? TRUE : FALSE,
                       _wcsicmp(face, L"Wingdings") == 0 ? SYMBOL_CHARSET : ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

SIZE MeasureText(const wchar_t* face, int height, int bold, int italic, const wchar_t* text, int length)
{
    SIZE size = {0, 0};
    height = ClampHeight(height);
    CRITICAL_SECTION* cs = MeasureLock();
    EnterCriticalSection(cs);
    CMeasureFont& m = g_measure;
    if (!m.dc) {
        HDC screen = GetDC(nullptr);
        m.dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
    }
    if (!m.font || m.height != height || m.bold != bold || m.italic != italic || wcscmp(m.face, face) != 0) {
        HFONT font = CreateElementFont(face, height, bold, italic, 0, 0);
        if (font) {
            SelectObject(m.dc, font);
            if (m.font)
                DeleteObject(m.font);
            m.font = font;
            wcsncpy(m.face, face, 99);
            m.face[99] = 0;
            m.height = height;
            m.bold = bold;
            m.italic = italic;
        }
    }
    if (length < 0)
        length = (int)wcslen(text);
    GetTextExtentPoint32W(m.dc, text, length, &size);
    LeaveCriticalSection(cs);
    return size;
}

CHtmlElement* CreateTextElement(const wchar_t* text, int length, int frame, int frameWidth, COLORREF frameColor,
                                const wchar_t* face, int height, int bold, int italic, COLORREF color,
                                COLORREF background, int align, int valign, int link, int noWrap)
{
    CHtmlElement* e = new CHtmlElement;
    e->nKind = HTML_ELEMENT_TEXT;
    e->nFrame = frame;
    e->nFrameWidth = frameWidth;
    e->crFrame = frameColor;
    size_t n = 0;
    while (face[n] && face[n] != L',' && n < 99)
        ++n;
    wmemcpy(e->szFace, face, n);
    e->szFace[n] = 0;
    e->nFontHeight = ClampHeight(height);
    e->bBold = bold;
    e->bItalic = italic;
    e->crText = color;
    e->crBack = background;
    e->nAlign = align;
    e->nVAlign = valign;
    e->nLink = link;
    e->bNoWrap = noWrap;
    if (length < 0)
        length = (int)wcslen(text);
    e->pszText = new wchar_t[(size_t)length + 1];
    wmemcpy(e->pszText, text, (size_t)length);
    e->pszText[length] = 0;
    HtmlDecodeEntities(e->pszText);
    HtmlDecodeUtf8Pairs(e->pszText);
    SIZE size = MeasureText(e->szFace, e->nFontHeight, bold, italic, e->pszText, -1);
    e->cx = size.cx;
    e->cy = size.cy;
    return e;
}

CHtmlElement* CreateImageElement(const wchar_t* url, int align, CHtmlImageLoader* loader, int link, int noWrap,
                                 int background, int border)
{
    CHtmlElement* e = new CHtmlElement;
    e->nKind = HTML_ELEMENT_IMAGE;
    e->nAlign = align;
    e->nLink = link;
    e->bNoWrap = noWrap;
    if (loader) {
        int count = loader->GetImageCount();
        for (int i = 0; i < count && e->nImage < 0; ++i) {
            CHtmlImage* image = loader->GetImage(i);
            if (image && image->IsBackground() == background && wcscmp(image->GetUrl(), url) == 0)
                e->nImage = i;
        }
        if (e->nImage < 0)
            e->nImage = loader->AddImage(url, background);
    }
    if (border) {
        e->nFrame = HTML_FRAME_BOX;
        e->nFrameWidth = border;
    }
    return e;
}

CHtmlElement* CreateBreakElement(int height, int width, int align, int clear)
{
    CHtmlElement* e = new CHtmlElement;
    e->nKind = HTML_ELEMENT_BREAK;
    e->cy = height;
    e->cx = width;
    e->nAlign = align;
    e->bClear = clear;
    e->nFrameWidth = 1;
    e->crFrame = HTML_FRAME_SUNKEN;
    if (width)
        e->nFrame = HTML_FRAME_BOX;
    return e;
}

CHtmlElement* CreateCellElement(int row, int column, int width, int align, int valign, COLORREF background,
                                int border, int colspan, int rowspan, int padding, int spacing, int tableWidth,
                                int backgroundImage, int cellHeight, int tableHeight, COLORREF frameColor,
                                int floatSide)
{
    CHtmlElement* e = new CHtmlElement;
    e->nKind = HTML_ELEMENT_CELL;
    e->nRow = row;
    e->nColumn = column;
    e->nCellWidth = width;
    e->nAlign = align;
    e->nVAlign = valign;
    e->crBack = background;
    e->nBorder = border;
    e->nColSpan = colspan < 1 ? 1 : colspan > 1000 ? 1000 : colspan;
    e->nRowSpan = rowspan < 1 ? 1 : rowspan > 1000 ? 1000 : rowspan;
    e->nPadding = padding;
    e->nSpacing = spacing;
    e->nTableWidth = tableWidth;
    e->nBackImage = backgroundImage;
    e->nCellHeight = cellHeight;
    e->nTableHeight = tableHeight;
    e->crFrame = frameColor;
    e->nFloat = floatSide;
    if (border) {
        e->nFrame = HTML_FRAME_BOX;
        e->nFrameWidth = 1;
    }
    return e;
}

void OffsetElementTree(CHtmlElement* element, int dx, int dy)
{
    for (CHtmlElement* child : element->children) {
        child->x += dx;
        child->y += dy;
        OffsetElementTree(child, dx, dy);
    }
}
