// Resource ids of the application. Each dialog keeps its ids together in a
// group of its own. Control ids are fixed per dialog, so some values repeat
// across dialogs under different names; resource ids of one type are unique
// (bitmap 376 and dialog 376 are different resources).
#pragma once

// File Types dialog: the file types a File Trace searches for and the size
// written for each file found.
#define IDD_FILE_TYPES                  237
#define IDB_FILE_TYPE_STATES            200     // check box state images
#define IDB_FILE_TYPES_SKIN             208     // dialog background
#define IDC_FILE_TYPES_TREE             1085
#define IDC_FILE_TYPES_HEADER           1101
#define IDC_FILE_TYPES_SIZE             1105
#define IDC_FILE_TYPES_SIZE_LABEL       1107
#define IDC_FILE_TYPES_SIZE_NOTE        1134

// Partition Type dialog: whether the partition search keeps the partitions
// already in the table or searches the whole disk.
#define IDD_PARTITION_TYPE              301
#define IDC_PARTITION_TYPE_EXISTING     1091
#define IDC_PARTITION_TYPE_SEARCH       1092
#define IDC_PARTITION_TYPE_GROUP        1093
#define IDC_PARTITION_TYPE_HEADING      1132

// The program: its menu bar, document strings and icon share id 128.
#define IDR_MAINFRAME                   128
#define IDS_OLE_INIT_FAILED             100     // AfxOleInit failed at start-up

// Main frame commands (menu 128, toolbar 331, context menus 192 and 325).
#define ID_RECOVER_SELECTED             32777
#define ID_LOAD_SNAPSHOT                32781
#define ID_VIEW_ICONS                   32782
#define ID_FIND_FILES                   32785
#define ID_FILE_FILTERS                 32786
#define ID_SETTINGS                     32787
#define ID_DRIVE_INFORMATION            32788
#define ID_RENAME                       32802
#define ID_PROPERTIES                   32804
#define ID_RECOVERY_EXIT                32809
#define ID_SAVE_ALL                     32810
#define ID_SAVE_SNAPSHOT                32811
#define ID_RECOVERY_OPEN                32818
#ifndef ID_VIEW_LIST
#define ID_VIEW_LIST                    0xE812
#endif
#ifndef ID_VIEW_DETAILS
#define ID_VIEW_DETAILS                 0xE813
#endif

// Command-bar resources of the main frame.
#define IDR_STANDARD_TOOLBAR            331     // toolbar and its 32 x 32 strip
#define IDB_HEADER_LOGO                 183     // dock bar logo, white is transparent
#define IDI_TOOL_OPEN                   342
#define IDI_TOOL_RECOVER                242
#define IDI_TOOL_SAVE_SNAPSHOT          189
#define IDI_TOOL_LOAD_SNAPSHOT          190
#define IDI_TOOL_FIND                   236
#define IDI_TOOL_SETTINGS               188
#define IDI_TOOL_HELP                   185

// Context menus of the result list and the result folder tree.
#define IDR_LIST_CONTEXT                192
#define IDR_TREE_CONTEXT                325

// About box.
#define IDD_ABOUTBOX                    100
#define IDB_ABOUT_PICTURE               368
#define IDC_ABOUT_VERSION               1047
#define IDC_ABOUT_NAME                  1136

// Start page: background, header pieces and the mode buttons (normal, hover).
#define IDB_START_BACKGROUND            251
#define IDB_START_HEADER_LEFT           269
#define IDB_START_HEADER_RIGHT          274
#define IDB_START_HEADER_MIDDLE         276
#define IDB_MODE_QUICK                  254
#define IDB_MODE_QUICK_HOVER            253
#define IDB_MODE_EXTENSIVE              259
#define IDB_MODE_EXTENSIVE_HOVER        258
#define IDB_MODE_TRACE                  260
#define IDB_MODE_TRACE_HOVER            261

