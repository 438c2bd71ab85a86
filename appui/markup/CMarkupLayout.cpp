// CMarkupRenderer: the two-pass layout of text segments: runs, wrapping and
// justification, tags, rules, tab stops, string resources and images.
#include "CMarkupRenderer.h"

#include <wchar.h>

namespace {

int CountSpaces(const CString& text)
{
    int n = 0;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] == L' ')
            ++n;
    return n;
}

}  // namespace

int CMarkupRenderer::CountOf(const CString& text) const
{
    return CountSpaces(text);
}

SIZE CMarkupRenderer::TextExtent(const CString& text) const
{
    SIZE size = {0, 0};
    if (m_hdc != NULL)
        GetTextExtentPoint32W(m_hdc, text, text.GetLength(), &size);
    return size;
}

SIZE CMarkupRenderer::RunLayout(RECT box)
{
    // Link areas are rebuilt by every pass, so that repeated draws do not
    // pile up copies; lines and strips only by the measure pass.
    m_linkAreas.clear();
    if (m_nPass == PassMeasure)
    {
        m_lines.clear();
        m_strips.clear();
    }
    m_nLineCount = 0;
    m_nCurrentTable = -1;
    m_nLinkCounter = -1;
    m_nStripCounter = -1;
    m_styleStack.clear();
    m_bRecordsExhausted = FALSE;
    m_bLineMissing = FALSE;
    ResetStyle();
    ApplyStyleRule(L"body", m_style);

    m_hSavedFont = GetCurrentObject(m_hdc, OBJ_FONT);
    m_nSavedBkMode = GetBkMode(m_hdc);
    m_savedTextColor = GetTextColor(m_hdc);
    m_savedBkColor = GetBkColor(m_hdc);
    m_hFont = NULL;
    SelectStyleFont();

    SIZE total = {0, 0};
    const int len = m_text.GetLength();
    int pos = 0;
    while (pos < len && !m_bRecordsExhausted)
    {
        int tablePos = pos;
        const BOOL bTable = FindTag(m_text, tablePos, L"table");
        SIZE part = {0, 0};
        if (tablePos > pos)
        {
            part = LayoutText(m_text.Mid(pos, tablePos - pos), box);
            total.cx = total.cx > part.cx ? total.cx : part.cx;
            total.cy += part.cy;
            if (m_nPass == PassDraw)
                box.top += part.cy;
        }
        if (!bTable || m_bRecordsExhausted)
            break;
        const int end = SkipTable(m_text, tablePos);
        part = LayoutTable(m_text.Mid(tablePos, end - tablePos), box);
        total.cx = total.cx > part.cx ? total.cx : part.cx;
        total.cy += part.cy;
        if (m_nPass == PassDraw)
            box.top += part.cy;
        pos = end > tablePos ? end : tablePos + 1;
    }

    SetBkMode(m_hdc, m_nSavedBkMode);
    SetBkColor(m_hdc, m_savedBkColor);
    SetTextColor(m_hdc, m_savedTextColor);
    SelectObject(m_hdc, m_hSavedFont);
    m_styleStack.clear();
    if (m_hFont != NULL)
        DeleteObject(m_hFont);
    m_hFont = NULL;
    return total;
}

