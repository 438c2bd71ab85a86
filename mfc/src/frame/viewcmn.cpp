// Views that are common controls.
#include "framestate.h"
#include <afxcview.h>

IMPLEMENT_DYNCREATE(CListView, CCtrlView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)
