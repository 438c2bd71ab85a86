// Resource ids of the markup tests.
#pragma once

#define IDB_TEST_MASKED     501
#define IDB_TEST_STRIP      502
#define IDI_TEST_ICON       503
#define IDS_TEST_STRING     504
