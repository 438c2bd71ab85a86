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
