// Layout: words flow into lines that are aligned, justified and pushed
// aside by floating tables; tables get column widths from their cells'
// narrowest and preferred contents and row heights from their contents.
// Widths are distributed arithmetically, so a huge width attribute costs
// no more than a small one.
#include "CHtmlDocument.h"

#include <algorithm>
#include <vector>

#include "CHtmlImageLoader.h"
#include "CHtmlRendererHost.h"

struct CHtmlDocument::CFloat
{
    int side;
    int width;
    int bottom;
};

struct CHtmlDocument::CLineState
{
    int left;   // the margins, moved by floats
    int right;
    int x;
    int y;
    int lineStart;
    std::vector<CFloat> floats;

    void EndFloats(bool all)
    {
        for (size_t i = floats.size(); i-- > 0;) {
            if (!all && y < floats[i].bottom)
                continue;
            if (all && y < floats[i].bottom)
                y = floats[i].bottom;
            if (floats[i].side == 0)
                left -= floats[i].width;
            else
                right += floats[i].width;
            floats.erase(floats.begin() + (long)i);
        }
    }
};

namespace {

bool IsRule(const CHtmlElement* e)
{
    return e->nKind == HTML_ELEMENT_BREAK && e->cy == 2 && e->nFrame == HTML_FRAME_BOX && !e->nTableRun;
}

// Spreads amount over count slots as one-pixel sweeps in order would.
void Spread(std::vector<int>& values, const std::vector<int>& slots, long long amount)
{
    if (slots.empty() || amount <= 0)
        return;
    long long each = amount / (long long)slots.size();
    long long rest = amount % (long long)slots.size();
    for (size_t i = 0; i < slots.size(); ++i) {
        long long v = values[(size_t)slots[i]] + each + ((long long)i < rest ? 1 : 0);
        values[(size_t)slots[i]] = (int)std::min<long long>(v, 1000000000LL);
    }
}

}  // namespace

void CHtmlDocument::ResetLayoutCache(CHtmlElementList& items)
{
    for (CHtmlElement* e : items) {
        e->nMinWidth = e->nMaxWidth = e->nFixedWidth = e->nCacheWidth = -1;
        if (!e->children.empty())
            ResetLayoutCache(e->children);
    }
}

void CHtmlDocument::Layout(RECT& rc)
{
    rc.right -= 2;
    if (rc.right < rc.left)
        rc.right = rc.left;
    ResetLayoutCache(m_items);
    POINT extent = LayoutItems(rc, m_items);
    rc.right = extent.x;
    rc.bottom = extent.y;
    PlaceControls(m_items);
}

void CHtmlDocument::PlaceControls(CHtmlElementList& items)
{
    for (CHtmlElement* e : items) {
        if (e->hControl && m_pHost)
            m_pHost->PlaceControl(e->hControl, e->x, e->y);
        if (!e->children.empty())
            PlaceControls(e->children);
    }
}

void CHtmlDocument::SizeImage(CHtmlElement* e)
{
    if (m_pHost)
        m_pHost->OnParseProgress(1, 0, 0);
    int width = e->nCellWidth;
    int height = e->nCellHeight;
    CHtmlImage* image = m_pLoader->GetImage(e->nImage);
    if (image && image->Decode(m_bWait))
        image->FitSize(&width, &height);
    e->cx = std::min(width, HTML_MAX_EXTENT);
    e->cy = std::min(height, HTML_MAX_EXTENT);
}

void CHtmlDocument::EndLine(CLineState& line, CHtmlElementList& items, int end, bool byBreak)
{
    int start = line.lineStart;
    int height = 0;
    int alignedWidth = 0;
    int lineWidth = 0;
    for (int i = start; i < end; ++i) {
        CHtmlElement* e = items[(size_t)i];
        if (e->nKind == HTML_ELEMENT_TEXT || e->nKind == HTML_ELEMENT_IMAGE)
            height = std::max(height, e->cy);
        if (e->nAlign != 0)
            alignedWidth += e->cx;
        lineWidth += e->cx;
    }
    if (end > start) {
        CHtmlElement* last = items[(size_t)end - 1];
        if (last->IsBlank() && last->nAlign != 0)
            alignedWidth -= last->cx;
        CHtmlElement* first = items[(size_t)start];
        int avail = line.right - line.left;
        int offset = 0;
        if (first->nAlign == 2)
            offset = std::max(0, (avail - alignedWidth) / 2);
        else if (first->nAlign == 1)
            offset = std::max(0, avail - alignedWidth);
        for (int i = start; i < end; ++i) {
            CHtmlElement* e = items[(size_t)i];
            if (e->nKind != HTML_ELEMENT_BREAK)
                e->y += height - e->cy;
            if (e->cx < avail)
                e->x += offset;
        }
        // Justification: whole pixels handed out from the third element on,
        // as sweeps of one pixel per word would.
        if (avail > 0 && first->nAlign == 3 && !byBreak && end - start > 2 && lineWidth < avail) {
            int movable = 0;
            for (int i = start + 2; i < end; ++i)
                movable += !items[(size_t)i]->IsBlank();
            if (movable > 0) {
                int extra = avail - lineWidth;
                int each = extra / movable;
                int rest = extra % movable;
                int seen = 0;
                for (int i = start + 2; i < end; ++i) {
                    CHtmlElement* e = items[(size_t)i];
                    if (!e->IsBlank())
                        ++seen;
                    e->x += each * seen + std::min(seen, rest);
                }
            }
        }
    }
    line.y += height;
    line.x = line.left;
}

