// CMarkupRenderer: tables with rows, cells, spans, padding, spacing, borders,
// backgrounds and nesting, laid out in both passes.
#include "CMarkupRenderer.h"

#include <afxwin.h>

namespace {

// Spans beyond this are taken as this: a grid of that many columns is
// already far wider than any box.
const int kMaxSpan = 1000;

int ClampSpan(int span)
{
    return span < 1 ? 1 : (span > kMaxSpan ? kMaxSpan : span);
}

int Sum(const std::vector<int>& values, size_t from, size_t count)
{
    int sum = 0;
    for (size_t i = from; i < from + count && i < values.size(); ++i)
        sum += values[i];
    return sum;
}

}  // namespace

int CMarkupRenderer::ReadOwnTag(const CString& text, CString& attributes)
{
    int pos = 0;
    CString tag, name;
    attributes.Empty();
    if (text.IsEmpty() || text[0] != L'<')
        return 0;
    ReadTag(text, 0, pos, tag);
    SplitTagName(tag, name, attributes);
    return pos;
}

int CMarkupRenderer::SkipRow(const CString& text, int pos)
{
    const int len = text.GetLength();
    int from = pos + 4;
    int depth = 1;
    while (from < len)
    {
        int tr = from, close = from, table = from;
        const BOOL bTr = FindTag(text, tr, L"tr");
        const BOOL bClose = FindTag(text, close, L"/tr");
        const BOOL bTable = FindTag(text, table, L"table");
        if (bTable && (!bTr || table < tr) && (!bClose || table < close))
        {
            from = SkipTable(text, table) + 6;
            continue;
        }
        if (bTr && (!bClose || tr < close))
        {
            ++depth;
            from = tr + 4;
            continue;
        }
        if (!bClose)
            break;
        if (--depth == 0)
            return close > pos ? close : pos;
        from = close + 5;
    }
    return len > pos ? len : pos;
}

int CMarkupRenderer::SkipCell(const CString& text, int pos)
{
    const int len = text.GetLength();
    int from = pos + 4;
    while (from < len)
    {
        int close = from, table = from;
        const BOOL bClose = FindTag(text, close, L"/td");
        const BOOL bTable = FindTag(text, table, L"table");
        if (bTable && (!bClose || table < close))
        {
            from = SkipTable(text, table) + 6;
            continue;
        }
        if (!bClose)
            break;
        return close > pos ? close : pos;
    }
    return len > pos ? len : pos;
}

SIZE CMarkupRenderer::ParseTableAttributes(const CString& attributes, MarkupStyle& style, BOOL bTable)
{
    SIZE spans = {1, 1};
    if (attributes.IsEmpty())
        return spans;
    CString name, value;
    int pos = 0;
    while (NextAttribute(attributes, pos, name, value))
    {
        if (name == L"cellpadding" && bTable)
            style.cellPadding = ParseLength(value, style.cellPadding, FALSE);
        else if (name == L"cellspacing" && bTable)
            style.cellSpacing = ParseLength(value, style.cellSpacing, FALSE);
        else if (name == L"background" && bTable)
            style.backImage = value;
        else if (name == L"rowspan")
            spans.cy = ParseLength(value, 1, FALSE);
        else if (name == L"colspan")
            spans.cx = ParseLength(value, 1, FALSE);
        else if (name == L"border")
        {
            style.borderWidth = ParseLength(value, style.borderWidth, FALSE);
            if (style.borderWidth == 0)
                style.borderStyle = 0;
            else if (style.borderStyle == 0)
                style.borderStyle = 1;
        }
        else if (name == L"borderstyle")
        {
            style.borderStyle = ParseBorderStyle(value, style.borderStyle);
            if (style.borderStyle != 0 && style.borderWidth == 0)
                style.borderWidth = 1;
        }
        else if (name == L"bordercolor")
            style.borderLight = style.borderDark = m_bEnabled ? ParseColor(value, style.borderLight) : m_disabledColor;
        else if (name == L"bordercolorlight")
            style.borderLight = m_bEnabled ? ParseColor(value, style.borderLight) : m_disabledColor;
        else if (name == L"bordercolordark")
            style.borderDark = m_bEnabled ? ParseColor(value, style.borderDark) : m_disabledColor;
        else if (name == L"bgcolor" && m_bEnabled)
        {
            style.backColor = ParseColor(value, style.backColor);
            if (style.backEffect < 0)
                style.backEffect = 0;
        }
        else if (name == L"bgmidcolor" && m_bEnabled)
            style.middleColor = ParseColor(value, style.middleColor);
        else if (name == L"bgendcolor" && m_bEnabled)
            style.endColor = ParseColor(value, style.endColor);
        else if (name == L"bgeffect" && m_bEnabled)
            style.backEffect = ParseBackgroundEffect(value, style.backEffect);
        else if (name == L"align")
            style.hAlign = ParseHorizontalAlign(value, style.hAlign);
        else if (name == L"valign")
            style.vAlign = ParseVerticalAlign(value, style.vAlign);
        else if (name == L"width")
            style.width = ParseLength(value, style.width, FALSE);
        else if (name == L"height")
            style.height = ParseLength(value, style.height, FALSE);
    }
    if (style.borderStyle == 0 || style.borderWidth == 0)
        style.borderStyle = style.borderWidth = 0;
    else if (style.borderStyle != 1)
        style.borderWidth = 1;
    if (!bTable && style.borderWidth != 0)
        style.borderWidth = 1;
    return spans;
}

