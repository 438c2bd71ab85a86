// CMarkupRenderer: construction, text preparation, markup syntax, the tag
// table, the style stack and links.
#include "CMarkupRenderer.h"

#include <wctype.h>

#include "LinkOpener.h"

CMarkupRenderer::CMarkupRenderer()
    : m_nCurrentTable(-1), m_hHoverWnd(NULL), m_nHoverMessage(0), m_hoverParam(0), m_hMessageLinkWnd(NULL),
      m_nMessageLinkMessage(0), m_messageLinkParam(0), m_hImageList(NULL), m_cxImageList(0), m_cyImageList(0),
      m_hResourceModule(NULL), m_bOwnsModule(FALSE), m_hLinkCursor(NULL), m_hSavedFont(NULL), m_nSavedBkMode(0),
      m_savedTextColor(0), m_savedBkColor(0), m_bEnabled(TRUE), m_disabledColor(0), m_hdc(NULL),
      m_nPass(PassMeasure), m_nTabWidth(32), m_nWrapWidth(0), m_nLineCount(0), m_nHotLink(-2), m_nLinkCounter(-1),
      m_nStripCounter(-1), m_bConvertLineBreaks(TRUE), m_bShadowSoft(TRUE), m_nShadowX(4), m_nShadowY(4),
      m_nShadowBlurWidth(7), m_nShadowBlurHeight(7), m_nShadowDarkness(50), m_shadowColor(RGB(128, 128, 128)),
      m_imageColor(RGB(128, 128, 128)), m_hFont(NULL), m_pObserver(NULL), m_bRecordsExhausted(FALSE), m_bLineMissing(FALSE)
{
    SetRectEmpty(&m_rcLayout);
    memset(&m_tm, 0, sizeof(m_tm));
    memset(&m_logFont, 0, sizeof(m_logFont));
    InitTags();
    InitEntities();
    InitColorNames();
    SetLinkCursor(NULL);
    SetConvertLineBreaks(TRUE);
    SetImageShadow(4, 4, 50, TRUE, 7, 7);
    SetDefaultStyleSheet();
    SetEnabled(TRUE);
    SetDisabledColor(GetSysColor(COLOR_BTNSHADOW));
}

CMarkupRenderer::~CMarkupRenderer()
{
    if (m_bOwnsModule && m_hResourceModule != NULL)
        FreeLibrary(m_hResourceModule);
    if (m_hLinkCursor != NULL)
        DestroyCursor(m_hLinkCursor);
    if (m_hFont != NULL)
        DeleteObject(m_hFont);
}

void CMarkupRenderer::InitTags()
{
    static const struct
    {
        int type;
        LPCWSTR name;
        LPCWSTR style;
    } tags[] = {
        {1, L"b", L"bold"},        {2, L"i", L"italic"},     {2, L"em", L"italic"},    {3, L"u", L"underline"},
        {4, L"s", L"strikeout"},   {4, L"strike", L"strikeout"}, {5, L"font", L"font"}, {6, L"hr", L""},
        {7, L"br", L""},           {7, L"\n", L""},          {8, L"t", L""},           {8, L"\t", L""},
        {9, L"left", L"left"},     {10, L"center", L"center"}, {11, L"right", L"right"}, {12, L"justify", L"justify"},
        {13, L"baseline", L"baseline"}, {14, L"top", L"top"}, {15, L"vcenter", L"vcenter"},
        {15, L"middle", L"vcenter"}, {16, L"bottom", L"vcenter"}, {17, L"bmp", L""}, {18, L"icon", L""},
        {19, L"ilst", L""},        {20, L"string", L""},     {22, L"span", L"span"},   {23, L"a", L"link"},
    };
    for (const auto& t : tags)
        m_tags[t.name] = TagInfo{t.type, t.style};
    static const LPCWSTR ruled[] = {L"body", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6",
                                    L"code", L"pre", L"big", L"small", L"sub", L"sup"};
    for (LPCWSTR name : ruled)
        m_tags[name] = TagInfo{21, name};
}

