// CMarkupRenderer: the style record, the style sheet, declarations, and the
// length, colour and effect parsers with the colour names.
#include "CMarkupRenderer.h"
#include "NamedColors.h"

#include <stdlib.h>
#include <wctype.h>

namespace {

BOOL IsWordStart(WCHAR ch)
{
    return iswalnum(ch) || ch == L'.';
}

// The leading decimal number of the text (0 when there is none).
int LeadingNumber(const CString& text)
{
    return (int)wcstol(text, NULL, 10);
}

}  // namespace

void CMarkupRenderer::ResetStyle()
{
    const int width = m_style.width, height = m_style.height;
    m_style = MarkupStyle();
    m_style.width = width;
    m_style.height = height;
}

void CMarkupRenderer::SetDefaultStyleSheet()
{
    SetStyleSheet(NULL);
}

void CMarkupRenderer::SetStyleSheet(LPCWSTR lpszSheet)
{
    static const LPCWSTR defaultSheet =
        L"body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
        L"p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        L"h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        L"h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
        L"h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
        L"h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        L"h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
        L"h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
        L"pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
        L"code {color:#990000; font-family:Arial}\r\n"
        L"a:link {text-decoration:none; color:blue}\r\n"
        L"a:hover {text-decoration:underline; color:blue}\r\n"
        L"sub {font-size:65%; vertical-align:bottom}\r\n"
        L"sup {font-size:65%; vertical-align:top}\r\n"
        L"big {font-size:125%}\r\n"
        L"small {font-size:75%}\r\n"
        L".cpp-comment {color:green; font-style:italic}\r\n";
    m_rules.clear();
    m_styleSheet = lpszSheet != NULL ? lpszSheet : defaultSheet;
    const CString& text = m_styleSheet;
    const int len = text.GetLength();
    int pos = 0;
    while (pos < len)
    {
        while (pos < len && !IsWordStart(text[pos]))
            ++pos;
        if (pos >= len)
            break;
        int end = pos;
        while (end < len && text[end] != L' ' && text[end] != L'{')
            ++end;
        if (end >= len)
            break;
        const CString selector = text.Mid(pos, end - pos);
        const int open = text.Find(L'{', end);
        const int close = open < 0 ? -1 : text.Find(L'}', open);
        if (open < 0 || close < 0 || close == open + 1)
        {
            // Nothing usable here: go on past the selector.
            pos = end > pos ? end : pos + 1;
            continue;
        }
        if (!selector.IsEmpty())
            AddStyleRule(selector, text.Mid(open + 1, close - open - 1));
        pos = close + 1;
    }
}

void CMarkupRenderer::AddStyleRule(const CString& selector, const CString& declarations)
{
    CString key = selector;
    key.MakeLower();
    m_rules[key] = declarations;
}

BOOL CMarkupRenderer::LookupStyleRule(const CString& name, CString& declarations) const
{
    CString key = name;
    key.MakeLower();
    auto it = m_rules.find(key);
    if (it == m_rules.end())
        return FALSE;
    declarations = it->second;
    return TRUE;
}

void CMarkupRenderer::ApplyStyleRule(const CString& name, MarkupStyle& style)
{
    CString declarations;
    if (LookupStyleRule(name, declarations))
        ApplyDeclarations(declarations, style);
}

void CMarkupRenderer::ApplyWeight(const CString& value, MarkupStyle& style) const
{
    if (value.IsEmpty() || value == L"normal")
        style.weight = 400;
    else if (value == L"bold")
        style.weight = 700;
    else if (value == L"bolder")
        style.weight = 900;
    else if (value == L"lighter")
        style.weight = 100;
    else
        style.weight = LeadingNumber(value);
}