SIZE CMarkupRenderer::CountTableCells(const CString& tableText)
{
    SIZE count = {0, 0};
    const int len = tableText.GetLength();
    int pos = 0;
    while (pos < len)
    {
        int row = pos;
        if (!FindTag(tableText, row, L"tr"))
            break;
        ++count.cy;
        const int rowEnd = SkipRow(tableText, row);
        int columns = 0;
        int p = row + 3;
        for (;;)
        {
            int cell = p;
            if (!FindTag(tableText, cell, L"td") || cell >= rowEnd)
                break;
            CString tag, name, attributes;
            int after = cell;
            ReadTag(tableText, cell, after, tag);
            SplitTagName(tag, name, attributes);
            MarkupStyle scratch = m_style;
            columns += ClampSpan(ParseTableAttributes(attributes, scratch, FALSE).cx);
            const int cellEnd = SkipCell(tableText, cell);
            p = cellEnd > cell ? cellEnd : cell + 1;
        }
        if (columns > count.cx)
            count.cx = columns;
        pos = rowEnd + 5 > row + 1 ? rowEnd + 5 : row + 1;
    }
    if (count.cx > kMaxSpan)
        count.cx = kMaxSpan;
    return count;
}

SIZE CMarkupRenderer::LayoutTable(const CString& tableText, const RECT& box)
{
    SIZE size = {0, 0};
    ++m_nCurrentTable;
    if (m_nPass == PassMeasure)
    {
        const SIZE cells = CountTableCells(tableText);
        MarkupTable record;
        record.columnWidths.assign((size_t)cells.cx, 0);
        record.fixedColumns.assign((size_t)cells.cx, 0);
        record.rowHeights.assign((size_t)cells.cy, 0);
        record.rows.assign((size_t)cells.cy, std::vector<MarkupCell>((size_t)cells.cx));
        m_tables.push_back(record);
    }
    if (m_nCurrentTable < 0 || m_nCurrentTable >= (int)m_tables.size())
    {
        // The draw pass met a table the measure pass did not: stop drawing.
        m_bRecordsExhausted = TRUE;
        return size;
    }
    // Nested tables move the current index on; this table's record stays
    // at its own.
    const size_t nRecord = (size_t)m_nCurrentTable;
    MarkupTable t = m_tables[nRecord];
    const int c = (int)t.columnWidths.size(), r = (int)t.rowHeights.size();

    m_style.name = L"table";
    PushStyle();
    ApplyStyleRule(L"table", m_style);
    CString attributes;
    ReadOwnTag(tableText, attributes);
    ParseTableAttributes(attributes, m_style, TRUE);
    SelectStyleFont();

    const int sp = m_style.cellSpacing;
    const int allowance = m_style.borderStyle == 6 ? 6 : 2 * m_style.borderWidth;
    RECT rcTable = box;
    if (m_nPass == PassDraw)
    {
        int width = sp + c - 1 + allowance, height = sp + r - 1 + allowance;
        for (int w : t.columnWidths)
            width += sp + w;
        for (int h : t.rowHeights)
            height += sp + h;
        const int boxWidth = box.right - box.left;
        if (width < boxWidth)
        {
            int unfixed = 0;
            for (int f : t.fixedColumns)
                unfixed += f ? 0 : 1;
            int diff = boxWidth - width;
            for (int i = 0; i < c && unfixed > 0; ++i)
            {
                if (t.fixedColumns[(size_t)i])
                    continue;
                const int add = diff / unfixed;
                t.columnWidths[(size_t)i] += add;
                width += add;
                diff -= add;
                --unfixed;
            }
        }
        rcTable.left = box.left;
        if (width < boxWidth)
        {
            if (m_style.hAlign == 1)
                rcTable.left += (boxWidth - width) / 2;
            else if (m_style.hAlign == 2)
                rcTable.left = box.right - width;
        }
        rcTable.top = box.top;
        rcTable.right = rcTable.left + width;
        rcTable.bottom = rcTable.top + height;
        if (m_style.backEffect >= 0)
            m_effects.FillEffect(m_hdc, m_style.backEffect, rcTable, m_style.backColor, m_style.middleColor,
                                 m_style.endColor, 5, 0);
        else if (!m_style.backImage.IsEmpty())
            TileBackgroundImage(m_hdc, rcTable.left, rcTable.top, width, height, m_style.backImage);
        if (m_style.borderWidth > 0)
        {
            const COLORREF light = m_bEnabled ? m_style.borderLight : m_disabledColor;
            const COLORREF dark = m_bEnabled ? m_style.borderDark : m_disabledColor;
            m_effects.DrawRectBorder(m_hdc, rcTable, light, dark, m_style.borderStyle, m_style.borderWidth);
        }
    }
    RECT inner = rcTable;
    if (m_nPass == PassDraw)
    {
        const int shrink = m_style.borderStyle == 6 ? 3 : m_style.borderWidth;
        InflateRect(&inner, -shrink, -shrink);
    }

    if (c != 0 && r != 0)
    {
        const int len = tableText.GetLength();
        int pos = 0;
        for (int row = 0; row < r && !m_bRecordsExhausted; ++row)
        {
            int at = pos;
            if (!FindTag(tableText, at, L"tr"))
                break;
            const int end = SkipRow(tableText, at);
            LayoutRow(tableText.Mid(at, end - at), inner, t, row);
            pos = end + 5 > at + 1 ? end + 5 : at + 1;
            if (pos > len)
                pos = len;
        }
    }

    if (m_nPass == PassMeasure)
    {
        for (int s = 1; s <= c; ++s)
            for (int row = 0; row < r; ++row)
                for (int col = 0; col < c; ++col)
                {
                    const MarkupCell& cell = t.rows[(size_t)row][(size_t)col];
                    if (cell.colSpan != s)
                        continue;
                    const int span = s < c - col ? s : c - col;
                    if (s == 1)
                    {
                        if (cell.totalWidth > t.columnWidths[(size_t)col])
                            t.columnWidths[(size_t)col] = cell.totalWidth;
                        if (cell.fixed)
                            t.fixedColumns[(size_t)col] = 1;
                        continue;
                    }
                    const int sum = Sum(t.columnWidths, (size_t)col, (size_t)span);
                    if (cell.fixed)
                        for (int k = col; k < col + span; ++k)
                            t.fixedColumns[(size_t)k] = 1;
                    if (sum < cell.contentWidth)
                    {
                        const int excess = cell.totalWidth - sum;
                        for (int k = col; k < col + span; ++k)
                            t.columnWidths[(size_t)k] += excess / span;
                        t.columnWidths[(size_t)(col + span - 1)] += excess % span;
                    }
                }
        for (int s = 1; s <= r; ++s)
            for (int row = 0; row < r; ++row)
                for (int col = 0; col < c; ++col)
                {
                    const MarkupCell& cell = t.rows[(size_t)row][(size_t)col];
                    if (cell.rowSpan != s)
                        continue;
                    const int span = s < r - row ? s : r - row;
                    if (s == 1)
                    {
                        if (cell.totalHeight > t.rowHeights[(size_t)row])
                            t.rowHeights[(size_t)row] = cell.totalHeight;
                        continue;
                    }
                    const int sum = Sum(t.rowHeights, (size_t)row, (size_t)span);
                    if (sum < cell.totalHeight)
                    {
                        const int excess = cell.totalHeight - sum;
                        for (int k = row; k < row + span; ++k)
                            t.rowHeights[(size_t)k] += excess / span;
                        t.rowHeights[(size_t)row] += excess % span;
                    }
                }
        size.cx = sp + c - 1 + allowance;
        size.cy = sp + r - 1 + allowance;
        for (int w : t.columnWidths)
            size.cx += sp + w;
        for (int h : t.rowHeights)
            size.cy += sp + h;
    }
    else
    {
        size.cx = rcTable.right - rcTable.left;
        size.cy = rcTable.bottom - rcTable.top;
    }

    m_tables[nRecord] = t;
    m_style.name = L"table";
    PopStyle(L"table");
    SelectStyleFont();
    return size;
}