void CMarkupRenderer::InitEntities()
{
    m_entities[L"&amp;"] = L"&";
    m_entities[L"&bull;"] = L"\x2022";
    m_entities[L"&copy;"] = L"\x00A9";
    m_entities[L"&euro;"] = L"\x20AC";
    m_entities[L"&gt;"] = L">";
    m_entities[L"&iquest;"] = L"\x00BF";
    m_entities[L"&lt;"] = L"<<";
    m_entities[L"&nbsp;"] = L" ";
    m_entities[L"&para;"] = L"\x00B6";
    m_entities[L"&pound;"] = L"\x00A3";
    m_entities[L"&quot;"] = L"\"";
    m_entities[L"&reg;"] = L"\x00AE";
    m_entities[L"&trade;"] = L"\x2122";
}

// Entities are replaced one after the other in name order, so "&amp;lt;"
// becomes "&lt;" and then the escaped "<<".
void CMarkupRenderer::ReplaceEntities(CString& text) const
{
    for (const auto& e : m_entities)
        text.Replace(e.first, e.second);
    text.Remove(L'\r');
    if (m_bConvertLineBreaks)
    {
        text.Replace(L"\n", L"<br>");
        text.Replace(L"\t", L"<t>");
    }
    else
    {
        text.Remove(L'\n');
        text.Remove(L'\t');
    }
}

void CMarkupRenderer::SetNotifyWindow(HWND hWnd, UINT nMessage, LPARAM lParam)
{
    m_hHoverWnd = hWnd;
    m_nHoverMessage = hWnd != NULL ? nMessage : 0;
    m_hoverParam = hWnd != NULL ? lParam : 0;
}

void CMarkupRenderer::SetMessageLinkTarget(HWND hWnd, UINT nMessage, LPARAM lParam)
{
    m_hMessageLinkWnd = hWnd;
    m_nMessageLinkMessage = nMessage;
    m_messageLinkParam = lParam;
}

void CMarkupRenderer::SetImageList(HIMAGELIST hList, int cx, int cy)
{
    m_hImageList = hList;
    m_cxImageList = cx;
    m_cyImageList = cy;
}

void CMarkupRenderer::SetResourceModule(HINSTANCE hModule, BOOL bOwn)
{
    if (m_bOwnsModule && m_hResourceModule != NULL && m_hResourceModule != hModule)
        FreeLibrary(m_hResourceModule);
    m_hResourceModule = hModule;
    m_bOwnsModule = bOwn;
}

void CMarkupRenderer::SetImageShadow(int xOffset, int yOffset, int nDarkness, BOOL bSoft, int blurWidth,
                                     int blurHeight)
{
    m_nShadowX = xOffset;
    m_nShadowY = yOffset;
    m_nShadowDarkness = nDarkness > 100 ? 100 : nDarkness;
    m_bShadowSoft = bSoft;
    m_nShadowBlurWidth = blurWidth;
    m_nShadowBlurHeight = blurHeight;
    const int grey = MulDiv(255, 100 - m_nShadowDarkness, 100);
    m_shadowColor = RGB(grey, grey, grey);
}

void CMarkupRenderer::Measure(HDC hdc, LPCWSTR lpszText, SIZE& size)
{
    m_hdc = hdc;
    SetTextJustification(hdc, 0, 0);
    size.cx = size.cy = 0;
    m_text = lpszText != NULL ? lpszText : L"";
    ReplaceEntities(m_text);
    if (m_text.IsEmpty())
        return;
    m_nPass = PassMeasure;
    m_tables.clear();
    RECT box = {0, 0, m_nWrapWidth, 0};
    SIZE content = RunLayout(box);
    if (content.cx == 0 && content.cy == 0)
    {
        m_text.Empty();
        return;
    }
    if (m_nWrapWidth > 0 && m_nWrapWidth < content.cx)
        content.cx = m_nWrapWidth;
    size.cx = content.cx + 1;
    size.cy = content.cy + 1;
}

void CMarkupRenderer::Draw(HDC hdc, const RECT& rc)
{
    if (m_text.IsEmpty())
        return;
    m_nPass = PassDraw;
    m_hdc = hdc;
    RunLayout(rc);
}

