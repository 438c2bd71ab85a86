// Measures and draws documents in a small HTML-like markup (styled runs,
// breaks, tab stops, rules, string resources, bitmaps, icons, image-strip
// frames, tables and links, styled by a CSS-like style sheet) into a caller's
// device context. Pure GDI: no window of its own.
#pragma once

#include <afx.h>
#include <commctrl.h>
#include <wchar.h>

#include <map>
#include <vector>

#include "CImageEffects.h"

// Orders map keys by their UTF-16 code units.
struct MarkupKeyLess
{
    bool operator()(const CString& a, const CString& b) const { return wcscmp(a, b) < 0; }
};

// Everything text and images are drawn with.
struct MarkupStyle
{
    CString name;
    int size = 16;
    int weight = 400;
    BOOL italic = FALSE;
    BOOL underline = FALSE;
    BOOL strikeOut = FALSE;
    BOOL overline = FALSE;
    CString face = L"Verdana";
    COLORREF textColor = 0;
    COLORREF backColor = RGB(255, 255, 255);
    COLORREF borderLight = 0;
    COLORREF borderDark = 0;
    COLORREF middleColor = RGB(255, 255, 255);
    COLORREF endColor = RGB(255, 255, 255);
    int backMode = TRANSPARENT;
    int backEffect = -1;
    CString backImage;
    int hAlign = 0;          // 0 left, 1 centre, 2 right, 3 justified
    int vAlign = 3;          // 0 top, 1 middle, 2 bottom, 3 baseline
    int borderStyle = 0;     // 0 none, 1 solid, 2 dashed, 3 dotted, 6 double
    int borderWidth = 0;
    int width = 0;
    int height = 0;
    int textTransform = 0;   // 0 none, 1 upper, 2 lower, 3 capitalised
    int cellPadding = 2;
    int cellSpacing = 0;
    int linkKind = 0;        // 0 none, 1 "href", 2 "msg"
    CString linkTarget;
};

// One laid-out line: written by the measure pass, read by the draw pass.
struct MarkupLine
{
    int width = 0;
    int height = 0;
    int descent = 0;
    int rulePercent = 0;
    int align = 0;
    int spaces = 0;
    BOOL endsByWrap = FALSE;
};

struct MarkupCell
{
    int colSpan = 0;
    int rowSpan = 0;
    int contentWidth = 0;
    int contentHeight = 0;
    int totalWidth = 0;
    int totalHeight = 0;
    int fixed = 0;
};

// Layout record of one table, in document order.
struct MarkupTable
{
    std::vector<std::vector<MarkupCell>> rows;
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    std::vector<int> fixedColumns;
};

struct MarkupLinkArea
{
    int left, top, right, bottom;
    int kind;      // 1 "href", 2 "msg"
    int index;     // the link counter when the piece was drawn
    CString target;
};

struct MarkupStripAnimation
{
    int frame;
    int frameCount;
    int reserved;
    int speed;
};

struct MarkupImageAttributes
{
    int index = 0;
    int resourceId = 0;
    int moduleResourceId = 0;
    int handle = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int width = 100;
    int height = 100;
    int speed = 0;
    int style = 0;
    int hotStyle = 0;
    BOOL useMask = FALSE;
    BOOL widthPercent = TRUE;
    BOOL heightPercent = TRUE;
    COLORREF maskColor = RGB(255, 0, 255);
    CString file;
    CString moduleFile;
};

// What the draw pass drew, for callers that check a layout without pixels.
struct MarkupTextItem
{
    CString text;
    int x, y, width, height;
    int weight;
    BOOL italic, underline, strikeOut;
    COLORREF color;
};

class IMarkupDrawObserver
{
public:
    virtual ~IMarkupDrawObserver() {}
    virtual void OnDrawText(const MarkupTextItem& item) = 0;
    virtual void OnDrawRule(int x1, int y, int x2, int thickness, COLORREF color) = 0;
    virtual void OnDrawImage(const RECT& box) = 0;
};

class CMarkupRenderer
{
public:
    CMarkupRenderer();
    virtual ~CMarkupRenderer();
    CMarkupRenderer(const CMarkupRenderer&) = delete;
    CMarkupRenderer& operator=(const CMarkupRenderer&) = delete;

