// Resource ids of the button tests' own bitmaps and menu.
#pragma once

#define IDB_TEST_SMALL_NORMAL   5001
#define IDB_TEST_SMALL_HOVER    5002
#define IDB_TEST_LARGE_NORMAL   5003
#define IDB_TEST_LARGE_HOVER    5004
#define IDB_TEST_SPLASH         5005
