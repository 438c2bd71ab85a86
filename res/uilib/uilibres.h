// Resource ids of the UI class library's own resources (uilib.rc). The
// command bars and the docking panes add theirs here, in their own ranges.
#pragma once

// Bitmaps.
#define VZP_IDB_PIN_CLOSE           9002    // push pin, hot push pin, close cross (16 x 15 each)
#define VZP_IDB_TASKPANEL_EXPAND    9197    // expand-button faces of task-panel groups (19 x 19),
#define VZP_IDB_TASKPANEL_EXPAND_SPECIAL 9198   // tinted to the caption colour
#define VZP_IDB_MDI_SYSCOMMANDS     9407    // restore, minimise, maximise, close (16 x 16 each)
// Docking stickers; pure green is transparent.
#define VZP_IDB_STICKER_CROSS       9903    // the first set's cross base (43 x 43)
#define VZP_IDB_STICKER_BLUE        9904    // the first set's arrows and centres (120 x 109),
#define VZP_IDB_STICKER_OLIVE       9905    // in three colour variants
#define VZP_IDB_STICKER_SILVER      9906
#define VZP_IDB_STICKER_SET2        9910    // everything of the second set (161 x 122)

// Cursors.
#define VZP_IDC_DRAG_COPY           9008
#define VZP_IDC_DRAG_MOVE           9009
#define VZP_IDC_DRAG_DELETE         9011
#define VZP_IDC_SPLIT_HORZ          9970    // double vertical bar, arrows left and right
#define VZP_IDC_SPLIT_VERT          9971    // double horizontal bar, arrows up and down
#define VZP_IDC_RESIZE              9972    // single vertical bar, arrows left and right
#define VZP_IDC_HAND                9973
// The customise drag: over a bar while copying, while moving, and over no bar.
#define VZP_IDC_CUSTOMIZE_COPY      9301
#define VZP_IDC_CUSTOMIZE_MOVE      9302
#define VZP_IDC_CUSTOMIZE_NODROP    9303

// The context menus: pop-up 1 is the edit menu, pop-up 2 the header menu.
#define VZP_IDR_CONTEXT_MENU        9014
// Toolbars that give those menus their images (each beside a bitmap of the
// same id).
#define VZP_IDR_HEADER_TOOLBAR      9015
#define VZP_IDR_EDIT_TOOLBAR        9017

// Header menu commands.
#define VZP_ID_HEADER_SORT_ASC      9158
#define VZP_ID_HEADER_SORT_DESC     9159
#define VZP_ID_HEADER_ALIGN_LEFT    9160
#define VZP_ID_HEADER_ALIGN_CENTER  9161
#define VZP_ID_HEADER_ALIGN_RIGHT   9162

// Workspace commands of the MDI tab client (strings: the tooltip after the
// newline).
#define VZP_ID_WORKSPACE_MOVE_PREVIOUS   9420
#define VZP_ID_WORKSPACE_MOVE_NEXT       9421
#define VZP_ID_WORKSPACE_NEW_HORIZONTAL  9422
#define VZP_ID_WORKSPACE_NEW_VERTICAL    9423

// Strings.
#define VZP_IDS_PUSH_PIN_TIP        9036
#define VZP_IDS_SHELL_OUT_OF_MEMORY 9037    // 9037 to 9050: the shell's error texts
#define VZP_IDS_SHELL_UNKNOWN_ERROR 9050
#define VZP_IDS_SHORTCUT_ASSIGNED   9393
#define VZP_IDS_TOOLBAR_CHANGED     9394
// Docking pane caption buttons (their tooltips).
#define VZP_IDS_DOCKINGPANE_AUTOHIDE 9900
#define VZP_IDS_DOCKINGPANE_CLOSE   9901
#define VZP_IDS_DOCKINGPANE_MAXIMIZE 9907
#define VZP_IDS_DOCKINGPANE_RESTORE 9908
#define VZP_IDS_DOCKINGPANE_MENU    9909

// Command bars: the toolbars' popups and special controls, the MDI child's
// buttons on the menu bar, and the commands the bars offer.
#define VZP_IDS_ADD_REMOVE_BUTTONS  9300
#define VZP_IDS_CONFIRM_RESET       9349
#define VZP_IDS_RESET               9395
#define VZP_ID_TOOLBAR_EXPAND       9400
#define VZP_ID_TOOLBAR_CLOSE        9401
#define VZP_ID_MDI_CLOSE            9403
#define VZP_ID_MDI_RESTORE          9404
#define VZP_ID_MDI_MINIMIZE         9405
#define VZP_ID_CUSTOMIZE            35001
#define VZP_ID_VIEW_TOOLBARS        59392

// Customisation: the New/Rename Toolbar dialog and its texts.
#define VZP_IDD_TOOLBAR_NAME        9328
#define VZP_IDC_TOOLBAR_NAME        9329
#define VZP_IDS_CUSTOM_BAR          9330
#define VZP_IDS_NAME_BLANK          9331
#define VZP_IDS_BAR_LIMIT           9332
#define VZP_IDS_NAME_EXISTS         9333
#define VZP_IDS_RENAME_TOOLBAR      9334
#define VZP_IDS_CONFIRM_DELETE_BAR  9335
