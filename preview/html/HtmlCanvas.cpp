#include "HtmlCanvas.h"

#include <vector>

namespace {

// One canvas exists at a time; records of destroyed windows stay until the
// null-window call.
std::vector<CanvasScrollRecord*>* g_pRecords = nullptr;
POINT g_ptDrag = {0, 0};

const int kLineStep = 10;

CanvasScrollRecord* FindRecord(HWND hwnd)
{
    if (g_pRecords)
        for (CanvasScrollRecord* r : *g_pRecords)
            if (r->hwnd == hwnd)
                return r;
    return nullptr;
}

// A fresh record for the window; a handle that Windows gave out again
// starts from zero too.
CanvasScrollRecord* RegisterWindow(HWND hwnd)
{
    if (!g_pRecords)
        g_pRecords = new std::vector<CanvasScrollRecord*>;
    CanvasScrollRecord* r = FindRecord(hwnd);
    if (!r) {
        r = new CanvasScrollRecord;
        g_pRecords->push_back(r);
    }
    *r = CanvasScrollRecord();
    r->hLine = kLineStep;
    r->vLine = kLineStep;
    r->hwnd = hwnd;
    return r;
}

void FreeRecords()
{
    if (!g_pRecords)
        return;
    for (CanvasScrollRecord* r : *g_pRecords)
        delete r;
    delete g_pRecords;
    g_pRecords = nullptr;
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

// Thumb position of pixel position p on a bar with range r and highest
// thumb position m; the +1 makes the end of the range reach the bar's end.
int ThumbFromPixels(int p, int r, int m)
{
    if (r <= 0)
        return 0;
    return (int)((long long)p * m / r) + (p > 0 ? 1 : 0);
}

// Per-axis view of a record, so both directions share one code path.
struct Axis
{
    int& range;
    int& pos;
    int& max;
    int line;
    int bar;
    UINT scrollMessage;
};

Axis HorizontalAxis(CanvasScrollRecord* r)
{
    return Axis{r->hRange, r->hPos, r->hMax, r->hLine, SB_HORZ, WM_HSCROLL};
}

Axis VerticalAxis(CanvasScrollRecord* r)
{
    return Axis{r->vRange, r->vPos, r->vMax, r->vLine, SB_VERT, WM_VSCROLL};
}

// Tells the window and moves its pixels by (dx, dy).
void MovePixels(HWND hwnd, int dx, int dy)
{
    SendMessageW(hwnd, WM_HTML_SCROLLING, (WPARAM)dx, (LPARAM)dy);
    ScrollWindow(hwnd, dx, dy, nullptr, nullptr);
}

void OnScroll(CanvasScrollRecord* r, HWND hwnd, bool vertical, int code, int thumb)
{
    Axis a = vertical ? VerticalAxis(r) : HorizontalAxis(r);
    RECT rc;
    GetClientRect(hwnd, &rc);
    int page = vertical ? rc.bottom - rc.top : rc.right - rc.left;
    int d = 0;
    switch (code) {
    case SB_LINEUP: d = a.line; break;
    case SB_LINEDOWN: d = -a.line; break;
    case SB_PAGEUP: d = page; break;
    case SB_PAGEDOWN: d = -page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        // A record that was never sized has no thumb scale: stay put.
        if (a.max != 0)
            d = a.pos - (int)((long long)thumb * a.range / a.max);
        break;
    default: break;
    }
    int old = a.pos;
    a.pos = Clamp(old - d, 0, a.range);
    d = old - a.pos;
    MovePixels(hwnd, vertical ? 0 : d, vertical ? d : 0);
    if (a.range != 0)
        SetScrollPos(hwnd, a.bar, ThumbFromPixels(a.pos, a.range, a.max), TRUE);
}

void OnSetPosition(CanvasScrollRecord* r, HWND hwnd, bool vertical, int value)
{
    Axis a = vertical ? VerticalAxis(r) : HorizontalAxis(r);
    if (a.max == 0 || a.range == 0)
        return;
    int old = a.pos;
    a.pos = Clamp(value, 0, a.range);
    SetScrollPos(hwnd, a.bar, ThumbFromPixels(a.pos, a.range, a.max), TRUE);
    MovePixels(hwnd, vertical ? 0 : old - a.pos, vertical ? old - a.pos : 0);
    SendMessageW(hwnd, WM_VSCROLL, SB_ENDSCROLL, 0);
}

// Ranges and bars for the client size. Two passes, because a bar that one
// direction needs takes room from the other.
void Recompute(CanvasScrollRecord* r, HWND hwnd, int clientWidth, int clientHeight)
{
    if (r->sizing)
        return;
    r->sizing = 1;
    int oldH = r->hRange;
    int oldV = r->vRange;
    int vBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    int hBarHeight = GetSystemMetrics(SM_CYHSCROLL);
    int w = clientWidth + (oldV ? vBarWidth : 0);
    int h = clientHeight + (oldH ? hBarHeight : 0);
    bool hBar = false;
    bool vBar = false;
    for (int pass = 0; pass < 2; ++pass) {
        r->hRange = r->docWidth > w ? r->docWidth - w : 0;
        if (r->hRange && !hBar) {
            hBar = true;
            h -= hBarHeight;
        }
        r->vRange = r->docHeight > h ? r->docHeight - h : 0;
        if (r->vRange && !vBar) {
            vBar = true;
            w -= vBarWidth;
        }
    }
    if (r->hPos > r->hRange) {
        SendMessageW(hwnd, WM_HSCROLL, SB_LINERIGHT, 0);
        r->hPos = r->hRange;
    }
    if (r->vPos > r->vRange) {
        SendMessageW(hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
        r->vPos = r->vRange;
    }
    const struct
    {
        int old, now, bar;
    } changes[] = {{oldH, r->hRange, SB_HORZ}, {oldV, r->vRange, SB_VERT}};
    for (const auto& c : changes) {
        if ((c.old != 0) != (c.now != 0)) {
            SetScrollRange(hwnd, c.bar, 0, 100, FALSE);
            SetScrollPos(hwnd, c.bar, 0, FALSE);
            ShowScrollBar(hwnd, c.bar, c.now != 0);
        }
    }
    if (r->docWidth && r->hRange) {
        r->hMax = SetScrollPageSize(hwnd, SB_HORZ, (int)((long long)w * 100 / r->docWidth));
        SetScrollPos(hwnd, SB_HORZ, ThumbFromPixels(r->hPos, r->hRange, r->hMax), TRUE);
    }
    if (r->docHeight && r->vRange) {
        r->vMax = SetScrollPageSize(hwnd, SB_VERT, (int)((long long)h * 100 / r->docHeight));
        SetScrollPos(hwnd, SB_VERT, ThumbFromPixels(r->vPos, r->vRange, r->vMax), TRUE);
    }
    r->sizing = 0;
}

void OnPan(CanvasScrollRecord* r, HWND hwnd, POINT pt)
{
    int oldH = r->hPos;
    int oldV = r->vPos;
    r->hPos = Clamp(r->hPos - (pt.x - g_ptDrag.x), 0, r->hRange);
    r->vPos = Clamp(r->vPos - (pt.y - g_ptDrag.y), 0, r->vRange);
    MovePixels(hwnd, oldH - r->hPos, oldV - r->vPos);
    if (r->hRange)
        SetScrollPos(hwnd, SB_HORZ, ThumbFromPixels(r->hPos, r->hRange, r->hMax), TRUE);
    if (r->vRange)
        SetScrollPos(hwnd, SB_VERT, ThumbFromPixels(r->vPos, r->vRange, r->vMax), TRUE);
    g_ptDrag = pt;
    SendMessageW(hwnd, WM_VSCROLL, SB_ENDSCROLL, 0);
}

LRESULT ReturnPosition(int pos, LPARAM lParam)
{
    if (lParam)
        *(int*)lParam = pos;
    return pos;
}

}  // namespace

int SetScrollPageSize(HWND hwnd, int bar, int percent)
{
    percent = Clamp(percent, 1, 99);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE;
    si.nPage = (UINT)percent;
    SetScrollInfo(hwnd, bar, &si, FALSE);
    return 100 - percent;
}

LRESULT HtmlCanvasWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd) {
        if (message == 0 && wParam == 0 && lParam == 0)
            FreeRecords();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        RegisterWindow(hwnd);
        return 0;
    case WM_DESTROY:
    case WM_NCDESTROY:
        return 0;
    default:
        break;
    }
    CanvasScrollRecord* r = FindRecord(hwnd);
    if (!r)
        r = RegisterWindow(hwnd);

