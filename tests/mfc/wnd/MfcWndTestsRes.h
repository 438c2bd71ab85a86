// Resource ids of the window tests.
#pragma once
#define IDD_DDX             100
#define IDD_EMPTY           101
#define IDR_TEST_MENU       200
#define IDS_TEST_STRING     300
#define IDC_EDIT_NUM        1001
#define IDC_EDIT_TEXT       1002
#define IDC_CHECK           1003
#define IDC_RADIO1          1004
#define IDC_RADIO2          1005
#define IDC_RADIO3          1006
#define IDC_LIST            1007
#define IDC_COMBO           1008
#define IDC_CHECKLIST       1009
#define IDC_AFTER_RADIOS    1010
#define ID_TEST_CMD1        32001
#define ID_TEST_CMD2        32002
#define ID_TEST_RANGE_FIRST 32010
#define ID_TEST_RANGE_LAST  32019
