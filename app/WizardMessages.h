// The application shell's private window messages.
#pragma once

#include <windows.h>

// Posted to the main frame by ResetToStartPage when it is called off the UI
// thread; the frame runs the reset on its own thread.
#define WM_WIZARD_RESET_TO_START (WM_APP + 0x101)