SIZE CMarkupRenderer::LayoutText(const CString& segment, const RECT& box)
{
    m_imageColor = m_bEnabled ? m_shadowColor : m_disabledColor;
    m_rcLayout = box;
    LayoutPos lp = {box.left, box.top, 0, 0, 0, 0};
    const int firstLine = m_nLineCount;
    lp.x = BeginLine(lp.x);
    TakeLine(lp);

    // The segment lies between a "body" tag and its closing tag. They are
    // carried out here rather than written around the text, so that a "<"
    // at the segment's end stays a literal and one without ">" after it
    // cannot swallow the closing tag.
    DoTag(L"body", CString(), lp);
    const int len = segment.GetLength();
    int pos = 0;
    while (pos < len && !m_bRecordsExhausted)
    {
        CString run, tag, name, attributes;
        NextRun(segment, pos, run, tag);
        SplitTagName(tag, name, attributes);
        LayoutRun(run, lp);
        if (!tag.IsEmpty() && !m_bRecordsExhausted)
            DoTag(name, attributes, lp);
    }
    if (!m_bRecordsExhausted)
        DoTag(L"/body", CString(), lp);
    if (lp.x != lp.lineStart && !m_bRecordsExhausted)
    {
        m_line.endsByWrap = FALSE;
        NewLine(lp, 1);
    }
    SetTextJustification(m_hdc, 0, 0);

    for (int i = firstLine; i < m_nLineCount && i < (int)m_lines.size(); ++i)
    {
        const MarkupLine& line = m_lines[(size_t)i];
        if (line.rulePercent == 0)
            continue;
        const int widened = line.width + MulDiv(line.rulePercent, lp.largest, 100);
        if (widened >= lp.largest)
            lp.largest = widened;
    }
    SIZE size = {lp.largest, lp.y - box.top};
    return size;
}

BOOL CMarkupRenderer::DrawLineMissing()
{
    // The text no longer lays out as it was measured (another font mapping,
    // or a style sheet changed since the measure): stop drawing it rather
    // than read past the line records.
    if (m_nPass == PassDraw && m_bLineMissing)
        m_bRecordsExhausted = TRUE;
    return m_bRecordsExhausted;
}

void CMarkupRenderer::TakeLine(LayoutPos& lp)
{
    lp.lineStart = lp.x;
    lp.remainingSpaces = m_line.spaces;
    lp.remainingWidth = m_line.width;
}

int CMarkupRenderer::BeginLine(int x)
{
    if (m_nPass == PassMeasure)
    {
        // The record is stored when the line ends (NewLine), so the records
        // hold only lines that were laid out to their end.
        m_line = MarkupLine();
        m_line.align = m_style.hAlign;
        return x;
    }
    m_bLineMissing = m_nLineCount < 0 || m_nLineCount >= (int)m_lines.size();
    if (m_bLineMissing)
    {
        // No line was measured here: drawing stops at the first content
        // that would need one (see DrawLineMissing).
        m_line = MarkupLine();
        return x;
    }
    m_line = m_lines[(size_t)m_nLineCount];
    const int layoutWidth = LayoutWidth();
    if (m_line.rulePercent != 0)
        m_line.width += MulDiv(layoutWidth, m_line.rulePercent, 100);
    if (m_line.align == 3 && m_line.endsByWrap)
        SetTextJustification(m_hdc, layoutWidth - m_line.width, m_line.spaces);
    else
        SetTextJustification(m_hdc, 0, 0);
    if (m_line.align == 1)
        return m_rcLayout.left + (layoutWidth - m_line.width) / 2;
    if (m_line.align == 2)
        return m_rcLayout.left + layoutWidth - m_line.width;
    return x;
}

void CMarkupRenderer::NewLine(LayoutPos& lp, int count)
{
    if (m_nPass == PassMeasure)
    {
        if (m_line.height == 0)
            m_line.height = m_tm.tmHeight;
        const int width = lp.x - m_rcLayout.left;
        if (width > lp.largest)
            lp.largest = width;
        m_line.width = width;
        m_line.height += m_line.descent;
        if (m_nLineCount < (int)m_lines.size())
            m_lines[(size_t)m_nLineCount] = m_line;
        else
            m_lines.push_back(m_line);
    }
    ++m_nLineCount;
    lp.y += (count > 1 ? count : 1) * m_line.height;
    lp.x = BeginLine(m_rcLayout.left);
    TakeLine(lp);
}