// --- markup syntax -------------------------------------------------------------

void CMarkupRenderer::NextRun(const CString& text, int& pos, CString& run, CString& tag)
{
    const int len = text.GetLength();
    tag.Empty();
    const int lt = text.Find(L'<', pos);
    if (lt < 0)
    {
        run = text.Mid(pos);
        pos = len;
        return;
    }
    run = text.Mid(pos, lt - pos);
    if (lt + 1 >= len || text[lt + 1] == L'<')
    {
        // "<<" is a literal "<"; so is a "<" that ends the text.
        run += L'<';
        pos = lt + 1 >= len ? len : lt + 2;
        return;
    }
    ReadTag(text, lt, pos, tag);
}

void CMarkupRenderer::ReadTag(const CString& text, int lt, int& pos, CString& tag)
{
    const int gt = text.Find(L'>', lt + 1);
    if (gt < 0 || gt == lt + 1)
    {
        tag.Empty();
        pos = lt + 1;
        return;
    }
    tag = text.Mid(lt + 1, gt - lt - 1);
    pos = gt + 1;
}

void CMarkupRenderer::SplitTagName(const CString& tag, CString& name, CString& attributes)
{
    const int i = tag.FindOneOf(L" =");
    if (i < 0)
    {
        name = tag;
        attributes.Empty();
        return;
    }
    name = tag.Left(i);
    attributes = tag.Mid(i);
    attributes.TrimLeft(L' ');
}

BOOL CMarkupRenderer::NextAttribute(const CString& attributes, int& pos, CString& name, CString& value)
{
    const int len = attributes.GetLength();
    name.Empty();
    value.Empty();
    while (pos < len && !iswalnum(attributes[pos]) && attributes[pos] != L'.')
        ++pos;
    if (pos >= len)
    {
        pos = len;
        return FALSE;
    }
    const int start = pos;
    while (pos < len && attributes[pos] != L' ' && attributes[pos] != L'=')
        ++pos;
    name = attributes.Mid(start, pos - start);
    while (pos < len && attributes[pos] == L' ')
        ++pos;
    if (pos >= len || attributes[pos] != L'=')
        return TRUE;
    while (pos < len && (attributes[pos] == L' ' || attributes[pos] == L'='))
        ++pos;
    if (pos >= len)
        return TRUE;
    int end;
    if (attributes[pos] == L'"' || attributes[pos] == L'\'')
    {
        const WCHAR quote = attributes[pos];
        ++pos;
        end = attributes.Find(quote, pos);
        if (end < 0)
            end = len;
    }
    else
    {
        end = attributes.Find(L' ', pos);
        if (end < 0)
            end = len;
    }
    value = attributes.Mid(pos, end - pos);
    pos = end + 1 < len ? end + 1 : len;
    return TRUE;
}

BOOL CMarkupRenderer::FindTag(const CString& text, int& pos, LPCWSTR lpszName)
{
    CString pattern = L"<";
    pattern += lpszName;
    int from = pos < 0 ? 0 : pos;
    for (;;)
    {
        const int at = text.Find(pattern, from);
        if (at < 0)
            break;
        if (at == 0 || text[at - 1] != L'<')
        {
            pos = at;
            return TRUE;
        }
        from = at + 1;
    }
    pos = text.GetLength();
    return FALSE;
}

int CMarkupRenderer::SkipTable(const CString& text, int pos)
{
    const int len = text.GetLength();
    int from = pos + 6 < len ? pos + 6 : len;
    int depth = 1;
    while (from < len)
    {
        int open = from, close = from;
        const BOOL bOpen = FindTag(text, open, L"table");
        const BOOL bClose = FindTag(text, close, L"/table");
        if (!bClose)
            break;
        if (bOpen && open < close)
        {
            ++depth;
            from = open + 6;
            continue;
        }
        if (--depth == 0)
            return close > pos ? close : pos;
        from = close + 7;
    }
    return len > pos ? len : pos;
}

// --- style stack and links -----------------------------------------------------

void CMarkupRenderer::PushStyle()
{
    m_styleStack.push_back(m_style);
}

