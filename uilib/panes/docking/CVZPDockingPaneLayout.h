// A pane tree of a docking pane manager: its top splitter container, the
// client placeholder, the pane records and every pane object it owns.
#pragma once

#include <afxwin.h>

class CVZPDockingPaneLayout : public CCmdTarget
{
};
