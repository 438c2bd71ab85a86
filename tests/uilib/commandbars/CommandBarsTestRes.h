// Resource ids of the command bars' test program.
#pragma once

#define IDR_TEST_MENU 100
#define IDR_TEST_TOOLBAR 101
#define IDR_APP_MENU 128
#define IDR_SPECIAL_MENU 102
// A copy of the application's toolbar, with its bitmap of 32 x 32 buttons.
#define IDR_APP_TOOLBAR 331
// Toolbars without images: no items; separators in a row and at the end.
#define IDR_EMPTY_TOOLBAR 103
#define IDR_GROUPS_TOOLBAR 104
// A menu whose titles test access keys.
#define IDR_ACCEL_MENU 105
// An MDI frame's menu and the menus of its two document types.
#define IDR_MDI_FRAME_MENU 106
#define IDR_MDI_DOCA_MENU 107
#define IDR_MDI_DOCB_MENU 108