int CMarkupRenderer::TextTop(int y, int cy)
{
    if (m_nPass == PassMeasure)
    {
        if (cy - m_tm.tmAscent > m_line.descent)
            m_line.descent = cy - m_tm.tmAscent;
        if (m_tm.tmAscent > m_line.height)
            m_line.height = m_tm.tmAscent;
        return y;
    }
    switch (m_style.vAlign)
    {
    case 1: return y + (m_line.height - m_tm.tmHeight) / 2;
    case 2: return y + m_line.height - m_tm.tmAscent;
    case 3: return y + m_line.height - m_tm.tmAscent - m_line.descent;
    default: return y;
    }
}

int CMarkupRenderer::ImageTop(int y, int h)
{
    if (m_nPass == PassMeasure)
    {
        if (h > m_line.height)
            m_line.height = h;
        return y;
    }
    switch (m_style.vAlign)
    {
    case 1: return y + (m_line.height - h) / 2;
    case 2: return y + m_line.height - h;
    case 3: return y + m_line.height - m_line.descent - h;
    default: return y;
    }
}

int CMarkupRenderer::NextTabStop(int x, int count) const
{
    if (count <= 0)
        count = 1;
    if (m_nTabWidth <= 0)
        return x;
    const int rel = x - m_rcLayout.left;
    const int rest = ((rel % m_nTabWidth) + m_nTabWidth) % m_nTabWidth;
    if (rest != 0)
    {
        x += m_nTabWidth - rest;
        --count;
    }
    return x + count * m_nTabWidth;
}

CString CMarkupRenderer::SplitToFit(CString& run, int layoutWidth, int& freeWidth, BOOL bLineEmpty)
{
    static const WCHAR wrapChars[] = L" -.,!:;)}]?";
    const int len = run.GetLength();
    int lastBreak = -1;
    BOOL bExceeded = FALSE;
    for (int p = 0; p <= len; ++p)
    {
        if (p < len && wcschr(wrapChars, run[p]) == NULL)
            continue;
        if (TextExtent(run.Left(p)).cx > freeWidth)
        {
            bExceeded = TRUE;
            break;
        }
        if (p < len && p > 0)
            lastBreak = p;
    }
    CString chunk;
    if (!bExceeded)
    {
        chunk = run;
        run.Empty();
    }
    else if (lastBreak > 0)
    {
        chunk = run.Left(lastBreak + 1);
        chunk.TrimRight(L' ');
        run = run.Mid(lastBreak + 1);
        run.TrimLeft(L' ');
    }
    else if (bLineEmpty || freeWidth == layoutWidth)
    {
        // Nothing to break at on an empty line: as many characters as fit,
        // at least one.
        int n = 1;
        while (n < len && TextExtent(run.Left(n + 1)).cx <= freeWidth)
            ++n;
        chunk = run.Left(n);
        run = run.Mid(n);
    }
    else
    {
        freeWidth = 0;
        return chunk;
    }
    freeWidth = TextExtent(chunk).cx;
    return chunk;
}

