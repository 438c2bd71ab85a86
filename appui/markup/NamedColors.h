// The named colours every colour reader of the program knows: the 140 names
// of the web's colour keywords ("LightGrey" is the only spelling with
// "Grey"). Markup and styles draw them with the usual values; the page
// renderer draws three of them with its own values. Window-free.
#pragma once

#include <windows.h>

// No colour has this value: the page renderer draws the usual one.
const COLORREF NAMED_COLOR_SAME_ON_PAGES = 0xFFFFFFFF;

struct NamedColor
{
    const wchar_t* name;
    COLORREF color;      // the usual value
    COLORREF pageColor = NAMED_COLOR_SAME_ON_PAGES;  // the page renderer's value
};

const int NAMED_COLOR_COUNT = 140;
extern const NamedColor g_NamedColors[NAMED_COLOR_COUNT];

// The row of a colour name compared without case, or -1. The name ends at
// its terminator or after length characters (length -1: the whole text).
int FindNamedColor(const wchar_t* name, int length = -1);

// The value the page renderer uses for row index.
COLORREF NamedPageColor(int index);