void CMarkupRenderer::LayoutRow(const CString& rowText, const RECT& inner, MarkupTable& t, int row)
{
    m_style.name = L"tr";
    PushStyle();
    ApplyStyleRule(L"tr", m_style);
    CString attributes;
    int pos = ReadOwnTag(rowText, attributes);
    ParseTableAttributes(attributes, m_style, FALSE);
    SelectStyleFont();

    const int c = (int)t.columnWidths.size(), r = (int)t.rowHeights.size();
    const int sp = m_style.cellSpacing;
    const int len = rowText.GetLength();
    int i = 0;
    while (pos < len && !m_bRecordsExhausted && row < r)
    {
        int cellPos = pos;
        if (!FindTag(rowText, cellPos, L"td"))
            break;
        while (i < c && t.rows[(size_t)row][(size_t)i].colSpan < 0)
            ++i;
        if (i >= c)
            break;
        const int end = SkipCell(rowText, cellPos);
        MarkupCell& cell = t.rows[(size_t)row][(size_t)i];
        RECT rc = {0, 0, 0, 0};
        if (m_nPass == PassDraw)
        {
            const int cs = ClampSpan(cell.colSpan) < c - i ? ClampSpan(cell.colSpan) : c - i;
            const int rs = ClampSpan(cell.rowSpan) < r - row ? ClampSpan(cell.rowSpan) : r - row;
            rc.left = inner.left + sp;
            for (int k = 0; k < i; ++k)
                rc.left += sp + t.columnWidths[(size_t)k] + 1;
            rc.right = rc.left + Sum(t.columnWidths, (size_t)i, (size_t)cs) + (sp + 1) * (cs - 1);
            rc.top = inner.top + sp;
            for (int k = 0; k < row; ++k)
                rc.top += sp + t.rowHeights[(size_t)k] + 1;
            rc.bottom = rc.top + Sum(t.rowHeights, (size_t)row, (size_t)rs) + (sp + 1) * (rs - 1);
        }
        LayoutCell(rowText.Mid(cellPos, end - cellPos), rc, cell);
        const int cs = ClampSpan(cell.colSpan);
        if (m_nPass == PassMeasure)
        {
            const int rs = ClampSpan(cell.rowSpan);
            for (int k = i + 1; k < i + cs && k < c; ++k)
                t.rows[(size_t)row][(size_t)k].colSpan = t.rows[(size_t)row][(size_t)k].rowSpan = -1;
            for (int k = row + 1; k < row + rs && k < r; ++k)
                t.rows[(size_t)k][(size_t)i].colSpan = t.rows[(size_t)k][(size_t)i].rowSpan = -1;
        }
        i += cs;
        pos = end > cellPos ? end : cellPos + 1;
    }

    m_style.name = L"tr";
    PopStyle(L"tr");
    SelectStyleFont();
}