void CMarkupRenderer::LayoutRun(CString run, LayoutPos& lp)
{
    if (run.IsEmpty())
        return;
    switch (m_style.textTransform)
    {
    case 1:
        run.MakeUpper();
        break;
    case 2:
        run.MakeLower();
        break;
    case 3:
        run.MakeLower();
        for (int i = 0; i < run.GetLength(); ++i)
            if ((i == 0 || run[i - 1] == L' ') && run[i] >= L'a' && run[i] <= L'z')
                run.SetAt(i, (WCHAR)(run[i] - L'a' + L'A'));
        break;
    default:
        break;
    }
    while (!run.IsEmpty() && !DrawLineMissing())
    {
        SetTextJustification(m_hdc, 0, 0);
        const SIZE ext = TextExtent(run);
        const int top = TextTop(lp.y, ext.cy);
        const int freeWidth = m_rcLayout.left + LayoutWidth() - lp.x;
        CString chunk;
        int chunkWidth;
        if (m_nWrapWidth > 0 && ext.cx > freeWidth && LayoutWidth() != 0)
        {
            chunkWidth = freeWidth;
            chunk = SplitToFit(run, LayoutWidth(), chunkWidth, lp.x == lp.lineStart);
        }
        else
        {
            chunk = run;
            chunkWidth = ext.cx;
            run.Empty();
        }
        if (m_nPass == PassMeasure)
        {
            m_line.align = m_style.hAlign;
            m_line.spaces += CountOf(chunk);
        }
        else if (chunkWidth != 0)
        {
            if (chunkWidth == lp.remainingWidth && chunk[chunk.GetLength() - 1] == L' ')
            {
                CString trimmed = chunk;
                trimmed.TrimRight(L' ');
                const int trimmedWidth = TextExtent(trimmed).cx;
                lp.remainingSpaces -= CountOf(chunk) - CountOf(trimmed);
                lp.remainingWidth -= chunkWidth - trimmedWidth;
                chunk = trimmed;
                chunkWidth = trimmedWidth;
            }
            if (m_line.align == 3 && m_line.endsByWrap)
                SetTextJustification(m_hdc, freeWidth - lp.remainingWidth, lp.remainingSpaces);
            lp.remainingWidth -= chunkWidth;
            const SIZE drawn = TextExtent(chunk);
            chunkWidth = drawn.cx;
            AddLinkArea(lp.x, top, lp.x + chunkWidth, top + drawn.cy);
            TextOutW(m_hdc, lp.x, top, chunk, chunk.GetLength());
            if (m_pObserver != NULL)
                m_pObserver->OnDrawText(MarkupTextItem{chunk, lp.x, top, chunkWidth, drawn.cy, m_style.weight,
                                                       m_style.italic, m_style.underline, m_style.strikeOut,
                                                       m_style.textColor});
            lp.remainingSpaces -= CountOf(chunk);
            if (m_style.overline)
            {
                HPEN hPen = CreatePen(PS_SOLID, m_style.weight >= 700 ? 2 : 1, m_style.textColor);
                HGDIOBJ hOld = SelectObject(m_hdc, hPen);
                MoveToEx(m_hdc, lp.x, top, NULL);
                LineTo(m_hdc, lp.x + chunkWidth, top);
                SelectObject(m_hdc, hOld);
                DeleteObject(hPen);
            }
        }
        lp.x += chunkWidth;
        if (!run.IsEmpty())
        {
            m_line.endsByWrap = TRUE;
            NewLine(lp, 1);
        }
    }
}

void CMarkupRenderer::DoTag(const CString& tagName, const CString& attributes, LayoutPos& lp)
{
    CString name = tagName;
    const BOOL bClosing = !name.IsEmpty() && name[0] == L'/';
    if (bClosing)
        name = name.Mid(1);
    auto it = m_tags.find(name);
    if (it == m_tags.end())
        return;
    const TagInfo info = it->second;
    const BOOL bContent = info.type == 6 || (info.type >= 17 && info.type <= 20);
    if (bContent && DrawLineMissing())
        return;
    if (!info.styleName.IsEmpty())
    {
        m_style.name = info.styleName;
        if (bClosing)
        {
            PopStyle(info.styleName);
        }
        else
        {
            PushStyle();
            ApplyTagEffect(info.type, name, attributes);
        }
        SelectStyleFont();
        return;
    }
    switch (info.type)
    {
    case 6:
        LayoutRule(attributes, lp);
        break;
    case 7:
    case 8:
    {
        const int count = attributes.IsEmpty() ? 1 : ParseLength(attributes.Mid(1), 1, FALSE);
        if (info.type == 7)
        {
            m_line.endsByWrap = FALSE;
            NewLine(lp, count);
        }
        else
        {
            lp.x = NextTabStop(lp.x, count);
        }
        break;
    }
    case 17:
    case 18:
    case 19:
        LayoutImage(info.type, attributes, lp);
        break;
    case 20:
        LayoutString(attributes, lp);
        break;
    default:
        break;
    }
}

