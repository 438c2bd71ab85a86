// The scrolling half of the HTML canvas's message handling: per window it
// keeps the document size, the scroll ranges and positions in pixels, shows
// and hides the window's own scroll bars (0 to 100, page size in percent)
// and scrolls the pixels. The browser calls HtmlCanvasWndProc for every
// canvas message it does not answer itself; the private messages are in
// HtmlMessages.h.
#pragma once

#include <windows.h>

#include "HtmlMessages.h"

// The scroll state of one canvas window.
struct CanvasScrollRecord
{
    int hRange;      // how far the content scrolls horizontally (0: it fits)
    int vRange;
    int hPos;        // 0 to hRange
    int vPos;
    int hMax;        // highest thumb position: 100 minus the page size
    int vMax;
    int hLine;       // line step, pixels
    int vLine;
    int docWidth;
    int docHeight;
    int sizing;      // 1 while a size computation runs
    HWND hwnd;
    int drag;        // 1 while a drag pans the page
};

// A null window with message 0 frees every record.
LRESULT HtmlCanvasWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the bar's page size to percent clamped to 1..99 (no redraw) and
// returns the bar's highest thumb position, 100 minus that page size.
int SetScrollPageSize(HWND hwnd, int bar, int percent);
