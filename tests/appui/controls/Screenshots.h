// Pictures of what the control tests drew, kept under the build folder
// (screenshots/appui) for looking at.
#pragma once

#include <afxwin.h>

#include <TestSupport.h>

namespace appui_test {

// Saves the canvas as <build>/screenshots/appui/<name>.bmp.
void SaveScreenshot(const tesmir::test::CDibCanvas& canvas, LPCWSTR lpszName);

// The same for a window's client area as it shows on screen.
void SaveWindowScreenshot(CWnd* pWnd, LPCWSTR lpszName);

}  // namespace appui_test
