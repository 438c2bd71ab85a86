// A docking pane: one child window with its title, icon and options, placed
// in a tabbed container of a layout.
#pragma once

#include <afxwin.h>

class CVZPDockingPane : public CCmdTarget
{
};