void CMarkupRenderer::ApplyDeclarations(const CString& declarations, MarkupStyle& style)
{
    CString text = declarations;
    text.MakeLower();
    const int len = text.GetLength();
    int pos = 0;
    while (pos < len)
    {
        while (pos < len && !IsWordStart(text[pos]))
            ++pos;
        if (pos >= len)
            break;
        const int start = pos;
        while (pos < len && text[pos] != L' ' && text[pos] != L':')
            ++pos;
        const CString property = text.Mid(start, pos - start);
        // The value.
        while (pos < len && text[pos] == L' ')
            ++pos;
        CString value;
        if (pos < len && text[pos] == L':')
        {
            ++pos;
            while (pos < len && (text[pos] == L' ' || text[pos] == L';'))
                ++pos;
            if (pos < len && text[pos] == L'"')
            {
                const int close = text.Find(L'"', pos + 1);
                if (close >= 0)
                {
                    value = text.Mid(pos + 1, close - pos - 1);
                    pos = close + 1;
                }
                else
                {
                    pos = len;
                }
            }
            else
            {
                int end = text.Find(L';', pos);
                if (end < 0)
                    end = len;
                value = text.Mid(pos, end - pos);
                pos = end;
            }
        }

        if (property == L"font-size")
            style.size = ParseLength(value, style.size, TRUE);
        else if (property == L"font-family")
        {
            if (!value.IsEmpty())
                style.face = value;
        }
        else if (property == L"font-style")
        {
            if (value.IsEmpty() || value == L"normal")
                style.italic = FALSE;
            else if (value == L"italic" || value == L"oblique")
                style.italic = TRUE;
        }
        else if (property == L"font-weight")
            ApplyWeight(value, style);
        else if (property == L"text-align")
            style.hAlign = ParseHorizontalAlign(value, style.hAlign);
        else if (property == L"text-transform")
        {
            if (value.IsEmpty() || value == L"none")
                style.textTransform = 0;
            else if (value == L"uppercase")
                style.textTransform = 1;
            else if (value == L"lowercase")
                style.textTransform = 2;
            else if (value == L"capitalize")
                style.textTransform = 3;
        }
        else if (property == L"color")
            style.textColor = m_bEnabled ? ParseColor(value, style.textColor) : m_disabledColor;
        else if (property == L"background-color")
        {
            if (value.IsEmpty() || value == L"transparent" || !m_bEnabled)
                style.backMode = TRANSPARENT;
            else
            {
                style.backMode = OPAQUE;
                style.backColor = ParseColor(value, style.backColor);
            }
        }
        else if (property == L"text-decoration")
        {
            CString words = value.IsEmpty() ? CString(L"none") : value;
            int i = 0;
            for (CString word = words.Tokenize(L" ,", i); i >= 0; word = words.Tokenize(L" ,", i))
            {
                if (word == L"none")
                    style.underline = style.strikeOut = style.overline = FALSE;
                else if (word == L"underline")
                    style.underline = TRUE;
                else if (word == L"line-through")
                    style.strikeOut = TRUE;
                else if (word == L"overline")
                    style.overline = TRUE;
            }
        }
        else if (property == L"vertical-align")
            style.vAlign = ParseVerticalAlign(value, style.vAlign);
        else if (property == L"border-color")
            style.borderLight = style.borderDark =
                m_bEnabled ? ParseColor(value, style.borderLight) : m_disabledColor;
        else if (property == L"border-width" || property == L"size")
        {
            style.borderWidth = ParseBorderWidth(value, style.borderWidth);
            if (style.borderWidth == 0)
                style.borderStyle = 0;
            else if (style.borderStyle == 0)
                style.borderStyle = 1;
        }
        else if (property == L"border-style")
        {
            style.borderStyle = ParseBorderStyle(value, style.borderStyle);
            if (style.borderStyle != 0 && style.borderWidth == 0)
                style.borderWidth = 1;
        }
        else if (property == L"margin")
            style.cellPadding = ParseLength(value, style.cellPadding, FALSE);
        else if (property == L"padding")
            style.cellSpacing = ParseLength(value, style.cellSpacing, FALSE);
    }
}

int CMarkupRenderer::ParseBorderWidth(const CString& value, int current)
{
    if (value == L"thin")
        return MulDiv(75, current, 100);
    if (value == L"thick")
        return MulDiv(125, current, 100);
    if (value == L"medium")
        return current;
    return ParseLength(value, current, FALSE);
}

