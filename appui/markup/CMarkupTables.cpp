// CMarkupRenderer: tables.
#include "CMarkupRenderer.h"

// A table block is passed over whole: it takes no room and draws nothing.
SIZE CMarkupRenderer::LayoutTable(const CString& /*tableText*/, const RECT& /*box*/)
{
    SIZE size = {0, 0};
    return size;
}
