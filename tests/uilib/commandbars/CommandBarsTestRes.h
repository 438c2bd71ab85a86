// Resource ids of the command bars' test program.
#pragma once

#define IDR_TEST_MENU 100
#define IDR_TEST_TOOLBAR 101
#define IDR_APP_MENU 128
#define IDR_SPECIAL_MENU 102