    switch (message) {
    case WM_SIZE:
        Recompute(r, hwnd, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (LOWORD(wParam) != SB_ENDSCROLL && lParam == 0)
            OnScroll(r, hwnd, message == WM_VSCROLL, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL: {
        short delta = (short)HIWORD(wParam);
        if (delta != 0)
            for (int i = 0; i < 3; ++i)
                SendMessageW(hwnd, WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        SendMessageW(hwnd, WM_VSCROLL, SB_ENDSCROLL, 0);
        return 0;
    }
    case WM_LBUTTONDOWN:
        g_ptDrag.x = (short)LOWORD(lParam);
        g_ptDrag.y = (short)HIWORD(lParam);
        SetCapture(hwnd);
        r->drag = 1;
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd && r->drag) {
            POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
            OnPan(r, hwnd, pt);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        r->drag = 0;
        return 0;
    case WM_HTML_SETDOCSIZE: {
        r->docWidth = (int)wParam;
        r->docHeight = (int)lParam;
        RECT rc;
        GetClientRect(hwnd, &rc);
        Recompute(r, hwnd, rc.right - rc.left, rc.bottom - rc.top);
        return 0;
    }
    case WM_HTML_SETHPOS:
    case WM_HTML_SETVPOS:
        OnSetPosition(r, hwnd, message == WM_HTML_SETVPOS, (int)lParam);
        return 0;
    case WM_HTML_GETHPOS:
        return ReturnPosition(r->hPos, lParam);
    case WM_HTML_GETVPOS:
        return ReturnPosition(r->vPos, lParam);
    case WM_HTML_GETHRANGE:
        return r->hRange;
    case WM_HTML_GETVRANGE:
        return r->vRange;
    default:
        return 0;
    }
}