    void SetNotifyWindow(HWND hWnd, UINT nMessage, LPARAM lParam);
    void Measure(HDC hdc, LPCWSTR lpszText, SIZE& size);
    void Draw(HDC hdc, const RECT& rc);
    BOOL OnSetCursor(POINT pt);
    void OnClick(POINT pt);
    int HitTest(POINT pt) const;
    CImageEffects& GetImageEffects() { return m_effects; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    void SetDisabledColor(COLORREF color) { m_disabledColor = color; }
    void SetConvertLineBreaks(BOOL bConvert) { m_bConvertLineBreaks = bConvert; }
    void SetImageShadow(int xOffset, int yOffset, int nDarkness, BOOL bSoft, int blurWidth, int blurHeight);
    void SetStyleSheet(LPCWSTR lpszSheet);
    void SetDefaultStyleSheet();
    void SetLinkCursor(HCURSOR hCursor);
    INT_PTR OpenLink(LPCWSTR lpszTarget, int nShowCmd);

    // Plain stores for what no caller of the program sets.
    void SetWrapWidth(int nWidth) { m_nWrapWidth = nWidth; }
    void SetImageList(HIMAGELIST hList, int cx, int cy);
    // The module of "iddll" images; owned modules are freed with the renderer.
    void SetResourceModule(HINSTANCE hModule, BOOL bOwn);
    void SetMessageLinkTarget(HWND hWnd, UINT nMessage, LPARAM lParam);
    void SetDrawObserver(IMarkupDrawObserver* pObserver) { m_pObserver = pObserver; }

    // Style sheet and values.
    void ResetStyle();
    void AddStyleRule(const CString& selector, const CString& declarations);
    BOOL LookupStyleRule(const CString& name, CString& declarations) const;
    void ApplyStyleRule(const CString& name, MarkupStyle& style);
    void ApplyDeclarations(const CString& declarations, MarkupStyle& style);
    int ParseLength(const CString& value, int nDefault, BOOL bFontSize);
    COLORREF ParseColor(const CString& value, COLORREF dflt) const;
    COLORREF LookupColorName(const CString& name, COLORREF dflt) const;
    int ParseBackgroundEffect(const CString& value, int nDefault);
    void AddColorName(const CString& name, COLORREF color);
    const MarkupStyle& GetCurrentStyle() const { return m_style; }
    size_t GetStyleRuleCount() const { return m_rules.size(); }

    // Markup syntax.
    static void NextRun(const CString& text, int& pos, CString& run, CString& tag);
    static void ReadTag(const CString& text, int lt, int& pos, CString& tag);
    static void SplitTagName(const CString& tag, CString& name, CString& attributes);
    static BOOL NextAttribute(const CString& attributes, int& pos, CString& name, CString& value);
    static BOOL FindTag(const CString& text, int& pos, LPCWSTR lpszName);
    // Position of the closing "</table" of the table whose "<" is at pos; the
    // end of the text when it is never closed. Never before pos.
    static int SkipTable(const CString& text, int pos);
    // Position of the closing "</tr" of the row at pos (nested rows counted,
    // nested tables skipped), or of the "</td" of the cell at pos; the end of
    // the text when there is none. Never before pos.
    static int SkipRow(const CString& text, int pos);
    static int SkipCell(const CString& text, int pos);
    size_t GetTableCount() const { return m_tables.size(); }
    const MarkupTable& GetTable(size_t i) const { return m_tables[i]; }

    size_t GetLinkAreaCount() const { return m_linkAreas.size(); }
    const MarkupLinkArea& GetLinkArea(size_t i) const { return m_linkAreas[i]; }
    int GetHotLink() const { return m_nHotLink; }
    const CString& GetPreparedText() const { return m_text; }

private:
    enum { PassDraw = 0, PassMeasure = 1 };
    struct TagInfo
    {
        int type;
        CString styleName;
    };
    // Position of a text segment's layout.
    struct LayoutPos
    {
        int x, y;
        int largest;
        int lineStart;
        int remainingSpaces;
        int remainingWidth;
    };

    void InitTags();
    void InitEntities();
    void InitColorNames();
    void ReplaceEntities(CString& text) const;

    // Layout.
    SIZE RunLayout(RECT box);
    SIZE LayoutText(const CString& segment, const RECT& box);
    SIZE LayoutTable(const CString& tableText, const RECT& box);
    void LayoutRow(const CString& rowText, const RECT& inner, MarkupTable& table, int row);
    void LayoutCell(const CString& cellText, const RECT& rc, MarkupCell& cell);
    SIZE CountTableCells(const CString& tableText);
    SIZE ParseTableAttributes(const CString& attributes, MarkupStyle& style, BOOL bTable);
    void TileBackgroundImage(HDC hdc, int left, int top, int width, int height, const CString& source);
    // Reads the element's own tag at the start of text; returns the position
    // after it and gives its attribute text.
    static int ReadOwnTag(const CString& text, CString& attributes);
    int LayoutWidth() const { return m_rcLayout.right - m_rcLayout.left; }
    int BeginLine(int x);
    BOOL DrawLineMissing();
    void NewLine(LayoutPos& lp, int count);
    void TakeLine(LayoutPos& lp);
    int TextTop(int y, int cy);
    int ImageTop(int y, int h);
    int NextTabStop(int x, int count) const;
    CString SplitToFit(CString& run, int layoutWidth, int& freeWidth, BOOL bLineEmpty);
    void LayoutRun(CString run, LayoutPos& lp);
    void DoTag(const CString& tagName, const CString& attributes, LayoutPos& lp);
    void ApplyTagEffect(int type, const CString& tagName, const CString& attributes);
    void ApplyFontStyleLetters(const CString& letters);
    void LayoutRule(const CString& attributes, LayoutPos& lp);
    void LayoutString(const CString& attributes, LayoutPos& lp);
    void LayoutImage(int type, const CString& attributes, LayoutPos& lp);
    void ParseImageAttributes(const CString& attributes, MarkupImageAttributes& a);
    int ParseImageStyle(const CString& letters) const;
    int CountOf(const CString& text) const;  // counted spaces
    SIZE TextExtent(const CString& text) const;
    void AddLinkArea(int left, int top, int right, int bottom);
    void PushStyle();
    void PopStyle(const CString& styleName);
    void SelectStyleFont();
    void ApplyWeight(const CString& value, MarkupStyle& style) const;
    int ParseBorderWidth(const CString& value, int current);
    static int ParseBorderStyle(const CString& value, int current);
    // "left", "center", "right" (empty: left) as 0 to 2; current otherwise.
    static int ParseHorizontalAlign(const CString& value, int current);
    // "top", "middle"/"vcenter", "bottom", "baseline" (empty: baseline) as
    // 0, 1, 2, 3; current otherwise.
    static int ParseVerticalAlign(const CString& value, int current);
    int LogPixelsY() const;

    std::vector<MarkupTable> m_tables;
    int m_nCurrentTable;
    HWND m_hHoverWnd;
    UINT m_nHoverMessage;
    LPARAM m_hoverParam;
    HWND m_hMessageLinkWnd;
    UINT m_nMessageLinkMessage;
    LPARAM m_messageLinkParam;
    MarkupStyle m_style;
    MarkupLine m_line;
    CImageEffects m_effects;
    HIMAGELIST m_hImageList;
    int m_cxImageList;
    int m_cyImageList;
    HINSTANCE m_hResourceModule;
    BOOL m_bOwnsModule;
    HCURSOR m_hLinkCursor;
    HGDIOBJ m_hSavedFont;
    int m_nSavedBkMode;
    COLORREF m_savedTextColor;
    COLORREF m_savedBkColor;
    BOOL m_bEnabled;
    COLORREF m_disabledColor;
    RECT m_rcLayout;
    HDC m_hdc;
    CString m_text;
    int m_nPass;
    int m_nTabWidth;
    int m_nWrapWidth;
    int m_nLineCount;
    int m_nHotLink;
    int m_nLinkCounter;
    int m_nStripCounter;
    BOOL m_bConvertLineBreaks;
    BOOL m_bShadowSoft;
    int m_nShadowX;
    int m_nShadowY;
    int m_nShadowBlurWidth;
    int m_nShadowBlurHeight;
    int m_nShadowDarkness;
    COLORREF m_shadowColor;
    COLORREF m_imageColor;
    TEXTMETRICW m_tm;
    LOGFONTW m_logFont;
    HFONT m_hFont;
    CString m_styleSheet;
    std::vector<MarkupLine> m_lines;
    std::vector<MarkupStyle> m_styleStack;
    std::vector<MarkupLinkArea> m_linkAreas;
    std::vector<MarkupStripAnimation> m_strips;
    std::map<CString, COLORREF, MarkupKeyLess> m_colorNames;
    std::map<CString, CString, MarkupKeyLess> m_rules;
    std::map<CString, CString, MarkupKeyLess> m_entities;
    std::map<CString, TagInfo, MarkupKeyLess> m_tags;
    IMarkupDrawObserver* m_pObserver;
    // Set when the draw pass runs out of measured records: the rest of the
    // text is not drawn.
    BOOL m_bRecordsExhausted;
    // Set in the draw pass while the current line has no measured record.
    BOOL m_bLineMissing;
};