POINT CHtmlDocument::LayoutItems(const RECT& rc, CHtmlElementList& items)
{
    CLineState line;
    line.left = rc.left;
    line.right = rc.right;
    line.x = rc.left;
    line.y = rc.top;
    line.lineStart = 0;
    int n = (int)items.size();
    for (int i = 0; i <= n; ++i) {
        CHtmlElement* e = i < n ? items[(size_t)i] : nullptr;
        if (e && e->nKind == HTML_ELEMENT_IMAGE)
            SizeImage(e);
        if (e && IsRule(e))
            e->cx = 1;
        // A word too wide for the room beside floats goes below them.
        if (e && !line.floats.empty() && e->nKind == HTML_ELEMENT_TEXT && !e->IsBlank() &&
            e->cx > line.right - line.left && i == line.lineStart) {
            line.EndFloats(true);
            line.x = line.left;
        }
        bool isBreak = e && e->nKind == HTML_ELEMENT_BREAK;
        bool ends = !e || isBreak ||
                    (i > line.lineStart && !e->IsBlank() && !e->bNoWrap && e->nKind != HTML_ELEMENT_CELL &&
                     line.x + e->cx > line.right);
        if (ends) {
            EndLine(line, items, i, isBreak);
            if (!e)
                break;
            if (isBreak) {
                e->x = line.left;
                e->y = line.y;
                if (i + 1 < n && items[(size_t)i + 1]->nKind == HTML_ELEMENT_TEXT)
                    e->y -= items[(size_t)i + 1]->cy / 2;
                if (IsRule(e))
                    e->cx = std::max(1, line.right - line.left);
                if (e->nTableRun > 0) {
                    // A table: laid out as one block below the line.
                    int avail = line.right - line.left;
                    SIZE size = LayoutTable(items, i, line.left, line.y, avail);
                    int last = std::min(n - 1, i + e->nTableRun);
                    int floatSide = -1;
                    for (int k = i + 1; k <= last; ++k)
                        if (items[(size_t)k]->nKind == HTML_ELEMENT_CELL) {
                            floatSide = items[(size_t)k]->nFloat;
                            break;
                        }
                    int dx = 0;
                    if (floatSide == 1)
                        dx = std::max(0, avail - (int)size.cx);
                    else if (floatSide < 0 && e->nAlign == 2)
                        dx = std::max(0, (avail - (int)size.cx) / 2);
                    else if (floatSide < 0 && e->nAlign == 1)
                        dx = std::max(0, avail - (int)size.cx);
                    if (dx) {
                        for (int k = i; k <= last; ++k) {
                            items[(size_t)k]->x += dx;
                            OffsetElementTree(items[(size_t)k], dx, 0);
                        }
                    }
                    if (floatSide >= 0) {
                        CFloat f = {floatSide, (int)size.cx, line.y + (int)size.cy};
                        line.floats.push_back(f);
                        if (floatSide == 0)
                            line.left += f.width;
                        else
                            line.right -= f.width;
                    } else {
                        line.y += size.cy;
                    }
                    i = last;
                } else if (e->bClear) {
                    line.EndFloats(true);
                }
                line.lineStart = i + 1;
            } else {
                line.lineStart = i;
            }
            line.EndFloats(false);
            line.x = line.left;
            if (isBreak)
                continue;
        }
        e->x = line.x;
        e->y = line.y;
        line.x += e->cx;
    }

    POINT extent = {rc.left, rc.top};
    for (CHtmlElement* e : items) {
        if (e->IsBlank())
            continue;
        extent.x = std::max<LONG>(extent.x, e->x + e->cx);
        extent.y = std::max<LONG>(extent.y, e->y + e->cy);
    }
    return extent;
}

POINT CHtmlDocument::LayoutCell(CHtmlElement* cell, int width)
{
    RECT rc = {0, 0, width, 0};
    return LayoutItems(rc, cell->children);
}

