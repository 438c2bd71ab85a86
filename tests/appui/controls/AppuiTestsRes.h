// Resource ids of the application control tests.
#pragma once

#define IDS_TEST_CAPTION 100