void CMarkupRenderer::LayoutCell(const CString& cellText, const RECT& rc, MarkupCell& cell)
{
    if (m_nPass == PassMeasure)
        cell.contentWidth = cell.contentHeight = 0;
    m_style.name = L"td";
    PushStyle();
    ApplyStyleRule(L"td", m_style);
    CString attributes;
    int pos = ReadOwnTag(cellText, attributes);
    m_style.width = m_style.height = 0;
    const SIZE spans = ParseTableAttributes(attributes, m_style, FALSE);
    SelectStyleFont();

    const int pad = m_style.cellPadding + m_style.borderWidth;
    RECT content = rc;
    if (m_nPass == PassMeasure)
    {
        cell.colSpan = ClampSpan(spans.cx);
        cell.rowSpan = ClampSpan(spans.cy);
        cell.contentWidth = m_style.width;
        cell.fixed = m_style.width > 0 ? 1 : 0;
        content.right = content.left + m_style.width;
        content.bottom = content.top;
    }
    else
    {
        if (m_style.backEffect >= 0)
            m_effects.FillEffect(m_hdc, m_style.backEffect, rc, m_style.backColor, m_style.middleColor,
                                 m_style.endColor, 5, 0);
        const COLORREF light = m_bEnabled ? m_style.borderLight : m_disabledColor;
        const COLORREF dark = m_bEnabled ? m_style.borderDark : m_disabledColor;
        m_effects.DrawRectBorder(m_hdc, rc, dark, light, m_style.borderStyle, 1);
        InflateRect(&content, -pad, -pad);
        if (m_style.vAlign == 1)
            content.top += (content.bottom - content.top - cell.contentHeight) / 2;
        else if (m_style.vAlign == 2)
            content.top = content.bottom - cell.contentHeight;
    }

    const int len = cellText.GetLength();
    while (pos < len && !m_bRecordsExhausted)
    {
        int close = pos, table = pos;
        const BOOL bClose = FindTag(cellText, close, L"/td");
        const BOOL bTable = FindTag(cellText, table, L"table");
        const int stop = bTable && (!bClose || table < close) ? table : close;
        SIZE part = {0, 0};
        if (stop > pos)
        {
            part = LayoutText(cellText.Mid(pos, stop - pos), content);
            content.top += part.cy;
            if (m_nPass == PassMeasure)
            {
                cell.contentWidth = part.cx > cell.contentWidth ? part.cx : cell.contentWidth;
                cell.contentHeight += part.cy;
            }
        }
        if (!bTable || (bClose && close < table) || m_bRecordsExhausted)
            break;
        const int end = SkipTable(cellText, table);
        part = LayoutTable(cellText.Mid(table, end - table), content);
        content.top += part.cy;
        if (m_nPass == PassMeasure)
        {
            cell.contentWidth = part.cx > cell.contentWidth ? part.cx : cell.contentWidth;
            cell.contentHeight += part.cy;
        }
        pos = end > table ? end : table + 1;
    }
    if (m_nPass == PassMeasure)
    {
        cell.totalWidth = (cell.contentWidth > m_style.width ? cell.contentWidth : m_style.width) + 2 * pad;
        cell.totalHeight = (cell.contentHeight > m_style.height ? cell.contentHeight : m_style.height) + 2 * pad;
    }
    m_style.name = L"td";
    PopStyle(L"td");
    SelectStyleFont();
}

