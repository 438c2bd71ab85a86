// Indexes of the colour manager's table. 1 to 27 are the Windows system
// colours under their COLOR_ numbers; 30 to 61 are the library's colours,
// derived from them. 0 is always black; 28, 29 and 61 are never filled.
// A value above 61 where an index is expected is itself a COLORREF.
#pragma once

enum VZPColorIndex
{
    VZPCOLOR_TOOLBAR_FACE = 30,
    VZPCOLOR_HIGHLIGHT = 31,
    VZPCOLOR_HIGHLIGHT_BORDER = 32,
    VZPCOLOR_HIGHLIGHT_PUSHED = 33,
    VZPCOLOR_HIGHLIGHT_DARK = 34,
    VZPCOLOR_DISABLED_TEXT = 35,
    VZPCOLOR_HIGHLIGHT_CHECKED = 36,
    VZPCOLOR_HIGHLIGHT_CHECKED_BORDER = 37,
    VZPCOLOR_GRIPPER = 38,
    VZPCOLOR_SEPARATOR = 39,
    VZPCOLOR_DISABLED = 40,
    VZPCOLOR_MENU_FACE = 41,
    VZPCOLOR_SHADED_FACE = 42,
    VZPCOLOR_POPUP_FRAME = 43,
    VZPCOLOR_HIGHLIGHT_TEXT = 44,
    VZPCOLOR_MENU_TEXT = 45,
    VZPCOLOR_TOOLBAR_TEXT = 46,
    VZPCOLOR_PUSHED_TEXT = 47,
    VZPCOLOR_LIGHT_FACE = 48,
    VZPCOLOR_DARK_SHADOW = 49,
    VZPCOLOR_HIGHLIGHT_PUSHED_BORDER = 50,
    VZPCOLOR_FLAT_DISABLED_FACE = 51,
    VZPCOLOR_FLAT_DISABLED_BORDER = 52,
    VZPCOLOR_FRAME_BORDER = 54,
    VZPCOLOR_CONTROL_BORDER = 57,
};

// Size of the colour manager's tables (indexes 0 to 61).
const int VZP_COLOR_COUNT = 62;
