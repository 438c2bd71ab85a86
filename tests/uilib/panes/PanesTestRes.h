// Ids of the test resource module's own bitmaps.
#pragma once

#define IDB_TINT_GREY_KEY   200
#define IDB_TINT_BLACK_KEY  201
