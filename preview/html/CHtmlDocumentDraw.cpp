// Drawing, link hit testing, mouse selection and repaint requests.
#include "CHtmlDocument.h"

#include <wchar.h>

#include <algorithm>
#include <string>

#include "CHtmlImageLoader.h"
#include "CHtmlRendererHost.h"

namespace {

const COLORREF kNavy = 0x800000;
const COLORREF kHoverRed = 0x0000FF;
const COLORREF kGrey = 0x808080;
const COLORREF kWhite = 0xFFFFFF;

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF color)
{
    if (right <= left || bottom <= top)
        return;
    RECT rc = {left, top, right, bottom};
    COLORREF old = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// Tiles a picture over box from origin (which may lie before the box), the
// last tiles cut to the box.
void TileImage(HDC dc, CHtmlImage* image, const RECT& box, int originX, int originY)
{
    int w = image->GetWidth();
    int h = image->GetHeight();
    if (w <= 0 || h <= 0)
        return;
    int startX = originX + (box.left > originX ? (box.left - originX) / w * w : 0);
    int startY = originY + (box.top > originY ? (box.top - originY) / h * h : 0);
    HRGN clip = CreateRectRgnIndirect(&box);
    int saved = SaveDC(dc);
    ExtSelectClipRgn(dc, clip, RGN_AND);
    for (int y = startY; y < box.bottom; y += h)
        for (int x = startX; x < box.right; x += w)
            image->Draw(dc, x, y, std::min<int>(w, box.right - x), std::min<int>(h, box.bottom - y));
    RestoreDC(dc, saved);
    DeleteObject(clip);
}

bool Contains(const CHtmlElement* e, int x, int y)
{
    return x >= e->x && x < e->x + e->cx && y >= e->y && y < e->y + e->cy;
}

}  // namespace

void CHtmlDocument::Draw(HDC dc, const RECT& clip, int dx, int dy)
{
    if (m_crBack != HTML_NO_COLOR)
        FillSolid(dc, clip.left, clip.top, clip.right, clip.bottom, m_crBack);
    CHtmlImage* back = m_pLoader->GetImage(m_nBackImage);
    if (back && back->Decode(0))
        TileImage(dc, back, clip, -dx, -dy);
    int mode = SetBkMode(dc, TRANSPARENT);
    UINT align = SetTextAlign(dc, TA_TOP | TA_LEFT);
    DrawItems(dc, m_items, clip, dx, dy);
    SetTextAlign(dc, align);
    SetBkMode(dc, mode);
}

void CHtmlDocument::DrawItems(HDC dc, const CHtmlElementList& items, const RECT& clip, int dx, int dy)
{
    for (const CHtmlElement* e : items)
        DrawElement(dc, e, clip, dx, dy);
}

void CHtmlDocument::DrawElement(HDC dc, const CHtmlElement* e, const RECT& clip, int dx, int dy)
{
    if (e->hControl)
        return;
    RECT box = {e->x - dx, e->y - dy, e->x - dx + e->cx, e->y - dy + e->cy};
    if (box.right <= clip.left || box.left >= clip.right || box.bottom <= clip.top || box.top >= clip.bottom)
        return;
    bool hovered = e->nLink >= 0 && e->nLink == m_nHoverLink;

    if (e->bSelected)
        FillSolid(dc, box.left, box.top, box.right, box.bottom, kNavy);
    else if (e->crBack != HTML_NO_COLOR)
        FillSolid(dc, box.left, box.top, box.right, box.bottom, e->crBack);
    if (CHtmlImage* tile = m_pLoader->GetImage(e->nBackImage))
        if (tile->Decode(0))
            TileImage(dc, tile, box, box.left, box.top);

    if (e->nKind == HTML_ELEMENT_IMAGE) {
        if (CHtmlImage* image = m_pLoader->GetImage(e->nImage))
            if (image->Decode(0))
                image->DrawStretched(dc, box.left, box.top, e->cx, e->cy);
    } else if (e->nKind == HTML_ELEMENT_CELL) {
        DrawItems(dc, e->children, clip, dx, dy);
    } else if (e->nKind == HTML_ELEMENT_TEXT && e->cx > 0 && e->pszText) {
        HFONT font = CreateElementFont(e->szFace, e->nFontHeight, e->bBold, e->bItalic, e->nFrame == HTML_FRAME_BOTTOM,
                                       e->nFrame & HTML_FRAME_MIDDLE);
        HGDIOBJ old = SelectObject(dc, font);
        COLORREF color = SetTextColor(dc, e->bSelected ? kWhite : hovered ? kHoverRed : e->crText);
        int x = box.left + (e->nFrame & HTML_FRAME_LEFT ? e->nFrameWidth : 0);
        int y = box.top + (e->nFrame & HTML_FRAME_TOP ? 2 * e->nFrameWidth : 0);
        TextOutW(dc, x, y, e->pszText, (int)wcslen(e->pszText));
        SetTextColor(dc, color);
        SelectObject(dc, old);
        DeleteObject(font);
    }

    if (e->nFrame && e->nFrameWidth > 0 &&
        !(e->nKind == HTML_ELEMENT_TEXT && (e->nFrame == HTML_FRAME_BOTTOM || e->nFrame == HTML_FRAME_MIDDLE))) {
        COLORREF first = hovered ? kHoverRed
                         : e->crFrame == HTML_FRAME_SUNKEN ? kGrey
                         : e->crFrame == HTML_FRAME_RAISED ? kWhite : e->crFrame;
        COLORREF second = hovered ? kHoverRed
                          : e->crFrame == HTML_FRAME_SUNKEN ? kWhite
                          : e->crFrame == HTML_FRAME_RAISED ? kGrey : e->crFrame;
        for (int k = 0; k < e->nFrameWidth; ++k) {
            int l = box.left + k, t = box.top + k, r = box.right - k, b = box.bottom - k;
            if (r <= l || b <= t)
                break;
            if (e->nFrame & HTML_FRAME_LEFT)
                FillSolid(dc, l, t, l + 1, b, first);
            if (e->nFrame & HTML_FRAME_TOP)
                FillSolid(dc, l, t, r, t + 1, first);
            if (e->nFrame & HTML_FRAME_RIGHT)
                FillSolid(dc, r - 1, t, r, b, second);
            if (e->nFrame & HTML_FRAME_BOTTOM)
                FillSolid(dc, l, b - 1, r, b, second);
            if (e->nFrame & HTML_FRAME_MIDDLE)
                FillSolid(dc, l, (t + b) / 2, r, (t + b) / 2 + 1, second);
        }
    }
}