void CMarkupRenderer::TileBackgroundImage(HDC hdc, int left, int top, int width, int height,
                                          const CString& source)
{
    if (!m_bEnabled || source.GetLength() <= 5 || width <= 0 || height <= 0)
        return;
    const int colon = source.Find(L':');
    if (colon < 0)
        return;
    CString name = source.Left(colon);
    name.Trim();
    name.MakeLower();
    CString value = source.Mid(colon + 1);
    const int semicolon = value.Find(L';');
    if (semicolon >= 0)
        value = value.Left(semicolon);
    value.Trim();
    HBITMAP hBitmap = NULL;
    if (name == L"idres")
    {
        LPCWSTR id = MAKEINTRESOURCEW(ParseLength(value, 0, FALSE));
        hBitmap = (HBITMAP)LoadImageW(AfxFindResourceHandle(id, RT_BITMAP), id, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    }
    else if (name == L"iddll" && m_hResourceModule != NULL)
        hBitmap = (HBITMAP)LoadImageW(m_hResourceModule, MAKEINTRESOURCEW(ParseLength(value, 0, FALSE)),
                                      IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    else if (name == L"file")
        hBitmap = (HBITMAP)LoadImageW(NULL, value, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (hBitmap == NULL)
        return;
    SIZE size;
    CImageEffects::GetBitmapSize(hBitmap, size);
    HDC hMem = CreateCompatibleDC(hdc);
    if (hMem != NULL)
    {
        HGDIOBJ hOld = SelectObject(hMem, hBitmap);
        m_effects.TileBitmap(hdc, left, top, width, height, hMem, 0, 0, size.cx, size.cy);
        SelectObject(hMem, hOld);
        DeleteDC(hMem);
    }
    DeleteObject(hBitmap);
}