// Wizard steps: background, banners and tool buttons (normal, hover).
#define IDB_STEP_BACKGROUND             252
#define IDB_STEP_BANNER_RIGHT           273
#define IDB_STEP_BANNER_MIDDLE          275     // drawn from its second row
#define IDB_BANNER_DRIVE                277
#define IDB_BANNER_DRIVE_BUSY           282
#define IDB_BANNER_SCAN_BUSY            279
#define IDB_BANNER_RECOVERY             281
#define IDB_BANNER_SCAN                 283
#define IDB_BANNER_FILE_SYSTEM          284
#define IDB_BANNER_EXTENSIVE            285
#define IDB_BANNER_LOGICAL              278
#define IDB_NEXT                        321
#define IDB_NEXT_HOVER                  318
#define IDB_BACK                        319
#define IDB_BACK_HOVER                  320
#define IDB_STOP                        324
#define IDB_STOP_HOVER                  323
#define IDB_SCAN                        344
#define IDB_SCAN_HOVER                  345
#define IDB_HOME                        268
#define IDB_HOME_HOVER                  317
#define IDB_RECOVER                     330
#define IDB_RECOVER_HOVER               329
#define IDB_PANEL_PICTURE               376     // decorative picture of the step panels

// Device and file-system trees: images in image-list order, and cursors.
#define IDI_TREE_FOLDER                 148
#define IDI_TREE_DISK_OTHER             151
#define IDI_TREE_CD                     152
#define IDI_TREE_REMOVABLE              153
#define IDI_TREE_FLOPPY                 154
#define IDI_TREE_DISK                   155
#define IDI_TREE_COMPUTER               179
#define IDC_CURSOR_EXPAND               250

// Result list: check box states, header images (48 x 48 entries) and the
// cursor over a check box.
#define IDB_LIST_STATES                 201
#define IDB_DAO_TREE                    181     // database tree images, magenta mask
#define IDI_COLUMN_CREATED              161
#define IDI_COLUMN_TYPE                 162
#define IDI_COLUMN_NAME                 163
#define IDI_COLUMN_SIZE                 164
#define IDI_COLUMN_SPARE                165
#define IDI_COLUMN_MODIFIED             166
#define IDI_COLUMN_ID                   167
#define IDC_CURSOR_CHECK_MARK           249

// Drive Information dialog; its skin is shared with the Partition Type dialog.
#define IDD_DRIVE_INFO                  194
#define IDB_DRIVE_INFO_SKIN             202
#define IDC_DRIVE_INFO_HEADING          1127
#define IDC_DRIVE_INFO_FS_LABEL         1016
#define IDC_DRIVE_INFO_START_LABEL      1017
#define IDC_DRIVE_INFO_DIRS_LABEL       1018
#define IDC_DRIVE_INFO_FILES_LABEL      1019
#define IDC_DRIVE_INFO_SPC_LABEL        1020
#define IDC_DRIVE_INFO_FAT1_LABEL       1029
#define IDC_DRIVE_INFO_FAT2_LABEL       1030
#define IDC_DRIVE_INFO_MFT_LABEL        1031
#define IDC_DRIVE_INFO_FS               1021
#define IDC_DRIVE_INFO_DIRS             1022
#define IDC_DRIVE_INFO_FILES            1023
#define IDC_DRIVE_INFO_START            1024
#define IDC_DRIVE_INFO_SPC              1025
#define IDC_DRIVE_INFO_FAT1             1026
#define IDC_DRIVE_INFO_FAT2             1027
#define IDC_DRIVE_INFO_MFT              1028

