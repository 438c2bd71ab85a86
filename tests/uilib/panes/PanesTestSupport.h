// Shared helpers of the panes tests.
#pragma once

#include <afxwin.h>

#include <string>

#include "TestSupport.h"

namespace vzpanes_test {

using tesmir::test::ScreenshotPath;

// The test resource module (the library's resources and the samples).
HINSTANCE ResourceModule();

// Forces the colour scheme the colour manager reports (0 to 3) and its
// no-visual-style flag for the life of the object, then restores automatic
// detection.
class CForcedColorScheme
{
public:
    CForcedColorScheme(int nScheme, BOOL bNoVisualStyle);
    ~CForcedColorScheme();
    CForcedColorScheme(const CForcedColorScheme&) = delete;
    CForcedColorScheme& operator=(const CForcedColorScheme&) = delete;
};

}  // namespace vzpanes_test
