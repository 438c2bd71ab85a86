// Resource ids of the application's own controls and dialogs. A program's
// resource script includes "appui.rc", which uses these.
#pragma once

// Progress dialog
#define IDD_PROGRESS_DLG                226
#define IDB_PROGRESS_SKIN               229
#define IDC_PROGRESS_PERCENT            1082
#define IDC_PROGRESS_BAR                1083
#define IDC_PROGRESS_STATUS             1139
#define IDS_PROGRESS_CAPTION            61465

// Child dialog hosting the HTML preview
#define IDD_HTML_HOST                   300

// Main status bar: the support link's indicator string (its pane's id) and
// the page it opens. The application's script includes appui.rc and must not
// define string 101 again.
#define IDS_CONTACT_SUPPORT             101
#define IDS_SUPPORT_ADDRESS             102

// Hover buttons: an open hand over the button, a pressed hand while it goes
// down. The application's script includes appui.rc and only uses them.
#define IDC_HOVER_HAND                  264
#define IDC_HOVER_HAND_PRESSED          265

// The scanning progress view: a child form without border or controls
#define IDD_SCANNING_PROGRESS           193

// Message dialogs: the skinned forms of the OK box and the Yes/No box, their
// skin, the icon static and the text static
#define IDD_MESSAGE_DLG                 217
#define IDB_MESSAGE_SKIN                221
#define IDD_YESNO_DLG                   222
#define IDC_MESSAGE_ICON                1041
#define IDC_MESSAGE_TEXT                1079
