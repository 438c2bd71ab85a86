// The HTML canvas's private messages. The browser talks to the canvas's
// scrolling through WM_USER+1 to +9; the rest are the browser's own.
#pragma once

#include <windows.h>

// wParam document width, lParam document height: stores the size, recomputes
// the scroll ranges and bars.
#define WM_HTML_SETDOCSIZE (WM_USER + 1)
// lParam: the new horizontal / vertical position in pixels.
#define WM_HTML_SETHPOS (WM_USER + 2)
#define WM_HTML_SETVPOS (WM_USER + 3)
// lParam: optional int* that also receives it. Returns the position.
#define WM_HTML_GETHPOS (WM_USER + 4)
#define WM_HTML_GETVPOS (WM_USER + 5)
// Return the horizontal / vertical scroll range in pixels.
#define WM_HTML_GETHRANGE (WM_USER + 6)
#define WM_HTML_GETVRANGE (WM_USER + 7)
// wParam dx, lParam dy: sent just before the canvas scrolls its pixels.
#define WM_HTML_SCROLLING (WM_USER + 9)
// Posted by picture fetches: lay the page out again.
#define WM_HTML_RELAYOUT (WM_USER + 22)
// Posted from fetch threads, handled by the browser on the UI thread:
// show the pending status text; wParam loaded, lParam total pictures.
#define WM_HTML_STATUS (WM_USER + 23)
#define WM_HTML_IMAGESPROGRESS (WM_USER + 24)