void CMarkupRenderer::ApplyTagEffect(int type, const CString& tagName, const CString& attributes)
{
    MarkupStyle& s = m_style;
    CString name, value;
    int pos = 0;
    switch (type)
    {
    case 1:
        s.weight = s.weight * 2 > 900 ? 900 : s.weight * 2;
        break;
    case 2:
        s.italic = !s.italic;
        break;
    case 3:
        s.underline = !s.underline;
        break;
    case 4:
        s.strikeOut = !s.strikeOut;
        break;
    case 5:
        while (NextAttribute(attributes, pos, name, value))
        {
            if (name == L"face")
            {
                if (!value.IsEmpty())
                    s.face = value;
            }
            else if (name == L"size")
                s.size = ParseLength(value, s.size, TRUE);
            else if (name == L"color")
                s.textColor = m_bEnabled ? ParseColor(value, s.textColor) : m_disabledColor;
            else if (name == L"style")
                ApplyFontStyleLetters(value);
            else if (name == L"weight")
                ApplyWeight(value, s);
            else if (name == L"bkgnd")
            {
                if (value.IsEmpty() || value == L"transparent" || !m_bEnabled)
                    s.backMode = TRANSPARENT;
                else
                {
                    s.backMode = OPAQUE;
                    s.backColor = ParseColor(value, s.backColor);
                }
            }
        }
        break;
    case 9:
    case 10:
    case 11:
    case 12:
        s.hAlign = type - 9;
        break;
    case 13:
        s.vAlign = 3;
        break;
    case 14:
        s.vAlign = 0;
        break;
    case 15:
        s.vAlign = 1;
        break;
    case 16:
        s.vAlign = 2;
        break;
    case 21:
        ApplyStyleRule(tagName, s);
        break;
    case 22:
        while (NextAttribute(attributes, pos, name, value))
            if (name == L"class")
                ApplyStyleRule(L"." + value, s);
        break;
    case 23:
        s.linkKind = 2;
        s.linkTarget.Empty();
        while (NextAttribute(attributes, pos, name, value))
        {
            if (name == L"href")
            {
                s.linkKind = 1;
                s.linkTarget = value;
            }
            else if (name == L"msg")
            {
                s.linkKind = 2;
                s.linkTarget = value;
            }
        }
        ++m_nLinkCounter;
        ApplyStyleRule(m_nLinkCounter == m_nHotLink ? L"a:hover" : L"a:link", s);
        break;
    default:
        break;
    }
}

void CMarkupRenderer::ApplyFontStyleLetters(const CString& letters)
{
    BOOL bOn = TRUE;
    for (int i = 0; i < letters.GetLength(); ++i)
    {
        switch (letters[i])
        {
        case L'-': bOn = FALSE; continue;
        case L'+': bOn = TRUE; continue;
        case L'b': m_style.weight = bOn ? 700 : 400; break;
        case L'i': m_style.italic = bOn; break;
        case L'u': m_style.underline = bOn; break;
        case L's': m_style.strikeOut = bOn; break;
        case L'o': m_style.overline = bOn; break;
        default: continue;
        }
        bOn = TRUE;
    }
}

