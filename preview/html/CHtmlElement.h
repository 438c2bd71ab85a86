// One positioned piece of a parsed page: a word or blank, a picture, a
// line break or rule, or a cell whose children are a block of the page
// (table cell, list row, preformatted text, quotation, floating picture).
// Layout writes the position; drawing and hit testing read the rest.
#pragma once

#include <windows.h>

#include <vector>

class CHtmlImageLoader;
struct CHtmlElement;

typedef std::vector<CHtmlElement*> CHtmlElementList;

enum HtmlElementKind
{
    HTML_ELEMENT_NONE = -1,
    HTML_ELEMENT_TEXT = 0,
    HTML_ELEMENT_IMAGE = 1,
    HTML_ELEMENT_BREAK = 2,
    HTML_ELEMENT_CELL = 3
};

// Frame flags: lines drawn around (or through) an element's box.
enum
{
    HTML_FRAME_LEFT = 1,
    HTML_FRAME_TOP = 2,
    HTML_FRAME_RIGHT = 4,
    HTML_FRAME_BOTTOM = 8,   // also the underline of a link
    HTML_FRAME_MIDDLE = 16,  // strike-out
    HTML_FRAME_BOX = 15
};

// Frame colours below 0: 3D edges.
const COLORREF HTML_FRAME_SUNKEN = (COLORREF)-1;
const COLORREF HTML_FRAME_RAISED = (COLORREF)-2;
const COLORREF HTML_NO_COLOR = (COLORREF)-1;

// Font heights, form control sizes and length attributes are kept within
// these bounds whatever the page says.
const int HTML_MAX_FONT_HEIGHT = 500;
const int HTML_MAX_EXTENT = 32767;

struct CHtmlElement
{
    CHtmlElement();
    ~CHtmlElement();
    CHtmlElement(const CHtmlElement&) = delete;
    CHtmlElement& operator=(const CHtmlElement&) = delete;

    int nKind = HTML_ELEMENT_NONE;
    int cx = 0;
    int cy = 0;
    int x = 0;
    int y = 0;
    int nFrame = 0;
    int nFrameWidth = 0;
    COLORREF crFrame = 0;
    wchar_t szFace[100];
    int nFontHeight = 0;
    int bBold = 0;
    int bItalic = 0;
    COLORREF crText = 0;
    COLORREF crBack = HTML_NO_COLOR;
    int nAlign = 0;   // 0 left, 1 right, 2 centre, 3 justify
    int nVAlign = 0;  // cells: 0 top, 1 bottom, 2 middle
    wchar_t* pszText = nullptr;
    int nImage = -1;
    int nBackImage = -1;

    // Cells.
    int nRow = 0;
    int nColumn = 0;
    int nColSpan = 1;
    int nRowSpan = 1;
    int nCellWidth = 0;   // pixels, 0 free
    int nTableWidth = 0;  // pixels, below 0 percent of the available width, 0 free
    int nBorder = 0;
    int nCellHeight = 0;
    int nTableHeight = 0;
    int nPadding = 0;
    int nSpacing = 0;

    int nLink = -1;

    // Layout caches of a cell, -1 while stale.
    int nMinWidth = -1;
    int nMaxWidth = -1;
    int nFixedWidth = -1;
    int nCacheWidth = -1;

    int bSelected = 0;
    int bNoWrap = 0;
    HWND hControl = nullptr;
    int nFloat = -1;  // cells: -1 none, 0 left, 1 right
    int bClear = 0;   // breaks: ends floats

    // A break that opens a table: the number of elements after it that
    // belong to the table (its cells and row breaks); 0 otherwise.
    int nTableRun = 0;

    CHtmlElementList children;

    bool IsBlank() const { return nKind == HTML_ELEMENT_TEXT && pszText && pszText[0] == L' ' && !pszText[1]; }
};

// Frees the elements of a list (and their children) and empties it.
void FreeElementList(CHtmlElementList& list);

// The extent of text in a font of face, height, weight and slant on the
// screen; "Wingdings" gets the symbol character set.
SIZE MeasureText(const wchar_t* face, int height, int bold, int italic, const wchar_t* text, int length);

// A font as the renderer creates it for measuring and drawing.
HFONT CreateElementFont(const wchar_t* face, int height, int bold, int italic, int underline, int strikeOut);

CHtmlElement* CreateTextElement(const wchar_t* text, int length, int frame, int frameWidth, COLORREF frameColor,
                                const wchar_t* face, int height, int bold, int italic, COLORREF color,
                                COLORREF background, int align, int valign, int link, int noWrap);
CHtmlElement* CreateImageElement(const wchar_t* url, int align, CHtmlImageLoader* loader, int link, int noWrap,
                                 int background, int border);
CHtmlElement* CreateBreakElement(int height, int width, int align, int clear);
CHtmlElement* CreateCellElement(int row, int column, int width, int align, int valign, COLORREF background,
                                int border, int colspan, int rowspan, int padding, int spacing, int tableWidth,
                                int backgroundImage, int cellHeight, int tableHeight, COLORREF frameColor,
                                int floatSide);

// Adds (dx, dy) to the position of every descendant of element.
void OffsetElementTree(CHtmlElement* element, int dx, int dy);
