// Context menus of the library's controls, shown the way the command bars
// show theirs.
#pragma once

#include <afxwin.h>

// Shows the pop-up menu at the screen point (x, y) for the owner window and
// returns the tracking result (the chosen command with TPM_RETURNCMD).
// nToolBarID names the toolbar resource whose images the menu's items get
// (0 or less: none). Until the command bars draw their own popup bars, the
// menu is tracked by the system: CMenu::TrackPopupMenu with the flags, the
// point and the owner.
int TrackContextMenu(CMenu* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, int nToolBarID);