void CMarkupRenderer::LayoutRule(const CString& attributes, LayoutPos& lp)
{
    MarkupStyle copy = m_style;
    copy.borderWidth = 1;
    ApplyStyleRule(L"hr", copy);
    int thickness = copy.borderWidth;
    COLORREF color = copy.textColor;
    int width = 100;
    BOOL bPercent = TRUE;
    CString name, value;
    int pos = 0;
    while (NextAttribute(attributes, pos, name, value))
    {
        if (name == L"width")
        {
            width = ParseLength(value, 100, FALSE);
            bPercent = !value.IsEmpty() && value[value.GetLength() - 1] == L'%';
        }
        else if (name == L"size")
            thickness = ParseLength(value, thickness, FALSE);
        else if (name == L"color")
            color = m_bEnabled ? ParseColor(value, color) : m_disabledColor;
    }
    int drawnWidth = width;
    if (bPercent)
    {
        if (m_nPass == PassMeasure)
        {
            m_line.rulePercent += width;
            drawnWidth = 1;
        }
        else
        {
            drawnWidth = MulDiv(LayoutWidth(), width, 100);
        }
    }
    if (m_nPass == PassMeasure)
    {
        if (thickness + 8 > m_line.height)
            m_line.height = thickness + 8;
        m_line.align = m_style.hAlign;
    }
    else
    {
        const int y = lp.y + m_line.height / 2;
        m_effects.DrawLine(m_hdc, lp.x, y, lp.x + drawnWidth, y, color, 1, thickness);
        if (m_pObserver != NULL)
            m_pObserver->OnDrawRule(lp.x, y, lp.x + drawnWidth, thickness, color);
    }
    lp.x += drawnWidth;
}

void CMarkupRenderer::LayoutString(const CString& attributes, LayoutPos& lp)
{
    int id = 0;
    CString name, value;
    int pos = 0;
    while (NextAttribute(attributes, pos, name, value))
    {
        if (name == L"idres")
            id = ParseLength(value, id, FALSE);
        else if (name == L"iddll")
            id = ParseLength(value, 0, FALSE);
    }
    if (id == 0)
        return;
    CString text;
    if (!text.LoadString((UINT)id) || text.IsEmpty())
        return;
    const SIZE ext = TextExtent(text);
    if (m_nPass == PassMeasure)
        m_line.align = m_style.hAlign;
    const int top = TextTop(lp.y, ext.cy);
    if (m_nPass == PassDraw)
    {
        AddLinkArea(lp.x, top, lp.x + ext.cx, top + ext.cy);
        TextOutW(m_hdc, lp.x, top, text, text.GetLength());
        if (m_pObserver != NULL)
            m_pObserver->OnDrawText(MarkupTextItem{text, lp.x, top, ext.cx, ext.cy, m_style.weight, m_style.italic,
                                                   m_style.underline, m_style.strikeOut, m_style.textColor});
    }
    lp.x += ext.cx;
}

int CMarkupRenderer::ParseImageStyle(const CString& letters) const
{
    int flags = 0;
    for (int i = 0; i < letters.GetLength(); ++i)
    {
        switch (letters[i])
        {
        case L'g': flags |= ImageEffectGrey; break;
        case L'd': flags |= ImageEffectDarken; break;
        case L'l': flags |= ImageEffectLighten; break;
        case L's':
            if (m_nShadowX != 0 || m_nShadowY != 0)
                flags |= m_bShadowSoft ? ImageEffectSoftShadow : ImageEffectHardShadow;
            break;
        default: break;
        }
    }
    return flags;
}

void CMarkupRenderer::ParseImageAttributes(const CString& attributes, MarkupImageAttributes& a)
{
    CString name, value;
    int pos = 0;
    while (NextAttribute(attributes, pos, name, value))
    {
        const BOOL bPercent = !value.IsEmpty() && value[value.GetLength() - 1] == L'%';
        if (name == L"index")
            a.index = ParseLength(value, a.index, FALSE);
        else if (name == L"idres")
            a.resourceId = ParseLength(value, a.resourceId, FALSE);
        else if (name == L"iddll")
            a.moduleResourceId = ParseLength(value, a.moduleResourceId, FALSE);
        else if (name == L"handle")
            a.handle = ParseLength(value, a.handle, FALSE);
        else if (name == L"cx")
            a.frameWidth = ParseLength(value, a.frameWidth, FALSE);
        else if (name == L"cy")
            a.frameHeight = ParseLength(value, a.frameHeight, FALSE);
        else if (name == L"speed")
            a.speed = ParseLength(value, a.speed, FALSE);
        else if (name == L"width")
        {
            a.width = ParseLength(value, a.width, FALSE);
            a.widthPercent = bPercent;
        }
        else if (name == L"height")
        {
            a.height = ParseLength(value, a.height, FALSE);
            a.heightPercent = bPercent;
        }
        else if (name == L"mask")
        {
            a.maskColor = ParseColor(value, a.maskColor);
            a.useMask = TRUE;
        }
        else if (name == L"style")
            a.style = a.hotStyle = ParseImageStyle(value);
        else if (name == L"hotstyle")
            a.hotStyle = ParseImageStyle(value);
        else if (name == L"file")
        {
            if (!value.IsEmpty())
                a.file = value;
        }
        else if (name == L"srcdll")
        {
            if (!value.IsEmpty())
                a.moduleFile = value;
        }
    }
}

