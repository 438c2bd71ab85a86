// Start-up of the docking panes, tabs and task panel: their process-wide
// registrations.
#pragma once

// Order of the subsystem's start-up initialiser (AfxAddStartupInitializer),
// after the foundation's.
const int VZPSTARTUP_PANES = 1100;

// Registers the start-up initialiser that registers the task panel's
// clipboard format "TaskPanelGroupItem". The program and every test program
// of the subsystem call this once before the initialisers run; calling it
// again does nothing.
void VZPPanesRegisterStartup();
