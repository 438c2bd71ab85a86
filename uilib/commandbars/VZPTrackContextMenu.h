// Context menus of the library's controls, shown the way the command bars
// show theirs.
#pragma once

#include <afxwin.h>

// Shows the pop-up menu at the screen point (x, y) for the owner window as a
// popup bar drawn by the current command-bar theme and returns the tracking
// result (the chosen command with TPM_RETURNCMD). nToolBarID names the
// toolbar resource whose images the menu's items get (0 or less: none). A
// chosen command reaches the owner as WM_COMMAND. When no theme can be made
// the system tracks the menu.
int TrackContextMenu(CMenu* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, int nToolBarID);
