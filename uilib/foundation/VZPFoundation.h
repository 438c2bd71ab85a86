// Start-up of the UI library foundation's process-wide services.
#pragma once

// Orders of the library's start-up initialisers (AfxAddStartupInitializer);
// lower runs first, and later services may rely on earlier ones.
enum VZPStartupOrder
{
    VZPSTARTUP_VISUAL_STYLE = 1000,     // UxTheme.dll and comctl32's version
    VZPSTARTUP_WINDOWS_VERSION = 1010,
    VZPSTARTUP_DRAW_TOOLS = 1020,
    VZPSTARTUP_MONITOR_API = 1030,
    VZPSTARTUP_IMAGE_MANAGER = 1040,   // after the drawing tools; registers the clipboard formats
};

// Registers the foundation's start-up initialisers (and their clean-ups at
// exit) with the framework; they run before InitInstance, or when a test
// calls AfxRunStartupInitializers. The program and every test program of the
// library call this once before that point: a static library drops object
// files nothing references, so a registrar object alone would not run.
// Calling it again does nothing.
void VZPFoundationRegisterStartup();
