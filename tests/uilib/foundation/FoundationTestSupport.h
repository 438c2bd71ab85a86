// The UI library foundation's test program: one process-wide application,
// the library's start-up, and a hidden main frame for every suite.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>

#include "TestSupport.h"

namespace vzfoundation_test {

// The hidden main frame the global environment makes (the thread's
// GetMainWnd while the tests run).
CFrameWnd* MainFrame();

using tesmir::test::ScreenshotPath;

// Puts the cursor on a screen point and waits until it has stayed there for
// a moment: after a move the system may put it back where it was. FALSE when
// it never stays.
bool PlaceCursor(POINT ptScreen);

// Runs show(), which tracks a modal pop-up menu (a system menu or a
// command-bar popup), with a timer that ends the menu once it is on screen;
// TRUE when a menu was seen.
// onShown, when given, sees the menu's window first.
bool RunMenuEndedByTimer(const std::function<void()>& show,
                         const std::function<void(HWND)>& onShown = std::function<void(HWND)>());

}  // namespace vzfoundation_test