int CMarkupRenderer::ParseHorizontalAlign(const CString& value, int current)
{
    if (value.IsEmpty() || value == L"left")
        return 0;
    if (value == L"center")
        return 1;
    if (value == L"right")
        return 2;
    return current;
}

int CMarkupRenderer::ParseVerticalAlign(const CString& value, int current)
{
    if (value.IsEmpty() || value == L"baseline")
        return 3;
    if (value == L"middle" || value == L"vcenter")
        return 1;
    if (value == L"top")
        return 0;
    if (value == L"bottom")
        return 2;
    return current;
}

int CMarkupRenderer::ParseBorderStyle(const CString& value, int current)
{
    if (value.IsEmpty() || value == L"none")
        return 0;
    if (value == L"solid")
        return 1;
    if (value == L"dotted")
        return 3;
    if (value == L"dashed")
        return 2;
    if (value == L"double")
        return 6;
    return current;
}

int CMarkupRenderer::LogPixelsY() const
{
    HDC hdc = m_hdc != NULL ? m_hdc : GetDC(NULL);
    int dpi = hdc != NULL ? GetDeviceCaps(hdc, LOGPIXELSY) : 0;
    if (m_hdc == NULL && hdc != NULL)
        ReleaseDC(NULL, hdc);
    return dpi > 0 ? dpi : 96;  // a metafile DC reports 0
}

int CMarkupRenderer::ParseLength(const CString& value, int nDefault, BOOL bFontSize)
{
    if (value.IsEmpty())
        return nDefault;
    const int len = value.GetLength();
    if (value[len - 1] == L'%')
        return MulDiv(nDefault, LeadingNumber(value.Left(len - 1)), 100);
    CString v = value;
    if (v[0] == L'+' || v[0] == L'-')
        v = v.Mid(1);
    const int n = LeadingNumber(v);
    const CString unit = v.GetLength() >= 2 ? v.Right(2) : CString();
    if (unit == L"px")
        return n;
    if (unit == L"ex")
        return n * TextExtent(L"x").cy;
    if (unit == L"em")
        return n * m_tm.tmHeight;
    if (unit == L"in" || unit == L"cm" || unit == L"mm" || unit == L"pt" || unit == L"pc")
    {
        const int d = n * LogPixelsY();
        if (unit == L"in")
            return d;
        if (unit == L"cm")
            return (int)(d * 0.39370078740157477);
        if (unit == L"mm")
            return (int)(d * 0.03937007874015748);
        if (unit == L"pt")
            return d / 72;
        return d / 6;
    }
    const int plain = (int)wcstoul(v, NULL, 0);
    if (bFontSize && plain >= 1 && plain <= 7)
    {
        static const int htmlSizes[] = {8, 10, 12, 14, 18, 24, 36};
        return htmlSizes[plain - 1];
    }
    return plain;
}