void CMarkupRenderer::LayoutImage(int type, const CString& attributes, LayoutPos& lp)
{
    MarkupImageAttributes a;
    ParseImageAttributes(attributes, a);
    const BOOL bIcon = type == 18;
    const UINT imageType = bIcon ? IMAGE_ICON : IMAGE_BITMAP;
    int requestW = 0, requestH = 0;
    if (bIcon)
    {
        requestW = a.widthPercent ? MulDiv(GetSystemMetrics(SM_CXICON), a.width, 100) : a.width;
        requestH = a.heightPercent ? MulDiv(GetSystemMetrics(SM_CYICON), a.height, 100) : a.height;
    }

    HANDLE hImage = NULL;
    BOOL bOwned = TRUE;
    BOOL bFromList = FALSE;
    if (a.resourceId != 0)
    {
        LPCWSTR id = MAKEINTRESOURCEW(a.resourceId);
        HINSTANCE hInst = AfxFindResourceHandle(id, bIcon ? RT_GROUP_ICON : RT_BITMAP);
        hImage = LoadImageW(hInst, id, imageType, requestW, requestH, LR_DEFAULTCOLOR);
    }
    else if (!a.file.IsEmpty())
    {
        const UINT flags = bIcon ? LR_LOADFROMFILE : (LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
        hImage = LoadImageW(NULL, a.file, imageType, requestW, requestH, flags);
    }
    else if (a.moduleResourceId != 0)
    {
        HMODULE hModule = m_hResourceModule;
        HMODULE hLoaded = NULL;
        if (!a.moduleFile.IsEmpty())
            hModule = hLoaded = LoadLibraryExW(a.moduleFile, NULL, LOAD_LIBRARY_AS_DATAFILE);
        if (hModule != NULL)
        {
            const UINT flags = bIcon ? LR_DEFAULTCOLOR : (LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
            hImage = LoadImageW(hModule, MAKEINTRESOURCEW(a.moduleResourceId), imageType, requestW, requestH,
                                flags);
        }
        if (hLoaded != NULL)
            FreeLibrary(hLoaded);
    }
    else if (a.handle != 0)
    {
        hImage = (HANDLE)(INT_PTR)a.handle;
        bOwned = FALSE;
    }
    else if (type == 19 && m_hImageList != NULL)
    {
        InitCommonControls();
        if (a.index >= 0 && a.index < ImageList_GetImageCount(m_hImageList))
        {
            hImage = ImageList_GetIcon(m_hImageList, a.index, ILD_NORMAL);
            bFromList = TRUE;
        }
    }
    if (hImage == NULL)
        return;

    // Drawn size.
    int w = 0, h = 0, frameW = 0, frameH = 0, frame = a.index;
    BOOL bLaidOut = TRUE;
    if (bIcon)
    {
        SIZE size;
        CImageEffects::GetIconSize((HICON)hImage, size);
        w = size.cx;
        h = size.cy;
    }
    else if (bFromList)
    {
        w = a.widthPercent ? MulDiv(m_cxImageList, a.width, 100) : a.width;
        h = a.heightPercent ? MulDiv(m_cyImageList, a.height, 100) : a.height;
    }
    else
    {
        SIZE natural;
        CImageEffects::GetBitmapSize((HBITMAP)hImage, natural);
        int baseW = natural.cx, baseH = natural.cy;
        if (type == 19)
        {
            frameW = a.frameWidth;
            frameH = a.frameHeight;
            if (frameW == 0 && frameH == 0)
                frameW = frameH = natural.cx < natural.cy ? natural.cx : natural.cy;
            else if (frameW == 0)
                frameW = frameH;
            else if (frameH == 0)
                frameH = frameW;
            const int perRow = frameW > 0 ? natural.cx / frameW : 0;
            const int rows = frameH > 0 ? natural.cy / frameH : 0;
            const int count = perRow * rows;
            if (a.speed != 0)
            {
                if (m_nPass == PassMeasure)
                    m_strips.push_back(MarkupStripAnimation{a.index, count, 0, a.speed});
                else if (++m_nStripCounter < (int)m_strips.size())
                    frame = m_strips[(size_t)m_nStripCounter].frame;
            }
            bLaidOut = count != 0 && frame >= 0 && frame < count;
            baseW = frameW;
            baseH = frameH;
        }
        w = a.widthPercent ? MulDiv(baseW, a.width, 100) : a.width;
        h = a.heightPercent ? MulDiv(baseH, a.height, 100) : a.height;
    }

    if (bLaidOut)
    {
        const BOOL bShadow = ((a.style | a.hotStyle) & (ImageEffectHardShadow | ImageEffectSoftShadow)) != 0;
        int boxW = w, boxH = h;
        if (bShadow && w != 0 && h != 0)
        {
            boxW += m_nShadowX;
            boxH += m_nShadowY;
        }
        const int freeWidth = m_rcLayout.left + LayoutWidth() - lp.x;
        if (m_nWrapWidth > 0 && boxW > freeWidth && LayoutWidth() != 0)
        {
            m_line.endsByWrap = TRUE;
            NewLine(lp, 1);
        }
        lp.remainingWidth -= boxW;
        if (m_nPass == PassMeasure)
            m_line.align = m_style.hAlign;
        const int top = ImageTop(lp.y, h);
        if (m_nPass == PassDraw && w != 0 && h != 0 && !DrawLineMissing())
        {
            AddLinkArea(lp.x, top, lp.x + boxW, top + boxH);
            const BOOL bHot = m_style.linkKind != 0 && m_nLinkCounter == m_nHotLink;
            int flags = bHot ? a.hotStyle : a.style;
            if (!m_bEnabled)
                flags = (flags & (ImageEffectHardShadow | ImageEffectSoftShadow)) | ImageEffectFill;
            if (bIcon || bFromList)
                m_effects.DrawIcon(m_hdc, lp.x, top, w, h, (HICON)hImage, flags, bShadow, m_nShadowX, m_nShadowY,
                                   m_nShadowBlurWidth, m_nShadowBlurHeight, m_imageColor);
            else if (type == 19)
                m_effects.DrawStripFrame(m_hdc, lp.x, top, w, h, (HBITMAP)hImage, frame, frameW, frameH, a.useMask,
                                         a.maskColor, flags, bShadow, m_nShadowX, m_nShadowY, m_nShadowBlurWidth,
                                         m_nShadowBlurHeight, m_imageColor);
            else
                m_effects.DrawBitmap(m_hdc, lp.x, top, w, h, (HBITMAP)hImage, a.useMask, a.maskColor, flags, bShadow,
                                     m_nShadowX, m_nShadowY, m_nShadowBlurWidth, m_nShadowBlurHeight, m_imageColor);
            if (m_pObserver != NULL)
            {
                const RECT box = {lp.x, top, lp.x + boxW, top + boxH};
                m_pObserver->OnDrawImage(box);
            }
        }
        lp.x += boxW;
    }
    if (bOwned)
    {
        if (bIcon || bFromList)
            DestroyIcon((HICON)hImage);
        else
            DeleteObject(hImage);
    }
}
