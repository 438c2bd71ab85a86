#pragma once
#define IDD_SAMPLE      100
#define IDC_NAME        1001
#define IDC_COUNT       1002
#define IDC_ENABLED     1003
#define IDC_MODE1       1004
#define IDC_MODE2       1005
#define IDC_PROGRESS    1006
#define IDC_KINDS       1007
