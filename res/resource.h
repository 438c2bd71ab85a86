// Resource ids of the application. Each dialog keeps its ids together in a
// group of its own; control ids are unique across the whole program.
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