SIZE CHtmlDocument::LayoutTable(CHtmlElementList& items, int start, int left, int top, int width)
{
    CHtmlElement* box = items[(size_t)start];
    int last = std::min((int)items.size() - 1, start + box->nTableRun);
    std::vector<CHtmlElement*> cells;
    for (int k = start + 1; k <= last; ++k) {
        CHtmlElement* e = items[(size_t)k];
        if (e->nKind == HTML_ELEMENT_CELL)
            cells.push_back(e);
        else {
            e->x = left;
            e->y = top;
        }
    }
    SIZE none = {0, 0};
    if (cells.empty())
        return none;
    const int pad = cells[0]->nPadding;
    const int spacing = cells[0]->nSpacing;
    const int border = box->nBorder;
    const int tableWidth = cells[0]->nTableWidth;
    const int tableHeight = std::max(box->nTableHeight, cells[0]->nTableHeight);

    // Grid: each cell takes the next free column of its row; a rowspan
    // reserves its columns in the rows below.
    std::vector<std::vector<char>> taken;
    std::vector<int> col(cells.size());
    int rows = 0;
    int cols = 0;
    int currentRow = -1;
    int cursor = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        CHtmlElement* c = cells[i];
        if (c->nRow != currentRow) {
            currentRow = c->nRow;
            cursor = 0;
        }
        int r = std::max(0, c->nRow);
        auto isTaken = [&](int rr, int cc) {
            return rr < (int)taken.size() && cc < (int)taken[(size_t)rr].size() && taken[(size_t)rr][(size_t)cc];
        };
        while (isTaken(r, cursor))
            ++cursor;
        col[i] = cursor;
        for (int rr = r; rr < r + c->nRowSpan; ++rr) {
            if ((int)taken.size() <= rr)
                taken.resize((size_t)rr + 1);
            std::vector<char>& line = taken[(size_t)rr];
            if ((int)line.size() < cursor + c->nColSpan)
                line.resize((size_t)(cursor + c->nColSpan), 0);
            for (int cc = cursor; cc < cursor + c->nColSpan; ++cc)
                line[(size_t)cc] = 1;
        }
        cursor += c->nColSpan;
        rows = std::max(rows, r + c->nRowSpan);
        cols = std::max(cols, col[i] + c->nColSpan);
    }

    // Column widths.
    std::vector<int> minW((size_t)cols, 0), prefW((size_t)cols, 0), fixedW((size_t)cols, 0);
    for (size_t i = 0; i < cells.size(); ++i) {
        CHtmlElement* c = cells[i];
        if (c->nMinWidth < 0)
            c->nMinWidth = (int)LayoutCell(c, 0).x;
        if (width > 0 && c->nMaxWidth < 0)
            c->nMaxWidth = (int)LayoutCell(c, 2000).x;
        if (c->nColSpan != 1)
            continue;
        size_t k = (size_t)col[i];
        minW[k] = std::max(minW[k], c->nMinWidth);
        prefW[k] = std::max(prefW[k], width > 0 ? std::max(c->nMaxWidth, c->nMinWidth) : c->nMinWidth);
        if (c->nCellWidth > 0)
            fixedW[k] = std::max(fixedW[k], c->nCellWidth);
    }
    const int gap = 2 * pad + spacing;
    for (size_t i = 0; i < cells.size(); ++i) {
        CHtmlElement* c = cells[i];
        if (c->nColSpan == 1)
            continue;
        std::vector<int> slots;
        long long have = (long long)(c->nColSpan - 1) * gap;
        long long havePref = have;
        for (int k = col[i]; k < col[i] + c->nColSpan; ++k) {
            slots.push_back(k);
            have += minW[(size_t)k];
            havePref += prefW[(size_t)k];
        }
        Spread(minW, slots, c->nMinWidth - have);
        if (width > 0)
            Spread(prefW, slots, std::max(c->nMaxWidth, c->nMinWidth) - havePref);
    }
    std::vector<int> w((size_t)cols);
    for (size_t k = 0; k < (size_t)cols; ++k) {
        prefW[k] = std::max(prefW[k], minW[k]);
        w[k] = fixedW[k] ? std::max(fixedW[k], minW[k]) : minW[k];
    }
    auto total = [&]() {
        long long t = spacing + 2LL * border;
        for (int v : w)
            t += (long long)v + gap;
        return t;
    };

    long long target = -1;
    if (tableWidth > 0)
        target = tableWidth;
    else if (width > 0)
        target = tableWidth < 0 ? (long long)width * -tableWidth / 100 : width;
    if (target >= 0) {
        long long current = total();
        if (current < target) {
            long long deficit = target - current;
            // Columns grow toward their preferred widths...
            bool grew = true;
            while (deficit > 0 && grew) {
                grew = false;
                for (size_t k = 0; k < (size_t)cols && deficit > 0; ++k)
                    if (!fixedW[k] && w[k] < prefW[k]) {
                        ++w[k];
                        --deficit;
                        grew = true;
                    }
            }
            // ...and with a width attribute beyond them.
            if (deficit > 0 && tableWidth != 0) {
                std::vector<int> slots;
                for (int k = 0; k < cols; ++k)
                    if (!fixedW[(size_t)k])
                        slots.push_back(k);
                Spread(w, slots, deficit);
            }
        } else if (current > target) {
            // The widest fixed column above 10 pixels and its content gives way.
            long long excess = current - target;
            while (excess > 0) {
                int widest = -1;
                for (int k = 0; k < cols; ++k) {
                    size_t u = (size_t)k;
                    if (fixedW[u] && w[u] > 11 && w[u] > minW[u] && (widest < 0 || w[u] > w[(size_t)widest]))
                        widest = k;
                }
                if (widest < 0)
                    break;
                size_t u = (size_t)widest;
                int floor = std::max(11, minW[u]);
                int next = floor;
                for (int k = 0; k < cols; ++k)
                    if (k != widest && fixedW[(size_t)k] && w[(size_t)k] < w[u] && w[(size_t)k] > next)
                        next = w[(size_t)k];
                long long step = std::min<long long>(excess, std::max(1, w[u] - next));
                w[u] -= (int)step;
                excess -= step;
            }
        }
    }

    // Row heights from the contents laid out at the cells' widths.
    std::vector<int> contentH(cells.size()), contentW(cells.size());
    std::vector<int> rowH((size_t)rows, 0);
    std::vector<char> rowFixed((size_t)rows, 0);
    for (size_t i = 0; i < cells.size(); ++i) {
        CHtmlElement* c = cells[i];
        long long cw = (long long)(c->nColSpan - 1) * gap;
        for (int k = col[i]; k < col[i] + c->nColSpan; ++k)
            cw += w[(size_t)k];
        contentW[i] = (int)std::min<long long>(cw, 1000000000LL);
        contentH[i] = (int)LayoutCell(c, contentW[i]).y;
        size_t r = (size_t)std::max(0, c->nRow);
        if (c->nRowSpan == 1)
            rowH[r] = std::max(rowH[r], contentH[i]);
        if (c->nCellHeight > 0) {
            rowH[r] = std::max(rowH[r], c->nCellHeight - 2 * pad);
            rowFixed[r] = 1;
        }
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        CHtmlElement* c = cells[i];
        if (c->nRowSpan == 1)
            continue;
        int r0 = std::max(0, c->nRow);
        std::vector<int> slots;
        long long have = (long long)(c->nRowSpan - 1) * gap;
        for (int r = r0; r < r0 + c->nRowSpan && r < rows; ++r) {
            slots.push_back(r);
            have += rowH[(size_t)r];
        }
        Spread(rowH, slots, contentH[i] - have);
    }
    long long heightNow = spacing + 2LL * border;
    for (int h : rowH)
        heightNow += (long long)h + gap;
    if (tableHeight > heightNow) {
        std::vector<int> slots;
        for (int r = 0; r < rows; ++r)
            if (!rowFixed[(size_t)r])
                slots.push_back(r);
        Spread(rowH, slots, tableHeight - heightNow);
    }

    // Positions.
    std::vector<int> colX((size_t)cols + 1), rowY((size_t)rows + 1);
    colX[0] = left + border + spacing;
    for (size_t k = 0; k < (size_t)cols; ++k)
        colX[k + 1] = colX[k] + w[k] + gap;
    rowY[0] = top + border + spacing;
    for (size_t r = 0; r < (size_t)rows; ++r)
        rowY[r + 1] = rowY[r] + rowH[r] + gap;
    for (size_t i = 0; i < cells.size(); ++i) {
        CHtmlElement* c = cells[i];
        int r = std::max(0, c->nRow);
        int rEnd = std::min(rows, r + c->nRowSpan);
        c->x = colX[(size_t)col[i]];
        c->y = rowY[(size_t)r];
        c->cx = colX[(size_t)(col[i] + c->nColSpan)] - spacing - c->x;
        c->cy = rowY[(size_t)rEnd] - spacing - c->y;
        int free = c->cy - 2 * pad - contentH[i];
        int dy = c->nVAlign == 1 ? free : c->nVAlign == 2 ? free / 2 : 0;
        OffsetElementTree(c, c->x + pad, c->y + pad + std::max(0, dy));
    }
    box->x = left;
    box->y = top;
    box->cx = colX[(size_t)cols] + border - left;
    box->cy = rowY[(size_t)rows] + border - top;
    box->nFrame = border ? HTML_FRAME_BOX : 0;
    box->nFrameWidth = border;
    SIZE size = {box->cx, box->cy};
    return size;
}