const CHtmlElement* CHtmlDocument::HitLink(const CHtmlElementList& items, int x, int y) const
{
    for (const CHtmlElement* e : items) {
        if (!e->children.empty())
            if (const CHtmlElement* hit = HitLink(e->children, x, y))
                return hit;
        if (e->nLink >= 0 && Contains(e, x, y))
            return e;
    }
    return nullptr;
}

void CHtmlDocument::OnMouseMove(int x, int y)
{
    if (!m_pHost)
        return;
    const CHtmlElement* hit = HitLink(m_items, x, y);
    if (hit) {
        m_nHoverLink = hit->nLink;
        std::wstring url = m_links.GetCell(0, hit->nLink);
        m_pHost->OnLinkHover(1, url.c_str());
    } else {
        m_nHoverLink = -1;
        m_pHost->OnLinkHover(0, L"");
    }
}

void CHtmlDocument::OnClick(int x, int y)
{
    if (!m_pHost)
        return;
    const CHtmlElement* hit = HitLink(m_items, x, y);
    if (!hit) {
        m_nHoverLink = -1;
        return;
    }
    m_nHoverLink = hit->nLink;
    // Navigating replaces this page and its link table: keep a copy.
    std::wstring url = m_links.GetCell(0, hit->nLink);
    m_pHost->Navigate(url.c_str());
}

void CHtmlDocument::SelectRect(const RECT& rc)
{
    SelectItems(m_items, rc);
}

void CHtmlDocument::SelectItems(CHtmlElementList& items, const RECT& rc)
{
    for (size_t i = 0; i < items.size(); ++i) {
        CHtmlElement* e = items[i];
        if (!e->children.empty())
            SelectItems(e->children, rc);
        bool breakBeforeCell = e->nKind == HTML_ELEMENT_BREAK && i + 1 < items.size() &&
                               items[i + 1]->nKind == HTML_ELEMENT_CELL;
        if ((e->nKind != HTML_ELEMENT_TEXT && e->nKind != HTML_ELEMENT_BREAK) || breakBeforeCell)
            continue;
        int top = e->y, bottom = e->y + e->cy, left = e->x, right = e->x + e->cx;
        bool topInside = top > rc.top && top <= rc.bottom && left < rc.right;
        bool bottomInside = bottom > rc.top && bottom <= rc.bottom && left > rc.left;
        bool overlaps = left < rc.right && rc.left < right && top < rc.bottom && rc.top < bottom;
        bool point = rc.left == rc.right && rc.top == rc.bottom && rc.left >= left && rc.left < right &&
                     rc.top >= top && rc.top < bottom;
        e->bSelected = topInside || bottomInside || overlaps || point;
    }
}

void CHtmlDocument::InvalidateItems(const CHtmlElementList& items, int link, int image)
{
    for (const CHtmlElement* e : items) {
        if ((link >= 0 && e->nLink == link) || (image >= 0 && (e->nImage == image || e->nBackImage == image))) {
            RECT rc = {e->x, e->y, e->x + e->cx, e->y + e->cy};
            m_pHost->InvalidateDocRect(rc);
        }
        if (!e->children.empty())
            InvalidateItems(e->children, link, image);
    }
}

void CHtmlDocument::InvalidateLink(const wchar_t* url)
{
    if (!m_pHost || !url)
        return;
    const CHtmlStringList& row = m_links.GetRow(0);
    for (int i = 0; i < row.GetCount(); ++i)
        if (wcscmp(row.Get(i), url) == 0) {
            InvalidateItems(m_items, i, -1);
            return;
        }
}

void CHtmlDocument::InvalidateImage(int image)
{
    if (m_pHost && image >= 0)
        InvalidateItems(m_items, -1, image);
}