void CMarkupRenderer::PopStyle(const CString& styleName)
{
    if (!m_styleStack.empty() && m_styleStack.back().name == styleName)
    {
        m_style = m_styleStack.back();
        m_styleStack.pop_back();
    }
    m_style.name.Empty();
}

void CMarkupRenderer::AddLinkArea(int left, int top, int right, int bottom)
{
    if (m_nPass != PassDraw || m_style.linkKind == 0)
        return;
    m_linkAreas.push_back(MarkupLinkArea{left, top, right, bottom, m_style.linkKind, m_nLinkCounter,
                                         m_style.linkTarget});
}

int CMarkupRenderer::HitTest(POINT pt) const
{
    for (size_t i = 0; i < m_linkAreas.size(); ++i)
    {
        const MarkupLinkArea& a = m_linkAreas[i];
        if (a.left <= pt.x && pt.x <= a.right && a.top <= pt.y && pt.y <= a.bottom)
            return (int)i;
    }
    return -1;
}

BOOL CMarkupRenderer::OnSetCursor(POINT pt)
{
    const int hit = HitTest(pt);
    if (hit >= 0)
    {
        const MarkupLinkArea& a = m_linkAreas[(size_t)hit];
        if (a.index != m_nHotLink)
        {
            m_nHotLink = a.index;
            if (m_hHoverWnd != NULL && m_nHoverMessage != 0)
                SendMessageW(m_hHoverWnd, m_nHoverMessage, (WPARAM)m_nHotLink, m_hoverParam);
        }
        // The send may have redrawn and so rebuilt the areas: look again.
        const int again = HitTest(pt);
        if (again >= 0 && !m_linkAreas[(size_t)again].target.IsEmpty() && m_hLinkCursor != NULL)
        {
            SetCursor(m_hLinkCursor);
            return TRUE;
        }
        return FALSE;
    }
    if (m_nHotLink != -2)
    {
        m_nHotLink = -2;
        if (m_hHoverWnd != NULL && m_nHoverMessage != 0)
            SendMessageW(m_hHoverWnd, m_nHoverMessage, (WPARAM)-2, m_hoverParam);
    }
    return FALSE;
}

void CMarkupRenderer::OnClick(POINT pt)
{
    const int hit = HitTest(pt);
    if (hit < 0)
        return;
    const MarkupLinkArea a = m_linkAreas[(size_t)hit];
    if (a.target.IsEmpty())
        return;
    if (a.kind == 1)
        OpenLink(a.target, SW_SHOW);
    else if (a.kind == 2 && m_hMessageLinkWnd != NULL && m_nMessageLinkMessage != 0)
        SendMessageW(m_hMessageLinkWnd, m_nMessageLinkMessage, (WPARAM)(LPCWSTR)a.target, m_messageLinkParam);
}

INT_PTR CMarkupRenderer::OpenLink(LPCWSTR lpszTarget, int nShowCmd)
{
    SetLinkCursor(NULL);
    return OpenLinkTarget(lpszTarget, nShowCmd);
}

void CMarkupRenderer::SetLinkCursor(HCURSOR hCursor)
{
    if (hCursor != NULL && hCursor == m_hLinkCursor)
        return;
    if (m_hLinkCursor != NULL)
        DestroyCursor(m_hLinkCursor);
    m_hLinkCursor = hCursor;
    if (m_hLinkCursor != NULL)
        return;
    m_hLinkCursor = LoadCursorW(NULL, IDC_HAND);
    if (m_hLinkCursor != NULL)
        return;
    WCHAR szPath[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(szPath, MAX_PATH);
    if (n == 0 || n + 14 >= MAX_PATH)
        return;
    wcscat(szPath, L"\\winhlp32.exe");
    HMODULE hModule = LoadLibraryExW(szPath, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == NULL)
        return;
    HCURSOR hCursorRes = LoadCursorW(hModule, MAKEINTRESOURCEW(106));
    if (hCursorRes != NULL)
        m_hLinkCursor = (HCURSOR)CopyIcon((HICON)hCursorRes);
    FreeLibrary(hModule);
}