COLORREF CMarkupRenderer::ParseColor(const CString& value, COLORREF dflt) const
{
    if (value.IsEmpty())
        return dflt;
    if (value[0] == L'#')
    {
        if (value.GetLength() != 7)
            return dflt;
        for (int i = 1; i < 7; ++i)
            if (!iswxdigit(value[i]))
                return dflt;
        const unsigned long rgb = wcstoul(value.Mid(1), NULL, 16);
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    if (iswdigit(value[0]))
        return (COLORREF)wcstoul(value, NULL, 0);
    return LookupColorName(value, dflt);
}

COLORREF CMarkupRenderer::LookupColorName(const CString& name, COLORREF dflt) const
{
    if (!m_bEnabled)
        return m_disabledColor;
    auto it = m_colorNames.find(name);
    return it != m_colorNames.end() ? it->second : dflt;
}

void CMarkupRenderer::AddColorName(const CString& name, COLORREF color)
{
    m_colorNames[name] = color;
}

int CMarkupRenderer::ParseBackgroundEffect(const CString& value, int nDefault)
{
    if (value.IsEmpty())
        return nDefault;
    static const LPCWSTR names[] = {L"transparent", L"solid", L"hgradient", L"vgradient", L"hcgradient",
                                    L"vcgradient", L"3hgradient", L"3vgradient", L"noise", L"diagshade",
                                    L"hshade", L"vshade", L"hbump", L"vbump", L"softbump", L"hardbump",
                                    L"metal"};
    for (int i = 0; i < (int)(sizeof(names) / sizeof(names[0])); ++i)
        if (value == names[i])
            return i - 1;
    return ParseLength(value, nDefault, FALSE);
}

void CMarkupRenderer::InitColorNames()
{
    // The web's named colours with their usual values, under lower-case
    // names (rules and attributes are matched as written).
    for (const NamedColor& c : g_NamedColors)
    {
        CString name(c.name);
        name.MakeLower();
        AddColorName(name, c.color);
    }
    static const struct
    {
        LPCWSTR name;
        int index;
    } system[] = {
        {L"activeborder", COLOR_ACTIVEBORDER}, {L"activecaption", COLOR_ACTIVECAPTION},
        {L"appworkspace", COLOR_APPWORKSPACE}, {L"background", COLOR_BACKGROUND},
        {L"buttonface", COLOR_BTNFACE}, {L"buttonhighlight", COLOR_BTNHIGHLIGHT},
        {L"buttonshadow", COLOR_BTNSHADOW}, {L"buttontext", COLOR_BTNTEXT},
        {L"captiontext", COLOR_CAPTIONTEXT}, {L"graytext", COLOR_GRAYTEXT}, {L"highlight", COLOR_HIGHLIGHT},
        {L"highlighttext", COLOR_HIGHLIGHTTEXT}, {L"inactiveborder", COLOR_INACTIVEBORDER},
        {L"inactivecaption", COLOR_INACTIVECAPTION}, {L"inactivecaptiontext", COLOR_INACTIVECAPTIONTEXT},
        {L"infobackground", COLOR_INFOBK}, {L"infotext", COLOR_INFOTEXT}, {L"menu", COLOR_MENU},
        {L"menutext", COLOR_MENUTEXT}, {L"scrollbar", COLOR_SCROLLBAR},
        {L"threeddarkshadow", COLOR_3DDKSHADOW}, {L"threedface", COLOR_3DFACE},
        {L"threedhighlight", COLOR_3DHIGHLIGHT}, {L"threedlightshadow", COLOR_3DLIGHT},
        {L"threedshadow", COLOR_3DSHADOW}, {L"window", COLOR_WINDOW}, {L"windowframe", COLOR_WINDOWFRAME},
        {L"windowtext", COLOR_WINDOWTEXT},
    };
    for (const auto& c : system)
        AddColorName(c.name, GetSysColor(c.index));
}

void CMarkupRenderer::SelectStyleFont()
{
    if (m_hdc == NULL)
        return;
    SelectObject(m_hdc, m_hSavedFont);
    if (m_hFont != NULL)
        DeleteObject(m_hFont);
    memset(&m_logFont, 0, sizeof(m_logFont));
    m_logFont.lfHeight = m_style.size;
    m_logFont.lfWeight = m_style.weight;
    m_logFont.lfItalic = (BYTE)(m_style.italic ? 1 : 0);
    m_logFont.lfUnderline = (BYTE)(m_style.underline ? 1 : 0);
    m_logFont.lfStrikeOut = (BYTE)(m_style.strikeOut ? 1 : 0);
    m_logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(m_logFont.lfFaceName, m_style.face, LF_FACESIZE);
    m_hFont = CreateFontIndirectW(&m_logFont);
    if (m_hFont != NULL)
        SelectObject(m_hdc, m_hFont);
    GetTextMetricsW(m_hdc, &m_tm);
    SetBkMode(m_hdc, m_style.backMode);
    SetTextColor(m_hdc, m_style.textColor);
    SetBkColor(m_hdc, m_style.backColor);
}