// Find dialog.
#define IDD_FIND                        195
#define IDB_FIND_SKIN                   203
#define IDC_FIND_PATTERN                1032
#define IDC_FIND_PATTERN_LABEL          1033
#define IDC_FIND_LAST_LABEL             1035
#define IDC_FIND_LAST                   1036
#define IDC_FIND_COUNT_LABEL            1037
#define IDC_FIND_COUNT                  1038
#define IDC_FIND_STOP                   1039
#define IDC_FIND_LIST                   1040
#define IDC_FIND_SELECT_ALL             1070
#define IDC_FIND_SAVE                   1080
#define IDC_FIND_RESULT                 1089
#define IDB_FIND_START                  1140
#define IDB_FIND_START_HOVER            1141
#define IDB_FIND_STOP                   1142
#define IDB_FIND_STOP_HOVER             1143
#define IDB_FIND_SAVE                   1144
#define IDB_FIND_SAVE_HOVER             1145

// Recovery Settings dialog (its skin is the File Types dialog's, 208).
#define IDD_RECOVERY_SETTINGS           206
#define IDC_SETTINGS_READ_CAPTION       1016
#define IDC_SETTINGS_DUPLICATE_CAPTION  1017
#define IDC_SETTINGS_DELETED_CAPTION    1018
#define IDC_SETTINGS_BAD_CAPTION        1019
#define IDC_SETTINGS_SECTORS            1046
#define IDC_SETTINGS_SECTORS_LABEL      1047
#define IDC_SETTINGS_RENAME             1048
#define IDC_SETTINGS_OVERWRITE          1049
#define IDC_SETTINGS_SKIP               1050
#define IDC_SETTINGS_INCLUDE_DELETED    1051
#define IDC_SETTINGS_ONLY_DELETED       1052
#define IDC_SETTINGS_EXCLUDE_DELETED    1053
#define IDC_SETTINGS_RETRIES_LABEL      1054
#define IDC_SETTINGS_RETRIES            1055

// File Filters dialog.
#define IDD_FILE_FILTERS                209
#define IDB_FILE_FILTERS_SKIN           210
#define IDC_FILTERS_REMOVE              1062
#define IDC_FILTERS_LIST                1063
#define IDC_FILTERS_EDIT                1064
#define IDC_FILTERS_LABEL               1128
#define IDC_FILTERS_ADD                 1130

// Properties dialog.
#define IDD_PROPERTIES                  212
#define IDB_PROPERTIES_SKIN             213
#define IDC_PROPERTIES_NAME_LABEL       1016
#define IDC_PROPERTIES_SIZE_LABEL       1017
#define IDC_PROPERTIES_CONTAINS_LABEL   1018
#define IDC_PROPERTIES_CREATED_LABEL    1019
#define IDC_PROPERTIES_MODIFIED_LABEL   1020
#define IDC_PROPERTIES_NAME             1043
#define IDC_PROPERTIES_CREATED          1066
#define IDC_PROPERTIES_MODIFIED         1067
#define IDC_PROPERTIES_SIZE             1068
#define IDC_PROPERTIES_CONTAINS         1069

// Saving dialog and the two please-wait dialogs, which share skin 216.
#define IDD_SAVING                      215
#define IDB_SAVING_SKIN                 216
#define IDC_SAVING_FILE                 1043
#define IDC_SAVING_SKIP                 1071
#define IDC_SAVING_FILE_LABEL           1073
#define IDC_SAVING_PROGRESS             1074
#define IDC_SAVING_COUNT                1075
#define IDC_SAVING_PATH                 1076
#define IDC_SAVING_PATH_LABEL           1077
#define IDC_SAVING_COUNT_LABEL          1078
#define IDB_STOP_SAVING                 305
#define IDB_STOP_SAVING_HOVER           306
#define IDB_SKIP_FILE                   307
#define IDB_SKIP_FILE_HOVER             308
#define IDD_RECOVER_WAIT                376
#define IDC_RECOVER_WAIT_TEXT           1138
#define IDD_TREE_WAIT                   379
#define IDC_TREE_WAIT_TEXT              1135

// HTML viewer: the empty canvas the page is painted on.
#define IDD_HTML_CANVAS                 225
