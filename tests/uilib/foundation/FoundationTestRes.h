// Ids of the resources only the foundation's tests load.
#pragma once

#define IDR_TEST_TOOLBAR            100
#define IDR_TEST_SEPARATOR_TOOLBAR  110
#define IDR_TEST_SHORT_TOOLBAR      111
#define IDB_TEST_ALPHA_STRIP        120
#define IDI_TEST_ICON               130
#define IDD_TEST_DIALOG             140
